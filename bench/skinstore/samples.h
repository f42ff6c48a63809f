// The skin store benchmarks' data sets, built once per run: a skin-sized
// synthetic archive, mixed data, and the project's own skin packed from its
// sources; each also LZH-packed by the skin tool's encoder.
#pragma once

#include <cstdint>
#include <vector>

namespace skinbench {

const std::vector<uint8_t>& SkinArchive();
const std::vector<uint8_t>& SkinPacked();
// `megabytes` of mixed data (3 or 4 are used).
const std::vector<uint8_t>& Mixed(int megabytes);
const std::vector<uint8_t>& MixedPacked(int megabytes);
// Empty when the skin sources are not found.
const std::vector<uint8_t>& OwnSkinArchive();
const std::vector<uint8_t>& OwnSkinPacked();

} // namespace skinbench
