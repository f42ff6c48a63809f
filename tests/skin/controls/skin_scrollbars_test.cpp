// Scroll-bar skins: the overlay's pure rules (the bar of a scroll-bar
// control, the part under a point, the dragged thumb, cells and layout);
// pixel-exact overlays from hand-made pictures of known colours and from the
// real XPLuna skin; disabled, short and hidden bars; list views, raw windows,
// restore and destruction under Wine.
#include "tests/skin/controls/scroll_fixture.h"

using namespace scroll_test;

TEST(SkinScrollbarsTest, PureRulesFollowTheirArithmetic) {
    // A control 100 long, arrows of 16: with a page, thumb length and top by MulDiv.
    const RECT bar{10, 20, 26, 120};
    TScrollBarFacts f = ControlScrollFacts(bar, true, 16, TScrollRange{50, 100, 10});
    EXPECT_EQ(f.ThumbTop, MulDiv(68, 50, 100) + 16);
    EXPECT_EQ(f.ThumbBottom, f.ThumbTop + MulDiv(68, 9, 100));
    EXPECT_EQ(f.State, 0u);
    EXPECT_TRUE(SameRect(f.Bar, bar));
    // Position 0 starts at the first arrow; without a page the thumb is one arrow long.
    f = ControlScrollFacts(bar, true, 16, TScrollRange{0, 100, 0});
    EXPECT_EQ(f.ThumbTop, 16);
    EXPECT_EQ(f.ThumbBottom, 32);
    f = ControlScrollFacts(bar, true, 16, TScrollRange{100, 100, 0});
    EXPECT_EQ(f.ThumbTop, 100 - 48 + 16);
    // Horizontal: the length is the width.
    f = ControlScrollFacts(RECT{0, 0, 200, 16}, false, 16, TScrollRange{100, 100, 0});
    EXPECT_EQ(f.ThumbTop, 200 - 48 + 16);
    // A maximum of 0 divides by nothing.
    f = ControlScrollFacts(bar, true, 16, TScrollRange{5, 0, 0});
    EXPECT_EQ(f.ThumbTop, 16);
    EXPECT_EQ(f.ThumbBottom, 32);
    f = ControlScrollFacts(bar, true, 16, TScrollRange{5, 0, 4});
    EXPECT_EQ(f.ThumbBottom, 100 - 16);

    // Parts along a bar 100 long, thumb 40..60.
    EXPECT_EQ(ScrollPartAt(0, 16, 40, 60, 100), spFirstArrow);
    EXPECT_EQ(ScrollPartAt(15, 16, 40, 60, 100), spFirstArrow);
    EXPECT_EQ(ScrollPartAt(16, 16, 40, 60, 100), spPageFirst);
    EXPECT_EQ(ScrollPartAt(40, 16, 40, 60, 100), spThumb);
    EXPECT_EQ(ScrollPartAt(59, 16, 40, 60, 100), spThumb);
    EXPECT_EQ(ScrollPartAt(60, 16, 40, 60, 100), spPageSecond);
    EXPECT_EQ(ScrollPartAt(83, 16, 40, 60, 100), spPageSecond);
    EXPECT_EQ(ScrollPartAt(84, 16, 40, 60, 100), spSecondArrow);

    // The dragged thumb follows the cursor, keeps its length, stays between the arrows.
    TThumbSpan t = DraggedThumb(30, 12, 16, 100, TThumbSpan{30, 50});
    EXPECT_EQ(t.Start, 42);
    EXPECT_EQ(t.End, 62);
    t = DraggedThumb(30, -100, 16, 100, TThumbSpan{30, 50});
    EXPECT_EQ(t.Start, 16);
    EXPECT_EQ(t.End, 36);
    t = DraggedThumb(30, 500, 16, 100, TThumbSpan{30, 50});
    EXPECT_EQ(t.Start, 64);
    EXPECT_EQ(t.End, 84);

    // Arrow cells: left 1/2, right 5/6, up 9/10, down 13/14.
    EXPECT_EQ(ScrollArrowCell(false, false, false), 1);
    EXPECT_EQ(ScrollArrowCell(false, false, true), 2);
    EXPECT_EQ(ScrollArrowCell(false, true, false), 5);
    EXPECT_EQ(ScrollArrowCell(false, true, true), 6);
    EXPECT_EQ(ScrollArrowCell(true, false, false), 9);
    EXPECT_EQ(ScrollArrowCell(true, false, true), 10);
    EXPECT_EQ(ScrollArrowCell(true, true, false), 13);
    EXPECT_EQ(ScrollArrowCell(true, true, true), 14);

    // Thickness: the strip's height unless it is more than 3 thinner than an arrow.
    EXPECT_EQ(ScrollThickness(17, 16), 17);
    EXPECT_EQ(ScrollThickness(13, 16), 13);
    EXPECT_EQ(ScrollThickness(12, 16), 16);

    // Corner between the bars, two pixels wider and higher.
    EXPECT_TRUE(SameRect(ScrollCornerRect(RECT{200, 0, 216, 180}, RECT{0, 180, 200, 196}),
                         RECT{200, 180, 218, 198}));
}

TEST(SkinScrollbarsTest, LayoutPlacesTrackArrowsAndThumb) {
    TScrollPaintState s;
    s.Vertical = true;
    s.ArrowSize = 16;
    s.StripHeight = 14;
    s.Thumb = TThumbSpan{30, 50};
    TScrollLayout l = ScrollBarLayout(16, 100, s);
    EXPECT_EQ(l.Thickness, 14);
    EXPECT_TRUE(SameRect(l.Track, RECT{0, 16, 14, 84}));
    EXPECT_TRUE(SameRect(l.FirstArrow, RECT{0, 0, 14, 16}));
    EXPECT_TRUE(SameRect(l.SecondArrow, RECT{0, 84, 14, 100}));
    EXPECT_EQ(l.TrackFrame, 1);
    EXPECT_EQ(l.FirstCell, 9);
    EXPECT_EQ(l.SecondCell, 13);
    EXPECT_TRUE(l.ThumbShown);
    EXPECT_TRUE(SameRect(l.Thumb, RECT{0, 30, 14, 50}));
    EXPECT_EQ(l.ThumbFrame, 1);

    // Pressed parts only while tracking.
    s.ScrollCode = spSecondArrow;
    EXPECT_EQ(ScrollBarLayout(16, 100, s).SecondCell, 13);
    s.Tracking = true;
    EXPECT_EQ(ScrollBarLayout(16, 100, s).SecondCell, 14);
    EXPECT_EQ(ScrollBarLayout(16, 100, s).FirstCell, 9);
    s.ScrollCode = spFirstArrow;
    EXPECT_EQ(ScrollBarLayout(16, 100, s).FirstCell, 10);
    s.ScrollCode = spThumb;
    EXPECT_EQ(ScrollBarLayout(16, 100, s).ThumbFrame, 2);

    // Disabled: track frame 3, no thumb.
    s.Enabled = false;
    l = ScrollBarLayout(16, 100, s);
    EXPECT_EQ(l.TrackFrame, 3);
    EXPECT_FALSE(l.ThumbShown);

    // Horizontal and shorter than two arrows: each arrow over half its length.
    s = TScrollPaintState{};
    s.ArrowSize = 16;
    s.StripHeight = 12;
    l = ScrollBarLayout(24, 16, s);
    EXPECT_EQ(l.Thickness, 16);
    EXPECT_TRUE(SameRect(l.FirstArrow, RECT{0, 0, 8, 16}));
    EXPECT_TRUE(SameRect(l.SecondArrow, RECT{16, 0, 24, 16}));
    EXPECT_EQ(l.FirstCell, 1);
    EXPECT_EQ(l.SecondCell, 5);
    // Exactly two arrows long: full arrows.
    l = ScrollBarLayout(32, 16, s);
    EXPECT_TRUE(SameRect(l.SecondArrow, RECT{16, 0, 32, 16}));
}

TEST(SkinScrollbarsTest, OverlaysLieDirectlyAboveTheBarsTheyCover) {
    TMemoScene scene;
    TSkinScrollbar& w = *scene.wrapper;
    const HWND memo = scene.skinned->Handle();
    ASSERT_NE(w.HorzBar, nullptr);
    ASSERT_NE(w.VertBar, nullptr);
    EXPECT_EQ(scene.host.list.size(), 1u);
    EXPECT_TRUE(w.HooksControl());
    EXPECT_EQ(w.State, TWrapperState::Created); // this attach leaves the state alone
    for (auto [bar, object] : {std::pair{w.HorzBar, OBJID_HSCROLL}, {w.VertBar, OBJID_VSCROLL}}) {
        SCOPED_TRACE(object);
        const SCROLLBARINFO info = BarInfo(memo, object);
        EXPECT_TRUE(bar->Shown);
        EXPECT_TRUE(IsWindowVisible(bar->Handle()));
        EXPECT_EQ(GetParent(bar->Handle()), scene.form.Handle());
        EXPECT_TRUE(SameRect(ScreenRect(bar->Handle()), info.rcScrollBar));
        EXPECT_EQ(bar->ScreenOrigin.x, info.rcScrollBar.left);
        EXPECT_EQ(bar->ScreenOrigin.y, info.rcScrollBar.top);
        EXPECT_EQ(bar->Target, memo);
        EXPECT_EQ(bar->ArrowSize, GetSystemMetrics(SM_CXHSCROLL));
    }
    EXPECT_EQ(w.VertBar->Length, BarInfo(memo, OBJID_VSCROLL).rcScrollBar.bottom -
                                     BarInfo(memo, OBJID_VSCROLL).rcScrollBar.top);
    EXPECT_TRUE(w.VertBar->Vertical);
    EXPECT_FALSE(w.HorzBar->Vertical);
    // Target rectangles are in the memo's client coordinates: the vertical
    // bar starts right of the client area, the horizontal one below it.
    RECT client{};
    GetClientRect(memo, &client);
    EXPECT_EQ(w.VertBar->TargetRect.left, client.right);
    EXPECT_EQ(w.VertBar->TargetRect.top, 0);
    EXPECT_EQ(w.HorzBar->TargetRect.top, client.bottom);
    // Both overlays sit directly above the memo in Z order, below nothing else of it.
    const HWND above1 = GetWindow(memo, GW_HWNDPREV);
    const HWND above2 = GetWindow(above1, GW_HWNDPREV);
    EXPECT_TRUE((above1 == w.VertBar->Handle() && above2 == w.HorzBar->Handle()) ||
                (above1 == w.HorzBar->Handle() && above2 == w.VertBar->Handle()));
    // The part hit test follows the painted thumb.
    const TWScrollbar& v = *w.VertBar;
    EXPECT_EQ(v.PartAt(POINT{5, 1}), spFirstArrow);
    EXPECT_EQ(v.PartAt(POINT{5, v.ThumbStart}), spThumb);
    EXPECT_EQ(v.PartAt(POINT{5, v.Length - 1}), spSecondArrow);
    // A size change that moves the bars moves the overlays with them.
    scene.skinned->SetBounds(10, 10, 180, 150);
    PumpPending();
    EXPECT_TRUE(
        SameRect(ScreenRect(w.VertBar->Handle()), BarInfo(memo, OBJID_VSCROLL).rcScrollBar));
    EXPECT_TRUE(
        SameRect(ScreenRect(w.HorzBar->Handle()), BarInfo(memo, OBJID_HSCROLL).rcScrollBar));
}

TEST(SkinScrollbarsTest, OverlayPaintIsPixelExactAndNeverErases) {
    TMemoScene scene;
    TWScrollbar& v = *scene.wrapper->VertBar;
    const HWND memo = scene.skinned->Handle();
    const SCROLLBARINFO info = BarInfo(memo, OBJID_VSCROLL);
    const int a = v.ArrowSize, len = v.Length;
    auto b = PaintOf(v);
    // Across the axis: 14 pixels of skin, the rest face colour.
    EXPECT_EQ(At(*b, 0, 2), CellColour(9));
    EXPECT_EQ(At(*b, kStrip - 1, a - 1), CellColour(9));
    EXPECT_EQ(CountOther(*b, kStrip, 0, b->Width(), len, kFace), 0);
    EXPECT_EQ(At(*b, 3, len - 1), CellColour(13));
    EXPECT_EQ(At(*b, 3, len - a), CellColour(13));
    // Track frame 1 between the arrows, the thumb (frame 1) where the platform says.
    EXPECT_EQ(At(*b, 3, a), info.xyThumbTop == a ? ThumbColour(1) : TrackColour(1));
    EXPECT_EQ(At(*b, 3, info.xyThumbTop), ThumbColour(1));
    EXPECT_EQ(At(*b, 3, info.xyThumbBottom - 1), ThumbColour(1));
    EXPECT_EQ(At(*b, 3, info.xyThumbBottom), TrackColour(1));
    EXPECT_EQ(At(*b, 3, len - a - 1), TrackColour(1));
    EXPECT_EQ(v.ThumbStart, info.xyThumbTop);
    EXPECT_EQ(v.ThumbEnd, info.xyThumbBottom);
    // Pressed arrows while tracking; the dragged thumb in frame 2.
    v.Tracking = true;
    v.ScrollCode = SB_LINEDOWN;
    b = PaintOf(v);
    EXPECT_EQ(At(*b, 3, len - 1), CellColour(14));
    EXPECT_EQ(At(*b, 3, 0), CellColour(9));
    v.ScrollCode = SB_LINEUP;
    b = PaintOf(v);
    EXPECT_EQ(At(*b, 3, 0), CellColour(10));
    EXPECT_EQ(At(*b, 3, len - 1), CellColour(13));
    v.ScrollCode = SB_THUMBTRACK;
    GetCursorPos(&v.DragCursor);
    v.DragThumb = info.xyThumbTop + 20;
    b = PaintOf(v);
    EXPECT_EQ(v.ThumbStart, info.xyThumbTop + 20);
    EXPECT_EQ(v.ThumbEnd - v.ThumbStart, info.xyThumbBottom - info.xyThumbTop);
    EXPECT_EQ(At(*b, 3, v.ThumbStart), ThumbColour(2));
    EXPECT_EQ(At(*b, 3, v.ThumbStart - 1), TrackColour(1));
    v.Tracking = false;
    v.ScrollCode = SB_ENDSCROLL;

    // The horizontal bar: left and right cells, the face below 14 rows.
    TWScrollbar& h = *scene.wrapper->HorzBar;
    b = PaintOf(h);
    EXPECT_EQ(At(*b, 1, 3), CellColour(1));
    EXPECT_EQ(At(*b, h.Length - 1, 3), CellColour(5));
    EXPECT_EQ(At(*b, h.ThumbStart, 3), ThumbColour(1));
    EXPECT_EQ(CountOther(*b, 0, kStrip, h.Length, b->Height(), kFace), 0);

    // WM_ERASEBKGND answers 1 and paints nothing.
    TBitmap erase(16, 16);
    pixel_test::Fill(erase, 0, 0, 16, 16, kSentinel);
    EXPECT_EQ(SendMessageW(v.Handle(), WM_ERASEBKGND,
                           reinterpret_cast<WPARAM>(erase.Canvas().Handle()), 0),
              1);
    EXPECT_EQ(CountOther(erase, 0, 0, 16, 16, kSentinel), 0);
    // A WM_PAINT with a DC paints into it, exactly as PaintBar does.
    TBitmap viaMessage(b->Width(), b->Height());
    SendMessageW(h.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(viaMessage.Canvas().Handle()), 0);
    EXPECT_EQ(At(viaMessage, h.Length - 1, 3), CellColour(5));
    // The screen shows the overlay: the memo's own bar is covered.
    PumpPending();
    EXPECT_EQ(ClientPixel(v.Handle(), 3, 1), CellColour(9));

    // Painting a hundred times leaks nothing (the count is exact: one object
    // a paint would show as a hundred).
    TBitmap target(b->Width(), b->Height());
    TBitmap window(300, 300);
    const HDC targetDC = target.Canvas().Handle(), windowDC = window.Canvas().Handle();
    const int live = GdiLiveTotal();
    for (int i = 0; i < 100; ++i)
        h.PaintBar(targetDC);
    for (int i = 0; i < 100; ++i)
        scene.wrapper->PaintSkin(windowDC, RECT{0, 0, 300, 300});
    EXPECT_EQ(GdiLiveTotal() - live, 0);

    // Without a Scrollbar element the overlay paints nothing.
    scene.data.Scrollbar.reset();
    b = PaintOf(v);
    EXPECT_EQ(CountOther(*b, 0, 0, b->Width(), b->Height(), kSentinel), 0);
}

TEST(SkinScrollbarsTest, DisabledShortHiddenAndCornerCases) {
    TMemoScene scene;
    TSkinScrollbar& w = *scene.wrapper;
    const HWND memo = scene.skinned->Handle();
    // Both bars shown: the corner square is the face colour on the screen.
    const RECT corner = ScrollCornerRect(w.VertBar->TargetRect, w.HorzBar->TargetRect);
    scene.skinned->Invalidate();
    PumpPending();
    const RECT mw = ScreenRect(memo);
    EXPECT_EQ(wrapper_test::ScreenPixel(memo, mw.right - mw.left - 4, mw.bottom - mw.top - 4),
              kFace);
    EXPECT_EQ(wrapper_test::ScreenPixel(memo, corner.right - 4, corner.bottom - 4), kFace);

    // A disabled bar (a memo with nothing to scroll): track frame 3, no thumb.
    TMemo* few = MakeMemo(scene.form, 300, 300, 120, 80, ssVertical, 1);
    TSkinScrollbar* fw = new TSkinScrollbar(few);
    fw->AttachScrollBars(few, &scene.data, &scene.host, nullptr);
    PumpPending();
    ASSERT_TRUE(BarInfo(few->Handle(), OBJID_VSCROLL).rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
    auto b = PaintOf(*fw->VertBar);
    const int a = fw->VertBar->ArrowSize, flen = fw->VertBar->Length;
    EXPECT_EQ(CountOther(*b, 0, a, kStrip, flen - a, TrackColour(3)), 0);
    EXPECT_EQ(At(*b, 3, 0), CellColour(9));
    EXPECT_EQ(At(*b, 3, flen - 1), CellColour(13));

    // A bar shorter than two arrows: each arrow over half its length.
    TMemo* small = MakeMemo(scene.form, 10, 300, 120, 28, ssVertical, 50);
    TSkinScrollbar* sw = new TSkinScrollbar(small);
    sw->AttachScrollBars(small, &scene.data, &scene.host, nullptr);
    PumpPending();
    ASSERT_TRUE(sw->VertBar->Shown);
    const int slen = sw->VertBar->Length;
    ASSERT_LT(slen, 2 * a);
    b = PaintOf(*sw->VertBar);
    EXPECT_EQ(CountOther(*b, 0, 0, kStrip, a / 2, CellColour(9)), 0);
    EXPECT_EQ(CountOther(*b, 0, slen - a / 2, kStrip, slen, CellColour(13)), 0);
    EXPECT_NE(At(*b, 3, a / 2), CellColour(9));

    // The hidden horizontal bar has no overlay; when it appears, the next
    // non-client paint places and shows it.
    ASSERT_NE(sw->HorzBar, nullptr);
    EXPECT_FALSE(sw->HorzBar->Shown);
    EXPECT_FALSE(sw->HorzBar->HandleAllocated() && IsWindowVisible(sw->HorzBar->Handle()));
    ShowScrollBar(small->Handle(), SB_HORZ, TRUE);
    PumpPending();
    EXPECT_TRUE(sw->HorzBar->Shown);
    EXPECT_TRUE(IsWindowVisible(sw->HorzBar->Handle()));
    EXPECT_TRUE(SameRect(ScreenRect(sw->HorzBar->Handle()),
                         BarInfo(small->Handle(), OBJID_HSCROLL).rcScrollBar));
    // Hiding the control hides both overlays.
    small->Hide();
    PumpPending();
    EXPECT_FALSE(sw->HorzBar->Shown);
    EXPECT_FALSE(IsWindowVisible(sw->VertBar->Handle()));
}

TEST(SkinScrollbarsTest, RegisteredListViewRawWindowRestoreAndDestruction) {
    RegisterScrollbarSkins();
    TScrollForm form{Application};
    TMemo* memo = MakeMemo(form, 10, 10, 200, 150, ssBoth, 100);
    auto* view = new TListView(&form);
    view->SetParent(&form);
    view->SetBounds(230, 10, 200, 150);
    view->SetViewStyle(vsReport);
    view->Columns()->Add();
    TSkinData data{nullptr};
    ASSERT_TRUE(model_test::LoadBytes(data, model_test::ProjectSkin()));
    TListHost host;
    // Made by class name, as the form skinner makes them.
    for (const char* name :
         {"TSkinScrollbar", "TSkinListView", "TSkinScrollbarH", "TSkinScControl"}) {
        const TClassInfo* info = FindClass(name);
        ASSERT_NE(info, nullptr) << name;
        std::unique_ptr<TObject> made(info->CreateInstance(nullptr));
        EXPECT_EQ(made->ClassName(), name);
    }
    auto* lw = dynamic_cast<TSkinListView*>(FindClass("TSkinListView")->CreateInstance(view));
    ASSERT_NE(lw, nullptr);
    lw->AttachScrollBars(view, &data, &host, nullptr);
    const HWND header = reinterpret_cast<HWND>(SendMessageW(view->Handle(), LVM_GETHEADER, 0, 0));
    ASSERT_NE(header, nullptr);
    ASSERT_NE(lw->HeaderWrapper, nullptr);
    EXPECT_EQ(lw->HeaderWrapper->Handle, header);
    EXPECT_EQ(lw->HeaderWrapper->Owner(), view);
    EXPECT_TRUE(lw->HeaderWrapper->SubclassesWindow());

    // A raw list box's bars, through subclassing.
    const HWND list =
        CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 10,
                        200, 150, 80, form.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    for (int i = 0; i < 40; ++i)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"item"));
    const LONG_PTR listProc = GetWindowLongPtrW(list, GWLP_WNDPROC);
    auto* rw = new TSkinScrollbarH(nullptr);
    rw->AttachWindow(list, &data, &host, nullptr);
    EXPECT_NE(GetWindowLongPtrW(list, GWLP_WNDPROC), listProc);
    EXPECT_EQ(rw->State, TWrapperState::Attached);
    EXPECT_TRUE(rw->SubclassesWindow());
    EXPECT_EQ(rw->Control, nullptr);

    auto* mw = new TSkinScrollbar(memo);
    mw->AttachScrollBars(memo, &data, &host, nullptr);
    form.Show();
    PumpPending();
    EXPECT_TRUE(rw->VertBar->Shown);
    EXPECT_FALSE(rw->HorzBar->Shown);
    EXPECT_TRUE(
        SameRect(ScreenRect(rw->VertBar->Handle()), BarInfo(list, OBJID_VSCROLL).rcScrollBar));
    // XPLuna: the overlay shows the skin's arrow (not the face) at its top.
    auto b = PaintOf(*mw->VertBar);
    EXPECT_NE(At(*b, 8, 8), ColorToRGB(data.ButtonFaceColour));
    // Every pixel is painted: the face where the skin leaves any.
    EXPECT_EQ(CountOther(*b, 0, 0, b->Width(), b->Height(), kSentinel), b->Width() * b->Height());

    // Restore frees the overlays and leaves the control alone.
    const HWND h1 = mw->HorzBar->Handle(), v1 = mw->VertBar->Handle();
    mw->RestoreControl();
    EXPECT_EQ(mw->HorzBar, nullptr);
    EXPECT_EQ(mw->VertBar, nullptr);
    EXPECT_FALSE(IsWindow(h1));
    EXPECT_FALSE(IsWindow(v1));
    SendMessageW(memo->Handle(), WM_NCPAINT, 1, 0); // nothing to reposition now
    // Destroying the wrapper frees its overlays and unhooks the control.
    const HWND v2 = rw->VertBar->Handle();
    delete rw;
    EXPECT_FALSE(IsWindow(v2));
    EXPECT_EQ(GetWindowLongPtrW(list, GWLP_WNDPROC), listProc);
    SendMessageW(list, WM_NCPAINT, 1, 0);
    const HWND lv = lw->VertBar->Handle();
    delete lw;
    EXPECT_FALSE(IsWindow(lv));
    delete mw;
    EXPECT_TRUE(host.list.size() == 1u); // the header wrapper stays with its control
    DestroyWindow(list);
}

TEST(SkinScrollbarsTest, ChildNotificationsAndSkinsWithoutArrowsLeaveTheBarsAlone) {
    TMemoScene scene;
    TSkinScrollbar& w = *scene.wrapper;
    const HWND memo = scene.skinned->Handle();
    ASSERT_TRUE(w.HorzBar->Shown);
    // A track bar inside the control reports its thumb dragged (code 5) with
    // its own window in LParam: the control's painted thumb does not follow
    // the cursor (which sits at the far end of the screen) but stays where
    // the platform has the thumb.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    const HWND child = scene.plain->Handle();
    SendMessageW(memo, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 0), reinterpret_cast<LPARAM>(child));
    SendMessageW(memo, WM_VSCROLL, MAKEWPARAM(TB_THUMBTRACK, 0), reinterpret_cast<LPARAM>(child));
    PumpMessages(30);
    for (TWScrollbar* bar : {w.HorzBar, w.VertBar}) {
        SCOPED_TRACE(bar->Vertical ? "vertical" : "horizontal");
        const SCROLLBARINFO info = BarInfo(memo, bar->Vertical ? OBJID_VSCROLL : OBJID_HSCROLL);
        auto b = PaintOf(*bar);
        const int mid = (info.xyThumbTop + info.xyThumbBottom) / 2;
        EXPECT_EQ(bar->Vertical ? At(*b, 3, mid) : At(*b, mid, 3), ThumbColour(1));
        const int end = bar->Length - bar->ArrowSize - 3;
        ASSERT_GT(end, info.xyThumbBottom);
        EXPECT_EQ(bar->Vertical ? At(*b, 3, end) : At(*b, end, 3), TrackColour(1));
    }

    // A skin without the Scrollbar arrows: the overlays go and the platform's
    // own bars show, exactly as on the unskinned memo beside it.
    // The two memos are alike: their bars lie at the same window coordinates.
    const HWND plain = scene.plain->Handle();
    const RECT mr = ScreenRect(memo);
    const RECT vbar = BarInfo(memo, OBJID_VSCROLL).rcScrollBar;
    auto sameBars = [&] {
        const int x = (vbar.left + vbar.right) / 2 - mr.left;
        for (int y = vbar.top + 2 - mr.top; y < vbar.bottom - 2 - mr.top; y += 7)
            if (wrapper_test::ScreenPixel(memo, x, y) != wrapper_test::ScreenPixel(plain, x, y))
                return false;
        return true;
    };
    ASSERT_FALSE(sameBars()) << "the skinned bar looks different while the overlay shows";
    scene.data.Scrollbar.reset();
    w.SkinChanged();
    EXPECT_FALSE(w.HorzBar->Shown);
    EXPECT_FALSE(w.VertBar->Shown);
    EXPECT_FALSE(IsWindowVisible(w.VertBar->Handle()));
    EXPECT_TRUE(PumpUntil(sameBars, 3000));
    // Non-client paints keep them hidden; a wrapper made for such a skin never shows one.
    SendMessageW(memo, WM_NCPAINT, 1, 0);
    EXPECT_FALSE(IsWindowVisible(w.VertBar->Handle()));
    TMemo* other = MakeMemo(scene.form, 10, 230, 220, 120, ssBoth, 100);
    auto* ow = new TSkinScrollbar(other);
    ow->AttachScrollBars(other, &scene.data, &scene.host, nullptr);
    PumpMessages(60);
    EXPECT_FALSE(ow->VertBar->Shown);
    EXPECT_FALSE(ow->VertBar->HandleAllocated() && IsWindowVisible(ow->VertBar->Handle()));
    // The arrows come back with the next skin: so does the overlay.
    MakeScrollSkin(scene.data);
    w.SkinChanged();
    EXPECT_TRUE(w.VertBar->Shown);
    EXPECT_TRUE(IsWindowVisible(w.VertBar->Handle()));
    EXPECT_TRUE(PumpUntil([&] { return !sameBars(); }, 3000));
}
