// The skin manager with real windows under Wine: which windows it skins with
// which skin data, the deferred actions and their timing, the CBT hook's
// notifications and the popup-menu registry. Skinners are recorders made by
// factories, so every decision of the manager is visible.
#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>

#include "framework/ui/form.h"
#include "skin/window/skin_manager.h"
#include "tests/framework/ui/ui_test_util.h"
#include "tests/skin/model/model_fixture.h"

namespace {

struct RecordingSkinner;
std::vector<RecordingSkinner*> gLiveSkinners;
std::vector<std::string> gLog;

// A form skinner that records what the manager asks of it.
struct RecordingSkinner : TFormSkinnerBase {
    explicit RecordingSkinner(TCustomForm* f) : form(f) { gLiveSkinners.push_back(this); }
    ~RecordingSkinner() override {
        std::erase(gLiveSkinners, this);
        if (TSkinManage* m = TSkinManage::Instance(false))
            m->RemoveFormSkinner(Handle);
    }
    TSkinData* SkinData() const override { return data; }
    TFormSkinnerState State() const override { return state; }
    void AttachForm(TCustomForm* f, TSkinData* d) override {
        data = d;
        gLog.push_back("attach form " + std::to_string(f == form));
    }
    void AttachWindow(TSkinData* d) override {
        data = d;
        gLog.push_back("attach window");
    }
    void Restore() override { gLog.push_back("restore"); }
    void DropCaptionButtons() override { gLog.push_back("drop buttons"); }
    void RecomputeFrame() override { gLog.push_back("frame"); }
    void ReskinControls() override { gLog.push_back("reskin"); }
    void Repaint() override {}
    void SkinChildWindow(HWND child) override {
        gLog.push_back("child " + WindowClassNameA(child));
    }
    void ReleaseChildWindow(HWND child) override {
        gLog.push_back("release " + WindowClassNameA(child));
    }
    bool IsMDIChild() const override { return false; }
    void MDIMaximizedChanged(bool) override {}

    TCustomForm* form;
    TSkinData* data = nullptr;
    TFormSkinnerState state = TFormSkinnerState::Skinned;
};

TFormSkinnerBase* MakeSkinner(TCustomForm* form) {
    return new RecordingSkinner(form);
}

struct RecordingPopup : TPopupSkinnerBase {
    HWND Handle() const override { return wnd; }
    HMENU OwnerMenu() const override { return nullptr; }
    void Attach(HWND w, TSkinData*, HMENU) override { wnd = w; }
    void Detach() override { gLog.push_back("popup detach"); }
    const TBitmap* Image() const override { return nullptr; }
    HWND wnd = nullptr;
};

TPopupSkinnerBase* MakePopup() {
    return new RecordingPopup;
}

class TPlainForm : public TForm {
public:
    explicit TPlainForm(TComponent* owner) : TForm(owner) { SetBounds(100, 100, 300, 200); }
};

// Each test starts with a fresh manager whose skinners record.
class SkinManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        TSkinManage::Finalize();
        TSkinManage::Install();
        TSkinManage::SetFormSkinnerFactory(MakeSkinner);
        TSkinManage::SetPopupSkinnerFactory(MakePopup);
        gLog.clear();
    }
    void TearDown() override {
        if (TSkinManage* m = TSkinManage::Instance(false)) {
            while (!gLiveSkinners.empty())
                delete gLiveSkinners.back();
            (void)m;
        }
        TSkinManage::Finalize();
    }
    // A loaded skin data component of the given type, owned by owner.
    TSkinData* MakeData(TComponent* owner, TSkinFormType type) {
        auto* d = new TSkinData(owner);
        d->SetSkinFormtype(type);
        EXPECT_TRUE(model_test::LoadBytes(*d, model_test::ProjectSkin()));
        return d;
    }
    TSkinManage& M() { return *TSkinManage::Instance(true); }
};

} // namespace

// A window procedure of a window that is skinned by someone else already.
static LRESULT CALLBACK AnswersSkinnedQuery(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return m == SM_SKINNEDQUERY ? 1 : DefWindowProcW(w, m, wp, lp);
}

TEST_F(SkinManagerTest, DecidesWhichWindowsAreSkinnedAndOnlyOnce) {
    TPlainForm host(Application);
    TSkinData* data = MakeData(&host, sfMainform);
    M().RegisterSkinData(data);
    EXPECT_EQ(M().DefaultSkinData(), data);

    // Not active: nothing is skinned.
    TPlainForm form(Application);
    form.Show();
    EXPECT_FALSE(M().SkinWindow(form.Handle()));
    M().SetActive(true);
    EXPECT_TRUE(M().SkinWindow(form.Handle()));
    EXPECT_EQ(gLog.back(), "attach form 1");
    // The contents request was posted to the window.
    MSG msg{};
    EXPECT_TRUE(PeekMessageW(&msg, form.Handle(), SM_SKINCONTENTS, SM_SKINCONTENTS, PM_REMOVE));
    EXPECT_EQ(msg.lParam, SM_SKINCONTENTS_TAG);
    // Skinned once.
    EXPECT_FALSE(M().SkinWindow(form.Handle()));
    EXPECT_EQ(M().FormSkinnerCount(), 1);

    // Tag 99 is never skinned, whatever DisableTag says.
    TPlainForm tagged(Application);
    tagged.SetTag(99);
    data->SetDisableTag(-1);
    tagged.Show();
    EXPECT_FALSE(M().SkinWindow(tagged.Handle()));
    // An empty rectangle and a plain child are left alone.
    HWND empty = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 10, 10, 0, 0, nullptr,
                                 nullptr, nullptr, nullptr);
    EXPECT_FALSE(M().SkinWindow(empty));
    DestroyWindow(empty);
    HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20,
                                 form.Handle(), nullptr, nullptr, nullptr);
    EXPECT_TRUE(TSkinManage::IsPlainChild(child));
    EXPECT_FALSE(M().SkinWindow(child));
    DestroyWindow(child);
    // A window that answers the skinned query with 1 is skinned already.
    WNDCLASSW answering{};
    answering.lpfnWndProc = AnswersSkinnedQuery;
    answering.hInstance = GetModuleHandleW(nullptr);
    answering.lpszClassName = L"LtAnswersSkinned";
    RegisterClassW(&answering);
    HWND skinned = CreateWindowExW(0, L"LtAnswersSkinned", L"skinned", WS_POPUP | WS_VISIBLE, 10,
                                   10, 50, 50, nullptr, nullptr, answering.hInstance, nullptr);
    ASSERT_NE(skinned, nullptr);
    const size_t logged = gLog.size();
    EXPECT_FALSE(M().SkinWindow(skinned));
    EXPECT_EQ(M().FindFormSkinner(skinned), nullptr);
    EXPECT_EQ(gLog.size(), logged);
    DestroyWindow(skinned);
    // A raw window that does not answer is skinned.
    HWND raw = CreateWindowExW(0, L"STATIC", L"raw", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr,
                               nullptr, nullptr, nullptr);
    EXPECT_TRUE(M().SkinWindow(raw));
    EXPECT_EQ(gLog.back(), "attach window");
    // The class-name veto and the fixed exclusions.
    std::string asked;
    data->OnFormSkin = [&](TObject*, const std::string& name, bool& doSkin) {
        asked = name;
        doSkin = false;
    };
    TPlainForm vetoed(Application);
    vetoed.Show();
    EXPECT_FALSE(M().SkinWindow(vetoed.Handle()));
    EXPECT_EQ(asked, WindowClassNameA(vetoed.Handle()));
    EXPECT_FALSE(M().SkinWindow(Application->Handle()));
    // A skinner whose window is gone is purged and freed by the next decision.
    static_cast<RecordingSkinner*>(M().FindFormSkinner(raw))->state = TFormSkinnerState::Destroyed;
    DestroyWindow(raw);
    M().PurgeClosedForms();
    EXPECT_EQ(M().FindFormSkinner(raw), nullptr);
    EXPECT_EQ(gLiveSkinners.size(), 1u);
}

// The host's exclusion: a marked window and everything inside it.
TEST_F(SkinManagerTest, ExcludedWindowsAreLeftAloneAndGivenBack) {
    TComponent holder(nullptr);
    M().RegisterSkinData(MakeData(&holder, sfMainform));
    M().SetActive(true);
    HWND top = CreateWindowExW(0, L"STATIC", L"top", WS_POPUP | WS_VISIBLE, 10, 10, 80, 60, nullptr,
                               nullptr, nullptr, nullptr);
    HWND child = CreateWindowExW(0, L"BUTTON", L"child", WS_CHILD | WS_VISIBLE, 0, 0, 40, 20, top,
                                 nullptr, nullptr, nullptr);
    HWND inner = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 20, 10, child,
                                 nullptr, nullptr, nullptr);
    ASSERT_TRUE(top && child && inner);
    // A child marked: it and what lies inside it, not its parent.
    TSkinManage::ExcludeWindow(child);
    EXPECT_TRUE(TSkinManage::IsExcluded(child));
    EXPECT_TRUE(TSkinManage::IsExcluded(inner));
    EXPECT_FALSE(TSkinManage::IsExcluded(top));
    ASSERT_TRUE(M().SkinWindow(top));
    // Its wrappers are given back by the skinner of its top-level window.
    M().UnskinWindow(child);
    EXPECT_EQ(gLog.back(), "release Button");
    EXPECT_NE(M().FindFormSkinner(top), nullptr);
    // A skinned top-level window marked: restored, freed, and not skinned again.
    TSkinManage::ExcludeWindow(top);
    M().UnskinWindow(top);
    EXPECT_EQ(gLog.back(), "restore");
    EXPECT_EQ(M().FindFormSkinner(top), nullptr);
    EXPECT_EQ(gLiveSkinners.size(), 0u);
    const size_t logged = gLog.size();
    EXPECT_FALSE(M().SkinWindow(top));
    EXPECT_EQ(gLog.size(), logged);
    DestroyWindow(top);
}

TEST_F(SkinManagerTest, DialogsChooseTheLastDialogSkinDataElseTheLastMainform) {
    TPlainForm host(Application);
    TSkinData* main1 = MakeData(&host, sfMainform);
    TSkinData* main2 = MakeData(&host, sfMainform);
    M().RegisterSkinData(main1);
    M().RegisterSkinData(main2);
    HWND dialog = CreateWindowExW(0, L"#32770", L"dialog", WS_POPUP, 0, 0, 100, 100, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(M().FindSkinData(dialog), main2);
    TSkinData* dlg1 = MakeData(&host, sfDialog);
    TSkinData* dlg2 = MakeData(&host, sfDialog);
    M().RegisterSkinData(dlg1);
    M().RegisterSkinData(dlg2);
    EXPECT_EQ(M().FindSkinData(dialog), dlg2);
    // An ordinary window takes the last main-form component.
    TPlainForm other(Application);
    other.Show();
    EXPECT_EQ(M().FindSkinData(other.Handle()), main2);
    // A component for its own form only wins for that form.
    TPlainForm own(Application);
    TSkinData* only = MakeData(&own, sfOnlyThisForm);
    M().RegisterSkinData(only);
    own.Show();
    EXPECT_EQ(M().FindSkinData(own.Handle()), only);
    DestroyWindow(dialog);
    // Unregistering forgets the component.
    M().UnregisterSkinData(main1);
    EXPECT_EQ(M().DefaultSkinData(), nullptr);
    EXPECT_EQ(M().SkinDatas().size(), 4u);
}

TEST_F(SkinManagerTest, ActivationIsImmediateBeforeTheFirstActivationAndDeferredAfter) {
    TPlainForm host(Application);
    TSkinData* data = MakeData(&host, sfMainform);
    M().RegisterSkinData(data);
    M().InstallHook();
    ASSERT_NE(M().HookHandle(), nullptr);
    ASSERT_EQ(M().HookState(), TSkinHookState::Idle);
    M().RequestAction(TSkinAction::Activate, 250);
    EXPECT_TRUE(M().Active());
    EXPECT_FALSE(M().ActionTimerEnabled());

    // The hook sees the first activation and skins the window.
    TPlainForm form(Application);
    form.Show();
    SetActiveWindow(form.Handle());
    PumpPending();
    EXPECT_EQ(M().HookState(), TSkinHookState::Running);
    EXPECT_NE(M().FindFormSkinner(form.Handle()), nullptr);

    // Now a request waits for the timer: 250 ms.
    M().SetPendingSkinData(data);
    M().RequestAction(TSkinAction::Deactivate, 250);
    EXPECT_TRUE(M().Active());
    EXPECT_TRUE(M().ActionTimerEnabled());
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(PumpUntil([&] { return !M().Active(); }, 10000));
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                  std::chrono::steady_clock::now() - start)
                  .count();
    EXPECT_GE(ms, 200);
    EXPECT_LE(ms, 1000);
    // Deactivation restored and freed every skinner, and the event fired.
    EXPECT_EQ(M().FormSkinnerCount(), 0);
    EXPECT_TRUE(gLiveSkinners.empty());
    EXPECT_EQ(M().PendingSkinData(), nullptr);
    EXPECT_NE(std::find(gLog.begin(), gLog.end(), "restore"), gLog.end());

    // Activate again: every visible form is skinned in one pass.
    bool changed = false;
    data->OnSkinChanged = [&](TObject*) { changed = true; };
    M().SetPendingSkinData(data);
    M().RequestAction(TSkinAction::Activate, 250);
    EXPECT_TRUE(PumpUntil([&] { return M().Active() && changed; }, 10000));
    EXPECT_NE(M().FindFormSkinner(form.Handle()), nullptr);
    // Refresh: buttons dropped and frames recomputed before any reskin.
    gLog.clear();
    M().SetPendingSkinData(data);
    M().RequestAction(TSkinAction::Refresh, 10);
    M().RunPendingAction();
    ASSERT_GE(gLog.size(), 3u);
    EXPECT_EQ(gLog.back(), "reskin");
    EXPECT_EQ(gLog[gLog.size() - 3], "drop buttons");
}

TEST_F(SkinManagerTest, HookAnnouncesTopLevelWindowsAndSwallowsTheHandlersException) {
    TPlainForm host(Application);
    TSkinData* data = MakeData(&host, sfMainform);
    M().RegisterSkinData(data);
    M().InstallHook();
    M().SetActive(true);
    std::vector<std::string> created;
    data->OnWindowCreated = [&](TSkinData*, HWND, const std::string& className) {
        created.push_back(className);
        throw std::runtime_error("host failed");
    };
    ReportedErrors().clear();
    HWND top = CreateWindowExW(0, L"STATIC", L"top", WS_POPUP, 0, 0, 40, 40, nullptr, nullptr,
                               nullptr, nullptr);
    ASSERT_TRUE(top) << "the exception must not stop the creation";
    HWND child = CreateWindowExW(0, L"BUTTON", L"child", WS_CHILD, 0, 0, 40, 40, top, nullptr,
                                 nullptr, nullptr);
    ASSERT_TRUE(child);
    EXPECT_EQ(created, std::vector<std::string>{"Static"});
    EXPECT_TRUE(ReportedErrors().empty());

    // A size grip created in a skinned window goes to that window's skinner.
    EXPECT_TRUE(M().SkinWindow(top));
    HWND grip = CreateWindowExW(0, L"ScrollBar", L"", WS_CHILD | SBS_SIZEGRIP, 0, 0, 16, 16, top,
                                nullptr, nullptr, nullptr);
    ASSERT_TRUE(grip);
    EXPECT_EQ(gLog.back(), "child ScrollBar");
    DestroyWindow(top);

    // A skinner that raises while the hook runs: reported through the
    // application's handler, and the window still comes up and activates.
    TSkinManage::SetFormSkinnerFactory(
        [](TCustomForm*) -> TFormSkinnerBase* { throw std::runtime_error("skinner failed"); });
    TPlainForm form(Application);
    form.Show();
    SetActiveWindow(form.Handle());
    PumpPending();
    ASSERT_EQ(ReportedErrors().size(), 1u);
    EXPECT_EQ(ReportedErrors()[0], L"skinner failed");
    EXPECT_EQ(GetActiveWindow(), form.Handle());
    EXPECT_EQ(M().FindFormSkinner(form.Handle()), nullptr);

    // The trace lines are formatted even though nothing writes them.
    static std::vector<std::string> lines;
    lines.clear();
    TSkinTraceSink old = SetSkinTraceSink([](const std::string& l) { lines.push_back(l); });
    TSkinManage::Finalize();
    M().InstallHook();
    SetSkinTraceSink(old);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].rfind("Windows Version ", 0), 0u);
    EXPECT_EQ(lines[2].rfind("ThreadId ", 0), 0u);
    char expected[32];
    snprintf(expected, sizeof expected, "ThreadId %lx", GetCurrentThreadId());
    EXPECT_EQ(lines[2], expected);
}

TEST_F(SkinManagerTest, PopupMenusFollowTheirKindAndTheContextResets) {
    TPlainForm host(Application);
    TSkinData* data = MakeData(&host, sfMainform);
    M().RegisterSkinData(data);
    M().InstallHook();
    M().SetActive(true);
    // Popup menus enabled, system menus not.
    TSkinControlTypes kinds = data->SkinControls();
    kinds.Include(xcPopupMenu);
    kinds.Exclude(xcSystemMenu);
    data->SetSkinControls(kinds);

    HWND menu1 = CreateWindowExW(0, L"#32768", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_TRUE(menu1);
    EXPECT_TRUE(M().IsPopupMenuSkinned(menu1));
    // A system-menu window is not skinned while its kind is off.
    M().SetMenuContext(TMenuContext::SystemMenu);
    HWND menu2 = CreateWindowExW(0, L"#32768", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
    EXPECT_FALSE(M().IsPopupMenuSkinned(menu2));
    DestroyWindow(menu2);
    EXPECT_EQ(M().MenuContext(), TMenuContext::SystemMenu) << "one menu window is still open";
    DestroyWindow(menu1);
    EXPECT_EQ(M().PopupSkinnerCount(), 0);
    EXPECT_EQ(gLog.back(), "popup detach");
    // All menu windows closed: the next one counts as a popup menu again.
    EXPECT_EQ(M().MenuContext(), TMenuContext::Popup);
    HWND menu3 = CreateWindowExW(0, L"#32768", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
    EXPECT_TRUE(M().IsPopupMenuSkinned(menu3));
    DestroyWindow(menu3);
}

TEST_F(SkinManagerTest, SkinDataComponentDrivesTheManagerThroughItsLink) {
    TSkinManage::Finalize();
    TPlainForm host(Application);
    auto* data = new TSkinData(&host);
    ASSERT_TRUE(model_test::LoadBytes(*data, model_test::ProjectSkin()));
    // Loading finished: the manager is made, the component registered and
    // the thread hook installed.
    data->Loaded();
    TSkinManage* m = TSkinManage::Instance(false);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->DefaultSkinData(), data);
    EXPECT_NE(m->HookHandle(), nullptr);
    // Switching on before any activation takes effect at once.
    data->SetActive(true);
    EXPECT_TRUE(m->Active());
    EXPECT_EQ(m->HookState(), TSkinHookState::Running);
    EXPECT_EQ(m->PendingSkinData(), data);
    // Switching off now waits for the timer.
    data->SetActive(false);
    EXPECT_TRUE(m->Active());
    EXPECT_EQ(m->PendingAction(), TSkinAction::Deactivate);
    EXPECT_TRUE(PumpUntil([&] { return !m->Active(); }, 10000));
    // A component that goes unregisters itself.
    delete data;
    EXPECT_TRUE(m->SkinDatas().empty());
    EXPECT_EQ(m->DefaultSkinData(), nullptr);
}

TEST_F(SkinManagerTest, AComponentForItsOwnFormActsOnThatFormOnly) {
    TPlainForm host(Application);
    TSkinData* main = MakeData(&host, sfMainform);
    M().RegisterSkinData(main);
    TPlainForm own(Application);
    TSkinData* only = MakeData(&own, sfOnlyThisForm);
    M().RegisterSkinData(only);
    TPlainForm other(Application);
    own.Show();
    other.Show();
    M().SetHookState(TSkinHookState::Running);

    // Activate: only the component's own form is skinned, with that component.
    M().SetPendingSkinData(only);
    M().RequestAction(TSkinAction::Activate, 250);
    M().RunPendingAction();
    EXPECT_TRUE(M().Active());
    EXPECT_FALSE(M().SkinAllPass());
    ASSERT_NE(M().FindFormSkinner(own.Handle()), nullptr);
    EXPECT_EQ(M().FindFormSkinner(own.Handle())->SkinData(), only);
    EXPECT_EQ(M().FindFormSkinner(other.Handle()), nullptr);

    // The other form is skinned with the main component.
    EXPECT_TRUE(M().SkinWindow(other.Handle()));
    EXPECT_EQ(M().FindFormSkinner(other.Handle())->SkinData(), main);

    // Refresh touches the own form's skinner only.
    gLog.clear();
    M().SetPendingSkinData(only);
    M().RequestAction(TSkinAction::Refresh, 250);
    M().RunPendingAction();
    EXPECT_EQ(gLog, (std::vector<std::string>{"drop buttons", "frame", "reskin"}));

    // Purge frees a skinner whose window is gone, and nothing else.
    static_cast<RecordingSkinner*>(M().FindFormSkinner(other.Handle()))->state =
        TFormSkinnerState::Destroyed;
    M().SetPendingSkinData(only);
    M().RequestAction(TSkinAction::Purge, 250);
    M().RunPendingAction();
    EXPECT_EQ(M().FormSkinnerCount(), 1);

    // Deactivate restores and frees the own form's skinner only.
    M().SetPendingSkinData(only);
    M().RequestAction(TSkinAction::Deactivate, 250);
    M().RunPendingAction();
    EXPECT_FALSE(M().Active());
    EXPECT_EQ(M().FormSkinnerCount(), 0);
    EXPECT_EQ(gLog.back(), "restore");
}
