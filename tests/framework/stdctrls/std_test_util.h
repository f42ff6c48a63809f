// Shared pieces of the standard-control tests: class registration, a form
// shown on screen, and real mouse and keyboard input (SendInput).
#pragma once

#include <string>

#include "framework/ui/form.h"
#include "tests/framework/ui/ui_test_util.h"

// Shows the form at a fixed place in front and gives it the focus.
void ShowInFront(TForm& form);
// A left click (press and release) at a client point of a control.
void ClickAt(TControl& control, POINT client);
// Clicks the middle of a control.
void ClickCentre(TControl& control);
// Presses and releases a virtual key (with Shift/Ctrl/Alt up).
void PressKey(WORD vk);
// Types text as Unicode characters.
void TypeText(const std::wstring& text);
// Handles messages until input sent so far has been delivered.
void Settle();
// Repaints a window and its children `times` times at once; answers how
// many counted GDI objects are alive afterwards minus before.
int GdiGrowthOverRepaints(HWND wnd, int times);
// A pixel of a window's client area as on screen (0x00BBGGRR).
COLORREF ScreenPixel(HWND wnd, int x, int y);
