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
