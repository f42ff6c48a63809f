// Drawing utilities shared by every skinned surface: cutting a frame out of a
// skin picture and drawing it (nine-part stretch, three-part bar, cell,
// centred glyph), transparent copies with a key colour, tiling, window regions
// from pictures, whole-bitmap transforms, text helpers, the vertical gradient,
// the transparent glyph and the parent background under a control.
//
// The routines take the picture plus plain numbers (frame count, frame index,
// margins, flags), so they do not depend on the skin object classes. Every
// temporary bitmap is made and freed inside the call.
#pragma once

#include "framework/gdi/bitmap.h"
#include "framework/gdi/canvas.h"
#include "framework/gdi/color.h"
#include "framework/gdi/gdi_handles.h"

#include "framework/gdi/gdi_windows.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The transparent colour of skin pictures (magenta).
constexpr TColor kSkinKeyColor = 0x00FF00FF;

// Fixed parts of a frame, copied at their own size: left, top, right, bottom.
struct TSkinMargins {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// Origin and size of frame k (1-based) of n in a picture; frames lie side by
// side, or stacked when `vertical`. A frame count below 1 counts as 1.
struct TSkinFrameBox {
    int X0 = 0;
    int Y0 = 0;
    int Width = 0;
    int Height = 0;
};
TSkinFrameBox LocateSkinFrame(const TBitmap& picture, bool vertical, int n, int k);

// Whether k (1-based) names one of n frames (a count below 1 counts as 1).
// Every frame-drawing routine draws nothing for any other index.
bool IsSkinFrameIndex(int n, int k);

// How stretched pieces are resampled: HALFTONE (the default) filters, which
// suits pictures drawn opaque; COLORONCOLOR takes the nearest pixel, so a
// transparent key colour is never blended into its neighbours at the edges
// (the control skins draw that way).
constexpr int kSkinDefaultStretchMode = HALFTONE;

// Frame k drawn by the nine-part rule into a new 32-bit bitmap of the
// target's size (empty when the target has no area or k is not a frame).
std::unique_ptr<TBitmap> StretchSkinFrame(const RECT& target, TBitmap& picture,
                                          const TSkinMargins& margins, bool vertical, bool tile,
                                          int n, int k, int stretchMode = kSkinDefaultStretchMode);
// The same into `kept`: its bitmap is drawn over when it has the target's
// size (made by this routine), else a new one is put there; null when the
// target has no area or k is not a frame. Many frames of one size, one bitmap.
void StretchSkinFrame(std::unique_ptr<TBitmap>& kept, const RECT& target, TBitmap& picture,
                      const TSkinMargins& margins, bool vertical, bool tile, int n, int k,
                      int stretchMode = kSkinDefaultStretchMode);

// Draws frame k into the rectangle by the nine-part rule, transparent when `trans`.
void DrawSkinElement(HDC dc, const RECT& target, TBitmap& picture, bool vertical, bool tile,
                     bool trans, int n, int k, const TSkinMargins& margins,
                     int stretchMode = kSkinDefaultStretchMode);

// Draws frame k as a horizontal bar: left cap, repeated middle, right cap
// (only the left and right margins are used).
void DrawSkinBar(TCanvas& canvas, const RECT& target, TBitmap& picture, bool vertical, bool trans,
                 int n, int k, const TSkinMargins& margins);

// The frame routines above keep what they prepare (the stretched frame, and
// its key mask when drawn transparent) in one cache keyed by the frame's own
// pixels and the drawing parameters, so that a repeated paint is one copy
// (three when transparent). The cache keeps to a budget of entries and bytes,
// dropping the least recently used; images over 1 MB are never kept. The
// skin data empties it when a skin is loaded.
constexpr int kSkinDrawCacheMaxEntries = 40;
constexpr size_t kSkinDrawCacheMaxBytes = size_t(3) << 20;
struct TSkinDrawCacheStats {
    int Entries = 0;
    size_t Bytes = 0;
    int64_t Hits = 0;
    int64_t Misses = 0;
};
TSkinDrawCacheStats SkinDrawCacheStats();
// Frees every prepared image.
void ClearSkinDrawCache();

// Draws the eight border parts of frame k straight onto the DC (no centre).
void DrawSkinEdges(HDC dc, const RECT& target, TBitmap& picture, bool vertical, int n, int k,
                   const TSkinMargins& margins);

// Draws frame k (side by side) stretched to the rectangle.
void DrawSkinCell(HDC dc, const RECT& target, TBitmap& picture, bool trans, int n, int k,
                  int stretchMode = kSkinDefaultStretchMode);

// Draws frame k (side by side) at its own size, centred in the rectangle.
void DrawSkinGlyph(HDC dc, const RECT& target, TBitmap& picture, bool trans, int n, int k);

// Copies the picture's top-left part of the rectangle's size to the
// rectangle, leaving pixels of the key colour out.
void DrawTransparent(HDC dc, const RECT& target, TBitmap& picture, TColor key = kSkinKeyColor);

// Repeats the source part of the picture over the target (the last column and
// row may extend past it).
void TileRect(TCanvas& canvas, const RECT& target, TBitmap& picture, const RECT& source);

// A region covering every pixel that is not within the key colour's range
// (key channel up to key + tolerance), moved by the offsets.
TRegionHandle RegionFromBitmap(TBitmap& picture, int xOffset, int yOffset, int toleranceBlue,
                               int toleranceGreen, int toleranceRed, TColor key = kSkinKeyColor);

// The rectangles a region is made of; false when the platform could not
// give them.
bool RegionRects(HRGN region, std::vector<RECT>& rects);

// In-place transforms. GrayBitmap turns the bitmap into 24-bit grey; the
// others keep the size (the turns swap it) and the pixel format.
void GrayBitmap(TBitmap& bitmap);
void MirrorBitmap(TBitmap& bitmap);
void FlipBitmap(TBitmap& bitmap);
void RotateBitmapLeft(TBitmap& bitmap);
void RotateBitmapRight(TBitmap& bitmap);

// Text between the ANSI code page and UTF-16.
std::wstring AnsiToWide(const std::string& text);
std::string WideToAnsi(const std::wstring& text);
// DrawTextW with the text and its length; returns DrawText's result.
int DrawSkinText(HDC dc, const std::wstring& text, RECT& rect, UINT format);

// Vertical gradient: bottom row colour `a`, rising toward `b` in 16.16 fixed
// point steps. Callers pass direction 2 and step 1.
void FillGradient(TCanvas& canvas, const RECT& rect, int direction, int step, TColor a, TColor b);

// Draws the source part of the picture scaled to the destination, leaving out
// pixels of the transparent colour.
void DrawTransparentGlyph(TCanvas& canvas, TBitmap& picture, const RECT& dest, TColor transparent,
                          const RECT& source);

// What DrawParentBackground needs to know about a control and its parent
// beyond their windows.
struct TParentBackgroundInfo {
    // The parent draws itself completely (a custom-drawn control).
    bool ParentIsCustomDrawn = false;
    // The parent is a form (a top-level window).
    bool ParentIsForm = false;
    // The control is being designed: message failures are contained.
    bool Designing = false;
    // Delivers a message to the parent (default: SendMessageW).
    std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> Dispatch;
};

// Paints the parent's background and content into `dc`, shifted so that the
// parent lies behind the control, and invalidates the parent when asked and
// allowed (see TParentBackgroundInfo).
void DrawParentBackground(HWND control, HDC dc, bool invalidateParent,
                          const TParentBackgroundInfo& info);
// The same for plain windows: the parent is a form when it is not a child
// window, and never custom-drawn.
void DrawParentBackground(HWND control, HDC dc, bool invalidateParent);
// The same for a control without a window of its own: `parent` is the
// parent's window (null = none) and (left, top) the control's position in the
// parent's client area.
void DrawParentBackground(HWND parent, int left, int top, HDC dc, bool invalidateParent,
                          const TParentBackgroundInfo& info);
