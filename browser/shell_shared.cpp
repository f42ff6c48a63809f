// Run-time binding of the shell's shared-memory functions.
#include "browser/shell_shared.h"

namespace {

// The export by name, else by ordinal; null when shlwapi has neither.
FARPROC ShellFunction(const char* name, WORD ordinal) {
    static HMODULE module = LoadLibraryA("shlwapi.dll");
    if (!module)
        return nullptr;
    FARPROC fn = GetProcAddress(module, name);
    return fn ? fn : GetProcAddress(module, MAKEINTRESOURCEA(ordinal));
}

template <class F> F Bind(const char* name, WORD ordinal) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(ShellFunction(name, ordinal)));
}

} // namespace

HANDLE ShellAllocShared(const void* data, DWORD size, DWORD processId) {
    static auto fn = Bind<HANDLE(WINAPI*)(const void*, DWORD, DWORD)>("SHAllocShared", 7);
    return fn ? fn(data, size, processId) : nullptr;
}

void* ShellLockShared(HANDLE shared, DWORD processId) {
    static auto fn = Bind<void*(WINAPI*)(HANDLE, DWORD)>("SHLockShared", 8);
    return fn ? fn(shared, processId) : nullptr;
}

BOOL ShellUnlockShared(void* data) {
    static auto fn = Bind<BOOL(WINAPI*)(void*)>("SHUnlockShared", 9);
    return fn ? fn(data) : FALSE;
}

BOOL ShellFreeShared(HANDLE shared, DWORD processId) {
    static auto fn = Bind<BOOL(WINAPI*)(HANDLE, DWORD)>("SHFreeShared", 10);
    return fn ? fn(shared, processId) : FALSE;
}
