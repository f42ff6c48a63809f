// <windows.h> for framework sources, made to live with the framework's own names.
#pragma once

// Before <windows.h>: its GetRValue-style macros would rewrite the colour helpers.
#include "framework/gdi/color.h"

#include <windows.h>

// <windows.h> maps RegisterClass to RegisterClassW; the framework's class
// registry uses that name (window classes are registered with RegisterClassW
// and RegisterClassExW by their full names).
#undef RegisterClass
