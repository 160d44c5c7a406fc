// The five hashes against the published digests, their padding boundaries,
// buffering and misuse.
#include "foundation/crypto/Crypt_Haval.h"
#include "foundation/crypto/Crypt_MD5.h"
#include "foundation/crypto/Crypt_PiTable.h"
#include "foundation/crypto/Crypt_SHA1.h"
#include "foundation/crypto/Crypt_SHA256.h"
#include "foundation/crypto/Crypt_SHA512.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "CryptTestData.h"

using namespace CryptTest;

namespace {

std::unique_ptr<TCrypt_hash> MakeHash(const std::string& Name)
{
    if (Name == "MD5") return std::make_unique<TCrypt_md5>(nullptr);
    if (Name == "SHA-1") return std::make_unique<TCrypt_sha1>(nullptr);
    if (Name == "SHA-256") return std::make_unique<TCrypt_sha256>(nullptr);
    if (Name == "SHA-512") return std::make_unique<TCrypt_sha512>(nullptr);
    if (Name == "HAVAL") return std::make_unique<TCrypt_haval>(nullptr);
    return nullptr;
}

std::string Digest(TCrypt_hash& Hash, const std::string& Message)
{
    Bytes Out(size_t(Hash.HashSize() / 8));
    Hash.Init();
    Hash.UpdateStr(Message);
    Hash.Final(Out.data());
    return ToHex(Out);
}

// Counts the compressions a hash runs, to see where padding needs an extra block.
template <class T>
class TCounted : public T {
public:
    TCounted() : T(nullptr) {}
    int Blocks = 0;

protected:
    void Compress() override
    {
        ++Blocks;
        T::Compress();
    }
};

// HAVAL with the published padding byte 0x01.
class TPublishedHaval : public TCrypt_haval {
public:
    TPublishedHaval() : TCrypt_haval(nullptr) {}
    void Final(void* Digest) override { FinalPadded(Digest, 0x01); }
};

}  // namespace

TEST(CryptHashes, PublishedDigests)
{
    int Checked = 0;
    for (const char* Prefix : {"MD5", "SHA-1,", "SHA-256", "SHA-512"}) {
        for (const std::string& Line : Section("hashes.txt", Prefix)) {
            if (Line.find('\t') == std::string::npos) continue;  // a constants table
            // ALGORITHM <tab> "message" or N x "c" <tab> digest
            const size_t t1 = Line.find('\t'), t2 = Line.rfind('\t');
            const std::string Alg = Line.substr(0, t1);
            const std::string Msg = Line.substr(t1 + 1, t2 - t1 - 1);
            const std::string Expected = Line.substr(t2 + 1);
            auto Hash = MakeHash(Alg);
            ASSERT_TRUE(Hash) << Line;
            std::string Message;
            if (Msg[0] == '"') {
                Message = Msg.substr(1, Msg.size() - 2);
            } else {
                const size_t x = Msg.find(" x \"");
                Message.assign(size_t(std::stoul(Msg.substr(0, x))), Msg[x + 4]);
            }
            EXPECT_EQ(Digest(*Hash, Message), Expected) << Line;
            ++Checked;
        }
    }
    EXPECT_EQ(Checked, 17);  // 7 MD5, 3 SHA-1, 4 SHA-256, 3 SHA-512
}

TEST(CryptHashes, EmptyMessages)
{
    // The well-known digests of the empty message for the two the files lack.
    TCrypt_sha1 Sha1(nullptr);
    EXPECT_EQ(Digest(Sha1, ""), "da39a3ee5e6b4b0d3255bfef95601890afd80709");
    TCrypt_sha512 Sha512(nullptr);
    EXPECT_EQ(Digest(Sha512, ""),
              "cf83e1357eefb8bdf1542850d66d8007d620e4050b5715dc83f4a921d36ce9ce"
              "47d0d13c5d85f2b0ff8318d2877eec2f63b931bd47417a81a538327af927da3e");
}

TEST(CryptHashes, HavalVariantAndPublishedPadding)
{
    TCrypt_haval Haval(nullptr);
    EXPECT_EQ(Digest(Haval, "abcdefghijklmnopqrstuvwxyz"),
              "1a1dc8099bdaa7f35b4da4e805f1a28fee909d8dee920198185cbcaed8a10a8d");
    EXPECT_EQ(Digest(Haval, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
              "c5647fc6c1877fff96742f27e9266b6874894f41a08f5913033d9d532aeddb39");
    // The same compression with the published padding byte gives the published value.
    TPublishedHaval Published;
    EXPECT_EQ(Digest(Published, ""),
              "be417bb4dd5cfb76c7126f4f8eeb1553a449039307b1a3cd451dbfdc0fbbe330");
}

TEST(CryptHashes, PaddingNeedsAnExtraBlockAtTheBoundary)
{
    struct Case {
        std::function<int(size_t)> Blocks;
        size_t Fits, Spills;
    } Cases[] = {
        {[](size_t n) { TCounted<TCrypt_md5> h; Digest(h, std::string(n, 'a')); return h.Blocks; }, 55, 56},
        {[](size_t n) { TCounted<TCrypt_sha1> h; Digest(h, std::string(n, 'a')); return h.Blocks; }, 55, 56},
        {[](size_t n) { TCounted<TCrypt_sha256> h; Digest(h, std::string(n, 'a')); return h.Blocks; }, 55, 56},
        {[](size_t n) { TCounted<TCrypt_sha512> h; Digest(h, std::string(n, 'a')); return h.Blocks; }, 111, 112},
        {[](size_t n) { TCounted<TCrypt_haval> h; Digest(h, std::string(n, 'a')); return h.Blocks; }, 117, 118},
    };
    for (const Case& c : Cases) {
        EXPECT_EQ(c.Blocks(c.Fits), 1);
        EXPECT_EQ(c.Blocks(c.Spills), 2);
        EXPECT_EQ(c.Blocks(0), 1);
    }
    // HAVAL's 128-byte block has room for its 10-byte field at 55 and 56 as well.
    EXPECT_EQ(Cases[4].Blocks(55), 1);
    EXPECT_EQ(Cases[4].Blocks(56), 1);
    EXPECT_EQ(Cases[4].Blocks(128 + 117), 2);
    EXPECT_EQ(Cases[4].Blocks(128 + 118), 3);
}

TEST(CryptHashes, PiecewiseUpdatesGiveTheSameDigest)
{
    std::string Message;
    for (int i = 0; i < 1000; ++i) Message += char(i * 7 + 3);
    for (const char* Name : {"MD5", "SHA-1", "SHA-256", "SHA-512", "HAVAL"}) {
        auto Hash = MakeHash(Name);
        const std::string Whole = Digest(*Hash, Message);
        for (size_t Piece : {1u, 3u, 63u, 64u, 65u, 127u, 128u, 129u, 500u}) {
            Bytes Out(size_t(Hash->HashSize() / 8));
            Hash->Init();
            for (size_t i = 0; i < Message.size(); i += Piece)
                Hash->Update(Message.data() + i, Cardinal(std::min(Piece, Message.size() - i)));
            Hash->Final(Out.data());
            EXPECT_EQ(ToHex(Out), Whole) << Name << " in pieces of " << Piece;
        }
    }
}

TEST(CryptHashes, TextAndStreamInput)
{
    TCrypt_sha1 Hash(nullptr);
    // A UTF-16 text is hashed as its little-endian bytes.
    Bytes Wide(20), Narrow(20);
    Hash.Init();
    Hash.UpdateStr(String(u"a\u4E2D"));
    Hash.Final(Wide.data());
    Hash.Init();
    Hash.UpdateStr(AnsiString("a\0\x2D\x4E", 4));
    Hash.Final(Narrow.data());
    EXPECT_EQ(Wide, Narrow);

    // A stream is read in chunks from its position; the size asked for bounds it.
    std::string Data(20000, 'q');
    for (size_t i = 0; i < Data.size(); ++i) Data[i] = char(i * 31);
    TMemoryStream Stream;
    Stream.WriteBuffer(Data.data(), Integer(Data.size()));
    Stream.SetPosition(100);
    Hash.Init();
    Hash.UpdateStream(&Stream, 19000);
    Hash.Final(Wide.data());
    EXPECT_EQ(ToHex(Wide), Digest(Hash, Data.substr(100, 19000)));
    // Asking for more than is left hashes what the reads returned.
    Stream.SetPosition(19990);
    Hash.Init();
    Hash.UpdateStream(&Stream, 8192 + 5);
    Hash.Final(Wide.data());
    EXPECT_EQ(ToHex(Wide), Digest(Hash, Data.substr(19990)));
}

TEST(CryptHashes, UseWithoutInitRaises)
{
    for (const char* Name : {"MD5", "SHA-1", "SHA-256", "SHA-512", "HAVAL"}) {
        auto Hash = MakeHash(Name);
        uint8_t Out[64];
        EXPECT_THROW(Hash->Update("x", 1), ECrypt_hash) << Name;
        Hash->Init();
        Hash->Final(Out);
        try {
            Hash->Final(Out);
            ADD_FAILURE() << Name << ": a second Final must raise";
        } catch (const ECrypt_hash& E) {
            EXPECT_EQ(E.Message(), u"Hash not initialized");
        }
        Hash->Init();
        Hash->Burn();
        EXPECT_THROW(Hash->Update("x", 1), ECrypt_hash) << Name;
    }
}

TEST(CryptHashes, ClassValuesAndSelfTests)
{
    struct Case {
        TCrypt_hashclass Class;
        Integer Id;
        String Algorithm;
        Integer HashSize;
    } Cases[] = {
        {HashClassOf<TCrypt_haval>(), 14, u"Haval (256bit, 5 passes)", 256},
        {HashClassOf<TCrypt_md5>(), 16, u"MD5", 128},
        {HashClassOf<TCrypt_sha1>(), 2, u"SHA1", 160},
        {HashClassOf<TCrypt_sha256>(), 28, u"SHA256", 256},
        {HashClassOf<TCrypt_sha512>(), 30, u"SHA512", 512},
    };
    for (const Case& c : Cases) {
        EXPECT_EQ(c.Class->GetId(), c.Id);
        EXPECT_EQ(c.Class->GetAlgorithm(), c.Algorithm);
        EXPECT_EQ(c.Class->GetHashSize(), c.HashSize);
        EXPECT_TRUE(c.Class->SelfTest()) << c.Id;
        std::unique_ptr<TCrypt_hash> Hash(c.Class->Create(nullptr));
        EXPECT_EQ(Hash->Id(), c.Id);
        EXPECT_EQ(Hash->Algorithm(), c.Algorithm);
        EXPECT_EQ(Hash->HashSize(), c.HashSize);
    }
}

// Every word of the table is the fraction of pi, recomputed here with
// Machin's formula (pi = 16 atan(1/5) - 4 atan(1/239)) in fixed point.
TEST(CryptHashes, PiTableIsThePiFraction)
{
    const int Limbs = PiFractionWords + 2;  // 32-bit fraction limbs, two guard limbs
    using Fixed = std::vector<uint32_t>;   // limb 0 = integer part
    auto DivSmall = [](Fixed& a, uint32_t d) {
        uint64_t r = 0;
        for (uint32_t& limb : a) {
            const uint64_t cur = r << 32 | limb;
            limb = uint32_t(cur / d);
            r = cur % d;
        }
    };
    auto AddSub = [](Fixed& a, const Fixed& b, bool Sub) {
        uint64_t carry = 0;
        for (size_t i = a.size(); i-- > 0;) {
            if (Sub) {
                const uint64_t t = uint64_t(a[i]) - b[i] - carry;
                a[i] = uint32_t(t);
                carry = (t >> 63) & 1;
            } else {
                const uint64_t t = uint64_t(a[i]) + b[i] + carry;
                a[i] = uint32_t(t);
                carry = t >> 32;
            }
        }
    };
    auto IsZero = [](const Fixed& a) {
        for (uint32_t limb : a)
            if (limb) return false;
        return true;
    };
    auto Atan = [&](uint32_t x, uint32_t Scale) {
        Fixed Sum(Limbs + 1, 0), Term(Limbs + 1, 0), Part;
        Term[0] = Scale;
        DivSmall(Term, x);
        Sum = Term;
        for (uint32_t n = 3, k = 1; !IsZero(Term); n += 2, ++k) {
            DivSmall(Term, x * x);
            Part = Term;
            DivSmall(Part, n);
            AddSub(Sum, Part, k % 2 == 1);
        }
        return Sum;
    };
    Fixed Pi = Atan(5, 16);
    AddSub(Pi, Atan(239, 4), true);
    ASSERT_EQ(Pi[0], 3u);
    for (int i = 0; i < PiFractionWords; ++i) ASSERT_EQ(PiFraction[i], Pi[i + 1]) << "word " << i;
}
