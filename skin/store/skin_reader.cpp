// Skin archive reader: unpacking, directory parsing and lookups by name.
#include "skin/store/skin_reader.h"

#include <algorithm>

#include "framework/core/class_builder.h"
#include "skin/store/lzh.h"
#include "skin/store/wrong_mark_notice.h"

LT_CLASS_TABLE(TSkinReader) {}

namespace {

// Little-endian 32-bit value at p.
int32_t ReadLe32(const uint8_t* p) {
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                                (static_cast<uint32_t>(p[2]) << 16) |
                                (static_cast<uint32_t>(p[3]) << 24));
}

// Lowercases ASCII letters only; other bytes (double-byte text) stay as they are.
std::string LowerAscii(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

} // namespace

void TSkinReader::Reset() {
    names_.Clear();
    count_ = 0;
    sizes_.fill(0);
    offsets_.fill(0);
    data_.Clear();
    dataStart_ = 0;
    header_.fill(0);
}

bool TSkinReader::Unpack(TStream& compressed, TStream& target) {
    return UnpackInto(compressed, target, nullptr);
}

// Reads the size word and decodes the coded bits that follow it; `room`,
// when given, is given space for the whole output first so that it does not
// grow (and move) block by block.
bool TSkinReader::UnpackInto(TStream& compressed, TStream& target, TMemoryStream* room) {
    compressed.SetPosition(0);
    target.SetPosition(0);
    uint8_t word[4];
    if (compressed.Read(word, 4) != 4)
        return false;
    const int32_t size = ReadLe32(word);
    if (size > maxUnpackedSize_)
        return false;
    if (room && size > 0) {
        room->SetSize(size);
        room->SetSize(0);
    }
    TLZH lzh;
    lzh.SetSourceStream(&compressed);
    lzh.SetTargetStream(&target);
    lzh.Decode(size);
    return true;
}

// Unpacks the archive straight into the reader's own store, then checks its
// mark and reads its directory there.
bool TSkinReader::Load(TStream& compressed) {
    Reset();
    try {
        if (!UnpackInto(compressed, data_, &data_)) {
            Reset();
            return false;
        }
    } catch (...) {
        Reset();
        throw;
    }
    return TakeArchive();
}

bool TSkinReader::LoadUnpacked(TMemoryStream& archive) {
    Reset();
    data_.SetSize(archive.Size());
    if (archive.Size() > 0)
        std::copy(archive.Memory(), archive.Memory() + archive.Size(), data_.Memory());
    return TakeArchive();
}

// Checks the mark of the archive held in data_ and reads its directory;
// the reader is emptied when either is wrong.
bool TSkinReader::TakeArchive() {
    if (data_.Size() < 16) {
        Reset();
        return false;
    }
    const uint8_t* bytes = data_.Memory();
    for (int i = 0; i < 4; ++i)
        header_[i] = ReadLe32(bytes + 4 * i);
    if (header_[0] != kArchiveMark) {
        Reset();
        ShowWrongMarkNotice(kOlderSkinMessage);
        return false;
    }
    if (!ParseDirectory()) {
        Reset();
        return false;
    }
    return true;
}

// Names, size table and where the data block starts; refuses a directory
// that would reach past the archive or list more entries than the size
// table holds.
bool TSkinReader::ParseDirectory() {
    const int64_t total = data_.Size();
    const uint8_t* bytes = data_.Memory();
    const int64_t nameLength = header_[1];
    if (nameLength < 0 || nameLength > total - 16)
        return false;
    names_.SetText(LowerAscii(
        std::string(reinterpret_cast<const char*>(bytes + 16), static_cast<size_t>(nameLength))));
    const int count = names_.Count();
    if (count > kMaxEntries)
        return false;
    const int64_t dataStart = 16 + nameLength + 4 * static_cast<int64_t>(count);
    if (dataStart > total)
        return false;
    int64_t offset = 0;
    for (int i = 0; i < count; ++i) {
        const int32_t size = ReadLe32(bytes + 16 + nameLength + 4 * i);
        if (size < 0 || size > total - dataStart - offset)
            return false;
        sizes_[i] = size;
        offsets_[i] = offset;
        offset += size;
    }
    count_ = count;
    dataStart_ = dataStart;
    data_.SetPosition(0);
    return true;
}

// Copies entry i, which starts offset bytes into the data block.
void TSkinReader::CopyEntry(int i, int64_t offset, TMemoryStream& target) const {
    if (sizes_[i] > 0)
        target.WriteBuffer(data_.Memory() + dataStart_ + offset, sizes_[i]);
    target.SetPosition(0);
}

const uint8_t* TSkinReader::EntryData(int i) const {
    if (i < 0 || i >= count_ || sizes_[i] == 0)
        return nullptr;
    return data_.Memory() + dataStart_ + offsets_[i];
}

void TSkinReader::ReadEntry(int i, TMemoryStream& target) const {
    target.Clear();
    if (i < 0 || i >= count_)
        return;
    CopyEntry(i, offsets_[i], target);
}

// The walk keeps its own running offset; the first matching name wins.
bool TSkinReader::FindFile(const std::string& name, TMemoryStream& target) const {
    target.Clear();
    const std::string wanted = LowerAscii(name);
    int64_t offset = 0;
    for (int i = 0; i < count_; ++i) {
        if (names_[i] == wanted) {
            CopyEntry(i, offset, target);
            return true;
        }
        offset += sizes_[i];
    }
    return false;
}

bool TSkinReader::FindFileContaining(const std::string& fragment, TMemoryStream& target,
                                     std::string& foundName) const {
    target.Clear();
    int64_t offset = 0;
    for (int i = 0; i < count_; ++i) {
        if (names_[i].find(fragment) != std::string::npos) {
            CopyEntry(i, offset, target);
            foundName = names_[i];
            return true;
        }
        offset += sizes_[i];
    }
    return false;
}
