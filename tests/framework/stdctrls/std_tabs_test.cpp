// Page control, tab control and tab set: definitions, round trips, tab
// layout, and tab changes by mouse clicks.
#include <gtest/gtest.h>

#include "framework/ui/win32.h"

#include <commctrl.h>

#include "framework/gdi/gdi_handles.h"
#include "framework/stdctrls/std_tabs.h"
#include "std_test_util_b.h"

namespace {
const char* const kTabsForm = R"(object TabsForm: TForm
  ClientWidth = 500
  ClientHeight = 400
  object Pages: TPageControl
    Left = 10
    Top = 10
    Width = 300
    Height = 200
    TabPosition = tpBottom
    ActivePage = SheetB
    OnChange = Changed
    object SheetA: TTabSheet
      Caption = '第一页'
    end
    object SheetB: TTabSheet
      Caption = 'Second'
    end
  end
  object Tabs: TTabControl
    Left = 10
    Top = 220
    Width = 300
    Height = 60
    Tabs = (
      'One'
      'Two'
      '三')
    TabIndex = 2
    OnChange = Changed
  end
  object Row: TTabSet
    Left = 10
    Top = 300
    Width = 400
    Height = 21
    Tabs = (
      'Alpha'
      'Beta'
      'Gamma')
    TabIndex = 1
    StartMargin = 7
    EndMargin = 9
    OnChange = Changed
  end
end
)";

RECT TabRect(HWND tabs, int i) {
    RECT r{};
    SendMessageW(tabs, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
    return r;
}
} // namespace

// Tab position styles and the tab set's layout arithmetic, without windows.
TEST(StdTabs, PositionStylesAndTabSetLayout) {
    EXPECT_EQ(TabPositionStyle(tpTop), 0u);
    EXPECT_EQ(TabPositionStyle(tpBottom), static_cast<DWORD>(TCS_BOTTOM));
    EXPECT_EQ(TabPositionStyle(tpLeft), static_cast<DWORD>(TCS_VERTICAL | TCS_MULTILINE));
    EXPECT_EQ(TabPositionStyle(tpRight),
              static_cast<DWORD>(TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE));
    // Three tabs of 20, 30, 40 in 200 pixels from margin 5: all fit, no scroller.
    TTabSetLayout all = LayoutTabSet({20, 30, 40}, 0, 5, 5, 200);
    ASSERT_EQ(all.tabs.size(), 3u);
    EXPECT_FALSE(all.needsScroller);
    EXPECT_EQ(all.tabs[0].left, 5);
    EXPECT_EQ(all.tabs[0].right, 34);
    EXPECT_EQ(all.tabs[1].right, 73);
    EXPECT_EQ(all.tabs[2].right, 122);
    EXPECT_EQ(TabSetTabAt(all, 34), 1);
    EXPECT_EQ(TabSetTabAt(all, 4), -1);
    EXPECT_EQ(TabSetTabAt(all, 122), -1);
    // 100 pixels: the row needs the scroller, whose room ends the tabs at 71.
    TTabSetLayout tight = LayoutTabSet({20, 30, 40}, 0, 5, 5, 100);
    EXPECT_TRUE(tight.needsScroller);
    ASSERT_EQ(tight.tabs.size(), 1u);
    EXPECT_EQ(tight.tabs[0].right, 34);
    // Scrolled by one: the row starts with tab 1 at the start margin.
    TTabSetLayout scrolled = LayoutTabSet({20, 30, 40}, 1, 5, 5, 100);
    ASSERT_GE(scrolled.tabs.size(), 1u);
    EXPECT_EQ(scrolled.tabs[0].index, 1);
    EXPECT_EQ(scrolled.tabs[0].left, 5);
    EXPECT_TRUE(scrolled.needsScroller);
}

// Read from a definition: sheets, active page, tab texts and positions;
// written and read back with the same values.
TEST(StdTabs, DefinitionAndRoundTrip) {
    auto form = ReadTestForm(kTabsForm);
    auto* pages = Find<TPageControl>(*form, "Pages");
    auto* tabs = Find<TTabControl>(*form, "Tabs");
    auto* row = Find<TTabSet>(*form, "Row");
    ASSERT_TRUE(pages && tabs && row);
    ASSERT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->ActivePage(), Find<TTabSheet>(*form, "SheetB"));
    EXPECT_EQ(pages->ActivePageIndex(), 1);
    EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(GetWindowLongW(pages->Handle(), GWL_STYLE) & TCS_BOTTOM);
    wchar_t text[32] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 32;
    SendMessageW(pages->Handle(), TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(std::wstring(text), L"第一页");
    // Only the active sheet shows, and it fills the page area.
    EXPECT_FALSE(IsWindowVisible(Find<TTabSheet>(*form, "SheetA")->Handle()));
    EXPECT_TRUE(IsWindowVisible(pages->ActivePage()->Handle()));
    RECT area = pages->DisplayRect();
    EXPECT_EQ(pages->ActivePage()->Left(), area.left);
    EXPECT_EQ(pages->ActivePage()->Height(), area.bottom - area.top);
    EXPECT_EQ(SendMessageW(tabs->Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(tabs->TabIndex(), 2);
    EXPECT_EQ(row->Tabs().Count(), 3);
    EXPECT_EQ(row->StartMargin(), 7);
    // The scroller is the tab set's first owned component.
    EXPECT_EQ(row->Components(0), row->Scroller());

    std::string written;
    auto copy = RoundTrip(*form, &written);
    EXPECT_EQ(written.find("Scroller"), std::string::npos);
    auto* pages2 = Find<TPageControl>(*copy, "Pages");
    auto* tabs2 = Find<TTabControl>(*copy, "Tabs");
    auto* row2 = Find<TTabSet>(*copy, "Row");
    ASSERT_TRUE(pages2 && tabs2 && row2);
    EXPECT_EQ(pages2->TabPosition(), tpBottom);
    EXPECT_EQ(pages2->PageCount(), 2);
    EXPECT_EQ(pages2->ActivePage(), Find<TTabSheet>(*copy, "SheetB"));
    EXPECT_EQ(pages2->Pages(0)->Caption(), L"第一页");
    EXPECT_EQ(tabs2->Tabs()[2], tabs->Tabs()[2]);
    EXPECT_EQ(tabs2->TabIndex(), 2);
    EXPECT_EQ(row2->TabIndex(), 1);
    EXPECT_EQ(row2->StartMargin(), 7);
    EXPECT_EQ(row2->EndMargin(), 9);
    EXPECT_EQ(row2->Tabs()[1], "Beta");
}

// Sheets show their page control's colour and the page control its
// container's: a new colour of the form reaches every sheet (and a page
// control on a sheet, and its sheets), its erased pixels included; a sheet
// with a colour of its own keeps it; the old colour comes back the same way.
TEST(StdTabs, SheetsFollowTheColourOfTheirContainer) {
    auto form = ReadTestForm(kTabsForm);
    auto* pages = Find<TPageControl>(*form, "Pages");
    auto* sheetA = Find<TTabSheet>(*form, "SheetA");
    auto* sheetB = Find<TTabSheet>(*form, "SheetB");
    ASSERT_TRUE(pages && sheetA && sheetB);
    EXPECT_TRUE(pages->ParentColor() && sheetA->ParentColor());
    auto* inner = new TPageControl(form.get());
    inner->SetParent(sheetB);
    inner->SetBounds(4, 4, 120, 80);
    auto* innerSheet = new TTabSheet(form.get());
    innerSheet->SetPageControl(inner);
    const TColor before = form->Color();
    constexpr TColor kDark = RGB(58, 61, 66);
    form->SetColor(kDark);
    for (TControl* c : std::initializer_list<TControl*>{pages, sheetA, sheetB, inner, innerSheet})
        EXPECT_EQ(c->Color(), kDark) << c->Name();
    RedrawWindow(sheetB->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    {
        TClientDC dc(sheetB->Handle());
        EXPECT_EQ(GetPixel(dc.Handle(), sheetB->Width() - 3, sheetB->Height() - 3), kDark);
    }
    sheetA->SetColor(clRed);
    form->SetColor(clBtnFace);
    EXPECT_EQ(sheetA->Color(), static_cast<TColor>(clRed));
    EXPECT_FALSE(sheetA->ParentColor());
    for (TControl* c : std::initializer_list<TControl*>{pages, sheetB, inner, innerSheet})
        EXPECT_EQ(c->Color(), before) << c->Name();
}

// Clicking a tab of the page control shows its sheet; clicking a tab of the
// tab control moves TabIndex; both report through OnChange.
TEST(StdTabs, ClicksChangeTabs) {
    int changes = 0;
    auto form = ReadTestForm(kTabsForm, &changes);
    auto* pages = Find<TPageControl>(*form, "Pages");
    auto* tabs = Find<TTabControl>(*form, "Tabs");
    RECT first = TabRect(pages->Handle(), 0);
    ClickAt(pages->Handle(), (first.left + first.right) / 2, (first.top + first.bottom) / 2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(pages->ActivePage(), Find<TTabSheet>(*form, "SheetA"));
    EXPECT_TRUE(IsWindowVisible(pages->ActivePage()->Handle()));
    EXPECT_FALSE(IsWindowVisible(Find<TTabSheet>(*form, "SheetB")->Handle()));
    RECT t0 = TabRect(tabs->Handle(), 0);
    ClickAt(tabs->Handle(), (t0.left + t0.right) / 2, (t0.top + t0.bottom) / 2);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(tabs->TabIndex(), 0);
    // Every tab position keeps the page area inside the control.
    for (TTabPosition p : {tpTop, tpLeft, tpRight, tpBottom}) {
        pages->SetTabPosition(p);
        RECT area = pages->DisplayRect();
        EXPECT_GT(area.right - area.left, 100) << p;
        EXPECT_EQ(pages->ActivePage()->Width(), area.right - area.left) << p;
    }
    EXPECT_TRUE(GetWindowLongW(pages->Handle(), GWL_STYLE) & TCS_BOTTOM);
}

// The tab set paints the selected tab in the face colour and the others in
// the window colour, answers clicks on its tabs, and scrolls with its scroller.
TEST(StdTabs, TabSetPaintsClicksAndScrolls) {
    int changes = 0;
    auto form = ReadTestForm(kTabsForm, &changes);
    auto* row = Find<TTabSet>(*form, "Row");
    TTabSetLayout layout = row->Layout();
    ASSERT_EQ(layout.tabs.size(), 3u);
    EXPECT_FALSE(row->Scroller()->Visible());
    EXPECT_EQ(layout.tabs[0].left, 7);
    RedrawWindow(row->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    {
        TClientDC dc(row->Handle());
        const int y = 8;
        EXPECT_EQ(GetPixel(dc.Handle(), layout.tabs[1].left + 2, y), GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(GetPixel(dc.Handle(), layout.tabs[0].left + 2, y), GetSysColor(COLOR_WINDOW));
        EXPECT_EQ(GetPixel(dc.Handle(), layout.tabs[2].right, y), GetSysColor(COLOR_WINDOWFRAME));
    }
    ClickAt(row->Handle(), layout.tabs[2].left + 3, 5);
    EXPECT_EQ(row->TabIndex(), 2);
    EXPECT_EQ(changes, 1);
    ClickAt(row->Handle(), layout.tabs[2].left + 3, 5); // same tab: no change
    EXPECT_EQ(changes, 1);
    // Narrowed so the tabs no longer fit: the scroller appears and scrolls.
    row->SetWidth(layout.tabs[1].right + 20);
    PumpPending();
    ASSERT_TRUE(row->Scroller()->Visible());
    EXPECT_TRUE(IsWindowVisible(row->Scroller()->Handle()));
    ClickAt(row->Scroller()->Handle(), TTabScroller::kButtonWidth + 3, 5);
    EXPECT_EQ(row->FirstIndex(), 1);
    EXPECT_EQ(row->Layout().tabs.front().index, 1);
    ClickAt(row->Scroller()->Handle(), 3, 5);
    EXPECT_EQ(row->FirstIndex(), 0);
}
