// Undo and redo of a document (TUndoHistory).
#include "document/ImageUndo.h"

#include <algorithm>

#include "document/ImageCrop.h"
#include "document/ImageDrawHooks.h"
#include "document/ObjectRows.h"
#include "document/ImageSelection.h"
#include "document/ImageSmall.h"

using namespace ImageDrawRows;

namespace {
// The cells of an undo row, of a state's properties and selection rows, and
// of an action row.
namespace UndoCol {
constexpr Integer StateName = 4, Count = 5;
}
namespace StateProp {
constexpr Integer Tool = 39, SelectedIds = 40;
}
namespace SelCol {
constexpr Integer Region = 40, Lifted = 41, AliasCount = 42, NodeCount = 43, NodeAntialiasing = 44, LiftedOX = 45,
                  LiftedOY = 46, Feather = 47;
}
namespace ActCol {
constexpr Integer UndoIndex = 0, Kind = 1, RunKind = 14;
}
constexpr Integer RunKindFrame = 2, FrameKindTable = 3;

// With at least this many states and less available memory than this, each
// new state drops the oldest one.
constexpr Integer TrimFromCount = 5;
constexpr UInt64 LowMemory = 0x16800000;  // 360 MiB

const String EffectDrawStateName = u"EffectDraw";

std::unique_ptr<TCustomBitmap32> CopyOf(TCustomBitmap32* Src)
{
    auto B = std::make_unique<TCustomBitmap32>();
    B->Assign(Src);
    return B;
}

TImgShape* RowShape(TRow* Row) { return Row ? Row->Data().As<TImgShape>() : nullptr; }

TShapeType KindOf(const TRow& Row)
{
    const Integer K = IntOf(Row, ObjCol::Kind);
    return K >= 0 && K < ShapeTypeCount ? static_cast<TShapeType>(K) : shNone;
}

// The row of object Id in a state, null when the state lacks the object.
TRow* RowOfId(const TDataTable* State, Integer Id)
{
    if (!State) return nullptr;
    for (Integer i = 0; i < State->ItemCount(); ++i)
        if (IntOf(*State->GetItem(i), ObjCol::Id) == Id) return State->GetItem(i);
    return nullptr;
}

Int64 BitmapBytes(const TCustomBitmap32* B) { return B ? Int64(B->Width()) * B->Height() * 4 : 0; }

Int64 StateBytes(TDataTable* State)
{
    Int64 N = BitmapBytes(State->Data().As<TCustomBitmap32>());
    for (Integer i = 0; i < State->ItemCount(); ++i) {
        TRow* Row = State->GetItem(i);
        N += BitmapBytes(Row->Data().As<TCustomBitmap32>());
        if (auto* P = Row->Data2().As<TArrayOfPoint>()) N += Int64(P->size()) * Int64(sizeof(TPoint));
        if (auto* P = Row->Data3().As<TArrayOfPoint>()) N += Int64(P->size()) * Int64(sizeof(TPoint));
        if (auto* R = Row->Data4().As<TImageRegion>()) N += Int64(R->Rects().size()) * Int64(sizeof(TRect));
    }
    return N;
}

template <class T>
void MoveSlot(TDataSlot& From, TDataSlot& To)
{
    if (!To && From) To.Own(From.Extract<T>());
}

// The oldest state goes: whatever copy the next state would have found only
// in it moves into the next state, so that every later state restores as
// before.
void MoveCopiesForward(TDataTable& Old, TDataTable& Next)
{
    MoveSlot<TCustomBitmap32>(Old.Data(), Next.Data());
    for (Integer i = 0; i < Next.ItemCount(); ++i) {
        TRow& R = *Next.GetItem(i);
        TRow* O = RowOfId(&Old, IntOf(R, ObjCol::Id));
        if (!O) continue;
        switch (KindOf(R)) {
        case shSmall: MoveSlot<TCustomBitmap32>(O->Data(), R.Data()); break;
        case shSelection:
            if (!R.Data4() && O->Data4()) {
                MoveSlot<TImageRegion>(O->Data4(), R.Data4());
                SetInt(R, SelCol::Region, IntOf(*O, SelCol::Region));
            }
            if (!R.Data2() && O->Data2()) {
                MoveSlot<TArrayOfPoint>(O->Data2(), R.Data2());
                SetInt(R, SelCol::AliasCount, IntOf(*O, SelCol::AliasCount));
            }
            if (!R.Data3() && O->Data3()) {
                MoveSlot<TArrayOfPoint>(O->Data3(), R.Data3());
                SetInt(R, SelCol::NodeCount, IntOf(*O, SelCol::NodeCount));
                // The nodes' smoothing is read from the row that holds them.
                SetBool(R, SelCol::NodeAntialiasing, BoolOf(*O, SelCol::NodeAntialiasing));
            }
            // A lifted bitmap is searched for only through states that have one.
            if (BoolOf(R, SelCol::Lifted) && BoolOf(*O, SelCol::Lifted)) MoveSlot<TCustomBitmap32>(O->Data(), R.Data());
            break;
        default: break;
        }
    }
}

// The first of the states UndoIndex, UndoIndex - 1 ... 0 holding object Id
// whose row passes Has; the search ends at a state that lacks the object or
// whose row fails Continue.
template <class FState, class FHas, class FContinue>
TRow* FindBack(FState State, Integer From, Integer Id, FHas Has, FContinue Continue)
{
    for (Integer j = From; j >= 0; --j) {
        TRow* R = RowOfId(State(j), Id);
        if (!R || !Continue(*R)) return nullptr;
        if (Has(*R)) return R;
    }
    return nullptr;
}
}  // namespace

TDataTable* TUndoHistory::UndoState(Integer Index) const
{
    if (!FUndoDT || Index < 0 || Index >= FUndoDT->ItemCount()) return nullptr;
    return FUndoDT->GetItem(Index)->Data().As<TDataTable>();
}

Int64 TUndoHistory::UndoBytes() const
{
    Int64 N = 0;
    for (Integer i = 0; i < UndoCount(); ++i)
        if (TDataTable* State = UndoState(i)) N += StateBytes(State);
    return N;
}

void TUndoHistory::SaveUndoFirst()
{
    FDocument.SetModified(true);
    FDocument.SetSrcBmpChanged(true);
    FUndoIndex = -1;
    SaveUndo();
}

void TUndoHistory::SaveUndo()
{
    if (!FDocument.Modified() || !FUndoDT) return;
    FUndoIndex = Min(FUndoIndex, FUndoDT->ItemCount() - 1);
    // The first state holds everything: later ones search back to it.
    const bool First = FUndoIndex < 0;
    FDocument.StoreShapeGeometry();
    auto State = std::make_unique<TDataTable>();
    State->CopyFrom(FDocument.DT(), true);
    for (Integer i = 0; i < FDocument.DT()->ItemCount(); ++i) {
        TImgShape* S = RowShape(FDocument.DT()->GetItem(i));
        TRow& Dst = *State->GetItem(i);
        if (auto* Small = dynamic_cast<TImgSmall*>(S)) {
            if (First || Small->DataChanged()) Dst.Data().Own(CopyOf(Small->SrcBmp()));
            Small->SetDataChanged(false);
        } else if (auto* Sel = dynamic_cast<TImgSelection*>(S)) {
            // A copy is kept even of empty point lists: an older state's
            // points must not come back for a selection that has none.
            if (First || Sel->DataChanged()) {
                auto Region = std::make_unique<TImageRegion>(Sel->RegionHandle());
                SetInt(Dst, SelCol::Region, static_cast<Integer>(Region->Rects().size()));
                Dst.Data4().Own(std::move(Region));
                const TArrayOfPoint& A = Sel->AliasPoints();
                auto Alias = std::make_unique<TArrayOfPoint>(
                    A.begin(), A.begin() + std::clamp<Integer>(Sel->AliasPointsCount(), 0, static_cast<Integer>(A.size())));
                SetInt(Dst, SelCol::AliasCount, static_cast<Integer>(Alias->size()));
                Dst.Data2().Own(std::move(Alias));
                const TArrayOfPoint& N = Sel->NodePoints();
                auto Nodes = std::make_unique<TArrayOfPoint>(
                    N.begin(), N.begin() + std::clamp<Integer>(Sel->NodeCount(), 0, static_cast<Integer>(N.size())));
                SetInt(Dst, SelCol::NodeCount, static_cast<Integer>(Nodes->size()));
                Dst.Data3().Own(std::move(Nodes));
                Sel->SetDataChanged(false);
            } else {
                SetInt(Dst, SelCol::Region, 0);
                SetInt(Dst, SelCol::AliasCount, 0);
                SetInt(Dst, SelCol::NodeCount, 0);
            }
            SetBool(Dst, SelCol::Lifted, Sel->SelBitmap() != nullptr);
            SetBool(Dst, SelCol::NodeAntialiasing, Sel->NodeAntialiasing());
            SetInt(Dst, SelCol::LiftedOX, Sel->SelBitmapOX());
            SetInt(Dst, SelCol::LiftedOY, Sel->SelBitmapOY());
            SetInt(Dst, SelCol::Feather, Sel->FeatherAmount());
            if (First || Sel->BitmapChanged()) {
                if (Sel->SelBitmap()) Dst.Data().Own(CopyOf(Sel->SelBitmap()));
                Sel->SetBitmapChanged(false);
            }
        }
    }
    if (First || FDocument.SrcBmpChanged()) State->Data().Own(CopyOf(FDocument.SrcBmp()));
    FDocument.SetSrcBmpChanged(false);
    TRow& Props = *State->PropertyRow();
    SetInt(Props, StateProp::Tool, FDocument.ToolType());
    SetText(Props, StateProp::SelectedIds, FDocument.SelectedIds()->ToString(false, u'.'));

    // The redo tail goes, and with it the actions that led to its states.
    if (FUndoIndex < FUndoDT->ItemCount() - 1) {
        for (Integer i = FUndoDT->ItemCount() - 1; i > FUndoIndex; --i) FUndoDT->RemoveItemByIndex(i);
        if (FDocument.ActionDT())
            for (Integer i = FDocument.ActionDT()->ItemCount() - 1; i >= 0; --i) {
                TRow* Action = FDocument.ActionDT()->GetItem(i);
                if (IntOf(*Action, ActCol::UndoIndex) <= FUndoIndex) continue;
                ClearActionData(Action);
                FDocument.ActionDT()->RemoveItemByIndex(i);
            }
    }
    if (FUndoDT->ItemCount() >= TrimFromCount && ImageDrawHooks.AvailPhysMemory &&
        ImageDrawHooks.AvailPhysMemory() < LowMemory)
        DropOldestUndo();

    auto Row = std::make_unique<TRow>();
    Row->Init(std::vector<String>(UndoCol::Count));
    if (FDocument.EffectDrawing()) Row->GetItem(UndoCol::StateName)->SetText(EffectDrawStateName);
    Row->Data().Own(std::move(State));
    FUndoDT->AddItem(std::move(Row));
    FUndoIndex = FUndoDT->ItemCount() - 1;
    // Free memory alone lets the list grow without bound where memory is plentiful.
    while (FUndoDT->ItemCount() > 1 && UndoBytes() > FUndoByteLimit) DropOldestUndo();
    FDocument.SetModified(false);
    FSaveUndoDone = true;
}

void TUndoHistory::DropOldestUndo()
{
    std::unique_ptr<TRow> Oldest = FUndoDT->ExtractItem(0);
    if (!Oldest) return;
    TDataTable* Old = Oldest->Data().As<TDataTable>();
    TDataTable* Next = UndoState(0);
    if (Old && Next) MoveCopiesForward(*Old, *Next);
    FUndoIndex = Max(FUndoIndex - 1, -1);
    // The log keeps every action (batch processing replays them all); their
    // undo indexes follow the states.
    if (FDocument.ActionDT())
        for (Integer i = 0; i < FDocument.ActionDT()->ItemCount(); ++i) {
            TRow& Action = *FDocument.ActionDT()->GetItem(i);
            SetInt(Action, ActCol::UndoIndex, IntOf(Action, ActCol::UndoIndex) - 1);
        }
}

void TUndoHistory::Undo()
{
    if (FUndoIndex <= 0 || FUndoIndex >= UndoCount()) return;
    --FUndoIndex;
    Godo(false);
}

void TUndoHistory::Redo()
{
    if (FUndoIndex + 1 >= UndoCount()) return;
    ++FUndoIndex;
    Godo(false);
}

void TUndoHistory::Godo(bool NotSetChanged)
{
    TDataTable* State = UndoState(FUndoIndex);
    if (!State) return;
    FDocument.UndoStateRestoring(TextOf(*FUndoDT->GetItem(FUndoIndex), UndoCol::StateName));
    FUndoRedoing = true;
    auto Done = ScopeExit([this] { FUndoRedoing = false; });
    FDocument.SetCurrentShape(-1);
    for (Integer i = 0; i < FDocument.DT()->ItemCount(); ++i) FDocument.DT()->GetItem(i)->Data().Clear();
    FDocument.SelectedIds()->Clear();
    // A raster no state holds any more (none can, since the oldest state
    // hands its copies on) leaves the current one.
    for (Integer j = FUndoIndex; j >= 0; --j)
        if (auto* B = UndoState(j)->Data().As<TCustomBitmap32>()) {
            auto Raster = CopyOf(B);
            Raster->SetDrawMode(dmOpaque);
            FDocument.ReplaceSrcBmp(std::move(Raster));
            break;
        }
    FDocument.SetSrcBmpChanged(false);
    FDocument.DT()->CopyFrom(State, true);
    // The tool and the selected ids are kept in states only.
    for (Integer P : {StateProp::Tool, StateProp::SelectedIds})
        if (P < FDocument.DT()->PropCount()) FDocument.DT()->GetProp(P)->SetText(String());
    FDocument.CreateShapeObjects(-1);
    RestoreObjects();
    const TRow& Props = *State->PropertyRow();
    const String Ids = TextOf(Props, StateProp::SelectedIds);
    if (!Ids.empty() && IntOf(Props, StateProp::Tool) == FDocument.ToolType()) {
        TRow IdList;
        IdList.Init(Ids, u'.');
        for (Integer i = 0; i < IdList.ItemCount(); ++i) {
            Integer Id;
            if (!TryStrToInt(Trim(IdList.GetItem(i)->Text()), Id)) continue;
            const Integer Index = FDocument.IndexOfShapeId(Id);
            if (TImgShape* S = Index >= 0 ? RowShape(FDocument.DT()->GetItem(Index)) : nullptr) S->Select();
        }
    }
    FDocument.InitBitmap();
    if (!NotSetChanged) FDocument.SetChanged(true);
    FDocument.SetModified(false);
    FUndoRedoing = false;
    FDocument.ShapeSelectStateChanged(true);
}

void TUndoHistory::RestoreObjects()
{
    auto StateAt = [this](Integer j) { return UndoState(j); };
    auto Always = [](TRow&) { return true; };
    for (Integer i = 0; i < FDocument.DT()->ItemCount(); ++i) {
        TRow& Row = *FDocument.DT()->GetItem(i);
        const Integer Id = IntOf(Row, ObjCol::Id);
        switch (KindOf(Row)) {
        case shSmall: {
            auto* Small = dynamic_cast<TImgSmall*>(RowShape(&Row));
            if (!Small) break;
            auto HasPicture = [](TRow& R) { return bool(R.Data()); };
            if (TRow* R = FindBack(StateAt, FUndoIndex, Id, HasPicture, Always))
                Small->SrcBmp()->Assign(R->Data().As<TCustomBitmap32>());
            Small->SetChanged2(true);
            Small->SetDataChanged(false);
            break;
        }
        case shSelection: {
            auto* Sel = dynamic_cast<TImgSelection*>(RowShape(&Row));
            if (!Sel) {
                auto New = std::make_unique<TImgSelection>(&FDocument.ShapeOwner(), Id, nullptr);
                Sel = New.get();
                Row.Data().Own(std::move(New));
            }
            auto HasRegion = [](TRow& R) { return bool(R.Data4()); };
            auto HasAlias = [](TRow& R) { return bool(R.Data2()); };
            auto HasNodes = [](TRow& R) { return bool(R.Data3()); };
            auto HasBitmap = [](TRow& R) { return bool(R.Data()); };
            if (TRow* R = FindBack(StateAt, FUndoIndex, Id, HasRegion, Always)) {
                Sel->SetRegionHandle(*R->Data4().As<TImageRegion>());
                Sel->CalcRegionRects();
            }
            if (TRow* R = FindBack(StateAt, FUndoIndex, Id, HasAlias, Always)) {
                const TArrayOfPoint& P = *R->Data2().As<TArrayOfPoint>();
                Sel->SetAliasPoints(P.data(), static_cast<Integer>(P.size()));
            }
            if (TRow* R = FindBack(StateAt, FUndoIndex, Id, HasNodes, Always)) {
                const TArrayOfPoint& P = *R->Data3().As<TArrayOfPoint>();
                Sel->SetNodePoints(P.data(), static_cast<Integer>(P.size()));
                Sel->SetNodeAntialiasing(BoolOf(*R, SelCol::NodeAntialiasing));
            }
            auto Lifted = [](TRow& R) { return BoolOf(R, SelCol::Lifted); };
            if (TRow* R = FindBack(StateAt, FUndoIndex, Id, HasBitmap, Lifted))
                Sel->SetSelBitmap(CopyOf(R->Data().As<TCustomBitmap32>()));
            Sel->SetSelBitmapOX(IntOf(Row, SelCol::LiftedOX));
            Sel->SetSelBitmapOY(IntOf(Row, SelCol::LiftedOY));
            Sel->SetFeatherAmount(IntOf(Row, SelCol::Feather));
            Sel->CalcRect();
            Sel->CalcCenterPoint();
            Sel->SetCreating(false);
            Sel->Select();
            Sel->SetDataChanged(false);
            Sel->SetBitmapChanged(false);
            break;
        }
        case shCrop:
            if (auto* Crop = dynamic_cast<TImgCrop*>(RowShape(&Row))) Crop->MakeAdjustSrcBmp(FDocument.SrcBmp());
            break;
        default: break;
        }
    }
}

void TUndoHistory::ClearUndo(std::unique_ptr<TDataTable> DataDT)
{
    // The state's rows and the table own their copies (rasters, pictures,
    // regions, points) through their data slots: freeing the table frees all.
    DataDT.reset();
}

void TUndoHistory::ClearUndoStateName(const String& S)
{
    if (!FUndoDT) return;
    for (Integer i = 0; i < FUndoDT->ItemCount(); ++i) {
        TRow& Row = *FUndoDT->GetItem(i);
        if (Row.ItemCount() > UndoCol::StateName && Row.GetItem(UndoCol::StateName)->Text() == S)
            Row.GetItem(UndoCol::StateName)->SetText(String());
    }
}

void TUndoHistory::RemoveUndoStatesNamed(const String& S, Integer MaxCount)
{
    if (!FUndoDT) return;
    // From the end only: a state further back may hold copies that later
    // states search back for.
    const Integer Stop = Max(FUndoDT->ItemCount() - MaxCount, 0);
    for (Integer i = FUndoDT->ItemCount() - 1; i >= Stop; --i) {
        TRow& Row = *FUndoDT->GetItem(i);
        if (Row.ItemCount() <= UndoCol::StateName || Row.GetItem(UndoCol::StateName)->Text() != S) break;
        FUndoDT->RemoveItemByIndex(i);
    }
    FUndoIndex = std::clamp(FUndoIndex, -1, FUndoDT->ItemCount() - 1);
}

void TUndoHistory::ClearActionData(TRow* ARow)
{
    if (!ARow || !ARow->Data()) return;
    if (IntOf(*ARow, ActCol::RunKind) == RunKindFrame && IntOf(*ARow, ActCol::Kind) == FrameKindTable)
        if (auto* Table = ARow->Data().As<TDataTable>())
            for (Integer i = Table->ItemCount() - 1; i >= 0; --i) {
                TRow& R = *Table->GetItem(i);
                if (BoolOf(R, 0) && !BoolOf(R, 1)) R.Data().Clear();
            }
    ARow->Data().Clear();
}

void TUndoHistory::CloseActionRow(std::unique_ptr<TRow> Row, bool IsApply)
{
    if (!Row) return;
    TDataTable* Actions = FDocument.ActionDT();
    if (IsApply && IntOf(*Row, 1) > 0 && Actions) {
        // The state just taken (the oldest may have gone to make room).
        if (FUndoDT) SetInt(*Row, 0, FUndoIndex);
        Actions->AddItem(std::move(Row));
    } else {
        ClearActionData(Row.get());
    }
}
