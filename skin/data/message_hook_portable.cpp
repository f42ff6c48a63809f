// Default user message of the portable build: one line on the error output.
#include <cstdio>

#include "skin/data/message_hook.h"

void DefaultSkinMessage(const std::string& text) {
    std::string line = text;
    for (char& c : line) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    std::fprintf(stderr, "%s\n", line.c_str());
}
