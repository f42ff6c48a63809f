// The skin gallery program:
//   gallery [--skin FILE|FOLDER [--watch] | --no-skin] [--screenshot DIR]
// Without --skin the built-in first skin is used. A skin that cannot be
// loaded is reported (a message box, or a line on stderr with --screenshot)
// and the gallery starts unskinned. With --watch the skin folder is reloaded
// whenever a file in it changes, with the outcome in a status line.
#include "framework/ui/win32.h"

#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/ui/application.h"
#include "skin/window/skin_engine.h"
#include "skin/window/skin_manager.h"
#include "tools/gallery/gallery_capture.h"
#include "tools/gallery/gallery_form.h"
#include "tools/gallery/gallery_options.h"
#include "tools/gallery/gallery_watch.h"

namespace {
std::vector<std::wstring> Arguments() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::wstring> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    LocalFree(argv);
    return args;
}

// A line on the standard error handle (UTF-8).
void ErrorLine(const std::wstring& text) {
    const std::wstring line = L"gallery: " + text + L"\n";
    const int n = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(n > 0 ? n - 1 : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8.data(), n, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()),
              &written, nullptr);
}

// Loads the skin the options ask for; a failure is reported and leaves skinning off.
void ApplySkinOptions(TForm_Gallery& form, const TGalleryOptions& o, bool quiet) {
    TGallerySkins& skins = form.Skins();
    const DWORD attrs = GetFileAttributesW(o.skinFile.c_str());
    const bool folder = attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
    const bool ok = o.skinFile.empty() ? skins.UseEmbedded(TGallerySkin::XPLuna)
                    : folder           ? skins.UseFolder(o.skinFile)
                                       : skins.UseFile(o.skinFile);
    skins.SetSkinning(ok && !o.noSkin);
    form.UpdateSkinMenu();
    if (ok || o.watch)
        return; // the watch loop's status line tells
    const std::wstring text = skins.Message() + L"\nThe gallery starts without a skin.";
    if (quiet)
        ErrorLine(skins.Message() + L"; starting without a skin");
    else
        MessageBoxW(nullptr, text.c_str(), TForm_Gallery::kTitle, MB_OK | MB_ICONWARNING);
}
// The forms go first, then the skin manager, while the application exists.
void EndGallery(TApplication& application) {
    application.DestroyComponents();
    TSkinManage::Finalize();
}
} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const TGalleryOptions options = ParseGalleryOptions(Arguments());
    const bool shots = !options.screenshotDir.empty();
    if (!options.error.empty()) {
        ErrorLine(options.error + L"\nusage: gallery [--skin FILE|FOLDER [--watch] | --no-skin] "
                                  L"[--screenshot DIR]");
        return 2;
    }
    InstallSkinEngine();
    TApplication application(nullptr);
    application.Initialize();
    application.SetTitle(TForm_Gallery::kTitle);
    TForm_Gallery* form = nullptr;
    try {
        form = application.CreateForm<TForm_Gallery>();
        ApplySkinOptions(*form, options, shots);
    } catch (...) {
        application.HandleException(nullptr, std::current_exception());
        return 1;
    }
    std::unique_ptr<TSkinFolderWatch> watch;
    if (options.watch) {
        watch = std::make_unique<TSkinFolderWatch>(*form, options.skinFile);
        watch->ShowOutcome();
    }
    if (!shots) {
        application.Run();
        watch.reset();
        EndGallery(application);
        return 0;
    }
    form->Show();
    std::wstring log;
    const int saved = SaveEveryPage(*form, options.screenshotDir, log);
    if (!log.empty())
        ErrorLine(log);
    const int expected = static_cast<int>(GalleryPageNames().size());
    watch.reset();
    EndGallery(application);
    return saved == expected ? 0 : 1;
}
