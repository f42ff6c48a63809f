// Owner drawing of menu items, the popup-list window, and the menu classes' tables.
#include <algorithm>

#include "framework/core/class_builder.h"
#include "framework/gdi/canvas.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/ui/menus.h"
#include "framework/ui/subclass.h"
#include "framework/ui/ui_errors.h"

namespace {

// The item a measure/draw message is about, checked against the live items.
TMenuItem* ItemOf(UINT id, ULONG_PTR data) {
    TMenuItem* item = TMenuItem::FindItem(id);
    return item && reinterpret_cast<ULONG_PTR>(item) == data ? item : nullptr;
}

// Puts the system's menu font into a canvas.
void UseMenuFont(TCanvas& canvas) {
    canvas.Font().AssignLogFont(MenuLogFont());
}

// Receives the messages of popup menus shown by TPopupMenu.
class TPopupList : public TWindowSubclass {
protected:
    void WindowMessage(TMessage& msg) override {
        switch (msg.Msg) {
        case WM_MEASUREITEM:
            if (TMenuItem::HandleMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(msg.LParam))) {
                msg.Result = 1;
                return;
            }
            break;
        case WM_DRAWITEM:
            if (TMenuItem::HandleDrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam))) {
                msg.Result = 1;
                return;
            }
            break;
        case WM_INITMENUPOPUP:
            TMenuItem::HandleInitPopup(reinterpret_cast<HMENU>(msg.WParam));
            break;
        case WM_COMMAND:
            if (msg.LParam == 0 && TMenuItem::DispatchCommand(LOWORD(msg.WParam)))
                return;
            break;
        }
        CallPrevious(msg);
    }
};

} // namespace

LOGFONTW MenuLogFont() {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
        return ncm.lfMenuFont;
    LOGFONTW lf{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    return lf;
}

HIMAGELIST TMenuItem::GetImageList() const {
    TMenu* menu = GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

HWND PopupListWindow() {
    static TPopupList list;
    if (!list.Handle()) {
        // A real (hidden) top-level window: menus need an owner that can be foreground.
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TPopupListWindow";
        RegisterClassW(&wc);
        HWND wnd = CreateWindowExW(WS_EX_TOOLWINDOW, L"TPopupListWindow", L"", WS_POPUP, 0, 0, 0, 0,
                                   nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!wnd)
            throw EOutOfResources(L"Cannot create the popup-list window");
        list.Subclass(wnd, TProcCharset::Unicode);
    }
    return list.Handle();
}

bool TMenuItem::HandleMeasureItem(MEASUREITEMSTRUCT* mis) {
    if (mis->CtlType != ODT_MENU)
        return false;
    TMenuItem* item = ItemOf(mis->itemID, mis->itemData);
    if (!item)
        return false;
    int width = 0, height = 0;
    {
        TClientDC screen(nullptr);
        TCanvas canvas(screen.Handle());
        UseMenuFont(canvas);
        item->MeasureItem(canvas, width, height);
        item->OnMeasureItem(item, &canvas, width, height);
    }
    mis->itemWidth = std::max(0, width);
    mis->itemHeight = std::max(0, height);
    return true;
}

bool TMenuItem::HandleDrawItem(DRAWITEMSTRUCT* dis) {
    if (dis->CtlType != ODT_MENU)
        return false;
    TMenuItem* item = ItemOf(dis->itemID, dis->itemData);
    if (!item)
        return false;
    {
        // The menu's DC gets its state back however the drawing ends.
        TSaveDC state(dis->hDC);
        TCanvas canvas(dis->hDC);
        UseMenuFont(canvas);
        if (item->OnAdvancedDrawItem)
            item->OnAdvancedDrawItem(item, &canvas, dis->rcItem, OwnerDrawStateOf(dis->itemState));
        else
            item->DrawItem(canvas, dis->rcItem, OwnerDrawStateOf(dis->itemState));
    }
    return true;
}

// Room for an image (or check mark), the caption and the shortcut text.
void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height) {
    if (IsLine()) {
        width = 10;
        height = GetSystemMetrics(SM_CYMENU) / 2;
        return;
    }
    SIZE text = canvas.TextExtent(caption_);
    int imageW = 16, imageH = 16;
    if (TMenu* menu = GetParentMenu(); menu && menu->Images())
        ImageList_GetIconSize(menu->Images(), &imageW, &imageH);
    width = imageW + 8 + text.cx;
    if (shortCut_)
        width += 16 + canvas.TextExtent(ShortCutToText(shortCut_)).cx;
    height =
        std::max<int>({static_cast<int>(text.cy) + 4, imageH + 4, GetSystemMetrics(SM_CYMENU)});
}

// The plain look: highlight, image or check mark, caption, shortcut.
void TMenuItem::DrawItem(TCanvas& canvas, RECT rect, TOwnerDrawState state) {
    const bool selected = state.Contains(odSelected);
    const bool grayed = state.Contains(odGrayed) || state.Contains(odDisabled);
    canvas.Brush().SetColor(selected ? clHighlight : clMenu);
    canvas.FillRect(rect);
    if (IsLine()) {
        RECT line{rect.left + 2, (rect.top + rect.bottom) / 2, rect.right - 2,
                  (rect.top + rect.bottom) / 2 + 2};
        DrawEdge(canvas.Handle(), &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    int imageW = 16, imageH = 16;
    TMenu* menu = GetParentMenu();
    if (menu && menu->Images())
        ImageList_GetIconSize(menu->Images(), &imageW, &imageH);
    const int imageTop = rect.top + (rect.bottom - rect.top - imageH) / 2;
    if (menu && menu->Images() && imageIndex_ >= 0)
        ImageList_Draw(menu->Images(), imageIndex_, canvas.Handle(), rect.left + 2, imageTop,
                       ILD_TRANSPARENT);
    else if (checked_) {
        RECT check{rect.left + 2, imageTop, rect.left + 2 + imageW, imageTop + imageH};
        DrawFrameControl(canvas.Handle(), &check, DFC_MENU,
                         radioItem_ ? DFCS_MENUBULLET : DFCS_MENUCHECK);
    }
    SetBkMode(canvas.Handle(), TRANSPARENT);
    canvas.Font().SetColor(grayed ? clGrayText : selected ? clHighlightText : clMenuText);
    RECT text{rect.left + imageW + 6, rect.top, rect.right - 4, rect.bottom};
    canvas.DrawText(caption_, text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (shortCut_)
        canvas.DrawText(ShortCutToText(shortCut_), text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
}

LT_CLASS_TABLE(TMenuItem) {
    c.String("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
        .Boolean("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
        .Default(false)
        .Boolean("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled)
        .Default(true)
        .Boolean("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible)
        .Default(true)
        .Boolean("Default", &TMenuItem::Default, &TMenuItem::SetDefault)
        .Default(false)
        .Boolean("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem)
        .Default(false)
        .Integer(
            "ShortCut", [](TMenuItem& m) { return static_cast<int32_t>(m.ShortCut()); },
            [](TMenuItem& m, int32_t v) { m.SetShortCut(static_cast<TShortCut>(v)); })
        .Default(0)
        .Integer("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex)
        .Default(-1)
        .Enum("BiDiMode", &TMenuItem::BiDiMode, &TMenuItem::SetBiDiMode)
        .Boolean("ParentBiDiMode", &TMenuItem::ParentBiDiMode, &TMenuItem::SetParentBiDiMode)
        .Event("OnClick", &TMenuItem::OnClick)
        .Event("OnMeasureItem", &TMenuItem::OnMeasureItem)
        .Event("OnAdvancedDrawItem", &TMenuItem::OnAdvancedDrawItem);
}

LT_CLASS_TABLE(TMenu) {
    c.Boolean("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw)
        .Default(false)
        .Enum("BiDiMode", &TMenu::BiDiMode, &TMenu::SetBiDiMode)
        .Default(bdLeftToRight);
}

LT_CLASS_TABLE(TMainMenu) {}

LT_CLASS_TABLE(TPopupMenu) {
    c.Event("OnPopup", &TPopupMenu::OnPopup);
}
