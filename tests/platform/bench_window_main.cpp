// The bench window as a program of its own, for the run script and the
// end-to-end test: shows the window and runs until it is closed.
#include "tests/platform/bench_window.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    HWND hwnd = benchwin::Create(100, 100, 480, 320);
    if (!hwnd) {
        return 1;
    }
    SetPropW(hwnd, L"benchwin.quit", reinterpret_cast<HANDLE>(1));
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
