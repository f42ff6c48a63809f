// Enumeration identifier tables and integer identifier maps.
#include "framework/core/enum_info.h"

#include "framework/core/strings.h"

namespace {
// Trims blanks (including line breaks from multi-line macro arguments).
std::string_view Trim(std::string_view s) {
    const char* ws = " \t\r\n";
    const size_t b = s.find_first_not_of(ws);
    if (b == std::string_view::npos)
        return {};
    return s.substr(b, s.find_last_not_of(ws) - b + 1);
}
} // namespace

TEnumInfo::TEnumInfo(std::string_view typeName, std::string_view idents) : typeName_(typeName) {
    while (!idents.empty()) {
        const size_t comma = idents.find(',');
        const std::string_view one = Trim(idents.substr(0, comma));
        if (!one.empty())
            names_.emplace_back(one);
        if (comma == std::string_view::npos)
            break;
        idents.remove_prefix(comma + 1);
    }
}

std::string TEnumInfo::Name(int64_t v) const {
    if (v < 0 || v >= Count())
        return {};
    return names_[static_cast<size_t>(v)];
}

int TEnumInfo::Value(std::string_view ident) const {
    for (int i = 0; i < Count(); ++i)
        if (SameTextAscii(names_[static_cast<size_t>(i)], ident))
            return i;
    return -1;
}

const TEnumInfo& BooleanEnumInfo() {
    static const TEnumInfo info("Boolean", "False, True");
    return info;
}

const char* TIdentMap::ToIdent(int32_t v) const {
    for (const TIdentMapEntry& e : entries_)
        if (e.value == v)
            return e.name;
    return nullptr;
}

bool TIdentMap::ToInt(std::string_view ident, int32_t& v) const {
    for (const TIdentMapEntry& e : entries_)
        if (SameTextAscii(e.name, ident)) {
            v = e.value;
            return true;
        }
    return false;
}
