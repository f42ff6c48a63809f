// The skin archive reader: directory parsing, lookups, the wrong-mark
// message and the refusal of damaged or oversized archives.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "framework/core/stream.h"
#include "skin/store/wrong_mark_notice.h"
#include "skin/store/skin_reader.h"
#include "tools/skintool/lzh_encoder.h"
#include "tools/skintool/skin_archive.h"

namespace {

using Bytes = std::vector<uint8_t>;

std::vector<std::string> g_messages;
void RecordMessage(const std::string& text) {
    g_messages.push_back(text);
}

// Installs the recorder for one test and restores the previous hook.
class SkinReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_messages.clear();
        previous_ = SetWrongMarkNotice(RecordMessage);
    }
    void TearDown() override { SetWrongMarkNotice(previous_); }

    bool Load(TSkinReader& reader, const Bytes& packed) {
        TReadOnlyMemoryStream src(packed.data(), static_cast<int64_t>(packed.size()));
        return reader.Load(src);
    }

private:
    TWrongMarkNoticeProc previous_ = nullptr;
};

Bytes Text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

std::string Content(TMemoryStream& s) {
    return std::string(reinterpret_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
}

void PutLe32(Bytes& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A raw archive from its parts, for directories the writer would not make.
Bytes RawArchive(uint32_t mark, const std::string& names, std::vector<int32_t> sizes,
                 const Bytes& data, int32_t nameLength = INT32_MIN) {
    Bytes a;
    PutLe32(a, mark);
    PutLe32(a, static_cast<uint32_t>(nameLength != INT32_MIN ? nameLength
                                                             : static_cast<int32_t>(names.size())));
    PutLe32(a, 0x11111111);
    PutLe32(a, 0x22222222);
    a.insert(a.end(), names.begin(), names.end());
    for (int32_t s : sizes)
        PutLe32(a, static_cast<uint32_t>(s));
    a.insert(a.end(), data.begin(), data.end());
    return a;
}

std::vector<TSkinArchiveFile> SampleFiles() {
    return {{"Blue_Close.bmp", Text("BM-close")},
            {"blue_help.bmp", Text("BM-help-first")},
            {"empty.bmp", {}},
            {"blue_help.bmp", Text("BM-help-second")},
            {"XPLuna.ini", Text("[Personality]\r\nTopHeight=25\r\n")}};
}

} // namespace

TEST_F(SkinReaderTest, LoadsTheDirectoryLowercasedInArchiveOrder) {
    TSkinReader reader;
    EXPECT_EQ(reader.ClassName(), "TSkinReader");
    ASSERT_TRUE(Load(reader, PackSkinArchive(SampleFiles())));
    ASSERT_EQ(reader.Count(), 5);
    EXPECT_EQ(reader.Names()[0], "blue_close.bmp");
    EXPECT_EQ(reader.Names()[4], "xpluna.ini");
    EXPECT_EQ(reader.Sizes(0), 8);
    EXPECT_EQ(reader.Sizes(2), 0);
    EXPECT_EQ(reader.Sizes(4), 29);
    EXPECT_EQ(reader.Header()[0], 20000);
    EXPECT_EQ(reader.Header()[1], 69); // five names with CR LF each
    EXPECT_TRUE(g_messages.empty());

    // Exact lookups ignore case; the target is rewound.
    TMemoryStream file;
    EXPECT_TRUE(reader.FindFile("Blue_Close.bmp", file));
    EXPECT_EQ(Content(file), "BM-close");
    EXPECT_EQ(file.Position(), 0);
    EXPECT_TRUE(reader.FindFile("BLUE_CLOSE.BMP", file));
    EXPECT_EQ(Content(file), "BM-close");
    // The first of two entries wins.
    EXPECT_TRUE(reader.FindFile("blue_help.bmp", file));
    EXPECT_EQ(Content(file), "BM-help-first");
    // A zero-size entry and a missing name both leave the target empty,
    // whatever it held before.
    EXPECT_TRUE(reader.FindFile("empty.bmp", file));
    EXPECT_EQ(file.Size(), 0);
    file.WriteBuffer("junk", 4);
    EXPECT_FALSE(reader.FindFile("missing.bmp", file));
    EXPECT_EQ(file.Size(), 0);
    // The entry after the duplicates is found at its own offset.
    EXPECT_TRUE(reader.FindFile("xpluna.ini", file));
    EXPECT_EQ(Content(file), "[Personality]\r\nTopHeight=25\r\n");
}

TEST_F(SkinReaderTest, FragmentLookupComparesTheFragmentAsGiven) {
    TSkinReader reader;
    ASSERT_TRUE(Load(reader, PackSkinArchive(SampleFiles())));
    TMemoryStream file;
    file.WriteBuffer("junk", 4);
    std::string found = "unchanged";
    EXPECT_FALSE(reader.FindFileContaining(".INI", file, found));
    EXPECT_EQ(found, "unchanged");
    EXPECT_EQ(file.Size(), 0);
    EXPECT_TRUE(reader.FindFileContaining(".ini", file, found));
    EXPECT_EQ(found, "xpluna.ini");
    EXPECT_EQ(file.Position(), 0);
    EXPECT_EQ(Content(file), "[Personality]\r\nTopHeight=25\r\n");
    EXPECT_TRUE(reader.FindFileContaining("help", file, found));
    EXPECT_EQ(found, "blue_help.bmp");
    EXPECT_EQ(Content(file), "BM-help-first");
}

TEST_F(SkinReaderTest, NameBlockWithoutFinalBreakAndEntryReads) {
    // Names split at CR LF, a bare LF and a bare CR; no break after the last.
    const Bytes archive =
        RawArchive(20000, "A.bmp\r\nb.BMP\nc.bmp\rLast.INI", {1, 2, 3, 4}, Text("abbcccdddd"));
    TSkinReader reader;
    ASSERT_TRUE(Load(reader, LzhEncode(archive)));
    ASSERT_EQ(reader.Count(), 4);
    EXPECT_EQ(reader.Names()[3], "last.ini");
    EXPECT_EQ(reader.Header()[2], 0x11111111);
    EXPECT_EQ(reader.Header()[3], 0x22222222);
    TMemoryStream file;
    EXPECT_TRUE(reader.FindFile("LAST.ini", file));
    EXPECT_EQ(Content(file), "dddd");
    reader.ReadEntry(2, file);
    EXPECT_EQ(Content(file), "ccc");
    reader.ReadEntry(7, file);
    EXPECT_EQ(file.Size(), 0);
    // The same bytes in place, past the names and the size table.
    ASSERT_NE(reader.EntryData(2), nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(reader.EntryData(2)), 3), "ccc");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(reader.EntryData(0)), 1), "a");
    EXPECT_EQ(reader.EntryData(4), nullptr);
    EXPECT_EQ(reader.EntryData(-1), nullptr);
    // Bytes after the last entry are kept but never handed out.
    const Bytes padded = RawArchive(20000, "a.bmp\r\n", {2}, Text("xxPADDING"));
    ASSERT_TRUE(Load(reader, LzhEncode(padded)));
    EXPECT_TRUE(reader.FindFile("a.bmp", file));
    EXPECT_EQ(Content(file), "xx");
    // An archive unpacked elsewhere reads the same.
    TSkinReader other;
    TMemoryStream unpacked;
    unpacked.WriteBuffer(padded.data(), static_cast<int32_t>(padded.size()));
    ASSERT_TRUE(other.LoadUnpacked(unpacked));
    EXPECT_TRUE(other.FindFile("a.bmp", file));
    EXPECT_EQ(Content(file), "xx");
}

TEST_F(SkinReaderTest, WrongMarkShowsTheMessageAndReadsNothingElse) {
    TSkinReader reader;
    ASSERT_TRUE(Load(reader, PackSkinArchive(SampleFiles())));
    const Bytes old = RawArchive(10000, "a.bmp\r\n", {1}, Text("x"));
    EXPECT_FALSE(Load(reader, LzhEncode(old)));
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0], "This is Older Skin File\rPlease update to new version !");
    EXPECT_EQ(reader.Count(), 0); // the earlier skin is gone too
    EXPECT_EQ(reader.EntryData(0), nullptr);
    TMemoryStream file;
    EXPECT_FALSE(reader.FindFile("blue_close.bmp", file));
}

TEST_F(SkinReaderTest, RefusesDamagedDirectoriesWithoutReadingOutOfBounds) {
    TSkinReader reader;
    TMemoryStream file;
    // A name block longer than the archive.
    EXPECT_FALSE(Load(reader, LzhEncode(RawArchive(20000, "a.bmp\r\n", {1}, Text("x"), 5000))));
    EXPECT_FALSE(Load(reader, LzhEncode(RawArchive(20000, "a.bmp\r\n", {1}, Text("x"), -3))));
    // A size table that does not fit.
    EXPECT_FALSE(Load(reader, LzhEncode(RawArchive(20000, "a.bmp\r\nb.bmp\r\nc.bmp\r\n", {}, {}))));
    // Sizes running past the data block, one by one or added up, or negative.
    EXPECT_FALSE(Load(reader, LzhEncode(RawArchive(20000, "a.bmp\r\n", {2}, Text("x")))));
    EXPECT_FALSE(Load(reader, LzhEncode(RawArchive(20000, "a\r\nb\r\n", {2, 2}, Text("xyz")))));
    EXPECT_FALSE(Load(reader, LzhEncode(RawArchive(20000, "a\r\nb\r\n", {-1, 2}, Text("xyz")))));
    EXPECT_FALSE(
        Load(reader, LzhEncode(RawArchive(20000, "a\r\nb\r\n", {INT32_MAX, 2}, Text("xyz")))));
    EXPECT_EQ(reader.Count(), 0);
    EXPECT_FALSE(reader.FindFile("a", file));
    // Too short for a header, or for a size word.
    EXPECT_FALSE(Load(reader, LzhEncode(Text("short"))));
    EXPECT_FALSE(Load(reader, Bytes{1, 2}));
    EXPECT_FALSE(Load(reader, Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x12}));  // size -1: nothing unpacked
    EXPECT_FALSE(Load(reader, Bytes{}));
    EXPECT_TRUE(g_messages.empty());

    // 1001 names are accepted, 1002 refused.
    std::string names;
    Bytes data;
    std::vector<int32_t> sizes;
    for (int i = 0; i < 1001; ++i) {
        names += "f" + std::to_string(i) + ".bmp\r\n";
        sizes.push_back(1);
        data.push_back(static_cast<uint8_t>(i));
    }
    ASSERT_TRUE(Load(reader, LzhEncode(RawArchive(20000, names, sizes, data))));
    EXPECT_EQ(reader.Count(), 1001);
    EXPECT_TRUE(reader.FindFile("f1000.bmp", file));
    ASSERT_EQ(file.Size(), 1);
    EXPECT_EQ(file.Memory()[0], static_cast<uint8_t>(1000));
    names += "extra.bmp\r\n";
    sizes.push_back(0);
    EXPECT_FALSE(Load(reader, LzhEncode(RawArchive(20000, names, sizes, data))));
    EXPECT_EQ(reader.Count(), 0);
}

TEST_F(SkinReaderTest, OversizedUnpackedSizeIsRefusedBeforeDecoding) {
    TSkinReader reader;
    EXPECT_EQ(reader.MaxUnpackedSize(), 32 * 1024 * 1024);
    // A size word of 2 GB with no coded bits: refused at once.
    const Bytes huge = {0xFF, 0xFF, 0xFF, 0x7F};
    TReadOnlyMemoryStream src(huge.data(), 4);
    TMemoryStream target;
    EXPECT_FALSE(reader.Unpack(src, target));
    EXPECT_EQ(target.Size(), 0);
    EXPECT_FALSE(reader.Load(src));
    EXPECT_EQ(src.Position(), 4); // nothing past the size word was read

    // The limit is inclusive.
    const Bytes packed = PackSkinArchive(SampleFiles());
    const int32_t unpacked = packed[0] | (packed[1] << 8) | (packed[2] << 16) | (packed[3] << 24);
    reader.SetMaxUnpackedSize(unpacked - 1);
    EXPECT_FALSE(Load(reader, packed));
    reader.SetMaxUnpackedSize(unpacked);
    EXPECT_TRUE(Load(reader, packed));
    EXPECT_TRUE(g_messages.empty());
}

TEST_F(SkinReaderTest, UnpackDecodesFromTheStartOfBothStreams) {
    TSkinReader reader;
    const Bytes archive = BuildSkinArchive(SampleFiles());
    const Bytes packed = LzhEncode(archive);
    TReadOnlyMemoryStream src(packed.data(), static_cast<int64_t>(packed.size()));
    src.SetPosition(7);
    TMemoryStream target;
    target.WriteBuffer("old", 3);
    ASSERT_TRUE(reader.Unpack(src, target));
    ASSERT_EQ(target.Size(), static_cast<int64_t>(archive.size()));
    EXPECT_TRUE(std::equal(archive.begin(), archive.end(), target.Memory()));
}

#ifdef _WIN32
#include <windows.h>

#include <atomic>
#include <thread>

namespace {

struct TBoxSearch {
    HWND box = nullptr;
};

BOOL CALLBACK FindDialog(HWND w, LPARAM lp) {
    char cls[32] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (std::string(cls) != "#32770")
        return TRUE;
    reinterpret_cast<TBoxSearch*>(lp)->box = w;
    return FALSE;
}

} // namespace

// The Windows build's default shows a real message box with the text.
TEST_F(SkinReaderTest, WrongMarkOpensAMessageBoxByDefault) {
    SetWrongMarkNotice(nullptr);
    const DWORD uiThread = GetCurrentThreadId();
    std::atomic<bool> finished{false};
    std::string seen;
    std::thread closer([&] {
        for (int i = 0; i < 500 && !finished; ++i) {
            TBoxSearch search;
            EnumThreadWindows(uiThread, FindDialog, reinterpret_cast<LPARAM>(&search));
            if (search.box && IsWindowVisible(search.box)) {
                char text[256] = {};
                GetDlgItemTextA(search.box, 0xFFFF, text, sizeof text);
                seen = text;
                PostMessageA(search.box, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(20);
        }
    });
    TSkinReader reader;
    const bool loaded = Load(reader, LzhEncode(RawArchive(1, "a.bmp\r\n", {1}, Text("x"))));
    finished = true;
    closer.join();
    EXPECT_FALSE(loaded);
    EXPECT_EQ(seen, "This is Older Skin File\rPlease update to new version !");
    EXPECT_TRUE(g_messages.empty());
}
#endif
