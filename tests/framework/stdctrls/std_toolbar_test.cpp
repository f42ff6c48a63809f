// Tool bar and scroll box: definitions, round trips, button clicks, custom
// drawing, and scrolling that follows the children.
#include <gtest/gtest.h>

#include "framework/ui/win32.h"

#include <commctrl.h>

#include "framework/stdctrls/std_bars.h"
#include "framework/stdctrls/std_toolbar.h"
#include "framework/ui/menus.h"
#include "std_test_util_b.h"

namespace {
const char* const kToolForm = R"(object ToolForm: TForm
  ClientWidth = 400
  ClientHeight = 300
  object Tools: TToolBar
    Flat = True
    ShowCaptions = True
    Menu = MainMenu
    OnCustomDrawButton = DrawButton
    object SaveButton: TToolButton
      Caption = 'Save'
      OnClick = Clicked
    end
    object BoldButton: TToolButton
      Caption = 'Bold'
      Style = tbsCheck
    end
    object Gap: TToolButton
      Style = tbsSeparator
    end
    object OpenButton: TToolButton
      Caption = 'Open'
      MenuItem = OpenItem
    end
  end
  object Box: TScrollBox
    Left = 10
    Top = 60
    Width = 200
    Height = 120
    VertScrollBar.Increment = 10
    object Far: TProgressBar
      Left = 10
      Top = 250
      Width = 100
      Height = 16
    end
  end
  object MainMenu: TMainMenu
    object OpenItem: TMenuItem
      Caption = 'Open'
      OnClick = Opened
    end
  end
end
)";

struct TToolLog {
    int clicks = 0;
    int opened = 0;
    int drawn = 0;
};

void RegisterToolHandlers(TForm& form, TToolLog& log) {
    form.RegisterHandler<void(TObject*)>("Clicked", [&log](TObject*) { ++log.clicks; });
    form.RegisterHandler<void(TObject*)>("Opened", [&log](TObject*) { ++log.opened; });
    // The Save button is painted red by the application; the others by the platform.
    form.RegisterHandler<void(TToolBar*, TToolButton*, TCustomDrawState, bool&)>(
        "DrawButton", [&log](TToolBar* bar, TToolButton* b, TCustomDrawState, bool& def) {
            ++log.drawn;
            if (b->Caption() != L"Save")
                return;
            bar->Canvas().Brush().SetColor(clRed);
            bar->Canvas().FillRect(b->BoundsRect());
            def = false;
        });
}

std::unique_ptr<TForm> ReadToolForm(TToolLog& log) {
    return ReadTestForm(kToolForm, [&log](TForm& f) { RegisterToolHandlers(f, log); });
}

POINT Centre(TControl* c) {
    return {c->Left() + c->Width() / 2, c->Top() + c->Height() / 2};
}
} // namespace

// Drawing states map from the platform's bits; the scroll limit never goes below 0.
TEST(StdToolBar, DrawStatesAndScrollLimit) {
    TCustomDrawState s = CustomDrawState(CDIS_HOT | CDIS_CHECKED);
    EXPECT_TRUE(s.Contains(cdsHot));
    EXPECT_TRUE(s.Contains(cdsChecked));
    EXPECT_FALSE(s.Contains(cdsSelected));
    EXPECT_TRUE(CustomDrawState(CDIS_DISABLED).Contains(cdsDisabled));
    EXPECT_EQ(MaxScrollPosition(266, 100), 166);
    EXPECT_EQ(MaxScrollPosition(50, 100), 0);
}

// Buttons from the definition become platform buttons in order, with their
// captions and styles; the definition reads back the same.
TEST(StdToolBar, DefinitionAndRoundTrip) {
    TToolLog log;
    auto form = ReadToolForm(log);
    auto* tools = Find<TToolBar>(*form, "Tools");
    ASSERT_TRUE(tools);
    HWND tb = tools->Handle();
    ASSERT_EQ(SendMessageW(tb, TB_BUTTONCOUNT, 0, 0), 4);
    EXPECT_TRUE(GetWindowLongW(tb, GWL_STYLE) & TBSTYLE_FLAT);
    EXPECT_EQ(tools->Menu(), Find<TMainMenu>(*form, "MainMenu"));
    wchar_t text[32] = {};
    auto* bold = Find<TToolButton>(*form, "BoldButton");
    SendMessageW(tb, TB_GETBUTTONTEXTW, bold->CommandId(), reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::wstring(text), L"Bold");
    RECT r{};
    SendMessageW(tb, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(bold->Left(), r.left);
    EXPECT_EQ(bold->Width(), r.right - r.left);
    TBBUTTON info{};
    SendMessageW(tb, TB_GETBUTTON, 2, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.fsStyle & BTNS_SEP, BTNS_SEP);

    auto copy = RoundTrip(*form, nullptr, [&log](TForm& f) { RegisterToolHandlers(f, log); });
    auto* tools2 = Find<TToolBar>(*copy, "Tools");
    ASSERT_TRUE(tools2);
    ASSERT_EQ(tools2->ButtonCount(), 4);
    EXPECT_TRUE(tools2->Flat());
    EXPECT_TRUE(tools2->ShowCaptions());
    EXPECT_EQ(tools2->Buttons(1)->Style(), tbsCheck);
    EXPECT_EQ(tools2->Buttons(3)->MenuItem(), Find<TMenuItem>(*copy, "OpenItem"));
    EXPECT_EQ(tools2->OnCustomDrawButton.HandlerName(), "DrawButton");
    auto* box2 = Find<TScrollBox>(*copy, "Box");
    ASSERT_TRUE(box2);
    EXPECT_EQ(box2->VertScrollBar().Increment(), 10);
}

// Clicks run the button's OnClick, toggle a check button and run a menu
// item's handler; the custom drawing event paints the Save button.
TEST(StdToolBar, ClicksAndCustomDraw) {
    TToolLog log;
    auto form = ReadToolForm(log);
    auto* tools = Find<TToolBar>(*form, "Tools");
    auto* save = Find<TToolButton>(*form, "SaveButton");
    auto* bold = Find<TToolButton>(*form, "BoldButton");
    auto* open = Find<TToolButton>(*form, "OpenButton");
    POINT p = Centre(save);
    ClickAt(tools->Handle(), p.x, p.y);
    EXPECT_EQ(log.clicks, 1);
    p = Centre(bold);
    ClickAt(tools->Handle(), p.x, p.y);
    EXPECT_TRUE(bold->Down());
    ClickAt(tools->Handle(), p.x, p.y);
    EXPECT_FALSE(bold->Down());
    p = Centre(open);
    ClickAt(tools->Handle(), p.x, p.y);
    EXPECT_EQ(log.opened, 1);
    EXPECT_EQ(log.clicks, 1);

    log.drawn = 0;
    RedrawWindow(tools->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_GE(log.drawn, 3);
    TClientDC dc(tools->Handle());
    p = Centre(save);
    EXPECT_EQ(GetPixel(dc.Handle(), p.x, p.y), RGB(255, 0, 0));
    p = Centre(bold);
    EXPECT_NE(GetPixel(dc.Handle(), bold->Left() + 2, p.y), RGB(255, 0, 0));
}

// The vertical range reaches the far child; scrolling moves the children and
// the bar together and stops at the end.
TEST(StdToolBar, ScrollBoxFollowsChildren) {
    TToolLog log;
    auto form = ReadToolForm(log);
    auto* box = Find<TScrollBox>(*form, "Box");
    auto* distant = Find<TProgressBar>(*form, "Far");
    EXPECT_EQ(box->VertScrollBar().Range(), 266);
    EXPECT_TRUE(GetWindowLongW(box->Handle(), GWL_STYLE) & WS_VSCROLL);
    EXPECT_FALSE(GetWindowLongW(box->Handle(), GWL_STYLE) & WS_HSCROLL);
    SendMessageW(box->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(box->VertScrollBar().Position(), 10);
    EXPECT_EQ(distant->Top(), 240);
    EXPECT_EQ(GetScrollPos(box->Handle(), SB_VERT), 10);
    RECT fr{};
    GetWindowRect(distant->Handle(), &fr);
    POINT origin{0, 0};
    ClientToScreen(box->Handle(), &origin);
    EXPECT_EQ(fr.top - origin.y, 240);
    SendMessageW(box->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    const int client = box->ClientHeight();
    EXPECT_EQ(box->VertScrollBar().Position(), 266 - client);
    EXPECT_EQ(distant->Top() + distant->Height(), client);
    box->VertScrollBar().SetPosition(0);
    EXPECT_EQ(distant->Top(), 250);
    // A child moved further out widens the range.
    distant->SetTop(400);
    EXPECT_EQ(box->VertScrollBar().Range(), 416);
    PumpPending();
    SCROLLINFO si{sizeof(si), SIF_RANGE, 0, 0, 0, 0, 0};
    GetScrollInfo(box->Handle(), SB_VERT, &si);
    EXPECT_EQ(si.nMax, 415);
}
