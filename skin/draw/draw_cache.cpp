// The prepared-image cache of the frame routines (see draw_cache.h): a small
// least-recently-used list within a budget of entries and bytes.
#include "skin/draw/draw_cache.h"

#include <cstring>
#include <vector>

namespace skin_draw_detail {

namespace {

// Images larger than this are made for each paint and never kept.
constexpr size_t kLargestEntryBytes = 1u << 20;

// Bytes of row y of the frame: the byte range that holds its pixels.
struct TFrameRows {
    const uint8_t* First = nullptr; // first byte of the frame's top row
    int Stride = 0;
    int RowBytes = 0;
    int Rows = 0;
    // Bit offset of the frame's first pixel in its first byte (below eight
    // bits a pixel): the same bytes at another offset are another frame.
    int Phase = 0;
};

TFrameRows FrameRows(TBitmap& picture, const TSkinFrameBox& f) {
    TFrameRows rows;
    const int bits = PixelFormatBits(picture.PixelFormat());
    if (f.Width <= 0 || f.Height <= 0 || f.X0 < 0 || f.Y0 < 0 || f.X0 + f.Width > picture.Width() ||
        f.Y0 + f.Height > picture.Height()) {
        return rows;
    }
    const uint8_t* top = picture.ScanLine(f.Y0);
    if (!top) {
        return rows;
    }
    const int from = f.X0 * bits / 8, to = ((f.X0 + f.Width) * bits + 7) / 8;
    rows.First = top + from;
    rows.Stride = picture.Stride();
    rows.RowBytes = to - from;
    rows.Rows = f.Height;
    rows.Phase = f.X0 * bits % 8;
    return rows;
}

// 64-bit hash of the frame's bytes, eight at a time.
uint64_t HashRows(const TFrameRows& rows, uint64_t seed) {
    uint64_t h = seed ^ 0x9E3779B97F4A7C15ull;
    auto mix = [&h](uint64_t v) {
        h ^= v;
        h *= 0xFF51AFD7ED558CCDull;
        h ^= h >> 29;
    };
    for (int y = 0; y < rows.Rows; ++y) {
        const uint8_t* p = rows.First + static_cast<size_t>(y) * rows.Stride;
        int i = 0;
        for (; i + 8 <= rows.RowBytes; i += 8) {
            uint64_t v;
            std::memcpy(&v, p + i, 8);
            mix(v);
        }
        uint64_t tail = 0;
        std::memcpy(&tail, p + i, static_cast<size_t>(rows.RowBytes - i));
        mix(tail ^ (static_cast<uint64_t>(y) << 56));
    }
    return h;
}

uint64_t HashRecipe(const TFrameRecipe& r, int bits, const std::vector<uint32_t>& palette) {
    const int words[] = {r.Kind,         r.Width,       r.Height,        r.Mode,           r.Flags,
                         r.Margins.Left, r.Margins.Top, r.Margins.Right, r.Margins.Bottom, bits};
    uint64_t h = 1469598103934665603ull;
    for (int w : words) {
        h = (h ^ static_cast<uint32_t>(w)) * 1099511628211ull;
    }
    for (uint32_t c : palette) {
        h = (h ^ c) * 1099511628211ull;
    }
    return h;
}

bool SameRecipe(const TFrameRecipe& a, const TFrameRecipe& b) {
    return a.Kind == b.Kind && a.Width == b.Width && a.Height == b.Height && a.Mode == b.Mode &&
           a.Flags == b.Flags && a.Margins.Left == b.Margins.Left &&
           a.Margins.Top == b.Margins.Top && a.Margins.Right == b.Margins.Right &&
           a.Margins.Bottom == b.Margins.Bottom;
}

// One prepared image with everything its key was made of.
struct TEntry {
    uint64_t Hash = 0;
    TFrameRecipe Recipe;
    int Bits = 0;
    std::vector<uint32_t> Palette;
    int RowBytes = 0;
    int Phase = 0;
    std::vector<uint8_t> Pixels; // the frame's rows, back to back
    std::unique_ptr<TBitmap> Image;
    TCutout Cutout;       // made on the first transparent paint
    TRegionHandle Region; // its non-key pixels, made when first asked
    size_t RegionBytes = 0;
    uint64_t LastUse = 0;

    size_t Bytes() const {
        const size_t w = static_cast<size_t>(Image->Width()), h = Image->Height();
        // The monochrome mask's share (low-depth targets) is counted from the
        // start, so that making it later never takes the cache past its
        // budget; the colour cut-out is counted once made.
        return w * h * 4 + (w + 15) / 16 * 2 * h + Pixels.size() + RegionBytes + Cutout.Bytes();
    }
    bool Matches(uint64_t hash, const TFrameRecipe& r, int bits,
                 const std::vector<uint32_t>& palette, const TFrameRows& rows) const {
        if (Hash != hash || Bits != bits || RowBytes != rows.RowBytes || Phase != rows.Phase ||
            Pixels.size() != static_cast<size_t>(rows.RowBytes) * rows.Rows ||
            !SameRecipe(Recipe, r) || Palette != palette) {
            return false;
        }
        for (int y = 0; y < rows.Rows; ++y) {
            if (std::memcmp(Pixels.data() + static_cast<size_t>(y) * RowBytes,
                            rows.First + static_cast<size_t>(y) * rows.Stride, RowBytes) != 0) {
                return false;
            }
        }
        return true;
    }
};

struct TCache {
    std::vector<std::unique_ptr<TEntry>> Entries;
    size_t Bytes = 0;
    uint64_t Clock = 0;
    int64_t Hits = 0;
    int64_t Misses = 0;

    // Drops the least recently used entries until `more` bytes and one more
    // entry fit the budget.
    void MakeRoom(size_t more) {
        while (!Entries.empty() && (Entries.size() + 1 > size_t(kSkinDrawCacheMaxEntries) ||
                                    Bytes + more > kSkinDrawCacheMaxBytes)) {
            DropOldest(nullptr);
        }
    }
    // Drops the least recently used entries other than `keep` while the
    // cache holds more bytes than its budget.
    void Trim(const TEntry* keep) {
        while (Bytes > kSkinDrawCacheMaxBytes && DropOldest(keep)) {
        }
    }
    bool DropOldest(const TEntry* keep) {
        size_t oldest = Entries.size();
        for (size_t i = 0; i < Entries.size(); ++i) {
            if (Entries[i].get() != keep &&
                (oldest == Entries.size() || Entries[i]->LastUse < Entries[oldest]->LastUse)) {
                oldest = i;
            }
        }
        if (oldest == Entries.size()) {
            return false;
        }
        Bytes -= Entries[oldest]->Bytes();
        Entries.erase(Entries.begin() + static_cast<std::ptrdiff_t>(oldest));
        return true;
    }
};

TCache& Cache() {
    static TCache cache;
    return cache;
}

// Copies the image to the DC, opaque or without its key-colour pixels.
void Put(HDC dc, int x, int y, TEntry& e, bool trans) {
    TBitmap& image = *e.Image;
    if (trans && !e.Cutout.Made()) {
        TCache& cache = Cache();
        cache.Bytes -= e.Bytes();
        e.Cutout.Make(image, kSkinKeyColor);
        cache.Bytes += e.Bytes();
        cache.Trim(&e);
    }
    HDC src = image.Canvas().Handle();
    if (!trans || !e.Cutout.Draw(dc, x, y, src)) {
        BitBlt(dc, x, y, image.Width(), image.Height(), src, 0, 0, SRCCOPY);
    }
}

} // namespace

namespace {

// The cached entry for the frame and recipe, made (and kept) on a miss; null
// when the image cannot be kept (too large, no pixels to key on) or `make`
// gives none, in which case `made` holds what `make` gave.
TEntry* Prepared(TBitmap& picture, const TSkinFrameBox& frame, const TFrameRecipe& recipe,
                 const std::function<std::unique_ptr<TBitmap>()>& make,
                 std::unique_ptr<TBitmap>& made) {
    const TFrameRows rows = FrameRows(picture, frame);
    const size_t imageBytes = size_t(recipe.Width) * size_t(recipe.Height) * 4;
    if (!rows.First || imageBytes > kLargestEntryBytes) {
        made = make();
        return nullptr;
    }
    const int bits = PixelFormatBits(picture.PixelFormat());
    const std::vector<uint32_t>& palette = picture.ColorTable();
    const uint64_t hash = HashRows(rows, HashRecipe(recipe, bits, palette) ^ rows.Phase);
    TCache& cache = Cache();
    for (auto& e : cache.Entries) {
        if (e->Matches(hash, recipe, bits, palette, rows)) {
            ++cache.Hits;
            e->LastUse = ++cache.Clock;
            return e.get();
        }
    }
    ++cache.Misses;
    made = make();
    if (!made || made->Empty()) {
        return nullptr;
    }
    auto e = std::make_unique<TEntry>();
    e->Hash = hash;
    e->Recipe = recipe;
    e->Bits = bits;
    e->Palette = palette;
    e->RowBytes = rows.RowBytes;
    e->Phase = rows.Phase;
    e->Pixels.resize(static_cast<size_t>(rows.RowBytes) * rows.Rows);
    for (int r = 0; r < rows.Rows; ++r) {
        std::memcpy(e->Pixels.data() + static_cast<size_t>(r) * rows.RowBytes,
                    rows.First + static_cast<size_t>(r) * rows.Stride, rows.RowBytes);
    }
    e->Image = std::move(made);
    e->LastUse = ++cache.Clock;
    cache.MakeRoom(e->Bytes());
    cache.Bytes += e->Bytes();
    cache.Entries.push_back(std::move(e));
    return cache.Entries.back().get();
}

// A copy of a region moved by (x, y).
TRegionHandle MovedCopy(HRGN region, int x, int y) {
    TRegionHandle copy(CreateRectRgn(0, 0, 0, 0));
    CombineRgn(copy.Get(), region, nullptr, RGN_COPY);
    OffsetRgn(copy.Get(), x, y);
    return copy;
}

} // namespace

bool DrawPrepared(HDC dc, int x, int y, TBitmap& picture, const TSkinFrameBox& frame,
                  const TFrameRecipe& recipe, bool trans,
                  const std::function<std::unique_ptr<TBitmap>()>& make) {
    std::unique_ptr<TBitmap> made;
    if (TEntry* e = Prepared(picture, frame, recipe, make, made)) {
        Put(dc, x, y, *e, trans);
        return true;
    }
    if (!made || made->Empty()) {
        return false;
    }
    PutImage(dc, x, y, *made, trans);
    return true;
}

TRegionHandle PreparedRegion(int x, int y, TBitmap& picture, const TSkinFrameBox& frame,
                             const TFrameRecipe& recipe,
                             const std::function<std::unique_ptr<TBitmap>()>& make) {
    std::unique_ptr<TBitmap> made;
    TEntry* e = Prepared(picture, frame, recipe, make, made);
    if (!e) {
        return made && !made->Empty() ? RegionFromBitmap(*made, x, y, 1, 1, 1) : TRegionHandle();
    }
    if (!e->Region) {
        TCache& cache = Cache();
        cache.Bytes -= e->Bytes();
        e->Region = RegionFromBitmap(*e->Image, 0, 0, 1, 1, 1);
        // Reading the pixels let the image's DC go; the paints want it back.
        e->Image->Canvas().Handle();
        e->RegionBytes = e->Region ? GetRegionData(e->Region.Get(), 0, nullptr) : 0;
        cache.Bytes += e->Bytes();
    }
    return e->Region ? MovedCopy(e->Region.Get(), x, y) : TRegionHandle();
}

} // namespace skin_draw_detail

TSkinDrawCacheStats SkinDrawCacheStats() {
    const auto& cache = skin_draw_detail::Cache();
    return {static_cast<int>(cache.Entries.size()), cache.Bytes, cache.Hits, cache.Misses};
}

void ClearSkinDrawCache() {
    auto& cache = skin_draw_detail::Cache();
    cache.Entries.clear();
    cache.Bytes = 0;
}
