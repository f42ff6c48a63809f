// Paint and buffer scopes; see paint_scope.h.
#include "framework/gdi/paint_scope.h"

#include <algorithm>

namespace {
// An area never smaller than one pixel each way, so a bitmap can always be made.
RECT AtLeastOnePixel(RECT r) {
    r.right = std::max(r.right, r.left + 1);
    r.bottom = std::max(r.bottom, r.top + 1);
    return r;
}
} // namespace

TPaintScope::TPaintScope(HWND wnd) : wnd_(wnd), dc_(BeginPaint(wnd, &ps_)) {
    gdi_detail::CountUp(TGdiKind::PaintDC);
}

TPaintScope::~TPaintScope() {
    EndPaint(wnd_, &ps_);
    gdi_detail::CountDown(TGdiKind::PaintDC);
}

TBufferScope::TBufferScope(HDC target, const RECT& area)
    : target_(target), area_(AtLeastOnePixel(area)), mem_(target),
      bitmap_(CreateCompatibleBitmap(target, area_.right - area_.left, area_.bottom - area_.top)),
      select_(mem_.Handle(), bitmap_.Get()) {
    // The buffer's first pixel stands for the area's top-left corner.
    SetViewportOrgEx(mem_.Handle(), -area_.left, -area_.top, nullptr);
}

void TBufferScope::Present() const {
    if (!Valid()) {
        return;
    }
    BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top,
           mem_.Handle(), area_.left, area_.top, SRCCOPY);
}
