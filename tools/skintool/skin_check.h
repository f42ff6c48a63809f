// The skin checker: everything in a skin that the engine would silently work
// around (pictures missing or unreadable, frame counts that do not divide a
// picture, margins larger than it, transparency that does nothing or shows
// magenta, unknown or repeated sections and keys, values the engine does not
// accept, caption buttons outside the title bar, colours that do not parse),
// each with the file and line to fix. Portable: the skin tool, the gallery's
// watch loop and the tests share it.
#pragma once

#include <map>
#include <string>
#include <vector>

class TSkinReader;

struct TSkinIssue {
    enum TLevel { Warning, Error };
    TLevel Level = Warning;
    std::string File; // the INI or picture the issue is in
    int Line = 0;     // 1-based line of File; 0 when the issue has no line
    std::string Text;
};

struct TSkinCheckResult {
    std::vector<TSkinIssue> Issues; // in file order, INI first
    int Errors() const;
    int Warnings() const;
    // 0 clean, 1 warnings only, 2 errors.
    int ExitCode() const;
};

// "file:line: error: text" (no ":line" when the issue has none).
std::string FormatSkinIssue(const TSkinIssue& issue);

// Checks a loaded archive. `displayNames` maps stored (lowercase) names to
// the names the messages use (a folder's own spelling); missing entries use
// the stored name.
TSkinCheckResult CheckSkinArchive(const TSkinReader& reader,
                                  const std::map<std::string, std::string>& displayNames = {});

// Checks a packed skin file or an unpacked skin folder (packed in memory in
// the skin tool's order first). A folder that cannot be packed or a file
// that is no skin archive gives one error.
TSkinCheckResult CheckSkinPath(const std::string& path);
