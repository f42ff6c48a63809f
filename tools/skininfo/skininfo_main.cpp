// skininfo: loads a skin through TSkinData and prints its model as JSON;
// --sheet also draws every picture of the skin onto one BMP, --preview a
// mock window (active and inactive) drawn from the skin.
//
//   skininfo SKINFILE [--sheet OUT.bmp] [--preview OUT.bmp] [--quiet]
//   skininfo --folder SKIN_FOLDER [--sheet OUT.bmp] [--preview OUT.bmp] [--quiet]
//
// Exit codes: 0 done, 1 the skin or the sheet failed, 2 usage.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "framework/core/ansi.h"
#include "framework/core/utf8.h"
#include "skin/store/wrong_mark_notice.h"
#include "skin/model/skin_data.h"
#include "tools/skininfo/skin_json.h"
#include "tools/skininfo/skin_folder_pack.h"
#include "tools/skininfo/skin_preview.h"
#include "tools/skininfo/skin_sheet.h"

namespace {

// A console tool reports the skin store's message instead of showing a box.
void PrintMessage(const std::string& text) {
    std::string line = text;
    for (char& c : line)
        if (c == '\r')
            c = ' ';
    std::fprintf(stderr, "skininfo: %s\n", line.c_str());
}

int Usage() {
    std::fprintf(
        stderr,
        "usage: skininfo SKINFILE [--sheet OUT.bmp] [--preview OUT.bmp] [--quiet]\n"
        "       skininfo --folder SKIN_FOLDER [--sheet OUT.bmp] [--preview OUT.bmp] [--quiet]\n");
    return 2;
}

// Loads the skin named on the command line; false when it did not load.
bool Load(TSkinData& data, const std::string& source, bool fromFolder) {
    if (fromFolder) {
        std::vector<uint8_t> packed = PackSkinFolder(source);
        data.SkinStream().Clear();
        data.SkinStream().WriteBuffer(packed.data(), static_cast<int32_t>(packed.size()));
        return data.LoadSkin();
    }
    data.SetSkinFile(WideToAnsiText(Utf8ToWide(source)));
    return !data.SkinEmpty();
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string source, sheetPath, previewPath;
    bool fromFolder = false, quiet = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--folder" && i + 1 < args.size()) {
            fromFolder = true;
            source = args[++i];
        } else if (args[i] == "--sheet" && i + 1 < args.size()) {
            sheetPath = args[++i];
        } else if (args[i] == "--preview" && i + 1 < args.size()) {
            previewPath = args[++i];
        } else if (args[i] == "--quiet") {
            quiet = true;
        } else if (source.empty() && !args[i].empty() && args[i][0] != '-') {
            source = args[i];
        } else {
            return Usage();
        }
    }
    if (source.empty())
        return Usage();
    SetWrongMarkNotice(&PrintMessage);
    try {
        TSkinData data(nullptr);
        if (!Load(data, source, fromFolder)) {
            std::fprintf(stderr, "skininfo: %s holds no loadable skin\n", source.c_str());
            return 1;
        }
        if (!quiet)
            std::fputs(SkinModelJson(data).c_str(), stdout);
        if (!sheetPath.empty()) {
            TSkinSheet sheet = DrawSkinSheet(data);
            if (!sheet.Bitmap) {
                std::fprintf(stderr, "skininfo: the skin has no picture\n");
                return 1;
            }
            sheet.Bitmap->SaveToFile(sheetPath);
        }
        if (!previewPath.empty())
            DrawSkinPreview(data)->SaveToFile(previewPath);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skininfo: %s\n", e.what());
        return 1;
    }
    return 0;
}
