// RAII for GDI and USER drawing handles. An owning handle (TGdiHandle) frees
// what it holds; a borrowed view (TGdiView) never does. Every kind keeps a
// live-object counter and a creation counter so tests can prove that painting
// leaks nothing.
#pragma once

#include "framework/gdi/gdi_windows.h"

#include <cstdint>
#include <utility>

// The kinds of resources the wrappers count.
enum class TGdiKind : int {
    Bitmap,
    Brush,
    Pen,
    Font,
    Region,
    Palette,
    Icon,
    ImageList,
    MemoryDC,
    WindowDC,
    PaintDC,
    Selection,
    SavedState,
    Count
};

// Objects of a kind currently alive in wrappers.
int GdiLiveCount(TGdiKind kind);
// Objects of a kind taken into wrappers since the program started.
int64_t GdiCreatedCount(TGdiKind kind);
// Sum of GdiLiveCount over every kind.
int GdiLiveTotal();

namespace gdi_detail {
void CountUp(TGdiKind kind);
void CountDown(TGdiKind kind);
// Frees a handle of the given kind (DeleteObject, DestroyIcon, ...).
void Destroy(TGdiKind kind, void* handle);
} // namespace gdi_detail

// A non-owning view of a handle: copying it copies the reference only.
template <typename H> class TGdiView {
public:
    TGdiView() = default;
    TGdiView(H h) : handle_(h) {}
    H Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    H handle_ = nullptr;
};

// Sole owner of one handle of kind K; movable, not copyable.
template <typename H, TGdiKind K> class TGdiHandle {
public:
    TGdiHandle() = default;
    // Takes ownership of `h` (may be null).
    explicit TGdiHandle(H h) : handle_(h) {
        if (handle_) {
            gdi_detail::CountUp(K);
        }
    }
    TGdiHandle(TGdiHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    TGdiHandle& operator=(TGdiHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    TGdiHandle(const TGdiHandle&) = delete;
    TGdiHandle& operator=(const TGdiHandle&) = delete;
    ~TGdiHandle() { Reset(); }

    H Get() const { return handle_; }
    TGdiView<H> View() const { return TGdiView<H>(handle_); }
    explicit operator bool() const { return handle_ != nullptr; }

    // Frees the current handle and takes ownership of `h`.
    void Reset(H h = nullptr) {
        if (handle_ == h) {
            return;
        }
        if (handle_) {
            gdi_detail::Destroy(K, reinterpret_cast<void*>(handle_));
            gdi_detail::CountDown(K);
        }
        handle_ = h;
        if (handle_) {
            gdi_detail::CountUp(K);
        }
    }
    // Gives up ownership; the caller frees the returned handle.
    H Release() {
        if (handle_) {
            gdi_detail::CountDown(K);
        }
        return std::exchange(handle_, nullptr);
    }

private:
    H handle_ = nullptr;
};

using TBitmapHandle = TGdiHandle<HBITMAP, TGdiKind::Bitmap>;
using TBrushHandle = TGdiHandle<HBRUSH, TGdiKind::Brush>;
using TPenHandle = TGdiHandle<HPEN, TGdiKind::Pen>;
using TFontHandle = TGdiHandle<HFONT, TGdiKind::Font>;
using TRegionHandle = TGdiHandle<HRGN, TGdiKind::Region>;
using TPaletteHandle = TGdiHandle<HPALETTE, TGdiKind::Palette>;
using TIconHandle = TGdiHandle<HICON, TGdiKind::Icon>;

using TBitmapView = TGdiView<HBITMAP>;
using TBrushView = TGdiView<HBRUSH>;
using TPenView = TGdiView<HPEN>;
using TFontView = TGdiView<HFONT>;
using TRegionView = TGdiView<HRGN>;
using TDCView = TGdiView<HDC>;

// A memory DC compatible with `compatible` (the screen when null).
class TMemoryDC {
public:
    explicit TMemoryDC(HDC compatible = nullptr);
    ~TMemoryDC();
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;
    HDC Handle() const { return dc_; }

private:
    HDC dc_;
};

// GetDC / ReleaseDC pair (the client area; the screen when the window is null).
class TClientDC {
public:
    explicit TClientDC(HWND wnd);
    ~TClientDC();
    TClientDC(const TClientDC&) = delete;
    TClientDC& operator=(const TClientDC&) = delete;
    HDC Handle() const { return dc_; }

private:
    HWND wnd_;
    HDC dc_;
};

// GetWindowDC / ReleaseDC pair (the whole window, frame included).
class TWindowDC {
public:
    explicit TWindowDC(HWND wnd);
    ~TWindowDC();
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    HDC Handle() const { return dc_; }

private:
    HWND wnd_;
    HDC dc_;
};

// Selects an object into a DC and puts the previous one back on scope exit.
class TSelectObject {
public:
    TSelectObject(HDC dc, HGDIOBJ obj);
    ~TSelectObject();
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;
    HGDIOBJ Previous() const { return old_; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// SaveDC on construction, RestoreDC to exactly that state on scope exit.
class TSaveDC {
public:
    explicit TSaveDC(HDC dc);
    ~TSaveDC();
    TSaveDC(const TSaveDC&) = delete;
    TSaveDC& operator=(const TSaveDC&) = delete;

private:
    HDC dc_;
    int id_;
};
