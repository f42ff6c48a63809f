// Packs a skin folder into a skin stream in the order its archive list gives
// (one path per line, relative to the list's folder; the archive name of an
// entry is the path's file-name part, so one name may be stored twice).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TSkinArchiveFile;

// The files named by the list, in order. Raises std::runtime_error when the
// list or one of its files cannot be read.
std::vector<TSkinArchiveFile> ReadSkinList(const std::string& listPath);
// ReadSkinList, packed: the 32-bit unpacked size, then the coded bits.
std::vector<uint8_t> PackSkinList(const std::string& listPath);
