// The form skinner: creation, attaching, the contents pass and the resize
// that keeps the client size, re-skinning, and giving everything back.
#include "skin/window/form_skinner.h"

#include <algorithm>

#include "framework/core/class_builder.h"
#include "framework/gdi/screen_text.h"
#include "framework/ui/form.h"
#include "framework/ui/menus.h"
#include "framework/ui/messages.h"
#include "framework/ui/timer.h"
#include "skin/model/skin_data.h"
#include "skin/window/menu_items.h"
#include "skin/window/skin_manager.h"

LT_CLASS_TABLE(TWinSkinForm) {}

namespace {

constexpr uint32_t kHoverInterval = 250;

TFormSkinnerBase* MakeFormSkinner(TCustomForm* form) {
    return new TWinSkinForm(form);
}

// A form about to be shown takes its skinned frame first.
void SkinBeforeShow(TCustomForm& form) {
    if (TSkinManage* m = TSkinManage::Instance(false))
        m->SkinFormBeforeShow(form);
}

// Window size as (width, height).
SIZE WindowSize(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}

} // namespace

TSkinManage* TWinSkinForm::Manager() {
    return TSkinManage::Instance(false);
}

void TWinSkinForm::Install() {
    TSkinManage::SetFormSkinnerFactory(MakeFormSkinner);
}

void TWinSkinForm::InstallBeforeShow(bool on) {
    TCustomForm::SetBeforeShowHandler(on ? SkinBeforeShow : nullptr);
}

// The caption font comes from the system's non-client metrics; when that
// call fails the canvas font's default stays.
TWinSkinForm::TWinSkinForm(TComponent* owner)
    : TComponent(owner), CaptionSuffix(L"  "), CaptionPrefix(L" "), window_(this), client_(this) {
    DoubleClickTime = GetDoubleClickTime();
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        CaptionFont.AssignLogFont(metrics.lfCaptionFont);
    IconSize = GetSystemMetrics(SM_CXSMICON);
    Active = true;
}

TWinSkinForm::~TWinSkinForm() {
    destroying_ = true;
    formHook_.Unhook();
    RestoreWrappers();
    DropCaptionButtons();
    HoverTimer.reset();
    SystemMenuPopup.reset();
    if (window_.IsSubclassed())
        RestoreWindowProc();
    UnsubclassMDIClient();
    if (TSkinManage* m = Manager())
        m->RemoveFormSkinner(Handle);
}

void TWinSkinForm::AttachForm(TCustomForm* form, TSkinData* data) {
    Form = form;
    Handle = form->Handle();
    if (data->SkinControls().Contains(xcMainMenu))
        formHook_.Hook(
            form->MessageHooks(), this,
            [this](TMessage& msg, const TMessageChain& next) { FormMessage(msg, next); });
    AttachWindow(data);
    SavedFormColor = form->Color();
    form->SetColor(data->ButtonFaceColour);
    PreparePopupMenus(form, data, true);
    PrepareMainMenus(form, data, true);
}

void TWinSkinForm::AttachWindow(TSkinData* data) {
    if (window_.IsSubclassed() || !IsWindow(Handle))
        return;
    if (TSkinManage* m = Manager())
        m->SetHookState(TSkinHookState::Running);
    skinData_ = data;
    HoverTimer = std::make_unique<TTimer>(nullptr);
    HoverTimer->SetEnabled(false);
    HoverTimer->SetInterval(kHoverInterval);
    HoverTimer->OnTimer = [this](TObject*) { HoverTick(); };

    FrameSkinned = data->SkinControls().Contains(xcMainMenu);
    InitialStyle = GetWindowLongW(Handle, GWL_STYLE);
    const LONG exStyle = GetWindowLongW(Handle, GWL_EXSTYLE);
    RightToLeft = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
    RestoreOnDestroy = true;
    SystemMenu = GetSystemMenu(Handle, FALSE);

    BuildIconImage();
    WindowClass = WindowClassNameA(Handle);
    OwnerWindow = GetWindow(Handle, GW_OWNER);
    GetClientRect(Handle, &ClientRect);
    const SIZE ws = WindowSize(Handle);
    NativeNonClient = {ws.cx - (ClientRect.right - ClientRect.left),
                       ws.cy - (ClientRect.bottom - ClientRect.top)};

    Caps = 0;
    if ((InitialStyle & WS_SYSMENU) || SystemMenu)
        Caps |= kCapSysMenu;
    if (InitialStyle & WS_MINIMIZEBOX)
        Caps |= kCapMinBox;
    if (InitialStyle & WS_MAXIMIZEBOX)
        Caps |= kCapMaxBox;

    BuildSystemMenu();
    RefreshWindowState();
    Sizeable = (InitialStyle & WS_THICKFRAME) != 0;

    MDIKind = kMDINone;
    for (HWND child = GetWindow(Handle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (WindowClassNameA(child) == "MDIClient") {
            MDIKind = kMDIFrame;
            MDIClientWindow = child;
            if (TSkinManage* m = Manager()) {
                m->MDIClient = child;
                m->MDIForm = Form;
            }
            break;
        }
    if (MDIKind == kMDINone && (exStyle & WS_EX_MDICHILD))
        MDIKind = kMDIChild;

    BorderKind = kBorderSingle;
    if ((InitialStyle & WS_POPUP) && (InitialStyle & WS_CAPTION) != WS_CAPTION)
        BorderKind = kBorderNone;
    else if (InitialStyle & WS_THICKFRAME)
        BorderKind = kBorderSizeable;
    else if (InitialStyle & DS_MODALFRAME)
        BorderKind = kBorderDialog;
    if (exStyle & WS_EX_DLGMODALFRAME)
        BorderKind = kBorderDialog;
    UnicodeWindow = WindowClass.find(".UnicodeClass") != std::string::npos;
    if (WindowClass == "#32770" || WindowClass == "TMessageForm") {
        SystemDialog = true;
        BorderKind = kBorderDialog;
    }

    if (MDIKind == kMDIFrame) {
        SavedMenuUpdate = data->MenuUpdate();
        SubclassMDIClient();
    }

    TSkinManage* m = Manager();
    const bool mdiMaximized = m && m->MDIMaximized();
    if (FrameSkinned) {
        WindowMenu = GetMenu(Handle);
        if (WindowMenu && MDIKind != kMDIChild) {
            // The skinned menu bar takes the strip below the title. A raw
            // window's bar shows the items of its native menu.
            MenuBar = std::make_unique<TWinSkinMenu>(this);
            MenuHeight = GetSystemMetrics(SM_CYMENU);
            MenuBar->FrameworkMenu = Form ? Form->Menu() : nullptr;
            if (MenuBar->FrameworkMenu)
                MenuBar->BuildFromFrameworkMenu();
            else
                MenuBar->BuildFromNativeMenu();
        }
        if (!(MDIKind == kMDIChild && mdiMaximized) && WindowState != kWindowMinimized)
            SetNativeCaption(false);
        ComputeFrame();
    } else {
        state_ = static_cast<int>(TFormSkinnerState::Skinned);
    }

    window_.Subclass(Handle, UnicodeWindow || Form ? TProcCharset::Unicode : TProcCharset::Auto);

    if (MDIKind == kMDIChild && WindowState == kWindowMaximized && m && !m->MDIMaximized())
        m->SetMDIMaximized(true);
    InvalidateRect(Handle, nullptr, TRUE);
}

// Off takes the native caption (or, for an owned window or an MDI child,
// its caption buttons) away; on gives back only what the window had at
// attach. A popup without a full caption keeps its native frame: its border
// is the only frame it has, and the skin draws none around it.
void TWinSkinForm::SetNativeCaption(bool on) {
    TSkinManage* m = Manager();
    if (MDIKind == kMDIChild && m && m->MDIMaximized() && !on)
        return;
    if (!on && BorderKind == kBorderNone)
        return;
    NativeCaptionOn = on;
    const LONG before = GetWindowLongW(Handle, GWL_STYLE);
    LONG style = before;
    if (on) {
        // A system menu found without WS_SYSMENU adds no bit.
        style |= InitialStyle & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
        if (Caps & kCapCaptionRemoved)
            style |= InitialStyle & WS_CAPTION;
    } else if (OwnerWindow || MDIKind == kMDIChild) {
        style &= ~(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    } else {
        Caps |= kCapCaptionRemoved;
        style &= ~WS_CAPTION;
    }
    // Asked on every size change (WM_GETMINMAXINFO): a style already right
    // is not written again, which would send the style-change messages.
    if (style != before)
        SetWindowLongW(Handle, GWL_STYLE, style);
}

bool TWinSkinForm::RegisterWrapper(TSkinControl* wrapper) {
    if (std::find(Wrappers.begin(), Wrappers.end(), wrapper) != Wrappers.end())
        return true;
    Wrappers.push_back(wrapper);
    return false;
}

void TWinSkinForm::UnregisterWrapper(TSkinControl* wrapper) {
    std::erase(Wrappers, wrapper);
    if (hotButton_ == wrapper)
        hotButton_ = nullptr;
}

// Every wrapper whose window still lives gives its control back; all are
// freed, last registered first. The list is read live: a wrapper that frees
// a wrapper of its own (a combo box's list scroll bars) takes that one off
// the list as it goes, so nothing is freed twice.
void TWinSkinForm::RestoreWrappers() {
    hotButton_ = nullptr;
    while (!Wrappers.empty()) {
        TSkinControl* w = Wrappers.back();
        Wrappers.pop_back();
        w->FormSkinner = nullptr;
        if (w->State != TWrapperState::Destroyed)
            w->RestoreControl();
        delete w;
    }
}

void TWinSkinForm::DropCaptionButtons() {
    HotObj = nullptr;
    CaptionButtons.clear();
    CaptionButtonCount = 0;
}

void TWinSkinForm::Repaint() {
    if (IsWindow(Handle))
        PostMessageW(Handle, SM_REPAINTFRAME, 0, 0);
}

bool TWinSkinForm::SkinContentsNow() {
    SkinContents();
    return true;
}

// The contents pass, once after attaching: wrappers, then the first resize
// to the skinned frame at the same client size.
void TWinSkinForm::SkinContents() {
    ContentsSkinned = true;
    if (Form)
        SkinOwnedControls(Form);
    else
        SkinChildWindows();
    TSkinManage* m = Manager();
    if (state_ == static_cast<int>(TFormSkinnerState::Attached) && FrameSkinned) {
        if (MDIKind == kMDIChild && m && m->MDIMaximized()) {
            SetNativeCaption(true);
            SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                             SWP_FRAMECHANGED);
        } else if (WindowState != kWindowMinimized && BorderKind != kBorderNone) {
            state_ = static_cast<int>(TFormSkinnerState::FirstResize);
            ResizeKeepingClient(false);
            state_ = static_cast<int>(TFormSkinnerState::Skinned);
            RebuildRegion();
        }
    }
    SkinTrace("*****Skin Active finish");
    state_ = static_cast<int>(TFormSkinnerState::Skinned);
    if (HoverTimer)
        HoverTimer->SetEnabled(true);
}

// Puts the skinned frame around the client area the window has now. The
// client size is measured against the native frame measured at attach
// (refresh: against the current skinned frame), so it stays exact for every
// border kind.
void TWinSkinForm::ResizeKeepingClient(bool refresh) {
    if (WindowState == kWindowMaximized) {
        // A window maximised before it was skinned lies where its native
        // frame put it: it moves onto the work area with the skinned frame.
        RECT work{}, monitor{};
        if (MaximizesOntoWorkArea() && WorkArea(work, monitor))
            SetWindowPos(Handle, nullptr, work.left, work.top, work.right - work.left,
                         work.bottom - work.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        else
            SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                             SWP_FRAMECHANGED);
        return;
    }
    SIZE client{};
    if (refresh) {
        GetClientRect(Handle, &ClientRect);
        client = {ClientRect.right - ClientRect.left, ClientRect.bottom - ClientRect.top};
    } else {
        const SIZE ws = WindowSize(Handle);
        client = {ws.cx - NativeNonClient.cx, ws.cy - NativeNonClient.cy};
    }
    int width = client.cx + LeftWidth + RightWidth;
    const int height = client.cy + TitleHeight + BottomHeight + MenuHeight;
    if (SystemDialog && !refresh)
        WidenSystemDialog(width);
    SetWindowPos(Handle, nullptr, 0, 0, width, height,
                 SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOMOVE);
}

// A message box whose caption does not fit is widened; its controls move
// right by half the growth so that they stay centred.
void TWinSkinForm::WidenSystemDialog(int& width) {
    const std::wstring text = ReadCaption();
    TScreenTextDC measure(CaptionFont.Handle());
    SIZE extent{};
    GetTextExtentPoint32W(measure.Handle(), text.c_str(), static_cast<int>(text.size()), &extent);
    CaptionTextWidth = extent.cx;
    const TDataSkinTitle* title = skinData_->Title.get();
    const int needed =
        (title ? title->LeftWidth : 0) + CaptionTextWidth + (title ? title->RightWidth : 0);
    if (width >= needed)
        return;
    const int shift = (needed - width) / 2;
    for (HWND child = GetWindow(Handle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(child, &r);
        POINT p{r.left, r.top};
        ScreenToClient(Handle, &p);
        SetWindowPos(child, nullptr, p.x + shift, p.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING |
                         SWP_NOOWNERZORDER);
    }
    width = needed;
}

// Whether the window's maximised placement is the work area (a top-level
// window with a skinned frame).
bool TWinSkinForm::MaximizesOntoWorkArea() const {
    return FrameSkinned && MDIKind != kMDIChild && BorderKind != kBorderNone &&
           !(InitialStyle & WS_CHILD);
}

// The work area and the whole area of the window's monitor (screen coordinates).
bool TWinSkinForm::WorkArea(RECT& work, RECT& monitor) const {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (!GetMonitorInfoW(MonitorFromWindow(Handle, MONITOR_DEFAULTTONEAREST), &mi))
        return false;
    work = mi.rcWork;
    monitor = mi.rcMonitor;
    return true;
}

void TWinSkinForm::Reskin() {
    if (!skinData_)
        return;
    TWinControl* focused = nullptr;
    if (Form) {
        Form->SetColor(skinData_->ButtonFaceColour);
        for (int i = 0; i < Form->ComponentCount(); ++i)
            if (auto* embedded = dynamic_cast<TCustomForm*>(Form->Components(i)))
                embedded->SetColor(skinData_->ButtonFaceColour);
        focused = TWinControl::FindControl(GetFocus());
    }
    for (TSkinControl* w : std::vector<TSkinControl*>(Wrappers))
        w->SkinChanged();
    state_ = static_cast<int>(TFormSkinnerState::Reskinning);
    if (MenuBar) {
        // Its items take the skin again and follow the menu as it is now:
        // one rebuild once the menus below are prepared.
        MenuBar->SkinData = skinData_;
        MenuBar->BeginUse();
        MenuBar->DeferRebuild();
    }
    if (FrameSkinned && Form) {
        // Menus made since attaching get the skinned item drawing too.
        PreparePopupMenus(Form, skinData_, true);
        PrepareMainMenus(Form, skinData_, true);
    }
    if (MenuBar)
        MenuBar->EndUse();
    // A popup without a caption keeps its native frame: nothing to fit.
    if (FrameSkinned && BorderKind != kBorderNone)
        ResizeKeepingClient(true);
    if (FrameSkinned && Form) {
        // A change of one pixel and back forces the form to lay out again.
        RECT r{};
        GetWindowRect(Handle, &r);
        const int w = r.right - r.left, h = r.bottom - r.top;
        SetWindowPos(Handle, nullptr, 0, 0, w, h + 1, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowPos(Handle, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RebuildRegion();
    if (focused && focused->HandleAllocated() && IsWindow(focused->Handle()))
        ::SetFocus(focused->Handle());
    state_ = static_cast<int>(TFormSkinnerState::Skinned);
    PaintFrame(nullptr);
}

// Gives back the framework-level hook and the window procedure.
void TWinSkinForm::ReleaseFormHook() {
    formHook_.Unhook();
}

void TWinSkinForm::RestoreWindowProc() {
    window_.Unsubclass();
}

// The form's popup and main menus lose the skinned item drawing.
void TWinSkinForm::UnprepareMenus() {
    if (Form && skinData_) {
        PreparePopupMenus(Form, skinData_, false);
        PrepareMainMenus(Form, skinData_, false);
    }
}

// The first steps of both undos; false when the light restore did it all.
bool TWinSkinForm::StopFrameSkinning() {
    if (!FrameSkinned) {
        LightRestore();
        return false;
    }
    SystemMenuPopup.reset();
    if (HoverTimer)
        HoverTimer->SetEnabled(false);
    return true;
}

void TWinSkinForm::Restore() {
    if (!StopFrameSkinning() || !window_.IsSubclassed())
        return;
    ReleaseFormHook();
    RestoreWindowProc();
    RestoreWrappers();
    UnprepareMenus();
    const bool ncDestroyed = state_ == static_cast<int>(TFormSkinnerState::NcDestroyed);
    if (Form && !ncDestroyed)
        Form->SetColor(SavedFormColor);
    SetNativeCaption(true);
    if (MenuBar) {
        SetMenu(Handle, MenuBar->MenuHandle);
        MenuBar.reset();
    }
    UnsubclassMDIClient();
    TitleCache.SetSize(0, 0);
    DropCaptionButtons();
    if (!ncDestroyed && (MDIKind == kMDIChild || !(InitialStyle & WS_CHILD))) {
        RECT r{};
        GetWindowRect(Handle, &r);
        POINT topLeft{r.left, r.top};
        if (MDIKind == kMDIChild)
            ScreenToClient(GetParent(Handle), &topLeft);
        // A window without a skinned frame kept its native one all along.
        const bool framed = BorderKind != kBorderNone;
        int w = r.right - r.left + (framed ? NativeNonClient.cx - LeftWidth - RightWidth : 0);
        int h = r.bottom - r.top +
                (framed ? NativeNonClient.cy - TitleHeight - MenuHeight - BottomHeight : 0);
        RECT work{}, monitor{};
        if (WindowState == kWindowMaximized && MaximizesOntoWorkArea() && WorkArea(work, monitor)) {
            // Back to the platform's maximised placement: the native side
            // borders lie just outside the work area.
            const int border = NativeNonClient.cx / 2;
            topLeft = {work.left - border, work.top - border};
            w = work.right - work.left + 2 * border;
            h = work.bottom - work.top + 2 * border;
        }
        SetWindowPos(Handle, nullptr, topLeft.x, topLeft.y, w, h,
                     SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    SetWindowRgn(Handle, nullptr, TRUE);
    OwnsRegion = false;
    RegionSize = {};
}

void TWinSkinForm::RestoreOnNcDestroy() {
    if (!StopFrameSkinning())
        return;
    ReleaseFormHook();
    if (window_.IsSubclassed())
        RestoreWindowProc();
    RestoreWrappers();
    MenuBar.reset();
    TitleCache.SetSize(0, 0);
}

// Undo for a window whose frame was not skinned: wrappers, colour, window
// procedure and MDI client.
void TWinSkinForm::LightRestore() {
    if (HoverTimer)
        HoverTimer->SetEnabled(false);
    RestoreWrappers();
    UnprepareMenus();
    const bool ncDestroyed = state_ == static_cast<int>(TFormSkinnerState::NcDestroyed);
    if (Form && !ncDestroyed)
        Form->SetColor(SavedFormColor);
    ReleaseFormHook();
    if (window_.IsSubclassed())
        RestoreWindowProc();
    UnsubclassMDIClient();
    if (Form && !ncDestroyed)
        Form->Invalidate();
}

void TWinSkinForm::ToMaximized() {
    if (WindowState == kWindowMaximized) {
        ToNormal();
        return;
    }
    if (MDIKind == kMDIChild)
        if (TSkinManage* m = Manager())
            m->SetMDIMaximized(true);
    HotObj = nullptr;
    WindowState = kWindowMaximized;
    PostMessageW(Handle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
}

void TWinSkinForm::ToNormal() {
    WindowState = kWindowNormal;
    PostMessageW(Handle, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TWinSkinForm::ToMinimized() {
    if (WindowState == kWindowMinimized) {
        ToNormal();
        return;
    }
    WindowState = kWindowMinimized;
    PostMessageW(Handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

// A point on the screen in window coordinates: the client origin lies at
// (LeftWidth, TitleHeight + MenuHeight) unless the window is minimised.
POINT TWinSkinForm::ToWindowPoint(POINT screen) const {
    POINT p = screen;
    ScreenToClient(Handle, &p);
    if (WindowState != kWindowMinimized) {
        p.x += LeftWidth;
        p.y += TitleHeight + MenuHeight;
    }
    return p;
}

// Follows the window's placement: minimised, maximised or normal.
void TWinSkinForm::RefreshWindowState() {
    // The style bits say what the placement's show command would (it is
    // made from them), without the placement's work-area arithmetic, which
    // is dear and runs at every size change.
    if (!IsWindow(Handle))
        return;
    WindowState = IsIconic(Handle)   ? kWindowMinimized
                  : IsZoomed(Handle) ? kWindowMaximized
                                     : kWindowNormal;
}

void TWinSkinForm::MDIMaximizedChanged(bool maximized) {
    if (!IsWindow(Handle))
        return;
    if (maximized) {
        if (OwnsRegion) {
            SetWindowRgn(Handle, nullptr, TRUE);
            OwnsRegion = false;
            RegionSize = {};
        }
        TitleCache.SetSize(0, 0);
        SetNativeCaption(true);
        return;
    }
    if (WindowState == kWindowMinimized) {
        SetNativeCaption(true);
        return;
    }
    const bool hadRegion = OwnsRegion;
    WindowState = kWindowNormal;
    RebuildRegion();
    SetNativeCaption(false);
    if (!hadRegion)
        SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}
