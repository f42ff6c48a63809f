// TCollection and TCollectionItem.
#include <gtest/gtest.h>

#include "framework/core/exception.h"
#include "tests/framework/core/sample_classes.h"

namespace {
class TCountingCollection : public TCollection {
public:
    TCountingCollection() : TCollection(TSampleItem::StaticClass()) {}
    int updates = 0;
    int added = 0;
    int removed = 0;

protected:
    void Update(TCollectionItem*) override { ++updates; }
    void Notify(TCollectionItem*, bool add) override { ++(add ? added : removed); }
};
} // namespace

TEST(Collection, AddInsertDeleteIndexAndUpdates) {
    TCountingCollection coll;
    auto* a = static_cast<TSampleItem*>(coll.Add());
    auto* b = static_cast<TSampleItem*>(coll.Add());
    EXPECT_EQ(coll.Count(), 2);
    EXPECT_EQ(coll.added, 2);
    EXPECT_EQ(coll.updates, 2);
    EXPECT_EQ(a->Collection(), &coll);
    EXPECT_EQ(b->Index(), 1);
    auto* c = static_cast<TSampleItem*>(coll.Insert(0));
    EXPECT_EQ(c->Index(), 0);
    EXPECT_EQ(coll.Items(1), a);
    c->SetIndex(2);
    EXPECT_EQ(coll.Items(2), c);
    EXPECT_THROW(c->SetIndex(3), EListError);
    EXPECT_THROW(coll.Items(3), EListError);
    EXPECT_THROW(coll.Insert(5), EListError);
    // Freeing an item removes it.
    delete a;
    EXPECT_EQ(coll.Count(), 2);
    EXPECT_EQ(coll.Items(0), b);
    EXPECT_EQ(coll.removed, 1);
    // Grouped changes report once.
    coll.updates = 0;
    coll.BeginUpdate();
    coll.Add();
    coll.Add();
    coll.Delete(0);
    EXPECT_EQ(coll.updates, 0);
    coll.EndUpdate();
    EXPECT_EQ(coll.updates, 1);
    EXPECT_EQ(coll.Count(), 3);
    coll.Clear();
    EXPECT_EQ(coll.Count(), 0);
    EXPECT_EQ(coll.updates, 2);
}

TEST(Collection, AssignCopiesItemsAndMovesBetweenCollections) {
    TCollection src(TSampleItem::StaticClass());
    auto* p = static_cast<TSampleItem*>(src.Add());
    p->Width = 100;
    p->Text = L"x";
    p->Alignment = saCenter;
    src.Add();
    TCollection dst(TSampleItem::StaticClass());
    dst.Add();
    dst.Add();
    dst.Add();
    dst.Assign(src);
    ASSERT_EQ(dst.Count(), 2);
    EXPECT_EQ(dst.ItemsAs<TSampleItem>(0)->Width, 100);
    EXPECT_EQ(dst.ItemsAs<TSampleItem>(0)->Text, L"x");
    EXPECT_EQ(dst.ItemsAs<TSampleItem>(0)->Alignment, saCenter);
    EXPECT_NE(dst.Items(0), src.Items(0));
    p->SetCollection(&dst);
    EXPECT_EQ(src.Count(), 1);
    EXPECT_EQ(dst.Count(), 3);
    EXPECT_EQ(p->Index(), 2);
    TStringList notACollection;
    EXPECT_THROW(dst.Assign(notACollection), EConvertError);
    EXPECT_THROW(TCollection(TSampleWidget::StaticClass()), EInvalidOperation);
}
