# Sourced by end-to-end scripts: start a Windows program as a user would, find
# its window from outside, read screen pixels, send real input.
LT_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# The display (and Wine prefix) of the desktop this test holds, if any.
. "$LT_ROOT/scripts/desktop-env.sh"
E2E_PID=""

# Starts the program under Wine in the background; its output goes to
# $E2E_LOG (Wine's helpers must not hold the test's output pipe open).
E2E_LOG=${E2E_LOG:-/dev/null}
e2e_start() {
    "$LT_ROOT/scripts/wine-run" "$@" </dev/null >>"$E2E_LOG" 2>&1 &
    E2E_PID=$!
}

# Waits up to $2 seconds for a window whose name matches $1; prints its X id.
# Further arguments go to `xdotool search` (e.g. --onlyvisible). It polls: a
# single search can fail on windows that vanish while it walks the tree.
e2e_wait_window() {
    local name=$1 limit=${2:-30} id
    shift $(($# < 2 ? $# : 2))
    for _ in $(seq 1 $((limit * 5))); do
        id=$(xdotool search "$@" --name "$name" 2>/dev/null | head -1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.2
    done
    return 1
}

# Runs a command until it succeeds or $1 seconds pass (polled every 0.1 s);
# answers whether it succeeded. The way to wait for what a step shows: a
# loaded machine makes it slower, never wrong.
e2e_until() {
    local limit=$1 end
    shift
    end=$((SECONDS + limit))
    until "$@"; do
        [ "$SECONDS" -ge "$end" ] && return 1
        sleep 0.1
    done
}

# Prints "x y width height" of an X window in root coordinates.
e2e_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

# Prints the colour of a pixel of a screenshot as "r,g,b".
e2e_pixel() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# Counts the pixels of an area of a screenshot that are not pure white.
e2e_ink() {
    local shot=$1 x=$2 y=$3 w=$4 h=$5
    convert "$shot" -crop "${w}x${h}+${x}+${y}" +repage -fill black +opaque white \
        -format "%[fx:int(w*h*(1-mean))]" info:
}

# Waits up to $1 seconds for the program to end and leaves its exit code in
# E2E_EXIT (empty when it did not end). Call it in the shell that started the
# program, never in a command substitution: a subshell cannot reap it.
e2e_wait_exit() {
    local limit=${1:-10}
    E2E_EXIT=""
    for _ in $(seq 1 $((limit * 5))); do
        if ! kill -0 "$E2E_PID" 2>/dev/null; then
            wait "$E2E_PID"
            E2E_EXIT=$?
            return 0
        fi
        sleep 0.2
    done
    return 1
}

# Ends the program if it is still running (used on failure).
e2e_cleanup() {
    if [ -n "$E2E_PID" ] && kill -0 "$E2E_PID" 2>/dev/null; then
        kill "$E2E_PID" 2>/dev/null
        wait "$E2E_PID" 2>/dev/null
    fi
}

FAILURES=0
# Records one check: e2e_check "what" test-expression...
e2e_check() {
    local what=$1
    shift
    if "$@"; then
        echo "ok: $what"
    else
        echo "FAILED: $what"
        FAILURES=$((FAILURES + 1))
    fi
}
