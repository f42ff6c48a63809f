// A framework control that hosts one ActiveX control: the control instance is
// made when the wrapper is constructed (by the derived class), activated in
// place when the wrapper's window exists, kept filling the client area, and
// released before the window goes. Persisted state ("ControlData" in a form
// definition) is handed to the control when it is read.
#pragma once

#include "framework/ui/win32.h"

#include <cstdint>
#include <vector>

#include "framework/ole/ole_host.h"
#include "framework/ui/wincontrol.h"

class TOleControl : public TWinControl {
    LT_CLASS(TOleControl, TWinControl)
public:
    explicit TOleControl(TComponent* owner);
    ~TOleControl() override;

    TOleHost& OleHost() { return host_; }
    const TOleHost& OleHost() const { return host_; }
    // Reads a dispatch property of the control by number; raises on failure.
    virtual TVariant GetDispatchProperty(DISPID id) const { return host_.GetProperty(id); }

    const std::vector<uint8_t>& ControlData() const { return controlData_; }
    // Stores the state and hands it to the control (a refusal is ignored).
    void SetControlData(std::vector<uint8_t> data);

    void DefineProperties(TFiler& filer) override;

protected:
    // Creates the control of clsid with the given site (null: a plain site).
    void CreateOleControl(const CLSID& clsid, TComPtr<TOleControlSite> site);
    // Ambient properties asked for by the control; the base gives the defaults.
    virtual HRESULT AmbientInvoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                  VARIANT* result, EXCEPINFO* excep, UINT* argErr);
    HRESULT DefaultAmbientInvoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                 VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
        return host_.TOleHost::AmbientInvoke(id, iid, lcid, flags, params, result, excep, argErr);
    }
    void CreateHandleDone() override;
    void DestroyWnd() override;
    void WndProc(TMessage& msg) override;

private:
    // Routes the site's ambient calls to the control object.
    class THost : public TOleHost {
    public:
        explicit THost(TOleControl* owner) : owner_(owner) {}
        HRESULT AmbientInvoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                              VARIANT* result, EXCEPINFO* excep, UINT* argErr) override {
            return owner_->AmbientInvoke(id, iid, lcid, flags, params, result, excep, argErr);
        }

    private:
        TOleControl* owner_;
    };

    THost host_;
    std::vector<uint8_t> controlData_;
};
