// Window classes of framework controls, registered on first use.
#include "framework/ui/ui_window_class.h"

#include <map>

#include "framework/ui/ui_errors.h"
#include "framework/ui/wincontrol.h"

namespace {
std::map<std::wstring, WNDPROC>& Registered() {
    static std::map<std::wstring, WNDPROC> classes;
    return classes;
}
HICON g_classIcon = nullptr;
} // namespace

void SetClassIcon(HICON icon) {
    g_classIcon = icon;
}

HICON ClassIcon() {
    return g_classIcon ? g_classIcon : LoadIconW(nullptr, IDI_APPLICATION);
}

WNDPROC RegisterControlClass(const TCreateParams& params, WNDPROC initialProc) {
    auto it = Registered().find(params.winClassName);
    if (it != Registered().end())
        return it->second;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    WNDPROC defProc = DefWindowProcW;
    if (!params.superClass.empty()) {
        if (!GetClassInfoExW(nullptr, params.superClass.c_str(), &wc))
            throw EOutOfResources(L"Window class " + params.superClass + L" is not available");
        defProc = wc.lpfnWndProc;
        wc.cbSize = sizeof(wc);
        wc.style &= ~CS_GLOBALCLASS;
    } else {
        wc.style = params.classStyle;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hIcon = ClassIcon();
    }
    wc.lpfnWndProc = initialProc;
    wc.hInstance = instance;
    wc.lpszClassName = params.winClassName.c_str();
    wc.lpszMenuName = nullptr;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw EOutOfResources(L"Cannot register window class " + params.winClassName);
    Registered()[params.winClassName] = defProc;
    return defProc;
}

HWND CreateUtilWindow() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TPUtilWindow";
        registered = RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }
    HWND wnd = CreateWindowExW(0, L"TPUtilWindow", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!wnd)
        throw EOutOfResources(L"Cannot create a utility window");
    return wnd;
}
