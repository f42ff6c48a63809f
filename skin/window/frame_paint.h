// The drawing side of the form skinner, as functions of plain inputs: how
// thick the skinned frame is, where each border part lies, where the title
// text goes, how a border part and the title text are drawn, how the window
// region is cut from the borders' transparent pixels, and how a skinned tool
// bar button is drawn. The form skinner (form_skinner.h) calls them with its
// own state; tests call them without a window.
#pragma once

#include "framework/ui/win32.h"

#include <memory>
#include <string>

#include "framework/gdi/bitmap.h"
#include "framework/gdi/canvas.h"
#include "framework/gdi/gdi_handles.h"

class TSkinData;
class TDataSkinObject;

// Frame thickness in pixels.
struct TFrameMetrics {
    int Left = 0;
    int Title = 0;
    int Right = 0;
    int Bottom = 0;
};

// Border kinds of a skinned window.
constexpr int kBorderSizeable = 0;
constexpr int kBorderSingle = 1;
constexpr int kBorderNone = 2;
constexpr int kBorderDialog = 3;

// Border parts, numbered as the painters number them.
enum class TBorderPart : int { Left = 1, Right = 2, Top = 3, Bottom = 4 };

// Thickness from the border pictures: title = TopBorder height div its frame
// count (top and bottom frames stacked), left/right = width div frame count
// (side by side), bottom = BottomBorder height div frame count. All zero for
// kBorderNone. A missing border object or empty picture gives 0; a frame count
// below 1 counts as 1.
TFrameMetrics ComputeFrameMetrics(const TSkinData& skin, int borderKind);

// The part's rectangle in a width x height window (window coordinates):
// left (0,0,L,H), right (W-R,0,W,H), bottom (L,H-B,W-R,H), top (L,0,W-R,T).
RECT BorderPartRect(TBorderPart part, const TFrameMetrics& m, int width, int height);

// Frame of a border to draw: 1 when active or the border has one frame, else 2.
int BorderFrameIndex(const TDataSkinObject& border, bool active);

// The part drawn by the nine-part rule into a new bitmap of the rectangle's
// size (stacked frames for top and bottom, side by side for left and right,
// tiled unless the border's Stretch is 1); null when the rectangle has no area,
// its right or bottom is negative, or the border has no picture.
std::unique_ptr<TBitmap> RenderBorderPart(TBorderPart part, const RECT& rect, TSkinData& skin,
                                          bool active);
// The same part copied opaquely to the DC at the rectangle.
void DrawBorderPart(HDC dc, TBorderPart part, const RECT& rect, TSkinData& skin, bool active);

// Inputs of the title-text placement.
struct TTitleTextLayout {
    RECT Strip{};          // the top-border rectangle R
    SIZE Extent{};         // DrawText DT_CALCRECT|DT_NOCLIP extent of the text
    int Alignment = 0;     // 0 left (TextShift), 1 centred, 2 right
    int TextShift = 0;     // the Title object's LeftWidth slot
    int TextShiftVert = 0; // its TopHeight slot
    int TextRightClip = 0; // its RightWidth slot
    int BackLeft = 0;      // TXTBackleft
    int BackRight = 0;     // TXTBackRight
    bool RightToLeft = false;
    bool PopupStyle = false;   // InitialStyle has WS_POPUP
    int TextClipX = 0;         // left edge of the right-most right-aligned caption button
    bool DialogBorder = false; // BorderKind 3
};
// The title text rectangle T (text background included), after extent,
// horizontal and vertical shift, right clip and the dialog's 16-pixel move.
RECT LayoutTitleText(const TTitleTextLayout& in);

// Draws the title text into the strip (the caption font, transparent
// background, active/inactive colour, text background bar, single line with
// end ellipsis, right-aligned for a right-to-left window) and answers the
// text rectangle T (before the background caps are taken off).
RECT DrawTitleText(HDC dc, const RECT& strip, const std::wstring& text, HFONT font, TSkinData& skin,
                   bool active, bool rightToLeft, bool popupStyle, bool dialogBorder,
                   int textClipX);

// Client rectangle of a window placed at `window` (screen or parent
// coordinates): inside the frame and the menu strip.
RECT SkinnedClientRect(const RECT& window, const TFrameMetrics& m, int menuHeight);

// Hit-test answer of a skinned window: `previous` is the platform's answer and
// `windowPoint` the point in window coordinates as the form skinner converts
// it. HTNOWHERE and HTCAPTION become HTCAPTION below y = 3 (y > 3) and HTMENU
// below the title (y > titleHeight); other answers stay.
LRESULT AdjustHitTest(LRESULT previous, POINT windowPoint, int titleHeight);

// Whether any of the four borders is drawn with transparency.
bool AnyBorderTransparent(const TSkinData& skin);

// Inputs of the region.
struct TFrameRegionInput {
    int Width = 0;
    int Height = 0;
    TFrameMetrics Metrics;
    int BorderKind = kBorderSingle;
    bool Active = true;
    // The last painted title bar (Width x Title), or null/empty: then the top
    // border is drawn for the region.
    TBitmap* TitleCache = nullptr;
};
// The window region: with a transparent border, the client part united with
// the four parts (each from its non-magenta pixels when that border is
// transparent and big enough, else its plain rectangle); otherwise the whole
// window rectangle. Null only when the window has no area.
TRegionHandle BuildFrameRegion(TSkinData& skin, const TFrameRegionInput& in);

// Custom-draw state bits of a tool-bar button (what the tool bar reports).
constexpr unsigned kToolHot = 0x01;
constexpr unsigned kToolSelected = 0x02;
constexpr unsigned kToolFocused = 0x04;
constexpr unsigned kToolDefault = 0x08;
constexpr unsigned kToolGrayed = 0x10;
constexpr unsigned kToolDisabled = 0x20;
// Frame of the skin's Buttons picture for a tool-bar button in that state:
// 2 selected; 4 focused or hot; 1 default and neither grayed nor disabled;
// 0 nothing to draw.
int ToolButtonFrame(unsigned state);
// Draws a skinned tool-bar button: frame ToolButtonFrame(state) of the 5
// frames of the Buttons picture, by the nine-part rule, magenta transparent
// when Trans is set, into `bounds` inset by 1; sets the canvas font colour to
// the Buttons object's state colour when the skin gave it. Answers whether it
// drew.
bool DrawSkinToolButton(TCanvas& canvas, const RECT& bounds, unsigned state, TSkinData& skin);
