// TBitmap: BMP input and output through the portable codec.
#include "framework/core/stream.h"
#include "framework/core/utf8.h"
#include "framework/gdi/bitmap.h"
#include "framework/gdi/bmp_codec.h"

#include <cstring>
#include <utility>

void TBitmap::LoadFromBmpBytes(const uint8_t* data, size_t size) {
    TBmpImage image;
    std::string error;
    if (!DecodeBmp(data, size, image, error)) {
        Clear();
        throw EInvalidGraphic(L"Bitmap image is not valid: " + Utf8ToWide(error));
    }
    Keep(image.Width, image.Height, PixelFormatOfBits(image.BitsPerPixel), std::move(image.Palette),
         std::move(image.Pixels));
    Changed();
}

std::vector<uint8_t> TBitmap::SaveToBmpBytes() const {
    if (Empty()) {
        return {};
    }
    TBmpImage image;
    image.Width = width_;
    image.Height = height_;
    image.BitsPerPixel = PixelFormatBits(format_);
    image.Palette = palette_;
    if (kept_) { // not made yet: the kept rows are the picture
        image.Pixels = keptPixels_;
        return EncodeBmp(image);
    }
    const uint8_t* first = ScanLine(0);
    image.Pixels.assign(first, first + static_cast<size_t>(Stride()) * height_);
    return EncodeBmp(image);
}

void TBitmap::LoadFromStream(TStream& stream) {
    const int64_t available = stream.Size() - stream.Position();
    uint8_t fileHeader[14] = {};
    if (available < 14) {
        Clear();
        throw EInvalidGraphic(L"Bitmap image is not valid: file too short");
    }
    stream.ReadBuffer(fileHeader, 14);
    uint32_t declared = 0;
    std::memcpy(&declared, fileHeader + 2, 4);
    const int64_t total = (declared > 14 && declared <= available) ? declared : available;
    std::vector<uint8_t> bytes(static_cast<size_t>(total));
    std::memcpy(bytes.data(), fileHeader, 14);
    stream.ReadBuffer(bytes.data() + 14, static_cast<int32_t>(total - 14));
    LoadFromBmpBytes(bytes.data(), bytes.size());
}

void TBitmap::SaveToStream(TStream& stream) const {
    const std::vector<uint8_t> bytes = SaveToBmpBytes();
    if (!bytes.empty()) {
        stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    }
}

void TBitmap::LoadFromFile(const std::string& utf8Path) {
    TFileStream file(utf8Path, TFileMode::OpenRead);
    LoadFromStream(file);
}

void TBitmap::SaveToFile(const std::string& utf8Path) const {
    TFileStream file(utf8Path, TFileMode::Create);
    SaveToStream(file);
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const wchar_t* name) {
    HRSRC res = FindResourceW(instance, name, MAKEINTRESOURCEW(2)); // RT_BITMAP
    HGLOBAL mem = res ? LoadResource(instance, res) : nullptr;
    const void* data = mem ? LockResource(mem) : nullptr;
    if (!data) {
        Clear();
        throw EInvalidGraphic(L"Bitmap resource not found");
    }
    TBmpImage image;
    std::string error;
    if (!DecodeDib(static_cast<const uint8_t*>(data), SizeofResource(instance, res), image,
                   error)) {
        Clear();
        throw EInvalidGraphic(L"Bitmap resource is not valid: " + Utf8ToWide(error));
    }
    Keep(image.Width, image.Height, PixelFormatOfBits(image.BitsPerPixel), std::move(image.Palette),
         std::move(image.Pixels));
    Changed();
}
