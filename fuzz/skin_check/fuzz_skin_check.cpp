// Fuzzes the skin checker: an arbitrary unpacked archive (its INI and the
// pictures it names) is checked; the report must stay consistent.
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/core/stream.h"
#include "skin/store/skin_reader.h"
#include "skin/store/wrong_mark_notice.h"
#include "tools/skintool/skin_check.h"

namespace {
void Quiet(const std::string&) {}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SetWrongMarkNotice(Quiet);
    TMemoryStream archive;
    if (size > 0)
        archive.WriteBuffer(data, static_cast<int32_t>(size));
    TSkinReader reader;
    if (!reader.LoadUnpacked(archive))
        return 0;
    const TSkinCheckResult result = CheckSkinArchive(reader);
    for (const TSkinIssue& issue : result.Issues)
        if (issue.Text.empty() || issue.Line < 0 || FormatSkinIssue(issue).empty())
            __builtin_trap();
    const int code = result.ExitCode();
    if (code != (result.Errors() ? 2 : result.Issues.empty() ? 0 : 1))
        __builtin_trap();
    return 0;
}
