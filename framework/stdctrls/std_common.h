// Window helpers shared by the standard controls over platform classes.
#pragma once

#include <string>

#include "framework/core/strings.h"
#include "framework/ui/wincontrol.h"

// The whole text of a window.
std::wstring WindowTextOf(HWND wnd);

// Destroys a control's window and makes it again (styles fixed at creation).
void RecreateWindowOf(TWinControl& control);

// Refills a list window: `resetMsg`, then `addMsg` with each line (ANSI
// lines shown as wide text).
void FillListWindow(HWND wnd, UINT resetMsg, UINT addMsg, const TStringList& items);
