// The gallery's watch loop for skin authors: an unpacked skin folder is
// reloaded shortly after any file in it changes, and the outcome (the
// checker's messages when the reload is refused) goes to a status line.
//
// The folder is polled from a timer (every 200 ms) by comparing the names,
// sizes and modification times of its files (subfolders too), and a change
// is taken once two polls in a row agree, so a file still being written is
// not read half done. A poll rather than the platform's change
// notification: the application's message loop has no place for a wait
// handle, the sizes and times have to be compared anyway to see a file
// settle, and the poll behaves alike on Windows and under Wine. An edit
// shows after two to three polls.
#pragma once

#include <functional>
#include <string>

#include "framework/ui/win32.h"

class TGallerySkins;
class TStatusBar;
class TForm_Gallery;

// The folder's files as one comparable text (name, size, time per file).
std::wstring SkinFolderSignature(const std::wstring& folder);

class TSkinFolderWatch {
public:
    static constexpr UINT kPollMs = 200;

    // Starts watching; the status line is made on the form's bottom edge.
    TSkinFolderWatch(TForm_Gallery& form, std::wstring folder);
    ~TSkinFolderWatch();
    TSkinFolderWatch(const TSkinFolderWatch&) = delete;
    TSkinFolderWatch& operator=(const TSkinFolderWatch&) = delete;

    // One poll (the timer calls it): reloads when the folder changed and has
    // stayed so since the previous poll.
    void Poll();
    // Loads the folder now and shows the outcome.
    void Reload();
    // Shows the outcome of the load made before the watch began.
    void ShowOutcome();

    // The status line's text, and how many reloads were tried and refused.
    std::wstring StatusText() const;
    int Reloads() const { return reloads_; }
    int Refusals() const { return refusals_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
    void Show(const std::wstring& text);

    TForm_Gallery& form_;
    std::wstring folder_;
    TStatusBar* status_ = nullptr;
    UINT_PTR timer_ = 0;
    std::wstring loaded_; // signature of the folder last loaded (or refused)
    std::wstring seen_;   // signature seen by the previous poll
    int reloads_ = 0;
    int refusals_ = 0;
};
