// Fuzz target of the JPEG road of the image files, run under Wine: the rest
// of the input is written as a ".jpg" file, decoded whole
// (LoadImageToBitmap32, libjpeg-turbo) and as a thumbnail decoded reduced
// (LoadThumbnailFile) into a box of 1 to 64 pixels a side that the first
// byte gives. A decoded picture has a size and a depth code of the table, and
// the status tells what the file claims; nothing decoded leaves nothing.
#include "FuzzSupport.h"
#include "foundation/win/HyFileUtils_Image.h"
#include "Component/Raster32/Ras32_Startup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    static const bool Started = (InstallRasterEngine(), true);
    (void)Started;
    if (Size < 1 || Size > 65536) return 0;
    const String Name = FuzzScratch().Path() + u"picture.jpg";
    FuzzWriteFile(Name, Data + 1, Size - 1);

    bool HasAlpha = true;
    Integer Depth = 0;
    TImageLoadStatus Status;
    const std::unique_ptr<TBitmap32> Whole = LoadImageToBitmap32(Name, HasAlpha, Depth, &Status);
    if (Status.Result == ilrLoaded) {
        FuzzCheck(Whole && !Whole->Empty(), "a decoded picture is empty");
        FuzzCheck(Whole->Width() == Status.Width && Whole->Height() == Status.Height, "the status gives another size");
        FuzzCheck(Depth == 8 || Depth == 24 || Depth == 32, "a JPEG depth code outside the table");
        FuzzCheck(!HasAlpha, "a JPEG with alpha");
    } else {
        FuzzCheck(!Whole || Whole->Empty(), "a refused file left a picture");
        FuzzCheck(Depth == -1 && !HasAlpha, "a refused file left a depth");
    }

    const Integer Box = 1 + Data[0] % 64;
    TBitmap32 Thumb;
    Integer W = 0, H = 0;
    TImageLoadStatus ThumbStatus;
    const bool Made = LoadThumbnailFile(Name, &Thumb, Box, Box, (Data[0] & 64) != 0, W, H, &ThumbStatus);
    FuzzCheck(Thumb.Width() <= Box && Thumb.Height() <= Box, "a thumbnail beyond its box");
    if (Made) FuzzCheck(W > 0 && H > 0, "a thumbnail of a picture without a size");
    FuzzCheck(!Made || Status.Result == ilrLoaded || ThumbStatus.Result == ilrLoaded,
              "a thumbnail of a file that does not decode");
    return 0;
}
