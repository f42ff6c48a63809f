// The form skinner with real windows under Wine: frame geometry and client
// sizes, hit tests, the region, active and inactive looks, the title text,
// popups with and without a caption, message boxes and a maximised window
// on the work area.
#include <algorithm>
#include <cstring>
#include <vector>

#include "skin/draw/skin_draw.h"
#include "tests/skin/window/form_skinner_fixture.h"

using namespace form_test;

namespace {

INT_PTR CALLBACK NoDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// A modeless "#32770" dialog of the given width (dialog units) with a long
// caption and one button.
HWND NarrowDialog(const wchar_t* caption) {
    alignas(4) static unsigned char buffer[512];
    std::memset(buffer, 0, sizeof buffer);
    auto* t = reinterpret_cast<DLGTEMPLATE*>(buffer);
    t->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
    t->cdit = 1;
    t->x = 20;
    t->y = 20;
    t->cx = 60;
    t->cy = 40;
    auto* p = reinterpret_cast<WORD*>(t + 1);
    *p++ = 0; // no menu
    *p++ = 0; // default class
    for (const wchar_t* c = caption; *c; ++c)
        *p++ = *c;
    *p++ = 0;
    p = reinterpret_cast<WORD*>((reinterpret_cast<uintptr_t>(p) + 3) & ~uintptr_t(3));
    auto* item = reinterpret_cast<DLGITEMTEMPLATE*>(p);
    item->style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
    item->x = 5;
    item->y = 20;
    item->cx = 40;
    item->cy = 14;
    item->id = IDOK;
    p = reinterpret_cast<WORD*>(item + 1);
    *p++ = 0xFFFF;
    *p++ = 0x0080; // button
    for (const wchar_t* c = L"OK"; *c; ++c)
        *p++ = *c;
    *p++ = 0;
    *p++ = 0; // no creation data
    return CreateDialogIndirectParamW(nullptr, t, nullptr, NoDialogProc, 0);
}

// Messages sent while recording (a call-window hook): frame paints and
// style changes of one window.
struct TRecorded {
    HWND Window = nullptr;
    int NcPaint = 0;
    int StyleChanging = 0;
};
TRecorded* g_recorded = nullptr;

LRESULT CALLBACK RecordPaintsAndStyles(int code, WPARAM wp, LPARAM lp) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && g_recorded && m->hwnd == g_recorded->Window) {
        g_recorded->NcPaint += m->message == WM_NCPAINT;
        g_recorded->StyleChanging += m->message == WM_STYLECHANGING;
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

// Resizes the window, recording what it is sent meanwhile.
TRecorded ResizeRecording(HWND wnd, int width, int height) {
    TRecorded seen;
    seen.Window = wnd;
    g_recorded = &seen;
    HHOOK hook =
        SetWindowsHookExW(WH_CALLWNDPROC, RecordPaintsAndStyles, nullptr, GetCurrentThreadId());
    SetWindowPos(wnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    UnhookWindowsHookEx(hook);
    g_recorded = nullptr;
    return seen;
}

// A pixel of the screen as shown.
COLORREF ScreenPixel(POINT p) {
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return c;
}

// Whether a screen pixel shows the colour once what is pending is painted
// (messages handled until it does, within two seconds).
bool ScreenPixelBecomes(POINT p, COLORREF colour) {
    const DWORD start = GetTickCount();
    for (;;) {
        PumpPending();
        if (ScreenPixel(p) == colour)
            return true;
        if (GetTickCount() - start > 2000)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// Whether the window's region equals the one a full rebuild at its size
// gives now (the top part from the title bar as painted).
bool ShapeIsTheRebuiltOne(HWND wnd, TWinSkinForm& s) {
    TRegionHandle now(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(wnd, now.Get()) == ERROR)
        return false;
    s.RegionSize = {};
    s.RebuildRegion();
    TRegionHandle rebuilt(CreateRectRgn(0, 0, 0, 0));
    return GetWindowRgn(wnd, rebuilt.Get()) != ERROR && EqualRgn(now.Get(), rebuilt.Get());
}

} // namespace

TEST_F(FormSkinnerTest, FrameFromTheBordersKeepsTheClientSizeAndComesOffAgain) {
    TPlainForm form(Application);
    form.Show();
    PumpPending();
    HWND wnd = form.Handle();
    const SIZE client = ClientSizeOf(wnd);
    const LONG style = GetWindowLongW(wnd, GWL_STYLE);

    TWinSkinForm* s = Skin(wnd);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->TitleHeight, 29);
    EXPECT_EQ(s->LeftWidth, 3);
    EXPECT_EQ(s->RightWidth, 3);
    EXPECT_EQ(s->BottomHeight, 3);
    EXPECT_EQ(s->BorderKind, kBorderSizeable);
    EXPECT_EQ(SendMessageW(wnd, SM_SKINNEDQUERY, 0, 0), 1);
    // The native caption is gone (an owned window keeps the caption bits but
    // loses its caption buttons); the client keeps its size inside the skin's frame.
    if (GetWindow(wnd, GW_OWNER))
        EXPECT_EQ(GetWindowLongW(wnd, GWL_STYLE) & (WS_SYSMENU | WS_MAXIMIZEBOX), 0);
    else
        EXPECT_EQ(GetWindowLongW(wnd, GWL_STYLE) & WS_CAPTION, 0);
    const SIZE skinned = ClientSizeOf(wnd);
    EXPECT_EQ(skinned.cx, client.cx);
    EXPECT_EQ(skinned.cy, client.cy);
    const POINT origin = ClientOrigin(wnd);
    EXPECT_EQ(origin.x, 3);
    EXPECT_EQ(origin.y, 29);
    const RECT w = WindowRectOf(wnd);
    EXPECT_EQ(w.right - w.left, client.cx + 6);
    EXPECT_EQ(w.bottom - w.top, client.cy + 32);

    // Hit tests: title strip below y = 4 is caption, the client is client.
    const int mid = (w.right - w.left) / 2;
    EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, ScreenPoint(wnd, {mid, 10})), HTCAPTION);
    EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, ScreenPoint(wnd, {mid, 4})), HTCAPTION);
    EXPECT_NE(SendMessageW(wnd, WM_NCHITTEST, 0, ScreenPoint(wnd, {mid, 1})), HTCAPTION);
    EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, ScreenPoint(wnd, {mid, 60})), HTCLIENT);
    // With a menu strip below the title, the strip answers HTMENU.
    s->MenuHeight = 19;
    SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    EXPECT_EQ(ClientOrigin(wnd).y, 29 + 19);
    EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, ScreenPoint(wnd, {mid, 29 + 8})), HTMENU);
    EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, ScreenPoint(wnd, {mid, 20})), HTCAPTION);
    s->MenuHeight = 0;
    SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

    // Deactivation gives the native frame back at the same client size.
    Deactivate();
    EXPECT_EQ(M().FindFormSkinner(wnd), nullptr);
    EXPECT_EQ(GetWindowLongW(wnd, GWL_STYLE) & (WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX),
              style & (WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX));
    const SIZE back = ClientSizeOf(wnd);
    EXPECT_EQ(back.cx, client.cx);
    EXPECT_EQ(back.cy, client.cy);
    TRegionHandle rgn(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(wnd, rgn.Get()), ERROR);
    EXPECT_EQ(SendMessageW(wnd, SM_SKINNEDQUERY, 0, 0), 0);
}

TEST_F(FormSkinnerTest, RegionFollowsThePaintedTitleOrIsThePlainRectangle) {
    TPlainForm form(Application);
    TWinSkinForm* s = ShowSkinned(form);
    ASSERT_NE(s, nullptr);
    HWND wnd = form.Handle();
    SendMessageW(wnd, SM_REPAINTFRAME, 0, 0);
    const RECT w = WindowRectOf(wnd);
    const int width = w.right - w.left, height = w.bottom - w.top;
    TRegionHandle rgn(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(wnd, rgn.Get()), ERROR);
    // The rounded top corners are cut; the title and client are in.
    EXPECT_FALSE(PtInRegion(rgn.Get(), 0, 0));
    EXPECT_FALSE(PtInRegion(rgn.Get(), width - 1, 0));
    EXPECT_TRUE(PtInRegion(rgn.Get(), width / 2, 2));
    EXPECT_TRUE(PtInRegion(rgn.Get(), width / 2, height / 2));
    EXPECT_TRUE(PtInRegion(rgn.Get(), 0, height - 1));
    // The title text counts as opaque: every pixel of the text rectangle is in.
    const POINT text = Centre(s->TextRect);
    EXPECT_TRUE(PtInRegion(rgn.Get(), text.x, text.y));

    // A skin without transparent borders: the plain window rectangle.
    for (TDataSkinBorder* b : {data_->LeftBorder.get(), data_->RightBorder.get(),
                               data_->TopBorder.get(), data_->BottomBorder.get()})
        b->Trans = 0;
    s->Reskin();
    TRegionHandle plain(CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(GetWindowRgn(wnd, plain.Get()), SIMPLEREGION);
    RECT box{};
    GetRgnBox(plain.Get(), &box);
    const RECT w2 = WindowRectOf(wnd);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, w2.right - w2.left);
    EXPECT_EQ(box.bottom, w2.bottom - w2.top);
}

// A resize shapes the window for its new size (the top-right corner's notch
// moves with the width) and shows, once painted, what a full frame paint
// shows, though it was shaped before its title was painted.
TEST_F(FormSkinnerTest, ResizeReshapesAndRepaintsTheWholeFrame) {
    TPlainForm form(Application);
    TWinSkinForm* s = ShowSkinned(form);
    ASSERT_NE(s, nullptr);
    HWND wnd = form.Handle();
    const RECT before = WindowRectOf(wnd);
    const int width = before.right - before.left - 40, height = before.bottom - before.top - 30;
    ASSERT_GT(width, 100);
    PumpPending();
    SetWindowPos(wnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    TRegionHandle rgn(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(wnd, rgn.Get()), ERROR);
    EXPECT_FALSE(PtInRegion(rgn.Get(), width - 1, 0));
    EXPECT_TRUE(PtInRegion(rgn.Get(), width - 6, 0));
    EXPECT_TRUE(PtInRegion(rgn.Get(), width / 2, height - 1));
    EXPECT_FALSE(PtInRegion(rgn.Get(), width, height / 2));

    // Larger again: the old corner and the new strips are painted too.
    UpdateWindow(wnd);
    SetWindowPos(wnd, nullptr, 0, 0, width + 40, height + 30,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateWindow(wnd);
    const int grown = width + 40;
    auto titleStrip = [wnd, grown] {
        TBitmap strip(grown, 8);
        HDC dc = GetWindowDC(wnd);
        BitBlt(strip.Canvas().Handle(), 0, 0, grown, 8, dc, 0, 0, SRCCOPY);
        ReleaseDC(wnd, dc);
        std::vector<uint8_t> bytes;
        for (int y = 0; y < 8; ++y)
            bytes.insert(bytes.end(), strip.ScanLine(y), strip.ScanLine(y) + grown * 4);
        // Only the shaped pixels count; the cut corners show nothing of ours.
        TRegionHandle shape(CreateRectRgn(0, 0, 0, 0));
        GetWindowRgn(wnd, shape.Get());
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < grown; ++x)
                if (!PtInRegion(shape.Get(), x, y))
                    std::fill_n(bytes.begin() + (y * grown + x) * 4, 4, uint8_t(0));
        return bytes;
    };
    const std::vector<uint8_t> afterResize = titleStrip();
    SendMessageW(wnd, SM_REPAINTFRAME, 0, 0);
    EXPECT_TRUE(afterResize == titleStrip());
}

TEST_F(FormSkinnerTest, InactiveWindowUsesSecondFramesAndInactiveTextColour) {
    TPlainForm form(Application);
    form.SetCaption(L"Active and inactive");
    TWinSkinForm* s = ShowSkinned(form);
    ASSERT_NE(s, nullptr);
    HWND wnd = form.Handle();
    auto countColour = [s](TColor c) {
        int n = 0;
        TCanvas& canvas = s->TitleCache.Canvas();
        for (int y = s->TextRect.top; y < s->TextRect.bottom; ++y)
            for (int x = s->TextRect.left; x < s->TextRect.right; ++x)
                n += static_cast<uint32_t>(canvas.Pixel(x, y)) == static_cast<uint32_t>(c);
        return n;
    };
    const TColor activeText = data_->TitleTextActiveColour;
    const TColor inactiveText = data_->TitleTextNoActiveColour;
    ASSERT_NE(activeText, inactiveText);

    SendMessageW(wnd, WM_NCACTIVATE, TRUE, 0);
    EXPECT_TRUE(s->Active);
    const int activeCount = countColour(activeText);
    EXPECT_GT(activeCount, 10);
    EXPECT_EQ(countColour(inactiveText), 0);
    // The left border in the window: frame 1 of the skin's picture.
    const RECT w = WindowRectOf(wnd);
    const int h = w.bottom - w.top;
    const RECT left{0, 0, 3, h};
    auto frame1 = RenderBorderPart(TBorderPart::Left, left, *data_, true);
    auto frame2 = RenderBorderPart(TBorderPart::Left, left, *data_, false);
    ASSERT_TRUE(frame1 && frame2);
    const int y = h / 2;
    int x = 0;
    while (x < 3 && frame1->Canvas().Pixel(x, y) == frame2->Canvas().Pixel(x, y))
        ++x;
    ASSERT_LT(x, 3) << "the skin's two left-border frames differ somewhere in a row";
    {
        TWindowDC dc(wnd);
        EXPECT_EQ(GetPixel(dc.Handle(), x, y), static_cast<COLORREF>(frame1->Canvas().Pixel(x, y)));
    }

    SendMessageW(wnd, WM_NCACTIVATE, FALSE, 0);
    EXPECT_FALSE(s->Active);
    EXPECT_GT(countColour(inactiveText), 10);
    EXPECT_EQ(countColour(activeText), 0);
    {
        TWindowDC dc(wnd);
        EXPECT_EQ(GetPixel(dc.Handle(), x, y), static_cast<COLORREF>(frame2->Canvas().Pixel(x, y)));
    }
}

TEST_F(FormSkinnerTest, LongCaptionEndsAtTheClipAndCentredCaptionStaysCentred) {
    TPlainForm form(Application, 360, 200);
    form.SetCaption(std::wstring(120, L'W'));
    TWinSkinForm* s = ShowSkinned(form);
    ASSERT_NE(s, nullptr);
    HWND wnd = form.Handle();
    SendMessageW(wnd, SM_REPAINTFRAME, 0, 0);
    const RECT w = WindowRectOf(wnd);
    const int width = w.right - w.left;
    const int clip = data_->Title->RightWidth;
    EXPECT_EQ(s->TextRect.right, width - s->RightWidth - clip);

    data_->Title->TextAlignment = 1;
    form.SetCaption(L"Centred");
    SendMessageW(wnd, SM_REPAINTFRAME, 0, 0);
    const int stripCentre = (s->LeftWidth + width - s->RightWidth) / 2;
    EXPECT_LE(std::abs((s->TextRect.left + s->TextRect.right) / 2 - stripCentre), 1);
}

TEST_F(FormSkinnerTest, PopupWithoutCaptionGetsNoFrame) {
    HWND popup = CreateWindowExW(0, L"STATIC", L"popup", WS_POPUP | WS_VISIBLE | WS_BORDER, 50, 50,
                                 200, 120, nullptr, nullptr, nullptr, nullptr);
    const RECT before = WindowRectOf(popup);
    const SIZE client = ClientSizeOf(popup);
    TWinSkinForm* s = Skin(popup);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->BorderKind, kBorderNone);
    EXPECT_EQ(s->TitleHeight + s->LeftWidth + s->RightWidth + s->BottomHeight + s->MenuHeight, 0);
    const RECT after = WindowRectOf(popup);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
    EXPECT_EQ(ClientSizeOf(popup).cx, client.cx);
    EXPECT_EQ(ClientSizeOf(popup).cy, client.cy);
    TRegionHandle rgn(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(popup, rgn.Get()), ERROR);
    DestroyWindow(popup);
    PumpPending();
    M().PurgeClosedForms();
    EXPECT_EQ(M().FormSkinnerCount(), 0);
}

TEST_F(FormSkinnerTest, MessageBoxIsWidenedForItsCaptionAndItsButtonsMoveHalfway) {
    HWND box = NarrowDialog(L"A dialog caption that is much wider than the dialog itself");
    ASSERT_NE(box, nullptr);
    HWND button = GetDlgItem(box, IDOK);
    const SIZE client = ClientSizeOf(box);
    RECT b0 = WindowRectOf(button);
    POINT button0{b0.left, b0.top};
    ScreenToClient(box, &button0);

    TWinSkinForm* s = Skin(box);
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(s->SystemDialog);
    EXPECT_EQ(s->BorderKind, kBorderDialog);
    const int needed = data_->Title->LeftWidth + s->CaptionTextWidth + data_->Title->RightWidth;
    const int plain = client.cx + s->LeftWidth + s->RightWidth;
    ASSERT_GT(needed, plain);
    const RECT w = WindowRectOf(box);
    EXPECT_EQ(w.right - w.left, needed);
    RECT b1 = WindowRectOf(button);
    POINT button1{b1.left, b1.top};
    ScreenToClient(box, &button1);
    EXPECT_EQ(button1.x - button0.x, (needed - plain) / 2);
    EXPECT_EQ(button1.y, button0.y);
    DestroyWindow(box);
    PumpPending();
}

namespace {
// The window covers the work area exactly, its client inside the skinned frame.
void ExpectSkinnedOnWorkArea(HWND wnd, const TWinSkinForm& s, const RECT& work) {
    const RECT w = WindowRectOf(wnd);
    EXPECT_EQ(w.left, work.left);
    EXPECT_EQ(w.top, work.top);
    EXPECT_EQ(w.right, work.right);
    EXPECT_EQ(w.bottom, work.bottom);
    EXPECT_EQ(ClientOrigin(wnd).x, s.LeftWidth);
    EXPECT_EQ(ClientOrigin(wnd).y, s.TitleHeight);
}
} // namespace

TEST_F(FormSkinnerTest, MaximisedWindowLiesExactlyOnTheWorkArea) {
    TPlainForm form(Application);
    TWinSkinForm* s = ShowSkinned(form);
    ASSERT_NE(s, nullptr);
    HWND wnd = form.Handle();
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    ShowWindow(wnd, SW_MAXIMIZE);
    PumpPending();
    ASSERT_TRUE(IsZoomed(wnd));
    ExpectSkinnedOnWorkArea(wnd, *s, work);
    EXPECT_EQ(ClientSizeOf(wnd).cx, work.right - work.left - s->LeftWidth - s->RightWidth);
    EXPECT_EQ(ClientSizeOf(wnd).cy, work.bottom - work.top - s->TitleHeight - s->BottomHeight);
    // The maximised window is not dragged by its title.
    EXPECT_EQ(s->WindowState, kWindowMaximized);

    // A window maximised before it is skinned moves onto the work area too,
    // and back to the platform's own maximised placement when unskinned.
    Deactivate();
    const RECT native = WindowRectOf(wnd);
    EXPECT_LT(native.left, work.left);
    EXPECT_TRUE(IsZoomed(wnd));
    M().SetActive(true);
    Skin(wnd);
    const RECT again = WindowRectOf(wnd);
    EXPECT_EQ(again.left, work.left);
    EXPECT_EQ(again.top, work.top);
    EXPECT_EQ(again.bottom, work.bottom);
    ShowWindow(wnd, SW_RESTORE);
    PumpPending();

    // Inside a sizing loop the limits are read once and kept: every step's
    // answer is the one given outside the loop.
    auto limits = [&] {
        MINMAXINFO mmi{};
        SendMessageW(wnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
        return std::vector<LONG>{mmi.ptMaxTrackSize.x, mmi.ptMaxTrackSize.y, mmi.ptMaxPosition.x,
                                 mmi.ptMaxPosition.y,  mmi.ptMaxSize.x,      mmi.ptMaxSize.y};
    };
    const std::vector<LONG> outside = limits();
    EXPECT_EQ(outside[4], work.right - work.left);
    EXPECT_EQ(outside[5], work.bottom - work.top);
    SendMessageW(wnd, WM_ENTERSIZEMOVE, 0, 0);
    EXPECT_EQ(limits(), outside);
    EXPECT_EQ(limits(), outside);
    SendMessageW(wnd, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(limits(), outside);
}

TEST_F(FormSkinnerTest, MaximisedFormIsSkinnedBeforeItIsFirstShown) {
    TWinSkinForm::InstallBeforeShow(true);
    struct TOff {
        ~TOff() { TWinSkinForm::InstallBeforeShow(false); }
    } off;
    // A form shown normal is left to the skinning on activation.
    TPlainForm normal(Application);
    normal.Show();
    EXPECT_EQ(M().FindFormSkinner(normal.Handle()), nullptr);

    // A form shown maximised is skinned, contents, frame and region, before
    // it becomes visible, and never gets another client size once it is.
    TPlainForm form(Application);
    form.SetWindowState(wsMaximized);
    std::vector<LPARAM> hiddenSizes, visibleSizes;
    TWndMethod inner = form.WindowProc;
    form.WindowProc = [&](TMessage& msg) {
        if (msg.Msg == WM_SIZE)
            (IsWindowVisible(form.Handle()) ? visibleSizes : hiddenSizes).push_back(msg.LParam);
        inner(msg);
    };
    form.Show();
    HWND wnd = form.Handle();
    auto* s = dynamic_cast<TWinSkinForm*>(M().FindFormSkinner(wnd));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->State(), TFormSkinnerState::Skinned);
    EXPECT_TRUE(s->ContentsSkinned);
    EXPECT_EQ(TakePosted(wnd, SM_SKINCONTENTS), 0);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    ExpectSkinnedOnWorkArea(wnd, *s, work);
    RECT box{};
    TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(wnd, region.Get()), ERROR);
    GetRgnBox(region.Get(), &box);
    EXPECT_EQ(box.right - box.left, work.right - work.left);
    PumpPending();
    ASSERT_FALSE(hiddenSizes.empty());
    const SIZE client = ClientSizeOf(wnd);
    EXPECT_EQ(hiddenSizes.back(), MAKELPARAM(client.cx, client.cy));
    for (LPARAM size : visibleSizes)
        EXPECT_EQ(size, hiddenSizes.back());
    EXPECT_TRUE(IsZoomed(wnd));
    EXPECT_EQ(WindowRectOf(wnd).bottom, work.bottom);
    form.WindowProc = inner;
}

TEST_F(FormSkinnerTest, CaptionlessPopupsComeBackExactlyAsTheyWere) {
    // A popup without a caption keeps its native frame while skinned, also
    // across a skin refresh, and gets back its own style and size.
    for (DWORD frame : {DWORD(WS_BORDER), DWORD(WS_DLGFRAME), DWORD(0)}) {
        SCOPED_TRACE(frame);
        HWND popup = CreateWindowExW(0, L"STATIC", L"popup", WS_POPUP | WS_VISIBLE | frame, 60, 60,
                                     200, 120, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(popup, nullptr);
        const LONG style = GetWindowLongW(popup, GWL_STYLE);
        const RECT before = WindowRectOf(popup);
        const SIZE client = ClientSizeOf(popup);
        TWinSkinForm* s = Skin(popup);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(GetWindowLongW(popup, GWL_STYLE), style);
        s->Reskin();
        EXPECT_EQ(GetWindowLongW(popup, GWL_STYLE), style);
        const RECT refreshed = WindowRectOf(popup);
        EXPECT_TRUE(EqualRect(&before, &refreshed));
        EXPECT_EQ(ClientSizeOf(popup).cx, client.cx);
        Deactivate();
        EXPECT_EQ(M().FindFormSkinner(popup), nullptr);
        EXPECT_EQ(GetWindowLongW(popup, GWL_STYLE), style);
        const RECT after = WindowRectOf(popup);
        EXPECT_TRUE(EqualRect(&before, &after));
        EXPECT_EQ(ClientSizeOf(popup).cx, client.cx);
        EXPECT_EQ(ClientSizeOf(popup).cy, client.cy);
        DestroyWindow(popup);
        M().SetActive(true);
    }
}

// A resize step shapes the window before the platform's one repaint of its
// frame (no second repaint for the shape, no style rewritten), ends with
// the shape a rebuild after the paint gives, and hands the pixels the new
// shape leaves out (the notch of the new top-right corner, inside the old
// rectangle) to the window below.
TEST_F(FormSkinnerTest, ResizeStepPaintsTheFrameOnceUnderTheNewShape) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"ResizeBelowWindow";
    RegisterClassW(&wc);
    HWND below = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 1000, 800,
                                 nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(below, nullptr);
    constexpr COLORREF kWhite = 0xFFFFFF;
    TPlainForm form(Application);
    TWinSkinForm* s = ShowSkinned(form);
    ASSERT_NE(s, nullptr);
    HWND wnd = form.Handle();
    const RECT start = WindowRectOf(wnd);
    const int width = start.right - start.left, height = start.bottom - start.top;
    SetWindowPos(below, wnd, start.left - 50, start.top - 50, width + 100, height + 100,
                 SWP_NOACTIVATE);
    for (const SIZE step : {SIZE{width - 30, height - 20}, SIZE{width + 20, height + 10}}) {
        PumpPending();
        UpdateWindow(wnd);
        ValidateRect(below, nullptr);
        const RECT old = WindowRectOf(wnd);
        const TRecorded seen = ResizeRecording(wnd, step.cx, step.cy);
        EXPECT_EQ(seen.NcPaint, 1);
        EXPECT_EQ(seen.StyleChanging, 0);
        TRegionHandle rgn(CreateRectRgn(0, 0, 0, 0));
        ASSERT_NE(GetWindowRgn(wnd, rgn.Get()), ERROR);
        EXPECT_FALSE(PtInRegion(rgn.Get(), step.cx - 1, 0));
        EXPECT_TRUE(PtInRegion(rgn.Get(), step.cx / 2, step.cy - 1));
        // On screen the white window below shows through the new corner's
        // notch (inside the old rectangle when smaller), not the frame's
        // corner pixels; the title strip next to it, and where the old
        // corner was when larger, show the frame.
        const POINT notch{old.left + step.cx - 1, old.top};
        EXPECT_TRUE(ScreenPixelBecomes(notch, kWhite));
        EXPECT_NE(ScreenPixel({old.left + step.cx - 8, old.top + 2}), kWhite);
        if (step.cx > old.right - old.left) {
            EXPECT_NE(ScreenPixel({old.right - 1, old.top + 2}), kWhite);
        }
        EXPECT_TRUE(ShapeIsTheRebuiltOne(wnd, *s));
    }
    DestroyWindow(below);
}

// Shaped before its title is painted, a window takes the title's pixels
// into its shape once they are painted where the bare top border is
// transparent: here a magenta band across the top border, through which
// the title text runs.
TEST_F(FormSkinnerTest, ResizeShapeTakesTitlePixelsPaintedOverTheTopBorderKey) {
    TPlainForm form(Application);
    form.SetCaption(L"WWWWWWWW MMMMMMMM");
    TWinSkinForm* s = ShowSkinned(form);
    ASSERT_NE(s, nullptr);
    HWND wnd = form.Handle();
    TBitmap& top = data_->TopBorder->Picture;
    const int band = s->TitleHeight / 2 - 2;
    for (int frame = 0; frame < std::max(1, data_->TopBorder->FrameCount); ++frame) {
        top.Canvas().Brush().SetColor(kSkinKeyColor);
        top.Canvas().FillRect(
            {0, frame * s->TitleHeight + band, top.Width(), frame * s->TitleHeight + band + 4});
    }
    const RECT start = WindowRectOf(wnd);
    const int width = start.right - start.left - 24, height = start.bottom - start.top;
    ResizeRecording(wnd, width, height);
    TRegionHandle rgn(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(wnd, rgn.Get()), ERROR);
    // The band is cut where nothing was painted over it, and kept where the
    // text was.
    HDC title = s->TitleCache.Canvas().Handle();
    int bare = -1;
    for (int x = s->LeftWidth; x < width - s->RightWidth && bare < 0; ++x)
        if (GetPixel(title, x, band + 1) == kSkinKeyColor)
            bare = x;
    ASSERT_GE(bare, 0);
    EXPECT_FALSE(PtInRegion(rgn.Get(), bare, band + 1));
    int ink = -1;
    for (int x = s->TextRect.left; x < s->TextRect.right && ink < 0; ++x)
        for (int y = band; y < band + 4 && ink < 0; ++y)
            if (GetPixel(title, x, y) != kSkinKeyColor)
                ink = x;
    ASSERT_GE(ink, 0);
    bool kept = false;
    for (int y = band; y < band + 4; ++y)
        kept = kept || (PtInRegion(rgn.Get(), ink, y) && GetPixel(title, ink, y) != kSkinKeyColor);
    EXPECT_TRUE(kept);
    EXPECT_TRUE(ShapeIsTheRebuiltOne(wnd, *s));
}
