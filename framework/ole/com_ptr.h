// Small owning wrappers for COM: an interface pointer that releases itself,
// and a VARIANT that clears itself.
#pragma once

#include <objbase.h>
#include <oleauto.h>

#include <utility>

// Holds one reference to an interface; releases it when replaced or destroyed.
template <class T> class TComPtr {
public:
    TComPtr() = default;
    TComPtr(std::nullptr_t) {}
    // Takes a new reference to p.
    explicit TComPtr(T* p) : p_(p) {
        if (p_)
            p_->AddRef();
    }
    TComPtr(const TComPtr& o) : TComPtr(o.p_) {}
    TComPtr(TComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    TComPtr& operator=(TComPtr o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    ~TComPtr() { Reset(); }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // Releases the held reference.
    void Reset() {
        if (T* p = std::exchange(p_, nullptr))
            p->Release();
    }
    // Out-parameter slot: drops the current reference first.
    T** Put() {
        Reset();
        return &p_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }
    // Takes over a reference the caller already holds (no AddRef).
    static TComPtr Adopt(T* p) {
        TComPtr out;
        out.p_ = p;
        return out;
    }
    // Gives the reference away to the caller.
    T* Detach() { return std::exchange(p_, nullptr); }
    // Asks the held object for another interface; null when it has none.
    template <class U> TComPtr<U> As(REFIID iid) const {
        TComPtr<U> out;
        if (p_)
            p_->QueryInterface(iid, out.PutVoid());
        return out;
    }

private:
    T* p_ = nullptr;
};

// A VARIANT that is initialised empty and cleared on destruction.
class TVariant : public VARIANT {
public:
    TVariant() { VariantInit(this); }
    TVariant(const TVariant& o) : TVariant() { VariantCopy(this, const_cast<TVariant*>(&o)); }
    TVariant& operator=(const TVariant& o) {
        if (this != &o)
            VariantCopy(this, const_cast<TVariant*>(&o));
        return *this;
    }
    ~TVariant() { VariantClear(this); }
    // Empties the variant and answers it as an out slot.
    VARIANT* Put() {
        VariantClear(this);
        return this;
    }
};
