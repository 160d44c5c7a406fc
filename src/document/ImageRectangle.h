// ImageRectangle: the rectangle object (TImgRectangle) with its twelve
// outline styles: plain, rounded, ellipse, chamfered, rounded per corner pair,
// parallelograms and trapezoids. Styles with adjustable geometry carry one or
// two style points that slide along an edge; they are kept both as ratios of
// the rectangle (the truth while it is resized) and as image points (the
// truth while it is moved, and what is saved). The outline is recorded as a
// path and painted by the closed-shape drawing (ImageEffects). Portable.
#pragma once

#include "document/ImgShape.h"
#include "document/ImageEffects.h"

class TImgRectangle : public TImgShape {
public:
    TImgRectangle(TShapeOwner* AOwner, Integer ShapeId, TCustomBitmap32* ABitmap);
    ~TImgRectangle() override;
    String ClassName() const override { return u"TImgRectangle"; }

    void Draw(TCustomBitmap32* ToBitmap) override;
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
    TRect PictureBounds() override;
    bool CachesPicture() const override { return true; }

    // The style points as "x1.x2.y1.y2" (all X, then all Y), "" for none.
    String GetPoints() const override;
    // Loads style points from that text against the current rectangle. A
    // text with fewer points than the style needs (a damaged document) gives
    // the style's initial points instead.
    void SetPoints(const String& S) override;

    // The number of style points each style needs.
    static Integer StylePointCount(Integer StyleId);
    // The outline of the current style with its corner diameters (FR, FR2),
    // and the bounds the fill works on.
    TClosedShapeDraw BuildOutline();

    Integer PointsCount() const { return FPointsCount; }
    const std::vector<Single>& PointsRX() const { return FPointsRX; }
    const std::vector<Single>& PointsRY() const { return FPointsRY; }
    const TArrayOfPoint& Points() const { return FPoints; }
    const TArrayOfPoint& StylePointsA() const { return FPointsA; }
    const TArrayOfPoint& StyleCtrPoints() const { return FCtrPoints; }
    const TArrayOfRect& CtrRects() const { return FCtrRects; }
    const TArrayOfPoint& CheckPoints() const { return FCheckPoints; }
    Integer CheckPointsCount() const { return FCheckPointsCount; }
    Integer R() const { return FR; }
    Integer R2() const { return FR2; }

private:
    // The style's own initial points when the arrays hold fewer than it needs.
    void EnsureStylePoints();
    void SizeHandleArrays();
    // FCheckPoints of the polygonal styles from the style points.
    void CalcCheckPoints();

    Integer FPointsCount = 0;
    std::vector<Single> FPointsRX, FPointsRY;
    TArrayOfPoint FPoints;
    // The style points turned by the angle, and in view coordinates. They
    // hide the base's handle arrays of the same names, as the handles of the
    // style points are this class's own.
    TArrayOfPoint FPointsA;
    TArrayOfPoint FCtrPoints;
    TArrayOfRect FCtrRects;
    TArrayOfPoint FCheckPoints;
    Integer FCheckPointsCount = 0;
    Integer FR = 0, FR2 = 0;
};
