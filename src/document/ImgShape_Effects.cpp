// The effect routines of TImgShape: reading their settings from an object
// row, and building and drawing the edging glow, the shadow, the reflection
// and the shadow's reflection.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "document/ImageEffects.h"
#include "document/ImgShape.h"
#include "document/ObjectRows.h"
#include "filters/HyRas32Filters.h"
#include "filters/SharpenLib32.h"

using namespace ImageDrawRows;

namespace {
std::unique_ptr<TCustomBitmap32> NewEffectBitmap()
{
    auto B = std::make_unique<TCustomBitmap32>();
    B->SetDrawMode(dmBlend);
    B->SetCombineMode(cmMerge);
    return B;
}

// Settings come from documents made elsewhere: a blur of a billion passes
// would hang the program and an effect bitmap the size of a billion pixels
// would exhaust memory. Beyond these bounds the effect is drawn with the
// bound (blur) or not at all (size).
// The smoothing of one effect bitmap is held to MaxSmoothWork pixel steps
// (under a second): a few bytes of row can ask for a large object with the
// widest blur, and a larger bitmap then gets fewer passes (an object of three
// megapixels still gets all of them).
constexpr Integer MaxBlurPasses = 100;
constexpr Int64 MaxEffectSide = 32768, MaxEffectPixels = Int64(32) << 20, MaxSmoothWork = Int64(1) << 28,
                MinEffectLimit = Int64(4) << 20;
Integer Passes(Integer BlurSize) { return std::clamp(BlurSize, 0, MaxBlurPasses); }
Integer Passes(Integer BlurSize, const TCustomBitmap32& Bitmap)
{
    const Int64 Pixels = std::max<Int64>(Int64(Bitmap.Width()) * Bitmap.Height(), 1);
    return static_cast<Integer>(std::min<Int64>(Passes(BlurSize), std::max<Int64>(MaxSmoothWork / Pixels, 1)));
}
bool EffectSizeOk(Int64 W, Int64 H) { return W > 0 && H > 0 && W <= MaxEffectSide && H <= MaxEffectSide && W * H <= MaxEffectPixels; }

// Where an effect bitmap goes, summed without overflow: anything that far
// off draws nothing anyway.
Integer Place(Int64 V) { return static_cast<Integer>(std::clamp<Int64>(V, -(Int64(1) << 30), Int64(1) << 30)); }

Cardinal ScaledAlpha(Integer Alpha, Integer Opacity)
{
    const Extended A = Round(Alpha * (static_cast<Extended>(Opacity) / 255));
    return static_cast<Cardinal>(std::clamp<Extended>(A, 0, 255));
}
}  // namespace

void TImgShape::ReadEffectColumns(const TRow& Row)
{
    FColor = IntOf(Row, 14);
    FFillColor = IntOf(Row, 15);
    FOpacity = IntOf(Row, 16);
    FOutWidth = IntOf(Row, 18);
    FIsOutline = BoolOf(Row, 20);
    FIsFill = BoolOf(Row, 21);
    FPenStyle = IntOf(Row, 22);
    FShadowMode = IntOf(Row, 27);
    FReflectMode = IntOf(Row, 28);
    FGradientMode = IntOf(Row, 29);
    if (Row.ItemCount() <= 70) return;
    FShadowAngle = IntOf(Row, 70);
    FShadowDistance = IntOf(Row, 71);
    FShadowZoomValue = IntOf(Row, 72);
    FShadowBlurSize = IntOf(Row, 73);
    FShadowColor = IntOf(Row, 74);
    FShadowOpacity = IntOf(Row, 75);
    FShadowInner = BoolOf(Row, 76);
    FReflectDistance = IntOf(Row, 81);
    FReflectBlurSize = IntOf(Row, 83);
    FReflectOpacity = IntOf(Row, 85);
    FReflectHeight = IntOf(Row, 86);
    FGradientHatchMode = IntOf(Row, 87);
    FGradientHatchForeColor = IntOf(Row, 88);
    FGradientHatchBackColor = IntOf(Row, 89);
    FGradientColor = TextOf(Row, 90);
    FGradientOpacity = TextOf(Row, 91);
    FGradientPosition = TextOf(Row, 92);
    FGradientFillMode = IntOf(Row, 95);
    FGradientLinearAngle = IntOf(Row, 96);
    FGradientTextureFileName = UnescapeCellText(TextOf(Row, 97));
    FGradientEdgingWidth = IntOf(Row, 98);
    // The glow divides by its width.
    if (FGradientEdgingWidth == 0) FGradientEdgingWidth = 15;
    FGradientGammaCorrected = BoolOf(Row, 99);
    FChanged2 = true;
}

Integer TImgShape::EffectExtendLength(Integer BlurSize)
{
    Int64 E = Int64(std::clamp(FOutWidth, 0, static_cast<Integer>(MaxEffectSide))) / 2 + Passes(BlurSize) + 9;
    if (FShapeType == shCallout && (FStyleId == 1 || FStyleId == 8 || FStyleId == 9)) E += GetMaxLengthOfOutPoint();
    return static_cast<Integer>(std::clamp<Int64>(E, 0, MaxEffectSide));
}

TRect TImgShape::EffectRect(Integer E) const
{
    const TRect R = GetRotateRect();
    const Int64 L = Int64(R.Left) - E, T = Int64(R.Top) - E;
    const Int64 W = Int64(R.Right) + E - L, H = Int64(R.Bottom) + E - T;
    // Too large (or turned inside out): an empty rectangle, so no effect. An
    // effect many times the raster it is drawn on shows little of itself: it
    // is held to four times the raster (at least MinEffectLimit), so that its
    // work follows the document's size, not a few bytes of row.
    const Int64 Limit = FBitmap ? std::max<Int64>(4 * Int64(FBitmap->Width()) * FBitmap->Height(), MinEffectLimit)
                                : MaxEffectPixels;
    if (!EffectSizeOk(W, H) || W * H > Limit) return TRect{R.Left, R.Top, R.Left, R.Top};
    return TRect{static_cast<Integer>(L), static_cast<Integer>(T), static_cast<Integer>(L + W),
                 static_cast<Integer>(T + H)};
}

void TImgShape::DrawCentred(TCustomBitmap32& Scratch, Integer E)
{
    const TRect R = EffectRect(E);
    const Integer W = R.Right - R.Left, H = R.Bottom - R.Top;
    if (W <= 0 || H <= 0 || Scratch.Width() != W || Scratch.Height() != H) return;
    const Extended cx = W / 2.0L, cy = H / 2.0L;
    const Extended ox = FRect.Left + (FRect.Right - FRect.Left) / 2.0L;
    const Extended oy = FRect.Top + (FRect.Bottom - FRect.Top) / 2.0L;
    const Integer DX = static_cast<Integer>(Round(cx - ox)), DY = static_cast<Integer>(Round(cy - oy));
    OffsetShape(DX, DY);
    // The object goes back even when its Draw fails.
    auto Back = ScopeExit([&] { OffsetShape(-DX, -DY); });
    Draw(&Scratch);
}

void TImgShape::PrepareGradientEdging()
{
    // Also built when missing (the settings changed without the flags).
    if (FGradientMode == -1 || FGradientFillMode != 3 || !FIsOutline || !(FChanged2 || FRotated2 || !FGradientEdgingBmp))
        return;
    if (!FGradientEdgingBmp) FGradientEdgingBmp = NewEffectBitmap();
    FGradientEdgingBmp->SetMasterAlpha(static_cast<Cardinal>(std::clamp(FOpacity / 2, 0, 255)));
    Integer E = 1;
    if (FShapeType == shCallout && (FStyleId == 1 || FStyleId == 8 || FStyleId == 9))
        E = GetMaxLengthOfOutPoint() + 1;
    FGradientEdgingExtendLength = E;
    // Beyond the bitmap's own size a wider glow changes nothing.
    const TRect ER = EffectRect(E);
    const Integer Width = std::clamp(FGradientEdgingWidth, 1,
                                     std::max(1, (ER.Right - ER.Left) + (ER.Bottom - ER.Top)));

    const TRect& R = ER;
    TCustomBitmap32 A, B;
    for (TCustomBitmap32* Bmp : {&A, &B, FGradientEdgingBmp.get()}) {
        Bmp->SetSize(R.Right - R.Left, R.Bottom - R.Top);
        Bmp->Clear(0);
    }
    // The three pictures are drawn with the draw mode put back whatever happens.
    auto Mode = ScopeExit([&] { FDrawMode2 = 0; });
    FDrawMode2 = 1;
    DrawCentred(A, E);
    FDrawMode2 = 2;
    DrawCentred(B, E);
    FDrawMode2 = 3;
    DrawCentred(*FGradientEdgingBmp, E);
    FDrawMode2 = 0;
    MakeEdgingGlow(A, B, *FGradientEdgingBmp, Width);
}

void TImgShape::PrepareShadow()
{
    if (FShadowMode == -1 || !(FChanged2 || FRotated2 || !FShadowBmp)) return;
    if (!FShadowBmp) FShadowBmp = NewEffectBitmap();
    FShadowBmp->SetMasterAlpha(ScaledAlpha(FShadowOpacity, FOpacity));
    if (FShadowDistance != 0) {
        const Extended a = FShadowAngle * std::numbers::pi_v<Extended> / 180;
        const Extended D = std::clamp<Integer>(FShadowDistance, -static_cast<Integer>(MaxEffectSide),
                                               static_cast<Integer>(MaxEffectSide));
        FShadowOffsetAngleLeft = static_cast<Integer>(Round(std::cos(a) * D));
        FShadowOffsetAngleTop = static_cast<Integer>(Round(std::sin(a) * D));
    } else {
        FShadowOffsetAngleLeft = FShadowOffsetAngleTop = 0;
    }
    FShadowExtendLength = EffectExtendLength(FShadowBlurSize);
    const TColor32 Shadow = ColorToColor32(FShadowColor);
    TCustomBitmap32 S;
    const TRect R = EffectRect(FShadowExtendLength);
    S.SetSize(R.Right - R.Left, R.Bottom - R.Top);
    S.Clear(Shadow & 0x00FFFFFF);
    DrawCentred(S, FShadowExtendLength);
    FillColorKeepAlpha(&S, Shadow);
    FShadowOffsetZoomLeft = ShadowZoomGrowth(S.Width(), FShadowZoomValue);
    FShadowOffsetZoomTop = ShadowZoomGrowth(S.Height(), FShadowZoomValue);
    const Int64 W = std::max<Int64>(S.Width() + Int64(2) * FShadowOffsetZoomLeft, 0);
    const Int64 H = std::max<Int64>(S.Height() + Int64(2) * FShadowOffsetZoomTop, 0);
    if (!EffectSizeOk(W, H)) {
        // Zoomed beyond reason (or to nothing): no shadow.
        FShadowBmp->SetSize(0, 0);
        FShadowOffsetZoomLeft = FShadowOffsetZoomTop = 0;
    } else if (FShadowZoomValue != 0 && !S.Empty()) {
        ResizeBitmap(&S, FShadowBmp.get(), static_cast<Integer>(W), static_cast<Integer>(H));
    } else {
        FShadowBmp->SetSize(S.Width(), S.Height());
        if (!S.Empty()) {
            S.SetDrawMode(dmOpaque);
            FShadowBmp->Draw(0, 0, &S);
        }
    }
    // ResizeBitmap keeps its source's draw mode, not ours.
    FShadowBmp->SetDrawMode(dmBlend);
    FShadowBmp->SetCombineMode(cmMerge);
    SmoothBitmap(FShadowBmp.get(), Passes(FShadowBlurSize, *FShadowBmp));
    if (FShadowOffsetAngleLeft < 0) ++FShadowOffsetAngleLeft;
    if (FShadowOffsetAngleTop < 0) ++FShadowOffsetAngleTop;
}

// Where each effect bitmap goes: the turned rectangle's corner moved by the
// effect's offsets, less its margin.
TPoint TImgShape::ShadowOrigin() const
{
    const TRect R = GetRotateRect();
    return TPoint{Place(Int64(R.Left) + FShadowOffsetAngleLeft - FShadowExtendLength - FShadowOffsetZoomLeft),
                  Place(Int64(R.Top) + FShadowOffsetAngleTop - FShadowExtendLength - FShadowOffsetZoomTop)};
}

TPoint TImgShape::ReflectionOrigin() const
{
    const TRect R = GetRotateRect();
    return TPoint{Place(Int64(R.Left) - FReflectExtendLength),
                  Place(Int64(R.Bottom) + FReflectDistance - FReflectExtendLength)};
}

TPoint TImgShape::ShadowReflectionOrigin() const
{
    const TRect R = GetRotateRect();
    return TPoint{
        Place(Int64(R.Left) + FShadowOffsetAngleLeft - FShadowExtendLength - FShadowOffsetZoomLeft),
        Place(Int64(R.Bottom) + FShadowOffsetAngleTop + FReflectDistance - FShadowExtendLength - FShadowOffsetZoomTop)};
}

void TImgShape::DrawShadow(TCustomBitmap32* ToBitmap)
{
    if (FShadowMode == -1 || !FShadowBmp) return;
    TCustomBitmap32* Target = ToBitmap ? ToBitmap : FBitmap;
    if (!Target) return;
    const TPoint P = ShadowOrigin();
    FShadowBmp->DrawTo(Target, P.X, P.Y);
}

void TImgShape::PrepareReflection()
{
    if (FReflectMode == -1) return;
    if (FChanged2 || FRotated2 || !FReflectBmp) {
        if (!FReflectBmp) FReflectBmp = NewEffectBitmap();
        FReflectBmp->SetMasterAlpha(ScaledAlpha(FReflectOpacity, FOpacity));
        FReflectExtendLength = EffectExtendLength(FReflectBlurSize);
        TCustomBitmap32 S;
        const TRect R = EffectRect(FReflectExtendLength);
        S.SetSize(R.Right - R.Left, R.Bottom - R.Top);
        S.Clear(0x00999999);
        DrawCentred(S, FReflectExtendLength);
        S.FlipVert();
        FReflectBmp->SetSize(S.Width(), S.Height());
        if (!S.Empty()) {
            S.SetDrawMode(dmOpaque);
            FReflectBmp->Draw(0, 0, &S);
        }
        SmoothBitmap(FReflectBmp.get(), Passes(FReflectBlurSize, *FReflectBmp));
        FadeReflection(*FReflectBmp, FReflectHeight);
    }
}

void TImgShape::DrawReflection(TCustomBitmap32* ToBitmap)
{
    if (FReflectMode == -1) return;
    PrepareReflection();
    PlaceReflection(ToBitmap);
}

void TImgShape::PlaceReflection(TCustomBitmap32* ToBitmap)
{
    TCustomBitmap32* Target = ToBitmap ? ToBitmap : FBitmap;
    if (FReflectMode == -1 || !FReflectBmp || !Target) return;
    const TPoint P = ReflectionOrigin();
    FReflectBmp->DrawTo(Target, P.X, P.Y);
}

void TImgShape::PrepareShadowReflection()
{
    if (FShadowMode == -1 || FReflectMode == -1 || !FShadowBmp) return;
    if (FChanged2 || FRotated2 || !FShadowReflectBmp) {
        if (!FShadowReflectBmp) FShadowReflectBmp = NewEffectBitmap();
        FShadowReflectBmp->Assign(FShadowBmp.get());
        FShadowReflectBmp->SetDrawMode(FShadowBmp->DrawMode());
        FShadowReflectBmp->SetCombineMode(FShadowBmp->CombineMode());
        FShadowReflectBmp->SetMasterAlpha(ScaledAlpha(FReflectOpacity, static_cast<Integer>(FShadowBmp->MasterAlpha())));
        FShadowReflectBmp->FlipVert();
        SmoothBitmap(FShadowReflectBmp.get(), Passes(FReflectBlurSize, *FShadowReflectBmp));
        FadeReflection(*FShadowReflectBmp, FReflectHeight);
    }
}

void TImgShape::DrawShadowReflection(TCustomBitmap32* ToBitmap)
{
    if (FShadowMode == -1 || FReflectMode == -1 || !FShadowBmp) return;
    PrepareShadowReflection();
    PlaceShadowReflection(ToBitmap);
}

void TImgShape::PlaceShadowReflection(TCustomBitmap32* ToBitmap)
{
    TCustomBitmap32* Target = ToBitmap ? ToBitmap : FBitmap;
    if (FShadowMode == -1 || FReflectMode == -1 || !FShadowBmp || !FShadowReflectBmp || !Target) return;
    const TPoint P = ShadowReflectionOrigin();
    FShadowReflectBmp->DrawTo(Target, P.X, P.Y);
}

void TImgShape::PrepareEffects()
{
    PrepareGradientEdging();
    PrepareShadow();
    PrepareShadowReflection();
    PrepareReflection();
}

void TImgShape::DrawEffectBitmaps(TCustomBitmap32* ToBitmap)
{
    PlaceShadowReflection(ToBitmap);
    PlaceReflection(ToBitmap);
    DrawShadow(ToBitmap);
}

bool TImgShape::DrawnBounds(bool WithEffects, TRect& Bounds)
{
    Bounds = PictureBounds();
    if (Bounds.Right <= Bounds.Left || Bounds.Bottom <= Bounds.Top) return false;
    if (!WithEffects) return true;
    auto Add = [&](const TCustomBitmap32* B, const TPoint& P) {
        if (!B || B->Empty()) return;
        const TRect R{P.X, P.Y, static_cast<Integer>(std::min<Int64>(Int64(P.X) + B->Width(), Int64(1) << 30)),
                      static_cast<Integer>(std::min<Int64>(Int64(P.Y) + B->Height(), Int64(1) << 30))};
        Bounds = TRect{std::min(Bounds.Left, R.Left), std::min(Bounds.Top, R.Top), std::max(Bounds.Right, R.Right),
                       std::max(Bounds.Bottom, R.Bottom)};
    };
    if (FShadowMode != -1) {
        Add(FShadowBmp.get(), ShadowOrigin());
        if (FReflectMode != -1 && FShadowBmp) Add(FShadowReflectBmp.get(), ShadowReflectionOrigin());
    }
    if (FReflectMode != -1) Add(FReflectBmp.get(), ReflectionOrigin());
    return true;
}

bool TImgShape::DrawPicture(TCustomBitmap32* Target)
{
    // A picture larger than this is not kept: the memory of a few such
    // objects would outweigh the time saved.
    constexpr Int64 MaxPicturePixels = Int64(4) << 20;
    if (!CachesPicture()) {
        FPicture.reset();
        return false;
    }
    const TRect R = PictureBounds();
    const Int64 W = Int64(R.Right) - R.Left, H = Int64(R.Bottom) - R.Top;
    if (!Target || W <= 0 || H <= 0 || W * H > MaxPicturePixels) {
        FPicture.reset();
        return false;
    }
    if (!FPicture || FChanged2 || FRotated2 || FPictureOrigin != TPoint{R.Left, R.Top} ||
        FPicture->Width() != W || FPicture->Height() != H) {
        if (!FPicture) FPicture = NewEffectBitmap();
        FPicture->SetSize(static_cast<Integer>(W), static_cast<Integer>(H));
        FPicture->Clear(0);
        FPictureOrigin = TPoint{R.Left, R.Top};
        OffsetShape(-R.Left, -R.Top);
        auto Back = ScopeExit([&] { OffsetShape(R.Left, R.Top); });
        Draw(FPicture.get());
    }
    FPicture->DrawTo(Target, FPictureOrigin.X, FPictureOrigin.Y);
    return true;
}
