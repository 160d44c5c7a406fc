// The frame of the cipher suite: chaining modes and their tail rule, the
// initial value, uninitialised use, keys from pass phrases, the string and
// stream operations, and Base64.
#include "foundation/crypto/Crypt_Base.h"
#include "foundation/crypto/Crypt_Base64.h"
#include "foundation/crypto/Crypt_Blowfish.h"
#include "foundation/crypto/Crypt_Cast128.h"
#include "foundation/crypto/Crypt_MD5.h"
#include "foundation/crypto/Crypt_RC4.h"
#include "foundation/crypto/Crypt_Rijndael.h"
#include "foundation/crypto/Crypt_SHA1.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

#include "CryptTestData.h"

using namespace CryptTest;

namespace {

const Bytes TestKey = Hex("000102030405060708090a0b0c0d0e0f");

template <class T>
std::unique_ptr<T> Keyed(const Bytes& Key = TestKey, const uint8_t* IV = nullptr)
{
    auto c = std::make_unique<T>(nullptr);
    c->Init(Key.data(), Cardinal(Key.size() * 8), IV);
    return c;
}

Bytes Pattern(size_t n, int Seed = 1)
{
    Bytes b(n);
    for (size_t i = 0; i < n; ++i) b[i] = uint8_t(i * 29 + Seed * 7);
    return b;
}

// The modes written out from their definition over single-block ECB calls:
// the model the chaining code must follow, tail rule included.
Bytes Model(TCrypt_blockcipher& E, TCrypt_ciphermode Mode, bool Decrypting, Bytes CV, const Bytes& In,
            Bytes* FinalCV = nullptr)
{
    const size_t B = CV.size();
    auto Enc = [&](const Bytes& x) {
        Bytes y(B);
        E.EncryptECB(x.data(), y.data());
        return y;
    };
    auto Dec = [&](const Bytes& x) {
        Bytes y(B);
        E.DecryptECB(x.data(), y.data());
        return y;
    };
    Bytes Out(In.size());
    if (Mode == cmCFB8bit) {
        for (size_t i = 0; i < In.size(); ++i) {
            Out[i] = In[i] ^ Enc(CV)[0];
            CV.erase(CV.begin());
            CV.push_back(Decrypting ? In[i] : Out[i]);
        }
    } else {
        size_t i = 0;
        for (; i + B <= In.size(); i += B) {
            Bytes P(In.begin() + long(i), In.begin() + long(i + B)), C(B);
            switch (Mode) {
            case cmCBC:
                if (!Decrypting) {
                    for (size_t k = 0; k < B; ++k) P[k] ^= CV[k];
                    C = Enc(P);
                    CV = C;
                } else {
                    C = Dec(P);
                    for (size_t k = 0; k < B; ++k) C[k] ^= CV[k];
                    CV = P;
                }
                break;
            case cmCFBblock:
                CV = Enc(CV);
                for (size_t k = 0; k < B; ++k) C[k] = P[k] ^ CV[k];
                CV = Decrypting ? P : C;
                break;
            case cmOFB:
                CV = Enc(CV);
                for (size_t k = 0; k < B; ++k) C[k] = P[k] ^ CV[k];
                break;
            default: {  // CTR
                const Bytes K = Enc(CV);
                for (size_t k = B; k-- > 0;)
                    if (++CV[k] != 0) break;
                for (size_t k = 0; k < B; ++k) C[k] = P[k] ^ K[k];
            }
            }
            std::copy(C.begin(), C.end(), Out.begin() + long(i));
        }
        if (i < In.size()) {
            Bytes K;
            if (Mode == cmCTR) {
                K = Enc(CV);
                for (size_t k = B; k-- > 0;)
                    if (++CV[k] != 0) break;
            } else {
                CV = Enc(CV);
                K = CV;
            }
            for (size_t k = 0; i + k < In.size(); ++k) Out[i + k] = In[i + k] ^ K[k];
        }
    }
    if (FinalCV) *FinalCV = CV;
    return Out;
}

Bytes Crypt(TCrypt_blockcipher& c, bool Decrypting, const Bytes& In)
{
    Bytes Out(In.size());
    if (Decrypting)
        c.Decrypt(In.data(), Out.data(), Cardinal(In.size()));
    else
        c.Encrypt(In.data(), Out.data(), Cardinal(In.size()));
    return Out;
}

Bytes IVOf(TCrypt_blockcipher& c)
{
    Bytes v(size_t(c.BlockSize() / 8));
    c.GetIV(v.data());
    return v;
}

template <class T>
void CheckModesAgainstModel()
{
    const size_t B = size_t(T::GetBlockSize() / 8);
    const Bytes IV = Pattern(B, 5);
    auto Ecb = Keyed<T>();
    for (TCrypt_ciphermode Mode : {cmCBC, cmCFB8bit, cmCFBblock, cmOFB, cmCTR}) {
        for (size_t Size : {size_t(0), size_t(1), B - 1, B, B + 1, 2 * B + 4, 5 * B}) {
            const Bytes Plain = Pattern(Size);
            auto c = Keyed<T>(TestKey, IV.data());
            c->SetCipherMode(Mode);
            Bytes CV;
            const Bytes Cipher = Crypt(*c, false, Plain);
            EXPECT_EQ(Cipher, Model(*Ecb, Mode, false, IV, Plain, &CV)) << Mode << " size " << Size;
            EXPECT_EQ(IVOf(*c), CV) << Mode << " size " << Size;
            // Decrypting in place restores the plain text.
            c->Reset();
            Bytes Buffer = Cipher;
            c->Decrypt(Buffer.data(), Buffer.data(), Cardinal(Buffer.size()));
            EXPECT_EQ(Buffer, Plain) << Mode << " size " << Size;
            EXPECT_EQ(Buffer, Model(*Ecb, Mode, true, IV, Cipher)) << Mode << " size " << Size;
        }
    }
}

}  // namespace

TEST(CryptModes, FollowTheirDefinitionWithTheTailRule)
{
    CheckModesAgainstModel<TCrypt_blowfish>();
    CheckModesAgainstModel<TCrypt_rijndael>();
}

TEST(CryptModes, Cbc20BytesOnAn8ByteCipher)
{
    const Bytes IV = Pattern(8, 3), Plain = Pattern(20);
    auto c = Keyed<TCrypt_blowfish>(TestKey, IV.data());
    auto e = Keyed<TCrypt_blowfish>();
    // Two chained blocks, then 4 bytes XORed with E(C2).
    Bytes C1(8), C2(8), Tail(8), x(8);
    for (int k = 0; k < 8; ++k) x[size_t(k)] = Plain[size_t(k)] ^ IV[size_t(k)];
    e->EncryptECB(x.data(), C1.data());
    for (int k = 0; k < 8; ++k) x[size_t(k)] = Plain[size_t(8 + k)] ^ C1[size_t(k)];
    e->EncryptECB(x.data(), C2.data());
    e->EncryptECB(C2.data(), Tail.data());
    const Bytes Cipher = Crypt(*c, false, Plain);
    EXPECT_EQ(Bytes(Cipher.begin(), Cipher.begin() + 8), C1);
    EXPECT_EQ(Bytes(Cipher.begin() + 8, Cipher.begin() + 16), C2);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(Cipher[size_t(16 + k)], Plain[size_t(16 + k)] ^ Tail[size_t(k)]);
    EXPECT_EQ(IVOf(*c), Tail);
    // Decryption restores the 20 bytes and leaves the same chaining value.
    c->Reset();
    EXPECT_EQ(Crypt(*c, true, Cipher), Plain);
    EXPECT_EQ(IVOf(*c), Tail);
    // A tail only round-trips in one piece, or after pieces of whole blocks.
    c->Reset();
    Bytes Pieces(20);
    c->Encrypt(Plain.data(), Pieces.data(), 8);
    c->Encrypt(Plain.data() + 8, Pieces.data() + 8, 12);
    EXPECT_EQ(Pieces, Cipher);
}

TEST(CryptModes, DefaultInitialValueIsTheEncryptedZeroBlock)
{
    auto c = Keyed<TCrypt_rijndael>();
    Bytes Zero(16, 0), Expected(16);
    c->EncryptECB(Zero.data(), Expected.data());
    EXPECT_EQ(IVOf(*c), Expected);
    // SetIV replaces it and restarts the chain; Reset goes back to it.
    const Bytes IV = Pattern(16, 9);
    c->SetIV(IV.data());
    EXPECT_EQ(IVOf(*c), IV);
    Crypt(*c, false, Pattern(32));
    EXPECT_NE(IVOf(*c), IV);
    c->Reset();
    EXPECT_EQ(IVOf(*c), IV);
}

TEST(CryptModes, CounterCarriesAndWraps)
{
    // Two blocks from IV: the second keystream block is E(IV + 1), and the
    // counter is left at IV + 2.
    struct Case {
        const char* IV;
        const char* Next;
        const char* AfterTwo;
    } Cases[] = {
        {"00000000000000ff", "0000000000000100", "0000000000000101"},
        {"00ffffffffffffff", "0100000000000000", "0100000000000001"},
        {"ffffffffffffffff", "0000000000000000", "0000000000000001"},
    };
    auto e = Keyed<TCrypt_blowfish>();
    for (const Case& k : Cases) {
        const Bytes IV = Hex(k.IV), Next = Hex(k.Next);
        auto c = Keyed<TCrypt_blowfish>(TestKey, IV.data());
        c->SetCipherMode(cmCTR);
        const Bytes Stream = Crypt(*c, false, Bytes(16, 0));
        EXPECT_EQ(ToHex(IVOf(*c)), k.AfterTwo);
        Bytes K(8);
        e->EncryptECB(Next.data(), K.data());
        EXPECT_EQ(Bytes(Stream.begin() + 8, Stream.end()), K) << k.IV;
    }
}

TEST(CryptModes, ZeroBytesChangeNothing)
{
    const Bytes IV = Pattern(8, 2);
    for (TCrypt_ciphermode Mode : {cmCBC, cmCFB8bit, cmCFBblock, cmOFB, cmCTR}) {
        auto c = Keyed<TCrypt_blowfish>(TestKey, IV.data());
        c->SetCipherMode(Mode);
        uint8_t Byte = 0x5A;
        c->Encrypt(&Byte, &Byte, 0);
        c->Decrypt(&Byte, &Byte, 0);
        EXPECT_EQ(Byte, 0x5A);
        EXPECT_EQ(IVOf(*c), IV) << Mode;
    }
}

TEST(CryptModes, UninitialisedUseRaises)
{
    TCrypt_blowfish c(nullptr);
    uint8_t Block[8] = {}, Out[8];
    const std::function<void()> Calls[] = {
        [&] { c.SetIV(Block); },
        [&] { c.GetIV(Block); },
        [&] { c.Reset(); },
        [&] { c.EncryptECB(Block, Out); },
        [&] { c.DecryptECB(Block, Out); },
        [&] { c.EncryptCBC(Block, Out, 8); },
        [&] { c.DecryptCBC(Block, Out, 8); },
        [&] { c.EncryptCFB8bit(Block, Out, 1); },
        [&] { c.DecryptCFB8bit(Block, Out, 1); },
        [&] { c.EncryptCFBblock(Block, Out, 8); },
        [&] { c.DecryptCFBblock(Block, Out, 8); },
        [&] { c.EncryptOFB(Block, Out, 8); },
        [&] { c.DecryptOFB(Block, Out, 8); },
        [&] { c.EncryptCTR(Block, Out, 8); },
        [&] { c.DecryptCTR(Block, Out, 8); },
    };
    for (int Burnt = 0; Burnt < 2; ++Burnt) {
        for (size_t i = 0; i < std::size(Calls); ++i) {
            try {
                Calls[i]();
                ADD_FAILURE() << "call " << i << " did not raise";
            } catch (const ECrypt_blockcipher& E) {
                EXPECT_EQ(E.Message(), u"Cipher not initialized") << i;
            }
        }
        c.Init(TestKey.data(), 128, nullptr);
        c.Burn();
    }
}

TEST(CryptKeys, InitStrTakesTheLeadingDigestBytes)
{
    auto DigestOf = [](TCrypt_hashclass Class, const String& Phrase) {
        std::unique_ptr<TCrypt_hash> Hash(Class->Create(nullptr));
        Bytes Digest(size_t(Class->GetHashSize() / 8));
        Hash->Init();
        Hash->UpdateStr(Phrase);
        Hash->Final(Digest.data());
        return Digest;
    };
    // SHA-1 (160 bits) on a 128-bit cipher: the first 16 digest bytes.
    const Bytes Sha1 = DigestOf(HashClassOf<TCrypt_sha1>(), u"pass phrase");
    TCrypt_cast128 Narrow(nullptr);
    Narrow.InitStr(String(u"pass phrase"), HashClassOf<TCrypt_sha1>());
    auto NarrowByKey = Keyed<TCrypt_cast128>(Bytes(Sha1.begin(), Sha1.begin() + 16));
    EXPECT_EQ(IVOf(Narrow), IVOf(*NarrowByKey));
    // MD5 (128 bits) on a 256-bit cipher: all 16 digest bytes.
    TCrypt_rijndael Wide(nullptr);
    Wide.InitStr(String(u"pass phrase"), HashClassOf<TCrypt_md5>());
    auto WideByKey = Keyed<TCrypt_rijndael>(DigestOf(HashClassOf<TCrypt_md5>(), u"pass phrase"));
    EXPECT_EQ(IVOf(Wide), IVOf(*WideByKey));
    // A single-byte phrase is hashed as its bytes.
    TCrypt_rijndael Ansi(nullptr);
    Ansi.InitStr(AnsiString("p\0a\0s\0s\0 \0p\0h\0r\0a\0s\0e\0", 22), HashClassOf<TCrypt_md5>());
    EXPECT_EQ(IVOf(Ansi), IVOf(*WideByKey));

    // Failures surface as one message.
    TCrypt_blowfish c(nullptr);
    try {
        c.InitStr(String(u"x"), nullptr);
        ADD_FAILURE() << "no hash class";
    } catch (const ECrypt_cipher& E) {
        EXPECT_EQ(E.Message(), u"Unable to allocate sufficient memory for hash digest");
    }
    EXPECT_FALSE(c.Initialized());
}

TEST(CryptStrings, BlockCiphersUseCfb8WhateverTheMode)
{
    auto c = Keyed<TCrypt_rijndael>();
    c->SetCipherMode(cmCTR);
    const String Text = u"Lumatra \u00e9\u4e2d!";
    const String Cipher = c->EncryptString(Text);
    // Base64 of the CFB-8bit encryption of the UTF-16LE bytes.
    auto Model = Keyed<TCrypt_rijndael>();
    AnsiString Bytes("L\0u\0m\0a\0t\0r\0a\0 \0\xe9\0\x2d\x4e!\0", 22);
    Model->EncryptCFB8bit(Bytes.data(), Bytes.data(), Cardinal(Bytes.size()));
    const AnsiString Expected = EncodeBase64Ansi(Bytes);
    EXPECT_EQ(Cipher, String(Expected.begin(), Expected.end()));
    // Successive strings chain; Reset restarts.
    EXPECT_NE(c->EncryptString(Text), Cipher);
    c->Reset();
    EXPECT_EQ(c->EncryptString(Text), Cipher);
    c->Reset();
    EXPECT_EQ(c->DecryptString(Cipher), Text);
    // Single-byte texts too.
    c->Reset();
    const AnsiString Ansi = c->EncryptString(AnsiString("plain bytes \x01\xff"));
    c->Reset();
    EXPECT_EQ(c->DecryptString(Ansi), AnsiString("plain bytes \x01\xff"));
}

TEST(CryptStrings, StreamCipherUsesItsGenerator)
{
    auto c = Keyed<TCrypt_rc4>();
    const String Cipher = c->EncryptString(String(u"abc"));
    c->Reset();
    AnsiString Bytes("a\0b\0c\0", 6);
    c->Encrypt(Bytes.data(), Bytes.data(), 6);
    const AnsiString Expected = EncodeBase64Ansi(Bytes);
    EXPECT_EQ(Cipher, String(Expected.begin(), Expected.end()));
    c->Reset();
    EXPECT_EQ(c->DecryptString(Cipher), u"abc");
}

TEST(CryptStreams, ChunksOf8192Bytes)
{
    const Bytes Data = Pattern(3 * 8192 + 13);
    TMemoryStream In;
    In.WriteBuffer(Data.data(), Integer(Data.size()));
    // Block cipher in CBC: the chunks are whole blocks, so the result is one chain.
    {
        auto c = Keyed<TCrypt_blowfish>();
        TMemoryStream Out;
        In.SetPosition(0);
        EXPECT_EQ(c->EncryptStream(&In, &Out, Cardinal(Data.size())), Data.size());
        c->Reset();
        Bytes Whole = Data;
        c->Encrypt(Whole.data(), Whole.data(), Cardinal(Whole.size()));
        ASSERT_EQ(Out.Size(), Int64(Data.size()));
        EXPECT_EQ(std::memcmp(Out.Memory(), Whole.data(), Whole.size()), 0);
        // And back.
        c->Reset();
        TMemoryStream Back;
        Out.SetPosition(0);
        EXPECT_EQ(c->DecryptStream(&Out, &Back, Cardinal(Data.size())), Data.size());
        EXPECT_EQ(std::memcmp(Back.Memory(), Data.data(), Data.size()), 0);
    }
    // RC4: each chunk is its own call, restarting i and j.
    {
        auto c = Keyed<TCrypt_rc4>();
        TMemoryStream Out;
        In.SetPosition(0);
        c->EncryptStream(&In, &Out, Cardinal(Data.size()));
        c->Reset();
        Bytes Chunked = Data;
        for (size_t i = 0; i < Chunked.size(); i += 8192)
            c->Encrypt(&Chunked[i], &Chunked[i], Cardinal(std::min<size_t>(8192, Chunked.size() - i)));
        EXPECT_EQ(std::memcmp(Out.Memory(), Chunked.data(), Chunked.size()), 0);
    }
    // A short input: the total is what the reads returned.
    {
        auto c = Keyed<TCrypt_blowfish>();
        TMemoryStream Out;
        In.SetPosition(Int64(Data.size()) - 100);
        EXPECT_EQ(c->EncryptStream(&In, &Out, 20000), 100u);
        EXPECT_EQ(Out.Size(), 100);
    }
}

TEST(CryptBase64, PublishedVectors)
{
    int Rows = 0;
    for (const std::string& Line : Section("base64.txt", "BASE64")) {
        const size_t q1 = Line.find('"'), q2 = Line.find('"', q1 + 1);
        const size_t q3 = Line.find('"', q2 + 1), q4 = Line.find('"', q3 + 1);
        const AnsiString Plain = Line.substr(q1 + 1, q2 - q1 - 1), Coded = Line.substr(q3 + 1, q4 - q3 - 1);
        EXPECT_EQ(EncodeBase64Ansi(Plain), Coded);
        EXPECT_EQ(DecodeBase64Ansi(Coded), Plain);
        ++Rows;
    }
    EXPECT_EQ(Rows, 7);
}

TEST(CryptBase64, GroupsOfFour)
{
    struct Case {
        AnsiString Text;
        AnsiString Bytes;
    } Cases[] = {
        {"", ""},
        {"Zg", ""},          // shorter than a group: nothing
        {"Zm9", ""},
        {"Zg==", "f"},
        {"Zg==Zg==", "ff"},  // a "=" ends only its own group
        {"Zm9vx", "foo"},    // a stray fifth character is ignored
        {"Zm8=", "fo"},
        {"Zm9vYmFy", "foobar"},
    };
    for (const Case& c : Cases) EXPECT_EQ(DecodeBase64Ansi(c.Text), c.Bytes) << c.Text;
    EXPECT_EQ(EncodeBase64Ansi(AnsiString(1, '\xff')), "/w==");
    // Characters outside the alphabet decode to something without reading past the end.
    EXPECT_EQ(DecodeBase64Ansi("\x01\x80~~").size(), 3u);
    // The buffer forms report their counts.
    char Out[8];
    EXPECT_EQ(EncodeBase64Buffer("abcd", Out, 4), 8u);
    uint8_t Back[6];
    EXPECT_EQ(DecodeBase64Buffer(Out, Back, 8), 4u);
}

TEST(CryptBase64, WideForms)
{
    EXPECT_EQ(EncodeBase64Wide(u""), u"");
    const String Text = u"A\u4e2d";
    const String Coded = EncodeBase64Wide(Text);
    EXPECT_EQ(Coded, u"QQAtTg==");  // bytes 41 00 2D 4E
    EXPECT_EQ(DecodeBase64Wide(Coded), Text);
    // Three bytes make one character; the odd byte is dropped.
    EXPECT_EQ(DecodeBase64Wide(EncodeBase64Wide(u"") + u"QQBC"), String(u"A"));
    // A character outside ASCII is no Base64 character.
    EXPECT_EQ(DecodeBase64Wide(u"\u4e2d\u4e2d\u4e2d\u4e2d").size(), 1u);
}
