// Controls without a window of their own, and controls with a window and canvas
// that paint themselves.
#pragma once

#include "framework/gdi/canvas.h"
#include "framework/ui/wincontrol.h"

// Painted on its parent's DC inside its bounds; mouse messages come routed by the parent.
class TGraphicControl : public TControl {
    LT_CLASS(TGraphicControl, TControl)
public:
    explicit TGraphicControl(TComponent* owner) : TControl(owner) {}
    // Bound to the parent's DC (moved to this control's origin) while painting.
    TCanvas& Canvas() { return canvas_; }

protected:
    void WndProc(TMessage& msg) override;
    virtual void Paint() {}

private:
    TCanvas canvas_;
};

// A window of its own with a canvas; Paint draws it.
class TCustomControl : public TWinControl {
    LT_CLASS(TCustomControl, TWinControl)
public:
    explicit TCustomControl(TComponent* owner) : TWinControl(owner) {}
    // Bound to the window's DC while painting.
    TCanvas& Canvas() { return canvas_; }

protected:
    void PaintWindow(HDC dc) override;
    virtual void Paint() {}
    // The caption is drawn by Paint: a new one repaints.
    void TextChanged() override { Invalidate(); }

private:
    TCanvas canvas_;
};
