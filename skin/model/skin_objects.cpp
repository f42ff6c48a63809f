// Skin objects: plain data, the frame width, and the drawing utilities
// bound to an object's own settings.
#include "skin/model/skin_objects.h"

// Width of one frame of Picture (frames side by side).
int TDataSkinObject::FrameWidth() const {
    if (Picture.Empty() || FrameCount <= 0)
        return 0;
    return Picture.Width() / FrameCount;
}

// Frame k of the object's picture by the nine-part rule, in a new bitmap.
std::unique_ptr<TBitmap> StretchSkinFrame(const RECT& target, TDataSkinObject& obj, int k,
                                          bool vertical) {
    return StretchSkinFrame(target, obj.Picture, obj.Margins(), vertical, obj.Tile != 0,
                            obj.FrameCount, k);
}

// Frame k of the object's picture drawn by the nine-part rule.
void DrawSkinElement(HDC dc, const RECT& target, TDataSkinObject& obj, int k, bool vertical) {
    DrawSkinElement(dc, target, obj.Picture, vertical, obj.Tile != 0, obj.Trans != 0,
                    obj.FrameCount, k, obj.Margins());
}

// Frame k of the object's picture stretched into the rectangle.
void DrawSkinCell(HDC dc, const RECT& target, TDataSkinObject& obj, int k) {
    DrawSkinCell(dc, target, obj.Picture, obj.Trans != 0, obj.FrameCount, k);
}

// Frame k of the object's picture centred in the rectangle at its own size.
void DrawSkinGlyph(HDC dc, const RECT& target, TDataSkinObject& obj, int k) {
    DrawSkinGlyph(dc, target, obj.Picture, obj.Trans != 0, obj.FrameCount, k);
}
