// Looks at the running program from outside, as another process:
//   app_probe status     panel 4 of the main window's status bar (UTF-8)
//   app_probe dialog     "count left top right bottom" of the visible dialogs
//   app_probe buttons    "caption cx cy" of the dialog's buttons (screen centres)
//   app_probe main       "zoomed left top right bottom screen-width" of the main window
//   app_probe foreground 1 when the main window is the foreground window
//   app_probe focus      "main|dialog|other text": which window is in front
//                        and the text of the control that has the keys
//   app_probe frame [dialog]  "skinned region-type corner-in client-dx client-dy
//                        client-left client-top client-right client-bottom
//                        work-left work-top work-right work-bottom" of the main
//                        window (or the dialog): the skinned query's answer,
//                        the window region, the client area against the frame
//                        and the screen, and the work area
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const wchar_t kTitle[] = L"岚拓食品销售管理系统";

struct Found {
    std::vector<HWND> windows;
};

// Visible top-level windows titled with the product name and a framework class.
BOOL CALLBACK CollectTop(HWND wnd, LPARAM param) {
    wchar_t text[128] = {}, cls[128] = {};
    GetWindowTextW(wnd, text, 128);
    GetClassNameW(wnd, cls, 128);
    if (IsWindowVisible(wnd) && wcscmp(text, kTitle) == 0) {
        reinterpret_cast<Found*>(param)->windows.push_back(wnd);
    }
    return TRUE;
}

std::string Utf8(const std::wstring& w) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? n - 1 : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, s.data(), n, nullptr, nullptr);
    return s;
}

std::wstring ClassOf(HWND wnd) {
    wchar_t cls[128] = {};
    GetClassNameW(wnd, cls, 128);
    return cls;
}

// The text of status panel `part` of another process's status bar.
std::wstring StatusText(HWND bar, int part) {
    DWORD pid = 0;
    GetWindowThreadProcessId(bar, &pid);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process)
        return L"";
    const SIZE_T size = 512 * sizeof(wchar_t);
    void* remote = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    std::wstring out;
    if (remote) {
        const LRESULT r = SendMessageW(bar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(remote));
        std::vector<wchar_t> buf(512);
        SIZE_T read = 0;
        ReadProcessMemory(process, remote, buf.data(), size, &read);
        out.assign(buf.data(), std::min<size_t>(LOWORD(r), 511));
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return out;
}

HWND FindChildOfClass(HWND parent, const wchar_t* cls) {
    return FindWindowExW(parent, nullptr, cls, nullptr);
}

// The main window is the widest of the titled windows; dialogs are the others.
void Split(const Found& f, HWND& main, std::vector<HWND>& dialogs) {
    main = nullptr;
    int widest = -1;
    for (HWND w : f.windows) {
        RECT r;
        GetWindowRect(w, &r);
        if (r.right - r.left > widest) {
            widest = r.right - r.left;
            main = w;
        }
    }
    for (HWND w : f.windows)
        if (w != main && ClassOf(w) == L"TForm_MessageBox")
            dialogs.push_back(w);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return 2;
    const std::wstring what = argv[1];
    Found found;
    EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&found));
    HWND main = nullptr;
    std::vector<HWND> dialogs;
    Split(found, main, dialogs);
    if (what == L"status") {
        HWND bar = main ? FindChildOfClass(main, L"TStatusBar") : nullptr;
        if (!bar && main)
            bar = FindChildOfClass(main, STATUSCLASSNAMEW);
        if (!bar)
            return 1;
        std::printf("%s\n", Utf8(StatusText(bar, 4)).c_str());
        return 0;
    }
    if (what == L"foreground") {
        std::printf("%d\n", main && GetForegroundWindow() == main ? 1 : 0);
        return 0;
    }
    if (what == L"focus") {
        const HWND front = GetForegroundWindow();
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        wchar_t text[64] = {};
        if (front && GetGUIThreadInfo(GetWindowThreadProcessId(front, nullptr), &info) &&
            info.hwndFocus)
            GetWindowTextW(info.hwndFocus, text, 64);
        const bool dialog = !dialogs.empty() && front == dialogs[0];
        std::printf("%s %s\n",
                    front && front == main ? "main"
                    : dialog               ? "dialog"
                                           : "other",
                    Utf8(text).c_str());
        return 0;
    }
    if (what == L"main") {
        if (!main)
            return 1;
        RECT r;
        GetWindowRect(main, &r);
        std::printf("%d %ld %ld %ld %ld %d\n", IsZoomed(main) ? 1 : 0, r.left, r.top, r.right,
                    r.bottom, GetSystemMetrics(SM_CXSCREEN));
        return 0;
    }
    if (what == L"frame") {
        HWND wnd = argc > 2 && std::wstring(argv[2]) == L"dialog"
                       ? (dialogs.empty() ? nullptr : dialogs[0])
                       : main;
        if (!wnd)
            return 1;
        const LRESULT skinned = SendMessageW(wnd, 0x3504, 0, 0);
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        const int type = GetWindowRgn(wnd, rgn);
        const int cornerIn = type == ERROR ? 1 : (PtInRegion(rgn, 0, 0) ? 1 : 0);
        DeleteObject(rgn);
        RECT w, c;
        GetWindowRect(wnd, &w);
        GetClientRect(wnd, &c);
        MapWindowPoints(wnd, nullptr, reinterpret_cast<POINT*>(&c), 2);
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        std::printf("%d %d %d %ld %ld %ld %ld %ld %ld %ld %ld %ld %ld\n", skinned == 1 ? 1 : 0,
                    type, cornerIn, c.left - w.left, c.top - w.top, c.left, c.top, c.right,
                    c.bottom, work.left, work.top, work.right, work.bottom);
        return 0;
    }
    if (what == L"dialog") {
        if (dialogs.empty()) {
            std::printf("0\n");
            return 0;
        }
        RECT r;
        GetWindowRect(dialogs[0], &r);
        const LONG ex = GetWindowLongW(dialogs[0], GWL_EXSTYLE);
        std::printf("%zu %ld %ld %ld %ld %d\n", dialogs.size(), r.left, r.top, r.right, r.bottom,
                    (ex & WS_EX_TOPMOST) ? 1 : 0);
        return 0;
    }
    if (what == L"menu") {
        // An open menu of any program on the desktop: shown and where.
        HWND menu = FindWindowW(L"#32768", nullptr);
        RECT r{};
        const bool shown = menu && IsWindowVisible(menu) && GetWindowRect(menu, &r);
        // The foreground thread's menu mode (GUI_INMENUMODE 4, GUI_POPUPMENUMODE
        // 0x10, GUI_SYSTEMMENUMODE 8): a menu bar in menu mode shows no popup.
        GUITHREADINFO gti{};
        gti.cbSize = sizeof(gti);
        GetGUIThreadInfo(0, &gti);
        std::printf("%d %ld %ld %ld %ld %lu\n", shown ? 1 : 0, r.left, r.top, r.right, r.bottom,
                    gti.flags & 0x1C);
        return 0;
    }
    if (what == L"buttons") {
        if (dialogs.empty())
            return 1;
        for (HWND b = GetWindow(dialogs[0], GW_CHILD); b; b = GetWindow(b, GW_HWNDNEXT)) {
            wchar_t text[64] = {};
            GetWindowTextW(b, text, 64);
            RECT r;
            GetWindowRect(b, &r);
            std::printf("%s %ld %ld\n", Utf8(text).c_str(), (r.left + r.right) / 2,
                        (r.top + r.bottom) / 2);
        }
        return 0;
    }
    return 2;
}
