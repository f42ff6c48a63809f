// The skinned menu bar's drop-downs under Wine: opened by a non-client click,
// moved along the bar by the arrow keys, a disabled item's command without a
// drop-down, the native menu given back, and owner-drawn entries behind their
// switch. A thread timer watches the menu loop and closes the menus.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "framework/ui/message_hooks.h"
#include "framework/ui/subclass.h"
#include "skin/window/menu_bar.h"
#include "tests/framework/ui/real_input.h"
#include "tests/skin/window/menu_bar_fixture.h"

namespace {

using menu_bar_test::TMenuForm;
using MenuBarTrackingTest = menu_bar_test::MenuBarFixture;

// What a timer sees while drop-downs open during a test: each newly shown
// menu, the tracked bar item and the busy flag at that moment. For the n-th
// menu seen it posts Keys[n - 1] to it, and ends the menu once the keys are used.
struct TDropDownProbe {
    TDropDownProbe(TWinSkinForm* skinner, std::vector<WORD> keys)
        : Skinner(skinner), Keys(std::move(keys)) {}
    TWinSkinForm* Skinner;
    std::vector<WORD> Keys;
    std::vector<HMENU> Opened;
    std::vector<int> TrackedIndex;
    std::vector<bool> Busy;
};
TDropDownProbe* gProbe = nullptr;

// The visible menu window of the thread, or null.
HWND OpenMenuWindow() {
    HWND w = nullptr;
    while ((w = FindWindowExW(nullptr, w, L"#32768", nullptr)) != nullptr)
        if (IsWindowVisible(w))
            return w;
    return nullptr;
}

void CALLBACK ProbeTick(HWND, UINT, UINT_PTR, DWORD) {
    TDropDownProbe& p = *gProbe;
    const HWND w = OpenMenuWindow();
    if (!w)
        return;
    const auto menu = reinterpret_cast<HMENU>(SendMessageW(w, MN_GETHMENU, 0, 0));
    if (!p.Opened.empty() && p.Opened.back() == menu)
        return;
    p.Opened.push_back(menu);
    TMenuBtn* tracked = TWinSkinMenu::TrackedItem();
    p.TrackedIndex.push_back(tracked ? tracked->Index : -1);
    p.Busy.push_back(p.Skinner->Busy);
    if (p.Opened.size() <= p.Keys.size())
        PostMessageW(w, WM_KEYDOWN, p.Keys[p.Opened.size() - 1], 0);
    else
        EndMenu();
}

// Posts a left click on the bar item (its middle, in screen coordinates) and
// handles messages until `menus` drop-downs were seen and all are closed, or
// `ms` passed.
void ClickAndWatch(TDropDownProbe& probe, const TMenuBtn& item, size_t menus, int ms) {
    RECT w{};
    GetWindowRect(probe.Skinner->Handle, &w);
    const int x = w.left + (item.Bounds.left + item.Bounds.right) / 2;
    const int y = w.top + (item.Bounds.top + item.Bounds.bottom) / 2;
    gProbe = &probe;
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, ProbeTick);
    PostMessageW(probe.Skinner->Handle, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(x, y));
    PumpUntil(
        [&] {
            return probe.Opened.size() >= menus && !OpenMenuWindow() &&
                   !TWinSkinMenu::TrackedItem();
        },
        ms);
    KillTimer(nullptr, timer);
    gProbe = nullptr;
}

} // namespace

TEST_F(MenuBarTrackingTest, ClickOpensTheDropDownAndArrowsMoveAlongTheBar) {
    TMenuForm form(Application);
    TSkinData* skin = LoadSkin(&form, model_test::ProjectSkin());
    TWinSkinForm* skinner = Skin(form, skin);
    ASSERT_NE(skinner->MenuBar, nullptr);
    EXPECT_EQ(GetMenu(form.Handle()), nullptr);
    skinner->PaintFrame(nullptr);
    TWinSkinMenu& bar = *skinner->MenuBar;
    ASSERT_GT(bar.Items[0]->Bounds.right, bar.Items[0]->Bounds.left);

    // A click opens File's drop-down; Right moves on to Edit's (Open, the
    // selected entry, has no sub-menu); the timer then ends the menu.
    TDropDownProbe probe{skinner, {VK_RIGHT}};
    ClickAndWatch(probe, *bar.Items[0], 2, 10000);
    ASSERT_EQ(probe.Opened.size(), 2u);
    EXPECT_EQ(probe.Opened[0], form.File->Handle());
    EXPECT_EQ(probe.Opened[1], form.Edit->Handle());
    EXPECT_EQ(probe.TrackedIndex, (std::vector<int>{0, 1}));
    EXPECT_EQ(probe.Busy, (std::vector<bool>{true, true}));
    EXPECT_FALSE(skinner->Busy);
    EXPECT_EQ(form.FileClicks, 1);

    // Left from File wraps to the last bar item (the hidden one is not skipped),
    // which has no drop-down: File's menu closes (it would stay open, and the
    // test hang, without the move) and nothing else opens.
    TDropDownProbe back{skinner, {VK_LEFT}};
    ClickAndWatch(back, *bar.Items[0], 1, 10000);
    ASSERT_GE(back.Opened.size(), 1u);
    EXPECT_EQ(back.Opened[0], form.File->Handle());
    EXPECT_FALSE(skinner->Busy);
    EXPECT_EQ(TWinSkinMenu::TrackedItem(), nullptr);
}

TEST_F(MenuBarTrackingTest, DisabledItemSendsItsCommandButOpensNothing) {
    TMenuForm form(Application);
    TSkinData* skin = LoadSkin(&form, model_test::ProjectSkin());
    TWinSkinForm* skinner = Skin(form, skin);
    ASSERT_NE(skinner->MenuBar, nullptr);
    skinner->PaintFrame(nullptr);
    std::vector<WPARAM> commands;
    TMessageHookLink link;
    link.Hook(form.MessageHooks(), &commands, [&](TMessage& msg, const TMessageChain& next) {
        if (msg.Msg == WM_COMMAND)
            commands.push_back(msg.WParam);
        next(msg);
    });
    TDropDownProbe probe{skinner, {}};
    ClickAndWatch(probe, *skinner->MenuBar->Items[2], 1, 400);
    EXPECT_TRUE(probe.Opened.empty());
    EXPECT_EQ(commands, (std::vector<WPARAM>{form.Help->Command()}));
    EXPECT_FALSE(skinner->Busy);
    EXPECT_EQ(TWinSkinMenu::TrackedItem(), nullptr);

    // The native menu comes back when the skin lets go.
    const HMENU native = skinner->MenuBar->MenuHandle;
    EXPECT_EQ(native, form.Menu->Handle());
    skinner->Restore();
    EXPECT_EQ(skinner->MenuBar, nullptr);
    EXPECT_EQ(GetMenu(form.Handle()), native);
}

namespace {

UINT ItemType(HMENU menu, int position, ULONG_PTR* data = nullptr) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_DATA;
    GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &mii);
    if (data)
        *data = mii.dwItemData;
    return mii.fType;
}

} // namespace

TEST_F(MenuBarTrackingTest, OwnerDrawnDropDownsBehindTheSwitch) {
    // Every entry of a menu and its sub-menus, data kept.
    HMENU inner = CreatePopupMenu();
    AppendMenuW(inner, MF_STRING, 701, L"Inner");
    HMENU outer = CreatePopupMenu();
    AppendMenuW(outer, MF_STRING, 702, L"Plain");
    AppendMenuW(outer, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(outer, MF_POPUP, reinterpret_cast<UINT_PTR>(inner), L"More");
    MENUITEMINFOW data{};
    data.cbSize = sizeof data;
    data.fMask = MIIM_DATA;
    data.dwItemData = 0x1234;
    SetMenuItemInfoW(outer, 0, TRUE, &data);
    MakeMenuOwnerDrawn(outer);
    ULONG_PTR kept = 0;
    EXPECT_TRUE(ItemType(outer, 0, &kept) & MFT_OWNERDRAW);
    EXPECT_EQ(kept, 0x1234u);
    EXPECT_TRUE(ItemType(outer, 1) & MFT_OWNERDRAW);
    EXPECT_TRUE(ItemType(outer, 1) & MFT_SEPARATOR);
    EXPECT_TRUE(ItemType(outer, 2) & MFT_OWNERDRAW);
    EXPECT_TRUE(ItemType(inner, 0) & MFT_OWNERDRAW);
    DestroyMenu(outer);

    TMenuForm form(Application);
    TSkinData* skin = LoadSkin(&form, model_test::ProjectSkin());
    TWinSkinForm* skinner = Skin(form, skin);
    skinner->PaintFrame(nullptr);
    // The window's item drawing, seen on top of the form skinner's procedure.
    struct TDrawRecorder : TWindowSubclass {
        std::vector<ULONG_PTR> items;
        void WindowMessage(TMessage& msg) override {
            if (msg.Msg == WM_DRAWITEM)
                items.push_back(reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam)->itemData);
            CallPrevious(msg);
        }
    } recorder;
    recorder.Subclass(form.Handle());
    const std::vector<ULONG_PTR>& drawn = recorder.items;
    auto openFile = [&] {
        TDropDownProbe probe{skinner, {}};
        ClickAndWatch(probe, *skinner->MenuBar->Items[0], 1, 10000);
        return probe.Opened.size();
    };
    // Off (the default): the drop-down keeps its native entries.
    EXPECT_FALSE(TWinSkinMenu::OwnerDrawnDropDowns());
    EXPECT_EQ(openFile(), 1u);
    EXPECT_FALSE(ItemType(form.File->Handle(), 0) & MFT_OWNERDRAW);
    EXPECT_TRUE(drawn.empty());
    // On: the entries are owner-drawn, drawn through the window's WM_DRAWITEM.
    TWinSkinMenu::SetOwnerDrawnDropDowns(true);
    EXPECT_EQ(openFile(), 1u);
    TWinSkinMenu::SetOwnerDrawnDropDowns(false);
    EXPECT_TRUE(ItemType(form.File->Handle(), 0) & MFT_OWNERDRAW);
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), reinterpret_cast<ULONG_PTR>(form.Open)),
              drawn.end());
}

// --- Moving across the bar with real input --------------------------------------

namespace {

// Real input sent from a thread timer inside the menu loop, without pumping
// (the loop that runs the timer handles what the input causes).
void SendKey(WORD key) {
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = key;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
}

// Moved twice: Wine's desktop may replay the previous position once.
void SendMove(POINT screen) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT in[2]{};
    for (INPUT& i : in) {
        i.type = INPUT_MOUSE;
        i.mi.dx = MulDiv(screen.x, 65536, w) + 1;
        i.mi.dy = MulDiv(screen.y, 65536, h) + 1;
        i.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    }
    SendInput(2, in, sizeof(INPUT));
}

void SendClick() {
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
}

// The middle of a bar item on the screen.
POINT ItemCentre(const TWinSkinForm& skinner, const TMenuBtn& item) {
    RECT w{};
    GetWindowRect(skinner.Handle, &w);
    return {w.left + (item.Bounds.left + item.Bounds.right) / 2,
            w.top + (item.Bounds.top + item.Bounds.bottom) / 2};
}

// Whether a visible menu window shows `menu`.
bool MenuShown(HMENU menu) {
    HWND w = nullptr;
    while ((w = FindWindowExW(nullptr, w, L"#32768", nullptr)) != nullptr)
        if (IsWindowVisible(w) &&
            reinterpret_cast<HMENU>(SendMessageW(w, MN_GETHMENU, 0, 0)) == menu)
            return true;
    return false;
}

// Steps run one after another from a thread timer: each acts once its
// condition holds. Works inside the platform's menu loop and the bar's own.
struct TInputScript {
    struct TStep {
        std::function<bool()> Ready;
        std::function<void()> Act;
    };
    explicit TInputScript(std::vector<TStep> steps) : Steps(std::move(steps)) {
        gScript = this;
        Timer = SetTimer(nullptr, 0, 25, Tick);
    }
    ~TInputScript() {
        KillTimer(nullptr, Timer);
        gScript = nullptr;
    }
    bool Done() const { return Next == Steps.size(); }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        TInputScript* s = gScript;
        if (!s || s->Done() || s->Acting || !s->Steps[s->Next].Ready())
            return;
        s->Acting = true;
        s->Steps[s->Next++].Act();
        s->Acting = false;
    }
    static inline TInputScript* gScript = nullptr;
    std::vector<TStep> Steps;
    size_t Next = 0;
    bool Acting = false;
    UINT_PTR Timer = 0;
};

// A skinned menu form in front, its bar painted, with a counter on Run.
struct TBarScene {
    TBarScene(TMenuForm& f, TWinSkinForm* s) : form(f), skinner(s) {
        form.Run->OnClick = [this](TObject*) { ++RunClicks; };
        SetForegroundWindow(form.Handle());
        skinner->PaintFrame(nullptr);
    }
    TMenuBtn& Item(int i) const { return *skinner->MenuBar->Items[static_cast<size_t>(i)]; }
    POINT Centre(int i) const { return ItemCentre(*skinner, Item(i)); }
    bool Held(int i) const { return TWinSkinMenu::HeldItem() == &Item(i) && !OpenMenuWindow(); }
    // Menu mode over: no drop-down, no held item, the bar not busy.
    bool Idle() const {
        return !OpenMenuWindow() && !TWinSkinMenu::TrackedItem() && !TWinSkinMenu::HeldItem() &&
               !skinner->Busy;
    }
    TMenuForm& form;
    TWinSkinForm* skinner;
    int RunClicks = 0;
};

} // namespace

// With File's drop-down open the pointer moves over Edit (its drop-down
// opens) and on over Run, which has none: Run is only highlighted, its
// command runs when it is clicked.
TEST_F(MenuBarTrackingTest, PointerOverTheBarSwitchesDropDownsAndOnlyHighlightsCommandItems) {
    TMenuForm form(Application);
    TBarScene s(form, Skin(form, LoadSkin(&form, model_test::ProjectSkin())));
    ASSERT_NE(s.skinner->MenuBar, nullptr);
    int clicksWhileHeld = -1, stateWhileHeld = 0;
    TInputScript script({
        {[&] { return MenuShown(form.File->Handle()); }, [&] { SendMove(s.Centre(1)); }},
        {[&] { return MenuShown(form.Edit->Handle()); }, [&] { SendMove(s.Centre(3)); }},
        {[&] { return s.Held(3); },
         [&] {
             clicksWhileHeld = s.RunClicks;
             stateWhileHeld = s.Item(3).State;
             SendClick();
         }},
    });
    // The first press comes from outside the menu loops: the pointer is
    // placed and settled first (Wine may replay an older position).
    MoveMouseTo(s.Centre(0));
    SendClick();
    EXPECT_TRUE(PumpUntil([&] { return script.Done() && s.RunClicks > 0 && s.Idle(); }, 15000))
        << "steps done: " << script.Next;
    EXPECT_EQ(clicksWhileHeld, 0);
    EXPECT_EQ(stateWhileHeld, kNCPressed);
    EXPECT_EQ(s.RunClicks, 1);
    EXPECT_GE(form.FileClicks, 1);
    EXPECT_EQ(GetCapture(), nullptr);
}

// Right moves from File to Edit, then onto the disabled Help and Run, which
// are held highlighted without their commands; Enter runs Run. Left from a
// held item opens the drop-down it reaches; Escape leaves a held item.
TEST_F(MenuBarTrackingTest, ArrowKeysHoldItemsWithoutDropDownAndEnterRunsThem) {
    TMenuForm form(Application);
    TBarScene s(form, Skin(form, LoadSkin(&form, model_test::ProjectSkin())));
    ASSERT_NE(s.skinner->MenuBar, nullptr);
    int clicksWhileHeld = -1;
    TInputScript run({
        {[&] { return MenuShown(form.File->Handle()); }, [] { SendKey(VK_RIGHT); }},
        {[&] { return MenuShown(form.Edit->Handle()); }, [] { SendKey(VK_RIGHT); }},
        {[&] { return s.Held(2); }, [] { SendKey(VK_RIGHT); }},
        {[&] { return s.Held(3); },
         [&] {
             clicksWhileHeld = s.RunClicks;
             SendKey(VK_RETURN);
         }},
    });
    MoveMouseTo(s.Centre(0));
    SendClick();
    EXPECT_TRUE(PumpUntil([&] { return run.Done() && s.RunClicks > 0 && s.Idle(); }, 15000))
        << "steps done: " << run.Next;
    EXPECT_EQ(clicksWhileHeld, 0);
    EXPECT_EQ(s.RunClicks, 1);

    bool editAgain = false;
    TInputScript back({
        {[&] { return MenuShown(form.File->Handle()); }, [] { SendKey(VK_RIGHT); }},
        {[&] { return MenuShown(form.Edit->Handle()); }, [] { SendKey(VK_RIGHT); }},
        {[&] { return s.Held(2); }, [] { SendKey(VK_LEFT); }},
        {[&] { return MenuShown(form.Edit->Handle()); },
         [&] {
             editAgain = true;
             SendKey(VK_RIGHT);
         }},
        {[&] { return s.Held(2); }, [] { SendKey(VK_ESCAPE); }},
    });
    MoveMouseTo(s.Centre(0));
    SendClick();
    EXPECT_TRUE(PumpUntil([&] { return back.Done() && s.Idle(); }, 15000))
        << "steps done: " << back.Next;
    EXPECT_TRUE(editAgain);
    EXPECT_EQ(s.RunClicks, 1);
    EXPECT_EQ(GetCapture(), nullptr);
}

// Right on an entry with a sub-menu opens the sub-menu and stays on the bar
// item; in a right-to-left menu Left is Right: from an entry without a
// sub-menu it moves on to the next bar item.
TEST_F(MenuBarTrackingTest, RightOpensAnEntrysSubMenuAndRightToLeftMenusSwapTheArrows) {
    TMenuForm form(Application);
    TMenuItem* recent = TMenuForm::Add(form.File, L"&Recent");
    TMenuForm::Add(recent, L"One");
    TBarScene s(form, Skin(form, LoadSkin(&form, model_test::ProjectSkin())));
    ASSERT_NE(s.skinner->MenuBar, nullptr);
    auto selected = [&](int position) {
        return MenuShown(form.File->Handle()) &&
               (GetMenuState(form.File->Handle(), static_cast<UINT>(position), MF_BYPOSITION) &
                MF_HILITE) != 0;
    };
    const TMenuBtn* trackedInSubMenu = nullptr;
    TInputScript sub({
        {[&] { return selected(0); }, [] { SendKey(VK_UP); }},
        {[&] { return selected(3); }, [] { SendKey(VK_RIGHT); }},
        {[&] { return MenuShown(recent->Handle()); },
         [&] {
             trackedInSubMenu = TWinSkinMenu::TrackedItem();
             EndMenu();
         }},
    });
    MoveMouseTo(s.Centre(0));
    SendClick();
    EXPECT_TRUE(PumpUntil([&] { return sub.Done() && s.Idle(); }, 15000))
        << "steps done: " << sub.Next;
    EXPECT_EQ(trackedInSubMenu, &s.Item(0));

    form.Menu->SetBiDiMode(bdRightToLeft);
    ASSERT_TRUE(form.Open->IsRightToLeft());
    TInputScript swapped({
        {[&] { return selected(0); }, [] { SendKey(VK_LEFT); }},
        {[&] { return MenuShown(form.Edit->Handle()); }, [] { EndMenu(); }},
    });
    MoveMouseTo(s.Centre(0));
    SendClick();
    EXPECT_TRUE(PumpUntil([&] { return swapped.Done() && s.Idle(); }, 15000))
        << "steps done: " << swapped.Next;
}
