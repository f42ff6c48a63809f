// TWinSkinForm, the form skinner: takes over one top-level window or MDI
// child chosen by the skin manager. It subclasses the window, removes the
// native caption, makes the non-client area as thick as the skin's borders,
// paints borders, title and caption buttons, shapes the window region, answers
// hit tests and non-client mouse messages, follows the window's state, handles
// the MDI frame and its children, and gives the controls their wrappers. On
// deactivation or destruction it puts everything back.
//
// Files: form_skinner.cpp (creation, attach, restore, contents, resizing),
// form_messages.cpp (the message tables), form_frame.cpp (frame geometry,
// painting, region, icon), form_caption.cpp (caption buttons' mouse handling,
// actions, the system menu), form_keymenu.cpp (the keyboard's way into the
// system menu and the menu bar), form_mdi.cpp (the MDI client).
#pragma once

#include "framework/ui/win32.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/component.h"
#include "framework/gdi/bitmap.h"
#include "framework/gdi/canvas.h"
#include "framework/gdi/font.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/ui/message_hooks.h"
#include "framework/ui/subclass.h"
#include "skin/controls/skin_control.h"
#include "skin/window/caption_buttons.h"
#include "skin/window/frame_paint.h"
#include "skin/window/menu_bar.h"
#include "skin/window/skinner_interfaces.h"

class TTimer;
class TPopupMenu;
class TCustomForm;
class TSkinManage;

// Caps bits.
constexpr uint8_t kCapMaxBox = 0x01;
constexpr uint8_t kCapMinBox = 0x02;
constexpr uint8_t kCapSysMenu = 0x08;
constexpr uint8_t kCapCaptionRemoved = 0x10;

// MDI kinds.
constexpr uint8_t kMDINone = 0;
constexpr uint8_t kMDIFrame = 1;
constexpr uint8_t kMDIChild = 2;

// Window states.
constexpr uint8_t kWindowNormal = 0;
constexpr uint8_t kWindowMaximized = 1;
constexpr uint8_t kWindowMinimized = 2;

class TWinSkinForm : public TComponent,
                     public TFormSkinnerBase,
                     public TWrapperHost,
                     public TNCObjectOwner {
    LT_CLASS(TWinSkinForm, TComponent)
public:
    // Owned by the form, or by nobody for a raw window (the manager frees it).
    explicit TWinSkinForm(TComponent* owner);
    ~TWinSkinForm() override;

    // Makes form skinners for the skin manager (installs the factory).
    static void Install();
    // On: a top-level form shown maximised is skinned as it is about to be
    // shown for the first time (wrappers, frame, size and region while it is
    // still hidden, so it is shown, laid out and painted once), not when it
    // is activated.
    static void InstallBeforeShow(bool on);
    // Whether the system menu's popup is drawn by the skin (set by the
    // popup-menu skinning); until then the window's native system menu opens.
    static void SetSkinnedSystemMenu(bool on);
    static bool SkinnedSystemMenu();

    // TFormSkinnerBase.
    TSkinData* SkinData() const override { return skinData_; }
    TFormSkinnerState State() const override { return static_cast<TFormSkinnerState>(state_); }
    void AttachForm(TCustomForm* form, TSkinData* data) override;
    void AttachWindow(TSkinData* data) override;
    void Restore() override;
    void DropCaptionButtons() override;
    bool SkinContentsNow() override;
    void RecomputeFrame() override { ComputeFrame(); }
    void ReskinControls() override { Reskin(); }
    void Repaint() override;
    void SkinChildWindow(HWND child) override;
    void ReleaseChildWindow(HWND child) override;
    bool IsMDIChild() const override { return MDIKind == kMDIChild; }
    void MDIMaximizedChanged(bool maximized) override;

    // TWrapperHost.
    bool RegisterWrapper(TSkinControl* wrapper) override;
    void UnregisterWrapper(TSkinControl* wrapper) override;
    TSkinControl*& HotButton() override { return hotButton_; }
    TCanvas* Canvas() override { return &SharedCanvas; }

    // TNCObjectOwner.
    TNCObject* HotObject() const override { return HotObj; }
    void SetHotObject(TNCObject* object) override { HotObj = object; }
    HWND Window() const override { return Handle; }
    void DrawWindowIcon(HDC dc, POINT at) override;

    // Frame geometry and caption-button objects.
    void ComputeFrame();
    // Paints the whole non-client area (dc null: through the window DC).
    void PaintFrame(HDC dc);
    // Shapes the window from the borders' transparent pixels.
    void RebuildRegion();
    // A window about to take a new size (WM_WINDOWPOSCHANGING, the size
    // final) is shaped for it before the platform repaints it, without a
    // repaint of its own. Only a top-level window resized within its state.
    void ReshapeBeforeResize(const WINDOWPOS& pos);
    bool FramePending() const;
    void SetNativeCaption(bool on);
    // Re-applies a changed skin.
    void Reskin();
    // The menu bar's items again from the form's current main menu (from the
    // native menu it stands for with MenuMerge, or on a raw window), then the
    // bar repainted; deferred while a drop-down is open.
    void RebuildMenuBar();
    // Repaints the menu bar alone through the window DC.
    void PaintMenuBar();
    void RestoreOnNcDestroy();
    void ToMaximized();
    void ToNormal();
    void ToMinimized();
    void ShowSystemMenu(POINT screenPoint);
    // Opens the system menu from the keyboard (Alt+Space; Alt+- on an MDI
    // child) under the window icon, its first item selected.
    void ShowSystemMenuByKey();
    // The screen point the keyboard opens the system menu at: the bottom-left
    // corner of the window icon, else of the title bar's left end.
    POINT SystemMenuAnchor() const;
    void RunAction(TWinSysButton* button, POINT screenPoint);
    // The skin's contents pass: wrappers for the controls, first resize.
    void SkinContents();
    // The framework-control walk and the raw child-window walk: each control
    // or child window gets its wrapper by the mapping (form_mapping.cpp).
    void SkinOwnedControls(TComponent* owner);
    void SkinChildWindows();

    // Geometry facts for the caption-button rules.
    TCaptionFacts CaptionFacts() const;
    TCaptionLayout CaptionLayoutFacts() const;
    TFrameMetrics Metrics() const { return {LeftWidth, TitleHeight, RightWidth, BottomHeight}; }
    // A screen point in window coordinates (the frame's own conversion).
    POINT ToWindowPoint(POINT screen) const;
    bool Subclassed() const { return window_.IsSubclassed(); }
    const std::vector<std::unique_ptr<TWinSysButton>>& Buttons() const { return CaptionButtons; }
    int WrapperCount() const { return static_cast<int>(Wrappers.size()); }

    // Fields (the state the frame painting and caption buttons read).
    bool ClientSizeFixed = false;
    bool ContentsSkinned = false;
    std::unique_ptr<TTimer> HoverTimer;
    int32_t DisableTag = 0;
    std::wstring CaptionSuffix;
    std::wstring CaptionPrefix;
    std::wstring CaptionText;
    std::string WindowClass;
    bool NativeCaptionOn = false;
    bool SavedMenuUpdate = false;
    bool FrameSkinned = false;
    RECT ClientRect{};
    DWORD LastSysMenuClick = 0;
    DWORD DoubleClickTime = 0;
    int CaptionTextWidth = 0;
    HWND OwnerWindow = nullptr;
    HICON Icon = nullptr;
    int IconSize = 16;
    int LeftWidth = 0;
    int TitleHeight = 0;
    int RightWidth = 0;
    int BottomHeight = 0;
    RECT WindowRect{};
    RECT TextRect{};
    SIZE NativeNonClient{};
    int MenuHeight = 0;
    int CaptionButtonCount = 0;
    bool Busy = false;
    bool RightToLeft = false;
    bool Sizeable = false;
    bool UnicodeWindow = false;
    bool SystemDialog = false;
    bool RestoreOnDestroy = false;
    std::unique_ptr<TPopupMenu> SystemMenuPopup;
    // The skinned menu bar (a window with a menu that is not an MDI child).
    std::unique_ptr<TWinSkinMenu> MenuBar;
    HWND MDIClientWindow = nullptr;
    HWND NewMDIChild = nullptr;
    HMENU WindowMenu = nullptr;
    HMENU SystemMenu = nullptr;
    TColor SavedFormColor = 0;
    LONG InitialStyle = 0;
    int TextClipX = 0;
    TNCObject* HotObj = nullptr;
    TCustomForm* Form = nullptr;
    TCanvas WindowCanvas;
    TCanvas SharedCanvas;
    TFont CaptionFont;
    std::vector<std::unique_ptr<TWinSysButton>> CaptionButtons;
    TBitmap IconImage;
    TBitmap TitleCache;
    std::vector<TSkinControl*> Wrappers;
    int FrameWidth = 0;
    int FrameHeight = 0;
    SIZE RegionSize{};
    bool Active = true;
    uint8_t MDIKind = kMDINone;
    uint8_t BorderKind = kBorderSingle;
    uint8_t Caps = 0;
    uint8_t WindowState = kWindowNormal;
    bool OwnsRegion = false;
    // The tracking and maximised limits answered to WM_GETMINMAXINFO, kept
    // through one sizing loop (asked at every step; the work area and the
    // metrics behind them are dear to read and do not change meanwhile).
    struct TMaxLimits {
        bool Valid = false, OntoWorkArea = false;
        POINT TrackSize{}, Position{}, Size{};
    };
    bool sizingLoop_ = false;
    TMaxLimits maxLimits_;

    // ---- Control wrapper mapping (form_mapping.cpp, rule in control_mapping.h)
    // Chooses and attaches the wrapper of one framework control; walked is
    // the component whose owned controls are being walked (the form or a
    // container). SkinOwnedControls, SkinChildWindows and SkinChildWindow are
    // defined with it.
    void SkinControl(TControl* control, TComponent* walked);
    // ---- end of the control wrapper mapping

private:
    // The process-wide skin manager, or null.
    static TSkinManage* Manager();

    // The subclassed window's and the MDI client's procedures.
    class TFrameWindow : public TWindowSubclass {
    public:
        explicit TFrameWindow(TWinSkinForm* owner) : owner_(owner) {}

    protected:
        void WindowMessage(TMessage& msg) override;

    private:
        TWinSkinForm* owner_;
    };
    class TClientWindow : public TWindowSubclass {
    public:
        explicit TClientWindow(TWinSkinForm* owner) : owner_(owner) {}

    protected:
        void WindowMessage(TMessage& msg) override;

    private:
        TWinSkinForm* owner_;
    };

    // form_messages.cpp
    void WindowMessage(TMessage& msg);
    void FrameMessage(TMessage& msg);
    void SkinnedMessage(TMessage& msg);
    void HandleNcCalcSize(TMessage& msg);
    void HandleNcActivate(TMessage& msg);
    void HandleNcPaint(TMessage& msg);
    void HandleSize(TMessage& msg);
    void HandleSysCommand(TMessage& msg);
    void HandleGetMinMaxInfo(TMessage& msg);
    void HandleMenuChanged(TMessage& msg, const std::function<void(TMessage&)>& previous);
    void HandleNcHitTest(TMessage& msg);
    void HandleMenuItemMessage(TMessage& msg);
    void HandleDialogChar(TMessage& msg, const TMessageChain& next);
    void FormMessage(TMessage& msg, const TMessageChain& next);
    bool NonNormalMDIChild() const;
    void RefreshWindowState();
    // form_caption.cpp
    TNCObject* ObjectAt(POINT windowPoint) const;
    void HandleNcMouseMove(TMessage& msg);
    void HandleNcLButtonDown(TMessage& msg);
    void HandleNcLButtonUp(TMessage& msg);
    void HandleNcLButtonDblClk(TMessage& msg);
    void HandleNcRButtonDown(TMessage& msg);
    void HoverTick();
    void BuildSystemMenu();
    void SystemMenuClick(int tag);
    // Opens the system menu (the skinned one or the native one) at a screen point.
    void TrackSystemMenu(POINT screenPoint, bool selectFirst);
    TSystemMenuFacts SystemMenuFacts() const;
    // form_keymenu.cpp
    bool HandleKeyMenu(TMessage& msg);
    bool IsSystemMenuKey(wchar_t ch) const;
    void RunMDIChildCommand(UINT command);
    // form_mdi.cpp
    void ClientMessage(TMessage& msg);
    void SubclassMDIClient();
    void UnsubclassMDIClient();
    // form_frame.cpp
    void BuildIconImage();
    void PaintTitleBar(HDC dc, int width);
    TRegionHandle FrameRegionFor(int width, int height);
    bool ReshapesBeforeResize() const;
    void SettleTitleShape();
    std::wstring ReadCaption() const;
    // form_skinner.cpp
    void ResizeKeepingClient(bool refresh);
    bool MaximizesOntoWorkArea() const;
    bool WorkArea(RECT& work, RECT& monitor) const;
    void WidenSystemDialog(int& width);
    void RestoreWrappers();
    bool StopFrameSkinning();
    void UnprepareMenus();
    void LightRestore();
    void ReleaseFormHook();
    void RestoreWindowProc();

    TFrameWindow window_;
    TClientWindow client_;
    TMessageHookLink formHook_;
    TSkinData* skinData_ = nullptr;
    TSkinControl* hotButton_ = nullptr;
    // The window icon copied at small-icon size once.
    TIconHandle iconCopy_;
    // Where the bare top border is transparent in a shape set before its
    // title was painted (window coordinates): the first paint at that size
    // checks them for title pixels (text, caption buttons) painted there.
    std::vector<RECT> titleHoles_;
    int state_ = static_cast<int>(TFormSkinnerState::Attached);
    bool destroying_ = false;
};
