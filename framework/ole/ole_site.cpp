// The host-side COM object of a hosted control.
#include "framework/ole/ole_site.h"

#include <olectl.h>

#include "framework/ole/ole_host.h"

namespace {
std::atomic<int> liveSites{0};
} // namespace

TOleControlSite::TOleControlSite() {
    ++liveSites;
}

TOleControlSite::~TOleControlSite() {
    --liveSites;
}

int TOleControlSite::LiveCount() {
    return liveSites;
}

STDMETHODIMP TOleControlSite::QueryInterface(REFIID iid, void** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite))
        *out = static_cast<IOleClientSite*>(this);
    else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite))
        *out = static_cast<IOleInPlaceSite*>(this);
    else if (IsEqualIID(iid, IID_IOleInPlaceUIWindow) || IsEqualIID(iid, IID_IOleInPlaceFrame))
        *out = static_cast<IOleInPlaceFrame*>(this);
    else if (IsEqualIID(iid, IID_IOleControlSite))
        *out = static_cast<IOleControlSite*>(this);
    else if (IsEqualIID(iid, IID_IDispatch))
        *out = static_cast<IDispatch*>(this);
    else
        return QueryExtraInterface(iid, out);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) TOleControlSite::AddRef() {
    return ++refs_;
}

STDMETHODIMP_(ULONG) TOleControlSite::Release() {
    ULONG n = --refs_;
    if (n == 0)
        delete this;
    return n;
}

// IOleClientSite: the container keeps no document of its own.
STDMETHODIMP TOleControlSite::SaveObject() {
    return S_OK;
}
STDMETHODIMP TOleControlSite::GetMoniker(DWORD, DWORD, IMoniker** out) {
    if (out)
        *out = nullptr;
    return E_NOTIMPL;
}
STDMETHODIMP TOleControlSite::GetContainer(IOleContainer** out) {
    if (out)
        *out = nullptr;
    return E_NOINTERFACE;
}
STDMETHODIMP TOleControlSite::ShowObject() {
    return S_OK;
}
STDMETHODIMP TOleControlSite::OnShowWindow(BOOL) {
    return S_OK;
}
STDMETHODIMP TOleControlSite::RequestNewObjectLayout() {
    return E_NOTIMPL;
}

// IOleWindow: the host's window (null when the host is gone).
STDMETHODIMP TOleControlSite::GetWindow(HWND* out) {
    if (!out)
        return E_POINTER;
    *out = host_ ? host_->SiteWindow() : nullptr;
    return *out ? S_OK : E_FAIL;
}
STDMETHODIMP TOleControlSite::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

// IOleInPlaceSite
STDMETHODIMP TOleControlSite::CanInPlaceActivate() {
    return host_ && host_->SiteWindow() ? S_OK : S_FALSE;
}
STDMETHODIMP TOleControlSite::OnInPlaceActivate() {
    return S_OK;
}
STDMETHODIMP TOleControlSite::OnUIActivate() {
    return S_OK;
}
STDMETHODIMP TOleControlSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                               LPRECT posRect, LPRECT clipRect,
                                               LPOLEINPLACEFRAMEINFO info) {
    if (!frame || !doc || !posRect || !clipRect)
        return E_POINTER;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *doc = nullptr;
    RECT bounds = host_ ? host_->Bounds() : RECT{};
    *posRect = bounds;
    *clipRect = bounds;
    if (info) {
        info->fMDIApp = FALSE;
        info->hwndFrame = host_ ? host_->SiteWindow() : nullptr;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
    }
    return S_OK;
}
STDMETHODIMP TOleControlSite::Scroll(SIZE) {
    return E_NOTIMPL;
}
STDMETHODIMP TOleControlSite::OnUIDeactivate(BOOL) {
    return S_OK;
}
STDMETHODIMP TOleControlSite::OnInPlaceDeactivate() {
    return S_OK;
}
STDMETHODIMP TOleControlSite::DiscardUndoState() {
    return S_OK;
}
STDMETHODIMP TOleControlSite::DeactivateAndUndo() {
    return S_OK;
}
// The control asks to move: the host decides its bounds, so it is put back.
STDMETHODIMP TOleControlSite::OnPosRectChange(LPCRECT) {
    if (host_ && host_->Active())
        host_->SetBounds(host_->Bounds());
    return S_OK;
}

// IOleInPlaceUIWindow / IOleInPlaceFrame: no toolbars, menus or status line.
STDMETHODIMP TOleControlSite::GetBorder(LPRECT) {
    return INPLACE_E_NOTOOLSPACE;
}
STDMETHODIMP TOleControlSite::RequestBorderSpace(LPCBORDERWIDTHS) {
    return INPLACE_E_NOTOOLSPACE;
}
STDMETHODIMP TOleControlSite::SetBorderSpace(LPCBORDERWIDTHS) {
    return E_NOTIMPL;
}
STDMETHODIMP TOleControlSite::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) {
    return S_OK;
}
STDMETHODIMP TOleControlSite::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) {
    return E_NOTIMPL;
}
STDMETHODIMP TOleControlSite::SetMenu(HMENU, HOLEMENU, HWND) {
    return S_OK;
}
STDMETHODIMP TOleControlSite::RemoveMenus(HMENU) {
    return E_NOTIMPL;
}
STDMETHODIMP TOleControlSite::SetStatusText(LPCOLESTR) {
    return S_OK;
}
STDMETHODIMP TOleControlSite::EnableModeless(BOOL) {
    return S_OK;
}
STDMETHODIMP TOleControlSite::TranslateAccelerator(LPMSG, WORD) {
    return S_FALSE;
}

// IOleControlSite
STDMETHODIMP TOleControlSite::OnControlInfoChanged() {
    return S_OK;
}
STDMETHODIMP TOleControlSite::LockInPlaceActive(BOOL) {
    return S_OK;
}
STDMETHODIMP TOleControlSite::GetExtendedControl(IDispatch** out) {
    if (out)
        *out = nullptr;
    return E_NOTIMPL;
}
STDMETHODIMP TOleControlSite::TransformCoords(POINTL*, POINTF*, DWORD) {
    return E_NOTIMPL;
}
STDMETHODIMP TOleControlSite::TranslateAccelerator(LPMSG, DWORD) {
    return S_FALSE;
}
STDMETHODIMP TOleControlSite::OnFocus(BOOL) {
    return S_OK;
}
STDMETHODIMP TOleControlSite::ShowPropertyFrame() {
    return E_NOTIMPL;
}

// IDispatch: no type information; Invoke goes to the host's ambient answers.
STDMETHODIMP TOleControlSite::GetTypeInfoCount(UINT* count) {
    if (count)
        *count = 0;
    return E_NOTIMPL;
}
STDMETHODIMP TOleControlSite::GetTypeInfo(UINT, LCID, ITypeInfo** out) {
    if (out)
        *out = nullptr;
    return E_NOTIMPL;
}
STDMETHODIMP TOleControlSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}
STDMETHODIMP TOleControlSite::Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep,
                                     UINT* argErr) {
    if (host_)
        return host_->AmbientInvoke(id, iid, lcid, flags, params, result, excep, argErr);
    return DefaultAmbientInvoke(id, flags, result);
}

// The ambient properties every host answers the same way.
HRESULT TOleControlSite::DefaultAmbientInvoke(DISPID id, WORD flags, VARIANT* result) {
    if (!(flags & DISPATCH_PROPERTYGET) || !result)
        return DISP_E_MEMBERNOTFOUND;
    VariantInit(result);
    switch (id) {
    case DISPID_AMBIENT_USERMODE:
    case DISPID_AMBIENT_SUPPORTSMNEMONICS:
        result->vt = VT_BOOL;
        result->boolVal = VARIANT_TRUE;
        return S_OK;
    case DISPID_AMBIENT_UIDEAD:
    case DISPID_AMBIENT_SHOWGRABHANDLES:
    case DISPID_AMBIENT_SHOWHATCHING:
    case DISPID_AMBIENT_MESSAGEREFLECT:
        result->vt = VT_BOOL;
        result->boolVal = VARIANT_FALSE;
        return S_OK;
    case DISPID_AMBIENT_LOCALEID:
        result->vt = VT_I4;
        result->lVal = static_cast<LONG>(GetUserDefaultLCID());
        return S_OK;
    case DISPID_AMBIENT_BACKCOLOR:
        result->vt = VT_I4;
        result->lVal = static_cast<LONG>(GetSysColor(COLOR_WINDOW));
        return S_OK;
    case DISPID_AMBIENT_FORECOLOR:
        result->vt = VT_I4;
        result->lVal = static_cast<LONG>(GetSysColor(COLOR_WINDOWTEXT));
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}
