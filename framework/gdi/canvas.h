// TCanvas: drawing on any device context with a pen, a brush and a font.
// The tools are selected lazily before each operation that needs them, and
// the DC's original objects are put back when the canvas lets go of the DC.
#pragma once

#include "framework/gdi/color.h"
#include "framework/gdi/font.h"
#include "framework/gdi/pen_brush.h"

#include "framework/gdi/gdi_windows.h"

#include <string>

class TBitmap;

class TCanvas {
public:
    TCanvas();
    // A canvas on a DC the caller owns (borrowed).
    explicit TCanvas(HDC dc);
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;
    virtual ~TCanvas();

    // The DC, made on demand by canvases that own one (bitmap canvases).
    HDC Handle();
    // Binds the canvas to another DC (null to let go); the old DC gets its
    // original objects back.
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return dc_ != nullptr; }

    TFont& Font() { return font_; }
    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }
    // Raster operation of CopyRect and Draw (SRCCOPY by default).
    DWORD CopyMode() const { return copyMode_; }
    void SetCopyMode(DWORD rop) { copyMode_ = rop; }

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    POINT PenPos();
    void Polyline(const POINT* points, int count);
    void FillRect(const RECT& r);
    void FrameRect(const RECT& r);
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const RECT& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
    void RoundRect(int left, int top, int right, int bottom, int cornerW, int cornerH);
    void Ellipse(int left, int top, int right, int bottom);

    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);

    void TextOut(int x, int y, const std::wstring& text);
    // Text clipped to a rectangle (the background is filled unless the brush is clear).
    void TextRect(const RECT& r, int x, int y, const std::wstring& text);
    SIZE TextExtent(const std::wstring& text);
    int TextWidth(const std::wstring& text) { return TextExtent(text).cx; }
    int TextHeight(const std::wstring& text) { return TextExtent(text).cy; }
    // DrawTextW with the canvas font; returns its result (the text height).
    int DrawText(const std::wstring& text, RECT& r, UINT format);

    // Bounding box of the current clipping region.
    RECT ClipRect();
    void IntersectClipRect(const RECT& r);
    void ExcludeClipRect(const RECT& r);
    // Replaces the clipping region (null removes clipping); the region is copied.
    void SelectClipRegion(HRGN region);

    // Copies (stretching when the sizes differ) from another canvas with CopyMode.
    void CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect);
    // Draws a bitmap at its own size; honours its Transparent setting.
    void Draw(int x, int y, TBitmap& bitmap);
    // Draws a bitmap stretched into a rectangle.
    void StretchDraw(const RECT& r, TBitmap& bitmap);

protected:
    // Gives a canvas that owns its DC the chance to make one.
    virtual void CreateHandle() {}

private:
    enum : unsigned { kPen = 1, kBrush = 2, kFont = 4 };
    void Require(unsigned what);
    void Deselect(unsigned what);

    HDC dc_ = nullptr;
    unsigned selected_ = 0;
    HGDIOBJ oldPen_ = nullptr;
    HGDIOBJ oldBrush_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
    DWORD copyMode_ = SRCCOPY;
    TFont font_;
    TPen pen_;
    TBrush brush_;
};
