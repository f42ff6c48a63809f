// The main window as its definition builds it: title, MDI frame, maximised,
// size limits, status bar panels and texts, the clock tick and the close
// query that goes through the confirmation dialog.
#include "framework/ui/win32.h"

#include "app/clock_text.h"
#include "app/main_frm.h"
#include "app/unit_messagebox.h"
#include "framework/ui/application.h"
#include "lantuo_config.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>

namespace {

std::function<void()> g_pending;

void CALLBACK FirePending(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto fn = std::move(g_pending);
    g_pending = nullptr;
    if (fn)
        fn();
}

// Runs fn once from the (modal) message loop after ms milliseconds.
void Later(UINT ms, std::function<void()> fn) {
    g_pending = std::move(fn);
    SetTimer(nullptr, 0, ms, &FirePending);
}

class MainFormTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        app_ = new TApplication(nullptr);
        app_->Initialize();
        form_ = app_->CreateForm<TForm_Main>();
    }
    static void TearDownTestSuite() {
        delete app_; // frees the form it owns
        app_ = nullptr;
    }
    static TApplication* app_;
    static TForm_Main* form_;
};
TApplication* MainFormTest::app_ = nullptr;
TForm_Main* MainFormTest::form_ = nullptr;

} // namespace

TEST_F(MainFormTest, DefinitionValues) {
    EXPECT_EQ(form_->Caption(), L"岚拓食品销售管理系统");
    EXPECT_EQ(form_->FormStyle(), fsMDIForm);
    EXPECT_EQ(form_->WindowState(), wsMaximized);
    EXPECT_EQ(form_->Constraints().MinWidth, 1024);
    EXPECT_EQ(form_->Constraints().MinHeight, 768);
    EXPECT_EQ(form_->Color(), clBtnFace);
    ASSERT_NE(form_->StatusBar_Main, nullptr);
    ASSERT_NE(form_->Timer_Main, nullptr);
    EXPECT_TRUE(form_->Timer_Main->Enabled());
    EXPECT_EQ(form_->Timer_Main->Interval(), 1000u);
    EXPECT_EQ(form_->StatusBar_Main->Height(), 25);
    TStatusPanels* panels = form_->StatusBar_Main->Panels();
    ASSERT_EQ(panels->Count(), 5);
    const int widths[] = {0, 100, 200, 350, 50};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(panels->Items(i)->Width(), widths[i]) << i;
    EXPECT_EQ(panels->Items(1)->Text(), L"岚拓软件");
    EXPECT_EQ(panels->Items(1)->Alignment(), taCenter);
    EXPECT_EQ(panels->Items(2)->Text(), LT_VENDOR_WEB_TEXT);
    EXPECT_EQ(panels->Items(3)->Text(), std::wstring(L"E_Mail：") + LT_VENDOR_MAIL_TEXT +
                                            L"\u3000QQ：" + LT_VENDOR_PHONE1_TEXT + L"、" +
                                            LT_VENDOR_PHONE2_TEXT);
    EXPECT_EQ(panels->Items(4)->Text(), L""); // the first tick is one second away
    EXPECT_EQ(panels->Items(4)->Alignment(), taLeftJustify);
    const std::wstring url = TForm_Main::StartUrl();
    EXPECT_EQ(url.rfind(L"http://", 0), 0u);
    EXPECT_EQ(url.substr(url.size() - 10), L"/LantuoWeb");
}

TEST_F(MainFormTest, ClockTickWritesPanelFour) {
    SYSTEMTIME before;
    GetLocalTime(&before);
    form_->Timer_MainTimer(form_);
    const std::wstring text = form_->StatusBar_Main->Panels()->Items(4)->Text();
    SYSTEMTIME after;
    GetLocalTime(&after);
    const std::wstring a = ClockText(
        {before.wYear, before.wMonth, before.wDay, before.wHour, before.wMinute, before.wSecond});
    const std::wstring b = ClockText(
        {after.wYear, after.wMonth, after.wDay, after.wHour, after.wMinute, after.wSecond});
    EXPECT_TRUE(text == a || text == b) << "panel shows a time between the two readings";
    // The tick comes from the form's timer too.
    form_->StatusBar_Main->Panels()->Items(4)->SetText(L"");
    form_->Show();
    const DWORD start = GetTickCount();
    while (form_->StatusBar_Main->Panels()->Items(4)->Text().empty() &&
           GetTickCount() - start < 3000) {
        app_->ProcessMessages();
        Sleep(10);
    }
    EXPECT_FALSE(form_->StatusBar_Main->Panels()->Items(4)->Text().empty());
}

TEST_F(MainFormTest, PanelsKeepWidthsAndWindowKeepsMinimumSize) {
    form_->Show();
    form_->SetWindowState(wsNormal);
    form_->SetBounds(0, 0, 500, 300);
    EXPECT_GE(form_->Width(), 1024);
    EXPECT_GE(form_->Height(), 768);
    form_->SetBounds(0, 0, 1100, 800);
    int edges[5] = {};
    SendMessageW(form_->StatusBar_Main->Handle(), SB_GETPARTS, 5, reinterpret_cast<LPARAM>(edges));
    EXPECT_EQ(edges[0], 0);
    EXPECT_EQ(edges[1], 100);
    EXPECT_EQ(edges[2], 300);
    EXPECT_EQ(edges[3], 650);
    EXPECT_EQ(edges[4], -1); // the clock panel reaches the end of the bar
    form_->SetWindowState(wsMaximized);
}

TEST_F(MainFormTest, CloseQueryAsksTheDialog) {
    std::wstring asked;
    SetAskConfirmShowHook([&](TForm_MessageBox& box) {
        asked = box.Label_Tip->Caption();
        Later(200, [&box] { box.RzBitBtn_Cancel->Click(); });
    });
    bool canClose = true;
    form_->FormCloseQuery(form_, canClose);
    EXPECT_FALSE(canClose);
    EXPECT_EQ(asked, L"确认退出系统？");
    SetAskConfirmShowHook(
        [](TForm_MessageBox& box) { Later(200, [&box] { box.RzBitBtn_Ok->Click(); }); });
    canClose = false;
    form_->FormCloseQuery(form_, canClose);
    EXPECT_TRUE(canClose);
    // Through the form's own close query.
    SetAskConfirmShowHook(
        [](TForm_MessageBox& box) { Later(200, [&box] { box.RzBitBtn_Cancel->Click(); }); });
    EXPECT_FALSE(form_->CloseQuery());
    SetAskConfirmShowHook(nullptr);
}
