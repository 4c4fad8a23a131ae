#!/usr/bin/env bash
# Bad input, faults and load through the real server under Wine:
#   robustness_tests.sh <case> <build dir>
# The C++ cases run one scenario of RobustnessClient.exe, which starts its own stand-ins and
# closes the boxes it expects; the script case runs bad_input.vbs with boxes closed from here.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../wine_env.sh"

case_name=$1
wine_env_init "$2" "robustness-work/$case_name"

# A program that crashes ends at once and says so, instead of waiting in the debugger.
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger \
    /d 'no-debugger.exe' /f >/dev/null
install_excel "$SHEETPUSH_BIN/QuietExcel.exe"
register_server
wine_start_rpcss

# Closes the boxes of one title one by one, their texts into <name><n>_1.txt, until the file
# "$work/done" appears.
close_boxes() {
    local title=$1 name=$2 count=0
    while [ ! -f "$work/done" ]; do
        if wine "$SHEETPUSH_BIN/MessageBoxCloser.exe" "/title:$title" /count:1 \
            /timeout:500 "/out:$win_work\\$name$((count + 1))_" >/dev/null 2>&1; then
            count=$((count + 1))
        fi
    done
}

# The boxes the script announced ("<kind> <fragment>" lines), in order, each holding the fixed
# text and its fragment.
check_boxes() {
    local kind=$1 name=$2 text=$3 index=0 fragment shown
    while IFS= read -r fragment; do
        index=$((index + 1))
        shown="$work/$name${index}_1.txt"
        [ -f "$shown" ] || { fail "$name $index ($fragment) never shown"; continue; }
        grep -qF "$text" "$shown" && grep -qF -- "$fragment" "$shown" ||
            fail "$name $index: '$(head -c 300 "$shown")' lacks '$fragment'"
    done < <(sed -n "s/^$kind //p; s/^$kind\$//p" "$work/script.out")
    [ ! -f "$work/$name$((index + 1))_1.txt" ] || fail "more $name messages than announced"
    echo "checked $index $name messages"
}

# Notes the servers that run until the file "$work/done" appears, into "$work/servers", one host
# process id a line. Each lives for seconds, so a sample every 50 ms sees every one.
note_servers() {
    while [ ! -f "$work/done" ]; do
        prefix_pids 'Sheetpush\.exe' >>"$work/servers"
        sleep 0.05
    done
}

# One run of back_to_back.vbs; only its failed checks are shown.
back_to_back() {
    local status=0
    run_vbscript "$here/back_to_back.vbs" "$@" >"$work/script.raw" || status=$?
    tr -d '\r' <"$work/script.raw" | grep -v '^ok ' || true
    [ "$status" -eq 0 ] || fail "back_to_back.vbs $* ended with $status"
}

case "$case_name" in
bad-input-vbs)
    start_standin standin
    close_boxes "$link_failure_title" box &
    closer=$!
    close_boxes "$launch_failure_title" launch &
    launch_closer=$!
    status=0
    run_vbscript "$here/bad_input.vbs" >"$work/script.raw" || status=$?
    tr -d '\r' <"$work/script.raw" >"$work/script.out"
    touch "$work/done"
    wait "$closer" "$launch_closer" || true
    grep -v '^box \|^launchbox' "$work/script.out" || true
    [ "$status" -eq 0 ] || fail "the script ended with $status"
    grep -qx 'table finished' "$work/script.out" || fail "the script stopped before its end"
    check_boxes box box "$link_failure_text"
    check_boxes launchbox launch "$launch_failure_text"
    wait_server_gone
    ;;
back-to-back)
    # Client processes one right after another, each within the server's linger after the one
    # before: every one of them finds the server the first one started, warm.
    start_standin standin
    note_servers &
    sampler=$!
    clients=24
    for client in $(seq 1 $clients); do
        back_to_back write "$client"
    done
    back_to_back read $clients
    wait_server_gone
    touch "$work/done"
    wait "$sampler" || true
    expect "$(sort -u "$work/servers" | wc -l)" 1 "$((clients + 1)) clients one after another start one server"
    ;;
bad-input-cpp | faults | settings | call-during-box | concurrent-clients | many-calls | server-end | \
    orphan | trace)
    run_checks 280 RobustnessClient "${case_name%-cpp}" "$win_work"
    wait_server_gone
    ;;
killed-client)
    run_checks 280 RobustnessClient killed-client "$win_work"
    # Wine never releases the dead client's object, so the server cannot end by itself; it
    # served the other client, and the exit trap ends it by process id.
    [ -n "$(prefix_pids 'Sheetpush\.exe')" ] || fail "the server ended with the dead client"
    ;;
*)
    echo "unknown case $case_name" >&2
    exit 2
    ;;
esac

finish "$case_name"
