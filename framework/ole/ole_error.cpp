// Turning failing HRESULTs into exceptions.
#include "framework/ole/ole_error.h"

#include <cstdio>

std::wstring OleErrorText(HRESULT code) {
    wchar_t* buffer = nullptr;
    DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text;
    if (n && buffer) {
        text.assign(buffer, n);
        // The system text ends with a line break and sometimes a full stop; keep the stop.
        while (!text.empty() &&
               (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
            text.pop_back();
    }
    if (buffer)
        LocalFree(buffer);
    if (text.empty()) {
        wchar_t fallback[32];
        swprintf(fallback, 32, L"OLE error %08X", static_cast<unsigned>(code));
        text = fallback;
    }
    return text;
}

HRESULT OleCheck(HRESULT code) {
    if (FAILED(code))
        throw EOleSysError(OleErrorText(code), code);
    return code;
}
