// Exception hierarchy of the framework: every error carries a wide message,
// is thrown by value and caught by reference.
#pragma once

#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::wstring msg);
    // The message as given (wide text).
    const std::wstring& Message() const noexcept { return message_; }
    // The message as UTF-8, for std::exception consumers and logs.
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    std::wstring message_;
    std::string utf8_;
};

// Declares a subclass that only forwards the message constructor.
// The arguments are class names, which cannot be parenthesised.
// NOLINTBEGIN(bugprone-macro-parentheses)
#define LT_DECLARE_EXCEPTION(Name, Base)                                                           \
    class Name : public Base {                                                                     \
    public:                                                                                        \
        using Base::Base;                                                                          \
    }

// NOLINTEND(bugprone-macro-parentheses)

LT_DECLARE_EXCEPTION(EOutOfMemory, Exception);
LT_DECLARE_EXCEPTION(EStreamError, Exception);
LT_DECLARE_EXCEPTION(EFilerError, EStreamError);
LT_DECLARE_EXCEPTION(EReadError, EFilerError);
LT_DECLARE_EXCEPTION(EWriteError, EFilerError);
LT_DECLARE_EXCEPTION(EFOpenError, EStreamError);
LT_DECLARE_EXCEPTION(EFCreateError, EStreamError);
LT_DECLARE_EXCEPTION(EConvertError, Exception);
LT_DECLARE_EXCEPTION(EListError, Exception);
LT_DECLARE_EXCEPTION(EInvalidOperation, Exception);
LT_DECLARE_EXCEPTION(EPropertyError, Exception);
LT_DECLARE_EXCEPTION(EClassNotFound, EFilerError);
