// The mask pictures the region tests share.
#pragma once

#include "skin/model/SFBitmap.h"

constexpr TsfColor MaskWhite = 0xFFFFFFFFu, MaskBlack = 0xFF000000u;

// A 4 x 5 white mask whose row 3 reads black, black, white, black.
inline void MakeRowMask(TsfBitmap& M)
{
    M.SetSize(4, 5);
    M.Clear(MaskWhite);
    const TsfColor Row3[] = {MaskBlack, MaskBlack, MaskWhite, MaskBlack};
    for (Integer x = 0; x < 4; ++x) *M.PixelAddress(x, 3) = Row3[x];
}
