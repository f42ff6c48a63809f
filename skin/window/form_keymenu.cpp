// The keyboard's way into a skinned window's menus (WM_SYSCOMMAND
// SC_KEYMENU). The skinned frame takes the native caption away, and with it
// the platform's own keyboard path to the system menu: Alt+Space (Alt+- on an
// MDI child) opens it here, under the window icon, with its first item
// selected. F10, Alt alone and Alt+letter of a skinned menu-bar item are kept
// from the platform's menu mode; a raw window, which gets no CM_DIALOGCHAR,
// opens the bar item of its letter here.
#include "skin/window/form_skinner.h"

#include "framework/ui/menus.h"

// The characters of SC_KEYMENU that name the window's system menu: the space
// for a top-level window; for an MDI child the hyphen, and the space the
// platform's MDI child procedure turns Alt+- into.
bool TWinSkinForm::IsSystemMenuKey(wchar_t ch) const {
    if (MDIKind == kMDIChild)
        return ch == L'-' || ch == L' ';
    return ch == L' ';
}

// True when the key was taken (msg.Result set); false leaves it to the
// previous handling. A minimised window has its native caption back and
// keeps the platform's own way; a window without system menu has none to open.
bool TWinSkinForm::HandleKeyMenu(TMessage& msg) {
    if ((msg.WParam & 0xFFF0) != SC_KEYMENU || Busy || GetCapture())
        return false;
    const auto ch = static_cast<wchar_t>(LOWORD(msg.LParam));
    if (IsSystemMenuKey(ch) && WindowState != kWindowMinimized && (Caps & kCapSysMenu)) {
        msg.Result = 0;
        ShowSystemMenuByKey();
        return true;
    }
    if (ch == L'-' && MDIKind == kMDIFrame && MDIClientWindow) {
        // Alt+- on the frame names the active child's system menu.
        const auto child =
            reinterpret_cast<HWND>(SendMessageW(MDIClientWindow, WM_MDIGETACTIVE, 0, 0));
        if (child) {
            PostMessageW(child, WM_SYSCOMMAND, SC_KEYMENU, L'-');
            msg.Result = 0;
            return true;
        }
    }
    if (!MenuBar || !MenuBar->HandleKeyMenu(msg))
        return false;
    if (!Form && ch != 0)
        if (TMenuBtn* item = MenuBar->ItemForAccelerator(ch))
            MenuBar->ClickItem(item);
    msg.Result = 1;
    return true;
}

void TWinSkinForm::ShowSystemMenuByKey() {
    TrackSystemMenu(SystemMenuAnchor(), true);
}

POINT TWinSkinForm::SystemMenuAnchor() const {
    RECT w{};
    GetWindowRect(Handle, &w);
    if (NonNormalMDIChild()) {
        // A maximised child shows no frame of its own: the MDI client's corner.
        POINT p{0, 0};
        ClientToScreen(GetParent(Handle), &p);
        return p;
    }
    for (const auto& b : CaptionButtons)
        if (b->Visible && b->SkinButton && ShowsWindowIcon(*b->SkinButton))
            return {w.left + b->Bounds.left, w.top + b->Bounds.bottom};
    return {w.left + LeftWidth, w.top + TitleHeight};
}
