// Packs a skin folder in-process, in the order the skin tool uses (its
// archive.lst when present), so tests and benchmarks can load the project's
// own skin without a build step.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The folder's files packed into a skin stream (32-bit unpacked size, then
// the coded bits). Raises std::runtime_error when a file cannot be read.
std::vector<uint8_t> PackSkinFolder(const std::string& dir);
