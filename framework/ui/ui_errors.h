// Where exceptions caught at a window-procedure boundary go.
#pragma once

#include <exception>
#include <functional>
#include <string>

// Installed by the application object; without one, errors are shown in a message box.
using TUiErrorHandler = std::function<void(std::exception_ptr)>;
void SetUiErrorHandler(TUiErrorHandler handler);

// Call inside a catch block: reports the current exception and carries on.
void HandleUiException() noexcept;

// Text of an exception pointer: the framework message, what() converted, or a generic line.
std::wstring UiExceptionText(std::exception_ptr error);

#include "framework/core/exception.h"

// Raised when the system runs out of windows, timers or similar resources.
LT_DECLARE_EXCEPTION(EOutOfResources, Exception);
