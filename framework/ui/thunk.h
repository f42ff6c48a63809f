// Executable stubs that turn a plain window procedure call into a call on an object.
#pragma once

#include "framework/ui/win32.h"

// The function a thunk jumps to: the bound object arrives in ECX (thiscall),
// the four window-procedure arguments stay on the stack untouched.
using TThunkTarget = LRESULT(__attribute__((thiscall)) *)(void* self, HWND wnd, UINT msg,
                                                          WPARAM wparam, LPARAM lparam);

// A window procedure bound to one object. The code lives in executable pages
// taken from VirtualAlloc and shared by all thunks; freeing a thunk gives its
// slot back and an empty page back to the system.
class TWndProcThunk {
public:
    TWndProcThunk(void* self, TThunkTarget target);
    ~TWndProcThunk();
    TWndProcThunk(const TWndProcThunk&) = delete;
    TWndProcThunk& operator=(const TWndProcThunk&) = delete;

    // The address to install with SetWindowLong(GWL_WNDPROC) or to call.
    WNDPROC Proc() const { return reinterpret_cast<WNDPROC>(code_); }
    // Points the thunk at another object and target (used when handing a window over).
    void Retarget(void* self, TThunkTarget target);

    // Thunks alive in the process, and executable pages holding them.
    static int LiveCount();
    static int PageCount();

private:
    unsigned char* code_;
};
