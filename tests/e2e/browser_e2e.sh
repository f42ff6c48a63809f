#!/usr/bin/env bash
# End to end: the program starts with its browser filling the client area
# above the status bar, shows no error at start-up with the default start
# address, and stays up.
#   browser_e2e.sh LANTUO.EXE BROWSER_PROBE.EXE SCREENSHOT_DIR
set -uo pipefail

exe=$1
probe=$2
shots=$3
mkdir -p "$shots"
E2E_LOG="$shots/browser.log"
: >"$E2E_LOG"
. "$(dirname "$0")/e2e_lib.sh"
trap e2e_cleanup EXIT

e2e_start "$exe"
win=$(e2e_wait_window "岚拓食品销售管理系统" 60 --onlyvisible) || { echo "FAILED: main window never appeared"; exit 1; }
# A start-up error would show within the first seconds: they pass first.
sleep 3
# Read until the browser is laid out above the status bar.
read_layout() {
    line=$("$LT_ROOT/scripts/wine-run" "$probe" 2>>"$E2E_LOG" </dev/null | tr -d '\r')
    read -r _ cl ct cr cb _ bl bt br bb _ sl st sr sb _ dialogs <<<"$line"
    [ "${br:-0}" -gt "${bl:-0}" ] && [ "${bb:-x}" = "${st:-y}" ]
}
e2e_until 20 read_layout
echo "probe: $line"

e2e_check "browser control present" test "${br:-0}" -gt "${bl:-0}"
e2e_check "browser at the client's left, top and right" \
    test "${bl:-x}/${bt:-x}/${br:-x}" = "${cl:-y}/${ct:-y}/${cr:-y}"
e2e_check "browser ends where the status bar starts" test "${bb:-x}" = "${st:-y}"
e2e_check "status bar at the client's bottom" test "${sb:-x}" = "${cb:-y}"
e2e_check "no message box at start-up" test "${dialogs:-x}" = "0"
e2e_check "program still running" kill -0 "$E2E_PID"
import -window root "$shots/browser.png"
echo "screenshot: $shots/browser.png"

[ "$FAILURES" -eq 0 ]
