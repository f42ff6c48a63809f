// Test helper: assembles .bmp files byte by byte, so that the decoder tests
// do not depend on the encoder they check.
#pragma once

#include <cstdint>
#include <vector>

struct BmpBuilder {
    int HeaderSize = 40; // 12 (core) or 40
    int32_t Width = 1;
    int32_t Height = 1; // negative = top-down
    uint16_t Planes = 1;
    uint16_t Bits = 24;
    uint32_t Compression = 0;
    uint32_t ClrUsed = 0;
    std::vector<uint32_t> Palette; // 0x00RRGGBB
    std::vector<uint32_t> Masks;   // written after a 40-byte header
    std::vector<uint8_t> Pixels;   // raw pixel bytes as stored in the file
    int64_t OffBitsOverride = -1;

    static void P16(std::vector<uint8_t>& v, uint32_t x) {
        v.push_back(uint8_t(x));
        v.push_back(uint8_t(x >> 8));
    }
    static void P32(std::vector<uint8_t>& v, uint32_t x) {
        P16(v, x & 0xFFFF);
        P16(v, x >> 16);
    }
    // The complete file.
    std::vector<uint8_t> Build() const {
        std::vector<uint8_t> dib;
        P32(dib, uint32_t(HeaderSize));
        if (HeaderSize == 12) {
            P16(dib, uint32_t(Width));
            P16(dib, uint32_t(Height));
            P16(dib, Planes);
            P16(dib, Bits);
        } else {
            P32(dib, uint32_t(Width));
            P32(dib, uint32_t(Height));
            P16(dib, Planes);
            P16(dib, Bits);
            P32(dib, Compression);
            P32(dib, uint32_t(Pixels.size()));
            P32(dib, 0);
            P32(dib, 0);
            P32(dib, ClrUsed);
            P32(dib, 0);
            while (dib.size() < size_t(HeaderSize)) {
                dib.push_back(0);
            }
        }
        for (uint32_t m : Masks) {
            P32(dib, m);
        }
        for (uint32_t c : Palette) {
            dib.push_back(uint8_t(c));
            dib.push_back(uint8_t(c >> 8));
            dib.push_back(uint8_t(c >> 16));
            if (HeaderSize != 12) {
                dib.push_back(0);
            }
        }
        std::vector<uint8_t> file{'B', 'M'};
        const uint32_t off =
            OffBitsOverride >= 0 ? uint32_t(OffBitsOverride) : uint32_t(14 + dib.size());
        P32(file, uint32_t(14 + dib.size() + Pixels.size()));
        P32(file, 0);
        P32(file, off);
        file.insert(file.end(), dib.begin(), dib.end());
        file.insert(file.end(), Pixels.begin(), Pixels.end());
        return file;
    }
};
