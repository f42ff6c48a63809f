// The skinned menu bar: TWinSkinMenu draws a window's top-level menu items in
// the strip below the skinned title, tracks hot and pressed items with the
// title-bar object protocol, opens each item's drop-down with TrackPopupMenu
// (a message-filter hook moves between drop-downs by keys and mouse), and
// gives keyboard access (Alt+letter, F10). The form skinner owns it, removes
// the native menu bar while it exists and gives it back when it goes.
#pragma once

#include "framework/ui/win32.h"

#include <functional>
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
class TDataSkinObject;

// The bar's pure rules, tested without a window.

// Width an item takes: its caption's text width, plus 10 when above 0.
int MenuItemWidth(int textWidth);
// Where the items start (from the left, or from the right edge for a
// right-to-left menu): with a menu-bar picture TileLeftMenu + 4, or
// TileRightMenu + 8 for right to left, and 12 when the bar is narrower than
// that; without a menu-bar picture 6.
int MenuBarStartOffset(const TDataSkinObject* menuBar, bool rightToLeft, int barWidth);
// One item as the layout sees it.
struct TMenuBarSlot {
    bool Visible = true;
    int Width = 0;
};
// Item rectangles in bar coordinates (width x height): invisible items get an
// empty rectangle, the others follow one another from `start` (left to right)
// or from width - start leftwards, each from y 0 to height - 1.
std::vector<RECT> LayoutMenuBar(const std::vector<TMenuBarSlot>& slots, int start, int width,
                                int height, bool rightToLeft);
// Frame of the bar's picture: 1 for an active window, 2 for an inactive one.
inline int MenuBarFrame(bool active) {
    return active ? 1 : 2;
}

// One drop-down entry as the separator tidying sees it.
struct TMenuEntry {
    bool IsLine = false;
    bool Visible = true;
};
// The entries' visibility after tidying the separators: none before the
// first or after the last visible item; of each run of separators between
// visible items only the last one shows (made visible even when it was
// hidden). Invisible items neither end a run nor change.
std::vector<bool> TidySeparators(const std::vector<TMenuEntry>& entries);
// The same applied to a framework item's sub-items.
void TidySeparators(TMenuItem& parent);
// Makes every item of `menu` and of its sub-menus owner-drawn (MFT_OWNERDRAW
// added to its type).
void MakeMenuOwnerDrawn(HMENU menu);

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
    // nothing when there is no menu handle. On a framework form the first two
    // read the form's current main menu (none once it was taken away or freed:
    // the bar is then empty).
    void BuildFromFrameworkMenu();
    void BuildFromNativeMenu();
    void BuildByCommand(HMENU menu);
    // Paints the bar into rect (window coordinates) of the window DC.
    void Paint(HDC dc, const RECT& rect);
    // The first item with a caption whose Bounds hold the point (window coordinates).
    TMenuBtn* ItemAt(POINT windowPoint) const;
    // Opens the item's drop-down (after its MouseDown); answers true.
    bool OpenItem(TMenuBtn* item);
    // Whether a non-client click is the one the tracking posted to move from
    // an open drop-down to another bar item (it is then taken).
    bool TakeSwitchClick(WPARAM hitTest, LPARAM screenPoint);
    // The tracking moved onto `item` (after its MouseDown): an enabled item
    // with a drop-down opens it; any other is only held highlighted, as a
    // native bar does, until a key or the mouse decides (HoldItem).
    void SwitchTo(TMenuBtn* item);
    // Keeps a bar item without a drop-down highlighted in menu mode: Left and
    // Right (and the mouse) move along the bar, opening drop-downs they reach;
    // Enter or a click runs the held item's command; Escape, Alt, F10 or a
    // click elsewhere leave.
    void HoldItem(TMenuBtn* item);
    // While a drop-down is tracked or an item held, the items must stay: a
    // rebuild asked for meanwhile is remembered (true) and done afterwards.
    bool DeferRebuild();
    // Marks the items as in use; the last EndUse runs a rebuild deferred
    // meanwhile (through the owner).
    void BeginUse();
    void EndUse();
    // The first enabled, visible item whose caption has `ch` as accelerator.
    TMenuBtn* ItemForAccelerator(wchar_t ch) const;
    // Posts a non-client click at the item's top-left + (1, 1); answers the
    // screen point it carries (0 when nothing was posted).
    LPARAM ClickItem(TMenuBtn* item);
    // WM_SYSCOMMAND SC_KEYMENU: true (answer 1) when the system's own menu
    // mode is to be suppressed.
    bool HandleKeyMenu(const TMessage& msg) const;
    // CM_DIALOGCHAR: true when an item was clicked by its accelerator.
    bool HandleDialogChar(const TMessage& msg);
    // The system's menu font, made once and again only when the system's
    // setting changes; the bar keeps it.
    HFONT CaptionFont();

    // Whether drop-down items are made owner-drawn before they open (the
    // form skinner then measures and draws them). The skin engine switches it
    // on at start-up; without the engine (a form skinner alone) it stays off,
    // since nothing would draw a raw native item made owner-drawn.
    static void SetOwnerDrawnDropDowns(bool on);
    static bool OwnerDrawnDropDowns();
    // The bar item whose drop-down is open (in any bar), or null.
    static TMenuBtn* TrackedItem();
    // The bar item held highlighted without a drop-down (in any bar), or null.
    static TMenuBtn* HeldItem();

    std::vector<std::unique_ptr<TMenuBtn>> Items;
    TMainMenu* FrameworkMenu = nullptr;
    RECT BarRect{};
    TSkinData* SkinData = nullptr;
    TWinSkinForm* Owner;
    TBitmap Background;
    int ItemCount = 0;
    bool Painting = false;
    HMENU MenuHandle = nullptr;

private:
    // Frees the items (the owner forgets a hot one).
    void ClearItems();
    // The native menu bar goes (the skin draws the bar).
    void DropWindowMenu();
    // FrameworkMenu := the owner form's current main menu (a framework form only).
    void FollowFormMenu();
    // MenuHandle := the window's menu when it has one, else on a framework
    // form its main menu's; the old items go. False without a menu handle.
    bool TakeWindowMenu();
    // Fills the items from MenuHandle's entries; `override` finds the
    // framework item that stands for a native entry (or null).
    void ReadNativeMenu(const std::function<TMenuItem*(int position, UINT id)>& override,
                        bool ownCommand);
    // A new item at the end of Items.
    TMenuBtn& AddItem();
    // The captions laid out and drawn into the bar bitmap's DC.
    void PaintItems(HDC dc, const RECT& rect, int width, int height);
    // The MDI child buttons of a maximised child, in the bar bitmap's DC.
    void PaintMDIButtons(HDC dc);
    // Ends the tracking when it belongs to this bar's form skinner.
    void ForgetTracking();
    // What the composed bar shows: size, place, state, skin and items.
    std::wstring ComposedKey(const RECT& rect, bool active) const;

    // The bar as last composed (without MDI buttons) and what it showed.
    TBitmap composed_;
    std::wstring composedKey_;
    std::vector<RECT> composedBounds_;
    TFontHandle captionFont_;
    LOGFONTW captionFontKey_{};
    // Widths of the captions last measured, and what they were measured with.
    std::vector<std::wstring> measuredCaptions_;
    std::vector<int> measuredWidths_;
    HFONT measuredFont_ = nullptr;

    int inUse_ = 0;
    bool rebuildPending_ = false;
};

// Draws a caption centred in `rect` in the menu font: the skin's menu-bar
// text colour when enabled, the system button-shadow colour when not
// (`menuFont`, when given, is a menu font the caller already made).
void DrawMenuBarCaption(HDC dc, const std::wstring& caption, RECT rect, bool enabled,
                        const TSkinData* skin, HFONT menuFont = nullptr);
