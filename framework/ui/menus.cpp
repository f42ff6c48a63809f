// Menu items over native menus.
#include "framework/ui/menus.h"
#include "framework/ui/ui_errors.h"

#include <algorithm>
#include <map>
#include <set>

#include "framework/core/class_builder.h"
#include "framework/gdi/canvas.h"
#include "framework/ui/accel.h"
#include "framework/ui/form.h"

namespace {

std::map<UINT, TMenuItem*>& Commands() {
    static std::map<UINT, TMenuItem*> commands;
    return commands;
}
std::map<HMENU, TMenuItem*>& MenuHandles() {
    static std::map<HMENU, TMenuItem*> handles;
    return handles;
}

// The lowest identifier not in use (a freed one first, else the next new one).
UINT AllocateCommand(TMenuItem* item) {
    auto& used = Commands();
    UINT id = 1;
    if (!used.empty() && used.rbegin()->first == used.size()) {
        id = static_cast<UINT>(used.size()) + 1; // no gaps: the next new one
    } else {
        for (const auto& entry : used) {
            if (entry.first != id)
                break;
            ++id;
        }
    }
    if (id > kLastMenuCommand)
        throw EOutOfResources(L"Out of menu command identifiers");
    used[id] = item;
    return id;
}

} // namespace

TShortCut ShortCut(WORD key, TShiftState shift) {
    TShortCut sc = key & 0xFF;
    if (shift.Contains(ssShift))
        sc |= scShift;
    if (shift.Contains(ssCtrl))
        sc |= scCtrl;
    if (shift.Contains(ssAlt))
        sc |= scAlt;
    return sc;
}

std::wstring ShortCutToText(TShortCut sc) {
    const WORD key = sc & 0xFF;
    std::wstring name;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        name = std::wstring(1, static_cast<wchar_t>(key));
    else if (key >= VK_F1 && key <= VK_F24)
        name = L"F" + std::to_wstring(key - VK_F1 + 1);
    else {
        switch (key) {
        case VK_BACK:
            name = L"BkSp";
            break;
        case VK_TAB:
            name = L"Tab";
            break;
        case VK_RETURN:
            name = L"Enter";
            break;
        case VK_ESCAPE:
            name = L"Esc";
            break;
        case VK_SPACE:
            name = L"Space";
            break;
        case VK_PRIOR:
            name = L"PgUp";
            break;
        case VK_NEXT:
            name = L"PgDn";
            break;
        case VK_END:
            name = L"End";
            break;
        case VK_HOME:
            name = L"Home";
            break;
        case VK_LEFT:
            name = L"Left";
            break;
        case VK_UP:
            name = L"Up";
            break;
        case VK_RIGHT:
            name = L"Right";
            break;
        case VK_DOWN:
            name = L"Down";
            break;
        case VK_INSERT:
            name = L"Ins";
            break;
        case VK_DELETE:
            name = L"Del";
            break;
        default:
            return L"";
        }
    }
    std::wstring text;
    if (sc & scShift)
        text += L"Shift+";
    if (sc & scCtrl)
        text += L"Ctrl+";
    if (sc & scAlt)
        text += L"Alt+";
    return text + name;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(AllocateCommand(this)) {}

TMenuItem::~TMenuItem() {
    SetStateFlag(csDestroying, true);
    Clear();
    if (parent_)
        parent_->Remove(this);
    if (handle_) {
        MenuHandles().erase(handle_);
        DestroyMenu(handle_);
    }
    Commands().erase(command_);
}

TMenuItem* TMenuItem::FindItem(UINT command) {
    auto it = Commands().find(command);
    return it == Commands().end() ? nullptr : it->second;
}

TMenuItem* TMenuItem::FindItemByHandle(HMENU menu) {
    auto it = MenuHandles().find(menu);
    return it == MenuHandles().end() ? nullptr : it->second;
}

// Positions count the native entries, which are the visible sub-items.
LRESULT TMenuItem::MenuCharResult(HMENU menu, wchar_t key) {
    TMenuItem* parent = FindItemByHandle(menu);
    if (!parent)
        return MNC_IGNORE;
    int position = 0;
    for (TMenuItem* item : parent->items_) {
        if (!item->visible_)
            continue;
        if (item->enabled_ && !item->IsLine() && IsAccel(key, item->caption_))
            return MAKELRESULT(position, MNC_EXECUTE);
        ++position;
    }
    return MNC_IGNORE;
}

int TMenuItem::LiveCount() {
    return static_cast<int>(Commands().size());
}

// Makes the native menu of the sub-items; a menu's root makes the menu bar or popup.
HMENU TMenuItem::Handle() {
    if (handle_)
        return handle_;
    if (!menu_ && items_.empty())
        return nullptr;
    handle_ = menu_ ? menu_->CreateMenuHandle() : CreatePopupMenu();
    if (!handle_)
        throw EOutOfResources(L"Cannot create a menu");
    MenuHandles()[handle_] = this;
    for (TMenuItem* item : items_)
        if (item->visible_)
            item->AppendTo(handle_);
    return handle_;
}

void TMenuItem::AppendTo(HMENU menu) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU | MIIM_STRING;
    std::wstring text = caption_;
    if (shortCut_ != 0)
        text += L"\t" + ShortCutToText(shortCut_);
    if (IsLine()) {
        mii.fType = MFT_SEPARATOR;
        mii.fMask &= ~MIIM_STRING;
    } else {
        mii.fType = MFT_STRING;
        if (radioItem_)
            mii.fType |= MFT_RADIOCHECK;
    }
    if (IsOwnerDraw())
        mii.fType |= MFT_OWNERDRAW;
    if (IsRightToLeft())
        mii.fType |= MFT_RIGHTORDER | MFT_RIGHTJUSTIFY;
    mii.fState =
        (checked_ ? MFS_CHECKED : 0) | (enabled_ ? 0 : MFS_DISABLED) | (default_ ? MFS_DEFAULT : 0);
    mii.wID = command_;
    mii.hSubMenu = items_.empty() ? nullptr : Handle();
    mii.dwItemData = reinterpret_cast<ULONG_PTR>(this);
    mii.dwTypeData = text.data();
    InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &mii);
}

// Empties the native menu (sub-menus are detached, not destroyed) and fills it again.
void TMenuItem::RebuildHandle() {
    if (!handle_)
        return;
    while (GetMenuItemCount(handle_) > 0)
        RemoveMenu(handle_, 0, MF_BYPOSITION);
    for (TMenuItem* item : items_)
        if (item->visible_)
            item->AppendTo(handle_);
    if (TMenu* menu = GetParentMenu())
        menu->MenuChanged();
}

void TMenuItem::RebuildTree() {
    for (TMenuItem* item : items_)
        item->RebuildTree();
    RebuildHandle();
}

void TMenuItem::Changed() {
    if (parent_)
        parent_->RebuildHandle();
}

void TMenuItem::SetCaption(const std::wstring& v) {
    if (v != caption_) {
        caption_ = v;
        Changed();
    }
}
void TMenuItem::SetChecked(bool v) {
    if (v != checked_) {
        checked_ = v;
        Changed();
    }
}
void TMenuItem::SetEnabled(bool v) {
    if (v != enabled_) {
        enabled_ = v;
        Changed();
    }
}
void TMenuItem::SetVisible(bool v) {
    if (v != visible_) {
        visible_ = v;
        Changed();
    }
}
void TMenuItem::SetDefault(bool v) {
    if (v != default_) {
        default_ = v;
        Changed();
    }
}
void TMenuItem::SetRadioItem(bool v) {
    if (v != radioItem_) {
        radioItem_ = v;
        Changed();
    }
}
void TMenuItem::SetShortCut(TShortCut v) {
    if (v != shortCut_) {
        shortCut_ = v;
        Changed();
    }
}
void TMenuItem::SetImageIndex(int32_t v) {
    if (v != imageIndex_) {
        imageIndex_ = v;
        Changed();
    }
}

TBiDiMode TMenuItem::BiDiMode() const {
    if (parentBiDiMode_) {
        if (TMenu* menu = GetParentMenu())
            return menu->BiDiMode();
    }
    return bidiMode_;
}

void TMenuItem::SetBiDiMode(TBiDiMode v) {
    if (v == bidiMode_ && !parentBiDiMode_)
        return;
    bidiMode_ = v;
    parentBiDiMode_ = false;
    Changed();
}

void TMenuItem::SetParentBiDiMode(bool v) {
    if (v != parentBiDiMode_) {
        parentBiDiMode_ = v;
        Changed();
    }
}

int TMenuItem::MenuIndex() const {
    if (!parent_)
        return -1;
    auto& list = parent_->items_;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TMenuItem::Add(TMenuItem* item) {
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item || item->parent_)
        throw EInvalidOperation(L"Menu inserted twice");
    for (TMenuItem* p = this; p; p = p->parent_)
        if (p == item)
            throw EInvalidOperation(L"A menu item cannot contain itself");
    index = std::clamp(index, 0, Count());
    const bool hadNoItems = items_.empty();
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    RebuildHandle();
    // The first sub-item turns this item into one with a sub-menu.
    if (hadNoItems)
        Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end())
        return;
    items_.erase(it);
    item->parent_ = nullptr;
    if (HasState(csDestroying))
        return;
    RebuildHandle();
    if (items_.empty() && !menu_ && handle_) {
        // No sub-items left: the entry becomes a plain command again.
        MenuHandles().erase(handle_);
        HMENU old = handle_;
        handle_ = nullptr;
        Changed();
        DestroyMenu(old);
    }
}

void TMenuItem::Delete(int index) {
    delete items_.at(index);
}

void TMenuItem::Clear() {
    while (!items_.empty())
        delete items_.back();
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* p = this;
    while (p->parent_)
        p = p->parent_;
    return p->menu_;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut sc) {
    if (shortCut_ == sc && sc != 0)
        return this;
    for (TMenuItem* item : items_)
        if (TMenuItem* found = item->FindShortCut(sc))
            return found;
    return nullptr;
}

bool TMenuItem::IsOwnerDraw() const {
    TMenu* menu = GetParentMenu();
    return (menu && (menu->OwnerDraw() || menu->Images())) || OnMeasureItem || OnAdvancedDrawItem;
}

void TMenuItem::Click() {
    if (enabled_)
        OnClick(this);
}

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (auto* menu = dynamic_cast<TMenu*>(parent))
        menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(parent))
        item->Add(this);
}

TComponent* TMenuItem::GetParentComponent() const {
    if (parent_ && parent_->menu_)
        return parent_->menu_;
    return parent_;
}

bool TMenuItem::DispatchCommand(UINT command) {
    TMenuItem* item = FindItem(command);
    if (!item)
        return false;
    item->Click();
    return true;
}

void TMenuItem::HandleInitPopup(HMENU menu) {
    auto it = MenuHandles().find(menu);
    if (it != MenuHandles().end() && !it->second->menu_)
        it->second->Click();
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(nullptr)) {
    items_->menu_ = this;
}

TMenu::~TMenu() {
    SetStateFlag(csDestroying, true);
    delete items_;
}

void TMenu::SetOwnerDraw(bool v) {
    if (v == ownerDraw_)
        return;
    ownerDraw_ = v;
    items_->RebuildTree();
}

void TMenu::SetImages(HIMAGELIST images) {
    if (images == images_)
        return;
    images_ = images;
    items_->RebuildTree();
}

void TMenu::SetBiDiMode(TBiDiMode v) {
    if (v == bidiMode_)
        return;
    bidiMode_ = v;
    items_->RebuildTree();
}

bool TMenu::IsShortCut(WORD key, TShiftState shift) {
    TMenuItem* item = items_->FindShortCut(ShortCut(key, shift));
    if (!item || !item->Enabled())
        return false;
    item->Click();
    return true;
}

// The menu bar of the owning form is redrawn after a change.
void TMainMenu::MenuChanged() {
    auto* form = dynamic_cast<TCustomForm*>(Owner());
    if (form && form->HandleAllocated() && form->Menu() == this) {
        DrawMenuBar(form->Handle());
        form->Perform(CM_MENUCHANGED, 0, 0);
    }
}

void TPopupMenu::Popup(int x, int y) {
    OnPopup(this);
    HWND owner = PopupListWindow();
    UINT command = TrackPopupMenu(Handle(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y,
                                  0, owner, nullptr);
    if (command)
        TMenuItem::DispatchCommand(command);
}
