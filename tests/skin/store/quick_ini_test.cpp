// The skin INI parser: line rules, case and duplicate rules, integers.
#include <gtest/gtest.h>

#include <string>

#include "framework/core/stream.h"
#include "skin/store/quick_ini.h"

namespace {

void LoadText(TQuickIni& ini, const std::string& text) {
    TReadOnlyMemoryStream s(text.data(), static_cast<int64_t>(text.size()));
    ini.LoadFromStream(s);
}

std::string Joined(const TStringList& list) {
    std::string out;
    for (int i = 0; i < list.Count(); ++i)
        out += "<" + list[i] + ">";
    return out;
}

} // namespace

TEST(QuickIni, KeepsTrimmedLinesAndIndexesHeaders) {
    TQuickIni ini;
    LoadText(ini, "top=1\r\n"
                  "\t [Personality] \r\n"
                  "; comment\n"
                  "   ;indented comment\r"
                  "\r\n"
                  "# not a comment\n"
                  "a = b ; c\n\r"
                  "[Second]");
    EXPECT_EQ(Joined(ini.Lines()), "<top=1><[Personality]><# not a comment><a = b ; c><[Second]>");
    ASSERT_EQ(ini.Sections().Count(), 2);
    EXPECT_EQ(ini.Sections()[0], "[Personality]");
    EXPECT_EQ(ini.SectionLine(0), 1);
    EXPECT_EQ(ini.SectionLine(1), 4);
    // Lines before the first header belong to no section.
    EXPECT_EQ(ini.ReadString("", "top", "none"), "none");
    // A ";" inside a value and a "#" line are ordinary text.
    EXPECT_EQ(ini.ReadString("personality", "A", "x"), "b ; c");
    EXPECT_EQ(ini.ReadString("Personality", "# not a comment", "x"), "x");
    // Reloading replaces everything.
    LoadText(ini, "[Only]\nk=v\n");
    EXPECT_EQ(Joined(ini.Lines()), "<[Only]><k=v>");
    EXPECT_EQ(ini.ReadString("Personality", "a", "gone"), "gone");
    // A null stream changes nothing.
    ini.LoadFromStream(nullptr);
    EXPECT_EQ(ini.ReadString("only", "K", ""), "v");
}

TEST(QuickIni, CaseRulesAndTrimming) {
    TQuickIni ini;
    EXPECT_EQ(ini.ClassName(), "TQuickIni");
    LoadText(ini,
             "[personality]\r\n  TOPHEIGHT  =  25  \r\nName = Blue Luna\r\nQuoted=\"a = b\"\r\n");
    EXPECT_EQ(ini.ReadInteger("Personality", "TopHeight", -1), 25);
    EXPECT_EQ(ini.ReadString("PERSONALITY", "topheight", ""), "25");
    EXPECT_EQ(ini.ReadString("Personality", "name", ""), "Blue Luna"); // value keeps its case
    EXPECT_EQ(ini.ReadString("Personality", "quoted", ""), "\"a = b\"");
    EXPECT_EQ(ini.ReadString("Personality", "missing", "def"), "def");
    EXPECT_EQ(ini.ReadString("Missing", "name", "def"), "def");
}

TEST(QuickIni, FirstSectionAndFirstEntryDecide) {
    TQuickIni ini;
    LoadText(ini, "[Buttons]\n"
                  "Width=\n"
                  "Height=7\n"
                  "Width=5\n"
                  "NoEquals\n"
                  "Height=9\n"
                  "[Other]\n"
                  "Depth=1\n"
                  "[buttons]\n"
                  "Colour=3\n"
                  "Height=11\n");
    // An empty first value gives the default, not the later 5.
    EXPECT_EQ(ini.ReadInteger("Buttons", "Width", -1), -1);
    EXPECT_EQ(ini.ReadString("Buttons", "Width", "d"), "d");
    EXPECT_EQ(ini.ReadInteger("Buttons", "Height", -1), 7);
    // Keys of a second section of the same name are unreachable.
    EXPECT_EQ(ini.ReadInteger("Buttons", "Colour", -1), -1);
    // The walk stops at the next header.
    EXPECT_EQ(ini.ReadInteger("Buttons", "Depth", -1), -1);
    EXPECT_EQ(ini.ReadInteger("Other", "Depth", -1), 1);
    // A line without "=" never matches, not even its own text.
    EXPECT_EQ(ini.ReadString("Buttons", "NoEquals", "d"), "d");
}

TEST(QuickIni, IntegerConversion) {
    TQuickIni ini;
    LoadText(ini, "[N]\n"
                  "hex1=0xFE\nhex2=$FE\nhex3=0XfE\nbare=FE\npx=12px\nneg=-42\nplus=+8\n"
                  "big=2147483648\nmax=2147483647\nallbits=0xFFFFFFFF\nshort=0x\nspace=1 2\n"
                  "zero=0\n");
    EXPECT_EQ(ini.ReadInteger("N", "hex1", -1), 254);
    EXPECT_EQ(ini.ReadInteger("N", "hex2", -1), 254);
    EXPECT_EQ(ini.ReadInteger("N", "hex3", -1), 254);
    EXPECT_EQ(ini.ReadInteger("N", "bare", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "px", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "neg", 0), -42);
    EXPECT_EQ(ini.ReadInteger("N", "plus", 0), 8);
    EXPECT_EQ(ini.ReadInteger("N", "big", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "max", -1), 2147483647);
    EXPECT_EQ(ini.ReadInteger("N", "allbits", 0), -1);
    EXPECT_EQ(ini.ReadInteger("N", "short", 3), 3);
    EXPECT_EQ(ini.ReadInteger("N", "space", 3), 3);
    EXPECT_EQ(ini.ReadInteger("N", "zero", 3), 0);
    EXPECT_EQ(ini.ReadInteger("N", "absent", 3), 3);
}

TEST(QuickIni, SectionListAndHeaderSpaces) {
    TQuickIni ini;
    LoadText(ini, "[ Spaced ]\nk=1\n[A]\n[]\n[a]\n");
    TStringList list;
    list.Add("stale");
    ini.ReadSections(list);
    EXPECT_EQ(Joined(list), "<Spaced><A><><a>");
    for (int i = 0; i < list.Count(); ++i)
        EXPECT_EQ(list.Objects(i), nullptr);
    // The lookup compares the whole header text, so the spaces matter.
    EXPECT_EQ(ini.ReadInteger("Spaced", "k", -1), -1);
    EXPECT_EQ(ini.ReadInteger(" Spaced ", "k", -1), 1);
    // A lone "[" or a "]" line is not a header.
    LoadText(ini, "[\n]\n[S]\nx=1\n");
    ini.ReadSections(list);
    EXPECT_EQ(Joined(list), "<S>");
}

TEST(QuickIni, TextEndsAtTheFirstNul) {
    TQuickIni ini;
    const std::string text =
        std::string("[S]\nkey=before\nhalf=ab") + '\0' + "cd\nlate=1\n[T]\nx=1\n";
    LoadText(ini, text);
    EXPECT_EQ(ini.ReadString("S", "key", ""), "before");
    EXPECT_EQ(ini.ReadString("S", "half", ""), "ab");
    EXPECT_EQ(ini.ReadInteger("S", "late", -1), -1);
    EXPECT_EQ(ini.Sections().Count(), 1);
    // Reading starts at the stream's position.
    const std::string two = "[Skip]\na=1\n[Kept]\nb=2\n";
    TReadOnlyMemoryStream s(two.data(), static_cast<int64_t>(two.size()));
    s.SetPosition(11);
    ini.LoadFromStream(s);
    EXPECT_EQ(ini.Sections().Count(), 1);
    EXPECT_EQ(ini.ReadInteger("Kept", "b", -1), 2);
    // Empty text: every lookup gives its default.
    LoadText(ini, "");
    EXPECT_EQ(ini.ReadString("Kept", "b", "d"), "d");
    EXPECT_EQ(ini.Lines().Count(), 0);
}
