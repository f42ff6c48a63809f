// Clickable title-bar objects: the four-state base TNCObject shared by the
// caption buttons and the menu-bar items, the caption button TWinSysButton,
// and the pure rules behind them (which buttons show, where they go, which
// frame of their picture they draw), plus the skinned system menu's popup.
// The form skinner owns the objects and routes its non-client mouse messages
// to them.
#pragma once

#include "framework/ui/win32.h"

#include <functional>
#include <memory>
#include <vector>

class TNCObject;
class TDataSkinSysButton;
class TComponent;
class TPopupMenu;
class TImageList;

// What a title-bar object needs of the form skinner that owns it.
class TNCObjectOwner {
public:
    virtual ~TNCObjectOwner() = default;
    // The object under the mouse, or null.
    virtual TNCObject* HotObject() const = 0;
    virtual void SetHotObject(TNCObject* object) = 0;
    // The skinned window (objects paint into its window DC).
    virtual HWND Window() const = 0;
    // Draws the window icon with its top-left corner at `at` (window DC coordinates).
    virtual void DrawWindowIcon(HDC dc, POINT at) = 0;
};

// Object states.
constexpr int kNCNormal = 1;
constexpr int kNCPressed = 2;
constexpr int kNCHot = 3;

// A title-bar object with a four-state look and mouse protocol.
class TNCObject {
public:
    explicit TNCObject(TNCObjectOwner* owner) : Owner(owner) {}
    virtual ~TNCObject() = default;
    TNCObject(const TNCObject&) = delete;
    TNCObject& operator=(const TNCObject&) = delete;

    // Another hot object leaves; when visible this one becomes hot, pressed, painted.
    virtual void MouseDown();
    // When visible: hot again and painted (the hot object stays).
    virtual void MouseUp();
    // Nothing when already hot; another hot object leaves; when visible this
    // one becomes hot (state 3) and is painted.
    virtual void MouseMove();
    // When visible: no hot object any more, normal, painted.
    virtual void MouseLeave();
    // Draws the object in its state; nothing in the base.
    virtual void Paint() {}

    TNCObjectOwner* Owner;
    // Window coordinates (origin at the window's top-left, frame included).
    RECT Bounds{};
    bool Visible = false;
    int State = kNCNormal;
};

// One caption button of the skin (or an MDI child button).
class TWinSysButton : public TNCObject {
public:
    TWinSysButton(TNCObjectOwner* owner, TDataSkinSysButton* skinButton)
        : TNCObject(owner), SkinButton(skinButton) {}
    // Straight into the window DC: the window icon for actions 3 and 11,
    // otherwise frame CaptionStateFrame(...) of the picture into Bounds.
    void Paint() override;

    TDataSkinSysButton* SkinButton;
};

// Whether a button shows the window icon instead of a picture frame.
bool ShowsWindowIcon(const TDataSkinSysButton& b);

// The window facts the visibility rules read.
struct TCaptionFacts {
    bool MaxBox = false;
    bool MinBox = false;
    bool SystemMenu = false;
    int WindowState = 0; // 0 normal, 1 maximised, 2 minimised
    bool Active = true;
    int BorderKind = 1;
    bool SystemDialog = false;
    int MenuHeight = 0;
    // The window is an MDI frame whose active child is maximised.
    bool MDIChildMaximized = false;
};
// The Visibility/Visibility1 rules and the action overrides. `askApplication`
// answers the window's 0x3515 query for this button (Visibility 1000..2000);
// it is called only then.
bool CaptionButtonVisible(const TDataSkinSysButton& b, const TCaptionFacts& facts,
                          const std::function<LRESULT()>& askApplication);

// The window facts the layout reads.
struct TCaptionLayout {
    int Width = 0; // window width W
    RECT TextRect{};
    int TitleHeight = 0;
    int MenuHeight = 0;
    int LeftWidth = 0;
    int RightWidth = 0;
    // Left margin of the skin's menu-bar object (0 when it has none).
    int MenuBarMargin = 0;
    bool RightToLeft = false;
};
// The button's rectangle by its Align: (0, 0, w, h) moved, with w = picture
// width div FrameCount and h = picture height.
RECT CaptionButtonRect(const TDataSkinSysButton& b, const TCaptionLayout& layout);

// Lays out every visible button that has a picture (Bounds); answers the new
// TextClipX: the largest left edge among Align 1 buttons when above 0, else
// `previousClipX`.
int LayoutCaptionButtons(std::vector<std::unique_ptr<TWinSysButton>>& buttons,
                         const TCaptionLayout& layout, int previousClipX);

// Frame of the resting look: 1 when active or fewer than 4 frames, else 4.
int CaptionRestingFrame(const TDataSkinSysButton& b, bool active);
// Frame of the state look: the state (1, 2, 3); an MDI child button
// (Visibility 100) uses 4 for hot.
int CaptionStateFrame(const TDataSkinSysButton& b, int state);

// Resting paint into the title-bar bitmap's DC: every visible button with a
// picture and Visibility other than 100 (the icon buttons through the owner's
// icon drawing).
void PaintCaptionButtons(HDC dc, const std::vector<std::unique_ptr<TWinSysButton>>& buttons,
                         bool active, TNCObjectOwner& owner);

// The first visible button, in order, with Action >= 0 whose Bounds hold the point.
TWinSysButton* FindCaptionButton(const std::vector<std::unique_ptr<TWinSysButton>>& buttons,
                                 POINT windowPoint);

// Tags of the skinned system menu's items.
constexpr int kSysMenuRestore = 0;
constexpr int kSysMenuMaximize = 1;
constexpr int kSysMenuMinimize = 2;
constexpr int kSysMenuClose = 3;
constexpr int kSysMenuMove = 4;
constexpr int kSysMenuSize = 5;
constexpr int kSysMenuSeparator = 100;
// Tag of the system menu's popup.
constexpr int kSystemMenuTag = 33333;

// The skinned system menu: a popup menu owned by `owner`, Tag 33333, owner
// drawn, with `glyphs` as its images and the items " Restore ", " Move ",
// " Size ", " Maximize " (with a maximise box), " Minimize " (with a minimise
// box), "-", " Close " (shortcut Shift+F4), each with its tag as tag; the
// image index is the tag for the items that have a glyph (restore, maximise,
// minimise, close), else none. A click on an item calls onClick(tag).
std::unique_ptr<TPopupMenu> BuildSystemMenuPopup(TComponent* owner, TImageList* glyphs, bool maxBox,
                                                 bool minBox, std::function<void(int tag)> onClick);

// The window facts that enable the system menu's commands.
struct TSystemMenuFacts {
    int WindowState = 0; // 0 normal, 1 maximised, 2 minimised
    bool Sizeable = true;
    bool MaxBox = true;
    bool MinBox = true;
};
// Whether a system command may run, as the platform's own system menu
// decides: restore unless normal, move unless maximised, size only when
// normal and sizeable, minimise with a minimise box unless minimised,
// maximise with a maximise box unless maximised; any other command (close)
// stays enabled.
bool SystemCommandEnabled(UINT command, const TSystemMenuFacts& facts);
// The system command a skinned system-menu item stands for (0 for the separator).
UINT SystemMenuCommand(int tag);
// Item enabling before the skinned menu shows, by SystemCommandEnabled.
void EnableSystemMenuItems(TPopupMenu& menu, const TSystemMenuFacts& facts);
// The same enabling on the window's native system menu (items by command).
void EnableNativeSystemMenu(HMENU menu, const TSystemMenuFacts& facts);
