// The process-wide skin manager.
#include "skin/window/skin_manager.h"

#include <algorithm>
#include <cstdio>
#include <exception>

#include "framework/ui/application.h"
#include "framework/ui/form.h"
#include "framework/ui/messages.h"
#include "framework/ui/timer.h"

namespace {

// Tag of a form that is never framed, whatever its skin data's DisableTag says.
constexpr int32_t kNeverSkinTag = 99;
// Interval of the deferred actions (ms).
constexpr uint32_t kActionInterval = 250;
// Window property of a window the host asked the skin to leave alone.
constexpr const wchar_t* kExcludedProperty = L"LantuoSkinExcluded";

void DiscardTrace(const std::string&) {}
TSkinTraceSink gTraceSink = DiscardTrace;

TFormSkinnerFactory gFormSkinnerFactory = nullptr;
TPopupSkinnerFactory gPopupSkinnerFactory = nullptr;

std::unique_ptr<TSkinManage>& Singleton() {
    static std::unique_ptr<TSkinManage> instance;
    return instance;
}

// A manager still alive when static objects go (the program did not call
// Finalize) only takes its hook off: the framework objects its timer and
// skinners stand on may be gone already, so nothing else is freed then.
struct TManagerFinalizer {
    ~TManagerFinalizer() {
        if (TSkinManage* m = Singleton().release())
            m->RemoveHook();
    }
} gFinalizer;

void Trace(const char* format, unsigned long value) {
    char line[64];
    std::snprintf(line, sizeof line, format, value);
    gTraceSink(line);
}

// Reports an exception raised inside the hook to the application's handler.
void ReportHookException() {
    if (Application)
        Application->HandleException(nullptr, std::current_exception());
}

TSkinManagerLink* ManagerAccess(bool create) {
    return TSkinManage::Instance(create);
}

} // namespace

TSkinTraceSink SetSkinTraceSink(TSkinTraceSink sink) {
    TSkinTraceSink old = gTraceSink;
    gTraceSink = sink ? sink : DiscardTrace;
    return old;
}

void SkinTrace(const std::string& line) {
    gTraceSink(line);
}

std::string WindowClassNameA(HWND wnd) {
    char name[256] = {};
    int n = GetClassNameA(wnd, name, sizeof name);
    return std::string(name, n > 0 ? static_cast<size_t>(n) : 0);
}

TSkinManage::TSkinManage() : actionTimer_(std::make_unique<TTimer>(nullptr)) {
    actionTimer_->SetEnabled(false);
    actionTimer_->SetInterval(kActionInterval);
    actionTimer_->OnTimer = [this](TObject*) { RunPendingAction(); };
}

// Process end: no more hook, popup-menu skinners detached and freed. Form
// skinners belong to their forms (or go with their raw windows).
TSkinManage::~TSkinManage() {
    hookState_ = static_cast<int>(TSkinHookState::Destroying);
    actionTimer_.reset();
    RemoveHook();
    for (TPopupSkinnerBase* p : popupSkinners_) {
        p->Detach();
        delete p;
    }
    popupSkinners_.clear();
}

TSkinManage* TSkinManage::Instance(bool create) {
    auto& instance = Singleton();
    if (!instance && create)
        instance = std::make_unique<TSkinManage>();
    return instance.get();
}

void TSkinManage::Finalize() {
    Singleton().reset();
}

void TSkinManage::RemoveHook() {
    if (hookHandle_)
        UnhookWindowsHookEx(hookHandle_);
    hookHandle_ = nullptr;
}

void TSkinManage::Install() {
    SetSkinManagerAccess(ManagerAccess);
}

void TSkinManage::SetFormSkinnerFactory(TFormSkinnerFactory factory) {
    gFormSkinnerFactory = factory;
}

void TSkinManage::SetPopupSkinnerFactory(TPopupSkinnerFactory factory) {
    gPopupSkinnerFactory = factory;
}

void TSkinManage::RegisterSkinData(TSkinData* data) {
    skinDatas_.push_back(data);
    if (!defaultSkinData_ && data->SkinFormtype() == sfMainform)
        defaultSkinData_ = data;
}

void TSkinManage::UnregisterSkinData(TSkinData* data) {
    auto it = std::find(skinDatas_.begin(), skinDatas_.end(), data);
    if (it != skinDatas_.end())
        skinDatas_.erase(it);
    // A component that goes leaves no reference behind.
    if (defaultSkinData_ == data)
        defaultSkinData_ = nullptr;
    if (pendingSkinData_ == data)
        pendingSkinData_ = nullptr;
}

// Watches this thread's windows; the four diagnostic lines go to the trace sink.
void TSkinManage::InstallHook() {
    if (hookHandle_)
        return;
    windowsVersion_ = GetVersion();
    Trace("Windows Version %1lx", windowsVersion_);
    char line[64];
    std::snprintf(line, sizeof line, "Windows Version %1d %1d", LOBYTE(LOWORD(windowsVersion_)),
                  HIBYTE(LOWORD(windowsVersion_)));
    gTraceSink(line);
    hookHandle_ = SetWindowsHookExA(WH_CBT, HookCallback, nullptr, GetCurrentThreadId());
    Trace("ThreadId %1lx", GetCurrentThreadId());
    Trace("HookCallback %1lx", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(hookHandle_)));
}

// Before any window was activated an activate/deactivate takes effect at
// once; afterwards the timer carries it out.
void TSkinManage::RequestAction(TSkinAction action, int interval) {
    pendingAction_ = action;
    actionTimer_->SetInterval(static_cast<uint32_t>(interval));
    if (hookState_ != 0) {
        actionTimer_->SetEnabled(true);
    } else if (action == TSkinAction::Activate || action == TSkinAction::Deactivate) {
        active_ = action == TSkinAction::Activate;
    }
}

bool TSkinManage::ActionTimerEnabled() const {
    return actionTimer_->Enabled();
}
uint32_t TSkinManage::ActionTimerInterval() const {
    return actionTimer_->Interval();
}

// Caption buttons of the pending component's skinners are rebuilt with the
// next frame computation.
void TSkinManage::RefreshForms() {
    for (TFormSkinnerBase* s : formSkinners_)
        if (s->SkinData() == pendingSkinData_)
            s->DropCaptionButtons();
}

void TSkinManage::SkinOwnerForm(TComponent* owner) {
    if (auto* form = dynamic_cast<TCustomForm*>(owner))
        if (form->HandleAllocated())
            SkinWindow(form->Handle());
}

LRESULT CALLBACK TSkinManage::HookCallback(int code, WPARAM wparam, LPARAM lparam) {
    TSkinManage* m = Instance(false);
    if (!m)
        return CallNextHookEx(nullptr, code, wparam, lparam);
    try {
        m->HandleHook(code, wparam, lparam);
    } catch (...) {
        ReportHookException();
    }
    return CallNextHookEx(m->hookHandle_, code, wparam, lparam);
}

void TSkinManage::HandleHook(int code, WPARAM wparam, LPARAM lparam) {
    HWND wnd = reinterpret_cast<HWND>(wparam);
    if (code < 0 || !active_) {
        if (code == HCBT_ACTIVATE && hookState_ == 0)
            hookState_ = 1;
        return;
    }
    switch (code) {
    case HCBT_CREATEWND:
        WindowCreated(wnd, reinterpret_cast<const CBT_CREATEWNDA*>(lparam));
        break;
    case HCBT_DESTROYWND:
        ReleasePopupMenu(wnd);
        break;
    case HCBT_ACTIVATE:
        if (hookState_ == 0)
            hookState_ = 1;
        SkinWindow(wnd);
        break;
    default:
        break;
    }
}

// A size grip gets its wrapper from its parent's skinner; a popup-menu
// window gets a popup skinner; every top-level window is announced.
void TSkinManage::WindowCreated(HWND wnd, const CBT_CREATEWNDA* create) {
    const CREATESTRUCTA* cs = create ? create->lpcs : nullptr;
    if (!cs)
        return;
    const std::string className = WindowClassNameA(wnd);
    if (className == "ScrollBar" && (cs->style & SBS_SIZEGRIP)) {
        if (TFormSkinnerBase* parent = FindFormSkinner(cs->hwndParent))
            parent->SkinChildWindow(wnd);
    }
    if (cs->style & WS_CHILD)
        return;
    if (className == "#32768")
        SkinPopupMenu(wnd);
    if (defaultSkinData_ && defaultSkinData_->OnWindowCreated) {
        try {
            defaultSkinData_->OnWindowCreated(defaultSkinData_, wnd, className);
        } catch (...) {
            // The host's notification must not disturb window creation.
        }
    }
}

// The mark is a window property: it goes with the window.
void TSkinManage::ExcludeWindow(HWND wnd) {
    SetPropW(wnd, kExcludedProperty, reinterpret_cast<HANDLE>(1));
}

bool TSkinManage::IsExcluded(HWND wnd) {
    for (HWND w = wnd; w; w = GetAncestor(w, GA_PARENT))
        if (GetPropW(w, kExcludedProperty))
            return true;
    return false;
}

void TSkinManage::UnskinWindow(HWND wnd) {
    if (TFormSkinnerBase* s = FindFormSkinner(wnd)) {
        ReleaseSkinner(s);
        return;
    }
    if (TFormSkinnerBase* s = FindFormSkinner(GetAncestor(wnd, GA_ROOT)))
        s->ReleaseChildWindow(wnd);
}

bool TSkinManage::SkinWindow(HWND wnd, bool beforeShow) {
    if (!active_ || IsExcluded(wnd))
        return false;
    PurgeClosedForms();
    if (SendMessageW(wnd, SM_SKINNEDQUERY, 0, 0) == 1 || FindFormSkinner(wnd))
        return false;
    TCustomForm* form = FindForm(wnd);
    if (!skinAllPass_ && IsPlainChild(wnd))
        return false;
    RECT r{};
    GetWindowRect(wnd, &r);
    if (static_cast<long long>(r.right - r.left) * (r.bottom - r.top) == 0)
        return false;
    if (form && form->Tag() == kNeverSkinTag)
        return false;
    const std::string className = WindowClassNameA(wnd);
    if (className == "TApplication" || className == "TQRStandardPreview" ||
        !MaySkinClass(className))
        return false;
    TSkinData* data = FindSkinData(wnd);
    if (!data || data->SkinEmpty() || !gFormSkinnerFactory)
        return false;
    TFormSkinnerBase* skinner = gFormSkinnerFactory(form);
    if (!skinner)
        return false;
    skinner->Handle = wnd;
    formSkinners_.push_back(skinner);
    if (form)
        skinner->AttachForm(form, data);
    else
        skinner->AttachWindow(data);
    if (!beforeShow || !skinner->SkinContentsNow())
        PostMessageW(wnd, SM_SKINCONTENTS, 0, SM_SKINCONTENTS_TAG);
    return true;
}

// Invisible forms, and child windows that are not MDI children, are passed
// over (answered true: nothing to do).
bool TSkinManage::SkinForm(TCustomForm* form) {
    if (!form->Visible())
        return true;
    if (form->HandleAllocated() && (GetWindowLongW(form->Handle(), GWL_STYLE) & WS_CHILD) &&
        form->FormStyle() != fsMDIChild)
        return true;
    return SkinWindow(form->Handle());
}

// Only a form shown maximised: its skinned frame puts it on the work area
// with another client size, so skinned once shown its controls would be laid
// out and painted twice. Any other form keeps the skinning on activation.
bool TSkinManage::SkinFormBeforeShow(TCustomForm& form) {
    if (!form.HandleAllocated() || form.FormStyle() == fsMDIChild ||
        form.WindowState() != wsMaximized)
        return false;
    HWND wnd = form.Handle();
    if (IsWindowVisible(wnd) || (GetWindowLongW(wnd, GWL_STYLE) & WS_CHILD))
        return false;
    return SkinWindow(wnd, true);
}

TSkinData* TSkinManage::FindSkinData(HWND wnd) const {
    TSkinData* found = nullptr;
    for (TSkinData* d : skinDatas_) {
        auto* owner = dynamic_cast<TWinControl*>(d->Owner());
        if (d->SkinFormtype() == sfOnlyThisForm && owner && owner->HandleAllocated() &&
            owner->Handle() == wnd)
            found = d;
    }
    if (found)
        return found;
    std::string className = WindowClassNameA(wnd);
    std::transform(className.begin(), className.end(), className.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (className == "tmessageform" || className == "#32770")
        for (TSkinData* d : skinDatas_)
            if (d->SkinFormtype() == sfDialog)
                found = d;
    if (found)
        return found;
    for (TSkinData* d : skinDatas_)
        if (d->SkinFormtype() == sfMainform)
            found = d;
    if (found)
        return found;
    return skinDatas_.empty() ? nullptr : skinDatas_.front();
}

bool TSkinManage::MaySkinClass(const std::string& className) const {
    if (!defaultSkinData_)
        return true;
    bool doSkin = true;
    defaultSkinData_->MaySkin(className, doSkin);
    return doSkin;
}

bool TSkinManage::IsPlainChild(HWND wnd) {
    if (!(GetWindowLongW(wnd, GWL_STYLE) & WS_CHILD))
        return false;
    std::string parentClass = WindowClassNameA(GetParent(wnd));
    std::transform(parentClass.begin(), parentClass.end(), parentClass.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return parentClass != "mdiclient";
}

TFormSkinnerBase* TSkinManage::FindFormSkinner(HWND wnd) const {
    for (TFormSkinnerBase* s : formSkinners_)
        if (s->Handle == wnd)
            return s;
    return nullptr;
}

void TSkinManage::RemoveFormSkinner(HWND wnd) {
    auto it = std::find_if(formSkinners_.begin(), formSkinners_.end(),
                           [wnd](TFormSkinnerBase* s) { return s->Handle == wnd; });
    if (it != formSkinners_.end())
        formSkinners_.erase(it);
}

void TSkinManage::PurgeClosedForms() {
    for (size_t i = formSkinners_.size(); i-- > 0;) {
        TFormSkinnerBase* s = formSkinners_[i];
        if (s->State() != TFormSkinnerState::Destroyed)
            continue;
        formSkinners_.erase(formSkinners_.begin() + static_cast<std::ptrdiff_t>(i));
        delete s;
        i = std::min(i, formSkinners_.size());
    }
}

TCustomForm* TSkinManage::FindForm(HWND wnd) {
    if (!Application || !wnd)
        return nullptr;
    for (int i = 0; i < Application->FormCount(); ++i) {
        TCustomForm* f = Application->Forms(i);
        if (f->HandleAllocated() && f->Handle() == wnd)
            return f;
    }
    return nullptr;
}

// Restores a skinner's window, repaints it whole and frees the skinner.
void TSkinManage::ReleaseSkinner(TFormSkinnerBase* skinner) {
    auto it = std::find(formSkinners_.begin(), formSkinners_.end(), skinner);
    if (it != formSkinners_.end())
        formSkinners_.erase(it);
    HWND wnd = skinner->Handle;
    skinner->Restore();
    if (IsWindow(wnd)) {
        RedrawWindow(wnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
        UpdateWindow(wnd);
    }
    delete skinner;
}

// A component that skins its own form only.
void TSkinManage::RunForOneForm(TSkinAction action) {
    TSkinData* data = pendingSkinData_;
    switch (action) {
    case TSkinAction::Activate:
        active_ = true;
        skinAllPass_ = true;
        if (Application)
            for (int i = Application->FormCount(); i-- > 0;)
                if (Application->Forms(i) == data->Owner()) {
                    SkinForm(Application->Forms(i));
                    break;
                }
        skinAllPass_ = false;
        break;
    case TSkinAction::Deactivate: {
        active_ = false;
        PurgeClosedForms();
        for (size_t i = formSkinners_.size(); i-- > 0;)
            if (formSkinners_[i]->SkinData() == data) {
                ReleaseSkinner(formSkinners_[i]);
                break;
            }
        break;
    }
    case TSkinAction::Refresh:
        PurgeClosedForms();
        for (TFormSkinnerBase* s : formSkinners_)
            if (s->SkinData() == data) {
                s->DropCaptionButtons();
                s->RecomputeFrame();
                s->ReskinControls();
                break;
            }
        break;
    case TSkinAction::Purge:
        PurgeClosedForms();
        break;
    default:
        break;
    }
}

// The process-wide component (and dialog components).
void TSkinManage::RunForAllForms(TSkinAction action) {
    TSkinData* data = pendingSkinData_;
    switch (action) {
    case TSkinAction::Activate:
        active_ = true;
        skinAllPass_ = true;
        PurgeClosedForms();
        if (Application)
            for (int i = Application->FormCount(); i-- > 0;)
                if (i < Application->FormCount())
                    SkinForm(Application->Forms(i));
        skinAllPass_ = false;
        break;
    case TSkinAction::Deactivate:
        active_ = false;
        PurgeClosedForms();
        while (!formSkinners_.empty())
            ReleaseSkinner(formSkinners_.back());
        break;
    case TSkinAction::Refresh: {
        PurgeClosedForms();
        std::vector<TFormSkinnerBase*> users;
        for (TFormSkinnerBase* s : formSkinners_)
            if (s->SkinData() == data)
                users.push_back(s);
        for (TFormSkinnerBase* s : users) {
            s->DropCaptionButtons();
            s->RecomputeFrame();
        }
        for (TFormSkinnerBase* s : users)
            s->ReskinControls();
        break;
    }
    case TSkinAction::Purge:
        PurgeClosedForms();
        break;
    default:
        break;
    }
}

void TSkinManage::RunPendingAction() {
    TSkinData* data = pendingSkinData_;
    if (!data)
        return;
    actionTimer_->SetEnabled(false);
    try {
        if (data->SkinFormtype() == sfOnlyThisForm)
            RunForOneForm(pendingAction_);
        else
            RunForAllForms(pendingAction_);
        // The request may have freed the component's form; it is still the
        // one registered when it is still in the list.
        if (std::find(skinDatas_.begin(), skinDatas_.end(), data) != skinDatas_.end())
            data->DoSkinChanged();
    } catch (...) {
        pendingSkinData_ = nullptr;
        throw;
    }
    pendingSkinData_ = nullptr;
}

void TSkinManage::SkinPopupMenu(HWND wnd) {
    if (!active_ || SendMessageW(wnd, SM_SKINNEDQUERY, 0, 0) == 1 || IsPopupMenuSkinned(wnd))
        return;
    TSkinData* data = FindSkinData(wnd);
    if (!data || data->SkinEmpty())
        return;
    const TSkinControlTypes kinds = data->SkinControls();
    switch (menuContext_) {
    case TMenuContext::Popup:
        if (!kinds.Contains(xcPopupMenu))
            return;
        break;
    case TMenuContext::MenuBar:
        if (!kinds.Contains(xcMainMenu) && !kinds.Contains(xcMenuItem))
            return;
        break;
    case TMenuContext::SystemMenu:
        if (!kinds.Contains(xcSystemMenu))
            return;
        break;
    }
    if (!gPopupSkinnerFactory)
        return;
    TPopupSkinnerBase* skinner = gPopupSkinnerFactory();
    if (!skinner)
        return;
    popupSkinners_.push_back(skinner);
    skinner->Attach(wnd, data, nullptr);
}

bool TSkinManage::ReleasePopupMenu(HWND wnd) {
    bool released = false;
    auto it = std::find_if(popupSkinners_.begin(), popupSkinners_.end(),
                           [wnd](TPopupSkinnerBase* p) { return p->Handle() == wnd; });
    if (it != popupSkinners_.end()) {
        TPopupSkinnerBase* p = *it;
        popupSkinners_.erase(it);
        p->Detach();
        delete p;
        released = true;
    }
    if (popupSkinners_.empty())
        menuContext_ = TMenuContext::Popup;
    return released;
}

bool TSkinManage::IsPopupMenuSkinned(HWND wnd) const {
    return std::any_of(popupSkinners_.begin(), popupSkinners_.end(),
                       [wnd](TPopupSkinnerBase* p) { return p->Handle() == wnd; });
}

const TBitmap* TSkinManage::PopupMenuImage(HMENU menu) const {
    for (TPopupSkinnerBase* p : popupSkinners_)
        if (p->OwnerMenu() == menu)
            return p->Image();
    return nullptr;
}

void TSkinManage::SetMDIMaximized(bool value) {
    if (value == mdiMaximized_)
        return;
    mdiMaximized_ = value;
    for (TFormSkinnerBase* s : formSkinners_)
        if (s->IsMDIChild())
            s->MDIMaximizedChanged(value);
}
