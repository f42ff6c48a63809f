// Default user message of the Windows build: a modal message box owned by
// the active window, as the framework's simple message dialog shows it.
#include <windows.h>

#include "skin/store/wrong_mark_notice.h"

void DefaultWrongMarkNotice(const std::string& text) {
    char title[MAX_PATH] = {};
    // The caption is the program's file name without extension.
    const DWORD n = GetModuleFileNameA(nullptr, title, MAX_PATH);
    const char* name = title;
    for (DWORD i = 0; i < n; ++i) {
        if (title[i] == '\\' || title[i] == '/')
            name = title + i + 1;
    }
    std::string caption(name);
    const size_t dot = caption.rfind('.');
    if (dot != std::string::npos)
        caption.resize(dot);
    MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), MB_OK);
}
