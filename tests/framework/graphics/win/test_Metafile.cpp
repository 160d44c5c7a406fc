// Metafiles over GDI: an EMF drawn by GDI itself, its size, EMF and WMF files
// both ways, drawing, the picture container and the clipboard.
#include "framework/graphics/win/Metafile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/graphics/win/Clipbrd.h"
#include "framework/runtime/SysUtils.h"

namespace {

// W x H pixels at the screen's resolution, with a green rectangle over the
// left half and nothing drawn on the right half.
HENHMETAFILE MakeEmf(Integer W, Integer H)
{
    HDC Screen = GetDC(nullptr);
    const Integer Dpi = GetDeviceCaps(Screen, LOGPIXELSX);
    ReleaseDC(nullptr, Screen);
    // The frame in hundredths of a millimetre, both ends included.
    const RECT Frame{0, 0, MulDiv(W, 2540, Dpi) - 1, MulDiv(H, 2540, Dpi) - 1};
    HDC Dc = CreateEnhMetaFileW(nullptr, nullptr, &Frame, nullptr);
    HBRUSH Green = CreateSolidBrush(RGB(0, 200, 0));
    const RECT Left{0, 0, W / 2, H};
    FillRect(Dc, &Left, Green);
    DeleteObject(Green);
    return CloseEnhMetaFile(Dc);
}

// The colour of (X, Y) after drawing M over white into a W x H bitmap.
TColor PixelDrawn(TGraphic& M, Integer W, Integer H, Integer X, Integer Y)
{
    TBitmap B(W, H);
    B.Canvas()->Brush()->SetColor(0xFFFFFF);
    B.Canvas()->FillRect(Rect(0, 0, W, H));
    B.Canvas()->Draw(0, 0, &M);
    return B.Canvas()->Pixels(X, Y);
}

void Put16(std::string& B, Integer V)
{
    B += static_cast<char>(V & 0xFF);
    B += static_cast<char>((V >> 8) & 0xFF);
}

// A placeable WMF of the box (Left, Top)-(Right, Bottom) at 1440 units per
// inch whose records draw nothing: its size is the box's alone.
std::string PlaceableWmf(Integer Left, Integer Top, Integer Right, Integer Bottom)
{
    std::string B;
    for (Integer V : {0xCDD7, 0x9AC6, 0, Left, Top, Right, Bottom, 1440, 0, 0}) Put16(B, V);
    Integer Sum = 0;
    for (size_t I = 0; I < B.size(); I += 2) Sum ^= static_cast<uint8_t>(B[I]) | (static_cast<uint8_t>(B[I + 1]) << 8);
    Put16(B, Sum);
    // Header (type 1, 9 words, version 3.0, 12 words in all, no objects,
    // largest record 3 words), then the end record.
    for (Integer V : {1, 9, 0x0300, 12, 0, 0, 3, 0, 0, 3, 0, 0}) Put16(B, V);
    return B;
}

std::string EmfBits(HENHMETAFILE H)
{
    std::string B(GetEnhMetaFileBits(H, 0, nullptr), '\0');
    GetEnhMetaFileBits(H, static_cast<UINT>(B.size()), reinterpret_cast<BYTE*>(B.data()));
    DeleteEnhMetaFile(H);
    return B;
}

}  // namespace

TEST(Metafile, EmfDrawnByGdiKeepsItsSizeAndDrawing)
{
    TMetafile M;
    EXPECT_TRUE(M.Empty());
    M.SetHandle(MakeEmf(60, 40));
    ASSERT_FALSE(M.Empty());
    EXPECT_NEAR(M.Width(), 60, 1);
    EXPECT_NEAR(M.Height(), 40, 1);
    EXPECT_TRUE(M.Transparent());
    EXPECT_EQ(PixelDrawn(M, 60, 40, 10, 20), TColor(0x00C800));
    EXPECT_EQ(PixelDrawn(M, 60, 40, 50, 20), TColor(0xFFFFFF));  // not drawn: what was there

    TMetafile Copy;
    Copy.Assign(&M);
    EXPECT_EQ(Copy.Width(), M.Width());
    EXPECT_NE(Copy.Handle(), M.Handle());
    EXPECT_EQ(PixelDrawn(Copy, 60, 40, 10, 20), TColor(0x00C800));
    Copy.Assign(nullptr);
    EXPECT_TRUE(Copy.Empty());
}

TEST(Metafile, EmfAndWmfFilesBothWays)
{
    const String Dir = GetTempDirectory();
    TMetafile M;
    M.SetHandle(MakeEmf(60, 40));
    for (bool Enhanced : {true, false}) {
        SCOPED_TRACE(Enhanced ? "emf" : "wmf");
        const String Name = Dir + (Enhanced ? u"lm_test.emf" : u"lm_test.wmf");
        M.SetEnhanced(Enhanced);
        M.SaveToFile(Name);
        TPicture P;
        P.LoadFromFile(Name);  // by the extension
        DeleteFile(Name);
        auto* Back = dynamic_cast<TMetafile*>(P.Graphic());
        ASSERT_NE(Back, nullptr);
        EXPECT_NEAR(Back->Width(), 60, 2);
        EXPECT_NEAR(Back->Height(), 40, 2);
        EXPECT_EQ(PixelDrawn(*Back, Back->Width(), Back->Height(), 10, 20), TColor(0x00C800));
        EXPECT_EQ(PixelDrawn(*Back, Back->Width(), Back->Height(), Back->Width() - 5, 20), TColor(0xFFFFFF));
    }
    // Neither kind: refused.
    for (const char* Bytes : {"not a metafile at all, just some text", "\x01\0\0\0"}) {
        TMemoryStream S;
        S.WriteBuffer(Bytes, static_cast<Integer>(std::strlen(Bytes) + 1));
        S.SetPosition(0);
        TMetafile Bad;
        EXPECT_THROW(Bad.LoadFromStream(&S), EInvalidGraphic);
        EXPECT_TRUE(Bad.Empty());
    }
    TMetafile Empty;
    TMemoryStream Out;
    EXPECT_THROW(Empty.SaveToStream(&Out), EInvalidGraphic);
}

TEST(Metafile, ClipboardHoldingOnlyAMetafile)
{
    TMetafile M;
    M.SetHandle(MakeEmf(60, 40));
    Clipboard()->Assign(&M);
    EXPECT_TRUE(Clipboard()->HasFormat(CF_ENHMETAFILE));
    EXPECT_FALSE(Clipboard()->HasFormat(CF_DIB));
    TPicture P;
    P.Assign(Clipboard());
    auto* Back = dynamic_cast<TMetafile*>(P.Graphic());
    ASSERT_NE(Back, nullptr);
    EXPECT_EQ(Back->Width(), M.Width());
    EXPECT_EQ(PixelDrawn(*Back, 60, 40, 10, 20), TColor(0x00C800));
    TMetafile Direct;
    Direct.Assign(Clipboard());
    EXPECT_FALSE(Direct.Empty());
    Clipboard()->Clear();
    EXPECT_THROW(Direct.Assign(Clipboard()), EInvalidGraphic);
}

// A metafile whose frame comes out with no width or height (upside down or
// empty) is refused when read, and the picture held before stays as it was.
TEST(Metafile, FrameOfNoSizeIsRefusedAndThePictureKept)
{
    std::string InvertedEmf = EmfBits(MakeEmf(60, 40));
    // rclFrame (offset 24): top and bottom swapped.
    std::swap_ranges(InvertedEmf.begin() + 28, InvertedEmf.begin() + 32, InvertedEmf.begin() + 36);
    const struct {
        const char* Name;
        std::string Bytes;
        bool Loads;
    } Cases[] = {
        {"placeable wmf", PlaceableWmf(0, 0, 1440, 720), true},  // 96 x 48 pixels
        {"placeable wmf, box upside down", PlaceableWmf(-1, 32767, 1, 40), false},
        {"emf, frame upside down", InvertedEmf, false},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        TMetafile M;
        M.SetHandle(MakeEmf(60, 40));
        const HENHMETAFILE Before = M.Handle();
        TMemoryStream S;
        S.WriteBuffer(Case.Bytes.data(), static_cast<Integer>(Case.Bytes.size()));
        S.SetPosition(0);
        if (Case.Loads) {
            M.LoadFromStream(&S);
            EXPECT_NEAR(M.Width(), 96, 1);
            EXPECT_NEAR(M.Height(), 48, 1);
            continue;
        }
        EXPECT_THROW(M.LoadFromStream(&S), EInvalidGraphic);
        EXPECT_EQ(M.Handle(), Before);
        EXPECT_NEAR(M.Width(), 60, 1);
        EXPECT_NEAR(M.Height(), 40, 1);
    }
}
