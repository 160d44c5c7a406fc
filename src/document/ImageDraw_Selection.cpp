// The document's selection commands: select all and invert, saved
// selections, and the work bitmaps of lifted pixels (members of TImageDraw,
// declared in ImageDraw.h).
#include "document/ImageDraw.h"

#include <cstring>

#include "document/ImageSelection.h"
#include "framework/runtime/SysUtils.h"

namespace {
// The cells of a saved-selection row.
namespace SelCol {
constexpr Integer Name = 0, Region = 1, Antialiasing = 2, Feather = 3, Count = 8;
}

String CellText(TRow* Row, Integer Index)
{
    return Row && Index < Row->ItemCount() ? Row->GetItem(Index)->Text() : String();
}

TRow* RowNamed(TDataTable* Table, const String& Name)
{
    for (Integer i = 0; i < Table->ItemCount(); ++i)
        if (SameText(CellText(Table->GetItem(i), SelCol::Name), Name)) return Table->GetItem(i);
    return nullptr;
}

String BoolText(bool Value) { return Value ? u"-1" : u"0"; }

void RemoveSelectionObject(TImageDraw& Doc, TImgSelection* S)
{
    TRow Ids;
    Ids.AddItem(S->Id());
    Doc.DeleteShapes(Ids);
}

// A new selection ends its creation selected, its rectangle its region's box.
void FinishNewSelection(TImageDraw& Doc, TImgSelection* S)
{
    S->CalcRect();
    S->CalcCenterPoint();
    S->SetCreating(false);
    Doc.SetShapeCreating(false);
    S->Select();
    if (Doc.OnShapeSelected) Doc.OnShapeSelected(&Doc);
}
}  // namespace

TImgSelection* TImageDraw::SelectionShape() const
{
    if (auto* S = dynamic_cast<TImgSelection*>(FCurrentShape)) return S;
    if (!SelectionExists()) return nullptr;
    return dynamic_cast<TImgSelection*>(RowShape(FDT->GetItem(FDT->ItemCount() - 1)));
}

void TImageDraw::SrcInRegionAssignToDest(TCustomBitmap32* Src, TCustomBitmap32* Dest, const TPoint& SrcOriginPoint)
{
    TImgSelection* Sel = SelectionShape();
    if (!Sel || !Src || !Dest || Src->Empty() || Dest->Empty()) return;
    TRect Area;
    if (!IntersectRects(Area,
                        TRect{SrcOriginPoint.X, SrcOriginPoint.Y, SrcOriginPoint.X + Src->Width(),
                              SrcOriginPoint.Y + Src->Height()},
                        Dest->BoundsRect()))
        return;
    // The region's rectangles never overlap: each pixel is copied once.
    for (const TRect& RR : Sel->RegionHandle().Rects()) {
        TRect R;
        if (!IntersectRects(R, RR, Area)) continue;
        for (Integer y = R.Top; y < R.Bottom; ++y)
            std::memcpy(Dest->GetPixelPtr(R.Left, y),
                        Src->GetPixelPtr(R.Left - SrcOriginPoint.X, y - SrcOriginPoint.Y),
                        static_cast<size_t>(R.Right - R.Left) * sizeof(TColor32));
    }
    Dest->Changed();
}

// A new selection object on top of the object table, current and being
// created; the one before it (at most one exists) is dropped, its lifted
// pixels put down first.
TImgSelection* TImageDraw::NewSelectionShape()
{
    if (TImgSelection* Old = SelectionShape()) {
        Old->FlattenBitmap(true);
        RemoveSelectionObject(*this, Old);
    }
    CreateShape(shSelection);
    return static_cast<TImgSelection*>(FCurrentShape);
}

void TImageDraw::SelectImage(bool bAll)
{
    if (TImgSelection* Sel = SelectionExists() ? SelectionShape() : nullptr) {
        const TRect Box = Sel->RegionRect();
        const TRect Raster = FSrcBmp->BoundsRect();
        const bool Outside = Max(Box.Left, Raster.Left) >= Min(Box.Right, Raster.Right) ||
                             Max(Box.Top, Raster.Top) >= Min(Box.Bottom, Raster.Bottom);
        if (!bAll && Outside) bAll = true;
        if (Sel->CombineRegionAuto(FAntialiasing, bAll)) {
            Sel->SetChanged2(true);
            Sel->CalcRect();
            Sel->CalcCenterPoint();
            if (OnShapeModified) OnShapeModified(this);
        } else {
            // Inverting a selection of the whole raster leaves nothing.
            RemoveSelectionObject(*this, Sel);
        }
    } else {
        TImgSelection* S = NewSelectionShape();
        std::vector<TRect> Rects{FSrcBmp->BoundsRect()};
        S->CreateRegionFromRects(false, Rects);
        FinishNewSelection(*this, S);
    }
    SetChanged(true);
}

void TImageDraw::SaveSelection(const String& sName)
{
    TImgSelection* Sel = SelectionShape();
    if (!Sel) return;
    const String Region = Sel->GetRegionString();
    if (TRow* Row = RowNamed(FSelectionDT.get(), sName)) {
        while (Row->ItemCount() < SelCol::Count) Row->AddItem(String());
        Row->GetItem(SelCol::Region)->SetText(Region);
        Row->GetItem(SelCol::Antialiasing)->SetText(BoolText(FAntialiasing));
        Row->GetItem(SelCol::Feather)->SetText(IntToStr(Sel->FeatherAmount()));
        return;
    }
    auto Row = std::make_unique<TRow>(FSelectionDT.get());
    Row->Init(std::vector<String>{sName, Region, BoolText(FAntialiasing), IntToStr(Sel->FeatherAmount()), String(),
                                  String(), String(), String()});
    FSelectionDT->AddItem(std::move(Row));
}

bool TImageDraw::LoadSelection(const String& sName)
{
    TRow* Row = RowNamed(FSelectionDT.get(), sName);
    if (!Row) return false;
    // Saved selections come with documents from elsewhere: a damaged text
    // makes no selection rather than a wrong one.
    std::vector<TRect> Rects;
    if (!TextToRegionRects(CellText(Row, SelCol::Region), Rects, &FMsgString)) return false;
    const bool Smooth = CellText(Row, SelCol::Antialiasing) == u"-1" ||
                        SameText(CellText(Row, SelCol::Antialiasing), u"true");
    Integer Feather = 0;
    if (!TryStrToInt(CellText(Row, SelCol::Feather), Feather)) Feather = 0;
    TImgSelection* S = NewSelectionShape();
    if (!S->CreateRegionFromRects(Smooth, Rects)) {
        RemoveSelectionObject(*this, S);
        return false;
    }
    S->SetFeatherAmount(EnsureRange(Feather, 0, MaxFeatherAmount));
    FAntialiasing = Smooth;
    FinishNewSelection(*this, S);
    SetChanged(true);
    return true;
}

void TImageDraw::MakeBitmapOfSelection(TRect& DestRect)
{
    DestRect = TRect{};
    if (TImgSelection* Sel = SelectionShape()) Sel->MakeWorkBitmaps(DestRect);
}

void TImageDraw::TempBmpZ_To_SrcBmp(const TRect& ARect)
{
    TImgSelection* Sel = SelectionShape();
    if (!Sel) return;
    TCustomBitmap32* Z = Sel->TempBmpZ();
    // Opaque: the transparent hole replaces the pixels under it.
    Z->SetDrawMode(dmOpaque);
    FSrcBmp->Draw(ARect.Left, ARect.Top, Z);
    FSrcBmpChanged = true;
    SetChanged(true);
}
