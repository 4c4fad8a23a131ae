#!/usr/bin/env bash
# Builds nothing: runs ComBench from a windows-x64 build dir under a private Wine prefix, with
# the Excel stand-in answering the pokes.
#   bench/com/run.sh [build dir, default build/windows-x64] [calls]
set -euo pipefail
cd "$(dirname "$0")/../.."
source tests/e2e/wine_env.sh
wine_env_init "${1:-build/windows-x64}" bench-com
register_bare_server
serve_with_standin
wine "$SHEETPUSH_BIN/ComBench.exe" "${2:-2000}"
