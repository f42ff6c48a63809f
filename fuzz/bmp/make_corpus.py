#!/usr/bin/env python3
"""Writes the seed corpus of the BMP fuzz target: one small valid file per
supported layout (palette depths, core header, 16/24/32 bits, bit fields,
top-down rows, RLE4 and RLE8)."""
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")


def stride(width, bits):
    return ((width * bits + 31) // 32) * 4


def bmp(width, height, bits, pixels, palette=(), compression=0, masks=(), core=False):
    if core:
        header = struct.pack("<IHHHH", 12, width, height & 0xFFFF, 1, bits)
        pal = b"".join(struct.pack("<BBB", c & 255, (c >> 8) & 255, c >> 16) for c in palette)
    else:
        header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression,
                             len(pixels), 3780, 3780, len(palette), 0)
        pal = b"".join(struct.pack("<I", c) for c in palette)
    extra = b"".join(struct.pack("<I", m) for m in masks)
    off = 14 + len(header) + len(extra) + len(pal)
    return b"BM" + struct.pack("<IHHI", off + len(pixels), 0, 0, off) + header + extra + pal + pixels


def rows(width, height, bits, value):
    return b"".join(bytes((value(x, y) & 255 for x in range(stride(width, bits)))) for y in range(height))


def main():
    os.makedirs(HERE, exist_ok=True)
    grey16 = [i * 0x111111 for i in range(16)]
    grey256 = [i * 0x010101 for i in range(256)]
    files = {
        "mono_5x3.bmp": bmp(5, 3, 1, rows(5, 3, 1, lambda x, y: 0xA8 >> y if x == 0 else 0),
                            [0x000000, 0xFFFFFF]),
        "pal4_6x2.bmp": bmp(6, 2, 4, rows(6, 2, 4, lambda x, y: (x * 0x12 + y) & 255), grey16),
        "pal8_4x4.bmp": bmp(4, 4, 8, rows(4, 4, 8, lambda x, y: x * 40 + y), grey256),
        "pal8_short_table.bmp": bmp(3, 2, 8, rows(3, 2, 8, lambda x, y: (x + y) % 3),
                                    [0xFF0000, 0x00FF00, 0x0000FF]),
        "core8_3x2.bmp": bmp(3, 2, 8, rows(3, 2, 8, lambda x, y: x + y), grey256, core=True),
        "rgb555_3x2.bmp": bmp(3, 2, 16, rows(3, 2, 16, lambda x, y: 0x1F if x % 2 else 0x7C)),
        "rgb565_2x2.bmp": bmp(2, 2, 16, rows(2, 2, 16, lambda x, y: 0xE0 if x % 2 else 0x07),
                              compression=3, masks=(0xF800, 0x07E0, 0x001F)),
        "rgb24_3x3.bmp": bmp(3, 3, 24, rows(3, 3, 24, lambda x, y: (x * 30 + y * 7) & 255)),
        "rgb24_topdown.bmp": bmp(2, -2, 24, rows(2, 2, 24, lambda x, y: x * 60 + y)),
        "rgb32_2x2.bmp": bmp(2, 2, 32, rows(2, 2, 32, lambda x, y: x * 20 + y)),
        "fields32_2x1.bmp": bmp(2, 1, 32, bytes([1, 2, 3, 0, 4, 5, 6, 0]), compression=3,
                                masks=(0xFF, 0xFF00, 0xFF0000)),
        "rle8_4x3.bmp": bmp(4, 3, 8, bytes([3, 5, 0, 0, 0, 3, 1, 2, 3, 0, 0, 0, 2, 9, 0, 1]),
                            grey256, compression=1),
        "rle8_delta.bmp": bmp(6, 4, 8, bytes([0, 2, 1, 2, 4, 7, 0, 1]), grey256, compression=1),
        "rle4_8x2.bmp": bmp(8, 2, 4, bytes([5, 0xAB, 0, 0, 0, 3, 0x12, 0x30, 0, 1]), grey16,
                            compression=2),
    }
    for name, data in files.items():
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
