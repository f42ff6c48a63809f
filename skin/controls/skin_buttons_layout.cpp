// The pure rules of the push-button wrappers: which frame and glyph cell a
// state shows, the caption's line breaks, the text colour of a state, and
// where glyph and caption go. Divisions round toward zero throughout.
#include "skin/controls/skin_buttons.h"

#include "skin/model/skin_objects.h"

int SkinButtonFrame(bool pressed, bool hot, bool isDefault, bool focused, bool enabled) {
    if (!enabled)
        return kFrameDisabled;
    if (pressed)
        return kFramePressed;
    if (hot)
        return kFrameHot;
    if (isDefault)
        return kFrameDefault;
    return focused ? kFrameHot : kFrameNormal;
}

int SkinBitButtonFrame(bool pressed, bool hot, bool focused, bool isDefault, bool enabled) {
    if (!enabled)
        return kFrameDisabled;
    if (pressed)
        return kFramePressed;
    if (focused || hot)
        return kFrameHot;
    return isDefault ? kFrameDefault : kFrameNormal;
}

int SkinSpeedButtonFrame(bool pressed, bool hot, bool down, bool enabled) {
    if (down)
        return kFramePressed;
    if (!enabled)
        return kFrameDisabled;
    return pressed ? kFramePressed : hot ? kFrameHot : kFrameNormal;
}

int SkinGlyphCell(int frame) {
    if (frame == kFramePressed)
        return kCellPressed;
    return frame == kFrameDisabled ? kCellDisabled : kCellNormal;
}

int SkinGlyphSourceCell(int numGlyphs, int cell) {
    return numGlyphs == 4 ? cell : kCellNormal;
}

std::wstring SplitCaptionLines(const std::wstring& caption) {
    std::wstring out;
    out.reserve(caption.size());
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'|' && i + 1 < caption.size() && caption[i + 1] == L'|') {
            out += L"\r\n";
            ++i;
        } else {
            out += caption[i];
        }
    }
    return out;
}

TGlyphPlace GlyphPlaceOf(const std::string& layout) {
    if (layout == "blglyphright")
        return TGlyphPlace::Right;
    if (layout == "blglyphtop")
        return TGlyphPlace::Top;
    if (layout == "blglyphbottom")
        return TGlyphPlace::Bottom;
    return TGlyphPlace::Left;
}

uint32_t GreyPixel(uint32_t colour) {
    const uint32_t r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
    const uint32_t grey = (r + g + b) / 3;
    return grey | (grey << 8) | (grey << 16);
}

TColor ButtonStateTextColour(int frame, bool enabled, TColor base, const TDataSkinButton& element,
                             TColor disabled) {
    if (!enabled)
        return disabled;
    if (frame == kFrameNormal && element.HasNormalColour2)
        return element.NormalColour2;
    if (frame == kFrameHot && element.HasMouseOverColour2)
        return element.MouseOverColour2;
    if (frame == kFramePressed && element.HasPressedColour2)
        return element.PressedColour2;
    return base;
}

namespace {

// Margin and spacing along the layout axis: c the client's length, g the
// glyph's, t the text's.
void ResolveGaps(const TButtonFaceInput& in, int c, int g, int t, int& margin, int& spacing) {
    const bool automatic = margin == -1 || (in.centred && !in.speed);
    if (automatic) {
        if (spacing == -1) {
            margin = (c - (g + t)) / 3;
            spacing = margin;
        } else {
            // The speed button's automatic margin sits one pixel further in.
            const int extra = in.speed && margin == -1 ? 1 : 0;
            margin = (c - (g + spacing + t)) / 2 + extra;
        }
    } else if (spacing == -1) {
        spacing = ((c - (margin + g)) - t) / 2;
    }
}

UINT FaceTextFlags(TGlyphPlace place, bool speed) {
    UINT flags = speed ? 0 : DT_WORDBREAK;
    if (place == TGlyphPlace::Right)
        flags |= DT_RIGHT;
    else if (place == TGlyphPlace::Top || place == TGlyphPlace::Bottom)
        flags |= DT_CENTER;
    return flags;
}

} // namespace

TButtonFaceLayout LayoutButtonFace(const TButtonFaceInput& in) {
    TButtonFaceLayout out;
    const bool across = in.place == TGlyphPlace::Left || in.place == TGlyphPlace::Right;
    POINT glyph{}, text{};
    // Across the layout axis both are centred.
    if (across) {
        glyph.y = (in.client.cy - in.glyph.cy + 1) / 2;
        text.y = (in.client.cy - in.text.cy + 1) / 2;
    } else {
        glyph.x = (in.client.cx - in.glyph.cx + 1) / 2;
        text.x = (in.client.cx - in.text.cx + 1) / 2;
    }
    const int c = across ? in.client.cx : in.client.cy;
    const int g = across ? in.glyph.cx : in.glyph.cy;
    const int t = across ? in.text.cx : in.text.cy;
    int margin = in.margin, spacing = in.spacing;
    // Without a text or a glyph there is nothing to space (judged by the
    // widths whatever the axis).
    if (in.text.cx == 0 || in.glyph.cx == 0)
        spacing = 0;
    ResolveGaps(in, c, g, t, margin, spacing);
    int gp = 0, tp = 0;
    if (in.place == TGlyphPlace::Left || in.place == TGlyphPlace::Top) {
        gp = margin;
        tp = gp + g + spacing;
    } else {
        gp = c - margin - g;
        tp = gp - spacing - t;
    }
    (across ? glyph.x : glyph.y) = gp;
    (across ? text.x : text.y) = tp;
    out.glyph = glyph;
    out.text = RECT{text.x, text.y, text.x + in.text.cx, text.y + in.text.cy};
    out.textFlags = FaceTextFlags(in.place, in.speed);
    out.margin = margin;
    out.spacing = spacing;
    return out;
}
