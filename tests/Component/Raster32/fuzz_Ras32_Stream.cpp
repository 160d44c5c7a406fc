// Fuzz target of the engine's bitmap readers: the first byte chooses the BMP
// stream (32-bit pictures directly, others through the framework's decoder),
// the form-streaming pixel data or the picture file; the rest is their input.
// A refused input leaves the bitmap as it was; an accepted one fills it.
#include "Component/Raster32/Ras32.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size == 0) return 0;
    TCustomBitmap32 Bitmap;
    Bitmap.SetSize(3, 2);
    for (Integer I = 0; I < 6; ++I) Bitmap.Bits()[I] = 0x80402010;
    try {
        switch (Data[0] % 3) {
        case 0: {
            TMemoryStream Stream;
            FuzzStream(Stream, Data + 1, Size - 1);
            Bitmap.LoadFromStream(&Stream);
            break;
        }
        case 1: {
            TMemoryStream Stream;
            FuzzStream(Stream, Data + 1, Size - 1);
            Bitmap.ReadPixelData(&Stream);
            break;
        }
        default: {
            const String Name = FuzzScratch() / u"picture.bmp";
            FuzzWriteFile(Name, Data + 1, Size - 1);
            Bitmap.LoadFromFile(Name);
        }
        }
    } catch (const EInvalidGraphic&) {
        FuzzCheck(Bitmap.Width() == 3 && Bitmap.Height() == 2 && Bitmap.Bits()[5] == 0x80402010,
                  "a refused picture changed the bitmap");
        return 0;
    } catch (const EReadError&) {
        FuzzCheck(Bitmap.Width() == 3 && Bitmap.Height() == 2 && Bitmap.Bits()[5] == 0x80402010,
                  "a refused stream changed the bitmap");
        return 0;
    }
    FuzzCheck(Bitmap.Empty() || Bitmap.Bits() != nullptr, "a bitmap with a size and no pixels");
    if (!Bitmap.Empty()) {
        // Every pixel is there to be read.
        volatile TColor32 Last = Bitmap.GetPixelUnchecked(Bitmap.Width() - 1, Bitmap.Height() - 1);
        (void)Last;
    }
    return 0;
}
