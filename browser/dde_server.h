// The browser host's DDE server for the shell's open, explore and find
// requests on HTML files and folders. Names come from the registry; clients
// must be windows of this thread, and only the partners of conversations the
// server acknowledged are heard; nothing is heard while it is switched off.
// Module-wide: the names, the kind of the conversation in progress and the
// flag set while a shell request runs.
#pragma once

#include "framework/ui/win32.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "browser/dde_command.h"

struct TDdeNames {
    std::string htmlApplication, htmlTopic;
    std::string folderApplication, folderTopic;
    std::string openCommand, exploreCommand, findCommand;
};

enum class TDdeConversation { Html, Folder };

// The names shared by every server of the process.
TDdeNames& DdeNames();
// Reads the seven names from HKEY_CLASSES_ROOT; the first failure ends the
// reading and the names not read yet stay empty.
void ReadDdeNames();
void ClearDdeNames();
TDdeConversation DdeConversation();
// True while a shell request started by a DDE command runs.
bool DdeShellRequestRunning();

class TDdeServer {
public:
    struct TCallbacks {
        std::function<bool()> enabled;
        // The window that answers and takes the conversation (the browser control's).
        std::function<HWND()> conversationWindow;
        // Navigates to a URL or path (string variant) or an item list (byte array).
        std::function<void(const VARIANT& target)> navigate;
        // Runs a shell request; the default calls ShellExecuteExA.
        std::function<BOOL(SHELLEXECUTEINFOA&)> shellExecute;
    };

    explicit TDdeServer(TCallbacks callbacks);
    ~TDdeServer();
    TDdeServer(const TDdeServer&) = delete;
    TDdeServer& operator=(const TDdeServer&) = delete;

    // The hidden window that answers WM_DDE_INITIATE.
    HWND Window() const { return window_; }
    // WM_DDE_EXECUTE from `client` arriving at the conversation window. False
    // (nothing done, nothing answered) while switched off or when `client` is
    // not a partner of an acknowledged conversation.
    bool Execute(HWND client, LPARAM lparam);
    // WM_DDE_TERMINATE from a partner: answered in kind, and the conversation
    // ends. False as for Execute.
    bool Terminate(HWND client);
    // True while `client` is the partner of a conversation this server acknowledged.
    bool IsPartner(HWND client) const;

private:
    static LRESULT CALLBACK HiddenWndProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam);
    void Initiate(HWND client, ATOM application, ATOM topic);
    bool ExecuteHtml(const std::string& command);
    bool ExecuteFolder(const std::string& command);
    bool Enabled() const;
    static bool TakeIdList(const TDdeFolderCommand& cmd, std::vector<uint8_t>& idList);
    bool OpenFolder(const TDdeFolderCommand& cmd, const std::vector<uint8_t>& idList);
    bool RunShellRequest(const TDdeFolderCommand& cmd, std::vector<uint8_t>& idList, bool explore);
    std::string CommandText(HWND client, const void* data, SIZE_T size) const;

    TCallbacks callbacks_;
    HWND window_ = nullptr;
    std::vector<HWND> partners_;
};
