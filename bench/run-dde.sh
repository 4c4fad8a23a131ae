#!/usr/bin/env bash
# Runs the DDE benchmark under Wine against the Excel stand-in:
#   bench/run-dde.sh [build dir, default build/windows-x64] [pokes, default 2000]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tests/e2e/wine_env.sh"
wine_env_init "${1:-$root/build/windows-x64}" bench-dde
start_standin standin
timeout 600 wine "$SHEETPUSH_BIN/DdeBench.exe" "${2:-2000}" | tr -d '\r'
