// Writing the user-agent registry value and putting back what it held.
#include "browser/user_agent.h"

const wchar_t kUserAgentKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User Agent\\Post Platform";

namespace {

// The value the host writes: an empty string.
const wchar_t kWritten[] = L"";

// Reads a value's type and bytes; false when it is not there.
bool ReadValue(HKEY key, const std::wstring& name, DWORD& type, std::vector<BYTE>& data) {
    const wchar_t* n = name.empty() ? nullptr : name.c_str();
    DWORD size = 0;
    if (RegQueryValueExW(key, n, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    data.assign(size, 0);
    if (RegQueryValueExW(key, n, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
        return false;
    data.resize(size);
    return true;
}

// True when the value still holds exactly what the host wrote.
bool StillOurs(HKEY key, const std::wstring& name) {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    if (!ReadValue(key, name, type, data) || type != REG_SZ)
        return false;
    const auto* written = reinterpret_cast<const BYTE*>(kWritten);
    return data == std::vector<BYTE>(written, written + sizeof(kWritten));
}

} // namespace

bool TUserAgentRegistration::Register(const std::wstring& name) {
    Restore();
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kUserAgentKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    hadPrevious_ = ReadValue(key, name, previousType_, previous_);
    LONG rc = RegSetValueExW(key, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(kWritten), sizeof(kWritten));
    RegCloseKey(key);
    registered_ = rc == ERROR_SUCCESS;
    name_ = name;
    return registered_;
}

bool TUserAgentRegistration::Restore() {
    if (!registered_)
        return false;
    registered_ = false;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kUserAgentKey, 0, KEY_SET_VALUE | KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return false;
    bool restored = false;
    if (StillOurs(key, name_)) {
        const wchar_t* n = name_.empty() ? nullptr : name_.c_str();
        LONG rc = hadPrevious_ ? RegSetValueExW(key, n, 0, previousType_, previous_.data(),
                                                static_cast<DWORD>(previous_.size()))
                               : RegDeleteValueW(key, n);
        restored = rc == ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return restored;
}
