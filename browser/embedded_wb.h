// TEmbeddedWB: the window control that hosts the platform's WebBrowser and, as
// its host site, decides what it downloads, how it looks, how its context
// menu, script errors, message boxes, help and keys are handled, and what its
// dialogs are titled. It also carries print options, registers a user-agent
// value while it lives, sets the floating-point exception mode and can serve
// the shell's DDE requests.
#pragma once

#include "framework/ui/win32.h"

#include <exdisp.h>

#include <memory>
#include <string>

#include "browser/browser_options.h"
#include "browser/embedded_wb_events.h"
#include "browser/print_options.h"
#include "browser/user_agent.h"
#include "framework/ole/web_browser.h"
#include "framework/ui/message_hooks.h"

class TDdeServer;
class TEmbeddedWBSite;

class TEmbeddedWB : public TWebBrowser {
    LT_CLASS(TEmbeddedWB, TWebBrowser)
public:
    explicit TEmbeddedWB(TComponent* owner);
    ~TEmbeddedWB() override;

    // Published properties.
    TControl* ProgressBar() const { return progressBar_; }
    void SetProgressBar(TControl* v) { progressBar_ = v; }
    TDownloadControlOptions DownloadOptions() const { return downloadOptions_; }
    void SetDownloadOptions(TDownloadControlOptions v);
    TUserInterfaceOptions UserInterfaceOptions() const { return userInterfaceOptions_; }
    void SetUserInterfaceOptions(TUserInterfaceOptions v);
    const std::wstring& HelpFile() const { return helpFile_; }
    void SetHelpFile(const std::wstring& v) { helpFile_ = v; }
    TPrintOptions* PrintOptions() const { return printOptions_.get(); }
    const std::wstring& UserAgent() const { return userAgent_; }
    void SetUserAgent(const std::wstring& v) { userAgent_ = v; }
    bool ReplaceCaption() const { return replaceCaption_; }
    void SetReplaceCaption(bool v) { replaceCaption_ = v; }
    bool HideBorders() const { return hideBorders_; }
    void SetHideBorders(bool v) { hideBorders_ = v; }
    bool HideScrollBars() const { return hideScrollBars_; }
    void SetHideScrollBars(bool v) { hideScrollBars_ = v; }
    bool DisableRightClickMenu() const { return disableRightClickMenu_; }
    void SetDisableRightClickMenu(bool v) { disableRightClickMenu_ = v; }
    bool EnableDDE() const { return enableDDE_; }
    void SetEnableDDE(bool v) { enableDDE_ = v; }
    bool fpExceptions() const { return fpExceptions_; }
    void SetfpExceptions(bool v);

    // The 32-bit values derived from the option sets.
    uint32_t DownloadControlValue() const { return downloadValue_; }
    uint32_t HostUIFlags() const { return hostUIValue_; }
    // Applies HideBorders / HideScrollBars to the set and recomputes the host-UI value.
    void UpdateHostUIFlags();

    using TWebBrowser::Navigate2;

    // The site object the browser talks to (tests call it as the browser would).
    IUnknown* SiteUnknown() const;
    // The hidden window answering DDE initiates.
    HWND DdeWindow() const;
    // Whether the owner's message method is hooked now.
    bool OwnerHooked() const { return ownerHook_.Hooked(); }

    void Loaded() override;

    TRefreshEvent OnRefresh;
    TScriptErrorEvent OnScriptError;
    TUnloadEvent OnUnload;
    TGetOverrideKeyPathEvent OnGetOverrideKeyPath;
    TShowContextMenuEvent OnShowContextMenu;
    TGetHostInfoEvent OnGetHostInfo;
    TShowUIEvent OnShowUI;
    THideUIEvent OnHideUI;
    TUpdateUIEvent OnUpdateUI;
    TEnableModelessEvent OnEnableModeless;
    TOnDocWindowActivateEvent OnOnDocWindowActivate;
    TOnFrameWindowActivateEvent OnOnFrameWindowActivate;
    TResizeBorderEvent OnResizeBorder;
    TTranslateAcceleratorEvent OnTranslateAccelerator;
    TGetOptionKeyPathEvent OnGetOptionKeyPath;
    TGetDropTargetEvent OnGetDropTarget;
    TGetExternalEvent OnGetExternal;
    TTranslateUrlEvent OnTranslateUrl;
    TFilterDataObjectEvent OnFilterDataObject;
    TShowMessageEvent OnShowMessage;
    TShowHelpEvent OnShowHelp;
    TGetTypeInfoCountEvent OnGetTypeInfoCount;
    TGetTypeInfoEvent OnGetTypeInfo;
    TGetIDsOfNamesEvent OnGetIDsOfNames;
    TInvokeEvent OnInvoke;
    TQueryServiceEvent OnQueryService;
    TWBCloseQueryEvent OnCloseQuery;
    TShowDialogEvent OnShowDialog;

protected:
    HRESULT AmbientInvoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                          VARIANT* result, EXCEPINFO* excep, UINT* argErr) override;

private:
    friend class TEmbeddedWBSite;
    // After the window exists: the browser is active; the hooks stay as they are.
    void NotifyDownloadControlChanged();
    // The hook on the control's own messages (installed by Loaded) and the
    // hook on its owner's; each passes what it doesn't keep to `next`.
    void ControlWndProc(TMessage& msg, const TMessageChain& next);
    bool OfferKeyToBrowser(TMessage& msg);
    void OwnerWndProc(TMessage& msg, const TMessageChain& next);
    void ReplaceDialogCaption(HWND dialog);
    void HookOwner();
    void UnhookOwner();
    // Exec of the command target.
    HRESULT CommandExec(const GUID* group, DWORD id, DWORD options, VARIANT* in, VARIANT* out);
    void HandleScriptError(VARIANT* out, HRESULT& result);

    TControl* progressBar_ = nullptr;
    TDownloadControlOptions downloadOptions_;
    TUserInterfaceOptions userInterfaceOptions_;
    std::wstring helpFile_;
    std::unique_ptr<TPrintOptions> printOptions_;
    std::wstring userAgent_;
    bool replaceCaption_ = false;
    bool hideBorders_ = false;
    bool hideScrollBars_ = false;
    bool disableRightClickMenu_ = false;
    bool enableDDE_ = false;
    bool fpExceptions_ = true;

    uint32_t downloadValue_ = 0;
    uint32_t hostUIValue_ = 0;
    TEmbeddedWBSite* site_ = nullptr; // held by the host through its own reference
    std::unique_ptr<TDdeServer> dde_;
    TUserAgentRegistration userAgentValue_;
    // Held weakly: the owner form may be gone before this control is freed.
    TMessageHookLink ownerHook_;
};
