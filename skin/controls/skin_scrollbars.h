// Scroll-bar skins. A small window of the engine's own, TWScrollbar, lies
// exactly over a scroll bar and paints the skin's arrows, track and thumb;
// every press on it is handed to the real scroll bar underneath, so
// scrolling, auto-repeat, thumb tracking and the scroll notifications stay
// the platform's own. The wrappers own the overlays: TSkinScrollbar (a
// framework control's built-in bars), TSkinListView (the same plus the
// column header), TSkinScrollbarH (a raw window's bars) and TSkinScControl
// (a scroll-bar control). Where things go is decided by the pure functions
// below; the painter only draws.
#pragma once

#include "framework/ui/win32.h"

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/ui/graphic_control.h"
#include "skin/controls/skin_control.h"

class TSkinHeader;

// ---- geometry and state choice ----

// What the overlay needs of a scroll bar: its rectangle (screen), the thumb
// extent along the axis (bar coordinates) and the STATE_SYSTEM_* flags.
struct TScrollBarFacts {
    RECT Bar{};
    int ThumbTop = 0;
    int ThumbBottom = 0;
    DWORD State = 0;
};

// Position, maximum and page size of a scroll-bar control.
struct TScrollRange {
    int Position = 0;
    int Max = 0;
    int Page = 0;
};

// The facts of a scroll-bar control computed from its range: `bar` is its
// client rectangle on the screen, `arrow` the arrow size. A maximum of 0 or
// less puts the thumb at the first arrow (the whole track with a page, one
// arrow long without). Always visible and enabled.
TScrollBarFacts ControlScrollFacts(const RECT& bar, bool vertical, int arrow,
                                   const TScrollRange& range);

// Scroll parts a press can hit (the scroll codes they lead to).
enum TScrollPart : int {
    spFirstArrow = 0,  // SB_LINEUP
    spSecondArrow = 1, // SB_LINEDOWN
    spPageFirst = 2,   // SB_PAGEUP
    spPageSecond = 3,  // SB_PAGEDOWN
    spThumb = 5,       // SB_THUMBTRACK
};

// The part at position p along the axis of a bar `length` long.
TScrollPart ScrollPartAt(int p, int arrow, int thumbStart, int thumbEnd, int length);

// A thumb extent along the axis.
struct TThumbSpan {
    int Start = 0;
    int End = 0;
};

// The thumb while it is dragged: moved by the cursor's travel from where
// the press found it, kept between the arrows, its length unchanged.
TThumbSpan DraggedThumb(int dragThumb, int cursorTravel, int arrow, int length, TThumbSpan old);

// Arrow cells of the Scrollbar strip (23 cells): the first or second arrow
// of a horizontal or vertical bar, normal or pressed.
int ScrollArrowCell(bool vertical, bool second, bool pressed);

// Everything the overlay paints, for a bar `width` x `height` at the origin.
struct TScrollLayout {
    int Thickness = 0;
    RECT Track{};
    int TrackFrame = 1;
    RECT FirstArrow{};
    RECT SecondArrow{};
    int FirstCell = 0;
    int SecondCell = 0;
    bool ThumbShown = false;
    RECT Thumb{};
    int ThumbFrame = 1;
};

// What the layout depends on besides the bar's size.
struct TScrollPaintState {
    bool Vertical = false;
    int ArrowSize = 0;
    // Height of the Scrollbar strip's bitmap.
    int StripHeight = 0;
    bool Enabled = true;
    bool Tracking = false;
    int ScrollCode = 0;
    TThumbSpan Thumb;
};

// Thickness across the axis: the strip's height, or the arrow size when the
// strip is more than three pixels thinner than that.
int ScrollThickness(int stripHeight, int arrowSize);
TScrollLayout ScrollBarLayout(int width, int height, const TScrollPaintState& s);

// What an overlay must repaint when it shows a new look: the whole w x h
// bar when anything but the thumb's place changed (sameBase false); else
// the thumb's old and new rectangles when it moved (an empty rectangle: no
// thumb drawn), nothing when it did not.
std::vector<RECT> OverlayChangedParts(bool sameBase, const RECT& oldThumb, const RECT& newThumb,
                                      int w, int h);

// The corner between a vertical and a horizontal bar (their rectangles in
// the target's client coordinates), as the wrappers fill it.
RECT ScrollCornerRect(const RECT& vertBar, const RECT& horzBar);

// ---- the overlay window ----

// Kinds of overlay.
enum class TScrollKind : uint8_t { Horizontal = 0, Vertical = 1, Control = 2 };

// The window laid over one scroll bar: a sibling of the target, directly
// above it in Z order; paints off screen in one copy and never erases.
class TWScrollbar : public TCustomControl {
    LT_CLASS(TWScrollbar, TCustomControl)
public:
    // owner: the wrapper (its SkinData is used for painting).
    explicit TWScrollbar(TComponent* owner);
    ~TWScrollbar() override;

    // Covers a bar of a framework control (Kind 2: the scroll-bar control).
    void BindControl(TSkinControl* wrapper, TWinControl* control, TScrollKind kind);
    // Covers a bar of a raw window.
    void BindWindow(TSkinControl* wrapper, HWND handle, TScrollKind kind);
    void HideBar();
    // Places and shows the overlay over the bar, or hides it.
    void Reposition();
    // The part at a point of the overlay.
    TScrollPart PartAt(POINT p) const;
    // Repaints (no erase).
    void InvalidateBar();
    // Repaints what changed since the overlay last painted itself.
    void Refresh();
    // Frees the kept composition (a skin change) and repaints.
    void ForgetKept();
    // Paints the overlay into dc (at the origin).
    void PaintBar(HDC dc);
    // The bar's facts now (false when the platform cannot report them).
    bool ReadFacts(TScrollBarFacts& facts) const;

    int Length = 0;
    int ThumbStart = 0;
    int ThumbEnd = 0;
    POINT ScreenOrigin{};
    POINT DragCursor{};
    int DragThumb = 0;
    bool Tracking = false;
    bool Vertical = false;
    int ArrowSize = 0;
    HWND Target = nullptr;
    TWinControl* TargetControl = nullptr;
    TSkinControl* Wrapper = nullptr;
    TScrollKind Kind = TScrollKind::Horizontal;
    RECT TargetRect{};
    int ScrollCode = 0;
    bool Shown = false;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& msg) override;

private:
    // What the overlay shows: everything but the thumb's place in Base, the
    // thumb's rectangle apart (empty when none is drawn).
    struct TOverlayLook {
        TLookKey Base;
        RECT Thumb{};
        int Width = 0;
        int Height = 0;
        TScrollLayout Layout;
    };
    bool ReadLook(TOverlayLook& look, bool painting);
    bool PaintLook(HDC dc, TOverlayLook& look);
    void Bind(TSkinControl* wrapper, HWND handle, TScrollKind kind);
    void Press(TMessage& msg);
    void Release(TMessage& msg);
    void Forward(bool press, LPARAM at);
    void PaintMessage(TMessage& msg);
    void PlaceOverTarget(const RECT& bar);
    // The press point (overlay coordinates) as the forwarded message wants it.
    POINT ForwardPoint(const TMessage& msg) const;
    TThumbSpan PaintedThumb(const TScrollBarFacts& facts);
    void DrawLayout(HDC dc, const TScrollLayout& l);

    HWND parentWindow_ = nullptr;
    // The bar composed from its last look, and what the screen shows.
    TKeptPicture kept_;
    TOverlayLook onScreen_;
    // Cleared by the destructor: a press checks it after the tracking loop.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// ---- wrappers ----

// The built-in scroll bars of a framework control (memo, list box, tree ...):
// one overlay per bar and the face-coloured corner between them.
class TSkinScrollbar : public TSkinControl {
    LT_CLASS(TSkinScrollbar, TSkinControl)
public:
    explicit TSkinScrollbar(TComponent* owner);
    ~TSkinScrollbar() override;

    void AttachScrollBars(TWinControl* control, TSkinData* skinData, TWrapperHost* formSkinner,
                          TCanvas* canvas) override;
    void RestoreControl() override;
    void AfterMessage(TMessage& msg) override;
    void PaintSkin(HDC dc, const RECT& rect) override;
    // The overlays follow the new skin (hidden when it has no arrows).
    void SkinChanged() override;

    TWScrollbar* HorzBar = nullptr;
    TWScrollbar* VertBar = nullptr;

protected:
    // Frees both overlays (and clears the references).
    void FreeBars();
    // WM_HSCROLL / WM_VSCROLL: the bar's scroll code and a repaint;
    // answers whether msg was one of them.
    bool ScrollNotified(const TMessage& msg);
    void RepositionBars();
    void InvalidateShown();
};

// A list view's scroll bars and its column header.
class TSkinListView : public TSkinScrollbar {
    LT_CLASS(TSkinListView, TSkinScrollbar)
public:
    using TSkinScrollbar::TSkinScrollbar;
    void AttachScrollBars(TWinControl* control, TSkinData* skinData, TWrapperHost* formSkinner,
                          TCanvas* canvas) override;

    TSkinHeader* HeaderWrapper = nullptr;

protected:
    // Forgets the header wrapper when it is freed (it belongs to the control).
    void Notification(TComponent* c, TOperation op) override;
};

// The scroll bars of a raw window (a combo box's drop-down list).
class TSkinScrollbarH : public TSkinScrollbar {
    LT_CLASS(TSkinScrollbarH, TSkinScrollbar)
public:
    using TSkinScrollbar::TSkinScrollbar;
    void AttachWindow(HWND handle, TSkinData* skinData, TWrapperHost* formSkinner,
                      TCanvas* canvas) override;
    void AfterMessage(TMessage& msg) override;
};

// A scroll-bar control, covered whole by one overlay.
class TSkinScControl : public TSkinControl {
    LT_CLASS(TSkinScControl, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    ~TSkinScControl() override;

    void AttachScrollControl(TWinControl* control, TSkinData* skinData, TWrapperHost* formSkinner,
                             TCanvas* canvas) override;
    void RestoreControl() override;
    void AfterMessage(TMessage& msg) override;
    void PaintSkin(HDC dc, const RECT& rect) override;
    void SkinChanged() override;

    TWScrollbar* Bar = nullptr;
};

// Registers the wrappers above in the class registry.
void RegisterScrollbarSkins();
