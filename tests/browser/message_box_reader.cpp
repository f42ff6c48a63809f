// Message boxes read back while they are up.
#include "message_box_reader.h"

#include <cstdio>

namespace {

// Reads the caption and small icon of the thread's message box, then closes it.
// A box that is not seen visible within the ceiling is closed all the same
// (a stuck test becomes a failure), and the thread's windows are listed on
// stderr to say what was up instead.
struct TDialogWatcher {
    static constexpr int kTickMs = 150;
    static constexpr int kCeilingTicks = 20000 / kTickMs;
    static TDialogWatcher* current;
    std::wstring caption;
    HICON icon = nullptr;
    bool seen = false;
    bool gaveUp = false;
    int ticks = 0;
    UINT_PTR timer = 0;
    TDialogWatcher() {
        current = this;
        timer = SetTimer(nullptr, 0, kTickMs, &Tick);
    }
    ~TDialogWatcher() {
        KillTimer(nullptr, timer);
        current = nullptr;
    }
    static bool IsDialog(HWND w) {
        wchar_t cls[80];
        return GetClassNameW(w, cls, 80) && wcscmp(cls, L"#32770") == 0;
    }
    static BOOL CALLBACK FindDialog(HWND w, LPARAM p) {
        if (IsWindowVisible(w) && IsDialog(w)) {
            *reinterpret_cast<HWND*>(p) = w;
            return FALSE;
        }
        return TRUE;
    }
    // Lists a window and closes it when it is a dialog.
    static BOOL CALLBACK ListAndClose(HWND w, LPARAM) {
        wchar_t cls[80] = {}, text[128] = {};
        GetClassNameW(w, cls, 80);
        GetWindowTextW(w, text, 128);
        fwprintf(stderr, L"  window %p class \"%ls\" text \"%ls\" visible %d enabled %d\n",
                 static_cast<void*>(w), cls, text, IsWindowVisible(w) ? 1 : 0,
                 IsWindowEnabled(w) ? 1 : 0);
        if (IsDialog(w))
            PostMessageW(w, WM_COMMAND, IDOK, 0);
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (!current || current->seen || current->gaveUp)
            return;
        HWND box = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&box));
        if (!box) {
            if (++current->ticks < kCeilingTicks)
                return;
            current->gaveUp = true;
            fwprintf(stderr, L"message box not seen within %d ms; the thread's windows:\n",
                     kCeilingTicks * kTickMs);
            EnumThreadWindows(GetCurrentThreadId(), &ListAndClose, 0);
            return;
        }
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
