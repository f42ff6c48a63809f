"""XPLuna, the blue glossy skin embedded in the program: its pictures in
archive order, the older help drafts stored a second time, the description
and the system-menu glyph strip."""
import artwork_controls as ctl
import artwork_frame as frm
import artwork_panels as pnl
from ini_text import ini_bytes

NAME = "xpluna"
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


def sheet_extras():
    """Pictures shown on the contact sheet besides pictures()."""
    return list(frm.help_drafts().values())


def outputs(encode):
    """Every file of this skin, path relative to resources/skin -> bytes.
    encode(true_colour, img) gives BMP bytes."""
    from bmpio import bmp_bytes
    files, order = {}, []
    for name, img in pictures().items():
        files["xpluna/" + name] = encode(name in TRUE_COLOUR, img)
        order.append(name)
    for name, img in frm.help_drafts().items():
        files["xpluna/drafts/" + name] = encode(name in TRUE_COLOUR, img)
        order.append("drafts/" + name)
    files["xpluna/xpluna.ini"] = ini_bytes()
    order.append("xpluna.ini")
    files["xpluna/archive.lst"] = ("\n".join(order) + "\n").encode("ascii")
    files["tesselmenu.bmp"] = bmp_bytes(frm.tesselmenu_picture(), 1)
    return files


def preview(pics):
    import preview as pv
    return pv.mock_window(pics)
