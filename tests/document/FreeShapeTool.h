// The main window's free-shape tool over a document, for tests: presses,
// pointer moves, releases and double clicks in view pixels turned into the
// document's calls the way the main window makes them (creating node by
// node, node and tangent drags, moves, the add-node press, Alt for
// appending). The control layer is painted after every step, as the view
// does, so that the handles lie where a user sees them.
#pragma once

#include "document/ImageControlLayer.h"
#include "document/ImageDraw.h"
#include "document/ImageFreeShape.h"

class TFreeShapeTool {
public:
    // Points are image pixels; the handle tests get their view pixels.
    TFreeShapeTool(TImageDraw& Doc, TCustomBitmap32& Buffer) : FDoc(Doc), FBuffer(Buffer) {}

    TImgFreeShape* Shape() const { return dynamic_cast<TImgFreeShape*>(FDoc.Shape()); }

    void Press(TPoint P, bool Right = false, bool Ctrl = false)
    {
        FDoc.SetPressCtl(Ctrl);
        FPress = P;
        FLast = P;
        FMoved = false;
        FDoc.SetLeftMouseDown(!Right);
        if (TImgFreeShape* F = Shape(); F && FDoc.ShapeCreating()) {
            if (Right) {
                F->SetTerminateCreate(true);
            } else {
                P = F->PointMoved();
                if (F->BezierCount() > 1 && F->PtInFirstPoint(P) && !Appending) F->SetFinalPointAdding(true);
                F->AddNewPoint(P.X, P.Y);
            }
            FDown = true;
            Paint();
            return;
        }
        if (TImgFreeShape* F = Shape(); F && F->PointAdding() && !Right) {
            const TPoint A = FDoc.ImageToView(P.X, P.Y);
            if (FDoc.GetShapeCursor(A.X, A.Y, P.X, P.Y) == crAddPointOn) {
                F->AddNodePoint();
                F->SetPointAdding(false);
                FDoc.SetChanged(true);
            }
            Paint();
            return;
        }
        FDown = !Right;
        const TPoint A = FDoc.ImageToView(P.X, P.Y);
        // Alt skips the hit test: the press may start a stroke at an armed end.
        if (!FAltHeld && FDoc.LocateShape(A.X, A.Y, P.X, P.Y)) {
            TImgShape* S = FDoc.Shape();
            if (S->CurrentCtrIndex() < 0) {
                if (Ctrl) FDoc.ClickShape(selOneInvert, FDoc.ShapeId());
                else if (!S->Selected()) FDoc.ClickShape(selOne, FDoc.ShapeId());
                FDoc.MovePrepare();
                FMoving = true;
            } else {
                FDoc.ClickShape(selOne, FDoc.ShapeId());
                FMoving = false;
            }
        } else {
            FMoving = false;
            // With one object selected a press only deselects, unless it
            // starts a stroke to be appended.
            const bool MayCreate = FDoc.ObjectSelectedCount() != 1 || Appending;
            if (FDoc.ObjectSelectedCount() > 0) FDoc.SelectShape(selNone, -1);
            if (MayCreate && !Right) {
                FDoc.CreateShape(shFreeShape);
                Shape()->SetAppending(Appending);
                Shape()->AddNewPoint(P.X, P.Y);
            } else {
                FDown = false;
            }
        }
        Paint();
    }

    void Move(TPoint P)
    {
        if (P == FLast) return;
        FLast = P;
        FDoc.SetMovedX(P.X);
        FDoc.SetMovedY(P.Y);
        if (FDoc.ShapeCreating()) {
            if (FDoc.LeftMouseDown()) Shape()->SetControlPoint(P.X, P.Y);
            else FDoc.DrawShape(FPress.X, FPress.Y, P.X, P.Y);
        } else if (FDown) {
            FMoved = true;
            if (FMoving) FDoc.MoveShape(FPress.X, FPress.Y, P.X, P.Y);
            else FDoc.DrawShape(FPress.X, FPress.Y, P.X, P.Y);
        } else if (FAltHeld && FDoc.FreeShapeCheckAppendState(Appending)) {
            FDoc.Draw();
        }
        Paint();
    }

    void Release()
    {
        FDoc.SetLeftMouseDown(false);
        if (FDoc.ShapeCreating()) {
            TImgFreeShape* F = Shape();
            if (!(F->FinalPointAdding() || F->TerminateCreate())) {
                Paint();
                return;
            }
            FDoc.CreateShapeOver(F->BezierCount() < 2);
            Appending = false;
        } else if (FDown && FMoved && !FMoving) {
            FDoc.AdjustShapeOver();
        }
        FDown = false;
        Paint();
    }

    // The system's double click: it arrives before the press it belongs to,
    // which it swallows with its release.
    void DoubleClick()
    {
        if (FDoc.ShapeCreating()) {
            FDoc.CreateShapeOver(Shape()->BezierCount() < 2);
            FDoc.SetLeftMouseDown(false);
            Appending = false;
        }
        Paint();
    }

    void Click(TPoint P, bool Ctrl = false)
    {
        Press(P, false, Ctrl);
        Release();
    }
    void Drag(TPoint From, TPoint To, bool Ctrl = false)
    {
        Press(From, false, Ctrl);
        Move(TPoint{(From.X + To.X) / 2, (From.Y + To.Y) / 2});
        Move(To);
        Release();
    }
    // Places nodes at Points (a click at each, the pointer moving on to the
    // next), then a right press ends an open shape.
    void PlaceOpen(std::initializer_list<TPoint> Points)
    {
        for (TPoint P : Points) {
            Move(P);
            Click(P);
        }
        Press(FLast, true);
        Release();
    }

    void SetAlt(bool Held)
    {
        FAltHeld = Held;
        FDoc.SetPressAlt(Held);
        if (Held) {
            if (FDoc.FreeShapeCheckAppendState(Appending)) FDoc.Draw();
        } else {
            Appending = false;
            FDoc.FreeShapeClearAppendState();
        }
        Paint();
    }

    void Paint() { FDoc.PaintControlLayer(nullptr, &FBuffer); }

    bool Appending = false;

private:
    TImageDraw& FDoc;
    TCustomBitmap32& FBuffer;
    TPoint FPress, FLast;
    bool FDown = false, FMoving = false, FMoved = false, FAltHeld = false;
};
