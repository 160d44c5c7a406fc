// The salted text and stream formats: their layout to the byte, round trips
// over every cipher and hash, quiet failures, and the fixed-key password.
#include "foundation/HyCrypUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/crypto/Crypt_Base64.h"
#include "foundation/crypto/Crypt_Cast128.h"
#include "foundation/crypto/Crypt_Rijndael.h"
#include "foundation/crypto/Crypt_MD5.h"
#include "foundation/crypto/Crypt_SHA1.h"

namespace {

const size_t BlockOf[9] = {8, 8, 16, 8, 8, 16, 0, 16, 8};

const String SaltSet = u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

RawByteString Pattern(size_t n)
{
    RawByteString s(n, '\0');
    for (size_t i = 0; i < n; ++i) s[i] = char(i * 131 + 17);
    return s;
}

RawByteString StreamBytes(TMemoryStream& s)
{
    return RawByteString(static_cast<const char*>(s.Memory()), size_t(s.Size()));
}

RawByteString Encrypted(const RawByteString& Data, const String& Password, Byte Cipher, Byte Hash)
{
    TMemoryStream Out;
    EXPECT_TRUE(PwdEncryptStream(Data, Password, Cipher, Hash, &Out));
    return StreamBytes(Out);
}

UTF8String Decrypted(const RawByteString& Stream, const String& Password)
{
    TMemoryStream In;
    if (!Stream.empty()) In.WriteBuffer(Stream.data(), Integer(Stream.size()));
    In.SetPosition(0);
    return PwdDecryptStream(Password, &In);
}

}  // namespace

TEST(HyCrypUtils, Factories)
{
    const Integer CipherIds[] = {5, 7, 15, 23, 24, 9, 19, 6, 12};
    const Integer HashIds[] = {14, 16, 2, 28, 30};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(CreateCipher(Byte(i))->Id(), CipherIds[i]);
        EXPECT_EQ(CreateCipher(Byte(i + 128))->Id(), CipherIds[i]);  // only the low seven bits count
        EXPECT_FALSE(CreateCipher(Byte(i))->Initialized());
    }
    for (int i = 0; i < 5; ++i) EXPECT_EQ(CreateHash(Byte(i))->Id(), HashIds[i]);
    EXPECT_EQ(CreateCipher(9), nullptr);
    EXPECT_EQ(CreateCipher(127), nullptr);
    EXPECT_EQ(CreateHash(5), nullptr);
    EXPECT_EQ(CreateHash(255), nullptr);
}

TEST(HyCrypUtils, TextLayout)
{
    EXPECT_EQ(PwdEncryptStr(u"", u"pw", 5, 1), u"");
    // 8 salt + 2 index + 16 IV + 4 Base64 characters (2 bytes).
    const String Text = PwdEncryptStr(u"x", u"", 5, 1);
    ASSERT_EQ(Text.size(), 30u);
    for (size_t i : {0, 1, 2, 3, 4, 5, 6, 7}) EXPECT_NE(SaltSet.find(Text[i]), String::npos) << i;
    EXPECT_EQ(Text[3] - Text[8], 5);
    EXPECT_EQ(Text[4] - Text[9], 1);
    for (size_t i = 10; i < 26; ++i) EXPECT_NE(SaltSet.find(Text[i]), String::npos) << i;
    EXPECT_EQ(Text[29], u'=');  // two bytes: three characters and one "="
    EXPECT_NE(Text[28], u'=');
    // RC4 has no IV: 8 + 2 + 0 + 4.
    EXPECT_EQ(PwdEncryptStr(u"x", u"", 6, 1).size(), 14u);
    // The body grows as Base64 of two bytes per character.
    for (size_t n : {1u, 2u, 3u, 7u, 100u})
        EXPECT_EQ(PwdEncryptStr(String(n, u'q'), u"", 0, 0).size(), 18 + (2 * n + 2) / 3 * 4) << n;
    // Indexes that name nothing give no text (the reader could never read it).
    EXPECT_EQ(PwdEncryptStr(u"x", u"", 9, 0), u"");
    EXPECT_EQ(PwdEncryptStr(u"x", u"", 0, 5), u"");
    EXPECT_EQ(PwdEncryptStr(u"x", u"", 130, 0), u"");
}

// The text format built here from its definition over the cipher classes: the
// reader must take it, so both sides agree on every byte.
TEST(HyCrypUtils, TextReadsAHandBuiltText)
{
    const String Salt = u"Ab3dE9xZ", Password = u"secret", Plain = u"Hello, \u4e16\u754c";
    const String IVText = u"0123456789abcdef";
    TCrypt_md5 Hash(nullptr);
    Hash.Init();
    Hash.UpdateStr(Salt + Password);
    uint8_t Digest[16];
    Hash.Final(Digest);
    TCrypt_rijndael Cipher(nullptr);
    const AnsiString IV(IVText.begin(), IVText.end());
    Cipher.Init(Digest, 128, IV.data());
    String Text = Salt;
    Text += char16_t(Salt[3] - 5);
    Text += char16_t(Salt[4] - 1);
    Text += IVText + Cipher.EncryptString(Plain);
    EXPECT_EQ(PwdDecryptStr(Text, Password), Plain);
}

TEST(HyCrypUtils, StreamReadsAHandBuiltStream)
{
    const uint8_t Header[10] = {3, 141, 59, 26, 53, 58, 97, 93, 53 + 1, 58 + 2};
    const uint8_t IV[8] = {0xFF, 0, 0x80, 1, 2, 3, 4, 5};
    const String Password = u"pw";
    TCrypt_sha1 Hash(nullptr);
    Hash.Init();
    Hash.Update(Header, 8);
    Hash.UpdateStr(Password);
    uint8_t Digest[20];
    Hash.Final(Digest);
    TCrypt_cast128 Cipher(nullptr);
    Cipher.Init(Digest, 128, IV);
    RawByteString Plain = Pattern(8192 + 13), Body = Plain;
    Cipher.EncryptCBC(Body.data(), Body.data(), Cardinal(Body.size()));
    RawByteString Stream(reinterpret_cast<const char*>(Header), 10);
    Stream += RawByteString(reinterpret_cast<const char*>(IV), 8) + Body;
    EXPECT_EQ(Decrypted(Stream, Password), Plain);
    // The index bytes count modulo 256 and then by their low seven bits: 128 + 1 is CAST-128 too.
    Stream[8] = char(uint8_t(53 + 129));
    EXPECT_EQ(Decrypted(Stream, Password), Plain);
}

TEST(HyCrypUtils, StreamLayout)
{
    for (Byte c = 0; c < 9; ++c) {
        TMemoryStream Out;
        ASSERT_TRUE(PwdEncryptStream(Pattern(100), u"", c, 2, &Out));
        const RawByteString s = StreamBytes(Out);
        ASSERT_EQ(s.size(), 10 + BlockOf[c] + 100) << int(c);
        for (int i = 0; i < 8; ++i) EXPECT_LT(uint8_t(s[size_t(i)]), 242) << i;
        EXPECT_EQ(uint8_t(s[8] - s[4]), c);
        EXPECT_EQ(uint8_t(s[9] - s[5]), 2);
    }
    EXPECT_EQ(Encrypted(Pattern(5), u"", 1, 2).size(), 18u + 5);
    // Empty data, unknown indexes: false and nothing written.
    for (auto [Data, c, h] : {std::tuple{RawByteString(), 1, 2}, {Pattern(3), 9, 2}, {Pattern(3), 1, 5}}) {
        TMemoryStream Out;
        EXPECT_FALSE(PwdEncryptStream(Data, u"", Byte(c), Byte(h), &Out));
        EXPECT_EQ(Out.Size(), 0);
    }
    // Written at the stream's position and read from it.
    TMemoryStream Both;
    Both.WriteBuffer("prefix", 6);
    ASSERT_TRUE(PwdEncryptStream("payload", u"", 7, 3, &Both));
    Both.SetPosition(6);
    EXPECT_EQ(PwdDecryptStream(u"", &Both), "payload");
}

// A stream that takes only so many bytes, like a full disk.
class TFullStream : public TMemoryStream {
public:
    explicit TFullStream(Integer Room) : FRoom(Room) {}
    Integer Write(const void* Buffer, Integer Count) override
    {
        const Integer n = std::min(Count, FRoom);
        FRoom -= n;
        return TMemoryStream::Write(Buffer, n);
    }

private:
    Integer FRoom;
};

TEST(HyCrypUtils, AShortWriteIsAFailure)
{
    // The header fits, the data does not: false, not a truncated file reported as written.
    TFullStream Out(18 + 100);
    EXPECT_FALSE(PwdEncryptStream(Pattern(20000), u"", 1, 2, &Out));
    TFullStream Room(18 + 20000);
    EXPECT_TRUE(PwdEncryptStream(Pattern(20000), u"", 1, 2, &Room));
}

TEST(HyCrypUtils, EveryPairRoundTripsBothFormats)
{
    const String Text = u"Config \u00e4\u4e2d 42\r\n";
    const RawByteString Data = Pattern(777);
    for (Byte c = 0; c < 9; ++c) {
        for (Byte h = 0; h < 5; ++h) {
            for (const String& Password : {String(), String(u"p\u00e4ss w0rd")}) {
                const String Cipher = PwdEncryptStr(Text, Password, c, h);
                ASSERT_FALSE(Cipher.empty()) << int(c) << "/" << int(h);
                EXPECT_EQ(PwdDecryptStr(Cipher, Password), Text) << int(c) << "/" << int(h);
                EXPECT_EQ(Decrypted(Encrypted(Data, Password, c, h), Password), Data)
                    << int(c) << "/" << int(h);
            }
        }
    }
}

TEST(HyCrypUtils, LongOddStreamsRoundTrip)
{
    // Only the last chunk of 8192 bytes may end with a partial block.
    for (size_t n : {size_t(8193), size_t(2 * 8192 + 5), size_t(100001)})
        for (Byte c : {Byte(1), Byte(2), Byte(6)}) {
            const RawByteString Data = Pattern(n);
            EXPECT_EQ(Decrypted(Encrypted(Data, u"k", c, 2), u"k"), Data) << n << " " << int(c);
        }
}

TEST(HyCrypUtils, WrongPasswordGivesGarbageOfTheRightLength)
{
    for (Byte c = 0; c < 9; ++c) {
        const String Text = PwdEncryptStr(u"sixteen chars!!!", u"right", c, 3);
        const String Wrong = PwdDecryptStr(Text, u"wrong");
        EXPECT_EQ(Wrong.size(), 16u) << int(c);
        EXPECT_NE(Wrong, u"sixteen chars!!!");
        const UTF8String Bytes = Decrypted(Encrypted(Pattern(50), u"right", c, 3), u"wrong");
        EXPECT_EQ(Bytes.size(), 50u) << int(c);
        EXPECT_NE(Bytes, Pattern(50));
    }
}

TEST(HyCrypUtils, MalformedInputIsQuiet)
{
    // Shorter than 11 characters; index characters out of range.
    EXPECT_EQ(PwdDecryptStr(u"", u""), u"");
    EXPECT_EQ(PwdDecryptStr(u"abcdefghij", u""), u"");
    String Text = PwdEncryptStr(u"hello", u"", 5, 1);
    String Bad = Text;
    Bad[9] = char16_t(Bad[4] - 5);  // hash index 5
    EXPECT_EQ(PwdDecryptStr(Bad, u""), u"");
    Bad[9] = char16_t(Bad[4] + 1);  // hash index -1
    EXPECT_EQ(PwdDecryptStr(Bad, u""), u"");
    Bad = Text;
    Bad[8] = char16_t(Bad[3] - 9);  // cipher index 9
    EXPECT_EQ(PwdDecryptStr(Bad, u""), u"");
    // An IV shorter than the block.
    EXPECT_EQ(PwdDecryptStr(Text.substr(0, 20), u""), u"");
    // A damaged body still gives text, without error.
    Bad = Text;
    Bad[27] = u'\u4e2d';
    EXPECT_NO_THROW(PwdDecryptStr(Bad, u""));

    // Streams: below 10 bytes; the bare header of RC4 (no data); a header
    // without its IV; an unknown index.
    EXPECT_EQ(Decrypted(RawByteString(9, 'a'), u""), "");
    const RawByteString Rc4 = Encrypted("abc", u"", 6, 0);
    EXPECT_EQ(Decrypted(Rc4.substr(0, 10), u""), "");
    EXPECT_EQ(Decrypted(Rc4, u""), "abc");
    const RawByteString Cast = Encrypted("abc", u"", 1, 2);
    EXPECT_EQ(Decrypted(Cast.substr(0, 10), u""), "");
    EXPECT_EQ(Decrypted(Cast.substr(0, 17), u""), "");
    RawByteString Unknown = Cast;
    Unknown[8] = char(uint8_t(Unknown[4] + 9));
    EXPECT_EQ(Decrypted(Unknown, u""), "");
    EXPECT_EQ(PwdDecryptStream(u"", nullptr), "");
}

TEST(HyCrypUtils, RandomChoiceIsReadable)
{
    bool SawCipher[9] = {}, SawHash[5] = {};
    for (int i = 0; i < 200; ++i) {
        const String Text = PwdEncryptStrRandom(u"doc info", u"");
        ASSERT_GE(Text.size(), 14u);
        SawCipher[Text[3] - Text[8]] = true;
        SawHash[Text[4] - Text[9]] = true;
        EXPECT_EQ(PwdDecryptStr(Text, u""), u"doc info");
    }
    for (bool b : SawCipher) EXPECT_TRUE(b);
    for (bool b : SawHash) EXPECT_TRUE(b);
    EXPECT_EQ(PwdEncryptStrRandom(u"", u""), u"");
}

TEST(HyCrypUtils, FreshSaltsEveryCall)
{
    const RawByteString a = Encrypted("same", u"", 1, 2), b = Encrypted("same", u"", 1, 2);
    EXPECT_NE(a.substr(0, 8), b.substr(0, 8));
    EXPECT_NE(PwdEncryptStr(u"same", u"", 1, 2), PwdEncryptStr(u"same", u"", 1, 2));
}

TEST(HyCrypUtils, KeyEncryptStr)
{
    EXPECT_EQ(KeyEncryptStr(u""), u"");
    const String a = KeyEncryptStr(u"table key");
    EXPECT_EQ(a, KeyEncryptStr(u"table key"));
    EXPECT_NE(a, KeyEncryptStr(u"table kez"));
    EXPECT_EQ(a.size(), size_t((18 + 2) / 3 * 4));  // Base64 of 18 bytes
    // A password usable by the formats.
    EXPECT_EQ(PwdDecryptStr(PwdEncryptStr(u"v", a, 1, 2), a), u"v");
}

// Samples written once by this unit: every build must read them to the same
// plain data, so files move between builds and versions.
TEST(HyCrypUtils, FixedSamplesReadInEveryBuild)
{
    const UTF8String Table = "<table version=\"1\">\r\n\xe4\xb8\xad</table>";
    const char* Streams[] = {
        // CAST-128 and SHA-1 (the table files), Blowfish and HAVAL, RC4 and SHA-512.
        "1cb5221fbc948b37bd968a4c6aaba70e0fd0e24a15be9c230e7ecffab32524f7172ac84e9bb636d0fd42ed0296b1822b2091",
        "3febefc09ae23eda9ae2d8dc0f78c21863fb7c3cbdbba97f02591f6aebc1c6d9142b266254a8739908e5f11eb6819f527b03",
        "860fa0e67023dccd7627dbaae7c77a66c38912664d23e910de6aa8e91dab41153c5cef21db920630646c",
    };
    for (const char* Hex : Streams) {
        RawByteString Bytes;
        for (const char* p = Hex; p[0] && p[1]; p += 2) Bytes += char(std::stoi(std::string(p, 2), nullptr, 16));
        EXPECT_EQ(Decrypted(Bytes, u""), Table) << Hex;
    }
    // Rijndael and MD5 (the text-mode table files), Blowfish and HAVAL (the
    // file pack), Twofish and SHA-256.
    for (const String& Text : {String(u"bvML3bBfG2RVHuP5zYwggKyL3IVi77FxDYAOGvt4FgO586gD4JVii/MOGo6aA="),
                               String(u"RWKpEfEcpEtXjolK2ehq9HTiwSUfPi4elUPwXm0d8qug0fQWdXzJI="),
                               String(u"a8vwJP4BpG07loGL27eWt1z2IFcAZCZVpuq1KPBBSJVCowuPepLbHGnbZlAz4=")})
        EXPECT_EQ(PwdDecryptStr(Text, u"pw"), u"Gallery \u4e2d\u6587 42");
    EXPECT_EQ(KeyEncryptStr(u"key"), u"82lFC+Sw");
}
