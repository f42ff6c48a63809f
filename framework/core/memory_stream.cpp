// Memory-backed streams.
#include "framework/core/stream.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "framework/core/exception.h"

int32_t TCustomMemoryStream::Read(void* buf, int32_t count) {
    if (count <= 0 || pos_ >= size_)
        return 0;
    const int64_t n = std::min<int64_t>(count, size_ - pos_);
    std::memcpy(buf, base_ + pos_, static_cast<size_t>(n));
    pos_ += n;
    return static_cast<int32_t>(n);
}

int64_t TCustomMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = 0;
    if (origin == TSeekOrigin::Current)
        base = pos_;
    else if (origin == TSeekOrigin::End)
        base = size_;
    const int64_t target = base + offset;
    if (target < 0)
        throw EStreamError(L"Stream seek before the beginning");
    pos_ = target;
    return pos_;
}

void TCustomMemoryStream::SaveToStream(TStream& dst) {
    int64_t done = 0;
    while (done < size_) {
        const auto chunk = static_cast<int32_t>(std::min<int64_t>(size_ - done, 1 << 30));
        dst.WriteBuffer(base_ + done, chunk);
        done += chunk;
    }
}

void TCustomMemoryStream::SaveToFile(const std::string& utf8path) {
    TFileStream f(utf8path, TFileMode::Create);
    SaveToStream(f);
}

int32_t TMemoryStream::Write(const void* buf, int32_t count) {
    if (count <= 0)
        return 0;
    const int64_t end = pos_ + count;
    if (end > size_)
        SetSize(end);
    std::memcpy(data_.data() + pos_, buf, static_cast<size_t>(count));
    pos_ = end;
    return count;
}

void TMemoryStream::SetSize(int64_t newSize) {
    if (newSize < 0 || newSize > INT32_MAX)
        throw EStreamError(L"Invalid memory stream size");
    try {
        if (static_cast<size_t>(newSize) > data_.capacity()) {
            // Grow geometrically so that many small writes stay linear.
            data_.reserve(std::max<size_t>(static_cast<size_t>(newSize), data_.capacity() * 2));
        }
        data_.resize(static_cast<size_t>(newSize));
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory(L"Out of memory");
    }
    Sync();
    if (pos_ > size_)
        pos_ = size_;
}

void TMemoryStream::Clear() {
    data_.clear();
    data_.shrink_to_fit();
    Sync();
    pos_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& src) {
    src.SetPosition(0);
    const int64_t n = src.Size();
    SetSize(n);
    if (n > 0)
        src.ReadBuffer(data_.data(), static_cast<int32_t>(n));
    pos_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& utf8path) {
    TFileStream f(utf8path, TFileMode::OpenRead);
    LoadFromStream(f);
}

TReadOnlyMemoryStream::TReadOnlyMemoryStream(const void* data, int64_t size) {
    base_ = static_cast<const uint8_t*>(data);
    size_ = (data && size > 0) ? size : 0;
}

int32_t TReadOnlyMemoryStream::Write(const void*, int32_t) {
    throw EWriteError(L"Stream is read-only");
}
