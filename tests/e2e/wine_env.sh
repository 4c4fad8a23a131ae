# The one library of the scripts that run the Windows build under Wine: the end-to-end tests, the
# benchmarks and the demo. Source it, then call wine_env_init. Every build dir gets one private,
# headless Wine prefix (Wine's null display driver: no X server; DDE and modal message boxes
# still work).
#
# The prefix and the server
#   wine_env_init DIR [WORK]
#                         exports WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES, SHEETPUSH_BIN and makes
#                         the prefix on first use; with WORK, empties the folder DIR/WORK and
#                         names it $work ($win_work in its Windows form). The servers and the
#                         programs started here are ended when the script exits.
#   wine_start_rpcss      starts the RPC service, which out-of-process COM needs
#   install_excel PROGRAM puts PROGRAM at the default Excel path and stores that path as the
#                         user's only setting, so that the server's start-up asks nobody
#   register_server       registers the build's Sheetpush.exe
#   register_bare_server  registers the benchmarks' bare COM server
#   serve_with_standin [SWITCHES...]
#                         all of the above for the Excel stand-in, which it then starts with the
#                         switches given
#   wait_server_gone      a server must end by itself once its last client let go (10 s)
#   prefix_pids PATTERN   this prefix's programs whose command line matches, by host pid
# Programs
#   wine_start PIDVAR EXE ARGS...
#                         starts a Windows program in the background; its process id goes to
#                         PIDVAR. Set WINE_ENV_LOCALE to a Unix locale to choose the ANSI code
#                         page the programs get.
#   wine_stop PID         stops one program started by wine_start
#   wine_path PATH        the Windows form of a host path
#   wait_for_file FILE SECONDS [PATTERN]
#                         waits until FILE exists (and holds PATTERN)
#   without_wine_noise    a filter: the output of Windows programs without Wine's own remarks
#   run_checks LIMIT PROGRAM ARGS...
#                         runs a self-checking program of the build, at most LIMIT seconds
#   run_vbscript FILE ARGS...
#                         runs a script with tests/e2e/com/scripts/common.vbs in front of it
# The Excel stand-in, logging to $work/standin.log
#   start_standin PIDVAR [SWITCHES...]
#   log_lines [LOG]       its log (or another stand-in log), one event a line
#   log_field KIND N [LOG]
#                         field N (1-based) of the log lines of one kind
# Checks: each prints "ok" or "FAIL" and what it checks
#   fail WHAT...          a failed check
#   expect ACTUAL EXPECTED WHAT
#   finish NAME           ends the script, failed when any check failed; a failed one then shows
#                         what Wine said of the programs it ran

# What Wine says of the programs a test runs, and of the servers that COM starts for them: its
# errors, and how COM activates and marshals. It goes to $work/wine-<program>.txt, apart from what
# the programs print, and is shown when a test fails.
WINE_ENV_REMARKS=-all,err+all,warn+ole,warn+combase,warn+rpc
# Long enough for a cold wineserver on a busy machine; every wait in these scripts is bounded.
WINE_ENV_START_LIMIT=60
# The messages of the server that the tests close, by title, and the fixed texts they begin with.
readonly link_failure_title="الربط مع الأكسل"
readonly link_failure_text="فشلت عملية الربط ، تأكد من تواجد الهدف"
readonly launch_failure_title="الطباعة إلى أكسل"
readonly launch_failure_text="لم أستطع تشغيل الملف"
WINE_ENV_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
failures=0

wine_env_init() {
    local build_dir
    build_dir=$(cd "$1" && pwd)
    export WINEPREFIX="$build_dir/wine-prefix"
    export WINEDEBUG=-all
    # Without these, a new prefix offers to download Mono and Gecko and waits for an answer.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export SHEETPUSH_BIN="$build_dir/bin"
    WINE_ENV_PIDS=()
    trap stop_servers EXIT
    (
        flock -w 120 9 || exit 1
        [ -f "$WINEPREFIX/.sheetpush-ready" ] && exit 0
        rm -rf "$WINEPREFIX"
        timeout 120 wineboot -i >/dev/null 2>&1
        timeout 60 wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f \
            >/dev/null 2>&1
        # The display driver is read when the wineserver starts.
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
        touch "$WINEPREFIX/.sheetpush-ready"
    ) 9>"$build_dir/wine-prefix.lock"
    [ $# -gt 1 ] || return 0
    work="$build_dir/$2"
    rm -rf "$work"
    mkdir -p "$work"
    win_work=$(wine_path "$work")
}

wine_start_rpcss() {
    local log="$WINEPREFIX/rpcss-start.log"
    local attempt
    for attempt in $(seq 1 20); do
        # Into a file: the services it starts keep a captured pipe open for ever.
        timeout 30 wine net start rpcss >"$log" 2>&1 && return 0
        grep -qi 'already' "$log" && return 0
        sleep 0.5
    done
    echo "rpcss did not start: $(cat "$log")" >&2
    return 1
}

install_excel() {
    local office="$WINEPREFIX/drive_c/program files/microsoft office/office"
    mkdir -p "$office"
    cp "$1" "$office/Excel.exe"
    # The Excel path alone, whatever settings a test before this one left behind.
    wine reg delete 'HKCU\Software\Orvand\Sheetpush' /f >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Orvand\Sheetpush' /v ExcelPath /f \
        /d 'C:\program files\microsoft office\office\Excel.exe' >/dev/null
}

register_server() {
    wine "$SHEETPUSH_BIN/Sheetpush.exe" /RegServer
}

# The class of bench/com/bare_server.hpp.
register_bare_server() {
    wine reg add 'HKLM\Software\Classes\CLSID\{CE392E88-8C1B-4432-A4F5-EEC3B442B046}\LocalServer32' \
        /ve /d "\"$(wine_path "$SHEETPUSH_BIN/BareServer.exe")\"" /f >/dev/null
}

serve_with_standin() {
    install_excel "$SHEETPUSH_BIN/ExcelStandin.exe"
    register_server
    wine_start_rpcss
    start_standin standin "$@"
}

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
    for waited in $(seq 1 100); do
        [ -z "$(prefix_pids 'Sheetpush\.exe')" ] && return 0
        sleep 0.1
    done
    fail "the server still runs after its clients released it"
}

# Ends the servers and launched Excels that outlived their test, and every program started here.
stop_servers() {
    local stray pid
    stray=$(prefix_pids 'Sheetpush\.exe')
    for pid in $stray $(prefix_pids 'office\\Excel\.exe') "${WINE_ENV_PIDS[@]}"; do
        wine_stop "$pid"
    done
    WINE_ENV_PIDS=()
    # A killed server leaves its class object behind in the RPC service, which would fail every
    # later activation in this prefix. This runs as the scripts' exit trap: a wineserver that is
    # already on its way out must not turn a passed test into a failed one.
    [ -z "$stray" ] || wineserver -k || true
}

wine_start() {
    local -n pid_out=$1
    shift
    local remarks
    remarks=$(remarks_file "$1")
    # A simple command, not a function, so that $! is the program: env and the wine launcher
    # exec the loader, which keeps the process id.
    env ${WINE_ENV_LOCALE:+LC_ALL=$WINE_ENV_LOCALE} WINEDEBUG=$WINE_ENV_REMARKS wine "$@" \
        >>"$remarks" 2>&1 &
    pid_out=$!
    WINE_ENV_PIDS+=("$pid_out")
}

wine_stop() {
    kill "$1" 2>/dev/null || true
    local waited
    for waited in $(seq 1 50); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -9 "$1" 2>/dev/null || true
}

wine_path() {
    winepath -w "$1" 2>/dev/null
}

wait_for_file() {
    local file=$1 limit=$2 pattern=${3:-}
    local deadline=$((SECONDS + limit))
    while [ $SECONDS -lt $deadline ]; do
        if [ -f "$file" ]; then
            [ -z "$pattern" ] && return 0
            grep -q -- "$pattern" "$file" && return 0
        fi
        sleep 0.05
    done
    echo "timed out waiting for $file ${pattern:+($pattern)}" >&2
    return 1
}

without_wine_noise() {
    tr -d '\r' | grep -v 'wine32\|multiarch\|dpkg\|apt-get' || true
}

# Into a file, not a pipe: a server that Wine starts for the program inherits its output, and one
# that is never released would keep a pipe open. The program passes when it ended with 0 and its
# tally says that it checked something and nothing failed.
run_checks() {
    local limit=$1 program=$2 status=0
    shift 2
    local output="$work/$program.out"
    timeout "$limit" env ${WINE_ENV_LOCALE:+LC_ALL=$WINE_ENV_LOCALE} WINEDEBUG=$WINE_ENV_REMARKS \
        wine "$SHEETPUSH_BIN/$program.exe" "$@" >"$output" 2>>"$(remarks_file "$program")" ||
        status=$?
    without_wine_noise <"$output"
    [ "$status" -eq 0 ] || fail "$program $* ended with $status"
    grep -Eq '^[1-9][0-9]* passed, 0 failed' "$output" || fail "$program $* did not report its checks"
}

# Wine's VBScript has no ExecuteGlobal to load the shared helpers: they go in front of the
# script, the two put together in $work.
run_vbscript() {
    local combined="$work/$(basename "$1")" script=$1
    shift
    cat "$WINE_ENV_DIR/com/scripts/common.vbs" "$script" >"$combined"
    WINEDEBUG=$WINE_ENV_REMARKS timeout 240 wine cscript //nologo "$(wine_path "$combined")" "$@" \
        2>>"$(remarks_file cscript)"
}

# A stand-in serves well under a second after its start. Once, on a loaded machine, one never
# came up: a stand-in that has ended, or is not serving within the limit, is reported with its
# log and started once more.
start_standin() {
    local -n standin_pid=$1
    shift
    local before attempt deadline
    before=$(ready_stand_ins)
    for attempt in 1 2; do
        wine_start standin_pid "$SHEETPUSH_BIN/ExcelStandin.exe" "/log:$win_work\\standin.log" "$@"
        deadline=$((SECONDS + WINE_ENV_START_LIMIT / 2))
        while [ "$(ready_stand_ins)" -le "$before" ] && kill -0 "$standin_pid" 2>/dev/null &&
            [ $SECONDS -lt $deadline ]; do
            sleep 0.05
        done
        [ "$(ready_stand_ins)" -le "$before" ] || return 0
        echo "the stand-in $* is not serving ($(kill -0 "$standin_pid" 2>/dev/null &&
            echo running || echo ended)); its log: $(log_lines)"
        wine_stop "$standin_pid"
    done
    fail "the stand-in $* did not start"
    finish
}

ready_stand_ins() {
    log_lines | grep -c $'\tready\t' || true
}

log_lines() {
    local log=${1:-$work/standin.log}
    [ ! -f "$log" ] || cat "$log"
}

log_field() {
    log_lines "${3:-}" | awk -F'\t' -v kind="$1" -v field="$2" '$2 == kind { print $field }'
}

fail() {
    echo "FAIL $*"
    failures=$((failures + 1))
}

expect() {
    if [ "$1" = "$2" ]; then
        echo "ok   $3"
    else
        fail "$3"
        diff <(echo "$2") <(echo "$1") || true
    fi
}

# Where Wine's remarks on PROGRAM (a path or a name) go.
remarks_file() {
    local name
    name=$(basename "${1//\\//}")
    echo "$work/wine-${name%.*}.txt"
}

# Each remark once, with how often it came, without the thread that made it.
show_remarks() {
    local file
    for file in "$work"/wine-*.txt; do
        [ -s "$file" ] || continue
        echo "Wine's remarks in $(basename "$file"):"
        without_wine_noise <"$file" | sed 's/^[0-9a-f]*://' | sort | uniq -c | sort -rn
    done
}

finish() {
    if [ "$failures" -ne 0 ]; then
        show_remarks
        exit 1
    fi
    echo "passed: $1"
}
