// Draws a mock skinned window: borders by the nine-part rule (top and bottom
// frames stacked, sides side by side), the title text by its alignment on
// its plate, the caption buttons by their alignment, the menu bar (stretched
// or three-part) and some controls on the button face (marks by the
// painters' cell tables, chunked or stretched progress, flat or composite
// combo).
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

int TitleHeight(TSkinData& d) {
    const TDataSkinBorder& top = *d.TopBorder;
    return top.FrameCount > 0 ? top.Picture.Height() / top.FrameCount : 0;
}

// The title text placed by the skin's alignment over its text plate (when
// the skin has one); answers where the text went, for buttons placed
// beside it.
RECT TitleText(TCanvas& canvas, TSkinData& d, const RECT& strip, bool active) {
    TDataSkinTitle& t = *d.Title;
    const std::wstring text = AnsiToWide(d.SkinName) + L" preview";
    RECT m{0, 0, 0, 0};
    LOGFONTW lf{};
    lf.lfHeight = -12;
    lf.lfWeight = FW_BOLD;
    lstrcpyW(lf.lfFaceName, L"Tahoma");
    TFontHandle font(CreateFontIndirectW(&lf));
    HGDIOBJ old = SelectObject(canvas.Handle(), font.Get());
    DrawTextW(canvas.Handle(), text.c_str(), -1, &m, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(canvas.Handle(), old);
    const int width = m.right + t.TXTBackleft + t.TXTBackRight;
    int left = strip.left + t.LeftWidth;
    if (t.TextAlignment == 1)
        left = strip.left + (strip.right - strip.left - width) / 2;
    else if (t.TextAlignment == 2)
        left = strip.right - t.RightWidth - width;
    RECT plate{left, strip.top, left + width, strip.bottom};
    if (!t.Picture.Empty())
        DrawSkinBar(canvas, plate, t.Picture, true, true, 2, active ? 1 : 2,
                    TSkinMargins{t.TXTBackleft, 0, t.TXTBackRight, 0});
    RECT inner{plate.left + t.TXTBackleft, plate.top + t.TopHeight / 2,
               plate.right - t.TXTBackRight, plate.bottom};
    Text(canvas.Handle(), text, inner, active ? d.TitleTextActiveColour : d.TitleTextNoActiveColour,
         DT_SINGLELINE | DT_VCENTER, true);
    return plate;
}

// Caption buttons at rest, placed by their alignment: from the left or
// right edge, or beside the title text; maximised-only and MDI buttons and
// those hidden by the window's activity are left out.
void CaptionButtons(HDC dc, TSkinData& d, int x0, const RECT& text, bool active) {
    for (auto& button : d.CaptionButtons) {
        const TDataSkinSysButton& b = *button;
        if (b.Visibility == 1 || b.Align == 100 || (b.Visibility1 == 3 && !active) ||
            (b.Visibility1 == 4 && active))
            continue;
        const int bw = b.Picture.Empty() ? 16 : b.FrameWidth();
        const int bh = b.Picture.Empty() ? 16 : b.Picture.Height();
        int left;
        switch (b.Align) {
        case 0:
            left = x0 + b.XCoord;
            break;
        case 1:
            left = x0 + kWidth - b.XCoord;
            break;
        case 2:
        case 8:
            left = text.left - bw - b.XCoord;
            break;
        case 3:
        case 9:
            left = text.right + b.XCoord;
            break;
        default:
            continue;
        }
        RECT cell{left, b.YCoord, left + bw, b.YCoord + bh};
        if (b.Action == 3 || b.Action == 11) // the window icon stands here
            FillRect(dc, &cell, GetSysColorBrush(COLOR_INFOBK));
        else if (!b.Picture.Empty())
            DrawSkinCell(dc, cell, button->Picture, false, b.FrameCount,
                         active || b.FrameCount < 4 ? 1 : 4);
    }
}

// The frame, title, caption buttons and menu bar of one window at x0.
void Frame(TCanvas& canvas, TSkinData& d, int x0, bool active) {
    HDC dc = canvas.Handle();
    const int l = d.LeftBorder->FrameWidth(), r = d.RightBorder->FrameWidth();
    const int t = TitleHeight(d);
    const int b = d.BottomBorder->FrameCount > 0
                      ? d.BottomBorder->Picture.Height() / d.BottomBorder->FrameCount
                      : 0;
    const int w = kWidth, h = kHeight;
    Border(dc, RECT{x0, 0, x0 + l, h}, *d.LeftBorder, false, active);
    Border(dc, RECT{x0 + w - r, 0, x0 + w, h}, *d.RightBorder, false, active);
    Border(dc, RECT{x0 + l, h - b, x0 + w - r, h}, *d.BottomBorder, true, active);
    Border(dc, RECT{x0 + l, 0, x0 + w - r, t}, *d.TopBorder, true, active);
    RECT text = TitleText(canvas, d, RECT{x0 + l, 0, x0 + w - r, t}, active);
    CaptionButtons(dc, d, x0, text, active);
    RECT menu{x0 + l, t, x0 + w - r, t + kMenuHeight};
    if (d.MenuBar && d.MenuBar->Tile == 1)
        DrawSkinElement(dc, menu, d.MenuBar->Picture, true, false, false, 2, active ? 1 : 2,
                        d.MenuBar->Margins());
    else if (d.MenuBar) // caps and a repeated middle
        DrawSkinBar(canvas, menu, d.MenuBar->Picture, true, false, 2, active ? 1 : 2,
                    d.MenuBar->Margins());
    menu.left += 8;
    Text(dc, L"File   Edit   View   Help", menu, d.MenuBarTextColour, DT_SINGLELINE | DT_VCENTER,
         false);
    RECT client{x0 + l, t + kMenuHeight, x0 + w - r, h - b};
    TBrushHandle face(CreateSolidBrush(ColorToRGB(d.ButtonFaceColour)));
    FillRect(dc, &client, face.Get());
}

// The mark cells the check-box and radio painters use for unchecked,
// checked, unchecked disabled and checked disabled: a 12-cell check strip
// and an 8-cell radio strip keep their checked and disabled cells apart.
int MarkCell(int frames, int wide, int i) {
    static const int kWide[] = {1, 5, 4, 8};
    return frames == wide ? kWide[i] : i + 1;
}

// The progress bar: stretched frames, or the trough with repeated chunks.
void Progress(TCanvas& canvas, TDataSkinBorder& p, RECT bar) {
    HDC dc = canvas.Handle();
    if (p.Style != 1) {
        DrawSkinElement(dc, bar, p, 1);
        bar.right = bar.left + (bar.right - bar.left) * 2 / 3;
        DrawSkinElement(dc, bar, p, 2);
        return;
    }
    DrawSkinElement(dc, bar, p.Picture, false, p.Tile != 0, true, 1, 1, p.Margins());
    if (p.Picture2.Empty())
        return;
    const int cw = p.Picture2.Width(), ch = p.Picture2.Height();
    const int filled = (bar.right - bar.left) * 2 / 3;
    TBitmap strip(filled, ch, TPixelFormat::pf24bit);
    TileRect(strip.Canvas(), RECT{0, 0, filled, ch}, p.Picture2, RECT{0, 0, cw, ch});
    const int top = bar.top + (bar.bottom - bar.top - ch) / 2;
    DrawTransparent(
        dc, RECT{bar.left + p.LeftWidth, top, bar.left + p.LeftWidth + filled, top + ch}, strip);
}

// A combo box by the look its button element gives: the composite of the
// whole control (Style 2), the flat look (Style 1), or the button's own cell
// at the right end with the ExtraImages arrow centred on it.
void Combo(HDC dc, TSkinData& d, RECT combo) {
    TDataSkinBorder& button = *d.ComboButton;
    if (button.Style == 2) {
        DrawSkinElement(dc, combo, button.Picture, false, false, true, button.FrameCount, 1,
                        button.Margins());
        return;
    }
    TBrushHandle shadow(CreateSolidBrush(ColorToRGB(d.ButtonShadowColour)));
    FrameRect(dc, &combo, shadow.Get());
    if (button.Style == 1) {
        const int e = GetSystemMetrics(SM_CYVTHUMB);
        RECT cell{combo.right - 2 - e, combo.top + 2, combo.right - 2, combo.bottom - 2};
        DrawSkinCell(dc, cell, button.Picture, false, button.FrameCount, 1);
        return;
    }
    const int e = GetSystemMetrics(SM_CXHSCROLL);
    RECT cell{combo.right - e - 2, combo.top, combo.right, combo.bottom};
    DrawSkinCell(dc, cell, button.Picture, true, button.FrameCount, 1);
    if (d.ExtraImages) {
        RECT glyph{cell.left, cell.top, cell.right - 2, cell.bottom};
        DrawSkinGlyph(dc, glyph, *d.ExtraImages, 1);
    }
}

// Push buttons, marks, a progress bar and a combo box inside the client
// area at x0.
void Controls(TCanvas& canvas, TSkinData& d, int x0, int y0) {
    HDC dc = canvas.Handle();
    const wchar_t* labels[] = {L"Normal", L"Hot", L"Pressed", L"Default", L"Disabled"};
    const int frames[] = {1, 4, 2, 5, 3};
    for (int i = 0; i < 5; ++i) {
        RECT r{x0 + 10 + 66 * i, y0 + 10, x0 + 72 + 66 * i, y0 + 33};
        DrawSkinElement(dc, r, *d.Buttons, frames[i]);
        Text(dc, labels[i], r, i == 4 ? d.ButtonShadowColour : d.ButtonTextColour,
             DT_SINGLELINE | DT_CENTER | DT_VCENTER, false);
    }
    // Mark cells at their own size, as the painters draw them.
    TDataSkinButton& b = *d.Buttons;
    const int cw = b.CheckButtonFrame > 0 ? b.CheckPicture.Width() / b.CheckButtonFrame : 0;
    const int rw = b.RadioButtonFrame > 0 ? b.RadioPicture.Width() / b.RadioButtonFrame : 0;
    for (int i = 0; i < 4; ++i) {
        RECT c{x0 + 10 + 20 * i, y0 + 45, x0 + 10 + 20 * i + cw, y0 + 45 + b.CheckPicture.Height()};
        DrawSkinCell(dc, c, b.CheckPicture, true, b.CheckButtonFrame,
                     MarkCell(b.CheckButtonFrame, 12, i));
        RECT o{x0 + 100 + 20 * i, y0 + 45, x0 + 100 + 20 * i + rw,
               y0 + 45 + b.RadioPicture.Height()};
        DrawSkinCell(dc, o, b.RadioPicture, true, b.RadioButtonFrame,
                     MarkCell(b.RadioButtonFrame, 8, i));
    }
    if (d.Progress)
        Progress(canvas, *d.Progress, RECT{x0 + 10, y0 + 70, x0 + 200, y0 + 88});
    if (d.ComboButton)
        Combo(dc, d, RECT{x0 + 210, y0 + 68, x0 + 330, y0 + 89});
}

} // namespace

// Active and inactive windows side by side on a desktop colour.
std::unique_ptr<TBitmap> DrawSkinPreview(TSkinData& data) {
    auto out = std::make_unique<TBitmap>(2 * kWidth + 30, kHeight + 20, TPixelFormat::pf24bit);
    TCanvas& canvas = out->Canvas();
    TBrushHandle desktop(CreateSolidBrush(kDesktop));
    RECT all{0, 0, out->Width(), out->Height()};
    FillRect(canvas.Handle(), &all, desktop.Get());
    for (int i = 0; i < 2; ++i) {
        const int x0 = 10 + i * (kWidth + 10);
        Frame(canvas, data, x0, i == 0);
        Controls(canvas, data, x0 + data.LeftBorder->FrameWidth(), TitleHeight(data) + kMenuHeight);
    }
    return out;
}
