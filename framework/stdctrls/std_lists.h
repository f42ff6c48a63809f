// Lists over the platform's controls: TListBox ("LISTBOX", optionally drawn
// by its owner), TComboBox ("COMBOBOX") and TScrollBar ("SCROLLBAR").
#pragma once

#include <memory>

#include "framework/core/set.h"
#include "framework/core/strings.h"
#include "framework/gdi/canvas.h"
#include "framework/stdctrls/std_common.h"
#include "framework/stdctrls/std_types.h"
#include "framework/ui/owner_draw.h"
#include "framework/ui/wincontrol.h"

using TDrawItemEvent =
    TEvent<void(TWinControl* control, int index, const RECT& rect, TOwnerDrawState state)>;
using TMeasureItemEvent = TEvent<void(TWinControl* control, int index, int& height)>;

// Lines and selection of a platform list, and OnClick from its selection
// notification only.
class TCustomListControl : public TWinControl {
    LT_CLASS(TCustomListControl, TWinControl)
public:
    TCustomListControl(TComponent* owner, const TListMessages& msgs);

    // The lines shown (ANSI); changes go to the window at once.
    const TStringList& Items() const { return items_.Lines(); }
    void SetItems(const TStringList& v) { items_.Assign(Window(), v); }
    int AddItem(const std::wstring& text) { return items_.Add(Window(), text); }
    void ClearItems() { items_.Clear(Window()); }
    // The selected line, or -1.
    int ItemIndex() const { return items_.Index(Window()); }
    virtual void SetItemIndex(int v) { items_.SetIndex(Window(), v); }
    void Click() override;

protected:
    void WndProc(TMessage& msg) override;
    // Fires Click() as the platform list's selection notification.
    void NotifyClick();
    HWND Window() const { return HandleAllocated() ? Handle() : nullptr; }

    TWindowItems items_;

private:
    TNotifyClick click_;
};

class TListBox : public TCustomListControl {
    LT_CLASS(TListBox, TCustomListControl)
public:
    explicit TListBox(TComponent* owner);
    ~TListBox() override;

    TListBoxStyle Style() const { return style_; }
    void SetStyle(TListBoxStyle v);
    // Height of the lines of an owner-drawn list (variable ones start from it).
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int v);
    // Bound to the item's DC while OnDrawItem runs.
    TCanvas& Canvas() { return *canvas_; }

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void WndProc(TMessage& msg) override;
    // Paints one item of an owner-drawn list: OnDrawItem, or the text.
    virtual void DrawItem(int index, const RECT& rect, TOwnerDrawState state);

private:
    void DrawItemMessage(const DRAWITEMSTRUCT& dis);

    std::unique_ptr<TCanvas> canvas_;
    TListBoxStyle style_ = lbStandard;
    int itemHeight_ = 16;
};

class TComboBox : public TCustomListControl {
    LT_CLASS(TComboBox, TCustomListControl)
public:
    explicit TComboBox(TComponent* owner);

    // Choosing a line by program shows its text (no change event).
    void SetItemIndex(int v) override;
    // Typed or chosen text (a drop-down list shows only chosen text).
    const std::wstring& Text() const { return Caption(); }
    void SetText(const std::wstring& v) { SetCaption(v); }
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle v);
    // Lines the dropped-down list shows before it scrolls.
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int v);
    // Whether the list is dropped down now.
    bool DroppedDown() const;
    void SetDroppedDown(bool v);

    // Fires when the text changes by typing or by choosing a line.
    TNotifyEvent OnChange;
    void SetBounds(int left, int top, int width, int height) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void WndProc(TMessage& msg) override;
    virtual void Change();

private:
    // Height of the dropped-down list below the closed box.
    int ListHeight() const;
    void SyncCaption(const std::wstring& text);
    // The caption shows line `index` when there is one.
    void ShowLine(int index);

    TComboBoxStyle style_ = csDropDown;
    int dropDownCount_ = 8;
    bool syncing_ = false;
};

// The position a scroll request leads to: line and page steps, thumb
// positions and the ends, held to min..max (max - pageSize + 1 with a page).
int ScrollTarget(TScrollCode code, int position, int thumb, int min, int max, int pageSize,
                 int smallChange, int largeChange);
// The framework code of a platform SB_* request.
TScrollCode ScrollCodeOf(int sbCode);

using TScrollEvent = TEvent<void(TObject* sender, TScrollCode code, int& position)>;

class TScrollBar : public TWinControl {
    LT_CLASS(TScrollBar, TWinControl)
public:
    explicit TScrollBar(TComponent* owner);

    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind v);
    int Min() const { return min_; }
    void SetMin(int v) { SetParams(position_, v, max_); }
    int Max() const { return max_; }
    void SetMax(int v) { SetParams(position_, min_, v); }
    int Position() const { return position_; }
    void SetPosition(int v) { SetParams(v, min_, max_); }
    // Sets all three at once; a changed position fires OnChange.
    void SetParams(int position, int min, int max);
    int PageSize() const { return pageSize_; }
    void SetPageSize(int v);
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int v) { smallChange_ = v; }
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int v) { largeChange_ = v; }

    // Every scroll request, with the position it leads to (changeable).
    TScrollEvent OnScroll;
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void Loaded() override;
    void WndProc(TMessage& msg) override;
    virtual void Scroll(TScrollCode code, int& position);
    virtual void Change();

private:
    void ScrollRequest(const TMessage& msg);
    void UpdateWindow();

    TScrollBarKind kind_ = sbHorizontal;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int pageSize_ = 0;
    int smallChange_ = 1;
    int largeChange_ = 1;
};
