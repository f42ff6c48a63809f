#!/usr/bin/env bash
# End to end: the gallery starts with its title; clicking the tab row and
# pressing Right switches pages (the title names the page); Alt+Space opens
# the system menu under the skinned icon; Alt+F opens the File drop-down;
# Alt+F4 ends it. Then --screenshot saves the 14 pages for
# each skin under SCREENSHOT_DIR/gallery/<skin>/, each a valid PNG of the
# window's size that is not blank; a bad skin file is reported on stderr and
# the screenshots are still taken, unskinned.
#   gallery_e2e.sh GALLERY.EXE SKINS_DIR SCREENSHOT_DIR
set -uo pipefail

exe=$1
skins=$2
shots=$3/gallery
mkdir -p "$shots"
E2E_LOG="$shots/gallery.log"
: >"$E2E_LOG"
. "$(dirname "$0")/e2e_lib.sh"
trap e2e_cleanup EXIT
title="Skin gallery"
pages="buttons checks edits lists combos scroll tabs progress panels views toolbar mdi menus messagebox"

name_of() { xdotool getwindowname "$1" 2>/dev/null; }
name_is() { [ "$(name_of "$win")" = "$1" ]; }
# Whether the window stays where it is between two reads 0.2 s apart.
geometry_settled() {
    local a b
    a=$(e2e_geometry "$win")
    sleep 0.2
    b=$(e2e_geometry "$win")
    [ -n "$a" ] && [ "$a" = "$b" ]
}
# Pixels of the "Normal" push button that differ from its look at rest (in $hot).
button_changed() {
    import -window root -crop "100x24+$((wx + 135))+$((wy + 110))" "$shots/e2e_button_now.png"
    hot=$(compare -metric AE "$shots/e2e_button_rest.png" "$shots/e2e_button_now.png" null: 2>&1 |
        cut -d' ' -f1)
    hot=${hot%.*}
}
button_hot() { button_changed && [ "${hot:-0}" -gt 50 ]; }
button_at_rest() { button_changed && [ "${hot:-51}" -le 50 ]; }
# Pixels under the menu bar that differ from before the menu opened (in $changed).
menu_area_changed() {
    import -window root -crop "200x120+$((wx + 4))+$((wy + 40))" "$shots/e2e_menu.png"
    changed=$(compare -metric AE "$shots/e2e_before_menu.png" "$shots/e2e_menu.png" null: 2>&1 |
        cut -d' ' -f1)
    changed=${changed%.*}
}
menu_open() { menu_area_changed && [ "${changed:-0}" -gt 500 ]; }
menu_closed() { menu_area_changed && [ "${changed:-501}" -le 500 ]; }

e2e_start "$exe"
win=$(e2e_wait_window "^$title" 60 --onlyvisible)
e2e_check "gallery window appeared" test -n "$win"
[ -n "$win" ] || exit 1
e2e_until 20 geometry_settled
read -r wx wy ww wh < <(e2e_geometry "$win")
echo "gallery window: $wx,$wy ${ww}x$wh"

# Real input: a click on the first tab, then Right moves to the next page.
# The first tab sits under the caption and menu bar, at the left.
for _ in 1 2 3; do
    xdotool mousemove $((wx + 30)) $((wy + 58)) click 1
    e2e_until 5 name_is "$title - Buttons" && break
done
e2e_check "clicking the first tab shows Buttons ($(name_of "$win"))" \
    test "$(name_of "$win")" = "$title - Buttons"
# Hot tracking with the real mouse: the skinned "Normal" push button takes
# its hot look when the pointer comes over it.
import -window root -crop "100x24+$((wx + 135))+$((wy + 110))" "$shots/e2e_button_rest.png"
xdotool mousemove $((wx + 185)) $((wy + 122))
e2e_until 10 button_hot
cp "$shots/e2e_button_now.png" "$shots/e2e_button_hot.png"
e2e_check "the pointer over a skinned button gives it its hot look ($hot pixels changed)" \
    test "${hot:-0}" -gt 50
xdotool mousemove $((wx + 30)) $((wy + 58))
e2e_until 10 button_at_rest
xdotool key Right
e2e_until 10 name_is "$title - Checks"
e2e_check "Right shows Checks ($(name_of "$win"))" name_is "$title - Checks"
xdotool key Right Right
e2e_until 10 name_is "$title - Lists"
e2e_check "two more Right show Lists ($(name_of "$win"))" name_is "$title - Lists"
import -window root "$shots/e2e_lists.png"

# Alt+Space opens the system menu under the icon: the area below the title
# changes (waited for), and Esc puts it back.
sys_area="160x140+$((wx + 2))+$((wy + 30))"
area_changed() {
    import -window root -crop "$sys_area" "$shots/e2e_sysmenu.png"
    compare -metric AE "$shots/e2e_before_sysmenu.png" "$shots/e2e_sysmenu.png" null: 2>&1 |
        cut -d' ' -f1 | cut -d. -f1
}
wait_area() { # $1: "open" (over 500 pixels changed) or "closed" (none)
    local n
    for _ in $(seq 1 40); do
        n=$(area_changed)
        if [ "$1" = open ]; then [ "${n:-0}" -gt 500 ] && return 0; else [ "${n:-1}" = 0 ] && return 0; fi
        sleep 0.25
    done
    return 1
}
import -window root -crop "$sys_area" "$shots/e2e_before_sysmenu.png"
xdotool key alt+space
e2e_check "Alt+Space opens the system menu under the icon" wait_area open
import -window root "$shots/e2e_system_menu.png"
xdotool key Escape
e2e_check "Esc closes the system menu" wait_area closed

# Alt+F opens the File drop-down: the area under the menu bar changes.
import -window root -crop "200x120+$((wx + 4))+$((wy + 40))" "$shots/e2e_before_menu.png"
xdotool key alt+f
e2e_until 10 menu_open
e2e_check "Alt+F opens a drop-down ($changed pixels changed)" test "${changed:-0}" -gt 500
import -window root "$shots/e2e_menu_open.png"
xdotool key Escape
e2e_until 10 menu_closed
xdotool key Escape
# A click on the caption gives the window the keys again, then Alt+F4 (sent
# again every two seconds while the program runs: a key that arrives before
# the click was handled goes nowhere).
xdotool mousemove $((wx + 300)) $((wy + 8)) click 1
code=""
for i in $(seq 0 74); do
    [ $((i % 10)) = 0 ] && xdotool key alt+F4
    if ! kill -0 "$E2E_PID" 2>/dev/null; then
        wait "$E2E_PID"
        code=$?
        break
    fi
    sleep 0.2
done
e2e_check "Alt+F4 ends the gallery (exit ${code:-none})" test "${code:-x}" = "0"
e2e_cleanup

# Headless screenshots with each skin, then with a bad skin file.
winpath() { echo "Z:${1//\//\\}"; }
for skin in xpluna graphite; do
    dir="$shots/$skin"
    rm -rf "$dir"
    mkdir -p "$dir"
    "$LT_ROOT/scripts/wine-run" "$exe" --skin "$(winpath "$skins/$skin.skn")" \
        --screenshot "$(winpath "$dir")" </dev/null >>"$E2E_LOG" 2>&1
    e2e_check "$skin: --screenshot ends with 0" test $? = 0
    files=()
    for p in $pages; do files+=("$dir/$p.png"); done
    present=0
    for f in "${files[@]}"; do [ -f "$f" ] && present=$((present + 1)); done
    e2e_check "$skin: 14 screenshots saved ($present)" test "$present" = 14
    # The window keeps its client size under either skin: measured with the
    # built-in skin (frame 3 + 3 wide, title 29 + bottom 3), it is as much
    # bigger under Graphite as that skin's frame is (5 + 5, 24 + 5).
    sw=$ww sh=$wh
    if [ "$skin" = graphite ]; then
        sw=$((ww - 6 + 10)) sh=$((wh - 32 + 29))
    fi
    e2e_check "$skin: valid, window-sized (${sw}x$sh), not blank" \
        python3 "$(dirname "$0")/gallery_png_check.py" "$sw" "$sh" "${files[@]}"
    # The MDI frame's active child maximised (its buttons in the frame's menu
    # bar) and restored (its skinned frame back).
    e2e_check "$skin: MDI child maximised and restored, page popup menu pictures" \
        python3 "$(dirname "$0")/gallery_png_check.py" "$sw" "$sh" \
        "$dir/mdi_maximized.png" "$dir/mdi_restored.png" "$dir/menus_popup.png"
    e2e_check "$skin: no drop-down or message-box shot went missing" \
        test -z "$(grep -E 'no (drop-down|popup|message box)' "$E2E_LOG")"
done

printf 'not a skin' >"$shots/bad.skn"
rm -rf "$shots/bad"
"$LT_ROOT/scripts/wine-run" "$exe" --skin "$(winpath "$shots/bad.skn")" \
    --screenshot "$(winpath "$shots/bad")" </dev/null >"$shots/bad.out" 2>"$shots/bad.err"
e2e_check "bad skin: reported on stderr ($(head -1 "$shots/bad.err"))" \
    grep -q "Not a packed skin archive" "$shots/bad.err"
e2e_check "bad skin: screenshots still taken, unskinned" test -f "$shots/bad/buttons.png"

[ "$FAILURES" -eq 0 ]
