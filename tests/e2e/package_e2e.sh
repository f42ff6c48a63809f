#!/usr/bin/env bash
# End to end: what the users get. Packages the program (scripts/package.sh),
# then, in a Wine prefix of its own made here: the silent installer puts the
# program, its uninstaller, the Start-menu and desktop shortcuts and the
# Add/Remove entry in place; the program started from the desktop shortcut
# shows its skinned main window; while it runs the installer refuses (silent)
# or asks the user to close it; the silent uninstaller, after the program was
# killed, leaves no file, folder, shortcut or registry key of ours (registry
# exports before and after, compared). The portable archive, unpacked, runs.
#   package_e2e.sh LANTUO.EXE VERSION WORK_DIR SCREENSHOT_DIR
set -uo pipefail

exe=$1
version=$2
work=$3
shots=$4
mkdir -p "$work" "$shots"
E2E_LOG="$shots/package.log"
: >"$E2E_LOG"
. "$(dirname "$0")/e2e_lib.sh"
title="岚拓食品销售管理系统"
now() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.1f", b - a}'; }
T0=$(now)
# Prints a step with the seconds since the test began.
step() { echo "[$(elapsed "$T0" "$(now)") s] $*"; }

echo "packaging $exe (version $version)"
if ! "$LT_ROOT/scripts/package.sh" --exe "$exe" --version "$version" --out "$work/package"; then
    echo "FAILED: scripts/package.sh"
    exit 1
fi
# An earlier version of the same program, to upgrade from.
older=0.0.0
if ! "$LT_ROOT/scripts/package.sh" --exe "$exe" --version "$older" --out "$work/older" >>"$E2E_LOG"; then
    echo "FAILED: scripts/package.sh (version $older)"
    exit 1
fi
setup="$work/package/lantuo-setup-$version.exe"
zip="$work/package/lantuo-$version-portable.zip"
debug="$work/package/lantuo-$version.debug"

# The shipped program: no debug sections, a link to the debug file beside it.
shipped="$work/shipped.exe"
unzip -p "$zip" "lantuo-$version/lantuo.exe" >"$shipped"
sections=$(i686-w64-mingw32-objdump -h "$shipped")
e2e_check "the shipped program has no debug sections" \
    test "$(grep -c ' \.debug_' <<<"$sections")" = 0
e2e_check "its version resource says $version" grep -qxF "$version" <(strings -a -e l "$shipped")
e2e_check "it links to its debug file" \
    test -s "$shipped" -a "$(grep -c ' \.gnu_debuglink' <<<"$sections")" = 1 -a \
    "$(strings -a "$shipped" | grep -cxF "lantuo-$version.debug")" = 1
e2e_check "the debug file holds the debug information" \
    grep -q ' \.debug_info' <(i686-w64-mingw32-objdump -h "$debug")

step "a fresh Wine prefix"
# A fresh prefix, on the display this test holds.
tmp=$(mktemp -d /tmp/lantuo-package-e2e.XXXXXX)
. "$LT_ROOT/scripts/wine-env.sh"
export WINEPREFIX=$tmp/prefix
cleanup() {
    e2e_cleanup
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
    rm -rf "$tmp"
}
trap cleanup EXIT
wine_q() { wine "$@" </dev/null 2>>"$E2E_LOG" | tr -d '\r'; }
lt_wine_prefix_init 2>>"$E2E_LOG"
user_dir="$WINEPREFIX/drive_c/users/$(id -un)"
# Wine links the shell folders to the Unix home: real folders here, so that
# the shortcuts stay inside the prefix.
for d in Desktop Documents Downloads Music Pictures Videos; do
    for u in "$user_dir" "$WINEPREFIX/drive_c/users/Public"; do
        if [ -L "$u/$d" ]; then rm "$u/$d" && mkdir "$u/$d"; fi
    done
done
# The desktop runs before the first export: what it registers when it starts
# is not ours.
wine rundll32.exe user32.dll,GetDesktopWindow </dev/null >>"$E2E_LOG" 2>&1

# Keys of a registry export, one a line, sorted; HKEY_USERS\<sid> as HKCU.
reg_keys() {
    wine regedit /E "$tmp/export.reg" </dev/null 2>>"$E2E_LOG"
    iconv -f UTF-16 -t UTF-8 "$tmp/export.reg" 2>/dev/null | tr -d '\r' | grep '^\[' | sort >"$1"
}
uninst_key='HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Uninstall\lantuo'
ua_key='HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Internet Settings\User Agent\Post Platform'
# The values of one key as exported ("name"=data lines); empty when missing.
reg_values() {
    rm -f "$tmp/key.reg"
    wine regedit /E "$tmp/key.reg" "$1" </dev/null >>"$E2E_LOG" 2>&1
    [ -f "$tmp/key.reg" ] && iconv -f UTF-16 -t UTF-8 "$tmp/key.reg" | tr -d '\r' | grep -v '^\[\|^Windows\|^$'
}
step "registry and files before"
reg_keys "$tmp/before.keys"
find "$WINEPREFIX/drive_c" | sort >"$tmp/before.files"
now() { date +%s.%N; }
# Starts a program in this prefix (wine-run would take the desktop's prefix).
start_bg() {
    wine "$@" </dev/null >>"$E2E_LOG" 2>&1 &
    E2E_PID=$!
}
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.1f", b - a}'; }

step "install"
# The earlier version, then this one over it: one entry, one folder.
wine "$work/older/lantuo-setup-$older.exe" /S </dev/null >>"$E2E_LOG" 2>&1
e2e_check "version $older installs" grep -qxF "\"DisplayVersion\"=\"$older\"" <(reg_values "$uninst_key")

# Silent install, per user.
t0=$(now)
wine "$setup" /S </dev/null >>"$E2E_LOG" 2>&1
rc=$?
t1=$(now)
echo "silent install: exit code $rc, $(elapsed "$t0" "$t1") s"
e2e_check "the silent install succeeds" test "$rc" = 0
inst="$user_dir/AppData/Local/Programs/lantuo"
inst_win=$(wine_q winepath -w "$inst")
ls -l "$inst" "$shipped" >>"$E2E_LOG" 2>&1
e2e_check "the program is installed in the user's programs folder" cmp "$inst/lantuo.exe" "$shipped"
e2e_check "its uninstaller beside it" test -f "$inst/uninstall.exe"
start_menu="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/$title.lnk"
desktop_lnk="$user_dir/Desktop/$title.lnk"
for lnk in "$start_menu" "$desktop_lnk"; do
    e2e_check "shortcut ${lnk#"$user_dir"/} leads to the installed program" \
        grep -qF "$inst_win\\lantuo.exe" <(strings -a "$lnk"; strings -a -e l "$lnk")
done
values=$(reg_values "$uninst_key")
echo "$values"
esc=$(sed 's/\\/\\\\/g' <<<"$inst_win")
for want in "\"DisplayName\"=\"$title\"" "\"DisplayVersion\"=\"$version\"" '"Publisher"="岚拓软件"' \
    "\"DisplayIcon\"=\"$esc\\\\lantuo.exe,0\"" \
    "\"UninstallString\"=\"\\\"$esc\\\\uninstall.exe\\\"\""; do
    e2e_check "Add/Remove entry: $want" grep -qxF "$want" <<<"$values"
done
size=$((16#$(sed -n 's/^"EstimatedSize"=dword://p' <<<"$values")))
files_kb=$(( ($(stat -c %s "$inst/lantuo.exe") + $(stat -c %s "$inst/uninstall.exe")) / 1024 ))
e2e_check "Add/Remove entry: EstimatedSize $size KB, the installed files' $files_kb KB" \
    test "$size" -ge $((files_kb - 1)) -a "$size" -le $((files_kb + 1))

step "the installed program"
# The program, started from its desktop shortcut.
wine start /unix "$desktop_lnk" </dev/null >>"$E2E_LOG" 2>&1
win=$(e2e_wait_window "$title" 60 --onlyvisible)
e2e_check "the installed program shows its main window" test -n "$win"
# Screenshots $1 until it shows the skin's blue title (as the program's own
# end-to-end test reads it), for up to 20 s.
shot_skinned() {
    for _ in $(seq 1 40); do
        import -window root "$1"
        [ "$(convert "$1" -crop 1x1+640+12 +repage -format "%[fx:(b-r)>0.3 ? 1 : 0]" info: 2>/dev/null)" = 1 ] &&
            return 0
        sleep 0.5
    done
    return 1
}
e2e_check "its main window is framed by the skin" shot_skinned "$shots/package_installed.png"
echo "screenshot: $shots/package_installed.png"
e2e_check "the running program registered its user-agent value" \
    grep -qxF '@=""' <(reg_values "$ua_key")

step "installing while it runs"
# Installing while it runs: silent, refused with exit code 2; with windows,
# the user is asked to close it (Cancel ends the installer the same way).
wine "$setup" /S </dev/null >>"$E2E_LOG" 2>&1
e2e_check "the silent installer refuses while the program runs" test "$?" = 2
start_bg "$setup"
ask=$(e2e_wait_window "$title $version 安装" 30 --onlyvisible)
import -window root "$shots/package_running.png"
read -r ax ay aw ah < <(e2e_geometry "${ask:-0}" 2>/dev/null)
echo "installer window: ${aw:-?}x${ah:-?} at ${ax:-?},${ay:-?}"
# A message box, not the installer's wizard (which has the same title).
e2e_check "the installer asks to close the running program" \
    test -n "$ask" -a "${aw:-999}" -lt 450 -a "${ah:-999}" -lt 250
# Its title clicked, Esc answers Cancel (again if a key came too early).
for _ in $(seq 1 20); do
    [ -n "$ask" ] || break
    xdotool mousemove $((ax + aw / 2)) $((ay + 8)) click 1 key Escape
    e2e_wait_exit 1 && break
done
[ -n "${E2E_EXIT:-}" ] || e2e_wait_exit 10
e2e_check "Cancel ends that installer with exit code 2" test "${E2E_EXIT:-x}" = 2

# A crash: the program ends without removing its user-agent value.
wine_q taskkill /F /IM lantuo.exe >/dev/null
gone() { ! xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; }
for _ in $(seq 1 100); do gone && break; sleep 0.2; done
e2e_check "the killed program left its user-agent value" grep -qxF '@=""' <(reg_values "$ua_key")

step "uninstall"
# Silent uninstall: it runs from a copy in the temporary folder, so wait for
# its work to be done.
t0=$(now)
wine "$inst/uninstall.exe" /S </dev/null >>"$E2E_LOG" 2>&1
uninstalled() { [ ! -e "$inst" ] && [ -z "$(reg_values "$uninst_key")" ] && [ -z "$(reg_values "$ua_key")" ]; }
for _ in $(seq 1 60); do uninstalled && break; sleep 0.5; done
t1=$(now)
echo "silent uninstall: $(elapsed "$t0" "$t1") s"
e2e_check "the program's folder is removed" test ! -e "$inst"
e2e_check "the folder the installer made for it is removed" test ! -e "${inst%/*}"
e2e_check "both shortcuts are removed" test ! -e "$start_menu" -a ! -e "$desktop_lnk"
step "for all users"
# For every user, into a folder of a new folder chosen with /D= (a name with
# a space): the common shortcuts, the entry under HKLM whose uninstall string
# carries /ALLUSERS.
# (/D= takes the rest of the command line unquoted: two words here, which
# Wine joins with a space.)
wine "$setup" /S /ALLUSERS '/D=C:\应用' '程序\岚拓' </dev/null >>"$E2E_LOG" 2>&1
e2e_check "the silent install for all users into a chosen folder succeeds" test "$?" = 0
all_inst="$WINEPREFIX/drive_c/应用 程序/岚拓"
all_lnks=("$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$title.lnk"
    "$WINEPREFIX/drive_c/users/Public/Desktop/$title.lnk")
hklm_key=${uninst_key/HKEY_CURRENT_USER/HKEY_LOCAL_MACHINE}
e2e_check "it installs into that folder" cmp "$all_inst/lantuo.exe" "$shipped"
e2e_check "with the common shortcuts" test -f "${all_lnks[0]}" -a -f "${all_lnks[1]}"
values=$(reg_values "$hklm_key")
e2e_check "and its entry under HKLM, uninstalled with /ALLUSERS" \
    grep -qF '\\uninstall.exe\" /ALLUSERS"' <<<"$values"
e2e_check "and no entry for the user" test -z "$(reg_values "$uninst_key")"
wine "$all_inst/uninstall.exe" /ALLUSERS /S </dev/null >>"$E2E_LOG" 2>&1
for _ in $(seq 1 60); do [ ! -e "$all_inst" ] && [ -z "$(reg_values "$hklm_key")" ] && break; sleep 0.5; done
e2e_check "the uninstaller for all users removes its folders, shortcuts and entry" \
    test ! -e "${all_inst%/*}" -a ! -e "${all_lnks[0]}" -a ! -e "${all_lnks[1]}" -a -z "$(reg_values "$hklm_key")"

step "registry and files after"
# The uninstaller runs from a copy in the temporary folder, which it leaves
# to be deleted when Windows starts next: a restart of the prefix.
wineboot -r </dev/null >>"$E2E_LOG" 2>&1
reg_keys "$tmp/after.keys"
new_keys=$(comm -13 "$tmp/before.keys" "$tmp/after.keys")
# Wine's own session state (system parameters read by any program) aside.
wine_keys=$(grep -F '\Software\Wine\Temporary System Parameters\' <<<"$new_keys")
new_keys=$(grep -vF '\Software\Wine\Temporary System Parameters\' <<<"$new_keys")
echo "Wine's session keys added since before the install: ${wine_keys:-none}"
echo "other registry keys added since before the install: ${new_keys:-none}"
e2e_check "no registry key remains that was not there before" test -z "$new_keys"
new_files=$(find "$WINEPREFIX/drive_c" | sort | comm -13 "$tmp/before.files" - | sed "s|^$WINEPREFIX/drive_c/||")
echo "files added since before the install: ${new_files:-none}"
# The platform browser's cookie index is the platform's, not ours. The
# uninstaller runs from a copy in a folder of the temporary folder that it
# empties but cannot remove while it runs: that empty folder may stay.
e2e_check "no file or folder of ours remains" \
    test -z "$(grep -v '/INetCookies/\|^users/[^/]*/Temp/~nsu[0-9]*\.tmp$' <<<"$new_files")"
for d in $(grep '^users/[^/]*/Temp/~nsu[0-9]*\.tmp$' <<<"$new_files"); do
    e2e_check "the uninstaller's temporary folder $d is empty" \
        test -z "$(ls -A "$WINEPREFIX/drive_c/$d")"
done

step "the portable archive"
# The portable archive: unpacked anywhere, it runs.
mkdir -p "$tmp/portable"
unzip -q "$zip" -d "$tmp/portable"
start_bg "$tmp/portable/lantuo-$version/lantuo.exe"
win=$(e2e_wait_window "$title" 60 --onlyvisible)
e2e_check "the unpacked portable program shows its main window" test -n "$win"
e2e_check "its main window is framed by the skin" shot_skinned "$shots/package_portable.png"
echo "screenshot: $shots/package_portable.png"

ls -l "$setup" "$zip" "$debug" | awk '{print "package: " $NF " " $5 " bytes"}'
step "done"
[ "$FAILURES" -eq 0 ]
