// Published properties of the drawing tools and the identifier maps they use.
#include "framework/core/class_builder.h"
#include "framework/gdi/bitmap.h"
#include "framework/gdi/font.h"
#include "framework/gdi/icon.h"
#include "framework/gdi/image_list.h"
#include "framework/gdi/pen_brush.h"

const TIdentMap& GraphicsColorIdents() {
    static const TIdentMap map{
        {clBlack, "clBlack"},
        {clMaroon, "clMaroon"},
        {clGreen, "clGreen"},
        {clOlive, "clOlive"},
        {clNavy, "clNavy"},
        {clPurple, "clPurple"},
        {clTeal, "clTeal"},
        {clGray, "clGray"},
        {clSilver, "clSilver"},
        {clRed, "clRed"},
        {clLime, "clLime"},
        {clYellow, "clYellow"},
        {clBlue, "clBlue"},
        {clFuchsia, "clFuchsia"},
        {clAqua, "clAqua"},
        {clWhite, "clWhite"},
        {clScrollBar, "clScrollBar"},
        {clBackground, "clBackground"},
        {clActiveCaption, "clActiveCaption"},
        {clInactiveCaption, "clInactiveCaption"},
        {clMenu, "clMenu"},
        {clWindow, "clWindow"},
        {clWindowFrame, "clWindowFrame"},
        {clMenuText, "clMenuText"},
        {clWindowText, "clWindowText"},
        {clCaptionText, "clCaptionText"},
        {clActiveBorder, "clActiveBorder"},
        {clInactiveBorder, "clInactiveBorder"},
        {clAppWorkSpace, "clAppWorkSpace"},
        {clHighlight, "clHighlight"},
        {clHighlightText, "clHighlightText"},
        {clBtnFace, "clBtnFace"},
        {clBtnShadow, "clBtnShadow"},
        {clGrayText, "clGrayText"},
        {clBtnText, "clBtnText"},
        {clInactiveCaptionText, "clInactiveCaptionText"},
        {clBtnHighlight, "clBtnHighlight"},
        {cl3DDkShadow, "cl3DDkShadow"},
        {cl3DLight, "cl3DLight"},
        {clInfoText, "clInfoText"},
        {clInfoBk, "clInfoBk"},
        {clHotLight, "clHotLight"},
        {clGradientActiveCaption, "clGradientActiveCaption"},
        {clGradientInactiveCaption, "clGradientInactiveCaption"},
        {clMenuHighlight, "clMenuHighlight"},
        {clMenuBar, "clMenuBar"},
        {clNone, "clNone"},
        {clDefault, "clDefault"},
    };
    return map;
}

const TIdentMap& FontCharsetIdents() {
    static const TIdentMap map{
        {ANSI_CHARSET, "ANSI_CHARSET"},
        {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
        {SYMBOL_CHARSET, "SYMBOL_CHARSET"},
        {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"},
        {HANGEUL_CHARSET, "HANGEUL_CHARSET"},
        {GB2312_CHARSET, "GB2312_CHARSET"},
        {CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"},
        {OEM_CHARSET, "OEM_CHARSET"},
        {MAC_CHARSET, "MAC_CHARSET"},
        {EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"},
        {RUSSIAN_CHARSET, "RUSSIAN_CHARSET"},
        {GREEK_CHARSET, "GREEK_CHARSET"},
        {TURKISH_CHARSET, "TURKISH_CHARSET"},
        {BALTIC_CHARSET, "BALTIC_CHARSET"},
    };
    return map;
}

LT_CLASS_TABLE(TGraphicsObject) {}

LT_CLASS_TABLE(TFont) {
    c.Integer("Charset", &TFont::Charset, &TFont::SetCharset, &FontCharsetIdents())
        .Default(DEFAULT_CHARSET)
        .Integer("Color", &TFont::Color, &TFont::SetColor, &GraphicsColorIdents())
        .Default(clWindowText)
        .Integer("Height", &TFont::Height, &TFont::SetHeight)
        .String("Name", &TFont::Name, &TFont::SetName)
        .Set("Style", &TFont::Style, &TFont::SetStyle)
        .Default(TFontStyles{});
}

LT_CLASS_TABLE(TPen) {
    c.Integer("Color", &TPen::Color, &TPen::SetColor, &GraphicsColorIdents())
        .Default(clBlack)
        .Enum("Style", &TPen::Style, &TPen::SetStyle)
        .Default(TPenStyle::psSolid)
        .Integer("Width", &TPen::Width, &TPen::SetWidth)
        .Default(1);
}

LT_CLASS_TABLE(TBrush) {
    c.Integer("Color", &TBrush::Color, &TBrush::SetColor, &GraphicsColorIdents())
        .Default(clWhite)
        .Enum("Style", &TBrush::Style, &TBrush::SetStyle)
        .Default(TBrushStyle::bsSolid);
}

// Pictures have no published values of their own: their content is stored by
// the owner (a binary property) and copied whole by Assign.
LT_CLASS_TABLE(TBitmap) {}

LT_CLASS_TABLE(TIcon) {}

LT_CLASS_TABLE(TImageList) {
    c.Integer("Width", &TImageList::Width, &TImageList::SetWidth)
        .Default(16)
        .Integer("Height", &TImageList::Height, &TImageList::SetHeight)
        .Default(16)
        .Boolean("Masked", &TImageList::Masked, &TImageList::SetMasked)
        .Default(true);
}
