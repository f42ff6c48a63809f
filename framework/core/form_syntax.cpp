// Lexer and recursive-descent parser of form definitions.
#include "framework/core/form_syntax.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "framework/core/exception.h"
#include "framework/core/strings.h"
#include "framework/core/utf8.h"

namespace {

// Nesting deeper than this (objects, lists, collections) is rejected, so
// hostile input cannot exhaust the stack.
constexpr int kMaxDepth = 200;

enum class Tok { End, Ident, Integer, Float, String, Binary, Symbol };

struct Token {
    Tok kind = Tok::End;
    int line = 1;
    std::string text;           // Ident, String (UTF-8), Symbol (one char)
    int64_t integer = 0;        // Integer
    double number = 0;          // Float
    std::vector<uint8_t> bytes; // Binary
};

[[noreturn]] void Fail(int line, const std::string& what) {
    throw EReadError(L"Line " + std::to_wstring(line) + L": " + Utf8ToWide(what));
}

bool IsIdentStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
bool IsIdentChar(char c) {
    return IsIdentStart(c) || (c >= '0' && c <= '9');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

class Lexer {
public:
    explicit Lexer(std::string_view text) : s_(text) {
        if (s_.substr(0, 3) == "\xEF\xBB\xBF")
            pos_ = 3;
    }
    Token Next();

private:
    void SkipBlanks();
    Token Number(int line);
    Token String(int line);
    Token Binary(int line);
    std::string_view s_;
    size_t pos_ = 0;
    int line_ = 1;
};

void Lexer::SkipBlanks() {
    while (pos_ < s_.size()) {
        const char c = s_[pos_];
        if (c == '\n') {
            ++line_;
            ++pos_;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            ++pos_;
        } else if (c == '/' && pos_ + 1 < s_.size() && s_[pos_ + 1] == '/') {
            while (pos_ < s_.size() && s_[pos_] != '\n')
                ++pos_;
        } else {
            break;
        }
    }
}

Token Lexer::Next() {
    SkipBlanks();
    Token t;
    t.line = line_;
    if (pos_ >= s_.size())
        return t;
    const char c = s_[pos_];
    if (IsIdentStart(c)) {
        const size_t start = pos_;
        // Dotted paths (Font.Height) are one identifier token.
        while (pos_ < s_.size() &&
               (IsIdentChar(s_[pos_]) ||
                (s_[pos_] == '.' && pos_ + 1 < s_.size() && IsIdentStart(s_[pos_ + 1]))))
            ++pos_;
        t.kind = Tok::Ident;
        t.text = std::string(s_.substr(start, pos_ - start));
        return t;
    }
    if (IsDigit(c) || c == '$' ||
        ((c == '-' || c == '+') && pos_ + 1 < s_.size() &&
         (IsDigit(s_[pos_ + 1]) || s_[pos_ + 1] == '$')))
        return Number(t.line);
    if (c == '\'' || c == '#')
        return String(t.line);
    if (c == '{')
        return Binary(t.line);
    if (static_cast<unsigned char>(c) < 0x80 &&
        std::string_view("=:[](),<>+-").find(c) != std::string_view::npos) {
        ++pos_;
        t.kind = Tok::Symbol;
        t.text = std::string(1, c);
        return t;
    }
    Fail(line_, "Invalid character in definition");
}

Token Lexer::Number(int line) {
    Token t;
    t.line = line;
    const size_t start = pos_;
    bool negative = false;
    if (s_[pos_] == '-' || s_[pos_] == '+') {
        negative = s_[pos_] == '-';
        ++pos_;
    }
    if (pos_ < s_.size() && s_[pos_] == '$') {
        ++pos_;
        uint64_t v = 0;
        size_t digits = 0;
        for (; pos_ < s_.size() && HexValue(s_[pos_]) >= 0; ++pos_, ++digits) {
            v = v * 16 + static_cast<uint64_t>(HexValue(s_[pos_]));
            if (v > 0xFFFFFFFFull)
                Fail(line, "Number out of range");
        }
        if (digits == 0)
            Fail(line, "Invalid number");
        t.kind = Tok::Integer;
        t.integer = negative ? -static_cast<int64_t>(v) : static_cast<int64_t>(v);
        return t;
    }
    bool isFloat = false;
    while (pos_ < s_.size()) {
        const char c = s_[pos_];
        if (IsDigit(c)) {
            ++pos_;
        } else if (c == '.' || c == 'e' || c == 'E') {
            isFloat = true;
            ++pos_;
            if ((c == 'e' || c == 'E') && pos_ < s_.size() && (s_[pos_] == '+' || s_[pos_] == '-'))
                ++pos_;
        } else {
            break;
        }
    }
    if (pos_ < s_.size() && IsIdentChar(s_[pos_]))
        Fail(line, "Invalid number");
    std::string_view body = s_.substr(start, pos_ - start);
    if (body[0] == '+')
        body.remove_prefix(1);
    if (isFloat) {
        t.kind = Tok::Float;
        const auto r = std::from_chars(body.data(), body.data() + body.size(), t.number);
        if (r.ec != std::errc() || r.ptr != body.data() + body.size() || !std::isfinite(t.number))
            Fail(line, "Invalid number");
    } else {
        t.kind = Tok::Integer;
        const auto r = std::from_chars(body.data(), body.data() + body.size(), t.integer);
        if (r.ec != std::errc() || r.ptr != body.data() + body.size())
            Fail(line, "Number out of range");
    }
    return t;
}

// A run of quoted pieces and #N codes with no blanks between them.
Token Lexer::String(int line) {
    Token t;
    t.kind = Tok::String;
    t.line = line;
    uint32_t pendingHigh = 0; // a #N high surrogate waiting for its low half
    while (pos_ < s_.size() && (s_[pos_] == '\'' || s_[pos_] == '#')) {
        if (s_[pos_] == '\'') {
            if (pendingHigh)
                Fail(line, "Unpaired surrogate in string");
            ++pos_;
            for (;;) {
                if (pos_ >= s_.size() || s_[pos_] == '\n' || s_[pos_] == '\r')
                    Fail(line, "Unterminated string");
                if (s_[pos_] == '\'') {
                    if (pos_ + 1 < s_.size() && s_[pos_ + 1] == '\'') {
                        t.text += '\'';
                        pos_ += 2;
                        continue;
                    }
                    ++pos_;
                    break;
                }
                t.text += s_[pos_++];
            }
        } else {
            ++pos_;
            uint32_t cp = 0;
            size_t digits = 0;
            const bool hex = pos_ < s_.size() && s_[pos_] == '$';
            if (hex)
                ++pos_;
            for (; pos_ < s_.size() && (hex ? HexValue(s_[pos_]) >= 0 : IsDigit(s_[pos_]));
                 ++pos_, ++digits) {
                cp = cp * (hex ? 16 : 10) + static_cast<uint32_t>(HexValue(s_[pos_]));
                if (cp > 0x10FFFF)
                    Fail(line, "Invalid character code");
            }
            if (digits == 0)
                Fail(line, "Invalid character code");
            if (cp >= 0xD800 && cp <= 0xDBFF && !pendingHigh) {
                pendingHigh = cp;
                continue;
            }
            if (pendingHigh) {
                if (cp < 0xDC00 || cp > 0xDFFF)
                    Fail(line, "Unpaired surrogate in string");
                cp = 0x10000 + ((pendingHigh - 0xD800) << 10) + (cp - 0xDC00);
                pendingHigh = 0;
            } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
                Fail(line, "Unpaired surrogate in string");
            }
            AppendUtf8(t.text, cp);
        }
    }
    if (pendingHigh)
        Fail(line, "Unpaired surrogate in string");
    return t;
}

Token Lexer::Binary(int line) {
    Token t;
    t.kind = Tok::Binary;
    t.line = line;
    ++pos_; // '{'
    int high = -1;
    for (;;) {
        if (pos_ >= s_.size())
            Fail(line, "Unterminated binary value");
        const char c = s_[pos_++];
        if (c == '}')
            break;
        if (c == '\n') {
            ++line_;
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\r')
            continue;
        const int v = HexValue(c);
        if (v < 0)
            Fail(line_, "Invalid binary value");
        if (high < 0) {
            high = v;
        } else {
            t.bytes.push_back(static_cast<uint8_t>(high * 16 + v));
            high = -1;
        }
    }
    if (high >= 0)
        Fail(line, "Odd number of digits in binary value");
    return t;
}

class Parser {
public:
    explicit Parser(std::string_view text) : lex_(text) { Advance(); }
    TFormObject Root();

private:
    void Advance() { tok_ = lex_.Next(); }
    bool IsKeyword(const char* kw) const {
        return tok_.kind == Tok::Ident && SameTextAscii(tok_.text, kw);
    }
    bool IsSymbol(char c) const { return tok_.kind == Tok::Symbol && tok_.text[0] == c; }
    void Expect(char c, const char* what) {
        if (!IsSymbol(c))
            Fail(tok_.line, std::string("Expected ") + what);
        Advance();
    }
    TFormObject Object(int depth);
    TFormProperty Property(int depth);
    TFormValue Value(int depth);
    std::string StringValue();
    void Items(TFormValue& v, int depth);

    Lexer lex_;
    Token tok_;
};

TFormObject Parser::Root() {
    if (!IsKeyword("object"))
        Fail(tok_.line, "Expected 'object'");
    TFormObject root = Object(0);
    if (tok_.kind != Tok::End)
        Fail(tok_.line, "Text after the end of the definition");
    return root;
}

TFormObject Parser::Object(int depth) {
    if (depth > kMaxDepth)
        Fail(tok_.line, "Objects nested too deeply");
    TFormObject obj;
    obj.line = tok_.line;
    Advance(); // 'object'
    if (tok_.kind != Tok::Ident || tok_.text.find('.') != std::string::npos)
        Fail(tok_.line, "Expected a component name or class");
    std::string first = tok_.text;
    Advance();
    if (IsSymbol(':')) {
        Advance();
        if (tok_.kind != Tok::Ident || tok_.text.find('.') != std::string::npos)
            Fail(tok_.line, "Expected a class name");
        obj.name = std::move(first);
        obj.className = tok_.text;
        Advance();
    } else {
        obj.className = std::move(first);
    }
    for (;;) {
        if (tok_.kind == Tok::End)
            Fail(obj.line, "Object " + (obj.name.empty() ? obj.className : obj.name) +
                               " has no 'end' (unterminated object)");
        if (IsKeyword("end")) {
            Advance();
            return obj;
        }
        if (IsKeyword("object")) {
            obj.children.push_back(Object(depth + 1));
            continue;
        }
        obj.props.push_back(Property(depth));
    }
}

TFormProperty Parser::Property(int depth) {
    if (tok_.kind != Tok::Ident)
        Fail(tok_.line, "Expected a property name");
    TFormProperty p;
    p.line = tok_.line;
    p.path = tok_.text;
    Advance();
    Expect('=', "'=' after the property name");
    p.value = Value(depth + 1);
    return p;
}

std::string Parser::StringValue() {
    std::string s = tok_.text;
    Advance();
    while (IsSymbol('+')) {
        Advance();
        if (tok_.kind != Tok::String)
            Fail(tok_.line, "Expected a string after '+'");
        s += tok_.text;
        Advance();
    }
    return s;
}

TFormValue Parser::Value(int depth) {
    if (depth > kMaxDepth)
        Fail(tok_.line, "Values nested too deeply");
    TFormValue v;
    v.line = tok_.line;
    switch (tok_.kind) {
    case Tok::Integer:
        v.kind = TFormValue::Kind::Integer;
        v.integer = tok_.integer;
        Advance();
        return v;
    case Tok::Float:
        v.kind = TFormValue::Kind::Float;
        v.number = tok_.number;
        Advance();
        return v;
    case Tok::Ident:
        v.kind = TFormValue::Kind::Ident;
        v.text = tok_.text;
        Advance();
        return v;
    case Tok::String:
        v.kind = TFormValue::Kind::String;
        v.text = StringValue();
        return v;
    case Tok::Binary:
        v.kind = TFormValue::Kind::Binary;
        v.bytes = std::move(tok_.bytes);
        Advance();
        return v;
    case Tok::End:
        Fail(tok_.line, "Expected a value, found the end of the text");
    case Tok::Symbol:
        break;
    }
    if (IsSymbol('-')) { // -INF
        Advance();
        if (tok_.kind != Tok::Ident || !SameTextAscii(tok_.text, "INF"))
            Fail(v.line, "Invalid value");
        v.kind = TFormValue::Kind::Ident;
        v.text = "-INF";
        Advance();
        return v;
    }
    if (IsSymbol('[')) {
        v.kind = TFormValue::Kind::Set;
        Advance();
        while (!IsSymbol(']')) {
            if (tok_.kind != Tok::Ident)
                Fail(tok_.line, "Expected a set member");
            v.names.push_back(tok_.text);
            Advance();
            if (IsSymbol(','))
                Advance();
            else if (!IsSymbol(']'))
                Fail(tok_.line, "Expected ',' or ']' in a set");
        }
        Advance();
        return v;
    }
    if (IsSymbol('(')) {
        v.kind = TFormValue::Kind::List;
        Advance();
        while (!IsSymbol(')')) {
            if (tok_.kind == Tok::End)
                Fail(v.line, "Unterminated list");
            v.list.push_back(Value(depth + 1));
        }
        Advance();
        return v;
    }
    if (IsSymbol('<')) {
        v.kind = TFormValue::Kind::Collection;
        Advance();
        Items(v, depth);
        return v;
    }
    Fail(tok_.line, "Invalid value");
}

void Parser::Items(TFormValue& v, int depth) {
    while (!IsSymbol('>')) {
        if (!IsKeyword("item"))
            Fail(tok_.line, "Expected 'item' or '>' in a collection");
        TFormItem item;
        item.line = tok_.line;
        Advance();
        while (!IsKeyword("end")) {
            if (tok_.kind == Tok::End)
                Fail(item.line, "Unterminated collection item");
            item.props.push_back(Property(depth + 1));
        }
        Advance();
        v.items.push_back(std::move(item));
    }
    Advance();
}

} // namespace

TFormObject ParseFormDefinition(std::string_view text) {
    Parser p(text);
    return p.Root();
}
