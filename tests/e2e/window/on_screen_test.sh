#!/usr/bin/env bash
# The link window of a running server, brought on screen and worked as a person works it. The
# null display driver serves: windows, focus, the open-file dialog and DDE all work without X.
#   on_screen_test.sh <build dir>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../wine_env.sh"
wine_env_init "$1"
source "$here/../com_server_env.sh"
trap stop_servers EXIT
work="$1/window-on-screen"
rm -rf "$work"
mkdir -p "$work"

install_excel "$SHEETPUSH_BIN/ExcelStandin.exe"
register_server
wine_start_rpcss
standin_log="$work/standin.log"
wine_start standin "$SHEETPUSH_BIN/ExcelStandin.exe" "/log:$(wine_path "$standin_log")"
wait_for_file "$standin_log" "$WINE_ENV_START_LIMIT" ready

status=0
timeout 120 wine "$SHEETPUSH_BIN/LinkWindowOnScreen.exe" "$(wine_path "$standin_log")" \
    "$(wine_path "$work")" | tr -d '\r' || status=1
wait_server_gone || status=1
exit $status
