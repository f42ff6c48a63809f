// The panel family of wrappers with real controls under Wine: status-bar
// panels, bevels, texts, size grip and owner-drawn panels; the group box's
// rounded frame and caption; recoloured panels, dialog backgrounds and size
// boxes; header items and their filler; the custom glyph strip. Pixel checks
// use hand-made skin pictures of known colours and the real XPLuna skin.
#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/core/class_builder.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/stdctrls/std_checks.h"
#include "framework/stdctrls/std_views.h"
#include "framework/ui/messages.h"
#include "framework/ui/statusbar.h"
#include "skin/controls/skin_control_text.h"
#include "skin/controls/skin_panels.h"
#include "skin/draw/skin_draw.h"
#include "skin/model/skin_data.h"
#include "tests/framework/gdi/pixel_test_util.h"
#include "tests/framework/ui/ui_test_util.h"
#include "tests/skin/controls/wrapper_test_util.h"
#include "tests/skin/model/model_fixture.h"

using namespace pixel_test;
using namespace wrapper_test;

namespace {

constexpr TColor kFace = 0x00DCEAED, kShadow = 0x00808090, kJunk = 0x00123456;
constexpr TColor kText = 0x00FF0000;
// Border and centre colours of the three StatusBarEdges frames.
constexpr TColor kEdge[3] = {0x000000C0, 0x0000C000, 0x00C00000};
constexpr TColor kInside[3] = {0x00A0A0F0, 0x00A0F0A0, 0x00F0A0A0};
constexpr TColor kGrip = 0x0030D0D0;

// A hand-made StatusBarEdges: three 8x8 frames, a one-pixel border in
// kEdge[f] around kInside[f]; ExtraImages: five 6x6 cells, the fifth kGrip.
// Paints the wrapper's skin into a bitmap of the window's size filled with kJunk.
void PaintInto(TSkinControl& w, TBitmap& target) {
    wrapper_test::PaintInto(w, target, kJunk);
}

void MakeStatusSkin(TSkinData& data) {
    data.ButtonFaceColour = kFace;
    data.ButtonShadowColour = kShadow;
    auto edges = std::make_unique<TDataSkinObject>("StatusBarEdges");
    edges->Picture.SetSize(24, 8);
    for (int f = 0; f < 3; ++f) {
        Fill(edges->Picture, 8 * f, 0, 8 * f + 8, 8, kEdge[f]);
        Fill(edges->Picture, 8 * f + 1, 1, 8 * f + 7, 7, kInside[f]);
    }
    edges->LeftWidth = edges->TopHeight = edges->RightWidth = edges->BottomHeight = 1;
    edges->FrameCount = 3;
    edges->NormalColour2 = kText;
    data.StatusBarEdges = std::move(edges);
    auto extra = std::make_unique<TDataSkinObject>("ExtraImages");
    extra->Picture.SetSize(30, 6);
    Fill(extra->Picture, 0, 0, 24, 6, 0x00000000);
    Fill(extra->Picture, 24, 0, 30, 6, kGrip);
    extra->FrameCount = 5;
    data.ExtraImages = std::move(extra);
}

class TPanelsForm : public TForm {
public:
    explicit TPanelsForm(TComponent* owner) : TForm(owner) { SetBounds(40, 40, 420, 260); }
};

// A status bar with three panels: an empty lowered one, a raised
// right-to-left one aligned left, and a last one without a bevel.
TStatusBar* MakeStatusBar(TForm& form) {
    auto* bar = new TStatusBar(&form);
    bar->SetParent(&form);
    bar->SetSizeGrip(false);
    bar->SetHeight(22);
    TStatusPanel* empty = bar->Panels()->Add();
    empty->SetWidth(80);
    TStatusPanel* rtl = bar->Panels()->Add();
    rtl->SetWidth(120);
    rtl->SetText(L"ab");
    rtl->SetBevel(pbRaised);
    rtl->SetBiDiMode(bdRightToLeft);
    TStatusPanel* last = bar->Panels()->Add();
    last->SetWidth(60);
    last->SetText(L"x");
    last->SetBevel(pbNone);
    return bar;
}

// A shown form with the three-panel status bar and a skin data component.
struct TStatusScene {
    TPanelsForm form{Application};
    TStatusBar* bar = MakeStatusBar(form);
    TSkinData data{nullptr};
    TStatusScene() {
        form.Show();
        PumpPending();
    }
    // The skin made and a status-bar wrapper attached to the bar.
    TSkinStatusBar* Skinned() {
        MakeStatusSkin(data);
        auto* w = new TSkinStatusBar(bar);
        w->AttachControl(nullptr, &data, false, nullptr);
        return w;
    }
};

RECT PartRect(HWND bar, int i) {
    RECT r{};
    SendMessageW(bar, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    return r;
}

// A check box that takes a custom glyph strip, as the glyph wrapper expects.
class TGlyphCheck : public TWinControl {
    LT_CLASS(TGlyphCheck, TWinControl)
public:
    explicit TGlyphCheck(TComponent* owner) : TWinControl(owner) {}
    TBitmap* CustomGlyphs() { return &glyphs_; }
    void SetCustomGlyphs(const TBitmap& b) { glyphs_.Assign(b); }
    int32_t TransparentColor = 0;
    bool UseCustomGlyphs() const { return use_; }
    void SetUseCustomGlyphs(bool v) {
        use_ = v;
        writes.push_back(v);
    }
    std::vector<bool> writes;

private:
    TBitmap glyphs_;
    bool use_ = false;
};

} // namespace

LT_CLASS_TABLE(TGlyphCheck) {
    c.SubObject("CustomGlyphs", &TGlyphCheck::CustomGlyphs, &TGlyphCheck::SetCustomGlyphs)
        .Integer("TransparentColor", &TGlyphCheck::TransparentColor, &TGlyphCheck::TransparentColor)
        .Boolean("UseCustomGlyphs", &TGlyphCheck::UseCustomGlyphs,
                 &TGlyphCheck::SetUseCustomGlyphs);
}

TEST(SkinPanelsTest, GeometryAndStateChoiceFollowTheirArithmetic) {
    EXPECT_EQ(StatusBevelFrame(pbRaised), 2);
    EXPECT_EQ(StatusBevelFrame(pbLowered), 1);
    EXPECT_EQ(StatusBevelFrame(pbNone), 3);
    // Right-to-left panels swap left and right; centre stays.
    EXPECT_EQ(StatusTextFormat(taLeftJustify, bdLeftToRight), static_cast<UINT>(DT_LEFT));
    EXPECT_EQ(StatusTextFormat(taRightJustify, bdLeftToRight), static_cast<UINT>(DT_RIGHT));
    EXPECT_EQ(StatusTextFormat(taCenter, bdLeftToRight), static_cast<UINT>(DT_CENTER));
    EXPECT_EQ(StatusTextFormat(taLeftJustify, bdRightToLeft), static_cast<UINT>(DT_RIGHT));
    EXPECT_EQ(StatusTextFormat(taRightJustify, bdRightToLeft), static_cast<UINT>(DT_LEFT));
    EXPECT_EQ(StatusTextFormat(taCenter, bdRightToLeft), static_cast<UINT>(DT_CENTER));
    // Two pixels wider; the last one to the bar's edge.
    const RECT bar{0, 0, 300, 20};
    RECT p = StatusPanelRect(RECT{10, 2, 50, 18}, bar, false);
    EXPECT_EQ(p.right, 52);
    EXPECT_EQ(p.left, 10);
    p = StatusPanelRect(RECT{100, 2, 150, 18}, bar, true);
    EXPECT_EQ(p.right, 300);
    // The grip sits one pixel in from the bottom-right corner.
    const RECT g = StatusGripRect(bar, 16, 16);
    EXPECT_EQ(g.left, 283);
    EXPECT_EQ(g.top, 3);
    EXPECT_EQ(g.right, 299);
    EXPECT_EQ(g.bottom, 19);
    EXPECT_EQ(GroupBoxFrameTop(13), 5);
    EXPECT_EQ(GroupBoxFrameTop(16), 7);
    EXPECT_EQ(HeaderTextAlignment(HDF_RIGHT), 2);
    EXPECT_EQ(HeaderTextAlignment(HDF_CENTER | HDF_STRING), 1);
    EXPECT_EQ(HeaderTextAlignment(HDF_LEFT | HDF_IMAGE), 0);
    EXPECT_EQ(HeaderImageIndex(HDF_STRING, 3), -1);
    EXPECT_EQ(HeaderImageIndex(HDF_IMAGE, 3), 3);
    EXPECT_EQ(HeaderImageIndex(HDF_OWNERDRAW, 4), 4);
    const RECT f = HeaderFillerRect(RECT{0, 0, 200, 18}, 90);
    EXPECT_EQ(f.left, 90);
    EXPECT_EQ(f.right, 200);
    EXPECT_EQ(f.bottom, 18);
    // Slots 1/4 unchecked, 2/5 checked, 7 and 8 the third and fourth cells,
    // 3/6/9 the fifth cell only when there are five.
    const int five[9] = {1, 2, 5, 1, 2, 5, 3, 4, 5};
    const int four[9] = {1, 2, 0, 1, 2, 0, 3, 4, 0};
    for (int slot = 1; slot <= 9; ++slot) {
        EXPECT_EQ(GlyphSlotCell(slot, 5), five[slot - 1]) << slot;
        EXPECT_EQ(GlyphSlotCell(slot, 4), four[slot - 1]) << slot;
    }
}

TEST(SkinPanelsTest, StatusPanelsGetBevelsTextsAndTheLastReachesTheEdge) {
    TStatusScene scene;
    TStatusBar* bar = scene.bar;
    TSkinData& data = scene.data;
    MakeStatusSkin(data);
    TListHost host;
    auto* w = new TSkinStatusBar(bar);
    w->AttachControl(&host, &data, false, nullptr);
    EXPECT_TRUE(w->HooksControl());
    TBitmap out;
    PaintInto(*w, out);
    const RECT r = WindowBox(bar->Handle());
    std::string where;

    // The empty panel: frame 1 with its border and an untouched inside.
    const RECT p0 = StatusPanelRect(PartRect(bar->Handle(), 0), r, false);
    EXPECT_EQ(At(out, p0.left, p0.top), kEdge[0]);
    EXPECT_EQ(At(out, p0.right - 1, p0.bottom - 1), kEdge[0]);
    EXPECT_EQ(
        CountOther(out, p0.left + 1, p0.top + 1, p0.right - 1, p0.bottom - 1, kInside[0], &where),
        0)
        << where;
    // Above the panels: the face colour.
    if (p0.top > 0) {
        EXPECT_EQ(At(out, p0.left + 5, 0), kFace);
    }

    // The raised right-to-left panel aligned left: frame 2, its text on the right.
    const RECT p1 = StatusPanelRect(PartRect(bar->Handle(), 1), r, false);
    EXPECT_EQ(At(out, p1.left, p1.top), kEdge[1]);
    const int mid = (p1.left + p1.right) / 2;
    // (Text may be smoothed: anything but the panel's inside counts as text.)
    EXPECT_EQ(CountOther(out, p1.left + 1, p1.top + 1, mid, p1.bottom - 1, kInside[1]), 0);
    EXPECT_GT(CountOther(out, mid, p1.top + 1, p1.right - 1, p1.bottom - 1, kInside[1]), 0);
    // The text is in StatusBarEdges' text colour (blue over a green inside).
    int bluish = 0;
    for (int y = p1.top + 1; y < p1.bottom - 1; ++y)
        for (int x = mid; x < p1.right - 1; ++x) {
            const TColor c = At(out, x, y);
            bluish += ((c >> 16) & 0xFF) > ((c >> 8) & 0xFF);
        }
    EXPECT_GT(bluish, 0);

    // The last panel, without a bevel: frame 3 up to the bar's right edge.
    const RECT part2 = PartRect(bar->Handle(), 2);
    EXPECT_EQ(At(out, r.right - 1, part2.top), kEdge[2]);
    EXPECT_EQ(At(out, r.right - 1, part2.bottom - 1), kEdge[2]);
    EXPECT_GT(CountOther(out, part2.left + 1, part2.top + 1, part2.left + 20, part2.bottom - 1,
                         kInside[2]),
              0)
        << "left-aligned text at the panel's left";
    EXPECT_EQ(
        CountOther(out, part2.left + 20, part2.top + 1, r.right - 1, part2.bottom - 1, kInside[2]),
        0);

    // The same picture reaches the screen on a real paint.
    RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpPending();
    EXPECT_EQ(ScreenPixel(bar->Handle(), p0.left, p0.top), kEdge[0]);
    EXPECT_EQ(ScreenPixel(bar->Handle(), r.right - 1, part2.top), kEdge[2]);
    delete w;
}

TEST(SkinPanelsTest, SimplePanelGripPlainBevelsAndOwnerDrawnPanels) {
    TStatusScene scene;
    TStatusBar* bar = scene.bar;
    TSkinData& data = scene.data;
    TSkinStatusBar* w = scene.Skinned();
    const RECT r = WindowBox(bar->Handle());
    TBitmap out;

    // The size grip: cell 5 of ExtraImages one pixel in from the corner.
    bar->SetSizeGrip(true);
    PaintInto(*w, out);
    const RECT g = StatusGripRect(r, 6, 6);
    EXPECT_EQ(CountOther(out, g.left, g.top, g.right, g.bottom, kGrip), 0);
    EXPECT_NE(At(out, r.right - 1, r.bottom - 1), kGrip);
    // A last part that stops short of the bar's edge is still painted to it.
    int edges[3] = {80, 200, 260};
    SendMessageW(bar->Handle(), SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    bar->SetSizeGrip(false);
    PaintInto(*w, out);
    const RECT part2 = PartRect(bar->Handle(), 2);
    ASSERT_EQ(part2.right, 260);
    EXPECT_EQ(At(out, r.right - 1, part2.top), kEdge[2]);
    EXPECT_EQ(At(out, r.right - 1, part2.bottom - 1), kEdge[2]);
    EXPECT_EQ(At(out, 300, part2.top + 2), kInside[2]);
    bar->UpdatePanels();
    bar->SetSizeGrip(true);
    bar->SetSizeGrip(false);
    PaintInto(*w, out);
    EXPECT_NE(At(out, g.left + 2, g.top + 2), kGrip);

    // A simple panel with no text: one lowered bevel over the whole bar.
    bar->SetSimplePanel(true);
    PaintInto(*w, out);
    EXPECT_EQ(At(out, 0, 0), kEdge[0]);
    EXPECT_EQ(At(out, r.right - 1, r.bottom - 1), kEdge[0]);
    EXPECT_EQ(CountOther(out, 1, 1, r.right - 1, r.bottom - 1, kInside[0]), 0);
    bar->SetSimplePanel(false);

    // Without StatusBarEdges: plain 3-D lines (lowered: shadow top-left).
    data.StatusBarEdges.reset();
    PaintInto(*w, out);
    const RECT p0 = StatusPanelRect(PartRect(bar->Handle(), 0), r, false);
    EXPECT_EQ(At(out, p0.left, p0.top), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(out, p0.right - 1, p0.bottom - 1), ColorToRGB(clBtnHighlight));
    const RECT p1 = StatusPanelRect(PartRect(bar->Handle(), 1), r, false);
    EXPECT_EQ(At(out, p1.left, p1.top), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(out, p1.left + 3, p1.top + 3), kFace);
    MakeStatusSkin(data);

    // An owner-drawn panel is drawn by the application after the skin, one
    // pixel inside its rectangle.
    bar->Panels()->Items(1)->SetStyle(psOwnerDraw);
    int calls = 0;
    bar->OnDrawPanel = [&](TStatusBar* sender, TStatusPanel* panel, const RECT& rect) {
        ++calls;
        EXPECT_EQ(sender, bar);
        if (panel == bar->Panels()->Items(1)) {
            TBrushHandle b(CreateSolidBrush(0x00445566));
            FillRect(sender->Canvas()->Handle(), &rect, b.Get());
        }
    };
    PaintInto(*w, out);
    EXPECT_EQ(calls, 3);
    const RECT part1 = PartRect(bar->Handle(), 1);
    EXPECT_EQ(At(out, part1.left + 1, part1.top + 1), 0x00445566u);
    EXPECT_EQ(At(out, part1.left, part1.top), kEdge[1]) << "the bevel stays around it";
    delete w;
}

// Frames drawn through the skin's drawing routines so far.
int64_t FramesDrawn() {
    const TSkinDrawCacheStats s = SkinDrawCacheStats();
    return s.Hits + s.Misses;
}

TEST(SkinPanelsTest, StatusBarIsComposedAgainOnlyWhenWhatItShowsChanged) {
    TStatusScene scene;
    TStatusBar* bar = scene.bar;
    TSkinData& data = scene.data;
    TSkinStatusBar* w = scene.Skinned();
    TBitmap first, again;
    PaintInto(*w, first);
    // Unchanged: the kept picture is copied, no frame is drawn again.
    const int64_t drawn = FramesDrawn();
    PaintInto(*w, again);
    EXPECT_EQ(FramesDrawn(), drawn);
    EXPECT_TRUE(PixelsAre(again, [&](int x, int y) { return At(first, x, y); }));

    // Each change paints what a wrapper that never painted paints.
    auto* fresh = new TSkinStatusBar(bar);
    fresh->AttachControl(nullptr, &data, false, nullptr);
    auto expectFresh = [&](const char* what) {
        SCOPED_TRACE(what);
        TBitmap kept, made;
        PaintInto(*w, kept);
        PaintInto(*fresh, made);
        EXPECT_TRUE(PixelsAre(kept, [&](int x, int y) { return At(made, x, y); }));
        return kept.Width() > 0 && CountOther(kept, 0, 0, kept.Width(), kept.Height(), kJunk) > 0;
    };
    bar->Panels()->Items(2)->SetText(L"xyz");
    EXPECT_TRUE(expectFresh("a panel's text"));
    bar->Panels()->Items(0)->SetBevel(pbRaised);
    EXPECT_TRUE(expectFresh("a bevel"));
    bar->Font().SetSize(bar->Font().Size() + 3);
    EXPECT_TRUE(expectFresh("the font"));
    bar->SetSizeGrip(true);
    EXPECT_TRUE(expectFresh("the grip"));
    // The skin's pictures and colours changed in place.
    Fill(data.StatusBarEdges->Picture, 17, 1, 23, 7, 0x00405060);
    EXPECT_TRUE(expectFresh("a picture's pixels"));
    const RECT part2 = PartRect(bar->Handle(), 2);
    TBitmap out;
    PaintInto(*w, out);
    EXPECT_EQ(At(out, part2.right - 3, part2.top + 2), 0x00405060u);
    data.ButtonFaceColour = 0x00101080;
    EXPECT_TRUE(expectFresh("the face colour"));
    data.StatusBarEdges->NormalColour2 = 0x00F0F0F0;
    EXPECT_TRUE(expectFresh("the text colour"));
    delete fresh;
    delete w;
}

// The window's pixels as the screen shows them, frame included.
void WindowPixels(HWND wnd, TBitmap& out) {
    const RECT r = WindowRectAtOrigin(wnd);
    out.SetSize(r.right, r.bottom);
    TWindowDC dc(wnd);
    BitBlt(out.Canvas().Handle(), 0, 0, r.right, r.bottom, dc.Handle(), 0, 0, SRCCOPY);
}

TEST(SkinPanelsTest, StatusBarWmPaintIsTheSkinAloneOncePerPaint) {
    TStatusScene scene;
    TStatusBar* bar = scene.bar;
    TSkinStatusBar* w = scene.Skinned();
    bar->Panels()->Items(1)->SetStyle(psOwnerDraw);
    // The bar's own paint would ask for the owner-drawn panel once more
    // (WM_DRAWITEM); the skin asks for every panel once.
    int calls = 0;
    bar->OnDrawPanel = [&](TStatusBar* sender, TStatusPanel* panel, const RECT& rect) {
        ++calls;
        if (panel == sender->Panels()->Items(1)) {
            TBrushHandle b(CreateSolidBrush(0x00445566));
            FillRect(sender->Canvas()->Handle(), &rect, b.Get());
        }
    };
    TBitmap expected, sent, shown;
    PaintInto(*w, expected);
    ASSERT_EQ(calls, 3);

    // A DC in WParam: the skin's pixels, the bar's own paint not run.
    calls = 0;
    const RECT r = WindowRectAtOrigin(bar->Handle());
    sent.SetSize(r.right, r.bottom);
    Fill(sent, 0, 0, r.right, r.bottom, kJunk);
    SendMessageW(bar->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(sent.Canvas().Handle()), 0);
    EXPECT_EQ(calls, 3);
    EXPECT_TRUE(PixelsAre(sent, [&](int x, int y) { return At(expected, x, y); }));

    // An invalidated bar: one paint of the skin (no buffered paint before
    // it), the update region validated, the screen showing the skin.
    calls = 0;
    InvalidateRect(bar->Handle(), nullptr, TRUE);
    UpdateWindow(bar->Handle());
    EXPECT_EQ(calls, 3);
    EXPECT_FALSE(GetUpdateRect(bar->Handle(), nullptr, FALSE));
    WindowPixels(bar->Handle(), shown);
    EXPECT_TRUE(PixelsAre(shown, [&](int x, int y) { return At(expected, x, y); }));

    // Switched off, the bar paints itself again.
    SendMessageW(bar->Handle(), SM_WRAPPERSWITCH, 0, 0);
    calls = 0;
    SendMessageW(bar->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(sent.Canvas().Handle()), 0);
    EXPECT_EQ(calls, 1) << "the bar's own paint of its owner-drawn panel";
    EXPECT_NE(At(sent, 1, 1), At(expected, 1, 1));
    delete w;
}

TEST(SkinPanelsTest, XPLunaStatusBarPaintsItsPicturesAndLeaksNothing) {
    TStatusScene scene;
    TStatusBar* bar = scene.bar;
    TSkinData& data = scene.data;
    ASSERT_TRUE(model_test::LoadBytes(data, model_test::ProjectSkin()));
    ASSERT_TRUE(data.StatusBarEdges);
    auto* w = new TSkinStatusBar(bar);
    w->AttachControl(nullptr, &data, false, nullptr);
    TBitmap out;
    PaintInto(*w, out);
    const RECT r = WindowBox(bar->Handle());
    // Corners of Blue_Status frames are copied at their own size.
    TBitmap& pic = data.StatusBarEdges->Picture;
    const int fw = pic.Width() / 3;
    const RECT p1 = StatusPanelRect(PartRect(bar->Handle(), 1), r, false);
    EXPECT_EQ(At(out, p1.left, p1.top), pic.Canvas().Pixel(fw, 0));
    EXPECT_EQ(At(out, p1.right - 1, p1.bottom - 1),
              pic.Canvas().Pixel(2 * fw - 1, pic.Height() - 1));
    const RECT part2 = PartRect(bar->Handle(), 2);
    EXPECT_EQ(At(out, r.right - 1, part2.top), pic.Canvas().Pixel(3 * fw - 1, 0));

    EXPECT_EQ(GdiGrowthOverPaints(*w, out.Canvas().Handle(), r, 1000), 0);
    delete w;
}

TEST(SkinPanelsTest, GroupBoxCaptionBreaksTheRoundedFrameNinePixelsIn) {
    TPanelsForm form(Application);
    auto* box = new TGroupBox(&form);
    box->SetParent(&form);
    box->SetBounds(10, 10, 200, 120);
    box->SetCaption(L"Ab");
    box->SetColor(clWindow);
    form.Show();
    PumpPending();
    TSkinData data(nullptr);
    data.ButtonFaceColour = kFace;
    data.ButtonShadowColour = kShadow;
    auto* w = new TSkinGroupBox(box);
    w->AttachControl(nullptr, &data, true, nullptr);
    EXPECT_EQ(box->Color(), kFace);
    TBitmap out;
    PaintInto(*w, out);
    EXPECT_EQ(w->Caption, L"Ab");

    // The frame's top line from the height of "0" in the control's font.
    SIZE zero{};
    SIZE caption{};
    {
        TMemoryDC dc;
        TSelectObject font(dc.Handle(), box->Font().Handle());
        GetTextExtentPoint32A(dc.Handle(), "0", 1, &zero);
        GetTextExtentPoint32W(dc.Handle(), L"Ab", 2, &caption);
    }
    const int t = zero.cy / 2 - 1;
    const int right = 200, bottom = 120;
    // The cleared ring, the rounded frame one pixel inside it.
    EXPECT_EQ(At(out, 0, t + 20), kFace);
    EXPECT_EQ(At(out, 1, t + 20), kShadow);
    EXPECT_EQ(At(out, right - 1, t + 20), kFace);
    EXPECT_EQ(At(out, right - 2, t + 20), kShadow);
    EXPECT_EQ(At(out, 50, bottom - 1), kFace);
    EXPECT_EQ(At(out, 50, bottom - 2), kShadow);
    EXPECT_EQ(At(out, 2, t + 20), kJunk) << "the inside is the control's own";
    // The corners are rounded: the corner pixel itself is not on the frame.
    EXPECT_NE(At(out, 1, t), kShadow);
    // The caption: the frame line runs up to x = 8, the caption's face
    // background starts at 9, and the line goes on after the text.
    EXPECT_EQ(At(out, 8, t), kShadow);
    EXPECT_EQ(CountColour(out, 9, t, 9 + caption.cx, t + 1, kShadow), 0);
    EXPECT_GT(CountColour(out, 9, t, 9 + caption.cx, t + 1, kFace), 0);
    EXPECT_EQ(At(out, 9 + caption.cx + 2, t), kShadow);
    EXPECT_EQ(At(out, 9, 0), kFace);

    // On a real paint the frame reaches the screen; freeing the window
    // puts the control's colour back.
    RedrawWindow(box->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpPending();
    EXPECT_EQ(ScreenPixel(box->Handle(), 1, t + 20), kShadow);
    EXPECT_EQ(ScreenPixel(box->Handle(), 8, t), kShadow);
    box->DestroyHandle();
    EXPECT_EQ(w->State, TWrapperState::Destroyed);
    EXPECT_EQ(box->Color(), static_cast<TColor>(clWindow));
}

TEST(SkinPanelsTest, BoxesRecolourDialogBackgroundsAndSizeBoxesTakeTheFace) {
    TPanelsForm form(Application);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetColor(clWindow);
    form.Show();
    TSkinData data(nullptr);
    data.ButtonFaceColour = kFace;
    TListHost host;
    // The box only recolours: no hook, neither attached nor in state 1.
    auto* box = new TSkinBox(panel);
    box->AttachControl(&host, &data, true, nullptr);
    EXPECT_EQ(panel->Color(), kFace);
    EXPECT_FALSE(box->HooksControl());
    EXPECT_FALSE(box->Attached);
    EXPECT_EQ(box->State, TWrapperState::Created);
    EXPECT_EQ(host.list.size(), 1u);
    box->RestoreControl();
    EXPECT_EQ(panel->Color(), static_cast<TColor>(clWindow));
    delete box;
    EXPECT_TRUE(host.list.empty());

    // A dialog's client window erased with the face brush the skin keeps.
    HWND client = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 500, 100, 60, 40,
                                  nullptr, nullptr, nullptr, nullptr);
    auto* boxH = new TSkinBoxH(nullptr);
    boxH->AttachWindow(client, &data, nullptr, nullptr);
    TBitmap out;
    out.SetSize(60, 40);
    Fill(out, 0, 0, 60, 40, kJunk);
    EXPECT_EQ(
        SendMessageW(client, WM_ERASEBKGND, reinterpret_cast<WPARAM>(out.Canvas().Handle()), 0), 0);
    EXPECT_EQ(CountOther(out, 0, 0, 60, 40, kFace), 0);
    data.FaceBrush.Reset(CreateSolidBrush(0x00203040));
    SendMessageW(client, WM_ERASEBKGND, reinterpret_cast<WPARAM>(out.Canvas().Handle()), 0);
    EXPECT_EQ(At(out, 30, 20), 0x00203040u);
    delete boxH;
    DestroyWindow(client);

    // A raw size box painted in the face colour after it painted itself.
    HWND sizer = CreateWindowExW(0, L"SCROLLBAR", L"", WS_POPUP | WS_VISIBLE | SBS_SIZEBOX, 600,
                                 100, 20, 20, nullptr, nullptr, nullptr, nullptr);
    auto* grip = new TSkinSizer(nullptr);
    grip->AttachWindow(sizer, &data, nullptr, nullptr);
    RedrawWindow(sizer, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpPending();
    EXPECT_EQ(ScreenPixel(sizer, 10, 10), kFace);
    EXPECT_EQ(ScreenPixel(sizer, 19, 19), kFace);
    delete grip;
    DestroyWindow(sizer);
}

TEST(SkinPanelsTest, HeaderItemsComeFromTheHeaderbarAndANarrowHeaderGetsItsFiller) {
    TPanelsForm form(Application);
    auto* header = new THeaderControl(&form);
    header->SetParent(&form);
    header->SetBounds(0, 0, 300, 20);
    THeaderSection* first = header->Sections()->Add();
    first->SetText(L"Name");
    first->SetWidth(70);
    THeaderSection* second = header->Sections()->Add();
    second->SetText(L"Size");
    second->SetWidth(60);
    second->SetAlignment(taRightJustify);
    form.Show();
    PumpPending();
    TSkinData data(nullptr);
    ASSERT_TRUE(model_test::LoadBytes(data, model_test::ProjectSkin()));
    ASSERT_TRUE(data.Headerbar);
    auto* w = new TSkinHeader(nullptr);
    w->AttachWindow(header->Handle(), &data, nullptr, nullptr);
    // The skin erases nothing: it paints every pixel itself.
    EXPECT_EQ(SendMessageW(header->Handle(), WM_ERASEBKGND, 0, 0), 1);
    TBitmap out;
    PaintInto(*w, out);
    TBitmap& pic = data.Headerbar->Picture;
    const int fw = pic.Width() / 5, fh = pic.Height();
    auto corner = [&](int x, int y) { return static_cast<TColor>(pic.Canvas().Pixel(x, y)); };
    RECT h0{}, h1{};
    SendMessageW(header->Handle(), HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&h0));
    SendMessageW(header->Handle(), HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&h1));
    ASSERT_EQ(h1.right, 130);
    // Each item is frame 1 with its corners unscaled.
    EXPECT_EQ(At(out, h0.left, h0.top), corner(0, 0));
    EXPECT_EQ(At(out, h0.right - 1, h0.bottom - 1), corner(fw - 1, fh - 1));
    EXPECT_EQ(At(out, h1.left, h1.top), corner(0, 0));
    // The filler after the last column, to the control's edge.
    EXPECT_EQ(At(out, 130, 0), corner(0, 0));
    EXPECT_EQ(At(out, 299, 19), corner(fw - 1, fh - 1));
    EXPECT_EQ(At(out, 299, 0), corner(fw - 1, 0));
    // The texts: the first at the item's left, the right-aligned one on its right.
    const TColor black = 0;
    EXPECT_GT(CountColour(out, h0.left + 2, 2, h0.left + 30, 18, black), 0);
    EXPECT_EQ(CountColour(out, h1.left + 2, 2, h1.left + 25, 18, black), 0);
    EXPECT_GT(CountColour(out, h1.right - 30, 2, h1.right - 2, 18, black), 0);

    // Without a Headerbar the header keeps its own look.
    data.Headerbar.reset();
    Fill(out, 0, 0, 300, 20, kJunk);
    w->PaintSkin(out.Canvas().Handle(), RECT{0, 0, 300, 20});
    EXPECT_EQ(CountOther(out, 0, 0, 300, 20, kJunk), 0);
    delete w;
}

TEST(SkinPanelsTest, CheckBoxesGetANineCellGlyphStripFromTheCheckCells) {
    TPanelsForm form(Application);
    auto* check = new TGlyphCheck(&form);
    check->SetParent(&form);
    TSkinData data(nullptr);
    const TColor cells[5] = {0x00000011, 0x00000022, 0x00000033, 0x00000044, 0x00000055};
    data.Buttons->CheckPicture.SetSize(5 * 13, 13);
    for (int i = 0; i < 5; ++i)
        Fill(data.Buttons->CheckPicture, 13 * i, 0, 13 * i + 13, 13, cells[i]);
    data.Buttons->CheckButtonFrame = 5;

    // Glyph mode 0: the control is left alone.
    auto* plain = new TSkinObjImage(check);
    plain->AttachControl(nullptr, &data, false, nullptr);
    EXPECT_TRUE(check->CustomGlyphs()->Empty());
    EXPECT_TRUE(plain->Attached);
    EXPECT_FALSE(plain->HooksControl());
    delete plain;

    auto* w = new TSkinObjImage(check);
    w->GlyphMode = 1;
    w->AttachControl(nullptr, &data, false, nullptr);
    EXPECT_EQ(w->State, TWrapperState::Attached);
    TBitmap& strip = *check->CustomGlyphs();
    ASSERT_EQ(strip.Width(), 9 * 13);
    ASSERT_EQ(strip.Height(), 13);
    const int expected[9] = {1, 2, 5, 1, 2, 5, 3, 4, 5};
    for (int slot = 0; slot < 9; ++slot)
        EXPECT_EQ(CountOther(strip, 13 * slot, 0, 13 * slot + 13, 13, cells[expected[slot] - 1]), 0)
            << "slot " << slot + 1;
    EXPECT_EQ(check->TransparentColor, 16711935);
    // Written false, then true, so that the control reloads its glyphs.
    EXPECT_EQ(check->writes, (std::vector<bool>{false, true}));

    // A four-cell strip leaves slots 3, 6 and 9 transparent; a skin change
    // builds it again.
    data.Buttons->CheckPicture.SetSize(4 * 13, 13);
    data.Buttons->CheckButtonFrame = 4;
    w->SkinChanged();
    EXPECT_EQ(CountOther(*check->CustomGlyphs(), 26, 0, 39, 13, kSkinKeyColor), 0);
    EXPECT_EQ(CountOther(*check->CustomGlyphs(), 78, 0, 91, 13, cells[2]), 0);
    // Restoring turns the custom glyphs off.
    check->writes.clear();
    w->RestoreControl();
    EXPECT_EQ(check->writes, (std::vector<bool>{false}));
    delete w;

    // An empty check strip changes nothing.
    TSkinData empty(nullptr);
    auto* none = new TSkinObjImage(check);
    none->GlyphMode = 1;
    check->writes.clear();
    none->AttachControl(nullptr, &empty, false, nullptr);
    EXPECT_TRUE(check->writes.empty());
    delete none;
}

TEST(SkinPanelsTest, WrappersAreRegisteredByClassName) {
    RegisterPanelSkins();
    for (const char* name : {"TSkinStatusBar", "TSkinGroupBox", "TSkinBox", "TSkinBoxH",
                             "TSkinSizer", "TSkinHeader", "TSkinObjImage"}) {
        const TClassInfo* cls = FindClass(name);
        ASSERT_NE(cls, nullptr) << name;
        TObject* made = cls->CreateInstance(nullptr);
        ASSERT_NE(dynamic_cast<TSkinControl*>(made), nullptr) << name;
        EXPECT_EQ(made->ClassName(), name);
        delete made;
    }
}

TEST(SkinPanelsTest, StatusTextTakesTheBarsColourAndHeaderCaptionsArePlain) {
    // Without StatusBarEdges the panel texts are in the bar's font colour.
    TStatusScene scene;
    TStatusBar* bar = scene.bar;
    constexpr TColor kFontColour = 0x000000E0;
    bar->Font().SetColor(kFontColour);
    scene.data.ButtonFaceColour = kFace;
    auto* status = new TSkinStatusBar(bar);
    status->AttachControl(nullptr, &scene.data, false, nullptr);
    TBitmap out;
    PaintInto(*status, out);
    const RECT p1 = StatusPanelRect(PartRect(bar->Handle(), 1), WindowBox(bar->Handle()), false);
    // (Text may be smoothed: red text leaves reddish pixels, black text greys.)
    int reddish = 0, greyish = 0;
    for (int y = p1.top + 1; y < p1.bottom - 1; ++y)
        for (int x = p1.left + 1; x < p1.right - 1; ++x) {
            const TColor c = At(out, x, y);
            const int red = c & 0xFF, green = (c >> 8) & 0xFF;
            reddish += red - green > 40;
            greyish += red < 0xC0 && std::abs(red - green) < 20;
        }
    EXPECT_GT(reddish, 0);
    EXPECT_EQ(greyish, 0);
    delete status;

    // A header whose window font is bold draws its captions exactly as with
    // the regular font.
    TPanelsForm form(Application);
    auto* header = new THeaderControl(&form);
    header->SetParent(&form);
    header->SetBounds(0, 0, 300, 20);
    THeaderSection* section = header->Sections()->Add();
    section->SetText(L"Wide Name");
    section->SetWidth(120);
    form.Show();
    PumpMessages(30);
    TSkinData data(nullptr);
    ASSERT_TRUE(model_test::LoadBytes(data, model_test::ProjectSkin()));
    auto* w = new TSkinHeader(nullptr);
    w->AttachWindow(header->Handle(), &data, nullptr, nullptr);
    // The header's window font follows its Font in the given style.
    auto useStyle = [&](TFontStyles style, bool bold) {
        header->Font().SetStyle(style);
        SendMessageW(header->Handle(), WM_SETFONT,
                     reinterpret_cast<WPARAM>(header->Font().Handle()), FALSE);
        LOGFONTW lf{};
        auto f = reinterpret_cast<HFONT>(SendMessageW(header->Handle(), WM_GETFONT, 0, 0));
        return f && GetObjectW(f, sizeof lf, &lf) && (lf.lfWeight >= FW_BOLD) == bold;
    };
    TBitmap regular, bold;
    ASSERT_TRUE(useStyle({}, false));
    PaintInto(*w, regular);
    ASSERT_TRUE(useStyle({fsBold}, true));
    PaintInto(*w, bold);
    EXPECT_TRUE(PixelsAre(bold, [&](int x, int y) { return At(regular, x, y); }));
    // The bold font really draws otherwise, so the comparison can fail.
    TBitmap boldText, plainText;
    for (TBitmap* b : {&boldText, &plainText}) {
        b->SetSize(120, 20);
        Fill(*b, 0, 0, 120, 20, kJunk);
        const TSelectObject font(b->Canvas().Handle(), header->Font().Handle());
        std::optional<TPlainFontScope> plain;
        if (b == &plainText)
            plain.emplace(b->Canvas().Handle());
        RECT r{0, 0, 120, 20};
        DrawTextW(b->Canvas().Handle(), L"Wide Name", -1, &r, DT_SINGLELINE);
    }
    EXPECT_FALSE(PixelsAre(boldText, [&](int x, int y) { return At(plainText, x, y); }));
    delete w;
}
