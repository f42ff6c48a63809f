// Text measured on the screen's DC agrees with the same font drawn on a
// memory DC; the scope gives back its DC and selection.
#include "framework/gdi/screen_text.h"
#include "framework/gdi/font.h"

#include <gtest/gtest.h>

namespace {
// DrawText's measurement of `text` with `font` on a memory DC, for comparison.
RECT MeasureOnMemoryDC(HFONT font, const std::wstring& text, RECT r, UINT flags) {
    TMemoryDC mem(nullptr);
    TSelectObject select(mem.Handle(), font);
    DrawTextW(mem.Handle(), text.c_str(), static_cast<int>(text.size()), &r, flags | DT_CALCRECT);
    return r;
}
} // namespace

TEST(ScreenTextDC, MeasuresWithTheGivenFontAndReleasesTheScreen) {
    TFont font;
    font.SetName(L"宋体");
    font.SetHeight(-15);
    TFont large;
    large.SetName(L"宋体");
    large.SetHeight(-30);
    const std::wstring text = L"确认退出系统？ Yes or no";
    const int dcs = GdiLiveCount(TGdiKind::WindowDC);
    const int selections = GdiLiveCount(TGdiKind::Selection);
    RECT one{}, wrapped{}, big{};
    TEXTMETRICW tm{};
    {
        const TScreenTextDC screen(font.Handle());
        EXPECT_EQ(GetCurrentObject(screen.Handle(), OBJ_FONT), font.Handle());
        EXPECT_EQ(GdiLiveCount(TGdiKind::WindowDC), dcs + 1);
        EXPECT_EQ(GdiLiveCount(TGdiKind::Selection), selections + 1);
        one = screen.MeasureText(text, RECT{0, 0, 0, 0}, DT_SINGLELINE);
        wrapped = screen.MeasureText(text, RECT{10, 20, 70, 20}, DT_WORDBREAK);
        tm = screen.Metrics();
    }
    EXPECT_EQ(GdiLiveCount(TGdiKind::WindowDC), dcs);
    EXPECT_EQ(GdiLiveCount(TGdiKind::Selection), selections);
    {
        const TScreenTextDC screen(large.Handle());
        big = screen.MeasureText(text, RECT{0, 0, 0, 0}, DT_SINGLELINE);
    }
    // The same numbers as the font gives on a memory DC.
    const RECT ref = MeasureOnMemoryDC(font.Handle(), text, RECT{0, 0, 0, 0}, DT_SINGLELINE);
    EXPECT_EQ(one.right, ref.right);
    EXPECT_EQ(one.bottom, ref.bottom);
    EXPECT_GT(one.right, 100);
    const RECT refWrapped =
        MeasureOnMemoryDC(font.Handle(), text, RECT{10, 20, 70, 20}, DT_WORDBREAK);
    EXPECT_EQ(wrapped.left, 10);
    EXPECT_EQ(wrapped.top, 20);
    EXPECT_EQ(wrapped.bottom, refWrapped.bottom);
    EXPECT_GE(wrapped.bottom - wrapped.top, 2 * (one.bottom - one.top)); // several lines
    EXPECT_EQ(tm.tmHeight, one.bottom - one.top);
    // A font twice as high measures about twice as wide: the font was really selected.
    EXPECT_GT(big.right, one.right * 3 / 2);
    EXPECT_GT(big.bottom, one.bottom * 3 / 2);
}
