# Sourced: helpers to start a private Xvfb and a persistent wineserver, and to
# stop exactly what was started (by PID) when the caller exits.
LT_STARTED_PIDS=()

lt_start_xvfb() {
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -ac >/dev/null 2>&1 &
    LT_STARTED_PIDS+=($!)
    export DISPLAY=":$n"
    for _ in $(seq 1 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && return 0
        sleep 0.1
    done
    echo "xsession: Xvfb did not start on :$n" >&2
    return 1
}

lt_start_wineserver() {
    lt_wine_prefix_init
    wineserver -p &
    LT_STARTED_PIDS+=($!)
    sleep 0.2
    lt_start_wine_desktop
}

# Starts Wine's background processes (services, the virtual desktop) with
# their output detached: started by a test instead, they would inherit the
# test's output pipe and keep ctest waiting after the test has ended.
lt_start_wine_desktop() {
    wine rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true
}

lt_stop_started() {
    if [ -n "${WINEPREFIX:-}" ] && command -v wineserver >/dev/null; then
        wineserver -k >/dev/null 2>&1 || true
    fi
    local pid
    for pid in "${LT_STARTED_PIDS[@]}"; do
        kill "$pid" >/dev/null 2>&1 || true
    done
    for pid in "${LT_STARTED_PIDS[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    LT_STARTED_PIDS=()
}

# Set-up shared by the scripts that start a Windows program for a person
# (they source wine-env.sh, this file and tests/e2e/e2e_lib.sh first): a
# private Xvfb when there is no display (LT_PRIVATE_DISPLAY=1 then), a
# persistent wineserver, and both stopped at exit. $1 names the caller.
lt_start_session() {
    trap 'e2e_cleanup; lt_stop_started' EXIT
    trap 'exit 130' INT TERM
    LT_PRIVATE_DISPLAY=0
    if [ -z "${DISPLAY:-}" ]; then
        lt_start_xvfb || return 1
        LT_PRIVATE_DISPLAY=1
        echo "$1: started a private Xvfb on $DISPLAY"
    fi
    lt_start_wineserver
}
