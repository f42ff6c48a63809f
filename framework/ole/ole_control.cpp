// The framework control around a hosted ActiveX control.
#include "framework/ole/ole_control.h"

#include "framework/core/class_builder.h"
#include "framework/core/filer.h"
#include "framework/core/stream.h"

LT_CLASS_TABLE(TOleControl) {}

TOleControl::TOleControl(TComponent* owner) : TWinControl(owner), host_(this) {}

TOleControl::~TOleControl() {
    // The control goes before the window it lives in.
    host_.DestroyControl();
}

void TOleControl::CreateOleControl(const CLSID& clsid, TComPtr<TOleControlSite> site) {
    host_.CreateControl(clsid, std::move(site));
}

void TOleControl::SetControlData(std::vector<uint8_t> data) {
    controlData_ = std::move(data);
    host_.LoadPersisted(controlData_);
}

void TOleControl::DefineProperties(TFiler& filer) {
    inherited::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "ControlData",
        [this](TStream& s) {
            std::vector<uint8_t> data(static_cast<size_t>(s.Size() - s.Position()));
            if (!data.empty())
                s.ReadBuffer(data.data(), static_cast<int32_t>(data.size()));
            SetControlData(std::move(data));
        },
        [this](TStream& s) {
            if (!controlData_.empty())
                s.WriteBuffer(controlData_.data(), static_cast<int32_t>(controlData_.size()));
        },
        !controlData_.empty());
}

HRESULT TOleControl::AmbientInvoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
    return DefaultAmbientInvoke(id, iid, lcid, flags, params, result, excep, argErr);
}

void TOleControl::CreateHandleDone() {
    inherited::CreateHandleDone();
    if (host_.HasControl() && !host_.Active())
        host_.Activate(Handle(), ClientRect());
}

void TOleControl::DestroyWnd() {
    // An in-place control can't outlive its parent window: deactivate it first.
    host_.Deactivate();
    inherited::DestroyWnd();
}

void TOleControl::WndProc(TMessage& msg) {
    inherited::WndProc(msg);
    if (msg.Msg == WM_SIZE && host_.Active())
        host_.SetBounds(ClientRect());
}
