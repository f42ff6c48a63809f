// The browser host's site methods: each answers as the interface table of the
// control says, without and with its event handler.
#include "browser/embedded_wb_site.h"

#include <htmlhelp.h>

#include "browser/embedded_wb.h"
#include "framework/ui/ui_errors.h"

HRESULT TEmbeddedWBSite::QueryExtraInterface(REFIID iid, void** out) {
    if (IsEqualIID(iid, IID_IOleCommandTarget))
        *out = static_cast<IOleCommandTarget*>(this);
    else if (IsEqualIID(iid, IID_IServiceProvider))
        *out = static_cast<IServiceProvider*>(this);
    else if (IsEqualIID(iid, IID_IDocHostUIHandler) || IsEqualIID(iid, IID_IDocHostUIHandler2))
        *out = static_cast<IDocHostUIHandler2*>(this);
    else if (IsEqualIID(iid, IID_IDocHostShowUI))
        *out = static_cast<IDocHostShowUI*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

// IOleCommandTarget
STDMETHODIMP TEmbeddedWBSite::QueryStatus(const GUID*, ULONG, OLECMD*, OLECMDTEXT*) {
    return S_OK;
}

STDMETHODIMP TEmbeddedWBSite::Exec(const GUID* group, DWORD id, DWORD options, VARIANT* in,
                                   VARIANT* out) {
    if (!control_)
        return group ? OLECMDERR_E_NOTSUPPORTED : OLECMDERR_E_UNKNOWNGROUP;
    try {
        return control_->CommandExec(group, id, options, in, out);
    } catch (...) {
        // Nothing is thrown into the browser: the error goes to the default
        // handler and the browser handles the command itself.
        HandleUiException();
        return OLECMDERR_E_NOTSUPPORTED;
    }
}

// IServiceProvider
STDMETHODIMP TEmbeddedWBSite::QueryService(REFGUID service, REFIID iid, void** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr; // a failing answer never leaves a stale pointer behind
    if (!control_ || !control_->OnQueryService)
        return E_NOINTERFACE;
    IUnknown* obj = nullptr;
    HRESULT hr = control_->OnQueryService(service, iid, obj);
    *out = obj;
    return hr;
}

// IDocHostUIHandler
STDMETHODIMP TEmbeddedWBSite::ShowContextMenu(DWORD id, POINT* pt, IUnknown* cmdtReserved,
                                              IDispatch* dispReserved) {
    if (!control_)
        return S_FALSE;
    if (control_->DisableRightClickMenu())
        return S_OK; // no menu at all
    if (control_->OnShowContextMenu)
        return control_->OnShowContextMenu(id, pt, cmdtReserved, dispReserved);
    return S_FALSE; // the browser shows its own
}

STDMETHODIMP TEmbeddedWBSite::GetHostInfo(DOCHOSTUIINFO* info) {
    if (!info)
        return E_POINTER;
    info->cbSize = 20;
    info->dwFlags = control_ ? control_->HostUIFlags() : 0;
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    if (control_ && control_->OnGetHostInfo)
        return control_->OnGetHostInfo(info);
    return S_OK;
}

STDMETHODIMP TEmbeddedWBSite::ShowUI(DWORD id, IOleInPlaceActiveObject* active,
                                     IOleCommandTarget* target, IOleInPlaceFrame* frame,
                                     IOleInPlaceUIWindow* doc) {
    if (control_ && control_->OnShowUI)
        return control_->OnShowUI(id, active, target, frame, doc);
    return S_FALSE;
}

STDMETHODIMP TEmbeddedWBSite::HideUI() {
    if (control_ && control_->OnHideUI)
        return control_->OnHideUI();
    return S_FALSE;
}

STDMETHODIMP TEmbeddedWBSite::UpdateUI() {
    if (control_ && control_->OnUpdateUI)
        return control_->OnUpdateUI();
    return S_FALSE;
}

STDMETHODIMP TEmbeddedWBSite::EnableModeless(BOOL enable) {
    if (control_ && control_->OnEnableModeless)
        return control_->OnEnableModeless(enable);
    return S_FALSE;
}

STDMETHODIMP TEmbeddedWBSite::OnDocWindowActivate(BOOL activate) {
    if (control_ && control_->OnOnDocWindowActivate)
        return control_->OnOnDocWindowActivate(activate);
    return S_FALSE;
}

STDMETHODIMP TEmbeddedWBSite::OnFrameWindowActivate(BOOL activate) {
    if (control_ && control_->OnOnFrameWindowActivate)
        return control_->OnOnFrameWindowActivate(activate);
    return S_FALSE;
}

STDMETHODIMP TEmbeddedWBSite::ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window,
                                           BOOL frameWindow) {
    if (control_ && control_->OnResizeBorder)
        return control_->OnResizeBorder(border, window, frameWindow);
    return S_FALSE;
}

STDMETHODIMP TEmbeddedWBSite::TranslateAccelerator(LPMSG msg, const GUID* group, DWORD id) {
    if (control_ && control_->OnTranslateAccelerator)
        return control_->OnTranslateAccelerator(msg, group, id);
    return S_FALSE;
}

STDMETHODIMP TEmbeddedWBSite::GetOptionKeyPath(LPOLESTR* key, DWORD dw) {
    if (control_ && control_->OnGetOptionKeyPath && key)
        return control_->OnGetOptionKeyPath(*key, dw);
    return S_FALSE;
}

STDMETHODIMP TEmbeddedWBSite::GetDropTarget(IDropTarget* target, IDropTarget** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (control_ && control_->OnGetDropTarget)
        return control_->OnGetDropTarget(target, *out);
    return S_OK;
}

STDMETHODIMP TEmbeddedWBSite::GetExternal(IDispatch** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (control_ && control_->OnGetExternal)
        return control_->OnGetExternal(*out);
    return S_FALSE;
}

STDMETHODIMP TEmbeddedWBSite::TranslateUrl(DWORD translate, LPWSTR urlIn, LPWSTR* urlOut) {
    if (control_ && control_->OnTranslateUrl && urlOut)
        return control_->OnTranslateUrl(translate, urlIn, *urlOut);
    return S_FALSE;
}

STDMETHODIMP TEmbeddedWBSite::FilterDataObject(IDataObject* object, IDataObject** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (control_ && control_->OnFilterDataObject)
        return control_->OnFilterDataObject(object, *out);
    return S_FALSE;
}

// IDocHostUIHandler2
STDMETHODIMP TEmbeddedWBSite::GetOverrideKeyPath(LPOLESTR* key, DWORD dw) {
    if (control_ && control_->OnGetOverrideKeyPath)
        return control_->OnGetOverrideKeyPath(key ? *key : nullptr, dw);
    return S_OK;
}

// IDocHostShowUI
STDMETHODIMP TEmbeddedWBSite::ShowMessage(HWND wnd, LPOLESTR text, LPOLESTR caption, DWORD type,
                                          LPOLESTR helpFile, DWORD helpContext, LRESULT* result) {
    if (control_ && control_->OnShowMessage) {
        int32_t value = result ? static_cast<int32_t>(*result) : 0;
        HRESULT hr = control_->OnShowMessage(wnd, text, caption, static_cast<int32_t>(type),
                                             helpFile, static_cast<int32_t>(helpContext), value);
        if (result)
            *result = value;
        return hr;
    }
    return S_FALSE; // the browser shows its own message box
}

STDMETHODIMP TEmbeddedWBSite::ShowHelp(HWND wnd, LPOLESTR helpFile, UINT command, DWORD data,
                                       POINT pt, IDispatch* hit) {
    if (!control_)
        return S_FALSE;
    if (control_->OnShowHelp)
        return control_->OnShowHelp(wnd, helpFile, static_cast<int32_t>(command),
                                    static_cast<int32_t>(data), pt, hit);
    if (control_->HelpFile().empty())
        return S_FALSE;
    // HTML Help is loaded when first asked for; without it nothing is shown.
    using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
    static HtmlHelpFn htmlHelp = [] {
        HMODULE module = LoadLibraryA("hhctrl.ocx");
        return module ? reinterpret_cast<HtmlHelpFn>(
                            reinterpret_cast<void*>(GetProcAddress(module, "HtmlHelpA")))
                      : nullptr;
    }();
    if (htmlHelp) {
        const std::wstring& file = control_->HelpFile();
        int n = WideCharToMultiByte(CP_ACP, 0, file.c_str(), -1, nullptr, 0, nullptr, nullptr);
        std::string ansi(n, '\0');
        WideCharToMultiByte(CP_ACP, 0, file.c_str(), -1, ansi.data(), n, nullptr, nullptr);
        htmlHelp(wnd, ansi.c_str(), command, data);
    }
    return S_OK;
}

// IDispatch: the ambient handlers, else the base answers.
STDMETHODIMP TEmbeddedWBSite::GetTypeInfoCount(UINT* count) {
    if (control_ && control_->OnGetTypeInfoCount) {
        int32_t n = 0;
        HRESULT hr = control_->OnGetTypeInfoCount(n);
        if (count)
            *count = static_cast<UINT>(n);
        return hr;
    }
    return TOleControlSite::GetTypeInfoCount(count);
}

STDMETHODIMP TEmbeddedWBSite::GetTypeInfo(UINT index, LCID lcid, ITypeInfo** out) {
    if (control_ && control_->OnGetTypeInfo) {
        ITypeInfo* info = nullptr;
        HRESULT hr =
            control_->OnGetTypeInfo(static_cast<int32_t>(index), static_cast<int32_t>(lcid), info);
        if (out)
            *out = info;
        return hr;
    }
    return TOleControlSite::GetTypeInfo(index, lcid, out);
}

STDMETHODIMP TEmbeddedWBSite::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) {
    if (control_ && control_->OnGetIDsOfNames)
        return control_->OnGetIDsOfNames(iid, names, static_cast<int32_t>(count),
                                         static_cast<int32_t>(lcid), ids);
    return TOleControlSite::GetIDsOfNames(iid, names, count, lcid, ids);
}
