// TCollection / TCollectionItem: an owned, ordered list of items of one
// class (status panels, header sections ...). Items belong to their
// collection; freeing an item removes it.
#pragma once

#include <string>
#include <vector>

#include "framework/core/persistent.h"

class TCollection;

class TCollectionItem : public TPersistent {
    LT_CLASS(TCollectionItem, TPersistent)
public:
    // Creates the item and appends it to collection (when given).
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;
    TCollectionItem(const TCollectionItem&) = delete;
    TCollectionItem& operator=(const TCollectionItem&) = delete;

    TCollection* Collection() const { return collection_; }
    // Moves the item into another collection (or out of any, with nullptr).
    void SetCollection(TCollection* collection);
    // Position in the collection, or -1.
    int Index() const;
    // Moves the item to position i of its collection.
    void SetIndex(int i);
    virtual std::string DisplayName() const;
    TPersistent* GetOwner() const override;
    // Copies the published properties of an item of the same class.
    void Assign(const TPersistent& src) override;

protected:
    // Tells the collection that this item changed (all = every item).
    void Changed(bool all);

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
};

class TCollection : public TPersistent {
    LT_CLASS(TCollection, TPersistent)
public:
    // itemClass: class of the items Add() creates (must derive from
    // TCollectionItem); owner: the object that holds the collection.
    explicit TCollection(const TClassInfo& itemClass, TPersistent* owner = nullptr);
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;

    const TClassInfo& ItemClass() const { return *itemClass_; }
    int Count() const { return static_cast<int>(items_.size()); }
    // Item i; raises EListError when out of range.
    TCollectionItem* Items(int i) const;
    template <class T> T* ItemsAs(int i) const { return ObjectAs<T>(Items(i)); }
    // Appends a new item of the item class.
    TCollectionItem* Add();
    // Inserts a new item at position i.
    TCollectionItem* Insert(int i);
    // Frees item i.
    void Delete(int i);
    // Frees every item.
    void Clear();
    // Groups changes: Update runs once when the outermost EndUpdate ends.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    // Replaces the items with copies of src's (items are copied with Assign).
    void Assign(const TPersistent& src) override;
    TPersistent* GetOwner() const override { return owner_; }

protected:
    // Told when an item (or every item, with nullptr) changed or when the
    // list changed; the base does nothing.
    virtual void Update(TCollectionItem* item);
    // Called when an item was added or is about to be removed.
    virtual void Notify(TCollectionItem* item, bool added);

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);
    void Changed(TCollectionItem* item);

    const TClassInfo* itemClass_;
    TPersistent* owner_;
    std::vector<TCollectionItem*> items_;
    int updateCount_ = 0;
};
