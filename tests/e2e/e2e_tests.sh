#!/usr/bin/env bash
# One end-to-end case under Wine: e2e_tests.sh <case> <build dir>. Each case starts its own
# Excel stand-ins, closes the link failure messages the way a person would, and checks what the
# driver saw, what the boxes said and what the stand-in logged.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"

case_name=$1
wine_env_init "$2" "e2e-work/$case_name"

# Closes the given number of link failure messages as they come up.
start_closer() {
    local -n closer_pid=$1
    wine_start closer_pid "$SHEETPUSH_BIN/MessageBoxCloser.exe" "/title:$link_failure_title" \
        "/count:$2" "/timeout:60000" "/out:$win_work\\box"
}

run_driver() {
    run_checks 150 E2eDriver "$1" "$win_work" "${@:2}"
}

# The messages on screen were the ones the driver showed, and there were that many.
expect_boxes() {
    local count=$1 closer=$2 status=0
    wait "$closer" || status=$?
    [ "$status" -eq 0 ] || fail "the message box closer ended with $status"
    local i
    for i in $(seq 1 "$count"); do
        cmp -s "$work/shown$i.txt" "$work/box$i.txt" ||
            fail "box $i read '$(cat "$work/box$i.txt" 2>/dev/null)', shown '$(cat "$work/shown$i.txt")'"
    done
    [ ! -f "$work/shown$((count + 1)).txt" ] || fail "more than $count messages"
}

driver_with_boxes() {
    local scenario=$1 boxes=$2 closer
    start_closer closer "$boxes"
    run_driver "$scenario" "${@:3}"
    expect_boxes "$boxes" "$closer"
}

case "$case_name" in
roundtrip-unicode)
    # The stand-in asks for an acknowledgement of each value it sends, as a server may.
    start_standin standin /ackreq
    driver_with_boxes roundtrip 0
    [ "$(log_field poke 5 | sort -u)" = CF_UNICODETEXT ] || fail "pokes not all CF_UNICODETEXT"
    [ "$(log_field request 5 | sort -u)" = CF_UNICODETEXT ] || fail "requests not all CF_UNICODETEXT"
    [ "$(log_field ack 4 | tr '\n' ' ')" = "$(log_field request 4 | tr '\n' ' ')" ] &&
        [ "$(log_field ack 6 | sort -u)" = ok ] || fail "not every value acknowledged: $(log_lines)"
    ;;
roundtrip-text)
    # Wine takes the ANSI code page from the Unix locale; the Arabic one lets CF_TEXT carry
    # Arabic letters. That locale is not installed here, so non-ASCII command-line arguments
    # would not survive it: this case passes none.
    export WINE_ENV_LOCALE=ar_SA.UTF-8
    start_standin standin /textonly /sheet:Sheet1
    driver_with_boxes roundtrip 0 Sheet1
    # Unicode is offered once per conversation; once refused, CF_TEXT is used throughout.
    [ "$(log_lines | grep -c $'\tCF_UNICODETEXT\t')" -eq 1 ] || fail "Unicode offered again"
    transfers=$(log_lines | grep -cE $'\t(poke|request)\t')
    [ "$(log_lines | grep -c $'\tCF_TEXT\tok\t')" -eq $((transfers - 1)) ] ||
        fail "not every other transfer in CF_TEXT"
    log_lines | grep $'\tpoke\tSheet1\tR3C2\tCF_TEXT\tok\tمرحبا بالعالم 123$' >/dev/null ||
        fail "Arabic text did not arrive in CF_TEXT"
    ;;
ansi-refusal)
    # A Latin ANSI code page (1252), which has no Arabic letters; this locale is installed, so
    # the closer's Arabic title survives it.
    export WINE_ENV_LOCALE=C.UTF-8
    start_standin standin /textonly /sheet:Sheet1
    driver_with_boxes ansirefusal 4 Sheet1
    ;;
languages)
    start_standin french /letters:LC /sheet:Feuil1
    start_standin german /letters:ZS /sheet:Tabelle1
    start_standin qualified /qualified:Book1.xlsx /sheet:Sheet1
    driver_with_boxes languages 0
    # The other letters are found by requests; a poke goes only in letters that answered.
    for sheet in Feuil1:L3C2 Tabelle1:Z3S2; do
        pokes=$(log_lines | awk -F'\t' -v sheet="${sheet%:*}" '$2 == "poke" && $3 == sheet { print $4, $6 }')
        expect "$(echo "$pokes" | grep -v ' nack$' | sort -u)" "${sheet#*:} ok" "${sheet%:*}: written in its letters"
        expect "$(echo "$pokes" | grep ' nack$' | cut -d' ' -f1 | sort -u)" "R3C2" \
            "${sheet%:*}: no poke in letters that had not answered"
    done
    ;;
workbook-argument)
    start_standin standin 'C:\books\مبيعات 2024.xls'
    # The log writes each backslash twice.
    log_lines | grep -F $'\tcommandline\t' | grep -F 'C:\\books\\مبيعات 2024.xls' >/dev/null ||
        fail "command line not recorded: $(log_lines)"
    driver_with_boxes conversation 0
    ;;
no-standin)
    driver_with_boxes nostandin 2
    ;;
refusals)
    start_standin standin
    driver_with_boxes refusals 8
    log_lines | grep $'\trefuse-topic\tلا توجد\t' >/dev/null || fail "unknown sheet not asked for"
    ;;
conversation)
    start_standin standin
    driver_with_boxes conversation 0
    [ "$(log_field connect 3)" = "ورقة1" ] || fail "one conversation expected: $(log_lines)"
    ;;
busy)
    start_standin standin /busy
    driver_with_boxes busy 1
    ;;
vanished)
    start_standin standin /stopafter:1
    driver_with_boxes vanish 1
    ;;
timeout)
    start_standin slow '/sheet:ورقة1' /delay:12000
    start_standin other /sheet:Sheet2
    driver_with_boxes timeout 1
    ;;
foreign-answer)
    # Another program answers every initiation, naming a sheet of its own.
    start_standin standin
    start_standin foreign /anytopic /sheet:Other
    driver_with_boxes initiation 0
    [ "$(log_field poke 3)" = "ورقة1" ] || fail "the poke went to $(log_field poke 3)"
    ;;
hung-window)
    # Another program hangs on every initiation, longer than the link's time-out, and Excel takes
    # longer than one window's wait: asked again, its late answer is taken.
    start_standin standin /initiatedelay:600
    start_standin hung /initiatedelay:20000 /sheet:Other
    driver_with_boxes initiation 0
    ;;
late-answer)
    start_standin standin /delay:1500
    driver_with_boxes lateanswer 0
    ;;
stray-ack)
    start_standin standin /strayack
    driver_with_boxes strayack 1
    ;;
stray-fence)
    start_standin standin /strayack /refusepokes
    driver_with_boxes strayfence 0
    ;;
reuse)
    start_standin first
    start_closer closer 0
    run_driver reuse >"$work/driver.shown" &
    driver=$!
    wait_for_file "$work/phase1.done" 120 || fail "driver did not reach the restart"
    # A hundred pokes and one conversation, one more for the other sheet in whatever letters, and
    # back on the first sheet its own conversation again.
    [ "$(log_field poke 1 | sed -n 1,100p | sort -u | wc -l)" -eq 1 ] || fail "100 pokes, >1 conversation"
    [ "$(log_field connect 3 | tr '\n' ' ')" = "ورقة1 Sheet1 " ] ||
        fail "conversations: $(log_field connect 3 | tr '\n' ' ')"
    [ "$(log_field poke 1 | sed -n 103p)" = "$(log_field connect 1 | head -1)" ] ||
        fail "back on the first sheet, the poke went on another conversation"
    wine_stop "$first"
    start_standin second
    touch "$work/restarted"
    wait "$driver" || true
    # A check that failed in the background shows in what it printed.
    cat "$work/driver.shown"
    ! grep -q '^FAIL' "$work/driver.shown" || fail "driver scenario reuse"
    expect_boxes 0 "$closer"
    [ "$(log_field connect 1 | wc -l)" -eq 3 ] || fail "no new conversation after the restart"
    [ "$(log_field poke 1 | tail -1)" = "$(log_field connect 1 | tail -1)" ] ||
        fail "the last poke is not on the new stand-in's conversation"
    ;;
*)
    echo "unknown case $case_name" >&2
    exit 2
    ;;
esac
finish "$case_name"
