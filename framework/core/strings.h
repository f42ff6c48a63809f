// TStringList: an ordered list of ANSI lines, each with an optional attached
// object pointer (not owned).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/persistent.h"

class TStream;

class TStringList : public TPersistent {
    LT_CLASS(TStringList, TPersistent)
public:
    TStringList() = default;
    TStringList(const TStringList& other) = default;
    TStringList& operator=(const TStringList& other) = default;

    int Count() const { return static_cast<int>(items_.size()); }
    // Line i; raises EListError when i is out of range.
    const std::string& Strings(int i) const;
    const std::string& operator[](int i) const { return Strings(i); }
    void SetStrings(int i, std::string s);
    // Object attached to line i (nullptr when none).
    TObject* Objects(int i) const;
    void SetObjects(int i, TObject* obj);

    // Appends a line; returns its index.
    int Add(std::string s) { return AddObject(std::move(s), nullptr); }
    int AddObject(std::string s, TObject* obj);
    // Inserts before index i (0..Count()).
    void Insert(int i, std::string s, TObject* obj = nullptr);
    void Delete(int i);
    void Clear() { items_.clear(); }
    // Index of the first line equal to s (by the CaseSensitive rule), or -1.
    int IndexOf(std::string_view s) const;
    // Index of the first line attached to obj, or -1.
    int IndexOfObject(const TObject* obj) const;

    // Case rule of IndexOf and the name lookups; ASCII letters only, so
    // double-byte ANSI text is compared byte for byte. Off by default.
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool on) { caseSensitive_ = on; }

    // "name=value" helpers: index of the first line whose name is name, or -1;
    // the value part of that line (empty when missing).
    int IndexOfName(std::string_view name) const;
    std::string Values(std::string_view name) const;
    // Name part of line i (text before the first '=').
    std::string Names(int i) const;

    // All lines, each followed by CR LF.
    std::string Text() const;
    // Replaces the content with the lines of text, split at CR, LF or CR LF;
    // a final line break does not make an empty last line.
    void SetText(std::string_view text);
    // Replaces the content with the text from the stream's position to its end.
    void LoadFromStream(TStream& src);
    // Writes Text() to the stream.
    void SaveToStream(TStream& dst) const;
    // Copies lines, objects and the case rule of another list.
    void Assign(const TStringList& other) { *this = other; }
    void Assign(const TPersistent& src) override;

    bool operator==(const TStringList& other) const;

private:
    struct Item {
        std::string text;
        TObject* object = nullptr;
        bool operator==(const Item&) const = default;
    };
    void Check(int i) const;
    bool Same(std::string_view a, std::string_view b) const;
    std::vector<Item> items_;
    bool caseSensitive_ = false;
};

// ASCII-only case-insensitive equality (bytes >= 0x80 compared exactly).
bool SameTextAscii(std::string_view a, std::string_view b);
