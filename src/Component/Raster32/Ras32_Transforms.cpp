#include "Component/Raster32/Ras32_Transforms.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "Component/Raster32/Ras32_Bindings.h"
#include "Component/Raster32/Ras32_Math.h"
#include "framework/runtime/SysUtils.h"

namespace {

// 32-bit sums of fixed values wrap as the processor's adds do (a coordinate
// far outside any bitmap is no error).
inline TFixed AddFixed(TFixed A, TFixed B) { return static_cast<TFixed>(static_cast<Cardinal>(A) + static_cast<Cardinal>(B)); }
inline TFixed AddFixed(TFixed A, TFixed B, TFixed C) { return AddFixed(AddFixed(A, B), C); }
inline TFixed SubFixed(TFixed A, TFixed B) { return static_cast<TFixed>(static_cast<Cardinal>(A) - static_cast<Cardinal>(B)); }

inline Single FixedToSingle(TFixed V) { return static_cast<Single>(V) / 65536.0f; }

TFloatMatrix MakeIdentity()
{
    TFloatMatrix M;
    M[0][0] = M[1][1] = M[2][2] = 1;
    return M;
}

}  // namespace

const TFloatMatrix IdentityFloatMatrix = MakeIdentity();

// ---------------------------------------------------------------------------
// Matrices

Single MatrixDeterminant(const TFloatMatrix& M)
{
    return M[0][0] * (M[1][1] * M[2][2] - M[2][1] * M[1][2]) - M[0][1] * (M[1][0] * M[2][2] - M[1][2] * M[2][0]) +
           M[0][2] * (M[1][0] * M[2][1] - M[1][1] * M[2][0]);
}

void MatrixAdjoint(TFloatMatrix& M)
{
    const TFloatMatrix T = M;
    M[0][0] = T[1][1] * T[2][2] - T[1][2] * T[2][1];
    M[0][1] = -(T[0][1] * T[2][2] - T[0][2] * T[2][1]);
    M[0][2] = T[0][1] * T[1][2] - T[0][2] * T[1][1];
    M[1][0] = -(T[1][0] * T[2][2] - T[1][2] * T[2][0]);
    M[1][1] = T[0][0] * T[2][2] - T[0][2] * T[2][0];
    M[1][2] = -(T[0][0] * T[1][2] - T[0][2] * T[1][0]);
    M[2][0] = T[1][0] * T[2][1] - T[1][1] * T[2][0];
    M[2][1] = -(T[0][0] * T[2][1] - T[0][1] * T[2][0]);
    M[2][2] = T[0][0] * T[1][1] - T[0][1] * T[1][0];
}

void MatrixScale(TFloatMatrix& M, Single Factor)
{
    for (auto& Column : M.V)
        for (Single& E : Column) E *= Factor;
}

void MatrixInvert(TFloatMatrix& M)
{
    Single D = MatrixDeterminant(M);
    if (std::fabs(D) < 1e-5f) {
        M = IdentityFloatMatrix;
        return;
    }
    MatrixAdjoint(M);
    MatrixScale(M, 1 / D);
}

TFloatMatrix MatrixMultiply(const TFloatMatrix& M1, const TFloatMatrix& M2)
{
    TFloatMatrix R;
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r) R[c][r] = M1[0][r] * M2[c][0] + M1[1][r] * M2[c][1] + M1[2][r] * M2[c][2];
    return R;
}

TVector3f MatrixApply(const TFloatMatrix& M, const TVector3f& V)
{
    TVector3f R;
    for (int r = 0; r < 3; ++r) R[r] = M[0][r] * V[0] + M[1][r] * V[1] + M[2][r] * V[2];
    return R;
}

TFixedMatrix FixedMatrixOf(const TFloatMatrix& M)
{
    TFixedMatrix R;
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r) R[c][r] = FloatToFixed(M[c][r]);
    return R;
}

// ---------------------------------------------------------------------------
// TTransformation

void TTransformation::SetSrcRect(const TFloatRect& Value)
{
    FSrcRect = Value;
    Changed();
}

void TTransformation::Changed()
{
    FTransformValid = false;
    TNotifiablePersistent::Changed();
}

TPoint TTransformation::Transform(const TPoint& P)
{
    if (!FTransformValid) ValidateTransform();
    TPoint R;
    TransformInt(P.X, P.Y, R.X, R.Y);
    return R;
}

TFixedPoint TTransformation::Transform(const TFixedPoint& P)
{
    if (!FTransformValid) ValidateTransform();
    TFixedPoint R;
    TransformFixed(P.X, P.Y, R.X, R.Y);
    return R;
}

TFloatPoint TTransformation::Transform(const TFloatPoint& P)
{
    if (!FTransformValid) ValidateTransform();
    TFloatPoint R;
    TransformFloat(P.X, P.Y, R.X, R.Y);
    return R;
}

TPoint TTransformation::ReverseTransform(const TPoint& P)
{
    if (!FTransformValid) ValidateTransform();
    TPoint R;
    ReverseTransformInt(P.X, P.Y, R.X, R.Y);
    return R;
}

TFixedPoint TTransformation::ReverseTransform(const TFixedPoint& P)
{
    if (!FTransformValid) ValidateTransform();
    TFixedPoint R;
    ReverseTransformFixed(P.X, P.Y, R.X, R.Y);
    return R;
}

TFloatPoint TTransformation::ReverseTransform(const TFloatPoint& P)
{
    if (!FTransformValid) ValidateTransform();
    TFloatPoint R;
    ReverseTransformFloat(P.X, P.Y, R.X, R.Y);
    return R;
}

TFloatRect TTransformation::GetTransformedBounds(const TFloatRect& ASrcRect) { return ASrcRect; }

void TTransformation::ReverseTransformInt(Integer DstX, Integer DstY, Integer& SrcX, Integer& SrcY)
{
    TFixed X, Y;
    ReverseTransformFixed(IntToFixed(DstX), IntToFixed(DstY), X, Y);
    SrcX = FixedRoundInt(X);
    SrcY = FixedRoundInt(Y);
}

void TTransformation::ReverseTransformFixed(TFixed DstX, TFixed DstY, TFixed& SrcX, TFixed& SrcY)
{
    Single X, Y;
    ReverseTransformFloat(FixedToSingle(DstX), FixedToSingle(DstY), X, Y);
    SrcX = FloatToFixed(X);
    SrcY = FloatToFixed(Y);
}

void TTransformation::ReverseTransformFloat(Single, Single, Single&, Single&)
{
    throw ETransformNotImplemented(Format(u"Reverse transformation is not implemented in %s.", {ClassName()}));
}

void TTransformation::TransformInt(Integer SrcX, Integer SrcY, Integer& DstX, Integer& DstY)
{
    TFixed X, Y;
    TransformFixed(IntToFixed(SrcX), IntToFixed(SrcY), X, Y);
    DstX = FixedRoundInt(X);
    DstY = FixedRoundInt(Y);
}

void TTransformation::TransformFixed(TFixed SrcX, TFixed SrcY, TFixed& DstX, TFixed& DstY)
{
    Single X, Y;
    TransformFloat(FixedToSingle(SrcX), FixedToSingle(SrcY), X, Y);
    DstX = FloatToFixed(X);
    DstY = FloatToFixed(Y);
}

void TTransformation::TransformFloat(Single, Single, Single&, Single&)
{
    throw ETransformNotImplemented(Format(u"Forward transformation is not implemented in %s.", {ClassName()}));
}

// ---------------------------------------------------------------------------
// TAffineTransformation

TAffineTransformation::TAffineTransformation() { Clear(); }

void TAffineTransformation::Clear()
{
    Matrix = IdentityFloatMatrix;
    Changed();
}

void TAffineTransformation::ApplyStep(const TFloatMatrix& Step)
{
    Matrix = MatrixMultiply(Step, Matrix);
    Changed();
}

void TAffineTransformation::Translate(Single Dx, Single Dy)
{
    TFloatMatrix T = IdentityFloatMatrix;
    T[2][0] = Dx;
    T[2][1] = Dy;
    ApplyStep(T);
}

void TAffineTransformation::Scale(Single Sx, Single Sy)
{
    TFloatMatrix T = IdentityFloatMatrix;
    T[0][0] = Sx;
    T[1][1] = Sy;
    ApplyStep(T);
}

void TAffineTransformation::Scale(Single Value) { Scale(Value, Value); }

void TAffineTransformation::Skew(Single Fx, Single Fy)
{
    TFloatMatrix T = IdentityFloatMatrix;
    T[1][0] = Fx;
    T[0][1] = Fy;
    ApplyStep(T);
}

void TAffineTransformation::Rotate(Single Alpha)
{
    double A = static_cast<double>(Alpha) * 0.017453292519943295;
    Single S = static_cast<Single>(std::sin(A)), C = static_cast<Single>(std::cos(A));
    TFloatMatrix T = IdentityFloatMatrix;
    T[0][0] = C;
    T[1][0] = S;
    T[0][1] = -S;
    T[1][1] = C;
    ApplyStep(T);
}

void TAffineTransformation::Rotate(Single Cx, Single Cy, Single Alpha)
{
    bool Shifted = Cx != 0 || Cy != 0;
    if (Shifted) Translate(-Cx, -Cy);
    Rotate(Alpha);
    if (Shifted) Translate(Cx, Cy);
    Changed();
}

TFloatRect TAffineTransformation::GetTransformedBounds(const TFloatRect& ASrcRect)
{
    const TFloatPoint Corners[4] = {{ASrcRect.Left, ASrcRect.Top},
                                    {ASrcRect.Right, ASrcRect.Top},
                                    {ASrcRect.Left, ASrcRect.Bottom},
                                    {ASrcRect.Right, ASrcRect.Bottom}};
    TFloatRect R{std::numeric_limits<Single>::max(), std::numeric_limits<Single>::max(),
                 std::numeric_limits<Single>::lowest(), std::numeric_limits<Single>::lowest()};
    for (const TFloatPoint& P : Corners) {
        Single X = Matrix[0][0] * P.X + Matrix[1][0] * P.Y + Matrix[2][0];
        Single Y = Matrix[0][1] * P.X + Matrix[1][1] * P.Y + Matrix[2][1];
        R.Left = std::min(R.Left, X);
        R.Right = std::max(R.Right, X);
        R.Top = std::min(R.Top, Y);
        R.Bottom = std::max(R.Bottom, Y);
    }
    return R;
}

void TAffineTransformation::ValidateTransform()
{
    FInverseMatrix = Matrix;
    MatrixInvert(FInverseMatrix);
    FInverseFixedMatrix = FixedMatrixOf(FInverseMatrix);
    FFixedMatrix = FixedMatrixOf(Matrix);
    FTransformValid = true;
}

void TAffineTransformation::ReverseTransformFixed(TFixed DstX, TFixed DstY, TFixed& SrcX, TFixed& SrcY)
{
    const TFixedMatrix& M = FInverseFixedMatrix;
    SrcX = AddFixed(FixedMultiply(M[0][0], DstX), FixedMultiply(M[1][0], DstY), M[2][0]);
    SrcY = AddFixed(FixedMultiply(M[0][1], DstX), FixedMultiply(M[1][1], DstY), M[2][1]);
}

void TAffineTransformation::ReverseTransformFloat(Single DstX, Single DstY, Single& SrcX, Single& SrcY)
{
    const TFloatMatrix& M = FInverseMatrix;
    SrcX = M[0][0] * DstX + M[1][0] * DstY + M[2][0];
    SrcY = M[0][1] * DstX + M[1][1] * DstY + M[2][1];
}

void TAffineTransformation::TransformFixed(TFixed SrcX, TFixed SrcY, TFixed& DstX, TFixed& DstY)
{
    const TFixedMatrix& M = FFixedMatrix;
    DstX = AddFixed(FixedMultiply(M[0][0], SrcX), FixedMultiply(M[1][0], SrcY), M[2][0]);
    DstY = AddFixed(FixedMultiply(M[0][1], SrcX), FixedMultiply(M[1][1], SrcY), M[2][1]);
}

void TAffineTransformation::TransformFloat(Single SrcX, Single SrcY, Single& DstX, Single& DstY)
{
    DstX = Matrix[0][0] * SrcX + Matrix[1][0] * SrcY + Matrix[2][0];
    DstY = Matrix[0][1] * SrcX + Matrix[1][1] * SrcY + Matrix[2][1];
}

// ---------------------------------------------------------------------------
// TProjectiveTransformation

void TProjectiveTransformation::SetCorner(Single& Corner, Single Value)
{
    Corner = Value;
    Changed();
}

void TProjectiveTransformation::SetX0(Single Value) { SetCorner(Wx0, Value); }
void TProjectiveTransformation::SetX1(Single Value) { SetCorner(Wx1, Value); }
void TProjectiveTransformation::SetX2(Single Value) { SetCorner(Wx2, Value); }
void TProjectiveTransformation::SetX3(Single Value) { SetCorner(Wx3, Value); }
void TProjectiveTransformation::SetY0(Single Value) { SetCorner(Wy0, Value); }
void TProjectiveTransformation::SetY1(Single Value) { SetCorner(Wy1, Value); }
void TProjectiveTransformation::SetY2(Single Value) { SetCorner(Wy2, Value); }
void TProjectiveTransformation::SetY3(Single Value) { SetCorner(Wy3, Value); }

TFloatRect TProjectiveTransformation::GetTransformedBounds(const TFloatRect&)
{
    return TFloatRect{std::min({Wx0, Wx1, Wx2, Wx3}), std::min({Wy0, Wy1, Wy2, Wy3}),
                      std::max({Wx0, Wx1, Wx2, Wx3}), std::max({Wy0, Wy1, Wy2, Wy3})};
}

void TProjectiveTransformation::ValidateTransform()
{
    TFloatMatrix M;
    Single px = Wx0 - Wx1 + Wx2 - Wx3;
    Single py = Wy0 - Wy1 + Wy2 - Wy3;
    if (px == 0 && py == 0) {
        // A parallelogram: affine.
        M[0][0] = Wx1 - Wx0;
        M[1][0] = Wx2 - Wx1;
        M[2][0] = Wx0;
        M[0][1] = Wy1 - Wy0;
        M[1][1] = Wy2 - Wy1;
        M[2][1] = Wy0;
        M[2][2] = 1;
    } else {
        Single dx1 = Wx1 - Wx2, dx2 = Wx3 - Wx2, dy1 = Wy1 - Wy2, dy2 = Wy3 - Wy2;
        Single k = dx1 * dy2 - dx2 * dy1;
        if (k != 0) {
            k = 1 / k;
            Single g = (px * dy2 - py * dx2) * k;
            Single h = (dx1 * py - dy1 * px) * k;
            M[0][0] = Wx1 - Wx0 + g * Wx1;
            M[1][0] = Wx3 - Wx0 + h * Wx3;
            M[2][0] = Wx0;
            M[0][1] = Wy1 - Wy0 + g * Wy1;
            M[1][1] = Wy3 - Wy0 + h * Wy3;
            M[2][1] = Wy0;
            M[0][2] = g;
            M[1][2] = h;
            M[2][2] = 1;
        }  // else a degenerate quadrilateral: the zero matrix
    }
    // The source rectangle onto the unit square first. Of an empty source
    // rectangle there is no such map: every point goes outside.
    Single SrcW = FSrcRect.Right - FSrcRect.Left, SrcH = FSrcRect.Bottom - FSrcRect.Top;
    FEmptySource = SrcW == 0 || SrcH == 0;
    if (!FEmptySource) {
        TFloatMatrix S = IdentityFloatMatrix;
        S[0][0] = 1 / SrcW;
        S[1][1] = 1 / SrcH;
        M = MatrixMultiply(M, S);
        TFloatMatrix T = IdentityFloatMatrix;
        T[2][0] = -FSrcRect.Left;
        T[2][1] = -FSrcRect.Top;
        M = MatrixMultiply(M, T);
    }
    FMatrix = M;
    FInverseMatrix = M;
    MatrixInvert(FInverseMatrix);
    FFixedMatrix = FixedMatrixOf(FMatrix);
    FInverseFixedMatrix = FixedMatrixOf(FInverseMatrix);
    FTransformValid = true;
}

namespace {

// The projective float mapping with M; a point without image (w = 0) goes outside.
void ProjectFloat(const TFloatMatrix& M, Single X, Single Y, Single& OutX, Single& OutY)
{
    EndPixelOps();
    Single W = X * M[0][2] + Y * M[1][2] + M[2][2];
    if (W == 0) {
        OutX = OutY = OutsideCoordinate;
        return;
    }
    Single PX = X * M[0][0] + Y * M[1][0] + M[2][0];
    Single PY = X * M[0][1] + Y * M[1][1] + M[2][1];
    if (W != 1) {
        W = 1 / W;
        PX *= W;
        PY *= W;
    }
    OutX = PX;
    OutY = PY;
}

void ProjectFixed(const TFixedMatrix& M, TFixed X, TFixed Y, TFixed& OutX, TFixed& OutY)
{
    TFixed W = AddFixed(FixedMultiply(M[0][2], X), FixedMultiply(M[1][2], Y), M[2][2]);
    if (W == 0) {
        OutX = OutY = OutsideFixed;
        return;
    }
    TFixed PX = AddFixed(FixedMultiply(M[0][0], X), FixedMultiply(M[1][0], Y), M[2][0]);
    TFixed PY = AddFixed(FixedMultiply(M[0][1], X), FixedMultiply(M[1][1], Y), M[2][1]);
    if (W != FixedOne) {
        EndPixelOps();
        Single F = 65536.0f / static_cast<Single>(W);
        // Rounded half to even; a point sent beyond the fixed range stays at its edge.
        PX = FloatToFixed(static_cast<Single>(PX) * F / 65536.0f);
        PY = FloatToFixed(static_cast<Single>(PY) * F / 65536.0f);
    }
    OutX = PX;
    OutY = PY;
}

}  // namespace

void TProjectiveTransformation::ReverseTransformInt(Integer DstX, Integer DstY, Integer& SrcX, Integer& SrcY)
{
    TFixed X, Y;
    ReverseTransformFixed(IntToFixed(DstX), IntToFixed(DstY), X, Y);
    SrcX = FixedRoundInt(X);
    SrcY = FixedRoundInt(Y);
}

void TProjectiveTransformation::ReverseTransformFixed(TFixed DstX, TFixed DstY, TFixed& SrcX, TFixed& SrcY)
{
    if (FEmptySource) {
        SrcX = SrcY = OutsideFixed;
        return;
    }
    ProjectFixed(FInverseFixedMatrix, DstX, DstY, SrcX, SrcY);
}

void TProjectiveTransformation::ReverseTransformFloat(Single DstX, Single DstY, Single& SrcX, Single& SrcY)
{
    if (FEmptySource) {
        SrcX = SrcY = OutsideCoordinate;
        return;
    }
    ProjectFloat(FInverseMatrix, DstX, DstY, SrcX, SrcY);
}

void TProjectiveTransformation::TransformFixed(TFixed SrcX, TFixed SrcY, TFixed& DstX, TFixed& DstY)
{
    if (FEmptySource) {
        DstX = DstY = OutsideFixed;
        return;
    }
    ProjectFixed(FFixedMatrix, SrcX, SrcY, DstX, DstY);
}

void TProjectiveTransformation::TransformFloat(Single SrcX, Single SrcY, Single& DstX, Single& DstY)
{
    if (FEmptySource) {
        DstX = DstY = OutsideCoordinate;
        return;
    }
    ProjectFloat(FMatrix, SrcX, SrcY, DstX, DstY);
}

// ---------------------------------------------------------------------------
// TRemapTransformation

TRemapTransformation::TRemapTransformation() : FVectorMap(std::make_unique<TVectorMap>()) { FVectorMap->SetSize(1, 1); }

void TRemapTransformation::SetVectorMap(std::unique_ptr<TVectorMap> Value)
{
    if (!Value) return;
    FVectorMap = std::move(Value);
    Changed();
}

void TRemapTransformation::SetMappingRect(const TFloatRect& Value)
{
    FMappingRect = Value;
    Changed();
}

void TRemapTransformation::SetOffset(const TFloatPoint& Value)
{
    FOffset = Value;
    FOffsetInt = RoundFloatPoint(Value);
    FOffsetFixed = FloatToFixedPoint(Value);
    Changed();
}

void TRemapTransformation::Scale(Single Sx, Single Sy)
{
    FScalingFixed = TFixedPoint{FloatToFixed(Sx), FloatToFixed(Sy)};
    FScalingFloat = TFloatPoint{Sx, Sy};
    Changed();
}

TFloatRect TRemapTransformation::GetTransformedBounds(const TFloatRect&)
{
    constexpr Single Inf = std::numeric_limits<Single>::infinity();
    return TFloatRect{-Inf, -Inf, Inf, Inf};
}

void TRemapTransformation::ValidateTransform()
{
    if (FloatRectIsEmpty(FSrcRect)) throw Exception(u"SrcRect is empty!");
    if (FloatRectIsEmpty(FMappingRect)) throw Exception(u"MappingRect is empty!");
    // The map's size only scales intermediate values (it cancels out of the
    // mapping); a map one pixel wide or high counts as two, which avoids the
    // division by zero without changing what the mapping means.
    Single W = static_cast<Single>(std::max(FVectorMap->Width() - 1, 1));
    Single H = static_cast<Single>(std::max(FVectorMap->Height() - 1, 1));
    FSrcTranslationFloat = TFloatPoint{FSrcRect.Left, FSrcRect.Top};
    FSrcScaleFloat = TFloatPoint{(FSrcRect.Right - FSrcRect.Left) / W, (FSrcRect.Bottom - FSrcRect.Top) / H};
    FSrcTranslationFixed = FloatToFixedPoint(FSrcTranslationFloat);
    FSrcScaleFixed = FloatToFixedPoint(FSrcScaleFloat);
    FDstTranslationFloat = TFloatPoint{FMappingRect.Left, FMappingRect.Top};
    FDstScaleFloat = TFloatPoint{W / (FMappingRect.Right - FMappingRect.Left), H / (FMappingRect.Bottom - FMappingRect.Top)};
    FCombinedScalingFloat = TFloatPoint{FDstScaleFloat.X * FScalingFloat.X, FDstScaleFloat.Y * FScalingFloat.Y};
    FCombinedScalingFixed = FloatToFixedPoint(FCombinedScalingFloat);
    FDstTranslationFixed = FloatToFixedPoint(FDstTranslationFloat);
    FDstScaleFixed = FloatToFixedPoint(FDstScaleFloat);
    FTransformValid = true;
}

void TRemapTransformation::ReverseTransformFloat(Single DstX, Single DstY, Single& SrcX, Single& SrcY)
{
    TFloatPoint V = FVectorMap->FloatVector(DstX - FOffset.X, DstY - FOffset.Y);
    SrcX = ((DstX - FDstTranslationFloat.X) * FDstScaleFloat.X + V.X * FCombinedScalingFloat.X) * FSrcScaleFloat.X +
           FSrcTranslationFloat.X;
    SrcY = ((DstY - FDstTranslationFloat.Y) * FDstScaleFloat.Y + V.Y * FCombinedScalingFloat.Y) * FSrcScaleFloat.Y +
           FSrcTranslationFloat.Y;
}

void TRemapTransformation::ReverseTransformFixed(TFixed DstX, TFixed DstY, TFixed& SrcX, TFixed& SrcY)
{
    TFixedPoint V = FVectorMap->FixedVector(SubFixed(DstX, FOffsetFixed.X), SubFixed(DstY, FOffsetFixed.Y));
    SrcX = AddFixed(FixedMultiply(AddFixed(FixedMultiply(SubFixed(DstX, FDstTranslationFixed.X), FDstScaleFixed.X),
                                           FixedMultiply(V.X, FCombinedScalingFixed.X)),
                                  FSrcScaleFixed.X),
                    FSrcTranslationFixed.X);
    SrcY = AddFixed(FixedMultiply(AddFixed(FixedMultiply(SubFixed(DstY, FDstTranslationFixed.Y), FDstScaleFixed.Y),
                                           FixedMultiply(V.Y, FCombinedScalingFixed.Y)),
                                  FSrcScaleFixed.Y),
                    FSrcTranslationFixed.Y);
}

void TRemapTransformation::ReverseTransformInt(Integer DstX, Integer DstY, Integer& SrcX, Integer& SrcY)
{
    Integer MX = DstX - FOffsetInt.X, MY = DstY - FOffsetInt.Y;
    TFixedPoint V;
    // The map's own pixel, unchecked in the design; outside the map it holds no displacement.
    if (MX >= 0 && MY >= 0 && MX < FVectorMap->Width() && MY < FVectorMap->Height()) V = FVectorMap->IntVector(MX, MY);
    TFixed X = IntToFixed(DstX), Y = IntToFixed(DstY);
    SrcX = FixedRoundInt(AddFixed(
        FixedMultiply(AddFixed(FixedMultiply(SubFixed(X, FDstTranslationFixed.X), FDstScaleFixed.X),
                               FixedMultiply(V.X, FCombinedScalingFixed.X)),
                      FSrcScaleFixed.X),
        FSrcTranslationFixed.X));
    SrcY = FixedRoundInt(AddFixed(
        FixedMultiply(AddFixed(FixedMultiply(SubFixed(Y, FDstTranslationFixed.Y), FDstScaleFixed.Y),
                               FixedMultiply(V.Y, FCombinedScalingFixed.Y)),
                      FSrcScaleFixed.Y),
        FSrcTranslationFixed.Y));
}

// ---------------------------------------------------------------------------
// "Ras32_Transforms bindings"

namespace {

Single Det2x2Single_Pas(Single a, Single b, Single c, Single d) { return a * d - b * c; }
Double Det2x2Double_Pas(Double a, Double b, Double c, Double d) { return a * d - b * c; }

void RegisterTransformsBindings()
{
    TFunctionRegistry* Registry = NewFunctionRegistry(u"Ras32_Transforms bindings");
    Registry->RegisterBinding(0, &Det2x2Single);
    Registry->Add(0, Det2x2Single_Pas);
    Registry->Add(0, Det2x2Single_Pas, CpuFeature(ciSSE));
    Registry->RegisterBinding(1, &Det2x2Double);
    Registry->Add(1, Det2x2Double_Pas);
    Registry->Add(1, Det2x2Double_Pas, CpuFeature(ciSSE2));
    Registry->RebindAll();
}

}  // namespace

TDet2x2SingleProc* Det2x2Single = Det2x2Single_Pas;
TDet2x2DoubleProc* Det2x2Double = Det2x2Double_Pas;

static const bool GTransformsBound = (RegisterTransformsBindings(), true);
