// Accelerator letters of captions: the character after a single "&" ("&&"
// stands for a literal "&"). Buttons, labels and menus all find theirs here.
#pragma once

#include <string_view>

// The accelerator character of a caption, or 0 when it has none.
wchar_t AccelChar(std::wstring_view caption);
// Whether `key` (a typed character) is the caption's accelerator, in any case.
bool IsAccel(wchar_t key, std::wstring_view caption);
