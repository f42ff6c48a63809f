// Painting of windowless and self-painting controls through their canvas.
#include "framework/ui/graphic_control.h"

#include "framework/core/class_builder.h"

namespace {
// Binds a canvas to a DC for the length of a paint and lets go afterwards.
class TCanvasBinding {
public:
    TCanvasBinding(TCanvas& canvas, HDC dc) : canvas_(canvas) { canvas_.SetHandle(dc); }
    ~TCanvasBinding() { canvas_.SetHandle(nullptr); }

private:
    TCanvas& canvas_;
};
} // namespace

void TGraphicControl::WndProc(TMessage& msg) {
    if (msg.Msg == WM_PAINT && msg.WParam) {
        TCanvasBinding bind(canvas_, reinterpret_cast<HDC>(msg.WParam));
        canvas_.Font().Assign(Font());
        Paint();
        return;
    }
    TControl::WndProc(msg);
}

void TCustomControl::PaintWindow(HDC dc) {
    TCanvasBinding bind(canvas_, dc);
    canvas_.Font().Assign(Font());
    canvas_.Brush().SetColor(Color());
    Paint();
}

LT_CLASS_TABLE(TGraphicControl) {}
LT_CLASS_TABLE(TCustomControl) {}
