#!/usr/bin/env python3
"""Checks the gallery's screenshots: every file is a PNG whose chunk CRCs and
zlib stream are valid, whose pixels decode to the size its header gives,
which is WIDTH x HEIGHT, and which is not blank (many colours).
    gallery_png_check.py WIDTH HEIGHT FILE...
Prints one line per file; exits non-zero when any file fails."""
import struct
import sys
import zlib


def check(path, want_w, want_h):
    data = open(path, 'rb').read()
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        return 'no PNG signature'
    at, idat, header = 8, b'', None
    while at < len(data):
        (length,) = struct.unpack('>I', data[at:at + 4])
        kind = data[at + 4:at + 8]
        body = data[at + 8:at + 8 + length]
        (crc,) = struct.unpack('>I', data[at + 8 + length:at + 12 + length])
        if zlib.crc32(kind + body) != crc:
            return 'bad CRC in ' + kind.decode('latin-1')
        if kind == b'IHDR':
            header = struct.unpack('>IIBBBBB', body)
        elif kind == b'IDAT':
            idat += body
        at += 12 + length
    if header is None:
        return 'no IHDR'
    w, h, depth, colour = header[:4]
    channels = {2: 3, 6: 4}.get(colour)
    if depth != 8 or channels is None:
        return 'unexpected format %d/%d' % (depth, colour)
    raw = zlib.decompress(idat)
    row = w * channels + 1
    if len(raw) != row * h:
        return 'pixel data of %d bytes for %dx%d' % (len(raw), w, h)
    if (w, h) != (want_w, want_h):
        return 'size %dx%d, window %dx%d' % (w, h, want_w, want_h)
    colours = set()
    for y in range(0, h, 3):
        line = raw[y * row + 1:(y + 1) * row]
        for x in range(0, w * channels, channels * 3):
            colours.add(line[x:x + 3])
    if len(colours) < 16:
        return 'blank (%d colours)' % len(colours)
    return 'ok %dx%d, %d colours' % (w, h, len(colours))


def main():
    want_w, want_h = int(sys.argv[1]), int(sys.argv[2])
    failed = 0
    for path in sys.argv[3:]:
        try:
            verdict = check(path, want_w, want_h)
        except (OSError, zlib.error, struct.error) as e:
            verdict = 'unreadable: %s' % e
        print('%s: %s' % (path, verdict))
        failed += not verdict.startswith('ok')
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
