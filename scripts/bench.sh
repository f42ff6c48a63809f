#!/usr/bin/env bash
# Runs the benchmarks behind the painting-cost figures in one go and prints
# them together: every raw "name: value unit" line goes to
# $LT_BUILD/bench-run/<time>.log, then one table row per figure with its
# ratio against the baseline measured in the same run and the goal.
#
#   scripts/bench.sh [--no-build] [--rounds N]
#
# --no-build  use the benchmark programs already built
# --rounds N  rounds of the start-up benchmark (default 5)
#
# The Windows benchmarks run under Wine on a display of their own
# (LT_BENCH_DISPLAY, default 79), stopped again at the end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export LT_BUILD=${LT_BUILD:-$root/build}
build=1
rounds=5
while [ $# -gt 0 ]; do
    case "$1" in
    --no-build) build=0 ;;
    --rounds) rounds=$2; shift ;;
    *) echo "usage: scripts/bench.sh [--no-build] [--rounds N]" >&2; exit 2 ;;
    esac
    shift
done

win32_benches="gdi_stretch_bench skinpaint_bench skinwindow_frame_bench
skincontrols_scroll_bench skinmodel_bench app_startup_bench gallery_memory_bench"
if [ $build = 1 ]; then
    "$root/scripts/build.sh" bench
    LT_TARGETS="$(echo $win32_benches)" "$root/scripts/build.sh" win32
fi

out=$LT_BUILD/bench-run
mkdir -p "$out"
log=$out/$(date +%Y%m%d-%H%M%S).log
scratch=$(mktemp -d)
display=${LT_BENCH_DISPLAY:-79}
cleanup() {
    LT_DISPLAY=$display "$root/scripts/dev-wine.sh" --stop >/dev/null 2>&1 || true
    rm -rf "$scratch"
}
trap cleanup EXIT

# One section of the log per program, headed "## program".
run() {
    local name=$1
    shift
    echo "## $name" >>"$log"
    echo "running $name" >&2
    "$@" 2>>"$out/stderr.log" | tr -d '\r' >>"$log"
}
wine_bench() {
    local exe=$1
    shift
    run "$exe" env LT_DISPLAY="$display" "$root/scripts/dev-wine.sh" \
        wine "$LT_BUILD/win32/bench/$exe.exe" "$@"
}

uptime | sed 's/^/# load: /' >"$log"
run skinstore_bench "$LT_BUILD/bench/bench/skinstore_bench" --side_by_side_only
"$root/scripts/lzh-outside.sh" "$scratch" >>"$log" 2>>"$out/stderr.log" ||
    echo "lzh-outside: failed, see $out/stderr.log" >&2
for exe in gdi_stretch_bench skinpaint_bench skinwindow_frame_bench \
    skincontrols_scroll_bench skinmodel_bench; do
    wine_bench "$exe"
done
wine_bench app_startup_bench "$rounds"
wine_bench gallery_memory_bench

python3 "$root/scripts/bench_table.py" "$log"
echo "raw figures: $log"
