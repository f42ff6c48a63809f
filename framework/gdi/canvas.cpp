// TCanvas implementation.
#include "framework/gdi/canvas.h"

#include "framework/gdi/bitmap.h"

TCanvas::TCanvas() {
    // A tool about to lose its handle must first leave the DC.
    pen_.beforeRelease_ = [this] { Deselect(kPen); };
    brush_.beforeRelease_ = [this] { Deselect(kBrush); };
    font_.beforeRelease_ = [this] { Deselect(kFont); };
}

TCanvas::TCanvas(HDC dc) : TCanvas() {
    dc_ = dc;
}

TCanvas::~TCanvas() {
    SetHandle(nullptr);
}

HDC TCanvas::Handle() {
    if (!dc_) {
        CreateHandle();
    }
    return dc_;
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == dc_) {
        return;
    }
    Deselect(kPen | kBrush | kFont);
    dc_ = dc;
}

// Selects the requested tools into the DC (once) and sets the DC colours
// that go with them.
void TCanvas::Require(unsigned what) {
    HDC dc = Handle();
    if (!dc) {
        return;
    }
    if ((what & kPen) && !(selected_ & kPen)) {
        oldPen_ = SelectObject(dc, pen_.Handle());
        SetROP2(dc, pen_.Mode());
        selected_ |= kPen;
    }
    if ((what & kBrush) && !(selected_ & kBrush)) {
        oldBrush_ = SelectObject(dc, brush_.Handle());
        SetBkColor(dc, ColorToRGB(brush_.Color()));
        SetBkMode(dc, brush_.Style() == TBrushStyle::bsClear ? TRANSPARENT : OPAQUE);
        selected_ |= kBrush;
    }
    if ((what & kFont) && !(selected_ & kFont)) {
        oldFont_ = SelectObject(dc, font_.Handle());
        SetTextColor(dc, ColorToRGB(font_.Color()));
        selected_ |= kFont;
    }
}

// Puts the DC's original objects back for the given tools.
void TCanvas::Deselect(unsigned what) {
    if (!dc_) {
        selected_ = 0;
        return;
    }
    if ((what & kPen) && (selected_ & kPen)) {
        SelectObject(dc_, oldPen_);
        selected_ &= ~kPen;
    }
    if ((what & kBrush) && (selected_ & kBrush)) {
        SelectObject(dc_, oldBrush_);
        selected_ &= ~kBrush;
    }
    if ((what & kFont) && (selected_ & kFont)) {
        SelectObject(dc_, oldFont_);
        selected_ &= ~kFont;
    }
}

void TCanvas::MoveTo(int x, int y) {
    MoveToEx(Handle(), x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    Require(kPen);
    ::LineTo(dc_, x, y);
}

POINT TCanvas::PenPos() {
    POINT p{};
    GetCurrentPositionEx(Handle(), &p);
    return p;
}

void TCanvas::Polyline(const POINT* points, int count) {
    Require(kPen);
    ::Polyline(dc_, points, count);
}

void TCanvas::FillRect(const RECT& r) {
    Require(kBrush);
    ::FillRect(dc_, &r, brush_.Handle());
}

void TCanvas::FrameRect(const RECT& r) {
    Require(kBrush);
    ::FrameRect(dc_, &r, brush_.Handle());
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    Require(kPen | kBrush);
    ::Rectangle(dc_, left, top, right, bottom);
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerW, int cornerH) {
    Require(kPen | kBrush);
    ::RoundRect(dc_, left, top, right, bottom, cornerW, cornerH);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    Require(kPen | kBrush);
    ::Ellipse(dc_, left, top, right, bottom);
}

TColor TCanvas::Pixel(int x, int y) {
    return static_cast<TColor>(GetPixel(Handle(), x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    ::SetPixel(Handle(), x, y, ColorToRGB(color));
}

void TCanvas::TextOut(int x, int y, const std::wstring& text) {
    Require(kFont | kBrush);
    ExtTextOutW(dc_, x, y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
    MoveToEx(dc_, x + TextExtent(text).cx, y, nullptr);
}

void TCanvas::TextRect(const RECT& r, int x, int y, const std::wstring& text) {
    Require(kFont | kBrush);
    UINT options = ETO_CLIPPED;
    if (brush_.Style() != TBrushStyle::bsClear) {
        options |= ETO_OPAQUE;
    }
    ExtTextOutW(dc_, x, y, options, &r, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

SIZE TCanvas::TextExtent(const std::wstring& text) {
    Require(kFont);
    SIZE s{};
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &s);
    return s;
}

int TCanvas::DrawText(const std::wstring& text, RECT& r, UINT format) {
    Require(kFont | kBrush);
    return ::DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &r, format);
}

RECT TCanvas::ClipRect() {
    RECT r{};
    GetClipBox(Handle(), &r);
    return r;
}

void TCanvas::IntersectClipRect(const RECT& r) {
    ::IntersectClipRect(Handle(), r.left, r.top, r.right, r.bottom);
}

void TCanvas::ExcludeClipRect(const RECT& r) {
    ::ExcludeClipRect(Handle(), r.left, r.top, r.right, r.bottom);
}

void TCanvas::SelectClipRegion(HRGN region) {
    SelectClipRgn(Handle(), region);
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect) {
    HDC dc = Handle();
    Require(kBrush); // pattern raster operations use the canvas brush
    StretchBlt(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top,
               source.Handle(), sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left,
               sourceRect.bottom - sourceRect.top, copyMode_);
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap) {
    StretchDraw(RECT{x, y, x + bitmap.Width(), y + bitmap.Height()}, bitmap);
}

void TCanvas::StretchDraw(const RECT& r, TBitmap& bitmap) {
    if (bitmap.Empty()) {
        return;
    }
    HDC dc = Handle();
    HDC src = bitmap.Canvas().Handle();
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (bitmap.Transparent()) {
        TransparentBlt(dc, r.left, r.top, w, h, src, 0, 0, bitmap.Width(), bitmap.Height(),
                       ColorToRGB(bitmap.TransparentColor()));
    } else {
        StretchBlt(dc, r.left, r.top, w, h, src, 0, 0, bitmap.Width(), bitmap.Height(), copyMode_);
    }
}
