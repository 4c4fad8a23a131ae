#!/usr/bin/env bash
# End-to-end tests of Sheetpush.exe as a COM local server, run the way its clients use it.
#   com_tests.sh <case> <build dir> [the 64-bit Windows Installer package, for case msi]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../wine_env.sh"

case_name=$1
wine_env_init "$2" "com-tests/$case_name"
server="$SHEETPUSH_BIN/Sheetpush.exe"

# A test script with the shared helpers in front of it.
run_script() {
    local script=$1
    shift
    run_vbscript "$here/scripts/$script" "$@" || fail "$script ended with $?"
}

# The identities of class ExcelTable: its CLSID, its type library and its interface.
readonly table_clsid='{3A8540EA-ECE8-4328-AD3E-E53AB1147FEE}'
readonly table_libid='{CAD7DB40-233B-4622-B2A4-9304E9CFB5A2}'
readonly table_iid='{7F41EC35-FBCC-4FF2-804D-7C645C7F4576}'

# The registry keys below the classes of ROOT (HKLM or HKCU) that belong to the server, in one
# registry VIEW (32 or 64), as reg prints them.
registry_dump() {
    local key
    for key in 'CLSID\{A500801F-3070-4A68-B1F7-F19A247AA098}' 'Sheetpush.ExcelLinke' \
        'TypeLib\{1483D782-A65D-4537-8B1A-614D71B36BBC}' \
        'Interface\{28ADC7E8-A17A-4835-B394-80F464DCBA9E}' "CLSID\\$table_clsid" \
        'Sheetpush.ExcelTable' "TypeLib\\$table_libid" "Interface\\$table_iid"; do
        wine reg query "$1\\Software\\Classes\\$key" /s "/reg:$2" 2>/dev/null | tr -d '\r' |
            sed '/^$/d; s/ *$//' | grep -v '^reg:' || true
    done
}

# What registering writes below the classes of ROOT (HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER)
# for the server at the Windows path EXE, the same in each view.
registered_keys() {
    local classes="$1\\Software\\Classes" exe=$2
    cat <<KEYS
$classes\\CLSID\\{A500801F-3070-4A68-B1F7-F19A247AA098}\\LocalServer32
    (Default)    REG_SZ    "$exe"
$classes\\CLSID\\{A500801F-3070-4A68-B1F7-F19A247AA098}\\ProgID
    (Default)    REG_SZ    Sheetpush.ExcelLinke
$classes\\Sheetpush.ExcelLinke\\CLSID
    (Default)    REG_SZ    {A500801F-3070-4A68-B1F7-F19A247AA098}
$classes\\TypeLib\\{1483D782-A65D-4537-8B1A-614D71B36BBC}\\1.0
    (Default)    REG_SZ    Sheetpush
$classes\\TypeLib\\{1483D782-A65D-4537-8B1A-614D71B36BBC}\\1.0\\0
$classes\\TypeLib\\{1483D782-A65D-4537-8B1A-614D71B36BBC}\\1.0\\0\\win32
    (Default)    REG_SZ    $exe
$classes\\TypeLib\\{1483D782-A65D-4537-8B1A-614D71B36BBC}\\1.0\\0\\win64
    (Default)    REG_SZ    $exe
$classes\\TypeLib\\{1483D782-A65D-4537-8B1A-614D71B36BBC}\\1.0\\FLAGS
    (Default)    REG_SZ    0
$classes\\TypeLib\\{1483D782-A65D-4537-8B1A-614D71B36BBC}\\1.0\\HELPDIR
    (Default)    REG_SZ
$classes\\Interface\\{28ADC7E8-A17A-4835-B394-80F464DCBA9E}
    (Default)    REG_SZ    _ExcelLinke
$classes\\Interface\\{28ADC7E8-A17A-4835-B394-80F464DCBA9E}\\ProxyStubClsid
    (Default)    REG_SZ    {00020424-0000-0000-C000-000000000046}
$classes\\Interface\\{28ADC7E8-A17A-4835-B394-80F464DCBA9E}\\ProxyStubClsid32
    (Default)    REG_SZ    {00020424-0000-0000-C000-000000000046}
$classes\\Interface\\{28ADC7E8-A17A-4835-B394-80F464DCBA9E}\\TypeLib
    (Default)    REG_SZ    {1483D782-A65D-4537-8B1A-614D71B36BBC}
    Version    REG_SZ    1.0
$classes\\CLSID\\$table_clsid\\LocalServer32
    (Default)    REG_SZ    "$exe"
$classes\\CLSID\\$table_clsid\\ProgID
    (Default)    REG_SZ    Sheetpush.ExcelTable
$classes\\Sheetpush.ExcelTable\\CLSID
    (Default)    REG_SZ    $table_clsid
$classes\\TypeLib\\$table_libid\\1.0
    (Default)    REG_SZ    SheetpushTables
$classes\\TypeLib\\$table_libid\\1.0\\0
$classes\\TypeLib\\$table_libid\\1.0\\0\\win32
    (Default)    REG_SZ    $exe\\2
$classes\\TypeLib\\$table_libid\\1.0\\0\\win64
    (Default)    REG_SZ    $exe\\2
$classes\\TypeLib\\$table_libid\\1.0\\FLAGS
    (Default)    REG_SZ    0
$classes\\TypeLib\\$table_libid\\1.0\\HELPDIR
    (Default)    REG_SZ
$classes\\Interface\\$table_iid
    (Default)    REG_SZ    _ExcelTable
$classes\\Interface\\$table_iid\\ProxyStubClsid
    (Default)    REG_SZ    {00020424-0000-0000-C000-000000000046}
$classes\\Interface\\$table_iid\\ProxyStubClsid32
    (Default)    REG_SZ    {00020424-0000-0000-C000-000000000046}
$classes\\Interface\\$table_iid\\TypeLib
    (Default)    REG_SZ    $table_libid
    Version    REG_SZ    1.0
KEYS
}

# Both registry views of ROOT hold exactly KEYS.
expect_views() {
    local view
    for view in 32 64; do
        expect "$(registry_dump "$1" $view)" "$2" "$3 ($view-bit view)"
    done
}

case "$case_name" in
registration)
    wine "$server" -UNREGSERVER
    expect_views HKLM "" "nothing of the server is registered after unregistering"

    # Help on the standard output; a switch the server does not know is an error that shows the
    # switches too, and neither registers nor starts anything.
    for switch in '/?' -HELP; do
        status=0
        wine "$server" "$switch" >"$work/stdout.txt" 2>"$work/stderr.txt" || status=$?
        expect "$status" "0" "$switch exits 0"
        expect "$(head -1 "$work/stdout.txt" | tr -d '\r')" \
            "Sheetpush 1.1.0.19 (version record 1.01.0019), the automation server of Sheetpush.ExcelLinke." \
            "$switch names the version in both its forms"
        expect "$(grep -c '^  /' "$work/stdout.txt")" "5" "$switch lists the switches"
    done
    status=0
    wine "$server" /Register >"$work/stdout.txt" 2>"$work/stderr.txt" || status=$?
    expect "$status" "1" "an unknown switch exits 1"
    expect "$(without_wine_noise <"$work/stderr.txt" | head -1)" "Sheetpush: unknown switch /Register" \
        "an unknown switch is named on the standard error stream"
    expect "$(grep -c '^  /' "$work/stderr.txt")" "5" "an unknown switch lists the switches there"
    expect "$(without_wine_noise <"$work/stdout.txt")" "" "and writes nothing on the standard output"
    expect_views HKLM "" "an unknown switch registers nothing"
    wine "$server" /unregserver
    echo "ok   unregistering what is not registered succeeds"
    out=$(wine "$server" /RegServer 2>&1 | without_wine_noise)
    expect "$out" "" "registering is silent"
    expect_views HKLM "$(registered_keys HKEY_LOCAL_MACHINE "$(wine_path "$server")")" \
        "registering writes the class, the ProgID, the type library and the interface"
    wine "$server" -regserver
    echo "ok   registering twice succeeds"
    wine "$server" /UnregServer
    expect_views HKLM "" "unregistering removes every key"

    # A copy whose type library resource cannot be found: registration fails, says why on the
    # standard error stream and leaves nothing behind.
    python3 - "$server" "$work/Broken.exe" <<'MANGLE'
import sys
image = open(sys.argv[1], "rb").read()
name = "TYPELIB".encode("utf-16-le")
open(sys.argv[2], "wb").write(image.replace(name, "TYPELIX".encode("utf-16-le"), 1))
MANGLE
    status=0
    wine "$work/Broken.exe" /RegServer 2>"$work/stderr.txt" || status=$?
    expect "$status" "1" "a failed registration exits 1"
    expect "$(grep -c '^Sheetpush: reading the type library' "$work/stderr.txt")" "1" \
        "a failed registration gives its reason on the standard error stream"
    expect_views HKLM "" "a failed registration leaves nothing registered"

    # Another copy, as a zip unpacked elsewhere: its unregistering leaves this one's registration
    # in place, and a client still reaches this one.
    install_excel "$SHEETPUSH_BIN/ExcelStandin.exe"
    wine_start_rpcss
    start_standin standin
    mkdir -p "$work/copy b"
    copy="$work/copy b/Sheetpush.exe"
    cp "$server" "$copy"
    wine "$server" /RegServer
    status=0
    wine "$copy" /UnregServer 2>"$work/stderr.txt" || status=$?
    expect "$status" "0" "another copy's unregistering exits 0"
    expect "$(tr -d '\r' <"$work/stderr.txt" | grep -cF "Sheetpush: left in place what another copy registered ($(wine_path "$server")): CLSID")" \
        "1" "and says on the standard error stream what it left and why"
    expect_views HKLM "$(registered_keys HKEY_LOCAL_MACHINE "$(wine_path "$server")")" \
        "another copy's unregistering leaves the registration whole"
    mkdir -p "$work/source"
    cat >"$work/source/client.vbs" <<'CLIENT'
Set link = NewLink()
Check link.Sheetpush("served after another copy unregistered", 1, 1, "Sheet1") = True, _
    "a client still reaches the server that stayed registered"
NoError "Sheetpush"
Set link = Nothing
Finish
CLIENT
    run_vbscript "$work/source/client.vbs" >"$work/client.out" || fail "client.vbs ended with $?"
    tr -d '\r' <"$work/client.out"
    grep -q '^ok   a client still reaches' "$work/client.out" && ! grep -q '^FAIL' "$work/client.out" ||
        fail "the client's checks did not all pass"
    wait_server_gone
    wine "$copy" /RegServer
    expect_views HKLM "$(registered_keys HKEY_LOCAL_MACHINE "$(wine_path "$copy")")" \
        "registering a copy takes over from the other"

    # Its own registration, however it is written, and a type library that also names another
    # copy: the server unregisters what names it and leaves the rest.
    classes='HKLM\Software\Classes'
    library="$classes\TypeLib\{1483D782-A65D-4537-8B1A-614D71B36BBC}\1.0\0"
    own=$(wine_path "$server")
    for form in "\"${own^^}\"" "$own"; do
        wine "$server" /RegServer
        wine reg add "$classes\CLSID\{A500801F-3070-4A68-B1F7-F19A247AA098}\LocalServer32" \
            /ve /d "$form" /f /reg:64 >/dev/null
        wine "$server" /UnregServer
        expect "$(registry_dump HKLM 64)" "" "unregistering removes its own registration, written as $form"
    done
    wine "$server" /RegServer
    wine reg add "$library\win32" /ve /d "$(wine_path "$copy")" /f /reg:64 >/dev/null
    wine "$server" /UnregServer 2>/dev/null
    expect "$(registry_dump HKLM 64 | grep -c '^HKEY')" "5" \
        "a type library that names another copy keeps its key, with that copy's entry alone"
    expect "$(wine reg query "$library\win32" /ve /reg:64 2>/dev/null | grep -c "copy b")" "1" \
        "the other copy's entry stays"
    wine reg delete "$classes\TypeLib\{1483D782-A65D-4537-8B1A-614D71B36BBC}" /f /reg:64 \
        >/dev/null
    # The second type library is named with its resource number, "<path>\2": an entry that names
    # this copy so, in any letter case, goes; one that names another copy stays, and the line on
    # the error stream names that copy's executable.
    tables_library="$classes\\TypeLib\\$table_libid\\1.0\\0"
    wine "$server" /RegServer
    wine reg add "$tables_library\win64" /ve /d "${own^^}\2" /f /reg:64 >/dev/null
    wine reg add "$tables_library\win32" /ve /d "$(wine_path "$copy")\2" /f /reg:64 >/dev/null
    wine "$server" /UnregServer 2>"$work/stderr.txt"
    expect "$(registry_dump HKLM 64 | grep -c '^HKEY')" "5" \
        "a second type library that names another copy keeps its key, with that copy's entry alone"
    expect "$(wine reg query "$tables_library\win32" /ve /reg:64 2>/dev/null | tr -d '\r' |
        grep -c 'copy b.*\\2$')" "1" "the other copy's entry stays"
    expect "$(tr -d '\r' <"$work/stderr.txt" | grep -cF "($(wine_path "$copy")): TypeLib\\$table_libid")" \
        "1" "the line names the other copy's executable"
    wine reg delete "$classes\\TypeLib\\$table_libid" /f /reg:64 >/dev/null
    ;;
per-user)
    # Wine's COM reads classes from HKEY_LOCAL_MACHINE only, so no client can be shown using a
    # registration for the user here; what the registration writes, and where, can.
    wine "$server" /UnregServer
    out=$(wine "$server" /RegServerPerUser 2>&1 | without_wine_noise)
    expect "$out" "" "registering for the user is silent"
    expect_views HKCU "$(registered_keys HKEY_CURRENT_USER "$(wine_path "$server")")" \
        "registering for the user writes the class, the ProgID, the type library and the interface"
    expect_views HKLM "" "registering for the user writes nothing for the machine"
    wine "$server" -unregserverperuser
    expect_views HKCU "" "unregistering for the user removes every key"
    ;;
literals | variables | two-objects)
    serve_with_standin /sheet:ورقة1 /sheet:Sheet1 /sheet:Sheet2
    run_script "${case_name/-/_}.vbs"
    wait_server_gone
    case "$case_name" in
    literals)
        expect "$(log_lines | awk -F'\t' '$2 == "poke" && $7 == "literal text" { print $3, $4 }')" \
            "Sheet1 R5C3" "column 3 and row 5 reach Excel as R5C3"
        ;;
    two-objects)
        # The link window holds its conversations with Excel, one per sheet, whichever object
        # calls, and ends them when the server ends.
        expect "$(log_field connect 3 | tr '\n' ' ')" "Sheet1 Sheet2 " \
            "both objects talk to Excel through the one link window"
        wait_for_file "$work/standin.log" 10 $'\tterminate\tSheet1\t' &&
            wait_for_file "$work/standin.log" 10 $'\tterminate\tSheet2\t' ||
            fail "the server's end did not terminate its conversations"
        expect "$(log_field terminate 1 | sort | tr '\n' ' ')" \
            "$(log_field connect 1 | sort | tr '\n' ' ')" \
            "the server's end terminates every conversation"
        ;;
    esac
    ;;
launch)
    # The started Excel is the stand-in; it records its command line in its own log.
    serve_with_standin
    wine reg delete 'HKCU\Software\Orvand\Sheetpush' /v ExcelPath /f >/dev/null
    launched_log="$work/launched.log"
    wine_start closer "$SHEETPUSH_BIN/MessageBoxCloser.exe" "/title:$launch_failure_title" /count:1 \
        /timeout:60000 "/out:$win_work\box"
    SHEETPUSH_STANDIN_LOG="$win_work\\launched.log" run_script launch.vbs
    wait_server_gone
    wait_for_file "$launched_log" 30 commandline || true
    # Wine quotes the program part of the line the started program sees; the log doubles
    # each backslash.
    expect "$(log_field commandline 7 "$launched_log")" \
        '"C:\\program files\\microsoft office\\office\\Excel.exe" C:\\books\\sales.xls' \
        "Excel is started on the workbook"
    expect "$(tr -d '\r' <"$work/box1.txt" 2>/dev/null)" "$launch_failure_text" \
        "a failed launch shows its message"
    ;;
arabic)
    serve_with_standin
    printf 'نص عربي: مرحبا بالعالم\r\nورقة1' | iconv -f UTF-8 -t UTF-16 >"$work/in.txt"
    run_script arabic.vbs "$win_work\in.txt" "$win_work\out.txt"
    wait_server_gone
    expect "$(iconv -f UTF-16 -t UTF-8 "$work/out.txt" | tr -d '\r')" "نص عربي: مرحبا بالعالم" \
        "the Arabic text comes back unchanged"
    expect "$(log_lines | awk -F'\t' '$2 == "poke" { print $3, $4 }')" "ورقة1 R3C2" \
        "the poke went to the Arabic sheet"
    ;;
msi)
    # The 64-bit package, installed as an administrator would with nothing of the build
    # registered; the clients are the examples it installs.
    package=$3
    [ -f "$package" ] || { fail "no package at $package: build the msi target first"; finish; }
    wine "$server" /UnregServer
    install_excel "$SHEETPUSH_BIN/ExcelStandin.exe"
    wine_start_rpcss
    start_standin standin
    status=0
    wine msiexec /i "$(wine_path "$package")" /qn || status=$?
    expect "$status" "0" "the package installs"
    folder='C:\Program Files\Sheetpush'
    expect_views HKLM "$(registered_keys HKEY_LOCAL_MACHINE "$folder\Sheetpush.exe")" \
        "the package registers the installed server"
    out=$(timeout 240 wine cscript //nologo "$folder\examples\hello.vbs" 2>/dev/null | tr -d '\r')
    wait_server_gone
    expect "$(echo "$out" | head -1)" "Written: True, read back: Hello from Sheetpush" \
        "the installed example writes a cell and reads it back"
    expect "$(log_lines | awk -F'\t' '$2 == "poke" { print $3, $4, $7 }')" \
        "Sheet1 R3C2 Hello from Sheetpush" "the cell reached Excel"
    out=$(timeout 240 wine cscript //nologo "$folder\examples\hello.js" 2>/dev/null | tr -d '\r')
    wait_server_gone
    expect "$out" "Written: true, read back: Hello from Sheetpush" \
        "the installed JScript example does the same"
    status=0
    wine msiexec /x "$(wine_path "$package")" /qn || status=$?
    expect "$status" "0" "the package uninstalls"
    expect_views HKLM "" "uninstalling removes every key"
    expect "$(find "$WINEPREFIX/drive_c/Program Files" -ipath '*sheetpush*')" "" \
        "uninstalling removes every installed file and folder"
    ;;
cpp-client)
    serve_with_standin
    run_checks 120 ComClientTest
    wait_server_gone
    ;;
tables)
    # Sheet1, its rows from 3500 on locked, and an Excel in French letters with Feuil1. The script,
    # then the C++ client, each make three calls that show the link failure message.
    serve_with_standin /sheet:Sheet1 /lockedfrom:3500
    start_standin french /letters:LC /sheet:Feuil1
    wine_start closer "$SHEETPUSH_BIN/MessageBoxCloser.exe" "/title:$link_failure_title" /count:6 \
        /timeout:120000 "/out:$win_work\box"
    status=0
    run_vbscript "$here/scripts/tables.vbs" >"$work/script.raw" || status=$?
    tr -d '\r' <"$work/script.raw" >"$work/script.out"
    grep -v '^box$\|^landed ' "$work/script.out" || true
    expect "$status" 0 "tables.vbs ends with no failed check"
    expect "$(grep -c '^box$' "$work/script.out")" 3 "the script announced three messages"
    # Both objects' calls on a sheet go through the one conversation of the link window.
    expect "$(log_lines | awk -F'\t' '$3 == "Sheet1" && ($2 == "poke" || $2 == "request") { print $1 }' |
        sort -u | wc -l)" 1 "table calls and cell calls on Sheet1 share one conversation"
    expect "$(log_lines | awk -F'\t' '$2 == "poke" && $3 == "Feuil1" && $6 == "ok" { print $4 }')" \
        "L3C2:L4C4" "a table goes to an Excel in French in its letters"
    run_checks 200 ComClientTest tables
    wait_server_gone
    status=0
    wait "$closer" || status=$?
    expect "$status" 0 "six messages were shown and closed"
    script_landed=$(sed -n 's/^landed //p' "$work/script.out")
    client_landed=$(sed -n 's/^landed //p' "$work/ComClientTest.out" | tr -d '\r')
    index=0
    while IFS= read -r fragment; do
        index=$((index + 1))
        shown=$(cat "$work/box$index.txt" 2>/dev/null || true)
        [[ "$shown" == "$link_failure_text"* && "$shown" == *"$fragment"* ]] &&
            echo "ok   message $index: $fragment" ||
            fail "message $index reads '$shown', not '$fragment'"
    done <<FRAGMENTS
في الخلية (الصف 1، العمود 2) من الجدول: لم يُرسل النص: فيه علامة جدولة
يمتد الجدول إلى الصف 1048577، بعد آخر صف في الورقة (1048576)
عدد صفوف الجدول التي كُتبت قبل ذلك: $script_landed من 3000
في الخلية (الصف 1، العمود 2) من الجدول: لم يُرسل النص: فيه علامة جدولة
يمتد الجدول إلى العمود 16385، بعد آخر عمود في الورقة (16384)
عدد صفوف الجدول التي كُتبت قبل ذلك: $client_landed من 3000
FRAGMENTS
    ;;
*)
    echo "unknown case $case_name" >&2
    exit 2
    ;;
esac
finish "$case_name"
