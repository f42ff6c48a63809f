// Fuzzes the INI parser: parse arbitrary text, list the sections and look
// up keys taken from the text itself.
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/core/stream.h"
#include "framework/core/strings.h"
#include "skin/store/quick_ini.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TReadOnlyMemoryStream src(data, static_cast<int64_t>(size));
    TQuickIni ini;
    ini.LoadFromStream(src);
    TStringList sections;
    ini.ReadSections(sections);
    if (sections.Count() != ini.Sections().Count())
        __builtin_trap();
    const int lines = ini.Lines().Count();
    for (int s = 0; s < sections.Count() && s < 8; ++s) {
        for (int i = 0; i < lines && i < 32; ++i) {
            const std::string& line = ini.Lines()[i];
            const std::string key = line.substr(0, line.find('='));
            ini.ReadString(sections[s], key, "d");
            ini.ReadInteger(sections[s], key, 0);
        }
    }
    return 0;
}
