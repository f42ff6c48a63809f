// A mock window drawn from a loaded skin with the skin drawing utilities:
// frame, title text, caption buttons, menu bar and a few controls, once
// active and once inactive. For reviewing a skin, not a painter.
#pragma once

#include <memory>

#include "framework/gdi/bitmap.h"

class TSkinData;

std::unique_ptr<TBitmap> DrawSkinPreview(TSkinData& data);
