// Date and time picker and rich edit: day arithmetic, definitions, round
// trips, and changes by keys.
#include <gtest/gtest.h>

#include "framework/ui/win32.h"

#include <commctrl.h>
#include <richedit.h>

#include "framework/stdctrls/std_pickers.h"
#include "std_test_util_b.h"

namespace {
// 2026-01-06 is day 46028; 13:30 is 0.5625 of a day.
const char* const kPickersForm = R"(object PickersForm: TForm
  ClientWidth = 400
  ClientHeight = 300
  object Day: TDateTimePicker
    Left = 10
    Top = 10
    DateMode = dmUpDown
    DateFormat = dfLong
    Date = 46028
    Time = 0.5625
    OnChange = Changed
  end
  object Clock: TDateTimePicker
    Left = 10
    Top = 40
    Kind = dtkTime
    Date = 46028
    Time = 0.5
    OnChange = Changed
  end
  object Notes: TRichEdit
    Left = 10
    Top = 80
    Width = 300
    Height = 100
    Lines = (
      '第一行'
      'second')
    PlainText = True
    OnChange = Changed
  end
end
)";

std::wstring WindowText(HWND wnd) {
    wchar_t text[128] = {};
    GetWindowTextW(wnd, text, 128);
    return text;
}

void Key(HWND wnd, WORD key) {
    SendMessageW(wnd, WM_KEYDOWN, key, 0);
    SendMessageW(wnd, WM_KEYUP, key, 0);
}
} // namespace

// Day counts and calendar fields convert both ways exactly, across month,
// leap-day and century edges.
TEST(StdPickers, DayArithmetic) {
    SYSTEMTIME st = DateTimeToSystemTime(46028.5625);
    EXPECT_EQ(st.wYear, 2026);
    EXPECT_EQ(st.wMonth, 1);
    EXPECT_EQ(st.wDay, 6);
    EXPECT_EQ(st.wDayOfWeek, 2); // a Tuesday
    EXPECT_EQ(st.wHour, 13);
    EXPECT_EQ(st.wMinute, 30);
    SYSTEMTIME epoch = DateTimeToSystemTime(0);
    EXPECT_EQ(epoch.wYear, 1899);
    EXPECT_EQ(epoch.wMonth, 12);
    EXPECT_EQ(epoch.wDay, 30);
    SYSTEMTIME leap{};
    leap.wYear = 2000;
    leap.wMonth = 2;
    leap.wDay = 29;
    leap.wSecond = 1;
    const TDateTime v = SystemTimeToDateTime(leap);
    EXPECT_DOUBLE_EQ(v, 36585 + 1.0 / 86400);
    SYSTEMTIME back = DateTimeToSystemTime(v);
    EXPECT_EQ(back.wMonth, 2);
    EXPECT_EQ(back.wDay, 29);
    EXPECT_EQ(back.wSecond, 1);
    EXPECT_EQ(DateTimeToSystemTime(36586).wMonth, 3);
    EXPECT_EQ(DateTimePickerStyle(dtkTime, dmComboBox, dfShort),
              static_cast<DWORD>(DTS_TIMEFORMAT));
    EXPECT_EQ(DateTimePickerStyle(dtkDate, dmUpDown, dfLong),
              static_cast<DWORD>(DTS_UPDOWN | DTS_LONGDATEFORMAT));
    TStringList lines = SplitLines(L"a\r\nb\rc\nd");
    ASSERT_EQ(lines.Count(), 4);
    EXPECT_EQ(lines[2], "c");
}

// The definition's values reach the controls and read back unchanged.
TEST(StdPickers, DefinitionAndRoundTrip) {
    auto form = ReadTestForm(kPickersForm);
    auto* day = Find<TDateTimePicker>(*form, "Day");
    auto* clock = Find<TDateTimePicker>(*form, "Clock");
    auto* notes = Find<TRichEdit>(*form, "Notes");
    ASSERT_TRUE(day && clock && notes);
    SYSTEMTIME st{};
    ASSERT_EQ(SendMessageW(day->Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)),
              GDT_VALID);
    EXPECT_EQ(st.wYear, 2026);
    EXPECT_EQ(st.wDay, 6);
    EXPECT_EQ(st.wHour, 13);
    EXPECT_TRUE(GetWindowLongW(day->Handle(), GWL_STYLE) & DTS_UPDOWN);
    EXPECT_EQ(GetWindowLongW(clock->Handle(), GWL_STYLE) & DTS_TIMEFORMAT, DTS_TIMEFORMAT);
    wchar_t cls[64] = {};
    GetClassNameW(notes->Handle(), cls, 64);
    EXPECT_EQ(std::wstring(cls), L"TRichEdit");
    EXPECT_EQ(WindowText(notes->Handle()).substr(0, 3), L"第一行");
    EXPECT_EQ(SendMessageW(notes->Handle(), EM_GETTEXTMODE, 0, 0) & TM_PLAINTEXT, TM_PLAINTEXT);
    ASSERT_EQ(notes->Lines()->Count(), 2);
    EXPECT_EQ((*notes->Lines())[1], "second");

    auto copy = RoundTrip(*form);
    auto* day2 = Find<TDateTimePicker>(*copy, "Day");
    auto* clock2 = Find<TDateTimePicker>(*copy, "Clock");
    auto* notes2 = Find<TRichEdit>(*copy, "Notes");
    ASSERT_TRUE(day2 && clock2 && notes2);
    EXPECT_EQ(day2->DateMode(), dmUpDown);
    EXPECT_EQ(day2->DateFormat(), dfLong);
    EXPECT_DOUBLE_EQ(day2->DateTime(), 46028.5625);
    EXPECT_EQ(clock2->Kind(), dtkTime);
    EXPECT_DOUBLE_EQ(clock2->Time(), 0.5);
    EXPECT_TRUE(notes2->PlainText());
    ASSERT_EQ(notes2->Lines()->Count(), 2);
    EXPECT_EQ((*notes2->Lines())[0], (*notes->Lines())[0]);
}

// The up arrow on the time picker's hour field adds an hour and reports the
// change; typing into the rich edit changes its lines and reports, and a
// read-only rich edit keeps its text.
TEST(StdPickers, KeysChangeValues) {
    int changes = 0;
    auto form = ReadTestForm(kPickersForm, &changes);
    auto* clock = Find<TDateTimePicker>(*form, "Clock");
    auto* notes = Find<TRichEdit>(*form, "Notes");
    clock->SetFocus();
    ClickAt(clock->Handle(), 4, clock->Height() / 2);
    const int before = changes;
    Key(clock->Handle(), VK_UP);
    PumpPending();
    EXPECT_EQ(changes, before + 1);
    EXPECT_NEAR(clock->Time(), 13.0 / 24, 1e-9); // well under a millisecond
    SYSTEMTIME st{};
    SendMessageW(clock->Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
    EXPECT_EQ(st.wHour, 13);

    notes->SetFocus();
    SendMessageW(notes->Handle(), EM_SETSEL, -1, -1);
    const int typed = changes;
    SendMessageW(notes->Handle(), WM_CHAR, L'!', 0);
    PumpPending();
    EXPECT_EQ(changes, typed + 1);
    EXPECT_EQ((*notes->Lines())[1], "second!");
    notes->SetReadOnly(true);
    SendMessageW(notes->Handle(), WM_CHAR, L'?', 0);
    PumpPending();
    EXPECT_EQ((*notes->Lines())[1], "second!");
    EXPECT_EQ(changes, typed + 1);
}
