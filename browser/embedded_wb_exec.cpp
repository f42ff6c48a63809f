// The browser host as command target: unload, refresh and script errors.
#include "framework/ui/win32.h"

#include <mshtml.h>

#include "browser/embedded_wb.h"
#include "framework/ole/ole_error.h"

namespace {

// {000214D0-0000-0000-C000-000000000046}: the browser's own commands (37: unload).
constexpr GUID kExplorerGroup = {0x000214D0, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
// {F38BC242-B950-11D1-8918-00C04FC2C836}: the document host's commands.
constexpr GUID kDocHostGroup = {
    0xF38BC242, 0xB950, 0x11D1, {0x89, 0x18, 0x00, 0xC0, 0x4F, 0xC2, 0xC8, 0x36}};
constexpr DWORD kUnloadCommand = 37;
constexpr DWORD kScriptErrorCommand = 40;
constexpr LCID kSystemDefaultLocale = 2048;

// A property of the event object read by name and turned into text.
std::wstring EventProperty(IDispatch* event, const wchar_t* name) {
    DISPID id = 0;
    auto* names = const_cast<LPOLESTR>(name);
    HRESULT hr = event->GetIDsOfNames(IID_NULL, &names, 1, kSystemDefaultLocale, &id);
    if (hr == DISP_E_UNKNOWNNAME)
        throw EOleError(L"'" + std::wstring(name) + L"' not supported.");
    OleCheck(hr);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    TVariant value;
    OleCheck(event->Invoke(id, IID_NULL, kSystemDefaultLocale, DISPATCH_PROPERTYGET, &none,
                           value.Put(), nullptr, nullptr));
    if (value.vt == VT_EMPTY || value.vt == VT_NULL)
        return {};
    TVariant text;
    OleCheck(VariantChangeType(text.Put(), &value, 0, VT_BSTR));
    return text.bstrVal ? std::wstring(text.bstrVal, SysStringLen(text.bstrVal)) : std::wstring();
}

} // namespace

HRESULT TEmbeddedWB::CommandExec(const GUID* group, DWORD id, DWORD, VARIANT*, VARIANT* out) {
    UpdateHostUIFlags();
    if (!group)
        return OLECMDERR_E_UNKNOWNGROUP;
    HRESULT result = OLECMDERR_E_NOTSUPPORTED;
    if (id == kUnloadCommand && IsEqualGUID(*group, kExplorerGroup) && OnUnload)
        OnUnload(this);
    if (IsEqualGUID(*group, kDocHostGroup)) {
        if (OnRefresh && (id == 2300 || id == 6041 || id == 6042)) {
            bool cancel = false;
            OnRefresh(this, static_cast<int32_t>(id), cancel);
            if (cancel)
                result = S_OK; // the refresh is suppressed
            return result;
        }
        if (id == kScriptErrorCommand && OnScriptError)
            HandleScriptError(out, result);
    }
    return result;
}

// Reads the script error from the document window's current event object and
// lets the handler decide whether the script goes on and the dialog shows.
void TEmbeddedWB::HandleScriptError(VARIANT* out, HRESULT& result) {
    TVariant document = GetDispatchProperty(203);
    if (document.vt != VT_DISPATCH || !document.pdispVal)
        return;
    TComPtr<IHTMLDocument2> html;
    OleCheck(document.pdispVal->QueryInterface(IID_IHTMLDocument2, html.PutVoid()));
    TComPtr<IHTMLWindow2> window;
    OleCheck(html->get_parentWindow(window.Put()));
    if (!window)
        return;
    TComPtr<IHTMLEventObj> event;
    OleCheck(window->get_event(event.Put()));
    if (!event)
        return;
    IDispatch* props = event.Get();
    std::wstring character = EventProperty(props, L"errorCharacter");
    std::wstring code = EventProperty(props, L"errorCode");
    std::wstring message = EventProperty(props, L"errorMessage");
    std::wstring url = EventProperty(props, L"errorUrl");
    std::wstring line = EventProperty(props, L"errorline");
    bool continueScript = true;
    bool showDialog = true;
    OnScriptError(this, line, character, code, message, url, continueScript, showDialog);
    if (out) {
        VariantClear(out);
        out->vt = VT_BOOL;
        out->boolVal = continueScript ? VARIANT_TRUE : VARIANT_FALSE;
    }
    if (!showDialog)
        result = S_OK; // the browser shows no script-error dialog
}
