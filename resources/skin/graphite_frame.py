"""Window frame, title plate, caption buttons and menu bar of Graphite.

A dark charcoal frame with chamfered corners: a 24-pixel title bar, 5-pixel
sides and bottom, square caption buttons that light up when hot (the close
button turns a muted red), and a brushed menu bar whose middle tiles.
"""
from bmpio import MAGENTA, Image, hstrip, ramp, shade, vstrip
from shapes import box, glyph_centred, vgrad

TITLE_H = 24      # height of one title frame; the top picture holds two stacked
SIDE = 5          # width of the side borders and height of the bottom border
CHAMFER = 4       # the top corners are cut at 45 degrees this far in
FOOT_CHAMFER = 3  # the bottom corners likewise
SIDE_H = 40       # height of the side pictures: title part, middle, foot

# Title rows (y -> colour), active and inactive; the last row is the dark
# seam between the title and the menu bar or client area.
TITLE_ACTIVE = [(0, (28, 30, 34)), (1, (110, 115, 123)), (2, (84, 88, 95)), (12, (64, 67, 73)),
                (22, (50, 53, 58)), (23, (30, 32, 36))]
TITLE_INACTIVE = [(0, (44, 45, 48)), (1, (112, 114, 118)), (2, (96, 98, 102)), (12, (88, 90, 94)),
                  (22, (80, 82, 86)), (23, (52, 54, 58))]
# Side colours from the outside in (index 0 is the outer line).
SIDE_ACTIVE = [(24, 25, 28), (70, 74, 80), (58, 61, 66), (50, 53, 58), (30, 32, 36)]
SIDE_INACTIVE = [(44, 45, 48), (96, 98, 102), (88, 90, 94), (82, 84, 88), (54, 56, 60)]
# Faint vertical pinstripes on the title, period 4 so that tiling is seamless.
PINSTRIPE = [0.0, 0.035, 0.0, -0.03]


def title_row(y, active):
    return ramp(TITLE_ACTIVE if active else TITLE_INACTIVE, y)


def side_colour(k, active):
    return (SIDE_ACTIVE if active else SIDE_INACTIVE)[k]


def title_pixel(wx, wy, w, active):
    """Colour of title pixel (wx, wy) of a window w pixels wide (magenta
    outside the chamfered corners)."""
    edge = min(wx, w - 1 - wx)
    if wy + edge < CHAMFER:
        return MAGENTA
    if wy + edge == CHAMFER or edge == 0:
        return side_colour(0, active)
    row = title_row(wy, active)
    if edge == 1 and 0 < wy < TITLE_H - 1:
        return shade(row, 1.08)
    if 2 <= wy <= TITLE_H - 3:
        return shade(row, 1 + PINSTRIPE[wx % 4])
    return row


def foot_pixel(x, k, active):
    """A pixel of a bottom corner: x from the outer side, k rows above the
    bottom edge."""
    if x + k < FOOT_CHAMFER:
        return MAGENTA
    if x + k == FOOT_CHAMFER:
        return side_colour(0, active)
    return side_colour(min(x, k, SIDE - 1), active)


def side_border(active, right=False):
    """One frame (5 x 40) of the left border; the right border is its mirror.
    Rows 0-23 continue the title, 24-34 are the side, 35-39 the foot."""
    w = 2 * SIDE + 40
    img = Image(SIDE, SIDE_H)
    for y in range(SIDE_H):
        for x in range(SIDE):
            if y < TITLE_H:
                c = title_pixel(x, y, w, active)
            elif y < SIDE_H - SIDE:
                c = side_colour(x, active)
            else:
                c = foot_pixel(x, SIDE_H - 1 - y, active)
            img.set(x, y, c)
    return img.mirrored() if right else img


def frame_pictures():
    """The four border pictures keyed by file name."""
    tops, bottoms = [], []
    for active in (True, False):
        f = Image(64, TITLE_H)
        for y in range(TITLE_H):
            for x in range(64):
                # The top picture lies between the sides: window x from SIDE.
                f.set(x, y, title_pixel(SIDE + x, y, 1000, active))
        tops.append(f)
        b = Image(32, SIDE)
        for y in range(SIDE):
            b.fill(0, y, 32, y + 1, side_colour(SIDE - 1 - y, active))
        bottoms.append(b)
    return {
        "Graphite_FrameTop.bmp": vstrip(tops),
        "Graphite_FrameLeft.bmp": hstrip([side_border(True), side_border(False)]),
        "Graphite_FrameRight.bmp": hstrip([side_border(True, True), side_border(False, True)]),
        "Graphite_FrameBottom.bmp": vstrip(bottoms),
    }


def title_plate():
    """Two stacked 20 x 24 frames: the recessed pill behind the title text
    (active, inactive); 8-pixel round ends, magenta outside."""
    frames = []
    for rim, top, bottom, lip in (((24, 25, 28), (36, 38, 43), (46, 49, 54), (96, 100, 108)),
                                  ((60, 62, 66), (76, 78, 82), (82, 84, 88), (110, 112, 116))):
        f = Image(20, TITLE_H)
        box(f, 0, 3, 20, 18, 8, [rim], vgrad([(0, top), (1, bottom)]))
        # A light lip under the pill makes it read as pressed into the bar.
        for x in range(5, 15):
            f.set(x, 21, lip)
        frames.append(f)
    return vstrip(frames)


GLYPH_CLOSE = ["##....##", "###..###", ".######.", "..####..", "..####..", ".######.",
               "###..###", "##....##"]
GLYPH_MAX = ["########", "########", "#......#", "#......#", "#......#", "#......#",
             "#......#", "########"]
GLYPH_RESTORE = ["..######", "..######", "..#....#", "######.#", "######.#", "#....###",
                 "#....#..", "######.."]
GLYPH_MIN = ["........", "........", "........", "........", "........", "........",
             "########", "########"]
GLYPH_MENU = ["########", "########", "........", "########", "########", "........",
              "########", "########"]
GLYPH_HELP = [".####.", "##..##", "....##", "...##.", "..##..", "..##..", "......", "..##.."]

# Caption-button looks per state: (ring, body top, body bottom, glyph ink).
GREY_LOOK = {
    "normal": ((30, 32, 36), (86, 90, 97), (64, 67, 73), (196, 200, 206)),
    "hot": ((30, 32, 36), (110, 115, 124), (84, 88, 96), (250, 251, 252)),
    "pressed": ((20, 21, 24), (40, 42, 46), (54, 57, 62), (176, 180, 186)),
    "inactive": ((64, 66, 70), (96, 98, 102), (90, 92, 96), (136, 139, 144)),
    "inactivehot": ((64, 66, 70), (112, 114, 118), (100, 102, 106), (200, 202, 206)),
    "disabled": ((44, 46, 50), (72, 75, 80), (66, 69, 74), (110, 113, 118)),
}
RED_LOOK = dict(GREY_LOOK, hot=((44, 22, 22), (176, 78, 72), (138, 52, 48), (255, 255, 255)),
                pressed=((36, 16, 16), (104, 40, 38), (128, 52, 48), (236, 220, 218)))
INACTIVE_STATES = ("inactive", "inactivehot")
FRAME_ORDER = ("normal", "pressed", "hot", "inactive")


def caption_button(look, rows, state, size=18, bg=None):
    """One square caption-button frame over the title bar's colours."""
    ring, top, bottom, ink = look[state]
    active = state not in INACTIVE_STATES
    if bg is None:
        def bg(x, y):
            # The buttons sit 3 pixels below the top of the title.
            return title_row(3 + y, active)
    img = Image(size, size)
    box(img, 0, 0, size, size, 2.5, [ring], vgrad([(0, top), (1, bottom)]), bg)
    off = 1 if state == "pressed" else 0
    glyph_centred(img, 0, 0, size, size, rows, ink, None, off, off)
    return img


def caption_strip(look, rows, states=FRAME_ORDER, size=18):
    return hstrip([caption_button(look, rows, s, size) for s in states])


def caption_pictures():
    """Close, maximise, restore, minimise (four frames each: normal, pressed,
    hot, inactive); the menu button (three: normal, pressed, hot) and the help
    button (six: normal, pressed, hot, inactive, disabled, inactive hot)."""
    out = {}
    for name, look, rows in (("Close", RED_LOOK, GLYPH_CLOSE), ("Maximize", GREY_LOOK, GLYPH_MAX),
                             ("Restore", GREY_LOOK, GLYPH_RESTORE),
                             ("Minimize", GREY_LOOK, GLYPH_MIN)):
        out["Graphite_%s.bmp" % name] = caption_strip(look, rows)
    out["Graphite_MenuButton.bmp"] = caption_strip(GREY_LOOK, GLYPH_MENU, FRAME_ORDER[:3])
    out["Graphite_Help.bmp"] = caption_strip(GREY_LOOK, GLYPH_HELP,
                                             FRAME_ORDER + ("disabled", "inactivehot"))
    return out


# The menu bar: a brushed face whose middle columns repeat.
MENU_ACTIVE = [(0, (66, 69, 75)), (1, (58, 61, 67)), (18, (50, 53, 58)), (19, (30, 32, 36))]
MENU_INACTIVE = [(0, (90, 92, 96)), (1, (84, 86, 90)), (18, (78, 80, 84)), (19, (56, 58, 62))]
BRUSH = [0.0, 0.025, -0.015, 0.012, -0.022, 0.02, 0.0, -0.025]


def menu_bar_picture():
    """Two stacked 14 x 20 frames (active, inactive): 3-pixel caps and an
    8-pixel brushed middle that the bar repeats along its length."""
    frames = []
    for stops in (MENU_ACTIVE, MENU_INACTIVE):
        f = Image(14, 20)
        for y in range(20):
            row = ramp(stops, y)
            for x in range(14):
                if x in (0, 13):
                    c = shade(row, 0.86)
                elif x < 3 or x > 10 or y in (0, 19):
                    c = row
                else:
                    c = shade(row, 1 + BRUSH[x - 3])
                f.set(x, y, c)
        frames.append(f)
    return vstrip(frames)


def mdi_buttons_picture():
    """Twelve 14 x 14 frames: minimise, restore, close; each normal, pressed,
    inactive, hot; drawn over the menu bar's face."""
    small = {"min": ["......", "......", "......", "......", "######", "######"],
             "restore": [".#####", ".#...#", "#####.", "#...#.", "#...#.", "#####."],
             "close": ["##..##", ".####.", "..##..", "..##..", ".####.", "##..##"]}
    frames = []
    for key, look in (("min", GREY_LOOK), ("restore", GREY_LOOK), ("close", RED_LOOK)):
        for state in ("normal", "pressed", "inactive", "hot"):
            frames.append(caption_button(look, small[key], state, 14,
                                         bg=lambda x, y: ramp(MENU_ACTIVE, 3 + y)))
    return hstrip(frames)
