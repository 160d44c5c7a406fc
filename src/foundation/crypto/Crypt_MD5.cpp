#include "foundation/crypto/Crypt_MD5.h"

#include "foundation/crypto/Crypt_Bits.h"

using namespace CryptBits;

namespace {

// T[i] = the integer part of 2^32 * |sin(i + 1)|, i in radians.
const uint32_t T[64] = {
    0xD76AA478, 0xE8C7B756, 0x242070DB, 0xC1BDCEEE, 0xF57C0FAF, 0x4787C62A, 0xA8304613, 0xFD469501,
    0x698098D8, 0x8B44F7AF, 0xFFFF5BB1, 0x895CD7BE, 0x6B901122, 0xFD987193, 0xA679438E, 0x49B40821,
    0xF61E2562, 0xC040B340, 0x265E5A51, 0xE9B6C7AA, 0xD62F105D, 0x02441453, 0xD8A1E681, 0xE7D3FBC8,
    0x21E1CDE6, 0xC33707D6, 0xF4D50D87, 0x455A14ED, 0xA9E3E905, 0xFCEFA3F8, 0x676F02D9, 0x8D2A4C8A,
    0xFFFA3942, 0x8771F681, 0x6D9D6122, 0xFDE5380C, 0xA4BEEA44, 0x4BDECFA9, 0xF6BB4B60, 0xBEBFBC70,
    0x289B7EC6, 0xEAA127FA, 0xD4EF3085, 0x04881D05, 0xD9D4D039, 0xE6DB99E5, 0x1FA27CF8, 0xC4AC5665,
    0xF4292244, 0x432AFF97, 0xAB9423A7, 0xFC93A039, 0x655B59C3, 0x8F0CCC92, 0xFFEFF47D, 0x85845DD1,
    0x6FA87E4F, 0xFE2CE6E0, 0xA3014314, 0x4E0811A1, 0xF7537E82, 0xBD3AF235, 0x2AD7D2BB, 0xEB86D391,
};

const uint8_t Shift[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

}  // namespace

void TCrypt_md5::Init()
{
    Burn();
    CurrentHash[0] = 0x67452301;
    CurrentHash[1] = 0xEFCDAB89;
    CurrentHash[2] = 0x98BADCFE;
    CurrentHash[3] = 0x10325476;
    fInitialized = true;
}

void TCrypt_md5::Compress()
{
    uint32_t X[16];
    for (int i = 0; i < 16; ++i) X[i] = LoadLE32(HashBuffer + 4 * i);
    uint32_t a = CurrentHash[0], b = CurrentHash[1], c = CurrentHash[2], d = CurrentHash[3];
    for (int i = 0; i < 64; ++i) {
        const int Round = i / 16;
        uint32_t f;
        int k;
        switch (Round) {
        case 0: f = (b & c) | (~b & d); k = i; break;
        case 1: f = (b & d) | (c & ~d); k = (1 + 5 * i) % 16; break;
        case 2: f = b ^ c ^ d; k = (5 + 3 * i) % 16; break;
        default: f = c ^ (b | ~d); k = (7 * i) % 16; break;
        }
        const uint32_t Next = b + Rol32(a + f + X[k] + T[i], Shift[Round][i % 4]);
        a = d;
        d = c;
        c = b;
        b = Next;
    }
    CurrentHash[0] += a;
    CurrentHash[1] += b;
    CurrentHash[2] += c;
    CurrentHash[3] += d;
    Wipe(X, sizeof X, 0);
}

void TCrypt_md5::Final(void* Digest)
{
    Pad(0x80, 56);
    StoreLE32(HashBuffer + 56, LenLo);
    StoreLE32(HashBuffer + 60, LenHi);
    CompressBuffer();
    for (int i = 0; i < 4; ++i) StoreLE32(static_cast<uint8_t*>(Digest) + 4 * i, CurrentHash[i]);
    Burn();
}

bool TCrypt_md5::SelfTest()
{
    TCrypt_md5 Hash(nullptr);
    return DigestMatches(Hash, "abc", "900150983cd24fb0d6963f7d28e17f72") &&
           DigestMatches(Hash, "abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b");
}
