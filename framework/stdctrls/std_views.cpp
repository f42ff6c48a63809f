// List view, header control and tree view over the platform's controls.
#include "framework/stdctrls/std_views.h"

#include <functional>

#include "framework/core/ansi.h"
#include "framework/core/class_builder.h"
#include "framework/stdctrls/std_comctl.h"

namespace {
int ColumnFormat(TAlignment a) {
    return a == taRightJustify ? LVCFMT_RIGHT : a == taCenter ? LVCFMT_CENTER : LVCFMT_LEFT;
}
int SectionFormat(TAlignment a) {
    return HDF_STRING | (a == taRightJustify ? HDF_RIGHT : a == taCenter ? HDF_CENTER : HDF_LEFT);
}
} // namespace

DWORD ViewStyleBits(TViewStyle style) {
    switch (style) {
    case vsSmallIcon:
        return LVS_SMALLICON;
    case vsList:
        return LVS_LIST;
    case vsReport:
        return LVS_REPORT;
    default:
        return LVS_ICON;
    }
}

// ---- list view ----

void TListColumn::SetCaption(const std::wstring& v) {
    caption_ = v;
    Changed(false);
}
void TListColumn::SetWidth(int32_t v) {
    width_ = v;
    Changed(false);
}
void TListColumn::SetAlignment(TAlignment v) {
    alignment_ = v;
    Changed(false);
}

TListColumns::TListColumns(TListView* view)
    : TCollection(TListColumn::StaticClass(), view), view_(view) {}

void TListColumns::Update(TCollectionItem*) {
    view_->UpdateColumns();
}

void TListItem::SetCaption(const std::wstring& v) {
    caption_ = v;
    Changed(false);
}
void TListItem::SetSubItems(const TStringList& v) {
    subItems_.Assign(v);
    Changed(false);
}

TListItems::TListItems(TListView* view)
    : TCollection(TListItem::StaticClass(), view), view_(view) {}

void TListItems::Update(TCollectionItem*) {
    view_->UpdateItems();
}

TListView::TListView(TComponent* owner) : TWinControl(owner), columns_(this), items_(this) {
    EnsureCommonControls(ICC_LISTVIEW_CLASSES);
    SetBounds(0, 0, 250, 150);
    SetColor(clWindow);
    SetTabStop(true);
}

TListView::~TListView() {
    // The window goes while the items it shows still exist.
    filling_ = true;
    DestroyHandle();
}

void TListView::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.superClass = WC_LISTVIEWW;
    params.style |= ViewStyleBits(viewStyle_) | LVS_SHOWSELALWAYS | LVS_SINGLESEL;
    params.exStyle |= WS_EX_CLIENTEDGE;
    params.classStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TListView::CreateHandleDone() {
    ApplyExtendedStyle();
    UpdateColumns();
    UpdateItems();
}

void TListView::ApplyExtendedStyle() {
    if (!HandleAllocated())
        return;
    const DWORD bits =
        (rowSelect_ ? LVS_EX_FULLROWSELECT : 0) | (gridLines_ ? LVS_EX_GRIDLINES : 0);
    SendMessageW(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
                 bits);
}

void TListView::UpdateColumns() {
    if (!HandleAllocated() || HasState(csDestroying))
        return;
    HWND wnd = Handle();
    while (SendMessageW(wnd, LVM_DELETECOLUMN, 0, 0)) {
    }
    for (int i = 0; i < columns_.Count(); ++i) {
        TListColumn* c = columns_.Items(i);
        LVCOLUMNW col{};
        col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        col.fmt = i == 0 ? LVCFMT_LEFT : ColumnFormat(c->Alignment());
        col.cx = c->Width();
        col.pszText = const_cast<wchar_t*>(c->Caption().c_str());
        col.iSubItem = i;
        SendMessageW(wnd, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
    }
}

// Refills the control; selection notifications of the refill are not events.
void TListView::UpdateItems() {
    if (!HandleAllocated() || HasState(csDestroying))
        return;
    HWND wnd = Handle();
    filling_ = true;
    SendMessageW(wnd, LVM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < items_.Count(); ++i) {
        TListItem* item = items_.Items(i);
        LVITEMW lv{};
        lv.mask = LVIF_TEXT;
        lv.iItem = i;
        lv.pszText = const_cast<wchar_t*>(item->Caption().c_str());
        SendMessageW(wnd, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&lv));
        for (int s = 0; s < item->SubItems().Count(); ++s) {
            std::wstring text = ListLine(item->SubItems(), s);
            LVITEMW sub{};
            sub.iSubItem = s + 1;
            sub.pszText = const_cast<wchar_t*>(text.c_str());
            SendMessageW(wnd, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&sub));
        }
    }
    filling_ = false;
}

void TListView::SetViewStyle(TViewStyle v) {
    viewStyle_ = v;
    if (HandleAllocated()) {
        DWORD style = GetWindowLongW(Handle(), GWL_STYLE) & ~LVS_TYPEMASK;
        SetWindowLongW(Handle(), GWL_STYLE, static_cast<LONG>(style | ViewStyleBits(v)));
        Invalidate();
    }
}

void TListView::SetRowSelect(bool v) {
    rowSelect_ = v;
    ApplyExtendedStyle();
}

void TListView::SetGridLines(bool v) {
    gridLines_ = v;
    ApplyExtendedStyle();
}

int TListView::ItemIndex() const {
    if (!HandleAllocated())
        return -1;
    return static_cast<int>(SendMessageW(Handle(), LVM_GETNEXTITEM, -1, LVNI_SELECTED));
}

TListItem* TListView::Selected() const {
    const int i = ItemIndex();
    return i >= 0 && i < items_.Count() ? items_.Items(i) : nullptr;
}

void TListView::SetItemIndex(int i) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(&state));
}

void TListView::ItemChanged(const NMLISTVIEW& change) {
    if (filling_ || change.iItem < 0 || change.iItem >= items_.Count())
        return;
    TListItem* item = items_.Items(change.iItem);
    if ((change.uChanged & LVIF_STATE) && ((change.uOldState ^ change.uNewState) & LVIS_SELECTED))
        OnSelectItem(this, item, (change.uNewState & LVIS_SELECTED) != 0);
    OnChange(this, item);
}

void TListView::WndProc(TMessage& msg) {
    if (msg.Msg == CN_NOTIFY) {
        const auto* hdr = reinterpret_cast<NMHDR*>(msg.LParam);
        if (hdr->code == static_cast<UINT>(LVN_ITEMCHANGED))
            ItemChanged(*reinterpret_cast<NMLISTVIEW*>(msg.LParam));
        msg.Result = 0;
        return;
    }
    TWinControl::WndProc(msg);
}

// ---- header control ----

void THeaderSection::SetText(const std::wstring& v) {
    text_ = v;
    Changed(false);
}
void THeaderSection::SetWidth(int32_t v) {
    width_ = v;
    Changed(false);
}
void THeaderSection::SetAlignment(TAlignment v) {
    alignment_ = v;
    Changed(false);
}

THeaderSections::THeaderSections(THeaderControl* header)
    : TCollection(THeaderSection::StaticClass(), header), header_(header) {}

void THeaderSections::Update(TCollectionItem*) {
    header_->UpdateSections();
}

THeaderControl::THeaderControl(TComponent* owner) : TWinControl(owner), sections_(this) {
    EnsureCommonControls(ICC_LISTVIEW_CLASSES);
    SetBounds(0, 0, 200, 17);
}

THeaderControl::~THeaderControl() {
    DestroyHandle();
}

void THeaderControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.superClass = WC_HEADERW;
    params.style |= HDS_BUTTONS | HDS_HORZ;
    params.classStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void THeaderControl::CreateHandleDone() {
    UpdateSections();
}

void THeaderControl::UpdateSections() {
    if (!HandleAllocated() || HasState(csDestroying))
        return;
    HWND wnd = Handle();
    while (SendMessageW(wnd, HDM_DELETEITEM, 0, 0)) {
    }
    for (int i = 0; i < sections_.Count(); ++i) {
        THeaderSection* s = sections_.Items(i);
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.cxy = s->Width();
        item.pszText = const_cast<wchar_t*>(s->Text().c_str());
        item.fmt = SectionFormat(s->Alignment());
        SendMessageW(wnd, HDM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
}

// Clicks become OnSectionClick; divider drags keep the section widths in step.
void THeaderControl::WndProc(TMessage& msg) {
    if (msg.Msg != CN_NOTIFY) {
        TWinControl::WndProc(msg);
        return;
    }
    const auto* hd = reinterpret_cast<NMHEADERW*>(msg.LParam);
    const int i = hd->iItem;
    THeaderSection* section = i >= 0 && i < sections_.Count() ? sections_.Items(i) : nullptr;
    const UINT code = hd->hdr.code;
    if (section &&
        (code == static_cast<UINT>(HDN_ITEMCLICKW) || code == static_cast<UINT>(HDN_ITEMCLICKA)))
        OnSectionClick(this, section);
    if (section && hd->pitem && (hd->pitem->mask & HDI_WIDTH) &&
        (code == static_cast<UINT>(HDN_ITEMCHANGEDW) ||
         code == static_cast<UINT>(HDN_ITEMCHANGEDA)))
        section->WidthFromControl(hd->pitem->cxy);
    msg.Result = 0;
}

// ---- tree view ----

TTreeNode::TTreeNode(TTreeView* tree, TTreeNode* parent, std::wstring text)
    : tree_(tree), parent_(parent), text_(std::move(text)) {}

void TTreeNode::SetText(const std::wstring& text) {
    text_ = text;
    if (item_ && tree_->HandleAllocated()) {
        TVITEMW tv{};
        tv.mask = TVIF_TEXT;
        tv.hItem = item_;
        tv.pszText = const_cast<wchar_t*>(text_.c_str());
        SendMessageW(tree_->Handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    }
}

int TTreeNode::Level() const {
    int level = 0;
    for (TTreeNode* p = parent_; p; p = p->parent_)
        ++level;
    return level;
}

void TTreeNode::Expand() {
    if (item_ && tree_->HandleAllocated())
        SendMessageW(tree_->Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item_));
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::wstring& text) {
    auto node = std::make_unique<TTreeNode>(tree_, parent, text);
    TTreeNode* added = node.get();
    (parent ? parent->children_ : top_).push_back(std::move(node));
    if (tree_->HandleAllocated() && (!parent || parent->item_))
        Insert(added);
    return added;
}

void TTreeNodes::Insert(TTreeNode* node) {
    TVINSERTSTRUCTW ins{};
    ins.hParent = node->parent_ ? node->parent_->item_ : TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT;
    ins.item.pszText = const_cast<wchar_t*>(node->text_.c_str());
    node->item_ = reinterpret_cast<HTREEITEM>(
        SendMessageW(tree_->Handle(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
    for (auto& child : node->children_)
        Insert(child.get());
}

void TTreeNodes::InsertAll() {
    for (auto& node : top_)
        Insert(node.get());
}

std::vector<TTreeNode*> TTreeNodes::All() const {
    std::vector<TTreeNode*> all;
    std::function<void(TTreeNode*)> walk = [&](TTreeNode* n) {
        all.push_back(n);
        for (auto& child : n->children_)
            walk(child.get());
    };
    for (auto& node : top_)
        walk(node.get());
    return all;
}

void TTreeNodes::Clear() {
    if (tree_->HandleAllocated())
        SendMessageW(tree_->Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    top_.clear();
}

TStringList TTreeNodes::AsText() const {
    TStringList lines;
    for (TTreeNode* node : All())
        lines.Add(std::string(node->Level(), ' ') + WideToAnsiText(node->Text()));
    return lines;
}

// A line deeper than one level below the previous one hangs under the last node.
void TTreeNodes::SetText(const TStringList& lines) {
    Clear();
    std::vector<TTreeNode*> path;
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string& line = lines[i];
        const size_t indent = line.find_first_not_of(' ');
        if (indent == std::string::npos)
            continue;
        const size_t level = std::min(indent, path.size());
        path.resize(level);
        TTreeNode* parent = path.empty() ? nullptr : path.back();
        path.push_back(AddChild(parent, AnsiToWideText(line.substr(indent))));
    }
}

TTreeNode* TTreeNodes::FindItem(HTREEITEM item) const {
    for (TTreeNode* node : All())
        if (node->item_ == item)
            return node;
    return nullptr;
}

TTreeView::TTreeView(TComponent* owner) : TWinControl(owner), nodes_(this) {
    EnsureCommonControls(ICC_TREEVIEW_CLASSES);
    SetBounds(0, 0, 121, 97);
    SetColor(clWindow);
    SetTabStop(true);
}

TTreeView::~TTreeView() {
    DestroyHandle();
}

TStringList* TTreeView::ItemsText() {
    itemsText_ = nodes_.AsText();
    return &itemsText_;
}

void TTreeView::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.superClass = WC_TREEVIEWW;
    params.style |= TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
    params.exStyle |= WS_EX_CLIENTEDGE;
    params.classStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TTreeView::CreateHandleDone() {
    nodes_.InsertAll();
}

TTreeNode* TTreeView::Selected() const {
    if (!HandleAllocated())
        return nullptr;
    auto item = reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_GETNEXTITEM, TVGN_CARET, 0));
    return item ? nodes_.FindItem(item) : nullptr;
}

void TTreeView::SetSelected(TTreeNode* node) {
    SendMessageW(Handle(), TVM_SELECTITEM, TVGN_CARET,
                 reinterpret_cast<LPARAM>(node ? node->ItemId() : nullptr));
}

void TTreeView::WndProc(TMessage& msg) {
    if (msg.Msg == CN_NOTIFY) {
        const auto* tv = reinterpret_cast<NMTREEVIEWW*>(msg.LParam);
        const UINT code = tv->hdr.code;
        if (code == static_cast<UINT>(TVN_SELCHANGEDW) ||
            code == static_cast<UINT>(TVN_SELCHANGEDA))
            OnChange(this, nodes_.FindItem(tv->itemNew.hItem));
        msg.Result = 0;
        return;
    }
    TWinControl::WndProc(msg);
}

LT_CLASS_TABLE(TListColumn) {
    c.String("Caption", &TListColumn::Caption, &TListColumn::SetCaption)
        .Integer("Width", &TListColumn::Width, &TListColumn::SetWidth)
        .Default(50)
        .Enum("Alignment", &TListColumn::Alignment, &TListColumn::SetAlignment)
        .Default(taLeftJustify);
}
LT_CLASS_TABLE(TListColumns) {}
LT_CLASS_TABLE(TListItem) {
    c.String("Caption", &TListItem::Caption, &TListItem::SetCaption)
        .Strings("SubItems", MutableList(&TListItem::SubItems), &TListItem::SetSubItems);
}
LT_CLASS_TABLE(TListItems) {}
LT_CLASS_TABLE(TListView) {
    c.Collection("Columns", &TListView::Columns)
        .Collection("Items", &TListView::Items)
        .Enum("ViewStyle", &TListView::ViewStyle, &TListView::SetViewStyle)
        .Default(vsIcon)
        .Boolean("RowSelect", &TListView::RowSelect, &TListView::SetRowSelect)
        .Default(false)
        .Boolean("GridLines", &TListView::GridLines, &TListView::SetGridLines)
        .Default(false)
        .Event("OnSelectItem", &TListView::OnSelectItem)
        .Event("OnChange", &TListView::OnChange);
}

LT_CLASS_TABLE(THeaderSection) {
    c.String("Text", &THeaderSection::Text, &THeaderSection::SetText)
        .Integer("Width", &THeaderSection::Width, &THeaderSection::SetWidth)
        .Default(50)
        .Enum("Alignment", &THeaderSection::Alignment, &THeaderSection::SetAlignment)
        .Default(taLeftJustify);
}
LT_CLASS_TABLE(THeaderSections) {}
LT_CLASS_TABLE(THeaderControl) {
    c.Collection("Sections", &THeaderControl::Sections)
        .Event("OnSectionClick", &THeaderControl::OnSectionClick);
}

LT_CLASS_TABLE(TTreeView) {
    c.Strings("Items", &TTreeView::ItemsText, &TTreeView::SetItemsText)
        .Event("OnChange", &TTreeView::OnChange);
}
