#include "foundation/crypto/Crypt_SHA256.h"

#include "foundation/crypto/Crypt_Bits.h"

using namespace CryptBits;

namespace {

// The first 32 bits of the fractional parts of the cube roots of the first 64 primes.
const uint32_t K[64] = {
    0x428A2F98, 0x71374491, 0xB5C0FBCF, 0xE9B5DBA5, 0x3956C25B, 0x59F111F1, 0x923F82A4, 0xAB1C5ED5,
    0xD807AA98, 0x12835B01, 0x243185BE, 0x550C7DC3, 0x72BE5D74, 0x80DEB1FE, 0x9BDC06A7, 0xC19BF174,
    0xE49B69C1, 0xEFBE4786, 0x0FC19DC6, 0x240CA1CC, 0x2DE92C6F, 0x4A7484AA, 0x5CB0A9DC, 0x76F988DA,
    0x983E5152, 0xA831C66D, 0xB00327C8, 0xBF597FC7, 0xC6E00BF3, 0xD5A79147, 0x06CA6351, 0x14292967,
    0x27B70A85, 0x2E1B2138, 0x4D2C6DFC, 0x53380D13, 0x650A7354, 0x766A0ABB, 0x81C2C92E, 0x92722C85,
    0xA2BFE8A1, 0xA81A664B, 0xC24B8B70, 0xC76C51A3, 0xD192E819, 0xD6990624, 0xF40E3585, 0x106AA070,
    0x19A4C116, 0x1E376C08, 0x2748774C, 0x34B0BCB5, 0x391C0CB3, 0x4ED8AA4A, 0x5B9CCA4F, 0x682E6FF3,
    0x748F82EE, 0x78A5636F, 0x84C87814, 0x8CC70208, 0x90BEFFFA, 0xA4506CEB, 0xBEF9A3F7, 0xC67178F2,
};

}  // namespace

void TCrypt_sha256::Init()
{
    Burn();
    // The first 32 bits of the fractional parts of the square roots of the first 8 primes.
    const uint32_t H0[8] = {0x6A09E667, 0xBB67AE85, 0x3C6EF372, 0xA54FF53A,
                            0x510E527F, 0x9B05688C, 0x1F83D9AB, 0x5BE0CD19};
    for (int i = 0; i < 8; ++i) CurrentHash[i] = H0[i];
    fInitialized = true;
}

void TCrypt_sha256::Compress()
{
    uint32_t W[64];
    for (int t = 0; t < 16; ++t) W[t] = LoadBE32(HashBuffer + 4 * t);
    for (int t = 16; t < 64; ++t) {
        const uint32_t s0 = Ror32(W[t - 15], 7) ^ Ror32(W[t - 15], 18) ^ (W[t - 15] >> 3);
        const uint32_t s1 = Ror32(W[t - 2], 17) ^ Ror32(W[t - 2], 19) ^ (W[t - 2] >> 10);
        W[t] = W[t - 16] + s0 + W[t - 7] + s1;
    }
    uint32_t a = CurrentHash[0], b = CurrentHash[1], c = CurrentHash[2], d = CurrentHash[3];
    uint32_t e = CurrentHash[4], f = CurrentHash[5], g = CurrentHash[6], h = CurrentHash[7];
    for (int t = 0; t < 64; ++t) {
        const uint32_t S1 = Ror32(e, 6) ^ Ror32(e, 11) ^ Ror32(e, 25);
        const uint32_t Ch = (e & f) ^ (~e & g);
        const uint32_t T1 = h + S1 + Ch + K[t] + W[t];
        const uint32_t S0 = Ror32(a, 2) ^ Ror32(a, 13) ^ Ror32(a, 22);
        const uint32_t Maj = (a & b) ^ (a & c) ^ (b & c);
        const uint32_t T2 = S0 + Maj;
        h = g;
        g = f;
        f = e;
        e = d + T1;
        d = c;
        c = b;
        b = a;
        a = T1 + T2;
    }
    CurrentHash[0] += a;
    CurrentHash[1] += b;
    CurrentHash[2] += c;
    CurrentHash[3] += d;
    CurrentHash[4] += e;
    CurrentHash[5] += f;
    CurrentHash[6] += g;
    CurrentHash[7] += h;
    Wipe(W, sizeof W, 0);
}

void TCrypt_sha256::Final(void* Digest)
{
    Pad(0x80, 56);
    StoreBE32(HashBuffer + 56, LenHi);
    StoreBE32(HashBuffer + 60, LenLo);
    CompressBuffer();
    for (int i = 0; i < 8; ++i) StoreBE32(static_cast<uint8_t*>(Digest) + 4 * i, CurrentHash[i]);
    Burn();
}

bool TCrypt_sha256::SelfTest()
{
    TCrypt_sha256 Hash(nullptr);
    return DigestMatches(Hash, "abc",
                         "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad") &&
           DigestMatches(Hash, "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
                         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
}
