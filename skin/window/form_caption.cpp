// The form skinner's caption buttons at work: non-client mouse messages, the
// hover timer, the buttons' actions and the system menu.
#include "skin/window/form_skinner.h"

#include <windowsx.h>

#include "framework/ui/menus.h"
#include "framework/ui/messages.h"
#include "framework/ui/timer.h"
#include "skin/model/skin_data.h"
#include "skin/window/menu_items.h"
#include "skin/window/skin_manager.h"

namespace {

POINT MessagePoint(const TMessage& msg) {
    return {GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)};
}

bool gSkinnedSystemMenu = false;

} // namespace

void TWinSkinForm::SetSkinnedSystemMenu(bool on) {
    gSkinnedSystemMenu = on;
}

bool TWinSkinForm::SkinnedSystemMenu() {
    return gSkinnedSystemMenu;
}

// The title-bar object under a point: a caption button, else a menu-bar item.
TNCObject* TWinSkinForm::ObjectAt(POINT windowPoint) const {
    if (TWinSysButton* b = FindCaptionButton(CaptionButtons, windowPoint))
        return b;
    if (MenuBar)
        return MenuBar->ItemAt(windowPoint);
    return nullptr;
}

// Over an object the message is the object's; elsewhere the hot object
// leaves and the platform handles the message. Nothing while inactive.
void TWinSkinForm::HandleNcMouseMove(TMessage& msg) {
    msg.Result = 0;
    if (!Active)
        return;
    if (TNCObject* object = ObjectAt(ToWindowPoint(MessagePoint(msg)))) {
        object->MouseMove();
        return;
    }
    if (HotObj)
        HotObj->MouseLeave();
    window_.CallPrevious(msg);
}

void TWinSkinForm::HandleNcLButtonDown(TMessage& msg) {
    msg.Result = 0;
    if (TNCObject* object = ObjectAt(ToWindowPoint(MessagePoint(msg)))) {
        if (!Active)
            SetForegroundWindow(Handle);
        object->MouseDown();
        auto* item = dynamic_cast<TMenuBtn*>(object);
        if (item && MenuBar && MenuBar->TakeSwitchClick(msg.WParam, msg.LParam))
            MenuBar->SwitchTo(item);
        else if (item && MenuBar)
            MenuBar->OpenItem(item);
        return;
    }
    // A maximised window is not dragged by its title.
    if (WindowState == kWindowMaximized && Active && msg.WParam == HTCAPTION)
        msg.WParam = HTMENU;
    window_.CallPrevious(msg);
}

// A caption button runs its action only when it was pressed and is released
// over itself; a release over anything else does nothing.
void TWinSkinForm::HandleNcLButtonUp(TMessage& msg) {
    msg.Result = 0;
    TNCObject* object = ObjectAt(ToWindowPoint(MessagePoint(msg)));
    if (!object) {
        window_.CallPrevious(msg);
        return;
    }
    auto* b = dynamic_cast<TWinSysButton*>(object);
    if (b && b == HotObj && b->State == kNCPressed) {
        b->MouseUp();
        RunAction(b, MessagePoint(msg));
    }
}

// A double click on the icon closes, as the icon's second click does; on the
// rest of the frame (the menu bar's items aside) it maximises or restores.
void TWinSkinForm::HandleNcLButtonDblClk(TMessage& msg) {
    msg.Result = 0;
    // A second click on a menu-bar item opens it again, as a native bar does
    // (the bar is no part of the frame that maximises).
    if (MenuBar && MenuBar->ItemAt(ToWindowPoint(MessagePoint(msg)))) {
        HandleNcLButtonDown(msg);
        return;
    }
    TWinSysButton* b = FindCaptionButton(CaptionButtons, ToWindowPoint(MessagePoint(msg)));
    if (b && ShowsWindowIcon(*b->SkinButton)) {
        if (HoverTimer)
            HoverTimer->SetEnabled(false);
        PostMessageW(Handle, WM_CLOSE, 0, 0);
        return;
    }
    if (b)
        return;
    if (WindowState != kWindowNormal)
        ToNormal();
    else if (Caps & kCapMaxBox)
        ToMaximized();
}

void TWinSkinForm::HandleNcRButtonDown(TMessage& msg) {
    if (msg.WParam == HTCAPTION && MDIKind != kMDIChild) {
        ShowSystemMenu(MessagePoint(msg));
        msg.Result = 0;
        return;
    }
    window_.CallPrevious(msg);
}

// Every 250 ms while active: a hot button the cursor left goes back to rest.
void TWinSkinForm::HoverTick() {
    if (!Active || Busy || !IsWindow(Handle))
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    if (HotObj) {
        const POINT p = ToWindowPoint(cursor);
        if (!PtInRect(&HotObj->Bounds, p))
            HotObj->MouseLeave();
    }
    if (!Form && hotButton_) {
        RECT r{};
        GetWindowRect(hotButton_->Handle, &r);
        if (!PtInRect(&r, cursor)) {
            TSkinControl* left = hotButton_;
            hotButton_ = nullptr;
            SendMessageW(left->Handle, CM_MOUSELEAVE, 0, 0);
        }
    }
}

void TWinSkinForm::RunAction(TWinSysButton* button, POINT screenPoint) {
    if (!button || !button->SkinButton)
        return;
    switch (button->SkinButton->Action) {
    case 0:
        if (HoverTimer)
            HoverTimer->SetEnabled(false);
        PostMessageW(Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case 1:
    case 22:
        ToMaximized();
        break;
    case 2:
    case 23:
        ToMinimized();
        break;
    case 3:
    case 11:
    case 12:
        ShowSystemMenu({screenPoint.x + 1, screenPoint.y + 1});
        break;
    case 7:
    case 60:
        RunMDIChildCommand(SC_MINIMIZE);
        break;
    case 8:
    case 61:
        RunMDIChildCommand(SC_RESTORE);
        break;
    case 9:
    case 62:
        RunMDIChildCommand(SC_CLOSE);
        break;
    default:
        PostMessageW(Handle, SM_CAPTIONACTION, static_cast<WPARAM>(button->SkinButton->Action), 0);
        break;
    }
}

// A command to the active MDI child; the frame leaves its maximised state
// when the child is no longer maximised.
void TWinSkinForm::RunMDIChildCommand(UINT command) {
    if (MDIKind != kMDIFrame || !MDIClientWindow)
        return;
    const auto child = reinterpret_cast<HWND>(SendMessageW(MDIClientWindow, WM_MDIGETACTIVE, 0, 0));
    if (!child)
        return;
    SendMessageW(child, WM_SYSCOMMAND, command, 0);
    TSkinManage* m = Manager();
    if (!m || !m->MDIMaximized())
        return;
    BOOL maximized = FALSE;
    const auto active = reinterpret_cast<HWND>(
        SendMessageW(MDIClientWindow, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
    if (!active || !maximized)
        m->SetMDIMaximized(false);
}

void TWinSkinForm::BuildSystemMenu() {
    SystemMenuPopup = BuildSystemMenuPopup(
        nullptr, skinData_ ? skinData_->MenuGlyphs.get() : nullptr, (Caps & kCapMaxBox) != 0,
        (Caps & kCapMinBox) != 0, [this](int tag) { SystemMenuClick(tag); });
    if (SystemMenuPopup && skinData_)
        PrepareSystemMenuPopup(*SystemMenuPopup, skinData_);
}

void TWinSkinForm::SystemMenuClick(int tag) {
    switch (tag) {
    case kSysMenuRestore:
        ToNormal();
        break;
    case kSysMenuMaximize:
        ToMaximized();
        break;
    case kSysMenuMinimize:
        ToMinimized();
        break;
    case kSysMenuClose:
        if (HoverTimer)
            HoverTimer->SetEnabled(false);
        PostMessageW(Handle, WM_CLOSE, 0, 0);
        break;
    case kSysMenuMove:
    case kSysMenuSize:
        // LParam 0: the platform's keyboard move or size loop.
        PostMessageW(Handle, WM_SYSCOMMAND, SystemMenuCommand(tag), 0);
        break;
    default:
        break;
    }
}

TSystemMenuFacts TWinSkinForm::SystemMenuFacts() const {
    TSystemMenuFacts facts;
    facts.WindowState = WindowState;
    facts.Sizeable = Sizeable;
    facts.MaxBox = (Caps & kCapMaxBox) != 0;
    facts.MinBox = (Caps & kCapMinBox) != 0;
    return facts;
}

// The skinned system menu once popup menus are drawn by the skin, else the
// window's native one (its commands come back as WM_COMMAND or
// WM_SYSCOMMAND). Both have their commands enabled by the window's state: the
// native menu cannot tell from a skinned window's style, which has lost its
// caption or its boxes. Opened from the keyboard, the menu starts with its
// first item selected: the menu loop takes the posted key before any other.
void TWinSkinForm::TrackSystemMenu(POINT screenPoint, bool selectFirst) {
    if (TSkinManage* m = Manager())
        m->SetMenuContext(TMenuContext::SystemMenu);
    const TSystemMenuFacts facts = SystemMenuFacts();
    const bool skinned = skinData_ && skinData_->SkinControls().Contains(xcSystemMenu) &&
                         MDIKind != kMDIChild && SkinnedSystemMenu() && SystemMenuPopup;
    if (skinned) {
        EnableSystemMenuItems(*SystemMenuPopup, facts);
        if (selectFirst)
            PostMessageW(Handle, WM_KEYDOWN, VK_DOWN, 0);
        SystemMenuPopup->Popup(screenPoint.x, screenPoint.y);
    } else if (SystemMenu) {
        // The platform sets the native menu's items from the window's style
        // as it opens: a skinned owned window or MDI child has lost its boxes
        // there, so they are lent back while the menu is open.
        LONG boxes = (Caps & kCapSysMenu) ? WS_SYSMENU : 0;
        boxes |= (Caps & kCapMinBox) ? WS_MINIMIZEBOX : 0;
        boxes |= (Caps & kCapMaxBox) ? WS_MAXIMIZEBOX : 0;
        const LONG lent = boxes & ~GetWindowLongW(Handle, GWL_STYLE);
        if (lent)
            SetWindowLongW(Handle, GWL_STYLE, GetWindowLongW(Handle, GWL_STYLE) | lent);
        EnableNativeSystemMenu(SystemMenu, facts);
        if (selectFirst)
            PostMessageW(Handle, WM_KEYDOWN, VK_DOWN, 0);
        TrackPopupMenu(SystemMenu, TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, 0, Handle,
                       nullptr);
        if (lent && IsWindow(Handle))
            SetWindowLongW(Handle, GWL_STYLE, GetWindowLongW(Handle, GWL_STYLE) & ~lent);
    }
}

// A single click opens the system menu; a second click within the
// double-click time closes.
void TWinSkinForm::ShowSystemMenu(POINT screenPoint) {
    const DWORD now = GetTickCount();
    const DWORD elapsed = now - LastSysMenuClick;
    if (DoubleClickTime < elapsed) {
        LastSysMenuClick = now;
        TrackSystemMenu(screenPoint, false);
        return;
    }
    if (HotObj) {
        if (HoverTimer)
            HoverTimer->SetEnabled(false);
        PostMessageW(Handle, WM_CLOSE, 0, 0);
    }
}
