// The shell's shared-memory functions (exported by shlwapi, by name on newer
// systems and by ordinal on older ones), resolved when first used.
#pragma once

#include <windows.h>

HANDLE ShellAllocShared(const void* data, DWORD size, DWORD processId);
void* ShellLockShared(HANDLE shared, DWORD processId);
BOOL ShellUnlockShared(void* data);
BOOL ShellFreeShared(HANDLE shared, DWORD processId);
