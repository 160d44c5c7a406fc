// ImageText_Win: the GDI+ painter of the text object: the frame through the
// closed-shape fill procedure, then the text as a string or as letter shapes
// (filled solid, by a gradient or a texture, and outlined), following the
// drawing plan the portable object works out.
#pragma once

#include "document/ImageText.h"

void PaintText(TImgText& Shape, TCustomBitmap32& Target, const TTextDrawing& Drawing);

// Installs the painter as the text object's hook. Called once at start-up
// (InstallImageDrawHooks).
void InstallImageTextHooks();
