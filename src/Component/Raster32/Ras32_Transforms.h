// Ras32_Transforms: geometric transformations of the raster engine. Each maps
// points forward (source to destination) and in reverse (destination to
// source, what rendering uses): the affine transformation (a 3 x 3 matrix
// built step by step), the projective one (the source rectangle onto four
// corners) and the remap (a field of displacement vectors), with the 3 x 3
// matrix routines they rest on.
#pragma once

#include <array>
#include <memory>

#include "Component/Raster32/Ras32.h"
#include "Component/Raster32/Ras32_VectorMaps.h"

// 3 x 3 matrices stored as three columns of three: M[c][r] is column c, row r.
// A point (x, y) maps to (M[0][0] x + M[1][0] y + M[2][0], M[0][1] x + M[1][1] y + M[2][1]);
// a projective matrix adds w = M[0][2] x + M[1][2] y + M[2][2].
struct TFloatMatrix {
    Single V[3][3] = {};
    Single* operator[](int Column) { return V[Column]; }
    const Single* operator[](int Column) const { return V[Column]; }
    friend bool operator==(const TFloatMatrix&, const TFloatMatrix&) = default;
};

struct TFixedMatrix {
    TFixed V[3][3] = {};
    TFixed* operator[](int Column) { return V[Column]; }
    const TFixed* operator[](int Column) const { return V[Column]; }
    friend bool operator==(const TFixedMatrix&, const TFixedMatrix&) = default;
};

using TVector3f = std::array<Single, 3>;

extern const TFloatMatrix IdentityFloatMatrix;

Single MatrixDeterminant(const TFloatMatrix& M);
// M becomes its adjugate (the transposed cofactor matrix).
void MatrixAdjoint(TFloatMatrix& M);
void MatrixScale(TFloatMatrix& M, Single Factor);
// A nearly singular M (|determinant| < 1e-5) becomes the identity.
void MatrixInvert(TFloatMatrix& M);
// M1 * M2: M2 applies to a point first.
TFloatMatrix MatrixMultiply(const TFloatMatrix& M1, const TFloatMatrix& M2);
TVector3f MatrixApply(const TFloatMatrix& M, const TVector3f& V);
// Each element times 65536, rounded half to even.
TFixedMatrix FixedMatrixOf(const TFloatMatrix& M);

// Where a transformation sends a point that has no image (a projective
// mapping whose w is 0, or a projective transformation of an empty source
// rectangle): far to the left and above any bitmap, so nothing samples it.
constexpr Single OutsideCoordinate = -16384.0f;
constexpr TFixed OutsideFixed = -16384 * 65536;

LM_EXCEPTION_CLASS(ETransformNotImplemented, Exception);

// The base of the transformations. Its derived data (inverse matrix, fixed
// copies, scale factors) are recomputed by ValidateTransform after every change.
class TTransformation : public TNotifiablePersistent {
public:
    String ClassName() const override { return u"TTransformation"; }

    const TFloatRect& SrcRect() const { return FSrcRect; }
    void SetSrcRect(const TFloatRect& Value);
    bool TransformValid() const { return FTransformValid; }
    // Marks the derived data stale, then notifies.
    void Changed() override;

    // The mappings, validating first when needed.
    TPoint Transform(const TPoint& P);
    TFixedPoint Transform(const TFixedPoint& P);
    TFloatPoint Transform(const TFloatPoint& P);
    TPoint ReverseTransform(const TPoint& P);
    TFixedPoint ReverseTransform(const TFixedPoint& P);
    TFloatPoint ReverseTransform(const TFloatPoint& P);

    virtual bool HasTransformedBounds() const { return true; }
    // The destination area of ASrcRect (the base gives ASrcRect itself).
    virtual TFloatRect GetTransformedBounds(const TFloatRect& ASrcRect);
    TFloatRect GetTransformedBounds() { return GetTransformedBounds(FSrcRect); }

    // Computes the derived data. The mapping operations below use them as
    // they are: callers validate first (the point forms above and the
    // transformer do).
    virtual void ValidateTransform() {}
    // Integer forms go through the fixed ones (rounded with FixedRoundInt),
    // fixed ones through the float ones; the base float forms raise
    // ETransformNotImplemented.
    virtual void ReverseTransformInt(Integer DstX, Integer DstY, Integer& SrcX, Integer& SrcY);
    virtual void ReverseTransformFixed(TFixed DstX, TFixed DstY, TFixed& SrcX, TFixed& SrcY);
    virtual void ReverseTransformFloat(Single DstX, Single DstY, Single& SrcX, Single& SrcY);
    virtual void TransformInt(Integer SrcX, Integer SrcY, Integer& DstX, Integer& DstY);
    virtual void TransformFixed(TFixed SrcX, TFixed SrcY, TFixed& DstX, TFixed& DstY);
    virtual void TransformFloat(Single SrcX, Single SrcY, Single& DstX, Single& DstY);

protected:
    TFloatRect FSrcRect;
    bool FTransformValid = false;
};

// Rotate, scale, skew and translate steps, each applied after the steps
// already in the matrix.
class TAffineTransformation : public TTransformation {
public:
    TAffineTransformation();
    String ClassName() const override { return u"TAffineTransformation"; }

    // The forward matrix.
    TFloatMatrix Matrix;

    void Clear();
    void Translate(Single Dx, Single Dy);
    void Scale(Single Sx, Single Sy);
    void Scale(Single Value);
    void Skew(Single Fx, Single Fy);
    // Degrees; with y pointing down a positive angle turns counter-clockwise.
    void Rotate(Single Alpha);
    void Rotate(Single Cx, Single Cy, Single Alpha);

    // The box of the four mapped corners.
    TFloatRect GetTransformedBounds(const TFloatRect& ASrcRect) override;
    using TTransformation::GetTransformedBounds;

    // A singular matrix gets the identity as its inverse.
    void ValidateTransform() override;
    void ReverseTransformFixed(TFixed DstX, TFixed DstY, TFixed& SrcX, TFixed& SrcY) override;
    void ReverseTransformFloat(Single DstX, Single DstY, Single& SrcX, Single& SrcY) override;
    void TransformFixed(TFixed SrcX, TFixed SrcY, TFixed& DstX, TFixed& DstY) override;
    void TransformFloat(Single SrcX, Single SrcY, Single& DstX, Single& DstY) override;

    const TFloatMatrix& InverseMatrix() const { return FInverseMatrix; }
    const TFixedMatrix& FixedMatrix() const { return FFixedMatrix; }
    const TFixedMatrix& InverseFixedMatrix() const { return FInverseFixedMatrix; }

private:
    void ApplyStep(const TFloatMatrix& Step);

    TFloatMatrix FInverseMatrix;
    TFixedMatrix FFixedMatrix;
    TFixedMatrix FInverseFixedMatrix;
};

// The source rectangle onto the quadrilateral of corners 0 (its top-left),
// 1 (top-right), 2 (bottom-right), 3 (bottom-left). All corners start at 0.
class TProjectiveTransformation : public TTransformation {
public:
    String ClassName() const override { return u"TProjectiveTransformation"; }

    Single X0() const { return Wx0; }
    Single X1() const { return Wx1; }
    Single X2() const { return Wx2; }
    Single X3() const { return Wx3; }
    Single Y0() const { return Wy0; }
    Single Y1() const { return Wy1; }
    Single Y2() const { return Wy2; }
    Single Y3() const { return Wy3; }
    void SetX0(Single Value);
    void SetX1(Single Value);
    void SetX2(Single Value);
    void SetX3(Single Value);
    void SetY0(Single Value);
    void SetY1(Single Value);
    void SetY2(Single Value);
    void SetY3(Single Value);

    // The box of the corners, whatever rectangle is passed.
    TFloatRect GetTransformedBounds(const TFloatRect& ASrcRect) override;
    using TTransformation::GetTransformedBounds;

    // A degenerate quadrilateral gives a zero forward matrix and the identity
    // as inverse; an empty source rectangle sends every point outside.
    void ValidateTransform() override;
    void ReverseTransformInt(Integer DstX, Integer DstY, Integer& SrcX, Integer& SrcY) override;
    void ReverseTransformFixed(TFixed DstX, TFixed DstY, TFixed& SrcX, TFixed& SrcY) override;
    void ReverseTransformFloat(Single DstX, Single DstY, Single& SrcX, Single& SrcY) override;
    void TransformFixed(TFixed SrcX, TFixed SrcY, TFixed& DstX, TFixed& DstY) override;
    void TransformFloat(Single SrcX, Single SrcY, Single& DstX, Single& DstY) override;

    const TFloatMatrix& ForwardMatrix() const { return FMatrix; }
    const TFloatMatrix& InverseMatrix() const { return FInverseMatrix; }
    const TFixedMatrix& FixedMatrix() const { return FFixedMatrix; }
    const TFixedMatrix& InverseFixedMatrix() const { return FInverseFixedMatrix; }

private:
    void SetCorner(Single& Corner, Single Value);

    Single Wx0 = 0, Wx1 = 0, Wx2 = 0, Wx3 = 0;
    Single Wy0 = 0, Wy1 = 0, Wy2 = 0, Wy3 = 0;
    TFloatMatrix FMatrix;
    TFloatMatrix FInverseMatrix;
    TFixedMatrix FFixedMatrix;
    TFixedMatrix FInverseFixedMatrix;
    bool FEmptySource = false;
};

// Reverse only: a destination point takes the displacement vector of the map
// at its own pixel (less Offset), scaled from MappingRect onto SrcRect.
class TRemapTransformation : public TTransformation {
public:
    TRemapTransformation();
    String ClassName() const override { return u"TRemapTransformation"; }

    // Owned; a new transformation has a 1 x 1 map.
    TVectorMap* VectorMap() const { return FVectorMap.get(); }
    void SetVectorMap(std::unique_ptr<TVectorMap> Value);
    const TFloatRect& MappingRect() const { return FMappingRect; }
    void SetMappingRect(const TFloatRect& Value);
    const TFloatPoint& Offset() const { return FOffset; }
    void SetOffset(const TFloatPoint& Value);
    // Scales the vectors.
    void Scale(Single Sx, Single Sy);

    bool HasTransformedBounds() const override { return false; }
    // Unbounded.
    TFloatRect GetTransformedBounds(const TFloatRect& ASrcRect) override;
    using TTransformation::GetTransformedBounds;

    // Raises "SrcRect is empty!" or "MappingRect is empty!".
    void ValidateTransform() override;
    void ReverseTransformInt(Integer DstX, Integer DstY, Integer& SrcX, Integer& SrcY) override;
    void ReverseTransformFixed(TFixed DstX, TFixed DstY, TFixed& SrcX, TFixed& SrcY) override;
    void ReverseTransformFloat(Single DstX, Single DstY, Single& SrcX, Single& SrcY) override;

private:
    std::unique_ptr<TVectorMap> FVectorMap;
    TFixedPoint FScalingFixed{FixedOne, FixedOne};
    TFloatPoint FScalingFloat{1.0f, 1.0f};
    TFixedPoint FCombinedScalingFixed;
    TFloatPoint FCombinedScalingFloat;
    TFixedPoint FSrcTranslationFixed;
    TFixedPoint FSrcScaleFixed;
    TFixedPoint FDstTranslationFixed;
    TFixedPoint FDstScaleFixed;
    TFloatPoint FSrcTranslationFloat;
    TFloatPoint FSrcScaleFloat;
    TFloatPoint FDstTranslationFloat;
    TFloatPoint FDstScaleFloat;
    TFixedPoint FOffsetFixed;
    TPoint FOffsetInt;
    TFloatRect FMappingRect;
    TFloatPoint FOffset;
};

// "Ras32_Transforms bindings": the 2 x 2 determinant a d - b c (id 0 for
// Singles, id 1 for Doubles). Nothing in the engine calls them.
using TDet2x2SingleProc = Single(Single a, Single b, Single c, Single d);
using TDet2x2DoubleProc = Double(Double a, Double b, Double c, Double d);
extern TDet2x2SingleProc* Det2x2Single;
extern TDet2x2DoubleProc* Det2x2Double;

// Makes the unit's registry and binds the best routines for this processor.
// Start-up only: InstallRasterEngine calls it once.
void RegisterTransformsBindings();
