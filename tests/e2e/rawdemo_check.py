#!/usr/bin/env python3
"""Checks rawdemo's screenshots (24-bit BMP files) of one run against another.

  rawdemo_check.py sizes DIR_A DIR_B DW DH   every picture of B is DW x DH
                                             larger than the one of A
  rawdemo_check.py differ DIR_A DIR_B        the title bars of main.bmp and
                                             dialog.bmp look different
  rawdemo_check.py same DIR_A DIR_B          pictures of the same sizes
"""
import struct
import sys

NAMES = ["main.bmp", "popup.bmp", "dialog.bmp", "msgbox.bmp"]


def read_bmp(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM":
        raise ValueError(path + ": not a BMP file")
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    if bits != 24 or width <= 0 or height <= 0:
        raise ValueError(path + ": not a 24-bit bottom-up BMP")
    stride = (width * 3 + 3) & ~3
    if len(data) < offset + stride * height:
        raise ValueError(path + ": truncated")
    rows = []
    for y in range(height):
        start = offset + (height - 1 - y) * stride
        row = data[start:start + width * 3]
        rows.append([tuple(row[x * 3:x * 3 + 3]) for x in range(width)])
    return width, height, rows


def mean_colour(rows, top, bottom, left, right):
    total = [0, 0, 0]
    n = 0
    for y in range(top, bottom):
        for x in range(left, right):
            for i in range(3):
                total[i] += rows[y][x][i]
            n += 1
    return [t / n for t in total]


def main():
    mode, a, b = sys.argv[1], sys.argv[2], sys.argv[3]
    ok = True
    for name in NAMES:
        wa, ha, ra = read_bmp(a + "/" + name)
        wb, hb, rb = read_bmp(b + "/" + name)
        if mode == "sizes":
            dw, dh = int(sys.argv[4]), int(sys.argv[5])
            good = (wb - wa, hb - ha) == (dw, dh)
            print("%s: %dx%d -> %dx%d (%+d, %+d) %s" % (name, wa, ha, wb, hb, wb - wa, hb - ha,
                                                       "ok" if good else "expected %+d, %+d" % (dw, dh)))
            ok = ok and good
        elif mode == "same":
            good = (wa, ha) == (wb, hb)
            print("%s: %dx%d and %dx%d %s" % (name, wa, ha, wb, hb, "ok" if good else "differ"))
            ok = ok and good
        elif mode == "differ" and name in ("main.bmp", "dialog.bmp"):
            # The middle of the title bar, 8 rows from the top.
            ca = mean_colour(ra, 6, 14, wa // 4, wa * 3 // 4)
            cb = mean_colour(rb, 6, 14, wb // 4, wb * 3 // 4)
            distance = sum(abs(x - y) for x, y in zip(ca, cb))
            good = distance > 30
            print("%s: title colours %s and %s, distance %.0f %s" % (
                name, [round(c) for c in ca], [round(c) for c in cb], distance,
                "ok" if good else "too close"))
            ok = ok and good
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
