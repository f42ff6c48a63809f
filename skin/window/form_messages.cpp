// The form skinner's message tables: every message of the subclassed window
// first (stage 1), then the frame messages of a skinned frame (stage 2: a
// first table, then the second table of a window that is skinned and shown
// normal or maximised), and the framework-level handler on a form's message
// method.
#include "skin/window/form_skinner.h"

#include <windowsx.h>

#include "framework/ui/form.h"
#include "framework/ui/messages.h"
#include "framework/ui/timer.h"
#include "skin/controls/skin_control.h"
#include "skin/model/skin_data.h"
#include "skin/window/menu_items.h"
#include "skin/window/skin_manager.h"

namespace {

// The system-menu commands a skinned system menu sends as WM_COMMAND.
bool IsSystemCommand(UINT id) {
    return (id >= SC_SIZE && id <= SC_CLOSE && (id & 0xF) == 0) || id == SC_RESTORE;
}

} // namespace

void TWinSkinForm::TFrameWindow::WindowMessage(TMessage& msg) {
    owner_->WindowMessage(msg);
}

bool TWinSkinForm::NonNormalMDIChild() const {
    return MDIKind == kMDIChild && WindowState != kWindowNormal;
}

// Stage 1: every message.
void TWinSkinForm::WindowMessage(TMessage& msg) {
    switch (msg.Msg) {
    case WM_ERASEBKGND:
        window_.CallPrevious(msg);
        if (!Form && skinData_ && skinData_->FaceBrush) {
            RECT r{};
            GetClientRect(Handle, &r);
            FillRect(reinterpret_cast<HDC>(msg.WParam), &r, skinData_->FaceBrush.Get());
            msg.Result = 1;
        }
        return;
    case WM_NCDESTROY:
        state_ = static_cast<int>(TFormSkinnerState::NcDestroyed);
        RestoreOnNcDestroy();
        window_.CallPrevious(msg);
        state_ = static_cast<int>(TFormSkinnerState::Destroyed);
        return;
    case WM_INITMENUPOPUP:
        if (TSkinManage* m = Manager())
            m->SetMenuContext(reinterpret_cast<HMENU>(msg.WParam) == SystemMenu
                                  ? TMenuContext::SystemMenu
                                  : TMenuContext::MenuBar);
        window_.CallPrevious(msg);
        return;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        // A raw window's children draw on the face it is filled with: the
        // skin's text colour over a transparent background.
        window_.CallPrevious(msg);
        if (!Form && skinData_)
            AnswerRawTextColours(msg, *skinData_);
        return;
    case SM_SKINCONTENTS:
        SkinContents();
        return;
    case SM_SKINNEDQUERY:
        msg.Result = 1;
        return;
    case WM_ENTERSIZEMOVE:
    case WM_EXITSIZEMOVE:
        sizingLoop_ = msg.Msg == WM_ENTERSIZEMOVE;
        maxLimits_.Valid = false;
        [[fallthrough]];
    default:
        if (FrameSkinned)
            FrameMessage(msg);
        else
            window_.CallPrevious(msg);
        return;
    }
}

// Stage 2, first table.
void TWinSkinForm::FrameMessage(TMessage& msg) {
    if ((InitialStyle & WS_CHILD) && MDIKind != kMDIChild) {
        window_.CallPrevious(msg);
        return;
    }
    switch (msg.Msg) {
    case WM_SYSCOMMAND:
        HandleSysCommand(msg);
        return;
    case WM_COMMAND:
        if (IsSystemCommand(LOWORD(msg.WParam)))
            PostMessageW(Handle, WM_SYSCOMMAND, LOWORD(msg.WParam), 0);
        else
            window_.CallPrevious(msg);
        return;
    case WM_WINDOWPOSCHANGING:
        // The size is final once the previous handling has held it to the
        // tracking limits: the window is shaped for it before it is painted.
        window_.CallPrevious(msg);
        ReshapeBeforeResize(*reinterpret_cast<const WINDOWPOS*>(msg.LParam));
        return;
    case WM_WINDOWPOSCHANGED:
        RefreshWindowState();
        window_.CallPrevious(msg);
        return;
    case WM_NCACTIVATE:
    case WM_ACTIVATE:
        Active = LOBYTE(msg.WParam) != 0;
        SkinnedMessage(msg);
        return;
    case WM_GETMINMAXINFO:
        HandleGetMinMaxInfo(msg);
        return;
    case CM_MENUCHANGED:
        HandleMenuChanged(msg, [this](TMessage& m) { window_.CallPrevious(m); });
        return;
    case WM_SIZE:
        HandleSize(msg);
        return;
    case WM_SETTEXT:
        // A framework form repaints its title from its message method; a raw
        // window has no caption the platform would repaint.
        window_.CallPrevious(msg);
        if (!Form && state_ != static_cast<int>(TFormSkinnerState::Attached))
            PaintFrame(nullptr);
        return;
    default:
        SkinnedMessage(msg);
        return;
    }
}

// Whether the contents pass still has to put the skinned frame around the
// window (and paints its whole non-client area as it does).
bool TWinSkinForm::FramePending() const {
    return state_ == static_cast<int>(TFormSkinnerState::Attached) && FrameSkinned &&
           !ContentsSkinned && MDIKind != kMDIChild && WindowState != kWindowMinimized &&
           BorderKind != kBorderNone && !(InitialStyle & WS_CHILD);
}

// Stage 2, second table: only for a skinned window shown normal or maximised.
void TWinSkinForm::SkinnedMessage(TMessage& msg) {
    if (FramePending() && (msg.Msg == WM_NCPAINT || msg.Msg == WM_NCACTIVATE)) {
        // The native frame would be painted only to be painted over by the
        // skinned one moments later: activation is recorded, nothing drawn.
        if (msg.Msg == WM_NCACTIVATE) {
            msg.LParam = -1;
            window_.CallPrevious(msg);
        }
        return;
    }
    if (NonNormalMDIChild() || WindowState == kWindowMinimized ||
        state_ == static_cast<int>(TFormSkinnerState::Attached)) {
        window_.CallPrevious(msg);
        return;
    }
    switch (msg.Msg) {
    case WM_NCHITTEST:
        HandleNcHitTest(msg);
        return;
    case WM_NCACTIVATE:
        HandleNcActivate(msg);
        return;
    case WM_NCCALCSIZE:
        HandleNcCalcSize(msg);
        return;
    case WM_NCMOUSEMOVE:
        HandleNcMouseMove(msg);
        return;
    case WM_NCLBUTTONDOWN:
        HandleNcLButtonDown(msg);
        return;
    case WM_NCLBUTTONUP:
        HandleNcLButtonUp(msg);
        return;
    case WM_NCLBUTTONDBLCLK:
        HandleNcLButtonDblClk(msg);
        return;
    case WM_NCRBUTTONDOWN:
        HandleNcRButtonDown(msg);
        return;
    case WM_NCPAINT:
        HandleNcPaint(msg);
        return;
    case SM_REPAINTFRAME:
        PaintFrame(nullptr);
        return;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        HandleMenuItemMessage(msg);
        return;
    default:
        window_.CallPrevious(msg);
        return;
    }
}

// The items of the window's own menus (the bar's drop-downs): measured and
// drawn by the skin; anything else goes to the previous handling.
void TWinSkinForm::HandleMenuItemMessage(TMessage& msg) {
    TSkinManage* m = Manager();
    TMenuOwnerContext ctx{skinData_, MenuBar ? MenuBar->FrameworkMenu : nullptr, Form != nullptr,
                          TWinSkinMenu::TrackedItem() ? TWinSkinMenu::TrackedItem()->SubMenu
                                                      : GetMenu(Handle),
                          m && (m->WindowsVersion() & 0x80000000) != 0};
    const bool done =
        WindowMenu &&
        (msg.Msg == WM_MEASUREITEM
             ? MeasureOwnerDrawnItem(ctx, *reinterpret_cast<MEASUREITEMSTRUCT*>(msg.LParam),
                                     ClientSizeFixed)
             : DrawOwnerDrawnItem(ctx, *reinterpret_cast<const DRAWITEMSTRUCT*>(msg.LParam)));
    if (done)
        msg.Result = 1;
    else
        window_.CallPrevious(msg);
}

// The platform's answer, then the title strip is caption and the menu strip
// menu. A native menu bar the skin does not draw lies under the title: the
// platform's HTMENU there is not taken.
void TWinSkinForm::HandleNcHitTest(TMessage& msg) {
    window_.CallPrevious(msg);
    LRESULT previous = msg.Result;
    if (previous == HTMENU && MenuHeight == 0)
        previous = HTNOWHERE;
    const POINT screen{GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)};
    msg.Result = AdjustHitTest(previous, ToWindowPoint(screen), TitleHeight);
}

// The client area inside the skinned frame of the proposed window position.
void TWinSkinForm::HandleNcCalcSize(TMessage& msg) {
    window_.CallPrevious(msg);
    if (!msg.WParam) {
        msg.Result = 0;
        return;
    }
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(msg.LParam);
    if (NonNormalMDIChild() || BorderKind == kBorderNone || !params->lppos) {
        params->rgrc[1] = params->rgrc[0];
    } else {
        const WINDOWPOS& pos = *params->lppos;
        const RECT window{pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
        params->rgrc[0] = SkinnedClientRect(window, Metrics(), MenuHeight);
        params->rgrc[1] = params->rgrc[0];
        ClientSizeFixed = true;
    }
    msg.Result = WVR_VALIDRECTS;
}

void TWinSkinForm::HandleNcActivate(TMessage& msg) {
    Active = msg.WParam != 0;
    if (HoverTimer)
        HoverTimer->SetEnabled(Active);
    if (!Active && hotButton_) {
        TSkinControl* left = hotButton_;
        hotButton_ = nullptr;
        if (IsWindow(left->Handle))
            SendMessageW(left->Handle, CM_MOUSELEAVE, 0, 0);
    }
    if (MDIKind == kMDIFrame && MDIClientWindow)
        SendMessageW(MDIClientWindow, WM_NCACTIVATE, msg.WParam, 0);
    if (!NonNormalMDIChild())
        PaintFrame(nullptr);
    msg.Result = 1;
}

void TWinSkinForm::HandleNcPaint(TMessage& msg) {
    msg.Result = 0;
    if (!skinData_ || !skinData_->FramePaintEnabled)
        return;
    if (NonNormalMDIChild() || BorderKind == kBorderNone) {
        window_.CallPrevious(msg);
        return;
    }
    PaintFrame(nullptr);
}

// WM_SIZE: the window state, an MDI child's share in the frame's maximised
// state, and the region for the new size.
void TWinSkinForm::HandleSize(TMessage& msg) {
    window_.CallPrevious(msg);
    switch (msg.WParam) {
    case SIZE_RESTORED:
        WindowState = kWindowNormal;
        break;
    case SIZE_MINIMIZED:
        WindowState = kWindowMinimized;
        break;
    case SIZE_MAXIMIZED:
        WindowState = kWindowMaximized;
        break;
    default:
        break;
    }
    if (WindowState == kWindowMinimized)
        return;
    if (MDIKind == kMDIChild) {
        // A child maximised or restored by any route (the MDI client's own
        // messages included) takes the frame's maximised state with it.
        TSkinManage* m = Manager();
        if (m && WindowState == kWindowMaximized && !m->MDIMaximized())
            m->SetMDIMaximized(true);
        if (m && WindowState == kWindowNormal && m->MDIMaximized()) {
            BOOL maximized = FALSE;
            SendMessageW(GetParent(Handle), WM_MDIGETACTIVE, 0,
                         reinterpret_cast<LPARAM>(&maximized));
            if (!maximized)
                m->SetMDIMaximized(false);
        }
        if (m && (m->MDIMaximized() || WindowState != kWindowNormal))
            return;
    }
    if (state_ == static_cast<int>(TFormSkinnerState::Skinned) ||
        state_ == static_cast<int>(TFormSkinnerState::Reskinning))
        RebuildRegion();
}

void TWinSkinForm::HandleSysCommand(TMessage& msg) {
    if (HandleKeyMenu(msg))
        return;
    window_.CallPrevious(msg);
    RefreshWindowState();
}

// A maximised skinned window lies exactly on the work area: the platform
// would place it with its native frame thickness outside the screen, which
// cuts the skinned title and pushes the bottom border under the task bar.
void TWinSkinForm::HandleGetMinMaxInfo(TMessage& msg) {
    window_.CallPrevious(msg);
    RefreshWindowState();
    if (WindowState == kWindowMinimized)
        SetNativeCaption(true);
    else if (MDIKind != kMDIChild || WindowState == kWindowNormal)
        SetNativeCaption(false);
    else
        SetNativeCaption(true);
    if (!sizingLoop_ || !maxLimits_.Valid) {
        maxLimits_ = {};
        maxLimits_.Valid = sizingLoop_;
        maxLimits_.TrackSize = {GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
        RECT work{}, monitor{};
        maxLimits_.OntoWorkArea = MaximizesOntoWorkArea() && WorkArea(work, monitor);
        if (maxLimits_.OntoWorkArea) {
            maxLimits_.Position = {work.left - monitor.left, work.top - monitor.top};
            maxLimits_.Size = {work.right - work.left, work.bottom - work.top};
        }
    }
    auto* mmi = reinterpret_cast<MINMAXINFO*>(msg.LParam);
    if (BorderKind == kBorderSizeable)
        mmi->ptMaxTrackSize = maxLimits_.TrackSize;
    if (maxLimits_.OntoWorkArea) {
        mmi->ptMaxPosition = maxLimits_.Position;
        mmi->ptMaxSize = maxLimits_.Size;
    }
}

// A menu change repaints nothing while the framework rebuilds the menu.
void TWinSkinForm::HandleMenuChanged(TMessage& msg,
                                     const std::function<void(TMessage&)>& previous) {
    if (!skinData_) {
        previous(msg);
        return;
    }
    skinData_->FramePaintEnabled = false;
    try {
        previous(msg);
    } catch (...) {
        skinData_->FramePaintEnabled = true;
        throw;
    }
    skinData_->FramePaintEnabled = true;
    // The bar follows every change: the skin took the native menu away, so
    // the window has none to test, and the form's menu may be another one
    // now, or none.
    if (MenuBar && skinData_->MenuUpdate())
        RebuildMenuBar();
}

void TWinSkinForm::RebuildMenuBar() {
    if (!MenuBar || !skinData_ || MenuBar->DeferRebuild())
        return;
    if (Form && Form->Menu() && !skinData_->MenuMerge())
        MenuBar->BuildFromFrameworkMenu();
    else
        MenuBar->BuildFromNativeMenu();
    PaintMenuBar();
}

// The framework-level handler on the form's message method.
void TWinSkinForm::FormMessage(TMessage& msg, const TMessageChain& next) {
    switch (msg.Msg) {
    case WM_SETTEXT:
        next(msg);
        if (FrameSkinned && state_ != static_cast<int>(TFormSkinnerState::Attached))
            SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                             SWP_FRAMECHANGED);
        return;
    case SM_REFRESHFORM:
        Reskin();
        ClientSizeFixed = true;
        return;
    case CM_MENUCHANGED:
        HandleMenuChanged(msg, [&next](TMessage& m) { next(m); });
        return;
    case CM_DIALOGCHAR:
        HandleDialogChar(msg, next);
        return;
    default:
        next(msg);
        return;
    }
}

// Alt+letter opens the matching menu-bar item; an MDI child hands the key to
// its frame form.
void TWinSkinForm::HandleDialogChar(TMessage& msg, const TMessageChain& next) {
    if (MenuBar && MenuBar->HandleDialogChar(msg)) {
        msg.Result = 1;
        return;
    }
    if (MDIKind == kMDIChild && msg.WParam == L'-' && (msg.LParam & 0x20000000)) {
        // Alt+- names the child's system menu, wherever in the child the key went.
        PostMessageW(Handle, WM_SYSCOMMAND, SC_KEYMENU, L'-');
        msg.Result = 1;
        return;
    }
    if (MDIKind == kMDIChild)
        if (TSkinManage* m = Manager(); m && m->MDIForm && m->MDIForm != Form) {
            const LRESULT r = m->MDIForm->Perform(CM_DIALOGCHAR, msg.WParam, msg.LParam);
            if (r != 0) {
                msg.Result = r;
                return;
            }
        }
    msg.Result = 0;
    next(msg);
}
