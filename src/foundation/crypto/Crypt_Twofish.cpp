#include "foundation/crypto/Crypt_Twofish.h"

#include <cstring>

#include "foundation/crypto/Crypt_Bits.h"

using namespace CryptBits;

namespace {

// The nibble tables t0..t3 of the permutations q0 and q1.
const uint8_t Q0Nibbles[4][16] = {
    {0x8, 0x1, 0x7, 0xD, 0x6, 0xF, 0x3, 0x2, 0x0, 0xB, 0x5, 0x9, 0xE, 0xC, 0xA, 0x4},
    {0xE, 0xC, 0xB, 0x8, 0x1, 0x2, 0x3, 0x5, 0xF, 0x4, 0xA, 0x6, 0x7, 0x0, 0x9, 0xD},
    {0xB, 0xA, 0x5, 0xE, 0x6, 0xD, 0x9, 0x0, 0xC, 0x8, 0xF, 0x3, 0x2, 0x4, 0x7, 0x1},
    {0xD, 0x7, 0xF, 0x4, 0x1, 0x2, 0x6, 0xE, 0x9, 0xB, 0x3, 0x0, 0x8, 0x5, 0xC, 0xA},
};
const uint8_t Q1Nibbles[4][16] = {
    {0x2, 0x8, 0xB, 0xD, 0xF, 0x7, 0x6, 0xE, 0x3, 0x1, 0x9, 0x4, 0x0, 0xA, 0xC, 0x5},
    {0x1, 0xE, 0x2, 0xB, 0x4, 0xC, 0x3, 0x7, 0x6, 0xD, 0xA, 0x5, 0xF, 0x9, 0x0, 0x8},
    {0x4, 0xC, 0x7, 0x5, 0x1, 0x6, 0x9, 0xA, 0x0, 0xE, 0xD, 0x8, 0x2, 0xB, 0x3, 0xF},
    {0xB, 0x9, 0x5, 0x1, 0xC, 0x3, 0xD, 0xE, 0x6, 0x4, 0x7, 0xF, 0x2, 0x0, 0x8, 0xA},
};

// The MDS matrix over GF(2^8) modulo x^8 + x^6 + x^5 + x^3 + 1, and the RS
// matrix of the key schedule modulo x^8 + x^6 + x^3 + x^2 + 1.
const uint8_t Mds[4][4] = {
    {0x01, 0xEF, 0x5B, 0x5B},
    {0x5B, 0xEF, 0xEF, 0x01},
    {0xEF, 0x5B, 0x01, 0xEF},
    {0xEF, 0x01, 0xEF, 0x5B},
};
const uint8_t Rs[4][8] = {
    {0x01, 0xA4, 0x55, 0x87, 0x5A, 0x58, 0xDB, 0x9E},
    {0xA4, 0x56, 0x82, 0xF3, 0x1E, 0xC6, 0x68, 0xE5},
    {0x02, 0xA1, 0xFC, 0xC1, 0x47, 0xAE, 0x3D, 0x19},
    {0xA4, 0x55, 0x87, 0x5A, 0x58, 0xDB, 0x9E, 0x03},
};

uint8_t GfMul(uint8_t a, uint8_t b, uint16_t Modulus)
{
    uint16_t x = a;
    uint8_t r = 0;
    for (; b; b >>= 1) {
        if (b & 1) r ^= uint8_t(x);
        x <<= 1;
        if (x & 0x100) x ^= Modulus;
    }
    return r;
}

// q0, q1 and the MDS columns, built once per process: Column[j][y] is column j
// of the MDS matrix times y, byte i of the word being row i.
struct TTwofishTables {
    uint8_t q[2][256];
    uint32_t Column[4][256];

    static uint8_t Permute(const uint8_t (*t)[16], uint8_t x)
    {
        auto Ror4 = [](uint8_t b) { return uint8_t((b >> 1 | b << 3) & 15); };
        uint8_t a = x >> 4, b = x & 15;
        uint8_t a1 = a ^ b, b1 = uint8_t(a ^ Ror4(b) ^ ((8 * a) & 15));
        uint8_t a2 = t[0][a1], b2 = t[1][b1];
        uint8_t a3 = a2 ^ b2, b3 = uint8_t(a2 ^ Ror4(b2) ^ ((8 * a2) & 15));
        return uint8_t(t[3][b3] << 4 | t[2][a3]);
    }

    TTwofishTables()
    {
        for (int x = 0; x < 256; ++x) {
            q[0][x] = Permute(Q0Nibbles, uint8_t(x));
            q[1][x] = Permute(Q1Nibbles, uint8_t(x));
        }
        for (int j = 0; j < 4; ++j)
            for (int y = 0; y < 256; ++y) {
                uint32_t w = 0;
                for (int i = 0; i < 4; ++i) w |= uint32_t(GfMul(Mds[i][j], uint8_t(y), 0x169)) << (8 * i);
                Column[j][y] = w;
            }
    }
};

const TTwofishTables& BuildMdsTables()
{
    static const TTwofishTables t;
    return t;
}

// The q stages of h for byte position j of x, under the key words L[0..k-1]:
// the permutation applied at each stage, outermost (L[k-1]) first.
const uint8_t QOrder[4][5] = {
    // stage for L[3], L[2], L[1], L[0], then the last q
    {1, 1, 0, 0, 1},
    {0, 1, 1, 0, 0},
    {0, 0, 0, 1, 1},
    {1, 0, 1, 1, 0},
};

uint8_t HByte(const TTwofishTables& t, int j, uint8_t x, const uint32_t* L, int k)
{
    const uint8_t* o = QOrder[j];
    if (k == 4) x = t.q[o[0]][x] ^ uint8_t(L[3] >> (8 * j));
    if (k >= 3) x = t.q[o[1]][x] ^ uint8_t(L[2] >> (8 * j));
    x = t.q[o[2]][x] ^ uint8_t(L[1] >> (8 * j));
    x = t.q[o[3]][x] ^ uint8_t(L[0] >> (8 * j));
    return t.q[o[4]][x];
}

uint32_t H(const TTwofishTables& t, uint32_t X, const uint32_t* L, int k)
{
    uint32_t z = 0;
    for (int j = 0; j < 4; ++j) z ^= t.Column[j][HByte(t, j, uint8_t(X >> (8 * j)), L, k)];
    return z;
}

}  // namespace

TCrypt_twofish::TCrypt_twofish(TComponent* AOwner) : TCrypt_blockcipher128(AOwner)
{
    BuildMdsTables();
}

TCrypt_twofish::~TCrypt_twofish()
{
    if (fInitialized) Burn();
}

void TCrypt_twofish::Burn()
{
    Wipe(sbox, sizeof sbox, 0xFF);
    Wipe(SubKeys, sizeof SubKeys, 0xFF);
    TCrypt_blockcipher128::Burn();
}

void TCrypt_twofish::ExpandKey(const void* Key, Cardinal Size)
{
    const TTwofishTables& t = BuildMdsTables();
    const Cardinal Len = Size / 8;
    const int k = Len <= 16 ? 2 : Len <= 24 ? 3 : 4;  // 64-bit key words
    uint8_t Bytes[32] = {};
    std::memcpy(Bytes, Key, Len);
    uint32_t Me[4], Mo[4], S[4];
    for (int i = 0; i < k; ++i) {
        Me[i] = LoadLE32(Bytes + 8 * i);
        Mo[i] = LoadLE32(Bytes + 8 * i + 4);
        // S_i = RS times key bytes 8i..8i+7; g uses them in reverse order.
        uint32_t s = 0;
        for (int r = 0; r < 4; ++r) {
            uint8_t v = 0;
            for (int c = 0; c < 8; ++c) v ^= GfMul(Rs[r][c], Bytes[8 * i + c], 0x14D);
            s |= uint32_t(v) << (8 * r);
        }
        S[k - 1 - i] = s;
    }
    const uint32_t Rho = 0x01010101;
    for (uint32_t i = 0; i < 20; ++i) {
        const uint32_t A = H(t, 2 * i * Rho, Me, k);
        const uint32_t B = Rol32(H(t, (2 * i + 1) * Rho, Mo, k), 8);
        SubKeys[2 * i] = A + B;
        SubKeys[2 * i + 1] = Rol32(A + 2 * B, 9);
    }
    for (int j = 0; j < 4; ++j)
        for (int x = 0; x < 256; ++x) sbox[j][x] = t.Column[j][HByte(t, j, uint8_t(x), S, k)];
    Wipe(Bytes, sizeof Bytes, 0);
    Wipe(Me, sizeof Me, 0);
    Wipe(Mo, sizeof Mo, 0);
    Wipe(S, sizeof S, 0);
}

void TCrypt_twofish::EncryptECB(const void* InBlock, void* OutBlock)
{
    CheckInitialized();
    const uint8_t* In = static_cast<const uint8_t*>(InBlock);
    uint32_t R[4];
    for (int i = 0; i < 4; ++i) R[i] = LoadLE32(In + 4 * i) ^ SubKeys[i];
    for (int r = 0; r < 16; ++r) {
        const uint32_t T0 = G(R[0]), T1 = G(Rol32(R[1], 8));
        const uint32_t F0 = T0 + T1 + SubKeys[2 * r + 8];
        const uint32_t F1 = T0 + 2 * T1 + SubKeys[2 * r + 9];
        const uint32_t N2 = Ror32(R[2] ^ F0, 1);
        const uint32_t N3 = Rol32(R[3], 1) ^ F1;
        R[2] = R[0];
        R[3] = R[1];
        R[0] = N2;
        R[1] = N3;
    }
    uint8_t* Out = static_cast<uint8_t*>(OutBlock);
    for (int i = 0; i < 4; ++i) StoreLE32(Out + 4 * i, R[(i + 2) & 3] ^ SubKeys[i + 4]);
}

void TCrypt_twofish::DecryptECB(const void* InBlock, void* OutBlock)
{
    CheckInitialized();
    const uint8_t* In = static_cast<const uint8_t*>(InBlock);
    uint32_t R[4];
    for (int i = 0; i < 4; ++i) R[(i + 2) & 3] = LoadLE32(In + 4 * i) ^ SubKeys[i + 4];
    for (int r = 15; r >= 0; --r) {
        // Undo the exchange of halves, then the round.
        const uint32_t O2 = R[0], O3 = R[1];
        R[0] = R[2];
        R[1] = R[3];
        const uint32_t T0 = G(R[0]), T1 = G(Rol32(R[1], 8));
        const uint32_t F0 = T0 + T1 + SubKeys[2 * r + 8];
        const uint32_t F1 = T0 + 2 * T1 + SubKeys[2 * r + 9];
        R[2] = Rol32(O2, 1) ^ F0;
        R[3] = Ror32(O3 ^ F1, 1);
    }
    uint8_t* Out = static_cast<uint8_t*>(OutBlock);
    for (int i = 0; i < 4; ++i) StoreLE32(Out + 4 * i, R[i] ^ SubKeys[i]);
}

bool TCrypt_twofish::SelfTest()
{
    // The published iterated test: 49 steps from zero key and block, each
    // encrypting the previous ciphertext under the previous block followed by
    // the previous key; the final block of each key size.
    const struct {
        Cardinal Bytes;
        const char* Final;
    } Cases[] = {
        {16, "5D9D4EEFFA9151575524F115815A12E0"},
        {24, "E75449212BEEF9F4A390BD860A640941"},
        {32, "37FE26FF1CF66175F5DDF4C33B97A205"},
    };
    TCrypt_twofish Cipher(nullptr);
    for (const auto& c : Cases) {
        uint8_t Key[32] = {}, Plain[16] = {}, Out[16];
        for (int i = 0; i < 49; ++i) {
            Cipher.Init(Key, c.Bytes * 8, nullptr);
            Cipher.EncryptECB(Plain, Out);
            std::memmove(Key + 16, Key, c.Bytes - 16);
            std::memcpy(Key, Plain, 16);
            std::memcpy(Plain, Out, 16);
        }
        if (AnsiString(reinterpret_cast<char*>(Out), 16) != HexToBytes(c.Final)) return false;
        Cipher.DecryptECB(Out, Out);
        if (std::memcmp(Out, Key, 16) != 0) return false;
    }
    return true;
}
