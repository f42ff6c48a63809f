#!/usr/bin/env bash
# Times the skin decoder from outside: `skintool unpack` (the product's
# decoder, host release build) against the classic-shape decoder program on
# the same packed archive of about 3.5 MB of skin files, output on a memory
# file system.
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
# The built-in skin's pictures and INI, and twenty 320x180 24-bit artwork
# pictures (gradients, bands, discs and a little grain, from a fixed seed),
# about 3.5 MB in all: a skin with large pictures.
python3 - "$root/resources/skin/xpluna" "$src" <<'PY'
import os, random, shutil, struct, sys
source, target = sys.argv[1], sys.argv[2]
for name in os.listdir(source):
    if name.endswith((".bmp", ".ini")):
        shutil.copy(os.path.join(source, name), target)
rng = random.Random(24)
w, h = 320, 180
stride = (w * 3 + 3) & ~3
for n in range(20):
    base = [rng.randrange(256) for _ in range(3)]
    discs = [(rng.randrange(w), rng.randrange(h), rng.randrange(10, 60),
              [rng.randrange(256) for _ in range(3)]) for _ in range(6)]
    rows = bytearray()
    for y in range(h):
        row = bytearray()
        for x in range(w):
            c = [(base[k] + y * (k + 1) // 3 + (x // 40) * 7) & 255 for k in range(3)]
            for cx, cy, r, colour in discs:
                if (x - cx) ** 2 + (y - cy) ** 2 < r * r:
                    c = colour[:]
            if rng.random() < 0.3:
                c = [max(0, min(255, v + rng.randrange(-3, 4))) for v in c]
            row += bytes(c)
        rows += row + bytes(stride - len(row))
    header = struct.pack("<2sIHHIIiiHHIIiiII", b"BM", 54 + len(rows), 0, 0, 54, 40, w, h,
                         1, 24, 0, len(rows), 2835, 2835, 0, 0)
    open(os.path.join(target, f"artwork_{n}.bmp"), "wb").write(header + rows)
PY
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
