// TBitmap implementation.
#include "framework/gdi/bitmap.h"

#include "framework/core/stream.h"
#include "framework/gdi/bitmap_format.h"
#include "framework/gdi/bmp_codec.h"

#include <algorithm>
#include <cstring>
#include <optional>

int PixelFormatBits(TPixelFormat format) {
    static const int bits[] = {1, 4, 8, 24, 32};
    return bits[static_cast<int>(format)];
}

TPixelFormat PixelFormatOfBits(int bits) {
    switch (bits) {
    case 1:
        return TPixelFormat::pf1bit;
    case 4:
        return TPixelFormat::pf4bit;
    case 8:
        return TPixelFormat::pf8bit;
    case 24:
        return TPixelFormat::pf24bit;
    default:
        return TPixelFormat::pf32bit;
    }
}

// The bitmap's own canvas: a memory DC holding the bitmap, made on demand.
class TBitmap::TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap& owner) : owner_(owner) {}
    ~TBitmapCanvas() override { Free(); }
    // Lets go of the DC and the bitmap selection.
    void Free() {
        SetHandle(nullptr);
        selection_.reset();
        dc_.reset();
    }

protected:
    void CreateHandle() override {
        owner_.Make();
        dc_.emplace(nullptr);
        if (owner_.handle_) {
            selection_.emplace(dc_->Handle(), owner_.handle_.Get());
        }
        SetHandle(dc_->Handle());
    }

private:
    TBitmap& owner_;
    std::optional<TMemoryDC> dc_;
    std::optional<TSelectObject> selection_;
};

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format) {
    format_ = format;
    Recreate(width, height, format, DefaultPalette(PixelFormatBits(format)), false);
}

TBitmap::~TBitmap() {
    FreeContext();
}

void TBitmap::FreeContext() {
    if (canvas_) {
        canvas_->Free();
    }
}

void TBitmap::Changed() {
    if (OnChange) {
        OnChange(*this);
    }
}

// Replaces the DIB; see the header.
void TBitmap::Recreate(int width, int height, TPixelFormat format, std::vector<uint32_t> palette,
                       bool keepPixels) {
    FreeContext();
    const int bits = PixelFormatBits(format);
    if (bits > 8) {
        palette.clear();
    }
    uint8_t* pixels = nullptr;
    if (keepPixels) {
        Make();
    }
    TBitmapHandle fresh(CreateTopDownDib(width, height, bits, palette, &pixels));
    if (width > 0 && height > 0 && !fresh) {
        throw EOutOfMemory(L"Cannot create a bitmap of this size");
    }
    DropKept();
    if (keepPixels && fresh && handle_) {
        TMemoryDC src(nullptr), dst(nullptr);
        TSelectObject s(src.Handle(), handle_.Get()), d(dst.Handle(), fresh.Get());
        BitBlt(dst.Handle(), 0, 0, std::min(width, width_), std::min(height, height_), src.Handle(),
               0, 0, SRCCOPY);
        GdiFlush();
    }
    handle_ = std::move(fresh);
    bits_ = pixels;
    width_ = handle_ ? width : 0;
    height_ = handle_ ? height : 0;
    format_ = format;
    palette_ = std::move(palette);
    if (bits <= 8) {
        palette_.resize(size_t{1} << bits, 0);
    }
}

void TBitmap::Keep(int width, int height, TPixelFormat format, std::vector<uint32_t> palette,
                   std::vector<uint8_t> pixels) {
    FreeContext();
    handle_.Reset();
    bits_ = nullptr;
    DropKept();
    format_ = format;
    const int bits = PixelFormatBits(format);
    if (bits > 8) {
        palette.clear();
    } else {
        palette.resize(size_t{1} << bits, 0);
    }
    palette_ = std::move(palette);
    if (width <= 0 || height <= 0) {
        width_ = height_ = 0;
        return;
    }
    width_ = width;
    height_ = height;
    keptPixels_ = std::move(pixels);
    kept_ = true;
}

void TBitmap::Make() {
    if (!kept_) {
        return;
    }
    uint8_t* pixels = nullptr;
    TBitmapHandle fresh(
        CreateTopDownDib(width_, height_, PixelFormatBits(format_), palette_, &pixels));
    if (!fresh) {
        throw EOutOfMemory(L"Cannot create a bitmap of this size");
    }
    const size_t size = static_cast<size_t>(Stride()) * height_;
    std::memcpy(pixels, keptPixels_.data(), std::min(size, keptPixels_.size()));
    handle_ = std::move(fresh);
    bits_ = pixels;
    DropKept();
}

void TBitmap::DropKept() {
    std::vector<uint8_t>().swap(keptPixels_);
    kept_ = false;
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) {
        return;
    }
    std::vector<uint32_t> palette =
        palette_.empty() ? DefaultPalette(PixelFormatBits(format_)) : palette_;
    Recreate(width, height, format_, std::move(palette), true);
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == format_) {
        return;
    }
    if (Empty()) {
        format_ = format;
        return;
    }
    Recreate(width_, height_, format, DefaultPalette(PixelFormatBits(format)), true);
    Changed();
}

void TBitmap::SetColorTable(const std::vector<uint32_t>& colors) {
    if (PixelFormatBits(format_) > 8) {
        return;
    }
    palette_.assign(palette_.size(), 0);
    std::copy_n(colors.begin(), std::min(colors.size(), palette_.size()), palette_.begin());
    if (handle_) {
        std::vector<RGBQUAD> quads(palette_.size());
        for (size_t i = 0; i < quads.size(); ++i) {
            std::memcpy(&quads[i], &palette_[i], 4);
            quads[i].rgbReserved = 0;
        }
        SetDIBColorTable(Canvas().Handle(), 0, static_cast<UINT>(quads.size()), quads.data());
    }
    Changed();
}

uint8_t* TBitmap::ScanLine(int y) {
    Make();
    GdiFlush();
    return bits_ ? bits_ + static_cast<size_t>(y) * Stride() : nullptr;
}

const uint8_t* TBitmap::ScanLine(int y) const {
    // Making the DIB section does not change the picture itself.
    const_cast<TBitmap*>(this)->Make();
    GdiFlush();
    return bits_ ? bits_ + static_cast<size_t>(y) * Stride() : nullptr;
}

int TBitmap::Stride() const {
    return static_cast<int>(TBmpImage::RowStride(width_, PixelFormatBits(format_)));
}

TCanvas& TBitmap::Canvas() {
    if (!canvas_) {
        canvas_ = std::make_unique<TBitmapCanvas>(*this);
    }
    return *canvas_;
}

HBITMAP TBitmap::Handle() {
    Make();
    FreeContext();
    return handle_.Get();
}

HBITMAP TBitmap::ReleaseHandle() {
    Make();
    FreeContext();
    HBITMAP h = handle_.Release();
    bits_ = nullptr;
    width_ = height_ = 0;
    return h;
}

void TBitmap::SetTransparent(bool on) {
    if (on != transparent_) {
        transparent_ = on;
        Changed();
    }
}

TColor TBitmap::TransparentColor() {
    if (transparentColor_ != clDefault || Empty()) {
        return transparentColor_ == clDefault ? clBlack : transparentColor_;
    }
    return static_cast<TColor>(GetPixel(Canvas().Handle(), 0, height_ - 1) & 0xFFFFFF);
}

void TBitmap::SetTransparentColor(TColor color) {
    transparentColor_ = color;
    Changed();
}

void TBitmap::Assign(const TBitmap& source) {
    if (&source == this) {
        return;
    }
    if (source.Empty()) {
        Clear();
    } else if (source.kept_) {
        // Not made yet: copy the kept pixels and leave the DIB to first use.
        Keep(source.width_, source.height_, source.format_, source.palette_, source.keptPixels_);
    } else {
        Recreate(source.width_, source.height_, source.format_, source.palette_, false);
        GdiFlush();
        std::memcpy(bits_, source.bits_, static_cast<size_t>(Stride()) * height_);
    }
    transparent_ = source.transparent_;
    transparentColor_ = source.transparentColor_;
    Changed();
}

void TBitmap::Assign(const TPersistent& source) {
    if (auto* bitmap = dynamic_cast<const TBitmap*>(&source)) {
        Assign(*bitmap);
        return;
    }
    TPersistent::Assign(source);
}

void TBitmap::Clear() {
    FreeContext();
    DropKept();
    handle_.Reset();
    bits_ = nullptr;
    width_ = height_ = 0;
    Changed();
}
