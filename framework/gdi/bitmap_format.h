// DIB section creation and default palettes used by TBitmap and the drawing
// utilities.
#pragma once

#include "framework/gdi/gdi_windows.h"

#include <cstdint>
#include <vector>

// The default colour table (0x00RRGGBB) for 1, 4 or 8 bits per pixel:
// black/white, the 16 standard colours, or those 16 plus a 6x6x6 colour cube
// and a grey ramp. Empty for other bit counts.
std::vector<uint32_t> DefaultPalette(int bits);

// Creates a top-down DIB section (not counted; wrap it in TBitmapHandle).
// `palette` is used for 1/4/8 bits (missing entries are black).
HBITMAP CreateTopDownDib(int width, int height, int bits, const std::vector<uint32_t>& palette,
                         uint8_t** pixels);
