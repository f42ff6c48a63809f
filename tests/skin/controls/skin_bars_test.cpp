// Progress-bar and track-bar skins: the filled part, the chunk strip and
// the custom-draw answers as pure functions; pixel-exact bars from
// hand-made pictures of known colours and from the real skins; real
// progress and track bars under Wine (the skin's thumb over the bar's own
// tics and channel), registration by class name and GDI counters.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/gdi/gdi_handles.h"
#include "framework/stdctrls/std_bars.h"
#include "framework/ui/messages.h"
#include "skin/controls/skin_bars.h"
#include "skin/model/skin_data.h"
#include "tests/framework/gdi/pixel_test_util.h"
#include "tests/framework/ui/ui_test_util.h"
#include "tests/skin/controls/wrapper_test_util.h"
#include "tests/skin/model/model_fixture.h"

namespace {

using pixel_test::At;
using pixel_test::CountOther;
using wrapper_test::Recorder;
using wrapper_test::WindowRectAtOrigin;

constexpr TColor kSentinel = 0x00102030;
constexpr TColor kFace = 0x00C0D0E0;
constexpr TColor kEmpty = 0x00206040;
constexpr TColor kFull = 0x00F08020;
constexpr TColor kChunk = 0x000000C0;
constexpr TColor kShadow = 0x00505A64;
constexpr TColor kMagenta = 0x00FF00FF;

TColor CellColour(int k) {
    return RGB(40 * k, 250 - 40 * k, 70);
}

// A Progress element of two solid 8 x 8 frames (the empty one with a
// magenta top-right pixel), no margins; the face colour kFace.
void MakeStretchedProgress(TSkinData& data) {
    data.ButtonFaceColour = kFace;
    auto p = std::make_unique<TDataSkinBorder>("Progress");
    p->Picture.SetSize(16, 8);
    pixel_test::Fill(p->Picture, 0, 0, 8, 8, kEmpty);
    pixel_test::Fill(p->Picture, 8, 0, 16, 8, kFull);
    pixel_test::Put(p->Picture, 7, 0, kMagenta);
    p->FrameCount = 2;
    p->Trans = 1;
    data.Progress = std::move(p);
}

// The chunked look: a solid trough, a 4 x 6 chunk whose last column is
// magenta, a left margin of 2.
void MakeChunkedProgress(TSkinData& data) {
    MakeStretchedProgress(data);
    TDataSkinBorder& p = *data.Progress;
    pixel_test::Fill(p.Picture, 0, 0, 16, 8, kEmpty);
    p.Style = 1;
    p.LeftWidth = 2;
    p.Picture2.SetSize(4, 6);
    pixel_test::Fill(p.Picture2, 0, 0, 3, 6, kChunk);
    pixel_test::Fill(p.Picture2, 3, 0, 4, 6, kMagenta);
}

// A 5-cell thumb strip of w x h cells in CellColour(k).
std::unique_ptr<TDataSkinObject> MakeThumb(int w, int h, int shift = 0) {
    auto t = std::make_unique<TDataSkinObject>("Thumb");
    t->Picture.SetSize(5 * w, h);
    for (int k = 1; k <= 5; ++k)
        pixel_test::Fill(t->Picture, (k - 1) * w, 0, k * w, h, CellColour(k + shift));
    t->FrameCount = 5;
    t->Trans = 1;
    return t;
}

std::unique_ptr<TBitmap> PaintOf(TSkinControl& w) {
    return wrapper_test::PaintOf(w, kSentinel);
}

// The window's client area as it paints itself into a bitmap.
std::unique_ptr<TBitmap> PrintOf(HWND wnd) {
    RECT c{};
    GetClientRect(wnd, &c);
    auto b = std::make_unique<TBitmap>(c.right, c.bottom);
    pixel_test::Fill(*b, 0, 0, c.right, c.bottom, kSentinel);
    SendMessageW(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(b->Canvas().Handle()), PRF_CLIENT);
    return b;
}

TColor ScreenPixel(HWND wnd, int x, int y) {
    TClientDC dc(wnd);
    return GetPixel(dc.Handle(), x, y);
}

class TBarsForm : public TForm {
public:
    explicit TBarsForm(TComponent* owner) : TForm(owner) {
        SetBounds(40, 40, 420, 320);
        progress = new TProgressBar(this);
        progress->SetParent(this);
        progress->SetBounds(10, 10, 150, 16);
        progress->SetMax(200);
        progress->SetPosition(100);
        skinned = MakeTrack(10, 40);
        plain = MakeTrack(10, 100);
        other = new TProgressBar(this);
        other->SetParent(this);
        other->SetBounds(200, 10, 20, 100);
    }
    TTrackBar* MakeTrack(int x, int y) {
        auto* t = new TTrackBar(this);
        t->SetParent(this);
        t->SetBounds(x, y, 150, 45);
        t->SetMax(10);
        t->SetPosition(5);
        // Not a tab stop: neither bar takes the focus (and its focus
        // rectangle) when the form is shown.
        t->SetTabStop(false);
        return t;
    }
    TProgressBar* progress;
    TTrackBar* skinned;
    TTrackBar* plain;
    TProgressBar* other;
};

} // namespace

TEST(SkinBarsTest, FillStripAndCustomDrawRulesFollowTheirArithmetic) {
    const RECT b{0, 0, 150, 16};
    // Half of a range ending at 200: exactly half the width, rounded.
    EXPECT_EQ(ProgressFillRect(b, 100, 200).right, 75);
    EXPECT_EQ(ProgressFillRect(b, 1, 200).right, 1); // 0.75 rounds up
    EXPECT_EQ(ProgressFillRect(b, 200, 200).right, 150);
    EXPECT_EQ(ProgressFillRect(RECT{5, 0, 105, 16}, 30, 100).right, 35);
    EXPECT_EQ(ProgressFillRect(b, 100, 200).bottom, 16);
    // A position or maximum of 0 or less fills nothing.
    for (auto [pos, max] : {std::pair{0, 200}, {-5, 200}, {100, 0}, {100, -1}}) {
        const RECT f = ProgressFillRect(b, pos, max);
        EXPECT_EQ(f.right, f.left) << pos << " of " << max;
    }

    // 50 of 100 over 100 pixels with 4-pixel chunks: 50 long, 13 copies
    // (one past the 12 that fit whole), 2 in and centred by the bottom.
    TChunkStrip s = ProgressChunkStrip(RECT{0, 0, 100, 16}, 50, 100, SIZE{4, 6}, 2);
    EXPECT_EQ(s.Length, 50);
    EXPECT_EQ(s.Copies, 13);
    EXPECT_EQ(s.Origin.x, 2);
    EXPECT_EQ(s.Origin.y, 5);
    s = ProgressChunkStrip(RECT{0, 0, 100, 16}, 48, 100, SIZE{4, 6}, 0);
    EXPECT_EQ(s.Copies, 13);
    s = ProgressChunkStrip(RECT{0, 0, 100, 16}, 0, 100, SIZE{4, 6}, 2);
    EXPECT_EQ(s.Length, 0);
    EXPECT_EQ(s.Copies, 0);
    EXPECT_EQ(ProgressChunkStrip(RECT{0, 0, 100, 16}, 50, 0, SIZE{4, 6}, 2).Copies, 0);

    // Custom draw: item notifications asked for, the thumb drawn by the
    // skin, tics, channel and every other stage left to the bar.
    EXPECT_EQ(TrackBarCustomDraw(CDDS_PREPAINT, 0).Answer, CDRF_NOTIFYITEMDRAW);
    EXPECT_FALSE(TrackBarCustomDraw(CDDS_PREPAINT, 0).DrawThumb);
    const TTrackCustomDraw thumb = TrackBarCustomDraw(CDDS_ITEMPREPAINT, TBCD_THUMB);
    EXPECT_EQ(thumb.Answer, CDRF_SKIPDEFAULT);
    EXPECT_TRUE(thumb.DrawThumb);
    for (DWORD_PTR item : {TBCD_TICS, TBCD_CHANNEL}) {
        EXPECT_EQ(TrackBarCustomDraw(CDDS_ITEMPREPAINT, item).Answer, CDRF_DODEFAULT);
        EXPECT_FALSE(TrackBarCustomDraw(CDDS_ITEMPREPAINT, item).DrawThumb);
    }
    for (DWORD stage : {DWORD(CDDS_POSTPAINT), DWORD(CDDS_PREERASE), DWORD(CDDS_ITEMPOSTPAINT)}) {
        EXPECT_EQ(TrackBarCustomDraw(stage, TBCD_THUMB).Answer, CDRF_DODEFAULT);
        EXPECT_FALSE(TrackBarCustomDraw(stage, TBCD_THUMB).DrawThumb);
    }
}

TEST(SkinBarsTest, StretchedBarFillsItsShareAndLeavesTheBottomRow) {
    TSkinData data(nullptr);
    MakeStretchedProgress(data);
    TBarsForm form(Application);
    form.Show();
    auto* bar = new TSkinProgress(form.progress);
    bar->AttachControl(nullptr, &data, false, nullptr);

    // 100 of 200 over 150 pixels: columns 0..74 filled, the rest empty, the
    // empty frame's magenta corner shows the face colour; row 15 untouched.
    auto b = PaintOf(*bar);
    ASSERT_EQ(b->Width(), 150);
    ASSERT_EQ(b->Height(), 16);
    std::string where;
    EXPECT_EQ(CountOther(*b, 0, 0, 75, 15, kFull, &where), 0) << where;
    EXPECT_EQ(At(*b, 75, 0), kEmpty);
    EXPECT_EQ(At(*b, 149, 14), kEmpty);
    EXPECT_EQ(At(*b, 149, 0), kFace);
    EXPECT_EQ(CountOther(*b, 0, 15, 150, 16, kSentinel, &where), 0) << where;
    // Nothing at position 0, all at the end of the range.
    form.progress->SetPosition(0);
    b = PaintOf(*bar);
    // (The magenta pixel, stretched, covers columns 131.. of rows 0 and 1.)
    EXPECT_EQ(CountOther(*b, 0, 0, 131, 15, kEmpty, &where), 0) << where;
    EXPECT_EQ(CountOther(*b, 0, 2, 150, 15, kEmpty, &where), 0) << where;
    EXPECT_EQ(CountOther(*b, 131, 0, 150, 2, kFace, &where), 0) << where;
    form.progress->SetPosition(200);
    b = PaintOf(*bar);
    EXPECT_EQ(CountOther(*b, 0, 0, 150, 15, kFull, &where), 0) << where;

    // A vertical bar is built lying down and turned: it fills from the
    // bottom, and its bottom row is left alone.
    form.other->SetOrientation(pbVertical);
    form.other->SetMax(200);
    form.other->SetPosition(100);
    auto* tall = new TSkinProgress(form.other);
    tall->AttachControl(nullptr, &data, false, nullptr);
    b = PaintOf(*tall);
    ASSERT_EQ(b->Height(), 100);
    EXPECT_EQ(CountOther(*b, 0, 50, 20, 99, kFull, &where), 0) << where;
    EXPECT_EQ(CountOther(*b, 3, 0, 20, 50, kEmpty, &where), 0) << where;
    EXPECT_EQ(CountOther(*b, 0, 12, 3, 50, kEmpty, &where), 0) << where;
    EXPECT_EQ(CountOther(*b, 0, 99, 20, 100, kSentinel, &where), 0) << where;
    // The empty frame's top-right corner (columns 88.. of rows 0..2 when
    // lying down) turns to the top-left.
    EXPECT_EQ(CountOther(*b, 0, 0, 3, 12, kFace, &where), 0) << where;
    form.other->SetPosition(30); // 15 of 100 rows
    b = PaintOf(*tall);
    EXPECT_EQ(CountOther(*b, 0, 85, 20, 99, kFull, &where), 0) << where;
    EXPECT_EQ(At(*b, 10, 84), kEmpty);
}

TEST(SkinBarsTest, ChunkedBarRepeatsChunksOnePastTheFilledLength) {
    TSkinData data(nullptr);
    MakeChunkedProgress(data);
    TBarsForm form(Application);
    form.progress->SetBounds(10, 10, 100, 16);
    form.progress->SetMax(100);
    form.progress->SetPosition(50);
    form.Show();
    auto* bar = new TSkinProgress(form.progress);
    bar->AttachControl(nullptr, &data, false, nullptr);

    // The strip: 50 pixels from x = 2, rows 5..10, three chunk columns and
    // one trough column in turn; the last chunk (x 50, 51) is the 13th,
    // cut by the strip's end. The whole height is copied.
    auto b = PaintOf(*bar);
    int bad = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 100; ++x) {
            const bool chunk = y >= 5 && y < 11 && x >= 2 && x < 52 && (x - 2) % 4 < 3;
            bad += At(*b, x, y) != (chunk ? kChunk : kEmpty);
        }
    EXPECT_EQ(bad, 0);
    EXPECT_EQ(At(*b, 50, 7), kChunk);
    EXPECT_EQ(At(*b, 51, 7), kChunk);
    EXPECT_EQ(At(*b, 52, 7), kEmpty);

    // A vertical bar is built lying down and turned, like the stretched
    // look: its chunks run up from the bottom row (lying x becomes 99 - y),
    // across columns 7..12, and none reach above the filled half.
    form.other->SetOrientation(pbVertical);
    form.other->SetMax(100);
    form.other->SetPosition(50);
    auto* tall = new TSkinProgress(form.other);
    tall->AttachControl(nullptr, &data, false, nullptr);
    b = PaintOf(*tall);
    ASSERT_EQ(b->Width(), 20);
    ASSERT_EQ(b->Height(), 100);
    bad = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 20; ++x) {
            const int lying = 99 - y;
            const bool chunk = x >= 7 && x < 13 && lying >= 2 && lying < 52 && (lying - 2) % 4 < 3;
            bad += At(*b, x, y) != (chunk ? kChunk : kEmpty);
        }
    EXPECT_EQ(bad, 0);

    // Without a chunk picture the chunked look draws nothing.
    data.Progress->Picture2.Clear();
    b = PaintOf(*bar);
    EXPECT_EQ(CountOther(*b, 0, 0, 100, 16, kSentinel), 0);
}

TEST(SkinBarsTest, RealSkinsPaintTheirBarsFromTheirOwnPictures) {
    TSkinData luna(nullptr), graphite(nullptr);
    ASSERT_TRUE(model_test::LoadBytes(luna, model_test::ProjectSkin()));
    ASSERT_TRUE(model_test::LoadBytes(graphite, PackSkinFolder(LT_GRAPHITE_DIR)));
    ASSERT_EQ(luna.Progress->Style, 0);
    ASSERT_EQ(graphite.Progress->Style, 1);
    TBarsForm form(Application);
    form.Show();
    TSkinProgress& bar = *new TSkinProgress(form.progress);
    bar.AttachControl(nullptr, &luna, false, nullptr);
    // Half and empty bars of each skin.
    auto paint = [&](TSkinData& data, int pos) {
        bar.SkinData = &data;
        form.progress->SetPosition(pos);
        return PaintOf(bar);
    };
    auto lunaHalf = paint(luna, 100), lunaEmpty = paint(luna, 0);
    auto graphiteHalf = paint(graphite, 100), trough = paint(graphite, 0);

    // XPLuna, stretched: right of the filled 75 columns the bar is the empty
    // bar; the filled part is not; the bottom row is the window's.
    int differ = 0, same = 0;
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 150; ++x) {
            const bool equal = At(*lunaHalf, x, y) == At(*lunaEmpty, x, y);
            if (x >= 75)
                same += equal;
            else
                differ += !equal;
        }
    EXPECT_EQ(same, 75 * 15);
    EXPECT_GT(differ, 75 * 15 / 2);
    EXPECT_EQ(CountOther(*lunaHalf, 0, 15, 150, 16, kSentinel), 0);

    // Graphite, chunked: its 9 x 8 chunk repeated from x = 3 over 75
    // pixels, centred; elsewhere (and under the chunk's magenta) the
    // trough, which covers the whole height.
    TBitmap& chunk = graphite.Progress->Picture2;
    ASSERT_EQ(chunk.Width(), 9);
    ASSERT_EQ(chunk.Height(), 8);
    ASSERT_EQ(graphite.Progress->LeftWidth, 3);
    int bad = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 150; ++x) {
            TColor want = At(*trough, x, y);
            if (y >= 4 && y < 12 && x >= 3 && x < 78) {
                const TColor c = chunk.Canvas().Pixel((x - 3) % 9, y - 4);
                want = c == kMagenta ? want : c;
            }
            bad += At(*graphiteHalf, x, y) != want;
        }
    EXPECT_EQ(bad, 0);
    EXPECT_EQ(CountOther(*trough, 0, 0, 150, 16, kSentinel), 150 * 16);
}

TEST(SkinBarsTest, ProgressWindowShowsOnlyTheSkinWhileItHasAPicture) {
    TSkinData data(nullptr);
    MakeStretchedProgress(data);
    TBarsForm form(Application);
    form.Show();
    auto* bar = new TSkinProgress(form.progress);
    bar->AttachControl(nullptr, &data, false, nullptr);
    HWND wnd = bar->Handle;

    // A real paint: the skin replaces the bar's own painting.
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(ScreenPixel(wnd, 10, 5), kFull);
    EXPECT_EQ(ScreenPixel(wnd, 120, 5), kEmpty);
    // The background erase is answered without erasing.
    {
        TClientDC dc(wnd);
        EXPECT_EQ(SendMessageW(wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.Handle()), 0), 1);
    }
    EXPECT_EQ(ScreenPixel(wnd, 120, 5), kEmpty);
    // A new position shows at the next paint.
    form.progress->SetPosition(200);
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(ScreenPixel(wnd, 120, 5), kFull);

    // Skinning switched off, or a skin without the picture: the bar's own look.
    SendMessageW(wnd, SM_WRAPPERSWITCH, 0, 0);
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_NE(ScreenPixel(wnd, 120, 5), kFull);
    SendMessageW(wnd, SM_WRAPPERSWITCH, 1, 0);
    form.progress->Update();
    EXPECT_EQ(ScreenPixel(wnd, 120, 5), kFull);
    data.Progress.reset();
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_NE(ScreenPixel(wnd, 120, 5), kFull);
    auto b = PaintOf(*bar);
    EXPECT_EQ(CountOther(*b, 0, 0, 150, 16, kSentinel), 0);
}

TEST(SkinBarsTest, TrackBarThumbIsTheSkinsWhileTicsAndChannelStayNative) {
    TSkinData data(nullptr);
    data.TrackbarThumbHorz = MakeThumb(11, 21);
    TBarsForm form(Application);
    form.Show();
    auto* track = new TSkinTrackBar(form.skinned);
    track->AttachControl(nullptr, &data, false, nullptr);
    HWND wnd = track->Handle;
    RECT thumb{};
    SendMessageW(wnd, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    ASSERT_GT(thumb.right - thumb.left, 2);
    RECT plainThumb{};
    SendMessageW(form.plain->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&plainThumb));
    ASSERT_TRUE(EqualRect(&thumb, &plainThumb));
    ASSERT_NE(GetFocus(), wnd);
    ASSERT_NE(GetFocus(), form.plain->Handle());

    // Against an unskinned twin: every pixel outside the thumb is the bar's
    // own (tics, channel, background); the thumb is cell 2 of the strip.
    auto skinned = PrintOf(wnd);
    auto plain = PrintOf(form.plain->Handle());
    int outside = 0, cell2 = 0, thumbPixels = 0;
    for (int y = 0; y < skinned->Height(); ++y)
        for (int x = 0; x < skinned->Width(); ++x) {
            if (PtInRect(&thumb, POINT{x, y})) {
                ++thumbPixels;
                cell2 += At(*skinned, x, y) == CellColour(2);
            } else {
                outside += At(*skinned, x, y) != At(*plain, x, y);
            }
        }
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(cell2, thumbPixels);
    // The twin's thumb is the platform's, not the skin's.
    EXPECT_NE(At(*plain, (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2),
              CellColour(2));
    // On screen after a real paint.
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(ScreenPixel(wnd, (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2),
              CellColour(2));

    // A vertical bar takes the vertical thumb when the skin has one, else
    // the horizontal one.
    form.skinned->SetOrientation(trVertical);
    form.skinned->SetBounds(200, 130, 45, 150);
    SendMessageW(wnd, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const int cx = (thumb.left + thumb.right) / 2, cy = (thumb.top + thumb.bottom) / 2;
    EXPECT_EQ(At(*PrintOf(wnd), cx, cy), CellColour(2));
    data.TrackbarThumbVert = MakeThumb(21, 11, 1);
    EXPECT_EQ(At(*PrintOf(wnd), cx, cy), CellColour(3));

    // No thumb pictures: an outlined thumb in the skin's shadow colour on white.
    data.TrackbarThumbHorz.reset();
    data.TrackbarThumbVert.reset();
    data.ButtonShadowColour = kShadow;
    auto outlined = PrintOf(wnd);
    EXPECT_EQ(At(*outlined, thumb.left, thumb.top), kShadow);
    EXPECT_EQ(At(*outlined, thumb.right - 1, thumb.bottom - 1), kShadow);
    EXPECT_EQ(At(*outlined, cx, cy), RGB(255, 255, 255));
}

TEST(SkinBarsTest, TrackBarAnswersCustomDrawDirectAndReflected) {
    TSkinData data(nullptr);
    data.TrackbarThumbHorz = MakeThumb(11, 21);
    TBarsForm form(Application);
    form.Show();
    Recorder rec(*form.skinned);
    auto* track = new TSkinTrackBar(form.skinned);
    track->AttachControl(nullptr, &data, false, nullptr);
    HWND wnd = track->Handle;
    RECT thumb{};
    SendMessageW(wnd, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));

    TBitmap target(150, 45);
    pixel_test::Fill(target, 0, 0, 150, 45, kSentinel);
    NMCUSTOMDRAW cd{};
    cd.hdr.hwndFrom = wnd;
    cd.hdr.code = static_cast<UINT>(NM_CUSTOMDRAW);
    cd.hdc = target.Canvas().Handle();
    auto send = [&](UINT msg, DWORD stage, DWORD_PTR item) {
        cd.dwDrawStage = stage;
        cd.dwItemSpec = item;
        return SendMessageW(wnd, msg, 0, reinterpret_cast<LPARAM>(&cd));
    };
    rec.seen.clear();
    for (UINT msg : {UINT(CN_NOTIFY), UINT(WM_NOTIFY)}) {
        EXPECT_EQ(send(msg, CDDS_PREPAINT, 0), CDRF_NOTIFYITEMDRAW);
        EXPECT_EQ(send(msg, CDDS_ITEMPREPAINT, TBCD_TICS), CDRF_DODEFAULT);
        EXPECT_EQ(send(msg, CDDS_ITEMPREPAINT, TBCD_CHANNEL), CDRF_DODEFAULT);
        EXPECT_EQ(CountOther(target, 0, 0, 150, 45, kSentinel), 0);
        EXPECT_EQ(send(msg, CDDS_ITEMPREPAINT, TBCD_THUMB), CDRF_SKIPDEFAULT);
        EXPECT_EQ(At(target, thumb.left, thumb.top), CellColour(2));
        EXPECT_EQ(At(target, thumb.right - 1, thumb.bottom - 1), CellColour(2));
        EXPECT_EQ(At(target, thumb.right, thumb.top), kSentinel);
        pixel_test::Fill(target, 0, 0, 150, 45, kSentinel);
    }
    // Answered by the wrapper: the control never saw them.
    EXPECT_FALSE(rec.Saw(CN_NOTIFY));
    EXPECT_FALSE(rec.Saw(WM_NOTIFY));
    // Other notifications go on to the control.
    cd.hdr.code = static_cast<UINT>(NM_RELEASEDCAPTURE);
    send(CN_NOTIFY, CDDS_ITEMPREPAINT, TBCD_THUMB);
    EXPECT_TRUE(rec.Saw(CN_NOTIFY));
    EXPECT_EQ(CountOther(target, 0, 0, 150, 45, kSentinel), 0);
    // The background erase is answered without erasing.
    EXPECT_EQ(
        SendMessageW(wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.Canvas().Handle()), 0), 1);
    EXPECT_EQ(CountOther(target, 0, 0, 150, 45, kSentinel), 0);
}

TEST(SkinBarsTest, TrackBarTakesTheFocusOnASkinChangeOnlyWhenVisible) {
    TSkinData data(nullptr);
    TBarsForm form(Application);
    form.Show();
    PumpPending();
    auto* track = new TSkinTrackBar(form.skinned);
    track->AttachControl(nullptr, &data, false, nullptr);
    form.plain->SetFocus();
    ASSERT_EQ(GetFocus(), form.plain->Handle());
    track->SkinChanged();
    EXPECT_EQ(GetFocus(), form.skinned->Handle());
    form.plain->SetFocus();
    form.skinned->SetVisible(false);
    track->SkinChanged();
    EXPECT_EQ(GetFocus(), form.plain->Handle());
    // Not even asked for: the form's active control stays where it was.
    EXPECT_EQ(form.ActiveControl(), form.plain);
}

TEST(SkinBarsTest, RegisteredByClassNameAndLeakFreeOverAHundredPaints) {
    RegisterBarSkins();
    TBarsForm form(Application);
    for (const char* name : {"TSkinProgress", "TSkinTrackBar"}) {
        const TClassInfo* cls = FindClass(name);
        ASSERT_NE(cls, nullptr) << name;
        TObject* made = cls->CreateInstance(form.progress);
        ASSERT_NE(made, nullptr);
        EXPECT_TRUE(made->InheritsFrom(TSkinControl::StaticClass()));
        EXPECT_EQ(made->ClassName(), name);
        delete made;
    }

    TSkinData luna(nullptr), graphite(nullptr);
    ASSERT_TRUE(model_test::LoadBytes(luna, model_test::ProjectSkin()));
    ASSERT_TRUE(model_test::LoadBytes(graphite, PackSkinFolder(LT_GRAPHITE_DIR)));
    form.other->SetOrientation(pbVertical);
    form.other->SetPosition(40);
    form.Show();
    auto* stretched = new TSkinProgress(form.progress);
    stretched->AttachControl(nullptr, &luna, false, nullptr);
    auto* vertical = new TSkinProgress(form.other);
    vertical->AttachControl(nullptr, &luna, false, nullptr);
    auto* track = new TSkinTrackBar(form.skinned);
    track->AttachControl(nullptr, &graphite, false, nullptr);
    auto* outlined = new TSkinTrackBar(form.plain);
    outlined->AttachControl(nullptr, &luna, false, nullptr);
    TBitmap target(150, 100);
    HDC dc = target.Canvas().Handle();
    auto paintAll = [&] {
        stretched->PaintSkin(dc, RECT{0, 0, 150, 16});
        vertical->PaintSkin(dc, RECT{0, 0, 20, 100});
        stretched->SkinData = &graphite;
        stretched->PaintSkin(dc, RECT{0, 0, 150, 16});
        stretched->SkinData = &luna;
        SendMessageW(track->Handle, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        SendMessageW(outlined->Handle, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    };
    paintAll();
    const int live = GdiLiveTotal();
    for (int i = 0; i < 100; ++i)
        paintAll();
    RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(GdiLiveTotal(), live);
}
