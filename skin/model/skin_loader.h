// The skin-object loader: fills a TSkinData's model from the skin's INI
// description and the bitmaps of its archive, in a fixed order of steps.
#pragma once

#include <memory>
#include <string>

#include "framework/core/strings.h"
#include "framework/gdi/bitmap.h"
#include "framework/gdi/color.h"

class TQuickIni;
class TSkinReader;
class TSkinData;
class TDataSkinObject;
class TDataSkinBorder;
class TDataSkinBoxLabel;

// Colour string ("R G B", any non-digit separators) to 0x00BBGGRR; def for
// an empty text. A third number only counts when a separator follows it
// unless exactly two numbers came before; numbers past the third are ignored.
TColor ParseColour(const std::string& text, TColor def);

// Loads the archive file named by value (its part after the last "\" or ":")
// into target. Only names ending exactly in ".bmp" are read; anything else,
// a missing file or a picture that does not decode leaves target empty.
void LoadPicture(TBitmap& target, const TSkinReader& reader, const std::string& value);

class TSkinLoader {
public:
    TSkinLoader(TSkinData& data, const TQuickIni& ini, const TSkinReader& reader);
    // Runs every step; the component marks itself loaded afterwards.
    void BuildSkin();

private:
    void LoadBorders();
    void LoadColours();
    void LoadCaptionButtons();
    void FilterCaptionSections(TStringList& sections) const;
    void CutMdiButtons();
    void LoadButtons();
    void LoadTitle();
    void LoadProgress();
    void LoadMenuBar();
    void LoadPlainObjects();
    void SetFrameCounts();
    void BuildComboComposite();
    void MakeFaceBrush();

    std::unique_ptr<TDataSkinObject> LoadPlain(const std::string& section);
    std::unique_ptr<TDataSkinBorder> LoadTwoPicture(const std::string& section,
                                                    const std::string& secondKey);
    std::unique_ptr<TDataSkinBoxLabel> LoadBoxLabel(const std::string& section);
    void ReadCommon(TDataSkinObject& obj, const std::string& section, bool withStyle);
    void Picture(TBitmap& target, const std::string& section, const std::string& key);
    TColor Colour(const std::string& section, const std::string& key, TColor def) const;

    TSkinData& data_;
    const TQuickIni& ini_;
    const TSkinReader& reader_;
    TStringList sections_;
};
