// Hooks on a control's message method with real controls: order and
// identity, unhooking inside a hooked message, controls freed under their
// hookers, every delivery path, and no growth over many hook cycles.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/ui/graphic_control.h"
#include "framework/ui/message_hooks.h"
#include "ui_test_util.h"

namespace {

constexpr UINT kProbe = WM_APP + 21;

// Records, per party, the probe messages it saw, in the order the parties saw them.
struct TTrail {
    std::vector<std::string> seen;
    // A hook that notes `name` for every probe and passes everything on.
    TMessageHook Hook(std::string name) {
        return [this, name](TMessage& msg, const TMessageChain& next) {
            if (msg.Msg == kProbe)
                seen.push_back(name);
            next(msg);
        };
    }
    // Puts a recorder on the control's own message method (the bottom).
    void WatchBottom(TControl& control) {
        TWndMethod own = control.WindowProc;
        control.WindowProc = [this, own](TMessage& msg) {
            if (msg.Msg == kProbe)
                seen.push_back("own");
            own(msg);
        };
    }
    std::vector<std::string> Take() { return std::exchange(seen, {}); }
};

using TNames = std::vector<std::string>;

// A party that hooks a control through a link and lets go when freed; owned
// by the control, so it is freed after the control's own teardown.
class THooker : public TComponent {
public:
    THooker(TControl* control, TTrail& trail, std::string name) : TComponent(control) {
        link.Hook(control->MessageHooks(), this, trail.Hook(std::move(name)));
    }
    ~THooker() override { link.Unhook(); }
    TMessageHookLink link;
};

// A windowed panel on a form, with a trail for what the hooks see.
class MessageHooks : public ::testing::Test {
protected:
    MessageHooks() : panel(new TCustomControl(&form)) {
        panel->SetParent(&form);
        wnd = panel->Handle();
    }
    // A hook made in a test body captures the body's locals, which are gone
    // before the form's teardown sends its controls their last messages: every
    // test takes its hooks off (or holds them in links declared after what
    // they capture), and nothing is left on the form's controls here.
    void TearDown() override {
        EXPECT_EQ(form.MessageHooks()->LiveCount(), 0u) << "the form";
        for (int i = 0; i < form.ControlCount(); ++i)
            EXPECT_EQ(form.Controls(i)->MessageHooks()->LiveCount(), 0u) << "control " << i;
    }
    // The trail outlives the form: hooks still note messages while the
    // form's teardown frees the panel.
    TTrail t;
    TForm form{Application};
    TCustomControl* panel;
    HWND wnd = nullptr;
};

} // namespace

// Hook A then B: B sees each message first, then A, then the control itself.
// With A taken off first, B goes on seeing every message and A none; a key
// hooked again keeps its place.
TEST_F(MessageHooks, OrderAndIdentity) {
    t.WatchBottom(*panel);
    int a = 0, b = 0;
    panel->HookMessages(&a, t.Hook("A"));
    panel->HookMessages(&b, t.Hook("B"));
    EXPECT_TRUE(panel->MessagesHooked(&a));
    SendMessageW(wnd, kProbe, 0, 0);
    panel->Perform(kProbe);
    EXPECT_EQ(t.Take(), (TNames{"B", "A", "own", "B", "A", "own"}));
    panel->UnhookMessages(&a);
    EXPECT_FALSE(panel->MessagesHooked(&a));
    EXPECT_TRUE(panel->MessagesHooked(&b));
    SendMessageW(wnd, kProbe, 0, 0);
    panel->Perform(kProbe);
    EXPECT_EQ(t.Take(), (TNames{"B", "own", "B", "own"}));
    // A key missing from the stack: nothing happens.
    panel->UnhookMessages(&a);
    panel->UnhookMessages(nullptr);
    EXPECT_EQ(panel->MessageHooks()->EntryCount(), 1u);
    // A on top again; B hooked again stays below it with its new hook.
    panel->HookMessages(&a, t.Hook("A"));
    panel->HookMessages(&b, t.Hook("B2"));
    panel->Perform(kProbe);
    EXPECT_EQ(t.Take(), (TNames{"A", "B2", "own"}));
    // A hook that keeps a message: nothing below sees it; its result stands.
    int keeper = 0;
    panel->HookMessages(&keeper, [](TMessage& msg, const TMessageChain& next) {
        if (msg.Msg == kProbe) {
            msg.Result = 77;
            return;
        }
        next(msg);
    });
    EXPECT_EQ(SendMessageW(wnd, kProbe, 0, 0), 77);
    EXPECT_TRUE(t.Take().empty());
    panel->UnhookMessages(&keeper);
    panel->UnhookMessages(&a);
    panel->UnhookMessages(&b);
    panel->Perform(kProbe);
    EXPECT_EQ(t.Take(), TNames{"own"});
    EXPECT_EQ(panel->MessageHooks()->EntryCount(), 0u);
}

// A hook taken off inside a message it handles (its own or another party's)
// is safe: the message goes on below, the removed hook sees nothing more, and
// the dead entry is swept when the outermost message returns.
TEST_F(MessageHooks, UnhookInsideTheHookedMessage) {
    t.WatchBottom(*panel);
    int a = 0, b = 0, c = 0;
    size_t entriesDuring = 0;
    // A removes itself, then passes the message on.
    panel->HookMessages(&a, [&](TMessage& msg, const TMessageChain& next) {
        if (msg.Msg == kProbe) {
            t.seen.push_back("A");
            panel->UnhookMessages(&a);
            entriesDuring = panel->MessageHooks()->EntryCount();
        }
        next(msg);
    });
    SendMessageW(wnd, kProbe, 0, 0);
    EXPECT_EQ(t.Take(), (TNames{"A", "own"}));
    EXPECT_EQ(entriesDuring, 1u); // marked dead, still held while the message ran
    EXPECT_EQ(panel->MessageHooks()->EntryCount(), 0u);
    SendMessageW(wnd, kProbe, 0, 0);
    EXPECT_EQ(t.Take(), TNames{"own"});

    // B (on top) removes A (below it) during a message: A doesn't see that
    // message either; a hook added meanwhile (C) sees only later ones.
    panel->HookMessages(&a, t.Hook("A"));
    panel->HookMessages(&b, [&](TMessage& msg, const TMessageChain& next) {
        if (msg.Msg == kProbe && panel->MessagesHooked(&a)) {
            t.seen.push_back("B");
            panel->UnhookMessages(&a);
            panel->HookMessages(&c, t.Hook("C"));
        } else if (msg.Msg == kProbe) {
            t.seen.push_back("B");
        }
        next(msg);
    });
    SendMessageW(wnd, kProbe, 0, 0);
    EXPECT_EQ(t.Take(), (TNames{"B", "own"}));
    panel->Perform(kProbe);
    EXPECT_EQ(t.Take(), (TNames{"C", "B", "own"}));

    // A nested message sent from inside a hook runs the whole chain again;
    // the hook removed in the nested one is gone for the rest of the outer one.
    panel->UnhookMessages(&b);
    panel->UnhookMessages(&c);
    int outer = 0;
    panel->HookMessages(&a, t.Hook("A"));
    panel->HookMessages(&outer, [&](TMessage& msg, const TMessageChain& next) {
        if (msg.Msg == kProbe && msg.WParam == 1) {
            t.seen.push_back("outer");
            SendMessageW(wnd, kProbe, 2, 0);
        }
        next(msg);
        if (msg.Msg == kProbe && msg.WParam == 2)
            panel->UnhookMessages(&a);
    });
    SendMessageW(wnd, kProbe, 1, 0);
    EXPECT_EQ(t.Take(), (TNames{"outer", "A", "own", "own"}));
    EXPECT_EQ(panel->MessageHooks()->EntryCount(), 1u);
    panel->UnhookMessages(&outer);
}

// A control freed while two parties hook it: hookers it owns are freed after
// its message method and window are gone, outside hookers later still; both
// unhook without touching it. A control freed by a hook during its own
// message leaves the rest of the chain doing nothing.
TEST_F(MessageHooks, ControlFreedWhileHookedByTwoParties) {
    std::weak_ptr<TMessageHooks> stack = panel->MessageHooks();
    auto* owned = new THooker(panel, t, "owned");
    auto outside = std::make_unique<TMessageHookLink>();
    outside->Hook(panel->MessageHooks(), outside.get(), t.Hook("outside"));
    SendMessageW(wnd, kProbe, 0, 0);
    EXPECT_EQ(t.Take(), (TNames{"outside", "owned"}));
    EXPECT_TRUE(owned->link.Hooked());
    delete panel; // frees `owned` too, after the control's own teardown
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_TRUE(stack.expired());
    EXPECT_FALSE(outside->Hooked());
    outside->Unhook();
    outside.reset();
    EXPECT_TRUE(t.Take().empty());

    // Freed from inside a hooked message: the hook below must not be called
    // on a freed control, and nothing crashes on the way out.
    auto* spot = new TGraphicControl(&form);
    spot->SetParent(&form);
    int lower = 0, upper = 0;
    spot->HookMessages(&lower, t.Hook("lower"));
    spot->HookMessages(&upper, [&](TMessage& msg, const TMessageChain& next) {
        if (msg.Msg == kProbe) {
            t.seen.push_back("upper");
            delete spot;
            spot = nullptr;
        }
        next(msg);
    });
    std::weak_ptr<TMessageHooks> spotStack = spot->MessageHooks();
    spot->Perform(kProbe);
    EXPECT_EQ(spot, nullptr);
    EXPECT_EQ(t.Take(), TNames{"upper"});
    EXPECT_TRUE(spotStack.expired());
}

// Hooks see messages from Perform, from the window (SendMessage), and the
// ones a parent routes to its windowless children: broadcasts and mouse input.
TEST_F(MessageHooks, EveryDeliveryPathGoesThroughTheHooks) {
    form.SetBounds(100, 100, 300, 200);
    auto* spot = new TGraphicControl(&form);
    spot->SetParent(&form);
    spot->SetBounds(40, 30, 60, 50);
    spot->SetParentColor(true);
    form.Show();
    PumpPending();
    std::vector<TMessage> seen;
    std::vector<UINT> windowSeen;
    // Declared after the records they fill, so they let go before those go.
    TMessageHookLink spotLink, panelLink, keeperLink;
    spotLink.Hook(spot->MessageHooks(), &spotLink, [&](TMessage& msg, const TMessageChain& next) {
        seen.push_back(msg);
        next(msg);
    });
    auto saw = [&](UINT m) {
        return std::any_of(seen.begin(), seen.end(), [m](const TMessage& s) { return s.Msg == m; });
    };
    spot->Perform(kProbe, 5, 6);
    ASSERT_TRUE(saw(kProbe));
    // Broadcast by the parent.
    form.SetColor(0x123456);
    EXPECT_TRUE(saw(CM_PARENTCOLORCHANGED));
    EXPECT_EQ(spot->Color(), static_cast<TColor>(0x123456));
    // Mouse input over the child, sent to the parent's window, arrives in the
    // child's coordinates.
    seen.clear();
    SendMessageW(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(45, 37));
    SendMessageW(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(45, 37));
    auto down = std::find_if(seen.begin(), seen.end(),
                             [](const TMessage& m) { return m.Msg == WM_LBUTTONDOWN; });
    ASSERT_NE(down, seen.end());
    EXPECT_EQ(down->LParam, MAKELPARAM(5, 7));
    EXPECT_TRUE(saw(WM_LBUTTONUP));

    // A windowed control's hooks see the messages its window gets.
    panelLink.Hook(panel->MessageHooks(), &panelLink,
                   [&](TMessage& msg, const TMessageChain& next) {
                       windowSeen.push_back(msg.Msg);
                       next(msg);
                   });
    SendMessageW(panel->Handle(), kProbe, 0, 0);
    SetWindowTextW(panel->Handle(), L"x");
    EXPECT_NE(std::find(windowSeen.begin(), windowSeen.end(), kProbe), windowSeen.end());
    EXPECT_NE(std::find(windowSeen.begin(), windowSeen.end(), static_cast<UINT>(WM_SETTEXT)),
              windowSeen.end());
    // The window's answer is the hook's when it keeps the message.
    keeperLink.Hook(panel->MessageHooks(), &keeperLink,
                    [](TMessage& msg, const TMessageChain& next) {
                        if (msg.Msg == WM_GETTEXTLENGTH) {
                            msg.Result = 42;
                            return;
                        }
                        next(msg);
                    });
    EXPECT_EQ(GetWindowTextLengthW(panel->Handle()), 42);
}

// A thousand hook/unhook cycles, outside and inside messages, leave no entry behind.
TEST_F(MessageHooks, ManyCyclesLeaveNoGrowth) {
    int resident = 0;
    panel->HookMessages(&resident, t.Hook("resident"));
    std::vector<int> keys(1000);
    size_t most = 0;
    for (int& k : keys) {
        panel->HookMessages(&k, t.Hook("k"));
        most = std::max(most, panel->MessageHooks()->EntryCount());
        panel->UnhookMessages(&k);
    }
    EXPECT_EQ(most, 2u);
    EXPECT_EQ(panel->MessageHooks()->EntryCount(), 1u);
    // Each message hooks a fresh key and drops the previous one from inside.
    int cycler = 0;
    int* previous = nullptr;
    size_t i = 0;
    panel->HookMessages(&cycler, [&](TMessage& msg, const TMessageChain& next) {
        if (msg.Msg == kProbe) {
            if (previous)
                panel->UnhookMessages(previous);
            previous = &keys[i++ % keys.size()];
            panel->HookMessages(previous, [](TMessage& m, const TMessageChain& n) { n(m); });
        }
        next(msg);
    });
    for (int n = 0; n < 1000; ++n) {
        SendMessageW(wnd, kProbe, 0, 0);
        most = std::max(most, panel->MessageHooks()->EntryCount());
    }
    EXPECT_EQ(most, 3u);
    EXPECT_EQ(t.Take().size(), 1000u); // the resident hook saw every one
    panel->UnhookMessages(previous);
    panel->UnhookMessages(&cycler);
    EXPECT_EQ(panel->MessageHooks()->EntryCount(), 1u);
    EXPECT_EQ(panel->MessageHooks()->LiveCount(), 1u);
    panel->UnhookMessages(&resident);
}
