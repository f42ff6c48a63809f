// The push-button wrappers' message handling: the press swallowed and the
// click made on release, hot tracking with one hot button per form, the
// space bar, and the speed button's attach to its windowless control.
#include "skin/controls/skin_buttons.h"

#include "framework/core/class_builder.h"
#include "framework/gdi/bitmap.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/ui/graphic_control.h"
#include "framework/ui/messages.h"
#include "framework/ui/wincontrol.h"

LT_CLASS_TABLE(TSkinButton) {}
LT_CLASS_TABLE(TSkinBitButton) {}
LT_CLASS_TABLE(TSkinSpeedButton) {}

void RegisterButtonSkins() {
    RegisterClasses<TSkinButton, TSkinBitButton, TSkinSpeedButton>();
}

TSkinButton::TSkinButton(TComponent* owner)
    : TSkinControl(owner), PaintBuffer(std::make_unique<TBitmap>()) {}

// A hot button that goes leaves the form's hot slot empty, not dangling.
TSkinButton::~TSkinButton() {
    DropHot();
}

bool TSkinButton::BeforeMessage(TMessage& msg) {
    switch (msg.Msg) {
    case WM_PAINT:
        // The button never paints itself.
        PaintThroughBeginPaint(msg);
        return false;
    case WM_ERASEBKGND:
        msg.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The button never sees the press (so it never captures the mouse):
        // the release over it makes the click.
        if (!Focused)
            SetFocus(Handle);
        SetMouseBits(kMousePressed, true);
        PaintToWindow(nullptr);
        return false;
    default:
        return TSkinControl::BeforeMessage(msg);
    }
}

void TSkinButton::AfterMessage(TMessage& msg) {
    switch (msg.Msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
        // The button's own handling makes the click of the space bar.
        if (msg.WParam == VK_SPACE) {
            SetMouseBits(kMousePressed, msg.Msg == WM_KEYDOWN);
            Refresh();
        }
        break;
    case WM_MOUSEMOVE:
        MouseMoved();
        break;
    case WM_LBUTTONUP:
        ReleasedOver();
        break;
    case CM_MOUSEENTER:
        if (Enabled) {
            SetMouseBits(kMouseHot, true);
            Refresh();
            if (FormSkinner)
                FormSkinner->HotButton() = this;
        }
        break;
    case CM_MOUSELEAVE:
        if (Enabled) {
            SetMouseBits(kMouseHot | kMousePressed, false);
            Refresh();
            DropHot();
        }
        break;
    default:
        TSkinControl::AfterMessage(msg);
        break;
    }
}

void TSkinButton::SetMouseBits(uint8_t bits, bool on) {
    MouseState =
        on ? static_cast<uint8_t>(MouseState | bits) : static_cast<uint8_t>(MouseState & ~bits);
}

void TSkinButton::MouseMoved() {
    if (Hot())
        return;
    SetMouseBits(kMouseHot, true);
    TakeHot();
}

void TSkinButton::TakeHot() {
    if (!FormSkinner) {
        Refresh();
        return;
    }
    TSkinControl* previous = FormSkinner->HotButton();
    // The previous hot button loses its hot look at once.
    if (previous && previous != this && previous->Handle)
        SendMessageW(previous->Handle, CM_MOUSELEAVE, 0, 0);
    if (FormSkinner->HotButton() != this) {
        Refresh();
        FormSkinner->HotButton() = this;
    }
}

void TSkinButton::DropHot() {
    if (FormSkinner && FormSkinner->HotButton() == this)
        FormSkinner->HotButton() = nullptr;
}

// A release while pressed is the click: the framework control's click, or
// for a raw window the command its parent would have had from the button.
void TSkinButton::ReleasedOver() {
    if (!Pressed())
        return;
    SetMouseBits(kMousePressed, false);
    Refresh();
    if (Control) {
        Control->Click();
    } else if (Handle) {
        PostMessageA(GetParent(Handle), WM_COMMAND, static_cast<WPARAM>(GetDlgCtrlID(Handle)),
                     reinterpret_cast<LPARAM>(Handle));
    }
}

void TSkinButton::TakeCaption(const std::wstring& text) {
    Caption = SplitCaptionLines(text);
}

bool TSkinSpeedButton::AttachGraphic(TWrapperHost* formSkinner, TSkinData* skinData,
                                     TCanvas* canvas) {
    SkinData = skinData;
    Canvas = canvas;
    FormSkinner = formSkinner;
    GraphicControl = ObjectAs<TGraphicControl>(Owner());
    if (GraphicControl)
        HookControlMessages(*GraphicControl);
    const bool known = FormSkinner && FormSkinner->RegisterWrapper(this);
    State = TWrapperState::Attached;
    return known;
}

bool TSkinSpeedButton::BeforeMessage(TMessage& msg) {
    switch (msg.Msg) {
    case WM_PAINT:
        // The parent paints windowless controls with a DC in WParam.
        if (msg.WParam && GraphicControl)
            PaintSpeedButton(reinterpret_cast<HDC>(msg.WParam), GraphicControl->ClientRect());
        msg.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The control handles the press itself (tracking, latching).
        CallPrevious(msg);
        SetMouseBits(kMousePressed, true);
        PaintToWindow(nullptr);
        return false;
    default:
        return TSkinButton::BeforeMessage(msg);
    }
}

void TSkinSpeedButton::AfterMessage(TMessage& msg) {
    switch (msg.Msg) {
    case WM_NCDESTROY:
    case CM_RELEASE:
        UnhookControl();
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (msg.WParam == VK_SPACE) {
            SetMouseBits(kMousePressed, msg.Msg == WM_KEYDOWN);
            PaintToWindow(nullptr);
        }
        break;
    case WM_LBUTTONUP:
        SetMouseBits(kMousePressed, false);
        PaintToWindow(nullptr);
        break;
    case CM_MOUSEENTER:
        SetMouseBits(kMouseHot, true);
        PaintToWindow(nullptr);
        break;
    case CM_MOUSELEAVE:
        SetMouseBits(kMouseHot | kMousePressed, false);
        if (GraphicControl && GraphicControl->Visible())
            PaintToWindow(nullptr);
        break;
    default:
        // WM_MOUSEMOVE: the form's hot-button tracking.
        TSkinButton::AfterMessage(msg);
        break;
    }
}

// Outside its own paint the control's canvas has no DC: then the parent's
// client DC, moved to the control's place and clipped to it, stands in.
void TSkinSpeedButton::PaintToWindow(HDC) {
    if (!GraphicControl)
        return;
    const RECT client = GraphicControl->ClientRect();
    try {
        TCanvas& own = GraphicControl->Canvas();
        if (own.HandleAllocated()) {
            PaintSpeedButton(own.Handle(), client);
            return;
        }
        TWinControl* parent = GraphicControl->Parent();
        if (!parent || !parent->HandleAllocated() || !GraphicControl->Showing())
            return;
        const TClientDC dc(parent->Handle());
        const TSaveDC state(dc.Handle());
        SetViewportOrgEx(dc.Handle(), GraphicControl->Left(), GraphicControl->Top(), nullptr);
        IntersectClipRect(dc.Handle(), 0, 0, client.right, client.bottom);
        PaintSpeedButton(dc.Handle(), client);
    } catch (...) {
        // A skin that cannot be drawn leaves the button as it was.
    }
}
