// The main window's definition carries the browser and our packed skin:
// reading it loads the skin into SkinData_Main with the definition's
// settings, and the system-menu glyphs come from the program's resources;
// the confirmation dialog is skinned with it by the definition's rules.
#include "framework/ui/win32.h"

#include "app/main_frm.h"
#include "app/unit_messagebox.h"
#include "framework/ui/application.h"
#include "skin/model/skin_data.h"
#include "skin/model/skin_objects.h"
#include "skin/store/skin_reader.h"
#include "skin/window/form_skinner.h"
#include "skin/window/skin_engine.h"
#include "skin/window/skin_manager.h"

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

    // The model is our skin (resources/skin/xpluna): the values of its INI.
    EXPECT_EQ(skin->SkinName, "XPLuna");
    ASSERT_NE(skin->TopBorder, nullptr);
    ASSERT_NE(skin->LeftBorder, nullptr);
    ASSERT_NE(skin->RightBorder, nullptr);
    ASSERT_NE(skin->BottomBorder, nullptr);
    struct TBorderValues {
        TDataSkinBorder* border;
        int left, top, right, bottom, frames, tile, trans, width, height;
    };
    const TBorderValues borders[] = {
        // Top/BottomHeight of the across borders go to Left/RightWidth.
        {skin->TopBorder.get(), 25, 0, 32, 0, 2, 1, 1, 60, 58},
        {skin->LeftBorder.get(), 0, 30, 0, 3, 2, 1, 1, 6, 63},
        {skin->RightBorder.get(), 0, 30, 0, 3, 2, 1, 1, 6, 63},
        {skin->BottomBorder.get(), 2, 0, 2, 0, 2, 1, 0, 43, 6},
    };
    for (const TBorderValues& b : borders) {
        SCOPED_TRACE(b.border->Name);
        EXPECT_EQ(b.border->LeftWidth, b.left);
        EXPECT_EQ(b.border->TopHeight, b.top);
        EXPECT_EQ(b.border->RightWidth, b.right);
        EXPECT_EQ(b.border->BottomHeight, b.bottom);
        EXPECT_EQ(b.border->FrameCount, b.frames);
        EXPECT_EQ(b.border->Tile, b.tile);
        EXPECT_EQ(b.border->Trans, b.trans);
        EXPECT_EQ(b.border->Picture.Width(), b.width);
        EXPECT_EQ(b.border->Picture.Height(), b.height);
    }
    ASSERT_NE(skin->Title, nullptr);
    EXPECT_EQ(skin->Title->LeftWidth, 22);  // TextShift
    EXPECT_EQ(skin->Title->TopHeight, 2);   // TextShiftVert
    EXPECT_EQ(skin->Title->RightWidth, 76); // TextRightClip
    EXPECT_EQ(skin->Title->TextAlignment, 0);
    EXPECT_EQ(skin->Title->ActiveTextColour, static_cast<TColor>(RGB(255, 255, 255)));
    EXPECT_EQ(skin->Title->InactiveTextColour, static_cast<TColor>(RGB(216, 228, 248)));

    // [Button0], [Button3], [Button6], [Button9], [Button16] in file order,
    // then the three MDI child buttons (actions 7 to 9).
    struct TButtonValues {
        const char* name;
        int action, align, x, y, visibility, visibility1, frames;
        bool picture;
    };
    const TButtonValues buttons[] = {
        {"BUTTON0", 0, 1, 25, 5, 0, 0, 6, true},   {"BUTTON3", 1, 1, 48, 5, 2, 6, 6, true},
        {"BUTTON6", 1, 1, 48, 5, 1, 0, 6, true},   {"BUTTON9", 2, 1, 71, 5, 8, 0, 6, true},
        {"BUTTON16", 11, 0, 7, 7, 0, 0, 6, false}, // shows the window's icon
    };
    ASSERT_EQ(skin->CaptionButtons.size(), 8u);
    for (size_t i = 0; i < 5; ++i) {
        const TButtonValues& e = buttons[i];
        const TDataSkinSysButton& b = *skin->CaptionButtons[i];
        SCOPED_TRACE(e.name);
        EXPECT_EQ(b.Name, e.name);
        EXPECT_EQ(b.Action, e.action);
        EXPECT_EQ(b.Align, e.align);
        EXPECT_EQ(b.XCoord, e.x);
        EXPECT_EQ(b.YCoord, e.y);
        EXPECT_EQ(b.Visibility, e.visibility);
        EXPECT_EQ(b.Visibility1, e.visibility1);
        EXPECT_EQ(b.FrameCount, e.frames); // 126 x 21 strips: six frames
        EXPECT_EQ(!b.Picture.Empty(), e.picture);
        if (e.picture) {
            EXPECT_EQ(b.Picture.Width(), 126);
            EXPECT_EQ(b.Picture.Height(), 21);
        }
    }
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(skin->CaptionButtons[5 + i]->Action, 7 + i);

    // The stored stream unpacks to the archive of resources/skin/xpluna/archive.lst.
    TMemoryStream stored;
    stored.WriteBuffer(skin->SkinStream().Memory(),
                       static_cast<int32_t>(skin->SkinStream().Size()));
    TSkinReader reader;
    ASSERT_TRUE(reader.Load(stored));
    ASSERT_EQ(reader.Count(), 45);
    EXPECT_EQ(reader.Names()[0], "blue_frametop.bmp");
    EXPECT_EQ(reader.Names()[44], "xpluna.ini");

    // Restore, maximise, minimise and close from "TESSELMENU".
    ASSERT_NE(skin->MenuGlyphs, nullptr);
    EXPECT_EQ(skin->MenuGlyphs->Count(), 4);
}

// The confirmation dialog skinned with the main window's skin data: its two
// glyph buttons take the skin's glyph-button wrapper by the definition's
// "TRzBitbtn=bitbtn" line, its labels keep their own look.
TEST(MainWindowSkin, DialogButtonsGetTheGlyphButtonSkinAndItsLabelsNone) {
    TApplication app(nullptr);
    app.Initialize();
    InstallSkinEngine();
    TForm_Main* form = app.CreateForm<TForm_Main>();
    ASSERT_NE(form, nullptr);
    TSkinManage* manager = TSkinManage::Instance(false);
    ASSERT_NE(manager, nullptr);
    TForm_MessageBox box(&app);
    box.Show();
    manager->SkinWindow(box.Handle()); // unless the hook did on activation
    auto* skinner = dynamic_cast<TWinSkinForm*>(manager->FindFormSkinner(box.Handle()));
    ASSERT_NE(skinner, nullptr);
    EXPECT_EQ(skinner->SkinData(), ObjectAs<TSkinData>(form->FindComponent("SkinData_Main")));
    const DWORD start = GetTickCount();
    MSG msg{};
    while (!skinner->ContentsSkinned && GetTickCount() - start < 5000) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    }
    ASSERT_TRUE(skinner->ContentsSkinned);
    auto familyOf = [&](TControl* c) -> std::string {
        for (TSkinControl* w : skinner->Wrappers)
            if (w->Control == c || w->GraphicControl == c)
                return w->ClassName();
        return "";
    };
    EXPECT_EQ(familyOf(box.RzBitBtn_Ok), "TSkinBitButton");
    EXPECT_EQ(familyOf(box.RzBitBtn_Cancel), "TSkinBitButton");
    EXPECT_EQ(familyOf(box.RzLabel1), "");
    EXPECT_EQ(familyOf(box.Label_Tip), "");
    box.Hide();
    TSkinManage::Finalize();
}
