// TSkinData: the non-visual component that carries a skin. It holds the
// compressed skin stream, loads it into the skin model (skin_objects.h), keeps
// the settings that tell the skinners what to skin, and asks the skin manager
// to switch skinning on and off.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/component.h"
#include "framework/core/event.h"
#include "framework/core/set.h"
#include "framework/core/stream.h"
#include "framework/core/strings.h"
#include "framework/gdi/bitmap.h"
#include "framework/gdi/color.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/gdi/image_list.h"
#include "skin/model/skin_objects.h"

#include <windows.h>

class TQuickIni;
class TSkinReader;
class TSkinLoader;
class TSkinData;
class TControl;

// Kinds of windows and controls a skin may be applied to (bit n of the mask
// is member n).
LT_ENUM(TSkinControlType, xcMainMenu, xcPopupMenu, xcMenuItem, xcToolbar, xcControlbar, xcCombo,
        xcCheckBox, xcRadioButton, xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn,
        xcSpeedButton, xcPanel, xcGroupBox, xcStatusBar, xcTab, xcSystemMenu, xcFastReport)
using TSkinControlTypes = TSet<TSkinControlType>;

LT_ENUM(TSkinOption, xoMDIScrollbar, xoMenuMerge, xoNCPaint)
using TSkinOptions = TSet<TSkinOption>;

// sfMainform: the process-wide skin; sfOnlyThisForm: the owning form only;
// sfDialog: the skin for message boxes and dialogs.
LT_ENUM(TSkinFormType, sfMainform, sfOnlyThisForm, sfDialog)

// Deferred actions the skin manager runs from its action timer.
enum class TSkinAction : int { None = 0, Activate = 1, Deactivate = 2, Refresh = 3, Purge = 6 };
// The manager's hook state: Idle until the first activation was seen or a
// skin data component switched itself on, Running afterwards (components of
// other form types count up from there), Destroying while the manager goes.
enum class TSkinHookState : int { Idle = 0, Running = 1, Destroying = 4 };

// What a skin data component asks of the process-wide skin manager. The
// manager implements it and installs an accessor (SetSkinManagerAccess);
// until then the component keeps its own state and asks nothing.
class TSkinManagerLink {
public:
    virtual ~TSkinManagerLink() = default;
    virtual void RegisterSkinData(TSkinData* data) = 0;
    virtual void UnregisterSkinData(TSkinData* data) = 0;
    virtual void InstallHook() = 0;
    virtual void RequestAction(TSkinAction action, int interval) = 0;
    virtual TSkinHookState HookState() const = 0;
    virtual void SetHookState(TSkinHookState state) = 0;
    virtual void SetActive(bool active) = 0;
    virtual void SetPendingSkinData(TSkinData* data) = 0;
    virtual void RefreshForms() = 0;
    // Skins the owner's window at once when the owner is a form.
    virtual void SkinOwnerForm(TComponent* owner) = 0;
};
// The manager when it exists; with create set, made first when missing.
// Returns nullptr when no manager is linked into the program.
using TSkinManagerAccess = TSkinManagerLink* (*)(bool create);
TSkinManagerAccess SetSkinManagerAccess(TSkinManagerAccess access);
TSkinManagerLink* SkinManager(bool create);

class TSkinData : public TComponent {
    LT_CLASS(TSkinData, TComponent)
public:
    static constexpr uint32_t kDefaultSkinControls = 0x0007FFFB;
    static constexpr const char* kVersion = "3.02.03.09";
    // Number of class lines Skin3rd starts with.
    static constexpr int kDefaultSkin3rdCount = 110;

    explicit TSkinData(TComponent* owner);
    ~TSkinData() override;

    // Published properties.
    bool Active() const { return active_; }
    void SetActive(bool value);
    int32_t DisableTag() const { return disableTag_; }
    void SetDisableTag(int32_t v) { disableTag_ = v; }
    TSkinControlTypes SkinControls() const { return skinControls_; }
    void SetSkinControls(TSkinControlTypes v) { skinControls_ = v; }
    TSkinOptions Options() const { return options_; }
    void SetOptions(TSkinOptions v) { options_ = v; }
    TStringList& Skin3rd() { return skin3rd_; }
    void SetSkin3rd(const TStringList& lines) { skin3rd_.Assign(lines); }
    const std::string& SkinFile() const { return skinFile_; }
    void SetSkinFile(const std::string& value);
    std::string SkinStore() const;
    void SetSkinStore(const std::string&) {}
    TSkinFormType SkinFormtype() const { return formType_; }
    void SetSkinFormtype(TSkinFormType v) { formType_ = v; }
    std::string Version() const { return kVersion; }
    void SetVersion(const std::string&) {}
    bool MenuUpdate() const { return menuUpdate_; }
    void SetMenuUpdate(bool v) { menuUpdate_ = v; }
    bool MenuMerge() const { return menuMerge_; }
    void SetMenuMerge(bool v) { menuMerge_ = v; }

    // Class-name veto: DoSkin (arriving true) tells whether windows of class
    // aName may be skinned.
    TEvent<void(TObject* sender, const std::string& aName, bool& doSkin)> OnFormSkin;
    // Fired by the skin manager after it carried out a request of this component.
    TEvent<void(TObject* sender)> OnSkinChanged;
    // Lets the host supply its own control wrapper.
    TEvent<void(TComponent* sender, TSkinData* skinData, TControl* form, TControl* control,
                const std::string& controlClass, TComponent*& skinnedControl)>
        OnSkinControl;
    // Fired by the skin manager for each top-level window created while skinning.
    TEvent<void(TSkinData* sender, HWND handle, const std::string& className)> OnWindowCreated;

    // Loads the skin stream into the model; false at design time or when the
    // archive mark is wrong (the model then keeps what an earlier load built).
    bool LoadSkin();
    // True from creation and from the start of every load until a load succeeds.
    bool SkinEmpty() const { return skinEmpty_; }
    // Counts successful loads, so that what painters keep can tell skins apart.
    int LoadSerial() const { return loadSerial_; }
    // The compressed skin exactly as stored (size word, then coded bits).
    TMemoryStream& SkinStream() { return skinStream_; }
    // The two halves of the "SkinStream" binary property: a 32-bit count N,
    // then N bytes.
    void ReadSkinStream(TStream& reader);
    void WriteSkinStream(TStream& writer);
    // Applies a newly loaded skin to forms already skinned.
    void ApplySkin();
    void MaySkin(const std::string& aName, bool& doSkin);
    void DoSkinChanged();
    // Declares the "SkinStream" binary property (always written).
    void DefineProperties(TFiler& filer) override;
    void Loaded() override;

    // Skin model, filled by each successful load.
    std::string SkinName;
    std::unique_ptr<TDataSkinBorder> LeftBorder, RightBorder, TopBorder, BottomBorder;
    std::unique_ptr<TDataSkinTitle> Title;
    std::unique_ptr<TDataSkinButton> Buttons;
    std::vector<std::unique_ptr<TDataSkinSysButton>> CaptionButtons;
    std::unique_ptr<TDataSkinBorder> Progress, Tabs, ComboButton, UpDownHorz, UpDownVert;
    std::unique_ptr<TDataSkinObject> MenuBar;
    std::unique_ptr<TDataSkinBoxLabel> GroupBox;
    std::unique_ptr<TDataSkinObject> GroupBoxEdge, Toolbars, StatusBarEdges, SunkEdge, ExtraImages,
        Headerbar, MenuItem, MenuBackground, Scrollbar, HorzScroll, VertScroll, HorzScrollThumb,
        VertScrollThumb, TrackbarThumbHorz, TrackbarThumbVert, TrackbarThumbLeft,
        TrackbarThumbRight, TrackbarThumbUp, TrackbarThumbDown;
    TColor WindowTextColour = 0, ButtonFaceColour = 0, ScrollbarColour = 0, HilightTextColour = 0,
           HilightColour = 0, MenubarColour = 0, MenuColour = 0, MenuTextColour = 0,
           ButtonTextColour = 0, ButtonHilightColour = 0, ButtonlightColour = 0,
           ButtonShadowColour = 0, ButtonDkShadowColour = 0, MenuBarTextColour = 0,
           TitleTextActiveColour = 0, TitleTextNoActiveColour = 0;
    std::vector<TColor> ExtraColours;
    std::array<TColor, 10> CustomColors{};
    // The colour table's colour for a platform colour (clWindowText,
    // clBtnText, clBtnFace ...); any other colour, one chosen by the
    // application, is answered unchanged.
    TColor SkinColourFor(TColor colour) const;
    // Solid brush of ButtonFaceColour, made by each load.
    TBrushHandle FaceBrush;

    // Fallback title-bar icon; filled by the form skinner, never by loading.
    TBitmap DefaultIcon;
    // Restore, maximise, minimise and close glyphs of the skinned system menu.
    std::unique_ptr<TImageList> MenuGlyphs;
    // Cleared by the form skinner while it handles a menu change.
    bool FramePaintEnabled = true;

private:
    friend class TSkinLoader;
    void BuildSkin(const TQuickIni& ini, const TSkinReader& reader);
    void LoadMenuGlyphs();
    bool Designing() const { return HasState(csDesigning); }

    bool active_ = false;
    int32_t disableTag_ = 99;
    TSkinControlTypes skinControls_ = TSkinControlTypes::FromMask(kDefaultSkinControls);
    TSkinOptions options_;
    TStringList skin3rd_;
    std::string skinFile_;
    TSkinFormType formType_ = sfMainform;
    bool menuUpdate_ = true;
    bool menuMerge_ = false;
    TMemoryStream skinStream_;
    bool skinEmpty_ = true;
    int loadSerial_ = 0;
};
