// Read-only parser of a skin's INI description: parsed once from a stream,
// then answers string and integer lookups and the list of sections.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "framework/core/strings.h"
#include "framework/core/object.h"

class TStream;

class TQuickIni : public TObject {
    LT_CLASS(TQuickIni, TObject)

public:
    TQuickIni() = default;
    virtual ~TQuickIni() = default;
    TQuickIni(const TQuickIni&) = delete;
    TQuickIni& operator=(const TQuickIni&) = delete;

    // Parses the text from the stream's position to its end (or its first
    // NUL byte), replacing earlier content. A null stream changes nothing.
    void LoadFromStream(TStream* stream);
    void LoadFromStream(TStream& stream) { LoadFromStream(&stream); }

    // Value of the first entry named key in the first section named section
    // (both compared without case); def when either is missing or that
    // entry's value is empty.
    std::string ReadString(std::string_view section, std::string_view key,
                           const std::string& def) const;
    // ReadString converted as a whole: decimal with optional sign, "$" or
    // "0x" followed by hexadecimal digits; def when it does not convert.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
    // Replaces target's content with every section name in file order.
    void ReadSections(TStringList& target) const;

    // Called with every section and key looked up (ReadString and
    // ReadInteger), so a test can list what a reader of the skin asks for.
    using TLookupObserver = std::function<void(std::string_view section, std::string_view key)>;
    void SetLookupObserver(TLookupObserver observer) { observer_ = std::move(observer); }

    // The kept (trimmed, non-comment) lines, and the section headers with
    // the index of each in Lines().
    const TStringList& Lines() const { return lines_; }
    const TStringList& Sections() const { return sections_; }
    int SectionLine(int i) const { return sectionLines_.at(static_cast<size_t>(i)); }

private:
    void Parse(std::string_view text);
    void AddLine(std::string_view line);

    TStringList lines_;
    TStringList sections_;
    std::vector<int> sectionLines_;
    // Each header lowercased, with the index in Lines() of its first
    // occurrence, so that a lookup finds its section without a scan.
    std::unordered_map<std::string, int> firstHeader_;
    TLookupObserver observer_;
};
