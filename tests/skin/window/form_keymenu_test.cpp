// The keyboard's way into a skinned window's menus, with real keys (SendInput)
// under Wine: Alt+Space opens the system menu under the window icon with its
// first item selected, Move and Size by keys change the window's rectangle and
// Esc puts it back, the commands are greyed by the window's state and act;
// Alt+- opens the active MDI child's menu; F10 and Alt alone keep a window with
// a skinned menu bar out of the platform's menu mode; Alt+letter opens a raw
// window's bar item. The key strokes are sent from a timer, which runs inside
// the modal menu, move and size loops; each check waits until every stroke
// was taken and the loops have ended.
#include <gtest/gtest.h>

#include "framework/ui/form.h"
#include "framework/ui/menus.h"
#include "skin/window/form_skinner.h"
#include "skin/window/popup_menu.h"
#include "skin/window/skin_manager.h"
#include "tests/framework/ui/ui_test_util.h"
#include "tests/skin/window/key_feed.h"
#include "tests/skin/window/menu_bar_fixture.h"
#include "tests/skin/model/model_fixture.h"
#include "tests/skin/window/skinned_form_setup.h"

namespace {

using namespace key_feed;

RECT WindowRectOf(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return r;
}

// A rectangle moved by (dx, dy) and grown by (dw, dh) at its right and bottom.
RECT Changed(RECT r, int dx, int dy, int dw = 0, int dh = 0) {
    OffsetRect(&r, dx, dy);
    r.right += dw;
    r.bottom += dh;
    return r;
}

::testing::AssertionResult SameRect(const RECT& a, const RECT& b) {
    if (EqualRect(&a, &b))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "(" << a.left << "," << a.top << "," << a.right << "," << a.bottom << ") vs ("
           << b.left << "," << b.top << "," << b.right << "," << b.bottom << ")";
}

class TPlainForm : public TForm {
public:
    explicit TPlainForm(TComponent* owner) : TForm(owner) { SetBounds(160, 120, 420, 300); }
};

// Which system menu a case runs: the window's native one (the program's main
// window: no `xcSystemMenu`) or the skinned popup (the gallery).
enum class TMenuKind { Native, Skinned };

// The skin manager with the program's skin; the system menu skinned or not.
class TKeyMenuSetup : protected TSkinnedFormSetup {
protected:
    void Start(bool skinnedMenu) {
        StartSkinning([skinnedMenu](TSkinData& data) {
            if (skinnedMenu)
                InstallPopupMenuSkins();
            TSkinControlTypes kinds = data.SkinControls();
            if (skinnedMenu)
                kinds.Include(xcSystemMenu);
            else
                kinds.Exclude(xcSystemMenu);
            data.SetSkinControls(kinds);
        });
    }
    void Stop() {
        StopSkinning();
        TSkinManage::SetPopupSkinnerFactory(nullptr);
        TWinSkinForm::SetSkinnedSystemMenu(false);
    }
};

// The window icon's button of a skinner.
const TWinSysButton* IconButton(const TWinSkinForm& s) {
    for (auto& b : s.Buttons())
        if (b->Visible && ShowsWindowIcon(*b->SkinButton))
            return b.get();
    return nullptr;
}

class KeyMenuTest : public ::testing::TestWithParam<TMenuKind>, protected TKeyMenuSetup {
protected:
    void SetUp() override { Start(Skinned()); }
    void TearDown() override { Stop(); }
    bool Skinned() const { return GetParam() == TMenuKind::Skinned; }
    // Positions in the system menu, counted from its first item: the native
    // menu lists restore, move, size, minimise, maximise, close; the skinned
    // one restore, move, size, maximise, minimise, close.
    int Below(UINT command) const {
        switch (command) {
        case SC_MOVE:
            return 1;
        case SC_SIZE:
            return 2;
        case SC_MINIMIZE:
            return Skinned() ? 4 : 3;
        case SC_MAXIMIZE:
            return Skinned() ? 3 : 4;
        default: // SC_CLOSE
            return 5;
        }
    }
    // Alt+Space, then Down to the command, then Enter.
    static void Choose(TKeys& keys, int below) {
        keys.Chord({VK_MENU, VK_SPACE}).Tap(VK_DOWN, below).Tap(VK_RETURN);
    }
};

TEST_P(KeyMenuTest, AltSpaceOpensTheMenuUnderTheIconWithItsFirstItemSelected) {
    TPlainForm form(Application);
    form.Show();
    TWinSkinForm* s = Skin(form.Handle());
    ASSERT_NE(s, nullptr);
    HWND wnd = form.Handle();
    const TWinSysButton* icon = IconButton(*s);
    ASSERT_NE(icon, nullptr);
    const RECT before = WindowRectOf(wnd);

    TKeys keys;
    keys.Chord({VK_MENU, VK_SPACE}).Tap(VK_ESCAPE);
    ASSERT_TRUE(keys.Run(wnd));
    EXPECT_EQ(gSeen.MenuLoops, 1);
    EXPECT_EQ(gSeen.FirstMenu, Skinned() ? s->SystemMenuPopup->Handle() : s->SystemMenu);
    // The menu's top-left corner at the icon's bottom-left corner.
    EXPECT_EQ(gSeen.MenuRect.left, before.left + icon->Bounds.left);
    EXPECT_EQ(gSeen.MenuRect.top, before.top + icon->Bounds.bottom);
    // The first item is restore: the native command, or the skinned item's.
    const int restore = Skinned()
                            ? static_cast<int>(s->SystemMenuPopup->Items()->Items(0)->Command())
                            : static_cast<int>(SC_RESTORE);
    EXPECT_EQ(gSeen.FirstSelected, restore);
    EXPECT_TRUE(SameRect(WindowRectOf(wnd), before));
    EXPECT_TRUE(IsWindowVisible(wnd));
}

TEST_P(KeyMenuTest, MoveAndSizeByKeysAndEscPutsTheWindowBack) {
    TPlainForm form(Application);
    form.Show();
    TWinSkinForm* s = Skin(form.Handle());
    ASSERT_NE(s, nullptr);
    HWND wnd = form.Handle();
    const RECT start = WindowRectOf(wnd);
    RECT client0{};
    GetClientRect(wnd, &client0);

    // Move: one step (8 pixels) right, kept with Enter.
    {
        TKeys keys;
        Choose(keys, Below(SC_MOVE));
        keys.Arrow(VK_RIGHT).End(VK_RETURN);
        ASSERT_TRUE(keys.Run(wnd));
    }
    const RECT moved = WindowRectOf(wnd);
    EXPECT_TRUE(SameRect(moved, Changed(start, 8, 0)));

    // Move down, then Esc: back where it was.
    {
        TKeys keys;
        Choose(keys, Below(SC_MOVE));
        keys.Arrow(VK_DOWN).End(VK_ESCAPE);
        ASSERT_TRUE(keys.Run(wnd));
    }
    EXPECT_TRUE(SameRect(WindowRectOf(wnd), moved));

    // Size: the first Right takes the right edge, the next one widens.
    {
        TKeys keys;
        Choose(keys, Below(SC_SIZE));
        keys.Tap(VK_RIGHT).Arrow(VK_RIGHT).End(VK_RETURN);
        ASSERT_TRUE(keys.Run(wnd));
    }
    const RECT sized = WindowRectOf(wnd);
    EXPECT_TRUE(SameRect(sized, Changed(moved, 0, 0, 8, 0)));
    // The skinned frame keeps its thickness: the client area grew as much.
    RECT client{};
    GetClientRect(wnd, &client);
    EXPECT_EQ(client.right - client0.right, sized.right - moved.right);
    EXPECT_EQ(client.bottom, client0.bottom);

    // Size by the bottom edge, then Esc: the size it had.
    {
        TKeys keys;
        Choose(keys, Below(SC_SIZE));
        keys.Tap(VK_DOWN).Arrow(VK_DOWN).End(VK_ESCAPE);
        ASSERT_TRUE(keys.Run(wnd));
    }
    EXPECT_TRUE(SameRect(WindowRectOf(wnd), sized));
}

TEST_P(KeyMenuTest, CommandsAreGreyedByTheWindowStateAndAct) {
    TPlainForm form(Application);
    int closes = 0;
    form.OnCloseQuery = [&closes](TObject*, bool& canClose) {
        ++closes;
        canClose = false;
    };
    form.Show();
    TWinSkinForm* s = Skin(form.Handle());
    ASSERT_NE(s, nullptr);
    HWND wnd = form.Handle();
    const RECT start = WindowRectOf(wnd);
    // Whether a command was enabled when the menu last showed.
    auto enabled = [&](UINT command) {
        if (!Skinned())
            return (GetMenuState(s->SystemMenu, command, MF_BYCOMMAND) & MF_GRAYED) == 0;
        TMenuItem* root = s->SystemMenuPopup->Items();
        for (int i = 0; i < root->Count(); ++i)
            if (SystemMenuCommand(root->Items(i)->Tag()) == command)
                return root->Items(i)->Enabled();
        return false;
    };

    // Normal: restore greyed, the rest enabled; maximise acts.
    {
        TKeys keys;
        Choose(keys, Below(SC_MAXIMIZE));
        ASSERT_TRUE(keys.Run(wnd));
    }

    EXPECT_FALSE(enabled(SC_RESTORE));
    EXPECT_TRUE(enabled(SC_MOVE) && enabled(SC_SIZE) && enabled(SC_MINIMIZE) &&
                enabled(SC_MAXIMIZE) && enabled(SC_CLOSE));
    ASSERT_TRUE(PumpUntil([wnd] { return IsZoomed(wnd) != 0; }, kCeilingMs));

    // Maximised: move, size and maximise greyed, and a greyed move does
    // nothing; restore (the first item) acts.
    {
        TKeys keys;
        Choose(keys, Below(SC_MOVE));
        keys.Tap(VK_RIGHT).Tap(VK_RETURN);
        ASSERT_TRUE(keys.Run(wnd));
    }
    EXPECT_TRUE(enabled(SC_RESTORE) && enabled(SC_MINIMIZE) && enabled(SC_CLOSE));
    EXPECT_FALSE(enabled(SC_MOVE) || enabled(SC_SIZE) || enabled(SC_MAXIMIZE));
    EXPECT_TRUE(IsZoomed(wnd));
    {
        TKeys keys;
        Choose(keys, 0);
        ASSERT_TRUE(keys.Run(wnd));
    }
    ASSERT_TRUE(PumpUntil([wnd] { return !IsZoomed(wnd); }, kCeilingMs));
    EXPECT_TRUE(SameRect(WindowRectOf(wnd), start));

    // Minimise acts.
    {
        TKeys keys;
        Choose(keys, Below(SC_MINIMIZE));
        ASSERT_TRUE(keys.Run(wnd));
    }
    ASSERT_TRUE(PumpUntil([wnd] { return IsIconic(wnd) != 0; }, kCeilingMs));
    ShowWindow(wnd, SW_RESTORE);
    ASSERT_TRUE(PumpUntil([wnd] { return !IsIconic(wnd); }, kCeilingMs));

    // Close asks the form.
    {
        TKeys keys;
        Choose(keys, Below(SC_CLOSE));
        ASSERT_TRUE(keys.Run(wnd));
    }
    EXPECT_TRUE(PumpUntil([&closes] { return closes == 1; }, kCeilingMs));
    EXPECT_TRUE(IsWindowVisible(wnd));
}

INSTANTIATE_TEST_SUITE_P(BothMenus, KeyMenuTest,
                         ::testing::Values(TMenuKind::Native, TMenuKind::Skinned),
                         [](const ::testing::TestParamInfo<TMenuKind>& info) {
                             return info.param == TMenuKind::Native ? "Native" : "Skinned";
                         });

class KeyMenuWindowsTest : public ::testing::Test, protected TKeyMenuSetup {
protected:
    void SetUp() override { Start(false); }
    void TearDown() override { Stop(); }
};

TEST_F(KeyMenuWindowsTest, AltMinusOpensTheActiveMDIChildsMenuAndMovesTheChild) {
    TPlainForm frame(Application);
    frame.SetBounds(100, 80, 640, 460);
    ShowMDIFrame(frame);
    TWinSkinForm* fs = Skin(frame.Handle());
    ASSERT_NE(fs, nullptr);
    TForm* child = AddMDIChild(frame, L"Child", 20, 20, 260, 170);
    HWND cw = child->Handle();
    TWinSkinForm* cs = nullptr;
    ASSERT_TRUE(PumpUntil(
        [&] {
            cs = dynamic_cast<TWinSkinForm*>(M().FindFormSkinner(cw));
            return cs && cs->State() == TFormSkinnerState::Skinned;
        },
        kCeilingMs));
    const TWinSysButton* icon = IconButton(*cs);
    ASSERT_NE(icon, nullptr);
    const RECT start = WindowRectOf(cw);

    // Alt+- with the focus in the child: the child's own menu, under its icon.
    {
        TKeys keys;
        keys.Chord({VK_MENU, VK_OEM_MINUS}).Tap(VK_ESCAPE);
        ASSERT_TRUE(keys.Run(frame.Handle(), cw));
    }
    EXPECT_EQ(gSeen.FirstMenu, cs->SystemMenu);
    EXPECT_EQ(gSeen.FirstSelected, static_cast<int>(SC_RESTORE));
    EXPECT_EQ(gSeen.MenuRect.left, start.left + icon->Bounds.left);
    EXPECT_EQ(gSeen.MenuRect.top, start.top + icon->Bounds.bottom);
    // Alt+Space there is the frame's menu.
    {
        TKeys keys;
        keys.Chord({VK_MENU, VK_SPACE}).Tap(VK_ESCAPE);
        ASSERT_TRUE(keys.Run(frame.Handle(), cw));
    }
    EXPECT_EQ(gSeen.FirstMenu, fs->SystemMenu);
    // Move by keys moves the child inside the frame.
    {
        TKeys keys;
        keys.Chord({VK_MENU, VK_OEM_MINUS}).Tap(VK_DOWN).Tap(VK_RETURN);
        keys.Arrow(VK_RIGHT).End(VK_RETURN);
        ASSERT_TRUE(keys.Run(frame.Handle(), cw));
    }
    EXPECT_TRUE(SameRect(WindowRectOf(cw), Changed(start, 8, 0)));
}

TEST_F(KeyMenuWindowsTest, F10AndAltAloneKeepAWindowWithASkinnedBarOutOfMenuMode) {
    menu_bar_test::TMenuForm form(Application);
    form.Show();
    TWinSkinForm* s = Skin(form.Handle());
    ASSERT_NE(s, nullptr);
    ASSERT_NE(s->MenuBar, nullptr);
    HWND wnd = form.Handle();
    // F10, or Alt pressed and let go, then Down: no menu mode, no menu.
    for (WORD key : {WORD{VK_F10}, WORD{VK_MENU}}) {
        SCOPED_TRACE(key);
        TKeys keys;
        keys.Tap(key).Tap(VK_DOWN).Tap(VK_ESCAPE);
        ASSERT_TRUE(keys.Run(wnd));
        EXPECT_EQ(gSeen.MenuLoops, 0);
        EXPECT_EQ(gSeen.FirstMenu, nullptr);
    }
    // Alt+letter still opens the bar's item.
    {
        TKeys keys;
        keys.Chord({VK_MENU, 'F'}).Tap(VK_ESCAPE);
        ASSERT_TRUE(keys.Run(wnd));
    }
    EXPECT_EQ(gSeen.FirstMenu, form.File->Handle());
    EXPECT_EQ(form.FileClicks, 1);
}

LRESULT CALLBACK RawProc(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
    return DefWindowProcW(wnd, msg, w, l);
}

TEST_F(KeyMenuWindowsTest, AltLetterOpensTheItemOfARawWindowsBar) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = RawProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"LtKeyMenuRaw";
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&wc);
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 101, L"&Open");
    HMENU edit = CreatePopupMenu();
    AppendMenuW(edit, MF_STRING, 102, L"&Copy");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), L"&Edit");
    HWND raw = CreateWindowExW(0, wc.lpszClassName, L"Raw", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200,
                               150, 420, 300, nullptr, bar, wc.hInstance, nullptr);
    ASSERT_NE(raw, nullptr);
    TWinSkinForm* s = Skin(raw);
    ASSERT_NE(s, nullptr);
    ASSERT_NE(s->MenuBar, nullptr);
    ASSERT_EQ(s->MenuBar->Items.size(), 2u);
    {
        TKeys keys;
        keys.Chord({VK_MENU, 'E'}).Tap(VK_ESCAPE);
        ASSERT_TRUE(keys.Run(raw));
    }
    EXPECT_EQ(gSeen.FirstMenu, edit) << "Alt+E opens the Edit item's drop-down";
    EXPECT_EQ(gSeen.MenuLoops, 0) << "not the platform's menu mode";
    DestroyWindow(raw);
    UnregisterClassW(wc.lpszClassName, wc.hInstance);
}

} // namespace
