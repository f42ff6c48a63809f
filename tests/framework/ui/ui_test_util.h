// Shared pieces of the windowing tests: the application object, message
// pumping, and a small push button that takes Enter as a dialog key.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/ui/application.h"
#include "framework/ui/form.h"
#include "framework/ui/graphic_control.h"

// Handles messages for about `ms` milliseconds, then on while input, posted
// or sent messages still wait (at most a few seconds more): a loaded machine
// makes it slower, never leaves what was pending unhandled.
void PumpMessages(int ms);
// Handles messages until `done` answers true or `ms` pass (the queue is
// handled at least once, however late the thread runs); answers done().
bool PumpUntil(const std::function<bool()>& done, int ms);
// Handles what is waiting and what that causes, until no input, posted or
// sent message nor paint waits, or `ms` pass; answers whether it ran empty.
bool PumpPending(int ms = 5000);
// Whether input, posted or sent messages or paints wait in this thread's queue.
bool MessagesWaiting();
// Top-level windows of this thread.
int ThreadWindowCount();
// Exceptions reported to the application during the test (texts).
std::vector<std::wstring>& ReportedErrors();

// Sends keys one after another from a thread timer to the window that has the
// focus at that moment inside `root` (WM_KEYDOWN then WM_KEYUP), `gapMs` apart.
// When another program took the foreground, `root` is brought back first.
class TKeyScript {
public:
    TKeyScript(std::vector<WORD> keys, HWND root, int gapMs = 60);
    ~TKeyScript();
    int Sent() const { return sent_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
    std::vector<WORD> keys_;
    HWND root_;
    int sent_ = 0;
    UINT_PTR timer_ = 0;
};

// A push button: a click sets the form's modal result; Enter clicks it while
// it has the focus (as a dialog key, consuming the key).
class TTestButton : public TCustomControl {
    LT_CLASS(TTestButton, TCustomControl)
public:
    explicit TTestButton(TComponent* owner);
    TModalResult ModalResult = mrNone;
    void Click() override;

protected:
    void WndProc(TMessage& msg) override;
    void Paint() override;
};
