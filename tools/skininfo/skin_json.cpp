// Writes the skin model as JSON: skin-wide values, every object with its
// settings and picture sizes, the caption buttons and the colours.
#include "tools/skininfo/skin_json.h"

#include <cstdio>
#include <sstream>

#include "skin/model/skin_data.h"

namespace {

// JSON string literal of ANSI text.
std::string Quote(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
            out += buf;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string Hex(TColor c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "\"0x%08X\"", static_cast<unsigned>(c));
    return buf;
}

std::string Size(const TBitmap& b) {
    if (b.Empty())
        return "null";
    std::ostringstream o;
    o << "[" << b.Width() << ", " << b.Height() << ", " << PixelFormatBits(b.PixelFormat()) << "]";
    return o.str();
}

// One skin object with the fields of its class.
std::string Object(const TDataSkinObject* obj) {
    if (!obj)
        return "null";
    std::ostringstream o;
    o << "{\"name\": " << Quote(obj->Name) << ", \"picture\": " << Size(obj->Picture)
      << ", \"frames\": " << obj->FrameCount << ", \"margins\": [" << obj->LeftWidth << ", "
      << obj->TopHeight << ", " << obj->RightWidth << ", " << obj->BottomHeight
      << "], \"trans\": " << obj->Trans << ", \"tile\": " << obj->Tile
      << ", \"style\": " << obj->Style << ", \"colours\": [" << obj->NormalColour << ", "
      << obj->MouseOverColour << ", " << obj->PressedColour << "], \"colours2\": ["
      << Hex(obj->NormalColour2) << ", " << Hex(obj->MouseOverColour2) << ", "
      << Hex(obj->PressedColour2) << "]";
    if (auto* b = dynamic_cast<const TDataSkinBorder*>(obj))
        o << ", \"picture2\": " << Size(b->Picture2);
    if (auto* t = dynamic_cast<const TDataSkinTitle*>(obj))
        o << ", \"textAlignment\": " << t->TextAlignment
          << ", \"textbackground\": " << t->Textbackground << ", \"fontHeight\": " << t->FontHeight
          << ", \"txtBack\": [" << t->TXTBackleft << ", " << t->TXTBackRight
          << "], \"activeText\": " << Hex(t->ActiveTextColour)
          << ", \"inactiveText\": " << Hex(t->InactiveTextColour);
    if (auto* b = dynamic_cast<const TDataSkinButton*>(obj))
        o << ", \"checkPicture\": " << Size(b->CheckPicture)
          << ", \"checkFrames\": " << b->CheckButtonFrame
          << ", \"radioPicture\": " << Size(b->RadioPicture)
          << ", \"radioFrames\": " << b->RadioButtonFrame << ", \"hasColours2\": ["
          << b->HasNormalColour2 << ", " << b->HasMouseOverColour2 << ", " << b->HasPressedColour2
          << "]";
    if (auto* s = dynamic_cast<const TDataSkinSysButton*>(obj))
        o << ", \"action\": " << s->Action << ", \"align\": " << s->Align
          << ", \"xcoord\": " << s->XCoord << ", \"ycoord\": " << s->YCoord
          << ", \"combineOp\": " << s->CombineOp << ", \"visibility\": " << s->Visibility
          << ", \"visibility1\": " << s->Visibility1;
    if (auto* l = dynamic_cast<const TDataSkinBoxLabel*>(obj))
        o << ", \"backgroundAlignment\": " << l->BackgroundAlignment << ", \"backgroundShift\": ["
          << l->BackgroundLeftShift << ", " << l->BackgroundRightShift << "]";
    return o.str() + "}";
}

// The "objects" member: every skin object by its field name.
void WriteObjects(std::ostringstream& o, TSkinData& d) {
    const std::pair<const char*, const TDataSkinObject*> objects[] = {
        {"LeftBorder", d.LeftBorder.get()},
        {"RightBorder", d.RightBorder.get()},
        {"TopBorder", d.TopBorder.get()},
        {"BottomBorder", d.BottomBorder.get()},
        {"Title", d.Title.get()},
        {"Buttons", d.Buttons.get()},
        {"Progress", d.Progress.get()},
        {"MenuBar", d.MenuBar.get()},
        {"GroupBoxEdge", d.GroupBoxEdge.get()},
        {"GroupBox", d.GroupBox.get()},
        {"Toolbars", d.Toolbars.get()},
        {"Tabs", d.Tabs.get()},
        {"StatusBarEdges", d.StatusBarEdges.get()},
        {"ComboButton", d.ComboButton.get()},
        {"SunkEdge", d.SunkEdge.get()},
        {"ExtraImages", d.ExtraImages.get()},
        {"Headerbar", d.Headerbar.get()},
        {"MenuItem", d.MenuItem.get()},
        {"MenuBackground", d.MenuBackground.get()},
        {"Scrollbar", d.Scrollbar.get()},
        {"HorzScroll", d.HorzScroll.get()},
        {"VertScroll", d.VertScroll.get()},
        {"HorzScrollThumb", d.HorzScrollThumb.get()},
        {"VertScrollThumb", d.VertScrollThumb.get()},
        {"TrackbarThumbHorz", d.TrackbarThumbHorz.get()},
        {"TrackbarThumbVert", d.TrackbarThumbVert.get()},
        {"TrackbarThumbLeft", d.TrackbarThumbLeft.get()},
        {"TrackbarThumbRight", d.TrackbarThumbRight.get()},
        {"TrackbarThumbUp", d.TrackbarThumbUp.get()},
        {"TrackbarThumbDown", d.TrackbarThumbDown.get()},
        {"UpDownHorz", d.UpDownHorz.get()},
        {"UpDownVert", d.UpDownVert.get()},
    };
    o << "  \"objects\": {\n";
    for (size_t i = 0; i < std::size(objects); ++i)
        o << "    " << Quote(objects[i].first) << ": " << Object(objects[i].second)
          << (i + 1 < std::size(objects) ? ",\n" : "\n");
    o << "  },\n";
}

// The colour table, the extra colours and the custom colours.
void WriteColours(std::ostringstream& o, TSkinData& d) {
    const std::pair<const char*, TColor> colours[] = {
        {"WindowText", d.WindowTextColour},
        {"ButtonFace", d.ButtonFaceColour},
        {"Scrollbar", d.ScrollbarColour},
        {"HilightText", d.HilightTextColour},
        {"Hilight", d.HilightColour},
        {"Menubar", d.MenubarColour},
        {"Menu", d.MenuColour},
        {"MenuText", d.MenuTextColour},
        {"ButtonText", d.ButtonTextColour},
        {"ButtonHilight", d.ButtonHilightColour},
        {"Buttonlight", d.ButtonlightColour},
        {"ButtonShadow", d.ButtonShadowColour},
        {"ButtonDkShadow", d.ButtonDkShadowColour},
        {"MenuBarText", d.MenuBarTextColour},
        {"TitleTextActive", d.TitleTextActiveColour},
        {"TitleTextNoActive", d.TitleTextNoActiveColour},
    };
    o << "  \"colours\": {";
    for (size_t i = 0; i < std::size(colours); ++i)
        o << (i ? ", " : "") << Quote(colours[i].first) << ": " << Hex(colours[i].second);
    o << "},\n  \"extraColours\": [";
    for (size_t i = 0; i < d.ExtraColours.size(); ++i)
        o << (i ? ", " : "") << Hex(d.ExtraColours[i]);
    o << "],\n  \"customColors\": [";
    for (size_t i = 0; i < d.CustomColors.size(); ++i)
        o << (i ? ", " : "") << Hex(d.CustomColors[i]);
    o << "]\n";
}

} // namespace

// The whole model of data as one JSON object.
std::string SkinModelJson(TSkinData& d) {
    std::ostringstream o;
    o << "{\n  \"skinName\": " << Quote(d.SkinName)
      << ",\n  \"skinEmpty\": " << (d.SkinEmpty() ? "true" : "false") << ",\n";
    WriteObjects(o, d);
    o << "  \"captionButtons\": [\n";
    for (size_t i = 0; i < d.CaptionButtons.size(); ++i)
        o << "    " << Object(d.CaptionButtons[i].get())
          << (i + 1 < d.CaptionButtons.size() ? ",\n" : "\n");
    o << "  ],\n";
    WriteColours(o, d);
    return o.str() + "}\n";
}
