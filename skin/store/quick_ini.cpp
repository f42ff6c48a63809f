// Skin INI parser: line splitting, trimming, comments, and linear lookups.
#include "skin/store/quick_ini.h"

#include "framework/core/class_builder.h"
#include "framework/core/convert.h"
#include "framework/core/stream.h"

LT_CLASS_TABLE(TQuickIni) {}

namespace {

// Drops leading and trailing characters with codes 0..32.
std::string_view Trim(std::string_view s) {
    size_t b = 0;
    size_t e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 32)
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32)
        --e;
    return s.substr(b, e - b);
}

// A kept line that opens with "[" and closes with "]".
bool IsHeader(std::string_view line) {
    return !line.empty() && line.front() == '[' && line.back() == ']';
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// "[section]" with its ASCII letters lowercased.
std::string LowerHeader(std::string_view section) {
    std::string header;
    header.reserve(section.size() + 2);
    header.push_back('[');
    for (char c : section)
        header.push_back(LowerAscii(c));
    header.push_back(']');
    return header;
}

// Equality after lowercasing ASCII letters on both sides.
bool SameKey(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return true;
}

} // namespace

void TQuickIni::LoadFromStream(TStream* stream) {
    if (!stream)
        return;
    const int64_t left = stream->Size() - stream->Position();
    std::string text(static_cast<size_t>(left > 0 ? left : 0), '\0');
    if (left > 0)
        stream->ReadBuffer(text.data(), static_cast<int32_t>(left));
    Parse(text);
}

// Keeps a trimmed line unless it is empty or a comment; headers are also
// listed as sections with their index among the kept lines.
void TQuickIni::AddLine(std::string_view raw) {
    const std::string_view line = Trim(raw);
    if (line.empty() || line.front() == ';')
        return;
    const int index = lines_.Add(std::string(line));
    if (IsHeader(line)) {
        sections_.Add(std::string(line));
        sectionLines_.push_back(index);
        std::string lower(line);
        for (char& c : lower)
            c = LowerAscii(c);
        firstHeader_.emplace(std::move(lower), index);
    }
}

// Splits at CR, LF or CR LF (one CR, then one LF, per line end) up to the
// first NUL byte.
void TQuickIni::Parse(std::string_view text) {
    lines_.Clear();
    sections_.Clear();
    sectionLines_.clear();
    firstHeader_.clear();
    const size_t nul = text.find('\0');
    if (nul != std::string_view::npos)
        text = text.substr(0, nul);
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '\r' && text[i] != '\n') {
            ++i;
            continue;
        }
        AddLine(text.substr(start, i - start));
        if (i < text.size() && text[i] == '\r')
            ++i;
        if (i < text.size() && text[i] == '\n')
            ++i;
        start = i;
    }
    if (start < text.size())
        AddLine(text.substr(start));
}

// The first header matching "[section]" as a whole, then its
// lines up to the next header; the first entry with the key decides.
std::string TQuickIni::ReadString(std::string_view section, std::string_view key,
                                  const std::string& def) const {
    if (observer_)
        observer_(section, key);
    if (lines_.Count() == 0)
        return def;
    const auto found = firstHeader_.find(LowerHeader(section));
    const int first = found == firstHeader_.end() ? -1 : found->second;
    if (first < 0)
        return def;
    for (int j = first + 1; j < lines_.Count(); ++j) {
        const std::string_view line = lines_[j];
        if (IsHeader(line))
            break;
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            continue;
        if (!SameKey(Trim(line.substr(0, eq)), key))
            continue;
        const std::string_view value = Trim(line.substr(eq + 1));
        return value.empty() ? def : std::string(value);
    }
    return def;
}

int32_t TQuickIni::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
    std::string s = ReadString(section, key, std::string());
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X'))
        s.replace(0, 2, "$");
    return StrToIntDef(s, def);
}

// Section names: the header trimmed, its brackets dropped, trimmed again.
void TQuickIni::ReadSections(TStringList& target) const {
    target.Clear();
    for (int i = 0; i < sections_.Count(); ++i) {
        const std::string_view header = Trim(sections_[i]);
        target.Add(std::string(Trim(header.substr(1, header.size() - 2))));
    }
}
