#include "foundation/crypto/Crypt_SHA1.h"

#include "foundation/crypto/Crypt_Bits.h"

using namespace CryptBits;

void TCrypt_sha1::Init()
{
    Burn();
    CurrentHash[0] = 0x67452301;
    CurrentHash[1] = 0xEFCDAB89;
    CurrentHash[2] = 0x98BADCFE;
    CurrentHash[3] = 0x10325476;
    CurrentHash[4] = 0xC3D2E1F0;
    fInitialized = true;
}

void TCrypt_sha1::Compress()
{
    uint32_t W[80];
    for (int t = 0; t < 16; ++t) W[t] = LoadBE32(HashBuffer + 4 * t);
    for (int t = 16; t < 80; ++t) W[t] = Rol32(W[t - 3] ^ W[t - 8] ^ W[t - 14] ^ W[t - 16], 1);
    uint32_t a = CurrentHash[0], b = CurrentHash[1], c = CurrentHash[2], d = CurrentHash[3],
             e = CurrentHash[4];
    for (int t = 0; t < 80; ++t) {
        uint32_t f, k;
        if (t < 20) {
            f = (b & c) | (~b & d);
            k = 0x5A827999;
        } else if (t < 40) {
            f = b ^ c ^ d;
            k = 0x6ED9EBA1;
        } else if (t < 60) {
            f = (b & c) | (b & d) | (c & d);
            k = 0x8F1BBCDC;
        } else {
            f = b ^ c ^ d;
            k = 0xCA62C1D6;
        }
        const uint32_t Temp = Rol32(a, 5) + f + e + k + W[t];
        e = d;
        d = c;
        c = Rol32(b, 30);
        b = a;
        a = Temp;
    }
    CurrentHash[0] += a;
    CurrentHash[1] += b;
    CurrentHash[2] += c;
    CurrentHash[3] += d;
    CurrentHash[4] += e;
    Wipe(W, sizeof W, 0);
}

void TCrypt_sha1::Final(void* Digest)
{
    Pad(0x80, 56);
    StoreBE32(HashBuffer + 56, LenHi);
    StoreBE32(HashBuffer + 60, LenLo);
    CompressBuffer();
    for (int i = 0; i < 5; ++i) StoreBE32(static_cast<uint8_t*>(Digest) + 4 * i, CurrentHash[i]);
    Burn();
}

bool TCrypt_sha1::SelfTest()
{
    TCrypt_sha1 Hash(nullptr);
    return DigestMatches(Hash, "abc", "a9993e364706816aba3e25717850c26c9cd0d89d") &&
           DigestMatches(Hash, "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
                         "84983e441c3bd26ebaae4aa1f95129e5e54670f1");
}
