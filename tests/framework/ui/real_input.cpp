// SendInput helpers of the windowing tests.
#include "real_input.h"

#include <gtest/gtest.h>

#include <iterator>
#include <vector>

#include "ui_test_util.h"

namespace {

// How long input may take to arrive on a loaded machine.
constexpr int kInputCeilingMs = 5000;

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
}

bool CursorAt(POINT screen) {
    POINT c{};
    return GetCursorPos(&c) && c.x == screen.x && c.y == screen.y;
}

} // namespace

void TypeChord(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD k : keys)
        inputs.push_back(KeyInput(k, false));
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it)
        inputs.push_back(KeyInput(*it, true));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    // The strokes are queued by the time SendInput returns: handled once no
    // input (nor what it posted or sent) waits any more.
    PumpPending(kInputCeilingMs);
}

// Absolute coordinates are 0..65535 over the primary screen. Wine's X11 desktop
// may replay the pointer's previous position once just after a move (seen as
// new, old, new positions within one tick); moving to the same point a second
// time leaves nothing stale behind. Each move is waited for: the pointer is
// there and the messages it caused are handled.
void MoveMouseTo(POINT screen) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    for (int i = 0; i < 2; ++i) {
        SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, MulDiv(screen.x, 65536, w) + 1,
                  MulDiv(screen.y, 65536, h) + 1);
        PumpUntil([&] { return CursorAt(screen) && !MessagesWaiting(); }, kInputCeilingMs);
    }
    EXPECT_TRUE(CursorAt(screen)) << "the pointer did not reach " << screen.x << "," << screen.y;
}

void LeftButton(bool down) {
    SendMouse(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP, 0, 0);
    // The thread's button state changes when it takes the button message.
    PumpUntil([&] { return (GetKeyState(VK_LBUTTON) < 0) == down && !MessagesWaiting(); },
              kInputCeilingMs);
}
