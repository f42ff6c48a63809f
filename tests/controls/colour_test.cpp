// Colour arithmetic: exact numbers for primaries, greys, the dialog's button
// colours and every edge of the scales.
#include "controls/colour.h"

#include <gtest/gtest.h>

namespace {

struct Hsl {
    int h, s, l;
};

Hsl Split(TColor c) {
    uint8_t h, s, l;
    ColorToHueSatLum(c, h, s, l);
    return {h, s, l};
}

} // namespace

TEST(Colour, HueSatLumOfKnownColours) {
    auto check = [](TColor c, int h, int s, int l) {
        const Hsl v = Split(c);
        EXPECT_EQ(v.h, h) << std::hex << c;
        EXPECT_EQ(v.s, s) << std::hex << c;
        EXPECT_EQ(v.l, l) << std::hex << c;
    };
    check(0x0000FF, 0, 240, 120);   // red
    check(0x00FF00, 80, 240, 120);  // green
    check(0xFF0000, 160, 240, 120); // blue
    check(0xFF00FF, 200, 240, 120); // magenta: blue is the maximum, red ties it
    check(0xFFFFFF, 0, 0, 240);
    check(0x000000, 0, 0, 0);
    check(0x808080, 0, 0, 120);      // 128/255 * 240 = 120.47
    check(0xC0C0C0, 0, 0, 181);      // 192/255 * 240 = 180.7
    check(0x00F0F4F4, 40, 37, 228);  // the dialog buttons' face colour
    check(0x00149BF0, 25, 211, 122); // the default hot-track colour
    check(0x00743C00, 139, 240, 55); // the dialog buttons' frame colour
}

TEST(Colour, HueSatLumToColorScaleAndEdges) {
    EXPECT_EQ(HueSatLumToColor(0, 240, 120), 0x0000FF);
    EXPECT_EQ(HueSatLumToColor(0, 0, 0), 0x000000);
    EXPECT_EQ(HueSatLumToColor(0, 0, 240), 0xFFFFFF);
    EXPECT_EQ(HueSatLumToColor(123, 200, 0), 0x000000); // v <= 0 is black
    // Hue positions are spread over 239 steps: blue's hue 160 lands a little
    // past the sextant start, and hue 1 is a little past red.
    EXPECT_EQ(HueSatLumToColor(160, 240, 120), 0xFF0004);
    EXPECT_EQ(HueSatLumToColor(1, 240, 120), 0x0006FF);
    EXPECT_EQ(HueSatLumToColor(239, 240, 120), 0x0000FF);
    // The full circle is the same as hue 0, saturated or not.
    EXPECT_EQ(HueSatLumToColor(240, 240, 120), HueSatLumToColor(0, 240, 120));
    EXPECT_EQ(HueSatLumToColor(240, 100, 77), HueSatLumToColor(0, 100, 77));
    EXPECT_EQ(HueSatLumToColor(240, 0, 200), HueSatLumToColor(0, 0, 200));
    // Luminance above 240 clamps every channel to white.
    EXPECT_EQ(HueSatLumToColor(25, 211, 255), 0xFFFFFF);
    EXPECT_EQ(HueSatLumToColor(0, 0, 250), 0xFFFFFF);
}

TEST(Colour, DarkenAndLighten) {
    EXPECT_EQ(DarkenColor(clBlack, 50), clBlack);
    EXPECT_EQ(DarkenColor(clBlack, 0), clBlack);
    EXPECT_EQ(LightenColor(clWhite, 50), clWhite);
    EXPECT_EQ(LightenColor(clWhite, 255), clWhite);
    // A mid grey lightened by 100 stays grey (luminance 220 of 240).
    EXPECT_EQ(LightenColor(0x808080, 100), 0xEAEAEA);
    // Luminance above 140 passes 240 and clamps to white.
    EXPECT_EQ(LightenColor(0x00F0F4F4, 100), clWhite);
    EXPECT_EQ(LightenColor(0xC0C0C0, 100), clWhite);
    // The dialog buttons' face shades.
    EXPECT_EQ(DarkenColor(0x00F0F4F4, 10), 0xE4EBEB);
    EXPECT_EQ(DarkenColor(0x00F0F4F4, 20), 0xD8E2E2);
    EXPECT_EQ(DarkenColor(0x00F0F4F4, 30), 0xCBD9D9);
    EXPECT_EQ(DarkenColor(0x00F0F4F4, 80), 0x8EACAC);
    EXPECT_EQ(LightenColor(0x00F0F4F4, 30), clWhite);
    EXPECT_EQ(DarkenColor(0x0000FF, 50), 0x000095);
    // Darkening by more than the luminance floors at black.
    EXPECT_EQ(DarkenColor(0x00743C00, 200), clBlack);
    // Parent shades of the hot-tracking outer frame.
    EXPECT_EQ(DarkenColor(0xC0C0C0, 20), 0xABABAB);
    EXPECT_EQ(LightenColor(0xC0C0C0, 20), 0xD6D6D6);
    EXPECT_EQ(DarkenColor(0xD4D0C8, 20), 0xC1BCB0);
    EXPECT_EQ(LightenColor(0xD4D0C8, 20), 0xE7E4E0);
}

TEST(Colour, ShiftColorPicksTheDirection) {
    EXPECT_EQ(ShiftColor(0x00F0F4F4, -20), DarkenColor(0x00F0F4F4, 20));
    EXPECT_EQ(ShiftColor(0x808080, 30), LightenColor(0x808080, 30));
    EXPECT_EQ(ShiftColor(0x808080, 30), 0x9F9F9F);
    // Zero returns the value untouched, even a system colour constant.
    EXPECT_EQ(ShiftColor(clBtnShadow, 0), clBtnShadow);
    EXPECT_EQ(ShiftColor(0x123456, 0), 0x123456);
}

TEST(Colour, MixColorsWeights) {
    EXPECT_EQ(MixColors(0x123456, 0xABCDEF, 255), 0x123456);
    EXPECT_EQ(MixColors(0x123456, 0xABCDEF, 0), 0xABCDEF);
    EXPECT_EQ(MixColors(clWhite, 0x00149BF0, 190), 0xC3E6FB);
    // 128/255 of 255 = 128.0 after single-precision rounding; 127 of the other.
    EXPECT_EQ(MixColors(0x0000FF, 0xFF0000, 128), 0x7F0080);
    EXPECT_EQ(MixColors(clBlack, clWhite, 1), 0xFEFEFE);
}

TEST(Colour, ColorsNearAndOpposite) {
    EXPECT_TRUE(ColorsNear(0x808080, 0x808080));
    EXPECT_TRUE(ColorsNear(0xC0C0C0, 0xA0A0A0));  // luminance 181 vs 151
    EXPECT_FALSE(ColorsNear(0xC0C0C0, 0x606060)); // 181 vs 90
    EXPECT_FALSE(ColorsNear(0x0000FF, 0x00FF00)); // hue 0 vs 80
    EXPECT_TRUE(ColorsNear(0x0000FF, 0x0010FF));  // hue 0 vs 4
    // Hue 25 + 120 = 145 at full saturation, luminance 180.
    EXPECT_EQ(OppositeColor(0x00149BF0, 180), 0xFFAD80);
    EXPECT_EQ(DarkenColor(OppositeColor(0x00149BF0, 180), 30), 0xFF8040);
    // Hue 160 (blue) wraps down to 40.
    EXPECT_EQ(OppositeColor(0xFF0000, 120), HueSatLumToColor(40, 240, 120));
}

TEST(Colour, SystemColoursResolveFirst) {
    const TColor face = static_cast<TColor>(ColorToRGB(clBtnFace));
    EXPECT_EQ(DarkenColor(clBtnFace, 20), DarkenColor(face, 20));
    EXPECT_EQ(MixColors(clBtnFace, clBlack, 255), face);
    const Hsl a = Split(clBtnFace), b = Split(face);
    EXPECT_EQ(a.l, b.l);
    EXPECT_EQ(a.h, b.h);
}
