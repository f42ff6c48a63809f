// Re-entrancy safe subclassing of one window by one object.
#pragma once

#include "framework/ui/win32.h"

#include <memory>

#include "framework/ui/messages.h"
#include "framework/ui/thunk.h"

// Character set of an installed window procedure.
enum class TProcCharset { Auto, Ansi, Unicode };

// Binds a window's messages to WindowMessage() of this object through a thunk.
//
// Rules that keep it safe when windows are subclassed in layers:
// - the message being handled is kept (CurrentMessage); messages may nest;
// - WM_NCDESTROY marks the window destroyed; the object lets go of the window
//   only when the outermost message returns, and then puts the previous
//   procedure back only if its own thunk is still the installed one;
// - Unsubclass() refuses (answers false) while another procedure sits on top;
// - destroying the object while another procedure sits on top leaves a small
//   forwarder to the previous procedure behind, freed with the window.
class TWindowSubclass {
public:
    TWindowSubclass();
    virtual ~TWindowSubclass();
    TWindowSubclass(const TWindowSubclass&) = delete;
    TWindowSubclass& operator=(const TWindowSubclass&) = delete;

    // Installs the thunk on a live window; Auto uses the window's own character set.
    bool Subclass(HWND wnd, TProcCharset charset = TProcCharset::Auto);
    // Installs the thunk with a known previous procedure (a window created by
    // this object, whose class procedure only hands over the first message).
    void Attach(HWND wnd, WNDPROC previous, TProcCharset charset);
    // Gives the previous procedure back; false while another one is on top.
    bool Unsubclass();

    HWND Handle() const { return wnd_; }
    bool IsSubclassed() const { return wnd_ != nullptr && !detachPending_; }
    bool IsAnsi() const { return ansi_; }
    WNDPROC PreviousProc() const { return previous_; }
    WNDPROC ThunkProc() const { return thunk_->Proc(); }
    // The message being handled, or null between messages.
    const TMessage* CurrentMessage() const { return current_; }

    // Runs the previous procedure on a message; its answer goes to Result too.
    LRESULT CallPrevious(TMessage& msg);
    LRESULT CallPrevious(UINT msg, WPARAM wparam, LPARAM lparam);

protected:
    // Handles one message; the default passes it to the previous procedure.
    virtual void WindowMessage(TMessage& msg);
    // Runs once the window is gone and the object has let go of it.
    virtual void OnFinalMessage(HWND) {}

private:
    static LRESULT __attribute__((thiscall))
    Entry(void* self, HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam);
    WNDPROC InstalledProc() const;
    void SetInstalledProc(WNDPROC proc) const;
    // Puts the previous procedure back, in the character set the window had.
    void RestorePrevious() const;
    void FinishDetach();

    // One per nested message; the destructor clears `alive` so that frames of a
    // deleted object return without touching it.
    struct Frame {
        TMessage* msg;
        Frame* outer;
        bool alive;
    };

    std::unique_ptr<TWndProcThunk> thunk_;
    HWND wnd_ = nullptr;
    WNDPROC previous_ = nullptr;
    // The previous procedure as the Unicode window it was saw it, when we
    // subclassed that window through the ANSI entry (restored through the
    // Unicode entry, so that the window is Unicode again).
    WNDPROC unicodePrevious_ = nullptr;
    bool ansi_ = false;
    bool destroyed_ = false;
    bool detachPending_ = false;
    int depth_ = 0;
    Frame* frames_ = nullptr;
    TMessage* current_ = nullptr;
};
