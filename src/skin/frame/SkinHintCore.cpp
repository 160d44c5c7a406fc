#include "skin/frame/SkinHintCore.h"

namespace {

// Bytes from the first byte that is not Blank to the end of the block.
std::size_t BytesFromFirstNot(const Byte* Block, std::size_t Len, Byte Blank)
{
    for (std::size_t i = 0; i < Len; ++i)
        if (Block[i] != Blank) return Len - i;
    return 0;
}

}  // namespace

Integer CursorMaskMargin(const Byte* Bits, std::size_t Size, Integer Width, Integer Height, Integer HotSpotY,
                         Integer Default)
{
    if (!Bits || Width <= 0 || Height <= 0) return Default;
    const std::size_t LineBytes = static_cast<std::size_t>((Width + 31) / 32) * 4;
    // AND over XOR when the mask is at least twice as tall as wide; the real
    // height counts, not the width (a short mask must not be read past its end).
    const bool TwoMasks = Height >= 2 * Width;
    const std::size_t Lines = static_cast<std::size_t>(TwoMasks ? Height / 2 : Height);
    const std::size_t Image = Lines * LineBytes;
    if (Image == 0 || Size < Image) return Default;
    const Byte* Last = Bits + (Size - Image);
    std::size_t Count = BytesFromFirstNot(Last, Image, 0xFF);
    if (Count == 0 && TwoMasks && Size >= 2 * Image) Count = BytesFromFirstNot(Last - Image, Image, 0x00);
    return static_cast<Integer>(Count / LineBytes) - HotSpotY;
}
