// Skinned menu items: each item composed in an off-screen buffer from the
// popup window's background, the MenuItem picture and its content, then put
// on the menu's DC in one copy.
#include "framework/gdi/canvas.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/gdi/image_list.h"
#include "framework/gdi/paint_scope.h"
#include "skin/draw/skin_draw.h"
#include "skin/model/skin_data.h"
#include "skin/window/menu_items.h"
#include "skin/window/popup_menu.h"

namespace {

// Caption measuring (0x560) and drawing (0x60) formats.
constexpr UINT kMeasureFormat = DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE | DT_EXPANDTABS;
constexpr UINT kTextFormat = DT_SINGLELINE | DT_EXPANDTABS;
// The system's check-mark bitmap (OBM_CHECK).
constexpr WORD kCheckBitmapId = 32760;
// Rows of an 8 x 8 monochrome checker, one word per row.
constexpr WORD kDitherRows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};

TMenuTextColours TextColours(const TSkinData* data) {
    if (!data)
        return {};
    return {data->HilightTextColour, data->MenuTextColour, data->ButtonShadowColour};
}

int LeftMargin(const TSkinData* data) {
    const TDataSkinObject* obj = MenuItemObject(data);
    return obj ? obj->LeftWidth : 0;
}

void FillSolid(HDC dc, const RECT& r, TColor colour) {
    TBrushHandle brush(CreateSolidBrush(ColorToRGB(colour)));
    FillRect(dc, &r, brush.Get());
}

// Stretching that keeps the magenta key colour unblended when it matters.
int StretchModeFor(const TDataSkinObject& obj) {
    return obj.Trans ? COLORONCOLOR : kSkinDefaultStretchMode;
}

// The framework's dither of clBtnFace and clBtnHighlight.
void FillDither(HDC dc, const RECT& r) {
    TBitmapHandle pattern(CreateBitmap(8, 8, 1, 1, kDitherRows));
    TBrushHandle brush(CreatePatternBrush(pattern.Get()));
    const COLORREF oldText = SetTextColor(dc, ColorToRGB(clBtnFace));
    const COLORREF oldBk = SetBkColor(dc, ColorToRGB(clBtnHighlight));
    FillRect(dc, &r, brush.Get());
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBk);
}

// The system check mark, its dark pixels in `colour`, centred in the box and
// moved by (1, 1).
void DrawCheckMark(HDC dc, const RECT& box, TColor colour) {
    TBitmapHandle check(LoadBitmapW(nullptr, MAKEINTRESOURCEW(kCheckBitmapId)));
    BITMAP bm{};
    if (!check || !GetObjectW(check.Get(), sizeof bm, &bm))
        return;
    const int x = box.left + (box.right - box.left - bm.bmWidth) / 2 + 1;
    const int y = box.top + (box.bottom - box.top - bm.bmHeight) / 2 + 1;
    TMemoryDC source(dc);
    TSelectObject select(source.Handle(), check.Get());
    TBrushHandle brush(CreateSolidBrush(ColorToRGB(colour)));
    TSelectObject useBrush(dc, brush.Get());
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
    constexpr DWORD kBrushWhereSourceBlack = 0x00B8074A;
    BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, source.Handle(), 0, 0, kBrushWhereSourceBlack);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBk);
}

// Image (on a dithered, sunken box when checked) or check mark.
void DrawGlyph(HDC dc, TMenuItem& item, HIMAGELIST list, const RECT& box, TColor checkColour) {
    const int index = item.ImageIndex();
    if (list && index >= 0 && index < ImageList_GetImageCount(list)) {
        if (item.Checked()) {
            FillDither(dc, box);
            RECT edge = box;
            DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
        }
        if (item.Enabled())
            ImageList_Draw(list, index, dc, box.left, box.top, ILD_TRANSPARENT);
        else
            DrawImageDisabled(dc, list, index, box.left, box.top);
    } else if (item.Checked()) {
        DrawCheckMark(dc, box, checkColour);
    }
}

// The background under an item: the popup window's image at the item's
// place (the item rectangle is in client coordinates), or MenuColour.
void FillItemBackground(const TSkinData* data, HDC dc, const RECT& rect, HMENU menu) {
    TWinSkinPopMenu* popup = FindPopupSkinner(menu);
    const TBitmap* image = popup ? popup->Image() : nullptr;
    if (!image) {
        FillSolid(dc, rect, data ? data->MenuColour : clMenu);
        return;
    }
    // The image belongs to the popup skinner; only its DC is borrowed here.
    auto& source = const_cast<TBitmap&>(*image);
    const POINT offset = popup->ClientOffset();
    BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
           source.Canvas().Handle(), rect.left + offset.x, rect.top + offset.y, SRCCOPY);
}

// Frame 2's bottom part in three parts (caps of the left and right margins,
// middle stretched), drawn with magenta transparency over rect.
void DrawSeparatorPicture(HDC dc, const RECT& rect, TDataSkinObject& obj) {
    const RECT src =
        SeparatorSource(obj.FrameWidth(), obj.Picture.Height(), rect.bottom - rect.top);
    if (src.right <= src.left || src.bottom <= src.top)
        return;
    TBitmap piece(src.right - src.left, src.bottom - src.top);
    BitBlt(piece.Canvas().Handle(), 0, 0, piece.Width(), piece.Height(),
           obj.Picture.Canvas().Handle(), src.left, src.top, SRCCOPY);
    const TSkinMargins margins{obj.LeftWidth, 0, obj.RightWidth, 0};
    std::unique_ptr<TBitmap> bar =
        StretchSkinFrame(RECT{0, 0, rect.right - rect.left, rect.bottom - rect.top}, piece, margins,
                         false, false, 1, 1, COLORONCOLOR);
    if (bar)
        DrawTransparent(dc, rect, *bar);
}

// The item composed in a buffer over its background. A framework
// separator (pictureSeparator) shows the separator picture instead of the
// MenuItem frame and content.
void ComposeItem(TSkinData* data, TDataSkinObject& obj, TMenuItem& item, TCanvas& canvas,
                 const RECT& rect, bool selected, HMENU menu, bool pictureSeparator,
                 HIMAGELIST images) {
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    HDC target = canvas.Handle();
    TBufferScope buffer(target, rect);
    if (!buffer.Valid())
        return;
    FillItemBackground(data, buffer.DC(), rect, menu);
    if (pictureSeparator && item.IsLine()) {
        buffer.Present();
        DrawSeparatorPicture(target, rect, obj);
        return;
    }
    DrawSkinElement(buffer.DC(), rect, obj, MenuItemFrame(selected), false, StretchModeFor(obj));
    {
        TCanvas content(buffer.DC());
        content.Font().AssignLogFont(MenuLogFont());
        DrawItemContent(data, item, content, selected, rect, images);
    }
    buffer.Present();
}

// An item's text: the canvas's font, its glyphs drawn unsmoothed, in one
// colour. Smoothing blends the one-pixel strokes of a small, thin menu font
// so far toward the background that an enabled item's text came out as pale
// as a disabled one's; unsmoothed, every text pixel has the colour the
// item's state chose. The DC gets its font, colour and mode back at the end.
class TItemText {
public:
    TItemText(HDC dc, LOGFONTW font, TColor colour)
        : dc_(dc), font_(CreateFontIndirectW(Unsmoothed(font))), keep_(dc) {
        SelectObject(dc, font_.Get());
        SetTextColor(dc, ColorToRGB(colour));
        SetBkMode(dc, TRANSPARENT);
    }
    SIZE Measure(const std::wstring& text) const {
        RECT r{};
        DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &r, kMeasureFormat);
        return {r.right - r.left, r.bottom - r.top};
    }
    void Draw(const std::wstring& text, RECT r, UINT format) const {
        DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &r, format);
    }

private:
    static const LOGFONTW* Unsmoothed(LOGFONTW& font) {
        font.lfQuality = NONANTIALIASED_QUALITY;
        return &font;
    }
    HDC dc_;
    TFontHandle font_; // declared before keep_: deselected before it is freed
    TSaveDC keep_;
};

HMENU ParentMenuHandle(TMenuItem& item) {
    TMenuItem* parent = item.Parent();
    return parent ? parent->Handle() : nullptr;
}

} // namespace

void DrawMenuItem(TSkinData* data, TMenuItem& item, TCanvas& canvas, RECT rect, bool selected) {
    TDataSkinObject* obj = MenuItemObject(data);
    if (!obj) {
        DrawPlainItem(data, item, canvas, rect, selected);
        return;
    }
    const HMENU menu = ParentMenuHandle(item);
    ClaimPendingPopupSkinner(menu);
    ComposeItem(data, *obj, item, canvas, rect, selected, menu, true, nullptr);
}

void DrawNativeItem(TSkinData* data, HMENU menu, TMenuItem& item, bool selected, RECT rect,
                    TCanvas& canvas, HIMAGELIST images) {
    TDataSkinObject* obj = MenuItemObject(data);
    if (!obj) {
        DrawPlainItem(data, item, canvas, rect, selected, images);
        return;
    }
    ClaimPendingPopupSkinner(menu);
    ComposeItem(data, *obj, item, canvas, rect, selected, menu, false, images);
}

void DrawPlainItem(TSkinData* data, TMenuItem& item, TCanvas& canvas, RECT rect, bool selected,
                   HIMAGELIST images) {
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    TBufferScope buffer(canvas.Handle(), rect);
    if (!buffer.Valid())
        return;
    const TColor fill =
        selected ? (data ? data->HilightColour : clHighlight) : (data ? data->MenuColour : clMenu);
    FillSolid(buffer.DC(), rect, fill);
    {
        TCanvas content(buffer.DC());
        content.Font().AssignLogFont(MenuLogFont());
        DrawItemContent(data, item, content, selected, rect, images);
    }
    buffer.Present();
}

void DrawItemContent(TSkinData* data, TMenuItem& item, TCanvas& canvas, bool selected, RECT rect,
                     HIMAGELIST images) {
    const std::wstring caption = item.Caption();
    HIMAGELIST list = item.GetImageList();
    if (!list)
        list = images;
    int imageWidth = 0, imageHeight = 0;
    if (list)
        ImageList_GetIconSize(list, &imageWidth, &imageHeight);
    LOGFONTW font = canvas.Font().LogFont();
    if (item.Default())
        font.lfWeight = FW_BOLD;
    const TColor textColour = MenuItemTextColour(TextColours(data), item.Enabled(), selected);
    HDC dc = canvas.Handle();
    const TItemText text(dc, font, textColour);
    const TMenuItemLayout layout = LayoutMenuItem(
        {rect, LeftMargin(data), imageWidth, item.Checked(), item.IsLine(), item.IsRightToLeft(),
         text.Measure(caption.empty() || caption == L"&" ? caption + L" " : caption)});
    if (layout.HasGlyph)
        DrawGlyph(dc, item, list, layout.Glyph, textColour);
    if (item.IsLine()) {
        RECT line = layout.Separator;
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    const bool rtl = item.IsRightToLeft();
    text.Draw(caption, layout.Text, kTextFormat | (rtl ? DT_RIGHT : 0));
    if (item.ShortCut())
        text.Draw(ShortCutToText(item.ShortCut()), layout.Shortcut,
                  kTextFormat | (rtl ? 0 : DT_RIGHT));
}
