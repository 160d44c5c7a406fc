// Metafiles over GDI: an EMF drawn by GDI itself, its size, EMF and WMF files
// both ways, drawing, the picture container and the clipboard.
#include "framework/graphics/win/Metafile.h"

#include <gtest/gtest.h>

#include <cstring>

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
