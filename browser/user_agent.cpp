// Writing and removing the user-agent registry value.
#include "browser/user_agent.h"

const wchar_t kUserAgentKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User Agent\\Post Platform";

bool RegisterUserAgent(const std::wstring& name) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kUserAgentKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const wchar_t empty[] = L"";
    LONG rc = RegSetValueExW(key, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(empty), sizeof(empty));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

bool UnregisterUserAgent(const std::wstring& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kUserAgentKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return false;
    LONG rc = RegDeleteValueW(key, name.empty() ? nullptr : name.c_str());
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}
