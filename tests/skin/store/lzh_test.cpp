// The LZH decoder against streams made by the skin tool's encoder and
// against hand-built symbol sequences.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "framework/core/stream.h"
#include "skin/store/lzh.h"
#include "tools/skintool/lzh_encoder.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Decodes a skin stream (size word + bits) the way the archive reader does.
Bytes DecodeStream(const Bytes& stream, int64_t* consumed = nullptr) {
    TReadOnlyMemoryStream src(stream.data(), static_cast<int64_t>(stream.size()));
    TMemoryStream dst;
    int32_t size = 0;
    src.ReadBuffer(&size, 4);
    TLZH lzh;
    lzh.SetSourceStream(&src);
    lzh.SetTargetStream(&dst);
    lzh.Decode(size);
    if (consumed)
        *consumed = src.Position();
    return Bytes(dst.Memory(), dst.Memory() + dst.Size());
}

// Decodes bare coded bits to `size` bytes; `consumed` gets the source's end position.
Bytes DecodeBits(const Bytes& bits, int32_t size, int64_t* consumed = nullptr) {
    TReadOnlyMemoryStream src(bits.data(), static_cast<int64_t>(bits.size()));
    TMemoryStream dst;
    TLZH lzh;
    lzh.SetSourceStream(&src);
    lzh.SetTargetStream(&dst);
    lzh.Decode(size);
    if (consumed)
        *consumed = src.Position();
    return Bytes(dst.Memory(), dst.Memory() + dst.Size());
}

Bytes RandomBytes(size_t n, uint32_t seed) {
    std::mt19937 rng(seed);
    Bytes b(n);
    for (auto& x : b)
        x = static_cast<uint8_t>(rng());
    return b;
}

Bytes SomeText(size_t n) {
    static const char* words[] = {"[Personality]", "TopHeight=25",   "skin",    "bitmap",
                                  "button",        "blue_close.bmp", "\r\n",    " = ",
                                  "frame",         "Trans=1",        "0xFF00FF"};
    std::mt19937 rng(11);
    Bytes b;
    while (b.size() < n) {
        const std::string w = words[rng() % 11];
        b.insert(b.end(), w.begin(), w.end());
        b.push_back(' ');
    }
    b.resize(n);
    return b;
}

// Literals 0..n-1 with distinct-looking values.
Bytes Pattern(size_t n) {
    Bytes b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = static_cast<uint8_t>((i * 7 + i / 251) & 0xFF);
    return b;
}

void ExpectRoundTrip(const Bytes& data, const char* what) {
    const Bytes stream = LzhEncode(data);
    int64_t consumed = 0;
    const Bytes out = DecodeStream(stream, &consumed);
    ASSERT_EQ(out.size(), data.size()) << what;
    EXPECT_TRUE(out == data) << what;
    EXPECT_EQ(consumed, static_cast<int64_t>(stream.size()))
        << what << ": not all coded bytes read";
}

} // namespace

TEST(Lzh, RoundTripsEncoderOutput) {
    ExpectRoundTrip({}, "empty");
    ExpectRoundTrip({0x41}, "one byte");
    ExpectRoundTrip(SomeText(7000), "text");
    ExpectRoundTrip(RandomBytes(50000, 1), "random");
    Bytes runs(90000, 'A');
    std::fill(runs.begin() + 30000, runs.begin() + 60000, 0x00);
    ExpectRoundTrip(runs, "long runs");
    // Over 64 KB of mixed content: the tree is rebuilt many times.
    Bytes mixed = SomeText(150000);
    const Bytes noise = RandomBytes(40000, 2);
    mixed.insert(mixed.begin() + 70000, noise.begin(), noise.end());
    ExpectRoundTrip(mixed, "mixed > 64 KB");
}

TEST(Lzh, EncoderFindsMatchesAndCompresses) {
    // The empty input codes no bits at all; the size word is 0.
    EXPECT_EQ(LzhEncode({}), (Bytes{0, 0, 0, 0}));
    // A literal-only coder needs about a byte per input byte; a matching one
    // codes long runs and repeated text in a small fraction of that.
    EXPECT_LT(LzhEncode(Bytes(90000, 'A')).size(), 3000u);
    EXPECT_LT(LzhEncode(SomeText(100000)).size(), 40000u);
    // Random bytes do not compress, but must not blow up either.
    EXPECT_LT(LzhEncode(RandomBytes(50000, 3)).size(), 50000u * 9 / 8 + 64);
    // Spaces at the start match the ring's preset spaces: one match symbol
    // and one position instead of 60 literals.
    EXPECT_LE(LzhEncodeBits(Bytes(60, ' ')).size(), 4u);
}

TEST(Lzh, FirstSymbolsCanCopyPresetSpaces) {
    TLzhCoder coder;
    coder.PutMatch(10, 0);  // from the cell just behind the write position
    coder.PutMatch(3, 100); // deeper into the preset part
    coder.PutLiteral('x');
    const Bytes out = DecodeBits(coder.Finish(), 14);
    EXPECT_EQ(std::string(out.begin(), out.end()), std::string(13, ' ') + "x");
}

TEST(Lzh, MatchesAtTheOldestPositionAndAcrossTheWrap) {
    {
        // After 4096 literals the ring holds exactly them; position 4095
        // starts at the write position itself, i.e. the oldest byte.
        const Bytes lit = Pattern(4096);
        TLzhCoder coder;
        for (uint8_t b : lit)
            coder.PutLiteral(b);
        coder.PutMatch(60, 4095);
        const Bytes out = DecodeBits(coder.Finish(), 4096 + 60);
        Bytes expected = lit;
        expected.insert(expected.end(), lit.begin(), lit.begin() + 60);
        EXPECT_TRUE(out == expected);
    }
    {
        // 4126 literals: the oldest byte is literal 30 at ring cell 4066, and
        // the 60-byte copy runs over the end of the ring to cell 29.
        const Bytes lit = Pattern(4126);
        TLzhCoder coder;
        for (uint8_t b : lit)
            coder.PutLiteral(b);
        coder.PutMatch(60, 4095);
        const Bytes out = DecodeBits(coder.Finish(), 4126 + 60);
        Bytes expected = lit;
        expected.insert(expected.end(), lit.begin() + 30, lit.begin() + 90);
        EXPECT_TRUE(out == expected);
    }
    {
        // 100 literals fill cells 4036..4095 and 0..39; a match 60 back
        // starts at cell 4076 and wraps to cell 0.
        const Bytes lit = Pattern(100);
        TLzhCoder coder;
        for (uint8_t b : lit)
            coder.PutLiteral(b);
        coder.PutMatch(60, 59);
        const Bytes out = DecodeBits(coder.Finish(), 160);
        Bytes expected = lit;
        expected.insert(expected.end(), lit.begin() + 40, lit.end());
        EXPECT_TRUE(out == expected);
    }
    {
        // A copy that overlaps its own output repeats the last byte.
        TLzhCoder coder;
        coder.PutLiteral('a');
        coder.PutLiteral('b');
        coder.PutMatch(7, 1);
        const Bytes out = DecodeBits(coder.Finish(), 9);
        EXPECT_EQ(std::string(out.begin(), out.end()), "ababababa");
    }
    // The encoder's own matches across the wrap: a 9000-byte pattern that
    // repeats every 3000 bytes.
    Bytes periodic = Pattern(3000);
    for (int i = 0; i < 2; ++i)
        periodic.insert(periodic.end(), periodic.begin(), periodic.begin() + 3000);
    ExpectRoundTrip(periodic, "periodic");
    EXPECT_LT(LzhEncode(periodic).size(), 4500u);
}

TEST(Lzh, WholeMatchesRunPastTheRequestedSize) {
    TLzhCoder coder;
    coder.PutLiteral('z');
    coder.PutMatch(20, 0);
    EXPECT_EQ(DecodeBits(coder.Finish(), 5).size(), 21u);
}

TEST(Lzh, TruncatedStreamStillGivesTheFullSize) {
    const Bytes data = SomeText(20000);
    Bytes stream = LzhEncode(data);
    const size_t full = stream.size();
    stream.resize(4 + (full - 4) / 2);
    const Bytes out = DecodeStream(stream);
    ASSERT_GE(out.size(), data.size());
    EXPECT_LT(out.size(), data.size() + 60);
    // The first part, coded by the bytes that remain, is intact.
    EXPECT_TRUE(std::equal(data.begin(), data.begin() + 2000, out.begin()));
    // Missing bytes read as zero: cutting every coded byte decodes as if all were 0.
    Bytes header(stream.begin(), stream.begin() + 4);
    Bytes zeros = header;
    zeros.resize(4 + 8000, 0);
    EXPECT_TRUE(DecodeStream(header) == DecodeStream(zeros));
}

TEST(Lzh, ZeroAndNegativeSizesProduceNothing) {
    const Bytes bits = LzhEncodeBits(SomeText(100));
    for (int32_t size : {0, -1, -100000, INT32_MIN}) {
        TReadOnlyMemoryStream src(bits.data(), static_cast<int64_t>(bits.size()));
        TMemoryStream dst;
        TLZH lzh;
        lzh.SetSourceStream(&src);
        lzh.SetTargetStream(&dst);
        lzh.Decode(size);
        EXPECT_EQ(dst.Size(), 0) << size;
        EXPECT_EQ(src.Position(), 0) << size;
    }
}

namespace {

// Counts table allocations and releases, and can refuse either.
class TCountingLzh : public TLZH {
public:
    bool failAlloc = false;
    bool failRelease = false;
    int allocs = 0;
    int releases = 0;

protected:
    TLzhTables* AllocateTables() override {
        if (failAlloc)
            return nullptr;
        ++allocs;
        return TLZH::AllocateTables();
    }
    bool ReleaseTables(TLzhTables* t) override {
        ++releases;
        TLZH::ReleaseTables(t);
        return !failRelease;
    }
};

std::string MessageOf(const Exception& e) {
    return e.what();
}

} // namespace

TEST(Lzh, TablesAreReleasedOnEveryExitAndFailuresRaise) {
    const Bytes bits = LzhEncodeBits(SomeText(3000));
    TReadOnlyMemoryStream src(bits.data(), static_cast<int64_t>(bits.size()));
    TMemoryStream dst;
    TCountingLzh lzh;
    lzh.SetSourceStream(&src);
    lzh.SetTargetStream(&dst);

    lzh.Decode(3000);
    EXPECT_EQ(lzh.allocs, 1);
    EXPECT_EQ(lzh.releases, 1);

    // A target that cannot grow ends the decode; the tables still go.
    uint8_t fixed[4];
    TReadOnlyMemoryStream readOnly(fixed, 4);
    lzh.SetTargetStream(&readOnly);
    src.SetPosition(0);
    EXPECT_THROW(lzh.Decode(3000), EWriteError);
    EXPECT_EQ(lzh.allocs, 2);
    EXPECT_EQ(lzh.releases, 2);

    lzh.SetTargetStream(&dst);
    lzh.failAlloc = true;
    try {
        lzh.Decode(10);
        ADD_FAILURE() << "no exception without tables";
    } catch (const ElzhException& e) {
        EXPECT_EQ(MessageOf(e), "LZH : Cannot get memory for dictionary tables");
    }
    lzh.failAlloc = false;
    lzh.failRelease = true;
    try {
        lzh.Decode(10);
        ADD_FAILURE() << "a failed release went unreported";
    } catch (const ElzhException& e) {
        EXPECT_EQ(MessageOf(e), "LZH : Error freeing memory for dictionary tables");
        EXPECT_TRUE(dynamic_cast<const Exception*>(&e) != nullptr);
    }
}

TEST(Lzh, ReadAndWriteProceduresUseTheBoundStreams) {
    const uint8_t bytes[5] = {1, 2, 3, 4, 5};
    TReadOnlyMemoryStream src(bytes, 5);
    TMemoryStream dst;
    TLZH lzh;
    EXPECT_EQ(lzh.ClassName(), "TLZH");
    EXPECT_TRUE(lzh.InheritsFrom("TObject"));
    lzh.SetSourceStream(&src);
    lzh.SetTargetStream(&dst);
    uint8_t buf[8] = {};
    uint16_t actual = 99;
    src.SetPosition(2);
    lzh.ReadProc(buf, 8, actual);
    EXPECT_EQ(actual, 3);
    EXPECT_EQ(buf[0], 3);
    EXPECT_EQ(buf[2], 5);
    lzh.ReadProc(buf, 1, actual);
    EXPECT_EQ(actual, 0);
    lzh.WriteProc(buf, 2, actual);
    EXPECT_EQ(actual, 2);
    ASSERT_EQ(dst.Size(), 2);
    EXPECT_EQ(dst.Memory()[1], 4);

    // Decode with caller-supplied procedures: one byte per call each way.
    const Bytes bits = LzhEncodeBits(SomeText(500));
    size_t readPos = 0;
    int reads = 0;
    Bytes out;
    lzh.Decode(
        500,
        [&](uint8_t* b, uint16_t n, uint16_t& a) {
            EXPECT_EQ(n, 1);
            out.push_back(*b);
            a = n;
        },
        [&](uint8_t* b, uint16_t n, uint16_t& a) {
            EXPECT_EQ(n, 1);
            ++reads;
            a = readPos < bits.size() ? 1 : 0;
            if (a)
                *b = bits[readPos++];
        });
    EXPECT_TRUE(out == SomeText(500));
    EXPECT_GE(reads, static_cast<int>(bits.size()));
}

namespace {

uint64_t Fnv1a(const Bytes& b) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (uint8_t x : b)
        h = (h ^ x) * 0x100000001b3ull;
    return h;
}

} // namespace

// Known answers computed by a separate, straight transcription of the scheme
// (not this decoder, not the encoder): 400 pseudo-random coded bytes.
TEST(Lzh, DecodesKnownAnswerVectors) {
    Bytes coded;
    uint32_t x = 12345;
    for (int i = 0; i < 400; ++i) {
        x = (x * 1103515245u + 12345u) & 0x7FFFFFFFu;
        coded.push_back(static_cast<uint8_t>(x >> 16));
    }
    const Bytes out600 = DecodeBits(coded, 600);
    EXPECT_EQ(out600.size(), 617u); // the last match runs past the size
    EXPECT_EQ(Fnv1a(out600), 0x17202d3f10158a8aull);
    ASSERT_GE(out600.size(), 4u);
    EXPECT_EQ(out600[0], 0x2c);
    EXPECT_EQ(out600[1], 0x7c);
    EXPECT_EQ(out600[2], 0x0a);
    EXPECT_EQ(out600[3], 0x20); // a copy out of the preset spaces
    // Beyond the 400 bytes every bit reads as 0.
    const Bytes out5000 = DecodeBits(coded, 5000);
    EXPECT_EQ(out5000.size(), 5009u);
    EXPECT_EQ(Fnv1a(out5000), 0x5440187e5ab029bdull);
}

// Decode(size) reaches the streams in blocks; it must leave them exactly as
// one-byte calls of ReadProc and WriteProc do: same output, and the source
// just past the coded bytes used even when more bytes follow them.
TEST(Lzh, StreamDecodeMatchesOneByteProcedures) {
    for (size_t plainSize : {size_t(10), size_t(5000), size_t(70000)}) {
        Bytes coded = LzhEncodeBits(SomeText(plainSize));
        const size_t codedSize = coded.size();
        const Bytes trailer = RandomBytes(9000, 7); // past one block of read-ahead
        coded.insert(coded.end(), trailer.begin(), trailer.end());
        const int32_t size = static_cast<int32_t>(plainSize);

        int64_t consumed = 0;
        const Bytes out = DecodeBits(coded, size, &consumed);

        TReadOnlyMemoryStream src2(coded.data(), static_cast<int64_t>(coded.size()));
        TMemoryStream dst2;
        TLZH bytes;
        bytes.SetSourceStream(&src2);
        bytes.SetTargetStream(&dst2);
        bytes.Decode(
            size, [&](uint8_t* b, uint16_t n, uint16_t& a) { bytes.WriteProc(b, n, a); },
            [&](uint8_t* b, uint16_t n, uint16_t& a) { bytes.ReadProc(b, n, a); });

        ASSERT_EQ(out.size(), plainSize);
        EXPECT_TRUE(out == SomeText(plainSize));
        EXPECT_TRUE(out == Bytes(dst2.Memory(), dst2.Memory() + dst2.Size()));
        EXPECT_EQ(consumed, src2.Position()) << plainSize;
        // The scheme reads at most two bytes ahead of the last bit it uses.
        EXPECT_GE(consumed, static_cast<int64_t>(codedSize)) << plainSize;
        EXPECT_LE(consumed, static_cast<int64_t>(codedSize) + 2) << plainSize;
    }
    // Without a target the first write fails as WriteProc's does; without a
    // source every byte reads as 0, as through ReadProc.
    TLZH lzh;
    EXPECT_THROW(lzh.Decode(100), EWriteError);
    TMemoryStream out;
    lzh.SetTargetStream(&out);
    lzh.Decode(300);
    const Bytes zeros(300, 0);
    EXPECT_TRUE(Bytes(out.Memory(), out.Memory() + out.Size()) == DecodeBits(zeros, 300));
}

namespace {

// Decodes through caller-supplied one-byte procedures over the bound streams
// (the per-byte loop); `consumed` gets the source's end position.
Bytes DecodeByteWise(const Bytes& bits, int32_t size, int64_t* consumed) {
    TReadOnlyMemoryStream src(bits.data(), static_cast<int64_t>(bits.size()));
    TMemoryStream dst;
    TLZH lzh;
    lzh.SetSourceStream(&src);
    lzh.SetTargetStream(&dst);
    lzh.Decode(
        size, [&](uint8_t* b, uint16_t n, uint16_t& a) { lzh.WriteProc(b, n, a); },
        [&](uint8_t* b, uint16_t n, uint16_t& a) { lzh.ReadProc(b, n, a); });
    *consumed = src.Position();
    return Bytes(dst.Memory(), dst.Memory() + dst.Size());
}

} // namespace

// The stream decode buffers up to eight bytes of bits ahead and produces
// output in 64 KB blocks; wherever the input ends (inside a load of eight,
// at a block of the source, before the first symbol) it must give the same
// bytes and leave the source where the byte-wise loop does.
TEST(Lzh, InputEndingAnywhereMatchesTheByteWiseLoop) {
    Bytes plain = RandomBytes(12000, 3); // codes to more than two source blocks
    const Bytes text = SomeText(8000);
    plain.insert(plain.end(), text.begin(), text.end());
    const Bytes full = LzhEncodeBits(plain);
    ASSERT_GT(full.size(), 8200u);
    std::vector<size_t> cuts;
    for (size_t n = 0; n <= 40; ++n)
        cuts.push_back(n);
    for (size_t n : {4088u, 4095u, 4096u, 4097u, 4103u, 8191u, 8192u, 8200u})
        cuts.push_back(n);
    cuts.push_back(full.size() - 1);
    cuts.push_back(full.size());
    for (size_t cut : cuts) {
        const Bytes bits(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut));
        int64_t streamConsumed = -1;
        int64_t byteConsumed = -1;
        const Bytes viaStream = DecodeBits(bits, 20000, &streamConsumed);
        const Bytes viaBytes = DecodeByteWise(bits, 20000, &byteConsumed);
        ASSERT_TRUE(viaStream == viaBytes) << "cut " << cut;
        EXPECT_EQ(streamConsumed, byteConsumed) << "cut " << cut;
        EXPECT_LE(streamConsumed, static_cast<int64_t>(cut)) << "read past the end";
        if (cut == full.size()) {
            EXPECT_TRUE(viaStream == plain);
        }
    }
}

// Matches around the 64 KB output block: one that starts just before the
// block's end and runs past it, then copies from the oldest position that
// were produced before the block was written out.
TEST(Lzh, MatchesAcrossAnOutputBlockBoundary) {
    constexpr size_t kBlock = 65536;
    const Bytes lit = Pattern(kBlock - 1);
    TLzhCoder coder;
    for (uint8_t b : lit)
        coder.PutLiteral(b);
    coder.PutMatch(60, 99);   // starts one byte before the block's end
    coder.PutMatch(60, 4095); // the oldest byte, produced in the last block
    coder.PutMatch(5, 0);     // overlapping: repeats the byte just written
    coder.PutLiteral('q');
    const int32_t size = static_cast<int32_t>(lit.size() + 126);
    const Bytes out = DecodeBits(coder.Finish(), size);
    Bytes expected = lit;
    for (size_t i = 0; i < 60; ++i)
        expected.push_back(expected[expected.size() - 100]);
    for (size_t i = 0; i < 60; ++i)
        expected.push_back(expected[expected.size() - 4096]);
    for (size_t i = 0; i < 5; ++i)
        expected.push_back(expected.back());
    expected.push_back('q');
    ASSERT_EQ(out.size(), expected.size());
    EXPECT_TRUE(out == expected);
}
