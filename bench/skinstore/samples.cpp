// The benchmarks' data sets; see the header.
#include "bench/skinstore/samples.h"

#include <fstream>
#include <iterator>
#include <map>

#include "bench/skinstore/skin_like.h"
#include "tools/skintool/lzh_encoder.h"
#include "tools/skintool/skintool_commands.h"

namespace skinbench {

const std::vector<uint8_t>& SkinArchive() {
    static const std::vector<uint8_t> a = BuildSkinArchive(MakeSkinFiles(128 * 1024));
    return a;
}
const std::vector<uint8_t>& SkinPacked() {
    static const std::vector<uint8_t> p = LzhEncode(SkinArchive());
    return p;
}

const std::vector<uint8_t>& Mixed(int megabytes) {
    static std::map<int, std::vector<uint8_t>> sets;
    auto it = sets.find(megabytes);
    if (it == sets.end())
        it = sets.emplace(megabytes, MakeMixed(static_cast<size_t>(megabytes) << 20)).first;
    return it->second;
}
const std::vector<uint8_t>& MixedPacked(int megabytes) {
    static std::map<int, std::vector<uint8_t>> sets;
    auto it = sets.find(megabytes);
    if (it == sets.end())
        it = sets.emplace(megabytes, LzhEncode(Mixed(megabytes))).first;
    return it->second;
}

const std::vector<uint8_t>& OwnSkinArchive() {
    static const std::vector<uint8_t> a = [] {
        std::vector<TSkinArchiveFile> files;
        try {
            for (const TSkinSource& src : SkinSources(LT_OWN_SKIN_DIR)) {
                std::ifstream in(src.path, std::ios::binary);
                files.push_back({src.name, std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                                                std::istreambuf_iterator<char>())});
            }
        } catch (const std::exception&) {
            return std::vector<uint8_t>();
        }
        return BuildSkinArchive(files);
    }();
    return a;
}
const std::vector<uint8_t>& OwnSkinPacked() {
    static const std::vector<uint8_t> p = LzhEncode(OwnSkinArchive());
    return p;
}

} // namespace skinbench
