// Byte streams: the abstract TStream with its buffer helpers, an in-memory
// stream that owns a growable block, a read-only view over foreign memory,
// and a file stream.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

enum class TSeekOrigin { Beginning, Current, End };

class TStream {
public:
    virtual ~TStream() = default;
    TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;

    // Reads up to count bytes; returns how many were read (0 at the end).
    virtual int32_t Read(void* buf, int32_t count) = 0;
    // Writes up to count bytes; returns how many were written.
    virtual int32_t Write(const void* buf, int32_t count) = 0;
    // Moves the position; returns the new position from the beginning.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    // Total size in bytes (the default seeks to the end and back).
    virtual int64_t Size();
    // Changes the size; streams that cannot do so raise EStreamError.
    virtual void SetSize(int64_t newSize);

    int64_t Position() { return Seek(0, TSeekOrigin::Current); }
    void SetPosition(int64_t pos) { Seek(pos, TSeekOrigin::Beginning); }

    // Reads exactly count bytes or raises EReadError.
    void ReadBuffer(void* buf, int32_t count);
    // Writes exactly count bytes or raises EWriteError.
    void WriteBuffer(const void* buf, int32_t count);
    // Copies count bytes from src's current position; count 0 copies the
    // whole of src from its start. Returns the number of bytes copied.
    int64_t CopyFrom(TStream& src, int64_t count);
};

// A stream over a contiguous block. Base of the owning and the view stream.
class TCustomMemoryStream : public TStream {
public:
    int32_t Read(void* buf, int32_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return size_; }
    // Writes the whole block (from its start) to dst.
    void SaveToStream(TStream& dst);
    void SaveToFile(const std::string& utf8path);

protected:
    const uint8_t* base_ = nullptr;
    int64_t size_ = 0;
    int64_t pos_ = 0;
};

// An in-memory stream owning its bytes; writing past the end grows it.
class TMemoryStream : public TCustomMemoryStream {
public:
    TMemoryStream() = default;
    uint8_t* Memory() { return data_.data(); }
    int32_t Write(const void* buf, int32_t count) override;
    void SetSize(int64_t newSize) override;
    // Empties the stream.
    void Clear();
    // Replaces the content with the whole of src (from its start).
    void LoadFromStream(TStream& src);
    void LoadFromFile(const std::string& utf8path);

private:
    void Sync() {
        base_ = data_.data();
        size_ = static_cast<int64_t>(data_.size());
    }
    std::vector<uint8_t> data_;
};

// A read-only stream over memory owned by someone else (a resource, a
// buffer); the memory must outlive the stream. Writing raises EWriteError.
class TReadOnlyMemoryStream : public TCustomMemoryStream {
public:
    TReadOnlyMemoryStream(const void* data, int64_t size);
    int32_t Write(const void* buf, int32_t count) override;
};

// File open modes.
enum class TFileMode { Create, OpenRead, OpenWrite, OpenReadWrite };

// A stream over a file named by a UTF-8 path.
class TFileStream : public TStream {
public:
    // Opens or creates the file; raises EFOpenError / EFCreateError.
    TFileStream(const std::string& utf8path, TFileMode mode);
    ~TFileStream() override;
    int32_t Read(void* buf, int32_t count) override;
    int32_t Write(const void* buf, int32_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t newSize) override;
    const std::string& FileName() const { return path_; }

private:
    std::FILE* file_ = nullptr;
    std::string path_;
    // The C runtime needs a seek between a read and a following write (and
    // the other way round); 0 none, 1 read, 2 write.
    int lastOp_ = 0;
};
