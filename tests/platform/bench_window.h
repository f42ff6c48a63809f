// A plain Win32 window that paints its own non-client area and carries a
// window region with cut top corners. It proves that the test bench shows
// custom frames for real; the run script and the end-to-end test use it too.
#pragma once

#include <windows.h>

namespace benchwin {

// Frame geometry and colours (COLORREF, 0x00BBGGRR).
constexpr int kBorder = 6;
constexpr int kCaption = 30;
constexpr int kCorner = 4; // top corners cut from the region, kCorner pixels deep
constexpr COLORREF kBorderColour = RGB(30, 60, 200);
constexpr COLORREF kCaptionColour = RGB(200, 80, 30);
constexpr COLORREF kClientColour = RGB(255, 255, 255);
constexpr wchar_t kTitle[] = L"Lantuo bench window";

// Registers the window class (once) and creates the window at the given
// screen rectangle; the window is not shown yet.
HWND Create(int x, int y, int width, int height);

// The hit-test answer of the frame for a point in window coordinates: a pure
// function of the window size and the point.
LRESULT HitTest(int width, int height, POINT pt);

} // namespace benchwin
