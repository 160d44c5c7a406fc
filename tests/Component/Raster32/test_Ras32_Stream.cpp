// The bitmap's 32-bit BMP stream, other BMPs through the framework's decoder,
// files, the form-streaming pixel data and the content comparison.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "Component/Raster32/Ras32.h"
#include "framework/graphics/BmpFormat.h"
#include "framework/runtime/SysUtils.h"

// The largest single allocation while Tracking is on: a hostile header must
// not make the reader allocate what it claims.
namespace {
std::atomic<bool> Tracking{false};
std::atomic<size_t> Largest{0};

void* Allocate(size_t Size)
{
    if (Tracking && Size > Largest) Largest = Size;
    if (void* P = std::malloc(Size ? Size : 1)) return P;
    throw std::bad_alloc();
}
}  // namespace

void* operator new(size_t Size) { return Allocate(Size); }
void* operator new[](size_t Size) { return Allocate(Size); }
void operator delete(void* P) noexcept { std::free(P); }
void operator delete[](void* P) noexcept { std::free(P); }
void operator delete(void* P, size_t) noexcept { std::free(P); }
void operator delete[](void* P, size_t) noexcept { std::free(P); }

namespace {

void FillPattern(TCustomBitmap32& B, Integer W, Integer H)
{
    B.SetSize(W, H);
    for (Integer Y = 0; Y < H; ++Y)
        for (Integer X = 0; X < W; ++X)
            B.SetPixel(X, Y, static_cast<TColor32>((X * 37 + Y * 101) * 0x01010101u) ^ (Y * 0x01000000u) ^ 0x5A3C0F);
}

std::vector<uint8_t> Bytes(TMemoryStream& S)
{
    const uint8_t* P = static_cast<const uint8_t*>(S.Memory());
    return std::vector<uint8_t>(P, P + S.Size());
}

Cardinal Get32(const std::vector<uint8_t>& B, size_t At)
{
    return B[At] | (B[At + 1] << 8) | (B[At + 2] << 16) | (static_cast<Cardinal>(B[At + 3]) << 24);
}

// A native header claiming Width x Height, followed by Extra bytes.
TMemoryStream* NativeHeader(Integer Width, Integer Height, Integer Extra)
{
    auto* S = new TMemoryStream;
    uint8_t H[54] = {'B', 'M'};
    auto Put32 = [&](Integer At, Cardinal V) {
        for (Integer i = 0; i < 4; ++i) H[At + i] = static_cast<uint8_t>(V >> (8 * i));
    };
    Put32(10, 54);
    Put32(14, 40);
    Put32(18, static_cast<Cardinal>(Width));
    Put32(22, static_cast<Cardinal>(Height));
    H[26] = 1;
    H[28] = 32;
    S->WriteBuffer(H, 54);
    std::vector<uint8_t> Fill(static_cast<size_t>(Extra), 0x77);
    if (Extra) S->WriteBuffer(Fill.data(), Extra);
    S->SetPosition(0);
    return S;
}

bool SamePixels(const TCustomBitmap32& A, const TCustomBitmap32& B)
{
    if (A.Width() != B.Width() || A.Height() != B.Height()) return false;
    return std::memcmp(A.Bits(), B.Bits(), static_cast<size_t>(A.Width()) * A.Height() * 4) == 0;
}

String TempName(const String& Name) { return GetTempDirectory() + u"lm_ras32_stream_" + Name; }

}  // namespace

// ---------------------------------------------------------------------------
// The native stream

TEST(Ras32_Stream, TwoByOneIs62Bytes)
{
    TCustomBitmap32 B;
    B.SetSize(2, 1);
    B.SetPixel(0, 0, 0x11223344);
    B.SetPixel(1, 0, 0x55667788);
    for (bool BottomUp : {false, true}) {
        TMemoryStream S;
        B.SaveToStream(&S, BottomUp);
        std::vector<uint8_t> D = Bytes(S);
        ASSERT_EQ(D.size(), 62u);
        EXPECT_EQ(D[0], 'B');
        EXPECT_EQ(D[1], 'M');
        EXPECT_EQ(Get32(D, 2), 62u);   // file size
        EXPECT_EQ(Get32(D, 10), 54u);  // pixel offset
        EXPECT_EQ(Get32(D, 14), 40u);  // header size
        EXPECT_EQ(Get32(D, 18), 2u);
        // Top-down rows carry a negative height.
        EXPECT_EQ(Get32(D, 22), BottomUp ? 1u : 0xFFFFFFFFu);
        EXPECT_EQ(D[26] | (D[27] << 8), 1);
        EXPECT_EQ(D[28] | (D[29] << 8), 32);
        EXPECT_EQ(Get32(D, 30), 0u);
        EXPECT_EQ(Get32(D, 34), 8u);
        // Pixels in memory order: blue, green, red, alpha.
        const uint8_t Want[] = {0x44, 0x33, 0x22, 0x11, 0x88, 0x77, 0x66, 0x55};
        EXPECT_EQ(std::memcmp(D.data() + 54, Want, 8), 0);
    }
}

TEST(Ras32_Stream, BothRowOrdersRoundTrip)
{
    TCustomBitmap32 A;
    FillPattern(A, 7, 5);
    for (bool BottomUp : {false, true}) {
        TMemoryStream S;
        A.SaveToStream(&S, BottomUp);
        // Bottom-up: the last row is stored first.
        std::vector<uint8_t> D = Bytes(S);
        EXPECT_EQ(Get32(D, 54), A.Pixel(0, BottomUp ? 4 : 0));
        S.SetPosition(0);
        TCustomBitmap32 B;
        Integer Changes = 0;
        B.OnChange = [&](TObject*) { ++Changes; };
        B.LoadFromStream(&S);
        EXPECT_TRUE(SamePixels(A, B)) << BottomUp;
        EXPECT_GT(Changes, 0);
        EXPECT_EQ(S.Position(), S.Size());
    }
}

TEST(Ras32_Stream, EmptyBitmapIsTheHeaderAlone)
{
    TCustomBitmap32 A;
    TMemoryStream S;
    A.SaveToStream(&S, false);
    EXPECT_EQ(S.Size(), 54);
    TCustomBitmap32 B;
    FillPattern(B, 3, 3);
    S.SetPosition(0);
    B.LoadFromStream(&S);
    EXPECT_TRUE(B.Empty());
    EXPECT_EQ(B.Width(), 0);
    EXPECT_EQ(B.Height(), 0);
}

TEST(Ras32_Stream, HostileHeadersAreRejectedBeforeAllocating)
{
    struct TCase {
        const char* Name;
        Integer Width, Height, Extra;
    } Cases[] = {
        {"negative width", -5, 4, 1000},
        {"lowest height", 4, INT32_MIN, 1000},
        {"lowest height, no width", 0, INT32_MIN, 1000},
        {"2^31 pixels", 65536, 32768, 1000},
        {"2^31 pixels bottom-up", 32768, -65536, 1000},
        {"more than the stream holds", 3000, 3000, 4 * 3000 * 3000 - 1},
        {"far more than the stream holds", 20000, 20000, 100},
        {"a short row", 5, 5, 99},
    };
    for (const auto& C : Cases) {
        TCustomBitmap32 B;
        FillPattern(B, 3, 2);
        TCustomBitmap32 Before;
        FillPattern(Before, 3, 2);
        Integer Events = 0;
        B.OnChange = [&](TObject*) { ++Events; };
        B.OnResize = [&](TObject*) { ++Events; };
        std::unique_ptr<TMemoryStream> S(NativeHeader(C.Width, C.Height, C.Extra));
        Largest = 0;
        Tracking = true;
        EXPECT_THROW(B.LoadFromStream(S.get()), EReadError) << C.Name;
        Tracking = false;
        // The stream's own memory aside, nothing near the claimed size.
        EXPECT_LT(Largest.load(), static_cast<size_t>(C.Extra) * 2 + (8u << 20)) << C.Name;
        EXPECT_TRUE(SamePixels(B, Before)) << C.Name;
        EXPECT_EQ(Events, 0) << C.Name;
    }
}

TEST(Ras32_Stream, ShortStreamsRaiseTheReadError)
{
    TCustomBitmap32 B;
    TMemoryStream S;
    S.WriteBuffer("BM", 2);
    S.SetPosition(0);
    EXPECT_THROW(B.LoadFromStream(&S), EReadError);
}

// ---------------------------------------------------------------------------
// Other BMPs

TEST(Ras32_Stream, OtherDepthsGoThroughTheDecoderWithOpaqueAlpha)
{
    TDibImage Image;
    Image.Allocate(3, 2, pf24bit);
    for (Integer Y = 0; Y < 2; ++Y)
        for (Integer X = 0; X < 3; ++X) {
            uint8_t* P = Image.ScanLine(Y) + X * 3;
            P[0] = static_cast<uint8_t>(10 * X);       // blue
            P[1] = static_cast<uint8_t>(100 + Y);      // green
            P[2] = static_cast<uint8_t>(200 + X + Y);  // red
        }
    TMemoryStream S;
    S.WriteBuffer("prefix", 6);
    WriteBmp(&S, Image);
    S.SetPosition(6);
    TCustomBitmap32 B;
    B.LoadFromStream(&S);
    ASSERT_EQ(B.Width(), 3);
    ASSERT_EQ(B.Height(), 2);
    for (Integer Y = 0; Y < 2; ++Y)
        for (Integer X = 0; X < 3; ++X)
            EXPECT_EQ(B.Pixel(X, Y), Color32FromRGBA(200 + X + Y, 100 + Y, 10 * X, 255)) << X << "," << Y;

    // An indexed picture takes its palette's colours.
    TDibImage Indexed;
    Indexed.Allocate(2, 1, pf8bit);
    Indexed.Palette = {0x00112233, 0x00445566};
    Indexed.ScanLine(0)[0] = 1;
    Indexed.ScanLine(0)[1] = 0;
    TMemoryStream S2;
    WriteBmp(&S2, Indexed);
    S2.SetPosition(0);
    B.LoadFromStream(&S2);
    EXPECT_EQ(B.Pixel(0, 0), 0xFF445566u);
    EXPECT_EQ(B.Pixel(1, 0), 0xFF112233u);
}

TEST(Ras32_Stream, AnythingElseRaisesAndKeepsTheBitmap)
{
    TCustomBitmap32 B;
    FillPattern(B, 4, 4);
    TCustomBitmap32 Before;
    FillPattern(Before, 4, 4);
    std::vector<uint8_t> Junk(200, 0x42);
    TMemoryStream S;
    S.WriteBuffer(Junk.data(), 200);
    S.SetPosition(0);
    EXPECT_THROW(B.LoadFromStream(&S), EInvalidGraphic);
    EXPECT_TRUE(SamePixels(B, Before));
}

// ---------------------------------------------------------------------------
// Files

TEST(Ras32_Stream, FilesRoundTrip)
{
    TCustomBitmap32 A, B;
    FillPattern(A, 9, 4);
    String Name = TempName(u"roundtrip.bmp");
    A.SaveToFile(Name, true);
    B.LoadFromFile(Name);
    EXPECT_TRUE(SamePixels(A, B));
    // Saving again replaces the file whole and leaves no temporary behind.
    FillPattern(A, 2, 2);
    A.SaveToFile(Name, false);
    EXPECT_EQ(FileSizeOf(Name), 54 + 16);
    TSearchRec Rec;
    Integer Temporaries = 0;
    if (FindFirst(TempName(u"*.tmp"), faAnyFile, Rec) == 0) {
        do ++Temporaries;
        while (FindNext(Rec) == 0);
        FindClose(Rec);
    }
    EXPECT_EQ(Temporaries, 0);
    DeleteFile(Name);
}

TEST(Ras32_Stream, SavingWhereNoFileCanBeCreatedRaises)
{
    TCustomBitmap32 A;
    FillPattern(A, 2, 2);
    String Name = TempName(u"no such folder\\x.bmp");
    try {
        A.SaveToFile(Name, false);
        FAIL() << "no error";
    } catch (EFCreateError& E) {
        EXPECT_NE(E.Message().find(Name), String::npos);  // the file asked for, not the temporary
    }
}

TEST(Ras32_Stream, PicturesOtherThanBmpGoToTheLoader)
{
    String Name = TempName(u"tiny.GIF");
    {
        // Shorter than a BMP header.
        TFileStream F(Name, fmCreate);
        F.WriteBuffer("GIF89a", 6);
    }
    TCustomBitmap32 B;
    try {
        B.LoadFromFile(Name);
        FAIL() << "no error";
    } catch (EInvalidGraphic& E) {
        EXPECT_EQ(E.Message(), u"Unknown picture file extension (.gif)");
    }
    PictureFileLoader = [](TCustomBitmap32* Bitmap, const String& FileName) {
        Bitmap->SetSize(1, 1);
        Bitmap->SetPixel(0, 0, static_cast<TColor32>(FileName.size()));
    };
    B.LoadFromFile(Name);
    PictureFileLoader = nullptr;
    EXPECT_EQ(B.Pixel(0, 0), Name.size());
    DeleteFile(Name);
}

// ---------------------------------------------------------------------------
// Pixel data and content

TEST(Ras32_Stream, PixelDataRoundTripsAndRejectsDamage)
{
    TCustomBitmap32 A, B;
    FillPattern(A, 5, 3);
    TMemoryStream S;
    A.WritePixelData(&S);
    EXPECT_EQ(S.Size(), 8 + 5 * 3 * 4);
    S.SetPosition(0);
    B.ReadPixelData(&S);
    EXPECT_TRUE(SamePixels(A, B));

    for (Integer W : {-1, 1 << 20}) {
        TMemoryStream D;
        D.WriteValue<Integer>(W);
        D.WriteValue<Integer>(1 << 12);
        D.SetPosition(0);
        Integer Changes = 0;
        B.OnChange = [&](TObject*) { ++Changes; };
        EXPECT_THROW(B.ReadPixelData(&D), EReadError) << W;
        EXPECT_TRUE(SamePixels(A, B));
        EXPECT_EQ(Changes, 1);  // the change still comes at the end
        B.OnChange = nullptr;
    }
}

TEST(Ras32_Stream, SameContent)
{
    class TOtherBitmap32 : public TCustomBitmap32 {
    public:
        String ClassName() const override { return u"TOtherBitmap32"; }
    };
    TCustomBitmap32 E1, E2, A, B;
    TOtherBitmap32 O;
    EXPECT_TRUE(E1.SameContent(&E2));
    FillPattern(A, 3, 3);
    FillPattern(B, 3, 3);
    FillPattern(O, 3, 3);
    EXPECT_FALSE(E1.SameContent(&A));
    EXPECT_FALSE(A.SameContent(&E1));
    EXPECT_TRUE(A.SameContent(&B));
    EXPECT_FALSE(A.SameContent(&O));  // another class
    B.SetPixel(2, 2, 0);
    EXPECT_FALSE(A.SameContent(&B));
    EXPECT_FALSE(A.SameContent(nullptr));
}
