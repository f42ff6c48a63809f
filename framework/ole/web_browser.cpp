// The WebBrowser wrapper: creation and navigation.
#include "framework/ole/web_browser.h"

#include "framework/core/class_builder.h"
#include "framework/ole/ole_error.h"

LT_CLASS_TABLE(TWebBrowser) {}

namespace {
// The "argument left out" variant for optional parameters.
VARIANT MissingArgument() {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_ERROR;
    v.scode = DISP_E_PARAMNOTFOUND;
    return v;
}
} // namespace

TWebBrowser::TWebBrowser(TComponent* owner, TComPtr<TOleControlSite> site) : TOleControl(owner) {
    CreateOleControl(CLSID_WebBrowser, std::move(site));
}

TComPtr<IWebBrowser2> TWebBrowser::Browser() const {
    auto browser = OleHost().Query<IWebBrowser2>(IID_IWebBrowser2);
    if (!browser)
        OleCheck(E_NOINTERFACE);
    return browser;
}

void TWebBrowser::Navigate2(const VARIANT& url) {
    VARIANT missing = MissingArgument();
    Navigate2(url, missing, missing, missing, missing);
}

void TWebBrowser::Navigate2(const VARIANT& url, const VARIANT& flags,
                            const VARIANT& targetFrameName, const VARIANT& postData,
                            const VARIANT& headers) {
    // The interface takes non-const pointers; it only reads them.
    VARIANT u = url, f = flags, t = targetFrameName, p = postData, h = headers;
    OleCheck(Browser()->Navigate2(&u, &f, &t, &p, &h));
}

void TWebBrowser::Navigate(const std::wstring& url) {
    TVariant v;
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocStringLen(url.data(), static_cast<UINT>(url.size()));
    Navigate2(v);
}
