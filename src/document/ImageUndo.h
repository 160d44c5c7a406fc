// ImageUndo: the undo history of a document (TUndoHistory). A state is a copy
// of the object table (table property 39 the tool, 40 the selected ids joined
// by ".") holding copies of only what changed since the state before it: the
// raster in the table's Data slot; a picture object's picture in its row's
// Data; for a selection, its region (Data4, cell 40 its rectangle count),
// outline points (Data2, cell 42 the count), node points (Data3, cell 43 the
// count) and lifted bitmap (Data; cell 41 whether it holds one). What a state
// lacks comes from the nearest earlier state that has it.
//
// The list of states (UndoDT) and the action log (ActionDT) belong to the main
// window's entry of the open document, so that they outlive the document while
// it is stashed as a stream. The document owns one history and keeps its
// method names as forwards; the history sees the document only through
// TUndoDocument.
#pragma once

#include <memory>

#include "Component/Raster32/Ras32.h"
#include "document/ImgShape.h"
#include "document/base/ImageDrawTypes.h"
#include "foundation/HyDataTable.h"

// What the undo history needs of its document.
class TUndoDocument {
public:
    // The object table and the action log (null: none kept).
    virtual TDataTable* DT() const = 0;
    virtual TDataTable* ActionDT() const = 0;
    // A state is taken only when the document was modified since the last.
    virtual bool Modified() const = 0;
    virtual void SetModified(bool Value) = 0;
    virtual TCustomBitmap32* SrcBmp() const = 0;
    virtual bool SrcBmpChanged() const = 0;
    virtual void SetSrcBmpChanged(bool Value) = 0;
    // A restored state's raster takes the current one's place.
    virtual void ReplaceSrcBmp(std::unique_ptr<TCustomBitmap32> Value) = 0;
    virtual TShapeType ToolType() const = 0;
    virtual TRow* SelectedIds() const = 0;
    // States taken while the effect brush draws are named "EffectDraw".
    virtual bool EffectDrawing() const = 0;
    // The objects' geometry written to their rows before a state is taken.
    virtual void StoreShapeGeometry() = 0;
    // Rebuilding the objects from a restored table.
    virtual void SetCurrentShape(Integer Id) = 0;
    virtual void CreateShapeObjects(Integer Index) = 0;
    virtual Integer IndexOfShapeId(Integer Id) const = 0;
    virtual TShapeOwner& ShapeOwner() = 0;
    virtual void InitBitmap() = 0;
    virtual void SetChanged(bool IsSaveUndo) = 0;
    virtual void ShapeSelectStateChanged(bool IsSetAsCurrentShape) = 0;
    // Told before a state is restored, with the state's name.
    virtual void UndoStateRestoring(const String& StateName) = 0;

protected:
    ~TUndoDocument() = default;
};

class TUndoHistory {
public:
    explicit TUndoHistory(TUndoDocument& Document) : FDocument(Document) {}
    TUndoHistory(const TUndoHistory&) = delete;
    TUndoHistory& operator=(const TUndoHistory&) = delete;

    // A new undo list: the first state, holding everything.
    void SaveUndoFirst();
    // Takes a state when Modified is set; cuts the redo tail first (with the
    // actions logged for it) and keeps the list within memory.
    void SaveUndo();
    // One state back or forward (nothing at either end of the list).
    void Undo();
    void Redo();
    // Rebuilds the document from the state at UndoIndex; NotSetChanged
    // leaves the Changed flag (a stashed document being rebuilt).
    void Godo(bool NotSetChanged);
    // Frees one state table with all it holds.
    static void ClearUndo(std::unique_ptr<TDataTable> DataDT);
    // Blanks the name (cell 4) of every state named exactly S.
    void ClearUndoStateName(const String& S);
    // Removes up to MaxCount states named exactly S from the end of the list
    // (states a run abandoned: nothing may redo to them) and keeps UndoIndex
    // inside it.
    void RemoveUndoStatesNamed(const String& S, Integer MaxCount);
    // Frees what an action row owns (a frame action's pictures included).
    static void ClearActionData(TRow* ARow);
    // The action row of an effect or frame run closing: appended to the
    // action log, tied to the state just taken, when applied and a routine
    // was recorded (cell 1); else freed.
    void CloseActionRow(std::unique_ptr<TRow> Row, bool IsApply);
    // Undo states are also dropped, oldest first, while together they hold
    // more than this many bytes (one state always stays).
    Int64 UndoByteLimit() const { return FUndoByteLimit; }
    void SetUndoByteLimit(Int64 Value) { FUndoByteLimit = Value; }
    // The bytes of rasters, pictures, points and regions the states hold.
    Int64 UndoBytes() const;
    Integer UndoCount() const { return FUndoDT ? FUndoDT->ItemCount() : 0; }

    TDataTable* UndoDT() const { return FUndoDT; }
    void SetUndoDT(TDataTable* Value) { FUndoDT = Value; }
    Integer UndoIndex() const { return FUndoIndex; }
    void SetUndoIndex(Integer Value) { FUndoIndex = Value; }
    bool UndoRedoing() const { return FUndoRedoing; }
    bool SaveUndoDone() const { return FSaveUndoDone; }
    void SetSaveUndoDone(bool Value) { FSaveUndoDone = Value; }

private:
    // The state table of undo row Index, and the oldest state dropped with
    // the copies later states still need.
    TDataTable* UndoState(Integer Index) const;
    void DropOldestUndo();
    void RestoreObjects();

    TUndoDocument& FDocument;
    TDataTable* FUndoDT = nullptr;
    Integer FUndoIndex = -1;
    bool FUndoRedoing = false;
    bool FSaveUndoDone = false;
    Int64 FUndoByteLimit = sizeof(void*) >= 8 ? Int64(2048) << 20 : Int64(512) << 20;
};
