"""Small RGB canvas plus BMP and PNG writers for the skin generator.

Standard library only and fully deterministic: the same drawing calls always
give the same bytes.
"""
import struct
import zlib

MAGENTA = (255, 0, 255)


def clamp(v):
    return 0 if v < 0 else 255 if v > 255 else int(round(v))


def mix(a, b, t):
    """Colour between a (t = 0) and b (t = 1)."""
    return tuple(clamp(a[i] + (b[i] - a[i]) * t) for i in range(3))


def shade(c, f):
    """Colour scaled by f (below 1 darker, above 1 lighter toward white)."""
    if f <= 1:
        return tuple(clamp(v * f) for v in c)
    return mix(c, (255, 255, 255), f - 1)


def ramp(stops, pos):
    """Piecewise linear colour ramp; stops are (position, colour) sorted."""
    if pos <= stops[0][0]:
        return stops[0][1]
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if pos <= p1:
            return mix(c0, c1, (pos - p0) / (p1 - p0) if p1 != p0 else 0)
    return stops[-1][1]


class Image:
    """A width x height grid of RGB tuples."""

    def __init__(self, w, h, fill=MAGENTA):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def get(self, x, y):
        return self.px[y][x]

    def fill(self, x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.px[y][x] = c

    def blit(self, src, x, y):
        for sy in range(src.h):
            for sx in range(src.w):
                self.set(x + sx, y + sy, src.px[sy][sx])

    def blit_keyed(self, src, x, y, key=MAGENTA):
        for sy in range(src.h):
            for sx in range(src.w):
                c = src.px[sy][sx]
                if c != key:
                    self.set(x + sx, y + sy, c)

    def crop(self, x, y, w, h):
        out = Image(w, h)
        for yy in range(h):
            out.px[yy] = list(self.px[y + yy][x:x + w])
        return out

    def mirrored(self):
        out = Image(self.w, self.h)
        out.px = [list(reversed(r)) for r in self.px]
        return out

    def flipped(self):
        out = Image(self.w, self.h)
        out.px = [list(r) for r in reversed(self.px)]
        return out

    def transposed(self):
        out = Image(self.h, self.w)
        out.px = [[self.px[c][r] for c in range(self.h)] for r in range(self.w)]
        return out

    def scaled(self, k):
        out = Image(self.w * k, self.h * k)
        out.px = [[c for c in row for _ in range(k)] for row in self.px for _ in range(k)]
        return out

    def colours(self):
        seen = {}
        for row in self.px:
            for c in row:
                if c not in seen:
                    seen[c] = len(seen)
        return list(seen)


def hstrip(frames):
    """Frames of equal size laid side by side."""
    out = Image(sum(f.w for f in frames), frames[0].h)
    x = 0
    for f in frames:
        out.blit(f, x, 0)
        x += f.w
    return out


def vstrip(frames):
    """Frames of equal size stacked top to bottom."""
    out = Image(frames[0].w, sum(f.h for f in frames))
    y = 0
    for f in frames:
        out.blit(f, 0, y)
        y += f.h
    return out


def _median_cut(colours, limit):
    """Reduces a colour list (with counts) to at most `limit` representatives.

    Magenta is kept exact because it is the transparency key."""
    keep = [c for c in colours if c[0] == MAGENTA]
    rest = [c for c in colours if c[0] != MAGENTA]
    boxes = [rest]
    while len(boxes) + len(keep) < limit:
        boxes.sort(key=lambda b: -_spread(b)[0])
        spread, axis = _spread(boxes[0])
        if spread == 0:
            break
        box = sorted(boxes.pop(0), key=lambda c: (c[0][axis], c[0]))
        total = sum(n for _, n in box)
        acc, cut = 0, 1
        for i, (_, n) in enumerate(box):
            acc += n
            if acc * 2 >= total:
                cut = max(1, min(len(box) - 1, i + 1))
                break
        boxes += [box[:cut], box[cut:]]
    mapping = {}
    reps = [k[0] for k in keep]
    for k in keep:
        mapping[k[0]] = k[0]
    for box in boxes:
        total = sum(n for _, n in box)
        rep = tuple(clamp(sum(c[i] * n for c, n in box) / total) for i in range(3))
        if rep == MAGENTA:
            rep = (254, 0, 254)
        reps.append(rep)
        for c, _ in box:
            mapping[c] = rep
    return mapping


def _spread(box):
    best = (0, 0)
    for axis in range(3):
        vals = [c[axis] for c, _ in box]
        best = max(best, (max(vals) - min(vals), axis))
    return best


def quantise(img, limit=256):
    """Maps the image onto at most `limit` colours (in place)."""
    counts = {}
    for row in img.px:
        for c in row:
            counts[c] = counts.get(c, 0) + 1
    if len(counts) <= limit:
        return
    mapping = _median_cut(sorted(counts.items()), limit)
    img.px = [[mapping[c] for c in row] for row in img.px]


def bmp_bytes(img, bits):
    """BMP file bytes: 1, 4 or 8 bits with a palette of the used colours, or 24."""
    if bits == 24:
        palette = []
        stride = (img.w * 3 + 3) & ~3
    elif bits == 1:
        palette = [(0, 0, 0), (255, 255, 255)]
        stride = ((img.w + 31) // 32) * 4
    else:
        quantise(img, 1 << bits)
        palette = img.colours()
        assert len(palette) <= (1 << bits)
        stride = ((img.w * bits + 31) // 32) * 4
    index = {c: i for i, c in enumerate(palette)}
    rows = []
    for y in range(img.h - 1, -1, -1):
        row = img.px[y]
        if bits == 24:
            data = b"".join(bytes((c[2], c[1], c[0])) for c in row)
        else:
            acc, nbits, out = 0, 0, bytearray()
            for c in row:
                acc = (acc << bits) | index[c]
                nbits += bits
                if nbits == 8:
                    out.append(acc)
                    acc, nbits = 0, 0
            if nbits:
                out.append(acc << (8 - nbits))
            data = bytes(out)
        rows.append(data + b"\0" * (stride - len(data)))
    pal = b"".join(bytes((c[2], c[1], c[0], 0)) for c in palette)
    offset = 14 + 40 + len(pal)
    size = offset + stride * img.h
    head = struct.pack("<2sIHHI", b"BM", size, 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, img.w, img.h, 1, bits, 0, stride * img.h,
                       2835, 2835, len(palette), 0)
    return head + info + pal + b"".join(rows)


def png_bytes(img):
    """PNG file bytes (8-bit RGB) for looking at the artwork."""
    raw = bytearray()
    for row in img.px:
        raw.append(0)
        for c in row:
            raw += bytes(c)

    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    ihdr = struct.pack(">IIBBBBB", img.w, img.h, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))
