// HyDataTable: the table store behind every settings, preset, list and object
// table of the program. A table (TDataTable) is an ordered list of rows plus one
// property row; a row (TRow) is an ordered list of cells; a cell (TCell) holds
// one text. Changes travel cell -> row -> table -> list of tables (TDataTables)
// as events. The text form of rows, tables and lists lives here too.
#pragma once

#include <bitset>
#include <initializer_list>
#include <memory>
#include <vector>

#include "framework/runtime/Classes.h"

class TCell;
class TRow;
class TDataTable;
class TDataTables;

// Where table files that cannot be read are reported (the program sets its
// log at start-up; nothing is reported while it is null).
using TTableLogProc = void (*)(const String& Message);
extern TTableLogProc TableLogProc;
// Copies a table file that exists but cannot be read to FileName + ".bad"
// (".bad2", ".bad3" ... when that is taken) and reports it to TableLogProc.
// Returns the copy's name, empty when nothing could be copied.
String KeepUnreadableTableFile(const String& FileName);

// Sets: a set of column indexes 0..103 (13 bytes in the design)
// and a set of 0..255.
using TColumnSet = std::bitset<104>;
using TByteSet = std::bitset<256>;

template <size_t N>
std::bitset<N> MakeSet(std::initializer_list<Integer> Members)
{
    std::bitset<N> S;
    for (Integer M : Members)
        if (M >= 0 && static_cast<size_t>(M) < N) S.set(static_cast<size_t>(M));
    return S;
}
inline TColumnSet ColumnSet(std::initializer_list<Integer> Members) { return MakeSet<104>(Members); }
inline TByteSet ByteSet(std::initializer_list<Integer> Members) { return MakeSet<256>(Members); }
// Columns From..To (both inclusive).
TColumnSet ColumnRange(Integer From, Integer To);

enum TDataTableChangeMode : Byte {
    cmNoTrigger,
    cmLoad,
    cmSort,
    cmDirect,
    cmPropChange,
    cmCellAdd,
    cmCellEdit,
    cmCellDeleted,
    cmCellMove,
    cmRowInit,
    cmRowClear,
    cmRowAdd,
    cmRowBatchAdd,
    cmRowDeleted,
    cmRowBatchDeleted,
    cmRowMove,
    cmTableInit,
    cmTableClear,
    cmTableAdd,
    cmTableDeleted,
    cmTableMove,
    cmTablesInit,
    cmTablesClear
};

enum TSortMode : Byte { smText, smValueInc, smValueDec, smCustom };

using TRowDataChangeEvent = TEvent<TRow* /*Sender*/, TDataTableChangeMode, TCell* /*ACell*/>;
using TDataTableDataChangeEvent = TEvent<TDataTable* /*Sender*/, TDataTableChangeMode, TRow* /*ARow*/,
                                         TCell* /*ACell*/, Integer /*Data1*/, Integer /*Data2*/>;
using TRowDeletingEvent = TEvent<bool /*IsDelete*/, TDataTable* /*Sender*/, TRow* /*ARow*/, Integer /*Index*/>;
using TRowIndexChangeEvent = TEvent<TObject* /*Sender*/, Integer /*NewIndex*/>;
using TDataTablesDataChangeEvent =
    TEvent<TDataTables* /*Sender*/, TDataTableChangeMode, Integer /*TCount*/, TDataTable*, Integer /*Index*/>;
using TTableDeletingEvent = TEvent<bool /*IsDelete*/, TDataTables* /*Sender*/, TDataTable*, Integer /*Index*/>;
// Two rows in; negative, 0 or positive out.
using TRowCompare = std::function<Integer(TRow* Row1, TRow* Row2)>;

// Every "," becomes character 26, then every "|" character 27, and back. For
// free texts (paths, default texts) kept in columns that are not escaped.
String EscapeCellText(const String& S);
String UnescapeCellText(const String& S);

// ---------------------------------------------------------------------------
// An untyped data slot of a row or a table. Content given with Own() is freed
// exactly once: when it is replaced, cleared or the slot goes. Content given
// with Ref() is only pointed at; its owner lives elsewhere.
class TDataSlot {
public:
    TDataSlot() = default;
    TDataSlot(const TDataSlot&) = delete;
    TDataSlot& operator=(const TDataSlot&) = delete;
    ~TDataSlot() { Clear(); }

    Pointer Get() const { return FPtr; }
    template <class T>
    T* As() const
    {
        return static_cast<T*>(FPtr);
    }
    explicit operator bool() const { return FPtr != nullptr; }
    bool Owns() const { return FDeleter != nullptr; }

    template <class T>
    void Own(std::unique_ptr<T> Value)
    {
        void (*Deleter)(Pointer) = [](Pointer Q) { delete static_cast<T*>(Q); };
        T* P = Value.release();
        Reset(P, P ? Deleter : nullptr);
    }
    void Ref(Pointer Value) { Reset(Value, nullptr); }
    void Clear() { Reset(nullptr, nullptr); }
    // Hands owned content back to the caller without freeing it; the slot is
    // empty afterwards. The caller names the type it put in.
    template <class T>
    std::unique_ptr<T> Extract()
    {
        T* P = FDeleter ? static_cast<T*>(FPtr) : nullptr;
        FPtr = nullptr;
        FDeleter = nullptr;
        return std::unique_ptr<T>(P);
    }

private:
    void Reset(Pointer Value, void (*Deleter)(Pointer));
    Pointer FPtr = nullptr;
    void (*FDeleter)(Pointer) = nullptr;
};

// ---------------------------------------------------------------------------
class TCell {
public:
    // An empty cell whose parent is AOwner; it is not added to the row.
    explicit TCell(TRow* AOwner = nullptr) : FParent(AOwner) {}
    TCell(const TCell&) = delete;
    TCell& operator=(const TCell&) = delete;

    TRow* Parent() const { return FParent; }
    Integer GetIndex() const;  // position in the parent row, -1 without one

    // The stored text, unescaped when the cell's column is escaped.
    String Text() const;
    void SetText(const String& Value);
    // Empty text reads as 0; other non-integer text raises EConvertError.
    Integer Value() const;
    void SetValue(Integer Value);
    // Empty text, "0" and "False" read false; other numbers and "True" true.
    bool AsBool() const;
    void SetAsBool(bool Value);

private:
    friend class TRow;
    friend class TDataTable;
    void SetTextAt(Integer Index, const String& Value);
    void Store(String Value);
    bool IsEscapedAt(Integer Index) const;

    TRow* FParent;
    String FText;  // the stored (for escaped columns the escaped) text
};

// ---------------------------------------------------------------------------
class TRow : public TPersistent {
public:
    // An empty free-standing row with Parent AOwner (not added to its list).
    explicit TRow(TDataTable* AOwner = nullptr);
    TRow(const TRow&) = delete;
    TRow& operator=(const TRow&) = delete;
    ~TRow() override;
    String ClassName() const override { return u"TRow"; }

    TDataTable* Parent() const { return FParent; }
    void SetParent(TDataTable* Value) { FParent = Value; }
    TDataTable* RefParent() const { return FRefParent; }
    Integer ItemCount() const { return static_cast<Integer>(FItems.size()); }
    // Raises EListError outside 0..ItemCount-1.
    TCell* GetItem(Integer Index) const;
    Integer Id() const { return FId; }
    Integer Tag() const { return FTag; }
    void SetTag(Integer Value) { FTag = Value; }
    TDataSlot& Data() { return FData[0]; }
    TDataSlot& Data2() { return FData[1]; }
    TDataSlot& Data3() { return FData[2]; }
    TDataSlot& Data4() { return FData[3]; }
    TDataSlot& Data5() { return FData[4]; }
    const TIntfPtr<IInterface>& IData() const { return FIData; }
    void SetIData(const TIntfPtr<IInterface>& Value) { FIData = Value; }
    bool DataChanged() const { return FDataChanged; }
    void SetDataChanged(bool Value) { FDataChanged = Value; }
    TRowDataChangeEvent OnDataChanged;

    // Position in RefParent's list when set, else in Parent's list, else -1.
    Integer GetIndex() const;

    void BeginUpdate();
    void EndUpdate(TDataTableChangeMode ChangeMode, TCell* ACell = nullptr);

    // Cells from the pieces of sInit cut at sSplitChar, stored as they are.
    void Init(const String& sInit, Char sSplitChar);
    // One cell per value, set through the escaping Text setter.
    void Init(const std::vector<String>& Values);
    void Init(const std::vector<Integer>& Values);
    // Copies of ARow's stored texts; a row without cells gives one empty cell.
    void CopyFrom(const TRow* ARow);
    // Appends ARow's unescaped texts through the escaping setter.
    void AppendFrom(const TRow* ARow);

    void AddItem(const String& Value);
    void AddItem(const char16_t* Value) { AddItem(String(Value)); }
    void AddItem(Integer Value);
    void AddItemByText(const String& Value) { AddItem(Value); }
    void InsertItem(Integer Index, const String& Value);
    void InsertItem(Integer Index, const char16_t* Value) { InsertItem(Index, String(Value)); }
    void InsertItem(Integer Index, Integer Value);
    void MoveItem(Integer SrcIndex, Integer DestIndex);
    void RemoveItemByIndex(Integer Index);
    Integer RemoveItemByValue(Integer Value);
    Integer RemoveItemByText(const String& Value);
    void RemoveRepeated();
    Integer IndexOf(Integer Value) const;
    Integer IndexOfText(const String& Value) const;
    void Clear();
    // Cells StartIndex..Count-1 (Count -1: all) joined by sSplitChar; stored
    // texts when IsSave, else unescaped ones.
    String ToString(bool IsSave, Char sSplitChar = u',', Integer Count = -1, Integer StartIndex = 0) const;
    void Sort(TSortMode Mode);

protected:
    // Runs before the row changes: keeps a snapshot for an open batch.
    void Changing();
    void DoDataChanged(TDataTableChangeMode ChangeMode, TCell* ACell);

private:
    friend class TCell;
    friend class TDataTable;
    friend class TDataTables;
    class TUpdateGuard;

    TDataTable* ListingTable() const { return FRefParent ? FRefParent : FParent; }
    TCell* NewCell(Integer Index);
    void InitRange(const Char* First, const Char* Last, Char Sep);
    void FreeCells() { FItems.clear(); }
    size_t TextLength(Integer Count, Integer StartIndex) const;
    void AppendText(String& Out, bool IsSave, Char Sep, Integer Count, Integer StartIndex) const;
    Integer CellValue(Integer Index) const;

    TDataTable* FParent;
    TDataTable* FRefParent = nullptr;
    TDataTable* FOwner = nullptr;  // the table whose list owns this row
    std::vector<std::unique_ptr<TCell>> FItems;
    Integer FId = -1;
    Integer FTag = 0;
    bool FIsProp = false;
    bool FIsIndex = false;
    bool FDataChanged = false;
    Integer FUpdateCount = 0;
    TDataSlot FData[5];
    TIntfPtr<IInterface> FIData;
};

// ---------------------------------------------------------------------------
class TDataTable : public TPersistent {
public:
    explicit TDataTable(const String& Key = String(), const TColumnSet& ConvertSet = TColumnSet());
    TDataTable(const TDataTable&) = delete;
    TDataTable& operator=(const TDataTable&) = delete;
    ~TDataTable() override;
    String ClassName() const override { return u"TDataTable"; }

    TDataTables* Parent() const { return FParent; }
    Integer ItemCount() const { return static_cast<Integer>(FItems.size()); }
    // Raise EListError outside the list.
    TRow* GetItem(Integer Index) const;
    TCell* GetProp(Integer Index) const { return FPropertyRow->GetItem(Index); }
    Integer PropCount() const { return FPropertyRow->ItemCount(); }
    TRow* PropertyRow() const { return FPropertyRow.get(); }
    const String& FileName() const { return FFileName; }
    void SetFileName(const String& Value);
    String Name() const { return GetProp(0)->Text(); }
    void SetName(const String& Value) { GetProp(0)->SetText(Value); }
    Integer Value() const { return GetProp(1)->Value(); }
    void SetValue(Integer Value) { GetProp(1)->SetValue(Value); }
    TDataSlot& Data() { return FData[0]; }
    TDataSlot& Data2() { return FData[1]; }
    TDataSlot& Data3() { return FData[2]; }
    Integer Tag() const { return FTag; }
    void SetTag(Integer Value) { FTag = Value; }
    Integer RowIndex() const;
    void SetRowIndex(Integer Value);
    Integer ColIndex() const { return FColIndex; }
    void SetColIndex(Integer Value);
    Integer IOMode() const { return FIOMode; }
    void SetIOMode(Integer Value) { FIOMode = Value; }
    const String& Key() const { return FKey; }
    void SetKey(const String& Value) { FKey = Value; }
    const String& KeyCustom() const { return FKeyCustom; }
    void SetKeyCustom(const String& Value) { FKeyCustom = Value; }
    bool IsAddVerifyCode() const { return FIsAddVerifyCode; }
    void SetIsAddVerifyCode(bool Value) { FIsAddVerifyCode = Value; }
    const TColumnSet& ConvertSet() const { return FConvertSet; }
    const TColumnSet& ReserveLFSet() const { return FReserveLFSet; }
    void SetReserveLFSet(const TColumnSet& Value) { FReserveLFSet = Value; }
    bool DataChanged() const { return FDataChanged; }
    void SetDataChanged(bool Value);
    bool InBatch() const { return FInBatch; }
    bool PreventEvent() const { return FPreventEvent; }
    void SetPreventEvent(bool Value) { FPreventEvent = Value; }

    TDataTableDataChangeEvent OnDataChanged;
    TRowDeletingEvent OnRowDeleting;
    TRowIndexChangeEvent OnRowIndexChanged;

    void BeginUpdate();
    void EndUpdate(TDataTableChangeMode ChangeMode, TRow* ARow = nullptr, TCell* ACell = nullptr,
                   Integer Data1 = -1, Integer Data2 = -1);

    // Appends ARow itself (the table takes it over) or a copy of it; returns
    // the appended row. A row that another table's list already owns cannot be
    // appended itself (EInvalidOperation): take it out with ExtractItem first.
    TRow* AddItem(TRow* ARow, bool IsCopy);
    TRow* AddItem(std::unique_ptr<TRow> ARow) { return AddItem(ARow.release(), false); }
    TRow* AddItem(const String& sRow);
    TRow* AddItem(const char16_t* sRow) { return AddItem(String(sRow)); }
    // Lists ARow by reference: not owned, never freed by this table.
    void RefItem(TRow* ARow);
    TRow* InsertItem(Integer Index, TRow* ARow, bool IsCopy);
    void MoveItem(Integer Index, Integer ToIndex);
    // Removes the row at Index; a row listed by reference is dropped, an owned
    // one freed. An index outside the list is ignored.
    void RemoveItemByIndex(Integer Index);
    Integer RemoveItemByValue(Integer Value);
    Integer RemoveItemByText(Integer ColIndex, const String& Text);
    // Takes the row at Index out of the table without freeing it (reported as
    // a removal); the caller owns it, free-standing. Null outside the list.
    std::unique_ptr<TRow> ExtractItem(Integer Index);

    Integer IndexOfId(Integer Id) const;
    Integer IndexOfValue(Integer ColIndex, Integer Value) const;
    Integer IndexOfText(Integer ColIndex, const String& Text) const;
    Integer IndexOfText(Integer ColIndex1, const String& Text1, Integer ColIndex2, const String& Text2) const;
    TRow* GetRow(Integer ColIndex, Integer Value) const;
    TRow* GetRow(Integer ColIndex1, Integer Value1, Integer ColIndex2, Integer Value2) const;
    Integer GetRowCount(Integer ColIndex, Integer Value) const;
    Integer GetRowCount(Integer ColIndex1, Integer Value1, Integer ColIndex2, Integer Value2) const;
    bool RowIsExist(const TRow* Row, const String& IndexStr) const;
    // Columns: indexes 0..49 (empty: every column of row 0); Mode 0 integer
    // values, 1 texts.
    bool SameOf(const TDataTable* DT, const TColumnSet& Columns, Integer Mode) const;

    // Drops every row: rows listed by reference are let go, owned rows freed.
    void Empty();
    void Clear();
    void Sort(TSortMode Mode, const TRowCompare& CompareByCustom = nullptr);

    String ToString(bool IsSave) const;
    void Init(const String& sInit);
    void Init(Integer RowCount, Integer ColCount);
    void CopyFrom(const TDataTable* ADataTable, bool IncludeProp, Integer MaxCount = 0);
    void AppendFrom(const TDataTable* ADataTable, Integer MaxCount = 0);
    void AddEmptyItem(Integer Count);
    void RemoveRepeated();
    void SetPropCount(Integer Count);
    void AddPropCount(Integer Count);
    void InitData(const std::vector<String>& Values);
    void InitData(const std::vector<String>& Values, Integer RowIndex);

    std::unique_ptr<TRow> MakeRow(Integer ColIndex) const;
    std::unique_ptr<TRow> MakeIndexRow(Integer ColIndex, Integer Value) const;
    void PickDT(const TDataTable* DT, Integer ToColIndex);
    std::unique_ptr<TDataTable> MakeDT(const TByteSet& Columns, Integer FromRow, Integer ToRow) const;
    std::unique_ptr<TDataTable> MakeDT(Integer ColIndex, Integer Value, Integer& SrcIndexColIndex) const;
    std::unique_ptr<TDataTable> MakeDT(Integer ColIndex, Integer Value, Integer ColIndex2, Integer Value2,
                                       Integer& SrcIndexColIndex) const;
    std::unique_ptr<TStringList> MakeStrings(Integer ColIndex) const;
    std::unique_ptr<TStringList> MakeStrings(Integer ColIndex, Integer VIndex, Integer V) const;
    Integer SumBy(Integer ColIndex, Integer MinRowIndex, Integer MaxRowIndex) const;
    TByteSet GetColValueSet(Integer ColIndex, Integer Value, Integer ValueColIndex) const;
    TByteSet GetRowSet(Integer ColIndex, const TByteSet& Values) const;

    void BatchStart();
    void BatchCommit();
    void BatchRollback();

    // Table files: the table text, enciphered as IOMode, Key and KeyCustom
    // say, framed by check bytes when IsAddVerifyCode. A missing, empty or
    // damaged file (failed check bytes, a body that does not decipher) reads
    // as no rows; Load then builds the empty table of the given size, left
    // changed so that the next Save writes it. A damaged file is first copied
    // beside itself (KeepUnreadableTableFile), so that no save replaces the
    // user's only copy. Files that cannot be opened raise the stream's error.
    void Load(const String& sFileName, Integer AutoCreateRowCount = 0, Integer AutoCreateCellCount = 0);
    // The whole stream, from its start.
    void LoadFromStream(TStream* Stream);
    // Writes FileName when IsAs or DataChanged. The file is replaced only once
    // the new one is complete: a failed write leaves the old file as it was.
    void Save(bool IsAs = false);
    // Sets FileName and writes unconditionally; an empty name does nothing.
    void SaveAs(const String& sFileName);
    // Writes the file layout of table text S at the stream's position; raises
    // EWriteError when the stream takes less than it is given.
    void SaveToStream(const String& S, TStream* Stream) const;
    // Appends, as AppendFrom, the rows of a file read with this table's key,
    // escaped columns and IOMode (without check bytes or custom key).
    void AppendFromFile(const String& sFileName, Integer MaxCount = 0);

    Integer NewRowId() { return FNextRowId++; }
    Integer GetTableIndex() const;  // position in the parent list, -1 without one

protected:
    void DoDataChanged(TDataTableChangeMode ChangeMode, TRow* ARow, TCell* ACell, Integer Data1, Integer Data2);

private:
    friend class TCell;
    friend class TRow;
    friend class TDataTables;
    class TUpdateGuard;
    struct TBatch;

    TRow* Adopt(std::unique_ptr<TRow> ARow, Integer Index);
    static std::unique_ptr<TRow> CopyOf(const TRow* ARow);
    void ReleaseRows();
    Integer RemoveRow(Integer Index, std::unique_ptr<TRow>* Extracted);
    void LogBatchChange(TDataTableChangeMode ChangeMode, TRow* ARow, Integer Data1, Integer Data2);
    void SaveRowForBatch(TRow* ARow);
    bool Lists(const TRow* ARow) const { return ARow->FOwner == this || ARow->FRefParent == this; }
    Integer IndexOfRow(const TRow* ARow) const;
    void Forget(const TRow* ARow);
    // Does the row's cell ColIndex read as Text (ignoring the case of A..Z)?
    static bool CellIs(const TRow* Row, Integer ColIndex, const String& Text, bool IgnoreCase = true);
    template <class Pred>
    Integer FindRow(Pred Match) const;

    TDataTables* FParent = nullptr;
    TDataSlot FData[3];
    std::vector<TRow*> FItems;  // owned unless listed by reference (see Lists / FOwner)
    String FFileName;
    Integer FNextRowId = 1;
    Integer FTag = 0;
    std::unique_ptr<TRow> FPropertyRow;
    Integer FUpdateCount = 0;
    bool FDataChanged = false;
    mutable bool FRowIndexChanged = false;
    mutable Integer FRowIndex = -1;
    Integer FColIndex = -1;
    Integer FIOMode = 2;
    String FKey;
    String FKeyCustom;
    bool FIsAddVerifyCode = false;
    TColumnSet FConvertSet;
    TColumnSet FReserveLFSet;
    Integer FInitIndex = 0;
    std::unique_ptr<TBatch> FBatch;
    bool FInBatch = false;
    bool FPreventEvent = false;
};

// ---------------------------------------------------------------------------
// An ordered list of tables with a property row of its own, read and written as
// one text: "{" + property row + "}" + the table texts joined by "&".
class TDataTables : public TPersistent {
public:
    TDataTables();
    TDataTables(const TDataTables&) = delete;
    TDataTables& operator=(const TDataTables&) = delete;
    ~TDataTables() override;
    String ClassName() const override { return u"TDataTables"; }

    Integer ItemCount() const { return static_cast<Integer>(FItems.size()); }
    TDataTable* GetItem(Integer Index) const;
    TRow* PropertyRow() const { return FPropertyRow.get(); }
    const String& FileName() const { return FFileName; }
    void SetFileName(const String& Value);
    bool IsEncrypt() const { return FIsEncrypt; }
    void SetIsEncrypt(bool Value) { FIsEncrypt = Value; }
    Integer Tag() const { return FTag; }
    void SetTag(Integer Value) { FTag = Value; }
    bool DataChanged() const { return FDataChanged; }
    void SetDataChanged(bool Value);

    TDataTablesDataChangeEvent OnDataChanged;
    TTableDeletingEvent OnTableDeleting;

    void BeginUpdate();
    void EndUpdate(TDataTableChangeMode ChangeMode, Integer TCount = -1, TDataTable* ADataTable = nullptr,
                   Integer TIndex = -1);

    // Appends the table itself (the list takes it over) or a copy of its rows.
    TDataTable* AddItem(TDataTable* ADataTable, bool IsCopy);
    void AddEmptyItem(Integer Count);
    void InsertItem(Integer Index, TDataTable* ADataTable);
    void MoveItem(Integer Index, Integer ToIndex);
    // Index >= 0: the table at Index; otherwise Item. Only a table of this
    // list is freed; for any other the result is -1 and nothing happens.
    Integer RemoveItem(TDataTable* Item, Integer Index);
    void RemoveItemByIndex(Integer Index);
    void Clear();
    void CopyFrom(const TDataTables* ADataTables, Integer MaxCount = 0);
    void Assign(TPersistent* Source) override;

    String ToString(Integer Mode = 0) const;
    void Init(const String& sInit);
    void Load(const String& sFileName, Integer Mode = 0);
    void LoadFromStream(TStream* Stream, Integer Mode = 0);
    void Save(const String& sFileName, Integer Mode = 0);
    void SaveToStream(TStream* Stream, Integer Mode = 0) const;

protected:
    void DoDataChanged(TDataTableChangeMode ChangeMode, Integer TCount, TDataTable* ADataTable, Integer Index);

private:
    friend class TDataTable;
    class TUpdateGuard;
    TDataTable* Adopt(std::unique_ptr<TDataTable> ADataTable, Integer Index);
    void Forget(const TDataTable* ADataTable);
    void FreeTables();

    std::vector<std::unique_ptr<TDataTable>> FItems;
    String FFileName;
    bool FIsEncrypt = false;
    Integer FTag = 0;
    std::unique_ptr<TRow> FPropertyRow;
    bool FDataChanged = false;
    Integer FUpdateCount = 0;
};
