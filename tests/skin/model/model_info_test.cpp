// The skin inspection writers used by skininfo: the model as JSON and the
// sheet of every picture.
#include <gtest/gtest.h>

#include "tests/skin/model/model_fixture.h"
#include "tools/skininfo/skin_json.h"
#include "tools/skininfo/skin_preview.h"
#include "tools/skininfo/skin_sheet.h"

using namespace model_test;

TEST(SkinInfo, JsonCarriesTheModel) {
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadBytes(data, ProjectSkin()));
    std::string json = SkinModelJson(data);
    EXPECT_NE(json.find("\"skinName\": \"XPLuna\""), std::string::npos);
    EXPECT_NE(json.find("\"skinEmpty\": false"), std::string::npos);
    EXPECT_NE(
        json.find("\"TopBorder\": {\"name\": \"Top\", \"picture\": [60, 58, 8], \"frames\": 2, "
                  "\"margins\": [25, 0, 32, 0]"),
        std::string::npos);
    EXPECT_NE(json.find("\"name\": \"BUTTON0\", \"picture\": [126, 21, 8], \"frames\": 6"),
              std::string::npos);
    EXPECT_NE(json.find("\"action\": 9, \"align\": 100, \"xcoord\": 19"), std::string::npos);
    EXPECT_NE(json.find("\"UpDownHorz\": null"), std::string::npos);
    EXPECT_NE(json.find("\"extraColours\": [\"0x00000000\", \"0x00D54600\", \"0x00FFFFFF\", "
                        "\"0x0092A1A1\"]"),
              std::string::npos);
    // Braces and brackets balance outside strings.
    int depth = 0;
    bool inString = false;
    for (size_t i = 0; i < json.size(); ++i) {
        char c = json[i];
        if (c == '"' && (i == 0 || json[i - 1] != '\\'))
            inString = !inString;
        else if (!inString && (c == '{' || c == '['))
            ++depth;
        else if (!inString && (c == '}' || c == ']')) {
            ASSERT_GE(--depth, 0) << i;
        }
    }
    EXPECT_EQ(depth, 0);
    EXPECT_FALSE(inString);
}

TEST(SkinInfo, SheetHoldsEveryPictureUnchanged) {
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadBytes(data, ProjectSkin()));
    TSkinSheet sheet = DrawSkinSheet(data, 400);
    ASSERT_TRUE(sheet.Bitmap);
    // 4 borders, 3 button strips, 7 caption-button pictures (the icon button
    // has none), and the 18 optional objects' pictures, with a second one
    // for Tabs and ComboButton.
    EXPECT_EQ(sheet.Places.size(), 4u + 3u + 7u + 18u + 2u);
    for (size_t i = 0; i < sheet.Places.size(); ++i) {
        const RECT& r = sheet.Places[i].Bounds;
        EXPECT_LE(r.right, sheet.Bitmap->Width());
        EXPECT_LE(r.bottom, sheet.Bitmap->Height());
        for (size_t j = 0; j < i; ++j) {
            RECT both;
            EXPECT_FALSE(IntersectRect(&both, &r, &sheet.Places[j].Bounds))
                << sheet.Places[i].Label << " / " << sheet.Places[j].Label;
        }
    }
    EXPECT_EQ(sheet.Places[2].Label, "TopBorder.Picture");
    const RECT& top = sheet.Places[2].Bounds;
    EXPECT_EQ(top.right - top.left, 60);
    for (int y : {0, 14, 40, 57})
        for (int x : {0, 20, 59})
            EXPECT_EQ(PixelOf(*sheet.Bitmap, top.left + x, top.top + y),
                      PixelOf(data.TopBorder->Picture, x, y));
    // Background between pictures.
    EXPECT_EQ(PixelOf(*sheet.Bitmap, 1, 1), 0x00808080u);
    // An empty skin has nothing to show.
    TSkinData empty(nullptr);
    EXPECT_FALSE(DrawSkinSheet(empty).Bitmap);
}

TEST(SkinInfo, PreviewShowsTheDesktopThroughTheRoundedCorners) {
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadBytes(data, ProjectSkin()));
    std::unique_ptr<TBitmap> preview = DrawSkinPreview(data);
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->Width(), 750);
    const uint32_t desktop = 0x00A56E3A;
    for (int x0 : {10, 380}) {
        // The magenta outside the title's rounded corners is left out.
        EXPECT_EQ(PixelOf(*preview, x0, 0), desktop);
        EXPECT_EQ(PixelOf(*preview, x0 + 359, 0), desktop);
        // The title bar below the corner and the button face of the client.
        EXPECT_NE(PixelOf(*preview, x0 + 1, 12), desktop);
        EXPECT_EQ(PixelOf(*preview, x0 + 180, 200), static_cast<uint32_t>(data.ButtonFaceColour));
    }
    // Active and inactive title bars differ.
    EXPECT_NE(PixelOf(*preview, 10 + 150, 14), PixelOf(*preview, 380 + 150, 14));
}
