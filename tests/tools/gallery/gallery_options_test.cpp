// The gallery's command line and the screenshot names of its pages.
#include <gtest/gtest.h>

#include "tools/gallery/gallery_options.h"

TEST(GalleryOptions, CommandLine) {
    TGalleryOptions none = ParseGalleryOptions({});
    EXPECT_TRUE(none.error.empty());
    EXPECT_TRUE(none.skinFile.empty());
    EXPECT_FALSE(none.noSkin);
    EXPECT_TRUE(none.screenshotDir.empty());

    TGalleryOptions both =
        ParseGalleryOptions({L"--skin", L"C:\\s\\graphite.skn", L"--screenshot", L"out"});
    EXPECT_TRUE(both.error.empty());
    EXPECT_EQ(both.skinFile, L"C:\\s\\graphite.skn");
    EXPECT_EQ(both.screenshotDir, L"out");

    TGalleryOptions off = ParseGalleryOptions({L"--no-skin"});
    EXPECT_TRUE(off.error.empty());
    EXPECT_TRUE(off.noSkin);

    EXPECT_EQ(ParseGalleryOptions({L"--skin"}).error, L"--skin needs a value");
    EXPECT_EQ(ParseGalleryOptions({L"--screenshot"}).error, L"--screenshot needs a value");
    EXPECT_EQ(ParseGalleryOptions({L"--bogus"}).error, L"unknown option --bogus");
    EXPECT_EQ(ParseGalleryOptions({L"--no-skin", L"--skin", L"a.skn"}).error,
              L"--skin and --no-skin exclude each other");

    TGalleryOptions watch = ParseGalleryOptions({L"--watch", L"--skin", L"skins\\mine"});
    EXPECT_TRUE(watch.error.empty());
    EXPECT_TRUE(watch.watch);
    EXPECT_EQ(watch.skinFile, L"skins\\mine");
    EXPECT_FALSE(none.watch);
    EXPECT_EQ(ParseGalleryOptions({L"--watch"}).error, L"--watch needs --skin FOLDER");
    EXPECT_EQ(ParseGalleryOptions({L"--watch", L"--no-skin"}).error,
              L"--watch needs --skin FOLDER");
}

TEST(GalleryOptions, PageNames) {
    const auto& pages = GalleryPageNames();
    ASSERT_EQ(pages.size(), 14u);
    std::vector<std::wstring> files;
    for (const auto& p : pages)
        files.push_back(ScreenshotFileName(p));
    EXPECT_EQ(files, (std::vector<std::wstring>{
                         L"buttons.png", L"checks.png", L"edits.png", L"lists.png", L"combos.png",
                         L"scroll.png", L"tabs.png", L"progress.png", L"panels.png", L"views.png",
                         L"toolbar.png", L"mdi.png", L"menus.png", L"messagebox.png"}));
}
