// Menus: native items from the components, shortcut texts, state changes,
// command dispatch, form main menus, and owner-drawn popup menus.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/gdi/canvas.h"
#include "framework/ui/win32.h"

#include <commctrl.h>

#include "framework/core/property_access.h"
#include "framework/ui/accel.h"
#include "framework/ui/menus.h"
#include "framework/ui/ui_errors.h"
#include "ui_test_util.h"

namespace {
std::wstring ItemText(HMENU menu, int pos) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, pos, text, 128, MF_BYPOSITION);
    return text;
}
UINT ItemState(HMENU menu, int pos) {
    return GetMenuState(menu, pos, MF_BYPOSITION);
}
} // namespace

TEST(Menu, ShortCutTexts) {
    EXPECT_EQ(ShortCutToText(ShortCut('S', TShiftState{ssCtrl})), L"Ctrl+S");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F5, TShiftState{ssShift})), L"Shift+F5");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_RETURN, TShiftState{ssAlt})), L"Alt+Enter");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, TShiftState{})), L"Del");
    EXPECT_EQ(ShortCut('A', TShiftState{ssCtrl, ssShift}), scCtrl | scShift | 'A');
}

// A form's main menu: captions with accelerators and shortcuts, sub-menus,
// checked / disabled / hidden / default items, commands reaching OnClick.
TEST(Menu, MainMenuBuildsNativeMenuAndDispatchesCommands) {
    TForm form(Application);
    auto* menu = new TMainMenu(&form);
    auto* file = new TMenuItem(&form);
    file->SetCaption(L"文件(&F)");
    menu->Items()->Add(file);
    auto* open = new TMenuItem(&form);
    open->SetCaption(L"&Open");
    open->SetShortCut(ShortCut('O', TShiftState{ssCtrl}));
    auto* line = new TMenuItem(&form);
    line->SetCaption(L"-");
    auto* quit = new TMenuItem(&form);
    quit->SetCaption(L"E&xit");
    quit->SetTag(42);
    file->Add(open);
    file->Add(line);
    file->Add(quit);
    form.SetMenu(menu);
    HWND wnd = form.Handle();
    HMENU bar = GetMenu(wnd);
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar, menu->Handle());
    EXPECT_EQ(GetMenuItemCount(bar), 1);
    EXPECT_EQ(ItemText(bar, 0), L"文件(&F)");
    HMENU sub = GetSubMenu(bar, 0);
    EXPECT_EQ(sub, file->Handle());
    EXPECT_EQ(open->Handle(), nullptr) << "an item without sub-items has no menu of its own";
    ASSERT_EQ(GetMenuItemCount(sub), 3);
    EXPECT_EQ(ItemText(sub, 0), L"&Open\tCtrl+O");
    EXPECT_TRUE(ItemState(sub, 1) & MF_SEPARATOR);
    EXPECT_EQ(GetMenuItemID(sub, 2), quit->Command());
    // States follow the properties.
    open->SetChecked(true);
    quit->SetEnabled(false);
    EXPECT_TRUE(ItemState(sub, 0) & MF_CHECKED);
    EXPECT_TRUE(ItemState(sub, 2) & MF_GRAYED);
    line->SetVisible(false);
    EXPECT_EQ(GetMenuItemCount(sub), 2);
    EXPECT_EQ(GetMenuDefaultItem(sub, TRUE, 0), static_cast<UINT>(-1));
    open->SetDefault(true);
    EXPECT_EQ(GetMenuDefaultItem(sub, TRUE, 0), 0u);
    // WM_COMMAND with the item's identifier runs OnClick; a disabled item does nothing.
    int opened = 0, quitClicks = 0;
    open->OnClick = [&](TObject* s) { opened += s == open; };
    quit->OnClick = [&](TObject*) { ++quitClicks; };
    SendMessageW(wnd, WM_COMMAND, MAKEWPARAM(open->Command(), 0), 0);
    SendMessageW(wnd, WM_COMMAND, MAKEWPARAM(quit->Command(), 0), 0);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(quitClicks, 0);
    // Its shortcut from the keyboard path.
    EXPECT_TRUE(menu->IsShortCut('O', TShiftState{ssCtrl}));
    EXPECT_EQ(opened, 2);
    EXPECT_FALSE(menu->IsShortCut('O', TShiftState{}));
    // The keyboard path: a key message for a control of the form, with Ctrl held.
    auto* button = new TTestButton(&form);
    button->SetParent(&form);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG key{button->Handle(), WM_KEYDOWN, 'O', 1, 0, {}};
    EXPECT_TRUE(Application->IsKeyMsg(key));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(opened, 3);
    EXPECT_FALSE(Application->IsKeyMsg(key)) << "without Ctrl it is no shortcut";
    EXPECT_EQ(opened, 3);
    // Freeing an item takes it out of the native menu and frees its identifier.
    const UINT quitId = quit->Command();
    delete quit;
    EXPECT_EQ(GetMenuItemCount(sub), 1);
    EXPECT_EQ(TMenuItem::FindItem(quitId), nullptr);
}

namespace {
BOOL CALLBACK FindMenuWindow(HWND wnd, LPARAM out) {
    wchar_t cls[16] = {};
    GetClassNameW(wnd, cls, 16);
    if (std::wstring(cls) == L"#32768" && IsWindowVisible(wnd)) {
        *reinterpret_cast<HWND*>(out) = wnd;
        return FALSE;
    }
    return TRUE;
}

// Chooses the first entry of this thread's popup menu: Down then Enter; gives
// up (closing the menu) after a few seconds so that a failure cannot hang.
void CALLBACK ChooseFirst(HWND, UINT, UINT_PTR id, DWORD) {
    static int step = 0, ticks = 0;
    HWND popup = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindMenuWindow, reinterpret_cast<LPARAM>(&popup));
    if (++ticks > 100) {
        EndMenu();
        KillTimer(nullptr, id);
        return;
    }
    if (!popup)
        return;
    PostMessageW(popup, WM_KEYDOWN, step++ % 2 == 0 ? VK_DOWN : VK_RETURN, 0);
    if (step % 2 == 0)
        KillTimer(nullptr, id);
}
} // namespace

// An owner-drawn popup menu asks its items to measure and draw themselves, and
// the chosen entry runs its OnClick.
TEST(Menu, OwnerDrawnPopupCallsMeasureAndDrawEvents) {
    TForm form(Application);
    form.Show();
    auto* popup = new TPopupMenu(&form);
    popup->SetOwnerDraw(true);
    std::vector<std::string> events;
    int clicked = 0;
    for (int i = 0; i < 2; ++i) {
        auto* item = new TMenuItem(&form);
        item->SetCaption(i == 0 ? L"复制" : L"粘贴");
        item->OnMeasureItem = [&events, i](TObject*, TCanvas* canvas, int& w, int& h) {
            events.push_back("measure" + std::to_string(i) + (canvas ? "" : " no canvas"));
            w = 120;
            h = 22;
        };
        item->OnAdvancedDrawItem = [&events, i](TObject*, TCanvas* canvas, RECT r,
                                                TOwnerDrawState) {
            events.push_back("draw" + std::to_string(i) +
                             (r.bottom - r.top == 22 ? "" : " wrong height"));
            canvas->Brush().SetColor(clWhite);
            canvas->FillRect(r);
        };
        item->OnClick = [&clicked, i](TObject*) { clicked |= 1 << i; };
        popup->Items()->Add(item);
    }
    int popups = 0;
    popup->OnPopup = [&](TObject*) { ++popups; };
    const UINT_PTR t = SetTimer(nullptr, 0, 150, &ChooseFirst);
    popup->Popup(100, 100);
    KillTimer(nullptr, t);
    EXPECT_EQ(popups, 1);
    auto has = [&](const std::string& e) {
        return std::find(events.begin(), events.end(), e) != events.end();
    };
    EXPECT_TRUE(has("measure0"));
    EXPECT_TRUE(has("measure1"));
    EXPECT_TRUE(has("draw0"));
    EXPECT_TRUE(has("draw1"));
    EXPECT_EQ(clicked, 1) << "the first entry was chosen";
    form.Hide();
}

// The framework's own owner drawing: an item of a menu with an image list is
// owner-drawn, measured with room for its image, and drawn with the image, the
// selection colour and the caption.
TEST(Menu, DefaultOwnerDrawingWithImages) {
    TForm form(Application);
    auto* popup = new TPopupMenu(&form);
    auto* item = new TMenuItem(&form);
    item->SetCaption(L"打开");
    item->SetImageIndex(0);
    popup->Items()->Add(item);
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 1, 0);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP red = CreateCompatibleBitmap(screen, 16, 16);
    HBITMAP canvasBmp = CreateCompatibleBitmap(screen, 120, 24);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(mem, red);
    RECT r16{0, 0, 16, 16};
    HBRUSH redBrush = CreateSolidBrush(0x0000FF);
    FillRect(mem, &r16, redBrush);
    SelectObject(mem, old);
    ImageList_Add(images, red, nullptr);
    EXPECT_FALSE(item->IsOwnerDraw());
    popup->SetImages(images);
    EXPECT_EQ(item->GetImageList(), images);
    EXPECT_TRUE(item->IsOwnerDraw());
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(popup->Handle(), 0, TRUE, &mii);
    EXPECT_TRUE(mii.fType & MFT_OWNERDRAW);
    old = SelectObject(mem, canvasBmp);
    {
        TCanvas canvas(mem);
        canvas.Font().AssignLogFont(MenuLogFont());
        int w = 0, h = 0;
        item->MeasureItem(canvas, w, h);
        EXPECT_EQ(w, 16 + 8 + canvas.TextExtent(L"打开").cx);
        EXPECT_GE(h, 20);
        RECT rect{0, 0, 120, 24};
        item->DrawItem(canvas, rect, TOwnerDrawState{odSelected});
        EXPECT_EQ(GetPixel(mem, 2 + 8, 4 + 8), 0x0000FFu) << "the image at the left";
        EXPECT_EQ(GetPixel(mem, 118, 1), GetSysColor(COLOR_HIGHLIGHT)) << "selected background";
        item->DrawItem(canvas, rect, TOwnerDrawState{});
        EXPECT_EQ(GetPixel(mem, 118, 1), GetSysColor(COLOR_MENU));
    }
    SelectObject(mem, old);
    popup->SetImages(nullptr);
    ImageList_Destroy(images);
    DeleteObject(redBrush);
    DeleteObject(red);
    DeleteObject(canvasBmp);
    DeleteDC(mem);
}

namespace {
UINT ItemType(HMENU menu, int pos) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(menu, pos, TRUE, &mii);
    return mii.fType;
}
TMenuItem* NewItem(TComponent* owner, TMenuItem* parent, const wchar_t* caption) {
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}
} // namespace

// One accelerator rule (the letter after a single "&", any case), used by
// WM_MENUCHAR for items the system cannot search (owner-drawn ones); items
// are found by their sub-menu's handle.
TEST(Menu, AcceleratorsAndItemsByHandle) {
    EXPECT_EQ(AccelChar(L"&File"), L'F');
    EXPECT_EQ(AccelChar(L"Save &As"), L'A');
    EXPECT_EQ(AccelChar(L"Fish && Chips"), 0);
    EXPECT_EQ(AccelChar(L"R&&&D"), L'D');
    EXPECT_EQ(AccelChar(L"Trailing&"), 0);
    EXPECT_TRUE(IsAccel(L'f', L"&File"));
    EXPECT_TRUE(IsAccel(L'F', L"&file"));
    EXPECT_TRUE(IsAccel(L'\u00E9', L"&\u00C9t\u00E9")); // beyond ASCII
    EXPECT_FALSE(IsAccel(L'i', L"&File"));
    EXPECT_FALSE(IsAccel(L'&', L"a && b"));
    EXPECT_FALSE(IsAccel(0, L"none"));

    TForm form(Application);
    auto* popup = new TPopupMenu(&form);
    popup->SetOwnerDraw(true);
    TMenuItem* root = popup->Items();
    NewItem(&form, root, L"&Open");
    NewItem(&form, root, L"&Hidden")->SetVisible(false);
    NewItem(&form, root, L"-");
    NewItem(&form, root, L"&Disabled")->SetEnabled(false);
    TMenuItem* more = NewItem(&form, root, L"&More");
    TMenuItem* exit = NewItem(&form, more, L"E&xit");
    HMENU menu = popup->Handle();
    EXPECT_EQ(TMenuItem::FindItemByHandle(menu), root);
    EXPECT_EQ(TMenuItem::FindItemByHandle(more->Handle()), more);
    EXPECT_EQ(TMenuItem::FindItemByHandle(reinterpret_cast<HMENU>(0x1234)), nullptr);
    EXPECT_EQ(exit->Parent(), TMenuItem::FindItemByHandle(GetSubMenu(menu, 3)));

    // Positions count the native entries (the hidden item has none).
    EXPECT_EQ(TMenuItem::MenuCharResult(menu, L'o'), MAKELRESULT(0, MNC_EXECUTE));
    EXPECT_EQ(TMenuItem::MenuCharResult(menu, L'M'), MAKELRESULT(3, MNC_EXECUTE));
    EXPECT_EQ(TMenuItem::MenuCharResult(menu, L'h'), MNC_IGNORE);
    EXPECT_EQ(TMenuItem::MenuCharResult(menu, L'd'), MNC_IGNORE); // disabled
    EXPECT_EQ(TMenuItem::MenuCharResult(more->Handle(), L'X'), MAKELRESULT(0, MNC_EXECUTE));
    // The form answers WM_MENUCHAR for its menus.
    EXPECT_EQ(form.Perform(WM_MENUCHAR, MAKEWPARAM(L'x', MF_POPUP),
                           reinterpret_cast<LPARAM>(more->Handle())),
              MAKELRESULT(0, MNC_EXECUTE));
}

// Identifiers stay below the system commands (0xF000): every one that can
// be given out is, and then no more; a freed one is given out again.
TEST(Menu, CommandIdentifiersStayBelowSystemCommands) {
    std::vector<std::unique_ptr<TMenuItem>> items;
    UINT highest = 0;
    bool exhausted = false;
    for (int i = 0; i < 0x10000 && !exhausted; ++i) {
        try {
            items.emplace_back(new TMenuItem(nullptr));
            highest = std::max(highest, items.back()->Command());
        } catch (const EOutOfResources&) {
            exhausted = true;
        }
    }
    EXPECT_TRUE(exhausted);
    EXPECT_EQ(highest, kLastMenuCommand);
    EXPECT_LT(highest, static_cast<UINT>(SC_SIZE));
    EXPECT_EQ(TMenuItem::LiveCount(), static_cast<int>(kLastMenuCommand));
    const UINT freed = items[100]->Command();
    items[100].reset();
    items[100].reset(new TMenuItem(nullptr));
    EXPECT_EQ(items[100]->Command(), freed);
    items.clear();
    EXPECT_LT(TMenuItem::LiveCount(), 10);
}

// Draw and measure events set on items whose native menu exists already
// switch them to owner drawing at once (and back when cleared).
TEST(Menu, DrawEventsTakeEffectOnBuiltItems) {
    TForm form(Application);
    auto* popup = new TPopupMenu(&form);
    TMenuItem* a = NewItem(&form, popup->Items(), L"A");
    TMenuItem* sub = NewItem(&form, popup->Items(), L"Sub");
    TMenuItem* inner = NewItem(&form, sub, L"Inner");
    HMENU menu = popup->Handle();
    HMENU subMenu = sub->Handle();
    EXPECT_FALSE(ItemType(menu, 0) & MFT_OWNERDRAW);
    a->OnAdvancedDrawItem = [](TObject*, TCanvas*, RECT, TOwnerDrawState) {};
    EXPECT_TRUE(ItemType(menu, 0) & MFT_OWNERDRAW);
    EXPECT_FALSE(ItemType(menu, 1) & MFT_OWNERDRAW);
    inner->OnMeasureItem = [](TObject*, TCanvas*, int&, int& h) { h = 30; };
    EXPECT_TRUE(ItemType(subMenu, 0) & MFT_OWNERDRAW);
    EXPECT_EQ(GetSubMenu(menu, 1), subMenu); // the sub-menu stays attached
    a->OnAdvancedDrawItem = nullptr;
    EXPECT_FALSE(ItemType(menu, 0) & MFT_OWNERDRAW);
    // The menu-wide switch reaches sub-menus too.
    popup->SetOwnerDraw(true);
    EXPECT_TRUE(ItemType(menu, 0) & MFT_OWNERDRAW);
    inner->OnMeasureItem = nullptr;
    EXPECT_TRUE(ItemType(subMenu, 0) & MFT_OWNERDRAW);
    popup->SetOwnerDraw(false);
    EXPECT_FALSE(ItemType(subMenu, 0) & MFT_OWNERDRAW);
}

// Right-to-left menus and items get the platform's right-to-left entry
// types; BiDiMode is published on controls, menus and items.
TEST(Menu, RightToLeftMenusItemsAndControls) {
    TForm form(Application);
    auto* menu = new TMainMenu(&form);
    TMenuItem* file = NewItem(&form, menu->Items(), L"&File");
    TMenuItem* open = NewItem(&form, file, L"&Open");
    TMenuItem* help = NewItem(&form, menu->Items(), L"&Help");
    HMENU bar = menu->Handle();
    constexpr UINT kRtl = MFT_RIGHTORDER | MFT_RIGHTJUSTIFY;
    EXPECT_EQ(ItemType(bar, 0) & kRtl, 0u);
    EXPECT_TRUE(WriteValueProperty(menu, "BiDiMode", "bdRightToLeft"));
    EXPECT_EQ(menu->BiDiMode(), bdRightToLeft);
    EXPECT_EQ(ItemType(bar, 0) & kRtl, kRtl);
    EXPECT_EQ(ItemType(bar, 1) & kRtl, kRtl);
    EXPECT_EQ(ItemType(file->Handle(), 0) & kRtl, kRtl);
    EXPECT_TRUE(open->IsRightToLeft());
    EXPECT_EQ(ReadEnumerationProperty(open, "BiDiMode"), "bdRightToLeft");
    // An item of its own reading order stops following the menu.
    help->SetBiDiMode(bdLeftToRight);
    EXPECT_FALSE(help->ParentBiDiMode());
    EXPECT_EQ(ItemType(bar, 1) & kRtl, 0u);
    EXPECT_EQ(ReadEnumerationProperty(help, "ParentBiDiMode"), "False");
    menu->SetBiDiMode(bdLeftToRight);
    EXPECT_EQ(ItemType(bar, 0) & kRtl, 0u);
    EXPECT_EQ(ItemType(file->Handle(), 0) & kRtl, 0u);
    EXPECT_TRUE(WriteValueProperty(help, "ParentBiDiMode", "True"));
    EXPECT_FALSE(help->IsRightToLeft());

    EXPECT_EQ(ReadEnumerationProperty(&form, "BiDiMode"), "bdLeftToRight");
    EXPECT_TRUE(WriteValueProperty(&form, "BiDiMode", "bdRightToLeftNoAlign"));
    EXPECT_EQ(form.BiDiMode(), bdRightToLeftNoAlign);
    EXPECT_TRUE(form.IsRightToLeft());
}
