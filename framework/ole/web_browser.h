// TWebBrowser: the framework control around the platform's WebBrowser
// ActiveX control. The control is created and sited when the wrapper is
// constructed; navigation goes through its IWebBrowser2.
#pragma once

#include "framework/ui/win32.h"

#include <exdisp.h>

#include <string>

#include "framework/ole/ole_control.h"

class TWebBrowser : public TOleControl {
    LT_CLASS(TWebBrowser, TOleControl)
public:
    // Creates the browser with `site` as its client site (null: a plain site).
    explicit TWebBrowser(TComponent* owner, TComPtr<TOleControlSite> site = {});

    // The browser's own interface; raises when the control has none.
    TComPtr<IWebBrowser2> Browser() const;
    // Navigates; the optional arguments left out are passed as "parameter not found".
    void Navigate2(const VARIANT& url);
    virtual void Navigate2(const VARIANT& url, const VARIANT& flags, const VARIANT& targetFrameName,
                           const VARIANT& postData, const VARIANT& headers);
    void Navigate(const std::wstring& url);
};
