#include "document/ImageHLRect.h"

#include <algorithm>

#include "filters/Ras32_BlendModes.h"

namespace {
// The "Multiply" entry of the blend-mode list.
constexpr Integer MultiplyBlendIndex = 1;
}  // namespace

TImgHLRect::TImgHLRect(TShapeOwner* AOwner, Integer ShapeId, TCustomBitmap32* ABitmap)
    : TImgShape(AOwner, ShapeId, ABitmap), FTmpBmp(std::make_unique<TCustomBitmap32>())
{
    FShapeType = shHLRect;
    FControlMode = 3;
    FTmpBmp->SetDrawMode(dmCustom);
    GetBlendProc(MultiplyBlendIndex, FTmpBmp->OnPixelCombine);
}

TRect TImgHLRect::BlockRect(TCustomBitmap32* ToBitmap) const
{
    // The block is one colour: only the part over the target matters, and a
    // huge rectangle from a damaged row allocates nothing.
    TRect R = FRect;
    if (ToBitmap) {
        R.Left = Max(R.Left, 0);
        R.Top = Max(R.Top, 0);
        R.Right = Min(R.Right, ToBitmap->Width());
        R.Bottom = Min(R.Bottom, ToBitmap->Height());
    }
    if (R.Right < R.Left) R.Right = R.Left;
    if (R.Bottom < R.Top) R.Bottom = R.Top;
    return R;
}

void TImgHLRect::DrawPrepare(TCustomBitmap32* ToBitmap)
{
    TRect R = BlockRect(ToBitmap);
    FTmpBmp->SetSize(R.Right - R.Left, R.Bottom - R.Top);
    FTmpBmp->SetMasterAlpha(static_cast<Cardinal>(Max(0, Min(FOpacity, 255))));
    FTmpBmp->Clear(ColorToColor32(FFillColor));
}

TRect TImgHLRect::PictureBounds()
{
    const TRect R = BlockRect(nullptr);
    // An empty block draws nothing, but has its place.
    return TRect{R.Left, R.Top, std::max(R.Right, R.Left + 1), std::max(R.Bottom, R.Top + 1)};
}

void TImgHLRect::Draw(TCustomBitmap32* ToBitmap)
{
    TCustomBitmap32* Target = ToBitmap ? ToBitmap : FBitmap;
    if (!Target) return;
    DrawPrepare(Target);
    if (FTmpBmp->Empty()) return;
    TRect R = BlockRect(Target);
    Target->Draw(R.Left, R.Top, FTmpBmp.get());
}

void TImgHLRect::MoveShape(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    TImgShape::MoveShape(X1, Y1, X2, Y2);
    FStartX = X2;
    FStartY = Y2;
}
