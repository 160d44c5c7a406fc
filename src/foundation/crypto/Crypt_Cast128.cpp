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
    // Rounds 1, 4, 7, ... use f1, rounds 2, 5, ... f2, rounds 3, 6, ... f3;
    // the halves alternate instead of being exchanged.
    L ^= F1(R, KeyData[0], KeyData[16]);
    R ^= F2(L, KeyData[1], KeyData[17]);
    L ^= F3(R, KeyData[2], KeyData[18]);
    R ^= F1(L, KeyData[3], KeyData[19]);
    L ^= F2(R, KeyData[4], KeyData[20]);
    R ^= F3(L, KeyData[5], KeyData[21]);
    L ^= F1(R, KeyData[6], KeyData[22]);
    R ^= F2(L, KeyData[7], KeyData[23]);
    L ^= F3(R, KeyData[8], KeyData[24]);
    R ^= F1(L, KeyData[9], KeyData[25]);
    L ^= F2(R, KeyData[10], KeyData[26]);
    R ^= F3(L, KeyData[11], KeyData[27]);
    if (Rounds > 12) {
        L ^= F1(R, KeyData[12], KeyData[28]);
        R ^= F2(L, KeyData[13], KeyData[29]);
        L ^= F3(R, KeyData[14], KeyData[30]);
        R ^= F1(L, KeyData[15], KeyData[31]);
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
    if (Rounds > 12) {
        R ^= F1(L, KeyData[15], KeyData[31]);
        L ^= F3(R, KeyData[14], KeyData[30]);
        R ^= F2(L, KeyData[13], KeyData[29]);
        L ^= F1(R, KeyData[12], KeyData[28]);
    }
    R ^= F3(L, KeyData[11], KeyData[27]);
    L ^= F2(R, KeyData[10], KeyData[26]);
    R ^= F1(L, KeyData[9], KeyData[25]);
    L ^= F3(R, KeyData[8], KeyData[24]);
    R ^= F2(L, KeyData[7], KeyData[23]);
    L ^= F1(R, KeyData[6], KeyData[22]);
    R ^= F3(L, KeyData[5], KeyData[21]);
    L ^= F2(R, KeyData[4], KeyData[20]);
    R ^= F1(L, KeyData[3], KeyData[19]);
    L ^= F3(R, KeyData[2], KeyData[18]);
    R ^= F2(L, KeyData[1], KeyData[17]);
    L ^= F1(R, KeyData[0], KeyData[16]);
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
