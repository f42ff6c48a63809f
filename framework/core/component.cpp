// TComponent: ownership, names, state, free notification, handler registry.
#include "framework/core/component.h"

#include <algorithm>

#include "framework/core/class_builder.h"
#include "framework/core/exception.h"
#include "framework/core/strings.h"
#include "framework/core/utf8.h"

LT_CLASS_TABLE(TComponent) {
    c.String("Name", &TComponent::Name, &TComponent::SetName);
    c.Integer("Tag", &TComponent::Tag, &TComponent::SetTag).Default(0);
}

namespace {
// Letters, digits and underscores, not starting with a digit.
bool IsIdentifier(std::string_view s) {
    if (s.empty() || (s[0] >= '0' && s[0] <= '9'))
        return false;
    return std::all_of(s.begin(), s.end(), [](char ch) {
        return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
               ch == '_';
    });
}
} // namespace

TComponent::TComponent(TComponent* owner) {
    if (owner)
        owner->InsertComponent(this);
}

void TComponent::Free() {
    Destroying();
    delete this;
}

TComponent::~TComponent() {
    state_.Include(csDestroying);
    // Tell everyone who asked, then drop the links both ways.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        auto& back = other->freeNotifies_;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (owner_)
        owner_->RemoveComponent(this);
}

void TComponent::Destroying() {
    state_.Include(csDestroying);
}

TComponent* TComponent::Components(int i) const {
    if (i < 0 || i >= ComponentCount())
        throw EListError(L"Component index out of bounds (" + std::to_wstring(i) + L")");
    return components_[static_cast<size_t>(i)];
}

int TComponent::ComponentIndex() const {
    if (!owner_)
        return -1;
    const auto& list = owner_->components_;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty())
        return nullptr;
    for (TComponent* c : components_)
        if (SameTextAscii(c->name_, name))
            return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* c) {
    if (!c || c->owner_ == this)
        return;
    if (!c->name_.empty() && FindComponent(c->name_))
        throw EInvalidOperation(L"A component named " + Utf8ToWide(c->name_) + L" already exists");
    if (c->owner_)
        c->owner_->RemoveComponent(c);
    components_.push_back(c);
    c->owner_ = this;
    Notification(c, opInsert);
}

void TComponent::RemoveComponent(TComponent* c) {
    const auto it = std::find(components_.begin(), components_.end(), c);
    if (it == components_.end())
        return;
    Notification(c, opRemove);
    // The notification may have changed the list: find the entry again.
    components_.erase(std::remove(components_.begin(), components_.end(), c), components_.end());
    c->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* c = components_.back();
        // The destructor removes c from this list; remove it first anyway so
        // that a component whose destructor throws cannot loop forever.
        components_.pop_back();
        c->owner_ = nullptr;
        Notification(c, opRemove);
        c->Free();
    }
}

void TComponent::SetName(const std::string& name) {
    if (name == name_)
        return;
    if (!name.empty() && !IsIdentifier(name))
        throw EInvalidOperation(L"'" + Utf8ToWide(name) + L"' is not a valid component name");
    if (!name.empty() && owner_) {
        TComponent* same = owner_->FindComponent(name);
        if (same && same != this)
            throw EInvalidOperation(L"A component named " + Utf8ToWide(name) + L" already exists");
    }
    name_ = name;
}

void TComponent::SetStateFlag(TComponentStateItem s, bool on) {
    if (on)
        state_.Include(s);
    else
        state_.Exclude(s);
}

void TComponent::FreeNotification(TComponent* other) {
    if (!other || other == this)
        return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end()) {
        freeNotifies_.push_back(other);
        other->freeNotifies_.push_back(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* other) {
    Unlink(other);
}

void TComponent::Unlink(TComponent* other) {
    if (!other)
        return;
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), other),
                        freeNotifies_.end());
    other->freeNotifies_.erase(
        std::remove(other->freeNotifies_.begin(), other->freeNotifies_.end(), this),
        other->freeNotifies_.end());
}

void TComponent::Notification(TComponent* c, TOperation op) {
    if (op == opRemove) {
        Unlink(c);
        // Owned components may hold references to c as well.
        for (size_t i = 0; i < components_.size(); ++i)
            if (components_[i] != c)
                components_[i]->Notification(c, op);
    }
}

void TComponent::Loaded() {
    state_.Exclude(csLoading);
}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    if (!root)
        return;
    // Copy first, so that proc cannot disturb the walk.
    const std::vector<TComponent*> owned = root->components_;
    for (TComponent* c : owned) {
        if (c == this)
            continue;
        TComponent* parent = c->GetParentComponent();
        if (this == root ? (!parent || parent == root) : parent == this)
            proc(c);
    }
}

const TComponent::Handler* TComponent::FindHandlerEntry(std::string_view name) const {
    for (const Handler& h : handlers_)
        if (SameTextAscii(h.name, name))
            return &h;
    return nullptr;
}

void TComponent::AddHandler(std::string name, std::type_index type, std::shared_ptr<void> fn) {
    for (Handler& h : handlers_)
        if (SameTextAscii(h.name, name)) {
            h.type = type;
            h.fn = std::move(fn);
            return;
        }
    handlers_.push_back(Handler{std::move(name), type, std::move(fn)});
}
