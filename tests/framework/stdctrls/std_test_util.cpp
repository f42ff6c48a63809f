// Environment and input helpers of the standard-control tests.
#include "tests/framework/stdctrls/std_test_util.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/gdi/gdi_handles.h"
#include "framework/stdctrls/std_register_a.h"
#include "framework/ui/ui_register.h"
#include "tests/framework/ui/real_input.h"

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

INPUT UnicodeInput(wchar_t ch, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wScan = ch;
    in.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return in;
}
} // namespace

void ShowInFront(TForm& form) {
    form.SetBounds(100, 100, form.Width(), form.Height());
    form.Show();
    HWND wnd = form.Handle();
    SetForegroundWindow(wnd);
    SetActiveWindow(wnd);
    PumpUntil([wnd] { return GetForegroundWindow() == wnd; }, 5000);
    PumpPending();
}

// Input is queued by the time SendInput returns; it has been delivered once
// nothing (nor anything it posted or sent) waits any more.
void Settle() {
    PumpPending();
}

void ClickAt(TControl& control, POINT client) {
    MoveMouseTo(control.ClientToScreen(client));
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
    TypeChord({vk});
    Settle();
}

void TypeText(const std::wstring& text) {
    for (wchar_t ch : text)
        Send({UnicodeInput(ch, false), UnicodeInput(ch, true)});
    Settle();
}

COLORREF ScreenPixel(HWND wnd, int x, int y) {
    HDC dc = GetDC(wnd);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(wnd, dc);
    return c;
}

int GdiGrowthOverRepaints(HWND wnd, int times) {
    const int before = GdiLiveTotal();
    for (int i = 0; i < times; ++i)
        RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return GdiLiveTotal() - before;
}
