// Clock text formatting; see the header.
#include "app/clock_text.h"

#include <cwchar>

// yyyy"年"m"月"d"日" hh":"mm":"ss
std::wstring ClockText(const TClockTime& t) {
    wchar_t buf[64];
    std::swprintf(buf, sizeof buf / sizeof buf[0], L"%04d\u5E74%d\u6708%d\u65E5 %02d:%02d:%02d",
                  t.year, t.month, t.day, t.hour, t.minute, t.second);
    return buf;
}
