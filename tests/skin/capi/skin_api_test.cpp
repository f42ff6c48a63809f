// The C interface with real raw windows (no framework form, no application
// object), as a program of its own would use it: load failures in codes and
// words, the owning thread, skinning on apply and on activation, a skin
// switch and removal that keep client sizes and give back styles, menus and
// window procedures exactly, counters over many cycles, and exclusion.
#include "framework/ui/win32.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "framework/gdi/gdi_handles.h"
#include "framework/ui/menus.h"
#include "framework/ui/messages.h"
#include "framework/ui/wincontrol.h"
#include "lantuo/skin.h"

extern "C" int LtSkinHeaderC99Check(void);

namespace {

const std::wstring kSkins = L"" LT_SKINS_DIR;

std::wstring SkinPath(const wchar_t* name) {
    std::wstring path = kSkins + L"/" + name;
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    return L"Z:" + path;
}

// Handles messages until done() or ms pass; answers done().
bool PumpUntil(const std::function<bool()>& done, int ms) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    for (;;) {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        if (done())
            return true;
        if (static_cast<int>(end - GetTickCount()) <= 0)
            return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

bool Skinned(HWND wnd) {
    return SendMessageW(wnd, SM_SKINNEDQUERY, 0, 0) == 1;
}

SIZE ClientSize(HWND wnd) {
    RECT r{};
    GetClientRect(wnd, &r);
    return {r.right, r.bottom};
}

LONG_PTR Proc(HWND wnd) {
    return GetWindowLongPtrW(wnd, GWLP_WNDPROC);
}

// What removal must give back, for a window and each of its children.
struct TWindowState {
    LONG style, exStyle;
    LONG_PTR proc;
    HMENU menu;
    LONG clientWidth, clientHeight;
    bool region;
    bool operator==(const TWindowState&) const = default;
};

TWindowState StateOf(HWND wnd) {
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    const bool region = GetWindowRgn(wnd, rgn) != ERROR;
    DeleteObject(rgn);
    const SIZE client = ClientSize(wnd);
    return {GetWindowLongW(wnd, GWL_STYLE),
            GetWindowLongW(wnd, GWL_EXSTYLE),
            Proc(wnd),
            (GetWindowLongW(wnd, GWL_STYLE) & WS_CHILD) ? nullptr : GetMenu(wnd),
            client.cx,
            client.cy,
            region};
}

std::vector<TWindowState> TreeState(HWND wnd) {
    std::vector<TWindowState> states{StateOf(wnd)};
    for (HWND c = GetWindow(wnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        states.push_back(StateOf(c));
    return states;
}

BOOL CALLBACK CountOne(HWND wnd, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(wnd, CountOne, count);
    return TRUE;
}

// Every window of this thread, children included.
int AllThreadWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountOne, reinterpret_cast<LPARAM>(&count));
    return count;
}

// A plain top-level window with a menu bar and raw child controls: a push
// button, a check box, an edit and a drop-down combo box.
struct TRawWindow {
    HWND wnd = nullptr;
    HWND push = nullptr, check = nullptr, edit = nullptr, combo = nullptr;

    explicit TRawWindow(int x, bool show = true) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"CapiRawWindow";
        RegisterClassW(&wc);
        HMENU bar = CreateMenu();
        HMENU file = CreatePopupMenu();
        AppendMenuW(file, MF_STRING, 1, L"&Open");
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
        AppendMenuW(bar, MF_STRING, 2, L"&Help");
        wnd = CreateWindowExW(0, L"CapiRawWindow", L"Raw window", WS_OVERLAPPEDWINDOW, x, 40, 420,
                              300, nullptr, bar, wc.hInstance, nullptr);
        const DWORD child = WS_CHILD | WS_VISIBLE;
        push = CreateWindowExW(0, L"BUTTON", L"Push", child | BS_PUSHBUTTON, 10, 10, 80, 24, wnd,
                               nullptr, nullptr, nullptr);
        check = CreateWindowExW(0, L"BUTTON", L"Check", child | BS_AUTOCHECKBOX, 10, 40, 80, 20,
                                wnd, nullptr, nullptr, nullptr);
        edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"text", child, 10, 70, 120, 22, wnd,
                               nullptr, nullptr, nullptr);
        combo = CreateWindowExW(0, L"COMBOBOX", L"", child | CBS_DROPDOWNLIST, 10, 100, 120, 120,
                                wnd, nullptr, nullptr, nullptr);
        if (show) {
            ShowWindow(wnd, SW_SHOWNORMAL);
            SetForegroundWindow(wnd);
            UpdateWindow(wnd);
        }
    }
    ~TRawWindow() { DestroyWindow(wnd); }
    // The frame and the child controls are skinned (their procedures replaced).
    bool FullySkinned() const {
        return Skinned(wnd) && Proc(push) != original[1] && Proc(check) != original[2];
    }
    void Remember() { original = {Proc(wnd), Proc(push), Proc(check)}; }
    std::vector<LONG_PTR> original;
};

struct TSkins {
    LtSkin* xpluna = nullptr;
    LtSkin* graphite = nullptr;
    TSkins() {
        EXPECT_EQ(LtSkinLoadFile(SkinPath(L"xpluna.skn").c_str(), &xpluna), LT_SKIN_OK)
            << LtSkinLastError();
        EXPECT_EQ(LtSkinLoadFile(SkinPath(L"graphite.skn").c_str(), &graphite), LT_SKIN_OK)
            << LtSkinLastError();
    }
    ~TSkins() {
        LtSkinFree(xpluna);
        LtSkinFree(graphite);
    }
};

std::wstring TempFile(const wchar_t* name, const std::string& bytes) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const std::wstring path = std::wstring(dir) + name;
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (f) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return path;
}

std::string FileBytes(const std::wstring& path) {
    std::string bytes;
    if (FILE* f = _wfopen(path.c_str(), L"rb")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.append(buffer, n);
        std::fclose(f);
    }
    return bytes;
}

} // namespace

TEST(SkinApiTest, FailuresAnswerTheirCodeAndWordsAndShowNothing) {
    const int windows = AllThreadWindows();
    LtSkin* skin = reinterpret_cast<LtSkin*>(1);
    const std::wstring missing = SkinPath(L"no-such-skin.skn");
    EXPECT_EQ(LtSkinLoadFile(missing.c_str(), &skin), LT_SKIN_NOT_FOUND);
    EXPECT_EQ(skin, nullptr);
    EXPECT_NE(std::wstring(LtSkinLastError()).find(L"no-such-skin.skn"), std::wstring::npos)
        << LtSkinLastError();
    EXPECT_EQ(LtSkinLoadFile(TempFile(L"capi_bad.skn", "not a skin").c_str(), &skin),
              LT_SKIN_BAD_FILE);
    EXPECT_EQ(skin, nullptr);
    EXPECT_NE(std::wstring(LtSkinLastError()).find(L"Not a packed skin"), std::wstring::npos)
        << LtSkinLastError();
    // The start of a real skin: its size word promises more than follows.
    const std::string whole = FileBytes(SkinPath(L"xpluna.skn"));
    ASSERT_GT(whole.size(), 1000u);
    EXPECT_EQ(LtSkinLoadMemory(whole.data(), 16, &skin), LT_SKIN_BAD_FILE);
    EXPECT_EQ(skin, nullptr);
    EXPECT_EQ(LtSkinLoadMemory(whole.data(), 0, &skin), LT_SKIN_BAD_FILE);
    EXPECT_EQ(LtSkinLoadMemory(nullptr, 10, &skin), LT_SKIN_INVALID_ARGUMENT);
    EXPECT_EQ(LtSkinLoadFile(nullptr, &skin), LT_SKIN_INVALID_ARGUMENT);
    EXPECT_EQ(LtSkinLoadFile(missing.c_str(), nullptr), LT_SKIN_INVALID_ARGUMENT);
    EXPECT_EQ(LtSkinApply(nullptr, LT_SKIN_ALL), LT_SKIN_INVALID_ARGUMENT);
    EXPECT_EQ(LtSkinExcludeWindow(nullptr), LT_SKIN_INVALID_ARGUMENT);
    // The whole file from memory loads; kinds outside the set are refused.
    ASSERT_EQ(LtSkinLoadMemory(whole.data(), whole.size(), &skin), LT_SKIN_OK);
    EXPECT_EQ(LtSkinApply(skin, LT_SKIN_ALL | 0x80000000u), LT_SKIN_INVALID_ARGUMENT);
    EXPECT_NE(std::wstring(LtSkinLastError()).find(L"kinds"), std::wstring::npos);
    LtSkinFree(skin);
    // The header compiles as C99 and its functions link from C.
    EXPECT_EQ(LtSkinHeaderC99Check(), LT_SKIN_BAD_FILE);
    // Nothing was shown: no message box, no window left.
    EXPECT_EQ(AllThreadWindows(), windows);
}

TEST(SkinApiTest, OnlyTheOwningThreadMayCallUntilEverythingIsFreed) {
    LtSkin* kept = nullptr;
    LtSkin* skin = nullptr;
    ASSERT_EQ(LtSkinLoadFile(SkinPath(L"xpluna.skn").c_str(), &kept), LT_SKIN_OK);
    LtSkinLoadFile(nullptr, &skin); // a failure of this thread's own
    ASSERT_EQ(LtSkinLoadFile(SkinPath(L"xpluna.skn").c_str(), &skin), LT_SKIN_OK);
    const std::wstring mine = LtSkinLastError();
    LtSkinResult load = LT_SKIN_OK, apply = LT_SKIN_OK, exclude = LT_SKIN_OK;
    std::wstring words;
    LtSkin* other = nullptr;
    std::thread([&] {
        load = LtSkinLoadFile(SkinPath(L"xpluna.skn").c_str(), &other);
        apply = LtSkinApply(skin, LT_SKIN_ALL);
        exclude = LtSkinExcludeWindow(GetDesktopWindow());
        LtSkinRemove();
        LtSkinFree(skin);
        words = LtSkinLastError();
    }).join();
    EXPECT_EQ(load, LT_SKIN_WRONG_THREAD);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(apply, LT_SKIN_WRONG_THREAD);
    EXPECT_EQ(exclude, LT_SKIN_WRONG_THREAD);
    EXPECT_NE(words.find(L"another thread"), std::wstring::npos);
    // Each thread keeps its own words; the skin the other thread tried to
    // free is still this thread's.
    EXPECT_EQ(LtSkinLastError(), mine);
    EXPECT_EQ(LtSkinApply(skin, LT_SKIN_ALL), LT_SKIN_OK);
    LtSkinRemove();
    LtSkinFree(skin);
    LtSkinFree(kept);
    // Nothing loaded or applied: the next thread to call owns the interface.
    std::thread([&] {
        load = LtSkinLoadFile(SkinPath(L"graphite.skn").c_str(), &other);
        LtSkinFree(other);
    }).join();
    EXPECT_EQ(load, LT_SKIN_OK);
}

TEST(SkinApiTest, ApplySwitchAndRemoveKeepClientSizesAndGiveEverythingBack) {
    TSkins skins;
    TRawWindow raw(60);
    raw.Remember();
    const std::vector<TWindowState> before = TreeState(raw.wnd);
    const SIZE client = ClientSize(raw.wnd);

    // An open window is skinned at once: frame, menu bar, child controls.
    ASSERT_EQ(LtSkinApply(skins.xpluna, LT_SKIN_ALL), LT_SKIN_OK) << LtSkinLastError();
    ASSERT_TRUE(PumpUntil([&] { return raw.FullySkinned(); }, 10000));
    EXPECT_EQ(ClientSize(raw.wnd).cx, client.cx);
    EXPECT_EQ(ClientSize(raw.wnd).cy, client.cy);
    EXPECT_NE(TreeState(raw.wnd), before);
    RECT xp{};
    GetWindowRect(raw.wnd, &xp);

    // A switch frames it again around the same client area.
    ASSERT_EQ(LtSkinApply(skins.graphite, LT_SKIN_ALL), LT_SKIN_OK) << LtSkinLastError();
    ASSERT_TRUE(PumpUntil([&] { return raw.FullySkinned(); }, 10000));
    EXPECT_EQ(ClientSize(raw.wnd).cx, client.cx);
    EXPECT_EQ(ClientSize(raw.wnd).cy, client.cy);
    RECT gr{};
    GetWindowRect(raw.wnd, &gr);
    EXPECT_NE(gr.bottom - gr.top, xp.bottom - xp.top);

    // A window opened afterwards is skinned when it is activated.
    {
        TRawWindow later(500);
        later.Remember();
        EXPECT_TRUE(PumpUntil([&] { return later.FullySkinned(); }, 10000));
    }

    LtSkinRemove();
    EXPECT_EQ(TreeState(raw.wnd), before);
    EXPECT_FALSE(Skinned(raw.wnd));

    // Cycles of apply, switch and remove leave nothing behind: the counters
    // are exact, so one handle or window per cycle would show twenty times.
    const int gdi = GdiLiveTotal();
    const int windows = AllThreadWindows();
    const int frameworkWindows = TWinControl::LiveWindowCount();
    const int menuItems = TMenuItem::LiveCount();
    for (int i = 0; i < 20; ++i) {
        ASSERT_EQ(LtSkinApply(skins.xpluna, LT_SKIN_ALL), LT_SKIN_OK);
        ASSERT_TRUE(PumpUntil([&] { return raw.FullySkinned(); }, 10000));
        ASSERT_EQ(LtSkinApply(skins.graphite, LT_SKIN_ALL), LT_SKIN_OK);
        ASSERT_TRUE(PumpUntil([&] { return raw.FullySkinned(); }, 10000));
        // The counters see what the skinned window holds.
        ASSERT_GT(GdiLiveTotal(), gdi);
        LtSkinRemove();
    }
    EXPECT_EQ(GdiLiveTotal(), gdi);
    EXPECT_EQ(AllThreadWindows(), windows);
    EXPECT_EQ(TWinControl::LiveWindowCount(), frameworkWindows);
    EXPECT_EQ(TMenuItem::LiveCount(), menuItems);
    EXPECT_EQ(TreeState(raw.wnd), before);
}

TEST(SkinApiTest, ExcludedWindowsAndChildrenAreLeftAlone) {
    TSkins skins;
    TRawWindow skinned(60);
    skinned.Remember();
    TRawWindow excluded(500, false);
    ShowWindow(excluded.wnd, SW_SHOWNOACTIVATE);
    excluded.Remember();
    const std::vector<TWindowState> plain = TreeState(excluded.wnd);
    // Open when the skin is applied, then activated: left alone both times.
    ASSERT_EQ(LtSkinExcludeWindow(excluded.wnd), LT_SKIN_OK);
    ASSERT_EQ(LtSkinApply(skins.xpluna, LT_SKIN_ALL), LT_SKIN_OK);
    EXPECT_FALSE(Skinned(excluded.wnd));
    SetForegroundWindow(excluded.wnd);
    SetForegroundWindow(skinned.wnd);
    ASSERT_TRUE(PumpUntil([&] { return skinned.FullySkinned(); }, 10000));
    EXPECT_FALSE(Skinned(excluded.wnd));
    EXPECT_EQ(TreeState(excluded.wnd), plain);

    // Excluding a skinned child control gives it back at once; its siblings stay.
    const LONG_PTR edit = Proc(skinned.edit);
    ASSERT_EQ(LtSkinExcludeWindow(skinned.check), LT_SKIN_OK);
    EXPECT_EQ(Proc(skinned.check), skinned.original[2]);
    EXPECT_NE(Proc(skinned.push), skinned.original[1]);
    EXPECT_EQ(Proc(skinned.edit), edit);
    // Excluding a skinned window gives it back whole, at its client size.
    const SIZE client = ClientSize(skinned.wnd);
    ASSERT_EQ(LtSkinExcludeWindow(skinned.wnd), LT_SKIN_OK);
    EXPECT_FALSE(Skinned(skinned.wnd));
    EXPECT_EQ(Proc(skinned.wnd), skinned.original[0]);
    EXPECT_EQ(Proc(skinned.push), skinned.original[1]);
    EXPECT_EQ(ClientSize(skinned.wnd).cx, client.cx);
    EXPECT_EQ(ClientSize(skinned.wnd).cy, client.cy);
    // A switch of skins (open windows are skinned within the call) leaves
    // both alone too.
    ASSERT_EQ(LtSkinApply(skins.graphite, LT_SKIN_ALL), LT_SKIN_OK);
    EXPECT_FALSE(Skinned(skinned.wnd));
    EXPECT_FALSE(Skinned(excluded.wnd));
    LtSkinRemove();
}
