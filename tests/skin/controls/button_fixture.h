// Helpers of the push-button wrapper tests: a skin whose Buttons frames have
// known colours, glyph strips, smoothed-text detection, a form to put
// buttons on, and raw windows that record the commands they get.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "framework/gdi/bitmap.h"
#include "framework/gdi/gdi_handles.h"
#include "skin/controls/skin_buttons.h"
#include "skin/model/skin_data.h"
#include "skin/model/skin_objects.h"
#include "tests/framework/gdi/pixel_test_util.h"
#include "tests/framework/ui/ui_test_util.h"

namespace button_test {

using namespace pixel_test;

constexpr TColor kFace = 0x00302010;
constexpr TColor kEdge[5] = {0x000000C0, 0x0000C000, 0x00C00000, 0x0000C0C0, 0x00C000C0};
constexpr TColor kCentre[5] = {0x00404080, 0x00408040, 0x00804040, 0x00408080, 0x00804080};
constexpr TColor kNormalText = 0x000000FF, kHotText = 0x00FF0000, kPressedText = 0x0000FF00;
constexpr TColor kCell[4] = {0x000020E0, 0x00005A1E, 0x00E02000, 0x0000E0E0};
constexpr TColor kKey = 0x00FFFFFF;

// A skin whose five Buttons frames are known: frame k is a 3-pixel ring of
// kEdge[k-1] around a 4 x 4 centre of kCentre[k-1]; the three state text
// colours are given.
struct TFrameSkin {
    TSkinData Data{nullptr};
    TFrameSkin() {
        TDataSkinButton& b = *Data.Buttons;
        b.Picture.SetSize(50, 10);
        for (int k = 0; k < 5; ++k) {
            Fill(b.Picture, k * 10, 0, k * 10 + 10, 10, kEdge[k]);
            Fill(b.Picture, k * 10 + 3, 3, k * 10 + 7, 7, kCentre[k]);
        }
        b.FrameCount = 5;
        b.LeftWidth = b.TopHeight = b.RightWidth = b.BottomHeight = 3;
        b.NormalColour2 = kNormalText;
        b.MouseOverColour2 = kHotText;
        b.PressedColour2 = kPressedText;
        b.HasNormalColour2 = b.HasMouseOverColour2 = b.HasPressedColour2 = true;
        Data.ButtonFaceColour = kFace;
        Data.ButtonTextColour = 0x00010203;
    }
};

// The frame a paint shows (0 when none matches): ring colour at a corner and
// centre colour near the bottom-left, away from a centred caption.
inline int FrameShown(TBitmap& b) {
    for (int k = 0; k < 5; ++k)
        if (At(b, 1, 1) == kEdge[k] && At(b, 4, b.Height() - 5) == kCentre[k])
            return k + 1;
    return 0;
}

// A strip of n 16 x 16 cells in the kCell colours, each with a key-coloured
// bottom-left pixel.
inline std::unique_ptr<TBitmap> GlyphStrip(int n) {
    auto b = std::make_unique<TBitmap>(16 * n, 16);
    for (int i = 0; i < n; ++i) {
        Fill(*b, i * 16, 0, i * 16 + 16, 16, kCell[i]);
        Put(*b, i * 16, 15, kKey);
    }
    return b;
}

// Whether pixel p moved from the background toward the text colour in
// every channel where the two differ clearly (smoothed text blends its
// edges into the background, so exact text pixels are rare).
inline bool TowardText(TColor p, TColor bg, TColor text) {
    bool any = false;
    for (int shift = 0; shift < 24; shift += 8) {
        const int c = (p >> shift) & 0xFF, b = (bg >> shift) & 0xFF, t = (text >> shift) & 0xFF;
        if (std::abs(t - b) <= 32)
            continue;
        if ((c - b) * (t - b) <= 0 || 4 * std::abs(c - b) < std::abs(t - b))
            return false;
        any = true;
    }
    return any;
}

// Text pixels in (l, t, r, b), by default inside the frame's 3-pixel ring.
inline int CountText(TBitmap& b, TColor bg, TColor text, int l = 3, int t = 3, int r = -1,
                     int bt = -1) {
    r = r < 0 ? b.Width() - 3 : r;
    bt = bt < 0 ? b.Height() - 3 : bt;
    int n = 0;
    for (int y = t; y < bt; ++y)
        for (int x = l; x < r; ++x)
            n += TowardText(At(b, x, y), bg, text);
    return n;
}

// Rows [first, last] holding text (-1, -1 when none).
inline std::pair<int, int> TextRows(TBitmap& b, TColor bg, TColor text) {
    int first = -1, last = -1;
    for (int y = 3; y < b.Height() - 3; ++y)
        if (CountText(b, bg, text, 3, y, -1, y + 1) > 0) {
            first = first < 0 ? y : first;
            last = y;
        }
    return {first, last};
}

// The leftmost column from `from` on holding text (-1 when none).
inline int FirstTextColumn(TBitmap& b, TColor bg, TColor text, int from = 3) {
    for (int x = from; x < b.Width() - 3; ++x)
        if (CountText(b, bg, text, x, 3, x + 1) > 0)
            return x;
    return -1;
}

inline void PaintInto(TSkinButton& w, TBitmap& shot) {
    Fill(shot, 0, 0, shot.Width(), shot.Height(), 0x00FFFFFF);
    w.PaintSkin(shot.Canvas().Handle(), RECT{0, 0, shot.Width(), shot.Height()});
}

class TButtonForm : public TForm {
public:
    explicit TButtonForm(TComponent* owner) : TForm(owner) { SetBounds(40, 40, 360, 220); }
    template <class T> T* Add(int x, int y, int w, int h, const wchar_t* caption = L"") {
        auto* c = new T(this);
        c->SetParent(this);
        c->SetBounds(x, y, w, h);
        c->SetCaption(caption);
        return c;
    }
};

inline COLORREF WindowPixel(HWND wnd, int x, int y) {
    TWindowDC dc(wnd);
    return GetPixel(dc.Handle(), x, y);
}

// The width of a text in a font, as the bit button measures it.
inline int TextWidth(TFont& font, const wchar_t* text) {
    TMemoryDC dc;
    TSelectObject pick(dc.Handle(), font.Handle());
    RECT r{0, 0, 200, 40};
    DrawTextW(dc.Handle(), text, -1, &r, DT_CALCRECT);
    return r.right - r.left;
}

// A raw parent window that records the commands its children send.
inline std::vector<std::pair<WPARAM, LPARAM>>& Commands() {
    static std::vector<std::pair<WPARAM, LPARAM>> commands;
    return commands;
}

inline LRESULT CALLBACK RecordingParentProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND)
        Commands().emplace_back(wp, lp);
    return DefWindowProcW(wnd, msg, wp, lp);
}

inline HWND RawParent() {
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = RecordingParentProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"SkinButtonsTestParent";
        return RegisterClassW(&wc);
    }();
    EXPECT_NE(atom, 0);
    HWND wnd =
        CreateWindowExW(0, L"SkinButtonsTestParent", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60,
                        300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetFocus(wnd);
    return wnd;
}

// A raw "button" window (ANSI, as in system dialogs).
inline HWND RawButton(HWND parent, int id, int x) {
    return CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, 10, 80, 30,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

} // namespace button_test
