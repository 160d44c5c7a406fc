// ImageLine: the line and arrow object (TImgLine): a straight line, a curve,
// a bent line or an elbow connector through four points, with arrow heads and
// dots at its ends. Portable: the points, the curve samples, the heads and
// dots, the handles and the hit tests; the painting through GDI+ (one widened
// path, filled) is installed by win/ImageShapes_Win.
#pragma once

#include <array>

#include "document/ImgShape.h"

class TImgLine;

struct TImageLineHooks {
    // Paints the object onto Target. Unset: Draw paints nothing.
    void (*Paint)(TImgLine& Shape, TCustomBitmap32& Target) = nullptr;
};
extern TImageLineHooks ImageLineHooks;

// What the painter draws: the shaft (its ends already pulled back from the
// arrow tips), widened by the pen, then the heads as polygons and the dots as
// circles in their boxes.
struct TLineGeometry {
    // Straight and bent lines: a polyline; curves: one cubic Bezier (4 points).
    std::vector<TFloatPoint> Shaft;
    bool Bezier = false;
    std::vector<std::vector<TFloatPoint>> Heads;
    // Boxes (Left, Top, Left + k, Top + k) of the dots.
    std::vector<TRect> Dots;
    // Drawn without smoothing whatever the object's setting.
    bool Crisp = false;
};

class TImgLine : public TImgShape {
public:
    TImgLine(TShapeOwner* AOwner, Integer ShapeId, TCustomBitmap32* ABitmap);
    String ClassName() const override { return u"TImgLine"; }

    void Draw(TCustomBitmap32* ToBitmap) override;
    TRect PictureBounds() override;
    void DrawControlPoint(TCustomBitmap32* ToBitmap) override;
    bool PtInControl(Integer X, Integer Y) override;
    bool PtInShape(Integer X, Integer Y) override;
    void Click() override;
    void AdjustShape(Integer X1, Integer Y1, Integer X2, Integer Y2) override;
    void MoveShape(Integer X1, Integer Y1, Integer X2, Integer Y2) override;
    void OffsetShape(Integer DX, Integer DY) override;
    void CalcPoints(bool IsForceCalc) override;
    void CalcControlPoints() override;
    void CalcRect() override;

    // Points 1 (start), 2 and 3 (inner) and 4 (end); other indexes read (0, 0)
    // and write nothing.
    TPoint GetPoint(Integer Index) const;
    void SetPoint(Integer Index, const TPoint& P);
    // Samples the curve into FPathPoints (only while FChanged2 is set).
    void CalcBezierPoints();
    void GetGeometry(TLineGeometry& G) const;

    Integer ArrowType() const { return FArrowType; }
    void SetArrowType(Integer Value) { FArrowType = Value; }
    const TArrayOfPoint& PathPoints() const { return FPathPoints; }
    const TPoint& CtrPoint(Integer Index) const { return FCtrPoints[Index - 1]; }

    // The style's family: 0 straight (0..2, 12..14), 1 curve, 2 two segments, 3 elbow.
    Integer Family() const;
    // Whether handle Index (1..4) is shown for the style.
    bool HandleActive(Integer Index) const;

private:
    // Point Index, 1..4.
    TPoint& P(Integer Index) { return FPoints[Index - 1]; }
    const TPoint& P(Integer Index) const { return FPoints[Index - 1]; }
    // The vertex next to the start (Start) or the end, which a head there points away from.
    const TPoint& Neighbour(bool Start) const;

    std::array<TPoint, 4> FPoints{};
    // The points in view coordinates; hides the base's array of the resize
    // handles, which a line does not have.
    std::array<TPoint, 4> FCtrPoints{};
    Integer FArrowType = 0;
    TArrayOfPoint FPathPoints;
};
