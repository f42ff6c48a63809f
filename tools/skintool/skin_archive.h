// Writing skin archives: the directory layout the skin reader expects,
// and the compressed skin stream around it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TSkinArchiveFile {
    std::string name;          // bare file name, ANSI bytes
    std::vector<uint8_t> data; // contents
};

// The unpacked archive: mark 20000, name block length, two zero words, the
// names each followed by CR LF, one 32-bit size per name, then the contents
// in the same order. Raises std::invalid_argument for an empty name, a name
// with a line break or NUL, or more entries than a reader accepts.
std::vector<uint8_t> BuildSkinArchive(const std::vector<TSkinArchiveFile>& files);

// BuildSkinArchive, LZH-compressed into a skin stream (size word + bits).
std::vector<uint8_t> PackSkinArchive(const std::vector<TSkinArchiveFile>& files);
