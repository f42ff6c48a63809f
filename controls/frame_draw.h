// Line and frame drawing helpers of the custom-drawn controls: side lines,
// bevels, dotted focus frames, gradient rings and the classic frame styles.
#pragma once

#include "framework/core/enum_info.h"
#include "framework/core/set.h"
#include "framework/gdi/canvas.h"

#include "framework/ui/win32.h"

LT_ENUM(TSide, sdLeft, sdTop, sdRight, sdBottom)
// A set of sides: left 1, top 2, right 4, bottom 8.
using TSides = TSet<TSide>;
constexpr TSides sdAllSides = TSides::FromMask(15);

// Frame styles; fsFlatRounded is only meaningful to the label.
LT_ENUM(TFrameStyleEx, fsNone, fsFlat, fsGroove, fsBump, fsLowered, fsButtonDown, fsRaised,
        fsButtonUp, fsStatus, fsPopup, fsFlatBold, fsFlatRounded)
using TFrameStyle = TFrameStyleEx;

// One line per side in `sides`: left and top in `topLeft`, right and bottom in
// `bottomRight` (clNone draws nothing). Returns the rectangle less one pixel
// on each side in the set.
RECT DrawSideLines(TCanvas& canvas, RECT r, TColor topLeft, TSides sides, TColor bottomRight);

// DrawSideLines `count` times, each inside the last, with a one-pixel pen.
RECT DrawBevelLines(TCanvas& canvas, RECT r, TColor topLeft, TSides sides, int count,
                    TColor bottomRight);

// Every second pixel of the rectangle's edges in black; returns it less 1.
RECT DrawDottedFrame(TCanvas& canvas, RECT r);

// A two-pixel ring along the rectangle's edge filled with the vertical
// gradient from a (bottom) to b (top); nothing on palette displays.
void DrawGradientRing(TCanvas& canvas, RECT r, int direction, TColor a, TColor b);

// A frame of one of the styles on the given sides in system colours; returns
// the rectangle inside it.
RECT DrawFrameStyle(TCanvas& canvas, RECT r, TFrameStyle style, TSides sides);

// The system-coloured push-button bevel on all sides; returns the inside.
RECT DrawButtonBevel(TCanvas& canvas, RECT r, bool pressed);

// True when the screen shows more than a palette (checked once per process).
bool FullColorDisplay();
// Overrides the display check (tests of the palette fallback); -1 restores it.
void SetFullColorDisplayOverride(int value);
