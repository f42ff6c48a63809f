// Tool bar and tool buttons over the platform's tool bar; the scroll box.
#include "framework/stdctrls/std_toolbar.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/core/class_builder.h"
#include "framework/stdctrls/std_comctl.h"
#include "framework/ui/menus.h"

TCustomDrawState CustomDrawState(UINT itemState) {
    static const struct {
        UINT bit;
        TCustomDrawStateItem item;
    } map[] = {{CDIS_SELECTED, cdsSelected},
               {CDIS_GRAYED, cdsGrayed},
               {CDIS_DISABLED, cdsDisabled},
               {CDIS_CHECKED, cdsChecked},
               {CDIS_FOCUS, cdsFocused},
               {CDIS_DEFAULT, cdsDefault},
               {CDIS_HOT, cdsHot},
               {CDIS_MARKED, cdsMarked},
               {CDIS_INDETERMINATE, cdsIndeterminate}};
    TCustomDrawState state;
    for (const auto& m : map)
        if (itemState & m.bit)
            state.Include(m.item);
    return state;
}

// ---- tool button ----

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 23, 22);
}

TToolButton::~TToolButton() {
    if (toolBar_)
        toolBar_->RemoveButton(this);
}

void TToolButton::SetParent(TWinControl* parent) {
    if (parent == Parent())
        return;
    if (toolBar_)
        toolBar_->RemoveButton(this);
    TGraphicControl::SetParent(parent);
    if (auto* bar = dynamic_cast<TToolBar*>(parent))
        bar->InsertButton(this);
}

void TToolButton::SetImageIndex(int v) {
    imageIndex_ = v;
    if (toolBar_)
        toolBar_->UpdateButtons();
}

void TToolButton::SetStyle(TToolButtonStyle v) {
    style_ = v;
    if (toolBar_)
        toolBar_->UpdateButtons();
}

void TToolButton::SetDown(bool v) {
    down_ = v;
    if (toolBar_ && toolBar_->HandleAllocated())
        SendMessageW(toolBar_->Handle(), TB_CHECKBUTTON, commandId_, v ? TRUE : FALSE);
}

void TToolButton::SetMenuItem(TMenuItem* item) {
    if (menuItem_)
        menuItem_->RemoveFreeNotification(this);
    menuItem_ = item;
    if (menuItem_)
        menuItem_->FreeNotification(this);
}

void TToolButton::SetDropdownMenu(TPopupMenu* menu) {
    if (dropdownMenu_)
        dropdownMenu_->RemoveFreeNotification(this);
    dropdownMenu_ = menu;
    if (dropdownMenu_)
        dropdownMenu_->FreeNotification(this);
}

void TToolButton::Notification(TComponent* c, TOperation op) {
    TGraphicControl::Notification(c, op);
    if (op != opRemove)
        return;
    if (c == menuItem_)
        menuItem_ = nullptr;
    if (c == dropdownMenu_)
        dropdownMenu_ = nullptr;
}

// A button with a menu item does what the item does.
void TToolButton::Click() {
    if (menuItem_)
        menuItem_->Click();
    else
        TGraphicControl::Click();
}

void TToolButton::TextChanged() {
    if (toolBar_)
        toolBar_->UpdateButtons();
}

// ---- tool bar ----

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {
    EnsureCommonControls(ICC_BAR_CLASSES);
    SetBounds(0, 0, 150, 29);
    SetAlign(alTop);
}

TToolBar::~TToolBar() {
    for (TToolButton* b : buttons_)
        b->toolBar_ = nullptr;
    buttons_.clear();
    DestroyHandle();
}

void TToolBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.superClass = TOOLBARCLASSNAMEW;
    params.style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | (flat_ ? TBSTYLE_FLAT : 0);
    params.classStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TToolBar::CreateHandleDone() {
    SendMessageW(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(Handle(), TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    SetImages(images_);
}

void TToolBar::InsertButton(TToolButton* button) {
    button->toolBar_ = this;
    button->commandId_ = nextCommand_++;
    buttons_.push_back(button);
    UpdateButtons();
}

void TToolBar::RemoveButton(TToolButton* button) {
    button->toolBar_ = nullptr;
    buttons_.erase(std::remove(buttons_.begin(), buttons_.end(), button), buttons_.end());
    UpdateButtons();
}

TToolButton* TToolBar::FindButton(int commandId) const {
    for (TToolButton* b : buttons_)
        if (b->commandId_ == commandId)
            return b;
    return nullptr;
}

void TToolBar::UpdateButtons() {
    if (!HandleAllocated() || HasState(csDestroying))
        return;
    HWND wnd = Handle();
    while (SendMessageW(wnd, TB_DELETEBUTTON, 0, 0)) {
    }
    static const BYTE styles[] = {BTNS_BUTTON, BTNS_CHECK, BTNS_DROPDOWN, BTNS_SEP};
    for (TToolButton* b : buttons_) {
        TBBUTTON tb{};
        tb.iBitmap = b->style_ == tbsSeparator ? 8 : images_ ? b->imageIndex_ : I_IMAGENONE;
        tb.idCommand = b->commandId_;
        tb.fsState = static_cast<BYTE>((b->Enabled() ? TBSTATE_ENABLED : 0) |
                                       (b->down_ ? TBSTATE_CHECKED : 0));
        tb.fsStyle = styles[b->style_];
        tb.iString = showCaptions_ ? reinterpret_cast<INT_PTR>(b->Caption().c_str()) : -1;
        SendMessageW(wnd, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&tb));
    }
    // The buttons' bounds show where the platform put them.
    for (size_t i = 0; i < buttons_.size(); ++i) {
        RECT r{};
        if (SendMessageW(wnd, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r)))
            buttons_[i]->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
}

void TToolBar::SetFlat(bool v) {
    flat_ = v;
    if (HandleAllocated()) {
        DWORD style = GetWindowLongW(Handle(), GWL_STYLE) & ~TBSTYLE_FLAT;
        SetWindowLongW(Handle(), GWL_STYLE, static_cast<LONG>(style | (v ? TBSTYLE_FLAT : 0)));
        Invalidate();
    }
}

void TToolBar::SetShowCaptions(bool v) {
    showCaptions_ = v;
    UpdateButtons();
}

void TToolBar::SetImages(TImageList* images) {
    images_ = images;
    if (!HandleAllocated())
        return;
    SendMessageW(Handle(), TB_SETIMAGELIST, 0,
                 reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
    UpdateButtons();
}

void TToolBar::SetMenu(TMainMenu* menu) {
    if (menu_)
        menu_->RemoveFreeNotification(this);
    menu_ = menu;
    if (menu_)
        menu_->FreeNotification(this);
}

void TToolBar::Notification(TComponent* c, TOperation op) {
    TWinControl::Notification(c, op);
    if (op == opRemove && c == menu_)
        menu_ = nullptr;
}

// Asks for every button's drawing while OnCustomDrawButton is set; a handler
// that clears defaultDraw has drawn the button itself. One that leaves it
// has the text drawn in the colour it left the canvas's font in.
LRESULT TToolBar::CustomDraw(NMTBCUSTOMDRAW& toolDraw) {
    const NMCUSTOMDRAW& draw = toolDraw.nmcd;
    if (draw.dwDrawStage == CDDS_PREPAINT)
        return OnCustomDrawButton ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
    if (draw.dwDrawStage != CDDS_ITEMPREPAINT)
        return CDRF_DODEFAULT;
    TToolButton* button = FindButton(static_cast<int>(draw.dwItemSpec));
    if (!button)
        return CDRF_DODEFAULT;
    // The canvas lets go of the DC however the handler leaves.
    struct TBinding {
        TCanvas& canvas;
        ~TBinding() { canvas.SetHandle(nullptr); }
    } binding{canvas_};
    canvas_.SetHandle(draw.hdc);
    canvas_.Font().Assign(Font());
    bool defaultDraw = true;
    OnCustomDrawButton(this, button, CustomDrawState(draw.uItemState), defaultDraw);
    if (!defaultDraw)
        return CDRF_SKIPDEFAULT;
    toolDraw.clrText = ColorToRGB(canvas_.Font().Color());
    return CDRF_DODEFAULT;
}

void TToolBar::ButtonClicked(TToolButton* button) {
    if (button->style_ == tbsCheck)
        button->down_ = SendMessageW(Handle(), TB_ISBUTTONCHECKED, button->commandId_, 0) != 0;
    button->Click();
}

// The drop-down menu opens below the button.
void TToolBar::DropDown(TToolButton* button) {
    if (!button->dropdownMenu_)
        return;
    POINT p = ClientToScreen(POINT{button->Left(), button->Top() + button->Height()});
    button->dropdownMenu_->Popup(p.x, p.y);
}

void TToolBar::WndProc(TMessage& msg) {
    switch (msg.Msg) {
    case CN_COMMAND:
        if (TToolButton* b = FindButton(LOWORD(msg.WParam)))
            ButtonClicked(b);
        msg.Result = 0;
        return;
    case CN_NOTIFY: {
        const auto* hdr = reinterpret_cast<NMHDR*>(msg.LParam);
        msg.Result = 0;
        if (hdr->code == static_cast<UINT>(NM_CUSTOMDRAW))
            msg.Result = CustomDraw(*reinterpret_cast<NMTBCUSTOMDRAW*>(msg.LParam));
        else if (hdr->code == static_cast<UINT>(TBN_DROPDOWN)) {
            if (TToolButton* b = FindButton(reinterpret_cast<NMTOOLBARW*>(msg.LParam)->iItem))
                DropDown(b);
            msg.Result = TBDDRET_DEFAULT;
        }
        return;
    }
    case WM_PAINT:
        // The buttons have no painting of their own: the platform draws them.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
        DefaultHandler(msg);
        return;
    default:
        TWinControl::WndProc(msg);
    }
}

// ---- scroll box ----

int MaxScrollPosition(int range, int page) {
    return std::max(0, range - page);
}

int TControlScrollBar::Range() const {
    return box_ ? box_->ContentExtent(*this) : range_;
}

void TControlScrollBar::SetPosition(int v) {
    if (box_)
        box_->ScrollTo(*this, v);
    else
        position_ = v;
}

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TScrollBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.exStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::CreateHandleDone() {
    UpdateScrollBars();
}

void TScrollBox::AlignControls(RECT& rect) {
    TWinControl::AlignControls(rect);
    UpdateScrollBars();
}

// The children move as the view scrolls, so the content's origin is the
// current position back from the client origin.
int TScrollBox::ContentExtent(const TControlScrollBar& bar) const {
    int extent = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Visible())
            extent = std::max(extent, &bar == &horz_ ? c->Left() + c->Width() + bar.position_
                                                     : c->Top() + c->Height() + bar.position_);
    }
    return extent;
}

void TScrollBox::UpdateScrollBars() {
    if (updating_ || !HandleAllocated())
        return;
    updating_ = true;
    horz_.range_ = ContentExtent(horz_);
    vert_.range_ = ContentExtent(vert_);
    for (TControlScrollBar* bar : {&vert_, &horz_}) {
        RECT client{};
        GetClientRect(Handle(), &client);
        const int page = bar == &horz_ ? client.right : client.bottom;
        SCROLLINFO si{sizeof(si),
                      SIF_RANGE | SIF_PAGE | SIF_POS,
                      0,
                      bar->range_ - 1,
                      static_cast<UINT>(std::max(0, page)),
                      bar->position_,
                      0};
        SetScrollInfo(Handle(), bar->bar_, &si, TRUE);
    }
    updating_ = false;
    // Showing a bar shrinks the client area: clamp what no longer fits.
    for (TControlScrollBar* bar : {&vert_, &horz_}) {
        RECT client{};
        GetClientRect(Handle(), &client);
        const int page = bar == &horz_ ? client.right : client.bottom;
        if (bar->position_ > MaxScrollPosition(bar->range_, page))
            ScrollTo(*bar, bar->position_);
    }
}

void TScrollBox::ScrollTo(TControlScrollBar& bar, int pos) {
    if (!HandleAllocated()) {
        bar.position_ = std::max(0, pos);
        return;
    }
    RECT client{};
    GetClientRect(Handle(), &client);
    const int page = &bar == &horz_ ? client.right : client.bottom;
    pos = std::clamp(pos, 0, MaxScrollPosition(bar.range_, page));
    const int delta = bar.position_ - pos;
    if (delta == 0)
        return;
    bar.position_ = pos;
    updating_ = true;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (&bar == &horz_)
            c->SetBounds(c->Left() + delta, c->Top(), c->Width(), c->Height());
        else
            c->SetBounds(c->Left(), c->Top() + delta, c->Width(), c->Height());
    }
    updating_ = false;
    SetScrollPos(Handle(), bar.bar_, pos, TRUE);
    Invalidate();
}

void TScrollBox::ScrollMessage(TControlScrollBar& bar, WORD code) {
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(Handle(), bar.bar_, &si);
    int pos = bar.position_;
    switch (code) {
    case SB_LINEUP:
        pos -= bar.increment_;
        break;
    case SB_LINEDOWN:
        pos += bar.increment_;
        break;
    case SB_PAGEUP:
        pos -= static_cast<int>(si.nPage);
        break;
    case SB_PAGEDOWN:
        pos += static_cast<int>(si.nPage);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        pos = si.nTrackPos;
        break;
    case SB_TOP:
        pos = 0;
        break;
    case SB_BOTTOM:
        pos = bar.range_;
        break;
    default:
        return;
    }
    ScrollTo(bar, pos);
}

// The box's own scroll bars report to the box itself (no control sends them).
void TScrollBox::WndProc(TMessage& msg) {
    if ((msg.Msg == WM_HSCROLL || msg.Msg == WM_VSCROLL) && msg.LParam == 0) {
        ScrollMessage(msg.Msg == WM_HSCROLL ? horz_ : vert_, LOWORD(msg.WParam));
        msg.Result = 0;
        return;
    }
    // A moved child uncovers part of the box: the ranges are brought up to
    // date before it repaints (windowed children do not report their moves).
    if (msg.Msg == WM_PAINT)
        UpdateScrollBars();
    TWinControl::WndProc(msg);
}

LT_CLASS_TABLE(TToolButton) {
    c.Integer("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex)
        .Default(-1)
        .Enum("Style", &TToolButton::Style, &TToolButton::SetStyle)
        .Default(tbsButton)
        .Boolean("Down", &TToolButton::Down, &TToolButton::SetDown)
        .Default(false)
        .Object("MenuItem", &TToolButton::MenuItem, &TToolButton::SetMenuItem)
        .Object("DropdownMenu", &TToolButton::DropdownMenu, &TToolButton::SetDropdownMenu);
}

LT_CLASS_TABLE(TToolBar) {
    c.Boolean("Flat", &TToolBar::Flat, &TToolBar::SetFlat)
        .Default(false)
        .Boolean("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions)
        .Default(false)
        .Object("Menu", &TToolBar::Menu, &TToolBar::SetMenu)
        .Event("OnCustomDrawButton", &TToolBar::OnCustomDrawButton);
}

LT_CLASS_TABLE(TControlScrollBar) {
    c.Integer("Position", &TControlScrollBar::Position, &TControlScrollBar::SetPosition)
        .Default(0)
        .Integer("Increment", &TControlScrollBar::Increment, &TControlScrollBar::SetIncrement)
        .Default(8);
}

LT_CLASS_TABLE(TScrollBox) {
    c.SubObject("HorzScrollBar", [](TScrollBox& b) {
         return &b.HorzScrollBar();
     }).SubObject("VertScrollBar", [](TScrollBox& b) { return &b.VertScrollBar(); });
}
