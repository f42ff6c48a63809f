// TCollection and TCollectionItem.
#include "framework/core/collection.h"

#include <algorithm>

#include "framework/core/class_builder.h"
#include "framework/core/exception.h"
#include "framework/core/property_access.h"
#include "framework/core/utf8.h"

LT_CLASS_TABLE(TCollectionItem) {}
LT_CLASS_TABLE(TCollection) {}

TCollectionItem::TCollectionItem(TCollection* collection) {
    SetCollection(collection);
}

TCollectionItem::~TCollectionItem() {
    SetCollection(nullptr);
}

void TCollectionItem::SetCollection(TCollection* collection) {
    if (collection == collection_)
        return;
    if (collection_)
        collection_->RemoveItem(this);
    if (collection)
        collection->InsertItem(this);
}

int TCollectionItem::Index() const {
    if (!collection_)
        return -1;
    const auto& items = collection_->items_;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int i) {
    const int cur = Index();
    if (cur < 0 || i == cur)
        return;
    auto& items = collection_->items_;
    if (i < 0 || i >= static_cast<int>(items.size()))
        throw EListError(L"Collection index out of bounds (" + std::to_wstring(i) + L")");
    items.erase(items.begin() + cur);
    items.insert(items.begin() + i, this);
    Changed(true);
}

std::string TCollectionItem::DisplayName() const {
    return ClassName();
}

void TCollectionItem::Assign(const TPersistent& src) {
    if (&src.ClassInfo() == &ClassInfo() && &src != this) {
        // Reading through getters does not change src.
        AssignPublishedProperties(*this, const_cast<TPersistent&>(src));
        return;
    }
    TPersistent::Assign(src);
}

TPersistent* TCollectionItem::GetOwner() const {
    return collection_;
}

void TCollectionItem::Changed(bool all) {
    if (collection_)
        collection_->Changed(all ? nullptr : this);
}

TCollection::TCollection(const TClassInfo& itemClass, TPersistent* owner)
    : itemClass_(&itemClass), owner_(owner) {
    if (!itemClass.InheritsFrom(TCollectionItem::StaticClass()))
        throw EInvalidOperation(Utf8ToWide(itemClass.Name() + " is not a collection item class"));
}

TCollection::~TCollection() {
    updateCount_ = 1; // no Update calls while tearing down
    Clear();
}

TCollectionItem* TCollection::Items(int i) const {
    if (i < 0 || i >= Count())
        throw EListError(L"Collection index out of bounds (" + std::to_wstring(i) + L")");
    return items_[static_cast<size_t>(i)];
}

TCollectionItem* TCollection::Add() {
    TObject* obj = itemClass_->CreateInstance(this);
    auto* item = dynamic_cast<TCollectionItem*>(obj);
    if (!item) {
        delete obj;
        throw EInvalidOperation(Utf8ToWide("Cannot create an item of class " + itemClass_->Name()));
    }
    if (item->collection_ != this) // a constructor that ignored its collection
        item->SetCollection(this);
    return item;
}

TCollectionItem* TCollection::Insert(int i) {
    if (i < 0 || i > Count())
        throw EListError(L"Collection index out of bounds (" + std::to_wstring(i) + L")");
    TCollectionItem* item = Add();
    item->SetIndex(i);
    return item;
}

void TCollection::Delete(int i) {
    delete Items(i);
}

void TCollection::Clear() {
    if (items_.empty())
        return;
    BeginUpdate();
    while (!items_.empty())
        delete items_.back();
    EndUpdate();
}

void TCollection::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0)
        Changed(nullptr);
}

void TCollection::Assign(const TPersistent& src) {
    const auto* other = dynamic_cast<const TCollection*>(&src);
    if (!other) {
        TPersistent::Assign(src);
        return;
    }
    if (other == this)
        return;
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* it : other->items_)
            Add()->Assign(*it);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, bool) {}

void TCollection::InsertItem(TCollectionItem* item) {
    items_.push_back(item);
    item->collection_ = this;
    Notify(item, true);
    Changed(nullptr);
}

void TCollection::RemoveItem(TCollectionItem* item) {
    Notify(item, false);
    items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    item->collection_ = nullptr;
    Changed(nullptr);
}

void TCollection::Changed(TCollectionItem* item) {
    if (updateCount_ == 0)
        Update(item);
}
