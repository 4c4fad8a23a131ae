#!/usr/bin/env bash
# The link window of a running server, brought on screen and worked as a person works it. The
# null display driver serves: windows, focus, the open-file dialog and DDE all work without X.
#   on_screen_test.sh <build dir>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../wine_env.sh"
wine_env_init "$1" window-on-screen
serve_with_standin
start_standin slow /sheet:Slow /delay:2000
run_checks 120 LinkWindowOnScreen "$win_work\\standin.log" "$win_work"
wait_server_gone
finish on-screen
