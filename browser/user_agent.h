// The user-agent token the browser host registers for the platform's browser
// while it lives (a value under the current user's Post Platform key).
#pragma once

#include "framework/ui/win32.h"

#include <windows.h>

#include <string>

// "Software\Microsoft\Windows\CurrentVersion\Internet Settings\User Agent\Post Platform"
extern const wchar_t kUserAgentKey[];

// Opens (creating if needed) the key under HKEY_CURRENT_USER and writes an
// empty string value named `name` (the key's default value when empty).
// False when the key can't be opened or created.
bool RegisterUserAgent(const std::wstring& name);
// Deletes the value named `name` when the key exists; false otherwise.
bool UnregisterUserAgent(const std::wstring& name);
