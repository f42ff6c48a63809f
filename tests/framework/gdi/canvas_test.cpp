// TCanvas with its pen, brush and font, system colours, and the published
// properties of the drawing tools.
#include "framework/core/object.h"
#include "framework/gdi/bitmap.h"
#include "framework/gdi/canvas.h"
#include "tests/framework/gdi/pixel_test_util.h"

#include <gtest/gtest.h>

using namespace pixel_test;

TEST(Canvas, ShapesAndPixels) {
    TBitmap b(20, 12);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(0x0000FF);
    c.FillRect(RECT{0, 0, 20, 12});
    EXPECT_EQ(CountOther(b, 0, 0, 20, 12, 0x0000FF), 0);

    c.Brush().SetColor(0x00FF00); // the brush is reselected after a change
    c.FrameRect(RECT{2, 2, 8, 6});
    EXPECT_EQ(At(b, 2, 2), 0x00FF00);
    EXPECT_EQ(At(b, 7, 5), 0x00FF00);
    EXPECT_EQ(At(b, 4, 4), 0x0000FF);

    c.Pen().SetColor(0xFF0000);
    c.Brush().SetColor(0xFFFFFF);
    c.Rectangle(10, 2, 16, 8); // pen outline, brush inside
    EXPECT_EQ(At(b, 10, 2), 0xFF0000);
    EXPECT_EQ(At(b, 15, 7), 0xFF0000);
    EXPECT_EQ(At(b, 12, 4), 0xFFFFFF);
    EXPECT_EQ(At(b, 16, 8), 0x0000FF);

    c.MoveTo(0, 10);
    c.LineTo(5, 10); // the end point is not drawn
    EXPECT_EQ(At(b, 0, 10), 0xFF0000);
    EXPECT_EQ(At(b, 4, 10), 0xFF0000);
    EXPECT_EQ(At(b, 5, 10), 0x0000FF);
    EXPECT_EQ(c.PenPos().x, 5);

    c.SetPixel(19, 11, 0x123456);
    EXPECT_EQ(c.Pixel(19, 11), 0x123456);
    c.SetPixel(18, 11, clBtnFace);
    EXPECT_EQ(c.Pixel(18, 11), TColor(GetSysColor(COLOR_BTNFACE)));

    // Clipping limits drawing; the clip box reports it.
    c.IntersectClipRect(RECT{0, 0, 4, 4});
    EXPECT_EQ(c.ClipRect().right, 4);
    c.Brush().SetColor(0x000000);
    c.FillRect(RECT{0, 0, 20, 12});
    EXPECT_EQ(At(b, 3, 3), 0x000000);
    EXPECT_EQ(At(b, 5, 2), 0x00FF00); // outside the clip: still the frame
    EXPECT_EQ(At(b, 4, 4), 0x0000FF);
    c.SelectClipRegion(nullptr);
    EXPECT_EQ(c.ClipRect().right, 20);
}

TEST(Canvas, ToolChangesDoNotLeakAndSystemColours) {
    EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorToRGB(clHighlight), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ColorToRGB(0x00123456), 0x00123456u);
    EXPECT_EQ(clBtnFace, TColor(0xFF00000F));

    TBitmap b(4, 4);
    const int pens = GdiLiveCount(TGdiKind::Pen), brushes = GdiLiveCount(TGdiKind::Brush);
    for (int i = 0; i < 200; ++i) {
        b.Canvas().Pen().SetColor(i);
        b.Canvas().Brush().SetColor(i * 3);
        b.Canvas().Rectangle(0, 0, 4, 4);
    }
    EXPECT_EQ(At(b, 1, 1), 199 * 3);
    EXPECT_LE(GdiLiveCount(TGdiKind::Pen), pens + 1); // the current pen only
    EXPECT_LE(GdiLiveCount(TGdiKind::Brush), brushes + 1);
    b.Clear(); // the canvas lets go of its DC; the tools stay with it
    EXPECT_EQ(GdiLiveCount(TGdiKind::MemoryDC), 0);

    // A canvas on a borrowed DC puts the DC's own objects back.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ pen0 = GetCurrentObject(dc, OBJ_PEN);
    {
        TCanvas c(dc);
        c.Pen().SetWidth(3);
        c.LineTo(1, 1);
        EXPECT_NE(GetCurrentObject(dc, OBJ_PEN), pen0);
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen0);
    DeleteDC(dc);
}

TEST(Canvas, ChineseTextWithSongTiAndGb2312) {
    TBitmap b(120, 30);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(0xFFFFFF);
    c.FillRect(RECT{0, 0, 120, 30});
    c.Font().SetName(L"宋体");
    c.Font().SetCharset(GB2312_CHARSET);
    c.Font().SetHeight(-16);
    c.Font().SetColor(0x0000FF);
    int changes = 0;
    c.Font().OnChange = [&](TGraphicsObject&) { ++changes; };
    c.Font().SetStyle(TFontStyles{fsBold});
    EXPECT_EQ(changes, 1);
    const SIZE one = c.TextExtent(L"中"), two = c.TextExtent(L"中文");
    EXPECT_EQ(two.cx, 2 * one.cx);
    EXPECT_GE(one.cx, 14); // a full-width glyph, not a placeholder box of a Latin font
    EXPECT_EQ(GetTextCharset(c.Handle()), GB2312_CHARSET);
    c.Brush().SetStyle(TBrushStyle::bsClear);
    c.TextOut(2, 2, L"中文");
    int inked = 0, offColour = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 120; ++x) {
            const TColor p = At(b, x, y);
            inked += p != 0xFFFFFF;
            offColour += (p & 0xFF) != 0xFF; // every stroke pixel keeps full red
        }
    }
    EXPECT_GT(inked, 60); // the strokes of two Chinese characters
    EXPECT_EQ(offColour, 0);
    EXPECT_EQ(CountOther(b, 2 + two.cx + 2, 0, 120, 30, 0xFFFFFF), 0);
    RECT r{0, 0, 120, 30};
    EXPECT_GT(c.DrawText(L"中文", r, DT_CALCRECT | DT_SINGLELINE), 0);
    EXPECT_EQ(r.right, two.cx);
}

TEST(Canvas, DrawingToolsArePublishedObjects) {
    TFont font;
    EXPECT_EQ(font.ClassName(), "TFont");
    EXPECT_TRUE(font.InheritsFrom("TPersistent"));
    const TPropInfo* color = font.ClassInfo().FindProperty("color");
    ASSERT_NE(color, nullptr);
    color->setOrd(font, clBtnText);
    EXPECT_EQ(font.Color(), clBtnText);
    int32_t v = 0;
    ASSERT_NE(color->identMap, nullptr);
    EXPECT_TRUE(color->identMap->ToInt("clBtnFace", v));
    EXPECT_EQ(v, clBtnFace);
    const TPropInfo* charset = font.ClassInfo().FindProperty("Charset");
    ASSERT_NE(charset, nullptr);
    EXPECT_TRUE(charset->identMap->ToInt("GB2312_CHARSET", v));
    EXPECT_EQ(v, GB2312_CHARSET);
    font.ClassInfo().FindProperty("Name")->setWide(font, L"Tahoma");
    EXPECT_EQ(font.Name(), L"Tahoma");
    font.ClassInfo().FindProperty("Style")->setOrd(font, 1 << fsItalic);
    EXPECT_TRUE(font.Style().Contains(fsItalic));
    EXPECT_EQ(font.LogFont().lfItalic, 1);

    TPen pen;
    pen.ClassInfo().FindProperty("Width")->setOrd(pen, 4);
    EXPECT_EQ(pen.Width(), 4);
    TBrush brush;
    brush.ClassInfo().FindProperty("Style")->setOrd(brush, int(TBrushStyle::bsClear));
    EXPECT_EQ(brush.Style(), TBrushStyle::bsClear);
    TBrush copy;
    copy.Assign(static_cast<const TPersistent&>(brush));
    EXPECT_EQ(copy.Style(), TBrushStyle::bsClear);
}
