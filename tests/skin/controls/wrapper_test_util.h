// Shared pieces of the control-wrapper tests: a form skinner's wrapper list,
// the window's rectangle at the origin, painting a wrapper's skin into a
// bitmap, and reading pixels back.
#pragma once

#include <algorithm>
#include <vector>

#include "framework/gdi/bitmap.h"
#include "framework/gdi/gdi_handles.h"
#include "skin/controls/skin_control.h"
#include "tests/framework/gdi/pixel_test_util.h"

namespace wrapper_test {

// A form skinner's side: the wrapper list.
class TListHost : public TWrapperHost {
public:
    bool RegisterWrapper(TSkinControl* w) override {
        if (std::find(list.begin(), list.end(), w) != list.end())
            return true;
        list.push_back(w);
        return false;
    }
    void UnregisterWrapper(TSkinControl* w) override { std::erase(list, w); }
    TSkinControl*& HotButton() override { return hot; }
    TCanvas* Canvas() override { return nullptr; }
    std::vector<TSkinControl*> list;
    TSkinControl* hot = nullptr;
};

// The window's rectangle moved to the origin (what PaintSkin is given).
inline RECT WindowBox(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return RECT{0, 0, r.right - r.left, r.bottom - r.top};
}

// Paints the wrapper's skin into a bitmap of its window's size, first
// filled with `background`.
inline void PaintInto(TSkinControl& w, TBitmap& target, TColor background) {
    const RECT r = WindowBox(w.Handle);
    target.SetSize(r.right, r.bottom);
    pixel_test::Fill(target, 0, 0, r.right, r.bottom, background);
    w.PaintSkin(target.Canvas().Handle(), r);
}

// Pixels of colour c in (l, t, r, b).
inline int CountColour(TBitmap& b, int l, int t, int r, int bt, TColor c) {
    return (r - l) * (bt - t) - pixel_test::CountOther(b, l, t, r, bt, c);
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

} // namespace wrapper_test
