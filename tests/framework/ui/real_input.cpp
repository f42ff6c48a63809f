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

// The pointer stays at `screen` over a quiet spell. Wine hands the position
// of each pointer event from its display connection on as a move of its own,
// whenever that event arrives: a move that came before the last one can land
// after it. Once the pointer has not moved for 100 ms, Wine asks the X
// server where it is, and that answer comes after every event the server
// sent before it; those events are then handled, and the pointer is either
// still here (settled) or somewhere an older move put it.
bool Settled(POINT screen) {
    const DWORD since = GetTickCount();
    bool away = false;
    PumpUntil(
        [&] {
            away = !CursorAt(screen);
            return away || (GetTickCount() - since > 150 && !MessagesWaiting() && CursorAt(screen));
        },
        kInputCeilingMs);
    return !away && CursorAt(screen);
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

// Absolute coordinates are 0..65535 over the primary screen. The move is
// made again when an older position came back (see Settled).
void MoveMouseTo(POINT screen) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    for (int attempt = 0; attempt < 10; ++attempt) {
        SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, MulDiv(screen.x, 65536, w) + 1,
                  MulDiv(screen.y, 65536, h) + 1);
        if (Settled(screen))
            return;
    }
    ADD_FAILURE() << "the pointer did not stay at " << screen.x << "," << screen.y;
}

void LeftButton(bool down) {
    SendMouse(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP, 0, 0);
    // The thread's button state changes when it takes the button message.
    PumpUntil([&] { return (GetKeyState(VK_LBUTTON) < 0) == down && !MessagesWaiting(); },
              kInputCeilingMs);
}
