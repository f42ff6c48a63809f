// TRzButton behaviour: roles, keyboard, click, groups; painting is in
// rz_button_paint.cpp.
#include "controls/rz_button.h"

#include "framework/core/class_builder.h"
#include "framework/core/filer.h"
#include "framework/ui/accel.h"
#include "framework/ui/ui_idents.h"

// 75 x 25 on the button face colour.
TRzButton::TRzButton(TComponent* owner) : TRzCustomButton(owner) {
    SetBounds(0, 0, 75, 25);
    SetColor(clBtnFace);
    // Composed off-screen and copied in one piece.
    SetDoubleBuffered(true);
}

// The active flag starts as the Default role.
void TRzButton::CreateWnd() {
    TRzCustomButton::CreateWnd();
    active_ = default_;
}

// The button state as an enum (the frame of its look).
TRzButtonState TRzButton::State() const {
    if (!Enabled())
        return bsDisabled;
    if (down_)
        return exclusive_ ? bsExclusive : bsDown;
    return bsUp;
}

// HotTrack implies Transparent and repaints with erasing.
void TRzButton::SetHotTrack(bool v) {
    if (v == HotTrack()) {
        return;
    }
    TRzCustomButton::SetHotTrack(v);
    SetTransparent(v);
    if (HandleAllocated()) {
        InvalidateRect(Handle(), nullptr, TRUE);
    }
}

// Default role; the form's buttons recompute their active flags.
void TRzButton::SetDefault(bool v) {
    default_ = v;
    if (HandleAllocated()) {
        if (TCustomForm* form = ParentForm()) {
            form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
        }
    }
}

void TRzButton::SetGroupIndex(int v) {
    if (groupIndex_ != v) {
        groupIndex_ = v;
        BroadcastGroup();
    }
}

void TRzButton::SetAllowAllUp(bool v) {
    if (allowAllUp_ != v) {
        allowAllUp_ = v;
        BroadcastGroup();
    }
}

// Latching: only grouped buttons go down; a down one stays unless AllowAllUp.
void TRzButton::SetDown(bool v) {
    if (groupIndex_ == 0) {
        v = false;
    }
    if (v == down_) {
        return;
    }
    if (down_ && !v && !allowAllUp_) {
        return;
    }
    down_ = v;
    exclusive_ = v;
    Invalidate();
    if (v) {
        BroadcastGroup();
    }
}

// Tells the siblings about this button's group.
void TRzButton::BroadcastGroup() {
    if (groupIndex_ == 0 || !Parent()) {
        return;
    }
    TMessage msg{CM_BUTTONPRESSED, static_cast<WPARAM>(groupIndex_), reinterpret_cast<LPARAM>(this),
                 0};
    Parent()->Broadcast(msg);
}

// A sibling of the same group latched or changed its settings.
void TRzButton::HandleGroupMessage(TMessage& msg) {
    auto* sender = reinterpret_cast<TRzButton*>(msg.LParam);
    if (msg.WParam != static_cast<WPARAM>(groupIndex_) || sender == this || groupIndex_ == 0) {
        return;
    }
    if (sender->down_ && down_) {
        down_ = false;
        exclusive_ = false;
        Invalidate();
    }
    allowAllUp_ = sender->allowAllUp_;
}

// Grouped buttons toggle; the click runs with the clicking flag set.
void TRzButton::ClickAction() {
    if (groupIndex_ != 0) {
        SetDown(!down_);
    } else {
        Repaint();
    }
    clicking_ = true;
    try {
        Click();
    } catch (...) {
        clicking_ = false;
        throw;
    }
    clicking_ = false;
}

// Modal result first, then OnClick.
void TRzButton::Click() {
    if (TCustomForm* form = ParentForm()) {
        form->SetModalResult(modalResult_);
    }
    TRzCustomButton::Click();
}

// Enter on the active button, Esc on a Cancel button, without modifiers.
bool TRzButton::HandleDialogKey(TMessage& msg) {
    const TShiftState shift = KeyboardShiftState();
    const bool plain =
        !shift.Contains(ssShift) && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt);
    const bool wanted =
        (msg.WParam == VK_RETURN && active_) || (msg.WParam == VK_ESCAPE && cancel_);
    if (wanted && plain && CanFocus()) {
        Click();
        msg.Result = 1;
        return true;
    }
    return false;
}

// The caption's underlined letter clicks the button.
bool TRzButton::HandleAccelerator(TMessage& msg) {
    if (!IsAccel(static_cast<wchar_t>(msg.WParam), Caption()) || !CanFocus())
        return false;
    Click();
    msg.Result = 1;
    return true;
}

// The focused button answers Enter; with no button focused, the Default one.
void TRzButton::UpdateActive(TControl* focused) {
    const bool isButton = dynamic_cast<TRzCustomButton*>(focused) != nullptr;
    const bool active = isButton ? focused == this : default_;
    if (active != active_) {
        active_ = active;
        Invalidate();
    }
}

// Keyboard, focus, roles and group messages.
void TRzButton::WndProc(TMessage& msg) {
    switch (msg.Msg) {
    case WM_KEYDOWN:
        if (msg.WParam == VK_SPACE) {
            keyToggle_ = true;
            showDown_ = true;
            Repaint();
        }
        break;
    case WM_KEYUP:
        if (msg.WParam == VK_SPACE) {
            showDown_ = false;
            if (keyToggle_) {
                keyToggle_ = false;
                ClickAction();
            }
            if (HandleAllocated())
                Repaint();
        }
        break;
    case WM_KILLFOCUS:
        keyToggle_ = false;
        showDown_ = false;
        TRzCustomButton::WndProc(msg);
        if (HandleAllocated())
            Repaint();
        return;
    case WM_SETFOCUS:
        TRzCustomButton::WndProc(msg);
        Invalidate();
        return;
    case WM_ERASEBKGND:
        if (Transparent()) {
            EraseTransparent(msg);
            return;
        }
        break;
    case CM_DIALOGKEY:
        if (HandleDialogKey(msg))
            return;
        break;
    case CM_DIALOGCHAR:
        if (HandleAccelerator(msg))
            return;
        break;
    case CM_FOCUSCHANGED:
        UpdateActive(reinterpret_cast<TControl*>(msg.LParam));
        break;
    case CM_BUTTONPRESSED:
        HandleGroupMessage(msg);
        return;
    case CM_ENABLEDCHANGED:
        if (!Enabled() && HandleAllocated() && Focused()) {
            if (TCustomForm* form = ParentForm())
                form->SelectNext(this, true, true);
        }
        break;
    default:
        break;
    }
    TRzCustomButton::WndProc(msg);
}

// The old "FrameFlat" form property sets HotTrack.
void TRzButton::DefineProperties(TFiler& filer) {
    TRzCustomButton::DefineProperties(filer);
    filer.DefineProperty(
        "FrameFlat", [this](TReader& r) { SetHotTrack(r.ReadBoolean()); }, nullptr, false);
}

LT_CLASS_TABLE(TRzButton) {
    c.Enum("Alignment", &TRzButton::Alignment, &TRzButton::SetAlignment)
        .Default(taCenter)
        .Boolean("AllowAllUp", &TRzButton::AllowAllUp, &TRzButton::SetAllowAllUp)
        .Default(false)
        .Boolean("Cancel", &TRzButton::Cancel, &TRzButton::SetCancel)
        .Default(false)
        .Boolean("Default", &TRzButton::Default, &TRzButton::SetDefault)
        .Default(false)
        .Boolean("DropDownOnEnter", &TRzButton::DropDownOnEnter, &TRzButton::SetDropDownOnEnter)
        .Default(true)
        .Integer("GroupIndex", &TRzButton::GroupIndex, &TRzButton::SetGroupIndex)
        .Default(0)
        .Boolean("Down", &TRzButton::Down, &TRzButton::SetDown)
        .Default(false)
        .Integer("FrameColor", &TRzButton::FrameColor, &TRzButton::SetFrameColor, &ColorIdents())
        .Default(cl3DDkShadow)
        .Integer("ModalResult", &TRzButton::ModalResult, &TRzButton::SetModalResult)
        .Default(0)
        .Boolean("ShowDownPattern", &TRzButton::ShowDownPattern, &TRzButton::SetShowDownPattern)
        .Default(true)
        .Boolean("ShowFocusRect", &TRzButton::ShowFocusRect, &TRzButton::SetShowFocusRect)
        .Default(true);
}
