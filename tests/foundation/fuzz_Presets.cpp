// Fuzz target of the preset files: the first byte chooses the file of the
// data folder (or the old shadow presets in the temporary folder) that gets
// the rest; then the preset tables are built as at every start. Nothing may
// raise, and every table the program indexes keeps its shape.
#include "FuzzSupport.h"
#include "foundation/Global.h"
#include "foundation/HyMediaPack.h"
#include "foundation/HyPresets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size == 0) return 0;
    DataFolder = FuzzScratch() / u"Data\\";
    TempFolder = FuzzScratch() / u"Temp\\";
    EditionCode = 5;
    ForceDirectories(DataFolder);
    ForceDirectories(TempFolder);
    const String Files[7] = {DataFolder + PropertyFileName,  DataFolder + ShadowPresetFileName,
                             DataFolder + GradientObjFileName, DataFolder + GradientFileName,
                             DataFolder + SelectionFileName, DataFolder + TextTemplateFileName,
                             OldShadowPresetFileName()};
    for (const String& F : Files) DeleteFile(F);
    FuzzWriteFile(Files[Data[0] % 7], Data + 1, Size - 1);

    InitPropertyTables();
    FuzzCheck(PropertyTable->ItemCount() >= PropertyTableRows, "the object defaults lost rows");
    FuzzCheck(StylePresetTable->ItemCount() == 82, "the quick styles lost rows");
    DonePresetTables();
    ClearStockErrors();
    return 0;
}
