#!/usr/bin/env bash
# Times the skin decoder from outside: `skintool unpack` (the product's
# decoder, host release build) against the classic-shape decoder program on
# the same packed archive of about 3.5 MB of skin files (the built-in
# skin's pictures twenty times over under other names), output on a
# memory file system.
# Prints "name: value unit" lines; needs hyperfine and `scripts/build.sh bench`.
#
#   scripts/lzh-outside.sh SCRATCH_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
LT_BUILD=${LT_BUILD:-$root/build}
scratch=${1:?usage: scripts/lzh-outside.sh SCRATCH_DIR}
if ! command -v hyperfine >/dev/null; then
    echo "lzh-outside: hyperfine is missing (apt-get install hyperfine)" >&2
    exit 1
fi
skintool=$LT_BUILD/bench/tools/skintool/skintool
classic=$LT_BUILD/bench/bench/lzh_classic_unpack
out=$(mktemp -d /dev/shm/lzh-outside.XXXXXX)
trap 'rm -rf "$out"' EXIT

src=$scratch/lzh-outside-skin
rm -rf "$src"
mkdir -p "$src"
for copy in $(seq 1 20); do
    for f in "$root/resources/skin/xpluna"/*.bmp; do
        cp "$f" "$src/c${copy}_$(basename "$f")"
    done
done
cp "$root/resources/skin/xpluna"/*.ini "$src/"
archive=$scratch/lzh-outside.skn
"$skintool" pack "$src" "$archive" >/dev/null
unpacked=$(du -cb "$src" | tail -1 | cut -f1)

hyperfine --style none --warmup 3 --min-runs 30 -N \
    --export-json "$scratch/lzh-outside.json" \
    "$skintool unpack $archive $out/product" \
    "$classic $archive $out/classic.bin" >/dev/null 2>&1
python3 - "$scratch/lzh-outside.json" "$(stat -c %s "$archive")" "$unpacked" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["results"]
product, classic = (r["median"] * 1e3 for r in runs)
print(f"lzh_outside_archive: {int(sys.argv[2])} bytes")
print(f"lzh_outside_unpacked: {int(sys.argv[3])} bytes")
print(f"lzh_outside_skintool_unpack: {product:.3f} ms")
print(f"lzh_outside_classic_unpack: {classic:.3f} ms")
print(f"lzh_outside_classic_vs_skintool: {classic / product:.3f} x")
PY
