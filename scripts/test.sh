#!/usr/bin/env bash
# Sets up and runs every test layer: host unit tests under sanitizers, a short
# fuzz pass over each target's committed corpus, win32 unit, integration and
# end-to-end tests under Wine in a private Xvfb. Ends with "N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export LT_BUILD=${LT_BUILD:-$root/build}

"$root/scripts/deps.sh" || { echo "tests: 0 passed, 1 failed"; exit 1; }

for flavour in host fuzz win32; do
    echo "== build $flavour"
    if ! "$root/scripts/build.sh" "$flavour"; then
        echo "build of $flavour failed"
        echo "tests: 0 passed, 1 failed"
        exit 1
    fi
done

. "$root/scripts/wine-env.sh"
. "$root/scripts/xsession.sh"
trap 'lt_stop_started' EXIT
trap 'exit 130' INT TERM
lt_start_xvfb || exit 1
lt_start_wineserver

passed=0
failed=0
run_ctest() {
    local name=$1 dir=$2
    shift 2
    local log="$LT_BUILD/ctest-$name.log"
    echo "== tests $name"
    ctest --test-dir "$dir" --output-on-failure --no-tests=ignore "$@" 2>&1 | tee "$log"
    local status=${PIPESTATUS[0]} line total bad
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
    if [ -n "$line" ]; then
        bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
        total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
        passed=$((passed + total - bad))
        failed=$((failed + bad))
    elif [ "$status" -eq 0 ]; then
        : # nothing registered in this flavour yet
    else
        failed=$((failed + 1))
    fi
}

run_ctest host "$LT_BUILD/host" -j "$(nproc)"
run_ctest fuzz "$LT_BUILD/fuzz" -j "$(nproc)"
# Windows tests share one virtual desktop and the keyboard focus: one at a time.
run_ctest win32 "$LT_BUILD/win32" -j 1

echo
echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
