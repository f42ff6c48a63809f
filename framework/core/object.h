// The object model: TObject with run-time class information, the class
// registry, and per-class tables of published properties.
//
// A class takes part by putting LT_CLASS(Self, Base) in its body and defining
// its table once in a source file with TClassBuilder (class_builder.h):
//
//   class TMargins : public TPersistent {
//       LT_CLASS(TMargins, TPersistent)
//   public:
//       double Left() const; void SetLeft(double);
//   };
//   LT_CLASS_TABLE(TMargins) {
//       return TClassBuilder<TMargins>().Float("Left", &TMargins::Left, &TMargins::SetLeft);
//   }
//
// Classes that a form definition names must be registered (RegisterClass or
// RegisterClasses<...>) before the definition is read.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TObject;
class TComponent;
class TClassInfo;
class TEnumInfo;
class TIdentMap;
class TStringList;
class TCollection;

// Kinds of published properties.
enum class TTypeKind {
    Integer,     // int32_t, optionally with an identifier map (colours ...)
    Boolean,     // bool, identifiers False / True
    Enumeration, // an enumeration with identifiers
    Set,         // a set of an enumeration, as a 32-bit mask
    AnsiString,  // std::string in the ANSI code page
    WideString,  // std::wstring
    Float,       // double
    Object,      // reference to an object owned elsewhere (a component)
    SubObject,   // owned persistent object, read and written through dotted paths
    StringList,  // owned TStringList; assigning copies the lines
    Collection,  // owned TCollection of items
    Method,      // event bound to a handler of the root by name
};

// Result of binding an event property to a handler name.
enum class TBindResult { Ok, NotFound, WrongSignature };

// One published property: its name, kind and type-erased accessors. Only the
// accessors of its kind are set; a missing setter makes it read-only.
struct TPropInfo {
    std::string name;
    TTypeKind kind = TTypeKind::Integer;
    const TEnumInfo* enumInfo = nullptr; // Enumeration, Set
    const TIdentMap* identMap = nullptr; // Integer (optional)
    // Class of the property's objects (Object, SubObject, Collection).
    const TClassInfo& (*objectClass)() = nullptr;
    bool hasDefault = false; // writer skips the value when it equals defaultValue
    int64_t defaultValue = 0;

    std::function<int64_t(TObject&)> getOrd; // Integer, Boolean, Enumeration, Set
    std::function<void(TObject&, int64_t)> setOrd;
    std::function<std::string(TObject&)> getAnsi;
    std::function<void(TObject&, const std::string&)> setAnsi;
    std::function<std::wstring(TObject&)> getWide;
    std::function<void(TObject&, const std::wstring&)> setWide;
    std::function<double(TObject&)> getFloat;
    std::function<void(TObject&, double)> setFloat;
    // Object / SubObject / StringList / Collection: the held object.
    std::function<TObject*(TObject&)> getObject;
    // Object: stores a reference. StringList: copies the lines of a list.
    std::function<void(TObject&, TObject*)> setObject;
    // Method: binds to the root's handler named (empty name unbinds).
    std::function<TBindResult(TObject&, TComponent& root, const std::string&)> bindMethod;
    std::function<std::string(TObject&)> getMethodName;

    // True when the property can be assigned (containers always can).
    bool Writable() const;
};

// Run-time information of one class: name, parent, creator, properties.
class TClassInfo {
public:
    using Creator = TObject* (*)(TObject* arg);
    TClassInfo(std::string name, const TClassInfo* parent, Creator creator,
               std::vector<TPropInfo> props);
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;

    const std::string& Name() const { return name_; }
    const TClassInfo* Parent() const { return parent_; }
    // True for this class and every class derived from it.
    bool InheritsFrom(const TClassInfo& other) const;
    // Whether CreateInstance can make objects of this class.
    bool CanCreate() const { return creator_ != nullptr; }
    // New instance; arg is the owner (components), the collection (items),
    // or ignored. Returns nullptr for classes that cannot be created.
    TObject* CreateInstance(TObject* arg) const;
    // Property by name (case-insensitive), searching parent classes too.
    const TPropInfo* FindProperty(std::string_view name) const;
    // Properties of this class only, in declaration order.
    const std::vector<TPropInfo>& OwnProperties() const { return props_; }
    // All properties, the root class's first, each class in declaration order.
    std::vector<const TPropInfo*> AllProperties() const;

private:
    std::string name_;
    const TClassInfo* parent_;
    Creator creator_;
    std::vector<TPropInfo> props_;
    // Every visible property (own and inherited) by lower-case name, sorted,
    // for lookups without walking the class chain.
    std::vector<std::pair<std::string, const TPropInfo*>> index_;
};

// Puts class information and the conventional inherited alias into a class.
#define LT_CLASS(Self, Base)                                                                       \
public:                                                                                            \
    using inherited = Base;                                                                        \
    static const TClassInfo& StaticClass();                                                        \
    const TClassInfo& ClassInfo() const override {                                                 \
        return Self::StaticClass();                                                                \
    }                                                                                              \
                                                                                                   \
private:

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = default;
    TObject& operator=(const TObject&) = default;
    virtual ~TObject() = default;

    static const TClassInfo& StaticClass();
    virtual const TClassInfo& ClassInfo() const { return StaticClass(); }
    const std::string& ClassName() const { return ClassInfo().Name(); }
    bool InheritsFrom(const TClassInfo& cls) const { return ClassInfo().InheritsFrom(cls); }
    // By class name (case-insensitive), walking the class chain.
    bool InheritsFrom(std::string_view className) const;
};

// Class registry, used by the form reader to create objects by class name.
void RegisterClass(const TClassInfo& cls);
template <class... T> void RegisterClasses() {
    (RegisterClass(T::StaticClass()), ...);
}
// Registered class by name (case-insensitive), or nullptr.
const TClassInfo* FindClass(std::string_view name);

// The object as T when its class derives from T, else nullptr.
template <class T> T* ObjectAs(TObject* obj) {
    return (obj && obj->InheritsFrom(T::StaticClass())) ? dynamic_cast<T*>(obj) : nullptr;
}
