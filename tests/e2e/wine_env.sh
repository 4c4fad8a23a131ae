# Shared set-up for the end-to-end scripts that run the Windows build under Wine. Source it,
# then call wine_env_init <build dir>. It gives every build dir one private, headless Wine
# prefix (Wine's null display driver: no X server; DDE and modal message boxes still work).
#
#   wine_env_init DIR     exports WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES, SHEETPUSH_BIN; makes
#                         the prefix on first use
#   wine_start_rpcss      starts the RPC service, which out-of-process COM needs
#   wine_run EXE ARGS...  runs a Windows program in the foreground
#   wine_start PIDVAR EXE ARGS...
#                         starts a Windows program in the background; its process id goes to
#                         PIDVAR and it is stopped by wine_stop_all when the script exits
# Set WINE_ENV_LOCALE to a Unix locale to choose the ANSI code page the programs get.
#   wine_stop PID         stops one program started by wine_start
#   wine_path PATH        the Windows form of a host path
#   wait_for_file FILE SECONDS [PATTERN]
#                         waits until FILE exists (and holds PATTERN, for UTF-16 logs)

# Long enough for a cold wineserver on a busy machine; every wait in these scripts is bounded.
WINE_ENV_START_LIMIT=60

wine_env_init() {
    local build_dir
    build_dir=$(cd "$1" && pwd)
    export WINEPREFIX="$build_dir/wine-prefix"
    export WINEDEBUG=-all
    # Without these, a new prefix offers to download Mono and Gecko and waits for an answer.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export SHEETPUSH_BIN="$build_dir/bin"
    WINE_ENV_PIDS=()
    trap wine_stop_all EXIT
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

wine_run() {
    env ${WINE_ENV_LOCALE:+LC_ALL=$WINE_ENV_LOCALE} wine "$@"
}

wine_start() {
    local -n pid_out=$1
    shift
    # A simple command, not a function, so that $! is the program: env and the wine launcher
    # exec the loader, which keeps the process id.
    env ${WINE_ENV_LOCALE:+LC_ALL=$WINE_ENV_LOCALE} wine "$@" >/dev/null 2>&1 &
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

wine_stop_all() {
    local pid
    for pid in "${WINE_ENV_PIDS[@]}"; do
        wine_stop "$pid"
    done
    WINE_ENV_PIDS=()
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
            iconv -f UTF-16 -t UTF-8 "$file" 2>/dev/null | grep -- "$pattern" >/dev/null && return 0
        fi
        sleep 0.05
    done
    echo "timed out waiting for $file ${pattern:+($pattern)}" >&2
    return 1
}
