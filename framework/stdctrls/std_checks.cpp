// TCheckBox and TRadioButton over the platform's button; TGroupBox,
// TRadioGroup and TPanel drawn by themselves.
#include "framework/stdctrls/std_checks.h"

#include <algorithm>

#include "framework/core/ansi.h"
#include "framework/core/class_builder.h"
#include "framework/stdctrls/std_comctl.h"
#include "framework/stdctrls/std_paint.h"

namespace {
// The button style bit that puts the text left of the mark.
DWORD TextSideStyle(TAlignment a) {
    return a == taLeftJustify ? BS_LEFTTEXT : 0;
}

void SetStyleBit(HWND wnd, DWORD bit, bool on) {
    const LONG style = GetWindowLongW(wnd, GWL_STYLE);
    SetWindowLongW(wnd, GWL_STYLE, on ? (style | bit) : (style & ~bit));
    InvalidateRect(wnd, nullptr, TRUE);
}

// Height of a line of text in `font`.
int FontTextHeight(HFONT font) {
    TClientDC dc(nullptr);
    TSelectObject sel(dc.Handle(), font);
    SIZE s{};
    GetTextExtentPoint32W(dc.Handle(), L"0", 1, &s);
    return s.cy;
}
} // namespace

TCheckBoxState NextCheckState(TCheckBoxState s, bool allowGrayed) {
    switch (s) {
    case cbUnchecked:
        return allowGrayed ? cbGrayed : cbChecked;
    case cbChecked:
        return cbUnchecked;
    default:
        return cbChecked;
    }
}

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 97, 17);
}

// A three-state button that does not change by itself: the state is ours.
void TCheckBox::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.style |= BS_3STATE | TextSideStyle(alignment_);
}

void TCheckBox::CreateHandleDone() {
    SendMessageW(Handle(), BM_SETCHECK, state_, 0);
}

void TCheckBox::SetState(TCheckBoxState v) {
    if (v == state_)
        return;
    state_ = v;
    if (HandleAllocated())
        SendMessageW(Handle(), BM_SETCHECK, state_, 0);
    if (!HasState(csReading) && !HasState(csLoading))
        Click();
}

void TCheckBox::Clicked() {
    SetState(NextCheckState(state_, allowGrayed_));
}

void TCheckBox::SetAlignment(TAlignment v) {
    alignment_ = v;
    if (HandleAllocated())
        SetStyleBit(Handle(), BS_LEFTTEXT, v == taLeftJustify);
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.style |= BS_RADIOBUTTON | TextSideStyle(alignment_);
}

void TRadioButton::CreateHandleDone() {
    SendMessageW(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool v) {
    if (v == checked_)
        return;
    checked_ = v;
    if (HandleAllocated())
        SendMessageW(Handle(), BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!v)
        return;
    if (parent_) {
        for (int i = 0; i < parent_->ControlCount(); ++i) {
            auto* other = dynamic_cast<TRadioButton*>(parent_->Controls(i));
            if (other && other != this)
                other->SetChecked(false);
        }
    }
    if (!HasState(csReading) && !HasState(csLoading))
        Click();
}

void TRadioButton::SetAlignment(TAlignment v) {
    alignment_ = v;
    if (HandleAllocated())
        SetStyleBit(Handle(), BS_LEFTTEXT, v == taLeftJustify);
}

// The frame's top runs through the middle of the caption.
RECT GroupBoxFrameRect(SIZE client, int textHeight) {
    return RECT{0, textHeight / 2 - 1, client.cx, client.cy};
}

RECT GroupBoxContentRect(SIZE client, int textHeight) {
    return RECT{2, textHeight + 2, client.cx - 2, client.cy - 2};
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 185, 105);
    SetColor(clBtnFace);
}

int TCustomGroupBox::CaptionHeight() {
    return FontTextHeight(Font().Handle());
}

void TCustomGroupBox::AlignControls(RECT& rect) {
    const RECT c = ClientRect();
    rect = GroupBoxContentRect(SIZE{c.right, c.bottom}, CaptionHeight());
    TCustomControl::AlignControls(rect);
}

// An etched frame (highlight under shadow, one pixel apart) and the caption
// on the face colour over its top edge.
void TCustomGroupBox::Paint() {
    const RECT all = ClientRect();
    TOffscreenBuffer buffer(Canvas().Handle(), all);
    HDC dc = buffer.Handle();
    FillColor(dc, all, Color());
    const int th = CaptionHeight();
    RECT frame = GroupBoxFrameRect(SIZE{all.right, all.bottom}, th);
    RECT light = frame;
    OffsetRect(&light, 1, 1);
    TBrushHandle hi(CreateSolidBrush(ColorToRGB(clBtnHighlight)));
    TBrushHandle sh(CreateSolidBrush(ColorToRGB(clBtnShadow)));
    FrameRect(dc, &light, hi.Get());
    frame.right -= 1;
    frame.bottom -= 1;
    FrameRect(dc, &frame, sh.Get());
    if (Caption().empty())
        return;
    TSelectObject font(dc, Font().Handle());
    const SIZE text = MeasureCaption(dc, Font().Handle(), Caption());
    RECT tr{8, 0, 8 + text.cx, th};
    FillColor(dc, tr, Color());
    SetTextColor(dc, ColorToRGB(Font().Color()));
    DrawCaptionText(dc, Caption(), tr, DT_SINGLELINE | DT_NOCLIP, Enabled());
}

RECT RadioGroupButtonRect(SIZE size, int textHeight, int count, int columns, int index) {
    columns = std::max(1, columns);
    const int perColumn = std::max(1, (count + columns - 1) / columns);
    const int width = (size.cx - 10) / columns;
    const int free = size.cy - textHeight - 5;
    const int height = free / perColumn;
    const int topMargin = textHeight + 1 + (free % perColumn) / 2;
    const int left = (index / perColumn) * width + 8;
    const int top = (index % perColumn) * height + topMargin;
    return RECT{left, top, left + width, top + height};
}

TRadioGroup::TRadioGroup(TComponent* owner) : TCustomGroupBox(owner) {}

void TRadioGroup::SetItems(const TStringList& items) {
    items_.Assign(items);
    if (itemIndex_ >= items_.Count())
        itemIndex_ = -1;
    if (!HasState(csReading))
        UpdateButtons();
}

void TRadioGroup::SetItemIndex(int v) {
    if (HasState(csReading)) {
        itemIndex_ = v;
        return;
    }
    v = std::clamp(v, -1, items_.Count() - 1);
    itemIndex_ = v;
    if (v >= 0 && v < ButtonCount()) {
        buttons_[v]->SetChecked(true);
    } else {
        for (TRadioButton* b : buttons_)
            b->SetChecked(false);
    }
}

void TRadioGroup::SetColumns(int v) {
    columns_ = std::clamp(v, 1, 16);
    Realign();
}

void TRadioGroup::Loaded() {
    TCustomGroupBox::Loaded();
    UpdateButtons();
}

// One button per line, named by it; surplus buttons go.
void TRadioGroup::UpdateButtons() {
    while (ButtonCount() > items_.Count()) {
        delete buttons_.back();
        buttons_.pop_back();
    }
    while (ButtonCount() < items_.Count()) {
        auto* b = new TRadioButton(this);
        const int index = ButtonCount();
        b->OnClick = [this, index](TObject*) { ButtonClicked(index); };
        b->SetParent(this);
        buttons_.push_back(b);
    }
    for (int i = 0; i < ButtonCount(); ++i)
        buttons_[i]->SetCaption(AnsiToWideText(items_[i]));
    SetItemIndex(itemIndex_);
    Realign();
}

void TRadioGroup::ButtonClicked(int index) {
    if (index == itemIndex_ || index >= ButtonCount() || !buttons_[index]->Checked())
        return;
    itemIndex_ = index;
    Click();
}

void TRadioGroup::AlignControls(RECT& rect) {
    const int th = CaptionHeight();
    for (int i = 0; i < ButtonCount(); ++i) {
        const RECT r =
            RadioGroupButtonRect(SIZE{Width(), Height()}, th, ButtonCount(), columns_, i);
        buttons_[i]->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    TCustomGroupBox::AlignControls(rect);
}

RECT PanelContentRect(RECT client, TBevelCut outer, TBevelCut inner, int bevelWidth,
                      int borderWidth) {
    int inset = borderWidth;
    if (outer != bvNone)
        inset += bevelWidth;
    if (inner != bvNone)
        inset += bevelWidth;
    InflateRect(&client, -inset, -inset);
    return client;
}

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TPanel::Changed() {
    Realign();
    Invalidate();
}

void TPanel::SetBevelInner(TBevelCut v) {
    bevelInner_ = v;
    Changed();
}
void TPanel::SetBevelOuter(TBevelCut v) {
    bevelOuter_ = v;
    Changed();
}
void TPanel::SetBevelWidth(int v) {
    bevelWidth_ = std::max(1, v);
    Changed();
}
void TPanel::SetBorderWidth(int v) {
    borderWidth_ = std::max(0, v);
    Changed();
}
void TPanel::SetAlignment(TAlignment v) {
    alignment_ = v;
    Invalidate();
}

void TPanel::AlignControls(RECT& rect) {
    rect = PanelContentRect(ClientRect(), bevelOuter_, bevelInner_, bevelWidth_, borderWidth_);
    TCustomControl::AlignControls(rect);
}

namespace {
// A lowered bevel is dark at the top left; raised and space bevels are light.
void DrawBevel(HDC dc, RECT& r, TBevelCut cut, int width) {
    if (cut == bvNone)
        return;
    const bool lowered = cut == bvLowered;
    Frame3D(dc, r, lowered ? clBtnShadow : clBtnHighlight, lowered ? clBtnHighlight : clBtnShadow,
            width);
}
} // namespace

// Outer bevel, border in the face colour, inner bevel, then the caption.
void TPanel::Paint() {
    const RECT all = ClientRect();
    TOffscreenBuffer buffer(Canvas().Handle(), all);
    HDC dc = buffer.Handle();
    FillColor(dc, all, Color());
    RECT r = all;
    DrawBevel(dc, r, bevelOuter_, bevelWidth_);
    Frame3D(dc, r, Color(), Color(), borderWidth_);
    DrawBevel(dc, r, bevelInner_, bevelWidth_);
    if (Caption().empty())
        return;
    TSelectObject font(dc, Font().Handle());
    SetTextColor(dc, ColorToRGB(Font().Color()));
    const UINT side = alignment_ == taLeftJustify    ? DT_LEFT
                      : alignment_ == taRightJustify ? DT_RIGHT
                                                     : DT_CENTER;
    DrawCaptionText(dc, Caption(), r, DT_SINGLELINE | DT_VCENTER | side, Enabled());
}

LT_CLASS_TABLE(TCheckBox) {
    c.Enum("Alignment", &TCheckBox::Alignment, &TCheckBox::SetAlignment)
        .Default(taRightJustify)
        .Boolean("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed)
        .Default(false)
        .Enum("State", &TCheckBox::State, &TCheckBox::SetState)
        .Default(cbUnchecked)
        .Boolean("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked)
        .Default(false);
}

LT_CLASS_TABLE(TRadioButton) {
    c.Enum("Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment)
        .Default(taRightJustify)
        .Boolean("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked)
        .Default(false);
}

LT_CLASS_TABLE(TCustomGroupBox) {}
LT_CLASS_TABLE(TGroupBox) {}

LT_CLASS_TABLE(TRadioGroup) {
    c.Strings("Items", MutableList(&TRadioGroup::Items), &TRadioGroup::SetItems)
        .Integer("ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex)
        .Default(-1)
        .Integer("Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns)
        .Default(1);
}

LT_CLASS_TABLE(TPanel) {
    c.Enum("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner)
        .Default(bvNone)
        .Enum("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter)
        .Default(bvRaised)
        .Integer("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth)
        .Default(1)
        .Integer("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth)
        .Default(0)
        .Enum("Alignment", &TPanel::Alignment, &TPanel::SetAlignment)
        .Default(taCenter);
}
