// Paint-leak test: every drawing utility called 100 times leaves every
// live-object counter of the wrappers, and the process's GDI object count,
// where they started. (Wine's GetGuiResources always answers 0, so there the
// wrapper counters carry the check; on Windows both do.)
#include "skin/draw/skin_draw.h"
#include "tests/framework/gdi/pixel_test_util.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>

using namespace pixel_test;

namespace {

// The counters are exact: one object left behind per call shows as 100.
constexpr int kCalls = 100;

struct Snapshot {
    std::array<int, static_cast<int>(TGdiKind::Count)> Live{};
    DWORD GdiObjects = 0;
    static Snapshot Take() {
        Snapshot s;
        for (int k = 0; k < static_cast<int>(TGdiKind::Count); ++k) {
            s.Live[k] = GdiLiveCount(static_cast<TGdiKind>(k));
        }
        s.GdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
        return s;
    }
};

// Runs `body` kCalls times and checks that nothing was left behind; also
// checks that the body did make wrapped objects (so the counters were live).
void ExpectNoLeak(const char* name, const std::function<void()>& body, bool makesObjects = true) {
    body(); // first call outside: one-time caches (fonts, screen DC) settle
    const Snapshot before = Snapshot::Take();
    int64_t created = 0;
    for (int k = 0; k < static_cast<int>(TGdiKind::Count); ++k) {
        created -= GdiCreatedCount(static_cast<TGdiKind>(k));
    }
    for (int i = 0; i < kCalls; ++i) {
        body();
    }
    for (int k = 0; k < static_cast<int>(TGdiKind::Count); ++k) {
        created += GdiCreatedCount(static_cast<TGdiKind>(k));
    }
    const Snapshot after = Snapshot::Take();
    for (int k = 0; k < static_cast<int>(TGdiKind::Count); ++k) {
        EXPECT_EQ(after.Live[k], before.Live[k]) << name << " kind " << k;
    }
    EXPECT_EQ(after.GdiObjects, before.GdiObjects) << name;
    if (makesObjects) {
        EXPECT_GE(created, kCalls) << name;
    }
}

struct Fixture {
    TBitmap Pic{40, 20};
    TBitmap Dst{60, 40};
    TCanvas Canvas;
    Fixture() {
        Fill(Pic, 0, 0, 40, 20, 0x336699);
        Fill(Pic, 5, 5, 10, 10, kSkinKeyColor);
        Canvas.SetHandle(Dst.Canvas().Handle());
    }
    ~Fixture() { Canvas.SetHandle(nullptr); }
    HDC Dc() { return Dst.Canvas().Handle(); }
};

} // namespace

TEST(DrawLeak, FrameRoutines) {
    Fixture f;
    const RECT r{3, 4, 50, 30};
    const TSkinMargins m{3, 3, 3, 3};
    ExpectNoLeak("StretchSkinFrame", [&] { StretchSkinFrame(r, f.Pic, m, false, true, 2, 1); });
    // The cached routines start from an empty cache each time, so that every
    // call prepares (and the cache frees) its image and mask.
    ExpectNoLeak("DrawSkinElement", [&] {
        ClearSkinDrawCache();
        DrawSkinElement(f.Dc(), r, f.Pic, false, false, true, 2, 2, m);
    });
    ExpectNoLeak("DrawSkinBar", [&] {
        ClearSkinDrawCache();
        DrawSkinBar(f.Canvas, r, f.Pic, false, true, 2, 1, m);
    });
    ExpectNoLeak("DrawSkinEdges", [&] { DrawSkinEdges(f.Dc(), r, f.Pic, true, 2, 1, m); });
    ExpectNoLeak("DrawSkinCell", [&] {
        ClearSkinDrawCache();
        DrawSkinCell(f.Dc(), r, f.Pic, true, 2, 1);
    });
    ExpectNoLeak("DrawSkinGlyph", [&] {
        ClearSkinDrawCache();
        DrawSkinGlyph(f.Dc(), r, f.Pic, true, 2, 2);
    });
    ExpectNoLeak("DrawTransparent", [&] { DrawTransparent(f.Dc(), r, f.Pic); });
    ExpectNoLeak("TileRect", [&] { TileRect(f.Canvas, r, f.Pic, {0, 0, 7, 6}); });
}

TEST(DrawLeak, RegionsTransformsAndText) {
    Fixture f;
    ExpectNoLeak("RegionFromBitmap", [&] { RegionFromBitmap(f.Pic, 1, 2, 1, 1, 1); });
    TBitmap b(12, 7);
    ExpectNoLeak("GrayBitmap", [&] {
        b.SetPixelFormat(TPixelFormat::pf32bit);
        GrayBitmap(b);
    });
    ExpectNoLeak(
        "MirrorBitmap", [&] { MirrorBitmap(b); }, false);
    ExpectNoLeak(
        "FlipBitmap", [&] { FlipBitmap(b); }, false);
    ExpectNoLeak("RotateBitmapLeft", [&] { RotateBitmapLeft(b); });
    ExpectNoLeak("RotateBitmapRight", [&] { RotateBitmapRight(b); });
    ExpectNoLeak(
        "AnsiToWide", [&] { AnsiToWide("\xD6\xD0 text"); }, false);
    ExpectNoLeak(
        "WideToAnsi", [&] { WideToAnsi(L"中 text"); }, false);
    ExpectNoLeak(
        "DrawSkinText",
        [&] {
            RECT r{0, 0, 60, 20};
            DrawSkinText(f.Dc(), L"中文", r, DT_SINGLELINE);
        },
        false);
}

TEST(DrawLeak, GradientGlyphAndParent) {
    Fixture f;
    ExpectNoLeak("FillGradient", [&] {
        FillGradient(f.Canvas, {0, 0, 40, 30}, 2, 1, 0x00404040, clBtnFace);
    });
    ExpectNoLeak("DrawTransparentGlyph", [&] {
        DrawTransparentGlyph(f.Canvas, f.Pic, {0, 0, 16, 16}, kSkinKeyColor, {0, 0, 16, 16});
    });
    HWND top = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                               nullptr, nullptr);
    HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 10, 10, 30, 30, top, nullptr, nullptr,
                                 nullptr);
    ExpectNoLeak("DrawParentBackground", [&] { DrawParentBackground(child, f.Dc(), true); });
    DestroyWindow(top);
}
