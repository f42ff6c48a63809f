// Check boxes and radio buttons over the platform's button, and the
// self-drawn containers: group box, radio group and panel.
#pragma once

#include <vector>

#include "framework/core/strings.h"
#include "framework/stdctrls/std_buttons.h"

class TCheckBox : public TButtonControl {
    LT_CLASS(TCheckBox, TButtonControl)
public:
    explicit TCheckBox(TComponent* owner);

    // A change of state (by click or by program) fires OnClick.
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState v);
    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
    // Clicks cycle through the grayed state too.
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool v) { allowGrayed_ = v; }
    // taLeftJustify puts the text left of the box; anything else to its right.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void Clicked() override;

private:
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
    TAlignment alignment_ = taRightJustify;
};

// The state a click moves a check box to.
TCheckBoxState NextCheckState(TCheckBoxState s, bool allowGrayed);

class TRadioButton : public TButtonControl {
    LT_CLASS(TRadioButton, TButtonControl)
public:
    explicit TRadioButton(TComponent* owner);

    // Checking one unchecks the other radio buttons of the same parent and
    // fires OnClick; unchecking fires nothing.
    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void Clicked() override { SetChecked(true); }

private:
    bool checked_ = false;
    TAlignment alignment_ = taRightJustify;
};

// Geometry of a group box whose caption is `textHeight` high: the frame,
// the caption's place and the area left for the children.
RECT GroupBoxFrameRect(SIZE client, int textHeight);
RECT GroupBoxContentRect(SIZE client, int textHeight);

// A framed container with its caption in the top edge.
class TCustomGroupBox : public TCustomControl {
    LT_CLASS(TCustomGroupBox, TCustomControl)
public:
    explicit TCustomGroupBox(TComponent* owner);
    // Height of the caption in the control's font.
    int CaptionHeight();

protected:
    void AlignControls(RECT& rect) override;
    void Paint() override;
};

class TGroupBox : public TCustomGroupBox {
    LT_CLASS(TGroupBox, TCustomGroupBox)
public:
    explicit TGroupBox(TComponent* owner) : TCustomGroupBox(owner) {}
};

// Where button `index` of a radio group goes (rows fill each column first).
RECT RadioGroupButtonRect(SIZE size, int textHeight, int count, int columns, int index);

// A group box of radio buttons, one per line of Items; its buttons are child
// controls it owns. A click on one sets ItemIndex and fires OnClick.
class TRadioGroup : public TCustomGroupBox {
    LT_CLASS(TRadioGroup, TCustomGroupBox)
public:
    explicit TRadioGroup(TComponent* owner);

    const TStringList& Items() const { return items_; }
    void SetItems(const TStringList& items);
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int v);
    int Columns() const { return columns_; }
    void SetColumns(int v);
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TRadioButton* Buttons(int i) const { return buttons_.at(i); }

protected:
    void Loaded() override;
    void AlignControls(RECT& rect) override;

private:
    void UpdateButtons();
    void ButtonClicked(int index);

    TStringList items_;
    std::vector<TRadioButton*> buttons_;
    int itemIndex_ = -1;
    int columns_ = 1;
};

// The area a panel leaves for children and caption: inside the outer bevel,
// the border and the inner bevel.
RECT PanelContentRect(RECT client, TBevelCut outer, TBevelCut inner, int bevelWidth,
                      int borderWidth);

class TPanel : public TCustomControl {
    LT_CLASS(TPanel, TCustomControl)
public:
    explicit TPanel(TComponent* owner);

    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut v);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut v);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int v);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);

protected:
    void AlignControls(RECT& rect) override;
    void Paint() override;

private:
    void Changed();

    TBevelCut bevelInner_ = bvNone;
    TBevelCut bevelOuter_ = bvRaised;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TAlignment alignment_ = taCenter;
};
