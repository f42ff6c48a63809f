// Exception base: keeps the wide message and a UTF-8 copy for what().
#include "framework/core/exception.h"

#include "framework/core/utf8.h"

Exception::Exception(std::wstring msg) : message_(std::move(msg)) {
    try {
        utf8_ = WideToUtf8(message_);
    } catch (...) {
        utf8_ = "(message unavailable)";
    }
}
