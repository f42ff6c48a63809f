// The engine side of the C interface; see the header.
#include "skin/capi/skin_session.h"

#include <algorithm>

#include "framework/ui/ui_errors.h"
#include "skin/model/skin_data.h"
#include "skin/store/wrong_mark_notice.h"
#include "skin/window/skin_engine.h"
#include "skin/window/skin_manager.h"

namespace {

thread_local std::wstring tLastError;
// The store's one notice (an archive of an older format), kept for the
// failure the load reports instead of shown in a message box.
thread_local std::string tNotice;

void RecordNotice(const std::string& text) {
    tNotice = text;
}

[[noreturn]] void Fail(LtSkinResult code, const std::wstring& text) {
    throw TSkinFailure{code, text};
}

// The engine's start-up, once per process. Errors inside the skin's window
// procedures are recorded for the owning thread instead of shown.
void EnsureEngine() {
    static bool installed = false;
    if (installed)
        return;
    InstallSkinEngine();
    SetUiErrorHandler(
        [](std::exception_ptr error) { SetLastSkinError(UiExceptionText(std::move(error))); });
    installed = true;
}

std::wstring SystemMessage(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring result(text ? text : L"", n);
    LocalFree(text);
    while (!result.empty() && (result.back() == L'\n' || result.back() == L'\r'))
        result.pop_back();
    return result.empty() ? L"system error " + std::to_wstring(code) : result;
}

// The whole file, or a NOT_FOUND failure naming it.
std::vector<uint8_t> ReadWholeFile(const wchar_t* path) {
    const std::wstring name(path);
    const DWORD attrs = GetFileAttributesW(path);
    if (attrs == INVALID_FILE_ATTRIBUTES || (attrs & FILE_ATTRIBUTE_DIRECTORY))
        Fail(LT_SKIN_NOT_FOUND, L"Skin file not found: " + name);
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        Fail(LT_SKIN_NOT_FOUND,
             L"Cannot open the skin file " + name + L": " + SystemMessage(GetLastError()));
    std::vector<uint8_t> bytes;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < 0x40000000;
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = bytes.empty() ||
             (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
              read == bytes.size());
    }
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (!ok)
        Fail(LT_SKIN_NOT_FOUND,
             L"Cannot read the skin file " + name + L": " + SystemMessage(error));
    return bytes;
}

BOOL CALLBACK CollectWindow(HWND wnd, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(wnd);
    return TRUE;
}

} // namespace

const std::wstring& LastSkinError() {
    return tLastError;
}

void SetLastSkinError(const std::wstring& text) {
    tLastError = text;
}

TSkinSession& TSkinSession::Instance() {
    static TSkinSession session;
    return session;
}

bool TSkinSession::Claim() {
    const DWORD me = GetCurrentThreadId();
    DWORD expected = 0;
    return owner_.compare_exchange_strong(expected, me) || expected == me;
}

void TSkinSession::ReleaseIfIdle() {
    if (skins_.empty() && !applied_)
        owner_ = 0;
}

LtSkin* TSkinSession::LoadFile(const wchar_t* path) {
    if (!path || !*path)
        Fail(LT_SKIN_INVALID_ARGUMENT, L"No skin file named");
    return LoadBytes(ReadWholeFile(path), path);
}

LtSkin* TSkinSession::LoadMemory(const void* data, size_t size) {
    if (!data && size)
        Fail(LT_SKIN_INVALID_ARGUMENT, L"No skin data given");
    const auto* bytes = static_cast<const uint8_t*>(data);
    return LoadBytes(std::vector<uint8_t>(bytes, bytes + size), L"the skin in memory");
}

// A new skin data component with the bytes as its stream, loaded.
LtSkin* TSkinSession::LoadBytes(const std::vector<uint8_t>& bytes, const std::wstring& what) {
    if (bytes.size() > 0x3FFFFFFF)
        Fail(LT_SKIN_BAD_FILE, L"Not a packed skin (too large): " + what);
    auto skin = std::make_unique<LtSkin>();
    skin->data = std::make_unique<TSkinData>(nullptr);
    TSkinData& d = *skin->data;
    tNotice.clear();
    const TWrongMarkNoticeProc previous = SetWrongMarkNotice(RecordNotice);
    bool loaded = false;
    std::wstring reason;
    try {
        if (!bytes.empty())
            d.SkinStream().WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
        loaded = !bytes.empty() && d.LoadSkin() && !d.SkinEmpty();
    } catch (const Exception& e) {
        reason = e.Message();
    } catch (const std::bad_alloc&) {
        SetWrongMarkNotice(previous);
        throw;
    } catch (const std::exception&) {
        reason = L"the archive is damaged";
    }
    SetWrongMarkNotice(previous);
    if (!loaded) {
        if (reason.empty() && !tNotice.empty())
            reason = std::wstring(tNotice.begin(), tNotice.end());
        std::replace(reason.begin(), reason.end(), L'\r', L' ');
        Fail(LT_SKIN_BAD_FILE, L"Not a packed skin archive: " + what +
                                   (reason.empty() ? L"" : L" (" + reason + L")"));
    }
    skins_.push_back(skin.get());
    return skin.release();
}

void TSkinSession::Free(LtSkin* skin) {
    if (!skin)
        return;
    auto it = std::find(skins_.begin(), skins_.end(), skin);
    if (it == skins_.end())
        Fail(LT_SKIN_INVALID_ARGUMENT, L"Not a skin loaded here");
    if (skin == applied_)
        Remove();
    skins_.erase(it);
    delete skin;
}

// Switching skins takes the old one off first, so that every window is
// framed again around its unchanged client area.
void TSkinSession::Apply(LtSkin* skin, unsigned kinds) {
    if (!skin || std::find(skins_.begin(), skins_.end(), skin) == skins_.end())
        Fail(LT_SKIN_INVALID_ARGUMENT, L"Not a skin loaded here");
    if (kinds & ~LT_SKIN_ALL)
        Fail(LT_SKIN_INVALID_ARGUMENT, L"Unknown kinds in the set");
    Remove();
    EnsureEngine();
    TSkinData& d = *skin->data;
    d.SetSkinControls(TSkinControlTypes::FromMask(kinds));
    TSkinManage* m = TSkinManage::Instance(true);
    m->RegisterSkinData(&d);
    m->InstallHook();
    if (!m->HookHandle()) {
        const DWORD error = GetLastError();
        TSkinManage::Finalize();
        Fail(LT_SKIN_OUT_OF_RESOURCES,
             L"Cannot watch the thread's windows: " + SystemMessage(error));
    }
    m->SetHookState(TSkinHookState::Running);
    m->SetActive(true);
    applied_ = skin;
    SkinOpenWindows();
}

// The thread's visible top-level windows, skinned at once.
void TSkinSession::SkinOpenWindows() {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
    TSkinManage* m = TSkinManage::Instance(false);
    for (HWND wnd : windows)
        if (m && IsWindow(wnd) && IsWindowVisible(wnd))
            m->SkinWindow(wnd);
}

// Every skinner restores its window and goes; then the manager goes with
// its hook, timer and popup-menu skinners.
void TSkinSession::Remove() {
    if (!applied_)
        return;
    TSkinData* data = applied_->data.get();
    applied_ = nullptr;
    if (TSkinManage* m = TSkinManage::Instance(false)) {
        m->SetPendingSkinData(data);
        m->RequestAction(TSkinAction::Deactivate, 0);
        m->RunPendingAction();
        m->UnregisterSkinData(data);
    }
    TSkinManage::Finalize();
}

void TSkinSession::Exclude(HWND window) {
    if (!window || !IsWindow(window))
        Fail(LT_SKIN_INVALID_ARGUMENT, L"Not a window");
    TSkinManage::ExcludeWindow(window);
    if (TSkinManage* m = TSkinManage::Instance(false))
        m->UnskinWindow(window);
}
