// Progress-bar and track-bar skins: the filled part and the chunk strip,
// the custom-draw answers, and the painters that draw them.
#include "skin/controls/skin_bars.h"

#include "framework/core/class_builder.h"
#include "framework/gdi/bitmap.h"
#include "framework/gdi/paint_scope.h"
#include "framework/ui/messages.h"
#include "framework/ui/wincontrol.h"
#include "skin/draw/skin_draw.h"
#include "skin/model/skin_data.h"

LT_CLASS_TABLE(TSkinProgress) {}
LT_CLASS_TABLE(TSkinTrackBar) {}

void RegisterBarSkins() {
    RegisterClasses<TSkinProgress, TSkinTrackBar>();
}

namespace {

// Frames of the Progress picture: the empty bar, then the filled bar.
constexpr int kProgressFrames = 2;
// Cells of a thumb strip, and the one drawn.
constexpr int kThumbCells = 5;
constexpr int kThumbCell = 2;

// Frame k of the progress element over rect by the nine-part rule, magenta
// transparent (colour-on-colour keeps the key exact where it is stretched).
void DrawProgressFrame(HDC dc, const RECT& rect, TDataSkinObject& element, int n, int k) {
    DrawSkinElement(dc, rect, element.Picture, false, element.TilesMiddle(), true, n, k,
                    element.Margins(), COLORONCOLOR);
}

void FillSolid(HDC dc, const RECT& rect, TColor colour) {
    TBrushHandle brush(CreateSolidBrush(ColorToRGB(colour)));
    FillRect(dc, &rect, brush.Get());
}

// The thumb picture for the bar's direction: the vertical one for a
// vertical bar when the skin has it, else the horizontal one.
TDataSkinObject* ThumbPicture(TSkinData* data, bool vertical) {
    if (!data)
        return nullptr;
    auto usable = [](const std::unique_ptr<TDataSkinObject>& o) {
        return o && !o->Picture.Empty() ? o.get() : nullptr;
    };
    if (vertical && usable(data->TrackbarThumbVert))
        return data->TrackbarThumbVert.get();
    return usable(data->TrackbarThumbHorz);
}

} // namespace

RECT ProgressFillRect(const RECT& b, int pos, int max) {
    RECT f = b;
    f.right = b.left;
    if (max > 0 && pos > 0)
        f.right = b.left + MulDiv(b.right - b.left, pos, max);
    return f;
}

TChunkStrip ProgressChunkStrip(const RECT& r, int pos, int max, SIZE chunk, int leftWidth) {
    TChunkStrip s;
    s.Origin = POINT{r.left + leftWidth, r.top + (r.bottom - static_cast<int>(chunk.cy)) / 2};
    if (max > 0 && pos > 0)
        s.Length = MulDiv(r.right - r.left, pos, max);
    if (s.Length > 0 && chunk.cx > 0)
        s.Copies = s.Length / chunk.cx + 1;
    return s;
}

TTrackCustomDraw TrackBarCustomDraw(DWORD drawStage, DWORD_PTR itemSpec) {
    if (drawStage == CDDS_PREPAINT)
        return {CDRF_NOTIFYITEMDRAW, false};
    if (drawStage == CDDS_ITEMPREPAINT && itemSpec == TBCD_THUMB)
        return {CDRF_SKIPDEFAULT, true};
    // Tics, channel and every other stage: the bar's own drawing.
    return {CDRF_DODEFAULT, false};
}

// ---- progress bar ----

bool TSkinProgress::BeforeMessage(TMessage& msg) {
    switch (msg.Msg) {
    case WM_PAINT:
        if (!HasProgressPicture())
            return true;
        PaintThroughBeginPaint(msg);
        return false;
    case WM_ERASEBKGND:
        msg.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeMessage(msg);
    }
}

bool TSkinProgress::HasProgressPicture() const {
    return SkinData && SkinData->Progress && !SkinData->Progress->Picture.Empty();
}

int TSkinProgress::Position() const {
    return static_cast<int>(SendMessageW(Handle, PBM_GETPOS, 0, 0));
}

int TSkinProgress::Maximum() const {
    return static_cast<int>(SendMessageW(Handle, PBM_GETRANGE, FALSE, 0));
}

void TSkinProgress::PaintSkin(HDC dc, const RECT& rect) {
    if (!HasProgressPicture())
        return;
    if (SkinData->Progress->Style == 1)
        PaintChunked(dc, rect);
    else
        PaintStretched(dc, rect);
}

// The bar is built lying down in a bitmap; a vertical bar's is turned a
// quarter counter-clockwise so that it fills from the bottom. The copy
// leaves the window's bottom row alone.
void TSkinProgress::PaintStretched(HDC dc, const RECT& rect) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    const bool vertical = (GetWindowLongW(Handle, GWL_STYLE) & PBS_VERTICAL) != 0;
    const RECT b = vertical ? RECT{0, 0, h, w} : RECT{0, 0, w, h};
    if (b.right <= 0 || b.bottom <= 0)
        return;
    TDataSkinBorder& element = *SkinData->Progress;
    TBitmap bar(b.right, b.bottom, TPixelFormat::pf24bit);
    HDC bdc = bar.Canvas().Handle();
    FillSolid(bdc, b, FaceColour());
    DrawProgressFrame(bdc, b, element, kProgressFrames, 1);
    const RECT f = ProgressFillRect(b, Position(), Maximum());
    if (f.left < f.right)
        DrawProgressFrame(bdc, f, element, kProgressFrames, 2);
    if (vertical)
        RotateBitmapLeft(bar);
    BitBlt(dc, rect.left, rect.top, w, h - 1, bar.Canvas().Handle(), 0, 0, SRCCOPY);
}

// The whole picture as the trough, then a strip of chunk copies as long as
// the filled part, composed off screen and copied in one piece. A vertical
// bar is built lying down and turned like the stretched look, so that its
// chunks run up from the bottom (a strip across the bar's width alone would
// show one chunk in its middle).
void TSkinProgress::PaintChunked(HDC dc, const RECT& rect) {
    TDataSkinBorder& element = *SkinData->Progress;
    TBitmap& chunk = element.Picture2;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (chunk.Empty() || w <= 0 || h <= 0)
        return;
    const bool vertical = (GetWindowLongW(Handle, GWL_STYLE) & PBS_VERTICAL) != 0;
    const RECT b = vertical ? RECT{0, 0, h, w} : RECT{0, 0, w, h};
    TBitmap bar(b.right, b.bottom, TPixelFormat::pf24bit);
    HDC bdc = bar.Canvas().Handle();
    FillSolid(bdc, b, FaceColour());
    DrawProgressFrame(bdc, b, element, 1, 1);
    const SIZE size{chunk.Width(), chunk.Height()};
    const TChunkStrip s = ProgressChunkStrip(b, Position(), Maximum(), size, element.LeftWidth);
    if (s.Length > 0) {
        TBitmap strip(s.Length, size.cy, TPixelFormat::pf24bit);
        for (int i = 0; i < s.Copies; ++i)
            BitBlt(strip.Canvas().Handle(), i * size.cx, 0, size.cx, size.cy,
                   chunk.Canvas().Handle(), 0, 0, SRCCOPY);
        DrawTransparent(
            bdc, RECT{s.Origin.x, s.Origin.y, s.Origin.x + s.Length, s.Origin.y + size.cy}, strip);
    }
    if (vertical)
        RotateBitmapLeft(bar);
    BitBlt(dc, rect.left, rect.top, w, h, bar.Canvas().Handle(), 0, 0, SRCCOPY);
}

// ---- track bar ----

bool TSkinTrackBar::BeforeMessage(TMessage& msg) {
    switch (msg.Msg) {
    case WM_ERASEBKGND:
        msg.Result = 1;
        return false;
    case WM_NOTIFY:
    case CN_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(msg.LParam);
        if (!header || header->code != static_cast<UINT>(NM_CUSTOMDRAW))
            return true;
        const auto* draw = reinterpret_cast<const NMCUSTOMDRAW*>(header);
        const TTrackCustomDraw answer = TrackBarCustomDraw(draw->dwDrawStage, draw->dwItemSpec);
        if (answer.DrawThumb)
            DrawThumb(draw->hdc);
        msg.Result = answer.Answer;
        return false;
    }
    default:
        return TSkinControl::BeforeMessage(msg);
    }
}

void TSkinTrackBar::DrawThumb(HDC dc) {
    if (!Handle || !IsWindow(Handle))
        return;
    RECT thumb{};
    SendMessageW(Handle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const bool vertical = (GetWindowLongW(Handle, GWL_STYLE) & TBS_VERT) != 0;
    if (TDataSkinObject* picture = ThumbPicture(SkinData, vertical)) {
        DrawStripCell(dc, thumb, kThumbCells, kThumbCell, picture->Picture);
        return;
    }
    const TColor shadow = SkinData ? SkinData->ButtonShadowColour : clBtnShadow;
    TPenHandle pen(CreatePen(PS_SOLID, 1, ColorToRGB(shadow)));
    const TSelectObject usePen(dc, pen.Get());
    const TSelectObject useBrush(dc, GetStockObject(WHITE_BRUSH));
    Rectangle(dc, thumb.left, thumb.top, thumb.right, thumb.bottom);
}

void TSkinTrackBar::SkinChanged() {
    if (Control && Control->HandleAllocated() && IsWindowVisible(Control->Handle()))
        Control->SetFocus();
}
