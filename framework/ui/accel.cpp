// Accelerator letters of captions.
#include "framework/ui/accel.h"

#include "framework/ui/win32.h"

wchar_t AccelChar(std::wstring_view caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&')
            continue;
        if (caption[i + 1] == L'&') {
            ++i; // "&&" is a plain ampersand
            continue;
        }
        return caption[i + 1];
    }
    return 0;
}

namespace {
// One character in upper case, by the system's rules (not only ASCII).
wchar_t Upper(wchar_t c) {
    wchar_t buf[2] = {c, 0};
    CharUpperBuffW(buf, 1);
    return buf[0];
}
} // namespace

bool IsAccel(wchar_t key, std::wstring_view caption) {
    const wchar_t accel = AccelChar(caption);
    return accel != 0 && key != 0 && Upper(accel) == Upper(key);
}
