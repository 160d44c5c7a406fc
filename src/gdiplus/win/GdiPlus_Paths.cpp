// Part of the GDI+ object layer (gdiplus/win/GdiPlus.h).
#include "gdiplus/win/GdiPlus_Private.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "framework/runtime/SysUtils.h"

// ---------------------------------------------------------------------------
// TGPPathData

TGPPathData::TGPPathData(Integer Count) { SetCount(Count); }

void TGPPathData::SetCount(Integer Value)
{
    if (Value < 0) Value = 0;
    if (Value == GetCount()) return;
    FPoints.resize(static_cast<size_t>(Value));
    FTypes.resize(static_cast<size_t>(Value));
}

void* TGPPathData::GetNativePathData()
{
    FNative.Count = GetCount();
    FNative.Points = FPoints.data();
    FNative.Types = FTypes.data();
    return &FNative;
}

bool TGPPathData::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPPathData>(this, IID, Obj) || TInterfacedObject::GetInterface(IID, Obj);
}

// ---------------------------------------------------------------------------
// TGPGraphicsPath

TGPGraphicsPath::TGPGraphicsPath(TGPFillMode FillMode)
{
    gp::GpPath* P = nullptr;
    GdipCreatePath(FillMode, &P);
    FNativeHandle = P;
}

TGPGraphicsPath::TGPGraphicsPath(std::span<const TGPPointF> Points, std::span<const Byte> Types,
                                 TGPFillMode FillMode)
{
    NotEmpty(Points);
    NotEmpty(Types);
    GPAssert(Points.size() == Types.size());
    gp::GpPath* P = nullptr;
    GdipCreatePath2(PF(Points.data()), Types.data(), Len(Points), FillMode, &P);
    FNativeHandle = P;
}

TGPGraphicsPath::TGPGraphicsPath(std::span<const TGPPoint> Points, std::span<const Byte> Types, TGPFillMode FillMode)
{
    NotEmpty(Points);
    NotEmpty(Types);
    GPAssert(Points.size() == Types.size());
    gp::GpPath* P = nullptr;
    GdipCreatePath2I(PI(Points.data()), Types.data(), Len(Points), FillMode, &P);
    FNativeHandle = P;
}

TGPGraphicsPath::~TGPGraphicsPath() { GdipDeletePath(Nat<gp::GpPath>(this)); }

bool TGPGraphicsPath::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPGraphicsPath>(this, IID, Obj) || TGdiplusBase::GetInterface(IID, Obj);
}

namespace {
gp::GpPath* PathOf(IGPGraphicsPath* Path) { return Nat<gp::GpPath>(Path); }
}  // namespace

TGPFillMode IGPGraphicsPath::GetPathFillMode()
{
    gp::FillMode R = FillModeAlternate;
    GdipGetPathFillMode(PathOf(this), &R);
    return R;
}

TGPStatus IGPGraphicsPath::SetPathFillMode(TGPFillMode FillMode) { return GdipSetPathFillMode(PathOf(this), FillMode); }

TGPStatus IGPGraphicsPath::GetPathData(TGPPtr<IGPPathData>& Data)
{
    Data = TGPPtr<IGPPathData>(new TGPPathData(GetPointCount()));
    return GdipGetPathData(PathOf(this), static_cast<gp::GpPathData*>(Data->GetNativePathData()));
}

Integer IGPGraphicsPath::GetPointCount()
{
    INT R = 0;
    GdipGetPointCount(PathOf(this), &R);
    return R;
}

TGPPtr<IGPArray<Byte>> IGPGraphicsPath::GetPathTypes()
{
    Integer Count = GetPointCount();
    auto Result = NewGPArray<Byte>(Count);
    if (Count > 0) GdipGetPathTypes(PathOf(this), Result->GetItems(), Count);
    return Result;
}

TGPPtr<IGPArray<TGPPointF>> IGPGraphicsPath::GetPathPoints()
{
    Integer Count = GetPointCount();
    auto Result = NewGPArray<TGPPointF>(Count);
    if (Count > 0) GdipGetPathPoints(PathOf(this), PF(Result->GetItems()), Count);
    return Result;
}

TGPPtr<IGPArray<TGPPoint>> IGPGraphicsPath::GetPathPointsI()
{
    Integer Count = GetPointCount();
    auto Result = NewGPArray<TGPPoint>(Count);
    if (Count > 0) GdipGetPathPointsI(PathOf(this), PI(Result->GetItems()), Count);
    return Result;
}

TGPStatus IGPGraphicsPath::Clone(TGPPtr<IGPGraphicsPath>& Path)
{
    gp::GpPath* P = nullptr;
    TGPStatus Status = GdipClonePath(PathOf(this), &P);
    Path = TGPPtr<IGPGraphicsPath>(new TGPGraphicsPath(P));
    return Status;
}

TGPStatus IGPGraphicsPath::ResetPath() { return GdipResetPath(PathOf(this)); }
TGPStatus IGPGraphicsPath::StartPathFigure() { return GdipStartPathFigure(PathOf(this)); }
TGPStatus IGPGraphicsPath::ClosePathFigure() { return GdipClosePathFigure(PathOf(this)); }
TGPStatus IGPGraphicsPath::ClosePathFigures() { return GdipClosePathFigures(PathOf(this)); }
TGPStatus IGPGraphicsPath::SetPathMarker() { return GdipSetPathMarker(PathOf(this)); }
TGPStatus IGPGraphicsPath::ClearPathMarkers() { return GdipClearPathMarkers(PathOf(this)); }
TGPStatus IGPGraphicsPath::ReversePath() { return GdipReversePath(PathOf(this)); }

TGPStatus IGPGraphicsPath::GetPathLastPoint(TGPPointF& Point)
{
    return GdipGetPathLastPoint(PathOf(this), PF(&Point));
}

TGPStatus IGPGraphicsPath::AddPathLine(const TGPPointF& Pt1, const TGPPointF& Pt2)
{
    return AddPathLine(Pt1.X, Pt1.Y, Pt2.X, Pt2.Y);
}

TGPStatus IGPGraphicsPath::AddPathLine(Single X1, Single Y1, Single X2, Single Y2)
{
    return GdipAddPathLine(PathOf(this), X1, Y1, X2, Y2);
}

TGPStatus IGPGraphicsPath::AddPathLineI(const TGPPoint& Pt1, const TGPPoint& Pt2)
{
    return AddPathLineI(Pt1.X, Pt1.Y, Pt2.X, Pt2.Y);
}

TGPStatus IGPGraphicsPath::AddPathLineI(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    return GdipAddPathLineI(PathOf(this), X1, Y1, X2, Y2);
}

TGPStatus IGPGraphicsPath::AddPathLine2(std::span<const TGPPointF> Points)
{
    NotEmpty(Points);
    return GdipAddPathLine2(PathOf(this), PF(Points.data()), Len(Points));
}

TGPStatus IGPGraphicsPath::AddPathLine2I(std::span<const TGPPoint> Points)
{
    NotEmpty(Points);
    return GdipAddPathLine2I(PathOf(this), PI(Points.data()), Len(Points));
}

TGPStatus IGPGraphicsPath::AddPathArc(const TGPRectF& Rect, Single StartAngle, Single SweepAngle)
{
    return AddPathArc(Rect.X, Rect.Y, Rect.Width, Rect.Height, StartAngle, SweepAngle);
}

TGPStatus IGPGraphicsPath::AddPathArc(Single X, Single Y, Single Width, Single Height, Single StartAngle,
                                      Single SweepAngle)
{
    return GdipAddPathArc(PathOf(this), X, Y, Width, Height, StartAngle, SweepAngle);
}

TGPStatus IGPGraphicsPath::AddPathArcI(const TGPRect& Rect, Single StartAngle, Single SweepAngle)
{
    return AddPathArcI(Rect.X, Rect.Y, Rect.Width, Rect.Height, StartAngle, SweepAngle);
}

TGPStatus IGPGraphicsPath::AddPathArcI(Integer X, Integer Y, Integer Width, Integer Height, Single StartAngle,
                                       Single SweepAngle)
{
    return GdipAddPathArcI(PathOf(this), X, Y, Width, Height, StartAngle, SweepAngle);
}

TGPStatus IGPGraphicsPath::AddPathBezier(const TGPPointF& Pt1, const TGPPointF& Pt2, const TGPPointF& Pt3,
                                         const TGPPointF& Pt4)
{
    return AddPathBezier(Pt1.X, Pt1.Y, Pt2.X, Pt2.Y, Pt3.X, Pt3.Y, Pt4.X, Pt4.Y);
}

TGPStatus IGPGraphicsPath::AddPathBezier(Single X1, Single Y1, Single X2, Single Y2, Single X3, Single Y3, Single X4,
                                         Single Y4)
{
    return GdipAddPathBezier(PathOf(this), X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

TGPStatus IGPGraphicsPath::AddPathBezierI(const TGPPoint& Pt1, const TGPPoint& Pt2, const TGPPoint& Pt3,
                                          const TGPPoint& Pt4)
{
    return AddPathBezierI(Pt1.X, Pt1.Y, Pt2.X, Pt2.Y, Pt3.X, Pt3.Y, Pt4.X, Pt4.Y);
}

TGPStatus IGPGraphicsPath::AddPathBezierI(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3,
                                          Integer X4, Integer Y4)
{
    return GdipAddPathBezierI(PathOf(this), X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

TGPStatus IGPGraphicsPath::AddPathBeziers(std::span<const TGPPointF> Points)
{
    NotEmpty(Points);
    return GdipAddPathBeziers(PathOf(this), PF(Points.data()), Len(Points));
}

TGPStatus IGPGraphicsPath::AddPathBeziersI(std::span<const TGPPoint> Points)
{
    NotEmpty(Points);
    return GdipAddPathBeziersI(PathOf(this), PI(Points.data()), Len(Points));
}

TGPStatus IGPGraphicsPath::AddPathCurve(std::span<const TGPPointF> Points)
{
    NotEmpty(Points);
    return GdipAddPathCurve(PathOf(this), PF(Points.data()), Len(Points));
}

TGPStatus IGPGraphicsPath::AddPathCurve2(std::span<const TGPPointF> Points, Single Tension)
{
    NotEmpty(Points);
    return GdipAddPathCurve2(PathOf(this), PF(Points.data()), Len(Points), Tension);
}

TGPStatus IGPGraphicsPath::AddPathCurve3(std::span<const TGPPointF> Points, Integer Offset, Integer NumberOfSegments,
                                         Single Tension)
{
    NotEmpty(Points);
    return GdipAddPathCurve3(PathOf(this), PF(Points.data()), Len(Points), Offset, NumberOfSegments, Tension);
}

TGPStatus IGPGraphicsPath::AddPathCurveI(std::span<const TGPPoint> Points)
{
    NotEmpty(Points);
    return GdipAddPathCurveI(PathOf(this), PI(Points.data()), Len(Points));
}

TGPStatus IGPGraphicsPath::AddPathCurve2I(std::span<const TGPPoint> Points, Single Tension)
{
    NotEmpty(Points);
    return GdipAddPathCurve2I(PathOf(this), PI(Points.data()), Len(Points), Tension);
}

TGPStatus IGPGraphicsPath::AddPathCurve3I(std::span<const TGPPoint> Points, Integer Offset, Integer NumberOfSegments,
                                          Single Tension)
{
    NotEmpty(Points);
    return GdipAddPathCurve3I(PathOf(this), PI(Points.data()), Len(Points), Offset, NumberOfSegments, Tension);
}

TGPStatus IGPGraphicsPath::AddPathClosedCurve(std::span<const TGPPointF> Points)
{
    NotEmpty(Points);
    return GdipAddPathClosedCurve(PathOf(this), PF(Points.data()), Len(Points));
}

TGPStatus IGPGraphicsPath::AddPathClosedCurve2(std::span<const TGPPointF> Points, Single Tension)
{
    NotEmpty(Points);
    return GdipAddPathClosedCurve2(PathOf(this), PF(Points.data()), Len(Points), Tension);
}

TGPStatus IGPGraphicsPath::AddPathClosedCurveI(std::span<const TGPPoint> Points)
{
    NotEmpty(Points);
    return GdipAddPathClosedCurveI(PathOf(this), PI(Points.data()), Len(Points));
}

TGPStatus IGPGraphicsPath::AddPathClosedCurve2I(std::span<const TGPPoint> Points, Single Tension)
{
    NotEmpty(Points);
    return GdipAddPathClosedCurve2I(PathOf(this), PI(Points.data()), Len(Points), Tension);
}

TGPStatus IGPGraphicsPath::AddPathRectangle(const TGPRectF& Rect)
{
    return GdipAddPathRectangle(PathOf(this), Rect.X, Rect.Y, Rect.Width, Rect.Height);
}

TGPStatus IGPGraphicsPath::AddPathRectangleI(const TGPRect& Rect)
{
    return GdipAddPathRectangleI(PathOf(this), Rect.X, Rect.Y, Rect.Width, Rect.Height);
}

TGPStatus IGPGraphicsPath::AddPathRectangles(std::span<const TGPRectF> Rects)
{
    NotEmpty(Rects);
    return GdipAddPathRectangles(PathOf(this), RF(Rects.data()), Len(Rects));
}

TGPStatus IGPGraphicsPath::AddPathRectanglesI(std::span<const TGPRect> Rects)
{
    NotEmpty(Rects);
    return GdipAddPathRectanglesI(PathOf(this), RI(Rects.data()), Len(Rects));
}

TGPStatus IGPGraphicsPath::AddPathEllipse(const TGPRectF& Rect)
{
    return AddPathEllipse(Rect.X, Rect.Y, Rect.Width, Rect.Height);
}

TGPStatus IGPGraphicsPath::AddPathEllipse(Single X, Single Y, Single Width, Single Height)
{
    return GdipAddPathEllipse(PathOf(this), X, Y, Width, Height);
}

TGPStatus IGPGraphicsPath::AddPathEllipseI(const TGPRect& Rect)
{
    return AddPathEllipseI(Rect.X, Rect.Y, Rect.Width, Rect.Height);
}

TGPStatus IGPGraphicsPath::AddPathEllipseI(Integer X, Integer Y, Integer Width, Integer Height)
{
    return GdipAddPathEllipseI(PathOf(this), X, Y, Width, Height);
}

TGPStatus IGPGraphicsPath::AddPathPie(const TGPRectF& Rect, Single StartAngle, Single SweepAngle)
{
    return AddPathPie(Rect.X, Rect.Y, Rect.Width, Rect.Height, StartAngle, SweepAngle);
}

TGPStatus IGPGraphicsPath::AddPathPie(Single X, Single Y, Single Width, Single Height, Single StartAngle,
                                      Single SweepAngle)
{
    return GdipAddPathPie(PathOf(this), X, Y, Width, Height, StartAngle, SweepAngle);
}

TGPStatus IGPGraphicsPath::AddPathPieI(const TGPRect& Rect, Single StartAngle, Single SweepAngle)
{
    return AddPathPieI(Rect.X, Rect.Y, Rect.Width, Rect.Height, StartAngle, SweepAngle);
}

TGPStatus IGPGraphicsPath::AddPathPieI(Integer X, Integer Y, Integer Width, Integer Height, Single StartAngle,
                                       Single SweepAngle)
{
    return GdipAddPathPieI(PathOf(this), X, Y, Width, Height, StartAngle, SweepAngle);
}

TGPStatus IGPGraphicsPath::AddPathPolygon(std::span<const TGPPointF> Points)
{
    NotEmpty(Points);
    return GdipAddPathPolygon(PathOf(this), PF(Points.data()), Len(Points));
}

TGPStatus IGPGraphicsPath::AddPathPolygonI(std::span<const TGPPoint> Points)
{
    NotEmpty(Points);
    return GdipAddPathPolygonI(PathOf(this), PI(Points.data()), Len(Points));
}

TGPStatus IGPGraphicsPath::AddPathPath(const TGPPtr<IGPGraphicsPath>& AddingPath, bool Connect)
{
    return GdipAddPathPath(PathOf(this), Nat<gp::GpPath>(AddingPath), B(Connect));
}

TGPStatus IGPGraphicsPath::AddPathString(const String& Text, const TGPPtr<IGPFontFamily>& Family, TGPFontStyle Style,
                                         Single EmSize, const TGPRectF& LayoutRect,
                                         const TGPPtr<IGPStringFormat>& Format)
{
    return GdipAddPathString(PathOf(this), W(Text), Len(Text), Nat<gp::GpFontFamily>(Family), Style, EmSize,
                             RF(&LayoutRect), Nat<gp::GpStringFormat>(Format));
}

TGPStatus IGPGraphicsPath::AddPathString(const String& Text, const TGPPtr<IGPFontFamily>& Family, TGPFontStyle Style,
                                         Single EmSize, const TGPPointF& Origin,
                                         const TGPPtr<IGPStringFormat>& Format)
{
    return AddPathString(Text, Family, Style, EmSize, TGPRectF{Origin.X, Origin.Y, 0, 0}, Format);
}

TGPStatus IGPGraphicsPath::AddPathStringI(const String& Text, const TGPPtr<IGPFontFamily>& Family,
                                          TGPFontStyle Style, Single EmSize, const TGPRect& LayoutRect,
                                          const TGPPtr<IGPStringFormat>& Format)
{
    return GdipAddPathStringI(PathOf(this), W(Text), Len(Text), Nat<gp::GpFontFamily>(Family), Style, EmSize,
                              RI(&LayoutRect), Nat<gp::GpStringFormat>(Format));
}

TGPStatus IGPGraphicsPath::AddPathStringI(const String& Text, const TGPPtr<IGPFontFamily>& Family,
                                          TGPFontStyle Style, Single EmSize, const TGPPoint& Origin,
                                          const TGPPtr<IGPStringFormat>& Format)
{
    return AddPathStringI(Text, Family, Style, EmSize, TGPRect{Origin.X, Origin.Y, 0, 0}, Format);
}

TGPStatus IGPGraphicsPath::TransformPath(const TGPPtr<IGPMatrix>& Matrix)
{
    if (!Matrix) return gp::Ok;
    return GdipTransformPath(PathOf(this), Nat<gp::GpMatrix>(Matrix));
}

TGPStatus IGPGraphicsPath::GetPathWorldBounds(TGPRectF& Bounds, const TGPPtr<IGPMatrix>& Matrix,
                                              const TGPPtr<IGPPen>& Pen)
{
    return GdipGetPathWorldBounds(PathOf(this), RF(&Bounds), Nat<gp::GpMatrix>(Matrix), Nat<gp::GpPen>(Pen));
}

TGPStatus IGPGraphicsPath::GetPathWorldBoundsI(TGPRect& Bounds, const TGPPtr<IGPMatrix>& Matrix,
                                               const TGPPtr<IGPPen>& Pen)
{
    return GdipGetPathWorldBoundsI(PathOf(this), RI(&Bounds), Nat<gp::GpMatrix>(Matrix), Nat<gp::GpPen>(Pen));
}

TGPStatus IGPGraphicsPath::FlattenPath(const TGPPtr<IGPMatrix>& Matrix, Single Flatness)
{
    return GdipFlattenPath(PathOf(this), Nat<gp::GpMatrix>(Matrix), Flatness);
}

TGPStatus IGPGraphicsPath::WidenPath(const TGPPtr<IGPPen>& Pen, const TGPPtr<IGPMatrix>& Matrix, Single Flatness)
{
    return GdipWidenPath(PathOf(this), Nat<gp::GpPen>(Pen), Nat<gp::GpMatrix>(Matrix), Flatness);
}

TGPStatus IGPGraphicsPath::WindingModeOutline(const TGPPtr<IGPMatrix>& Matrix, Single Flatness)
{
    return GdipWindingModeOutline(PathOf(this), Nat<gp::GpMatrix>(Matrix), Flatness);
}

TGPStatus IGPGraphicsPath::WarpPath(std::span<const TGPPointF> DestPoints, const TGPRectF& SrcRect,
                                    const TGPPtr<IGPMatrix>& Matrix, Integer WarpMode, Single Flatness)
{
    NotEmpty(DestPoints);
    return GdipWarpPath(PathOf(this), Nat<gp::GpMatrix>(Matrix), PF(DestPoints.data()), Len(DestPoints), SrcRect.X,
                        SrcRect.Y, SrcRect.Width, SrcRect.Height, static_cast<gp::WarpMode>(WarpMode), Flatness);
}

bool IGPGraphicsPath::IsVisiblePathPoint(Single X, Single Y, const TGPPtr<IGPGraphics>& Graphics)
{
    BOOL R = FALSE;
    GdipIsVisiblePathPoint(PathOf(this), X, Y, Nat<gp::GpGraphics>(Graphics), &R);
    return R != FALSE;
}

bool IGPGraphicsPath::IsVisiblePathPoint(const TGPPointF& Point, const TGPPtr<IGPGraphics>& Graphics)
{
    return IsVisiblePathPoint(Point.X, Point.Y, Graphics);
}

bool IGPGraphicsPath::IsVisiblePathPointI(Integer X, Integer Y, const TGPPtr<IGPGraphics>& Graphics)
{
    BOOL R = FALSE;
    GdipIsVisiblePathPointI(PathOf(this), X, Y, Nat<gp::GpGraphics>(Graphics), &R);
    return R != FALSE;
}

bool IGPGraphicsPath::IsVisiblePathPointI(const TGPPoint& Point, const TGPPtr<IGPGraphics>& Graphics)
{
    return IsVisiblePathPointI(Point.X, Point.Y, Graphics);
}

bool IGPGraphicsPath::IsOutlineVisiblePathPoint(Single X, Single Y, const TGPPtr<IGPPen>& Pen,
                                                const TGPPtr<IGPGraphics>& Graphics)
{
    BOOL R = FALSE;
    GdipIsOutlineVisiblePathPoint(PathOf(this), X, Y, Nat<gp::GpPen>(Pen), Nat<gp::GpGraphics>(Graphics), &R);
    return R != FALSE;
}

bool IGPGraphicsPath::IsOutlineVisiblePathPoint(const TGPPointF& Point, const TGPPtr<IGPPen>& Pen,
                                                const TGPPtr<IGPGraphics>& Graphics)
{
    return IsOutlineVisiblePathPoint(Point.X, Point.Y, Pen, Graphics);
}

bool IGPGraphicsPath::IsOutlineVisiblePathPointI(Integer X, Integer Y, const TGPPtr<IGPPen>& Pen,
                                                 const TGPPtr<IGPGraphics>& Graphics)
{
    BOOL R = FALSE;
    GdipIsOutlineVisiblePathPointI(PathOf(this), X, Y, Nat<gp::GpPen>(Pen), Nat<gp::GpGraphics>(Graphics), &R);
    return R != FALSE;
}

bool IGPGraphicsPath::IsOutlineVisiblePathPointI(const TGPPoint& Point, const TGPPtr<IGPPen>& Pen,
                                                 const TGPPtr<IGPGraphics>& Graphics)
{
    return IsOutlineVisiblePathPointI(Point.X, Point.Y, Pen, Graphics);
}

// ---------------------------------------------------------------------------
// TGPRegion

TGPRegion::TGPRegion()
{
    gp::GpRegion* R = nullptr;
    GdipCreateRegion(&R);
    FNativeHandle = R;
}

TGPRegion::TGPRegion(const TGPRectF& Rect)
{
    gp::GpRegion* R = nullptr;
    GdipCreateRegionRect(RF(&Rect), &R);
    FNativeHandle = R;
}

TGPRegion::TGPRegion(const TGPRect& Rect)
{
    gp::GpRegion* R = nullptr;
    GdipCreateRegionRectI(RI(&Rect), &R);
    FNativeHandle = R;
}

TGPRegion::TGPRegion(const TGPPtr<IGPGraphicsPath>& Path)
{
    gp::GpRegion* R = nullptr;
    GdipCreateRegionPath(Nat<gp::GpPath>(Path), &R);
    FNativeHandle = R;
}

TGPRegion::TGPRegion(const Byte* RegionData, Integer Size)
{
    gp::GpRegion* R = nullptr;
    GdipCreateRegionRgnData(RegionData, Size, &R);
    FNativeHandle = R;
}

TGPRegion::TGPRegion(HRGN Rgn)
{
    gp::GpRegion* R = nullptr;
    GdipCreateRegionHrgn(Rgn, &R);
    FNativeHandle = R;
}

TGPRegion::~TGPRegion() { GdipDeleteRegion(Nat<gp::GpRegion>(this)); }

TGPPtr<IGPRegion> TGPRegion::FromHRGN(HRGN Rgn)
{
    gp::GpRegion* R = nullptr;
    if (GdipCreateRegionHrgn(Rgn, &R) != gp::Ok) return nullptr;
    return TGPPtr<IGPRegion>(new TGPRegion(R));
}

bool TGPRegion::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPRegion>(this, IID, Obj) || TGdiplusBase::GetInterface(IID, Obj);
}

namespace {
gp::GpRegion* RegionOf(IGPRegion* Region) { return Nat<gp::GpRegion>(Region); }

// (Flat functions are __stdcall in the 32-bit build: their types are deduced.)
template <class TTest>
bool RegionTest(TTest Test, IGPRegion* Region, const TGPPtr<IGPGraphics>& Graphics)
{
    BOOL R = FALSE;
    Test(RegionOf(Region), Nat<gp::GpGraphics>(Graphics), &R);
    return R != FALSE;
}
}  // namespace

TGPPtr<IGPRegion> IGPRegion::Clone()
{
    gp::GpRegion* R = nullptr;
    GdipCloneRegion(RegionOf(this), &R);
    return TGPPtr<IGPRegion>(new TGPRegion(R));
}

TGPStatus IGPRegion::MakeInfinite() { return GdipSetInfinite(RegionOf(this)); }
TGPStatus IGPRegion::MakeEmpty() { return GdipSetEmpty(RegionOf(this)); }

TGPPtr<IGPBuffer> IGPRegion::GetRegionData()
{
    UINT Size = 0;
    GdipGetRegionDataSize(RegionOf(this), &Size);
    std::vector<Byte> Data(Size);
    if (Size != 0) GdipGetRegionData(RegionOf(this), Data.data(), Size, nullptr);
    return TGPPtr<IGPBuffer>(new TGPBuffer(std::move(Data)));
}

TGPStatus IGPRegion::Intersect(const TGPRect& Rect) { return GdipCombineRegionRectI(RegionOf(this), RI(&Rect), CM(1)); }
TGPStatus IGPRegion::Intersect(const TGPRectF& Rect) { return GdipCombineRegionRect(RegionOf(this), RF(&Rect), CM(1)); }
TGPStatus IGPRegion::Intersect(const TGPPtr<IGPGraphicsPath>& Path)
{
    return GdipCombineRegionPath(RegionOf(this), Nat<gp::GpPath>(Path), CM(1));
}
TGPStatus IGPRegion::Intersect(const TGPPtr<IGPRegion>& Region)
{
    return GdipCombineRegionRegion(RegionOf(this), Nat<gp::GpRegion>(Region), CM(1));
}
TGPStatus IGPRegion::Union(const TGPRect& Rect) { return GdipCombineRegionRectI(RegionOf(this), RI(&Rect), CM(2)); }
TGPStatus IGPRegion::Union(const TGPRectF& Rect) { return GdipCombineRegionRect(RegionOf(this), RF(&Rect), CM(2)); }
TGPStatus IGPRegion::Union(const TGPPtr<IGPGraphicsPath>& Path)
{
    return GdipCombineRegionPath(RegionOf(this), Nat<gp::GpPath>(Path), CM(2));
}
TGPStatus IGPRegion::Union(const TGPPtr<IGPRegion>& Region)
{
    return GdipCombineRegionRegion(RegionOf(this), Nat<gp::GpRegion>(Region), CM(2));
}
TGPStatus IGPRegion::Xor(const TGPRect& Rect) { return GdipCombineRegionRectI(RegionOf(this), RI(&Rect), CM(3)); }
TGPStatus IGPRegion::Xor(const TGPRectF& Rect) { return GdipCombineRegionRect(RegionOf(this), RF(&Rect), CM(3)); }
TGPStatus IGPRegion::Xor(const TGPPtr<IGPGraphicsPath>& Path)
{
    return GdipCombineRegionPath(RegionOf(this), Nat<gp::GpPath>(Path), CM(3));
}
TGPStatus IGPRegion::Xor(const TGPPtr<IGPRegion>& Region)
{
    return GdipCombineRegionRegion(RegionOf(this), Nat<gp::GpRegion>(Region), CM(3));
}
TGPStatus IGPRegion::Exclude(const TGPRect& Rect) { return GdipCombineRegionRectI(RegionOf(this), RI(&Rect), CM(4)); }
TGPStatus IGPRegion::Exclude(const TGPRectF& Rect) { return GdipCombineRegionRect(RegionOf(this), RF(&Rect), CM(4)); }
TGPStatus IGPRegion::Exclude(const TGPPtr<IGPGraphicsPath>& Path)
{
    return GdipCombineRegionPath(RegionOf(this), Nat<gp::GpPath>(Path), CM(4));
}
TGPStatus IGPRegion::Exclude(const TGPPtr<IGPRegion>& Region)
{
    return GdipCombineRegionRegion(RegionOf(this), Nat<gp::GpRegion>(Region), CM(4));
}
TGPStatus IGPRegion::Complement(const TGPRect& Rect)
{
    return GdipCombineRegionRectI(RegionOf(this), RI(&Rect), CM(5));
}
TGPStatus IGPRegion::Complement(const TGPRectF& Rect)
{
    return GdipCombineRegionRect(RegionOf(this), RF(&Rect), CM(5));
}
TGPStatus IGPRegion::Complement(const TGPPtr<IGPGraphicsPath>& Path)
{
    return GdipCombineRegionPath(RegionOf(this), Nat<gp::GpPath>(Path), CM(5));
}
TGPStatus IGPRegion::Complement(const TGPPtr<IGPRegion>& Region)
{
    return GdipCombineRegionRegion(RegionOf(this), Nat<gp::GpRegion>(Region), CM(5));
}

TGPStatus IGPRegion::TranslateRegion(Single DX, Single DY) { return GdipTranslateRegion(RegionOf(this), DX, DY); }
TGPStatus IGPRegion::TranslateRegionI(Integer DX, Integer DY) { return GdipTranslateRegionI(RegionOf(this), DX, DY); }
TGPStatus IGPRegion::TransformRegion(const TGPPtr<IGPMatrix>& Matrix)
{
    return GdipTransformRegion(RegionOf(this), Nat<gp::GpMatrix>(Matrix));
}

TGPStatus IGPRegion::GetRegionBoundsI(TGPRect& Rect, const TGPPtr<IGPGraphics>& Graphics)
{
    return GdipGetRegionBoundsI(RegionOf(this), Nat<gp::GpGraphics>(Graphics), RI(&Rect));
}

TGPStatus IGPRegion::GetRegionBounds(TGPRectF& Rect, const TGPPtr<IGPGraphics>& Graphics)
{
    return GdipGetRegionBounds(RegionOf(this), Nat<gp::GpGraphics>(Graphics), RF(&Rect));
}

HRGN IGPRegion::GetRegionHRgn(const TGPPtr<IGPGraphics>& Graphics)
{
    HRGN R = nullptr;
    GdipGetRegionHRgn(RegionOf(this), Nat<gp::GpGraphics>(Graphics), &R);
    return R;
}

bool IGPRegion::IsEmptyRegion(const TGPPtr<IGPGraphics>& Graphics)
{
    return RegionTest(GdipIsEmptyRegion, this, Graphics);
}

bool IGPRegion::IsInfiniteRegion(const TGPPtr<IGPGraphics>& Graphics)
{
    return RegionTest(GdipIsInfiniteRegion, this, Graphics);
}

bool IGPRegion::IsVisiblePointI(Integer X, Integer Y, const TGPPtr<IGPGraphics>& Graphics)
{
    BOOL R = FALSE;
    GdipIsVisibleRegionPointI(RegionOf(this), X, Y, Nat<gp::GpGraphics>(Graphics), &R);
    return R != FALSE;
}

bool IGPRegion::IsVisiblePointI(const TGPPoint& Point, const TGPPtr<IGPGraphics>& Graphics)
{
    return IsVisiblePointI(Point.X, Point.Y, Graphics);
}

bool IGPRegion::IsVisiblePoint(Single X, Single Y, const TGPPtr<IGPGraphics>& Graphics)
{
    BOOL R = FALSE;
    GdipIsVisibleRegionPoint(RegionOf(this), X, Y, Nat<gp::GpGraphics>(Graphics), &R);
    return R != FALSE;
}

bool IGPRegion::IsVisiblePoint(const TGPPointF& Point, const TGPPtr<IGPGraphics>& Graphics)
{
    return IsVisiblePoint(Point.X, Point.Y, Graphics);
}

bool IGPRegion::IsVisibleRectI(Integer X, Integer Y, Integer Width, Integer Height,
                               const TGPPtr<IGPGraphics>& Graphics)
{
    BOOL R = FALSE;
    GdipIsVisibleRegionRectI(RegionOf(this), X, Y, Width, Height, Nat<gp::GpGraphics>(Graphics), &R);
    return R != FALSE;
}

bool IGPRegion::IsVisibleRectI(const TGPRect& Rect, const TGPPtr<IGPGraphics>& Graphics)
{
    return IsVisibleRectI(Rect.X, Rect.Y, Rect.Width, Rect.Height, Graphics);
}

bool IGPRegion::IsVisibleRect(Single X, Single Y, Single Width, Single Height, const TGPPtr<IGPGraphics>& Graphics)
{
    BOOL R = FALSE;
    GdipIsVisibleRegionRect(RegionOf(this), X, Y, Width, Height, Nat<gp::GpGraphics>(Graphics), &R);
    return R != FALSE;
}

bool IGPRegion::IsVisibleRect(const TGPRectF& Rect, const TGPPtr<IGPGraphics>& Graphics)
{
    return IsVisibleRect(Rect.X, Rect.Y, Rect.Width, Rect.Height, Graphics);
}

bool IGPRegion::Equals(const TGPPtr<IGPRegion>& Region, const TGPPtr<IGPGraphics>& Graphics)
{
    BOOL R = FALSE;
    GdipIsEqualRegion(RegionOf(this), Nat<gp::GpRegion>(Region), Nat<gp::GpGraphics>(Graphics), &R);
    return R != FALSE;
}

TGPPtr<IGPArray<TGPRectF>> IGPRegion::GetRegionScans(const TGPPtr<IGPMatrix>& Matrix)
{
    UINT Count = 0;
    GdipGetRegionScansCount(RegionOf(this), &Count, Nat<gp::GpMatrix>(Matrix));
    auto Result = NewGPArray<TGPRectF>(static_cast<Integer>(Count));
    if (Count >= 1) {
        INT Filled = static_cast<INT>(Count);
        GdipGetRegionScans(RegionOf(this), RF(Result->GetItems()), &Filled, Nat<gp::GpMatrix>(Matrix));
    }
    return Result;
}

TGPPtr<IGPArray<TGPRect>> IGPRegion::GetRegionScansI(const TGPPtr<IGPMatrix>& Matrix)
{
    UINT Count = 0;
    GdipGetRegionScansCount(RegionOf(this), &Count, Nat<gp::GpMatrix>(Matrix));
    auto Result = NewGPArray<TGPRect>(static_cast<Integer>(Count));
    if (Count >= 1) {
        INT Filled = static_cast<INT>(Count);
        GdipGetRegionScansI(RegionOf(this), RI(Result->GetItems()), &Filled, Nat<gp::GpMatrix>(Matrix));
    }
    return Result;
}
