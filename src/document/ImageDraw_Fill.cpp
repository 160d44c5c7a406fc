// The paint bucket, the magic wand and the gradient fill of TImageDraw, and
// the portable geometry of the gradient (PlanGradient).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "document/ImageDraw.h"
#include "document/ImageSelection.h"
#include "filters/HyRas32Filters.h"

TGradientHooks GradientHooks;

namespace {
// ---------------------------------------------------------------------------
// The span flood

// A run [X1, X2] of row Y that has been filled.
struct TFillSpan {
    Integer Y, X1, X2;
};
// Row Y + Dy is still to be explored under the filled run [XL, XR] of row Y.
struct TPendingSpan {
    Integer Y, XL, XR, Dy;
};

// Fills the 4-connected area around (X0, Y0) of a W x H grid, run by run.
// Inside(X, Y) says whether a pixel not yet filled belongs to the area;
// Mark(Y, X1, X2) fills a run, after which Inside is false all along it. The
// seed is filled whatever Inside says of it. Every pixel of the area lies in
// exactly one marked run. The extra memory is the stack of runs still to
// explore: each filled run pushes at most three.
template <class TInside, class TMark>
void FloodSpans(Integer W, Integer H, Integer X0, Integer Y0, TInside&& Inside, TMark&& Mark)
{
    std::vector<TPendingSpan> Stack;
    auto Push = [&](Integer Y, Integer XL, Integer XR, Integer Dy) {
        if (Y + Dy >= 0 && Y + Dy < H) Stack.push_back({Y, XL, XR, Dy});
    };
    Integer L = X0, R = X0;
    while (L > 0 && Inside(L - 1, Y0)) --L;
    while (R + 1 < W && Inside(R + 1, Y0)) ++R;
    Mark(Y0, L, R);
    Push(Y0, L, R, 1);
    Push(Y0, L, R, -1);
    while (!Stack.empty()) {
        const TPendingSpan P = Stack.back();
        Stack.pop_back();
        const Integer Y = P.Y + P.Dy;
        Integer X = P.XL;
        while (X <= P.XR) {
            if (!Inside(X, Y)) {
                ++X;
                continue;
            }
            // Only a run through XL can reach left of it: any later one
            // starts just after a pixel that is not inside.
            L = R = X;
            while (L > 0 && Inside(L - 1, Y)) --L;
            while (R + 1 < W && Inside(R + 1, Y)) ++R;
            Mark(Y, L, R);
            Push(Y, L, R, P.Dy);
            // Where the run overhangs the one it came from, the row it came
            // from has pixels of its own to explore.
            if (L < P.XL) Push(Y, L, P.XL - 1, -P.Dy);
            if (R > P.XR) Push(Y, P.XR + 1, R, -P.Dy);
            X = R + 2;
        }
    }
}

// One bit per pixel: the pixels already filled.
class TPixelBits {
public:
    TPixelBits(Integer W, Integer H)
        : FWidth(static_cast<size_t>(W)), FBits((static_cast<size_t>(W) * static_cast<size_t>(H) + 63) / 64)
    {
    }
    bool Test(Integer X, Integer Y) const
    {
        const size_t I = Index(X, Y);
        return (FBits[I >> 6] >> (I & 63)) & 1;
    }
    void SetRun(Integer Y, Integer X1, Integer X2)
    {
        for (size_t I = Index(X1, Y), E = Index(X2, Y); I <= E; ++I) FBits[I >> 6] |= uint64_t(1) << (I & 63);
    }

private:
    size_t Index(Integer X, Integer Y) const { return static_cast<size_t>(Y) * FWidth + static_cast<size_t>(X); }
    size_t FWidth;
    std::vector<uint64_t> FBits;
};

// Floods the area of (X0, Y0) in B of pixels similar to Src within
// Tolerance (see TImageDraw::FillDo), calling Run(Y, X1, X2) once for each
// of its runs. With Recolour, each run is painted *Recolour; a colour not
// similar to Src marks its pixels done by itself, so the bit map is needed
// only when it is similar, or when nothing is painted.
template <class TRun>
void FloodArea(TCustomBitmap32& B, Integer X0, Integer Y0, TColor32 Src, Integer Tolerance, const TColor32* Recolour,
               TRun&& Run)
{
    const Integer W = B.Width(), H = B.Height();
    TColor32* Bits = B.Bits();
    auto Similar = [&](Integer X, Integer Y) {
        const TColor32 C = Bits[static_cast<size_t>(Y) * static_cast<size_t>(W) + static_cast<size_t>(X)];
        return Tolerance == 0 ? C == Src : ColorsSimilar(C, Src, Tolerance);
    };
    auto Paint = [&](Integer Y, Integer X1, Integer X2) {
        if (Recolour) {
            TColor32* Row = Bits + static_cast<size_t>(Y) * static_cast<size_t>(W);
            std::fill(Row + X1, Row + X2 + 1, *Recolour);
        }
        Run(Y, X1, X2);
    };
    if (Recolour && !ColorsSimilar(*Recolour, Src, Tolerance)) {
        FloodSpans(W, H, X0, Y0, Similar, Paint);
        return;
    }
    TPixelBits Done(W, H);
    FloodSpans(
        W, H, X0, Y0, [&](Integer X, Integer Y) { return !Done.Test(X, Y) && Similar(X, Y); },
        [&](Integer Y, Integer X1, Integer X2) {
            Done.SetRun(Y, X1, X2);
            Paint(Y, X1, X2);
        });
}

// Calls Fn(X, Y) for every pixel of the runs, row by row, left to right.
template <class TFn>
void ForEachRowMajor(std::vector<TFillSpan>& Spans, TFn&& Fn)
{
    std::sort(Spans.begin(), Spans.end(),
              [](const TFillSpan& A, const TFillSpan& B) { return A.Y != B.Y ? A.Y < B.Y : A.X1 < B.X1; });
    for (const TFillSpan& S : Spans)
        for (Integer X = S.X1; X <= S.X2; ++X) Fn(X, S.Y);
}

bool InsideBitmap(const TCustomBitmap32* B, Integer X, Integer Y)
{
    return B && X >= 0 && Y >= 0 && X < B->Width() && Y < B->Height();
}

// The selection the fill and the gradient keep to: none while the selection
// object has no region yet (one being drawn).
TImgSelection* RegionOf(TImgSelection* Sel) { return Sel && !Sel->RegionHandle().Empty() ? Sel : nullptr; }

// ---------------------------------------------------------------------------
// Gradient geometry

struct TStops {
    std::vector<TColor32> Colors;
    std::vector<Single> Positions;
    void Add(TColor32 C, Extended P)
    {
        Colors.push_back(C);
        Positions.push_back(static_cast<Single>(P));
    }
    size_t Last() const { return Colors.size() - 1; }
};

// The stops as the painter needs them: positions clamped to 0 .. 1 and
// never falling, the end colours held from 0 and up to 1. False when there
// is no stop, the counts differ or a position is no number.
bool CleanStops(const std::vector<TColor32>& Colors, const std::vector<Single>& Positions, TStops& Out)
{
    if (Colors.empty() || Colors.size() != Positions.size()) return false;
    Single Floor = 0;
    for (size_t i = 0; i < Colors.size(); ++i) {
        if (std::isnan(Positions[i])) return false;
        Floor = std::max(Floor, std::clamp(Positions[i], 0.0f, 1.0f));
        if (i == 0 && Floor > 0) Out.Add(Colors[0], 0);
        Out.Add(Colors[i], Floor);
    }
    if (Out.Positions.back() < 1) Out.Add(Colors.back(), 1);
    return true;
}

TFloatPoint FloatOf(const TPoint& P) { return TFloatPoint{static_cast<Single>(P.X), static_cast<Single>(P.Y)}; }
Extended Distance(const TFloatPoint& A, const TFloatPoint& B)
{
    return std::hypot(static_cast<Extended>(A.X) - B.X, static_cast<Extended>(A.Y) - B.Y);
}

// Float noise must neither push a position past its neighbours nor leave
// the ends off 0 and 1, which the painter's brushes insist on.
void SettlePositions(std::vector<Single>& Positions)
{
    Single Floor = 0;
    for (Single& P : Positions) P = Floor = std::max(Floor, std::clamp(P, 0.0f, 1.0f));
    Positions.front() = 0;
    Positions.back() = 1;
}

// Linear and reflected: the brush from D to F, the projections of the two
// raster corners furthest back and ahead along S -> E, shortened to S (or,
// reflected, to the mirror point P of E) and E where those lie outside; the
// stops laid along it.
TStops PlanLinear(TGradientPlan& Plan, const TStops& St, const TPoint& S, const TPoint& E, Integer W, Integer Ht,
                  bool Reflected)
{
    const Single A = CalcAngle(E.X, E.Y, static_cast<Single>(S.X), static_cast<Single>(S.Y));
    TPoint Back, Front;
    if (A > 0 && A <= 90) {
        Back = {0, 0};
        Front = {W, Ht};
    } else if (A > 90 && A <= 180) {
        Back = {W, 0};
        Front = {0, Ht};
    } else if (A > 180 && A <= 270) {
        Back = {W, Ht};
        Front = {0, 0};
    } else {
        Back = {0, Ht};
        Front = {W, 0};
    }
    TFloatPoint D, F;
    PerpendicularFoot(S, E, Back, D);
    PerpendicularFoot(S, E, Front, F);
    const TFloatPoint Sf = FloatOf(S), Ef = FloatOf(E);
    const TFloatPoint Pf{static_cast<Single>(2 * Int64(S.X) - E.X), static_cast<Single>(2 * Int64(S.Y) - E.Y)};
    const Extended H = Distance(Sf, Ef);
    bool BackExtension = true, FrontExtension = true;
    const TFloatPoint& BackEnd = Reflected ? Pf : Sf;
    if (Distance(BackEnd, F) >= Distance(D, F)) {
        D = BackEnd;
        BackExtension = false;
    }
    if (Distance(Ef, D) >= Distance(D, F)) {
        F = Ef;
        FrontExtension = false;
    }
    const Extended M = Distance(D, F), L = Distance(Sf, D);
    const size_t n = St.Last();
    TStops Out;
    // Before the back end its colour goes on: the first stop's, or the last
    // one's where the reflection ends.
    if (BackExtension) Out.Add(St.Colors[Reflected ? n : 0], 0);
    if (Reflected) {
        const Extended PD = Distance(Pf, D);
        for (size_t k = n; k >= 1; --k) Out.Add(St.Colors[k], ((1 - St.Positions[k]) * H + PD) / M);
    }
    for (size_t k = 0; k <= n; ++k) Out.Add(St.Colors[k], (H * St.Positions[k] + L) / M);
    if (FrontExtension) Out.Add(St.Colors[n], 1);
    Plan.Shape = gsLinear;
    Plan.Start = D;
    Plan.Finish = F;
    return Out;
}

// Path brushes run from the outline (0) to the centre (1): the stops turned
// round, and, when the drag is shorter than the radius O the brush must
// reach, squeezed into the inner H with the last colour outside.
TStops PathStops(const TStops& St, Extended H, Extended O)
{
    TStops Out;
    const size_t n = St.Last();
    if (H < O) Out.Add(St.Colors[n], 0);
    for (size_t k = 0; k <= n; ++k) {
        const Extended P = 1 - St.Positions[n - k];
        Out.Add(St.Colors[n - k], H < O ? (H * P + (O - H)) / O : P);
    }
    return Out;
}

// The largest distance from S to a corner pixel of the raster.
Extended FarthestCorner(const TFloatPoint& S, Integer W, Integer Ht)
{
    Extended O = 0;
    for (const TPoint& C : {TPoint{0, 0}, TPoint{W - 1, 0}, TPoint{0, Ht - 1}, TPoint{W - 1, Ht - 1}})
        O = std::max(O, Distance(S, FloatOf(C)));
    return O;
}
}  // namespace

TGradientPlan PlanGradient(Integer GradientType, const std::vector<TColor32>& Colors,
                           const std::vector<Single>& Positions, const TPoint& S, const TPoint& E, Integer W, Integer Ht)
{
    TGradientPlan Plan;
    TStops St;
    const bool Known = GradientType == 0 || GradientType == 1 || GradientType == 3 || GradientType == 4;
    if (!Known || W <= 0 || Ht <= 0 || S == E || !CleanStops(Colors, Positions, St)) return Plan;
    const TFloatPoint Sf = FloatOf(S);
    const Extended H = Distance(Sf, FloatOf(E));
    TStops Out;
    if (GradientType == 0 || GradientType == 3) {
        Out = PlanLinear(Plan, St, S, E, W, Ht, GradientType == 3);
    } else {
        Extended O = FarthestCorner(Sf, W, Ht);
        if (GradientType == 1) {
            // The circle covers the raster; only that part of its box is filled.
            Plan.Shape = gsRadial;
            Plan.Radius = static_cast<Single>(std::max(H, O));
        } else {
            O = static_cast<Extended>(Round(1.5 * O + 0.5));
            TPoint Q = E;
            if (H >= O) {
                O = H;
            } else {
                TFloatPoint Beyond;
                PointBeyond(S, E, static_cast<Single>(O - H), Beyond);
                Q = TPoint{static_cast<Integer>(Round(Beyond.X)), static_cast<Integer>(Round(Beyond.Y))};
            }
            const Single B = CalcAngle(Q.X, Q.Y, Sf.X, Sf.Y);
            for (Integer k = 0; k < 4; ++k)
                CalcPointByAngle(S, Plan.Corners[static_cast<size_t>(k)], B + 90.0f * k, static_cast<Single>(O));
            Plan.Shape = gsDiamond;
            Plan.Radius = static_cast<Single>(O);
        }
        Plan.Center = Sf;
        Out = PathStops(St, H, O);
    }
    Plan.Bounds = TRect{0, 0, W, Ht};
    Plan.Colors = std::move(Out.Colors);
    Plan.Positions = std::move(Out.Positions);
    SettlePositions(Plan.Positions);
    return Plan;
}

// ---------------------------------------------------------------------------
// The document's tools

void TImageDraw::FillDo(TCustomBitmap32* B32, Integer X0, Integer Y0, Integer Tolerance, TArrayOfPoint* ayPoint,
                        Integer& Count)
{
    Count = 0;
    if (ayPoint) ayPoint->clear();
    if (!InsideBitmap(B32, X0, Y0)) return;
    std::vector<TFillSpan> Spans;
    const TColor32 Color = FFillColor;
    FloodArea(*B32, X0, Y0, FFillSrcColor, Tolerance, &Color, [&](Integer Y, Integer X1, Integer X2) {
        Count += X2 - X1 + 1;
        if (ayPoint) Spans.push_back({Y, X1, X2});
    });
    if (ayPoint) {
        ayPoint->reserve(static_cast<size_t>(Count));
        ForEachRowMajor(Spans, [&](Integer X, Integer Y) { ayPoint->push_back(TPoint{X, Y}); });
    }
    B32->Changed();
}

void TImageDraw::Fill(Integer X, Integer Y, TColor Color)
{
    FFillColor = ColorToColor32(Color);
    TCustomBitmap32* Raster = FSrcBmp.get();
    if (TImgSelection* Sel = RegionOf(SelectionShape())) {
        for (const TRect& R : Sel->RegionHandle().Rects()) Raster->FillRectS(R, FFillColor);
    } else if (InsideBitmap(Raster, X, Y)) {
        FFillSrcColor = Raster->Pixel(X, Y);
        Integer Count = 0;
        FillDo(Raster, X, Y, FFillTolerance, nullptr, Count);
    } else {
        return;
    }
    Raster->Changed();
    FSrcBmpChanged = true;
    SetChanged(true);
    Draw();
}

void TImageDraw::CalcSelectionWandPoints(Integer X, Integer Y, Integer Tolerance, bool Continuous)
{
    TCustomBitmap32* Raster = FSrcBmp.get();
    TImgSelection* Sel = SelectionShape();
    if (!Sel || !InsideBitmap(Raster, X, Y)) return;
    FFillSrcColor = Raster->Pixel(X, Y);
    if (Continuous) {
        // Read only: the flood keeps its own map of what it took.
        std::vector<TFillSpan> Spans;
        FloodArea(*Raster, X, Y, FFillSrcColor, Tolerance, nullptr,
                  [&](Integer Row, Integer X1, Integer X2) { Spans.push_back({Row, X1, X2}); });
        ForEachRowMajor(Spans, [&](Integer PX, Integer PY) { Sel->AddNewPoint(PX, PY); });
    } else {
        for (Integer PY = 0; PY < Raster->Height(); ++PY)
            for (Integer PX = 0; PX < Raster->Width(); ++PX)
                if (ColorsSimilar(Raster->Pixel(PX, PY), FFillSrcColor, Tolerance)) Sel->AddNewPoint(PX, PY);
    }
    SetChanged(true);
}

void TImageDraw::GradientDo(Integer GradientType, const std::vector<TColor32>& Colors,
                            const std::vector<Single>& Positions)
{
    if (FGradientStartX == NoStartPoint) return;
    TCustomBitmap32* Raster = FSrcBmp.get();
    const TGradientPlan Plan = PlanGradient(GradientType, Colors, Positions, TPoint{FGradientStartX, FGradientStartY},
                                            TPoint{FMovedX, FMovedY}, Raster->Width(), Raster->Height());
    const bool Draws = GradientType == 0 || GradientType == 1 || GradientType == 3 || GradientType == 4;
    // A drag or stops the plan refuses leave the document as it was.
    if (Draws && Plan.Shape == gsNone) return;
    auto Paint = [&](TCustomBitmap32& Surface) {
        if (Plan.Shape != gsNone && GradientHooks.Paint) GradientHooks.Paint(Surface, Plan);
    };
    TImgSelection* Sel = RegionOf(SelectionShape());
    if (!Sel) {
        Paint(*Raster);
        Raster->Changed();
        FSrcBmpChanged = true;
    } else {
        TCustomBitmap32 T;
        T.Assign(Raster);
        TCustomBitmap32* Lifted = Sel->SelBitmap();
        const TRect Box = Sel->RegionRect();
        // Where the lifted pixels' top-left lies on the raster.
        const TPoint Origin{Box.Left - Sel->SelBitmapOX(), Box.Top - Sel->SelBitmapOY()};
        if (Lifted) {
            const TDrawMode Mode = Lifted->DrawMode();
            auto Restore = ScopeExit([&] { Lifted->SetDrawMode(Mode); });
            Lifted->SetDrawMode(dmOpaque);
            T.Draw(Origin.X, Origin.Y, Lifted);
        }
        Paint(T);
        if (Lifted) {
            // The pixels inside the region or not wholly transparent take the
            // gradient; the region's rectangles never overlap.
            TRect Area;
            const TRect LiftedArea{Origin.X, Origin.Y, Origin.X + Lifted->Width(), Origin.Y + Lifted->Height()};
            if (IntersectRects(Area, Box, LiftedArea) && IntersectRects(Area, Area, T.BoundsRect())) {
                auto Take = [&](Integer PX, Integer PY) {
                    Lifted->SetPixel(PX - Origin.X, PY - Origin.Y, T.Pixel(PX, PY));
                };
                for (Integer PY = Area.Top; PY < Area.Bottom; ++PY)
                    for (Integer PX = Area.Left; PX < Area.Right; ++PX)
                        if (AlphaOf(Lifted->Pixel(PX - Origin.X, PY - Origin.Y)) != 0) Take(PX, PY);
                for (const TRect& RR : Sel->RegionHandle().Rects()) {
                    TRect R;
                    if (!IntersectRects(R, RR, Area)) continue;
                    for (Integer PY = R.Top; PY < R.Bottom; ++PY)
                        for (Integer PX = R.Left; PX < R.Right; ++PX) Take(PX, PY);
                }
                Lifted->Changed();
            }
            Sel->SetBitmapChanged(true);
        } else {
            SrcInRegionAssignToDest(&T, Raster, TPoint{0, 0});
            FSrcBmpChanged = true;
        }
    }
    SetChanged(true);
    Draw();
}
