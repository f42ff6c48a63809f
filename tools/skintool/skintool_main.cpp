// Skin authoring tool: pack a skin folder, unpack or list a skin archive.
#include <iostream>

#include "tools/skintool/skintool_commands.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return SkinToolMain(args, std::cout, std::cerr);
}
