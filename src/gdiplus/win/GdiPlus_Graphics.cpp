// Part of the GDI+ object layer (gdiplus/win/GdiPlus.h).
#include "gdiplus/win/GdiPlus_Private.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "framework/runtime/SysUtils.h"

// ---------------------------------------------------------------------------
// TGPGraphics

TGPGraphics::TGPGraphics(const TGPPtr<IGPImage>& Image)
{
    GPAssert(Image != nullptr);
    gp::GpGraphics* G = nullptr;
    GdipGetImageGraphicsContext(Nat<gp::GpImage>(Image), &G);
    FNativeHandle = G;
}

TGPGraphics::TGPGraphics(HDC DC)
{
    gp::GpGraphics* G = nullptr;
    GdipCreateFromHDC(DC, &G);
    FNativeHandle = G;
}

TGPGraphics::TGPGraphics(HDC DC, HANDLE Device)
{
    gp::GpGraphics* G = nullptr;
    GdipCreateFromHDC2(DC, Device, &G);
    FNativeHandle = G;
}

TGPGraphics::TGPGraphics(HWND Window, bool ICM)
{
    gp::GpGraphics* G = nullptr;
    if (ICM)
        GdipCreateFromHWNDICM(Window, &G);
    else
        GdipCreateFromHWND(Window, &G);
    FNativeHandle = G;
}

TGPGraphics::~TGPGraphics() { GdipDeleteGraphics(Nat<gp::GpGraphics>(this)); }

TGPPtr<IGPGraphics> TGPGraphics::FromHDC(HDC DC) { return TGPPtr<IGPGraphics>(new TGPGraphics(DC)); }

TGPPtr<IGPGraphics> TGPGraphics::FromHDC(HDC DC, HANDLE Device)
{
    return TGPPtr<IGPGraphics>(new TGPGraphics(DC, Device));
}

TGPPtr<IGPGraphics> TGPGraphics::FromHWnd(HWND Window, bool ICM)
{
    return TGPPtr<IGPGraphics>(new TGPGraphics(Window, ICM));
}

TGPPtr<IGPGraphics> TGPGraphics::FromImage(const TGPPtr<IGPImage>& Image)
{
    return TGPPtr<IGPGraphics>(new TGPGraphics(Image));
}

bool TGPGraphics::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPGraphics>(this, IID, Obj) || TGdiplusBase::GetInterface(IID, Obj);
}

namespace {
gp::GpGraphics* GraphicsOf(IGPGraphics* Graphics) { return Nat<gp::GpGraphics>(Graphics); }

template <class TTest>
bool GraphicsTest(TTest Test, IGPGraphics* Graphics)
{
    BOOL R = FALSE;
    Test(GraphicsOf(Graphics), &R);
    return R != FALSE;
}

// The first Count points of an array: at least one, and no more than it holds.
template <class T>
INT CountOf(std::span<const T> Points, Integer Count, std::source_location Where = std::source_location::current())
{
    GPAssert(!Points.empty() && Count >= 1 && static_cast<size_t>(Count) <= Points.size(), Where);
    return Count;
}

// The destination parallelogram of the point forms of DrawImage.
template <class T>
void ThreePoints(std::span<const T> Points, std::source_location Where = std::source_location::current())
{
    GPAssert(Points.size() >= 3, Where);
}
}  // namespace

TGPStatus IGPGraphics::GetRenderingOrigin(Integer& X, Integer& Y)
{
    return GdipGetRenderingOrigin(GraphicsOf(this), &X, &Y);
}

TGPStatus IGPGraphics::SetRenderingOrigin(Integer X, Integer Y) { return GdipSetRenderingOrigin(GraphicsOf(this), X, Y); }

TGPStatus IGPGraphics::GetRenderingOrigin(TGPPoint& Origin) { return GetRenderingOrigin(Origin.X, Origin.Y); }

TGPStatus IGPGraphics::SetRenderingOrigin(const TGPPoint& Origin) { return SetRenderingOrigin(Origin.X, Origin.Y); }

Integer IGPGraphics::GetCompositingMode()
{
    return ReadEnum<gp::CompositingMode>(
        [this](gp::CompositingMode* R) { return GdipGetCompositingMode(GraphicsOf(this), R); });
}

TGPStatus IGPGraphics::SetCompositingMode(Integer CompositingMode)
{
    return GdipSetCompositingMode(GraphicsOf(this), static_cast<gp::CompositingMode>(CompositingMode));
}

Integer IGPGraphics::GetCompositingQuality()
{
    return ReadEnum<gp::CompositingQuality>(
        [this](gp::CompositingQuality* R) { return GdipGetCompositingQuality(GraphicsOf(this), R); });
}

TGPStatus IGPGraphics::SetCompositingQuality(Integer CompositingQuality)
{
    return GdipSetCompositingQuality(GraphicsOf(this), static_cast<gp::CompositingQuality>(CompositingQuality));
}

Integer IGPGraphics::GetTextRenderingHint()
{
    return ReadEnum<gp::TextRenderingHint>(
        [this](gp::TextRenderingHint* R) { return GdipGetTextRenderingHint(GraphicsOf(this), R); });
}

TGPStatus IGPGraphics::SetTextRenderingHint(Integer Hint)
{
    return GdipSetTextRenderingHint(GraphicsOf(this), static_cast<gp::TextRenderingHint>(Hint));
}

Cardinal IGPGraphics::GetTextContrast()
{
    UINT R = 0;
    GdipGetTextContrast(GraphicsOf(this), &R);
    return R;
}

TGPStatus IGPGraphics::SetTextContrast(Cardinal Contrast) { return GdipSetTextContrast(GraphicsOf(this), Contrast); }

Integer IGPGraphics::GetInterpolationMode()
{
    return ReadEnum<gp::InterpolationMode>(
        [this](gp::InterpolationMode* R) { return GdipGetInterpolationMode(GraphicsOf(this), R); });
}

TGPStatus IGPGraphics::SetInterpolationMode(Integer InterpolationMode)
{
    return GdipSetInterpolationMode(GraphicsOf(this), static_cast<gp::InterpolationMode>(InterpolationMode));
}

Integer IGPGraphics::GetSmoothingMode()
{
    return ReadEnum<gp::SmoothingMode>(
        [this](gp::SmoothingMode* R) { return GdipGetSmoothingMode(GraphicsOf(this), R); });
}

TGPStatus IGPGraphics::SetSmoothingMode(Integer SmoothingMode)
{
    return GdipSetSmoothingMode(GraphicsOf(this), static_cast<gp::SmoothingMode>(SmoothingMode));
}

Integer IGPGraphics::GetPixelOffsetMode()
{
    return ReadEnum<gp::PixelOffsetMode>(
        [this](gp::PixelOffsetMode* R) { return GdipGetPixelOffsetMode(GraphicsOf(this), R); });
}

TGPStatus IGPGraphics::SetPixelOffsetMode(Integer PixelOffsetMode)
{
    return GdipSetPixelOffsetMode(GraphicsOf(this), static_cast<gp::PixelOffsetMode>(PixelOffsetMode));
}

TGPStatus IGPGraphics::GetWorldTransform(TGPPtr<IGPMatrix>& Matrix)
{
    return ReadTransform(Matrix, [this](gp::GpMatrix* M) { return GdipGetWorldTransform(GraphicsOf(this), M); });
}

TGPStatus IGPGraphics::SetWorldTransform(const TGPPtr<IGPMatrix>& Matrix)
{
    return GdipSetWorldTransform(GraphicsOf(this), Nat<gp::GpMatrix>(Matrix));
}

TGPUnit IGPGraphics::GetPageUnit()
{
    gp::Unit R = UnitWorld;
    GdipGetPageUnit(GraphicsOf(this), &R);
    return R;
}

TGPStatus IGPGraphics::SetPageUnit(TGPUnit Unit) { return GdipSetPageUnit(GraphicsOf(this), Unit); }

Single IGPGraphics::GetPageScale()
{
    Single R = 0;
    GdipGetPageScale(GraphicsOf(this), &R);
    return R;
}

TGPStatus IGPGraphics::SetPageScale(Single Scale) { return GdipSetPageScale(GraphicsOf(this), Scale); }

Single IGPGraphics::GetDpiX()
{
    Single R = 0;
    GdipGetDpiX(GraphicsOf(this), &R);
    return R;
}

Single IGPGraphics::GetDpiY()
{
    Single R = 0;
    GdipGetDpiY(GraphicsOf(this), &R);
    return R;
}

TGPStatus IGPGraphics::GetClip(TGPPtr<IGPRegion>& Region)
{
    Region = TGPPtr<IGPRegion>(new TGPRegion());
    return GdipGetClip(GraphicsOf(this), Nat<gp::GpRegion>(Region));
}

TGPStatus IGPGraphics::GetClipBounds(TGPRectF& Rect) { return GdipGetClipBounds(GraphicsOf(this), RF(&Rect)); }
TGPStatus IGPGraphics::GetClipBoundsI(TGPRect& Rect) { return GdipGetClipBoundsI(GraphicsOf(this), RI(&Rect)); }
bool IGPGraphics::IsClipEmpty() { return GraphicsTest(GdipIsClipEmpty, this); }

TGPStatus IGPGraphics::GetVisibleClipBounds(TGPRectF& Rect)
{
    return GdipGetVisibleClipBounds(GraphicsOf(this), RF(&Rect));
}

TGPStatus IGPGraphics::GetVisibleClipBoundsI(TGPRect& Rect)
{
    return GdipGetVisibleClipBoundsI(GraphicsOf(this), RI(&Rect));
}

bool IGPGraphics::IsVisibleClipEmpty() { return GraphicsTest(GdipIsVisibleClipEmpty, this); }

TGPStatus IGPGraphics::Flush(Integer Intention)
{
    return GdipFlush(GraphicsOf(this), static_cast<gp::FlushIntention>(Intention));
}

HDC IGPGraphics::GetDC()
{
    HDC R = nullptr;
    GdipGetDC(GraphicsOf(this), &R);
    return R;
}

TGPStatus IGPGraphics::ReleaseDC(HDC DC) { return GdipReleaseDC(GraphicsOf(this), DC); }

TGPStatus IGPGraphics::ResetWorldTransform() { return GdipResetWorldTransform(GraphicsOf(this)); }

TGPStatus IGPGraphics::MultiplyWorldTransform(const TGPPtr<IGPMatrix>& Matrix, Integer Order)
{
    return GdipMultiplyWorldTransform(GraphicsOf(this), Nat<gp::GpMatrix>(Matrix), MO(Order));
}

TGPStatus IGPGraphics::TranslateWorldTransform(Single DX, Single DY, Integer Order)
{
    return GdipTranslateWorldTransform(GraphicsOf(this), DX, DY, MO(Order));
}

TGPStatus IGPGraphics::ScaleWorldTransform(Single SX, Single SY, Integer Order)
{
    return GdipScaleWorldTransform(GraphicsOf(this), SX, SY, MO(Order));
}

TGPStatus IGPGraphics::RotateWorldTransform(Single Angle, Integer Order)
{
    return GdipRotateWorldTransform(GraphicsOf(this), Angle, MO(Order));
}

TGPStatus IGPGraphics::TransformPoints(Integer DestSpace, Integer SrcSpace, std::span<TGPPointF> Points)
{
    NotEmpty(Points);
    return GdipTransformPoints(GraphicsOf(this), static_cast<gp::CoordinateSpace>(DestSpace),
                               static_cast<gp::CoordinateSpace>(SrcSpace), PF(Points.data()), Len(Points));
}

TGPStatus IGPGraphics::TransformPointsI(Integer DestSpace, Integer SrcSpace, std::span<TGPPoint> Points)
{
    NotEmpty(Points);
    return GdipTransformPointsI(GraphicsOf(this), static_cast<gp::CoordinateSpace>(DestSpace),
                                static_cast<gp::CoordinateSpace>(SrcSpace), PI(Points.data()), Len(Points));
}

TGPColor IGPGraphics::GetNearestColor(TGPColor Color)
{
    GdipGetNearestColor(GraphicsOf(this), AC(&Color));
    return Color;
}

// Lines and curves

TGPStatus IGPGraphics::DrawLine(const TGPPtr<IGPPen>& Pen, Single X1, Single Y1, Single X2, Single Y2)
{
    return GdipDrawLine(GraphicsOf(this), Nat<gp::GpPen>(Pen), X1, Y1, X2, Y2);
}

TGPStatus IGPGraphics::DrawLine(const TGPPtr<IGPPen>& Pen, const TGPPointF& Pt1, const TGPPointF& Pt2)
{
    return DrawLine(Pen, Pt1.X, Pt1.Y, Pt2.X, Pt2.Y);
}

TGPStatus IGPGraphics::DrawLineI(const TGPPtr<IGPPen>& Pen, Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    return GdipDrawLineI(GraphicsOf(this), Nat<gp::GpPen>(Pen), X1, Y1, X2, Y2);
}

TGPStatus IGPGraphics::DrawLineI(const TGPPtr<IGPPen>& Pen, const TGPPoint& Pt1, const TGPPoint& Pt2)
{
    return DrawLineI(Pen, Pt1.X, Pt1.Y, Pt2.X, Pt2.Y);
}

TGPStatus IGPGraphics::DrawLines(const TGPPtr<IGPPen>& Pen, std::span<const TGPPointF> Points)
{
    NotEmpty(Points);
    return GdipDrawLines(GraphicsOf(this), Nat<gp::GpPen>(Pen), PF(Points.data()), Len(Points));
}

TGPStatus IGPGraphics::DrawLinesI(const TGPPtr<IGPPen>& Pen, std::span<const TGPPoint> Points, Integer Count)
{
    INT N = CountOf(Points, Count);
    return GdipDrawLinesI(GraphicsOf(this), Nat<gp::GpPen>(Pen), PI(Points.data()), N);
}

TGPStatus IGPGraphics::DrawArc(const TGPPtr<IGPPen>& Pen, Single X, Single Y, Single Width, Single Height,
                               Single StartAngle, Single SweepAngle)
{
    return GdipDrawArc(GraphicsOf(this), Nat<gp::GpPen>(Pen), X, Y, Width, Height, StartAngle, SweepAngle);
}

TGPStatus IGPGraphics::DrawArc(const TGPPtr<IGPPen>& Pen, const TGPRectF& Rect, Single StartAngle, Single SweepAngle)
{
    return DrawArc(Pen, Rect.X, Rect.Y, Rect.Width, Rect.Height, StartAngle, SweepAngle);
}

TGPStatus IGPGraphics::DrawArcI(const TGPPtr<IGPPen>& Pen, Integer X, Integer Y, Integer Width, Integer Height,
                                Single StartAngle, Single SweepAngle)
{
    return GdipDrawArcI(GraphicsOf(this), Nat<gp::GpPen>(Pen), X, Y, Width, Height, StartAngle, SweepAngle);
}

TGPStatus IGPGraphics::DrawArcI(const TGPPtr<IGPPen>& Pen, const TGPRect& Rect, Single StartAngle, Single SweepAngle)
{
    return DrawArcI(Pen, Rect.X, Rect.Y, Rect.Width, Rect.Height, StartAngle, SweepAngle);
}

TGPStatus IGPGraphics::DrawBezier(const TGPPtr<IGPPen>& Pen, Single X1, Single Y1, Single X2, Single Y2, Single X3,
                                  Single Y3, Single X4, Single Y4)
{
    return GdipDrawBezier(GraphicsOf(this), Nat<gp::GpPen>(Pen), X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

TGPStatus IGPGraphics::DrawBezier(const TGPPtr<IGPPen>& Pen, const TGPPointF& Pt1, const TGPPointF& Pt2,
                                  const TGPPointF& Pt3, const TGPPointF& Pt4)
{
    return DrawBezier(Pen, Pt1.X, Pt1.Y, Pt2.X, Pt2.Y, Pt3.X, Pt3.Y, Pt4.X, Pt4.Y);
}

TGPStatus IGPGraphics::DrawBezierI(const TGPPtr<IGPPen>& Pen, Integer X1, Integer Y1, Integer X2, Integer Y2,
                                   Integer X3, Integer Y3, Integer X4, Integer Y4)
{
    return GdipDrawBezierI(GraphicsOf(this), Nat<gp::GpPen>(Pen), X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

TGPStatus IGPGraphics::DrawBezierI(const TGPPtr<IGPPen>& Pen, const TGPPoint& Pt1, const TGPPoint& Pt2,
                                   const TGPPoint& Pt3, const TGPPoint& Pt4)
{
    return DrawBezierI(Pen, Pt1.X, Pt1.Y, Pt2.X, Pt2.Y, Pt3.X, Pt3.Y, Pt4.X, Pt4.Y);
}

TGPStatus IGPGraphics::DrawBeziers(const TGPPtr<IGPPen>& Pen, std::span<const TGPPointF> Points)
{
    NotEmpty(Points);
    return GdipDrawBeziers(GraphicsOf(this), Nat<gp::GpPen>(Pen), PF(Points.data()), Len(Points));
}

TGPStatus IGPGraphics::DrawBeziersI(const TGPPtr<IGPPen>& Pen, std::span<const TGPPoint> Points)
{
    NotEmpty(Points);
    return GdipDrawBeziersI(GraphicsOf(this), Nat<gp::GpPen>(Pen), PI(Points.data()), Len(Points));
}

TGPStatus IGPGraphics::DrawRectangle(const TGPPtr<IGPPen>& Pen, const TGPRectF& Rect)
{
    return DrawRectangle(Pen, Rect.X, Rect.Y, Rect.Width, Rect.Height);
}

TGPStatus IGPGraphics::DrawRectangleI(const TGPPtr<IGPPen>& Pen, const TGPRect& Rect)
{
    return DrawRectangleI(Pen, Rect.X, Rect.Y, Rect.Width, Rect.Height);
}

TGPStatus IGPGraphics::DrawRectangle(const TGPPtr<IGPPen>& Pen, Single X, Single Y, Single Width, Single Height)
{
    return GdipDrawRectangle(GraphicsOf(this), Nat<gp::GpPen>(Pen), X, Y, Width, Height);
}

TGPStatus IGPGraphics::DrawRectangleI(const TGPPtr<IGPPen>& Pen, Integer X, Integer Y, Integer Width, Integer Height)
{
    return GdipDrawRectangleI(GraphicsOf(this), Nat<gp::GpPen>(Pen), X, Y, Width, Height);
}

TGPStatus IGPGraphics::DrawRectangles(const TGPPtr<IGPPen>& Pen, std::span<const TGPRectF> Rects)
{
    NotEmpty(Rects);
    return GdipDrawRectangles(GraphicsOf(this), Nat<gp::GpPen>(Pen), RF(Rects.data()), Len(Rects));
}

TGPStatus IGPGraphics::DrawRectanglesI(const TGPPtr<IGPPen>& Pen, std::span<const TGPRect> Rects)
{
    NotEmpty(Rects);
    return GdipDrawRectanglesI(GraphicsOf(this), Nat<gp::GpPen>(Pen), RI(Rects.data()), Len(Rects));
}

TGPStatus IGPGraphics::DrawEllipse(const TGPPtr<IGPPen>& Pen, const TGPRectF& Rect)
{
    return DrawEllipse(Pen, Rect.X, Rect.Y, Rect.Width, Rect.Height);
}

TGPStatus IGPGraphics::DrawEllipse(const TGPPtr<IGPPen>& Pen, Single X, Single Y, Single Width, Single Height)
{
    return GdipDrawEllipse(GraphicsOf(this), Nat<gp::GpPen>(Pen), X, Y, Width, Height);
}

TGPStatus IGPGraphics::DrawEllipseI(const TGPPtr<IGPPen>& Pen, const TGPRect& Rect)
{
    return DrawEllipseI(Pen, Rect.X, Rect.Y, Rect.Width, Rect.Height);
}

TGPStatus IGPGraphics::DrawEllipseI(const TGPPtr<IGPPen>& Pen, Integer X, Integer Y, Integer Width, Integer Height)
{
    return GdipDrawEllipseI(GraphicsOf(this), Nat<gp::GpPen>(Pen), X, Y, Width, Height);
}

TGPStatus IGPGraphics::DrawPie(const TGPPtr<IGPPen>& Pen, const TGPRectF& Rect, Single StartAngle, Single SweepAngle)
{
    return DrawPie(Pen, Rect.X, Rect.Y, Rect.Width, Rect.Height, StartAngle, SweepAngle);
}

TGPStatus IGPGraphics::DrawPie(const TGPPtr<IGPPen>& Pen, Single X, Single Y, Single Width, Single Height,
                               Single StartAngle, Single SweepAngle)
{
    return GdipDrawPie(GraphicsOf(this), Nat<gp::GpPen>(Pen), X, Y, Width, Height, StartAngle, SweepAngle);
}

TGPStatus IGPGraphics::DrawPieI(const TGPPtr<IGPPen>& Pen, const TGPRect& Rect, Single StartAngle, Single SweepAngle)
{
    return DrawPieI(Pen, Rect.X, Rect.Y, Rect.Width, Rect.Height, StartAngle, SweepAngle);
}

TGPStatus IGPGraphics::DrawPieI(const TGPPtr<IGPPen>& Pen, Integer X, Integer Y, Integer Width, Integer Height,
                                Single StartAngle, Single SweepAngle)
{
    return GdipDrawPieI(GraphicsOf(this), Nat<gp::GpPen>(Pen), X, Y, Width, Height, StartAngle, SweepAngle);
}

TGPStatus IGPGraphics::DrawPolygon(const TGPPtr<IGPPen>& Pen, std::span<const TGPPointF> Points)
{
    NotEmpty(Points);
    return GdipDrawPolygon(GraphicsOf(this), Nat<gp::GpPen>(Pen), PF(Points.data()), Len(Points));
}

TGPStatus IGPGraphics::DrawPolygonI(const TGPPtr<IGPPen>& Pen, std::span<const TGPPoint> Points, Integer Count)
{
    INT N = CountOf(Points, Count);
    return GdipDrawPolygonI(GraphicsOf(this), Nat<gp::GpPen>(Pen), PI(Points.data()), N);
}

TGPStatus IGPGraphics::DrawPath(const TGPPtr<IGPPen>& Pen, const TGPPtr<IGPGraphicsPath>& Path)
{
    return GdipDrawPath(GraphicsOf(this), Nat<gp::GpPen>(Pen), Nat<gp::GpPath>(Path));
}

TGPStatus IGPGraphics::DrawCurve(const TGPPtr<IGPPen>& Pen, std::span<const TGPPointF> Points)
{
    NotEmpty(Points);
    return GdipDrawCurve(GraphicsOf(this), Nat<gp::GpPen>(Pen), PF(Points.data()), Len(Points));
}

TGPStatus IGPGraphics::DrawCurve2(const TGPPtr<IGPPen>& Pen, std::span<const TGPPointF> Points, Single Tension)
{
    NotEmpty(Points);
    return GdipDrawCurve2(GraphicsOf(this), Nat<gp::GpPen>(Pen), PF(Points.data()), Len(Points), Tension);
}

TGPStatus IGPGraphics::DrawCurve3(const TGPPtr<IGPPen>& Pen, std::span<const TGPPointF> Points, Integer Offset,
                                  Integer NumberOfSegments, Single Tension)
{
    NotEmpty(Points);
    return GdipDrawCurve3(GraphicsOf(this), Nat<gp::GpPen>(Pen), PF(Points.data()), Len(Points), Offset,
                          NumberOfSegments, Tension);
}

TGPStatus IGPGraphics::DrawCurveI(const TGPPtr<IGPPen>& Pen, std::span<const TGPPoint> Points)
{
    NotEmpty(Points);
    return GdipDrawCurveI(GraphicsOf(this), Nat<gp::GpPen>(Pen), PI(Points.data()), Len(Points));
}

TGPStatus IGPGraphics::DrawCurve2I(const TGPPtr<IGPPen>& Pen, std::span<const TGPPoint> Points, Single Tension)
{
    NotEmpty(Points);
    return GdipDrawCurve2I(GraphicsOf(this), Nat<gp::GpPen>(Pen), PI(Points.data()), Len(Points), Tension);
}

TGPStatus IGPGraphics::DrawCurve3I(const TGPPtr<IGPPen>& Pen, std::span<const TGPPoint> Points, Integer Offset,
                                   Integer NumberOfSegments, Single Tension)
{
    NotEmpty(Points);
    return GdipDrawCurve3I(GraphicsOf(this), Nat<gp::GpPen>(Pen), PI(Points.data()), Len(Points), Offset,
                           NumberOfSegments, Tension);
}

TGPStatus IGPGraphics::DrawClosedCurve(const TGPPtr<IGPPen>& Pen, std::span<const TGPPointF> Points)
{
    NotEmpty(Points);
    return GdipDrawClosedCurve(GraphicsOf(this), Nat<gp::GpPen>(Pen), PF(Points.data()), Len(Points));
}

TGPStatus IGPGraphics::DrawClosedCurve2(const TGPPtr<IGPPen>& Pen, std::span<const TGPPointF> Points, Single Tension)
{
    NotEmpty(Points);
    return GdipDrawClosedCurve2(GraphicsOf(this), Nat<gp::GpPen>(Pen), PF(Points.data()), Len(Points), Tension);
}

TGPStatus IGPGraphics::DrawClosedCurveI(const TGPPtr<IGPPen>& Pen, std::span<const TGPPoint> Points)
{
    NotEmpty(Points);
    return GdipDrawClosedCurveI(GraphicsOf(this), Nat<gp::GpPen>(Pen), PI(Points.data()), Len(Points));
}

TGPStatus IGPGraphics::DrawClosedCurve2I(const TGPPtr<IGPPen>& Pen, std::span<const TGPPoint> Points, Single Tension)
{
    NotEmpty(Points);
    return GdipDrawClosedCurve2I(GraphicsOf(this), Nat<gp::GpPen>(Pen), PI(Points.data()), Len(Points), Tension);
}

// Fills

TGPStatus IGPGraphics::Clear(TGPColor Color) { return GdipGraphicsClear(GraphicsOf(this), Color.FArgb); }

TGPStatus IGPGraphics::FillRectangle(const TGPPtr<IGPBrush>& Brush, const TGPRectF& Rect)
{
    return FillRectangle(Brush, Rect.X, Rect.Y, Rect.Width, Rect.Height);
}

TGPStatus IGPGraphics::FillRectangleI(const TGPPtr<IGPBrush>& Brush, const TGPRect& Rect)
{
    return FillRectangleI(Brush, Rect.X, Rect.Y, Rect.Width, Rect.Height);
}

TGPStatus IGPGraphics::FillRectangle(const TGPPtr<IGPBrush>& Brush, Single X, Single Y, Single Width, Single Height)
{
    return GdipFillRectangle(GraphicsOf(this), Nat<gp::GpBrush>(Brush), X, Y, Width, Height);
}

TGPStatus IGPGraphics::FillRectangleI(const TGPPtr<IGPBrush>& Brush, Integer X, Integer Y, Integer Width,
                                      Integer Height)
{
    return GdipFillRectangleI(GraphicsOf(this), Nat<gp::GpBrush>(Brush), X, Y, Width, Height);
}

TGPStatus IGPGraphics::FillRectangles(const TGPPtr<IGPBrush>& Brush, std::span<const TGPRectF> Rects)
{
    NotEmpty(Rects);
    return GdipFillRectangles(GraphicsOf(this), Nat<gp::GpBrush>(Brush), RF(Rects.data()), Len(Rects));
}

TGPStatus IGPGraphics::FillRectanglesI(const TGPPtr<IGPBrush>& Brush, std::span<const TGPRect> Rects)
{
    NotEmpty(Rects);
    return GdipFillRectanglesI(GraphicsOf(this), Nat<gp::GpBrush>(Brush), RI(Rects.data()), Len(Rects));
}

TGPStatus IGPGraphics::FillPolygon(const TGPPtr<IGPBrush>& Brush, std::span<const TGPPointF> Points,
                                   TGPFillMode FillMode)
{
    NotEmpty(Points);
    return GdipFillPolygon(GraphicsOf(this), Nat<gp::GpBrush>(Brush), PF(Points.data()), Len(Points), FillMode);
}

TGPStatus IGPGraphics::FillPolygonI(const TGPPtr<IGPBrush>& Brush, std::span<const TGPPoint> Points, Integer Count,
                                    TGPFillMode FillMode)
{
    INT N = CountOf(Points, Count);
    return GdipFillPolygonI(GraphicsOf(this), Nat<gp::GpBrush>(Brush), PI(Points.data()), N, FillMode);
}

TGPStatus IGPGraphics::FillEllipse(const TGPPtr<IGPBrush>& Brush, const TGPRectF& Rect)
{
    return FillEllipse(Brush, Rect.X, Rect.Y, Rect.Width, Rect.Height);
}

TGPStatus IGPGraphics::FillEllipse(const TGPPtr<IGPBrush>& Brush, Single X, Single Y, Single Width, Single Height)
{
    return GdipFillEllipse(GraphicsOf(this), Nat<gp::GpBrush>(Brush), X, Y, Width, Height);
}

TGPStatus IGPGraphics::FillEllipseI(const TGPPtr<IGPBrush>& Brush, const TGPRect& Rect)
{
    return FillEllipseI(Brush, Rect.X, Rect.Y, Rect.Width, Rect.Height);
}

TGPStatus IGPGraphics::FillEllipseI(const TGPPtr<IGPBrush>& Brush, Integer X, Integer Y, Integer Width,
                                    Integer Height)
{
    return GdipFillEllipseI(GraphicsOf(this), Nat<gp::GpBrush>(Brush), X, Y, Width, Height);
}

TGPStatus IGPGraphics::FillPie(const TGPPtr<IGPBrush>& Brush, const TGPRectF& Rect, Single StartAngle,
                               Single SweepAngle)
{
    return FillPie(Brush, Rect.X, Rect.Y, Rect.Width, Rect.Height, StartAngle, SweepAngle);
}

TGPStatus IGPGraphics::FillPie(const TGPPtr<IGPBrush>& Brush, Single X, Single Y, Single Width, Single Height,
                               Single StartAngle, Single SweepAngle)
{
    return GdipFillPie(GraphicsOf(this), Nat<gp::GpBrush>(Brush), X, Y, Width, Height, StartAngle, SweepAngle);
}

TGPStatus IGPGraphics::FillPieI(const TGPPtr<IGPBrush>& Brush, const TGPRect& Rect, Single StartAngle,
                                Single SweepAngle)
{
    return FillPieI(Brush, Rect.X, Rect.Y, Rect.Width, Rect.Height, StartAngle, SweepAngle);
}

TGPStatus IGPGraphics::FillPieI(const TGPPtr<IGPBrush>& Brush, Integer X, Integer Y, Integer Width, Integer Height,
                                Single StartAngle, Single SweepAngle)
{
    return GdipFillPieI(GraphicsOf(this), Nat<gp::GpBrush>(Brush), X, Y, Width, Height, StartAngle, SweepAngle);
}

TGPStatus IGPGraphics::FillPath(const TGPPtr<IGPBrush>& Brush, const TGPPtr<IGPGraphicsPath>& Path)
{
    return GdipFillPath(GraphicsOf(this), Nat<gp::GpBrush>(Brush), Nat<gp::GpPath>(Path));
}

TGPStatus IGPGraphics::FillClosedCurve(const TGPPtr<IGPBrush>& Brush, std::span<const TGPPointF> Points)
{
    NotEmpty(Points);
    return GdipFillClosedCurve(GraphicsOf(this), Nat<gp::GpBrush>(Brush), PF(Points.data()), Len(Points));
}

TGPStatus IGPGraphics::FillClosedCurve2(const TGPPtr<IGPBrush>& Brush, std::span<const TGPPointF> Points,
                                        Single Tension, TGPFillMode FillMode)
{
    NotEmpty(Points);
    return GdipFillClosedCurve2(GraphicsOf(this), Nat<gp::GpBrush>(Brush), PF(Points.data()), Len(Points), Tension,
                                FillMode);
}

TGPStatus IGPGraphics::FillClosedCurveI(const TGPPtr<IGPBrush>& Brush, std::span<const TGPPoint> Points)
{
    NotEmpty(Points);
    return GdipFillClosedCurveI(GraphicsOf(this), Nat<gp::GpBrush>(Brush), PI(Points.data()), Len(Points));
}

TGPStatus IGPGraphics::FillClosedCurve2I(const TGPPtr<IGPBrush>& Brush, std::span<const TGPPoint> Points,
                                         Single Tension, TGPFillMode FillMode)
{
    NotEmpty(Points);
    return GdipFillClosedCurve2I(GraphicsOf(this), Nat<gp::GpBrush>(Brush), PI(Points.data()), Len(Points), Tension,
                                 FillMode);
}

TGPStatus IGPGraphics::FillRegion(const TGPPtr<IGPBrush>& Brush, const TGPPtr<IGPRegion>& Region)
{
    return GdipFillRegion(GraphicsOf(this), Nat<gp::GpBrush>(Brush), Nat<gp::GpRegion>(Region));
}

// Text

TGPStatus IGPGraphics::DrawString(const String& Text, const TGPPtr<IGPFont>& Font, const TGPRectF& LayoutRect,
                                  const TGPPtr<IGPStringFormat>& Format, const TGPPtr<IGPBrush>& Brush)
{
    return GdipDrawString(GraphicsOf(this), W(Text), Len(Text), Nat<gp::GpFont>(Font), RF(&LayoutRect),
                          Nat<gp::GpStringFormat>(Format), Nat<gp::GpBrush>(Brush));
}

TGPStatus IGPGraphics::DrawString(const String& Text, const TGPPtr<IGPFont>& Font, const TGPPointF& Origin,
                                  const TGPPtr<IGPStringFormat>& Format, const TGPPtr<IGPBrush>& Brush)
{
    return DrawString(Text, Font, TGPRectF{Origin.X, Origin.Y, 0, 0}, Format, Brush);
}

TGPStatus IGPGraphics::DrawString(const String& Text, const TGPPtr<IGPFont>& Font, const TGPPointF& Origin,
                                  const TGPPtr<IGPBrush>& Brush)
{
    return DrawString(Text, Font, TGPRectF{Origin.X, Origin.Y, 0, 0}, nullptr, Brush);
}

TGPStatus IGPGraphics::MeasureString(const String& Text, const TGPPtr<IGPFont>& Font, const TGPRectF& LayoutRect,
                                     const TGPPtr<IGPStringFormat>& Format, TGPRectF& BoundingBox,
                                     Integer& CodepointsFitted, Integer& LinesFilled)
{
    return GdipMeasureString(GraphicsOf(this), W(Text), Len(Text), Nat<gp::GpFont>(Font), RF(&LayoutRect),
                             Nat<gp::GpStringFormat>(Format), RF(&BoundingBox), &CodepointsFitted, &LinesFilled);
}

TGPStatus IGPGraphics::MeasureString(const String& Text, const TGPPtr<IGPFont>& Font, const TGPRectF& LayoutRect,
                                     const TGPPtr<IGPStringFormat>& Format, TGPRectF& BoundingBox)
{
    return GdipMeasureString(GraphicsOf(this), W(Text), Len(Text), Nat<gp::GpFont>(Font), RF(&LayoutRect),
                             Nat<gp::GpStringFormat>(Format), RF(&BoundingBox), nullptr, nullptr);
}

TGPStatus IGPGraphics::MeasureString(const String& Text, const TGPPtr<IGPFont>& Font, const TGPRectF& LayoutRect,
                                     TGPRectF& BoundingBox)
{
    return MeasureString(Text, Font, LayoutRect, nullptr, BoundingBox);
}

TGPStatus IGPGraphics::MeasureString(const String& Text, const TGPPtr<IGPFont>& Font, const TGPPointF& Origin,
                                     const TGPPtr<IGPStringFormat>& Format, TGPRectF& BoundingBox)
{
    return MeasureString(Text, Font, TGPRectF{Origin.X, Origin.Y, 0, 0}, Format, BoundingBox);
}

TGPStatus IGPGraphics::MeasureString(const String& Text, const TGPPtr<IGPFont>& Font, const TGPPointF& Origin,
                                     TGPRectF& BoundingBox)
{
    return MeasureString(Text, Font, TGPRectF{Origin.X, Origin.Y, 0, 0}, nullptr, BoundingBox);
}

TGPStatus IGPGraphics::MeasureString(const String& Text, const TGPPtr<IGPFont>& Font, const TGPSizeF& LayoutRectSize,
                                     const TGPPtr<IGPStringFormat>& Format, TGPSizeF& Size, Integer& CodepointsFitted,
                                     Integer& LinesFilled)
{
    TGPRectF Box;
    TGPStatus Status = MeasureString(Text, Font, TGPRectF{0, 0, LayoutRectSize.Width, LayoutRectSize.Height}, Format,
                                     Box, CodepointsFitted, LinesFilled);
    Size = TGPSizeF{Box.Width, Box.Height};
    return Status;
}

TGPStatus IGPGraphics::MeasureString(const String& Text, const TGPPtr<IGPFont>& Font, const TGPSizeF& LayoutRectSize,
                                     const TGPPtr<IGPStringFormat>& Format, TGPSizeF& Size)
{
    TGPRectF Box;
    TGPStatus Status =
        MeasureString(Text, Font, TGPRectF{0, 0, LayoutRectSize.Width, LayoutRectSize.Height}, Format, Box);
    Size = TGPSizeF{Box.Width, Box.Height};
    return Status;
}

TGPPtr<IGPArray<TGPPtr<IGPRegion>>> IGPGraphics::MeasureCharacterRanges(const String& Text,
                                                                        const TGPPtr<IGPFont>& Font,
                                                                        const TGPRectF& LayoutRect,
                                                                        const TGPPtr<IGPStringFormat>& Format)
{
    Integer Count = Format ? Format->GetStringFormatMeasurableCharacterRangeCount() : 0;
    auto Result = NewGPArray<TGPPtr<IGPRegion>>(Count);
    std::vector<gp::GpRegion*> Regions(static_cast<size_t>(Count));
    for (Integer I = 0; I < Count; ++I) {
        Result->SetItem(I, TGPPtr<IGPRegion>(new TGPRegion()));
        Regions[static_cast<size_t>(I)] = Nat<gp::GpRegion>(Result->GetItem(I));
    }
    gp::RectF Layout(LayoutRect.X, LayoutRect.Y, LayoutRect.Width, LayoutRect.Height);
    GdipMeasureCharacterRanges(GraphicsOf(this), W(Text), Len(Text), Nat<gp::GpFont>(Font), Layout,
                               Nat<gp::GpStringFormat>(Format), Count, Regions.data());
    return Result;
}

TGPStatus IGPGraphics::DrawDriverString(std::span<const Word> Text, const TGPPtr<IGPFont>& Font,
                                        const TGPPtr<IGPBrush>& Brush, const TGPPointF* Positions, Integer Flags,
                                        const TGPPtr<IGPMatrix>& Matrix)
{
    return GdipDrawDriverString(GraphicsOf(this), Text.data(), Len(Text), Nat<gp::GpFont>(Font),
                                Nat<gp::GpBrush>(Brush), reinterpret_cast<const gp::PointF*>(Positions), Flags,
                                Nat<gp::GpMatrix>(Matrix));
}

TGPStatus IGPGraphics::MeasureDriverString(std::span<const Word> Text, const TGPPtr<IGPFont>& Font,
                                           const TGPPointF* Positions, Integer Flags, const TGPPtr<IGPMatrix>& Matrix,
                                           TGPRectF& BoundingBox)
{
    return GdipMeasureDriverString(GraphicsOf(this), Text.data(), Len(Text), Nat<gp::GpFont>(Font),
                                   reinterpret_cast<const gp::PointF*>(Positions), Flags, Nat<gp::GpMatrix>(Matrix),
                                   reinterpret_cast<gp::RectF*>(&BoundingBox));
}

TGPStatus IGPGraphics::DrawCachedBitmap(gp::GpCachedBitmap* CachedBitmap, Integer X, Integer Y)
{
    return GdipDrawCachedBitmap(GraphicsOf(this), CachedBitmap, X, Y);
}

// Images

TGPStatus IGPGraphics::DrawImage(const TGPPtr<IGPImage>& Image, Single X, Single Y)
{
    return GdipDrawImage(GraphicsOf(this), Nat<gp::GpImage>(Image), X, Y);
}

TGPStatus IGPGraphics::DrawImage(const TGPPtr<IGPImage>& Image, const TGPPointF& Point)
{
    return DrawImage(Image, Point.X, Point.Y);
}

TGPStatus IGPGraphics::DrawImageRect(const TGPPtr<IGPImage>& Image, Single X, Single Y, Single Width, Single Height)
{
    return GdipDrawImageRect(GraphicsOf(this), Nat<gp::GpImage>(Image), X, Y, Width, Height);
}

TGPStatus IGPGraphics::DrawImageRect(const TGPPtr<IGPImage>& Image, const TGPRectF& Rect)
{
    return DrawImageRect(Image, Rect.X, Rect.Y, Rect.Width, Rect.Height);
}

TGPStatus IGPGraphics::DrawImageI(const TGPPtr<IGPImage>& Image, Integer X, Integer Y)
{
    return GdipDrawImageI(GraphicsOf(this), Nat<gp::GpImage>(Image), X, Y);
}

TGPStatus IGPGraphics::DrawImageI(const TGPPtr<IGPImage>& Image, const TGPPoint& Point)
{
    return DrawImageI(Image, Point.X, Point.Y);
}

TGPStatus IGPGraphics::DrawImageRectI(const TGPPtr<IGPImage>& Image, const TGPRect& Rect)
{
    return DrawImageRectI(Image, Rect.X, Rect.Y, Rect.Width, Rect.Height);
}

TGPStatus IGPGraphics::DrawImageRectI(const TGPPtr<IGPImage>& Image, Integer X, Integer Y, Integer Width,
                                      Integer Height)
{
    return GdipDrawImageRectI(GraphicsOf(this), Nat<gp::GpImage>(Image), X, Y, Width, Height);
}

TGPStatus IGPGraphics::DrawImagePoints(const TGPPtr<IGPImage>& Image, std::span<const TGPPointF> DestPoints)
{
    ThreePoints(DestPoints);
    return GdipDrawImagePoints(GraphicsOf(this), Nat<gp::GpImage>(Image), PF(DestPoints.data()), 3);
}

TGPStatus IGPGraphics::DrawImagePointsI(const TGPPtr<IGPImage>& Image, std::span<const TGPPoint> DestPoints)
{
    ThreePoints(DestPoints);
    return GdipDrawImagePointsI(GraphicsOf(this), Nat<gp::GpImage>(Image), PI(DestPoints.data()), 3);
}

TGPStatus IGPGraphics::DrawImagePointRect(const TGPPtr<IGPImage>& Image, Single X, Single Y, Single SrcX, Single SrcY,
                                          Single SrcWidth, Single SrcHeight, TGPUnit SrcUnit)
{
    return GdipDrawImagePointRect(GraphicsOf(this), Nat<gp::GpImage>(Image), X, Y, SrcX, SrcY, SrcWidth, SrcHeight,
                                  SrcUnit);
}

TGPStatus IGPGraphics::DrawImageRectRect(const TGPPtr<IGPImage>& Image, const TGPRectF& DestRect, Single SrcX,
                                         Single SrcY, Single SrcWidth, Single SrcHeight, TGPUnit SrcUnit,
                                         const TGPPtr<IGPImageAttributes>& ImageAttributes,
                                         gp::DrawImageAbort Callback, void* CallbackData)
{
    return DrawImageRectRect(Image, DestRect.X, DestRect.Y, DestRect.Width, DestRect.Height, SrcX, SrcY, SrcWidth,
                             SrcHeight, SrcUnit, ImageAttributes, Callback, CallbackData);
}

TGPStatus IGPGraphics::DrawImageRectRect(const TGPPtr<IGPImage>& Image, Single DstX, Single DstY, Single DstWidth,
                                         Single DstHeight, Single SrcX, Single SrcY, Single SrcWidth,
                                         Single SrcHeight, TGPUnit SrcUnit,
                                         const TGPPtr<IGPImageAttributes>& ImageAttributes,
                                         gp::DrawImageAbort Callback, void* CallbackData)
{
    return GdipDrawImageRectRect(GraphicsOf(this), Nat<gp::GpImage>(Image), DstX, DstY, DstWidth, DstHeight, SrcX,
                                 SrcY, SrcWidth, SrcHeight, SrcUnit, Nat<gp::GpImageAttributes>(ImageAttributes),
                                 Callback, CallbackData);
}

TGPStatus IGPGraphics::DrawImagePointsRect(const TGPPtr<IGPImage>& Image, std::span<const TGPPointF> DestPoints,
                                           Single SrcX, Single SrcY, Single SrcWidth, Single SrcHeight,
                                           TGPUnit SrcUnit, const TGPPtr<IGPImageAttributes>& ImageAttributes,
                                           gp::DrawImageAbort Callback, void* CallbackData)
{
    ThreePoints(DestPoints);
    return GdipDrawImagePointsRect(GraphicsOf(this), Nat<gp::GpImage>(Image), PF(DestPoints.data()), 3, SrcX, SrcY,
                                   SrcWidth, SrcHeight, SrcUnit, Nat<gp::GpImageAttributes>(ImageAttributes),
                                   Callback, CallbackData);
}

TGPStatus IGPGraphics::DrawImagePointRectI(const TGPPtr<IGPImage>& Image, Integer X, Integer Y, Integer SrcX,
                                           Integer SrcY, Integer SrcWidth, Integer SrcHeight, TGPUnit SrcUnit)
{
    return GdipDrawImagePointRectI(GraphicsOf(this), Nat<gp::GpImage>(Image), X, Y, SrcX, SrcY, SrcWidth, SrcHeight,
                                   SrcUnit);
}

TGPStatus IGPGraphics::DrawImageRectRectI(const TGPPtr<IGPImage>& Image, const TGPRect& DestRect, Integer SrcX,
                                          Integer SrcY, Integer SrcWidth, Integer SrcHeight, TGPUnit SrcUnit,
                                          const TGPPtr<IGPImageAttributes>& ImageAttributes,
                                          gp::DrawImageAbort Callback, void* CallbackData)
{
    return DrawImageRectRectI(Image, DestRect.X, DestRect.Y, DestRect.Width, DestRect.Height, SrcX, SrcY, SrcWidth,
                              SrcHeight, SrcUnit, ImageAttributes, Callback, CallbackData);
}

TGPStatus IGPGraphics::DrawImageRectRectI(const TGPPtr<IGPImage>& Image, Integer DstX, Integer DstY, Integer DstWidth,
                                          Integer DstHeight, Integer SrcX, Integer SrcY, Integer SrcWidth,
                                          Integer SrcHeight, TGPUnit SrcUnit,
                                          const TGPPtr<IGPImageAttributes>& ImageAttributes,
                                          gp::DrawImageAbort Callback, void* CallbackData)
{
    return GdipDrawImageRectRectI(GraphicsOf(this), Nat<gp::GpImage>(Image), DstX, DstY, DstWidth, DstHeight, SrcX,
                                  SrcY, SrcWidth, SrcHeight, SrcUnit, Nat<gp::GpImageAttributes>(ImageAttributes),
                                  Callback, CallbackData);
}

TGPStatus IGPGraphics::DrawImagePointsRectI(const TGPPtr<IGPImage>& Image, std::span<const TGPPoint> DestPoints,
                                            Integer SrcX, Integer SrcY, Integer SrcWidth, Integer SrcHeight,
                                            TGPUnit SrcUnit, const TGPPtr<IGPImageAttributes>& ImageAttributes,
                                            gp::DrawImageAbort Callback, void* CallbackData)
{
    ThreePoints(DestPoints);
    return GdipDrawImagePointsRectI(GraphicsOf(this), Nat<gp::GpImage>(Image), PI(DestPoints.data()), 3, SrcX, SrcY,
                                    SrcWidth, SrcHeight, SrcUnit, Nat<gp::GpImageAttributes>(ImageAttributes),
                                    Callback, CallbackData);
}

// Metafiles

namespace {
gp::GpMetafile* MetafileOf(const TGPPtr<IGPImage>& Image)
{
    return static_cast<gp::GpMetafile*>(Nat<gp::GpImage>(Image));
}
}  // namespace

TGPStatus IGPGraphics::EnumerateMetafileDestPoint(const TGPPtr<IGPImage>& Metafile, const TGPPointF& DestPoint,
                                                  gp::EnumerateMetafileProc Callback, void* CallbackData,
                                                  const TGPPtr<IGPImageAttributes>& ImageAttributes)
{
    return GdipEnumerateMetafileDestPoint(GraphicsOf(this), MetafileOf(Metafile), *PF(&DestPoint), Callback,
                                          CallbackData, Nat<gp::GpImageAttributes>(ImageAttributes));
}

TGPStatus IGPGraphics::EnumerateMetafileDestPointI(const TGPPtr<IGPImage>& Metafile, const TGPPoint& DestPoint,
                                                   gp::EnumerateMetafileProc Callback, void* CallbackData,
                                                   const TGPPtr<IGPImageAttributes>& ImageAttributes)
{
    return GdipEnumerateMetafileDestPointI(GraphicsOf(this), MetafileOf(Metafile), *PI(&DestPoint), Callback,
                                           CallbackData, Nat<gp::GpImageAttributes>(ImageAttributes));
}

TGPStatus IGPGraphics::EnumerateMetafileDestRect(const TGPPtr<IGPImage>& Metafile, const TGPRectF& DestRect,
                                                 gp::EnumerateMetafileProc Callback, void* CallbackData,
                                                 const TGPPtr<IGPImageAttributes>& ImageAttributes)
{
    return GdipEnumerateMetafileDestRect(GraphicsOf(this), MetafileOf(Metafile), *RF(&DestRect), Callback,
                                         CallbackData, Nat<gp::GpImageAttributes>(ImageAttributes));
}

TGPStatus IGPGraphics::EnumerateMetafileDestRectI(const TGPPtr<IGPImage>& Metafile, const TGPRect& DestRect,
                                                  gp::EnumerateMetafileProc Callback, void* CallbackData,
                                                  const TGPPtr<IGPImageAttributes>& ImageAttributes)
{
    return GdipEnumerateMetafileDestRectI(GraphicsOf(this), MetafileOf(Metafile), *RI(&DestRect), Callback,
                                          CallbackData, Nat<gp::GpImageAttributes>(ImageAttributes));
}

TGPStatus IGPGraphics::EnumerateMetafileDestPoints(const TGPPtr<IGPImage>& Metafile,
                                                   std::span<const TGPPointF> DestPoints,
                                                   gp::EnumerateMetafileProc Callback, void* CallbackData,
                                                   const TGPPtr<IGPImageAttributes>& ImageAttributes)
{
    ThreePoints(DestPoints);
    return GdipEnumerateMetafileDestPoints(GraphicsOf(this), MetafileOf(Metafile), PF(DestPoints.data()), 3,
                                           Callback, CallbackData, Nat<gp::GpImageAttributes>(ImageAttributes));
}

TGPStatus IGPGraphics::EnumerateMetafileDestPointsI(const TGPPtr<IGPImage>& Metafile,
                                                    std::span<const TGPPoint> DestPoints,
                                                    gp::EnumerateMetafileProc Callback, void* CallbackData,
                                                    const TGPPtr<IGPImageAttributes>& ImageAttributes)
{
    ThreePoints(DestPoints);
    return GdipEnumerateMetafileDestPointsI(GraphicsOf(this), MetafileOf(Metafile), PI(DestPoints.data()), 3,
                                            Callback, CallbackData, Nat<gp::GpImageAttributes>(ImageAttributes));
}

TGPStatus IGPGraphics::EnumerateMetafileSrcRectDestPoint(const TGPPtr<IGPImage>& Metafile, const TGPPointF& DestPoint,
                                                         const TGPRectF& SrcRect, TGPUnit SrcUnit,
                                                         gp::EnumerateMetafileProc Callback, void* CallbackData,
                                                         const TGPPtr<IGPImageAttributes>& ImageAttributes)
{
    return GdipEnumerateMetafileSrcRectDestPoint(GraphicsOf(this), MetafileOf(Metafile), *PF(&DestPoint),
                                                 *RF(&SrcRect), SrcUnit, Callback, CallbackData,
                                                 Nat<gp::GpImageAttributes>(ImageAttributes));
}

TGPStatus IGPGraphics::EnumerateMetafileSrcRectDestPointI(const TGPPtr<IGPImage>& Metafile, const TGPPoint& DestPoint,
                                                          const TGPRect& SrcRect, TGPUnit SrcUnit,
                                                          gp::EnumerateMetafileProc Callback, void* CallbackData,
                                                          const TGPPtr<IGPImageAttributes>& ImageAttributes)
{
    return GdipEnumerateMetafileSrcRectDestPointI(GraphicsOf(this), MetafileOf(Metafile), *PI(&DestPoint),
                                                  *RI(&SrcRect), SrcUnit, Callback, CallbackData,
                                                  Nat<gp::GpImageAttributes>(ImageAttributes));
}

TGPStatus IGPGraphics::EnumerateMetafileSrcRectDestRect(const TGPPtr<IGPImage>& Metafile, const TGPRectF& DestRect,
                                                        const TGPRectF& SrcRect, TGPUnit SrcUnit,
                                                        gp::EnumerateMetafileProc Callback, void* CallbackData,
                                                        const TGPPtr<IGPImageAttributes>& ImageAttributes)
{
    return GdipEnumerateMetafileSrcRectDestRect(GraphicsOf(this), MetafileOf(Metafile), *RF(&DestRect),
                                                *RF(&SrcRect), SrcUnit, Callback, CallbackData,
                                                Nat<gp::GpImageAttributes>(ImageAttributes));
}

TGPStatus IGPGraphics::EnumerateMetafileSrcRectDestRectI(const TGPPtr<IGPImage>& Metafile, const TGPRect& DestRect,
                                                         const TGPRect& SrcRect, TGPUnit SrcUnit,
                                                         gp::EnumerateMetafileProc Callback, void* CallbackData,
                                                         const TGPPtr<IGPImageAttributes>& ImageAttributes)
{
    return GdipEnumerateMetafileSrcRectDestRectI(GraphicsOf(this), MetafileOf(Metafile), *RI(&DestRect),
                                                 *RI(&SrcRect), SrcUnit, Callback, CallbackData,
                                                 Nat<gp::GpImageAttributes>(ImageAttributes));
}

TGPStatus IGPGraphics::EnumerateMetafileSrcRectDestPoints(const TGPPtr<IGPImage>& Metafile,
                                                          std::span<const TGPPointF> DestPoints,
                                                          const TGPRectF& SrcRect, TGPUnit SrcUnit,
                                                          gp::EnumerateMetafileProc Callback, void* CallbackData,
                                                          const TGPPtr<IGPImageAttributes>& ImageAttributes)
{
    ThreePoints(DestPoints);
    return GdipEnumerateMetafileSrcRectDestPoints(GraphicsOf(this), MetafileOf(Metafile), PF(DestPoints.data()), 3,
                                                  *RF(&SrcRect), SrcUnit, Callback, CallbackData,
                                                  Nat<gp::GpImageAttributes>(ImageAttributes));
}

TGPStatus IGPGraphics::EnumerateMetafileSrcRectDestPointsI(const TGPPtr<IGPImage>& Metafile,
                                                           std::span<const TGPPoint> DestPoints,
                                                           const TGPRect& SrcRect, TGPUnit SrcUnit,
                                                           gp::EnumerateMetafileProc Callback, void* CallbackData,
                                                           const TGPPtr<IGPImageAttributes>& ImageAttributes)
{
    ThreePoints(DestPoints);
    return GdipEnumerateMetafileSrcRectDestPointsI(GraphicsOf(this), MetafileOf(Metafile), PI(DestPoints.data()), 3,
                                                   *RI(&SrcRect), SrcUnit, Callback, CallbackData,
                                                   Nat<gp::GpImageAttributes>(ImageAttributes));
}

// Clip, visibility and state

TGPStatus IGPGraphics::SetClip(const TGPPtr<IGPGraphics>& Graphics, Integer CombineMode)
{
    return GdipSetClipGraphics(GraphicsOf(this), Nat<gp::GpGraphics>(Graphics), CM(CombineMode));
}

TGPStatus IGPGraphics::SetClip(const TGPRectF& Rect, Integer CombineMode)
{
    return GdipSetClipRect(GraphicsOf(this), Rect.X, Rect.Y, Rect.Width, Rect.Height, CM(CombineMode));
}

TGPStatus IGPGraphics::SetClip(const TGPRect& Rect, Integer CombineMode)
{
    return GdipSetClipRectI(GraphicsOf(this), Rect.X, Rect.Y, Rect.Width, Rect.Height, CM(CombineMode));
}

TGPStatus IGPGraphics::SetClip(const TGPPtr<IGPGraphicsPath>& Path, Integer CombineMode)
{
    return GdipSetClipPath(GraphicsOf(this), Nat<gp::GpPath>(Path), CM(CombineMode));
}

TGPStatus IGPGraphics::SetClip(const TGPPtr<IGPRegion>& Region, Integer CombineMode)
{
    return GdipSetClipRegion(GraphicsOf(this), Nat<gp::GpRegion>(Region), CM(CombineMode));
}

TGPStatus IGPGraphics::SetClip(HRGN Rgn, Integer CombineMode)
{
    return GdipSetClipHrgn(GraphicsOf(this), Rgn, CM(CombineMode));
}

TGPStatus IGPGraphics::IntersectClip(const TGPRectF& Rect) { return SetClip(Rect, gp::CombineModeIntersect); }
TGPStatus IGPGraphics::IntersectClip(const TGPRect& Rect) { return SetClip(Rect, gp::CombineModeIntersect); }
TGPStatus IGPGraphics::IntersectClip(const TGPPtr<IGPRegion>& Region)
{
    return SetClip(Region, gp::CombineModeIntersect);
}
TGPStatus IGPGraphics::ExcludeClip(const TGPRectF& Rect) { return SetClip(Rect, gp::CombineModeExclude); }
TGPStatus IGPGraphics::ExcludeClip(const TGPRect& Rect) { return SetClip(Rect, gp::CombineModeExclude); }
TGPStatus IGPGraphics::ExcludeClip(const TGPPtr<IGPRegion>& Region) { return SetClip(Region, gp::CombineModeExclude); }
TGPStatus IGPGraphics::ResetClip() { return GdipResetClip(GraphicsOf(this)); }
TGPStatus IGPGraphics::TranslateClip(Single DX, Single DY) { return GdipTranslateClip(GraphicsOf(this), DX, DY); }
TGPStatus IGPGraphics::TranslateClipI(Integer DX, Integer DY) { return GdipTranslateClipI(GraphicsOf(this), DX, DY); }

bool IGPGraphics::IsVisiblePointI(Integer X, Integer Y)
{
    BOOL R = FALSE;
    GdipIsVisiblePointI(GraphicsOf(this), X, Y, &R);
    return R != FALSE;
}

bool IGPGraphics::IsVisiblePointI(const TGPPoint& Point) { return IsVisiblePointI(Point.X, Point.Y); }

bool IGPGraphics::IsVisibleRectI(Integer X, Integer Y, Integer Width, Integer Height)
{
    BOOL R = FALSE;
    GdipIsVisibleRectI(GraphicsOf(this), X, Y, Width, Height, &R);
    return R != FALSE;
}

bool IGPGraphics::IsVisibleRectI(const TGPRect& Rect) { return IsVisibleRectI(Rect.X, Rect.Y, Rect.Width, Rect.Height); }

bool IGPGraphics::IsVisiblePoint(Single X, Single Y)
{
    BOOL R = FALSE;
    GdipIsVisiblePoint(GraphicsOf(this), X, Y, &R);
    return R != FALSE;
}

bool IGPGraphics::IsVisiblePoint(const TGPPointF& Point) { return IsVisiblePoint(Point.X, Point.Y); }

bool IGPGraphics::IsVisibleRect(Single X, Single Y, Single Width, Single Height)
{
    BOOL R = FALSE;
    GdipIsVisibleRect(GraphicsOf(this), X, Y, Width, Height, &R);
    return R != FALSE;
}

bool IGPGraphics::IsVisibleRect(const TGPRectF& Rect) { return IsVisibleRect(Rect.X, Rect.Y, Rect.Width, Rect.Height); }

Cardinal IGPGraphics::SaveGraphics()
{
    gp::GraphicsState R = 0;
    GdipSaveGraphics(GraphicsOf(this), &R);
    return R;
}

TGPStatus IGPGraphics::RestoreGraphics(Cardinal State) { return GdipRestoreGraphics(GraphicsOf(this), State); }

Cardinal IGPGraphics::BeginContainer(const TGPRectF& DstRect, const TGPRectF& SrcRect, TGPUnit Unit)
{
    gp::GraphicsContainer R = 0;
    GdipBeginContainer(GraphicsOf(this), RF(&DstRect), RF(&SrcRect), Unit, &R);
    return R;
}

Cardinal IGPGraphics::BeginContainerI(const TGPRect& DstRect, const TGPRect& SrcRect, TGPUnit Unit)
{
    gp::GraphicsContainer R = 0;
    GdipBeginContainerI(GraphicsOf(this), RI(&DstRect), RI(&SrcRect), Unit, &R);
    return R;
}

Cardinal IGPGraphics::BeginContainer()
{
    gp::GraphicsContainer R = 0;
    GdipBeginContainer2(GraphicsOf(this), &R);
    return R;
}

TGPStatus IGPGraphics::EndContainer(Cardinal State) { return GdipEndContainer(GraphicsOf(this), State); }

TGPStatus IGPGraphics::Comment(std::span<const Byte> Data)
{
    return GdipComment(GraphicsOf(this), static_cast<UINT>(Data.size()), Data.data());
}
