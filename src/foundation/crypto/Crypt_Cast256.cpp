#include "foundation/crypto/Crypt_Cast256.h"

#include <cstring>

#include "foundation/crypto/Crypt_Bits.h"
#include "foundation/crypto/Crypt_CastSBoxes.h"

using namespace CryptBits;
using namespace CastRound;

namespace {

// The key-schedule constants Tm and Tr of the 24 octave steps, made by the
// standard's loop from Cm = 2^30 sqrt(2), Mm = 2^30 sqrt(3), Cr = 19, Mr = 17.
struct TScheduleConstants {
    uint32_t Tm[24][8];
    uint32_t Tr[24][8];
    TScheduleConstants()
    {
        uint32_t Cm = 0x5A827999, Cr = 19;
        const uint32_t Mm = 0x6ED9EBA1, Mr = 17;
        for (int i = 0; i < 24; ++i) {
            for (int j = 0; j < 8; ++j) {
                Tm[i][j] = Cm;
                Cm += Mm;
                Tr[i][j] = Cr;
                Cr = (Cr + Mr) % 32;
            }
        }
    }
};

const TScheduleConstants& Constants()
{
    static const TScheduleConstants c;
    return c;
}

// One forward quad-round Q and its reverse QBAR on the block words.
inline void Q(uint32_t* b, const uint32_t* Kr, const uint32_t* Km)
{
    b[2] ^= F1(b[3], Km[0], Kr[0]);
    b[1] ^= F2(b[2], Km[1], Kr[1]);
    b[0] ^= F3(b[1], Km[2], Kr[2]);
    b[3] ^= F1(b[0], Km[3], Kr[3]);
}

inline void QBar(uint32_t* b, const uint32_t* Kr, const uint32_t* Km)
{
    b[3] ^= F1(b[0], Km[3], Kr[3]);
    b[0] ^= F3(b[1], Km[2], Kr[2]);
    b[1] ^= F2(b[2], Km[1], Kr[1]);
    b[2] ^= F1(b[3], Km[0], Kr[0]);
}

}  // namespace

TCrypt_cast256::~TCrypt_cast256()
{
    if (fInitialized) Burn();
}

void TCrypt_cast256::Burn()
{
    Wipe(Kr, sizeof Kr, 0xFF);
    Wipe(Km, sizeof Km, 0xFF);
    TCrypt_blockcipher128::Burn();
}

void TCrypt_cast256::ExpandKey(const void* Key, Cardinal Size)
{
    uint8_t Bytes[32] = {};
    std::memcpy(Bytes, Key, Size / 8);
    // k = A B C D E F G H
    uint32_t k[8];
    for (int i = 0; i < 8; ++i) k[i] = LoadBE32(Bytes + 4 * i);
    const TScheduleConstants& c = Constants();
    auto Octave = [&](int i) {
        const uint32_t* tm = c.Tm[i];
        const uint32_t* tr = c.Tr[i];
        k[6] ^= F1(k[7], tm[0], tr[0]);
        k[5] ^= F2(k[6], tm[1], tr[1]);
        k[4] ^= F3(k[5], tm[2], tr[2]);
        k[3] ^= F1(k[4], tm[3], tr[3]);
        k[2] ^= F2(k[3], tm[4], tr[4]);
        k[1] ^= F3(k[2], tm[5], tr[5]);
        k[0] ^= F1(k[1], tm[6], tr[6]);
        k[7] ^= F2(k[0], tm[7], tr[7]);
    };
    for (int i = 0; i < 12; ++i) {
        Octave(2 * i);
        Octave(2 * i + 1);
        Kr[i][0] = k[0] & 31;  // A
        Kr[i][1] = k[2] & 31;  // C
        Kr[i][2] = k[4] & 31;  // E
        Kr[i][3] = k[6] & 31;  // G
        Km[i][0] = k[7];       // H
        Km[i][1] = k[5];       // F
        Km[i][2] = k[3];       // D
        Km[i][3] = k[1];       // B
    }
    Wipe(Bytes, sizeof Bytes, 0);
    Wipe(k, sizeof k, 0);
}

void TCrypt_cast256::EncryptECB(const void* InBlock, void* OutBlock)
{
    CheckInitialized();
    const uint8_t* In = static_cast<const uint8_t*>(InBlock);
    uint32_t b[4];
    for (int i = 0; i < 4; ++i) b[i] = LoadBE32(In + 4 * i);
    for (int i = 0; i < 6; ++i) Q(b, Kr[i], Km[i]);
    for (int i = 6; i < 12; ++i) QBar(b, Kr[i], Km[i]);
    uint8_t* Out = static_cast<uint8_t*>(OutBlock);
    for (int i = 0; i < 4; ++i) StoreBE32(Out + 4 * i, b[i]);
}

void TCrypt_cast256::DecryptECB(const void* InBlock, void* OutBlock)
{
    CheckInitialized();
    const uint8_t* In = static_cast<const uint8_t*>(InBlock);
    uint32_t b[4];
    for (int i = 0; i < 4; ++i) b[i] = LoadBE32(In + 4 * i);
    for (int i = 11; i >= 6; --i) Q(b, Kr[i], Km[i]);
    for (int i = 5; i >= 0; --i) QBar(b, Kr[i], Km[i]);
    uint8_t* Out = static_cast<uint8_t*>(OutBlock);
    for (int i = 0; i < 4; ++i) StoreBE32(Out + 4 * i, b[i]);
}

bool TCrypt_cast256::SelfTest()
{
    // The zero block under RFC 2612's 128-, 192- and 256-bit keys.
    TCrypt_cast256 Cipher(nullptr);
    return BlockMatches(Cipher, "2342bb9efa38542c0af75647f29f615d",
                        "00000000000000000000000000000000", "c842a08972b43d20836c91d1b7530f6b") &&
           BlockMatches(Cipher, "2342bb9efa38542cbed0ac83940ac298bac77a7717942863",
                        "00000000000000000000000000000000", "1b386c0210dcadcbdd0e41aa08a7a7e8") &&
           BlockMatches(Cipher, "2342bb9efa38542cbed0ac83940ac2988d7c47ce264908461cc1b5137ae6b604",
                        "00000000000000000000000000000000", "4f6a2038286897b9c9870136553317fa");
}
