// TRzCustomButton: the base of the self-drawn push buttons: mouse tracking,
// hover, the press-and-release click rule, and caption drawing with text
// styles.
#pragma once

#include "controls/rz_types.h"
#include "framework/ui/graphic_control.h"

class TRzCustomButton : public TCustomControl {
    LT_CLASS(TRzCustomButton, TCustomControl)
public:
    explicit TRzCustomButton(TComponent* owner);

    TVerticalAlignment AlignmentVertical() const { return alignmentVertical_; }
    void SetAlignmentVertical(TVerticalAlignment v) { Store(alignmentVertical_, v); }
    bool HotTrack() const { return hotTrack_; }
    virtual void SetHotTrack(bool v) { Store(hotTrack_, v); }
    TColor HighlightColor() const { return highlightColor_; }
    void SetHighlightColor(TColor v) { Store(highlightColor_, v); }
    TColor HotTrackColor() const { return hotTrackColor_; }
    void SetHotTrackColor(TColor v) { Store(hotTrackColor_, v); }
    THotTrackColorType HotTrackColorType() const { return hotTrackColorType_; }
    void SetHotTrackColorType(THotTrackColorType v) { Store(hotTrackColorType_, v); }
    bool LightTextStyle() const { return lightTextStyle_; }
    void SetLightTextStyle(bool v) { Store(lightTextStyle_, v); }
    TTextStyle TextStyle() const { return textStyle_; }
    void SetTextStyle(TTextStyle v) { Store(textStyle_, v); }
    int TextShadowDepth() const { return textShadowDepth_; }
    void SetTextShadowDepth(int v) { Store(textShadowDepth_, v); }
    TColor TextShadowColor() const { return textShadowColor_; }
    void SetTextShadowColor(TColor v) { Store(textShadowColor_, v); }
    TColor TextHighlightColor() const { return textHighlightColor_; }
    void SetTextHighlightColor(TColor v) { Store(textHighlightColor_, v); }
    bool ThemeAware() const { return themeAware_; }
    void SetThemeAware(bool v) { Store(themeAware_, v); }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v) { Store(transparent_, v); }

    bool MouseOver() const { return mouseOver_; }
    bool Dragging() const { return dragging_; }
    bool ShowDown() const { return showDown_; }
    // The platform's visual styles draw this button.
    bool UseThemes() const;

protected:
    void WndProc(TMessage& msg) override;
    // What a completed press does (the click); buttons add grouping.
    virtual void ClickAction() { Click(); }
    // Draws the caption in r with the button's font, alignment and styles.
    void DrawCaption(TCanvas& c, RECT r, TAlignment alignment);
    // Stores a property value and repaints when it changed.
    template <class T> void Store(T& field, T value) {
        if (field != value) {
            field = value;
            Invalidate();
        }
    }

    bool mouseOver_ = false;
    bool dragging_ = false;
    bool showDown_ = false;

private:
    void MouseDownAt(int x, int y);
    void MouseMoveAt(int x, int y);
    void MouseUpAt(int x, int y);

    TVerticalAlignment alignmentVertical_ = avCenter;
    bool hotTrack_ = false;
    TColor highlightColor_ = clHighlight;
    TColor hotTrackColor_ = 0x00149BF0;
    THotTrackColorType hotTrackColorType_ = htctActual;
    bool lightTextStyle_ = false;
    TTextStyle textStyle_ = tsNormal;
    int textShadowDepth_ = 2;
    TColor textShadowColor_ = clBtnShadow;
    TColor textHighlightColor_ = clBtnHighlight;
    bool themeAware_ = true;
    bool transparent_ = false;
};
