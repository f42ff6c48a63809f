// The skin tool's commands, callable in-process (the program's main and the
// tests both go through SkinToolMain).
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

// Exit codes of the tool.
enum TSkinToolExit : int { kSkinToolOk = 0, kSkinToolFailed = 1, kSkinToolUsage = 2 };

// Runs one command: "pack DIR OUT", "unpack SKIN DIR", "list SKIN" or
// "check SKIN". Results go to out, messages to err; returns the exit code
// (check: 0 clean, 1 warnings, 2 errors).
int SkinToolMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// One file to archive: its name in the archive and where it is read from.
struct TSkinSource {
    std::string name;
    std::filesystem::path path;
};

// The files of a skin folder in archive order. When the folder holds an
// "archive.lst", its lines (paths relative to the folder, "/" separated)
// give the order and the archive name is each path's file-name part; the
// same name may then occur twice. Otherwise the folder's BMP files are
// taken sorted by lowercase name, then its one INI file. Raises
// std::runtime_error when the folder or a listed file cannot be read, or
// the order does not hold exactly one INI file, or (folder scan) two files
// share a lowercase name.
std::vector<TSkinSource> SkinSources(const std::filesystem::path& dir);
