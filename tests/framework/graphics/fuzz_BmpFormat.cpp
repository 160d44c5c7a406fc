// Fuzz target of the BMP reader of the framework: the first byte chooses the
// BMP file reader or the packed DIB reader (bitmap resources, the clipboard),
// the rest is their input. A picture read must be as large as it says, and
// must read back the same from what the writer makes of it.
#include <cstring>

#include "FuzzSupport.h"
#include "framework/graphics/BmpFormat.h"

namespace {

void CheckImage(const TDibImage& Image)
{
    FuzzCheck(Image.Width >= 0 && Image.Height >= 0, "negative size");
    FuzzCheck(Image.Bits.size() == (Image.Empty() ? 0 : static_cast<size_t>(Image.Stride()) * Image.Height),
              "pixel buffer of the wrong size");
    if (IsIndexedFormat(Image.PixelFormat))
        FuzzCheck(Image.Palette.size() <= (size_t(1) << PixelFormatBits(Image.PixelFormat)), "palette too long");
}

void RoundTrip(const TDibImage& Image)
{
    // Large pictures are read (the cap is the reader's), not copied again.
    if (Image.Empty() || static_cast<uint64_t>(Image.Width) * Image.Height > (uint64_t(1) << 22)) return;
    TMemoryStream Written;
    WriteBmp(&Written, Image);
    Written.SetPosition(0);
    TDibImage Again;
    ReadBmp(&Written, Again);
    FuzzCheck(Written.Position() == Written.Size(), "the written file is not read to its end");
    FuzzCheck(Again.Width == Image.Width && Again.Height == Image.Height && Again.PixelFormat == Image.PixelFormat,
              "the written picture reads back in another layout");
    // Bytes past a row's last pixel are the file's padding: not compared.
    const size_t Used = (static_cast<size_t>(Image.Width) * PixelFormatBits(Image.PixelFormat) + 7) / 8;
    for (Integer Y = 0; Y < Image.Height; ++Y)
        FuzzCheck(std::memcmp(Again.ScanLine(Y), Image.ScanLine(Y), Used) == 0, "the written picture reads back differently");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size == 0) return 0;
    TDibImage Image;
    try {
        if (Data[0] & 1) {
            ReadPackedDib(Data + 1, Size - 1, Image);
        } else {
            TMemoryStream Stream;
            FuzzStream(Stream, Data + 1, Size - 1);
            ReadBmp(&Stream, Image);
            FuzzCheck(Stream.Position() <= Stream.Size(), "read past the stream");
        }
    } catch (const EInvalidGraphic&) {
        return 0;
    } catch (const EReadError&) {
        return 0;
    }
    CheckImage(Image);
    RoundTrip(Image);
    return 0;
}
