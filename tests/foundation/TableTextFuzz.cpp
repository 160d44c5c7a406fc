#include "TableTextFuzz.h"

#include <algorithm>

#include "foundation/HyDataTable.h"

// The input: byte 0 chooses the escaped columns and the table's line-break
// rule, then a text of UTF-16 code units (two bytes each) up to a 0xFFFF
// unit, then operations (three bytes each) run inside a batch.
//
// Properties checked:
//   - any text reads as some table, and its written form reads back to the
//     same written form (the writer's output is a fixed point of the reader);
//   - a cell text set in an escaped column reads back as the escaping rules say;
//   - a batch of journalled operations rolled back restores the written form;
//   - the list reader takes any text.

namespace {

struct TInput {
    const uint8_t* P;
    const uint8_t* End;
    bool More() const { return P < End; }
    uint8_t Byte() { return P < End ? *P++ : 0; }
};

String ReadText(TInput& In, size_t MaxUnits)
{
    String S;
    while (In.End - In.P >= 2 && S.size() < MaxUnits) {
        Char C = static_cast<Char>(In.P[0] | (In.P[1] << 8));
        In.P += 2;
        if (C == 0xFFFF) break;
        S += C;
    }
    return S;
}

// What Text() gives back after SetText(Value) on a fresh cell of an escaped column.
String ExpectedCellText(const String& Value, bool KeepLineBreaks)
{
    String R;
    for (Char C : Value) {
        if (C == 0) break;
        if (C < 32 && !(KeepLineBreaks && (C == 9 || C == 10 || C == 13)))
            R += u' ';
        else
            R += C;
    }
    return R;
}

std::string Fail(const char* What)
{
    return What;
}

}  // namespace

std::string FuzzTableText(const uint8_t* Data, size_t Size)
{
    TInput In{Data, Data + Size};
    uint8_t Mode = In.Byte();
    TColumnSet Escaped = ColumnSet({Mode & 7, (Mode >> 3) & 7});
    TDataTable Table(String(), Escaped);
    Table.SetIOMode(0);
    if (Mode & 0x40) Table.SetReserveLFSet(Escaped);
    String Text = ReadText(In, 4096);

    try {
        Table.Init(Text);
        String Written = Table.ToString(true);
        TDataTable Again(String(), Escaped);
        Again.SetIOMode(0);
        Again.Init(Written);
        if (Again.ToString(true) != Written) return Fail("written form does not read back to itself");
        (void)Table.ToString(false);

        // Escaping of a cell text in an escaped column, on a fresh row each time.
        for (Integer Col = 0; Col < 8; ++Col) {
            if (!Escaped.test(static_cast<size_t>(Col))) continue;
            TRow* Row = Table.AddItem(u"");
            for (Integer I = 0; I < Col; ++I) Row->AddItem(u"");
            Row->GetItem(Col)->SetText(Text);
            if (Row->GetItem(Col)->Text() != ExpectedCellText(Text, (Mode & 0x40) != 0))
                return Fail("escaped cell does not read back");
            String Stored = Row->ToString(true);
            // Only the separators of the empty cells before it.
            if (std::count(Stored.begin(), Stored.end(), u',') != Col || Stored.find(u'|') != String::npos)
                return Fail("escaped cell breaks the row text");
            Table.RemoveItemByIndex(Table.ItemCount() - 1);
        }

        // Journalled operations inside a batch, then a rollback.
        String Before = Table.ToString(true);
        Table.BatchStart();
        for (int Step = 0; Step < 64 && In.More(); ++Step) {
            uint8_t Op = In.Byte(), A = In.Byte(), B = In.Byte();
            Integer N = Table.ItemCount();
            switch (Op % 8) {
                case 0:
                    Table.AddItem(A % 2 ? u"n,e|w" : u"x,y");
                    break;
                case 1:
                    if (N > 0) Table.MoveItem(A % N, B % N);
                    break;
                case 2:
                    Table.RemoveItemByIndex(N > 0 ? A % N : 0);
                    break;
                case 3:
                    if (N > 0) {
                        TRow* Row = Table.GetItem(A % N);
                        if (Row->ItemCount() > 0) Row->GetItem(B % Row->ItemCount())->SetText(u"edit,ed|" + IntToStr(Step));
                    }
                    break;
                case 4: {
                    TRow Copy;
                    Copy.Init(u"c1,c2", u',');
                    Table.InsertItem(N > 0 ? A % (N + 1) : 0, &Copy, true);
                    break;
                }
                case 5:
                    if (N > 0) Table.GetItem(A % N)->Init(u"re|init", u'|');
                    break;
                case 6:
                    Table.AddEmptyItem(A % 3);
                    break;
                case 7:
                    if (N > 0) {
                        TRow* Row = Table.GetItem(A % N);
                        if (Row->ItemCount() > 0) Row->RemoveItemByIndex(B % Row->ItemCount());
                    }
                    break;
            }
        }
        Table.BatchRollback();
        if (Table.ToString(true) != Before) return Fail("rollback does not restore the table");

        TDataTables List;
        List.Init(Text);
        (void)List.ToString(0);
    } catch (const Exception&) {
        // Readers raise nothing; only list index errors of the operations could.
        return Fail("unexpected exception");
    }
    return std::string();
}
