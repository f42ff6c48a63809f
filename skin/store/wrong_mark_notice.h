// The wrong-mark notice: the skin store's one message to the user (an archive
// of an older format) goes through a replaceable procedure. The Windows build
// shows a message box, the portable build writes to the error output, and
// tests install a recorder.
#pragma once

#include <string>

// Shows an ANSI text to the user.
using TWrongMarkNoticeProc = void (*)(const std::string& text);

// Shows text through the current procedure.
void ShowWrongMarkNotice(const std::string& text);
// Installs proc (nullptr restores the default) and returns the previous procedure.
TWrongMarkNoticeProc SetWrongMarkNotice(TWrongMarkNoticeProc proc);
// The flavour's default: a message box on Windows, the error output elsewhere.
void DefaultWrongMarkNotice(const std::string& text);
