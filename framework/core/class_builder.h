// TClassBuilder<T>: declares the published properties of class T, short and
// type-checked. Getters may be member functions, data members or callables
// taking T&; setters may be member functions, data members, callables taking
// (T&, value), or nullptr for a read-only property. See object.h.
#pragma once

#include <concepts>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>

#include "framework/core/collection.h"
#include "framework/core/component.h"
#include "framework/core/enum_info.h"
#include "framework/core/object.h"
#include "framework/core/set.h"
#include "framework/core/strings.h"

namespace lt_detail {

template <class T> struct IsTSet : std::false_type {};
template <class E> struct IsTSet<TSet<E>> : std::true_type { using Member = E; };

// Whether the class registry can create T (owner, collection or nothing).
template <class T>
constexpr bool kCreatable = !std::is_abstract_v<T> && (std::is_constructible_v<T, TComponent*> ||
                                                       std::is_constructible_v<T, TCollection*> ||
                                                       std::is_default_constructible_v<T>);

// Creator used by TClassInfo: owner for components, collection for items.
template <class T> TObject* CreateOf(TObject* arg) {
    if constexpr (std::is_constructible_v<T, TComponent*>)
        return new T(dynamic_cast<TComponent*>(arg));
    else if constexpr (std::is_constructible_v<T, TCollection*>)
        return new T(dynamic_cast<TCollection*>(arg));
    else
        return new T();
}

template <class T, class G> using GetResult = std::remove_cvref_t<std::invoke_result_t<G&, T&>>;

// Calls a setter of any accepted form with value v.
template <class T, class S, class V> void Assign(const S& s, T& obj, V&& v) {
    if constexpr (std::is_member_object_pointer_v<S>)
        obj.*s = std::forward<V>(v);
    else
        std::invoke(s, obj, std::forward<V>(v));
}

} // namespace lt_detail

template <class T> class TClassBuilder {
public:
    explicit TClassBuilder(std::string name) : name_(std::move(name)) {}

    // Integer property (int32_t); idents optionally names some values.
    template <class G, class S>
    TClassBuilder& Integer(std::string name, G get, S set, const TIdentMap* idents = nullptr) {
        TPropInfo& p = Add(std::move(name), TTypeKind::Integer);
        p.identMap = idents;
        p.getOrd = [get](TObject& o) {
            return static_cast<int64_t>(static_cast<int32_t>(std::invoke(get, Self(o))));
        };
        if constexpr (!std::is_null_pointer_v<S>)
            p.setOrd = [set](TObject& o, int64_t v) {
                lt_detail::Assign(set, Self(o), static_cast<int32_t>(v));
            };
        return *this;
    }

    template <class G, class S> TClassBuilder& Boolean(std::string name, G get, S set) {
        TPropInfo& p = Add(std::move(name), TTypeKind::Boolean);
        p.enumInfo = &BooleanEnumInfo();
        p.getOrd = [get](TObject& o) {
            return static_cast<int64_t>(std::invoke(get, Self(o)) ? 1 : 0);
        };
        if constexpr (!std::is_null_pointer_v<S>)
            p.setOrd = [set](TObject& o, int64_t v) { lt_detail::Assign(set, Self(o), v != 0); };
        return *this;
    }

    // Enumeration property; identifiers come from EnumInfo(E) (LT_ENUM).
    template <class G, class S> TClassBuilder& Enum(std::string name, G get, S set) {
        using E = lt_detail::GetResult<T, G>;
        static_assert(std::is_enum_v<E>, "Enum() needs a getter returning an enumeration");
        TPropInfo& p = Add(std::move(name), TTypeKind::Enumeration);
        p.enumInfo = &EnumInfo(E{});
        p.getOrd = [get](TObject& o) { return static_cast<int64_t>(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.setOrd = [set](TObject& o, int64_t v) {
                if (v >= 0 && v < EnumInfo(E{}).Count())
                    lt_detail::Assign(set, Self(o), static_cast<E>(v));
            };
        return *this;
    }

    // Set property: the getter returns TSet<E>.
    template <class G, class S> TClassBuilder& Set(std::string name, G get, S set) {
        using SetT = lt_detail::GetResult<T, G>;
        static_assert(lt_detail::IsTSet<SetT>::value, "Set() needs a getter returning TSet<E>");
        using E = typename lt_detail::IsTSet<SetT>::Member;
        TPropInfo& p = Add(std::move(name), TTypeKind::Set);
        p.enumInfo = &EnumInfo(E{});
        p.getOrd = [get](TObject& o) {
            return static_cast<int64_t>(std::invoke(get, Self(o)).Mask());
        };
        if constexpr (!std::is_null_pointer_v<S>)
            p.setOrd = [set](TObject& o, int64_t v) {
                lt_detail::Assign(set, Self(o), SetT::FromMask(static_cast<uint32_t>(v)));
            };
        return *this;
    }

    // Text property: std::string (ANSI) or std::wstring, from the getter.
    template <class G, class S> TClassBuilder& String(std::string name, G get, S set) {
        using R = lt_detail::GetResult<T, G>;
        if constexpr (std::is_same_v<R, std::wstring>) {
            TPropInfo& p = Add(std::move(name), TTypeKind::WideString);
            p.getWide = [get](TObject& o) { return std::wstring(std::invoke(get, Self(o))); };
            if constexpr (!std::is_null_pointer_v<S>)
                p.setWide = [set](TObject& o, const std::wstring& v) {
                    lt_detail::Assign(set, Self(o), v);
                };
        } else {
            static_assert(std::is_same_v<R, std::string>,
                          "String() needs std::string or std::wstring");
            TPropInfo& p = Add(std::move(name), TTypeKind::AnsiString);
            p.getAnsi = [get](TObject& o) { return std::string(std::invoke(get, Self(o))); };
            if constexpr (!std::is_null_pointer_v<S>)
                p.setAnsi = [set](TObject& o, const std::string& v) {
                    lt_detail::Assign(set, Self(o), v);
                };
        }
        return *this;
    }

    template <class G, class S> TClassBuilder& Float(std::string name, G get, S set) {
        TPropInfo& p = Add(std::move(name), TTypeKind::Float);
        p.getFloat = [get](TObject& o) { return static_cast<double>(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.setFloat = [set](TObject& o, double v) { lt_detail::Assign(set, Self(o), v); };
        return *this;
    }

    // Reference to an object of class P held elsewhere; the getter returns P*.
    template <class G, class S> TClassBuilder& Object(std::string name, G get, S set) {
        using P = std::remove_pointer_t<lt_detail::GetResult<T, G>>;
        TPropInfo& p = Add(std::move(name), TTypeKind::Object);
        p.objectClass = &P::StaticClass;
        p.getObject = [get](TObject& o) -> TObject* { return std::invoke(get, Self(o)); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.setObject = [set](TObject& o, TObject* v) {
                if (!v)
                    lt_detail::Assign(set, Self(o), static_cast<P*>(nullptr));
                else if (P* typed = ObjectAs<P>(v))
                    lt_detail::Assign(set, Self(o), typed);
            };
        return *this;
    }

    // Owned persistent object (Font, Margins, Glyph ...); the getter returns
    // P* or P&. With a setter (taking const P&), writing the property by name
    // copies an object of class P into the owned one.
    template <class G, class S = std::nullptr_t>
    TClassBuilder& SubObject(std::string name, G get, S set = nullptr) {
        using R = lt_detail::GetResult<T, G>;
        using P = std::remove_pointer_t<R>;
        TPropInfo& p = Add(std::move(name), TTypeKind::SubObject);
        p.objectClass = &P::StaticClass;
        p.getObject = [get](TObject& o) -> TObject* { return Address(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.setObject = [set](TObject& o, TObject* v) {
                if (const P* src = ObjectAs<P>(v))
                    lt_detail::Assign(set, Self(o), *src);
            };
        return *this;
    }

    // Owned string list; the setter (optional) receives the list to copy.
    template <class G, class S = std::nullptr_t>
    TClassBuilder& Strings(std::string name, G get, S set = nullptr) {
        TPropInfo& p = Add(std::move(name), TTypeKind::StringList);
        p.objectClass = &TStringList::StaticClass;
        p.getObject = [get](TObject& o) -> TObject* { return Address(std::invoke(get, Self(o))); };
        if constexpr (std::is_null_pointer_v<S>)
            p.setObject = [get](TObject& o, TObject* v) {
                if (auto* src = ObjectAs<TStringList>(v))
                    Address(std::invoke(get, Self(o)))->Assign(*src);
            };
        else
            p.setObject = [set](TObject& o, TObject* v) {
                if (auto* src = ObjectAs<TStringList>(v))
                    lt_detail::Assign(set, Self(o), *src);
            };
        return *this;
    }

    // Owned collection; the getter returns a TCollection (or derived) pointer.
    template <class G> TClassBuilder& Collection(std::string name, G get) {
        using P = std::remove_pointer_t<lt_detail::GetResult<T, G>>;
        TPropInfo& p = Add(std::move(name), TTypeKind::Collection);
        p.objectClass = &P::StaticClass;
        p.getObject = [get](TObject& o) -> TObject* { return Address(std::invoke(get, Self(o))); };
        return *this;
    }

    // Event property: a TEvent<Sig> data member (or a getter returning TEvent&).
    template <class G> TClassBuilder& Event(std::string name, G get) {
        using Ev = lt_detail::GetResult<T, G>;
        using Sig = typename Ev::Signature;
        TPropInfo& p = Add(std::move(name), TTypeKind::Method);
        p.bindMethod = [get](TObject& o, TComponent& root, const std::string& handler) {
            Ev& ev = std::invoke(get, Self(o));
            if (handler.empty()) {
                ev = Ev();
                return TBindResult::Ok;
            }
            bool wrongType = false;
            const std::function<Sig>* fn = root.template FindHandler<Sig>(handler, &wrongType);
            if (!fn)
                return wrongType ? TBindResult::WrongSignature : TBindResult::NotFound;
            ev.Bind(*fn, handler);
            return TBindResult::Ok;
        };
        p.getMethodName = [get](TObject& o) { return std::invoke(get, Self(o)).HandlerName(); };
        return *this;
    }

    // Declares the default value of the last ordinal property: the form
    // writer leaves the property out when it holds this value.
    template <class V> TClassBuilder& Default(V v) {
        TPropInfo& p = props_.back();
        p.hasDefault = true;
        if constexpr (lt_detail::IsTSet<V>::value)
            p.defaultValue = v.Mask();
        else
            p.defaultValue = static_cast<int64_t>(v);
        return *this;
    }

    // The finished class information (T's parent is T::inherited).
    TClassInfo Build() {
        TClassInfo::Creator creator = nullptr;
        if constexpr (lt_detail::kCreatable<T>)
            creator = &lt_detail::CreateOf<T>;
        return TClassInfo(name_, &T::inherited::StaticClass(), creator, std::move(props_));
    }

private:
    static T& Self(TObject& o) { return static_cast<T&>(o); }
    template <class P> static P* Address(P* p) { return p; }
    template <class P> static P* Address(P& p) { return &p; }
    TPropInfo& Add(std::string name, TTypeKind kind) {
        TPropInfo& p = props_.emplace_back();
        p.name = std::move(name);
        p.kind = kind;
        return p;
    }
    std::string name_;
    std::vector<TPropInfo> props_;
};

// Defines Self::StaticClass(): the table is built and registered on first
// use. The block that follows the macro describes the properties through c.
#define LT_CLASS_TABLE(Self)                                                                       \
    static void LtDescribe##Self(TClassBuilder<Self>& c);                                          \
    const TClassInfo& Self::StaticClass() {                                                        \
        static const TClassInfo info = [] {                                                        \
            TClassBuilder<Self> c(#Self);                                                          \
            LtDescribe##Self(c);                                                                   \
            return c.Build();                                                                      \
        }();                                                                                       \
        static const bool registered = (RegisterClass(info), true);                                \
        (void)registered;                                                                          \
        return info;                                                                               \
    }                                                                                              \
    static void LtDescribe##Self([[maybe_unused]] TClassBuilder<Self>& c)
