// Host fallback for ANSI text: UTF-8 when valid, else Latin-1 (see ansi.h).
#include "framework/core/ansi.h"

#include "framework/core/utf8.h"

std::wstring AnsiToWideText(const std::string& ansi) {
    if (IsValidUtf8(ansi))
        return Utf8ToWide(ansi);
    std::wstring out;
    out.reserve(ansi.size());
    for (char c : ansi)
        out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return out;
}

std::string WideToAnsiText(const std::wstring& wide) {
    return WideToUtf8(wide);
}
