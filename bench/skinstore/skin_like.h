// Synthetic inputs shaped like real skins: small 24-bit bitmaps with
// gradients, flat areas and the magenta key colour, and an INI description.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/skintool/skin_archive.h"

namespace skinbench {

// A 24-bit BMP of the given size drawn from seed.
std::vector<uint8_t> MakeBitmap(int width, int height, uint32_t seed);
// An INI description of about `bytes` bytes with sections and keys like a skin's.
std::string MakeIni(size_t bytes);
// Bitmaps plus one INI, together about `bytes` bytes unpacked.
std::vector<TSkinArchiveFile> MakeSkinFiles(size_t bytes);
// Mixed data: text, bitmaps, runs and random bytes in blocks.
std::vector<uint8_t> MakeMixed(size_t bytes);

} // namespace skinbench
