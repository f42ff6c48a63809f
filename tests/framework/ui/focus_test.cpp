// Focus and tab order as message sequences: Tab and Shift+Tab typed with real
// key strokes move the focus through the windowed controls of a form; each move
// is WM_KILLFOCUS / WM_SETFOCUS on the windows, then CM_EXIT to the control that
// lost the focus and CM_ENTER to the one that got it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/core/class_builder.h"
#include "message_log.h"
#include "real_input.h"
#include "ui_test_util.h"

namespace {

// A windowed container without a tab stop of its own.
class TFocusBox : public TCustomControl {
    LT_CLASS(TFocusBox, TCustomControl)
public:
    explicit TFocusBox(TComponent* owner) : TCustomControl(owner) {}
};

// What one focus move from `from` to `to` by the Tab key looks like.
std::vector<TLoggedMessage> TabStep(const std::string& from, const std::string& to) {
    return {{"form", CM_DIALOGKEY},
            {from, WM_KILLFOCUS},
            {to, WM_SETFOCUS},
            {from, CM_EXIT},
            {to, CM_ENTER}};
}

} // namespace

LT_CLASS_TABLE(TFocusBox) {}

TEST(Focus, TabAndShiftTabWalkTheTabOrderWithEnterAndExit) {
    TForm form(Application);
    form.SetBounds(20, 20, 400, 120);
    auto* a = new TTestButton(&form);
    auto* b = new TTestButton(&form);
    auto* skipped = new TTestButton(&form);
    auto* c = new TTestButton(&form);
    auto* box = new TFocusBox(&form);
    auto* e = new TTestButton(&form);
    int left = 0;
    for (TWinControl* w : {a, b, skipped, c}) {
        w->SetParent(&form);
        w->SetLeft(left);
        left += 80;
    }
    skipped->SetTabStop(false);
    box->SetParent(&form);
    box->SetBounds(0, 40, 200, 40);
    e->SetParent(box);
    std::vector<WORD> keysSeen;
    for (TTestButton* w : {a, b, c, e})
        w->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { keysSeen.push_back(key); };
    TMessageLog log({WM_SETFOCUS, WM_KILLFOCUS, CM_ENTER, CM_EXIT, CM_DIALOGKEY});
    log.Watch(form, "form");
    const std::pair<TControl*, const char*> named[] = {{a, "a"}, {b, "b"},     {skipped, "skipped"},
                                                       {c, "c"}, {box, "box"}, {e, "e"}};
    for (const auto& [control, name] : named)
        log.Watch(*control, name);
    form.Show();
    SetForegroundWindow(form.Handle());
    ASSERT_TRUE(PumpUntil([&] { return a->Focused(); }, 10000)) << "the first in tab order";
    log.Clear();

    // Forward: the control without a tab stop is passed over, the box is
    // entered through its child, and the end wraps round to the start.
    const std::pair<const char*, const char*> forward[] = {
        {"a", "b"}, {"b", "c"}, {"c", "e"}, {"e", "a"}};
    for (const auto& [from, to] : forward) {
        TypeChord({VK_TAB});
        EXPECT_TRUE(log.Matches(TabStep(from, to))) << from << " -> " << to;
        log.Clear();
    }
    EXPECT_TRUE(a->Focused());
    // Backward, wrapping the other way.
    const std::pair<const char*, const char*> backward[] = {{"a", "e"}, {"e", "c"}};
    for (const auto& [from, to] : backward) {
        TypeChord({VK_SHIFT, VK_TAB});
        EXPECT_TRUE(log.Matches(TabStep(from, to))) << "Shift+Tab " << from << " -> " << to;
        log.Clear();
    }
    EXPECT_TRUE(c->Focused());
    EXPECT_EQ(form.ActiveControl(), c);
    // Tab is a dialog key: no control ever saw it as a key of its own.
    EXPECT_EQ(std::count(keysSeen.begin(), keysSeen.end(), VK_TAB), 0);
    form.Hide();
}

// Focus moved by the program (SetFocus) sends the same sequence as the keyboard
// does, without the dialog key; focusing the focused control sends nothing.
TEST(Focus, SetFocusSendsKillSetExitEnterOnce) {
    TForm form(Application);
    form.SetBounds(20, 20, 300, 80);
    auto* a = new TTestButton(&form);
    auto* b = new TTestButton(&form);
    a->SetParent(&form);
    b->SetParent(&form);
    b->SetLeft(100);
    std::vector<std::string> events;
    a->OnEnter = [&](TObject*) { events.push_back("a enter"); };
    a->OnExit = [&](TObject*) { events.push_back("a exit"); };
    b->OnEnter = [&](TObject*) { events.push_back("b enter"); };
    b->OnExit = [&](TObject*) { events.push_back("b exit"); };
    TMessageLog log({WM_SETFOCUS, WM_KILLFOCUS, CM_ENTER, CM_EXIT, CM_DIALOGKEY});
    log.Watch(form, "form");
    log.Watch(*a, "a");
    log.Watch(*b, "b");
    form.Show();
    SetForegroundWindow(form.Handle());
    ASSERT_TRUE(PumpUntil([&] { return a->Focused(); }, 10000));
    events.clear();
    log.Clear();
    b->SetFocus();
    EXPECT_TRUE(
        log.Matches({{"a", WM_KILLFOCUS}, {"b", WM_SETFOCUS}, {"a", CM_EXIT}, {"b", CM_ENTER}}));
    EXPECT_EQ(events, (std::vector<std::string>{"a exit", "b enter"}));
    log.Clear();
    b->SetFocus();
    EXPECT_TRUE(log.Matches({}));
    EXPECT_EQ(form.ActiveControl(), b);
    form.Hide();
}
