// Date and time picker, and rich edit.
#include "framework/stdctrls/std_pickers.h"

#include <commctrl.h>
#include <richedit.h>

#include <cmath>

#include "framework/core/ansi.h"
#include "framework/core/class_builder.h"
#include "framework/stdctrls/std_comctl.h"
#include "framework/ui/ui_errors.h"

namespace {
constexpr int kUnixEpochDay = 25569; // 1970-01-01 counted from 1899-12-30
constexpr double kMsPerDay = 86400000.0;

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& y, unsigned& m, unsigned& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (m <= 2));
}
} // namespace

SYSTEMTIME DateTimeToSystemTime(TDateTime value) {
    int64_t days = static_cast<int64_t>(std::floor(value));
    int64_t ms = std::llround((value - static_cast<double>(days)) * kMsPerDay);
    if (ms >= static_cast<int64_t>(kMsPerDay)) {
        ++days;
        ms = 0;
    }
    int y = 0;
    unsigned m = 0, d = 0;
    CivilFromDays(days - kUnixEpochDay, y, m, d);
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(m);
    st.wDay = static_cast<WORD>(d);
    st.wDayOfWeek = static_cast<WORD>(((days - kUnixEpochDay) % 7 + 11) % 7); // 1970-01-01: Thu
    st.wHour = static_cast<WORD>(ms / 3600000);
    st.wMinute = static_cast<WORD>(ms / 60000 % 60);
    st.wSecond = static_cast<WORD>(ms / 1000 % 60);
    st.wMilliseconds = static_cast<WORD>(ms % 1000);
    return st;
}

TDateTime SystemTimeToDateTime(const SYSTEMTIME& st) {
    const int64_t days = DaysFromCivil(st.wYear, st.wMonth, st.wDay) + kUnixEpochDay;
    const double ms =
        st.wHour * 3600000.0 + st.wMinute * 60000.0 + st.wSecond * 1000.0 + st.wMilliseconds;
    return static_cast<double>(days) + ms / kMsPerDay;
}

DWORD DateTimePickerStyle(TDateTimeKind kind, TDTDateMode mode, TDTDateFormat format) {
    if (kind == dtkTime)
        return DTS_TIMEFORMAT;
    return (mode == dmUpDown ? DTS_UPDOWN : 0) |
           (format == dfLong ? DTS_LONGDATEFORMAT : DTS_SHORTDATEFORMAT);
}

// ---- date and time picker ----

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner) {
    EnsureCommonControls(ICC_DATE_CLASSES);
    SetBounds(0, 0, 186, 21);
    SetTabStop(true);
    SetColor(clWindow);
    SYSTEMTIME now{};
    GetLocalTime(&now);
    value_ = SystemTimeToDateTime(now);
}

void TDateTimePicker::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.superClass = DATETIMEPICK_CLASSW;
    params.style |= DateTimePickerStyle(kind_, dateMode_, dateFormat_);
    params.classStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TDateTimePicker::CreateHandleDone() {
    SetDateTime(value_);
}

void TDateTimePicker::ApplyStyle() {
    if (!HandleAllocated())
        return;
    const DWORD mask = DTS_TIMEFORMAT | DTS_LONGDATEFORMAT;
    DWORD style = GetWindowLongW(Handle(), GWL_STYLE) & ~mask;
    SetWindowLongW(Handle(), GWL_STYLE,
                   static_cast<LONG>(style | DateTimePickerStyle(kind_, dateMode_, dateFormat_)));
    Invalidate();
}

void TDateTimePicker::SetKind(TDateTimeKind v) {
    kind_ = v;
    ApplyStyle();
}

void TDateTimePicker::SetDateMode(TDTDateMode v) {
    dateMode_ = v;
    ApplyStyle();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat v) {
    dateFormat_ = v;
    ApplyStyle();
}

void TDateTimePicker::SetDateTime(TDateTime v) {
    value_ = v;
    if (HandleAllocated()) {
        SYSTEMTIME st = DateTimeToSystemTime(v);
        SendMessageW(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    }
}

TDateTime TDateTimePicker::Date() const {
    return std::floor(value_);
}

void TDateTimePicker::SetDate(TDateTime v) {
    SetDateTime(std::floor(v) + (value_ - std::floor(value_)));
}

TDateTime TDateTimePicker::Time() const {
    return value_ - std::floor(value_);
}

void TDateTimePicker::SetTime(TDateTime v) {
    SetDateTime(std::floor(value_) + (v - std::floor(v)));
}

void TDateTimePicker::WndProc(TMessage& msg) {
    if (msg.Msg == CN_NOTIFY) {
        const auto* hdr = reinterpret_cast<NMHDR*>(msg.LParam);
        if (hdr->code == static_cast<UINT>(DTN_DATETIMECHANGE)) {
            const auto* change = reinterpret_cast<NMDATETIMECHANGE*>(msg.LParam);
            if (change->dwFlags == GDT_VALID)
                value_ = SystemTimeToDateTime(change->st);
            OnChange(this);
        }
        msg.Result = 0;
        return;
    }
    TWinControl::WndProc(msg);
}

// ---- rich edit ----

const std::wstring& RichEditClass() {
    static const std::wstring name = [] {
        if (LoadLibraryW(L"Msftedit.dll"))
            return std::wstring(MSFTEDIT_CLASS);
        if (LoadLibraryW(L"Riched20.dll"))
            return std::wstring(RICHEDIT_CLASSW);
        return std::wstring();
    }();
    if (name.empty())
        throw EOutOfResources(L"No rich-edit library is available");
    return name;
}

TStringList SplitLines(const std::wstring& text) {
    TStringList lines;
    std::wstring line;
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t ch = text[i];
        if (ch != L'\r' && ch != L'\n') {
            line.push_back(ch);
            continue;
        }
        if (ch == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
            ++i;
        lines.Add(WideToAnsiText(line));
        line.clear();
    }
    if (!line.empty())
        lines.Add(WideToAnsiText(line));
    return lines;
}

TRichEdit::TRichEdit(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 185, 89);
    SetTabStop(true);
    SetColor(clWindow);
}

void TRichEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.superClass = RichEditClass();
    params.style |=
        ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | (readOnly_ ? ES_READONLY : 0);
    params.exStyle |= WS_EX_CLIENTEDGE;
    params.classStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TRichEdit::CreateHandleDone() {
    // The text mode can only change while the control is empty.
    if (plainText_)
        SendMessageW(Handle(), EM_SETTEXTMODE, TM_PLAINTEXT, 0);
    SendMessageW(Handle(), EM_SETEVENTMASK, 0, ENM_CHANGE);
    ApplyText();
}

TStringList* TRichEdit::Lines() {
    if (HandleAllocated()) {
        const int n = GetWindowTextLengthW(Handle());
        std::wstring text(n + 1, L'\0');
        text.resize(GetWindowTextW(Handle(), text.data(), n + 1));
        lines_ = SplitLines(text);
    }
    return &lines_;
}

void TRichEdit::SetLines(const TStringList& lines) {
    lines_.Assign(lines);
    ApplyText();
}

void TRichEdit::ApplyText() {
    if (!HandleAllocated())
        return;
    std::wstring text;
    for (int i = 0; i < lines_.Count(); ++i)
        text += (i ? L"\r\n" : L"") + ListLine(lines_, i);
    SetWindowTextW(Handle(), text.c_str());
}

void TRichEdit::SetReadOnly(bool v) {
    readOnly_ = v;
    if (HandleAllocated())
        SendMessageW(Handle(), EM_SETREADONLY, v ? TRUE : FALSE, 0);
}

void TRichEdit::WndProc(TMessage& msg) {
    if (msg.Msg == CN_COMMAND) {
        if (HIWORD(msg.WParam) == EN_CHANGE)
            OnChange(this);
        msg.Result = 0;
        return;
    }
    TWinControl::WndProc(msg);
}

LT_CLASS_TABLE(TDateTimePicker) {
    c.Enum("Kind", &TDateTimePicker::Kind, &TDateTimePicker::SetKind)
        .Default(dtkDate)
        .Enum("DateMode", &TDateTimePicker::DateMode, &TDateTimePicker::SetDateMode)
        .Default(dmComboBox)
        .Enum("DateFormat", &TDateTimePicker::DateFormat, &TDateTimePicker::SetDateFormat)
        .Default(dfShort)
        .Float("Date", &TDateTimePicker::Date, &TDateTimePicker::SetDate)
        .Float("Time", &TDateTimePicker::Time, &TDateTimePicker::SetTime)
        .Event("OnChange", &TDateTimePicker::OnChange);
}

LT_CLASS_TABLE(TRichEdit) {
    c.Strings("Lines", &TRichEdit::Lines, &TRichEdit::SetLines)
        .Boolean("ReadOnly", &TRichEdit::ReadOnly, &TRichEdit::SetReadOnly)
        .Default(false)
        .Boolean("PlainText", &TRichEdit::PlainText, &TRichEdit::SetPlainText)
        .Default(false)
        .Event("OnChange", &TRichEdit::OnChange);
}
