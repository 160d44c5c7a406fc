#include "foundation/crypto/Crypt_DES.h"

#include <cstring>

#include "foundation/crypto/Crypt_Bits.h"

using namespace CryptBits;

namespace {

// FIPS 46-3. Bit numbers count from 1, bit 1 being the most significant.
const uint8_t IP[64] = {
    58, 50, 42, 34, 26, 18, 10, 2,
    60, 52, 44, 36, 28, 20, 12, 4,
    62, 54, 46, 38, 30, 22, 14, 6,
    64, 56, 48, 40, 32, 24, 16, 8,
    57, 49, 41, 33, 25, 17, 9, 1,
    59, 51, 43, 35, 27, 19, 11, 3,
    61, 53, 45, 37, 29, 21, 13, 5,
    63, 55, 47, 39, 31, 23, 15, 7,
};

const uint8_t FP[64] = {
    40, 8, 48, 16, 56, 24, 64, 32,
    39, 7, 47, 15, 55, 23, 63, 31,
    38, 6, 46, 14, 54, 22, 62, 30,
    37, 5, 45, 13, 53, 21, 61, 29,
    36, 4, 44, 12, 52, 20, 60, 28,
    35, 3, 43, 11, 51, 19, 59, 27,
    34, 2, 42, 10, 50, 18, 58, 26,
    33, 1, 41, 9, 49, 17, 57, 25,
};

const uint8_t P[32] = {
    16, 7, 20, 21,
    29, 12, 28, 17,
    1, 15, 23, 26,
    5, 18, 31, 10,
    2, 8, 24, 14,
    32, 27, 3, 9,
    19, 13, 30, 6,
    22, 11, 4, 25,
};

const uint8_t PC1[56] = {
    57, 49, 41, 33, 25, 17, 9,
    1, 58, 50, 42, 34, 26, 18,
    10, 2, 59, 51, 43, 35, 27,
    19, 11, 3, 60, 52, 44, 36,
    63, 55, 47, 39, 31, 23, 15,
    7, 62, 54, 46, 38, 30, 22,
    14, 6, 61, 53, 45, 37, 29,
    21, 13, 5, 28, 20, 12, 4,
};

const uint8_t PC2[48] = {
    14, 17, 11, 24, 1, 5,
    3, 28, 15, 6, 21, 10,
    23, 19, 12, 4, 26, 8,
    16, 7, 27, 20, 13, 2,
    41, 52, 31, 37, 47, 55,
    30, 40, 51, 45, 33, 48,
    44, 49, 39, 56, 34, 53,
    46, 42, 50, 36, 29, 32,
};

const uint8_t Shifts[16] = {
    1, 1, 2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1,
};

const uint8_t S[8][64] = {
    {
        14,  4, 13,  1,  2, 15, 11,  8,  3, 10,  6, 12,  5,  9,  0,  7,
         0, 15,  7,  4, 14,  2, 13,  1, 10,  6, 12, 11,  9,  5,  3,  8,
         4,  1, 14,  8, 13,  6,  2, 11, 15, 12,  9,  7,  3, 10,  5,  0,
        15, 12,  8,  2,  4,  9,  1,  7,  5, 11,  3, 14, 10,  0,  6, 13,
    },
    {
        15,  1,  8, 14,  6, 11,  3,  4,  9,  7,  2, 13, 12,  0,  5, 10,
         3, 13,  4,  7, 15,  2,  8, 14, 12,  0,  1, 10,  6,  9, 11,  5,
         0, 14,  7, 11, 10,  4, 13,  1,  5,  8, 12,  6,  9,  3,  2, 15,
        13,  8, 10,  1,  3, 15,  4,  2, 11,  6,  7, 12,  0,  5, 14,  9,
    },
    {
        10,  0,  9, 14,  6,  3, 15,  5,  1, 13, 12,  7, 11,  4,  2,  8,
        13,  7,  0,  9,  3,  4,  6, 10,  2,  8,  5, 14, 12, 11, 15,  1,
        13,  6,  4,  9,  8, 15,  3,  0, 11,  1,  2, 12,  5, 10, 14,  7,
         1, 10, 13,  0,  6,  9,  8,  7,  4, 15, 14,  3, 11,  5,  2, 12,
    },
    {
         7, 13, 14,  3,  0,  6,  9, 10,  1,  2,  8,  5, 11, 12,  4, 15,
        13,  8, 11,  5,  6, 15,  0,  3,  4,  7,  2, 12,  1, 10, 14,  9,
        10,  6,  9,  0, 12, 11,  7, 13, 15,  1,  3, 14,  5,  2,  8,  4,
         3, 15,  0,  6, 10,  1, 13,  8,  9,  4,  5, 11, 12,  7,  2, 14,
    },
    {
         2, 12,  4,  1,  7, 10, 11,  6,  8,  5,  3, 15, 13,  0, 14,  9,
        14, 11,  2, 12,  4,  7, 13,  1,  5,  0, 15, 10,  3,  9,  8,  6,
         4,  2,  1, 11, 10, 13,  7,  8, 15,  9, 12,  5,  6,  3,  0, 14,
        11,  8, 12,  7,  1, 14,  2, 13,  6, 15,  0,  9, 10,  4,  5,  3,
    },
    {
        12,  1, 10, 15,  9,  2,  6,  8,  0, 13,  3,  4, 14,  7,  5, 11,
        10, 15,  4,  2,  7, 12,  9,  5,  6,  1, 13, 14,  0, 11,  3,  8,
         9, 14, 15,  5,  2,  8, 12,  3,  7,  0,  4, 10,  1, 13, 11,  6,
         4,  3,  2, 12,  9,  5, 15, 10, 11, 14,  1,  7,  6,  0,  8, 13,
    },
    {
         4, 11,  2, 14, 15,  0,  8, 13,  3, 12,  9,  7,  5, 10,  6,  1,
        13,  0, 11,  7,  4,  9,  1, 10, 14,  3,  5, 12,  2, 15,  8,  6,
         1,  4, 11, 13, 12,  3,  7, 14, 10, 15,  6,  8,  0,  5,  9,  2,
         6, 11, 13,  8,  1,  4, 10,  7,  9,  5,  0, 15, 14,  2,  3, 12,
    },
    {
        13,  2,  8,  4,  6, 15, 11,  1, 10,  9,  3, 14,  5,  0, 12,  7,
         1, 15, 13,  8, 10,  3,  7,  4, 12,  5,  6, 11,  0, 14,  9,  2,
         7, 11,  4,  1,  9, 12, 14,  2,  0,  6, 10, 13, 15,  3,  5,  8,
         2,  1, 14,  7,  4, 10,  8, 13, 15, 12,  9,  0,  3,  5,  6, 11,
    },
};
// Lookup tables derived once from the standard's tables: the initial and final
// permutations byte by byte, and each S-box followed by P.
struct TDesTables {
    uint64_t IPByte[8][256];
    uint64_t FPByte[8][256];
    uint32_t SP[8][64];

    static void PermutationBytes(const uint8_t* Table, uint64_t (*Out)[256])
    {
        for (int b = 0; b < 8; ++b) {
            for (int v = 0; v < 256; ++v) {
                uint64_t w = 0;
                for (int i = 0; i < 64; ++i) {
                    const int Src = Table[i] - 1;
                    if (Src / 8 == b && (v >> (7 - Src % 8)) & 1) w |= uint64_t(1) << (63 - i);
                }
                Out[b][v] = w;
            }
        }
    }

    TDesTables()
    {
        PermutationBytes(IP, IPByte);
        PermutationBytes(FP, FPByte);
        for (int s = 0; s < 8; ++s) {
            for (int in = 0; in < 64; ++in) {
                // Row from the outer bits, column from the inner four.
                const int Row = (in >> 4 & 2) | (in & 1);
                const int Col = in >> 1 & 15;
                const uint32_t Out = uint32_t(S[s][Row * 16 + Col]) << (28 - 4 * s);
                uint32_t w = 0;
                for (int i = 0; i < 32; ++i)
                    if (Out >> (32 - P[i]) & 1) w |= uint32_t(1) << (31 - i);
                SP[s][in] = w;
            }
        }
    }
};

const TDesTables& Tables()
{
    static const TDesTables t;
    return t;
}

uint64_t Permute(const uint64_t (*Bytes)[256], uint64_t x)
{
    uint64_t r = 0;
    for (int b = 0; b < 8; ++b) r |= Bytes[b][(x >> (56 - 8 * b)) & 0xFF];
    return r;
}

// f(R, K): the expansion E takes the six bits starting one before each
// 4-bit group (wrapping around), which a rotation brings to the top.
inline uint32_t F(const TDesTables& t, uint32_t R, const uint32_t* k)
{
    uint32_t r = 0;
    for (int s = 0; s < 8; ++s) {
        const uint32_t In = (Rol32(R, uint32_t(4 * s - 1) & 31) >> 26) ^ (k[s / 4] >> (24 - 8 * (s % 4)));
        r |= t.SP[s][In & 63];
    }
    return r;
}

}  // namespace

void TCrypt_customdes::ScheduleKey(const uint8_t* Key, uint32_t* KeyData)
{
    const uint64_t k = LoadBE64(Key);
    auto Bit = [](uint64_t v, int n, int Width) { return (v >> (Width - n)) & 1; };
    uint64_t CD = 0;  // C in the upper 28 of 56 bits, D in the lower
    for (int i = 0; i < 56; ++i) CD = CD << 1 | Bit(k, PC1[i], 64);
    uint32_t C = uint32_t(CD >> 28), D = uint32_t(CD & 0xFFFFFFF);
    for (int r = 0; r < 16; ++r) {
        for (int n = 0; n < Shifts[r]; ++n) {
            C = ((C << 1) | (C >> 27)) & 0xFFFFFFF;
            D = ((D << 1) | (D >> 27)) & 0xFFFFFFF;
        }
        const uint64_t Both = uint64_t(C) << 28 | D;
        uint32_t Groups[2] = {0, 0};
        for (int g = 0; g < 8; ++g) {
            uint32_t Six = 0;
            for (int j = 0; j < 6; ++j) Six = Six << 1 | uint32_t(Bit(Both, PC2[6 * g + j], 56));
            Groups[g / 4] |= Six << (24 - 8 * (g % 4));
        }
        KeyData[2 * r] = Groups[0];
        KeyData[2 * r + 1] = Groups[1];
    }
}

void TCrypt_customdes::Rounds(const uint32_t* KeyData, bool Decrypting, uint32_t& L, uint32_t& R)
{
    const TDesTables& t = Tables();
    uint32_t l = L, r = R;
    for (int i = 0; i < 16; ++i) {
        const uint32_t* k = KeyData + 2 * (Decrypting ? 15 - i : i);
        const uint32_t Next = l ^ F(t, r, k);
        l = r;
        r = Next;
    }
    L = r;
    R = l;
}

void TCrypt_customdes::InitialPermutation(const uint8_t* Block, uint32_t& L, uint32_t& R)
{
    const uint64_t x = Permute(Tables().IPByte, LoadBE64(Block));
    L = uint32_t(x >> 32);
    R = uint32_t(x);
}

void TCrypt_customdes::FinalPermutation(uint32_t L, uint32_t R, uint8_t* Block)
{
    StoreBE64(Block, Permute(Tables().FPByte, uint64_t(L) << 32 | R));
}

// ---------------------------------------------------------------------------
// TCrypt_des

TCrypt_des::~TCrypt_des()
{
    if (fInitialized) Burn();
}

void TCrypt_des::Burn()
{
    Wipe(KeyData, sizeof KeyData, 0);
    TCrypt_customdes::Burn();
}

void TCrypt_des::ExpandKey(const void* Key, Cardinal Size)
{
    uint8_t k[8] = {};
    std::memcpy(k, Key, Size / 8);
    ScheduleKey(k, KeyData);
    Wipe(k, sizeof k, 0);
}

void TCrypt_des::EncryptECB(const void* InBlock, void* OutBlock)
{
    CheckInitialized();
    uint32_t L, R;
    InitialPermutation(static_cast<const uint8_t*>(InBlock), L, R);
    Rounds(KeyData, false, L, R);
    FinalPermutation(L, R, static_cast<uint8_t*>(OutBlock));
}

void TCrypt_des::DecryptECB(const void* InBlock, void* OutBlock)
{
    CheckInitialized();
    uint32_t L, R;
    InitialPermutation(static_cast<const uint8_t*>(InBlock), L, R);
    Rounds(KeyData, true, L, R);
    FinalPermutation(L, R, static_cast<uint8_t*>(OutBlock));
}

bool TCrypt_des::SelfTest()
{
    // NIST SP 800-20, Table A.4 rows 0 and 1.
    TCrypt_des Cipher(nullptr);
    return BlockMatches(Cipher, "7CA110454A1A6E57", "01A1D6D039776742", "690F5B0D9A26939B") &&
           BlockMatches(Cipher, "0131D9619DC1376E", "5CD54CA83DEF57DA", "7A389D10354BD271");
}

// ---------------------------------------------------------------------------
// TCrypt_3des

TCrypt_3des::~TCrypt_3des()
{
    if (fInitialized) Burn();
}

void TCrypt_3des::Burn()
{
    Wipe(KeyData, sizeof KeyData, 0);
    TCrypt_customdes::Burn();
}

void TCrypt_3des::ExpandKey(const void* Key, Cardinal Size)
{
    uint8_t k[24] = {};
    std::memcpy(k, Key, Size / 8);
    ScheduleKey(k, KeyData[0]);
    ScheduleKey(k + 8, KeyData[1]);
    ScheduleKey(Size <= 128 ? k : k + 16, KeyData[2]);
    Wipe(k, sizeof k, 0);
}

void TCrypt_3des::EncryptECB(const void* InBlock, void* OutBlock)
{
    CheckInitialized();
    uint32_t L, R;
    InitialPermutation(static_cast<const uint8_t*>(InBlock), L, R);
    Rounds(KeyData[0], false, L, R);
    Rounds(KeyData[1], true, L, R);
    Rounds(KeyData[2], false, L, R);
    FinalPermutation(L, R, static_cast<uint8_t*>(OutBlock));
}

void TCrypt_3des::DecryptECB(const void* InBlock, void* OutBlock)
{
    CheckInitialized();
    uint32_t L, R;
    InitialPermutation(static_cast<const uint8_t*>(InBlock), L, R);
    Rounds(KeyData[2], true, L, R);
    Rounds(KeyData[1], false, L, R);
    Rounds(KeyData[0], true, L, R);
    FinalPermutation(L, R, static_cast<uint8_t*>(OutBlock));
}

bool TCrypt_3des::SelfTest()
{
    // Three equal keys reduce to single DES: NIST SP 800-20, Table A.4 row 2.
    TCrypt_3des Cipher(nullptr);
    return BlockMatches(Cipher, "07A1133E4A0B268607A1133E4A0B268607A1133E4A0B2686",
                        "0248D43806F67172", "868EBB51CAB4599A");
}
