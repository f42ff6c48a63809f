// The DDE server with real DDE messages between windows of this test: names
// from the registry, initiate rules, HTML and folder conversations, execute
// acknowledgements and terminate.
#include "browser_test_util.h"

#include <dde.h>
#include <gtest/gtest.h>
#include <shlobj.h>
#include "browser/shell_shared.h"

#include <thread>

#include "browser/dde_command.h"
#include "browser/dde_server.h"

namespace {

bool ClassKeyExists(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::wstring Wide(const std::string& s) {
    return std::wstring(s.begin(), s.end());
}

// The shell's DDE names: keys missing from the registry are written for the
// test (and removed after it); keys the system already has are used as they are.
struct TTestDdeNames {
    TTestDdeNames() {
        Provide(L"htmlfile\\shell\\open\\ddeexec\\application", L"LtHtmlApp");
        Provide(L"htmlfile\\shell\\open\\ddeexec\\topic", L"LtHtmlTopic");
        Provide(L"Folder\\shell\\open\\ddeexec\\application", L"LtFolderApp");
        Provide(L"Folder\\shell\\open\\ddeexec\\topic", L"LtFolderTopic");
        Provide(L"Folder\\shell\\open\\ddeexec", L"[ViewFolder(\"%l\", %I, %S)]");
        Provide(L"Folder\\shell\\explore\\ddeexec", L"[ExploreFolder(\"%l\", %I, %S)]");
        Provide(L"Directory\\shell\\find\\ddeexec", L"[FindFolder(\"%l\", %I)]");
        ClearDdeNames();
        ReadDdeNames();
    }
    ~TTestDdeNames() {
        for (auto it = created_.rbegin(); it != created_.rend(); ++it)
            RegDeleteTreeW(HKEY_CLASSES_ROOT, it->c_str());
        for (const auto& path : defaults_) {
            HKEY key = nullptr;
            if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_SET_VALUE, &key) == 0) {
                RegDeleteValueW(key, nullptr);
                RegCloseKey(key);
            }
        }
        ClearDdeNames();
    }
    // The default value of a key as the system holds it now.
    static std::string Value(const std::wstring& path) {
        wchar_t buffer[512] = {};
        LONG size = sizeof(buffer);
        if (RegQueryValueW(HKEY_CLASSES_ROOT, path.c_str(), buffer, &size) != ERROR_SUCCESS)
            return "<missing>";
        std::wstring w(buffer);
        return std::string(w.begin(), w.end());
    }

private:
    void Provide(const std::wstring& path, const std::wstring& value) {
        if (ClassKeyExists(path)) {
            wchar_t buffer[4];
            LONG size = sizeof(buffer);
            LONG rc = RegQueryValueW(HKEY_CLASSES_ROOT, path.c_str(), buffer, &size);
            if (rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA)
                return; // the system's own value is used
            defaults_.push_back(path);
        } else {
            // The outermost key made here is removed afterwards.
            for (size_t start = 0;;) {
                size_t slash = path.find(L'\\', start);
                std::wstring prefix = path.substr(0, slash);
                if (!ClassKeyExists(prefix)) {
                    created_.push_back(prefix);
                    break;
                }
                if (slash == std::wstring::npos)
                    break;
                start = slash + 1;
            }
        }
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    std::vector<std::wstring> created_;
    std::vector<std::wstring> defaults_;
};

// A DDE client window: records the acknowledgements and terminates it gets.
struct TDdeClient {
    struct TAck {
        HWND from;
        UINT_PTR low, high;
    };
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<TDdeClient*>(GetWindowLongPtrW(w, GWLP_USERDATA));
        if (self && msg == WM_DDE_ACK) {
            TAck a{reinterpret_cast<HWND>(wp), LOWORD(lp), HIWORD(lp)};
            if (self->initiating) {
                // The answer to an initiate carries the two atoms.
                self->acks.push_back(a);
            } else {
                UINT_PTR lo = 0, hi = 0;
                UnpackDDElParam(WM_DDE_ACK, lp, &lo, &hi);
                FreeDDElParam(WM_DDE_ACK, lp);
                self->acks.push_back(TAck{a.from, lo, hi});
                GlobalFree(reinterpret_cast<HGLOBAL>(hi));
            }
            return 0;
        }
        if (self && msg == WM_DDE_TERMINATE) {
            self->terminatedBy = reinterpret_cast<HWND>(wp);
            return 0;
        }
        return DefWindowProcW(w, msg, wp, lp);
    }
    TDdeClient() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"LtDdeTestClient";
        RegisterClassW(&wc);
        wnd = CreateWindowExW(0, L"LtDdeTestClient", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              wc.hInstance, nullptr);
        SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~TDdeClient() { DestroyWindow(wnd); }
    // Sends an initiate for app/topic to `server`; answers the window that acknowledged.
    HWND Initiate(HWND server, const wchar_t* app, const wchar_t* topic) {
        acks.clear();
        initiating = true;
        ATOM a = GlobalAddAtomW(app), t = GlobalAddAtomW(topic);
        lastApp = a;
        lastTopic = t;
        SendMessageW(server, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(wnd), MAKELPARAM(a, t));
        GlobalDeleteAtom(a);
        GlobalDeleteAtom(t);
        initiating = false;
        return acks.empty() ? nullptr : acks.back().from;
    }
    // Posts an execute with ANSI command text and waits for its acknowledgement.
    bool Execute(HWND conversation, const std::string& command, UINT_PTR* status) {
        acks.clear();
        // Between two Unicode windows the command text is Unicode.
        HGLOBAL h;
        if (IsWindowUnicode(conversation) && IsWindowUnicode(wnd)) {
            std::wstring w(command.begin(), command.end());
            h = GlobalAlloc(GMEM_MOVEABLE, (w.size() + 1) * sizeof(wchar_t));
            memcpy(GlobalLock(h), w.c_str(), (w.size() + 1) * sizeof(wchar_t));
        } else {
            h = GlobalAlloc(GMEM_MOVEABLE, command.size() + 1);
            memcpy(GlobalLock(h), command.c_str(), command.size() + 1);
        }
        GlobalUnlock(h);
        PostMessageA(conversation, WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(wnd),
                     PackDDElParam(WM_DDE_EXECUTE, 0, reinterpret_cast<UINT_PTR>(h)));
        // The server lives on this thread: once what it was posted, and what
        // that posted, has been handled, an acknowledgement came or none will.
        PumpMessages(0);
        const bool got = !acks.empty();
        if (got && status)
            *status = acks.back().low;
        return got;
    }
    HWND wnd = nullptr;
    ATOM lastApp = 0, lastTopic = 0;
    bool initiating = false;
    std::vector<TAck> acks;
    HWND terminatedBy = nullptr;
};

// A stand-alone server whose conversation window is a plain window of the test.
struct TServerUnderTest {
    static LRESULT CALLBACK ConversationProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<TServerUnderTest*>(GetWindowLongPtrW(w, GWLP_USERDATA));
        if (self && msg == WM_DDE_EXECUTE) {
            self->server->Execute(reinterpret_cast<HWND>(wp), lp);
            return 0;
        }
        if (self && msg == WM_DDE_TERMINATE) {
            self->server->Terminate(reinterpret_cast<HWND>(wp));
            return 0;
        }
        return DefWindowProcW(w, msg, wp, lp);
    }
    TServerUnderTest() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &ConversationProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"LtDdeTestConversation";
        RegisterClassW(&wc);
        conversation = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                       nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrW(conversation, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        TDdeServer::TCallbacks cb;
        cb.enabled = [this] { return enabled; };
        cb.conversationWindow = [this] { return conversation; };
        cb.navigate = [this](const VARIANT& v) {
            TVariant copy;
            VariantCopy(&copy, const_cast<VARIANT*>(&v));
            navigations.push_back(copy);
        };
        cb.shellExecute = [this](SHELLEXECUTEINFOA& info) {
            running.push_back(DdeShellRequestRunning());
            verbs.push_back(info.lpVerb ? info.lpVerb : "");
            classes.push_back(info.lpClass && (info.fMask & SEE_MASK_CLASSNAME) ? info.lpClass
                                                                                : "");
            files.push_back(info.lpFile ? info.lpFile : "");
            masks.push_back(info.fMask);
            shows.push_back(info.nShow);
            owners.push_back(info.hwnd);
            if (info.fMask & SEE_MASK_IDLIST)
                idListSizes.push_back(ILGetSize(static_cast<LPCITEMIDLIST>(info.lpIDList)));
            if (onShellExecute)
                onShellExecute();
            return TRUE;
        };
        server = std::make_unique<TDdeServer>(cb);
    }
    ~TServerUnderTest() {
        server.reset();
        DestroyWindow(conversation);
    }
    bool enabled = true;
    HWND conversation = nullptr;
    std::unique_ptr<TDdeServer> server;
    std::vector<TVariant> navigations;
    std::vector<bool> running;
    std::vector<std::string> verbs, classes, files;
    std::vector<ULONG> masks;
    std::vector<int> shows;
    std::vector<HWND> owners;
    std::vector<UINT> idListSizes;
    std::function<void()> onShellExecute;
};

// A folder command naming an item list in shared memory: [Name("", handle:pid, show)].
std::string SharedListCommand(const std::string& name, HANDLE shared, DWORD processId, int show) {
    char command[160];
    snprintf(command, sizeof(command), "[%s(\"\", %lu:%lu, %d)]", name.c_str(),
             static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(shared)),
             static_cast<unsigned long>(processId), show);
    return command;
}

// A small item identifier list allocated by the common controls' allocator.
void* CommonControlsIdList() {
    using AllocFn = void*(WINAPI*)(DWORD);
    auto alloc = reinterpret_cast<AllocFn>(reinterpret_cast<void*>(
        GetProcAddress(LoadLibraryA("comctl32.dll"), MAKEINTRESOURCEA(71))));
    auto* p = static_cast<uint8_t*>(alloc(8));
    const uint8_t bytes[8] = {6, 0, 'a', 'b', 'c', 'd', 0, 0};
    memcpy(p, bytes, 8);
    return p;
}

TEST(DdeServerTest, NamesComeFromTheRegistry) {
    TTestDdeNames names;
    const TDdeNames& n = DdeNames();
    using N = TTestDdeNames;
    EXPECT_EQ(n.htmlApplication, N::Value(L"htmlfile\\shell\\open\\ddeexec\\application"));
    EXPECT_EQ(n.htmlTopic, N::Value(L"htmlfile\\shell\\open\\ddeexec\\topic"));
    EXPECT_EQ(n.folderApplication, N::Value(L"Folder\\shell\\open\\ddeexec\\application"));
    EXPECT_EQ(n.folderTopic, N::Value(L"Folder\\shell\\open\\ddeexec\\topic"));
    EXPECT_EQ(n.openCommand, DdeCommandName(N::Value(L"Folder\\shell\\open\\ddeexec")));
    EXPECT_EQ(n.exploreCommand, DdeCommandName(N::Value(L"Folder\\shell\\explore\\ddeexec")));
    EXPECT_EQ(n.findCommand, DdeCommandName(N::Value(L"Directory\\shell\\find\\ddeexec")));
    EXPECT_FALSE(n.htmlApplication.empty());
    EXPECT_FALSE(n.folderTopic.empty());
    EXPECT_EQ(n.openCommand, "ViewFolder");
    EXPECT_FALSE(n.exploreCommand.empty());
    EXPECT_FALSE(n.findCommand.empty());
}

TEST(DdeServerTest, ReadingStopsAtTheFirstMissingName) {
    ClearDdeNames();
    {
        TTestDdeNames names;
        // Only a key this test wrote is taken away.
        if (TTestDdeNames::Value(L"Directory\\shell\\find\\ddeexec") != "[FindFolder(\"%l\", %I)]")
            GTEST_SKIP() << "the system has its own find command";
        // Without the find command's key the names before it stay read.
        RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Directory\\shell\\find");
        ClearDdeNames();
        ReadDdeNames();
        EXPECT_FALSE(DdeNames().exploreCommand.empty());
        EXPECT_EQ(DdeNames().findCommand, "");
    }
}

TEST(DdeServerTest, InitiateRules) {
    TTestDdeNames names;
    TServerUnderTest s;
    TDdeClient client;
    HWND hidden = s.server->Window();
    ASSERT_NE(hidden, nullptr);
    EXPECT_FALSE(IsWindowVisible(hidden));
    // HTML conversation, answered from the conversation window with the offered atoms.
    EXPECT_EQ(client.Initiate(hidden, Wide(DdeNames().htmlApplication).c_str(),
                              Wide(DdeNames().htmlTopic).c_str()),
              s.conversation);
    EXPECT_EQ(DdeConversation(), TDdeConversation::Html);
    ASSERT_EQ(client.acks.size(), 1u);
    EXPECT_EQ(client.acks[0].low, client.lastApp);
    EXPECT_EQ(client.acks[0].high, client.lastTopic);
    // Another application name: a folder conversation.
    EXPECT_EQ(client.Initiate(hidden, Wide(DdeNames().folderApplication).c_str(),
                              Wide(DdeNames().folderTopic).c_str()),
              s.conversation);
    EXPECT_EQ(DdeConversation(), TDdeConversation::Folder);
    // Names that don't match what is offered: no answer.
    EXPECT_EQ(client.Initiate(hidden, Wide(DdeNames().htmlApplication).c_str(), L"Other"), nullptr);
    EXPECT_EQ(client.Initiate(hidden, L"Unknown", Wide(DdeNames().htmlTopic).c_str()), nullptr);
    // Switched off: no answer.
    s.enabled = false;
    EXPECT_EQ(client.Initiate(hidden, Wide(DdeNames().htmlApplication).c_str(),
                              Wide(DdeNames().htmlTopic).c_str()),
              nullptr);
    s.enabled = true;
    // A client window of another thread: no answer.
    HWND foreign = nullptr;
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE quit = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread other([&] {
        foreign = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  nullptr, nullptr);
        SetEvent(ready);
        WaitForSingleObject(quit, 5000);
        DestroyWindow(foreign);
    });
    WaitForSingleObject(ready, 5000);
    ATOM a = GlobalAddAtomA(DdeNames().htmlApplication.c_str());
    ATOM t = GlobalAddAtomA(DdeNames().htmlTopic.c_str());
    client.acks.clear();
    SendMessageW(hidden, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(foreign), MAKELPARAM(a, t));
    GlobalDeleteAtom(a);
    GlobalDeleteAtom(t);
    SetEvent(quit);
    other.join();
    CloseHandle(ready);
    CloseHandle(quit);
    EXPECT_TRUE(client.acks.empty());
    // Every other message goes to the default procedure.
    EXPECT_EQ(SendMessageW(hidden, WM_GETTEXTLENGTH, 0, 0), 0);
}

TEST(DdeServerTest, HtmlConversationNavigatesAndAcknowledges) {
    TTestDdeNames names;
    TServerUnderTest s;
    TDdeClient client;
    HWND conv = client.Initiate(s.server->Window(), Wide(DdeNames().htmlApplication).c_str(),
                                Wide(DdeNames().htmlTopic).c_str());
    ASSERT_EQ(conv, s.conversation);
    UINT_PTR status = 99;
    ASSERT_TRUE(client.Execute(conv, "\"http://127.0.0.1/LantuoWeb/a.htm\",,-1,0,,,,", &status));
    EXPECT_EQ(status, static_cast<UINT_PTR>(DDE_FACK));
    ASSERT_EQ(s.navigations.size(), 1u);
    EXPECT_EQ(s.navigations[0].vt, VT_BSTR);
    EXPECT_STREQ(s.navigations[0].bstrVal, L"http://127.0.0.1/LantuoWeb/a.htm");
    EXPECT_EQ(client.acks[0].from, s.conversation);
    // Terminate is answered in kind from the conversation window.
    PostMessageW(conv, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(client.wnd), 0);
    EXPECT_TRUE(PumpUntil([&] { return client.terminatedBy != nullptr; }, 10000));
    EXPECT_EQ(client.terminatedBy, s.conversation);
}

TEST(DdeServerTest, FolderConversationOpenExploreFind) {
    TTestDdeNames names;
    TServerUnderTest s;
    TDdeClient client;
    HWND conv = client.Initiate(s.server->Window(), Wide(DdeNames().folderApplication).c_str(),
                                Wide(DdeNames().folderTopic).c_str());
    ASSERT_EQ(conv, s.conversation);
    UINT_PTR status = 99;
    // Open with a path navigates to it.
    ASSERT_TRUE(
        client.Execute(conv, "[" + DdeNames().openCommand + "(\"C:\\windows\", 0, 1)]", &status));
    EXPECT_EQ(status, static_cast<UINT_PTR>(DDE_FACK));
    ASSERT_EQ(s.navigations.size(), 1u);
    EXPECT_STREQ(s.navigations[0].bstrVal, L"C:\\windows");
    // Open without a path: the item list (shared memory) as a byte array.
    const uint8_t openBytes[8] = {6, 0, 'a', 'b', 'c', 'd', 0, 0};
    HANDLE openShared = ShellAllocShared(openBytes, sizeof(openBytes), GetCurrentProcessId());
    ASSERT_TRUE(client.Execute(
        conv, SharedListCommand(DdeNames().openCommand, openShared, GetCurrentProcessId(), 1),
        &status));
    EXPECT_EQ(status, static_cast<UINT_PTR>(DDE_FACK));
    ASSERT_EQ(s.navigations.size(), 2u);
    EXPECT_EQ(s.navigations[1].vt, VT_ARRAY | VT_UI1);
    EXPECT_EQ(s.navigations[1].parray->rgsabound[0].cElements, 8u);
    EXPECT_EQ(static_cast<uint8_t*>(s.navigations[1].parray->pvData)[2], 'a');
    // Explore with a shared-memory item list of this process.
    const uint8_t bytes[8] = {6, 0, 'w', 'x', 'y', 'z', 0, 0};
    HANDLE shared = ShellAllocShared(bytes, sizeof(bytes), GetCurrentProcessId());
    ASSERT_NE(shared, nullptr);
    ASSERT_TRUE(client.Execute(
        conv, SharedListCommand(DdeNames().exploreCommand, shared, GetCurrentProcessId(), 3),
        &status));
    EXPECT_EQ(status, static_cast<UINT_PTR>(DDE_FACK));
    ASSERT_EQ(s.verbs.size(), 1u);
    EXPECT_EQ(s.verbs[0], "explore");
    EXPECT_EQ(s.classes[0], "folder");
    EXPECT_EQ(s.masks[0], static_cast<ULONG>(SEE_MASK_CLASSNAME | SEE_MASK_IDLIST));
    EXPECT_EQ(s.shows[0], 3);
    EXPECT_EQ(s.owners[0], nullptr);
    ASSERT_EQ(s.idListSizes.size(), 1u);
    EXPECT_EQ(s.idListSizes[0], 8u);
    EXPECT_TRUE(s.running[0]);
    EXPECT_FALSE(DdeShellRequestRunning());
    // Find with a path; while it runs, initiates are ignored.
    HWND during = reinterpret_cast<HWND>(1);
    s.onShellExecute = [&] {
        TDdeClient second;
        during = second.Initiate(s.server->Window(), Wide(DdeNames().htmlApplication).c_str(),
                                 Wide(DdeNames().htmlTopic).c_str());
    };
    ASSERT_TRUE(client.Execute(conv, "[" + DdeNames().findCommand + "(\"D:\\data\", 0)]", &status));
    EXPECT_EQ(status, static_cast<UINT_PTR>(DDE_FACK));
    EXPECT_EQ(during, nullptr);
    EXPECT_EQ(s.verbs[1], "find");
    EXPECT_EQ(s.files[1], "D:\\data");
    EXPECT_EQ(s.masks[1], 0u);
    EXPECT_EQ(s.shows[1], 1);
    // An unknown command does nothing and says so.
    ASSERT_TRUE(client.Execute(conv, "[Unknown(\"C:\\\", 0, 1)]", &status));
    EXPECT_EQ(status, 0u);
    EXPECT_EQ(s.navigations.size(), 2u);
    EXPECT_EQ(s.verbs.size(), 2u);
}

// An item list named by a raw address is refused, whatever it points at; a
// shared-memory list is taken only from this process and only when it is
// well formed inside its block. Refused commands are acknowledged negatively.
TEST(DdeServerTest, FolderItemListsAreCheckedBeforeUse) {
    TTestDdeNames names;
    TServerUnderTest s;
    TDdeClient client;
    HWND conv = client.Initiate(s.server->Window(), Wide(DdeNames().folderApplication).c_str(),
                                Wide(DdeNames().folderTopic).c_str());
    ASSERT_EQ(conv, s.conversation);
    const std::string open = DdeNames().openCommand;
    char command[160];
    UINT_PTR status = 99;
    // A valid list at a raw address: refused, and left alone.
    auto* list = static_cast<uint8_t*>(CommonControlsIdList());
    sprintf(command, "[%s(\"\", %lu, 1)]", open.c_str(),
            static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(list)));
    ASSERT_TRUE(client.Execute(conv, command, &status));
    EXPECT_EQ(status, 0u);
    EXPECT_EQ(list[2], 'a'); // not freed by the server
    // An address that points nowhere: refused without touching it.
    sprintf(command, "[%s(\"C:\\\", 16, 1)]", open.c_str());
    ASSERT_TRUE(client.Execute(conv, command, &status));
    EXPECT_EQ(status, 0u);
    // Shared memory said to belong to another process.
    const uint8_t good[8] = {6, 0, 'a', 'b', 'c', 'd', 0, 0};
    HANDLE shared = ShellAllocShared(good, sizeof(good), GetCurrentProcessId());
    ASSERT_TRUE(client.Execute(conv, SharedListCommand(open, shared, GetCurrentProcessId() + 4, 1),
                               &status));
    EXPECT_EQ(status, 0u);
    ShellFreeShared(shared, GetCurrentProcessId());
    // A list whose item runs past the end of its block (no terminator inside).
    std::vector<uint8_t> runaway(64, 0);
    runaway[0] = 0xFF;
    runaway[1] = 0x7F; // one item of 32767 bytes
    shared =
        ShellAllocShared(runaway.data(), static_cast<DWORD>(runaway.size()), GetCurrentProcessId());
    ASSERT_TRUE(
        client.Execute(conv, SharedListCommand(open, shared, GetCurrentProcessId(), 1), &status));
    EXPECT_EQ(status, 0u);
    // An item shorter than its own size field.
    const uint8_t malformed[6] = {1, 0, 'x', 0, 0, 0};
    shared = ShellAllocShared(malformed, sizeof(malformed), GetCurrentProcessId());
    ASSERT_TRUE(
        client.Execute(conv, SharedListCommand(open, shared, GetCurrentProcessId(), 1), &status));
    EXPECT_EQ(status, 0u);
    EXPECT_TRUE(s.navigations.empty());
    // The checked form goes through.
    shared = ShellAllocShared(good, sizeof(good), GetCurrentProcessId());
    ASSERT_TRUE(
        client.Execute(conv, SharedListCommand(open, shared, GetCurrentProcessId(), 1), &status));
    EXPECT_EQ(status, static_cast<UINT_PTR>(DDE_FACK));
    EXPECT_EQ(s.navigations.size(), 1u);
}

// Executes and terminates are heard only from the partner of an acknowledged
// conversation, and only while the server is switched on.
TEST(DdeServerTest, OnlyPartnersAreHeardAndOnlyWhileEnabled) {
    TTestDdeNames names;
    TServerUnderTest s;
    TDdeClient partner, stranger;
    HWND conv = partner.Initiate(s.server->Window(), Wide(DdeNames().htmlApplication).c_str(),
                                 Wide(DdeNames().htmlTopic).c_str());
    ASSERT_EQ(conv, s.conversation);
    EXPECT_TRUE(s.server->IsPartner(partner.wnd));
    EXPECT_FALSE(s.server->IsPartner(stranger.wnd));
    // A window that never initiated: nothing done, no answer.
    EXPECT_FALSE(stranger.Execute(conv, "http://127.0.0.1/stranger", nullptr));
    EXPECT_TRUE(s.navigations.empty());
    PostMessageW(conv, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(stranger.wnd), 0);
    PumpMessages(50);
    EXPECT_EQ(stranger.terminatedBy, nullptr);
    // Switched off: even the partner is not heard.
    s.enabled = false;
    EXPECT_FALSE(partner.Execute(conv, "http://127.0.0.1/off", nullptr));
    EXPECT_TRUE(s.navigations.empty());
    s.enabled = true;
    UINT_PTR status = 0;
    ASSERT_TRUE(partner.Execute(conv, "http://127.0.0.1/on", &status));
    EXPECT_EQ(status, static_cast<UINT_PTR>(DDE_FACK));
    EXPECT_EQ(s.navigations.size(), 1u);
    // After the terminate the former partner is a stranger.
    PostMessageW(conv, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(partner.wnd), 0);
    EXPECT_TRUE(PumpUntil([&] { return partner.terminatedBy != nullptr; }, 10000));
    EXPECT_FALSE(s.server->IsPartner(partner.wnd));
    EXPECT_FALSE(partner.Execute(conv, "http://127.0.0.1/after", nullptr));
    EXPECT_EQ(s.navigations.size(), 1u);
}

TEST(DdeServerTest, BrowserHostServesOnlyWhenEnabled) {
    TTestDdeNames names;
    TBrowserForm f;
    f.browser->recordNavigations = true;
    TDdeClient client;
    EXPECT_EQ(client.Initiate(f.browser->DdeWindow(), Wide(DdeNames().htmlApplication).c_str(),
                              Wide(DdeNames().htmlTopic).c_str()),
              nullptr);
    // An execute sent straight to the host's window while DDE is off is not acted on.
    EXPECT_FALSE(client.Execute(f.browser->Handle(), "http://127.0.0.1/off", nullptr));
    EXPECT_TRUE(f.browser->navigations.empty());
    f.browser->SetEnableDDE(true);
    HWND conv = client.Initiate(f.browser->DdeWindow(), Wide(DdeNames().htmlApplication).c_str(),
                                Wide(DdeNames().htmlTopic).c_str());
    ASSERT_EQ(conv, f.browser->Handle());
    // Switched off again mid-conversation: the partner is not heard either.
    f.browser->SetEnableDDE(false);
    EXPECT_FALSE(client.Execute(conv, "http://127.0.0.1/off", nullptr));
    EXPECT_TRUE(f.browser->navigations.empty());
    f.browser->SetEnableDDE(true);
    UINT_PTR status = 0;
    ASSERT_TRUE(client.Execute(conv, "http://127.0.0.1/LantuoWeb", &status));
    EXPECT_EQ(status, static_cast<UINT_PTR>(DDE_FACK));
    ASSERT_EQ(f.browser->navigations.size(), 1u);
    const auto& args = f.browser->navigations[0];
    EXPECT_STREQ(args[0].bstrVal, L"http://127.0.0.1/LantuoWeb");
    for (int i = 1; i < 5; ++i) {
        EXPECT_EQ(args[i].vt, VT_I4);
        EXPECT_EQ(args[i].lVal, 0);
    }
    PostMessageW(conv, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(client.wnd), 0);
    EXPECT_TRUE(PumpUntil([&] { return client.terminatedBy != nullptr; }, 10000));
    EXPECT_EQ(client.terminatedBy, f.browser->Handle());
}

} // namespace
