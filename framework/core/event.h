// TEvent<Sig>: an event slot of a component (OnClick, OnCreate ...). It holds
// a callable and, when it was bound from a form definition, the name of the
// handler, so that the form writer can write the binding back.
#pragma once

#include <functional>
#include <string>
#include <type_traits>
#include <utility>

template <class Sig> class TEvent;

template <class R, class... Args> class TEvent<R(Args...)> {
public:
    using Signature = R(Args...);
    TEvent() = default;
    // Assigning a callable unbinds any handler name.
    // (Not for TEvent itself: copies keep the handler name.)
    // NOLINTBEGIN(bugprone-forwarding-reference-overload): constrained.
    template <class F>
    requires(!std::is_same_v<std::remove_cvref_t<F>, TEvent> &&
             std::is_invocable_r_v<R, F&, Args...>) TEvent(F&& f)
        : fn_(std::forward<F>(f)) {}
    // NOLINTEND(bugprone-forwarding-reference-overload)
    TEvent(std::nullptr_t) {}

    explicit operator bool() const { return static_cast<bool>(fn_); }
    // Calls the handler when one is set; otherwise returns R{} (or nothing).
    R operator()(Args... args) const {
        if (fn_)
            return fn_(std::forward<Args>(args)...);
        if constexpr (!std::is_void_v<R>)
            return R{};
    }
    // Binds a handler under its name (the form reader does this).
    void Bind(std::function<Signature> fn, std::string handlerName) {
        fn_ = std::move(fn);
        name_ = std::move(handlerName);
    }
    const std::string& HandlerName() const { return name_; }
    const std::function<Signature>& Function() const { return fn_; }

private:
    std::function<Signature> fn_;
    std::string name_;
};
