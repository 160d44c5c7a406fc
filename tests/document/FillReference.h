// The flood fill as first designed, kept as the reference the span flood
// (TImageDraw::FillDo) is held to by the tests and the benchmark: breadth
// first from the seed, recolouring as it goes, with a point list and a
// visited byte for every pixel of the picture; at the end the list is
// rewritten row by row from the visited map.
#pragma once

#include <vector>

#include "Component/Raster32/Ras32.h"
#include "filters/HyRas32Filters.h"

// Recolours B as the flood does and returns the number of pixels filled;
// Points holds them row-major (its first that many entries).
inline Integer BreadthFirstFill(TCustomBitmap32& B, Integer X0, Integer Y0, TColor32 Src, TColor32 Fill,
                                Integer Tolerance, TArrayOfPoint& Points)
{
    const Integer W = B.Width(), H = B.Height();
    const size_t Size = static_cast<size_t>(W) * static_cast<size_t>(H);
    std::vector<Byte> Visited(Size, 0);
    Points.assign(Size, TPoint{});
    auto At = [&](Integer X, Integer Y) { return static_cast<size_t>(Y) * static_cast<size_t>(W) + static_cast<size_t>(X); };
    Visited[At(X0, Y0)] = 1;
    B.SetPixel(X0, Y0, Fill);
    Points[0] = TPoint{X0, Y0};
    size_t First = 0, Last = 1, Count = 1;
    const TPoint Steps[4] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};  // left, up, right, down
    while (First < Last) {
        for (size_t i = First; i < Last; ++i)
            for (const TPoint& D : Steps) {
                const Integer X = Points[i].X + D.X, Y = Points[i].Y + D.Y;
                if (X < 0 || Y < 0 || X >= W || Y >= H || Visited[At(X, Y)]) continue;
                if (!ColorsSimilar(B.Pixel(X, Y), Src, Tolerance)) continue;
                B.SetPixel(X, Y, Fill);
                Points[Count++] = TPoint{X, Y};
                Visited[At(X, Y)] = 1;
            }
        First = Last;
        Last = Count;
    }
    size_t N = 0;
    for (Integer Y = 0; Y < H; ++Y)
        for (Integer X = 0; X < W; ++X)
            if (Visited[At(X, Y)]) Points[N++] = TPoint{X, Y};
    return static_cast<Integer>(N);
}
