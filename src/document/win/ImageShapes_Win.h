// ImageShapes_Win: the GDI+ painters of the polygon and the line objects:
// the polygon's rubber band while it is placed and its elliptic gradient, and
// the line's one widened path with its heads and dots, filled by the line's
// own rules, with the outline pen every GDI+ painter of an object shares.
// Everything else goes through the closed-shape drawing (ImageEffects_Win).
#pragma once

#include "document/ImageLine.h"
#include "document/ImagePolygon.h"
#include "document/win/ImageEffects_Win.h"
#include "gdiplus/win/GdiPlus.h"

// The colour at an object's opacity and the outline pen every painter shares
// are ImageEffects_Win's WithOpacity and OutlinePen.

void PaintPolygon(TImgPolygon& Shape, TCustomBitmap32& Target, const TClosedShapeDraw& Outline);
void PaintLine(TImgLine& Shape, TCustomBitmap32& Target);

// Installs both painters as the objects' hooks. Called once at start-up
// (InstallImageDrawHooks).
void InstallImageShapeHooks();
