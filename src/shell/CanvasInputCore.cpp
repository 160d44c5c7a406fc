#include "shell/CanvasInputCore.h"

#include <cmath>
#include <cstdlib>

#include "document/ImageFreeShape.h"
#include "document/ImageLines.h"
#include "document/ImagePaint.h"
#include "document/ImagePolygon.h"
#include "document/ImageSelection.h"
#include "foundation/Global_Helpers.h"
#include "framework/runtime/SysUtils.h"

namespace S = TSelectionStyle;

namespace {
// The gradient start of a document that runs no gradient drag.
constexpr Integer NoGradient = -100000;

bool OneOf(Integer V, std::initializer_list<Integer> Values)
{
    for (Integer W : Values)
        if (V == W) return true;
    return false;
}

TImgPolygon* PolygonOf(TImageDraw& Doc) { return dynamic_cast<TImgPolygon*>(Doc.Shape()); }
TImgFreeShape* FreeShapeOf(TImageDraw& Doc) { return dynamic_cast<TImgFreeShape*>(Doc.Shape()); }
}  // namespace

TPoint TCanvasInputCore::ImagePoint(Integer X, Integer Y)
{
    const TCanvasViewGeometry G = FHost.ViewGeometry();
    const Single Scale = G.Scale > 0 ? G.Scale : 1;
    // The view scales uniformly: the horizontal scale serves both axes.
    return {static_cast<Integer>(std::trunc((X - std::lround(G.OffsetHorz)) / Scale)),
            static_cast<Integer>(std::trunc((Y - std::lround(G.OffsetVert)) / Scale))};
}

bool TCanvasInputCore::PointByPoint() const
{
    switch (Tool.Type) {
        case shFreeShape: return true;
        case shPolygon: return Tool.PolygonType == 0 || Tool.PolygonType == 5;
        case shSelection: return Tool.StyleId == S::PolygonLasso || Tool.StyleId == S::NodeLasso;
        default: return false;
    }
}

bool TCanvasInputCore::IsPaintTool() const
{
    return OneOf(Tool.Type, {shEraser, shPencil, shBrush, shCloneStamp});
}

bool TCanvasInputCore::EffectPaintsWithAnyButton(TImageDraw& Doc) const
{
    return Doc.EffectDrawing() && (Doc.EffectMode() == emZooming || Doc.EffectMode() == emTwirling);
}

// ---------------------------------------------------------------------------
// Press

void TCanvasInputCore::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (FDblClick) return;
    TImageDraw* Doc = FHost.Document();
    if (!Doc) return;
    FHost.FocusCanvas();
    if (Tool.Type == shCloneStamp && !StampSourceBitmap && !(Shift & ssAlt)) {
        FHost.ShowNoStampSource();
        return;
    }
    Doc->SetLeftMouseDown(Button == mbLeft);
    if (Tool.Type == shZoom) return;
    if (Doc->ShapeCreating() && !PointByPoint()) return;

    FXA = X, FYA = Y;
    const TPoint P = ImagePoint(X, Y);
    FX = P.X, FY = P.Y;
    FCancelCreatingShape = false;
    FMouseDownLeftAndMoved = false;
    Doc->SetRulerCreating(false);
    Doc->SetTimeString(String());
    bool MenuFlag = true;
    const TPressStep Step = PressSpecial(*Doc, Button, Shift, MenuFlag);
    if (Step == TPressStep::Stop) return;
    if (Step == TPressStep::HitTest) PressSelectOrCreate(*Doc, Button, Shift, X, Y, MenuFlag);
    PressEnd(*Doc, Button, Shift, X, Y, MenuFlag);
}

// The grabs that come before the hit test, first match wins.
TCanvasInputCore::TPressStep TCanvasInputCore::PressSpecial(TImageDraw& Doc, TMouseButton Button, TShiftState Shift,
                                                            bool& MenuFlag)
{
    const bool Creating = Doc.ShapeCreating();
    if (OneOf(Tool.Type, {shEraser, shFill, shPencil, shBrush, shHand, shCloneStamp}) ||
        Doc.HorzGuidesIndex() + Doc.VertGuidesIndex() > -2 || Doc.CanvasCtrIndex() > 0) {
        MenuFlag = false;
        return TPressStep::End;
    }
    if (Doc.RulerPickMode() >= 0) {
        Doc.BackupRulerPosition();
        MenuFlag = false;
        return TPressStep::End;
    }
    if (Tool.Type == shRuler) {
        Doc.SetRulerCreating(true);
        MenuFlag = false;
        return TPressStep::End;
    }
    if (Tool.Type == shGradientFill) {
        if (Button != mbLeft) return TPressStep::Stop;
        Doc.SetGradientStartX(FX);
        Doc.SetGradientStartY(FY);
        return TPressStep::End;
    }
    if (Doc.EffectDrawing()) {
        if (Button == mbLeft || EffectPaintsWithAnyButton(Doc)) {
            Doc.EffectDrawPrepare(Shift, FX, FY);
            Doc.EffectDrawDo(true, Shift, FX, FY);
        }
        MenuFlag = false;
        return TPressStep::End;
    }
    TImgSelection* Sel = Doc.SelectionExists() ? Doc.SelectionShape() : nullptr;
    if (Tool.Type == shSelection && Tool.StyleId == S::Move) {
        if (!Sel) return TPressStep::Stop;
        Sel->SetUseMoveSelection(true);
        Doc.ClickShape(selOne, Doc.ShapeId());
        MenuFlag = false;
        return TPressStep::End;
    }
    if (Tool.Type == shSelection && Tool.StyleId == S::NodeLasso && Button == mbRight && !Creating && Sel &&
        !Sel->RegionHandle().Contains(FX, FY)) {
        Sel->AddNodePoint(FX, FY);
        Doc.SetChanged(true);
        Doc.SaveUndo();
        MenuFlag = false;
        return TPressStep::End;
    }
    const bool LassoCreating = Tool.Type == shSelection && Creating &&
                               (Tool.StyleId == S::PolygonLasso || Tool.StyleId == S::NodeLasso);
    const bool PolygonCreating = Tool.Type == shPolygon && Creating && PointByPoint();
    if (LassoCreating || PolygonCreating) {
        if (Button == mbRight) {
            // A right press drops the unfinished lasso or polygon.
            Doc.CreateShapeOver(true);
            Doc.Draw();
            FMouseDownLeft = false;
            FCancelCreatingShape = true;
        } else if (LassoCreating) {
            if (TImgSelection* Lasso = Doc.SelectionShape()) {
                FX = Lasso->PointMoved().X, FY = Lasso->PointMoved().Y;
                Lasso->AddNewPoint(FX, FY);
            }
        } else if (TImgPolygon* Poly = PolygonOf(Doc)) {
            FX = Poly->PointMoved().X, FY = Poly->PointMoved().Y;
            Poly->AddNewPoint(FX, FY);
        }
        return TPressStep::Stop;
    }
    if (Tool.Type == shPolygon) {
        if (TImgPolygon* Poly = PolygonOf(Doc); Poly && Poly->PointAdding()) {
            if (Button == mbLeft && FCursor == CanvasCursor::AddNodeActive) {
                Poly->AddNodePoint(FX, FY);
                Poly->SetPointAdding(false);
                FHost.ReleaseAddNodeButton(shPolygon);
                Doc.Draw();
                Doc.SaveUndo();
            }
            return TPressStep::Stop;
        }
    }
    if (Tool.Type == shFreeShape && Creating) {
        if (TImgFreeShape* F = FreeShapeOf(Doc)) {
            if (Button == mbRight) {
                F->SetTerminateCreate(true);
            } else {
                FX = F->PointMoved().X, FY = F->PointMoved().Y;
                if (F->BezierCount() > 1 && F->PtInFirstPoint({FX, FY}) && !FShapeAppending)
                    F->SetFinalPointAdding(true);
                F->AddNewPoint(FX, FY);
            }
        }
        return TPressStep::Stop;
    }
    if (Tool.Type == shFreeShape) {
        if (TImgFreeShape* F = FreeShapeOf(Doc); F && F->PointAdding()) {
            if (Button == mbLeft && FCursor == CanvasCursor::AddNodeActive) {
                F->AddNodePoint();
                F->SetPointAdding(false);
                FHost.ReleaseAddNodeButton(shFreeShape);
                Doc.Draw();
                Doc.SaveUndo();
            }
            return TPressStep::Stop;
        }
    }
    return TPressStep::HitTest;
}

void TCanvasInputCore::PressSelectOrCreate(TImageDraw& Doc, TMouseButton Button, TShiftState Shift, Integer X,
                                           Integer Y, bool& MenuFlag)
{
    FModifySelection = 0;
    Doc.SetSelectionExpanding(false);
    if (TImgSelection* Sel = Doc.SelectionExists() ? Doc.SelectionShape() : nullptr) {
        if (Tool.Type == shSelection &&
            OneOf(Tool.StyleId, {S::Rectangle, S::Ellipse, S::PolygonLasso, S::FreeLasso, S::Wand, S::SingleRow,
                                 S::SingleColumn}) &&
            (Shift & (ssShift | ssAlt)) && Sel->StyleId() != S::NodeLasso) {
            if (Shift & ssShift) {
                FModifySelection |= 1;
                Doc.SetSelectionExpanding(true);
            }
            if (Shift & ssAlt) FModifySelection |= 2;
        }
        Sel->SetUseMoveSelection(false);
    }
    if (!(Shift & ssAlt) && FModifySelection == 0 && Doc.LocateShape(X, Y, FX, FY)) {
        TImgShape* Hit = Doc.Shape();
        const Integer Id = Doc.ShapeId();
        if (Hit->ShapeType() != shCrop && Hit->ShapeType() != shSelection && Doc.DeleteSelectionCropShape(true))
            Doc.SaveUndo();
        if (Button == mbRight) {
            if (!Doc.IsSelected(Id)) Doc.ClickShape((Shift & ssCtrl) ? selMulti : selOne, Id);
        } else if (Hit->CurrentCtrIndex() == -1) {
            if (Shift & ssCtrl)
                Doc.ClickShape(selOneInvert, Id);
            else if (!Doc.IsSelected(Id))
                Doc.ClickShape(selOne, Id);
            Doc.MovePrepare();
        } else {
            Doc.ClickShape(selOne, Id);
        }
        Doc.Draw();
        MenuFlag = true;
        return;
    }
    bool MayCreate;
    switch (Tool.Type) {
        case shCrop:
        case shSelection: MayCreate = true; break;
        case shNone:
        case shSmall: MayCreate = false; break;
        default: {
            const bool OneSelectedNoAppend = Doc.ObjectSelectedCount() == 1 && !FShapeAppending;
            if ((Tool.Type == shFreeShape || (Tool.Type == shPolygon && PointByPoint())) && OneSelectedNoAppend) {
                MayCreate = false;
            } else {
                const TRect R = FHost.ViewGeometry().BitmapRect;
                MayCreate = X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom;
            }
        }
    }
    if (FModifySelection == 0 && Doc.DeleteSelectionCropShape(true)) {
        FDeleteSelectionOrCopSuccess = true;
        Doc.SetSaveUndoDone(false);
    }
    if (Doc.ObjectSelectedCount() > 0)
        Doc.SelectShape(selNone, -1);
    else
        FHost.LoadToolProperties();
    Doc.Draw();
    if (Button == mbLeft && MayCreate) {
        if (Tool.Type == shSelection) Doc.SetAntialiasing(FHost.SelectionAntialiasing());
        Doc.CreateShape(Tool.Type);
        FX2 = FX, FY2 = FY;
    }
    MenuFlag = true;
}

void TCanvasInputCore::PressEnd(TImageDraw& Doc, TMouseButton Button, TShiftState Shift, Integer X, Integer Y,
                                bool MenuFlag)
{
    const bool Creating = Doc.ShapeCreating();
    if (Button == mbLeft || EffectPaintsWithAnyButton(Doc)) {
        FMouseDownLeft = true;
        if (Tool.Type != shHand) FHost.SetAutoScroll(true);
        switch (Tool.Type) {
            case shLines:
                if (Creating)
                    if (auto* L = dynamic_cast<TImgLines*>(Doc.Shape())) L->AddNewPoint(FX, FY);
                break;
            case shPolygon:
                if (Creating && PointByPoint())
                    if (TImgPolygon* Poly = PolygonOf(Doc)) Poly->AddNewPoint(FX, FY);
                break;
            case shSelection:
                if (!Creating) break;
                if (TImgSelection* Sel = Doc.SelectionShape()) {
                    if (Tool.StyleId == S::PolygonLasso || Tool.StyleId == S::NodeLasso) {
                        Sel->AddNewPoint(FX, FY);
                    } else if (Tool.StyleId == S::Wand) {
                        Integer Tolerance = 0;
                        bool Continuous = true;
                        FHost.WandOptions(Tolerance, Continuous);
                        Doc.CalcSelectionWandPoints(FX, FY, Tolerance, Continuous);
                    } else if (Tool.StyleId == S::SingleRow || Tool.StyleId == S::SingleColumn) {
                        Sel->SetPointMoved({FX, FY});
                        Doc.SetChanged(true);
                    }
                }
                break;
            case shFreeShape:
                if (Creating)
                    if (TImgFreeShape* F = FreeShapeOf(Doc)) {
                        F->SetAppending(FShapeAppending);
                        F->AddNewPoint(FX, FY);
                    }
                break;
            case shFill: Doc.Fill(FX, FY, Tool.FillColor); break;
            case shEraser:
            case shPencil:
                Doc.ProcessBitmapBegin(FX, FY, Tool.Opacity, Tool.FillColor, -1);
                Doc.ProcessBitmap(false, FX, FY);
                break;
            case shCloneStamp:
                if (Shift & ssAlt) {
                    Doc.TakeStampSource(FX, FY);
                    Doc.SetProcessStampStartX(-100000);
                    break;
                }
                [[fallthrough]];
            case shBrush: {
                const Integer H = Tool.OutWidth / 2;
                Doc.ProcessBitmapBegin(FX - H, FY - H, Tool.Opacity, Tool.FillColor, Tool.BrushIndex);
                Doc.ProcessBitmap(false, FX - H, FY - H);
                break;
            }
            default: break;
        }
    } else if (MenuFlag) {
        FHost.PopupEditMenu(X, Y);
    }
    Doc.SetBusing(true);
}

// ---------------------------------------------------------------------------
// Move

void TCanvasInputCore::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TImageDraw* Doc = FHost.Document();
    if (!Doc) return;
    FX2A = X, FY2A = Y;
    const TPoint Img = ImagePoint(X, Y);
    FX2 = Img.X, FY2 = Img.Y;
    String ARGB;
    if (FHost.ShowPixelValue()) {
        TCustomBitmap32* B = Doc->Bitmap();
        if (B && FX2 >= 0 && FY2 >= 0 && FX2 < B->Width() && FY2 < B->Height() && !Doc->EffectDrawing() &&
            Tool.Type != shBrush && Tool.Type != shHand)
            ARGB = Color32ToText(B->Pixel(FX2, FY2), true);
    }
    FHost.ShowPointer(IntToStr(FX2) + u", " + IntToStr(FY2), ARGB);
    Doc->SetMovedX(FX2);
    Doc->SetMovedY(FY2);
    FHost.DrawRulers(false);
    CheckFreeShapeAppend();

    if (Doc->EffectDrawing()) {
        FHost.SetCanvasCursor(FCursor = crNone);
        Doc->EffectDrawDo(FMouseDownLeft && Doc->EffectMode() != emRedEye, Shift, FX2, FY2);
        return;
    }
    switch (Tool.Type) {
        case shZoom: FHost.SetCanvasCursor(FCursor = CanvasCursor::Zoom); return;
        case shFill: FHost.SetCanvasCursor(FCursor = CanvasCursor::Fill); return;
        case shHand:
            FHost.SetCanvasCursor(FCursor = CanvasCursor::Hand);
            if (FMouseDownLeft) {
                FHost.ScrollViewBy(FXA - FX2A, FYA - FY2A);
                FXA = FX2A, FYA = FY2A;
            }
            return;
        case shEraser:
        case shPencil:
        case shBrush:
        case shCloneStamp: {
            FHost.SetCanvasCursor(FCursor = crNone);
            if (Tool.Type == shCloneStamp && FPressAlt) return;
            const Integer H = (Tool.Type == shBrush || Tool.Type == shCloneStamp) ? Tool.OutWidth / 2 : 0;
            Doc->ProcessBitmap(true, FX2 - H, FY2 - H);
            return;
        }
        default: break;
    }
    if (!FMouseDownLeft) {
        UpdateCanvasCursor();
        return;
    }
    if (!FMouseDownLeftAndMoved) {
        const bool Unchanged = (Tool.Type == shSelection && Tool.StyleId == S::Rectangle)
                                   ? (X == FXA && Y == FYA)
                                   : (Img.X == FX && Img.Y == FY);
        if (Unchanged) return;
        FMouseDownLeftAndMoved = true;
    }
    DragMove(*Doc, X, Y, Img);
}

void TCanvasInputCore::DragMove(TImageDraw& Doc, Integer, Integer, const TPoint&)
{
    TImgFreeShape* Free = Tool.Type == shFreeShape ? FreeShapeOf(Doc) : nullptr;
    if (Free && Doc.ShapeCreating() && Doc.LeftMouseDown()) {
        Free->SetControlPoint(FX2, FY2);
        Doc.Draw();
    } else if (Doc.RulerCreating()) {
        Doc.CreateRuler(FX, FY, FX2, FY2);
        Doc.Draw();
    } else if (Doc.RulerPickMode() >= 0) {
        Doc.SetRulerPosition(FX, FY, FX2, FY2);
        Doc.Draw();
    } else if (Doc.HorzGuidesIndex() + Doc.VertGuidesIndex() > -2) {
        Doc.SetGuidesPosition(FX2, FY2);
        Doc.Draw();
    } else if (Doc.GradientStartX() != NoGradient) {
        Doc.Draw();
    } else if (Doc.CanvasCtrIndex() > 0) {
        Doc.SetCanvasCtrDx(FX2A - FXA);
        Doc.SetCanvasCtrDy(FY2A - FYA);
        Doc.SetCanvasDx(FX2 - FX);
        Doc.SetCanvasDy(FY2 - FY);
        Doc.Draw();
    } else if (Tool.Type == shNone) {
        Doc.MoveShapes(FX, FY, FX2, FY2);
        FShapeMoved = true;
    } else if (Doc.ShapeCreating() || (Doc.Shape() && Doc.Shape()->CurrentCtrIndex() != -1)) {
        Doc.DrawShape(FX, FY, FX2, FY2);
        // The node lasso is drawn free-hand: each move starts where the last ended.
        if (Tool.Type == shSelection && Tool.StyleId == S::NodeLasso && Doc.ShapeCreating() && Doc.LeftMouseDown())
            FX = FX2, FY = FY2;
    } else if (Doc.Shape()) {
        Doc.MoveShape(FX, FY, FX2, FY2);
        FShapeMoved = true;
    }
}

// ---------------------------------------------------------------------------
// Release

bool TCanvasInputCore::CreatedTooSmall(TImageDraw& Doc)
{
    const Integer DX = std::abs(FX2 - FX), DY = std::abs(FY2 - FY);
    switch (Tool.Type) {
        case shLines: {
            auto* L = dynamic_cast<TImgLines*>(Doc.Shape());
            return Tool.StyleId >= 2 && (!L || L->PointsCount() <= 1);
        }
        case shSelection: {
            TImgSelection* Sel = Doc.SelectionShape();
            switch (Tool.StyleId) {
                case S::Rectangle: return !FMouseDownLeftAndMoved;
                case S::Ellipse: return DX <= 1 || DY <= 1;
                case S::Wand: return !Sel || Sel->PointsCount() == 0;
                case S::SingleRow:
                case S::SingleColumn: return false;
                default: return !Sel || Sel->PointsCount() < 3;
            }
        }
        case shFreeShape: {
            TImgFreeShape* F = FreeShapeOf(Doc);
            return !F || F->BezierCount() < 2;
        }
        default: return DX < 3 && DY < 3;
    }
}

void TCanvasInputCore::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (FDblClick) {
        FDblClick = false;
        return;
    }
    TImageDraw* Doc = FHost.Document();
    if (!Doc) return;
    Doc->SetBusing(false);
    Doc->SetLeftMouseDown(false);
    const TPoint Img = ImagePoint(X, Y);
    if (FCancelCreatingShape) {
        FHost.SetAutoScroll(false);
        FModifySelection = 0;
        Doc->SetSelectionExpanding(false);
        CommitDeletedSelection();
        return;
    }
    if (Tool.Type == shZoom) {
        const TCanvasViewGeometry G = FHost.ViewGeometry();
        const bool Inside = X >= G.OffsetHorz && X <= G.OffsetHorz + Doc->Width() * G.Scale && Y >= G.OffsetVert &&
                            Y <= G.OffsetVert + Doc->Height() * G.Scale;
        if (Inside && FHost.ZoomClickAllowed()) FHost.ZoomClick(Button == mbLeft, Img.X, Img.Y);
        return;
    }
    if (Doc->ShapeCreating() && PointByPoint()) {
        TImgFreeShape* F = Tool.Type == shFreeShape ? FreeShapeOf(*Doc) : nullptr;
        if (!F || !(F->FinalPointAdding() || F->TerminateCreate())) return;
    }
    FHost.SetAutoScroll(false);
    if (FMouseDownLeft) Release(*Doc);
    FMouseDownLeft = false;
    FShapeMoved = false;
    FShapeAppending = false;
    FModifySelection = 0;
    Doc->SetSelectionExpanding(false);
    Doc->SaveUndo();
    CommitDeletedSelection();
    if (Button == mbRight && EffectPaintsWithAnyButton(*Doc)) MouseMove(Shift, X, Y);
}

void TCanvasInputCore::Release(TImageDraw& Doc)
{
    if (Doc.GradientStartX() != NoGradient) {
        if (FMouseDownLeftAndMoved) FHost.GradientDo();
        Doc.SetGradientStartX(NoGradient);
        return;
    }
    if (Doc.EffectDrawing()) {
        Doc.EffectDrawEnd();
        Doc.Draw();
        return;
    }
    if (Doc.CanvasCtrIndex() > 0) {
        FHost.ApplyCanvasDrag();
        Doc.Draw();
        return;
    }
    if (IsPaintTool()) {
        Doc.ProcessBitmapEnd();
        return;
    }
    if (Tool.Type == shFill || Tool.Type == shHand || Doc.RulerCreating() || Doc.RulerPickMode() >= 0 ||
        Doc.HorzGuidesIndex() + Doc.VertGuidesIndex() > -2)
        return;
    if (Doc.ShapeCreating()) {
        const bool Invalid = CreatedTooSmall(Doc);
        Doc.CreateShapeOver(Invalid);
        if (!Invalid && (Tool.Type == shText || Tool.Type == shCallout)) FHost.FocusTextBox();
        Doc.Draw();
        return;
    }
    if (FShapeMoved)
        Doc.MoveShapesOver(FX2 - FX, FY2 - FY);
    else if (Tool.Type == shNone && !FPressCtl)
        Doc.ClickShape(selOne, Doc.ShapeId());
    else if (FX2 != FX || FY2 != FY)
        Doc.AdjustShapeOver();
    Doc.Draw();
}

void TCanvasInputCore::DblClick()
{
    FDblClick = true;
    TImageDraw* Doc = FHost.Document();
    if (!Doc || !Doc->ShapeCreating() || !PointByPoint()) return;
    bool Invalid = true;
    if (Tool.Type == shFreeShape) {
        TImgFreeShape* F = FreeShapeOf(*Doc);
        Invalid = !F || F->BezierCount() < 2;
    } else if (Tool.Type == shPolygon) {
        TImgPolygon* P = PolygonOf(*Doc);
        Invalid = !P || P->PointsCount() < 3;
    } else if (TImgSelection* Sel = Doc->SelectionShape()) {
        Invalid = Sel->PointsCount() < 3;
    }
    Doc->CreateShapeOver(Invalid);
    Doc->Draw();
    FHost.SetAutoScroll(false);
    FMouseDownLeft = false;
    FShapeAppending = false;
    FModifySelection = 0;
    Doc->SetSelectionExpanding(false);
    Doc->SaveUndo();
    CommitDeletedSelection();
}

void TCanvasInputCore::CommitDeletedSelection()
{
    if (!FDeleteSelectionOrCopSuccess) return;
    if (TImageDraw* Doc = FHost.Document(); Doc && !Doc->SaveUndoDone()) {
        Doc->SetModified(true);
        Doc->SaveUndo();
    }
    FDeleteSelectionOrCopSuccess = false;
}

void TCanvasInputCore::MouseLeave()
{
    TImageDraw* Doc = FHost.Document();
    if (Doc && (Tool.Type == shEraser || Tool.Type == shPencil)) Doc->Draw();
    FHost.ShowPointer(String(), String());
    FX2A = -1, FY2A = -1;
    FHost.DrawRulers(false);
}

void TCanvasInputCore::EditMenuClosed()
{
    if (TImageDraw* Doc = FHost.Document()) Doc->SetBusing(false);
}

// ---------------------------------------------------------------------------
// Keys and cursor

void TCanvasInputCore::CheckFreeShapeAppend()
{
    TImageDraw* Doc = FHost.Document();
    if (!Doc || !FPressAlt || FMouseDownLeft || Tool.Type != shFreeShape) return;
    if (Doc->FreeShapeCheckAppendState(FShapeAppending)) Doc->Draw();
}

void TCanvasInputCore::SetModifierKeyState(Integer Key, bool Down)
{
    TImageDraw* Doc = FHost.Document();
    switch (Key) {
        case 16:
            FPressSht = Down;
            if (Doc) Doc->SetPressSht(Down);
            break;
        case 17:
            FPressCtl = Down;
            if (Doc) Doc->SetPressCtl(Down);
            break;
        case 18:
            FPressAlt = Down;
            if (!Doc) break;
            Doc->SetPressAlt(Down);
            if (Tool.Type == shCloneStamp) Doc->Draw();
            if (Down) {
                CheckFreeShapeAppend();
            } else if (!Doc->ShapeCreating()) {
                FShapeAppending = false;
                Doc->FreeShapeClearAppendState();
                Doc->Draw();
            }
            break;
        default: return;
    }
    UpdateCanvasCursor();
}

// The tool's own cursor: plain, add or subtract form for the selection kinds.
TCursor TCanvasInputCore::ToolCursor() const
{
    if (Tool.Type == shCrop) return CanvasCursor::Cross;
    if (Tool.Type == shLines) return CanvasCursor::Pencil;
    if (Tool.Type != shSelection) return crDefault;
    TCursor Base;
    switch (Tool.StyleId) {
        case S::PolygonLasso: Base = CanvasCursor::PolygonLasso; break;
        case S::FreeLasso: Base = CanvasCursor::Lasso; break;
        case S::Wand: Base = CanvasCursor::Wand; break;
        case S::NodeLasso: return CanvasCursor::NodeLasso;
        default: Base = CanvasCursor::Cross; break;
    }
    if (FModifySelection & 2) return Base + 2;
    if (FModifySelection & 1) return Base + 1;
    if (FPressAlt) return Base + 2;
    if (FPressSht) return Base + 1;
    return Base;
}

void TCanvasInputCore::UpdateCanvasCursor()
{
    TImageDraw* Doc = FHost.Document();
    if (!Doc || Doc->ControlMode() != cmObject) return;
    if (Tool.Type == shSelection && Doc->ShapeCreating() && FModifySelection == 0) return;
    TCursor C;
    if (Tool.Type == shRuler) {
        C = Doc->GetShapeCursor(FX2A, FY2A, FX2, FY2) == CanvasCursor::Move ? CanvasCursor::Move : CanvasCursor::Cross;
    } else if (Tool.Type == shGradientFill) {
        C = CanvasCursor::Cross;
    } else if (Tool.Type == shSelection && Tool.StyleId == S::Move) {
        TImgSelection* Sel = Doc->SelectionExists() ? Doc->SelectionShape() : nullptr;
        if (!Sel)
            C = CanvasCursor::Move;
        else if (FPressAlt)
            C = CanvasCursor::MoveCopy;
        else
            C = (!Sel->SelBitmap() || Sel->SelBitmap()->Empty()) ? CanvasCursor::MoveCut : CanvasCursor::Move;
    } else if (!FPressAlt && FModifySelection == 0 &&
               !(Tool.Type == shSelection && FPressSht && Tool.StyleId != S::NodeLasso)) {
        C = Doc->GetShapeCursor(FX2A, FY2A, FX2, FY2);
    } else {
        C = NoDocumentCursor;
    }
    if (C == NoDocumentCursor) C = ToolCursor();
    FCursor = C;
    FHost.SetCanvasCursor(C);
}
