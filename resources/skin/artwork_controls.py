"""Push buttons, marks, scroll bars, combo parts, tabs, menus and the rest."""
import math

from bmpio import MAGENTA, Image, hstrip, mix, ramp, shade
from shapes import box, flip_rows, glyph, glyph_centred, rotate_rows, solid, vgrad

FACE = (236, 233, 216)
WHITE = (255, 255, 255)
NAVY = (0, 60, 116)
GLYPH_INK = (77, 97, 133)
GREEN = (33, 161, 33)
DISABLED_INK = (202, 200, 187)


def push_buttons():
    """Five 18 x 21 frames: normal, pressed, disabled, hot, default."""
    normal = vgrad([(0, WHITE), (0.55, (245, 245, 240)), (0.85, (234, 232, 222)), (1, (214, 208, 196))])
    pressed = vgrad([(0, (206, 202, 190)), (0.25, (226, 223, 214)), (1, (244, 243, 240))])
    orange = vgrad([(0, (255, 240, 207)), (0.5, (252, 200, 110)), (1, (229, 151, 0))])
    orange2 = vgrad([(0, (255, 232, 180)), (1, (246, 180, 60))])
    blue = vgrad([(0, (206, 231, 255)), (0.5, (160, 190, 250)), (1, (105, 130, 238))])
    blue2 = vgrad([(0, (196, 220, 252)), (1, (137, 173, 228))])
    looks = [([NAVY], normal), ([NAVY], pressed), ([DISABLED_INK], solid((245, 244, 234))),
             ([NAVY, orange, orange2], normal), ([NAVY, blue, blue2], normal)]
    frames = []
    for rings, body in looks:
        f = Image(18, 21)
        box(f, 0, 0, 18, 21, 3, rings, body)
        frames.append(f)
    return hstrip(frames)


CHECK_MARK = ["......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#...."]


def _mark_body(u, v):
    return mix((218, 218, 210), WHITE, (u + v) / 2)


def check_boxes():
    """Five 13 x 13 frames: unchecked, checked, unchecked disabled, checked
    disabled, indeterminate."""
    frames = []
    for state in ("off", "on", "off-dis", "on-dis", "mixed"):
        f = Image(13, 13)
        dis = state.endswith("dis")
        box(f, 0, 0, 13, 13, 0, [DISABLED_INK if dis else (28, 81, 128)],
            solid(WHITE) if dis else _mark_body)
        if state.startswith("on"):
            glyph(f, 3, 3, CHECK_MARK, DISABLED_INK if dis else GREEN)
        if state == "mixed":
            box(f, 3, 3, 7, 7, 0, [(40, 150, 40)], vgrad([(0, (110, 200, 110)), (1, (50, 160, 50))]),
                bg=lambda x, y: f.get(3 + x, 3 + y))
        frames.append(f)
    return hstrip(frames)


def radio_buttons():
    """Five 13 x 13 frames: unchecked, checked, unchecked disabled, checked
    disabled, hot; round marks with magenta outside."""
    frames = []
    for state in ("off", "on", "off-dis", "on-dis", "hot"):
        f = Image(13, 13)
        dis = state.endswith("dis")
        rings = [DISABLED_INK if dis else (28, 81, 128)]
        if state == "hot":
            rings.append((255, 196, 84))
        box(f, 0, 0, 13, 13, 6.5, rings, solid(WHITE) if dis else _mark_body)
        if state.startswith("on"):
            dot = (lambda u, v: DISABLED_INK) if dis else (
                lambda u, v: mix((96, 214, 96), (20, 130, 20), min(1.0, math.hypot(u, v) / 1.2)))
            box(f, 4, 4, 5, 5, 2.5, [], dot, bg=lambda x, y: f.get(4 + x, 4 + y))
        frames.append(f)
    return hstrip(frames)


ARROW_UP = ["...#...", "..###..", ".#####.", "###.###", "##...##"]
SCROLL_LOOK = {
    "normal": ((188, 206, 248), [(0, (230, 238, 255)), (0.5, (206, 220, 253)), (1, (184, 204, 251))], GLYPH_INK),
    "pressed": ((128, 158, 228), [(0, (150, 178, 240)), (1, (176, 198, 248))], (40, 56, 96)),
    "hot": ((166, 190, 250), [(0, (242, 247, 255)), (0.5, (214, 228, 255)), (1, (196, 216, 255))], GLYPH_INK),
    "disabled": ((226, 226, 218), [(0, (244, 244, 240)), (1, (238, 237, 231))], DISABLED_INK),
}


def scroll_button(state, rows, size=17):
    ring, stops, ink = SCROLL_LOOK[state]
    f = Image(size, size)
    box(f, 0, 0, size, size, 2.5, [ring], vgrad(stops))
    if rows:
        off = 1 if state == "pressed" else 0
        glyph_centred(f, 0, 0, size, size, rows, ink, None, off, off)
    return f


TRACK = [(0, (232, 231, 222)), (1 / 16, (247, 246, 241)), (15 / 16, (241, 240, 233)), (1, (232, 231, 222))]
TRACK_LOOK = {"normal": TRACK,
              "pressed": [(0, (200, 206, 226)), (1 / 16, (214, 220, 238)), (1, (206, 212, 232))],
              "disabled": [(0, (242, 241, 236)), (1, (242, 241, 236))],
              "hot": [(0, (226, 230, 242)), (1 / 16, (246, 248, 254)), (15 / 16, (238, 241, 250)),
                      (1, (226, 230, 242))]}


def track(state, w=8, h=17):
    f = Image(w, h)
    for y in range(h):
        f.fill(0, y, w, y + 1, ramp(TRACK_LOOK[state], y / (h - 1)))
    return f


def scroll_arrows():
    """23 cells of 17 x 17: left, right, up, down (each normal, pressed, hot,
    disabled), size box, track pieces and thumb grips."""
    right = rotate_rows(ARROW_UP)
    left = [r[::-1] for r in right]
    cells = []
    for rows in (left, right, ARROW_UP, flip_rows(ARROW_UP)):
        for state in ("normal", "pressed", "hot", "disabled"):
            cells.append(scroll_button(state, rows))
    grip = Image(17, 17, (241, 240, 233))
    for i in range(4):
        for j in range(4 - i):
            glyph(grip, 12 - 3 * i, 12 - 3 * j, ["#."], (160, 158, 140))
            glyph(grip, 13 - 3 * i, 13 - 3 * j, ["#"], WHITE)
    cells.append(grip)
    for state in ("normal", "pressed"):
        cells.append(track(state, 17, 17))
    for state in ("normal", "pressed"):
        cells.append(track(state, 17, 17).transposed())
    bars = Image(17, 17)
    for k in range(4):
        bars.fill(5, 5 + 2 * k, 12, 6 + 2 * k, (238, 244, 254) if k % 2 == 0 else (140, 170, 230))
    cells.append(bars)
    cells.append(bars.transposed())
    return hstrip(cells)


def thumbs():
    """Horizontal thumb: three 20 x 17 frames (normal, dragged, hot); the
    vertical thumb is the same artwork turned on its side."""
    frames = [scroll_button(s, None, 17) for s in ("normal", "pressed", "hot")]
    wide = []
    for f in frames:
        g = Image(20, 17)
        g.blit(f.crop(0, 0, 9, 17), 0, 0)
        for x in range(9, 12):
            g.blit(f.crop(8, 0, 1, 17), x, 0)
        g.blit(f.crop(9, 0, 8, 17), 12, 0)
        wide.append(g)
    return hstrip(wide), hstrip([g.transposed() for g in wide])


def shafts():
    frames = [track(s) for s in ("normal", "pressed", "disabled", "hot")]
    return hstrip(frames), hstrip([f.transposed() for f in frames])


def sunk_edges():
    """SunkEdge: four 5 x 21 frames (normal, pressed, disabled, focused/hot)."""
    frames = []
    for edge in ((127, 157, 185), (72, 112, 190), (201, 199, 186), (92, 136, 214)):
        f = Image(5, 21, WHITE)
        box(f, 0, 0, 5, 21, 0, [edge], solid(WHITE))
        frames.append(f)
    return hstrip(frames)


COMBO_LOOK = [((184, 202, 248), [(0, (232, 240, 255)), (0.5, (206, 222, 254)), (1, (186, 206, 252))]),
              ((120, 152, 232), [(0, (150, 178, 242)), (1, (190, 210, 252))]),
              ((226, 226, 218), [(0, (246, 246, 242)), (1, (238, 238, 232))]),
              ((160, 188, 252), [(0, (244, 248, 255)), (0.5, (218, 232, 255)), (1, (200, 220, 255))])]


def combo_buttons():
    """ComboButton: four 16 x 18 frames (normal, pressed, disabled, hot), a
    magenta ring leaves the edit border visible around the button."""
    frames = []
    for ring, stops in COMBO_LOOK:
        f = Image(16, 18)
        box(f, 1, 1, 14, 16, 2, [ring], vgrad(stops))
        frames.append(f)
    return hstrip(frames)


def combo_glyphs():
    """ExtraImages: five 16 x 16 cells: the drop-down arrow normal, pressed,
    disabled, hot, and the size grip."""
    down = flip_rows(ARROW_UP)
    cells = []
    for ink in (GLYPH_INK, (40, 56, 96), DISABLED_INK, GLYPH_INK):
        f = Image(16, 16)
        glyph_centred(f, 0, 0, 16, 16, down, ink, None, 0, 1)
        cells.append(f)
    grip = Image(16, 16)
    for i in range(4):
        for j in range(4 - i):
            glyph(grip, 12 - 3 * i, 12 - 3 * j, ["##", "#."], (160, 158, 140))
            glyph(grip, 13 - 3 * i, 13 - 3 * j, ["#"], WHITE)
    cells.append(grip)
    return hstrip(cells)
