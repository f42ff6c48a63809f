// The skin engine's start-up.
#include "skin/window/skin_engine.h"

#include "skin/controls/skin_bars.h"
#include "skin/controls/skin_buttons.h"
#include "skin/controls/skin_checks.h"
#include "skin/controls/skin_combos.h"
#include "skin/controls/skin_edits.h"
#include "skin/controls/skin_panels.h"
#include "skin/controls/skin_scrollbars.h"
#include "skin/controls/skin_tabs.h"
#include "skin/window/control_mapping.h"
#include "skin/window/form_skinner.h"
#include "skin/window/menu_items.h"
#include "skin/window/menu_bar.h"
#include "skin/window/popup_menu.h"
#include "skin/window/skin_manager.h"

void InstallSkinEngine() {
    TSkinManage::Install();
    TWinSkinForm::Install();
    TWinSkinForm::InstallBeforeShow(true);
    InstallPopupMenuSkins();
    // Menu items of controls (tool buttons, tool bars) found by the wrapper mapping.
    SetMenuItemSkinner([](TMenuItem* item, TSkinData* data) { PrepareMenuItem(data, item, true); });
    // The bar's drop-downs are owner drawn now that the skin draws their items.
    TWinSkinMenu::SetOwnerDrawnDropDowns(true);
    RegisterButtonSkins();
    RegisterCheckSkins();
    RegisterBarSkins();
    RegisterPanelSkins();
    RegisterTabSkins();
    RegisterScrollbarSkins();
    RegisterComboSkins();
    RegisterEditSkins();
}
