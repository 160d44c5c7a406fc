#include "foundation/crypto/Crypt_RC4.h"

#include <cstring>
#include <utility>

#include "foundation/crypto/Crypt_Bits.h"

using namespace CryptBits;

TCrypt_rc4::~TCrypt_rc4()
{
    if (fInitialized) Burn();
}

void TCrypt_rc4::Init(const void* Key, Cardinal Size, const void* InitVector)
{
    TCrypt_cipher::Init(Key, Size, InitVector);
    const uint8_t* k = static_cast<const uint8_t*>(Key);
    const Cardinal Len = Size / 8;
    for (int i = 0; i < 256; ++i) KeyData[i] = uint8_t(i);
    uint8_t j = 0;
    for (int i = 0; i < 256; ++i) {
        // A key of 4 bits has no byte; it counts as the one-byte key 0.
        j = uint8_t(j + KeyData[i] + (Len ? k[Cardinal(i) % Len] : 0));
        std::swap(KeyData[i], KeyData[j]);
    }
    std::memcpy(KeyOrg, KeyData, sizeof KeyOrg);
}

void TCrypt_rc4::Burn()
{
    Wipe(KeyOrg, sizeof KeyOrg, 0xFF);
    Wipe(KeyData, sizeof KeyData, 0xFF);
    TCrypt_cipher::Burn();
}

void TCrypt_rc4::Reset()
{
    std::memcpy(KeyData, KeyOrg, sizeof KeyData);
}

void TCrypt_rc4::Encrypt(const void* InData, void* OutData, Cardinal Size)
{
    if (!fInitialized) throw ECrypt_cipher(u"Cipher not initialized");
    const uint8_t* In = static_cast<const uint8_t*>(InData);
    uint8_t* Out = static_cast<uint8_t*>(OutData);
    uint8_t i = 0, j = 0;
    for (Cardinal n = 0; n < Size; ++n) {
        i = uint8_t(i + 1);
        j = uint8_t(j + KeyData[i]);
        std::swap(KeyData[i], KeyData[j]);
        Out[n] = In[n] ^ KeyData[uint8_t(KeyData[i] + KeyData[j])];
    }
}

void TCrypt_rc4::Decrypt(const void* InData, void* OutData, Cardinal Size)
{
    Encrypt(InData, OutData, Size);
}

bool TCrypt_rc4::SelfTest()
{
    // RFC 6229: the first keystream bytes of the 40-bit key 0102030405.
    const AnsiString Key = HexToBytes("0102030405");
    const AnsiString Stream = HexToBytes("b2396305f0");
    TCrypt_rc4 Cipher(nullptr);
    Cipher.Init(Key.data(), 40, nullptr);
    AnsiString Data(5, '\0');
    Cipher.Encrypt(Data.data(), Data.data(), 5);
    bool Ok = Data == Stream;
    Cipher.Reset();
    Cipher.Decrypt(Data.data(), Data.data(), 5);
    Ok = Ok && Data == AnsiString(5, '\0');
    Cipher.Burn();
    return Ok;
}
