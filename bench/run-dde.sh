#!/usr/bin/env bash
# Runs the DDE benchmark under Wine against the Excel stand-in:
#   bench/run-dde.sh [build dir, default build/windows-x64] [pokes, default 2000]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tests/e2e/wine_env.sh"
build=${1:-$root/build/windows-x64}
wine_env_init "$build"
work="$build/bench-dde"
mkdir -p "$work"
rm -f "$work/standin.log"
export SHEETPUSH_STANDIN_LOG
SHEETPUSH_STANDIN_LOG=$(wine_path "$work/standin.log")
wine_start standin "$SHEETPUSH_BIN/ExcelStandin.exe"
wait_for_file "$work/standin.log" "$WINE_ENV_START_LIMIT" ready
timeout 600 wine "$SHEETPUSH_BIN/DdeBench.exe" "${2:-2000}" | tr -d '\r'
