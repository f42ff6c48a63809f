// Replaceable hook for the skin store's user message.
#include "skin/store/wrong_mark_notice.h"

namespace {
TWrongMarkNoticeProc g_messageProc = nullptr;
}

void ShowWrongMarkNotice(const std::string& text) {
    (g_messageProc ? g_messageProc : DefaultWrongMarkNotice)(text);
}

TWrongMarkNoticeProc SetWrongMarkNotice(TWrongMarkNoticeProc proc) {
    TWrongMarkNoticeProc previous = g_messageProc ? g_messageProc : DefaultWrongMarkNotice;
    g_messageProc = proc;
    return previous;
}
