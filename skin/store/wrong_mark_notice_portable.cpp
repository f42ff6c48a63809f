// Default user message of the portable build: one line on the error output.
#include <cstdio>

#include "skin/store/wrong_mark_notice.h"

void DefaultWrongMarkNotice(const std::string& text) {
    std::string line = text;
    for (char& c : line) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    std::fprintf(stderr, "%s\n", line.c_str());
}
