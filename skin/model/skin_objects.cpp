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
                                          bool vertical, int stretchMode) {
    return StretchSkinFrame(target, obj.Picture, obj.Margins(), vertical, obj.TilesMiddle(),
                            obj.FrameCount, k, stretchMode);
}

// Frame k of the object's picture drawn by the nine-part rule.
void DrawSkinElement(HDC dc, const RECT& target, TDataSkinObject& obj, int k, bool vertical,
                     int stretchMode) {
    DrawSkinElement(dc, target, obj.Picture, vertical, obj.TilesMiddle(), obj.Trans != 0,
                    obj.FrameCount, k, obj.Margins(), stretchMode);
}

// Frame k of the object's picture stretched into the rectangle.
void DrawSkinCell(HDC dc, const RECT& target, TDataSkinObject& obj, int k) {
    DrawSkinCell(dc, target, obj.Picture, obj.Trans != 0, obj.FrameCount, k);
}

// Frame k of the object's picture centred in the rectangle at its own size.
void DrawSkinGlyph(HDC dc, const RECT& target, TDataSkinObject& obj, int k) {
    DrawSkinGlyph(dc, target, obj.Picture, obj.Trans != 0, obj.FrameCount, k);
}
