// Top-level forms: frame styles, MDI, position and state, constraints,
// closing with a close query, modal showing, focus within the form.
#pragma once

#include "framework/core/persistent.h"
#include "framework/gdi/icon.h"
#include "framework/ui/wincontrol.h"

class TMainMenu;
class TMenuItem;

LT_ENUM(TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin)
LT_ENUM(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp)
using TBorderIcons = TSet<TBorderIcon>;
LT_ENUM(TFormStyle, fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop)
LT_ENUM(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
        poDesktopCenter, poMainFormCenter, poOwnerFormCenter)
LT_ENUM(TWindowState, wsNormal, wsMinimized, wsMaximized)
LT_ENUM(TCloseAction, caNone, caHide, caFree, caMinimize)

using TModalResult = int32_t;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
                       mrYes = 6, mrNo = 7, mrAll = 8;

using TCloseEvent = TEvent<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = TEvent<void(TObject* sender, bool& canClose)>;

// Smallest and largest size of a control (0 = no limit).
class TSizeConstraints : public TPersistent {
    LT_CLASS(TSizeConstraints, TPersistent)
public:
    int32_t MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
    // Clamps a size to the limits.
    void Apply(int& width, int& height) const;
    void Assign(const TPersistent& src) override;
};

class TCustomForm : public TWinControl {
    LT_CLASS(TCustomForm, TWinControl)
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle v);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons v);
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle v);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition v) { position_ = v; }
    TWindowState WindowState() const;
    void SetWindowState(TWindowState v);
    TSizeConstraints& Constraints() { return constraints_; }
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool v) { keyPreview_ = v; }
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);
    // The MDI client window of an MDI frame, or null.
    HWND ClientHandle() const { return clientHandle_; }
    // The form's own icon, given to its window (title bar, system menu, task
    // switching) as both its big and small icon; empty keeps the class icon.
    TIcon& Icon() { return icon_; }
    void SetIcon(const TIcon& icon) { icon_.Assign(icon); }

    RECT ClientRect() const override;
    void SetClientSize(int width, int height) override;
    void SetClientWidth(int v) { SetClientSize(v, ClientHeight()); }
    void SetClientHeight(int v) { SetClientSize(ClientWidth(), v); }

    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult v) { modalResult_ = v; }
    // Shows the form modally: every other window of the thread is disabled until
    // ModalResult becomes non-zero; answers that result.
    TModalResult ShowModal();
    bool IsModal() const { return modal_; }
    // Asks OnCloseQuery (for an MDI frame, its children first).
    virtual bool CloseQuery();
    // Closes the form as the close button does.
    void Close();
    // Frees the form once the messages now queued have been handled.
    void Release();

    // Called with a form whose window exists but is not visible yet, right
    // before it is shown: a party that changes the window's frame does it
    // there, so that the window is shown, laid out and painted with that
    // frame once. One handler per process; null removes it.
    using TBeforeShowHandler = void (*)(TCustomForm& form);
    static void SetBeforeShowHandler(TBeforeShowHandler handler);

    // Runs the menu item bound to a key (main menu, then the form's popup menus).
    bool IsShortCut(WORD key, TShiftState shift);

    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // Gives the focus to a control of this form (now, or when the form is activated).
    void FocusControl(TWinControl* control);
    // Told by a control of this form that it received the focus.
    void SetFocusedControl(TWinControl* control);
    bool Active() const;

    // Reads this form's definition (components in order, then every Loaded),
    // then runs the create handler.
    void ReadDefinition(const std::string& text);
    // The create handler, with errors reported by the application.
    void DoCreate();

    // Recorded from definitions; the layout is in pixels and never rescaled.
    int32_t PixelsPerInch = 96;
    int32_t TextHeight = 13;
    bool OldCreateOrder = false;

    void Loaded() override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnResize;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

protected:
    friend class TWinControl;
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    HWND CreateWindowHandle(const TCreateParams& params, HMENU menuOrId) override;
    void DestroyWnd() override;
    void WndProc(TMessage& msg) override;
    void DefaultHandler(TMessage& msg) override;
    void AlignControls(RECT& rect) override;
    void Notification(TComponent* c, TOperation op) override;
    virtual void DoClose(TCloseAction& action);

private:
    void ShowForm(bool show);
    void PlaceOnFirstShow();
    void HandleActivate(TMessage& msg);
    bool HandleDialogKey(TMessage& msg);
    bool HandleMenuMessage(TMessage& msg);
    void RecreateFrame();
    void CloseModal();
    void IconChanged();

    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TFormStyle formStyle_ = fsNormal;
    TPosition position_ = poDesigned;
    TWindowState windowState_ = wsNormal;
    TSizeConstraints constraints_;
    TIcon icon_;
    bool keyPreview_ = false;
    bool modal_ = false;
    bool placed_ = false;
    int clientWidthRequest_ = -1, clientHeightRequest_ = -1;
    TModalResult modalResult_ = mrNone;
    TMainMenu* menu_ = nullptr;
    HWND clientHandle_ = nullptr;
    TWinControl* activeControl_ = nullptr;
    TWinControl* focusedControl_ = nullptr;
};

class TForm : public TCustomForm {
    LT_CLASS(TForm, TCustomForm)
public:
    explicit TForm(TComponent* owner) : TCustomForm(owner) {}
};
