#include "foundation/crypto/Crypt_Rijndael.h"

#include <cstring>

#include "foundation/crypto/Crypt_Bits.h"

using namespace CryptBits;

namespace {

// Multiplication by x in GF(2^8) modulo x^8 + x^4 + x^3 + x + 1.
inline uint8_t XTime(uint8_t a) { return uint8_t(a << 1 ^ (a & 0x80 ? 0x1B : 0)); }

uint8_t Mul(uint8_t a, uint8_t b)
{
    uint8_t r = 0;
    for (; b; b >>= 1, a = XTime(a))
        if (b & 1) r ^= a;
    return r;
}

// The S-boxes and the four round tables of each direction, built once:
// S(b) is the affine map of the multiplicative inverse of b; Te0 holds the
// MixColumns column (2, 1, 1, 3) times S(b), Td0 the InvMixColumns column
// (14, 9, 13, 11) times InvS(b), and tables 1 to 3 are byte rotations of table 0.
struct TRijndaelTables {
    uint8_t S[256];
    uint8_t InvS[256];
    uint32_t Te[4][256];
    uint32_t Td[4][256];

    TRijndaelTables()
    {
        for (int b = 0; b < 256; ++b) {
            uint8_t Inv = 0;
            for (int c = 1; c < 256 && b; ++c)
                if (Mul(uint8_t(b), uint8_t(c)) == 1) Inv = uint8_t(c);
            uint8_t s = 0x63;
            for (int n = 0; n < 5; ++n) s ^= uint8_t(Inv << n | Inv >> ((8 - n) & 7));
            S[b] = s;
            InvS[s] = uint8_t(b);
        }
        for (int b = 0; b < 256; ++b) {
            const uint8_t s = S[b], i = InvS[b];
            Te[0][b] = uint32_t(Mul(s, 2)) << 24 | uint32_t(s) << 16 | uint32_t(s) << 8 | Mul(s, 3);
            Td[0][b] = uint32_t(Mul(i, 14)) << 24 | uint32_t(Mul(i, 9)) << 16 |
                       uint32_t(Mul(i, 13)) << 8 | Mul(i, 11);
            for (int t = 1; t < 4; ++t) {
                Te[t][b] = Ror32(Te[0][b], 8 * t);
                Td[t][b] = Ror32(Td[0][b], 8 * t);
            }
        }
    }
};

const TRijndaelTables& Tables()
{
    static const TRijndaelTables t;
    return t;
}

inline uint32_t SubWord(const TRijndaelTables& t, uint32_t w)
{
    return uint32_t(t.S[w >> 24]) << 24 | uint32_t(t.S[(w >> 16) & 0xFF]) << 16 |
           uint32_t(t.S[(w >> 8) & 0xFF]) << 8 | t.S[w & 0xFF];
}

}  // namespace

const uint8_t* TCrypt_rijndael::SBox() { return Tables().S; }
const uint8_t* TCrypt_rijndael::InvSBox() { return Tables().InvS; }

TCrypt_rijndael::~TCrypt_rijndael()
{
    if (fInitialized) Burn();
}

void TCrypt_rijndael::Burn()
{
    Wipe(rk, sizeof rk, 0);
    Wipe(drk, sizeof drk, 0);
    Wipe(&numrounds, sizeof numrounds, 0);
    TCrypt_blockcipher128::Burn();
}

void TCrypt_rijndael::ExpandKey(const void* Key, Cardinal Size)
{
    const TRijndaelTables& t = Tables();
    uint8_t k[32] = {};
    const Cardinal Len = Size / 8;
    std::memcpy(k, Key, Len);
    const int Nk = Len <= 16 ? 4 : Len <= 24 ? 6 : 8;
    numrounds = Nk + 6;
    const int Words = 4 * (numrounds + 1);
    for (int i = 0; i < Nk; ++i) rk[i] = LoadBE32(k + 4 * i);
    uint8_t Rcon = 1;
    for (int i = Nk; i < Words; ++i) {
        uint32_t w = rk[i - 1];
        if (i % Nk == 0) {
            w = SubWord(t, Rol32(w, 8)) ^ uint32_t(Rcon) << 24;
            Rcon = XTime(Rcon);
        } else if (Nk > 6 && i % Nk == 4) {
            w = SubWord(t, w);
        }
        rk[i] = rk[i - Nk] ^ w;
    }
    // The equivalent inverse cipher runs the round keys backwards, with
    // InvMixColumns applied to all but the first and the last.
    for (int r = 0; r <= numrounds; ++r) {
        for (int j = 0; j < 4; ++j) {
            const uint32_t w = rk[4 * (numrounds - r) + j];
            drk[4 * r + j] = r == 0 || r == numrounds
                                 ? w
                                 : t.Td[0][t.S[w >> 24]] ^ t.Td[1][t.S[(w >> 16) & 0xFF]] ^
                                       t.Td[2][t.S[(w >> 8) & 0xFF]] ^ t.Td[3][t.S[w & 0xFF]];
        }
    }
    Wipe(k, sizeof k, 0);
}

void TCrypt_rijndael::EncryptECB(const void* InBlock, void* OutBlock)
{
    CheckInitialized();
    const TRijndaelTables& t = Tables();
    const uint8_t* In = static_cast<const uint8_t*>(InBlock);
    uint32_t s[4], u[4];
    for (int j = 0; j < 4; ++j) s[j] = LoadBE32(In + 4 * j) ^ rk[j];
    for (int r = 1; r < numrounds; ++r) {
        for (int j = 0; j < 4; ++j)
            u[j] = t.Te[0][s[j] >> 24] ^ t.Te[1][(s[(j + 1) & 3] >> 16) & 0xFF] ^
                   t.Te[2][(s[(j + 2) & 3] >> 8) & 0xFF] ^ t.Te[3][s[(j + 3) & 3] & 0xFF] ^ rk[4 * r + j];
        std::memcpy(s, u, sizeof s);
    }
    uint8_t* Out = static_cast<uint8_t*>(OutBlock);
    for (int j = 0; j < 4; ++j) {
        const uint32_t w = uint32_t(t.S[s[j] >> 24]) << 24 | uint32_t(t.S[(s[(j + 1) & 3] >> 16) & 0xFF]) << 16 |
                           uint32_t(t.S[(s[(j + 2) & 3] >> 8) & 0xFF]) << 8 | t.S[s[(j + 3) & 3] & 0xFF];
        StoreBE32(Out + 4 * j, w ^ rk[4 * numrounds + j]);
    }
}

void TCrypt_rijndael::DecryptECB(const void* InBlock, void* OutBlock)
{
    CheckInitialized();
    const TRijndaelTables& t = Tables();
    const uint8_t* In = static_cast<const uint8_t*>(InBlock);
    uint32_t s[4], u[4];
    for (int j = 0; j < 4; ++j) s[j] = LoadBE32(In + 4 * j) ^ drk[j];
    for (int r = 1; r < numrounds; ++r) {
        for (int j = 0; j < 4; ++j)
            u[j] = t.Td[0][s[j] >> 24] ^ t.Td[1][(s[(j + 3) & 3] >> 16) & 0xFF] ^
                   t.Td[2][(s[(j + 2) & 3] >> 8) & 0xFF] ^ t.Td[3][s[(j + 1) & 3] & 0xFF] ^ drk[4 * r + j];
        std::memcpy(s, u, sizeof s);
    }
    uint8_t* Out = static_cast<uint8_t*>(OutBlock);
    for (int j = 0; j < 4; ++j) {
        const uint32_t w = uint32_t(t.InvS[s[j] >> 24]) << 24 |
                           uint32_t(t.InvS[(s[(j + 3) & 3] >> 16) & 0xFF]) << 16 |
                           uint32_t(t.InvS[(s[(j + 2) & 3] >> 8) & 0xFF]) << 8 | t.InvS[s[(j + 1) & 3] & 0xFF];
        StoreBE32(Out + 4 * j, w ^ drk[4 * numrounds + j]);
    }
}

bool TCrypt_rijndael::SelfTest()
{
    // FIPS-197 Appendix C.1 to C.3.
    TCrypt_rijndael Cipher(nullptr);
    const char* Plain = "00112233445566778899aabbccddeeff";
    return BlockMatches(Cipher, "000102030405060708090a0b0c0d0e0f", Plain,
                        "69c4e0d86a7b0430d8cdb78070b4c55a") &&
           BlockMatches(Cipher, "000102030405060708090a0b0c0d0e0f1011121314151617", Plain,
                        "dda97ca4864cdfe06eaf70a0ec0d7191") &&
           BlockMatches(Cipher, "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f",
                        Plain, "8ea2b7ca516745bfeafc49904b496089");
}
