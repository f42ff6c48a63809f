// Tabs: page control with tab sheets and tab control over the platform's tab
// control, and the old-style tab set that paints its own row of tabs.
#pragma once

#include <vector>

#include "framework/core/strings.h"
#include "framework/ui/graphic_control.h"

LT_ENUM(TTabPosition, tpTop, tpBottom, tpLeft, tpRight)

// Window style bits of the platform's tab control for a tab position.
DWORD TabPositionStyle(TTabPosition position);

// What the page control and the tab control share: the platform's tab
// control, its position and line mode, and the selection notifications.
class TCustomTabControl : public TWinControl {
    LT_CLASS(TCustomTabControl, TWinControl)
public:
    explicit TCustomTabControl(TComponent* owner);

    TTabPosition TabPosition() const { return tabPosition_; }
    void SetTabPosition(TTabPosition v);
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool v);
    // The page area inside the tabs and border, in client coordinates.
    RECT DisplayRect();
    // Index of the tab at a client point, or -1.
    int IndexOfTabAt(int x, int y);

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& msg) override;
    // Replaces every tab with these texts and selects `selected` (-1: none).
    void SetTabTexts(const std::vector<std::wstring>& texts, int selected);
    int SelectedTab() const;
    void SelectTab(int index);
    // The selection moved by the user (after the platform changed it).
    virtual void Change() { OnChange(this); }
    // Answer false to keep the current tab.
    virtual bool CanChange() { return true; }

private:
    void ApplyStyle();

    TTabPosition tabPosition_ = tpTop;
    bool multiLine_ = false;
};

class TPageControl;

// One page of a page control: a container shown while its tab is active.
class TTabSheet : public TWinControl {
    LT_CLASS(TTabSheet, TWinControl)
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return pageControl_; }
    void SetPageControl(TPageControl* control);
    // Position among the page control's sheets, or -1.
    int PageIndex() const;
    void SetParent(TWinControl* parent) override;

protected:
    void TextChanged() override;

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
};

class TPageControl : public TCustomTabControl {
    LT_CLASS(TPageControl, TCustomTabControl)
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int i) const { return pages_.at(i); }
    TTabSheet* ActivePage() const { return activePage_; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int i);
    // Shows the next (or previous) page, wrapping around.
    void SelectNextPage(bool goForward);

protected:
    void CreateHandleDone() override;
    void AlignControls(RECT& rect) override;
    void Change() override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void UpdateTabs();
    void ShowActivePage();

    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
};

// A row of tabs without pages: the selection is what the caller shows.
class TTabControl : public TCustomTabControl {
    LT_CLASS(TTabControl, TCustomTabControl)
public:
    explicit TTabControl(TComponent* owner);

    const TStringList& Tabs() const { return tabs_; }
    void SetTabs(const TStringList& tabs);
    int TabIndex() const;
    void SetTabIndex(int i);

protected:
    void CreateHandleDone() override;
    void Change() override;

private:
    void UpdateTabs();

    TStringList tabs_;
    int tabIndex_ = -1;
};

// Where the tabs of a tab set lie: visible tabs from the first index, each
// as wide as its text plus padding, until the next one would cross the end.
struct TTabSetLayout {
    struct Tab {
        int index;
        int left, right;
    };
    std::vector<Tab> tabs;
    // Not every tab from index 0 fits, or the first index is past 0.
    bool needsScroller = false;
};
// Padding around a tab's text; room the scroller takes at the end.
constexpr int kTabSetPadding = 9;
constexpr int kTabSetScrollerRoom = 24;
TTabSetLayout LayoutTabSet(const std::vector<int>& textWidths, int firstIndex, int startMargin,
                           int endMargin, int clientWidth);
// Index of the tab under x, or -1.
int TabSetTabAt(const TTabSetLayout& layout, int x);

class TTabSet;

// The tab set's two arrow buttons: left shows earlier tabs, right later ones.
class TTabScroller : public TCustomControl {
    LT_CLASS(TTabScroller, TCustomControl)
public:
    explicit TTabScroller(TTabSet* tabSet);
    static constexpr int kButtonWidth = kTabSetScrollerRoom / 2;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    TTabSet* tabSet_;
};

// The old-style custom-drawn row of tabs along the top of its window, with a
// scroller child when not every tab fits.
class TTabSet : public TCustomControl {
    LT_CLASS(TTabSet, TCustomControl)
public:
    explicit TTabSet(TComponent* owner);

    const TStringList& Tabs() const { return tabs_; }
    void SetTabs(const TStringList& tabs);
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int i);
    int FirstIndex() const { return firstIndex_; }
    void SetFirstIndex(int i);
    int StartMargin() const { return startMargin_; }
    void SetStartMargin(int v);
    int EndMargin() const { return endMargin_; }
    void SetEndMargin(int v);
    TTabScroller* Scroller() const { return scroller_; }
    // The current layout of the visible tabs (text measured with the font).
    TTabSetLayout Layout();

    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void BoundsChanged() override;
    void WndProc(TMessage& msg) override;

private:
    std::vector<int> TextWidths();
    void UpdateScroller();
    void PaintTab(const TTabSetLayout::Tab& tab, bool selected);

    TStringList tabs_;
    int tabIndex_ = -1;
    int firstIndex_ = 0;
    int startMargin_ = 5;
    int endMargin_ = 5;
    TTabScroller* scroller_ = nullptr;
};
