#!/usr/bin/env python3
"""Writes the XPLuna skin: its description, every bitmap, the archive order
and the system-menu glyph strip.

    generate.py                 write resources/skin/xpluna/* and tesselmenu.bmp
    generate.py --sheet X.png   also write a contact sheet of every picture
    generate.py --preview Y.png also write a mock window drawn from the pictures
    generate.py --check         compare the committed outputs with the script's

Standard library only; the output is the same byte for byte on every run.
"""
import argparse
import os
import sys

sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import artwork_controls as ctl  # noqa: E402
import artwork_frame as frm  # noqa: E402
import artwork_panels as pnl  # noqa: E402
from bmpio import Image, bmp_bytes, png_bytes  # noqa: E402
from ini_text import ini_bytes  # noqa: E402

SKIN_DIR = os.path.join(HERE, "xpluna")
TRUE_COLOUR = {"mxp1__Blue_RadioButton.bmp", "mxp1__Blue_Tab.bmp"}


def pictures():
    """Every picture of the skin, in archive order, keyed by file name."""
    out = {}
    out.update(frm.frame_pictures())
    out["Blue_Menu.bmp"] = frm.menu_bar_picture()
    out.update(frm.caption_pictures())
    out["Blue_Button.bmp"] = ctl.push_buttons()
    out["Blue_Checkbox.bmp"] = ctl.check_boxes()
    out["mxp1__Blue_RadioButton.bmp"] = ctl.radio_buttons()
    out["Blue_ComboBox.bmp"] = ctl.sunk_edges()
    out["Blue_ComboButton.bmp"] = ctl.combo_buttons()
    out["Blue_ComboButtonGlyph.bmp"] = ctl.combo_glyphs()
    out["Blue_ScrollArrows.bmp"] = ctl.scroll_arrows()
    out["Blue_HScrollShaft.bmp"], out["Blue_VScrollShaft.bmp"] = ctl.shafts()
    out["Blue_HScrollThumb.bmp"], out["Blue_VScrollThumb.bmp"] = ctl.thumbs()
    out["Blue_ToolbarButton.bmp"] = pnl.toolbar_buttons()
    out["Blue_Status.bmp"] = pnl.status_edges()
    out["Blue_Header.bmp"] = pnl.header_items()
    out["Blue_Progressbar.bmp"] = pnl.progress_bar()
    out["mxp1__Blue_Tab.bmp"] = pnl.tabs()
    out["Blue_TabPanel.bmp"] = pnl.tab_panel()
    out["Blue_MenuItem.bmp"] = pnl.menu_items()
    out["Blue_MenuFrame.bmp"] = pnl.menu_frame()
    out["Blue_MDIButtons.bmp"] = frm.mdi_buttons_picture()
    out["Blue_GroupBoxTop.bmp"] = pnl.group_box_label()
    out["Blue_Groupbox.bmp"] = pnl.group_box_edge()
    out["Blue_MenuButton.bmp"] = pnl.menu_button()
    return out


def encode(name, img):
    if name in TRUE_COLOUR:
        return bmp_bytes(img, 24)
    return bmp_bytes(img, 4 if len(img.colours()) <= 16 else 8)


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def contact_sheet(images, scale=3, width=1200):
    """All pictures on one grey sheet, scaled up, in rows."""
    placed, x, y, row_h = [], 8, 8, 0
    for img in images:
        w, h = img.w * scale, img.h * scale
        if x + w + 8 > width and x > 8:
            x, y, row_h = 8, y + row_h + 12, 0
        placed.append((img, x, y))
        x += w + 12
        row_h = max(row_h, h)
    sheet = Image(width, y + row_h + 8, (120, 124, 132))
    for img, px, py in placed:
        sheet.blit(img.scaled(scale), px, py)
    return sheet


def outputs():
    """Every file the generator writes, path (relative to HERE) -> bytes."""
    files, order = {}, []
    for name, img in pictures().items():
        files["xpluna/" + name] = encode(name, img)
        order.append(name)
    for name, img in frm.help_drafts().items():
        files["xpluna/drafts/" + name] = encode(name, img)
        order.append("drafts/" + name)
    files["xpluna/xpluna.ini"] = ini_bytes()
    order.append("xpluna.ini")
    files["xpluna/archive.lst"] = ("\n".join(order) + "\n").encode("ascii")
    files["tesselmenu.bmp"] = bmp_bytes(frm.tesselmenu_picture(), 1)
    return files


def check(files):
    """Exit status 0 when every committed output matches the generator."""
    stale = []
    for rel, data in files.items():
        path = os.path.join(HERE, rel)
        if not os.path.exists(path) or open(path, "rb").read() != data:
            stale.append(rel)
    for rel in stale:
        print("generate.py: %s differs from the generator's output" % rel)
    print("%d passed, %d failed" % (len(files) - len(stale), len(stale)))
    return 1 if stale else 0


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--check", action="store_true",
                    help="compare the committed files with the generator's output")
    ap.add_argument("--sheet", help="write a contact sheet PNG here")
    ap.add_argument("--preview", help="write a mock skinned window PNG here")
    args = ap.parse_args()

    files = outputs()
    if args.check:
        sys.exit(check(files))
    for rel, data in files.items():
        write(os.path.join(HERE, rel), data)
    if args.sheet or args.preview:
        pics = pictures()
        if args.sheet:
            drafts = list(frm.help_drafts().values())
            write(args.sheet, png_bytes(contact_sheet(list(pics.values()) + drafts)))
        if args.preview:
            import preview
            write(args.preview, png_bytes(preview.mock_window(pics).scaled(2)))


if __name__ == "__main__":
    main()
