// Views over the platform's controls: list view (columns and items with
// sub-items), header control (sections) and tree view (nested items).
#pragma once

#include "framework/ui/win32.h"

#include <commctrl.h>

#include <memory>
#include <vector>

#include "framework/core/collection.h"
#include "framework/core/strings.h"
#include "framework/ui/wincontrol.h"

class TListView;
class THeaderControl;
class TTreeView;

LT_ENUM(TViewStyle, vsIcon, vsSmallIcon, vsList, vsReport)

// Window style bits of a list view for a view style.
DWORD ViewStyleBits(TViewStyle style);

class TListColumn : public TCollectionItem {
    LT_CLASS(TListColumn, TCollectionItem)
public:
    explicit TListColumn(TCollection* collection) : TCollectionItem(collection) {}
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& v);
    int32_t Width() const { return width_; }
    void SetWidth(int32_t v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);

private:
    std::wstring caption_;
    int32_t width_ = 50;
    TAlignment alignment_ = taLeftJustify;
};

class TListColumns : public TCollection {
    LT_CLASS(TListColumns, TCollection)
public:
    explicit TListColumns(TListView* view);
    TListColumn* Items(int i) const { return ItemsAs<TListColumn>(i); }
    TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }

protected:
    void Update(TCollectionItem* item) override;

private:
    TListView* view_;
};

class TListItem : public TCollectionItem {
    LT_CLASS(TListItem, TCollectionItem)
public:
    explicit TListItem(TCollection* collection) : TCollectionItem(collection) {}
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& v);
    // The texts of the columns after the first.
    const TStringList& SubItems() const { return subItems_; }
    void SetSubItems(const TStringList& v);

private:
    std::wstring caption_;
    TStringList subItems_;
};

class TListItems : public TCollection {
    LT_CLASS(TListItems, TCollection)
public:
    explicit TListItems(TListView* view);
    TListItem* Items(int i) const { return ItemsAs<TListItem>(i); }
    TListItem* Add() { return static_cast<TListItem*>(TCollection::Add()); }

protected:
    void Update(TCollectionItem* item) override;

private:
    TListView* view_;
};

using TLVSelectItemEvent = TEvent<void(TObject* sender, TListItem* item, bool selected)>;
using TLVChangeEvent = TEvent<void(TObject* sender, TListItem* item)>;

class TListView : public TWinControl {
    LT_CLASS(TListView, TWinControl)
public:
    explicit TListView(TComponent* owner);
    ~TListView() override;

    TListColumns* Columns() { return &columns_; }
    TListItems* Items() { return &items_; }
    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle v);
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool v);
    bool GridLines() const { return gridLines_; }
    void SetGridLines(bool v);
    // The first selected item, or null; -1 when none is selected.
    TListItem* Selected() const;
    int ItemIndex() const;
    void SetItemIndex(int i);

    // Sends the columns and items to the control again.
    void UpdateColumns();
    void UpdateItems();

    TLVSelectItemEvent OnSelectItem;
    TLVChangeEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void WndProc(TMessage& msg) override;

private:
    void ApplyExtendedStyle();
    void ItemChanged(const NMLISTVIEW& change);

    TListColumns columns_;
    TListItems items_;
    TViewStyle viewStyle_ = vsIcon;
    bool rowSelect_ = false;
    bool gridLines_ = false;
    bool filling_ = false;
};

class THeaderSection : public TCollectionItem {
    LT_CLASS(THeaderSection, TCollectionItem)
public:
    explicit THeaderSection(TCollection* collection) : TCollectionItem(collection) {}
    const std::wstring& Text() const { return text_; }
    void SetText(const std::wstring& v);
    int32_t Width() const { return width_; }
    void SetWidth(int32_t v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);
    // Keeps the width in step with a drag of the divider (no update sent).
    void WidthFromControl(int32_t v) { width_ = v; }

private:
    std::wstring text_;
    int32_t width_ = 50;
    TAlignment alignment_ = taLeftJustify;
};

class THeaderSections : public TCollection {
    LT_CLASS(THeaderSections, TCollection)
public:
    explicit THeaderSections(THeaderControl* header);
    THeaderSection* Items(int i) const { return ItemsAs<THeaderSection>(i); }
    THeaderSection* Add() { return static_cast<THeaderSection*>(TCollection::Add()); }

protected:
    void Update(TCollectionItem* item) override;

private:
    THeaderControl* header_;
};

using TSectionNotifyEvent = TEvent<void(TObject* sender, THeaderSection* section)>;

class THeaderControl : public TWinControl {
    LT_CLASS(THeaderControl, TWinControl)
public:
    explicit THeaderControl(TComponent* owner);
    ~THeaderControl() override;

    THeaderSections* Sections() { return &sections_; }
    void UpdateSections();

    TSectionNotifyEvent OnSectionClick;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void WndProc(TMessage& msg) override;

private:
    THeaderSections sections_;
};

// One item of a tree view with its children.
class TTreeNode {
public:
    TTreeNode(TTreeView* tree, TTreeNode* parent, std::wstring text);
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    const std::wstring& Text() const { return text_; }
    void SetText(const std::wstring& text);
    TTreeNode* Parent() const { return parent_; }
    int Count() const { return static_cast<int>(children_.size()); }
    TTreeNode* Item(int i) const { return children_.at(i).get(); }
    // Depth below the top level (top-level nodes: 0).
    int Level() const;
    HTREEITEM ItemId() const { return item_; }
    // Shows or hides the children.
    void Expand();

private:
    friend class TTreeNodes;
    TTreeView* tree_;
    TTreeNode* parent_;
    std::wstring text_;
    std::vector<std::unique_ptr<TTreeNode>> children_;
    HTREEITEM item_ = nullptr;
};

// The nodes of a tree view. As text, one line per node in tree order, each
// indented by one space per level.
class TTreeNodes {
public:
    explicit TTreeNodes(TTreeView* tree) : tree_(tree) {}
    // Appends a node under `parent` (null: at the top level).
    TTreeNode* AddChild(TTreeNode* parent, const std::wstring& text);
    int TopCount() const { return static_cast<int>(top_.size()); }
    TTreeNode* Top(int i) const { return top_.at(i).get(); }
    // Every node in tree order.
    std::vector<TTreeNode*> All() const;
    void Clear();
    TStringList AsText() const;
    void SetText(const TStringList& lines);
    // The node of a platform item, or null.
    TTreeNode* FindItem(HTREEITEM item) const;
    // Creates the platform items of every node (after the window was made).
    void InsertAll();

private:
    void Insert(TTreeNode* node);

    TTreeView* tree_;
    std::vector<std::unique_ptr<TTreeNode>> top_;
};

using TTVChangedEvent = TEvent<void(TObject* sender, TTreeNode* node)>;

class TTreeView : public TWinControl {
    LT_CLASS(TTreeView, TWinControl)
public:
    explicit TTreeView(TComponent* owner);
    ~TTreeView() override;

    TTreeNodes& Items() { return nodes_; }
    // The published form of the items: one line per node, indented by level
    // (the list is refreshed from the nodes on every call).
    TStringList* ItemsText();
    void SetItemsText(const TStringList& lines) { nodes_.SetText(lines); }
    TTreeNode* Selected() const;
    void SetSelected(TTreeNode* node);

    TTVChangedEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void WndProc(TMessage& msg) override;

private:
    TTreeNodes nodes_;
    TStringList itemsText_;
};
