"""The 16 x 16 button glyphs: the dialog's tick and cross and the stock
glyphs of the button kinds. Each glyph is a shape (a set of pixels) shaded
in three tones of one colour family: dark outline, mid body, light upper-left
edge. A glyph file holds the coloured image and its grey disabled copy."""

import math

BACKGROUND = 0x00D8E9EC
GREENS = (0x00006600, 0x00009900, 0x0000CC00)   # dark, mid, light
REDS = (0x00000099, 0x000000CC, 0x000000FF)
GREYS = (0x00808080, 0x00999999, 0x00B2B2B2)
BLUES = (0x00802000, 0x00C05000, 0x00F09040)
GOLDS = (0x00005A80, 0x000090C0, 0x0040C8F0)

# Palette: 0 background, then dark/mid/light of the colour and of the grey.
def palette(tones):
    return [BACKGROUND, tones[0], tones[1], tones[2], GREYS[0], GREYS[1], GREYS[2]]


def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / float(dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def polyline(points, width):
    def inside(x, y):
        return any(seg_dist(x, y, *points[i], *points[i + 1]) <= width
                   for i in range(len(points) - 1))
    return inside


def ring(cx, cy, radius, width, start=0.0, sweep=360.0):
    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        if abs(d - radius) > width:
            return False
        angle = math.degrees(math.atan2(-(y - cy), x - cx)) % 360.0
        return (angle - start) % 360.0 <= sweep
    return inside


def disc(cx, cy, radius):
    return lambda x, y: math.hypot(x - cx, y - cy) <= radius


def triangle(a, b, c):
    def side(p, q, x, y):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])
    def inside(x, y):
        s1, s2, s3 = side(a, b, x, y), side(b, c, x, y), side(c, a, x, y)
        return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)
    return inside


def box(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(shape, hole):
    return lambda x, y: shape(x, y) and not hole(x, y)


def shade(shape):
    """16 x 16 tone indices (0 none, 1 dark, 2 mid, 3 light) of a shape."""
    body = [[shape(x + 0.5, y + 0.5) for x in range(16)] for y in range(16)]
    def on(x, y):
        return 0 <= x < 16 and 0 <= y < 16 and body[y][x]
    tones = [[0] * 16 for _ in range(16)]
    for y in range(16):
        for x in range(16):
            if body[y][x]:
                edge = not (on(x - 1, y) and on(x + 1, y) and on(x, y - 1) and on(x, y + 1))
                if edge:
                    tones[y][x] = 1
                elif not on(x - 2, y - 1) or not on(x - 1, y - 2):
                    tones[y][x] = 3
                else:
                    tones[y][x] = 2
    # The bottom-left pixel is the transparent colour of the whole glyph.
    tones[15][0] = 0
    return tones


def glyph_pixels(shape):
    """Rows of the 32 x 16 two-image strip: coloured image, grey copy."""
    tones = shade(shape)
    rows = []
    for y in range(16):
        left = [tones[y][x] for x in range(16)]
        right = [tones[y][x] + 3 if tones[y][x] else 0 for x in range(16)]
        rows.append(left + right)
    return rows


TICK = polyline([(3.0, 8.5), (6.5, 12.0), (13.0, 4.0)], 1.6)
CROSS = union(polyline([(4.0, 4.0), (12.0, 12.0)], 1.6), polyline([(12.0, 4.0), (4.0, 12.0)], 1.6))
QUESTION = union(ring(8.0, 5.5, 3.2, 1.3, -60.0, 240.0),
                 polyline([(9.6, 8.3), (8.0, 9.6), (8.0, 10.6)], 1.3), disc(8.0, 13.6, 1.4))
NO_SIGN = union(ring(8.0, 8.0, 5.6, 1.3), polyline([(4.2, 4.2), (11.8, 11.8)], 1.3))
ABORT = minus(disc(8.0, 8.0, 6.8), box(3.5, 6.8, 12.5, 9.2))
RETRY = union(ring(8.0, 8.5, 4.8, 1.3, 120.0, 270.0),
              triangle((11.5, 1.0), (15.2, 5.4), (9.4, 6.6)))
IGNORE = union(ring(8.0, 10.5, 5.0, 1.3, 20.0, 160.0), triangle((10.2, 9.6), (15.4, 9.6), (12.8, 13.8)),
               box(1.5, 13.0, 14.5, 14.6))
CLOSE = union(minus(box(2.0, 2.0, 9.5, 14.0), box(4.5, 4.5, 7.0, 11.5)),
              polyline([(6.0, 8.0), (12.0, 8.0)], 1.2), triangle((11.0, 4.5), (15.5, 8.0), (11.0, 11.5)))
DOUBLE_TICK = union(polyline([(1.5, 8.0), (4.0, 10.5), (8.5, 4.5)], 1.3),
                    polyline([(6.5, 10.0), (9.0, 12.5), (14.5, 5.5)], 1.3))

# name of the bitmap resource -> (file name, shape, colour family)
STOCK = [
    ("BBOK", "bb_ok.bmp", TICK, GREENS),
    ("BBCANCEL", "bb_cancel.bmp", CROSS, REDS),
    ("BBHELP", "bb_help.bmp", QUESTION, BLUES),
    ("BBYES", "bb_yes.bmp", TICK, GREENS),
    ("BBNO", "bb_no.bmp", NO_SIGN, REDS),
    ("BBCLOSE", "bb_close.bmp", CLOSE, BLUES),
    ("BBABORT", "bb_abort.bmp", ABORT, REDS),
    ("BBRETRY", "bb_retry.bmp", RETRY, GOLDS),
    ("BBIGNORE", "bb_ignore.bmp", IGNORE, BLUES),
    ("BBALL", "bb_all.bmp", DOUBLE_TICK, GREENS),
]
