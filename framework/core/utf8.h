// Conversions between UTF-8 and wide text. Wide text is UTF-16 where wchar_t
// is 16 bits (Windows) and UTF-32 where it is 32 bits (the host build).
// Invalid input never throws: bad sequences become U+FFFD.
#pragma once

#include <string>
#include <string_view>

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);
// Appends one code point (up to U+10FFFF) as UTF-8.
void AppendUtf8(std::string& out, char32_t cp);
// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates).
bool IsValidUtf8(std::string_view bytes);
