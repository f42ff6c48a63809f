// The gallery's command line and its page names (portable: no Windows header).
//   gallery [--skin FILE|FOLDER [--watch] | --no-skin] [--screenshot DIR]
#pragma once

#include <string>
#include <vector>

struct TGalleryOptions {
    std::wstring skinFile;      // --skin FILE: a packed skin archive or an unpacked folder
    bool watch = false;         // --watch: reload the --skin folder when it changes
    bool noSkin = false;        // --no-skin: start with skinning off
    std::wstring screenshotDir; // --screenshot DIR: one PNG per page, then exit
    std::wstring error;         // why the command line was refused; empty when fine
};

// Reads the arguments after the program name. Unknown options, a missing
// value, --skin together with --no-skin and --watch without --skin fill
// `error`.
TGalleryOptions ParseGalleryOptions(const std::vector<std::wstring>& args);

// The page captions in tab order; each names its screenshot.
const std::vector<std::wstring>& GalleryPageNames();
// "Buttons" -> "buttons.png".
std::wstring ScreenshotFileName(const std::wstring& page);
