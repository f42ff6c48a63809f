#!/usr/bin/env bash
# The skin DLL exports exactly the documented functions, undecorated; its
# import library gives callers the stdcall-decorated names; it carries a
# version resource and needs no runtime DLL beside the system's.
#   dll_exports_test.sh lantuo_skin.dll liblantuo_skin.dll.a
set -uo pipefail
dll=$1
implib=$2
objdump=i686-w64-mingw32-objdump
nm=i686-w64-mingw32-nm
failures=0
check() { # description, command...
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}

expected="LtSkinApply LtSkinExcludeWindow LtSkinFree LtSkinLastError LtSkinLoadFile LtSkinLoadMemory LtSkinRemove"
# The names of the export table's name pointer table, sorted.
exports=$($objdump -p "$dll" | awk '/\[Ordinal\/Name Pointer\] Table/ {on=1; next} on && /^\t\[/ {print $NF; next} on {on=0}' | sort | tr '\n' ' ' | sed 's/ $//')
echo "exports: $exports"
check "the export table holds exactly the seven functions" test "$exports" = "$expected"

imports=$($nm "$implib" | awk '$2 == "I" && $3 ~ /^__imp__Lt/ {print $3}' | sort | tr '\n' ' ' | sed 's/ $//')
echo "import symbols: $imports"
want="__imp__LtSkinApply@8 __imp__LtSkinExcludeWindow@4 __imp__LtSkinFree@4 __imp__LtSkinLastError@0 __imp__LtSkinLoadFile@8 __imp__LtSkinLoadMemory@12 __imp__LtSkinRemove@0"
check "the import library names the decorated stdcall functions" test "$imports" = "$want"

# The version resource: VS_VERSION_INFO with the product's version text.
version=$(grep -o 'project(lantuo VERSION [0-9.]*' "$(dirname "$0")/../../../CMakeLists.txt" | awk '{print $3}')
rsrc=$($objdump -s -j .rsrc "$dll" | awk '{for (i = 2; i <= 5; ++i) printf "%s", $i}')
utf16() { printf '%s' "$1" | iconv -f ascii -t utf-16le | od -An -tx1 | tr -d ' \n'; }
has_text() { case "$rsrc" in *"$(utf16 "$1")"*) return 0 ;; esac; return 1; }
check "a version resource (VS_VERSION_INFO)" has_text VS_VERSION_INFO
check "its file version is $version" has_text "$version"
check "its original file name is lantuo_skin.dll" has_text lantuo_skin.dll

deps=$($objdump -p "$dll" | awk '/DLL Name:/ {print tolower($3)}' | sort -u | tr '\n' ' ')
echo "imports from: $deps"
unexpected=$(echo "$deps" | tr ' ' '\n' | grep -Ev '^(kernel32|user32|gdi32|comctl32|msimg32|msvcrt|advapi32|ole32|oleaut32|shell32|uxtheme|api-ms-win-.*)\.dll$|^$' || true)
check "no runtime DLL beside the system's (${unexpected:-none})" test -z "$unexpected"

[ "$failures" -eq 0 ]
