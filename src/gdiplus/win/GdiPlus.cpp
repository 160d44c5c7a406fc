#include "gdiplus/win/GdiPlus_Private.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "framework/runtime/SysUtils.h"

namespace GdiPlusPrivate {

std::atomic<Int64> WrappersCreated{0};
std::atomic<Int64> WrappersFreed{0};

TCaches& Caches()
{
    // Never destroyed: the static objects of other units may still ask for it.
    static TCaches* Instance = new TCaches;
    return *Instance;
}

}  // namespace GdiPlusPrivate

namespace {

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
