// Shared pieces of the menu-bar tests: a form with a framework main menu,
// and a fixture that loads skins and attaches a form skinner to such a form.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "framework/ui/form.h"
#include "framework/ui/menus.h"
#include "framework/ui/messages.h"
#include "skin/window/form_skinner.h"
#include "skin/window/skin_manager.h"
#include "tests/framework/ui/ui_test_util.h"
#include "tests/skin/model/model_fixture.h"

namespace menu_bar_test {

// A form with a main menu: "&File" (Open, separator, Exit), "&Edit" (Copy),
// a disabled "&Help" (About), "&Run" without sub-items and a hidden "&Zed".
class TMenuForm : public TForm {
public:
    explicit TMenuForm(TComponent* owner) : TForm(owner) {
        SetBounds(120, 120, 420, 260);
        Menu = new TMainMenu(this);
        File = Add(Menu->Items(), L"&File");
        Open = Add(File, L"&Open");
        Add(File, L"-");
        Add(File, L"E&xit");
        Edit = Add(Menu->Items(), L"&Edit");
        Add(Edit, L"&Copy");
        Help = Add(Menu->Items(), L"&Help");
        Add(Help, L"&About");
        Help->SetEnabled(false);
        Run = Add(Menu->Items(), L"&Run");
        Zed = Add(Menu->Items(), L"&Zed");
        Zed->SetVisible(false);
        File->OnClick = [this](TObject*) { ++FileClicks; };
        SetMenu(Menu);
    }
    static TMenuItem* Add(TMenuItem* parent, const wchar_t* caption) {
        auto* item = new TMenuItem(parent);
        item->SetCaption(caption);
        parent->Add(item);
        return item;
    }

    TMainMenu* Menu;
    TMenuItem *File, *Open, *Edit, *Help, *Run, *Zed;
    int FileClicks = 0;
};

class MenuBarFixture : public ::testing::Test {
protected:
    void SetUp() override { TSkinManage::Finalize(); }
    void TearDown() override { TSkinManage::Finalize(); }

    // A loaded skin data component owned by `owner`.
    TSkinData* LoadSkin(TComponent* owner, const std::vector<uint8_t>& bytes) {
        auto* d = new TSkinData(owner);
        EXPECT_TRUE(model_test::LoadBytes(*d, bytes));
        return d;
    }
    // A form skinner attached to the shown form (the menu bar built).
    TWinSkinForm* Skin(TMenuForm& form, TSkinData* data) {
        form.Show();
        auto* skinner = new TWinSkinForm(&form);
        skinner->AttachForm(&form, data);
        PostMessageW(form.Handle(), SM_SKINCONTENTS, 0, 1000);
        PumpPending();
        return skinner;
    }
};

} // namespace menu_bar_test
