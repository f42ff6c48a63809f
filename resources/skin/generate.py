#!/usr/bin/env python3
"""Writes the project's skins: XPLuna (embedded in the program, with the
system-menu glyph strip) and Graphite (the dark second skin), each as its
description, every bitmap and the archive order.

    generate.py                 write resources/skin/{xpluna,graphite}/* and tesselmenu.bmp
    generate.py --sheet X.png   also write a contact sheet of every picture
    generate.py --preview Y.png also write a mock window drawn from the pictures
    generate.py --skin NAME     the skin --sheet and --preview draw (xpluna)
    generate.py --check         compare the committed outputs with the script's

Standard library only; the output is the same byte for byte on every run.
"""
import argparse
import os
import sys

sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import skin_graphite  # noqa: E402
import skin_xpluna  # noqa: E402
from bmpio import Image, bmp_bytes, png_bytes  # noqa: E402

SKINS = {s.NAME: s for s in (skin_xpluna, skin_graphite)}


def encode(true_colour, img):
    """BMP bytes: 24-bit when asked, else 4- or 8-bit with a palette."""
    if true_colour:
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
    files = {}
    for skin in SKINS.values():
        files.update(skin.outputs(encode))
    return files


def check(files):
    """Exit status 0 when every committed output matches the generator and
    every skin's own consistency checks find nothing."""
    problems = []
    for skin in SKINS.values():
        problems += getattr(skin, "problems", lambda: [])()
    stale = []
    for rel, data in files.items():
        path = os.path.join(HERE, rel)
        if not os.path.exists(path) or open(path, "rb").read() != data:
            stale.append(rel)
    for rel in stale:
        print("generate.py: %s differs from the generator's output" % rel)
    for problem in problems:
        print("generate.py: %s" % problem)
    failed = len(stale) + len(problems)
    print("%d passed, %d failed" % (len(files) - len(stale), failed))
    return 1 if failed else 0


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--check", action="store_true",
                    help="compare the committed files with the generator's output")
    ap.add_argument("--sheet", help="write a contact sheet PNG here")
    ap.add_argument("--preview", help="write a mock skinned window PNG here")
    ap.add_argument("--skin", choices=sorted(SKINS), default="xpluna",
                    help="the skin that --sheet and --preview draw")
    args = ap.parse_args()

    files = outputs()
    if args.check:
        sys.exit(check(files))
    for rel, data in files.items():
        write(os.path.join(HERE, rel), data)
    skin = SKINS[args.skin]
    if args.sheet or args.preview:
        pics = skin.pictures()
        if args.sheet:
            write(args.sheet, png_bytes(contact_sheet(list(pics.values()) + skin.sheet_extras())))
        if args.preview:
            write(args.preview, png_bytes(skin.preview(pics).scaled(2)))


if __name__ == "__main__":
    main()
