// List view, header control and tree view: definitions, round trips, what
// the platform controls hold, and selections and clicks by mouse.
#include <gtest/gtest.h>

#include "framework/ui/win32.h"

#include <commctrl.h>

#include <cstring>

#include "framework/stdctrls/std_views.h"
#include "std_test_util_b.h"

namespace {
const char* const kViewsForm = R"(object ViewsForm: TForm
  ClientWidth = 500
  ClientHeight = 400
  object List: TListView
    Left = 10
    Top = 10
    Width = 300
    Height = 120
    ViewStyle = vsReport
    RowSelect = True
    Columns = <
      item
        Caption = '名称'
        Width = 100
      end
      item
        Caption = 'Price'
        Width = 80
        Alignment = taRightJustify
      end>
    Items = <
      item
        Caption = '面包'
        SubItems = (
          '3.50')
      end
      item
        Caption = 'Milk'
        SubItems = (
          '2.00')
      end>
    OnSelectItem = Selected
  end
  object Header: THeaderControl
    Left = 10
    Top = 140
    Width = 300
    Height = 20
    Sections = <
      item
        Text = 'One'
        Width = 90
      end
      item
        Text = 'Two'
        Width = 70
        Alignment = taCenter
      end>
    OnSectionClick = SectionClicked
  end
  object Tree: TTreeView
    Left = 10
    Top = 170
    Width = 200
    Height = 150
    Items = (
      'Foods'
      ' Bread'
      '  Rye'
      ' Milk'
      '饮料')
    OnChange = NodeChanged
  end
end
)";

struct TViewLog {
    int selects = 0;
    TListItem* item = nullptr;
    bool selected = false;
    THeaderSection* section = nullptr;
    TTreeNode* node = nullptr;
};

void RegisterViewHandlers(TForm& form, TViewLog& log) {
    form.RegisterHandler<void(TObject*, TListItem*, bool)>(
        "Selected", [&log](TObject*, TListItem* item, bool selected) {
            ++log.selects;
            log.item = item;
            log.selected = selected;
        });
    form.RegisterHandler<void(TObject*, THeaderSection*)>(
        "SectionClicked", [&log](TObject*, THeaderSection* s) { log.section = s; });
    form.RegisterHandler<void(TObject*, TTreeNode*)>(
        "NodeChanged", [&log](TObject*, TTreeNode* n) { log.node = n; });
}

std::unique_ptr<TForm> ReadViewsForm(TViewLog& log) {
    return ReadTestForm(kViewsForm, [&log](TForm& f) { RegisterViewHandlers(f, log); });
}

std::wstring ListText(HWND list, int item, int sub) {
    wchar_t text[64] = {};
    LVITEMW lv{};
    lv.iSubItem = sub;
    lv.pszText = text;
    lv.cchTextMax = 64;
    SendMessageW(list, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&lv));
    return text;
}
} // namespace

// Definitions fill the platform controls; the written definition reads back
// to the same columns, items, sections and nested nodes.
TEST(StdViews, DefinitionAndRoundTrip) {
    EXPECT_EQ(ViewStyleBits(vsReport), static_cast<DWORD>(LVS_REPORT));
    EXPECT_EQ(ViewStyleBits(vsList), static_cast<DWORD>(LVS_LIST));
    TViewLog log;
    auto form = ReadViewsForm(log);
    auto* list = Find<TListView>(*form, "List");
    auto* header = Find<THeaderControl>(*form, "Header");
    auto* tree = Find<TTreeView>(*form, "Tree");
    ASSERT_TRUE(list && header && tree);
    HWND lh = list->Handle();
    EXPECT_EQ(GetWindowLongW(lh, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_EQ(SendMessageW(lh, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(ListText(lh, 0, 0), L"面包");
    EXPECT_EQ(ListText(lh, 1, 1), L"2.00");
    EXPECT_EQ(SendMessageW(lh, LVM_GETCOLUMNWIDTH, 1, 0), 80);
    EXPECT_TRUE(SendMessageW(lh, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
    EXPECT_EQ(SendMessageW(header->Handle(), HDM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(tree->Handle(), TVM_GETCOUNT, 0, 0), 5);
    ASSERT_EQ(tree->Items().TopCount(), 2);
    EXPECT_EQ(tree->Items().Top(0)->Item(0)->Item(0)->Text(), L"Rye");
    EXPECT_EQ(tree->Items().Top(1)->Text(), L"饮料");
    EXPECT_EQ(log.selects, 0); // filling the list is not a selection

    auto copy = RoundTrip(*form, nullptr, [&log](TForm& f) { RegisterViewHandlers(f, log); });
    auto* list2 = Find<TListView>(*copy, "List");
    auto* header2 = Find<THeaderControl>(*copy, "Header");
    auto* tree2 = Find<TTreeView>(*copy, "Tree");
    ASSERT_TRUE(list2 && header2 && tree2);
    EXPECT_EQ(list2->ViewStyle(), vsReport);
    ASSERT_EQ(list2->Columns()->Count(), 2);
    EXPECT_EQ(list2->Columns()->Items(0)->Caption(), L"名称");
    EXPECT_EQ(list2->Columns()->Items(1)->Alignment(), taRightJustify);
    ASSERT_EQ(list2->Items()->Count(), 2);
    EXPECT_EQ(list2->Items()->Items(0)->SubItems()[0], "3.50");
    ASSERT_EQ(header2->Sections()->Count(), 2);
    EXPECT_EQ(header2->Sections()->Items(1)->Width(), 70);
    EXPECT_EQ(header2->Sections()->Items(1)->Alignment(), taCenter);
    ASSERT_EQ(tree2->Items().TopCount(), 2);
    EXPECT_EQ(tree2->Items().Top(0)->Count(), 2);
    EXPECT_EQ(tree2->Items().Top(0)->Item(0)->Item(0)->Level(), 2);
}

// Clicking a row selects its item; clicking a section reports it; clicking
// a node selects it.
TEST(StdViews, ClicksSelect) {
    TViewLog log;
    auto form = ReadViewsForm(log);
    auto* list = Find<TListView>(*form, "List");
    auto* header = Find<THeaderControl>(*form, "Header");
    auto* tree = Find<TTreeView>(*form, "Tree");
    RECT row{LVIR_LABEL, 0, 0, 0};
    SendMessageW(list->Handle(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    ClickAt(list->Handle(), row.left + 5, (row.top + row.bottom) / 2);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(list->Selected(), list->Items()->Items(1));
    EXPECT_EQ(log.item, list->Items()->Items(1));
    EXPECT_TRUE(log.selected);
    EXPECT_GE(log.selects, 1);

    ClickAt(header->Handle(), 90 + 35, 10);
    EXPECT_EQ(log.section, header->Sections()->Items(1));

    TTreeNode* other = tree->Items().Top(1);
    RECT r{};
    HTREEITEM id = other->ItemId();
    std::memcpy(&r, &id, sizeof(id)); // the item goes in, its rectangle comes out
    ASSERT_TRUE(SendMessageW(tree->Handle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)));
    ClickAt(tree->Handle(), r.left + 3, (r.top + r.bottom) / 2);
    EXPECT_EQ(tree->Selected(), other);
    EXPECT_EQ(log.node, other);
    // Nodes added later appear at once under their parent.
    TTreeNode* added = tree->Items().AddChild(other, L"Tea");
    EXPECT_NE(added->ItemId(), nullptr);
    EXPECT_EQ(SendMessageW(tree->Handle(), TVM_GETCOUNT, 0, 0), 6);
}
