// Test environment and stand-ins of the browser host tests.
#include "browser_test_util.h"

#include <gtest/gtest.h>

#include "framework/ui/ui_errors.h"

const wchar_t kTestAppTitle[] = L"岚拓食品销售管理系统";

namespace {

class TBrowserEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        auto* app = new TApplication(nullptr);
        app->Initialize();
        app->SetTitle(kTestAppTitle);
        app->OnException = [](TObject*, std::exception_ptr e) {
            ReportedErrors().push_back(UiExceptionText(e));
        };
        SetUiErrorHandler(
            [](std::exception_ptr e) { ReportedErrors().push_back(UiExceptionText(e)); });
    }
    void TearDown() override {
        SetUiErrorHandler(nullptr);
        delete Application;
    }
};

const auto* const g_env = ::testing::AddGlobalTestEnvironment(new TBrowserEnvironment);

} // namespace

std::vector<std::wstring>& ReportedErrors() {
    static std::vector<std::wstring> errors;
    return errors;
}

bool PumpUntil(const std::function<bool()>& done, int ms) {
    const DWORD end = GetTickCount() + ms;
    for (bool first = true; !done(); first = false) {
        // However late this thread runs, the queue is handled at least once.
        if (!first && static_cast<int>(end - GetTickCount()) <= 0)
            return done();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done())
            return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void PumpMessages(int ms) {
    PumpUntil([] { return false; }, ms);
    // Then on while input, posted or sent messages or paints still wait.
    PumpUntil(
        [] {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
            const UINT waiting = QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE | QS_PAINT;
            return (HIWORD(GetQueueStatus(QS_ALLINPUT)) & waiting) == 0;
        },
        5000);
}

TVariant TScriptedWB::GetDispatchProperty(DISPID id) const {
    auto it = scripted.find(id);
    if (it == scripted.end())
        return TEmbeddedWB::GetDispatchProperty(id);
    if (!it->second)
        OleCheck(failure);
    TVariant v;
    v.vt = VT_DISPATCH;
    v.pdispVal = it->second;
    it->second->AddRef();
    return v;
}

void TScriptedWB::Navigate2(const VARIANT& url, const VARIANT& flags, const VARIANT& target,
                            const VARIANT& postData, const VARIANT& headers) {
    if (!recordNavigations) {
        TEmbeddedWB::Navigate2(url, flags, target, postData, headers);
        return;
    }
    std::vector<TVariant> args(5);
    const VARIANT* in[] = {&url, &flags, &target, &postData, &headers};
    for (int i = 0; i < 5; ++i)
        VariantCopy(&args[i], const_cast<VARIANT*>(in[i]));
    navigations.push_back(std::move(args));
}

TFakeEvent::~TFakeEvent() {
    for (auto& p : props_)
        VariantClear(&p.second);
}

void TFakeEvent::Set(const std::wstring& name, const VARIANT& value) {
    VARIANT copy;
    VariantInit(&copy);
    VariantCopy(&copy, const_cast<VARIANT*>(&value));
    props_.emplace_back(name, copy);
}

void TFakeEvent::SetText(const std::wstring& name, const std::wstring& text) {
    TVariant v;
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(text.c_str());
    Set(name, v);
}

void TFakeEvent::SetInt(const std::wstring& name, int value) {
    TVariant v;
    v.vt = VT_I4;
    v.lVal = value;
    Set(name, v);
}

STDMETHODIMP TFakeEvent::QueryInterface(REFIID iid, void** out) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) TFakeEvent::Release() {
    ULONG n = --refs_;
    if (n == 0)
        delete this;
    return n;
}

STDMETHODIMP TFakeEvent::GetTypeInfoCount(UINT* n) {
    *n = 0;
    return S_OK;
}

STDMETHODIMP TFakeEvent::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return E_NOTIMPL;
}

// Names match case-insensitively, as the platform's dispatch does.
STDMETHODIMP TFakeEvent::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID lcid,
                                       DISPID* ids) {
    locales.push_back(lcid);
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        for (size_t k = 0; k < props_.size(); ++k)
            if (_wcsicmp(props_[k].first.c_str(), names[i]) == 0)
                ids[i] = static_cast<DISPID>(k + 1);
        if (ids[i] == DISPID_UNKNOWN)
            return DISP_E_UNKNOWNNAME;
    }
    return S_OK;
}

STDMETHODIMP TFakeEvent::Invoke(DISPID id, REFIID, LCID lcid, WORD flags, DISPPARAMS*,
                                VARIANT* result, EXCEPINFO*, UINT*) {
    locales.push_back(lcid);
    invokeFlags.push_back(flags);
    if (id < 1 || id > static_cast<DISPID>(props_.size()))
        return DISP_E_MEMBERNOTFOUND;
    if (!(flags & DISPATCH_PROPERTYGET) || !result)
        return DISP_E_MEMBERNOTFOUND;
    return VariantCopy(result, &props_[id - 1].second);
}

STDMETHODIMP TFakeActiveObject::QueryInterface(REFIID iid, void** out) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch))
        *out = static_cast<IDispatch*>(this);
    else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceActiveObject))
        *out = static_cast<IOleInPlaceActiveObject*>(this);
    else if (IsEqualIID(iid, IID_IOleControl))
        *out = static_cast<IOleControl*>(this);
    else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) TFakeActiveObject::Release() {
    return --refs_; // lives on the test's stack
}

STDMETHODIMP TFakeActiveObject::GetTypeInfoCount(UINT* n) {
    *n = 0;
    return S_OK;
}
STDMETHODIMP TFakeActiveObject::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return E_NOTIMPL;
}
STDMETHODIMP TFakeActiveObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return DISP_E_UNKNOWNNAME;
}
STDMETHODIMP TFakeActiveObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                       EXCEPINFO*, UINT*) {
    return DISP_E_MEMBERNOTFOUND;
}
STDMETHODIMP TFakeActiveObject::GetWindow(HWND* out) {
    *out = nullptr;
    return E_FAIL;
}
STDMETHODIMP TFakeActiveObject::TranslateAccelerator(LPMSG msg) {
    offered.push_back(*msg);
    return answer;
}

TBrowserForm::TBrowserForm() {
    form = new TForm(nullptr);
    form->SetBounds(50, 50, 500, 400);
    form->SetCaption(L"browser host test");
    form->HandleNeeded();
    form->SetStateFlag(csLoading, true);
    browser = new TScriptedWB(form);
    browser->SetStateFlag(csLoading, true);
    browser->SetParent(form);
    browser->SetAlign(alClient);
    browser->Loaded();
    form->Loaded();
    form->Show();
}

TBrowserForm::~TBrowserForm() {
    delete form;
}
