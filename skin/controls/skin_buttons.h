// Push-button wrappers: TSkinButton (framework push buttons and raw "button"
// windows), TSkinBitButton (buttons with a glyph or an image list) and
// TSkinSpeedButton (windowless speed buttons). They replace the button's
// painting with a frame of the skin's Buttons element and the caption and
// glyph on top, and track the hot and pressed states themselves. Which frame,
// which glyph cell and where glyph and caption go are pure functions below.
#pragma once

#include "framework/ui/win32.h"

#include <cstdint>
#include <memory>
#include <string>

#include "skin/controls/skin_control.h"

class TBitmap;
class TDataSkinButton;
class TImageList;

// Frames of the Buttons element (1-based).
constexpr int kButtonFrames = 5;
constexpr int kFrameNormal = 1;
constexpr int kFramePressed = 2;
constexpr int kFrameDisabled = 3;
constexpr int kFrameHot = 4;
constexpr int kFrameDefault = 5;

// Glyph cells (1-based): normal, disabled (drawn grey), pressed.
constexpr int kCellNormal = 1;
constexpr int kCellDisabled = 2;
constexpr int kCellPressed = 3;

// Glyph placement codes, in the order of the "Layout" identifiers.
enum class TGlyphPlace : int { Left = 0, Right = 1, Top = 2, Bottom = 3 };

// Frame of a plain push button: pressed, hot, default, focused, normal; a
// disabled button shows the disabled frame whatever else holds.
int SkinButtonFrame(bool pressed, bool hot, bool isDefault, bool focused, bool enabled);
// Frame of a glyph button: pressed, hot or focused, default, normal; disabled wins.
int SkinBitButtonFrame(bool pressed, bool hot, bool focused, bool isDefault, bool enabled);
// Frame of a speed button: latched down first, then disabled, then pressed, hot, normal.
int SkinSpeedButtonFrame(bool pressed, bool hot, bool down, bool enabled);
// The glyph cell a frame shows.
int SkinGlyphCell(int frame);
// The cell of a strip of n cells that is copied for `cell`: only a strip of
// four cells has its own disabled and pressed pictures.
int SkinGlyphSourceCell(int numGlyphs, int cell);
// A caption's "||" marks become line breaks.
std::wstring SplitCaptionLines(const std::wstring& caption);
// Glyph placement from a lower-case "Layout" identifier (unknown: left).
TGlyphPlace GlyphPlaceOf(const std::string& layout);
// A pixel (0x00BBGGRR) turned grey: each channel the average of the three.
uint32_t GreyPixel(uint32_t colour);

// Text colour of a state: the skin's colour for the normal, hot and pressed
// frames when the skin gives one, `disabled` for a disabled button, else `base`.
TColor ButtonStateTextColour(int frame, bool enabled, TColor base, const TDataSkinButton& element,
                             TColor disabled);

// What the glyph-and-caption layout takes.
struct TButtonFaceInput {
    SIZE client{};
    SIZE glyph{};
    SIZE text{};
    TGlyphPlace place = TGlyphPlace::Left;
    int margin = -1;
    int spacing = -1;
    // "Alignment" is taCenter: the automatic margin even when one is set.
    bool centred = false;
    // Speed-button rules: a computed margin is one pixel larger, no word break.
    bool speed = false;
};

// Where glyph and caption go, and how the caption is drawn.
struct TButtonFaceLayout {
    POINT glyph{};
    RECT text{};
    UINT textFlags = 0;
    int margin = 0;
    int spacing = 0;
};

TButtonFaceLayout LayoutButtonFace(const TButtonFaceInput& in);

// What a glyph button shows beside its caption: a strip of glyph cells, or
// an image of an image list.
struct TButtonGlyph {
    TBitmap* strip = nullptr;
    int numGlyphs = 1;
    TImageList* images = nullptr;
    int imageIndex = -1;
    int disabledIndex = -1;
    // Cell size of the strip, else the list's image size when an image is
    // chosen, else 0 x 0.
    SIZE Size() const;
};

// Draws cell `cell` of a strip of n cells at `at`: the cell's own picture
// only in a strip of four, the disabled cell greyed, the colour of the
// cell's bottom-left pixel transparent.
void DrawGlyphCell(HDC dc, TBitmap& strip, int n, int cell, POINT at);

// Plain push buttons: framework buttons (attached through the control) and
// raw "button" windows (attached by subclassing).
class TSkinButton : public TSkinControl {
    LT_CLASS(TSkinButton, TSkinControl)
public:
    explicit TSkinButton(TComponent* owner);
    ~TSkinButton() override;

    bool BeforeMessage(TMessage& msg) override;
    void AfterMessage(TMessage& msg) override;
    void PaintSkin(HDC dc, const RECT& rect) override;

    bool Hot() const { return (MouseState & kMouseHot) != 0; }
    bool Pressed() const { return (MouseState & kMousePressed) != 0; }
    // The frame the last paint drew (0 before the first).
    int LastFrame() const { return lastFrame_; }

protected:
    // The skin's Buttons element when it has a picture, else null.
    TDataSkinButton* ButtonsElement() const;
    // The framework object whose properties are read: the control, or the
    // windowless control.
    TObject* Source() const;
    void SetMouseBits(uint8_t bits, bool on);
    // Becomes the form's hot button; the one that was tells its window to leave.
    void TakeHot();
    // Leaves the form's hot slot if it names this wrapper.
    void DropHot();
    // Sizes the off-screen buffer, fills it with the face colour and draws
    // frame k of the element (unless k is 0); answers the buffer's DC.
    HDC PrepareBuffer(const RECT& rect, TDataSkinButton& element, int frames, int k);
    // Copies the buffer to dc at the rectangle's place.
    void PresentBuffer(HDC dc, const RECT& rect);
    // Lays out and draws glyph and caption of a glyph button or speed button
    // into the buffer (whose font is selected) in the state's text colour.
    void DrawGlyphFace(HDC dc, TButtonFaceInput in, const TButtonGlyph& glyph, int frame,
                       bool enabled, TColor baseColour);
    // The caption's size in the selected font (0 x 0 when empty).
    SIZE MeasureCaption(HDC dc, SIZE client) const;
    // Focused, Enabled and Caption from the window (or the control);
    // answers the window style.
    LONG ReadWindowState();
    // "||" broken into lines, kept in Caption.
    void TakeCaption(const std::wstring& text);

    // The off-screen picture every paint is composed in.
    std::unique_ptr<TBitmap> PaintBuffer;
    int lastFrame_ = 0;

private:
    void MouseMoved();
    void ReleasedOver();
};

// Buttons with a glyph ("Glyph", "NumGlyphs") or an image list ("Images",
// "ImageIndex", "DisabledIndex"), laid out by "Layout", "Margin", "Spacing"
// and "Alignment".
class TSkinBitButton : public TSkinButton {
    LT_CLASS(TSkinBitButton, TSkinButton)
public:
    using TSkinButton::TSkinButton;
    void PaintSkin(HDC dc, const RECT& rect) override;
};

// Windowless speed buttons: the control handles the press itself; the
// wrapper paints it, flat buttons at rest without a frame.
class TSkinSpeedButton : public TSkinBitButton {
    LT_CLASS(TSkinSpeedButton, TSkinBitButton)
public:
    using TSkinBitButton::TSkinBitButton;

    // Attaches to the windowless control that owns the wrapper: its message
    // method is hooked; Handle stays 0 and Attached is not set. Answers
    // whether the form skinner had the wrapper already.
    bool AttachGraphic(TWrapperHost* formSkinner, TSkinData* skinData, TCanvas* canvas) override;

    bool BeforeMessage(TMessage& msg) override;
    void AfterMessage(TMessage& msg) override;
    // Paints into the control's canvas while it has a DC, otherwise into the
    // parent window's DC at the control's place.
    void PaintToWindow(HDC dc) override;
    // Draws the speed button into dc at rect.
    void PaintSpeedButton(HDC dc, const RECT& rect);
};

// Registers the three wrapper classes by name for the form skinner.
void RegisterButtonSkins();
