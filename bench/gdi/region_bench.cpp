// RegionFromBitmap on a 2000 x 2000 picture with thousands of runs against a
// naive union of one rectangle region per run, measured in the same run.
#include "bench/bench_util.h"
#include "skin/draw/skin_draw.h"

#include <cstdio>

namespace {

// Picture with a few runs per row whose positions drift from row to row.
void Paint(TBitmap& pic) {
    for (int y = 0; y < pic.Height(); ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(pic.ScanLine(y));
        for (int x = 0; x < pic.Width(); ++x) {
            const int phase = (x + y * 7) % 400;
            row[x] = (phase < 150 || (phase > 300 && phase < 320)) ? 0x00FF00FF : 0x00808080;
        }
    }
}

// One region per run, ORed into the result one at a time.
TRegionHandle NaiveRegion(TBitmap& pic) {
    TRegionHandle result(CreateRectRgn(0, 0, 0, 0));
    for (int y = 0; y < pic.Height(); ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(pic.ScanLine(y));
        int x = 0;
        while (x < pic.Width()) {
            while (x < pic.Width() && row[x] == 0x00FF00FF) {
                ++x;
            }
            const int start = x;
            while (x < pic.Width() && row[x] != 0x00FF00FF) {
                ++x;
            }
            if (x > start) {
                TRegionHandle run(CreateRectRgn(start, y, x, y + 1));
                CombineRgn(result.Get(), result.Get(), run.Get(), RGN_OR);
            }
        }
    }
    return result;
}

} // namespace

int main() {
    TBitmap pic(2000, 2000);
    Paint(pic);
    bool same = false;
    const double batched =
        bench::MedianNs(3, 1, [&] { TRegionHandle r = RegionFromBitmap(pic, 0, 0, 1, 1, 1); });
    const double naive = bench::MedianNs(3, 1, [&] { TRegionHandle r = NaiveRegion(pic); });
    {
        TRegionHandle a = RegionFromBitmap(pic, 0, 0, 1, 1, 1);
        TRegionHandle b = NaiveRegion(pic);
        same = EqualRgn(a.Get(), b.Get()) != FALSE;
    }
    bench::Report("skin.region_from_bitmap_2000x2000", batched / 1e6, "ms");
    bench::Report("skin.region_naive_union_2000x2000", naive / 1e6, "ms");
    bench::Report("skin.region_speedup_vs_naive", naive / batched, "x");
    bench::Report("skin.region_equal_to_naive", same ? 1 : 0, "bool");
    return same ? 0 : 1;
}
