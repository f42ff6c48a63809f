// Feeds arbitrary bytes to the BMP decoder, both as a file and as a packed
// DIB. A picture it accepts must be self-consistent and survive encoding and
// decoding again unchanged.
#include "framework/gdi/bmp_codec.h"

#include <cstdlib>

// Stops the run when a consistency rule is broken.
static void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Checks what an accepted picture must satisfy.
static void CheckAccepted(const TBmpImage& img) {
    Check(img.Width > 0 && img.Height > 0);
    Check(int64_t(img.Width) * img.Height <= kBmpMaxPixels);
    Check(img.Pixels.size() == img.Stride() * img.Height);
    if (img.BitsPerPixel <= 8) {
        Check(img.Palette.size() == (size_t{1} << img.BitsPerPixel));
    }
    const std::vector<uint8_t> again = EncodeBmp(img);
    TBmpImage back;
    std::string error;
    Check(DecodeBmp(again.data(), again.size(), back, error));
    Check(back.Pixels == img.Pixels && back.Palette == img.Palette);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TBmpImage img;
    std::string error;
    if (DecodeBmp(data, size, img, error)) {
        CheckAccepted(img);
    } else {
        Check(img.Empty() && img.Pixels.empty() && !error.empty());
    }
    if (size > 14 && DecodeDib(data + 14, size - 14, img, error)) {
        CheckAccepted(img);
    }
    return 0;
}
