// Identifier tables for enumerations (used by sets, published properties and
// form definitions) and identifier maps for integer types such as colours.
//
//   LT_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter);
// declares the unscoped enumeration and EnumInfo(TAlignment) giving its type
// name and identifiers; LT_ENUM_CLASS does the same for a scoped enumeration.
// Ordinals must run 0, 1, 2 ... in declaration order (no explicit values).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TEnumInfo {
public:
    // typeName: the enumeration's name; idents: "a, b, c" (as stringized).
    TEnumInfo(std::string_view typeName, std::string_view idents);
    const std::string& TypeName() const { return typeName_; }
    int Count() const { return static_cast<int>(names_.size()); }
    // Identifier of ordinal v, or empty text when out of range.
    std::string Name(int64_t v) const;
    // Ordinal of an identifier (case-insensitive), or -1.
    int Value(std::string_view ident) const;

private:
    std::string typeName_;
    std::vector<std::string> names_;
};

// The Boolean identifiers "False" and "True".
const TEnumInfo& BooleanEnumInfo();

// Identifier <-> integer pairs for integer types with named values (colours,
// character sets). A value without a name is written as a number.
struct TIdentMapEntry {
    int32_t value;
    const char* name;
};
class TIdentMap {
public:
    TIdentMap(std::initializer_list<TIdentMapEntry> entries) : entries_(entries) {}
    // Name of v, or nullptr.
    const char* ToIdent(int32_t v) const;
    // Value of a name (case-insensitive); false when unknown.
    bool ToInt(std::string_view ident, int32_t& v) const;

private:
    std::vector<TIdentMapEntry> entries_;
};

#define LT_ENUM(Name, ...)                                                                         \
    enum Name { __VA_ARGS__ };                                                                     \
    inline const TEnumInfo& EnumInfo(Name) {                                                       \
        static const TEnumInfo info(#Name, #__VA_ARGS__);                                          \
        return info;                                                                               \
    }

#define LT_ENUM_CLASS(Name, ...)                                                                   \
    enum class Name { __VA_ARGS__ };                                                               \
    inline const TEnumInfo& EnumInfo(Name) {                                                       \
        static const TEnumInfo info(#Name, #__VA_ARGS__);                                          \
        return info;                                                                               \
    }
