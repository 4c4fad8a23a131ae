#!/usr/bin/env bash
# Static checks of a release package: the files it holds and the build they come from, and for a
# Windows Installer package the tables that install and register it. They stand in for
# installing where the build cannot run here (32-bit).
#   packages_check.sh zip|msi <package> win32|win64
set -euo pipefail
source "$(dirname "$0")/../wine_env.sh"
kind=$1 package=$2 platform=$3

if [ ! -f "$package" ]; then
    fail "no package at $package: build the package and msi targets first"
    finish
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The files below FOLDER, one relative path a line.
files_below() {
    (cd "$1" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
}

machine_of() {
    x86_64-w64-mingw32-objdump -f "$1" | sed -n 's/^architecture: \([^,]*\),.*/\1/p'
}

declare -A machines=([win32]=i386 [win64]=i386:x86-64)
program_files='CHANGELOG.md
README.md
Sheetpush.exe
docs/window.png
examples/SheetpushMacro.bas
examples/SheetpushTableMacro.bas
examples/cpp_client.cpp
examples/demo.vbs
examples/fill_table.vbs
examples/hello.js
examples/hello.vbs
examples/open_workbook.vbs'

case "$kind" in
zip)
    python3 -m zipfile -e "$package" "$work"
    top="$work/$(basename "$package" .zip)"
    expect "$(files_below "$top")" "$(printf '%s\n' "$program_files" include/sheetpush.idl \
        include/sheetpush_h.h include/sheetpush_i.c include/sheetpush_tables.idl \
        include/sheetpush_tables_h.h include/sheetpush_tables_i.c register.cmd unregister.cmd |
        LC_ALL=C sort)" \
        "the zip holds the server, the README and its picture, the changelog, the examples, the declarations and the command files"
    expect "$(machine_of "$top/Sheetpush.exe")" "${machines[$platform]}" \
        "the zip's server is the $platform build"
    ;;
msi)
    msiextract -C "$work" "$package" >/dev/null
    folder="$work/Program Files/Sheetpush"
    expect "$(files_below "$folder")" "$program_files" \
        "the package installs the server, the README and its picture, the changelog and the examples under Program Files"
    expect "$(machine_of "$folder/Sheetpush.exe")" "${machines[$platform]}" \
        "the package's server is the $platform build"
    expect "$(msiinfo suminfo "$package" | sed -n 's/^Template: //p')" "Intel;1033" \
        "a 32-bit package"
    expect "$(msiinfo export "$package" Directory | tr -d '\r' | awk -F'\t' '$1 == "INSTALLDIR" { print $2, $3 }')" \
        "ProgramFilesFolder Sheetpush" "installed in Program Files (x86) on 64-bit Windows"
    expect "$(msiinfo export "$package" Property | tr -d '\r' |
        grep -E $'^(ALLUSERS|ProductVersion|UpgradeCode)\t')" "$(printf '%s\t%s\n' \
        ALLUSERS 1 ProductVersion 1.1.0.19 UpgradeCode '{66550D12-0E1E-4760-ADFE-6FDF73599163}')" \
        "for every user, upgraded in place by the next version"
    # Each value with the view its component writes: 64 for a 64-bit component.
    msiinfo export "$package" Component | tr -d '\r' >"$work/components"
    expect "$(msiinfo export "$package" Registry | tr -d '\r' | awk -F'\t' '
        NR == FNR { if (FNR > 3) view[$1] = (int($4 / 256) % 2) ? 64 : 32; next }
        FNR > 3 { print view[$6], $2, $3, $4, $5 }' "$work/components" - | sed 's/ *$//' |
        LC_ALL=C sort)" \
        "$(LC_ALL=C sort <<'ROWS'
32 2 Software\Classes\CLSID\{A500801F-3070-4A68-B1F7-F19A247AA098}\LocalServer32  "[INSTALLDIR]Sheetpush.exe"
32 2 Software\Classes\CLSID\{A500801F-3070-4A68-B1F7-F19A247AA098}\ProgID  Sheetpush.ExcelLinke
32 2 Software\Classes\Sheetpush.ExcelLinke\CLSID  {A500801F-3070-4A68-B1F7-F19A247AA098}
32 2 Software\Classes\TypeLib\{1483D782-A65D-4537-8B1A-614D71B36BBC}\1.0  Sheetpush
32 2 Software\Classes\TypeLib\{1483D782-A65D-4537-8B1A-614D71B36BBC}\1.0\0\win32  [INSTALLDIR]Sheetpush.exe
32 2 Software\Classes\TypeLib\{1483D782-A65D-4537-8B1A-614D71B36BBC}\1.0\0\win64  [INSTALLDIR]Sheetpush.exe
32 2 Software\Classes\TypeLib\{1483D782-A65D-4537-8B1A-614D71B36BBC}\1.0\FLAGS  0
32 2 Software\Classes\TypeLib\{1483D782-A65D-4537-8B1A-614D71B36BBC}\1.0\HELPDIR
32 2 Software\Classes\Interface\{28ADC7E8-A17A-4835-B394-80F464DCBA9E}  _ExcelLinke
32 2 Software\Classes\Interface\{28ADC7E8-A17A-4835-B394-80F464DCBA9E}\ProxyStubClsid  {00020424-0000-0000-C000-000000000046}
32 2 Software\Classes\Interface\{28ADC7E8-A17A-4835-B394-80F464DCBA9E}\ProxyStubClsid32  {00020424-0000-0000-C000-000000000046}
32 2 Software\Classes\Interface\{28ADC7E8-A17A-4835-B394-80F464DCBA9E}\TypeLib  {1483D782-A65D-4537-8B1A-614D71B36BBC}
32 2 Software\Classes\Interface\{28ADC7E8-A17A-4835-B394-80F464DCBA9E}\TypeLib Version 1.0
32 2 Software\Classes\CLSID\{3A8540EA-ECE8-4328-AD3E-E53AB1147FEE}\LocalServer32  "[INSTALLDIR]Sheetpush.exe"
32 2 Software\Classes\CLSID\{3A8540EA-ECE8-4328-AD3E-E53AB1147FEE}\ProgID  Sheetpush.ExcelTable
32 2 Software\Classes\Sheetpush.ExcelTable\CLSID  {3A8540EA-ECE8-4328-AD3E-E53AB1147FEE}
32 2 Software\Classes\TypeLib\{CAD7DB40-233B-4622-B2A4-9304E9CFB5A2}\1.0  SheetpushTables
32 2 Software\Classes\TypeLib\{CAD7DB40-233B-4622-B2A4-9304E9CFB5A2}\1.0\0\win32  [INSTALLDIR]Sheetpush.exe\2
32 2 Software\Classes\TypeLib\{CAD7DB40-233B-4622-B2A4-9304E9CFB5A2}\1.0\0\win64  [INSTALLDIR]Sheetpush.exe\2
32 2 Software\Classes\TypeLib\{CAD7DB40-233B-4622-B2A4-9304E9CFB5A2}\1.0\FLAGS  0
32 2 Software\Classes\TypeLib\{CAD7DB40-233B-4622-B2A4-9304E9CFB5A2}\1.0\HELPDIR
32 2 Software\Classes\Interface\{7F41EC35-FBCC-4FF2-804D-7C645C7F4576}  _ExcelTable
32 2 Software\Classes\Interface\{7F41EC35-FBCC-4FF2-804D-7C645C7F4576}\ProxyStubClsid  {00020424-0000-0000-C000-000000000046}
32 2 Software\Classes\Interface\{7F41EC35-FBCC-4FF2-804D-7C645C7F4576}\ProxyStubClsid32  {00020424-0000-0000-C000-000000000046}
32 2 Software\Classes\Interface\{7F41EC35-FBCC-4FF2-804D-7C645C7F4576}\TypeLib  {CAD7DB40-233B-4622-B2A4-9304E9CFB5A2}
32 2 Software\Classes\Interface\{7F41EC35-FBCC-4FF2-804D-7C645C7F4576}\TypeLib Version 1.0
ROWS
)" "the package registers the server for the machine in the 32-bit view, the only one it can write"
    ;;
*)
    echo "unknown kind $kind" >&2
    exit 2
    ;;
esac
finish "$kind $platform"
