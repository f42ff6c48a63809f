// Up-down, progress bar and track bar over the platform's controls.
#include "framework/stdctrls/std_bars.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/core/class_builder.h"
#include "framework/stdctrls/std_comctl.h"

namespace {
// Replaces the style bits under `mask` of a live window and repaints it.
void ReplaceStyle(HWND wnd, DWORD mask, DWORD bits) {
    DWORD style = GetWindowLongW(wnd, GWL_STYLE) & ~mask;
    SetWindowLongW(wnd, GWL_STYLE, static_cast<LONG>(style | bits));
    InvalidateRect(wnd, nullptr, TRUE);
}
} // namespace

DWORD TrackBarStyle(TTrackBarOrientation orientation, TTickStyle ticks, TTickMark marks) {
    DWORD style = orientation == trVertical ? TBS_VERT : TBS_HORZ;
    if (ticks == tsNone)
        style |= TBS_NOTICKS;
    else if (ticks == tsAuto)
        style |= TBS_AUTOTICKS;
    if (marks == tmTopLeft)
        style |= TBS_TOP;
    else if (marks == tmBoth)
        style |= TBS_BOTH;
    return style;
}

// ---- up-down ----

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner) {
    EnsureCommonControls(ICC_UPDOWN_CLASS);
    SetBounds(0, 0, 17, 25);
}

TUpDown::~TUpDown() {
    SetAssociate(nullptr);
}

void TUpDown::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.superClass = UPDOWN_CLASSW;
    params.style |= UDS_SETBUDDYINT | UDS_NOTHOUSANDS | UDS_ARROWKEYS;
    if (orientation_ == udHorizontal)
        params.style |= UDS_HORZ;
    if (wrap_)
        params.style |= UDS_WRAP;
    params.classStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TUpDown::CreateHandleDone() {
    ApplyRange();
    ApplyBuddy();
}

void TUpDown::ApplyRange() {
    if (!HandleAllocated())
        return;
    SendMessageW(Handle(), UDM_SETRANGE32, min_, max_);
    UDACCEL accel{0, static_cast<UINT>(increment_)};
    SendMessageW(Handle(), UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
}

// The buddy shows the position as its text. The platform control reads the
// buddy's text back as its position, so the text is written first.
void TUpDown::ApplyBuddy() {
    if (!HandleAllocated())
        return;
    HWND buddy = associate_ && associate_->Parent() ? associate_->Handle() : nullptr;
    if (buddy)
        SetWindowTextW(buddy, std::to_wstring(position_).c_str());
    SendMessageW(Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageW(Handle(), UDM_SETPOS32, 0, position_);
}

void TUpDown::SetAssociate(TWinControl* control) {
    if (control == associate_ || control == this)
        return;
    if (associate_)
        associate_->RemoveFreeNotification(this);
    associate_ = control;
    if (associate_)
        associate_->FreeNotification(this);
    if (!HasState(csDestroying)) {
        position_ = Position();
        ApplyBuddy();
    }
}

void TUpDown::Notification(TComponent* c, TOperation op) {
    TWinControl::Notification(c, op);
    if (op == opRemove && c == associate_) {
        associate_ = nullptr;
        if (HandleAllocated() && !HasState(csDestroying))
            SendMessageW(Handle(), UDM_SETBUDDY, 0, 0);
    }
}

void TUpDown::SetMin(int v) {
    min_ = v;
    ApplyRange();
}

void TUpDown::SetMax(int v) {
    max_ = v;
    ApplyRange();
}

void TUpDown::SetIncrement(int v) {
    increment_ = std::max(1, v);
    ApplyRange();
}

int TUpDown::Position() const {
    if (!HandleAllocated())
        return position_;
    return static_cast<int>(SendMessageW(Handle(), UDM_GETPOS32, 0, 0));
}

void TUpDown::SetPosition(int v) {
    position_ = v;
    if (HandleAllocated()) {
        SendMessageW(Handle(), UDM_SETPOS32, 0, v);
        position_ = Position();
    }
}

void TUpDown::SetOrientation(TUDOrientation v) {
    if (v == orientation_)
        return;
    orientation_ = v;
    if (HandleAllocated())
        ReplaceStyle(Handle(), UDS_HORZ, v == udHorizontal ? UDS_HORZ : 0);
}

// UDN_DELTAPOS asks before the position moves; the scroll message reports after.
void TUpDown::WndProc(TMessage& msg) {
    if (msg.Msg == CN_NOTIFY &&
        reinterpret_cast<NMHDR*>(msg.LParam)->code == static_cast<UINT>(UDN_DELTAPOS)) {
        bool allow = true;
        OnChanging(this, allow);
        msg.Result = allow ? 0 : 1;
        return;
    }
    if ((msg.Msg == CN_VSCROLL || msg.Msg == CN_HSCROLL) &&
        LOWORD(msg.WParam) == SB_THUMBPOSITION) {
        const int now = static_cast<int16_t>(HIWORD(msg.WParam));
        const TUDBtnType button = now >= position_ ? btNext : btPrev;
        position_ = Position();
        OnClick(this, button);
        return;
    }
    TWinControl::WndProc(msg);
}

// ---- progress bar ----

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
    EnsureCommonControls(ICC_PROGRESS_CLASS);
    SetBounds(0, 0, 150, 16);
}

void TProgressBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.superClass = PROGRESS_CLASSW;
    params.style |= (smooth_ ? PBS_SMOOTH : 0) | (orientation_ == pbVertical ? PBS_VERTICAL : 0);
    params.classStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TProgressBar::CreateHandleDone() {
    SendMessageW(Handle(), PBM_SETRANGE32, min_, max_);
    SendMessageW(Handle(), PBM_SETPOS, position_, 0);
}

void TProgressBar::SetMin(int v) {
    min_ = v;
    if (HandleAllocated())
        SendMessageW(Handle(), PBM_SETRANGE32, min_, max_);
}

void TProgressBar::SetMax(int v) {
    max_ = v;
    if (HandleAllocated())
        SendMessageW(Handle(), PBM_SETRANGE32, min_, max_);
}

void TProgressBar::SetPosition(int v) {
    position_ = v;
    if (HandleAllocated())
        SendMessageW(Handle(), PBM_SETPOS, v, 0);
}

void TProgressBar::StepIt() {
    SetPosition(std::clamp(position_ + step_, std::min(min_, max_), std::max(min_, max_)));
}

void TProgressBar::SetOrientation(TProgressBarOrientation v) {
    orientation_ = v;
    ApplyStyle();
}

void TProgressBar::SetSmooth(bool v) {
    smooth_ = v;
    ApplyStyle();
}

void TProgressBar::ApplyStyle() {
    if (HandleAllocated())
        ReplaceStyle(Handle(), PBS_SMOOTH | PBS_VERTICAL,
                     (smooth_ ? PBS_SMOOTH : 0) | (orientation_ == pbVertical ? PBS_VERTICAL : 0));
}

// ---- track bar ----

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
    EnsureCommonControls(ICC_BAR_CLASSES);
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
}

void TTrackBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.superClass = TRACKBAR_CLASSW;
    params.style |= TrackBarStyle(orientation_, tickStyle_, tickMarks_);
    params.classStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TTrackBar::CreateHandleDone() {
    ApplySettings();
}

void TTrackBar::ApplySettings() {
    if (!HandleAllocated())
        return;
    HWND wnd = Handle();
    SendMessageW(wnd, TBM_SETRANGEMIN, FALSE, min_);
    SendMessageW(wnd, TBM_SETRANGEMAX, FALSE, max_);
    SendMessageW(wnd, TBM_SETTICFREQ, frequency_, 0);
    SendMessageW(wnd, TBM_SETPAGESIZE, 0, pageSize_);
    SendMessageW(wnd, TBM_SETLINESIZE, 0, lineSize_);
    SendMessageW(wnd, TBM_SETPOS, TRUE, position_);
}

void TTrackBar::ApplyStyle() {
    if (!HandleAllocated())
        return;
    const DWORD mask = TBS_VERT | TBS_NOTICKS | TBS_AUTOTICKS | TBS_TOP | TBS_BOTH;
    ReplaceStyle(Handle(), mask, TrackBarStyle(orientation_, tickStyle_, tickMarks_));
    ApplySettings();
}

void TTrackBar::SetMin(int v) {
    min_ = v;
    ApplySettings();
}

void TTrackBar::SetMax(int v) {
    max_ = v;
    ApplySettings();
}

int TTrackBar::Position() const {
    if (!HandleAllocated())
        return position_;
    return static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0));
}

void TTrackBar::SetPosition(int v) {
    position_ = v;
    if (HandleAllocated()) {
        SendMessageW(Handle(), TBM_SETPOS, TRUE, v);
        position_ = Position();
    }
}

void TTrackBar::SetOrientation(TTrackBarOrientation v) {
    orientation_ = v;
    ApplyStyle();
}

void TTrackBar::SetTickStyle(TTickStyle v) {
    tickStyle_ = v;
    ApplyStyle();
}

void TTrackBar::SetTickMarks(TTickMark v) {
    tickMarks_ = v;
    ApplyStyle();
}

void TTrackBar::SetFrequency(int v) {
    frequency_ = v;
    ApplySettings();
}

void TTrackBar::SetPageSize(int v) {
    pageSize_ = v;
    ApplySettings();
}

void TTrackBar::SetLineSize(int v) {
    lineSize_ = v;
    ApplySettings();
}

void TTrackBar::Changed() {
    const int now = Position();
    if (now == position_)
        return;
    position_ = now;
    OnChange(this);
}

// The track bar reports thumb moves to its parent, which reflects them here.
void TTrackBar::WndProc(TMessage& msg) {
    if (msg.Msg == CN_HSCROLL || msg.Msg == CN_VSCROLL) {
        Changed();
        msg.Result = 0;
        return;
    }
    TWinControl::WndProc(msg);
}

LT_CLASS_TABLE(TUpDown) {
    c.Object("Associate", &TUpDown::Associate, &TUpDown::SetAssociate)
        .Integer("Min", &TUpDown::Min, &TUpDown::SetMin)
        .Default(0)
        .Integer("Max", &TUpDown::Max, &TUpDown::SetMax)
        .Default(100)
        .Integer("Position", &TUpDown::Position, &TUpDown::SetPosition)
        .Default(0)
        .Integer("Increment", &TUpDown::Increment, &TUpDown::SetIncrement)
        .Default(1)
        .Enum("Orientation", &TUpDown::Orientation, &TUpDown::SetOrientation)
        .Default(udVertical)
        .Boolean("Wrap", &TUpDown::Wrap, &TUpDown::SetWrap)
        .Default(false)
        .Event("OnClick", &TUpDown::OnClick)
        .Event("OnChanging", &TUpDown::OnChanging);
}

LT_CLASS_TABLE(TProgressBar) {
    c.Integer("Min", &TProgressBar::Min, &TProgressBar::SetMin)
        .Default(0)
        .Integer("Max", &TProgressBar::Max, &TProgressBar::SetMax)
        .Default(100)
        .Integer("Position", &TProgressBar::Position, &TProgressBar::SetPosition)
        .Default(0)
        .Integer("Step", &TProgressBar::Step, &TProgressBar::SetStep)
        .Default(10)
        .Enum("Orientation", &TProgressBar::Orientation, &TProgressBar::SetOrientation)
        .Default(pbHorizontal)
        .Boolean("Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth)
        .Default(false);
}

LT_CLASS_TABLE(TTrackBar) {
    c.Integer("Min", &TTrackBar::Min, &TTrackBar::SetMin)
        .Default(0)
        .Integer("Max", &TTrackBar::Max, &TTrackBar::SetMax)
        .Default(10)
        .Integer("Position", &TTrackBar::Position, &TTrackBar::SetPosition)
        .Default(0)
        .Enum("Orientation", &TTrackBar::Orientation, &TTrackBar::SetOrientation)
        .Default(trHorizontal)
        .Enum("TickStyle", &TTrackBar::TickStyle, &TTrackBar::SetTickStyle)
        .Default(tsAuto)
        .Enum("TickMarks", &TTrackBar::TickMarks, &TTrackBar::SetTickMarks)
        .Default(tmBottomRight)
        .Integer("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency)
        .Default(1)
        .Integer("PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize)
        .Default(2)
        .Integer("LineSize", &TTrackBar::LineSize, &TTrackBar::SetLineSize)
        .Default(1)
        .Event("OnChange", &TTrackBar::OnChange);
}
