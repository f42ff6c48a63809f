"""Anti-aliased rounded boxes and pixel glyphs for the skin generator."""
from bmpio import MAGENTA, mix

_SUB = 4  # samples per pixel side


def _inside(px, py, x0, y0, x1, y1, r):
    if px < x0 or py < y0 or px > x1 or py > y1:
        return False
    if r <= 0:
        return True
    cx = min(max(px, x0 + r), x1 - r)
    cy = min(max(py, y0 + r), y1 - r)
    return (px - cx) ** 2 + (py - cy) ** 2 <= r * r


def coverage(x, y, x0, y0, x1, y1, r):
    """Share of pixel (x, y) inside the rounded rectangle [x0, x1] x [y0, y1]."""
    hits = 0
    for j in range(_SUB):
        for i in range(_SUB):
            if _inside(x + (i + 0.5) / _SUB, y + (j + 0.5) / _SUB, x0, y0, x1, y1, r):
                hits += 1
    return hits / (_SUB * _SUB)


def box(img, ox, oy, w, h, r, rings, body, bg=None):
    """Draws a rounded box into img at (ox, oy).

    rings: colours (or functions of (u, v)) of the edge rings, outermost first;
    body: colour function of (u, v), both 0..1 across the box;
    bg: colour function of (x, y) local to the box for pixels outside it, or
    None to leave magenta there (half-covered edge pixels snap to in or out)."""
    layers = len(rings)
    for y in range(h):
        for x in range(w):
            u = x / max(1, w - 1)
            v = y / max(1, h - 1)
            covs = [coverage(x, y, k, k, w - k, h - k, max(0, r - k)) for k in range(layers + 1)]
            if covs[0] == 0:
                if bg is not None:
                    img.set(ox + x, oy + y, bg(x, y))
                continue
            parts = []
            for k in range(layers):
                ring = rings[k](u, v) if callable(rings[k]) else rings[k]
                parts.append((ring, covs[k] - covs[k + 1]))
            parts.append((body(u, v), covs[layers]))
            if bg is None:
                if covs[0] < 0.5:
                    continue
                total = covs[0]
            else:
                parts.append((bg(x, y), 1 - covs[0]))
                total = 1.0
            col = [0.0, 0.0, 0.0]
            for c, wgt in parts:
                for i in range(3):
                    col[i] += c[i] * wgt
            img.set(ox + x, oy + y, tuple(int(round(v_ / total)) for v_ in col))


def glyph(img, ox, oy, rows, colour, shadow=None):
    """Stamps a glyph given as strings ('#' = ink) at (ox, oy); an optional
    shadow colour is drawn one pixel down and right first."""
    if shadow is not None:
        for y, row in enumerate(rows):
            for x, ch in enumerate(row):
                if ch == "#":
                    img.set(ox + x + 1, oy + y + 1, shadow)
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch == "#":
                img.set(ox + x, oy + y, colour)


def glyph_centred(img, ox, oy, w, h, rows, colour, shadow=None, dx=0, dy=0):
    gw, gh = len(rows[0]), len(rows)
    glyph(img, ox + (w - gw) // 2 + dx, oy + (h - gh) // 2 + dy, rows, colour, shadow)


def rotate_rows(rows):
    """Glyph rows turned a quarter clockwise."""
    h, w = len(rows), len(rows[0])
    return ["".join(rows[h - 1 - y][x] for y in range(h)) for x in range(w)]


def flip_rows(rows):
    return list(reversed(rows))


def vgrad(stops):
    """Body function: vertical ramp over stops [(v, colour)]."""
    from bmpio import ramp
    return lambda u, v: ramp(stops, v)


def hgrad(stops):
    from bmpio import ramp
    return lambda u, v: ramp(stops, u)


def solid(c):
    return lambda u, v: c


def blend_fn(f, g, t):
    return lambda u, v: mix(f(u, v), g(u, v), t)


__all__ = ["coverage", "box", "glyph", "glyph_centred", "rotate_rows", "flip_rows",
           "vgrad", "hgrad", "solid", "blend_fn", "MAGENTA"]


def outline(img, ox, oy, w, h, r, colour):
    """A one-pixel rounded outline with nothing inside (magenta stays)."""
    for y in range(h):
        for x in range(w):
            c_out = coverage(x, y, 0, 0, w, h, r)
            c_in = coverage(x, y, 1, 1, w - 1, h - 1, max(0, r - 1))
            if c_out - c_in >= 0.4:
                img.set(ox + x, oy + y, colour)
