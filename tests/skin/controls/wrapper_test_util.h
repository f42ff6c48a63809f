// Shared pieces of the control-wrapper tests: the window rectangle a
// wrapper paints, its paint into a bitmap, and a recorder of what reaches
// the control's own message method.
#pragma once

#include <algorithm>
#include <memory>
#include <vector>

#include "framework/gdi/bitmap.h"
#include "framework/ui/control.h"
#include "skin/controls/skin_control.h"
#include "tests/framework/gdi/pixel_test_util.h"

namespace wrapper_test {

// The window's rectangle moved to the origin (what PaintSkin is given).
inline RECT WindowRectAtOrigin(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return RECT{0, 0, r.right - r.left, r.bottom - r.top};
}

// The wrapper's paint of its whole window into a 32-bit bitmap first
// filled with `background`.
inline std::unique_ptr<TBitmap> PaintOf(TSkinControl& w, TColor background) {
    const RECT r = WindowRectAtOrigin(w.Handle);
    auto b = std::make_unique<TBitmap>(r.right, r.bottom);
    pixel_test::Fill(*b, 0, 0, r.right, r.bottom, background);
    w.PaintSkin(b->Canvas().Handle(), r);
    return b;
}

// Records what reaches the control's own message method.
struct Recorder {
    explicit Recorder(TControl& c) : control(c), own(c.WindowProc) {
        c.WindowProc = [this](TMessage& m) {
            seen.push_back(m.Msg);
            own(m);
        };
    }
    ~Recorder() { control.WindowProc = own; }
    bool Saw(UINT msg) const { return std::find(seen.begin(), seen.end(), msg) != seen.end(); }
    TControl& control;
    TWndMethod own;
    std::vector<UINT> seen;
};

} // namespace wrapper_test
