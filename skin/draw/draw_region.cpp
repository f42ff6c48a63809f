// Window regions from pictures: every run of pixels outside the key colour's
// range becomes a rectangle; rectangles are gathered in region-data batches.
#include "skin/draw/draw_internal.h"

#include <algorithm>
#include <vector>

namespace {

constexpr DWORD kFirstCapacity = 500;
constexpr DWORD kGrowBy = 500;
constexpr DWORD kBatch = 2000;

// A region-data buffer (header plus rectangles) with a running bounding box.
class RegionBatch {
public:
    RegionBatch() {
        Reserve(kFirstCapacity);
        Clear();
    }

    void Add(int left, int top, int right, int bottom) {
        if (Header().nCount == capacity_) {
            Reserve(capacity_ + kGrowBy);
        }
        RGNDATAHEADER& h = Header();
        Rects()[h.nCount++] = RECT{left, top, right, bottom};
        RECT& box = h.rcBound;
        box.left = std::min<LONG>(box.left, left);
        box.top = std::min<LONG>(box.top, top);
        box.right = std::max<LONG>(box.right, right);
        box.bottom = std::max<LONG>(box.bottom, bottom);
    }
    DWORD Count() { return Header().nCount; }

    // Turns the gathered rectangles into a region and ORs it into `result`
    // (the first one becomes the result), then empties the buffer.
    void FlushInto(TRegionHandle& result) {
        RGNDATAHEADER& h = Header();
        h.nRgnSize = h.nCount * sizeof(RECT);
        TRegionHandle part(ExtCreateRegion(nullptr,
                                           static_cast<DWORD>(sizeof(RGNDATAHEADER) + h.nRgnSize),
                                           reinterpret_cast<const RGNDATA*>(buffer_.data())));
        if (!result) {
            result = std::move(part);
        } else if (part) {
            CombineRgn(result.Get(), result.Get(), part.Get(), RGN_OR);
        }
        Clear();
    }

private:
    RGNDATAHEADER& Header() { return *reinterpret_cast<RGNDATAHEADER*>(buffer_.data()); }
    RECT* Rects() { return reinterpret_cast<RECT*>(buffer_.data() + sizeof(RGNDATAHEADER)); }
    void Reserve(DWORD rects) {
        buffer_.resize(sizeof(RGNDATAHEADER) + rects * sizeof(RECT));
        capacity_ = rects;
    }
    void Clear() {
        RGNDATAHEADER& h = Header();
        h.dwSize = sizeof(RGNDATAHEADER);
        h.iType = RDH_RECTANGLES;
        h.nCount = 0;
        h.nRgnSize = 0;
        h.rcBound = RECT{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    }

    std::vector<uint8_t> buffer_;
    DWORD capacity_ = 0;
};

// The picture as 32-bit top-down pixels (0x00RRGGBB).
std::vector<uint32_t> Pixels32(TBitmap& picture) {
    const int w = picture.Width(), h = picture.Height();
    std::vector<uint32_t> px(static_cast<size_t>(w) * h);
    if (picture.PixelFormat() == TPixelFormat::pf32bit && picture.ScanLine(0)) {
        // A 32-bit picture's own rows (top-down, blue first) are read in
        // place: no screen DC, no conversion.
        for (int y = 0; y < h; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(picture.ScanLine(y));
            uint32_t* out = px.data() + static_cast<size_t>(y) * w;
            for (int x = 0; x < w; ++x)
                out[x] = row[x] & 0x00FFFFFFu;
        }
        return px;
    }
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    TClientDC screen(nullptr);
    GetDIBits(screen.Handle(), picture.Handle(), 0, h, px.data(), &bi, DIB_RGB_COLORS);
    return px;
}

} // namespace

// Region of the non-key pixels; see the header. Rows whose runs are those of
// the row above extend its rectangles downwards, so that a border stretched
// over a thousand rows gives a handful of rectangles, not thousands.
bool RegionRects(HRGN region, std::vector<RECT>& rects) {
    const DWORD size = GetRegionData(region, 0, nullptr);
    if (size < sizeof(RGNDATAHEADER))
        return false;
    std::vector<uint8_t> bytes(size);
    auto* data = reinterpret_cast<RGNDATA*>(bytes.data());
    if (GetRegionData(region, size, data) != size)
        return false;
    const auto* r = reinterpret_cast<const RECT*>(data->Buffer);
    rects.assign(r, r + data->rdh.nCount);
    return true;
}

TRegionHandle RegionFromBitmap(TBitmap& picture, int xOffset, int yOffset, int toleranceBlue,
                               int toleranceGreen, int toleranceRed, TColor key) {
    const uint32_t k = ColorToRGB(key);
    const int lr = GetRValue(k), lg = GetGValue(k), lb = GetBValue(k);
    const int hr = std::min(lr + toleranceRed, 255), hg = std::min(lg + toleranceGreen, 255),
              hb = std::min(lb + toleranceBlue, 255);
    auto isKey = [&](uint32_t p) { // p is 0x00RRGGBB
        const int r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
        return r >= lr && r <= hr && g >= lg && g <= hg && b >= lb && b <= hb;
    };
    TRegionHandle result;
    RegionBatch batch;
    const int w = picture.Width(), h = picture.Height();
    const std::vector<uint32_t> px = picture.Empty() ? std::vector<uint32_t>{} : Pixels32(picture);
    // The runs of the band being gathered (pairs of start and end), the
    // band's first row, and the runs of the current row.
    std::vector<int> band, row;
    int bandTop = 0;
    auto flushBand = [&](int bottom) {
        for (size_t i = 0; i < band.size(); i += 2) {
            batch.Add(band[i] + xOffset, bandTop + yOffset, band[i + 1] + xOffset,
                      bottom + yOffset);
            if (batch.Count() == kBatch) {
                batch.FlushInto(result);
            }
        }
    };
    for (int y = 0; y < h; ++y) {
        const uint32_t* line = px.data() + static_cast<size_t>(y) * w;
        row.clear();
        int x = 0;
        while (x < w) {
            while (x < w && isKey(line[x])) {
                ++x;
            }
            const int start = x;
            while (x < w && !isKey(line[x])) {
                ++x;
            }
            if (x > start) {
                row.push_back(start);
                row.push_back(x);
            }
        }
        if (y == 0 || row != band) {
            flushBand(y);
            band.swap(row);
            bandTop = y;
        }
    }
    flushBand(h);
    batch.FlushInto(result);
    return result;
}
