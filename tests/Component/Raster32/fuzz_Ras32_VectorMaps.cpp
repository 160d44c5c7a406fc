// Fuzz target of the mesh file reader: the input is the file. A refused file
// raises the reader's errors; an accepted one gives a map of its size.
#include "Component/Raster32/Ras32_VectorMaps.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const String Name = FuzzScratch() / u"warp.msh";
    FuzzWriteFile(Name, Data, Size);
    TVectorMap Map;
    try {
        Map.LoadFromFile(Name);
    } catch (const Exception&) {
        return 0;
    }
    FuzzCheck(Map.Vectors().size() == static_cast<size_t>(Map.Width()) * static_cast<size_t>(Map.Height()),
              "vectors and size disagree");
    Map.GetTrimmedBounds();
    return 0;
}
