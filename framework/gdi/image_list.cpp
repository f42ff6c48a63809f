// TImageList implementation.
#include "framework/gdi/image_list.h"

TImageList::TImageList(TComponent* owner)
    : TComponent(owner), width_(16), height_(16), masked_(true) {
    Recreate();
}

TImageList::TImageList(int width, int height, bool masked)
    : TComponent(nullptr), width_(width), height_(height), masked_(masked) {
    Recreate();
}

void TImageList::Assign(const TPersistent& source) {
    auto* other = dynamic_cast<const TImageList*>(&source);
    if (!other) {
        TComponent::Assign(source);
        return;
    }
    if (other == this) {
        return;
    }
    width_ = other->width_;
    height_ = other->height_;
    masked_ = other->masked_;
    if (other->handle_) {
        handle_.Reset(ImageList_Duplicate(other->handle_.Get()));
    } else {
        Recreate();
    }
}

void TImageList::Recreate() {
    handle_.Reset(ImageList_Create(width_, height_, ILC_COLOR24 | (masked_ ? ILC_MASK : 0), 4, 4));
    if (handle_) {
        ImageList_SetBkColor(handle_.Get(), CLR_NONE);
    }
}

void TImageList::SetSize(int width, int height) {
    if (width != width_ || height != height_) {
        width_ = width;
        height_ = height;
        Recreate();
    }
}

void TImageList::SetMasked(bool masked) {
    if (masked != masked_) {
        masked_ = masked;
        Recreate();
    }
}

int TImageList::Count() const {
    return handle_ ? ImageList_GetImageCount(handle_.Get()) : 0;
}

int TImageList::Add(TBitmap& image, TBitmap* mask) {
    if (!handle_ || image.Empty()) {
        return -1;
    }
    return ImageList_Add(handle_.Get(), image.Handle(), mask ? mask->Handle() : nullptr);
}

int TImageList::AddMasked(TBitmap& image, TColor maskColor) {
    if (!handle_ || image.Empty()) {
        return -1;
    }
    const COLORREF key = ColorToRGB(maskColor == clDefault ? image.TransparentColor() : maskColor);
    return ImageList_AddMasked(handle_.Get(), image.Handle(), key);
}

int TImageList::AddIcon(const TIcon& icon) {
    if (!handle_ || icon.Empty()) {
        return -1;
    }
    return ImageList_ReplaceIcon(handle_.Get(), -1, icon.Handle());
}

bool TImageList::Delete(int index) {
    return handle_ && index >= 0 && index < Count() && ImageList_Remove(handle_.Get(), index);
}

void TImageList::Clear() {
    if (handle_) {
        ImageList_RemoveAll(handle_.Get());
    }
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
    if (!handle_ || index < 0 || index >= Count()) {
        return;
    }
    HDC dc = canvas.Handle();
    if (enabled) {
        ImageList_Draw(handle_.Get(), index, dc, x, y, masked_ ? ILD_TRANSPARENT : ILD_NORMAL);
    } else {
        DrawDisabled(dc, x, y, index);
    }
}

// Embossed look: the image's opaque shape (from its mask) painted with a
// brush through the raster operation "brush where the mask is black".
void TImageList::DrawDisabled(HDC dc, int x, int y, int index) {
    DrawImageDisabled(dc, handle_.Get(), index, x, y, masked_);
}

void DrawImageDisabled(HDC dc, HIMAGELIST list, int index, int x, int y, bool masked) {
    int width = 0, height = 0;
    if (!list || !ImageList_GetIconSize(list, &width, &height))
        return;
    TMemoryDC monoDC(dc);
    TBitmapHandle mono(CreateBitmap(width, height, 1, 1, nullptr));
    TSelectObject keep(monoDC.Handle(), mono.Get());
    PatBlt(monoDC.Handle(), 0, 0, width, height, masked ? WHITENESS : BLACKNESS);
    if (masked) {
        ImageList_Draw(list, index, monoDC.Handle(), 0, 0, ILD_MASK);
    }
    constexpr DWORD kBrushWhereSourceBlack = 0x00B8074A;
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
    {
        TBrushHandle light(CreateSolidBrush(ColorToRGB(clBtnHighlight)));
        TSelectObject b(dc, light.Get());
        BitBlt(dc, x + 1, y + 1, width, height, monoDC.Handle(), 0, 0, kBrushWhereSourceBlack);
    }
    {
        TBrushHandle shadow(CreateSolidBrush(ColorToRGB(clBtnShadow)));
        TSelectObject b(dc, shadow.Get());
        BitBlt(dc, x, y, width, height, monoDC.Handle(), 0, 0, kBrushWhereSourceBlack);
    }
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBk);
}

void TImageList::GetBitmap(int index, TBitmap& out, TColor background) {
    out.SetPixelFormat(TPixelFormat::pf32bit);
    out.SetSize(width_, height_);
    TCanvas& c = out.Canvas();
    c.Brush().SetColor(background);
    c.Brush().SetStyle(TBrushStyle::bsSolid);
    c.FillRect(RECT{0, 0, width_, height_});
    Draw(c, 0, 0, index, true);
}
