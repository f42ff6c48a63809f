// Skin objects: plain data; the one computed value is the frame width.
#include "skin/data/skin_objects.h"

// Width of one frame of Picture (frames side by side).
int TDataSkinObject::FrameWidth() const {
    if (Picture.Empty() || FrameCount <= 0)
        return 0;
    return Picture.Width() / FrameCount;
}
