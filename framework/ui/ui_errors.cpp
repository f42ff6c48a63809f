// Routing of exceptions that reach a window procedure.
#include "framework/ui/ui_errors.h"

#include "framework/ui/win32.h"

#include <string>

#include "framework/core/exception.h"

namespace {
TUiErrorHandler& Handler() {
    static TUiErrorHandler handler;
    return handler;
}
} // namespace

void SetUiErrorHandler(TUiErrorHandler handler) {
    Handler() = std::move(handler);
}

std::wstring UiExceptionText(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const Exception& e) {
        return e.Message();
    } catch (const std::exception& e) {
        std::string text = e.what();
        int n =
            MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        std::wstring wide(n, L'\0');
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
        return wide;
    } catch (...) {
        return L"Unknown error";
    }
}

void HandleUiException() noexcept {
    std::exception_ptr error = std::current_exception();
    if (!error)
        return;
    try {
        if (Handler()) {
            Handler()(error);
            return;
        }
        MessageBoxW(nullptr, UiExceptionText(error).c_str(), L"Error", MB_OK | MB_ICONSTOP);
    } catch (...) {
        // A failing error handler must not take the window procedure down.
    }
}
