// The skin description's vocabulary: every section and key the skin loader
// reads, with the values it accepts, and the descriptive sections and keys
// skin files carry that the loader never reads. The checker works from this
// table; a Windows test compares it with the loader's own lookups both ways,
// so the two cannot drift apart unnoticed.
#pragma once

#include <string>
#include <vector>

// How a value is read.
enum class TSkinValueKind {
    Picture, // a .bmp name in the archive (its part after the last "\" or ":")
    Integer, // decimal, "$hex" or "0xhex", within [Min, Max]
    Colour,  // "R G B": three numbers 0..255
    Text,    // taken as it is
    Unread,  // part of skin files, not read by the loader
};

struct TSkinKeyInfo {
    std::string Key;
    TSkinValueKind Kind = TSkinValueKind::Text;
    long long Min = 0;
    long long Max = 0;
};

struct TSkinSectionInfo {
    std::string Name; // as skins write it
    // Pattern sections: Name is a prefix (caption buttons "Button...",
    // extra colours "Colour...").
    bool Prefix = false;
    // False for sections skin files carry that the loader never reads
    // (their keys are not checked).
    bool Read = true;
    std::vector<TSkinKeyInfo> Keys;
};

// Every known section, read ones first.
const std::vector<TSkinSectionInfo>& SkinVocabulary();

// The known section a header name belongs to (case-insensitive; prefix
// patterns tried after exact names), or null for an unknown section.
const TSkinSectionInfo* FindSkinSection(const std::string& name);
// The known key within a section (case-insensitive), or null.
const TSkinKeyInfo* FindSkinKey(const TSkinSectionInfo& section, const std::string& key);

// The known name nearest to `name` (case-insensitive edit distance), or ""
// when none is close enough to be a likely typo.
std::string NearestName(const std::string& name, const std::vector<std::string>& known);
