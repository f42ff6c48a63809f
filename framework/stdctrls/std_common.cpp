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

void TWindowItems::Fill(HWND wnd) const {
    SendMessageW(wnd, WM_SETREDRAW, FALSE, 0);
    SendMessageW(wnd, msgs_.reset, 0, 0);
    for (int i = 0; i < lines_.Count(); ++i) {
        const std::wstring text = AnsiToWideText(lines_[i]);
        SendMessageW(wnd, msgs_.add, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(wnd, WM_SETREDRAW, TRUE, 0);
    SendMessageW(wnd, msgs_.setSel, static_cast<WPARAM>(index_), 0);
    InvalidateRect(wnd, nullptr, TRUE);
}

// The selection stays on its line number while that line still exists.
void TWindowItems::Assign(HWND wnd, const TStringList& lines) {
    const int index = Index(wnd);
    lines_.Assign(lines);
    index_ = index < lines_.Count() ? index : -1;
    if (wnd)
        Fill(wnd);
}

int TWindowItems::Add(HWND wnd, const std::wstring& text) {
    const int index = lines_.Add(WideToAnsiText(text));
    if (wnd)
        SendMessageW(wnd, msgs_.add, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return index;
}

void TWindowItems::Clear(HWND wnd) {
    lines_.Clear();
    index_ = -1;
    if (wnd)
        SendMessageW(wnd, msgs_.reset, 0, 0);
}

int TWindowItems::Index(HWND wnd) const {
    return wnd ? static_cast<int>(SendMessageW(wnd, msgs_.getSel, 0, 0)) : index_;
}

void TWindowItems::SetIndex(HWND wnd, int index) {
    index_ = index;
    if (wnd)
        SendMessageW(wnd, msgs_.setSel, static_cast<WPARAM>(index), 0);
}
