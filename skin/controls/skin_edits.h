// Edit and up-down skins. TSkinEdit repaints an edit's two-pixel border in
// skin colours after the edit's own paint (and into the DC of WM_PRINT) and
// gives a spin child found inside the edit its own up-down wrapper.
// TSkinUpDown paints up-down (spin) buttons whole, from the UpDown.Vert /
// UpDown.Horz pictures or in a plain drawn look. Which button, which state
// and which cell are pure functions below; the painters only draw.
#pragma once

#include "framework/ui/win32.h"

#include <string>
#include <vector>

#include "skin/controls/skin_control.h"

// ---- geometry and state choice ----

// Arrows of the up-down buttons.
enum TUpDownArrow : int { kArrowUp = 0, kArrowDown = 1, kArrowLeft = 2, kArrowRight = 3 };
// Button states: normal, pressed, disabled.
enum TUpDownState : int { kSpinNormal = 1, kSpinPressed = 2, kSpinDisabled = 3 };

// One of the two buttons: its rectangle (client coordinates), arrow, state.
struct TUpDownButton {
    RECT Rect{};
    int Arrow = kArrowUp;
    int State = kSpinNormal;
};
struct TUpDownLayout {
    TUpDownButton First;
    TUpDownButton Second;
    bool Horizontal = false;
};
// The two buttons in the client rectangle C (shrunk by 1 when `inset`),
// side by side when `horizontal`, else stacked; the one whose half holds
// the cursor (one coordinate only) shows pressed while `pressed`; both are
// disabled when not `enabled`.
TUpDownLayout UpDownLayout(const RECT& client, bool inset, bool horizontal, POINT cursor,
                           bool pressed, bool enabled);

// Cell (1-based) of the 8-cell UpDown strip for a state and an arrow: up and
// left 1-4, down and right 5-8.
int UpDownCell(int state, int arrow);

// The arrow of the plain look as line segments (from, to; the end point is
// not drawn, as LineTo does): solid 9 x 4 wedges for up and down, 3 x 5
// outline triangles for left and right, centred in Q.
struct TLineSegment {
    POINT From;
    POINT To;
};
std::vector<TLineSegment> UpDownArrowLines(const RECT& q, int arrow);

// Whether a window class names a spin control ("msctls_updown32", or any
// class with "spin" or "updown" in it, case-insensitive).
bool IsSpinClass(const std::string& className);

// ---- wrappers ----

class TSkinUpDown;

class TSkinEdit : public TSkinControl {
    LT_CLASS(TSkinEdit, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    void AfterMessage(TMessage& msg) override;
    void PaintSkin(HDC dc, const RECT& rect) override;

    // The wrapper of a spin child, once found.
    TSkinUpDown* UpDownWrapper = nullptr;

protected:
    void Notification(TComponent* c, TOperation op) override;

private:
    void AdoptSpinChild();
    void PrintBorder(HDC dc);
};

class TSkinUpDown : public TSkinControl {
    LT_CLASS(TSkinUpDown, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    bool BeforeMessage(TMessage& msg) override;
    void PaintSkin(HDC dc, const RECT& rect) override;

    // Draw one pixel inside the client rectangle (a spin inside an edit).
    bool Inset = false;
    // Lay the two buttons side by side (published: written by name).
    bool Horizontal = false;

private:
    void DrawButton(HDC dc, const TUpDownButton& b, bool horizontal);
    void DrawPlainButton(HDC dc, const TUpDownButton& b);
};

// Registers TSkinEdit and TSkinUpDown by class name.
void RegisterEditSkins();
