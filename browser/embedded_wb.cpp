// The browser host control: module start and end, construction, loading,
// destruction, the option setters, navigation and the ambient properties.
#include "browser/embedded_wb.h"

#include <exdisp.h>
#include <olectl.h>

#include "browser/dde_server.h"
#include "browser/embedded_wb_site.h"
#include "browser/fpu_control.h"
#include "browser/user_agent.h"
#include "framework/ole/ole_error.h"

namespace {

// Once per process: the default control word is kept for the end, when it is
// loaded again and the DDE names go. (OLE is set up by the program's entry
// point, see TOleScope.)
struct TBrowserModule {
    uint16_t savedControlWord = kFpuExceptionsOn;
    ~TBrowserModule() {
        LoadFpuControlWord(savedControlWord);
        ClearDdeNames();
    }
};
TBrowserModule browserModule;

// An integer variant holding 0, as the DDE navigations pass their options.
VARIANT ZeroArgument() {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = 0;
    return v;
}

} // namespace

// The wrapper creates the browser with this control's site; the host keeps
// the only reference to it.
TEmbeddedWB::TEmbeddedWB(TComponent* owner)
    : TWebBrowser(owner, TComPtr<TOleControlSite>::Adopt(new TEmbeddedWBSite(this))) {
    fpExceptions_ = true; // the processor is left as it is here
    site_ = static_cast<TEmbeddedWBSite*>(OleHost().Site());
    ReadDdeNames();
    TDdeServer::TCallbacks callbacks;
    callbacks.enabled = [this] { return enableDDE_; };
    callbacks.conversationWindow = [this] {
        return HandleAllocated() ? TWebBrowser::Handle() : nullptr;
    };
    callbacks.navigate = [this](const VARIANT& target) {
        UpdateHostUIFlags();
        VARIANT zero = ZeroArgument();
        Navigate2(target, zero, zero, zero, zero);
    };
    dde_ = std::make_unique<TDdeServer>(std::move(callbacks));
    printOptions_ = std::make_unique<TPrintOptions>();
    SetDownloadOptions({DLCTL_DLIMAGES, DLCTL_VIDEOS, DLCTL_BGSOUNDS});
    SetUserInterfaceOptions({});
    enableDDE_ = false;
    disableRightClickMenu_ = false;
    UpdateHostUIFlags();
}

TEmbeddedWB::~TEmbeddedWB() {
    dde_.reset();
    printOptions_.reset();
    UnhookOwner();
    userAgentValue_.Restore();
    UnhookMessages(this);
    // A browser that keeps the site after this finds it without a control.
    if (site_)
        site_->Detach();
}

void TEmbeddedWB::Loaded() {
    inherited::Loaded();
    downloadValue_ = ::DownloadControlValue(downloadOptions_);
    UpdateHostUIFlags();
    HookOwner();
    HookMessages(this,
                 [this](TMessage& msg, const TMessageChain& next) { ControlWndProc(msg, next); });
    userAgentValue_.Register(userAgent_);
}

void TEmbeddedWB::SetDownloadOptions(TDownloadControlOptions v) {
    downloadOptions_ = v;
    downloadValue_ = ::DownloadControlValue(v);
    NotifyDownloadControlChanged();
}

void TEmbeddedWB::SetUserInterfaceOptions(TUserInterfaceOptions v) {
    userInterfaceOptions_ = v;
    hostUIValue_ = UserInterfaceValue(v);
    NotifyDownloadControlChanged();
}

void TEmbeddedWB::UpdateHostUIFlags() {
    userInterfaceOptions_ =
        ForcedUserInterfaceOptions(userInterfaceOptions_, hideBorders_, hideScrollBars_);
    hostUIValue_ = UserInterfaceValue(userInterfaceOptions_);
}

// Tells the browser (through its Application object) that the ambient
// download-control property changed.
void TEmbeddedWB::NotifyDownloadControlChanged() {
    if (!OleHost().HasControl())
        return;
    TVariant app = GetDispatchProperty(200);
    if (app.vt != VT_DISPATCH || !app.pdispVal)
        return;
    TComPtr<IOleControl> control;
    if (SUCCEEDED(app.pdispVal->QueryInterface(IID_IOleControl, control.PutVoid())))
        control->OnAmbientPropertyChange(kAmbientDownloadControl);
}

void TEmbeddedWB::SetfpExceptions(bool v) {
    LoadFpuControlWord(v ? kFpuExceptionsOn : kFpuExceptionsOff);
    fpExceptions_ = v;
}

IUnknown* TEmbeddedWB::SiteUnknown() const {
    return static_cast<IOleClientSite*>(site_);
}

HWND TEmbeddedWB::DdeWindow() const {
    return dde_ ? dde_->Window() : nullptr;
}

// The download-control value for its ambient property; other calls go to the
// handler, or else to the framework's defaults.
HRESULT TEmbeddedWB::AmbientInvoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
    UpdateHostUIFlags();
    if ((flags & DISPATCH_PROPERTYGET) && result && id == kAmbientDownloadControl) {
        VariantClear(result);
        result->vt = VT_I4;
        result->lVal = static_cast<LONG>(downloadValue_);
        return S_OK;
    }
    if (OnInvoke) {
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        return OnInvoke(id, iid, static_cast<int32_t>(lcid), flags, params ? *params : none, result,
                        excep, argErr);
    }
    return inherited::AmbientInvoke(id, iid, lcid, flags, params, result, excep, argErr);
}
