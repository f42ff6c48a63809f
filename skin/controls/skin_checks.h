// Check-box and radio-button skins: the control paints its text, focus and
// behaviour natively; after each native paint the wrapper paints the skin's
// mark cell over the small column where the mark is. Which cell and where
// are pure functions of the state, the strip and the window rectangle.
#pragma once

#include "skin/controls/skin_control.h"

#include <cstdint>

// The mark column a check or radio mark is given next to its text.
constexpr int kMarkColumn = 15;

// What the control's properties say about its check state, as the cell it
// selects before the disabled and indeterminate rules: 0 when they say
// nothing (no "State"/"Checked" property, or an identifier that matches
// none), else 1 unchecked, 2 checked, 4 grayed.
int CheckPropertyCell(TObject* control);
// The same for a radio button: only "Checked" counts.
int RadioPropertyCell(TObject* control);

// Cell (1-based) of an n-cell check strip. nativeState: BM_GETSTATE's answer;
// propertyCell: CheckPropertyCell's answer.
int CheckMarkCell(int frameCount, uint32_t nativeState, int propertyCell, bool disabled);
// Cell of an n-cell radio strip. nativeCheck: BM_GETCHECK's answer.
int RadioMarkCell(int frameCount, uint32_t nativeCheck, int propertyCell, bool disabled);

// Where a mark goes in the window rectangle R: the cell's rectangle and the
// column that is filled with the parent's colour under it.
struct TMarkPlace {
    RECT Mark{};
    RECT Background{};
};
// cellWidth x cellHeight: one cell of the strip; leftText: BS_LEFTTEXT (the
// mark on the right).
TMarkPlace CheckMarkPlace(const RECT& r, int cellWidth, int cellHeight, bool leftText);
TMarkPlace RadioMarkPlace(const RECT& r, int cellWidth, int cellHeight, bool leftText);

// Both wrappers repaint the mark after every change the control shows
// (press, release, double click, a new check state, losing the focus),
// give the control's text the skin's colour on its parent's colour, and
// otherwise leave the messages to the base.
class TSkinCheckBox : public TSkinControl {
    LT_CLASS(TSkinCheckBox, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    bool BeforeMessage(TMessage& msg) override;
    void AfterMessage(TMessage& msg) override;
    void PaintSkin(HDC dc, const RECT& rect) override;
};

class TSkinRadioButton : public TSkinControl {
    LT_CLASS(TSkinRadioButton, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    bool BeforeMessage(TMessage& msg) override;
    void AfterMessage(TMessage& msg) override;
    void PaintSkin(HDC dc, const RECT& rect) override;
};

// Registers TSkinCheckBox and TSkinRadioButton by class name.
void RegisterCheckSkins();
