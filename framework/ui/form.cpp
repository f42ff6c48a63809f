// TCustomForm: frame, position, closing, focus and dialog keys, MDI.
#include "framework/ui/form.h"
#include "framework/ui/ui_errors.h"

#include <algorithm>

#include "framework/core/class_builder.h"
#include "framework/core/form_reader.h"
#include "framework/ui/application.h"
#include "framework/ui/menus.h"

void TSizeConstraints::Apply(int& width, int& height) const {
    if (MinWidth > 0)
        width = std::max(width, static_cast<int>(MinWidth));
    if (MinHeight > 0)
        height = std::max(height, static_cast<int>(MinHeight));
    if (MaxWidth > 0)
        width = std::min(width, static_cast<int>(MaxWidth));
    if (MaxHeight > 0)
        height = std::min(height, static_cast<int>(MaxHeight));
}

void TSizeConstraints::Assign(const TPersistent& src) {
    if (auto* s = dynamic_cast<const TSizeConstraints*>(&src)) {
        MinWidth = s->MinWidth;
        MinHeight = s->MinHeight;
        MaxWidth = s->MaxWidth;
        MaxHeight = s->MaxHeight;
        return;
    }
    TPersistent::Assign(src);
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    icon_.OnChange = [this](TIcon&) { IconChanged(); };
    TControl::SetVisible(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
    if (Application)
        Application->AddForm(this);
}

// There is no destroy event: by the time this base destructor runs, a handler
// of the derived form would find it half destroyed. Derived forms clean up in
// their own destructors.
TCustomForm::~TCustomForm() {
    SetStateFlag(csDestroying, true);
    // The window goes first, while the form is still a form for its messages.
    DestroyHandle();
    if (Application)
        Application->RemoveForm(this);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
    if (v == borderStyle_)
        return;
    borderStyle_ = v;
    RecreateFrame();
}

void TCustomForm::SetBorderIcons(TBorderIcons v) {
    if (v == borderIcons_)
        return;
    borderIcons_ = v;
    RecreateFrame();
}

void TCustomForm::SetFormStyle(TFormStyle v) {
    if (v == formStyle_)
        return;
    if (HandleAllocated() &&
        (v == fsMDIChild || v == fsMDIForm || formStyle_ == fsMDIChild || formStyle_ == fsMDIForm))
        throw EInvalidOperation(L"Cannot change the MDI style of a form with a window");
    formStyle_ = v;
    if (HandleAllocated())
        SetWindowPos(Handle(), v == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Hands the icon to the window: the same picture serves as big and small
// icon (the system scales it); an empty icon takes both back.
void TCustomForm::IconChanged() {
    if (!HandleAllocated())
        return;
    const auto icon = reinterpret_cast<LPARAM>(icon_.Handle());
    SendMessageW(TWinControl::Handle(), WM_SETICON, ICON_BIG, icon);
    SendMessageW(TWinControl::Handle(), WM_SETICON, ICON_SMALL, icon);
}

// Style changes of a live window: new style bits and a recomputed frame.
void TCustomForm::RecreateFrame() {
    if (!HandleAllocated())
        return;
    TCreateParams p;
    CreateParams(p);
    HWND wnd = Handle();
    LONG keep = GetWindowLongW(wnd, GWL_STYLE) & (WS_VISIBLE | WS_MAXIMIZE | WS_MINIMIZE);
    SetWindowLongW(wnd, GWL_STYLE, (p.style & ~WS_VISIBLE) | keep);
    SetWindowLongW(wnd, GWL_EXSTYLE, p.exStyle);
    SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TWindowState TCustomForm::WindowState() const {
    if (HandleAllocated() && IsWindowVisible(Handle())) {
        if (IsZoomed(Handle()))
            return wsMaximized;
        if (IsIconic(Handle()))
            return wsMinimized;
        return wsNormal;
    }
    return windowState_;
}

void TCustomForm::SetWindowState(TWindowState v) {
    windowState_ = v;
    if (HandleAllocated() && IsWindowVisible(Handle()))
        ShowWindow(Handle(), v == wsMaximized   ? SW_MAXIMIZE
                             : v == wsMinimized ? SW_MINIMIZE
                                                : SW_RESTORE);
}

void TCustomForm::SetMenu(TMainMenu* menu) {
    if (menu == menu_)
        return;
    if (menu_)
        menu_->RemoveFreeNotification(this);
    menu_ = menu;
    if (menu_)
        menu_->FreeNotification(this);
    if (HandleAllocated() && formStyle_ != fsMDIChild) {
        ::SetMenu(Handle(), menu_ ? menu_->Handle() : nullptr);
        Perform(CM_MENUCHANGED, 0, 0);
    }
}

void TCustomForm::Notification(TComponent* c, TOperation op) {
    TWinControl::Notification(c, op);
    if (op != opRemove)
        return;
    if (c == menu_) {
        // The menu's items are gone: whoever shows them (a skinned bar) is
        // told the form has no menu now.
        menu_ = nullptr;
        if (HandleAllocated() && !HasState(csDestroying)) {
            ::SetMenu(Handle(), nullptr);
            Perform(CM_MENUCHANGED, 0, 0);
        }
    }
    if (c == activeControl_)
        activeControl_ = nullptr;
    if (c == focusedControl_)
        focusedControl_ = nullptr;
}

RECT TCustomForm::ClientRect() const {
    if (!HandleAllocated() && clientWidthRequest_ >= 0)
        return RECT{0, 0, clientWidthRequest_, clientHeightRequest_};
    return TWinControl::ClientRect();
}

// Before the window exists the wish is kept; the frame is added once it exists.
void TCustomForm::SetClientSize(int width, int height) {
    if (!HandleAllocated()) {
        clientWidthRequest_ = width;
        clientHeightRequest_ = height;
        return;
    }
    TWinControl::SetClientSize(width, height);
}

void TCustomForm::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.style = WS_CLIPCHILDREN;
    params.exStyle = 0;
    switch (borderStyle_) {
    case bsNone:
        params.style |= WS_POPUP;
        break;
    case bsSingle:
    case bsToolWindow:
        params.style |= WS_CAPTION | WS_BORDER;
        break;
    case bsSizeable:
    case bsSizeToolWin:
        params.style |= WS_CAPTION | WS_THICKFRAME;
        break;
    case bsDialog:
        params.style |= WS_POPUP | WS_CAPTION;
        params.exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    }
    if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin)
        params.exStyle |= WS_EX_TOOLWINDOW;
    if (borderStyle_ != bsNone && borderIcons_.Contains(biSystemMenu)) {
        params.style |= WS_SYSMENU;
        if (borderStyle_ != bsDialog && borderStyle_ != bsToolWindow &&
            borderStyle_ != bsSizeToolWin) {
            if (borderIcons_.Contains(biMinimize))
                params.style |= WS_MINIMIZEBOX;
            if (borderIcons_.Contains(biMaximize))
                params.style |= WS_MAXIMIZEBOX;
        }
        if (borderIcons_.Contains(biHelp) && borderStyle_ == bsDialog)
            params.exStyle |= WS_EX_CONTEXTHELP;
    }
    if (formStyle_ == fsStayOnTop)
        params.exStyle |= WS_EX_TOPMOST;
    // A form that opens maximised is made at its maximised size, so that its
    // controls are laid out once, not at the definition's size first.
    if (windowState_ == wsMaximized && formStyle_ != fsMDIChild)
        params.style |= WS_MAXIMIZE;
    if (formStyle_ == fsMDIChild) {
        params.style |= WS_CHILD;
        params.exStyle |= WS_EX_MDICHILD;
        if (Application && Application->MainForm())
            params.wndParent = Application->MainForm()->ClientHandle();
    } else if (Application && Application->Handle()) {
        // Owned by the hidden application window, so never on the taskbar on its own.
        params.wndParent = Application->Handle();
    }
}

// Creates the frame window, its menu, the MDI client of an MDI frame, and
// applies a client size asked for before the window existed.
void TCustomForm::CreateWnd() {
    if (formStyle_ == fsMDIChild) {
        TCreateParams p;
        CreateParams(p);
        if (!p.wndParent)
            throw EInvalidOperation(L"Cannot create form. No MDI forms are currently active");
    }
    TWinControl::CreateWnd();
    HWND wnd = TWinControl::Handle();
    if (!icon_.Empty())
        IconChanged();
    if (menu_ && formStyle_ != fsMDIChild)
        ::SetMenu(wnd, menu_->Handle());
    if (formStyle_ == fsMDIForm && !clientHandle_) {
        CLIENTCREATESTRUCT ccs{nullptr, 0xFF00};
        RECT r;
        GetClientRect(wnd, &r);
        clientHandle_ =
            CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                            WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0,
                            r.right, r.bottom, wnd, nullptr, GetModuleHandleW(nullptr), &ccs);
        if (!clientHandle_)
            throw EOutOfResources(L"Cannot create the MDI client window");
        // Without children the client has nothing to scroll: its bars are
        // hidden now rather than when its posted scroll check runs, after
        // the window has been shown and painted with them.
        ShowScrollBar(clientHandle_, SB_BOTH, FALSE);
    }
    if (clientWidthRequest_ >= 0) {
        const int cw = clientWidthRequest_, ch = clientHeightRequest_;
        clientWidthRequest_ = clientHeightRequest_ = -1;
        TWinControl::SetClientSize(cw, ch);
    }
    Realign();
}

// An MDI child is made by its MDI client (WM_MDICREATE), which sets it up as
// one of its children: activation, the window menu, and the merging of the
// child's system menu into the frame's menu bar when it is maximised.
HWND TCustomForm::CreateWindowHandle(const TCreateParams& params, HMENU menuOrId) {
    if (formStyle_ != fsMDIChild)
        return TWinControl::CreateWindowHandle(params, menuOrId);
    MDICREATESTRUCTW mcs{};
    mcs.szClass = params.winClassName.c_str();
    mcs.szTitle = params.caption.c_str();
    mcs.hOwner = GetModuleHandleW(nullptr);
    mcs.x = params.x;
    mcs.y = params.y;
    mcs.cx = params.width;
    mcs.cy = params.height;
    mcs.style = params.style & ~(WS_CHILD | WS_POPUP);
    mcs.lParam = reinterpret_cast<LPARAM>(params.param);
    return reinterpret_cast<HWND>(
        SendMessageW(params.wndParent, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
}

// An MDI child leaves through its MDI client, which then activates the next
// child and restores the frame's menu.
void TCustomForm::DestroyWnd() {
    if (formStyle_ == fsMDIChild && HandleAllocated() && IsWindow(TWinControl::Handle())) {
        HWND client = GetParent(TWinControl::Handle());
        if (client)
            SendMessageW(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(TWinControl::Handle()), 0);
    }
    TWinControl::DestroyWnd();
}

// MDI frames and children hand unhandled messages to the MDI default procedures.
void TCustomForm::DefaultHandler(TMessage& msg) {
    HWND wnd = TWinControl::Handle();
    if (!wnd)
        return;
    if (formStyle_ == fsMDIForm && clientHandle_ && msg.Msg != WM_SIZE) {
        msg.Result = DefFrameProcW(wnd, clientHandle_, msg.Msg, msg.WParam, msg.LParam);
        return;
    }
    if (formStyle_ == fsMDIChild) {
        msg.Result = DefMDIChildProcW(wnd, msg.Msg, msg.WParam, msg.LParam);
        return;
    }
    TWinControl::DefaultHandler(msg);
}

// Aligned controls first; an MDI frame's client window takes what is left.
void TCustomForm::AlignControls(RECT& rect) {
    TWinControl::AlignControls(rect);
    if (clientHandle_)
        SetWindowPos(clientHandle_, nullptr, rect.left, rect.top,
                     std::max<LONG>(0, rect.right - rect.left),
                     std::max<LONG>(0, rect.bottom - rect.top), SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {
TCustomForm::TBeforeShowHandler g_beforeShow = nullptr;
} // namespace

void TCustomForm::SetBeforeShowHandler(TBeforeShowHandler handler) {
    g_beforeShow = handler;
}

// Shows or hides the frame; the first show places it (centred, maximised ...).
void TCustomForm::ShowForm(bool show) {
    if (!show && !HandleAllocated())
        return;
    HWND wnd = TWinControl::Handle();
    if (!show) {
        if (IsWindowVisible(wnd)) {
            ShowWindow(wnd, SW_HIDE);
            OnHide(this);
        }
        return;
    }
    PlaceOnFirstShow();
    int cmd = windowState_ == wsMaximized   ? SW_SHOWMAXIMIZED
              : windowState_ == wsMinimized ? SW_SHOWMINIMIZED
                                            : SW_SHOWNORMAL;
    OnShow(this);
    if (g_beforeShow && !IsWindowVisible(wnd))
        g_beforeShow(*this);
    ShowWindow(wnd, cmd);
    if (formStyle_ != fsMDIChild) {
        BringWindowToTop(wnd);
        SetForegroundWindow(wnd);
    }
}

void TCustomForm::PlaceOnFirstShow() {
    if (placed_)
        return;
    placed_ = true;
    int x = Left(), y = Top();
    const int w = Width(), h = Height();
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    switch (position_) {
    case poScreenCenter:
    case poDesktopCenter:
        x = area.left + (area.right - area.left - w) / 2;
        y = area.top + (area.bottom - area.top - h) / 2;
        break;
    case poMainFormCenter:
    case poOwnerFormCenter:
        if (Application && Application->MainForm() && Application->MainForm() != this) {
            TCustomForm* m = Application->MainForm();
            x = m->Left() + (m->Width() - w) / 2;
            y = m->Top() + (m->Height() - h) / 2;
        }
        break;
    default:
        return;
    }
    SetBounds(std::max(0, x), std::max(0, y), w, h);
}

bool TCustomForm::Active() const {
    return HandleAllocated() && GetActiveWindow() == TWinControl::Handle();
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control && control->ParentForm() != this)
        throw EInvalidOperation(L"Invalid active control");
    activeControl_ = control;
    if (control && Active() && control->CanFocus())
        ::SetFocus(control->Handle());
}

void TCustomForm::FocusControl(TWinControl* control) {
    activeControl_ = control;
    if (HandleAllocated() && IsWindowVisible(TWinControl::Handle()) && control->CanFocus())
        ::SetFocus(control->Handle());
}

// Moves the form's focus record; CM_EXIT to the old control, CM_ENTER to the
// new one, then CM_FOCUSCHANGED to every control of the form.
void TCustomForm::SetFocusedControl(TWinControl* control) {
    if (control == focusedControl_)
        return;
    TWinControl* old = focusedControl_;
    focusedControl_ = control;
    activeControl_ = control;
    if (old)
        old->Perform(CM_EXIT, 0, 0);
    if (control)
        control->Perform(CM_ENTER, 0, 0);
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
}

void TCustomForm::ReadDefinition(const std::string& text) {
    ReadFormDefinition(*this, text);
    DoCreate();
    // A form made visible by its definition shows once it is created.
    if (Visible())
        ShowForm(true);
}

void TCustomForm::DoCreate() {
    try {
        OnCreate(this);
    } catch (...) {
        if (Application)
            Application->HandleException(this, std::current_exception());
        else
            throw;
    }
}
