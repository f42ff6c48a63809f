"""Graphite, the dark second skin: its pictures, its description and the
archive order (description first, then the pictures)."""
import graphite_controls as ctl
import graphite_frame as frm
import graphite_panels as pnl
from graphite_ini import ini_bytes

NAME = "graphite"
TRUE_COLOUR = {"Graphite_Check.bmp", "Graphite_Header.bmp"}


def pictures():
    """Every picture of the skin, in archive order, keyed by file name."""
    out = {}
    out.update(frm.frame_pictures())
    out["Graphite_TitlePlate.bmp"] = frm.title_plate()
    out["Graphite_Menu.bmp"] = frm.menu_bar_picture()
    out.update(frm.caption_pictures())
    out["Graphite_MDIButtons.bmp"] = frm.mdi_buttons_picture()
    out["Graphite_Button.bmp"] = ctl.push_buttons()
    out["Graphite_Check.bmp"] = ctl.check_boxes()
    out["Graphite_Radio.bmp"] = ctl.radio_buttons()
    out["Graphite_ComboButton.bmp"] = ctl.combo_buttons()
    out["Graphite_Glyphs.bmp"] = ctl.extra_images()
    out["Graphite_ScrollArrows.bmp"] = ctl.scroll_arrows()
    out["Graphite_HScrollShaft.bmp"], out["Graphite_VScrollShaft.bmp"] = ctl.shafts()
    out["Graphite_HScrollThumb.bmp"], out["Graphite_VScrollThumb.bmp"] = ctl.thumbs()
    out["Graphite_SpinVert.bmp"], out["Graphite_SpinVertGlyphs.bmp"] = ctl.spin_pictures(False)
    out["Graphite_SpinHorz.bmp"], out["Graphite_SpinHorzGlyphs.bmp"] = ctl.spin_pictures(True)
    out.update(ctl.trackbar_thumbs())
    out["Graphite_ToolbarButton.bmp"] = pnl.toolbar_buttons()
    out["Graphite_Status.bmp"] = pnl.status_edges()
    out["Graphite_Header.bmp"] = pnl.header_items()
    out["Graphite_ProgressTrough.bmp"] = pnl.progress_trough()
    out["Graphite_ProgressChunk.bmp"] = pnl.progress_chunk()
    out["Graphite_Tab.bmp"] = pnl.tabs()
    out["Graphite_TabBorder.bmp"] = pnl.tab_border()
    out["Graphite_MenuItem.bmp"] = pnl.menu_items()
    out["Graphite_MenuFrame.bmp"] = pnl.menu_frame()
    out["Graphite_GroupBoxTop.bmp"] = pnl.group_box_label()
    out["Graphite_Groupbox.bmp"] = pnl.group_box_edge()
    return out


def sheet_extras():
    return []


def outputs(encode):
    """Every file of this skin, path relative to resources/skin -> bytes."""
    files = {"graphite/graphite.ini": ini_bytes()}
    order = ["graphite.ini"]
    for name, img in pictures().items():
        files["graphite/" + name] = encode(name in TRUE_COLOUR, img)
        order.append(name)
    files["graphite/archive.lst"] = ("\n".join(order) + "\n").encode("ascii")
    return files


def preview(pics):
    import graphite_preview
    return graphite_preview.mock_window(pics)


def named_pictures(ini_text):
    """File names the description gives as values ending in .bmp."""
    names = []
    for line in ini_text.splitlines():
        if "=" in line and not line.lstrip().startswith(";"):
            value = line.split("=", 1)[1].strip()
            if value.endswith(".bmp"):
                names.append(value)
    return names


# Frame counts the engine gives these pictures (or that the description
# sets); each picture's width must divide by them.
FRAMES = {"Graphite_Button.bmp": 5, "Graphite_Check.bmp": 12, "Graphite_Radio.bmp": 8,
          "Graphite_Close.bmp": 4, "Graphite_MenuButton.bmp": 3, "Graphite_Help.bmp": 6,
          "Graphite_MDIButtons.bmp": 12, "Graphite_ComboButton.bmp": 4, "Graphite_Glyphs.bmp": 5,
          "Graphite_ScrollArrows.bmp": 23, "Graphite_HScrollThumb.bmp": 2,
          "Graphite_SpinVert.bmp": 8, "Graphite_SpinVertGlyphs.bmp": 8,
          "Graphite_SpinHorz.bmp": 8, "Graphite_SpinHorzGlyphs.bmp": 8,
          "Graphite_ThumbHorz.bmp": 5, "Graphite_Tab.bmp": 5, "Graphite_Header.bmp": 5,
          "Graphite_Status.bmp": 3, "Graphite_MenuItem.bmp": 5, "Graphite_ToolbarButton.bmp": 5}


def problems():
    """What would make the description and the pictures disagree: a named
    picture that is not drawn, a drawn picture that nothing names, a strip
    whose width does not divide by its frame count."""
    from graphite_ini import INI
    pics = pictures()
    named = named_pictures(INI)
    out = ["graphite.ini names %s, which is not drawn" % n for n in named if n not in pics]
    out += ["%s is drawn but graphite.ini does not name it" % n for n in pics if n not in named]
    out += ["%s: width %d does not divide by %d frames" % (n, pics[n].w, k)
            for n, k in FRAMES.items() if pics[n].w % k]
    return out
