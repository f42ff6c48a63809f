// Integer conversion rules shared by the INI reader and by-name property writes.
#include "framework/core/convert.h"

#include "framework/core/exception.h"
#include "framework/core/utf8.h"

namespace {
// Value of a hexadecimal digit, or -1.
int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
} // namespace

bool TryStrToInt(const std::string& s, int32_t& value) {
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < s.size() && s[i] == '$') {
        hex = true;
        ++i;
    }
    if (i >= s.size())
        return false;
    uint64_t mag = 0;
    const uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    for (; i < s.size(); ++i) {
        const int d = hex ? HexDigit(s[i]) : ((s[i] >= '0' && s[i] <= '9') ? s[i] - '0' : -1);
        if (d < 0)
            return false;
        mag = mag * (hex ? 16 : 10) + static_cast<uint64_t>(d);
        if (mag > limit)
            return false;
    }
    auto bits = static_cast<uint32_t>(mag);
    if (negative)
        bits = 0u - bits;
    value = static_cast<int32_t>(bits);
    return true;
}

int32_t StrToIntDef(const std::string& s, int32_t def) {
    int32_t v = 0;
    return TryStrToInt(s, v) ? v : def;
}

int32_t StrToInt(const std::string& s) {
    int32_t v = 0;
    if (!TryStrToInt(s, v))
        throw EConvertError(L"'" + Utf8ToWide(s) + L"' is not a valid integer value");
    return v;
}
