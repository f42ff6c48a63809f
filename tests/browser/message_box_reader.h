// Real message boxes shown as the browser shows its alerts, read back while
// they are up: what title and icon did the box carry on screen?
#pragma once

#include "framework/ui/win32.h"

#include <string>

// Makes the top-level window of `wnd` the active foreground window (other
// programs on the shared desktop may hold the foreground); false when it
// could not within two seconds.
bool ActivateTopLevel(HWND wnd);

// Activates the owner's top-level window, shows a message box owned by
// `owner` with `caption`, and answers the caption it had once shown ("<no
// dialog seen>" when none showed); its small icon goes to `icon`.
std::wstring ShowBox(HWND owner, const wchar_t* caption, HICON* icon = nullptr);
