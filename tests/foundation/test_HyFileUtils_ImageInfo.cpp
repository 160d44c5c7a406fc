// Image kinds by extension, the fitting rule and the sizes picture headers
// claim, read without decoding.
#include <gtest/gtest.h>

#include <string>

#include "TempFolder.h"
#include "foundation/HyFileUtils_ImageInfo.h"

TEST(HyFileUtils_ImageInfo, TypeByExtension)
{
    struct {
        const char16_t* Name;
        TImageFormat Format;
    } const Cases[] = {
        {u"C:\\p\\a.bmp", ifBmp},  {u"b.PNG", ifPng},       {u"PHOTO.JPEG", ifJpg}, {u"a.Jpe", ifJpg},
        {u"c.jpg", ifJpg},         {u"anim.GiF", ifGif},    {u"x.tif", ifTiff},     {u"x.TIFF", ifTiff},
        {u"m.emf", ifEmf},         {u"x.wmf", ifUnknown},   {u"x.ico", ifUnknown},  {u"noext", ifUnknown},
        {u"dot.", ifUnknown},      {u"C:\\a.png\\b", ifUnknown}, {u"a.jpeg.txt", ifUnknown},
    };
    for (const auto& C : Cases) EXPECT_EQ(GetImageTypeByExt(C.Name), C.Format) << UTF8Encode(C.Name);
}

TEST(HyFileUtils_ImageInfo, ExtensionTextOfType)
{
    struct {
        Byte Format;
        const char16_t* Ext;
    } const Cases[] = {
        {ifBmp, u"bmp"}, {ifPng, u"png"},   {ifJpg, u"jpg"}, {ifGif, u"gif"},  {ifUnknown, u""},
        {ifWmf, u"wmf"}, {ifEmf, u"emf"},   {ifTiff, u"tiff"}, {ifIco, u"ico"},
        {0x82, u"jpg"},  // only the low 7 bits count
        {9, u"keep"},    {0x7F, u"keep"},   {0x89, u"keep"},  // above 8: unchanged
    };
    for (const auto& C : Cases) {
        String Ext = u"keep";
        GetImageTypeExt(C.Format, Ext);
        EXPECT_EQ(Ext, C.Ext) << int(C.Format);
    }
}

TEST(HyFileUtils_ImageInfo, FitSize)
{
    struct {
        Integer W, H, BoxW, BoxH, NewW, NewH;
    } const Cases[] = {
        {100, 50, 200, 200, 100, 50},   // fits: kept, never enlarged
        {400, 200, 100, 100, 100, 50},  // wider
        {200, 400, 100, 100, 50, 100},  // taller
        {1000, 1, 10, 10, 10, 1},       // raised from 0
        {1, 1000, 10, 10, 1, 10},
        {160, 120, 160, 120, 160, 120},
        {6000, 4000, 160, 120, 160, 106},  // 160 / 6000 * 4000 = 106.67, truncated
        {4000, 6000, 160, 120, 80, 120},
        {300, 100, 300, 50, 150, 50},   // same aspect as the box: the height fills it
        {50, 300, 100, 10, 1, 10},      // 10 / 300 * 50 = 1.67
        {7, 3, 0, 0, 1, 1},             // an empty box still gives 1 x 1
    };
    for (const auto& C : Cases) {
        Integer W = -1, H = -1;
        FitSize(C.W, C.H, C.BoxW, C.BoxH, W, H);
        EXPECT_EQ(W, C.NewW) << C.W << "x" << C.H << " in " << C.BoxW << "x" << C.BoxH;
        EXPECT_EQ(H, C.NewH) << C.W << "x" << C.H << " in " << C.BoxW << "x" << C.BoxH;
    }
}

TEST(HyFileUtils_ImageInfo, AllocatableSizes)
{
    // Only what a bitmap cannot hold is refused: the document's own limit of
    // 30,000,000 pixels is its callers' business.
    struct {
        Int64 W, H;
        bool Allowed;
    } const Cases[] = {
        {6000, 5000, true},        {6001, 5000, true},        {7000, 5000, true},
        {MaxBitmapPixels, 1, true}, {1, MaxBitmapPixels + 1, false}, {100000, 100000, false},
        {0, 10, false},            {10, 0, false},            {-5, -5, false},
        {Int64(1) << 32, Int64(1) << 32, false}, {8192, 8192, true}, {8192, 8193, false}, {23170, 23170, false},
        {65535, 65535, false}, {1, 1, true},
    };
    for (const auto& C : Cases) EXPECT_EQ(ImageSizeAllocatable(C.W, C.H), C.Allowed) << C.W << "x" << C.H;
}

namespace {

std::string Le16(uint32_t V) { return {char(V & 0xFF), char(V >> 8)}; }
std::string Le32(uint32_t V) { return Le16(V & 0xFFFF) + Le16(V >> 16); }
std::string Be16(uint32_t V) { return {char(V >> 8), char(V & 0xFF)}; }
std::string Be32(uint32_t V) { return Be16(V >> 16) + Be16(V & 0xFFFF); }

std::string Png(uint32_t W, uint32_t H)
{
    return std::string("\x89PNG\r\n\x1A\n", 8) + Be32(13) + "IHDR" + Be32(W) + Be32(H) + std::string("\x08\x06\0\0\0", 5);
}

std::string Jpeg(uint32_t W, uint32_t H, bool WithApp)
{
    std::string S("\xFF\xD8", 2);
    if (WithApp) S += std::string("\xFF\xE1", 2) + Be16(2 + 300) + std::string(300, 'x');  // an EXIF-like segment
    S += std::string("\xFF\xFF\xC4", 3) + Be16(2 + 3) + "abc";  // a table after fill bytes
    return S + std::string("\xFF\xC2", 2) + Be16(17) + char(8) + Be16(H) + Be16(W) + char(3) + std::string(9, '\0');
}

std::string Gif(uint32_t ScreenW, uint32_t ScreenH, uint32_t Left, uint32_t FrameW, uint32_t FrameH)
{
    std::string S = "GIF89a" + Le16(ScreenW) + Le16(ScreenH) + char(0x81) + std::string(2, '\0');
    S += std::string(12, '\0');  // a global colour table of 4 entries
    S += std::string("\x21\xF9\x04\x01\0\0\x02\0", 8);  // graphic control extension
    return S + char(0x2C) + Le16(Left) + Le16(0) + Le16(FrameW) + Le16(FrameH) + char(0);
}

std::string Bmp(int32_t W, int32_t H) { return "BM" + Le32(0) + Le32(0) + Le32(54) + Le32(40) + Le32(W) + Le32(H); }

std::string BmpCore(uint32_t W, uint32_t H) { return "BM" + Le32(0) + Le32(0) + Le32(26) + Le32(12) + Le16(W) + Le16(H) + Le16(1) + Le16(24); }

std::string Tiff(bool BigEndian, uint32_t W, uint32_t H)
{
    auto U16 = BigEndian ? Be16 : Le16;
    auto U32 = BigEndian ? Be32 : Le32;
    std::string S = BigEndian ? std::string("MM\0*", 4) : std::string("II*\0", 4);
    S += U32(8) + U16(3);
    S += U16(254) + U16(4) + U32(1) + U32(0);               // new subfile type
    S += U16(256) + U16(4) + U32(1) + U32(W);               // width as LONG
    S += U16(257) + U16(3) + U32(1) + U16(H) + U16(0);      // height as SHORT
    return S;
}

}  // namespace

TEST(HyFileUtils_ImageInfo, Headers)
{
    struct {
        const char* What;
        std::string Data;
        bool Known;
        Int64 W, H;
        TImageFormat Format = ifUnknown;
        Integer Components = 0;
    } const Cases[] = {
        {"png", Png(100000, 100000), true, 100000, 100000, ifPng},
        {"png cut short", Png(5, 6).substr(0, 20), false, 0, 0},
        {"jpeg", Jpeg(6000, 4000, false), true, 6000, 4000, ifJpg, 3},
        {"jpeg after an APP segment", Jpeg(65535, 65535, true), true, 65535, 65535, ifJpg, 3},
        {"jpeg cut inside a segment", Jpeg(10, 10, true).substr(0, 100), false, 0, 0},
        {"grey jpeg", Jpeg(8, 8, false).replace(Jpeg(8, 8, false).size() - 10, 1, 1, char(1)), true, 8, 8, ifJpg, 1},
        // The decoder passes over stray bytes and FF 00 pairs before a marker.
        {"jpeg with stray bytes", Jpeg(30, 20, true).insert(2, std::string("ab\xFF\0c", 5)), true, 30, 20, ifJpg, 3},
        {"jpeg scan before a frame", std::string("\xFF\xD8\xFF\xDA\0\x02", 6), false, 0, 0},
        {"gif screen", Gif(640, 480, 0, 10, 10), true, 640, 480, ifGif},
        {"gif frame beyond the screen", Gif(16, 16, 100, 60000, 50000), true, 60100, 50000, ifGif},
        {"gif without a frame", Gif(20, 30, 0, 1, 1).substr(0, 13), true, 20, 30, ifGif},
        {"bmp bottom-up", Bmp(40, 30), true, 40, 30, ifBmp},
        {"bmp top-down", Bmp(40, -30), true, 40, 30, ifBmp},
        {"bmp huge", Bmp(100000, 100000), true, 100000, 100000, ifBmp},
        {"bmp core header", BmpCore(300, 200), true, 300, 200, ifBmp},
        {"tiff little-endian", Tiff(false, 5000, 7000), true, 5000, 7000, ifTiff},
        {"tiff big-endian", Tiff(true, 70000, 3), true, 70000, 3, ifTiff},
        {"tiff without a height", Tiff(false, 5, 7).substr(0, 8 + 2 + 24), false, 0, 0},
        {"unknown", "hello, world", false, 0, 0},
        {"empty", "", false, 0, 0},
    };
    for (const auto& C : Cases) {
        TMemoryStream S;
        if (!C.Data.empty()) S.WriteBuffer(C.Data.data(), static_cast<Integer>(C.Data.size()));
        S.SetPosition(0);
        TImageHeader H;
        EXPECT_EQ(ReadImageHeader(&S, H), C.Known) << C.What;
        EXPECT_EQ(H.Format, C.Format) << C.What;  // ifUnknown when not read
        EXPECT_EQ(H.Width, C.W) << C.What;
        EXPECT_EQ(H.Height, C.H) << C.What;
        EXPECT_EQ(H.Components, C.Components) << C.What;
    }
}

TEST(HyFileUtils_ImageInfo, HeaderOfAFile)
{
    TTempFolder Dir;
    std::string Data = Png(321, 123);
    {
        TFileStream F(Dir / u"a.png", fmCreate);
        F.WriteBuffer(Data.data(), static_cast<Integer>(Data.size()));
    }
    TImageHeader H;
    EXPECT_TRUE(ReadImageFileHeader(Dir / u"a.png", H));
    EXPECT_EQ(H.Format, ifPng);
    EXPECT_EQ(H.Width, 321);
    EXPECT_EQ(H.Height, 123);
    EXPECT_FALSE(ReadImageFileHeader(Dir / u"missing.png", H));
    EXPECT_EQ(H.Width, 0);
}
