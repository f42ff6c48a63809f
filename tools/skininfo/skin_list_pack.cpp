// Packs a skin folder in the order of its archive list.
#include "tools/skininfo/skin_list_pack.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "tools/skintool/skin_archive.h"

namespace {

// Whole contents of a file, or an exception naming it.
std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

} // namespace

// The list's entries with their contents.
std::vector<TSkinArchiveFile> ReadSkinList(const std::string& listPath) {
    std::ifstream list(listPath);
    if (!list)
        throw std::runtime_error("cannot read " + listPath);
    size_t slash = listPath.find_last_of("/\\");
    std::string dir = slash == std::string::npos ? std::string() : listPath.substr(0, slash + 1);
    std::vector<TSkinArchiveFile> files;
    std::string line;
    while (std::getline(list, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        if (line.empty())
            continue;
        size_t cut = line.find_last_of("/\\");
        std::string name = cut == std::string::npos ? line : line.substr(cut + 1);
        files.push_back({name, ReadWholeFile(dir + line)});
    }
    return files;
}

// The list packed into a skin stream.
std::vector<uint8_t> PackSkinList(const std::string& listPath) {
    return PackSkinArchive(ReadSkinList(listPath));
}
