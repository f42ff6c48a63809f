// The status-bar clock's text: 2026年1月6日 08:05:09 — year, month and day
// without leading zeros, then the 24-hour time with two digits each.
#pragma once

#include <string>

struct TClockTime {
    int year, month, day, hour, minute, second;
};

std::wstring ClockText(const TClockTime& t);
