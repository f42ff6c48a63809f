// The framework's WebBrowser control inside a form: activation when its window
// exists, following its size, leaving and re-entering activation with its
// window, navigation and its failures.
#include "framework/ole/web_browser.h"

#include <gtest/gtest.h>

#include "framework/ole/ole_error.h"
#include "framework/ui/application.h"
#include "framework/ui/form.h"

namespace {

class WebBrowserTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        OleInitialize(nullptr);
        app_ = new TApplication(nullptr);
        app_->Initialize();
    }
    static void TearDownTestSuite() {
        delete app_;
        OleUninitialize();
    }
    static TApplication* app_;
};
TApplication* WebBrowserTest::app_ = nullptr;

RECT ChildRect(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST_F(WebBrowserTest, ReleasesEverythingWithTheControl) {
    int sites = TOleControlSite::LiveCount();
    {
        TForm form(nullptr);
        auto* wb = new TWebBrowser(&form);
        wb->SetParent(&form);
        form.Show();
        EXPECT_TRUE(wb->OleHost().Active());
        EXPECT_EQ(TOleControlSite::LiveCount(), sites + 1);
    }
    EXPECT_EQ(TOleControlSite::LiveCount(), sites);
}

TEST_F(WebBrowserTest, ActivatesWithItsWindowAndFollowsItsSize) {
    {
        TForm form(nullptr);
        form.SetBounds(20, 20, 400, 300);
        auto* wb = new TWebBrowser(&form);
        EXPECT_TRUE(wb->OleHost().HasControl());
        EXPECT_FALSE(wb->OleHost().Active()); // no window yet
        wb->SetParent(&form);
        wb->SetBounds(10, 10, 200, 100);
        form.Show();
        wb->HandleNeeded(); // made now if the form left it for later
        ASSERT_TRUE(wb->HandleAllocated());
        EXPECT_TRUE(wb->OleHost().Active());
        HWND inner = wb->OleHost().ControlWindow();
        ASSERT_NE(inner, nullptr);
        EXPECT_EQ(GetParent(inner), wb->Handle());
        RECT r = ChildRect(inner);
        EXPECT_EQ(r.right - r.left, 200);
        EXPECT_EQ(r.bottom - r.top, 100);
        wb->SetBounds(0, 0, 320, 240);
        r = ChildRect(inner);
        EXPECT_EQ(r.right - r.left, 320);
        EXPECT_EQ(r.bottom - r.top, 240);
        // The window goes: the browser leaves activation; a new window brings it back.
        wb->DestroyHandle();
        EXPECT_FALSE(wb->OleHost().Active());
        wb->HandleNeeded();
        EXPECT_TRUE(wb->OleHost().Active());
        EXPECT_EQ(GetParent(wb->OleHost().ControlWindow()), wb->Handle());
        EXPECT_TRUE(wb->Browser());
    }
    // (Wine's browser keeps one reference to its site after a second in-place
    // activation; that site is detached from its host and stays inert.)
}

TEST_F(WebBrowserTest, NavigationAndItsFailures) {
    TForm form(nullptr);
    form.SetBounds(20, 20, 400, 300);
    auto* wb = new TWebBrowser(&form);
    wb->SetParent(&form);
    wb->SetAlign(alClient);
    form.Show();
    EXPECT_NO_THROW(wb->Navigate(L"about:blank"));
    TVariant bad;
    bad.vt = VT_DISPATCH;
    bad.pdispVal = nullptr;
    EXPECT_THROW(wb->Navigate2(bad), EOleSysError);
}

} // namespace
