// ImageFill_Win: the GDI+ painter of the document's gradient fill: a linear
// brush, or a path brush on a circle or a square, laid as the portable plan
// (PlanGradient) says.
#pragma once

#include "document/ImageDraw.h"

// Lays Plan on Surface's pixels; nothing for a plan without a shape.
void PaintGradient(TCustomBitmap32& Surface, const TGradientPlan& Plan);

// Installs the painter as the gradient fill's hook. Called once at start-up
// (InstallImageDrawHooks).
void InstallImageFillHooks();
