// TImageDraw: cropping the document to the crop frame or the selection, and
// deleting either (the members are declared in ImageDraw.h).
#include "document/ImageDraw.h"
#include "document/ObjectRows.h"
#include "document/ImageSelection.h"

#include <utility>

using namespace ImageDrawRows;

namespace {
// Originals above this many pixels report a crop that keeps less than half
// of them, so that the caller can offer to free what is no longer needed.
constexpr Int64 LargeOriginalPixels = 2560000;
}  // namespace

TRect TImageDraw::CropSourceRect() const
{
    TRect R;
    if (CropExists()) {
        TImgShape* Frame = RowShape(FDT->GetItem(FDT->ItemCount() - 1));
        if (!Frame) return TRect{};
        R = Frame->SRect();
    } else if (TImgSelection* Sel = SelectionShape()) {
        R = Sel->RegionRect();
    } else {
        return TRect{};
    }
    // A frame dragged up or left may come with its corners swapped.
    if (R.Right < R.Left) std::swap(R.Left, R.Right);
    if (R.Bottom < R.Top) std::swap(R.Top, R.Bottom);
    R.Left = Max(R.Left, 0);
    R.Top = Max(R.Top, 0);
    R.Right = Min(R.Right, FSrcBmp->Width());
    R.Bottom = Min(R.Bottom, FSrcBmp->Height());
    return R;
}

bool TImageDraw::CropEnabled() const
{
    const TRect R = CropSourceRect();
    return R.Left < R.Right && R.Top < R.Bottom;
}

void TImageDraw::Crop()
{
    const TRect R = CropSourceRect();
    // Offered only while enabled; a call without a rectangle keeps the raster.
    if (!(R.Left < R.Right && R.Top < R.Bottom)) return;
    TCustomBitmap32 Part;
    Part.SetSize(R.Right - R.Left, R.Bottom - R.Top);
    FSrcBmp->SetDrawMode(dmOpaque);
    Part.Draw(0, 0, R, FSrcBmp.get());
    FSrcBmp->Assign(&Part);
    FSrcBmp->SetDrawMode(dmOpaque);
    FSrcBmpChanged = true;
    // A crop at the origin shifts nothing, but the raster changed all the same.
    SetChanged(true);
    ResetShapeLocation(-R.Left, -R.Top);
    InitBitmap();
    const Int64 Original = static_cast<Int64>(FOriBmp->Width()) * FOriBmp->Height();
    const Int64 Kept = static_cast<Int64>(FSrcBmp->Width()) * FSrcBmp->Height();
    if (OnProcessingDone) OnProcessingDone(this, TProcessingMode::pmCrop, Kept < Original / 2 && Original > LargeOriginalPixels);
}

bool TImageDraw::DeleteCropShape()
{
    if (!CropExists()) return false;
    if (!DeleteShapeById(IdOf(*FDT->GetItem(FDT->ItemCount() - 1)))) return false;
    FModified = true;
    ShapesDeleted();
    return true;
}

bool TImageDraw::DeleteSelectionCropShape(bool IsFlattenSelection)
{
    if (DeleteCropShape()) return true;
    if (!SelectionExists()) return false;
    if (IsFlattenSelection)
        if (auto* Sel = dynamic_cast<TImgSelection*>(RowShape(FDT->GetItem(FDT->ItemCount() - 1))))
            Sel->FlattenBitmap(false);
    if (!DeleteShapeById(IdOf(*FDT->GetItem(FDT->ItemCount() - 1)))) return false;
    FModified = true;
    ShapesDeleted();
    return true;
}

void TImageDraw::ShapeSetSize(Integer W, Integer H)
{
    if (!FCurrentShape || (FCurrentShape->Width() == W && FCurrentShape->Height() == H)) return;
    const TRect R = FCurrentShape->SRect();
    FCurrentShape->SetSRect(TRect{R.Left, R.Top, R.Left + W, R.Top + H});
    FCurrentShape->CalcPoints(false);
    SetChanged(true);
    if (OnShapeModified) OnShapeModified(this);
}
