// The skin store's one message to the user goes through a replaceable hook:
// the Windows build shows a message box, the portable build writes to the
// error output, and tests install a recorder.
#pragma once

#include <string>

// Shows an ANSI text to the user.
using TSkinMessageProc = void (*)(const std::string& text);

// Shows text through the current hook.
void SkinShowMessage(const std::string& text);
// Installs proc (nullptr restores the default) and returns the previous hook.
TSkinMessageProc SetSkinMessageHook(TSkinMessageProc proc);
// The flavour's default: a message box on Windows, the error output elsewhere.
void DefaultSkinMessage(const std::string& text);
