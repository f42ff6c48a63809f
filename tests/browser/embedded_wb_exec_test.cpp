// The browser host as command target: unknown groups and commands, unload,
// refresh suppression and the script-error flow through a scripted document.
#include "browser_test_util.h"

#include <gtest/gtest.h>

#include "fake_html.h"

namespace {

const GUID kExplorerGroup = {0x000214D0, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const GUID kDocHostGroup = {
    0xF38BC242, 0xB950, 0x11D1, {0x89, 0x18, 0x00, 0xC0, 0x4F, 0xC2, 0xC8, 0x36}};

TComPtr<IOleCommandTarget> Target(TEmbeddedWB& wb) {
    TComPtr<IOleCommandTarget> t;
    wb.SiteUnknown()->QueryInterface(IID_IOleCommandTarget, t.PutVoid());
    return t;
}

TEST(EmbeddedWBExecTest, UnknownGroupAndUnhandledCommands) {
    TBrowserForm f;
    auto t = Target(*f.browser);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->Exec(nullptr, 40, 0, nullptr, nullptr), static_cast<HRESULT>(0x80040104));
    EXPECT_EQ(t->Exec(&kDocHostGroup, 40, 0, nullptr, nullptr), static_cast<HRESULT>(0x80040100));
    EXPECT_EQ(t->Exec(&kDocHostGroup, 2300, 0, nullptr, nullptr), static_cast<HRESULT>(0x80040100));
    EXPECT_EQ(t->Exec(&kExplorerGroup, 37, 0, nullptr, nullptr), static_cast<HRESULT>(0x80040100));
    EXPECT_EQ(t->Exec(&IID_IDispatch, 1, 0, nullptr, nullptr), static_cast<HRESULT>(0x80040100));
}

TEST(EmbeddedWBExecTest, UnloadIsToldAndStillUnsupported) {
    TBrowserForm f;
    auto t = Target(*f.browser);
    int unloads = 0;
    f.browser->OnUnload = [&](TObject* sender) {
        EXPECT_EQ(sender, f.browser);
        ++unloads;
    };
    EXPECT_EQ(t->Exec(&kExplorerGroup, 37, 0, nullptr, nullptr), static_cast<HRESULT>(0x80040100));
    EXPECT_EQ(unloads, 1);
    t->Exec(&kExplorerGroup, 36, 0, nullptr, nullptr);
    t->Exec(&kDocHostGroup, 37, 0, nullptr, nullptr);
    EXPECT_EQ(unloads, 1);
}

TEST(EmbeddedWBExecTest, RefreshHandlerMaySuppressTheRefresh) {
    TBrowserForm f;
    auto t = Target(*f.browser);
    std::vector<int32_t> seen;
    bool cancel = false;
    f.browser->OnRefresh = [&](TObject*, int32_t id, bool& c) {
        EXPECT_FALSE(c); // starts False
        seen.push_back(id);
        c = cancel;
    };
    EXPECT_EQ(t->Exec(&kDocHostGroup, 2300, 0, nullptr, nullptr), static_cast<HRESULT>(0x80040100));
    cancel = true;
    EXPECT_EQ(t->Exec(&kDocHostGroup, 6041, 0, nullptr, nullptr), S_OK);
    EXPECT_EQ(t->Exec(&kDocHostGroup, 6042, 0, nullptr, nullptr), S_OK);
    EXPECT_EQ(t->Exec(&kDocHostGroup, 6043, 0, nullptr, nullptr), static_cast<HRESULT>(0x80040100));
    EXPECT_EQ(t->Exec(&kExplorerGroup, 2300, 0, nullptr, nullptr),
              static_cast<HRESULT>(0x80040100));
    EXPECT_EQ(seen, (std::vector<int32_t>{2300, 6041, 6042}));
}

TEST(EmbeddedWBExecTest, ScriptErrorReadsTheEventAndDecidesTheDialog) {
    TBrowserForm f;
    auto* event = new TFakeEvent();
    event->SetText(L"errorCharacter", L"7");
    event->SetInt(L"errorCode", 0);
    event->SetText(L"errorMessage", L"'x' is undefined");
    event->SetText(L"errorUrl", L"http://127.0.0.1/LantuoWeb/a.js");
    event->SetInt(L"errorLine", 12);
    IDispatch* doc = FakeHtmlDocumentCreate(event);
    f.browser->scripted[203] = doc;
    auto t = Target(*f.browser);

    std::vector<std::wstring> got;
    bool keepScript = false, showDialog = true;
    f.browser->OnScriptError = [&](TObject* sender, const std::wstring& line,
                                   const std::wstring& character, const std::wstring& code,
                                   const std::wstring& message, const std::wstring& url, bool& cont,
                                   bool& show) {
        EXPECT_EQ(sender, f.browser);
        EXPECT_TRUE(cont);
        EXPECT_TRUE(show);
        got = {line, character, code, message, url};
        cont = keepScript;
        show = showDialog;
    };
    TVariant out;
    EXPECT_EQ(t->Exec(&kDocHostGroup, 40, 0, nullptr, out.Put()), static_cast<HRESULT>(0x80040100));
    EXPECT_EQ(got, (std::vector<std::wstring>{L"12", L"7", L"0", L"'x' is undefined",
                                              L"http://127.0.0.1/LantuoWeb/a.js"}));
    EXPECT_EQ(out.vt, VT_BOOL);
    EXPECT_EQ(out.boolVal, VARIANT_FALSE);
    // Read as property gets with the system default locale.
    ASSERT_FALSE(event->locales.empty());
    for (LCID l : event->locales)
        EXPECT_EQ(l, 2048u);
    for (WORD fl : event->invokeFlags)
        EXPECT_EQ(fl, DISPATCH_PROPERTYGET);

    keepScript = true;
    showDialog = false;
    EXPECT_EQ(t->Exec(&kDocHostGroup, 40, 0, nullptr, out.Put()), S_OK);
    EXPECT_EQ(out.boolVal, VARIANT_TRUE);

    // No handler: nothing is read at all.
    f.browser->OnScriptError = nullptr;
    size_t before = event->locales.size();
    EXPECT_EQ(t->Exec(&kDocHostGroup, 40, 0, nullptr, out.Put()), static_cast<HRESULT>(0x80040100));
    EXPECT_EQ(event->locales.size(), before);

    f.browser->scripted.erase(203);
    doc->Release();
    event->Release();
    EXPECT_EQ(FakeHtmlLiveObjects(), 0);
}

TEST(EmbeddedWBExecTest, ScriptErrorWithoutEventOrWithUnknownNames) {
    TBrowserForm f;
    auto t = Target(*f.browser);
    int calls = 0;
    f.browser->OnScriptError = [&](TObject*, const std::wstring&, const std::wstring&,
                                   const std::wstring&, const std::wstring&, const std::wstring&,
                                   bool&, bool&) { ++calls; };
    // A window without a current event: no handler call, not supported.
    IDispatch* emptyDoc = FakeHtmlDocumentCreate(nullptr);
    f.browser->scripted[203] = emptyDoc;
    TVariant out;
    EXPECT_EQ(t->Exec(&kDocHostGroup, 40, 0, nullptr, out.Put()), static_cast<HRESULT>(0x80040100));
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(out.vt, VT_EMPTY);

    // An event object without "errorUrl": the error names the property.
    auto* partial = new TFakeEvent();
    partial->SetText(L"errorCharacter", L"1");
    partial->SetText(L"errorCode", L"2");
    partial->SetText(L"errorMessage", L"m");
    IDispatch* doc = FakeHtmlDocumentCreate(partial);
    f.browser->scripted[203] = doc;
    ReportedErrors().clear();
    EXPECT_EQ(t->Exec(&kDocHostGroup, 40, 0, nullptr, out.Put()), static_cast<HRESULT>(0x80040100));
    EXPECT_EQ(calls, 0);
    ASSERT_EQ(ReportedErrors().size(), 1u);
    EXPECT_EQ(ReportedErrors()[0], L"'errorUrl' not supported.");

    // The document itself failing: the platform's code is raised and reported.
    f.browser->scripted[203] = nullptr;
    f.browser->failure = E_ACCESSDENIED;
    ReportedErrors().clear();
    EXPECT_EQ(t->Exec(&kDocHostGroup, 40, 0, nullptr, out.Put()), static_cast<HRESULT>(0x80040100));
    ASSERT_EQ(ReportedErrors().size(), 1u);
    EXPECT_EQ(ReportedErrors()[0], OleErrorText(E_ACCESSDENIED));

    f.browser->scripted.clear();
    doc->Release();
    emptyDoc->Release();
    partial->Release();
    EXPECT_EQ(FakeHtmlLiveObjects(), 0);
}

} // namespace
