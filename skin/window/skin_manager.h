// The process-wide skin manager: watches window creation, activation and
// destruction on the UI thread through a CBT hook, decides which windows are
// skinned with which skin data component, keeps the form and popup-menu
// skinners, and carries out the components' deferred activate, deactivate
// and refresh requests.
#pragma once

#include "framework/ui/win32.h"

#include <memory>
#include <string>
#include <vector>

#include "skin/model/skin_data.h"
#include "skin/window/skinner_interfaces.h"

class TTimer;
class TCustomForm;

// Kind of the next popup-menu window.
enum class TMenuContext : int { Popup = 0, MenuBar = 1, SystemMenu = 2 };

// Receives the manager's diagnostic lines; the default sink discards them.
using TSkinTraceSink = void (*)(const std::string& line);
TSkinTraceSink SetSkinTraceSink(TSkinTraceSink sink);
// Hands one diagnostic line to the current sink.
void SkinTrace(const std::string& line);

class TSkinManage final : public TSkinManagerLink {
public:
    TSkinManage();
    ~TSkinManage() override;
    TSkinManage(const TSkinManage&) = delete;
    TSkinManage& operator=(const TSkinManage&) = delete;

    // The singleton, made first when create is set; null otherwise.
    static TSkinManage* Instance(bool create);
    // Frees the singleton: the program calls it after its message loop, while
    // the application object still stands (tests call it too).
    static void Finalize();
    // Takes the thread hook off.
    void RemoveHook();
    // Makes skin data components reach this manager (the program calls it
    // once at start-up, before any form is read).
    static void Install();

    // Where the concrete skinners come from.
    static void SetFormSkinnerFactory(TFormSkinnerFactory factory);
    static void SetPopupSkinnerFactory(TPopupSkinnerFactory factory);

    // TSkinManagerLink.
    void RegisterSkinData(TSkinData* data) override;
    void UnregisterSkinData(TSkinData* data) override;
    void InstallHook() override;
    void RequestAction(TSkinAction action, int interval) override;
    TSkinHookState HookState() const override { return static_cast<TSkinHookState>(hookState_); }
    void SetHookState(TSkinHookState state) override { hookState_ = static_cast<int>(state); }
    void SetActive(bool active) override { active_ = active; }
    void SetPendingSkinData(TSkinData* data) override { pendingSkinData_ = data; }
    void RefreshForms() override;
    void SkinOwnerForm(TComponent* owner) override;

    bool Active() const { return active_; }
    bool SkinAllPass() const { return skinAllPass_; }
    TSkinAction PendingAction() const { return pendingAction_; }
    TSkinData* PendingSkinData() const { return pendingSkinData_; }
    TSkinData* DefaultSkinData() const { return defaultSkinData_; }
    const std::vector<TSkinData*>& SkinDatas() const { return skinDatas_; }
    HHOOK HookHandle() const { return hookHandle_; }
    bool ActionTimerEnabled() const;
    uint32_t ActionTimerInterval() const;

    // Marks a window (and so its children) to be left alone by every skinner.
    static void ExcludeWindow(HWND wnd);
    // Whether the window or one of its ancestors is marked.
    static bool IsExcluded(HWND wnd);
    // Puts an excluded window back: its form skinner, or the wrappers of a
    // child window and its children in its top-level window's skinner.
    void UnskinWindow(HWND wnd);

    // The decision to skin a window; true when a form skinner was attached.
    // Before the window is shown (`beforeShow`) the frame goes on at once.
    bool SkinWindow(HWND wnd, bool beforeShow = false);
    bool SkinForm(TCustomForm* form);
    // A top-level form about to be shown maximised for the first time:
    // skinned now, so that it is shown with its skinned frame.
    bool SkinFormBeforeShow(TCustomForm& form);
    TSkinData* FindSkinData(HWND wnd) const;
    bool MaySkinClass(const std::string& className) const;
    static bool IsPlainChild(HWND wnd);
    TFormSkinnerBase* FindFormSkinner(HWND wnd) const;
    // Forgets a form skinner without freeing it (its destructor calls this).
    void RemoveFormSkinner(HWND wnd);
    // Frees the form skinners whose window is gone.
    void PurgeClosedForms();
    static TCustomForm* FindForm(HWND wnd);
    int FormSkinnerCount() const { return static_cast<int>(formSkinners_.size()); }

    // The timer handler: carries out the pending request.
    void RunPendingAction();

    // Popup-menu registry.
    void SkinPopupMenu(HWND wnd);
    bool ReleasePopupMenu(HWND wnd);
    bool IsPopupMenuSkinned(HWND wnd) const;
    const TBitmap* PopupMenuImage(HMENU menu) const;
    int PopupSkinnerCount() const { return static_cast<int>(popupSkinners_.size()); }
    TMenuContext MenuContext() const { return menuContext_; }
    void SetMenuContext(TMenuContext context) { menuContext_ = context; }

    // MDI: the frame's children shown maximised or not.
    bool MDIMaximized() const { return mdiMaximized_; }
    void SetMDIMaximized(bool value);
    HWND MDIClient = nullptr;
    TCustomForm* MDIForm = nullptr;

    // The answer of GetVersion when the hook was installed.
    DWORD WindowsVersion() const { return windowsVersion_; }

private:
    static LRESULT CALLBACK HookCallback(int code, WPARAM wparam, LPARAM lparam);
    void HandleHook(int code, WPARAM wparam, LPARAM lparam);
    void WindowCreated(HWND wnd, const CBT_CREATEWNDA* create);
    void RunForOneForm(TSkinAction action);
    void RunForAllForms(TSkinAction action);
    void ReleaseSkinner(TFormSkinnerBase* skinner);

    // Fields in declaration order.
    std::unique_ptr<TTimer> actionTimer_;
    HHOOK hookHandle_ = nullptr;
    std::vector<TFormSkinnerBase*> formSkinners_;
    std::vector<TPopupSkinnerBase*> popupSkinners_;
    std::vector<TSkinData*> skinDatas_;
    bool active_ = false;
    bool skinAllPass_ = false;
    int hookState_ = 0;
    TMenuContext menuContext_ = TMenuContext::Popup;
    bool mdiMaximized_ = false;
    TSkinAction pendingAction_ = TSkinAction::None;
    TSkinData* pendingSkinData_ = nullptr;
    TSkinData* defaultSkinData_ = nullptr;
    DWORD windowsVersion_ = 0;
};

// The class name of a window in the ANSI code page ("" when it has none).
std::string WindowClassNameA(HWND wnd);
