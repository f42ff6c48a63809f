// Date and time picker over the platform's control, and the rich edit over
// the platform's rich-edit library.
#pragma once

#include <string>

#include "framework/core/strings.h"
#include "framework/ui/wincontrol.h"

LT_ENUM(TDateTimeKind, dtkDate, dtkTime)
LT_ENUM(TDTDateMode, dmComboBox, dmUpDown)
LT_ENUM(TDTDateFormat, dfShort, dfLong)

// A point in time as days since 1899-12-30 (the fraction is the time of day).
using TDateTime = double;

// Conversions between day counts and calendar fields (milliseconds rounded).
SYSTEMTIME DateTimeToSystemTime(TDateTime value);
TDateTime SystemTimeToDateTime(const SYSTEMTIME& st);

// Window style bits of the picker for its kind, mode and format.
DWORD DateTimePickerStyle(TDateTimeKind kind, TDTDateMode mode, TDTDateFormat format);

class TDateTimePicker : public TWinControl {
    LT_CLASS(TDateTimePicker, TWinControl)
public:
    explicit TDateTimePicker(TComponent* owner);

    TDateTimeKind Kind() const { return kind_; }
    void SetKind(TDateTimeKind v);
    TDTDateMode DateMode() const { return dateMode_; }
    void SetDateMode(TDTDateMode v);
    TDTDateFormat DateFormat() const { return dateFormat_; }
    void SetDateFormat(TDTDateFormat v);
    // The whole value; Date is its day part and Time its time-of-day part.
    TDateTime DateTime() const { return value_; }
    void SetDateTime(TDateTime v);
    TDateTime Date() const;
    void SetDate(TDateTime v);
    TDateTime Time() const;
    void SetTime(TDateTime v);

    // The user changed the value.
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void WndProc(TMessage& msg) override;

private:
    void ApplyStyle();

    TDateTimeKind kind_ = dtkDate;
    TDTDateMode dateMode_ = dmComboBox;
    TDTDateFormat dateFormat_ = dfShort;
    TDateTime value_ = 0;
};

// The window class of the newest rich-edit library the platform has (loaded
// on first use); raises EOutOfResources when there is none.
const std::wstring& RichEditClass();

// Splits text into lines at CR LF, CR or LF.
TStringList SplitLines(const std::wstring& text);

class TRichEdit : public TWinControl {
    LT_CLASS(TRichEdit, TWinControl)
public:
    explicit TRichEdit(TComponent* owner);

    // The text as lines (read from the control while it has a window).
    TStringList* Lines();
    void SetLines(const TStringList& lines);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    // Plain text only (no character formatting); fixed once the window exists.
    bool PlainText() const { return plainText_; }
    void SetPlainText(bool v) { plainText_ = v; }

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void WndProc(TMessage& msg) override;

private:
    void ApplyText();

    TStringList lines_;
    bool readOnly_ = false;
    bool plainText_ = false;
};
