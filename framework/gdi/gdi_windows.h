// <windows.h> for the graphics framework. <windows.h> maps RegisterClass to
// RegisterClassW; the framework's class registry uses that name, so the macro
// is removed (window classes are registered with RegisterClassW/ExW).
#pragma once

#include <windows.h>

#undef RegisterClass
