"""Tool bar, status bar, header, chunked progress, tabs with their page
border, menus and group boxes of Graphite."""
from bmpio import Image, hstrip, mix
from shapes import box, outline, solid, vgrad
from graphite_controls import ACCENT, ACCENT_DARK, FACE, OUTLINE

LIGHT_EDGE = (88, 92, 99)
DARK_EDGE = (34, 36, 40)


def toolbar_buttons():
    """Five 20 x 20 frames: normal (transparent), pressed, disabled
    (transparent), hot, checked."""
    def framed(ring, body):
        f = Image(20, 20)
        box(f, 0, 0, 20, 20, 2, [ring], body)
        return f
    return hstrip([Image(20, 20),
                   framed((20, 21, 24), vgrad([(0, (40, 42, 46)), (1, (50, 53, 58))])),
                   Image(20, 20),
                   framed((30, 32, 36), vgrad([(0, (88, 93, 100)), (1, (72, 76, 82))])),
                   framed(ACCENT_DARK, solid((52, 58, 66)))])


def status_edges():
    """Three 10 x 18 frames: lowered, raised, flat; a face-coloured middle."""
    frames = []
    for tl, br in ((DARK_EDGE, LIGHT_EDGE), (LIGHT_EDGE, DARK_EDGE), (FACE, FACE)):
        f = Image(10, 18, FACE)
        f.fill(0, 0, 10, 1, tl)
        f.fill(0, 0, 1, 18, tl)
        f.fill(0, 17, 10, 18, br)
        f.fill(9, 1, 10, 18, br)
        frames.append(f)
    return hstrip(frames)


def header_items():
    """Five 14 x 20 frames: normal, pressed, disabled, hot, sorted; a column
    divider at the right and a coloured foot for hot and sorted."""
    frames = []
    for state in ("normal", "pressed", "disabled", "hot", "sorted"):
        f = Image(14, 20)
        top, bottom = {"pressed": ((48, 51, 56), (56, 59, 64)),
                       "disabled": ((64, 66, 70), (64, 66, 70)),
                       "hot": ((90, 95, 103), (74, 78, 85))}.get(state, ((78, 82, 89), (64, 67, 73)))
        for y in range(20):
            f.fill(0, y, 14, y + 1, mix(top, bottom, y / 19))
        f.fill(0, 0, 14, 1, LIGHT_EDGE if state != "pressed" else DARK_EDGE)
        foot = {"hot": ACCENT, "sorted": ACCENT_DARK}.get(state, DARK_EDGE)
        f.fill(0, 17, 14, 20, foot)
        f.fill(0, 19, 14, 20, (24, 25, 28))
        if state != "disabled":
            f.fill(12, 3, 13, 15, DARK_EDGE)
            f.fill(13, 3, 14, 15, LIGHT_EDGE)
        frames.append(f)
    return hstrip(frames)


def progress_trough():
    """The chunked bar's 20 x 14 trough (the whole picture is stretched);
    magenta outside its rounded corners."""
    f = Image(20, 14)
    box(f, 0, 0, 20, 14, 3, [OUTLINE, (30, 32, 36)], vgrad([(0, (34, 36, 40)), (1, (44, 46, 50))]))
    return f


def progress_chunk():
    """One 9 x 8 chunk: a 7-pixel block and a 2-pixel magenta gap."""
    f = Image(9, 8)
    box(f, 0, 0, 7, 8, 1, [ACCENT_DARK], vgrad([(0, (150, 184, 220)), (1, ACCENT)]))
    return f


def tabs():
    """Five 26 x 22 frames: normal, selected, disabled, hot, pressed; square
    shoulders, open at the bottom; the selected tab carries an accent line
    and the page border's colour so that it joins the page."""
    looks = {"normal": ((30, 32, 36), (64, 67, 73), None),
             "selected": ((30, 32, 36), (84, 88, 95), ACCENT),
             "disabled": ((52, 54, 58), (62, 64, 68), None),
             "hot": ((30, 32, 36), (76, 80, 87), (96, 112, 132)),
             "pressed": ((20, 21, 24), (52, 55, 60), ACCENT_DARK)}
    frames = []
    for state in ("normal", "selected", "disabled", "hot", "pressed"):
        ring, body, line = looks[state]
        f = Image(26, 22)
        box(f, 0, 0, 26, 26, 2, [ring], solid(body))
        if line is not None:
            f.fill(2, 1, 24, 3, line)
        frames.append(f)
    return hstrip(frames)


def tab_border():
    """The 24 x 24 page border drawn around a tab page (the painters draw
    only its 4/5/4/4 edges; the middle is the page)."""
    f = Image(24, 24)
    box(f, 0, 0, 24, 24, 0, [(30, 32, 36), (84, 88, 95), (72, 76, 82), (62, 65, 70), (58, 61, 66)],
        solid(FACE))
    return f


def menu_items():
    """Five 20 x 18 frames: normal (transparent), separator source,
    disabled (transparent), selected, checked."""
    sep = Image(20, 18)
    sep.fill(2, 13, 18, 14, (30, 32, 36))
    sep.fill(2, 14, 18, 15, (80, 84, 90))
    sel = Image(20, 18)
    box(sel, 0, 0, 20, 18, 2, [(56, 84, 118)], vgrad([(0, (96, 128, 164)), (1, (74, 104, 140))]))
    chk = Image(20, 18)
    box(chk, 0, 0, 20, 18, 2, [(80, 84, 90)], solid((64, 67, 73)))
    return hstrip([Image(20, 18), sep, Image(20, 18), sel, chk])


def menu_frame():
    """16 x 16 popup menu background with its 3-pixel border."""
    f = Image(16, 16)
    box(f, 0, 0, 16, 16, 0, [(18, 19, 22), (74, 78, 84), (48, 51, 56)], solid((48, 51, 56)))
    return f


def group_box_edge():
    """Two 16 x 16 frames (enabled, disabled) of a group frame."""
    frames = []
    for ring in ((88, 92, 99), (68, 70, 74)):
        f = Image(16, 16)
        outline(f, 0, 0, 16, 16, 2, ring)
        frames.append(f)
    return hstrip(frames)


def group_box_label():
    """32 x 16 tag behind a group box caption."""
    f = Image(32, 16)
    box(f, 0, 0, 32, 16, 3, [(34, 36, 40)], vgrad([(0, (70, 74, 80)), (1, (58, 61, 66))]))
    return f
