#include "gdiplus/GdiPlus.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>

#include "framework/SysUtils.h"

namespace gp = Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

// The native object behind a wrapper; null for nil.
template <class T>
T* Nat(const IGdiplusBase* Obj)
{
    return Obj ? static_cast<T*>(Obj->GetNativeHandle()) : nullptr;
}
template <class T, class I>
T* Nat(const TIntfPtr<I>& Obj)
{
    return Nat<T>(static_cast<const IGdiplusBase*>(Obj.get()));
}

// Records and arrays cross to GDI+ as they are (same layouts).
const gp::GpPointF* PF(const TGPPointF* P) { return reinterpret_cast<const gp::GpPointF*>(P); }
gp::GpPointF* PF(TGPPointF* P) { return reinterpret_cast<gp::GpPointF*>(P); }
const gp::GpPoint* PI(const TGPPoint* P) { return reinterpret_cast<const gp::GpPoint*>(P); }
gp::GpPoint* PI(TGPPoint* P) { return reinterpret_cast<gp::GpPoint*>(P); }
const gp::GpRectF* RF(const TGPRectF* R) { return reinterpret_cast<const gp::GpRectF*>(R); }
gp::GpRectF* RF(TGPRectF* R) { return reinterpret_cast<gp::GpRectF*>(R); }
const gp::GpRect* RI(const TGPRect* R) { return reinterpret_cast<const gp::GpRect*>(R); }
gp::GpRect* RI(TGPRect* R) { return reinterpret_cast<gp::GpRect*>(R); }
gp::ARGB* AC(TGPColor* C) { return reinterpret_cast<gp::ARGB*>(C); }
const gp::ARGB* AC(const TGPColor* C) { return reinterpret_cast<const gp::ARGB*>(C); }
const GUID* G(const TGUID* Id) { return reinterpret_cast<const GUID*>(Id); }
GUID* G(TGUID* Id) { return reinterpret_cast<GUID*>(Id); }
const WCHAR* W(const String& S) { return reinterpret_cast<const WCHAR*>(S.c_str()); }
INT Len(const String& S) { return static_cast<INT>(S.size()); }
template <class T>
INT Len(std::span<T> A)
{
    return static_cast<INT>(A.size());
}
gp::MatrixOrder MO(Integer Order) { return static_cast<gp::MatrixOrder>(Order); }
gp::CombineMode CM(Integer Mode) { return static_cast<gp::CombineMode>(Mode); }
BOOL B(bool V) { return V ? TRUE : FALSE; }

// Array arguments must hold at least one element.
template <class T>
void NotEmpty(std::span<T> A, std::source_location Where = std::source_location::current())
{
    GPAssert(!A.empty(), Where);
}

std::atomic<Int64> WrappersCreated{0};
std::atomic<Int64> WrappersFreed{0};

// Module-wide cached objects, filled under the lock on first request (worker
// threads decode and encode too) and released before GDI+ shuts down.
struct TCaches {
    std::mutex Lock;
    TGPPtr<IGPFontFamily> SansSerif, Serif, Monospace;
    TGPPtr<IGPStringFormat> GenericDefault, GenericTypographic;
    bool EncodersEnumerated = false;
    TGPPtr<IGPImageFormat> Bmp, Jpeg, Gif, Tiff, Png;
    void Release()
    {
        std::lock_guard<std::mutex> Guard(Lock);
        SansSerif.reset();
        Serif.reset();
        Monospace.reset();
        GenericDefault.reset();
        GenericTypographic.reset();
        Bmp.reset();
        Jpeg.reset();
        Gif.reset();
        Tiff.reset();
        Png.reset();
        EncodersEnumerated = false;
    }
};

TCaches& Caches()
{
    // Never destroyed: the static objects of other units may still ask for it.
    static TCaches* Instance = new TCaches;
    return *Instance;
}

Integer StartupCount = 0;  // constant-initialised before any start-up runs
ULONG_PTR StartupToken = 0;

}  // namespace

// ---------------------------------------------------------------------------
// Start-up and shut-down

TGdiplusStartup::TGdiplusStartup()
{
    if (StartupCount++ != 0) return;
    Caches().EncodersEnumerated = false;
    gp::GdiplusStartupInput Input;  // version 1, no debug callback, background thread and external codecs on
    gp::GdiplusStartup(&StartupToken, &Input, nullptr);
}

TGdiplusStartup::~TGdiplusStartup()
{
    if (--StartupCount != 0) return;
    Caches().Release();
    gp::GdiplusShutdown(StartupToken);
}

TGPObjectCounts GPObjectCounts() { return TGPObjectCounts{WrappersCreated.load(), WrappersFreed.load()}; }

// ---------------------------------------------------------------------------
// TGdiplusBase

void* TGdiplusBase::operator new(size_t Size)
{
    void* P = GdipAlloc(Size);
    if (!P) throw EOutOfMemory(u"Out of memory");
    ++WrappersCreated;
    return P;
}

void TGdiplusBase::operator delete(void* P) noexcept
{
    if (!P) return;
    ++WrappersFreed;
    GdipFree(P);
}

bool TGdiplusBase::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGdiplusBase>(this, IID, Obj) || TInterfacedObject::GetInterface(IID, Obj);
}

// ---------------------------------------------------------------------------
// TGPMatrix

TGPMatrix::TGPMatrix()
{
    gp::GpMatrix* M = nullptr;
    GdipCreateMatrix(&M);
    FNativeHandle = M;
}

TGPMatrix::TGPMatrix(Single M11, Single M12, Single M21, Single M22, Single DX, Single DY)
{
    gp::GpMatrix* M = nullptr;
    GdipCreateMatrix2(M11, M12, M21, M22, DX, DY, &M);
    FNativeHandle = M;
}

TGPMatrix::TGPMatrix(const TGPRectF& Rect, const TGPPlgPointsF& DstPlg)
{
    gp::GpMatrix* M = nullptr;
    GdipCreateMatrix3(RF(&Rect), PF(DstPlg), &M);
    FNativeHandle = M;
}

TGPMatrix::TGPMatrix(const TGPRect& Rect, const TGPPlgPoints& DstPlg)
{
    gp::GpMatrix* M = nullptr;
    GdipCreateMatrix3I(RI(&Rect), PI(DstPlg), &M);
    FNativeHandle = M;
}

TGPMatrix::~TGPMatrix() { GdipDeleteMatrix(Nat<gp::GpMatrix>(this)); }

bool TGPMatrix::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPMatrix>(this, IID, Obj) || TGdiplusBase::GetInterface(IID, Obj);
}

TGPStatus IGPMatrix::GetMatrixElements(TGPMatrixElements& Elements)
{
    return GdipGetMatrixElements(Nat<gp::GpMatrix>(this), &Elements.M11);
}

TGPStatus IGPMatrix::SetMatrixElements(const TGPMatrixElements& E)
{
    return SetMatrixElements(E.M11, E.M12, E.M21, E.M22, E.DX, E.DY);
}

Single IGPMatrix::GetOffsetX()
{
    TGPMatrixElements E;
    GetMatrixElements(E);
    return E.DX;
}

Single IGPMatrix::GetOffsetY()
{
    TGPMatrixElements E;
    GetMatrixElements(E);
    return E.DY;
}

bool IGPMatrix::IsMatrixInvertible()
{
    BOOL R = FALSE;
    GdipIsMatrixInvertible(Nat<gp::GpMatrix>(this), &R);
    return R != FALSE;
}

bool IGPMatrix::IsMatrixIdentity()
{
    BOOL R = FALSE;
    GdipIsMatrixIdentity(Nat<gp::GpMatrix>(this), &R);
    return R != FALSE;
}

TGPPtr<IGPMatrix> IGPMatrix::Clone()
{
    gp::GpMatrix* M = nullptr;
    GdipCloneMatrix(Nat<gp::GpMatrix>(this), &M);
    return TGPPtr<IGPMatrix>(new TGPMatrix(M));
}

TGPStatus IGPMatrix::Reset() { return SetMatrixElements(1, 0, 0, 1, 0, 0); }

TGPStatus IGPMatrix::SetMatrixElements(Single M11, Single M12, Single M21, Single M22, Single DX, Single DY)
{
    return GdipSetMatrixElements(Nat<gp::GpMatrix>(this), M11, M12, M21, M22, DX, DY);
}

TGPStatus IGPMatrix::MultiplyMatrix(const TGPPtr<IGPMatrix>& Matrix, Integer Order)
{
    return GdipMultiplyMatrix(Nat<gp::GpMatrix>(this), Nat<gp::GpMatrix>(Matrix), MO(Order));
}

TGPStatus IGPMatrix::TranslateMatrix(Single OffsetX, Single OffsetY, Integer Order)
{
    return GdipTranslateMatrix(Nat<gp::GpMatrix>(this), OffsetX, OffsetY, MO(Order));
}

TGPStatus IGPMatrix::ScaleMatrix(Single ScaleX, Single ScaleY, Integer Order)
{
    return GdipScaleMatrix(Nat<gp::GpMatrix>(this), ScaleX, ScaleY, MO(Order));
}

TGPStatus IGPMatrix::RotateMatrix(Single Angle, Integer Order)
{
    return GdipRotateMatrix(Nat<gp::GpMatrix>(this), Angle, MO(Order));
}

TGPStatus IGPMatrix::RotateAt(Single Angle, const TGPPointF& Center, Integer Order)
{
    gp::GpMatrix* M = Nat<gp::GpMatrix>(this);
    if (Order == gp::MatrixOrderAppend) {
        GdipTranslateMatrix(M, -Center.X, -Center.Y, gp::MatrixOrderAppend);
        GdipRotateMatrix(M, Angle, gp::MatrixOrderAppend);
        return GdipTranslateMatrix(M, Center.X, Center.Y, gp::MatrixOrderAppend);
    }
    GdipTranslateMatrix(M, Center.X, Center.Y, gp::MatrixOrderPrepend);
    GdipRotateMatrix(M, Angle, gp::MatrixOrderPrepend);
    return GdipTranslateMatrix(M, -Center.X, -Center.Y, gp::MatrixOrderPrepend);
}

TGPStatus IGPMatrix::ShearMatrix(Single ShearX, Single ShearY, Integer Order)
{
    return GdipShearMatrix(Nat<gp::GpMatrix>(this), ShearX, ShearY, MO(Order));
}

TGPStatus IGPMatrix::InvertMatrix() { return GdipInvertMatrix(Nat<gp::GpMatrix>(this)); }

TGPStatus IGPMatrix::TransformPoint(TGPPointF& Point)
{
    return GdipTransformMatrixPoints(Nat<gp::GpMatrix>(this), PF(&Point), 1);
}

TGPStatus IGPMatrix::TransformPointI(TGPPoint& Point)
{
    return GdipTransformMatrixPointsI(Nat<gp::GpMatrix>(this), PI(&Point), 1);
}

TGPStatus IGPMatrix::TransformPoints(std::span<TGPPointF> Points)
{
    NotEmpty(Points);
    return GdipTransformMatrixPoints(Nat<gp::GpMatrix>(this), PF(Points.data()), Len(Points));
}

TGPStatus IGPMatrix::TransformPointsI(std::span<TGPPoint> Points)
{
    NotEmpty(Points);
    return GdipTransformMatrixPointsI(Nat<gp::GpMatrix>(this), PI(Points.data()), Len(Points));
}

TGPStatus IGPMatrix::VectorTransformPoint(TGPPointF& Point)
{
    return GdipVectorTransformMatrixPoints(Nat<gp::GpMatrix>(this), PF(&Point), 1);
}

TGPStatus IGPMatrix::VectorTransformPointI(TGPPoint& Point)
{
    return GdipVectorTransformMatrixPointsI(Nat<gp::GpMatrix>(this), PI(&Point), 1);
}

TGPStatus IGPMatrix::VectorTransformPoints(std::span<TGPPointF> Points)
{
    NotEmpty(Points);
    return GdipVectorTransformMatrixPoints(Nat<gp::GpMatrix>(this), PF(Points.data()), Len(Points));
}

TGPStatus IGPMatrix::VectorTransformPointsI(std::span<TGPPoint> Points)
{
    NotEmpty(Points);
    return GdipVectorTransformMatrixPointsI(Nat<gp::GpMatrix>(this), PI(Points.data()), Len(Points));
}

bool IGPMatrix::Equals(const TGPPtr<IGPMatrix>& Matrix)
{
    BOOL R = FALSE;
    GdipIsMatrixEqual(Nat<gp::GpMatrix>(this), Nat<gp::GpMatrix>(Matrix), &R);
    return R != FALSE;
}

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

// ---------------------------------------------------------------------------
// Blends

TGPBlend::TGPBlend(std::span<const Single> Factors, std::span<const Single> Positions)
{
    NotEmpty(Factors);
    GPAssert(Factors.size() == Positions.size());
    FFactors.assign(Factors.begin(), Factors.end());
    FPositions.assign(Positions.begin(), Positions.end());
}

TGPBlend::TGPBlend(Integer Count)
    : FFactors(static_cast<size_t>(std::max(Count, 0))), FPositions(static_cast<size_t>(std::max(Count, 0)))
{
}

bool TGPBlend::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPBlend>(this, IID, Obj) || TInterfacedObject::GetInterface(IID, Obj);
}

TGPColorBlend::TGPColorBlend(std::span<const TGPColor> Colors, std::span<const Single> Positions)
{
    NotEmpty(Colors);
    GPAssert(Colors.size() == Positions.size());
    FColors.assign(Colors.begin(), Colors.end());
    FPositions.assign(Positions.begin(), Positions.end());
}

TGPColorBlend::TGPColorBlend(Integer Count)
    : FColors(static_cast<size_t>(std::max(Count, 0))), FPositions(static_cast<size_t>(std::max(Count, 0)))
{
}

bool TGPColorBlend::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPColorBlend>(this, IID, Obj) || TInterfacedObject::GetInterface(IID, Obj);
}

namespace {

// The blend a brush reports: GDI+ gives the count, then fills both arrays.
template <class TGetCount, class TGet>
TGPPtr<IGPBlend> ReadBlend(TGetCount GetCount, TGet Get)
{
    INT Count = 0;
    GetCount(&Count);
    auto* Blend = new TGPBlend(Count);
    TGPPtr<IGPBlend> Result(Blend);
    if (Count >= 1) Get(Blend->GetFactors(), Blend->GetPositions(), Count);
    return Result;
}

template <class TGetCount, class TGet>
TGPPtr<IGPColorBlend> ReadColorBlend(TGetCount GetCount, TGet Get)
{
    INT Count = 0;
    GetCount(&Count);
    auto* Blend = new TGPColorBlend(Count);
    TGPPtr<IGPColorBlend> Result(Blend);
    if (Count >= 1) Get(AC(Blend->GetColors()), Blend->GetPositions(), Count);
    return Result;
}

// A new identity matrix filled with a transform GDI+ reports.
template <class TGet>
TGPStatus ReadTransform(TGPPtr<IGPMatrix>& Matrix, TGet Get)
{
    Matrix = TGPPtr<IGPMatrix>(new TGPMatrix());
    return Get(Nat<gp::GpMatrix>(Matrix));
}

}  // namespace

// ---------------------------------------------------------------------------
// Brushes

TGPBrush::~TGPBrush() { GdipDeleteBrush(Nat<gp::GpBrush>(this)); }

bool TGPBrush::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPBrush>(this, IID, Obj) || TGdiplusBase::GetInterface(IID, Obj);
}

Integer IGPBrush::GetBrushType()
{
    gp::BrushType R = static_cast<gp::BrushType>(-1);
    GdipGetBrushType(Nat<gp::GpBrush>(this), &R);
    return R;
}

TGPPtr<IGPBrush> IGPBrush::Clone()
{
    gp::GpBrush* B = nullptr;
    GdipCloneBrush(Nat<gp::GpBrush>(this), &B);
    return TGPPtr<IGPBrush>(new TGPBrush(B));
}

TGPSolidBrush::TGPSolidBrush(TGPColor Color)
{
    gp::GpSolidFill* B = nullptr;
    GdipCreateSolidFill(Color.FArgb, &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

bool TGPSolidBrush::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPSolidBrush>(this, IID, Obj) || TGPBrush::GetInterface(IID, Obj);
}

namespace {
// The native brush of a kind (GDI+'s brush classes all derive from GpBrush).
template <class T>
T* BrushOf(IGPBrush* Brush)
{
    return static_cast<T*>(Nat<gp::GpBrush>(Brush));
}
}  // namespace

TGPColor IGPSolidBrush::GetSolidFillColor()
{
    TGPColor R;
    GdipGetSolidFillColor(BrushOf<gp::GpSolidFill>(this), AC(&R));
    return R;
}

TGPStatus IGPSolidBrush::SetSolidFillColor(TGPColor Color)
{
    return GdipSetSolidFillColor(BrushOf<gp::GpSolidFill>(this), Color.FArgb);
}

TGPTextureBrush::TGPTextureBrush(const TGPPtr<IGPImage>& Image, TGPWrapMode WrapMode)
{
    gp::GpTexture* B = nullptr;
    GdipCreateTexture(Nat<gp::GpImage>(Image), WrapMode, &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

TGPTextureBrush::TGPTextureBrush(const TGPPtr<IGPImage>& Image, TGPWrapMode WrapMode, const TGPRectF& DstRect)
    : TGPTextureBrush(Image, WrapMode, DstRect.X, DstRect.Y, DstRect.Width, DstRect.Height)
{
}

TGPTextureBrush::TGPTextureBrush(const TGPPtr<IGPImage>& Image, TGPWrapMode WrapMode, const TGPRect& DstRect)
    : TGPTextureBrush(Image, WrapMode, DstRect.X, DstRect.Y, DstRect.Width, DstRect.Height)
{
}

TGPTextureBrush::TGPTextureBrush(const TGPPtr<IGPImage>& Image, TGPWrapMode WrapMode, Single DstX, Single DstY,
                                 Single DstWidth, Single DstHeight)
{
    gp::GpTexture* B = nullptr;
    GdipCreateTexture2(Nat<gp::GpImage>(Image), WrapMode, DstX, DstY, DstWidth, DstHeight, &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

TGPTextureBrush::TGPTextureBrush(const TGPPtr<IGPImage>& Image, TGPWrapMode WrapMode, Integer DstX, Integer DstY,
                                 Integer DstWidth, Integer DstHeight)
{
    gp::GpTexture* B = nullptr;
    GdipCreateTexture2I(Nat<gp::GpImage>(Image), WrapMode, DstX, DstY, DstWidth, DstHeight, &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

TGPTextureBrush::TGPTextureBrush(const TGPPtr<IGPImage>& Image, const TGPRectF& DstRect,
                                 const TGPPtr<IGPImageAttributes>& ImageAttributes)
{
    gp::GpTexture* B = nullptr;
    GdipCreateTextureIA(Nat<gp::GpImage>(Image), Nat<gp::GpImageAttributes>(ImageAttributes), DstRect.X, DstRect.Y,
                        DstRect.Width, DstRect.Height, &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

TGPTextureBrush::TGPTextureBrush(const TGPPtr<IGPImage>& Image, const TGPRect& DstRect,
                                 const TGPPtr<IGPImageAttributes>& ImageAttributes)
{
    gp::GpTexture* B = nullptr;
    GdipCreateTextureIAI(Nat<gp::GpImage>(Image), Nat<gp::GpImageAttributes>(ImageAttributes), DstRect.X, DstRect.Y,
                         DstRect.Width, DstRect.Height, &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

bool TGPTextureBrush::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPTextureBrush>(this, IID, Obj) || TGPBrush::GetInterface(IID, Obj);
}

TGPStatus IGPTextureBrush::GetTextureTransform(TGPPtr<IGPMatrix>& Matrix)
{
    return ReadTransform(Matrix, [this](gp::GpMatrix* M) { return GdipGetTextureTransform(BrushOf<gp::GpTexture>(this), M); });
}

TGPStatus IGPTextureBrush::SetTextureTransform(const TGPPtr<IGPMatrix>& Matrix)
{
    return GdipSetTextureTransform(BrushOf<gp::GpTexture>(this), Nat<gp::GpMatrix>(Matrix));
}

TGPWrapMode IGPTextureBrush::GetTextureWrapMode()
{
    gp::WrapMode R = WrapModeTile;
    GdipGetTextureWrapMode(BrushOf<gp::GpTexture>(this), &R);
    return R;
}

TGPStatus IGPTextureBrush::SetTextureWrapMode(TGPWrapMode WrapMode)
{
    return GdipSetTextureWrapMode(BrushOf<gp::GpTexture>(this), WrapMode);
}

TGPPtr<IGPImage> IGPTextureBrush::GetTextureImage()
{
    gp::GpImage* I = nullptr;
    GdipGetTextureImage(BrushOf<gp::GpTexture>(this), &I);
    return TGPPtr<IGPImage>(new TGPImage(I));
}

TGPStatus IGPTextureBrush::ResetTextureTransform() { return GdipResetTextureTransform(BrushOf<gp::GpTexture>(this)); }

TGPStatus IGPTextureBrush::MultiplyTextureTransform(const TGPPtr<IGPMatrix>& Matrix, Integer Order)
{
    return GdipMultiplyTextureTransform(BrushOf<gp::GpTexture>(this), Nat<gp::GpMatrix>(Matrix), MO(Order));
}

TGPStatus IGPTextureBrush::TranslateTextureTransform(Single DX, Single DY, Integer Order)
{
    return GdipTranslateTextureTransform(BrushOf<gp::GpTexture>(this), DX, DY, MO(Order));
}

TGPStatus IGPTextureBrush::ScaleTextureTransform(Single SX, Single SY, Integer Order)
{
    return GdipScaleTextureTransform(BrushOf<gp::GpTexture>(this), SX, SY, MO(Order));
}

TGPStatus IGPTextureBrush::RotateTextureTransform(Single Angle, Integer Order)
{
    return GdipRotateTextureTransform(BrushOf<gp::GpTexture>(this), Angle, MO(Order));
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPPointF& Point1, const TGPPointF& Point2, TGPColor Color1,
                                               TGPColor Color2)
{
    gp::GpLineGradient* B = nullptr;
    GdipCreateLineBrush(PF(&Point1), PF(&Point2), Color1.FArgb, Color2.FArgb, WrapModeTile, &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPPoint& Point1, const TGPPoint& Point2, TGPColor Color1,
                                               TGPColor Color2)
{
    gp::GpLineGradient* B = nullptr;
    GdipCreateLineBrushI(PI(&Point1), PI(&Point2), Color1.FArgb, Color2.FArgb, WrapModeTile, &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& Rect, TGPColor Color1, TGPColor Color2,
                                               TGPLinearGradientMode Mode)
{
    gp::GpLineGradient* B = nullptr;
    GdipCreateLineBrushFromRect(RF(&Rect), Color1.FArgb, Color2.FArgb, Mode, WrapModeTile, &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRect& Rect, TGPColor Color1, TGPColor Color2,
                                               TGPLinearGradientMode Mode)
{
    gp::GpLineGradient* B = nullptr;
    GdipCreateLineBrushFromRectI(RI(&Rect), Color1.FArgb, Color2.FArgb, Mode, WrapModeTile, &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& Rect, TGPColor Color1, TGPColor Color2, Single Angle,
                                               bool IsAngleScalable)
{
    gp::GpLineGradient* L = nullptr;
    GdipCreateLineBrushFromRectWithAngle(RF(&Rect), Color1.FArgb, Color2.FArgb, Angle, B(IsAngleScalable),
                                         WrapModeTile, &L);
    FNativeHandle = static_cast<gp::GpBrush*>(L);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRect& Rect, TGPColor Color1, TGPColor Color2, Single Angle,
                                               bool IsAngleScalable)
{
    gp::GpLineGradient* L = nullptr;
    GdipCreateLineBrushFromRectWithAngleI(RI(&Rect), Color1.FArgb, Color2.FArgb, Angle, B(IsAngleScalable),
                                          WrapModeTile, &L);
    FNativeHandle = static_cast<gp::GpBrush*>(L);
}

bool TGPLinearGradientBrush::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPLinearGradientBrush>(this, IID, Obj) || TGPBrush::GetInterface(IID, Obj);
}

namespace {
gp::GpLineGradient* LineOf(IGPLinearGradientBrush* Brush) { return BrushOf<gp::GpLineGradient>(Brush); }
}  // namespace

TGPStatus IGPLinearGradientBrush::GetLineColors(std::array<TGPColor, 2>& Colors)
{
    return GdipGetLineColors(LineOf(this), AC(Colors.data()));
}

TGPStatus IGPLinearGradientBrush::SetLineColors(const std::array<TGPColor, 2>& Colors)
{
    return GdipSetLineColors(LineOf(this), Colors[0].FArgb, Colors[1].FArgb);
}

TGPStatus IGPLinearGradientBrush::GetLineRect(TGPRectF& Rect) { return GdipGetLineRect(LineOf(this), RF(&Rect)); }
TGPStatus IGPLinearGradientBrush::GetLineRect(TGPRect& Rect) { return GdipGetLineRectI(LineOf(this), RI(&Rect)); }
TGPStatus IGPLinearGradientBrush::GetLineRectI(TGPRect& Rect) { return GdipGetLineRectI(LineOf(this), RI(&Rect)); }

bool IGPLinearGradientBrush::GetLineGammaCorrection()
{
    BOOL R = FALSE;
    GdipGetLineGammaCorrection(LineOf(this), &R);
    return R != FALSE;
}

TGPStatus IGPLinearGradientBrush::SetLineGammaCorrection(bool UseGammaCorrection)
{
    return GdipSetLineGammaCorrection(LineOf(this), UseGammaCorrection ? -1 : 0);
}

TGPPtr<IGPBlend> IGPLinearGradientBrush::GetLineBlend()
{
    gp::GpLineGradient* L = LineOf(this);
    return ReadBlend([L](INT* N) { return GdipGetLineBlendCount(L, N); },
                     [L](Single* F, Single* P, INT N) { return GdipGetLineBlend(L, F, P, N); });
}

TGPStatus IGPLinearGradientBrush::SetLineBlend(const TGPPtr<IGPBlend>& Blend)
{
    GPAssert(Blend != nullptr);
    return GdipSetLineBlend(LineOf(this), Blend->GetFactors(), Blend->GetPositions(), Blend->GetCount());
}

TGPPtr<IGPColorBlend> IGPLinearGradientBrush::GetLinePresetBlend()
{
    gp::GpLineGradient* L = LineOf(this);
    return ReadColorBlend([L](INT* N) { return GdipGetLinePresetBlendCount(L, N); },
                          [L](gp::ARGB* C, Single* P, INT N) { return GdipGetLinePresetBlend(L, C, P, N); });
}

TGPStatus IGPLinearGradientBrush::SetLinePresetBlend(const TGPPtr<IGPColorBlend>& Blend)
{
    GPAssert(Blend != nullptr);
    return GdipSetLinePresetBlend(LineOf(this), AC(Blend->GetColors()), Blend->GetPositions(), Blend->GetCount());
}

TGPStatus IGPLinearGradientBrush::GetLineTransform(TGPPtr<IGPMatrix>& Matrix)
{
    return ReadTransform(Matrix, [this](gp::GpMatrix* M) { return GdipGetLineTransform(LineOf(this), M); });
}

TGPStatus IGPLinearGradientBrush::SetLineTransform(const TGPPtr<IGPMatrix>& Matrix)
{
    return GdipSetLineTransform(LineOf(this), Nat<gp::GpMatrix>(Matrix));
}

TGPWrapMode IGPLinearGradientBrush::GetLineWrapMode()
{
    gp::WrapMode R = WrapModeTile;
    GdipGetLineWrapMode(LineOf(this), &R);
    return R;
}

TGPStatus IGPLinearGradientBrush::SetLineWrapMode(TGPWrapMode WrapMode)
{
    return GdipSetLineWrapMode(LineOf(this), WrapMode);
}

TGPStatus IGPLinearGradientBrush::SetLineSigmaBlend(Single Focus, Single Scale)
{
    return GdipSetLineSigmaBlend(LineOf(this), Focus, Scale);
}

TGPStatus IGPLinearGradientBrush::SetLineLinearBlend(Single Focus, Single Scale)
{
    return GdipSetLineLinearBlend(LineOf(this), Focus, Scale);
}

TGPStatus IGPLinearGradientBrush::ResetLineTransform() { return GdipResetLineTransform(LineOf(this)); }

TGPStatus IGPLinearGradientBrush::MultiplyLineTransform(const TGPPtr<IGPMatrix>& Matrix, Integer Order)
{
    return GdipMultiplyLineTransform(LineOf(this), Nat<gp::GpMatrix>(Matrix), MO(Order));
}

TGPStatus IGPLinearGradientBrush::TranslateLineTransform(Single DX, Single DY, Integer Order)
{
    return GdipTranslateLineTransform(LineOf(this), DX, DY, MO(Order));
}

TGPStatus IGPLinearGradientBrush::ScaleLineTransform(Single SX, Single SY, Integer Order)
{
    return GdipScaleLineTransform(LineOf(this), SX, SY, MO(Order));
}

TGPStatus IGPLinearGradientBrush::RotateLineTransform(Single Angle, Integer Order)
{
    return GdipRotateLineTransform(LineOf(this), Angle, MO(Order));
}

TGPHatchBrush::TGPHatchBrush(Integer HatchStyle, TGPColor ForeColor, TGPColor BackColor)
{
    gp::GpHatch* B = nullptr;
    GdipCreateHatchBrush(static_cast<gp::HatchStyle>(HatchStyle), ForeColor.FArgb, BackColor.FArgb, &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

bool TGPHatchBrush::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPHatchBrush>(this, IID, Obj) || TGPBrush::GetInterface(IID, Obj);
}

Integer IGPHatchBrush::GetHatchStyle()
{
    gp::HatchStyle R = static_cast<gp::HatchStyle>(0);
    GdipGetHatchStyle(BrushOf<gp::GpHatch>(this), &R);
    return R;
}

TGPColor IGPHatchBrush::GetHatchForegroundColor()
{
    TGPColor R;
    GdipGetHatchForegroundColor(BrushOf<gp::GpHatch>(this), AC(&R));
    return R;
}

TGPColor IGPHatchBrush::GetHatchBackgroundColor()
{
    TGPColor R;
    GdipGetHatchBackgroundColor(BrushOf<gp::GpHatch>(this), AC(&R));
    return R;
}

TGPPathGradientBrush::TGPPathGradientBrush(const TGPPtr<IGPGraphicsPath>& Path)
{
    gp::GpPathGradient* B = nullptr;
    GdipCreatePathGradientFromPath(Nat<gp::GpPath>(Path), &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

TGPPathGradientBrush::TGPPathGradientBrush(std::span<const TGPPointF> Points, TGPWrapMode WrapMode)
{
    NotEmpty(Points);
    gp::GpPathGradient* B = nullptr;
    GdipCreatePathGradient(PF(Points.data()), Len(Points), WrapMode, &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

TGPPathGradientBrush::TGPPathGradientBrush(std::span<const TGPPoint> Points, TGPWrapMode WrapMode)
{
    NotEmpty(Points);
    gp::GpPathGradient* B = nullptr;
    GdipCreatePathGradientI(PI(Points.data()), Len(Points), WrapMode, &B);
    FNativeHandle = static_cast<gp::GpBrush*>(B);
}

bool TGPPathGradientBrush::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPPathGradientBrush>(this, IID, Obj) || TGPBrush::GetInterface(IID, Obj);
}

namespace {
gp::GpPathGradient* PathGradientOf(IGPPathGradientBrush* Brush) { return BrushOf<gp::GpPathGradient>(Brush); }
}  // namespace

TGPColor IGPPathGradientBrush::GetPathGradientCenterColor()
{
    TGPColor R;
    GdipGetPathGradientCenterColor(PathGradientOf(this), AC(&R));
    return R;
}

TGPStatus IGPPathGradientBrush::SetPathGradientCenterColor(TGPColor Color)
{
    return GdipSetPathGradientCenterColor(PathGradientOf(this), Color.FArgb);
}

Integer IGPPathGradientBrush::GetPathGradientPointCount()
{
    INT R = 0;
    GdipGetPathGradientPointCount(PathGradientOf(this), &R);
    return R;
}

TGPPtr<IGPArray<TGPColor>> IGPPathGradientBrush::GetPathGradientSurroundColorsWithCount()
{
    INT Count = 0;
    GdipGetPathGradientSurroundColorCount(PathGradientOf(this), &Count);
    auto Result = NewGPArray<TGPColor>(Count);
    if (Count >= 1) {
        GdipGetPathGradientSurroundColorsWithCount(PathGradientOf(this), AC(Result->GetItems()), &Count);
        Result->SetCount(Count);
    }
    return Result;
}

TGPStatus IGPPathGradientBrush::SetPathGradientSurroundColorsWithCount(const TGPPtr<IGPArray<TGPColor>>& Colors)
{
    GPAssert(Colors != nullptr);
    INT Count = Colors->GetCount();
    TGPStatus Status = GdipSetPathGradientSurroundColorsWithCount(PathGradientOf(this), AC(Colors->GetItems()), &Count);
    Colors->SetCount(Count);
    return Status;
}

TGPStatus IGPPathGradientBrush::SetPathGradientSurroundColorsWithCount(std::span<const TGPColor> Colors,
                                                                      Integer& Count)
{
    NotEmpty(Colors);
    INT N = Len(Colors);
    TGPStatus Status = GdipSetPathGradientSurroundColorsWithCount(PathGradientOf(this), AC(Colors.data()), &N);
    Count = N;
    return Status;
}

TGPPtr<IGPGraphicsPath> IGPPathGradientBrush::GetPathGradientPath()
{
    // GDI+ wants a path to fill; the layer hands it none, as its callers never ask.
    GdipGetPathGradientPath(PathGradientOf(this), nullptr);
    return TGPPtr<IGPGraphicsPath>(new TGPGraphicsPath(static_cast<gp::GpPath*>(nullptr)));
}

TGPStatus IGPPathGradientBrush::SetPathGradientPath(const TGPPtr<IGPGraphicsPath>& Path)
{
    if (!Path) return gp::Ok;
    return GdipSetPathGradientPath(PathGradientOf(this), Nat<gp::GpPath>(Path));
}

TGPStatus IGPPathGradientBrush::GetPathGradientCenterPoint(TGPPointF& Point)
{
    return GdipGetPathGradientCenterPoint(PathGradientOf(this), PF(&Point));
}

TGPStatus IGPPathGradientBrush::SetPathGradientCenterPoint(const TGPPointF& Point)
{
    return GdipSetPathGradientCenterPoint(PathGradientOf(this), PF(&Point));
}

TGPStatus IGPPathGradientBrush::GetPathGradientCenterPointI(TGPPoint& Point)
{
    return GdipGetPathGradientCenterPointI(PathGradientOf(this), PI(&Point));
}

TGPStatus IGPPathGradientBrush::SetPathGradientCenterPointI(const TGPPoint& Point)
{
    return GdipSetPathGradientCenterPointI(PathGradientOf(this), PI(&Point));
}

TGPStatus IGPPathGradientBrush::GetPathGradientRect(TGPRectF& Rect)
{
    return GdipGetPathGradientRect(PathGradientOf(this), RF(&Rect));
}

TGPStatus IGPPathGradientBrush::GetPathGradientRectI(TGPRect& Rect)
{
    return GdipGetPathGradientRectI(PathGradientOf(this), RI(&Rect));
}

bool IGPPathGradientBrush::GetPathGradientGammaCorrection()
{
    BOOL R = FALSE;
    GdipGetPathGradientGammaCorrection(PathGradientOf(this), &R);
    return R != FALSE;
}

TGPStatus IGPPathGradientBrush::SetPathGradientGammaCorrection(bool UseGammaCorrection)
{
    return GdipSetPathGradientGammaCorrection(PathGradientOf(this), UseGammaCorrection ? -1 : 0);
}

TGPPtr<IGPBlend> IGPPathGradientBrush::GetPathGradientBlend()
{
    gp::GpPathGradient* G = PathGradientOf(this);
    return ReadBlend([G](INT* N) { return GdipGetPathGradientBlendCount(G, N); },
                     [G](Single* F, Single* P, INT N) { return GdipGetPathGradientBlend(G, F, P, N); });
}

TGPStatus IGPPathGradientBrush::SetPathGradientBlend(const TGPPtr<IGPBlend>& Blend)
{
    GPAssert(Blend != nullptr);
    return GdipSetPathGradientBlend(PathGradientOf(this), Blend->GetFactors(), Blend->GetPositions(),
                                    Blend->GetCount());
}

TGPPtr<IGPColorBlend> IGPPathGradientBrush::GetPathGradientPresetBlend()
{
    gp::GpPathGradient* G = PathGradientOf(this);
    return ReadColorBlend([G](INT* N) { return GdipGetPathGradientPresetBlendCount(G, N); },
                          [G](gp::ARGB* C, Single* P, INT N) { return GdipGetPathGradientPresetBlend(G, C, P, N); });
}

TGPStatus IGPPathGradientBrush::SetPathGradientPresetBlend(const TGPPtr<IGPColorBlend>& Blend)
{
    // Checked like the linear form: a nil blend would otherwise be read.
    GPAssert(Blend != nullptr);
    return GdipSetPathGradientPresetBlend(PathGradientOf(this), AC(Blend->GetColors()), Blend->GetPositions(),
                                          Blend->GetCount());
}

TGPStatus IGPPathGradientBrush::GetPathGradientTransform(TGPPtr<IGPMatrix>& Matrix)
{
    return ReadTransform(Matrix,
                         [this](gp::GpMatrix* M) { return GdipGetPathGradientTransform(PathGradientOf(this), M); });
}

TGPStatus IGPPathGradientBrush::SetPathGradientTransform(const TGPPtr<IGPMatrix>& Matrix)
{
    return GdipSetPathGradientTransform(PathGradientOf(this), Nat<gp::GpMatrix>(Matrix));
}

TGPWrapMode IGPPathGradientBrush::GetPathGradientWrapMode()
{
    gp::WrapMode R = WrapModeTile;
    GdipGetPathGradientWrapMode(PathGradientOf(this), &R);
    return R;
}

TGPStatus IGPPathGradientBrush::SetPathGradientWrapMode(TGPWrapMode WrapMode)
{
    return GdipSetPathGradientWrapMode(PathGradientOf(this), WrapMode);
}

TGPStatus IGPPathGradientBrush::SetPathGradientSigmaBlend(Single Focus, Single Scale)
{
    return GdipSetPathGradientSigmaBlend(PathGradientOf(this), Focus, Scale);
}

TGPStatus IGPPathGradientBrush::SetPathGradientLinearBlend(Single Focus, Single Scale)
{
    return GdipSetPathGradientLinearBlend(PathGradientOf(this), Focus, Scale);
}

TGPStatus IGPPathGradientBrush::ResetPathGradientTransform()
{
    return GdipResetPathGradientTransform(PathGradientOf(this));
}

TGPStatus IGPPathGradientBrush::MultiplyPathGradientTransform(const TGPPtr<IGPMatrix>& Matrix, Integer Order)
{
    return GdipMultiplyPathGradientTransform(PathGradientOf(this), Nat<gp::GpMatrix>(Matrix), MO(Order));
}

TGPStatus IGPPathGradientBrush::TranslatePathGradientTransform(Single DX, Single DY, Integer Order)
{
    return GdipTranslatePathGradientTransform(PathGradientOf(this), DX, DY, MO(Order));
}

TGPStatus IGPPathGradientBrush::ScalePathGradientTransform(Single SX, Single SY, Integer Order)
{
    return GdipScalePathGradientTransform(PathGradientOf(this), SX, SY, MO(Order));
}

TGPStatus IGPPathGradientBrush::RotatePathGradientTransform(Single Angle, Integer Order)
{
    return GdipRotatePathGradientTransform(PathGradientOf(this), Angle, MO(Order));
}

TGPStatus IGPPathGradientBrush::GetPathGradientFocusScales(Single& XScale, Single& YScale)
{
    return GdipGetPathGradientFocusScales(PathGradientOf(this), &XScale, &YScale);
}

TGPStatus IGPPathGradientBrush::SetPathGradientFocusScales(Single XScale, Single YScale)
{
    return GdipSetPathGradientFocusScales(PathGradientOf(this), XScale, YScale);
}

// ---------------------------------------------------------------------------
// TGPCustomLineCap

TGPCustomLineCap::TGPCustomLineCap(const TGPPtr<IGPGraphicsPath>& FillPath, const TGPPtr<IGPGraphicsPath>& StrokePath,
                                   Integer BaseCap, Single BaseInset)
{
    gp::GpCustomLineCap* C = nullptr;
    GdipCreateCustomLineCap(Nat<gp::GpPath>(FillPath), Nat<gp::GpPath>(StrokePath), static_cast<gp::LineCap>(BaseCap),
                            BaseInset, &C);
    FNativeHandle = C;
}

TGPCustomLineCap::~TGPCustomLineCap() { GdipDeleteCustomLineCap(Nat<gp::GpCustomLineCap>(this)); }

bool TGPCustomLineCap::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPCustomLineCap>(this, IID, Obj) || TGdiplusBase::GetInterface(IID, Obj);
}

namespace {
gp::GpCustomLineCap* CapOf(IGPCustomLineCap* Cap) { return Nat<gp::GpCustomLineCap>(Cap); }
}  // namespace

Integer IGPCustomLineCap::GetCustomLineCapStrokeJoin()
{
    gp::LineJoin R = static_cast<gp::LineJoin>(0);
    GdipGetCustomLineCapStrokeJoin(CapOf(this), &R);
    return R;
}

TGPStatus IGPCustomLineCap::SetCustomLineCapStrokeJoin(Integer LineJoin)
{
    return GdipSetCustomLineCapStrokeJoin(CapOf(this), static_cast<gp::LineJoin>(LineJoin));
}

Integer IGPCustomLineCap::GetCustomLineCapBaseCap()
{
    gp::LineCap R = static_cast<gp::LineCap>(0);
    GdipGetCustomLineCapBaseCap(CapOf(this), &R);
    return R;
}

TGPStatus IGPCustomLineCap::SetCustomLineCapBaseCap(Integer BaseCap)
{
    return GdipSetCustomLineCapBaseCap(CapOf(this), static_cast<gp::LineCap>(BaseCap));
}

Single IGPCustomLineCap::GetCustomLineCapBaseInset()
{
    Single R = 0;
    GdipGetCustomLineCapBaseInset(CapOf(this), &R);
    return R;
}

TGPStatus IGPCustomLineCap::SetCustomLineCapBaseInset(Single Inset)
{
    return GdipSetCustomLineCapBaseInset(CapOf(this), Inset);
}

Single IGPCustomLineCap::GetCustomLineCapWidthScale()
{
    Single R = 0;
    GdipGetCustomLineCapWidthScale(CapOf(this), &R);
    return R;
}

TGPStatus IGPCustomLineCap::SetCustomLineCapWidthScale(Single WidthScale)
{
    return GdipSetCustomLineCapWidthScale(CapOf(this), WidthScale);
}

TGPPtr<IGPCustomLineCap> IGPCustomLineCap::Clone()
{
    gp::GpCustomLineCap* C = nullptr;
    GdipCloneCustomLineCap(CapOf(this), &C);
    return TGPPtr<IGPCustomLineCap>(new TGPCustomLineCap(C));
}

TGPStatus IGPCustomLineCap::SetStrokeCap(Integer Cap) { return SetCustomLineCapStrokeCaps(Cap, Cap); }

TGPStatus IGPCustomLineCap::SetCustomLineCapStrokeCaps(Integer StartCap, Integer EndCap)
{
    return GdipSetCustomLineCapStrokeCaps(CapOf(this), static_cast<gp::LineCap>(StartCap),
                                          static_cast<gp::LineCap>(EndCap));
}

TGPStatus IGPCustomLineCap::GetCustomLineCapStrokeCaps(Integer& StartCap, Integer& EndCap)
{
    gp::LineCap S = static_cast<gp::LineCap>(0), E = static_cast<gp::LineCap>(0);
    TGPStatus Status = GdipGetCustomLineCapStrokeCaps(CapOf(this), &S, &E);
    StartCap = S;
    EndCap = E;
    return Status;
}

// ---------------------------------------------------------------------------
// TGPPen

TGPPen::TGPPen(TGPColor Color, Single Width)
{
    gp::GpPen* P = nullptr;
    GdipCreatePen1(Color.FArgb, Width, UnitWorld, &P);
    FNativeHandle = P;
}

TGPPen::TGPPen(const TGPPtr<IGPBrush>& Brush, Single Width)
{
    gp::GpPen* P = nullptr;
    GdipCreatePen2(Nat<gp::GpBrush>(Brush), Width, UnitWorld, &P);
    FNativeHandle = P;
}

TGPPen::~TGPPen() { GdipDeletePen(Nat<gp::GpPen>(this)); }

bool TGPPen::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPPen>(this, IID, Obj) || TGdiplusBase::GetInterface(IID, Obj);
}

namespace {
gp::GpPen* PenOf(IGPPen* Pen) { return Nat<gp::GpPen>(Pen); }

template <class TEnum, class TGet>
Integer ReadEnum(TGet Get)
{
    TEnum R = static_cast<TEnum>(0);
    Get(&R);
    return R;
}
}  // namespace

Single IGPPen::GetPenWidth()
{
    Single R = 0;
    GdipGetPenWidth(PenOf(this), &R);
    return R;
}

TGPStatus IGPPen::SetPenWidth(Single Width) { return GdipSetPenWidth(PenOf(this), Width); }

Integer IGPPen::GetPenStartCap()
{
    return ReadEnum<gp::LineCap>([this](gp::LineCap* R) { return GdipGetPenStartCap(PenOf(this), R); });
}

TGPStatus IGPPen::SetPenStartCap(Integer StartCap)
{
    return GdipSetPenStartCap(PenOf(this), static_cast<gp::LineCap>(StartCap));
}

Integer IGPPen::GetPenEndCap()
{
    return ReadEnum<gp::LineCap>([this](gp::LineCap* R) { return GdipGetPenEndCap(PenOf(this), R); });
}

TGPStatus IGPPen::SetPenEndCap(Integer EndCap) { return GdipSetPenEndCap(PenOf(this), static_cast<gp::LineCap>(EndCap)); }

Integer IGPPen::GetPenDashCap197819()
{
    return ReadEnum<gp::DashCap>([this](gp::DashCap* R) { return GdipGetPenDashCap197819(PenOf(this), R); });
}

TGPStatus IGPPen::SetPenDashCap197819(Integer DashCap)
{
    return GdipSetPenDashCap197819(PenOf(this), static_cast<gp::DashCap>(DashCap));
}

Integer IGPPen::GetPenLineJoin()
{
    return ReadEnum<gp::LineJoin>([this](gp::LineJoin* R) { return GdipGetPenLineJoin(PenOf(this), R); });
}

TGPStatus IGPPen::SetPenLineJoin(Integer LineJoin)
{
    return GdipSetPenLineJoin(PenOf(this), static_cast<gp::LineJoin>(LineJoin));
}

TGPPtr<IGPCustomLineCap> IGPPen::GetPenCustomStartCap()
{
    gp::GpCustomLineCap* C = nullptr;
    GdipGetPenCustomStartCap(PenOf(this), &C);
    return TGPPtr<IGPCustomLineCap>(new TGPCustomLineCap(C));
}

TGPStatus IGPPen::SetPenCustomStartCap(const TGPPtr<IGPCustomLineCap>& CustomCap)
{
    return GdipSetPenCustomStartCap(PenOf(this), Nat<gp::GpCustomLineCap>(CustomCap));
}

TGPPtr<IGPCustomLineCap> IGPPen::GetPenCustomEndCap()
{
    gp::GpCustomLineCap* C = nullptr;
    GdipGetPenCustomEndCap(PenOf(this), &C);
    return TGPPtr<IGPCustomLineCap>(new TGPCustomLineCap(C));
}

TGPStatus IGPPen::SetPenCustomEndCap(const TGPPtr<IGPCustomLineCap>& CustomCap)
{
    return GdipSetPenCustomEndCap(PenOf(this), Nat<gp::GpCustomLineCap>(CustomCap));
}

Single IGPPen::GetPenMiterLimit()
{
    Single R = 0;
    GdipGetPenMiterLimit(PenOf(this), &R);
    return R;
}

TGPStatus IGPPen::SetPenMiterLimit(Single MiterLimit) { return GdipSetPenMiterLimit(PenOf(this), MiterLimit); }

Integer IGPPen::GetPenMode()
{
    return ReadEnum<gp::PenAlignment>([this](gp::PenAlignment* R) { return GdipGetPenMode(PenOf(this), R); });
}

TGPStatus IGPPen::SetPenMode(Integer PenMode)
{
    return GdipSetPenMode(PenOf(this), static_cast<gp::PenAlignment>(PenMode));
}

TGPStatus IGPPen::GetPenTransform(TGPPtr<IGPMatrix>& Matrix)
{
    return ReadTransform(Matrix, [this](gp::GpMatrix* M) { return GdipGetPenTransform(PenOf(this), M); });
}

TGPStatus IGPPen::SetPenTransform(const TGPPtr<IGPMatrix>& Matrix)
{
    return GdipSetPenTransform(PenOf(this), Nat<gp::GpMatrix>(Matrix));
}

Integer IGPPen::GetPenFillType()
{
    return ReadEnum<gp::PenType>([this](gp::PenType* R) { return GdipGetPenFillType(PenOf(this), R); });
}

TGPColor IGPPen::GetPenColor()
{
    TGPColor R;
    GdipGetPenColor(PenOf(this), AC(&R));
    return R;
}

TGPStatus IGPPen::SetPenColor(TGPColor Color) { return GdipSetPenColor(PenOf(this), Color.FArgb); }

TGPPtr<IGPBrush> IGPPen::GetPenBrushFill()
{
    TGPBrush* Brush = nullptr;
    switch (GetPenFillType()) {
    case gp::PenTypeSolidColor: Brush = new TGPSolidBrush(); break;
    case gp::PenTypeHatchFill: Brush = new TGPHatchBrush(); break;
    case gp::PenTypeTextureFill: Brush = new TGPTextureBrush(); break;
    case gp::PenTypePathGradient: Brush = new TGPBrush(); break;
    case gp::PenTypeLinearGradient: Brush = new TGPLinearGradientBrush(); break;
    default: return nullptr;
    }
    TGPPtr<IGPBrush> Result(Brush);
    gp::GpBrush* Native = nullptr;
    GdipGetPenBrushFill(PenOf(this), &Native);
    Result->SetNativeHandle(Native);
    return Result;
}

TGPStatus IGPPen::SetPenBrushFill(const TGPPtr<IGPBrush>& Brush)
{
    return GdipSetPenBrushFill(PenOf(this), Nat<gp::GpBrush>(Brush));
}

Integer IGPPen::GetPenDashStyle()
{
    return ReadEnum<gp::DashStyle>([this](gp::DashStyle* R) { return GdipGetPenDashStyle(PenOf(this), R); });
}

TGPStatus IGPPen::SetPenDashStyle(Integer DashStyle)
{
    return GdipSetPenDashStyle(PenOf(this), static_cast<gp::DashStyle>(DashStyle));
}

Single IGPPen::GetPenDashOffset()
{
    Single R = 0;
    GdipGetPenDashOffset(PenOf(this), &R);
    return R;
}

TGPStatus IGPPen::SetPenDashOffset(Single DashOffset) { return GdipSetPenDashOffset(PenOf(this), DashOffset); }

TGPPtr<IGPArray<Single>> IGPPen::GetPenDashArray()
{
    INT Count = 0;
    GdipGetPenDashCount(PenOf(this), &Count);
    auto Result = NewGPArray<Single>(Count);
    if (Count >= 1) GdipGetPenDashArray(PenOf(this), Result->GetItems(), Count);
    return Result;
}

TGPStatus IGPPen::SetPenDashArray(std::span<const Single> Dashes)
{
    NotEmpty(Dashes);
    return GdipSetPenDashArray(PenOf(this), Dashes.data(), Len(Dashes));
}

TGPStatus IGPPen::SetPenDashArray(const TGPPtr<IGPArray<Single>>& Dashes)
{
    GPAssert(Dashes != nullptr);
    return GdipSetPenDashArray(PenOf(this), Dashes->GetItems(), Dashes->GetCount());
}

TGPPtr<IGPArray<Single>> IGPPen::GetPenCompoundArray()
{
    INT Count = 0;
    GdipGetPenCompoundCount(PenOf(this), &Count);
    auto Result = NewGPArray<Single>(Count);
    if (Count >= 1) GdipGetPenCompoundArray(PenOf(this), Result->GetItems(), Count);
    return Result;
}

TGPStatus IGPPen::SetPenCompoundArray(const TGPPtr<IGPArray<Single>>& CompoundArray)
{
    GPAssert(CompoundArray != nullptr);
    return GdipSetPenCompoundArray(PenOf(this), CompoundArray->GetItems(), CompoundArray->GetCount());
}

TGPPtr<IGPPen> IGPPen::Clone()
{
    gp::GpPen* P = nullptr;
    GdipClonePen(PenOf(this), &P);
    return TGPPtr<IGPPen>(new TGPPen(P));
}

TGPStatus IGPPen::SetPenLineCap197819(Integer StartCap, Integer EndCap, Integer DashCap)
{
    return GdipSetPenLineCap197819(PenOf(this), static_cast<gp::LineCap>(StartCap), static_cast<gp::LineCap>(EndCap),
                                   static_cast<gp::DashCap>(DashCap));
}

TGPStatus IGPPen::ResetPenTransform() { return GdipResetPenTransform(PenOf(this)); }

TGPStatus IGPPen::MultiplyPenTransform(const TGPPtr<IGPMatrix>& Matrix, Integer Order)
{
    return GdipMultiplyPenTransform(PenOf(this), Nat<gp::GpMatrix>(Matrix), MO(Order));
}

TGPStatus IGPPen::TranslatePenTransform(Single DX, Single DY, Integer Order)
{
    return GdipTranslatePenTransform(PenOf(this), DX, DY, MO(Order));
}

TGPStatus IGPPen::ScalePenTransform(Single SX, Single SY, Integer Order)
{
    return GdipScalePenTransform(PenOf(this), SX, SY, MO(Order));
}

TGPStatus IGPPen::RotatePenTransform(Single Angle, Integer Order)
{
    return GdipRotatePenTransform(PenOf(this), Angle, MO(Order));
}

// ---------------------------------------------------------------------------
// TGPFontFamily

TGPFontFamily::TGPFontFamily(const String& Name, const TGPPtr<IGPFontCollection>& FontCollection)
{
    gp::GpFontFamily* F = nullptr;
    GdipCreateFontFamilyFromName(W(Name), Nat<gp::GpFontCollection>(FontCollection), &F);
    FNativeHandle = F;
}

TGPFontFamily::~TGPFontFamily() { GdipDeleteFontFamily(Nat<gp::GpFontFamily>(this)); }

bool TGPFontFamily::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPFontFamily>(this, IID, Obj) || TGdiplusBase::GetInterface(IID, Obj);
}

namespace {
template <class TGet>
TGPPtr<IGPFontFamily> CachedFamily(TGPPtr<IGPFontFamily> TCaches::*Cell, TGet Get)
{
    TCaches& C = Caches();
    std::lock_guard<std::mutex> Guard(C.Lock);
    if (!(C.*Cell)) {
        gp::GpFontFamily* F = nullptr;
        Get(&F);
        C.*Cell = TGPPtr<IGPFontFamily>(new TGPFontFamily(F));
    }
    return C.*Cell;
}
}  // namespace

TGPPtr<IGPFontFamily> TGPFontFamily::GenericSansSerif()
{
    return CachedFamily(&TCaches::SansSerif, GdipGetGenericFontFamilySansSerif);
}

TGPPtr<IGPFontFamily> TGPFontFamily::GenericSerif()
{
    return CachedFamily(&TCaches::Serif, GdipGetGenericFontFamilySerif);
}

TGPPtr<IGPFontFamily> TGPFontFamily::GenericMonospace()
{
    return CachedFamily(&TCaches::Monospace, GdipGetGenericFontFamilyMonospace);
}

namespace {
gp::GpFontFamily* FamilyOf(IGPFontFamily* Family) { return Nat<gp::GpFontFamily>(Family); }

template <class TGet>
Word ReadMetric(IGPFontFamily* Family, TGPFontStyle Style, TGet Get)
{
    UINT16 R = 0;
    Get(FamilyOf(Family), Style, &R);
    return R;
}
}  // namespace

String IGPFontFamily::GetFamilyName(Word Language)
{
    WCHAR Name[LF_FACESIZE + 1] = {};
    GdipGetFamilyName(FamilyOf(this), Name, Language);
    Name[LF_FACESIZE] = 0;
    return FromWStr(Name);
}

TGPPtr<IGPFontFamily> IGPFontFamily::Clone()
{
    gp::GpFontFamily* F = nullptr;
    GdipCloneFontFamily(FamilyOf(this), &F);
    return TGPPtr<IGPFontFamily>(new TGPFontFamily(F));
}

bool IGPFontFamily::IsAvailable() { return GetNativeHandle() != nullptr; }

bool IGPFontFamily::IsStyleAvailable(TGPFontStyle Style)
{
    BOOL R = FALSE;
    if (GdipIsStyleAvailable(FamilyOf(this), Style, &R) != gp::Ok) return false;
    return R != FALSE;
}

Word IGPFontFamily::GetEmHeight(TGPFontStyle Style) { return ReadMetric(this, Style, GdipGetEmHeight); }
Word IGPFontFamily::GetCellAscent(TGPFontStyle Style) { return ReadMetric(this, Style, GdipGetCellAscent); }
Word IGPFontFamily::GetCellDescent(TGPFontStyle Style) { return ReadMetric(this, Style, GdipGetCellDescent); }
Word IGPFontFamily::GetLineSpacing(TGPFontStyle Style) { return ReadMetric(this, Style, GdipGetLineSpacing); }

// ---------------------------------------------------------------------------
// TGPFont

TGPFont::TGPFont(const TGPPtr<IGPFontFamily>& Family, Single EmSize, TGPFontStyle Style, TGPUnit MeasureUnit)
{
    gp::GpFont* F = nullptr;
    GdipCreateFont(Nat<gp::GpFontFamily>(Family), EmSize, Style, MeasureUnit, &F);
    FNativeHandle = F;
}

TGPFont::TGPFont(const String& FamilyName, Single EmSize, TGPFontStyle Style, TGPUnit MeasureUnit,
                 const TGPPtr<IGPFontCollection>& FontCollection)
{
    TGPPtr<IGPFontFamily> Family;
    try {
        Family = TGPPtr<IGPFontFamily>(new TGPFontFamily(FamilyName, FontCollection));
    } catch (const Exception&) {
        Family = TGPFontFamily::GenericSansSerif();
    }
    gp::GpFont* F = nullptr;
    GdipCreateFont(Nat<gp::GpFontFamily>(Family), EmSize, Style, MeasureUnit, &F);
    FNativeHandle = F;
}

TGPFont::TGPFont(HDC DC)
{
    gp::GpFont* F = nullptr;
    GdipCreateFontFromDC(DC, &F);
    FNativeHandle = F;
}

TGPFont::TGPFont(HDC DC, const LOGFONTA& LogFont)
{
    gp::GpFont* F = nullptr;
    GdipCreateFontFromLogfontA(DC, &LogFont, &F);
    FNativeHandle = F;
}

TGPFont::TGPFont(HDC DC, const LOGFONTW& LogFont)
{
    gp::GpFont* F = nullptr;
    GdipCreateFontFromLogfontW(DC, &LogFont, &F);
    FNativeHandle = F;
}

TGPFont::TGPFont(HDC DC, HFONT FontHandle)
{
    gp::GpFont* F = nullptr;
    LOGFONTA LogFont{};
    if (FontHandle && GetObjectA(FontHandle, sizeof(LogFont), &LogFont) == sizeof(LogFont))
        GdipCreateFontFromLogfontA(DC, &LogFont, &F);
    else
        GdipCreateFontFromDC(DC, &F);
    FNativeHandle = F;
}

TGPFont::~TGPFont() { GdipDeleteFont(Nat<gp::GpFont>(this)); }

bool TGPFont::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPFont>(this, IID, Obj) || TGdiplusBase::GetInterface(IID, Obj);
}

namespace {
gp::GpFont* FontOf(IGPFont* Font) { return Nat<gp::GpFont>(Font); }
}  // namespace

TGPFontStyle IGPFont::GetFontStyle()
{
    INT R = 0;
    GdipGetFontStyle(FontOf(this), &R);
    return R;
}

Single IGPFont::GetFontSize()
{
    Single R = 0;
    GdipGetFontSize(FontOf(this), &R);
    return R;
}

TGPUnit IGPFont::GetFontUnit()
{
    gp::Unit R = UnitWorld;
    GdipGetFontUnit(FontOf(this), &R);
    return R;
}

TGPPtr<IGPFontFamily> IGPFont::GetFamily()
{
    gp::GpFontFamily* F = nullptr;
    GdipGetFamily(FontOf(this), &F);
    return TGPPtr<IGPFontFamily>(new TGPFontFamily(F));
}

TGPPtr<IGPFont> IGPFont::Clone()
{
    gp::GpFont* F = nullptr;
    GdipCloneFont(FontOf(this), &F);
    return TGPPtr<IGPFont>(new TGPFont(F));
}

TGPStatus IGPFont::GetLogFontA(const TGPPtr<IGPGraphics>& Graphics, LOGFONTA& LogFont)
{
    return GdipGetLogFontA(FontOf(this), Nat<gp::GpGraphics>(Graphics), &LogFont);
}

TGPStatus IGPFont::GetLogFontW(const TGPPtr<IGPGraphics>& Graphics, LOGFONTW& LogFont)
{
    return GdipGetLogFontW(FontOf(this), Nat<gp::GpGraphics>(Graphics), &LogFont);
}

bool IGPFont::IsAvailable() { return GetNativeHandle() != nullptr; }

Single IGPFont::GetFontHeight(const TGPPtr<IGPGraphics>& Graphics)
{
    Single R = 0;
    GdipGetFontHeight(FontOf(this), Nat<gp::GpGraphics>(Graphics), &R);
    return R;
}

Single IGPFont::GetFontHeightGivenDPI(Single Dpi)
{
    Single R = 0;
    GdipGetFontHeightGivenDPI(FontOf(this), Dpi, &R);
    return R;
}

// ---------------------------------------------------------------------------
// TGPStringFormat

TGPStringFormat::TGPStringFormat(TGPStringFormatFlags FormatFlags, Word Language)
{
    gp::GpStringFormat* F = nullptr;
    GdipCreateStringFormat(FormatFlags, Language, &F);
    FNativeHandle = F;
}

TGPStringFormat::TGPStringFormat(const TGPPtr<IGPStringFormat>& Format)
{
    gp::GpStringFormat* F = nullptr;
    GdipCloneStringFormat(Nat<gp::GpStringFormat>(Format), &F);
    FNativeHandle = F;
}

TGPStringFormat::~TGPStringFormat() { GdipDeleteStringFormat(Nat<gp::GpStringFormat>(this)); }

bool TGPStringFormat::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPStringFormat>(this, IID, Obj) || TGdiplusBase::GetInterface(IID, Obj);
}

namespace {
template <class TGet>
TGPPtr<IGPStringFormat> CachedFormat(TGPPtr<IGPStringFormat> TCaches::*Cell, TGet Get)
{
    TCaches& C = Caches();
    std::lock_guard<std::mutex> Guard(C.Lock);
    if (!(C.*Cell)) {
        gp::GpStringFormat* F = nullptr;
        Get(&F);
        C.*Cell = TGPPtr<IGPStringFormat>(new TGPStringFormat(F));
    }
    return C.*Cell;
}

gp::GpStringFormat* FormatOf(IGPStringFormat* Format) { return Nat<gp::GpStringFormat>(Format); }
}  // namespace

TGPPtr<IGPStringFormat> TGPStringFormat::GenericDefault()
{
    return CachedFormat(&TCaches::GenericDefault, GdipStringFormatGetGenericDefault);
}

TGPPtr<IGPStringFormat> TGPStringFormat::GenericTypographic()
{
    return CachedFormat(&TCaches::GenericTypographic, GdipStringFormatGetGenericTypographic);
}

TGPStringFormatFlags IGPStringFormat::GetStringFormatFlags()
{
    INT R = 0;
    GdipGetStringFormatFlags(FormatOf(this), &R);
    return R;
}

TGPStatus IGPStringFormat::SetStringFormatFlags(TGPStringFormatFlags Flags)
{
    return GdipSetStringFormatFlags(FormatOf(this), Flags);
}

Integer IGPStringFormat::GetStringFormatAlign()
{
    return ReadEnum<gp::StringAlignment>(
        [this](gp::StringAlignment* R) { return GdipGetStringFormatAlign(FormatOf(this), R); });
}

TGPStatus IGPStringFormat::SetStringFormatAlign(Integer Align)
{
    return GdipSetStringFormatAlign(FormatOf(this), static_cast<gp::StringAlignment>(Align));
}

Integer IGPStringFormat::GetStringFormatLineAlign()
{
    return ReadEnum<gp::StringAlignment>(
        [this](gp::StringAlignment* R) { return GdipGetStringFormatLineAlign(FormatOf(this), R); });
}

TGPStatus IGPStringFormat::SetStringFormatLineAlign(Integer Align)
{
    return GdipSetStringFormatLineAlign(FormatOf(this), static_cast<gp::StringAlignment>(Align));
}

Integer IGPStringFormat::GetStringFormatHotkeyPrefix()
{
    INT R = 0;
    GdipGetStringFormatHotkeyPrefix(FormatOf(this), &R);
    return R;
}

TGPStatus IGPStringFormat::SetStringFormatHotkeyPrefix(Integer HotkeyPrefix)
{
    return GdipSetStringFormatHotkeyPrefix(FormatOf(this), HotkeyPrefix);
}

Word IGPStringFormat::GetDigitSubstitutionLanguage()
{
    LANGID R = 0;
    GdipGetStringFormatDigitSubstitution(FormatOf(this), &R, nullptr);
    return R;
}

Integer IGPStringFormat::GetDigitSubstitutionMethod()
{
    return ReadEnum<gp::StringDigitSubstitute>([this](gp::StringDigitSubstitute* R) {
        return GdipGetStringFormatDigitSubstitution(FormatOf(this), nullptr, R);
    });
}

Integer IGPStringFormat::GetStringFormatTrimming()
{
    return ReadEnum<gp::StringTrimming>(
        [this](gp::StringTrimming* R) { return GdipGetStringFormatTrimming(FormatOf(this), R); });
}

TGPStatus IGPStringFormat::SetStringFormatTrimming(Integer Trimming)
{
    return GdipSetStringFormatTrimming(FormatOf(this), static_cast<gp::StringTrimming>(Trimming));
}

Integer IGPStringFormat::GetStringFormatMeasurableCharacterRangeCount()
{
    INT R = 0;
    GdipGetStringFormatMeasurableCharacterRangeCount(FormatOf(this), &R);
    return R;
}

TGPPtr<IGPStringFormat> IGPStringFormat::Clone()
{
    gp::GpStringFormat* F = nullptr;
    GdipCloneStringFormat(FormatOf(this), &F);
    return TGPPtr<IGPStringFormat>(new TGPStringFormat(F));
}

TGPPtr<IGPArray<Single>> IGPStringFormat::GetStringFormatTabStops(Single& FirstTabOffset)
{
    INT Count = 0;
    GdipGetStringFormatTabStopCount(FormatOf(this), &Count);
    auto Result = NewGPArray<Single>(Count);
    FirstTabOffset = 0;
    if (Count > 0) GdipGetStringFormatTabStops(FormatOf(this), Count, &FirstTabOffset, Result->GetItems());
    return Result;
}

TGPStatus IGPStringFormat::SetStringFormatTabStops(Single FirstTabOffset, std::span<const Single> TabStops)
{
    NotEmpty(TabStops);
    return GdipSetStringFormatTabStops(FormatOf(this), FirstTabOffset, Len(TabStops), TabStops.data());
}

TGPStatus IGPStringFormat::SetStringFormatDigitSubstitution(Word Language, Integer Substitute)
{
    return GdipSetStringFormatDigitSubstitution(FormatOf(this), Language,
                                                static_cast<gp::StringDigitSubstitute>(Substitute));
}

TGPStatus IGPStringFormat::SetStringFormatMeasurableCharacterRanges(
    const TGPPtr<IGPArray<TGPCharacterRange>>& Ranges)
{
    GPAssert(Ranges != nullptr);
    return GdipSetStringFormatMeasurableCharacterRanges(
        FormatOf(this), Ranges->GetCount(), reinterpret_cast<const gp::CharacterRange*>(Ranges->GetItems()));
}

// ---------------------------------------------------------------------------
// Image formats and the encoder lookup

bool TGPImageFormat::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPImageFormat>(this, IID, Obj) || TInterfacedObject::GetInterface(IID, Obj);
}

namespace {

// Finds the BMP, JPEG, GIF, TIFF and PNG encoders once per run, under the
// cache lock (a worker thread may encode while the interface thread does).
void EnumerateEncoders(TCaches& C)
{
    if (C.EncodersEnumerated) return;
    C.EncodersEnumerated = true;
    UINT Count = 0, Size = 0;
    GdipGetImageEncodersSize(&Count, &Size);
    if (Size != 0) {
        // GDI+'s own records: their size differs between the 32- and 64-bit builds.
        std::vector<Byte> Block(Size);
        auto* Codecs = reinterpret_cast<gp::ImageCodecInfo*>(Block.data());
        if (GdipGetImageEncoders(Count, Size, Codecs) == gp::Ok) {
            Count = std::min<UINT>(Count, Size / sizeof(gp::ImageCodecInfo));
            struct {
                const TGUID& Format;
                TGPPtr<IGPImageFormat>& Cell;
            } const Wanted[] = {{ImageFormatBMP, C.Bmp},
                                {ImageFormatJPEG, C.Jpeg},
                                {ImageFormatGIF, C.Gif},
                                {ImageFormatTIFF, C.Tiff},
                                {ImageFormatPNG, C.Png}};
            for (UINT I = 0; I < Count; ++I) {
                TGUID FormatId, ClassId;
                std::memcpy(&FormatId, &Codecs[I].FormatID, sizeof(TGUID));
                std::memcpy(&ClassId, &Codecs[I].Clsid, sizeof(TGUID));
                for (auto& W : Wanted)
                    if (FormatId == W.Format) {
                        W.Cell = TGPPtr<IGPImageFormat>(new TGPImageFormat(FormatId, ClassId));
                        break;
                    }
            }
        }
    }
}

void RequireStandardEncoders(TCaches& C, std::source_location Where = std::source_location::current())
{
    GPAssert(C.Bmp != nullptr, Where);
    GPAssert(C.Jpeg != nullptr, Where);
    GPAssert(C.Gif != nullptr, Where);
    GPAssert(C.Tiff != nullptr, Where);
    GPAssert(C.Png != nullptr, Where);
}

}  // namespace

TGPPtr<IGPImageFormat> TGPImageFormat::FindByFormatId(const TGUID& FormatId)
{
    TCaches& C = Caches();
    std::lock_guard<std::mutex> Guard(C.Lock);
    EnumerateEncoders(C);
    RequireStandardEncoders(C);
    for (const TGPPtr<IGPImageFormat>* Cell : {&C.Bmp, &C.Gif, &C.Jpeg, &C.Png, &C.Tiff})
        if ((*Cell)->GetGuid() == FormatId) return *Cell;
    return nullptr;
}

TGPPtr<IGPImageFormat> GetJpegCodec()
{
    TCaches& C = Caches();
    std::lock_guard<std::mutex> Guard(C.Lock);
    EnumerateEncoders(C);
    RequireStandardEncoders(C);
    return C.Jpeg;
}

// ---------------------------------------------------------------------------
// TGPEncoderParameters

namespace {
// Bytes of one value of each encoder value type (1 byte, 2 ASCII, 3 short,
// 4 long, 5 rational, 6 long range, 7 undefined, 8 rational range).
constexpr Cardinal ValueTypeSize[9] = {0, 1, 1, 2, 4, 8, 8, 1, 16};

// The offset of the first record in a native list: 4 in the 32-bit build, 8 in the 64-bit one.
constexpr size_t NativeListHeader = offsetof(gp::EncoderParameters, Parameter);
}  // namespace

TGPEncoderParameters::TGPEncoderParameters(const gp::EncoderParameters* NativeParams)
{
    if (!NativeParams) return;
    for (UINT I = 0; I < NativeParams->Count; ++I) {
        const gp::EncoderParameter& P = NativeParams->Parameter[I];
        TGUID Id;
        std::memcpy(&Id, &P.Guid, sizeof(Id));
        Add(Id, static_cast<Cardinal>(P.NumberOfValues), static_cast<Cardinal>(P.Type), P.Value);
    }
}

TGPEncoderParameters::~TGPEncoderParameters()
{
    std::free(FNativeParams);
    std::free(FValues);
}

bool TGPEncoderParameters::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPEncoderParameters>(this, IID, Obj) || TInterfacedObject::GetInterface(IID, Obj);
}

gp::EncoderParameters* TGPEncoderParameters::GetNativeParams()
{
    if (!FNativeParams || FModified) {
        size_t Size = NativeListHeader + sizeof(gp::EncoderParameter) * static_cast<size_t>(std::max(FParamCount, 1));
        void* Block = std::realloc(FNativeParams, Size);
        if (!Block) throw EOutOfMemory(u"Out of memory");
        FNativeParams = static_cast<gp::EncoderParameters*>(Block);
        std::memset(FNativeParams, 0, Size);
        FNativeParams->Count = static_cast<UINT>(FParamCount);
        if (FParamCount > 0)
            std::memcpy(FNativeParams->Parameter, FParams.data(), sizeof(gp::EncoderParameter) * FParamCount);
        FModified = false;
    }
    return FNativeParams;
}

void TGPEncoderParameters::Clear()
{
    FParamCount = 0;
    FValueSize = 0;
    FModified = true;
}

void TGPEncoderParameters::Add(const TGUID& ParamType, Cardinal NumberOfValues, Cardinal ValueType,
                               const void* Values)
{
    GPAssert(ValueType >= 1 && ValueType <= 8);
    FModified = true;
    if (FParamCount == static_cast<Integer>(FParams.size())) FParams.resize(static_cast<size_t>(FParamCount) + 4);
    size_t Bytes = static_cast<size_t>(NumberOfValues) * ValueTypeSize[ValueType];
    size_t Needed = FValueSize + Bytes;
    if (FValueAllocated < Needed) {
        // The earlier entries point into the block: they move with it.
        std::vector<size_t> Offsets(static_cast<size_t>(FParamCount));
        for (Integer I = 0; I < FParamCount; ++I)
            Offsets[I] = static_cast<size_t>(static_cast<Byte*>(FParams[I].Value) - FValues);
        auto* Block = static_cast<Byte*>(std::realloc(FValues, Needed + 64));
        if (!Block) throw EOutOfMemory(u"Out of memory");
        FValues = Block;
        FValueAllocated = Needed + 64;
        for (Integer I = 0; I < FParamCount; ++I) FParams[I].Value = Block + Offsets[I];
    }
    if (Bytes) std::memcpy(FValues + FValueSize, Values, Bytes);
    gp::EncoderParameter& P = FParams[static_cast<size_t>(FParamCount)];
    std::memcpy(&P.Guid, &ParamType, sizeof(ParamType));
    P.NumberOfValues = NumberOfValues;
    P.Type = ValueType;
    P.Value = FValues + FValueSize;
    FValueSize += Bytes;
    ++FParamCount;
}

namespace {
template <class T>
void AddArray(TGPEncoderParameters* List, const TGUID& ParamType, std::span<const T> Values, Cardinal ValueType,
              std::source_location Where = std::source_location::current())
{
    GPAssert(!Values.empty(), Where);
    List->Add(ParamType, static_cast<Cardinal>(Values.size()), ValueType, Values.data());
}

// Pairs or quadruples of 32-bit values, one after another.
std::vector<Integer> Interleave(std::initializer_list<std::span<const Integer>> Columns,
                                std::source_location Where = std::source_location::current())
{
    size_t N = Columns.begin()->size();
    GPAssert(N > 0, Where);
    for (auto C : Columns) GPAssert(C.size() == N, Where);
    std::vector<Integer> Result;
    Result.reserve(N * Columns.size());
    for (size_t I = 0; I < N; ++I)
        for (auto C : Columns) Result.push_back(C[I]);
    return Result;
}
}  // namespace

void TGPEncoderParameters::Add(const TGUID& ParamType, Integer Value)
{
    Add(ParamType, 1, gp::EncoderParameterValueTypeLong, &Value);
}

void TGPEncoderParameters::Add(const TGUID& ParamType, std::span<const Integer> Values)
{
    AddArray(this, ParamType, Values, gp::EncoderParameterValueTypeLong);
}

void TGPEncoderParameters::Add(const TGUID& ParamType, Byte Value)
{
    Add(ParamType, 1, gp::EncoderParameterValueTypeByte, &Value);
}

void TGPEncoderParameters::Add(const TGUID& ParamType, std::span<const Byte> Values)
{
    AddArray(this, ParamType, Values, gp::EncoderParameterValueTypeByte);
}

void TGPEncoderParameters::Add(const TGUID& ParamType, SmallInt Value)
{
    Add(ParamType, 1, gp::EncoderParameterValueTypeShort, &Value);
}

void TGPEncoderParameters::Add(const TGUID& ParamType, std::span<const SmallInt> Values)
{
    AddArray(this, ParamType, Values, gp::EncoderParameterValueTypeShort);
}

void TGPEncoderParameters::Add(const TGUID& ParamType, Cardinal Value)
{
    Add(ParamType, 1, gp::EncoderParameterValueTypeLong, &Value);
}

void TGPEncoderParameters::Add(const TGUID& ParamType, std::span<const Cardinal> Values)
{
    AddArray(this, ParamType, Values, gp::EncoderParameterValueTypeLong);
}

void TGPEncoderParameters::Add(const TGUID& ParamType, gp::EncoderValue Value)
{
    Cardinal V = static_cast<Cardinal>(Value);
    Add(ParamType, 1, gp::EncoderParameterValueTypeLong, &V);
}

void TGPEncoderParameters::Add(const TGUID& ParamType, std::span<const Int64> Values)
{
    GPAssert(!Values.empty());
    std::vector<Cardinal> Low(Values.size());
    for (size_t I = 0; I < Values.size(); ++I) Low[I] = static_cast<Cardinal>(Values[I]);
    Add(ParamType, static_cast<Cardinal>(Low.size()), gp::EncoderParameterValueTypeLong, Low.data());
}

void TGPEncoderParameters::Add(const TGUID& ParamType, const String& Value)
{
    GPAssert(!Value.empty());
    AnsiString Text = StringToAnsi(Value);
    Add(ParamType, static_cast<Cardinal>(Text.size() + 1), gp::EncoderParameterValueTypeASCII, Text.c_str());
}

void TGPEncoderParameters::Add(const TGUID& ParamType, Byte Value, bool Undefined)
{
    Add(ParamType, 1, Undefined ? gp::EncoderParameterValueTypeUndefined : gp::EncoderParameterValueTypeByte, &Value);
}

void TGPEncoderParameters::Add(const TGUID& ParamType, std::span<const Byte> Values, bool Undefined)
{
    AddArray(this, ParamType, Values,
             Undefined ? gp::EncoderParameterValueTypeUndefined : gp::EncoderParameterValueTypeByte);
}

void TGPEncoderParameters::Add(const TGUID& ParamType, Integer Numerator, Integer Denominator)
{
    const Integer V[2] = {Numerator, Denominator};
    Add(ParamType, 1, gp::EncoderParameterValueTypeRational, V);
}

void TGPEncoderParameters::Add(const TGUID& ParamType, std::span<const Integer> Numerators,
                               std::span<const Integer> Denominators)
{
    std::vector<Integer> V = Interleave({Numerators, Denominators});
    Add(ParamType, static_cast<Cardinal>(Numerators.size()), gp::EncoderParameterValueTypeRational, V.data());
}

void TGPEncoderParameters::AddRange(const TGUID& ParamType, Integer RangeBegin, Integer RangeEnd)
{
    const Integer V[2] = {RangeBegin, RangeEnd};
    Add(ParamType, 1, gp::EncoderParameterValueTypeLongRange, V);
}

void TGPEncoderParameters::AddRange(const TGUID& ParamType, std::span<const Integer> RangesBegin,
                                    std::span<const Integer> RangesEnd)
{
    std::vector<Integer> V = Interleave({RangesBegin, RangesEnd});
    Add(ParamType, static_cast<Cardinal>(RangesBegin.size()), gp::EncoderParameterValueTypeLongRange, V.data());
}

void TGPEncoderParameters::Add(const TGUID& ParamType, Integer Numerator1, Integer Denominator1, Integer Numerator2,
                               Integer Denominator2)
{
    const Integer V[4] = {Numerator1, Denominator1, Numerator2, Denominator2};
    Add(ParamType, 1, gp::EncoderParameterValueTypeRationalRange, V);
}

void TGPEncoderParameters::Add(const TGUID& ParamType, std::span<const Integer> Numerators1,
                               std::span<const Integer> Denominators1, std::span<const Integer> Numerators2,
                               std::span<const Integer> Denominators2)
{
    std::vector<Integer> V = Interleave({Numerators1, Denominators1, Numerators2, Denominators2});
    Add(ParamType, static_cast<Cardinal>(Numerators1.size()), gp::EncoderParameterValueTypeRationalRange, V.data());
}

TGPEncoderParameterEnumerator IGPEncoderParameters::GetEnumerator() { return TGPEncoderParameterEnumerator(this); }

bool TGPEncoderParameterEnumerator::MoveNext()
{
    if (FIndex < FParams->GetCount() - 1) {
        ++FIndex;
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------
// TGPColorPalette, TGPPropertyItem

TGPColorPalette::TGPColorPalette(Integer Count)
    : FData(offsetof(gp::ColorPalette, Entries) + sizeof(gp::ARGB) * static_cast<size_t>(std::max(Count, 0)))
{
    Native()->Flags = 0;
    Native()->Count = static_cast<UINT>(std::max(Count, 0));
}

TGPColorPalette::TGPColorPalette(std::vector<Byte> NativeBlock) : FData(std::move(NativeBlock))
{
    // A block too short for its own header counts as an empty palette.
    if (FData.size() < offsetof(gp::ColorPalette, Entries)) FData.assign(offsetof(gp::ColorPalette, Entries), 0);
    size_t Room = (FData.size() - offsetof(gp::ColorPalette, Entries)) / sizeof(gp::ARGB);
    if (Native()->Count > Room) Native()->Count = static_cast<UINT>(Room);
}

bool TGPColorPalette::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPColorPalette>(this, IID, Obj) || TInterfacedObject::GetInterface(IID, Obj);
}

TGPPropertyItem::TGPPropertyItem() : FData(sizeof(gp::PropertyItem)) {}

TGPPropertyItem::TGPPropertyItem(std::vector<Byte> NativeBlock) : FData(std::move(NativeBlock))
{
    if (!FData.empty() && FData.size() < sizeof(gp::PropertyItem)) FData.resize(sizeof(gp::PropertyItem));
}

void TGPPropertyItem::SetId(Cardinal Value)
{
    if (Item()) Item()->id = Value;
}

void TGPPropertyItem::SetLength(Cardinal Value)
{
    if (Item()) Item()->length = Value;
}

void TGPPropertyItem::SetValueType(Word Value)
{
    if (Item()) Item()->type = Value;
}

void TGPPropertyItem::SetValue(void* Value)
{
    if (Item()) Item()->value = Value;
}

bool TGPPropertyItem::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPPropertyItem>(this, IID, Obj) || TInterfacedObject::GetInterface(IID, Obj);
}

// ---------------------------------------------------------------------------
// TGPImage

TGPImage::TGPImage(const String& FileName, bool UseEmbeddedColorManagement)
{
    gp::GpImage* I = nullptr;
    if (UseEmbeddedColorManagement)
        GdipLoadImageFromFileICM(W(FileName), &I);
    else
        GdipLoadImageFromFile(W(FileName), &I);
    FNativeHandle = I;
}

TGPImage::TGPImage(IStream* Stream, bool UseEmbeddedColorManagement)
{
    gp::GpImage* I = nullptr;
    if (UseEmbeddedColorManagement)
        GdipLoadImageFromStreamICM(Stream, &I);
    else
        GdipLoadImageFromStream(Stream, &I);
    FNativeHandle = I;
}

TGPImage::~TGPImage() { GdipDisposeImage(Nat<gp::GpImage>(this)); }

TGPPtr<IGPImage> TGPImage::FromFile(const String& FileName, bool UseEmbeddedColorManagement)
{
    return TGPPtr<IGPImage>(new TGPImage(FileName, UseEmbeddedColorManagement));
}

TGPPtr<IGPImage> TGPImage::FromStream(IStream* Stream, bool UseEmbeddedColorManagement)
{
    return TGPPtr<IGPImage>(new TGPImage(Stream, UseEmbeddedColorManagement));
}

bool TGPImage::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPImage>(this, IID, Obj) || TGdiplusBase::GetInterface(IID, Obj);
}

namespace {
gp::GpImage* ImageOf(IGPImage* Image) { return Nat<gp::GpImage>(Image); }

gp::EncoderParameters* NativeParamsOf(const TGPPtr<IGPEncoderParameters>& Params)
{
    return Params ? Params->GetNativeParams() : nullptr;
}
}  // namespace

Integer IGPImage::GetImageType()
{
    return ReadEnum<gp::ImageType>([this](gp::ImageType* R) { return GdipGetImageType(ImageOf(this), R); });
}

Cardinal IGPImage::GetImageWidth()
{
    UINT R = 0;
    GdipGetImageWidth(ImageOf(this), &R);
    return R;
}

Cardinal IGPImage::GetImageHeight()
{
    UINT R = 0;
    GdipGetImageHeight(ImageOf(this), &R);
    return R;
}

Single IGPImage::GetImageHorizontalResolution()
{
    Single R = 0;
    GdipGetImageHorizontalResolution(ImageOf(this), &R);
    return R;
}

Single IGPImage::GetImageVerticalResolution()
{
    Single R = 0;
    GdipGetImageVerticalResolution(ImageOf(this), &R);
    return R;
}

Cardinal IGPImage::GetImageFlags()
{
    UINT R = 0;
    GdipGetImageFlags(ImageOf(this), &R);
    return R;
}

TGPStatus IGPImage::GetImageRawFormat(TGUID& Format) { return GdipGetImageRawFormat(ImageOf(this), G(&Format)); }

Integer IGPImage::GetImagePixelFormat()
{
    gp::PixelFormat R = 0;
    GdipGetImagePixelFormat(ImageOf(this), &R);
    return static_cast<Integer>(R);
}

TGPPtr<IGPColorPalette> IGPImage::GetImagePalette()
{
    INT Size = 0;
    GdipGetImagePaletteSize(ImageOf(this), &Size);
    if (Size <= 0) return TGPPtr<IGPColorPalette>(new TGPColorPalette(0));
    std::vector<Byte> Block(static_cast<size_t>(Size));
    GdipGetImagePalette(ImageOf(this), reinterpret_cast<gp::ColorPalette*>(Block.data()), Size);
    return TGPPtr<IGPColorPalette>(new TGPColorPalette(std::move(Block)));
}

TGPStatus IGPImage::SetImagePalette(const TGPPtr<IGPColorPalette>& Palette)
{
    GPAssert(Palette != nullptr);
    return GdipSetImagePalette(ImageOf(this), Palette->GetNativePalette());
}

TGPPtr<IGPArray<Cardinal>> IGPImage::GetPropertyIdList()
{
    UINT Count = 0;
    GdipGetPropertyCount(ImageOf(this), &Count);
    auto Result = NewGPArray<Cardinal>(static_cast<Integer>(Count));
    if (Count != 0) GdipGetPropertyIdList(ImageOf(this), Count, reinterpret_cast<PROPID*>(Result->GetItems()));
    return Result;
}

TGPPtr<IGPArray<TGPPtr<IGPPropertyItem>>> IGPImage::GetAllPropertyItems()
{
    UINT TotalSize = 0, Count = 0;
    GdipGetPropertySize(ImageOf(this), &TotalSize, &Count);
    auto Result = NewGPArray<TGPPtr<IGPPropertyItem>>(static_cast<Integer>(Count));
    if (TotalSize == 0 || Count == 0) return Result;
    std::vector<Byte> Block(TotalSize);
    auto* Items = reinterpret_cast<gp::PropertyItem*>(Block.data());
    if (GdipGetAllPropertyItems(ImageOf(this), TotalSize, Count, Items) != gp::Ok) return Result;
    for (UINT I = 0; I < Count; ++I) {
        // Each item gets its own copy of the header and of the value bytes.
        const gp::PropertyItem& Src = Items[I];
        std::vector<Byte> Copy(sizeof(gp::PropertyItem) + Src.length);
        auto* Dst = reinterpret_cast<gp::PropertyItem*>(Copy.data());
        *Dst = Src;
        Dst->value = Copy.data() + sizeof(gp::PropertyItem);
        if (Src.length && Src.value) std::memcpy(Dst->value, Src.value, Src.length);
        Result->SetItem(static_cast<Integer>(I), TGPPtr<IGPPropertyItem>(new TGPPropertyItem(std::move(Copy))));
    }
    return Result;
}

TGPPtr<IGPImage> IGPImage::Clone()
{
    gp::GpImage* I = nullptr;
    GdipCloneImage(ImageOf(this), &I);
    return TGPPtr<IGPImage>(new TGPImage(I));
}

TGPStatus IGPImage::Save(const String& FileName, const TGPPtr<IGPImageFormat>& Format,
                         const TGPPtr<IGPEncoderParameters>& Params)
{
    GPAssert(Format != nullptr);
    TGUID Codec = Format->GetCodecId();
    return GdipSaveImageToFile(ImageOf(this), W(FileName), G(&Codec), NativeParamsOf(Params));
}

TGPStatus IGPImage::Save(IStream* Stream, const TGPPtr<IGPImageFormat>& Format,
                         const TGPPtr<IGPEncoderParameters>& Params)
{
    GPAssert(Format != nullptr);
    TGUID Codec = Format->GetCodecId();
    return GdipSaveImageToStream(ImageOf(this), Stream, G(&Codec), NativeParamsOf(Params));
}

TGPStatus IGPImage::Save(const String& FileName, const TGUID& EncoderClsid, const TGPPtr<IGPEncoderParameters>& Params)
{
    return GdipSaveImageToFile(ImageOf(this), W(FileName), G(&EncoderClsid), NativeParamsOf(Params));
}

TGPStatus IGPImage::Save(IStream* Stream, const TGUID& EncoderClsid, const TGPPtr<IGPEncoderParameters>& Params)
{
    return GdipSaveImageToStream(ImageOf(this), Stream, G(&EncoderClsid), NativeParamsOf(Params));
}

TGPStatus IGPImage::SaveAdd(const TGPPtr<IGPEncoderParameters>& Params)
{
    GPAssert(Params != nullptr);
    return GdipSaveAdd(ImageOf(this), Params->GetNativeParams());
}

TGPStatus IGPImage::SaveAdd(const TGPPtr<IGPImage>& NewImage, const TGPPtr<IGPEncoderParameters>& Params)
{
    GPAssert(Params != nullptr);
    return GdipSaveAddImage(ImageOf(this), Nat<gp::GpImage>(NewImage), Params->GetNativeParams());
}

TGPStatus IGPImage::GetImageDimension(Single& Width, Single& Height)
{
    return GdipGetImageDimension(ImageOf(this), &Width, &Height);
}

TGPStatus IGPImage::GetImageBounds(TGPRectF& Rect, TGPUnit& Unit)
{
    return GdipGetImageBounds(ImageOf(this), RF(&Rect), &Unit);
}

TGPPtr<IGPImage> IGPImage::GetImageThumbnail(Cardinal ThumbWidth, Cardinal ThumbHeight,
                                             gp::GetThumbnailImageAbort Callback, void* CallbackData)
{
    gp::GpImage* I = nullptr;
    GdipGetImageThumbnail(ImageOf(this), ThumbWidth, ThumbHeight, &I, Callback, CallbackData);
    return TGPPtr<IGPImage>(new TGPImage(I));
}

TGPPtr<IGPArray<TGUID>> IGPImage::ImageGetFrameDimensionsList()
{
    UINT Count = 0;
    GdipImageGetFrameDimensionsCount(ImageOf(this), &Count);
    auto Result = NewGPArray<TGUID>(static_cast<Integer>(Count));
    if (Count != 0) GdipImageGetFrameDimensionsList(ImageOf(this), G(Result->GetItems()), Count);
    return Result;
}

Cardinal IGPImage::ImageGetFrameCount(const TGUID& DimensionId)
{
    UINT R = 0;
    GdipImageGetFrameCount(ImageOf(this), G(&DimensionId), &R);
    return R;
}

TGPStatus IGPImage::ImageSelectActiveFrame(const TGUID& DimensionId, Cardinal FrameIndex)
{
    return GdipImageSelectActiveFrame(ImageOf(this), G(&DimensionId), FrameIndex);
}

TGPStatus IGPImage::ImageRotateFlip(Integer RotateFlipType)
{
    return GdipImageRotateFlip(ImageOf(this), static_cast<gp::RotateFlipType>(RotateFlipType));
}

TGPPtr<IGPPropertyItem> IGPImage::GetPropertyItem(Cardinal PropId)
{
    UINT Size = 0;
    GdipGetPropertyItemSize(ImageOf(this), PropId, &Size);
    std::vector<Byte> Block;
    if (Size != 0) {
        Block.resize(std::max<size_t>(Size, sizeof(gp::PropertyItem)));
        if (GdipGetPropertyItem(ImageOf(this), PropId, Size, reinterpret_cast<gp::PropertyItem*>(Block.data())) !=
            gp::Ok)
            Block.clear();
    }
    return TGPPtr<IGPPropertyItem>(new TGPPropertyItem(std::move(Block)));
}

TGPStatus IGPImage::SetPropertyItem(const TGPPtr<IGPPropertyItem>& Item)
{
    GPAssert(Item != nullptr);
    return GdipSetPropertyItem(ImageOf(this), Item->GetNativeItem());
}

TGPStatus IGPImage::RemovePropertyItem(Cardinal PropId) { return GdipRemovePropertyItem(ImageOf(this), PropId); }

TGPPtr<IGPEncoderParameters> IGPImage::GetEncoderParameterList(const TGUID& ClsidEncoder)
{
    UINT Size = 0;
    if (GdipGetEncoderParameterListSize(ImageOf(this), G(&ClsidEncoder), &Size) != gp::Ok || Size == 0)
        return TGPPtr<IGPEncoderParameters>(new TGPEncoderParameters());
    std::vector<Byte> Block(Size);
    auto* List = reinterpret_cast<gp::EncoderParameters*>(Block.data());
    if (GdipGetEncoderParameterList(ImageOf(this), G(&ClsidEncoder), Size, List) != gp::Ok) List = nullptr;
    return TGPPtr<IGPEncoderParameters>(new TGPEncoderParameters(List));
}

// ---------------------------------------------------------------------------
// TGPBitmap

TGPBitmap::TGPBitmap(const String& FileName, bool UseEmbeddedColorManagement)
{
    gp::GpBitmap* B = nullptr;
    if (UseEmbeddedColorManagement)
        GdipCreateBitmapFromFileICM(W(FileName), &B);
    else
        GdipCreateBitmapFromFile(W(FileName), &B);
    FNativeHandle = static_cast<gp::GpImage*>(B);
}

TGPBitmap::TGPBitmap(IStream* Stream, bool UseEmbeddedColorManagement)
{
    gp::GpBitmap* B = nullptr;
    if (UseEmbeddedColorManagement)
        GdipCreateBitmapFromStreamICM(Stream, &B);
    else
        GdipCreateBitmapFromStream(Stream, &B);
    FNativeHandle = static_cast<gp::GpImage*>(B);
}

TGPBitmap::TGPBitmap(HBITMAP BitmapHandle, HPALETTE Palette)
{
    gp::GpBitmap* B = nullptr;
    GdipCreateBitmapFromHBITMAP(BitmapHandle, Palette, &B);
    FNativeHandle = static_cast<gp::GpImage*>(B);
}

TGPBitmap::TGPBitmap(Integer Width, Integer Height, Integer Format)
{
    gp::GpBitmap* B = nullptr;
    GdipCreateBitmapFromScan0(Width, Height, 0, static_cast<gp::PixelFormat>(Format), nullptr, &B);
    FNativeHandle = static_cast<gp::GpImage*>(B);
}

TGPBitmap::TGPBitmap(Integer Width, Integer Height, Integer Stride, Integer Format, Byte* Scan0)
{
    gp::GpBitmap* B = nullptr;
    GdipCreateBitmapFromScan0(Width, Height, Stride, static_cast<gp::PixelFormat>(Format), Scan0, &B);
    FNativeHandle = static_cast<gp::GpImage*>(B);
}

TGPBitmap::TGPBitmap(Integer Width, Integer Height, const TGPPtr<IGPGraphics>& Target)
{
    gp::GpBitmap* B = nullptr;
    GdipCreateBitmapFromGraphics(Width, Height, Nat<gp::GpGraphics>(Target), &B);
    FNativeHandle = static_cast<gp::GpImage*>(B);
}

TGPBitmap::TGPBitmap(const BITMAPINFO& BitmapInfo, void* BitmapData)
{
    gp::GpBitmap* B = nullptr;
    GdipCreateBitmapFromGdiDib(&BitmapInfo, BitmapData, &B);
    FNativeHandle = static_cast<gp::GpImage*>(B);
}

TGPBitmap::TGPBitmap(HINSTANCE Instance, const String& BitmapName)
{
    gp::GpBitmap* B = nullptr;
    GdipCreateBitmapFromResource(Instance, W(BitmapName), &B);
    FNativeHandle = static_cast<gp::GpImage*>(B);
}

TGPBitmap::TGPBitmap(HICON IconHandle)
{
    gp::GpBitmap* B = nullptr;
    GdipCreateBitmapFromHICON(IconHandle, &B);
    FNativeHandle = static_cast<gp::GpImage*>(B);
}

TGPBitmap::TGPBitmap(IUnknown* DirectDrawSurface7)
{
    static constexpr GUID IID_IDirectDrawSurface7 = {
        0x15E65EC0, 0x3B9C, 0x11D2, {0xB9, 0x2F, 0x00, 0x60, 0x97, 0x97, 0xEA, 0x5B}};
    void* Surface = nullptr;
    GPAssert(DirectDrawSurface7 && SUCCEEDED(DirectDrawSurface7->QueryInterface(IID_IDirectDrawSurface7, &Surface)) &&
             Surface);
    gp::GpBitmap* B = nullptr;
    GdipCreateBitmapFromDirectDrawSurface(static_cast<IDirectDrawSurface7*>(Surface), &B);
    static_cast<IUnknown*>(Surface)->Release();
    FNativeHandle = static_cast<gp::GpImage*>(B);
}

TGPPtr<IGPBitmap> TGPBitmap::FromFile(const String& FileName, bool UseEmbeddedColorManagement)
{
    return TGPPtr<IGPBitmap>(new TGPBitmap(FileName, UseEmbeddedColorManagement));
}

TGPPtr<IGPBitmap> TGPBitmap::FromStream(IStream* Stream, bool UseEmbeddedColorManagement)
{
    return TGPPtr<IGPBitmap>(new TGPBitmap(Stream, UseEmbeddedColorManagement));
}

TGPPtr<IGPBitmap> TGPBitmap::FromHBitmap(HBITMAP BitmapHandle, HPALETTE Palette)
{
    return TGPPtr<IGPBitmap>(new TGPBitmap(BitmapHandle, Palette));
}

TGPPtr<IGPBitmap> TGPBitmap::FromHIcon(HICON IconHandle) { return TGPPtr<IGPBitmap>(new TGPBitmap(IconHandle)); }

TGPPtr<IGPBitmap> TGPBitmap::FromResource(HINSTANCE Instance, const String& BitmapName)
{
    return TGPPtr<IGPBitmap>(new TGPBitmap(Instance, BitmapName));
}

TGPPtr<IGPBitmap> TGPBitmap::FromBitmapInfo(const BITMAPINFO& BitmapInfo, void* BitmapData)
{
    return TGPPtr<IGPBitmap>(new TGPBitmap(BitmapInfo, BitmapData));
}

TGPPtr<IGPBitmap> TGPBitmap::FromDirectDrawSurface7(IUnknown* Surface)
{
    return TGPPtr<IGPBitmap>(new TGPBitmap(Surface));
}

bool TGPBitmap::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPBitmap>(this, IID, Obj) || TGPImage::GetInterface(IID, Obj);
}

namespace {
gp::GpBitmap* BitmapOf(IGPBitmap* Bitmap) { return static_cast<gp::GpBitmap*>(Nat<gp::GpImage>(Bitmap)); }

TGPPtr<IGPBitmap> WrapBitmap(gp::GpBitmap* B) { return TGPPtr<IGPBitmap>(new TGPBitmap(B)); }
}  // namespace

TGPColor IGPBitmap::BitmapGetPixel(Integer X, Integer Y)
{
    TGPColor R;
    GdipBitmapGetPixel(BitmapOf(this), X, Y, AC(&R));
    return R;
}

TGPStatus IGPBitmap::BitmapSetPixel(Integer X, Integer Y, TGPColor Color)
{
    return GdipBitmapSetPixel(BitmapOf(this), X, Y, Color.FArgb);
}

TGPPtr<IGPBitmap> IGPBitmap::Clone()
{
    gp::GpBitmap* B = nullptr;
    GdipCloneBitmapArea(0, 0, static_cast<Single>(GetImageWidth()), static_cast<Single>(GetImageHeight()),
                        static_cast<gp::PixelFormat>(GetImagePixelFormat()), BitmapOf(this), &B);
    return WrapBitmap(B);
}

TGPPtr<IGPBitmap> IGPBitmap::Clone(const TGPRect& Rect, Integer Format)
{
    return Clone(Rect.X, Rect.Y, Rect.Width, Rect.Height, Format);
}

TGPPtr<IGPBitmap> IGPBitmap::Clone(Integer X, Integer Y, Integer Width, Integer Height, Integer Format)
{
    gp::GpBitmap* B = nullptr;
    GdipCloneBitmapAreaI(X, Y, Width, Height, static_cast<gp::PixelFormat>(Format), BitmapOf(this), &B);
    return WrapBitmap(B);
}

TGPPtr<IGPBitmap> IGPBitmap::Clone(const TGPRectF& Rect, Integer Format)
{
    return Clone(Rect.X, Rect.Y, Rect.Width, Rect.Height, Format);
}

TGPPtr<IGPBitmap> IGPBitmap::Clone(Single X, Single Y, Single Width, Single Height, Integer Format)
{
    gp::GpBitmap* B = nullptr;
    GdipCloneBitmapArea(X, Y, Width, Height, static_cast<gp::PixelFormat>(Format), BitmapOf(this), &B);
    return WrapBitmap(B);
}

TGPStatus IGPBitmap::BitmapLockBits(const TGPRect& Rect, Cardinal Flags, Integer Format, gp::BitmapData& LockedData)
{
    return GdipBitmapLockBits(BitmapOf(this), RI(&Rect), Flags, static_cast<gp::PixelFormat>(Format), &LockedData);
}

TGPStatus IGPBitmap::BitmapUnlockBits(gp::BitmapData& LockedData)
{
    return GdipBitmapUnlockBits(BitmapOf(this), &LockedData);
}

TGPStatus IGPBitmap::BitmapSetResolution(Single DpiX, Single DpiY)
{
    return GdipBitmapSetResolution(BitmapOf(this), DpiX, DpiY);
}

HBITMAP IGPBitmap::GetHBitmap(TGPColor ColorBackground)
{
    HBITMAP R = nullptr;
    GdipCreateHBITMAPFromBitmap(BitmapOf(this), &R, ColorBackground.FArgb);
    return R;
}

HICON IGPBitmap::GetHIcon()
{
    HICON R = nullptr;
    GdipCreateHICONFromBitmap(BitmapOf(this), &R);
    return R;
}

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
