// Skinned menu items: the pure rules, which menus the skin draws, and the
// item messages of a skinned window. The drawing is in menu_items_draw.cpp.
#include "skin/window/menu_items.h"

#include <algorithm>

#include "framework/gdi/canvas.h"
#include "framework/gdi/gdi_handles.h"
#include "skin/draw/skin_draw.h"
#include "skin/model/skin_data.h"
#include "skin/window/popup_menu.h"

namespace {

// Identifiers the framework's own menu dispatch answers for.
constexpr UINT kFirstFrameworkCommand = 1;
constexpr UINT kLastFrameworkCommand = 4095;
// Characters of a native item's text that are read.
constexpr int kNativeTextChars = 80;

// The skinned drawing set on an item's drawing event; its type tells the
// preparations' own handlers from an application's.
struct TSkinItemDrawing {
    TSkinData* Data;
    void operator()(TObject* sender, TCanvas* canvas, RECT rect, TOwnerDrawState state) const {
        if (auto* item = dynamic_cast<TMenuItem*>(sender); item && canvas)
            DrawMenuItem(Data, *item, *canvas, rect, state.Contains(odSelected));
    }
};
// Measuring of items of main menus and of controls' menus.
struct TSkinMenuMeasure {
    TSkinData* Data;
    void operator()(TObject* sender, TCanvas* canvas, int& width, int& height) const {
        if (auto* item = dynamic_cast<TMenuItem*>(sender); item && canvas)
            MeasureMenuItem(Data, *item, *canvas, width, height);
    }
};
// Measuring of items of popup menus and the system menu.
struct TSkinPopupMeasure {
    TSkinData* Data;
    void operator()(TObject* sender, TCanvas* canvas, int& width, int& height) const {
        if (auto* item = dynamic_cast<TMenuItem*>(sender); item && canvas)
            MeasurePopupItem(Data, *item, *canvas, width, height);
    }
};

enum class TMeasureKind { Menu, Popup };

bool IsSkinMeasure(const TMenuItem& item) {
    const auto& fn = item.OnMeasureItem.Function();
    return fn.target<TSkinMenuMeasure>() || fn.target<TSkinPopupMeasure>();
}

// Gives one item the skinned events (on) or takes away those it has (off).
// With keepOwnDrawing an item that draws itself is left as it is.
void SetSkinEvents(TMenuItem& item, TSkinData* data, bool on, TMeasureKind kind,
                   bool keepOwnDrawing) {
    if (!on) {
        if (HasSkinnedDrawing(item))
            item.OnAdvancedDrawItem = nullptr;
        if (IsSkinMeasure(item))
            item.OnMeasureItem = nullptr;
        return;
    }
    if (keepOwnDrawing && item.OnAdvancedDrawItem && !HasSkinnedDrawing(item))
        return;
    item.OnAdvancedDrawItem = TSkinItemDrawing{data};
    if (kind == TMeasureKind::Menu)
        item.OnMeasureItem = TSkinMenuMeasure{data};
    else
        item.OnMeasureItem = TSkinPopupMeasure{data};
}

// The same for every sub-item of parent, at any depth.
void SetSkinEventsBelow(TMenuItem& parent, TSkinData* data, bool on, TMeasureKind kind,
                        bool keepOwnDrawing) {
    for (int i = 0; i < parent.Count(); ++i) {
        TMenuItem& item = *parent.Items(i);
        SetSkinEvents(item, data, on, kind, keepOwnDrawing);
        SetSkinEventsBelow(item, data, on, kind, keepOwnDrawing);
    }
}

int LeftMarginOf(const TSkinData* data) {
    const TDataSkinObject* obj = MenuItemObject(data);
    return obj ? obj->LeftWidth : 0;
}

// The framework item of the menu bar's framework menu with this identifier.
TMenuItem* FrameworkItem(const TMenuOwnerContext& ctx, UINT id) {
    if (!ctx.FrameworkForm || !ctx.FrameworkMenu)
        return nullptr;
    TMenuItem* item = TMenuItem::FindItem(id);
    return item && item->GetParentMenu() == ctx.FrameworkMenu ? item : nullptr;
}

bool IsFrameworkCommand(UINT id) {
    return id >= kFirstFrameworkCommand && id <= kLastFrameworkCommand;
}

// A native item's text (by command, sub-menus included), in the ANSI code page.
std::wstring NativeItemText(HMENU menu, UINT id) {
    char text[kNativeTextChars + 1] = {};
    const int n = menu ? GetMenuStringA(menu, id, text, kNativeTextChars, MF_BYCOMMAND) : 0;
    return AnsiToWide(std::string(text, static_cast<size_t>(std::max(n, 0))));
}

// A framework item standing for a native one: caption ("-" when empty),
// enabled and checked state.
void CopyNativeItem(HMENU menu, UINT id, TMenuItem& item) {
    const std::wstring text = NativeItemText(menu, id);
    item.SetCaption(text.empty() ? L"-" : text);
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_STATE;
    if (menu && GetMenuItemInfoA(menu, id, FALSE, &mii)) {
        item.SetEnabled((mii.fState & (MFS_GRAYED | MFS_DISABLED)) == 0);
        item.SetChecked((mii.fState & MFS_CHECKED) != 0);
    }
}

} // namespace

// --- Pure rules --------------------------------------------------------------

int MenuItemExtraWidth(int leftMargin, bool hasImages) {
    return leftMargin + 10 + (hasImages ? 0 : 25);
}

int PopupItemExtraWidth(int leftMargin, bool hasImages) {
    return leftMargin + 12 + (hasImages ? 0 : 23);
}

SIZE NativeItemSize(int textWidth, int givenHeight, bool hasText, int leftMargin,
                    bool versionHighBit) {
    int height = hasText ? givenHeight + 4 : 8;
    if (versionHighBit)
        height += 4;
    return {textWidth + 26 + leftMargin, height};
}

int MenuItemFrame(bool selected) {
    return selected ? 4 : 1;
}

TColor MenuItemTextColour(const TMenuTextColours& colours, bool enabled, bool selected) {
    if (!enabled)
        return ColorToRGB(colours.ButtonShadow) == ColorToRGB(colours.MenuText)
                   ? clBtnShadow
                   : colours.ButtonShadow;
    return selected ? colours.HilightText : colours.MenuText;
}

int MenuGlyphSize(int imageWidth, bool checked) {
    const int size = imageWidth > 0 ? imageWidth : 16;
    return checked ? std::max(size, 16) : size;
}

TMenuItemLayout LayoutMenuItem(const TMenuItemLayoutInput& in) {
    TMenuItemLayout out;
    const RECT& r = in.Rect;
    const int g = MenuGlyphSize(in.ImageWidth, in.Checked);
    const int top = r.top + 1;
    if (in.RightToLeft) {
        const int right = r.right - 1 - in.LeftMargin;
        out.Glyph = {right - g, top, right, top + g};
        out.Text = {r.left + 1, r.top, out.Glyph.left - 3, r.bottom};
    } else {
        const int left = r.left + 1 + in.LeftMargin;
        out.Glyph = {left, top, left + g, top + g};
        out.Text = {out.Glyph.right + 3, r.top, r.right - 1, r.bottom};
    }
    out.HasGlyph = !in.Separator;
    // The text line is centred vertically on the item.
    out.Text.top = r.top + (r.bottom - r.top - in.Caption.cy) / 2;
    out.Text.bottom = out.Text.top + in.Caption.cy;
    if (in.RightToLeft)
        out.Shortcut = {out.Text.left + 10, out.Text.top, out.Text.right - in.Caption.cx,
                        out.Text.bottom};
    else
        out.Shortcut = {out.Text.left + in.Caption.cx, out.Text.top, out.Text.right - 10,
                        out.Text.bottom};
    const LONG lineTop = out.Text.top + 4;
    out.Separator = {out.Text.left, lineTop, out.Text.right,
                     std::max(out.Text.bottom, lineTop + 2)};
    return out;
}

RECT SeparatorSource(int frameWidth, int pictureHeight, int itemHeight) {
    const int top = pictureHeight > itemHeight ? pictureHeight - itemHeight : 0;
    return {frameWidth, top, 2 * frameWidth, pictureHeight};
}

TDataSkinObject* MenuItemObject(const TSkinData* data) {
    if (!data || !data->MenuItem || data->MenuItem->Picture.Empty())
        return nullptr;
    return data->MenuItem.get();
}

// --- Measuring ------------------------------------------------------------------

void MeasureMenuItem(TSkinData* data, TMenuItem& item, TCanvas& canvas, int& width, int& height) {
    item.MeasureItem(canvas, width, height);
    width += MenuItemExtraWidth(LeftMarginOf(data), item.GetImageList() != nullptr);
}

void MeasurePopupItem(TSkinData* data, TMenuItem& item, TCanvas&, int& width, int&) {
    if (!data)
        return;
    width += PopupItemExtraWidth(LeftMarginOf(data), item.GetImageList() != nullptr);
}

// --- Which menus are drawn by the skin ---------------------------------------

bool HasSkinnedDrawing(const TMenuItem& item) {
    return item.OnAdvancedDrawItem.Function().target<TSkinItemDrawing>() != nullptr;
}

void PrepareMenuItem(TSkinData* data, TMenuItem* item, bool on) {
    if (!item)
        return;
    SetSkinEvents(*item, data, on, TMeasureKind::Menu, false);
    SetSkinEventsBelow(*item, data, on, TMeasureKind::Menu, false);
}

void PreparePopupMenus(TComponent* form, TSkinData* data, bool on) {
    if (!form || !data || form->ClassName() == "TwwRichEditForm" ||
        !data->SkinControls().Contains(xcPopupMenu))
        return;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* menu = dynamic_cast<TPopupMenu*>(form->Components(i));
        if (!menu || menu->Tag() % 100 == data->DisableTag())
            continue;
        menu->SetOwnerDraw(on);
        SetSkinEventsBelow(*menu->Items(), data, on, TMeasureKind::Popup, false);
    }
}

void PrepareMainMenus(TComponent* form, TSkinData* data, bool on) {
    if (!form || !data || !data->SkinControls().Contains(xcMenuItem))
        return;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* menu = dynamic_cast<TMainMenu*>(form->Components(i));
        if (!menu)
            continue;
        menu->SetOwnerDraw(on);
        TMenuItem* root = menu->Items();
        for (int k = 0; k < root->Count(); ++k)
            SetSkinEventsBelow(*root->Items(k), data, on, TMeasureKind::Menu, true);
    }
}

void PrepareSystemMenuPopup(TPopupMenu& menu, TSkinData* data) {
    SetSkinEventsBelow(*menu.Items(), data, true, TMeasureKind::Popup, false);
}

// --- Item messages of a skinned window ------------------------------------------

bool MeasureOwnerDrawnItem(const TMenuOwnerContext& ctx, MEASUREITEMSTRUCT& mis,
                           bool& clientSizeFixed) {
    if (mis.CtlType != ODT_MENU)
        return false;
    TClientDC screen(nullptr);
    TCanvas canvas(screen.Handle());
    canvas.Font().AssignLogFont(MenuLogFont());
    if (ctx.FrameworkForm) {
        if (TMenuItem* item = FrameworkItem(ctx, mis.itemID)) {
            int width = 0, height = 0;
            MeasureMenuItem(ctx.SkinData, *item, canvas, width, height);
            mis.itemWidth = static_cast<UINT>(std::max(0, width));
            mis.itemHeight = static_cast<UINT>(std::max(0, height));
            clientSizeFixed = true;
            return true;
        }
        if (IsFrameworkCommand(mis.itemID))
            return false;
    }
    const std::wstring text = NativeItemText(ctx.OpenMenu, mis.itemID);
    const SIZE size =
        NativeItemSize(text.empty() ? 0 : canvas.TextWidth(text), static_cast<int>(mis.itemHeight),
                       !text.empty(), LeftMarginOf(ctx.SkinData), ctx.VersionHighBit);
    mis.itemWidth = static_cast<UINT>(std::max<LONG>(0, size.cx));
    mis.itemHeight = static_cast<UINT>(std::max<LONG>(0, size.cy));
    return true;
}

bool DrawOwnerDrawnItem(const TMenuOwnerContext& ctx, const DRAWITEMSTRUCT& dis) {
    if (dis.CtlType != ODT_MENU)
        return false;
    const auto menu = reinterpret_cast<HMENU>(dis.hwndItem);
    ClaimPendingPopupSkinner(menu);
    const bool selected = (dis.itemState & ODS_SELECTED) != 0;
    TMenuItem* item = FrameworkItem(ctx, dis.itemID);
    if (ctx.FrameworkForm && !item && IsFrameworkCommand(dis.itemID))
        return false;
    TSaveDC keep(dis.hDC);
    TCanvas canvas(dis.hDC);
    if (item) {
        if (MenuItemObject(ctx.SkinData))
            DrawMenuItem(ctx.SkinData, *item, canvas, dis.rcItem, selected);
        else
            DrawPlainItem(ctx.SkinData, *item, canvas, dis.rcItem, selected);
        return true;
    }
    TMenuItem native(nullptr);
    CopyNativeItem(menu, dis.itemID, native);
    DrawNativeItem(ctx.SkinData, menu, native, selected, dis.rcItem, canvas,
                   ctx.FrameworkMenu ? ctx.FrameworkMenu->Images() : nullptr);
    return true;
}
