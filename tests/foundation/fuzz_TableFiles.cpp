// Fuzz target of the table files: the first byte chooses the reader and its
// settings (IOMode 0..7, check bytes, key, custom key, or a table list and
// its mode), the rest is the file. A damaged file reads as no rows and
// never raises; what is read writes back and reads back the same.
#include "FuzzSupport.h"
#include "foundation/HyDataTable.h"

namespace {

void FuzzTable(uint8_t Options, TMemoryStream& Stream)
{
    auto Make = [Options] {
        auto T = std::make_unique<TDataTable>((Options & 0x10) ? String(u"k3y\u00e9") : String(), ColumnSet({1, 3}));
        T->SetIOMode(Options & 7);
        T->SetIsAddVerifyCode((Options & 8) != 0);
        if (Options & 0x20) T->SetKeyCustom(u"custom");
        return T;
    };
    std::unique_ptr<TDataTable> Table = Make();
    Table->LoadFromStream(&Stream);
    const String Text = Table->ToString(true);
    TMemoryStream Written;
    Table->SaveToStream(Text, &Written);
    std::unique_ptr<TDataTable> Again = Make();
    Again->LoadFromStream(&Written);
    FuzzCheck(Again->ToString(true) == Text, "a table file reads back differently");
}

void FuzzTableList(uint8_t Options, TMemoryStream& Stream)
{
    const Integer Mode = (Options >> 1) & 1;
    TDataTables Tables;
    Tables.LoadFromStream(&Stream, Mode);
    for (Integer I = 0; I < Tables.ItemCount(); ++I) Tables.GetItem(I)->ItemCount();
    const String Text = Tables.ToString(Mode);
    TMemoryStream Written;
    Tables.SaveToStream(&Written, Mode);
    Written.SetPosition(0);
    TDataTables Again;
    Again.LoadFromStream(&Written, Mode);
    FuzzCheck(Again.ToString(Mode) == Text, "a table list reads back differently");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size == 0) return 0;
    TMemoryStream Stream;
    FuzzStream(Stream, Data + 1, Size - 1);
    if (Data[0] & 0x40) FuzzTableList(Data[0], Stream);
    else FuzzTable(Data[0], Stream);
    return 0;
}
