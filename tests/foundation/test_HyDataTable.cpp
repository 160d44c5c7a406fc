#include "foundation/HyDataTable.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

std::string U8(const String& S)
{
    return UTF8Encode(S);
}

// Every change report of a table, as text: "mode row-index data1 data2".
struct TTableLog {
    std::vector<TDataTableChangeMode> Modes;
    std::vector<TRow*> Rows;
    std::vector<std::pair<Integer, Integer>> Data;
    void Attach(TDataTable& T)
    {
        T.OnDataChanged = [this](TDataTable*, TDataTableChangeMode M, TRow* R, TCell*, Integer D1, Integer D2) {
            Modes.push_back(M);
            Rows.push_back(R);
            Data.emplace_back(D1, D2);
        };
    }
};

// Counts its own destructions, to see that data slots free their content once.
struct TTracked {
    explicit TTracked(int& Count) : FCount(Count) {}
    ~TTracked() { ++FCount; }
    int& FCount;
};

std::vector<String> Cells(const TRow* Row)
{
    std::vector<String> R;
    for (Integer I = 0; I < Row->ItemCount(); ++I) R.push_back(Row->GetItem(I)->Text());
    return R;
}

}  // namespace

// ---------------------------------------------------------------------------
// Cells

TEST(Cell, ValueAndAsBoolReadTheText)
{
    struct Case {
        const char16_t* Text;
        Integer Value;
        bool ValueRaises;
        bool AsBool;
        bool BoolRaises;
    } Cases[] = {
        {u"", 0, false, false, false},          {u"0", 0, false, false, false},
        {u"-1", -1, false, true, false},        {u"42", 42, false, true, false},
        {u"True", 0, true, true, false},        {u"false", 0, true, false, false},
        {u"x", 0, true, false, true},           {u"2147483647", INT_MAX, false, true, false},
        {u"-2147483648", INT_MIN, false, true, false},
    };
    for (const Case& C : Cases) {
        TCell Cell;
        Cell.SetText(C.Text);
        if (C.ValueRaises)
            EXPECT_THROW(Cell.Value(), EConvertError) << U8(C.Text);
        else
            EXPECT_EQ(Cell.Value(), C.Value) << U8(C.Text);
        if (C.BoolRaises)
            EXPECT_THROW(Cell.AsBool(), EConvertError) << U8(C.Text);
        else
            EXPECT_EQ(Cell.AsBool(), C.AsBool) << U8(C.Text);
    }
    TCell Cell;
    Cell.SetAsBool(true);
    EXPECT_EQ(Cell.Text(), u"-1");
    Cell.SetAsBool(false);
    EXPECT_EQ(Cell.Text(), u"0");
    Cell.SetValue(-7);
    EXPECT_EQ(Cell.Text(), u"-7");
}

TEST(Cell, WritingTheCurrentTextFiresNothing)
{
    TDataTable T;
    T.AddItem(u"5,abc");
    T.SetDataChanged(false);
    TTableLog Log;
    Log.Attach(T);
    T.GetItem(0)->GetItem(0)->SetValue(5);
    T.GetItem(0)->GetItem(0)->SetText(u"5");
    T.GetItem(0)->GetItem(1)->SetText(u"abc");
    EXPECT_TRUE(Log.Modes.empty());
    EXPECT_FALSE(T.DataChanged());

    T.GetItem(0)->GetItem(1)->SetText(u"abd");
    ASSERT_EQ(Log.Modes.size(), 1u);
    EXPECT_EQ(Log.Modes[0], cmCellEdit);
    EXPECT_EQ(Log.Rows[0], T.GetItem(0));
    EXPECT_TRUE(T.DataChanged());
    EXPECT_TRUE(T.GetItem(0)->DataChanged());
}

TEST(Cell, PropertyEditReportsPropChange)
{
    TDataTable T;
    TTableLog Log;
    Log.Attach(T);
    T.GetProp(3)->SetText(u"x");
    T.SetName(u"name");
    ASSERT_EQ(Log.Modes.size(), 2u);
    EXPECT_EQ(Log.Modes[0], cmPropChange);
    EXPECT_EQ(Log.Rows[0], T.PropertyRow());
    EXPECT_EQ(T.Name(), u"name");
    T.SetValue(12);
    EXPECT_EQ(T.GetProp(1)->Text(), u"12");
}

TEST(Cell, PreventEventStillSetsDataChanged)
{
    TDataTable T;
    T.AddItem(u"a");
    T.SetDataChanged(false);
    TTableLog Log;
    Log.Attach(T);
    T.SetPreventEvent(true);
    T.GetItem(0)->GetItem(0)->SetText(u"b");
    EXPECT_TRUE(Log.Modes.empty());
    EXPECT_TRUE(T.DataChanged());
}

// ---------------------------------------------------------------------------
// Escaping

TEST(Escaping, EscapedColumnStoresSubstitutes)
{
    TDataTable T(u"", ColumnSet({0}));
    T.SetIOMode(0);
    TRow* Row = T.AddItem(u"x,y");
    Row->GetItem(0)->SetText(u"a,b|c");
    EXPECT_EQ(Row->ToString(true), String(u"a\x1A" u"b\x1B" u"c,y"));
    EXPECT_EQ(Row->GetItem(0)->Text(), u"a,b|c");
    EXPECT_EQ(Row->ToString(false), u"a,b|c,y");
    EXPECT_EQ(T.ToString(true), String(u"#,,,,,,,,,#a\x1A" u"b\x1B" u"c,y"));

    // Column 1 is not escaped: a "," there splits the cell on the next read.
    Row->GetItem(1)->SetText(u"p,q");
    TDataTable Back;
    Back.Init(T.ToString(true));
    EXPECT_EQ(Back.GetItem(0)->ItemCount(), 3);
}

TEST(Escaping, ControlCharactersAndLineBreaks)
{
    struct Case {
        String In;
        bool ReserveLF;
        Integer IOMode;
        String Out;
    } Cases[] = {
        {u"x\ty", false, 0, u"x y"},
        {u"x\ty", true, 0, u"x\ty"},
        {u"x\ty", false, 1, u"x\ty"},
        {u"a\r\nb", false, 2, u"a  b"},
        {u"a\r\nb", true, 2, u"a\r\nb"},
        {String(u"\x01\x02\x03\x04\x05\x06\x07\x08" u"z"), true, 1, u"        z"},
        {String(u"a\x0B\x0C\x1F" u"b"), false, 0, u"a   b"},
        {String(u"cut\0here", 8), false, 0, u"cut"},
        {String(u"\x1A"), false, 0, u" "},  // a substitute typed in is not a ","
    };
    for (const Case& C : Cases) {
        TDataTable T(u"", ColumnSet({1}));
        T.SetIOMode(C.IOMode);
        if (C.ReserveLF) T.SetReserveLFSet(ColumnSet({1}));
        TRow* Row = T.AddItem(u",");
        Row->GetItem(1)->SetText(C.In);
        EXPECT_EQ(Row->GetItem(1)->Text(), C.Out) << U8(C.In);
    }
}

TEST(Escaping, DependsOnWhereTheCellIs)
{
    TDataTable T(u"", ColumnSet({0}));
    // Filled while free-standing: stored as given, read back as stored.
    auto Free = std::make_unique<TRow>();
    Free->AddItem(u"a,b");
    EXPECT_EQ(Free->ToString(true), u"a,b");
    TRow* Row = T.AddItem(std::move(Free));
    EXPECT_EQ(Row->ItemCount(), 1);
    EXPECT_EQ(Row->GetItem(0)->Text(), u"a,b");
    // Built with EscapeCellText, it reads back right once in the table.
    auto Built = std::make_unique<TRow>();
    Built->AddItem(EscapeCellText(u"c,d|e"));
    Row = T.AddItem(std::move(Built));
    EXPECT_EQ(Row->GetItem(0)->Text(), u"c,d|e");
    EXPECT_EQ(UnescapeCellText(EscapeCellText(u"1,2|3")), u"1,2|3");
}

TEST(Escaping, AppendFromAndInitEscapeCopyFromDoesNot)
{
    TDataTable T(u"", ColumnSet({0, 1}));
    TRow* Row = T.AddItem(u"");
    Row->Init(std::vector<String>{u"a,b", u"c|d"});
    EXPECT_EQ(Row->ToString(true), String(u"a\x1A" u"b,c\x1B" u"d"));
    TRow* Other = T.AddItem(u"");
    Other->Clear();
    Other->AppendFrom(Row);
    EXPECT_EQ(Other->ToString(true), Row->ToString(true));
    TRow Plain;
    Plain.CopyFrom(Row);
    EXPECT_EQ(Plain.ToString(true), Row->ToString(true));
    EXPECT_EQ(Plain.GetItem(0)->Text(), String(u"a\x1A" u"b"));  // free-standing: as stored
}

// ---------------------------------------------------------------------------
// Row text

TEST(RowText, InitCutsAtTheSeparator)
{
    struct Case {
        String In;
        Char Sep;
        std::vector<String> Cells;
    } Cases[] = {
        {u"", u',', {u""}},
        {u"a", u',', {u"a"}},
        {u"a,b", u',', {u"a", u"b"}},
        {u",a,", u',', {u"", u"a", u""}},
        {u"a,,b", u',', {u"a", u"", u"b"}},
        {u"1/2/3", u'/', {u"1", u"2", u"3"}},
        {String(u"a,b\0,c", 6), u',', {u"a", u"b"}},
    };
    for (const Case& C : Cases) {
        TRow Row;
        Row.Init(C.In, C.Sep);
        EXPECT_EQ(Cells(&Row), C.Cells) << U8(C.In);
    }
}

TEST(RowText, ToStringRanges)
{
    TRow Row;
    Row.Init(u"a,b,c,d", u',');
    EXPECT_EQ(Row.ToString(true), u"a,b,c,d");
    EXPECT_EQ(Row.ToString(true, u'.', 3, 1), u"b.c");
    EXPECT_EQ(Row.ToString(true, u',', 2, 2), u"");
    EXPECT_THROW(Row.ToString(true, u',', 9, 0), EListError);
    TRow Empty;
    EXPECT_EQ(Empty.ToString(true), u"");
    Empty.CopyFrom(&Row);
    EXPECT_EQ(Empty.ItemCount(), 4);
    TRow None;
    Empty.CopyFrom(&None);
    EXPECT_EQ(Empty.ItemCount(), 1);  // a row without cells copies as one empty cell
}

// ---------------------------------------------------------------------------
// Table text

TEST(TableText, RoundTripInBothIOModes)
{
    for (Integer Mode : {0, 1}) {
        TDataTable T;
        T.SetIOMode(Mode);
        T.SetPropCount(2);
        T.GetProp(0)->SetText(u"a");
        T.AddItem(u"1,x");
        T.AddItem(u"2,");
        String Expected = Mode == 0 ? u"#a,#1,x|2," : u"#a,#\r\n1,x\r\n|2,";
        EXPECT_EQ(T.ToString(true), Expected);
        TDataTable Back;
        Back.SetIOMode(Mode);
        Back.Init(Mode == 0 ? Expected : StringReplace(Expected, u"\r\n", u"", rfReplaceAll));
        EXPECT_EQ(Back.ToString(true), Expected);
        EXPECT_EQ(Back.PropCount(), 2);
        EXPECT_EQ(Back.ItemCount(), 2);
    }
}

TEST(TableText, ReadingOddTexts)
{
    struct Case {
        String In;
        Integer Rows;
        String FirstCell;      // of row 0
        Integer PropCount;     // 10: left as it was
    } Cases[] = {
        {u"", 1, u"", 10},
        {u"#p1,p2#", 0, u"", 2},
        {u"#abc", 1, u"#abc", 10},
        {u"x|", 2, u"x", 10},
        {u"##", 0, u"", 1},
        {u"#a#|", 2, u"", 1},
        {u"a|b|c", 3, u"a", 10},
    };
    for (const Case& C : Cases) {
        TDataTable T;
        T.Init(C.In);
        EXPECT_EQ(T.ItemCount(), C.Rows) << U8(C.In);
        EXPECT_EQ(T.PropCount(), C.PropCount) << U8(C.In);
        if (C.Rows > 0) {
            EXPECT_EQ(T.GetItem(0)->GetItem(0)->Text(), C.FirstCell) << U8(C.In);
        }
    }
    TDataTable T;
    T.SetIOMode(0);
    T.SetPropCount(1);
    T.Init(u"");
    EXPECT_EQ(T.ToString(true), u"##");
    T.Init(u"x|");
    EXPECT_EQ(T.GetItem(1)->ItemCount(), 1);
}

TEST(TableText, SizedInit)
{
    TDataTable T;
    T.AddItem(u"keep");
    TTableLog Log;
    Log.Attach(T);
    T.Init(0, 5);
    T.Init(3, 0);
    EXPECT_EQ(T.ItemCount(), 1);
    EXPECT_TRUE(Log.Modes.empty());
    T.Init(3, 4);
    ASSERT_EQ(T.ItemCount(), 3);
    EXPECT_EQ(T.GetItem(2)->ItemCount(), 4);
    EXPECT_EQ(T.GetItem(0)->Id(), 1);
    ASSERT_EQ(Log.Modes.size(), 1u);
    EXPECT_EQ(Log.Modes[0], cmTableInit);
}

TEST(TableText, HashInAPropertyCellNoLongerShiftsCells)
{
    TDataTable T;
    T.SetIOMode(0);
    T.SetPropCount(3);
    T.GetProp(0)->SetText(u"#1 red");
    T.GetProp(1)->SetText(u"x");
    T.AddItem(u"a,#b");
    String Text = T.ToString(true);
    TDataTable Back;
    Back.Init(Text);
    ASSERT_EQ(Back.PropCount(), 3);
    EXPECT_EQ(Back.GetProp(0)->Text(), u"#1 red");
    EXPECT_EQ(Back.GetProp(1)->Text(), u"x");
    ASSERT_EQ(Back.ItemCount(), 1);
    EXPECT_EQ(Cells(Back.GetItem(0)), (std::vector<String>{u"a", u"#b"}));
    // The display form keeps the "#" itself.
    EXPECT_EQ(T.ToString(false), u"##1 red,x,#a,#b");
    // Texts written before read as they always did.
    Back.Init(u"#p,q#r,s");
    EXPECT_EQ(Back.GetProp(1)->Text(), u"q");
}

// ---------------------------------------------------------------------------
// Rows of a table: events, current row, removal

TEST(TableRows, UpdateLevelsReportOnce)
{
    TDataTable T;
    TTableLog Log;
    Log.Attach(T);
    T.BeginUpdate();
    T.AddItem(u"1");
    T.AddItem(u"2");
    T.GetItem(0)->GetItem(0)->SetText(u"3");
    EXPECT_TRUE(Log.Modes.empty());
    EXPECT_FALSE(T.DataChanged());
    T.EndUpdate(cmRowBatchAdd);
    ASSERT_EQ(Log.Modes.size(), 1u);
    EXPECT_EQ(Log.Modes[0], cmRowBatchAdd);

    // A row's own level holds its reports until it closes.
    TRow* Row = T.GetItem(1);
    int RowEvents = 0;
    Row->OnDataChanged = [&](TRow*, TDataTableChangeMode, TCell*) { ++RowEvents; };
    Row->BeginUpdate();
    Row->AddItem(u"x");
    Row->GetItem(0)->SetText(u"y");
    EXPECT_EQ(RowEvents, 0);
    Row->EndUpdate(cmRowInit);
    EXPECT_EQ(RowEvents, 1);
    EXPECT_EQ(Log.Modes.back(), cmRowInit);
}

TEST(TableRows, RemoveByIndexOutsideTheListDoesNothing)
{
    TDataTable T;
    T.AddItem(u"a");
    T.SetDataChanged(false);
    TTableLog Log;
    Log.Attach(T);
    T.RemoveItemByIndex(-1);
    T.RemoveItemByIndex(T.ItemCount());
    EXPECT_EQ(T.ItemCount(), 1);
    EXPECT_TRUE(Log.Modes.empty());
    EXPECT_FALSE(T.DataChanged());
}

TEST(TableRows, CurrentRowFollowsRemovals)
{
    TDataTable T;
    for (const char16_t* S : {u"0", u"1", u"2", u"3"}) T.AddItem(S);
    std::vector<Integer> Changes;
    T.OnRowIndexChanged = [&](TObject*, Integer NewIndex) { Changes.push_back(NewIndex); };
    std::vector<Integer> Deleting;
    T.OnRowDeleting = [&](bool IsDelete, TDataTable*, TRow*, Integer Index) {
        EXPECT_TRUE(IsDelete);
        Deleting.push_back(Index);
    };
    TTableLog Log;
    Log.Attach(T);

    T.SetRowIndex(2);
    TRow* Current = T.GetItem(2);
    T.RemoveItemByIndex(0);  // above the current row: the mark stays on its row
    EXPECT_EQ(T.RowIndex(), 1);
    EXPECT_EQ(T.GetItem(1), Current);
    ASSERT_EQ(Log.Modes.size(), 1u);
    EXPECT_EQ(Log.Modes[0], cmRowDeleted);
    EXPECT_EQ(Log.Data[0], std::make_pair(0, 1));  // old index, row id

    T.RemoveItemByIndex(1);  // the current row
    EXPECT_EQ(T.RowIndex(), -1);
    EXPECT_EQ(Changes, (std::vector<Integer>{2, -1}));
    EXPECT_EQ(Deleting, (std::vector<Integer>{0, 1}));

    T.SetRowIndex(5);  // outside: none
    EXPECT_EQ(T.RowIndex(), -1);
    T.SetRowIndex(1);
    T.MoveItem(1, 0);
    EXPECT_EQ(T.RowIndex(), 0);
    T.Clear();
    EXPECT_EQ(Changes.back(), -1);
    EXPECT_EQ(Log.Modes.back(), cmTableClear);
}

TEST(TableRows, IdsAndInsertMove)
{
    TDataTable T;
    TRow* A = T.AddItem(u"a");
    TRow* B = T.AddItem(u"b");
    TRow Src;
    Src.Init(u"c", u',');
    TRow* C = T.InsertItem(1, &Src, true);
    EXPECT_EQ(A->Id(), 1);
    EXPECT_EQ(B->Id(), 2);
    EXPECT_EQ(C->Id(), 3);
    EXPECT_EQ(C->GetIndex(), 1);
    EXPECT_EQ(T.IndexOfId(2), 2);
    TTableLog Log;
    Log.Attach(T);
    T.MoveItem(0, 2);
    EXPECT_EQ(T.GetItem(2), A);
    EXPECT_EQ(Log.Modes[0], cmRowMove);
    EXPECT_EQ(Log.Data[0], std::make_pair(0, 2));
    EXPECT_THROW(T.MoveItem(0, 3), EListError);
    EXPECT_THROW(T.GetItem(3), EListError);
    EXPECT_THROW(T.GetProp(10), EListError);
    T.Clear();
    EXPECT_EQ(T.AddItem(u"d")->Id(), 1);
}

TEST(TableRows, AppendFromAnEmptyTableLeavesEventsWorking)
{
    TDataTable T, Empty;
    T.AddItem(u"a");
    TTableLog Log;
    Log.Attach(T);
    T.AppendFrom(&Empty);
    EXPECT_TRUE(Log.Modes.empty());
    T.GetItem(0)->GetItem(0)->SetText(u"b");
    ASSERT_EQ(Log.Modes.size(), 1u);
    EXPECT_EQ(Log.Modes[0], cmCellEdit);

    TDataTable Src;
    Src.AddItem(u"1");
    Src.AddItem(u"2");
    T.AppendFrom(&Src, 1);
    EXPECT_EQ(T.ItemCount(), 2);
    EXPECT_EQ(Log.Modes.back(), cmRowBatchAdd);
    T.AppendFrom(&T);  // from itself: the rows as they were
    EXPECT_EQ(T.ItemCount(), 4);
}

TEST(TableRows, PropertyRowSize)
{
    TDataTable T;
    EXPECT_EQ(T.PropCount(), 10);
    TTableLog Log;
    Log.Attach(T);
    T.SetPropCount(0);
    EXPECT_EQ(T.PropCount(), 1);
    T.AddPropCount(2);
    EXPECT_EQ(T.PropCount(), 3);
    EXPECT_EQ(Log.Modes, (std::vector<TDataTableChangeMode>{cmPropChange, cmPropChange, cmPropChange}));
}

TEST(TableRows, RowOperations)
{
    TRow Row;
    Row.Init(std::vector<Integer>{5, 3, 5, 9, 3});
    EXPECT_EQ(Row.IndexOf(9), 3);
    EXPECT_EQ(Row.RemoveItemByValue(3), 1);
    EXPECT_EQ(Row.ToString(true), u"5,5,9,3");
    Row.RemoveRepeated();
    EXPECT_EQ(Row.ToString(true), u"5,9,3");
    Row.Sort(smValueInc);
    EXPECT_EQ(Row.ToString(true), u"3,5,9");
    Row.Sort(smValueDec);
    EXPECT_EQ(Row.ToString(true), u"9,5,3");
    Row.InsertItem(0, u"Abc");
    Row.AddItem(u"abd");
    Row.Sort(smText);
    EXPECT_EQ(Row.ToString(true), u"3,5,9,Abc,abd");
    EXPECT_EQ(Row.IndexOfText(u"ABD"), 4);
    EXPECT_EQ(Row.RemoveItemByText(u"aBc"), 3);
    Row.MoveItem(0, 3);
    EXPECT_EQ(Row.ToString(true), u"5,9,abd,3");
    EXPECT_THROW(Row.InsertItem(9, u"x"), EListError);
    EXPECT_THROW(Row.IndexOf(1), EConvertError);  // "abd" is not a number
    Row.Clear();
    EXPECT_EQ(Row.ItemCount(), 0);
}

// ---------------------------------------------------------------------------
// Batch journal

TEST(Batch, RollbackRestoresOrderAndTexts)
{
    TDataTable T;
    for (const char16_t* S : {u"a,1", u"b,2", u"c,3"}) T.AddItem(S);
    String Before = T.ToString(true);
    T.BatchStart();
    EXPECT_TRUE(T.InBatch());
    T.AddItem(u"d,4");
    T.MoveItem(0, 2);
    T.GetItem(0)->GetItem(1)->SetText(u"changed");
    T.RemoveItemByIndex(1);
    T.GetItem(T.ItemCount() - 1)->GetItem(0)->SetText(u"new row edited");
    EXPECT_NE(T.ToString(true), Before);
    T.BatchRollback();
    EXPECT_FALSE(T.InBatch());
    EXPECT_EQ(T.ToString(true), Before);
    EXPECT_EQ(T.GetItem(2)->Id(), 5);  // the re-inserted row has a new id
}

TEST(Batch, RollbackOfBulkOperationsAndCommit)
{
    TDataTable T;
    for (const char16_t* S : {u"1", u"2", u"1", u"3", u"2"}) T.AddItem(S);
    String Before = T.ToString(true);
    T.BatchStart();
    T.RemoveRepeated();
    EXPECT_EQ(T.ToString(true), u"#,,,,,,,,,#1|2|3");
    T.AddEmptyItem(2);
    TDataTable Src;
    Src.AddItem(u"9");
    T.AppendFrom(&Src);
    T.BatchRollback();
    EXPECT_EQ(T.ToString(true), Before);

    T.BatchStart();
    T.RemoveItemByIndex(0);
    T.BatchCommit();
    T.BatchRollback();  // nothing open: nothing to undo
    EXPECT_EQ(T.ItemCount(), 4);
}

TEST(Batch, RemoveRepeatedReportsOnce)
{
    TDataTable T;
    for (const char16_t* S : {u"1", u"2", u"1"}) T.AddItem(S);
    TTableLog Log;
    Log.Attach(T);
    T.RemoveRepeated();
    EXPECT_EQ(Log.Modes, (std::vector<TDataTableChangeMode>{cmRowBatchDeleted}));
    T.RemoveRepeated();
    EXPECT_EQ(Log.Modes.size(), 1u);
}

// ---------------------------------------------------------------------------
// Searches, sorts and derived tables

TEST(Search, TextAndValueLookups)
{
    TDataTable T(u"", ColumnSet({1}));
    T.AddItem(u"1,Alpha");
    T.AddItem(u"2,x");
    T.GetItem(1)->GetItem(1)->SetText(u"B,c|d");
    T.AddItem(u"2,\u00e9t\u00e9");
    EXPECT_EQ(T.IndexOfText(1, u"ALPHA"), 0);
    EXPECT_EQ(T.IndexOfText(1, u"b,C|D"), 1);
    EXPECT_EQ(T.IndexOfText(1, u"\u00c9T\u00c9"), -1);  // only A..Z fold
    EXPECT_EQ(T.IndexOfText(0, u"2", 1, u"\u00e9t\u00e9"), 2);
    EXPECT_EQ(T.IndexOfValue(0, 2), 1);
    EXPECT_EQ(T.GetRowCount(0, 2), 2);
    EXPECT_EQ(T.GetRow(0, 1), T.GetItem(0));
    EXPECT_EQ(T.GetRow(0, 7), nullptr);
    EXPECT_EQ(T.GetRowCount(0, 2, 0, 2), 2);
    EXPECT_THROW(T.IndexOfValue(1, 0), EConvertError);
    EXPECT_EQ(T.RemoveItemByText(1, u"alpha"), 0);
    EXPECT_EQ(T.RemoveItemByValue(5), -1);

    TRow Probe;
    Probe.Init(u"2,B\x1A" u"C|D", u',');
    EXPECT_FALSE(T.RowIsExist(&Probe, u""));
    Probe.Init(u"2,\u00e9t\u00e9", u',');
    EXPECT_TRUE(T.RowIsExist(&Probe, u""));
    EXPECT_TRUE(T.RowIsExist(&Probe, u"0"));
}

TEST(Search, SameOf)
{
    TDataTable A, B, Empty1, Empty2;
    A.AddItem(u"1,x");
    B.AddItem(u"01,X");
    EXPECT_TRUE(Empty1.SameOf(&Empty2, TColumnSet(), 5));
    EXPECT_TRUE(A.SameOf(&B, ColumnSet({0}), 0));
    EXPECT_FALSE(A.SameOf(&B, TColumnSet(), 1));
    EXPECT_FALSE(A.SameOf(&B, ColumnSet({0}), 2));
    EXPECT_FALSE(A.SameOf(&Empty1, TColumnSet(), 0));
}

TEST(Sort, ByValueWithoutOverflowAndCustom)
{
    TDataTable T;
    for (const char16_t* S : {u"5", u"-2147483648", u"2147483647", u"0", u"-1"}) T.AddItem(S);
    T.SetRowIndex(0);
    T.Sort(smValueInc);
    EXPECT_EQ(T.ToString(true), u"#,,,,,,,,,#-2147483648|-1|0|5|2147483647");
    EXPECT_EQ(T.RowIndex(), 3);  // the mark moved with its row
    T.Sort(smValueDec);
    EXPECT_EQ(T.ToString(true), u"#,,,,,,,,,#2147483647|5|0|-1|-2147483648");
    T.Sort(smCustom, [](TRow* A, TRow* B) {
        return A->GetItem(0)->Text().size() < B->GetItem(0)->Text().size() ? -1 : 0;
    });
    EXPECT_EQ(T.GetItem(0)->GetItem(0)->Text(), u"5");

    TTableLog Log;
    Log.Attach(T);
    String Before = T.ToString(true);
    T.Sort(smText);
    T.Sort(smCustom);
    EXPECT_EQ(T.ToString(true), Before);
    EXPECT_EQ(Log.Modes, (std::vector<TDataTableChangeMode>{cmSort, cmSort}));
    TDataTable Empty;
    TTableLog None;
    None.Attach(Empty);
    Empty.Sort(smValueInc);
    EXPECT_TRUE(None.Modes.empty());
}

TEST(Derived, SumsSetsAndDerivedTables)
{
    TDataTable T;
    for (const char16_t* S : {u"1,10,a", u"2,20,b", u"1,30,c", u"3,300,d"}) T.AddItem(S);
    EXPECT_EQ(T.SumBy(1, 0, -1), 0);
    EXPECT_EQ(T.SumBy(1, 0, -2), 360);
    EXPECT_EQ(T.SumBy(1, 1, 2), 50);
    EXPECT_EQ(T.SumBy(1, 0, 99), 360);
    EXPECT_EQ(T.GetColValueSet(0, 1, 1), ByteSet({10, 30}));  // 300 is outside 0..255
    EXPECT_EQ(T.GetRowSet(0, ByteSet({1, 3})), ByteSet({0, 2, 3}));

    EXPECT_EQ(T.MakeRow(2)->ToString(true), u"a,b,c,d");
    EXPECT_EQ(T.MakeIndexRow(0, 1)->ToString(true), u"0,2");
    auto Cols = T.MakeDT(ByteSet({0, 2}), 1, -1);
    EXPECT_EQ(Cols->ToString(true), u"#,,,,,,,,,#2,b|1,c|3,d");
    Integer SrcCol = 0;
    auto Picked = T.MakeDT(0, 1, SrcCol);
    EXPECT_EQ(SrcCol, 3);
    EXPECT_EQ(Picked->ToString(true), u"#,,,,,,,,,#1,10,a,0|1,30,c,2");
    Picked = T.MakeDT(0, 1, 1, 30, SrcCol);
    EXPECT_EQ(Picked->ItemCount(), 1);
    Picked = T.MakeDT(0, 7, SrcCol);
    EXPECT_EQ(SrcCol, -1);
    auto Strings = T.MakeStrings(2, 0, 1);
    ASSERT_EQ(Strings->Count(), 2);
    EXPECT_EQ(Strings->Strings(1), u"c");

    TDataTable Names;
    for (const char16_t* S : {u"x", u"y", u"z", u"w"}) Names.AddItem(S);
    T.PickDT(&Names, 2);
    EXPECT_EQ(T.MakeRow(2)->ToString(true), u"x,y,z,w");

    T.InitData({u"7", u"70"});
    T.InitData({u"8"});
    T.InitData({u"9", u"90", u"i", u"extra"}, 3);
    EXPECT_EQ(T.MakeRow(1)->ToString(true), u"70,20,30,90");
    EXPECT_EQ(T.MakeRow(0)->ToString(true), u"7,8,1,9");
    TDataTable Empty;
    EXPECT_EQ(Empty.MakeRow(0)->ItemCount(), 1);
    Empty.SetColIndex(0);
    EXPECT_EQ(Empty.ColIndex(), -1);
    T.SetColIndex(2);
    EXPECT_EQ(T.ColIndex(), 2);
    T.SetColIndex(3);
    EXPECT_EQ(T.ColIndex(), -1);
}

TEST(Derived, CopyFrom)
{
    TDataTable A, B;
    A.GetProp(0)->SetText(u"p");
    A.AddItem(u"1");
    A.AddItem(u"2");
    TTableLog Log;
    Log.Attach(B);
    B.CopyFrom(&A, true, 1);
    EXPECT_EQ(B.ToString(true), u"#p,,,,,,,,,#1");
    EXPECT_EQ(Log.Modes, (std::vector<TDataTableChangeMode>{cmTableInit}));
    B.CopyFrom(&B, false);
    EXPECT_EQ(B.ToString(true), u"#p,,,,,,,,,#1");
}

// ---------------------------------------------------------------------------
// Ownership: run under the sanitizers, a double free or a leak fails the test.

TEST(Ownership, ReferencedRowsAreNeverFreedByTheListingTable)
{
    TDataTable Owner;
    Owner.AddItem(u"a");
    Owner.AddItem(u"b");
    {
        TDataTable Refs;
        Refs.RefItem(Owner.GetItem(0));
        Refs.RefItem(Owner.GetItem(1));
        Refs.RefItem(Owner.GetItem(1));  // listed already: ignored
        EXPECT_EQ(Refs.ItemCount(), 2);
        EXPECT_EQ(Owner.GetItem(1)->RefParent(), &Refs);
        EXPECT_EQ(Owner.GetItem(1)->GetIndex(), 1);
        Refs.RemoveItemByIndex(0);  // dropped, not freed
        EXPECT_EQ(Owner.GetItem(0)->RefParent(), nullptr);
        EXPECT_EQ(Owner.GetItem(0)->GetItem(0)->Text(), u"a");
        // Refs goes out of scope without Empty.
    }
    EXPECT_EQ(Owner.GetItem(1)->RefParent(), nullptr);
    EXPECT_EQ(Owner.GetItem(1)->GetItem(0)->Text(), u"b");

    TDataTable Refs;
    Refs.RefItem(Owner.GetItem(0));
    Refs.Clear();
    Refs.RefItem(Owner.GetItem(1));
    Refs.Empty();
    EXPECT_EQ(Owner.ItemCount(), 2);
    EXPECT_EQ(Owner.GetItem(0)->GetItem(0)->Text(), u"a");
}

TEST(Ownership, FreeingARowOrTableDirectlyTakesItOutOfItsList)
{
    TDataTable Owner, Refs;
    Owner.AddItem(u"a");
    Owner.AddItem(u"b");
    Refs.RefItem(Owner.GetItem(1));
    Owner.SetRowIndex(1);
    delete Owner.GetItem(0);
    EXPECT_EQ(Owner.ItemCount(), 1);
    EXPECT_EQ(Owner.RowIndex(), 0);
    Owner.RemoveItemByIndex(0);  // freed by its owner: the reference list lets go too
    EXPECT_EQ(Refs.ItemCount(), 0);

    TDataTables List;
    List.AddEmptyItem(2);
    delete List.GetItem(0);
    EXPECT_EQ(List.ItemCount(), 1);
}

TEST(Ownership, ExtractMovesARowBetweenTables)
{
    TDataTable From(u"", ColumnSet({0})), To(u"", ColumnSet({0}));
    From.AddItem(u"x");
    From.GetItem(0)->GetItem(0)->SetText(u"a,b");
    From.AddItem(u"y");
    TTableLog Log;
    Log.Attach(From);
    std::unique_ptr<TRow> Row = From.ExtractItem(0);
    ASSERT_TRUE(Row);
    EXPECT_EQ(From.ItemCount(), 1);
    EXPECT_EQ(Log.Modes, (std::vector<TDataTableChangeMode>{cmRowDeleted}));
    EXPECT_EQ(Row->Parent(), nullptr);
    TRow* Moved = To.AddItem(std::move(Row));
    EXPECT_EQ(Moved->GetItem(0)->Text(), u"a,b");
    EXPECT_EQ(From.ExtractItem(5), nullptr);

    // A row that a table owns cannot be given to another one itself.
    EXPECT_THROW(To.AddItem(From.GetItem(0), false), EInvalidOperation);
    EXPECT_THROW(To.AddItem(Moved, false), EInvalidOperation);
    EXPECT_NE(To.AddItem(From.GetItem(0), true), nullptr);
    TDataTable Refs;
    Refs.RefItem(To.GetItem(0));
    EXPECT_THROW(Refs.ExtractItem(0), EInvalidOperation);
    Refs.Empty();
}

TEST(Ownership, DataSlotsFreeTheirContentOnce)
{
    int Freed = 0;
    {
        TDataTable T;
        TRow* Row = T.AddItem(u"a");
        Row->Data().Own(std::make_unique<TTracked>(Freed));
        EXPECT_NE(Row->Data().As<TTracked>(), nullptr);
        Row->Data().Own(std::make_unique<TTracked>(Freed));  // replaced: the old one goes
        EXPECT_EQ(Freed, 1);
        Row->Data2().Own(std::make_unique<TTracked>(Freed));
        Row->Data2().Clear();
        EXPECT_EQ(Freed, 2);
        Row->Data3().Own(std::make_unique<TTracked>(Freed));
        T.RemoveItemByIndex(0);  // the row goes with its slots
        EXPECT_EQ(Freed, 4);

        TTracked Outside(Freed);
        Row = T.AddItem(u"b");
        Row->Data4().Ref(&Outside);  // pointed at, not owned
        Row->Data5().Own(std::make_unique<TTracked>(Freed));
        std::unique_ptr<TTracked> Back = Row->Data5().Extract<TTracked>();
        EXPECT_EQ(Row->Data5().Get(), nullptr);
        T.Clear();
        EXPECT_EQ(Freed, 4);
        Back.reset();
        EXPECT_EQ(Freed, 5);
        T.Data().Own(std::make_unique<TTracked>(Freed));
    }
    EXPECT_EQ(Freed, 7);  // the table's slot and Outside
}

// ---------------------------------------------------------------------------
// Table lists

TEST(TableList, TextForm)
{
    TDataTables L;
    L.Init(u"{a,b}");
    EXPECT_EQ(L.ItemCount(), 0);
    EXPECT_EQ(L.PropertyRow()->ToString(true), u"a,b");
    L.Init(u"x|y");
    ASSERT_EQ(L.ItemCount(), 1);
    EXPECT_EQ(L.GetItem(0)->ItemCount(), 2);
    EXPECT_EQ(L.PropertyRow()->ToString(true), u"a,b");

    L.Init(u"{p}#q#a b,[^*]|c&#r#d");
    ASSERT_EQ(L.ItemCount(), 2);
    EXPECT_EQ(L.GetItem(0)->GetItem(0)->GetItem(0)->Text(), u"a b");
    EXPECT_EQ(L.GetItem(0)->GetItem(0)->GetItem(1)->Text(), u"[^*]");
    EXPECT_EQ(L.ToString(), u"{p}#q#a b,[^*]|c&#r#d");
    TDataTables Copy;
    Copy.Assign(&L);
    EXPECT_EQ(Copy.ToString(), u"{p}#,,,,,,,,,#a b,[^*]|c&#,,,,,,,,,#d");
}

TEST(TableList, EventsAndOwnership)
{
    TDataTables L;
    std::vector<std::tuple<TDataTableChangeMode, Integer, Integer>> Log;
    L.OnDataChanged = [&](TDataTables*, TDataTableChangeMode M, Integer Count, TDataTable*, Integer Index) {
        Log.emplace_back(M, Count, Index);
    };
    L.AddEmptyItem(3);
    ASSERT_EQ(Log.size(), 1u);
    EXPECT_EQ(Log[0], std::make_tuple(cmTableAdd, 3, -1));

    int TableEvents = 0;
    L.GetItem(2)->OnDataChanged = [&](TDataTable*, TDataTableChangeMode, TRow*, TCell*, Integer, Integer) {
        EXPECT_EQ(Log.size(), 1u);  // the table hears first
        ++TableEvents;
    };
    L.GetItem(2)->AddItem(u"x");
    EXPECT_EQ(TableEvents, 1);
    ASSERT_EQ(Log.size(), 2u);
    EXPECT_EQ(Log[1], std::make_tuple(cmRowAdd, 1, 2));

    L.MoveItem(2, 0);
    EXPECT_EQ(Log.back(), std::make_tuple(cmTableMove, 1, 0));
    TDataTable Foreign;
    Foreign.AddItem(u"mine");
    EXPECT_EQ(L.RemoveItem(&Foreign, -1), -1);  // not in the list: left alone
    EXPECT_EQ(Foreign.ItemCount(), 1);
    EXPECT_EQ(L.RemoveItem(nullptr, -1), -1);
    EXPECT_EQ(L.RemoveItem(L.GetItem(1), -1), 1);
    EXPECT_EQ(Log.back(), std::make_tuple(cmTableDeleted, 1, -1));
    L.RemoveItemByIndex(7);
    EXPECT_EQ(L.ItemCount(), 2);
    EXPECT_NE(L.AddItem(&Foreign, true), &Foreign);
    EXPECT_EQ(L.ItemCount(), 3);
    L.Clear();
    EXPECT_EQ(std::get<0>(Log.back()), cmTablesClear);
}

TEST(TableList, StreamBytesAreTheSameInEveryBuild)
{
    TDataTables L;
    L.Init(u"{\u00e9}#\u989c\u8272#a,\U0001F600");
    TMemoryStream S;
    L.SaveToStream(&S);
    const std::string Expected = "{\xC3\xA9}#\xE9\xA2\x9C\xE8\x89\xB2#a,\xF0\x9F\x98\x80";
    ASSERT_EQ(S.Size(), static_cast<Int64>(Expected.size()));
    EXPECT_EQ(std::string(static_cast<const char*>(S.Memory()), Expected.size()), Expected);
    S.SetPosition(0);
    TDataTables Back;
    Back.LoadFromStream(&S);
    EXPECT_EQ(Back.ToString(), L.ToString());
}

TEST(TableList, SaveRightAfterLoadWritesNothing)
{
    String Dir = GetTempDirectory();
    String Name = Dir + u"lm_test_tablelist_" + IntToStr(Random(1000000)) + u".txt";
    TDataTables L;
    L.Init(u"{v}#a#1,2|3&#b#4");
    L.SetDataChanged(true);
    L.Save(Name);
    EXPECT_FALSE(L.DataChanged());

    TDataTables Back;
    Back.Load(Name);
    EXPECT_EQ(Back.ToString(), L.ToString());
    EXPECT_FALSE(Back.DataChanged());
    DeleteFile(Name);
    Back.Save(Name);
    EXPECT_FALSE(FileExists(Name));
    Back.GetItem(1)->GetItem(0)->GetItem(0)->SetText(u"5");
    Back.Save(Name);
    EXPECT_TRUE(FileExists(Name));
    TDataTables Again;
    Again.Load(Name);
    EXPECT_EQ(Again.ToString(), u"{v}#a#1,2|3&#b#5");
    DeleteFile(Name);

    Again.Load(Name);  // missing file: an empty list
    EXPECT_EQ(Again.ItemCount(), 0);
}
