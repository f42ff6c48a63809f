#!/usr/bin/env bash
# Developer convenience: runs a command with a shared private Xvfb (display :77)
# and the project's Wine environment, starting what is missing. Left running
# for the next call; `scripts/dev-wine.sh --stop` stops both.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export LT_BUILD=${LT_BUILD:-$root/build}
. "$root/scripts/wine-env.sh"
export DISPLAY=:77
mkdir -p "$LT_BUILD" "$WINEPREFIX"
# Set-up is serialised by a lock; nothing started below may inherit it
# (hence 9>&- on every command), or the lock would outlive this script.
exec 9>"$LT_BUILD/.dev-wine.lock"
flock 9
if [ "${1:-}" = "--stop" ]; then
    wineserver -k 9>&- >/dev/null 2>&1 || true
    pkill -f "Xvfb :77 " || true
    exit 0
fi
if [ ! -e /tmp/.X11-unix/X77 ]; then
    rm -f /tmp/.X77-lock
    nohup setsid Xvfb :77 -screen 0 1280x1024x24 -nolisten tcp -ac 9>&- >/dev/null 2>&1 &
    for _ in $(seq 1 100); do [ -e /tmp/.X11-unix/X77 ] && break; sleep 0.1; done
fi
lt_wine_prefix_init 9>&-
if ! pgrep -f "wineserver -p" >/dev/null; then
    nohup setsid wineserver -p 9>&- >/dev/null 2>&1 &
    sleep 0.2
fi
# Wine's background processes must not inherit the caller's output pipes.
wine rundll32.exe user32.dll,GetDesktopWindow 9>&- </dev/null >/dev/null 2>&1 || true
flock -u 9
exec 9>&-
exec "$@"
