#include "document/ImageSmall.h"

#include <algorithm>

#include "Component/Raster32/Ras32_Rasterizers.h"
#include "Component/Raster32/Ras32_Resamplers.h"
#include "document/PictureArea.h"

namespace {
// Bilinear, reading transparent beyond the picture's edge.
void UseLinearResampler(TCustomBitmap32* Bitmap)
{
    auto* R = new TLinearResampler();
    Bitmap->SetResampler(R);
    R->SetPixelAccessMode(pamTransparentEdge);
}
}  // namespace

TImgSmall::TImgSmall(TShapeOwner* AOwner, Integer ShapeId, TCustomBitmap32* ABitmap)
    : TImgShape(AOwner, ShapeId, ABitmap), FSrcBmp(std::make_unique<TCustomBitmap32>()),
      FTmpBmp(std::make_unique<TCustomBitmap32>()), FTransformation(std::make_unique<TAffineTransformation>())
{
    FShapeType = shSmall;
    TImgShape::SetControlMode(3);
    UseLinearResampler(FSrcBmp.get());
    UseLinearResampler(FTmpBmp.get());
    FTmpBmp->SetDrawMode(dmBlend);
    FTmpBmp->SetCombineMode(cmMerge);
}

TImgSmall::~TImgSmall() = default;

void TImgSmall::DrawPrepare()
{
    if (!FChanged2) return;
    FTmpBmp->SetSize(Max(Width(), 0), Max(Height(), 0));
    FTmpBmp->Clear(0);
    if (!FTmpBmp->Empty() && !FSrcBmp->Empty())
        FTmpBmp->Draw(FTmpBmp->BoundsRect(), FSrcBmp->BoundsRect(), FSrcBmp.get());
    FTmpBmp->SetMasterAlpha(static_cast<Cardinal>(EnsureRange(FOpacity, 0, 255)));
    FTransformation->SetSrcRect(TFloatRect{0, 0, static_cast<Single>(FTmpBmp->Width()),
                                           static_cast<Single>(FTmpBmp->Height())});
}

void TImgSmall::PrepareTransformation(const TRect& R)
{
    if (FAngle == 0) return;
    Single W = static_cast<Single>(R.Right - R.Left), H = static_cast<Single>(R.Bottom - R.Top);
    FTransformation->Clear();
    FTransformation->Translate(-W / 2, -H / 2);
    FTransformation->Rotate(0, 0, FAngle);
    FTransformation->Translate(R.Left + W / 2, R.Top + H / 2);
}

TRect TImgSmall::TransformedBounds()
{
    return FloatRectToRect(FTransformation->GetTransformedBounds(), rrClosest);
}

TRect TImgSmall::PictureBounds()
{
    // The picture at the rectangle's corner, as large as the rectangle or as
    // the picture last prepared.
    const Integer W = std::max({Width(), FTmpBmp->Width(), 0}), H = std::max({Height(), FTmpBmp->Height(), 0});
    if (FAngle == 0) return TRect{FRect.Left, FRect.Top, FRect.Left + std::max(W, 1), FRect.Top + std::max(H, 1)};
    // Turned about the rectangle's centre; either way round holds it.
    const TFloatPoint C{FRect.Left + (FRect.Right - FRect.Left) / 2.0f, FRect.Top + (FRect.Bottom - FRect.Top) / 2.0f};
    TPictureArea A;
    for (const Single Turn : {FAngle, -FAngle}) {
        A.SetTurn(Turn, C);
        A.AddBox(static_cast<Single>(FRect.Left), static_cast<Single>(FRect.Top), static_cast<Single>(FRect.Left + W),
                 static_cast<Single>(FRect.Top + H));
    }
    return A.Bounds(TPoint{FRect.Left, FRect.Top});
}

void TImgSmall::Draw(TCustomBitmap32* ToBitmap)
{
    TCustomBitmap32* Dst = ToBitmap ? ToBitmap : FBitmap;
    DrawPrepare();
    if (FAngle != 0) {
        PrepareTransformation(FRect);
        if (!FTmpBmp->Empty()) TransformBitmap(Dst, FTmpBmp.get(), FTransformation.get());
        FMaxRect = TransformedBounds();
    } else {
        Dst->Draw(FRect.Left, FRect.Top, FTmpBmp.get());
        FMaxRect = FRect;
    }
}

void TImgSmall::DrawByRect(TCustomBitmap32* DstBmp, Integer X, Integer Y, Integer AlphaValue)
{
    if (AlphaValue >= 0) FTmpBmp->SetMasterAlpha(static_cast<Cardinal>(Min(AlphaValue, 255)));
    if (FAngle != 0) {
        PrepareTransformation(TRect{X, Y, X + FTmpBmp->Width(), Y + FTmpBmp->Height()});
        if (!FTmpBmp->Empty()) TransformBitmap(DstBmp, FTmpBmp.get(), FTransformation.get());
    } else {
        DstBmp->Draw(X, Y, FTmpBmp.get());
    }
}

TRect TImgSmall::GetMaxRect()
{
    if (FAngle == 0) return FRect;
    FTransformation->SetSrcRect(TFloatRect{0, 0, static_cast<Single>(Width()), static_cast<Single>(Height())});
    PrepareTransformation(FRect);
    return TransformedBounds();
}

void TImgSmall::AdjustShape(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    TImgShape::AdjustShape(X1, Y1, X2, Y2);
    FDataChanged = true;
}

void TImgSmall::MoveShape(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    TImgShape::MoveShape(X1, Y1, X2, Y2);
    FStartX = X2;
    FStartY = Y2;
}

bool TImgSmall::PtInShape(Integer X, Integer Y)
{
    if (FAngle == 0) return TImgShape::PtInShape(X, Y);
    const TRect& M = FMaxRect;
    if (!(X >= M.Left && X < M.Right && Y >= M.Top && Y < M.Bottom)) return false;
    // Back into the stretched picture: transparent pixels hit too.
    PrepareTransformation(FRect);
    TPoint P = FTransformation->ReverseTransform(TPoint{X, Y});
    if (!(P.X >= 0 && P.X < FTmpBmp->Width() && P.Y >= 0 && P.Y < FTmpBmp->Height())) return false;
    FCurrentCtrIndex = -1;
    FCurrentCursor = crSizeAll;
    return true;
}
