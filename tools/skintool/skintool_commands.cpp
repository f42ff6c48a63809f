// pack, unpack and list for skin archives.
#include "tools/skintool/skintool_commands.h"

#include <algorithm>
#include <fstream>
#include <iomanip>
#include <set>
#include <stdexcept>

#include "framework/core/exception.h"
#include "framework/core/stream.h"
#include "skin/store/lzh.h"
#include "skin/store/wrong_mark_notice.h"
#include "skin/store/skin_reader.h"
#include "tools/skintool/lzh_encoder.h"
#include "tools/skintool/skin_archive.h"
#include "tools/skintool/skin_check.h"

namespace fs = std::filesystem;

namespace {

std::ostream* g_messages = nullptr;

// The reader's user message goes to the tool's error output.
void ToolMessage(const std::string& text) {
    std::string line = text;
    std::replace(line.begin(), line.end(), '\r', ' ');
    if (g_messages)
        *g_messages << "skintool: " << line << "\n";
}

std::string Lower(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

std::vector<uint8_t> ReadWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        throw std::runtime_error("cannot open " + path.string());
    // One read of the size the file has now.
    const std::streamoff size = in.tellg();
    if (size < 0)
        throw std::runtime_error("cannot read " + path.string());
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), size);
    if (in.gcount() != size)
        throw std::runtime_error("cannot read " + path.string());
    return bytes;
}

void WriteWholeFile(const fs::path& path, const uint8_t* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        throw std::runtime_error("cannot create " + path.string());
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

// Decodes a packed stream again and compares it with the archive it came from.
void VerifyPacked(const std::vector<uint8_t>& packed, const std::vector<uint8_t>& archive) {
    TReadOnlyMemoryStream src(packed.data(), static_cast<int64_t>(packed.size()));
    TMemoryStream dst;
    TSkinReader reader;
    if (!reader.Unpack(src, dst) || dst.Size() != static_cast<int64_t>(archive.size()) ||
        !std::equal(archive.begin(), archive.end(), dst.Memory())) {
        throw std::runtime_error("internal error: packed skin does not decode to its archive");
    }
}

int Pack(const fs::path& dir, const fs::path& outPath, std::ostream& out) {
    std::vector<TSkinArchiveFile> files;
    for (const TSkinSource& src : SkinSources(dir)) {
        files.push_back({src.name, ReadWholeFile(src.path)});
    }
    const std::vector<uint8_t> archive = BuildSkinArchive(files);
    const std::vector<uint8_t> packed = LzhEncode(archive);
    VerifyPacked(packed, archive);
    WriteWholeFile(outPath, packed.data(), packed.size());
    out << "packed " << files.size() << " files, " << archive.size() << " bytes into "
        << packed.size() << " bytes\n";
    return kSkinToolOk;
}

// Loads a skin file into a reader; false (with a message) when it is refused.
bool LoadSkin(const fs::path& path, TSkinReader& reader, std::ostream& err) {
    const std::vector<uint8_t> bytes = ReadWholeFile(path);
    TReadOnlyMemoryStream src(bytes.data(), static_cast<int64_t>(bytes.size()));
    if (reader.Load(src))
        return true;
    err << "skintool: " << path.string()
        << ": not a usable skin archive (wrong mark, damaged directory or too large)\n";
    return false;
}

// A stored name that would leave the target folder or is no plain file name.
bool UnsafeName(const std::string& name) {
    return name.empty() || name == "." || name == ".." ||
           name.find_first_of(std::string("/\\:\0", 4)) != std::string::npos;
}

int Unpack(const fs::path& skin, const fs::path& dir, std::ostream& out, std::ostream& err) {
    TSkinReader reader;
    if (!LoadSkin(skin, reader, err))
        return kSkinToolFailed;
    for (int i = 0; i < reader.Count(); ++i) {
        if (UnsafeName(reader.Names()[i])) {
            err << "skintool: refusing unsafe archive name '" << reader.Names()[i] << "'\n";
            return kSkinToolFailed;
        }
    }
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec)
        throw std::runtime_error("cannot create folder " + dir.string() + ": " + ec.message());
    std::set<std::string> written;
    for (int i = 0; i < reader.Count(); ++i) {
        const std::string& name = reader.Names()[i];
        if (!written.insert(name).second) {
            err << "skintool: skipping later duplicate '" << name << "' (the first one is used)\n";
            continue;
        }
        WriteWholeFile(dir / name, reader.EntryData(i), static_cast<size_t>(reader.Sizes(i)));
    }
    out << "unpacked " << written.size() << " files into " << dir.string() << "\n";
    return kSkinToolOk;
}

int List(const fs::path& skin, std::ostream& out, std::ostream& err) {
    TSkinReader reader;
    if (!LoadSkin(skin, reader, err))
        return kSkinToolFailed;
    int64_t total = 0;
    for (int i = 0; i < reader.Count(); ++i) {
        out << std::setw(10) << reader.Sizes(i) << "  " << reader.Names()[i] << "\n";
        total += reader.Sizes(i);
    }
    out << reader.Count() << " files, " << total << " bytes\n";
    return kSkinToolOk;
}

// Every problem of the skin, one line each, then the count; the exit code
// says clean (0), warnings only (1) or errors (2).
int Check(const std::string& skin, std::ostream& out) {
    const TSkinCheckResult result = CheckSkinPath(skin);
    for (const TSkinIssue& issue : result.Issues)
        out << FormatSkinIssue(issue) << "\n";
    out << skin << ": " << result.Errors() << " error(s), " << result.Warnings() << " warning(s)\n";
    return result.ExitCode();
}

int Usage(std::ostream& err) {
    err << "usage: skintool pack DIR OUT     archive DIR's BMP files and its INI into OUT\n"
           "       skintool unpack SKIN DIR  write every file of SKIN into DIR\n"
           "       skintool list SKIN        show names and sizes in archive order\n"
           "       skintool check SKIN       report what the engine would work around in a\n"
           "                                 packed SKIN or a skin folder (exit 0 clean,\n"
           "                                 1 warnings, 2 errors)\n";
    return kSkinToolUsage;
}

} // namespace

namespace {

bool IsIni(const std::string& name) {
    const std::string lower = Lower(name);
    return lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".ini") == 0;
}

// The order written in the folder's archive.lst.
std::vector<TSkinSource> ListedSources(const fs::path& dir, const fs::path& list) {
    std::ifstream in(list, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + list.string());
    std::vector<TSkinSource> sources;
    std::string line;
    while (std::getline(in, line)) {
        while (!line.empty() &&
               (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
            line.pop_back();
        }
        if (line.empty())
            continue;
        const fs::path rel = fs::path(line).lexically_normal();
        if (rel.is_absolute() || rel.empty() || *rel.begin() == "..") {
            throw std::runtime_error("archive.lst: path outside the folder: " + line);
        }
        sources.push_back({rel.filename().string(), dir / rel});
    }
    return sources;
}

// BMP files sorted by lowercase name, then the INI.
std::vector<TSkinSource> ScannedSources(const fs::path& dir) {
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    if (ec)
        throw std::runtime_error("cannot read folder " + dir.string() + ": " + ec.message());
    std::vector<std::pair<std::string, TSkinSource>> bitmaps;
    std::vector<TSkinSource> inis;
    std::set<std::string> seen;
    for (const fs::directory_entry& e : it) {
        if (!e.is_regular_file())
            continue;
        const std::string name = e.path().filename().string();
        const std::string ext = Lower(e.path().extension().string());
        if (ext != ".bmp" && ext != ".ini")
            continue;
        if (!seen.insert(Lower(name)).second) {
            throw std::runtime_error("two files named " + Lower(name) + " (names ignore case)");
        }
        if (ext == ".ini") {
            inis.push_back({name, e.path()});
        } else {
            bitmaps.emplace_back(Lower(name), TSkinSource{name, e.path()});
        }
    }
    std::sort(bitmaps.begin(), bitmaps.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<TSkinSource> sources;
    for (auto& b : bitmaps)
        sources.push_back(std::move(b.second));
    sources.insert(sources.end(), inis.begin(), inis.end());
    return sources;
}

} // namespace

std::vector<TSkinSource> SkinSources(const fs::path& dir) {
    if (!fs::is_directory(dir))
        throw std::runtime_error("no such folder: " + dir.string());
    const fs::path list = dir / "archive.lst";
    std::vector<TSkinSource> sources =
        fs::exists(list) ? ListedSources(dir, list) : ScannedSources(dir);
    const size_t inis = static_cast<size_t>(std::count_if(
        sources.begin(), sources.end(), [](const TSkinSource& s) { return IsIni(s.name); }));
    if (inis != 1) {
        throw std::runtime_error(dir.string() + ": a skin needs exactly one .ini file, found " +
                                 std::to_string(inis));
    }
    return sources;
}

int SkinToolMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    g_messages = &err;
    const TWrongMarkNoticeProc previous = SetWrongMarkNotice(ToolMessage);
    int rc = kSkinToolFailed;
    try {
        if (args.size() == 3 && args[0] == "pack") {
            rc = Pack(args[1], args[2], out);
        } else if (args.size() == 3 && args[0] == "unpack") {
            rc = Unpack(args[1], args[2], out, err);
        } else if (args.size() == 2 && args[0] == "list") {
            rc = List(args[1], out, err);
        } else if (args.size() == 2 && args[0] == "check") {
            rc = Check(args[1], out);
        } else {
            rc = Usage(err);
        }
    } catch (const Exception& e) {
        err << "skintool: " << e.what() << "\n";
    } catch (const std::exception& e) {
        err << "skintool: " << e.what() << "\n";
    }
    SetWrongMarkNotice(previous);
    g_messages = nullptr;
    return rc;
}
