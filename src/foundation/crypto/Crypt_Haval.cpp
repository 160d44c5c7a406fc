#include "foundation/crypto/Crypt_Haval.h"

#include "foundation/crypto/Crypt_Bits.h"
#include "foundation/crypto/Crypt_PiTable.h"

using namespace CryptBits;

namespace {

// The Boolean functions of the five passes, on the words x6..x0.
inline uint32_t F1(uint32_t x6, uint32_t x5, uint32_t x4, uint32_t x3, uint32_t x2, uint32_t x1, uint32_t x0)
{
    return (x1 & x4) ^ (x2 & x5) ^ (x3 & x6) ^ (x0 & x1) ^ x0;
}

inline uint32_t F2(uint32_t x6, uint32_t x5, uint32_t x4, uint32_t x3, uint32_t x2, uint32_t x1, uint32_t x0)
{
    return (x1 & x2 & x3) ^ (x2 & x4 & x5) ^ (x1 & x2) ^ (x1 & x4) ^ (x2 & x6) ^ (x3 & x5) ^
           (x4 & x5) ^ (x0 & x2) ^ x0;
}

inline uint32_t F3(uint32_t x6, uint32_t x5, uint32_t x4, uint32_t x3, uint32_t x2, uint32_t x1, uint32_t x0)
{
    return (x1 & x2 & x3) ^ (x1 & x4) ^ (x2 & x5) ^ (x3 & x6) ^ (x0 & x3) ^ x0;
}

inline uint32_t F4(uint32_t x6, uint32_t x5, uint32_t x4, uint32_t x3, uint32_t x2, uint32_t x1, uint32_t x0)
{
    return (x1 & x2 & x3) ^ (x2 & x4 & x5) ^ (x3 & x4 & x6) ^ (x1 & x4) ^ (x2 & x6) ^ (x3 & x4) ^
           (x3 & x5) ^ (x3 & x6) ^ (x4 & x5) ^ (x4 & x6) ^ (x0 & x4) ^ x0;
}

inline uint32_t F5(uint32_t x6, uint32_t x5, uint32_t x4, uint32_t x3, uint32_t x2, uint32_t x1, uint32_t x0)
{
    return (x1 & x4) ^ (x2 & x5) ^ (x3 & x6) ^ (x0 & x1 & x2 & x3) ^ (x0 & x5) ^ x0;
}

// Each pass applies its function to a permutation of x6..x0 (the 5-pass permutations).
inline uint32_t Phi(int Pass, const uint32_t* x)
{
    switch (Pass) {
    case 0: return F1(x[3], x[4], x[1], x[0], x[5], x[2], x[6]);
    case 1: return F2(x[6], x[2], x[1], x[0], x[3], x[4], x[5]);
    case 2: return F3(x[2], x[6], x[0], x[4], x[3], x[1], x[5]);
    case 3: return F4(x[1], x[5], x[3], x[2], x[0], x[4], x[6]);
    default: return F5(x[2], x[5], x[0], x[6], x[4], x[3], x[1]);
    }
}

// The order in which each pass reads the 32 message words.
const uint8_t WordOrder[5][32] = {
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15,
     16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31},
    {5, 14, 26, 18, 11, 28, 7, 16, 0, 23, 20, 22, 1, 10, 4, 8,
     30, 3, 21, 9, 17, 24, 29, 6, 19, 12, 15, 13, 2, 25, 31, 27},
    {19, 9, 4, 20, 28, 17, 8, 22, 29, 14, 25, 12, 24, 30, 16, 26,
     31, 15, 7, 3, 1, 0, 18, 27, 13, 6, 21, 10, 23, 11, 5, 2},
    {24, 4, 0, 14, 2, 7, 28, 23, 26, 6, 30, 20, 18, 25, 19, 3,
     22, 11, 31, 21, 8, 27, 12, 9, 1, 29, 5, 15, 17, 10, 16, 13},
    {27, 3, 21, 26, 17, 11, 20, 29, 19, 0, 12, 7, 13, 8, 31, 10,
     5, 9, 14, 30, 18, 6, 28, 24, 2, 23, 16, 22, 4, 1, 25, 15},
};

}  // namespace

void TCrypt_haval::Init()
{
    Burn();
    for (int i = 0; i < 8; ++i) CurrentHash[i] = PiFraction[i];
    fInitialized = true;
}

void TCrypt_haval::Compress()
{
    uint32_t W[32];
    for (int i = 0; i < 32; ++i) W[i] = LoadLE32(HashBuffer + 4 * i);
    // t holds the eight registers; step j of a pass replaces register 7 - (j mod 8),
    // so x_k of that step is t[(k - j) mod 8].
    uint32_t t[8];
    for (int i = 0; i < 8; ++i) t[i] = CurrentHash[i];
    for (int Pass = 0; Pass < 5; ++Pass) {
        for (int j = 0; j < 32; ++j) {
            uint32_t x[8];
            for (int k = 0; k < 8; ++k) x[k] = t[(k - j + 32) & 7];
            // Pass 1 has no constant; passes 2 to 5 take words 8 to 135 of pi in turn.
            const uint32_t K = Pass == 0 ? 0 : PiFraction[8 + 32 * (Pass - 1) + j];
            t[(7 - j + 32) & 7] = Ror32(Phi(Pass, x), 7) + Ror32(x[7], 11) + W[WordOrder[Pass][j]] + K;
        }
    }
    for (int i = 0; i < 8; ++i) CurrentHash[i] += t[i];
    Wipe(W, sizeof W, 0);
}

void TCrypt_haval::FinalPadded(void* Digest, uint8_t Mark)
{
    Pad(Mark, 118);
    // Version 1, 5 passes, 256-bit output, packed in two bytes.
    HashBuffer[118] = 0x29;
    HashBuffer[119] = 0x40;
    StoreLE32(HashBuffer + 120, LenLo);
    StoreLE32(HashBuffer + 124, LenHi);
    CompressBuffer();
    for (int i = 0; i < 8; ++i) StoreLE32(static_cast<uint8_t*>(Digest) + 4 * i, CurrentHash[i]);
    Burn();
}

void TCrypt_haval::Final(void* Digest)
{
    FinalPadded(Digest, 0x80);
}

bool TCrypt_haval::SelfTest()
{
    TCrypt_haval Hash(nullptr);
    return DigestMatches(Hash, "abcdefghijklmnopqrstuvwxyz",
                         "1a1dc8099bdaa7f35b4da4e805f1a28fee909d8dee920198185cbcaed8a10a8d") &&
           DigestMatches(Hash, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
                         "c5647fc6c1877fff96742f27e9266b6874894f41a08f5913033d9d532aeddb39");
}
