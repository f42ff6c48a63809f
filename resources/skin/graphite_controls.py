"""Push buttons, marks, scroll bars, combo button, spin buttons and track-bar
thumbs of Graphite."""
from bmpio import MAGENTA, Image, hstrip, ramp
from shapes import box, coverage, flip_rows, glyph, glyph_centred, rotate_rows, solid, vgrad

FACE = (58, 61, 66)
OUTLINE = (26, 27, 30)
ACCENT = (112, 150, 192)
ACCENT_DARK = (70, 100, 136)
INK = (200, 204, 210)
DIM_INK = (110, 113, 118)


def push_button(body, top_line, bottom_line, rings):
    """A 24 x 24 frame: rounded outline, flat body, one light and one dark
    line inside the 4-pixel margins so that the tiled middle stays flat."""
    f = Image(24, 24)
    box(f, 0, 0, 24, 24, 3, rings, solid(body))
    inner = len(rings)
    f.fill(3, inner, 21, inner + 1, top_line)
    f.fill(3, 23 - inner, 21, 24 - inner, bottom_line)
    return f


def push_buttons():
    """Five 24 x 24 frames: normal, pressed, disabled, hot, default."""
    return hstrip([
        push_button((76, 80, 87), (104, 109, 117), (62, 65, 71), [OUTLINE]),
        push_button((46, 49, 54), (36, 38, 42), (54, 57, 62), [(18, 19, 22)]),
        push_button((64, 66, 70), (70, 72, 76), (60, 62, 66), [(50, 52, 56)]),
        push_button((92, 97, 105), (124, 129, 138), (76, 80, 87), [OUTLINE]),
        push_button((76, 80, 87), (104, 109, 117), (62, 65, 71), [ACCENT, ACCENT_DARK]),
    ])


CHECK_MARK = ["......##", ".....##.", "#...##..", "##.##...", ".###....", "..#....."]
MIXED_BAR = ["######", "######"]
# Mark wells per state: (ring, top, bottom).
WELL = {"normal": (OUTLINE, (36, 38, 43), (52, 55, 61)),
        "hot": (ACCENT, (40, 43, 48), (58, 61, 67)),
        "pressed": (ACCENT_DARK, (28, 30, 34), (38, 40, 45)),
        "disabled": ((70, 72, 76), (60, 62, 66), (60, 62, 66))}
STATES = ("normal", "hot", "pressed", "disabled")


def mark_well(state, radius):
    """A 14 x 14 well; its rounded edge is smoothed against the face colour
    and pixels wholly outside it stay magenta."""
    ring, top, bottom = WELL[state]
    f = Image(14, 14)
    box(f, 0, 0, 14, 14, radius, [ring], vgrad([(0, top), (1, bottom)]), lambda x, y: FACE)
    for y in range(14):
        for x in range(14):
            if coverage(x, y, 0, 0, 14, 14, radius) == 0:
                f.set(x, y, MAGENTA)
    return f


def check_boxes():
    """Twelve 14 x 14 cells: unchecked, checked and indeterminate, each
    normal, hot, pressed and disabled (so cells 1, 5, 9 are the resting
    looks and 4, 8, 12 the disabled ones)."""
    cells = []
    for mark in (None, CHECK_MARK, MIXED_BAR):
        for state in STATES:
            f = mark_well(state, 2)
            if mark is not None:
                ink = DIM_INK if state == "disabled" else (ACCENT if mark is MIXED_BAR else INK)
                glyph_centred(f, 0, 0, 14, 14, mark, ink)
            cells.append(f)
    return hstrip(cells)


def radio_buttons():
    """Eight 14 x 14 cells: unchecked and checked, each normal, hot, pressed
    and disabled; round wells with magenta outside."""
    cells = []
    for checked in (False, True):
        for state in STATES:
            f = mark_well(state, 7)
            if checked:
                dot = DIM_INK if state == "disabled" else ACCENT
                box(f, 4, 4, 6, 6, 3, [], solid(dot), bg=lambda x, y, f=f: f.get(4 + x, 4 + y))
            cells.append(f)
    return hstrip(cells)


ARROW_UP = ["..#..", ".###.", "##.##", "#...#"]
SCROLL_LOOK = {"normal": ((30, 32, 36), (72, 76, 82), (60, 63, 69), (186, 190, 196)),
               "pressed": ((20, 21, 24), (44, 47, 52), (52, 55, 60), (230, 232, 236)),
               "hot": ((30, 32, 36), (90, 95, 103), (74, 78, 85), (240, 242, 245)),
               "disabled": ((44, 46, 50), (62, 64, 68), (60, 62, 66), (96, 99, 104))}
TRACK = {"normal": [(0, (32, 34, 38)), (1, (42, 44, 48)), (13, (42, 44, 48)), (14, (32, 34, 38))],
         "pressed": [(0, (26, 28, 31)), (1, (34, 36, 40)), (13, (34, 36, 40)), (14, (26, 28, 31))],
         "disabled": [(0, (50, 52, 56)), (14, (50, 52, 56))],
         "hot": [(0, (36, 38, 42)), (1, (48, 50, 55)), (13, (48, 50, 55)), (14, (36, 38, 42))]}
CELL = 15
TRACK_FACE = (42, 44, 48)  # the track's middle, behind the arrows' corners


def scroll_button(state, rows, size=CELL):
    """An arrow button (or a bare button when rows is None): opaque, its
    rounded corners over the track colour, because the painters stretch it
    to the platform's arrow size."""
    ring, top, bottom, ink = SCROLL_LOOK[state]
    f = Image(size, size)
    box(f, 0, 0, size, size, 2, [ring], vgrad([(0, top), (1, bottom)]),
        lambda x, y: TRACK_FACE)
    if rows:
        off = 1 if state == "pressed" else 0
        glyph_centred(f, 0, 0, size, size, rows, ink, None, off, off)
    return f


def track(state, w=8, h=CELL):
    f = Image(w, h)
    for y in range(h):
        f.fill(0, y, w, y + 1, ramp(TRACK[state], y * 14 / (h - 1)))
    return f


def scroll_arrows():
    """23 cells of 15 x 15: left, right, up, down (each normal, pressed, hot,
    disabled), the size box, two horizontal and two vertical track pieces
    and two grip marks."""
    right = rotate_rows(ARROW_UP)
    left = [r[::-1] for r in right]
    cells = [scroll_button(s, rows) for rows in (left, right, ARROW_UP, flip_rows(ARROW_UP))
             for s in ("normal", "pressed", "hot", "disabled")]
    grip = Image(CELL, CELL, FACE)
    for i in range(4):
        for j in range(4 - i):
            glyph(grip, 11 - 3 * i, 11 - 3 * j, ["#"], (100, 104, 110))
    cells.append(grip)
    cells += [track(s, CELL) for s in ("normal", "pressed")]
    cells += [track(s, CELL).transposed() for s in ("normal", "pressed")]
    bars = Image(CELL, CELL)
    for k in range(3):
        bars.fill(4, 5 + 2 * k, 11, 6 + 2 * k, (120, 124, 130))
    cells += [bars, bars.transposed()]
    return hstrip(cells)


def shafts():
    """Tracks: four 8 x 15 frames (normal, pressed, disabled, hot); the
    vertical track is the same turned on its side."""
    frames = [track(s) for s in ("normal", "pressed", "disabled", "hot")]
    return hstrip(frames), hstrip([f.transposed() for f in frames])


def thumbs():
    """Thumbs: two 20 x 15 frames (normal, dragged), a slim rounded bar with
    magenta around it; the vertical thumb is the same turned."""
    frames = []
    for top, bottom in (((100, 105, 113), (86, 90, 97)), ((128, 134, 144), (110, 116, 125))):
        f = Image(20, CELL)
        box(f, 0, 2, 20, CELL - 4, 4, [(30, 32, 36)], vgrad([(0, top), (1, bottom)]))
        frames.append(f)
    return hstrip(frames), hstrip([f.transposed() for f in frames])


DOWN = ["#####", ".###.", "..#.."]
COMBO_LOOK = [((30, 32, 36), (76, 80, 87), (62, 65, 71)), ((20, 21, 24), (44, 47, 52), (52, 55, 60)),
              ((50, 52, 56), (62, 64, 68), (62, 64, 68)), ((30, 32, 36), (92, 97, 105), (76, 80, 87))]


def combo_buttons():
    """ComboButton: four opaque 16 x 18 cells (normal, pressed, disabled,
    hot) with their own outline; the painter stretches a cell over the
    combo's right end (no magenta, so no fringe) and centres the ExtraImages
    arrow on it."""
    cells = []
    for ring, top, bottom in COMBO_LOOK:
        f = Image(16, 18, ring)
        box(f, 0, 0, 16, 18, 0, [ring], vgrad([(0, top), (1, bottom)]))
        cells.append(f)
    return hstrip(cells)


def extra_images():
    """ExtraImages: five 14 x 14 cells: the arrow (normal, pressed, disabled,
    hot) and the size grip of status bars."""
    cells = []
    for ink in (INK, (230, 232, 236), DIM_INK, (250, 251, 252)):
        f = Image(14, 14)
        glyph_centred(f, 0, 0, 14, 14, DOWN, ink)
        cells.append(f)
    grip = Image(14, 14)
    for i in range(4):
        for j in range(4 - i):
            glyph(grip, 11 - 3 * i, 11 - 3 * j, ["##", "#."], (120, 124, 130))
    cells.append(grip)
    return hstrip(cells)


SPIN = {"normal": ((30, 32, 36), (72, 76, 82), (62, 65, 71), INK),
        "pressed": ((20, 21, 24), (44, 47, 52), (52, 55, 60), (240, 242, 245)),
        "disabled": ((44, 46, 50), (62, 64, 68), (62, 64, 68), DIM_INK),
        "hot": ((30, 32, 36), (90, 95, 103), (76, 80, 87), (250, 251, 252))}
SPIN_STATES = ("normal", "pressed", "disabled", "hot")


def spin_pictures(horizontal):
    """An up-down element: eight button cells (up or left: normal, pressed,
    disabled, hot; then down or right) and eight glyph cells to centre on
    them. Vertical cells are 16 x 11, horizontal ones 11 x 16."""
    w, h = (11, 16) if horizontal else (16, 11)
    up = ["..#..", ".###.", "#####"]
    first, second = ([r[::-1] for r in rotate_rows(up)], rotate_rows(up)) if horizontal \
        else (up, flip_rows(up))
    gw, gh = (5, 7) if horizontal else (7, 5)
    cells, glyphs = [], []
    for rows in (first, second):
        for state in SPIN_STATES:
            ring, top, bottom, ink = SPIN[state]
            f = Image(w, h)
            box(f, 0, 0, w, h, 1, [ring], vgrad([(0, top), (1, bottom)]))
            cells.append(f)
            g = Image(gw, gh)
            glyph_centred(g, 0, 0, gw, gh, rows, ink)
            glyphs.append(g)
    return hstrip(cells), hstrip(glyphs)


def pointed_down(look, w, h):
    """A w x h thumb whose lower end narrows to a point; magenta outside."""
    ring, top, bottom = look
    f = Image(w, h)
    box(f, 0, 0, w, h, 1, [ring], vgrad([(0, top), (1, bottom)]))
    c = (w - 1) // 2
    for d in range(c + 1):
        y = h - 1 - d
        for x in range(w):
            if abs(x - c) > d:
                f.set(x, y, MAGENTA)
            elif abs(x - c) == d:
                f.set(x, y, ring)
    return f


def thumb_cell(shape, look):
    """One track-bar thumb: 'horz'/'vert' blocks or pointing 'down', 'up',
    'right', 'left' (11 x 20 upright, 20 x 11 lying)."""
    ring, top, bottom = look
    if shape in ("horz", "vert"):
        f = Image(11, 20)
        box(f, 0, 0, 11, 20, 1, [ring], vgrad([(0, top), (1, bottom)]))
        return f if shape == "horz" else f.transposed()
    down = pointed_down(look, 11, 20)
    return {"down": down, "up": down.flipped(), "right": down.transposed(),
            "left": down.transposed().mirrored()}[shape]


THUMB_LOOK = [((24, 25, 28), (86, 90, 97), (70, 74, 80)),      # 1 idle
              ((24, 25, 28), (126, 160, 198), (96, 130, 170)),  # 2 resting, as drawn
              ((24, 25, 28), (146, 178, 212), (116, 150, 188)),  # 3 hot
              ((18, 19, 22), (84, 116, 152), (70, 100, 136)),    # 4 pressed
              ((50, 52, 56), (72, 74, 78), (68, 70, 74))]        # 5 disabled


def trackbar_thumbs():
    """Six thumb strips of five cells (idle, resting, hot, pressed,
    disabled; the engine draws the resting cell 2): block thumbs for bars
    with tics on both sides or none, and pointed ones for each side."""
    out = {}
    for name in ("Horz", "Vert", "Down", "Up", "Right", "Left"):
        out["Graphite_Thumb%s.bmp" % name] = hstrip([thumb_cell(name.lower(), look)
                                                      for look in THUMB_LOOK])
    return out
