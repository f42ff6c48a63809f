// The user-agent token the browser host registers for the platform's browser
// while it lives (a value under the current user's Post Platform key). What
// the value held before is kept and put back when the host goes.
#pragma once

#include "framework/ui/win32.h"

#include <windows.h>

#include <string>
#include <vector>

// "Software\Microsoft\Windows\CurrentVersion\Internet Settings\User Agent\Post Platform"
extern const wchar_t kUserAgentKey[];

// One registration of the value named `name` (the key's default value when
// empty) for the life of its owner.
class TUserAgentRegistration {
public:
    TUserAgentRegistration() = default;
    ~TUserAgentRegistration() { Restore(); }
    TUserAgentRegistration(const TUserAgentRegistration&) = delete;
    TUserAgentRegistration& operator=(const TUserAgentRegistration&) = delete;

    // Opens (creating if needed) the key under HKEY_CURRENT_USER, remembers the
    // value as it is, and writes an empty string in its place. False when the
    // key can't be opened or created. A previous registration is restored first.
    bool Register(const std::wstring& name);
    // Puts back what the value held before Register (removes it when it was
    // not there), unless another program changed it since: then it stays.
    // False when nothing was put back.
    bool Restore();
    bool Registered() const { return registered_; }

private:
    bool registered_ = false;
    std::wstring name_;
    bool hadPrevious_ = false;
    DWORD previousType_ = REG_NONE;
    std::vector<BYTE> previous_;
};
