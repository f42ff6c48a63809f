#!/usr/bin/env python3
"""Generates the program's pictures and the confirmation dialog's form
definition (which carries its two glyphs as hex bytes).

    python3 resources/tools/generate.py      (from anywhere)

Outputs, all committed: resources/glyphs/*.bmp, resources/icon/lantuo.ico,
resources/forms/Form_MessageBox.form. The dialog form is built from
resources/forms/Form_MessageBox.form.in by replacing @OK_GLYPH@ and
@CANCEL_GLYPH@ with the glyph files' bytes."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import glyphs  # noqa: E402
import icon  # noqa: E402
import imagefiles  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def write(rel, data):
    path = os.path.join(ROOT, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    return data


def glyph_file(shape, tones):
    return imagefiles.bmp8(32, 16, glyphs.palette(tones), glyphs.glyph_pixels(shape))


def hex_block(data, indent):
    """Hex digits in lines of 64 characters for the form text."""
    text = data.hex().upper()
    lines = [text[i:i + 64] for i in range(0, len(text), 64)]
    return ("\n" + indent).join(lines)


def main():
    ok = write("glyphs/dialog_ok.bmp", glyph_file(glyphs.TICK, glyphs.GREENS))
    cancel = write("glyphs/dialog_cancel.bmp", glyph_file(glyphs.CROSS, glyphs.REDS))
    for _, file_name, shape, tones in glyphs.STOCK:
        write("glyphs/" + file_name, glyph_file(shape, tones))
    write("icon/lantuo.ico", imagefiles.ico([(s, icon.render(s)) for s in (48, 32, 16)]))
    with open(os.path.join(ROOT, "forms/Form_MessageBox.form.in"), encoding="utf-8") as f:
        template = f.read()
    indent = " " * 6
    form = template.replace("@OK_GLYPH@", hex_block(ok, indent))
    form = form.replace("@CANCEL_GLYPH@", hex_block(cancel, indent))
    write("forms/Form_MessageBox.form", form.encode("utf-8"))


if __name__ == "__main__":
    main()
