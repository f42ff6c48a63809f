// TRzCustomButton: mouse, hover and caption drawing; see the header.
#include "controls/rz_custom_button.h"

#include "framework/core/class_builder.h"
#include "framework/ui/ui_idents.h"

#include <uxtheme.h>
#include <windowsx.h>

// Default size 115 x 17, a tab stop.
TRzCustomButton::TRzCustomButton(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 115, 17);
    SetTabStop(true);
}

// Visual styles are in use for this process and the button wants them.
bool TRzCustomButton::UseThemes() const {
    return themeAware_ && IsThemeActive() && IsAppThemed();
}

// Press: take the focus; pressed look only when the focus really came.
void TRzCustomButton::MouseDownAt(int, int) {
    if (!Enabled()) {
        return;
    }
    SetFocus();
    if (Focused()) {
        showDown_ = true;
        dragging_ = true;
        SetCapture(Handle());
        Repaint();
    }
}

// Drag: pressed look while the pointer is over the button (bottom edge counts).
void TRzCustomButton::MouseMoveAt(int x, int y) {
    if (!dragging_) {
        return;
    }
    const bool inside = x >= 0 && x <= Width() - 1 && y >= 0 && y <= Height();
    if (inside != showDown_) {
        showDown_ = inside;
        Repaint();
    }
}

// Release: a click only when released inside the client rectangle.
void TRzCustomButton::MouseUpAt(int x, int y) {
    if (!dragging_) {
        return;
    }
    dragging_ = false;
    showDown_ = false;
    if (GetCapture() == Handle()) {
        ReleaseCapture();
    }
    const bool inside = x >= 0 && x < Width() && y >= 0 && y < Height();
    if (inside) {
        ClickAction();
    }
    if (HandleAllocated()) {
        Repaint();
    }
}

// Mouse and hover messages.
void TRzCustomButton::WndProc(TMessage& msg) {
    switch (msg.Msg) {
    // The left button is handled here, not by the framework's generic
    // click-on-release: the press-and-release rule above decides the click.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        TShiftState shift = KeyboardShiftState();
        shift.Include(ssLeft);
        MouseDown(mbLeft, shift, GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam));
        MouseDownAt(GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam));
        return;
    }
    case WM_MOUSEMOVE:
        TCustomControl::WndProc(msg);
        MouseMoveAt(GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam));
        return;
    case WM_LBUTTONUP:
        MouseUp(mbLeft, KeyboardShiftState(), GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam));
        MouseUpAt(GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam));
        return;
    case WM_CAPTURECHANGED:
        if (dragging_ && reinterpret_cast<HWND>(msg.LParam) != Handle()) {
            dragging_ = false;
            showDown_ = false;
            Invalidate();
        }
        break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        mouseOver_ = msg.Msg == CM_MOUSEENTER;
        TCustomControl::WndProc(msg); // fires OnMouseEnter / OnMouseLeave
        if ((hotTrack_ || UseThemes()) && HandleAllocated()) {
            InvalidateRect(Handle(), nullptr, FALSE);
        }
        return;
    default:
        break;
    }
    TCustomControl::WndProc(msg);
}

// Caption with vertical alignment and text-style passes.
void TRzCustomButton::DrawCaption(TCanvas& c, RECT r, TAlignment alignment) {
    static const UINT aligns[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    const UINT flags = aligns[alignment] | DT_WORDBREAK | DT_EXPANDTABS;
    const std::wstring& text = Caption();
    RECT m = r;
    c.Font().Assign(Font());
    c.DrawText(text, m, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK | DT_CENTER | DT_VCENTER);
    const int t = m.bottom - m.top;
    switch (alignmentVertical_) {
    case avTop:
        r.bottom = r.top + t;
        break;
    case avCenter:
        r.top = (r.top + r.bottom - t) / 2;
        r.bottom = r.top + t;
        break;
    case avBottom:
        r.top = r.bottom - t - 1;
        break;
    }
    c.Brush().SetStyle(TBrushStyle::bsClear);
    auto pass = [&](int dx, int dy, TColor colour) {
        RECT p = r;
        OffsetRect(&p, dx, dy);
        c.Font().SetColor(colour);
        c.DrawText(text, p, flags);
    };
    if (Enabled()) {
        const int shift = alignment == taRightJustify ? -textShadowDepth_ : 0;
        OffsetRect(&r, shift, 0);
        switch (textStyle_) {
        case tsRaised:
            if (!lightTextStyle_)
                pass(1, 1, textShadowColor_);
            pass(-1, -1, textHighlightColor_);
            break;
        case tsRecessed:
            pass(1, 1, textHighlightColor_);
            if (!lightTextStyle_)
                pass(-1, -1, textShadowColor_);
            break;
        case tsShadow:
            if (alignment == taRightJustify) {
                pass(0, textShadowDepth_, textShadowColor_);
            } else {
                pass(textShadowDepth_, textShadowDepth_, textShadowColor_);
            }
            break;
        default:
            break;
        }
        pass(0, 0, Font().Color());
    } else {
        pass(0, 0, clGrayText);
    }
    c.Brush().SetStyle(TBrushStyle::bsSolid);
}

LT_CLASS_TABLE(TRzCustomButton) {
    c.Enum("AlignmentVertical", &TRzCustomButton::AlignmentVertical,
           &TRzCustomButton::SetAlignmentVertical)
        .Default(avCenter)
        .Boolean("HotTrack", &TRzCustomButton::HotTrack, &TRzCustomButton::SetHotTrack)
        .Default(false)
        .Integer("HighlightColor", &TRzCustomButton::HighlightColor,
                 &TRzCustomButton::SetHighlightColor, &ColorIdents())
        .Default(clHighlight)
        .Integer("HotTrackColor", &TRzCustomButton::HotTrackColor,
                 &TRzCustomButton::SetHotTrackColor, &ColorIdents())
        .Default(0x00149BF0)
        .Enum("HotTrackColorType", &TRzCustomButton::HotTrackColorType,
              &TRzCustomButton::SetHotTrackColorType)
        .Default(htctActual)
        .Boolean("LightTextStyle", &TRzCustomButton::LightTextStyle,
                 &TRzCustomButton::SetLightTextStyle)
        .Default(false)
        .Enum("TextStyle", &TRzCustomButton::TextStyle, &TRzCustomButton::SetTextStyle)
        .Default(tsNormal)
        .Integer("TextShadowDepth", &TRzCustomButton::TextShadowDepth,
                 &TRzCustomButton::SetTextShadowDepth)
        .Default(2)
        .Integer("TextShadowColor", &TRzCustomButton::TextShadowColor,
                 &TRzCustomButton::SetTextShadowColor, &ColorIdents())
        .Default(clBtnShadow)
        .Integer("TextHighlightColor", &TRzCustomButton::TextHighlightColor,
                 &TRzCustomButton::SetTextHighlightColor, &ColorIdents())
        .Default(clBtnHighlight)
        .Boolean("ThemeAware", &TRzCustomButton::ThemeAware, &TRzCustomButton::SetThemeAware)
        .Default(true)
        .Boolean("Transparent", &TRzCustomButton::Transparent, &TRzCustomButton::SetTransparent)
        .Default(false);
}
