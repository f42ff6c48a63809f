// TFont: a logical font described by name, height, character set, colour and
// style; the HFONT is made on first use and remade after any change.
#pragma once

#include "framework/gdi/color.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/gdi/graphics_object.h"

#include <string>

#include "framework/core/set.h"

LT_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut);
using TFontStyles = TSet<TFontStyle>;

class TFont : public TGraphicsObject {
    LT_CLASS(TFont, TGraphicsObject)
public:
    TFont();

    const std::wstring& Name() const { return name_; }
    void SetName(const std::wstring& name);
    // Height in pixels: negative = character height, positive = cell height.
    int Height() const { return height_; }
    void SetHeight(int height);
    // Size in points at the screen's resolution.
    int Size() const;
    void SetSize(int points);
    int Charset() const { return charset_; }
    void SetCharset(int charset);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);

    // Copies every property (one change notification).
    void Assign(const TFont& other);
    void Assign(const TPersistent& source) override;
    // Takes name, height, charset and style from a logical font (for fonts
    // obtained with WM_GETFONT).
    void AssignLogFont(const LOGFONTW& lf);
    // Takes the description of an existing font handle.
    void AssignHandle(HFONT font);
    LOGFONTW LogFont() const;

    // The font handle, created on demand; owned by this object.
    HFONT Handle();

protected:
    void FreeHandle() override { handle_.Reset(); }

private:
    std::wstring name_;
    int height_;
    int charset_;
    TColor color_;
    TFontStyles style_{};
    TFontHandle handle_;
};
