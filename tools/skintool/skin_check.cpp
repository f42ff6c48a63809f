// The skin checker's entry points, the INI read with line numbers and the
// key-by-key checks; the pictures are in skin_check_pictures.cpp.
#include "tools/skintool/skin_check.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>

#include "framework/core/convert.h"
#include "framework/core/stream.h"
#include "skin/store/skin_reader.h"
#include "skin/store/wrong_mark_notice.h"
#include "tools/skintool/skin_archive.h"
#include "tools/skintool/skin_check_internal.h"
#include "tools/skintool/skin_vocabulary.h"
#include "tools/skintool/skintool_commands.h"

namespace fs = std::filesystem;

namespace skin_check {

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Trim(const std::string& s) {
    size_t a = 0, b = s.size();
    while (a < b && static_cast<unsigned char>(s[a]) <= 32)
        ++a;
    while (b > a && static_cast<unsigned char>(s[b - 1]) <= 32)
        --b;
    return s.substr(a, b - a);
}

void AddLine(TIniText& ini, const std::string& raw, int number) {
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == ';')
        return;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
        TIniSection s;
        s.Line = number;
        s.Name = line.substr(1, line.size() - 2);
        for (const TIniSection& earlier : ini.Sections)
            if (SameText(earlier.Name, s.Name))
                s.Live = false;
        ini.Sections.push_back(std::move(s));
        return;
    }
    if (ini.Sections.empty()) {
        ini.LooseLines.push_back(number);
        return;
    }
    TIniEntry e;
    e.Line = number;
    const size_t eq = line.find('=');
    e.HasEquals = eq != std::string::npos;
    if (e.HasEquals) {
        e.Key = Trim(line.substr(0, eq));
        e.Value = Trim(line.substr(eq + 1));
    }
    ini.Sections.back().Entries.push_back(std::move(e));
}

} // namespace

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

TIniText ScanIni(const std::string& text) {
    TIniText ini;
    const std::string body = text.substr(0, text.find('\0'));
    size_t start = 0;
    int number = 1;
    while (start <= body.size()) {
        const size_t end = body.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            AddLine(ini, body.substr(start), number);
            break;
        }
        AddLine(ini, body.substr(start, end - start), number++);
        start = end + 1;
        if (body[end] == '\r' && start < body.size() && body[start] == '\n')
            ++start;
    }
    return ini;
}

const TIniSection* TIniText::FindSection(const std::string& section) const {
    for (const TIniSection& s : Sections)
        if (SameText(s.Name, section))
            return &s;
    return nullptr;
}

const TIniEntry* TIniText::Find(const std::string& section, const std::string& key) const {
    const TIniSection* s = FindSection(section);
    if (!s)
        return nullptr;
    for (const TIniEntry& e : s->Entries)
        if (e.HasEquals && SameText(e.Key, key))
            return &e;
    return nullptr;
}

std::string TIniText::Value(const std::string& section, const std::string& key) const {
    const TIniEntry* e = Find(section, key);
    return e ? e->Value : std::string();
}

std::optional<int32_t> TIniText::Integer(const std::string& section, const std::string& key) const {
    std::string s = Value(section, key);
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X'))
        s.replace(0, 2, "$");
    // Two different defaults tell a conversion failure from a value.
    const int32_t a = StrToIntDef(s, 0), b = StrToIntDef(s, 1);
    if (a != b)
        return std::nullopt;
    return a;
}

int32_t TIniText::Integer(const std::string& section, const std::string& key, int32_t def) const {
    return Integer(section, key).value_or(def);
}

int TIniText::LineOf(const std::string& section, const std::string& key) const {
    if (const TIniEntry* e = Find(section, key))
        return e->Line;
    const TIniSection* s = FindSection(section);
    return s ? s->Line : 0;
}

namespace {

std::vector<std::string> SectionNames() {
    std::vector<std::string> names;
    for (const TSkinSectionInfo& s : SkinVocabulary())
        names.push_back(s.Prefix ? s.Name + "0" : s.Name);
    return names;
}

std::vector<std::string> KeyNames(const TSkinSectionInfo& known) {
    std::vector<std::string> names;
    for (const TSkinKeyInfo& k : known.Keys)
        names.push_back(k.Key);
    return names;
}

std::string DidYouMean(const std::string& nearest) {
    return nearest.empty() ? std::string() : "; did you mean '" + nearest + "'?";
}

// Digit runs of a colour text as the engine reads them.
std::vector<long long> ColourNumbers(const std::string& text) {
    std::vector<long long> numbers;
    long long run = -1;
    for (char ch : text + " ") {
        if (ch >= '0' && ch <= '9') {
            run = std::min<long long>((run < 0 ? 0 : run) * 10 + (ch - '0'), 1000000);
        } else if (run >= 0) {
            numbers.push_back(run);
            run = -1;
        }
    }
    return numbers;
}

void CheckColour(const TContext& c, const TIniEntry& e, const std::string& where) {
    const std::vector<long long> n = ColourNumbers(e.Value);
    const bool big = std::any_of(n.begin(), n.begin() + std::min<size_t>(n.size(), 3),
                                 [](long long v) { return v > 255; });
    if (n.size() < 3 || big) {
        c.Add(TSkinIssue::Error, e.Line,
              where + ": colour '" + e.Value + "' is not three numbers 0-255 (R G B)");
    } else if (n.size() > 3) {
        c.Add(TSkinIssue::Warning, e.Line,
              where + ": colour '" + e.Value +
                  "' has more than three numbers; the rest are ignored");
    }
}

void CheckValue(const TContext& c, const TSkinKeyInfo& known, const TIniEntry& e,
                const std::string& section) {
    const std::string where = "[" + section + "] " + e.Key;
    if (e.Value.empty()) {
        c.Add(TSkinIssue::Warning, e.Line, where + " is empty; the engine uses its default");
        return;
    }
    if (known.Kind == TSkinValueKind::Colour) {
        CheckColour(c, e, where);
    } else if (known.Kind == TSkinValueKind::Integer) {
        const std::optional<int32_t> v = c.Ini.Integer(section, e.Key);
        if (!v) {
            c.Add(TSkinIssue::Error, e.Line,
                  where + ": '" + e.Value + "' is not a number; the engine uses its default");
        } else if (*v < known.Min || *v > known.Max) {
            const std::string range =
                known.Max == INT32_MAX
                    ? "at least " + std::to_string(known.Min)
                    : std::to_string(known.Min) + " to " + std::to_string(known.Max);
            c.Add(TSkinIssue::Error, e.Line,
                  where + " = " + std::to_string(*v) +
                      " is outside the values the engine expects (" + range + ")");
        }
    }
}

void CheckSectionKeys(const TContext& c, const TIniSection& s, const TSkinSectionInfo& known) {
    std::map<std::string, int> seen;
    for (const TIniEntry& e : s.Entries) {
        if (!e.HasEquals || e.Key.empty()) {
            c.Add(TSkinIssue::Warning, e.Line, "[" + s.Name + "]: not a key=value line; ignored");
            continue;
        }
        const auto first = seen.emplace(Upper(e.Key), e.Line);
        if (!first.second) {
            c.Add(TSkinIssue::Warning, e.Line,
                  "[" + s.Name + "] " + e.Key + " repeated; only the first (line " +
                      std::to_string(first.first->second) + ") is read");
            continue;
        }
        const TSkinKeyInfo* key = FindSkinKey(known, e.Key);
        if (!key) {
            c.Add(TSkinIssue::Warning, e.Line,
                  "unknown key '" + e.Key + "' in [" + s.Name + "]" +
                      DidYouMean(NearestName(e.Key, KeyNames(known))));
        } else if (key->Kind != TSkinValueKind::Unread) {
            CheckValue(c, *key, e, s.Name);
        }
    }
}

} // namespace

void CheckIniText(const TContext& c) {
    for (int line : c.Ini.LooseLines)
        c.Add(TSkinIssue::Warning, line, "line before the first section; never read");
    std::map<std::string, int> firstLine;
    for (const TIniSection& s : c.Ini.Sections) {
        const auto first = firstLine.emplace(Upper(s.Name), s.Line);
        if (!s.Live) {
            c.Add(TSkinIssue::Warning, s.Line,
                  "section [" + s.Name + "] repeated; only the first (line " +
                      std::to_string(first.first->second) + ") is read");
            continue;
        }
        if (!s.Name.empty() && (static_cast<unsigned char>(s.Name.front()) <= 32 ||
                                static_cast<unsigned char>(s.Name.back()) <= 32)) {
            c.Add(TSkinIssue::Warning, s.Line,
                  "section [" + s.Name +
                      "] has spaces inside its brackets; the engine never "
                      "finds it by name");
            continue;
        }
        const TSkinSectionInfo* known = FindSkinSection(s.Name);
        if (!known) {
            c.Add(TSkinIssue::Warning, s.Line,
                  "unknown section [" + s.Name + "]" +
                      DidYouMean(NearestName(s.Name, SectionNames())));
        } else if (known->Read) {
            CheckSectionKeys(c, s, *known);
        }
    }
}

} // namespace skin_check

using namespace skin_check;

int TSkinCheckResult::Errors() const {
    return static_cast<int>(std::count_if(Issues.begin(), Issues.end(), [](const TSkinIssue& i) {
        return i.Level == TSkinIssue::Error;
    }));
}

int TSkinCheckResult::Warnings() const {
    return static_cast<int>(Issues.size()) - Errors();
}

int TSkinCheckResult::ExitCode() const {
    return Errors() > 0 ? 2 : Warnings() > 0 ? 1 : 0;
}

std::string FormatSkinIssue(const TSkinIssue& issue) {
    std::string s = issue.File;
    if (issue.Line > 0)
        s += ":" + std::to_string(issue.Line);
    s += issue.Level == TSkinIssue::Error ? ": error: " : ": warning: ";
    return s + issue.Text;
}

TSkinCheckResult CheckSkinArchive(const TSkinReader& reader,
                                  const std::map<std::string, std::string>& displayNames) {
    TSkinCheckResult result;
    TMemoryStream file;
    std::string iniName;
    if (!reader.FindFileContaining(".ini", file, iniName)) {
        result.Issues.push_back({TSkinIssue::Error, "(skin)", 0, "the skin holds no .ini file"});
        return result;
    }
    const auto display = displayNames.find(iniName);
    const std::string shown = display != displayNames.end() ? display->second : iniName;
    const std::string text(reinterpret_cast<const char*>(file.Memory()),
                           static_cast<size_t>(file.Size()));
    const TIniText ini = ScanIni(text);
    const TContext c{reader, ini, shown, result};
    CheckIniText(c);
    CheckPictures(c);
    std::stable_sort(result.Issues.begin(), result.Issues.end(),
                     [](const TSkinIssue& a, const TSkinIssue& b) { return a.Line < b.Line; });
    return result;
}

namespace {

TSkinCheckResult Refused(const std::string& path, const std::string& why) {
    TSkinCheckResult r;
    r.Issues.push_back({TSkinIssue::Error, path, 0, why});
    return r;
}

std::vector<uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::string g_notice;
void KeepNotice(const std::string& text) {
    g_notice = text;
}

} // namespace

TSkinCheckResult CheckSkinPath(const std::string& path) {
    TSkinReader reader;
    std::map<std::string, std::string> names;
    try {
        if (fs::is_directory(path)) {
            std::vector<TSkinArchiveFile> files;
            for (const TSkinSource& s : SkinSources(path)) {
                files.push_back({s.name, ReadBytes(s.path)});
                std::string lower = s.name;
                std::transform(lower.begin(), lower.end(), lower.begin(), Lower);
                names.emplace(lower, s.name);
            }
            std::vector<uint8_t> archive = BuildSkinArchive(files);
            TMemoryStream stream;
            stream.WriteBuffer(archive.data(), static_cast<int32_t>(archive.size()));
            if (!reader.LoadUnpacked(stream))
                return Refused(path, "the folder does not make a skin archive");
        } else {
            const std::vector<uint8_t> bytes = ReadBytes(path);
            TReadOnlyMemoryStream src(bytes.data(), static_cast<int64_t>(bytes.size()));
            const TWrongMarkNoticeProc previous = SetWrongMarkNotice(KeepNotice);
            const bool ok = reader.Load(src);
            SetWrongMarkNotice(previous);
            if (!ok)
                return Refused(path, "not a usable skin archive (wrong mark, damaged directory "
                                     "or too large)");
        }
    } catch (const std::exception& e) {
        return Refused(path, e.what());
    }
    return CheckSkinArchive(reader, names);
}
