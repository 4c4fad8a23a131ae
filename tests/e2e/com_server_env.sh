# Shared set-up for the scripts that drive Sheetpush.exe as a COM local server under Wine.
# Source it after wine_env.sh and wine_env_init.
#
#   prefix_pids PATTERN     this prefix's programs whose command line matches, by host pid
#   wait_server_gone [SECONDS]
#                           a server must end by itself once its last client let go (10 s)
#   stop_servers            ends the servers and launched Excels that outlived their test
#   install_excel PROGRAM   puts PROGRAM at the default Excel path and stores that path, so that
#                           the server's start-up asks nobody
#   register_server         registers the build's Sheetpush.exe
#   run_vbscript DIR FILE ARGS
#                           runs a script with tests/e2e/com/scripts/common.vbs in front of it,
#                           the two put together in the folder DIR

COM_SERVER_ENV_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

prefix_pids() {
    local pid
    for pid in $(pgrep -f "$1" || true); do
        { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null |
            grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$pid"
    done
    return 0
}

wait_server_gone() {
    local waited
    for waited in $(seq 1 $((${1:-10} * 10))); do
        [ -z "$(prefix_pids 'Sheetpush\.exe')" ] && return 0
        sleep 0.1
    done
    echo "FAIL the server still runs after its clients released it" >&2
    return 1
}

stop_servers() {
    local stray pid
    stray=$(prefix_pids 'Sheetpush\.exe')
    for pid in $stray $(prefix_pids 'office\\Excel\.exe'); do
        wine_stop "$pid"
    done
    wine_stop_all
    # A killed server leaves its class object behind in the RPC service, which would fail every
    # later activation in this prefix. This runs as the scripts' exit trap: a wineserver that is
    # already on its way out must not turn a passed test into a failed one.
    [ -z "$stray" ] || wineserver -k || true
}

install_excel() {
    local office="$WINEPREFIX/drive_c/program files/microsoft office/office"
    mkdir -p "$office"
    cp "$1" "$office/Excel.exe"
    wine reg add 'HKCU\Software\Orvand\Sheetpush' /v ExcelPath /f \
        /d 'C:\program files\microsoft office\office\Excel.exe' >/dev/null
}

register_server() {
    wine "$SHEETPUSH_BIN/Sheetpush.exe" /RegServer
}

run_vbscript() {
    local combined="$1/$(basename "$2")" script=$2
    shift 2
    cat "$COM_SERVER_ENV_DIR/com/scripts/common.vbs" "$script" >"$combined"
    timeout 240 wine cscript //nologo "$(wine_path "$combined")" "$@"
}
