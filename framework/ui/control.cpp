// TControl: state shared by windowed and windowless controls.
#include "framework/ui/control.h"

#include "framework/core/class_builder.h"
#include "framework/core/exception.h"

#include <windowsx.h>

#include "framework/ui/form.h"
#include "framework/ui/wincontrol.h"

namespace {
TControl* g_mouseControl = nullptr;
} // namespace

TShiftState KeyboardShiftState() {
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0)
        s.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0)
        s.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0)
        s.Include(ssAlt);
    return s;
}

TControl::TControl(TComponent* owner)
    : TComponent(owner), hooks_(std::make_shared<TMessageHooks>(&WindowProc)) {
    WindowProc = [this](TMessage& msg) { WndProc(msg); };
    font_.OnChange = [this](TGraphicsObject&) {
        if (!fontFromParent_)
            parentFont_ = false;
        Perform(CM_FONTCHANGED, 0, 0);
    };
}

TControl::~TControl() {
    if (g_mouseControl == this)
        g_mouseControl = nullptr;
    if (parent_)
        parent_->RemoveControl(this);
    // Hookers that outlive the control find the stack closed or gone.
    hooks_->Close();
    hooks_.reset();
}

void TControl::Dispatch(TMessage& msg) {
    if (hooks_)
        hooks_->Dispatch(msg);
    else if (WindowProc)
        WindowProc(msg);
}

LRESULT TControl::Perform(UINT msg, WPARAM wparam, LPARAM lparam) {
    TMessage m{msg, wparam, lparam, 0};
    Dispatch(m);
    return m.Result;
}

void TControl::HookMessages(TMessageHookKey key, TMessageHook hook) {
    if (hooks_)
        hooks_->Add(key, std::move(hook));
}

void TControl::UnhookMessages(TMessageHookKey key) {
    if (hooks_)
        hooks_->Remove(key);
}

bool TControl::MessagesHooked(TMessageHookKey key) const {
    return hooks_ && hooks_->Contains(key);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_)
        return;
    if (parent == this)
        throw EInvalidOperation(L"A control cannot have itself as its parent");
    if (parent_)
        parent_->RemoveControl(this);
    if (parent)
        parent->InsertControl(this);
}

TCustomForm* TControl::ParentForm() const {
    const TControl* c = this;
    while (c->parent_)
        c = c->parent_;
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Invalidate();
    BoundsChanged();
    RequestAlign();
}

int TControl::ClientWidth() const {
    RECT r = ClientRect();
    return r.right - r.left;
}

int TControl::ClientHeight() const {
    RECT r = ClientRect();
    return r.bottom - r.top;
}

void TControl::SetClientSize(int width, int height) {
    SetBounds(left_, top_, width, height);
}

POINT TControl::ClientToScreen(POINT p) const {
    if (!parent_)
        return p;
    return parent_->ClientToScreen(POINT{p.x + left_, p.y + top_});
}

POINT TControl::ScreenToClient(POINT p) const {
    if (!parent_)
        return p;
    POINT q = parent_->ScreenToClient(p);
    return POINT{q.x - left_, q.y - top_};
}

void TControl::SetAlign(TAlign align) {
    if (align == align_)
        return;
    align_ = align;
    RequestAlign();
}

void TControl::RequestAlign() {
    if (parent_)
        parent_->Realign();
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_)
        return;
    VisibleChanging();
    if (!visible)
        Invalidate();
    visible_ = visible;
    Perform(CM_VISIBLECHANGED, visible ? 1 : 0, 0);
    if (visible)
        Invalidate();
    RequestAlign();
}

bool TControl::Showing() const {
    return visible_ && parent_ && parent_->Showing();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetColor(TColor color) {
    if (color == color_)
        return;
    color_ = color;
    parentColor_ = false;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool v) {
    if (v == parentColor_)
        return;
    parentColor_ = v;
    if (v && parent_) {
        color_ = parent_->Color();
        Perform(CM_COLORCHANGED, 0, 0);
    }
}

void TControl::SetCaption(const std::wstring& text) {
    if (text == caption_)
        return;
    caption_ = text;
    TextChanged();
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool v) {
    parentFont_ = v;
    if (v)
        ApplyParentFont();
}

// Copies the parent's font without taking it as the control's own choice.
void TControl::ApplyParentFont() {
    if (!parent_)
        return;
    fontFromParent_ = true;
    try {
        font_.Assign(parent_->Font());
    } catch (...) {
        fontFromParent_ = false;
        throw;
    }
    fontFromParent_ = false;
}

void TControl::SetCursor(TCursor cursor) {
    if (cursor == cursor_)
        return;
    cursor_ = cursor;
    Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::Invalidate() {
    if (visible_ && parent_ && parent_->HandleAllocated()) {
        RECT r = BoundsRect();
        InvalidateRect(parent_->Handle(), &r, TRUE);
    }
}

void TControl::Update() {
    if (parent_)
        parent_->Update();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::BringToFront() {
    if (parent_)
        parent_->SetChildOrder(this, true);
}

void TControl::SendToBack() {
    if (parent_)
        parent_->SetChildOrder(this, false);
}

void TControl::Click() {
    if (OnClick)
        OnClick(this);
}

TControl* TControl::MouseControl() {
    return g_mouseControl;
}

void TControl::SetMouseControl(TControl* control) {
    if (control == g_mouseControl)
        return;
    TControl* old = g_mouseControl;
    g_mouseControl = control;
    if (old)
        old->Perform(CM_MOUSELEAVE, 0, 0);
    if (control && g_mouseControl == control)
        control->Perform(CM_MOUSEENTER, 0, 0);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

// Turns mouse messages into the mouse events, and a press and release inside into a click.
void TControl::HandleMouseMessage(TMessage& msg) {
    const int x = GET_X_LPARAM(msg.LParam), y = GET_Y_LPARAM(msg.LParam);
    TShiftState shift = KeyboardShiftState();
    if (msg.WParam & MK_LBUTTON)
        shift.Include(ssLeft);
    if (msg.WParam & MK_RBUTTON)
        shift.Include(ssRight);
    if (msg.WParam & MK_MBUTTON)
        shift.Include(ssMiddle);
    switch (msg.Msg) {
    case WM_MOUSEMOVE:
        MouseMove(shift, x, y);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        clicked_ = true;
        if (msg.Msg == WM_LBUTTONDBLCLK && OnDblClick)
            OnDblClick(this);
        MouseDown(mbLeft, shift, x, y);
        break;
    case WM_RBUTTONDOWN:
        MouseDown(mbRight, shift, x, y);
        break;
    case WM_MBUTTONDOWN:
        MouseDown(mbMiddle, shift, x, y);
        break;
    case WM_LBUTTONUP: {
        bool wasClicked = clicked_;
        clicked_ = false;
        MouseUp(mbLeft, shift, x, y);
        RECT r = ClientRect();
        if (wasClicked && PtInRect(&r, POINT{x, y}))
            Click();
        break;
    }
    case WM_RBUTTONUP:
        MouseUp(mbRight, shift, x, y);
        break;
    case WM_MBUTTONUP:
        MouseUp(mbMiddle, shift, x, y);
        break;
    }
}

void TControl::WndProc(TMessage& msg) {
    switch (msg.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        HandleMouseMessage(msg);
        DefaultHandler(msg);
        break;
    case CM_MOUSEENTER:
        mouseInControl_ = true;
        if (OnMouseEnter)
            OnMouseEnter(this);
        break;
    case CM_MOUSELEAVE:
        mouseInControl_ = false;
        if (OnMouseLeave)
            OnMouseLeave(this);
        break;
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        Invalidate();
        break;
    case CM_PARENTFONTCHANGED:
        if (parentFont_)
            ApplyParentFont();
        break;
    case CM_PARENTCOLORCHANGED:
        // Taken through SetColor, so that a windowed control passes the
        // colour on to its own children that follow it.
        if (parentColor_ && parent_) {
            SetColor(parent_->Color());
            parentColor_ = true;
        }
        break;
    default:
        DefaultHandler(msg);
    }
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* p = dynamic_cast<TWinControl*>(parent))
        SetParent(p);
}

TComponent* TControl::GetParentComponent() const {
    return parent_;
}
