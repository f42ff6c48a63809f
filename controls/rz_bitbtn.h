// TRzBitBtn: a TRzButton with a glyph of up to four images (enabled,
// disabled, down, exclusive), its layout, margin and spacing, stock kinds
// and image lists.
#pragma once

#include "controls/rz_button.h"
#include "framework/gdi/bitmap.h"

#include <memory>

#include "framework/gdi/image_list.h"

class TRzBitBtn : public TRzButton {
    LT_CLASS(TRzBitBtn, TRzButton)
public:
    explicit TRzBitBtn(TComponent* owner);
    ~TRzBitBtn() override;

    // The owned glyph bitmap; assigning marks it modified by the user.
    TBitmap& Glyph() { return *glyph_; }
    void SetGlyph(const TBitmap& glyph);
    // Loads the glyph from BMP file bytes (the form's "GlyphData").
    void SetGlyphBytes(const uint8_t* data, size_t size);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int v);
    TBitBtnKind Kind();
    void SetKind(TBitBtnKind v);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout v) { Store(layout_, v); }
    int Margin() const { return margin_; }
    void SetMargin(int v) { Store(margin_, v); }
    int Spacing() const { return spacing_; }
    void SetSpacing(int v) { Store(spacing_, v); }
    // An image list held elsewhere (cleared when that list is freed).
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* v);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v) { Store(imageIndex_, v); }
    int DisabledIndex() const { return disabledIndex_; }
    void SetDisabledIndex(int v) { Store(disabledIndex_, v); }

    // Layout results, client coordinates (for painting and tests).
    SIZE GlyphSize();
    RECT GlyphRect();
    RECT TextRect();
    // Index of the image shown in the current state.
    int GlyphIndex() const;

protected:
    void PaintContent(TCanvas& c) override;
    void DefineProperties(TFiler& filer) override;
    void Notification(TComponent* c, TOperation op) override;

private:
    bool UsesImageList() const;
    int MeasureText();
    void GlyphChanged();
    void DrawGlyph(TCanvas& c, const RECT& r);

    std::unique_ptr<TBitmap> glyph_;
    int numGlyphs_ = 1;
    TBitBtnKind kind_ = bkCustom;
    bool glyphModified_ = false;
    bool settingKind_ = false;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = 2;
    int spacing_ = 4;
    TImageList* images_ = nullptr;
    int imageIndex_ = -1;
    int disabledIndex_ = -1;
};

// Registers the label and button classes for form definitions.
void RegisterRzControls();
