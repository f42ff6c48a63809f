// The push-button painters: each composes the button in the wrapper's
// off-screen buffer (face colour, a frame of the Buttons element, glyph and
// caption) and copies it to the target in one step.
#include "skin/controls/skin_buttons.h"

#include <algorithm>
#include <optional>

#include "framework/core/property_access.h"
#include "framework/gdi/bitmap.h"
#include "framework/gdi/font.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/gdi/image_list.h"
#include "framework/ui/graphic_control.h"
#include "framework/ui/wincontrol.h"
#include "skin/controls/skin_control_text.h"
#include "skin/model/skin_data.h"

namespace {

// The raw window's caption colour when it is disabled.
constexpr TColor kRawDisabledText = 0x00808080;
// The caption block: centred both ways, broken at words and line marks.
constexpr UINT kCaptionBlock = DT_CENTER | DT_WORDBREAK;

// The font a caption is drawn in, selected into the buffer for the scope:
// the framework object's "Font" (with its colour), else the window's own font.
class TCaptionFontScope {
public:
    TCaptionFontScope(HDC dc, TObject* source, HWND wnd) {
        HFONT handle = nullptr;
        if (auto* font = ReadObjectProperty<TFont>(source, "Font")) {
            handle = font->Handle();
            colour_ = font->Color();
        } else if (wnd) {
            handle = reinterpret_cast<HFONT>(SendMessageW(wnd, WM_GETFONT, 0, 0));
        }
        if (handle)
            pick_.emplace(dc, handle);
    }
    TColor Colour() const { return colour_; }

private:
    TColor colour_ = clWindowText;
    std::optional<TSelectObject> pick_;
};

// The glyph of a framework object read by name.
TButtonGlyph ReadGlyph(TObject* source) {
    TButtonGlyph g;
    g.strip = ReadObjectProperty<TBitmap>(source, "Glyph");
    if (g.strip && g.strip->Empty())
        g.strip = nullptr;
    g.numGlyphs = std::max(SkinReadInteger(source, "NumGlyphs"), 1);
    g.images = ReadObjectProperty<TImageList>(source, "Images");
    g.imageIndex = SkinReadInteger(source, "ImageIndex");
    g.disabledIndex = SkinReadInteger(source, "DisabledIndex");
    return g;
}

// Layout, margin and spacing read by name.
TButtonFaceInput ReadFaceInput(TObject* source, SIZE client) {
    TButtonFaceInput in;
    in.client = client;
    in.place = GlyphPlaceOf(SkinReadEnum(source, "Layout"));
    in.margin = SkinReadInteger(source, "Margin");
    in.spacing = SkinReadInteger(source, "Spacing");
    return in;
}

// An image of the list: the enabled image, or the disabled one (the
// image itself when there is none) in the list's disabled look.
void DrawListImage(HDC dc, const TButtonGlyph& g, POINT at, bool enabled) {
    int index = -1;
    if (enabled)
        index = g.imageIndex;
    else
        index = g.disabledIndex != -1 ? g.disabledIndex : g.imageIndex;
    if (index == -1)
        return;
    TCanvas canvas(dc);
    g.images->Draw(canvas, at.x, at.y, index, enabled);
}

} // namespace

SIZE TButtonGlyph::Size() const {
    if (strip)
        return SIZE{strip->Width() / std::max(numGlyphs, 1), strip->Height()};
    if (images && imageIndex != -1)
        return SIZE{images->Width(), images->Height()};
    return SIZE{0, 0};
}

void DrawGlyphCell(HDC dc, TBitmap& strip, int n, int cell, POINT at) {
    const int w = strip.Width() / std::max(n, 1), h = strip.Height();
    if (w <= 0 || h <= 0)
        return;
    const int source = SkinGlyphSourceCell(n, cell);
    TBitmap piece(w, h);
    piece.Canvas().CopyRect(RECT{0, 0, w, h}, strip.Canvas(),
                            RECT{(source - 1) * w, 0, source * w, h});
    if (cell == kCellDisabled) {
        for (int y = 0; y < h; ++y) {
            auto* row = reinterpret_cast<uint32_t*>(piece.ScanLine(y));
            // Rows hold 0x00RRGGBB; greying treats the channels alike.
            for (int x = 0; x < w; ++x)
                row[x] = GreyPixel(row[x]);
        }
    }
    piece.SetTransparent(true);
    TCanvas target(dc);
    target.Draw(at.x, at.y, piece);
}

TDataSkinButton* TSkinButton::ButtonsElement() const {
    if (!SkinData || !SkinData->Buttons || SkinData->Buttons->Picture.Empty())
        return nullptr;
    return SkinData->Buttons.get();
}

TObject* TSkinButton::Source() const {
    if (Control)
        return Control;
    return GraphicControl;
}

HDC TSkinButton::PrepareBuffer(const RECT& rect, TDataSkinButton& element, int frames, int k) {
    const int w = std::max<int>(rect.right - rect.left, 1);
    const int h = std::max<int>(rect.bottom - rect.top, 1);
    if (PaintBuffer->Width() != w || PaintBuffer->Height() != h)
        PaintBuffer->SetSize(w, h);
    HDC dc = PaintBuffer->Canvas().Handle();
    const RECT all{0, 0, w, h};
    FillFace(dc, all);
    if (k)
        DrawElementFrame(dc, all, frames, k, element);
    return dc;
}

void TSkinButton::PresentBuffer(HDC dc, const RECT& rect) {
    BitBlt(dc, rect.left, rect.top, PaintBuffer->Width(), PaintBuffer->Height(),
           PaintBuffer->Canvas().Handle(), 0, 0, SRCCOPY);
}

LONG TSkinButton::ReadWindowState() {
    const LONG style = Handle ? GetWindowLongW(Handle, GWL_STYLE) : 0;
    Focused = Handle && GetFocus() == Handle;
    Enabled = !(style & WS_DISABLED);
    TakeCaption(Control ? SkinReadText(Control, "Caption") : ReadWindowText());
    return style;
}

SIZE TSkinButton::MeasureCaption(HDC dc, SIZE client) const {
    if (Caption.empty())
        return SIZE{0, 0};
    RECT r{0, 0, client.cx, client.cy};
    DrawTextW(dc, Caption.c_str(), static_cast<int>(Caption.size()), &r, DT_CALCRECT);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void TSkinButton::DrawGlyphFace(HDC dc, TButtonFaceInput in, const TButtonGlyph& glyph, int frame,
                                bool enabled, TColor baseColour) {
    in.glyph = glyph.Size();
    in.text = MeasureCaption(dc, in.client);
    const TButtonFaceLayout layout = LayoutButtonFace(in);
    if (glyph.strip)
        DrawGlyphCell(dc, *glyph.strip, glyph.numGlyphs, SkinGlyphCell(frame), layout.glyph);
    else if (glyph.images)
        DrawListImage(dc, glyph, layout.glyph, enabled);
    if (Caption.empty())
        return;
    const TSaveDC state(dc);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(ButtonStateTextColour(frame, enabled, baseColour,
                                                      *SkinData->Buttons, clBtnShadow)));
    RECT text = layout.text;
    DrawTextW(dc, Caption.c_str(), static_cast<int>(Caption.size()), &text, layout.textFlags);
}

// Frame by state, the caption block in the state's colour: the control's
// font colour, or the skin's button text colour for a raw window.
void TSkinButton::PaintSkin(HDC dc, const RECT& rect) {
    TDataSkinButton* element = ButtonsElement();
    if (!element)
        return;
    const LONG style = ReadWindowState();
    const int frame =
        SkinButtonFrame(Pressed(), Hot(), (style & BS_DEFPUSHBUTTON) != 0, Focused, Enabled);
    lastFrame_ = frame;
    HDC buffer = PrepareBuffer(rect, *element, kButtonFrames, frame);
    const TCaptionFontScope font(buffer, Control, Handle);
    const TColor base = Control ? TextColour(font.Colour()) : SkinData->ButtonTextColour;
    const TColor disabled = Control ? clBtnShadow : kRawDisabledText;
    SetTextColor(buffer,
                 ColorToRGB(ButtonStateTextColour(frame, Enabled, base, *element, disabled)));
    const RECT client{0, 0, PaintBuffer->Width(), PaintBuffer->Height()};
    DrawCentredText(buffer, client, kCaptionBlock, true, Caption);
    PresentBuffer(dc, rect);
}

// Frame by state and the "Default" property, then glyph (or image) and
// caption laid out by the control's properties.
void TSkinBitButton::PaintSkin(HDC dc, const RECT& rect) {
    TDataSkinButton* element = ButtonsElement();
    if (!element)
        return;
    TObject* source = Source();
    ReadWindowState();
    const bool isDefault = SkinReadEnum(source, "Default") == "true";
    const int frame = SkinBitButtonFrame(Pressed(), Hot(), Focused, isDefault, Enabled);
    lastFrame_ = frame;
    HDC buffer = PrepareBuffer(rect, *element, element->FrameCount, frame);
    const TCaptionFontScope font(buffer, source, Handle);
    TButtonFaceInput in = ReadFaceInput(source, SIZE{PaintBuffer->Width(), PaintBuffer->Height()});
    in.centred = SkinReadEnum(source, "Alignment") == "tacenter";
    DrawGlyphFace(buffer, in, ReadGlyph(source), frame, Enabled, TextColour(font.Colour()));
    PresentBuffer(dc, rect);
}

// Latched down, disabled, pressed, hot or normal; a flat button at rest
// shows only the face colour.
void TSkinSpeedButton::PaintSpeedButton(HDC dc, const RECT& rect) {
    TDataSkinButton* element = ButtonsElement();
    if (!element)
        return;
    TObject* source = Source();
    Enabled = SkinReadEnum(source, "Enabled") == "true";
    const bool down = SkinReadEnum(source, "Down") == "true";
    const int frame = SkinSpeedButtonFrame(Pressed(), Hot(), down, Enabled);
    lastFrame_ = frame;
    TakeCaption(SkinReadText(source, "Caption"));
    const bool flat = SkinReadEnum(source, "Flat") == "true";
    const bool bare = flat && frame == kFrameNormal;
    HDC buffer = PrepareBuffer(rect, *element, element->FrameCount, bare ? 0 : frame);
    const TCaptionFontScope font(buffer, source, nullptr);
    TButtonGlyph glyph = ReadGlyph(source);
    // Speed buttons have no image list.
    glyph.images = nullptr;
    const SIZE client{PaintBuffer->Width(), PaintBuffer->Height()};
    if (!glyph.strip) {
        SetTextColor(buffer, ColorToRGB(TextColour(font.Colour())));
        DrawCentredText(buffer, RECT{0, 0, client.cx, client.cy}, kCaptionBlock, true, Caption);
    } else {
        TButtonFaceInput in = ReadFaceInput(source, client);
        in.speed = true;
        DrawGlyphFace(buffer, in, glyph, frame, Enabled, TextColour(font.Colour()));
    }
    PresentBuffer(dc, rect);
}
