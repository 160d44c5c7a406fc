// ImageFreeShape_Win: the GDI+ painter of the free shape: the pen's chain of
// Beziers while it is placed, then the path of its segments, filled and
// outlined, turned by its angle.
#pragma once

#include "document/ImageFreeShape.h"

void PaintFreeShape(TImgFreeShape& Shape, TCustomBitmap32& Target);

// Installs the painter as the free shape's hook. Called once at start-up
// (InstallImageDrawHooks).
void InstallImageFreeShapeHooks();
