// Text <-> number conversions with the framework's rules.
#pragma once

#include <cstdint>
#include <string>

// Converts s as a whole: optional '+' or '-', then decimal digits, or '$'
// followed by hexadecimal digits. Decimal must fit in int32_t; hexadecimal
// may use all 32 bits ("$FFFFFFFF" is -1). No blanks, no empty string.
// Returns false (value untouched) when s does not convert.
bool TryStrToInt(const std::string& s, int32_t& value);
// TryStrToInt, or def when s does not convert.
int32_t StrToIntDef(const std::string& s, int32_t def);
// TryStrToInt, raising EConvertError when s does not convert.
int32_t StrToInt(const std::string& s);
