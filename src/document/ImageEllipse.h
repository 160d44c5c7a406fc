// ImageEllipse: the ellipse object (TImgEllipse): a whole ellipse, an open
// arc, a chord or a pie inscribed in its rectangle, whose two ends are style
// handles sliding along the ellipse. Portable: the geometry, the point text,
// the handles and the hit tests; the outline is recorded as a path and
// painted by the closed-shape drawing (ImageEffects).
#pragma once

#include "document/ImgShape.h"
#include "document/ImageEffects.h"

class TImgEllipse : public TImgShape {
public:
    TImgEllipse(TShapeOwner* AOwner, Integer ShapeId, TCustomBitmap32* ABitmap);
    String ClassName() const override { return u"TimgEllipse"; }

    void Draw(TCustomBitmap32* ToBitmap) override;
    TRect PictureBounds() override;
    void DrawControlPoint(TCustomBitmap32* ToBitmap) override;
    bool PtInControl(Integer X, Integer Y) override;
    bool PtInShape(Integer X, Integer Y) override;
    void Click() override;
    void AdjustShape(Integer X1, Integer Y1, Integer X2, Integer Y2) override;
    void MoveShape(Integer X1, Integer Y1, Integer X2, Integer Y2) override;
    void OffsetShape(Integer DX, Integer DY) override;
    void InitPoints(bool IsDrawStyle) override;
    void CalcPoints(bool IsForceCalc) override;
    void CalcControlPoints() override;

    // The style points text. A text that does not hold the two points an arc,
    // chord or pie needs (short, or not numbers) gives the style's default
    // points, so a damaged row still draws its style.
    void SetPoints(const String& S) override;
    String GetPoints() const override;

    // Styles 1..3: the angles of P0 and P1 about the centre and the sweep
    // from P0 to P1, clockwise on the screen, in degrees.
    void GetArcAngles(Single& StartAngle, Single& SweepAngle) const;
    // The outline Draw paints: the path, the rectangle the fill works on, and
    // the object's turn (always anti-aliased).
    TClosedShapeDraw BuildOutline() const;
    // The drawn path, flattened (image coordinates, unrotated): the ellipse,
    // the arc, or the arc closed as a chord or a pie.
    void FlattenPath(std::vector<TFloatPoint>& Path, bool& Closed) const;
    // Rebuilds FPathPoints and FPathPointsW from the current geometry (Draw
    // does it while FChanged2 is set).
    void CalcPathPoints();

    Integer PointsCount() const { return FPointsCount; }
    const TArrayOfPoint& Points() const { return FPoints; }
    const std::vector<Single>& PointsRX() const { return FPointsRX; }
    const std::vector<Single>& PointsRY() const { return FPointsRY; }
    const TArrayOfPoint& StylePointsA() const { return FPointsA; }
    const TArrayOfRect& CtrRects() const { return FCtrRects; }
    const TArrayOfPoint& PathPoints() const { return FPathPoints; }
    const TArrayOfPoint& PathPointsW() const { return FPathPointsW; }

private:
    void SizeArrays(Integer Count);

    Integer FPointsCount = 0;
    std::vector<Single> FPointsRX, FPointsRY;
    TArrayOfPoint FPoints;
    // The style points turned by the angle and in view coordinates; they hide
    // the base's arrays of the nine resize handles, which the base keeps using.
    TArrayOfPoint FPointsA;
    TArrayOfPoint FCtrPoints;
    TArrayOfRect FCtrRects;
    TArrayOfPoint FPathPoints;
    TArrayOfPoint FPathPointsW;
};

// The outline of a pen HalfWidth either side of a flattened path, as one
// polygon for the even-odd test: for a closed path the outer and the inner
// loop one after the other (the step between them is walked both ways and
// cancels out), for an open one the band around it with flat ends.
void WidenFlatPath(const std::vector<TFloatPoint>& Path, bool Closed, Single HalfWidth, TArrayOfPoint& Outline);
