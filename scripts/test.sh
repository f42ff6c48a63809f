#!/usr/bin/env bash
# Sets up and runs every test layer: host unit tests under sanitizers, a short
# fuzz pass over each target's committed corpus, win32 unit, integration and
# end-to-end tests under Wine on two private desktops. Ends with
# "tests: N passed, N failed" and prints each phase's wall time.
#
#   scripts/test.sh                      every layer, once
#   scripts/test.sh --stress N [--burn K] [-R REGEX]
#       the win32 layer (or the tests matching REGEX) N times, with K
#       CPU-burning processes beside it; prints each test's pass count
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export LT_BUILD=${LT_BUILD:-$root/build}

stress=0 burn=0 regex=""
while [ $# -gt 0 ]; do
    case "$1" in
        --stress) stress=${2:?--stress takes a run count}; shift 2 ;;
        --burn) burn=${2:?--burn takes a process count}; shift 2 ;;
        -R) regex=${2:?-R takes a regular expression}; shift 2 ;;
        -h|--help) sed -n '2,10p' "$0"; exit 0 ;;
        *) echo "test.sh: unknown option $1" >&2; exit 2 ;;
    esac
done
case "$stress$burn" in *[!0-9]*) echo "test.sh: counts are whole numbers" >&2; exit 2 ;; esac

# Wall time of each phase, printed at the end (and as it ends).
phases=()
phase_start=0
phase() {
    local now=$SECONDS
    if [ -n "${phase_name:-}" ]; then
        phases+=("$(printf '%-14s %4d s' "$phase_name" $((now - phase_start)))")
        echo "== $phase_name took $((now - phase_start)) s"
    fi
    phase_name=${1:-}
    phase_start=$now
    [ -n "$phase_name" ] && echo "== $phase_name"
}
fail_setup() {
    echo "$1"
    echo "tests: 0 passed, 1 failed"
    exit 1
}

phase "packages"
"$root/scripts/deps.sh" || fail_setup "package set-up failed"

flavours=(host fuzz win32)
[ "$stress" -gt 0 ] && flavours=(win32)
for flavour in "${flavours[@]}"; do
    phase "build $flavour"
    "$root/scripts/build.sh" "$flavour" || fail_setup "build of $flavour failed"
done

. "$root/scripts/wine-env.sh"
. "$root/scripts/xsession.sh"
burners=()
stop_all() {
    local pid
    for pid in "${burners[@]}"; do kill "$pid" 2>/dev/null; done
    lt_stop_started
}
trap stop_all EXIT
trap 'exit 130' INT TERM

passed=0
failed=0
# Runs one ctest layer, adds its counts, keeps its log. ctest's own summary
# line gives the counts; a ctest that fails without one counts as a failure.
run_ctest() {
    local name=$1 dir=$2
    shift 2
    local log="$LT_BUILD/ctest-$name.log"
    ctest --test-dir "$dir" --output-on-failure --no-tests=ignore "$@" 2>&1 | tee "$log"
    local status=${PIPESTATUS[0]} line total bad
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
    if [ -n "$line" ]; then
        bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
        total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
        passed=$((passed + total - bad))
        failed=$((failed + bad))
    elif [ "$status" -ne 0 ]; then
        failed=$((failed + 1))
    fi
}

# The Windows tests: two at a time, each on a desktop of its own.
win32_ctest() {
    run_ctest "$1" "$LT_BUILD/win32" -j 2 --resource-spec-file "$LT_DESKTOPS_SPEC" \
        ${regex:+-R "$regex"}
}

phase "desktops"
lt_start_desktops 2 || fail_setup "the private desktops did not start"

if [ "$stress" -gt 0 ]; then
    for ((k = 0; k < burn; k++)); do
        (while :; do :; done) &
        burners+=($!)
    done
    phase "stress"
    declare -A runs=() oks=()
    for ((r = 1; r <= stress; r++)); do
        echo "== stress run $r of $stress$([ "$burn" -gt 0 ] && echo " ($burn CPU burners)")"
        win32_ctest "stress-$r" >/dev/null
        # ctest's result lines: "  3/118 Test   #7: name ....   Passed   1.2 sec"
        while read -r test result; do
            runs[$test]=$((${runs[$test]:-0} + 1))
            [ "$result" = Passed ] && oks[$test]=$((${oks[$test]:-0} + 1))
        done < <(sed -nE 's/.*Test +#[0-9]+: ([^ ]+) \.+ *(\*\*\*)?([A-Za-z]+).*/\1 \3/p' \
                     "$LT_BUILD/ctest-stress-$r.log")
        echo "   $((passed)) passed, $failed failed so far"
    done
    phase ""
    echo
    echo "per test (passed/runs):"
    for test in $(printf '%s\n' "${!runs[@]}" | sort); do
        mark=""
        [ "${oks[$test]:-0}" -ne "${runs[$test]}" ] && mark="  <-- FAILED $((runs[$test] - ${oks[$test]:-0}))x"
        printf '  %-60s %3d/%d%s\n' "$test" "${oks[$test]:-0}" "${runs[$test]}" "$mark"
    done
else
    phase "tests host"
    run_ctest host "$LT_BUILD/host" -j "$(nproc)"
    phase "tests fuzz"
    run_ctest fuzz "$LT_BUILD/fuzz" -j "$(nproc)"
    phase "tests win32"
    win32_ctest win32
    phase ""
fi

echo
echo "wall time per phase:"
printf '  %s\n' "${phases[@]}"
echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
