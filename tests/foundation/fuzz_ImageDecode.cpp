// Fuzz target of the portable picture decoders (PNG, reduced PNG, GIF, BMP).
// The first byte chooses the decoder, the rest is the file. Built as a
// libFuzzer program in a clang build (LM_FUZZ), and replayed over the saved
// corpus by test_ImageDecodeFuzzReplay in every build.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "foundation/HyFileUtils_Decode.h"

namespace {

void Check(bool Condition)
{
    if (!Condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size < 1) return 0;
    TMemoryStream Stream;
    if (Size > 1) Stream.WriteBuffer(Data + 1, static_cast<Integer>(Size - 1));
    Stream.SetPosition(0);
    TCustomBitmap32 Bitmap;
    bool HasAlpha = false;
    Integer BitDepth = -1;
    TImageLoadResult Result;
    switch (Data[0] % 4) {
        case 0: Result = DecodePng(&Stream, &Bitmap, HasAlpha, BitDepth); break;
        case 1: {
            Int64 W = 0, H = 0;
            Result = DecodePngReduced(&Stream, 1 + Data[0] / 4 % 16, 1 + Data[0] / 64, &Bitmap, W, H);
            BitDepth = Result == ilrLoaded ? 32 : -1;
            if (Result == ilrLoaded) Check(Bitmap.Width() <= W && Bitmap.Height() <= H);
            break;
        }
        case 2: Result = DecodeGif(&Stream, &Bitmap, HasAlpha, BitDepth); break;
        default: Result = DecodeBmp(&Stream, &Bitmap, HasAlpha, BitDepth); break;
    }
    // Decoded: a picture and a depth code of the table; else nothing at all.
    if (Result == ilrLoaded) {
        Check(!Bitmap.Empty());
        Check(BitDepth == 1 || BitDepth == 4 || BitDepth == 8 || BitDepth == 16 || BitDepth == 24 || BitDepth == 32);
        Check(!HasAlpha || BitDepth == 32);
        // Every pixel readable (the sanitizers check the memory).
        uint32_t Sum = 0;
        for (Integer I = 0; I < Bitmap.Width() * Bitmap.Height(); ++I) Sum += Bitmap.Bits()[I];
        (void)Sum;
    } else {
        Check(Bitmap.Empty());
        Check(BitDepth == -1 && !HasAlpha);
    }
    return 0;
}
