// The skin description's vocabulary; see the header.
#include "tools/skintool/skin_vocabulary.h"

#include <algorithm>
#include <cstdint>

namespace {

using K = TSkinValueKind;
constexpr long long kAny = INT32_MAX;

TSkinKeyInfo Int(const std::string& key, long long lo = INT32_MIN, long long hi = kAny) {
    return {key, K::Integer, lo, hi};
}
TSkinKeyInfo Flag(const std::string& key) {
    return {key, K::Integer, 0, 1};
}
TSkinKeyInfo Size(const std::string& key) {
    return {key, K::Integer, 0, kAny};
}
TSkinKeyInfo Pic(const std::string& key) {
    return {key, K::Picture, 0, 0};
}
TSkinKeyInfo Col(const std::string& key) {
    return {key, K::Colour, 0, 0};
}
TSkinKeyInfo Unread(const std::string& key) {
    return {key, K::Unread, 0, 0};
}
// A colour as one number (0x00BBGGRR), -1 for none.
TSkinKeyInfo IntColour(const std::string& key) {
    return {key, K::Integer, -1, 0xFFFFFF};
}

// Keys every plain object section has: picture, margins, flags, colours.
std::vector<TSkinKeyInfo> ObjectKeys(bool withStyle) {
    std::vector<TSkinKeyInfo> keys = {Pic("Image"),
                                      Size("LeftWidth"),
                                      Size("RightWidth"),
                                      Size("TopHeight"),
                                      Size("BottomHeight"),
                                      Flag("Trans"),
                                      Flag("Tile"),
                                      IntColour("NormalColour"),
                                      IntColour("MouseOverColour"),
                                      IntColour("PressedColour"),
                                      Col("NormalColour2"),
                                      Col("MouseOverColour2"),
                                      Col("PressedColour2")};
    keys.push_back(withStyle ? Int("Style") : Unread("Style"));
    return keys;
}

TSkinSectionInfo Plain(const std::string& name, bool withStyle = true) {
    return {name, false, true, ObjectKeys(withStyle)};
}

std::vector<TSkinKeyInfo> PersonalityKeys() {
    std::vector<TSkinKeyInfo> keys;
    for (const char* n : {"Top", "Left", "Right", "Bottom"}) {
        const std::string b = n;
        keys.insert(keys.end(), {Pic(b), Size(b + "TopHeight"), Size(b + "BotHeight"),
                                 Int(b + "Frame", 1), Flag(b + "Stretch"), Flag(b + "Trans")});
    }
    keys.insert(keys.end(),
                {Pic("TextBack"), Int("TextShift"), Int("TextShiftVert"), Int("TextRightClip"),
                 Int("TextAlignment", 0, 2), Flag("Textbackground"), Size("TXTBackleft"),
                 Size("TXTBackRight"), Pic("menuBar"), Flag("TileMenu"), Size("TileLeftMenu"),
                 Size("TileRightMenu"), Unread("MenuBorders"), Unread("MenuBorderWidth"),
                 Unread("ShadowMenus")});
    for (const char* p : {"ActiveText", "InActiveText"})
        for (const char* c : {"R", "G", "B"})
            keys.push_back(Int(std::string(p) + c, 0, 255));
    return keys;
}

std::vector<TSkinKeyInfo> ColourTableKeys() {
    std::vector<TSkinKeyInfo> keys;
    for (const char* k :
         {"WindowText", "ButtonFace", "Scrollbar", "HilightText", "Hilight", "Menubar", "Menu",
          "MenuText", "ButtonText", "ButtonHilight", "Buttonlight", "ButtonShadow",
          "ButtonDkShadow", "MenuBarText", "TitleTextActive", "TitleTextNoActive"})
        keys.push_back(Col(k));
    // The rest of a desktop colour scheme, which skins carry for other shells.
    for (const char* k : {"Window", "Background", "ActiveTitle", "GradientActiveTitle",
                          "InactiveTitle", "GradientInactiveTitle", "ActiveBorder",
                          "InactiveBorder", "AppWorkspace", "GrayText", "InfoText", "InfoWindow"})
        keys.push_back(Unread(k));
    return keys;
}

std::vector<TSkinSectionInfo> BuildVocabulary() {
    std::vector<TSkinSectionInfo> v;
    v.push_back({"TitlebarSkin",
                 false,
                 true,
                 {{"SkinName", K::Text},
                  Unread("Author"),
                  Unread("Version"),
                  Unread("Date"),
                  Unread("Description"),
                  Unread("Preview")}});
    v.push_back({"Personality", false, true, PersonalityKeys()});
    v.push_back({"Colours", false, true, ColourTableKeys()});
    std::vector<TSkinKeyInfo> custom;
    for (int i = 0; i < 10; ++i)
        custom.push_back(Col("Color" + std::to_string(i)));
    v.push_back({"Customcolors", false, true, custom});
    v.push_back({"Buttons",
                 false,
                 true,
                 {Pic("Bitmap"), Pic("CheckButton"), Pic("RadioButton"), Size("LeftWidth"),
                  Size("RightWidth"), Size("TopHeight"), Size("BottomHeight"), Flag("Trans"),
                  Flag("Tile"), IntColour("NormalColour"), IntColour("MouseOverColour"),
                  IntColour("PressedColour"), Size("RadioButtonFrame"), Size("CheckButtonFrame"),
                  Col("NormalColour2"), Col("MouseOverColour2"), Col("PressedColour2")}});
    v.push_back(
        {"Progress",
         false,
         true,
         {Pic("Bitmap"), Pic("Chunk"), Int("Style", 0, 1), Size("LeftWidth"), Size("RightWidth"),
          Size("TopHeight"), Size("BottomHeight"), Flag("Trans"), Flag("Tile")}});
    v.push_back({"Fonts", false, true, {Int("FontHeight"), Unread("FontWeight")}});
    v.push_back({"MDIControls", false, true, {Pic("Image")}});
    for (const char* s :
         {"GroupBoxEdge", "Toolbars", "StatusBarEdges", "SunkEdge", "ExtraImages", "Headerbar",
          "MenuItem", "MenuBackground", "Scrollbar", "HorzScroll", "VertScroll",
          "Trackbar.ThumbHorz", "Trackbar.ThumbVert", "Trackbar.ThumbLeft", "Trackbar.ThumbRight",
          "Trackbar.ThumbUp", "Trackbar.ThumbDown"})
        v.push_back(Plain(s));
    for (const char* s : {"HorzScrollThumb", "VertScrollThumb"}) {
        v.push_back(Plain(s));
        v.back().Keys.push_back(Int("FrameCount", 1));
    }
    v.push_back(Plain("Tabs", false));
    v.back().Keys.push_back(Pic("Border"));
    v.push_back(Plain("ComboButton", false));
    v.back().Keys.push_back(Pic("****")); // a second picture no skin names
    for (const char* s : {"UpDown.Horz", "UpDown.Vert"}) {
        v.push_back(Plain(s, false));
        v.back().Keys.push_back(Pic("GlyphImage"));
    }
    v.push_back(Plain("GroupBox"));
    v.back().Keys.insert(
        v.back().Keys.end(),
        {Int("BackgroundAlignment"), Int("BackgroundLeftShift"), Int("BackgroundRightShift")});
    // Sections starting "Button" (other than the push-button ones) are caption buttons.
    v.push_back({"Button",
                 true,
                 true,
                 {Int("Action"), Int("Align"), Int("Xcoord"), Int("Ycoord"), Int("Visibility"),
                  Int("Visibility1"), Int("CombineOp"), Size("frame"), Pic("ButtonImage"),
                  Unread("MouseOver"), Unread("Disabled")}});
    v.push_back({"Colour", true, true, {Col("color"), Unread("Name")}});
    // Sections of skin files that describe things other shells draw.
    for (const char* s : {"Button.Radio", "Button.Checkbox", "RebarGrip", "TaskBar", "StartButton",
                          "MenuBar", "Text", "WebBlinds", "Skins"})
        v.push_back({s, false, false, {}});
    for (const char* s : {"Font", "Layout", "WebBlindsToolbar"})
        v.push_back({s, true, false, {}});
    // The plain "Button" section: neither a caption button nor read.
    v.push_back({"Button", false, false, {}});
    return v;
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

bool StartsWithText(const std::string& s, const std::string& prefix) {
    return s.size() >= prefix.size() && SameText(s.substr(0, prefix.size()), prefix);
}

size_t Distance(const std::string& a, const std::string& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diag = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t up = row[j];
            const size_t cost = LowerAscii(a[i - 1]) == LowerAscii(b[j - 1]) ? 0 : 1;
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diag + cost});
            diag = up;
        }
    }
    return row[b.size()];
}

} // namespace

const std::vector<TSkinSectionInfo>& SkinVocabulary() {
    static const std::vector<TSkinSectionInfo> v = BuildVocabulary();
    return v;
}

const TSkinSectionInfo* FindSkinSection(const std::string& name) {
    const auto& v = SkinVocabulary();
    for (const TSkinSectionInfo& s : v)
        if (!s.Prefix && SameText(s.Name, name))
            return &s;
    for (const TSkinSectionInfo& s : v)
        if (s.Prefix && StartsWithText(name, s.Name))
            return &s;
    return nullptr;
}

const TSkinKeyInfo* FindSkinKey(const TSkinSectionInfo& section, const std::string& key) {
    for (const TSkinKeyInfo& k : section.Keys)
        if (SameText(k.Key, key))
            return &k;
    return nullptr;
}

std::string NearestName(const std::string& name, const std::vector<std::string>& known) {
    std::string best;
    size_t bestDistance = SIZE_MAX;
    for (const std::string& k : known) {
        const size_t d = Distance(name, k);
        if (d < bestDistance) {
            bestDistance = d;
            best = k;
        }
    }
    // A typo changes a few letters; anything further is another word.
    const size_t limit = std::max<size_t>(2, name.size() / 3);
    return bestDistance <= limit ? best : std::string();
}
