// Conversion between ANSI text (the system's ANSI code page: 936 on the
// customers' machines) and wide text.
//
// Windows build: MultiByteToWideChar / WideCharToMultiByte with CP_ACP.
// Host build (tests, fuzzing): there is no code page 936 table here, so the
// host treats ANSI as UTF-8 when the bytes are valid UTF-8 and as Latin-1
// otherwise; wide text converts back to UTF-8. ASCII is identical everywhere.
#pragma once

#include <string>

std::wstring AnsiToWideText(const std::string& ansi);
std::string WideToAnsiText(const std::wstring& wide);
