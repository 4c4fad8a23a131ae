#!/usr/bin/env bash
# Builds nothing: runs ComBench from a windows-x64 build dir under a private Wine prefix, with
# the Excel stand-in answering the pokes.
#   bench/com/run.sh [build dir, default build/windows-x64] [calls]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/windows-x64}
source tests/e2e/wine_env.sh
wine_env_init "$build"
office="$WINEPREFIX/drive_c/program files/microsoft office/office"
mkdir -p "$office"
cp "$SHEETPUSH_BIN/ExcelStandin.exe" "$office/Excel.exe"
wine reg add 'HKCU\Software\Orvand\Sheetpush' /v ExcelPath /f \
    /d 'C:\program files\microsoft office\office\Excel.exe' >/dev/null
wine "$SHEETPUSH_BIN/Sheetpush.exe" /RegServer
wine reg add 'HKLM\Software\Classes\CLSID\{CE392E88-8C1B-4432-A4F5-EEC3B442B046}\LocalServer32' \
    /ve /d "\"$(wine_path "$SHEETPUSH_BIN/BareServer.exe")\"" /f >/dev/null
wine_start_rpcss
log="$build/bench-standin.log"
rm -f "$log"
wine_start standin "$SHEETPUSH_BIN/ExcelStandin.exe" "/log:$(wine_path "$log")"
wait_for_file "$log" 30 ready
wine "$SHEETPUSH_BIN/ComBench.exe" "${2:-2000}"
