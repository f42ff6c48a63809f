#!/usr/bin/env bash
# End to end: the bench window, started as a program, is seen from outside
# with its painted frame and region, and closes on Alt+F4.
#   bench_window_e2e.sh BENCHWIN.EXE SCREENSHOT_DIR
set -uo pipefail

exe=$1
shots=$2
mkdir -p "$shots"
E2E_LOG="$shots/bench_window.log"
. "$(dirname "$0")/e2e_lib.sh"
trap e2e_cleanup EXIT

e2e_start "$exe"
win=$(e2e_wait_window "Lantuo bench window" 30) || { echo "FAILED: window never appeared"; exit 1; }
read -r x y w h < <(e2e_geometry "$win")
echo "window at $x,$y size ${w}x$h"
shot="$shots/bench_window.png"
# The screen shows the window once its caption and its client's text are
# painted (the frame and the client are painted apart: read until both are).
window_painted() {
    import -window root "$shot"
    [ "$(e2e_pixel "$shot" $((x + 200)) $((y + 15)))" = "200,80,30" ] &&
        [ "$(e2e_ink "$shot" $((x + 20)) $((y + 45)) 260 30)" -gt 300 ]
}
e2e_until 15 window_painted
echo "screenshot: $shot"

e2e_check "window is 480x320" test "${w}x$h" = "480x320"
e2e_check "left border painted" test "$(e2e_pixel "$shot" $((x + 2)) $((y + 100)))" = "30,60,200"
e2e_check "caption painted" test "$(e2e_pixel "$shot" $((x + 200)) $((y + 15)))" = "200,80,30"
e2e_check "client white" test "$(e2e_pixel "$shot" $((x + 300)) $((y + 250)))" = "255,255,255"
e2e_check "top-left corner cut by the region" \
    test "$(e2e_pixel "$shot" "$x" "$y")" != "30,60,200"
ink=$(e2e_ink "$shot" $((x + 20)) $((y + 45)) 260 30)
e2e_check "Chinese text drawn ($ink dark pixels)" test "$ink" -gt 300

# Real input: click into the window, then Alt+F4 closes it and the program ends.
xdotool mousemove $((x + 200)) $((y + 150)) click 1
# Alt+F4 again every two seconds while the program runs: a key that arrives
# before the click was handled goes nowhere.
for _ in 1 2 3 4 5; do
    xdotool key alt+F4
    e2e_wait_exit 2 && break
done
code=$E2E_EXIT
e2e_check "program ended after Alt+F4" test -n "$code"
e2e_check "exit code 0" test "${code:-x}" = "0"

[ "$FAILURES" -eq 0 ]
