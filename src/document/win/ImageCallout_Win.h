// ImageCallout_Win: a callout's frame painted through GDI+: the closed-shape
// fill procedure on the frame's outline, with the gradient areas of the
// balloons and the thought bubble reaching their tips, the bubble's radial
// fill once per bubble, and the note's fold line.
#pragma once

#include "document/ImageCallout.h"
#include "document/win/ImageEffects_Win.h"

// Paints the frame Outline (Points.FramePath) of Shape's callout Points on
// Graphics, which already carries the object's turn and smoothing; Target is
// the bitmap it draws on. An empty outline paints nothing.
void PaintCalloutFrame(TImgShape& Shape, const TCalloutPoints& Points, const TShapePath& Outline,
                       IGPGraphics& Graphics, TCustomBitmap32& Target);
