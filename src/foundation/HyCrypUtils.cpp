#include "foundation/HyCrypUtils.h"

#include <chrono>
#include <cstdint>
#include <random>
#include <vector>

#include "foundation/HyStrUtils.h"
#include "foundation/crypto/Crypt_Base64.h"
#include "foundation/crypto/Crypt_Bits.h"
#include "foundation/crypto/Crypt_Blowfish.h"
#include "foundation/crypto/Crypt_Cast128.h"
#include "foundation/crypto/Crypt_Cast256.h"
#include "foundation/crypto/Crypt_DES.h"
#include "foundation/crypto/Crypt_Haval.h"
#include "foundation/crypto/Crypt_IDEA.h"
#include "foundation/crypto/Crypt_MD5.h"
#include "foundation/crypto/Crypt_RC4.h"
#include "foundation/crypto/Crypt_Rijndael.h"
#include "foundation/crypto/Crypt_SHA1.h"
#include "foundation/crypto/Crypt_SHA256.h"
#include "foundation/crypto/Crypt_SHA512.h"
#include "foundation/crypto/Crypt_Twofish.h"

using namespace CryptBits;

namespace {

constexpr Byte CipherCount = 9;
constexpr Byte HashCount = 5;
constexpr int SaltLength = 8;

// The fixed pass phrase of KeyEncryptStr, and the offset of its IV bytes
// (byte i of the IV is i + KeyIVOffset).
const char16_t KeyPhrase[] = u"+k7r:42w";
constexpr uint8_t KeyIVOffset = 0x5C;

// Salts, IVs and random indexes come from a per-thread generator seeded from
// the system's entropy source, so that every process and thread draws fresh
// salts (the runtime's own generator starts from a fixed seed).
std::mt19937& SaltGenerator()
{
    thread_local std::mt19937 Generator = [] {
        std::random_device Device;
        const auto Clock = std::chrono::high_resolution_clock::now().time_since_epoch().count();
        std::seed_seq Seed{Device(), Device(), uint32_t(Clock), uint32_t(uint64_t(Clock) >> 32)};
        return std::mt19937(Seed);
    }();
    return Generator;
}

}  // namespace

void SeedSalts(uint32_t Seed)
{
    SaltGenerator().seed(Seed);
}

namespace {

// Uniform in 0 .. Range - 1.
uint32_t RandomBelow(uint32_t Range)
{
    return std::uniform_int_distribution<uint32_t>(0, Range - 1)(SaltGenerator());
}

// The block length in bytes of a cipher, 0 for the stream cipher.
size_t BlockBytes(TCrypt_cipher& Cipher)
{
    auto* Block = dynamic_cast<TCrypt_blockcipher*>(&Cipher);
    return Block ? size_t(Block->BlockSize() / 8) : 0;
}

Cardinal KeyBits(TCrypt_cipher& Cipher, TCrypt_hash& Hash)
{
    return Cardinal(std::min(Cipher.MaxKeySize(), Hash.HashSize()));
}

// Keys Cipher with the digest and IV (ignored by the stream cipher); block
// ciphers are set to CBC, which the string operations ignore.
void KeyCipher(TCrypt_cipher& Cipher, TCrypt_hash& Hash, const std::vector<uint8_t>& Digest,
               const uint8_t* IV)
{
    Cipher.Init(Digest.data(), KeyBits(Cipher, Hash), BlockBytes(Cipher) ? IV : nullptr);
    if (auto* Block = dynamic_cast<TCrypt_blockcipher*>(&Cipher)) Block->SetCipherMode(cmCBC);
}

std::vector<uint8_t> Finish(TCrypt_hash& Hash)
{
    std::vector<uint8_t> Digest(size_t(Hash.HashSize() / 8));
    Hash.Final(Digest.data());
    return Digest;
}

String Widen(const std::string& s) { return String(s.begin(), s.end()); }

// The text writer; a CipherIndex of -1 is drawn at random after the hash has
// been fed, as the random-choice writer does.
String EncryptText(const String& S, const String& Password, int CipherIndex, Byte HashIndex)
{
    if (S.empty() || HashIndex >= HashCount || CipherIndex >= CipherCount) return String();
    try {
        std::unique_ptr<TCrypt_hash> Hash = CreateHash(HashIndex);
        Hash->Init();
        const String Salt = Widen(RandomStr(SaltLength, 0));
        Hash->UpdateStr(Salt + Password);
        std::vector<uint8_t> Digest = Finish(*Hash);
        if (CipherIndex < 0) CipherIndex = int(RandomBelow(CipherCount));
        std::unique_ptr<TCrypt_cipher> Cipher = CreateCipher(Byte(CipherIndex));
        const size_t B = BlockBytes(*Cipher);
        const std::string IVText = RandomStr(int32_t(B), 0);
        KeyCipher(*Cipher, *Hash, Digest, reinterpret_cast<const uint8_t*>(IVText.data()));
        Wipe(Digest.data(), Digest.size(), 0);
        // The index characters lie between "(" and "z": salt characters are at
        // least "0", indexes at most 8.
        String Result = Salt;
        Result += char16_t(Salt[3] - CipherIndex);
        Result += char16_t(Salt[4] - HashIndex);
        Result += Widen(IVText);
        Result += Cipher->EncryptString(S);
        Cipher->Burn();
        return Result;
    } catch (...) {
        return String();
    }
}

}  // namespace

std::unique_ptr<TCrypt_cipher> CreateCipher(Byte Index)
{
    switch (Index & 0x7F) {
    case 0: return std::make_unique<TCrypt_blowfish>(nullptr);
    case 1: return std::make_unique<TCrypt_cast128>(nullptr);
    case 2: return std::make_unique<TCrypt_cast256>(nullptr);
    case 3: return std::make_unique<TCrypt_des>(nullptr);
    case 4: return std::make_unique<TCrypt_3des>(nullptr);
    case 5: return std::make_unique<TCrypt_rijndael>(nullptr);
    case 6: return std::make_unique<TCrypt_rc4>(nullptr);
    case 7: return std::make_unique<TCrypt_twofish>(nullptr);
    case 8: return std::make_unique<TCrypt_idea>(nullptr);
    default: return nullptr;
    }
}

std::unique_ptr<TCrypt_hash> CreateHash(Byte Index)
{
    switch (Index & 0x7F) {
    case 0: return std::make_unique<TCrypt_haval>(nullptr);
    case 1: return std::make_unique<TCrypt_md5>(nullptr);
    case 2: return std::make_unique<TCrypt_sha1>(nullptr);
    case 3: return std::make_unique<TCrypt_sha256>(nullptr);
    case 4: return std::make_unique<TCrypt_sha512>(nullptr);
    default: return nullptr;
    }
}

String PwdEncryptStr(const String& S, const String& Password, Byte CipherIndex, Byte HashIndex)
{
    return EncryptText(S, Password, CipherIndex, HashIndex);
}

String PwdEncryptStrRandom(const String& S, const String& Password)
{
    return EncryptText(S, Password, -1, Byte(RandomBelow(HashCount)));
}

String PwdDecryptStr(const String& Text, const String& Password)
{
    if (Text.size() < 11) return String();
    const int HashIndex = int(Text[4]) - int(Text[9]);
    const int CipherIndex = int(Text[3]) - int(Text[8]);
    if (HashIndex < 0 || HashIndex >= HashCount || CipherIndex < 0 || CipherIndex >= CipherCount)
        return String();
    try {
        std::unique_ptr<TCrypt_hash> Hash = CreateHash(Byte(HashIndex));
        Hash->Init();
        Hash->UpdateStr(Text.substr(0, SaltLength) + Password);
        std::vector<uint8_t> Digest = Finish(*Hash);
        std::unique_ptr<TCrypt_cipher> Cipher = CreateCipher(Byte(CipherIndex));
        const size_t B = BlockBytes(*Cipher);
        const AnsiString IV = Base64Narrow(Text.substr(10, B));
        if (IV.size() != B) return String();
        KeyCipher(*Cipher, *Hash, Digest, reinterpret_cast<const uint8_t*>(IV.data()));
        Wipe(Digest.data(), Digest.size(), 0);
        String Result = Cipher->DecryptString(Text.substr(10 + B));
        Cipher->Burn();
        return Result;
    } catch (...) {
        return String();
    }
}

bool PwdEncryptStream(const RawByteString& Data, const String& Password, Byte CipherIndex,
                      Byte HashIndex, TStream* OutStream)
{
    if (Data.empty() || !OutStream || Data.size() > size_t(INT32_MAX)) return false;
    try {
        std::unique_ptr<TCrypt_cipher> Cipher = CreateCipher(CipherIndex);
        std::unique_ptr<TCrypt_hash> Hash = CreateHash(HashIndex);
        // An index that names nothing fails before anything is written.
        if (!Cipher || !Hash) return false;
        uint8_t Header[SaltLength + 2];
        for (int i = 0; i < SaltLength; ++i) Header[i] = uint8_t(RandomBelow(242));
        Header[8] = uint8_t(Header[4] + CipherIndex);
        Header[9] = uint8_t(Header[5] + HashIndex);
        Hash->Init();
        Hash->Update(Header, SaltLength);
        Hash->UpdateStr(Password);
        std::vector<uint8_t> Digest = Finish(*Hash);
        std::vector<uint8_t> IV(BlockBytes(*Cipher));
        for (uint8_t& b : IV) b = uint8_t(RandomBelow(256));
        KeyCipher(*Cipher, *Hash, Digest, IV.data());
        Wipe(Digest.data(), Digest.size(), 0);
        OutStream->WriteBuffer(Header, sizeof Header);
        if (!IV.empty()) OutStream->WriteBuffer(IV.data(), Integer(IV.size()));
        TMemoryStream Plain;
        Plain.WriteBuffer(Data.data(), Integer(Data.size()));
        Plain.SetPosition(0);
        Cipher->EncryptStream(&Plain, OutStream, Cardinal(Data.size()));
        Wipe(Plain.Memory(), size_t(Plain.Size()), 0);
        Cipher->Burn();
        return true;
    } catch (...) {
        return false;
    }
}

UTF8String PwdDecryptStream(const String& Password, TStream* InStream)
{
    if (!InStream) return UTF8String();
    try {
        if (InStream->Size() < SaltLength + 2) return UTF8String();
        uint8_t Header[SaltLength + 2];
        InStream->ReadBuffer(Header, sizeof Header);
        std::unique_ptr<TCrypt_cipher> Cipher = CreateCipher(uint8_t(Header[8] - Header[4]));
        std::unique_ptr<TCrypt_hash> Hash = CreateHash(uint8_t(Header[9] - Header[5]));
        if (!Cipher || !Hash) return UTF8String();
        Hash->Init();
        Hash->Update(Header, SaltLength);
        Hash->UpdateStr(Password);
        std::vector<uint8_t> Digest = Finish(*Hash);
        std::vector<uint8_t> IV(BlockBytes(*Cipher));
        if (!IV.empty()) InStream->ReadBuffer(IV.data(), Integer(IV.size()));
        KeyCipher(*Cipher, *Hash, Digest, IV.data());
        Wipe(Digest.data(), Digest.size(), 0);
        const Int64 Left = InStream->Size() - InStream->Position();
        if (Left < 0 || Left > Int64(INT32_MAX)) return UTF8String();
        TMemoryStream Plain;
        Cipher->DecryptStream(InStream, &Plain, Cardinal(Left));
        Cipher->Burn();
        UTF8String Result(static_cast<const char*>(Plain.Memory()), size_t(Plain.Size()));
        Wipe(Plain.Memory(), size_t(Plain.Size()), 0);
        return Result;
    } catch (...) {
        return UTF8String();
    }
}

String KeyEncryptStr(const String& Key)
{
    if (Key.empty()) return String();
    try {
        std::unique_ptr<TCrypt_hash> Hash = CreateHash(0);
        Hash->Init();
        Hash->UpdateStr(String(KeyPhrase));
        std::vector<uint8_t> Digest = Finish(*Hash);
        std::unique_ptr<TCrypt_cipher> Cipher = CreateCipher(7);
        uint8_t IV[16];
        for (int i = 0; i < 16; ++i) IV[i] = uint8_t(i + KeyIVOffset);
        Cipher->Init(Digest.data(), 256, IV);
        static_cast<TCrypt_blockcipher&>(*Cipher).SetCipherMode(cmCBC);
        Wipe(Digest.data(), Digest.size(), 0);
        String Result = Cipher->EncryptString(Key);
        Cipher->Burn();
        return Result;
    } catch (...) {
        return String();
    }
}
