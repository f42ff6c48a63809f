// The skin checker: both built-in skins check clean (folder and packed), a
// broken copy of the second skin gives exactly the expected messages with
// their lines, a small hand-made skin trips the picture rules (frames,
// margins, transparency, caption placement), and what is no skin is refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "framework/gdi/bmp_codec.h"
#include "tools/skintool/skin_archive.h"
#include "tools/skintool/skin_check.h"
#include "tools/skintool/skintool_commands.h"

namespace fs = std::filesystem;

namespace {

class SkinCheck : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("skin_check_test_" + std::to_string(std::random_device{}()));
        fs::create_directories(root_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    fs::path root_;
};

std::string ReadText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const fs::path& p, const std::string& s) {
    std::ofstream(p, std::ios::binary) << s;
}

void WriteBytes(const fs::path& p, const std::vector<uint8_t>& b) {
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

void Replace(std::string& s, const std::string& from, const std::string& to) {
    const size_t at = s.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    s.replace(at, from.size(), to);
}

std::vector<std::string> Lines(const TSkinCheckResult& r) {
    std::vector<std::string> lines;
    for (const TSkinIssue& i : r.Issues)
        lines.push_back(FormatSkinIssue(i));
    return lines;
}

// A 24-bit picture; colour(x, y) as 0x00RRGGBB.
template <class F> std::vector<uint8_t> Bmp(int w, int h, F colour) {
    TBmpImage img;
    img.Width = w;
    img.Height = h;
    img.BitsPerPixel = 24;
    img.Pixels.assign(img.Stride() * static_cast<size_t>(h), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t c = colour(x, y);
            uint8_t* p = img.Pixels.data() + img.Stride() * static_cast<size_t>(y) + 3 * x;
            p[0] = static_cast<uint8_t>(c);
            p[1] = static_cast<uint8_t>(c >> 8);
            p[2] = static_cast<uint8_t>(c >> 16);
        }
    return EncodeBmp(img);
}

} // namespace

TEST_F(SkinCheck, BuiltInSkinsAreClean) {
    for (const char* name : {"xpluna", "graphite"}) {
        const fs::path dir = fs::path(LT_SKIN_SOURCES) / name;
        const TSkinCheckResult folder = CheckSkinPath(dir.string());
        EXPECT_TRUE(folder.Issues.empty()) << name << ": " << FormatSkinIssue(folder.Issues[0]);
        EXPECT_EQ(folder.ExitCode(), 0);
        // The same skin packed gives the same answer.
        const fs::path packed = root_ / (std::string(name) + ".skn");
        std::ostringstream out, err;
        ASSERT_EQ(SkinToolMain({"pack", dir.string(), packed.string()}, out, err), 0) << err.str();
        ASSERT_EQ(SkinToolMain({"check", packed.string()}, out, err), 0) << out.str();
        EXPECT_NE(out.str().find(": 0 error(s), 0 warning(s)"), std::string::npos) << out.str();
    }
}

// The second skin with typical mistakes; every message, in line order.
TEST_F(SkinCheck, BrokenFolderMessages) {
    const fs::path dir = root_ / "broken";
    fs::copy(fs::path(LT_SKIN_SOURCES) / "graphite", dir);
    fs::remove(dir / "archive.lst");
    std::string ini = ReadText(dir / "graphite.ini");
    Replace(ini, "LeftWidth=4\r\nRightWidth=4\r\nTopHeight=4",
            "LefWidth=4\r\nRightWidth=4\r\nTopHeight=40");
    Replace(ini, "Trans=1\r\nTile=1\r\nCheckButton", "Trans=2\r\nTile=1\r\nCheckButton");
    Replace(ini, "ButtonImage=Graphite_Close.bmp", "ButtonImage=Graphite_Close.BMP");
    Replace(ini, "YCoord=3\r\nVisibility=8", "YCoord=30\r\nVisibility=8");
    Replace(ini, "[Scrollbar]", "[Scrolbar]");
    Replace(ini, "ButtonFace=58 61 66", "ButtonFace=58 61");
    Replace(ini, "Image=Graphite_Status.bmp", "Image=Graphite_Statusbar.bmp");
    Replace(ini, "CheckButtonFrame=12", "CheckButtonFrame=11");
    Replace(ini, "FontHeight=15", "FontHeight=big\r\nno equals here\r\n[fonts]\r\nFontHeight=12");
    Replace(ini, "Tile=1\r\n\r\n[VertScroll]", "Tile=1\r\nTile=0\r\n\r\n[VertScroll]");
    Replace(ini, "Action=12\r\nAlign=0", "Action=12\r\nAlign=7");
    Replace(ini, "TopHeight=0\r\nBottomHeight=0\r\nTrans=0",
            "TopHeight=0\r\nBottomHeight=0\r\nTrans=1");
    WriteText(dir / "graphite.ini", ini);
    const std::string help = ReadText(dir / "Graphite_Help.bmp");
    WriteText(dir / "Graphite_Help.bmp", help.substr(0, 100));

    const TSkinCheckResult r = CheckSkinPath(dir.string());
    const std::vector<std::string> want = {
        "graphite.ini:59: warning: unknown key 'LefWidth' in [Buttons]; did you mean 'LeftWidth'?",
        "graphite.ini:61: warning: [Buttons] TopHeight + BottomHeight = 44 is more than the frame "
        "height 24 of 'Graphite_Button.bmp' (120x24)",
        "graphite.ini:63: error: [Buttons] Trans = 2 is outside the values the engine expects (0 to 1)",
        "graphite.ini:65: warning: [Buttons] CheckButton: 'Graphite_Check.bmp' (168x14) does not "
        "divide into 11 frames side by side",
        "graphite.ini:84: error: [Button0] ButtonImage: 'Graphite_Close.BMP' is never loaded: only "
        "names ending in '.bmp' (lower case) are read",
        "graphite.ini:113: warning: [Button3] Ycoord 30 puts the 18-pixel button outside the "
        "24-pixel title bar",
        "graphite.ini:121: warning: [Button4] Align 7 is not a placement (0, 1, 2, 3, 8, 9); the "
        "button sits at the title bar's top-left corner",
        "graphite.ini:135: error: [Button5] ButtonImage: picture 'Graphite_Help.bmp' cannot be "
        "read: truncated palette",
        "graphite.ini:160: warning: unknown section [Scrolbar]; did you mean 'Scrollbar'?",
        "graphite.ini:173: warning: [HorzScroll] Tile repeated; only the first (line 172) is read",
        "graphite.ini:181: warning: [VertScroll] Image: Trans is set but "
        "'Graphite_VScrollShaft.bmp' (60x8) has no magenta (255 0 255) pixel to leave out",
        "graphite.ini:212: error: [StatusBarEdges] Image: picture 'Graphite_Statusbar.bmp' is not "
        "in the skin",
        "graphite.ini:332: error: [Colours] ButtonFace: colour '58 61' is not three numbers 0-255 "
        "(R G B)",
        "graphite.ini:367: error: [Fonts] FontHeight: 'big' is not a number; the engine uses its "
        "default",
        "graphite.ini:368: warning: [Fonts]: not a key=value line; ignored",
        "graphite.ini:369: warning: section [fonts] repeated; only the first (line 366) is read",
    };
    EXPECT_EQ(Lines(r), want);
    EXPECT_EQ(r.ExitCode(), 2);
}

// A hand-made skin: magenta on an opaque frame's edge, an MDI strip that is
// not twelve frames, a caption button past the right edge, layout slips of
// the text, and the tool's exit codes.
TEST_F(SkinCheck, HandMadeSkinRulesAndExitCodes) {
    const fs::path dir = root_ / "small";
    fs::create_directories(dir);
    // Four 10x10 frames; the third has a magenta corner.
    WriteBytes(dir / "edge.bmp",
               Bmp(40, 10, [](int x, int y) { return x == 20 && y == 9 ? 0xFF00FFu : 0x808080u; }));
    WriteBytes(dir / "mdi.bmp", Bmp(50, 8, [](int, int) { return 0x102030u; }));
    WriteBytes(dir / "close.bmp", Bmp(60, 20, [](int, int) { return 0x102030u; }));
    WriteBytes(dir / "top.bmp", Bmp(30, 48, [](int x, int) { return x < 2 ? 0xFF00FFu : 0u; }));
    WriteText(dir / "small.ini", "Stray=1\r\n[Personality]\nTop=top.bmp\nTopFrame=2\n"
                                 "[SunkEdge]\nImage=edge.bmp\nTrans=0\n[MdiControls]\n"
                                 "Image=mdi.bmp\n[Button1]\nAlign=1\nXcoord=5\nYcoord=2\n"
                                 "ButtonImage=close.bmp\n[ Buttons ]\n[Colours]\n"
                                 "Menu=1 2 3 4\nHilight=\n[Wallpaper]\n");
    const TSkinCheckResult r = CheckSkinPath(dir.string());
    const std::vector<std::string> want = {
        "small.ini:1: warning: line before the first section; never read",
        "small.ini:6: warning: [SunkEdge] Image: frame 3 of 'edge.bmp' (40x10) has magenta on its "
        "edge, drawn as magenta because Trans is 0",
        "small.ini:9: warning: [MdiControls] Image: 'mdi.bmp' (50x8) does not divide into 12 "
        "frames side by side",
        "small.ini:12: warning: [Button1] Xcoord 5 puts the 20-pixel button past the window's "
        "right edge",
        "small.ini:15: warning: section [ Buttons ] has spaces inside its brackets; the engine "
        "never finds it by name",
        "small.ini:17: warning: [Colours] Menu: colour '1 2 3 4' has more than three numbers; the "
        "rest are ignored",
        "small.ini:18: warning: [Colours] Hilight is empty; the engine uses its default",
        "small.ini:19: warning: unknown section [Wallpaper]",
    };
    EXPECT_EQ(Lines(r), want);
    std::ostringstream out, err;
    EXPECT_EQ(SkinToolMain({"check", dir.string()}, out, err), 1);
    EXPECT_NE(out.str().find(": 0 error(s), 8 warning(s)"), std::string::npos) << out.str();

    // Not a skin: a text file, a folder without an INI, a missing path.
    WriteText(root_ / "text.skn", "just some text, no skin");
    fs::create_directories(root_ / "empty");
    for (const fs::path& p : {root_ / "text.skn", root_ / "empty", root_ / "missing.skn"}) {
        const TSkinCheckResult bad = CheckSkinPath(p.string());
        ASSERT_EQ(bad.Issues.size(), 1u) << p;
        EXPECT_EQ(bad.Issues[0].Level, TSkinIssue::Error);
        EXPECT_EQ(bad.ExitCode(), 2);
        EXPECT_EQ(SkinToolMain({"check", p.string()}, out, err), 2);
    }
}
