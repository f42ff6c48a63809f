// TListBox, TComboBox and TScrollBar over the platform's controls.
#include "framework/stdctrls/std_lists.h"

#include <algorithm>

#include "framework/core/ansi.h"
#include "framework/core/class_builder.h"
#include "framework/stdctrls/std_comctl.h"
#include "framework/stdctrls/std_common.h"

TCustomListControl::TCustomListControl(TComponent* owner, const TListMessages& msgs)
    : TWinControl(owner), items_(msgs) {
    SetTabStop(true);
    SetColor(clWindow);
}

void TCustomListControl::Click() {
    if (!click_.Blocks())
        TWinControl::Click();
}

void TCustomListControl::NotifyClick() {
    TFlagScope scope(click_.notifying);
    Click();
}

void TCustomListControl::WndProc(TMessage& msg) {
    if (msg.Msg == WM_LBUTTONUP) {
        TFlagScope scope(click_.inMouseUp);
        TWinControl::WndProc(msg);
        return;
    }
    TWinControl::WndProc(msg);
}

TListBox::TListBox(TComponent* owner)
    : TCustomListControl(owner, {LB_RESETCONTENT, LB_ADDSTRING, LB_GETCURSEL, LB_SETCURSEL}),
      canvas_(std::make_unique<TCanvas>()) {
    SetBounds(0, 0, 121, 97);
}

TListBox::~TListBox() {
    // The window's last drawing requests come while the canvas exists.
    DestroyHandle();
}

void TListBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.superClass = L"LISTBOX";
    params.exStyle |= WS_EX_CLIENTEDGE;
    params.style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    if (style_ == lbOwnerDrawFixed)
        params.style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    else if (style_ == lbOwnerDrawVariable)
        params.style |= LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS;
}

void TListBox::CreateHandleDone() {
    if (style_ == lbOwnerDrawFixed)
        SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, itemHeight_);
    items_.Fill(Handle());
}

void TListBox::SetStyle(TListBoxStyle v) {
    if (v == style_)
        return;
    items_.Remember(Window());
    style_ = v;
    RecreateWindowOf(*this);
}

void TListBox::SetItemHeight(int v) {
    if (v <= 0 || v == itemHeight_)
        return;
    itemHeight_ = v;
    if (HandleAllocated() && style_ == lbOwnerDrawFixed) {
        SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, v);
        Invalidate();
    }
}

// Without a handler: the text on the selection or window colour.
void TListBox::DrawItem(int index, const RECT& rect, TOwnerDrawState state) {
    if (OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    TCanvas& c = *canvas_;
    c.FillRect(rect);
    if (index >= 0 && index < Items().Count())
        c.TextOut(rect.left + 2, rect.top, AnsiToWideText(Items()[index]));
}

void TListBox::DrawItemMessage(const DRAWITEMSTRUCT& dis) {
    TCanvas& c = *canvas_;
    c.SetHandle(dis.hDC);
    c.Font().Assign(Font());
    const bool selected = (dis.itemState & ODS_SELECTED) != 0;
    c.Brush().SetColor(selected ? clHighlight : Color());
    c.Font().SetColor(selected ? clHighlightText : Font().Color());
    DrawItem(static_cast<int>(dis.itemID), dis.rcItem, OwnerDrawStateOf(dis.itemState));
    if (dis.itemState & ODS_FOCUS)
        DrawFocusRect(dis.hDC, &dis.rcItem);
    c.SetHandle(nullptr);
}

void TListBox::WndProc(TMessage& msg) {
    switch (msg.Msg) {
    case CN_COMMAND:
        if (HIWORD(msg.WParam) == LBN_SELCHANGE) {
            NotifyClick();
            return;
        }
        break;
    case CN_DRAWITEM:
        DrawItemMessage(*reinterpret_cast<const DRAWITEMSTRUCT*>(msg.LParam));
        msg.Result = 1;
        return;
    case CN_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(msg.LParam);
        int height = itemHeight_;
        if (style_ == lbOwnerDrawVariable)
            OnMeasureItem(this, static_cast<int>(mis->itemID), height);
        mis->itemHeight = static_cast<UINT>(std::max(1, height));
        msg.Result = 1;
        return;
    }
    default:
        break;
    }
    TCustomListControl::WndProc(msg);
}

TComboBox::TComboBox(TComponent* owner)
    : TCustomListControl(owner, {CB_RESETCONTENT, CB_ADDSTRING, CB_GETCURSEL, CB_SETCURSEL}) {
    SetBounds(0, 0, 145, 21);
}

int TComboBox::ListHeight() const {
    return style_ == csSimple ? 0 : dropDownCount_ * 16 + 2;
}

void TComboBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.superClass = L"COMBOBOX";
    params.style |= CBS_AUTOHSCROLL | CBS_HASSTRINGS | WS_VSCROLL;
    params.style |= style_ == csSimple         ? CBS_SIMPLE
                    : style_ == csDropDownList ? CBS_DROPDOWNLIST
                                               : CBS_DROPDOWN;
    // The window's height includes the dropped-down list.
    params.height += ListHeight();
}

void TComboBox::CreateHandleDone() {
    items_.Fill(Handle());
    const int index = items_.Index(Handle());
    if (index < 0 && style_ != csDropDownList)
        SetWindowTextW(Handle(), Caption().c_str());
    else
        ShowLine(index);
}

// The closed height comes from the font; what is asked for is kept below as
// the list's room.
void TComboBox::SetBounds(int left, int top, int width, int height) {
    if (!HandleAllocated() || style_ == csSimple) {
        TWinControl::SetBounds(left, top, width, height);
        return;
    }
    if (left == Left() && top == Top() && width == Width() && height == Height())
        return;
    SetWindowPos(Handle(), nullptr, left, top, width, height + ListHeight(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// Choosing a line by program shows its text (no change event).
void TComboBox::SetItemIndex(int v) {
    items_.SetIndex(Window(), v);
    if (!HasState(csReading))
        ShowLine(v);
}

void TComboBox::ShowLine(int index) {
    if (index >= 0 && index < Items().Count())
        SyncCaption(AnsiToWideText(Items()[index]));
}

void TComboBox::SetStyle(TComboBoxStyle v) {
    if (v == style_)
        return;
    items_.Remember(Window());
    const int closed = Height();
    style_ = v;
    if (HandleAllocated()) {
        DestroyHandle();
        height_ = closed;
        HandleNeeded();
    }
}

void TComboBox::SetDropDownCount(int v) {
    dropDownCount_ = std::max(1, v);
    if (HandleAllocated() && style_ != csSimple)
        SetWindowPos(Handle(), nullptr, 0, 0, Width(), Height() + ListHeight(),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TComboBox::DroppedDown() const {
    return HandleAllocated() && SendMessageW(Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TComboBox::SetDroppedDown(bool v) {
    SendMessageW(Handle(), CB_SHOWDROPDOWN, v ? TRUE : FALSE, 0);
}

// The caption follows the window's text without writing it back.
void TComboBox::SyncCaption(const std::wstring& text) {
    TFlagScope scope(syncing_);
    SetCaption(text);
}

void TComboBox::Change() {
    OnChange(this);
}

void TComboBox::WndProc(TMessage& msg) {
    switch (msg.Msg) {
    case CN_COMMAND:
        switch (HIWORD(msg.WParam)) {
        case CBN_SELCHANGE: {
            ShowLine(ItemIndex());
            NotifyClick();
            Change();
            return;
        }
        case CBN_EDITCHANGE:
            SyncCaption(WindowTextOf(Handle()));
            Change();
            return;
        default:
            break;
        }
        break;
    case CM_TEXTCHANGED:
        if (syncing_)
            return;
        break;
    default:
        break;
    }
    TCustomListControl::WndProc(msg);
}

TScrollCode ScrollCodeOf(int sbCode) {
    switch (sbCode) {
    case SB_LINEUP:
        return scLineUp;
    case SB_LINEDOWN:
        return scLineDown;
    case SB_PAGEUP:
        return scPageUp;
    case SB_PAGEDOWN:
        return scPageDown;
    case SB_THUMBPOSITION:
        return scPosition;
    case SB_THUMBTRACK:
        return scTrack;
    case SB_TOP:
        return scTop;
    case SB_BOTTOM:
        return scBottom;
    default:
        return scEndScroll;
    }
}

int ScrollTarget(TScrollCode code, int position, int thumb, int min, int max, int pageSize,
                 int smallChange, int largeChange) {
    const int last = pageSize > 0 ? max - pageSize + 1 : max;
    int p = position;
    switch (code) {
    case scLineUp:
        p -= smallChange;
        break;
    case scLineDown:
        p += smallChange;
        break;
    case scPageUp:
        p -= largeChange;
        break;
    case scPageDown:
        p += largeChange;
        break;
    case scPosition:
    case scTrack:
        p = thumb;
        break;
    case scTop:
        p = min;
        break;
    case scBottom:
        p = last;
        break;
    case scEndScroll:
        break;
    }
    return std::clamp(p, min, std::max(min, last));
}

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
    SetTabStop(true);
    SetColor(clBtnFace);
}

void TScrollBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.superClass = L"SCROLLBAR";
    params.style |= kind_ == sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::CreateHandleDone() {
    UpdateWindow();
}

// Values read in any order are held to their range once all are known.
void TScrollBar::Loaded() {
    TWinControl::Loaded();
    SetParams(position_, min_, max_);
}

void TScrollBar::UpdateWindow() {
    if (!HandleAllocated())
        return;
    SCROLLINFO si{sizeof(si), SIF_ALL, min_, max_, static_cast<UINT>(pageSize_), position_, 0};
    SetScrollInfo(Handle(), SB_CTL, &si, TRUE);
}

// Turning the bar swaps its width and height (outside reading).
void TScrollBar::SetKind(TScrollBarKind v) {
    if (v == kind_)
        return;
    kind_ = v;
    if (!HasState(csReading) && !HasState(csLoading))
        SetBounds(Left(), Top(), Height(), Width());
    RecreateWindowOf(*this);
}

void TScrollBar::SetParams(int position, int min, int max) {
    if (HasState(csReading)) {
        position_ = position;
        min_ = min;
        max_ = max;
        return;
    }
    max = std::max(max, min);
    const int last = pageSize_ > 0 ? std::max(min, max - pageSize_ + 1) : max;
    position = std::clamp(position, min, last);
    const bool changed = position != position_;
    min_ = min;
    max_ = max;
    position_ = position;
    UpdateWindow();
    if (changed && !HasState(csLoading))
        Change();
}

void TScrollBar::SetPageSize(int v) {
    pageSize_ = std::clamp(v, 0, std::max(0, max_ - min_ + 1));
    if (!HasState(csReading))
        SetParams(position_, min_, max_);
}

void TScrollBar::Scroll(TScrollCode code, int& position) {
    OnScroll(this, code, position);
}

void TScrollBar::Change() {
    OnChange(this);
}

// A request from the bar: the handler may move the target; then it is taken.
void TScrollBar::ScrollRequest(const TMessage& msg) {
    const TScrollCode code = ScrollCodeOf(LOWORD(msg.WParam));
    SCROLLINFO si{sizeof(si), SIF_TRACKPOS, 0, 0, 0, 0, 0};
    GetScrollInfo(Handle(), SB_CTL, &si);
    int target = ScrollTarget(code, position_, si.nTrackPos, min_, max_, pageSize_, smallChange_,
                              largeChange_);
    Scroll(code, target);
    SetPosition(target);
}

void TScrollBar::WndProc(TMessage& msg) {
    if (msg.Msg == CN_HSCROLL || msg.Msg == CN_VSCROLL) {
        ScrollRequest(msg);
        msg.Result = 0;
        return;
    }
    TWinControl::WndProc(msg);
}

LT_CLASS_TABLE(TCustomListControl) {}

LT_CLASS_TABLE(TListBox) {
    c.Enum("Style", &TListBox::Style, &TListBox::SetStyle)
        .Default(lbStandard)
        .Integer("ItemHeight", &TListBox::ItemHeight, &TListBox::SetItemHeight)
        .Default(16)
        .Strings("Items", MutableList(&TListBox::Items), &TListBox::SetItems)
        .Integer("ItemIndex", &TListBox::ItemIndex, &TListBox::SetItemIndex)
        .Default(-1)
        .Event("OnDrawItem", &TListBox::OnDrawItem)
        .Event("OnMeasureItem", &TListBox::OnMeasureItem);
}

LT_CLASS_TABLE(TComboBox) {
    c.Enum("Style", &TComboBox::Style, &TComboBox::SetStyle)
        .Default(csDropDown)
        .Integer("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount)
        .Default(8)
        .Strings("Items", MutableList(&TComboBox::Items), &TComboBox::SetItems)
        .Integer("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex)
        .Default(-1)
        .String("Text", &TComboBox::Text, &TComboBox::SetText)
        .Event("OnChange", &TComboBox::OnChange);
}

LT_CLASS_TABLE(TScrollBar) {
    c.Enum("Kind", &TScrollBar::Kind, &TScrollBar::SetKind)
        .Default(sbHorizontal)
        .Integer("Min", &TScrollBar::Min, &TScrollBar::SetMin)
        .Default(0)
        .Integer("Max", &TScrollBar::Max, &TScrollBar::SetMax)
        .Default(100)
        .Integer("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize)
        .Default(0)
        .Integer("Position", &TScrollBar::Position, &TScrollBar::SetPosition)
        .Default(0)
        .Integer("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange)
        .Default(1)
        .Integer("LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange)
        .Default(1)
        .Event("OnScroll", &TScrollBar::OnScroll)
        .Event("OnChange", &TScrollBar::OnChange);
}
