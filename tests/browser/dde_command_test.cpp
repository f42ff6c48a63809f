// Parsing of the shell's DDE command names and commands.
#include "browser/dde_command.h"

#include <gtest/gtest.h>

TEST(DdeCommandTest, CommandNamesFromDdeexecValues) {
    EXPECT_EQ(DdeCommandName("[ViewFolder(\"%l\", %I, %S)]"), "ViewFolder");
    EXPECT_EQ(DdeCommandName("[ExploreFolder(\"%l\", %I, %S)]"), "ExploreFolder");
    EXPECT_EQ(DdeCommandName("x[Find(a[b(c)]"), "Find");
    EXPECT_EQ(DdeCommandName("no brackets"), "");
    EXPECT_EQ(DdeCommandName("[NoParen]"), "");
    EXPECT_EQ(DdeCommandName("(before[After"), "");
    EXPECT_EQ(DdeCommandName(""), "");
}

TEST(DdeCommandTest, HtmlCommandUrls) {
    EXPECT_EQ(DdeCommandUrl("http://a/b"), "http://a/b");
    EXPECT_EQ(DdeCommandUrl("\"file:///c:/x y.htm\",,-1,0,,,,"), "file:///c:/x y.htm");
    EXPECT_EQ(DdeCommandUrl("\"unterminated"), "unterminated");
    EXPECT_EQ(DdeCommandUrl(""), "");
}

TEST(DdeCommandTest, FolderCommands) {
    TDdeFolderCommand a = ParseDdeFolderCommand("[ViewFolder(\"C:\\a,b\", 1234, 3)]");
    EXPECT_EQ(a.name, "ViewFolder");
    EXPECT_EQ(a.path, "C:\\a,b");
    EXPECT_TRUE(a.hasIdList);
    EXPECT_EQ(a.idList, 1234u);
    EXPECT_FALSE(a.hasProcessId);
    EXPECT_EQ(a.show, 3);

    TDdeFolderCommand b = ParseDdeFolderCommand("[ExploreFolder(\"\", 456:789, 5)]");
    EXPECT_EQ(b.path, "");
    EXPECT_EQ(b.idList, 456u);
    EXPECT_TRUE(b.hasProcessId);
    EXPECT_EQ(b.processId, 789u);
    EXPECT_EQ(b.show, 5);

    // No second comma: show 1. No number after the comma: no list.
    TDdeFolderCommand c = ParseDdeFolderCommand("[FindFolder(\"D:\\\", x)]");
    EXPECT_EQ(c.name, "FindFolder");
    EXPECT_FALSE(c.hasIdList);
    EXPECT_EQ(c.show, 1);
    // The first digit after the second comma, as one digit.
    TDdeFolderCommand d = ParseDdeFolderCommand("[V(\"p\",1, x 27)]");
    EXPECT_EQ(d.show, 2);
    // Nothing at all.
    TDdeFolderCommand e = ParseDdeFolderCommand("");
    EXPECT_EQ(e.name, "");
    EXPECT_EQ(e.path, "");
    EXPECT_FALSE(e.hasIdList);
    EXPECT_EQ(e.show, 1);
    // Huge numbers saturate instead of wrapping.
    TDdeFolderCommand f = ParseDdeFolderCommand("[V(\"\",99999999999)]");
    EXPECT_EQ(f.idList, 0xFFFFFFFFu);
}
