// Creating, siting, activating and releasing one hosted control.
#include "framework/ole/ole_host.h"

#include <ole2.h>

#include "framework/ole/ole_error.h"

TOleHost::TOleHost() = default;

TOleHost::~TOleHost() {
    DestroyControl();
}

void TOleHost::CreateControl(const CLSID& clsid, TComPtr<TOleControlSite> site) {
    DestroyControl();
    site_ = site ? std::move(site) : TComPtr<TOleControlSite>::Adopt(new TOleControlSite());
    site_->SetHost(this);
    try {
        OleCheck(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                  IID_IOleObject, oleObject_.PutVoid()));
        OleCheck(oleObject_->SetClientSite(static_cast<IOleClientSite*>(site_.Get())));
        oleObject_->QueryInterface(IID_IDispatch, dispatch_.PutVoid());
    } catch (...) {
        DestroyControl();
        throw;
    }
}

bool TOleHost::LoadPersisted(const std::vector<uint8_t>& data) {
    if (!oleObject_ || initialised_ || data.empty())
        return false;
    auto persist = Query<IPersistStreamInit>(IID_IPersistStreamInit);
    if (!persist)
        return false;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, data.size());
    if (!memory)
        return false;
    if (void* p = GlobalLock(memory)) {
        memcpy(p, data.data(), data.size());
        GlobalUnlock(memory);
    }
    TComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, stream.Put()))) {
        GlobalFree(memory);
        return false;
    }
    bool ok = SUCCEEDED(persist->Load(stream.Get()));
    initialised_ = ok;
    return ok;
}

void TOleHost::Activate(HWND parent, const RECT& bounds) {
    if (!oleObject_ || active_)
        return;
    parent_ = parent;
    bounds_ = bounds;
    if (!initialised_) {
        // A control without persisted state starts from its defaults.
        if (auto persist = Query<IPersistStreamInit>(IID_IPersistStreamInit))
            persist->InitNew();
        initialised_ = true;
    }
    oleObject_->SetHostNames(L"Host", nullptr);
    RECT r = bounds_;
    OleCheck(oleObject_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr,
                                static_cast<IOleClientSite*>(site_.Get()), 0, parent_, &r));
    inPlace_ = Query<IOleInPlaceObject>(IID_IOleInPlaceObject);
    active_ = true;
    SetBounds(bounds_);
}

void TOleHost::SetBounds(const RECT& bounds) {
    bounds_ = bounds;
    if (inPlace_) {
        RECT r = bounds;
        inPlace_->SetObjectRects(&r, &r);
    }
}

HWND TOleHost::ControlWindow() const {
    HWND wnd = nullptr;
    if (inPlace_)
        inPlace_->GetWindow(&wnd);
    return wnd;
}

void TOleHost::Deactivate() {
    if (inPlace_) {
        HWND control = ControlWindow();
        inPlace_->InPlaceDeactivate();
        inPlace_.Reset();
        // Some controls keep their window after deactivation; parked away from
        // the parent it survives the parent's destruction and can be activated
        // again in a new parent.
        if (control && IsWindow(control) && GetParent(control) == parent_)
            SetParent(control, HWND_MESSAGE);
    }
    active_ = false;
}

void TOleHost::DestroyControl() {
    Deactivate();
    if (oleObject_) {
        oleObject_->Close(OLECLOSE_NOSAVE);
        oleObject_->SetClientSite(nullptr);
    }
    dispatch_.Reset();
    oleObject_.Reset();
    if (site_) {
        // A control that still holds the site finds it detached, not freed.
        site_->SetHost(nullptr);
        site_.Reset();
    }
    active_ = false;
    initialised_ = false;
}

TVariant TOleHost::GetProperty(DISPID id) const {
    if (!dispatch_)
        OleCheck(E_NOINTERFACE);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    TVariant result;
    EXCEPINFO excep{};
    UINT argErr = 0;
    OleCheck(dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                               result.Put(), &excep, &argErr));
    return result;
}

void TOleHost::AmbientPropertyChange(DISPID id) const {
    if (auto control = Query<IOleControl>(IID_IOleControl))
        control->OnAmbientPropertyChange(id);
}

HRESULT TOleHost::AmbientInvoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                                EXCEPINFO*, UINT*) {
    return site_ ? site_->DefaultAmbientInvoke(id, flags, result) : DISP_E_MEMBERNOTFOUND;
}
