// The skinned menu bar: its layout and separator rules, the builders from a
// framework menu and from a native menu, accelerators and the keyboard menu,
// pixel-exact bar and item paint, and real drop-downs under Wine (opened by a
// non-client click, moved by the arrow keys, closed from a timer).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/gdi/color.h"
#include "framework/ui/form.h"
#include "framework/ui/menus.h"
#include "framework/ui/message_hooks.h"
#include "framework/ui/messages.h"
#include "skin/window/form_skinner.h"
#include "skin/window/menu_bar.h"
#include "skin/window/skin_manager.h"
#include "tests/framework/ui/ui_test_util.h"
#include "tests/skin/model/model_fixture.h"

namespace {

// A form with a main menu: "&File" (Open, separator, Exit), "&Edit" (Copy),
// a disabled "&Help" (About), "&Run" without sub-items and a hidden "&Zed".
class TMenuForm : public TForm {
public:
    explicit TMenuForm(TComponent* owner) : TForm(owner) {
        SetBounds(120, 120, 420, 260);
        Menu = new TMainMenu(this);
        File = Add(Menu->Items(), L"&File");
        Open = Add(File, L"&Open");
        Add(File, L"-");
        Add(File, L"E&xit");
        Edit = Add(Menu->Items(), L"&Edit");
        Add(Edit, L"&Copy");
        Help = Add(Menu->Items(), L"&Help");
        Add(Help, L"&About");
        Help->SetEnabled(false);
        Run = Add(Menu->Items(), L"&Run");
        Zed = Add(Menu->Items(), L"&Zed");
        Zed->SetVisible(false);
        File->OnClick = [this](TObject*) { ++FileClicks; };
        SetMenu(Menu);
    }
    static TMenuItem* Add(TMenuItem* parent, const wchar_t* caption) {
        auto* item = new TMenuItem(parent);
        item->SetCaption(caption);
        parent->Add(item);
        return item;
    }

    TMainMenu* Menu;
    TMenuItem *File, *Open, *Edit, *Help, *Run, *Zed;
    int FileClicks = 0;
};

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
// (frame 2), with margins 2 and known text and frame colours.
std::vector<uint8_t> MenuSkin(bool withMenuBar) {
    std::string ini = "[Personality]\n";
    if (withMenuBar)
        ini += "menuBar=menu.bmp\nTileMenu=1\nTileLeftMenu=2\nTileRightMenu=3\n";
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

class MenuBarTest : public ::testing::Test {
protected:
    void SetUp() override { TSkinManage::Finalize(); }
    void TearDown() override { TSkinManage::Finalize(); }

    // A loaded skin data component owned by `owner`.
    TSkinData* LoadSkin(TComponent* owner, const std::vector<uint8_t>& bytes) {
        auto* d = new TSkinData(owner);
        EXPECT_TRUE(model_test::LoadBytes(*d, bytes));
        return d;
    }
    // A form skinner attached to the shown form (the menu bar built).
    TWinSkinForm* Skin(TMenuForm& form, TSkinData* data) {
        form.Show();
        auto* skinner = new TWinSkinForm(&form);
        skinner->AttachForm(&form, data);
        PostMessageW(form.Handle(), SM_SKINCONTENTS, 0, 1000);
        PumpMessages(150);
        return skinner;
    }
};

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

TEST_F(MenuBarTest, BuildsItemsFromANativeMenuAndByCommand) {
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
    TMainMenu fw(nullptr);
    TMenuItem* fw0 = TMenuForm::Add(fw.Items(), L"&Zero");
    TMenuForm::Add(fw0, L"Inner");
    TMenuItem* fw1 = TMenuForm::Add(fw.Items(), L"&One");
    fw1->SetEnabled(false);
    TMenuForm::Add(fw.Items(), L"&Two");
    bar.FrameworkMenu = &fw;
    bar.BuildFromNativeMenu();
    ASSERT_EQ(bar.Items.size(), 4u);
    EXPECT_EQ(bar.Items[0]->Caption, L"&Zero");
    EXPECT_EQ(bar.Items[0]->SubMenu, fw0->Handle());
    EXPECT_EQ(bar.Items[0]->Command, GetMenuItemID(native, 0));
    EXPECT_EQ(bar.Items[0]->Item, fw0);
    EXPECT_EQ(bar.Items[1]->Caption, L"&One");
    EXPECT_FALSE(bar.Items[1]->Enabled);
    EXPECT_EQ(bar.Items[1]->Command, 501u);
    EXPECT_EQ(bar.Items[2]->Caption, L"");
    EXPECT_EQ(bar.Items[2]->Item, nullptr);
    EXPECT_EQ(bar.Items[3]->Caption, L"&Gamma");

    // By command: the framework item with the entry's identifier, in any order.
    HMENU byCommand = CreateMenu();
    AppendMenuW(byCommand, MF_STRING, fw1->Command(), L"native one");
    AppendMenuW(byCommand, MF_STRING, fw0->Command(), L"native zero");
    AppendMenuW(byCommand, MF_STRING, 999, L"&Other");
    bar.BuildByCommand(byCommand);
    EXPECT_EQ(bar.MenuHandle, byCommand);
    ASSERT_EQ(bar.Items.size(), 3u);
    EXPECT_EQ(bar.Items[0]->Caption, L"&One");
    EXPECT_EQ(bar.Items[0]->Command, fw1->Command());
    EXPECT_EQ(bar.Items[1]->Caption, L"&Zero");
    EXPECT_EQ(bar.Items[1]->SubMenu, fw0->Handle());
    EXPECT_EQ(bar.Items[2]->Caption, L"&Other");
    EXPECT_EQ(bar.Items[2]->Command, 999u);
    bar.BuildByCommand(nullptr);
    EXPECT_EQ(bar.MenuHandle, byCommand);
    DestroyMenu(byCommand);
    DestroyMenu(native);
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

TEST_F(MenuBarTest, PaintsTheBarPixelExact) {
    TComponent owner(nullptr);
    TSkinData* skin = LoadSkin(&owner, MenuSkin(true));
    TSkinData* plain = LoadSkin(&owner, MenuSkin(false));
    TWinSkinForm skinner(nullptr);
    TWinSkinMenu bar(&skinner);
    bar.SkinData = skin;
    for (const wchar_t* caption : {L"&File", L"", L"&Help"}) {
        bar.Items.push_back(std::make_unique<TMenuBtn>(&bar, &skinner));
        bar.Items.back()->Caption = caption;
        bar.Items.back()->SkinData = skin;
        bar.Items.back()->Visible = true;
    }
    bar.Items[2]->Enabled = false;
    const COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0), text = RGB(0, 0, 200);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    TBitmap target(240, 40);
    HDC dc = target.Canvas().Handle();
    PatBlt(dc, 0, 0, 240, 40, WHITENESS);
    const RECT rect{5, 7, 205, 27};
    bar.Paint(dc, rect);
    EXPECT_TRUE(Same(bar.BarRect, rect));
    EXPECT_EQ(GetPixel(dc, 4, 10), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 5, 7), red);
    EXPECT_EQ(GetPixel(dc, 204, 26), red);
    EXPECT_EQ(GetPixel(dc, 205, 26), RGB(255, 255, 255));
    // Start offset TileLeftMenu + 4; widths text + 10; the empty caption takes nothing.
    const int file = MenuTextWidth(L"&File") + 10, help = MenuTextWidth(L"&Help") + 10;
    const RECT fileBounds{5 + 6, 7, 5 + 6 + file, 7 + 19};
    const RECT helpBounds{5 + 6 + file, 7, 5 + 6 + file + help, 7 + 19};
    EXPECT_TRUE(Same(bar.Items[0]->Bounds, fileBounds));
    EXPECT_EQ(bar.Items[1]->Bounds.left, bar.Items[1]->Bounds.right);
    EXPECT_TRUE(Same(bar.Items[2]->Bounds, helpBounds));
    EXPECT_EQ(bar.ItemAt(POINT{fileBounds.left, fileBounds.top}), bar.Items[0].get());
    EXPECT_EQ(bar.ItemAt(POINT{helpBounds.left, 10}), bar.Items[2].get());
    EXPECT_EQ(bar.ItemAt(POINT{fileBounds.left - 1, 10}), nullptr);
    // Enabled captions in MenuBarText, disabled ones in the system shadow
    // colour (smoothed edges mix it with the red background).
    EXPECT_GT(CountColour(dc, fileBounds, text), 0);
    EXPECT_EQ(CountColour(dc, fileBounds, shadow), 0);
    EXPECT_GT(CountColour(dc, helpBounds, shadow), 0);
    EXPECT_EQ(CountColour(dc, helpBounds, text), 0);
    EXPECT_GT(CountMixed(dc, fileBounds, red, [](COLORREF c) { return GetGValue(c) == 0; }), 20);
    EXPECT_EQ(CountMixed(dc, fileBounds, red, [](COLORREF c) { return GetGValue(c) != 0; }), 0);
    EXPECT_GT(
        CountMixed(dc, helpBounds, red, [](COLORREF c) { return GetGValue(c) == GetBValue(c); }),
        20);
    EXPECT_EQ(
        CountMixed(dc, helpBounds, red, [](COLORREF c) { return GetGValue(c) != GetBValue(c); }),
        0);
    // The background is kept without the captions.
    ASSERT_EQ(bar.Background.Width(), 200);
    ASSERT_EQ(bar.Background.Height(), 20);
    EXPECT_EQ(CountColour(bar.Background.Canvas().Handle(), RECT{0, 0, 200, 20}, red), 4000);

    // Inactive: frame 2.
    skinner.Active = false;
    bar.Paint(dc, rect);
    EXPECT_EQ(GetPixel(dc, 5, 7), green);
    EXPECT_EQ(GetPixel(dc, 150, 20), green);
    // Without a menu-bar picture: Menubar colour, start offset 6.
    skinner.Active = true;
    bar.SkinData = plain;
    bar.Paint(dc, rect);
    EXPECT_EQ(GetPixel(dc, 5, 7), RGB(10, 20, 30));
    EXPECT_EQ(GetPixel(dc, 204, 26), RGB(10, 20, 30));
    EXPECT_EQ(bar.Items[0]->Bounds.left, 5 + 6);
    // Right to left: from the right edge less TileRightMenu + 8.
    bar.SkinData = skin;
    skinner.RightToLeft = true;
    bar.Paint(dc, rect);
    EXPECT_EQ(bar.Items[0]->Bounds.right, 205 - 11);
    EXPECT_EQ(bar.Items[0]->Bounds.left, 205 - 11 - file);
    EXPECT_EQ(bar.Items[2]->Bounds.right, 205 - 11 - file);
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
    const COLORREF hilight = RGB(1, 2, 3), red = RGB(255, 0, 0);
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
