// TRzLabel: properties, colour behaviour, blinking and auto-size. Painting
// lives in rz_label_paint.cpp.
#include "controls/rz_label.h"

#include "controls/blink_clock.h"
#include "controls/colour.h"
#include "framework/gdi/screen_text.h"

#include <algorithm>
#include <cmath>

// Opaque, parent-coloured, registered with the blink clock.
TRzLabel::TRzLabel(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 65, 17);
    SetColor(clBtnFace);
    SetParentColor(true);
    fontColor_ = textColor_ = Font().Color();
    TRzBlinkingControlsList::Register(this);
}

// Leaves the blink clock (the last label frees it).
TRzLabel::~TRzLabel() {
    TRzBlinkingControlsList::Unregister(this);
}

// Stores a property value and repaints when it changed.
template <class T> void TRzLabel::Store(T& field, T value) {
    if (field == value) {
        return;
    }
    field = value;
    AdjustBounds();
    Invalidate();
}

void TRzLabel::SetAlignment(TAlignment v) {
    Store(alignment_, v);
}
void TRzLabel::SetAutoSize(bool v) {
    Store(autoSize_, v);
}
void TRzLabel::SetLayout(TTextLayout v) {
    Store(layout_, v);
}
void TRzLabel::SetWordWrap(bool v) {
    Store(wordWrap_, v);
}
void TRzLabel::SetTransparent(bool v) {
    Store(transparent_, v);
}
void TRzLabel::SetShowAccelChar(bool v) {
    Store(showAccelChar_, v);
}
void TRzLabel::SetAngle(int v) {
    Store(angle_, v);
}
void TRzLabel::SetRotation(TRotation v) {
    Store(rotation_, v);
}
void TRzLabel::SetCenterPoint(TCenterPoint v) {
    Store(centerPoint_, v);
}
void TRzLabel::SetTextStyle(TTextStyle v) {
    Store(textStyle_, v);
}
void TRzLabel::SetLightTextStyle(bool v) {
    Store(lightTextStyle_, v);
}
void TRzLabel::SetHighlightColor(TColor v) {
    Store(highlightColor_, v);
}
void TRzLabel::SetShadowColor(TColor v) {
    Store(shadowColor_, v);
}
void TRzLabel::SetShadowDepth(int v) {
    Store(shadowDepth_, v);
}
void TRzLabel::SetTextMargin(int v) {
    Store(textMargin_, v);
}
void TRzLabel::SetCondenseCaption(TRzCondenseCaption v) {
    Store(condenseCaption_, v);
}
void TRzLabel::SetBlinkColor(TColor v) {
    Store(blinkColor_, v);
}
void TRzLabel::SetBorderOuter(TFrameStyleEx v) {
    Store(borderOuter_, v);
}
void TRzLabel::SetBorderInner(TFrameStyleEx v) {
    Store(borderInner_, v);
}
void TRzLabel::SetBorderSides(TSides v) {
    Store(borderSides_, v);
}
void TRzLabel::SetBorderColor(TColor v) {
    Store(borderColor_, v);
}
void TRzLabel::SetBorderHighlight(TColor v) {
    Store(borderHighlight_, v);
}
void TRzLabel::SetBorderShadow(TColor v) {
    Store(borderShadow_, v);
}
void TRzLabel::SetBorderWidth(int v) {
    Store(borderWidth_, v);
}
void TRzLabel::SetBevelWidth(int v) {
    Store(bevelWidth_, v);
}
void TRzLabel::SetFlatColor(TColor v) {
    Store(flatColor_, v);
}
void TRzLabel::SetFlatColorAdjustment(int v) {
    Store(flatColorAdjustment_, v);
}

// The clock's intervals, shared by every label.
int TRzLabel::BlinkIntervalOn() const {
    auto* clock = TRzBlinkingControlsList::Instance();
    return clock ? clock->IntervalOn() : 500;
}
int TRzLabel::BlinkIntervalOff() const {
    auto* clock = TRzBlinkingControlsList::Instance();
    return clock ? clock->IntervalOff() : 500;
}
void TRzLabel::SetBlinkIntervalOn(int v) {
    if (auto* clock = TRzBlinkingControlsList::Instance()) {
        clock->SetIntervalOn(static_cast<uint16_t>(v));
    }
}
void TRzLabel::SetBlinkIntervalOff(int v) {
    if (auto* clock = TRzBlinkingControlsList::Instance()) {
        clock->SetIntervalOff(static_cast<uint16_t>(v));
    }
}

// Switching blinking off puts the font colour back at once.
void TRzLabel::SetBlinking(bool v) {
    if (blinking_ == v) {
        return;
    }
    blinking_ = v;
    if (!v) {
        textColor_ = fontColor_;
    }
    Invalidate();
}

// Font colour tracking and the TrueType check of rotated text.
void TRzLabel::FontChanged() {
    if (HasState(csLoading)) {
        return;
    }
    if (!blinking_) {
        fontColor_ = textColor_ = Font().Color();
    }
    if (angle_ != 0) {
        const TEXTMETRICW tm = TScreenTextDC(Font().Handle()).Metrics();
        if ((tm.tmPitchAndFamily & TMPF_TRUETYPE) == 0) {
            angle_ = 0;
        }
    }
    AdjustBounds();
}

// After reading: colours from the font and the size from the text.
void TRzLabel::Loaded() {
    TGraphicControl::Loaded();
    if (!blinking_) {
        fontColor_ = textColor_ = Font().Color();
    }
    AdjustBounds();
}

// A caption change resizes and repaints at once.
void TRzLabel::TextChanged() {
    AdjustBounds();
    Invalidate();
    if (Parent()) {
        Repaint();
    }
}

// Blink clock, hover colour and font notifications.
void TRzLabel::WndProc(TMessage& msg) {
    switch (msg.Msg) {
    case CM_BLINKQUERY:
        msg.Result = blinking_ ? 1 : 0;
        return;
    case CM_BLINKSTATE:
        textColor_ = msg.WParam == 1 ? blinkColor_ : fontColor_;
        Repaint();
        return;
    case CM_FONTCHANGED:
        FontChanged();
        break;
    case CM_MOUSEENTER:
        if (flyByEnabled_ && !HasState(csDesigning)) {
            savedHoverColor_ = Font().Color();
            Font().SetColor(flyByColor_);
        }
        break;
    case CM_MOUSELEAVE:
        if (flyByEnabled_ && savedHoverColor_ != clNone) {
            Font().SetColor(savedHoverColor_);
            savedHoverColor_ = clNone;
        }
        break;
    default:
        break;
    }
    TGraphicControl::WndProc(msg);
}

// Width of a border style's lines, for auto-sizing.
int TRzLabel::BorderSize(TFrameStyleEx style) const {
    switch (style) {
    case fsFlat:
        return 1;
    case fsStatus:
    case fsPopup:
        return bevelWidth_;
    case fsGroove:
    case fsBump:
    case fsLowered:
    case fsButtonDown:
    case fsRaised:
    case fsButtonUp:
        return 2;
    default:
        return 0;
    }
}

// Auto-size: the measured text plus borders (and shadow depth).
void TRzLabel::AdjustBounds() {
    if (!autoSize_ || HasState(csLoading) || HasState(csReading)) {
        return;
    }
    const int edge = BorderSize(borderOuter_) + borderWidth_ + BorderSize(borderInner_);
    const int dx = (borderSides_.Contains(sdLeft) ? edge : 0) +
                   (borderSides_.Contains(sdRight) ? edge : 0) + 2 * textMargin_;
    const int dy = (borderSides_.Contains(sdTop) ? edge : 0) +
                   (borderSides_.Contains(sdBottom) ? edge : 0) + 2 * textMargin_;
    const RECT r =
        TScreenTextDC(Font().Handle())
            .MeasureText(Caption().empty() ? L" " : Caption(),
                         RECT{0, 0, wordWrap_ ? std::max(1, Width() - dx) : 0, 0}, TextFlags());
    int w = r.right - r.left + dx, h = r.bottom - r.top + dy;
    if (textStyle_ == tsShadow) {
        w += shadowDepth_;
        h += shadowDepth_;
    }
    if (rotation_ == roFlat && angle_ % 360 != 0) {
        const double a = angle_ * 3.14159265358979323846 / 180.0;
        const double c = std::abs(std::cos(a)), s = std::abs(std::sin(a));
        const int rw = static_cast<int>(w * c + h * s + 0.5),
                  rh = static_cast<int>(w * s + h * c + 0.5);
        w = rw;
        h = rh;
    }
    if (wordWrap_) {
        w = Width();
    }
    int left = Left();
    if (alignment_ == taRightJustify) {
        left += Width() - w;
    }
    if (w != Width() || h != Height() || left != Left()) {
        SetBounds(left, Top(), w, h);
    }
}

#include "framework/core/class_builder.h"
#include "framework/ui/ui_idents.h"

LT_CLASS_TABLE(TRzLabel) {
    c.Enum("Alignment", &TRzLabel::Alignment, &TRzLabel::SetAlignment)
        .Default(taLeftJustify)
        .Boolean("AutoSize", &TRzLabel::AutoSize, &TRzLabel::SetAutoSize)
        .Default(true)
        .Enum("Layout", &TRzLabel::Layout, &TRzLabel::SetLayout)
        .Default(tlTop)
        .Boolean("WordWrap", &TRzLabel::WordWrap, &TRzLabel::SetWordWrap)
        .Default(false)
        .Boolean("Transparent", &TRzLabel::Transparent, &TRzLabel::SetTransparent)
        .Default(false)
        .Boolean("ShowAccelChar", &TRzLabel::ShowAccelChar, &TRzLabel::SetShowAccelChar)
        .Default(true)
        .Boolean("ParentFont", &TRzLabel::ParentFont, &TRzLabel::SetParentFont)
        .Default(true)
        .Integer("Angle", &TRzLabel::Angle, &TRzLabel::SetAngle)
        .Default(0)
        .Boolean("Blinking", &TRzLabel::Blinking, &TRzLabel::SetBlinking)
        .Default(false)
        .Integer("BlinkColor", &TRzLabel::BlinkColor, &TRzLabel::SetBlinkColor, &ColorIdents())
        .Default(clHighlight)
        .Integer("BlinkIntervalOff", &TRzLabel::BlinkIntervalOff, &TRzLabel::SetBlinkIntervalOff)
        .Default(500)
        .Integer("BlinkIntervalOn", &TRzLabel::BlinkIntervalOn, &TRzLabel::SetBlinkIntervalOn)
        .Default(500)
        .Integer("BevelWidth", &TRzLabel::BevelWidth, &TRzLabel::SetBevelWidth)
        .Default(1)
        .Enum("BorderInner", &TRzLabel::BorderInner, &TRzLabel::SetBorderInner)
        .Default(fsNone)
        .Enum("BorderOuter", &TRzLabel::BorderOuter, &TRzLabel::SetBorderOuter)
        .Default(fsNone)
        .Set("BorderSides", &TRzLabel::BorderSides, &TRzLabel::SetBorderSides)
        .Integer("BorderColor", &TRzLabel::BorderColor, &TRzLabel::SetBorderColor, &ColorIdents())
        .Default(clBtnFace)
        .Integer("BorderHighlight", &TRzLabel::BorderHighlight, &TRzLabel::SetBorderHighlight,
                 &ColorIdents())
        .Default(clBtnHighlight)
        .Integer("BorderShadow", &TRzLabel::BorderShadow, &TRzLabel::SetBorderShadow,
                 &ColorIdents())
        .Default(clBtnShadow)
        .Integer("BorderWidth", &TRzLabel::BorderWidth, &TRzLabel::SetBorderWidth)
        .Default(0)
        .Enum("CondenseCaption", &TRzLabel::CondenseCaption, &TRzLabel::SetCondenseCaption)
        .Default(ccNone)
        .Integer("FlatColor", &TRzLabel::FlatColor, &TRzLabel::SetFlatColor, &ColorIdents())
        .Default(clBtnShadow)
        .Integer("FlatColorAdjustment", &TRzLabel::FlatColorAdjustment,
                 &TRzLabel::SetFlatColorAdjustment)
        .Default(30)
        .Enum("CenterPoint", &TRzLabel::CenterPoint, &TRzLabel::SetCenterPoint)
        .Default(cpCenter)
        .Integer("FlyByColor", &TRzLabel::FlyByColor, &TRzLabel::SetFlyByColor, &ColorIdents())
        .Default(clHighlight)
        .Boolean("FlyByEnabled", &TRzLabel::FlyByEnabled, &TRzLabel::SetFlyByEnabled)
        .Default(false)
        .Boolean("LightTextStyle", &TRzLabel::LightTextStyle, &TRzLabel::SetLightTextStyle)
        .Default(false)
        .Enum("Rotation", &TRzLabel::Rotation, &TRzLabel::SetRotation)
        .Default(roNone)
        .Integer("HighlightColor", &TRzLabel::HighlightColor, &TRzLabel::SetHighlightColor,
                 &ColorIdents())
        .Default(clBtnHighlight)
        .Integer("ShadowColor", &TRzLabel::ShadowColor, &TRzLabel::SetShadowColor, &ColorIdents())
        .Default(clBtnShadow)
        .Integer("ShadowDepth", &TRzLabel::ShadowDepth, &TRzLabel::SetShadowDepth)
        .Default(2)
        .Integer("TextMargin", &TRzLabel::TextMargin, &TRzLabel::SetTextMargin)
        .Default(0)
        .Enum("TextStyle", &TRzLabel::TextStyle, &TRzLabel::SetTextStyle)
        .Default(tsNormal);
}
