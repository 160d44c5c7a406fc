// ImageLines_Win: the GDI+ painter of the pencil stroke: it follows the
// stroke's drawing plan (the one-point tip, the pen's lines or curve, the
// nib's swept outline, the preview mark) in the stroke's colour at its
// opacity.
#pragma once

#include "document/ImageLines.h"

void PaintLines(TImgLines& Shape, TCustomBitmap32& Target, const TLinesDrawing& Plan);

// Installs the painter as the stroke's hook. Called once at start-up
// (InstallImageDrawHooks).
void InstallImageLinesHooks();
