// The GDI+ object layer: values, lifetimes, argument checks, caches, codecs and
// drawing through a device context. Wine's GDI+ draws no anti-aliased edges,
// so the pixel checks sample points well inside or outside shapes.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "framework/runtime/SysUtils.h"
#include "gdiplus/win/GdiPlus.h"

namespace {

// A 32-bit top-down DIB section in a memory DC, cleared to transparent black.
class TSurface {
public:
    TSurface(Integer W, Integer H) : Width(W), Height(H)
    {
        BITMAPINFO Info{};
        Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        Info.bmiHeader.biWidth = W;
        Info.bmiHeader.biHeight = -H;
        Info.bmiHeader.biPlanes = 1;
        Info.bmiHeader.biBitCount = 32;
        void* P = nullptr;
        Bitmap = CreateDIBSection(nullptr, &Info, DIB_RGB_COLORS, &P, nullptr, 0);
        Bits = static_cast<Cardinal*>(P);
        DC = CreateCompatibleDC(nullptr);
        Old = SelectObject(DC, Bitmap);
    }
    ~TSurface()
    {
        SelectObject(DC, Old);
        DeleteDC(DC);
        DeleteObject(Bitmap);
    }
    Cardinal Pixel(Integer X, Integer Y) const
    {
        GdiFlush();
        return Bits[X + Y * Width];
    }
    Integer Count(Cardinal Value) const
    {
        GdiFlush();
        Integer N = 0;
        for (Integer I = 0; I < Width * Height; ++I) N += Bits[I] == Value;
        return N;
    }

    Integer Width, Height;
    HDC DC;
    HBITMAP Bitmap;
    HGDIOBJ Old;
    Cardinal* Bits = nullptr;
};

bool RunningOnWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

// An IStream over a growing memory block.
struct TMemStream {
    IStream* Stream = nullptr;
    TMemStream() { CreateStreamOnHGlobal(nullptr, TRUE, &Stream); }
    ~TMemStream() { Stream->Release(); }
    UInt64 Size() const
    {
        STATSTG Stat{};
        Stream->Stat(&Stat, STATFLAG_NONAME);
        return Stat.cbSize.QuadPart;
    }
    void Rewind() const
    {
        LARGE_INTEGER Zero{};
        Stream->Seek(Zero, STREAM_SEEK_SET, nullptr);
    }
};

template <class F>
void ExpectAssertion(F Call)
{
    try {
        Call();
        FAIL() << "no assertion failure";
    } catch (const EAssertionFailed& E) {
        EXPECT_EQ(0u, E.Message().find(u"Assertion failure (GdiPlus")) << UTF8Encode(E.Message());
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// Values and containers

TEST(GdiPlusValues, RecordsAndColours)
{
    TGPRect R = GPRectFromRect(TRect{10, 20, 15, 22});
    EXPECT_EQ((TGPRect{10, 20, 5, 2}), R);
    EXPECT_EQ(15, GPRectRight(R));
    EXPECT_EQ(22, GPRectBottom(R));
    EXPECT_EQ(0xFF010203u, GPColorFromRGB(1, 2, 3).FArgb);
    EXPECT_EQ(0x80112233u, GPColorToARGB(GPColorFromColor32(0x80112233)));
    EXPECT_EQ(0x01020304u, GPColorFromARGB(0x01020304).FArgb);
}

TEST(GdiPlusValues, ArrayCountAndEnumerator)
{
    auto A = NewGPArray<Integer>(3);
    for (Integer I = 0; I < 3; ++I) A->SetItem(I, I + 10);
    A->SetCount(3);  // unchanged count keeps the elements
    EXPECT_EQ(11, A->GetItem(1));
    std::vector<Integer> Seen;
    for (auto E = A->GetEnumerator(); E.MoveNext();) Seen.push_back(E.GetCurrent());
    EXPECT_EQ((std::vector<Integer>{10, 11, 12}), Seen);
    A->SetCount(5);
    EXPECT_EQ(12, A->GetItem(2));
    EXPECT_EQ(0, A->GetItem(4));

    auto Empty = NewGPArray<Single>(0);
    auto E = Empty->GetEnumerator();
    EXPECT_FALSE(E.MoveNext());
    EXPECT_FALSE(E.MoveNext());
}

// ---------------------------------------------------------------------------
// Lifetimes, fonts and caches

TEST(GdiPlusObjects, NoWrapperOutlivesItsLastReference)
{
    TGPObjectCounts Before = GPObjectCounts();
    {
        TSurface S(40, 40);
        TGPPtr<IGPGraphics> G = TGPGraphics::FromHDC(S.DC);
        TGPPtr<IGPGraphicsPath> Path(new TGPGraphicsPath());
        Path->AddPathEllipseI(5, 5, 30, 30);
        TGPPtr<IGPPathGradientBrush> Brush(new TGPPathGradientBrush(Path));
        TGPPtr<IGPPen> Pen(new TGPPen(GPColorFromRGB(0, 0, 255), 2));
        TGPPtr<IGPBrush> Fill = Pen->GetPenBrushFill();
        TGPPtr<IGPMatrix> M;
        Pen->GetPenTransform(M);
        G->FillPath(Brush, Path);
        G->DrawPath(Pen, Path);
        TGPPtr<IGPRegion> Clip;
        G->GetClip(Clip);
        TGPPtr<IGPGraphicsPath> Copy;
        Path->Clone(Copy);
        EXPECT_EQ(8, GPObjectCounts().Created - Before.Created);  // every wrapper made above
    }
    TGPObjectCounts After = GPObjectCounts();
    EXPECT_EQ(After.Created - Before.Created, After.Freed - Before.Freed);
}

TEST(GdiPlusFonts, UnknownFamilyIsNotAvailable)
{
    TGPPtr<IGPFontFamily> Family(new TGPFontFamily(u"No Such Family Anywhere"));
    EXPECT_FALSE(Family->IsAvailable());
    EXPECT_EQ(nullptr, Family->GetNativeHandle());
    TGPPtr<IGPFont> Font(new TGPFont(Family, 12, 0, UnitPixel));
    EXPECT_FALSE(Font->IsAvailable());
    TGPPtr<IGPFont> ByName(new TGPFont(u"No Such Family Anywhere", 12));
    EXPECT_FALSE(ByName->IsAvailable());
    // Drawing with it reports an error and draws nothing.
    TSurface S(20, 20);
    TGPPtr<IGPGraphics> G = TGPGraphics::FromHDC(S.DC);
    TGPPtr<IGPBrush> Brush(new TGPSolidBrush(GPColorFromRGB(0, 0, 0)));
    EXPECT_NE(Gdiplus::Ok, G->DrawString(u"x", Font, TGPPointF{0, 0}, Brush));
    EXPECT_EQ(400, S.Count(0));
}

TEST(GdiPlusFonts, MappedFamiliesAndGenericCache)
{
    TGPPtr<IGPFontFamily> Arial(new TGPFontFamily(u"Arial"));
    EXPECT_TRUE(Arial->IsAvailable());
    EXPECT_TRUE(Arial->IsStyleAvailable(Gdiplus::FontStyleRegular));
    EXPECT_GT(Arial->GetEmHeight(0), 0);

    TGPPtr<IGPFontFamily> A = TGPFontFamily::GenericSansSerif();
    TGPPtr<IGPFontFamily> B = TGPFontFamily::GenericSansSerif();
    EXPECT_EQ(A.get(), B.get());
    EXPECT_TRUE(A->IsAvailable());
    String Name = A->GetFamilyName();
    EXPECT_FALSE(Name.empty());
    EXPECT_LE(Name.size(), 32u);
    EXPECT_EQ(TGPStringFormat::GenericDefault().get(), TGPStringFormat::GenericDefault().get());
    EXPECT_NE(TGPStringFormat::GenericDefault().get(), TGPStringFormat::GenericTypographic().get());
}

TEST(GdiPlusFonts, CachesAreFilledOnceAcrossThreads)
{
    std::vector<IGPFontFamily*> Families(8);
    std::vector<IGPImageFormat*> Codecs(8);
    std::vector<std::thread> Threads;
    for (size_t I = 0; I < Families.size(); ++I)
        Threads.emplace_back([&, I] {
            Families[I] = TGPFontFamily::GenericMonospace().get();
            Codecs[I] = GetJpegCodec().get();
        });
    for (auto& T : Threads) T.join();
    for (size_t I = 1; I < Families.size(); ++I) {
        EXPECT_EQ(Families[0], Families[I]);
        EXPECT_EQ(Codecs[0], Codecs[I]);
    }
}

// ---------------------------------------------------------------------------
// Argument checks

TEST(GdiPlusChecks, EmptyAndMismatchedArraysRaise)
{
    TGPColor Colors[3] = {GPColorFromRGB(1, 0, 0), GPColorFromRGB(0, 1, 0), GPColorFromRGB(0, 0, 1)};
    Single Two[2] = {0, 1};
    ExpectAssertion([&] { TGPPtr<IGPColorBlend> B(new TGPColorBlend(Colors, Two)); });
    ExpectAssertion([&] { TGPPtr<IGPBlend> B(new TGPBlend(std::span<const Single>(), std::span<const Single>())); });

    TSurface S(10, 10);
    TGPPtr<IGPGraphics> G = TGPGraphics::FromHDC(S.DC);
    TGPPtr<IGPPen> Pen(new TGPPen(GPColorFromRGB(0, 0, 0)));
    TGPPoint Five[5] = {};
    ExpectAssertion([&] { G->DrawLinesI(Pen, std::span<const TGPPoint>(), 0); });
    ExpectAssertion([&] { G->DrawLinesI(Pen, Five, 6); });  // more than the array holds
    ExpectAssertion([&] { TGPPtr<IGPGraphics> Bad(new TGPGraphics(TGPPtr<IGPImage>())); });

    TGPPtr<IGPLinearGradientBrush> Line(new TGPLinearGradientBrush(TGPPoint{0, 0}, TGPPoint{10, 0},
                                                                   GPColorFromRGB(0, 0, 0), GPColorFromRGB(9, 9, 9)));
    ExpectAssertion([&] { Line->SetLinePresetBlend(nullptr); });
    TGPPtr<IGPGraphicsPath> Path(new TGPGraphicsPath());
    Path->AddPathRectangleI(TGPRect{0, 0, 4, 4});
    TGPPtr<IGPPathGradientBrush> Radial(new TGPPathGradientBrush(Path));
    ExpectAssertion([&] { Radial->SetPathGradientPresetBlend(nullptr); });
}

// ---------------------------------------------------------------------------
// Brushes and pens

TEST(GdiPlusBrushes, PenFillHatchAndCloneIndependence)
{
    TGPPtr<IGPPen> Pen(new TGPPen(GPColorFromARGB(0xFF123456), 3));
    TGPPtr<IGPBrush> Fill = Pen->GetPenBrushFill();
    ASSERT_TRUE(Fill);
    EXPECT_EQ(Gdiplus::BrushTypeSolidColor, Fill->GetBrushType());
    TGPPtr<IGPSolidBrush> Solid;
    ASSERT_TRUE(Supports<IGPSolidBrush>(Fill.get(), Solid));
    EXPECT_EQ(0xFF123456u, Solid->GetSolidFillColor().FArgb);

    TGPPtr<IGPPen> Copy = Pen->Clone();
    Copy->SetPenWidth(7);
    EXPECT_EQ(3.0f, Pen->GetPenWidth());
    EXPECT_EQ(7.0f, Copy->GetPenWidth());

    TGPPtr<IGPHatchBrush> Hatch(new TGPHatchBrush(Gdiplus::HatchStyleCross, GPColorFromRGB(255, 0, 0)));
    EXPECT_EQ(0xFF000000u, Hatch->GetHatchBackgroundColor().FArgb);
    EXPECT_EQ(0xFFFF0000u, Hatch->GetHatchForegroundColor().FArgb);
    // A cloned brush is a plain brush of the same kind.
    TGPPtr<IGPBrush> HatchCopy = Hatch->Clone();
    EXPECT_EQ(Gdiplus::BrushTypeHatchFill, HatchCopy->GetBrushType());
    EXPECT_FALSE(Supports<IGPHatchBrush>(HatchCopy.get()));
}

TEST(GdiPlusBrushes, SurroundColoursAndBlends)
{
    TGPPoint Square[4] = {{0, 0}, {20, 0}, {20, 20}, {0, 20}};
    TGPPtr<IGPPathGradientBrush> Brush(new TGPPathGradientBrush(Square, WrapModeClamp));
    EXPECT_EQ(4, Brush->GetPathGradientPointCount());
    auto Colors = NewGPArray<TGPColor>(4);
    for (Integer I = 0; I < 4; ++I) Colors->SetItem(I, GPColorFromRGB(Byte(I * 60), 0, 0));
    EXPECT_EQ(Gdiplus::Ok, Brush->SetPathGradientSurroundColorsWithCount(Colors));
    EXPECT_EQ(4, Colors->GetCount());
    auto Back = Brush->GetPathGradientSurroundColorsWithCount();
    ASSERT_EQ(4, Back->GetCount());
    EXPECT_EQ(GPColorFromRGB(120, 0, 0), Back->GetItem(2));

    TGPPtr<IGPLinearGradientBrush> Line(new TGPLinearGradientBrush(TGPRect{0, 0, 100, 10}, GPColorFromRGB(255, 0, 0),
                                                                   GPColorFromRGB(0, 0, 255),
                                                                   LinearGradientModeHorizontal));
    TGPColor Stops[3] = {GPColorFromRGB(255, 0, 0), GPColorFromRGB(0, 255, 0), GPColorFromRGB(0, 0, 255)};
    Single Positions[3] = {0, 0.5f, 1};
    EXPECT_EQ(Gdiplus::Ok, Line->SetLinePresetBlend(TGPPtr<IGPColorBlend>(new TGPColorBlend(Stops, Positions))));
    auto Preset = Line->GetLinePresetBlend();
    ASSERT_EQ(3, Preset->GetCount());
    EXPECT_EQ(0.5f, Preset->GetPosition(1));
    EXPECT_EQ(GPColorFromRGB(0, 255, 0), Preset->GetColor(1));
    EXPECT_EQ(Gdiplus::Ok, Line->SetLineGammaCorrection(true));
    EXPECT_TRUE(Line->GetLineGammaCorrection());
}

// ---------------------------------------------------------------------------
// Paths, regions, matrices

TEST(GdiPlusGeometry, RegionCombinations)
{
    TGPPtr<IGPRegion> R(new TGPRegion(TGPRect{0, 0, 10, 10}));
    R->Union(TGPRect{20, 0, 10, 10});
    EXPECT_TRUE(R->IsVisiblePointI(5, 5));
    EXPECT_TRUE(R->IsVisiblePointI(25, 5));
    EXPECT_FALSE(R->IsVisiblePointI(15, 5));

    // Complement: B minus A.
    TGPPtr<IGPRegion> A(new TGPRegion(TGPRect{0, 0, 10, 10}));
    TGPPtr<IGPRegion> B(new TGPRegion(TGPRect{5, 0, 10, 10}));
    A->Complement(B);
    EXPECT_FALSE(A->IsVisiblePointI(2, 5));
    EXPECT_FALSE(A->IsVisiblePointI(7, 5));
    EXPECT_TRUE(A->IsVisiblePointI(12, 5));

    TGPPtr<IGPBuffer> Data = A->GetRegionData();
    EXPECT_GT(Data->GetSize(), 0u);
    TGPPtr<IGPRegion> Copy(new TGPRegion(Data->GetData(), static_cast<Integer>(Data->GetSize())));
    EXPECT_TRUE(Copy->IsVisiblePointI(12, 5));
    EXPECT_FALSE(Copy->IsVisiblePointI(7, 5));

    EXPECT_EQ(nullptr, TGPRegion::FromHRGN(nullptr).get());
}

TEST(GdiPlusGeometry, MatricesAndPaths)
{
    TGPPtr<IGPMatrix> M(new TGPMatrix());
    M->RotateAt(90, TGPPointF{10, 10}, Gdiplus::MatrixOrderPrepend);
    TGPPointF P{20, 10};
    M->TransformPoint(P);
    EXPECT_NEAR(10, P.X, 1e-4);
    EXPECT_NEAR(20, P.Y, 1e-4);
    M->Reset();
    EXPECT_TRUE(M->IsMatrixIdentity());

    TGPPtr<IGPGraphicsPath> Path(new TGPGraphicsPath());
    Path->AddPathRectangleI(TGPRect{1, 2, 3, 4});
    EXPECT_EQ(Gdiplus::Ok, Path->TransformPath(nullptr));
    TGPRect Bounds;
    Path->GetPathWorldBoundsI(Bounds);
    EXPECT_EQ((TGPRect{1, 2, 3, 4}), Bounds);
    auto Types = Path->GetPathTypes();
    ASSERT_EQ(4, Types->GetCount());
    EXPECT_EQ(0x81, Types->GetItem(3));
    TGPPtr<IGPPathData> Data;
    EXPECT_EQ(Gdiplus::Ok, Path->GetPathData(Data));
    ASSERT_EQ(4, Data->GetCount());
    EXPECT_EQ((TGPPointF{4, 6}), Data->GetPoint(2));
}

// ---------------------------------------------------------------------------
// Drawing through a device context

TEST(GdiPlusDrawing, LinesPolygonsAndClip)
{
    TSurface S(60, 60);
    TGPPtr<IGPGraphics> G = TGPGraphics::FromHDC(S.DC);
    TGPPtr<IGPPen> Pen(new TGPPen(GPColorFromRGB(255, 0, 0), 1));
    // Five points, Count 3: two segments, the third never drawn.
    TGPPoint Pts[5] = {{5, 5}, {50, 5}, {50, 50}, {5, 50}, {5, 6}};
    EXPECT_EQ(Gdiplus::Ok, G->DrawLinesI(Pen, Pts, 3));
    G->Flush();
    EXPECT_EQ(0xFFFF0000u, S.Pixel(27, 5));
    EXPECT_EQ(0xFFFF0000u, S.Pixel(50, 27));
    EXPECT_EQ(0u, S.Pixel(27, 50));

    // A self-crossing star under the alternate rule leaves its centre empty.
    TSurface T(100, 100);
    TGPPtr<IGPGraphics> G2 = TGPGraphics::FromHDC(T.DC);
    TGPPtr<IGPBrush> Blue(new TGPSolidBrush(GPColorFromRGB(0, 0, 255)));
    TGPPoint Star[5] = {{50, 2}, {79, 92}, {2, 36}, {98, 36}, {21, 92}};
    EXPECT_EQ(Gdiplus::Ok, G2->FillPolygonI(Blue, Star, 5));
    G2->Flush();
    EXPECT_EQ(0u, T.Pixel(50, 55));
    EXPECT_EQ(0xFF0000FFu, T.Pixel(50, 20));

    // Clip: replace, intersect, exclude.
    TSurface C(40, 10);
    TGPPtr<IGPGraphics> G3 = TGPGraphics::FromHDC(C.DC);
    TGPPtr<IGPRegion> Left(new TGPRegion(TGPRect{0, 0, 30, 10}));
    TGPPtr<IGPRegion> Right(new TGPRegion(TGPRect{10, 0, 30, 10}));
    TGPPtr<IGPRegion> Middle(new TGPRegion(TGPRect{18, 0, 4, 10}));
    G3->SetClip(Left);
    G3->IntersectClip(Right);
    G3->ExcludeClip(Middle);
    G3->FillRectangleI(Blue, 0, 0, 40, 10);
    G3->Flush();
    const struct {
        Integer X;
        bool Filled;
    } Cases[] = {{5, false}, {12, true}, {19, false}, {25, true}, {35, false}};
    for (auto& Case : Cases) EXPECT_EQ(Case.Filled, C.Pixel(Case.X, 5) == 0xFF0000FFu) << Case.X;
}

TEST(GdiPlusDrawing, PathGradientAndTextCoverage)
{
    TSurface S(100, 100);
    {
        TGPPtr<IGPGraphics> G = TGPGraphics::FromHDC(S.DC);
        G->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        EXPECT_EQ(Gdiplus::SmoothingModeAntiAlias, G->GetSmoothingMode());
        TGPPtr<IGPGraphicsPath> Path(new TGPGraphicsPath());
        Path->AddPathEllipseI(10, 10, 80, 80);
        TGPPtr<IGPPathGradientBrush> Brush(new TGPPathGradientBrush(Path));
        Brush->SetPathGradientCenterColor(GPColorFromRGB(255, 0, 0));
        auto Surround = NewGPArray<TGPColor>(1);
        Surround->SetItem(0, GPColorFromRGB(0, 0, 255));
        Brush->SetPathGradientSurroundColorsWithCount(Surround);
        EXPECT_EQ(Gdiplus::Ok, G->FillPath(Brush, Path));
    }
    Cardinal Centre = S.Pixel(50, 50), Edge = S.Pixel(50, 88);
    EXPECT_EQ(0xFFu, Centre >> 24);
    EXPECT_GT((Centre >> 16) & 0xFF, 200u);  // red in the middle
    EXPECT_GT(Edge & 0xFF, 150u);             // blue near the rim
    EXPECT_EQ(0u, S.Pixel(3, 3));             // outside the ellipse: untouched

    TSurface T(120, 40);
    {
        TGPPtr<IGPGraphics> G = TGPGraphics::FromHDC(T.DC);
        TGPPtr<IGPFont> Font(new TGPFont(u"Arial", 20, 0, UnitPixel));
        ASSERT_TRUE(Font->IsAvailable());
        TGPPtr<IGPBrush> Black(new TGPSolidBrush(GPColorFromRGB(0, 0, 0)));
        TGPRectF Box;
        EXPECT_EQ(Gdiplus::Ok, G->MeasureString(u"Hello", Font, TGPPointF{0, 0}, Box));
        EXPECT_GT(Box.Width, 20);
        EXPECT_EQ(Gdiplus::Ok, G->DrawString(u"Hello", Font, TGPPointF{60, 5}, Black));
    }
    // Unbounded text from the origin: ink right of x = 60 only.
    Integer InkLeft = 0, InkRight = 0;
    for (Integer Y = 0; Y < 40; ++Y)
        for (Integer X = 0; X < 120; ++X)
            if (T.Pixel(X, Y) >> 24) (X < 60 ? InkLeft : InkRight)++;
    EXPECT_EQ(0, InkLeft);
    EXPECT_GT(InkRight, 30);
}

// ---------------------------------------------------------------------------
// Images and codecs

TEST(GdiPlusCodecs, EncoderLookup)
{
    TGPPtr<IGPImageFormat> Jpeg = GetJpegCodec();
    ASSERT_TRUE(Jpeg);
    EXPECT_EQ(ImageFormatJPEG, Jpeg->GetGuid());
    EXPECT_EQ(Jpeg.get(), GetJpegCodec().get());

    UINT Count = 0, Size = 0;
    Gdiplus::DllExports::GdipGetImageEncodersSize(&Count, &Size);
    std::vector<Byte> Block(Size);
    auto* Codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(Block.data());
    Gdiplus::DllExports::GdipGetImageEncoders(Count, Size, Codecs);
    bool Found = false;
    TGUID CodecId = Jpeg->GetCodecId();
    for (UINT I = 0; I < Count; ++I)
        if (std::memcmp(&Codecs[I].FormatID, &ImageFormatJPEG, 16) == 0)
            Found = std::memcmp(&Codecs[I].Clsid, &CodecId, 16) == 0;
    EXPECT_TRUE(Found);

    EXPECT_EQ(nullptr, TGPImageFormat::FindByFormatId(ImageFormatEMF).get());
    ASSERT_TRUE(TGPImageFormat::FindByFormatId(ImageFormatPNG));
    EXPECT_EQ(ImageFormatPNG, TGPImageFormat::FindByFormatId(ImageFormatPNG)->GetGuid());
}

TEST(GdiPlusCodecs, EncoderParameterList)
{
    TGPPtr<IGPEncoderParameters> Params(new TGPEncoderParameters());
    Params->Add(EncoderQuality, Integer(75));
    Gdiplus::EncoderParameters* Native = Params->GetNativeParams();
    ASSERT_EQ(1u, Native->Count);
    EXPECT_EQ(1u, Native->Parameter[0].NumberOfValues);
    EXPECT_EQ(4u, Native->Parameter[0].Type);
    EXPECT_EQ(75, *static_cast<Integer*>(Native->Parameter[0].Value));
    // The platform's layout: a 32-bit count padded to the record's alignment.
    EXPECT_EQ(sizeof(void*) == 8 ? 8u : 4u, offsetof(Gdiplus::EncoderParameters, Parameter));
    EXPECT_EQ(sizeof(void*) == 8 ? 32u : 28u, sizeof(Gdiplus::EncoderParameter));

    // Thirty values one at a time move the value block; every entry keeps its own value.
    for (Integer I = 0; I < 30; ++I) Params->Add(EncoderQuality, Integer(1000 + I));
    Native = Params->GetNativeParams();
    ASSERT_EQ(31u, Native->Count);
    for (Integer I = 0; I < 30; ++I) EXPECT_EQ(1000 + I, *static_cast<Integer*>(Native->Parameter[I + 1].Value));
    Integer Seen = 0;
    for (auto E = Params->GetEnumerator(); E.MoveNext();) ++Seen;
    EXPECT_EQ(31, Seen);

    const Integer Nums[2] = {1, 2}, Dens[3] = {3, 4, 5};
    ExpectAssertion([&] { Params->Add(EncoderQuality, std::span<const Integer>(Nums), std::span<const Integer>(Dens)); });
    ExpectAssertion([&] { Params->Add(EncoderQuality, 1, 9, Nums); });
    Params->Clear();
    EXPECT_EQ(0u, Params->GetNativeParams()->Count);
}

TEST(GdiPlusCodecs, JpegQualityAndPngRoundTrip)
{
    TGPPtr<IGPBitmap> Bitmap(new TGPBitmap(64, 64, PixelFormat32bppARGB));
    for (Integer Y = 0; Y < 64; ++Y)
        for (Integer X = 0; X < 64; ++X)
            Bitmap->BitmapSetPixel(X, Y, GPColorFromRGB(Byte(X * 4), Byte(Y * 4), Byte((X * Y) & 0xFF)));

    UInt64 Sizes[2];
    const Integer Qualities[2] = {10, 100};
    for (Integer I = 0; I < 2; ++I) {
        TMemStream Out;
        TGPPtr<IGPEncoderParameters> Params(new TGPEncoderParameters());
        Params->Add(EncoderQuality, Qualities[I]);
        EXPECT_EQ(Gdiplus::Ok, Bitmap->Save(Out.Stream, GetJpegCodec(), Params));
        Sizes[I] = Out.Size();
        EXPECT_GT(Sizes[I], 100u);
    }
    if (RunningOnWine())
        EXPECT_EQ(Sizes[0], Sizes[1]) << "Wine's JPEG encoder ignores the quality";
    else
        EXPECT_LT(Sizes[0], Sizes[1]);

    TMemStream Png;
    Bitmap->BitmapSetPixel(3, 4, GPColorFromARGB(0x80102030));
    ASSERT_EQ(Gdiplus::Ok, Bitmap->Save(Png.Stream, TGPImageFormat::FindByFormatId(ImageFormatPNG)));
    Png.Rewind();
    TGPPtr<IGPBitmap> Back = TGPBitmap::FromStream(Png.Stream);
    ASSERT_EQ(64u, Back->GetImageWidth());
    EXPECT_EQ(0x80102030u, Back->BitmapGetPixel(3, 4).FArgb);
    EXPECT_EQ(GPColorFromRGB(40, 20, 50), Back->BitmapGetPixel(10, 5));
    Gdiplus::BitmapData Locked{};
    ASSERT_EQ(Gdiplus::Ok, Back->BitmapLockBits(TGPRect{0, 0, 64, 64}, Gdiplus::ImageLockModeRead,
                                                PixelFormat32bppARGB, Locked));
    EXPECT_EQ(0x80102030u, static_cast<Cardinal*>(Locked.Scan0)[3 + 4 * Locked.Stride / 4]);
    Back->BitmapUnlockBits(Locked);
}

TEST(GdiPlusCodecs, FailuresStayStatuses)
{
    ExpectAssertion([] {
        TGPPtr<IGPBitmap> B(new TGPBitmap(4, 4));
        TMemStream Out;
        B->Save(Out.Stream, TGPPtr<IGPImageFormat>());
    });
    TGPPtr<IGPImage> Missing = TGPImage::FromFile(u"C:\\no such folder\\none.png");
    EXPECT_EQ(nullptr, Missing->GetNativeHandle());
    EXPECT_EQ(0u, Missing->GetImageWidth());
    EXPECT_EQ(0, Missing->GetImagePixelFormat());
    TSurface S(4, 4);
    EXPECT_NE(Gdiplus::Ok, TGPGraphics::FromHDC(S.DC)->DrawImageRectI(Missing, 0, 0, 4, 4));

    // An absent property: an item without a block whose accessors answer 0.
    TGPPtr<IGPBitmap> B(new TGPBitmap(4, 4));
    TGPPtr<IGPPropertyItem> Item = B->GetPropertyItem(0x010F);
    EXPECT_EQ(nullptr, Item->GetNativeItem());
    EXPECT_EQ(0u, Item->GetLength());
    Item->SetId(5);
    EXPECT_EQ(0u, Item->GetId());
    EXPECT_EQ(0, B->GetPropertyIdList()->GetCount());
    EXPECT_EQ(0, B->GetImagePalette()->GetCount());
}

// Calls Wine's GDI+ lacks: the status comes back and nothing is raised or lost.
TEST(GdiPlusCodecs, MissingPlatformCallsReturnTheirStatus)
{
    TGPPtr<IGPGraphicsPath> Path(new TGPGraphicsPath(FillModeWinding));
    Path->AddPathEllipseI(0, 0, 20, 20);
    Path->AddPathEllipseI(10, 0, 20, 20);
    Integer Points = Path->GetPointCount();
    TGPStatus Outline = Path->WindingModeOutline();
    TGPPtr<IGPBitmap> Bitmap(new TGPBitmap(4, 4));
    TGPPtr<IGPEncoderParameters> Params = Bitmap->GetEncoderParameterList(GetJpegCodec()->GetCodecId());
    if (RunningOnWine()) {
        EXPECT_EQ(Gdiplus::NotImplemented, Outline);
        EXPECT_EQ(Points, Path->GetPointCount());
        EXPECT_EQ(0, Params->GetCount());
    } else {
        EXPECT_EQ(Gdiplus::Ok, Outline);
        EXPECT_GT(Params->GetCount(), 0);
    }
}
