"""A mock skinned window drawn from the skin pictures, for reviewing the look.

Only a rough stand-in for the real painters: nearest-neighbour stretching,
magenta treated as transparent, no text."""
from bmpio import MAGENTA, Image

FACE = (237, 234, 220)


def frame_of(pic, n, k, vertical=False):
    if vertical:
        fh = pic.h // n
        return pic.crop(0, (k - 1) * fh, pic.w, fh)
    fw = pic.w // n
    return pic.crop((k - 1) * fw, 0, fw, pic.h)


def stretch(src, w, h):
    out = Image(max(w, 0), max(h, 0))
    for y in range(out.h):
        for x in range(out.w):
            out.px[y][x] = src.px[y * src.h // h][x * src.w // w]
    return out


def tile(src, w, h):
    out = Image(max(w, 0), max(h, 0))
    for y in range(out.h):
        for x in range(out.w):
            out.px[y][x] = src.px[y % src.h][x % src.w]
    return out


def nine(src, w, h, l, t, r, b, tiled=False):
    """The nine-part rule: corners at their size, the rest stretched."""
    if w < l + r:
        l = r = 0
    if h < t + b:
        t = b = 0
    out = Image(w, h)
    fw, fh = src.w, src.h
    parts = [((0, 0, l, t), (0, 0, l, t)), ((0, fh - b, l, b), (0, h - b, l, b)),
             ((fw - r, 0, r, t), (w - r, 0, r, t)), ((0, t, l, fh - t - b), (0, t, l, h - t - b)),
             ((l, 0, fw - l - r, t), (l, 0, w - l - r, t)),
             ((l, t, fw - l - r, fh - t - b), (l, t, w - l - r, h - t - b)),
             ((fw - r, fh - b, r, b), (w - r, h - b, r, b)),
             ((fw - r, t, r, fh - t - b), (w - r, t, r, h - t - b)),
             ((l, fh - b, fw - l - r, b), (l, h - b, w - l - r, b))]
    for i, ((sx, sy, sw, sh), (dx, dy, dw, dh)) in enumerate(parts):
        if sw <= 0 or sh <= 0 or dw <= 0 or dh <= 0:
            continue
        piece = src.crop(sx, sy, sw, sh)
        fill = tile if (tiled and i == 5) else stretch
        out.blit(fill(piece, dw, dh), dx, dy)
    return out


def put(canvas, img, x, y, keyed=True):
    if keyed:
        canvas.blit_keyed(img, x, y)
    else:
        canvas.blit(img, x, y)


def draw_frame(c, p, w, h, active):
    k = 1 if active else 2
    top = frame_of(p["Blue_FrameTop.bmp"], 2, k, True)
    left = frame_of(p["Blue_FrameLeft.bmp"], 2, k)
    right = frame_of(p["Blue_FrameRight.bmp"], 2, k)
    bottom = frame_of(p["Blue_FrameBottom.bmp"], 2, k, True)
    put(c, nine(left, 3, h, 0, 30, 0, 3), 0, 0)
    put(c, nine(right, 3, h, 0, 30, 0, 3), w - 3, 0)
    put(c, nine(bottom, w - 6, 3, 2, 0, 2, 0), 3, h - 3)
    put(c, nine(top, w - 6, 29, 25, 0, 32, 0), 3, 0)
    cell = 1 if active else 4
    for name, xc in (("Blue_Close.bmp", 25), ("Blue_Maximize.bmp", 48), ("Blue_Minimize.bmp", 71)):
        put(c, frame_of(p[name], 6, cell), w - xc, 5, False)
    c.fill(7, 7, 23, 23, (250, 210, 90))
    menu = frame_of(p["Blue_Menu.bmp"], 2, k, True)
    put(c, nine(menu, w - 6, 20, 1, 0, 1, 0), 3, 29, False)


def mock_window(p):
    w, h = 300, 230
    c = Image(w * 2 + 20, h, (58, 110, 165))
    for idx, active in enumerate((True, False)):
        win = Image(w, h, FACE)
        draw_frame(win, p, w, h, active)
        draw_controls(win, p)
        put(c, win, idx * (w + 20), 0)
    return c


def draw_controls(c, p):
    btn = p["Blue_Button.bmp"]
    for i, k in enumerate((1, 4, 2, 5, 3)):
        put(c, nine(frame_of(btn, 5, k), 52, 23, 3, 3, 3, 3), 12 + i * 56, 60)
    for i in range(5):
        put(c, frame_of(p["Blue_Checkbox.bmp"], 5, i + 1), 14 + i * 18, 92)
        put(c, frame_of(p["mxp1__Blue_RadioButton.bmp"], 5, i + 1), 110 + i * 18, 92)
    arrows = p["Blue_ScrollArrows.bmp"]
    x0, y0, length = 270, 56, 150
    put(c, nine(frame_of(p["Blue_VScrollShaft.bmp"], 4, 1), 17, length, 1, 0, 1, 0, True), x0, y0)
    put(c, frame_of(arrows, 23, 9), x0, y0)
    put(c, frame_of(arrows, 23, 13), x0, y0 + length - 17)
    put(c, nine(frame_of(p["Blue_VScrollThumb.bmp"], 3, 1), 17, 40, 3, 4, 3, 4), x0, y0 + 30)
    put(c, nine(frame_of(p["Blue_HScrollShaft.bmp"], 4, 1), 150, 17, 0, 1, 0, 1, True), 12, 190)
    put(c, frame_of(arrows, 23, 1), 12, 190)
    put(c, frame_of(arrows, 23, 5), 145, 190)
    put(c, nine(frame_of(p["Blue_HScrollThumb.bmp"], 3, 3), 36, 17, 4, 3, 4, 3), 60, 190)
    prog = p["Blue_Progressbar.bmp"]
    put(c, nine(frame_of(prog, 2, 1), 150, 18, 2, 2, 2, 2, True), 12, 115)
    put(c, nine(frame_of(prog, 2, 2), 100, 18, 2, 2, 2, 2, True), 12, 115)
    tabs = p["mxp1__Blue_Tab.bmp"]
    panel = p["Blue_TabPanel.bmp"]
    put(c, nine(panel, 160, 50, 4, 5, 4, 4), 90, 160 - 20)
    for i, k in enumerate((1, 2, 4)):
        put(c, nine(frame_of(tabs, 5, k), 44, 20 + (2 if k == 2 else 0), 4, 4, 4, 2), 92 + i * 46,
            120 - (2 if k == 2 else 0))
    combo = Image(90, 21)
    combo.blit(nine(frame_of(p["Blue_ComboBox.bmp"], 4, 1), 90, 21, 2, 2, 2, 2), 0, 0)
    combo.blit_keyed(nine(frame_of(p["Blue_ComboButton.bmp"], 4, 1), 19, 21, 3, 3, 3, 3), 71, 0)
    combo.blit_keyed(frame_of(p["Blue_ComboButtonGlyph.bmp"], 5, 1), 72, 3)
    put(c, combo, 170, 92, False)
    mi = p["Blue_MenuItem.bmp"]
    menu = nine(p["Blue_MenuFrame.bmp"], 70, 60, 3, 3, 3, 3)
    menu.blit_keyed(nine(frame_of(mi, 5, 4), 64, 18, 2, 2, 2, 2), 3, 21)
    menu.blit_keyed(nine(frame_of(mi, 5, 2), 64, 8, 2, 0, 2, 0), 3, 42)
    put(c, menu, 12, 140 - 4, False)
    head = p["Blue_Header.bmp"]
    for i, k in enumerate((1, 4, 5)):
        put(c, nine(frame_of(head, 5, k), 60, 18, 2, 1, 2, 3), 12 + 60 * i, 212 - 2, False)
