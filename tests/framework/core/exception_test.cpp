// Exceptions and text conversions.
#include <gtest/gtest.h>

#include "framework/core/ansi.h"
#include "framework/core/exception.h"
#include "framework/core/utf8.h"

TEST(Exception, MessageHierarchyAndUtf8What) {
    try {
        throw EReadError(L"bad \u4E2D");
    } catch (const EStreamError& e) {
        EXPECT_EQ(e.Message(), L"bad \u4E2D");
        EXPECT_STREQ(e.what(), "bad \xE4\xB8\xAD");
    }
    bool caught = false;
    try {
        throw EConvertError(L"x");
    } catch (const EStreamError&) {
        ADD_FAILURE() << "EConvertError is not a stream error";
    } catch (const Exception& e) {
        caught = e.Message() == L"x";
    }
    EXPECT_TRUE(caught);
}

TEST(Utf8, RoundTripAndInvalidInput) {
    const std::string s = "A\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80";
    const std::wstring w = Utf8ToWide(s);
    if (sizeof(wchar_t) == 2)
        EXPECT_EQ(w.size(), 5u); // surrogate pair for the emoji
    else
        EXPECT_EQ(w.size(), 4u);
    EXPECT_EQ(w[1], L'\u00E9');
    EXPECT_EQ(w[2], L'\u4E2D');
    EXPECT_EQ(WideToUtf8(w), s);
    EXPECT_TRUE(IsValidUtf8(s));
    EXPECT_FALSE(IsValidUtf8("\xC0\x80"));     // overlong NUL
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80")); // surrogate
    EXPECT_FALSE(IsValidUtf8("\xE4\xB8"));     // truncated
    EXPECT_EQ(Utf8ToWide("a\xFF"
                         "b"),
              L"a\uFFFDb");
}

TEST(Ansi, AsciiIsIdentityBothWays) {
    EXPECT_EQ(AnsiToWideText("Hello, 123"), L"Hello, 123");
    EXPECT_EQ(WideToAnsiText(L"Hello, 123"), "Hello, 123");
    EXPECT_EQ(AnsiToWideText(""), L"");
#ifdef _WIN32
    // Under the project's prefix the ANSI code page is 936: "中" is D6 D0.
    EXPECT_EQ(AnsiToWideText("\xD6\xD0"), L"\u4E2D");
    EXPECT_EQ(WideToAnsiText(L"\u4E2D"), "\xD6\xD0");
#else
    EXPECT_EQ(AnsiToWideText("\xE4\xB8\xAD"), L"\u4E2D");
    EXPECT_EQ(AnsiToWideText("\xD6\xD0"), L"\u00D6\u00D0"); // not UTF-8: Latin-1
    EXPECT_EQ(WideToAnsiText(L"\u4E2D"), "\xE4\xB8\xAD");
#endif
}
