#include "foundation/crypto/Crypt_IDEA.h"

#include <cstring>

#include "foundation/crypto/Crypt_Bits.h"

using namespace CryptBits;

namespace {

// Multiplication modulo 2^16 + 1, where the word 0 stands for 2^16.
inline uint16_t Mul(uint16_t a, uint16_t b)
{
    if (a == 0) return uint16_t(1 - b);
    if (b == 0) return uint16_t(1 - a);
    const uint32_t p = uint32_t(a) * uint32_t(b);
    const uint16_t lo = uint16_t(p), hi = uint16_t(p >> 16);
    return uint16_t(lo - hi + (lo < hi ? 1 : 0));
}

// The multiplicative inverse modulo 2^16 + 1: x^(2^16 - 1), by Fermat. The
// word 0 (2^16, that is -1) is its own inverse, as is 1.
uint16_t MulInv(uint16_t x)
{
    uint16_t r = x;
    for (int i = 1; i < 16; ++i) r = Mul(Mul(r, r), x);  // r = x^(2^(i+1) - 1)
    return r;
}

void Crypt(const uint16_t* Z, const uint8_t* In, uint8_t* Out)
{
    uint16_t x1 = uint16_t(In[0] << 8 | In[1]), x2 = uint16_t(In[2] << 8 | In[3]);
    uint16_t x3 = uint16_t(In[4] << 8 | In[5]), x4 = uint16_t(In[6] << 8 | In[7]);
    for (int r = 0; r < 8; ++r, Z += 6) {
        x1 = Mul(x1, Z[0]);
        x2 = uint16_t(x2 + Z[1]);
        x3 = uint16_t(x3 + Z[2]);
        x4 = Mul(x4, Z[3]);
        uint16_t t0 = Mul(x1 ^ x3, Z[4]);
        const uint16_t t1 = Mul(uint16_t(t0 + (x2 ^ x4)), Z[5]);
        t0 = uint16_t(t0 + t1);
        x1 ^= t1;
        x4 ^= t0;
        const uint16_t t = x2 ^ t0;
        x2 = x3 ^ t1;
        x3 = t;
    }
    // The output transformation undoes the last exchange of the middle words.
    const uint16_t y[4] = {Mul(x1, Z[0]), uint16_t(x3 + Z[1]), uint16_t(x2 + Z[2]), Mul(x4, Z[3])};
    for (int i = 0; i < 4; ++i) {
        Out[2 * i] = uint8_t(y[i] >> 8);
        Out[2 * i + 1] = uint8_t(y[i]);
    }
}

}  // namespace

TCrypt_idea::~TCrypt_idea()
{
    if (fInitialized) Burn();
}

void TCrypt_idea::Burn()
{
    Wipe(EK, sizeof EK, 0);
    Wipe(DK, sizeof DK, 0);
    TCrypt_blockcipher64::Burn();
}

void TCrypt_idea::ExpandKey(const void* Key, Cardinal Size)
{
    uint8_t k[16] = {};
    std::memcpy(k, Key, Size / 8);
    // Eight 16-bit words at a time from the 128-bit key, rotated left by 25
    // bits between groups.
    uint64_t Hi = LoadBE64(k), Lo = LoadBE64(k + 8);
    for (int i = 0; i < 52; ++i) {
        const int w = i % 8;
        EK[i] = uint16_t(w < 4 ? Hi >> (48 - 16 * w) : Lo >> (48 - 16 * (w - 4)));
        if (w == 7) {
            const uint64_t h = Hi << 25 | Lo >> 39, l = Lo << 25 | Hi >> 39;
            Hi = h;
            Lo = l;
        }
    }
    auto Neg = [](uint16_t v) { return uint16_t(0 - v); };
    DK[0] = MulInv(EK[48]);
    DK[1] = Neg(EK[49]);
    DK[2] = Neg(EK[50]);
    DK[3] = MulInv(EK[51]);
    for (int r = 1; r < 8; ++r) {
        const int e = 48 - 6 * r;
        DK[6 * r - 2] = EK[e + 4];
        DK[6 * r - 1] = EK[e + 5];
        DK[6 * r] = MulInv(EK[e]);
        DK[6 * r + 1] = Neg(EK[e + 2]);  // the middle keys swap places in rounds 2 to 8
        DK[6 * r + 2] = Neg(EK[e + 1]);
        DK[6 * r + 3] = MulInv(EK[e + 3]);
    }
    DK[46] = EK[4];
    DK[47] = EK[5];
    DK[48] = MulInv(EK[0]);
    DK[49] = Neg(EK[1]);
    DK[50] = Neg(EK[2]);
    DK[51] = MulInv(EK[3]);
    Wipe(k, sizeof k, 0);
    Hi = Lo = 0;
}

void TCrypt_idea::EncryptECB(const void* InBlock, void* OutBlock)
{
    CheckInitialized();
    Crypt(EK, static_cast<const uint8_t*>(InBlock), static_cast<uint8_t*>(OutBlock));
}

void TCrypt_idea::DecryptECB(const void* InBlock, void* OutBlock)
{
    CheckInitialized();
    Crypt(DK, static_cast<const uint8_t*>(InBlock), static_cast<uint8_t*>(OutBlock));
}

bool TCrypt_idea::SelfTest()
{
    TCrypt_idea Cipher(nullptr);
    return BlockMatches(Cipher, "00010002000300040005000600070008", "0000000100020003",
                        "11FBED2B01986DE5");
}
