// Lists over the platform's controls: TListBox ("LISTBOX", optionally drawn
// by its owner), TComboBox ("COMBOBOX") and TScrollBar ("SCROLLBAR").
#pragma once

#include <memory>

#include "framework/core/set.h"
#include "framework/core/strings.h"
#include "framework/gdi/canvas.h"
#include "framework/stdctrls/std_types.h"
#include "framework/ui/wincontrol.h"

using TOwnerDrawState = TSet<TOwnerDrawStateItem>;
using TDrawItemEvent =
    TEvent<void(TWinControl* control, int index, const RECT& rect, TOwnerDrawState state)>;
using TMeasureItemEvent = TEvent<void(TWinControl* control, int index, int& height)>;

// The owner-draw state of an item from the platform's ODS_* bits.
TOwnerDrawState OwnerDrawStateOf(UINT itemState);

class TListBox : public TWinControl {
    LT_CLASS(TListBox, TWinControl)
public:
    explicit TListBox(TComponent* owner);
    ~TListBox() override;

    // The lines shown (ANSI); changes go to the window at once.
    const TStringList& Items() const { return items_; }
    void SetItems(const TStringList& v);
    int AddItem(const std::wstring& text);
    void ClearItems();
    // The selected line, or -1.
    int ItemIndex() const;
    void SetItemIndex(int v);
    TListBoxStyle Style() const { return style_; }
    void SetStyle(TListBoxStyle v);
    // Height of the lines of an owner-drawn list (variable ones start from it).
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int v);
    // Bound to the item's DC while OnDrawItem runs.
    TCanvas& Canvas() { return *canvas_; }

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;
    void Click() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void WndProc(TMessage& msg) override;
    // Paints one item of an owner-drawn list: OnDrawItem, or the text.
    virtual void DrawItem(int index, const RECT& rect, TOwnerDrawState state);

private:
    void DrawItemMessage(const DRAWITEMSTRUCT& dis);

    TStringList items_;
    std::unique_ptr<TCanvas> canvas_;
    int itemIndex_ = -1;
    TListBoxStyle style_ = lbStandard;
    int itemHeight_ = 16;
    TNotifyClick click_;
};

class TComboBox : public TWinControl {
    LT_CLASS(TComboBox, TWinControl)
public:
    explicit TComboBox(TComponent* owner);

    const TStringList& Items() const { return items_; }
    void SetItems(const TStringList& v);
    int AddItem(const std::wstring& text);
    void ClearItems();
    int ItemIndex() const;
    void SetItemIndex(int v);
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
    void Click() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void WndProc(TMessage& msg) override;
    virtual void Change();

private:
    // Height of the dropped-down list below the closed box.
    int ListHeight() const;
    void SyncCaption(const std::wstring& text);

    TStringList items_;
    int itemIndex_ = -1;
    TComboBoxStyle style_ = csDropDown;
    int dropDownCount_ = 8;
    bool syncing_ = false;
    TNotifyClick click_;
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
