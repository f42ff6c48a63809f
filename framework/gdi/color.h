// Colour values of the framework: TColor is 0x00BBGGRR, or a negative value
// naming a system colour (0xFF000000 | COLOR_xxx index).
#pragma once

#include <cstdint>

using TColor = int32_t;

// System colours (resolved with ColorToRGB before any arithmetic).
constexpr TColor clScrollBar = static_cast<TColor>(0xFF000000);
constexpr TColor clBackground = static_cast<TColor>(0xFF000001);
constexpr TColor clActiveCaption = static_cast<TColor>(0xFF000002);
constexpr TColor clInactiveCaption = static_cast<TColor>(0xFF000003);
constexpr TColor clMenu = static_cast<TColor>(0xFF000004);
constexpr TColor clWindow = static_cast<TColor>(0xFF000005);
constexpr TColor clWindowFrame = static_cast<TColor>(0xFF000006);
constexpr TColor clMenuText = static_cast<TColor>(0xFF000007);
constexpr TColor clWindowText = static_cast<TColor>(0xFF000008);
constexpr TColor clCaptionText = static_cast<TColor>(0xFF000009);
constexpr TColor clActiveBorder = static_cast<TColor>(0xFF00000A);
constexpr TColor clInactiveBorder = static_cast<TColor>(0xFF00000B);
constexpr TColor clAppWorkSpace = static_cast<TColor>(0xFF00000C);
constexpr TColor clHighlight = static_cast<TColor>(0xFF00000D);
constexpr TColor clHighlightText = static_cast<TColor>(0xFF00000E);
constexpr TColor clBtnFace = static_cast<TColor>(0xFF00000F);
constexpr TColor clBtnShadow = static_cast<TColor>(0xFF000010);
constexpr TColor clGrayText = static_cast<TColor>(0xFF000011);
constexpr TColor clBtnText = static_cast<TColor>(0xFF000012);
constexpr TColor clInactiveCaptionText = static_cast<TColor>(0xFF000013);
constexpr TColor clBtnHighlight = static_cast<TColor>(0xFF000014);
constexpr TColor cl3DDkShadow = static_cast<TColor>(0xFF000015);
constexpr TColor cl3DLight = static_cast<TColor>(0xFF000016);
constexpr TColor clInfoText = static_cast<TColor>(0xFF000017);
constexpr TColor clInfoBk = static_cast<TColor>(0xFF000018);
constexpr TColor clHotLight = static_cast<TColor>(0xFF00001A);
constexpr TColor clGradientActiveCaption = static_cast<TColor>(0xFF00001B);
constexpr TColor clGradientInactiveCaption = static_cast<TColor>(0xFF00001C);
constexpr TColor clMenuHighlight = static_cast<TColor>(0xFF00001D);
constexpr TColor clMenuBar = static_cast<TColor>(0xFF00001E);

// Plain colours.
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// Channel access on 0x00BBGGRR values. <windows.h> has macros of these
// names; when it came first they give way to the functions.
#undef GetRValue
#undef GetGValue
#undef GetBValue
constexpr uint8_t GetRValue(uint32_t rgb) {
    return static_cast<uint8_t>(rgb);
}
constexpr uint8_t GetGValue(uint32_t rgb) {
    return static_cast<uint8_t>(rgb >> 8);
}
constexpr uint8_t GetBValue(uint32_t rgb) {
    return static_cast<uint8_t>(rgb >> 16);
}
constexpr uint32_t RGBColor(uint8_t r, uint8_t g, uint8_t b) {
    return r | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(b) << 16);
}

// Resolves a system colour to its current 0x00BBGGRR value (from the system on
// Windows, from a table of the classic scheme elsewhere); other values are
// returned unchanged.
uint32_t ColorToRGB(TColor color);

// The classic-scheme value of system colour index `index` (0..30); 0 when the
// index is unknown. The host build resolves system colours with it.
uint32_t ClassicSysColor(int index);
