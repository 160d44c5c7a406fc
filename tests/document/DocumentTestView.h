// A view for documents under test (a layer collection, a view bitmap and
// offsets, without a window), the documents made on it, and the pictures
// and rows the tests of processing runs share.
#pragma once

#include <memory>

#include "document/ImageDraw.h"
#include "document/ImageSelection.h"
#include "framework/runtime/SysUtils.h"

class TTestView : public TImageDrawView {
public:
    TLayerCollection* Layers() override { return &FLayers; }
    TCustomBitmap32* Bitmap() override { return &FBitmap; }
    Single OffsetHorz() override { return OffsetX; }
    Single OffsetVert() override { return OffsetY; }
    TRect GetViewportRect() override { return TRect{0, 0, 800, 600}; }

    Single OffsetX = 0, OffsetY = 0;

private:
    TLayerCollection FLayers{nullptr};
    TCustomBitmap32 FBitmap;
};

// A blank W x H canvas, transparent or of colour C.
inline std::unique_ptr<TImageDraw> NewBlankDocument(TTestView& View, Integer W, Integer H, bool Transparent,
                                                    TColor C = 0xFFFFFF, TRow* WatermarkRow = nullptr)
{
    return std::make_unique<TImageDraw>(&View, nullptr, nullptr, nullptr, WatermarkRow, String(), 0, false, false,
                                        nullptr, W, H, C, Transparent, 24);
}

// The objects' default rows: one per kind, each of 99 empty cells; a test
// fills in the cells its kind reads.
inline void AddEmptyDefaultRows(TDataTable& Defaults)
{
    for (Integer k = 0; k < ShapeTypeCount; ++k) Defaults.AddItem(String(99, u','));
}

// Appends an object row of Kind with an object of class T in its data slot.
template <class T = TImgShape>
T* AddObject(TImageDraw& Doc, Integer Id, TShapeType Kind, bool Fixed = false, bool Hidden = false,
             const String& Name = String())
{
    TRow* Row = Doc.DT()->AddItem(u",,,,,,,,,,,,,");
    Row->GetItem(ObjCol::Id)->SetValue(Id);
    Row->GetItem(ObjCol::Kind)->SetValue(Kind);
    Row->GetItem(ObjCol::Name)->SetText(Name);
    auto S = std::make_unique<T>(&Doc, Id, nullptr);
    S->SetShapeType(Kind);
    S->SetFixed(Fixed);
    S->SetHided(Hidden);
    T* P = S.get();
    Row->Data().Own(std::move(S));
    return P;
}

// A selection of R (smoothed when Smooth) made the way the document makes
// saved ones: on top of the table, current. Null when none was made.
inline TImgSelection* SelectRegion(TImageDraw& Doc, const TRect& R, bool Smooth = false)
{
    TRow* Row = Doc.SelectionDT()->AddItem(u"tmp");
    Row->Init(std::vector<String>{u"tmp", RegionToText(TImageRegion(R)), Smooth ? u"-1" : u"0", u"0"});
    const bool Loaded = Doc.LoadSelection(u"tmp");
    Doc.SelectionDT()->RemoveItemByIndex(Doc.SelectionDT()->ItemCount() - 1);
    return Loaded ? Doc.SelectionShape() : nullptr;
}

// A picture whose pixels all differ from their neighbours.
inline void PaintDistinctPixels(TCustomBitmap32& B)
{
    for (Integer y = 0; y < B.Height(); ++y)
        for (Integer x = 0; x < B.Width(); ++x)
            B.SetPixel(x, y, 0xFF000000 | TColor32((x * 37 + y * 11) & 255) << 16 | TColor32((x * 5 + y * 53) & 255) << 8 |
                                 TColor32((x * y * 7 + 40) & 255));
}

// A copy of B.
inline std::unique_ptr<TCustomBitmap32> BitmapCopy(TCustomBitmap32* B)
{
    auto C = std::make_unique<TCustomBitmap32>();
    C->Assign(B);
    return C;
}

// Cell Index of an action row as a number (0 past the row's end or for no
// number), as batch processing reads the rows it replays.
inline Integer CellValue(TRow& Row, Integer Index)
{
    return Index < Row.ItemCount() ? StrToIntDef(Row.GetItem(Index)->Text(), 0) : 0;
}

// What a processing run (effects, frames) starts from: a W x H document
// over PaintDistinctPixels, recording into its own undo and action tables,
// its first undo state saved. Make again starts afresh.
struct TProcessingDocument {
    void Make(Integer W, Integer H)
    {
        Doc.reset();
        ActionDT.Clear();
        UndoDT.Clear();
        Doc = NewBlankDocument(View, W, H, false, 0xFFFFFF);
        PaintDistinctPixels(*Doc->SrcBmp());
        Doc->SetUndoDT(&UndoDT);
        Doc->SetActionDT(&ActionDT);
        Doc->InitBitmap();
        Doc->SaveUndoFirst();
    }

    TTestView View;
    TDataTable UndoDT, ActionDT;
    std::unique_ptr<TImageDraw> Doc;
};
