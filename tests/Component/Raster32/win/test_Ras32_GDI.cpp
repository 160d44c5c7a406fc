// TBitmap32 on the GDI backend: the section and its device context, text
// output and its reports, anti-aliased text, tiles, blits, the exchange with
// the platform's pictures, and GDI+ drawing through the bitmap's context.
#include <gtest/gtest.h>

#include <algorithm>

#include "Component/Raster32/Ras32_Backends_Generic.h"
#include "Component/Raster32/win/Ras32_GDI.h"
#include "Component/Raster32/win/Ras32_Pictures.h"
#include "Component/Raster32/Ras32_Resamplers.h"
#include "framework/graphics/win/Clipbrd.h"
#include "framework/graphics/win/Metafile.h"
#include "framework/graphics/win/PngImage.h"
#include "framework/runtime/SysUtils.h"
#include "gdiplus/win/GdiPlus.h"

namespace {

TGDIBackend* GDIOf(TCustomBitmap32& B) { return dynamic_cast<TGDIBackend*>(B.Backend()); }

bool RunningOnWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

// Pixels equal to Value.
Integer CountOf(const TCustomBitmap32& B, TColor32 Value)
{
    return static_cast<Integer>(std::count(B.Bits(), B.Bits() + B.Width() * B.Height(), Value));
}

// The darkest red byte: how strongly black text covered a white bitmap.
Integer DarkestRed(const TCustomBitmap32& B)
{
    Integer Dark = 255;
    for (Integer I = 0; I < B.Width() * B.Height(); ++I) Dark = std::min<Integer>(Dark, (B.Bits()[I] >> 16) & 0xFF);
    return Dark;
}

void RenderOnWhite(TBitmap32& B, Integer AALevel, TColor32 Color)
{
    B.SetSize(120, 40);
    B.Clear(0xFFFFFFFF);
    B.Font()->SetHeight(-20);
    B.RenderText(4, 4, u"Wg", AALevel, Color);
}

}  // namespace

// ---------------------------------------------------------------------------
// The surface and its context

TEST(Ras32GDI, NewBitmapIsZeroAndItsContextHoldsATopDown32BitSection)
{
    TBitmap32 B;
    EXPECT_TRUE(B.Empty());
    EXPECT_EQ(nullptr, B.Handle());
    B.SetSize(5, 3);
    EXPECT_EQ(15, CountOf(B, 0x00000000));
    ASSERT_FALSE(GDIOf(B)->HandleAllocated());

    HDC DC = B.Handle();
    ASSERT_NE(nullptr, DC);
    EXPECT_TRUE(GDIOf(B)->HandleAllocated());
    DIBSECTION Section{};
    ASSERT_EQ(static_cast<int>(sizeof(Section)), GetObjectW(GetCurrentObject(DC, OBJ_BITMAP), sizeof(Section), &Section));
    EXPECT_EQ(32, Section.dsBm.bmBitsPixel);
    EXPECT_EQ(3, Section.dsBm.bmHeight);
    EXPECT_EQ(B.BitmapHandle(), GetCurrentObject(DC, OBJ_BITMAP));
    // Rows top-down (GDI reports the height unsigned): what GDI draws at the
    // top is the first row of the pixels.
    SetPixelV(DC, 4, 0, RGB(1, 2, 3));
    GdiFlush();
    EXPECT_EQ(0x010203u, B.Pixel(4, 0) & 0xFFFFFF);
    EXPECT_EQ(-3, B.BitmapInfo().bmiHeader.biHeight);
    EXPECT_EQ(5u * 3 * 4, B.BitmapInfo().bmiHeader.biSizeImage);
    EXPECT_EQ(B.Bits(), Section.dsBm.bmBits);
}

TEST(Ras32GDI, ResizingReplacesTheContextAndTellsItsListener)
{
    TBitmap32 B;
    Integer HandleChanges = 0;
    B.OnHandleChanged = [&](TObject*) { ++HandleChanges; };
    B.SetSize(4, 4);
    EXPECT_EQ(1, HandleChanges);
    Integer Changes = 0;
    B.OnChange = [&](TObject*) { ++Changes; };
    B.Canvas()->Brush()->SetColor(clRed);
    B.Canvas()->FillRect(TRect{0, 0, 4, 4});
    EXPECT_GT(Changes, 0);  // drawing on the canvas is a change of the bitmap
    GdiFlush();
    EXPECT_EQ(0xFF0000u, B.Pixel(1, 1) & 0xFFFFFF);
    B.SetSize(6, 2);
    EXPECT_EQ(2, HandleChanges);
    EXPECT_FALSE(B.CanvasAllocated());
    // The canvas is made again on the new context when next asked for.
    B.Canvas()->Brush()->SetColor(clBlue);
    B.Canvas()->FillRect(TRect{0, 0, 6, 2});
    GdiFlush();
    EXPECT_EQ(0x0000FFu, B.Pixel(5, 1) & 0xFFFFFF);
}

TEST(Ras32GDI, OnlyBitmapsDrawnThroughGDIHoldAContext)
{
    // Reading, writing, measuring and copying pixels take no context.
    TBitmap32 A, B;
    A.SetSize(10, 10);
    A.Clear(0xFF123456);
    EXPECT_GT(A.TextWidth(u"text"), 0);
    B.Assign(&A);
    EXPECT_EQ(0xFF123456u, B.Pixel(9, 9));
    EXPECT_FALSE(GDIOf(A)->HandleAllocated());
    EXPECT_FALSE(GDIOf(B)->HandleAllocated());

    // Under Wine a process has 65535 GDI handles: with a context each, at
    // most 32767 bitmaps could exist; without one, this many do.
    if (!RunningOnWine()) GTEST_SKIP() << "the handle quota of Windows is smaller; checked under Wine";
    std::vector<std::unique_ptr<TBitmap32>> Many(33000);
    for (auto& M : Many) {
        M = std::make_unique<TBitmap32>();
        M->SetSize(1, 1);
    }
    EXPECT_FALSE(Many.back()->Empty());
}

TEST(Ras32GDI, ABackendWithoutTheServiceRaisesTheInterfaceCastError)
{
    TBitmap32 B;
    B.SetSize(3, 3);
    B.SetBackend(new TMemoryBackend);
    EXPECT_EQ(3, B.Width());
    EXPECT_THROW(B.Canvas(), EIntfCastError);
    EXPECT_THROW(B.Handle(), EIntfCastError);
    EXPECT_THROW(B.TextWidth(u"x"), EIntfCastError);
}

// ---------------------------------------------------------------------------
// Text

TEST(Ras32GDI, MeasuringWorksWithoutASurface)
{
    TBitmap32 Empty, Sized;
    Sized.SetSize(50, 20);
    EXPECT_EQ(0, Empty.TextWidth(u""));
    EXPECT_EQ(0, Sized.TextWidth(u""));
    Integer W = Empty.TextWidth(u"Hello world");
    EXPECT_GT(W, 20);
    EXPECT_EQ(W, Sized.TextWidth(u"Hello world"));
    Sized.Handle();  // with its own context now
    EXPECT_EQ(W, Sized.TextWidth(u"Hello world"));
    EXPECT_EQ(Empty.TextHeight(u"Hg"), Sized.TextHeight(u"Hg"));
}

TEST(Ras32GDI, ClippedTextoutDrawsInsideAndReportsTheWholeText)
{
    TBitmap32 B;
    B.SetSize(80, 30);
    B.Clear(0xFFFFFFFF);
    B.Font()->SetColor(clBlack);
    B.Font()->SetHeight(-20);
    B.SetClipRect(TRect{0, 0, 12, 30});
    TRect Reported;
    B.OnAreaChanged = [&](TObject*, const TRect& Area, Cardinal Info) {
        Reported = Area;
        EXPECT_EQ(AreaInfoRect, Info);
    };
    B.Textout(2, 2, u"WWWW");
    TSize Extent = B.TextExtent(u"WWWW");
    EXPECT_EQ((TRect{2, 2, 2 + Extent.cx + 1, 2 + Extent.cy + 1}), Reported);
    Integer Inside = 0, Outside = 0;
    for (Integer Y = 0; Y < 30; ++Y)
        for (Integer X = 0; X < 80; ++X)
            if ((B.Pixel(X, Y) & 0xFFFFFF) != 0xFFFFFF) (X < 12 ? Inside : Outside)++;
    EXPECT_GT(Inside, 0);
    EXPECT_EQ(0, Outside);

    // The given clip rectangle replaces the bitmap's.
    B.Textout(2, 2, TRect{40, 0, 80, 30}, u"WWWWWWWWWW");
    for (Integer Y = 0; Y < 30; ++Y)
        for (Integer X = 12; X < 40; ++X) EXPECT_EQ(0xFFFFFFu, B.Pixel(X, Y) & 0xFFFFFF);

    // While measuring, only the report.
    B.ResetClipRect();
    B.Clear(0xFFFFFFFF);
    TRect Measured;
    B.BeginMeasuring([&](TObject*, const TRect& Area, Cardinal) { Measured = Area; });
    B.Textout(0, 0, u"WW");
    B.EndMeasuring();
    EXPECT_EQ(80 * 30, CountOf(B, 0xFFFFFFFF));
    EXPECT_GT(Measured.Right, 10);
}

TEST(Ras32GDI, DrawTextFormWorksOnACopyOfTheRectangle)
{
    TBitmap32 B;
    B.SetSize(60, 20);
    B.Clear(0xFFFFFFFF);
    const TRect R{0, 0, 60, 20};
    B.Textout(R, DT_CENTER | DT_VCENTER | DT_SINGLELINE, u"i");
    EXPECT_EQ((TRect{0, 0, 60, 20}), R);
    // Centred: the ink lies around the middle column.
    Integer MinX = 60, MaxX = -1;
    for (Integer Y = 0; Y < 20; ++Y)
        for (Integer X = 0; X < 60; ++X)
            if ((B.Pixel(X, Y) & 0xFFFFFF) != 0xFFFFFF) MinX = std::min(MinX, X), MaxX = std::max(MaxX, X);
    ASSERT_GE(MaxX, MinX);
    EXPECT_NEAR(30, (MinX + MaxX) / 2, 3);
}

TEST(Ras32GDI, RenderTextLevelsStrengthAndLimits)
{
    // Levels outside -1..4 are the nearest of them.
    const struct {
        Integer Given, Used;
    } Levels[] = {{9, 4}, {-5, -1}};
    for (auto& L : Levels) {
        TBitmap32 Given, Used;
        RenderOnWhite(Given, L.Given, 0xFF000000);
        RenderOnWhite(Used, L.Used, 0xFF000000);
        EXPECT_TRUE(std::equal(Given.Bits(), Given.Bits() + 120 * 40, Used.Bits())) << L.Given;
    }
    TBitmap32 Four, Three;
    RenderOnWhite(Four, 4, 0xFF000000);
    RenderOnWhite(Three, 3, 0xFF000000);
    EXPECT_FALSE(std::equal(Four.Bits(), Four.Bits() + 120 * 40, Three.Bits()));

    // Aliased text (level 0) covers fully; the colour's alpha is its strength.
    const struct {
        TColor32 Color;
        Integer Lo, Hi;
    } Strength[] = {{0xFF000000, 0, 0}, {0x80000000, 0x7E, 0x80}, {0x00000000, 255, 255}};
    for (auto& S : Strength) {
        TBitmap32 B;
        RenderOnWhite(B, 0, S.Color);
        Integer Dark = DarkestRed(B);
        EXPECT_GE(Dark, S.Lo) << std::hex << S.Color;
        EXPECT_LE(Dark, S.Hi) << std::hex << S.Color;
    }
    // Supersampled text has partly covered edge pixels.
    Integer Partial = 0;
    for (Integer I = 0; I < 120 * 40; ++I) {
        Integer R = (Four.Bits()[I] >> 16) & 0xFF;
        Partial += R > 0 && R < 255;
    }
    EXPECT_GT(Partial, 10);
    // The font is back to its default quality.
    EXPECT_EQ(fqDefault, Four.Font()->Quality());
}

TEST(Ras32GDI, RenderTextOnAnEmptyBitmapDoesNothing)
{
    TBitmap32 B;
    EXPECT_NO_THROW(B.RenderText(0, 0, u"x", 2, 0xFF000000));
    EXPECT_NO_THROW(B.RenderTextW(0, 0, u"x", 2, 0xFF000000));
    B.SetSize(40, 20);
    B.Clear(0xFFFFFFFF);
    B.RenderTextW(1, 1, u"Wide", 2, 0xFF0000FF);
    EXPECT_LT(CountOf(B, 0xFFFFFFFF), 40 * 20);
}

// ---------------------------------------------------------------------------
// Blits and tiles

TEST(Ras32GDI, TilesOfAWideDestination)
{
    std::vector<TRect> Tiles = TileRects(3000, 100);
    ASSERT_EQ(3u, Tiles.size());
    EXPECT_EQ(1024, Tiles[0].Width());
    EXPECT_EQ(1024, Tiles[1].Width());
    EXPECT_EQ(952, Tiles[2].Width());
    for (auto& T : Tiles) EXPECT_EQ(100, T.Height());
    EXPECT_EQ(4u, TileRects(1025, 1025).size());
    EXPECT_TRUE(TileRects(0, 5).empty());

    // The tiles together give what one stretch onto a new bitmap would, also
    // for a blended source (every tile starts from transparent black, even
    // when the reused tile bitmap keeps its size).
    for (TDrawMode Mode : {dmOpaque, dmBlend}) {
        TBitmap32 Src;
        Src.SetSize(30, 10);
        for (Integer Y = 0; Y < 10; ++Y)
            for (Integer X = 0; X < 30; ++X) Src.SetPixel(X, Y, 0x80000000 | (X * 8) << 16 | (Y * 20) << 8 | 7);
        Src.SetDrawMode(Mode);
        TBitmap32 Whole, Tiled;
        Whole.SetSize(3000, 100);
        TransferStretched(&Whole, Whole.BoundsRect(), Whole.BoundsRect(), &Src, Src.BoundsRect(), Src.Resampler(),
                          Src.DrawMode(), Src.OnPixelCombine);
        Tiled.SetSize(3000, 100);
        Src.TileTo(Tiled.Handle(), Tiled.BoundsRect(), Src.BoundsRect());
        GdiFlush();
        EXPECT_TRUE(std::equal(Whole.Bits(), Whole.Bits() + 3000 * 100, Tiled.Bits())) << Mode;
    }
}

TEST(Ras32GDI, BlitsBetweenContexts)
{
    TBitmap32 A, B;
    A.SetSize(8, 6);
    for (Integer I = 0; I < 48; ++I) A.Bits()[I] = 0x80000000 | I;
    B.SetSize(8, 6);
    A.DrawTo(B.Handle(), 0, 0);
    GdiFlush();
    EXPECT_TRUE(std::equal(A.Bits(), A.Bits() + 48, B.Bits()));

    TBitmap32 C;
    C.SetSize(8, 6);
    TRect Reported;
    C.OnAreaChanged = [&](TObject*, const TRect& Area, Cardinal) { Reported = Area; };
    C.Draw(TRect{2, 2, 6, 5}, TRect{0, 0, 4, 3}, A.Handle());
    EXPECT_EQ((TRect{2, 2, 6, 5}), Reported);
    EXPECT_EQ(A.Pixel(1, 1) & 0xFFFFFF, C.Pixel(3, 3) & 0xFFFFFF);
    EXPECT_EQ(0u, C.Pixel(0, 0));

    TBitmap32 D;
    D.SetSize(4, 3);
    A.DrawTo(D.Handle(), TRect{0, 0, 4, 3}, TRect{4, 3, 8, 6});
    GdiFlush();
    EXPECT_EQ(A.Pixel(5, 4) & 0xFFFFFF, D.Pixel(1, 1) & 0xFFFFFF);

    // An empty bitmap draws nothing and raises nothing.
    TBitmap32 Empty;
    EXPECT_NO_THROW(Empty.DrawTo(D.Handle(), 0, 0));
    EXPECT_NO_THROW(Empty.DrawTo(D.Handle(), TRect{0, 0, 1, 1}, TRect{0, 0, 1, 1}));
}

TEST(Ras32GDI, CopyingSettingsCopiesTheFont)
{
    TBitmap32 A, B;
    A.Font()->SetName(u"Arial");
    A.Font()->SetHeight(-31);
    A.Font()->SetStyle(fsBold);
    A.SetSize(2, 2);
    B.Assign(&A);
    EXPECT_EQ(u"Arial", B.Font()->Name());
    EXPECT_EQ(-31, B.Font()->Height());
    EXPECT_EQ(fsBold, B.Font()->Style());
}

// ---------------------------------------------------------------------------
// Platform pictures

TEST(Ras32GDIPictures, PlatformBitmapsAlphaByDepth)
{
    TBitmap Rgb(3, 2);
    Rgb.SetPixelFormat(pf24bit);
    auto* Row = static_cast<Byte*>(Rgb.ScanLine(1));
    Row[0] = 0x10, Row[1] = 0x20, Row[2] = 0x30;
    TBitmap32 B;
    B.Assign(&Rgb);
    ASSERT_EQ(3, B.Width());
    EXPECT_EQ(0xFF302010u, B.Pixel(0, 1));
    for (Integer I = 0; I < 6; ++I) EXPECT_EQ(0xFFu, B.Bits()[I] >> 24);

    TBitmap Argb(2, 1);
    Argb.SetPixelFormat(pf32bit);
    auto* P = static_cast<Cardinal*>(Argb.ScanLine(0));
    P[0] = 0x80112233;
    P[1] = 0x00445566;
    TCustomBitmap32 C;  // memory backend: no switch needed for a platform bitmap
    C.Assign(&Argb);
    EXPECT_EQ(0x80112233u, C.Pixel(0, 0));
    EXPECT_EQ(0x00445566u, C.Pixel(1, 0));

    // Marked transparent: its colour loses its alpha.
    Rgb.SetTransparentColor(static_cast<TColor>(0x102030));  // 0x00BBGGRR of the pixel above
    Rgb.SetTransparent(true);
    B.Assign(&Rgb);
    EXPECT_EQ(0x00302010u, B.Pixel(0, 1));
    EXPECT_EQ(0xFFu, B.Pixel(1, 1) >> 24);
}

TEST(Ras32GDIPictures, IconsKeepAlphaOrTakeTheirMask)
{
    // A 24-bit icon: its alpha bytes are all 0, its mask covers the left half.
    const Integer S = 16;
    TBitmap Colour(S, S), Mask(S, S);
    Colour.SetPixelFormat(pf24bit);
    Colour.Canvas()->Brush()->SetColor(clRed);
    Colour.Canvas()->FillRect(TRect{0, 0, S, S});
    Mask.SetPixelFormat(pf1bit);
    Mask.Canvas()->Brush()->SetColor(clWhite);
    Mask.Canvas()->FillRect(TRect{0, 0, S, S});
    Mask.Canvas()->Brush()->SetColor(clBlack);
    Mask.Canvas()->FillRect(TRect{0, 0, S / 2, S});
    ICONINFO Info{TRUE, 0, 0, Mask.Handle(), Colour.Handle()};
    TIcon Icon;
    Icon.SetHandle(CreateIconIndirect(&Info));
    TBitmap32 B;
    B.Assign(&Icon);
    ASSERT_EQ(S, B.Width());
    EXPECT_EQ(0xFFFF0000u, B.Pixel(2, 5));
    EXPECT_EQ(0u, B.Pixel(S - 2, 5) >> 24);
}

TEST(Ras32GDIPictures, ExportKeepsAlphaAndEmptyPicturesEmpty)
{
    TBitmap32 B;
    B.SetSize(2, 2);
    B.Clear(0x40FF8000);
    TBitmap Platform;
    Platform.Assign(&B);
    ASSERT_EQ(2, Platform.Width());
    EXPECT_EQ(pf32bit, Platform.PixelFormat());
    EXPECT_EQ(0x40FF8000u, static_cast<Cardinal*>(Platform.ScanLine(1))[1]);

    TPicture Picture;
    Picture.Assign(&B);  // into its bitmap
    TCustomBitmap32 Back;
    Back.Assign(&Picture);
    EXPECT_EQ(0x40FF8000u, Back.Pixel(1, 1));

    TPicture Empty;
    Back.Assign(&Empty);
    EXPECT_TRUE(Back.Empty());
    EXPECT_THROW(Back.Assign(Back.Resampler()), EConvertError);
}

TEST(Ras32GDIPictures, ClipboardBothWays)
{
    TBitmap32 B;
    B.SetSize(3, 2);
    B.Clear(0xFF204080);
    B.SetPixel(2, 1, 0xFF010203);
    Clipboard()->Assign(&B);
    TBitmap32 Back;
    Back.Assign(Clipboard());
    ASSERT_EQ(3, Back.Width());
    ASSERT_EQ(2, Back.Height());
    EXPECT_EQ(0x204080u, Back.Pixel(0, 0) & 0xFFFFFF);
    EXPECT_EQ(0x010203u, Back.Pixel(2, 1) & 0xFFFFFF);
}

TEST(Ras32GDIPictures, OtherGraphicsAreDrawnOverWhiteAndOpaque)
{
    // A half-transparent red PNG through a memory-backed bitmap, which borrows
    // a native backend to draw it and gets its own back.
    TBitmap Argb(4, 4);
    Argb.SetPixelFormat(pf32bit);
    for (Integer Y = 0; Y < 4; ++Y)
        for (Integer X = 0; X < 4; ++X) static_cast<Cardinal*>(Argb.ScanLine(Y))[X] = 0x80FF0000;
    Argb.SetAlphaFormat(afDefined);
    TPngImage Png;
    Png.Assign(&Argb);
    TCustomBitmap32 B;
    TCustomBackend* Before = B.Backend();
    B.Assign(&Png);
    EXPECT_EQ(Before, B.Backend());  // its own memory backend again
    ASSERT_EQ(4, B.Width());
    Cardinal P = B.Pixel(1, 1);
    EXPECT_EQ(0xFFu, P >> 24);
    EXPECT_EQ(0xFFu, (P >> 16) & 0xFF);
    EXPECT_NEAR(0x7F, Integer((P >> 8) & 0xFF), 2);

    // The same picture from a file; and the size of a graphic for SetSizeFrom.
    String Name = GetTempDirectory() + u"lm_ras32_gdi.png";
    Png.SaveToFile(Name);
    TBitmap32 F;
    F.LoadFromFile(Name);
    DeleteFile(Name);
    EXPECT_EQ(P, F.Pixel(2, 2));
    TBitmap32 S;
    S.SetSizeFrom(&Png);
    EXPECT_EQ(4, S.Width());
    EXPECT_EQ(ColorToColor32(clBtnFace), 0xFF000000 | ((GetSysColor(COLOR_BTNFACE) & 0xFF) << 16) |
                                             (GetSysColor(COLOR_BTNFACE) & 0xFF00) |
                                             ((GetSysColor(COLOR_BTNFACE) >> 16) & 0xFF));
}

TEST(Ras32GDIPictures, AMetafileGivesAlphaOnlyWhereItDraws)
{
    // An EMF drawn by GDI over a 40 x 30 frame: a white square in the top-left
    // quarter (which the white background alone could not tell apart) and a
    // blue one in the bottom-right; the rest is not drawn.
    HDC Screen = GetDC(nullptr);
    const Integer Dpi = GetDeviceCaps(Screen, LOGPIXELSX);
    ReleaseDC(nullptr, Screen);
    const RECT Frame{0, 0, MulDiv(40, 2540, Dpi) - 1, MulDiv(30, 2540, Dpi) - 1};
    HDC Dc = CreateEnhMetaFileW(nullptr, nullptr, &Frame, nullptr);
    const RECT TopLeft{0, 0, 20, 15}, BottomRight{20, 15, 40, 30};
    FillRect(Dc, &TopLeft, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HBRUSH Blue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(Dc, &BottomRight, Blue);
    DeleteObject(Blue);
    TMetafile M;
    M.SetHandle(CloseEnhMetaFile(Dc));
    ASSERT_NEAR(M.Width(), 40, 1);

    auto Check = [](const TCustomBitmap32& B) {
        ASSERT_GE(B.Width(), 39);
        EXPECT_EQ(B.Pixel(5, 5), 0xFFFFFFFFu);     // drawn white: opaque
        EXPECT_EQ(B.Pixel(30, 25), 0xFF0000FFu);   // drawn blue: opaque
        EXPECT_EQ(B.Pixel(30, 5), 0x00FFFFFFu);    // not drawn: transparent
        EXPECT_EQ(B.Pixel(5, 25), 0x00FFFFFFu);
    };
    TCustomBitmap32 Assigned;
    Assigned.Assign(&M);
    Check(Assigned);
    TBitmap32 Direct;
    ImportGraphicMasked(&Direct, &M);
    Check(Direct);
    // A clipboard holding only the metafile gives the same.
    Clipboard()->Assign(&M);
    TBitmap32 Pasted;
    Pasted.Assign(Clipboard());
    Check(Pasted);
}

// ---------------------------------------------------------------------------
// GDI+ through the bitmap's context

TEST(Ras32GDIPlus, ClosedPathAndGradientCoverage)
{
    TBitmap32 B;
    B.SetSize(100, 60);
    {
        TGPPtr<IGPGraphics> G = TGPGraphics::FromHDC(B.Handle());
        G->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        TGPPtr<IGPGraphicsPath> Path(new TGPGraphicsPath());
        TGPPoint Triangle[3] = {{10, 50}, {50, 5}, {90, 50}};
        Path->AddPathPolygonI(Triangle);
        Path->ClosePathFigure();
        TGPPtr<IGPBrush> Gradient(new TGPLinearGradientBrush(TGPRect{10, 0, 80, 60}, GPColorFromRGB(255, 0, 0),
                                                             GPColorFromRGB(0, 0, 255),
                                                             LinearGradientModeHorizontal));
        EXPECT_EQ(Gdiplus::Ok, G->FillPath(Gradient, Path));
        TGPPtr<IGPPen> Pen(new TGPPen(GPColorFromRGB(0, 255, 0), 1));
        EXPECT_EQ(Gdiplus::Ok, G->DrawPath(Pen, Path));
    }
    // Inside: opaque, red falling and blue rising from left to right.
    Cardinal Left = B.Pixel(30, 40), Right = B.Pixel(70, 40);
    EXPECT_EQ(0xFFu, Left >> 24);
    EXPECT_GT((Left >> 16) & 0xFF, (Right >> 16) & 0xFF);
    EXPECT_LT(Left & 0xFF, Right & 0xFF);
    // Outside the triangle: untouched.
    EXPECT_EQ(0u, B.Pixel(5, 5));
    EXPECT_EQ(0u, B.Pixel(95, 5));
    // On the closing edge (the base): the pen's green.
    EXPECT_EQ(0xFF00FF00u, B.Pixel(50, 50));
}
