// Program entry: the application object, its title, the main window, and
// the message loop until the main window has closed.
#include "framework/ui/win32.h"

#include "app/main_frm.h"
#include "framework/ole/ole_scope.h"
#include "framework/ui/application.h"
#include "skin/window/skin_engine.h"
#include "skin/window/skin_manager.h"

// No command line, no files: everything comes from the built-in definitions.
// OLE lives as long as the program: the browser host needs it from the
// moment the main window's definition is read until the window is gone.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    TOleScope ole;
    TApplication application(nullptr);
    application.Initialize();
    application.SetTitle(L"岚拓食品销售管理系统");
    // The skin data component of the main window reaches the skin manager.
    InstallSkinEngine();
    try {
        application.CreateForm<TForm_Main>();
    } catch (...) {
        application.HandleException(nullptr, std::current_exception());
        return 1;
    }
    application.Run();
    TSkinManage::Finalize();
    return 0;
}
