#include "document/ImageEffectRun.h"

// The effect runs: previews recomputed from the pristine copy, kept or put
// back; free rotation, skew and perspective of the raster; colour
// adjustment.
#include <algorithm>
#include <initializer_list>
#include <cstring>
#include <vector>

#include "Component/Raster32/Ras32_Rasterizers.h"
#include "Component/Raster32/Ras32_Resamplers.h"
#include "Component/Raster32/Ras32_Transforms.h"
#include "document/ObjectRows.h"
#include "document/ImageSelection.h"
#include "document/ImageSmall.h"
#include "filters/HyRas32Filters.h"
#include "filters/Ras32_BlendModes.h"
#include "filters/Ras32_Filters.h"
#include "filters/SharpenLib32.h"

using namespace ImageDrawRows;

namespace {
// The blend modes the recipes use, by their index in the blend-mode list.
enum : Integer { bmScreen = 2, bmOverlay = 3, bmReflect = 4, bmSoftLight = 5, bmColorBurn = 9, bmDarken = 11,
                 bmFreeze = 20 };

// The cells of an action row, and the routines a replay runs by cell 1.
namespace ActCol {
constexpr Integer UndoIndex = 0, Routine = 1, Mode = 2, Arg = 3;
// Not among the replayed arguments of EffectDo2 so far: without it a replay
// of a blend-mode row would blend by mode 0.
constexpr Integer BlendMode = 9;
}
enum : Integer { rtEffectDo = 1, rtEffectDo2 = 2, rtEffectDoDirection = 3, rtImageAdjust = 4 };
const String NewActionRow = u",,,,,,,,,,,,,,1";

// A routine's arguments from cell 3 on.
void SetArgs(TRow& Row, std::initializer_list<Integer> Values)
{
    Integer i = ActCol::Arg;
    for (Integer V : Values) SetInt(Row, i++, V);
}

// Value × Num / Den rounded to nearest, halves to even, computed exactly:
// the dialogs' percentages (50 % is alpha 128, 30 % alpha 76).
Integer RoundRatio(Integer Value, Integer Num, Integer Den)
{
    const Int64 N = Int64(Value) * Num;
    const Int64 A = N < 0 ? -N : N;
    Int64 Q = A / Den;
    const Int64 R2 = (A % Den) * 2;
    if (R2 > Den || (R2 == Den && (Q & 1) != 0)) ++Q;
    return static_cast<Integer>(N < 0 ? -Q : Q);
}
// A percentage as a layer alpha.
Byte PercentAlpha(Integer Percent) { return static_cast<Byte>(std::clamp(RoundRatio(Percent, 255, 100), 0, 255)); }

// A layer of one colour at alpha A combined over W by blend mode Mode (what
// drawing a filled layer with that pixel combine does, without the layer).
void DrawColorLayer(TCustomBitmap32& W, TColor32 Color, Byte A, Integer Mode)
{
    if (W.Empty()) return;
    const std::vector<TColor32> Row(static_cast<size_t>(W.Width()), (Color & 0x00FFFFFF) | (TColor32(A) << 24));
    for (Integer y = 0; y < W.Height(); ++y) BlendModeRows[Mode](Row.data(), W.GetPixelPtr(0, y), W.Width(), 255);
}

// Layer L (W's size), its alpha set to A, combined over W by Mode.
void DrawLayer(TCustomBitmap32& W, TCustomBitmap32& L, Byte A, Integer Mode)
{
    if (W.Empty() || L.Width() != W.Width() || L.Height() != W.Height()) return;
    L.ResetAlpha(A);
    for (Integer y = 0; y < W.Height(); ++y)
        BlendModeRows[Mode](L.GetPixelPtr(0, y), W.GetPixelPtr(0, y), W.Width(), 255);
}

std::unique_ptr<TCustomBitmap32> CopyOf(TCustomBitmap32* Src)
{
    auto B = std::make_unique<TCustomBitmap32>();
    B->Assign(Src);
    return B;
}

std::unique_ptr<TCustomBitmap32> GreyCopyOf(TCustomBitmap32& W)
{
    auto L = CopyOf(&W);
    GrayscaleBitmap(L.get(), L.get(), true);
    return L;
}

void ToneRecipe(TCustomBitmap32& W, Single Hue, Integer Value, Integer CanvasColor)
{
    SoftenBitmap(&W, 4, CanvasColor);
    AdjustContrast(&W, 60);
    AdjustHueSaturation(&W, 0, -100);
    // The tone layer's alpha is the value itself, not a percentage.
    DrawColorLayer(W, HSLToColor32(Hue, 1, 0.5f), static_cast<Byte>(std::clamp(Value, 0, 255)), bmOverlay);
    LightenBitmap(&W, -20);
    DrawColorLayer(W, 0xFFFFFFFF, 166, bmSoftLight);
}

void StyleRecipe(TCustomBitmap32& W, TCustomBitmap32* Mask, Integer Value, Integer Mode)
{
    if (!Mask || Mask->Empty() || W.Empty()) return;
    TCustomBitmap32 L;
    ResizeBitmap(Mask, &L, W.Width(), W.Height());
    DrawLayer(W, L, PercentAlpha(Value), Mode);
}

// A copy of B read through the draft resampler with transparent edges, as
// the turns and the perspective read the raster.
std::unique_ptr<TCustomBitmap32> TransformSource(TCustomBitmap32* B)
{
    auto T = CopyOf(B);
    auto* R = new TDraftResampler();
    T->SetResampler(R);
    R->SetPixelAccessMode(pamTransparentEdge);
    return T;
}

TFloatRect BoundsOf(const TCustomBitmap32& B)
{
    return TFloatRect{0, 0, static_cast<Single>(B.Width()), static_cast<Single>(B.Height())};
}

TRect TransformedBounds(TTransformation& X) { return FloatRectToRect(X.GetTransformedBounds(), rrClosest); }

// Dst sized W x H (at least 1 x 1), cleared to Fill, rendered from Src through X.
void Render(TCustomBitmap32& Dst, TCustomBitmap32& Src, TTransformation& X, Integer W, Integer H, TColor32 Fill)
{
    Dst.SetSize(Max(W, 1), Max(H, 1));
    Dst.Clear(Fill);
    TransformBitmap(&Dst, &Src, &X);
}
bool IsGeometric(TEffectMode M) { return M == emRotate || M == emSkew || M == emTransform; }
}  // namespace

TEffectRun::TEffectRun(TEffectRunDocument& Document)
    : FDocument(Document), FColorBalance(std::make_unique<TColorBalance>())
{
}

TEffectRun::~TEffectRun() = default;

// ---------------------------------------------------------------------------
// Opening a run and its work bitmaps

void TEffectRun::EffectBegin()
{
    FActionRow = std::make_unique<TRow>();
    FActionRow->Init(NewActionRow, u',');
    FEffectSelectionBitmap = false;
    FEffectSelection = false;
    FPristine.reset();
    const bool Geometric = IsGeometric(FDocument.EffectMode());
    TImgSelection* Sel = FDocument.SelectionExists() ? FDocument.SelectionShape() : nullptr;
    if (FEffectSmall && !Geometric) {
        // Without a current picture object no run opens: previews do nothing.
        if (auto* Small = dynamic_cast<TImgSmall*>(FDocument.Shape())) FPristine = CopyOf(Small->SrcBmp());
    } else if (!Geometric && Sel && Sel->SelBitmap()) {
        FEffectSelectionBitmap = true;
        FPristine = CopyOf(Sel->SelBitmap());
    } else {
        FEffectSelection = !Geometric && Sel != nullptr;
        FPristine = CopyOf(FDocument.SrcBmp());
    }
    FSrcBmpChangedAtBegin = FDocument.SrcBmpChanged();
}

TCustomBitmap32* TEffectRun::EffectTarget() const
{
    if (FEffectSmall) {
        auto* Small = dynamic_cast<TImgSmall*>(FDocument.Shape());
        return Small ? Small->SrcBmp() : nullptr;
    }
    if (FEffectSelectionBitmap) {
        TImgSelection* Sel = FDocument.SelectionShape();
        return Sel ? Sel->SelBitmap() : nullptr;
    }
    return FEffectSelection ? nullptr : FDocument.SrcBmp();
}

TCustomBitmap32* TEffectRun::EffectWorkBitmap(std::unique_ptr<TCustomBitmap32>& Owned, TPoint& Origin)
{
    Origin = TPoint{0, 0};
    if (FDocument.CustomBmp()) return FDocument.CustomBmp();
    if (!FPristine) return nullptr;
    if (FEffectSelection) {
        TImgSelection* Sel = FDocument.SelectionShape();
        Owned = Sel ? Sel->RegionToBitmap(FPristine.get(), false, false, Origin) : CopyOf(FPristine.get());
        return Owned.get();
    }
    // The target itself, its pristine pixels copied back, is the work bitmap
    // when it has the copy's size: the result is the same, and a preview on
    // a large picture saves allocating (and faulting in) a bitmap as large
    // and copying it twice.
    TCustomBitmap32* Target = EffectTarget();
    if (Target && Target->Width() == FPristine->Width() && Target->Height() == FPristine->Height()) {
        if (!Target->Empty())
            std::memcpy(Target->Bits(), FPristine->Bits(),
                        static_cast<size_t>(Target->Width()) * static_cast<size_t>(Target->Height()) * sizeof(TColor32));
        return Target;
    }
    Owned = CopyOf(FPristine.get());
    return Owned.get();
}

TRow* TEffectRun::EffectActionRow(Integer Routine)
{
    // Only whole-raster runs are replayed by batch processing.
    if (FDocument.CustomBmp() || !FPristine || !FActionRow || FEffectSmall || FEffectSelectionBitmap || FEffectSelection)
        return nullptr;
    SetInt(*FActionRow, ActCol::UndoIndex, FDocument.UndoIndex() + 1);
    SetInt(*FActionRow, ActCol::Routine, Routine);
    SetInt(*FActionRow, ActCol::Mode, FDocument.EffectMode());
    return FActionRow.get();
}

void TEffectRun::EffectWriteBack(TCustomBitmap32* W, const TPoint& Origin)
{
    if (FDocument.CustomBmp() || !W) return;
    TCustomBitmap32* Target = EffectTarget();
    if (FEffectSmall) {
        if (!Target) return;
        if (W != Target) Target->Assign(W);
        auto* Small = static_cast<TImgSmall*>(FDocument.Shape());
        Small->SetDataChanged(true);
        Small->SetChanged2(true);
    } else if (FEffectSelectionBitmap) {
        if (!Target) return;
        if (W != Target) Target->Assign(W);
        TImgSelection* Sel = FDocument.SelectionShape();
        Sel->SetBitmapChanged(true);
        Sel->SetChanged2(true);
    } else if (FEffectSelection) {
        FDocument.SrcInRegionAssignToDest(W, FDocument.SrcBmp(), Origin);
        FDocument.SetSrcBmpChanged(true);
    } else {
        if (W != Target) {
            W->SetDrawMode(dmOpaque);
            FDocument.SrcBmp()->Draw(0, 0, W);
        }
        FDocument.SrcBmp()->Changed();
        FDocument.SetSrcBmpChanged(true);
    }
}

// ---------------------------------------------------------------------------
// Previews

void TEffectRun::EffectDo(Integer Value, bool OptionChecked)
{
    std::unique_ptr<TCustomBitmap32> Owned;
    TPoint Origin;
    TCustomBitmap32* W = EffectWorkBitmap(Owned, Origin);
    if (!W) return;
    const Integer Canvas = static_cast<Integer>(FDocument.CanvasColor());
    switch (FDocument.EffectMode()) {
    case emBlur: ExponentialBlur(W, Value); break;
    case emSharpen:
        for (Integer i = 0; i < Value; ++i) SharpenBitmap(W, 0);
        break;
    case emAddNoise: AddNoise(W, 3 * Value, OptionChecked); break;
    case emDenoising: DenoiseBitmap(W, 3, Value); break;
    case emGrayscale: GrayscaleBitmap(W, W, true); break;
    case emInvert: InvertColorChannels(W, W); break;
    case emSoften: SoftenBitmap(W, Value + 1, Canvas); break;
    case emIncreaseLight: DrawColorLayer(*W, 0xFFFFFFFF, PercentAlpha(Value), bmSoftLight); break;
    case emReduceLight: DrawColorLayer(*W, 0xFF000000, PercentAlpha(Value), bmSoftLight); break;
    case emColdBlue: ToneRecipe(*W, 0.5833333f, Value, Canvas); break;
    case emColdGreen: ToneRecipe(*W, 0.4166667f, Value, Canvas); break;
    case emWarmRed: ToneRecipe(*W, 0.0277778f, Value, Canvas); break;
    case emWarmYellow: ToneRecipe(*W, 0.1388889f, Value, Canvas); break;
    case emYellowing:
        DrawColorLayer(*W, 0xFFFFFF00, static_cast<Byte>(std::clamp(RoundRatio(std::abs(Value), 175, 100), 0, 255)),
                       bmColorBurn);
        break;
    case emFreeze: {
        auto L = GreyCopyOf(*W);
        DrawLayer(*W, *L, PercentAlpha(Value), bmFreeze);
        break;
    }
    case emAttemper:
        DrawColorLayer(*W, Value > 0 ? 0xFFAA692F : 0xFF0482DF, PercentAlpha(std::abs(Value)), bmSoftLight);
        break;
    case emStyleSunshine: StyleRecipe(*W, FEffectMaskBmp, Value, bmReflect); break;
    case emStyleSunny: case emStyleDroplet: case emStyleHeart: StyleRecipe(*W, FEffectMaskBmp, Value, bmScreen); break;
    case emStyleSnow:
        ExponentialBlur(W, 2);
        LightenBitmap(W, -30);
        AdjustHueSaturation(W, 0, -50);
        StyleRecipe(*W, FEffectMaskBmp, Value, bmScreen);
        break;
    case emStyleStar: StyleRecipe(*W, FEffectMaskBmp, Value, bmSoftLight); break;
    // The mosaic dialog's cells, as the mosaic brush makes them.
    case emMosaic: PixelateBitmap(W, Value, FDocument.CanvasTransparent(), FDocument.CanvasColor()); break;
    default: break;  // no effect of this routine: the pixels stay
    }
    EffectWriteBack(W, Origin);
    TRow* Row = EffectActionRow(rtEffectDo);
    if (!Row) return;
    SetArgs(*Row, {Value});
    SetBool(*Row, ActCol::Arg + 1, OptionChecked);
    if (FDocument.EffectMode() >= emStyleSunshine && FDocument.EffectMode() <= emStyleHeart && FEffectMaskBmp && !Row->Data())
        Row->Data().Own(CopyOf(FEffectMaskBmp));
}

void TEffectRun::EffectDo2(Integer Value1, Integer Value2, Integer Value3, Integer Value4, TColor ValueColor,
                           Integer ValueBlendMode, bool OptionChecked)
{
    std::unique_ptr<TCustomBitmap32> Owned;
    TPoint Origin;
    TCustomBitmap32* W = EffectWorkBitmap(Owned, Origin);
    if (!W) return;
    switch (FDocument.EffectMode()) {
    case emMonochrome:
        GrayscaleBitmap(W, W, true);
        DrawColorLayer(*W, HSLToColor32(Value2 / 360.0f, 1, 0.5f), PercentAlpha(Value1), bmSoftLight);
        break;
    case emLomo: {
        AddNoise(W, Value2, true);
        DrawColorLayer(*W, 0xFF7F7F7F, PercentAlpha(Value3), bmFreeze);
        DrawColorLayer(*W, HSLToColor32(Value4 / 360.0f, 1, 0.5f), 60, bmSoftLight);
        TCustomBitmap32 L;
        L.SetSize(W->Width(), W->Height());
        L.Clear(0xFF000000);
        AlphaRadialFade(&L, Value1);
        for (Integer y = 0; y < W->Height(); ++y)
            BlendModeRows[bmDarken](L.GetPixelPtr(0, y), W->GetPixelPtr(0, y), W->Width(), 255);
        break;
    }
    case emGlow: {
        TCustomBitmap32 L;
        L.SetSize(W->Width(), W->Height());
        L.Clear(ColorToColor32(ValueColor));
        L.SetDrawMode(dmBlend);
        L.SetCombineMode(cmMerge);
        FadeBorderAlpha(&L, Value1, Value2);
        MultiplyAlphaInRect(&L, W, L.BoundsRect());
        W->Draw(0, 0, &L);
        break;
    }
    case emOldPhoto: {
        auto L = GreyCopyOf(*W);
        DrawColorLayer(*L, HSLToColor32(0.0833333f, 1, 0.5f), 255, bmSoftLight);
        L->ResetAlpha(PercentAlpha(Value1));
        L->SetDrawMode(dmBlend);
        L->SetCombineMode(cmMerge);
        MultiplyAlphaInRect(L.get(), W, L->BoundsRect());
        AddNoise(L.get(), Value2, true);
        W->Draw(0, 0, L.get());
        break;
    }
    case emElegant: {
        auto L = GreyCopyOf(*W);
        AdjustHueSaturation(W, 0, Value2 - 100);
        DrawLayer(*W, *L, PercentAlpha(Value1), bmOverlay);
        break;
    }
    case emBlendMode: {
        // Drawn twice on purpose: the dialog's opacity reads stronger so.
        const TColor32 C = (ColorToColor32(ValueColor) & 0x00FFFFFF) | (TColor32(PercentAlpha(Value1)) << 24);
        if (ValueBlendMode >= 0 && ValueBlendMode < BlendModeCount) {
            DrawColorLayer(*W, C, PercentAlpha(Value1), ValueBlendMode);
            DrawColorLayer(*W, C, PercentAlpha(Value1), ValueBlendMode);
        } else {
            // No combine procedure: the layer is copied over as it is.
            W->Clear(C);
        }
        break;
    }
    default: break;  // no effect of this routine: the pixels stay
    }
    EffectWriteBack(W, Origin);
    TRow* Row = EffectActionRow(rtEffectDo2);
    if (!Row) return;
    SetArgs(*Row, {Value1, Value2, Value3, Value4, ValueColor});
    SetBool(*Row, ActCol::Arg + 5, OptionChecked);
    SetInt(*Row, ActCol::BlendMode, ValueBlendMode);
}

void TEffectRun::EffectDoDirection(Integer Value, Integer Direction, bool OptionChecked)
{
    std::unique_ptr<TCustomBitmap32> Owned;
    TPoint Origin;
    TCustomBitmap32* W = EffectWorkBitmap(Owned, Origin);
    if (!W) return;
    switch (FDocument.EffectMode()) {
    case emFade: FadeEdgesAlpha(W, Value, Direction); break;
    case emTorn: RandomJaggedEdges(W, Value, Direction, OptionChecked); break;
    case emBevel: LightenEdges(W, Value, Direction); break;
    default: break;
    }
    EffectWriteBack(W, Origin);
    TRow* Row = EffectActionRow(rtEffectDoDirection);
    if (!Row) return;
    SetArgs(*Row, {Value, Direction});
    SetBool(*Row, ActCol::Arg + 2, OptionChecked);
}

// ---------------------------------------------------------------------------
// Rotation, skew and perspective: the whole raster, from the pristine copy

void TEffectRun::EffectFinishTransform()
{
    FDocument.SetSrcBmpChanged(true);
    FDocument.InitBitmap();
    FDocument.Draw();
    FDocument.ProcessingDone(TProcessingMode::pmTransform);
}

void TEffectRun::EffectDoRotate(Single RatateAngle)
{
    if (!FPristine) return;
    auto T = TransformSource(FPristine.get());
    const Single cx = T->Width() / 2.0f, cy = T->Height() / 2.0f;
    TAffineTransformation A;
    A.SetSrcRect(BoundsOf(*T));
    A.Translate(-cx, -cy);
    A.Rotate(0, 0, RatateAngle);
    A.Translate(cx, cy);
    const TRect R = TransformedBounds(A);
    const Integer W = R.Right - R.Left, H = R.Bottom - R.Top;
    A.Translate(W / 2.0f - cx, H / 2.0f - cy);
    // What the turned picture leaves uncovered is transparent.
    Render(*FDocument.SrcBmp(), *T, A, W, H, 0);
    EffectFinishTransform();
}

void TEffectRun::EffectDoSkew(Integer SkewX, Integer SkewY)
{
    if (!FPristine) return;
    auto T = TransformSource(FPristine.get());
    TAffineTransformation A;
    A.SetSrcRect(BoundsOf(*T));
    A.Skew(SkewX / 100.0f, SkewY / 100.0f);
    const TRect R = TransformedBounds(A);
    if (R.Left < 0) A.Translate(static_cast<Single>(-R.Left), 0);
    Render(*FDocument.SrcBmp(), *T, A, R.Right - R.Left, R.Bottom - R.Top, 0);
    EffectFinishTransform();
}

void TEffectRun::EffectDoTransform(Single X0, Single Y0, Single X1, Single Y1, Single X2, Single Y2, Single X3,
                                   Single Y3, Integer ScaleX, Integer ScaleY)
{
    if (!FPristine) return;
    FDocument.SrcBmp()->Assign(FPristine.get());
    // The corners where they were keep the picture: the projective pass
    // would resample it (its fixed-point mapping is off by a fraction,
    // which blurs and thins the last row's alpha).
    const bool Identity = X0 == 0 && Y0 == 0 && X1 == 1 && Y1 == 0 && X2 == 1 && Y2 == 1 && X3 == 0 && Y3 == 1;
    if (!Identity) {
        auto T = TransformSource(FPristine.get());
        const Single W0 = static_cast<Single>(T->Width()), H0 = static_cast<Single>(T->Height());
        TProjectiveTransformation P;
        P.SetSrcRect(BoundsOf(*T));
        P.SetX0(X0 * W0);
        P.SetY0(Y0 * H0);
        P.SetX1(X1 * W0);
        P.SetY1(Y1 * H0);
        P.SetX2(X2 * W0);
        P.SetY2(Y2 * H0);
        P.SetX3(X3 * W0);
        P.SetY3(Y3 * H0);
        const TRect R = TransformedBounds(P);
        Integer W = Max(R.Right - R.Left, 1), H = Max(R.Bottom - R.Top, 1);
        // The picture keeps its place: room is left for corners moved inwards.
        auto Px = [](Single F, Single Size) { return Round(static_cast<Extended>(F) * Size); };
        if (X0 * W0 > 0 && X3 * W0 > 0) W += static_cast<Integer>(Min(Px(X0, W0), Px(X3, W0)));
        if (Y0 * H0 > 0 && Y1 * H0 > 0) H += static_cast<Integer>(Min(Px(Y0, H0), Px(Y1, H0)));
        Render(*FDocument.SrcBmp(), *T, P, W, H, 0x00FFFFFF);
    }
    if (ScaleX != 100 || ScaleY != 100) {
        auto T = TransformSource(FDocument.SrcBmp());
        TAffineTransformation A;
        A.SetSrcRect(BoundsOf(*T));
        A.Scale(ScaleX / 100.0f, ScaleY / 100.0f);
        const TRect R = TransformedBounds(A);
        Render(*FDocument.SrcBmp(), *T, A, R.Right - R.Left, R.Bottom - R.Top, 0x00FFFFFF);
    }
    EffectFinishTransform();
}

// ---------------------------------------------------------------------------
// Closing a run

void TEffectRun::EffectEnd(bool IsApply)
{
    if (!FPristine) return;
    if (IsApply) {
        FDocument.SetChanged(true);
        FDocument.SaveUndo();
    } else if (FEffectSmall && !IsGeometric(FDocument.EffectMode())) {
        if (auto* Small = dynamic_cast<TImgSmall*>(FDocument.Shape())) {
            Small->SrcBmp()->Assign(FPristine.get());
            Small->SetDataChanged(true);
            Small->SetChanged2(true);
        }
        FDocument.Draw();
    } else if (FEffectSelectionBitmap) {
        if (TImgSelection* Sel = FDocument.SelectionShape()) {
            Sel->SetSelBitmap(CopyOf(FPristine.get()));
            Sel->SetBitmapChanged(true);
            Sel->SetChanged2(true);
        }
        FDocument.Draw();
    } else {
        FDocument.SrcBmp()->Assign(FPristine.get());
        FDocument.SrcBmp()->SetDrawMode(dmOpaque);
        // The raster is as it was when the run opened, change flag included.
        FDocument.SetSrcBmpChanged(FSrcBmpChangedAtBegin);
        if (IsGeometric(FDocument.EffectMode())) {
            FDocument.InitBitmap();
            FDocument.ProcessingDone(TProcessingMode::pmTransform);
        }
        FDocument.Draw();
    }
    FPristine.reset();
    FDocument.CloseActionRow(std::move(FActionRow), IsApply);
}

// ---------------------------------------------------------------------------
// Colour adjustment

void TEffectRun::ImageAdjust(Integer BrightnessAmount, Integer ContrastAmount, Integer LightnessAmount,
                             Integer SaturationAmount, Integer HueAmount, Integer BalanceRedAmount,
                             Integer BalanceGreenAmount, Integer BalanceBlueAmount, bool BalanceLuminosity)
{
    std::unique_ptr<TCustomBitmap32> Owned;
    TPoint Origin;
    TCustomBitmap32* W = EffectWorkBitmap(Owned, Origin);
    if (!W) return;
    if (BrightnessAmount != 0) LightenBitmap(W, BrightnessAmount);
    if (ContrastAmount != 0) AdjustContrast(W, ContrastAmount);
    if (HueAmount != 0 || SaturationAmount != 0) AdjustHueSaturation(W, HueAmount, SaturationAmount);
    if (LightnessAmount != 0) AdjustBrightness(W, LightnessAmount);
    if (BalanceRedAmount != 0 || BalanceGreenAmount != 0 || BalanceBlueAmount != 0) {
        FColorBalance->SetTransferMode(tmMidtones);
        FColorBalance->SetSourceBitmap(W);
        FColorBalance->SetPreserveLuminosity(BalanceLuminosity);
        FColorBalance->SetCyanRed(BalanceRedAmount);
        FColorBalance->SetMagentaGreen(BalanceGreenAmount);
        FColorBalance->SetYellowBlue(BalanceBlueAmount);
        FColorBalance->Execute(W);
    }
    EffectWriteBack(W, Origin);
    // A batch's own picture is no change of the open document.
    if (FDocument.CustomBmp()) return;
    if (TRow* Row = EffectActionRow(rtImageAdjust)) {
        SetArgs(*Row, {BrightnessAmount, ContrastAmount, LightnessAmount, SaturationAmount, HueAmount,
                       BalanceRedAmount, BalanceGreenAmount, BalanceBlueAmount});
        SetBool(*Row, ActCol::Arg + 8, BalanceLuminosity);
    }
    FDocument.SetChanged(true);
}
