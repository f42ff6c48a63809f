// The skinned menu bar: its layout and separator rules, the builders from a
// framework menu, a native menu and by command, accelerators and the keyboard
// menu, pixel-exact bar and item paint.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/gdi/color.h"
#include "framework/ui/message_hooks.h"
#include "skin/window/menu_bar.h"
#include "skin/window/menu_items.h"
#include "tests/framework/ui/real_input.h"
#include "tests/skin/window/menu_bar_fixture.h"

namespace {

using menu_bar_test::TMenuForm;
using MenuBarTest = menu_bar_test::MenuBarFixture;

// "L" visible separator, "l" hidden one, "I" visible item, "i" hidden item.
std::vector<TMenuEntry> Entries(const std::string& s) {
    std::vector<TMenuEntry> e;
    for (char c : s)
        e.push_back({c == 'L' || c == 'l', c == 'L' || c == 'I'});
    return e;
}
// The tidied visibility in the same letters.
std::string Tidied(const std::string& s) {
    const std::vector<bool> v = TidySeparators(Entries(s));
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        const bool line = s[i] == 'L' || s[i] == 'l';
        out += line ? (v[i] ? 'L' : 'l') : (v[i] ? 'I' : 'i');
    }
    return out;
}

// Width of a caption in the menu font, as the bar measures it.
int MenuTextWidth(const std::wstring& text) {
    const LOGFONTW lf = MenuLogFont();
    TFontHandle font(CreateFontIndirectW(&lf));
    TClientDC screen(nullptr);
    TSelectObject select(screen.Handle(), font.Get());
    SIZE size{};
    GetTextExtentPoint32W(screen.Handle(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// A skin whose menu-bar picture is red above (frame 1) and green below
// (frame 2), with margins 3 and 5 and known text and frame colours.
std::vector<uint8_t> MenuSkin(bool withMenuBar) {
    std::string ini = "[Personality]\n";
    if (withMenuBar)
        ini += "menuBar=menu.bmp\nTileMenu=1\nTileLeftMenu=3\nTileRightMenu=5\n";
    ini += "[Colours]\nMenubar=10 20 30\nMenuBarText=0 0 200\nButtonHilight=1 2 3\n";
    return PackSkinArchive({model_test::IniEntry(ini),
                            model_test::Entry("menu.bmp", model_test::Bmp24(20, 22, [](int, int y) {
                                                  return y < 11 ? 0x000000FFu : 0x0000FF00u;
                                              }))});
}

bool Same(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

// Pixels of a colour inside a rectangle of a DC.
int CountColour(HDC dc, const RECT& r, COLORREF colour) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += GetPixel(dc, x, y) == colour;
    return n;
}

// Pixels inside a rectangle that differ from `background` and pass `test`.
template <class F> int CountMixed(HDC dc, const RECT& r, COLORREF background, F test) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            n += c != background && test(c);
        }
    return n;
}

} // namespace

TEST(MenuBarRules, WidthsStartOffsetsAndLayout) {
    EXPECT_EQ(MenuItemWidth(0), 0);
    EXPECT_EQ(MenuItemWidth(1), 11);
    EXPECT_EQ(MenuItemWidth(37), 47);

    TDataSkinObject bar;
    bar.LeftWidth = 3;
    bar.RightWidth = 5;
    EXPECT_EQ(MenuBarStartOffset(&bar, false, 200), 7);
    EXPECT_EQ(MenuBarStartOffset(&bar, true, 200), 13);
    EXPECT_EQ(MenuBarStartOffset(&bar, false, 7), 7);
    EXPECT_EQ(MenuBarStartOffset(&bar, false, 6), 12);
    EXPECT_EQ(MenuBarStartOffset(&bar, true, 12), 12);
    EXPECT_EQ(MenuBarStartOffset(nullptr, false, 200), 6);
    EXPECT_EQ(MenuBarStartOffset(nullptr, true, 2), 6);

    // Visible, hidden, empty caption, visible.
    const std::vector<TMenuBarSlot> slots{{true, 20}, {false, 30}, {true, 0}, {true, 15}};
    const std::vector<RECT> ltr = LayoutMenuBar(slots, 7, 100, 20, false);
    ASSERT_EQ(ltr.size(), 4u);
    EXPECT_TRUE(Same(ltr[0], RECT{7, 0, 27, 19}));
    EXPECT_TRUE(IsRectEmpty(&ltr[1]));
    EXPECT_TRUE(Same(ltr[2], RECT{27, 0, 27, 19}));
    EXPECT_TRUE(Same(ltr[3], RECT{27, 0, 42, 19}));
    const std::vector<RECT> rtl = LayoutMenuBar(slots, 13, 100, 20, true);
    EXPECT_TRUE(Same(rtl[0], RECT{67, 0, 87, 19}));
    EXPECT_TRUE(IsRectEmpty(&rtl[1]));
    EXPECT_TRUE(Same(rtl[2], RECT{67, 0, 67, 19}));
    EXPECT_TRUE(Same(rtl[3], RECT{52, 0, 67, 19}));
    EXPECT_EQ(MenuBarFrame(true), 1);
    EXPECT_EQ(MenuBarFrame(false), 2);
}

TEST(MenuBarRules, SeparatorTidying) {
    EXPECT_EQ(Tidied(""), "");
    // Leading and trailing separators go; of a run only the last stays.
    EXPECT_EQ(Tidied("LILLIL"), "lIlLIl");
    // The last of a run shows even when it was hidden.
    EXPECT_EQ(Tidied("IlI"), "ILI");
    EXPECT_EQ(Tidied("ILlI"), "IlLI");
    // A hidden item does not end a run and stays hidden.
    EXPECT_EQ(Tidied("ILiLI"), "IliLI");
    EXPECT_EQ(Tidied("iLI"), "ilI");
    EXPECT_EQ(Tidied("ILi"), "Ili");
    // No visible item: every separator goes.
    EXPECT_EQ(Tidied("LlL"), "lll");
    EXPECT_EQ(Tidied("LiL"), "lil");

    // On a framework item's entries.
    TMainMenu menu(nullptr);
    TMenuItem* file = TMenuForm::Add(menu.Items(), L"&File");
    for (const wchar_t* c : {L"-", L"&Open", L"-", L"-", L"&Close", L"-"})
        TMenuForm::Add(file, c);
    TidySeparators(*file);
    std::string seen;
    for (int i = 0; i < file->Count(); ++i)
        seen += file->Items(i)->Visible() ? '1' : '0';
    EXPECT_EQ(seen, "010110");
}

TEST_F(MenuBarTest, BuildsItemsFromTheFrameworkMenu) {
    TMenuForm form(Application);
    form.Show();
    const HMENU native = GetMenu(form.Handle());
    ASSERT_NE(native, nullptr);
    TWinSkinForm skinner(nullptr);
    skinner.Handle = form.Handle();
    TWinSkinMenu bar(&skinner);
    bar.FrameworkMenu = form.Menu;
    bar.BuildFromFrameworkMenu();
    EXPECT_EQ(bar.MenuHandle, native);
    EXPECT_EQ(GetMenu(form.Handle()), nullptr);
    ASSERT_EQ(bar.Items.size(), 5u);
    const TMenuBtn& file = *bar.Items[0];
    EXPECT_EQ(file.Caption, L"&File");
    EXPECT_EQ(file.Item, form.File);
    EXPECT_EQ(file.Command, form.File->Command());
    EXPECT_EQ(file.SubMenu, form.File->Handle());
    EXPECT_TRUE(file.Enabled);
    EXPECT_FALSE(bar.Items[2]->Enabled);
    EXPECT_EQ(bar.Items[3]->SubMenu, nullptr);
    EXPECT_FALSE(bar.Items[4]->Visible);
    EXPECT_EQ(bar.Items[4]->Index, 4);
    EXPECT_EQ(bar.Items[4]->Owner, &skinner);

    // A rebuild without a native menu keeps the handle it stands for.
    form.Run->SetCaption(L"&Go");
    bar.BuildFromFrameworkMenu();
    EXPECT_EQ(bar.MenuHandle, native);
    ASSERT_EQ(bar.Items.size(), 5u);
    EXPECT_EQ(bar.Items[3]->Caption, L"&Go");
    SetMenu(form.Handle(), native);
}

namespace {

// A framework menu of three items: "&Zero" (with a sub-item), a disabled "&One", "&Two".
struct TZeroOneTwo {
    TZeroOneTwo() {
        Zero = TMenuForm::Add(Menu.Items(), L"&Zero");
        TMenuForm::Add(Zero, L"Inner");
        One = TMenuForm::Add(Menu.Items(), L"&One");
        One->SetEnabled(false);
        TMenuForm::Add(Menu.Items(), L"&Two");
    }
    TMainMenu Menu{nullptr};
    TMenuItem* Zero;
    TMenuItem* One;
};

} // namespace

TEST_F(MenuBarTest, BuildsItemsFromANativeMenu) {
    TForm form(Application);
    form.SetBounds(100, 100, 300, 200);
    form.Show();
    HMENU sub = CreatePopupMenu();
    AppendMenuW(sub, MF_STRING, 600, L"Sub");
    HMENU native = CreateMenu();
    AppendMenuW(native, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"&Alpha");
    AppendMenuW(native, MF_STRING | MF_GRAYED, 501, L"&Beta");
    AppendMenuW(native, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(native, MF_STRING, 503, L"&Gamma");
    SetMenu(form.Handle(), native);

    TWinSkinForm skinner(nullptr);
    skinner.Handle = form.Handle();
    TWinSkinMenu bar(&skinner);
    bar.BuildFromNativeMenu();
    EXPECT_EQ(GetMenu(form.Handle()), nullptr);
    EXPECT_EQ(bar.MenuHandle, native);
    EXPECT_EQ(bar.ItemCount, 4);
    ASSERT_EQ(bar.Items.size(), 4u);
    EXPECT_EQ(bar.Items[0]->Caption, L"&Alpha");
    EXPECT_EQ(bar.Items[0]->SubMenu, sub);
    EXPECT_FALSE(bar.Items[1]->Enabled);
    EXPECT_EQ(bar.Items[1]->Command, 501u);
    EXPECT_EQ(bar.Items[2]->Caption, L"");
    EXPECT_EQ(bar.Items[3]->Caption, L"&Gamma");
    EXPECT_TRUE(bar.Items[3]->Visible);

    // The framework overrides by position (entries with text only).
    TZeroOneTwo fw;
    bar.FrameworkMenu = &fw.Menu;
    bar.BuildFromNativeMenu();
    ASSERT_EQ(bar.Items.size(), 4u);
    EXPECT_EQ(bar.Items[0]->Caption, L"&Zero");
    EXPECT_EQ(bar.Items[0]->SubMenu, fw.Zero->Handle());
    EXPECT_EQ(bar.Items[0]->Command, GetMenuItemID(native, 0));
    EXPECT_EQ(bar.Items[0]->Item, fw.Zero);
    EXPECT_EQ(bar.Items[1]->Caption, L"&One");
    EXPECT_FALSE(bar.Items[1]->Enabled);
    EXPECT_EQ(bar.Items[1]->Command, 501u);
    EXPECT_EQ(bar.Items[2]->Caption, L"");
    EXPECT_EQ(bar.Items[2]->Item, nullptr);
    EXPECT_EQ(bar.Items[3]->Caption, L"&Gamma");
    DestroyMenu(native);
}

TEST_F(MenuBarTest, BuildsItemsByCommand) {
    TForm form(Application);
    form.SetBounds(100, 100, 300, 200);
    form.Show();
    TZeroOneTwo fw;
    TWinSkinForm skinner(nullptr);
    skinner.Handle = form.Handle();
    TWinSkinMenu bar(&skinner);
    bar.FrameworkMenu = &fw.Menu;
    // The framework item with the entry's identifier, in any order.
    HMENU byCommand = CreateMenu();
    AppendMenuW(byCommand, MF_STRING, fw.One->Command(), L"native one");
    AppendMenuW(byCommand, MF_STRING, fw.Zero->Command(), L"native zero");
    AppendMenuW(byCommand, MF_STRING, 999, L"&Other");
    SetMenu(form.Handle(), byCommand);
    bar.BuildByCommand(byCommand);
    EXPECT_EQ(bar.MenuHandle, byCommand);
    EXPECT_EQ(GetMenu(form.Handle()), nullptr);
    ASSERT_EQ(bar.Items.size(), 3u);
    EXPECT_EQ(bar.Items[0]->Caption, L"&One");
    EXPECT_EQ(bar.Items[0]->Command, fw.One->Command());
    EXPECT_FALSE(bar.Items[0]->Enabled);
    EXPECT_EQ(bar.Items[1]->Caption, L"&Zero");
    EXPECT_EQ(bar.Items[1]->SubMenu, fw.Zero->Handle());
    EXPECT_EQ(bar.Items[2]->Caption, L"&Other");
    EXPECT_EQ(bar.Items[2]->Command, 999u);
    // Without a menu the handle stays.
    bar.BuildByCommand(nullptr);
    EXPECT_EQ(bar.MenuHandle, byCommand);
    ASSERT_EQ(bar.Items.size(), 3u);
    DestroyMenu(byCommand);
}

TEST_F(MenuBarTest, AcceleratorsKeyboardMenuAndDialogChars) {
    TMenuForm form(Application);
    form.Show();
    TWinSkinForm skinner(nullptr);
    skinner.Handle = form.Handle();
    TWinSkinMenu bar(&skinner);
    bar.FrameworkMenu = form.Menu;
    bar.BuildFromFrameworkMenu();
    EXPECT_EQ(bar.ItemForAccelerator(L'f'), bar.Items[0].get());
    EXPECT_EQ(bar.ItemForAccelerator(L'E'), bar.Items[1].get());
    EXPECT_EQ(bar.ItemForAccelerator(L'h'), nullptr); // disabled
    EXPECT_EQ(bar.ItemForAccelerator(L'z'), nullptr); // hidden
    EXPECT_EQ(bar.ItemForAccelerator(L'q'), nullptr);

    auto keyMenu = [&](WPARAM command, wchar_t ch) {
        return bar.HandleKeyMenu(TMessage{WM_SYSCOMMAND, command, ch, 0});
    };
    EXPECT_TRUE(keyMenu(SC_KEYMENU, 0));
    EXPECT_TRUE(keyMenu(SC_KEYMENU | 2, L'R'));
    EXPECT_FALSE(keyMenu(SC_KEYMENU, L'q'));
    EXPECT_FALSE(keyMenu(SC_CLOSE, 0));
    // Space and "-" stay the system's, even as accelerators.
    form.Run->SetCaption(L"& Space");
    form.Edit->SetCaption(L"&-Dash");
    bar.BuildFromFrameworkMenu();
    EXPECT_NE(bar.ItemForAccelerator(L' '), nullptr);
    EXPECT_NE(bar.ItemForAccelerator(L'-'), nullptr);
    EXPECT_FALSE(keyMenu(SC_KEYMENU, L' '));
    EXPECT_FALSE(keyMenu(SC_KEYMENU, L'-'));
    skinner.Busy = true;
    EXPECT_FALSE(keyMenu(SC_KEYMENU, 0));
    skinner.Busy = false;
    SetCapture(form.Handle());
    EXPECT_FALSE(keyMenu(SC_KEYMENU, 0));
    ReleaseCapture();
    EXPECT_TRUE(keyMenu(SC_KEYMENU, 0));

    // Alt+letter posts a non-client click at the item's top-left + (1, 1).
    bar.Items[0]->Bounds = RECT{30, 40, 60, 58};
    MSG m;
    while (PeekMessageW(&m, form.Handle(), WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE)) {
    }
    EXPECT_FALSE(bar.HandleDialogChar(TMessage{CM_DIALOGCHAR, L'f', 0, 0}));
    EXPECT_FALSE(PeekMessageW(&m, form.Handle(), WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_NOREMOVE));
    EXPECT_FALSE(bar.HandleDialogChar(TMessage{CM_DIALOGCHAR, L'q', 0x20000000, 0}));
    EXPECT_TRUE(bar.HandleDialogChar(TMessage{CM_DIALOGCHAR, L'F', 0x20000000, 0}));
    ASSERT_TRUE(PeekMessageW(&m, form.Handle(), WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
    RECT w{};
    GetWindowRect(form.Handle(), &w);
    EXPECT_EQ(m.wParam, 1u);
    EXPECT_EQ(static_cast<short>(LOWORD(m.lParam)), w.left + 31);
    EXPECT_EQ(static_cast<short>(HIWORD(m.lParam)), w.top + 41);
    SetMenu(form.Handle(), bar.MenuHandle);
}

namespace {

// A bar of three items ("&File", an empty caption, a disabled "&Help") on an
// unattached form skinner, painted into a white 240 x 40 bitmap at (5, 7, 205, 27).
struct TPaintBench {
    TPaintBench() : bar(&skinner), target(240, 40) {
        skin = LoadMenuSkin(true);
        plain = LoadMenuSkin(false);
        bar.SkinData = skin;
        for (const wchar_t* caption : {L"&File", L"", L"&Help"}) {
            bar.Items.push_back(std::make_unique<TMenuBtn>(&bar, &skinner));
            bar.Items.back()->Caption = caption;
            bar.Items.back()->SkinData = skin;
            bar.Items.back()->Visible = true;
        }
        bar.Items[2]->Enabled = false;
        dc = target.Canvas().Handle();
        PatBlt(dc, 0, 0, 240, 40, WHITENESS);
    }
    TSkinData* LoadMenuSkin(bool withMenuBar) {
        auto* d = new TSkinData(&owner);
        EXPECT_TRUE(model_test::LoadBytes(*d, MenuSkin(withMenuBar)));
        return d;
    }
    void Paint() { bar.Paint(dc, rect); }

    TComponent owner{nullptr};
    TSkinData* skin;
    TSkinData* plain;
    TWinSkinForm skinner{nullptr};
    TWinSkinMenu bar;
    TBitmap target;
    HDC dc;
    const RECT rect{5, 7, 205, 27};
    const int file = MenuTextWidth(L"&File") + 10;
    const int help = MenuTextWidth(L"&Help") + 10;
};

const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kText = RGB(0, 0, 200);

} // namespace

TEST_F(MenuBarTest, PaintsTheActiveBarPixelExact) {
    TPaintBench t;
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    t.Paint();
    EXPECT_TRUE(Same(t.bar.BarRect, t.rect));
    EXPECT_EQ(GetPixel(t.dc, 4, 10), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(t.dc, 5, 7), kRed);
    EXPECT_EQ(GetPixel(t.dc, 204, 26), kRed);
    EXPECT_EQ(GetPixel(t.dc, 205, 26), RGB(255, 255, 255));
    // Start offset TileLeftMenu + 4; widths text + 10; the empty caption takes nothing.
    const RECT fileBounds{5 + 7, 7, 5 + 7 + t.file, 7 + 19};
    const RECT helpBounds{5 + 7 + t.file, 7, 5 + 7 + t.file + t.help, 7 + 19};
    EXPECT_TRUE(Same(t.bar.Items[0]->Bounds, fileBounds));
    EXPECT_EQ(t.bar.Items[1]->Bounds.left, t.bar.Items[1]->Bounds.right);
    EXPECT_TRUE(Same(t.bar.Items[2]->Bounds, helpBounds));
    EXPECT_EQ(t.bar.ItemAt(POINT{fileBounds.left, fileBounds.top}), t.bar.Items[0].get());
    EXPECT_EQ(t.bar.ItemAt(POINT{helpBounds.left, 10}), t.bar.Items[2].get());
    EXPECT_EQ(t.bar.ItemAt(POINT{fileBounds.left - 1, 10}), nullptr);
    // Enabled captions in MenuBarText, disabled ones in the system shadow
    // colour (smoothed edges mix it with the red background).
    EXPECT_GT(CountColour(t.dc, fileBounds, kText), 0);
    EXPECT_EQ(CountColour(t.dc, fileBounds, shadow), 0);
    EXPECT_GT(CountColour(t.dc, helpBounds, shadow), 0);
    EXPECT_EQ(CountColour(t.dc, helpBounds, kText), 0);
    auto noGreen = [](COLORREF c) { return GetGValue(c) == 0; };
    auto grey = [](COLORREF c) { return GetGValue(c) == GetBValue(c); };
    EXPECT_GT(CountMixed(t.dc, fileBounds, kRed, noGreen), 20);
    EXPECT_EQ(CountMixed(t.dc, fileBounds, kRed, [&](COLORREF c) { return !noGreen(c); }), 0);
    EXPECT_GT(CountMixed(t.dc, helpBounds, kRed, grey), 20);
    EXPECT_EQ(CountMixed(t.dc, helpBounds, kRed, [&](COLORREF c) { return !grey(c); }), 0);
    // The background is kept without the captions.
    ASSERT_EQ(t.bar.Background.Width(), 200);
    ASSERT_EQ(t.bar.Background.Height(), 20);
    EXPECT_EQ(CountColour(t.bar.Background.Canvas().Handle(), RECT{0, 0, 200, 20}, kRed), 4000);
}

TEST_F(MenuBarTest, PaintsInactivePlainAndRightToLeftBars) {
    TPaintBench t;
    // Inactive: frame 2.
    t.skinner.Active = false;
    t.Paint();
    EXPECT_EQ(GetPixel(t.dc, 5, 7), kGreen);
    EXPECT_EQ(GetPixel(t.dc, 150, 20), kGreen);
    // Without a menu-bar picture: Menubar colour, start offset 6.
    t.skinner.Active = true;
    t.bar.SkinData = t.plain;
    t.Paint();
    EXPECT_EQ(GetPixel(t.dc, 5, 7), RGB(10, 20, 30));
    EXPECT_EQ(GetPixel(t.dc, 204, 26), RGB(10, 20, 30));
    EXPECT_EQ(t.bar.Items[0]->Bounds.left, 5 + 6);
    // Right to left: from the right edge less TileRightMenu + 8.
    t.bar.SkinData = t.skin;
    t.skinner.RightToLeft = true;
    t.Paint();
    EXPECT_EQ(t.bar.Items[0]->Bounds.right, 205 - 13);
    EXPECT_EQ(t.bar.Items[0]->Bounds.left, 205 - 13 - t.file);
    EXPECT_EQ(t.bar.Items[2]->Bounds.right, 205 - 13 - t.file);
    EXPECT_EQ(t.bar.Items[2]->Bounds.left, 205 - 13 - t.file - t.help);
    // Painting again and again leaves no counted GDI object behind.
    const int live = GdiLiveTotal();
    for (int i = 0; i < 200; ++i)
        t.Paint();
    EXPECT_EQ(GdiLiveTotal(), live);
}

TEST_F(MenuBarTest, ItemPaintFramesHotAndPressedItems) {
    TMenuForm form(Application);
    TSkinData* skin = LoadSkin(&form, MenuSkin(true));
    TWinSkinForm* skinner = Skin(form, skin);
    ASSERT_NE(skinner->MenuBar, nullptr);
    skinner->PaintFrame(nullptr);
    TMenuBtn& item = *skinner->MenuBar->Items[0];
    ASSERT_GT(item.Bounds.right, item.Bounds.left);
    TWindowDC dc(form.Handle());
    const RECT& b = item.Bounds;
    const COLORREF hilight = RGB(1, 2, 3), red = kRed;
    EXPECT_EQ(GetPixel(dc.Handle(), b.left, b.top), red);
    item.MouseMove(); // hot
    EXPECT_EQ(item.State, kNCHot);
    EXPECT_EQ(GetPixel(dc.Handle(), b.left, b.top), hilight);
    EXPECT_EQ(GetPixel(dc.Handle(), b.right - 1, b.bottom - 1), hilight);
    EXPECT_EQ(GetPixel(dc.Handle(), b.left + 1, b.top + 1), red);
    EXPECT_EQ(GetPixel(dc.Handle(), b.right, b.top), red);
    item.MouseDown(); // pressed
    EXPECT_EQ(item.State, kNCPressed);
    EXPECT_EQ(GetPixel(dc.Handle(), b.left, b.bottom - 1), hilight);
    item.MouseLeave();
    EXPECT_EQ(GetPixel(dc.Handle(), b.left, b.top), red);
    EXPECT_EQ(GetPixel(dc.Handle(), b.right - 1, b.bottom - 1), red);
    EXPECT_GT(CountColour(dc.Handle(), b, RGB(0, 0, 200)), 0);
}

namespace {

// Messages the form's message method receives (after the form skinner).
struct TFormLog {
    explicit TFormLog(TMenuForm& form) {
        link.Hook(form.MessageHooks(), this, [this](TMessage& msg, const TMessageChain& next) {
            if (msg.Msg == WM_COMMAND || msg.Msg == WM_NCLBUTTONDOWN)
                seen.push_back(msg.Msg);
            next(msg);
        });
    }
    int Count(UINT message) const {
        return static_cast<int>(std::count(seen.begin(), seen.end(), message));
    }
    std::vector<UINT> seen;
    TMessageHookLink link;
};

// The middle of a bar item on the screen.
POINT OnScreen(HWND wnd, const RECT& bounds) {
    RECT w{};
    GetWindowRect(wnd, &w);
    return {w.left + (bounds.left + bounds.right) / 2, w.top + (bounds.top + bounds.bottom) / 2};
}

// A real click at a screen point.
void ClickAt(POINT p) {
    MoveMouseTo(p);
    LeftButton(true);
    LeftButton(false);
}

// Counts the drop-downs that open while it lives, and closes each.
struct TMenuCloser {
    TMenuCloser() { timer = SetTimer(nullptr, 0, 40, Tick); }
    ~TMenuCloser() { KillTimer(nullptr, timer); }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        HWND w = nullptr;
        while ((w = FindWindowExW(nullptr, w, L"#32768", nullptr)) != nullptr)
            if (IsWindowVisible(w)) {
                ++opened;
                EndMenu();
                return;
            }
    }
    static inline int opened = 0;
    UINT_PTR timer = 0;
};

} // namespace

// The bar follows the form's menu as it changes at run time, clicked with
// the real mouse: a disabled item greys and opens nothing, a renamed one
// takes its new width, a hidden one goes, an added one runs its command;
// after SetMenu(other) the bar runs the other menu's items; once that menu
// is freed the bar is empty and a click where an item was does nothing.
TEST_F(MenuBarTest, FollowsItsMenuThroughChangesSwapsAndFreeing) {
    TMenuForm form(Application);
    TWinSkinForm* skinner = Skin(form, LoadSkin(&form, MenuSkin(true)));
    ASSERT_NE(skinner->MenuBar, nullptr);
    TWinSkinMenu& bar = *skinner->MenuBar;
    SetForegroundWindow(form.Handle());
    skinner->PaintFrame(nullptr);
    TFormLog log(form);
    TMenuCloser closer;
    TMenuCloser::opened = 0;
    TWindowDC dc(form.Handle());
    const COLORREF text = RGB(0, 0, 200), shadow = GetSysColor(COLOR_BTNSHADOW);

    form.File->SetEnabled(false);
    ASSERT_EQ(bar.Items.size(), 5u);
    const RECT file = bar.Items[0]->Bounds;
    EXPECT_FALSE(bar.Items[0]->Enabled);
    EXPECT_EQ(CountColour(dc.Handle(), file, text), 0);
    EXPECT_GT(CountColour(dc.Handle(), file, shadow), 0);
    ClickAt(OnScreen(form.Handle(), file));
    // Its command arrives (and does nothing); no drop-down opened meanwhile.
    EXPECT_TRUE(PumpUntil([&] { return log.Count(WM_COMMAND) == 1; }, 5000));
    EXPECT_EQ(form.FileClicks, 0);
    EXPECT_EQ(TMenuCloser::opened, 0);
    EXPECT_FALSE(skinner->Busy);

    form.Run->SetCaption(L"&Go");
    EXPECT_EQ(bar.Items[3]->Caption, L"&Go");
    EXPECT_EQ(bar.Items[3]->Bounds.right - bar.Items[3]->Bounds.left, MenuTextWidth(L"&Go") + 10);
    const LONG runLeft = bar.Items[3]->Bounds.left;
    form.Edit->SetVisible(false);
    EXPECT_FALSE(bar.Items[1]->Visible);
    EXPECT_EQ(bar.Items[3]->Bounds.left, runLeft - MenuTextWidth(L"&Edit") - 10);

    int newClicks = 0;
    TMenuItem* added = TMenuForm::Add(form.Menu->Items(), L"&New");
    added->OnClick = [&](TObject*) { ++newClicks; };
    ASSERT_EQ(bar.Items.size(), 6u);
    EXPECT_EQ(bar.Items[5]->Caption, L"&New");
    ClickAt(OnScreen(form.Handle(), bar.Items[5]->Bounds));
    EXPECT_TRUE(PumpUntil([&] { return newClicks == 1; }, 5000));

    auto* other = new TMainMenu(&form);
    TMenuItem* alpha = TMenuForm::Add(other->Items(), L"&Alpha");
    TMenuItem* beta = TMenuForm::Add(other->Items(), L"&Beta");
    TMenuForm::Add(beta, L"Inner");
    int alphaClicks = 0;
    alpha->OnClick = [&](TObject*) { ++alphaClicks; };
    form.SetMenu(other);
    EXPECT_EQ(GetMenu(form.Handle()), nullptr);
    ASSERT_EQ(bar.Items.size(), 2u);
    EXPECT_EQ(bar.FrameworkMenu, other);
    EXPECT_EQ(bar.MenuHandle, other->Handle());
    EXPECT_EQ(bar.Items[0]->Item, alpha);
    EXPECT_EQ(bar.Items[1]->SubMenu, beta->Handle());
    const RECT alphaBounds = bar.Items[0]->Bounds;
    ClickAt(OnScreen(form.Handle(), alphaBounds));
    EXPECT_TRUE(PumpUntil([&] { return alphaClicks == 1; }, 5000));
    EXPECT_EQ(newClicks, 1);

    delete other;
    EXPECT_EQ(form.TCustomForm::Menu(), nullptr);
    EXPECT_TRUE(bar.Items.empty());
    EXPECT_EQ(bar.MenuHandle, nullptr);
    EXPECT_EQ(bar.FrameworkMenu, nullptr);
    const int commands = log.Count(WM_COMMAND);
    const int clicks = log.Count(WM_NCLBUTTONDOWN);
    // Away from the last click's point, so that it is no double click.
    ClickAt(OnScreen(form.Handle(), RECT{alphaBounds.left + 2, alphaBounds.top,
                                         alphaBounds.left + 4, alphaBounds.bottom}));
    EXPECT_TRUE(PumpUntil([&] { return log.Count(WM_NCLBUTTONDOWN) > clicks; }, 5000));
    EXPECT_EQ(log.Count(WM_COMMAND), commands);
    EXPECT_TRUE(ReportedErrors().empty());
    // Letting the skin go leaves the window without a menu.
    skinner->Restore();
    EXPECT_EQ(GetMenu(form.Handle()), nullptr);
}

// A skin refresh rebuilds the bar (here from a change it did not follow
// while MenuUpdate was off) and gives popup menus made since attaching the
// skinned item drawing.
TEST_F(MenuBarTest, SkinRefreshRebuildsTheBarAndPreparesNewPopupMenus) {
    TMenuForm form(Application);
    TSkinData* skin = LoadSkin(&form, model_test::ProjectSkin());
    TWinSkinForm* skinner = Skin(form, skin);
    ASSERT_NE(skinner->MenuBar, nullptr);
    skin->SetMenuUpdate(false);
    form.Run->SetCaption(L"&Go");
    EXPECT_EQ(skinner->MenuBar->Items[3]->Caption, L"&Run");
    auto* popup = new TPopupMenu(&form);
    TMenuItem* entry = TMenuForm::Add(popup->Items(), L"&Entry");
    EXPECT_FALSE(HasSkinnedDrawing(*entry));

    form.Perform(SM_REFRESHFORM, 0, 0);
    ASSERT_NE(skinner->MenuBar, nullptr);
    EXPECT_EQ(skinner->MenuBar->Items[3]->Caption, L"&Go");
    EXPECT_GT(skinner->MenuBar->Items[3]->Bounds.right, skinner->MenuBar->Items[3]->Bounds.left);
    EXPECT_TRUE(popup->OwnerDraw());
    EXPECT_TRUE(HasSkinnedDrawing(*entry));
}

// A repaint of an unchanged bar is a copy of its last composition; a changed
// caption, state or place is composed afresh.
TEST_F(MenuBarTest, RepaintsTheLastCompositionUntilTheBarChanges) {
    TPaintBench t;
    auto pixels = [&t] {
        std::vector<COLORREF> px;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 240; ++x)
                px.push_back(GetPixel(t.dc, x, y));
        return px;
    };
    t.Paint();
    const std::vector<COLORREF> first = pixels();
    const RECT help = t.bar.Items[2]->Bounds;
    PatBlt(t.dc, 0, 0, 240, 40, WHITENESS);
    t.bar.Items[2]->Bounds = RECT{};
    t.Paint();
    EXPECT_EQ(pixels(), first);
    EXPECT_TRUE(Same(t.bar.Items[2]->Bounds, help));
    // A new caption: laid out and drawn again.
    t.bar.Items[2]->Caption = L"&Windows";
    t.Paint();
    EXPECT_EQ(t.bar.Items[2]->Bounds.right - t.bar.Items[2]->Bounds.left,
              MenuTextWidth(L"&Windows") + 10);
    EXPECT_NE(pixels(), first);
    // Disabled: the caption turns to the shadow colour.
    t.bar.Items[0]->Enabled = false;
    t.Paint();
    EXPECT_GT(CountColour(t.dc, t.bar.Items[0]->Bounds, GetSysColor(COLOR_BTNSHADOW)), 0);
    EXPECT_EQ(CountColour(t.dc, t.bar.Items[0]->Bounds, kText), 0);
    // Another place: the items follow it.
    const int left = t.bar.Items[0]->Bounds.left;
    t.bar.Paint(t.dc, RECT{15, 7, 215, 27});
    EXPECT_EQ(t.bar.Items[0]->Bounds.left, left + 10);
    EXPECT_EQ(GetPixel(t.dc, 214, 26), kRed);
}
