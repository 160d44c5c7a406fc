// ImageLines: the pencil stroke object (TImgLines): the points the pointer
// passed through while a button was held, drawn as connected lines (or, once
// thinned, a smooth curve) with one of four pen tips, and kept also as
// fractions of the object rectangle so that it scales with its resize
// handles. Portable: points, ratios, thinning, rectangle, hit test, the texts
// of the object row and the drawing plan; the plan is painted through GDI+ by
// win/ImageLines_Win.
//
// Styles (the pen tip): 0 round caps and joins, 1 flat caps and round joins,
// 2 and 3 flat nibs (the pen's cross-section shaped by a matrix, so the
// stroke is thick in one direction and thin in the other).
#pragma once

#include <array>
#include <vector>

#include "document/ImgShape.h"

class TImgLines;
struct TLinesDrawing;

struct TImageLinesHooks {
    // Paints Plan onto Target. Unset: Draw paints nothing.
    void (*Paint)(TImgLines& Shape, TCustomBitmap32& Target, const TLinesDrawing& Plan) = nullptr;
};
extern TImageLinesHooks ImageLinesHooks;

// What the painter draws, in image coordinates, in this order: the one-point
// tip, the stroke (as lines or a curve with a pen, or as the nib's filled
// quadrilaterals), the mark of the style menu's pictures.
struct TLinesDrawing {
    enum TFilled { fNone, fCircle, fSquare };
    // One point of the round or the square tip: a filled shape, no pen.
    TFilled Tip = fNone;
    TRect TipRect;
    bool TipSmooth = false;
    // Two points or more with the round or the square tip: a pen of Width.
    std::vector<TPoint> Points;
    bool Curve = false;  // a cardinal spline with the platform's default tension
    bool RoundCaps = false;
    bool RoundJoins = false;
    // The flat nibs: the stroke swept by the nib, as quadrilaterals (one per
    // segment, and one joining each pair of segments) filled in the colour.
    std::vector<std::array<TFloatPoint, 4>> NibQuads;
    Single Width = 0;
    bool Smooth = false;
    // The stand-alone preview's mark: a circle smoothed like the stroke, a
    // square never smoothed.
    TFilled Mark = fNone;
    TRect MarkRect;
    bool Empty() const { return Tip == fNone && Points.size() < 2 && NibQuads.empty() && Mark == fNone; }
};

// The pen matrix (m11, m12, m21, m22, dx, dy) of a flat-nib style; false for
// the other styles.
bool LinesNibMatrix(Integer Style, std::array<Single, 6>& M);
// Points on the cardinal spline through Points (tension 0.5: each segment a
// cubic Bezier whose inner points lie a sixth of the neighbours' chord away),
// Steps per segment; the points themselves when there are fewer than three
// or Steps is 0.
std::vector<TFloatPoint> CardinalSplinePoints(const std::vector<TPoint>& Points, Integer Steps);

class TImgLines : public TImgShape {
public:
    TImgLines(TShapeOwner* AOwner, Integer ShapeId, TCustomBitmap32* ABitmap);
    ~TImgLines() override;
    String ClassName() const override { return u"TImgLines"; }

    void Draw(TCustomBitmap32* ToBitmap) override;
    TRect PictureBounds() override;
    bool PtInShape(Integer X, Integer Y) override;
    void MoveShape(Integer X1, Integer Y1, Integer X2, Integer Y2) override;
    void OffsetShape(Integer DX, Integer DY) override;
    void CalcPoints(bool IsForceCalc) override;
    void CalcRect() override;
    void CalcPointsRatio() override;

    // Count 0, room for 10 points.
    void ClearPoints();
    // Appends (X, Y), repeats included.
    void AddNewPoint(Integer X, Integer Y);
    // Thins the stroke (the document does it when a stroke ends and the
    // pencil debounces): close points and points on a straight run go; the
    // first and the last stay. The ratios are left to CalcPointsRatio.
    void VerifyPoints();

    // ---- Stored form (object-table columns 41 and 43) ----
    // Points: all X values, then all Y values, "." separated. SetPoints
    // leaves the ratios alone.
    String GetPoints() const override;
    void SetPoints(const String& S) override;
    // Ratios: all RX values, then all RY values, "/" separated. An empty
    // text, or one that does not hold two numbers for every point, has the
    // ratios computed from the points instead.
    String GetPointsRatio() const;
    void SetPointsRatio(const String& S);

    // What Draw paints, worked out from the fields (the painter decides
    // nothing itself).
    TLinesDrawing BuildDrawing() const;

    bool Debounce() const { return FDebounce; }
    void SetDebounce(bool Value) { FDebounce = Value; }
    Integer PointsCount() const { return FPointsCount; }
    Integer PointsAllocatedCount() const { return FPointsAllocatedCount; }
    // The points in use.
    TArrayOfPoint Points() const { return TArrayOfPoint(FPoints.begin(), FPoints.begin() + FPointsCount); }
    const std::vector<Single>& PointsRX() const { return FPointsRX; }
    const std::vector<Single>& PointsRY() const { return FPointsRY; }

private:
    void Resize(Integer Capacity);
    // Every point on one spot: a click (the system may report a move to the
    // spot pressed, which repeats the point).
    bool OnOneSpot() const;
    // A click with the round or the square tip: a dot as wide as the pen.
    bool OneDot() const { return (FStyleId == 0 || FStyleId == 1) && OnOneSpot(); }

    TArrayOfPoint FPoints;
    std::vector<Single> FPointsRX, FPointsRY;
    Integer FPointsCount = 0;
    Integer FPointsAllocatedCount = 0;
    bool FDebounce = false;
};
