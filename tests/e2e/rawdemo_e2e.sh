#!/usr/bin/env bash
# End to end: rawdemo, a plain C program skinned through the skin DLL's three
# calls, saves its main window, popup menu, dialog and message box under each
# skin and none (SCREENSHOT_DIR/rawdemo/<skin>/, BMP and PNG). Under the two
# skins every picture differs in size by exactly the difference of their
# frames (the client areas stay), and the title bars look different from
# each other and from the unskinned run. A bad or a missing skin file is
# reported on stderr with its result code and words, and the program runs
# unskinned.
#   rawdemo_e2e.sh RAWDEMO.EXE SCREENSHOT_DIR
set -uo pipefail
exe=$1
shots=$2/rawdemo
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$shots"
E2E_LOG="$shots/rawdemo.log"
: >"$E2E_LOG"
. "$here/e2e_lib.sh"
skins=$(dirname "$exe")
winpath() { echo "Z:${1//\//\\}"; }

# rawdemo with the given arguments, screenshots into $shots/$1; stderr in $1.err.
run() {
    local name=$1
    shift
    rm -rf "${shots:?}/$name"
    mkdir -p "$shots/$name"
    "$LT_ROOT/scripts/wine-run" "$exe" "$@" --screenshot "$(winpath "$shots/$name")" \
        </dev/null >>"$E2E_LOG" 2>"$shots/$name.err"
    local code=$?
    local count=0
    for f in main popup dialog msgbox; do
        [ -f "$shots/$name/$f.bmp" ] && count=$((count + 1))
        command -v convert >/dev/null && convert "$shots/$name/$f.bmp" "$shots/$name/$f.png" 2>/dev/null
    done
    e2e_check "$name: ends with 0 (exit $code) and saves 4 pictures ($count)" \
        test "$code" = 0 -a "$count" = 4
}

run xpluna --skin "$(winpath "$skins/xpluna.skn")"
run graphite --skin "$(winpath "$skins/graphite.skn")"
run none --no-skin
# Graphite's frame is 5 + 5 wide with a 24 + 5 high title and bottom,
# XPLuna's 3 + 3 with 29 + 3: the same client areas make every Graphite
# picture 4 wider and 3 lower.
e2e_check "the client areas stay under either skin" \
    python3 "$here/rawdemo_check.py" sizes "$shots/xpluna" "$shots/graphite" 4 -3
e2e_check "the two skins' title bars differ" \
    python3 "$here/rawdemo_check.py" differ "$shots/xpluna" "$shots/graphite"
e2e_check "XPLuna's title bars are not the platform's" \
    python3 "$here/rawdemo_check.py" differ "$shots/none" "$shots/xpluna"
e2e_check "Graphite's title bars are not the platform's" \
    python3 "$here/rawdemo_check.py" differ "$shots/none" "$shots/graphite"
run default
e2e_check "without --skin it loads xpluna.skn beside itself" \
    python3 "$here/rawdemo_check.py" same "$shots/xpluna" "$shots/default"

printf 'not a skin' >"$shots/bad.skn"
run bad --skin "$(winpath "$shots/bad.skn")"
e2e_check "bad skin: result 1 and words on stderr ($(head -1 "$shots/bad.err"))" \
    grep -q "result 1): Not a packed skin archive" "$shots/bad.err"
e2e_check "bad skin: runs unskinned" python3 "$here/rawdemo_check.py" same "$shots/none" "$shots/bad"
run missing --skin "$(winpath "$shots/no-such.skn")"
e2e_check "missing skin: result 2 and words on stderr ($(head -1 "$shots/missing.err"))" \
    grep -q "result 2): Skin file not found" "$shots/missing.err"
e2e_check "missing skin: runs unskinned" \
    python3 "$here/rawdemo_check.py" same "$shots/none" "$shots/missing"

[ "$FAILURES" -eq 0 ]
