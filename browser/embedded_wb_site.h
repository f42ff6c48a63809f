// The browser host control's client site: besides the framework's site
// interfaces it is the browser's command target, service provider, UI handler
// and message/help handler. Each method answers as the control's settings and
// events decide; once the control is gone it gives the "no handler" answers.
#pragma once

#include "framework/ui/win32.h"

#include <docobj.h>
#include <mshtmhst.h>
#include <servprov.h>

#include "framework/ole/ole_site.h"

class TEmbeddedWB;

class TEmbeddedWBSite : public TOleControlSite,
                        public IOleCommandTarget,
                        public IServiceProvider,
                        public IDocHostUIHandler2,
                        public IDocHostShowUI {
public:
    explicit TEmbeddedWBSite(TEmbeddedWB* control) : control_(control) {}
    void Detach() { control_ = nullptr; }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        return TOleControlSite::QueryInterface(iid, out);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return TOleControlSite::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return TOleControlSite::Release(); }

    // IOleCommandTarget
    STDMETHODIMP QueryStatus(const GUID* group, ULONG count, OLECMD* cmds,
                             OLECMDTEXT* text) override;
    STDMETHODIMP Exec(const GUID* group, DWORD id, DWORD options, VARIANT* in,
                      VARIANT* out) override;
    // IServiceProvider
    STDMETHODIMP QueryService(REFGUID service, REFIID iid, void** out) override;
    // IDocHostUIHandler
    STDMETHODIMP ShowContextMenu(DWORD id, POINT* pt, IUnknown* cmdtReserved,
                                 IDispatch* dispReserved) override;
    STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* info) override;
    STDMETHODIMP ShowUI(DWORD id, IOleInPlaceActiveObject* active, IOleCommandTarget* target,
                        IOleInPlaceFrame* frame, IOleInPlaceUIWindow* doc) override;
    STDMETHODIMP HideUI() override;
    STDMETHODIMP UpdateUI() override;
    STDMETHODIMP EnableModeless(BOOL enable) override;
    STDMETHODIMP OnDocWindowActivate(BOOL activate) override;
    STDMETHODIMP OnFrameWindowActivate(BOOL activate) override;
    STDMETHODIMP ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window,
                              BOOL frameWindow) override;
    STDMETHODIMP TranslateAccelerator(LPMSG msg, const GUID* group, DWORD id) override;
    STDMETHODIMP GetOptionKeyPath(LPOLESTR* key, DWORD dw) override;
    STDMETHODIMP GetDropTarget(IDropTarget* target, IDropTarget** out) override;
    STDMETHODIMP GetExternal(IDispatch** out) override;
    STDMETHODIMP TranslateUrl(DWORD translate, LPWSTR urlIn, LPWSTR* urlOut) override;
    STDMETHODIMP FilterDataObject(IDataObject* object, IDataObject** out) override;
    // IDocHostUIHandler2
    STDMETHODIMP GetOverrideKeyPath(LPOLESTR* key, DWORD dw) override;
    // IDocHostShowUI
    STDMETHODIMP ShowMessage(HWND wnd, LPOLESTR text, LPOLESTR caption, DWORD type,
                             LPOLESTR helpFile, DWORD helpContext, LRESULT* result) override;
    STDMETHODIMP ShowHelp(HWND wnd, LPOLESTR helpFile, UINT command, DWORD data, POINT pt,
                          IDispatch* hit) override;
    // IDispatch (ambient properties) with the control's handlers.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** out) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                               DISPID* ids) override;

    // The frame's and control site's accelerator methods keep the base answers
    // (EnableModeless has one signature for the frame and the UI handler: one answer).
    using TOleControlSite::TranslateAccelerator;

protected:
    HRESULT QueryExtraInterface(REFIID iid, void** out) override;

private:
    TEmbeddedWB* control_;
};
