// SendInput helpers of the windowing tests.
#include "real_input.h"

#include <iterator>
#include <vector>

#include "ui_test_util.h"

namespace {

INPUT KeyInput(WORD key, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

void SendMouse(DWORD flags, LONG dx, LONG dy) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = dx;
    in.mi.dy = dy;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof(in));
    PumpMessages(60);
}

} // namespace

void TypeChord(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD k : keys)
        inputs.push_back(KeyInput(k, false));
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it)
        inputs.push_back(KeyInput(*it, true));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpMessages(80);
}

// Absolute coordinates are 0..65535 over the primary screen. Wine's X11 desktop
// may replay the pointer's previous position once just after a move (seen as
// new, old, new positions within one tick); moving to the same point a second
// time leaves nothing stale behind.
void MoveMouseTo(POINT screen) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    for (int i = 0; i < 2; ++i)
        SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, MulDiv(screen.x, 65536, w) + 1,
                  MulDiv(screen.y, 65536, h) + 1);
}

void LeftButton(bool down) {
    SendMouse(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP, 0, 0);
}
