// TFileStream over the C runtime's FILE, with UTF-8 paths on every platform.
#include "framework/core/stream.h"

#include <cerrno>
#include <cstring>

#include "framework/core/exception.h"
#include "framework/core/utf8.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

// Opens path in the C runtime mode string given; wide API on Windows.
std::FILE* OpenFile(const std::string& path, const char* mode) {
#ifdef _WIN32
    const std::wstring wpath = Utf8ToWide(path);
    const std::wstring wmode = Utf8ToWide(mode);
    return _wfopen(wpath.c_str(), wmode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

} // namespace

TFileStream::TFileStream(const std::string& utf8path, TFileMode mode) : path_(utf8path) {
    const char* m = "rb";
    switch (mode) {
    case TFileMode::Create:
        m = "w+b";
        break;
    case TFileMode::OpenRead:
        m = "rb";
        break;
    case TFileMode::OpenWrite:
    case TFileMode::OpenReadWrite:
        m = "r+b";
        break;
    }
    file_ = OpenFile(utf8path, m);
    if (!file_) {
        const std::wstring why = Utf8ToWide(std::strerror(errno));
        if (mode == TFileMode::Create)
            throw EFCreateError(L"Cannot create file \"" + Utf8ToWide(utf8path) + L"\". " + why);
        throw EFOpenError(L"Cannot open file \"" + Utf8ToWide(utf8path) + L"\". " + why);
    }
}

TFileStream::~TFileStream() {
    if (file_)
        std::fclose(file_);
}

int32_t TFileStream::Read(void* buf, int32_t count) {
    if (count <= 0)
        return 0;
    if (lastOp_ == 2)
        std::fseek(file_, 0, SEEK_CUR);
    lastOp_ = 1;
    return static_cast<int32_t>(std::fread(buf, 1, static_cast<size_t>(count), file_));
}

int32_t TFileStream::Write(const void* buf, int32_t count) {
    if (count <= 0)
        return 0;
    if (lastOp_ == 1)
        std::fseek(file_, 0, SEEK_CUR);
    lastOp_ = 2;
    return static_cast<int32_t>(std::fwrite(buf, 1, static_cast<size_t>(count), file_));
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    const int whence = origin == TSeekOrigin::Beginning ? SEEK_SET
                       : origin == TSeekOrigin::Current ? SEEK_CUR
                                                        : SEEK_END;
    lastOp_ = 0;
#ifdef _WIN32
    if (_fseeki64(file_, offset, whence) != 0)
        throw EStreamError(L"File seek error");
    return _ftelli64(file_);
#else
    if (fseeko(file_, static_cast<off_t>(offset), whence) != 0)
        throw EStreamError(L"File seek error");
    return static_cast<int64_t>(ftello(file_));
#endif
}

void TFileStream::SetSize(int64_t newSize) {
    std::fflush(file_);
#ifdef _WIN32
    const bool ok = _chsize_s(_fileno(file_), newSize) == 0;
#else
    const bool ok = ftruncate(fileno(file_), static_cast<off_t>(newSize)) == 0;
#endif
    if (!ok)
        throw EStreamError(L"Cannot change the file size");
    if (Position() > newSize)
        Seek(newSize, TSeekOrigin::Beginning);
}
