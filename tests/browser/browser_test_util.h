// Shared pieces of the browser host tests: the application object, message
// pumping, a host control whose browser properties can be scripted, and
// stand-ins for the browser's event object and active object.
#pragma once

#include "framework/ui/win32.h"

#include <oleidl.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "browser/embedded_wb.h"
#include "framework/ui/application.h"
#include "framework/ole/ole_error.h"
#include "framework/ui/form.h"

// The title the application carries in the tests (the product's).
extern const wchar_t kTestAppTitle[];

// Handles messages until done() answers true or ms pass; answers done().
bool PumpUntil(const std::function<bool()>& done, int ms);
// Handles messages for about `ms` milliseconds, then on while any still wait.
void PumpMessages(int ms);
// Texts of the exceptions reported to the application during the test.
std::vector<std::wstring>& ReportedErrors();

// A host control whose dispatch properties can be answered by the test.
class TScriptedWB : public TEmbeddedWB {
public:
    explicit TScriptedWB(TComponent* owner) : TEmbeddedWB(owner) {}
    // Properties answered by the test: id -> object (null: a failure code).
    std::map<DISPID, IDispatch*> scripted;
    HRESULT failure = E_FAIL;
    TVariant GetDispatchProperty(DISPID id) const override;
    // Navigations are recorded instead of reaching the platform when set.
    bool recordNavigations = false;
    std::vector<std::vector<TVariant>> navigations;
    void Navigate2(const VARIANT& url, const VARIANT& flags, const VARIANT& target,
                   const VARIANT& postData, const VARIANT& headers) override;
    using TEmbeddedWB::Navigate2;
};

// An IDispatch with named properties, as the document window's event object.
class TFakeEvent : public IDispatch {
public:
    TFakeEvent() = default;
    virtual ~TFakeEvent();
    void Set(const std::wstring& name, const VARIANT& value);
    void SetText(const std::wstring& name, const std::wstring& text);
    void SetInt(const std::wstring& name, int value);
    std::vector<LCID> locales; // of every call
    std::vector<WORD> invokeFlags;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* n) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID lcid,
                               DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID lcid, WORD flags, DISPPARAMS*, VARIANT* result,
                        EXCEPINFO*, UINT*) override;

private:
    ULONG refs_ = 1;
    std::vector<std::pair<std::wstring, VARIANT>> props_;
};

// The browser's Application object as far as key routing needs it: an
// IDispatch that is also the in-place active object and records the keys.
class TFakeActiveObject : public IDispatch, public IOleInPlaceActiveObject, public IOleControl {
public:
    std::vector<MSG> offered;
    HRESULT answer = S_OK;
    std::vector<DISPID> ambientChanges;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* n) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                        UINT*) override;
    STDMETHODIMP GetWindow(HWND* out) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(LPMSG msg) override;
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    // IOleControl
    STDMETHODIMP GetControlInfo(CONTROLINFO*) override { return E_NOTIMPL; }
    STDMETHODIMP OnMnemonic(MSG*) override { return E_NOTIMPL; }
    STDMETHODIMP OnAmbientPropertyChange(DISPID id) override {
        ambientChanges.push_back(id);
        return S_OK;
    }
    STDMETHODIMP FreezeEvents(BOOL) override { return S_OK; }

private:
    ULONG refs_ = 1;
};

// A shown top-level form with a browser host inside, loaded as a form
// definition would load it.
struct TBrowserForm {
    TBrowserForm();
    ~TBrowserForm();
    TForm* form = nullptr;
    TScriptedWB* browser = nullptr;
};
