// TImageDraw: commands on the objects as a group (deleting, z-order,
// aligning, moving, shifting) and on the raster as a whole (turning,
// mirroring, resizing, the canvas). The members are declared in ImageDraw.h.
#include "document/ImageDraw.h"
#include "document/ObjectRows.h"

#include <algorithm>

#include "document/ImageSmall.h"
#include "filters/HyRas32Filters.h"

using namespace ImageDrawRows;

namespace {
constexpr Integer VkLeft = 37, VkUp = 38, VkRight = 39, VkDown = 40;

bool IsFrameKind(TShapeType Kind) { return Kind == shCrop || Kind == shSelection; }

// A fixed or selected object at the end of the table that a step forward
// (or backward) would move towards: it and those beyond it stay.
bool HeldInPlace(const TImgShape* Shape) { return Shape && (Shape->Fixed() || Shape->Selected()); }

Integer IndexOfRow(const TDataTable& Table, const TRow* Row)
{
    for (Integer i = 0; i < Table.ItemCount(); ++i)
        if (Table.GetItem(i) == Row) return i;
    return -1;
}
}  // namespace

// ---------------------------------------------------------------------------
// Deleting

void TImageDraw::ShapesDeleted()
{
    SetChanged(true);
    ShapeSelectStateChanged(true);
}

bool TImageDraw::DeleteShapeById(Integer Id)
{
    if (Id < 0) return false;
    const Integer Index = IndexOfShapeId(Id);
    if (Index < 0) return false;
    if (TImgShape* Shape = RowShape(FDT->GetItem(Index))) {
        Shape->UnSelect();
        if (Shape == FCurrentShape) SetCurrentShape(-1);
    } else if (Id == FShapeId) {
        SetCurrentShape(-1);
    }
    FSelectedIds->RemoveItemByValue(Id);
    FDT->RemoveItemByIndex(Index);
    return true;
}

void TImageDraw::DeleteShapes(const TRow& Ids)
{
    bool Deleted = false;
    for (Integer k = 0; k < Ids.ItemCount(); ++k) Deleted = DeleteShapeById(Ids.GetItem(k)->Value()) || Deleted;
    if (Deleted) ShapesDeleted();
}

void TImageDraw::DeleteShapes()
{
    TRow Ids;
    for (Integer i = FDT->ItemCount() - 1; i >= 0; --i) {
        TImgShape* Shape = RowShape(FDT->GetItem(i));
        if (Shape && Shape->Selected()) Ids.AddItem(Shape->Id());
    }
    DeleteShapes(Ids);
}

// ---------------------------------------------------------------------------
// Z-order

Integer TImageDraw::TopArrangeIndex() const
{
    Integer Top = FDT->ItemCount() - 1;
    if (Top >= 0) {
        TImgShape* Shape = RowShape(FDT->GetItem(Top));
        if (Shape && IsFrameKind(Shape->ShapeType())) --Top;
    }
    return Top;
}

std::vector<TRow*> TImageDraw::ArrangedRows() const
{
    std::vector<TRow*> Rows;
    for (Integer i = 0; i <= TopArrangeIndex(); ++i) {
        TImgShape* Shape = RowShape(FDT->GetItem(i));
        if (Shape && Shape->Selected() && !IsFrameKind(Shape->ShapeType())) Rows.push_back(FDT->GetItem(i));
    }
    return Rows;
}

void TImageDraw::BringToFront()
{
    if (ShapeEditableCount() < 2) return;
    // Bottom to top, each to the top: they keep their order above the others.
    for (TRow* Row : ArrangedRows()) FDT->MoveItem(IndexOfRow(*FDT, Row), TopArrangeIndex());
    SetChanged(true);
}

void TImageDraw::SendToBack()
{
    if (ShapeEditableCount() < 2) return;
    std::vector<TRow*> Rows = ArrangedRows();
    for (auto It = Rows.rbegin(); It != Rows.rend(); ++It) FDT->MoveItem(IndexOfRow(*FDT, *It), 0);
    SetChanged(true);
}

void TImageDraw::BringForward()
{
    if (ShapeEditableCount() < 2) return;
    // The run at the top cannot climb; below it each selected row climbs one
    // place, so that adjacent selected rows climb together.
    Integer i = TopArrangeIndex();
    while (i >= 0 && HeldInPlace(RowShape(FDT->GetItem(i)))) --i;
    for (; i >= 0; --i) {
        TImgShape* Shape = RowShape(FDT->GetItem(i));
        if (!Shape || !Shape->Selected()) continue;
        FDT->MoveItem(i, i + 1);
        SetChanged(true);
    }
}

void TImageDraw::SendBackward()
{
    if (ShapeEditableCount() < 2) return;
    const Integer Top = TopArrangeIndex();
    Integer i = 0;
    while (i <= Top && HeldInPlace(RowShape(FDT->GetItem(i)))) ++i;
    for (; i <= Top; ++i) {
        TImgShape* Shape = RowShape(FDT->GetItem(i));
        if (!Shape || !Shape->Selected()) continue;
        FDT->MoveItem(i, i - 1);
        SetChanged(true);
    }
}

// ---------------------------------------------------------------------------
// Aligning and moving

void TImageDraw::AlignShape(Integer Mode)
{
    std::vector<TImgShape*> Shapes;
    for (Integer i = 0; i < FDT->ItemCount(); ++i) {
        TImgShape* Shape = RowShape(FDT->GetItem(i));
        if (Shape && Shape->Selected()) Shapes.push_back(Shape);
    }
    if (Shapes.empty()) return;
    TRect R{0, 0, FBitmap->Width(), FBitmap->Height()};
    if (Shapes.size() > 1) {
        R = Shapes.front()->SRect();
        for (TImgShape* Shape : Shapes) {
            const TRect& S = Shape->SRect();
            R = TRect{Min(R.Left, S.Left), Min(R.Top, S.Top), Max(R.Right, S.Right), Max(R.Bottom, S.Bottom)};
        }
    }
    for (TImgShape* Shape : Shapes) {
        // The unturned rectangle, so that a turned object aligns as drawn unturned.
        const TRect& S = Shape->SRect();
        switch (Mode) {
        case 0: Shape->OffsetShape(R.Left - S.Left, 0); break;
        case 1: Shape->OffsetShape(R.Left + (R.Right - R.Left) / 2 - (S.Right - S.Left) / 2 - S.Left, 0); break;
        case 2: Shape->OffsetShape(R.Right - S.Right, 0); break;
        case 3: Shape->OffsetShape(0, R.Top - S.Top); break;
        case 4: Shape->OffsetShape(0, R.Top + (R.Bottom - R.Top) / 2 - (S.Bottom - S.Top) / 2 - S.Top); break;
        case 5: Shape->OffsetShape(0, R.Bottom - S.Bottom); break;
        default: break;
        }
    }
    SetChanged(true);
}

void TImageDraw::MoveShapes(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    for (Integer i = FDT->ItemCount() - 1; i >= 0; --i) {
        TImgShape* Shape = RowShape(FDT->GetItem(i));
        if (Shape && Shape->Selected()) Shape->MoveShape(X1, Y1, X2, Y2);
    }
    FModified = true;
    // A drag step: only what changed within the view is composed again (on
    // a large picture a whole composition takes longer than a mouse step).
    DrawChanged(VisibleImageRect());
    SetChanged(true);
}

void TImageDraw::MoveShapesOver(Integer DX, Integer DY)
{
    for (Integer i = FDT->ItemCount() - 1; i >= 0; --i) {
        TImgShape* Shape = RowShape(FDT->GetItem(i));
        if (Shape && Shape->Selected()) Shape->MoveShapeOver(DX, DY);
    }
}

void TImageDraw::MoveShapeByArrowKey(Integer Key)
{
    Integer dx = 0, dy = 0;
    switch (Key) {
    case VkLeft: dx = -1; break;
    case VkUp: dy = -1; break;
    case VkRight: dx = 1; break;
    case VkDown: dy = 1; break;
    default: return;
    }
    for (Integer i = FDT->ItemCount() - 1; i >= 0; --i) {
        TImgShape* Shape = RowShape(FDT->GetItem(i));
        // A crop frame or selection moves whether selected or not.
        if (!Shape || !(Shape->Selected() || IsFrameKind(Shape->ShapeType()))) continue;
        Shape->OffsetShape(dx, dy);
        Shape->MoveShapeOver(dx, dy);
        SetChanged(true);
    }
    if (ObjectSelectedCount() == 1 && OnShapeModified) OnShapeModified(this);
}

void TImageDraw::ResetShapeLocation(Integer dx, Integer dy)
{
    if (dx == 0 && dy == 0) return;
    for (Integer i = FDT->ItemCount() - 1; i >= 0; --i)
        if (TImgShape* Shape = RowShape(FDT->GetItem(i))) Shape->OffsetShape(dx, dy);
    for (Integer i = 0; i < FHorzGuidesRow->ItemCount(); ++i) {
        TCell* Guide = FHorzGuidesRow->GetItem(i);
        Guide->SetValue(Guide->Value() + dy);
    }
    for (Integer i = 0; i < FVertGuidesRow->ItemCount(); ++i) {
        TCell* Guide = FVertGuidesRow->GetItem(i);
        Guide->SetValue(Guide->Value() + dx);
    }
    SetChanged(true);
}

Integer TImageDraw::GetShapeIdByName(const String& ShapeName) const
{
    for (Integer i = 0; i < FDT->ItemCount(); ++i) {
        TRow* Row = FDT->GetItem(i);
        if (Row->ItemCount() > ObjCol::Name && Row->GetItem(ObjCol::Name)->Text() == ShapeName) return IdOf(*Row);
    }
    return -1;
}

void TImageDraw::SetPencilEditable(bool Value)
{
    FPencilEditable = Value;
    for (Integer i = 0; i < FDT->ItemCount(); ++i) {
        TImgShape* Shape = RowShape(FDT->GetItem(i));
        if (Shape && Shape->ShapeType() == shLines) Shape->SetFixed(!Value);
    }
}

// ---------------------------------------------------------------------------
// The raster

void TImageDraw::Rotate(Integer Mode)
{
    if (Mode == 0) FSrcBmp->Rotate270();
    else if (Mode == 1) FSrcBmp->Rotate90();
    else FSrcBmp->Rotate180();
    FSrcBmpChanged = true;
    InitBitmap();
    SetChanged(true);
    if (OnProcessingDone) OnProcessingDone(this, TProcessingMode::pmTransform, false);
}

void TImageDraw::Flip(Integer Mode)
{
    if (Mode == 0) FSrcBmp->FlipHorz();
    else FSrcBmp->FlipVert();
    FSrcBmpChanged = true;
    SetChanged(true);
}

bool TImageDraw::ResizeImage(Integer W, Integer H)
{
    if (W < 1 || H < 1 || (W == FSrcBmp->Width() && H == FSrcBmp->Height())) return false;
    ResizeBitmap(FSrcBmp.get(), FSrcBmp.get(), W, H);
    FSrcBmpChanged = true;
    SetChanged(true);
    return true;
}

namespace {
// Raster becomes W x H of the canvas colour with its old pixels at (X, Y).
void PlaceOnCanvas(TCustomBitmap32& Raster, Integer W, Integer H, Integer X, Integer Y, TColor32 Canvas)
{
    TCustomBitmap32 Old;
    Old.Assign(&Raster);
    Old.SetDrawMode(dmOpaque);
    Raster.SetSize(W, H);
    Raster.Clear(Canvas);
    Raster.Draw(X, Y, &Old);
}
}  // namespace

bool TImageDraw::ResizeCanvas(Integer W, Integer H)
{
    if (W < 1 || H < 1 || (W == FBitmap->Width() && H == FBitmap->Height())) return false;
    PlaceOnCanvas(*FSrcBmp, W, H, (W - FSrcBmp->Width()) / 2, (H - FSrcBmp->Height()) / 2,
                  FCanvasTransparent ? 0x00FFFFFF : FCanvasColor);
    FSrcBmpChanged = true;
    SetChanged(true);
    return true;
}

bool TImageDraw::ExtendCanvas(Integer iLeft, Integer iRight, Integer iTop, Integer iBottom)
{
    if (iLeft == 0 && iRight == 0 && iTop == 0 && iBottom == 0) return false;
    const Integer W = FSrcBmp->Width(), H = FSrcBmp->Height();
    // However much is cut away, a pixel of the image stays.
    iLeft = Max(iLeft, 1 - W);
    iTop = Max(iTop, 1 - H);
    const Integer NewW = W + Max(iLeft + iRight, 1 - W), NewH = H + Max(iTop + iBottom, 1 - H);
    PlaceOnCanvas(*FSrcBmp, NewW, NewH, iLeft, iTop, FCanvasTransparent ? 0x00FFFFFF : FCanvasColor);
    FSrcBmpChanged = true;
    SetChanged(true);
    return true;
}

// ---------------------------------------------------------------------------
// The current picture object

void TImageDraw::FlipShape(Integer Mode)
{
    auto* Small = dynamic_cast<TImgSmall*>(FCurrentShape);
    if (!Small) return;
    if (Mode == 0) Small->SrcBmp()->FlipHorz();
    else Small->SrcBmp()->FlipVert();
    Small->SetDataChanged(true);
    Small->SetChanged2(true);
    SetChanged(true);
}

void TImageDraw::SmallReplaceBy(TCustomBitmap32* B32)
{
    auto* Small = dynamic_cast<TImgSmall*>(FCurrentShape);
    if (!Small || !B32) return;
    Small->SrcBmp()->Assign(B32);
    const TRect R = Small->SRect();
    Small->SetSRect(TRect{R.Left, R.Top, R.Left + B32->Width(), R.Top + B32->Height()});
    Small->SetDataChanged(true);
    Small->SetChanged2(true);
    SetChanged(true);
}
