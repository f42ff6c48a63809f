// Change propagation of the drawing-tool objects.
#include "framework/gdi/graphics_object.h"

// Deselects the handle from its canvas, frees it, then notifies the owner.
void TGraphicsObject::Changed() {
    if (beforeRelease_) {
        beforeRelease_();
    }
    FreeHandle();
    if (OnChange) {
        OnChange(*this);
    }
}
