// Synthetic skin-shaped inputs for the skin store benchmarks.
#include "bench/skinstore/skin_like.h"

#include <random>

namespace skinbench {

namespace {
void PutLe(std::vector<uint8_t>& b, uint32_t v, int n) {
    for (int i = 0; i < n; ++i)
        b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
} // namespace

std::vector<uint8_t> MakeBitmap(int width, int height, uint32_t seed) {
    std::mt19937 rng(seed);
    const int stride = (width * 3 + 3) & ~3;
    std::vector<uint8_t> b;
    b.reserve(54 + static_cast<size_t>(stride) * height);
    b.push_back('B');
    b.push_back('M');
    PutLe(b, 54 + stride * height, 4);
    PutLe(b, 0, 4);
    PutLe(b, 54, 4);
    PutLe(b, 40, 4);
    PutLe(b, static_cast<uint32_t>(width), 4);
    PutLe(b, static_cast<uint32_t>(height), 4);
    PutLe(b, 1, 2);
    PutLe(b, 24, 2);
    PutLe(b, 0, 4);
    PutLe(b, static_cast<uint32_t>(stride * height), 4);
    PutLe(b, 2835, 4);
    PutLe(b, 2835, 4);
    PutLe(b, 0, 4);
    PutLe(b, 0, 4);
    const int base = static_cast<int>(rng() % 200);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool corner = (x < 2 || x >= width - 2) && (y < 2 || y >= height - 2);
            if (corner) { // transparent key colour in the rounded corners
                b.insert(b.end(), {0xFF, 0x00, 0xFF});
                continue;
            }
            const bool edge = x == 0 || y == 0 || x == width - 1 || y == height - 1;
            const int shade = base + y * 40 / height + (edge ? 30 : 0);
            const int noise = (rng() % 3 == 0) ? static_cast<int>(rng() % 9) : 0;
            b.push_back(static_cast<uint8_t>(std::min(255, shade + 40 + noise)));
            b.push_back(static_cast<uint8_t>(std::min(255, shade / 2 + noise)));
            b.push_back(static_cast<uint8_t>(std::min(255, shade / 3)));
        }
        for (int p = width * 3; p < stride; ++p)
            b.push_back(0);
    }
    return b;
}

std::string MakeIni(size_t bytes) {
    static const char* parts[] = {"Border", "Caption", "Button", "CheckBox",
                                  "Radio",  "Scroll",  "Tab",    "Menu"};
    static const char* keys[] = {"Picture", "LeftWidth", "TopHeight",  "RightWidth", "BottomHeight",
                                 "Trans",   "Tile",      "FrameCount", "Color",      "Font"};
    std::string s = "[Personality]\r\nSkinName=Synthetic Blue\r\nAuthor=bench\r\n\r\n";
    for (int i = 0; s.size() < bytes; ++i) {
        s.append("[").append(parts[i % 8]).append(std::to_string(i / 8)).append("]\r\n");
        for (int k = 0; k < 10 && s.size() < bytes; ++k) {
            s.append(keys[k]).append("=");
            if (k == 0) {
                s.append("blue_").append(parts[i % 8]).append(std::to_string(i)).append(".bmp");
            } else {
                s.append(std::to_string((i * 7 + k * 3) % 40));
            }
            s.append("\r\n");
        }
    }
    s.resize(bytes);
    return s;
}

std::vector<TSkinArchiveFile> MakeSkinFiles(size_t bytes) {
    const std::string ini = MakeIni(7000);
    std::vector<TSkinArchiveFile> files;
    size_t total = ini.size();
    static const int sizes[][2] = {{30, 30}, {21, 21}, {64, 22}, {13, 13}, {40, 18}, {16, 60}};
    for (uint32_t i = 0; total < bytes; ++i) {
        const int* wh = sizes[i % 6];
        std::vector<uint8_t> bmp = MakeBitmap(wh[0], wh[1], i);
        if (total + bmp.size() > bytes)
            bmp.resize(bytes - total);
        total += bmp.size();
        files.push_back({"blue_part" + std::to_string(i) + ".bmp", std::move(bmp)});
    }
    files.push_back({"synthetic.ini", std::vector<uint8_t>(ini.begin(), ini.end())});
    return files;
}

std::vector<uint8_t> MakeMixed(size_t bytes) {
    std::mt19937 rng(99);
    std::vector<uint8_t> out;
    out.reserve(bytes);
    for (uint32_t block = 0; out.size() < bytes; ++block) {
        switch (block % 4) {
        case 0: {
            const std::string t = MakeIni(16000 + block * 37 % 5000);
            out.insert(out.end(), t.begin(), t.end());
            break;
        }
        case 1: {
            const std::vector<uint8_t> b = MakeBitmap(100, 60, block);
            out.insert(out.end(), b.begin(), b.end());
            break;
        }
        case 2:
            out.insert(out.end(), 3000 + rng() % 3000, static_cast<uint8_t>(rng()));
            break;
        default:
            for (int i = 0; i < 8000; ++i)
                out.push_back(static_cast<uint8_t>(rng()));
            break;
        }
    }
    out.resize(bytes);
    return out;
}

} // namespace skinbench
