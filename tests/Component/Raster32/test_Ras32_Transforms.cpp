// Matrices and the affine, projective and remap transformations.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "Component/Raster32/Ras32_Transforms.h"
#include "framework/runtime/SysUtils.h"

namespace {

TFloatPoint F(Single X, Single Y) { return TFloatPoint{X, Y}; }

void ExpectNear(const TFloatPoint& P, Single X, Single Y, Single Tolerance = 1e-4f)
{
    EXPECT_NEAR(P.X, X, Tolerance);
    EXPECT_NEAR(P.Y, Y, Tolerance);
}

TFloatMatrix Matrix(std::initializer_list<Single> ColumnMajor)
{
    TFloatMatrix M;
    auto It = ColumnMajor.begin();
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r) M[c][r] = *It++;
    return M;
}

void SetCorners(TProjectiveTransformation& T, const TFloatPoint (&C)[4])
{
    T.SetX0(C[0].X);
    T.SetY0(C[0].Y);
    T.SetX1(C[1].X);
    T.SetY1(C[1].Y);
    T.SetX2(C[2].X);
    T.SetY2(C[2].Y);
    T.SetX3(C[3].X);
    T.SetY3(C[3].Y);
}

}  // namespace

TEST(Ras32_Matrix, DeterminantInverseAndProducts)
{
    TFloatMatrix M = Matrix({2, 0, 0, 1, 3, 0, 5, 7, 1});  // columns
    EXPECT_FLOAT_EQ(MatrixDeterminant(M), 6);
    TFloatMatrix I = M;
    MatrixInvert(I);
    TFloatMatrix P = MatrixMultiply(M, I);
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r) EXPECT_NEAR(P[c][r], c == r ? 1 : 0, 1e-6);
    TVector3f V = MatrixApply(M, TVector3f{1, 1, 1});
    EXPECT_FLOAT_EQ(V[0], 8);
    EXPECT_FLOAT_EQ(V[1], 10);
    EXPECT_FLOAT_EQ(V[2], 1);
    // MatrixMultiply(M1, M2) applies M2 first.
    TFloatMatrix Shift = Matrix({1, 0, 0, 0, 1, 0, 10, 0, 1}), Double = Matrix({2, 0, 0, 0, 2, 0, 0, 0, 1});
    EXPECT_FLOAT_EQ(MatrixApply(MatrixMultiply(Shift, Double), TVector3f{1, 0, 1})[0], 12);
    // A singular matrix inverts to the identity.
    TFloatMatrix S = Matrix({1, 2, 0, 2, 4, 0, 0, 0, 0});
    MatrixInvert(S);
    EXPECT_EQ(S, IdentityFloatMatrix);
    TFixedMatrix X = FixedMatrixOf(Matrix({0.5f, -1.5f, 0, 0, 1, 0, 0, 0, 1}));
    EXPECT_EQ(X[0][0], 0x8000);
    EXPECT_EQ(X[0][1], -0x18000);
    EXPECT_EQ(Det2x2Single(1, 2, 3, 4), -2);
    EXPECT_EQ(Det2x2Double(1, 2, 3, 4), -2);
}

TEST(Ras32_Affine, StepsApplyInCallOrder)
{
    TAffineTransformation T;
    T.Rotate(0, 0, 90);
    ExpectNear(T.Transform(F(1, 0)), 0, -1);
    ExpectNear(T.Transform(F(0, 1)), 1, 0);

    T.Clear();
    T.Translate(10, 0);
    T.Scale(2);
    ExpectNear(T.Transform(F(0, 0)), 20, 0);
    T.Clear();
    T.Scale(2);
    T.Translate(10, 0);
    ExpectNear(T.Transform(F(0, 0)), 10, 0);

    T.Clear();
    T.Rotate(30, 40, 33);
    ExpectNear(T.Transform(F(30, 40)), 30, 40, 1e-3f);
    T.Clear();
    T.Skew(0.5f, 0);
    ExpectNear(T.Transform(F(0, 2)), 1, 2);
    T.Clear();
    T.Scale(2, 4);
    EXPECT_EQ(T.GetTransformedBounds(TFloatRect{1, 1, 2, 2}), (TFloatRect{2, 4, 4, 8}));
    EXPECT_EQ(T.Transform(TPoint{3, 4}), (TPoint{6, 16}));
    EXPECT_EQ(T.ReverseTransform(TFixedPoint{6 * FixedOne, 16 * FixedOne}), (TFixedPoint{3 * FixedOne, 4 * FixedOne}));
    // A singular matrix maps back through the identity.
    T.Scale(0);
    ExpectNear(T.ReverseTransform(F(5, 7)), 5, 7);
}

TEST(Ras32_Affine, ChangesInvalidateAndNotify)
{
    TAffineTransformation T;
    int Changes = 0;
    T.OnChange = [&](TObject*) { ++Changes; };
    T.Transform(F(1, 1));
    EXPECT_TRUE(T.TransformValid());
    T.Translate(1, 1);
    EXPECT_FALSE(T.TransformValid());
    EXPECT_EQ(Changes, 1);
    T.SetSrcRect(TFloatRect{0, 0, 5, 5});
    EXPECT_EQ(Changes, 2);
}

TEST(Ras32_Projective, CornersAndDegenerateCases)
{
    TProjectiveTransformation T;
    T.SetSrcRect(TFloatRect{10, 20, 110, 70});
    SetCorners(T, {F(10, 20), F(110, 20), F(110, 70), F(10, 70)});
    for (TFloatPoint P : {F(10, 20), F(57.5f, 33.25f), F(109, 69)}) {
        ExpectNear(T.Transform(P), P.X, P.Y, 1e-3f);
        ExpectNear(T.ReverseTransform(P), P.X, P.Y, 1e-3f);
        TFixedPoint X = FloatToFixedPoint(P);
        TFixedPoint R = T.Transform(X);
        EXPECT_NEAR(R.X, X.X, 16);
        EXPECT_NEAR(R.Y, X.Y, 16);
    }
    // A real perspective: the corners land on the corners.
    SetCorners(T, {F(0, 0), F(200, 30), F(180, 150), F(20, 100)});
    ExpectNear(T.Transform(F(110, 20)), 200, 30, 1e-2f);
    ExpectNear(T.Transform(F(110, 70)), 180, 150, 1e-2f);
    ExpectNear(T.Transform(F(10, 70)), 20, 100, 1e-2f);
    EXPECT_EQ(T.GetTransformedBounds(TFloatRect{}), (TFloatRect{0, 0, 200, 150}));

    // Four equal corners: everything onto that corner, the reverse is the identity.
    SetCorners(T, {F(5, 6), F(5, 6), F(5, 6), F(5, 6)});
    ExpectNear(T.Transform(F(50, 50)), 5, 6);
    ExpectNear(T.ReverseTransform(F(50, 40)), 50, 40);
    // Not a parallelogram, yet k = 0: a zero forward matrix.
    SetCorners(T, {F(0, 5), F(1, 0), F(2, 0), F(3, 0)});
    T.ValidateTransform();
    EXPECT_EQ(T.ForwardMatrix(), TFloatMatrix{});
    ExpectNear(T.ReverseTransform(F(3, 4)), 3, 4);
}

TEST(Ras32_Projective, PointsWithoutImageGoOutside)
{
    // A degenerate quadrilateral has a zero forward matrix: w is 0 for every
    // point, which has no image then.
    TProjectiveTransformation T;
    T.SetSrcRect(TFloatRect{0, 0, 10, 10});
    SetCorners(T, {F(0, 5), F(1, 0), F(2, 0), F(3, 0)});
    EXPECT_EQ(T.Transform(F(3, 3)), F(OutsideCoordinate, OutsideCoordinate));
    EXPECT_EQ(T.Transform(TFixedPoint{FixedOne, 2 * FixedOne}), (TFixedPoint{OutsideFixed, OutsideFixed}));
    EXPECT_EQ(T.Transform(TPoint{1, 2}), (TPoint{-16384, -16384}));

    // An empty source rectangle sends every point outside in both directions.
    TProjectiveTransformation Z;
    SetCorners(Z, {F(0, 0), F(1, 0), F(1, 1), F(0, 1)});
    Z.SetSrcRect(TFloatRect{5, 5, 5, 9});
    EXPECT_EQ(Z.ReverseTransform(TFixedPoint{3 * FixedOne, 3 * FixedOne}), (TFixedPoint{OutsideFixed, OutsideFixed}));
    EXPECT_EQ(Z.ReverseTransform(F(3, 3)), F(OutsideCoordinate, OutsideCoordinate));
    EXPECT_EQ(Z.Transform(F(3, 3)), F(OutsideCoordinate, OutsideCoordinate));
}

TEST(Ras32_Remap, ReverseOnlyAndChecksItsRectangles)
{
    TRemapTransformation T;
    EXPECT_EQ(T.VectorMap()->Width(), 1);
    EXPECT_FALSE(T.HasTransformedBounds());
    EXPECT_TRUE(std::isinf(T.GetTransformedBounds().Right));
    T.SetSrcRect(TFloatRect{0, 0, 10, 10});
    try {
        T.ReverseTransform(F(1, 1));
        FAIL();
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), u"MappingRect is empty!");
    }
    T.SetMappingRect(TFloatRect{0, 0, 10, 10});
    T.SetSrcRect(TFloatRect{});
    EXPECT_THROW(T.ReverseTransform(F(1, 1)), Exception);
    T.SetSrcRect(TFloatRect{0, 0, 10, 10});
    try {
        T.Transform(F(1, 1));
        FAIL();
    } catch (const ETransformNotImplemented& E) {
        EXPECT_EQ(E.Message(), u"Forward transformation is not implemented in TRemapTransformation.");
    }
    // A 1 x 1 map: no displacement, the identity between equal rectangles.
    ExpectNear(T.ReverseTransform(F(3, 4)), 3, 4);

    // A displacement field shifts each point by its vector, scaled.
    auto Map = std::make_unique<TVectorMap>();
    Map->SetSize(11, 11);
    for (Integer y = 0; y < 11; ++y)
        for (Integer x = 0; x < 11; ++x) Map->SetIntVector(x, y, TFixedPoint{2 * FixedOne, -FixedOne});
    T.SetVectorMap(std::move(Map));
    T.SetSrcRect(TFloatRect{0, 0, 20, 20});  // twice the mapping rectangle
    ExpectNear(T.ReverseTransform(F(3, 4)), 10, 6);
    EXPECT_EQ(T.ReverseTransform(TPoint{3, 4}), (TPoint{10, 6}));
    T.Scale(0.5f, 0.5f);
    ExpectNear(T.ReverseTransform(F(3, 4)), 8, 7);
    T.SetOffset(F(100, 100));  // the map is read at (-97, -96): outside, no displacement
    ExpectNear(T.ReverseTransform(F(3, 4)), 6, 8);
}

TEST(Ras32_BaseTransformation, FloatFormsRaise)
{
    TTransformation T;
    try {
        T.ReverseTransform(F(0, 0));
        FAIL();
    } catch (const ETransformNotImplemented& E) {
        EXPECT_EQ(E.Message(), u"Reverse transformation is not implemented in TTransformation.");
    }
    EXPECT_THROW(T.Transform(TPoint{0, 0}), ETransformNotImplemented);
}

// Property: for every transformation kind the reverse mapping undoes the
// forward one within 1/256 pixel, in float and (where the matrices allow it)
// fixed point; the remap's fixed and float reverse mappings agree.
TEST(Ras32_Transformations, ForwardAndReverseAgree)
{
    std::mt19937 Rng(1234);
    std::uniform_real_distribution<Single> Coord(-500, 1500), Angle(-180, 180), Factor(0.3f, 3.0f);
    constexpr Single Tolerance = 1.0f / 256;
    int Compared = 0;
    for (int Case = 0; Case < 50; ++Case) {
        TAffineTransformation A;
        A.Translate(Coord(Rng) / 10, Coord(Rng) / 10);
        A.Rotate(Coord(Rng) / 3, Coord(Rng) / 3, Angle(Rng));
        A.Scale(Factor(Rng), Factor(Rng));
        A.Skew(Factor(Rng) - 1.5f, 0);
        for (int i = 0; i < 100; ++i) {
            TFloatPoint P = F(Coord(Rng), Coord(Rng));
            TFloatPoint Back = A.ReverseTransform(A.Transform(P));
            Single Scale = std::max(1.0f, std::max(std::fabs(P.X), std::fabs(P.Y)) / 1000);
            EXPECT_NEAR(Back.X, P.X, Tolerance * Scale);
            EXPECT_NEAR(Back.Y, P.Y, Tolerance * Scale);
            ++Compared;
        }
    }
    for (int Case = 0; Case < 50; ++Case) {
        TProjectiveTransformation T;
        T.SetSrcRect(TFloatRect{0, 0, 400, 300});
        std::uniform_real_distribution<Single> Jitter(-60, 60);
        SetCorners(T, {F(Jitter(Rng), Jitter(Rng)), F(400 + Jitter(Rng), Jitter(Rng)),
                       F(400 + Jitter(Rng), 300 + Jitter(Rng)), F(Jitter(Rng), 300 + Jitter(Rng))});
        std::uniform_real_distribution<Single> X(0, 400), Y(0, 300);
        for (int i = 0; i < 100; ++i) {
            TFloatPoint P = F(X(Rng), Y(Rng));
            TFloatPoint Back = T.ReverseTransform(T.Transform(P));
            EXPECT_NEAR(Back.X, P.X, Tolerance);
            EXPECT_NEAR(Back.Y, P.Y, Tolerance);
            ++Compared;
        }
    }
    // Fixed point: the 16.16 matrices hold about five decimal places, which
    // keeps to 1/256 pixel over a few hundred pixels.
    TAffineTransformation A;
    A.Rotate(100, 50, 30);
    A.Scale(1.5f, 0.75f);
    std::uniform_int_distribution<Integer> Fixed(-200 * FixedOne, 200 * FixedOne);
    for (int i = 0; i < 1000; ++i) {
        TFixedPoint P{Fixed(Rng), Fixed(Rng)};
        TFixedPoint Back = A.ReverseTransform(A.Transform(P));
        EXPECT_NEAR(Back.X, P.X, FixedOne / 256);
        EXPECT_NEAR(Back.Y, P.Y, FixedOne / 256);
        ++Compared;
    }
    // The remap: fixed and float reverse mappings of one field.
    TRemapTransformation R;
    auto Map = std::make_unique<TVectorMap>();
    Map->SetSize(64, 64);
    std::uniform_int_distribution<Integer> Shift(-8 * FixedOne, 8 * FixedOne);
    for (Integer y = 0; y < 64; ++y)
        for (Integer x = 0; x < 64; ++x) Map->SetIntVector(x, y, TFixedPoint{Shift(Rng), Shift(Rng)});
    R.SetVectorMap(std::move(Map));
    R.SetMappingRect(TFloatRect{0, 0, 64, 64});
    R.SetSrcRect(TFloatRect{0, 0, 64, 64});
    std::uniform_real_distribution<Single> In(0, 63);
    for (int i = 0; i < 1000; ++i) {
        TFloatPoint P = F(In(Rng), In(Rng));
        TFloatPoint ByFloat = R.ReverseTransform(P);
        TFloatPoint ByFixed = FixedToFloatPoint(R.ReverseTransform(FloatToFixedPoint(P)));
        EXPECT_NEAR(ByFixed.X, ByFloat.X, Tolerance);
        EXPECT_NEAR(ByFixed.Y, ByFloat.Y, Tolerance);
        ++Compared;
    }
    std::printf("compared %d points\n", Compared);
}
