// Tool bar with tool buttons over the platform's tool bar, and a scroll box:
// a container whose scroll ranges follow its children.
#pragma once

#include <vector>

#include "framework/core/set.h"
#include "framework/gdi/image_list.h"
#include "framework/ui/graphic_control.h"

class TToolBar;
class TMenuItem;
class TMainMenu;
class TPopupMenu;
class TScrollBox;

LT_ENUM(TToolButtonStyle, tbsButton, tbsCheck, tbsDropDown, tbsSeparator)
LT_ENUM(TCustomDrawStateItem, cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused,
        cdsDefault, cdsHot, cdsMarked, cdsIndeterminate)
using TCustomDrawState = TSet<TCustomDrawStateItem>;

// The drawing state of a custom-drawn item from its CDIS_* bits.
TCustomDrawState CustomDrawState(UINT itemState);

// One button of a tool bar. It has no window: the tool bar shows it, and its
// bounds follow the button's place there.
class TToolButton : public TGraphicControl {
    LT_CLASS(TToolButton, TGraphicControl)
public:
    explicit TToolButton(TComponent* owner);
    ~TToolButton() override;

    TToolBar* ToolBar() const { return toolBar_; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle v);
    // Checked state of a check button.
    bool Down() const { return down_; }
    void SetDown(bool v);
    // A menu item clicked in the button's place, and a menu dropped below it.
    TMenuItem* MenuItem() const { return menuItem_; }
    void SetMenuItem(TMenuItem* item);
    TPopupMenu* DropdownMenu() const { return dropdownMenu_; }
    void SetDropdownMenu(TPopupMenu* menu);
    int CommandId() const { return commandId_; }
    void SetParent(TWinControl* parent) override;
    void Click() override;

protected:
    void TextChanged() override;
    void Notification(TComponent* c, TOperation op) override;

private:
    friend class TToolBar;
    TToolBar* toolBar_ = nullptr;
    int imageIndex_ = -1;
    int commandId_ = 0;
    TToolButtonStyle style_ = tbsButton;
    bool down_ = false;
    TMenuItem* menuItem_ = nullptr;
    TPopupMenu* dropdownMenu_ = nullptr;
};

using TTBCustomDrawBtnEvent =
    TEvent<void(TToolBar* sender, TToolButton* button, TCustomDrawState state, bool& defaultDraw)>;

class TToolBar : public TWinControl {
    LT_CLASS(TToolBar, TWinControl)
public:
    explicit TToolBar(TComponent* owner);
    ~TToolBar() override;

    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TToolButton* Buttons(int i) const { return buttons_.at(i); }
    bool Flat() const { return flat_; }
    void SetFlat(bool v);
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool v);
    // Not owned; the list must outlive the tool bar's window.
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);
    // Bound to the button's DC while OnCustomDrawButton runs.
    TCanvas& Canvas() { return canvas_; }
    // Sends the buttons to the control again and updates their bounds.
    void UpdateButtons();

    TTBCustomDrawBtnEvent OnCustomDrawButton;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void WndProc(TMessage& msg) override;
    void Notification(TComponent* c, TOperation op) override;

private:
    friend class TToolButton;
    void InsertButton(TToolButton* button);
    void RemoveButton(TToolButton* button);
    TToolButton* FindButton(int commandId) const;
    LRESULT CustomDraw(NMTBCUSTOMDRAW& draw);
    void ButtonClicked(TToolButton* button);
    void DropDown(TToolButton* button);

    std::vector<TToolButton*> buttons_;
    bool flat_ = false;
    bool showCaptions_ = false;
    TImageList* images_ = nullptr;
    TMainMenu* menu_ = nullptr;
    int nextCommand_ = 1;
    TCanvas canvas_;
};

// One scroll bar of a scroll box: where the view is and how far it can go.
class TControlScrollBar : public TPersistent {
    LT_CLASS(TControlScrollBar, TPersistent)
public:
    TControlScrollBar() = default;
    TControlScrollBar(TScrollBox* box, int bar) : box_(box), bar_(bar) {}
    int Position() const { return position_; }
    void SetPosition(int v);
    // The extent of the children along the bar (content size), measured now.
    int Range() const;
    int Increment() const { return increment_; }
    void SetIncrement(int v) { increment_ = v; }

private:
    friend class TScrollBox;
    TScrollBox* box_ = nullptr;
    int bar_ = SB_HORZ;
    int position_ = 0;
    int range_ = 0;
    int increment_ = 8;
};

// The furthest position of a scroll bar for a content range and view size.
int MaxScrollPosition(int range, int page);

class TScrollBox : public TWinControl {
    LT_CLASS(TScrollBox, TWinControl)
public:
    explicit TScrollBox(TComponent* owner);

    TControlScrollBar& HorzScrollBar() { return horz_; }
    TControlScrollBar& VertScrollBar() { return vert_; }
    // Moves the view so that the bar's position becomes `pos` (clamped).
    void ScrollTo(TControlScrollBar& bar, int pos);
    // Recomputes the ranges from the children and shows the bars that are needed.
    void UpdateScrollBars();
    // The far edge of the furthest visible child along a bar, from the content's origin.
    int ContentExtent(const TControlScrollBar& bar) const;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void AlignControls(RECT& rect) override;
    void WndProc(TMessage& msg) override;

private:
    void ScrollMessage(TControlScrollBar& bar, WORD code);

    TControlScrollBar horz_{this, SB_HORZ};
    TControlScrollBar vert_{this, SB_VERT};
    bool updating_ = false;
};
