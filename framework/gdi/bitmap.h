// TBitmap: a device-independent bitmap (DIB section, rows top-down) with
// direct pixel access, a canvas for drawing on it, a transparent colour and
// BMP loading/saving. A picture read from BMP bytes keeps its decoded pixels
// in memory and makes its DIB section only when the handle, the bits or the
// canvas are first needed, so pictures that are never drawn cost no GDI
// object.
#pragma once

#include "framework/core/exception.h"
#include "framework/core/persistent.h"
#include "framework/gdi/canvas.h"
#include "framework/gdi/color.h"
#include "framework/gdi/gdi_handles.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TStream;

LT_DECLARE_EXCEPTION(EInvalidGraphic, Exception);

enum class TPixelFormat { pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };

// Bits per pixel of a format, and the format of a bit count (pf32bit when unknown).
int PixelFormatBits(TPixelFormat format);
TPixelFormat PixelFormatOfBits(int bits);

// A framework object (TPersistent), so that controls can publish their
// pictures and code can read and assign them by property name.
class TBitmap : public TPersistent {
    LT_CLASS(TBitmap, TPersistent)
public:
    TBitmap();
    TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf32bit);
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;
    ~TBitmap() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return !handle_ && !kept_; }
    // Resizing keeps the overlapping top-left part; new pixels are black
    // (index 0 for palette formats).
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }
    void SetSize(int width, int height);
    TPixelFormat PixelFormat() const { return format_; }
    // Converts the pixels to another format (palette formats get the default
    // palette of their size; colours map to the nearest entry).
    void SetPixelFormat(TPixelFormat format);
    // Palette (0x00RRGGBB entries) of 1-, 4- and 8-bit bitmaps.
    const std::vector<uint32_t>& ColorTable() const { return palette_; }
    void SetColorTable(const std::vector<uint32_t>& colors);

    // First byte of row y (rows top-down); pending GDI drawing is flushed.
    uint8_t* ScanLine(int y);
    const uint8_t* ScanLine(int y) const;
    // Bytes per row.
    int Stride() const;

    // The canvas drawing on this bitmap (its DC is made on first use).
    TCanvas& Canvas();
    // The bitmap handle, still owned by this object. The canvas lets go of it
    // first so that the caller may select it into another DC.
    HBITMAP Handle();
    // Gives up the handle; the caller owns it and this bitmap becomes empty.
    HBITMAP ReleaseHandle();

    // Transparent drawing by Canvas::Draw; the transparent colour is the
    // bottom-left pixel unless set explicitly (clDefault restores that).
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    TColor TransparentColor();
    void SetTransparentColor(TColor color);

    // Makes this bitmap a deep copy of another (pixels, format, palette,
    // transparency).
    void Assign(const TBitmap& source);
    // The same from any persistent object that is a bitmap (EConvertError
    // otherwise).
    void Assign(const TPersistent& source) override;
    // Frees the picture; the bitmap becomes empty.
    void Clear();

    // BMP input/output. A malformed picture leaves the bitmap empty and throws
    // EInvalidGraphic with the reason.
    void LoadFromBmpBytes(const uint8_t* data, size_t size);
    std::vector<uint8_t> SaveToBmpBytes() const;
    // Reads one BMP file from the stream's position (its length from the file
    // header when plausible, else the rest of the stream).
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    void LoadFromFile(const std::string& utf8Path);
    void SaveToFile(const std::string& utf8Path) const;
    // Loads an RT_BITMAP resource.
    void LoadFromResourceName(HINSTANCE instance, const wchar_t* name);

    // Called after the picture changes through this object's methods.
    std::function<void(TBitmap&)> OnChange;

private:
    class TBitmapCanvas;
    friend class TBitmapCanvas;
    // Replaces the DIB, optionally copying the old pixels across.
    void Recreate(int width, int height, TPixelFormat format, std::vector<uint32_t> palette,
                  bool keepPixels);
    void FreeContext();
    void Changed();
    // Holds decoded pixels without a DIB section yet (the picture is not empty).
    void Keep(int width, int height, TPixelFormat format, std::vector<uint32_t> palette,
              std::vector<uint8_t> pixels);
    // Makes the DIB section of kept pixels now; every use of handle_ or bits_
    // goes through it first. A no-op once made.
    void Make();
    // Drops kept pixels that were never made.
    void DropKept();

    TBitmapHandle handle_;
    uint8_t* bits_ = nullptr;
    // Rows of a picture whose DIB section is not made yet (kept_ is true).
    std::vector<uint8_t> keptPixels_;
    bool kept_ = false;
    int width_ = 0;
    int height_ = 0;
    TPixelFormat format_ = TPixelFormat::pf32bit;
    std::vector<uint32_t> palette_;
    bool transparent_ = false;
    TColor transparentColor_ = clDefault;
    std::unique_ptr<TBitmapCanvas> canvas_;
};
