// TImageList: a row of equally sized images over the common-control image
// list, with masked (transparent) images and a disabled (embossed) look.
#pragma once

#include "framework/gdi/bitmap.h"
#include "framework/gdi/canvas.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/gdi/icon.h"

#include <commctrl.h>

using TImageListHandle = TGdiHandle<HIMAGELIST, TGdiKind::ImageList>;

class TImageList {
public:
    TImageList(int width = 16, int height = 16, bool masked = true);
    TImageList(const TImageList&) = delete;
    TImageList& operator=(const TImageList&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Changing the size or the masked setting empties the list.
    void SetSize(int width, int height);
    bool Masked() const { return masked_; }
    void SetMasked(bool masked);
    HIMAGELIST Handle() const { return handle_.Get(); }

    int Count() const;
    // Adds as many images as fit across the bitmap; `mask` (monochrome
    // meaning: white = transparent) may be null. Returns the first new index
    // or -1.
    int Add(TBitmap& image, TBitmap* mask = nullptr);
    // Adds images whose pixels of `maskColor` (clDefault = the bitmap's
    // bottom-left pixel) are transparent.
    int AddMasked(TBitmap& image, TColor maskColor);
    int AddIcon(const TIcon& icon);
    bool Delete(int index);
    void Clear();

    // Draws image `index` at (x, y); a disabled image is drawn embossed: its
    // shape in the highlight colour moved by one pixel, then in the shadow
    // colour.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);
    // Copies image `index` into a bitmap of the list's size over `background`.
    void GetBitmap(int index, TBitmap& out, TColor background = clBtnFace);

private:
    void Recreate();
    void DrawDisabled(HDC dc, int x, int y, int index);

    int width_;
    int height_;
    bool masked_;
    TImageListHandle handle_;
};
