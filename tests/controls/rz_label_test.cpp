// TRzLabel: centred word-wrapped text, clipping, background, text styles,
// blinking, hover colour, auto-size and the TrueType rule of rotated text.
#include "controls/blink_clock.h"
#include "controls/rz_label.h"
#include "framework/ui/form.h"
#include "tests/controls/pixel_probe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

const wchar_t kQuestion[] =
    L"确认退出系统？这是一个比较长的问题，用来检查标签的自动换行和居中显示效果。";

// The dialog's question label: 300 x 75, centred, word-wrapped, navy 宋体 -15.
void DialogSettings(TRzLabel& label) {
    label.SetAutoSize(false);
    label.SetBounds(0, 0, 300, 75);
    label.SetAlignment(taCenter);
    label.SetLayout(tlCenter);
    label.SetWordWrap(true);
    label.Font().SetName(L"宋体");
    label.Font().SetHeight(-15);
    label.Font().SetCharset(GB2312_CHARSET);
    label.Font().SetColor(clNavy);
    label.SetColor(0x00F0F0F0);
}

// A fixed-size white label with black text in the dialog's font.
void PlainLabel(TRzLabel& label, int w, int h, int fontHeight, const wchar_t* caption) {
    label.SetAutoSize(false);
    label.SetBounds(0, 0, w, h);
    label.SetColor(clWhite);
    label.Font().SetName(L"宋体");
    label.Font().SetHeight(fontHeight);
    label.Font().SetColor(clBlack);
    label.SetCaption(caption);
}

// Paints the label into a bitmap of its size through the WM_PAINT-with-DC path.
void PaintInto(TRzLabel& label, TBitmap& bmp) {
    bmp.SetSize(label.Width(), label.Height());
    FillSurface(bmp, clWhite);
    label.Perform(WM_PAINT, reinterpret_cast<WPARAM>(bmp.Canvas().Handle()), 0);
}

// Reference: the same text drawn with plain GDI at a given rectangle.
void Reference(TBitmap& ref, const std::wstring& text, int w, int h, int dy, TColor bg) {
    ref.SetSize(w, h);
    FillSurface(ref, bg);
    HDC dc = ref.Canvas().Handle();
    HFONT font = CreateFontW(-15, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, L"宋体");
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, 0x800000);
    RECT r{0, dy, w, h + (dy > 0 ? dy : 0)};
    DrawTextW(dc, text.c_str(), -1, &r, DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS);
    SelectObject(dc, old);
    DeleteObject(font);
}

// Height of the wrapped text block in 300 pixels.
int BlockHeight(const std::wstring& text) {
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontW(-15, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, L"宋体");
    HGDIOBJ old = SelectObject(dc, font);
    RECT r{0, 0, 300, 0};
    DrawTextW(dc, text.c_str(), -1, &r, DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS | DT_CALCRECT);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return r.bottom;
}

// Rows and columns holding navy ink.
struct Ink {
    int top = -1, bottom = -1, left = 1 << 30, right = -1;
};
Ink FindInk(TBitmap& bmp, uint32_t colour) {
    Ink ink;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            if (PixelAt(bmp, x, y) == colour) {
                if (ink.top < 0)
                    ink.top = y;
                ink.bottom = y;
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
            }
    return ink;
}

} // namespace

TEST(RzLabel, DialogQuestionWrapsCentredLines) {
    TRzLabel label(nullptr);
    DialogSettings(label);
    label.SetCaption(kQuestion);
    TBitmap bmp, ref;
    PaintInto(label, bmp);
    const int h = BlockHeight(kQuestion);
    ASSERT_GT(h, 15) << "the question must wrap onto several lines";
    ASSERT_LT(h, 75);
    // The block moves down by half the free height; lines are centred by DrawText.
    Reference(ref, kQuestion, 300, 75, (75 - h) / 2, 0x00F0F0F0);
    int differing = 0;
    for (int y = 0; y < 75; ++y)
        for (int x = 0; x < 300; ++x)
            differing += PixelAt(bmp, x, y) != PixelAt(ref, x, y);
    EXPECT_EQ(differing, 0);
    // Seen from outside: ink is vertically centred and each line horizontally.
    const Ink ink = FindInk(bmp, 0x800000);
    ASSERT_GE(ink.top, 0);
    EXPECT_LE(std::abs(ink.top - (74 - ink.bottom)), 6);
    EXPECT_LE(std::abs(ink.left - (299 - ink.right)), 16);
    // Without tlCenter the text starts at the top.
    label.SetLayout(tlTop);
    PaintInto(label, bmp);
    EXPECT_LT(FindInk(bmp, 0x800000).top, ink.top);
}

TEST(RzLabel, TallTextIsCutAtTheEdges) {
    std::wstring text;
    for (int i = 0; i < 8; ++i)
        text += kQuestion;
    TRzLabel label(nullptr);
    DialogSettings(label);
    label.SetCaption(text);
    TBitmap bmp, ref;
    PaintInto(label, bmp);
    const int h = BlockHeight(text);
    ASSERT_GT(h, 75);
    // Negative offset: the block moves up; its middle shows.
    Reference(ref, text, 300, 75, (75 - h) / 2, 0x00F0F0F0);
    int differing = 0;
    for (int y = 0; y < 75; ++y)
        for (int x = 0; x < 300; ++x)
            differing += PixelAt(bmp, x, y) != PixelAt(ref, x, y);
    EXPECT_EQ(differing, 0);
    const Ink ink = FindInk(bmp, 0x800000);
    EXPECT_GE(ink.top, 0);
    EXPECT_LE(ink.top, 3);
    EXPECT_GE(ink.bottom, 71);
}

TEST(RzLabel, OpaqueLabelFillsWithTheParentColour) {
    TForm form(nullptr);
    form.SetColor(0x00123456);
    TRzLabel label(&form);
    label.SetParent(&form);
    EXPECT_TRUE(label.ParentColor());
    EXPECT_EQ(label.Color(), 0x00123456);
    label.SetAutoSize(false);
    label.SetBounds(0, 0, 40, 20);
    TBitmap bmp;
    PaintInto(label, bmp);
    EXPECT_EQ(PixelAt(bmp, 0, 0), 0x123456u);
    EXPECT_EQ(PixelAt(bmp, 39, 19), 0x123456u);
    // Transparent leaves what is underneath.
    label.SetTransparent(true);
    PaintInto(label, bmp);
    EXPECT_EQ(PixelAt(bmp, 0, 0), 0xFFFFFFu);
}

TEST(RzLabel, TextStylesAndDisabledText) {
    TRzLabel label(nullptr);
    PlainLabel(label, 80, 24, -15, L"测试文字");
    label.SetHighlightColor(0x0000FF);
    label.SetShadowColor(0x00FF00);
    label.SetTextStyle(tsRaised);
    TBitmap bmp;
    PaintInto(label, bmp);
    std::set<uint32_t> colours;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 80; ++x)
            colours.insert(PixelAt(bmp, x, y));
    EXPECT_TRUE(colours.count(0x0000FF)); // highlight pass
    EXPECT_TRUE(colours.count(0x00FF00)); // shadow pass
    EXPECT_TRUE(colours.count(0x000000)); // main text
    // LightTextStyle keeps only the highlight pass of tsRaised.
    label.SetLightTextStyle(true);
    PaintInto(label, bmp);
    colours.clear();
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 80; ++x)
            colours.insert(PixelAt(bmp, x, y));
    EXPECT_TRUE(colours.count(0x0000FF));
    EXPECT_FALSE(colours.count(0x00FF00));
    // Disabled: one pass in the grey text colour, whatever the style.
    label.SetEnabled(false);
    PaintInto(label, bmp);
    // Only greys from the grey text colour (with smoothed edges) to white.
    const uint32_t grey = ColorToRGB(clGrayText);
    int greyPixels = 0, inkPixels = 0, otherPixels = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 80; ++x) {
            const uint32_t c = PixelAt(bmp, x, y);
            const bool neutral = (c & 0xFF) == ((c >> 8) & 0xFF) && (c & 0xFF) == (c >> 16);
            greyPixels += c == grey;
            inkPixels += c != 0xFFFFFF;
            otherPixels += !neutral || (c & 0xFF) < (grey & 0xFF);
        }
    EXPECT_GT(greyPixels, 0);
    EXPECT_GT(inkPixels, 20);
    EXPECT_EQ(otherPixels, 0);
}

TEST(RzLabel, BlinkingAndHoverColours) {
    TRzLabel label(nullptr);
    label.Font().SetColor(clNavy);
    EXPECT_EQ(label.CurrentTextColor(), clNavy);
    EXPECT_EQ(label.Perform(CM_BLINKQUERY), 0);
    label.SetBlinking(true);
    label.SetBlinkColor(clRed);
    EXPECT_EQ(label.Perform(CM_BLINKQUERY), 1);
    label.Perform(CM_BLINKSTATE, 1);
    EXPECT_EQ(label.CurrentTextColor(), clRed);
    label.Perform(CM_BLINKSTATE, 0);
    EXPECT_EQ(label.CurrentTextColor(), clNavy);
    label.Perform(CM_BLINKSTATE, 1);
    label.SetBlinking(false);
    EXPECT_EQ(label.CurrentTextColor(), clNavy);
    // The label's intervals are the shared clock's.
    label.SetBlinkIntervalOn(300);
    EXPECT_EQ(TRzBlinkingControlsList::Instance()->IntervalOn(), 300);
    label.SetBlinkIntervalOn(500);

    label.SetFlyByEnabled(true);
    label.SetFlyByColor(clLime);
    TColor seenAtEnter = clNone;
    label.OnMouseEnter = [&](TObject*) { seenAtEnter = label.Font().Color(); };
    label.Perform(CM_MOUSEENTER);
    EXPECT_EQ(seenAtEnter, clLime); // the event fires after the colour change
    EXPECT_EQ(label.CurrentTextColor(), clLime);
    label.Perform(CM_MOUSELEAVE);
    EXPECT_EQ(label.Font().Color(), clNavy);
    EXPECT_EQ(label.CurrentTextColor(), clNavy);
}

TEST(RzLabel, AutoSizeFollowsTheText) {
    TRzLabel label(nullptr);
    label.Font().SetName(L"宋体");
    label.Font().SetHeight(-15);
    label.Font().SetCharset(GB2312_CHARSET);
    label.SetLayout(tlCenter);
    label.SetCaption(L"提示：");
    // Three full-width characters: 45 pixels with the customers' font; the
    // substitute font here may be wider, so measure it.
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, label.Font().Handle());
    SIZE ext{};
    GetTextExtentPoint32W(dc, L"提示：", 3, &ext);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    const int w = ext.cx;
    EXPECT_EQ(label.Width(), w);
    EXPECT_GE(label.Height(), 15);
    const int h = label.Height();
    label.SetTextStyle(tsShadow);
    EXPECT_EQ(label.Width(), w + 2);
    EXPECT_EQ(label.Height(), h + 2);
    label.SetBorderOuter(fsFlat);
    EXPECT_EQ(label.Width(), w + 4);
    EXPECT_EQ(label.Height(), h + 4);
    label.SetAutoSize(false);
    label.SetCaption(L"提示：更多的文字");
    EXPECT_EQ(label.Width(), w + 4);
}

TEST(RzLabel, AngleNeedsATrueTypeFont) {
    TRzLabel label(nullptr);
    label.Font().SetName(L"宋体");
    label.SetAngle(90);
    label.Font().SetHeight(-20); // a TrueType font keeps its angle
    EXPECT_EQ(label.Angle(), 90);
    // A raster font drops it on the next font change: find one installed.
    const wchar_t* rasterName = nullptr;
    for (const wchar_t* name :
         {L"MS Sans Serif", L"Small Fonts", L"Courier", L"Fixedsys", L"Terminal", L"System"}) {
        HDC dc = GetDC(nullptr);
        HFONT f = CreateFontW(-12, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, name);
        HGDIOBJ old = SelectObject(dc, f);
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        wchar_t face[LF_FACESIZE] = {};
        GetTextFaceW(dc, LF_FACESIZE, face);
        SelectObject(dc, old);
        DeleteObject(f);
        ReleaseDC(nullptr, dc);
        if (!(tm.tmPitchAndFamily & TMPF_TRUETYPE) && lstrcmpiW(face, name) == 0) {
            rasterName = name;
            break;
        }
    }
    if (!rasterName) {
        GTEST_SKIP() << "no raster font installed under this platform";
    }
    label.Font().SetName(rasterName);
    EXPECT_EQ(label.Angle(), 0);
}

TEST(RzLabel, RotatedTextInkAndTheDCGivenBack) {
    TRzLabel label(nullptr);
    PlainLabel(label, 40, 90, -16, L"中文字");
    label.SetRotation(roFlat);
    label.SetAngle(90);
    ASSERT_EQ(label.Angle(), 90);
    TBitmap bmp;
    bmp.SetSize(40, 90);
    FillSurface(bmp, clWhite);
    HDC dc = bmp.Canvas().Handle();
    const UINT align = GetTextAlign(dc);
    const int mode = GetBkMode(dc);
    const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    label.Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    // Three characters up the label: the ink is much taller than wide.
    int left = 99, right = -1, top = 99, bottom = -1;
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 40; ++x)
            if (PixelAt(bmp, x, y) != 0xFFFFFFu) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, 0) << "no text drawn";
    EXPECT_GT(bottom - top, 2 * (right - left));
    // The rotated font, alignment and background mode do not outlive the paint.
    EXPECT_EQ(GetTextAlign(dc), align);
    EXPECT_EQ(GetBkMode(dc), mode);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    // Each paint makes its rotated font in a counted handle and frees it.
    const int live = GdiLiveTotal();
    const int64_t fonts = GdiCreatedCount(TGdiKind::Font);
    for (int i = 0; i < 100; ++i)
        label.Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    EXPECT_EQ(GdiLiveTotal(), live);
    EXPECT_GE(GdiCreatedCount(TGdiKind::Font) - fonts, 100);
}
