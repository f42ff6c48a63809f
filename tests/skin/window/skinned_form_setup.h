// The skin engine as the form-skinner tests set it up: the manager and the
// form skinner installed, the program's skin loaded, registered and active,
// a window skinned once its contents pass has run, and MDI frames and
// children made as those tests need them.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "framework/ui/form.h"
#include "framework/ui/menus.h"
#include "skin/model/skin_data.h"
#include "skin/window/form_skinner.h"
#include "skin/window/skin_manager.h"
#include "tests/framework/ui/ui_test_util.h"
#include "tests/skin/model/model_fixture.h"

class TSkinnedFormSetup {
protected:
    // `beforeRegister` runs once the engine is installed and the skin loaded,
    // before the skin is registered (other engine parts, other skin kinds).
    void StartSkinning(const std::function<void(TSkinData&)>& beforeRegister = {}) {
        TSkinManage::Finalize();
        TSkinManage::Install();
        TWinSkinForm::Install();
        holder_ = std::make_unique<TComponent>(nullptr);
        data_ = new TSkinData(holder_.get());
        ASSERT_TRUE(model_test::LoadBytes(*data_, model_test::ProjectSkin()));
        if (beforeRegister)
            beforeRegister(*data_);
        M().RegisterSkinData(data_);
        M().SetActive(true);
    }
    void StopSkinning() {
        TSkinManage::Finalize();
        holder_.reset();
    }
    TSkinManage& M() { return *TSkinManage::Instance(true); }

    // Skins the window and lets the contents pass run.
    TWinSkinForm* Skin(HWND wnd) {
        EXPECT_TRUE(M().SkinWindow(wnd));
        auto* s = dynamic_cast<TWinSkinForm*>(M().FindFormSkinner(wnd));
        EXPECT_NE(s, nullptr);
        if (s)
            PumpUntil(
                [s] { return s->State() == TFormSkinnerState::Skinned && s->ContentsSkinned; },
                10000);
        PumpPending();
        return s;
    }

    // Makes `frame` an MDI frame with a menu bar of one item, `caption`
    // (where a maximised child's buttons go), and shows it.
    static void ShowMDIFrame(TForm& frame, const wchar_t* caption = L"&Window") {
        frame.SetFormStyle(fsMDIForm);
        auto* menu = new TMainMenu(&frame);
        auto* item = new TMenuItem(menu);
        item->SetCaption(caption);
        menu->Items()->Add(item);
        frame.SetMenu(menu);
        frame.Show();
    }
    // A new MDI child of `frame` at (x, y, w, h), shown. The framework finds
    // a child's frame as the application's main form: the frame stands as it
    // while the child is made.
    static TForm* AddMDIChild(TForm& frame, const wchar_t* caption, int x, int y, int w, int h) {
        TCustomForm* mainForm = Application->MainForm();
        Application->SetMainForm(&frame);
        auto* child = new TForm(&frame);
        child->SetFormStyle(fsMDIChild);
        if (caption)
            child->SetCaption(caption);
        child->SetBounds(x, y, w, h);
        child->Show();
        Application->SetMainForm(mainForm);
        return child;
    }

    std::unique_ptr<TComponent> holder_;
    TSkinData* data_ = nullptr;
};
