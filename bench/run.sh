#!/usr/bin/env bash
# Builds the Windows benchmarks, runs them under Wine against the Excel stand-in, and prints
# Sheetpush's cost per call beside its baselines, with the ratios, in one table, and whole tables
# beside the cells they hold.
#   bench/run.sh [build dir, default build/windows-x64] [calls, default 2000]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/windows-x64}
calls=${2:-2000}
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$build" -j2 --target Sheetpush ExcelStandin BareServer ComBench DdeBench \
    OverallBench TableBench >/dev/null
source "$root/tests/e2e/wine_env.sh"
wine_env_init "$build" bench-overall
register_bare_server
serve_with_standin /sheet:ورقة1 /sheet:Sheet1 /sheet:Sheet2 /sheet:Sheet3
# Twins but for the language of their cell items.
start_standin english /sheet:English
start_standin french /letters:LC /sheet:French

# Into files: a server Wine starts for a program inherits its output and may outlive it.
measure() {
    local out=$1
    shift
    timeout 900 wine "$@" >"$work/$out" 2>&1 || echo "$* ended with $?" >&2
    tr -d '\r' <"$work/$out" >"$work/$out.txt"
}
measure dde "$SHEETPUSH_BIN/DdeBench.exe" "$calls"
measure com "$SHEETPUSH_BIN/ComBench.exe" "$calls"
measure overall "$SHEETPUSH_BIN/OverallBench.exe" "$calls"

# The script times its own calls; the stand-in counts the conversations they took.
connections() { log_field connect 1 | wc -l; }
cp "$root/bench/overall/script_bench.vbs" "$work/"
script_rounds=10
script_per_round=$((calls / 40 > 3 ? calls / 40 : 3))
connections_before=$(connections)
measure script cscript //nologo "$(wine_path "$work/script_bench.vbs")" $script_rounds \
    $script_per_round
script_conversations=$(($(connections) - connections_before))

ms_before() { awk -v key="$2" 'index($0, key) == 1 { for (i = 1; i <= NF; i++) if ($i == "ms/poke") print $(i - 1) }' "$work/$1.txt"; }
rate_ms() { awk -v key="$2" 'index($0, key) == 1 { printf "%.4f", 1000 / $NF }' "$work/$1.txt"; }
value() { awk -v key="$2" '$1 == key { print $2 }' "$work/$1.txt"; }
[ "$(value script script-failures)" = 0 ] || echo "the script's calls did not all do what they should" >&2

dde_held=$(ms_before dde "bare raw DDE, one held conversation")
send_one=$(ms_before dde "SEND, one sheet")
com_bare=$(rate_ms com "empty calls/s on the bare server")
com_push=$(rate_ms com "Sheetpush round trips/s")
cold="$(value overall cold-sheetpush) $(value overall cold-bare) $(value overall warm-sheetpush)"

awk -v a="$dde_held" -v b="$com_bare" -v push="$com_push" -v one="$(value overall sheetpush-one-sheet)" \
    -v two="$(value overall sheetpush-two-sheets)" -v fresh="$(value overall dde-fresh-conversation)" \
    -v english="$(value overall sheetpush-english)" -v french="$(value overall sheetpush-french)" \
    -v send="$send_one" -v vbs="$(value script script-one-sheet)" \
    -v vbsturn="$(value script script-in-turn)" -v vbsplain="$(value script script-nodde)" \
    -v conversations="$script_conversations" -v scriptcalls=$((3 * script_rounds * script_per_round)) \
    -v cold="$cold" '
function row(name, ms, base, other, otherName) {
    if (ms <= 0) { printf "%-52s %10s\n", name, "failed"; return }
    printf "%-52s %9.3f %9.0f", name, ms, 1000 / ms
    if (base > 0) printf "   x%.2f", ms / base
    if (other > 0) printf "   x%.2f of %s", ms / other, otherName
    printf "\n"
}
function goal(what, turn, one) {
    printf "goal, %s in turn at most 1.2 x one sheet: %s (x%.2f)\n", what,
        (one > 0 && turn > 0 && turn <= 1.2 * one ? "met" : "not met"), (one > 0 ? turn / one : 0)
}
BEGIN {
    base = a + b
    printf "%-52s %9s %9s   %s\n", "", "ms/call", "calls/s", "ratio to (a)+(b)"
    row("(a) raw DDE poke, one held conversation", a, 0)
    row("(b) empty call on a bare COM local server (C++)", b, 0)
    row("(a)+(b)", base, base)
    row("Sheetpush from C++ (ComBench)", push, base)
    row("Sheetpush from C++, one sheet", one, base)
    row("Sheetpush from C++, two sheets in turn", two, base, one, "one sheet")
    row("Sheetpush from C++, an Excel in English", english, base)
    row("Sheetpush from C++, its twin in French", french, base, english, "English")
    row("raw DDE, a fresh conversation per poke", fresh, base)
    row("SEND inside the server process, one sheet", send, base)
    printf "\n%-52s %9s %9s   %s\n", "from VBScript", "ms/call", "calls/s", "ratio to (a)+call"
    row("a call the server answers without Excel", vbsplain, 0)
    row("Sheetpush, one sheet", vbs, a + vbsplain)
    row("Sheetpush, three sheets in turn", vbsturn, a + vbsplain, vbs, "one sheet")
    printf "the stand-in saw %d conversations for the script'"'"'s %d calls\n", conversations, scriptcalls
    split(cold, c, " ")
    printf "\ncold start, CreateObject to first call: Sheetpush %.0f ms, bare server %.0f ms, x%.2f\n",
        c[1], c[2], (c[2] > 0 ? c[1] / c[2] : 0)
    printf "a second client right after the first, on the lingering server: %.1f ms, x%.3f of a cold start\n",
        c[3], (c[1] > 0 ? c[3] / c[1] : 0)
    printf "goal, a Sheetpush from C++ at most 1.5 x ((a)+(b)): %s (x%.2f)\n",
        (one > 0 && one <= 1.5 * base ? "met" : "not met"), (base > 0 ? one / base : 0)
    goal("from C++, two sheets", two, one)
    printf "goal, an Excel in French after the first call at most 1.05 x English: %s (x%.2f)\n",
        (english > 0 && french > 0 && french <= 1.05 * english ? "met" : "not met"),
        (english > 0 ? french / english : 0)
    goal("from VBScript, three sheets", vbsturn, vbs)
}'

# Whole tables, from C++ and from the script, each timing its own calls.
measure tables "$SHEETPUSH_BIN/TableBench.exe" 5
cp "$root/bench/overall/table_bench.vbs" "$work/"
measure script-tables cscript //nologo "$(wine_path "$work/table_bench.vbs")" 3
[ "$(value script-tables script-failures)" = 0 ] || echo "the script's table calls did not all do what they should" >&2
for client in "C++:tables:" "VBScript:script-tables:script-"; do
    IFS=: read -r name file prefix <<<"$client"
    awk -v client="$name" -v table="$(value "$file" "${prefix}table-100x10")" \
        -v cells="$(value "$file" "${prefix}cells-1000")" -v one="$(value "$file" "${prefix}sheetpush-one")" \
        -v read="$(value "$file" "${prefix}import-100x10")" \
        -v write_big="$(value "$file" "${prefix}table-10000x10-write")" \
        -v read_big="$(value "$file" "${prefix}table-10000x10-read")" '
function row(what, ms, base, baseName) {
    if (ms <= 0) { printf "%-56s %10s\n", what, "failed"; return }
    printf "%-56s %10.3f", what, ms
    if (base > 0) printf "   x%.2f of %s", ms / base, baseName
    printf "\n"
}
function big(what, ms) {
    if (ms <= 0) { printf "%-56s %10s\n", what, "failed"; return }
    printf "%-56s %10.1f   %.2f us per cell\n", what, ms, ms * 1000 / 100000
}
BEGIN {
    printf "\nwhole tables from %-38s %10s\n", client, "ms"
    row("one Sheetpush", one)
    row("a 100 x 10 table by one SheetpushTable", table, one, "one Sheetpush")
    row("the same 1,000 cells by 1,000 Sheetpush", cells, table, "the table")
    row("ImportTable of the 100 x 10 block", read, one, "one Sheetpush")
    big("a 10,000 x 10 table written whole", write_big)
    big("the 10,000 x 10 table read back whole", read_big)
    printf "goal, a 100 x 10 SheetpushTable at most 3 x one Sheetpush: %s (x%.2f)\n",
        (one > 0 && table > 0 && table <= 3 * one ? "met" : "not met"), (one > 0 ? table / one : 0)
}'
done
