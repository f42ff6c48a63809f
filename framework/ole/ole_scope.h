// OLE set up for the calling thread while a scope object lives. The program
// creates one in its entry point before any control is hosted; tests that
// host controls create their own.
#pragma once

#include "framework/ui/win32.h"

#include <objbase.h>

class TOleScope {
public:
    // Calls OleInitialize on this thread.
    TOleScope();
    // Calls OleUninitialize when the set-up succeeded.
    ~TOleScope();
    TOleScope(const TOleScope&) = delete;
    TOleScope& operator=(const TOleScope&) = delete;

    // What OleInitialize answered (S_FALSE: the thread had OLE already).
    HRESULT Result() const { return result_; }
    bool Succeeded() const { return SUCCEEDED(result_); }

private:
    HRESULT result_;
};
