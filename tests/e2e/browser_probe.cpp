// Looks at the running program's main window from another process and prints
// one line: "client L T R B browser L T R B status L T R B dialogs N", the
// rectangles in screen coordinates (all zero when a window is missing):
// the main window's client area, its browser control (a direct child of
// class "TEmbeddedWB") and its status bar (class "TStatusBar", or the common
// control's own class), and how many other visible
// top-level windows the program shows (message boxes, dialogs).
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

const wchar_t kTitle[] = L"岚拓食品销售管理系统";

struct Seen {
    HWND main = nullptr;
    DWORD pid = 0;
    int others = 0;
    HWND browser = nullptr;
    HWND status = nullptr;
};

BOOL CALLBACK FindMain(HWND wnd, LPARAM param) {
    auto* seen = reinterpret_cast<Seen*>(param);
    wchar_t text[128] = {};
    GetWindowTextW(wnd, text, 128);
    if (!seen->main && IsWindowVisible(wnd) && wcscmp(text, kTitle) == 0) {
        seen->main = wnd;
        GetWindowThreadProcessId(wnd, &seen->pid);
    }
    return TRUE;
}

BOOL CALLBACK CountOthers(HWND wnd, LPARAM param) {
    auto* seen = reinterpret_cast<Seen*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    wchar_t cls[64] = {};
    GetClassNameW(wnd, cls, 64);
    if (wnd != seen->main && pid == seen->pid && IsWindowVisible(wnd) &&
        wcscmp(cls, L"TApplication") != 0)
        ++seen->others;
    return TRUE;
}

BOOL CALLBACK FindChildren(HWND wnd, LPARAM param) {
    auto* seen = reinterpret_cast<Seen*>(param);
    if (GetParent(wnd) != seen->main)
        return TRUE;
    wchar_t cls[64] = {};
    GetClassNameW(wnd, cls, 64);
    if (wcscmp(cls, L"TEmbeddedWB") == 0)
        seen->browser = wnd;
    else if (wcscmp(cls, L"TStatusBar") == 0 || wcscmp(cls, L"msctls_statusbar32") == 0)
        seen->status = wnd;
    return TRUE;
}

void PrintRect(const char* name, HWND wnd) {
    RECT r = {};
    if (wnd && IsWindowVisible(wnd))
        GetWindowRect(wnd, &r);
    std::printf("%s %ld %ld %ld %ld ", name, r.left, r.top, r.right, r.bottom);
}

} // namespace

int wmain() {
    Seen seen;
    EnumWindows(FindMain, reinterpret_cast<LPARAM>(&seen));
    if (!seen.main) {
        std::printf("no main window\n");
        return 1;
    }
    EnumWindows(CountOthers, reinterpret_cast<LPARAM>(&seen));
    EnumChildWindows(seen.main, FindChildren, reinterpret_cast<LPARAM>(&seen));
    RECT client;
    GetClientRect(seen.main, &client);
    MapWindowPoints(seen.main, nullptr, reinterpret_cast<POINT*>(&client), 2);
    std::printf("client %ld %ld %ld %ld ", client.left, client.top, client.right, client.bottom);
    PrintRect("browser", seen.browser);
    PrintRect("status", seen.status);
    std::printf("dialogs %d\n", seen.others);
    return 0;
}
