// Fuzz target of the media-pack loaders: the first byte chooses the loader
// (the effects, pattern, brush, shadow and reflection packs of the program
// folder, the frame packs 0/1, 2 and 3, or a nested pack in memory), the rest
// is the pack. A damaged pack never raises (the nested reader raises its
// stream's errors): the loader empties the table and answers false.
#include "FuzzSupport.h"
#include "foundation/Global.h"
#include "foundation/HyMediaPack.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size == 0) return 0;
    static const bool Started = [] {
        ProgramFolder = FuzzScratch() / u"Program\\";
        ForceDirectories(ProgramFolder + u"Media");
        // Damaged packs are logged: not kept.
        return true;
    }();
    (void)Started;
    static const char16_t* const Names[5] = {u"Effects.dat", u"Pattern.dat", u"Brush.dat", u"Shadow.dat",
                                             u"Reflection.dat"};
    using TLoader = bool (*)(TDataTable*);
    static const TLoader Loaders[5] = {LoadEffectsPack, LoadPatternPack, LoadBrushPack, LoadShadowPack,
                                       LoadReflectionPack};
    const Integer Which = Data[0] % 9;
    TDataTable Table;
    Table.AddItem(u"old,row");
    bool Read = false;
    if (Which < 5) {
        FuzzWriteFile(MediaPackFileName(Names[Which]), Data + 1, Size - 1);
        Read = Loaders[Which](&Table);
    } else if (Which < 8) {
        const String Name = FuzzScratch() / u"frame.dat";
        FuzzWriteFile(Name, Data + 1, Size - 1);
        Read = Which == 5 ? LoadMediaPack(&Table, Name)
                          : Which == 6 ? LoadNestedMediaPack(&Table, Name) : LoadGPImageMediaPack(&Table, Name);
    } else {
        TMemoryStream Stream;
        FuzzStream(Stream, Data + 1, Size - 1);
        try {
            ReadNestedPack(&Table, &Stream);
        } catch (const Exception&) {
        }
        return 0;
    }
    FuzzCheck(Read || Table.ItemCount() == 0, "a refused pack left rows behind");
    ClearStockErrors();
    return 0;
}
