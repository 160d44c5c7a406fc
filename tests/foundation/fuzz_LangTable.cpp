// Fuzz target of the language table reader: the input is the table resource
// ("DbLang"); its first byte also picks the language column. Reading never
// raises; a text outside the table raises EListError and nothing else.
#include "FuzzGlobals.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    static bool Started = [] {
        InitGlobals(u"LumatraStd", 5, FuzzScratch() / u"Data", FuzzPlatform());
        return true;
    }();
    (void)Started;
    TFuzzPlatform& Platform = FuzzPlatform();
    Platform.Resource.assign(reinterpret_cast<const char*>(Data), Size);
    LangColumn = Size && (Data[0] & 1) ? 2 : 0;
    LoadLangTable();
    for (Integer Group = 0; Group < 4; ++Group)
        for (Integer Index : {0, 1, 7, 200}) {
            try {
                GetLangText(Group, Index, Index == 1);
            } catch (const EListError&) {
            }
        }
    return 0;
}
