// Window helpers shared by the standard controls.
#include "framework/stdctrls/std_common.h"

#include <vector>

#include "framework/core/ansi.h"

std::wstring WindowTextOf(HWND wnd) {
    std::vector<wchar_t> buf(static_cast<size_t>(GetWindowTextLengthW(wnd)) + 1);
    const int n = GetWindowTextW(wnd, buf.data(), static_cast<int>(buf.size()));
    return std::wstring(buf.data(), static_cast<size_t>(n));
}

void RecreateWindowOf(TWinControl& control) {
    if (!control.HandleAllocated())
        return;
    control.DestroyHandle();
    control.HandleNeeded();
}

void FillListWindow(HWND wnd, UINT resetMsg, UINT addMsg, const TStringList& items) {
    SendMessageW(wnd, WM_SETREDRAW, FALSE, 0);
    SendMessageW(wnd, resetMsg, 0, 0);
    for (int i = 0; i < items.Count(); ++i) {
        const std::wstring text = AnsiToWideText(items[i]);
        SendMessageW(wnd, addMsg, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(wnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(wnd, nullptr, TRUE);
}
