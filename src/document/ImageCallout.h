// ImageCallout: the callout frames of a text object of kind shCallout: the
// editable points of the twelve frame styles held as fractions of the frame
// rectangle, their default geometry, the pointer zones of the two speech
// balloons, the frame outlines and text layout rectangles, the point handles
// and their drag rules, and the stored point text. Portable: the outline is
// recorded as a TShapePath for the closed-shape drawing (ImageEffects).
//
// The geometry works on the object that carries it (any TImgShape: its
// rectangle, style, angle, centre, start point and handle index), so it is
// tested on a bare object in the host build.
#pragma once

#include <vector>

#include "document/ImgShape.h"
#include "document/ImageEffects.h"

// The number of points of a callout style; 0 for a style outside 0..11.
// The starburst (11) has 40 points in the main window's style pictures.
Integer CalloutPointCount(Integer Style, bool IsDrawStyle);
// Styles whose points are never stored: the clouds, drawn from their tables.
constexpr Cardinal CalloutNotSavedStyles = (1u << 2) | (1u << 4);
inline bool CalloutPointsNotSaved(Integer Style)
{
    return Style >= 0 && Style < 32 && (CalloutNotSavedStyles >> Style & 1) != 0;
}

// The pointer zone (1..8) of a tip at P about the frame R (the edge and the
// half of it the pointer leaves from), by the tip's angle about the frame's
// centre against the angle of the frame's bottom-right corner.
Integer CalloutPointerZone(const TRect& R, const TPoint& P);

// The text layout rectangle (X, Y, width, height) of a callout frame.
struct TCalloutLayout {
    Single X = 0, Y = 0, Width = 0, Height = 0;
    friend bool operator==(const TCalloutLayout&, const TCalloutLayout&) = default;
};

class TCalloutPoints {
public:
    // Sizes the arrays for Style and stores its default rates; the speech
    // balloons get their starting zone.
    void InitPoints(Integer Style, bool IsDrawStyle);
    // The points of Shape's frame from the rates (the starburst is laid out
    // afresh); the clouds keep none, their outline is drawn from the rates.
    void CalcPoints(const TImgShape& Shape, bool IsForceCalc);
    // The starburst: points alternating between the outer circle (the
    // shorter side) and the inner circle, which point 1's handle sets.
    void CalcAutoPoints(const TImgShape& Shape, bool IsForceCalc);

    // The frame's outline (image coordinates, unturned); empty for a style
    // without a frame.
    TShapePath FramePath(const TImgShape& Shape) const;
    // The rectangle the text is laid out in.
    TCalloutLayout LayoutRect(const TImgShape& Shape) const;
    // The point a balloon's or thought bubble's fill extends to (the tip of
    // styles 1 and 9, the trail end of style 8); false for other styles.
    bool TipPoint(Integer Style, TPoint& T) const;
    // The rectangle of a linear frame gradient: the frame, reaching out to
    // the tip, and for the thought bubble grown by a sixth of the frame's
    // width and height on the sides; the frame for other styles.
    TShapeBounds LinearGradientRect(const TImgShape& Shape) const;
    // The box of an elliptic frame gradient: the frame (widened symmetrically
    // to take in a tip outside it) grown by 10 pixels on every side until the
    // ellipse in it holds the frame's top-left corner and the tip; for the
    // thought bubble then grown by a sixth of the width and height.
    TShapeBounds EllipticGradientBox(const TImgShape& Shape) const;
    // The thought bubble's three ellipses: the frame, the middle bubble a
    // third of the way from the trail end to the centre, and the trail end's
    // bubble; false for other styles.
    bool BubbleEllipses(const TImgShape& Shape, TShapeBounds (&E)[3]) const;

    // Handles of the points (handle index 9 + i), in the manner of the base's
    // nine: laid out, painted with the document's point picture, hit-tested
    // (view coordinates) and dragged (image coordinates).
    bool HasHandle(Integer Style, Integer i) const;
    void CalcControlPoints(TImgShape& Shape);
    void DrawControlPoint(TImgShape& Shape, TCustomBitmap32& Target);
    bool PtInControl(TImgShape& Shape, Integer X, Integer Y);
    void Click(TImgShape& Shape);
    // One step of a point handle's drag from (X1, Y1) to (X2, Y2): the
    // point's rates under its style's rule. The caller recomputes the points.
    void AdjustShape(TImgShape& Shape, Integer X1, Integer Y1, Integer X2, Integer Y2);
    void OffsetPoints(Integer DX, Integer DY);
    // A balloon's pointer triangle holds (X, Y) (image coordinates, unturned).
    bool PtInPointer(Integer Style, Integer X, Integer Y) const;

    // The stored text: all X values, then all Y values ("x1.x2.y1.y2");
    // empty for the clouds.
    String GetPoints(Integer Style) const;
    // Reads a stored text against Shape's current frame. The clouds return
    // to their tables; a text that is no list of numbers, or holds fewer
    // points than the style draws with, gives the style's initial points.
    void SetPoints(const TImgShape& Shape, const String& S);
    // Documents written before the points were absolute kept them relative
    // to the frame's top-left corner.
    void UpgradePoints(const TImgShape& Shape);
    // How far a balloon's tip or a thought bubble's trail reaches from its
    // frame (0 for other styles).
    Integer GetMaxLengthOfOutPoint(const TImgShape& Shape) const;

    Integer FPointsCount = 0;
    // Each point as a fraction of the frame's width and height from its
    // top-left corner; values outside 0..1 lie outside the frame.
    std::vector<Single> FPointsRateX, FPointsRateY;
    // The clouds only: the control points of the Bezier segment starting at
    // point i, (Rate1, Rate2) and (Rate3, Rate4).
    std::vector<Single> FPointsRate1, FPointsRate2, FPointsRate3, FPointsRate4;
    // The points in image coordinates (unturned frame), turned by the angle,
    // and in view coordinates; the handle rectangles (all zero: no handle).
    TArrayOfPoint FPoints;
    TArrayOfPoint FPointsA;
    TArrayOfPoint FCtrPoints;
    TArrayOfRect FCtrRect;
    // The balloons' pointer zone (1..8; 0: the tip lies inside the frame).
    Integer FPointsZone = 0;

private:
    void SizeArrays(Integer Count, bool Bezier);
    void SetZoneRates(Integer Style, Integer Zone);
    // The smallest count the style's frame reads points up to.
    static Integer NeededPoints(Integer Style);
};
