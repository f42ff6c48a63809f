// The main window as its definition builds it: title, MDI frame, maximised,
// size limits, status bar panels and texts, the clock tick and the close
// query that goes through the confirmation dialog.
#include "framework/ui/win32.h"

#include "app/clock_text.h"
#include "app/main_frm.h"
#include "app/unit_messagebox.h"
#include "browser/embedded_wb.h"
#include "framework/ui/application.h"
#include "lantuo_config.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <vector>

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

// A browser host that records each navigation request instead of passing it
// to the platform's browser (whose pages do not load under Wine).
class TRecordingWB : public TEmbeddedWB {
public:
    using TEmbeddedWB::TEmbeddedWB;
    struct TRequest {
        VARIANT args[5]; // url, flags, target frame, post data, headers
    };
    std::vector<TRequest> requests;

    void Navigate2(const VARIANT& url, const VARIANT& flags, const VARIANT& targetFrameName,
                   const VARIANT& postData, const VARIANT& headers) override {
        TRequest r;
        const VARIANT* given[5] = {&url, &flags, &targetFrameName, &postData, &headers};
        for (int i = 0; i < 5; ++i) {
            VariantInit(&r.args[i]);
            VariantCopy(&r.args[i], const_cast<VARIANT*>(given[i]));
        }
        requests.push_back(r);
    }
    ~TRecordingWB() override {
        for (TRequest& r : requests) {
            for (VARIANT& v : r.args)
                VariantClear(&v);
        }
    }
};

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
           GetTickCount() - start < 20000) {
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

// The create handler asks the component named WebBrowser to go to
// http://<configured host>/LantuoWeb, the other four arguments left out.
TEST_F(MainFormTest, CreateHandlerNavigatesTheBrowserToTheStartAddress) {
    TComponent* fromDefinition = form_->FindComponent("WebBrowser");
    ASSERT_NE(fromDefinition, nullptr);
    fromDefinition->SetName("WebBrowser_FromDefinition");
    auto* recorder = new TRecordingWB(form_);
    recorder->SetName("WebBrowser");

    form_->FormCreate(form_);

    ASSERT_EQ(recorder->requests.size(), 1u);
    const TRecordingWB::TRequest& r = recorder->requests[0];
    ASSERT_EQ(r.args[0].vt, VT_BSTR);
    EXPECT_EQ(std::wstring(r.args[0].bstrVal),
              std::wstring(L"http://") + LT_SERVER_HOST_TEXT + L"/LantuoWeb");
    for (int i = 1; i < 5; ++i) {
        EXPECT_EQ(r.args[i].vt, VT_ERROR) << i;
        EXPECT_EQ(r.args[i].scode, DISP_E_PARAMNOTFOUND) << i;
    }
    EXPECT_EQ(form_->WebBrowser, recorder);

    delete recorder;
    fromDefinition->SetName("WebBrowser");
    form_->WebBrowser = dynamic_cast<TEmbeddedWB*>(fromDefinition);
}

namespace {

// Width in pixels of text in the status bar's own font (the font it was
// given with WM_SETFONT), measured on its DC as its drawing does.
int TextWidthInBar(HWND bar, const std::wstring& text) {
    HDC dc = GetDC(bar);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(bar, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(bar, dc);
    return size.cx;
}

// The room for text in a panel: the control draws a one-pixel sunken edge
// around the part's rectangle and starts the text three pixels inside it.
int InnerWidth(HWND bar, int part) {
    RECT r{};
    SendMessageW(bar, SB_GETRECT, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(&r));
    return (r.right - r.left) - 2 - 3;
}

// The contact line of panel 3 as the definition builds it.
std::wstring ContactLine(const std::wstring& mail, const std::wstring& phone1,
                         const std::wstring& phone2) {
    return L"E_Mail：" + mail + L"\u3000QQ：" + phone1 + L"、" + phone2;
}

} // namespace

// Every panel's text fits inside its panel: the texts of this build, and the
// longest values the configuration accepts made of the widest characters
// they may hold.
TEST_F(MainFormTest, StatusPanelTextsFitTheirPanels) {
    form_->Show();
    HWND bar = form_->StatusBar_Main->Handle();
    TStatusPanels* panels = form_->StatusBar_Main->Panels();
    ASSERT_EQ(panels->Count(), 5);
    form_->Timer_MainTimer(form_);
    for (int i = 1; i < 5; ++i) {
        const std::wstring& text = panels->Items(i)->Text();
        EXPECT_LE(TextWidthInBar(bar, text), InnerWidth(bar, i))
            << "panel " << i << " cuts off \"" << std::string(text.begin(), text.end()) << "\"";
    }
    // The widest clock text (two-digit month and day) fits the clock panel.
    EXPECT_LE(TextWidthInBar(bar, L"2026年12月28日 23:58:58"), InnerWidth(bar, 4));

    // The widest character each value may hold (numbers: digits and hyphens).
    const auto widestOf = [&](wchar_t first, wchar_t last, const std::wstring& extra) {
        std::wstring all = extra;
        for (wchar_t c = first; c <= last; ++c)
            all += c;
        wchar_t widest = all[0];
        for (wchar_t c : all) {
            if (TextWidthInBar(bar, std::wstring(1, c)) >
                TextWidthInBar(bar, std::wstring(1, widest)))
                widest = c;
        }
        return widest;
    };
    const wchar_t widest = widestOf(0x21, 0x7E, L"");
    const wchar_t widestDigit = widestOf(L'0', L'9', L"-");
    const std::wstring web(LT_VENDOR_WEB_MAX, widest);
    const std::wstring number(LT_VENDOR_PHONE_MAX, widestDigit);
    const std::wstring contact =
        ContactLine(std::wstring(LT_VENDOR_MAIL_MAX, widest), number, number);
    EXPECT_LE(TextWidthInBar(bar, web), InnerWidth(bar, 2));
    EXPECT_LE(TextWidthInBar(bar, contact), InnerWidth(bar, 3));
    // Two more characters of the widest kind would not fit: the limits are
    // within a character of the room there is.
    EXPECT_GT(TextWidthInBar(bar, web + widest + widest), InnerWidth(bar, 2));
    EXPECT_GT(TextWidthInBar(bar, contact + widest + widest), InnerWidth(bar, 3));
    std::printf("status panels: inner widths %d %d %d, widest ASCII '%c' %d px, longest web %d px, "
                "longest contact %d px\n",
                InnerWidth(bar, 1), InnerWidth(bar, 2), InnerWidth(bar, 3),
                static_cast<char>(widest), TextWidthInBar(bar, std::wstring(1, widest)),
                TextWidthInBar(bar, web), TextWidthInBar(bar, contact));
}
