// Push buttons: TButton over the platform's button, TBitBtn (an owner-drawn
// button with a glyph) and TSpeedButton (windowless, latching in groups).
#pragma once

#include <memory>

#include "framework/gdi/bitmap.h"
#include "framework/stdctrls/std_types.h"
#include "framework/ui/form.h"
#include "framework/ui/graphic_control.h"

class TFiler;

// Common base of the controls over the platform's "BUTTON" class: OnClick
// comes from BN_CLICKED only.
class TButtonControl : public TWinControl {
    LT_CLASS(TButtonControl, TWinControl)
public:
    explicit TButtonControl(TComponent* owner);
    void Click() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& msg) override;
    // BN_CLICKED arrived (from the mouse, the space bar or BM_CLICK).
    virtual void Clicked() { Click(); }
    // Fires Click() as a notification of the platform control.
    void NotifyClick();

private:
    TNotifyClick click_;
};

// Where the glyph and the caption go inside a button: one layout for the
// glyph buttons of this file (and any caller that lays out the same way).
struct TButtonLayoutResult {
    POINT glyph;
    POINT text;
};
// client: size of the area; glyph, text: sizes (a zero size is absent);
// margin and spacing -1 centre the pair (see the implementation).
TButtonLayoutResult CalcButtonLayout(SIZE client, SIZE glyph, SIZE text, TButtonLayout layout,
                                     int margin, int spacing);

// Which cell of a glyph strip (0-based) shows for a state: 0 up, 1 disabled,
// 2 pressed, 3 latched down; cells the strip lacks fall back to 0.
int GlyphCellFor(int numGlyphs, bool enabled, bool pressed, bool down);

// NumGlyphs guessed from a picture whose width is 1 to 4 times its height.
int NumGlyphsOfPicture(int width, int height);

class TButton : public TButtonControl {
    LT_CLASS(TButton, TButtonControl)
public:
    explicit TButton(TComponent* owner);

    // Enter clicks the default button unless another button has the focus.
    bool Default() const { return default_; }
    void SetDefault(bool v);
    // Esc clicks a cancel button.
    bool Cancel() const { return cancel_; }
    void SetCancel(bool v) { cancel_ = v; }
    // A click sets this result on the form (a modal form closes with it).
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult v) { modalResult_ = v; }
    // Whether Enter clicks this button now (focused, or the default one).
    bool Active() const { return active_; }
    void Click() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& msg) override;
    // Shows the button as the default push button or not.
    virtual void SetButtonStyle(bool asDefault);

private:
    void FocusChanged(TWinControl* focused);

    bool default_ = false;
    bool cancel_ = false;
    bool active_ = false;
    TModalResult modalResult_ = mrNone;
};

// The glyph shared by the glyph buttons: the picture, its cell count and its
// layout; the form definition carries the picture as BMP bytes ("GlyphData").
class TGlyphHolder {
public:
    TGlyphHolder() : glyph_(std::make_unique<TBitmap>()) {}
    TBitmap& Glyph() { return *glyph_; }
    int NumGlyphs() const { return numGlyphs_; }
    // Sets the picture; NumGlyphs follows its shape.
    void AssignGlyph(const TBitmap& b);
    void LoadGlyphBytes(const uint8_t* data, size_t size);
    void SetNumGlyphsValue(int v) { numGlyphs_ = v < 1 ? 1 : v > 4 ? 4 : v; }
    SIZE GlyphSize() const;
    // Draws cell `cell` at (x, y) with the picture's bottom-left colour transparent.
    void DrawGlyph(HDC dc, int x, int y, int cell);
    void DefineGlyphData(TFiler& filer, const std::function<void()>& changed);

private:
    std::unique_ptr<TBitmap> glyph_;
    int numGlyphs_ = 1;
};

class TBitBtn : public TButton {
    LT_CLASS(TBitBtn, TButton)
public:
    explicit TBitBtn(TComponent* owner);

    TBitmap& Glyph() { return glyph_.Glyph(); }
    void SetGlyph(const TBitmap& b);
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void SetNumGlyphs(int v);
    // A stock kind sets the caption, the modal result and the default/cancel
    // roles; it reads back bkCustom once those no longer match.
    TBitBtnKind Kind() const;
    void SetKind(TBitBtnKind v);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout v);
    int Margin() const { return margin_; }
    void SetMargin(int v);
    int Spacing() const { return spacing_; }
    void SetSpacing(int v);
    // Where glyph and caption are drawn now (client coordinates, unpressed).
    TButtonLayoutResult CurrentLayout();

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& msg) override;
    void SetButtonStyle(bool asDefault) override;
    void DefineProperties(TFiler& filer) override;

private:
    void DrawItem(const DRAWITEMSTRUCT& dis);
    SIZE CaptionSize(HDC dc);

    TGlyphHolder glyph_;
    TBitBtnKind kind_ = bkCustom;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    bool isDefault_ = false;
};

// A windowless button that may latch down: buttons of one parent with the
// same non-zero GroupIndex are exclusive; AllowAllUp lets the down one come up.
class TSpeedButton : public TGraphicControl {
    LT_CLASS(TSpeedButton, TGraphicControl)
public:
    explicit TSpeedButton(TComponent* owner);

    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int v);
    bool Down() const { return down_; }
    void SetDown(bool v);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool v);
    bool Flat() const { return flat_; }
    void SetFlat(bool v);
    TBitmap& Glyph() { return glyph_.Glyph(); }
    void SetGlyph(const TBitmap& b);
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void SetNumGlyphs(int v);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout v);
    int Margin() const { return margin_; }
    void SetMargin(int v);
    int Spacing() const { return spacing_; }
    void SetSpacing(int v);
    // The mouse is down on the button and still over it.
    bool Pressed() const { return pressed_; }

protected:
    void WndProc(TMessage& msg) override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DefineProperties(TFiler& filer) override;
    void Loaded() override;

private:
    // Puts the other buttons of the group up after this one went down, and
    // gives them this one's AllowAllUp.
    void UpdateExclusive();

    TGlyphHolder glyph_;
    int groupIndex_ = 0;
    bool down_ = false;
    bool allowAllUp_ = false;
    bool flat_ = false;
    bool pressed_ = false;
    bool tracking_ = false;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
};

// The frame a speed button shows: 0 none (flat, idle), 1 raised, 2 sunken.
int SpeedButtonFrame(bool flat, bool hot, bool pressed, bool down, bool enabled);
