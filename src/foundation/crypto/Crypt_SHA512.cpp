#include "foundation/crypto/Crypt_SHA512.h"

#include "foundation/crypto/Crypt_Bits.h"

using namespace CryptBits;

namespace {

// The first 64 bits of the fractional parts of the cube roots of the first 80 primes.
const uint64_t K[80] = {
    0x428A2F98D728AE22ULL, 0x7137449123EF65CDULL, 0xB5C0FBCFEC4D3B2FULL, 0xE9B5DBA58189DBBCULL,
    0x3956C25BF348B538ULL, 0x59F111F1B605D019ULL, 0x923F82A4AF194F9BULL, 0xAB1C5ED5DA6D8118ULL,
    0xD807AA98A3030242ULL, 0x12835B0145706FBEULL, 0x243185BE4EE4B28CULL, 0x550C7DC3D5FFB4E2ULL,
    0x72BE5D74F27B896FULL, 0x80DEB1FE3B1696B1ULL, 0x9BDC06A725C71235ULL, 0xC19BF174CF692694ULL,
    0xE49B69C19EF14AD2ULL, 0xEFBE4786384F25E3ULL, 0x0FC19DC68B8CD5B5ULL, 0x240CA1CC77AC9C65ULL,
    0x2DE92C6F592B0275ULL, 0x4A7484AA6EA6E483ULL, 0x5CB0A9DCBD41FBD4ULL, 0x76F988DA831153B5ULL,
    0x983E5152EE66DFABULL, 0xA831C66D2DB43210ULL, 0xB00327C898FB213FULL, 0xBF597FC7BEEF0EE4ULL,
    0xC6E00BF33DA88FC2ULL, 0xD5A79147930AA725ULL, 0x06CA6351E003826FULL, 0x142929670A0E6E70ULL,
    0x27B70A8546D22FFCULL, 0x2E1B21385C26C926ULL, 0x4D2C6DFC5AC42AEDULL, 0x53380D139D95B3DFULL,
    0x650A73548BAF63DEULL, 0x766A0ABB3C77B2A8ULL, 0x81C2C92E47EDAEE6ULL, 0x92722C851482353BULL,
    0xA2BFE8A14CF10364ULL, 0xA81A664BBC423001ULL, 0xC24B8B70D0F89791ULL, 0xC76C51A30654BE30ULL,
    0xD192E819D6EF5218ULL, 0xD69906245565A910ULL, 0xF40E35855771202AULL, 0x106AA07032BBD1B8ULL,
    0x19A4C116B8D2D0C8ULL, 0x1E376C085141AB53ULL, 0x2748774CDF8EEB99ULL, 0x34B0BCB5E19B48A8ULL,
    0x391C0CB3C5C95A63ULL, 0x4ED8AA4AE3418ACBULL, 0x5B9CCA4F7763E373ULL, 0x682E6FF3D6B2B8A3ULL,
    0x748F82EE5DEFB2FCULL, 0x78A5636F43172F60ULL, 0x84C87814A1F0AB72ULL, 0x8CC702081A6439ECULL,
    0x90BEFFFA23631E28ULL, 0xA4506CEBDE82BDE9ULL, 0xBEF9A3F7B2C67915ULL, 0xC67178F2E372532BULL,
    0xCA273ECEEA26619CULL, 0xD186B8C721C0C207ULL, 0xEADA7DD6CDE0EB1EULL, 0xF57D4F7FEE6ED178ULL,
    0x06F067AA72176FBAULL, 0x0A637DC5A2C898A6ULL, 0x113F9804BEF90DAEULL, 0x1B710B35131C471BULL,
    0x28DB77F523047D84ULL, 0x32CAAB7B40C72493ULL, 0x3C9EBE0A15C9BEBCULL, 0x431D67C49C100D4CULL,
    0x4CC5D4BECB3E42B6ULL, 0x597F299CFC657E2AULL, 0x5FCB6FAB3AD6FAECULL, 0x6C44198C4A475817ULL,
};

}  // namespace

void TCrypt_sha512base::Compress()
{
    uint64_t W[80];
    for (int t = 0; t < 16; ++t) W[t] = LoadBE64(HashBuffer + 8 * t);
    for (int t = 16; t < 80; ++t) {
        const uint64_t s0 = Ror64(W[t - 15], 1) ^ Ror64(W[t - 15], 8) ^ (W[t - 15] >> 7);
        const uint64_t s1 = Ror64(W[t - 2], 19) ^ Ror64(W[t - 2], 61) ^ (W[t - 2] >> 6);
        W[t] = W[t - 16] + s0 + W[t - 7] + s1;
    }
    uint64_t a = CurrentHash[0], b = CurrentHash[1], c = CurrentHash[2], d = CurrentHash[3];
    uint64_t e = CurrentHash[4], f = CurrentHash[5], g = CurrentHash[6], h = CurrentHash[7];
    for (int t = 0; t < 80; ++t) {
        const uint64_t S1 = Ror64(e, 14) ^ Ror64(e, 18) ^ Ror64(e, 41);
        const uint64_t Ch = (e & f) ^ (~e & g);
        const uint64_t T1 = h + S1 + Ch + K[t] + W[t];
        const uint64_t S0 = Ror64(a, 28) ^ Ror64(a, 34) ^ Ror64(a, 39);
        const uint64_t Maj = (a & b) ^ (a & c) ^ (b & c);
        const uint64_t T2 = S0 + Maj;
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

void TCrypt_sha512::Init()
{
    Burn();
    // The first 64 bits of the fractional parts of the square roots of the first 8 primes.
    const uint64_t H0[8] = {0x6A09E667F3BCC908ULL, 0xBB67AE8584CAA73BULL, 0x3C6EF372FE94F82BULL,
                            0xA54FF53A5F1D36F1ULL, 0x510E527FADE682D1ULL, 0x9B05688C2B3E6C1FULL,
                            0x1F83D9ABFB41BD6BULL, 0x5BE0CD19137E2179ULL};
    for (int i = 0; i < 8; ++i) CurrentHash[i] = H0[i];
    fInitialized = true;
}

void TCrypt_sha512::Final(void* Digest)
{
    Pad(0x80, 112);
    StoreBE64(HashBuffer + 112, LenHi);
    StoreBE64(HashBuffer + 120, LenLo);
    CompressBuffer();
    for (int i = 0; i < 8; ++i) StoreBE64(static_cast<uint8_t*>(Digest) + 8 * i, CurrentHash[i]);
    Burn();
}

bool TCrypt_sha512::SelfTest()
{
    TCrypt_sha512 Hash(nullptr);
    return DigestMatches(Hash, "abc",
                         "ddaf35a193617abacc417349ae20413112e6fa4e89a97ea20a9eeee64b55d39a"
                         "2192992a274fc1a836ba3c23a3feebbd454d4423643ce80e2a9ac94fa54ca49f") &&
           DigestMatches(Hash,
                         "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmno"
                         "ijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu",
                         "8e959b75dae313da8cf4f72814fc143f8f7779c6eb9f7fa17299aeadb6889018"
                         "501d289e4900f7e4331b99dec4b5433ac7d329eeb6dd26545e96e55b874be909");
}
