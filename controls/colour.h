// Colour arithmetic of the custom-drawn controls: hue/saturation/luminance on
// a 0..240 scale, darkening, lightening, mixing and opposite colours. System
// colours are resolved to RGB (ColorToRGB) before any arithmetic.
#pragma once

#include "framework/gdi/color.h"

#include <cstdint>

// Splits a colour into hue, saturation and luminance (each 0..240).
void ColorToHueSatLum(TColor color, uint8_t& hue, uint8_t& saturation, uint8_t& luminance);

// Builds an RGB colour from hue, saturation (0..240) and luminance (0..255;
// values above 240 clamp the channels towards white).
TColor HueSatLumToColor(uint8_t hue, uint8_t saturation, uint8_t luminance);

// The colour with its luminance lowered by `amount` (not below 0).
TColor DarkenColor(TColor color, int amount);

// The colour with its luminance raised by `amount` (not above 255).
TColor LightenColor(TColor color, int amount);

// Darkens by -amount when negative, lightens when positive, else unchanged.
TColor ShiftColor(TColor color, int amount);

// weight/255 of colour a plus the rest of colour b, per channel.
TColor MixColors(TColor a, TColor b, int weight);

// True when hues differ by less than 20 and luminances by less than 60.
bool ColorsNear(TColor a, TColor b);

// The colour of opposite hue at full saturation and the given luminance.
TColor OppositeColor(TColor color, uint8_t luminance);
