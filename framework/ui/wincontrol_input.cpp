// TWinControl: message handling — painting, mouse routing to windowless
// children, keyboard and dialog keys, focus and tab order, reflection.
#include "framework/ui/wincontrol.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/gdi/color.h"
#include "framework/gdi/paint_scope.h"
#include "framework/ui/form.h"

// The handler table: window state, framework notifications, keyboard and
// focus, reflection, then mouse routing; the rest goes to TControl.
void TWinControl::WndProc(TMessage& msg) {
    if (HandleWindowState(msg) || HandleNotification(msg) || HandleKeyboard(msg))
        return;
    if (msg.Msg >= WM_MOUSEFIRST && msg.Msg <= WM_MOUSELAST) {
        HandleMouseRouting(msg);
        return;
    }
    TControl::WndProc(msg);
}

// Painting, background, bounds, text and cursor of the window itself.
bool TWinControl::HandleWindowState(TMessage& msg) {
    switch (msg.Msg) {
    case WM_PAINT:
        PaintHandler(msg);
        return true;
    case WM_PRINTCLIENT: {
        // Painting into a DC someone else owns (a parent background, a snapshot).
        if (msg.LParam & PRF_ERASEBKGND)
            Perform(WM_ERASEBKGND, msg.WParam, static_cast<LPARAM>(msg.WParam));
        TMessage paint{WM_PAINT, msg.WParam, 0, 0};
        PaintHandler(paint);
        return true;
    }
    case WM_ERASEBKGND:
        EraseBackground(msg);
        return true;
    case WM_WINDOWPOSCHANGED: {
        const int oldW = width_, oldH = height_;
        DefaultHandler(msg);
        UpdateBoundsFromWindow();
        if (oldW != width_ || oldH != height_)
            Realign();
        if (parent_ && !parent_->aligning_ && Align() != alNone)
            RequestAlign();
        return true;
    }
    case WM_SETTEXT:
        DefaultHandler(msg);
        if (msg.LParam)
            TControl::SetCaption(reinterpret_cast<const wchar_t*>(msg.LParam));
        return true;
    case WM_SETCURSOR:
        if (!HandleSetCursor(msg))
            DefaultHandler(msg);
        return true;
    case WM_MOUSELEAVE: {
        tracking_ = false;
        TControl* mc = TControl::MouseControl();
        if (mc == this || (mc && mc->Parent() == this && !dynamic_cast<TWinControl*>(mc)))
            TControl::SetMouseControl(nullptr);
        return true;
    }
    case WM_CAPTURECHANGED:
        captureControl_ = nullptr;
        DefaultHandler(msg);
        return true;
    default:
        return false;
    }
}

// Framework notifications (state changes pushed to the window) and reflection.
bool TWinControl::HandleNotification(TMessage& msg) {
    switch (msg.Msg) {
    case CM_TEXTCHANGED:
        if (handle_)
            SetWindowTextW(handle_, Caption().c_str());
        return true;
    case CM_ENABLEDCHANGED:
        if (handle_)
            EnableWindow(handle_, Enabled());
        Invalidate();
        return true;
    case CM_VISIBLECHANGED:
        UpdateShowing();
        return true;
    case CM_FONTCHANGED: {
        if (handle_)
            SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
        Invalidate();
        TMessage m{CM_PARENTFONTCHANGED, 0, 0, 0};
        Broadcast(m);
        return true;
    }
    case CM_COLORCHANGED: {
        Invalidate();
        TMessage m{CM_PARENTCOLORCHANGED, 0, 0, 0};
        Broadcast(m);
        return true;
    }
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
    case CM_FOCUSCHANGED:
        Broadcast(msg);
        return true;
    case CM_ENTER:
        OnEnter(this);
        return true;
    case CM_EXIT:
        OnExit(this);
        return true;
    default:
        if (!IsReflectedNotification(CN_BASE + msg.Msg))
            return false;
        if (!ReflectNotification(msg))
            DefaultHandler(msg);
        return true;
    }
}

// Focus, key events and the dialog-key pass before delivery.
bool TWinControl::HandleKeyboard(TMessage& msg) {
    switch (msg.Msg) {
    case WM_SETFOCUS:
        DefaultHandler(msg);
        if (TCustomForm* form = ParentForm(); form && form != this)
            form->SetFocusedControl(this);
        return true;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (!DoKeyDown(msg))
            DefaultHandler(msg);
        return true;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (!DoKeyUp(msg))
            DefaultHandler(msg);
        return true;
    case WM_CHAR:
        if (!DoKeyPress(msg))
            DefaultHandler(msg);
        return true;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
    case CN_CHAR:
    case CN_SYSCHAR:
        HandleKeyReflection(msg);
        return true;
    default:
        return false;
    }
}

// Fills the client area with Color; system controls erase their own way. A
// double-buffered window leaves the screen erase that precedes its paint
// undone (the buffer covers the whole area); an erase into a memory DC, or
// one that names its DC in both parameters (an explicit request), is done.
void TWinControl::EraseBackground(TMessage& msg) {
    const HDC dc = reinterpret_cast<HDC>(msg.WParam);
    if (doubleBuffered_ && msg.WParam != static_cast<WPARAM>(msg.LParam) &&
        GetObjectType(dc) != OBJ_MEMDC) {
        msg.Result = 1;
        return;
    }
    if (DefWndProc() && DefWndProc() != DefWindowProcW) {
        DefaultHandler(msg);
        return;
    }
    RECT r = ClientRect();
    const TBrushHandle brush(CreateSolidBrush(ColorToRGB(Color())));
    FillRect(dc, &r, brush.Get());
    msg.Result = 1;
}

// The child window a notification comes from: by the window it names, or for
// WM_MEASUREITEM (which names none) by its control identifier. Null for menus.
HWND TWinControl::NotificationSource(const TMessage& msg) const {
    switch (msg.Msg) {
    case WM_NOTIFY:
        return reinterpret_cast<const NMHDR*>(msg.LParam)->hwndFrom;
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(msg.LParam);
        return dis->CtlType == ODT_MENU ? nullptr : dis->hwndItem;
    }
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<const MEASUREITEMSTRUCT*>(msg.LParam);
        return mis->CtlType == ODT_MENU || !handle_
                   ? nullptr
                   : GetDlgItem(handle_, static_cast<int>(mis->CtlID));
    }
    case WM_COMPAREITEM:
        return reinterpret_cast<const COMPAREITEMSTRUCT*>(msg.LParam)->hwndItem;
    case WM_DELETEITEM:
        return reinterpret_cast<const DELETEITEMSTRUCT*>(msg.LParam)->hwndItem;
    default:
        // WM_COMMAND, WM_HSCROLL/WM_VSCROLL and WM_CTLCOLOR* carry the child in LParam
        // (null for menus, accelerators and a window's own scroll bars).
        return reinterpret_cast<HWND>(msg.LParam);
    }
}

// Sends a notification back to the framework child it came from as CN_*; the
// child's answer is the answer. False when no framework child sent it.
bool TWinControl::ReflectNotification(TMessage& msg) {
    HWND child = NotificationSource(msg);
    TWinControl* control = child ? FindControl(child) : nullptr;
    if (!control || control == this)
        return false;
    msg.Result = control->Perform(CN_BASE + msg.Msg, msg.WParam, msg.LParam);
    return true;
}

// Dialog keys and accelerators, offered before the key message is delivered.
void TWinControl::HandleKeyReflection(TMessage& msg) {
    msg.Result = 0;
    TCustomForm* form = ParentForm();
    if (!form)
        return;
    const WPARAM key = msg.WParam;
    if (msg.Msg == CN_KEYDOWN || msg.Msg == CN_SYSKEYDOWN) {
        // Menu shortcuts of the form come before anything else.
        if (form->IsShortCut(static_cast<WORD>(key), KeyboardShiftState())) {
            msg.Result = 1;
            return;
        }
        if (Perform(CM_CHILDKEY, key, reinterpret_cast<LPARAM>(this)) != 0) {
            msg.Result = 1;
            return;
        }
        LRESULT mask = 0;
        switch (key) {
        case VK_TAB:
            mask = DLGC_WANTTAB;
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            mask = DLGC_WANTARROWS;
            break;
        case VK_RETURN:
        case VK_EXECUTE:
        case VK_ESCAPE:
        case VK_CANCEL:
            mask = DLGC_WANTALLKEYS;
            break;
        }
        if (mask != 0 && Perform(CM_WANTSPECIALKEY, key, 0) == 0 &&
            (Perform(WM_GETDLGCODE, 0, 0) & mask) == 0 &&
            form->Perform(CM_DIALOGKEY, key, msg.LParam) != 0)
            msg.Result = 1;
        return;
    }
    if (msg.Msg == CN_CHAR) {
        if ((Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0 &&
            form->Perform(CM_DIALOGCHAR, key, msg.LParam) != 0)
            msg.Result = 1;
        return;
    }
    if (key != VK_SPACE)
        msg.Result = form->Perform(CM_DIALOGCHAR, key, msg.LParam);
}

bool TWinControl::DoKeyDown(TMessage& msg) {
    TCustomForm* form = ParentForm();
    if (form && form != this && form->KeyPreview() && form->DoKeyDown(msg))
        return true;
    WORD key = static_cast<WORD>(msg.WParam);
    if (key != 0)
        KeyDown(key, KeyboardShiftState());
    msg.WParam = key;
    return key == 0;
}

bool TWinControl::DoKeyUp(TMessage& msg) {
    TCustomForm* form = ParentForm();
    if (form && form != this && form->KeyPreview() && form->DoKeyUp(msg))
        return true;
    WORD key = static_cast<WORD>(msg.WParam);
    if (key != 0)
        KeyUp(key, KeyboardShiftState());
    msg.WParam = key;
    return key == 0;
}

bool TWinControl::DoKeyPress(TMessage& msg) {
    TCustomForm* form = ParentForm();
    if (form && form != this && form->KeyPreview() && form->DoKeyPress(msg))
        return true;
    auto ch = static_cast<wchar_t>(msg.WParam);
    if (ch != 0)
        KeyPress(ch);
    msg.WParam = ch;
    return ch == 0;
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
    OnKeyDown(this, key, shift);
}
void TWinControl::KeyUp(WORD& key, TShiftState shift) {
    OnKeyUp(this, key, shift);
}
void TWinControl::KeyPress(wchar_t& key) {
    OnKeyPress(this, key);
}

// Mouse messages over windowless children go to them (in their coordinates).
void TWinControl::HandleMouseRouting(TMessage& msg) {
    POINT p{GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)};
    if (msg.Msg == WM_MOUSEWHEEL) {
        TControl::WndProc(msg);
        return;
    }
    TControl* target = captureControl_;
    if (!target) {
        target = ControlAtPos(p);
        if (target && dynamic_cast<TWinControl*>(target))
            target = nullptr;
    }
    if (msg.Msg == WM_MOUSEMOVE) {
        if (!tracking_ && handle_) {
            TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, handle_, 0};
            tracking_ = TrackMouseEvent(&tme) != FALSE;
        }
        TControl::SetMouseControl(target ? target : this);
    }
    if (!target) {
        TControl::WndProc(msg);
        return;
    }
    const bool down = msg.Msg == WM_LBUTTONDOWN || msg.Msg == WM_RBUTTONDOWN ||
                      msg.Msg == WM_MBUTTONDOWN || msg.Msg == WM_LBUTTONDBLCLK;
    const bool up = msg.Msg == WM_LBUTTONUP || msg.Msg == WM_RBUTTONUP || msg.Msg == WM_MBUTTONUP;
    if (down) {
        captureControl_ = target;
        SetCapture(handle_);
    }
    msg.Result =
        target->Perform(msg.Msg, msg.WParam, MAKELPARAM(p.x - target->Left(), p.y - target->Top()));
    if (up && (msg.WParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0) {
        captureControl_ = nullptr;
        if (GetCapture() == handle_)
            ReleaseCapture();
    }
}

// The cursor of the control under the mouse, when it has one of its own.
bool TWinControl::HandleSetCursor(TMessage& msg) {
    if (LOWORD(msg.LParam) != HTCLIENT || reinterpret_cast<HWND>(msg.WParam) != handle_)
        return false;
    POINT p;
    GetCursorPos(&p);
    p = ScreenToClient(p);
    TControl* c = ControlAtPos(p);
    if (!c || dynamic_cast<TWinControl*>(c))
        c = this;
    LPCWSTR id = nullptr;
    switch (c->Cursor()) {
    case crArrow:
        id = IDC_ARROW;
        break;
    case crHandPoint:
        id = IDC_HAND;
        break;
    case crIBeam:
        id = IDC_IBEAM;
        break;
    default:
        return false;
    }
    ::SetCursor(LoadCursorW(nullptr, id));
    msg.Result = 1;
    return true;
}

// One paint path: a DC in WParam paints into it; otherwise a paint scope,
// through an off-screen buffer when double buffering is on (system controls
// included: they paint into a DC they are given). The buffered paint goes
// through the message method again with the buffer's DC, so what a hook
// draws after the control's own painting lands in the buffer too.
void TWinControl::PaintHandler(TMessage& msg) {
    const bool native = DefWndProc() && DefWndProc() != DefWindowProcW;
    bool hasGraphic = std::any_of(controls_.begin(), controls_.end(),
                                  [](TControl* c) { return !dynamic_cast<TWinControl*>(c); });
    if (native && !hasGraphic && (msg.WParam || !doubleBuffered_)) {
        DefaultHandler(msg);
        return;
    }
    HDC dc = reinterpret_cast<HDC>(msg.WParam);
    if (dc) {
        PaintWindow(dc);
        PaintControls(dc);
        return;
    }
    const TPaintScope paint(handle_);
    if (doubleBuffered_) {
        const TBufferScope buffer(paint.DC(), paint.Area());
        if (buffer.Valid()) {
            const auto mem = reinterpret_cast<WPARAM>(buffer.DC());
            Perform(WM_ERASEBKGND, mem, static_cast<LPARAM>(mem));
            Perform(WM_PAINT, mem, 0);
            buffer.Present();
            return;
        }
    }
    PaintWindow(paint.DC());
    PaintControls(paint.DC());
}

void TWinControl::PaintWindow(HDC dc) {
    if (DefWndProc() && DefWndProc() != DefWindowProcW) {
        TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
        DefaultHandler(m);
    }
}

// Windowless children paint on this window's DC, each moved to its own origin and clipped.
void TWinControl::PaintControls(HDC dc) {
    for (TControl* c : controls_) {
        if (dynamic_cast<TWinControl*>(c) || !c->Visible() || c->Width() <= 0 || c->Height() <= 0)
            continue;
        RECT r = c->BoundsRect();
        if (!RectVisible(dc, &r))
            continue;
        const TSaveDC state(dc);
        POINT org;
        GetViewportOrgEx(dc, &org);
        SetViewportOrgEx(dc, org.x + c->Left(), org.y + c->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
}

int TWinControl::TabOrder() const {
    if (!parent_)
        return -1;
    const auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

// While a definition is read the requested orders are kept and sorted once all
// are known; at run time the control moves to that place and the rest follow.
void TWinControl::SetTabOrder(int order) {
    tabOrderRequest_ = order;
    if (!parent_)
        return;
    if (HasState(csLoading) || HasState(csReading)) {
        parent_->SortTabList();
        return;
    }
    auto& list = parent_->tabList_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    order = std::clamp(order, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + order, this);
    for (size_t i = 0; i < list.size(); ++i)
        list[i]->tabOrderRequest_ = static_cast<int>(i);
}

void TWinControl::SortTabList() {
    std::stable_sort(tabList_.begin(), tabList_.end(), [](TWinControl* a, TWinControl* b) {
        if (a->tabOrderRequest_ != b->tabOrderRequest_)
            return a->tabOrderRequest_ < b->tabOrderRequest_;
        return a->tabSequence_ < b->tabSequence_;
    });
}

void TWinControl::SetTabStop(bool v) {
    if (v == tabStop_)
        return;
    tabStop_ = v;
    if (handle_) {
        LONG style = GetWindowLongW(handle_, GWL_STYLE);
        SetWindowLongW(handle_, GWL_STYLE, v ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* c : tabList_) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty())
        return nullptr;
    const int n = static_cast<int>(list.size());
    int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
    if (start == n)
        start = goForward ? n - 1 : 0;
    int i = start;
    for (int step = 0; step < n; ++step) {
        i = goForward ? (i + 1) % n : (i - 1 + n) % n;
        TWinControl* c = list[i];
        if (c == current && step != n - 1)
            continue;
        if ((!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this) &&
            c->CanFocus())
            return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
    TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop);
    if (next)
        next->SetFocus();
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

bool TWinControl::Focused() const {
    return handle_ && GetFocus() == handle_;
}

void TWinControl::SetFocus() {
    TCustomForm* form = ParentForm();
    if (form && form != this) {
        form->FocusControl(this);
        return;
    }
    if (CanFocus())
        ::SetFocus(Handle());
}
