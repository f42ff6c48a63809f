// Parent background painting; see the header.
#include "controls/parent_background.h"

#include "framework/gdi/gdi_handles.h"
#include "framework/ui/form.h"
#include "framework/ui/graphic_control.h"

// Erase and paint the parent through a shifted viewport, clipped to its client.
void PaintParentBackground(TControl& control, HDC dc, bool invalidateParent) {
    TWinControl* parent = control.Parent();
    if (!parent) {
        return;
    }
    // Origin and clipping go back on the way out, even if the parent raises.
    const TSaveDC state(dc);
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x - control.Left(), origin.y - control.Top(), nullptr);
    IntersectClipRect(dc, 0, 0, parent->ClientWidth(), parent->ClientHeight());
    // The DC in both parameters: an explicit erase, done by a double-buffered parent too.
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dc));
    parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    if (invalidateParent && !dynamic_cast<TCustomControl*>(parent) &&
        !dynamic_cast<TCustomForm*>(parent) && !control.HasState(csDesigning)) {
        parent->Invalidate();
    }
}
