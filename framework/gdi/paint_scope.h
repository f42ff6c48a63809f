// Scopes of a paint: the BeginPaint / EndPaint pair of a window, and an
// off-screen buffer that collects a picture and puts it on its target in one
// copy. Both free what they hold on every way out, exceptions included.
#pragma once

#include "framework/gdi/gdi_handles.h"

// BeginPaint on construction, EndPaint on scope exit: the update region is
// validated however the painting in between ends, so a failing painter does
// not make the window ask to be painted again and again.
class TPaintScope {
public:
    explicit TPaintScope(HWND wnd);
    ~TPaintScope();
    TPaintScope(const TPaintScope&) = delete;
    TPaintScope& operator=(const TPaintScope&) = delete;

    // The paint DC, clipped to the update region.
    HDC DC() const { return dc_; }
    // The bounding rectangle of the update region, in client coordinates.
    const RECT& Area() const { return ps_.rcPaint; }
    const PAINTSTRUCT& Paint() const { return ps_; }

private:
    HWND wnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// An off-screen bitmap compatible with a target DC that stands for `area` of
// the target's logical coordinates: what is drawn into DC() at those
// coordinates lands in the buffer, and Present() copies the area to the
// target in one BitBlt. The memory DC, the bitmap and its selection are the
// counted wrappers of gdi_handles.h.
class TBufferScope {
public:
    TBufferScope(HDC target, const RECT& area);
    TBufferScope(const TBufferScope&) = delete;
    TBufferScope& operator=(const TBufferScope&) = delete;

    // The memory DC to draw into.
    HDC DC() const { return mem_.Handle(); }
    const RECT& Area() const { return area_; }
    // True when both the memory DC and its bitmap could be made.
    bool Valid() const { return mem_.Handle() && bitmap_; }
    // Copies the buffer to the target at the area's place.
    void Present() const;

private:
    HDC target_;
    RECT area_;
    TMemoryDC mem_;
    TBitmapHandle bitmap_;
    TSelectObject select_;
};
