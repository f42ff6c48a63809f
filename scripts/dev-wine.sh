#!/usr/bin/env bash
# Developer convenience: runs a command with a private Xvfb (display :77, or
# :$LT_DISPLAY) and the project's Wine environment, starting what is missing.
# Left running for the next call; `scripts/dev-wine.sh --stop` stops both, by
# the process ids recorded when they were started.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export LT_BUILD=${LT_BUILD:-$root/build}
. "$root/scripts/wine-env.sh"
display=${LT_DISPLAY:-77}
export DISPLAY=:$display
mkdir -p "$LT_BUILD" "$WINEPREFIX"
# Set-up is serialised by a lock; nothing started below may inherit it
# (hence 9>&- on every command), or the lock would outlive this script.
exec 9>"$LT_BUILD/.dev-wine.lock"
flock 9
if [ "${1:-}" = "--stop" ]; then
    wineserver -k 9>&- >/dev/null 2>&1 || true
    if [ -f "$LT_BUILD/.dev-wine.xvfb" ]; then
        kill "$(cat "$LT_BUILD/.dev-wine.xvfb")" 2>/dev/null || true
        rm -f "$LT_BUILD/.dev-wine.xvfb"
    fi
    exit 0
fi
if [ ! -e "/tmp/.X11-unix/X$display" ]; then
    rm -f "/tmp/.X$display-lock"
    nohup setsid Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp -ac 9>&- >/dev/null 2>&1 &
    echo $! >"$LT_BUILD/.dev-wine.xvfb"
    for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
fi
lt_wine_prefix_init 9>&-
# A persistent wineserver for this prefix (one already running for it makes
# the new one exit at once); `wineserver -k` stops it.
nohup setsid wineserver -p 9>&- >/dev/null 2>&1 &
sleep 0.2
# Wine's background processes must not inherit the caller's output pipes.
wine rundll32.exe user32.dll,GetDesktopWindow 9>&- </dev/null >/dev/null 2>&1 || true
flock -u 9
exec 9>&-
exec "$@"
