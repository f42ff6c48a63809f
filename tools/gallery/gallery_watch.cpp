// The gallery's watch loop; see the header.
#include "tools/gallery/gallery_watch.h"

#include <algorithm>
#include <map>
#include <vector>

#include "framework/ui/statusbar.h"
#include "tools/gallery/gallery_form.h"
#include "tools/gallery/gallery_skins.h"

namespace {
std::map<UINT_PTR, TSkinFolderWatch*>& Watches() {
    static std::map<UINT_PTR, TSkinFolderWatch*> watches;
    return watches;
}
} // namespace

namespace {
// Name, size and write time of every file below `folder` (an archive.lst
// may name files in subfolders).
void AddEntries(const std::wstring& folder, const std::wstring& prefix,
                std::vector<std::wstring>& entries, int depth) {
    WIN32_FIND_DATAW found{};
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name != L"." && name != L".." && depth < 4)
                AddEntries(folder + L"\\" + name, prefix + name + L"\\", entries, depth + 1);
            continue;
        }
        entries.push_back(prefix + name + L"|" + std::to_wstring(found.nFileSizeLow) + L"|" +
                          std::to_wstring(found.ftLastWriteTime.dwHighDateTime) + L"." +
                          std::to_wstring(found.ftLastWriteTime.dwLowDateTime));
    } while (FindNextFileW(find, &found));
    FindClose(find);
}
} // namespace

std::wstring SkinFolderSignature(const std::wstring& folder) {
    const DWORD attrs = GetFileAttributesW(folder.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES || !(attrs & FILE_ATTRIBUTE_DIRECTORY))
        return L"(missing)";
    std::vector<std::wstring> entries;
    AddEntries(folder, L"", entries, 0);
    std::sort(entries.begin(), entries.end());
    std::wstring signature;
    for (const std::wstring& e : entries)
        signature += e + L"\n";
    return signature;
}

TSkinFolderWatch::TSkinFolderWatch(TForm_Gallery& form, std::wstring folder)
    : form_(form), folder_(std::move(folder)) {
    status_ = new TStatusBar(&form_); // owned by the form
    status_->SetParent(&form_);
    status_->SetAlign(alBottom);
    status_->SetSimplePanel(true);
    loaded_ = seen_ = SkinFolderSignature(folder_);
    timer_ = SetTimer(nullptr, 0, kPollMs, &TSkinFolderWatch::Tick);
    Watches()[timer_] = this;
}

TSkinFolderWatch::~TSkinFolderWatch() {
    KillTimer(nullptr, timer_);
    Watches().erase(timer_);
}

void CALLBACK TSkinFolderWatch::Tick(HWND, UINT, UINT_PTR id, DWORD) {
    const auto it = Watches().find(id);
    if (it == Watches().end())
        return;
    try {
        it->second->Poll();
    } catch (...) {
        // No exception leaves a timer procedure; the next poll tries again.
    }
}

void TSkinFolderWatch::Poll() {
    const std::wstring now = SkinFolderSignature(folder_);
    const bool settled = now == seen_;
    seen_ = now;
    if (settled && now != loaded_) {
        loaded_ = now;
        Reload();
    }
}

void TSkinFolderWatch::Reload() {
    TGallerySkins& skins = form_.Skins();
    const bool wasOff = skins.Current() == TGallerySkin::None;
    ++reloads_;
    if (!skins.UseFolder(folder_)) {
        ++refusals_;
        Show(L"Reload refused, the last good skin stays: " + skins.Message());
        return;
    }
    if (wasOff)
        skins.SetSkinning(true);
    form_.UpdateSkinMenu();
    const std::wstring& warnings = skins.Message();
    Show(L"Reloaded " + folder_ + (warnings.empty() ? L"" : L"; " + warnings));
}

void TSkinFolderWatch::ShowOutcome() {
    const TGallerySkins& skins = form_.Skins();
    const std::wstring& message = skins.Message();
    if (skins.Current() == TGallerySkin::Folder)
        Show(L"Watching " + folder_ + (message.empty() ? L"" : L"; " + message));
    else
        Show(L"Not loaded, watching " + folder_ + L": " + message);
}

std::wstring TSkinFolderWatch::StatusText() const {
    return status_->SimpleText();
}

// The status line holds one line: the messages joined by " | ".
void TSkinFolderWatch::Show(const std::wstring& text) {
    std::wstring line;
    for (wchar_t c : text)
        line += c == L'\n' ? std::wstring(L" | ") : std::wstring(1, c);
    status_->SetSimpleText(line);
}
