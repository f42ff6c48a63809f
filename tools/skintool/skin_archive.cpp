// Skin archive writer.
#include "tools/skintool/skin_archive.h"

#include <stdexcept>

#include "skin/store/skin_reader.h"
#include "tools/skintool/lzh_encoder.h"

namespace {

void PutLe32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void CheckName(const std::string& name) {
    if (name.empty())
        throw std::invalid_argument("empty file name");
    for (char c : name) {
        if (c == '\r' || c == '\n' || c == '\0') {
            throw std::invalid_argument("file name with a line break or NUL: " + name);
        }
    }
}

} // namespace

std::vector<uint8_t> BuildSkinArchive(const std::vector<TSkinArchiveFile>& files) {
    if (files.size() > static_cast<size_t>(TSkinReader::kMaxEntries)) {
        throw std::invalid_argument("too many files for one skin archive (at most 1001)");
    }
    std::string nameBlock;
    uint64_t total = 0;
    for (const TSkinArchiveFile& f : files) {
        CheckName(f.name);
        nameBlock += f.name;
        nameBlock += "\r\n";
        total += f.data.size();
    }
    total += 16 + nameBlock.size() + 4 * files.size();
    if (total > static_cast<uint64_t>(TSkinReader::kDefaultMaxUnpackedSize)) {
        throw std::invalid_argument("skin archive larger than a reader accepts");
    }
    std::vector<uint8_t> out;
    out.reserve(static_cast<size_t>(total));
    PutLe32(out, static_cast<uint32_t>(TSkinReader::kArchiveMark));
    PutLe32(out, static_cast<uint32_t>(nameBlock.size()));
    PutLe32(out, 0);
    PutLe32(out, 0);
    out.insert(out.end(), nameBlock.begin(), nameBlock.end());
    for (const TSkinArchiveFile& f : files)
        PutLe32(out, static_cast<uint32_t>(f.data.size()));
    for (const TSkinArchiveFile& f : files)
        out.insert(out.end(), f.data.begin(), f.data.end());
    return out;
}

std::vector<uint8_t> PackSkinArchive(const std::vector<TSkinArchiveFile>& files) {
    return LzhEncode(BuildSkinArchive(files));
}
