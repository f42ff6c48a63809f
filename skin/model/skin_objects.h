// The skin objects every painter reads: one picture of FrameCount equal
// frames with fixed edge margins and drawing flags, plus the extra fields of
// borders, the title, push buttons, caption buttons and box labels. They are
// plain data owned by TSkinData; the loader (skin_loader.h) fills them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/gdi/bitmap.h"
#include "framework/gdi/color.h"
#include "skin/draw/skin_draw.h"

// Base of all skin objects. Every field starts at zero (pictures empty).
class TDataSkinObject {
public:
    explicit TDataSkinObject(std::string name = {}) : Name(std::move(name)) {}
    TDataSkinObject(const TDataSkinObject&) = delete;
    TDataSkinObject& operator=(const TDataSkinObject&) = delete;
    virtual ~TDataSkinObject() = default;

    // Width of one frame of Picture (frames side by side), 0 when empty.
    int FrameWidth() const;
    // The four margins as the drawing utilities take them.
    TSkinMargins Margins() const { return {LeftWidth, TopHeight, RightWidth, BottomHeight}; }
    // Whether the middle parts are tiled rather than stretched. Tile is a
    // tile flag, except where it holds the skin's Stretch value (the four
    // window borders): there a Stretch of 0 means tiling.
    bool TilesMiddle() const { return TileHoldsStretch ? Tile == 0 : Tile != 0; }

    std::string Name;
    // Fixed edge sizes of each frame (copied unscaled by the painters).
    int32_t LeftWidth = 0;
    int32_t TopHeight = 0;
    int32_t RightWidth = 0;
    int32_t BottomHeight = 0;
    TBitmap Picture;
    // Draw with magenta 0x00FF00FF as the transparent colour.
    int32_t Trans = 0;
    // Fill mode of the middle parts: 0 stretch, non-zero tile; for the four
    // borders the skin's Stretch value instead (see TilesMiddle).
    int32_t Tile = 0;
    // Set by the loader for the borders, whose Tile holds a Stretch value.
    bool TileHoldsStretch = false;
    int32_t FrameCount = 0;
    int32_t Style = 0;
    // Raw values from the skin (-1 when absent).
    int32_t NormalColour = 0;
    int32_t MouseOverColour = 0;
    int32_t PressedColour = 0;
    // Text colours of the three states.
    TColor NormalColour2 = 0;
    TColor MouseOverColour2 = 0;
    TColor PressedColour2 = 0;
};

// An object with a second picture: tab border, progress chunk, up-down
// glyphs, the mirrored combo button, and the window borders.
class TDataSkinBorder : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    TBitmap Picture2;
};

// The title text settings; its margin slots hold TextShift (LeftWidth),
// TextShiftVert (TopHeight) and TextRightClip (RightWidth).
class TDataSkinTitle : public TDataSkinObject {
public:
    // Marks a text colour the skin did not give.
    static constexpr TColor kNoColour = 0x1FFFFFFF;

    using TDataSkinObject::TDataSkinObject;
    int32_t TextAlignment = 0;
    int32_t Textbackground = 0;
    int32_t FontHeight = 0;
    int32_t TXTBackleft = 0;
    int32_t TXTBackRight = 0;
    TColor ActiveTextColour = 0;
    TColor InactiveTextColour = 0;
};

// Push buttons, with the check-mark and radio-mark strips.
class TDataSkinButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    TBitmap CheckPicture;
    TBitmap RadioPicture;
    // Frame counts of the two strips.
    int32_t RadioButtonFrame = 0;
    int32_t CheckButtonFrame = 0;
    // Whether the skin gave the state's text colour.
    bool HasNormalColour2 = false;
    bool HasMouseOverColour2 = false;
    bool HasPressedColour2 = false;
};

// One caption button of the title bar (or an MDI child button).
class TDataSkinSysButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    int32_t Action = 0;
    int32_t Align = 0;
    int32_t XCoord = 0;
    int32_t YCoord = 0;
    int32_t CombineOp = 0;
    int32_t Visibility = 0;
    int32_t Visibility1 = 0;
};

// A group-box caption background.
class TDataSkinBoxLabel : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    int32_t BackgroundLeftShift = 0;
    int32_t BackgroundRightShift = 0;
    int32_t BackgroundAlignment = 0;
};

// The drawing utilities applied to a skin object's Picture with its own
// frame count, margins, fill mode (TilesMiddle) and Trans.
std::unique_ptr<TBitmap> StretchSkinFrame(const RECT& target, TDataSkinObject& obj, int k,
                                          bool vertical = false,
                                          int stretchMode = kSkinDefaultStretchMode);
void DrawSkinElement(HDC dc, const RECT& target, TDataSkinObject& obj, int k, bool vertical = false,
                     int stretchMode = kSkinDefaultStretchMode);
void DrawSkinCell(HDC dc, const RECT& target, TDataSkinObject& obj, int k);
void DrawSkinGlyph(HDC dc, const RECT& target, TDataSkinObject& obj, int k);
