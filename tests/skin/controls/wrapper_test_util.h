// Shared pieces of the control-wrapper tests: a form skinner's wrapper list,
// the window's rectangle at the origin, painting a wrapper's skin into a
// bitmap, reading pixels back, and a recorder of what reaches the control's
// own message method.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/gdi/bitmap.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/ui/control.h"
#include "skin/controls/skin_control.h"
#include "tests/framework/gdi/pixel_test_util.h"
#include "tests/skin/controls/wrapper_host.h"

namespace wrapper_test {

using ::TListHost;

// The window's rectangle moved to the origin (what PaintSkin is given).
inline RECT WindowRectAtOrigin(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return RECT{0, 0, r.right - r.left, r.bottom - r.top};
}
inline RECT WindowBox(HWND wnd) {
    return WindowRectAtOrigin(wnd);
}

// Paints the wrapper's skin into a bitmap of its window's size, first
// filled with `background`.
inline void PaintInto(TSkinControl& w, TBitmap& target, TColor background) {
    const RECT r = WindowRectAtOrigin(w.Handle);
    target.SetSize(r.right, r.bottom);
    pixel_test::Fill(target, 0, 0, r.right, r.bottom, background);
    w.PaintSkin(target.Canvas().Handle(), r);
}

// The same into a new 32-bit bitmap.
inline std::unique_ptr<TBitmap> PaintOf(TSkinControl& w, TColor background) {
    auto b = std::make_unique<TBitmap>();
    PaintInto(w, *b, background);
    return b;
}

// Pixels of colour c in (l, t, r, b).
inline int CountColour(TBitmap& b, int l, int t, int r, int bt, TColor c) {
    return (r - l) * (bt - t) - pixel_test::CountOther(b, l, t, r, bt, c);
}

// Compares every pixel of b with `expected` (nullopt: any colour will do).
inline testing::AssertionResult
PixelsAre(TBitmap& b, const std::function<std::optional<TColor>(int, int)>& expected) {
    int bad = 0;
    std::string first;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            const std::optional<TColor> want = expected(x, y);
            const TColor got = pixel_test::At(b, x, y);
            if (!want || got == *want)
                continue;
            if (bad++ == 0) {
                char buf[96];
                snprintf(buf, sizeof buf, "(%d,%d)=%06X want %06X", x, y, unsigned(got),
                         unsigned(*want));
                first = buf;
            }
        }
    if (bad == 0)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << bad << " pixels differ, first " << first;
}

// A rectangle as four numbers, for comparisons with expected values.
using TBox = std::array<long, 4>;
inline TBox Box(const RECT& r) {
    return TBox{r.left, r.top, r.right, r.bottom};
}

// Whether (x, y) lies in (l, t, r, b).
inline bool Inside(int x, int y, int l, int t, int r, int b) {
    return x >= l && x < r && y >= t && y < b;
}

// A pixel of the window as the screen shows it (window DC, frame included).
inline TColor ScreenPixel(HWND wnd, int x, int y) {
    TWindowDC dc(wnd);
    return static_cast<TColor>(GetPixel(dc.Handle(), x, y));
}

// How many more GDI objects are alive after `paints` paints of the skin
// into dc (0 when painting leaks nothing).
inline int GdiGrowthOverPaints(TSkinControl& w, HDC dc, const RECT& r, int paints) {
    const int live = GdiLiveTotal();
    for (int i = 0; i < paints; ++i)
        w.PaintSkin(dc, r);
    return GdiLiveTotal() - live;
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
