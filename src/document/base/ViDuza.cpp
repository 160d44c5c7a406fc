#include "document/base/ViDuza.h"

#include <cmath>

void IncPoint(TPoint& P, Integer DX, Integer DY)
{
    // Wrapping sums, like the 32-bit additions the coordinates always had.
    P.X = static_cast<Integer>(static_cast<Cardinal>(P.X) + static_cast<Cardinal>(DX));
    P.Y = static_cast<Integer>(static_cast<Cardinal>(P.Y) + static_cast<Cardinal>(DY));
}

Single FloatPointDistance(const TPoint& P, const TFloatPoint& F)
{
    Extended DX = static_cast<Extended>(P.X) - F.X;
    Extended DY = static_cast<Extended>(P.Y) - F.Y;
    return static_cast<Single>(std::sqrt(DX * DX + DY * DY));
}
