// TPen and TBrush implementation.
#include "framework/gdi/pen_brush.h"

void TPen::SetColor(TColor color) {
    if (color != color_) {
        color_ = color;
        Changed();
    }
}

void TPen::SetWidth(int width) {
    if (width != width_) {
        width_ = width;
        Changed();
    }
}

void TPen::SetStyle(TPenStyle style) {
    if (style != style_) {
        style_ = style;
        Changed();
    }
}

void TPen::SetMode(int rop2) {
    if (rop2 != mode_) {
        mode_ = rop2;
        Changed();
    }
}

void TPen::Assign(const TPen& other) {
    if (&other != this) {
        color_ = other.color_;
        width_ = other.width_;
        style_ = other.style_;
        mode_ = other.mode_;
        Changed();
    }
}

void TPen::Assign(const TPersistent& source) {
    if (const auto* pen = dynamic_cast<const TPen*>(&source)) {
        Assign(*pen);
    } else {
        TGraphicsObject::Assign(source);
    }
}

HPEN TPen::Handle() {
    if (!handle_) {
        static const int styles[] = {PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                     PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        handle_.Reset(CreatePen(styles[static_cast<int>(style_)], width_, ColorToRGB(color_)));
    }
    return handle_.Get();
}

void TBrush::SetColor(TColor color) {
    if (color != color_) {
        color_ = color;
        Changed();
    }
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style != style_) {
        style_ = style;
        Changed();
    }
}

void TBrush::Assign(const TBrush& other) {
    if (&other != this) {
        color_ = other.color_;
        style_ = other.style_;
        Changed();
    }
}

void TBrush::Assign(const TPersistent& source) {
    if (const auto* brush = dynamic_cast<const TBrush*>(&source)) {
        Assign(*brush);
    } else {
        TGraphicsObject::Assign(source);
    }
}

HBRUSH TBrush::Handle() {
    if (!handle_) {
        LOGBRUSH lb{};
        lb.lbColor = ColorToRGB(color_);
        if (style_ == TBrushStyle::bsSolid) {
            lb.lbStyle = BS_SOLID;
        } else if (style_ == TBrushStyle::bsClear) {
            lb.lbStyle = BS_NULL;
        } else {
            static const int hatches[] = {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL,
                                          HS_BDIAGONAL,  HS_CROSS,    HS_DIAGCROSS};
            lb.lbStyle = BS_HATCHED;
            lb.lbHatch = hatches[static_cast<int>(style_) - 2];
        }
        handle_.Reset(CreateBrushIndirect(&lb));
    }
    return handle_.Get();
}
