// System colour resolution.
#include "framework/gdi/color.h"

#ifdef _WIN32
#include <windows.h>
#endif

// Classic scheme values, indexed by system colour number.
uint32_t ClassicSysColor(int index) {
    static const uint32_t table[] = {
        0xC8C8C8, 0x000000, 0x6A240A, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000,
        0x000000, 0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x6A240A, 0xFFFFFF, 0xC0C0C0,
        0x808080, 0x808080, 0x000000, 0xC0C0C0, 0xFFFFFF, 0x404040, 0xC0C0C0, 0x000000,
        0xE1FFFF, 0xC0C0C0, 0x800000, 0xF0CAA6, 0xC0C0C0, 0x6A240A, 0xC0C0C0};
    if (index < 0 || index >= static_cast<int>(sizeof table / sizeof table[0])) {
        return 0;
    }
    return table[index];
}

// Resolves system colours; see the header.
uint32_t ColorToRGB(TColor color) {
    if (color >= 0) {
        return static_cast<uint32_t>(color);
    }
    const int index = color & 0xFF;
#ifdef _WIN32
    return static_cast<uint32_t>(GetSysColor(index)) & 0xFFFFFF;
#else
    return ClassicSysColor(index);
#endif
}
