// The MDI client of a skinned MDI frame: its scroll bars, the children it
// creates and destroys, tiling and cascading.
#include "skin/window/form_skinner.h"

#include "framework/ui/messages.h"
#include "skin/model/skin_data.h"
#include "skin/window/skin_manager.h"

void TWinSkinForm::TClientWindow::WindowMessage(TMessage& msg) {
    owner_->ClientMessage(msg);
}

void TWinSkinForm::SubclassMDIClient() {
    if (MDIClientWindow && !client_.IsSubclassed())
        client_.Subclass(MDIClientWindow, TProcCharset::Auto);
}

void TWinSkinForm::UnsubclassMDIClient() {
    if (client_.IsSubclassed())
        client_.Unsubclass();
}

void TWinSkinForm::ClientMessage(TMessage& msg) {
    TSkinManage* m = Manager();
    switch (msg.Msg) {
    case WM_NCCALCSIZE:
        if (FrameSkinned && skinData_ && !skinData_->Options().Contains(xoMDIScrollbar)) {
            const LONG style = GetWindowLongW(MDIClientWindow, GWL_STYLE);
            SetWindowLongW(MDIClientWindow, GWL_STYLE, style & ~(WS_HSCROLL | WS_VSCROLL));
        }
        client_.CallPrevious(msg);
        return;
    case WM_MDICREATE:
        if (skinData_)
            skinData_->SetMenuUpdate(false);
        client_.CallPrevious(msg);
        NewMDIChild = reinterpret_cast<HWND>(msg.Result);
        // The child is skinned once its creation has finished (its form
        // object knows its window then): through the menu refresh below.
        if (NewMDIChild)
            PostMessageW(MDIClientWindow, WM_MDIREFRESHMENU, 0, 0);
        return;
    case WM_MDIDESTROY:
        client_.CallPrevious(msg);
        if (FrameSkinned && m) {
            BOOL maximized = FALSE;
            const auto active = reinterpret_cast<HWND>(SendMessageW(
                MDIClientWindow, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
            m->SetMDIMaximized(active && maximized);
            if (!active && MenuBar && skinData_) {
                skinData_->SetMenuUpdate(SavedMenuUpdate);
                MenuBar->BuildFromFrameworkMenu();
                PostMessageW(Handle, SM_REPAINTFRAME, 0, 0);
            }
        }
        return;
    case WM_MDISETMENU:
        client_.CallPrevious(msg);
        if (FrameSkinned && msg.WParam && MenuBar) {
            const auto menu = reinterpret_cast<HMENU>(msg.WParam);
            if (static_cast<LONG_PTR>(msg.WParam) < 0 || menu != MenuBar->MenuHandle || NewMDIChild)
                MenuBar->BuildByCommand(GetMenu(Handle));
            SetMenu(Handle, nullptr);
            PostMessageW(Handle, SM_REPAINTFRAME, 0, 0);
        }
        return;
    case WM_NCACTIVATE:
        // The client's own border looks the same active or not: only an
        // active child has a caption to repaint, so without one the
        // platform is told not to repaint the client's non-client area.
        if (!SendMessageW(MDIClientWindow, WM_MDIGETACTIVE, 0, 0))
            msg.LParam = -1;
        client_.CallPrevious(msg);
        return;
    case WM_MDITILE:
    case WM_MDICASCADE:
        if (FrameSkinned && m && m->MDIMaximized())
            m->SetMDIMaximized(false);
        client_.CallPrevious(msg);
        return;
    case WM_MDIREFRESHMENU:
        client_.CallPrevious(msg);
        if (NewMDIChild && m) {
            // Every child created since the last pass (several may have
            // been created before this posted message arrived).
            for (HWND child = GetWindow(MDIClientWindow, GW_CHILD); child;
                 child = GetWindow(child, GW_HWNDNEXT))
                if (GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_MDICHILD)
                    m->SkinWindow(child);
            PostMessageW(Handle, SM_REPAINTFRAME, 0, 0);
            NewMDIChild = nullptr;
        }
        return;
    default:
        client_.CallPrevious(msg);
        return;
    }
}
