// ViDuza: plane-geometry helpers of the document engine. Screen axes: x grows
// to the right, y downwards. Only the point helpers that the raster engine's
// radial fades need are here so far.
#pragma once

#include "Component/Raster32/Ras32_Types.h"

// Adds DX to P.X and DY to P.Y.
void IncPoint(TPoint& P, Integer DX, Integer DY);

// Euclidean distance between an integer and a float point, computed in
// extended precision and rounded to Single.
Single FloatPointDistance(const TPoint& P, const TFloatPoint& F);
