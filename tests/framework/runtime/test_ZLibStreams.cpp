#include <gtest/gtest.h>

#include "framework/runtime/ZLibStreams.h"

namespace {

std::string Compress(const std::string& Data, TCompressionLevel Level = clMax)
{
    TMemoryStream out;
    {
        TCompressionStream c(Level, &out);
        if (!Data.empty()) c.WriteBuffer(Data.data(), static_cast<Integer>(Data.size()));
        c.Finish();
    }
    return std::string(static_cast<char*>(out.Memory()), static_cast<size_t>(out.Size()));
}

std::string DecompressAll(const std::string& Z)
{
    TStringStream src{RawByteString(Z)};
    TDecompressionStream d(&src);
    std::string r;
    char buf[1000];
    Integer n;
    while ((n = d.Read(buf, sizeof buf)) > 0) r.append(buf, n);
    return r;
}

// Compressible but not trivial: words from a small vocabulary in a random order.
std::string Sample(size_t Size)
{
    static const char* words[] = {"alpha ", "beta ", "gamma ", "delta\r\n", "\x01\x02\x03", "pixel "};
    std::string s;
    s.reserve(Size);
    uint32_t x = 1;
    while (s.size() < Size) {
        x = x * 1103515245u + 12345u;
        s += words[(x >> 16) % 6];
        if ((x & 0xFF) == 7) s += static_cast<char>(x >> 8);
    }
    s.resize(Size);
    return s;
}

}  // namespace

TEST(ZLibStreams, RoundTripOfTenMegabytesIsExact)
{
    std::string data = Sample(10 * 1024 * 1024);
    std::string z = Compress(data);
    ASSERT_EQ(static_cast<uint8_t>(z[0]), 0x78);
    ASSERT_EQ(static_cast<uint8_t>(z[1]), 0xDA);  // the header of the highest level
    EXPECT_LT(z.size(), data.size() / 4);
    EXPECT_EQ(DecompressAll(z), data);
}

TEST(ZLibStreams, EmptyAndLevels)
{
    EXPECT_EQ(DecompressAll(Compress("")), "");
    std::string data = Sample(50000);
    for (TCompressionLevel l : {clNone, clFastest, clDefault, clMax}) EXPECT_EQ(DecompressAll(Compress(data, l)), data);
}

TEST(ZLibStreams, StopsAtTheEndAndIgnoresTrailingBytes)
{
    std::string data = Sample(20000);
    std::string z = Compress(data) + "TRAILING GARBAGE";
    EXPECT_EQ(DecompressAll(z), data);
    TStringStream src{RawByteString(z)};
    TDecompressionStream d(&src);
    std::string buf(30000, '\0');
    EXPECT_EQ(d.Read(buf.data(), 30000), 20000);  // fewer than asked
    EXPECT_EQ(d.Read(buf.data(), 10), 0);          // then nothing
}

TEST(ZLibStreams, DamagedOrCutDataRaises)
{
    std::string data = Sample(100000);
    std::string z = Compress(data);
    std::string damaged = z;
    damaged[z.size() / 2] ^= 0x55;
    damaged[z.size() / 2 + 1] ^= 0x33;
    EXPECT_THROW(DecompressAll(damaged), EDecompressionError);
    std::string badHeader = z;
    badHeader[0] = 0x12;
    try {
        DecompressAll(badHeader);
        FAIL();
    } catch (const EDecompressionError& e) {
        EXPECT_EQ(e.Message(), u"compression error");
    }
    EXPECT_THROW(DecompressAll(z.substr(0, z.size() - 10)), EDecompressionError);  // cut short
    std::string badSum = z;
    badSum.back() ^= 1;
    EXPECT_THROW(DecompressAll(badSum), EDecompressionError);
    EXPECT_THROW(DecompressAll(""), EDecompressionError);
}

TEST(ZLibStreams, SeekRules)
{
    TMemoryStream out;
    TCompressionStream c(clMax, &out);
    std::string data = Sample(1000);
    c.WriteBuffer(data.data(), 1000);
    EXPECT_EQ(c.Seek(0, soCurrent), 1000);
    EXPECT_THROW(c.Seek(1, soCurrent), ECompressionError);
    char b;
    try {
        c.Read(&b, 1);
        FAIL();
    } catch (const ECompressionError& e) {
        EXPECT_EQ(e.Message(), u"Invalid stream operation");
    }
    c.Finish();
    EXPECT_GT(c.CompressionRate(), 0);

    // The zlib stream starts at offset 3 of the source: a restart goes back there.
    TMemoryStream src;
    src.WriteBuffer("xyz", 3);
    out.SaveToStream(&src);
    src.SetPosition(3);
    TDecompressionStream d(&src);
    char piece[10];
    d.ReadBuffer(piece, 10);
    EXPECT_EQ(d.Seek(100, soCurrent), 110);
    EXPECT_EQ(d.Seek(500, soBeginning), 500);
    EXPECT_THROW(d.Seek(400, soBeginning), EDecompressionError);
    EXPECT_THROW(d.Seek(0, soEnd), EDecompressionError);
    EXPECT_EQ(d.Seek(0, soBeginning), 0);
    d.ReadBuffer(piece, 10);
    EXPECT_EQ(std::string(piece, 10), data.substr(0, 10));
    EXPECT_THROW(d.Write(piece, 1), EDecompressionError);
}

TEST(ZLibStreams, HelpersAndProgress)
{
    std::string data = Sample(100000);
    TMemoryStream src, packed;
    src.WriteBuffer(data.data(), static_cast<Integer>(data.size()));
    ZCompressStream(&src, &packed);
    TMemoryStream unpacked;
    int progress = 0;
    ZDecompressStream(&unpacked, &packed);
    EXPECT_EQ(std::string(static_cast<char*>(unpacked.Memory()), static_cast<size_t>(unpacked.Size())), data);

    packed.SetPosition(0);
    TDecompressionStream d(&packed);
    d.OnProgress = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &d);
        ++progress;
    };
    std::string all(data.size(), '\0');
    d.ReadBuffer(all.data(), static_cast<Integer>(all.size()));
    EXPECT_EQ(progress, static_cast<int>((packed.Size() + 8191) / 8192));
}

namespace {
// A destination that takes only so many bytes, like a full disk.
struct TFullStream : TMemoryStream {
    Integer Room;
    explicit TFullStream(Integer R) : Room(R) {}
    Integer Write(const void* Buffer, Integer Count) override
    {
        Integer n = std::min(Count, Room);
        Room -= n;
        return n > 0 ? TMemoryStream::Write(Buffer, n) : 0;
    }
};
}  // namespace

TEST(ZLibStreams, FinishReportsAFullDestination)
{
    std::string data = Sample(200000);
    TFullStream dest(100);
    TCompressionStream c(clMax, &dest);
    // The compressed data may or may not fill a buffer while writing; it must fail by the end.
    EXPECT_THROW(
        {
            c.WriteBuffer(data.data(), static_cast<Integer>(data.size()));
            c.Finish();
        },
        EWriteError);
}
