// Proves the Wine bench is the real platform: custom non-client painting and
// window regions show in Wine's virtual desktop, hit tests come from our
// procedure, the ANSI code page is 936 and "宋体" renders real Chinese glyphs.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "tests/platform/bench_window.h"

namespace {

// Handles messages until no input, posted or sent message nor paint waits
// (at most a few seconds on a loaded machine).
void PumpMessages() {
    const UINT waiting = QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE | QS_PAINT;
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
    } while ((HIWORD(GetQueueStatus(QS_ALLINPUT)) & waiting) && GetTickCount() - start < 5000);
}

struct Window {
    HWND hwnd;
    explicit Window(HWND h) : hwnd(h) {}
    ~Window() { DestroyWindow(hwnd); }
};

// Renders text with the given face into a white 64×32 DIB and returns the
// pixels (0x00RRGGBB, top-down).
std::vector<DWORD> RenderText(const wchar_t* face, const wchar_t* text) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = 64;
    bi.bmiHeader.biHeight = -32;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBmp = SelectObject(dc, bmp);
    RECT rc = {0, 0, 64, 32};
    FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HFONT font = CreateFontW(-24, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                             DEFAULT_PITCH, face);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, 4, 4, text, lstrlenW(text));
    GdiFlush();
    std::vector<DWORD> pixels(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + 64 * 32);
    SelectObject(dc, oldFont);
    DeleteObject(font);
    SelectObject(dc, oldBmp);
    DeleteObject(bmp);
    DeleteDC(dc);
    return pixels;
}

int InkCount(const std::vector<DWORD>& pixels) {
    int ink = 0;
    for (DWORD p : pixels) {
        ink += (p & 0xFFFFFF) != 0xFFFFFF;
    }
    return ink;
}

} // namespace

TEST(Platform, CustomFrameIsPaintedAndHitTested) {
    Window w(benchwin::Create(120, 80, 400, 300));
    ASSERT_NE(w.hwnd, nullptr);
    ShowWindow(w.hwnd, SW_SHOWNORMAL);
    UpdateWindow(w.hwnd);
    PumpMessages();

    RECT client;
    GetClientRect(w.hwnd, &client);
    EXPECT_EQ(client.right, 400 - 2 * benchwin::kBorder);
    EXPECT_EQ(client.bottom, 300 - benchwin::kCaption - benchwin::kBorder);

    // Our frame, read back from the window DC.
    HDC dc = GetWindowDC(w.hwnd);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetPixel(dc, 2, 100), benchwin::kBorderColour);
    EXPECT_EQ(GetPixel(dc, 397, 150), benchwin::kBorderColour);
    EXPECT_EQ(GetPixel(dc, 200, 297), benchwin::kBorderColour);
    EXPECT_EQ(GetPixel(dc, 200, 15), benchwin::kCaptionColour);
    EXPECT_EQ(GetPixel(dc, 200, 100), benchwin::kClientColour);
    ReleaseDC(w.hwnd, dc);

    // The region: top corners cut, everything else inside.
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(w.hwnd, rgn), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(rgn, 0, 0));
    EXPECT_FALSE(PtInRegion(rgn, 399, 3));
    EXPECT_TRUE(PtInRegion(rgn, 4, 0));
    EXPECT_TRUE(PtInRegion(rgn, 0, 4));
    EXPECT_TRUE(PtInRegion(rgn, 399, 299));
    EXPECT_FALSE(PtInRegion(rgn, 400, 299));
    DeleteObject(rgn);

    // Hit tests go through our procedure (screen coordinates).
    RECT wr;
    GetWindowRect(w.hwnd, &wr);
    auto hit = [&](int x, int y) {
        return SendMessageW(w.hwnd, WM_NCHITTEST, 0, MAKELPARAM(wr.left + x, wr.top + y));
    };
    EXPECT_EQ(hit(200, 15), HTCAPTION);
    EXPECT_EQ(hit(2, 100), HTLEFT);
    EXPECT_EQ(hit(397, 100), HTRIGHT);
    EXPECT_EQ(hit(200, 298), HTBOTTOM);
    EXPECT_EQ(hit(398, 298), HTBOTTOMRIGHT);
    EXPECT_EQ(hit(1, 1), HTTOPLEFT);
    EXPECT_EQ(hit(200, 100), HTCLIENT);

    // Activation must not bring the native caption back.
    SendMessageW(w.hwnd, WM_NCACTIVATE, FALSE, 0);
    dc = GetWindowDC(w.hwnd);
    EXPECT_EQ(GetPixel(dc, 200, 15), benchwin::kCaptionColour);
    ReleaseDC(w.hwnd, dc);
}

TEST(Platform, ChineseTextUsesCodePage936AndRealGlyphs) {
    EXPECT_EQ(GetACP(), 936u);

    // "岚" in GBK is 0xE1 0xB0: the ANSI conversion must know it.
    const char gbk[] = "\xE1\xB0";
    wchar_t wide[4] = {};
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, gbk, 2, wide, 4), 1);
    EXPECT_EQ(wide[0], L'岚');

    // Both characters have glyphs in the font behind "宋体".
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontW(-24, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, 0, 0, 0,
                             0, L"宋体");
    HGDIOBJ old = SelectObject(dc, font);
    WORD glyphs[2] = {};
    ASSERT_EQ(GetGlyphIndicesW(dc, L"岚拓", 2, glyphs, GGI_MARK_NONEXISTING_GLYPHS), 2u);
    EXPECT_NE(glyphs[0], 0xFFFF);
    EXPECT_NE(glyphs[1], 0xFFFF);
    EXPECT_NE(glyphs[0], glyphs[1]);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);

    // Drawn, they cover pixels, and differently (missing glyphs would all be
    // the same box).
    const auto a = RenderText(L"宋体", L"岚");
    const auto b = RenderText(L"宋体", L"拓");
    EXPECT_GT(InkCount(a), 30);
    EXPECT_GT(InkCount(b), 30);
    EXPECT_NE(a, b);
}
