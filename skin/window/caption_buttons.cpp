// Title-bar objects: the four-state mouse protocol, the caption button's
// state paint, the rules for which buttons show, where they go and which
// frame they draw, and the skinned system menu's popup.
#include "skin/window/caption_buttons.h"

#include <algorithm>

#include "framework/gdi/gdi_handles.h"
#include "framework/gdi/image_list.h"
#include "framework/ui/menus.h"
#include "skin/model/skin_objects.h"

// --- TNCObject -------------------------------------------------------------

// The owner's hot object, when it is another one, leaves.
static void OtherHotObjectLeaves(TNCObject& self) {
    TNCObject* hot = self.Owner->HotObject();
    if (hot && hot != &self)
        hot->MouseLeave();
}

// A visible object becomes the owner's hot object in `state` and is painted.
static void BecomeHot(TNCObject& self, int state) {
    if (self.Visible) {
        self.Owner->SetHotObject(&self);
        self.State = state;
        self.Paint();
    }
}

// Another hot object leaves first; a visible object becomes the pressed hot one.
void TNCObject::MouseDown() {
    if (!Owner)
        return;
    OtherHotObjectLeaves(*this);
    BecomeHot(*this, kNCPressed);
}

// Release over the object: back to hot (the owner's hot object is kept).
void TNCObject::MouseUp() {
    if (Visible) {
        State = kNCHot;
        Paint();
    }
}

// The mouse enters: the previous hot object leaves, this one lights up.
void TNCObject::MouseMove() {
    if (!Owner || Owner->HotObject() == this)
        return;
    OtherHotObjectLeaves(*this);
    BecomeHot(*this, kNCHot);
}

// The mouse left: no hot object any more, normal look.
void TNCObject::MouseLeave() {
    if (Visible) {
        if (Owner)
            Owner->SetHotObject(nullptr);
        State = kNCNormal;
        Paint();
    }
}

// --- TWinSysButton ---------------------------------------------------------

bool ShowsWindowIcon(const TDataSkinSysButton& b) {
    return b.Action == 3 || b.Action == 11;
}

// Whether a button takes part in layout and painting at all.
static bool HasPicture(const TWinSysButton& button) {
    return button.Visible && button.SkinButton && !button.SkinButton->Picture.Empty();
}

// The state look straight into the window DC (no title-bar repaint needed).
void TWinSysButton::Paint() {
    if (!HasPicture(*this) || !Owner)
        return;
    TWindowDC dc(Owner->Window());
    if (!dc.Handle())
        return;
    if (ShowsWindowIcon(*SkinButton))
        Owner->DrawWindowIcon(dc.Handle(), POINT{Bounds.left, Bounds.top});
    else
        DrawSkinCell(dc.Handle(), Bounds, *SkinButton, CaptionStateFrame(*SkinButton, State));
}

// --- Visibility ------------------------------------------------------------

// Whether the window is a dialog frame that is not a system dialog.
static bool PlainDialog(const TCaptionFacts& f) {
    return f.BorderKind == 3 && !f.SystemDialog;
}

// Values 1..9, alike in both columns except that in the first one the
// maximise and minimise boxes (6 and 8) also need a system menu.
static bool WindowCondition(int v, const TCaptionFacts& f, bool boxNeedsSystemMenu) {
    const bool menu = f.SystemMenu || !boxNeedsSystemMenu;
    switch (v) {
    case 1:
        return f.WindowState == 1;
    case 2:
        return f.WindowState != 1;
    case 3:
        return f.Active;
    case 4:
        return !f.Active;
    case 6:
        return f.MaxBox && menu;
    case 7:
        return !f.MaxBox;
    case 8:
        return f.MinBox && menu;
    case 9:
        return !f.MinBox;
    default:
        return false; // 5: never
    }
}

// The first condition, from Visibility. 1000..2000 ask the application.
static bool VisibilityCondition(const TDataSkinSysButton& b, const TCaptionFacts& f,
                                const std::function<LRESULT()>& askApplication) {
    const int v = b.Visibility;
    if (v >= 1 && v <= 9)
        return WindowCondition(v, f, true);
    switch (v) {
    case 0:
        return b.Action != 0 || f.SystemMenu;
    case 100:
        return f.MDIChildMaximized && f.MenuHeight > 0;
    case 200:
        return PlainDialog(f);
    default:
        break;
    }
    if (v >= 201 && v <= 999)
        return true;
    if (v >= 1000 && v <= 2000)
        return askApplication && askApplication() > 0;
    return false; // 10..99, 101..199, above 2000, negative
}

// The second condition, from Visibility1; values from 200 on rewrite the
// first condition and always end hidden.
static bool Visibility1Condition(const TDataSkinSysButton& b, const TCaptionFacts& f, bool& a) {
    const int v = b.Visibility1;
    if (v >= 1 && v <= 9)
        return WindowCondition(v, f, false);
    switch (v) {
    case 0:
        return true;
    case 100:
        return a;
    case 200:
        a = PlainDialog(f);
        return false;
    default:
        break;
    }
    if (v >= 201 && v <= 2000)
        a = true;
    return false; // 10..99, 101..199, 201..2000, above 2000, negative
}

bool CaptionButtonVisible(const TDataSkinSysButton& b, const TCaptionFacts& facts,
                          const std::function<LRESULT()>& askApplication) {
    bool a = VisibilityCondition(b, facts, askApplication);
    const bool bCond = Visibility1Condition(b, facts, a);
    if (!(a && bCond))
        return false;
    switch (b.Action) {
    case 1:
        return facts.MaxBox;
    case 2:
        return facts.MinBox;
    case 3:
    case 11:
    case 12:
        return facts.BorderKind != 3;
    default:
        return true;
    }
}

// --- Layout ----------------------------------------------------------------

RECT CaptionButtonRect(const TDataSkinSysButton& b, const TCaptionLayout& layout) {
    const int w = b.FrameWidth();
    const int h = b.Picture.Height();
    int x = 0;
    int y = b.YCoord;
    switch (b.Align) {
    case 0:
        x = b.XCoord;
        break;
    case 1:
        x = layout.Width - b.XCoord;
        break;
    case 2:
    case 8:
        x = layout.TextRect.left - w - b.XCoord;
        break;
    case 3:
    case 9:
        x = layout.TextRect.right + b.XCoord;
        break;
    case 100:
        y = layout.TitleHeight + (layout.MenuHeight - h) / 2;
        x = layout.RightToLeft ? b.XCoord + layout.MenuBarMargin + layout.LeftWidth
                               : layout.Width - b.XCoord - layout.RightWidth - layout.MenuBarMargin;
        break;
    default:
        y = 0;
        break;
    }
    return RECT{x, y, x + w, y + h};
}

int LayoutCaptionButtons(std::vector<std::unique_ptr<TWinSysButton>>& buttons,
                         const TCaptionLayout& layout, int previousClipX) {
    int clipX = 0;
    for (auto& button : buttons) {
        if (!button || !HasPicture(*button))
            continue;
        button->Bounds = CaptionButtonRect(*button->SkinButton, layout);
        if (button->SkinButton->Align == 1)
            clipX = std::max<int>(clipX, button->Bounds.left);
    }
    return clipX > 0 ? clipX : previousClipX;
}

// --- Frames and painting ---------------------------------------------------

int CaptionRestingFrame(const TDataSkinSysButton& b, bool active) {
    return active || b.FrameCount < 4 ? 1 : 4;
}

int CaptionStateFrame(const TDataSkinSysButton& b, int state) {
    if (b.Visibility == 100 && state == kNCHot)
        return 4;
    return state;
}

void PaintCaptionButtons(HDC dc, const std::vector<std::unique_ptr<TWinSysButton>>& buttons,
                         bool active, TNCObjectOwner& owner) {
    for (const auto& button : buttons) {
        if (!button || !HasPicture(*button) || button->SkinButton->Visibility == 100)
            continue;
        TDataSkinSysButton& b = *button->SkinButton;
        if (ShowsWindowIcon(b))
            owner.DrawWindowIcon(dc, POINT{button->Bounds.left, button->Bounds.top});
        else
            DrawSkinCell(dc, button->Bounds, b, CaptionRestingFrame(b, active));
    }
}

TWinSysButton* FindCaptionButton(const std::vector<std::unique_ptr<TWinSysButton>>& buttons,
                                 POINT windowPoint) {
    for (const auto& button : buttons) {
        if (button && button->Visible && button->SkinButton && button->SkinButton->Action >= 0 &&
            PtInRect(&button->Bounds, windowPoint))
            return button.get();
    }
    return nullptr;
}

// --- System menu -----------------------------------------------------------

// Adds one item with its tag as tag and its glyph; a click reports the tag.
static TMenuItem* AddSystemMenuItem(TPopupMenu& menu, const wchar_t* caption, int tag, int glyph,
                                    const std::function<void(int)>& onClick) {
    auto* item = new TMenuItem(&menu);
    item->SetCaption(caption);
    item->SetTag(tag);
    item->SetImageIndex(glyph);
    item->OnClick = [onClick, tag](TObject*) {
        if (onClick)
            onClick(tag);
    };
    menu.Items()->Add(item);
    return item;
}

std::unique_ptr<TPopupMenu> BuildSystemMenuPopup(TComponent* owner, TImageList* glyphs, bool maxBox,
                                                 bool minBox,
                                                 std::function<void(int tag)> onClick) {
    auto menu = std::make_unique<TPopupMenu>(owner);
    menu->SetTag(kSystemMenuTag);
    menu->SetOwnerDraw(true);
    menu->SetImages(glyphs ? glyphs->Handle() : nullptr);
    AddSystemMenuItem(*menu, L" Restore ", kSysMenuRestore, kSysMenuRestore, onClick);
    // Move and Size have no glyph; with them the menu moves and sizes the
    // window from the keyboard, as the platform's own system menu does.
    AddSystemMenuItem(*menu, L" Move ", kSysMenuMove, -1, onClick);
    AddSystemMenuItem(*menu, L" Size ", kSysMenuSize, -1, onClick);
    if (maxBox)
        AddSystemMenuItem(*menu, L" Maximize ", kSysMenuMaximize, kSysMenuMaximize, onClick);
    if (minBox)
        AddSystemMenuItem(*menu, L" Minimize ", kSysMenuMinimize, kSysMenuMinimize, onClick);
    AddSystemMenuItem(*menu, L"-", kSysMenuSeparator, kSysMenuSeparator, onClick);
    TMenuItem* close = AddSystemMenuItem(*menu, L" Close ", kSysMenuClose, kSysMenuClose, onClick);
    close->SetShortCut(ShortCut(VK_F4, TShiftState{ssShift}));
    return menu;
}

bool SystemCommandEnabled(UINT command, const TSystemMenuFacts& facts) {
    const bool normal = facts.WindowState == 0;
    const bool maximized = facts.WindowState == 1;
    const bool minimized = facts.WindowState == 2;
    switch (command) {
    case SC_RESTORE:
        return !normal;
    case SC_MOVE:
        return !maximized;
    case SC_SIZE:
        return normal && facts.Sizeable;
    case SC_MINIMIZE:
        return facts.MinBox && !minimized;
    case SC_MAXIMIZE:
        return facts.MaxBox && !maximized;
    default:
        return true;
    }
}

UINT SystemMenuCommand(int tag) {
    switch (tag) {
    case kSysMenuRestore:
        return SC_RESTORE;
    case kSysMenuMaximize:
        return SC_MAXIMIZE;
    case kSysMenuMinimize:
        return SC_MINIMIZE;
    case kSysMenuClose:
        return SC_CLOSE;
    case kSysMenuMove:
        return SC_MOVE;
    case kSysMenuSize:
        return SC_SIZE;
    default:
        return 0;
    }
}

void EnableSystemMenuItems(TPopupMenu& menu, const TSystemMenuFacts& facts) {
    TMenuItem* root = menu.Items();
    for (int i = 0; i < root->Count(); ++i) {
        TMenuItem* item = root->Items(i);
        if (const UINT command = SystemMenuCommand(item->Tag()))
            item->SetEnabled(SystemCommandEnabled(command, facts));
    }
}

void EnableNativeSystemMenu(HMENU menu, const TSystemMenuFacts& facts) {
    if (!menu)
        return;
    for (UINT command : {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE})
        EnableMenuItem(menu, command,
                       MF_BYCOMMAND |
                           (SystemCommandEnabled(command, facts) ? MF_ENABLED : MF_GRAYED));
}
