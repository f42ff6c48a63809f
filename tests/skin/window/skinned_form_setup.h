// The skin engine as the form-skinner tests set it up: the manager and the
// form skinner installed, the program's skin loaded, registered and active,
// and a window skinned once its contents pass has run.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>

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

    std::unique_ptr<TComponent> holder_;
    TSkinData* data_ = nullptr;
};
