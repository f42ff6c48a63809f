// Tab wrappers: TSkinTab repaints the platform tab control's strip of tabs
// from the skin's Tabs element (in all four positions) and draws the Tabs
// border image around the page; TSkinTab31 paints the old-style tab set
// whole. Both hand their scroll arrows to an up-down wrapper. Where things
// go is decided by the pure functions below; the painters only draw.
#pragma once

#include "framework/ui/win32.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/gdi/bitmap.h"
#include "skin/controls/skin_control.h"
#include "skin/draw/skin_draw.h"

// ---- geometry and state choice ----

// Tab positions: 0 top, 1 bottom, 2 left, 3 right.
enum TSkinTabPosition : int { kTabsTop = 0, kTabsBottom = 1, kTabsLeft = 2, kTabsRight = 3 };

// The position from the tab control's window style.
int TabPositionOfStyle(DWORD style);
// The body rectangle P from the control's page rectangle: four pixels
// larger on every side, with the side toward the tabs one pixel in.
RECT TabBodyRect(const RECT& page, int position);
// The strip S between the window's edge (R) and the body (P) on the tabs' side.
RECT TabStripRect(const RECT& window, const RECT& body, int position);
// Size of the strip buffer: the strip as it lies for top and bottom, turned
// for left and right (the strip is composed horizontally, then rotated).
SIZE TabBufferSize(const RECT& strip, int position);
// Where a tab's rectangle T (client coordinates) lies in the strip buffer of
// width bufferWidth.
RECT TabRectInBuffer(const RECT& tab, int position, const RECT& window, const RECT& body,
                     int bufferWidth);
// Frame of the Tabs element for tab `index`: 2 selected, 1 otherwise.
int TabFrame(int index, int selected);
// Where the border parts of a frame fw x fh with margins m go when its
// edges are stretched around a tw x th area (no centre): the eight parts
// that are drawn, margins that do not fit taken as 0, parts with nothing to
// copy left out.
std::vector<RECT> BorderParts(int tw, int th, int fw, int fh, TSkinMargins m);

// One drawn tab of a tab set: index and its left and right edges.
struct TSkinTabSetTab {
    int index;
    int left;
    int right;
};
// The tabs of a tab set that are drawn, from the first visible index: each
// is its text width plus 9 wide and is drawn only when it ends, plus the
// scroller's room (12 more while the scroller shows), before the end margin;
// a tab that does not fit is skipped and the next one tried.
std::vector<TSkinTabSetTab> LayoutSkinTabSet(const std::vector<int>& textWidths, int firstIndex,
                                             int startMargin, int endMargin, int width,
                                             bool scrollerVisible);

// ---- wrappers ----

// The platform's tab control (page controls and tab controls).
class TSkinTab : public TSkinControl {
    LT_CLASS(TSkinTab, TSkinControl)
public:
    explicit TSkinTab(TComponent* owner);

    void AttachWindow(HWND handle, TSkinData* skinData, TWrapperHost* formSkinner,
                      TCanvas* canvas) override;
    void PaintSkin(HDC dc, const RECT& rect) override;
    void SkinChanged() override;

    // Looks for the scroll arrows (an up-down child), gives them their
    // wrapper the first time; answers whether they are visible.
    bool FindUpDown();

    int TabPosition = kTabsTop;
    // Tabs picture and its border picture, 24-bit, oriented for TabPosition.
    TBitmap TabImage;
    TBitmap BorderImage;
    // The strip composed off screen (24-bit).
    TBitmap StripBuffer;
    // The wrapper of the scroll arrows, once found.
    TSkinControl* UpDownWrapper = nullptr;
    // Registered class of the scroll arrows' wrapper.
    std::string UpDownClass = "TSkinUpDown";

protected:
    void Notification(TComponent* c, TOperation op) override;

private:
    // One tab as the strip shows it.
    struct TTabLook {
        RECT Rect{}; // in the strip buffer
        int Frame = 1;
        std::wstring Text;
        int Image = -1;
    };
    void PrepareImages();
    void DrawStrip(HDC dc, const RECT& window, const RECT& body, bool upDownVisible);
    std::vector<TTabLook> ReadTabs(const RECT& window, const RECT& body, int bufferWidth);
    void StripKey(TLookKey& key, SIZE size, HFONT font, const std::vector<TTabLook>& tabs);
    void ComposeStrip(SIZE size, HFONT font, HIMAGELIST list, const std::vector<TTabLook>& tabs);
    void DrawTab(HDC dc, const TTabLook& tab, HIMAGELIST list);
    void DrawBorder(HDC dc, const RECT& body);

    // What StripBuffer was last composed from (empty: compose again).
    TLookKey stripKey_;
    // The page border's top, bottom, left and right bands, kept for the
    // body's size.
    TKeptPicture border_[4];
};

// The old-style tab set, painted whole.
class TSkinTab31 : public TSkinControl {
    LT_CLASS(TSkinTab31, TSkinControl)
public:
    explicit TSkinTab31(TComponent* owner);

    void AttachControl(TWrapperHost* formSkinner, TSkinData* skinData, bool recolour,
                       TCanvas* canvas) override;
    bool BeforeMessage(TMessage& msg) override;
    void PaintSkin(HDC dc, const RECT& rect) override;
    // The new skin's Tabs picture, then a repaint.
    void SkinChanged() override;

    // The Tabs picture flipped upside down (the tabs hang down).
    TBitmap TabImage;
    TSkinControl* UpDownWrapper = nullptr;
    // The tab set's scroller.
    TWinControl* Scroller = nullptr;
    std::string UpDownClass = "TSkinUpDown";

protected:
    void Notification(TComponent* c, TOperation op) override;

private:
    void PrepareImage();
};

// Registers the wrappers above in the class registry.
void RegisterTabSkins();
