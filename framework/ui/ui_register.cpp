// Registration of the framework classes by name for the form reader.
#include "framework/ui/ui_register.h"

#include "framework/core/class_builder.h"
#include "framework/gdi/image_list.h"
#include "framework/ui/form.h"
#include "framework/ui/graphic_control.h"
#include "framework/ui/menus.h"
#include "framework/ui/statusbar.h"
#include "framework/ui/timer.h"

void RegisterFrameworkClasses() {
    RegisterClasses<TControl, TWinControl, TGraphicControl, TCustomControl, TCustomForm, TForm,
                    TSizeConstraints, TStatusBar, TStatusPanels, TStatusPanel, TTimer, TMenuItem,
                    TMenu, TMainMenu, TPopupMenu, TImageList>();
}
