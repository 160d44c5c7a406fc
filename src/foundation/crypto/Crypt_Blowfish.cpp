#include "foundation/crypto/Crypt_Blowfish.h"

#include <cstring>

#include "foundation/crypto/Crypt_Bits.h"
#include "foundation/crypto/Crypt_PiTable.h"

using namespace CryptBits;

TCrypt_blowfish::~TCrypt_blowfish()
{
    if (fInitialized) Burn();
}

void TCrypt_blowfish::Burn()
{
    Wipe(SBox, sizeof SBox, 0xFF);
    Wipe(PBox, sizeof PBox, 0xFF);
    TCrypt_blockcipher64::Burn();
}

void TCrypt_blowfish::ExpandKey(const void* Key, Cardinal Size)
{
    // The P-array and then the four S-boxes start as consecutive words of pi.
    std::memcpy(PBox, PiFraction, sizeof PBox);
    std::memcpy(SBox, PiFraction + 18, sizeof SBox);
    const uint8_t* k = static_cast<const uint8_t*>(Key);
    const Cardinal Len = Size / 8;
    // A key of 4 bits has no byte; it then leaves the P-array as it is, like a key of zeros.
    if (Len > 0) {
        Cardinal j = 0;
        for (uint32_t& p : PBox) {
            uint32_t Word = 0;
            for (int b = 0; b < 4; ++b, j = (j + 1) % Len) Word = Word << 8 | k[j];
            p ^= Word;
        }
    }
    uint32_t L = 0, R = 0;
    for (int i = 0; i < 18; i += 2) {
        EncryptWords(L, R);
        PBox[i] = L;
        PBox[i + 1] = R;
    }
    for (auto& Box : SBox) {
        for (int i = 0; i < 256; i += 2) {
            EncryptWords(L, R);
            Box[i] = L;
            Box[i + 1] = R;
        }
    }
}

void TCrypt_blowfish::EncryptWords(uint32_t& L, uint32_t& R) const
{
    uint32_t l = L, r = R;
    for (int i = 0; i < 16; i += 2) {
        l ^= PBox[i];
        r ^= F(l);
        r ^= PBox[i + 1];
        l ^= F(r);
    }
    L = r ^ PBox[17];
    R = l ^ PBox[16];
}

void TCrypt_blowfish::EncryptECB(const void* InBlock, void* OutBlock)
{
    CheckInitialized();
    const uint8_t* In = static_cast<const uint8_t*>(InBlock);
    uint32_t L = LoadBE32(In), R = LoadBE32(In + 4);
    EncryptWords(L, R);
    uint8_t* Out = static_cast<uint8_t*>(OutBlock);
    StoreBE32(Out, L);
    StoreBE32(Out + 4, R);
}

void TCrypt_blowfish::DecryptECB(const void* InBlock, void* OutBlock)
{
    CheckInitialized();
    const uint8_t* In = static_cast<const uint8_t*>(InBlock);
    uint32_t l = LoadBE32(In), r = LoadBE32(In + 4);
    for (int i = 17; i > 1; i -= 2) {
        l ^= PBox[i];
        r ^= F(l);
        r ^= PBox[i - 1];
        l ^= F(r);
    }
    uint8_t* Out = static_cast<uint8_t*>(OutBlock);
    StoreBE32(Out, r ^ PBox[0]);
    StoreBE32(Out + 4, l ^ PBox[1]);
}

bool TCrypt_blowfish::SelfTest()
{
    TCrypt_blowfish Cipher(nullptr);
    return BlockMatches(Cipher, "0000000000000000", "0000000000000000", "4EF997456198DD78") &&
           BlockMatches(Cipher, "FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D");
}
