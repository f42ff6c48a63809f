# Sourced: helpers to start a private Xvfb and a persistent wineserver, and to
# stop exactly what was started (by PID) when the caller exits.
LT_STARTED_PIDS=()
LT_STARTED_PREFIXES=()

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

# Starts $1 private desktops for the Windows tests, each an Xvfb display and
# a Wine prefix with its own persistent wineserver and virtual desktop:
# desktop 0 uses the build tree's prefix, the others copies of it (made again
# whenever that prefix is newer). Exports LT_DESKTOP<N>_DISPLAY and
# LT_DESKTOP<N>_PREFIX and writes the ctest resource file LT_DESKTOPS_SPEC.
lt_start_desktops() {
    local count=$1 i prefix base=$WINEPREFIX ids=""
    lt_wine_prefix_init
    for ((i = 0; i < count; i++)); do
        prefix=$base
        if [ "$i" -gt 0 ]; then
            prefix=$base-$i
            if [ ! -f "$prefix/.lantuo-copy" ] || [ -n "$(find "$base" -maxdepth 1 -name '.lantuo-prefix-*' -newer "$prefix/.lantuo-copy")" ]; then
                rm -rf "$prefix"
                cp -a "$base" "$prefix"
                touch "$prefix/.lantuo-copy"
            fi
        fi
        lt_start_xvfb || return 1
        export "LT_DESKTOP${i}_DISPLAY=$DISPLAY" "LT_DESKTOP${i}_PREFIX=$prefix"
        WINEPREFIX=$prefix wineserver -p &
        LT_STARTED_PIDS+=($!)
        LT_STARTED_PREFIXES+=("$prefix")
        ids+="${ids:+,}{\"id\":\"$i\"}"
    done
    sleep 0.2
    local starters=() d p
    for ((i = 0; i < count; i++)); do
        d=LT_DESKTOP${i}_DISPLAY p=LT_DESKTOP${i}_PREFIX
        DISPLAY=${!d} WINEPREFIX=${!p} lt_start_wine_desktop &
        starters+=($!)
    done
    wait "${starters[@]}"
    # Desktop 0 stays the default for anything run outside ctest.
    export DISPLAY=$LT_DESKTOP0_DISPLAY WINEPREFIX=$base
    export LT_DESKTOPS_SPEC=$LT_BUILD/desktops.json
    printf '{"version":{"major":1,"minor":0},"local":[{"desktops":[%s]}]}\n' "$ids" >"$LT_DESKTOPS_SPEC"
}

lt_stop_started() {
    if [ -n "${WINEPREFIX:-}" ] && command -v wineserver >/dev/null; then
        wineserver -k >/dev/null 2>&1 || true
    fi
    local prefix
    for prefix in "${LT_STARTED_PREFIXES[@]}"; do
        WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
    done
    LT_STARTED_PREFIXES=()
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
