// Fuzzes the skin archive reader. An even first byte feeds the rest as a
// compressed skin stream; an odd one feeds it as an unpacked archive, which
// reaches the directory checks without going through the decoder.
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/core/stream.h"
#include "skin/store/wrong_mark_notice.h"
#include "skin/store/skin_reader.h"

namespace {
void Quiet(const std::string&) {}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    SetWrongMarkNotice(Quiet);
    TSkinReader reader;
    // Keeps each run fast; the size checks are the same at any limit.
    reader.SetMaxUnpackedSize(1 << 16);
    bool loaded;
    if (data[0] & 1) {
        TMemoryStream archive;
        archive.WriteBuffer(data + 1, static_cast<int32_t>(size - 1));
        loaded = reader.LoadUnpacked(archive);
    } else {
        TReadOnlyMemoryStream src(data + 1, static_cast<int64_t>(size - 1));
        loaded = reader.Load(src);
    }
    if (!loaded) {
        if (reader.Count() != 0)
            __builtin_trap();
        return 0;
    }
    TMemoryStream file;
    for (int i = 0; i < reader.Count(); ++i) {
        reader.ReadEntry(i, file);
        if (file.Size() != reader.Sizes(i))
            __builtin_trap();
        if (!reader.FindFile(reader.Names()[i], file))
            __builtin_trap();
    }
    std::string found;
    reader.FindFileContaining(".ini", file, found);
    return 0;
}
