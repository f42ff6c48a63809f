// The DDE server: hidden initiate window, execute and terminate handling.
#include "browser/dde_server.h"

#include <dde.h>
#include <shlobj.h>
#include "browser/shell_shared.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "browser/dde_command.h"
#include "framework/ole/com_ptr.h"
#include "framework/ui/ui_errors.h"

namespace {

TDdeNames names;
TDdeConversation conversation = TDdeConversation::Html;
bool shellRequestRunning = false;
const char kHiddenClass[] = "TEmbeddedWBDdeWindow";

// The default value of a key under HKEY_CLASSES_ROOT; false when missing.
bool ReadClassesDefault(const char* path, std::string& out) {
    char buffer[1024];
    LONG size = sizeof(buffer);
    if (RegQueryValueA(HKEY_CLASSES_ROOT, path, buffer, &size) != ERROR_SUCCESS)
        return false;
    out.assign(buffer, size > 0 ? strnlen(buffer, size) : 0);
    return true;
}

bool ReadCommandName(const char* path, std::string& out) {
    std::string value;
    if (!ReadClassesDefault(path, value))
        return false;
    out = DdeCommandName(value);
    return true;
}

std::string AtomText(ATOM atom) {
    char buffer[256];
    UINT n = GlobalGetAtomNameA(atom, buffer, sizeof(buffer));
    return std::string(buffer, n);
}

// Copies a well-formed item identifier list (its size includes the
// terminating zero) that lies wholly inside the committed memory holding it;
// false when it runs past that memory or an item is malformed.
bool CopyIdListWithin(const void* list, std::vector<uint8_t>& out) {
    MEMORY_BASIC_INFORMATION info{};
    if (!list || !VirtualQuery(list, &info, sizeof(info)) || info.State != MEM_COMMIT)
        return false;
    const auto* p = static_cast<const uint8_t*>(list);
    const size_t room =
        static_cast<size_t>(static_cast<const uint8_t*>(info.BaseAddress) + info.RegionSize - p);
    size_t at = 0;
    for (;;) {
        if (room - at < sizeof(USHORT))
            return false;
        USHORT cb = 0;
        memcpy(&cb, p + at, sizeof(cb));
        if (cb == 0)
            break;
        if (cb < sizeof(USHORT) || room - at < cb)
            return false;
        at += cb;
    }
    out.assign(p, p + at + sizeof(USHORT));
    return true;
}

} // namespace

TDdeNames& DdeNames() {
    return names;
}

void ReadDdeNames() {
    TDdeNames& n = names;
    ReadClassesDefault("htmlfile\\shell\\open\\ddeexec\\application", n.htmlApplication) &&
        ReadClassesDefault("htmlfile\\shell\\open\\ddeexec\\topic", n.htmlTopic) &&
        ReadClassesDefault("Folder\\shell\\open\\ddeexec\\application", n.folderApplication) &&
        ReadClassesDefault("Folder\\shell\\open\\ddeexec\\topic", n.folderTopic) &&
        ReadCommandName("Folder\\shell\\open\\ddeexec", n.openCommand) &&
        ReadCommandName("Folder\\shell\\explore\\ddeexec", n.exploreCommand) &&
        ReadCommandName("Directory\\shell\\find\\ddeexec", n.findCommand);
}

void ClearDdeNames() {
    names = TDdeNames();
}

TDdeConversation DdeConversation() {
    return conversation;
}

bool DdeShellRequestRunning() {
    return shellRequestRunning;
}

TDdeServer::TDdeServer(TCallbacks callbacks) : callbacks_(std::move(callbacks)) {
    if (!callbacks_.shellExecute)
        callbacks_.shellExecute = [](SHELLEXECUTEINFOA& info) { return ShellExecuteExA(&info); };
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    if (!GetClassInfoA(instance, kHiddenClass, &wc)) {
        wc.lpfnWndProc = &TDdeServer::HiddenWndProc;
        wc.hInstance = instance;
        wc.lpszClassName = kHiddenClass;
        RegisterClassA(&wc);
    }
    // Top-level (never shown), so that broadcast initiates reach it.
    window_ = CreateWindowExA(0, kHiddenClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                              nullptr);
    if (window_)
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TDdeServer::~TDdeServer() {
    if (window_) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

LRESULT CALLBACK TDdeServer::HiddenWndProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<TDdeServer*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (msg == WM_DDE_INITIATE && self && self->callbacks_.enabled && self->callbacks_.enabled()) {
        self->Initiate(reinterpret_cast<HWND>(wparam), LOWORD(lparam), HIWORD(lparam));
        return 0;
    }
    return DefWindowProcA(wnd, msg, wparam, lparam);
}

// Answers an initiate from a window of this thread that asks for the offered names.
void TDdeServer::Initiate(HWND client, ATOM application, ATOM topic) {
    if (shellRequestRunning)
        return;
    DWORD processId = 0;
    DWORD threadId = GetWindowThreadProcessId(client, &processId);
    if (threadId != GetCurrentThreadId() || processId != GetCurrentProcessId())
        return;
    const std::string* offeredApp = &names.htmlApplication;
    const std::string* offeredTopic = &names.htmlTopic;
    conversation = TDdeConversation::Html;
    if (lstrcmpiA(AtomText(application).c_str(), names.htmlApplication.c_str()) != 0) {
        conversation = TDdeConversation::Folder;
        offeredApp = &names.folderApplication;
        offeredTopic = &names.folderTopic;
    }
    if (offeredApp->empty() || offeredTopic->empty())
        return;
    ATOM app = GlobalAddAtomA(offeredApp->c_str());
    ATOM top = GlobalAddAtomA(offeredTopic->c_str());
    HWND server = callbacks_.conversationWindow ? callbacks_.conversationWindow() : nullptr;
    if (server && app == application && top == topic) {
        if (!IsPartner(client))
            partners_.push_back(client);
        SendMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(server), MAKELPARAM(app, top));
    }
    GlobalDeleteAtom(app);
    GlobalDeleteAtom(top);
}

// The command text: wide when both ends are Unicode windows, else ANSI.
std::string TDdeServer::CommandText(HWND client, const void* data, SIZE_T size) const {
    HWND server = callbacks_.conversationWindow ? callbacks_.conversationWindow() : nullptr;
    if (server && IsWindowUnicode(client) && IsWindowUnicode(server)) {
        const auto* w = static_cast<const wchar_t*>(data);
        int len = static_cast<int>(wcsnlen(w, size / sizeof(wchar_t)));
        int n = WideCharToMultiByte(CP_ACP, 0, w, len, nullptr, 0, nullptr, nullptr);
        std::string text(n, '\0');
        WideCharToMultiByte(CP_ACP, 0, w, len, text.data(), n, nullptr, nullptr);
        return text;
    }
    const auto* a = static_cast<const char*>(data);
    return std::string(a, strnlen(a, size));
}

bool TDdeServer::Enabled() const {
    return callbacks_.enabled && callbacks_.enabled();
}

bool TDdeServer::IsPartner(HWND client) const {
    return client && std::find(partners_.begin(), partners_.end(), client) != partners_.end();
}

bool TDdeServer::Execute(HWND client, LPARAM lparam) {
    if (!Enabled() || !IsPartner(client))
        return false;
    UINT_PTR low = 0, high = 0;
    UnpackDDElParam(WM_DDE_EXECUTE, lparam, &low, &high);
    auto commands = reinterpret_cast<HGLOBAL>(high);
    bool done = false;
    if (const void* data = GlobalLock(commands)) {
        std::string text = CommandText(client, data, GlobalSize(commands));
        GlobalUnlock(commands);
        try {
            done = conversation == TDdeConversation::Html ? ExecuteHtml(text) : ExecuteFolder(text);
        } catch (...) {
            // A failed navigation is reported like any other error; the client hears "not done".
            HandleUiException();
            done = false;
        }
    }
    HWND server = callbacks_.conversationWindow ? callbacks_.conversationWindow() : nullptr;
    PostMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(server),
                 ReuseDDElParam(lparam, WM_DDE_EXECUTE, WM_DDE_ACK, done ? DDE_FACK : 0, high));
    return true;
}

bool TDdeServer::Terminate(HWND client) {
    if (!Enabled() || !IsPartner(client))
        return false;
    partners_.erase(std::remove(partners_.begin(), partners_.end(), client), partners_.end());
    HWND server = callbacks_.conversationWindow ? callbacks_.conversationWindow() : nullptr;
    PostMessageA(client, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(server), 0);
    return true;
}

bool TDdeServer::ExecuteHtml(const std::string& command) {
    std::string url = DdeCommandUrl(command);
    TVariant target;
    int n = MultiByteToWideChar(CP_ACP, 0, url.data(), static_cast<int>(url.size()), nullptr, 0);
    target.vt = VT_BSTR;
    target.bstrVal = SysAllocStringLen(nullptr, n);
    MultiByteToWideChar(CP_ACP, 0, url.data(), static_cast<int>(url.size()), target.bstrVal, n);
    if (callbacks_.navigate)
        callbacks_.navigate(target);
    return true;
}

// The item identifier list a folder command names, copied out of the shared
// memory of this process that holds it, which is then freed. A list named by
// a raw address (no process id) is refused: the address could point anywhere.
bool TDdeServer::TakeIdList(const TDdeFolderCommand& cmd, std::vector<uint8_t>& idList) {
    idList.clear();
    if (!cmd.hasIdList || cmd.idList == 0)
        return true;
    if (!cmd.hasProcessId || cmd.processId != GetCurrentProcessId())
        return false;
    auto shared = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(cmd.idList));
    bool ok = false;
    if (void* p = ShellLockShared(shared, cmd.processId)) {
        ok = CopyIdListWithin(p, idList);
        ShellUnlockShared(p);
    }
    ShellFreeShared(shared, cmd.processId);
    return ok;
}

bool TDdeServer::ExecuteFolder(const std::string& command) {
    TDdeFolderCommand cmd = ParseDdeFolderCommand(command);
    bool open = !cmd.name.empty() && cmd.name == names.openCommand;
    bool explore = !cmd.name.empty() && cmd.name == names.exploreCommand;
    bool find = !cmd.name.empty() && cmd.name == names.findCommand;
    if (!open && !explore && !find)
        return false;
    std::vector<uint8_t> idList;
    if (!TakeIdList(cmd, idList))
        return false;
    if (open)
        return OpenFolder(cmd, idList);
    return RunShellRequest(cmd, idList, explore);
}

// Open: navigates to the path, or else to the item list as a byte array.
bool TDdeServer::OpenFolder(const TDdeFolderCommand& cmd, const std::vector<uint8_t>& idList) {
    TVariant target;
    if (!cmd.path.empty()) {
        int n = MultiByteToWideChar(CP_ACP, 0, cmd.path.data(), static_cast<int>(cmd.path.size()),
                                    nullptr, 0);
        target.vt = VT_BSTR;
        target.bstrVal = SysAllocStringLen(nullptr, n);
        MultiByteToWideChar(CP_ACP, 0, cmd.path.data(), static_cast<int>(cmd.path.size()),
                            target.bstrVal, n);
    } else if (!idList.empty()) {
        SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(idList.size()));
        void* p = nullptr;
        SafeArrayAccessData(array, &p);
        memcpy(p, idList.data(), idList.size());
        SafeArrayUnaccessData(array);
        target.vt = VT_ARRAY | VT_UI1;
        target.parray = array;
    } else {
        return false;
    }
    if (callbacks_.navigate)
        callbacks_.navigate(target);
    return true;
}

// Explore or find: a shell request without owner window; initiates are
// ignored while it runs.
bool TDdeServer::RunShellRequest(const TDdeFolderCommand& cmd, std::vector<uint8_t>& idList,
                                 bool explore) {
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof(info);
    info.hwnd = nullptr;
    if (explore) {
        info.lpVerb = "explore";
        info.lpClass = "folder";
        info.fMask |= SEE_MASK_CLASSNAME;
    } else {
        info.lpVerb = "find";
    }
    if (!cmd.path.empty()) {
        info.lpFile = cmd.path.c_str();
    } else if (!idList.empty()) {
        info.lpIDList = idList.data();
        info.fMask |= SEE_MASK_IDLIST;
    }
    info.nShow = cmd.show;
    shellRequestRunning = true;
    BOOL ok = FALSE;
    try {
        ok = callbacks_.shellExecute(info);
    } catch (...) {
        shellRequestRunning = false;
        throw;
    }
    shellRequestRunning = false;
    return ok != FALSE;
}
