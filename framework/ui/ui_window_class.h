// Registration of the window classes of framework controls.
#pragma once

#include "framework/ui/win32.h"

#include <string>

struct TCreateParams;

// Registers params.winClassName once (as a copy of params.superClass when one is
// named) with `initialProc` as class procedure; answers the procedure that does
// the class's default handling (DefWindowProcW, or the system class's procedure).
WNDPROC RegisterControlClass(const TCreateParams& params, WNDPROC initialProc);

// The icon given to new window classes (the application icon once set).
void SetClassIcon(HICON icon);
HICON ClassIcon();

// A hidden message-only window of class "TPUtilWindow" (timers, popup menus);
// the caller subclasses it and destroys it.
HWND CreateUtilWindow();
