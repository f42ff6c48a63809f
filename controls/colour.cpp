// Colour arithmetic; see colour.h.
#include "controls/colour.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Rounds to the nearest integer, ties to even.
double RoundEven(double v) {
    return std::nearbyint(v);
}

// One channel (0..1, clamped at 1) as a byte.
uint32_t ChannelByte(double c) {
    const double clamped = std::min(c, 1.0);
    const double v = RoundEven(clamped * 255.0);
    return static_cast<uint32_t>(std::clamp(v, 0.0, 255.0));
}

} // namespace

// RGB to HSL on the 0..240 scale.
void ColorToHueSatLum(TColor color, uint8_t& hue, uint8_t& saturation, uint8_t& luminance) {
    const uint32_t rgb = ColorToRGB(color);
    const double r = GetRValue(rgb) / 255.0;
    const double g = GetGValue(rgb) / 255.0;
    const double b = GetBValue(rgb) / 255.0;
    const double mx = std::max({r, g, b});
    const double mn = std::min({r, g, b});
    const double l = (mx + mn) / 2.0;
    double h = 0.0, s = 0.0;
    if (mx != mn) {
        const double d = mx - mn;
        s = l < 0.5 ? d / (mx + mn) : d / (2.0 - mx - mn);
        if (r == mx) {
            h = (g - b) / d;
        } else if (g != mx) {
            h = 4.0 + (r - g) / d;
        } else {
            h = 2.0 + (b - r) / d;
        }
        h /= 6.0;
        if (h < 0.0) {
            h += 1.0;
        }
    }
    hue = static_cast<uint8_t>(RoundEven(h * 240.0));
    saturation = static_cast<uint8_t>(RoundEven(s * 240.0));
    luminance = static_cast<uint8_t>(RoundEven(l * 240.0));
}

// HSL (0..240 scale) to RGB. Hue positions are spread over 0..239; hue 240,
// the full circle, is the same as hue 0.
TColor HueSatLumToColor(uint8_t hue, uint8_t saturation, uint8_t luminance) {
    const double l = luminance / 240.0;
    const double s = saturation / 240.0;
    const double v = l < 0.5 ? l * (1.0 + s) : l + s - l * s;
    if (v <= 0.0) {
        return clBlack;
    }
    const double m = l + l - v;
    const double p = hue == 240 ? 0.0 : hue / 239.0 * 6.0;
    const int sextant = static_cast<int>(p);
    const double f = p - sextant;
    const double vsf = v * ((v - m) / v) * f;
    const double mid1 = m + vsf;
    const double mid2 = v - vsf;
    double r, g, b;
    switch (sextant) {
    case 1:
        r = mid2, g = v, b = m;
        break;
    case 2:
        r = m, g = v, b = mid1;
        break;
    case 3:
        r = m, g = mid2, b = v;
        break;
    case 4:
        r = mid1, g = m, b = v;
        break;
    case 5:
        r = v, g = m, b = mid2;
        break;
    default:
        r = v, g = mid1, b = m;
        break;
    }
    return static_cast<TColor>(ChannelByte(r) | (ChannelByte(g) << 8) | (ChannelByte(b) << 16));
}

// Lowers the luminance, floor 0.
TColor DarkenColor(TColor color, int amount) {
    uint8_t h, s, l;
    ColorToHueSatLum(color, h, s, l);
    const int lum = std::max(0, l - amount);
    return HueSatLumToColor(h, s, static_cast<uint8_t>(lum));
}

// Raises the luminance, ceiling 255 (the channels clamp at white).
TColor LightenColor(TColor color, int amount) {
    uint8_t h, s, l;
    ColorToHueSatLum(color, h, s, l);
    const int lum = std::min(255, l + amount);
    return HueSatLumToColor(h, s, static_cast<uint8_t>(lum));
}

// Signed luminance shift.
TColor ShiftColor(TColor color, int amount) {
    if (amount < 0) {
        return DarkenColor(color, -amount);
    }
    if (amount > 0) {
        return LightenColor(color, amount);
    }
    return color;
}

// Per-channel weighted mix in single precision.
TColor MixColors(TColor a, TColor b, int weight) {
    const uint32_t ca = ColorToRGB(a);
    const uint32_t cb = ColorToRGB(b);
    const float x = static_cast<float>(weight) / 255.0f;
    auto mix = [x](uint8_t va, uint8_t vb) -> uint32_t {
        const float v = x * static_cast<float>(va) + (1.0f - x) * static_cast<float>(vb);
        return static_cast<uint32_t>(std::clamp(std::nearbyint(v), 0.0f, 255.0f));
    };
    const uint32_t r = mix(GetRValue(ca), GetRValue(cb));
    const uint32_t g = mix(GetGValue(ca), GetGValue(cb));
    const uint32_t bl = mix(GetBValue(ca), GetBValue(cb));
    return static_cast<TColor>(r | (g << 8) | (bl << 16));
}

// Closeness by hue and luminance.
bool ColorsNear(TColor a, TColor b) {
    uint8_t ha, sa, la, hb, sb, lb;
    ColorToHueSatLum(a, ha, sa, la);
    ColorToHueSatLum(b, hb, sb, lb);
    return std::abs(ha - hb) < 20 && std::abs(la - lb) < 60;
}

// Opposite hue, full saturation, given luminance.
TColor OppositeColor(TColor color, uint8_t luminance) {
    uint8_t h, s, l;
    ColorToHueSatLum(color, h, s, l);
    const int opposite = h < 120 ? h + 120 : h - 120;
    return HueSatLumToColor(static_cast<uint8_t>(opposite), 240, luminance);
}
