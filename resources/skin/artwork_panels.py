"""Tool bar, status bar, header, progress, tabs, menus and group boxes."""
from bmpio import MAGENTA, Image, hstrip, mix, ramp
from shapes import box, outline, solid, vgrad
from artwork_controls import FACE, WHITE

ORANGE_TOP = [(0, (230, 140, 20)), (0.5, (255, 200, 60)), (1, (255, 226, 140))]


def toolbar_buttons():
    """Five 22 x 22 frames: normal (transparent), pressed, disabled
    (transparent), hot, checked."""
    frames = [Image(22, 22)]
    f = Image(22, 22)
    box(f, 0, 0, 22, 22, 3, [(142, 141, 134)], vgrad([(0, (214, 212, 202)), (1, (232, 230, 222))]))
    frames.append(f)
    frames.append(Image(22, 22))
    f = Image(22, 22)
    box(f, 0, 0, 22, 22, 3, [(196, 194, 182)], vgrad([(0, WHITE), (0.6, (246, 245, 240)), (1, (226, 223, 210))]))
    frames.append(f)
    f = Image(22, 22)
    box(f, 0, 0, 22, 22, 3, [(142, 141, 134)], solid((244, 243, 238)))
    frames.append(f)
    return hstrip(frames)


def status_edges():
    """Three 8 x 16 frames: lowered, raised, flat."""
    frames = []
    for tl, br in (((172, 168, 153), WHITE), (WHITE, (172, 168, 153)), (FACE, FACE)):
        f = Image(8, 16, FACE)
        f.fill(0, 0, 8, 1, tl)
        f.fill(0, 0, 1, 16, tl)
        f.fill(0, 15, 8, 16, br)
        f.fill(7, 0, 8, 16, br)
        frames.append(f)
    return hstrip(frames)


def header_items():
    """Five 12 x 18 frames: normal, pressed, disabled, hot, sorted."""
    frames = []
    for state in ("normal", "pressed", "disabled", "hot", "sorted"):
        f = Image(12, 18)
        top = (222, 223, 216) if state == "pressed" else (250, 250, 247)
        bottom = (214, 212, 200) if state == "pressed" else (236, 235, 226)
        for y in range(18):
            f.fill(0, y, 12, y + 1, mix(top, bottom, y / 17))
        lines = {"hot": [(250, 190, 70), (248, 169, 0), (229, 151, 0)],
                 "sorted": [(180, 200, 246), (120, 156, 236), (90, 130, 226)]}.get(
            state, [(226, 222, 205), (214, 210, 191), (203, 199, 184)])
        for k, c in enumerate(lines):
            f.fill(0, 15 + k, 12, 16 + k, c)
        if state != "disabled":
            f.fill(10, 3, 11, 14, (199, 197, 178))
            f.fill(11, 3, 12, 14, WHITE)
        frames.append(f)
    return hstrip(frames)


def progress_bar():
    """Two 24 x 16 frames: the empty bar and the filled bar; the filled bar's
    middle holds two chunks so tiling repeats them along the bar."""
    empty = Image(24, 16)
    box(empty, 0, 0, 24, 16, 2, [(104, 120, 168), (226, 232, 244)], solid(WHITE))
    filled = Image(24, 16)
    chunk = vgrad([(0, (190, 240, 180)), (0.45, (98, 214, 82)), (1, (60, 184, 44))])
    for k in range(2):
        f = Image(8, 12)
        box(f, 0, 0, 8, 12, 1, [], chunk)
        filled.blit(f, 2 + 10 * k, 2)
    return hstrip([empty, filled])


def tabs():
    """Five 20 x 21 frames: normal, selected, disabled, hot, pressed; rounded
    top corners, open at the bottom."""
    frames = []
    for state in ("normal", "selected", "disabled", "hot", "pressed"):
        f = Image(20, 21)
        border = (145, 155, 156) if state != "disabled" else (200, 200, 192)
        if state == "selected":
            body = vgrad([(0, WHITE), (1, (252, 252, 254))])
        elif state == "disabled":
            body = solid((244, 243, 238))
        else:
            body = vgrad([(0, WHITE), (0.6, (246, 246, 242)), (1, (234, 233, 226))])
        box(f, 0, 0, 20, 24, 3, [border], body)
        if state in ("selected", "hot", "pressed"):
            # An orange band along the top, inside the outline.
            for y in range(1, 4):
                for x in range(1, 19):
                    if f.get(x, y) != MAGENTA and f.get(x - 1, y) != MAGENTA and \
                            f.get(x + 1, y) != MAGENTA:
                        f.set(x, y, ramp(ORANGE_TOP, (y - 1) / 2))
        frames.append(f)
    return hstrip(frames)


def tab_panel():
    """20 x 20 page border: only the edges are drawn by the painters."""
    f = Image(20, 20)
    box(f, 0, 0, 20, 20, 0, [(145, 155, 156), (252, 252, 254), (250, 250, 248)], solid((252, 252, 254)))
    return f


def menu_items():
    """Five 20 x 18 frames: normal (transparent), separator source,
    disabled (transparent), selected, checked."""
    normal = Image(20, 18)
    sep = Image(20, 18)
    sep.fill(2, 13, 18, 14, (197, 194, 184))
    sep.fill(2, 14, 18, 15, WHITE)
    sel = Image(20, 18)
    box(sel, 0, 0, 20, 18, 2, [(38, 88, 178)],
        vgrad([(0, (112, 160, 238)), (0.5, (72, 126, 222)), (1, (50, 104, 204))]))
    chk = Image(20, 18)
    box(chk, 0, 0, 20, 18, 2, [(150, 178, 236)], vgrad([(0, (236, 242, 254)), (1, (212, 226, 252))]))
    return hstrip([normal, sep, Image(20, 18), sel, chk])


def menu_frame():
    """16 x 16 popup menu background with its 3-pixel border."""
    f = Image(16, 16)
    box(f, 0, 0, 16, 16, 0, [(112, 136, 190), (252, 252, 250), (252, 252, 250)], solid(WHITE))
    return f


def group_box_edge():
    """Two 16 x 16 frames (enabled, disabled) of a rounded group frame."""
    frames = []
    for ring in ((208, 208, 191), (226, 226, 216)):
        f = Image(16, 16)
        outline(f, 0, 0, 16, 16, 3, ring)
        frames.append(f)
    return hstrip(frames)


def group_box_label():
    """40 x 18 background pill behind a group box caption."""
    f = Image(40, 18)
    box(f, 0, 0, 40, 18, 8, [(150, 178, 236)], vgrad([(0, (240, 245, 255)), (1, (204, 220, 250))]))
    return f


def menu_button():
    """Three 20 x 18 frames (normal, hot, pressed) of a menu-bar item."""
    frames = [Image(20, 18)]
    for ring, stops in (((150, 178, 236), [(0, (240, 245, 255)), (1, (206, 222, 250))]),
                        ((100, 134, 206), [(0, (190, 210, 246)), (1, (222, 232, 252))])):
        f = Image(20, 18)
        box(f, 0, 0, 20, 18, 3, [ring], vgrad(stops))
        frames.append(f)
    return hstrip(frames)
