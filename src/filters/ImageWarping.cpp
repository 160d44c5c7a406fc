#include "filters/ImageWarping.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "Component/Raster32/Ras32_Math.h"
#include "Component/Raster32/Ras32_Rasterizers.h"
#include "Component/Raster32/Ras32_Resamplers.h"

// ---------------------------------------------------------------------------
// TGenericBrush

void TGenericBrush::SetPressure(Single Value) { FPressure = std::clamp(Value, 0.0f, 1.0f); }
void TGenericBrush::SetPinch(Single Value) { FPinch = std::clamp(Value, -1.0f, 1.0f); }
void TGenericBrush::SetFeather(Single Value) { FFeather = std::clamp(Value, 0.0f, 1.0f); }

namespace {

double PinchFalloff(double D, double Pinch)
{
    if (!(D > -1 && D < 1)) return 0;
    if (Pinch == 1) return 1;
    if (Pinch == -1) return Round(D * 65536) == 0 ? 1 : 0;
    const double Q = Pinch > 0 ? 1 / (1 - Pinch) : Pinch + 1;
    return std::pow(std::fabs(1 - std::fabs(std::pow(D, Q))), 1 / Q);
}

double FeatherFalloff(double D, double Feather)
{
    if (Feather <= 0) return 1;
    return std::clamp((1 - D) / Feather, 0.0, 1.0);
}

}  // namespace

Single TGenericBrush::Weight(Single X, Single Y) const
{
    const double D = std::sqrt(static_cast<double>(X) * X + static_cast<double>(Y) * Y);
    const double W = FeatherFalloff(D, FFeather) * PinchFalloff(D, FPinch) * FPressure;
    return W >= 0 ? static_cast<Single>(std::min(W, 1.0)) : 0;
}

// ---------------------------------------------------------------------------
// TImgWarping

TImgWarping::TImgWarping(TCustomBitmap32* SrcBitmap, TCustomBitmap32* DestBitmap, TBrushTool Tool)
    : Src(std::make_unique<TCustomBitmap32>()), Dst(DestBitmap), Remapper(std::make_unique<TRemapTransformation>()),
      FGenericBrush(std::make_unique<TGenericBrush>()), TempMap(std::make_unique<TVectorMap>()), FBrushTool(Tool)
{
    if (SrcBitmap) {
        Src->SetSize(SrcBitmap->Width(), SrcBitmap->Height());
        if (!SrcBitmap->Empty())
            std::memcpy(Src->Bits(), SrcBitmap->Bits(), sizeof(TColor32) * SrcBitmap->Width() * SrcBitmap->Height());
    }
    Src->SetResampler(new TLinearResampler());
    Src->Resampler()->SetPixelAccessMode(pamSafe);
    auto Field = std::make_unique<TVectorMap>();
    Field->SetSize(Src->Width(), Src->Height());
    Remapper->SetVectorMap(std::move(Field));
    const TFloatRect Bounds = FloatRectOf(0, 0, static_cast<Single>(Src->Width()), static_cast<Single>(Src->Height()));
    Remapper->SetSrcRect(Bounds);
    Remapper->SetMappingRect(Bounds);
    for (auto& B : CurrentBrush) B = std::make_unique<TVectorMap>();
}

TImgWarping::~TImgWarping() = default;

void TImgWarping::UpdateBrush(Integer BrushSize, Integer Pressure)
{
    FGenericBrush->SetPressure(Pressure / 100.0f);
    FGenericBrush->SetPinch(0);
    FGenericBrush->SetFeather(0.12f);
    // The cell coordinates divide by the size less one: a brush needs two cells.
    const Integer Size = BrushSize >= 2 ? BrushSize : 0;
    for (auto& B : CurrentBrush) {
        B->SetSize(Size, Size);
        B->Clear();
    }
    TempMap->SetSize(Size, Size);
    BuildBrushes();
}

void TImgWarping::BuildBrushes()
{
    for (Integer Mode = btmLeft; Mode <= btmRight; ++Mode) {
        TVectorMap* B = CurrentBrush[Mode].get();
        const Integer W = B->Width(), H = B->Height();
        if (W < 2 || H < 2) continue;
        const double C = FBrushTool == btZoom ? 0.8 : FBrushTool == btFlower ? 4 : 0.2;
        for (Integer Row = 0; Row < H; ++Row)
            for (Integer Col = 0; Col < W; ++Col) {
                const double X = Col * 2.0 / (W - 1) - 1, Y = Row * 2.0 / (H - 1) - 1;
                const double Wt = FGenericBrush->Weight(static_cast<Single>(X), static_cast<Single>(Y));
                if (FBrushTool == btWarp) {
                    const TFixed V = static_cast<TFixed>(Round(Wt * 65536));
                    B->SetIntVector(Col, Row, TFixedPoint{V, V});
                    continue;
                }
                double R = std::sqrt(X * X + Y * Y), A = std::atan2(Y, X);
                const bool Left = Mode == btmLeft;
                switch (FBrushTool) {
                case btZoom: R = Left ? R - (1 - (1 - R) * C) * 0.1 : R + (1 - (1 - R) * C) * 0.1; break;
                case btTwirl: A = Left ? A + C : A - C; break;
                default: R = Left ? R * std::sin(A * C) : R * std::max(std::sin(A * C), 0.0); break;
                }
                const double Nx = R * std::cos(A), Ny = R * std::sin(A);
                B->SetIntVector(Col, Row,
                                TFixedPoint{static_cast<TFixed>(Round(((Nx + 1) * (W - 1) * 0.5 - Col) * Wt * 65536)),
                                            static_cast<TFixed>(Round(Wt * ((Ny + 1) * (H - 1) * 0.5 - Row) * 65536))});
            }
        // The warp tool pushes with the left button only: its right brush stays zero.
        if (FBrushTool == btWarp) break;
    }
}

void TImgWarping::MouseDown(TShiftState Shift, Integer X, Integer Y)
{
    if (!(Shift & (ssLeft | ssRight))) return;
    BrushMode = (Shift & ssLeft) ? btmLeft : btmRight;
    const TVectorMap* B = CurrentBrush[BrushMode].get();
    LastPos = TPoint{X - B->Width() / 2, Y - B->Height() / 2};
    FLastDelta = TFixedPoint{0, 0};
}

void TImgWarping::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    if (!(Shift & (ssLeft | ssRight))) return;
    BrushMode = (Shift & ssLeft) ? btmLeft : btmRight;
    const TVectorMap* B = CurrentBrush[BrushMode].get();
    ApplyBrushAt(TPoint{X - B->Width() / 2, Y - B->Height() / 2});
}

void TImgWarping::ApplyBrushAt(const TPoint& P)
{
    TVectorMap* B = CurrentBrush[BrushMode].get();
    TVectorMap* F = Remapper->VectorMap();
    const Integer W = B->Width(), H = B->Height(), FW = F->Width(), FH = F->Height();
    if (W < 2 || H < 2 || Src->Empty() || !Dst) return;

    const Integer Col0 = std::max(0, -P.X), Col1 = std::min(P.X + W - 1, FW - 1) - P.X;
    const Integer Row0 = std::max(0, -P.Y), Row1 = std::min(P.Y + H - 1, FH - 1) - P.Y;

    TFixed Fx = FixedOne, Fy = FixedOne;
    if (FBrushTool == btWarp) {
        // The push follows the motion from the new position back to the old,
        // halved and smoothed with the previous step.
        Fx = static_cast<TFixed>(Round((static_cast<double>(LastPos.X - P.X) * 65536 + FLastDelta.X) * 0.5));
        Fy = static_cast<TFixed>(Round((static_cast<double>(LastPos.Y - P.Y) * 65536 + FLastDelta.Y) * 0.5));
        FLastDelta = TFixedPoint{Fx, Fy};
    }

    // The step reads the field as it was before it: all cells first, then the copy.
    for (Integer Row = Row0; Row <= Row1; ++Row)
        for (Integer Col = Col0; Col <= Col1; ++Col) {
            TFixedPoint V = B->IntVector(Col, Row);
            V.X = FixedMultiply(V.X, Fx);
            V.Y = FixedMultiply(V.Y, Fy);
            const TFixedPoint U = F->FixedVectorSafe(IntToFixed(P.X + Col) + V.X, IntToFixed(P.Y + Row) + V.Y);
            TempMap->SetIntVector(Col, Row, TFixedPoint{U.X + V.X, U.Y + V.Y});
        }
    for (Integer Row = Row0; Row <= Row1; ++Row)
        for (Integer Col = Col0; Col <= Col1; ++Col) F->SetIntVector(P.X + Col, P.Y + Row, TempMap->IntVector(Col, Row));

    DstClip = TRect{P.X, P.Y, P.X + W, P.Y + H};
    Dst->FillRectS(DstClip, 0);
    Remapper->Changed();
    TransformBitmap(Dst, Src.get(), Remapper.get(), DstClip);
    LastPos = P;
}
