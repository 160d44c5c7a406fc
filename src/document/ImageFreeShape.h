// ImageFreeShape: the free shape (TImgFreeShape), a path of cubic Bezier
// segments placed node by node, open or closed, and its node editing: node
// and tangent handles, smooth and corner nodes, node commands, skewing and
// appending a new stroke to an open end. Portable: the node table, sampling,
// hit tests, handles and edits; the path is painted through GDI+ by the
// free shape's platform painter (win/ImageFreeShape_Win).
//
// The node table has one row per segment: start node S (cells 0, 1), control
// points C1 (2, 3) and C2 (4, 5), end node E (6, 7); cell 9 the start node is
// smooth, 12 and 13 the start and end node are selected, 16..23 the eight
// coordinates as fractions of the object rectangle. Property cells: 0 the
// control mode, 1 the selected point index, 9 closed. Point index 2r is the
// start of row r, 2r + 1 its end.
#pragma once

#include <memory>
#include <vector>

#include "document/ImgShape.h"

class TImgFreeShape;

struct TImageFreeShapeHooks {
    // Paints the shape onto Target (the pen's chain while it is placed, else
    // the filled and outlined path). Unset: nothing is painted.
    void (*Paint)(TImgFreeShape& Shape, TCustomBitmap32& Target) = nullptr;
};
extern TImageFreeShapeHooks ImageFreeShapeHooks;

// One segment's four points.
struct TBezierSegment {
    TPoint S, C1, C2, E;
    friend bool operator==(const TBezierSegment&, const TBezierSegment&) = default;
};

class TImgFreeShape : public TImgShape {
public:
    TImgFreeShape(TShapeOwner* AOwner, Integer ShapeId, TCustomBitmap32* ABitmap);
    ~TImgFreeShape() override;
    String ClassName() const override { return u"TImgFreeShape"; }

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
    void CalcPointsRatio() override;
    void UnSelect() override;

    // ---- Creating with the mouse ----
    // Places the next node (snapped onto the first one when closing); a
    // press on the newest node's spot places nothing.
    void AddNewPoint(Integer X, Integer Y);
    // Drags the newest node's outgoing handle; its incoming one mirrors it.
    void SetControlPoint(Integer X, Integer Y);
    // Ends creation: the segment still open towards the pointer goes, and the
    // shape is closed when the last press was on its first node.
    void CreateOver();
    // Within the 7 x 7 square around the first or the last node (image pixels).
    bool PtInFirstPoint(const TPoint& Pt) const;
    bool PtInLastPoint(const TPoint& Pt) const;

    // ---- Curve ----
    // Samples every segment (only while Changed2 is set, or when the samples
    // do not match the rows).
    void CalcBezierPoints();
    // A point of the curve within 4 pixels (PointAdded, PointAddToBeIndex
    // and T tell which); the add-node cursor.
    bool PtInPath(Integer X, Integer Y);
    // The chain GDI+ draws while the shape is placed: S, C1, C2 per segment
    // and an end (fewer than 4 points: nothing to draw).
    std::vector<TPoint> CreatingChain() const;
    std::vector<TBezierSegment> Segments() const;
    // The centre of the object rectangle, which the drawing turns about.
    TFloatPoint TurnCentre() const { return RectCenter(); }

    // ---- Node editing ----
    void SetSelectPointIndex(Integer Value);
    bool SetCommonTangent(bool Value);
    bool HideTangent();
    void DeleteSelectPoints();
    void DeleteBezierByIndex(Integer Index);
    void CloseShape();
    void BreakNode();
    // Splits the segment PtInPath found at the curve point it found.
    void AddNodePoint();
    // Turns the nodes by the drawn angle (the angle itself stays).
    void RotateToCurrent();
    // Takes the nodes of a newly drawn shape at the open end this shape is
    // armed at.
    void AppendShape(TImgFreeShape& objShape);

    // ---- Stored form (object-table column 42) ----
    String GetPoints() const override;
    void SetPoints(const String& S) override;

    // ---- Properties ----
    TDataTable* BeDT() const { return FBeDT.get(); }
    Integer SelectPointIndex() const { return FSelectPointIndex; }
    Integer SelectPointCount() const;
    Integer BezierCount() const { return FBeDT->ItemCount(); }
    bool Closed() const;
    Integer CurrentCtrTangIndex() const { return FCurrentCtrTangIndex; }
    const TPoint& PointMoved() const { return FPointMoved; }
    void SetPointMoved(const TPoint& Value) { FPointMoved = Value; }
    const TPoint& PointAdded() const { return FPointAdded; }
    Integer PointAddToBeIndex() const { return FPointAddToBeIndex; }
    Single T() const { return FT; }
    bool PointAdding() const { return FPointAdding; }
    void SetPointAdding(bool Value) { FPointAdding = Value; }
    bool FinalPointAdding() const { return FFinalPointAdding; }
    void SetFinalPointAdding(bool Value) { FFinalPointAdding = Value; }
    bool TerminateCreate() const { return FTerminateCreate; }
    void SetTerminateCreate(bool Value) { FTerminateCreate = Value; }
    bool AppendFromStartPoint() const { return FAppendFromStartPoint; }
    void SetAppendFromStartPoint(bool Value) { FAppendFromStartPoint = Value; }
    bool AppendFromEndPoint() const { return FAppendFromEndPoint; }
    void SetAppendFromEndPoint(bool Value) { FAppendFromEndPoint = Value; }
    bool Appending() const { return FAppending; }
    void SetAppending(bool Value) { FAppending = Value; }
    const std::vector<TArrayOfPoint>& PathPoints() const { return FPathPoints; }
    const std::vector<std::vector<Single>>& PathTs() const { return FPathTs; }
    const TArrayOfPoint& PathAllPoints() const { return FPathAllPoints; }
    const TArrayOfPoint& NodeCtrPoints() const { return FCtrPoints; }
    const TArrayOfRect& NodeCtrRects() const { return FCtrRects; }
    const TArrayOfPoint& CtrTangPoints() const { return FCtrTangPoints; }
    const TArrayOfRect& CtrTangRects() const { return FCtrTangRects; }

    // Point K (0 S, 1 C1, 2 C2, 3 E) of row Row.
    TPoint BezierPoint(Integer Row, Integer K) const;
    void SetBezierPoint(Integer Row, Integer K, const TPoint& P);
    bool RowFlag(Integer Row, Integer Cell) const;
    void SetRowFlag(Integer Row, Integer Cell, bool Value);

private:
    void SetClosed(bool Value);
    void SizeNodeHandles();
    // The row before Row (the last one before row 0).
    Integer PrevRow(Integer Row) const;
    // The node a point index names.
    TPoint NodeOfIndex(Integer Index) const;
    bool TangentHandlesBeforeExist() const;
    void TakeSnapshot();
    // Every node, handle and sample moved by (DX, DY).
    void ShiftPoints(Integer DX, Integer DY);
    void Resample();
    void PaintTangent(class TInvertPen& Pen, TCustomBitmap32& Dst, Integer Tangent, Integer Node);
    void PaintHotSquare(TCustomBitmap32& Dst, const TPoint& P);

    std::unique_ptr<TDataTable> FBeDT;
    std::unique_ptr<TDataTable> FBeDT_B;
    Integer FBeIndex = -1;
    TPoint FLastPoint;
    Integer FSelectPointIndex = -2;
    Integer FCurrentCtrTangIndex = -1;
    TArrayOfPoint FCtrTangPoints;
    TArrayOfRect FCtrTangRects;
    // The node handles in view coordinates; they hide the base's nine
    // resize handles, which node editing does not use.
    TArrayOfPoint FCtrPoints;
    TArrayOfRect FCtrRects;
    bool FFinalPointAdding = false;
    bool FTerminateCreate = false;
    bool FAppendFromStartPoint = false, FAppendFromEndPoint = false;
    bool FAppending = false;
    TPoint FPointMoved;
    bool FPointAdding = false;
    TPoint FPointAdded;
    Integer FPointAddToBeIndex = -1;
    Single FT = 0;
    std::vector<TArrayOfPoint> FPathPoints;
    std::vector<std::vector<Single>> FPathTs;
    TArrayOfPoint FPathAllPoints;
};
