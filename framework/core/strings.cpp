// TStringList implementation.
#include "framework/core/strings.h"

#include <vector>

#include "framework/core/class_builder.h"
#include "framework/core/exception.h"
#include "framework/core/stream.h"

namespace {
char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
} // namespace

bool SameTextAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}

LT_CLASS_TABLE(TStringList) {}

void TStringList::Assign(const TPersistent& src) {
    if (const auto* list = dynamic_cast<const TStringList*>(&src))
        Assign(*list);
    else
        TPersistent::Assign(src);
}

void TStringList::Check(int i) const {
    if (i < 0 || i >= Count())
        throw EListError(L"List index out of bounds (" + std::to_wstring(i) + L")");
}

bool TStringList::Same(std::string_view a, std::string_view b) const {
    return caseSensitive_ ? a == b : SameTextAscii(a, b);
}

const std::string& TStringList::Strings(int i) const {
    Check(i);
    return items_[static_cast<size_t>(i)].text;
}

void TStringList::SetStrings(int i, std::string s) {
    Check(i);
    items_[static_cast<size_t>(i)].text = std::move(s);
}

TObject* TStringList::Objects(int i) const {
    Check(i);
    return items_[static_cast<size_t>(i)].object;
}

void TStringList::SetObjects(int i, TObject* obj) {
    Check(i);
    items_[static_cast<size_t>(i)].object = obj;
}

int TStringList::AddObject(std::string s, TObject* obj) {
    items_.push_back(Item{std::move(s), obj});
    return Count() - 1;
}

void TStringList::Insert(int i, std::string s, TObject* obj) {
    if (i < 0 || i > Count())
        throw EListError(L"List index out of bounds (" + std::to_wstring(i) + L")");
    items_.insert(items_.begin() + i, Item{std::move(s), obj});
}

void TStringList::Delete(int i) {
    Check(i);
    items_.erase(items_.begin() + i);
}

int TStringList::IndexOf(std::string_view s) const {
    for (int i = 0; i < Count(); ++i)
        if (Same(items_[static_cast<size_t>(i)].text, s))
            return i;
    return -1;
}

int TStringList::IndexOfObject(const TObject* obj) const {
    for (int i = 0; i < Count(); ++i)
        if (items_[static_cast<size_t>(i)].object == obj)
            return i;
    return -1;
}

std::string TStringList::Names(int i) const {
    const std::string& s = Strings(i);
    const size_t eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(0, eq);
}

int TStringList::IndexOfName(std::string_view name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string& s = items_[static_cast<size_t>(i)].text;
        const size_t eq = s.find('=');
        if (eq != std::string::npos && Same(std::string_view(s).substr(0, eq), name))
            return i;
    }
    return -1;
}

std::string TStringList::Values(std::string_view name) const {
    const int i = IndexOfName(name);
    if (i < 0)
        return {};
    const std::string& s = items_[static_cast<size_t>(i)].text;
    return s.substr(s.find('=') + 1);
}

std::string TStringList::Text() const {
    size_t total = 0;
    for (const Item& it : items_)
        total += it.text.size() + 2;
    std::string out;
    out.reserve(total);
    for (const Item& it : items_) {
        out += it.text;
        out += "\r\n";
    }
    return out;
}

void TStringList::SetText(std::string_view text) {
    std::vector<Item> lines;
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(Item{std::string(text.substr(start, i - start)), nullptr});
            ++i;
            if (c == '\r' && i < text.size() && text[i] == '\n')
                ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size())
        lines.push_back(Item{std::string(text.substr(start)), nullptr});
    items_ = std::move(lines);
}

void TStringList::LoadFromStream(TStream& src) {
    const int64_t left = src.Size() - src.Position();
    std::string text(static_cast<size_t>(left > 0 ? left : 0), '\0');
    if (left > 0)
        src.ReadBuffer(text.data(), static_cast<int32_t>(left));
    SetText(text);
}

void TStringList::SaveToStream(TStream& dst) const {
    const std::string text = Text();
    dst.WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
}

bool TStringList::operator==(const TStringList& other) const {
    return items_ == other.items_;
}
