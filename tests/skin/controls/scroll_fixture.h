// What the scroll-bar skin tests share: a hand-made skin of solid cells,
// tracks and thumbs in known colours, memos of many lines, a scene with a
// skinned and an unskinned memo, and bar, rectangle and pixel helpers.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/class_builder.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/stdctrls/std_edits.h"
#include "framework/stdctrls/std_lists.h"
#include "framework/stdctrls/std_views.h"
#include "framework/ui/messages.h"
#include "skin/controls/skin_panels.h"
#include "skin/controls/skin_scrollbars.h"
#include "skin/model/skin_data.h"
#include "tests/framework/gdi/pixel_test_util.h"
#include "tests/framework/ui/ui_test_util.h"
#include "tests/skin/controls/wrapper_test_util.h"
#include "tests/skin/model/model_fixture.h"

namespace scroll_test {

using pixel_test::At;
using pixel_test::CountOther;
using wrapper_test::TListHost;

constexpr TColor kFace = 0x00C8D0D8;
constexpr TColor kSentinel = 0x00102030;
constexpr int kStrip = 14; // strip cell size: thinner than the bar

inline TColor CellColour(int k) {
    return RGB(10 * k, 240 - 10 * k, 60);
}
inline TColor TrackColour(int f) {
    return RGB(200, 40 * f, 20);
}
inline TColor ThumbColour(int f) {
    return RGB(30, 60, 60 * f);
}

// Solid frames side by side.
inline std::unique_ptr<TDataSkinObject> Frames(const char* name, int n, int w, int h,
                                               TColor (*colour)(int)) {
    auto e = std::make_unique<TDataSkinObject>(name);
    e->Picture.SetSize(n * w, h);
    for (int k = 1; k <= n; ++k)
        pixel_test::Fill(e->Picture, (k - 1) * w, 0, k * w, h, colour(k));
    e->FrameCount = n;
    return e;
}

// A Scrollbar strip of 23 solid 14 x 14 cells, tracks of four solid frames,
// thumbs of three solid frames; no margins, nothing transparent.
inline void MakeScrollSkin(TSkinData& data) {
    data.ButtonFaceColour = kFace;
    data.Scrollbar = Frames("Scrollbar", 23, kStrip, kStrip, CellColour);
    data.VertScroll = Frames("VertScroll", 4, 6, 6, TrackColour);
    data.HorzScroll = Frames("HorzScroll", 4, 6, 6, TrackColour);
    data.VertScrollThumb = Frames("VertScrollThumb", 3, 6, 6, ThumbColour);
    data.HorzScrollThumb = Frames("HorzScrollThumb", 3, 6, 6, ThumbColour);
}

inline TStringList ManyLines(int n) {
    TStringList lines;
    for (int i = 0; i < n; ++i)
        lines.Add("line " + std::to_string(i) + " of a text wider than the memo is, to scroll it");
    return lines;
}

inline TMemo* MakeMemo(TForm& form, int x, int y, int w, int h, TScrollStyle bars, int lines) {
    auto* m = new TMemo(&form);
    m->SetParent(&form);
    m->SetBounds(x, y, w, h);
    m->SetWordWrap(false);
    m->SetScrollBars(bars);
    m->SetLines(ManyLines(lines));
    return m;
}

class TScrollForm : public TForm {
public:
    explicit TScrollForm(TComponent* owner) : TForm(owner) { SetBounds(30, 30, 560, 420); }
};

// A shown form with a skinned and an unskinned memo of the same text.
struct TMemoScene {
    TScrollForm form{Application};
    TMemo* skinned = MakeMemo(form, 10, 10, 220, 200, ssBoth, 200);
    TMemo* plain = MakeMemo(form, 260, 10, 220, 200, ssBoth, 200);
    TSkinData data{nullptr};
    TListHost host;
    TSkinScrollbar* wrapper = nullptr;
    explicit TMemoScene(bool handMade = true) {
        if (handMade)
            MakeScrollSkin(data);
        else
            EXPECT_TRUE(model_test::LoadBytes(data, model_test::ProjectSkin()));
        wrapper = new TSkinScrollbar(skinned);
        wrapper->AttachScrollBars(skinned, &data, &host, nullptr);
        form.Show();
        PumpPending();
    }
};

inline SCROLLBARINFO BarInfo(HWND wnd, LONG object) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    GetScrollBarInfo(wnd, object, &info);
    return info;
}

inline RECT ScreenRect(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return r;
}

inline bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The overlay painted into a bitmap of its size, first filled with kSentinel.
inline std::unique_ptr<TBitmap> PaintOf(TWScrollbar& bar) {
    const RECT r = ScreenRect(bar.Handle());
    auto b = std::make_unique<TBitmap>(r.right - r.left, r.bottom - r.top);
    pixel_test::Fill(*b, 0, 0, b->Width(), b->Height(), kSentinel);
    bar.PaintBar(b->Canvas().Handle());
    return b;
}

inline int FirstLine(TMemo* m) {
    return static_cast<int>(SendMessageW(m->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0));
}

inline POINT Centre(const RECT& r) {
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The screen pixel of a window's client point.
inline TColor ClientPixel(HWND wnd, int x, int y) {
    TClientDC dc(wnd);
    return static_cast<TColor>(GetPixel(dc.Handle(), x, y));
}

} // namespace scroll_test
