// Every picture of a loaded skin drawn on one sheet, for looking at a skin.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/gdi/bitmap.h"

class TSkinData;

struct TSkinSheet {
    // 24-bit sheet on a grey background; null when the skin has no picture.
    std::unique_ptr<TBitmap> Bitmap;
    // Where each picture went, labelled "Object.Picture".
    struct Place {
        std::string Label;
        RECT Bounds;
    };
    std::vector<Place> Places;
};

// Lays the pictures out in rows at most `width` pixels wide (wider pictures
// get a row of their own).
TSkinSheet DrawSkinSheet(TSkinData& data, int width = 640);
