// Integer conversion rules.
#include <gtest/gtest.h>

#include "framework/core/convert.h"
#include "framework/core/exception.h"

TEST(Convert, TryStrToIntAcceptsSignDecimalAndDollarHex) {
    int32_t v = 77;
    EXPECT_TRUE(TryStrToInt("25", v));
    EXPECT_EQ(v, 25);
    EXPECT_TRUE(TryStrToInt("-25", v));
    EXPECT_EQ(v, -25);
    EXPECT_TRUE(TryStrToInt("+7", v));
    EXPECT_EQ(v, 7);
    EXPECT_TRUE(TryStrToInt("$FE", v));
    EXPECT_EQ(v, 254);
    EXPECT_TRUE(TryStrToInt("$fe", v));
    EXPECT_EQ(v, 254);
    EXPECT_TRUE(TryStrToInt("-$10", v));
    EXPECT_EQ(v, -16);
    EXPECT_TRUE(TryStrToInt("2147483647", v));
    EXPECT_EQ(v, 2147483647);
    EXPECT_TRUE(TryStrToInt("-2147483648", v));
    EXPECT_EQ(v, INT32_MIN);
    EXPECT_TRUE(TryStrToInt("$FFFFFFFF", v));
    EXPECT_EQ(v, -1);
    EXPECT_TRUE(TryStrToInt("$00FF00FF", v));
    EXPECT_EQ(v, 0x00FF00FF);
}

TEST(Convert, TryStrToIntRejectsPartialAndOutOfRange) {
    int32_t v = 77;
    for (const char* bad : {"", "-", "+", "$", "-$", "FE", "12px", " 12", "12 ", "0x10",
                            "2147483648", "-2147483649", "$100000000", "1.5", "1e3", "--1"}) {
        EXPECT_FALSE(TryStrToInt(bad, v)) << bad;
        EXPECT_EQ(v, 77) << bad;
    }
    EXPECT_EQ(StrToIntDef("12px", -3), -3);
    EXPECT_EQ(StrToIntDef("$10", -3), 16);
    EXPECT_EQ(StrToInt("42"), 42);
    EXPECT_THROW(StrToInt("x"), EConvertError);
}
