// Hosting one ActiveX control inside a window: create it by class id, site it,
// hand it persisted state, activate it in place, keep it sized, read its
// dispatch properties, and release everything at the end.
#pragma once

#include <ocidl.h>
#include <oleidl.h>
#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/ole/com_ptr.h"
#include "framework/ole/ole_site.h"

class TOleHost {
public:
    TOleHost();
    virtual ~TOleHost();
    TOleHost(const TOleHost&) = delete;
    TOleHost& operator=(const TOleHost&) = delete;

    // Creates the control and sites it with `site` (null: a plain site). Raises
    // EOleSysError when the class can't be made.
    void CreateControl(const CLSID& clsid, TComPtr<TOleControlSite> site = {});
    // Hands persisted state to the control through its stream persistence; a
    // failure is ignored (answers false). Must come before activation.
    bool LoadPersisted(const std::vector<uint8_t>& data);
    // Activates the control in place inside `parent`, filling `bounds`.
    void Activate(HWND parent, const RECT& bounds);
    // Moves and sizes the active control (client coordinates of the parent).
    void SetBounds(const RECT& bounds);
    // Leaves in-place activation (before the parent window goes); Activate may follow.
    void Deactivate();
    // Deactivates, closes and releases the control and lets the site go.
    void DestroyControl();

    bool HasControl() const { return static_cast<bool>(oleObject_); }
    bool Active() const { return active_; }
    HWND ParentWindow() const { return parent_; }
    const RECT& Bounds() const { return bounds_; }
    // The control's in-place window, when it has one.
    HWND ControlWindow() const;
    IOleObject* OleObject() const { return oleObject_.Get(); }
    IDispatch* ControlDispatch() const { return dispatch_.Get(); }
    TOleControlSite* Site() const { return site_.Get(); }
    // Another interface of the control; null when it has none.
    template <class T> TComPtr<T> Query(REFIID iid) const { return oleObject_.template As<T>(iid); }

    // Reads a dispatch property by number (a property get with no arguments).
    // Raises EOleSysError on failure.
    TVariant GetProperty(DISPID id) const;
    // Tells the control an ambient property changed (IOleControl).
    void AmbientPropertyChange(DISPID id) const;

    // Default ambient answers; hosts override to add their own.
    virtual HRESULT AmbientInvoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                  VARIANT* result, EXCEPINFO* excep, UINT* argErr);
    // Called by the site when the control asks for the in-place window.
    virtual HWND SiteWindow() const { return parent_; }

private:
    TComPtr<TOleControlSite> site_;
    TComPtr<IOleObject> oleObject_;
    TComPtr<IDispatch> dispatch_;
    TComPtr<IOleInPlaceObject> inPlace_;
    HWND parent_ = nullptr;
    RECT bounds_{};
    bool initialised_ = false;
    bool active_ = false;
};
