// The checker's picture half: every picture the description names is in the
// skin and decodes; each object's frames divide its picture, its margins fit
// one frame, its transparency does something and shows no magenta; caption
// buttons lie inside the title bar.
#include <algorithm>
#include <map>
#include <optional>

#include "framework/core/stream.h"
#include "framework/gdi/bmp_codec.h"
#include "skin/store/skin_reader.h"
#include "tools/skintool/skin_check_internal.h"
#include "tools/skintool/skin_vocabulary.h"

namespace skin_check {

namespace {

constexpr uint32_t kKeyColour = 0xFF00FF; // magenta, as 0x00RRGGBB

// How an object's picture is cut and drawn.
struct TObjectRule {
    std::string Section;
    std::string PictureKey;
    int Frames = 1;          // fixed count, unless FramesKey is set
    std::string FramesKey;   // count read from this key (default Frames)
    bool Stacked = false;    // frames one above the other
    std::string Left, Right; // margin keys across a frame, if any
    std::string Top, Bottom; // margin keys down a frame, if any
    int MarginDefault = 0;   // value of a missing margin key
    std::string TransKey;    // "" when the painter decides
    bool Magenta = true;     // whether key-colour checks apply
};

TObjectRule Rule(const std::string& section, const std::string& key, int frames, bool stacked) {
    TObjectRule r;
    r.Section = section;
    r.PictureKey = key;
    r.Frames = frames;
    r.Stacked = stacked;
    return r;
}

// The four borders: the window region is cut from their magenta pixels
// whatever Trans says, so no key-colour checks.
void AddBorders(std::vector<TObjectRule>& r) {
    for (const char* n : {"Top", "Bottom", "Left", "Right"}) {
        const std::string b = n;
        const bool across = b == "Top" || b == "Bottom";
        TObjectRule rule = Rule("Personality", b, 1, across);
        rule.FramesKey = b + "Frame";
        (across ? rule.Left : rule.Top) = b + "TopHeight";
        (across ? rule.Right : rule.Bottom) = b + "BotHeight";
        rule.Magenta = false;
        r.push_back(rule);
    }
}

std::vector<TObjectRule> ObjectRules() {
    std::vector<TObjectRule> r;
    AddBorders(r);
    // Title plate and menu bar: two frames stacked, drawn as bars.
    r.push_back(Rule("Personality", "TextBack", 2, true));
    r.back().Left = "TXTBackleft";
    r.back().Right = "TXTBackRight";
    r.back().Magenta = false; // always drawn transparent
    r.push_back(Rule("Personality", "menuBar", 2, true));
    r.back().Left = "TileLeftMenu";
    r.back().Right = "TileRightMenu";
    r.back().MarginDefault = 1;
    r.back().Magenta = false;
    const auto object = [&r](const std::string& section, const std::string& key, int frames) {
        r.push_back(Rule(section, key, frames, false));
        TObjectRule& o = r.back();
        o.Left = "LeftWidth";
        o.Right = "RightWidth";
        o.Top = "TopHeight";
        o.Bottom = "BottomHeight";
        o.TransKey = "Trans";
    };
    object("Buttons", "Bitmap", 5);
    object("Progress", "Bitmap", 2);
    const std::pair<const char*, int> plain[] = {
        {"GroupBoxEdge", 2},   {"GroupBox", 1},    {"Toolbars", 5},       {"Tabs", 5},
        {"StatusBarEdges", 3}, {"ComboButton", 4}, {"SunkEdge", 4},       {"ExtraImages", 5},
        {"Headerbar", 5},      {"MenuItem", 5},    {"MenuBackground", 1}, {"HorzScroll", 4},
        {"VertScroll", 4}};
    for (const auto& [section, frames] : plain)
        object(section, "Image", frames);
    for (const char* s : {"HorzScrollThumb", "VertScrollThumb"}) {
        object(s, "Image", 3);
        r.back().FramesKey = "FrameCount";
    }
    // Strips the painters always draw transparent, whatever Trans says.
    const std::pair<const char*, int> strips[] = {
        {"Scrollbar", 23},          {"UpDown.Horz", 8},        {"UpDown.Vert", 8},
        {"Trackbar.ThumbHorz", 5},  {"Trackbar.ThumbVert", 5}, {"Trackbar.ThumbLeft", 5},
        {"Trackbar.ThumbRight", 5}, {"Trackbar.ThumbUp", 5},   {"Trackbar.ThumbDown", 5}};
    for (const auto& [section, frames] : strips) {
        object(section, "Image", frames);
        r.back().Magenta = false;
    }
    r.push_back(Rule("MDIControls", "Image", 12, false));
    r.back().Magenta = false;
    return r;
}

uint32_t PixelRgb(const TBmpImage& img, int x, int y) {
    const uint8_t* row = img.Pixels.data() + img.Stride() * static_cast<size_t>(y);
    const int bits = img.BitsPerPixel;
    if (bits >= 24) {
        const uint8_t* p = row + static_cast<size_t>(x) * (bits / 8);
        return (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
    }
    const size_t bit = static_cast<size_t>(x) * bits;
    const unsigned index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
    return index < img.Palette.size() ? img.Palette[index] & 0xFFFFFF : 0;
}

// Whether any pixel of the rectangle (or only its outline) is magenta.
bool HasKey(const TBmpImage& img, int x0, int y0, int w, int h, bool outlineOnly) {
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            const bool edge = y == y0 || y == y0 + h - 1 || x == x0 || x == x0 + w - 1;
            if ((edge || !outlineOnly) && PixelRgb(img, x, y) == kKeyColour)
                return true;
        }
    return false;
}

class TPictureChecker {
public:
    explicit TPictureChecker(const TContext& c) : c_(c) {}

    void Run() {
        LoadNamedPictures();
        for (const TObjectRule& rule : ObjectRules())
            CheckObject(rule);
        CheckMarkStrip("CheckButton", "CheckButtonFrame");
        CheckMarkStrip("RadioButton", "RadioButtonFrame");
        CheckCaptionButtons();
    }

private:
    // Decodes every picture a read key names; reports the ones the engine
    // would leave empty.
    void LoadNamedPictures() {
        for (const TIniSection& s : c_.Ini.Sections) {
            const TSkinSectionInfo* known = s.Live ? FindSkinSection(s.Name) : nullptr;
            if (!known || !known->Read)
                continue;
            for (const TIniEntry& e : s.Entries) {
                const TSkinKeyInfo* key = e.HasEquals ? FindSkinKey(*known, e.Key) : nullptr;
                if (key && key->Kind == TSkinValueKind::Picture && !e.Value.empty() &&
                    c_.Ini.Find(s.Name, e.Key) == &e)
                    Load(s.Name, e);
            }
        }
    }

    void Load(const std::string& section, const TIniEntry& e) {
        const std::string where = "[" + section + "] " + e.Key + ": ";
        const size_t cut = e.Value.find_last_of("\\:");
        const std::string name = cut == std::string::npos ? e.Value : e.Value.substr(cut + 1);
        const size_t dot = name.rfind('.');
        if (dot == std::string::npos || name.compare(dot, std::string::npos, ".bmp") != 0) {
            c_.Add(TSkinIssue::Error, e.Line,
                   where + "'" + e.Value +
                       "' is never loaded: only names ending in '.bmp' "
                       "(lower case) are read");
            return;
        }
        TMemoryStream file;
        if (!c_.Reader.FindFile(name, file) || file.Size() == 0) {
            c_.Add(TSkinIssue::Error, e.Line, where + "picture '" + name + "' is not in the skin");
            return;
        }
        TBmpImage img;
        std::string why;
        if (!DecodeBmp(file.Memory(), static_cast<size_t>(file.Size()), img, why)) {
            c_.Add(TSkinIssue::Error, e.Line,
                   where + "picture '" + name + "' cannot be read: " + why);
            return;
        }
        pictures_[Key(section, e.Key)] = {name, std::move(img)};
    }

    static std::string Key(const std::string& section, const std::string& key) {
        return Upper(section) + "\n" + Upper(key);
    }

    struct TPicture {
        std::string Name;
        TBmpImage Image;
    };
    const TPicture* Picture(const std::string& section, const std::string& key) const {
        const auto it = pictures_.find(Key(section, key));
        return it == pictures_.end() ? nullptr : &it->second;
    }

    std::string Size(const TPicture& p) const {
        return "'" + p.Name + "' (" + std::to_string(p.Image.Width) + "x" +
               std::to_string(p.Image.Height) + ")";
    }

    // Frames divide the picture; returns the frame size (0 x 0 when they do not fit at all).
    std::pair<int, int> CheckFrames(const TPicture& p, int n, bool stacked, int line,
                                    const std::string& where) {
        const int along = stacked ? p.Image.Height : p.Image.Width;
        if (n < 1 || along % n != 0)
            c_.Add(TSkinIssue::Warning, line,
                   where + Size(p) + " does not divide into " + std::to_string(n) +
                       (stacked ? " frames stacked" : " frames side by side"));
        const int count = std::max(n, 1);
        return stacked ? std::make_pair(p.Image.Width, p.Image.Height / count)
                       : std::make_pair(p.Image.Width / count, p.Image.Height);
    }

    // The section's name as the INI writes it.
    std::string Shown(const std::string& section) const {
        const TIniSection* s = c_.Ini.FindSection(section);
        return "[" + (s ? s->Name : section) + "] ";
    }

    int Margin(const TObjectRule& rule, const std::string& key) const {
        return key.empty() ? 0 : c_.Ini.Integer(rule.Section, key, rule.MarginDefault);
    }

    void CheckMargins(const TObjectRule& rule, const TPicture& p, std::pair<int, int> frame) {
        const std::string where = Shown(rule.Section);
        const int across = Margin(rule, rule.Left) + Margin(rule, rule.Right);
        const int down = Margin(rule, rule.Top) + Margin(rule, rule.Bottom);
        if (!rule.Left.empty() && across > frame.first)
            c_.Add(TSkinIssue::Warning, c_.Ini.LineOf(rule.Section, rule.Left),
                   where + rule.Left + " + " + rule.Right + " = " + std::to_string(across) +
                       " is more than the frame width " + std::to_string(frame.first) + " of " +
                       Size(p));
        if (!rule.Top.empty() && down > frame.second)
            c_.Add(TSkinIssue::Warning, c_.Ini.LineOf(rule.Section, rule.Top),
                   where + rule.Top + " + " + rule.Bottom + " = " + std::to_string(down) +
                       " is more than the frame height " + std::to_string(frame.second) + " of " +
                       Size(p));
    }

    void CheckMagenta(const TObjectRule& rule, const TPicture& p, int n, std::pair<int, int> frame,
                      int line) {
        if (!rule.Magenta || rule.TransKey.empty() || frame.first <= 0 || frame.second <= 0)
            return;
        const bool trans = c_.Ini.Integer(rule.Section, rule.TransKey, 0) != 0;
        const std::string where = Shown(rule.Section) + rule.PictureKey + ": ";
        if (trans && !HasKey(p.Image, 0, 0, p.Image.Width, p.Image.Height, false)) {
            c_.Add(TSkinIssue::Warning, c_.Ini.LineOf(rule.Section, rule.TransKey),
                   where + "Trans is set but " + Size(p) +
                       " has no magenta (255 0 255) pixel to leave out");
            return;
        }
        if (trans)
            return;
        for (int k = 0; k < std::max(n, 1); ++k) {
            const int x0 = rule.Stacked ? 0 : k * frame.first;
            const int y0 = rule.Stacked ? k * frame.second : 0;
            if (HasKey(p.Image, x0, y0, frame.first, frame.second, true)) {
                c_.Add(TSkinIssue::Warning, line,
                       where + "frame " + std::to_string(k + 1) + " of " + Size(p) +
                           " has magenta on its edge, drawn as magenta because Trans is 0");
                return;
            }
        }
    }

    void CheckObject(const TObjectRule& rule) {
        const TPicture* p = Picture(rule.Section, rule.PictureKey);
        if (!p)
            return;
        const int line = c_.Ini.LineOf(rule.Section, rule.PictureKey);
        const int n = rule.FramesKey.empty()
                          ? rule.Frames
                          : c_.Ini.Integer(rule.Section, rule.FramesKey, rule.Frames);
        const auto frame =
            CheckFrames(*p, n, rule.Stacked, line, Shown(rule.Section) + rule.PictureKey + ": ");
        CheckMargins(rule, *p, frame);
        CheckMagenta(rule, *p, n, frame, line);
    }

    // Check and radio strips: the given count, else width div 13 (or 16), at least 4.
    void CheckMarkStrip(const std::string& key, const std::string& framesKey) {
        const TPicture* p = Picture("Buttons", key);
        if (!p)
            return;
        int n = c_.Ini.Integer("Buttons", framesKey, 0);
        if (n == 0)
            n = std::max(p->Image.Width / (p->Image.Height < 16 ? 13 : 16), 4);
        CheckFrames(*p, n, false, c_.Ini.LineOf("Buttons", key), "[Buttons] " + key + ": ");
    }

    void CheckCaptionButtons();

    const TContext& c_;
    std::map<std::string, TPicture> pictures_;
};

// Each caption button that shows a picture lies inside the title bar (its
// height is one frame of the top border).
void TPictureChecker::CheckCaptionButtons() {
    const TPicture* top = Picture("Personality", "Top");
    const int topFrames = std::max(c_.Ini.Integer("Personality", "TopFrame", 1), 1);
    const int title = top ? top->Image.Height / topFrames : 0;
    for (const TIniSection& s : c_.Ini.Sections) {
        const TSkinSectionInfo* known = s.Live ? FindSkinSection(s.Name) : nullptr;
        if (!known || !known->Read || !known->Prefix || !SameText(known->Name, "Button"))
            continue;
        const int action = c_.Ini.Integer(s.Name, "Action", 0);
        if (action == -1 && c_.Ini.Integer(s.Name, "Visibility", -1) != 0)
            continue; // not a caption button of this engine
        const TPicture* p = Picture(s.Name, "ButtonImage");
        int n = c_.Ini.Integer(s.Name, "frame", 0);
        if (n == 0) {
            if (action == 3 || action == 11)
                continue; // shows the window's icon
            if (!p)
                continue;
            const int64_t w = p->Image.Width, h = p->Image.Height;
            n = action < 0 || w * 10 > h * 38 ? 6 : 3;
        }
        if (!p)
            continue;
        const std::string where = "[" + s.Name + "] ";
        const auto frame = CheckFrames(*p, n, false, c_.Ini.LineOf(s.Name, "ButtonImage"),
                                       where + "ButtonImage: ");
        const int align = c_.Ini.Integer(s.Name, "Align", 0);
        const int x = c_.Ini.Integer(s.Name, "Xcoord", 0), y = c_.Ini.Integer(s.Name, "Ycoord", 0);
        const std::vector<int> placements = {0, 1, 2, 3, 8, 9};
        if (std::find(placements.begin(), placements.end(), align) == placements.end()) {
            c_.Add(TSkinIssue::Warning, c_.Ini.LineOf(s.Name, "Align"),
                   where + "Align " + std::to_string(align) +
                       " is not a placement (0, 1, 2, 3, 8, 9); the button sits at the title "
                       "bar's top-left corner");
            continue;
        }
        if (top && (y < 0 || y + frame.second > title))
            c_.Add(TSkinIssue::Warning, c_.Ini.LineOf(s.Name, "Ycoord"),
                   where + "Ycoord " + std::to_string(y) + " puts the " +
                       std::to_string(frame.second) + "-pixel button outside the " +
                       std::to_string(title) + "-pixel title bar");
        if ((align == 0 && x < 0) || (align == 1 && x < frame.first))
            c_.Add(TSkinIssue::Warning, c_.Ini.LineOf(s.Name, "Xcoord"),
                   where + "Xcoord " + std::to_string(x) + " puts the " +
                       std::to_string(frame.first) + "-pixel button past the window's " +
                       (align == 0 ? "left" : "right") + " edge");
    }
}

} // namespace

void CheckPictures(const TContext& c) {
    TPictureChecker(c).Run();
}

} // namespace skin_check
