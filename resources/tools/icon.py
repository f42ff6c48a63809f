"""The program icon: a wicker basket of fruit, the shop's goods. Drawn from
shapes on a unit square and rendered at each icon size with 4 x 4
supersampling."""

import math

# Layers from back to front: (inside(x, y) on the unit square, (r, g, b)).


def _disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def _handle(x, y):
    d = math.hypot(x - 0.5, y - 0.56)
    return y <= 0.56 and abs(d - 0.34) <= 0.035


def _basket(x, y):
    if not 0.56 <= y <= 0.93:
        return False
    t = (y - 0.56) / 0.37
    half = 0.42 - 0.12 * t
    return abs(x - 0.5) <= half


def _weave(x, y):
    return _basket(x, y) and (int((y - 0.56) / 0.09) + int(x / 0.1)) % 2 == 0


def _rim(x, y):
    return 0.53 <= y <= 0.62 and abs(x - 0.5) <= 0.45


def _leaf(x, y):
    # An ellipse tilted 35 degrees.
    a = math.radians(35)
    dx, dy = x - 0.44, y - 0.2
    u = dx * math.cos(a) + dy * math.sin(a)
    v = -dx * math.sin(a) + dy * math.cos(a)
    return (u / 0.09) ** 2 + (v / 0.04) ** 2 <= 1.0


def _stem(x, y):
    return abs(x - 0.35) <= 0.018 and 0.19 <= y <= 0.32


LAYERS = [
    (_handle, (120, 78, 40)),
    (_disc(0.65, 0.43, 0.17), (244, 150, 28)),      # orange
    (_disc(0.61, 0.38, 0.05), (252, 196, 104)),     # its shine
    (_stem, (96, 60, 24)),
    (_disc(0.35, 0.43, 0.18), (206, 30, 36)),       # apple
    (_disc(0.29, 0.37, 0.05), (244, 120, 120)),     # its shine
    (_leaf, (56, 150, 48)),
    (_basket, (196, 136, 68)),
    (_weave, (160, 104, 48)),
    (_rim, (132, 84, 36)),
]


def render(size):
    """Rows of (r, g, b, a) pixels for one icon size."""
    n = 4
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0]
            hits = 0
            for sy in range(n):
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) / size
                    y = (py + (sy + 0.5) / n) / size
                    colour = None
                    for inside, rgb in LAYERS:
                        if inside(x, y):
                            colour = rgb
                    if colour:
                        hits += 1
                        for i in range(3):
                            acc[i] += colour[i]
            if hits == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(round(c / hits) for c in acc) + (round(255 * hits / (n * n)),))
        rows.append(row)
    return rows
