// Failing HRESULTs raised as framework exceptions with the platform's text.
#pragma once

#include <windows.h>

#include <string>

#include "framework/core/exception.h"

// An error reported by a COM call; keeps its code.
class EOleSysError : public Exception {
public:
    EOleSysError(std::wstring msg, HRESULT code) : Exception(std::move(msg)), code_(code) {}
    HRESULT ErrorCode() const noexcept { return code_; }

private:
    HRESULT code_;
};

// The platform's message for a code (FormatMessage), or "OLE error XXXXXXXX".
std::wstring OleErrorText(HRESULT code);
// Raises EOleSysError when code is a failure; answers code otherwise.
HRESULT OleCheck(HRESULT code);

// An error of the hosting code itself (not a failing HRESULT).
LT_DECLARE_EXCEPTION(EOleError, Exception);
