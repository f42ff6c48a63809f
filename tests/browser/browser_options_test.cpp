// Flag values of the download-control and host-UI option sets.
#include "browser/browser_options.h"

#include <gtest/gtest.h>

using enum TUserInterfaceOption;

TEST(BrowserOptionsTest, EveryOptionHasItsPlatformFlag) {
    EXPECT_EQ(EnumInfo(DLCTL_DLIMAGES).Count(), 19);
    EXPECT_EQ(EnumInfo(TUserInterfaceOption{}).Count(), 21);
    EXPECT_EQ(DownloadControlFlag(DLCTL_DLIMAGES), 0x10u);
    EXPECT_EQ(DownloadControlFlag(DLCTL_NO_SCRIPTS), 0x80u);
    EXPECT_EQ(DownloadControlFlag(DLCTL_URL_ENCODING_ENABLE_UTF8), 0x40000u);
    EXPECT_EQ(DownloadControlFlag(DLCTL_FORCEOFFLINE), 0x10000000u);
    EXPECT_EQ(DownloadControlFlag(DLCTL_OFFLINE), 0x80000000u);
    EXPECT_EQ(UserInterfaceFlag(DIALOG), 0x1u);
    EXPECT_EQ(UserInterfaceFlag(FLAT_SCROLLBAR), 0x80u);
    EXPECT_EQ(UserInterfaceFlag(ENABLE_FORMS_AUTOCOMPLETE), 0x4000u);
    EXPECT_EQ(UserInterfaceFlag(ENABLE_INPLACE_NAVIGATION), 0x10000u);
    EXPECT_EQ(UserInterfaceFlag(NO3DOUTERBORDER), 0x200000u);
    EXPECT_EQ(EnumInfo(TUserInterfaceOption{}).Name(static_cast<int>(FLAT_SCROLLBAR)),
              "FLAT_SCROLLBAR");
    EXPECT_EQ(EnumInfo(DLCTL_DLIMAGES).Value("DLCTL_BGSOUNDS"), DLCTL_BGSOUNDS);
}

TEST(BrowserOptionsTest, ValuesAreSumsAndTheMainWindowsAre0x70And0x80) {
    EXPECT_EQ(DownloadControlValue({}), 0u);
    EXPECT_EQ(UserInterfaceValue({}), 0u);
    EXPECT_EQ(DownloadControlValue({DLCTL_DLIMAGES, DLCTL_VIDEOS, DLCTL_BGSOUNDS}), 0x70u);
    EXPECT_EQ(UserInterfaceValue({FLAT_SCROLLBAR}), 0x80u);
    // Every flag together: each bit once.
    uint32_t all = DownloadControlValue(TDownloadControlOptions::FromMask((1u << 19) - 1));
    EXPECT_EQ(all, 0xF007FFF0u);
    uint32_t allUi = UserInterfaceValue(TUserInterfaceOptions::FromMask((1u << 21) - 1));
    EXPECT_EQ(allUi, 0x3F7FFFu);
}

TEST(BrowserOptionsTest, BorderAndScrollBarSwitchesForceTheirOptions) {
    TUserInterfaceOptions plain{FLAT_SCROLLBAR};
    auto hidden = ForcedUserInterfaceOptions(plain, true, true);
    EXPECT_TRUE(hidden.Contains(NO3DBORDER));
    EXPECT_TRUE(hidden.Contains(NO3DOUTERBORDER));
    EXPECT_TRUE(hidden.Contains(SCROLL_NO));
    EXPECT_TRUE(hidden.Contains(FLAT_SCROLLBAR));
    EXPECT_EQ(UserInterfaceValue(hidden), 0x80u + 0x4u + 0x200000u + 0x8u);
    // False removes what was assigned.
    auto shown =
        ForcedUserInterfaceOptions({NO3DBORDER, NO3DOUTERBORDER, SCROLL_NO, DIALOG}, false, false);
    EXPECT_EQ(shown, (TUserInterfaceOptions{DIALOG}));
    auto onlyBorders = ForcedUserInterfaceOptions({SCROLL_NO}, true, false);
    EXPECT_EQ(onlyBorders, (TUserInterfaceOptions{NO3DBORDER, NO3DOUTERBORDER}));
}
