// Parsing of the shell's DDE texts.
#include "browser/dde_command.h"

#include <cctype>

std::string DdeCommandName(const std::string& value) {
    size_t open = value.find('[');
    if (open == std::string::npos)
        return {};
    size_t paren = value.find('(', open + 1);
    if (paren == std::string::npos)
        return {};
    return value.substr(open + 1, paren - open - 1);
}

std::string DdeCommandUrl(const std::string& command) {
    if (command.empty() || command[0] != '"')
        return command;
    std::string rest = command.substr(1);
    size_t quote = rest.find('"');
    return quote == std::string::npos ? rest : rest.substr(0, quote);
}

namespace {

// Reads an unsigned decimal number at pos (after blanks); false when none.
bool ReadNumber(const std::string& s, size_t& pos, uint32_t& value) {
    while (pos < s.size() && s[pos] == ' ')
        ++pos;
    size_t start = pos;
    uint64_t v = 0;
    while (pos < s.size() && std::isdigit(static_cast<unsigned char>(s[pos]))) {
        v = v * 10 + static_cast<unsigned>(s[pos] - '0');
        if (v > 0xFFFFFFFFu)
            v = 0xFFFFFFFFu;
        ++pos;
    }
    value = static_cast<uint32_t>(v);
    return pos > start;
}

} // namespace

TDdeFolderCommand ParseDdeFolderCommand(const std::string& command) {
    TDdeFolderCommand cmd;
    cmd.name = DdeCommandName(command);
    size_t q1 = command.find('"');
    if (q1 != std::string::npos) {
        size_t q2 = command.find('"', q1 + 1);
        if (q2 != std::string::npos)
            cmd.path = command.substr(q1 + 1, q2 - q1 - 1);
    }
    // Commas inside the quoted path don't separate arguments.
    size_t searchFrom = 0;
    if (q1 != std::string::npos) {
        size_t q2 = command.find('"', q1 + 1);
        searchFrom = q2 == std::string::npos ? command.size() : q2 + 1;
    }
    size_t comma1 = command.find(',', searchFrom);
    if (comma1 == std::string::npos)
        return cmd;
    size_t pos = comma1 + 1;
    cmd.hasIdList = ReadNumber(command, pos, cmd.idList);
    if (cmd.hasIdList && pos < command.size() && command[pos] == ':') {
        ++pos;
        cmd.hasProcessId = ReadNumber(command, pos, cmd.processId);
    }
    size_t comma2 = command.find(',', comma1 + 1);
    if (comma2 != std::string::npos) {
        for (size_t i = comma2 + 1; i < command.size(); ++i)
            if (std::isdigit(static_cast<unsigned char>(command[i]))) {
                cmd.show = command[i] - '0';
                break;
            }
    }
    return cmd;
}
