#include "foundation/HyDataTable.h"

#include <algorithm>
#include <cstring>
#include <random>
#include <unordered_set>

#include "foundation/HyCrypUtils.h"
#include "foundation/HyFileUtils.h"

namespace {

constexpr Char EscComma = 26;  // stored in place of "," in an escaped column
constexpr Char EscBar = 27;    // stored in place of "|"
// Stored in place of "#" inside the property row of a table text: a "#" there
// would end the property part early and shift every later cell. Old readers
// see this character in the cell instead; texts without it read as before.
constexpr Char EscHash = 28;

[[noreturn]] void ListIndexError(Integer Index)
{
    throw EListError(Format(u"List index out of bounds (%d)", {Index}));
}

Char FoldAscii(Char C)
{
    return (C >= u'a' && C <= u'z') ? static_cast<Char>(C - 32) : C;
}

Char Unescaped(Char C)
{
    return C == EscComma ? u',' : C == EscBar ? u'|' : C;
}

// The escaping of a cell text written into an escaped column.
String EscapeForColumn(const String& Value, bool KeepLineBreaks)
{
    String R;
    R.reserve(Value.size());
    for (Char C : Value) {
        if (C == 0) break;  // a NUL ends the text
        if (C == u',')
            R += EscComma;
        else if (C == u'|')
            R += EscBar;
        else if (C < 32)
            R += (KeepLineBreaks && (C == 9 || C == 10 || C == 13)) ? C : u' ';
        else
            R += C;
    }
    return R;
}

// Compares by sign: subtracting two integers can overflow.
Integer CompareInt(Integer A, Integer B)
{
    return A < B ? -1 : A > B ? 1 : 0;
}

}  // namespace

TColumnSet ColumnRange(Integer From, Integer To)
{
    TColumnSet S;
    for (Integer I = std::max(From, 0); I <= To && I < 104; ++I) S.set(static_cast<size_t>(I));
    return S;
}

String EscapeCellText(const String& S)
{
    String R = S;
    for (Char& C : R)
        if (C == u',') C = EscComma;
    for (Char& C : R)
        if (C == u'|') C = EscBar;
    return R;
}

String UnescapeCellText(const String& S)
{
    String R = S;
    for (Char& C : R)
        if (C == EscComma) C = u',';
    for (Char& C : R)
        if (C == EscBar) C = u'|';
    return R;
}

// ---------------------------------------------------------------------------
// TDataSlot

void TDataSlot::Reset(Pointer Value, void (*Deleter)(Pointer))
{
    if (Value == FPtr) {
        // The same object again: take the new ownership rule, free nothing.
        FDeleter = Value ? Deleter : nullptr;
        return;
    }
    Pointer Old = FPtr;
    void (*OldDeleter)(Pointer) = FDeleter;
    FPtr = Value;
    FDeleter = Deleter;
    // Freed after the slot holds its new content, so a destructor that looks
    // at the slot sees a consistent state.
    if (Old && OldDeleter) OldDeleter(Old);
}

// ---------------------------------------------------------------------------
// Update levels opened by the multi-step operations: closed on every path;
// Report closes the level and reports when it reaches 0, the destructor closes
// it silently (nothing to report, or an exception on the way out).

class TRow::TUpdateGuard {
public:
    explicit TUpdateGuard(TRow* Row) : FRow(Row) { Row->BeginUpdate(); }
    TUpdateGuard(const TUpdateGuard&) = delete;
    TUpdateGuard& operator=(const TUpdateGuard&) = delete;
    ~TUpdateGuard()
    {
        if (FRow && FRow->FUpdateCount > 0) --FRow->FUpdateCount;
    }
    void Report(TDataTableChangeMode Mode, TCell* ACell = nullptr)
    {
        TRow* Row = FRow;
        FRow = nullptr;
        Row->EndUpdate(Mode, ACell);
    }

private:
    TRow* FRow;
};

class TDataTable::TUpdateGuard {
public:
    explicit TUpdateGuard(TDataTable* Table) : FTable(Table) { Table->BeginUpdate(); }
    TUpdateGuard(const TUpdateGuard&) = delete;
    TUpdateGuard& operator=(const TUpdateGuard&) = delete;
    ~TUpdateGuard()
    {
        if (FTable && FTable->FUpdateCount > 0) --FTable->FUpdateCount;
    }
    void Report(TDataTableChangeMode Mode, TRow* ARow = nullptr)
    {
        TDataTable* Table = FTable;
        FTable = nullptr;
        Table->EndUpdate(Mode, ARow);
    }

private:
    TDataTable* FTable;
};

class TDataTables::TUpdateGuard {
public:
    explicit TUpdateGuard(TDataTables* List) : FList(List) { List->BeginUpdate(); }
    TUpdateGuard(const TUpdateGuard&) = delete;
    TUpdateGuard& operator=(const TUpdateGuard&) = delete;
    ~TUpdateGuard()
    {
        if (FList && FList->FUpdateCount > 0) --FList->FUpdateCount;
    }
    void Report(TDataTableChangeMode Mode)
    {
        TDataTables* List = FList;
        FList = nullptr;
        List->EndUpdate(Mode);
    }

private:
    TDataTables* FList;
};

// ---------------------------------------------------------------------------
// TCell

Integer TCell::GetIndex() const
{
    if (!FParent) return -1;
    const auto& Items = FParent->FItems;
    for (size_t I = 0; I < Items.size(); ++I)
        if (Items[I].get() == this) return static_cast<Integer>(I);
    return -1;
}

bool TCell::IsEscapedAt(Integer Index) const
{
    if (!FParent || !FParent->FParent) return false;
    return Index >= 0 && Index < 104 && FParent->FParent->FConvertSet.test(static_cast<size_t>(Index));
}

String TCell::Text() const
{
    // Unescaping only changes characters 26 and 27: without them the stored
    // text is the answer, whatever the column.
    if (FText.empty() || FText.find_first_of(u"\x1A\x1B") == String::npos) return FText;
    return IsEscapedAt(GetIndex()) ? UnescapeCellText(FText) : FText;
}

void TCell::SetText(const String& Value)
{
    bool MayEscape = !Value.empty() && FParent && FParent->FParent && FParent->FParent->FConvertSet.any();
    SetTextAt(MayEscape ? GetIndex() : -1, Value);
}

void TCell::SetTextAt(Integer Index, const String& Value)
{
    if (Value == FText) return;
    if (!Value.empty() && IsEscapedAt(Index)) {
        const TDataTable* Table = FParent->FParent;
        bool KeepLineBreaks = Table->FReserveLFSet.test(static_cast<size_t>(Index)) || (Table->FIOMode & 1);
        String Escaped = EscapeForColumn(Value, KeepLineBreaks);
        if (Escaped == FText) return;
        Store(std::move(Escaped));
    } else {
        Store(Value);
    }
}

void TCell::Store(String Value)
{
    if (!FParent) {
        FText = std::move(Value);
        return;
    }
    FParent->Changing();
    FText = std::move(Value);
    FParent->DoDataChanged(cmCellEdit, this);
}

Integer TCell::Value() const
{
    return FText.empty() ? 0 : StrToInt(FText);
}

void TCell::SetValue(Integer Value)
{
    String S = IntToStr(Value);
    if (S != FText) Store(std::move(S));
}

bool TCell::AsBool() const
{
    return FText.empty() ? false : StrToBool(FText);
}

void TCell::SetAsBool(bool Value)
{
    String S = Value ? u"-1" : u"0";
    if (S != FText) Store(std::move(S));
}

// Does the cell's unescaped text equal Text? Compared in place, without
// building the unescaped copy (searches run over whole tables).
static bool CellTextIs(const String& Stored, bool Escaped, const String& Text, bool IgnoreCase)
{
    if (Stored.size() != Text.size()) return false;
    for (size_t I = 0; I < Stored.size(); ++I) {
        Char A = Escaped ? Unescaped(Stored[I]) : Stored[I];
        Char B = Text[I];
        if (A != B && (!IgnoreCase || FoldAscii(A) != FoldAscii(B))) return false;
    }
    return true;
}

// ---------------------------------------------------------------------------
// TRow

TRow::TRow(TDataTable* AOwner) : FParent(AOwner) {}

TRow::~TRow()
{
    // A row freed directly while a table still lists it leaves the list first,
    // so the list never holds a freed row.
    if (FOwner) FOwner->Forget(this);
    if (FRefParent && FRefParent != FOwner) FRefParent->Forget(this);
}

TCell* TRow::GetItem(Integer Index) const
{
    if (Index < 0 || Index >= ItemCount()) ListIndexError(Index);
    return FItems[static_cast<size_t>(Index)].get();
}

Integer TRow::GetIndex() const
{
    const TDataTable* Table = ListingTable();
    return Table ? Table->IndexOfRow(this) : -1;
}

void TRow::BeginUpdate()
{
    Changing();
    ++FUpdateCount;
}

void TRow::EndUpdate(TDataTableChangeMode ChangeMode, TCell* ACell)
{
    if (FUpdateCount > 0) --FUpdateCount;
    if (FUpdateCount == 0) DoDataChanged(ChangeMode, ACell);
}

void TRow::Changing()
{
    if (FUpdateCount > 0) return;
    TDataTable* Table = ListingTable();
    if (Table && Table->FInBatch) Table->SaveRowForBatch(this);
}

void TRow::DoDataChanged(TDataTableChangeMode ChangeMode, TCell* ACell)
{
    if (FUpdateCount > 0) return;
    FDataChanged = true;
    if (OnDataChanged) OnDataChanged(this, ChangeMode, ACell);
    if (TDataTable* Table = ListingTable()) Table->DoDataChanged(ChangeMode, this, ACell, -1, -1);
}

TCell* TRow::NewCell(Integer Index)
{
    auto Cell = std::make_unique<TCell>(this);
    TCell* P = Cell.get();
    FItems.insert(FItems.begin() + Index, std::move(Cell));
    return P;
}

void TRow::InitRange(const Char* First, const Char* Last, Char Sep)
{
    FreeCells();
    Last = std::find(First, Last, Char(0));  // the text ends at a NUL
    FItems.reserve(static_cast<size_t>(std::count(First, Last, Sep)) + 1);
    const Char* Start = First;
    for (;;) {
        const Char* Stop = std::find(Start, Last, Sep);
        auto Cell = std::make_unique<TCell>(this);
        Cell->FText.assign(Start, Stop);
        FItems.push_back(std::move(Cell));
        if (Stop == Last) break;
        Start = Stop + 1;
    }
}

void TRow::Init(const String& sInit, Char sSplitChar)
{
    TUpdateGuard Guard(this);
    InitRange(sInit.data(), sInit.data() + sInit.size(), sSplitChar);
    Guard.Report(cmRowInit);
}

void TRow::Init(const std::vector<String>& Values)
{
    TUpdateGuard Guard(this);
    FreeCells();
    for (size_t I = 0; I < Values.size(); ++I) {
        Integer Index = static_cast<Integer>(I);
        NewCell(Index)->SetTextAt(Index, Values[I]);
    }
    Guard.Report(cmRowInit);
}

void TRow::Init(const std::vector<Integer>& Values)
{
    TUpdateGuard Guard(this);
    FreeCells();
    for (Integer V : Values) NewCell(ItemCount())->FText = IntToStr(V);
    Guard.Report(cmRowInit);
}

void TRow::CopyFrom(const TRow* ARow)
{
    std::vector<String> Texts;  // taken first: ARow may be this row
    if (ARow)
        for (const auto& Cell : ARow->FItems) Texts.push_back(Cell->FText);
    if (Texts.empty()) Texts.emplace_back();
    TUpdateGuard Guard(this);
    FreeCells();
    FItems.reserve(Texts.size());
    for (String& T : Texts) NewCell(ItemCount())->FText = std::move(T);
    Guard.Report(cmRowInit);
}

void TRow::AppendFrom(const TRow* ARow)
{
    std::vector<String> Texts;
    if (ARow)
        for (const auto& Cell : ARow->FItems) Texts.push_back(Cell->Text());
    TUpdateGuard Guard(this);
    for (const String& T : Texts) {
        Integer Index = ItemCount();
        NewCell(Index)->SetTextAt(Index, T);
    }
    Guard.Report(cmRowInit);
}

void TRow::AddItem(const String& Value)
{
    InsertItem(ItemCount(), Value);
}

void TRow::AddItem(Integer Value)
{
    InsertItem(ItemCount(), Value);
}

void TRow::InsertItem(Integer Index, const String& Value)
{
    TUpdateGuard Guard(this);
    if (Index < 0 || Index > ItemCount()) ListIndexError(Index);
    TCell* Cell = NewCell(Index);
    Cell->SetTextAt(Index, Value);
    Guard.Report(cmCellAdd, Cell);
}

void TRow::InsertItem(Integer Index, Integer Value)
{
    TUpdateGuard Guard(this);
    if (Index < 0 || Index > ItemCount()) ListIndexError(Index);
    TCell* Cell = NewCell(Index);
    Cell->FText = IntToStr(Value);
    Guard.Report(cmCellAdd, Cell);
}

void TRow::MoveItem(Integer SrcIndex, Integer DestIndex)
{
    if (SrcIndex == DestIndex) return;
    Changing();
    TCell* Cell = GetItem(SrcIndex);
    if (DestIndex < 0 || DestIndex >= ItemCount()) ListIndexError(DestIndex);
    auto Owned = std::move(FItems[static_cast<size_t>(SrcIndex)]);
    FItems.erase(FItems.begin() + SrcIndex);
    FItems.insert(FItems.begin() + DestIndex, std::move(Owned));
    DoDataChanged(cmCellMove, Cell);
}

void TRow::RemoveItemByIndex(Integer Index)
{
    Changing();
    GetItem(Index);
    FItems.erase(FItems.begin() + Index);
    DoDataChanged(cmCellDeleted, nullptr);
}

Integer TRow::RemoveItemByValue(Integer Value)
{
    Integer Index = IndexOf(Value);
    if (Index >= 0) RemoveItemByIndex(Index);
    return Index;
}

Integer TRow::RemoveItemByText(const String& Value)
{
    Integer Index = IndexOfText(Value);
    if (Index >= 0) RemoveItemByIndex(Index);
    return Index;
}

void TRow::RemoveRepeated()
{
    TUpdateGuard Guard(this);
    // A cell goes when an earlier cell has the same text: the first of each
    // text stays.
    std::vector<bool> Repeated(FItems.size());
    std::unordered_set<String> Seen;
    for (size_t I = 0; I < FItems.size(); ++I) Repeated[I] = !Seen.insert(FItems[I]->Text()).second;
    bool Removed = false;
    for (size_t I = FItems.size(); I-- > 1;)
        if (Repeated[I]) {
            RemoveItemByIndex(static_cast<Integer>(I));
            Removed = true;
        }
    if (Removed) Guard.Report(cmCellDeleted);
}

Integer TRow::CellValue(Integer Index) const
{
    return GetItem(Index)->Value();
}

Integer TRow::IndexOf(Integer Value) const
{
    for (Integer I = 0; I < ItemCount(); ++I)
        if (CellValue(I) == Value) return I;
    return -1;
}

Integer TRow::IndexOfText(const String& Value) const
{
    for (Integer I = 0; I < ItemCount(); ++I) {
        const TCell* Cell = FItems[static_cast<size_t>(I)].get();
        if (CellTextIs(Cell->FText, Cell->IsEscapedAt(I), Value, true)) return I;
    }
    return -1;
}

void TRow::Clear()
{
    if (FItems.empty()) return;
    Changing();
    FreeCells();
    DoDataChanged(cmRowClear, nullptr);
}

size_t TRow::TextLength(Integer Count, Integer StartIndex) const
{
    if (Count <= StartIndex) return 0;
    size_t Length = static_cast<size_t>(Count - StartIndex - 1);  // the separators
    for (Integer I = StartIndex; I < Count; ++I) Length += FItems[static_cast<size_t>(I)]->FText.size();
    return Length;
}

void TRow::AppendText(String& Out, bool IsSave, Char Sep, Integer Count, Integer StartIndex) const
{
    if (Count == -1) Count = ItemCount();
    if (Count - 1 < StartIndex) return;
    if (StartIndex < 0) ListIndexError(StartIndex);
    if (Count > ItemCount()) ListIndexError(Count - 1);
    for (Integer I = StartIndex; I < Count; ++I) {
        const TCell* Cell = FItems[static_cast<size_t>(I)].get();
        if (!IsSave && Cell->IsEscapedAt(I))
            for (Char C : Cell->FText) Out += Unescaped(C);
        else
            Out += Cell->FText;
        if (I + 1 < Count) Out += Sep;
    }
}

String TRow::ToString(bool IsSave, Char sSplitChar, Integer Count, Integer StartIndex) const
{
    if (Count == -1) Count = ItemCount();
    String Result;
    if (Count - 1 < StartIndex) return Result;
    if (StartIndex >= 0 && Count <= ItemCount()) Result.reserve(TextLength(Count, StartIndex));
    AppendText(Result, IsSave, sSplitChar, Count, StartIndex);
    return Result;
}

void TRow::Sort(TSortMode Mode)
{
    if (FItems.empty()) return;
    std::vector<size_t> Order(FItems.size());
    for (size_t I = 0; I < Order.size(); ++I) Order[I] = I;
    if (Mode == smText) {
        // Keys first: unescaping depends on the column a cell is in.
        std::vector<String> Keys;
        for (size_t I = 0; I < FItems.size(); ++I) Keys.push_back(FItems[I]->Text());
        std::stable_sort(Order.begin(), Order.end(),
                         [&](size_t A, size_t B) { return CompareText(Keys[A], Keys[B]) < 0; });
    } else if (Mode == smValueInc || Mode == smValueDec) {
        std::vector<Integer> Keys;
        for (size_t I = 0; I < FItems.size(); ++I) Keys.push_back(FItems[I]->Value());
        Integer Sign = Mode == smValueInc ? 1 : -1;
        std::stable_sort(Order.begin(), Order.end(),
                         [&](size_t A, size_t B) { return Sign * CompareInt(Keys[A], Keys[B]) < 0; });
    }
    Changing();
    std::vector<std::unique_ptr<TCell>> Sorted;
    Sorted.reserve(FItems.size());
    for (size_t I : Order) Sorted.push_back(std::move(FItems[I]));
    FItems = std::move(Sorted);
    DoDataChanged(cmSort, nullptr);
}

// ---------------------------------------------------------------------------
// TDataTable

struct TDataTable::TBatch {
    struct TEntry {
        Integer Kind;  // 0 row added, 1 row deleted, 3 row moved
        Integer A, B;
    };
    std::vector<TEntry> Journal;
    std::vector<std::unique_ptr<TRow>> Snapshots;  // free-standing copies carrying the ids
    std::unordered_set<Integer> SnapshotIds;
};

TDataTable::TDataTable(const String& Key, const TColumnSet& ConvertSet)
    : FPropertyRow(std::make_unique<TRow>(this)), FKey(Key), FConvertSet(ConvertSet)
{
    FPropertyRow->FId = 0;
    FPropertyRow->FIsProp = true;
    for (int I = 0; I < 10; ++I) FPropertyRow->NewCell(I);
}

TDataTable::~TDataTable()
{
    ReleaseRows();
    // Freed directly while a list holds it: the list lets go of it.
    if (FParent) FParent->Forget(this);
}

void TDataTable::Forget(const TRow* ARow)
{
    FItems.erase(std::remove(FItems.begin(), FItems.end(), ARow), FItems.end());
    FRowIndexChanged = true;
}

void TDataTable::ReleaseRows()
{
    // Owned rows are freed, rows listed by reference only let go. Ownership
    // is cleared first so a row listed twice is freed once.
    std::vector<TRow*> Owned;
    for (TRow* Row : FItems) {
        if (Row->FOwner == this) {
            Row->FOwner = nullptr;
            Owned.push_back(Row);
        } else {
            if (Row->FRefParent == this) Row->FRefParent = nullptr;
            Row->FIsIndex = false;
        }
    }
    FItems.clear();
    for (TRow* Row : Owned) delete Row;
}

TRow* TDataTable::GetItem(Integer Index) const
{
    if (Index < 0 || Index >= ItemCount()) ListIndexError(Index);
    return FItems[static_cast<size_t>(Index)];
}

void TDataTable::SetFileName(const String& Value)
{
    if (Value != FFileName) FFileName = Value;
}

Integer TDataTable::IndexOfRow(const TRow* ARow) const
{
    if (!FItems.empty() && FItems.back() == ARow) return ItemCount() - 1;
    auto It = std::find(FItems.begin(), FItems.end(), ARow);
    return It == FItems.end() ? -1 : static_cast<Integer>(It - FItems.begin());
}

Integer TDataTable::RowIndex() const
{
    if (FRowIndexChanged) {
        FRowIndex = -1;
        for (size_t I = 0; I < FItems.size(); ++I)
            if (FItems[I]->FIsIndex) {
                FRowIndex = static_cast<Integer>(I);
                break;
            }
        FRowIndexChanged = false;
    }
    return FRowIndex;
}

void TDataTable::SetRowIndex(Integer Value)
{
    Integer Current = RowIndex();
    if (Value == Current) return;
    if (Current >= 0) FItems[static_cast<size_t>(Current)]->FIsIndex = false;
    if (Value < 0 || Value >= ItemCount()) {
        FRowIndex = -1;
    } else {
        FItems[static_cast<size_t>(Value)]->FIsIndex = true;
        FRowIndex = Value;
    }
    if (OnRowIndexChanged) OnRowIndexChanged(this, FRowIndex);
}

void TDataTable::SetColIndex(Integer Value)
{
    if (FItems.empty() || Value < 0 || Value >= FItems[0]->ItemCount())
        FColIndex = -1;
    else
        FColIndex = Value;
}

void TDataTable::SetDataChanged(bool Value)
{
    if (Value) {
        FDataChanged = true;
        DoDataChanged(cmDirect, nullptr, nullptr, -1, -1);
        return;
    }
    FDataChanged = false;
    FPropertyRow->FDataChanged = false;
    for (TRow* Row : FItems) Row->FDataChanged = false;
}

void TDataTable::BeginUpdate()
{
    ++FUpdateCount;
}

void TDataTable::EndUpdate(TDataTableChangeMode ChangeMode, TRow* ARow, TCell* ACell, Integer Data1, Integer Data2)
{
    if (FUpdateCount > 0) --FUpdateCount;
    if (FUpdateCount == 0) DoDataChanged(ChangeMode, ARow, ACell, Data1, Data2);
}

void TDataTable::DoDataChanged(TDataTableChangeMode ChangeMode, TRow* ARow, TCell* ACell, Integer Data1,
                               Integer Data2)
{
    if (FUpdateCount > 0) return;
    FDataChanged = true;
    if (ARow && ARow == FPropertyRow.get()) ChangeMode = cmPropChange;
    LogBatchChange(ChangeMode, ARow, Data1, Data2);
    if (OnDataChanged && !FPreventEvent) OnDataChanged(this, ChangeMode, ARow, ACell, Data1, Data2);
    if (FParent) FParent->DoDataChanged(ChangeMode, 1, this, -1);
}

std::unique_ptr<TRow> TDataTable::CopyOf(const TRow* ARow)
{
    // Made free-standing so that its own Init reports reach nobody.
    auto Copy = std::make_unique<TRow>(nullptr);
    Copy->CopyFrom(ARow);
    return Copy;
}

TRow* TDataTable::Adopt(std::unique_ptr<TRow> ARow, Integer Index)
{
    TRow* Row = ARow.release();
    Row->FParent = this;
    Row->FOwner = this;
    Row->FId = NewRowId();
    Row->FIsIndex = false;
    if (Index < 0)
        FItems.push_back(Row);
    else
        FItems.insert(FItems.begin() + Index, Row);
    return Row;
}

TRow* TDataTable::AddItem(TRow* ARow, bool IsCopy)
{
    if (!ARow) return nullptr;
    if (!IsCopy) {
        // A row owned or listed already would be freed twice.
        if (ARow->FOwner || ARow->FRefParent == this)
            throw EInvalidOperation(u"The row belongs to a table already");
    }
    std::unique_ptr<TRow> Row = IsCopy ? CopyOf(ARow) : std::unique_ptr<TRow>(ARow);
    TUpdateGuard Guard(this);
    TRow* P = Adopt(std::move(Row), -1);
    Guard.Report(cmRowAdd, P);
    return P;
}

TRow* TDataTable::AddItem(const String& sRow)
{
    auto Row = std::make_unique<TRow>(nullptr);
    Row->Init(sRow, u',');
    return AddItem(std::move(Row));
}

void TDataTable::RefItem(TRow* ARow)
{
    if (!ARow || Lists(ARow)) return;
    ARow->FRefParent = this;
    FItems.push_back(ARow);
}

TRow* TDataTable::InsertItem(Integer Index, TRow* ARow, bool IsCopy)
{
    if (!ARow) return nullptr;
    if (Index < 0 || Index > ItemCount()) ListIndexError(Index);
    if (!IsCopy) {
        // A row owned or listed already would be freed twice.
        if (ARow->FOwner || ARow->FRefParent == this)
            throw EInvalidOperation(u"The row belongs to a table already");
    }
    std::unique_ptr<TRow> Row = IsCopy ? CopyOf(ARow) : std::unique_ptr<TRow>(ARow);
    TRow* P = Adopt(std::move(Row), Index);
    FRowIndexChanged = true;
    DoDataChanged(cmRowAdd, P, nullptr, -1, -1);
    return P;
}

void TDataTable::MoveItem(Integer Index, Integer ToIndex)
{
    if (Index == ToIndex) return;
    TRow* Row = GetItem(Index);
    if (ToIndex < 0 || ToIndex >= ItemCount()) ListIndexError(ToIndex);
    FItems.erase(FItems.begin() + Index);
    FItems.insert(FItems.begin() + ToIndex, Row);
    FRowIndexChanged = true;
    DoDataChanged(cmRowMove, Row, nullptr, Index, ToIndex);
}

Integer TDataTable::RemoveRow(Integer Index, std::unique_ptr<TRow>* Extracted)
{
    Integer Current = RowIndex();
    TRow* Row = FItems[static_cast<size_t>(Index)];
    if (OnRowDeleting) {
        OnRowDeleting(true, this, Row, Index);
        // The handler may have changed the list.
        Index = IndexOfRow(Row);
        if (Index < 0) return -1;
        Current = RowIndex();
    }
    SaveRowForBatch(Row);
    Integer Id = Row->FId;
    FItems.erase(FItems.begin() + Index);
    bool WasCurrent = Index == Current;
    if (WasCurrent) {
        FRowIndex = -1;
        FRowIndexChanged = false;
    } else {
        FRowIndexChanged = true;
    }
    Row->FIsIndex = false;
    if (Row->FRefParent == this) Row->FRefParent = nullptr;
    if (Extracted) {
        Row->FOwner = nullptr;
        Row->FParent = nullptr;
        Extracted->reset(Row);
    } else if (Row->FOwner == this) {
        Row->FOwner = nullptr;
        delete Row;
    }
    DoDataChanged(cmRowDeleted, nullptr, nullptr, Index, Id);
    if (WasCurrent && OnRowIndexChanged) OnRowIndexChanged(this, -1);
    return Index;
}

void TDataTable::RemoveItemByIndex(Integer Index)
{
    if (Index < 0 || Index >= ItemCount()) return;
    RemoveRow(Index, nullptr);
}

Integer TDataTable::RemoveItemByValue(Integer Value)
{
    Integer Index = IndexOfValue(0, Value);
    return Index >= 0 ? RemoveRow(Index, nullptr) : -1;
}

Integer TDataTable::RemoveItemByText(Integer ColIndex, const String& Text)
{
    Integer Index = IndexOfText(ColIndex, Text);
    return Index >= 0 ? RemoveRow(Index, nullptr) : -1;
}

std::unique_ptr<TRow> TDataTable::ExtractItem(Integer Index)
{
    std::unique_ptr<TRow> Row;
    if (Index < 0 || Index >= ItemCount()) return Row;
    if (FItems[static_cast<size_t>(Index)]->FOwner != this)
        throw EInvalidOperation(u"A row listed by reference cannot be extracted");
    RemoveRow(Index, &Row);
    return Row;
}

template <class Pred>
Integer TDataTable::FindRow(Pred Match) const
{
    for (size_t I = 0; I < FItems.size(); ++I)
        if (Match(FItems[I])) return static_cast<Integer>(I);
    return -1;
}

Integer TDataTable::IndexOfId(Integer Id) const
{
    return FindRow([&](const TRow* Row) { return Row->FId == Id; });
}

Integer TDataTable::IndexOfValue(Integer ColIndex, Integer Value) const
{
    return FindRow([&](const TRow* Row) { return Row->CellValue(ColIndex) == Value; });
}

Integer TDataTable::IndexOfText(Integer ColIndex, const String& Text) const
{
    return FindRow([&](const TRow* Row) { return CellIs(Row, ColIndex, Text); });
}

Integer TDataTable::IndexOfText(Integer ColIndex1, const String& Text1, Integer ColIndex2, const String& Text2) const
{
    return FindRow([&](const TRow* Row) {
        return CellIs(Row, ColIndex1, Text1) && CellIs(Row, ColIndex2, Text2);
    });
}

TRow* TDataTable::GetRow(Integer ColIndex, Integer Value) const
{
    Integer Index = IndexOfValue(ColIndex, Value);
    return Index >= 0 ? FItems[static_cast<size_t>(Index)] : nullptr;
}

TRow* TDataTable::GetRow(Integer ColIndex1, Integer Value1, Integer ColIndex2, Integer Value2) const
{
    Integer Index = FindRow([&](const TRow* Row) {
        return Row->CellValue(ColIndex1) == Value1 && Row->CellValue(ColIndex2) == Value2;
    });
    return Index >= 0 ? FItems[static_cast<size_t>(Index)] : nullptr;
}

Integer TDataTable::GetRowCount(Integer ColIndex, Integer Value) const
{
    Integer Count = 0;
    for (const TRow* Row : FItems)
        if (Row->CellValue(ColIndex) == Value) ++Count;
    return Count;
}

Integer TDataTable::GetRowCount(Integer ColIndex1, Integer Value1, Integer ColIndex2, Integer Value2) const
{
    Integer Count = 0;
    for (const TRow* Row : FItems)
        if (Row->CellValue(ColIndex1) == Value1 && Row->CellValue(ColIndex2) == Value2) ++Count;
    return Count;
}

bool TDataTable::RowIsExist(const TRow* Row, const String& IndexStr) const
{
    if (FItems.empty() || !Row) return false;
    std::vector<Integer> Columns;
    if (IndexStr.empty()) {
        for (Integer I = 0; I < FItems[0]->ItemCount(); ++I) Columns.push_back(I);
    } else {
        size_t Start = 0;
        for (;;) {
            size_t Stop = IndexStr.find(u',', Start);
            Columns.push_back(StrToInt(IndexStr.substr(Start, Stop - Start)));
            if (Stop == String::npos) break;
            Start = Stop + 1;
        }
    }
    std::vector<String> Texts;
    for (Integer C : Columns) Texts.push_back(Row->GetItem(C)->Text());
    return FindRow([&](const TRow* R) {
               if (R->ItemCount() != Row->ItemCount()) return false;
               for (size_t I = 0; I < Columns.size(); ++I)
                   if (!CellIs(R, Columns[I], Texts[I])) return false;
               return true;
           }) >= 0;
}

bool TDataTable::SameOf(const TDataTable* DT, const TColumnSet& Columns, Integer Mode) const
{
    if (!DT || DT->ItemCount() != ItemCount()) return false;
    if (FItems.empty()) return true;
    if (Mode != 0 && Mode != 1) return false;
    std::vector<Integer> Cols;
    for (Integer C = 0; C < 50; ++C)
        if (Columns.test(static_cast<size_t>(C))) Cols.push_back(C);
    if (Cols.empty())
        for (Integer C = 0; C < FItems[0]->ItemCount(); ++C) Cols.push_back(C);
    for (size_t I = 0; I < FItems.size(); ++I) {
        const TRow* A = FItems[I];
        const TRow* B = DT->FItems[I];
        if (A->ItemCount() != B->ItemCount()) return false;
        for (Integer C : Cols) {
            if (Mode == 0 ? A->CellValue(C) != B->CellValue(C) : !CellIs(A, C, B->GetItem(C)->Text(), false))
                return false;
        }
    }
    return true;
}

bool TDataTable::CellIs(const TRow* Row, Integer ColIndex, const String& Text, bool IgnoreCase)
{
    const TCell* Cell = Row->GetItem(ColIndex);
    return CellTextIs(Cell->FText, Cell->IsEscapedAt(ColIndex), Text, IgnoreCase);
}

void TDataTable::Empty()
{
    ReleaseRows();
    FNextRowId = 1;
    FRowIndex = -1;
    FRowIndexChanged = false;
    FInitIndex = 0;
}

void TDataTable::Clear()
{
    Integer Old = RowIndex();
    bool HadRows = !FItems.empty();
    ReleaseRows();
    FNextRowId = 1;
    FInitIndex = 0;
    FRowIndex = -1;
    FRowIndexChanged = false;
    if (HadRows) DoDataChanged(cmTableClear, nullptr, nullptr, -1, -1);
    if (Old != -1 && OnRowIndexChanged) OnRowIndexChanged(this, -1);
}

void TDataTable::Sort(TSortMode Mode, const TRowCompare& CompareByCustom)
{
    if (FItems.empty()) return;
    // Sorted on the side: a comparer that raises leaves the table as it was.
    std::vector<TRow*> Sorted = FItems;
    if (Mode == smValueInc || Mode == smValueDec) {
        std::vector<std::pair<Integer, TRow*>> Keys;
        Keys.reserve(Sorted.size());
        for (TRow* Row : Sorted) Keys.emplace_back(Row->CellValue(0), Row);
        Integer Sign = Mode == smValueInc ? 1 : -1;
        std::stable_sort(Keys.begin(), Keys.end(),
                         [&](const auto& A, const auto& B) { return Sign * CompareInt(A.first, B.first) < 0; });
        for (size_t I = 0; I < Keys.size(); ++I) Sorted[I] = Keys[I].second;
    } else if (Mode == smCustom && CompareByCustom) {
        // A merge sort stays inside the list even with an inconsistent comparer.
        std::stable_sort(Sorted.begin(), Sorted.end(),
                         [&](TRow* A, TRow* B) { return CompareByCustom(A, B) < 0; });
    }
    FItems = std::move(Sorted);
    FRowIndexChanged = true;
    DoDataChanged(cmSort, nullptr, nullptr, -1, -1);
}

String TDataTable::ToString(bool IsSave) const
{
    const String Eol = (FIOMode & 1) ? u"\r\n" : u"";
    size_t Length = 2 + FPropertyRow->TextLength(PropCount(), 0) + Eol.size();
    for (const TRow* Row : FItems) Length += Row->TextLength(Row->ItemCount(), 0) + Eol.size() + 1;
    String Result;
    Result.reserve(Length);
    Result += u'#';
    size_t PropStart = Result.size();
    FPropertyRow->AppendText(Result, IsSave, u',', -1, 0);
    if (IsSave) std::replace(Result.begin() + static_cast<std::ptrdiff_t>(PropStart), Result.end(), u'#', EscHash);
    Result += u'#';
    Result += Eol;
    for (size_t I = 0; I < FItems.size(); ++I) {
        if (I > 0) {
            Result += Eol;
            Result += u'|';
        }
        FItems[I]->AppendText(Result, IsSave, u',', -1, 0);
    }
    return Result;
}

void TDataTable::Init(const String& sInit)
{
    TUpdateGuard Guard(this);
    Clear();
    const Char* P = sInit.data();
    const Char* End = P + sInit.size();
    if (P == End) {
        auto Row = std::make_unique<TRow>(nullptr);
        Row->InitRange(P, End, u',');
        Row->FDataChanged = true;
        Adopt(std::move(Row), -1);
    } else {
        if (*P == u'#') {
            const Char* Close = std::find(P + 1, End, u'#');
            if (Close != End) {
                String Prop(P + 1, Close);
                std::replace(Prop.begin(), Prop.end(), EscHash, u'#');
                FPropertyRow->Init(Prop, u',');
                P = Close + 1;
            }
        }
        if (P != End) {
            FItems.reserve(FItems.size() + static_cast<size_t>(std::count(P, End, u'|')) + 1);
            for (;;) {
                const Char* Stop = std::find(P, End, u'|');
                auto Row = std::make_unique<TRow>(nullptr);
                Row->InitRange(P, Stop, u',');
                Row->FDataChanged = true;
                Adopt(std::move(Row), -1);
                if (Stop == End) break;
                P = Stop + 1;
            }
        }
    }
    Guard.Report(cmTableInit);
}

void TDataTable::Init(Integer RowCount, Integer ColCount)
{
    if (RowCount <= 0 || ColCount <= 0) return;
    TUpdateGuard Guard(this);
    Clear();
    FItems.reserve(static_cast<size_t>(RowCount));
    for (Integer R = 0; R < RowCount; ++R) {
        auto Row = std::make_unique<TRow>(nullptr);
        Row->FItems.reserve(static_cast<size_t>(ColCount));
        for (Integer C = 0; C < ColCount; ++C) Row->FItems.push_back(std::make_unique<TCell>(Row.get()));
        Row->FDataChanged = true;
        Adopt(std::move(Row), -1);
    }
    Guard.Report(cmTableInit);
}

void TDataTable::CopyFrom(const TDataTable* ADataTable, bool IncludeProp, Integer MaxCount)
{
    if (!ADataTable) return;
    // Copies first: ADataTable may be this table.
    size_t Count = ADataTable->FItems.size();
    if (MaxCount > 0) Count = std::min(Count, static_cast<size_t>(MaxCount));
    std::vector<std::unique_ptr<TRow>> Rows;
    Rows.reserve(Count);
    for (size_t I = 0; I < Count; ++I) Rows.push_back(CopyOf(ADataTable->FItems[I]));
    std::unique_ptr<TRow> Prop = IncludeProp ? CopyOf(ADataTable->FPropertyRow.get()) : nullptr;

    TUpdateGuard Guard(this);
    Clear();
    if (Prop) FPropertyRow->CopyFrom(Prop.get());
    for (auto& Row : Rows) Adopt(std::move(Row), -1);
    Guard.Report(cmTableInit);
}

void TDataTable::AppendFrom(const TDataTable* ADataTable, Integer MaxCount)
{
    if (!ADataTable) return;
    size_t Count = ADataTable->FItems.size();
    if (MaxCount > 0) Count = std::min(Count, static_cast<size_t>(MaxCount));
    std::vector<std::unique_ptr<TRow>> Rows;
    Rows.reserve(Count);
    for (size_t I = 0; I < Count; ++I) Rows.push_back(CopyOf(ADataTable->FItems[I]));

    TUpdateGuard Guard(this);
    for (auto& Row : Rows) LogBatchChange(cmRowAdd, Adopt(std::move(Row), -1), -1, -1);
    if (Count > 0) Guard.Report(cmRowBatchAdd);
}

void TDataTable::AddEmptyItem(Integer Count)
{
    if (Count <= 0) return;
    TUpdateGuard Guard(this);
    for (Integer I = 0; I < Count; ++I) LogBatchChange(cmRowAdd, Adopt(std::make_unique<TRow>(nullptr), -1), -1, -1);
    Guard.Report(cmRowBatchAdd);
}

void TDataTable::RemoveRepeated()
{
    TUpdateGuard Guard(this);
    // A row goes when an earlier row has the same value in cell 0; the values
    // are read first, so a cell that is not a number raises before any change.
    std::vector<TRow*> Repeated;
    std::unordered_set<Integer> Seen;
    for (TRow* Row : FItems)
        if (!Seen.insert(Row->CellValue(0)).second) Repeated.push_back(Row);
    bool Removed = false;
    for (auto It = Repeated.rbegin(); It != Repeated.rend(); ++It) {
        Integer Index = IndexOfRow(*It);
        if (Index < 0) continue;
        Integer Id = (*It)->FId;
        Index = RemoveRow(Index, nullptr);
        if (Index < 0) continue;
        LogBatchChange(cmRowDeleted, nullptr, Index, Id);
        Removed = true;
    }
    if (Removed) Guard.Report(cmRowBatchDeleted);
}

void TDataTable::SetPropCount(Integer Count)
{
    if (Count < 1) Count = 1;
    TRow::TUpdateGuard Guard(FPropertyRow.get());
    FPropertyRow->FreeCells();
    for (Integer I = 0; I < Count; ++I) FPropertyRow->NewCell(I);
    Guard.Report(cmPropChange);
}

void TDataTable::AddPropCount(Integer Count)
{
    for (Integer I = 0; I < Count; ++I) FPropertyRow->AddItem(String());
}

void TDataTable::InitData(const std::vector<String>& Values)
{
    if (FInitIndex < 0 || FInitIndex >= ItemCount()) return;
    InitData(Values, FInitIndex);
    ++FInitIndex;
}

void TDataTable::InitData(const std::vector<String>& Values, Integer RowIndex)
{
    if (RowIndex < 0 || RowIndex >= ItemCount()) return;
    TRow* Row = FItems[static_cast<size_t>(RowIndex)];
    Integer Count = std::min(static_cast<Integer>(Values.size()), Row->ItemCount());
    for (Integer I = 0; I < Count; ++I) Row->GetItem(I)->SetTextAt(I, Values[static_cast<size_t>(I)]);
}

std::unique_ptr<TRow> TDataTable::MakeRow(Integer ColIndex) const
{
    auto Row = std::make_unique<TRow>(nullptr);
    for (const TRow* Src : FItems) Row->NewCell(Row->ItemCount())->FText = Src->GetItem(ColIndex)->FText;
    if (FItems.empty()) Row->NewCell(0);
    return Row;
}

std::unique_ptr<TRow> TDataTable::MakeIndexRow(Integer ColIndex, Integer Value) const
{
    auto Row = std::make_unique<TRow>(nullptr);
    for (size_t I = 0; I < FItems.size(); ++I)
        if (FItems[I]->CellValue(ColIndex) == Value) Row->NewCell(Row->ItemCount())->FText = IntToStr(I);
    return Row;
}

void TDataTable::PickDT(const TDataTable* DT, Integer ToColIndex)
{
    if (!DT || FItems.empty() || DT->ItemCount() != ItemCount()) return;
    if (ToColIndex < 0 || ToColIndex >= FItems[0]->ItemCount()) return;
    for (size_t I = 0; I < FItems.size(); ++I)
        FItems[I]->GetItem(ToColIndex)->FText = DT->FItems[I]->GetItem(0)->FText;
}

std::unique_ptr<TDataTable> TDataTable::MakeDT(const TByteSet& Columns, Integer FromRow, Integer ToRow) const
{
    auto Table = std::make_unique<TDataTable>();
    if (ToRow == -1) ToRow = ItemCount() - 1;
    for (Integer R = FromRow; R <= ToRow; ++R) {
        const TRow* Src = GetItem(R);
        auto Row = std::make_unique<TRow>(nullptr);
        for (Integer C = 0; C < 256; ++C)
            if (Columns.test(static_cast<size_t>(C))) Row->NewCell(Row->ItemCount())->FText = Src->GetItem(C)->FText;
        Table->Adopt(std::move(Row), -1);
    }
    return Table;
}

std::unique_ptr<TDataTable> TDataTable::MakeDT(Integer ColIndex, Integer Value, Integer& SrcIndexColIndex) const
{
    auto Table = std::make_unique<TDataTable>(String(), FConvertSet);
    SrcIndexColIndex = -1;
    for (size_t I = 0; I < FItems.size(); ++I)
        if (FItems[I]->CellValue(ColIndex) == Value) {
            auto Row = CopyOf(FItems[I]);
            Row->NewCell(Row->ItemCount())->FText = IntToStr(I);
            Table->Adopt(std::move(Row), -1);
        }
    if (Table->ItemCount() > 0) SrcIndexColIndex = FItems[0]->ItemCount();
    return Table;
}

std::unique_ptr<TDataTable> TDataTable::MakeDT(Integer ColIndex, Integer Value, Integer ColIndex2, Integer Value2,
                                               Integer& SrcIndexColIndex) const
{
    auto Table = std::make_unique<TDataTable>(String(), FConvertSet);
    SrcIndexColIndex = -1;
    for (size_t I = 0; I < FItems.size(); ++I)
        if (FItems[I]->CellValue(ColIndex) == Value && FItems[I]->CellValue(ColIndex2) == Value2) {
            auto Row = CopyOf(FItems[I]);
            Row->NewCell(Row->ItemCount())->FText = IntToStr(I);
            Table->Adopt(std::move(Row), -1);
        }
    if (Table->ItemCount() > 0) SrcIndexColIndex = FItems[0]->ItemCount();
    return Table;
}

std::unique_ptr<TStringList> TDataTable::MakeStrings(Integer ColIndex) const
{
    auto List = std::make_unique<TStringList>();
    for (const TRow* Row : FItems) List->Add(Row->GetItem(ColIndex)->Text());
    return List;
}

std::unique_ptr<TStringList> TDataTable::MakeStrings(Integer ColIndex, Integer VIndex, Integer V) const
{
    auto List = std::make_unique<TStringList>();
    for (const TRow* Row : FItems)
        if (Row->CellValue(VIndex) == V) List->Add(Row->GetItem(ColIndex)->Text());
    return List;
}

Integer TDataTable::SumBy(Integer ColIndex, Integer MinRowIndex, Integer MaxRowIndex) const
{
    Integer Last = ItemCount() - 1;
    // -1 is a real (empty) upper end; below it, or past the end, means the last row.
    if (MaxRowIndex < -1 || MaxRowIndex > Last) MaxRowIndex = Last;
    uint32_t Sum = 0;  // wraps like the 32-bit sum it stands for
    for (Integer R = std::max(MinRowIndex, 0); R <= MaxRowIndex; ++R)
        Sum += static_cast<uint32_t>(FItems[static_cast<size_t>(R)]->CellValue(ColIndex));
    return static_cast<Integer>(Sum);
}

TByteSet TDataTable::GetColValueSet(Integer ColIndex, Integer Value, Integer ValueColIndex) const
{
    TByteSet Result;
    for (const TRow* Row : FItems)
        if (Row->CellValue(ColIndex) == Value) {
            Integer V = Row->CellValue(ValueColIndex);
            if (V >= 0 && V <= 255) Result.set(static_cast<size_t>(V));
        }
    return Result;
}

TByteSet TDataTable::GetRowSet(Integer ColIndex, const TByteSet& Values) const
{
    TByteSet Result;
    for (size_t I = 0; I < FItems.size(); ++I) {
        Integer V = FItems[I]->CellValue(ColIndex);
        if (V >= 0 && V <= 255 && Values.test(static_cast<size_t>(V)) && I <= 255) Result.set(I);
    }
    return Result;
}

void TDataTable::LogBatchChange(TDataTableChangeMode ChangeMode, TRow* ARow, Integer Data1, Integer Data2)
{
    if (!FInBatch || !FBatch) return;
    switch (ChangeMode) {
        case cmRowAdd:
            FBatch->Journal.push_back({0, IndexOfRow(ARow), 0});
            break;
        case cmRowDeleted:
            FBatch->Journal.push_back({1, Data1, Data2});
            break;
        case cmRowMove:
            FBatch->Journal.push_back({3, Data1, Data2});
            break;
        default:
            break;
    }
}

void TDataTable::SaveRowForBatch(TRow* ARow)
{
    // Only rows of this table's list: a row being built elsewhere has no id to
    // restore by.
    if (!FInBatch || !FBatch || !Lists(ARow)) return;
    if (!FBatch->SnapshotIds.insert(ARow->FId).second) return;
    auto Snapshot = CopyOf(ARow);
    Snapshot->FId = ARow->FId;
    FBatch->Snapshots.push_back(std::move(Snapshot));
}

void TDataTable::BatchStart()
{
    if (!FBatch) FBatch = std::make_unique<TBatch>();
    FInBatch = true;
}

void TDataTable::BatchCommit()
{
    FBatch.reset();
    FInBatch = false;
}

void TDataTable::BatchRollback()
{
    FInBatch = false;  // the undo itself is not journalled
    std::unique_ptr<TBatch> Batch = std::move(FBatch);
    if (!Batch) return;
    auto& Snapshots = Batch->Snapshots;
    // Entries that no longer fit the list (after operations that journal
    // nothing, such as Init or Clear) are skipped rather than raising halfway.
    for (auto It = Batch->Journal.rbegin(); It != Batch->Journal.rend(); ++It) {
        switch (It->Kind) {
            case 0:
                RemoveItemByIndex(It->A);
                break;
            case 1: {
                auto Snap = std::find_if(Snapshots.begin(), Snapshots.end(),
                                         [&](const auto& S) { return S->FId == It->B; });
                if (Snap == Snapshots.end()) break;
                Integer At = std::clamp(It->A, 0, ItemCount());
                InsertItem(At, Snap->get(), true);
                Snapshots.erase(Snap);
                break;
            }
            case 3:
                if (It->A >= 0 && It->A < ItemCount() && It->B >= 0 && It->B < ItemCount()) MoveItem(It->B, It->A);
                break;
        }
    }
    for (auto It = Snapshots.rbegin(); It != Snapshots.rend(); ++It) {
        Integer Index = IndexOfId((*It)->FId);
        if (Index >= 0) FItems[static_cast<size_t>(Index)]->CopyFrom(It->get());
    }
}

Integer TDataTable::GetTableIndex() const
{
    if (!FParent) return -1;
    for (Integer I = 0; I < FParent->ItemCount(); ++I)
        if (FParent->FItems[static_cast<size_t>(I)].get() == this) return I;
    return -1;
}

// ---------------------------------------------------------------------------
// Table files

namespace {

// Cipher and hash of the enciphered bodies: CAST-128 with SHA-1 for the
// stream form, Rijndael with MD5 for the text form.
constexpr Byte FileCipher = 1, FileHash = 2;
constexpr Byte TextCipher = 5, TextHash = 1;

// A check byte, uniform in 0..254. Each thread has its own generator, seeded
// from the system's entropy source, so saves in one clock tick still differ.
Byte RandomCheckByte()
{
    thread_local std::mt19937 Generator{std::random_device{}()};
    return static_cast<Byte>(std::uniform_int_distribution<int>(0, 254)(Generator));
}

bool CheckBytesMatch(const RawByteString& Bytes)
{
    if (Bytes.size() < 7) return false;
    auto At = [&](size_t I) { return static_cast<Byte>(Bytes[I]); };
    const size_t N = Bytes.size();
    Byte H1 = At(0), H2 = At(1), H3 = At(2), T1 = At(N - 3), T2 = At(N - 2), T3 = At(N - 1);
    return static_cast<Byte>(T3 - H1) == 31 && static_cast<Byte>(T2 - H2) == 99 && static_cast<Byte>(H3 - T1) == 12;
}

String CustomPassword(const String& KeyCustom, const String& FilePassword)
{
    return PwdDecryptStr(KeyCustom, String()) + FilePassword;
}

}  // namespace

TTableLogProc TableLogProc = nullptr;

String KeepUnreadableTableFile(const String& FileName)
{
    String Kept;
    try {
        TMemoryStream Bytes;
        Bytes.LoadFromFile(FileName);
        for (Integer N = 1; N <= 99 && Kept.empty(); ++N) {
            const String Name = FileName + u".bad" + (N > 1 ? IntToStr(N) : String());
            if (!FileExists(Name)) {
                if (CopyFileNoOverwrite(FileName, Name)) Kept = Name;
                break;
            }
            // The same damaged file met again is kept only once.
            TMemoryStream Old;
            Old.LoadFromFile(Name);
            if (Old.Size() == Bytes.Size() &&
                std::memcmp(Old.Memory(), Bytes.Memory(), static_cast<size_t>(Bytes.Size())) == 0)
                return Name;
        }
    } catch (const Exception&) {
        Kept.clear();
    }
    if (TableLogProc)
        TableLogProc(Kept.empty() ? Format(u"The table file %s cannot be read, and no copy of it could be kept",
                                           {FileName})
                                  : Format(u"The table file %s cannot be read; it is kept as %s", {FileName, Kept}));
    return Kept;
}

void TDataTable::Load(const String& sFileName, Integer AutoCreateRowCount, Integer AutoCreateCellCount)
{
    FFileName = sFileName;
    bool Unreadable = false;
    {
        TUpdateGuard Guard(this);
        Clear();
        if (FileExists(sFileName)) {
            TFileStream File(sFileName, fmOpenRead | fmShareDenyWrite);
            if (File.Size() != 0) {
                LoadFromStream(&File);
                Unreadable = FItems.empty();
            }
        }
        Guard.Report(cmLoad);
    }
    // Whatever replaces the table later, the user's file survives beside it.
    if (Unreadable) KeepUnreadableTableFile(sFileName);
    SetDataChanged(false);
    if (FItems.empty()) Init(AutoCreateRowCount, AutoCreateCellCount);
}

void TDataTable::LoadFromStream(TStream* Stream)
{
    TUpdateGuard Guard(this);
    Stream->SetPosition(0);
    const Int64 Size = Stream->Size();
    if (Size <= 0 || Size > INT32_MAX) {
        Guard.Report(cmTableInit);
        return;
    }
    RawByteString Bytes(static_cast<size_t>(Size), '\0');
    Stream->ReadBuffer(Bytes.data(), static_cast<Integer>(Size));
    if (FIsAddVerifyCode) {
        if (!CheckBytesMatch(Bytes)) {
            Guard.Report(cmTableInit);
            return;
        }
        Bytes = Bytes.substr(3, Bytes.size() - 6);
    }
    const String Password = KeyEncryptStr(FKey);
    if (FIOMode & 2) {
        TMemoryStream Body;
        Body.WriteBuffer(Bytes.data(), static_cast<Integer>(Bytes.size()));
        Body.SetPosition(0);
        Bytes = PwdDecryptStream(Password, &Body);
    }
    String Text = UTF8ToString(Bytes);
    if (FIOMode & 4) Text = PwdDecryptStr(Text, CustomPassword(FKeyCustom, Password));
    if (FIOMode & 1) Text = StringReplace(Text, u"\r\n", u"", rfReplaceAll);
    // A body that does not decipher (or holds nothing) reads as no rows: taken
    // as a table text it would be one row of one cell, and owners that check
    // for an empty table to build their defaults would index missing cells.
    if (!Text.empty()) Init(Text);
    Guard.Report(cmTableInit);
}

void TDataTable::Save(bool IsAs)
{
    if (FFileName.empty() || !(IsAs || FDataChanged)) return;
    const String Text = ToString(true);
    if (Text.empty()) return;
    // Written beside the file and moved over it when complete, so a crash or a
    // full disk never leaves a truncated table where the old one was.
    SaveFileAtomically(FFileName, [&](TStream* File) { SaveToStream(Text, File); });
    SetDataChanged(false);
}

void TDataTable::SaveAs(const String& sFileName)
{
    if (sFileName.empty()) return;
    FFileName = sFileName;
    Save(true);
}

void TDataTable::SaveToStream(const String& S, TStream* Stream) const
{
    Byte Head[3] = {};
    if (FIsAddVerifyCode) {
        for (Byte& B : Head) B = RandomCheckByte();
        Stream->WriteBuffer(Head, 3);
    }
    const String Password = KeyEncryptStr(FKey);
    UTF8String Bytes = UTF8Encode((FIOMode & 4) ? PwdEncryptStr(S, CustomPassword(FKeyCustom, Password), TextCipher, TextHash) : S);
    if (!Bytes.empty()) {
        if (FIOMode & 2) {
            if (!PwdEncryptStream(Bytes, Password, FileCipher, FileHash, Stream))
                throw EWriteError(u"Stream write error");
        } else {
            Stream->WriteBuffer(Bytes.data(), static_cast<Integer>(Bytes.size()));
        }
    }
    if (FIsAddVerifyCode) {
        const Byte Tail[3] = {static_cast<Byte>(Head[2] - 12), static_cast<Byte>(Head[1] + 99),
                              static_cast<Byte>(Head[0] + 31)};
        Stream->WriteBuffer(Tail, 3);
    }
}

void TDataTable::AppendFromFile(const String& sFileName, Integer MaxCount)
{
    TDataTable Source(FKey, FConvertSet);
    Source.SetIOMode(FIOMode);
    Source.Load(sFileName, 0, 0);
    AppendFrom(&Source, MaxCount);
}

// ---------------------------------------------------------------------------
// TDataTables

TDataTables::TDataTables() : FPropertyRow(std::make_unique<TRow>(nullptr))
{
    for (int I = 0; I < 10; ++I) FPropertyRow->NewCell(I);
}

TDataTables::~TDataTables()
{
    FreeTables();
}

void TDataTables::Forget(const TDataTable* ADataTable)
{
    for (auto It = FItems.begin(); It != FItems.end(); ++It)
        if (It->get() == ADataTable) {
            It->release();
            FItems.erase(It);
            return;
        }
}

void TDataTables::FreeTables()
{
    std::vector<std::unique_ptr<TDataTable>> Tables = std::move(FItems);
    FItems.clear();
    for (auto& Table : Tables) Table->FParent = nullptr;
}

TDataTable* TDataTables::GetItem(Integer Index) const
{
    if (Index < 0 || Index >= ItemCount()) ListIndexError(Index);
    return FItems[static_cast<size_t>(Index)].get();
}

void TDataTables::SetFileName(const String& Value)
{
    if (Value != FFileName) FFileName = Value;
}

void TDataTables::SetDataChanged(bool Value)
{
    if (Value) {
        FDataChanged = true;
        DoDataChanged(cmDirect, -1, nullptr, -1);
        return;
    }
    FDataChanged = false;
    FPropertyRow->FDataChanged = false;
    for (auto& Table : FItems) Table->SetDataChanged(false);
}

void TDataTables::BeginUpdate()
{
    ++FUpdateCount;
}

void TDataTables::EndUpdate(TDataTableChangeMode ChangeMode, Integer TCount, TDataTable* ADataTable, Integer TIndex)
{
    if (FUpdateCount > 0) --FUpdateCount;
    if (FUpdateCount == 0) DoDataChanged(ChangeMode, TCount, ADataTable, TIndex);
}

void TDataTables::DoDataChanged(TDataTableChangeMode ChangeMode, Integer TCount, TDataTable* ADataTable,
                                Integer Index)
{
    if (FUpdateCount > 0) return;
    FDataChanged = true;
    if (!OnDataChanged) return;
    if (ADataTable && Index == -1) Index = ADataTable->GetTableIndex();
    OnDataChanged(this, ChangeMode, TCount, ADataTable, Index);
}

TDataTable* TDataTables::Adopt(std::unique_ptr<TDataTable> ADataTable, Integer Index)
{
    TDataTable* Table = ADataTable.get();
    Table->FParent = this;
    if (Index < 0)
        FItems.push_back(std::move(ADataTable));
    else
        FItems.insert(FItems.begin() + Index, std::move(ADataTable));
    return Table;
}

static std::unique_ptr<TDataTable> CopyRowsOf(const TDataTable* Source)
{
    auto Table = std::make_unique<TDataTable>();
    Table->CopyFrom(Source, false, 0);
    return Table;
}

TDataTable* TDataTables::AddItem(TDataTable* ADataTable, bool IsCopy)
{
    if (!ADataTable) return nullptr;
    if (!IsCopy && ADataTable->FParent) throw EInvalidOperation(u"The table belongs to a list already");
    TDataTable* Table =
        Adopt(IsCopy ? CopyRowsOf(ADataTable) : std::unique_ptr<TDataTable>(ADataTable), -1);
    DoDataChanged(cmTableAdd, 1, Table, ItemCount() - 1);
    return Table;
}

void TDataTables::AddEmptyItem(Integer Count)
{
    Count = std::max(Count, 0);
    for (Integer I = 0; I < Count; ++I) Adopt(std::make_unique<TDataTable>(), -1);
    DoDataChanged(cmTableAdd, Count, nullptr, -1);
}

void TDataTables::InsertItem(Integer Index, TDataTable* ADataTable)
{
    if (Index < 0 || Index > ItemCount()) ListIndexError(Index);
    if (!ADataTable) return;
    if (ADataTable->FParent) throw EInvalidOperation(u"The table belongs to a list already");
    Adopt(std::unique_ptr<TDataTable>(ADataTable), Index);
    DoDataChanged(cmTableAdd, 1, ADataTable, Index);
}

void TDataTables::MoveItem(Integer Index, Integer ToIndex)
{
    if (Index == ToIndex) return;
    TDataTable* Table = GetItem(Index);
    if (ToIndex < 0 || ToIndex >= ItemCount()) ListIndexError(ToIndex);
    auto Owned = std::move(FItems[static_cast<size_t>(Index)]);
    FItems.erase(FItems.begin() + Index);
    FItems.insert(FItems.begin() + ToIndex, std::move(Owned));
    DoDataChanged(cmTableMove, 1, Table, ToIndex);
}

Integer TDataTables::RemoveItem(TDataTable* Item, Integer Index)
{
    TDataTable* Table;
    if (Index >= 0) {
        Table = GetItem(Index);
    } else {
        if (!Item) return -1;
        Table = Item;
        Index = Item->FParent == this ? Item->GetTableIndex() : -1;
        if (Index < 0) return -1;  // not ours: neither removed nor freed
    }
    if (OnTableDeleting) {
        OnTableDeleting(true, this, Table, Index);
        Index = Table->FParent == this ? Table->GetTableIndex() : -1;
        if (Index < 0) return -1;
    }
    auto Owned = std::move(FItems[static_cast<size_t>(Index)]);
    FItems.erase(FItems.begin() + Index);
    Owned->FParent = nullptr;
    Owned.reset();
    DoDataChanged(cmTableDeleted, 1, nullptr, -1);
    return Index;
}

void TDataTables::RemoveItemByIndex(Integer Index)
{
    if (Index >= 0 && Index < ItemCount()) RemoveItem(nullptr, Index);
}

void TDataTables::Clear()
{
    if (FItems.empty()) return;
    FreeTables();
    DoDataChanged(cmTablesClear, -1, nullptr, -1);
}

void TDataTables::CopyFrom(const TDataTables* ADataTables, Integer MaxCount)
{
    if (!ADataTables) return;
    size_t Count = ADataTables->FItems.size();
    if (MaxCount > 0) Count = std::min(Count, static_cast<size_t>(MaxCount));
    std::vector<std::unique_ptr<TDataTable>> Copies;
    for (size_t I = 0; I < Count; ++I) Copies.push_back(CopyRowsOf(ADataTables->FItems[I].get()));
    TUpdateGuard Guard(this);
    Clear();
    for (auto& Table : Copies) Adopt(std::move(Table), -1);
    Guard.Report(cmTablesInit);
}

void TDataTables::Assign(TPersistent* Source)
{
    auto* Other = dynamic_cast<TDataTables*>(Source);
    if (!Other) {
        TPersistent::Assign(Source);
        return;
    }
    CopyFrom(Other, 0);
    FPropertyRow->CopyFrom(Other->FPropertyRow.get());
    FTag = Other->FTag;
}

String TDataTables::ToString(Integer /*Mode*/) const
{
    String Result(1, u'{');
    Result += FPropertyRow->ToString(true, u',');
    Result += u'}';
    for (size_t I = 0; I < FItems.size(); ++I) {
        if (I > 0) Result += u'&';
        Result += FItems[I]->ToString(true);
    }
    return Result;
}

void TDataTables::Init(const String& sInit)
{
    TUpdateGuard Guard(this);
    Clear();
    const Char* P = sInit.data();
    const Char* End = P + sInit.size();
    if (P != End) {
        // The first character opens the property part, whatever it is.
        const Char* Close = std::find(P + 1, End, u'}');
        if (Close != End) {
            FPropertyRow->Init(String(P + 1, Close), u',');
            P = Close + 1;
        }
        // Cut plainly at every "&": blanks and every other character of a
        // table text survive as they are.
        if (P != End)
            for (;;) {
                const Char* Stop = std::find(P, End, u'&');
                auto Table = std::make_unique<TDataTable>();
                Table->SetIOMode(0);
                Table->Init(String(P, Stop));
                Adopt(std::move(Table), -1);
                if (Stop == End) break;
                P = Stop + 1;
            }
    }
    Guard.Report(cmTablesInit);
}

void TDataTables::Load(const String& sFileName, Integer Mode)
{
    FFileName = sFileName;
    {
        TUpdateGuard Guard(this);
        Clear();
        if (FileExists(sFileName)) {
            TFileStream File(sFileName, fmOpenRead | fmShareDenyWrite);
            LoadFromStream(&File, Mode);
        }
        Guard.Report(cmLoad);
    }
    SetDataChanged(false);
}

void TDataTables::LoadFromStream(TStream* Stream, Integer Mode)
{
    TUpdateGuard Guard(this);
    Int64 Count = Stream->Size() - Stream->Position();
    std::string Bytes(static_cast<size_t>(std::max<Int64>(Count, 0)), '\0');
    if (!Bytes.empty()) Stream->ReadBuffer(Bytes.data(), static_cast<Integer>(Bytes.size()));
    // Files are written without a byte-order mark; one added by an editor is skipped.
    if (Bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) Bytes.erase(0, 3);
    String Text = UTF8ToString(Bytes);
    if (Mode == 1) Text = StringReplace(Text, u"\r\n", u"", rfReplaceAll);
    Init(Text);
    Guard.Report(cmTableInit);
}

void TDataTables::Save(const String& sFileName, Integer Mode)
{
    const String& Name = sFileName.empty() ? FFileName : sFileName;
    if (Name.empty() || (!FDataChanged && !FPropertyRow->DataChanged())) return;
    SaveFileAtomically(Name, [&](TStream* File) { SaveToStream(File, Mode); });
    SetDataChanged(false);
}

void TDataTables::SaveToStream(TStream* Stream, Integer Mode) const
{
    UTF8String Bytes = UTF8Encode(ToString(Mode));
    if (!Bytes.empty()) Stream->WriteBuffer(Bytes.data(), static_cast<Integer>(Bytes.size()));
}
