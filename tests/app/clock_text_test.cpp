// The clock panel's text: no leading zeros on month and day, two digits on
// hour, minute and second.
#include "app/clock_text.h"

#include <gtest/gtest.h>

TEST(ClockText, FormatsDateAndTime) {
    EXPECT_EQ(ClockText({2026, 1, 6, 8, 5, 9}), L"2026年1月6日 08:05:09");
    EXPECT_EQ(ClockText({2026, 2, 1, 0, 9, 0}), L"2026年2月1日 00:09:00");
    EXPECT_EQ(ClockText({2026, 12, 31, 23, 59, 59}), L"2026年12月31日 23:59:59");
    EXPECT_EQ(ClockText({999, 10, 10, 12, 0, 0}), L"0999年10月10日 12:00:00");
}
