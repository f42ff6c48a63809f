#!/usr/bin/env bash
# Sets up, builds and starts the program under Wine in a virtual desktop.
#   scripts/run.sh [--exit-after-screenshot]
# On the current X display when there is one. Without a display it starts a
# private Xvfb, waits for the main window, saves a screenshot (path printed)
# and keeps running until interrupted; --exit-after-screenshot ends the
# program and everything started once the screenshot is saved.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export LT_BUILD=${LT_BUILD:-$root/build}
exit_after=0
for arg in "$@"; do
    case "$arg" in
        --exit-after-screenshot) exit_after=1 ;;
        -h|--help) sed -n '2,7p' "$0"; exit 0 ;;
        *) echo "run.sh: unknown option $arg" >&2; exit 2 ;;
    esac
done

"$root/scripts/deps.sh" || exit 1
# The product once it exists; until then the bench window stands in for it.
if [ -f "$root/app/CMakeLists.txt" ]; then
    target=lantuo title="岚拓食品销售管理系统"
else
    target=benchwin title="Lantuo bench window"
fi
LT_TARGETS=$target "$root/scripts/build.sh" win32 || exit 1
exe=$(find "$LT_BUILD/win32" -name "$target.exe" -print -quit)
[ -n "$exe" ] || { echo "run.sh: $target.exe was not built" >&2; exit 1; }

. "$root/scripts/wine-env.sh"
. "$root/scripts/xsession.sh"
. "$root/tests/e2e/e2e_lib.sh"
lt_start_session run.sh || exit 1
private_display=$LT_PRIVATE_DISPLAY

E2E_LOG="$LT_BUILD/run.log"
e2e_start "$exe"
echo "run.sh: started $exe (output in $E2E_LOG)"
if [ "$private_display" = 1 ] || [ "$exit_after" = 1 ]; then
    if ! e2e_wait_window "$title" 60 --onlyvisible >/dev/null; then
        echo "run.sh: the main window did not appear" >&2
        exit 1
    fi
    sleep 1
    shot="$LT_BUILD/screenshot.png"
    import -window root "$shot"
    echo "run.sh: screenshot saved to $shot"
    if [ "$exit_after" = 1 ]; then
        exit 0
    fi
    echo "run.sh: running; press Ctrl+C to stop"
fi
wait "$E2E_PID"
