#include "tests/platform/bench_window.h"

namespace benchwin {
namespace {

constexpr wchar_t kClass[] = L"LantuoBenchWindow";

// Fills the whole non-client area: border colour everywhere, caption band on top.
void PaintFrame(HWND hwnd) {
    RECT wr;
    GetWindowRect(hwnd, &wr);
    const int w = wr.right - wr.left;
    const int h = wr.bottom - wr.top;
    HDC dc = GetWindowDC(hwnd);
    if (!dc) {
        return;
    }
    // Leave the client area alone.
    ExcludeClipRect(dc, kBorder, kCaption, w - kBorder, h - kBorder);
    HBRUSH border = CreateSolidBrush(kBorderColour);
    HBRUSH caption = CreateSolidBrush(kCaptionColour);
    RECT all = {0, 0, w, h};
    FillRect(dc, &all, border);
    RECT cap = {kBorder, kBorder, w - kBorder, kCaption};
    FillRect(dc, &cap, caption);
    DeleteObject(border);
    DeleteObject(caption);
    ReleaseDC(hwnd, dc);
}

// Region of the whole window with the two top corners cut off as steps.
void ApplyRegion(HWND hwnd, int w, int h) {
    HRGN rgn = CreateRectRgn(0, kCorner, w, h);
    HRGN top = CreateRectRgn(kCorner, 0, w - kCorner, kCorner);
    CombineRgn(rgn, rgn, top, RGN_OR);
    DeleteObject(top);
    SetWindowRgn(hwnd, rgn, TRUE); // the system owns rgn from here
}

// Client: white with a line of Chinese text in a "宋体" font.
void PaintClient(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT rc;
    GetClientRect(hwnd, &rc);
    HBRUSH white = CreateSolidBrush(kClientColour);
    FillRect(dc, &rc, white);
    DeleteObject(white);
    HFONT font = CreateFontW(-24, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH, L"宋体");
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    const wchar_t text[] = L"岚拓食品销售管理系统";
    TextOutW(dc, 20, 20, text, lstrlenW(text));
    SelectObject(dc, old);
    DeleteObject(font);
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_NCCALCSIZE: {
        RECT* r = reinterpret_cast<RECT*>(lp); // first rect in both forms
        r->left += kBorder;
        r->right -= kBorder;
        r->top += kCaption;
        r->bottom -= kBorder;
        return 0;
    }
    case WM_NCPAINT:
        PaintFrame(hwnd);
        return 0;
    case WM_NCACTIVATE:
        PaintFrame(hwnd);
        return TRUE;
    case WM_NCHITTEST: {
        RECT wr;
        GetWindowRect(hwnd, &wr);
        POINT pt = {static_cast<short>(LOWORD(lp)) - wr.left,
                    static_cast<short>(HIWORD(lp)) - wr.top};
        return HitTest(wr.right - wr.left, wr.bottom - wr.top, pt);
    }
    case WM_SIZE: {
        RECT wr;
        GetWindowRect(hwnd, &wr);
        ApplyRegion(hwnd, wr.right - wr.left, wr.bottom - wr.top);
        return 0;
    }
    case WM_PAINT:
        PaintClient(hwnd);
        return 0;
    case WM_DESTROY:
        if (RemovePropW(hwnd, L"benchwin.quit")) {
            PostQuitMessage(0);
        }
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

} // namespace

LRESULT HitTest(int w, int h, POINT pt) {
    if (pt.x < 0 || pt.y < 0 || pt.x >= w || pt.y >= h) {
        return HTNOWHERE;
    }
    const bool left = pt.x < kBorder;
    const bool right = pt.x >= w - kBorder;
    const bool top = pt.y < kBorder;
    const bool bottom = pt.y >= h - kBorder;
    if (top) {
        return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
    }
    if (bottom) {
        return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
    }
    if (left) {
        return HTLEFT;
    }
    if (right) {
        return HTRIGHT;
    }
    return pt.y < kCaption ? HTCAPTION : HTCLIENT;
}

HWND Create(int x, int y, int width, int height) {
    static ATOM atom = 0;
    if (!atom) {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = WndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.lpszClassName = kClass;
        atom = RegisterClassExW(&wc);
        if (!atom) {
            return nullptr;
        }
    }
    return CreateWindowExW(0, kClass, kTitle, WS_OVERLAPPEDWINDOW, x, y, width, height, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

} // namespace benchwin
