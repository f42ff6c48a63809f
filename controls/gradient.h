// The vertical colour gradient of button faces and hot-tracking rings.
#pragma once

#include "framework/gdi/canvas.h"

#include "framework/ui/win32.h"

// Fills r with a gradient from colour a (bottom row, exact) towards colour b
// (top row, one step short), channels in 16.16 fixed point. Consecutive rows of
// equal colour are filled as one band. Honours the canvas's clipping.
void FillVerticalGradient(TCanvas& canvas, const RECT& r, TColor a, TColor b);
