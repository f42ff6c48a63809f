// The form skinner across skin switches and deactivation under Wine: the
// same client size after a switch, live-object counters over many cycles and
// switches, and wrappers that free wrappers freed once on restore.
#include <cstdio>

#include "tests/skin/window/form_skinner_fixture.h"

using namespace form_test;

namespace {

int gFreedWrappers = 0;

// A wrapper that frees a wrapper of its own when it goes, and forgets it
// when that one goes first (as a combo box does with its list's scroll-bar
// wrapper).
class TNestingWrapper : public TSkinControl {
public:
    explicit TNestingWrapper(TComponent* owner) : TSkinControl(owner) {}
    ~TNestingWrapper() override {
        ++gFreedWrappers;
        delete inner;
    }
    void Adopt(TSkinControl* w) {
        inner = w;
        w->FreeNotification(this);
    }
    void Notification(TComponent* c, TOperation op) override {
        TSkinControl::Notification(c, op);
        if (op == opRemove && c == inner)
            inner = nullptr;
    }
    TSkinControl* inner = nullptr;
};

class TCountedWrapper : public TSkinControl {
public:
    explicit TCountedWrapper(TComponent* owner) : TSkinControl(owner) {}
    ~TCountedWrapper() override { ++gFreedWrappers; }
};

} // namespace

TEST_F(FormSkinnerTest, SkinSwitchReframesAtTheSameClientSize) {
    TPlainForm a(Application);
    TPlainForm b(Application, 300, 220);
    a.Show();
    b.Show();
    const SIZE ca = ClientSizeOf(a.Handle());
    const SIZE cb = ClientSizeOf(b.Handle());
    TWinSkinForm* sa = Skin(a.Handle());
    TWinSkinForm* sb = Skin(b.Handle());
    ASSERT_TRUE(sa && sb);
    const int xplunaTitle = sa->TitleHeight;

    ASSERT_TRUE(model_test::LoadBytes(*data_, GraphiteSkin()));
    data_->ApplySkin();
    M().RunPendingAction();
    PumpPending();
    const int graphiteTitle = data_->TopBorder->Picture.Height() /
                              std::max(1, static_cast<int>(data_->TopBorder->FrameCount));
    EXPECT_EQ(sa->TitleHeight, graphiteTitle);
    EXPECT_EQ(sb->TitleHeight, graphiteTitle);
    // The caption buttons are Graphite's, laid out by its coordinates.
    SendMessageW(a.Handle(), SM_REPAINTFRAME, 0, 0);
    for (auto& btn : sa->Buttons())
        if (btn->Visible && btn->SkinButton->Align == 1) {
            EXPECT_EQ(btn->Bounds.left, sa->FrameWidth - btn->SkinButton->XCoord);
            EXPECT_EQ(btn->Bounds.top, btn->SkinButton->YCoord);
        }
    ASSERT_FALSE(sa->Buttons().empty());
    EXPECT_EQ(sa->Buttons().front()->SkinButton, data_->CaptionButtons.front().get());
    EXPECT_EQ(ClientOrigin(a.Handle()).y, graphiteTitle);
    for (auto [wnd, c] : {std::pair{a.Handle(), ca}, std::pair{b.Handle(), cb}}) {
        EXPECT_EQ(ClientSizeOf(wnd).cx, c.cx);
        EXPECT_EQ(ClientSizeOf(wnd).cy, c.cy);
    }
    // And back.
    ASSERT_TRUE(model_test::LoadBytes(*data_, model_test::ProjectSkin()));
    data_->ApplySkin();
    M().RunPendingAction();
    PumpPending();
    EXPECT_EQ(sa->TitleHeight, xplunaTitle);
    EXPECT_EQ(ClientSizeOf(a.Handle()).cx, ca.cx);
    EXPECT_EQ(ClientSizeOf(a.Handle()).cy, ca.cy);
}

// The counters are exact: anything left behind by each cycle shows fifty times.
TEST_F(FormSkinnerTest, FiftyCyclesLeaveEveryCounterWhereItStarted) {
    TPlainForm form(Application);
    form.Show();
    HWND wnd = form.Handle();
    // One round first, so that lazily made objects exist before counting.
    Skin(wnd);
    Deactivate();
    M().SetActive(true);
    const int gdi = GdiLiveTotal();
    const int windows = TWinControl::LiveWindowCount();
    const int items = TMenuItem::LiveCount();
    const SIZE client = ClientSizeOf(wnd);
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(M().SkinWindow(wnd));
        SendMessageW(wnd, SM_SKINCONTENTS, 0, SM_SKINCONTENTS_TAG);
        TakePosted(wnd, SM_SKINCONTENTS);
        M().SetPendingSkinData(data_);
        M().RequestAction(TSkinAction::Deactivate, 250);
        M().RunPendingAction();
        M().SetActive(true);
    }
    EXPECT_EQ(GdiLiveTotal(), gdi);
    EXPECT_EQ(TWinControl::LiveWindowCount(), windows);
    EXPECT_EQ(TMenuItem::LiveCount(), items);
    EXPECT_EQ(ClientSizeOf(wnd).cx, client.cx);
    EXPECT_EQ(ClientSizeOf(wnd).cy, client.cy);

    TWinSkinForm* s = Skin(wnd);
    ASSERT_NE(s, nullptr);
    // Fifty sizes fill the drawing utilities' cache of prepared frames (its
    // budget has a test of its own): it is emptied before each count.
    ClearSkinDrawCache();
    const int gdiSkinned = GdiLiveTotal();
    for (int i = 0; i < 50; ++i) {
        SetWindowPos(wnd, nullptr, 0, 0, 300 + i % 50, 240 + i % 30,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(wnd, SM_REPAINTFRAME, 0, 0);
    }
    ClearSkinDrawCache();
    EXPECT_EQ(GdiLiveTotal(), gdiSkinned);
    for (int i = 0; i < 50; ++i) {
        s->DropCaptionButtons();
        s->ComputeFrame();
        s->Reskin();
    }
    ClearSkinDrawCache();
    EXPECT_EQ(GdiLiveTotal(), gdiSkinned);
    EXPECT_EQ(TWinControl::LiveWindowCount(), windows);
}

// Real skin switches: the skin data loads the other skin's archive and the
// manager re-frames the window; every counter ends where it started.
TEST_F(FormSkinnerTest, FiftySkinSwitchesLeaveEveryCounterWhereItStarted) {
    TPlainForm form(Application);
    TWinSkinForm* s = ShowSkinned(form);
    ASSERT_NE(s, nullptr);
    HWND wnd = form.Handle();
    const SIZE client = ClientSizeOf(wnd);
    auto switchTo = [this](const std::vector<uint8_t>& skin) {
        ASSERT_TRUE(model_test::LoadBytes(*data_, skin));
        data_->ApplySkin();
        M().RunPendingAction();
    };
    // One round first: pictures made on first use exist before counting.
    switchTo(GraphiteSkin());
    switchTo(model_test::ProjectSkin());
    const int gdi = GdiLiveTotal();
    const int windows = TWinControl::LiveWindowCount();
    const int items = TMenuItem::LiveCount();
    const DWORD start = GetTickCount();
    for (int i = 0; i < 50; ++i) {
        switchTo((i & 1) ? model_test::ProjectSkin() : GraphiteSkin());
        if (i % 10 == 0)
            PumpPending();
    }
    std::printf("50 skin switches: %lu ms\n", GetTickCount() - start);
    EXPECT_EQ(GdiLiveTotal(), gdi);
    EXPECT_EQ(TWinControl::LiveWindowCount(), windows);
    EXPECT_EQ(TMenuItem::LiveCount(), items);
    EXPECT_EQ(s->TitleHeight, 29);
    EXPECT_EQ(ClientSizeOf(wnd).cx, client.cx);
    EXPECT_EQ(ClientSizeOf(wnd).cy, client.cy);
}

TEST_F(FormSkinnerTest, WrappersThatFreeWrappersAreFreedOnceOnRestore) {
    TPlainForm form(Application);
    TWinSkinForm* s = ShowSkinned(form);
    ASSERT_NE(s, nullptr);
    gFreedWrappers = 0;
    for (bool innerFirst : {false, true}) {
        auto* outer = new TNestingWrapper(nullptr);
        auto* inner = new TCountedWrapper(nullptr);
        outer->Adopt(inner);
        outer->FormSkinner = s;
        inner->FormSkinner = s;
        if (innerFirst)
            s->RegisterWrapper(inner);
        s->RegisterWrapper(outer);
        if (!innerFirst)
            s->RegisterWrapper(inner);
    }
    EXPECT_EQ(s->WrapperCount(), 4);
    Deactivate();
    EXPECT_EQ(gFreedWrappers, 4);
}
