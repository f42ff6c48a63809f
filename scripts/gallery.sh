#!/usr/bin/env bash
# Builds and starts the skin gallery under Wine in a virtual desktop.
#   scripts/gallery.sh [--skin xpluna|graphite|FILE|FOLDER [--watch] | --no-skin] [--screenshot DIR]
# --skin takes a built skin's name, a packed archive or an unpacked skin
# folder; without it the built-in first skin is used. --watch reloads the
# folder whenever a file in it changes (the outcome in a status line). With
# --screenshot the gallery saves one PNG per page into DIR and exits
# (headless: a private Xvfb when there is no display). Without it, and
# without a display, it saves one screenshot of the screen (path printed)
# and stops.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export LT_BUILD=${LT_BUILD:-$root/build}
args=()
shotdir=""
while [ $# -gt 0 ]; do
    case "$1" in
        --skin)
            [ $# -ge 2 ] || { echo "gallery.sh: --skin needs a value" >&2; exit 2; }
            skin=$2
            [ -f "$skin" ] || [ -d "$skin" ] || skin="$LT_BUILD/win32/skins/$2.skn"
            args+=(--skin "Z:$(realpath -m "$skin" | tr / '\\')")
            shift 2 ;;
        --no-skin) args+=(--no-skin); shift ;;
        --watch) args+=(--watch); shift ;;
        --screenshot)
            [ $# -ge 2 ] || { echo "gallery.sh: --screenshot needs a value" >&2; exit 2; }
            shotdir=$(realpath -m "$2")
            mkdir -p "$shotdir"
            args+=(--screenshot "Z:$(echo "$shotdir" | tr / '\\')")
            shift 2 ;;
        -h|--help) sed -n '2,11p' "$0"; exit 0 ;;
        *) echo "gallery.sh: unknown option $1" >&2; exit 2 ;;
    esac
done

"$root/scripts/deps.sh" || exit 1
LT_TARGETS="gallery lt_skins" "$root/scripts/build.sh" win32 || exit 1
exe="$LT_BUILD/win32/tools/gallery/gallery.exe"
[ -f "$exe" ] || { echo "gallery.sh: gallery.exe was not built" >&2; exit 1; }

. "$root/scripts/wine-env.sh"
. "$root/scripts/xsession.sh"
. "$root/tests/e2e/e2e_lib.sh"
lt_start_session gallery.sh || exit 1
private_display=$LT_PRIVATE_DISPLAY

if [ -n "$shotdir" ]; then
    "$root/scripts/wine-run" "$exe" "${args[@]}" </dev/null
    code=$?
    echo "gallery.sh: screenshots in $shotdir (exit code $code)"
    exit "$code"
fi
E2E_LOG="$LT_BUILD/gallery.log"
e2e_start "$exe" "${args[@]}"
echo "gallery.sh: started $exe (output in $E2E_LOG)"
if [ "$private_display" = 1 ]; then
    if ! e2e_wait_window "^Skin gallery" 60 --onlyvisible >/dev/null; then
        echo "gallery.sh: the gallery window did not appear" >&2
        exit 1
    fi
    sleep 1
    shot="$LT_BUILD/gallery.png"
    import -window root "$shot"
    echo "gallery.sh: screenshot saved to $shot"
    exit 0
fi
wait "$E2E_PID"
