// TCustomForm: message handling, closing and modal showing.
#include "framework/ui/form.h"

#include <algorithm>
#include <vector>

#include "framework/ui/application.h"
#include "framework/ui/ui_errors.h"
#include "framework/ui/menus.h"

void TCustomForm::WndProc(TMessage& msg) {
    switch (msg.Msg) {
    case CM_VISIBLECHANGED:
        if (!HasState(csLoading))
            ShowForm(msg.WParam != 0);
        return;
    case WM_DESTROY:
        // The menu belongs to its component, not to the window.
        if (menu_ && menu_->Items()->HandleAllocated() &&
            GetMenu(TWinControl::Handle()) == menu_->Handle())
            ::SetMenu(TWinControl::Handle(), nullptr);
        DefaultHandler(msg);
        return;
    case WM_CLOSE:
        Close();
        return;
    case WM_QUERYENDSESSION:
        msg.Result = CloseQuery() ? 1 : 0;
        return;
    case WM_ACTIVATE:
        HandleActivate(msg);
        return;
    case WM_SETFOCUS:
        DefaultHandler(msg);
        if (activeControl_ && activeControl_ != this && activeControl_->CanFocus())
            ::SetFocus(activeControl_->Handle());
        return;
    case WM_GETMINMAXINFO: {
        DefaultHandler(msg);
        auto* mmi = reinterpret_cast<MINMAXINFO*>(msg.LParam);
        if (constraints_.MinWidth > 0)
            mmi->ptMinTrackSize.x = constraints_.MinWidth;
        if (constraints_.MinHeight > 0)
            mmi->ptMinTrackSize.y = constraints_.MinHeight;
        if (constraints_.MaxWidth > 0)
            mmi->ptMaxTrackSize.x = constraints_.MaxWidth;
        if (constraints_.MaxHeight > 0)
            mmi->ptMaxTrackSize.y = constraints_.MaxHeight;
        return;
    }
    case WM_WINDOWPOSCHANGING: {
        // Sizes set by program are held to the constraints too, not only dragging.
        auto* wp = reinterpret_cast<WINDOWPOS*>(msg.LParam);
        HWND wnd = TWinControl::Handle();
        if (!(wp->flags & SWP_NOSIZE) && !IsZoomed(wnd) && !IsIconic(wnd))
            constraints_.Apply(wp->cx, wp->cy);
        DefaultHandler(msg);
        return;
    }
    case WM_SIZE:
        TWinControl::WndProc(msg);
        OnResize(this);
        return;
    case CM_DIALOGKEY:
        if (HandleDialogKey(msg))
            return;
        break;
    case CM_RELEASE:
        delete this; // posted by Release(): no message of this form is running any more
        return;
    case WM_COMMAND:
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
    case WM_INITMENUPOPUP:
    case WM_MENUCHAR:
        if (HandleMenuMessage(msg))
            return;
        break;
    default:
        break;
    }
    TWinControl::WndProc(msg);
}

// Controls written directly inside the form's definition have the form as parent.
void TCustomForm::Loaded() {
    TWinControl::Loaded();
    for (int i = 0; i < ComponentCount(); ++i) {
        auto* control = dynamic_cast<TControl*>(Components(i));
        if (control && !control->Parent() && !dynamic_cast<TCustomForm*>(control))
            control->SetParent(this);
    }
}

// Activation gives the focus to the active control, or to the first in tab order.
void TCustomForm::HandleActivate(TMessage& msg) {
    DefaultHandler(msg);
    if (LOWORD(msg.WParam) == WA_INACTIVE) {
        OnDeactivate(this);
        return;
    }
    if (HIWORD(msg.WParam) == 0) { // not minimised
        if (activeControl_ && activeControl_->CanFocus()) {
            ::SetFocus(activeControl_->Handle());
        } else if (TWinControl* first = FindNextControl(nullptr, true, true, false)) {
            first->SetFocus();
        }
    }
    OnActivate(this);
    msg.Result = 0;
}

// Tab and the arrow keys move the focus; other dialog keys go to every control.
bool TCustomForm::HandleDialogKey(TMessage& msg) {
    if (GetKeyState(VK_MENU) < 0)
        return false;
    switch (msg.WParam) {
    case VK_TAB:
        if (GetKeyState(VK_CONTROL) >= 0) {
            SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
            msg.Result = 1;
            return true;
        }
        return false;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        if (activeControl_ && activeControl_->Parent()) {
            activeControl_->Parent()->SelectNext(
                activeControl_, msg.WParam == VK_RIGHT || msg.WParam == VK_DOWN, false);
            msg.Result = 1;
            return true;
        }
        return false;
    default:
        return false;
    }
}

// Menu commands, owner drawing and accelerators of the form's menus.
bool TCustomForm::HandleMenuMessage(TMessage& msg) {
    switch (msg.Msg) {
    case WM_COMMAND:
        if (msg.LParam == 0 && HIWORD(msg.WParam) <= 1)
            return TMenuItem::DispatchCommand(LOWORD(msg.WParam));
        return false;
    case WM_MEASUREITEM:
        return msg.WParam == 0 &&
               TMenuItem::HandleMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(msg.LParam));
    case WM_DRAWITEM:
        return msg.WParam == 0 &&
               TMenuItem::HandleDrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam));
    case WM_INITMENUPOPUP:
        TMenuItem::HandleInitPopup(reinterpret_cast<HMENU>(msg.WParam));
        return false;
    case WM_MENUCHAR:
        // Owner-drawn items have no text the system could search.
        msg.Result = TMenuItem::MenuCharResult(reinterpret_cast<HMENU>(msg.LParam),
                                               static_cast<wchar_t>(LOWORD(msg.WParam)));
        return msg.Result != MNC_IGNORE;
    default:
        return false;
    }
}

bool TCustomForm::IsShortCut(WORD key, TShiftState shift) {
    if (menu_ && menu_->IsShortCut(key, shift))
        return true;
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* popup = dynamic_cast<TPopupMenu*>(Components(i));
            popup && popup->IsShortCut(key, shift))
            return true;
    return false;
}

bool TCustomForm::CloseQuery() {
    if (formStyle_ == fsMDIForm && Application) {
        for (int i = 0; i < Application->FormCount(); ++i) {
            TCustomForm* f = Application->Forms(i);
            if (f != this && f->FormStyle() == fsMDIChild && !f->CloseQuery())
                return false;
        }
    }
    bool canClose = true;
    OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) {
    OnClose(this, action);
}

// Every way of closing ends here: the close query may refuse; the main form
// ends the application; a modal form only sets its result.
void TCustomForm::Close() {
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = formStyle_ == fsMDIChild ? caMinimize : caHide;
    DoClose(action);
    if (action == caNone)
        return;
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        Hide();
        return;
    }
    switch (action) {
    case caHide:
        Hide();
        break;
    case caMinimize:
        SetWindowState(wsMinimized);
        break;
    case caFree:
        Release();
        break;
    default:
        break;
    }
}

void TCustomForm::Release() {
    if (HandleAllocated())
        PostMessageW(TWinControl::Handle(), CM_RELEASE, 0, 0);
}

// The end of a modal loop: the close query and the close handler may keep it open.
void TCustomForm::CloseModal() {
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone)
        modalResult_ = mrNone;
}

namespace {

// Disables every enabled, visible top-level window of the thread but one, and
// enables them again when it goes out of scope.
class TDisabledWindows {
public:
    explicit TDisabledWindows(HWND keep) : keep_(keep) {
        EnumThreadWindows(GetCurrentThreadId(), &TDisabledWindows::Visit,
                          reinterpret_cast<LPARAM>(this));
    }
    ~TDisabledWindows() {
        for (HWND w : windows_)
            if (IsWindow(w))
                EnableWindow(w, TRUE);
    }

private:
    static BOOL CALLBACK Visit(HWND wnd, LPARAM param) {
        auto* self = reinterpret_cast<TDisabledWindows*>(param);
        if (wnd != self->keep_ && IsWindowVisible(wnd) && IsWindowEnabled(wnd)) {
            self->windows_.push_back(wnd);
            EnableWindow(wnd, FALSE);
        }
        return TRUE;
    }
    HWND keep_;
    std::vector<HWND> windows_;
};

} // namespace

TModalResult TCustomForm::ShowModal() {
    if (Visible() || modal_ || formStyle_ == fsMDIChild || !Enabled())
        throw EInvalidOperation(L"Cannot make a visible window modal");
    if (GetCapture())
        SendMessageW(GetCapture(), WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    HWND activeBefore = GetActiveWindow();
    HWND focusBefore = GetFocus();
    HWND wnd = TWinControl::Handle();
    modal_ = true;
    modalResult_ = mrNone;
    TModalResult result = mrNone;
    {
        TDisabledWindows disabled(wnd);
        try {
            Show();
            while (modalResult_ == mrNone) {
                Application->HandleMessage();
                if (Application->Terminated())
                    modalResult_ = mrCancel;
                else if (modalResult_ != mrNone)
                    CloseModal();
            }
        } catch (...) {
            modal_ = false;
            throw;
        }
        result = modalResult_;
        modal_ = false;
        // The other windows are enabled again before this one hides, so that
        // activation goes back to one of them.
    }
    Hide();
    if (activeBefore && IsWindow(activeBefore))
        SetActiveWindow(activeBefore);
    if (focusBefore && IsWindow(focusBefore))
        ::SetFocus(focusBefore);
    return result;
}
