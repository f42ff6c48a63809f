// The combo box picture the loader composes from the edit frame, the
// drop-down button and its glyph.
#pragma once

#include "framework/gdi/bitmap.h"
#include "skin/model/skin_objects.h"

// The strip of `cells` 50 x 21 cells: cell k is frame k of the edit frame,
// frame k of the button (buttonWidth wide, drawn transparent) on its right
// with glyph k centred on it, and a key-colour text area. Each cell starts
// from the one before (black for the first) where the frame leaves pixels
// out. The pictures are read only (through 32-bit copies); the strip is
// 24-bit.
void ComposeComboStrip(TBitmap& strip, int cells, TDataSkinObject& edge, TDataSkinObject& button,
                       TBitmap* glyphs, int glyphCount, int buttonWidth);
