// pack / unpack / list round trips and the tool's failure reports.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "framework/core/stream.h"
#include "skin/store/skin_reader.h"
#include "tools/skintool/lzh_encoder.h"
#include "tools/skintool/skin_archive.h"
#include "tools/skintool/skintool_commands.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

// A fresh scratch folder per test, removed afterwards.
class SkinToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = fs::temp_directory_path() / ("skintool_test_" + std::string(info->name()) + "_" +
                                             std::to_string(std::random_device{}()));
        fs::create_directories(root_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }

    int Run(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        return SkinToolMain(args, out_, err_);
    }

    fs::path root_;
    std::ostringstream out_;
    std::ostringstream err_;
};

void WriteFile(const fs::path& p, const Bytes& b) {
    fs::create_directories(p.parent_path());
    std::ofstream o(p, std::ios::binary);
    o.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

Bytes ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

Bytes Noise(size_t n, uint32_t seed) {
    std::mt19937 rng(seed);
    Bytes b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = static_cast<uint8_t>(i % 97 < 60 ? 0x40 + i % 7 : rng());
    return b;
}

Bytes Text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

} // namespace

TEST_F(SkinToolTest, PackListUnpackRoundTrip) {
    const fs::path src = root_ / "src";
    WriteFile(src / "Zeta.BMP", Noise(9000, 1));
    WriteFile(src / "alpha.bmp", Noise(300, 2));
    WriteFile(src / "Beta_Hover.bmp", {});
    WriteFile(src / "My.ini", Text("[Personality]\r\nTopHeight = 25\r\n"));
    WriteFile(src / "notes.txt", Text("not archived"));
    const fs::path skin = root_ / "out.skn";
    ASSERT_EQ(Run({"pack", src.string(), skin.string()}), 0) << err_.str();
    EXPECT_NE(out_.str().find("packed 4 files"), std::string::npos) << out_.str();

    ASSERT_EQ(Run({"list", skin.string()}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "       300  alpha.bmp\n"
                          "         0  beta_hover.bmp\n"
                          "      9000  zeta.bmp\n"
                          "        31  my.ini\n"
                          "4 files, 9331 bytes\n");

    const fs::path dst = root_ / "dst";
    ASSERT_EQ(Run({"unpack", skin.string(), dst.string()}), 0) << err_.str();
    EXPECT_TRUE(ReadFile(dst / "zeta.bmp") == ReadFile(src / "Zeta.BMP"));
    EXPECT_TRUE(ReadFile(dst / "alpha.bmp") == ReadFile(src / "alpha.bmp"));
    EXPECT_TRUE(fs::exists(dst / "beta_hover.bmp"));
    EXPECT_EQ(fs::file_size(dst / "beta_hover.bmp"), 0u);
    EXPECT_TRUE(ReadFile(dst / "my.ini") == ReadFile(src / "My.ini"));
    EXPECT_FALSE(fs::exists(dst / "notes.txt"));

    // The packed file is a skin stream the product's reader loads.
    const Bytes packed = ReadFile(skin);
    TReadOnlyMemoryStream in(packed.data(), static_cast<int64_t>(packed.size()));
    TSkinReader reader;
    ASSERT_TRUE(reader.Load(in));
    TMemoryStream ini;
    std::string found;
    EXPECT_TRUE(reader.FindFileContaining(".ini", ini, found));
    EXPECT_EQ(found, "my.ini");
}

TEST_F(SkinToolTest, ArchiveListGivesOrderAndDuplicates) {
    const fs::path src = root_ / "src";
    WriteFile(src / "B.bmp", Noise(100, 3));
    WriteFile(src / "A.bmp", Noise(200, 4));
    WriteFile(src / "drafts" / "A.bmp", Noise(50, 5));
    WriteFile(src / "s.ini", Text("[S]\n"));
    WriteFile(src / "archive.lst", Text("B.bmp\nA.bmp\r\n\ndrafts/A.bmp\ns.ini\n"));
    const fs::path skin = root_ / "o.skn";
    ASSERT_EQ(Run({"pack", src.string(), skin.string()}), 0) << err_.str();
    ASSERT_EQ(Run({"list", skin.string()}), 0);
    EXPECT_EQ(out_.str(), "       100  b.bmp\n"
                          "       200  a.bmp\n"
                          "        50  a.bmp\n"
                          "         4  s.ini\n"
                          "4 files, 354 bytes\n");
    const fs::path dst = root_ / "dst";
    ASSERT_EQ(Run({"unpack", skin.string(), dst.string()}), 0);
    EXPECT_NE(err_.str().find("skipping later duplicate 'a.bmp'"), std::string::npos) << err_.str();
    EXPECT_TRUE(ReadFile(dst / "a.bmp") == ReadFile(src / "A.bmp")); // the first copy wins

    // A listed path leaving the folder, or a missing file, is an error.
    WriteFile(src / "archive.lst", Text("../x.bmp\ns.ini\n"));
    EXPECT_EQ(Run({"pack", src.string(), skin.string()}), 1);
    EXPECT_NE(err_.str().find("outside the folder"), std::string::npos) << err_.str();
    WriteFile(src / "archive.lst", Text("gone.bmp\ns.ini\n"));
    EXPECT_EQ(Run({"pack", src.string(), skin.string()}), 1);
    EXPECT_NE(err_.str().find("cannot open"), std::string::npos) << err_.str();
}

TEST_F(SkinToolTest, FailuresGiveMessagesAndExitCodes) {
    EXPECT_EQ(Run({}), 2);
    EXPECT_NE(err_.str().find("usage:"), std::string::npos);
    EXPECT_EQ(Run({"pack", "onlyone"}), 2);
    EXPECT_EQ(Run({"frobnicate", "a", "b"}), 2);

    const fs::path src = root_ / "src";
    WriteFile(src / "a.bmp", Noise(10, 1));
    EXPECT_EQ(Run({"pack", src.string(), (root_ / "o").string()}), 1);
    EXPECT_NE(err_.str().find("exactly one .ini file, found 0"), std::string::npos) << err_.str();
    WriteFile(src / "one.ini", Text("[a]"));
    WriteFile(src / "two.INI", Text("[b]"));
    EXPECT_EQ(Run({"pack", src.string(), (root_ / "o").string()}), 1);
    EXPECT_NE(err_.str().find("found 2"), std::string::npos) << err_.str();
    fs::remove(src / "two.INI");
    // Names that differ only in case collide (only where the file system
    // keeps both files).
    WriteFile(src / "A.BMP", Noise(10, 2));
    const auto entries = std::distance(fs::directory_iterator(src), fs::directory_iterator());
    if (entries == 3) {
        EXPECT_EQ(Run({"pack", src.string(), (root_ / "o").string()}), 1);
        EXPECT_NE(err_.str().find("two files named a.bmp"), std::string::npos) << err_.str();
    }
    fs::remove(src / "A.BMP");
    EXPECT_EQ(Run({"pack", (root_ / "missing").string(), (root_ / "o").string()}), 1);
    EXPECT_NE(err_.str().find("no such folder"), std::string::npos) << err_.str();
    EXPECT_EQ(Run({"pack", src.string(), (root_ / "no" / "such" / "o").string()}), 1);
    EXPECT_NE(err_.str().find("cannot create"), std::string::npos) << err_.str();

    // Not a skin, an older skin, a missing file.
    WriteFile(root_ / "junk.skn", Text("xy"));
    EXPECT_EQ(Run({"list", (root_ / "junk.skn").string()}), 1);
    EXPECT_NE(err_.str().find("not a usable skin archive"), std::string::npos) << err_.str();
    Bytes old = {0x10, 0x27, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}; // mark 10000
    WriteFile(root_ / "old.skn", LzhEncode(old));
    EXPECT_EQ(Run({"list", (root_ / "old.skn").string()}), 1);
    EXPECT_NE(err_.str().find("This is Older Skin File Please update to new version !"),
              std::string::npos)
        << err_.str();
    EXPECT_EQ(Run({"unpack", (root_ / "nothing.skn").string(), (root_ / "d").string()}), 1);
    EXPECT_NE(err_.str().find("cannot open"), std::string::npos) << err_.str();
}

TEST_F(SkinToolTest, UnpackRefusesNamesThatLeaveTheFolder) {
    for (const char* bad : {"../evil.bmp", "sub/evil.bmp", "sub\\evil.bmp", ".."}) {
        const Bytes packed = PackSkinArchive({{bad, Text("x")}, {"s.ini", Text("[s]")}});
        WriteFile(root_ / "bad.skn", packed);
        const fs::path dst = root_ / "dst";
        EXPECT_EQ(Run({"unpack", (root_ / "bad.skn").string(), dst.string()}), 1) << bad;
        EXPECT_NE(err_.str().find("unsafe archive name"), std::string::npos) << err_.str();
        EXPECT_FALSE(fs::exists(root_ / "evil.bmp"));
        EXPECT_FALSE(fs::exists(dst / "s.ini"));
    }
    EXPECT_THROW(BuildSkinArchive({{"a\r\nb", {}}}), std::invalid_argument);
    EXPECT_THROW(BuildSkinArchive({{"", {}}}), std::invalid_argument);
    std::vector<TSkinArchiveFile> many(1002, TSkinArchiveFile{"x.bmp", {}});
    EXPECT_THROW(BuildSkinArchive(many), std::invalid_argument);
}

#ifdef SKINTOOL_EXE
TEST_F(SkinToolTest, ProgramExitCodes) {
    const std::string exe = SKINTOOL_EXE;
    const fs::path src = root_ / "src";
    WriteFile(src / "a.bmp", Noise(100, 9));
    WriteFile(src / "a.ini", Text("[a]"));
    const std::string quiet = " >/dev/null 2>&1";
    auto code = [](int status) { return WEXITSTATUS(status); };
    EXPECT_EQ(
        code(std::system(
            (exe + " pack " + src.string() + " " + (root_ / "a.skn").string() + quiet).c_str())),
        0);
    EXPECT_EQ(code(std::system((exe + " list " + (root_ / "a.skn").string() + quiet).c_str())), 0);
    EXPECT_EQ(code(std::system((exe + " list " + (root_ / "none.skn").string() + quiet).c_str())),
              1);
    EXPECT_EQ(code(std::system((exe + quiet).c_str())), 2);
}
#endif
