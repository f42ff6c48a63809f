// The skin-object loader: BuildSkin's steps, the per-object loaders, the
// colour-string conversion and the one way pictures are read.
#include "skin/model/skin_loader.h"

#include <cstring>

#include "framework/core/stream.h"
#include "skin/store/quick_ini.h"
#include "skin/draw/skin_draw.h"
#include "skin/model/combo_composite.h"
#include "skin/model/skin_data.h"
#include "skin/store/skin_reader.h"

#include <windows.h>

namespace {

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

bool StartsWith(const std::string& s, const char* prefix) {
    return s.compare(0, std::strlen(prefix), prefix) == 0;
}

// The part (x, 0, x + w, height) of a 24-bit picture as a new 24-bit bitmap.
void CopyColumns24(TBitmap& target, const TBitmap& full, int x, int w) {
    target.SetPixelFormat(TPixelFormat::pf24bit);
    target.SetSize(w, full.Height());
    // One flush of pending drawing each, then rows by address.
    uint8_t* to = target.ScanLine(0);
    const uint8_t* from = full.ScanLine(0);
    for (int y = 0; y < full.Height(); ++y)
        std::memcpy(to + static_cast<size_t>(y) * target.Stride(),
                    from + static_cast<size_t>(y) * full.Stride() + 3 * x,
                    static_cast<size_t>(3 * w));
}

} // namespace

// Converts a colour string such as "0 78 152" to 0x00BBGGRR.
TColor ParseColour(const std::string& text, TColor def) {
    size_t first = 0, last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= 32)
        ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32)
        --last;
    if (first == last)
        return def;
    uint32_t numbers[3] = {0, 0, 0};
    int stored = 0;
    bool inRun = false;
    uint32_t run = 0; // kept modulo 256: only that part of each number counts
    for (size_t i = first; i < last; ++i) {
        char c = text[i];
        if (c >= '0' && c <= '9') {
            run = (run * 10 + static_cast<uint32_t>(c - '0')) & 0xFF;
            inRun = true;
        } else if (inRun) {
            if (stored < 3)
                numbers[stored++] = run;
            run = 0;
            inRun = false;
        }
    }
    if (stored == 2 && inRun)
        numbers[2] = run;
    return static_cast<TColor>(numbers[0] | (numbers[1] << 8) | (numbers[2] << 16));
}

// Reads the picture named by value (file-name part, exact ".bmp") from the archive.
void LoadPicture(TBitmap& target, const TSkinReader& reader, const std::string& value) {
    size_t cut = value.find_last_of("\\:");
    std::string name = cut == std::string::npos ? value : value.substr(cut + 1);
    size_t dot = name.rfind('.');
    if (name.empty() || dot == std::string::npos ||
        name.compare(dot, std::string::npos, ".bmp") != 0) {
        target.Clear();
        return;
    }
    TMemoryStream file;
    reader.FindFile(name, file);
    if (file.Size() == 0) {
        target.Clear();
        return;
    }
    try {
        file.SetPosition(0);
        target.LoadFromStream(file);
    } catch (const EInvalidGraphic&) {
        // A damaged picture counts as a missing one: the skin stays usable.
        target.Clear();
    }
}

TSkinLoader::TSkinLoader(TSkinData& data, const TQuickIni& ini, const TSkinReader& reader)
    : data_(data), ini_(ini), reader_(reader) {}

// Fills the whole model in the fixed order of steps.
void TSkinLoader::BuildSkin() {
    ini_.ReadSections(sections_);
    data_.SkinName = ini_.ReadString("TitlebarSkin", "SkinName", "");
    LoadBorders();
    LoadColours();
    LoadCaptionButtons();
    LoadButtons();
    LoadTitle();
    LoadProgress();
    LoadMenuBar();
    LoadPlainObjects();
    SetFrameCounts();
    BuildComboComposite();
    MakeFaceBrush();
    sections_.Clear();
}

void TSkinLoader::Picture(TBitmap& target, const std::string& section, const std::string& key) {
    LoadPicture(target, reader_, ini_.ReadString(section, key, ""));
}

TColor TSkinLoader::Colour(const std::string& section, const std::string& key, TColor def) const {
    return ParseColour(ini_.ReadString(section, key, ""), def);
}

// The four borders from [Personality]; the fixed ends lie along the strip.
void TSkinLoader::LoadBorders() {
    TDataSkinBorder* borders[] = {data_.LeftBorder.get(), data_.RightBorder.get(),
                                  data_.TopBorder.get(), data_.BottomBorder.get()};
    for (TDataSkinBorder* b : borders) {
        const std::string& n = b->Name;
        int32_t top = ini_.ReadInteger("Personality", n + "TopHeight", 0);
        int32_t bottom = ini_.ReadInteger("Personality", n + "BotHeight", 0);
        bool across = n == "Top" || n == "Bottom";
        b->LeftWidth = across ? top : 0;
        b->RightWidth = across ? bottom : 0;
        b->TopHeight = across ? 0 : top;
        b->BottomHeight = across ? 0 : bottom;
        b->FrameCount = ini_.ReadInteger("Personality", n + "Frame", 1);
        b->Tile = ini_.ReadInteger("Personality", n + "Stretch", 1);
        b->TileHoldsStretch = true;
        b->Trans = ini_.ReadInteger("Personality", n + "Trans", 1);
        Picture(b->Picture, "Personality", n);
    }
}

// The colour table, the extra colours of the [Colour...] sections and the
// ten custom colours.
void TSkinLoader::LoadColours() {
    TSkinData& d = data_;
    const char* s = "Colours";
    d.WindowTextColour = Colour(s, "WindowText", clWindowText);
    d.ButtonFaceColour = Colour(s, "ButtonFace", clBtnFace);
    d.ScrollbarColour = Colour(s, "Scrollbar", clScrollBar);
    d.HilightTextColour = Colour(s, "HilightText", clHighlightText);
    d.HilightColour = Colour(s, "Hilight", clHighlight);
    d.MenubarColour = Colour(s, "Menubar", d.ButtonFaceColour);
    d.MenuColour = Colour(s, "Menu", clMenu);
    d.MenuTextColour = Colour(s, "MenuText", clMenuText);
    d.ButtonTextColour = Colour(s, "ButtonText", clBtnText);
    d.ButtonHilightColour = Colour(s, "ButtonHilight", clBtnHighlight);
    d.ButtonlightColour = Colour(s, "Buttonlight", clBtnHighlight);
    d.ButtonShadowColour = Colour(s, "ButtonShadow", clBtnShadow);
    d.ButtonDkShadowColour = Colour(s, "ButtonDkShadow", cl3DDkShadow);
    d.MenuBarTextColour = Colour(s, "MenuBarText", clMenuText);
    d.TitleTextActiveColour = Colour(s, "TitleTextActive", clCaptionText);
    d.TitleTextNoActiveColour = Colour(s, "TitleTextNoActive", clInactiveCaptionText);
    d.ExtraColours.clear();
    for (int i = 0; i < sections_.Count(); ++i) {
        std::string up = Upper(sections_[i]);
        if (StartsWith(up, "COLOUR") && up != "COLOURS")
            d.ExtraColours.push_back(Colour(sections_[i], "color", clWindowText));
    }
    for (int i = 0; i < 10; ++i)
        d.CustomColors[static_cast<size_t>(i)] =
            Colour("Customcolors", "Color" + std::to_string(i), 0x00FFFFFF);
}

// Keeps the sections that describe caption buttons.
void TSkinLoader::FilterCaptionSections(TStringList& list) const {
    for (int i = list.Count() - 1; i >= 0; --i) {
        std::string up = Upper(list[i]);
        bool drop = up == "BUTTONS" || up == "BUTTON.RADIO" || up == "BUTTON.CHECKBOX" ||
                    up == "BUTTON" || !StartsWith(up, "BUTTON") ||
                    (ini_.ReadInteger(list[i], "Action", 0) == -1 &&
                     ini_.ReadInteger(list[i], "Visibility", -1) != 0);
        if (drop)
            list.Delete(i);
    }
}

// The caption buttons of the button sections, then the three MDI child buttons.
void TSkinLoader::LoadCaptionButtons() {
    TStringList list;
    list.Assign(sections_);
    FilterCaptionSections(list);
    auto& buttons = data_.CaptionButtons;
    buttons.clear();
    buttons.reserve(static_cast<size_t>(list.Count() + 3));
    for (int i = 0; i < list.Count(); ++i) {
        const std::string& s = list[i];
        auto b = std::make_unique<TDataSkinSysButton>(Upper(s));
        b->Action = ini_.ReadInteger(s, "Action", 0);
        b->Align = ini_.ReadInteger(s, "Align", 0);
        b->XCoord = ini_.ReadInteger(s, "Xcoord", 0);
        b->YCoord = ini_.ReadInteger(s, "Ycoord", 0);
        b->Visibility = ini_.ReadInteger(s, "Visibility", 0);
        b->Visibility1 = ini_.ReadInteger(s, "Visibility1", b->Action == -1 ? -1 : 0);
        b->CombineOp = ini_.ReadInteger(s, "CombineOp", -1);
        b->FrameCount = ini_.ReadInteger(s, "frame", 0);
        Picture(b->Picture, s, "ButtonImage");
        if (b->FrameCount == 0) {
            b->FrameCount = 6;
            if (!b->Picture.Empty()) {
                // width / height <= 3.8, in integers so that 3.8 itself is exact
                int64_t w = b->Picture.Width(), h = b->Picture.Height();
                b->FrameCount = w * 10 <= h * 38 ? 3 : 6;
                if (b->Action < 0)
                    b->FrameCount = 6;
            }
            if (b->Action == 3 || b->Action == 11)
                b->Picture.Clear(); // these buttons show the window's icon
        }
        buttons.push_back(std::move(b));
    }
    for (int action = 7; action <= 9; ++action) {
        auto b = std::make_unique<TDataSkinSysButton>();
        b->Action = action;
        b->Align = b->Visibility = b->Visibility1 = 100;
        b->FrameCount = 4;
        buttons.push_back(std::move(b));
    }
    CutMdiButtons();
}

// Cuts the MDI picture's twelve frames into the three MDI buttons.
void TSkinLoader::CutMdiButtons() {
    TBitmap mdi;
    Picture(mdi, "MDICONTROLS", "Image");
    if (mdi.Empty())
        return;
    // One 24-bit version of the strip serves all three cuts.
    mdi.SetPixelFormat(TPixelFormat::pf24bit);
    int a = mdi.Width() / 12;
    auto& buttons = data_.CaptionButtons;
    for (int i = 0; i < 3; ++i) {
        TDataSkinSysButton& b = *buttons[buttons.size() - 3 + static_cast<size_t>(i)];
        if (a > 0)
            CopyColumns24(b.Picture, mdi, 4 * a * i, 4 * a);
        b.XCoord = (a + 4) * (3 - i);
    }
}

// [Buttons]: push buttons and the check and radio strips.
void TSkinLoader::LoadButtons() {
    TDataSkinButton& b = *data_.Buttons;
    const char* s = "Buttons";
    b.LeftWidth = ini_.ReadInteger(s, "LeftWidth", 0);
    b.RightWidth = ini_.ReadInteger(s, "RightWidth", 0);
    b.TopHeight = ini_.ReadInteger(s, "TopHeight", 0);
    b.BottomHeight = ini_.ReadInteger(s, "BottomHeight", 0);
    b.Trans = ini_.ReadInteger(s, "Trans", 0);
    b.Tile = ini_.ReadInteger(s, "Tile", 0);
    Picture(b.Picture, s, "Bitmap");
    Picture(b.CheckPicture, s, "CheckButton");
    Picture(b.RadioPicture, s, "RadioButton");
    b.NormalColour = ini_.ReadInteger(s, "NormalColour", -1);
    b.MouseOverColour = ini_.ReadInteger(s, "MouseOverColour", -1);
    b.PressedColour = ini_.ReadInteger(s, "PressedColour", -1);
    b.RadioButtonFrame = ini_.ReadInteger(s, "RadioButtonFrame", 0);
    b.CheckButtonFrame = ini_.ReadInteger(s, "CheckButtonFrame", 0);
    b.HasNormalColour2 = !ini_.ReadString(s, "NormalColour2", "").empty();
    b.HasMouseOverColour2 = !ini_.ReadString(s, "MouseOverColour2", "").empty();
    b.HasPressedColour2 = !ini_.ReadString(s, "PressedColour2", "").empty();
    b.NormalColour2 = Colour(s, "NormalColour2", data_.ButtonTextColour);
    b.MouseOverColour2 = Colour(s, "MouseOverColour2", data_.ButtonTextColour);
    b.PressedColour2 = Colour(s, "PressedColour2", data_.ButtonTextColour);
}

// The title text settings from [Personality] and [Fonts].
void TSkinLoader::LoadTitle() {
    TDataSkinTitle& t = *data_.Title;
    const char* s = "Personality";
    Picture(t.Picture, s, "TextBack");
    t.LeftWidth = ini_.ReadInteger(s, "TextShift", 0);
    t.TopHeight = ini_.ReadInteger(s, "TextShiftVert", 0);
    t.RightWidth = ini_.ReadInteger(s, "TextRightClip", 0);
    t.BottomHeight = 0;
    t.TextAlignment = ini_.ReadInteger(s, "TextAlignment", 0);
    t.Textbackground = ini_.ReadInteger(s, "Textbackground", 0);
    t.TXTBackleft = ini_.ReadInteger(s, "TXTBackleft", 0);
    t.TXTBackRight = ini_.ReadInteger(s, "TXTBackRight", 0);
    t.FontHeight = ini_.ReadInteger("Fonts", "FontHeight", 14);
    TColor* targets[] = {&t.ActiveTextColour, &t.InactiveTextColour};
    const char* prefixes[] = {"ActiveText", "InActiveText"};
    for (int i = 0; i < 2; ++i) {
        *targets[i] = TDataSkinTitle::kNoColour;
        std::string p = prefixes[i];
        int32_t r = ini_.ReadInteger(s, p + "R", -1);
        int32_t g = ini_.ReadInteger(s, p + "G", -1);
        int32_t b = ini_.ReadInteger(s, p + "B", -1);
        if (r >= 0 && g >= 0 && b >= 0)
            *targets[i] = static_cast<TColor>((r % 256) + (g % 256) * 256 + (b % 256) * 65536);
    }
}

// [Progress], only when it names a bitmap.
void TSkinLoader::LoadProgress() {
    data_.Progress.reset();
    const char* s = "Progress";
    if (ini_.ReadString(s, "Bitmap", "").empty())
        return;
    auto p = std::make_unique<TDataSkinBorder>(s);
    Picture(p->Picture, s, "Bitmap");
    if (!ini_.ReadString(s, "Chunk", "").empty())
        Picture(p->Picture2, s, "Chunk");
    p->Style = ini_.ReadInteger(s, "Style", 0);
    p->LeftWidth = ini_.ReadInteger(s, "LeftWidth", 0);
    p->RightWidth = ini_.ReadInteger(s, "RightWidth", 0);
    p->TopHeight = ini_.ReadInteger(s, "TopHeight", 0);
    p->BottomHeight = ini_.ReadInteger(s, "BottomHeight", 0);
    p->Trans = ini_.ReadInteger(s, "Trans", 0);
    p->Tile = ini_.ReadInteger(s, "Tile", 0);
    data_.Progress = std::move(p);
}

// The menu-bar background from [Personality], only when it is named.
void TSkinLoader::LoadMenuBar() {
    data_.MenuBar.reset();
    const char* s = "Personality";
    if (ini_.ReadString(s, "menuBar", "").empty())
        return;
    auto m = std::make_unique<TDataSkinObject>("MenuBar");
    Picture(m->Picture, s, "menuBar");
    m->Tile = ini_.ReadInteger(s, "TileMenu", 0);
    m->LeftWidth = ini_.ReadInteger(s, "TileLeftMenu", 1);
    m->RightWidth = ini_.ReadInteger(s, "TileRightMenu", 1);
    data_.MenuBar = std::move(m);
}

// Keys shared by the plain, two-picture and box-label loaders.
void TSkinLoader::ReadCommon(TDataSkinObject& o, const std::string& s, bool withStyle) {
    Picture(o.Picture, s, "Image");
    if (withStyle)
        o.Style = ini_.ReadInteger(s, "Style", 0);
    o.LeftWidth = ini_.ReadInteger(s, "LeftWidth", 0);
    o.RightWidth = ini_.ReadInteger(s, "RightWidth", 0);
    o.TopHeight = ini_.ReadInteger(s, "TopHeight", 0);
    o.BottomHeight = ini_.ReadInteger(s, "BottomHeight", 0);
    o.Trans = ini_.ReadInteger(s, "Trans", 0);
    o.Tile = ini_.ReadInteger(s, "Tile", 0);
    o.NormalColour = ini_.ReadInteger(s, "NormalColour", -1);
    o.MouseOverColour = ini_.ReadInteger(s, "MouseOverColour", -1);
    o.PressedColour = ini_.ReadInteger(s, "PressedColour", -1);
    o.NormalColour2 = Colour(s, "NormalColour2", data_.ButtonTextColour);
    o.MouseOverColour2 = Colour(s, "MouseOverColour2", data_.ButtonTextColour);
    o.PressedColour2 = Colour(s, "PressedColour2", data_.ButtonTextColour);
    if (o.Tile > 1)
        o.Tile = 0;
}

std::unique_ptr<TDataSkinObject> TSkinLoader::LoadPlain(const std::string& s) {
    if (ini_.ReadString(s, "Image", "").empty())
        return nullptr;
    auto o = std::make_unique<TDataSkinObject>(s);
    ReadCommon(*o, s, true);
    return o;
}

std::unique_ptr<TDataSkinBorder> TSkinLoader::LoadTwoPicture(const std::string& s,
                                                             const std::string& secondKey) {
    if (ini_.ReadString(s, "Image", "").empty())
        return nullptr;
    auto o = std::make_unique<TDataSkinBorder>(s);
    ReadCommon(*o, s, false);
    if (!ini_.ReadString(s, secondKey, "").empty())
        Picture(o->Picture2, s, secondKey);
    return o;
}

std::unique_ptr<TDataSkinBoxLabel> TSkinLoader::LoadBoxLabel(const std::string& s) {
    if (ini_.ReadString(s, "Image", "").empty())
        return nullptr;
    auto o = std::make_unique<TDataSkinBoxLabel>(s);
    ReadCommon(*o, s, true);
    o->BackgroundAlignment = ini_.ReadInteger(s, "BackgroundAlignment", 0);
    o->BackgroundLeftShift = ini_.ReadInteger(s, "BackgroundLeftShift", 0);
    o->BackgroundRightShift = ini_.ReadInteger(s, "BackgroundRightShift", 0);
    return o;
}

// The optional objects named after their sections, in the loader's order.
void TSkinLoader::LoadPlainObjects() {
    TSkinData& d = data_;
    d.GroupBoxEdge = LoadPlain("GroupBoxEdge");
    d.GroupBox = LoadBoxLabel("GroupBox");
    d.Toolbars = LoadPlain("Toolbars");
    d.Tabs = LoadTwoPicture("Tabs", "Border");
    d.StatusBarEdges = LoadPlain("StatusBarEdges");
    d.ComboButton = LoadTwoPicture("ComboButton", "****");
    if (d.ComboButton && !d.ComboButton->Picture.Empty()) {
        // A 24-bit copy of the picture (GDI maps a palette), mirrored.
        TBitmap& source = d.ComboButton->Picture;
        TBitmap& mirror = d.ComboButton->Picture2;
        mirror.SetPixelFormat(TPixelFormat::pf24bit);
        mirror.SetSize(source.Width(), source.Height());
        {
            TMemoryDC from, to;
            TSelectObject a(from.Handle(), source.Handle()), b(to.Handle(), mirror.Handle());
            BitBlt(to.Handle(), 0, 0, source.Width(), source.Height(), from.Handle(), 0, 0,
                   SRCCOPY);
        }
        MirrorBitmap(mirror);
    }
    d.SunkEdge = LoadPlain("SunkEdge");
    d.ExtraImages = LoadPlain("ExtraImages");
    d.Headerbar = LoadPlain("Headerbar");
    d.MenuItem = LoadPlain("MenuItem");
    d.MenuBackground = LoadPlain("MenuBackground");
    d.Scrollbar = LoadPlain("Scrollbar");
    d.HorzScroll = LoadPlain("HorzScroll");
    d.VertScroll = LoadPlain("VertScroll");
    d.HorzScrollThumb = LoadPlain("HorzScrollThumb");
    d.VertScrollThumb = LoadPlain("VertScrollThumb");
    d.TrackbarThumbHorz = LoadPlain("Trackbar.ThumbHorz");
    d.TrackbarThumbVert = LoadPlain("Trackbar.ThumbVert");
    d.TrackbarThumbLeft = LoadPlain("Trackbar.ThumbLeft");
    d.TrackbarThumbRight = LoadPlain("Trackbar.ThumbRight");
    d.TrackbarThumbUp = LoadPlain("Trackbar.ThumbUp");
    d.TrackbarThumbDown = LoadPlain("Trackbar.ThumbDown");
    d.UpDownHorz = LoadTwoPicture("UpDown.Horz", "GlyphImage");
    d.UpDownVert = LoadTwoPicture("UpDown.Vert", "GlyphImage");
}

// Mark-strip frame count: the skin's value, else width div 13 (pictures
// lower than 16) or div 16, at least 4.
static int32_t MarkFrames(int32_t given, const TBitmap& strip) {
    if (given != 0)
        return given;
    int32_t n = strip.Width() / (strip.Height() < 16 ? 13 : 16);
    return n < 4 ? 4 : n;
}

// The frame counts that do not come from the skin.
void TSkinLoader::SetFrameCounts() {
    TSkinData& d = data_;
    d.Buttons->FrameCount = 5;
    d.Buttons->RadioButtonFrame = MarkFrames(d.Buttons->RadioButtonFrame, d.Buttons->RadioPicture);
    d.Buttons->CheckButtonFrame = MarkFrames(d.Buttons->CheckButtonFrame, d.Buttons->CheckPicture);
    auto set = [](auto& obj, int32_t n) {
        if (obj)
            obj->FrameCount = n;
    };
    set(d.Title, 2);
    set(d.Progress, 2);
    set(d.MenuBar, 2);
    set(d.GroupBoxEdge, 2);
    for (auto* o : {&d.Toolbars, &d.ExtraImages, &d.Headerbar, &d.MenuItem, &d.TrackbarThumbHorz,
                    &d.TrackbarThumbVert, &d.TrackbarThumbLeft, &d.TrackbarThumbRight,
                    &d.TrackbarThumbUp, &d.TrackbarThumbDown})
        set(*o, 5);
    set(d.Tabs, 5);
    set(d.StatusBarEdges, 3);
    set(d.GroupBox, 1);
    set(d.MenuBackground, 1);
    set(d.ComboButton, 4);
    set(d.SunkEdge, 4);
    set(d.HorzScroll, 4);
    set(d.VertScroll, 4);
    set(d.Scrollbar, 23);
    set(d.UpDownHorz, 8);
    set(d.UpDownVert, 8);
    set(d.HorzScrollThumb, ini_.ReadInteger("HorzScrollThumb", "FrameCount", 3));
    set(d.VertScrollThumb, ini_.ReadInteger("VertScrollThumb", "FrameCount", 3));
}

// Replaces the face brush by one of the skin's button-face colour.
void TSkinLoader::MakeFaceBrush() {
    data_.FaceBrush.Reset();
    data_.FaceBrush.Reset(CreateSolidBrush(ColorToRGB(data_.ButtonFaceColour)));
}

// The combo box as one picture: four 50 x 21 cells of the edit frame with
// the button and its glyph on the right and a magenta text area; the edit
// frame gets the mirrored strip for left-side buttons.
void TSkinLoader::BuildComboComposite() {
    if (!data_.SunkEdge || !data_.ComboButton)
        return;
    TDataSkinObject& edge = *data_.SunkEdge;
    TDataSkinBorder& button = *data_.ComboButton;
    const int b = GetSystemMetrics(SM_CXHSCROLL) + 2;
    TDataSkinObject* glyphs = data_.ExtraImages.get();
    TBitmap strip;
    ComposeComboStrip(strip, edge.FrameCount, edge, button, glyphs ? &glyphs->Picture : nullptr,
                      glyphs ? glyphs->FrameCount : 0, b);
    button.Style = 2;
    button.LeftWidth = 2;
    button.TopHeight = edge.TopHeight;
    button.RightWidth = b + 2;
    button.BottomHeight = edge.BottomHeight;
    button.Picture.Assign(strip);
    MirrorBitmap(strip);
    edge.Picture.Assign(strip);
    edge.LeftWidth = b + 2;
    edge.RightWidth = 2;
}
