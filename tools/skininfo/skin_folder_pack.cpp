// Packs a skin folder with the skin tool's order and archive writer.
#include "tools/skininfo/skin_folder_pack.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "tools/skintool/skin_archive.h"
#include "tools/skintool/skintool_commands.h"

// Reads every source file of the folder and packs them.
std::vector<uint8_t> PackSkinFolder(const std::string& dir) {
    std::vector<TSkinArchiveFile> files;
    for (const TSkinSource& source : SkinSources(dir)) {
        std::ifstream in(source.path, std::ios::binary);
        if (!in)
            throw std::runtime_error("cannot read " + source.path.string());
        files.push_back(
            {source.name, std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {})});
    }
    return PackSkinArchive(files);
}
