"""Window frame, title bar, caption buttons and menu glyphs of XPLuna."""
import math

from bmpio import MAGENTA, Image, hstrip, mix, ramp, shade, vstrip
from shapes import box, glyph_centred

TITLE_H = 29      # height of one title frame; the top picture holds two stacked
SIDE = 3          # width of the side borders and height of the bottom border
CORNER_R = 8      # radius of the rounded top corners

# Vertical colour ramps of the title bar, row -> colour.
TITLE_ACTIVE = [(0, (8, 46, 160)), (1, (92, 160, 255)), (2, (52, 132, 255)), (4, (20, 104, 246)),
                (9, (2, 88, 232)), (20, (0, 80, 220)), (25, (0, 70, 206)), (27, (0, 58, 186)),
                (28, (0, 44, 156))]
TITLE_INACTIVE = [(0, (90, 114, 188)), (1, (178, 198, 244)), (2, (156, 180, 238)),
                  (4, (140, 166, 230)), (9, (128, 156, 224)), (20, (120, 148, 220)),
                  (25, (112, 140, 212)), (27, (102, 128, 200)), (28, (90, 114, 188))]
# Side border columns from the outside in.
SIDE_ACTIVE = [(0, 36, 140), (0, 78, 222), (0, 60, 194)]
SIDE_INACTIVE = [(90, 114, 188), (140, 164, 226), (118, 144, 214)]


def title_row(y, active):
    return ramp(TITLE_ACTIVE if active else TITLE_INACTIVE, y)


def title_pixel(wx, wy, w, active):
    """Colour of the title-bar pixel (wx, wy) of a window w pixels wide."""
    row = title_row(wy, active)
    edge = title_row(0, active)
    if wx == 0 or wx == w - 1:
        base = shade(row, 0.6)
    elif wx == 1:
        base = shade(row, 1.12)
    elif wx == w - 2:
        base = shade(row, 0.9)
    else:
        base = row
    if wy < CORNER_R and (wx < CORNER_R or wx >= w - CORNER_R):
        cx = CORNER_R if wx < CORNER_R else w - CORNER_R
        d = math.hypot(wx + 0.5 - cx, wy + 0.5 - CORNER_R)
        if d > CORNER_R + 0.2:
            return MAGENTA
        if d > CORNER_R - 0.8:
            return shade(edge, 0.85)
        if d > CORNER_R - 1.8:
            return mix(base, shade(row, 1.15), 0.5)
    return base


def side_colour(k, active):
    return (SIDE_ACTIVE if active else SIDE_INACTIVE)[k]


def left_border(active, right=False):
    """One frame (3 x 63) of the left border; the right border is its mirror."""
    w = 66
    img = Image(SIDE, 63)
    for y in range(63):
        for x in range(SIDE):
            wx = (w - SIDE + x) if right else x
            k = (SIDE - 1 - x) if right else x
            if y < TITLE_H:
                c = title_pixel(wx, y, w, active)
            elif y < 60:
                c = side_colour(k, active)
            else:
                c = side_colour(min(k, 62 - y), active)
            img.set(x, y, c)
    return img


def frame_pictures():
    """The four border pictures keyed by file name."""
    tops = []
    for active in (True, False):
        f = Image(60, TITLE_H)
        for y in range(TITLE_H):
            for x in range(60):
                f.set(x, y, title_pixel(SIDE + x, y, 66, active))
        tops.append(f)
    bottoms = []
    for active in (True, False):
        f = Image(43, SIDE)
        for y in range(SIDE):
            for x in range(43):
                f.set(x, y, side_colour(SIDE - 1 - y, active))
        bottoms.append(f)
    return {
        "Blue_FrameTop.bmp": vstrip(tops),
        "Blue_FrameLeft.bmp": hstrip([left_border(True), left_border(False)]),
        "Blue_FrameRight.bmp": hstrip([left_border(True, True), left_border(False, True)]),
        "Blue_FrameBottom.bmp": vstrip(bottoms),
    }


GLYPH_CLOSE = ["##.....##", "###...###", ".###.###.", "..#####..", "...###...",
               "..#####..", ".###.###.", "###...###", "##.....##"]
GLYPH_MAX = ["#########", "#########", "#.......#", "#.......#", "#.......#",
             "#.......#", "#.......#", "#.......#", "#########"]
GLYPH_RESTORE = ["..#######", "..#######", "..#.....#", "#######.#", "#######.#",
                 "#.....###", "#.....#..", "#.....#..", "#######.."]
GLYPH_MIN = [".........", ".........", ".........", ".........", ".........",
             ".........", "######...", "######...", "........."]
GLYPH_HELP = ["..####.", ".##..##", ".....##", "....##.", "...##..", "...##..",
              ".......", "...##..", "...##.."]

# Caption-button looks: (top, middle, bottom, ring, glyph) per state.
BLUE_LOOK = {
    "normal": ((124, 172, 255), (50, 116, 248), (30, 90, 230), (255, 255, 255), (255, 255, 255)),
    "hot": ((160, 200, 255), (84, 148, 255), (60, 124, 250), (255, 255, 255), (255, 255, 255)),
    "pressed": ((22, 66, 192), (32, 88, 216), (64, 124, 240), (214, 226, 255), (236, 242, 255)),
    "inactive": ((178, 198, 244), (146, 172, 236), (132, 160, 230), (234, 240, 253), (232, 238, 252)),
    "inactivehot": ((196, 214, 250), (164, 188, 244), (150, 176, 238), (244, 248, 255), (255, 255, 255)),
    "disabled": ((128, 158, 226), (104, 136, 214), (96, 128, 208), (196, 210, 242), (164, 184, 232)),
}
RED_LOOK = {
    "normal": ((244, 156, 124), (228, 94, 54), (206, 64, 32), (255, 255, 255), (255, 255, 255)),
    "hot": ((255, 186, 156), (244, 122, 82), (228, 90, 52), (255, 255, 255), (255, 255, 255)),
    "pressed": ((168, 44, 18), (192, 62, 32), (220, 98, 64), (255, 222, 212), (255, 236, 230)),
    "inactive": ((226, 182, 176), (210, 150, 140), (198, 134, 122), (246, 232, 230), (252, 242, 240)),
    "inactivehot": ((236, 196, 190), (222, 166, 156), (210, 150, 138), (252, 240, 238), (255, 255, 255)),
    "disabled": ((214, 156, 146), (198, 124, 110), (188, 110, 96), (236, 210, 205), (232, 194, 186)),
}
INACTIVE_STATES = ("inactive", "inactivehot")


def caption_button(look, glyph_rows, state, size=21, bg_row0=5, bg=None):
    """One caption-button frame with the title bar behind its rounded corners."""
    top, mid, bot, ring, ink = look[state]
    active = state not in INACTIVE_STATES
    img = Image(size, size)
    if bg is None:
        def bg(x, y):
            return title_row(bg_row0 + y, active)

    def body(u, v):
        c = ramp([(0, top), (0.45, mid), (1, bot)], v)
        glow = max(0.0, 1 - math.hypot(u - 0.7, v - 0.9) / 0.55) * 0.3
        return mix(c, (255, 255, 255), glow) if state != "pressed" else c

    box(img, 0, 0, size, size, 3, [ring], body, bg)
    shadow = None if state in ("disabled",) + INACTIVE_STATES else shade(bot, 0.7)
    off = 1 if state == "pressed" else 0
    glyph_centred(img, 0, 0, size, size, glyph_rows, ink, shadow, off, off)
    return img


CAPTION_ORDER = ("normal", "pressed", "hot", "inactive", "disabled", "inactivehot")


def caption_strip(look, glyph_rows, states=CAPTION_ORDER):
    return hstrip([caption_button(look, glyph_rows, s) for s in states])


def caption_pictures():
    """The read caption buttons and the unread hover, disabled and help pictures."""
    kinds = {"Close": (RED_LOOK, GLYPH_CLOSE), "Maximize": (BLUE_LOOK, GLYPH_MAX),
             "Restore": (BLUE_LOOK, GLYPH_RESTORE), "Minimize": (BLUE_LOOK, GLYPH_MIN)}
    out = {}
    for name, (look, rows) in kinds.items():
        out["Blue_%s.bmp" % name] = caption_strip(look, rows)
        out["Blue_%sHover.bmp" % name] = caption_strip(
            look, rows, ("hot", "pressed", "hot", "inactivehot", "hot", "inactivehot"))
        out["Blue_%sDisabled.bmp" % name] = caption_strip(
            look, rows, ("disabled", "disabled", "disabled", "inactive", "disabled", "inactive"))
    out["Blue_Help.bmp"] = caption_strip(BLUE_LOOK, GLYPH_HELP)
    out["Blue_HelpHover.bmp"] = caption_strip(
        BLUE_LOOK, GLYPH_HELP, ("hot", "pressed", "hot", "inactivehot", "hot", "inactivehot"))
    return out


def help_drafts():
    """Older four-frame help pictures stored a second time under the same names."""
    order = ("normal", "pressed", "hot", "inactive")
    return {"Blue_Help.bmp": caption_strip(BLUE_LOOK, GLYPH_HELP, order),
            "Blue_HelpHover.bmp": caption_strip(BLUE_LOOK, GLYPH_HELP,
                                                ("hot", "pressed", "hot", "inactivehot"))}


MENU_FACE = [(0, (250, 249, 244)), (7, (238, 236, 226)), (9, (228, 225, 212)), (10, (212, 208, 192))]
MENU_FACE_INACTIVE = [(0, (252, 251, 248)), (7, (244, 242, 236)), (9, (236, 234, 226)),
                      (10, (224, 221, 210))]


def menu_bar_picture():
    """Two stacked 20 x 11 frames: active and inactive menu bar."""
    frames = []
    for stops in (MENU_FACE, MENU_FACE_INACTIVE):
        f = Image(20, 11)
        for y in range(11):
            f.fill(0, y, 20, y + 1, ramp(stops, y))
        frames.append(f)
    return vstrip(frames)


def mdi_buttons_picture():
    """Twelve 15 x 15 frames: minimise, restore, close; each normal, pressed,
    inactive, hot; drawn over the menu bar face."""
    small = {"min": ["......", "......", "......", "......", "######", "######"],
             "restore": [".#####", ".#####", "#####.", "#####.", "#..##.", "####.."],
             "close": ["##..##", "######", ".####.", ".####.", "######", "##..##"]}
    frames = []
    for key, look in (("min", BLUE_LOOK), ("restore", BLUE_LOOK), ("close", RED_LOOK)):
        for state in ("normal", "pressed", "inactive", "hot"):
            frames.append(caption_button(look, small[key], state, 15,
                                         bg=lambda x, y: ramp(MENU_FACE, 2 + y * 8 // 15)))
    return hstrip(frames)


def tesselmenu_picture():
    """The 64 x 16 system-menu glyph strip: restore, maximise, minimise, close,
    black on white (white is transparent)."""
    img = Image(64, 16, (255, 255, 255))
    for i, rows in enumerate((GLYPH_RESTORE, GLYPH_MAX, GLYPH_MIN, GLYPH_CLOSE)):
        glyph_centred(img, i * 16, 0, 16, 16, rows, (0, 0, 0))
    return img
