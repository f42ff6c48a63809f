// TWinControl: window lifetime, children, bounds and alignment.
#include "framework/ui/wincontrol.h"
#include "framework/ui/ui_errors.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "framework/core/exception.h"
#include "framework/ui/ui_window_class.h"

namespace {

std::unordered_map<HWND, TWinControl*>& WindowMap() {
    static std::unordered_map<HWND, TWinControl*> map;
    return map;
}

// The control whose window is being created, and the default procedure of its
// class: the first message of the new window picks them up.
thread_local TWinControl* t_creating = nullptr;
thread_local WNDPROC t_creatingDefProc = nullptr;

std::wstring Widen(const std::string& s) {
    std::wstring w;
    for (char ch : s)
        w.push_back(static_cast<unsigned char>(ch));
    return w;
}

// An identifier no child of `parent` has yet. Identifiers start above the
// dialog command range (IDOK..IDCONTINUE) and stay below 0x8000, so that the
// 16 bits of WM_COMMAND hold them.
UINT FreeChildId(HWND parent) {
    constexpr UINT first = 0x100, last = 0x7FFF;
    static UINT next = first;
    for (UINT tries = 0; tries <= last - first; ++tries) {
        const UINT id = next;
        next = next == last ? first : next + 1;
        if (!parent || !GetDlgItem(parent, static_cast<int>(id)))
            return id;
    }
    return 0;
}

} // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner), window_(this) {}

TWinControl::~TWinControl() {
    SetStateFlag(csDestroying, true);
    DestroyHandle();
    // Children go with their parent; each leaves its owner's list as it goes.
    while (!controls_.empty()) {
        TControl* child = controls_.back();
        RemoveControl(child);
        delete child;
    }
}

TWinControl* TWinControl::FindControl(HWND wnd) {
    auto it = WindowMap().find(wnd);
    return it == WindowMap().end() ? nullptr : it->second;
}

int TWinControl::LiveWindowCount() {
    return static_cast<int>(WindowMap().size());
}

HWND TWinControl::Handle() {
    if (!handle_)
        CreateWnd();
    return handle_;
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.caption = Caption();
    params.style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (Visible())
        params.style |= WS_VISIBLE;
    if (!Enabled())
        params.style |= WS_DISABLED;
    if (tabStop_)
        params.style |= WS_TABSTOP;
    params.x = left_;
    params.y = top_;
    params.width = width_;
    params.height = height_;
    params.winClassName = Widen(ClassName());
}

// Registers the class on first use and creates the window, then the children's.
void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    if (parent_)
        params.wndParent = parent_->Handle();
    else if ((params.style & WS_CHILD) && !params.wndParent)
        throw EInvalidOperation(L"Control '" + Widen(Name()) + L"' has no parent window");
    if (handle_)
        return; // the parent's creation made ours already
    WNDPROC defProc = RegisterControlClass(params, &TWinControl::InitialWndProc);
    // A child window's identifier names it to its parent (WM_MEASUREITEM carries nothing else).
    HMENU menuOrId = nullptr;
    if ((params.style & WS_CHILD) && !(params.exStyle & WS_EX_MDICHILD))
        menuOrId = reinterpret_cast<HMENU>(
            static_cast<UINT_PTR>(params.id ? params.id : FreeChildId(params.wndParent)));
    t_creating = this;
    t_creatingDefProc = defProc;
    HWND wnd = nullptr;
    try {
        wnd = CreateWindowHandle(params, menuOrId);
    } catch (...) {
        t_creating = nullptr;
        throw;
    }
    t_creating = nullptr;
    if (!wnd || !handle_) {
        if (wnd)
            DestroyWindow(wnd);
        throw EOutOfResources(L"Error creating window");
    }
    UpdateBoundsFromWindow();
    for (TControl* child : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(child))
            w->HandleNeeded();
    SortTabList();
    CreateHandleDone();
    Realign();
}

HWND TWinControl::CreateWindowHandle(const TCreateParams& params, HMENU menuOrId) {
    return CreateWindowExW(params.exStyle, params.winClassName.c_str(), params.caption.c_str(),
                           params.style, params.x, params.y, params.width, params.height,
                           params.wndParent, menuOrId, GetModuleHandleW(nullptr), params.param);
}

// The class procedure: binds the new window to its control on its first message.
LRESULT CALLBACK TWinControl::InitialWndProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    TWinControl* control = t_creating;
    if (!control)
        return DefWindowProcW(wnd, msg, wparam, lparam);
    t_creating = nullptr;
    control->handle_ = wnd;
    WindowMap()[wnd] = control;
    control->window_.Attach(wnd, t_creatingDefProc, TProcCharset::Unicode);
    return CallWindowProcW(control->window_.ThunkProc(), wnd, msg, wparam, lparam);
}

void TWinControl::DestroyHandle() {
    if (!handle_)
        return;
    DestroyWnd();
}

void TWinControl::DestroyWnd() {
    if (handle_ && IsWindow(handle_))
        DestroyWindow(handle_);
    // A window destroyed from outside already let go in OnFinalMessage.
    if (handle_) {
        WindowMap().erase(handle_);
        handle_ = nullptr;
    }
}

void TWinControl::TControlWindow::WindowMessage(TMessage& msg) {
    owner_->Dispatch(msg);
}

void TWinControl::TControlWindow::OnFinalMessage(HWND wnd) {
    WindowMap().erase(wnd);
    if (owner_->handle_ == wnd)
        owner_->handle_ = nullptr;
    owner_->tracking_ = false;
}

// A reflected notification the child did not answer gets what the parent's
// own default would have given (the colour brush, a zero), as if never reflected.
void TWinControl::DefaultHandler(TMessage& msg) {
    if (IsReflectedNotification(msg.Msg)) {
        TMessage original{msg.Msg - CN_BASE, msg.WParam, msg.LParam, 0};
        if (parent_)
            parent_->DefaultHandler(original);
        msg.Result = original.Result;
        return;
    }
    if (handle_)
        window_.CallPrevious(msg);
}

void TWinControl::InsertControl(TControl* control) {
    controls_.push_back(control);
    control->parent_ = this;
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        w->tabSequence_ = tabSequence_++;
        if (w->tabOrderRequest_ < 0)
            w->tabOrderRequest_ = static_cast<int>(tabList_.size());
        tabList_.push_back(w);
        SortTabList();
        if (handle_)
            w->HandleNeeded();
    }
    if (control->ParentColor())
        control->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    if (control->ParentFont())
        control->Perform(CM_PARENTFONTCHANGED, 0, 0);
    control->Invalidate();
    Realign();
}

void TWinControl::RemoveControl(TControl* control) {
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end())
        return;
    control->Invalidate();
    if (captureControl_ == control)
        captureControl_ = nullptr;
    if (TControl::MouseControl() == control)
        TControl::SetMouseControl(nullptr);
    controls_.erase(it);
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), w), tabList_.end());
        // A windowed child leaves with its window; it is made again under a new parent.
        if (!HasState(csDestroying))
            w->DestroyHandle();
    }
    control->parent_ = nullptr;
    if (!HasState(csDestroying))
        Realign();
}

void TWinControl::SetChildOrder(TControl* control, bool toFront) {
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end())
        return;
    controls_.erase(it);
    if (toFront)
        controls_.push_back(control);
    else
        controls_.insert(controls_.begin(), control);
    if (auto* w = dynamic_cast<TWinControl*>(control); w && w->handle_)
        SetWindowPos(w->handle_, toFront ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    control->Invalidate();
    Realign();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    if (handle_) {
        // WM_WINDOWPOSCHANGED brings the fields up to date and realigns.
        SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    BoundsChanged();
    Realign();
    RequestAlign();
}

// Reads the window's rectangle into Left/Top/Width/Height (parent coordinates for children).
void TWinControl::UpdateBoundsFromWindow() {
    if (!handle_)
        return;
    RECT r;
    GetWindowRect(handle_, &r);
    if (GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD) {
        HWND parent = GetParent(handle_);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    }
    left_ = r.left;
    top_ = r.top;
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
}

RECT TWinControl::ClientRect() const {
    RECT r{0, 0, width_, height_};
    if (handle_)
        GetClientRect(handle_, &r);
    return r;
}

void TWinControl::SetClientSize(int width, int height) {
    RECT c = ClientRect();
    SetBounds(left_, top_, width_ - (c.right - c.left) + width,
              height_ - (c.bottom - c.top) + height);
}

POINT TWinControl::ClientToScreen(POINT p) const {
    if (handle_) {
        ::ClientToScreen(handle_, &p);
        return p;
    }
    return TControl::ClientToScreen(p);
}

POINT TWinControl::ScreenToClient(POINT p) const {
    if (handle_) {
        ::ScreenToClient(handle_, &p);
        return p;
    }
    return TControl::ScreenToClient(p);
}

bool TWinControl::Showing() const {
    if (!Visible())
        return false;
    if (parent_)
        return parent_->Showing();
    return handle_ && IsWindowVisible(handle_);
}

void TWinControl::Invalidate() {
    if (handle_)
        InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Update() {
    if (handle_)
        UpdateWindow(handle_);
}

// Shows or hides the window of a child to match Visible.
void TWinControl::UpdateShowing() {
    if (!handle_)
        return;
    ShowWindow(handle_, Visible() ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::EnableAlign() {
    if (alignDisabled_ > 0 && --alignDisabled_ == 0)
        Realign();
}

void TWinControl::Realign() {
    if (alignDisabled_ > 0 || aligning_ || HasState(csDestroying))
        return;
    aligning_ = true;
    RECT r = ClientRect();
    try {
        AlignControls(r);
    } catch (...) {
        aligning_ = false;
        throw;
    }
    aligning_ = false;
}

// Top, bottom, left, right, then client-aligned children, each in child order.
void TWinControl::AlignControls(RECT& rect) {
    static const TAlign order[] = {alTop, alBottom, alLeft, alRight, alClient};
    for (TAlign align : order) {
        for (TControl* c : controls_) {
            if (c->Align() != align || !c->Visible())
                continue;
            const int w = std::max<LONG>(0, rect.right - rect.left);
            const int h = std::max<LONG>(0, rect.bottom - rect.top);
            switch (align) {
            case alTop:
                c->SetBounds(rect.left, rect.top, w, c->Height());
                rect.top += c->Height();
                break;
            case alBottom:
                c->SetBounds(rect.left, rect.bottom - c->Height(), w, c->Height());
                rect.bottom -= c->Height();
                break;
            case alLeft:
                c->SetBounds(rect.left, rect.top, c->Width(), h);
                rect.left += c->Width();
                break;
            case alRight:
                c->SetBounds(rect.right - c->Width(), rect.top, c->Width(), h);
                rect.right -= c->Width();
                break;
            default:
                c->SetBounds(rect.left, rect.top, w, h);
                break;
            }
        }
    }
}

void TWinControl::Broadcast(TMessage& msg) {
    // A copy: a handler may add or remove children.
    std::vector<TControl*> children = controls_;
    for (TControl* c : children) {
        c->Dispatch(msg);
        if (msg.Result != 0)
            return;
    }
}

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        RECT r = c->BoundsRect();
        if (c->Visible() && (allowDisabled || c->Enabled()) && PtInRect(&r, p))
            return c;
    }
    return nullptr;
}
