// Helpers of the skin model tests: small BMP files, hand-made archives and
// loading them into a TSkinData, and the project's own packed skin.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "framework/core/stream.h"
#include "skin/model/skin_data.h"
#include "tools/skininfo/skin_folder_pack.h"
#include "tools/skintool/skin_archive.h"

namespace model_test {

// A 24-bit BMP file of w x h pixels; pixel (x, y) gets colour(x, y) as
// 0x00BBGGRR (rows stored bottom-up as the format wants).
template <class F> std::vector<uint8_t> Bmp24(int w, int h, F colour) {
    int stride = (w * 3 + 3) & ~3;
    uint32_t size = 54 + static_cast<uint32_t>(stride * h);
    std::vector<uint8_t> b(size, 0);
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&b[at], &v, 4); };
    auto put16 = [&](size_t at, uint16_t v) { std::memcpy(&b[at], &v, 2); };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, size);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w));
    put32(22, static_cast<uint32_t>(h));
    put16(26, 1);
    put16(28, 24);
    put32(34, static_cast<uint32_t>(stride * h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t c = colour(x, y);
            size_t at = 54 + static_cast<size_t>((h - 1 - y) * stride + 3 * x);
            b[at] = static_cast<uint8_t>(c >> 16);
            b[at + 1] = static_cast<uint8_t>(c >> 8);
            b[at + 2] = static_cast<uint8_t>(c);
        }
    return b;
}

inline std::vector<uint8_t> Bmp24(int w, int h, uint32_t colour = 0x00336699) {
    return Bmp24(w, h, [colour](int, int) { return colour; });
}

inline TSkinArchiveFile Entry(std::string name, std::vector<uint8_t> data) {
    return TSkinArchiveFile{std::move(name), std::move(data)};
}

inline TSkinArchiveFile IniEntry(const std::string& text, std::string name = "skin.ini") {
    return TSkinArchiveFile{std::move(name), std::vector<uint8_t>(text.begin(), text.end())};
}

// Replaces the component's skin stream by bytes and loads it.
inline bool LoadBytes(TSkinData& data, const std::vector<uint8_t>& stream) {
    data.SkinStream().Clear();
    data.SkinStream().WriteBuffer(stream.data(), static_cast<int32_t>(stream.size()));
    return data.LoadSkin();
}

// Packs the files and loads them into the component.
inline bool LoadFiles(TSkinData& data, const std::vector<TSkinArchiveFile>& files) {
    return LoadBytes(data, PackSkinArchive(files));
}

// Folder of the project's skin sources.
inline std::string SkinDir() {
    return LT_SKIN_DIR;
}

// The project's skin packed in its archive order (cached: packing takes a moment).
inline const std::vector<uint8_t>& ProjectSkin() {
    static const std::vector<uint8_t> packed = PackSkinFolder(SkinDir());
    return packed;
}

// Colour of pixel (x, y) of a bitmap as 0x00BBGGRR.
// Makes the bitmaps of the caption buttons', push button's and menu bar's
// pictures (a loaded picture gets its bitmap on first use); answers how many
// pictures it used.
inline int UseSomePictures(TSkinData& data) {
    int used = 0;
    auto use = [&](TBitmap& b) {
        if (!b.Empty() && b.Handle()) {
            ++used;
        }
    };
    for (auto& button : data.CaptionButtons) {
        use(button->Picture);
    }
    if (data.Buttons) {
        use(data.Buttons->Picture);
    }
    if (data.MenuBar) {
        use(data.MenuBar->Picture);
    }
    return used;
}

inline uint32_t PixelOf(TBitmap& b, int x, int y) {
    return static_cast<uint32_t>(b.Canvas().Pixel(x, y));
}

// One expected row of a skin's caption-button table.
struct ButtonFacts {
    const char* name;
    int action, align, x, y, visibility, visibility1, frames, width, height;
};

// Compares the caption buttons with the expected rows, in order; the skin's
// own buttons (the first `own`) keep CombineOp -1, the MDI buttons have 0.
template <size_t N>
void ExpectCaptionButtons(const TSkinData& data, const ButtonFacts (&expected)[N], size_t own) {
    ASSERT_EQ(data.CaptionButtons.size(), N);
    for (size_t i = 0; i < N; ++i) {
        const ButtonFacts& e = expected[i];
        const TDataSkinSysButton& b = *data.CaptionButtons[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(b.Name, e.name);
        EXPECT_EQ(b.Action, e.action);
        EXPECT_EQ(b.Align, e.align);
        EXPECT_EQ(b.XCoord, e.x);
        EXPECT_EQ(b.YCoord, e.y);
        EXPECT_EQ(b.Visibility, e.visibility);
        EXPECT_EQ(b.Visibility1, e.visibility1);
        EXPECT_EQ(b.FrameCount, e.frames);
        EXPECT_EQ(b.Picture.Width(), e.width);
        EXPECT_EQ(b.Picture.Height(), e.height);
        EXPECT_EQ(b.CombineOp, i < own ? -1 : 0);
    }
}

} // namespace model_test
