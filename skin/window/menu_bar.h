// The skinned menu bar: TWinSkinMenu draws a window's top-level menu items in
// the strip below the skinned title, tracks hot and pressed items with the
// title-bar object protocol, opens each item's drop-down with TrackPopupMenu
// (a message-filter hook moves between drop-downs by keys and mouse), and
// gives keyboard access (Alt+letter, F10). The form skinner owns it, removes
// the native menu bar while it exists and gives it back when it goes.
#pragma once

#include "framework/ui/win32.h"

#include <memory>
#include <string>
#include <vector>

#include "framework/core/component.h"
#include "framework/gdi/bitmap.h"
#include "framework/ui/messages.h"
#include "skin/window/caption_buttons.h"

class TWinSkinForm;
class TWinSkinMenu;
class TSkinData;
class TMenuItem;
class TMainMenu;

// One top-level item of the bar.
class TMenuBtn : public TNCObject {
public:
    TMenuBtn(TWinSkinMenu* bar, TNCObjectOwner* owner) : TNCObject(owner), Bar(bar) {}
    // Repaints the item from the bar's Background through a window DC: its
    // column copied back, a one-pixel ButtonHilightColour frame when pressed
    // or hot, the caption centred.
    void Paint() override;

    TMenuItem* Item = nullptr;
    TSkinData* SkinData = nullptr;
    int Index = 0;
    std::wstring Caption;
    bool Enabled = true;
    HMENU SubMenu = nullptr;
    UINT Command = 0;
    TWinSkinMenu* Bar;
};

class TWinSkinMenu : public TComponent {
public:
    explicit TWinSkinMenu(TWinSkinForm* owner);
    ~TWinSkinMenu() override;

    // Builders: each frees the old items and ends with SetMenu(window, none);
    // nothing when there is no menu handle.
    void BuildFromFrameworkMenu();
    void BuildFromNativeMenu();
    void BuildByCommand(HMENU menu);
    // Paints the bar into rect (window coordinates) of the window DC.
    void Paint(HDC dc, const RECT& rect);
    // The first item with a caption whose Bounds hold the point (window coordinates).
    TMenuBtn* ItemAt(POINT windowPoint) const;
    // Opens the item's drop-down (after its MouseDown); answers true.
    bool OpenItem(TMenuBtn* item);
    // The first enabled, visible item whose caption has `ch` as accelerator.
    TMenuBtn* ItemForAccelerator(wchar_t ch) const;
    // Posts a non-client click at the item's top-left + (1, 1).
    void ClickItem(TMenuBtn* item);
    // WM_SYSCOMMAND SC_KEYMENU: true (answer 1) when the system's own menu
    // mode is to be suppressed.
    bool HandleKeyMenu(const TMessage& msg) const;
    // CM_DIALOGCHAR: true when an item was clicked by its accelerator.
    bool HandleDialogChar(const TMessage& msg);

    std::vector<std::unique_ptr<TMenuBtn>> Items;
    TMainMenu* FrameworkMenu = nullptr;
    RECT BarRect{};
    TSkinData* SkinData = nullptr;
    TWinSkinForm* Owner;
    TBitmap Background;
    int ItemCount = 0;
    bool Painting = false;
    HMENU MenuHandle = nullptr;
};
