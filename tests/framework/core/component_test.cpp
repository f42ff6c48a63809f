// TComponent ownership, names, states, notifications and handlers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/class_builder.h"
#include "framework/core/component.h"
#include "framework/core/exception.h"

namespace {

std::vector<std::string> g_freed;

// Records its destruction and the notifications it receives.
class TTracked : public TComponent {
public:
    TTracked(TComponent* owner, std::string id) : TComponent(owner), id_(std::move(id)) {}
    ~TTracked() override {
        // Owned components are still there when the derived part goes.
        g_freed.push_back(id_ + (HasState(csDestroying) ? "!" : "") + "/" +
                          std::to_string(ComponentCount()));
    }
    std::vector<std::string> seen;

protected:
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        seen.push_back((op == opInsert ? "+" : "-") + c->Name());
    }
    void Destroying() override {
        TComponent::Destroying();
        g_freed.push_back("destroying " + id_);
    }

private:
    std::string id_;
};

} // namespace

TEST(Component, OwnerFreesOwnedInReverseCreationOrder) {
    g_freed.clear();
    auto* root = new TTracked(nullptr, "root");
    auto* a = new TTracked(root, "a");
    auto* b = new TTracked(root, "b");
    auto* c = new TTracked(root, "c");
    auto* a1 = new TTracked(a, "a1");
    ASSERT_EQ(root->ComponentCount(), 3);
    EXPECT_EQ(root->Components(0), a);
    EXPECT_EQ(root->Components(2), c);
    EXPECT_EQ(b->ComponentIndex(), 1);
    EXPECT_EQ(a1->Owner(), a);
    EXPECT_THROW(root->Components(3), EListError);
    // A component freed early leaves its owner's list.
    delete b;
    ASSERT_EQ(root->ComponentCount(), 2);
    EXPECT_EQ(root->Components(1), c);
    g_freed.clear();
    delete root;
    // The root's destructor runs before the base frees the owned ones, c
    // first, then a (which frees a1). Owned components hear Destroying()
    // while still whole, so their destructors see csDestroying.
    const std::vector<std::string> expected = {"root/2", "destroying c",  "c!/0", "destroying a",
                                               "a!/1",   "destroying a1", "a1!/0"};
    EXPECT_EQ(g_freed, expected);
    // Free() does the same for a component without owner.
    g_freed.clear();
    (new TTracked(nullptr, "solo"))->Free();
    EXPECT_EQ(g_freed, (std::vector<std::string>{"destroying solo", "solo!/0"}));
}

TEST(Component, NamesAreIdentifiersUniqueAmongTheOwnersComponents) {
    TComponent root(nullptr);
    auto* a = new TComponent(&root);
    auto* b = new TComponent(&root);
    a->SetName("Button1");
    EXPECT_EQ(root.FindComponent("BUTTON1"), a);
    EXPECT_THROW(b->SetName("button1"), EInvalidOperation);
    EXPECT_THROW(b->SetName("1abc"), EInvalidOperation);
    EXPECT_THROW(b->SetName("a b"), EInvalidOperation);
    EXPECT_EQ(b->Name(), "");
    b->SetName("_x2");
    EXPECT_EQ(root.FindComponent("_X2"), b);
    EXPECT_EQ(root.FindComponent(""), nullptr);
    a->SetName("");
    EXPECT_EQ(root.FindComponent("Button1"), nullptr);
    b->SetTag(99);
    EXPECT_EQ(b->Tag(), 99);
    // Inserting a component whose name is taken fails and changes nothing.
    TComponent other(nullptr);
    auto* dup = new TComponent(&other);
    dup->SetName("_x2");
    EXPECT_THROW(root.InsertComponent(dup), EInvalidOperation);
    EXPECT_EQ(dup->Owner(), &other);
    EXPECT_EQ(root.ComponentCount(), 2);
}

TEST(Component, StateFlagsAndLoadedClearsLoading) {
    TComponent c(nullptr);
    EXPECT_TRUE(c.ComponentState().Empty());
    c.SetStateFlag(csLoading, true);
    c.SetStateFlag(csReading, true);
    EXPECT_TRUE(c.HasState(csLoading));
    EXPECT_TRUE(c.HasState(csReading));
    c.Loaded();
    EXPECT_FALSE(c.HasState(csLoading));
    EXPECT_TRUE(c.HasState(csReading));
    c.SetStateFlag(csReading, false);
    c.SetStateFlag(csDesigning, true);
    EXPECT_EQ(c.ComponentState().Mask(), 1u << csDesigning);
}

TEST(Component, FreeNotificationAndOwnerNotifications) {
    auto* root = new TTracked(nullptr, "root");
    auto* a = new TTracked(root, "a");
    a->SetName("A");
    EXPECT_EQ(root->seen, std::vector<std::string>{"+"}); // inserted before it had a name
    TTracked watcher(nullptr, "w");
    auto* b = new TTracked(root, "b");
    b->SetName("B");
    b->FreeNotification(&watcher);
    b->FreeNotification(&watcher); // once only
    delete b;
    EXPECT_EQ(watcher.seen, std::vector<std::string>{"-B"});
    // Siblings hear of a removal from their owner.
    auto* c = new TTracked(root, "c");
    c->SetName("C");
    a->seen.clear();
    delete c;
    EXPECT_EQ(a->seen, std::vector<std::string>{"-C"});
    // A dropped link sends nothing; freeing the watcher first drops the link.
    auto* d = new TTracked(root, "d");
    d->FreeNotification(&watcher);
    d->RemoveFreeNotification(&watcher);
    watcher.seen.clear();
    delete d;
    EXPECT_TRUE(watcher.seen.empty());
    {
        TTracked shortLived(nullptr, "s");
        a->FreeNotification(&shortLived);
    }
    delete root; // a must not notify the freed watcher
    SUCCEED();
}

TEST(Component, HandlerRegistryMatchesNameAndSignature) {
    TComponent root(nullptr);
    int calls = 0;
    root.RegisterHandler<void(TObject*)>("OnThing", [&](TObject*) { ++calls; });
    bool wrong = false;
    const auto* fn = root.FindHandler<void(TObject*)>("onthing", &wrong);
    ASSERT_NE(fn, nullptr);
    (*fn)(nullptr);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ((root.FindHandler<void(TObject*, bool&)>("OnThing", &wrong)), nullptr);
    EXPECT_TRUE(wrong);
    wrong = false;
    EXPECT_EQ(root.FindHandler<void(TObject*)>("Other", &wrong), nullptr);
    EXPECT_FALSE(wrong);

    TEvent<int(int)> ev;
    EXPECT_FALSE(ev);
    EXPECT_EQ(ev(5), 0);
    ev = [](int x) { return x * 2; };
    EXPECT_TRUE(ev);
    EXPECT_EQ(ev(5), 10);
    ev.Bind([](int x) { return x + 1; }, "Plus");
    EXPECT_EQ(ev(5), 6);
    EXPECT_EQ(ev.HandlerName(), "Plus");
    TEvent<int(int)> copy = ev; // a copy keeps the binding and its name
    EXPECT_EQ(copy.HandlerName(), "Plus");
    EXPECT_EQ(copy(1), 2);
    ev = nullptr;
    EXPECT_FALSE(ev);
    EXPECT_EQ(ev.HandlerName(), "");
}
