// TImageList (masked images, drawing, disabled look) and TIcon.
#include "framework/gdi/image_list.h"
#include "tests/framework/gdi/pixel_test_util.h"

#include <gtest/gtest.h>

using namespace pixel_test;

namespace {
constexpr TColor kBg = 0x00123456;

// Two 4 x 4 images side by side: a 2 x 2 red square on magenta, then all blue.
void MakeStrip(TBitmap& strip) {
    strip.SetSize(8, 4);
    Fill(strip, 0, 0, 4, 4, 0xFF00FF);
    Fill(strip, 1, 1, 3, 3, 0x0000FF);
    Fill(strip, 4, 0, 8, 4, 0xFF0000);
}
} // namespace

TEST(ImageList, MaskedImagesDrawTransparently) {
    TImageList list(4, 4, true);
    EXPECT_EQ(list.Count(), 0);
    TBitmap strip;
    MakeStrip(strip);
    EXPECT_EQ(list.AddMasked(strip, clFuchsia), 0);
    EXPECT_EQ(list.Count(), 2);

    TBitmap dst(10, 6);
    Fill(dst, 0, 0, 10, 6, kBg);
    list.Draw(dst.Canvas(), 1, 1, 0);
    EXPECT_EQ(At(dst, 1, 1), kBg); // magenta left out
    EXPECT_EQ(At(dst, 2, 2), 0x0000FF);
    EXPECT_EQ(At(dst, 3, 3), 0x0000FF);
    EXPECT_EQ(At(dst, 4, 4), kBg);
    list.Draw(dst.Canvas(), 5, 1, 1);
    EXPECT_EQ(CountOther(dst, 5, 1, 9, 5, 0xFF0000), 0);
    list.Draw(dst.Canvas(), 0, 0, 7); // out of range: nothing
    EXPECT_EQ(At(dst, 0, 0), kBg);

    TBitmap copy;
    list.GetBitmap(0, copy, clWhite);
    EXPECT_EQ(At(copy, 0, 0), 0xFFFFFF);
    EXPECT_EQ(At(copy, 1, 1), 0x0000FF);

    EXPECT_TRUE(list.Delete(0));
    EXPECT_EQ(list.Count(), 1);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(GdiLiveCount(TGdiKind::ImageList), 1);
}

TEST(ImageList, DisabledLookIsEmbossedShape) {
    TImageList list(4, 4, true);
    TBitmap strip;
    MakeStrip(strip);
    list.AddMasked(strip, clFuchsia);
    TBitmap dst(8, 8);
    Fill(dst, 0, 0, 8, 8, kBg);
    list.Draw(dst.Canvas(), 2, 2, 0, false);
    const TColor shadow = TColor(ColorToRGB(clBtnShadow));
    const TColor light = TColor(ColorToRGB(clBtnHighlight));
    // Shape (1..2, 1..2 of the image) in shadow at (3..4, 3..4); highlight
    // moved by one shows at its right and bottom only.
    EXPECT_EQ(At(dst, 3, 3), shadow);
    EXPECT_EQ(At(dst, 4, 4), shadow);
    EXPECT_EQ(At(dst, 5, 5), light);
    EXPECT_EQ(At(dst, 5, 4), light);
    EXPECT_EQ(At(dst, 2, 2), kBg);
    EXPECT_EQ(At(dst, 6, 6), kBg);
    const int before = GdiLiveTotal();
    for (int i = 0; i < 100; ++i) {
        list.Draw(dst.Canvas(), 2, 2, 0, false);
    }
    EXPECT_EQ(GdiLiveTotal(), before);
}

TEST(Icon, OwnsCopiesAndDraws) {
    TBitmap colour(16, 16), mask(16, 16, TPixelFormat::pf1bit);
    Fill(colour, 0, 0, 16, 16, 0x00FF00);
    ICONINFO info{TRUE, 0, 0, mask.Handle(), colour.Handle()};
    HICON raw = CreateIconIndirect(&info);
    ASSERT_NE(raw, nullptr);
    const int icons = GdiLiveCount(TGdiKind::Icon);
    {
        TIcon icon;
        icon.SetHandle(raw);
        EXPECT_EQ(icon.Width(), 16);
        EXPECT_EQ(icon.Height(), 16);
        TIcon copy;
        copy.Assign(icon);
        EXPECT_NE(copy.Handle(), icon.Handle());
        EXPECT_EQ(GdiLiveCount(TGdiKind::Icon), icons + 2);
        TBitmap dst(20, 20);
        Fill(dst, 0, 0, 20, 20, kBg);
        copy.Draw(dst.Canvas(), 2, 2);
        EXPECT_EQ(At(dst, 2, 2), 0x00FF00);
        EXPECT_EQ(At(dst, 17, 17), 0x00FF00);
        EXPECT_EQ(At(dst, 18, 18), kBg);
        TImageList list(16, 16);
        EXPECT_EQ(list.AddIcon(icon), 0);
    }
    EXPECT_EQ(GdiLiveCount(TGdiKind::Icon), icons);
}

// Pictures are framework objects: class information, and copies made through
// the persistent interface that by-name property writes use.
TEST(ImageList, PicturesAreFrameworkObjectsCopiedByAssign) {
    TBitmap strip;
    MakeStrip(strip);
    TImageList list(4, 4);
    ASSERT_EQ(list.AddMasked(strip, 0xFF00FF), 0);
    EXPECT_EQ(list.ClassName(), "TImageList");
    EXPECT_TRUE(list.InheritsFrom(TComponent::StaticClass()));
    EXPECT_EQ(strip.ClassName(), "TBitmap");
    EXPECT_TRUE(strip.InheritsFrom(TPersistent::StaticClass()));

    // A list copy has the size, the setting and its own images.
    TComponent owner(nullptr);
    auto* copy = new TImageList(&owner);
    EXPECT_EQ(copy->Owner(), &owner);
    EXPECT_EQ(copy->Width(), 16);
    const TPersistent& source = list;
    copy->Assign(source);
    EXPECT_EQ(copy->Width(), 4);
    EXPECT_EQ(copy->Height(), 4);
    EXPECT_EQ(copy->Count(), 2);
    EXPECT_NE(copy->Handle(), list.Handle());
    list.Clear();
    EXPECT_EQ(copy->Count(), 2);
    TBitmap drawn(6, 6);
    Fill(drawn, 0, 0, 6, 6, kBg);
    copy->Draw(drawn.Canvas(), 1, 1, 0);
    EXPECT_EQ(At(drawn, 2, 2), 0x0000FF); // the red square, masked
    EXPECT_EQ(At(drawn, 1, 1), kBg);

    // A bitmap copy through TPersistent is deep; another class is refused.
    TBitmap picture;
    const TPersistent& persistentStrip = strip;
    picture.Assign(persistentStrip);
    EXPECT_EQ(picture.Width(), 8);
    EXPECT_EQ(At(picture, 5, 0), 0xFF0000);
    Fill(strip, 4, 0, 8, 4, 0x00FF00);
    EXPECT_EQ(At(picture, 5, 0), 0xFF0000);
    EXPECT_THROW(picture.Assign(static_cast<const TPersistent&>(list)), EConvertError);
    EXPECT_THROW(copy->Assign(static_cast<const TPersistent&>(strip)), EConvertError);
    TIcon icon;
    EXPECT_THROW(icon.Assign(static_cast<const TPersistent&>(strip)), EConvertError);
}
