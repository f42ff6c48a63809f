// TStringList.
#include <gtest/gtest.h>

#include "framework/core/exception.h"
#include "framework/core/stream.h"
#include "framework/core/strings.h"

TEST(StringList, AddInsertDeleteObjectsAndIndexOf) {
    TStringList l;
    auto* tag = reinterpret_cast<TObject*>(0x1234);
    EXPECT_EQ(l.Add("Alpha"), 0);
    EXPECT_EQ(l.AddObject("beta", tag), 1);
    l.Insert(0, "zero");
    ASSERT_EQ(l.Count(), 3);
    EXPECT_EQ(l[0], "zero");
    EXPECT_EQ(l.Strings(2), "beta");
    EXPECT_EQ(l.Objects(2), tag);
    EXPECT_EQ(l.Objects(1), nullptr);
    EXPECT_EQ(l.IndexOf("ALPHA"), 1);
    l.SetCaseSensitive(true);
    EXPECT_EQ(l.IndexOf("ALPHA"), -1);
    EXPECT_EQ(l.IndexOf("Alpha"), 1);
    EXPECT_EQ(l.IndexOfObject(tag), 2);
    l.Delete(1);
    EXPECT_EQ(l.Count(), 2);
    EXPECT_EQ(l[1], "beta");
    EXPECT_THROW(l.Strings(2), EListError);
    EXPECT_THROW(l.Delete(-1), EListError);
    EXPECT_THROW(l.Insert(4, "x"), EListError);
    TStringList copy;
    copy.Assign(l);
    EXPECT_TRUE(copy == l);
    EXPECT_TRUE(copy.CaseSensitive());
    l.Clear();
    EXPECT_EQ(l.Count(), 0);
    EXPECT_EQ(copy.Count(), 2);
}

TEST(StringList, TextSplitsOnEveryLineBreakKind) {
    TStringList l;
    l.SetText("a\r\nb\rc\nd\n\ne");
    ASSERT_EQ(l.Count(), 6);
    EXPECT_EQ(l[0], "a");
    EXPECT_EQ(l[1], "b");
    EXPECT_EQ(l[2], "c");
    EXPECT_EQ(l[3], "d");
    EXPECT_EQ(l[4], "");
    EXPECT_EQ(l[5], "e");
    l.SetText("x\r\n");
    EXPECT_EQ(l.Count(), 1); // no empty final entry
    l.SetText("\n");
    ASSERT_EQ(l.Count(), 1);
    EXPECT_EQ(l[0], "");
    l.SetText("");
    EXPECT_EQ(l.Count(), 0);
    l.SetText("one\ntwo");
    EXPECT_EQ(l.Text(), "one\r\ntwo\r\n");
}

TEST(StringList, StreamsAndNameValue) {
    TMemoryStream m;
    m.WriteBuffer("skip|Key=Val\nother=2\n", 21);
    m.SetPosition(5); // loads from the current position
    TStringList l;
    l.LoadFromStream(m);
    ASSERT_EQ(l.Count(), 2);
    EXPECT_EQ(l.Values("key"), "Val");
    EXPECT_EQ(l.Names(1), "other");
    EXPECT_EQ(l.IndexOfName("OTHER"), 1);
    EXPECT_EQ(l.Values("none"), "");
    TMemoryStream out;
    l.SaveToStream(out);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out.Memory()), out.Size()),
              "Key=Val\r\nother=2\r\n");
}
