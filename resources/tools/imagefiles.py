"""Writers for the picture files of the program: palettised BMP and
multi-size 32-bit ICO. Python standard library only; output is a pure
function of the input, so regenerating gives identical bytes."""

import struct


def bmp8(width, height, palette, pixels):
    """An 8-bit BMP with a 256-entry palette.

    palette: list of 0x00BBGGRR colours (padded with black to 256 entries).
    pixels: rows top to bottom, each a list of palette indices.
    """
    pal = list(palette) + [0] * (256 - len(palette))
    stride = (width + 3) & ~3
    rows = b""
    for row in reversed(pixels):
        rows += bytes(row) + b"\0" * (stride - width)
    pal_bytes = b"".join(struct.pack("<BBBB", (c >> 16) & 255, (c >> 8) & 255, c & 255, 0)
                         for c in pal)
    offset = 14 + 40 + len(pal_bytes)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(rows), 2835, 2835, 256, 0)
    return header + info + pal_bytes + rows


def ico(images):
    """An icon file from (size, rgba) pairs; rgba rows top to bottom, each
    pixel an (r, g, b, a) tuple."""
    count = len(images)
    directory = struct.pack("<HHH", 0, 1, count)
    blobs = []
    for size, rgba in images:
        xor = b""
        for row in reversed(rgba):
            xor += b"".join(struct.pack("<BBBB", b, g, r, a) for (r, g, b, a) in row)
        mask_stride = ((size + 31) // 32) * 4
        mask = b""
        for row in reversed(rgba):
            bits = bytearray(mask_stride)
            for x, (_, _, _, a) in enumerate(row):
                if a == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bytes(bits)
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask),
                           0, 0, 0, 0)
        blobs.append((size, info + xor + mask))
    offset = 6 + 16 * count
    entries = b""
    data = b""
    for size, blob in blobs:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob),
                               offset + len(data))
        data += blob
    return directory + entries + data
