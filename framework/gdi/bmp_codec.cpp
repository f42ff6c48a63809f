// BMP decoding and encoding. Every size read from the file is checked against
// the bytes actually present before anything is allocated or copied.
#include "framework/gdi/bmp_codec.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3;

// Little-endian reads from a buffer whose bounds the caller has checked.
uint16_t Get16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t Get32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
void Put16(std::vector<uint8_t>& v, uint16_t x) {
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
    for (int i = 0; i < 4; ++i) {
        v.push_back(static_cast<uint8_t>(x >> (8 * i)));
    }
}

// What the info header says about the pixels.
struct Header {
    int Width = 0;
    int Height = 0; // always positive here
    bool TopDown = false;
    int Bits = 0;
    uint32_t Compression = kRgb;
    uint32_t Masks[3] = {0, 0, 0}; // red, green, blue for bit fields
    size_t PaletteOffset = 0;      // within the DIB
    size_t PaletteEntrySize = 4;
    size_t PaletteCount = 0; // entries present in the file
    size_t HeaderEnd = 0;    // offset just past header, masks and palette
};

// One colour channel described by a bit mask, scaled to 0..255.
struct Channel {
    uint32_t Mask = 0;
    int Shift = 0;
    int Bits = 0;
    uint8_t Get(uint32_t px) const {
        if (Mask == 0) {
            return 0;
        }
        const uint32_t v = (px & Mask) >> Shift;
        if (Bits >= 8) {
            return static_cast<uint8_t>(v >> (Bits - 8));
        }
        return static_cast<uint8_t>(v * 255 / ((1u << Bits) - 1));
    }
};

// Builds a channel reader; a mask whose bits are not contiguous is refused.
bool MakeChannel(uint32_t mask, Channel& c) {
    c.Mask = mask;
    if (mask == 0) {
        return true;
    }
    c.Shift = std::countr_zero(mask);
    c.Bits = std::popcount(mask);
    return (mask >> c.Shift) == ((c.Bits == 32) ? 0xFFFFFFFFu : ((1u << c.Bits) - 1));
}

bool Fail(std::string& error, const char* why) {
    error = why;
    return false;
}

// Reads the info header (core or Windows form) at the start of `dib`.
bool ParseHeader(const uint8_t* dib, size_t size, Header& h, std::string& error) {
    if (size < 4) {
        return Fail(error, "truncated info header");
    }
    const uint32_t headerSize = Get32(dib);
    if (headerSize != 12 && headerSize < 40) {
        return Fail(error, "unknown info header size");
    }
    if (headerSize > size) {
        return Fail(error, "truncated info header");
    }
    int64_t width = 0, height = 0;
    uint32_t planes = 0, clrUsed = 0;
    if (headerSize == 12) {
        width = Get16(dib + 4);
        height = static_cast<int16_t>(Get16(dib + 6));
        planes = Get16(dib + 8);
        h.Bits = Get16(dib + 10);
        h.PaletteEntrySize = 3;
    } else {
        width = static_cast<int32_t>(Get32(dib + 4));
        height = static_cast<int32_t>(Get32(dib + 8));
        planes = Get16(dib + 12);
        h.Bits = Get16(dib + 14);
        h.Compression = Get32(dib + 16);
        clrUsed = Get32(dib + 32);
    }
    if (planes != 1) {
        return Fail(error, "plane count is not 1");
    }
    h.TopDown = height < 0;
    height = height < 0 ? -height : height;
    if (width <= 0 || height <= 0) {
        return Fail(error, "empty or negative size");
    }
    if (width > kBmpMaxSide || height > kBmpMaxSide || width * height > kBmpMaxPixels) {
        return Fail(error, "picture too large");
    }
    h.Width = static_cast<int>(width);
    h.Height = static_cast<int>(height);
    size_t pos = headerSize;
    switch (h.Bits) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return Fail(error, "unsupported bit count");
    }
    const bool rleOk =
        (h.Compression == kRle8 && h.Bits == 8) || (h.Compression == kRle4 && h.Bits == 4);
    const bool fieldsOk = h.Compression == kBitfields && (h.Bits == 16 || h.Bits == 32);
    if (h.Compression != kRgb && !rleOk && !fieldsOk) {
        return Fail(error, "unsupported compression");
    }
    if (rleOk && h.TopDown) {
        return Fail(error, "compressed picture cannot be top-down");
    }
    if (h.Compression == kBitfields) {
        if (headerSize == 40) { // masks follow the short header
            if (size < pos + 12) {
                return Fail(error, "truncated colour masks");
            }
            pos += 12;
        } else if (headerSize < 52) {
            return Fail(error, "info header too short for colour masks");
        }
        for (int i = 0; i < 3; ++i) {
            h.Masks[i] = Get32(dib + 40 + 4 * i);
        }
    } else if (h.Bits == 16) {
        h.Masks[0] = 0x7C00, h.Masks[1] = 0x03E0, h.Masks[2] = 0x001F;
    } else if (h.Bits == 32) {
        h.Masks[0] = 0xFF0000, h.Masks[1] = 0xFF00, h.Masks[2] = 0xFF;
    }
    h.PaletteOffset = pos;
    if (h.Bits <= 8) {
        const size_t full = size_t{1} << h.Bits;
        h.PaletteCount = (clrUsed == 0 || clrUsed > full) ? full : clrUsed;
        if ((size - pos) / h.PaletteEntrySize < h.PaletteCount) {
            return Fail(error, "truncated palette");
        }
        pos += h.PaletteCount * h.PaletteEntrySize;
    }
    h.HeaderEnd = pos;
    return true;
}

// Copies uncompressed rows of 1/4/8/24-bit or standard 32-bit pictures.
void CopyRows(const Header& h, const uint8_t* bits, TBmpImage& out) {
    const size_t stride = out.Stride();
    for (int y = 0; y < h.Height; ++y) {
        const int src = h.TopDown ? y : h.Height - 1 - y;
        std::memcpy(out.Pixels.data() + y * stride, bits + src * stride, stride);
    }
}

// Converts 16-bit or bit-field 32-bit rows to 24 or 32 bits through masks.
bool ConvertMaskedRows(const Header& h, const uint8_t* bits, TBmpImage& out, std::string& error) {
    Channel ch[3];
    for (int i = 0; i < 3; ++i) {
        if (!MakeChannel(h.Masks[i], ch[i])) {
            return Fail(error, "colour mask bits are not contiguous");
        }
    }
    const size_t srcStride = TBmpImage::RowStride(h.Width, h.Bits);
    const int outBytes = out.BitsPerPixel / 8;
    for (int y = 0; y < h.Height; ++y) {
        const uint8_t* s = bits + (h.TopDown ? y : h.Height - 1 - y) * srcStride;
        uint8_t* d = out.Pixels.data() + y * out.Stride();
        for (int x = 0; x < h.Width; ++x, d += outBytes) {
            const uint32_t px = h.Bits == 16 ? Get16(s + 2 * x) : Get32(s + 4 * x);
            d[0] = ch[2].Get(px);
            d[1] = ch[1].Get(px);
            d[2] = ch[0].Get(px);
        }
    }
    return true;
}

// Sets index `v` of pixel (x, row) in a top-down 4- or 8-bit image.
void PutIndex(TBmpImage& out, int x, int row, uint8_t v) {
    uint8_t* line = out.Pixels.data() + row * out.Stride();
    if (out.BitsPerPixel == 8) {
        line[x] = v;
    } else if (x & 1) {
        line[x / 2] = static_cast<uint8_t>((line[x / 2] & 0xF0) | (v & 0x0F));
    } else {
        line[x / 2] = static_cast<uint8_t>((line[x / 2] & 0x0F) | (v << 4));
    }
}

// Expands RLE8 or RLE4 data. Pixels that fall outside the picture are dropped;
// data that ends before the end-of-bitmap marker is an error.
bool DecodeRle(const Header& h, const uint8_t* p, size_t n, TBmpImage& out, std::string& error) {
    const bool four = h.Compression == kRle4;
    int x = 0, y = 0; // y counts rows from the bottom
    size_t i = 0;
    auto put = [&](uint8_t v) {
        if (x < h.Width && y < h.Height) {
            PutIndex(out, x, h.Height - 1 - y, v);
        }
        ++x;
    };
    while (i + 2 <= n) {
        const uint8_t count = p[i], value = p[i + 1];
        i += 2;
        if (count > 0) {
            for (int k = 0; k < count; ++k) {
                put(four ? ((k & 1) ? (value & 0x0F) : (value >> 4)) : value);
            }
        } else if (value == 0) {
            x = 0, ++y;
        } else if (value == 1) {
            return true;
        } else if (value == 2) {
            if (i + 2 > n) {
                break;
            }
            x += p[i], y += p[i + 1];
            i += 2;
        } else {
            const size_t bytes = four ? (value + 1) / 2 : value;
            const size_t padded = (bytes + 1) & ~size_t{1};
            if (n - i < padded) {
                break;
            }
            for (int k = 0; k < value; ++k) {
                put(four ? ((k & 1) ? (p[i + k / 2] & 0x0F) : (p[i + k / 2] >> 4)) : p[i + k]);
            }
            i += padded;
        }
        // Past the right or top edge nothing more is drawn; keeping the
        // counters there stops them from growing without bound.
        x = std::min(x, h.Width);
        y = std::min(y, h.Height);
    }
    return Fail(error, "compressed data ends without end-of-bitmap marker");
}

// Decodes pixels described by `h` found at `bits` (n bytes available).
bool DecodePixels(const Header& h, const uint8_t* bits, size_t n, TBmpImage& out,
                  std::string& error) {
    const bool masked = h.Bits == 16 || (h.Bits == 32 && h.Compression == kBitfields);
    const bool rle = h.Compression == kRle4 || h.Compression == kRle8;
    out.Width = h.Width;
    out.Height = h.Height;
    out.BitsPerPixel = h.Bits == 16 ? 24 : h.Bits;
    if (!rle) {
        const uint64_t need = TBmpImage::RowStride(h.Width, h.Bits) * uint64_t(h.Height);
        if (need > n) {
            return Fail(error, "truncated pixel data");
        }
    }
    out.Pixels.assign(out.Stride() * h.Height, 0);
    if (rle) {
        return DecodeRle(h, bits, n, out, error);
    }
    if (masked) {
        return ConvertMaskedRows(h, bits, out, error);
    }
    CopyRows(h, bits, out);
    return true;
}

// Decodes a DIB; `bitsOffset` is where the pixels start within it (0 = right
// after the palette).
bool DecodeDibAt(const uint8_t* dib, size_t size, size_t bitsOffset, TBmpImage& out,
                 std::string& error) {
    Header h;
    if (!ParseHeader(dib, size, h, error)) {
        return false;
    }
    if (bitsOffset == 0) {
        bitsOffset = h.HeaderEnd;
    }
    if (bitsOffset < h.HeaderEnd && h.Bits <= 8) {
        return Fail(error, "pixel data overlaps the palette");
    }
    if (bitsOffset > size) {
        return Fail(error, "pixel data offset beyond the end of the file");
    }
    if (h.Bits <= 8) {
        out.Palette.assign(size_t{1} << h.Bits, 0);
        for (size_t i = 0; i < h.PaletteCount; ++i) {
            const uint8_t* e = dib + h.PaletteOffset + i * h.PaletteEntrySize;
            out.Palette[i] = e[0] | (e[1] << 8) | (e[2] << 16);
        }
    }
    return DecodePixels(h, dib + bitsOffset, size - bitsOffset, out, error);
}

} // namespace

// Decodes a .bmp file; see the header.
bool DecodeBmp(const uint8_t* data, size_t size, TBmpImage& out, std::string& error) {
    out = TBmpImage{};
    if (data == nullptr || size < 14 + 12) {
        return Fail(error, "file too short");
    }
    if (data[0] != 'B' || data[1] != 'M') {
        return Fail(error, "not a BMP file");
    }
    const uint32_t offBits = Get32(data + 10);
    if (offBits != 0 && offBits < 14 + 12) {
        return Fail(error, "pixel data offset inside the headers");
    }
    const bool ok = DecodeDibAt(data + 14, size - 14, offBits == 0 ? 0 : offBits - 14, out, error);
    if (!ok) {
        out = TBmpImage{};
    }
    return ok;
}

// Decodes a packed DIB; see the header.
bool DecodeDib(const uint8_t* data, size_t size, TBmpImage& out, std::string& error) {
    out = TBmpImage{};
    if (data == nullptr) {
        return Fail(error, "no data");
    }
    const bool ok = DecodeDibAt(data, size, 0, out, error);
    if (!ok) {
        out = TBmpImage{};
    }
    return ok;
}

// Encodes an image as a bottom-up .bmp file; see the header.
std::vector<uint8_t> EncodeBmp(const TBmpImage& image) {
    const int bits = image.BitsPerPixel;
    if (image.Empty() || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) ||
        image.Width > kBmpMaxSide || image.Height > kBmpMaxSide) {
        return {};
    }
    const size_t stride = image.Stride();
    if (image.Pixels.size() < stride * image.Height) {
        return {};
    }
    const size_t colours = bits <= 8 ? (size_t{1} << bits) : 0;
    const size_t offBits = 14 + 40 + 4 * colours;
    const size_t total = offBits + stride * image.Height;
    std::vector<uint8_t> v;
    v.reserve(total);
    v.push_back('B');
    v.push_back('M');
    Put32(v, static_cast<uint32_t>(total));
    Put32(v, 0);
    Put32(v, static_cast<uint32_t>(offBits));
    Put32(v, 40);
    Put32(v, static_cast<uint32_t>(image.Width));
    Put32(v, static_cast<uint32_t>(image.Height));
    Put16(v, 1);
    Put16(v, static_cast<uint16_t>(bits));
    Put32(v, kRgb);
    Put32(v, static_cast<uint32_t>(stride * image.Height));
    Put32(v, 3780); // 96 dots per inch
    Put32(v, 3780);
    Put32(v, static_cast<uint32_t>(colours));
    Put32(v, 0);
    for (size_t i = 0; i < colours; ++i) {
        Put32(v, i < image.Palette.size() ? (image.Palette[i] & 0xFFFFFF) : 0);
    }
    for (int y = image.Height - 1; y >= 0; --y) {
        const uint8_t* row = image.Pixels.data() + y * stride;
        v.insert(v.end(), row, row + stride);
    }
    return v;
}
