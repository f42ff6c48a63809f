// Counters and release functions behind the handle wrappers.
#include "framework/gdi/gdi_handles.h"

#include <commctrl.h>

#include <atomic>

namespace {
constexpr int kKinds = static_cast<int>(TGdiKind::Count);
std::atomic<int> g_live[kKinds];
std::atomic<int64_t> g_created[kKinds];
} // namespace

int GdiLiveCount(TGdiKind kind) {
    return g_live[static_cast<int>(kind)].load();
}

int64_t GdiCreatedCount(TGdiKind kind) {
    return g_created[static_cast<int>(kind)].load();
}

int GdiLiveTotal() {
    int total = 0;
    for (const auto& n : g_live) {
        total += n.load();
    }
    return total;
}

namespace gdi_detail {

void CountUp(TGdiKind kind) {
    ++g_live[static_cast<int>(kind)];
    ++g_created[static_cast<int>(kind)];
}

void CountDown(TGdiKind kind) {
    --g_live[static_cast<int>(kind)];
}

void Destroy(TGdiKind kind, void* handle) {
    switch (kind) {
    case TGdiKind::Icon:
        DestroyIcon(static_cast<HICON>(handle));
        break;
    case TGdiKind::ImageList:
        ImageList_Destroy(static_cast<HIMAGELIST>(handle));
        break;
    default:
        DeleteObject(static_cast<HGDIOBJ>(handle));
        break;
    }
}

} // namespace gdi_detail

TMemoryDC::TMemoryDC(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {
    if (dc_) {
        gdi_detail::CountUp(TGdiKind::MemoryDC);
    }
}

TMemoryDC::~TMemoryDC() {
    if (dc_) {
        DeleteDC(dc_);
        gdi_detail::CountDown(TGdiKind::MemoryDC);
    }
}

TClientDC::TClientDC(HWND wnd) : wnd_(wnd), dc_(GetDC(wnd)) {
    if (dc_) {
        gdi_detail::CountUp(TGdiKind::WindowDC);
    }
}

TClientDC::~TClientDC() {
    if (dc_) {
        ReleaseDC(wnd_, dc_);
        gdi_detail::CountDown(TGdiKind::WindowDC);
    }
}

TWindowDC::TWindowDC(HWND wnd) : wnd_(wnd), dc_(GetWindowDC(wnd)) {
    if (dc_) {
        gdi_detail::CountUp(TGdiKind::WindowDC);
    }
}

TWindowDC::~TWindowDC() {
    if (dc_) {
        ReleaseDC(wnd_, dc_);
        gdi_detail::CountDown(TGdiKind::WindowDC);
    }
}

TSelectObject::TSelectObject(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {
    gdi_detail::CountUp(TGdiKind::Selection);
}

TSelectObject::~TSelectObject() {
    if (old_ && old_ != HGDI_ERROR) {
        SelectObject(dc_, old_);
    }
    gdi_detail::CountDown(TGdiKind::Selection);
}

TSaveDC::TSaveDC(HDC dc) : dc_(dc), id_(SaveDC(dc)) {
    gdi_detail::CountUp(TGdiKind::SavedState);
}

TSaveDC::~TSaveDC() {
    if (id_ > 0) {
        RestoreDC(dc_, id_);
    }
    gdi_detail::CountDown(TGdiKind::SavedState);
}
