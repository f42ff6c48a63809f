// The gallery's skins; see the header.
#include "framework/ui/win32.h"

#include "tools/gallery/gallery_skins.h"

#include <exception>

#include "framework/core/ansi.h"
#include "framework/core/exception.h"
#include "framework/core/stream.h"
#include "skin/model/skin_data.h"
#include "tools/skininfo/skin_folder_pack.h"
#include "tools/skintool/skin_check.h"

namespace {
const wchar_t* ResourceName(TGallerySkin skin) {
    return skin == TGallerySkin::Graphite ? L"GALLERY_GRAPHITE" : L"GALLERY_XPLUNA";
}
} // namespace

// The skin's bytes become the component's stream, as a file's would.
bool TGallerySkins::UseEmbedded(TGallerySkin skin) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(module, ResourceName(skin), MAKEINTRESOURCEW(10)); // RT_RCDATA
    HGLOBAL res = info ? LoadResource(module, info) : nullptr;
    const void* bytes = res ? LockResource(res) : nullptr;
    if (!bytes)
        return Failed(std::wstring(L"The built-in skin ") + ResourceName(skin) + L" is missing");
    try {
        TReadOnlyMemoryStream src(bytes, SizeofResource(module, info));
        data_->SkinStream().LoadFromStream(src);
        if (!data_->LoadSkin())
            return Failed(L"The built-in skin is not a skin archive");
        data_->ApplySkin();
    } catch (const Exception& e) {
        return Failed(L"The built-in skin cannot be loaded: " + e.Message());
    }
    current_ = skin;
    message_.clear();
    return true;
}

bool TGallerySkins::UseFile(const std::wstring& path) {
    const DWORD attrs = GetFileAttributesW(path.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES || (attrs & FILE_ATTRIBUTE_DIRECTORY))
        return Failed(L"Skin file not found: " + path);
    try {
        data_->SetSkinFile(WideToAnsiText(path));
    } catch (const Exception& e) {
        return Failed(L"Cannot load the skin " + path + L": " + e.Message());
    } catch (const std::exception&) {
        return Failed(L"Cannot load the skin " + path + L": the archive is damaged");
    }
    if (data_->SkinEmpty())
        return Failed(L"Not a packed skin archive: " + path);
    current_ = TGallerySkin::File;
    message_.clear();
    return true;
}

namespace {
// The checker's lines, one per line, errors first.
std::wstring IssueText(const TSkinCheckResult& result) {
    std::string text;
    for (TSkinIssue::TLevel level : {TSkinIssue::Error, TSkinIssue::Warning})
        for (const TSkinIssue& issue : result.Issues)
            if (issue.Level == level)
                text += (text.empty() ? "" : "\n") + FormatSkinIssue(issue);
    return AnsiToWideText(text);
}
} // namespace

bool TGallerySkins::UseFolder(const std::wstring& path) {
    const std::string folder = WideToAnsiText(path);
    const TSkinCheckResult check = CheckSkinPath(folder);
    if (check.Errors() > 0) {
        message_ = IssueText(check);
        return false;
    }
    try {
        const std::vector<uint8_t> packed = PackSkinFolder(folder);
        data_->SkinStream().Clear();
        data_->SkinStream().WriteBuffer(packed.data(), static_cast<int32_t>(packed.size()));
        if (!data_->LoadSkin()) {
            message_ = L"The folder does not make a skin: " + path;
            return false;
        }
        data_->ApplySkin();
    } catch (const Exception& e) {
        message_ = L"Cannot load the skin folder: " + e.Message();
        return false;
    } catch (const std::exception& e) {
        message_ = L"Cannot pack the skin folder: " + AnsiToWideText(e.what());
        return false;
    }
    current_ = TGallerySkin::Folder;
    message_ = IssueText(check);
    return true;
}

void TGallerySkins::SetSkinning(bool on) {
    data_->SetActive(on && current_ != TGallerySkin::None);
}

bool TGallerySkins::Skinning() const {
    return data_->Active();
}

// Nothing of a half-loaded skin is shown: skinning goes off.
bool TGallerySkins::Failed(const std::wstring& message) {
    message_ = message;
    current_ = TGallerySkin::None;
    data_->SetActive(false);
    return false;
}
