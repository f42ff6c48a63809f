#!/usr/bin/env bash
# End to end: the program starts maximised with its title and a live clock,
# framed by the skin (region, title colours, caption buttons that restore,
# maximise and close); Alt+Space opens the system menu under the skinned
# icon and Esc closes it; the skinned close button and Alt+F4 ask for
# confirmation in a skinned dialog; Esc, Cancel and Enter at once keep it
# running; Alt+F4, Tab, Enter ends it with exit code 0.
#   app_e2e.sh LANTUO.EXE APP_PROBE.EXE SCREENSHOT_DIR
set -uo pipefail

exe=$1
probe=$2
shots=$3
mkdir -p "$shots"
E2E_LOG="$shots/app.log"
: >"$E2E_LOG"
. "$(dirname "$0")/e2e_lib.sh"
trap e2e_cleanup EXIT
title="岚拓食品销售管理系统"

# The probe runs as a separate process and prints what it sees.
probe() { "$LT_ROOT/scripts/wine-run" "$probe" "$@" 2>>"$E2E_LOG" </dev/null | tr -d '\r'; }

# Waits up to $1 seconds for the probe's dialog count to become $2.
wait_dialogs() {
    local limit=$1 want=$2 n
    for _ in $(seq 1 $((limit * 4))); do
        n=$(probe dialog | awk '{print $1}')
        [ -n "$n" ] && [ "$n" = "$want" ] && return 0
        sleep 0.25
    done
    return 1
}

running() { kill -0 "$E2E_PID" 2>/dev/null; }
# Whether the main window's zoomed state (probe main) is $1.
zoomed_is() {
    local z
    read -r z _ < <(probe main)
    [ "${z:-x}" = "$1" ]
}
# Whether the window in front is $1 (main or dialog) and, with $2, whether
# the control that has the keys is captioned $2.
focus_is() {
    local front text
    read -r front text < <(probe focus)
    [ "${front:-}" = "$1" ] && { [ $# -lt 2 ] || [ "${text:-}" = "$2" ]; }
}
# After an answer that must not end the program: the main window takes the
# focus back, and by then an answer that closed the program would have ended it.
still_running_after() {
    e2e_check "main window active again after $1" e2e_until 10 focus_is main
    e2e_check "program still running after $1" running
}
# The dialog in front with the keys on a control other than Cancel.
focus_moved_on() {
    local front text
    read -r front text < <(probe focus)
    [ "${front:-}" = dialog ] && [ -n "${text:-}" ] && [ "$text" != 取消 ]
}
# The main window shown maximised and framed by the skin.
main_ready() {
    local sk
    read -r sk _ < <(probe frame)
    [ "${sk:-0}" = 1 ] && zoomed_is 1
}

e2e_start "$exe"
win=$(e2e_wait_window "$title" 60 --onlyvisible)
e2e_check "main window titled $title appeared" test -n "$win"
[ -n "$win" ] || exit 1
e2e_until 30 main_ready

read -r zoomed left top right bottom screen < <(probe main)
echo "main window: zoomed=$zoomed rect=$left,$top-$right,$bottom screen width $screen"
e2e_check "main window is maximised" test "${zoomed:-0}" = "1"
e2e_check "main window spans the screen width" test $(( ${right:-0} - ${left:-0} )) -ge "${screen:-1}"

# The clock panel against the local clock (read twice: a tick may fall between).
clock_ok() {
    local text expect_date now then t
    text=$(probe status)
    expect_date=$(date +%Y年%-m月%-d日)
    echo "clock panel: '$text'"
    case "$text" in "$expect_date "??:??:??) ;; *) return 1 ;; esac
    t=${text##* }
    now=$(date +%s)
    then=$(date -d "$(date +%F) $t" +%s 2>/dev/null) || return 1
    [ $((now - then)) -le 2 ] && [ $((then - now)) -le 1 ]
}
# The first tick comes a second after start; read until it shows.
e2e_check "clock panel shows the local date and time within 2 s" e2e_until 15 clock_ok

import -window root "$shots/app_main.png"
echo "screenshot: $shots/app_main.png"

# The skinned frame: the window answers the skinned query, its region cuts
# the rounded top corners, the client lies inside the skin's borders (left
# 3, title 29) and, maximised, the frame lies exactly on the work area.
frame_of() { probe frame "$@"; }
read -r sk rtype corner cdx cdy cl ct cr cb wl wt wr wb < <(frame_of)
echo "frame: skinned=$sk region=$rtype corner=$corner client at $cdx,$cdy ($cl,$ct-$cr,$cb) work $wl,$wt-$wr,$wb"
e2e_check "main window is framed by the skin" test "${sk:-0}" = 1
e2e_check "its region cuts the top corners" test "${rtype:-0}" = 3 -a "${corner:-1}" = 0
e2e_check "client area inside the skinned borders" test "${cdx:-0}" = 3 -a "${cdy:-0}" = 29
e2e_check "maximised frame lies on the work area" \
    test "${left:-1}" = "$wl" -a "${top:-1}" = "$wt" -a "${right:-0}" = "$wr" -a "${bottom:-0}" = "$wb"
# Title text in the skin's active colour (white) on the skin's blue title.
white=$(convert "$shots/app_main.png" -crop 200x20+20+5 +repage \
    -fx "(r>0.97 && g>0.97 && b>0.97) ? 1 : 0" -format "%[fx:int(w*h*mean)]" info: 2>/dev/null)
blue=$(convert "$shots/app_main.png" -crop 1x1+640+12 +repage -format "%[fx:(b-r)>0.3 ? 1 : 0]" info: 2>/dev/null)
e2e_check "title text in the skin's white ($white pixels) on its blue title" \
    test "${white:-0}" -gt 40 -a "${blue:-0}" = 1

# The skin's caption buttons, clicked as a user clicks them: restore (48 px
# from the right edge), maximise again, each read back from outside.
click_caption() { xdotool mousemove "$1" "$2" click 1; }
click_caption $(( right - 48 + 10 )) $(( top + 15 ))
e2e_until 15 zoomed_is 0
read -r zoomed left top right bottom screen < <(probe main)
e2e_check "the skinned restore button restores the window" test "${zoomed:-1}" = 0
import -window root "$shots/app_restored.png"
echo "screenshot: $shots/app_restored.png"
read -r sk rtype corner _ < <(frame_of)
e2e_check "restored window keeps the skinned frame and region" \
    test "${sk:-0}" = 1 -a "${rtype:-0}" = 3 -a "${corner:-1}" = 0
click_caption $(( right - 48 + 10 )) $(( top + 15 ))
e2e_until 15 zoomed_is 1
read -r zoomed left top right bottom screen < <(probe main)
e2e_check "the skinned maximise button maximises it again" test "${zoomed:-0}" = 1

# Alt+F4 asks; Esc keeps the program running. A click on the status bar
# first makes the window the one that gets the keys.
for _ in $(seq 1 60); do
    [ "$(probe foreground)" = "1" ] && break
    xdotool mousemove 400 $(( ${bottom:-1000} - 20 )) click 1
    sleep 0.25
done
e2e_check "main window has the keyboard" test "$(probe foreground)" = "1"
# Waits up to $1 seconds for an open menu ($2 = 1) or none ($2 = 0).
wait_menu() {
    local limit=$1 want=$2 shown
    for _ in $(seq 1 $((limit * 4))); do
        read -r shown _ < <(probe menu)
        [ "${shown:-x}" = "$want" ] && return 0
        sleep 0.25
    done
    return 1
}
xdotool key alt+space
e2e_check "Alt+Space opens the system menu" wait_menu 10 1
read -r _ ml mt _ < <(probe menu)
echo "system menu at $ml,$mt (window at $left,$top)"
e2e_check "the system menu opens under the skinned icon, inside the title" \
    test $((ml - left)) -ge 0 -a $((ml - left)) -le 12 -a $((mt - top)) -ge 16 -a $((mt - top)) -le 29
import -window root "$shots/app_system_menu.png"
xdotool key Escape
e2e_check "Esc closes the system menu" wait_menu 10 0
# The skinned close button (25 px from the right edge), clicked with the mouse.
click_caption $(( right - 25 + 10 )) $(( top + 15 ))
e2e_check "the skinned close button opens the confirmation dialog" wait_dialogs 10 1
read -r n dl dt dr db topmost < <(probe dialog)
read -r dsk drtype dcorner ddx ddy _ < <(frame_of dialog)
echo "dialog frame: skinned=$dsk region=$drtype corner=$dcorner client at $ddx,$ddy"
e2e_check "dialog is framed by the skin" \
    test "${dsk:-0}" = 1 -a "${drtype:-0}" = 3 -a "${dcorner:-1}" = 0 -a "${ddy:-0}" = 29
echo "dialog: $dl,$dt-$dr,$db topmost=$topmost"
e2e_check "dialog is topmost" test "${topmost:-0}" = "1"
sw=$(xdpyinfo | awk '/dimensions/ {split($2, a, "x"); print a[1]}')
sh=$(xdpyinfo | awk '/dimensions/ {split($2, a, "x"); print a[2]}')
e2e_check "dialog is centred on the desktop" \
    test $(( (dl + dr) / 2 - sw / 2 )) -ge -1 -a $(( (dl + dr) / 2 - sw / 2 )) -le 1
import -window root "$shots/app_dialog.png"
echo "screenshot: $shots/app_dialog.png"
# Navy text in the question's area (smoothed: count clearly bluish pixels).
navy=$(convert "$shots/app_dialog.png" -crop "300x80+$((dl + 20))+$((dt + 50))" +repage \
    -fx "(b-r)>0.1 ? 0 : 1" -format "%[fx:int(w*h*(1-mean))]" info: 2>/dev/null)
e2e_check "dialog shows its navy question ($navy bluish pixels)" test "${navy:-0}" -gt 50 -a "${navy:-0}" -lt 4000
# Keys go to the window in front: each is sent once the window it is meant
# for has them.
e2e_until 10 focus_is dialog
xdotool key Escape
e2e_check "Esc closes the dialog" wait_dialogs 10 0
still_running_after "Esc"
xdotool key alt+F4
e2e_check "Alt+F4 opens the confirmation dialog" wait_dialogs 10 1
e2e_until 10 focus_is dialog
xdotool key Escape
wait_dialogs 10 0

# Cancel, clicked with the mouse.
e2e_until 10 focus_is main
xdotool key alt+F4
wait_dialogs 10 1
read -r _ cx cy < <(probe buttons | grep '^取消')
echo "Cancel button centre: $cx,$cy"
xdotool mousemove "$cx" "$cy" click 1
e2e_check "Cancel closes the dialog" wait_dialogs 10 0
still_running_after "Cancel"

# Enter at once answers Cancel (the focus starts there).
xdotool key alt+F4
wait_dialogs 10 1
e2e_check "the dialog opens with the focus on Cancel" e2e_until 10 focus_is dialog 取消
xdotool key Return
e2e_check "Enter at once closes the dialog" wait_dialogs 10 0
still_running_after "Enter at once"

# Alt+F4, Tab, Enter: OK, the program ends with 0.
xdotool key alt+F4
wait_dialogs 10 1
e2e_until 10 focus_is dialog 取消
xdotool key Tab
e2e_until 10 focus_moved_on
xdotool key Return
# Waited for in this shell (a command substitution could not reap it).
code=""
for _ in $(seq 1 75); do
    if ! running; then
        wait "$E2E_PID"
        code=$?
        break
    fi
    sleep 0.2
done
e2e_check "program ended after Alt+F4, Tab, Enter" test -n "$code"
echo "exit code: ${code:-none}"
e2e_check "exit code 0" test "${code:-x}" = "0"

[ "$FAILURES" -eq 0 ]
