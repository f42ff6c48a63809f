// TSet<E>: a set of members of an enumeration whose ordinals are 0..31,
// held as a 32-bit mask (bit n is member n).
#pragma once

#include <cstdint>
#include <initializer_list>

template <class E> class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> members) {
        for (E e : members)
            mask_ |= Bit(e);
    }
    static constexpr TSet FromMask(uint32_t mask) {
        TSet s;
        s.mask_ = mask;
        return s;
    }
    constexpr uint32_t Mask() const { return mask_; }
    constexpr bool Contains(E e) const { return (mask_ & Bit(e)) != 0; }
    constexpr bool Empty() const { return mask_ == 0; }
    constexpr TSet& Include(E e) {
        mask_ |= Bit(e);
        return *this;
    }
    constexpr TSet& Exclude(E e) {
        mask_ &= ~Bit(e);
        return *this;
    }
    constexpr TSet operator|(TSet o) const { return FromMask(mask_ | o.mask_); }
    constexpr TSet operator&(TSet o) const { return FromMask(mask_ & o.mask_); }
    constexpr TSet operator-(TSet o) const { return FromMask(mask_ & ~o.mask_); }
    constexpr bool operator==(const TSet&) const = default;

private:
    static constexpr uint32_t Bit(E e) { return 1u << static_cast<unsigned>(e); }
    uint32_t mask_ = 0;
};
