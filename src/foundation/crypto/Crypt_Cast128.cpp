#include "foundation/crypto/Crypt_Cast128.h"

#include <cstring>

#include "foundation/crypto/Crypt_Bits.h"
#include "foundation/crypto/Crypt_CastSBoxes.h"

using namespace CryptBits;
using namespace CastRound;

namespace {

// The key-schedule boxes S5..S8.
inline uint32_t S5(uint8_t i) { return CastSBox[4][i]; }
inline uint32_t S6(uint8_t i) { return CastSBox[5][i]; }
inline uint32_t S7(uint8_t i) { return CastSBox[6][i]; }
inline uint32_t S8(uint8_t i) { return CastSBox[7][i]; }

// The 32 subkeys K1..K32 from the 16 key bytes, as the standard writes them
// out (x and z are the key and the scratch block, byte 0 the most significant).
void Schedule(const uint8_t* Key, uint32_t* K)
{
    uint8_t x[16], z[16];
    std::memcpy(x, Key, 16);
    auto Put = [](uint8_t* Bytes, uint32_t w) { StoreBE32(Bytes, w); };
    auto Get = [](const uint8_t* Bytes) { return LoadBE32(Bytes); };
    for (int Half = 0; Half < 2; ++Half) {
        uint32_t* k = K + 16 * Half;
        Put(z + 0, Get(x + 0) ^ S5(x[13]) ^ S6(x[15]) ^ S7(x[12]) ^ S8(x[14]) ^ S7(x[8]));
        Put(z + 4, Get(x + 8) ^ S5(z[0]) ^ S6(z[2]) ^ S7(z[1]) ^ S8(z[3]) ^ S8(x[10]));
        Put(z + 8, Get(x + 12) ^ S5(z[7]) ^ S6(z[6]) ^ S7(z[5]) ^ S8(z[4]) ^ S5(x[9]));
        Put(z + 12, Get(x + 4) ^ S5(z[10]) ^ S6(z[9]) ^ S7(z[11]) ^ S8(z[8]) ^ S6(x[11]));
        k[0] = S5(z[8]) ^ S6(z[9]) ^ S7(z[7]) ^ S8(z[6]) ^ S5(z[2]);
        k[1] = S5(z[10]) ^ S6(z[11]) ^ S7(z[5]) ^ S8(z[4]) ^ S6(z[6]);
        k[2] = S5(z[12]) ^ S6(z[13]) ^ S7(z[3]) ^ S8(z[2]) ^ S7(z[9]);
        k[3] = S5(z[14]) ^ S6(z[15]) ^ S7(z[1]) ^ S8(z[0]) ^ S8(z[12]);
        Put(x + 0, Get(z + 8) ^ S5(z[5]) ^ S6(z[7]) ^ S7(z[4]) ^ S8(z[6]) ^ S7(z[0]));
        Put(x + 4, Get(z + 0) ^ S5(x[0]) ^ S6(x[2]) ^ S7(x[1]) ^ S8(x[3]) ^ S8(z[2]));
        Put(x + 8, Get(z + 4) ^ S5(x[7]) ^ S6(x[6]) ^ S7(x[5]) ^ S8(x[4]) ^ S5(z[1]));
        Put(x + 12, Get(z + 12) ^ S5(x[10]) ^ S6(x[9]) ^ S7(x[11]) ^ S8(x[8]) ^ S6(z[3]));
        k[4] = S5(x[3]) ^ S6(x[2]) ^ S7(x[12]) ^ S8(x[13]) ^ S5(x[8]);
        k[5] = S5(x[1]) ^ S6(x[0]) ^ S7(x[14]) ^ S8(x[15]) ^ S6(x[13]);
        k[6] = S5(x[7]) ^ S6(x[6]) ^ S7(x[8]) ^ S8(x[9]) ^ S7(x[3]);
        k[7] = S5(x[5]) ^ S6(x[4]) ^ S7(x[10]) ^ S8(x[11]) ^ S8(x[7]);
        Put(z + 0, Get(x + 0) ^ S5(x[13]) ^ S6(x[15]) ^ S7(x[12]) ^ S8(x[14]) ^ S7(x[8]));
        Put(z + 4, Get(x + 8) ^ S5(z[0]) ^ S6(z[2]) ^ S7(z[1]) ^ S8(z[3]) ^ S8(x[10]));
        Put(z + 8, Get(x + 12) ^ S5(z[7]) ^ S6(z[6]) ^ S7(z[5]) ^ S8(z[4]) ^ S5(x[9]));
        Put(z + 12, Get(x + 4) ^ S5(z[10]) ^ S6(z[9]) ^ S7(z[11]) ^ S8(z[8]) ^ S6(x[11]));
        k[8] = S5(z[3]) ^ S6(z[2]) ^ S7(z[12]) ^ S8(z[13]) ^ S5(z[9]);
        k[9] = S5(z[1]) ^ S6(z[0]) ^ S7(z[14]) ^ S8(z[15]) ^ S6(z[12]);
        k[10] = S5(z[7]) ^ S6(z[6]) ^ S7(z[8]) ^ S8(z[9]) ^ S7(z[2]);
        k[11] = S5(z[5]) ^ S6(z[4]) ^ S7(z[10]) ^ S8(z[11]) ^ S8(z[6]);
        Put(x + 0, Get(z + 8) ^ S5(z[5]) ^ S6(z[7]) ^ S7(z[4]) ^ S8(z[6]) ^ S7(z[0]));
        Put(x + 4, Get(z + 0) ^ S5(x[0]) ^ S6(x[2]) ^ S7(x[1]) ^ S8(x[3]) ^ S8(z[2]));
        Put(x + 8, Get(z + 4) ^ S5(x[7]) ^ S6(x[6]) ^ S7(x[5]) ^ S8(x[4]) ^ S5(z[1]));
        Put(x + 12, Get(z + 12) ^ S5(x[10]) ^ S6(x[9]) ^ S7(x[11]) ^ S8(x[8]) ^ S6(z[3]));
        k[12] = S5(x[8]) ^ S6(x[9]) ^ S7(x[7]) ^ S8(x[6]) ^ S5(x[3]);
        k[13] = S5(x[10]) ^ S6(x[11]) ^ S7(x[5]) ^ S8(x[4]) ^ S6(x[7]);
        k[14] = S5(x[12]) ^ S6(x[13]) ^ S7(x[3]) ^ S8(x[2]) ^ S7(x[8]);
        k[15] = S5(x[14]) ^ S6(x[15]) ^ S7(x[1]) ^ S8(x[0]) ^ S8(x[13]);
    }
    Wipe(x, sizeof x, 0);
    Wipe(z, sizeof z, 0);
}

}  // namespace

TCrypt_cast128::~TCrypt_cast128()
{
    if (fInitialized) Burn();
}

void TCrypt_cast128::Burn()
{
    Wipe(KeyData, sizeof KeyData, 0xFF);
    Wipe(&Rounds, sizeof Rounds, 0xFF);
    TCrypt_blockcipher64::Burn();
}

void TCrypt_cast128::ExpandKey(const void* Key, Cardinal Size)
{
    uint8_t k[16] = {};
    std::memcpy(k, Key, Size / 8);
    Rounds = Size / 8 <= 10 ? 12 : 16;
    Schedule(k, KeyData);
    for (int i = 16; i < 32; ++i) KeyData[i] &= 31;
    Wipe(k, sizeof k, 0);
}

void TCrypt_cast128::EncryptECB(const void* InBlock, void* OutBlock)
{
    CheckInitialized();
    const uint8_t* In = static_cast<const uint8_t*>(InBlock);
    uint32_t L = LoadBE32(In), R = LoadBE32(In + 4);
    // Round i uses f1, f2, f3 in turn.
    for (int i = 0; i < Rounds; ++i) {
        const uint32_t Km = KeyData[i], Kr = KeyData[16 + i];
        const uint32_t f = i % 3 == 0 ? F1(R, Km, Kr) : i % 3 == 1 ? F2(R, Km, Kr) : F3(R, Km, Kr);
        const uint32_t t = L ^ f;
        L = R;
        R = t;
    }
    uint8_t* Out = static_cast<uint8_t*>(OutBlock);
    StoreBE32(Out, R);
    StoreBE32(Out + 4, L);
}

void TCrypt_cast128::DecryptECB(const void* InBlock, void* OutBlock)
{
    CheckInitialized();
    const uint8_t* In = static_cast<const uint8_t*>(InBlock);
    uint32_t R = LoadBE32(In), L = LoadBE32(In + 4);
    for (int i = Rounds - 1; i >= 0; --i) {
        const uint32_t Km = KeyData[i], Kr = KeyData[16 + i];
        const uint32_t f = i % 3 == 0 ? F1(L, Km, Kr) : i % 3 == 1 ? F2(L, Km, Kr) : F3(L, Km, Kr);
        const uint32_t t = R ^ f;
        R = L;
        L = t;
    }
    uint8_t* Out = static_cast<uint8_t*>(OutBlock);
    StoreBE32(Out, L);
    StoreBE32(Out + 4, R);
}

bool TCrypt_cast128::SelfTest()
{
    // RFC 2144 B.1: one block under 128-, 80- and 40-bit keys.
    TCrypt_cast128 Cipher(nullptr);
    return BlockMatches(Cipher, "0123456712345678234567893456789A", "0123456789ABCDEF",
                        "238B4FE5847E44B2") &&
           BlockMatches(Cipher, "01234567123456782345", "0123456789ABCDEF", "EB6A711A2C02271B") &&
           BlockMatches(Cipher, "0123456712", "0123456789ABCDEF", "7AC816D16E9B302E");
}
