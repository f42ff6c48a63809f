// The hook stack of a control's message method.
#include "framework/ui/message_hooks.h"

#include <algorithm>

void TMessageChain::operator()(TMessage& msg) const {
    hooks_->CallBelow(msg, below_);
}

void TMessageHooks::Add(TMessageHookKey key, TMessageHook hook) {
    if (Closed() || !hook)
        return;
    auto callable = std::make_shared<TMessageHook>(std::move(hook));
    for (TEntry& e : entries_)
        if (!e.dead && e.key == key) {
            // A running call keeps its own reference to the hook it started.
            e.hook = std::move(callable);
            return;
        }
    entries_.push_back(TEntry{key, std::move(callable), false});
}

void TMessageHooks::Remove(TMessageHookKey key) {
    for (TEntry& e : entries_)
        if (!e.dead && e.key == key) {
            e.dead = true;
            dirty_ = true;
        }
    if (depth_ == 0)
        Sweep();
}

bool TMessageHooks::Contains(TMessageHookKey key) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [key](const TEntry& e) { return !e.dead && e.key == key; });
}

size_t TMessageHooks::LiveCount() const {
    return static_cast<size_t>(
        std::count_if(entries_.begin(), entries_.end(), [](const TEntry& e) { return !e.dead; }));
}

// Indices stay valid while messages run: entries are only appended or marked
// dead then, and swept by the outermost dispatch on its way out.
void TMessageHooks::Dispatch(TMessage& msg) {
    std::shared_ptr<TMessageHooks> keep = shared_from_this();
    struct TDepth {
        TMessageHooks& hooks;
        explicit TDepth(TMessageHooks& h) : hooks(h) { ++hooks.depth_; }
        ~TDepth() {
            if (--hooks.depth_ == 0 && hooks.dirty_)
                hooks.Sweep();
        }
    } depth(*this);
    CallBelow(msg, entries_.size());
}

void TMessageHooks::CallBelow(TMessage& msg, size_t below) {
    for (size_t i = std::min(below, entries_.size()); i > 0; --i) {
        const TEntry& e = entries_[i - 1];
        if (e.dead)
            continue;
        std::shared_ptr<TMessageHook> hook = e.hook;
        (*hook)(msg, TMessageChain(*this, i - 1));
        return;
    }
    if (bottom_ && *bottom_)
        (*bottom_)(msg);
}

void TMessageHooks::Close() {
    bottom_ = nullptr;
    for (TEntry& e : entries_)
        e.dead = true;
    dirty_ = !entries_.empty();
    if (depth_ == 0)
        Sweep();
}

void TMessageHooks::Sweep() {
    entries_.erase(
        std::remove_if(entries_.begin(), entries_.end(), [](const TEntry& e) { return e.dead; }),
        entries_.end());
    dirty_ = false;
}

void TMessageHookLink::Hook(const std::shared_ptr<TMessageHooks>& hooks, TMessageHookKey key,
                            TMessageHook hook) {
    Unhook();
    if (!hooks)
        return;
    hooks->Add(key, std::move(hook));
    hooks_ = hooks;
    key_ = key;
}

void TMessageHookLink::Unhook() {
    if (auto hooks = hooks_.lock())
        hooks->Remove(key_);
    hooks_.reset();
    key_ = nullptr;
}

bool TMessageHookLink::Hooked() const {
    auto hooks = hooks_.lock();
    return hooks && hooks->Contains(key_);
}
