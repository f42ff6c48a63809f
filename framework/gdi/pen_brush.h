// TPen and TBrush: the line and fill tools of a canvas.
#pragma once

#include "framework/gdi/color.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/gdi/graphics_object.h"

LT_ENUM_CLASS(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame);

class TPen : public TGraphicsObject {
    LT_CLASS(TPen, TGraphicsObject)
public:
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);
    // Raster mix for lines (R2_COPYPEN, R2_XORPEN, ...).
    int Mode() const { return mode_; }
    void SetMode(int rop2);
    void Assign(const TPen& other);
    void Assign(const TPersistent& source) override;
    // The pen handle, created on demand; owned by this object.
    HPEN Handle();

protected:
    void FreeHandle() override { handle_.Reset(); }

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = TPenStyle::psSolid;
    int mode_ = R2_COPYPEN;
    TPenHandle handle_;
};

LT_ENUM_CLASS(TBrushStyle, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal,
              bsCross, bsDiagCross);

class TBrush : public TGraphicsObject {
    LT_CLASS(TBrush, TGraphicsObject)
public:
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);
    void Assign(const TBrush& other);
    void Assign(const TPersistent& source) override;
    // The brush handle, created on demand; owned by this object.
    HBRUSH Handle();

protected:
    void FreeHandle() override { handle_.Reset(); }

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = TBrushStyle::bsSolid;
    TBrushHandle handle_;
};
