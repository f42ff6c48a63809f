// Test environment of the windowing tests.
#include "ui_test_util.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>

#include "framework/core/class_builder.h"
#include "framework/ui/ui_errors.h"

namespace {

class TUiEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        auto* app = new TApplication(nullptr);
        app->Initialize();
        app->SetTitle(L"ui tests");
        app->OnException = [](TObject*, std::exception_ptr e) {
            ReportedErrors().push_back(UiExceptionText(e));
        };
    }
    void TearDown() override { delete Application; }
};

const auto* const g_env = ::testing::AddGlobalTestEnvironment(new TUiEnvironment);

std::map<UINT_PTR, TKeyScript*>& Scripts() {
    static std::map<UINT_PTR, TKeyScript*> scripts;
    return scripts;
}

} // namespace

std::vector<std::wstring>& ReportedErrors() {
    static std::vector<std::wstring> errors;
    return errors;
}

void PumpMessages(int ms) {
    PumpUntil([] { return false; }, ms);
    PumpPending();
}

bool PumpUntil(const std::function<bool()>& done, int ms) {
    const DWORD end = GetTickCount() + ms;
    for (bool first = true; !done(); first = false) {
        if (!first && static_cast<int>(end - GetTickCount()) <= 0)
            return done();
        Application->ProcessMessages();
        if (done())
            return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

bool MessagesWaiting() {
    // A zero wait lets the platform read what its display connection holds
    // (pointer and window events become queued messages) before asking.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
    const UINT waiting = QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE | QS_PAINT;
    return (HIWORD(GetQueueStatus(QS_ALLINPUT)) & waiting) != 0;
}

bool PumpPending(int ms) {
    if (PumpUntil([] { return !MessagesWaiting(); }, ms))
        return true;
    std::fprintf(stderr, "note: messages still waited after %d ms of handling\n", ms);
    return false;
}

static BOOL CALLBACK CountWindow(HWND, LPARAM p) {
    ++*reinterpret_cast<int*>(p);
    return TRUE;
}

int ThreadWindowCount() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

TKeyScript::TKeyScript(std::vector<WORD> keys, HWND root, int gapMs)
    : keys_(std::move(keys)), root_(root) {
    timer_ = SetTimer(nullptr, 0, gapMs, &TKeyScript::Tick);
    Scripts()[timer_] = this;
}

TKeyScript::~TKeyScript() {
    KillTimer(nullptr, timer_);
    Scripts().erase(timer_);
}

void CALLBACK TKeyScript::Tick(HWND, UINT, UINT_PTR id, DWORD) {
    auto it = Scripts().find(id);
    if (it == Scripts().end())
        return;
    TKeyScript* s = it->second;
    if (s->sent_ >= static_cast<int>(s->keys_.size()))
        return;
    HWND target = GetFocus();
    if (!target || (target != s->root_ && !IsChild(s->root_, target))) {
        SetForegroundWindow(s->root_);
        SetActiveWindow(s->root_);
        return; // the next tick types into the dialog again
    }
    const WORD key = s->keys_[s->sent_++];
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

TTestButton::TTestButton(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TTestButton::Click() {
    if (TCustomForm* form = ParentForm(); form && ModalResult != mrNone)
        form->SetModalResult(ModalResult);
    TCustomControl::Click();
}

void TTestButton::WndProc(TMessage& msg) {
    if (msg.Msg == CM_DIALOGKEY && msg.WParam == VK_RETURN && Focused()) {
        Click();
        msg.Result = 1;
        return;
    }
    TCustomControl::WndProc(msg);
}

void TTestButton::Paint() {
    RECT r = ClientRect();
    Canvas().FillRect(r);
    Canvas().DrawText(Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

LT_CLASS_TABLE(TTestButton) {}
