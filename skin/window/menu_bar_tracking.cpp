// The skinned menu bar's drop-downs: OpenItem shows an item's drop-down with
// TrackPopupMenu while a message-filter hook watches the menu loop and moves
// the tracking to a neighbouring bar item (arrow keys) or to the item under
// the mouse. One drop-down is tracked at a time in the process.
#include "skin/window/menu_bar.h"

#include "framework/ui/menus.h"
#include "skin/window/form_skinner.h"
#include "skin/window/skin_manager.h"

namespace {

// The tracking state: one drop-down is tracked at a time in the process.
struct TTracking {
    TWinSkinForm* Form = nullptr;
    int OpenIndex = -1;
    TMenuItem* Selected = nullptr;
    POINT LastMouse{};
    HHOOK Filter = nullptr;
    HHOOK Observer = nullptr;
    bool FirstKeySent = false;
    bool Switching = false;
};
TTracking gTrack;
bool gOwnerDrawnDropDowns = false;

bool IsWindowsNT4() {
    const TSkinManage* m = TSkinManage::Instance(false);
    const DWORD v = m && m->WindowsVersion() ? m->WindowsVersion() : GetVersion();
    return (v & 0x80000000u) == 0 && LOBYTE(LOWORD(v)) == 4;
}

// The framework item a selection in the drop-down stands for, when it belongs
// to the bar's framework menu.
TMenuItem* SelectedFrameworkItem(const TWinSkinMenu& bar, WPARAM wparam, HMENU menu) {
    if (!bar.FrameworkMenu || !menu)
        return nullptr;
    TMenuItem* item = nullptr;
    if (HIWORD(wparam) & MF_POPUP) {
        HMENU sub = GetSubMenu(menu, LOWORD(wparam));
        item = sub ? TMenuItem::FindItemByHandle(sub) : nullptr;
    } else {
        item = TMenuItem::FindItem(LOWORD(wparam));
    }
    return item && item->GetParentMenu() == bar.FrameworkMenu ? item : nullptr;
}

// The bar of the tracked form skinner.
TWinSkinMenu* TrackedBar() {
    return gTrack.Form ? gTrack.Form->MenuBar.get() : nullptr;
}

// The neighbour of the open item in the bar, wrapping at both ends
// (invisible and disabled items are not skipped).
TMenuBtn* Neighbour(TWinSkinMenu& bar, int step) {
    const int n = static_cast<int>(bar.Items.size());
    if (n == 0 || gTrack.OpenIndex < 0)
        return nullptr;
    return bar.Items[static_cast<size_t>((gTrack.OpenIndex + step + n) % n)].get();
}

// Whether the selected framework item lies in the drop-down the bar opened
// (it is that drop-down's item, or one of its entries).
bool SelectionInOpenDropDown(TWinSkinMenu& bar) {
    TMenuBtn* open = Neighbour(bar, 0);
    TMenuItem* dropDown =
        open && open->SubMenu ? TMenuItem::FindItemByHandle(open->SubMenu) : nullptr;
    TMenuItem* selected = gTrack.Selected;
    return dropDown && (selected == dropDown || selected->Parent() == dropDown);
}

// WM_MENUSELECT: a closed menu ends the bar's busy state unless the tracking
// moves to another item; otherwise the selection is remembered.
void MenuSelected(TWinSkinMenu& bar, WPARAM wparam, LPARAM lparam) {
    const auto menu = reinterpret_cast<HMENU>(lparam);
    if (HIWORD(wparam) == 0xFFFF && !menu) {
        if (!gTrack.Switching && gTrack.Form)
            gTrack.Form->Busy = false;
        return;
    }
    gTrack.Switching = false;
    gTrack.Selected = SelectedFrameworkItem(bar, wparam, menu);
}

// The bar item a menu-loop message moves the tracking to, or null.
TMenuBtn* SwitchTarget(TWinSkinMenu& bar, const MSG& m) {
    switch (m.message) {
    case WM_KEYDOWN:
        if (m.wParam == VK_RETURN || m.wParam == VK_ESCAPE)
            gTrack.Switching = false;
        if (m.wParam == VK_LEFT && (!gTrack.Selected || SelectionInOpenDropDown(bar)))
            return Neighbour(bar, -1);
        if (m.wParam == VK_RIGHT && (!gTrack.Selected || gTrack.Selected->Count() == 0))
            return Neighbour(bar, 1);
        return nullptr;
    case WM_SYSKEYDOWN:
        if (m.wParam == VK_MENU && gTrack.Form)
            gTrack.Form->Busy = false;
        return nullptr;
    case WM_MENUSELECT:
        MenuSelected(bar, m.wParam, m.lParam);
        return nullptr;
    case WM_MOUSEMOVE: {
        if (m.pt.x == gTrack.LastMouse.x && m.pt.y == gTrack.LastMouse.y)
            return nullptr;
        gTrack.LastMouse = m.pt;
        return bar.ItemAt(gTrack.Form->ToWindowPoint(m.pt));
    }
    default:
        return nullptr;
    }
}

// One message of the menu loop, after the next hook let it through.
void TrackMessage(const MSG& m) {
    TWinSkinMenu* bar = TrackedBar();
    if (!bar)
        return;
    if (!gTrack.FirstKeySent) {
        // The first entry of the drop-down starts selected.
        gTrack.FirstKeySent = true;
        PostMessageW(m.hwnd, WM_KEYDOWN, VK_DOWN, 0);
    }
    TMenuBtn* target = SwitchTarget(*bar, m);
    if (target && target->Index != gTrack.OpenIndex) {
        // The posted click opens the target's drop-down once this menu loop
        // has ended. Wine's loop does not end on a posted non-client click (the
        // drop-down test hangs without EndMenu), so it is ended here.
        gTrack.Switching = true;
        bar->ClickItem(target);
        EndMenu();
    }
}

LRESULT CALLBACK MenuFilterHook(int code, WPARAM wparam, LPARAM lparam) {
    auto* m = reinterpret_cast<MSG*>(lparam);
    try {
        // A right-to-left drop-down swaps the meaning of the arrow keys.
        if (code >= 0 && m && gTrack.Selected && gTrack.Selected->IsRightToLeft() &&
            (m->message == WM_KEYDOWN || m->message == WM_KEYUP)) {
            if (m->wParam == VK_LEFT)
                m->wParam = VK_RIGHT;
            else if (m->wParam == VK_RIGHT)
                m->wParam = VK_LEFT;
        }
    } catch (...) {
    }
    const LRESULT next = CallNextHookEx(gTrack.Filter, code, wparam, lparam);
    if (next != 0 || code != MSGF_MENU || !m)
        return next;
    try {
        TrackMessage(*m);
    } catch (...) {
        // The menu loop goes on; nothing crosses the hook.
    }
    return next;
}

// WM_MENUSELECT is sent to the owner window, not read from the queue, so the
// message filter never sees it: this observer hands it to the same handling.
LRESULT CALLBACK MenuSelectObserver(int code, WPARAM wparam, LPARAM lparam) {
    const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(lparam);
    if (code == HC_ACTION && cwp && cwp->message == WM_MENUSELECT && gTrack.Form &&
        cwp->hwnd == gTrack.Form->Handle) {
        try {
            if (TWinSkinMenu* bar = TrackedBar())
                MenuSelected(*bar, cwp->wParam, cwp->lParam);
        } catch (...) {
        }
    }
    return CallNextHookEx(gTrack.Observer, code, wparam, lparam);
}

void InstallTrackingHooks() {
    gTrack.Switching = false;
    gTrack.FirstKeySent = false;
    GetCursorPos(&gTrack.LastMouse);
    if (!gTrack.Filter)
        gTrack.Filter =
            SetWindowsHookExW(WH_MSGFILTER, MenuFilterHook, nullptr, GetCurrentThreadId());
    if (!gTrack.Observer)
        gTrack.Observer =
            SetWindowsHookExW(WH_CALLWNDPROC, MenuSelectObserver, nullptr, GetCurrentThreadId());
}

void RemoveTrackingHooks() {
    if (gTrack.Filter)
        UnhookWindowsHookEx(gTrack.Filter);
    if (gTrack.Observer)
        UnhookWindowsHookEx(gTrack.Observer);
    gTrack.Filter = nullptr;
    gTrack.Observer = nullptr;
    gTrack.Form = nullptr;
    gTrack.Selected = nullptr;
    gTrack.OpenIndex = -1;
}

} // namespace

void MakeMenuOwnerDrawn(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_STATE | MIIM_SUBMENU | MIIM_TYPE;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii))
            continue;
        if (mii.hSubMenu)
            MakeMenuOwnerDrawn(mii.hSubMenu);
        if (mii.fType & MFT_OWNERDRAW)
            continue;
        MENUITEMINFOW set{};
        set.cbSize = sizeof set;
        set.fMask = MIIM_TYPE;
        set.fType = mii.fType | MFT_OWNERDRAW;
        SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &set);
    }
}

void TWinSkinMenu::SetOwnerDrawnDropDowns(bool on) {
    gOwnerDrawnDropDowns = on;
}

bool TWinSkinMenu::OwnerDrawnDropDowns() {
    return gOwnerDrawnDropDowns;
}

TMenuBtn* TWinSkinMenu::TrackedItem() {
    TWinSkinForm* form = gTrack.Form;
    if (!form || !form->MenuBar || gTrack.OpenIndex < 0 ||
        gTrack.OpenIndex >= static_cast<int>(form->MenuBar->Items.size()))
        return nullptr;
    return form->MenuBar->Items[static_cast<size_t>(gTrack.OpenIndex)].get();
}

void TWinSkinMenu::ForgetTracking() {
    if (gTrack.Form && gTrack.Form == Owner)
        RemoveTrackingHooks();
}

bool TWinSkinMenu::OpenItem(TMenuBtn* item) {
    if (!item || !Owner || !Owner->Handle)
        return false;
    // The framework runs the item's own click handling.
    PostMessageW(Owner->Handle, WM_COMMAND, item->Command, 0);
    if (!item->SubMenu)
        return false;
    if (item->Item)
        TidySeparators(*item->Item);
    gTrack.Form = Owner;
    gTrack.OpenIndex = item->Index;
    GetWindowRect(Owner->Handle, &Owner->WindowRect);
    if (gOwnerDrawnDropDowns && !IsWindowsNT4())
        MakeMenuOwnerDrawn(item->SubMenu);
    TWinSkinForm* owner = Owner;
    owner->Busy = true;
    if (TSkinManage* m = TSkinManage::Instance(false))
        m->SetMenuContext(TMenuContext::MenuBar);
    InstallTrackingHooks();
    if (item->Enabled) {
        const RECT& w = owner->WindowRect;
        TrackPopupMenu(item->SubMenu, TPM_NONOTIFY | TPM_RIGHTBUTTON, w.left + item->Bounds.left,
                       w.top + item->Bounds.bottom, 0, owner->Handle, nullptr);
    }
    // The form skinner (and this bar) may have gone with the window while the
    // menu was open; the tracking then no longer names it.
    const bool ownerAlive = gTrack.Form == owner;
    RemoveTrackingHooks();
    if (ownerAlive)
        owner->Busy = false;
    return true;
}
