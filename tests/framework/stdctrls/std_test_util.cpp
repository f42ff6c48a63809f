// Environment and input helpers of the standard-control tests.
#include "tests/framework/stdctrls/std_test_util.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/stdctrls/std_register_a.h"
#include "framework/ui/ui_register.h"

namespace {
class TStdControlsEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        RegisterFrameworkClasses();
        RegisterStandardControlsA();
    }
};
const auto* const g_env = ::testing::AddGlobalTestEnvironment(new TStdControlsEnvironment);

void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT MouseInput(DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    return in;
}

INPUT KeyInput(WORD vk, wchar_t ch, DWORD flags) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = ch;
    in.ki.dwFlags = flags;
    return in;
}
} // namespace

void ShowInFront(TForm& form) {
    form.SetBounds(100, 100, form.Width(), form.Height());
    form.Show();
    HWND wnd = form.Handle();
    SetForegroundWindow(wnd);
    SetActiveWindow(wnd);
    PumpUntil([wnd] { return GetForegroundWindow() == wnd; }, 2000);
    PumpMessages(50);
}

void Settle() {
    PumpMessages(120);
}

void ClickAt(TControl& control, POINT client) {
    const POINT p = control.ClientToScreen(client);
    SetCursorPos(p.x, p.y);
    Settle();
    // Press and release go in together: controls that track the mouse in a
    // loop of their own (scroll bars) would otherwise wait for the release
    // while this thread waits for them.
    Send({MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP)});
    Settle();
}

void ClickCentre(TControl& control) {
    ClickAt(control, POINT{control.Width() / 2, control.Height() / 2});
}

void PressKey(WORD vk) {
    Send({KeyInput(vk, 0, 0), KeyInput(vk, 0, KEYEVENTF_KEYUP)});
    Settle();
}

void TypeText(const std::wstring& text) {
    for (wchar_t ch : text)
        Send({KeyInput(0, ch, KEYEVENTF_UNICODE),
              KeyInput(0, ch, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP)});
    Settle();
}

COLORREF ScreenPixel(HWND wnd, int x, int y) {
    HDC dc = GetDC(wnd);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(wnd, dc);
    return c;
}
