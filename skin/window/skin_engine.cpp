// The skin engine's start-up.
#include "skin/window/skin_engine.h"

#include "skin/controls/skin_buttons.h"
#include "skin/window/form_skinner.h"
#include "skin/window/skin_manager.h"

void InstallSkinEngine() {
    TSkinManage::Install();
    TWinSkinForm::Install();
    RegisterButtonSkins();
}
