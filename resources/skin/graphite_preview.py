"""A mock Graphite window drawn from the skin pictures, for reviewing the look.

Rough stand-ins for the painters (nearest-neighbour stretching, magenta
transparent, no text), laid out by the description's numbers: centred title
plate, menu button on the left, close/maximise/minimise on the right, help
right of the title, brushed menu bar, and one of each control."""
from bmpio import Image
from preview import frame_of, nine, put, stretch, tile

FACE = (58, 61, 66)
W, H = 320, 260


def bar(src, w, h, l, r):
    """Three-part bar: caps at their size, the middle repeated."""
    out = Image(w, h)
    out.blit(stretch(src.crop(0, 0, l, src.h), l, h), 0, 0)
    mid = src.crop(l, 0, src.w - l - r, src.h)
    out.blit(tile(stretch(mid, mid.w, h), w - l - r, h), l, 0)
    out.blit(stretch(src.crop(src.w - r, 0, r, src.h), r, h), w - r, 0)
    return out


def draw_frame(c, p, active):
    k = 1 if active else 2
    top = frame_of(p["Graphite_FrameTop.bmp"], 2, k, True)
    left = frame_of(p["Graphite_FrameLeft.bmp"], 2, k)
    right = frame_of(p["Graphite_FrameRight.bmp"], 2, k)
    bottom = frame_of(p["Graphite_FrameBottom.bmp"], 2, k, True)
    put(c, nine(left, 5, H, 0, 24, 0, 5, True), 0, 0)
    put(c, nine(right, 5, H, 0, 24, 0, 5, True), W - 5, 0)
    put(c, nine(bottom, W - 10, 5, 4, 0, 4, 0), 5, H - 5)
    put(c, nine(top, W - 10, 24, 10, 0, 10, 0, True), 5, 0)
    plate = frame_of(p["Graphite_TitlePlate.bmp"], 2, k, True)
    text_w = 90
    left_x = 5 + (W - 10 - text_w) // 2
    put(c, bar(plate, text_w, 24, 8, 8), left_x, 0)
    cell = 1 if active else 4
    for name, xc in (("Graphite_Close.bmp", 24), ("Graphite_Maximize.bmp", 44),
                     ("Graphite_Minimize.bmp", 64)):
        put(c, frame_of(p[name], 4, cell), W - xc, 3, False)
    put(c, frame_of(p["Graphite_MenuButton.bmp"], 3, 1), 6, 3, False)
    if active:
        put(c, frame_of(p["Graphite_Help.bmp"], 6, 1), left_x + text_w + 4, 3, False)
    menu = frame_of(p["Graphite_Menu.bmp"], 2, k, True)
    put(c, bar(menu, W - 10, 19, 3, 3), 5, 24, False)


def draw_controls(c, p):
    btn = p["Graphite_Button.bmp"]
    for i, k in enumerate((1, 4, 2, 5, 3)):
        put(c, nine(frame_of(btn, 5, k), 54, 24, 4, 4, 4, 4, True), 12 + i * 58, 52)
    for i, k in enumerate((1, 5, 9, 4, 8, 12)):
        put(c, frame_of(p["Graphite_Check.bmp"], 12, k), 14 + i * 18, 84)
    for i, k in enumerate((1, 5, 4, 8)):
        put(c, frame_of(p["Graphite_Radio.bmp"], 8, k), 128 + i * 18, 84)
    combo = Image(86, 22, (44, 46, 50))
    combo.fill(0, 0, 86, 1, (34, 36, 40))
    combo.fill(0, 21, 86, 22, (34, 36, 40))
    combo.blit_keyed(stretch(frame_of(p["Graphite_ComboButton.bmp"], 4, 1), 19, 22), 67, 0)
    combo.blit_keyed(frame_of(p["Graphite_Glyphs.bmp"], 5, 1), 69, 4)
    put(c, combo, 200, 80, False)
    trough = p["Graphite_ProgressTrough.bmp"]
    put(c, nine(trough, 180, 16, 3, 3, 3, 3), 12, 112)
    chunks = tile(p["Graphite_ProgressChunk.bmp"], 108, 8)
    put(c, chunks, 15, 116)
    spin = p["Graphite_SpinVert.bmp"]
    glyphs = p["Graphite_SpinVertGlyphs.bmp"]
    for i, cell in enumerate((1, 5)):
        put(c, stretch(frame_of(spin, 8, cell), 16, 11), 206, 110 + 11 * i)
        put(c, frame_of(glyphs, 8, cell), 210, 113 + 11 * i)
    draw_tabs(c, p)
    track = Image(120, 4, (34, 36, 40))
    put(c, track, 190, 150, False)
    put(c, frame_of(p["Graphite_ThumbDown.bmp"], 5, 2), 230, 142)
    head = p["Graphite_Header.bmp"]
    for i, k in enumerate((1, 4, 5)):
        put(c, nine(frame_of(head, 5, k), 60, 20, 2, 1, 3, 3), 190 + 40 * i - 60 * (i > 1), 180, False)
    draw_scroll_and_status(c, p)


def draw_tabs(c, p):
    tabs = p["Graphite_Tab.bmp"]
    border = p["Graphite_TabBorder.bmp"]
    page = nine(border, 160, 70, 4, 5, 4, 4)
    put(c, page, 12, 162, False)
    for i, k in enumerate((1, 2, 4)):
        put(c, nine(frame_of(tabs, 5, k), 48, 20, 3, 3, 3, 1, True), 14 + i * 50, 143)


def draw_scroll_and_status(c, p):
    arrows = p["Graphite_ScrollArrows.bmp"]
    x0, y0, length = W - 5 - 15 - 4, 80, 130
    put(c, nine(frame_of(p["Graphite_VScrollShaft.bmp"], 4, 1), 15, length, 1, 0, 1, 0, True), x0, y0)
    put(c, frame_of(arrows, 23, 9), x0, y0)
    put(c, frame_of(arrows, 23, 13), x0, y0 + length - 15)
    put(c, nine(frame_of(p["Graphite_VScrollThumb.bmp"], 2, 1), 15, 36, 4, 5, 4, 5), x0, y0 + 24)
    status = p["Graphite_Status.bmp"]
    y = H - 5 - 20
    put(c, nine(frame_of(status, 3, 3), W - 10, 20, 1, 1, 1, 1), 5, y, False)
    put(c, nine(frame_of(status, 3, 1), 150, 18, 1, 1, 1, 1), 7, y + 1, False)
    put(c, nine(frame_of(status, 3, 1), 140, 18, 1, 1, 1, 1), 159, y + 1, False)
    put(c, frame_of(p["Graphite_Glyphs.bmp"], 5, 5), W - 5 - 15, y + 5)


def mock_window(p):
    c = Image(W * 2 + 20, H, (96, 120, 150))
    for idx, active in enumerate((True, False)):
        win = Image(W, H, FACE)
        draw_frame(win, p, active)
        draw_controls(win, p)
        put(c, win, idx * (W + 20), 0)
    return c
