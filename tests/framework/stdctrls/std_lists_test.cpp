// TListBox, TComboBox and TScrollBar: scroll arithmetic, definitions read
// and written back, selection by real clicks and keys, owner drawing and
// scrolling by real input.
#include <gtest/gtest.h>

#include <vector>

#include "framework/core/form_reader.h"
#include "framework/core/form_writer.h"
#include "framework/core/property_access.h"
#include "framework/gdi/bitmap.h"
#include "framework/stdctrls/std_common.h"
#include "framework/stdctrls/std_lists.h"
#include "framework/ui/menus.h"
#include "tests/framework/stdctrls/std_test_util.h"

namespace {

const char* kListsForm = R"(object ListsForm: TForm
  Caption = 'lists'
  ClientWidth = 420
  ClientHeight = 320
  object Fruits: TListBox
    Left = 10
    Top = 10
    Width = 120
    Height = 100
    TabOrder = 0
    Items = (
      'apple'
      '香蕉'
      'cherry'
      'date')
    ItemIndex = 1
    OnClick = FruitsClick
  end
  object Drawn: TListBox
    Left = 140
    Top = 10
    Width = 120
    Height = 150
    TabOrder = 1
    Style = lbOwnerDrawVariable
    ItemHeight = 20
    Items = (
      'one'
      'two'
      'three')
    OnDrawItem = DrawnDraw
    OnMeasureItem = DrawnMeasure
  end
  object Pick: TComboBox
    Left = 10
    Top = 170
    Width = 120
    TabOrder = 2
    Style = csDropDownList
    Items = (
      '红'
      'green'
      'blue')
    ItemIndex = 0
    OnChange = PickChange
  end
  object Typed: TComboBox
    Left = 10
    Top = 205
    Width = 120
    TabOrder = 3
    Items = (
      'x'
      'y')
    Text = 'free'
    OnChange = TypedChange
  end
  object Bar: TScrollBar
    Left = 10
    Top = 250
    Width = 200
    Height = 17
    TabOrder = 4
    Min = 10
    Max = 60
    PageSize = 10
    Position = 20
    SmallChange = 2
    LargeChange = 5
    OnScroll = BarScroll
    OnChange = BarChange
  end
  object Side: TScrollBar
    Left = 300
    Top = 10
    Width = 17
    Height = 150
    TabOrder = 5
    Kind = sbVertical
  end
end
)";

// Fills of the owner-drawn items, by index.
const COLORREF kItemColors[] = {RGB(200, 0, 0), RGB(0, 150, 0), RGB(0, 0, 200)};

class TListsForm : public TForm {
public:
    explicit TListsForm(TComponent* owner) : TForm(owner) {
        auto count = [](int& n) { return [&n](TObject*) { ++n; }; };
        RegisterHandler<void(TObject*)>("FruitsClick", count(fruitsClicks));
        RegisterHandler<void(TObject*)>("PickChange", count(pickChanges));
        RegisterHandler<void(TObject*)>("TypedChange", count(typedChanges));
        RegisterHandler<void(TObject*)>("BarChange", count(barChanges));
        RegisterHandler<void(TObject*, TScrollCode, int&)>(
            "BarScroll", [this](TObject*, TScrollCode code, int& pos) {
                scrollCodes.push_back(code);
                if (code == scPageDown)
                    pos = 50;
            });
        RegisterHandler<void(TWinControl*, int, int&)>(
            "DrawnMeasure", [this](TWinControl*, int index, int& height) {
                ++measured;
                height = 12 + 4 * index;
            });
        RegisterHandler<void(TWinControl*, int, const RECT&, TOwnerDrawState)>(
            "DrawnDraw", [this](TWinControl* c, int index, const RECT& r, TOwnerDrawState) {
                drawnHeights.push_back(static_cast<int>(r.bottom - r.top));
                auto& canvas = static_cast<TListBox*>(c)->Canvas();
                canvas.Brush().SetColor(static_cast<TColor>(kItemColors[index % 3]));
                canvas.FillRect(r);
            });
        ReadFormDefinition(*this, kListsForm);
    }
    template <class T> T* Find(const char* name) { return dynamic_cast<T*>(FindComponent(name)); }
    int fruitsClicks = 0, pickChanges = 0, typedChanges = 0, barChanges = 0, measured = 0;
    std::vector<TScrollCode> scrollCodes;
    std::vector<int> drawnHeights;
};

std::wstring ListText(TWinControl* c, int i) {
    wchar_t buf[64] = {};
    SendMessageW(c->Handle(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(buf));
    return buf;
}

} // namespace

// Line, page, thumb and end requests held to the range; platform codes and
// owner-draw states translated.
TEST(ListGeometry, Arithmetic) {
    // Range 10..60 with a page of 10: the last position is 51.
    EXPECT_EQ(ScrollTarget(scLineDown, 20, 0, 10, 60, 10, 2, 5), 22);
    EXPECT_EQ(ScrollTarget(scLineUp, 20, 0, 10, 60, 10, 2, 5), 18);
    EXPECT_EQ(ScrollTarget(scPageUp, 12, 0, 10, 60, 10, 2, 5), 10);
    EXPECT_EQ(ScrollTarget(scPageDown, 20, 0, 10, 60, 10, 2, 5), 25);
    EXPECT_EQ(ScrollTarget(scBottom, 20, 0, 10, 60, 10, 2, 5), 51);
    EXPECT_EQ(ScrollTarget(scTop, 20, 0, 10, 60, 10, 2, 5), 10);
    EXPECT_EQ(ScrollTarget(scTrack, 20, 55, 10, 60, 10, 2, 5), 51);
    EXPECT_EQ(ScrollTarget(scPosition, 20, 33, 10, 60, 10, 2, 5), 33);
    EXPECT_EQ(ScrollTarget(scEndScroll, 20, 55, 10, 60, 10, 2, 5), 20);
    EXPECT_EQ(ScrollTarget(scLineDown, 59, 0, 10, 60, 0, 2, 5), 60);
    EXPECT_EQ(ScrollCodeOf(SB_LINEDOWN), scLineDown);
    EXPECT_EQ(ScrollCodeOf(SB_PAGEUP), scPageUp);
    EXPECT_EQ(ScrollCodeOf(SB_THUMBTRACK), scTrack);
    EXPECT_EQ(ScrollCodeOf(SB_THUMBPOSITION), scPosition);
    EXPECT_EQ(ScrollCodeOf(SB_ENDSCROLL), scEndScroll);
    const TOwnerDrawState s = OwnerDrawStateOf(ODS_SELECTED | ODS_FOCUS);
    EXPECT_TRUE(s.Contains(odSelected));
    EXPECT_TRUE(s.Contains(odFocused));
    EXPECT_FALSE(s.Contains(odDisabled));
}

// Items, selection, styles and scroll values reach the windows; by-name
// reading sees them; writing and reading again gives the same definition.
TEST(Lists, DefinitionRoundTrip) {
    TListsForm form(Application);
    auto* fruits = form.Find<TListBox>("Fruits");
    auto* drawn = form.Find<TListBox>("Drawn");
    auto* pick = form.Find<TComboBox>("Pick");
    auto* typed = form.Find<TComboBox>("Typed");
    auto* bar = form.Find<TScrollBar>("Bar");
    auto* side = form.Find<TScrollBar>("Side");
    ASSERT_TRUE(fruits && drawn && pick && typed && bar && side);
    form.HandleNeeded();
    EXPECT_EQ(SendMessageW(fruits->Handle(), LB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(fruits->ItemIndex(), 1);
    EXPECT_EQ(ListText(fruits, 1), L"香蕉");
    EXPECT_TRUE(GetWindowLongW(drawn->Handle(), GWL_STYLE) & LBS_OWNERDRAWVARIABLE);
    EXPECT_EQ(GetWindowLongW(pick->Handle(), GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    EXPECT_EQ(SendMessageW(pick->Handle(), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(pick->Text(), L"红");
    EXPECT_EQ(WindowTextOf(typed->Handle()), L"free");
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(bar->Handle(), SB_CTL, &si);
    EXPECT_EQ(si.nMin, 10);
    EXPECT_EQ(si.nMax, 60);
    EXPECT_EQ(si.nPage, 10u);
    EXPECT_EQ(si.nPos, 20);
    EXPECT_TRUE(GetWindowLongW(side->Handle(), GWL_STYLE) & SBS_VERT);
    EXPECT_EQ(ReadIntegerProperty(bar, "Position"), 20);
    EXPECT_EQ(ReadEnumerationProperty(side, "Kind"), "sbVertical");
    EXPECT_EQ(ReadEnumerationProperty(pick, "Style"), "csDropDownList");
    EXPECT_EQ(ReadTextProperty(pick, "Text"), L"红");
    EXPECT_EQ(form.barChanges, 0); // reading fires no change

    const std::string text = WriteFormDefinition(form);
    TListsForm again(nullptr);
    again.HandleNeeded();
    EXPECT_EQ(WriteFormDefinition(again), text);
    EXPECT_EQ(again.Find<TScrollBar>("Bar")->LargeChange(), 5);

    // A drop-down combo is as high as its box; its list drops below it.
    EXPECT_LT(pick->Height(), 40);
    pick->SetBounds(pick->Left(), pick->Top(), 150, pick->Height());
    EXPECT_EQ(pick->Width(), 150);
    EXPECT_LT(pick->Height(), 40);
    pick->SetDroppedDown(true);
    EXPECT_TRUE(pick->DroppedDown());
    RECT dropped{};
    SendMessageW(pick->Handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    EXPECT_GT(dropped.bottom - dropped.top, 50);
    pick->SetDroppedDown(false);
    // Changing the style keeps items and selection.
    pick->SetStyle(csDropDown);
    EXPECT_EQ(GetWindowLongW(pick->Handle(), GWL_STYLE) & 3, CBS_DROPDOWN);
    EXPECT_EQ(pick->ItemIndex(), 0);
    EXPECT_EQ(SendMessageW(pick->Handle(), CB_GETCOUNT, 0, 0), 3);
}

// A click on a line and the arrow keys select and fire OnClick once each; a
// key in a drop-down list and typing in a drop-down combo change its text.
TEST(Lists, SelectionByClicksAndKeys) {
    TListsForm form(Application);
    auto* fruits = form.Find<TListBox>("Fruits");
    auto* pick = form.Find<TComboBox>("Pick");
    auto* typed = form.Find<TComboBox>("Typed");
    ShowInFront(form);
    const int h = static_cast<int>(SendMessageW(fruits->Handle(), LB_GETITEMHEIGHT, 0, 0));
    ClickAt(*fruits, POINT{20, 2 * h + h / 2 + 2});
    EXPECT_EQ(fruits->ItemIndex(), 2);
    EXPECT_EQ(form.fruitsClicks, 1);
    PressKey(VK_DOWN);
    EXPECT_EQ(fruits->ItemIndex(), 3);
    EXPECT_EQ(form.fruitsClicks, 2);
    pick->SetFocus();
    Settle();
    PressKey(VK_DOWN);
    EXPECT_EQ(pick->ItemIndex(), 1);
    EXPECT_EQ(pick->Text(), L"green");
    EXPECT_EQ(form.pickChanges, 1);
    typed->SetFocus();
    Settle();
    SendMessageW(typed->Handle(), CB_SETEDITSEL, 0, MAKELPARAM(4, 4));
    TypeText(L"!");
    EXPECT_EQ(typed->Text(), L"free!");
    EXPECT_EQ(form.typedChanges, 1);
    form.Hide();
}

// Items measured by OnMeasureItem get those heights; OnDrawItem paints them.
TEST(ListBox, OwnerDrawnVariableItems) {
    TListsForm form(Application);
    auto* drawn = form.Find<TListBox>("Drawn");
    ShowInFront(form);
    UpdateWindow(drawn->Handle());
    EXPECT_EQ(form.measured, 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(SendMessageW(drawn->Handle(), LB_GETITEMHEIGHT, i, 0), 12 + 4 * i) << i;
    ASSERT_GE(form.drawnHeights.size(), 3u);
    EXPECT_EQ(form.drawnHeights[1], 16);
    RECT item{};
    SendMessageW(drawn->Handle(), LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.top, 12 + 16);
    EXPECT_EQ(ScreenPixel(drawn->Handle(), item.left + 30, item.top + 10), kItemColors[2]);
    form.Hide();
}

// Arrow clicks, page clicks and keys move the bar through OnScroll, which
// may change the target, and OnChange.
TEST(ScrollBar, ScrollByRealInput) {
    TListsForm form(Application);
    auto* bar = form.Find<TScrollBar>("Bar");
    auto* side = form.Find<TScrollBar>("Side");
    ShowInFront(form);
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    ClickAt(*bar, POINT{bar->Width() - arrow / 2, bar->Height() / 2});
    EXPECT_EQ(bar->Position(), 22);
    ASSERT_FALSE(form.scrollCodes.empty());
    EXPECT_EQ(form.scrollCodes.front(), scLineDown);
    EXPECT_EQ(form.barChanges, 1);
    // The page area right of the thumb: the handler moves the target to 50.
    ClickAt(*bar, POINT{bar->Width() - arrow - 4, bar->Height() / 2});
    EXPECT_EQ(bar->Position(), 50);
    SCROLLINFO si{sizeof(si), SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(bar->Handle(), SB_CTL, &si);
    EXPECT_EQ(si.nPos, 50);
    bar->SetFocus();
    Settle();
    PressKey(VK_LEFT);
    EXPECT_EQ(bar->Position(), 48);
    const int before = side->Position();
    ClickAt(*side, POINT{side->Width() / 2, side->Height() - arrow / 2});
    EXPECT_EQ(side->Position(), before + 1);
    form.Hide();
}

// Lists and menus share one owner-draw state: a menu item drawn through the
// platform's WM_DRAWITEM gets the set a list line gets from the same bits.
TEST(OwnerDrawState, OneTypeForListLinesAndMenuItems) {
    TMainMenu menu(nullptr);
    auto* item = new TMenuItem(&menu);
    item->SetCaption(L"Item");
    menu.Items()->Add(item);
    std::vector<TOwnerDrawState> seen;
    item->OnAdvancedDrawItem = [&](TObject*, TCanvas*, RECT, TOwnerDrawState state) {
        seen.push_back(state);
    };
    TBitmap target(60, 20);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = item->Command();
    dis.itemData = reinterpret_cast<ULONG_PTR>(item);
    dis.itemState = ODS_SELECTED | ODS_DISABLED;
    dis.hDC = target.Canvas().Handle();
    dis.rcItem = RECT{0, 0, 60, 20};
    ASSERT_TRUE(TMenuItem::HandleDrawItem(&dis));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], OwnerDrawStateOf(ODS_SELECTED | ODS_DISABLED));
    EXPECT_TRUE(seen[0].Contains(odSelected));
    EXPECT_TRUE(seen[0].Contains(odDisabled));
    EXPECT_FALSE(seen[0].Contains(odFocused));
}
