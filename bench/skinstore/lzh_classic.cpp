// A classic-shape LZH decoder: global-style state in one struct, getc-like
// input, a 16-bit bit buffer refilled a byte at a time, a tree walk one bit
// per node, and the adaptive tree update with rebuild at 0x8000.
#include "bench/skinstore/lzh_classic.h"

#include <memory>

namespace skinbench {
namespace {

constexpr int N = 4096;
constexpr int F = 60;
constexpr int THRESHOLD = 2;
constexpr int N_CHAR = 256 - THRESHOLD + F;
constexpr int T = N_CHAR * 2 - 1;
constexpr int R = T - 1;
constexpr unsigned MAX_FREQ = 0x8000;

struct Classic {
    Classic(const uint8_t* input, size_t inputSize, std::vector<uint8_t>* output)
        : in(input), inSize(inputSize), out(output) {}

    const uint8_t* in;
    size_t inSize;
    size_t inPos = 0;
    std::vector<uint8_t>* out;

    unsigned short getbuf = 0;
    unsigned char getlen = 0;
    unsigned short freq[T + 1];
    short prnt[T + N_CHAR];
    short son[T];
    unsigned char text_buf[N + F - 1];
    unsigned char d_code[256];
    unsigned char d_len[256];

    int Getc() { return inPos < inSize ? in[inPos++] : -1; }
    void Putc(int c) { out->push_back(static_cast<uint8_t>(c)); }

    // The position tables, filled from their run lengths.
    void MakeTables() {
        static const int counts[6] = {1, 3, 8, 12, 24, 16}; // upper values per run
        static const int per[6] = {32, 16, 8, 4, 2, 1};     // indices per value
        int index = 0, value = 0;
        for (int run = 0; run < 6; ++run) {
            for (int v = 0; v < counts[run]; ++v, ++value) {
                for (int k = 0; k < per[run]; ++k, ++index) {
                    d_code[index] = static_cast<unsigned char>(value);
                    d_len[index] = static_cast<unsigned char>(run + 3);
                }
            }
        }
    }

    int GetBit() {
        int i;
        while (getlen <= 8) {
            if ((i = Getc()) < 0)
                i = 0;
            getbuf |= i << (8 - getlen);
            getlen += 8;
        }
        i = getbuf;
        getbuf <<= 1;
        getlen--;
        return (i >> 15) & 1;
    }

    int GetByte() {
        unsigned i;
        while (getlen <= 8) {
            int c = Getc();
            if (c < 0)
                c = 0;
            getbuf |= c << (8 - getlen);
            getlen += 8;
        }
        i = getbuf;
        getbuf <<= 8;
        getlen -= 8;
        return static_cast<int>((i >> 8) & 0xFF);
    }

    void StartHuff() {
        int i, j;
        for (i = 0; i < N_CHAR; i++) {
            freq[i] = 1;
            son[i] = static_cast<short>(i + T);
            prnt[i + T] = static_cast<short>(i);
        }
        i = 0;
        j = N_CHAR;
        while (j <= R) {
            freq[j] = static_cast<unsigned short>(freq[i] + freq[i + 1]);
            son[j] = static_cast<short>(i);
            prnt[i] = prnt[i + 1] = static_cast<short>(j);
            i += 2;
            j++;
        }
        freq[T] = 0xffff;
        prnt[R] = 0;
    }

    void Reconst() {
        int i, j, k;
        unsigned f;
        j = 0;
        for (i = 0; i < T; i++) {
            if (son[i] >= T) {
                freq[j] = static_cast<unsigned short>((freq[i] + 1) / 2);
                son[j] = son[i];
                j++;
            }
        }
        for (i = 0, j = N_CHAR; j < T; i += 2, j++) {
            k = i + 1;
            f = freq[j] = static_cast<unsigned short>(freq[i] + freq[k]);
            for (k = j - 1; f < freq[k]; k--)
                ;
            k++;
            for (int m = j; m > k; m--) {
                freq[m] = freq[m - 1];
                son[m] = son[m - 1];
            }
            freq[k] = static_cast<unsigned short>(f);
            son[k] = static_cast<short>(i);
        }
        for (i = 0; i < T; i++) {
            if ((k = son[i]) >= T) {
                prnt[k] = static_cast<short>(i);
            } else {
                prnt[k] = prnt[k + 1] = static_cast<short>(i);
            }
        }
    }

    void Update(int c) {
        int i, j, k, l;
        if (freq[R] == MAX_FREQ)
            Reconst();
        c = prnt[c + T];
        do {
            k = ++freq[c];
            if (k > freq[l = c + 1]) {
                while (k > freq[++l])
                    ;
                l--;
                freq[c] = freq[l];
                freq[l] = static_cast<unsigned short>(k);
                i = son[c];
                prnt[i] = static_cast<short>(l);
                if (i < T)
                    prnt[i + 1] = static_cast<short>(l);
                j = son[l];
                son[l] = static_cast<short>(i);
                prnt[j] = static_cast<short>(c);
                if (j < T)
                    prnt[j + 1] = static_cast<short>(c);
                son[c] = static_cast<short>(j);
                c = l;
            }
        } while ((c = prnt[c]) != 0);
    }

    int DecodeChar() {
        unsigned c = son[R];
        while (c < T) {
            c += GetBit();
            c = son[c];
        }
        c -= T;
        Update(static_cast<int>(c));
        return static_cast<int>(c);
    }

    int DecodePosition() {
        unsigned i, j, c;
        i = GetByte();
        c = static_cast<unsigned>(d_code[i]) << 6;
        j = d_len[i];
        j -= 2;
        while (j--)
            i = (i << 1) + GetBit();
        return static_cast<int>(c | (i & 0x3f));
    }

    void Decode(int32_t textsize) {
        int i, j, k, r, c;
        int32_t count;
        MakeTables();
        StartHuff();
        for (i = 0; i < N - F; i++)
            text_buf[i] = ' ';
        for (; i < N + F - 1; i++)
            text_buf[i] = ' ';
        r = N - F;
        for (count = 0; count < textsize;) {
            c = DecodeChar();
            if (c < 256) {
                Putc(c);
                text_buf[r++] = static_cast<unsigned char>(c);
                r &= (N - 1);
                count++;
            } else {
                i = (r - DecodePosition() - 1) & (N - 1);
                j = c - 255 + THRESHOLD;
                for (k = 0; k < j; k++) {
                    c = text_buf[(i + k) & (N - 1)];
                    Putc(c);
                    text_buf[r++] = static_cast<unsigned char>(c);
                    r &= (N - 1);
                    count++;
                }
            }
        }
    }
};

} // namespace

std::vector<uint8_t> ClassicLzhDecode(const uint8_t* in, size_t inSize, int32_t size) {
    std::vector<uint8_t> out;
    if (size > 0)
        out.reserve(static_cast<size_t>(size) + F);
    auto state = std::make_unique<Classic>(in, inSize, &out);
    state->Decode(size);
    return out;
}

} // namespace skinbench
