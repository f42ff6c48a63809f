// Hosting the platform's WebBrowser control in a raw window.
#include "framework/ole/ole_host.h"

#include <exdisp.h>
#include <gtest/gtest.h>
#include <olectl.h>

#include "framework/ole/ole_error.h"

namespace {

// A plain top-level window to host the control in, and COM for the test.
class OleHostTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        wnd_ = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                               400, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(wnd_, nullptr);
    }
    void TearDown() override {
        DestroyWindow(wnd_);
        OleUninitialize();
    }
    HWND wnd_ = nullptr;
};

// A site that counts the ambient calls reaching its host.
class CountingHost : public TOleHost {
public:
    HRESULT AmbientInvoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                          VARIANT* result, EXCEPINFO* excep, UINT* argErr) override {
        ++ambientCalls;
        return TOleHost::AmbientInvoke(id, iid, lcid, flags, params, result, excep, argErr);
    }
    int ambientCalls = 0;
};

TEST_F(OleHostTest, CreatesActivatesSizesAndReleasesTheWebBrowser) {
    int sitesBefore = TOleControlSite::LiveCount();
    {
        CountingHost host;
        host.CreateControl(CLSID_WebBrowser);
        ASSERT_TRUE(host.HasControl());
        EXPECT_EQ(TOleControlSite::LiveCount(), sitesBefore + 1);
        // Garbage persisted state is refused and ignored; activation still works.
        std::vector<uint8_t> junk(16, 0xAB);
        host.LoadPersisted(junk);
        host.Activate(wnd_, RECT{10, 20, 210, 170});
        EXPECT_TRUE(host.Active());
        HWND control = host.ControlWindow();
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(GetParent(control), wnd_);
        RECT r;
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, wnd_, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, 10);
        EXPECT_EQ(r.top, 20);
        EXPECT_EQ(r.right - r.left, 200);
        EXPECT_EQ(r.bottom - r.top, 150);

        host.SetBounds(RECT{0, 0, 300, 250});
        GetWindowRect(control, &r);
        EXPECT_EQ(r.right - r.left, 300);
        EXPECT_EQ(r.bottom - r.top, 250);

        // Property 200 of the browser is its Application object, itself a browser.
        TVariant app = host.GetProperty(200);
        ASSERT_EQ(app.vt, VT_DISPATCH);
        ASSERT_NE(app.pdispVal, nullptr);
        TComPtr<IWebBrowser2> browser;
        EXPECT_TRUE(SUCCEEDED(app.pdispVal->QueryInterface(IID_IWebBrowser2, browser.PutVoid())));
        auto direct = host.Query<IWebBrowser2>(IID_IWebBrowser2);
        EXPECT_TRUE(direct);
        // A property the control does not have raises with the platform's text.
        try {
            host.GetProperty(0x7FFF1234);
            ADD_FAILURE() << "unknown property did not raise";
        } catch (const EOleSysError& e) {
            EXPECT_TRUE(FAILED(e.ErrorCode()));
            EXPECT_FALSE(e.Message().empty());
        }
    }
    // Everything released: the site is gone.
    EXPECT_EQ(TOleControlSite::LiveCount(), sitesBefore);
}

TEST_F(OleHostTest, SiteAnswersAndOutlivesItsHostWhileReferenced) {
    TOleHost host;
    host.CreateControl(CLSID_WebBrowser);
    host.Activate(wnd_, RECT{0, 0, 100, 100});
    TOleControlSite* site = host.Site();
    ASSERT_NE(site, nullptr);
    // The site's window is the host window; its ambient user mode is on.
    HWND siteWnd = nullptr;
    EXPECT_EQ(site->GetWindow(&siteWnd), S_OK);
    EXPECT_EQ(siteWnd, wnd_);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    TVariant v;
    EXPECT_EQ(site->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none,
                           v.Put(), nullptr, nullptr),
              S_OK);
    EXPECT_EQ(v.vt, VT_BOOL);
    EXPECT_EQ(v.boolVal, VARIANT_TRUE);
    EXPECT_EQ(
        site->Invoke(0x12345, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, v.Put(), nullptr, nullptr),
        DISP_E_MEMBERNOTFOUND);
    // A reference kept like a control would keep it: the host goes, the site stays.
    site->AddRef();
    int live = TOleControlSite::LiveCount();
    host.DestroyControl();
    EXPECT_EQ(TOleControlSite::LiveCount(), live);
    EXPECT_EQ(site->Host(), nullptr);
    EXPECT_EQ(site->GetWindow(&siteWnd), E_FAIL);
    site->Release();
    EXPECT_EQ(TOleControlSite::LiveCount(), live - 1);
}

TEST(OleErrorTest, FailuresRaiseWithThePlatformText) {
    EXPECT_EQ(OleCheck(S_FALSE), S_FALSE);
    try {
        OleCheck(E_OUTOFMEMORY);
        FAIL() << "no exception";
    } catch (const EOleSysError& e) {
        EXPECT_EQ(e.ErrorCode(), E_OUTOFMEMORY);
        EXPECT_EQ(e.Message(), OleErrorText(E_OUTOFMEMORY));
        EXPECT_NE(e.Message().find(L"OLE error"), 0u);
    }
    EXPECT_EQ(OleErrorText(static_cast<HRESULT>(0xA0001234)), L"OLE error A0001234");
}

} // namespace
