// Fuzz target of the image-file header reader: the input is the start of a
// picture file. A header read names a known kind; its size is what the
// program then checks against its pixel cap.
#include "FuzzSupport.h"
#include "foundation/HyFileUtils_ImageInfo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    TMemoryStream Stream;
    FuzzStream(Stream, Data, Size);
    TImageHeader Header;
    if (!ReadImageHeader(&Stream, Header)) return 0;
    FuzzCheck(Header.Format != ifUnknown, "a header read without a kind");
    ImageSizeAllocatable(Header.Width, Header.Height);
    return 0;
}
