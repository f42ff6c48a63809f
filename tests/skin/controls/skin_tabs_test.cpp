// The tab wrappers with real controls under Wine: the strip of tabs in all
// four positions (frames, text colours, turning), the page border, the
// scroll arrows left alone and given their own wrapper, the tab set painted
// whole. Pixel checks use a hand-made Tabs element of known colours and the
// real XPLuna skin.
#include <gtest/gtest.h>

#include "framework/core/class_builder.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/stdctrls/std_tabs.h"
#include "skin/controls/skin_tabs.h"
#include "skin/draw/skin_draw.h"
#include "skin/model/skin_data.h"
#include "tests/framework/gdi/pixel_test_util.h"
#include "tests/framework/ui/ui_test_util.h"
#include "tests/skin/controls/wrapper_test_util.h"
#include "tests/skin/model/model_fixture.h"

using namespace pixel_test;
using namespace wrapper_test;

namespace {

constexpr TColor kFace = 0x00DCEAED, kJunk = 0x00123456;
constexpr TColor kNormal = 0x000000C0, kNormalTop = 0x00000040, kSelected = 0x0000C000;
constexpr TColor kNormalText = 0x00FFFF00, kSelectedText = 0x0000FFFF, kBorder = 0x00C00000;

// A hand-made Tabs element: five 12 x 21 frames, frame 1 kNormal with its
// top three rows kNormalTop, frame 2 kSelected; a 20 x 20 border picture in
// kBorder. No margins, opaque.
void MakeTabSkin(TSkinData& data) {
    data.ButtonFaceColour = kFace;
    auto tabs = std::make_unique<TDataSkinBorder>("Tabs");
    tabs->Picture.SetSize(60, 21);
    Fill(tabs->Picture, 0, 0, 60, 21, 0x00808080);
    Fill(tabs->Picture, 0, 0, 12, 21, kNormal);
    Fill(tabs->Picture, 0, 0, 12, 3, kNormalTop);
    Fill(tabs->Picture, 12, 0, 24, 21, kSelected);
    tabs->Picture2.SetSize(20, 20);
    Fill(tabs->Picture2, 0, 0, 20, 20, kBorder);
    tabs->FrameCount = 5;
    tabs->NormalColour2 = kNormalText;
    tabs->MouseOverColour2 = kSelectedText;
    data.Tabs = std::move(tabs);
}

// The skin made and a tab wrapper attached to the control's window.
TSkinTab* SkinnedTabs(HWND control, TSkinData& data) {
    MakeTabSkin(data);
    auto* w = new TSkinTab(nullptr);
    w->AttachWindow(control, &data, nullptr, nullptr);
    return w;
}

// A wrapper for the scroll arrows, standing in for the up-down skin.
class TArrowSkin : public TSkinControl {
    LT_CLASS(TArrowSkin, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    void AttachWindow(HWND handle, TSkinData* skinData, TWrapperHost* formSkinner,
                      TCanvas* canvas) override {
        ++attaches;
        TSkinControl::AttachWindow(handle, skinData, formSkinner, canvas);
    }
    bool Horizontal = false;
    int attaches = 0;
};

class TTabsForm : public TForm {
public:
    explicit TTabsForm(TComponent* owner) : TForm(owner) { SetBounds(30, 30, 400, 300); }
};

TTabControl* MakeTabControl(TForm& form, TTabPosition position, int count = 3) {
    auto* tabs = new TTabControl(&form);
    tabs->SetParent(&form);
    tabs->SetBounds(10, 10, 300, 200);
    tabs->SetTabPosition(position);
    TStringList texts;
    const char* names[] = {"One", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight"};
    for (int i = 0; i < count; ++i)
        texts.Add(names[i % 8]);
    tabs->SetTabs(texts);
    tabs->SetTabIndex(1);
    return tabs;
}

void PaintInto(TSkinControl& w, TBitmap& target) {
    wrapper_test::PaintInto(w, target, kJunk);
}

RECT ItemRect(HWND tabs, int i) {
    RECT t{};
    SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&t));
    return t;
}

// The body rectangle the wrapper computes for the control.
RECT Body(HWND tabs, int position) {
    RECT page = WindowBox(tabs);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    return TabBodyRect(page, position);
}

int CountColour(TBitmap& b, const RECT& r, TColor c) {
    return wrapper_test::CountColour(b, r.left, r.top, r.right, r.bottom, c);
}

void ExpectRect(const RECT& r, int left, int top, int right, int bottom) {
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
}

RECT Intersect(const RECT& a, const RECT& b) {
    RECT r{};
    IntersectRect(&r, &a, &b);
    return r;
}

// Expects every pixel of `area` to be either the fill or the text colour,
// and some of it the text colour.
void ExpectTab(TBitmap& b, const RECT& area, TColor fill, TColor text, TColor otherText) {
    const int all = (area.right - area.left) * (area.bottom - area.top);
    ASSERT_GT(all, 0);
    const int filled = CountColour(b, area, fill), texted = CountColour(b, area, text);
    EXPECT_EQ(filled + texted, all);
    EXPECT_GT(texted, 0);
    EXPECT_GT(filled, texted);
    EXPECT_EQ(CountColour(b, area, otherText), 0);
}

} // namespace

LT_CLASS_TABLE(TArrowSkin) {
    c.Boolean("Horizontal", &TArrowSkin::Horizontal, &TArrowSkin::Horizontal);
}

TEST(SkinTabsTest, GeometryFollowsItsArithmetic) {
    EXPECT_EQ(TabPositionOfStyle(0), kTabsTop);
    EXPECT_EQ(TabPositionOfStyle(TCS_BOTTOM), kTabsBottom);
    EXPECT_EQ(TabPositionOfStyle(TCS_VERTICAL | TCS_MULTILINE), kTabsLeft);
    EXPECT_EQ(TabPositionOfStyle(TCS_VERTICAL | TCS_RIGHT), kTabsRight);
    for (TTabPosition p : {tpTop, tpBottom, tpLeft, tpRight})
        EXPECT_EQ(TabPositionOfStyle(TabPositionStyle(p)), static_cast<int>(p));

    // Four larger on every side, the tabs' side one pixel in.
    const RECT page{10, 30, 200, 150};
    RECT p = TabBodyRect(page, kTabsTop);
    EXPECT_EQ(p.left, 6);
    EXPECT_EQ(p.top, 27);
    EXPECT_EQ(p.right, 204);
    EXPECT_EQ(p.bottom, 154);
    EXPECT_EQ(TabBodyRect(page, kTabsBottom).bottom, 153);
    EXPECT_EQ(TabBodyRect(page, kTabsLeft).left, 7);
    EXPECT_EQ(TabBodyRect(page, kTabsRight).right, 203);

    // The strips and the buffer sizes (turned for the sides).
    const RECT r{0, 0, 300, 200}, body{30, 25, 270, 175};
    RECT s = TabStripRect(r, body, kTabsTop);
    ExpectRect(s, 0, 0, 300, 25);
    s = TabStripRect(r, body, kTabsBottom);
    ExpectRect(s, 0, 175, 300, 200);
    s = TabStripRect(r, body, kTabsLeft);
    ExpectRect(s, 0, 0, 30, 200);
    SIZE size = TabBufferSize(s, kTabsLeft);
    EXPECT_EQ(size.cx, 200);
    EXPECT_EQ(size.cy, 30);
    s = TabStripRect(r, body, kTabsRight);
    ExpectRect(s, 270, 0, 300, 200);
    size = TabBufferSize(RECT{0, 0, 300, 25}, kTabsTop);
    EXPECT_EQ(size.cx, 300);
    EXPECT_EQ(size.cy, 25);

    // A tab's place in the buffer for each position.
    const RECT t{2, 2, 60, 22};
    RECT b = TabRectInBuffer(t, kTabsTop, r, body, 300);
    ExpectRect(b, 2, 3, 60, 23);
    b = TabRectInBuffer(RECT{2, 178, 60, 198}, kTabsBottom, r, body, 300);
    ExpectRect(b, 2, 2, 60, 22);
    b = TabRectInBuffer(RECT{2, 10, 28, 70}, kTabsLeft, r, body, 200);
    ExpectRect(b, 130, 2, 190, 28);
    b = TabRectInBuffer(RECT{272, 10, 298, 70}, kTabsRight, r, body, 200);
    ExpectRect(b, 9, 2, 69, 28);
    EXPECT_EQ(TabFrame(1, 1), 2);
    EXPECT_EQ(TabFrame(0, 1), 1);

    // Tab sets: text + 9 wide; the end margin (plus 12 while the scroller
    // shows) limits them; a tab that does not fit is skipped.
    auto tabs = LayoutSkinTabSet({20, 30, 40}, 0, 5, 5, 100, false);
    ASSERT_EQ(tabs.size(), 2u);
    EXPECT_EQ(tabs[0].left, 5);
    EXPECT_EQ(tabs[0].right, 34);
    EXPECT_EQ(tabs[1].left, 34);
    EXPECT_EQ(tabs[1].right, 73);
    tabs = LayoutSkinTabSet({20, 80, 10}, 0, 5, 5, 100, false);
    ASSERT_EQ(tabs.size(), 2u);
    EXPECT_EQ(tabs[1].index, 2);
    EXPECT_EQ(tabs[1].left, 34);
    EXPECT_EQ(tabs[1].right, 53);
    // 34 + 52 + 9 = 95 fits the end margin, but not with the scroller's room.
    EXPECT_EQ(LayoutSkinTabSet({20, 52}, 0, 5, 5, 100, false).size(), 2u);
    EXPECT_EQ(LayoutSkinTabSet({20, 52}, 0, 5, 5, 100, true).size(), 1u);
    tabs = LayoutSkinTabSet({20, 30, 40}, 1, 5, 5, 100, true);
    ASSERT_EQ(tabs.size(), 1u);
    EXPECT_EQ(tabs[0].index, 1);
    EXPECT_EQ(tabs[0].left, 5);
}

TEST(SkinTabsTest, TopTabsGetTheirFramesTextColoursAndThePageBorder) {
    TTabsForm form(Application);
    TTabControl* control = MakeTabControl(form, tpTop);
    form.Show();
    PumpPending();
    TSkinData data(nullptr);
    TSkinTab* w = SkinnedTabs(control->Handle(), data);
    EXPECT_EQ(w->TabPosition, kTabsTop);
    EXPECT_TRUE(w->SubclassesWindow());
    TBitmap out;
    PaintInto(*w, out);
    HWND h = control->Handle();
    const RECT r = WindowBox(h), body = Body(h, kTabsTop);
    const RECT strip{0, 0, r.right, body.top};

    // The selected tab: frame 2 and its text colour; the others frame 1.
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        RECT t = ItemRect(h, i);
        OffsetRect(&t, 0, 1);
        const RECT area = Intersect(t, strip);
        // The top rows of frame 1 are its darker band.
        RECT inside{area.left, area.top + 3, area.right, area.bottom};
        if (i == 1)
            ExpectTab(out, area, kSelected, kSelectedText, kNormalText);
        else
            ExpectTab(out, inside, kNormal, kNormalText, kSelectedText);
    }
    // Tabs are drawn one pixel down: above them the strip's colour, then
    // the three rows of frame 1's dark band, then its body.
    const RECT t0 = ItemRect(h, 0);
    EXPECT_EQ(At(out, t0.left + 1, t0.top), kFace);
    EXPECT_EQ(At(out, t0.left + 1, t0.top + 1), kNormalTop);
    EXPECT_EQ(At(out, t0.left + 1, t0.top + 3), kNormalTop);
    EXPECT_EQ(At(out, t0.left + 1, t0.top + 4), kNormal);
    // The rest of the strip is the parent's colour (the face colour here).
    EXPECT_EQ(At(out, r.right - 3, 2), kFace);
    // The border: edges 4 wide (5 on top) around the body, the centre left alone.
    const int midY = (body.top + body.bottom) / 2, midX = (body.left + body.right) / 2;
    EXPECT_EQ(At(out, body.left, midY), kBorder);
    EXPECT_EQ(At(out, body.left + 3, midY), kBorder);
    EXPECT_EQ(At(out, body.left + 4, midY), kJunk);
    EXPECT_EQ(At(out, body.right - 4, midY), kBorder);
    EXPECT_EQ(At(out, body.right - 5, midY), kJunk);
    EXPECT_EQ(At(out, midX, body.top + 4), kBorder);
    EXPECT_EQ(At(out, midX, body.top + 5), kJunk);
    EXPECT_EQ(At(out, midX, body.bottom - 4), kBorder);
    EXPECT_EQ(At(out, midX, body.bottom - 5), kJunk);

    // Without the border picture the page keeps its own border; without
    // the Tabs picture nothing is drawn.
    data.Tabs->Picture2.Clear();
    w->SkinChanged();
    PaintInto(*w, out);
    EXPECT_EQ(At(out, body.left, midY), kJunk);
    EXPECT_EQ(At(out, ItemRect(h, 0).left + 2, 10), kNormal);
    data.Tabs->Picture.Clear();
    w->SkinChanged();
    PaintInto(*w, out);
    EXPECT_EQ(CountOther(out, 0, 0, r.right, r.bottom, kJunk), 0);
    delete w;
}

TEST(SkinTabsTest, BottomAndSideTabsAreTurnedToFaceThePage) {
    for (TTabPosition position : {tpBottom, tpLeft, tpRight}) {
        SCOPED_TRACE(static_cast<int>(position));
        TTabsForm form(Application);
        TTabControl* control = MakeTabControl(form, position);
        form.Show();
        PumpPending();
        TSkinData data(nullptr);
        TSkinTab* w = SkinnedTabs(control->Handle(), data);
        ASSERT_EQ(w->TabPosition, static_cast<int>(position));
        TBitmap out;
        PaintInto(*w, out);
        HWND h = control->Handle();
        const RECT r = WindowBox(h), body = Body(h, position);
        const RECT strip = TabStripRect(r, body, position);
        // Where a tab lands on screen after the buffer is turned.
        auto onScreen = [&](int i) {
            RECT t = ItemRect(h, i);
            if (position == tpBottom)
                OffsetRect(&t, 0, -1);
            else if (position == tpRight)
                OffsetRect(&t, 0, -1);
            return Intersect(t, strip);
        };
        const RECT sel = onScreen(1), other = onScreen(0);
        ExpectTab(out, sel, kSelected, kSelectedText, kNormalText);
        // Frame 1's dark top band faces away from the page: at the bottom
        // for bottom tabs, on the left for left tabs, on the right for right tabs.
        const int cx = (other.left + other.right) / 2, cy = (other.top + other.bottom) / 2;
        if (position == tpBottom) {
            EXPECT_EQ(At(out, other.left + 1, other.bottom - 1), kNormalTop);
            EXPECT_EQ(At(out, other.left + 1, other.top), kNormal);
        } else if (position == tpLeft) {
            EXPECT_EQ(At(out, other.left, cy), kNormalTop);
            EXPECT_EQ(At(out, other.right - 1, cy), kNormal);
            EXPECT_EQ(At(out, cx, other.top), kNormal);
        } else {
            EXPECT_EQ(At(out, other.right - 1, cy), kNormalTop);
            EXPECT_EQ(At(out, other.left, cy), kNormal);
        }
        // The tab texts keep inside their tabs.
        EXPECT_GT(CountColour(out, other, kNormalText), 0);
        EXPECT_EQ(CountColour(out, sel, kNormalText), 0);
        delete w;
    }
}

TEST(SkinTabsTest, ScrollArrowsGetTheirOwnWrapperAndAreNotPaintedOver) {
    TTabsForm form(Application);
    TTabControl* control = MakeTabControl(form, tpTop, 16);
    control->SetWidth(160);
    form.Show();
    PumpPending();
    HWND h = control->Handle();
    HWND arrows = FindWindowExA(h, nullptr, "msctls_updown32", nullptr);
    ASSERT_NE(arrows, nullptr) << "sixteen tabs do not fit 160 pixels";
    TSkinData data(nullptr);
    MakeTabSkin(data);
    RegisterClasses<TArrowSkin>();
    TComponent owner(nullptr);
    auto* w = new TSkinTab(&owner);
    w->UpDownClass = "TArrowSkin";
    w->AttachWindow(h, &data, nullptr, nullptr);
    auto* arrowSkin = dynamic_cast<TArrowSkin*>(w->UpDownWrapper);
    ASSERT_NE(arrowSkin, nullptr);
    EXPECT_EQ(arrowSkin->Handle, arrows);
    EXPECT_EQ(arrowSkin->Owner(), &owner);
    EXPECT_FALSE(arrowSkin->Horizontal);
    TBitmap out;
    PaintInto(*w, out);
    PaintInto(*w, out);
    EXPECT_EQ(arrowSkin->attaches, 1) << "made once";
    // The arrows' rectangle keeps what was there; the strip is drawn around it.
    RECT a{}, c{};
    GetWindowRect(arrows, &a);
    GetWindowRect(h, &c);
    OffsetRect(&a, -c.left, -c.top);
    EXPECT_EQ(CountOther(out, a.left, a.top, a.right, a.bottom, kJunk), 0);
    EXPECT_NE(At(out, a.left - 1, a.top + 2), kJunk);
    // Freed elsewhere: the tab wrapper forgets it.
    delete arrowSkin;
    EXPECT_EQ(w->UpDownWrapper, nullptr);
    delete w;
}

TEST(SkinTabsTest, StripAndBorderAreComposedAgainOnlyWhenWhatTheyShowChanged) {
    // The border's parts: eight around a large area; margins that do not
    // fit taken as 0; parts with nothing to copy left out.
    const TSkinMargins m{4, 5, 4, 4};
    std::vector<RECT> parts = BorderParts(100, 50, 20, 20, m);
    ASSERT_EQ(parts.size(), 8u);
    ExpectRect(parts[0], 0, 0, 4, 5);
    ExpectRect(parts[1], 0, 46, 4, 50);
    ExpectRect(parts[2], 96, 0, 100, 5);
    ExpectRect(parts[3], 0, 5, 4, 46);
    ExpectRect(parts[4], 4, 0, 96, 5);
    ExpectRect(parts[5], 96, 46, 100, 50);
    ExpectRect(parts[6], 96, 5, 100, 46);
    ExpectRect(parts[7], 4, 46, 96, 50);
    parts = BorderParts(6, 50, 20, 20, m);
    ASSERT_EQ(parts.size(), 2u);
    ExpectRect(parts[0], 0, 0, 6, 5);
    ExpectRect(parts[1], 0, 46, 6, 50);
    EXPECT_EQ(BorderParts(100, 50, 8, 20, m).size(), 6u) << "no middle to stretch along the top";

    TTabsForm form(Application);
    TTabControl* tabs = MakeTabControl(form, tpTop);
    form.Show();
    PumpPending();
    TSkinData data(nullptr);
    TSkinTab* w = SkinnedTabs(tabs->Handle(), data);
    TBitmap first, again;
    PaintInto(*w, first);
    const RECT body = Body(tabs->Handle(), kTabsTop);
    EXPECT_EQ(At(first, body.left, body.bottom - 1), kBorder);
    // Unchanged: the strip is copied, no frame is drawn again.
    const TSkinDrawCacheStats s0 = SkinDrawCacheStats();
    PaintInto(*w, again);
    const TSkinDrawCacheStats s1 = SkinDrawCacheStats();
    EXPECT_EQ(s1.Hits + s1.Misses, s0.Hits + s0.Misses);
    EXPECT_TRUE(PixelsAre(again, [&](int x, int y) { return At(first, x, y); }));

    // Each change paints what a wrapper that never painted paints.
    auto expectFresh = [&](const char* what) {
        SCOPED_TRACE(what);
        auto* fresh = new TSkinTab(nullptr);
        fresh->AttachWindow(tabs->Handle(), &data, nullptr, nullptr);
        TBitmap kept, made;
        PaintInto(*w, kept);
        PaintInto(*fresh, made);
        EXPECT_TRUE(PixelsAre(kept, [&](int x, int y) { return At(made, x, y); }));
        delete fresh;
    };
    tabs->SetTabIndex(2);
    expectFresh("the selected tab");
    TStringList texts;
    texts.Add("Alpha");
    texts.Add("B");
    tabs->SetTabs(texts);
    expectFresh("the texts");
    tabs->SetBounds(10, 10, 260, 150);
    PumpPending();
    expectFresh("the size");
    data.Tabs->NormalColour2 = 0x00808000;
    expectFresh("a text colour");
    // A new border picture: the kept border follows the prepared one.
    Fill(data.Tabs->Picture2, 0, 0, 20, 20, 0x00207020);
    w->SkinChanged();
    expectFresh("the border picture");
    TBitmap out;
    PaintInto(*w, out);
    const RECT now = Body(tabs->Handle(), kTabsTop);
    EXPECT_EQ(At(out, now.left, now.top + 10), 0x00207020u);
    // A border picture of distinct pixels: the copied bands are exactly
    // what stretching the edges straight onto the target gives.
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            Put(data.Tabs->Picture2, x, y, RGB(12 * x, 12 * y, 90));
    w->SkinChanged();
    for (int size : {0, 1}) {
        SCOPED_TRACE(size);
        if (size == 1) {
            tabs->SetBounds(10, 10, 240, 170);
            PumpPending();
        }
        PaintInto(*w, out);
        const RECT p = Body(tabs->Handle(), kTabsTop);
        TBitmap direct(out.Width(), out.Height());
        Fill(direct, 0, 0, out.Width(), out.Height(), kJunk);
        DrawSkinEdges(direct.Canvas().Handle(), p, w->BorderImage, false, 1, 1,
                      TSkinMargins{4, 5, 4, 4});
        EXPECT_TRUE(PixelsAre(out, [&](int x, int y) -> std::optional<TColor> {
            if (!Inside(x, y, p.left, p.top, p.right, p.bottom))
                return std::nullopt;
            return At(direct, x, y);
        }));
    }
    delete w;
}

TEST(SkinTabsTest, XPLunaPageControlPaintsOnScreenAndLeaksNothing) {
    TTabsForm form(Application);
    auto* pages = new TPageControl(&form);
    pages->SetParent(&form);
    pages->SetBounds(10, 10, 300, 200);
    for (const wchar_t* name : {L"General", L"Details"}) {
        auto* sheet = new TTabSheet(&form);
        sheet->SetPageControl(pages);
        sheet->SetCaption(name);
    }
    pages->SetActivePageIndex(0);
    form.Show();
    PumpPending();
    TSkinData data(nullptr);
    ASSERT_TRUE(model_test::LoadBytes(data, model_test::ProjectSkin()));
    ASSERT_TRUE(data.Tabs);
    auto* w = new TSkinTab(nullptr);
    w->AttachWindow(pages->Handle(), &data, nullptr, nullptr);
    HWND h = pages->Handle();
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpPending();
    // The selected tab's top-left corner is frame 2's, the other tab's
    // frame 1's, copied at their own size one pixel down: compare a corner
    // pixel where the two frames differ (and that is not transparent).
    TBitmap out;
    PaintInto(*w, out);
    const RECT r = WindowBox(h), body = Body(h, kTabsTop);
    const RECT t0 = ItemRect(h, 0), t1 = ItemRect(h, 1);
    TBitmap& pic = data.Tabs->Picture;
    const int fw = pic.Width() / 5;
    auto px = [&](int x, int y) { return static_cast<TColor>(pic.Canvas().Pixel(x, y)); };
    int cx = -1, cy = -1;
    for (int y = 0; y < data.Tabs->TopHeight && cx < 0; ++y)
        for (int x = 0; x < data.Tabs->LeftWidth && cx < 0; ++x)
            if (px(x, y) != px(fw + x, y) && px(x, y) != kSkinKeyColor &&
                px(fw + x, y) != kSkinKeyColor) {
                cx = x;
                cy = y;
            }
    ASSERT_GE(cx, 0) << "the XPLuna tab frames differ in their corners";
    EXPECT_EQ(At(out, t0.left + cx, t0.top + 1 + cy), px(fw + cx, cy));
    EXPECT_EQ(At(out, t1.left + cx, t1.top + 1 + cy), px(cx, cy));
    {
        TWindowDC dc(h);
        EXPECT_EQ(static_cast<TColor>(GetPixel(dc.Handle(), t0.left + cx, t0.top + 1 + cy)),
                  px(fw + cx, cy));
        // The page border's left edge comes from the border picture.
        TBitmap& border = data.Tabs->Picture2;
        EXPECT_EQ(
            static_cast<TColor>(GetPixel(dc.Handle(), body.left, (body.top + body.bottom) / 2)),
            static_cast<TColor>(border.Canvas().Pixel(0, border.Height() / 2)));
    }
    EXPECT_EQ(GdiGrowthOverPaints(*w, out.Canvas().Handle(), r, 1000), 0);
    delete w;
}

TEST(SkinTabsTest, TabSetIsPaintedWholeWithHangingTabs) {
    TTabsForm form(Application);
    auto* set = new TTabSet(&form);
    set->SetParent(&form);
    set->SetBounds(10, 10, 200, 21);
    TStringList texts;
    for (const char* s : {"Alpha", "Beta", "Gamma", "Delta", "Epsilon"})
        texts.Add(s);
    set->SetTabs(texts);
    set->SetTabIndex(1);
    form.Show();
    PumpPending();
    TSkinData data(nullptr);
    MakeTabSkin(data);
    RegisterClasses<TArrowSkin>();
    auto* w = new TSkinTab31(set);
    w->UpDownClass = "TArrowSkin";
    w->AttachControl(nullptr, &data, true, nullptr);
    EXPECT_TRUE(w->SubclassesWindow());
    EXPECT_EQ(w->Control, set);
    EXPECT_EQ(w->Scroller, set->Scroller());
    auto* arrows = dynamic_cast<TArrowSkin*>(w->UpDownWrapper);
    ASSERT_NE(arrows, nullptr);
    EXPECT_TRUE(arrows->Horizontal);
    EXPECT_EQ(arrows->Handle, set->Scroller()->Handle());
    // The wrapper erases nothing.
    EXPECT_EQ(SendMessageW(set->Handle(), WM_ERASEBKGND, 0, 0), 1);

    TBitmap out;
    PaintInto(*w, out);
    std::vector<int> widths;
    {
        TMemoryDC dc;
        TSelectObject font(dc.Handle(), set->Font().Handle());
        for (const wchar_t* s : {L"Alpha", L"Beta", L"Gamma", L"Delta", L"Epsilon"}) {
            SIZE size{};
            GetTextExtentPoint32W(dc.Handle(), s, static_cast<int>(wcslen(s)), &size);
            widths.push_back(size.cx);
        }
    }
    const bool scroller = set->Scroller()->Visible();
    EXPECT_TRUE(scroller) << "five tabs do not fit 200 pixels";
    const auto layout =
        LayoutSkinTabSet(widths, 0, set->StartMargin(), set->EndMargin(), 200, scroller);
    ASSERT_GE(layout.size(), 2u);
    for (const TSkinTabSetTab& tab : layout) {
        SCOPED_TRACE(tab.index);
        if (tab.index == 1) {
            EXPECT_EQ(At(out, tab.left + 1, 10), kSelected);
        } else {
            // Frame 1 flipped: its dark band hangs at the bottom.
            EXPECT_EQ(At(out, tab.left + 1, 20), kNormalTop);
            EXPECT_EQ(At(out, tab.left + 1, 2), kNormal);
        }
    }
    // Before the first tab and after the last drawn one: the face colour.
    EXPECT_EQ(At(out, 1, 10), kFace);
    EXPECT_EQ(At(out, layout.back().right + 1, 10), kFace);

    // A real paint puts the same picture on the screen.
    RedrawWindow(set->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpPending();
    {
        TWindowDC dc(set->Handle());
        EXPECT_EQ(static_cast<TColor>(GetPixel(dc.Handle(), layout[1].left + 1, 10)), kSelected);
        EXPECT_EQ(static_cast<TColor>(GetPixel(dc.Handle(), 1, 10)), kFace);
    }
    EXPECT_EQ(GdiGrowthOverPaints(*w, out.Canvas().Handle(), RECT{0, 0, 200, 21}, 1000), 0);
}

TEST(SkinTabsTest, WrappersAreRegisteredByClassName) {
    RegisterTabSkins();
    for (const char* name : {"TSkinTab", "TSkinTab31"}) {
        const TClassInfo* cls = FindClass(name);
        ASSERT_NE(cls, nullptr) << name;
        TObject* made = cls->CreateInstance(nullptr);
        ASSERT_NE(dynamic_cast<TSkinControl*>(made), nullptr) << name;
        delete made;
    }
}

TEST(SkinTabsTest, TabSetFollowsASkinChangeAndDrawsPlainCaptions) {
    TTabsForm form(Application);
    auto* set = new TTabSet(&form);
    set->SetParent(&form);
    set->SetBounds(10, 10, 300, 21);
    TStringList texts;
    for (const char* s : {"Alpha", "Beta"})
        texts.Add(s);
    set->SetTabs(texts);
    set->SetTabIndex(1);
    form.Show();
    PumpMessages(30);
    TSkinData data(nullptr);
    MakeTabSkin(data);
    auto* w = new TSkinTab31(set);
    w->AttachControl(nullptr, &data, false, nullptr);
    TBitmap regular, bold;
    PaintInto(*w, regular);

    // A bold font: the tabs are laid out and captioned as with the regular one.
    set->Font().SetStyle({fsBold});
    PaintInto(*w, bold);
    EXPECT_TRUE(PixelsAre(bold, [&](int x, int y) { return At(regular, x, y); }));

    // The skin changes its Tabs picture: the next paint shows the new one.
    constexpr TColor kNewNormal = 0x00A0A000, kNewSelected = 0x00A000A0;
    auto tabs = std::make_unique<TDataSkinBorder>("Tabs");
    tabs->Picture.SetSize(60, 21);
    Fill(tabs->Picture, 0, 0, 60, 21, kNewNormal);
    Fill(tabs->Picture, 12, 0, 24, 21, kNewSelected);
    tabs->FrameCount = 5;
    tabs->NormalColour2 = kNormalText;
    tabs->MouseOverColour2 = kSelectedText;
    data.Tabs = std::move(tabs);
    w->SkinChanged();
    TBitmap after;
    PaintInto(*w, after);
    const int first = set->StartMargin();
    EXPECT_EQ(At(after, first + 1, 2), kNewNormal);
    EXPECT_EQ(At(after, first + 1, 20), kNewNormal);
    EXPECT_EQ(CountColour(after, RECT{0, 0, 300, 21}, kNormal), 0);
    EXPECT_EQ(CountColour(after, RECT{0, 0, 300, 21}, kSelected), 0);
    EXPECT_GT(CountColour(after, RECT{0, 0, 300, 21}, kNewSelected), 0);
    delete w;
}
