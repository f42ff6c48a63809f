// TReader and TWriter for defined properties.
#include "framework/core/filer.h"

#include <cmath>
#include <limits>

#include "framework/core/ansi.h"
#include "framework/core/exception.h"
#include "framework/core/strings.h"
#include "framework/core/utf8.h"

using VK = TFormValue::Kind;

void TReader::Invalid() const {
    throw EReadError(L"Line " + std::to_wstring(value_.line) + L": Invalid property value");
}

int32_t TReader::ReadInteger() const {
    if (value_.kind != VK::Integer || value_.integer < INT32_MIN || value_.integer > UINT32_MAX)
        Invalid();
    return static_cast<int32_t>(static_cast<uint32_t>(value_.integer));
}

bool TReader::ReadBoolean() const {
    if (value_.kind == VK::Ident) {
        if (SameTextAscii(value_.text, "True"))
            return true;
        if (SameTextAscii(value_.text, "False"))
            return false;
    }
    Invalid();
}

std::string TReader::ReadString() const {
    return WideToAnsiText(ReadWideString());
}

std::wstring TReader::ReadWideString() const {
    if (value_.kind != VK::String)
        Invalid();
    return Utf8ToWide(value_.text);
}

std::string TReader::ReadIdent() const {
    if (value_.kind != VK::Ident)
        Invalid();
    return value_.text;
}

double TReader::ReadFloat() const {
    if (value_.kind == VK::Float)
        return value_.number;
    if (value_.kind == VK::Integer)
        return static_cast<double>(value_.integer);
    if (value_.kind == VK::Ident) {
        if (SameTextAscii(value_.text, "INF"))
            return std::numeric_limits<double>::infinity();
        if (SameTextAscii(value_.text, "-INF"))
            return -std::numeric_limits<double>::infinity();
        if (SameTextAscii(value_.text, "NAN"))
            return std::numeric_limits<double>::quiet_NaN();
    }
    Invalid();
}

void TReader::ReadStrings(TStringList& list) const {
    if (value_.kind != VK::List)
        Invalid();
    TStringList lines;
    for (const TFormValue& v : value_.list) {
        if (v.kind != VK::String)
            Invalid();
        lines.Add(WideToAnsiText(Utf8ToWide(v.text)));
    }
    list.Assign(lines);
}

void TWriter::WriteInteger(int32_t v) {
    value_ = TFormValue();
    value_.kind = VK::Integer;
    value_.integer = v;
    hasValue_ = true;
}

void TWriter::WriteBoolean(bool v) {
    WriteIdent(v ? "True" : "False");
}

void TWriter::WriteString(const std::string& ansi) {
    WriteWideString(AnsiToWideText(ansi));
}

void TWriter::WriteWideString(const std::wstring& text) {
    value_ = TFormValue();
    value_.kind = VK::String;
    value_.text = WideToUtf8(text);
    hasValue_ = true;
}

void TWriter::WriteIdent(const std::string& ident) {
    value_ = TFormValue();
    value_.kind = VK::Ident;
    value_.text = ident;
    hasValue_ = true;
}

void TWriter::WriteFloat(double v) {
    value_ = TFormValue();
    if (std::isnan(v) || std::isinf(v)) {
        value_.kind = VK::Ident;
        value_.text = std::isnan(v) ? "NAN" : (v > 0 ? "INF" : "-INF");
    } else {
        value_.kind = VK::Float;
        value_.number = v;
    }
    hasValue_ = true;
}

void TWriter::WriteStrings(const TStringList& list) {
    value_ = TFormValue();
    value_.kind = VK::List;
    for (int i = 0; i < list.Count(); ++i) {
        TFormValue line;
        line.kind = VK::String;
        line.text = WideToUtf8(AnsiToWideText(list[i]));
        value_.list.push_back(std::move(line));
    }
    hasValue_ = true;
}
