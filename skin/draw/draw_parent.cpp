// Painting a parent's background and content behind a control that draws
// itself transparently.
#include "skin/draw/skin_draw.h"

void DrawParentBackground(HWND parent, int left, int top, HDC dc, bool invalidateParent,
                          const TParentBackgroundInfo& info) {
    if (!parent) {
        return;
    }
    auto send = [&](UINT msg, WPARAM wp, LPARAM lp) {
        return info.Dispatch ? info.Dispatch(parent, msg, wp, lp)
                             : SendMessageW(parent, msg, wp, lp);
    };
    RECT client{};
    GetClientRect(parent, &client);
    {
        TSaveDC state(dc);
        POINT origin{};
        GetViewportOrgEx(dc, &origin);
        SetViewportOrgEx(dc, origin.x - left, origin.y - top, nullptr);
        IntersectClipRect(dc, 0, 0, client.right, client.bottom);
        const WPARAM wp = reinterpret_cast<WPARAM>(dc);
        if (info.Designing) {
            // At design time a failing parent must not break the designer:
            // a failed erase skips the paint, a failed paint is ignored.
            try {
                send(WM_ERASEBKGND, wp, 0);
                try {
                    send(WM_PAINT, wp, 0);
                } catch (...) {
                }
            } catch (...) {
            }
        } else {
            send(WM_ERASEBKGND, wp, 0);
            send(WM_PAINT, wp, 0);
        }
    }
    if (invalidateParent && !info.ParentIsCustomDrawn && !info.ParentIsForm && !info.Designing) {
        InvalidateRect(parent, nullptr, TRUE);
    }
}

void DrawParentBackground(HWND control, HDC dc, bool invalidateParent,
                          const TParentBackgroundInfo& info) {
    HWND parent = (GetWindowLongW(control, GWL_STYLE) & WS_CHILD) ? GetParent(control) : nullptr;
    if (!parent) {
        return;
    }
    RECT bounds{};
    GetWindowRect(control, &bounds);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&bounds), 2);
    DrawParentBackground(parent, bounds.left, bounds.top, dc, invalidateParent, info);
}

void DrawParentBackground(HWND control, HDC dc, bool invalidateParent) {
    TParentBackgroundInfo info;
    HWND parent = GetParent(control);
    info.ParentIsForm = parent && !(GetWindowLongW(parent, GWL_STYLE) & WS_CHILD);
    DrawParentBackground(control, dc, invalidateParent, info);
}
