// What the document and its objects share: reading and writing the
// cells of object rows. Rows come from documents made elsewhere, so a reader
// never assumes a cell is there or holds what its column says: a missing
// cell reads as empty, a cell that is no number as 0 (false), and a writer
// grows a short row to the cell it writes.
#pragma once

#include "document/ImgShape.h"
#include "framework/runtime/SysUtils.h"

namespace ImageDrawRows {
inline const TCell* CellOf(const TRow& Row, Integer Index)
{
    return Index >= 0 && Index < Row.ItemCount() ? Row.GetItem(Index) : nullptr;
}
inline Integer IntOf(const TRow& Row, Integer Index)
{
    const TCell* C = CellOf(Row, Index);
    return C ? StrToIntDef(Trim(C->Text()), 0) : 0;
}
// The object id of a row; -1 (no object's) when the cell is missing or no
// number, so that a damaged row matches no id.
inline Integer IdOf(const TRow& Row)
{
    const TCell* C = CellOf(Row, ObjCol::Id);
    Integer V;
    return C && TryStrToInt(Trim(C->Text()), V) ? V : -1;
}
inline bool BoolOf(const TRow& Row, Integer Index)
{
    const TCell* C = CellOf(Row, Index);
    return C && StrToBoolDef(Trim(C->Text()), false);
}
inline String TextOf(const TRow& Row, Integer Index)
{
    const TCell* C = CellOf(Row, Index);
    return C ? C->Text() : String();
}
inline Single FloatOf(const TRow& Row, Integer Index) { return CellTextToFloat(Trim(TextOf(Row, Index))); }

// The cell Index of Row, adding empty cells up to it first.
inline TCell* GrowTo(TRow& Row, Integer Index)
{
    while (Row.ItemCount() <= Index) Row.AddItem(String());
    return Row.GetItem(Index);
}
inline void SetText(TRow& Row, Integer Index, const String& Value) { GrowTo(Row, Index)->SetText(Value); }
inline void SetInt(TRow& Row, Integer Index, Integer Value) { GrowTo(Row, Index)->SetValue(Value); }
inline void SetBool(TRow& Row, Integer Index, bool Value) { GrowTo(Row, Index)->SetAsBool(Value); }
}  // namespace ImageDrawRows
