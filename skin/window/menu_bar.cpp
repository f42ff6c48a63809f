// The skinned menu bar: its items built from the framework's main menu or a
// native menu, the bar composed off screen, single items repainted from the
// bar's background, and keyboard access. The drop-downs are opened and
// tracked in menu_bar_tracking.cpp.
#include "skin/window/menu_bar.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "framework/gdi/color.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/ui/accel.h"
#include "framework/ui/form.h"
#include "framework/ui/menus.h"
#include "skin/draw/skin_draw.h"
#include "skin/model/skin_data.h"
#include "skin/window/form_skinner.h"
#include "skin/window/skin_manager.h"

namespace {

// Caption drawing: centred, one line, tabs expanded, "&" underlines.
constexpr UINT kCaptionFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS;
// The buffer GetMenuItemInfo fills with an entry's text.
constexpr int kMenuTextChars = 80;

// The skin's menu-bar object when it has a picture.
const TDataSkinObject* MenuBarObject(const TSkinData* skin) {
    if (skin && skin->MenuBar && !skin->MenuBar->Picture.Empty())
        return skin->MenuBar.get();
    return nullptr;
}

// The system's menu font as a counted handle.
TFontHandle MenuFont() {
    const LOGFONTW lf = MenuLogFont();
    return TFontHandle(CreateFontIndirectW(&lf));
}

int TextWidth(HDC dc, const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

} // namespace

// --- Pure rules --------------------------------------------------------------

int MenuItemWidth(int textWidth) {
    return textWidth > 0 ? textWidth + 10 : textWidth;
}

int MenuBarStartOffset(const TDataSkinObject* menuBar, bool rightToLeft, int barWidth) {
    if (!menuBar)
        return 6;
    const int offset = rightToLeft ? menuBar->RightWidth + 8 : menuBar->LeftWidth + 4;
    return barWidth < offset ? 12 : offset;
}

std::vector<RECT> LayoutMenuBar(const std::vector<TMenuBarSlot>& slots, int start, int width,
                                int height, bool rightToLeft) {
    std::vector<RECT> rects;
    rects.reserve(slots.size());
    int x = rightToLeft ? width - start : start;
    for (const TMenuBarSlot& slot : slots) {
        if (!slot.Visible) {
            rects.push_back(RECT{});
        } else if (rightToLeft) {
            rects.push_back(RECT{x - slot.Width, 0, x, height - 1});
            x -= slot.Width;
        } else {
            rects.push_back(RECT{x, 0, x + slot.Width, height - 1});
            x += slot.Width;
        }
    }
    return rects;
}

std::vector<bool> TidySeparators(const std::vector<TMenuEntry>& entries) {
    std::vector<bool> visible;
    visible.reserve(entries.size());
    for (const TMenuEntry& e : entries)
        visible.push_back(e.Visible);
    // Separators seen since the last visible item (or the start).
    std::vector<size_t> run;
    bool seenItem = false;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].IsLine) {
            visible[i] = false;
            if (seenItem)
                run.push_back(i);
        } else if (entries[i].Visible) {
            if (!run.empty())
                visible[run.back()] = true;
            run.clear();
            seenItem = true;
        }
    }
    return visible;
}

void TidySeparators(TMenuItem& parent) {
    std::vector<TMenuEntry> entries;
    for (int i = 0; i < parent.Count(); ++i)
        entries.push_back({parent.Items(i)->IsLine(), parent.Items(i)->Visible()});
    const std::vector<bool> visible = TidySeparators(entries);
    for (int i = 0; i < parent.Count(); ++i)
        parent.Items(i)->SetVisible(visible[static_cast<size_t>(i)]);
}

namespace {

// A caption's colour: the skin's menu-bar text colour when enabled, the
// system button-shadow colour when not.
COLORREF CaptionColour(bool enabled, const TSkinData* skin) {
    return enabled ? ColorToRGB(skin ? skin->MenuBarTextColour : clMenuText)
                   : GetSysColor(COLOR_BTNSHADOW);
}

// One caption in the DC's selected font, transparent background and text
// colour (the format never modifies the text).
void DrawCaptionText(HDC dc, const std::wstring& caption, RECT rect) {
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rect, kCaptionFormat);
}

} // namespace

void DrawMenuBarCaption(HDC dc, const std::wstring& caption, RECT rect, bool enabled,
                        const TSkinData* skin, HFONT menuFont) {
    TFontHandle font = menuFont ? TFontHandle() : MenuFont();
    TSaveDC state(dc);
    TSelectObject select(dc, menuFont ? menuFont : font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, CaptionColour(enabled, skin));
    DrawCaptionText(dc, caption, rect);
}

// --- TMenuBtn ----------------------------------------------------------------

// Composed in a bitmap of the item's column and copied to the window once.
void TMenuBtn::Paint() {
    if (!Bar || !Owner || Bar->Background.Empty())
        return;
    const int w = Bounds.right - Bounds.left;
    const int h = Bar->Background.Height();
    if (w <= 0 || h <= 0)
        return;
    TBitmap cell(w, h);
    HDC cdc = cell.Canvas().Handle();
    BitBlt(cdc, 0, 0, w, h, Bar->Background.Canvas().Handle(), Bounds.left - Bar->BarRect.left, 0,
           SRCCOPY);
    const RECT local{0, Bounds.top - Bar->BarRect.top, w, Bounds.bottom - Bar->BarRect.top};
    if (State == kNCPressed || State == kNCHot) {
        TBrushHandle frame(CreateSolidBrush(
            ColorToRGB(SkinData ? SkinData->ButtonHilightColour : clBtnHighlight)));
        FrameRect(cdc, &local, frame.Get());
    }
    DrawMenuBarCaption(cdc, Caption, local, Enabled, SkinData, Bar->CaptionFont());
    TWindowDC dc(Owner->Window());
    if (dc.Handle())
        BitBlt(dc.Handle(), Bounds.left, Bar->BarRect.top, w, h, cdc, 0, 0, SRCCOPY);
}

// --- TWinSkinMenu: building ----------------------------------------------------

TWinSkinMenu::TWinSkinMenu(TWinSkinForm* owner) : TComponent(owner), Owner(owner) {
    SkinData = owner ? owner->SkinData() : nullptr;
}

TWinSkinMenu::~TWinSkinMenu() {
    ForgetTracking();
    ClearItems();
}

void TWinSkinMenu::ClearItems() {
    if (Owner) {
        for (auto& item : Items)
            if (Owner->HotObject() == item.get())
                Owner->SetHotObject(nullptr);
    }
    Items.clear();
    ItemCount = 0;
}

TMenuBtn& TWinSkinMenu::AddItem() {
    auto item = std::make_unique<TMenuBtn>(this, Owner);
    item->SkinData = SkinData;
    item->Index = static_cast<int>(Items.size());
    item->Visible = true;
    Items.push_back(std::move(item));
    return *Items.back();
}

// The framework item's caption, enabling and drop-down.
static void TakeFrameworkItem(TMenuBtn& item, TMenuItem* source) {
    item.Caption = source->Caption();
    item.Enabled = source->Enabled();
    item.Item = source;
    item.SubMenu = source->Count() > 0 ? source->Handle() : nullptr;
}

// SetMenu(window, none) changes the frame even without a menu: only when
// the window has one.
void TWinSkinMenu::DropWindowMenu() {
    if (Owner && Owner->Handle && GetMenu(Owner->Handle))
        SetMenu(Owner->Handle, nullptr);
}

void TWinSkinMenu::FollowFormMenu() {
    if (Owner && Owner->Form)
        FrameworkMenu = Owner->Form->Menu();
}

bool TWinSkinMenu::TakeWindowMenu() {
    const HWND wnd = Owner ? Owner->Handle : nullptr;
    if (HMENU current = wnd ? GetMenu(wnd) : nullptr) {
        MenuHandle = current;
    } else if (Owner && Owner->Form) {
        // A form's bar stands for its current main menu. A handle of a menu
        // the form no longer has (taken away, or freed with its component)
        // is dropped; a native menu set on the window directly stays.
        if (FrameworkMenu)
            MenuHandle = FrameworkMenu->Handle();
        else if (MenuHandle && (!IsMenu(MenuHandle) || TMenuItem::FindItemByHandle(MenuHandle)))
            MenuHandle = nullptr;
    }
    ClearItems();
    return MenuHandle != nullptr;
}

void TWinSkinMenu::BuildFromFrameworkMenu() {
    FollowFormMenu();
    if (!TakeWindowMenu())
        return;
    if (FrameworkMenu) {
        TMenuItem* root = FrameworkMenu->Items();
        for (int i = 0; i < root->Count(); ++i) {
            TMenuBtn& item = AddItem();
            TakeFrameworkItem(item, root->Items(i));
            item.Visible = root->Items(i)->Visible();
            item.Command = root->Items(i)->Command();
        }
        ItemCount = static_cast<int>(Items.size());
    }
    DropWindowMenu();
}

void TWinSkinMenu::ReadNativeMenu(const std::function<TMenuItem*(int, UINT)>& override,
                                  bool ownCommand) {
    ItemCount = GetMenuItemCount(MenuHandle);
    for (int i = 0; i < ItemCount; ++i) {
        wchar_t text[kMenuTextChars + 1] = {};
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
        mii.dwTypeData = text;
        mii.cch = kMenuTextChars;
        if (!GetMenuItemInfoW(MenuHandle, static_cast<UINT>(i), TRUE, &mii))
            mii = MENUITEMINFOW{};
        TMenuBtn& item = AddItem();
        item.SubMenu = mii.hSubMenu;
        item.Enabled = (mii.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
        item.Command = mii.wID;
        item.Caption = (mii.fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW)) ? L"" : text;
        if (item.Caption.empty())
            continue;
        if (TMenuItem* source = override(i, mii.wID)) {
            TakeFrameworkItem(item, source);
            item.Command = ownCommand ? source->Command() : GetMenuItemID(MenuHandle, i);
        }
    }
    if (ItemCount < 0)
        ItemCount = 0;
}

void TWinSkinMenu::BuildFromNativeMenu() {
    FollowFormMenu();
    if (!TakeWindowMenu())
        return;
    ReadNativeMenu(
        [this](int position, UINT) -> TMenuItem* {
            TMenuItem* root = FrameworkMenu ? FrameworkMenu->Items() : nullptr;
            return root && position < root->Count() ? root->Items(position) : nullptr;
        },
        false);
    DropWindowMenu();
}

void TWinSkinMenu::BuildByCommand(HMENU menu) {
    FollowFormMenu();
    if (menu)
        MenuHandle = menu;
    if (!MenuHandle)
        return;
    ClearItems();
    ReadNativeMenu(
        [this](int, UINT id) -> TMenuItem* {
            TMenuItem* root = FrameworkMenu ? FrameworkMenu->Items() : nullptr;
            TMenuItem* match = nullptr;
            for (int i = 0; root && i < root->Count(); ++i)
                if (root->Items(i)->Command() == id)
                    match = root->Items(i);
            return match;
        },
        true);
    DropWindowMenu();
}

// --- TWinSkinMenu: painting ------------------------------------------------------

HFONT TWinSkinMenu::CaptionFont() {
    const LOGFONTW lf = MenuLogFont();
    if (!captionFont_ || std::memcmp(&lf, &captionFontKey_, sizeof lf) != 0) {
        captionFont_.Reset(CreateFontIndirectW(&lf));
        captionFontKey_ = lf;
        measuredWidths_.clear(); // measured in the old font
        measuredCaptions_.clear();
        measuredFont_ = nullptr;
    }
    return captionFont_.Get();
}

std::wstring TWinSkinMenu::ComposedKey(const RECT& rect, bool active) const {
    std::wstring key;
    for (int v : {int(rect.left), int(rect.top), int(rect.right), int(rect.bottom), int(active),
                  int(Owner && Owner->RightToLeft), SkinData ? SkinData->LoadSerial() : -1,
                  SkinData ? int(SkinData->MenuBarTextColour) : 0,
                  SkinData ? int(SkinData->MenubarColour) : 0})
        key += std::to_wstring(v) + L',';
    key += std::to_wstring(reinterpret_cast<uintptr_t>(SkinData));
    for (const auto& item : Items)
        key += L'|' + std::to_wstring(int(item->Visible) + 2 * int(item->Enabled)) + item->Caption;
    return key;
}

// The bar is composed off screen; an unchanged bar (same size, place, state,
// skin and items) is copied from the last composition. A bar with MDI child
// buttons is composed every time, since their state is the MDI client's.
void TWinSkinMenu::Paint(HDC dc, const RECT& rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (!dc || width <= 0 || height <= 0)
        return;
    const bool active = !Owner || Owner->Active;
    const bool mdiFrame = Owner && Owner->MDIKind == kMDIFrame;
    std::wstring key = mdiFrame ? std::wstring() : ComposedKey(rect, active);
    if (!key.empty() && key == composedKey_ && composedBounds_.size() == Items.size() &&
        composed_.Width() == width && composed_.Height() == height) {
        BarRect = rect;
        for (size_t i = 0; i < Items.size(); ++i)
            Items[i]->Bounds = composedBounds_[i];
        BitBlt(dc, rect.left, rect.top, width, height, composed_.Canvas().Handle(), 0, 0, SRCCOPY);
        return;
    }
    composedKey_.clear();
    Painting = true;
    try {
        // Composed straight into the kept bitmap when it may be kept.
        std::optional<TBitmap> once;
        TBitmap& bar = key.empty() ? once.emplace(width, height) : composed_;
        bar.SetSize(width, height);
        HDC bdc = bar.Canvas().Handle();
        const RECT all{0, 0, width, height};
        if (const TDataSkinObject* object = MenuBarObject(SkinData)) {
            auto& obj = const_cast<TDataSkinObject&>(*object);
            const TSkinMargins margins{obj.LeftWidth, 0, obj.RightWidth, 0};
            if (obj.Tile == 1)
                DrawSkinElement(bdc, all, obj.Picture, true, false, false, 2, MenuBarFrame(active),
                                margins);
            else
                DrawSkinBar(bar.Canvas(), all, obj.Picture, true, false, 2, MenuBarFrame(active),
                            margins);
        } else {
            TBrushHandle fill(
                CreateSolidBrush(ColorToRGB(SkinData ? SkinData->MenubarColour : clBtnFace)));
            FillRect(bdc, &all, fill.Get());
        }
        BarRect = rect;
        Background.SetSize(width, height);
        BitBlt(Background.Canvas().Handle(), 0, 0, width, height, bdc, 0, 0, SRCCOPY);
        PaintItems(bdc, rect, width, height);
        PaintMDIButtons(bdc);
        BitBlt(dc, rect.left, rect.top, width, height, bdc, 0, 0, SRCCOPY);
        if (!key.empty()) {
            composedBounds_.clear();
            for (const auto& item : Items)
                composedBounds_.push_back(item->Bounds);
            composedKey_ = std::move(key);
        }
    } catch (...) {
        Painting = false;
        throw;
    }
    Painting = false;
}

// Every caption in one pass: one font selection, the background mode and
// text colour set only when they change (and put back after), widths
// measured once per font and captions.
void TWinSkinMenu::PaintItems(HDC dc, const RECT& rect, int width, int height) {
    const bool rightToLeft = Owner && Owner->RightToLeft;
    HFONT font = CaptionFont();
    TSelectObject select(dc, font);
    std::vector<std::wstring> captions;
    captions.reserve(Items.size());
    for (const auto& item : Items)
        captions.push_back(item->Caption);
    if (captions != measuredCaptions_ || font != measuredFont_) {
        measuredWidths_.clear();
        for (const std::wstring& caption : captions)
            measuredWidths_.push_back(MenuItemWidth(TextWidth(dc, caption)));
        measuredCaptions_ = std::move(captions);
        measuredFont_ = font;
    }
    std::vector<TMenuBarSlot> slots;
    slots.reserve(Items.size());
    for (size_t i = 0; i < Items.size(); ++i)
        slots.push_back({Items[i]->Visible, measuredWidths_[i]});
    const int start = MenuBarStartOffset(MenuBarObject(SkinData), rightToLeft, width);
    const std::vector<RECT> rects = LayoutMenuBar(slots, start, width, height, rightToLeft);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = GetTextColor(dc);
    COLORREF colour = oldColour;
    for (size_t i = 0; i < Items.size(); ++i) {
        TMenuBtn& item = *Items[i];
        if (!item.Visible) {
            item.Bounds = RECT{};
            continue;
        }
        if (const COLORREF c = CaptionColour(item.Enabled, SkinData); c != colour)
            SetTextColor(dc, colour = c);
        DrawCaptionText(dc, item.Caption, rects[i]);
        item.Bounds = rects[i];
        OffsetRect(&item.Bounds, rect.left, rect.top);
    }
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

void TWinSkinMenu::PaintMDIButtons(HDC dc) {
    if (!Owner || Owner->MDIKind != kMDIFrame || !Owner->MDIClientWindow)
        return;
    BOOL maximized = FALSE;
    const auto child = reinterpret_cast<HWND>(SendMessageW(
        Owner->MDIClientWindow, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
    if (!child || !maximized)
        return;
    for (const auto& button : Owner->CaptionButtons) {
        TDataSkinSysButton* b = button->SkinButton;
        if (!b || b->Visibility != 100 || b->Picture.Empty())
            continue;
        RECT r = button->Bounds;
        OffsetRect(&r, -Owner->LeftWidth, -Owner->TitleHeight);
        DrawSkinCell(dc, r, *b, 1);
    }
    if (TSkinManage* m = TSkinManage::Instance(false); m && !m->MDIMaximized())
        m->SetMDIMaximized(true);
}

// --- TWinSkinMenu: finding and clicking ------------------------------------------

TMenuBtn* TWinSkinMenu::ItemAt(POINT windowPoint) const {
    for (const auto& item : Items)
        if (!item->Caption.empty() && PtInRect(&item->Bounds, windowPoint))
            return item.get();
    return nullptr;
}

TMenuBtn* TWinSkinMenu::ItemForAccelerator(wchar_t ch) const {
    for (const auto& item : Items)
        if (item->Enabled && item->Visible && IsAccel(ch, item->Caption))
            return item.get();
    return nullptr;
}

LPARAM TWinSkinMenu::ClickItem(TMenuBtn* item) {
    if (!item || !Owner || !Owner->Handle)
        return 0;
    RECT r{};
    GetWindowRect(Owner->Handle, &r);
    const int x = r.left + item->Bounds.left + 1;
    const int y = r.top + item->Bounds.top + 1;
    const LPARAM point = MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
    PostMessageW(Owner->Handle, WM_NCLBUTTONDOWN, HTCLIENT, point);
    return point;
}

bool TWinSkinMenu::HandleKeyMenu(const TMessage& msg) const {
    if ((msg.WParam & 0xFFF0) != SC_KEYMENU || (Owner && Owner->Busy))
        return false;
    const auto ch = static_cast<wchar_t>(LOWORD(msg.LParam));
    if (ch == L' ' || ch == L'-' || GetCapture())
        return false;
    return ch == 0 || ItemForAccelerator(ch) != nullptr;
}

bool TWinSkinMenu::HandleDialogChar(const TMessage& msg) {
    TMenuBtn* item = ItemForAccelerator(static_cast<wchar_t>(msg.WParam));
    // Alt is the only shift key down (its bit in the key data).
    const bool onlyAlt = (msg.LParam & 0x20000000) != 0 && GetKeyState(VK_SHIFT) >= 0 &&
                         GetKeyState(VK_CONTROL) >= 0;
    if (!item || !onlyAlt)
        return false;
    ClickItem(item);
    return true;
}
