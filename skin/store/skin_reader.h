// Reader of a compressed skin archive: unpacks it, checks its mark, reads
// its directory and hands out the archived files by name.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "framework/core/stream.h"
#include "framework/core/object.h"
#include "framework/core/strings.h"

class TSkinReader : public TObject {
    LT_CLASS(TSkinReader, TObject)

public:
    static constexpr int32_t kArchiveMark = 20000;
    // Most entries an archive may list.
    static constexpr int kMaxEntries = 1001;
    // Largest unpacked archive accepted by default (skins are a few hundred KB).
    static constexpr int32_t kDefaultMaxUnpackedSize = 32 * 1024 * 1024;
    static constexpr const char* kOlderSkinMessage =
        "This is Older Skin File\rPlease update to new version !";

    TSkinReader() = default;
    virtual ~TSkinReader() = default;
    TSkinReader(const TSkinReader&) = delete;
    TSkinReader& operator=(const TSkinReader&) = delete;

    // Unpacks and parses the archive. False when the mark is wrong (the user
    // is told), or when the stream or its directory is damaged or too large
    // (refused silently); the reader is then empty.
    bool Load(TStream& compressed);
    // Decodes the compressed stream (size word, then coded bits) into target
    // from position 0. False, with nothing decoded, when the stream has no
    // size word or announces more than MaxUnpackedSize() bytes.
    bool Unpack(TStream& compressed, TStream& target);
    // The second half of Load: checks the mark of an unpacked archive and
    // takes over its directory and data.
    bool LoadUnpacked(TMemoryStream& archive);
    // Copies the first file named name (any case) into the emptied target and
    // rewinds it. False, target empty, when no name matches.
    bool FindFile(const std::string& name, TMemoryStream& target) const;
    // Copies the first file whose stored (lowercase) name contains fragment,
    // compared as given, into the emptied target, rewinds it and sets
    // foundName. False, target empty and foundName unchanged, when none does.
    bool FindFileContaining(const std::string& fragment, TMemoryStream& target,
                            std::string& foundName) const;

    // Directory after a successful Load: lowercase names in archive order,
    // their sizes, and each entry's contents.
    int Count() const { return count_; }
    const TStringList& Names() const { return names_; }
    int32_t Sizes(int i) const { return sizes_.at(static_cast<size_t>(i)); }
    void ReadEntry(int i, TMemoryStream& target) const;
    // Entry i's bytes in the reader's own store (Sizes(i) of them), valid
    // until the next load; null for an empty entry or an index out of range.
    const uint8_t* EntryData(int i) const;
    // The four header words of the last archive read (mark, name block
    // length, two reserved words).
    const std::array<int32_t, 4>& Header() const { return header_; }

    int32_t MaxUnpackedSize() const { return maxUnpackedSize_; }
    void SetMaxUnpackedSize(int32_t bytes) { maxUnpackedSize_ = bytes; }

private:
    void Reset();
    bool UnpackInto(TStream& compressed, TStream& target, TMemoryStream* room);
    bool TakeArchive();
    bool ParseDirectory();
    void CopyEntry(int i, int64_t offset, TMemoryStream& target) const;

    TStringList names_;
    int count_ = 0;
    std::array<int32_t, kMaxEntries> sizes_{};
    std::array<int64_t, kMaxEntries> offsets_{};
    mutable TMemoryStream data_; // the whole unpacked archive
    int64_t dataStart_ = 0;      // where its data block starts
    std::array<int32_t, 4> header_{};
    int32_t maxUnpackedSize_ = kDefaultMaxUnpackedSize;
};
