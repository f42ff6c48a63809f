// Subclassing in layers: order of removal, destruction inside a message,
// objects freed under another subclass, and ANSI/Unicode procedure mixing.
#include "framework/ui/subclass.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/exception.h"
#include "framework/ui/ui_errors.h"

namespace {

constexpr UINT kPing = WM_APP + 1;
constexpr UINT kDestroyMe = WM_APP + 2;
constexpr UINT kDeleteMe = WM_APP + 3;
constexpr UINT kThrow = WM_APP + 4;

std::vector<std::string> g_log;

// The window class's own procedure: logs what reaches it.
LRESULT CALLBACK OriginalProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == kPing)
        g_log.push_back("orig");
    if (msg == kPing)
        return 42;
    return DefWindowProcW(wnd, msg, wparam, lparam);
}

HWND MakeWindow() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = OriginalProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"LtSubclassTest";
        RegisterClassW(&wc);
        registered = true;
    }
    return CreateWindowExW(0, L"LtSubclassTest", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

WNDPROC ProcW(HWND wnd) {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC));
}

// A subclass that logs kPing with its name and can destroy or delete itself.
class Logger : public TWindowSubclass {
public:
    explicit Logger(std::string name) : name_(std::move(name)) {}
    std::string name_;
    int finals = 0;
    bool deleteOnFinal = false;
    bool* deletedFlag = nullptr;
    HWND handleSeenAfterNested = nullptr;
    ~Logger() override {
        if (deletedFlag)
            *deletedFlag = true;
    }

protected:
    void WindowMessage(TMessage& msg) override {
        switch (msg.Msg) {
        case kPing:
            g_log.push_back(name_);
            CallPrevious(msg);
            msg.Result += 1;
            break;
        case kDestroyMe:
            DestroyWindow(Handle());
            handleSeenAfterNested = Handle();
            g_log.push_back(name_ + ":destroyed-returned");
            break;
        case kDeleteMe:
            delete this;
            break;
        case kThrow:
            throw EInvalidOperation(L"boom");
        case WM_NCDESTROY:
            g_log.push_back(name_ + ":ncdestroy");
            CallPrevious(msg);
            break;
        default:
            CallPrevious(msg);
        }
    }
    void OnFinalMessage(HWND) override {
        ++finals;
        g_log.push_back(name_ + ":final");
        if (deleteOnFinal)
            delete this;
    }
};

} // namespace

// Two layers removed top first, then bottom first (refused until the top goes).
TEST(Subclass, NestedLayersRemovedInBothOrders) {
    const int thunks0 = TWndProcThunk::LiveCount();
    HWND wnd = MakeWindow();
    ASSERT_TRUE(wnd);
    const WNDPROC original = ProcW(wnd);
    {
        Logger a("A"), b("B");
        ASSERT_TRUE(a.Subclass(wnd));
        ASSERT_TRUE(b.Subclass(wnd));
        EXPECT_EQ(a.PreviousProc(), original);
        EXPECT_EQ(b.PreviousProc(), a.ThunkProc());
        g_log.clear();
        EXPECT_EQ(SendMessageW(wnd, kPing, 0, 0), 44);
        EXPECT_EQ(g_log, (std::vector<std::string>{"B", "A", "orig"}));
        // Top first.
        EXPECT_TRUE(b.Unsubclass());
        EXPECT_EQ(ProcW(wnd), a.ThunkProc());
        EXPECT_TRUE(a.Unsubclass());
        EXPECT_EQ(ProcW(wnd), original);
        g_log.clear();
        EXPECT_EQ(SendMessageW(wnd, kPing, 0, 0), 42);
        EXPECT_EQ(g_log, (std::vector<std::string>{"orig"}));
    }
    {
        Logger a("A"), b("B");
        ASSERT_TRUE(a.Subclass(wnd));
        ASSERT_TRUE(b.Subclass(wnd));
        // Bottom first: refused while B sits on top, nothing changes.
        EXPECT_FALSE(a.Unsubclass());
        EXPECT_TRUE(a.IsSubclassed());
        g_log.clear();
        SendMessageW(wnd, kPing, 0, 0);
        EXPECT_EQ(g_log, (std::vector<std::string>{"B", "A", "orig"}));
        EXPECT_TRUE(b.Unsubclass());
        EXPECT_TRUE(a.Unsubclass());
        EXPECT_EQ(ProcW(wnd), original);
    }
    DestroyWindow(wnd);
    EXPECT_EQ(TWndProcThunk::LiveCount(), thunks0);
}

// Freeing the bottom object while another sits on top leaves a forwarder, so the
// top layer keeps working; the forwarder goes with the window.
TEST(Subclass, BottomObjectFreedUnderAnotherLayer) {
    const int thunks0 = TWndProcThunk::LiveCount();
    HWND wnd = MakeWindow();
    const WNDPROC original = ProcW(wnd);
    auto* a = new Logger("A");
    Logger b("B");
    ASSERT_TRUE(a->Subclass(wnd));
    ASSERT_TRUE(b.Subclass(wnd));
    delete a;
    EXPECT_EQ(TWndProcThunk::LiveCount(), thunks0 + 2) << "B's thunk and A's forwarder";
    g_log.clear();
    EXPECT_EQ(SendMessageW(wnd, kPing, 0, 0), 43);
    EXPECT_EQ(g_log, (std::vector<std::string>{"B", "orig"}));
    // Freeing the top one while it is on top restores exactly the forwarder.
    EXPECT_TRUE(b.Unsubclass());
    EXPECT_NE(ProcW(wnd), original);
    EXPECT_EQ(SendMessageW(wnd, kPing, 0, 0), 42);
    DestroyWindow(wnd);
    EXPECT_EQ(TWndProcThunk::LiveCount(), thunks0 + 1) << "only B's own thunk is left";
}

// DestroyWindow inside a message: the window is let go only when the outer message returns.
TEST(Subclass, DestroyDuringMessageDetachesAfterOutermostReturn) {
    const int thunks0 = TWndProcThunk::LiveCount();
    HWND wnd = MakeWindow();
    auto* a = new Logger("A");
    bool deleted = false;
    a->deletedFlag = &deleted;
    a->deleteOnFinal = true;
    ASSERT_TRUE(a->Subclass(wnd));
    g_log.clear();
    SendMessageW(wnd, kDestroyMe, 0, 0);
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_TRUE(deleted) << "deleted in its final message";
    EXPECT_EQ(g_log, (std::vector<std::string>{"A:ncdestroy", "A:destroyed-returned", "A:final"}));
    EXPECT_EQ(TWndProcThunk::LiveCount(), thunks0);
}

// The object itself is deleted inside one of its messages: later messages go
// straight to the previous procedure and nothing touches the freed object.
TEST(Subclass, ObjectDeletedInsideItsOwnMessage) {
    const int thunks0 = TWndProcThunk::LiveCount();
    HWND wnd = MakeWindow();
    const WNDPROC original = ProcW(wnd);
    auto* a = new Logger("A");
    bool deleted = false;
    a->deletedFlag = &deleted;
    ASSERT_TRUE(a->Subclass(wnd));
    SendMessageW(wnd, kDeleteMe, 0, 0);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(ProcW(wnd), original);
    g_log.clear();
    EXPECT_EQ(SendMessageW(wnd, kPing, 0, 0), 42);
    EXPECT_EQ(g_log, (std::vector<std::string>{"orig"}));
    DestroyWindow(wnd);
    EXPECT_EQ(TWndProcThunk::LiveCount(), thunks0);
}

// A handle seen in the middle of a nested destroy is still the window; a
// handler that throws goes to the error route and the message still returns.
TEST(Subclass, HandleKeptDuringNestedDestroyAndErrorsRouted) {
    HWND wnd = MakeWindow();
    Logger a("A");
    ASSERT_TRUE(a.Subclass(wnd));
    std::wstring reported;
    SetUiErrorHandler([&](std::exception_ptr e) { reported = UiExceptionText(e); });
    SendMessageW(wnd, kThrow, 0, 0);
    EXPECT_EQ(reported, L"boom");
    SetUiErrorHandler(nullptr);
    SendMessageW(wnd, kDestroyMe, 0, 0);
    EXPECT_EQ(a.handleSeenAfterNested, wnd);
    EXPECT_EQ(a.Handle(), nullptr);
    EXPECT_EQ(a.finals, 1);
}

namespace {
// Logs the text of WM_SETTEXT as the procedure's character set delivers it.
class TextSpy : public TWindowSubclass {
public:
    std::string ansi;
    std::wstring wide;

protected:
    void WindowMessage(TMessage& msg) override {
        if (msg.Msg == WM_SETTEXT) {
            if (IsAnsi())
                ansi = reinterpret_cast<const char*>(msg.LParam);
            else
                wide = reinterpret_cast<const wchar_t*>(msg.LParam);
        }
        CallPrevious(msg);
    }
};
} // namespace

// An ANSI procedure on a Unicode window, with a Unicode one on top: Chinese text
// travels through both without being replaced by '?', and removal restores the proc.
TEST(Subclass, AnsiAndUnicodeProceduresMixOnUnicodeWindow) {
    ASSERT_EQ(GetACP(), 936u) << "the test prefix runs in the GB2312 code page";
    HWND wnd = MakeWindow();
    ASSERT_TRUE(IsWindowUnicode(wnd));
    const WNDPROC original = ProcW(wnd);
    TextSpy ansiSpy, wideSpy;
    ASSERT_TRUE(ansiSpy.Subclass(wnd, TProcCharset::Ansi));
    ASSERT_TRUE(wideSpy.Subclass(wnd, TProcCharset::Unicode));
    EXPECT_TRUE(ansiSpy.IsAnsi());
    const std::wstring text = L"岚拓食品销售管理系统";
    ASSERT_TRUE(SetWindowTextW(wnd, text.c_str()));
    EXPECT_EQ(wideSpy.wide, text);
    // GB2312 bytes of the first two characters: 岚 = E1 B0, 拓 = CD D8.
    ASSERT_GE(ansiSpy.ansi.size(), 4u);
    EXPECT_EQ(static_cast<unsigned char>(ansiSpy.ansi[0]), 0xE1);
    EXPECT_EQ(static_cast<unsigned char>(ansiSpy.ansi[1]), 0xB0);
    EXPECT_EQ(static_cast<unsigned char>(ansiSpy.ansi[2]), 0xCD);
    EXPECT_EQ(static_cast<unsigned char>(ansiSpy.ansi[3]), 0xD8);
    EXPECT_EQ(ansiSpy.ansi.find('?'), std::string::npos);
    wchar_t back[64] = {};
    GetWindowTextW(wnd, back, 64);
    EXPECT_EQ(std::wstring(back), text);
    // ANSI text set through the ANSI entry arrives as the same Unicode text.
    SetWindowTextA(wnd, ansiSpy.ansi.c_str());
    EXPECT_EQ(wideSpy.wide, text);
    EXPECT_TRUE(wideSpy.Unsubclass());
    EXPECT_TRUE(ansiSpy.Unsubclass());
    EXPECT_EQ(ProcW(wnd), original);
    EXPECT_TRUE(IsWindowUnicode(wnd));
    DestroyWindow(wnd);

    // The platform's own controls too: an edit subclassed through the ANSI
    // entry is a Unicode window with its own procedure again afterwards.
    for (const wchar_t* cls : {L"EDIT", L"BUTTON", L"COMBOBOX"}) {
        HWND control = CreateWindowExW(0, cls, L"", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr,
                                       nullptr, nullptr);
        ASSERT_TRUE(IsWindowUnicode(control));
        const WNDPROC own = ProcW(control);
        TextSpy spy;
        ASSERT_TRUE(spy.Subclass(control, TProcCharset::Ansi));
        EXPECT_TRUE(spy.Unsubclass());
        EXPECT_EQ(ProcW(control), own) << cls;
        EXPECT_TRUE(IsWindowUnicode(control)) << cls;
        DestroyWindow(control);
    }
}
