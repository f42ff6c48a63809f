// Draws a mock skinned window: borders by the nine-part rule (top and bottom
// frames stacked, sides side by side), the title text, the caption buttons
// by their alignment, the menu bar and some controls on the button face.
#include "tools/skininfo/skin_preview.h"

#include <string>

#include "skin/model/skin_data.h"

namespace {

constexpr int kWidth = 360, kHeight = 240, kMenuHeight = 20;
constexpr TColor kDesktop = 0x00A56E3A;

// One border part: frame 1 active, 2 inactive (when the picture has two).
void Border(HDC dc, const RECT& r, TDataSkinBorder& b, bool vertical, bool active) {
    if (b.Picture.Empty() || r.right <= r.left || r.bottom <= r.top)
        return;
    int k = active || b.FrameCount < 2 ? 1 : 2;
    DrawSkinElement(dc, r, b.Picture, vertical, b.Tile != 1, b.Trans != 0, b.FrameCount, k,
                    b.Margins());
}

void Text(HDC dc, const std::wstring& text, RECT r, TColor colour, UINT format, bool bold) {
    LOGFONTW lf{};
    lf.lfHeight = -12;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lstrcpyW(lf.lfFaceName, L"Tahoma");
    const TFontHandle font(CreateFontIndirectW(&lf));
    const TSelectObject select(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(colour));
    DrawTextW(dc, text.c_str(), -1, &r, format);
}

// The frame, title and caption buttons of one window at x0.
void Frame(HDC dc, TSkinData& d, int x0, bool active) {
    const int l = d.LeftBorder->FrameWidth(), r = d.RightBorder->FrameWidth();
    const int t =
        d.TopBorder->FrameCount > 0 ? d.TopBorder->Picture.Height() / d.TopBorder->FrameCount : 0;
    const int b = d.BottomBorder->FrameCount > 0
                      ? d.BottomBorder->Picture.Height() / d.BottomBorder->FrameCount
                      : 0;
    const int w = kWidth, h = kHeight;
    Border(dc, RECT{x0, 0, x0 + l, h}, *d.LeftBorder, false, active);
    Border(dc, RECT{x0 + w - r, 0, x0 + w, h}, *d.RightBorder, false, active);
    Border(dc, RECT{x0 + l, h - b, x0 + w - r, h}, *d.BottomBorder, true, active);
    Border(dc, RECT{x0 + l, 0, x0 + w - r, t}, *d.TopBorder, true, active);
    RECT title{x0 + l + d.Title->LeftWidth, d.Title->TopHeight / 2,
               x0 + w - r - d.Title->RightWidth, t};
    Text(dc, L"XPLuna preview", title, active ? d.TitleTextActiveColour : d.TitleTextNoActiveColour,
         DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS, true);
    for (auto& button : d.CaptionButtons) {
        if (button->Picture.Empty() || button->Align != 1 || button->Visibility == 1)
            continue;
        const int bw = button->FrameWidth(), bh = button->Picture.Height();
        RECT cell{x0 + w - button->XCoord, button->YCoord, x0 + w - button->XCoord + bw,
                  button->YCoord + bh};
        DrawSkinCell(dc, cell, button->Picture, false, button->FrameCount,
                     active || button->FrameCount < 4 ? 1 : 4);
    }
    RECT icon{x0 + 7, 7, x0 + 23, 23};
    FillRect(dc, &icon, GetSysColorBrush(COLOR_INFOBK));
    RECT menu{x0 + l, t, x0 + w - r, t + kMenuHeight};
    if (d.MenuBar)
        DrawSkinElement(dc, menu, d.MenuBar->Picture, true, false, false, 2, active ? 1 : 2,
                        d.MenuBar->Margins());
    menu.left += 8;
    Text(dc, L"File   Edit   View   Help", menu, d.MenuBarTextColour, DT_SINGLELINE | DT_VCENTER,
         false);
    RECT client{x0 + l, t + kMenuHeight, x0 + w - r, h - b};
    TBrushHandle face(CreateSolidBrush(ColorToRGB(d.ButtonFaceColour)));
    FillRect(dc, &client, face.Get());
}

// Push buttons, marks and a progress bar inside the client area at x0.
void Controls(HDC dc, TSkinData& d, int x0, int y0) {
    const wchar_t* labels[] = {L"Normal", L"Hot", L"Pressed", L"Default", L"Disabled"};
    const int frames[] = {1, 4, 2, 5, 3};
    for (int i = 0; i < 5; ++i) {
        RECT r{x0 + 10 + 66 * i, y0 + 10, x0 + 72 + 66 * i, y0 + 33};
        DrawSkinElement(dc, r, *d.Buttons, frames[i]);
        Text(dc, labels[i], r, i == 4 ? d.ButtonShadowColour : d.ButtonTextColour,
             DT_SINGLELINE | DT_CENTER | DT_VCENTER, false);
    }
    TDataSkinButton& b = *d.Buttons;
    for (int i = 0; i < 4; ++i) {
        RECT c{x0 + 10 + 20 * i, y0 + 45, x0 + 23 + 20 * i, y0 + 58};
        DrawSkinCell(dc, c, b.CheckPicture, true, b.CheckButtonFrame, i + 1);
        RECT o{x0 + 100 + 20 * i, y0 + 45, x0 + 113 + 20 * i, y0 + 58};
        DrawSkinCell(dc, o, b.RadioPicture, true, b.RadioButtonFrame, i + 1);
    }
    if (d.Progress) {
        RECT bar{x0 + 10, y0 + 70, x0 + 200, y0 + 88};
        DrawSkinElement(dc, bar, *d.Progress, 1);
        bar.right = x0 + 130;
        DrawSkinElement(dc, bar, *d.Progress, 2);
    }
    if (d.ComboButton) {
        RECT combo{x0 + 210, y0 + 68, x0 + 330, y0 + 89};
        DrawSkinElement(dc, combo, d.ComboButton->Picture, false, false, true,
                        d.ComboButton->FrameCount, 1, d.ComboButton->Margins());
    }
}

} // namespace

// Active and inactive windows side by side on a desktop colour.
std::unique_ptr<TBitmap> DrawSkinPreview(TSkinData& data) {
    auto out = std::make_unique<TBitmap>(2 * kWidth + 30, kHeight + 20, TPixelFormat::pf24bit);
    HDC dc = out->Canvas().Handle();
    TBrushHandle desktop(CreateSolidBrush(kDesktop));
    RECT all{0, 0, out->Width(), out->Height()};
    FillRect(dc, &all, desktop.Get());
    for (int i = 0; i < 2; ++i) {
        const int x0 = 10 + i * (kWidth + 10);
        Frame(dc, data, x0, i == 0);
        const int t = data.TopBorder->FrameCount > 0
                          ? data.TopBorder->Picture.Height() / data.TopBorder->FrameCount
                          : 0;
        Controls(dc, data, x0 + data.LeftBorder->FrameWidth(), t + kMenuHeight);
    }
    return out;
}
