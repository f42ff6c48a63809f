// Streams: memory, read-only view and file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "framework/core/exception.h"
#include "framework/core/stream.h"
#include "framework/core/utf8.h"

TEST(MemoryStream, WriteReadSeekAndGrow) {
    TMemoryStream m;
    EXPECT_EQ(m.Size(), 0);
    m.WriteBuffer("hello", 5);
    EXPECT_EQ(m.Position(), 5);
    EXPECT_EQ(m.Size(), 5);
    m.Seek(-2, TSeekOrigin::End);
    m.WriteBuffer("LOXX", 4);
    EXPECT_EQ(m.Size(), 7);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(m.Memory()), 7), "helLOXX");
    m.SetPosition(0);
    char buf[16] = {};
    EXPECT_EQ(m.Read(buf, 16), 7);
    EXPECT_EQ(m.Read(buf, 16), 0);
    // Seeking past the end is allowed; writing there zero-fills the gap.
    m.SetPosition(9);
    m.WriteBuffer("Z", 1);
    EXPECT_EQ(m.Size(), 10);
    EXPECT_EQ(m.Memory()[7], 0);
    EXPECT_EQ(m.Memory()[9], 'Z');
    EXPECT_THROW(m.Seek(-1, TSeekOrigin::Beginning), EStreamError);
    m.SetSize(3);
    EXPECT_EQ(m.Position(), 3);
    EXPECT_THROW(m.ReadBuffer(buf, 1), EReadError);
    m.Clear();
    EXPECT_EQ(m.Size(), 0);
    EXPECT_EQ(m.Position(), 0);
}

TEST(MemoryStream, CopyFromLoadAndSave) {
    TMemoryStream src;
    std::string payload(200000, '\0');
    for (size_t i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<char>(i * 7);
    src.WriteBuffer(payload.data(), static_cast<int32_t>(payload.size()));
    TMemoryStream dst;
    // count 0: whole source from its start, whatever its position.
    EXPECT_EQ(dst.CopyFrom(src, 0), 200000);
    EXPECT_EQ(0, std::memcmp(dst.Memory(), payload.data(), payload.size()));
    // Partial copy from the current position.
    src.SetPosition(10);
    TMemoryStream part;
    EXPECT_EQ(part.CopyFrom(src, 5), 5);
    EXPECT_EQ(0, std::memcmp(part.Memory(), payload.data() + 10, 5));
    src.SetPosition(199999);
    EXPECT_THROW(part.CopyFrom(src, 2), EReadError);

    TMemoryStream loaded;
    src.SetPosition(123);
    loaded.LoadFromStream(src);
    EXPECT_EQ(loaded.Size(), 200000);
    EXPECT_EQ(loaded.Position(), 0);
    TMemoryStream saved;
    saved.WriteBuffer("x", 1);
    loaded.SaveToStream(saved);
    EXPECT_EQ(saved.Size(), 200001);
}

TEST(ReadOnlyMemoryStream, ReadsViewAndRefusesWrites) {
    const char data[] = "abcdef";
    TReadOnlyMemoryStream s(data, 6);
    char buf[4] = {};
    s.Seek(2, TSeekOrigin::Beginning);
    s.ReadBuffer(buf, 3);
    EXPECT_EQ(std::string(buf, 3), "cde");
    EXPECT_THROW(s.WriteBuffer("x", 1), EWriteError);
    EXPECT_THROW(s.SetSize(1), EStreamError);
    EXPECT_EQ(s.Size(), 6);
}

TEST(FileStream, CreateWriteReopenReadAndErrors) {
    const std::string path = ::testing::TempDir() + "lt_core_file_stream_\xE4\xB8\xAD.bin";
    {
        TFileStream f(path, TFileMode::Create);
        f.WriteBuffer("0123456789", 10);
        EXPECT_EQ(f.Size(), 10);
        f.SetPosition(2);
        char b[2];
        f.ReadBuffer(b, 2);
        f.WriteBuffer("ab", 2); // read followed by write at position 4
        f.SetSize(8);
        EXPECT_EQ(f.Size(), 8);
    }
    TMemoryStream m;
    m.LoadFromFile(path);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(m.Memory()), 8), "0123ab67");
    m.SaveToFile(path);
    {
        TFileStream f(path, TFileMode::OpenRead);
        EXPECT_EQ(f.Size(), 8);
        EXPECT_EQ(f.Write("z", 1), 0);
    }
#ifdef _WIN32
    ASSERT_EQ(_wremove(Utf8ToWide(path).c_str()), 0);
#else
    ASSERT_EQ(std::remove(path.c_str()), 0);
#endif
    EXPECT_THROW(TFileStream(path, TFileMode::OpenRead), EFOpenError);
}

TEST(FileStream, ReadWriteModeAndCreateErrors) {
    const std::string path = ::testing::TempDir() + "lt_core_file_stream_rw.bin";
    {
        TFileStream f(path, TFileMode::Create);
        f.WriteBuffer("abcdef", 6);
    }
    {
        TFileStream f(path, TFileMode::OpenReadWrite);
        EXPECT_EQ(f.Size(), 6); // opening does not truncate
        f.Seek(-2, TSeekOrigin::End);
        f.WriteBuffer("XY", 2);
        f.SetPosition(0);
        char b[6];
        f.ReadBuffer(b, 6);
        EXPECT_EQ(std::string(b, 6), "abcdXY");
        EXPECT_EQ(f.FileName(), path);
    }
    {
        TFileStream f(path, TFileMode::OpenWrite);
        f.WriteBuffer("Z", 1);
    }
    TMemoryStream m;
    m.LoadFromFile(path);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(m.Memory()), 6), "ZbcdXY");
    std::remove(path.c_str());
    EXPECT_THROW(TFileStream(::testing::TempDir() + "no_such_dir_lt/x.bin", TFileMode::Create),
                 EFCreateError);
    EXPECT_THROW(m.LoadFromFile(path), EFOpenError);
    EXPECT_EQ(m.Size(), 6); // a failed load leaves the content
}
