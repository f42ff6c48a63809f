// Message boxes read back while they are up.
#include "message_box_reader.h"

namespace {

// Reads the caption and small icon of the thread's message box, then closes it.
struct TDialogWatcher {
    static TDialogWatcher* current;
    std::wstring caption;
    HICON icon = nullptr;
    bool seen = false;
    UINT_PTR timer = 0;
    TDialogWatcher() {
        current = this;
        timer = SetTimer(nullptr, 0, 150, &Tick);
    }
    ~TDialogWatcher() {
        KillTimer(nullptr, timer);
        current = nullptr;
    }
    static BOOL CALLBACK FindDialog(HWND w, LPARAM p) {
        wchar_t cls[80];
        if (IsWindowVisible(w) && GetClassNameW(w, cls, 80) && wcscmp(cls, L"#32770") == 0) {
            *reinterpret_cast<HWND*>(p) = w;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (!current || current->seen)
            return;
        HWND box = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&box));
        if (!box)
            return;
        wchar_t text[256] = {};
        GetWindowTextW(box, text, 256);
        current->caption = text;
        current->icon = reinterpret_cast<HICON>(SendMessageW(box, WM_GETICON, ICON_SMALL, 0));
        current->seen = true;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
};
TDialogWatcher* TDialogWatcher::current = nullptr;

} // namespace

bool ActivateTopLevel(HWND wnd) {
    HWND top = GetAncestor(wnd, GA_ROOT);
    for (int i = 0; i < 250; ++i) {
        if (GetForegroundWindow() == top && GetActiveWindow() == top)
            return true;
        SetForegroundWindow(top);
        SetActiveWindow(top);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(20);
    }
    return false;
}

std::wstring ShowBox(HWND owner, const wchar_t* caption, HICON* icon) {
    ActivateTopLevel(owner);
    TDialogWatcher watcher;
    MessageBoxW(owner, L"alert text", caption, MB_OK);
    if (icon)
        *icon = watcher.icon;
    return watcher.seen ? watcher.caption : L"<no dialog seen>";
}
