// TRzButton: the self-drawn push button: default and cancel roles, modal
// result, grouped latching buttons, frame colour and the hot-tracking look.
#pragma once

#include "controls/rz_custom_button.h"
#include "framework/ui/form.h"

LT_ENUM(TRzButtonState, bsUp, bsDisabled, bsDown, bsExclusive)

class TRzButton : public TRzCustomButton {
    LT_CLASS(TRzButton, TRzCustomButton)
public:
    explicit TRzButton(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v) { Store(alignment_, v); }
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool v);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool v) { cancel_ = v; }
    bool Default() const { return default_; }
    void SetDefault(bool v);
    bool DropDownOnEnter() const { return dropDownOnEnter_; }
    void SetDropDownOnEnter(bool v) { dropDownOnEnter_ = v; }
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int v);
    bool Down() const { return down_; }
    void SetDown(bool v);
    TColor FrameColor() const { return frameColor_; }
    void SetFrameColor(TColor v) { Store(frameColor_, v); }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult v) { modalResult_ = v; }
    bool ShowDownPattern() const { return showDownPattern_; }
    void SetShowDownPattern(bool v) { Store(showDownPattern_, v); }
    bool ShowFocusRect() const { return showFocusRect_; }
    void SetShowFocusRect(bool v) { Store(showFocusRect_, v); }
    void SetHotTrack(bool v) override;

    bool Active() const { return active_; }
    bool Clicking() const { return clicking_; }
    TRzButtonState State() const;

    // Sets the parent form's modal result, then fires OnClick.
    void Click() override;

protected:
    void WndProc(TMessage& msg) override;
    void CreateWnd() override;
    void Paint() override;
    void ClickAction() override;
    void DefineProperties(TFiler& filer) override;
    // The caption rectangle (inset 5, shifted when a grouped button is down).
    virtual RECT CaptionRect();
    // Caption and glyph; glyph buttons add theirs.
    virtual void PaintContent(TCanvas& c);
    // The focus-rectangle inset: 3 in the hot-tracking or themed look, else 4.
    RECT FocusRect() const;
    bool GroupedDown() const { return groupIndex_ != 0 && (down_ || showDown_); }

private:
    void PaintThemed(TCanvas& c, RECT r);
    // Each look returns the face rectangle left inside its frame.
    RECT PaintHotTrack(TCanvas& c, RECT r);
    RECT PaintHotTrackDisabled(TCanvas& c, RECT r);
    RECT PaintClassic(TCanvas& c, RECT r);
    void PaintPlainFace(TCanvas& c, RECT r);
    void PaintDownPattern(TCanvas& c, const RECT& r);
    void EraseTransparent(TMessage& msg);
    void BroadcastGroup();
    void HandleGroupMessage(TMessage& msg);
    bool HandleDialogKey(TMessage& msg);
    bool HandleAccelerator(TMessage& msg);
    void UpdateActive(TControl* focused);

    TAlignment alignment_ = taCenter;
    bool allowAllUp_ = false;
    bool cancel_ = false;
    bool default_ = false;
    bool dropDownOnEnter_ = true;
    int groupIndex_ = 0;
    bool down_ = false;
    TColor frameColor_ = cl3DDkShadow;
    TModalResult modalResult_ = mrNone;
    bool showDownPattern_ = true;
    bool showFocusRect_ = true;
    bool active_ = false;
    bool keyToggle_ = false;
    bool clicking_ = false;
    bool exclusive_ = false;
};
