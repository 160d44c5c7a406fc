// The document's objects: making them from the default rows and from the
// rows of a document, writing them back, the selection, the mouse steps of
// drawing, resizing, turning and moving them, the cursor, and the named
// style properties of the style panels.
//
// Which class an object row's kind makes, and which columns hold the kind's
// own data, is told by NewShapeOfKind, ReadKindData and WriteKindData. The
// crop frame, the pencil strokes (ImageLines), the text and callout
// (ImageText), the selection and the free shape bring their classes with
// their own units; each adds its case there (and its steps in CreateShapeOver
// and DrawShape). A row of a kind without a class keeps its cells and gets no
// object.
#include <algorithm>
#include <cmath>

#include "document/ImageDraw.h"
#include "document/ObjectRows.h"
#include "document/ImageCrop.h"
#include "document/ImageEllipse.h"
#include "document/ImageFreeShape.h"
#include "document/ImageHLRect.h"
#include "document/ImageLine.h"
#include "document/ImageLines.h"
#include "document/ImagePolygon.h"
#include "document/ImageRectangle.h"
#include "document/ImageSelection.h"
#include "document/ImageSmall.h"
#include "document/ImageText.h"

using namespace ImageDrawRows;

namespace {
// Object-row columns this unit reads and writes besides the shared ones of
// ObjCol (the per-kind columns are the object classes' own).
namespace Col {
constexpr Integer Left = 10, Top = 11, Right = 12, Bottom = 13, Color = 14, FillColor = 15, Opacity = 16,
                  OutWidth = 18, Angle = 19, IsOutline = 20, IsFill = 21, PenStyle = 22, StyleId = 24, CenterX = 25,
                  CenterY = 26, ShadowMode = 27, ReflectMode = 28, GradientMode = 29;
// Columns 70 and beyond are kept only by rows longer than this.
constexpr Integer EffectsAfter = 70;
constexpr Integer Shadow = 70, ShadowInner = 76, ReflectDistance = 81, ReflectBlur = 83, ReflectOpacity = 85,
                  ReflectHeight = 86, HatchMode = 87, HatchFore = 88, HatchBack = 89, GradientColors = 90,
                  GradientOpacities = 91, GradientPositions = 92, GradientFill = 95, GradientAngle = 96,
                  GradientTexture = 97, GradientEdging = 98, GradientGamma = 99;
// The line: points 1 and 4, then 2 and 3, and the arrow type.
constexpr Integer LineP1 = 40, LineP4 = 42, LineP2 = 46, LineP3 = 48, ArrowType = 50;
constexpr Integer RectPoints = 41, PolygonPoints = 42;
// The pencil stroke: its points, its thinning switch and its point ratios.
constexpr Integer LinesPoints = 41, LinesDebounce = 42, LinesRatios = 43;
// The selection: where its lifted pixels lie from the region's top-left, and
// its feather.
constexpr Integer SelBitmapOX = 45, SelBitmapOY = 46, Feather = 47;
}  // namespace Col

TShapeType KindOfRow(const TRow& Row)
{
    Integer K = IntOf(Row, ObjCol::Kind);
    return K >= 0 && K < ShapeTypeCount ? static_cast<TShapeType>(K) : shNone;
}

bool IsInteger(const String& Text)
{
    Integer V;
    return TryStrToInt(Trim(Text), V);
}

// The object class of a kind; null for the tools and for kinds whose class
// is not built.
std::unique_ptr<TImgShape> NewShapeOfKind(TImageDraw* Owner, TShapeType Kind, Integer Id)
{
    std::unique_ptr<TImgShape> S;
    switch (Kind) {
    case shArrow: case shLine: S = std::make_unique<TImgLine>(Owner, Id, nullptr); break;
    case shRectangle: S = std::make_unique<TImgRectangle>(Owner, Id, nullptr); break;
    case shSmall: S = std::make_unique<TImgSmall>(Owner, Id, nullptr); break;
    case shPolygon: S = std::make_unique<TImgPolygon>(Owner, Id, nullptr); break;
    case shHLRect: S = std::make_unique<TImgHLRect>(Owner, Id, nullptr); break;
    case shEllipse: S = std::make_unique<TImgEllipse>(Owner, Id, nullptr); break;
    case shCrop: S = std::make_unique<TImgCrop>(Owner, Id, nullptr); break;
    case shSelection: S = std::make_unique<TImgSelection>(Owner, Id, nullptr); break;
    case shText: case shCallout: S = std::make_unique<TImgText>(Owner, Id, nullptr); break;
    case shFreeShape: S = std::make_unique<TImgFreeShape>(Owner, Id, nullptr); break;
    case shLines: S = std::make_unique<TImgLines>(Owner, Id, nullptr); break;
    default: return nullptr;
    }
    S->SetShapeType(Kind);
    return S;
}

// Coordinates read from a row stay within this: the objects add widths and
// heights of what they read, which must not overflow for a damaged row.
constexpr Integer MaxCoordinate = 1 << 28;
Integer CoordOf(const TRow& Row, Integer Index) { return std::clamp(IntOf(Row, Index), -MaxCoordinate, MaxCoordinate); }
Single FloatCoordOf(const TRow& Row, Integer Index)
{
    const Single V = FloatOf(Row, Index);
    return V == V ? std::clamp(V, -static_cast<Single>(MaxCoordinate), static_cast<Single>(MaxCoordinate)) : 0.0f;
}

TPoint PointAt(const TRow& Row, Integer XCol) { return TPoint{CoordOf(Row, XCol), CoordOf(Row, XCol + 1)}; }
void SetPointAt(TRow& Row, Integer XCol, const TPoint& P)
{
    SetInt(Row, XCol, P.X);
    SetInt(Row, XCol + 1, P.Y);
}

// The kind's own columns into the object (rebuilding it); the rectangle and
// the style are already set.
void ReadKindData(TImgShape& Shape, const TRow& Row)
{
    if (auto* L = dynamic_cast<TImgLine*>(&Shape)) {
        L->SetPoint(1, PointAt(Row, Col::LineP1));
        L->SetPoint(4, PointAt(Row, Col::LineP4));
        L->SetPoint(2, PointAt(Row, Col::LineP2));
        L->SetPoint(3, PointAt(Row, Col::LineP3));
        L->SetArrowType(IntOf(Row, Col::ArrowType));
    } else if (auto* R = dynamic_cast<TImgRectangle*>(&Shape)) {
        R->SetPoints(TextOf(Row, Col::RectPoints));
    } else if (auto* E = dynamic_cast<TImgEllipse*>(&Shape)) {
        E->SetPoints(TextOf(Row, Col::RectPoints));
    } else if (auto* P = dynamic_cast<TImgPolygon*>(&Shape)) {
        P->SetPoints(TextOf(Row, Col::PolygonPoints));
    } else if (auto* Sel = dynamic_cast<TImgSelection*>(&Shape)) {
        Sel->SetSelBitmapOX(CoordOf(Row, Col::SelBitmapOX));
        Sel->SetSelBitmapOY(CoordOf(Row, Col::SelBitmapOY));
        Sel->SetFeatherAmount(std::clamp(IntOf(Row, Col::Feather), 0, MaxFeatherAmount));
    } else if (auto* F = dynamic_cast<TImgFreeShape*>(&Shape)) {
        F->SetPoints(TextOf(Row, Col::PolygonPoints));
    } else if (auto* Lines = dynamic_cast<TImgLines*>(&Shape)) {
        // The points first: the ratios are read for them.
        Lines->SetPoints(TextOf(Row, Col::LinesPoints));
        Lines->SetPointsRatio(TextOf(Row, Col::LinesRatios));
        Lines->SetDebounce(BoolOf(Row, Col::LinesDebounce));
        if (Shape.Parent()) Lines->SetFixed(!Shape.Parent()->PencilEditable());
    } else if (auto* T = dynamic_cast<TImgText*>(&Shape)) {
        T->ReadTextColumns(Row);
        T->SetText(TImageDraw::ConvertCellEscapes(TextOf(Row, TextCol::Text), true));
        // The zone first: the points are placed by it.
        T->SetPointsZone(IntOf(Row, TextCol::PointsZone));
        T->SetPoints(TextOf(Row, TextCol::Points));
    }
    // The picture object's pixels come from the document's picture blocks;
    // the highlighter has no data of its own.
}

void WriteKindData(TImgShape& Shape, TRow& Row)
{
    if (auto* L = dynamic_cast<TImgLine*>(&Shape)) {
        SetPointAt(Row, Col::LineP1, L->GetPoint(1));
        SetPointAt(Row, Col::LineP4, L->GetPoint(4));
        SetPointAt(Row, Col::LineP2, L->GetPoint(2));
        SetPointAt(Row, Col::LineP3, L->GetPoint(3));
        SetInt(Row, Col::ArrowType, L->ArrowType());
    } else if (auto* R = dynamic_cast<TImgRectangle*>(&Shape)) {
        SetText(Row, Col::RectPoints, R->GetPoints());
    } else if (auto* E = dynamic_cast<TImgEllipse*>(&Shape)) {
        SetText(Row, Col::RectPoints, E->GetPoints());
    } else if (auto* P = dynamic_cast<TImgPolygon*>(&Shape)) {
        SetText(Row, Col::PolygonPoints, P->GetPoints());
    } else if (auto* Sel = dynamic_cast<TImgSelection*>(&Shape)) {
        SetInt(Row, Col::SelBitmapOX, Sel->SelBitmapOX());
        SetInt(Row, Col::SelBitmapOY, Sel->SelBitmapOY());
        SetInt(Row, Col::Feather, Sel->FeatherAmount());
    } else if (auto* F = dynamic_cast<TImgFreeShape*>(&Shape)) {
        SetText(Row, Col::PolygonPoints, F->GetPoints());
    } else if (auto* Lines = dynamic_cast<TImgLines*>(&Shape)) {
        SetText(Row, Col::LinesPoints, Lines->GetPoints());
        SetBool(Row, Col::LinesDebounce, Lines->Debounce());
        SetText(Row, Col::LinesRatios, Lines->GetPointsRatio());
    } else if (auto* T = dynamic_cast<TImgText*>(&Shape)) {
        T->WriteTextColumns(Row);
        SetText(Row, TextCol::Text, TImageDraw::ConvertCellEscapes(T->Text(), false));
        SetInt(Row, TextCol::PointsZone, T->PointsZone());
        SetText(Row, TextCol::Points, T->GetPoints());
    }
}

// The style columns every kind shares, with the effect columns when the row
// keeps them.
void ReadSharedColumns(TImgShape& Shape, const TRow& Row)
{
    Shape.ReadEffectColumns(Row);
    Shape.SetStyleId(IntOf(Row, Col::StyleId));
    Shape.SetFixed(BoolOf(Row, ObjCol::Fixed));
    Shape.SetHided(BoolOf(Row, ObjCol::Hidden));
    // An angle beyond any turn a user makes is one a damaged row holds.
    const Single Angle = FloatOf(Row, Col::Angle);
    Shape.SetAngle(Angle == Angle ? std::clamp(Angle, -36000.0f, 36000.0f) : 0.0f);
}

void WriteSharedColumns(TImgShape& S, TRow& Row)
{
    SetInt(Row, Col::StyleId, S.StyleId());
    SetBool(Row, ObjCol::Fixed, S.Fixed());
    SetBool(Row, ObjCol::Hidden, S.Hided());
    const TRect& R = S.SRect();
    SetInt(Row, Col::Left, R.Left);
    SetInt(Row, Col::Top, R.Top);
    SetInt(Row, Col::Right, R.Right);
    SetInt(Row, Col::Bottom, R.Bottom);
    // Six decimals tell every float centre apart, so a rebuilt object has the
    // centre it was written with.
    SetText(Row, Col::CenterX, FloatToCellText(S.CenterPoint().X, 6));
    SetText(Row, Col::CenterY, FloatToCellText(S.CenterPoint().Y, 6));
    SetInt(Row, Col::Color, S.Color());
    SetInt(Row, Col::FillColor, S.FillColor());
    SetInt(Row, Col::Opacity, S.Opacity());
    SetInt(Row, Col::ShadowMode, S.ShadowMode());
    SetInt(Row, Col::ReflectMode, S.ReflectMode());
    SetInt(Row, Col::GradientMode, S.GradientMode());
    SetInt(Row, Col::OutWidth, S.OutWidth());
    SetText(Row, Col::Angle, FloatToCellText(S.Angle(), 3));
    SetBool(Row, Col::IsOutline, S.IsOutline());
    SetBool(Row, Col::IsFill, S.IsFill());
    SetInt(Row, Col::PenStyle, S.PenStyle());
    if (Row.ItemCount() <= Col::EffectsAfter) return;
    const Integer Shadow[] = {S.ShadowAngle(), S.ShadowDistance(), S.ShadowZoomValue(), S.ShadowBlurSize(),
                              S.ShadowColor(), S.ShadowOpacity()};
    for (Integer i = 0; i < 6; ++i) SetInt(Row, Col::Shadow + i, Shadow[i]);
    SetBool(Row, Col::ShadowInner, S.ShadowInner());
    SetInt(Row, Col::ReflectDistance, S.ReflectDistance());
    SetInt(Row, Col::ReflectBlur, S.ReflectBlurSize());
    SetInt(Row, Col::ReflectOpacity, S.ReflectOpacity());
    SetInt(Row, Col::ReflectHeight, S.ReflectHeight());
    SetText(Row, Col::GradientColors, S.GradientColor());
    SetText(Row, Col::GradientOpacities, S.GradientOpacity());
    SetText(Row, Col::GradientPositions, S.GradientPosition());
    SetInt(Row, Col::GradientFill, S.GradientFillMode());
    SetInt(Row, Col::GradientAngle, S.GradientLinearAngle());
    SetInt(Row, Col::GradientEdging, S.GradientEdgingWidth());
    SetText(Row, Col::GradientTexture, TImageDraw::ConvertCellEscapes(S.GradientTextureFileName(), false));
    SetInt(Row, Col::HatchMode, S.GradientHatchMode());
    SetInt(Row, Col::HatchFore, S.GradientHatchForeColor());
    SetInt(Row, Col::HatchBack, S.GradientHatchBackColor());
    SetBool(Row, Col::GradientGamma, S.GradientGammaCorrected());
}

// Copies cells of preset row Mode (counted from 1) of Presets into Row:
// pairs of (preset cell, row column). A preset that is not there copies
// nothing: the kind's own defaults stay.
void CopyPreset(const TDataTable* Presets, Integer Mode, TRow& Row,
                std::initializer_list<std::pair<Integer, Integer>> Cells)
{
    if (!Presets || Mode < 1 || Mode > Presets->ItemCount()) return;
    const TRow& Preset = *Presets->GetItem(Mode - 1);
    for (const auto& [From, To] : Cells) SetText(Row, To, TextOf(Preset, From));
}

// The move along one axis that puts an edge (Lo, Hi, as the move began) or
// the middle on a guide within reach; D itself when none is.
Integer SnapToGuides(const TRow& Guides, Integer Lo, Integer Hi, Integer Size, Integer D)
{
    const Integer c = Min(Size / 2, 15);
    if (c <= 0) return D;
    for (Integer i = 0; i < Guides.ItemCount(); ++i) {
        const Integer g = IntOf(Guides, i);
        if (std::abs(g - (Hi + D)) < c) return g - Hi;
        if (std::abs(g - (Lo + D)) < c) return g - Lo;
        if (std::abs(g - (Lo + Size / 2 + D)) < c - 4) return g - Lo - Size / 2;
    }
    return D;
}
}  // namespace

Integer TImageDraw::TakeNextShapeId()
{
    TCell* Next = GrowTo(*FDT->PropertyRow(), ObjProp::NextId);
    const Integer Id = IntOf(*FDT->PropertyRow(), ObjProp::NextId);
    Next->SetValue(Id + 1);
    return Id;
}

void TImageDraw::CreateShape(TShapeType AType)
{
    const TRow* Defaults = FPropDT && AType < FPropDT->ItemCount() ? FPropDT->GetItem(AType) : nullptr;
    const Integer Id = IntOf(*FDT->PropertyRow(), ObjProp::NextId);
    auto Shape = NewShapeOfKind(this, AType, Id);
    if (!Shape) throw EImageDraw(Format(u"Objects of kind %d cannot be drawn", {static_cast<Integer>(AType)}));
    FShapeId = Id;
    FObjectType = AType;
    // Cell by cell rather than through the row's joined text: a default text
    // holding a comma stays one cell.
    auto Row = std::make_unique<TRow>();
    Row->CopyFrom(Defaults);
    SetInt(*Row, ObjCol::Id, Id);
    SetInt(*Row, ObjCol::Kind, AType);
    TImgShape* S = Shape.get();
    if (Row->ItemCount() > Col::EffectsAfter) {
        CopyPreset(FShadowDT, IntOf(*Row, Col::ShadowMode), *Row,
                   {{0, 70}, {1, 71}, {2, 72}, {3, 73}, {4, 74}, {5, 75}, {6, 76}});
        CopyPreset(FReflectDT, IntOf(*Row, Col::ReflectMode), *Row, {{1, 81}, {3, 83}, {5, 85}, {6, 86}});
        CopyPreset(FObjGradientDT, IntOf(*Row, Col::GradientMode), *Row,
                   {{0, 90}, {1, 91}, {2, 92}, {7, 97}, {5, 95}, {6, 96}, {8, 98}, {9, 99}});
    }
    ReadSharedColumns(*S, *Row);
    // A new object keeps an edging width of 0 (the glow draws at least one
    // pixel); only a rebuilt one reads 0 as 15.
    if (Row->ItemCount() > Col::EffectsAfter && IntOf(*Row, Col::GradientEdging) == 0) S->SetGradientEdgingWidth(0);
    if (AType == shRectangle || AType == shEllipse) S->InitPoints(false);
    // The crop frame shows the raster as it is now, dimmed, around itself.
    if (auto* Crop = dynamic_cast<TImgCrop*>(S)) Crop->MakeAdjustSrcBmp(FSrcBmp.get());
    // A new text starts with the document's default text; its points are the
    // style's own.
    if (auto* T = dynamic_cast<TImgText*>(S)) {
        T->ReadTextColumns(*Row);
        T->SetText(ConvertCellEscapes(FDefaultTextOnCreatingObject, true));
        T->InitPoints(false);
    }
    if (auto* Lines = dynamic_cast<TImgLines*>(S)) {
        Lines->SetFixed(!FPencilEditable);
        Lines->SetDebounce(FPencilDebounce);
    }
    Row->Data().Own(std::move(Shape));
    FDT->AddItem(Row.release(), false);
    TakeNextShapeId();
    // The object itself, even when a damaged table already holds its id.
    FCurrentShape = S;
    FShapeCreating = true;
}

bool TImageDraw::CreateShapeAuto(const String& S, TCustomBitmap32* ABitmap, Integer OffsetX, Integer OffsetY)
{
    auto Row = std::make_unique<TRow>();
    Row->Init(S, u',');
    return CreateShapeFromRow(std::move(Row), ABitmap, OffsetX, OffsetY);
}

bool TImageDraw::CreateShapeFromRow(std::unique_ptr<TRow> NewRow, TCustomBitmap32* ABitmap, Integer OffsetX,
                                    Integer OffsetY)
{
    TRow* Row = FDT->AddItem(std::move(NewRow));
    SetInt(*Row, ObjCol::Id, TakeNextShapeId());
    CreateShapeObjects(FDT->ItemCount() - 1);
    TImgShape* Shape = RowShape(Row);
    if (!Shape) return false;
    if (auto* Picture = dynamic_cast<TImgSmall*>(Shape); Picture && ABitmap) {
        Picture->SrcBmp()->SetSize(ABitmap->Width(), ABitmap->Height());
        Picture->SrcBmp()->Draw(0, 0, ABitmap);
    }
    if (OffsetX != 0 || OffsetY != 0) {
        Shape->OffsetShape(OffsetX, OffsetY);
        // A left or top edge at the width or height already lies outside.
        const TRect R = Shape->SRect();
        const Integer W = FBitmap->Width(), H = FBitmap->Height();
        Integer DX = R.Left >= W ? -(R.Left - W + 20) : 0, DY = R.Top >= H ? -(R.Top - H + 20) : 0;
        if (DX != 0 || DY != 0) Shape->OffsetShape(DX, DY);
    }
    if (!Shape->Fixed()) Shape->Select();
    return true;
}

void TImageDraw::CreateShapeObject(TRow& Row)
{
    const TShapeType Kind = KindOfRow(Row);
    auto Shape = NewShapeOfKind(this, Kind, IntOf(Row, ObjCol::Id));
    if (!Shape) return;
    // An id that is no number could never be found again: the row gets a new one.
    if (!IsInteger(TextOf(Row, ObjCol::Id))) {
        SetInt(Row, ObjCol::Id, TakeNextShapeId());
        Shape = NewShapeOfKind(this, Kind, IntOf(Row, ObjCol::Id));
    }
    TImgShape* S = Shape.get();
    S->SetLoading(true);
    ReadSharedColumns(*S, Row);
    S->SetSRect(TRect{CoordOf(Row, Col::Left), CoordOf(Row, Col::Top), CoordOf(Row, Col::Right),
                      CoordOf(Row, Col::Bottom)});
    S->SetCenterPoint(TFloatPoint{FloatCoordOf(Row, Col::CenterX), FloatCoordOf(Row, Col::CenterY)});
    ReadKindData(*S, Row);
    if (Kind == shCrop || Kind == shSelection) S->Select();
    if (Kind == shArrow || Kind == shLine || Kind == shFreeShape) S->CalcRect();
    S->SetLoading(false);
    S->SetCreating(false);
    // The object replaced leaves the selection and stops being current.
    TImgShape* Old = RowShape(&Row);
    if (Old && Old->Selected()) FSelectedIds->RemoveItemByValue(Old->Id());
    Row.Data().Own(std::move(Shape));
    if (Old && Old == FCurrentShape) FCurrentShape = FindCurrentShape();
}

void TImageDraw::CreateShapeObjects(Integer Index)
{
    if (Index >= FDT->ItemCount()) return;
    if (Index >= 0) {
        CreateShapeObject(*FDT->GetItem(Index));
        return;
    }
    for (Integer i = 0; i < FDT->ItemCount(); ++i) CreateShapeObject(*FDT->GetItem(i));
}

void TImageDraw::StoreShapeGeometry()
{
    for (Integer i = 0; i < FDT->ItemCount(); ++i) {
        TRow& Row = *FDT->GetItem(i);
        TImgShape* S = RowShape(&Row);
        if (!S) continue;
        WriteKindData(*S, Row);
        WriteSharedColumns(*S, Row);
    }
}

void TImageDraw::CreateShapeOver(bool bInvalid)
{
    auto Done = ScopeExit([this] { FShapeCreating = false; });
    TImgShape* S = FCurrentShape;
    if (!S) return;
    const TShapeType Kind = FObjectType;
    if (bInvalid) {
        TRow Ids;
        Ids.AddItem(S->Id());
        DeleteShapes(Ids);
        FModified = false;
        if (Kind == shSelection && SelectionExists()) {
            TImgShape* Top = RowShape(FDT->GetItem(FDT->ItemCount() - 1));
            if (Top) SetCurrentShape(Top->Id());
        }
        // Every free shape stops waiting to be appended to.
        if (Kind == shFreeShape) FreeShapeClearAppendState();
        if (OnShapeModified) OnShapeModified(this);
        return;
    }
    if (auto* Lines = dynamic_cast<TImgLines*>(S); Lines && Kind == shLines && FPencilDebounce) {
        // Thinned within the stroke's own box, not the box of the press and
        // the last point (a stroke may end where it began).
        Lines->CalcRect();
        Lines->VerifyPoints();
    }
    if (Kind == shSelection) {
        if (!FinishNewSelectionShape()) return;
        S = FCurrentShape;  // the selection below when the new one merged into it
        if (!S) return;
    }
    if (Kind == shFreeShape) {
        FreeShapeCreateOver();
        S = FCurrentShape;
        if (!S) return;
    }
    if (Kind == shArrow || Kind == shLines || Kind == shLine || Kind == shPolygon || Kind == shSelection ||
        Kind == shFreeShape) {
        S->CalcRect();
        S->CalcCenterPoint();
        if (Kind == shLines || Kind == shFreeShape) S->CalcPointsRatio();
    }
    S->SetCreating(false);
    if (Kind != shLines) S->Select();
    SetChanged(true);
    ShapeSelectStateChanged(false);
}

bool TImageDraw::FinishNewSelectionShape()
{
    auto* New = dynamic_cast<TImgSelection*>(FCurrentShape);
    if (!New) return true;
    // A selection below takes the new shape in; the new object goes.
    for (Integer i = 0; i + 1 < FDT->ItemCount(); ++i) {
        auto* Old = dynamic_cast<TImgSelection*>(RowShape(FDT->GetItem(i)));
        if (!Old) continue;
        const TArrayOfPoint& Pts = New->Points();
        Old->CombineRegion(FAntialiasing, New->StyleId(), New->SRect(), Pts.empty() ? nullptr : Pts.data(),
                           New->PointsCount(), New->PointMoved());
        DeleteShapeById(New->Id());
        SetCurrentShape(Old->Id());
        return true;
    }
    if (New->CreateRegion(FAntialiasing)) return true;
    DeleteShapeById(New->Id());
    FModified = false;
    if (OnShapeModified) OnShapeModified(this);
    return false;
}

void TImageDraw::AdjustShapeOver()
{
    TImgShape* S = FCurrentShape;
    if (!S) return;
    const TShapeType Kind = S->ShapeType();
    if (Kind == shArrow || Kind == shLine || Kind == shPolygon || Kind == shFreeShape) {
        S->CalcRect();
        S->CalcCenterPoint();
        if (Kind == shPolygon && S->StyleId() == 1) {
            TRect R;
            NormalizeRect(S->SRect(), R);
            S->SetSRect(R);
        }
        if (Kind == shFreeShape) S->CalcPointsRatio();
    }
    S->SetAdjusting(false);
}

bool TImageDraw::LocateShape(Integer XA, Integer YA, Integer X, Integer Y)
{
    FShapeId = -1;
    auto FindTopmost = [&](auto Hit) {
        for (Integer i = FDT->ItemCount() - 1; i >= 0; --i) {
            TImgShape* S = RowShape(FDT->GetItem(i));
            if (S && !S->Fixed() && Hit(S)) return S->Id();
        }
        return -1;
    };
    FShapeId = FindTopmost([&](TImgShape* S) { return S->PtInControl(XA, YA); });
    if (FShapeId == -1) FShapeId = FindTopmost([&](TImgShape* S) { return S->PtInShape(X, Y); });
    SetCurrentShape(FShapeId);
    return FShapeId != -1;
}

void TImageDraw::ClickShape(TSelectMode SelectMode, Integer ShapeId)
{
    const Integer Index = IndexOfShapeId(ShapeId);
    TImgShape* Target = Index >= 0 ? RowShape(FDT->GetItem(Index)) : nullptr;
    if (Target) switch (SelectMode) {
        case selOne:
            for (Integer i = FDT->ItemCount() - 1; i >= 0; --i) {
                TImgShape* S = RowShape(FDT->GetItem(i));
                if (S == Target) S->Click();
                else if (S) S->UnSelect();
            }
            break;
        case selOneInvert:
            if (Target->Selected()) Target->UnSelect();
            else Target->Click();
            break;
        case selMulti: Target->Click(); break;
        default: break;
        }
    ShapeSelectStateChanged(true);
}

void TImageDraw::SelectShape(TSelectMode SelectMode, Integer ShapeId)
{
    const Integer Index = IndexOfShapeId(ShapeId);
    if (SelectMode == selNone) {
        for (Integer i = FDT->ItemCount() - 1; i >= 0; --i) {
            TImgShape* S = RowShape(FDT->GetItem(i));
            if (S && S->ShapeType() != shCrop) S->UnSelect();
        }
        if (FObjectType != shCrop && FObjectType != shSelection) SetCurrentShape(-1);
    } else if (SelectMode == selAll || (SelectMode == selSame && Index >= 0)) {
        const TShapeType Kind = SelectMode == selSame ? KindOfRow(*FDT->GetItem(Index)) : shNone;
        for (Integer i = 0; i < FDT->ItemCount(); ++i) {
            TImgShape* S = RowShape(FDT->GetItem(i));
            if (!S || S->Fixed()) continue;
            if (SelectMode == selAll || S->ShapeType() == Kind) S->Select();
            else S->UnSelect();
        }
    }
    ShapeSelectStateChanged(true);
}

void TImageDraw::ShapeSelectStateChanged(bool IsSetAsCurrentShape)
{
    if (!FSelectedIds->DataChanged()) return;
    const bool One = FSelectedIds->ItemCount() == 1;
    if (One && IsSetAsCurrentShape)
        for (Integer i = FDT->ItemCount() - 1; i >= 0; --i) {
            TImgShape* S = RowShape(FDT->GetItem(i));
            if (S && S->Selected()) {
                SetCurrentShape(S->Id());
                break;
            }
        }
    // Cleared before the event: a handler that selects again is reported again.
    FSelectedIds->SetDataChanged(false);
    if (One && FObjectType == shSelection) {
        if (OnShapeModified) OnShapeModified(this);
    } else if (OnShapeSelected) {
        OnShapeSelected(this);
    }
}

bool TImageDraw::IsSelected(Integer ShapeId) const
{
    const Integer Index = IndexOfShapeId(ShapeId);
    TImgShape* S = Index >= 0 ? RowShape(FDT->GetItem(Index)) : nullptr;
    return S && S->Selected();
}

void TImageDraw::MovePrepare()
{
    for (Integer i = 0; i < FDT->ItemCount(); ++i)
        if (TImgShape* S = RowShape(FDT->GetItem(i)); S && S->Selected()) S->PrepareMove();
}

void TImageDraw::DrawShape(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    TImgShape* S = FCurrentShape;
    if (!S) return;
    if (FShapeCreating) {
        const TShapeType Kind = FObjectType;
        // -1 is free; a ratio of 0 or below cannot size a frame.
        if (Kind == shCrop && FCropFixedRate > 0) {
            // The height in whole pixels, both ends counted.
            const Integer H = static_cast<Integer>(Round((std::abs(X2 - X1) + 1) / static_cast<Extended>(FCropFixedRate)));
            Y2 = Y2 <= Y1 ? Y1 - H + 1 : Y1 + H - 1;
        }
        TRect R;
        MakeRectFromPoints(X1, Y1, X2, Y2, R);
        S->SetSRect(R);
        // With Shift the drag keeps to its longer axis; a tie is vertical.
        const bool Horizontal = std::abs(X2 - X1) > std::abs(Y2 - Y1);
        const TPoint Free{X2, Y2};
        const TPoint End = !FPressSht ? Free : Horizontal ? TPoint{X2, Y1} : TPoint{X1, Y2};
        switch (Kind) {
        case shLine: case shArrow:
            if (auto* L = dynamic_cast<TImgLine*>(S)) {
                L->SetPoint(1, TPoint{X1, Y1});
                L->SetPoint(4, End);
            }
            break;
        case shRectangle: case shEllipse:
            if (FPressSht) {
                if (R.Right - R.Left > R.Bottom - R.Top) R.Bottom = R.Top + (R.Right - R.Left);
                else R.Right = R.Left + (R.Bottom - R.Top);
                S->SetSRect(R);
            }
            break;
        case shPolygon:
            if (auto* P = dynamic_cast<TImgPolygon*>(S)) P->SetPointMoved(End);
            break;
        case shSelection:
            if (auto* Sel = dynamic_cast<TImgSelection*>(S)) {
                const Integer Style = Sel->StyleId();
                const bool Kept = Style == 2 || (Style == 4 && !FLeftMouseDown);
                Sel->SetPointMoved(Kept ? End : Free);
                // The lasso, and the node polygon while the button is held, follow the mouse.
                if (Style == 3 || (Style == 4 && FLeftMouseDown)) Sel->AddNewPoint(X2, Y2);
            }
            break;
        case shFreeShape:
            if (auto* F = dynamic_cast<TImgFreeShape*>(S)) F->SetPointMoved(TPoint{X2, Y2});
            break;
        case shLines:
            if (auto* Lines = dynamic_cast<TImgLines*>(S)) Lines->AddNewPoint(X2, Y2);
            break;
        default: break;
        }
        S->CalcCenterPoint();
        S->CalcPoints(false);
        S->SetChanged2(true);
    } else if (S->CurrentCtrIndex() >= 0) {
        if (S->CurrentCtrIndex() == 0 && (S->ControlMode() & 1) != 0) {
            S->SetAngleByPoint(X2, Y2);
            S->SetRotated2(true);
        } else {
            S->AdjustShape(X1, Y1, X2, Y2);
            S->CalcCenterPoint();
            S->CalcPoints(false);
            S->SetChanged2(true);
        }
        S->SetAdjusting(true);
        SetChanged(true);
    }
    Draw();
    if (OnShapeModified) OnShapeModified(this);
}

void TImageDraw::MoveShape(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    TImgShape* S = FCurrentShape;
    if (!S || !S->Selected()) return;
    const TRect& Start = S->StartRect();
    if (FHorzGuidesRow->ItemCount() > 0)
        Y2 = Y1 + SnapToGuides(*FHorzGuidesRow, Start.Top, Start.Bottom, S->Height(), Y2 - Y1);
    if (FVertGuidesRow->ItemCount() > 0)
        X2 = X1 + SnapToGuides(*FVertGuidesRow, Start.Left, Start.Right, S->Width(), X2 - X1);
    S->MoveShape(X1, Y1, X2, Y2);
    // A drag step: only what changed within the view is composed again.
    DrawChanged(VisibleImageRect());
    SetChanged(true);
    if (OnShapeModified) OnShapeModified(this);
}

TCursor TImageDraw::GetShapeCursor(Integer XA, Integer YA, Integer X, Integer Y)
{
    FCanvasCtrIndex = 0;
    const bool OneSelected = ObjectSelectedCount() == 1;
    // Adding nodes to a polygon or a free shape.
    if (auto* P = dynamic_cast<TImgPolygon*>(FCurrentShape); P && OneSelected && P->PointAdding())
        return P->PtInPath(X, Y) ? crAddPointOn : crAddPointOff;
    if (auto* F = dynamic_cast<TImgFreeShape*>(FCurrentShape); F && OneSelected && F->PointAdding())
        return F->PtInPath(X, Y) ? crAddPointOn : crAddPointOff;
    if (FRulerEnabled) {
        FRulerPickMode = -1;
        const TPoint A = ImageToView(FRulerP1.X, FRulerP1.Y), B = ImageToView(FRulerP2.X, FRulerP2.Y), M{XA, YA};
        if (PointToSegmentDistance(A, B, M) < 10) {
            FRulerPickMode = GPPointDistance(A, M) < 10 ? 1 : GPPointDistance(B, M) < 10 ? 2 : 0;
            return crRulerPick;
        }
    }
    if (!FLockGuides) {
        FHorzGuidesIndex = -1;
        FVertGuidesIndex = -1;
        // A guide is picked on the very line the control layer paints it.
        for (Integer i = 0; i < FHorzGuidesRow->ItemCount(); ++i)
            if (ImageToView(0, IntOf(*FHorzGuidesRow, i)).Y == YA) {
                FHorzGuidesIndex = i;
                return crVSplit;
            }
        for (Integer i = 0; i < FVertGuidesRow->ItemCount(); ++i)
            if (ImageToView(IntOf(*FVertGuidesRow, i), 0).X == XA) {
                FVertGuidesIndex = i;
                return crHSplit;
            }
    }
    // The canvas handles as the control layer last laid them out.
    static const TCursor CanvasCursors[8] = {crSizeNWSE, crSizeNESW, crSizeNWSE, crSizeNESW,
                                             crSizeNS,   crSizeNS,   crSizeWE,   crSizeWE};
    for (Integer i = 1; i <= 8; ++i) {
        const TRect& R = CanvasCtrRect(i);
        if (XA >= R.Left && XA < R.Right && YA >= R.Top && YA < R.Bottom) {
            FCanvasCtrIndex = i;
            return CanvasCursors[i - 1];
        }
    }
    auto Topmost = [&](auto Hit) -> TImgShape* {
        for (Integer i = FDT->ItemCount() - 1; i >= 0; --i) {
            TImgShape* S = RowShape(FDT->GetItem(i));
            if (S && !S->Fixed() && Hit(S)) return S;
        }
        return nullptr;
    };
    if (OneSelected)
        if (TImgShape* S = Topmost([&](TImgShape* S) { return S->PtInControl(XA, YA); })) return S->CurrentCursor();
    if (TImgShape* S = Topmost([&](TImgShape* S) { return S->PtInShape(X, Y); })) return S->CurrentCursor();
    return NoDocumentCursor;
}

namespace {
// The named values the style panels set, with the kinds they apply to.
enum TPropertyKinds { pkAll, pkLines, pkText };
bool AppliesTo(TPropertyKinds Kinds, TImgShape& S)
{
    switch (Kinds) {
    case pkLines: return S.ShapeType() == shArrow || S.ShapeType() == shLine;
    case pkText: return dynamic_cast<TImgText*>(&S) != nullptr;  // texts and callouts
    default: return true;
    }
}
TImgText& AsText(TImgShape& S) { return static_cast<TImgText&>(S); }
struct TNamedProperty {
    const char16_t* Name;
    TPropertyKinds Kinds;
    void (*Apply)(TImgShape& S, Integer V);
};
const TNamedProperty NamedProperties[] = {
    {u"Color", pkAll, [](TImgShape& S, Integer V) { S.SetColor(V); }},
    {u"IsOutline", pkAll, [](TImgShape& S, Integer V) { S.SetIsOutline(V != 0); }},
    {u"IsFill", pkAll, [](TImgShape& S, Integer V) { S.SetIsFill(V != 0); }},
    {u"FillColor", pkAll, [](TImgShape& S, Integer V) { S.SetFillColor(V); }},
    {u"OutWidth", pkAll, [](TImgShape& S, Integer V) { S.SetOutWidth(V); }},
    {u"Opacity", pkAll, [](TImgShape& S, Integer V) { S.SetOpacity(V); }},
    {u"ShadowMode", pkAll, [](TImgShape& S, Integer V) { S.SetShadowMode(V); }},
    {u"ReflectMode", pkAll, [](TImgShape& S, Integer V) { S.SetReflectMode(V); }},
    {u"GradientMode", pkAll, [](TImgShape& S, Integer V) { S.SetGradientMode(V); }},
    {u"Angle", pkAll,
     [](TImgShape& S, Integer V) {
         S.SetAngle(static_cast<Single>(V));
         S.SetRotated2(true);
     }},
    {u"PenStyle", pkAll, [](TImgShape& S, Integer V) { S.SetPenStyle(V); }},
    {u"ArrowType", pkLines,
     [](TImgShape& S, Integer V) {
         if (auto* L = dynamic_cast<TImgLine*>(&S)) L->SetArrowType(V);
     }},
    // Texts and callouts (objects of both kinds are TImgText).
    {u"FontSize", pkText, [](TImgShape& S, Integer V) { AsText(S).SetFontSize(V); }},
    {u"FontColor", pkText, [](TImgShape& S, Integer V) { AsText(S).SetFontColor(V); }},
    {u"Alignment", pkText, [](TImgShape& S, Integer V) { AsText(S).SetAlignment(V); }},
    {u"Layout", pkText, [](TImgShape& S, Integer V) { AsText(S).SetLayout(V); }},
    {u"DirectionVertical", pkText, [](TImgShape& S, Integer V) { AsText(S).SetDirectionVertical(V != 0); }},
    // Outlined letters are filled or empty, never both.
    {u"FontStroke", pkText,
     [](TImgShape& S, Integer V) {
         AsText(S).SetFontStroke(V != 0);
         if (V != 0) AsText(S).SetFontStrokeEmpty(false);
     }},
    {u"FontStrokeEmpty", pkText,
     [](TImgShape& S, Integer V) {
         AsText(S).SetFontStrokeEmpty(V != 0);
         if (V != 0) AsText(S).SetFontStroke(false);
     }},
    {u"FontStrokeColor", pkText, [](TImgShape& S, Integer V) { AsText(S).SetFontStrokeColor(V); }},
    {u"FontStrokeWidth", pkText, [](TImgShape& S, Integer V) { AsText(S).SetFontStrokeWidth(V); }},
    {u"FontBold", pkText, [](TImgShape& S, Integer V) { AsText(S).SetFontBold(V != 0); }},
    {u"FontItalic", pkText, [](TImgShape& S, Integer V) { AsText(S).SetFontItalic(V != 0); }},
    {u"FontUnderline", pkText, [](TImgShape& S, Integer V) { AsText(S).SetFontUnderline(V != 0); }},
    {u"TextGradientMode", pkText, [](TImgShape& S, Integer V) { AsText(S).SetTextGradientMode(V); }},
};
}  // namespace

void TImageDraw::SetProperty(const String& AName, Integer V, bool IsDraw)
{
    const TNamedProperty* Named = nullptr;
    for (const TNamedProperty& P : NamedProperties)
        if (AName == P.Name) Named = &P;
    for (Integer i = 0; i < FDT->ItemCount(); ++i) {
        TImgShape* S = RowShape(FDT->GetItem(i));
        if (!S || !S->Selected()) continue;
        if (AName == u"StyleId") {
            const Integer Old = S->StyleId();
            S->SetStyleId(V);
            // A line keeps its bends while the style stays in its family of three.
            const bool KeepPoints = (FObjectType == shArrow || FObjectType == shLine) && Old / 3 == V / 3;
            if (!KeepPoints) {
                S->InitPoints(false);
                S->CalcPoints(true);
            }
            S->CalcRect();
            S->CalcCenterPoint();
        } else if (Named && AppliesTo(Named->Kinds, *S)) {
            Named->Apply(*S, V);
        }
        S->SetChanged2(true);
        SetChanged(true);
    }
    if (IsDraw) Draw();
}

void TImageDraw::SetPropertyStr(const String& AName, const String& V, bool IsDraw)
{
    // Every selected object counts as changed, whatever the name.
    for (Integer i = 0; i < FDT->ItemCount(); ++i) {
        TImgShape* S = RowShape(FDT->GetItem(i));
        if (!S || !S->Selected()) continue;
        if (auto* T = dynamic_cast<TImgText*>(S)) {
            if (AName == u"Text") T->SetText(V);
            else if (AName == u"FontName") T->SetFontName(V);
        }
        S->SetChanged2(true);
        SetChanged(true);
    }
    if (IsDraw) Draw();
}

void TImageDraw::SetCropRateIndex(Integer Value)
{
    if (Value == FCropRateIndex) return;
    FCropRateIndex = Value;
    static const Single Rates[] = {1.0f, 2.0f / 3, 3.0f / 4, 4.0f / 5, 5.0f / 7, 3.0f / 2, 4.0f / 3, 16.0f / 9, 16.0f / 10};
    if (Value == -1) FCropFixedRate = -1;
    // A view bitmap without height has no ratio: the frame stays free.
    else if (Value == 0) FCropFixedRate = Height() > 0 ? static_cast<Single>(Width()) / Height() : -1;
    else if (Value >= 1 && Value <= 9) FCropFixedRate = Rates[Value - 1];
}
