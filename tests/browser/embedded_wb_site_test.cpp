// The browser host's site interfaces, called as the browser calls them:
// every row of the interface table without and with its handler.
#include "browser_test_util.h"

#include <gtest/gtest.h>
#include <olectl.h>

namespace {

template <class T> TComPtr<T> SiteAs(TEmbeddedWB& wb, REFIID iid) {
    TComPtr<T> out;
    EXPECT_EQ(wb.SiteUnknown()->QueryInterface(iid, out.PutVoid()), S_OK);
    return out;
}

// An object that is never called: only its identity matters.
IUnknown* Marker(int n) {
    return reinterpret_cast<IUnknown*>(static_cast<uintptr_t>(0x1000 + n * 16));
}

TEST(EmbeddedWBSiteTest, UIHandlerAnswersWithoutHandlers) {
    TBrowserForm f;
    TEmbeddedWB& wb = *f.browser;
    auto ui = SiteAs<IDocHostUIHandler2>(wb, IID_IDocHostUIHandler2);
    ASSERT_TRUE(ui);
    auto ui1 = SiteAs<IDocHostUIHandler>(wb, IID_IDocHostUIHandler);
    EXPECT_TRUE(ui1);
    POINT pt{5, 6};
    EXPECT_EQ(ui->ShowContextMenu(0, &pt, nullptr, nullptr), S_FALSE);
    DOCHOSTUIINFO info{};
    info.dwDoubleClick = 77;
    EXPECT_EQ(ui->GetHostInfo(&info), S_OK);
    EXPECT_EQ(info.cbSize, 20u);
    EXPECT_EQ(info.dwFlags, wb.HostUIFlags());
    EXPECT_EQ(info.dwDoubleClick, 0u);
    EXPECT_EQ(ui->ShowUI(0, nullptr, nullptr, nullptr, nullptr), S_FALSE);
    EXPECT_EQ(ui->HideUI(), S_FALSE);
    EXPECT_EQ(ui->UpdateUI(), S_FALSE);
    EXPECT_EQ(ui->EnableModeless(TRUE), S_FALSE);
    EXPECT_EQ(ui->OnDocWindowActivate(TRUE), S_FALSE);
    EXPECT_EQ(ui->OnFrameWindowActivate(TRUE), S_FALSE);
    RECT r{};
    EXPECT_EQ(ui->ResizeBorder(&r, nullptr, TRUE), S_FALSE);
    MSG m{};
    EXPECT_EQ(ui->TranslateAccelerator(&m, nullptr, 0), S_FALSE);
    LPOLESTR key = nullptr;
    EXPECT_EQ(ui->GetOptionKeyPath(&key, 0), S_FALSE);
    EXPECT_EQ(key, nullptr);
    auto* drop = reinterpret_cast<IDropTarget*>(Marker(1));
    IDropTarget* dropOut = drop;
    EXPECT_EQ(ui->GetDropTarget(drop, &dropOut), S_OK);
    EXPECT_EQ(dropOut, nullptr);
    IDispatch* external = reinterpret_cast<IDispatch*>(Marker(2));
    EXPECT_EQ(ui->GetExternal(&external), S_FALSE);
    EXPECT_EQ(external, nullptr);
    LPWSTR urlOut = nullptr;
    EXPECT_EQ(ui->TranslateUrl(0, const_cast<LPWSTR>(L"http://x/"), &urlOut), S_FALSE);
    EXPECT_EQ(urlOut, nullptr);
    IDataObject* dataOut = reinterpret_cast<IDataObject*>(Marker(3));
    EXPECT_EQ(ui->FilterDataObject(nullptr, &dataOut), S_FALSE);
    EXPECT_EQ(dataOut, nullptr);
    key = reinterpret_cast<LPOLESTR>(Marker(4));
    EXPECT_EQ(ui->GetOverrideKeyPath(&key, 0), S_OK);
    EXPECT_EQ(key, reinterpret_cast<LPOLESTR>(Marker(4))); // nothing filled in
}

TEST(EmbeddedWBSiteTest, UIHandlerPassesItsArgumentsToEveryHandler) {
    TBrowserForm f;
    TEmbeddedWB& wb = *f.browser;
    auto ui = SiteAs<IDocHostUIHandler2>(wb, IID_IDocHostUIHandler2);
    std::vector<std::string> calls;
    POINT pt{5, 6};
    wb.OnShowContextMenu = [&](DWORD id, POINT* p, IUnknown* c, IDispatch* d) {
        calls.push_back("menu");
        EXPECT_EQ(id, 3u);
        EXPECT_EQ(p, &pt);
        EXPECT_EQ(c, Marker(1));
        EXPECT_EQ(d, reinterpret_cast<IDispatch*>(Marker(2)));
        return HRESULT(0x11);
    };
    EXPECT_EQ(ui->ShowContextMenu(3, &pt, Marker(1), reinterpret_cast<IDispatch*>(Marker(2))),
              0x11);
    wb.OnGetHostInfo = [&](DOCHOSTUIINFO* info) {
        calls.push_back("info");
        EXPECT_EQ(info->cbSize, 20u); // filled in before the handler runs
        info->dwDoubleClick = DOCHOSTUIDBLCLK_SHOWCODE;
        return HRESULT(0x12);
    };
    DOCHOSTUIINFO info{};
    EXPECT_EQ(ui->GetHostInfo(&info), 0x12);
    EXPECT_EQ(info.dwDoubleClick, static_cast<DWORD>(DOCHOSTUIDBLCLK_SHOWCODE));
    wb.OnShowUI = [&](DWORD id, IOleInPlaceActiveObject* a, IOleCommandTarget* t,
                      IOleInPlaceFrame* fr, IOleInPlaceUIWindow* d) {
        calls.push_back("showui");
        EXPECT_EQ(id, 9u);
        EXPECT_EQ(a, reinterpret_cast<IOleInPlaceActiveObject*>(Marker(1)));
        EXPECT_EQ(t, reinterpret_cast<IOleCommandTarget*>(Marker(2)));
        EXPECT_EQ(fr, reinterpret_cast<IOleInPlaceFrame*>(Marker(3)));
        EXPECT_EQ(d, reinterpret_cast<IOleInPlaceUIWindow*>(Marker(4)));
        return S_OK;
    };
    EXPECT_EQ(ui->ShowUI(9, reinterpret_cast<IOleInPlaceActiveObject*>(Marker(1)),
                         reinterpret_cast<IOleCommandTarget*>(Marker(2)),
                         reinterpret_cast<IOleInPlaceFrame*>(Marker(3)),
                         reinterpret_cast<IOleInPlaceUIWindow*>(Marker(4))),
              S_OK);
    wb.OnHideUI = [&] {
        calls.push_back("hide");
        return HRESULT(0x13);
    };
    EXPECT_EQ(ui->HideUI(), 0x13);
    wb.OnUpdateUI = [&] {
        calls.push_back("update");
        return HRESULT(0x14);
    };
    EXPECT_EQ(ui->UpdateUI(), 0x14);
    wb.OnEnableModeless = [&](BOOL e) {
        EXPECT_EQ(e, 7);
        return HRESULT(0x15);
    };
    EXPECT_EQ(ui->EnableModeless(7), 0x15);
    wb.OnOnDocWindowActivate = [&](BOOL a) {
        EXPECT_EQ(a, 8);
        return HRESULT(0x16);
    };
    EXPECT_EQ(ui->OnDocWindowActivate(8), 0x16);
    wb.OnOnFrameWindowActivate = [&](BOOL a) {
        EXPECT_EQ(a, 9);
        return HRESULT(0x17);
    };
    EXPECT_EQ(ui->OnFrameWindowActivate(9), 0x17);
    RECT border{1, 2, 3, 4};
    wb.OnResizeBorder = [&](LPCRECT r, IOleInPlaceUIWindow* w, BOOL fr) {
        EXPECT_EQ(r, &border);
        EXPECT_EQ(w, reinterpret_cast<IOleInPlaceUIWindow*>(Marker(5)));
        EXPECT_EQ(fr, FALSE);
        return HRESULT(0x18);
    };
    EXPECT_EQ(ui->ResizeBorder(&border, reinterpret_cast<IOleInPlaceUIWindow*>(Marker(5)), FALSE),
              0x18);
    MSG m{};
    GUID g = IID_IDispatch;
    wb.OnTranslateAccelerator = [&](LPMSG msg, const GUID* grp, DWORD id) {
        EXPECT_EQ(msg, &m);
        EXPECT_EQ(grp, &g);
        EXPECT_EQ(id, 44u);
        return S_OK;
    };
    EXPECT_EQ(ui->TranslateAccelerator(&m, &g, 44), S_OK);
    static wchar_t customKey[] = L"Software\\Lantuo";
    wb.OnGetOptionKeyPath = [&](LPOLESTR& key, DWORD dw) {
        EXPECT_EQ(dw, 2u);
        key = customKey;
        return S_OK;
    };
    LPOLESTR key = nullptr;
    EXPECT_EQ(ui->GetOptionKeyPath(&key, 2), S_OK);
    EXPECT_EQ(key, customKey);
    auto* drop = reinterpret_cast<IDropTarget*>(Marker(6));
    wb.OnGetDropTarget = [&](IDropTarget* in, IDropTarget*& out) {
        EXPECT_EQ(in, drop);
        EXPECT_EQ(out, nullptr); // cleared before the handler
        out = in;
        return HRESULT(0x19);
    };
    IDropTarget* dropOut = reinterpret_cast<IDropTarget*>(Marker(7));
    EXPECT_EQ(ui->GetDropTarget(drop, &dropOut), 0x19);
    EXPECT_EQ(dropOut, drop);
    wb.OnGetExternal = [&](IDispatch*& out) {
        out = reinterpret_cast<IDispatch*>(Marker(8));
        return S_OK;
    };
    IDispatch* external = nullptr;
    EXPECT_EQ(ui->GetExternal(&external), S_OK);
    EXPECT_EQ(external, reinterpret_cast<IDispatch*>(Marker(8)));
    static wchar_t translated[] = L"http://y/";
    wb.OnTranslateUrl = [&](DWORD t, LPOLESTR in, LPOLESTR& out) {
        EXPECT_EQ(t, 1u);
        EXPECT_STREQ(in, L"http://x/");
        out = translated;
        return S_OK;
    };
    LPWSTR urlOut = nullptr;
    EXPECT_EQ(ui->TranslateUrl(1, const_cast<LPWSTR>(L"http://x/"), &urlOut), S_OK);
    EXPECT_EQ(urlOut, translated);
    wb.OnFilterDataObject = [&](IDataObject* in, IDataObject*& out) {
        out = in;
        return S_OK;
    };
    IDataObject* dataOut = nullptr;
    auto* data = reinterpret_cast<IDataObject*>(Marker(9));
    EXPECT_EQ(ui->FilterDataObject(data, &dataOut), S_OK);
    EXPECT_EQ(dataOut, data);
    wb.OnGetOverrideKeyPath = [&](LPOLESTR key, DWORD dw) {
        EXPECT_EQ(key, customKey);
        EXPECT_EQ(dw, 5u);
        return HRESULT(0x1A);
    };
    key = customKey;
    EXPECT_EQ(ui->GetOverrideKeyPath(&key, 5), 0x1A);
    EXPECT_EQ(calls.size(), 5u);
}

TEST(EmbeddedWBSiteTest, DisabledRightClickMenuShowsNoMenuEvenWithAHandler) {
    TBrowserForm f;
    TEmbeddedWB& wb = *f.browser;
    auto ui = SiteAs<IDocHostUIHandler>(wb, IID_IDocHostUIHandler);
    int handlerCalls = 0;
    wb.OnShowContextMenu = [&](DWORD, POINT*, IUnknown*, IDispatch*) {
        ++handlerCalls;
        return S_FALSE;
    };
    wb.SetDisableRightClickMenu(true);
    POINT pt{};
    EXPECT_EQ(ui->ShowContextMenu(0, &pt, nullptr, nullptr), S_OK);
    EXPECT_EQ(handlerCalls, 0);
    wb.SetDisableRightClickMenu(false);
    EXPECT_EQ(ui->ShowContextMenu(0, &pt, nullptr, nullptr), S_FALSE);
    EXPECT_EQ(handlerCalls, 1);
}

TEST(EmbeddedWBSiteTest, ShowUIMessageAndHelp) {
    TBrowserForm f;
    TEmbeddedWB& wb = *f.browser;
    auto show = SiteAs<IDocHostShowUI>(wb, IID_IDocHostShowUI);
    ASSERT_TRUE(show);
    LRESULT result = 0;
    EXPECT_EQ(show->ShowMessage(nullptr, const_cast<LPOLESTR>(L"t"), const_cast<LPOLESTR>(L"c"),
                                MB_OK, nullptr, 0, &result),
              S_FALSE);
    wb.OnShowMessage = [&](HWND h, LPOLESTR text, LPOLESTR caption, int32_t type, LPOLESTR file,
                           int32_t ctx, int32_t& res) {
        EXPECT_EQ(h, reinterpret_cast<HWND>(0x1234));
        EXPECT_STREQ(text, L"t");
        EXPECT_STREQ(caption, L"c");
        EXPECT_EQ(type, MB_YESNO);
        EXPECT_STREQ(file, L"h.chm");
        EXPECT_EQ(ctx, 17);
        EXPECT_EQ(res, 3); // in: what the browser passed
        res = IDYES;
        return S_OK;
    };
    result = 3;
    EXPECT_EQ(show->ShowMessage(reinterpret_cast<HWND>(0x1234), const_cast<LPOLESTR>(L"t"),
                                const_cast<LPOLESTR>(L"c"), MB_YESNO,
                                const_cast<LPOLESTR>(L"h.chm"), 17, &result),
              S_OK);
    EXPECT_EQ(result, IDYES);
    // Help: nothing without a help file, the handler when assigned.
    EXPECT_EQ(show->ShowHelp(nullptr, nullptr, 0, 0, POINT{}, nullptr), S_FALSE);
    // With a help file the platform's HTML Help is asked (a missing file shows nothing).
    wb.SetHelpFile(L"C:\\nonexistent_lt.chm");
    EXPECT_EQ(show->ShowHelp(f.form->Handle(), nullptr, 0x000F, 5, POINT{}, nullptr), S_OK);
    int helpCalls = 0;
    wb.OnShowHelp = [&](HWND, LPOLESTR file, int32_t cmd, int32_t data, POINT pt, IDispatch*&) {
        ++helpCalls;
        EXPECT_STREQ(file, L"x.chm");
        EXPECT_EQ(cmd, 15);
        EXPECT_EQ(data, 16);
        EXPECT_EQ(pt.x, 3);
        return HRESULT(0x21);
    };
    EXPECT_EQ(show->ShowHelp(nullptr, const_cast<LPOLESTR>(L"x.chm"), 15, 16, POINT{3, 4}, nullptr),
              0x21);
    EXPECT_EQ(helpCalls, 1);
}

TEST(EmbeddedWBSiteTest, CommandTargetServiceProviderAndAmbientDispatch) {
    TBrowserForm f;
    TEmbeddedWB& wb = *f.browser;
    auto target = SiteAs<IOleCommandTarget>(wb, IID_IOleCommandTarget);
    OLECMD cmd{5, 0x77};
    EXPECT_EQ(target->QueryStatus(nullptr, 1, &cmd, nullptr), S_OK);
    EXPECT_EQ(cmd.cmdf, 0x77u); // nothing filled in

    auto services = SiteAs<IServiceProvider>(wb, IID_IServiceProvider);
    void* obj = Marker(1);
    EXPECT_EQ(services->QueryService(IID_IDispatch, IID_IDispatch, &obj), E_NOINTERFACE);
    EXPECT_EQ(obj, nullptr);
    wb.OnQueryService = [&](const GUID& sid, const GUID& iid, IUnknown*& out) {
        EXPECT_TRUE(IsEqualGUID(sid, IID_IOleWindow));
        EXPECT_TRUE(IsEqualGUID(iid, IID_IDispatch));
        EXPECT_EQ(out, nullptr); // cleared first
        out = Marker(2);
        return S_OK;
    };
    obj = Marker(1);
    EXPECT_EQ(services->QueryService(IID_IOleWindow, IID_IDispatch, &obj), S_OK);
    EXPECT_EQ(obj, Marker(2));

    auto dispatch = SiteAs<IDispatch>(wb, IID_IDispatch);
    UINT count = 99;
    EXPECT_EQ(dispatch->GetTypeInfoCount(&count), E_NOTIMPL);
    EXPECT_EQ(count, 0u);
    ITypeInfo* info = reinterpret_cast<ITypeInfo*>(Marker(3));
    EXPECT_EQ(dispatch->GetTypeInfo(0, 0, &info), E_NOTIMPL);
    EXPECT_EQ(info, nullptr);
    LPOLESTR name = const_cast<LPOLESTR>(L"x");
    DISPID id = 0;
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), E_NOTIMPL);
    wb.OnGetTypeInfoCount = [](int32_t& n) {
        n = 2;
        return S_OK;
    };
    EXPECT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 2u);
    wb.OnGetTypeInfo = [&](int32_t index, int32_t lcid, ITypeInfo*& out) {
        EXPECT_EQ(index, 1);
        EXPECT_EQ(lcid, 2052);
        out = reinterpret_cast<ITypeInfo*>(Marker(4));
        return S_OK;
    };
    EXPECT_EQ(dispatch->GetTypeInfo(1, 2052, &info), S_OK);
    EXPECT_EQ(info, reinterpret_cast<ITypeInfo*>(Marker(4)));
    wb.OnGetIDsOfNames = [&](const GUID&, LPOLESTR* names, int32_t n, int32_t, DISPID* ids) {
        EXPECT_EQ(names, &name);
        EXPECT_EQ(n, 1);
        ids[0] = 42;
        return S_OK;
    };
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), S_OK);
    EXPECT_EQ(id, 42);
}

TEST(EmbeddedWBSiteTest, AmbientInvokeAnswersDownloadControlThenHandlerThenDefaults) {
    TBrowserForm f;
    TEmbeddedWB& wb = *f.browser;
    auto dispatch = SiteAs<IDispatch>(wb, IID_IDispatch);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    TVariant v;
    EXPECT_EQ(dispatch->Invoke(-5512, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, v.Put(), nullptr,
                               nullptr),
              S_OK);
    EXPECT_EQ(v.vt, VT_I4);
    EXPECT_EQ(v.lVal, 0x70);
    wb.SetDownloadOptions({DLCTL_NO_SCRIPTS, DLCTL_SILENT});
    EXPECT_EQ(dispatch->Invoke(-5512, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, v.Put(), nullptr,
                               nullptr),
              S_OK);
    EXPECT_EQ(v.lVal, 0x40000080);
    // The framework's defaults answer the rest: user mode on.
    EXPECT_EQ(dispatch->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none,
                               v.Put(), nullptr, nullptr),
              S_OK);
    EXPECT_EQ(v.vt, VT_BOOL);
    // Not a property get: not the download value.
    EXPECT_NE(
        dispatch->Invoke(-5512, IID_NULL, 0, DISPATCH_METHOD, &none, v.Put(), nullptr, nullptr),
        S_OK);
    // The handler takes every other call; the download value stays the host's.
    std::vector<int32_t> asked;
    wb.OnInvoke = [&](int32_t id, const GUID&, int32_t, WORD flags, DISPPARAMS&, VARIANT* result,
                      EXCEPINFO*, UINT*) {
        asked.push_back(id);
        EXPECT_EQ(flags, DISPATCH_PROPERTYGET);
        result->vt = VT_I4;
        result->lVal = 5;
        return HRESULT(0x31);
    };
    EXPECT_EQ(dispatch->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none,
                               v.Put(), nullptr, nullptr),
              0x31);
    EXPECT_EQ(v.lVal, 5);
    EXPECT_EQ(dispatch->Invoke(-5512, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, v.Put(), nullptr,
                               nullptr),
              S_OK);
    EXPECT_EQ(v.lVal, 0x40000080);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], DISPID_AMBIENT_USERMODE);
}

} // namespace
