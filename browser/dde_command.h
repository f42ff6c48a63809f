// Parsing of the shell's DDE texts: command names from the registry's ddeexec
// values, and the commands of HTML and folder conversations. Portable.
#pragma once

#include <cstdint>
#include <string>

// The name in a ddeexec value: the text after the first "[" up to the first
// "(" after it ("[ViewFolder(%l, %I, %S)]" gives "ViewFolder"). Empty when
// either mark is missing.
std::string DdeCommandName(const std::string& value);

// The URL of an HTML conversation's command: a leading double quote is
// removed and the text cut at the next one.
std::string DdeCommandUrl(const std::string& command);

// A folder conversation's command: [Name("path", idlist[:pid], show, ...)]
struct TDdeFolderCommand {
    std::string name; // between "[" and "("
    std::string path; // the first double-quoted part; empty when none
    bool hasIdList = false;
    uint32_t idList = 0; // the number after the first comma
    bool hasProcessId = false;
    uint32_t processId = 0; // after ":"; then idList is a shared-memory handle
    int show = 1;           // first digit after the second comma; 1 when none
};
TDdeFolderCommand ParseDdeFolderCommand(const std::string& command);
