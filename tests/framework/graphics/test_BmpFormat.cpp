#include "framework/graphics/BmpFormat.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

void Put16(std::vector<uint8_t>& b, uint32_t v)
{
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// The bytes of a BMP file, built field by field.
struct TBmpSpec {
    uint32_t InfoSize = 40;
    int32_t Width = 0, Height = 0;  // negative height: top-down
    uint16_t Bits = 24;
    uint32_t Compression = 0;
    std::vector<uint32_t> Masks;    // after a 40-byte header, or inside a larger one
    std::vector<uint32_t> Palette;  // 0x00RRGGBB
    uint32_t ClrUsed = 0;
    uint32_t SizeImage = 0;
    std::vector<uint8_t> Data;  // the pixel bytes as stored
    bool ZeroFileSize = false;
};

std::vector<uint8_t> MakeBmp(const TBmpSpec& s)
{
    std::vector<uint8_t> info;
    Put32(info, s.InfoSize);
    Put32(info, static_cast<uint32_t>(s.Width));
    Put32(info, static_cast<uint32_t>(s.Height));
    Put16(info, 1);
    Put16(info, s.Bits);
    Put32(info, s.Compression);
    Put32(info, s.SizeImage);
    Put32(info, 2835);
    Put32(info, 2835);
    Put32(info, s.ClrUsed);
    Put32(info, 0);
    if (s.InfoSize > 40) {
        for (size_t i = 0; i < 4; ++i) Put32(info, i < s.Masks.size() ? s.Masks[i] : 0);
        info.resize(s.InfoSize, 0);
    } else {
        for (uint32_t m : s.Masks) Put32(info, m);
    }
    for (uint32_t c : s.Palette) Put32(info, c);
    uint32_t off = static_cast<uint32_t>(14 + info.size());
    uint32_t total = off + static_cast<uint32_t>(s.Data.size());
    std::vector<uint8_t> file{'B', 'M'};
    Put32(file, s.ZeroFileSize ? 0 : total);
    Put32(file, 0);
    Put32(file, off);
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), s.Data.begin(), s.Data.end());
    return file;
}

// The same without the file header: a packed DIB.
std::vector<uint8_t> PackedDib(const TBmpSpec& s)
{
    const std::vector<uint8_t> File = MakeBmp(s);
    return std::vector<uint8_t>(File.begin() + 14, File.end());
}

std::vector<uint32_t> Pixels(const TDibImage& Image)
{
    std::vector<uint32_t> out(static_cast<size_t>(Image.Width) * Image.Height);
    for (Integer y = 0; y < Image.Height; ++y)
        DecodeScanline(Image.ScanLine(y), Image.PixelFormat, Image.Palette, Image.Width, out.data() + y * Image.Width);
    return out;
}

TDibImage Load(const std::vector<uint8_t>& Bytes, Int64* Position = nullptr)
{
    TMemoryStream ms;
    ms.WriteBuffer(Bytes.data(), static_cast<Integer>(Bytes.size()));
    ms.SetPosition(0);
    TDibImage img;
    ReadBmp(&ms, img);
    if (Position) *Position = ms.Position();
    return img;
}

constexpr uint32_t O = 0xFF000000u;  // opaque

}  // namespace

TEST(BmpFormat, ReadsEveryVariant)
{
    const uint32_t red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF, white = 0xFFFFFF;
    struct Case {
        const char* Name;
        TBmpSpec Spec;
        TPixelFormat Format;
        std::vector<uint32_t> Expected;  // top row first
    };
    std::vector<Case> cases;
    {  // 1 bit, 9 pixels wide (a second byte per row), bottom-up
        TBmpSpec s;
        s.Width = 9, s.Height = 2, s.Bits = 1, s.Palette = {red, blue};
        s.Data = {0x80, 0x80, 0, 0,   // bottom row: pixel 0 and 8 set
                  0x7F, 0x00, 0, 0};  // top row: pixels 1..7 set
        std::vector<uint32_t> e(18, O | red);
        for (int x = 1; x <= 7; ++x) e[x] = O | blue;
        e[9] = e[17] = O | blue;
        cases.push_back({"1 bit", s, pf1bit, e});
    }
    {  // 4 bits, top-down, a short colour table (ClrUsed 3)
        TBmpSpec s;
        s.Width = 3, s.Height = -1, s.Bits = 4, s.ClrUsed = 3, s.Palette = {red, green, blue};
        s.Data = {0x01, 0x20, 0, 0};
        cases.push_back({"4 bits", s, pf4bit, {O | red, O | green, O | blue}});
    }
    {  // 8 bits with a 108-byte header
        TBmpSpec s;
        s.InfoSize = 108, s.Width = 2, s.Height = 2, s.Bits = 8, s.ClrUsed = 2, s.Palette = {white, green};
        s.Data = {1, 0, 0, 0, 0, 1, 0, 0};
        cases.push_back({"8 bits", s, pf8bit, {O | white, O | green, O | green, O | white}});
    }
    {  // RLE8: a run, a literal, end of line, a move, end of picture
        TBmpSpec s;
        s.Width = 4, s.Height = 3, s.Bits = 8, s.Compression = 1, s.ClrUsed = 3, s.Palette = {0, red, blue};
        s.Data = {3, 1, 0, 0,        // bottom row: 1 1 1, line end
                  0, 3, 2, 1, 2, 0,  // middle row: literal 2 1 2 (padded)
                  0, 2, 1, 1,        // move right 1 and up 1: past the top row's last pixel
                  0, 1};
        s.SizeImage = static_cast<uint32_t>(s.Data.size());
        cases.push_back({"RLE8", s, pf8bit,
                         {O, O, O, O, O | blue, O | red, O | blue, O, O | red, O | red, O | red, O}});
    }
    {  // RLE4: alternating run, odd literal, end
        TBmpSpec s;
        s.Width = 5, s.Height = 1, s.Bits = 4, s.Compression = 2, s.ClrUsed = 3, s.Palette = {0, red, green};
        s.Data = {2, 0x12, 0, 3, 0x21, 0x20, 0, 1};
        s.SizeImage = static_cast<uint32_t>(s.Data.size());
        cases.push_back({"RLE4", s, pf4bit, {O | red, O | green, O | green, O | red, O | green}});
    }
    {  // 16 bits 5-5-5 without masks
        TBmpSpec s;
        s.Width = 2, s.Height = 1, s.Bits = 16;
        s.Data = {0x00, 0x7C, 0x1F, 0x00};
        cases.push_back({"16 bits 555", s, pf15bit, {O | red, O | blue}});
    }
    {  // 16 bits 5-6-5 bit fields
        TBmpSpec s;
        s.Width = 2, s.Height = 1, s.Bits = 16, s.Compression = 3, s.Masks = {0xF800, 0x07E0, 0x001F};
        s.Data = {0xE0, 0x07, 0x00, 0xF8};
        cases.push_back({"16 bits 565", s, pf16bit, {O | green, O | red}});
    }
    {  // 16 bits 4-4-4-4 with alpha (a 56-byte header): read into 32 bits
        TBmpSpec s;
        s.InfoSize = 56, s.Width = 1, s.Height = 1, s.Bits = 16, s.Compression = 3;
        s.Masks = {0x0F00, 0x00F0, 0x000F, 0xF000};
        s.Data = {0x0F, 0x8F, 0, 0};  // alpha 8, red 15, green 0, blue 15
        cases.push_back({"16 bits 4444", s, pf32bit, {0x88FF00FF}});
    }
    {  // 24 bits top-down with row padding
        TBmpSpec s;
        s.Width = 1, s.Height = -2, s.Bits = 24;
        s.Data = {0xFF, 0, 0, 0, 0, 0xFF, 0, 0};
        cases.push_back({"24 bits top-down", s, pf24bit, {O | blue, O | green}});
    }
    {  // 32 bits, the fourth byte kept
        TBmpSpec s;
        s.Width = 1, s.Height = 1, s.Bits = 32;
        s.Data = {1, 2, 3, 0x44};
        cases.push_back({"32 bits", s, pf32bit, {0x44030201}});
    }
    {  // 32 bits bit fields with alpha in a 124-byte header
        TBmpSpec s;
        s.InfoSize = 124, s.Width = 1, s.Height = 1, s.Bits = 32, s.Compression = 3;
        s.Masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
        s.Data = {1, 2, 3, 0x80};
        cases.push_back({"32 bits V5", s, pf32bit, {0x80030201}});
    }
    {  // 32 bits with the colours in other places: converted
        TBmpSpec s;
        s.Width = 1, s.Height = 1, s.Bits = 32, s.Compression = 3, s.Masks = {0xFF000000, 0xFF0000, 0xFF00};
        s.Data = {0x00, 0x30, 0x20, 0x10};  // red 0x10, green 0x20, blue 0x30
        cases.push_back({"32 bits other masks", s, pf32bit, {O | 0x102030}});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TDibImage img = Load(MakeBmp(c.Spec));
        EXPECT_EQ(img.PixelFormat, c.Format);
        EXPECT_EQ(img.Width, c.Spec.Width);
        EXPECT_EQ(img.Height, std::abs(c.Spec.Height));
        EXPECT_EQ(Pixels(img), c.Expected);
        // The same picture as another program puts it on the clipboard.
        const std::vector<uint8_t> dib = PackedDib(c.Spec);
        TDibImage packed;
        ReadPackedDib(dib.data(), dib.size(), packed);
        EXPECT_EQ(packed.PixelFormat, c.Format);
        EXPECT_EQ(Pixels(packed), c.Expected);
    }
}

// What another program put on the clipboard is checked against its own
// size before anything is read or allocated.
TEST(BmpFormat, RefusesDamagedPackedDibs)
{
    auto Good = [] {
        TBmpSpec s;
        s.Width = 2, s.Height = 2, s.Bits = 8, s.ClrUsed = 2, s.Palette = {0, 0xFFFFFF};
        s.Data = std::vector<uint8_t>(8, 1);
        return s;
    };
    struct Case {
        const char* Name;
        std::vector<uint8_t> Bytes;
    };
    std::vector<Case> cases;
    const std::vector<uint8_t> good = PackedDib(Good());
    for (size_t n : {size_t(0), size_t(3), size_t(4), size_t(39)})
        cases.push_back({"truncated header", std::vector<uint8_t>(good.begin(), good.begin() + n)});
    cases.push_back({"colour table cut", std::vector<uint8_t>(good.begin(), good.begin() + 44)});
    cases.push_back({"last pixel row cut", std::vector<uint8_t>(good.begin(), good.end() - 1)});
    auto With = [&](const char* Name, auto Change) {
        TBmpSpec s = Good();
        Change(s);
        cases.push_back({Name, PackedDib(s)});
    };
    With("header size 12", [](TBmpSpec& s) { s.InfoSize = 12; });
    With("header size 200", [](TBmpSpec& s) { s.InfoSize = 200; });
    With("negative width", [](TBmpSpec& s) { s.Width = -2; });
    With("height of -2^31", [](TBmpSpec& s) { s.Height = INT32_MIN; });
    With("huge size", [](TBmpSpec& s) { s.Width = 100000, s.Height = 100000; });
    With("size past the pixel bytes", [](TBmpSpec& s) { s.Width = 16384, s.Height = 16384, s.Bits = 32, s.Palette = {}; });
    With("colour table of 256 announced", [](TBmpSpec& s) { s.ClrUsed = 0; });
    With("optional palette past the data", [](TBmpSpec& s) { s.Bits = 24, s.ClrUsed = 1000; });
    With("palette count past 65536", [](TBmpSpec& s) { s.Bits = 32, s.ClrUsed = 70000; });
    With("2 bits per pixel", [](TBmpSpec& s) { s.Bits = 2; });
    With("bit fields of 8 bits", [](TBmpSpec& s) { s.Compression = 3; });
    With("bit fields without their masks", [](TBmpSpec& s) { s.Bits = 32, s.Compression = 3, s.Palette = {}, s.Data = {}; });
    With("run lengths top-down", [](TBmpSpec& s) { s.Compression = 1, s.Height = -2; });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TDibImage img;
        EXPECT_THROW(ReadPackedDib(c.Bytes.data(), c.Bytes.size(), img), EInvalidGraphic);
    }
    TDibImage img;
    ReadPackedDib(good.data(), good.size(), img);
    EXPECT_EQ(img.Width, 2);
}

TEST(BmpFormat, ConsumesExactlyTheFile)
{
    TBmpSpec s;
    s.Width = 1, s.Height = 1, s.Bits = 24, s.Data = {1, 2, 3, 0};
    std::vector<uint8_t> bytes = MakeBmp(s);
    size_t size = bytes.size();
    bytes.insert(bytes.end(), {'t', 'a', 'i', 'l'});
    Int64 pos = 0;
    Load(bytes, &pos);
    EXPECT_EQ(pos, static_cast<Int64>(size));

    // No file size in the header: up to the end of the pixels.
    s.ZeroFileSize = true;
    bytes = MakeBmp(s);
    bytes.insert(bytes.end(), 8, 0xEE);
    Load(bytes, &pos);
    EXPECT_EQ(pos, static_cast<Int64>(size));
}

TEST(BmpFormat, RefusesDamagedFiles)
{
    TBmpSpec s;
    s.Width = 100, s.Height = 100, s.Bits = 24, s.Data = std::vector<uint8_t>(10, 0);
    EXPECT_THROW(Load(MakeBmp(s)), EInvalidGraphic);  // claims more pixels than it holds

    std::vector<uint8_t> notBmp(80, 'x');
    EXPECT_THROW(Load(notBmp), EInvalidGraphic);
    EXPECT_THROW(Load({'B', 'M'}), EInvalidGraphic);

    TBmpSpec bad;
    bad.Width = 1, bad.Height = 1, bad.Bits = 7, bad.Data = {0, 0, 0, 0};
    EXPECT_THROW(Load(MakeBmp(bad)), EInvalidGraphic);
    bad.Bits = 24, bad.Compression = 4;  // JPEG inside
    EXPECT_THROW(Load(MakeBmp(bad)), EInvalidGraphic);
    bad.Compression = 1, bad.Height = -1;  // run-lengths cannot be top-down
    EXPECT_THROW(Load(MakeBmp(bad)), EInvalidGraphic);

    // A run-length picture whose few bytes claim an enormous size.
    TBmpSpec huge;
    huge.Width = 100000, huge.Height = 100000, huge.Bits = 8, huge.Compression = 1, huge.Data = {0, 1};
    huge.SizeImage = 2;
    EXPECT_THROW(Load(MakeBmp(huge)), EInvalidGraphic);
}

TEST(BmpFormat, RefusesHeadersTooShortForTheirMasks)
{
    // A 41- to 51-byte header with bit fields would have its masks read from
    // bytes 40..51, past its end (a 45-byte one makes a 59-byte file).
    for (uint32_t size = 41; size < 52; ++size)
        for (uint32_t compression : {3u, 6u}) {
            SCOPED_TRACE(testing::Message() << size << " " << compression);
            TBmpSpec s;
            s.InfoSize = size, s.Width = 1, s.Height = 1, s.Bits = 16, s.Compression = compression;
            std::vector<uint8_t> bytes = MakeBmp(s);
            ASSERT_EQ(bytes.size(), 14 + size);
            EXPECT_THROW(Load(bytes), EInvalidGraphic);
            const std::vector<uint8_t> dib(bytes.begin() + 14, bytes.end());
            TDibImage img;
            EXPECT_THROW(ReadPackedDib(dib.data(), dib.size(), img), EInvalidGraphic);
        }
    // 52 bytes hold the three masks.
    TBmpSpec s;
    s.InfoSize = 52, s.Width = 1, s.Height = 1, s.Bits = 16, s.Compression = 3, s.Masks = {0xF800, 0x07E0, 0x001F};
    s.Data = {0x1F, 0x00, 0, 0};
    TDibImage img = Load(MakeBmp(s));
    EXPECT_EQ(img.PixelFormat, pf16bit);
    EXPECT_EQ(Pixels(img), (std::vector<uint32_t>{O | 0xFF}));
}

TEST(BmpFormat, RunLengthBombsAreRefusedBeforeAllocating)
{
    // A few hundred bytes of runs claiming more pixels than the cap: refused
    // from the header, before the picture is allocated or a run decoded.
    struct TBomb {
        uint16_t Bits;
        uint32_t Compression;
        int32_t Width, Height;
        size_t FileSize;
    };
    const TBomb bombs[] = {{4, 2, 524288, 1023, 120}, {8, 1, 20000, 17000, 305}, {8, 1, 16385, 16384, 305}};
    for (const TBomb& b : bombs) {
        SCOPED_TRACE(b.Width);
        TBmpSpec s;
        s.Width = b.Width, s.Height = b.Height, s.Bits = b.Bits, s.Compression = b.Compression;
        s.ClrUsed = 2, s.Palette = {0, 0xFFFFFF};
        s.Data.resize(b.FileSize - 14 - 40 - 8);
        for (size_t i = 0; i + 1 < s.Data.size(); i += 2) s.Data[i] = 255, s.Data[i + 1] = 0x11;
        std::vector<uint8_t> bytes = MakeBmp(s);
        ASSERT_EQ(bytes.size(), b.FileSize);
        EXPECT_THROW(Load(bytes), EInvalidGraphic);
    }
    // Within the cap a picture of a few bytes is read; what its runs do not
    // reach keeps index 0.
    TBmpSpec s;
    s.Width = 4096, s.Height = 4096, s.Bits = 8, s.Compression = 1, s.ClrUsed = 2, s.Palette = {0, 0xFFFFFF};
    s.Data = {2, 1, 0, 1};
    TDibImage img = Load(MakeBmp(s));
    ASSERT_EQ(img.Width, 4096);
    EXPECT_EQ(img.ScanLine(4095)[1], 1);
    EXPECT_EQ(img.ScanLine(4095)[2], 0);
}

TEST(BmpFormat, RunLengthsStopSafelyAtDamage)
{
    // Runs past the right edge, moves past the top, a literal longer than the data.
    TBmpSpec s;
    s.Width = 2, s.Height = 2, s.Bits = 8, s.Compression = 1, s.ClrUsed = 2, s.Palette = {0, 0xFFFFFF};
    s.Data = {200, 1, 0, 2, 0, 9, 0, 200, 1};
    s.SizeImage = static_cast<uint32_t>(s.Data.size());
    TDibImage img = Load(MakeBmp(s));
    EXPECT_EQ(Pixels(img), (std::vector<uint32_t>{O, O, O | 0xFFFFFF, O | 0xFFFFFF}));
}

TEST(BmpFormat, WritesAndReadsBackEveryFormat)
{
    // 5 x 3 pixels of 6 colours: every format holds them within its precision.
    const uint32_t colors[6] = {0xFF000000, 0xFFFFFFFF, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF808080};
    TDibImage src;
    src.Allocate(5, 3, pf32bit);
    std::vector<uint32_t> px(15);
    for (int i = 0; i < 15; ++i) px[i] = colors[(i * 7) % 6];
    for (int y = 0; y < 3; ++y) EncodeScanline(px.data() + 5 * y, pf32bit, 5, src.ScanLine(y));

    for (TPixelFormat f : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
        SCOPED_TRACE(f);
        TDibImage conv = ConvertDib(src, f);
        TMemoryStream ms;
        WriteBmp(&ms, conv);
        EXPECT_EQ(ms.Size(), ms.Position());
        ms.SetPosition(0);
        TDibImage back;
        ReadBmp(&ms, back);
        EXPECT_EQ(back.PixelFormat, f);
        EXPECT_EQ(back.Bits, conv.Bits);
        std::vector<uint32_t> got = Pixels(back);
        for (int i = 0; i < 15; ++i) {
            if (f == pf1bit) {
                // More than two colours: black and white only.
                EXPECT_TRUE((got[i] & 0xFFFFFF) == 0 || (got[i] & 0xFFFFFF) == 0xFFFFFF);
                continue;
            }
            for (int k = 0; k < 24; k += 8) {
                int d = static_cast<int>((got[i] >> k) & 0xFF) - static_cast<int>((px[i] >> k) & 0xFF);
                EXPECT_LE(std::abs(d), f == pf15bit || f == pf16bit ? 4 : 0) << "pixel " << i;
            }
        }
    }
}

TEST(BmpFormat, SixteenBitValuesSurviveARoundTrip)
{
    // Every 16-bit value expanded to 8 bits per channel and packed again is itself.
    for (TPixelFormat f : {pf15bit, pf16bit}) {
        Integer n = f == pf15bit ? 32768 : 65536;
        std::vector<uint8_t> row(2 * n), again(2 * n);
        for (Integer v = 0; v < n; ++v) {
            row[2 * v] = static_cast<uint8_t>(v);
            row[2 * v + 1] = static_cast<uint8_t>(v >> 8);
        }
        std::vector<uint32_t> px(n);
        DecodeScanline(row.data(), f, {}, n, px.data());
        EncodeScanline(px.data(), f, n, again.data());
        EXPECT_EQ(row, again) << f;
    }
}

TEST(BmpFormat, WrittenLayout)
{
    TDibImage img;
    img.Allocate(2, 1, pf16bit);
    TMemoryStream ms;
    WriteBmp(&ms, img);
    const uint8_t* b = static_cast<const uint8_t*>(ms.Memory());
    ASSERT_EQ(ms.Size(), 14 + 40 + 12 + 4);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[10], 66);  // pixels after header and masks
    EXPECT_EQ(b[14 + 16], 3);  // bit fields

    // An empty picture is a header alone and reads back empty.
    TDibImage empty;
    TMemoryStream es;
    WriteBmp(&es, empty);
    EXPECT_EQ(es.Size(), 54);
    es.SetPosition(0);
    TDibImage back;
    ReadBmp(&es, back);
    EXPECT_TRUE(back.Empty());
}

TEST(BmpFormat, PackedDib)
{
    TDibImage img;
    img.Allocate(3, 2, pf8bit);
    img.Palette = DefaultPalette(pf8bit);
    img.ScanLine(0)[2] = 5;
    std::vector<uint8_t> dib = MakePackedDib(img);
    TDibImage back;
    ReadPackedDib(dib.data(), dib.size(), back);
    EXPECT_EQ(back.Bits, img.Bits);
    EXPECT_EQ(back.Palette, img.Palette);
    EXPECT_THROW(ReadPackedDib(dib.data(), dib.size() - 1, back), EInvalidGraphic);
}
