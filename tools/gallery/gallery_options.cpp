// The gallery's command line; see the header.
#include "tools/gallery/gallery_options.h"

#include <cwctype>

TGalleryOptions ParseGalleryOptions(const std::vector<std::wstring>& args) {
    TGalleryOptions o;
    for (size_t i = 0; i < args.size() && o.error.empty(); ++i) {
        const std::wstring& a = args[i];
        const bool takesValue = a == L"--skin" || a == L"--screenshot";
        if (takesValue && i + 1 >= args.size()) {
            o.error = a + L" needs a value";
        } else if (a == L"--skin") {
            o.skinFile = args[++i];
        } else if (a == L"--screenshot") {
            o.screenshotDir = args[++i];
        } else if (a == L"--no-skin") {
            o.noSkin = true;
        } else if (a == L"--watch") {
            o.watch = true;
        } else {
            o.error = L"unknown option " + a;
        }
    }
    if (o.error.empty() && o.noSkin && !o.skinFile.empty())
        o.error = L"--skin and --no-skin exclude each other";
    if (o.error.empty() && o.watch && o.skinFile.empty())
        o.error = L"--watch needs --skin FOLDER";
    return o;
}

const std::vector<std::wstring>& GalleryPageNames() {
    static const std::vector<std::wstring> names = {
        L"Buttons",  L"Checks", L"Edits", L"Lists",   L"Combos", L"Scroll", L"Tabs",
        L"Progress", L"Panels", L"Views", L"Toolbar", L"MDI",    L"Menus",  L"MessageBox"};
    return names;
}

std::wstring ScreenshotFileName(const std::wstring& page) {
    std::wstring name;
    for (wchar_t c : page)
        name += static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return name + L".png";
}
