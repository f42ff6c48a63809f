// TStream: size and buffer helpers common to every stream.
#include "framework/core/stream.h"

#include <algorithm>
#include <vector>

#include "framework/core/exception.h"

int64_t TStream::Size() {
    const int64_t pos = Seek(0, TSeekOrigin::Current);
    const int64_t end = Seek(0, TSeekOrigin::End);
    Seek(pos, TSeekOrigin::Beginning);
    return end;
}

void TStream::SetSize(int64_t) {
    throw EStreamError(L"Stream size cannot be changed");
}

void TStream::ReadBuffer(void* buf, int32_t count) {
    if (count < 0 || (count != 0 && Read(buf, count) != count))
        throw EReadError(L"Stream read error");
}

void TStream::WriteBuffer(const void* buf, int32_t count) {
    if (count < 0 || (count != 0 && Write(buf, count) != count))
        throw EWriteError(L"Stream write error");
}

int64_t TStream::CopyFrom(TStream& src, int64_t count) {
    if (count == 0) {
        src.SetPosition(0);
        count = src.Size();
    }
    if (count < 0)
        throw EReadError(L"Stream read error");
    constexpr int32_t kChunk = 64 * 1024;
    std::vector<uint8_t> buf(static_cast<size_t>(std::min<int64_t>(count, kChunk)));
    int64_t left = count;
    while (left > 0) {
        const auto n = static_cast<int32_t>(std::min<int64_t>(left, kChunk));
        src.ReadBuffer(buf.data(), n);
        WriteBuffer(buf.data(), n);
        left -= n;
    }
    return count;
}
