// Wrappers of container-like and informational controls: the status bar
// (background, panel bevels, texts, size grip), the group box (rounded frame
// and caption), panels and dialog backgrounds recoloured to the face colour,
// size boxes, column headers, and the custom glyph strip of check boxes.
// Where things go is decided by the pure functions below; the painters only
// draw.
#pragma once

#include "framework/ui/win32.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/gdi/bitmap.h"
#include "framework/ui/control.h"
#include "framework/ui/statusbar.h"
#include "skin/controls/skin_control.h"

// ---- geometry and state choice ----

// StatusBarEdges frame of a panel bevel: 2 raised, 1 lowered, 3 none.
int StatusBevelFrame(TStatusPanelBevel bevel);
// DrawText alignment of a panel's text; a right-to-left panel swaps left
// and right.
UINT StatusTextFormat(TAlignment alignment, TBiDiMode bidiMode);
// A panel's painted rectangle from its SB_GETRECT rectangle: two pixels
// wider, and the last panel reaches the bar's right edge.
RECT StatusPanelRect(const RECT& part, const RECT& bar, bool last);
// Where the size grip (a w x h cell) goes in the bar.
RECT StatusGripRect(const RECT& bar, int cellWidth, int cellHeight);
// Top of a group box's frame for a caption `textHeight` high.
int GroupBoxFrameTop(int textHeight);
// Caption alignment of a header item (0 left, 1 centre, 2 right) from its format.
int HeaderTextAlignment(int format);
// The image a header item shows: its own when the format asks for one, else -1.
int HeaderImageIndex(int format, int image);
// The filler after the last column; empty (right <= left) when the columns
// reach the edge.
RECT HeaderFillerRect(const RECT& bar, int rightMost);
// The check-strip cell (1-based) that goes into slot `slot` (1..9) of a
// custom glyph strip, or 0 when the slot stays empty.
int GlyphSlotCell(int slot, int cellCount);

// ---- wrappers ----

// Paints a status bar in place of its own paint: face-coloured background,
// panel bevels from StatusBarEdges (plain 3-D without it), texts, the size
// grip from ExtraImages; owner-drawn panels are drawn by the application
// over the skin.
class TSkinStatusBar : public TSkinControl {
    LT_CLASS(TSkinStatusBar, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    // WM_PAINT paints the skin without the bar's own paint, which the skin
    // covers whole: into the DC of WParam, or, after the update region is
    // validated, over the whole window.
    bool BeforeMessage(TMessage& msg) override;
    // The bar is composed off screen only when something it shows changed
    // (its size, panels, texts, font, colours or the skin's pictures);
    // otherwise the picture kept from the last composition is copied.
    void PaintSkin(HDC dc, const RECT& rect) override;
    // The kept picture goes with the old skin.
    void SkinChanged() override;

private:
    struct TStatusPanelLook {
        RECT Rect{};
        UINT Format = DT_LEFT;
        int Frame = 3;
        bool HasText = false;
        std::wstring Text;
    };
    struct TStatusBarLook {
        HFONT Font = nullptr;
        COLORREF TextColour = 0;
        bool Simple = false;
        std::wstring SimpleText;
        bool Grip = false;
        std::vector<TStatusPanelLook> Panels;
    };
    std::vector<TStatusPanelLook> ReadPanels(TStatusBar& bar, const RECT& rect);
    TStatusBarLook ReadLook(TStatusBar& bar, std::vector<TStatusPanelLook> panels, TLookKey& key);
    void Compose(const TStatusBarLook& look, const RECT& rect);
    void DrawBevel(HDC dc, const RECT& rect, int frame);
    void DrawGrip(HDC dc, const RECT& rect);
    void DrawOwnerPanels(HDC dc, TStatusBar& bar);
    TFont& TextFont(TStatusBar& bar);

    TFont textFont_;
    LOGFONTW textFontKey_{};
    TKeptPicture kept_;
};

// Redraws a group box's frame as a rounded rectangle in the shadow colour
// with the caption 9 pixels in on a face-coloured background.
class TSkinGroupBox : public TSkinControl {
    LT_CLASS(TSkinGroupBox, TSkinControl)
public:
    // The caption is drawn here in the skin's colour; the control's font,
    // and with it its children's, stays as it is.
    explicit TSkinGroupBox(TComponent* owner) : TSkinControl(owner) { RecoloursText = false; }
    void PaintSkin(HDC dc, const RECT& rect) override;
};

// Only recolours a panel (or another container) to the skin's face colour;
// it does not hook the control's messages.
class TSkinBox : public TSkinControl {
    LT_CLASS(TSkinBox, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    void AttachControl(TWrapperHost* formSkinner, TSkinData* skinData, bool recolour,
                       TCanvas* canvas) override;
    void RestoreControl() override;
    void AfterMessage(TMessage& msg) override;
};

// Erases a dialog's client window with the face colour; its static and
// button children draw their text in the skin's colour on it.
class TSkinBoxH : public TSkinControl {
    LT_CLASS(TSkinBoxH, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    bool BeforeMessage(TMessage& msg) override;
};

// Paints a raw size box in the face colour.
class TSkinSizer : public TSkinControl {
    LT_CLASS(TSkinSizer, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    void PaintSkin(HDC dc, const RECT& rect) override;
};

// Repaints a header control's items from the Headerbar element, with a
// filler after the last column.
class TSkinHeader : public TSkinControl {
    LT_CLASS(TSkinHeader, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    bool BeforeMessage(TMessage& msg) override;
    void PaintSkin(HDC dc, const RECT& rect) override;

private:
    void DrawItem(HDC dc, int index, HIMAGELIST list, int& rightMost);
    void DrawHeaderFrame(HDC dc, const RECT& rect);
};

// Hands a check box that takes a custom glyph strip ("CustomGlyphs") a
// nine-cell strip built from the skin's check cells.
class TSkinObjImage : public TSkinControl {
    LT_CLASS(TSkinObjImage, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    void AttachControl(TWrapperHost* formSkinner, TSkinData* skinData, bool recolour,
                       TCanvas* canvas) override;
    void RestoreControl() override;
    void SkinChanged() override;
    // The mapping switches the glyph mode on before attaching.
    void SetGlyphMode(bool on) override { GlyphMode = on ? 1 : 0; }

    // 1: the wrapper builds the glyph strip and hands it to the control.
    uint8_t GlyphMode = 0;

private:
    void BuildGlyphStrip();
};

// Builds the nine-cell custom glyph strip from an n-cell check strip into
// `strip` (left empty when the check strip is).
void MakeGlyphStrip(TBitmap& checks, int cellCount, TBitmap& strip);

// Registers the wrappers above in the class registry.
void RegisterPanelSkins();
