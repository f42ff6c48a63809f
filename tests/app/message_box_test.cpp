// The confirmation dialog with real windows: which answer each key gives,
// mouse press-and-release, and a fresh, centred, topmost dialog per call
// that is freed also when showing it fails.
#include "framework/ui/win32.h"

#include "app/unit_messagebox.h"
#include "framework/core/exception.h"
#include "framework/ui/application.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

namespace {

std::map<UINT_PTR, std::function<void()>> g_timers;

// Fires a pending After() call once.
void CALLBACK FireTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto it = g_timers.find(id);
    if (it == g_timers.end())
        return;
    auto fn = std::move(it->second);
    g_timers.erase(it);
    fn();
}

// Runs fn once after ms milliseconds, from the message loop that is running.
void After(UINT ms, std::function<void()> fn) {
    const UINT_PTR id = SetTimer(nullptr, 0, ms, &FireTimer);
    g_timers[id] = std::move(fn);
}

// A key press as the keyboard delivers it, to the focused window.
void Key(WORD vk) {
    HWND focus = GetFocus();
    const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    PostMessageW(focus, WM_KEYDOWN, vk, 1 | (scan << 16));
    if (vk == VK_SPACE)
        PostMessageW(focus, WM_CHAR, L' ', 1 | (scan << 16));
    PostMessageW(focus, WM_KEYUP, vk, 1 | (scan << 16) | 0xC0000000u);
}

// Keys typed one after another once the dialog is up; records who had the focus.
struct Script {
    std::vector<WORD> keys;
    std::vector<std::string> focusNames;
    void Arm() {
        SetAskConfirmShowHook([this](TForm_MessageBox&) { Step(0); });
    }
    void Step(size_t i) {
        After(i == 0 ? 300 : 100, [this, i] {
            TWinControl* focused = TWinControl::FindControl(GetFocus());
            focusNames.push_back(focused ? focused->Name() : std::string("?"));
            if (!CurrentMessageBox())
                return;
            Key(keys[i]);
            if (i + 1 < keys.size())
                Step(i + 1);
        });
    }
};

// Drops every pending After() call (their captures die with the test step).
void ClearTimers() {
    for (auto& [id, fn] : g_timers)
        KillTimer(nullptr, id);
    g_timers.clear();
}

class MessageBoxTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        app_ = new TApplication(nullptr);
        app_->Initialize();
    }
    static void TearDownTestSuite() {
        delete app_;
        app_ = nullptr;
    }
    void TearDown() override {
        SetAskConfirmShowHook(nullptr);
        ClearTimers();
    }
    static TApplication* app_;
};
TApplication* MessageBoxTest::app_ = nullptr;

bool Ask(const std::vector<WORD>& keys, std::vector<std::string>* focus = nullptr) {
    Script script{keys, {}};
    script.Arm();
    const bool answer = AskConfirm(L"确认退出系统？");
    ClearTimers();
    if (focus)
        *focus = script.focusNames;
    return answer;
}

} // namespace

TEST_F(MessageBoxTest, KeysGiveTheExpectedAnswers) {
    std::vector<std::string> focus;
    // Enter at once: the focus starts on Cancel.
    EXPECT_FALSE(Ask({VK_RETURN}, &focus));
    ASSERT_FALSE(focus.empty());
    EXPECT_EQ(focus[0], "RzBitBtn_Cancel");
    // Tab, then Enter: OK.
    EXPECT_TRUE(Ask({VK_TAB, VK_RETURN}, &focus));
    ASSERT_GE(focus.size(), 2u);
    EXPECT_EQ(focus[1], "RzBitBtn_Ok");
    // Esc wherever the focus is.
    EXPECT_FALSE(Ask({VK_ESCAPE}));
    EXPECT_FALSE(Ask({VK_TAB, VK_ESCAPE}));
    // Tab twice comes back to Cancel.
    EXPECT_FALSE(Ask({VK_TAB, VK_TAB, VK_RETURN}));
    // Space clicks the focused button.
    EXPECT_TRUE(Ask({VK_TAB, VK_SPACE}));
    EXPECT_FALSE(Ask({VK_SPACE}));
    // The arrow keys move the focus too.
    EXPECT_TRUE(Ask({VK_RIGHT, VK_RETURN}));
}

TEST_F(MessageBoxTest, PressMoveOffReleaseDoesNotClick) {
    bool stillOpenAfterRelease = false;
    SetAskConfirmShowHook([&](TForm_MessageBox& box) {
        After(300, [&box, &stillOpenAfterRelease] {
            HWND ok = box.RzBitBtn_Ok->Handle();
            SendMessageW(ok, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
            SendMessageW(ok, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-20, 40));
            EXPECT_FALSE(box.RzBitBtn_Ok->ShowDown());
            SendMessageW(ok, WM_LBUTTONUP, 0, MAKELPARAM(-20, 40));
            stillOpenAfterRelease = box.ModalResult() == mrNone;
            Key(VK_ESCAPE);
        });
    });
    EXPECT_FALSE(AskConfirm(L"q"));
    EXPECT_TRUE(stillOpenAfterRelease);

    // Moving back on before releasing does click.
    SetAskConfirmShowHook([&](TForm_MessageBox& box) {
        After(300, [&box] {
            HWND ok = box.RzBitBtn_Ok->Handle();
            SendMessageW(ok, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
            SendMessageW(ok, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-20, 40));
            SendMessageW(ok, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 12));
            EXPECT_TRUE(box.RzBitBtn_Ok->ShowDown());
            SendMessageW(ok, WM_LBUTTONUP, 0, MAKELPARAM(30, 12));
        });
    });
    EXPECT_TRUE(AskConfirm(L"q"));
}

TEST_F(MessageBoxTest, FreshCentredTopmostDialogEachCall) {
    std::vector<HWND> windows;
    RECT shown{};
    LONG exStyle = 0, style = 0;
    RECT client{};
    std::wstring caption, question;
    SetAskConfirmShowHook([&](TForm_MessageBox& box) {
        question = box.Label_Tip->Caption();
        After(300, [&box, &windows, &shown, &exStyle, &style, &client, &caption] {
            HWND wnd = box.Handle();
            windows.push_back(wnd);
            GetWindowRect(wnd, &shown);
            GetClientRect(wnd, &client);
            exStyle = GetWindowLongW(wnd, GWL_EXSTYLE);
            style = GetWindowLongW(wnd, GWL_STYLE);
            wchar_t text[64] = {};
            GetWindowTextW(wnd, text, 64);
            caption = text;
            Key(VK_ESCAPE);
        });
    });
    EXPECT_FALSE(AskConfirm(L"第一个问题"));
    EXPECT_EQ(question, L"第一个问题");
    EXPECT_EQ(CurrentMessageBox(), nullptr);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_FALSE(style & WS_SYSMENU);
    EXPECT_EQ(caption, L"岚拓食品销售管理系统");
    EXPECT_EQ(client.right, 342);
    EXPECT_EQ(client.bottom, 173);
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_LE(std::abs((shown.left + shown.right) / 2 - cx / 2), 1);
    EXPECT_LE(std::abs((shown.top + shown.bottom) / 2 - cy / 2), 1);
    EXPECT_FALSE(AskConfirm(L"第二个问题"));
    EXPECT_EQ(question, L"第二个问题");
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_FALSE(IsWindow(windows[0]));
    EXPECT_FALSE(IsWindow(windows[1]));
}

TEST_F(MessageBoxTest, FailureWhileShowingStillFreesTheDialog) {
    HWND wnd = nullptr;
    const int formsBefore = Application->FormCount();
    SetAskConfirmShowHook([&](TForm_MessageBox& box) {
        wnd = box.Handle();
        throw EInvalidOperation(L"cannot show");
    });
    EXPECT_THROW(AskConfirm(L"q"), EInvalidOperation);
    EXPECT_EQ(CurrentMessageBox(), nullptr);
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(Application->FormCount(), formsBefore);
    // The next call works normally.
    SetAskConfirmShowHook([](TForm_MessageBox&) { After(300, [] { Key(VK_ESCAPE); }); });
    EXPECT_FALSE(AskConfirm(L"q"));
}
