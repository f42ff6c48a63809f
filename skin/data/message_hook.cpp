// Replaceable hook for the skin store's user message.
#include "skin/data/message_hook.h"

namespace {
TSkinMessageProc g_messageProc = nullptr;
}

void SkinShowMessage(const std::string& text) {
    (g_messageProc ? g_messageProc : DefaultSkinMessage)(text);
}

TSkinMessageProc SetSkinMessageHook(TSkinMessageProc proc) {
    TSkinMessageProc previous = g_messageProc ? g_messageProc : DefaultSkinMessage;
    g_messageProc = proc;
    return previous;
}
