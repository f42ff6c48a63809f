// Input the way a user produces it: SendInput key strokes and mouse moves and
// clicks at screen points, each followed by handling the messages they cause.
#pragma once

#include <initializer_list>

#include "framework/ui/win32.h"

// Presses the keys in order and releases them in reverse (a chord such as Shift+Tab).
void TypeChord(std::initializer_list<WORD> keys);
// Moves the mouse pointer to a screen point and waits until it stays there
// (what the move caused handled).
void MoveMouseTo(POINT screen);
// Presses (down) or releases the left mouse button where the pointer is.
void LeftButton(bool down);
