// Crypt_Base: the frame of the cipher suite: the abstract hash and cipher
// classes, the block-cipher classes that carry every chaining mode, and the
// suite's exceptions. The algorithms are the other units of this folder; the
// rest of the program reaches them only through HyCrypUtils.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/runtime/Classes.h"
#include "framework/runtime/SysUtils.h"
#include "framework/runtime/System.h"

LM_EXCEPTION_CLASS(ECrypt_hash, Exception);
LM_EXCEPTION_CLASS(ECrypt_cipher, Exception);
LM_EXCEPTION_CLASS(ECrypt_blockcipher, ECrypt_cipher);

// ---------------------------------------------------------------------------
// Hashes.

class TCrypt_hash : public TComponent {
public:
    explicit TCrypt_hash(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
    String ClassName() const override { return u"TCrypt_hash"; }

    // Class values: each algorithm hides these with its own, so that they can be
    // asked without an instance (through a TCrypt_hashclass as well).
    static Integer GetId() { return -1; }
    static String GetAlgorithm() { return String(); }
    static Integer GetHashSize() { return -1; }
    static bool SelfTest() { return false; }

    // The class values of the object's own class; read-only.
    virtual Integer Id() const { return GetId(); }
    virtual String Algorithm() const { return GetAlgorithm(); }
    virtual Integer HashSize() const { return GetHashSize(); }  // bits

    virtual void Init() {}
    // Pads, writes HashSize div 8 bytes to Digest and burns the state.
    virtual void Final(void* Digest) { (void)Digest; }
    virtual void Burn() {}
    virtual void Update(const void* Buffer, Cardinal Size) { (void)Buffer, (void)Size; }

    // Size bytes from the stream's position, read in chunks of 8192 bytes; each
    // chunk adds as many bytes as the read returned.
    void UpdateStream(TStream* Stream, Cardinal Size);
    void UpdateStr(const AnsiString& Str);
    void UpdateStr(const String& Str);  // its UTF-16LE bytes

    bool Initialized() const { return fInitialized; }

protected:
    bool fInitialized = false;

    // For the self-tests: the digest of Message equals the hexadecimal HexDigest.
    static bool DigestMatches(TCrypt_hash& Hash, const AnsiString& Message, const char* HexDigest);
};

// A hash class reference: the class values, and creation of an instance.
struct TCrypt_hashclassinfo {
    Integer (*GetId)();
    String (*GetAlgorithm)();
    Integer (*GetHashSize)();
    bool (*SelfTest)();
    TCrypt_hash* (*Create)(TComponent* AOwner);
};
using TCrypt_hashclass = const TCrypt_hashclassinfo*;

template <class T>
TCrypt_hashclass HashClassOf()
{
    static const TCrypt_hashclassinfo Info{&T::GetId, &T::GetAlgorithm, &T::GetHashSize,
                                           &T::SelfTest,
                                           [](TComponent* AOwner) -> TCrypt_hash* { return new T(AOwner); }};
    return &Info;
}

// The buffering and length counting that every hash of the suite shares:
// BlockBytes per compression, the message length in bits in two LenWords
// (LenHi:LenLo), and StateWords chaining words.
template <int BlockBytes, class LenWord, class StateWord, int StateWords>
class TCrypt_bufferedhash : public TCrypt_hash {
public:
    using TCrypt_hash::TCrypt_hash;
    ~TCrypt_bufferedhash() override
    {
        if (fInitialized) TCrypt_bufferedhash::Burn();
    }

    void Burn() override;
    void Update(const void* Buffer, Cardinal Size) override;

protected:
    LenWord LenHi = 0;
    LenWord LenLo = 0;
    Cardinal Index = 0;  // bytes waiting in HashBuffer
    StateWord CurrentHash[StateWords] = {};
    uint8_t HashBuffer[BlockBytes] = {};

    // Folds HashBuffer into CurrentHash.
    virtual void Compress() = 0;
    void CheckInitialized() const;
    // Compresses the full buffer, then empties it.
    void CompressBuffer();
    // Final's padding: Mark after the message, and one more block when the
    // length field starting at FieldStart no longer fits.
    void Pad(uint8_t Mark, Cardinal FieldStart);
};

// ---------------------------------------------------------------------------
// Ciphers.

class TCrypt_cipher : public TComponent {
public:
    // A new cipher is not initialised.
    explicit TCrypt_cipher(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
    String ClassName() const override { return u"TCrypt_cipher"; }

    static Integer GetId() { return -1; }
    static String GetAlgorithm() { return String(); }
    static Integer GetMaxKeySize() { return -1; }
    static bool SelfTest() { return false; }

    virtual Integer Id() const { return GetId(); }
    virtual String Algorithm() const { return GetAlgorithm(); }
    virtual Integer MaxKeySize() const { return GetMaxKeySize(); }  // bits

    // Key: Size bits (a multiple of 4, 1 to MaxKeySize), of which the first
    // Size div 8 bytes are used. InitVector: one block, or null.
    virtual void Init(const void* Key, Cardinal Size, const void* InitVector);
    virtual void Burn() { fInitialized = false; }
    virtual void Reset() {}
    virtual void Encrypt(const void* InData, void* OutData, Cardinal Size);
    virtual void Decrypt(const void* InData, void* OutData, Cardinal Size);
    // Text in, Base64 text out; successive calls form one chain until Reset.
    virtual AnsiString EncryptString(const AnsiString& Str);
    virtual AnsiString DecryptString(const AnsiString& Str);
    virtual String EncryptString(const String& Str);
    virtual String DecryptString(const String& Str);

    // Keys the cipher with the leading bits of the digest of a pass phrase.
    void InitStr(const AnsiString& Key, TCrypt_hashclass HashType);
    void InitStr(const String& Key, TCrypt_hashclass HashType);
    // Size bytes from InStream's position to OutStream in 8192-byte chunks; the
    // result is the number of bytes the reads returned.
    Cardinal EncryptStream(TStream* InStream, TStream* OutStream, Cardinal Size);
    Cardinal DecryptStream(TStream* InStream, TStream* OutStream, Cardinal Size);

    bool Initialized() const { return fInitialized; }

protected:
    bool fInitialized = false;

    // How the string operations encipher their bytes in place: the plain
    // Encrypt and Decrypt here; a block cipher always uses 8-bit feedback.
    virtual void EncryptStringBytes(void* Data, Cardinal Size) { Encrypt(Data, Data, Size); }
    virtual void DecryptStringBytes(void* Data, Cardinal Size) { Decrypt(Data, Data, Size); }

    // Keys with the digest of the bytes of Key.
    void InitDigest(const AnsiString& Key, TCrypt_hashclass HashType);
    Cardinal CryptStream(TStream* InStream, TStream* OutStream, Cardinal Size, bool Decrypting);
};

enum TCrypt_ciphermode : uint8_t { cmCBC, cmCFB8bit, cmCFBblock, cmOFB, cmCTR };

class TCrypt_blockcipher : public TCrypt_cipher {
public:
    explicit TCrypt_blockcipher(TComponent* AOwner = nullptr) : TCrypt_cipher(AOwner) {}
    String ClassName() const override { return u"TCrypt_blockcipher"; }

    static Integer GetBlockSize() { return -1; }
    virtual Integer BlockSize() const { return GetBlockSize(); }  // bits
    TCrypt_ciphermode CipherMode() const { return fCipherMode; }
    void SetCipherMode(TCrypt_ciphermode Value) { fCipherMode = Value; }

    // SetIV replaces the initial value and restarts the chain; GetIV gives the
    // current chaining value.
    virtual void SetIV(const void* Value) { (void)Value; }
    virtual void GetIV(void* Value) { (void)Value; }
    virtual void EncryptECB(const void* InBlock, void* OutBlock) { (void)InBlock, (void)OutBlock; }
    virtual void DecryptECB(const void* InBlock, void* OutBlock) { (void)InBlock, (void)OutBlock; }
    virtual void EncryptCBC(const void* InData, void* OutData, Cardinal Size) { (void)InData, (void)OutData, (void)Size; }
    virtual void DecryptCBC(const void* InData, void* OutData, Cardinal Size) { (void)InData, (void)OutData, (void)Size; }
    virtual void EncryptCFB8bit(const void* InData, void* OutData, Cardinal Size) { (void)InData, (void)OutData, (void)Size; }
    virtual void DecryptCFB8bit(const void* InData, void* OutData, Cardinal Size) { (void)InData, (void)OutData, (void)Size; }
    virtual void EncryptCFBblock(const void* InData, void* OutData, Cardinal Size) { (void)InData, (void)OutData, (void)Size; }
    virtual void DecryptCFBblock(const void* InData, void* OutData, Cardinal Size) { (void)InData, (void)OutData, (void)Size; }
    virtual void EncryptOFB(const void* InData, void* OutData, Cardinal Size) { (void)InData, (void)OutData, (void)Size; }
    virtual void DecryptOFB(const void* InData, void* OutData, Cardinal Size) { (void)InData, (void)OutData, (void)Size; }
    virtual void EncryptCTR(const void* InData, void* OutData, Cardinal Size) { (void)InData, (void)OutData, (void)Size; }
    virtual void DecryptCTR(const void* InData, void* OutData, Cardinal Size) { (void)InData, (void)OutData, (void)Size; }

    // Dispatch on CipherMode.
    void Encrypt(const void* InData, void* OutData, Cardinal Size) override;
    void Decrypt(const void* InData, void* OutData, Cardinal Size) override;
protected:
    TCrypt_ciphermode fCipherMode = cmCBC;

    // Strings are always CFB with 8-bit feedback, whatever CipherMode says.
    void EncryptStringBytes(void* Data, Cardinal Size) override { EncryptCFB8bit(Data, Data, Size); }
    void DecryptStringBytes(void* Data, Cardinal Size) override { DecryptCFB8bit(Data, Data, Size); }

    // Builds the key schedule from the first Size div 8 bytes of Key.
    virtual void ExpandKey(const void* Key, Cardinal Size) { (void)Key, (void)Size; }
    void CheckInitialized() const;

    // For the self-tests: under the hexadecimal key (all its bits), the block
    // HexPlain encrypts to HexCipher and decrypts back.
    static bool BlockMatches(TCrypt_blockcipher& Cipher, const char* HexKey, const char* HexPlain,
                             const char* HexCipher);
};

// The chaining modes over a block of B bytes. No padding: the output is as long
// as the input, and a tail shorter than a block is XORed with the encryption of
// the chaining value, in every mode.
template <int B>
class TCrypt_blockcipherN : public TCrypt_blockcipher {
public:
    explicit TCrypt_blockcipherN(TComponent* AOwner = nullptr) : TCrypt_blockcipher(AOwner)
    {
        CryptFillBlocks();
    }

    static Integer GetBlockSize() { return B * 8; }
    Integer BlockSize() const override { return B * 8; }

    void Init(const void* Key, Cardinal Size, const void* InitVector) override;
    void Burn() override;
    void Reset() override;
    void SetIV(const void* Value) override;
    void GetIV(void* Value) override;
    void EncryptCBC(const void* InData, void* OutData, Cardinal Size) override;
    void DecryptCBC(const void* InData, void* OutData, Cardinal Size) override;
    void EncryptCFB8bit(const void* InData, void* OutData, Cardinal Size) override;
    void DecryptCFB8bit(const void* InData, void* OutData, Cardinal Size) override;
    void EncryptCFBblock(const void* InData, void* OutData, Cardinal Size) override;
    void DecryptCFBblock(const void* InData, void* OutData, Cardinal Size) override;
    void EncryptOFB(const void* InData, void* OutData, Cardinal Size) override;
    void DecryptOFB(const void* InData, void* OutData, Cardinal Size) override;
    void EncryptCTR(const void* InData, void* OutData, Cardinal Size) override;
    void DecryptCTR(const void* InData, void* OutData, Cardinal Size) override;

protected:
    uint8_t IV[B];  // the initial value set by Init or SetIV
    uint8_t CV[B];  // the chaining value the modes advance

    // CV as one big-endian number, plus one; a carry out of the first byte is lost.
    void IncrementCounter();

private:
    void CryptFillBlocks();
    void CFB8bit(const uint8_t* In, uint8_t* Out, Cardinal Size, bool Decrypting);
    // out = in XOR E(CV) for the last r bytes, with CV := E(CV) (CBC, CFB-block, OFB).
    void ChainedTail(const uint8_t* In, uint8_t* Out, Cardinal r);
};

using TCrypt_blockcipher64 = TCrypt_blockcipherN<8>;
using TCrypt_blockcipher128 = TCrypt_blockcipherN<16>;

extern template class TCrypt_blockcipherN<8>;
extern template class TCrypt_blockcipherN<16>;
