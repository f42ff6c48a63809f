// Shared plumbing of the framework's standard controls: one-time common
// control initialisation and text conversions of item lists.
#pragma once

#include "framework/ui/win32.h"

#include <string>

class TStringList;

// Registers the common-control classes named by `classes` (ICC_* flags) once
// per flag set; later calls with flags already registered do nothing.
void EnsureCommonControls(DWORD classes);

// Line i of an ANSI string list as wide text.
std::wstring ListLine(const TStringList& list, int i);

// Getter for a published string list whose setter applies the lines: the
// property table wants a mutable list, the class hands out a read-only one.
template <class T> auto MutableList(const TStringList& (T::*get)() const) {
    return [get](T& obj) { return const_cast<TStringList*>(&(obj.*get)()); };
}
