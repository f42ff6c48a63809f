// Progress-bar and track-bar skins. The progress bar is painted entirely
// from the skin's Progress element, stretched or in chunks; the track bar
// keeps its own drawing and gets only the skin's thumb, through the
// platform's custom-draw notifications. The rectangles and answers are pure
// functions; the painters only draw.
#pragma once

#include "skin/controls/skin_control.h"

#include <commctrl.h>

// The filled part of a stretched bar built lying down in B: B cut to
// width * pos / max (rounded); empty (right = left) when max or pos is 0 or
// less.
RECT ProgressFillRect(const RECT& b, int pos, int max);

// The chunked look's strip of chunks: L pixels wide (width * pos / max,
// rounded; 0 when max or pos is 0 or less), `Copies` chunk images side by
// side from its left edge (one more than fit whole, so the last one is cut
// by the strip's end), drawn with its top-left corner at `Origin`.
struct TChunkStrip {
    int Length = 0;
    int Copies = 0;
    POINT Origin{};
};
// r: the bar's rectangle; chunk: the chunk image's size; leftWidth: the
// element's left margin.
TChunkStrip ProgressChunkStrip(const RECT& r, int pos, int max, SIZE chunk, int leftWidth);

// What a track bar's custom-draw notification is answered with, and whether
// the skin draws the thumb before answering.
struct TTrackCustomDraw {
    LRESULT Answer = CDRF_DODEFAULT;
    bool DrawThumb = false;
};
TTrackCustomDraw TrackBarCustomDraw(DWORD drawStage, DWORD_PTR itemSpec);

class TSkinProgress : public TSkinControl {
    LT_CLASS(TSkinProgress, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    // Replaces the bar's painting and background erase while the skin has a
    // Progress picture.
    bool BeforeMessage(TMessage& msg) override;
    void PaintSkin(HDC dc, const RECT& rect) override;

private:
    bool HasProgressPicture() const;
    void PaintStretched(HDC dc, const RECT& rect);
    void PaintChunked(HDC dc, const RECT& rect);
    // PBM_GETPOS and the upper limit of the range.
    int Position() const;
    int Maximum() const;
};

class TSkinTrackBar : public TSkinControl {
    LT_CLASS(TSkinTrackBar, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    // Answers the custom-draw notifications (direct or reflected) and the
    // background erase; everything else is the base's.
    bool BeforeMessage(TMessage& msg) override;
    // Gives a visible control the focus (the base's recolouring is not wanted).
    void SkinChanged() override;

private:
    // Cell 2 of the skin's thumb strip stretched over the thumb, or an
    // outlined rectangle when the skin has no thumb.
    void DrawThumb(HDC dc);
};

// Registers TSkinProgress and TSkinTrackBar by class name.
void RegisterBarSkins();
