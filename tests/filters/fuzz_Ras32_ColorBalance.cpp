// Fuzz target of the colour-balance stream reader: the input is the stream.
// A refused record changes nothing; an accepted one gives lookups that a
// picture can be run through.
#include "FuzzSupport.h"
#include "filters/Ras32_ColorBalance.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    TMemoryStream Stream;
    FuzzStream(Stream, Data, Size);
    TColorBalance Balance;
    if (!Balance.LoadFromStream(&Stream)) {
        FuzzCheck(Balance.TransferMode() == tmMidtones && Balance.CyanRed() == 0, "a refused record changed the balance");
        return 0;
    }
    TCustomBitmap32 Source, Dest;
    Source.SetSize(4, 1);
    for (Integer I = 0; I < 4; ++I) Source.Bits()[I] = 0x01000000u * (I * 60) + 0x00FF8000u * I + 0x3F * I;
    Balance.SetSourceBitmap(&Source);
    Balance.Execute(&Dest);
    FuzzCheck(Dest.Width() == 4 && Dest.Height() == 1, "the result has another size");
    for (Integer I = 0; I < 4; ++I) FuzzCheck(Dest.Bits()[I] >> 24 == Source.Bits()[I] >> 24, "alpha not kept");
    // Writing gives the record back.
    TMemoryStream Again;
    Balance.SaveToStream(&Again);
    FuzzCheck(Again.Size() == ColorBalanceStreamSize, "the record written has another size");
    return 0;
}
