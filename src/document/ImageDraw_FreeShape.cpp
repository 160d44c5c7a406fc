// TImageDraw: the commands of free-shape and polygon node editing and
// appending a new stroke to an open end (the members are declared in
// ImageDraw.h).
#include "document/ImageDraw.h"
#include "document/ImageFreeShape.h"
#include "document/ImagePolygon.h"

namespace {
TImgFreeShape* FreeShapeOf(TImgShape* S) { return dynamic_cast<TImgFreeShape*>(S); }
}  // namespace

bool TImageDraw::FreeShapeSetControlMode(Integer Mode)
{
    TImgFreeShape* S = FreeShapeOf(FCurrentShape);
    if (!S || S->ControlMode() == Mode) return false;
    S->SetPointAdding(false);
    if (S->ControlMode() == 1) {
        // Only box editing turns the drawing: the nodes take the turn.
        S->RotateToCurrent();
        S->SetAngle(0);
        S->SetChanged2(true);
        S->CalcRect();
        S->CalcCenterPoint();
        S->CalcPointsRatio();
    }
    S->TImgShape::SetControlMode(Mode);
    SetChanged(true);
    return true;
}

bool TImageDraw::FreeShapeSetCommonTangent(bool Value)
{
    TImgFreeShape* S = FreeShapeOf(FCurrentShape);
    if (!S || !S->SetCommonTangent(Value)) return false;
    SetChanged(true);
    return true;
}

bool TImageDraw::FreeShapeHideTangent()
{
    TImgFreeShape* S = FreeShapeOf(FCurrentShape);
    if (!S || !S->HideTangent()) return false;
    SetChanged(true);
    return true;
}

void TImageDraw::FreeShapeDeleteNode()
{
    TImgFreeShape* S = FreeShapeOf(FCurrentShape);
    if (!S || S->SelectPointCount() == 0) return;
    S->DeleteSelectPoints();
    SetChanged(true);
    if (S->BezierCount() > 0) return;
    TRow Ids;
    Ids.AddItem(S->Id());
    DeleteShapes(Ids);
}

void TImageDraw::FreeShapeCloseShape()
{
    TImgFreeShape* S = FreeShapeOf(FCurrentShape);
    if (!S) return;
    S->CloseShape();
    SetChanged(true);
}

void TImageDraw::FreeShapeBreakNode()
{
    TImgFreeShape* S = FreeShapeOf(FCurrentShape);
    if (!S) return;
    S->BreakNode();
    SetChanged(true);
}

bool TImageDraw::FreeShapeCheckAppendState(bool& bAppending)
{
    const TPoint P{FMovedX, FMovedY};
    for (Integer i = FDT->ItemCount() - 1; i >= 0; --i) {
        TImgFreeShape* S = FreeShapeOf(RowShape(FDT->GetItem(i)));
        if (!S || S->Fixed() || S->Closed()) continue;
        const bool OnFirst = S->PtInFirstPoint(P), OnLast = S->PtInLastPoint(P);
        if (OnFirst != S->AppendFromStartPoint()) {
            S->SetAppendFromStartPoint(OnFirst);
            bAppending = OnFirst;
            return true;
        }
        if (OnLast != S->AppendFromEndPoint()) {
            S->SetAppendFromEndPoint(OnLast);
            bAppending = OnLast;
            return true;
        }
    }
    return false;
}

void TImageDraw::FreeShapeClearAppendState()
{
    for (Integer i = 0; i < FDT->ItemCount(); ++i)
        if (TImgFreeShape* S = FreeShapeOf(RowShape(FDT->GetItem(i)))) {
            S->SetAppendFromStartPoint(false);
            S->SetAppendFromEndPoint(false);
        }
}

void TImageDraw::FreeShapeCreateOver()
{
    TImgFreeShape* New = FreeShapeOf(FCurrentShape);
    if (!New) return;
    New->CreateOver();
    for (Integer i = 0; i < FDT->ItemCount() - 1; ++i) {
        TImgFreeShape* Armed = FreeShapeOf(RowShape(FDT->GetItem(i)));
        if (!Armed || Armed == New || !(Armed->AppendFromStartPoint() || Armed->AppendFromEndPoint())) continue;
        Armed->AppendShape(*New);
        DeleteShapeById(New->Id());
        SetCurrentShape(Armed->Id());
        return;
    }
}

void TImageDraw::PolygonDeleteNode()
{
    auto* Polygon = dynamic_cast<TImgPolygon*>(FCurrentShape);
    if (!Polygon || Polygon->PointIndex() < 0) return;
    Polygon->DeleteNodePoint();
    if (Polygon->PointsCount() > 2) {
        SetChanged(true);
        return;
    }
    // A copy: deleting unselects, which edits the document's own list.
    TRow Ids;
    for (Integer k = 0; k < FSelectedIds->ItemCount(); ++k)
        Ids.AddItem(FSelectedIds->GetItem(k)->Value());
    DeleteShapes(Ids);
}
