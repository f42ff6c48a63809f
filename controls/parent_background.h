// Painting a control's parent (background and content) behind the control,
// for controls that draw themselves transparently.
#pragma once

#include "framework/ui/control.h"

// Paints the parent into dc, aligned so it lies behind the control. With
// invalidateParent, a parent that is neither self-drawn nor a form is also
// invalidated.
void PaintParentBackground(TControl& control, HDC dc, bool invalidateParent);
