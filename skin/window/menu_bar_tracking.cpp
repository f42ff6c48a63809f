// The skinned menu bar's drop-downs: OpenItem shows an item's drop-down with
// TrackPopupMenu while a message-filter hook watches the menu loop and moves
// the tracking to a neighbouring bar item (arrow keys) or to the item under
// the mouse. A move onto an item without a drop-down only highlights it
// (HoldItem keeps the bar in menu mode until a key or the mouse decides).
// One drop-down is tracked, or one item held, at a time in the process.
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

// The non-client click the tracking posted to move to another bar item: the
// form skinner it went to and the point it carries (a real click on the bar
// carries HTMENU, never the HTCLIENT of a posted one).
struct TSwitchClick {
    TWinSkinForm* Form = nullptr;
    LPARAM Point = 0;
};
TSwitchClick gSwitch;

// The bar item held highlighted without a drop-down.
struct THold {
    TWinSkinForm* Form = nullptr;
    int Index = -1;
};
THold gHold;

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

// Moves menu mode to another bar item: a posted non-client click on it,
// remembered so that the form skinner takes it as a move, not a user's click.
void PostSwitchClick(TWinSkinMenu& bar, TMenuBtn* target) {
    gSwitch = {bar.Owner, bar.ClickItem(target)};
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
        PostSwitchClick(*bar, target);
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

TMenuBtn* TWinSkinMenu::HeldItem() {
    TWinSkinForm* form = gHold.Form;
    if (!form || !form->MenuBar || gHold.Index < 0 ||
        gHold.Index >= static_cast<int>(form->MenuBar->Items.size()))
        return nullptr;
    return form->MenuBar->Items[static_cast<size_t>(gHold.Index)].get();
}

void TWinSkinMenu::ForgetTracking() {
    if (gTrack.Form && gTrack.Form == Owner)
        RemoveTrackingHooks();
    if (gHold.Form == Owner)
        gHold = {};
    if (gSwitch.Form == Owner)
        gSwitch = {};
}

void TWinSkinMenu::BeginUse() {
    ++inUse_;
}

void TWinSkinMenu::EndUse() {
    if (--inUse_ > 0 || !rebuildPending_)
        return;
    rebuildPending_ = false;
    if (Owner)
        Owner->RebuildMenuBar();
}

bool TWinSkinMenu::DeferRebuild() {
    if (inUse_ > 0)
        rebuildPending_ = true;
    return inUse_ > 0;
}

bool TWinSkinMenu::TakeSwitchClick(WPARAM hitTest, LPARAM screenPoint) {
    const bool taken = gSwitch.Form && gSwitch.Form == Owner && hitTest == HTCLIENT &&
                       gSwitch.Point == screenPoint;
    if (gSwitch.Form == Owner)
        gSwitch = {};
    return taken;
}

void TWinSkinMenu::SwitchTo(TMenuBtn* item) {
    if (!item)
        return;
    if (item->SubMenu && item->Enabled)
        OpenItem(item);
    else
        HoldItem(item);
}

bool TWinSkinMenu::OpenItem(TMenuBtn* item) {
    if (!item || !Owner || !Owner->Handle)
        return false;
    // The framework runs the item's own click handling.
    PostMessageW(Owner->Handle, WM_COMMAND, item->Command, 0);
    if (!item->SubMenu)
        return false;
    // Tidying changes the menu; the bar rebuilds once the drop-down closed.
    BeginUse();
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
    if (ownerAlive) {
        owner->Busy = false;
        EndUse();
    }
    return true;
}

// --- A held item: menu mode on a bar item without a drop-down -----------------

namespace {

// How a held item's menu mode goes on after one input message.
enum class THoldEnd { Stay, Leave, Run, Open };
struct THoldStep {
    THoldEnd End = THoldEnd::Stay;
    // The item held next, run or opened.
    int Index = -1;
    // False for a message that is not input: it is dispatched as usual.
    bool Consumed = true;
};

// Reaching a bar item while one is held: an enabled item with a drop-down
// opens, any other is held in its place.
THoldStep Reach(const TWinSkinMenu& bar, int index) {
    const TMenuBtn& target = *bar.Items[static_cast<size_t>(index)];
    return {target.SubMenu && target.Enabled ? THoldEnd::Open : THoldEnd::Stay, index};
}

THoldStep HoldKey(const TWinSkinMenu& bar, WPARAM key, int held) {
    const int n = static_cast<int>(bar.Items.size());
    const TMenuBtn& item = *bar.Items[static_cast<size_t>(held)];
    // A right-to-left menu swaps the arrows, as its drop-downs do.
    if (item.Item && item.Item->IsRightToLeft() && (key == VK_LEFT || key == VK_RIGHT))
        key = key == VK_LEFT ? VK_RIGHT : VK_LEFT;
    switch (key) {
    case VK_LEFT:
        return Reach(bar, (held + n - 1) % n);
    case VK_RIGHT:
        return Reach(bar, (held + 1) % n);
    case VK_RETURN:
        return {THoldEnd::Run, held};
    case VK_ESCAPE:
    case VK_MENU:
    case VK_F10:
        return {THoldEnd::Leave, held};
    default:
        return {THoldEnd::Stay, held};
    }
}

// One message of the held item's loop (mouse points are the message's
// screen point; the window has the capture).
THoldStep HoldStep(const TWinSkinMenu& bar, const MSG& m, int held) {
    if (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN)
        return HoldKey(bar, m.wParam, held);
    if ((m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST) ||
        (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) ||
        (m.message >= WM_NCMOUSEMOVE && m.message <= WM_NCXBUTTONDBLCLK)) {
        TMenuBtn* over = bar.ItemAt(bar.Owner->ToWindowPoint(m.pt));
        switch (m.message) {
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE:
            return over && over->Index != held ? Reach(bar, over->Index)
                                               : THoldStep{THoldEnd::Stay, held};
        case WM_LBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
            if (!over)
                return {THoldEnd::Leave, held};
            return {over->SubMenu && over->Enabled ? THoldEnd::Open : THoldEnd::Run, over->Index};
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
            return {THoldEnd::Leave, held};
        default:
            return {THoldEnd::Stay, held};
        }
    }
    return {THoldEnd::Stay, held, false};
}

} // namespace

void TWinSkinMenu::HoldItem(TMenuBtn* item) {
    if (!item || !Owner || !Owner->Handle || gHold.Form || Items.empty())
        return;
    TWinSkinForm* owner = Owner;
    const HWND wnd = owner->Handle;
    BeginUse();
    gHold = {owner, item->Index};
    owner->Busy = true;
    SetCapture(wnd);
    THoldStep step{THoldEnd::Stay, item->Index};
    MSG m{};
    while (gHold.Form == owner && GetCapture() == wnd && step.End == THoldEnd::Stay) {
        if (!PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            WaitMessage();
            continue;
        }
        if (m.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(m.wParam));
            break;
        }
        step = HoldStep(*this, m, gHold.Index);
        if (!step.Consumed) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        } else if (step.End == THoldEnd::Stay && step.Index != gHold.Index) {
            gHold.Index = step.Index;
            Items[static_cast<size_t>(step.Index)]->MouseDown();
        }
    }
    // The window (and this bar) may have gone while a message ran.
    if (gHold.Form != owner)
        return;
    if (GetCapture() == wnd)
        ReleaseCapture();
    TMenuBtn& held = *Items[static_cast<size_t>(gHold.Index)];
    gHold = {};
    if (owner->HotObject() == &held)
        held.MouseLeave();
    owner->Busy = false;
    TMenuBtn& target = *Items[static_cast<size_t>(step.Index)];
    if (step.End == THoldEnd::Run && target.Enabled)
        PostMessageW(wnd, WM_COMMAND, target.Command, 0);
    else if (step.End == THoldEnd::Open)
        PostSwitchClick(*this, &target);
    EndUse();
}
