// Two documents that take the same steps, one composed by DrawChanged and the
// other by Draw, over a W x H raster of colour bands; and where their view
// bitmaps differ.
#pragma once

#include <algorithm>
#include <memory>

#include "DocumentTestView.h"

struct TComposedSide {
    TTestView View;
    std::unique_ptr<TImageDraw> Doc;
    TComposedSide(Integer W, Integer H)
    {
        Doc = NewBlankDocument(View, W, H, false);
        Doc->InitBitmap();
        for (Integer y = 0; y < H; ++y)
            for (Integer x = 0; x < W; ++x)
                Doc->SrcBmp()->SetPixel(x, y, 0xFF000000 | TColor32(x * 255 / W) << 16 | TColor32(y * 255 / H) << 8 | 0x40);
    }
    TImgShape* Object(Integer Index) const { return TImageDraw::RowShape(Doc->DT()->GetItem(Index)); }
};

// The pixels of both view bitmaps that differ inside Area.
inline Integer Differences(const TComposedSide& A, const TComposedSide& B, const TRect& Area)
{
    const TCustomBitmap32& P = *A.Doc->Bitmap();
    const TCustomBitmap32& Q = *B.Doc->Bitmap();
    Integer N = 0;
    for (Integer y = std::max(Area.Top, 0); y < std::min(Area.Bottom, P.Height()); ++y)
        for (Integer x = std::max(Area.Left, 0); x < std::min(Area.Right, P.Width()); ++x)
            N += P.Pixel(x, y) != Q.Pixel(x, y);
    return N;
}
