// Hooks on a control's message method: a stack with identity. Each party
// hooks and unhooks by its own key, in any order, even while one of its own
// messages runs; the control's own message method stays at the bottom.
#pragma once

#include "framework/ui/win32.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "framework/ui/messages.h"

class TMessageHooks;

// Whose hook it is: any address the hooking party owns (usually `this`).
using TMessageHookKey = const void*;

// Passes a message on to the rest of the chain below one hook. Valid only
// while that hook handles the message it was given with.
class TMessageChain {
public:
    void operator()(TMessage& msg) const;

private:
    friend class TMessageHooks;
    TMessageChain(TMessageHooks& hooks, size_t below) : hooks_(&hooks), below_(below) {}
    TMessageHooks* hooks_;
    size_t below_;
};

// A hook: sees the message first and calls `next` to let the ones below see it.
using TMessageHook = std::function<void(TMessage& msg, const TMessageChain& next)>;

// The hook stack of one control. Entries removed while a message is being
// dispatched are marked dead and swept once no dispatch runs any more.
class TMessageHooks : public std::enable_shared_from_this<TMessageHooks> {
public:
    // `bottom` is the control's message method; it must outlive Close().
    explicit TMessageHooks(std::function<void(TMessage&)>* bottom) : bottom_(bottom) {}
    TMessageHooks(const TMessageHooks&) = delete;
    TMessageHooks& operator=(const TMessageHooks&) = delete;

    // Puts `hook` on top under `key`; a key already hooked keeps its place
    // and takes the new hook. Ignored once closed.
    void Add(TMessageHookKey key, TMessageHook hook);
    // Takes the hook of `key` off; nothing happens when there is none.
    void Remove(TMessageHookKey key);
    bool Contains(TMessageHookKey key) const;
    // Runs the message through the live hooks, top first, then the bottom.
    void Dispatch(TMessage& msg);
    // The control is going: every hook is dropped and nothing is called any more.
    void Close();
    bool Closed() const { return bottom_ == nullptr; }

    // Entries held now, dead ones waiting for the sweep included.
    size_t EntryCount() const { return entries_.size(); }
    // Hooks that still take messages.
    size_t LiveCount() const;

private:
    friend class TMessageChain;
    struct TEntry {
        TMessageHookKey key;
        std::shared_ptr<TMessageHook> hook;
        bool dead;
    };
    // Calls the highest live hook below position `below`, or the bottom.
    void CallBelow(TMessage& msg, size_t below);
    void Sweep();

    std::function<void(TMessage&)>* bottom_;
    std::vector<TEntry> entries_;
    int depth_ = 0;
    bool dirty_ = false;
};

// One party's hook on one control, given back when the link goes. The link
// holds the stack weakly: once the control is freed, unhooking does nothing.
class TMessageHookLink {
public:
    TMessageHookLink() = default;
    ~TMessageHookLink() { Unhook(); }
    TMessageHookLink(const TMessageHookLink&) = delete;
    TMessageHookLink& operator=(const TMessageHookLink&) = delete;

    // Hooks `hooks` under `key` (a previous hook of this link goes first).
    void Hook(const std::shared_ptr<TMessageHooks>& hooks, TMessageHookKey key, TMessageHook hook);
    void Unhook();
    // True while the hook sits on a control that is still there.
    bool Hooked() const;

private:
    std::weak_ptr<TMessageHooks> hooks_;
    TMessageHookKey key_ = nullptr;
};
