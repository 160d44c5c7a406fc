// PictureArea: the area a painter's drawing may touch (TPictureArea),
// gathered from the geometry an object hands its painter, so that
// composition knows where an object's picture lies before drawing it.
// Conservative: every pixel the drawing can reach, anti-aliasing included,
// lies inside.
#pragma once

#include <vector>

#include "document/ImageEffects.h"

class TImgShape;

class TPictureArea {
public:
    // Points added after this are turned as the painters turn their graphics:
    // Angle degrees counter-clockwise on screen about Center.
    void SetTurn(Single Angle, const TFloatPoint& Center);
    // A point with a disc of Reach about it.
    void Add(Single X, Single Y, Single Reach = 0);
    // The four corners of a box, each with Reach.
    void AddBox(Single Left, Single Top, Single Right, Single Bottom, Single Reach = 0);
    // A pixel rectangle, never turned.
    void AddRect(const TRect& R);
    // Points joined by a pen PenWidth wide (0: no pen), closed or open with
    // flat ends; each corner with its miter.
    void AddPolyline(const std::vector<TFloatPoint>& Points, bool Closed, Single PenWidth);
    // A path filled and stroked by a pen PenWidth wide (0: filled only):
    // curves by their control points.
    void AddPath(const TShapePath& Path, Single PenWidth);
    // The pixels covered, rounded outward, with a margin for anti-aliasing;
    // a 1 x 1 rectangle at Nothing when nothing was added (an object drawing
    // nothing still has a place).
    TRect Bounds(const TPoint& Nothing) const;

private:
    void Grow(Single X, Single Y, Single Reach);
    bool FAny = false;
    double FLeft = 0, FTop = 0, FRight = 0, FBottom = 0;
    bool FTurned = false;
    double FCos = 1, FSin = 0;
    TFloatPoint FCenter{};
};

// How far a pen of Width reaches beyond its path at a sharp corner: the
// platform bevels a miter longer than ten pen widths, so a corner's tip lies
// at most five widths from its point.
inline Single MiterReach(Single Width) { return 5 * Width; }

// What the closed-shape painter touches drawing Args for Shape, added to
// Area (turned by Args): the path with the pen its draw mode uses, and the
// edging glow when the shape has one.
void AddClosedShape(TPictureArea& Area, const TImgShape& Shape, const TClosedShapeDraw& Args);
// The same alone.
TRect ClosedShapeArea(const TImgShape& Shape, const TClosedShapeDraw& Args);
