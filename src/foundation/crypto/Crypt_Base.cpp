#include "foundation/crypto/Crypt_Base.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "foundation/crypto/Crypt_Base64.h"
#include "foundation/crypto/Crypt_Bits.h"

using namespace CryptBits;

namespace {

constexpr Cardinal ChunkSize = 8192;

}  // namespace

// ---------------------------------------------------------------------------
// TCrypt_hash

void TCrypt_hash::UpdateStream(TStream* Stream, Cardinal Size)
{
    uint8_t Buffer[ChunkSize];
    for (Cardinal i = 0; i < Size / ChunkSize; ++i) {
        Integer Read = Stream->Read(Buffer, ChunkSize);
        Update(Buffer, Cardinal(std::max(Read, 0)));
    }
    if (Size % ChunkSize != 0) {
        Integer Read = Stream->Read(Buffer, Integer(Size % ChunkSize));
        Update(Buffer, Cardinal(std::max(Read, 0)));
    }
    Wipe(Buffer, sizeof Buffer, 0);
}

void TCrypt_hash::UpdateStr(const AnsiString& Str)
{
    Update(Str.data(), Cardinal(Str.size()));
}

void TCrypt_hash::UpdateStr(const String& Str)
{
    AnsiString Bytes = Utf16LeBytes(Str);
    Update(Bytes.data(), Cardinal(Bytes.size()));
    Wipe(Bytes.data(), Bytes.size(), 0);
}

bool TCrypt_hash::DigestMatches(TCrypt_hash& Hash, const AnsiString& Message, const char* HexDigest)
{
    AnsiString Expected = HexToBytes(HexDigest);
    AnsiString Digest(size_t(Hash.HashSize() / 8), '\0');
    Hash.Init();
    Hash.UpdateStr(Message);
    Hash.Final(Digest.data());
    return Digest == Expected;
}

// ---------------------------------------------------------------------------
// TCrypt_bufferedhash

template <int BlockBytes, class LenWord, class StateWord, int StateWords>
void TCrypt_bufferedhash<BlockBytes, LenWord, StateWord, StateWords>::Burn()
{
    Wipe(&LenHi, sizeof LenHi, 0);
    Wipe(&LenLo, sizeof LenLo, 0);
    Index = 0;
    Wipe(CurrentHash, sizeof CurrentHash, 0);
    Wipe(HashBuffer, sizeof HashBuffer, 0);
    fInitialized = false;
}

template <int BlockBytes, class LenWord, class StateWord, int StateWords>
void TCrypt_bufferedhash<BlockBytes, LenWord, StateWord, StateWords>::CheckInitialized() const
{
    if (!fInitialized) throw ECrypt_hash(u"Hash not initialized");
}

template <int BlockBytes, class LenWord, class StateWord, int StateWords>
void TCrypt_bufferedhash<BlockBytes, LenWord, StateWord, StateWords>::Update(const void* Buffer,
                                                                             Cardinal Size)
{
    CheckInitialized();
    // The bit count Size * 8 can exceed 32 bits; it is added with its carry.
    const uint64_t Bits = uint64_t(Size) * 8;
    if constexpr (sizeof(LenWord) == 4) {
        const uint32_t Lo = uint32_t(Bits);
        LenLo += Lo;
        LenHi += uint32_t(Bits >> 32) + (LenLo < Lo ? 1u : 0u);
    } else {
        LenLo += Bits;
        if (LenLo < Bits) ++LenHi;
    }
    const uint8_t* p = static_cast<const uint8_t*>(Buffer);
    while (Size > 0) {
        Cardinal n = std::min<Cardinal>(Size, BlockBytes - Index);
        std::memcpy(HashBuffer + Index, p, n);
        Index += n;
        p += n;
        Size -= n;
        if (Index == BlockBytes) CompressBuffer();
    }
}

template <int BlockBytes, class LenWord, class StateWord, int StateWords>
void TCrypt_bufferedhash<BlockBytes, LenWord, StateWord, StateWords>::CompressBuffer()
{
    Compress();
    Index = 0;
    std::memset(HashBuffer, 0, sizeof HashBuffer);
}

template <int BlockBytes, class LenWord, class StateWord, int StateWords>
void TCrypt_bufferedhash<BlockBytes, LenWord, StateWord, StateWords>::Pad(uint8_t Mark,
                                                                          Cardinal FieldStart)
{
    CheckInitialized();
    HashBuffer[Index] = Mark;
    if (Index >= FieldStart) CompressBuffer();
}

template class TCrypt_bufferedhash<64, uint32_t, uint32_t, 4>;    // MD5
template class TCrypt_bufferedhash<64, uint32_t, uint32_t, 5>;    // SHA-1
template class TCrypt_bufferedhash<64, uint32_t, uint32_t, 8>;    // SHA-256
template class TCrypt_bufferedhash<128, uint64_t, uint64_t, 8>;   // SHA-512
template class TCrypt_bufferedhash<128, uint32_t, uint32_t, 8>;   // HAVAL

// ---------------------------------------------------------------------------
// TCrypt_cipher

void TCrypt_cipher::Init(const void* Key, Cardinal Size, const void* InitVector)
{
    (void)Key, (void)InitVector;
    if (fInitialized) Burn();
    if (Size == 0 || Size % 4 != 0 || Int64(Size) > Int64(MaxKeySize()))
        throw ECrypt_cipher(u"Invalid key size");
    fInitialized = true;
}

void TCrypt_cipher::Encrypt(const void* InData, void* OutData, Cardinal Size)
{
    (void)InData, (void)OutData, (void)Size;
}

void TCrypt_cipher::Decrypt(const void* InData, void* OutData, Cardinal Size)
{
    (void)InData, (void)OutData, (void)Size;
}

void TCrypt_cipher::InitDigest(const AnsiString& Key, TCrypt_hashclass HashType)
{
    if (fInitialized) Burn();
    std::vector<uint8_t> Digest;
    try {
        if (!HashType) throw ECrypt_hash(u"Hash not initialized");
        Digest.resize(size_t(std::max(HashType->GetHashSize(), 0) / 8));
        std::unique_ptr<TCrypt_hash> Hash(HashType->Create(nullptr));
        Hash->Init();
        Hash->Update(Key.data(), Cardinal(Key.size()));
        Hash->Final(Digest.data());
        Hash.reset();
        Integer Bits = std::min<Integer>(MaxKeySize(), Integer(Digest.size() * 8));
        Init(Digest.data(), Cardinal(Bits), nullptr);
        Wipe(Digest.data(), Digest.size(), 0xFF);
    } catch (...) {
        Wipe(Digest.data(), Digest.size(), 0xFF);
        throw ECrypt_cipher(u"Unable to allocate sufficient memory for hash digest");
    }
}

void TCrypt_cipher::InitStr(const AnsiString& Key, TCrypt_hashclass HashType)
{
    InitDigest(Key, HashType);
}

void TCrypt_cipher::InitStr(const String& Key, TCrypt_hashclass HashType)
{
    AnsiString Bytes = Utf16LeBytes(Key);
    InitDigest(Bytes, HashType);
    Wipe(Bytes.data(), Bytes.size(), 0);
}

Cardinal TCrypt_cipher::CryptStream(TStream* InStream, TStream* OutStream, Cardinal Size,
                                    bool Decrypting)
{
    uint8_t Buffer[ChunkSize];
    Cardinal Total = 0;
    // Whole chunks first, then the remainder: a block mode's tail can only be
    // at the very end.
    auto Chunk = [&](Integer Count) {
        Integer Read = std::max(InStream->Read(Buffer, Count), 0);
        Total += Cardinal(Read);
        if (Decrypting)
            Decrypt(Buffer, Buffer, Cardinal(Read));
        else
            Encrypt(Buffer, Buffer, Cardinal(Read));
        OutStream->WriteBuffer(Buffer, Read);
    };
    {
        auto Wiped = ScopeExit([&] { Wipe(Buffer, sizeof Buffer, 0); });
        for (Cardinal i = 0; i < Size / ChunkSize; ++i) Chunk(Integer(ChunkSize));
        if (Size % ChunkSize != 0) Chunk(Integer(Size % ChunkSize));
    }
    return Total;
}

Cardinal TCrypt_cipher::EncryptStream(TStream* InStream, TStream* OutStream, Cardinal Size)
{
    return CryptStream(InStream, OutStream, Size, false);
}

Cardinal TCrypt_cipher::DecryptStream(TStream* InStream, TStream* OutStream, Cardinal Size)
{
    return CryptStream(InStream, OutStream, Size, true);
}

AnsiString TCrypt_cipher::EncryptString(const AnsiString& Str)
{
    AnsiString Data = Str;
    EncryptStringBytes(Data.data(), Cardinal(Data.size()));
    return EncodeBase64Ansi(Data);
}

AnsiString TCrypt_cipher::DecryptString(const AnsiString& Str)
{
    AnsiString Data = DecodeBase64Ansi(Str);
    DecryptStringBytes(Data.data(), Cardinal(Data.size()));
    return Data;
}

String TCrypt_cipher::EncryptString(const String& Str)
{
    AnsiString Data = Utf16LeBytes(Str);
    EncryptStringBytes(Data.data(), Cardinal(Data.size()));
    AnsiString Text = EncodeBase64Ansi(Data);
    return String(Text.begin(), Text.end());
}

String TCrypt_cipher::DecryptString(const String& Str)
{
    AnsiString Data = DecodeBase64Ansi(Base64Narrow(Str));
    // An odd last byte is no character and is left out.
    Data.resize(Data.size() / 2 * 2);
    DecryptStringBytes(Data.data(), Cardinal(Data.size()));
    return FromUtf16LeBytes(reinterpret_cast<const uint8_t*>(Data.data()), Data.size() / 2);
}

// ---------------------------------------------------------------------------
// TCrypt_blockcipher

void TCrypt_blockcipher::CheckInitialized() const
{
    if (!fInitialized) throw ECrypt_blockcipher(u"Cipher not initialized");
}

bool TCrypt_blockcipher::BlockMatches(TCrypt_blockcipher& Cipher, const char* HexKey,
                                      const char* HexPlain, const char* HexCipher)
{
    const AnsiString Key = HexToBytes(HexKey);
    const AnsiString Plain = HexToBytes(HexPlain);
    const AnsiString Expected = HexToBytes(HexCipher);
    AnsiString Block(Plain.size(), '\0');
    Cipher.Init(Key.data(), Cardinal(Key.size() * 8), nullptr);
    Cipher.EncryptECB(Plain.data(), Block.data());
    bool Ok = Block == Expected;
    Cipher.DecryptECB(Expected.data(), Block.data());
    Ok = Ok && Block == Plain;
    Cipher.Burn();
    return Ok;
}

void TCrypt_blockcipher::Encrypt(const void* InData, void* OutData, Cardinal Size)
{
    switch (fCipherMode) {
    case cmCBC: EncryptCBC(InData, OutData, Size); break;
    case cmCFB8bit: EncryptCFB8bit(InData, OutData, Size); break;
    case cmCFBblock: EncryptCFBblock(InData, OutData, Size); break;
    case cmOFB: EncryptOFB(InData, OutData, Size); break;
    case cmCTR: EncryptCTR(InData, OutData, Size); break;
    }
}

void TCrypt_blockcipher::Decrypt(const void* InData, void* OutData, Cardinal Size)
{
    switch (fCipherMode) {
    case cmCBC: DecryptCBC(InData, OutData, Size); break;
    case cmCFB8bit: DecryptCFB8bit(InData, OutData, Size); break;
    case cmCFBblock: DecryptCFBblock(InData, OutData, Size); break;
    case cmOFB: DecryptOFB(InData, OutData, Size); break;
    case cmCTR: DecryptCTR(InData, OutData, Size); break;
    }
}

// ---------------------------------------------------------------------------
// TCrypt_blockcipherN

template <int B>
void TCrypt_blockcipherN<B>::CryptFillBlocks()
{
    std::memset(IV, 0xFF, B);
    std::memset(CV, 0xFF, B);
}

template <int B>
void TCrypt_blockcipherN<B>::Init(const void* Key, Cardinal Size, const void* InitVector)
{
    TCrypt_cipher::Init(Key, Size, InitVector);
    ExpandKey(Key, Size);
    if (InitVector) {
        std::memcpy(IV, InitVector, B);
    } else {
        // The default initial value is the encryption of the zero block.
        std::memset(IV, 0, B);
        EncryptECB(IV, IV);
    }
    Reset();
}

template <int B>
void TCrypt_blockcipherN<B>::Burn()
{
    Wipe(IV, B, 0xFF);
    Wipe(CV, B, 0xFF);
    TCrypt_blockcipher::Burn();
}

template <int B>
void TCrypt_blockcipherN<B>::Reset()
{
    CheckInitialized();
    std::memcpy(CV, IV, B);
}

template <int B>
void TCrypt_blockcipherN<B>::SetIV(const void* Value)
{
    CheckInitialized();
    std::memcpy(IV, Value, B);
    Reset();
}

template <int B>
void TCrypt_blockcipherN<B>::GetIV(void* Value)
{
    CheckInitialized();
    std::memcpy(Value, CV, B);
}

template <int B>
void TCrypt_blockcipherN<B>::IncrementCounter()
{
    for (int i = B - 1; i >= 0; --i)
        if (++CV[i] != 0) break;
}

template <int B>
void TCrypt_blockcipherN<B>::ChainedTail(const uint8_t* In, uint8_t* Out, Cardinal r)
{
    EncryptECB(CV, CV);
    for (Cardinal k = 0; k < r; ++k) Out[k] = In[k] ^ CV[k];
}

template <int B>
void TCrypt_blockcipherN<B>::EncryptCBC(const void* InData, void* OutData, Cardinal Size)
{
    CheckInitialized();
    const uint8_t* In = static_cast<const uint8_t*>(InData);
    uint8_t* Out = static_cast<uint8_t*>(OutData);
    for (Cardinal i = 0; i < Size / B; ++i, In += B, Out += B) {
        uint8_t Block[B];
        for (int k = 0; k < B; ++k) Block[k] = In[k] ^ CV[k];
        EncryptECB(Block, Out);
        std::memcpy(CV, Out, B);
    }
    if (Size % B) ChainedTail(In, Out, Size % B);
}

template <int B>
void TCrypt_blockcipherN<B>::DecryptCBC(const void* InData, void* OutData, Cardinal Size)
{
    CheckInitialized();
    const uint8_t* In = static_cast<const uint8_t*>(InData);
    uint8_t* Out = static_cast<uint8_t*>(OutData);
    for (Cardinal i = 0; i < Size / B; ++i, In += B, Out += B) {
        uint8_t Cipher[B];
        uint8_t Plain[B];
        std::memcpy(Cipher, In, B);  // In and Out may be one buffer
        DecryptECB(Cipher, Plain);
        for (int k = 0; k < B; ++k) Out[k] = Plain[k] ^ CV[k];
        std::memcpy(CV, Cipher, B);
    }
    // The tail is the same keystream as when encrypting: E(CV), not D(CV).
    if (Size % B) ChainedTail(In, Out, Size % B);
}

template <int B>
void TCrypt_blockcipherN<B>::CFB8bit(const uint8_t* In, uint8_t* Out, Cardinal Size,
                                     bool Decrypting)
{
    CheckInitialized();
    for (Cardinal i = 0; i < Size; ++i) {
        uint8_t Key[B];
        EncryptECB(CV, Key);
        const uint8_t InByte = In[i];
        const uint8_t OutByte = InByte ^ Key[0];
        Out[i] = OutByte;
        std::memmove(CV, CV + 1, B - 1);
        CV[B - 1] = Decrypting ? InByte : OutByte;
    }
}

template <int B>
void TCrypt_blockcipherN<B>::EncryptCFB8bit(const void* InData, void* OutData, Cardinal Size)
{
    CFB8bit(static_cast<const uint8_t*>(InData), static_cast<uint8_t*>(OutData), Size, false);
}

template <int B>
void TCrypt_blockcipherN<B>::DecryptCFB8bit(const void* InData, void* OutData, Cardinal Size)
{
    CFB8bit(static_cast<const uint8_t*>(InData), static_cast<uint8_t*>(OutData), Size, true);
}

template <int B>
void TCrypt_blockcipherN<B>::EncryptCFBblock(const void* InData, void* OutData, Cardinal Size)
{
    CheckInitialized();
    const uint8_t* In = static_cast<const uint8_t*>(InData);
    uint8_t* Out = static_cast<uint8_t*>(OutData);
    for (Cardinal i = 0; i < Size / B; ++i, In += B, Out += B) {
        EncryptECB(CV, CV);
        for (int k = 0; k < B; ++k) Out[k] = In[k] ^ CV[k];
        std::memcpy(CV, Out, B);
    }
    if (Size % B) ChainedTail(In, Out, Size % B);
}

template <int B>
void TCrypt_blockcipherN<B>::DecryptCFBblock(const void* InData, void* OutData, Cardinal Size)
{
    CheckInitialized();
    const uint8_t* In = static_cast<const uint8_t*>(InData);
    uint8_t* Out = static_cast<uint8_t*>(OutData);
    for (Cardinal i = 0; i < Size / B; ++i, In += B, Out += B) {
        uint8_t Cipher[B];
        std::memcpy(Cipher, In, B);
        EncryptECB(CV, CV);
        for (int k = 0; k < B; ++k) Out[k] = Cipher[k] ^ CV[k];
        std::memcpy(CV, Cipher, B);
    }
    if (Size % B) ChainedTail(In, Out, Size % B);
}

template <int B>
void TCrypt_blockcipherN<B>::EncryptOFB(const void* InData, void* OutData, Cardinal Size)
{
    CheckInitialized();
    const uint8_t* In = static_cast<const uint8_t*>(InData);
    uint8_t* Out = static_cast<uint8_t*>(OutData);
    for (Cardinal i = 0; i < Size / B; ++i, In += B, Out += B) {
        EncryptECB(CV, CV);
        for (int k = 0; k < B; ++k) Out[k] = In[k] ^ CV[k];
    }
    if (Size % B) ChainedTail(In, Out, Size % B);
}

template <int B>
void TCrypt_blockcipherN<B>::DecryptOFB(const void* InData, void* OutData, Cardinal Size)
{
    EncryptOFB(InData, OutData, Size);
}

template <int B>
void TCrypt_blockcipherN<B>::EncryptCTR(const void* InData, void* OutData, Cardinal Size)
{
    CheckInitialized();
    const uint8_t* In = static_cast<const uint8_t*>(InData);
    uint8_t* Out = static_cast<uint8_t*>(OutData);
    Cardinal Pos = 0;
    while (Pos < Size) {
        uint8_t Key[B];
        EncryptECB(CV, Key);
        IncrementCounter();
        const Cardinal n = std::min<Cardinal>(B, Size - Pos);
        for (Cardinal k = 0; k < n; ++k) Out[Pos + k] = In[Pos + k] ^ Key[k];
        Pos += n;
    }
}

template <int B>
void TCrypt_blockcipherN<B>::DecryptCTR(const void* InData, void* OutData, Cardinal Size)
{
    EncryptCTR(InData, OutData, Size);
}

template class TCrypt_blockcipherN<8>;
template class TCrypt_blockcipherN<16>;
