// Lines of the bitmap: the clipping law of every line kind as a property over
// random lines and clip rectangles, the Bresenham and anti-aliased stepping
// against a plain step-by-step model, sub-pixel lines and the stipple.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "Component/Raster32/Ras32.h"

namespace {

// A small reproducible generator (the same numbers in every build).
struct TRng {
    UInt64 S;
    explicit TRng(UInt64 Seed) : S(Seed * 0x9E3779B97F4A7C15ull + 1) {}
    Cardinal Next()
    {
        S ^= S << 13;
        S ^= S >> 7;
        S ^= S << 17;
        return static_cast<Cardinal>(S >> 16);
    }
    Integer In(Integer Lo, Integer Hi) { return Lo + static_cast<Integer>(Next() % static_cast<Cardinal>(Hi - Lo + 1)); }
    bool Coin() { return Next() & 1; }
};

// Where a line lands: integer, 16.16 or Single end points (the Single ones
// multiples of 1/256, so that moving them by whole pixels is exact).
struct TEnds {
    Integer X1, Y1, X2, Y2;      // pixels
    TFixed FX1, FY1, FX2, FY2;   // 16.16
    bool L;
};

Single ToSingle(TFixed V) { return static_cast<Single>(V) / 65536.0f; }

// Draws a line kind on a bitmap, every coordinate moved by (D, D) pixels.
using TDraw = std::function<void(TCustomBitmap32&, const TEnds&, Integer D)>;

struct TKind {
    const char* Name;
    TDraw Clipped;    // the form under test, on the small clipped bitmap
    TDraw Reference;  // the unclipped form, on a larger bitmap
    bool Stippled;
    std::function<bool(const TEnds&)> Applies;  // nullptr: every line
};

constexpr Integer Pad = 24;  // the larger bitmap's margin: holds every line with its neighbours

TColor32 BackgroundAt(Integer X, Integer Y, Cardinal Seed)
{
    Cardinal H = static_cast<Cardinal>(X) * 73856093u ^ static_cast<Cardinal>(Y) * 19349663u ^ Seed * 83492791u;
    H ^= H >> 13;
    H *= 0x5bd1e995u;
    H ^= H >> 15;
    return H;
}

void Paint(TCustomBitmap32& B, Integer Offset, Cardinal Seed)
{
    for (Integer Y = 0; Y < B.Height(); ++Y)
        for (Integer X = 0; X < B.Width(); ++X) B.SetPixel(X, Y, BackgroundAt(X - Offset, Y - Offset, Seed));
}

Integer Fix(Integer Pixels) { return Pixels * 65536; }

std::vector<TKind> Kinds()
{
    auto Int = [](auto F) {
        return [F](TCustomBitmap32& B, const TEnds& E, Integer D) { F(B, E.X1 + D, E.Y1 + D, E.X2 + D, E.Y2 + D, E.L); };
    };
    auto Fixed = [](auto F) {
        return [F](TCustomBitmap32& B, const TEnds& E, Integer D) {
            F(B, E.FX1 + Fix(D), E.FY1 + Fix(D), E.FX2 + Fix(D), E.FY2 + Fix(D), E.L);
        };
    };
    auto Float = [](auto F) {
        return [F](TCustomBitmap32& B, const TEnds& E, Integer D) {
            F(B, ToSingle(E.FX1) + D, ToSingle(E.FY1) + D, ToSingle(E.FX2) + D, ToSingle(E.FY2) + D, E.L);
        };
    };
    TColor32 C = 0xC0306090;
    std::vector<TKind> K;
    K.push_back({"LineS", Int([=](TCustomBitmap32& B, Integer a, Integer b, Integer c, Integer d, bool L) { B.LineS(a, b, c, d, C, L); }),
                 Int([=](TCustomBitmap32& B, Integer a, Integer b, Integer c, Integer d, bool L) { B.Line(a, b, c, d, C, L); }),
                 false, nullptr});
    K.push_back({"LineTS", Int([=](TCustomBitmap32& B, Integer a, Integer b, Integer c, Integer d, bool L) { B.LineTS(a, b, c, d, C, L); }),
                 Int([=](TCustomBitmap32& B, Integer a, Integer b, Integer c, Integer d, bool L) { B.LineT(a, b, c, d, C, L); }),
                 false, nullptr});
    // The clipped anti-aliased line sends diagonals to LineTS, which has no
    // partial coverage; LineA covers them with the master blend.
    auto Diagonal = [](const TEnds& E) { return std::abs(E.X2 - E.X1) == std::abs(E.Y2 - E.Y1); };
    K.push_back({"LineAS", Int([=](TCustomBitmap32& B, Integer a, Integer b, Integer c, Integer d, bool L) { B.LineAS(a, b, c, d, C, L); }),
                 Int([=](TCustomBitmap32& B, Integer a, Integer b, Integer c, Integer d, bool L) { B.LineA(a, b, c, d, C, L); }),
                 false, [=](const TEnds& E) { return !Diagonal(E); }});
    K.push_back({"LineAS diagonal", Int([=](TCustomBitmap32& B, Integer a, Integer b, Integer c, Integer d, bool L) { B.LineAS(a, b, c, d, C, L); }),
                 Int([=](TCustomBitmap32& B, Integer a, Integer b, Integer c, Integer d, bool L) { B.LineT(a, b, c, d, C, L); }),
                 false, Diagonal});
    K.push_back({"LineXS", Fixed([=](TCustomBitmap32& B, TFixed a, TFixed b, TFixed c, TFixed d, bool L) { B.LineXS(a, b, c, d, C, L); }),
                 Fixed([=](TCustomBitmap32& B, TFixed a, TFixed b, TFixed c, TFixed d, bool L) { B.LineX(a, b, c, d, C, L); }),
                 false, nullptr});
    K.push_back({"LineFS", Float([=](TCustomBitmap32& B, Single a, Single b, Single c, Single d, bool L) { B.LineFS(a, b, c, d, C, L); }),
                 Float([=](TCustomBitmap32& B, Single a, Single b, Single c, Single d, bool L) { B.LineF(a, b, c, d, C, L); }),
                 false, nullptr});
    K.push_back({"LineXSP", Fixed([](TCustomBitmap32& B, TFixed a, TFixed b, TFixed c, TFixed d, bool L) { B.LineXSP(a, b, c, d, L); }),
                 Fixed([](TCustomBitmap32& B, TFixed a, TFixed b, TFixed c, TFixed d, bool L) { B.LineXP(a, b, c, d, L); }),
                 true, nullptr});
    K.push_back({"LineFSP", Float([](TCustomBitmap32& B, Single a, Single b, Single c, Single d, bool L) { B.LineFSP(a, b, c, d, L); }),
                 Float([](TCustomBitmap32& B, Single a, Single b, Single c, Single d, bool L) { B.LineFP(a, b, c, d, L); }),
                 true, nullptr});
    K.push_back({"LineToFSP twice",
                 [](TCustomBitmap32& B, const TEnds& E, Integer D) {
                     B.MoveToF(ToSingle(E.FX1) + D, ToSingle(E.FY1) + D);
                     B.LineToFSP(ToSingle(E.FX2) + D, ToSingle(E.FY2) + D);
                     B.LineToFSP(ToSingle(E.FX1) + D, ToSingle(E.FY2) + D);
                 },
                 [](TCustomBitmap32& B, const TEnds& E, Integer D) {
                     B.LineFP(ToSingle(E.FX1) + D, ToSingle(E.FY1) + D, ToSingle(E.FX2) + D, ToSingle(E.FY2) + D);
                     B.LineFP(ToSingle(E.FX2) + D, ToSingle(E.FY2) + D, ToSingle(E.FX1) + D, ToSingle(E.FY2) + D);
                 },
                 true, nullptr});
    K.push_back({"HorzLineXS",
                 [=](TCustomBitmap32& B, const TEnds& E, Integer D) { B.HorzLineXS(E.FX1 + Fix(D), E.FY1 + Fix(D), E.FX2 + Fix(D), C); },
                 [=](TCustomBitmap32& B, const TEnds& E, Integer D) { B.HorzLineX(E.FX1 + Fix(D), E.FY1 + Fix(D), E.FX2 + Fix(D), C); },
                 false, nullptr});
    K.push_back({"VertLineXS",
                 [=](TCustomBitmap32& B, const TEnds& E, Integer D) { B.VertLineXS(E.FX1 + Fix(D), E.FY1 + Fix(D), E.FY2 + Fix(D), C); },
                 [=](TCustomBitmap32& B, const TEnds& E, Integer D) { B.VertLineX(E.FX1 + Fix(D), E.FY1 + Fix(D), E.FY2 + Fix(D), C); },
                 false, nullptr});
    // The stippled spans and frames are their own unclipped forms on the larger bitmap.
    TDraw Horz = [](TCustomBitmap32& B, const TEnds& E, Integer D) { B.HorzLineTSP(E.X1 + D, E.Y1 + D, E.X2 + D); };
    TDraw Vert = [](TCustomBitmap32& B, const TEnds& E, Integer D) { B.VertLineTSP(E.X1 + D, E.Y1 + D, E.Y2 + D); };
    TDraw Frame = [](TCustomBitmap32& B, const TEnds& E, Integer D) { B.FrameRectTSP(E.X1 + D, E.Y1 + D, E.X2 + D, E.Y2 + D); };
    K.push_back({"HorzLineTSP", Horz, Horz, true, nullptr});
    K.push_back({"VertLineTSP", Vert, Vert, true, nullptr});
    K.push_back({"FrameRectTSP", Frame, Frame, true, nullptr});
    TDraw Bevel = [](TCustomBitmap32& B, const TEnds& E, Integer D) {
        B.RaiseRectTS(E.X1 + D, E.Y1 + D, E.X2 + D, E.Y2 + D, E.L ? 60 : -35);
    };
    TDraw Outline = [=](TCustomBitmap32& B, const TEnds& E, Integer D) {
        B.FrameRectTS(E.X1 + D, E.Y1 + D, E.X2 + D, E.Y2 + D, C);
        B.FrameRectS(E.X2 + D, E.Y1 + D, E.X1 + D + 3, E.Y2 + D, 0xFF102030);
    };
    K.push_back({"RaiseRectTS", Bevel, Bevel, false, nullptr});
    K.push_back({"FrameRectS and FrameRectTS", Outline, Outline, false, nullptr});
    return K;
}

// The pixels of the small bitmap inside its clip rectangle must equal those
// of the larger one drawn unclipped, and outside it the background.
::testing::AssertionResult SameInsideClip(const TCustomBitmap32& Small, const TCustomBitmap32& Big, Cardinal Seed)
{
    const TRect& C = Small.ClipRect();
    for (Integer Y = 0; Y < Small.Height(); ++Y)
        for (Integer X = 0; X < Small.Width(); ++X) {
            bool Inside = X >= C.Left && X < C.Right && Y >= C.Top && Y < C.Bottom;
            TColor32 Want = Inside ? Big.Pixel(X + Pad, Y + Pad) : BackgroundAt(X, Y, Seed);
            if (Small.Pixel(X, Y) != Want)
                return ::testing::AssertionFailure()
                       << "pixel (" << X << ", " << Y << ") " << std::hex << Small.Pixel(X, Y) << " want " << Want
                       << (Inside ? " (inside)" : " (outside the clip)");
        }
    return ::testing::AssertionSuccess();
}

TEnds RandomEnds(TRng& R, Integer W, Integer H)
{
    TEnds E;
    auto FixedIn = [&](Integer Lo, Integer Hi) { return Fix(R.In(Lo, Hi)) + static_cast<Integer>(R.Next() % 256) * 256; };
    E.X1 = R.In(-16, W + 15);
    E.Y1 = R.In(-16, H + 15);
    // Now and then an axis-parallel or diagonal line.
    switch (R.In(0, 7)) {
    case 0: E.X2 = E.X1; E.Y2 = R.In(-16, H + 15); break;
    case 1: E.Y2 = E.Y1; E.X2 = R.In(-16, W + 15); break;
    case 2:
        // A diagonal whose end stays within the same margin.
        do {
            Integer D = R.In(-15, 15);
            E.X2 = E.X1 + D;
            E.Y2 = E.Y1 + (R.Coin() ? D : -D);
        } while (E.X2 < -16 || E.X2 > W + 15 || E.Y2 < -16 || E.Y2 > H + 15);
        break;
    default: E.X2 = R.In(-16, W + 15); E.Y2 = R.In(-16, H + 15);
    }
    E.FX1 = FixedIn(-16, W + 15);
    E.FY1 = FixedIn(-16, H + 15);
    E.FX2 = R.In(0, 5) == 0 ? E.FX1 : FixedIn(-16, W + 15);
    E.FY2 = R.In(0, 5) == 0 ? E.FY1 : FixedIn(-16, H + 15);
    E.L = R.Coin();
    return E;
}

}  // namespace

// ---------------------------------------------------------------------------
// The clipping law

TEST(Ras32_Lines, ClippedLineDrawsExactlyTheUnclippedPixelsInsideTheClip)
{
    const Single Steps[] = {1.0f, 0.5f, 0.25f, 1.75f, 0.125f};
    TCustomBitmap32 Small, Big;
    for (const TKind& Kind : Kinds()) {
        TRng R(std::hash<std::string>{}(Kind.Name) & 0xFFFF);
        Integer Checked = 0;
        for (Integer Iter = 0; Checked < 1500 && Iter < 20000; ++Iter) {
            Integer W = R.In(1, 24), H = R.In(1, 24);
            TEnds E = RandomEnds(R, W, H);
            if (Kind.Applies && !Kind.Applies(E)) continue;
            ++Checked;
            Cardinal Seed = R.Next();
            Small.SetSize(W, H);
            Big.SetSize(W + 2 * Pad, H + 2 * Pad);
            Paint(Small, 0, Seed);
            Paint(Big, Pad, Seed);
            // Mostly a proper part of the bitmap; sometimes all of it, or nothing.
            Integer L = R.In(0, W), T = R.In(0, H);
            TRect Clip{L, T, R.In(L, W), R.In(T, H)};
            if (R.In(0, 9) == 0) Clip = Small.BoundsRect();
            Small.SetClipRect(Clip);
            TCombineMode Mode = R.Coin() ? cmBlend : cmMerge;
            Small.SetCombineMode(Mode);
            Big.SetCombineMode(Mode);
            TArrayOfColor32 Pattern;
            for (Integer i = R.In(1, 5); i > 0; --i) Pattern.push_back(R.Next());
            Small.SetStipple(Pattern);
            Big.SetStipple(Pattern);
            Single Step = Steps[R.In(0, 4)];
            Small.SetStippleStep(Step);
            Big.SetStippleStep(Step);

            Kind.Clipped(Small, E, 0);
            Kind.Reference(Big, E, Pad);
            ASSERT_TRUE(SameInsideClip(Small, Big, Seed))
                << Kind.Name << " (" << E.X1 << ", " << E.Y1 << ")-(" << E.X2 << ", " << E.Y2 << ") fixed (" << E.FX1
                << ", " << E.FY1 << ")-(" << E.FX2 << ", " << E.FY2 << ") L " << E.L << " on " << W << "x" << H
                << " clip (" << Clip.Left << ", " << Clip.Top << ", " << Clip.Right << ", " << Clip.Bottom << ")";
            // The pattern stays in phase: the clipped line leaves the counter
            // where the unclipped one does.
            // A frame wholly outside the bitmap draws nothing and takes no colours.
            bool FrameMisses = std::string(Kind.Name) == "FrameRectTSP" &&
                               (E.X1 >= W || E.Y1 >= H || E.X2 <= 0 || E.Y2 <= 0);
            if (Kind.Stippled && !FrameMisses) {
                // (The same place in the pattern: a counter may stand a
                // whole pattern length past the other.)
                Single Length = static_cast<Single>(Pattern.size());
                ASSERT_EQ(WrapFloat(Small.StippleCounter(), Length), WrapFloat(Big.StippleCounter(), Length))
                    << Kind.Name;
            }
        }
        EXPECT_EQ(Checked, 1500) << Kind.Name;
    }
}

// A line far longer than the bitmap enters and leaves the clip rectangle
// through the entry arithmetic alone; a step-by-step walk of the same
// stepping gives the expected pixels.
namespace {

// The pixels of Line (X1, Y1)-(X2, Y2) in order, stepped as the Bresenham
// stepping is stated: Err starts at half the major length, one pixel per
// step, the minor coordinate moving when Err reaches the major length.
template <class TVisit>
void WalkBresenham(Integer X1, Integer Y1, Integer X2, Integer Y2, bool L, TVisit Visit)
{
    Integer DX = std::abs(X2 - X1), DY = std::abs(Y2 - Y1), SX = X2 < X1 ? -1 : 1, SY = Y2 < Y1 ? -1 : 1;
    Integer X = X1, Y = Y1;
    if (DY < DX) {
        Integer Err = DX / 2;
        for (Integer i = 0; i < DX; ++i) {
            Visit(X, Y);
            Err += DY;
            X += SX;
            if (Err >= DX) {
                Y += SY;
                Err -= DX;
            }
        }
    } else {
        Integer Err = DY / 2;
        for (Integer i = 0; i < DY; ++i) {
            Visit(X, Y);
            Err += DX;
            Y += SY;
            if (Err >= DY) {
                X += SX;
                Err -= DY;
            }
        }
    }
    if (L) Visit(X2, Y2);
}

// The anti-aliased stepping: a 16-bit accumulator gains DMinor * 65536 div
// DMajor per step and moves the minor coordinate when it wraps.
template <class TVisit>
void WalkAA(Integer X1, Integer Y1, Integer X2, Integer Y2, bool L, TVisit Visit)
{
    Integer DX = std::abs(X2 - X1), DY = std::abs(Y2 - Y1), SX = X2 < X1 ? -1 : 1, SY = Y2 < Y1 ? -1 : 1;
    bool XMajor = DY <= DX;
    Integer M = XMajor ? DX : DY, Mn = XMajor ? DY : DX;
    Word Step = static_cast<Word>((static_cast<Int64>(Mn) << 16) / M), Acc = 0;
    Integer X = X1, Y = Y1;
    Visit(X, Y, -1);  // the start pixel, through the combine routine
    for (Integer n = L ? M : M - 1; n > 0; --n) {
        Word Before = Acc;
        Acc = static_cast<Word>(Acc + Step);
        bool Wrapped = Acc < Before;
        if (XMajor) {
            X += SX;
            if (Wrapped) Y += SY;
        } else {
            Y += SY;
            if (Wrapped) X += SX;
        }
        Integer F = Acc >> 8;
        Visit(X, Y, GammaCurve[255 - F]);
        Visit(XMajor ? X : X + SX, XMajor ? Y + SY : Y, GammaCurve[F]);
    }
}

}  // namespace

TEST(Ras32_Lines, LongLinesAcrossTheClipMatchTheStepByStepWalk)
{
    TRng R(7);
    TCustomBitmap32 B, Want;
    for (Integer Iter = 0; Iter < 400; ++Iter) {
        Integer W = R.In(1, 30), H = R.In(1, 30);
        B.SetSize(W, H);
        Want.SetSize(W, H);
        Cardinal Seed = R.Next();
        Paint(B, 0, Seed);
        Paint(Want, 0, Seed);
        Integer L = R.In(0, W), T = R.In(0, H);
        TRect Clip{L, T, R.In(L, W), R.In(T, H)};
        B.SetClipRect(Clip);
        Want.SetClipRect(Clip);
        auto Inside = [&](Integer X, Integer Y) { return PointInRect(Clip, TPoint{X, Y}); };
        // Ends up to 4000 pixels out, through the bitmap's neighbourhood.
        Integer X1 = R.In(-4000, 4000), Y1 = R.In(-4000, 4000);
        Integer CX = R.In(-3, W + 3), CY = R.In(-3, H + 3);
        Integer X2 = CX + (CX - X1) * R.In(0, 2), Y2 = CY + (CY - Y1) * R.In(0, 2);
        bool EndPoint = R.Coin();
        TColor32 C = R.Next() | 0x01000000;
        if (X1 == X2 || Y1 == Y2 || std::abs(X2 - X1) == std::abs(Y2 - Y1)) continue;
        if (Iter % 2 == 0) {
            B.LineS(X1, Y1, X2, Y2, C, EndPoint);
            WalkBresenham(X1, Y1, X2, Y2, EndPoint, [&](Integer X, Integer Y) {
                if (Inside(X, Y)) Want.SetPixel(X, Y, C);
            });
        } else {
            TCombineMode Mode = R.Coin() ? cmBlend : cmMerge;
            B.SetCombineMode(Mode);
            B.LineAS(X1, Y1, X2, Y2, C, EndPoint);
            WalkAA(X1, Y1, X2, Y2, EndPoint, [&](Integer X, Integer Y, Integer Weight) {
                if (!Inside(X, Y)) return;
                TColor32 P = Want.Pixel(X, Y);
                if (Weight < 0)
                    (*CombineInPlaceOf[Mode])(C, P);
                else
                    (*CombineMasterInPlaceOf[Mode])(C, P, static_cast<Cardinal>(Weight));
                Want.SetPixel(X, Y, P);
            });
        }
        for (Integer Y = 0; Y < H; ++Y)
            for (Integer X = 0; X < W; ++X)
                ASSERT_EQ(B.Pixel(X, Y), Want.Pixel(X, Y))
                    << (Iter % 2 ? "LineAS" : "LineS") << " (" << X1 << ", " << Y1 << ")-(" << X2 << ", " << Y2
                    << ") at (" << X << ", " << Y << ")";
    }
}

TEST(Ras32_Lines, LinesFarOutsideTouchNothing)
{
    TCustomBitmap32 B;
    B.SetSize(8, 8);
    B.Clear(0xFF000000);
    Integer Reports = 0;
    B.OnAreaChanged = [&](TObject*, const TRect&, Cardinal) { ++Reports; };
    B.LineS(INT32_MIN, INT32_MIN + 1, INT32_MAX, INT32_MIN + 5, 0xFFFFFFFF);
    B.LineTS(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MAX - 7, 0xFFFFFFFF, true);
    B.LineAS(-100000, -99999, 100000, -50000, 0xFFFFFFFF, true);
    B.LineXS(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MIN + 65536, 0xFFFFFFFF, true);
    B.HorzLineXS(INT32_MIN, 9 << 16, INT32_MAX, 0xFFFFFFFF);
    for (Integer i = 0; i < 64; ++i) EXPECT_EQ(B.Bits()[i], 0xFF000000u);
    // The integer lines that miss report nothing; the sub-pixel ones report
    // their line in any case.
    EXPECT_EQ(Reports, 2);
}

// ---------------------------------------------------------------------------
// Bresenham and anti-aliased lines

TEST(Ras32_Lines, LineSClippedToTheLeftKeepsTheUnclippedPixels)
{
    TCustomBitmap32 A, B;
    A.SetSize(20, 20);
    B.SetSize(20, 20);
    A.Line(0, 0, 10, 5, 0xFFFFFFFF, false);
    B.SetClipRect(TRect{3, 0, 20, 20});
    B.LineS(0, 0, 10, 5, 0xFFFFFFFF, false);
    for (Integer Y = 0; Y < 20; ++Y)
        for (Integer X = 0; X < 20; ++X) EXPECT_EQ(B.Pixel(X, Y), X >= 3 ? A.Pixel(X, Y) : 0xFF000000u) << X << "," << Y;
}

TEST(Ras32_Lines, Reports)
{
    TCustomBitmap32 B;
    B.SetSize(10, 10);
    std::vector<std::pair<TRect, Cardinal>> Got;
    B.OnAreaChanged = [&](TObject*, const TRect& A, Cardinal I) { Got.emplace_back(A, I); };
    // A vertical line reports the whole bitmap, a diagonal one its ends.
    B.LineS(2, 1, 2, 8, 0xFFFFFFFF);
    ASSERT_FALSE(Got.empty());
    EXPECT_EQ(Got.back().first, B.BoundsRect());
    EXPECT_EQ(Got.back().second, AreaInfoRect);
    Got.clear();
    B.LineS(1, 2, 8, 5, 0xFFFFFFFF);
    ASSERT_EQ(Got.size(), 1u);
    EXPECT_EQ(Got[0].first, (TRect{1, 2, 8, 5}));
    EXPECT_EQ(Got[0].second, AreaInfoLine + 2);
    Got.clear();
    B.LineXSP(0, 0, 5 << 16, 5 << 16);
    EXPECT_EQ(Got.back().second, AreaInfoLine + 4);
    // While measuring nothing is drawn, only reported.
    B.Clear(0xFF000000);
    Got.clear();
    B.BeginMeasuring([&](TObject*, const TRect& A, Cardinal I) { Got.emplace_back(A, I); });
    B.LineS(0, 0, 9, 3, 0xFFFFFFFF);
    B.LineAS(0, 0, 9, 3, 0xFFFFFFFF);
    B.LineXS(0, 0, 9 << 16, 3 << 16, 0xFFFFFFFF);
    B.HorzLineTSP(0, 1, 9);
    B.EndMeasuring();
    EXPECT_EQ(Got.size(), 4u);
    for (Integer i = 0; i < 100; ++i) EXPECT_EQ(B.Bits()[i], 0xFF000000u);
}

TEST(Ras32_Lines, LineAWeightsTheTwoPixelsOfEachStep)
{
    // Slope 1/2 from (0, 0): the accumulator holds 0x8000 after one step, so
    // the main pixel and its neighbour get the gamma weights of 127 and 128.
    TCustomBitmap32 B;
    B.SetSize(4, 4);
    B.Clear(0xFF000000);
    B.LineA(0, 0, 2, 1, 0xFFFFFFFF, true);
    EXPECT_EQ(B.Pixel(0, 0), 0xFFFFFFFFu);  // the start pixel through the combine routine
    auto Master = [](Cardinal W) {
        TColor32 P = 0xFF000000;
        BlendPixelMasterInPlace(0xFFFFFFFF, P, W);
        return P;
    };
    EXPECT_EQ(B.Pixel(1, 0), Master(GammaCurve[255 - 0x80]));
    EXPECT_EQ(B.Pixel(1, 1), Master(GammaCurve[0x80]));
    EXPECT_EQ(B.Pixel(2, 1), Master(GammaCurve[255]));
}

// ---------------------------------------------------------------------------
// Sub-pixel lines

TEST(Ras32_Lines, LineXOfLengthZero)
{
    TCustomBitmap32 B;
    B.SetSize(4, 4);
    B.Clear(0xFF000000);
    B.LineX(1 << 16, 1 << 16, 1 << 16, 1 << 16, 0xFFFFFFFF, false);
    for (Integer i = 0; i < 16; ++i) EXPECT_EQ(B.Bits()[i], 0xFF000000u);
    // With the end point: one plot at the start, whole-pixel weight 253.
    B.LineX(1 << 16, 1 << 16, 1 << 16, 1 << 16, 0xFFFFFFFF, true);
    EXPECT_EQ(B.Pixel(1, 1), CombinePixel(0xFFFFFFFF, 0xFF000000, 253));
    for (Integer i = 0; i < 16; ++i)
        if (i != 5) {
            EXPECT_EQ(B.Bits()[i], 0xFF000000u) << i;
        }
}

TEST(Ras32_Lines, HorzLineXSpreadsOverTwoRows)
{
    TCustomBitmap32 B;
    B.SetSize(6, 4);
    B.Clear(0);
    // From 1.5 to 4.25 at row 1.25: row 1 with weight 0xBFFF, row 2 with
    // 0x4000; the end pixels by their coverage, the ones between in full.
    B.HorzLineX(0x18000, 0x14000, 0x44000, 0xFF0000FF);
    auto Plotted = [](Cardinal W) {
        TColor32 P = 0;
        CombinePixelInPlace(0xFF0000FF, P, W);
        return P;
    };
    struct TCase {
        Integer X, Y;
        Cardinal Weight;
    } Cases[] = {
        {1, 1, GammaCurve[(0xBFFFu * 0x7FFF) >> 24]}, {2, 1, GammaCurve[0xBF]}, {3, 1, GammaCurve[0xBF]},
        {4, 1, GammaCurve[(0xBFFFu * 0x4000) >> 24]}, {1, 2, GammaCurve[(0x4000u * 0x7FFF) >> 24]},
        {2, 2, GammaCurve[0x40]}, {3, 2, GammaCurve[0x40]}, {4, 2, GammaCurve[(0x4000u * 0x4000) >> 24]},
        {0, 1, 0}, {5, 1, 0}, {2, 0, 0}, {2, 3, 0},
    };
    for (const auto& C : Cases) EXPECT_EQ(B.Pixel(C.X, C.Y), Plotted(C.Weight)) << C.X << "," << C.Y;
}

// ---------------------------------------------------------------------------
// Stipple

TEST(Ras32_Lines, StippleColorsAtHalfSteps)
{
    TCustomBitmap32 B;
    EXPECT_EQ(B.GetStippleColor(), 0xFF000000u);  // no pattern
    EXPECT_EQ(B.StippleCounter(), 0.0f);
    B.SetStipple({0xFF000000, 0xFFFFFFFF});
    B.SetStippleStep(0.5f);
    const TColor32 Want[] = {0xFF000000, 0xFF808080, 0xFFFFFFFF, 0xFF7F7F7F, 0xFF000000, 0xFF808080};
    for (TColor32 W : Want) EXPECT_EQ(B.GetStippleColor(), W);
    // A new pattern starts over at its first entry.
    B.SetStipple({0xFF112233, 0xFF445566});
    EXPECT_EQ(B.StippleCounter(), 0.0f);
    EXPECT_EQ(B.GetStippleColor(), 0xFF112233u);
}

TEST(Ras32_Lines, AdvanceStippleCounterWraps)
{
    TCustomBitmap32 B;
    B.AdvanceStippleCounter(5);
    EXPECT_EQ(B.StippleCounter(), 0.0f);  // no pattern: nothing moves
    B.SetStipple({1, 2, 3});
    B.AdvanceStippleCounter(7);
    EXPECT_EQ(B.StippleCounter(), 1.0f);
    B.AdvanceStippleCounter(-2);
    EXPECT_EQ(B.StippleCounter(), 2.0f);
    // A counter far out or a huge step takes no endless wrap.
    B.SetStippleCounter(3e30f);
    B.GetStippleColor();
    B.SetStippleStep(1e30f);
    B.GetStippleColor();
    B.GetStippleColor();
    EXPECT_TRUE(std::isfinite(B.StippleCounter()));
}

TEST(Ras32_Lines, FrameRectTSPRunsClockwiseFromTheTopLeft)
{
    TCustomBitmap32 B;
    B.SetSize(5, 5);
    B.Clear(0);
    TArrayOfColor32 Pattern;
    for (Integer i = 0; i < 8; ++i) Pattern.push_back(0xFF000000 | (i + 1));
    B.SetStipple(Pattern);
    B.FrameRectTSP(1, 1, 4, 4);
    // Clockwise from (1, 1): the top, the right side, the bottom, the left side.
    const TPoint Order[] = {{1, 1}, {2, 1}, {3, 1}, {3, 2}, {3, 3}, {2, 3}, {1, 3}, {1, 2}};
    Integer Drawn = 0;
    for (Integer i = 0; i < 25; ++i) Drawn += B.Bits()[i] != 0;
    EXPECT_EQ(Drawn, 8);
    for (Integer i = 0; i < 8; ++i) EXPECT_EQ(B.Pixel(Order[i].X, Order[i].Y), Pattern[i]) << i;
    EXPECT_EQ(B.Pixel(2, 2), 0u);
    // The pattern goes on where the frame left it.
    EXPECT_EQ(B.GetStippleColor(), Pattern[0]);
}

TEST(Ras32_Lines, ConsecutiveSegmentsContinueThePattern)
{
    TCustomBitmap32 B;
    B.SetSize(20, 3);
    B.Clear(0);
    TArrayOfColor32 Pattern;
    for (Integer i = 0; i < 20; ++i) Pattern.push_back(0xFF000000 | (i + 1) * 0x010203);
    B.SetStipple(Pattern);
    // Six whole pixels and an empty rest (which takes a colour of its own),
    // then eight more: the second segment goes on with entry 7.
    B.MoveToF(1, 1);
    B.LineToFSP(7, 1);
    B.LineToFSP(15, 1);
    for (Integer X = 1; X <= 14; ++X) {
        Integer Entry = X <= 6 ? X - 1 : X;
        // A plot on a whole pixel weighs (255 * 255 * 255) shr 16 = 253.
        EXPECT_EQ(B.Pixel(X, 1), CombinePixel(Pattern[Entry], 0, 253)) << X;
    }
    EXPECT_EQ(B.StippleCounter(), 16.0f);
}

TEST(Ras32_Lines, HorzLineTSPKeepsThePhaseAcrossTheClip)
{
    TCustomBitmap32 B;
    B.SetSize(10, 2);
    B.Clear(0);
    TArrayOfColor32 Pattern;
    for (Integer i = 0; i < 16; ++i) Pattern.push_back(0xFF000000 | (i + 1));
    B.SetStipple(Pattern);
    B.SetClipRect(TRect{3, 0, 7, 2});
    // From 9 down to 0: 9, 8 and 7 cut (entries 0 to 2), 6..3 drawn, 2..0 cut.
    B.HorzLineTSP(9, 1, 0);
    for (Integer X = 0; X < 10; ++X) EXPECT_EQ(B.Pixel(X, 1), X >= 3 && X <= 6 ? Pattern[9 - X] : 0u) << X;
    EXPECT_EQ(B.StippleCounter(), 10.0f);
}

// ---------------------------------------------------------------------------
// Outcode clipper

TEST(Ras32_Lines, ClipLineSegment)
{
    struct TCase {
        Integer X1, Y1, X2, Y2;
        bool Visible;
        Integer RX1, RY1, RX2, RY2;
    } Cases[] = {
        {1, 1, 5, 5, true, 1, 1, 5, 5},            // inside: unchanged
        {-5, 0, -1, 9, false, -5, 0, -1, 9},       // both left
        {-10, 5, 20, 5, true, 0, 5, 10, 5},        // across, horizontal
        {5, -10, 5, 20, true, 5, 0, 5, 10},        // across, vertical
        {-10, -10, 20, 20, true, 0, 0, 10, 10},    // the diagonal
        {-4, 4, 4, -4, true, 0, 0, 0, 0},          // through the corner
        {-6, 3, 3, -6, false, -3, 0, 0, -3},       // past the corner (codes agree after the vertical step)
        {0, 0, 3, 10, true, 0, 0, 3, 10},
        {0, -5, 3, 15, true, 1, 0, 2, 10},         // 0.75 and 2.25 rounded
    };
    for (const auto& C : Cases) {
        Integer X1 = C.X1, Y1 = C.Y1, X2 = C.X2, Y2 = C.Y2;
        EXPECT_EQ(ClipLineSegment(X1, Y1, X2, Y2, 0, 0, 10, 10), C.Visible) << C.X1 << "," << C.Y1;
        if (C.Visible) {
            EXPECT_EQ((TRect{X1, Y1, X2, Y2}), (TRect{C.RX1, C.RY1, C.RX2, C.RY2})) << C.X1 << "," << C.Y1;
        }
    }
}
