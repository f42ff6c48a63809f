// Re-entrancy safe subclassing (see subclass.h for the rules).
#include "framework/ui/subclass.h"

#include "framework/ui/ui_errors.h"

namespace {

// What stays of a subclass object destroyed while another procedure sat on top
// of it: it forwards to the previous procedure until the window is destroyed.
struct Orphan {
    std::unique_ptr<TWndProcThunk> thunk;
    WNDPROC previous;
    bool ansi;
    int depth = 0;

    static LRESULT __attribute__((thiscall))
    Entry(void* self, HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
        auto* orphan = static_cast<Orphan*>(self);
        ++orphan->depth;
        LRESULT result = orphan->ansi ? CallWindowProcA(orphan->previous, wnd, msg, wparam, lparam)
                                      : CallWindowProcW(orphan->previous, wnd, msg, wparam, lparam);
        if (--orphan->depth == 0 && msg == WM_NCDESTROY) {
            WNDPROC installed =
                reinterpret_cast<WNDPROC>(orphan->ansi ? GetWindowLongPtrA(wnd, GWLP_WNDPROC)
                                                       : GetWindowLongPtrW(wnd, GWLP_WNDPROC));
            if (installed == orphan->thunk->Proc()) {
                if (orphan->ansi)
                    SetWindowLongPtrA(wnd, GWLP_WNDPROC,
                                      reinterpret_cast<LONG_PTR>(orphan->previous));
                else
                    SetWindowLongPtrW(wnd, GWLP_WNDPROC,
                                      reinterpret_cast<LONG_PTR>(orphan->previous));
            }
            delete orphan;
        }
        return result;
    }
};

} // namespace

TWindowSubclass::TWindowSubclass()
    : thunk_(std::make_unique<TWndProcThunk>(this, &TWindowSubclass::Entry)) {}

// Lets go of the window; see the class comment for the case of a procedure on top.
TWindowSubclass::~TWindowSubclass() {
    for (Frame* f = frames_; f; f = f->outer)
        f->alive = false;
    if (!wnd_ || detachPending_ || destroyed_ || !IsWindow(wnd_))
        return;
    if (InstalledProc() == thunk_->Proc()) {
        SetInstalledProc(previous_);
        return;
    }
    auto* orphan = new Orphan{std::move(thunk_), previous_, ansi_};
    orphan->thunk->Retarget(orphan, &Orphan::Entry);
}

// Reads the procedure currently installed, in the character set we installed with.
WNDPROC TWindowSubclass::InstalledProc() const {
    return reinterpret_cast<WNDPROC>(ansi_ ? GetWindowLongPtrA(wnd_, GWLP_WNDPROC)
                                           : GetWindowLongPtrW(wnd_, GWLP_WNDPROC));
}

// Wine's built-in controls (the edit among them) stay ANSI when the ANSI
// view of their procedure is put back: the Unicode view makes them Unicode
// again, as they were.
void TWindowSubclass::RestorePrevious() const {
    if (unicodePrevious_)
        SetWindowLongPtrW(wnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(unicodePrevious_));
    else
        SetInstalledProc(previous_);
}

// Installs a procedure in the character set we installed with.
void TWindowSubclass::SetInstalledProc(WNDPROC proc) const {
    if (ansi_)
        SetWindowLongPtrA(wnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    else
        SetWindowLongPtrW(wnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
}

bool TWindowSubclass::Subclass(HWND wnd, TProcCharset charset) {
    if (wnd_ || !IsWindow(wnd))
        return false;
    wnd_ = wnd;
    ansi_ = charset == TProcCharset::Auto ? !IsWindowUnicode(wnd) : charset == TProcCharset::Ansi;
    destroyed_ = false;
    detachPending_ = false;
    unicodePrevious_ = ansi_ && IsWindowUnicode(wnd)
                           ? reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC))
                           : nullptr;
    // SetWindowLongPtr answers the previous procedure in the same character set.
    previous_ = reinterpret_cast<WNDPROC>(
        ansi_ ? SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(thunk_->Proc()))
              : SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(thunk_->Proc())));
    if (!previous_) {
        wnd_ = nullptr;
        return false;
    }
    return true;
}

void TWindowSubclass::Attach(HWND wnd, WNDPROC previous, TProcCharset charset) {
    wnd_ = wnd;
    ansi_ = charset == TProcCharset::Ansi;
    unicodePrevious_ = nullptr;
    destroyed_ = false;
    detachPending_ = false;
    previous_ = previous;
    SetInstalledProc(thunk_->Proc());
}

bool TWindowSubclass::Unsubclass() {
    if (!wnd_ || detachPending_ || InstalledProc() != thunk_->Proc())
        return false;
    RestorePrevious();
    if (depth_ > 0) {
        // Messages still running below us keep calling the previous procedure.
        detachPending_ = true;
    } else {
        wnd_ = nullptr;
        previous_ = nullptr;
    }
    return true;
}

LRESULT TWindowSubclass::CallPrevious(TMessage& msg) {
    msg.Result = CallPrevious(msg.Msg, msg.WParam, msg.LParam);
    return msg.Result;
}

LRESULT TWindowSubclass::CallPrevious(UINT msg, WPARAM wparam, LPARAM lparam) {
    if (!wnd_ || !previous_)
        return 0;
    return ansi_ ? CallWindowProcA(previous_, wnd_, msg, wparam, lparam)
                 : CallWindowProcW(previous_, wnd_, msg, wparam, lparam);
}

void TWindowSubclass::WindowMessage(TMessage& msg) {
    CallPrevious(msg);
}

// Lets go of the window once the outermost message has returned.
void TWindowSubclass::FinishDetach() {
    HWND wnd = wnd_;
    bool destroyed = destroyed_;
    if (destroyed && !detachPending_ && InstalledProc() == thunk_->Proc())
        RestorePrevious();
    wnd_ = nullptr;
    previous_ = nullptr;
    destroyed_ = false;
    detachPending_ = false;
    if (destroyed)
        OnFinalMessage(wnd); // may delete this object: nothing may follow
}

// The thunk target: one frame per message, exceptions stop here.
LRESULT __attribute__((thiscall))
TWindowSubclass::Entry(void* selfPtr, HWND, UINT msg, WPARAM wparam, LPARAM lparam) {
    auto* self = static_cast<TWindowSubclass*>(selfPtr);
    TMessage message{msg, wparam, lparam, 0};
    Frame frame{&message, self->frames_, true};
    self->frames_ = &frame;
    self->current_ = &message;
    ++self->depth_;
    try {
        self->WindowMessage(message);
    } catch (...) {
        HandleUiException();
    }
    if (!frame.alive)
        return message.Result; // the object was deleted while handling this message
    --self->depth_;
    self->frames_ = frame.outer;
    self->current_ = frame.outer ? frame.outer->msg : nullptr;
    if (msg == WM_NCDESTROY)
        self->destroyed_ = true;
    if (self->depth_ == 0 && self->wnd_ && (self->destroyed_ || self->detachPending_))
        self->FinishDetach();
    return message.Result;
}
