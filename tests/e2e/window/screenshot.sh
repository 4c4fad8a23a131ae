#!/bin/bash
# Shows a link window on a virtual screen under Wine and saves its picture for the README.
#   screenshot.sh BUILD_DIR OUT.png
# Its own prefix: the window needs a real display here, and Wine then draws the window's frame
# itself (no window manager runs) with a font that has Arabic letters.
set -eu
build_dir=$(cd "$1" && pwd)
out=$2
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX="$build_dir/screenshot-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
xvfb-run -a -s "-screen 0 640x480x24" bash -c '
    wineboot -i >/dev/null 2>&1
    wine reg add "HKCU\\Software\\Wine\\X11 Driver" /v Decorated /d N /f >/dev/null 2>&1
    wine reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1
    wine reg add "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes" \
        /v "MS Shell Dlg" /d "DejaVu Sans" /f >/dev/null 2>&1
    wineserver -k; wineserver -w
    timeout 120 wine "$0/bin/link_window_check.exe" --show "$0/window.bmp"
    status=$?
    wineserver -k
    exit $status' "$build_dir"
python3 "$here/bmp_to_png.py" "$build_dir/window.bmp" "$out"
