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
    default:
        break;
    }
}

// A single click opens the system menu (the skinned one once popup menus
// are drawn by the skin, else the window's native one, whose commands come
// back as WM_COMMAND); a second click within the double-click time closes.
void TWinSkinForm::ShowSystemMenu(POINT screenPoint) {
    if (SystemMenuPopup)
        EnableSystemMenuItems(*SystemMenuPopup, WindowState);
    const DWORD now = GetTickCount();
    const DWORD elapsed = now - LastSysMenuClick;
    if (DoubleClickTime < elapsed) {
        if (TSkinManage* m = Manager())
            m->SetMenuContext(TMenuContext::SystemMenu);
        LastSysMenuClick = now;
        const bool skinned = skinData_ && skinData_->SkinControls().Contains(xcSystemMenu) &&
                             MDIKind != kMDIChild && SkinnedSystemMenu() && SystemMenuPopup;
        if (skinned)
            SystemMenuPopup->Popup(screenPoint.x, screenPoint.y);
        else if (SystemMenu)
            TrackPopupMenu(SystemMenu, TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, 0, Handle,
                           nullptr);
        return;
    }
    if (HotObj) {
        if (HoverTimer)
            HoverTimer->SetEnabled(false);
        PostMessageW(Handle, WM_CLOSE, 0, 0);
    }
}
