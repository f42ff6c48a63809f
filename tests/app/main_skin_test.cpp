// The main window's definition carries the browser and our packed skin:
// reading it loads the skin into SkinData_Main with the definition's
// settings, and the system-menu glyphs come from the program's resources.
#include "framework/ui/win32.h"

#include "app/main_frm.h"
#include "framework/ui/application.h"
#include "skin/model/skin_data.h"

#include <gtest/gtest.h>

TEST(MainWindowSkin, DefinitionLoadsTheEmbeddedSkin) {
    TApplication app(nullptr);
    app.Initialize();
    TForm_Main* form = app.CreateForm<TForm_Main>();
    ASSERT_NE(form, nullptr);

    // Components in definition order: status bar, browser, skin data, timer.
    std::vector<std::string> order;
    for (int i = 0; i < form->ComponentCount(); ++i)
        order.push_back(form->Components(i)->Name());
    const auto at = [&](const char* name) {
        return std::find(order.begin(), order.end(), name) - order.begin();
    };
    EXPECT_LT(at("StatusBar_Main"), at("WebBrowser"));
    EXPECT_LT(at("WebBrowser"), at("SkinData_Main"));
    EXPECT_LT(at("SkinData_Main"), at("Timer_Main"));

    auto* skin = ObjectAs<TSkinData>(form->FindComponent("SkinData_Main"));
    ASSERT_NE(skin, nullptr);
    EXPECT_FALSE(skin->SkinEmpty());
    EXPECT_TRUE(skin->Active());
    EXPECT_EQ(skin->DisableTag(), 99);
    EXPECT_EQ(skin->SkinControls(),
              (TSkinControlTypes{xcMainMenu, xcPopupMenu, xcToolbar, xcControlbar, xcProgress,
                                 xcButton, xcBitBtn, xcSpeedButton, xcPanel, xcGroupBox, xcTab}));
    EXPECT_EQ(skin->Options().Mask(), 0u);
    EXPECT_EQ(skin->SkinFormtype(), sfMainform);
    EXPECT_FALSE(skin->MenuUpdate());
    EXPECT_FALSE(skin->MenuMerge());
    ASSERT_EQ(skin->Skin3rd().Count(), 110);
    EXPECT_EQ(skin->Skin3rd()[0], "TAdvPanelGroup=embedscrollbar");
    EXPECT_EQ(skin->Skin3rd()[23], "TRzBitbtn=bitbtn");
    EXPECT_EQ(skin->Skin3rd()[109], "TOVCDBNUMERICFIELD=Edit");

    // The model is our skin: its description names it, its frame and
    // caption buttons are there, and the stored stream unpacks to the archive.
    EXPECT_FALSE(skin->SkinName.empty());
    ASSERT_NE(skin->Title, nullptr);
    ASSERT_NE(skin->TopBorder, nullptr);
    EXPECT_FALSE(skin->CaptionButtons.empty());
    EXPECT_GT(skin->SkinStream().Size(), 4);

    // Restore, maximise, minimise and close from "TESSELMENU".
    ASSERT_NE(skin->MenuGlyphs, nullptr);
    EXPECT_EQ(skin->MenuGlyphs->Count(), 4);
}
