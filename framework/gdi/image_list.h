// TImageList: a row of equally sized images over the common-control image
// list, with masked (transparent) images and a disabled (embossed) look. It is
// a component, so that forms can hold image lists and controls can refer to
// them by name (a control's "Images").
#pragma once

#include "framework/core/component.h"
#include "framework/gdi/bitmap.h"
#include "framework/gdi/canvas.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/gdi/icon.h"

#include <commctrl.h>

using TImageListHandle = TGdiHandle<HIMAGELIST, TGdiKind::ImageList>;

class TImageList : public TComponent {
    LT_CLASS(TImageList, TComponent)
public:
    // A list of 16 x 16 masked images owned by `owner` (form definitions).
    explicit TImageList(TComponent* owner);
    // A free-standing list (no owner).
    TImageList(int width = 16, int height = 16, bool masked = true);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Changing the size or the masked setting empties the list.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }
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
    // Makes this list a copy of another image list (size, setting, images).
    void Assign(const TPersistent& source) override;

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

// Draws image `index` of a native image list embossed (the disabled look of
// TImageList::Draw) with its top-left corner at (x, y).
void DrawImageDisabled(HDC dc, HIMAGELIST list, int index, int x, int y, bool masked = true);
