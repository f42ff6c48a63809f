// Pieces the checker's two halves share: the INI as lines with their
// numbers (read by the same rules as the engine's parser), and the issue
// list being filled.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/skintool/skin_check.h"

class TSkinReader;

namespace skin_check {

struct TIniEntry {
    int Line = 0;
    std::string Key; // trimmed, as written; empty for a line without "="
    std::string Value;
    bool HasEquals = false;
};

struct TIniSection {
    int Line = 0;
    std::string Name; // between the brackets, as written
    bool Live = true; // false for a repeat of an earlier header (never read)
    std::vector<TIniEntry> Entries;
};

// The INI's kept lines: trimmed, blank and ";" lines dropped, text ending at
// the first NUL, lines ending at CR, LF or CR LF.
struct TIniText {
    std::vector<TIniSection> Sections;
    std::vector<int> LooseLines; // entries before the first header

    // The entry the engine reads for section/key (first live section whose
    // whole header matches, first entry with that key), or null.
    const TIniEntry* Find(const std::string& section, const std::string& key) const;
    // The live section of that name, or null.
    const TIniSection* FindSection(const std::string& section) const;
    // The value the engine reads: empty when the key is missing or empty.
    std::string Value(const std::string& section, const std::string& key) const;
    // ReadInteger's answer, or nullopt when the value is missing or does not convert.
    std::optional<int32_t> Integer(const std::string& section, const std::string& key) const;
    int32_t Integer(const std::string& section, const std::string& key, int32_t def) const;
    // Line to blame for section/key: the entry's, else the section's, else 0.
    int LineOf(const std::string& section, const std::string& key) const;
};

TIniText ScanIni(const std::string& text);

// The issue list and the names messages use.
struct TContext {
    const TSkinReader& Reader;
    const TIniText& Ini;
    std::string IniName;
    TSkinCheckResult& Result;

    void Add(TSkinIssue::TLevel level, int line, const std::string& text) const {
        Result.Issues.push_back({level, IniName, line, text});
    }
};

// Key-by-key checks of the INI: unknown, repeated, malformed, out of range.
void CheckIniText(const TContext& c);
// Pictures and the objects drawn from them.
void CheckPictures(const TContext& c);

bool SameText(const std::string& a, const std::string& b);
std::string Upper(std::string s);

} // namespace skin_check
