// TRzLabel: a windowless static text that draws its caption itself, with
// optional borders, raised/recessed/shadowed text, rotation, a blinking
// colour and a hover colour.
#pragma once

#include "controls/frame_draw.h"
#include "controls/rz_types.h"
#include "framework/ui/graphic_control.h"

#include <cstdint>
#include <string>

class TRzLabel : public TGraphicControl {
    LT_CLASS(TRzLabel, TGraphicControl)
public:
    explicit TRzLabel(TComponent* owner);
    ~TRzLabel() override;

    // Framework label behaviour.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout v);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool v);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool v) { parentFont_ = v; }

    // Text look.
    int Angle() const { return angle_; }
    void SetAngle(int v);
    TRotation Rotation() const { return rotation_; }
    void SetRotation(TRotation v);
    TCenterPoint CenterPoint() const { return centerPoint_; }
    void SetCenterPoint(TCenterPoint v);
    TTextStyle TextStyle() const { return textStyle_; }
    void SetTextStyle(TTextStyle v);
    bool LightTextStyle() const { return lightTextStyle_; }
    void SetLightTextStyle(bool v);
    TColor HighlightColor() const { return highlightColor_; }
    void SetHighlightColor(TColor v);
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor v);
    int ShadowDepth() const { return shadowDepth_; }
    void SetShadowDepth(int v);
    int TextMargin() const { return textMargin_; }
    void SetTextMargin(int v);
    TRzCondenseCaption CondenseCaption() const { return condenseCaption_; }
    void SetCondenseCaption(TRzCondenseCaption v);

    // Blinking and hover colours.
    bool Blinking() const { return blinking_; }
    void SetBlinking(bool v);
    TColor BlinkColor() const { return blinkColor_; }
    void SetBlinkColor(TColor v);
    int BlinkIntervalOn() const;
    void SetBlinkIntervalOn(int v);
    int BlinkIntervalOff() const;
    void SetBlinkIntervalOff(int v);
    bool FlyByEnabled() const { return flyByEnabled_; }
    void SetFlyByEnabled(bool v) { flyByEnabled_ = v; }
    TColor FlyByColor() const { return flyByColor_; }
    void SetFlyByColor(TColor v) { flyByColor_ = v; }

    // Borders.
    TFrameStyleEx BorderOuter() const { return borderOuter_; }
    void SetBorderOuter(TFrameStyleEx v);
    TFrameStyleEx BorderInner() const { return borderInner_; }
    void SetBorderInner(TFrameStyleEx v);
    TSides BorderSides() const { return borderSides_; }
    void SetBorderSides(TSides v);
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor v);
    TColor BorderHighlight() const { return borderHighlight_; }
    void SetBorderHighlight(TColor v);
    TColor BorderShadow() const { return borderShadow_; }
    void SetBorderShadow(TColor v);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int v);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int v);
    TColor FlatColor() const { return flatColor_; }
    void SetFlatColor(TColor v);
    int FlatColorAdjustment() const { return flatColorAdjustment_; }
    void SetFlatColorAdjustment(int v);

    // The colour the main text is drawn in now.
    TColor CurrentTextColor() const { return textColor_; }
    // The DrawText flags of the flat text path.
    UINT TextFlags() const;

protected:
    void WndProc(TMessage& msg) override;
    void Paint() override;
    void Loaded() override;
    void TextChanged() override;

private:
    template <class T> void Store(T& field, T value);
    RECT DrawBorder(TCanvas& c, RECT r, TFrameStyleEx style);
    RECT ClientLessBorders(TCanvas& c, bool draw);
    int BorderSize(TFrameStyleEx style) const;
    RECT PlaceText(TCanvas& c, RECT r, UINT flags);
    void DrawPass(TCanvas& c, RECT r, int dx, int dy, TColor colour, UINT flags);
    void DrawFlatText(TCanvas& c, const RECT& textRect);
    void DrawRotatedText(TCanvas& c, const RECT& textRect);
    void FontChanged();
    void AdjustBounds();

    TAlignment alignment_ = taLeftJustify;
    bool autoSize_ = true;
    TTextLayout layout_ = tlTop;
    bool wordWrap_ = false;
    bool transparent_ = false;
    bool showAccelChar_ = true;
    bool parentFont_ = true;
    int angle_ = 0;
    TRotation rotation_ = roNone;
    TCenterPoint centerPoint_ = cpCenter;
    TTextStyle textStyle_ = tsNormal;
    bool lightTextStyle_ = false;
    TColor highlightColor_ = clBtnHighlight;
    TColor shadowColor_ = clBtnShadow;
    int shadowDepth_ = 2;
    int textMargin_ = 0;
    TRzCondenseCaption condenseCaption_ = ccNone;
    bool blinking_ = false;
    TColor blinkColor_ = clHighlight;
    bool flyByEnabled_ = false;
    TColor flyByColor_ = clHighlight;
    TColor savedHoverColor_ = clNone;
    TFrameStyleEx borderOuter_ = fsNone;
    TFrameStyleEx borderInner_ = fsNone;
    TSides borderSides_ = sdAllSides;
    TColor borderColor_ = clBtnFace;
    TColor borderHighlight_ = clBtnHighlight;
    TColor borderShadow_ = clBtnShadow;
    int borderWidth_ = 0;
    int bevelWidth_ = 1;
    TColor flatColor_ = clBtnShadow;
    int flatColorAdjustment_ = 30;
    TColor fontColor_ = clWindowText;
    TColor textColor_ = clWindowText;
};
