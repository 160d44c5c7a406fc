// ImagePolygon: the node object (TImgPolygon): a free polygon or an open
// polyline placed click by click, a diamond tied to its rectangle, and the
// regular polygons and stars laid out around a fixed centre. Every node is a
// handle. Portable: nodes, layout, handles and hit tests; the outline is
// painted by the closed-shape drawing (ImageEffects) through the polygon's
// own platform painter (win/ImageShapes_Win), which adds the rubber band
// and the polygon's elliptic gradient.
#pragma once

#include "document/ImgShape.h"
#include "document/ImageEffects.h"

class TImgPolygon;

struct TImagePolygonHooks {
    // Paints the object onto Target: the rubber band while a free polygon or
    // polyline is placed, else Outline by the closed-shape drawing. Unset:
    // the closed-shape drawing alone.
    void (*Paint)(TImgPolygon& Shape, TCustomBitmap32& Target, const TClosedShapeDraw& Outline) = nullptr;
};
extern TImagePolygonHooks ImagePolygonHooks;

// The layout of a generated shape: n vertices from angle A0 (degrees, screen
// axes), odd vertices of a star at InnerRatio of the radius (0: a regular
// polygon).
struct TPolygonLayout {
    Integer N;
    Single A0;
    Single InnerRatio;
};
// The layout of Style; false for the free polygon (0), the diamond (1), the
// polyline (5) and unknown styles.
bool GetPolygonLayout(Integer Style, TPolygonLayout& Layout);

class TImgPolygon : public TImgShape {
public:
    TImgPolygon(TShapeOwner* AOwner, Integer ShapeId, TCustomBitmap32* ABitmap);
    String ClassName() const override { return u"TImgPolygon"; }

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
    void CalcCenterPoint() override;
    void UnSelect() override;

    // Appends a node (placing a free polygon, and the layout); a node equal
    // to the last one is ignored.
    void AddNewPoint(Integer X, Integer Y);
    // Inserts a node after FPointAddToIndex and selects it.
    void AddNodePoint(Integer X, Integer Y);
    // Removes the selected node.
    void DeleteNodePoint();
    // Over an edge (image coordinates): within the pen's half width + 3.
    bool PtInPath(Integer X, Integer Y);
    // The node text. A text that is not numbers gives no nodes; a generated
    // shape whose text does not hold its vertices is laid out afresh.
    void SetPoints(const String& S) override;
    String GetPoints() const override;

    // The nodes as a path (an open line sequence for the polyline, else a
    // polygon) over the rectangle, drawn without turning.
    TClosedShapeDraw BuildOutline() const;
    // The box of the elliptic gradient: a circle through the node farthest
    // from the centre, grown by 10 pixels until every node lies inside the
    // ellipse it encloses.
    TRect EllipticGradientBox() const;
    // While a free polygon or polyline is placed only its rubber band is drawn.
    bool PlacingByClicks() const { return FCreating && (FStyleId == 0 || FStyleId == 5); }

    Integer PointIndex() const { return FPointIndex; }
    void SetPointIndex(Integer Value);
    bool PointAdding() const { return FPointAdding; }
    void SetPointAdding(bool Value) { FPointAdding = Value; }
    Integer PointAddToIndex() const { return FPointAddToIndex; }
    const TPoint& PointMoved() const { return FPointMoved; }
    void SetPointMoved(const TPoint& Value) { FPointMoved = Value; }
    const TPoint& PointAdjusted() const { return FPointAdjusted; }
    Integer PointsCount() const { return FPointsCount; }
    Integer PointsAllocatedCount() const { return FPointsAllocatedCount; }
    // The nodes in use.
    TArrayOfPoint Nodes() const { return TArrayOfPoint(FPoints.begin(), FPoints.begin() + FPointsCount); }
    const TArrayOfRect& CtrRects() const { return FCtrRects; }
    // Open: the polyline (style 5); every other style is closed.
    bool IsOpen() const { return FStyleId == 5; }

private:
    void Resize(Integer Capacity);
    void LayOut(Integer N, Single A0, Single R, Single RI);
    // The start node of the first edge (node order, then the closing edge of
    // a closed style) within Limit of P; -1 when none is.
    Integer EdgeWithin(const TPoint& P, Single Limit) const;

    Integer FPointsCount = 0;
    Integer FPointsAllocatedCount = 0;
    TArrayOfPoint FPoints;
    // The nodes in view coordinates; hides the base's array of the resize
    // handles, which a node object does not have.
    TArrayOfPoint FCtrPoints;
    TArrayOfRect FCtrRects;
    Integer FPointIndex = -1;
    bool FPointAdding = false;
    Integer FPointAddToIndex = 0;
    TPoint FPointMoved;
    TPoint FPointAdjusted;
};
