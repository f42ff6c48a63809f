// TComponent: an owned, named object. An owner frees what it owns (in
// reverse creation order); a component freed early leaves its owner's list.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <vector>

#include "framework/core/enum_info.h"
#include "framework/core/event.h"
#include "framework/core/persistent.h"
#include "framework/core/set.h"

// Component state flags.
//   csLoading:    from creation by the form reader until its Loaded() ran
//   csReading:    while the form reader applies its properties
//   csWriting:    while the form writer writes it
//   csDestroying: from the start of its destructor
//   csDesigning:  designer mode (never set by this program)
LT_ENUM(TComponentStateItem, csLoading, csReading, csWriting, csDestroying, csDesigning)
using TComponentState = TSet<TComponentStateItem>;

LT_ENUM(TOperation, opInsert, opRemove)

class TComponent : public TPersistent {
    LT_CLASS(TComponent, TPersistent)
public:
    // Creates the component and, when owner is given, adds it to the owner.
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    // Owned component i in creation order; raises EListError when out of range.
    TComponent* Components(int i) const;
    // Position in the owner's list, or -1.
    int ComponentIndex() const;
    // Owned component by name (case-insensitive), or nullptr.
    TComponent* FindComponent(std::string_view name) const;
    // Adds / removes an owned component (the constructor and destructor do it).
    void InsertComponent(TComponent* c);
    void RemoveComponent(TComponent* c);
    // Frees every owned component, last created first.
    void DestroyComponents();
    // Calls Destroying() on the whole object, then deletes it. Owners free
    // their components this way; prefer it to a plain delete.
    void Free();

    const std::string& Name() const { return name_; }
    // Sets the name: empty or an identifier unique among the owner's
    // components (EInvalidOperation otherwise).
    virtual void SetName(const std::string& name);
    int32_t Tag() const { return tag_; }
    void SetTag(int32_t tag) { tag_ = tag; }

    TComponentState ComponentState() const { return state_; }
    bool HasState(TComponentStateItem s) const { return state_.Contains(s); }
    // Used by the form reader and writer and by tests (designing).
    void SetStateFlag(TComponentStateItem s, bool on);

    // Asks for a Notification(this component, opRemove) to reach other when
    // this component is freed. The link is dropped when either one goes.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

    // Called once the form definition holding the component has been read;
    // the base clears csLoading. Overrides call the base first.
    virtual void Loaded();

    // Parent used by the form reader for nested definitions (controls use
    // it as their parent window); the base has none.
    virtual void SetParentComponent(TComponent* parent);
    virtual TComponent* GetParentComponent() const { return nullptr; }
    // The components the form writer writes nested inside this one: the
    // base gives, for the root, the components it owns whose parent is none
    // or the root, and for any other component, the root's components whose
    // parent it is.
    virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root);

    // Handlers that event properties of a form definition can be bound to,
    // registered by the root (the form) under their names.
    template <class Sig> void RegisterHandler(std::string name, std::function<Sig> fn);
    template <class C, class R, class... Args>
    void RegisterHandler(std::string name, C* self, R (C::*method)(Args...)) {
        RegisterHandler<R(Args...)>(std::move(name),
                                    std::function<R(Args...)>([self, method](Args... args) -> R {
                                        return (self->*method)(std::forward<Args>(args)...);
                                    }));
    }
    // The handler named (case-insensitive) when it has signature Sig; sets
    // *wrongType when a handler of that name exists with another signature.
    template <class Sig>
    const std::function<Sig>* FindHandler(std::string_view name, bool* wrongType = nullptr) const;

protected:
    // Told about components inserted into or removed from this owner, and
    // about freed components this one asked to hear of. The base forwards
    // removals to the owned components and drops free-notification links.
    virtual void Notification(TComponent* c, TOperation op);
    // Called when the component starts to be destroyed: by Free() and by
    // the owner before the destructors run (a plain delete reaches only the
    // base version). Sets csDestroying; overrides call the base.
    virtual void Destroying();

private:
    struct Handler {
        std::string name;
        std::type_index type;
        std::shared_ptr<void> fn;
    };
    const Handler* FindHandlerEntry(std::string_view name) const;
    void AddHandler(std::string name, std::type_index type, std::shared_ptr<void> fn);
    void Unlink(TComponent* other);

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    std::vector<Handler> handlers_;
    std::string name_;
    int32_t tag_ = 0;
    TComponentState state_;
};

// NOLINTNEXTLINE(performance-unnecessary-value-param): name is moved on.
template <class Sig> void TComponent::RegisterHandler(std::string name, std::function<Sig> fn) {
    AddHandler(std::move(name), std::type_index(typeid(Sig)),
               std::make_shared<std::function<Sig>>(std::move(fn)));
}

template <class Sig>
const std::function<Sig>* TComponent::FindHandler(std::string_view name, bool* wrongType) const {
    const Handler* h = FindHandlerEntry(name);
    if (!h)
        return nullptr;
    if (h->type != std::type_index(typeid(Sig))) {
        if (wrongType)
            *wrongType = true;
        return nullptr;
    }
    return static_cast<const std::function<Sig>*>(h->fn.get());
}
