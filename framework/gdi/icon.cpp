// TIcon implementation.
#include "framework/gdi/icon.h"

void TIcon::Changed() {
    if (OnChange)
        OnChange(*this);
}

void TIcon::SetHandle(HICON icon) {
    handle_.Reset(icon);
    Changed();
}

HICON TIcon::ReleaseHandle() {
    HICON icon = handle_.Release();
    Changed();
    return icon;
}

void TIcon::AssignHandle(HICON icon) {
    if (icon == handle_.Get()) {
        return;
    }
    handle_.Reset(icon ? CopyIcon(icon) : nullptr);
    Changed();
}

void TIcon::Assign(const TPersistent& source) {
    if (auto* icon = dynamic_cast<const TIcon*>(&source)) {
        Assign(*icon);
        return;
    }
    TPersistent::Assign(source);
}

bool TIcon::LoadFromResourceName(HINSTANCE instance, const wchar_t* name, int cx, int cy) {
    const UINT flags = (cx == 0 && cy == 0) ? LR_DEFAULTSIZE : 0;
    handle_.Reset(static_cast<HICON>(LoadImageW(instance, name, IMAGE_ICON, cx, cy, flags)));
    Changed();
    return !Empty();
}

// Size of the icon's colour (or, for monochrome icons, half its mask) bitmap.
static SIZE IconSize(HICON icon) {
    SIZE s{};
    ICONINFO info{};
    if (icon && GetIconInfo(icon, &info)) {
        // GetIconInfo hands over copies of both bitmaps.
        const TBitmapHandle colour(info.hbmColor), mask(info.hbmMask);
        BITMAP bm{};
        if (colour && GetObjectW(colour.Get(), sizeof bm, &bm)) {
            s = {bm.bmWidth, bm.bmHeight};
        } else if (mask && GetObjectW(mask.Get(), sizeof bm, &bm)) {
            s = {bm.bmWidth, bm.bmHeight / 2};
        }
    }
    return s;
}

int TIcon::Width() const {
    return IconSize(handle_.Get()).cx;
}

int TIcon::Height() const {
    return IconSize(handle_.Get()).cy;
}

void TIcon::Draw(TCanvas& canvas, int x, int y, int cx, int cy) const {
    if (handle_) {
        DrawIconEx(canvas.Handle(), x, y, handle_.Get(), cx, cy, 0, nullptr, DI_NORMAL);
    }
}
