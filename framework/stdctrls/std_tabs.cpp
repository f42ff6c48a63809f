// Page control, tab sheets and tab control over the platform's tab control.
#include "framework/stdctrls/std_tabs.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/core/class_builder.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/stdctrls/std_comctl.h"

DWORD TabPositionStyle(TTabPosition position) {
    switch (position) {
    case tpBottom:
        return TCS_BOTTOM;
    case tpLeft:
        return TCS_VERTICAL | TCS_MULTILINE;
    case tpRight:
        return TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE;
    default:
        return 0;
    }
}

TCustomTabControl::TCustomTabControl(TComponent* owner) : TWinControl(owner) {
    EnsureCommonControls(ICC_TAB_CLASSES);
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
    SetColor(clBtnFace);
    // Pages show their container's colour: a recoloured form recolours them.
    SetParentColor(true);
}

void TCustomTabControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.superClass = WC_TABCONTROLW;
    params.style |= TabPositionStyle(tabPosition_) | (multiLine_ ? TCS_MULTILINE : 0);
    params.classStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCustomTabControl::SetTabPosition(TTabPosition v) {
    if (v != tabPosition_) {
        tabPosition_ = v;
        ApplyStyle();
    }
}

void TCustomTabControl::SetMultiLine(bool v) {
    if (v != multiLine_) {
        multiLine_ = v;
        ApplyStyle();
    }
}

// The platform's tab control lays its tabs out again on a style change.
void TCustomTabControl::ApplyStyle() {
    if (!HandleAllocated())
        return;
    const DWORD mask = TCS_BOTTOM | TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE;
    DWORD style = GetWindowLongW(Handle(), GWL_STYLE) & ~mask;
    style |= TabPositionStyle(tabPosition_) | (multiLine_ ? TCS_MULTILINE : 0);
    SetWindowLongW(Handle(), GWL_STYLE, static_cast<LONG>(style));
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    Realign();
    Invalidate();
}

RECT TCustomTabControl::DisplayRect() {
    RECT r = ClientRect();
    if (!HandleAllocated()) {
        InflateRect(&r, -4, -4);
        return r;
    }
    SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return r;
}

int TCustomTabControl::IndexOfTabAt(int x, int y) {
    TCHITTESTINFO hit{{x, y}, 0};
    return static_cast<int>(SendMessageW(Handle(), TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

void TCustomTabControl::SetTabTexts(const std::vector<std::wstring>& texts, int selected) {
    HWND wnd = Handle();
    SendMessageW(wnd, TCM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < texts.size(); ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(texts[i].c_str());
        SendMessageW(wnd, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(wnd, TCM_SETCURSEL, static_cast<WPARAM>(selected), 0);
    Realign();
}

int TCustomTabControl::SelectedTab() const {
    if (!HandleAllocated())
        return -1;
    return static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0));
}

void TCustomTabControl::SelectTab(int index) {
    if (HandleAllocated())
        SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TCustomTabControl::WndProc(TMessage& msg) {
    if (msg.Msg == CN_NOTIFY) {
        const auto* hdr = reinterpret_cast<NMHDR*>(msg.LParam);
        if (hdr->code == static_cast<UINT>(TCN_SELCHANGING)) {
            msg.Result = CanChange() ? FALSE : TRUE;
            return;
        }
        if (hdr->code == static_cast<UINT>(TCN_SELCHANGE)) {
            Change();
            return;
        }
    }
    TWinControl::WndProc(msg);
}

// ---- tab sheets and page control ----

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
    SetColor(clBtnFace);
    SetParentColor(true);
    SetVisible(false);
}

TTabSheet::~TTabSheet() {
    if (pageControl_)
        pageControl_->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* control) {
    SetParent(control);
}

int TTabSheet::PageIndex() const {
    if (!pageControl_)
        return -1;
    const auto& pages = pageControl_->pages_;
    auto it = std::find(pages.begin(), pages.end(), this);
    return it == pages.end() ? -1 : static_cast<int>(it - pages.begin());
}

// A sheet joins the page control it is put on and leaves the one it is taken off.
void TTabSheet::SetParent(TWinControl* parent) {
    if (parent == Parent())
        return;
    if (pageControl_)
        pageControl_->RemovePage(this);
    TWinControl::SetParent(parent);
    if (auto* pages = dynamic_cast<TPageControl*>(parent))
        pages->InsertPage(this);
}

void TTabSheet::TextChanged() {
    if (pageControl_)
        pageControl_->UpdateTabs();
}

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {}

TPageControl::~TPageControl() {
    // The sheets may outlive this control (their owner frees them).
    for (TTabSheet* page : pages_)
        page->pageControl_ = nullptr;
    pages_.clear();
    activePage_ = nullptr;
}

void TPageControl::InsertPage(TTabSheet* page) {
    pages_.push_back(page);
    page->pageControl_ = this;
    if (!activePage_)
        activePage_ = page;
    UpdateTabs();
    ShowActivePage();
}

void TPageControl::RemovePage(TTabSheet* page) {
    auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end())
        return;
    const int index = static_cast<int>(it - pages_.begin());
    pages_.erase(it);
    page->pageControl_ = nullptr;
    if (activePage_ == page)
        activePage_ = pages_.empty() ? nullptr : pages_[std::min<size_t>(index, pages_.size() - 1)];
    UpdateTabs();
    ShowActivePage();
}

void TPageControl::UpdateTabs() {
    if (!HandleAllocated() || HasState(csDestroying))
        return;
    std::vector<std::wstring> texts;
    for (TTabSheet* page : pages_)
        texts.push_back(page->Caption());
    SetTabTexts(texts, ActivePageIndex());
}

void TPageControl::ShowActivePage() {
    for (TTabSheet* page : pages_)
        page->SetVisible(page == activePage_);
    if (activePage_)
        activePage_->BringToFront();
}

int TPageControl::ActivePageIndex() const {
    return activePage_ ? activePage_->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int i) {
    SetActivePage(i >= 0 && i < PageCount() ? pages_[i] : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->pageControl_ != this)
        return;
    activePage_ = page;
    SelectTab(ActivePageIndex());
    ShowActivePage();
}

void TPageControl::SelectNextPage(bool goForward) {
    if (pages_.empty())
        return;
    const int n = PageCount();
    const int i = ActivePageIndex();
    SetActivePageIndex(i < 0 ? 0 : (i + (goForward ? 1 : n - 1)) % n);
    OnChange(this);
}

void TPageControl::CreateHandleDone() {
    UpdateTabs();
}

// Every sheet fills the page area; other children align in what is left.
void TPageControl::AlignControls(RECT& rect) {
    rect = DisplayRect();
    for (TTabSheet* page : pages_)
        page->SetBounds(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    TCustomTabControl::AlignControls(rect);
}

void TPageControl::Change() {
    const int i = SelectedTab();
    if (i >= 0 && i < PageCount()) {
        activePage_ = pages_[i];
        ShowActivePage();
    }
    TCustomTabControl::Change();
}

// ---- tab control ----

TTabControl::TTabControl(TComponent* owner) : TCustomTabControl(owner) {}

void TTabControl::SetTabs(const TStringList& tabs) {
    tabs_.Assign(tabs);
    if (tabIndex_ >= tabs_.Count())
        tabIndex_ = tabs_.Count() - 1;
    UpdateTabs();
}

int TTabControl::TabIndex() const {
    return tabIndex_;
}

void TTabControl::SetTabIndex(int i) {
    tabIndex_ = i >= 0 && i < tabs_.Count() ? i : -1;
    SelectTab(tabIndex_);
}

void TTabControl::UpdateTabs() {
    if (!HandleAllocated())
        return;
    std::vector<std::wstring> texts;
    for (int i = 0; i < tabs_.Count(); ++i)
        texts.push_back(ListLine(tabs_, i));
    SetTabTexts(texts, tabIndex_);
}

void TTabControl::CreateHandleDone() {
    UpdateTabs();
}

void TTabControl::Change() {
    tabIndex_ = SelectedTab();
    TCustomTabControl::Change();
}

LT_CLASS_TABLE(TCustomTabControl) {
    c.Enum("TabPosition", &TCustomTabControl::TabPosition, &TCustomTabControl::SetTabPosition)
        .Default(tpTop)
        .Boolean("MultiLine", &TCustomTabControl::MultiLine, &TCustomTabControl::SetMultiLine)
        .Default(false)
        .Event("OnChange", &TCustomTabControl::OnChange);
}

LT_CLASS_TABLE(TTabSheet) {}

LT_CLASS_TABLE(TPageControl) {
    c.Object("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
}

LT_CLASS_TABLE(TTabControl) {
    c.Strings("Tabs", MutableList(&TTabControl::Tabs), &TTabControl::SetTabs)
        .Integer("TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex)
        .Default(-1);
}

// ---- tab set ----

TTabSetLayout LayoutTabSet(const std::vector<int>& textWidths, int firstIndex, int startMargin,
                           int endMargin, int clientWidth) {
    TTabSetLayout layout;
    const int count = static_cast<int>(textWidths.size());
    int all = startMargin;
    for (int w : textWidths)
        all += w + kTabSetPadding;
    layout.needsScroller = firstIndex > 0 || all > clientWidth - endMargin;
    const int limit = clientWidth - endMargin - (layout.needsScroller ? kTabSetScrollerRoom : 0);
    int x = startMargin;
    for (int i = std::max(0, firstIndex); i < count; ++i) {
        const int right = x + textWidths[i] + kTabSetPadding;
        if (right > limit)
            break;
        layout.tabs.push_back({i, x, right});
        x = right;
    }
    return layout;
}

int TabSetTabAt(const TTabSetLayout& layout, int x) {
    for (const auto& tab : layout.tabs)
        if (x >= tab.left && x < tab.right)
            return tab.index;
    return -1;
}

TTabScroller::TTabScroller(TTabSet* tabSet) : TCustomControl(tabSet), tabSet_(tabSet) {
    SetBounds(0, 0, 2 * kButtonWidth, 16);
    SetVisible(false);
    SetParent(tabSet);
}

void TTabScroller::Paint() {
    HDC dc = Canvas().Handle();
    const int count = tabSet_->Tabs().Count();
    const bool canBack = tabSet_->FirstIndex() > 0;
    const bool canForward = tabSet_->FirstIndex() < count - 1;
    RECT left{0, 0, kButtonWidth, Height()};
    RECT right{kButtonWidth, 0, 2 * kButtonWidth, Height()};
    DrawFrameControl(dc, &left, DFC_SCROLL, DFCS_SCROLLLEFT | (canBack ? 0 : DFCS_INACTIVE));
    DrawFrameControl(dc, &right, DFC_SCROLL, DFCS_SCROLLRIGHT | (canForward ? 0 : DFCS_INACTIVE));
}

void TTabScroller::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button == mbLeft)
        tabSet_->SetFirstIndex(tabSet_->FirstIndex() + (x < kButtonWidth ? -1 : 1));
}

TTabSet::TTabSet(TComponent* owner) : TCustomControl(owner) {
    // The scroller is the first component the tab set owns.
    scroller_ = new TTabScroller(this);
    SetBounds(0, 0, 185, 21);
    SetColor(clBtnFace);
}

void TTabSet::SetTabs(const TStringList& tabs) {
    tabs_.Assign(tabs);
    if (tabIndex_ >= tabs_.Count())
        tabIndex_ = tabs_.Count() - 1;
    firstIndex_ = std::clamp(firstIndex_, 0, std::max(0, tabs_.Count() - 1));
    UpdateScroller();
    Invalidate();
}

void TTabSet::SetTabIndex(int i) {
    i = i >= 0 && i < tabs_.Count() ? i : -1;
    if (i == tabIndex_)
        return;
    tabIndex_ = i;
    Invalidate();
}

void TTabSet::SetFirstIndex(int i) {
    i = std::clamp(i, 0, std::max(0, tabs_.Count() - 1));
    if (i == firstIndex_ && !HasState(csLoading))
        return;
    firstIndex_ = i;
    UpdateScroller();
    Invalidate();
    scroller_->Invalidate();
}

void TTabSet::SetStartMargin(int v) {
    startMargin_ = v;
    UpdateScroller();
    Invalidate();
}

void TTabSet::SetEndMargin(int v) {
    endMargin_ = v;
    UpdateScroller();
    Invalidate();
}

// Text widths in the control's font (on the window's DC, or the screen's).
std::vector<int> TTabSet::TextWidths() {
    TClientDC dc(HandleAllocated() ? Handle() : nullptr);
    TSelectObject font(dc.Handle(), Font().Handle());
    std::vector<int> widths;
    for (int i = 0; i < tabs_.Count(); ++i) {
        const std::wstring text = ListLine(tabs_, i);
        SIZE size{};
        GetTextExtentPoint32W(dc.Handle(), text.c_str(), static_cast<int>(text.size()), &size);
        widths.push_back(size.cx);
    }
    return widths;
}

TTabSetLayout TTabSet::Layout() {
    return LayoutTabSet(TextWidths(), firstIndex_, startMargin_, endMargin_, Width());
}

// The scroller shows at the end of the row while not every tab fits.
void TTabSet::UpdateScroller() {
    if (!scroller_)
        return;
    const bool needed = Layout().needsScroller;
    const int w = 2 * TTabScroller::kButtonWidth;
    scroller_->SetBounds(Width() - endMargin_ - w, 1, w, std::max(1, std::min(Height() - 2, 16)));
    scroller_->SetVisible(needed);
}

void TTabSet::BoundsChanged() {
    TCustomControl::BoundsChanged();
    UpdateScroller();
}

void TTabSet::WndProc(TMessage& msg) {
    TCustomControl::WndProc(msg);
    if (msg.Msg == CM_FONTCHANGED || msg.Msg == WM_WINDOWPOSCHANGED) {
        UpdateScroller();
        Invalidate();
    }
}

void TTabSet::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    const int hit = TabSetTabAt(Layout(), x);
    if (hit < 0 || hit == tabIndex_)
        return;
    SetTabIndex(hit);
    OnChange(this);
}

// The row: a face-coloured band with a dark line on top; tabs hang from it,
// the selected one in the face colour joined to the line, others in the window colour.
void TTabSet::Paint() {
    TCanvas& c = Canvas();
    const RECT all{0, 0, Width(), Height()};
    c.Brush().SetColor(Color());
    c.FillRect(all);
    c.Pen().SetColor(clWindowFrame);
    c.MoveTo(0, 0);
    c.LineTo(Width(), 0);
    for (const auto& tab : Layout().tabs)
        PaintTab(tab, tab.index == tabIndex_);
}

void TTabSet::PaintTab(const TTabSetLayout::Tab& tab, bool selected) {
    TCanvas& c = Canvas();
    const int bottom = Height() - 2;
    RECT face{tab.left + 1, selected ? 0 : 1, tab.right, bottom};
    c.Brush().SetColor(selected ? Color() : clWindow);
    c.FillRect(face);
    c.Pen().SetColor(clWindowFrame);
    c.MoveTo(tab.left, selected ? 0 : 1);
    c.LineTo(tab.left, bottom);
    c.LineTo(tab.right, bottom);
    c.LineTo(tab.right, 0);
    SetBkMode(c.Handle(), TRANSPARENT);
    RECT text{tab.left, 1, tab.right, bottom};
    std::wstring caption = ListLine(tabs_, tab.index);
    c.DrawText(caption, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

LT_CLASS_TABLE(TTabScroller) {}

LT_CLASS_TABLE(TTabSet) {
    c.Strings("Tabs", MutableList(&TTabSet::Tabs), &TTabSet::SetTabs)
        .Integer("TabIndex", &TTabSet::TabIndex, &TTabSet::SetTabIndex)
        .Default(-1)
        .Integer("FirstIndex", &TTabSet::FirstIndex, &TTabSet::SetFirstIndex)
        .Default(0)
        .Integer("StartMargin", &TTabSet::StartMargin, &TTabSet::SetStartMargin)
        .Default(5)
        .Integer("EndMargin", &TTabSet::EndMargin, &TTabSet::SetEndMargin)
        .Default(5)
        .Event("OnChange", &TTabSet::OnChange);
}
