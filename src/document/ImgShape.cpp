#include "document/ImgShape.h"

#include <cmath>

#include "framework/runtime/SysUtils.h"

String FloatToCellText(Extended Value, Integer Decimals)
{
    // The runtime's float text is "."-separated whatever the locale.
    Extended Scale = std::pow(static_cast<Extended>(10), Decimals);
    return FloatToStr(Round(Value * Scale) / Scale);
}

Single CellTextToFloat(const String& Text, Single Default)
{
    Single Value;
    return TryStrToFloat(Text, Value) ? Value : Default;
}

// ---------------------------------------------------------------------------
// TImgShape

TImgShape::TImgShape(TShapeOwner* AOwner, Integer ShapeId, TCustomBitmap32* ABitmap)
    : FPointsA(9), FCtrPoints(9), FCtrRect(9), FParent(AOwner), FId(ShapeId),
      FBitmap(AOwner ? AOwner->Bitmap() : ABitmap)
{
}

TImgShape::~TImgShape() = default;

void TImgShape::Draw(TCustomBitmap32*) {}

Single TImgShape::ViewScale() const { return FParent ? FParent->Scale() : 1.0f; }
Integer TImgShape::ViewOffsetHorz() const { return FParent ? FParent->OffsetHorz() : 0; }
Integer TImgShape::ViewOffsetVert() const { return FParent ? FParent->OffsetVert() : 0; }
bool TImgShape::ShiftHeld() const { return FParent && FParent->PressSht(); }

TFloatPoint TImgShape::RectCenter() const
{
    return TFloatPoint{static_cast<Single>(FRect.Left + (FRect.Right - FRect.Left) / 2.0),
                       static_cast<Single>(FRect.Top + (FRect.Bottom - FRect.Top) / 2.0)};
}

void TImgShape::CalcControlPoints()
{
    if (!FSelected) return;
    Single W2 = (FRect.Right - FRect.Left) / 2.0f, H2 = (FRect.Bottom - FRect.Top) / 2.0f;
    Integer w = static_cast<Integer>(Round(W2)), h = static_cast<Integer>(Round(H2));
    const TRect& R = FRect;
    FPointsA = {{R.Left + w, R.Top - 30}, {R.Left, R.Top},      {R.Right, R.Top},
                {R.Right, R.Bottom},      {R.Left, R.Bottom},   {R.Left + w, R.Top},
                {R.Left + w, R.Bottom},   {R.Left, R.Top + h},  {R.Right, R.Top + h}};
    if (FAngle != 0) {
        TFloatPoint C{R.Left + W2, R.Top + H2};
        for (TPoint& P : FPointsA) RotatePoint(C, P, P, FAngle);
    }
    for (size_t i = 0; i < 9; ++i) {
        FCtrPoints[i] = FPointsA[i];
        PointToView(FCtrPoints[i]);
    }
}

void TImgShape::DrawControlPoint(TCustomBitmap32* ToBitmap)
{
    if (!FSelected || !FParent) return;
    TCustomBitmap32* Dst = ToBitmap ? ToBitmap : FBitmap;
    const TArrayOfPoint& P = FCtrPoints;
    auto DashedFrame = [&] {
        Dst->SetStipple({0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0, 0, 0, 0});
        Dst->SetStippleStep(1);
        Dst->MoveToF(static_cast<Single>(P[1].X), static_cast<Single>(P[1].Y));
        for (Integer i : {2, 3, 4, 1}) Dst->LineToFSP(static_cast<Single>(P[i].X), static_cast<Single>(P[i].Y));
    };
    auto Place = [&](Integer i, const TRect& R, TCustomBitmap32* Picture) {
        FCtrRect[i] = R;
        Dst->Draw(R.Left, R.Top, Picture);
    };
    if (FShapeType == shFreeShape && FControlMode == 4) {
        // Skewing has handles 5 to 8 only: those of another layout drawn
        // before must not stay hot.
        for (Integer i = 0; i <= 4; ++i) FCtrRect[i] = TRect{};
        DashedFrame();
        Place(5, {P[5].X - 7, P[5].Y - 13, P[5].X + 8, P[5].Y - 6}, FParent->CtrBmpAH());
        Place(6, {P[6].X - 7, P[6].Y + 7, P[6].X + 8, P[6].Y + 14}, FParent->CtrBmpAH());
        Place(7, {P[7].X - 13, P[7].Y - 7, P[7].X - 6, P[7].Y + 8}, FParent->CtrBmpAV());
        Place(8, {P[8].X + 7, P[8].Y - 7, P[8].X + 14, P[8].Y + 8}, FParent->CtrBmpAV());
        return;
    }
    switch (FShapeType) {
    case shRectangle: case shSmall: case shText: case shCallout: case shEllipse: case shFreeShape: {
        if (FShapeType == shText || FShapeType == shCallout) {
            Dst->LineAS(P[0].X, P[0].Y, P[5].X, P[5].Y, 0xFF000000);
            DashedFrame();
        }
        auto Square = [&](Integer i) { return TRect{P[i].X - 3, P[i].Y - 3, P[i].X + 3, P[i].Y + 3}; };
        Place(0, Square(0), FParent->CtrBmpG2());
        for (Integer i = 1; i <= 8; ++i) {
            if (FShapeType == shSmall && i >= 5)
                FCtrRect[i] = TRect{};  // a picture has corner handles only
            else
                Place(i, Square(i), FShapeType == shSmall ? FParent->CtrBmpY2() : FParent->CtrBmpW2());
        }
        return;
    }
    default: break;
    }
    // Polyline, highlighter and the rest: square handles outside the corners,
    // the middle ones only where the object is over 20 view pixels long.
    for (Integer i = 1; i <= 8; ++i) FCtrRect[i] = TRect{};
    TCustomBitmap32* Pic = FParent->CtrBmpY();
    Integer s = Pic->Width();
    auto Put = [&](Integer i, Integer X, Integer Y) {
        FCtrRect[i] = TRect{X, Y, X + s, Y + s};
        // Blended twice: the half-transparent rim of the picture comes out stronger.
        Dst->Draw(X, Y, Pic);
        Dst->Draw(X, Y, Pic);
    };
    Put(1, P[1].X - s, P[1].Y - s);
    Put(2, P[2].X, P[2].Y - s);
    Put(3, P[3].X, P[3].Y);
    Put(4, P[4].X - s, P[4].Y);
    if (P[8].X - P[7].X > 20) {
        Put(5, P[5].X - s / 2, P[5].Y - s);
        Put(6, P[5].X - s / 2, P[6].Y);
    }
    if (P[6].Y - P[5].Y > 20) {
        Put(7, P[7].X - s, P[7].Y - s / 2);
        Put(8, P[8].X, P[7].Y - s / 2);
    }
}

bool TImgShape::PtInControl(Integer X, Integer Y)
{
    FCurrentCtrIndex = -1;
    if (!FSelected) return false;
    static const TCursor Base[9] = {crRotate, crSizeNWSE, crSizeNESW, crSizeNWSE, crSizeNESW,
                                    crSizeNS, crSizeNS,   crSizeWE,   crSizeWE};
    for (Integer i = 0; i <= 8; ++i) {
        const TRect& R = FCtrRect[i];
        if (!(X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom)) continue;
        if (i == 0) {
            FCurrentCursor = crRotate;
        } else if (FAngle != 0) {
            // The cursor follows the turned edge in 22.5-degree sectors.
            Integer c = (i <= 4) ? ((i == 1 || i == 3) ? 135 : 225) : (i <= 6 ? 180 : 90);
            Int64 a = Round(static_cast<Extended>(270) - FAngle + c) % 180;  // sign of the dividend
            Integer k = static_cast<Integer>(Trunc(a / 22.5));
            FCurrentCursor = (k == 1 || k == 2)   ? crSizeNWSE
                             : (k == 3 || k == 4) ? crSizeNS
                             : (k == 5 || k == 6) ? crSizeNESW
                                                  : crSizeWE;
        } else if (FControlMode == 4) {
            if (i == 5 || i == 6) FCurrentCursor = crSizeWE;
            else if (i == 7 || i == 8) FCurrentCursor = crSizeNS;
        } else {
            FCurrentCursor = Base[i];
        }
        FCurrentCtrIndex = i;
        return true;
    }
    return false;
}

bool TImgShape::PtInShape(Integer X, Integer Y)
{
    if (X >= FRect.Left && X < FRect.Right && Y >= FRect.Top && Y < FRect.Bottom) {
        FCurrentCtrIndex = -1;
        FCurrentCursor = crSizeAll;
        return true;
    }
    return false;
}

void TImgShape::Click()
{
    Integer i = FCurrentCtrIndex;
    if (i == -1) PrepareMove();
    if (i >= 0 && i <= 8 && FControlMode == 4) {
        FStartX = FPointsA[i].X;
        FStartY = FPointsA[i].Y;
    }
    if ((FControlMode & 1) != 0 && i >= 1 && i <= 8) {
        FStartX = FPointsA[i].X;
        FStartY = FPointsA[i].Y;
        if (i <= 4) {
            FStartX0 = (i == 1 || i == 4) ? FRect.Left : FRect.Right;
            FStartY0 = (i == 1 || i == 2) ? FRect.Top : FRect.Bottom;
        }
        if (FShapeType == shCrop && FParent && FParent->CropFixedRate() != 0)
            FStartRate = FParent->CropFixedRate();
        else
            // A rectangle without height has no ratio to keep (0: drags stay free).
            FStartRate = Height() != 0 ? static_cast<Single>(Width()) / Height() : 0.0f;
    }
    Select();
}

void TImgShape::AdjustShape(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    Integer i = FCurrentCtrIndex;
    if ((FControlMode & 1) == 0 || i < 1 || i > 8) return;
    TPoint P{X2 - X1 + FStartX, Y2 - Y1 + FStartY};
    Single r = FStartRate;
    // The ratio rule of the corner handles; a ratio of 0 (no height when the
    // drag began) or below (-1, free) leaves the corner free.
    auto KeepRatio = [&] {
        if (i > 4 || !(r > 0)) return;
        switch (i) {
        case 1: P.Y = FRect.Bottom - static_cast<Integer>(Round((FRect.Right - P.X) / static_cast<Extended>(r))); break;
        case 2: P.Y = FRect.Bottom - static_cast<Integer>(Round((P.X - FRect.Left) / static_cast<Extended>(r))); break;
        case 3: P.Y = FRect.Top + static_cast<Integer>(Round((P.X - FRect.Left) / static_cast<Extended>(r))); break;
        case 4: P.Y = FRect.Top + static_cast<Integer>(Round((FRect.Right - P.X) / static_cast<Extended>(r))); break;
        default: break;
        }
    };
    if (FAngle != 0) {
        RotatePoint(RectCenter(), P, P, -FAngle);
        if (FShapeType == shSmall && ShiftHeld()) KeepRatio();
    } else if (FShapeType == shCrop || (FShapeType == shSmall && ShiftHeld())) {
        KeepRatio();
    }
    switch (i) {
    case 1: FRect.Left = P.X; FRect.Top = P.Y; break;
    case 2: FRect.Right = P.X; FRect.Top = P.Y; break;
    case 3: FRect.Right = P.X; FRect.Bottom = P.Y; break;
    case 4: FRect.Left = P.X; FRect.Bottom = P.Y; break;
    case 5: FRect.Top = P.Y; break;
    case 6: FRect.Bottom = P.Y; break;
    case 7: FRect.Left = P.X; break;
    case 8: FRect.Right = P.X; break;
    default: break;
    }
    EnforceMinSize(FRect, i, FMinSize);
}

void TImgShape::MoveShape(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    if (FStartX == NoStartPoint) FStartX = X1;
    if (FStartY == NoStartPoint) FStartY = Y1;
    TImgShape::OffsetShape(X2 - FStartX, Y2 - FStartY);
}

void TImgShape::MoveShapeAndPoints(TArrayOfPoint& Points, Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    TImgShape::MoveShape(X1, Y1, X2, Y2);
    const Integer DX = X2 - FStartX, DY = Y2 - FStartY;
    for (TPoint& P : Points) IncPoint(P, DX, DY);
    FStartX = X2;
    FStartY = Y2;
}

void TImgShape::OffsetShapeAndPoints(TArrayOfPoint& Points, Integer DX, Integer DY)
{
    TImgShape::OffsetShape(DX, DY);
    for (TPoint& P : Points) IncPoint(P, DX, DY);
}

void TImgShape::MoveShapeOver(Integer, Integer) {}

void TImgShape::OffsetShape(Integer DX, Integer DY)
{
    FRect.Left += DX;
    FRect.Right += DX;
    FRect.Top += DY;
    FRect.Bottom += DY;
    IncFloatPoint(FCenterPoint, DX, DY);
    for (TPoint& P : FPointsA) IncPoint(P, DX, DY);
}

void TImgShape::InitPoints(bool) {}
void TImgShape::CalcPoints(bool) {}
void TImgShape::CalcRect() {}
void TImgShape::CalcPointsRatio() {}

void TImgShape::CalcCenterPoint() { FCenterPoint = RectCenter(); }

void TImgShape::Select()
{
    if (FSelected) return;
    FSelected = true;
    if (FParent) FParent->SelectedIds()->AddItem(FId);
}

void TImgShape::UnSelect()
{
    if (!FSelected) return;
    FSelected = false;
    if (FParent) FParent->SelectedIds()->RemoveItemByValue(FId);
}

void TImgShape::StartDraw(TColor BGColor)
{
    FBitmap->Clear(ColorToColor32(BGColor));
    // The hover frame wins over the current-style frame.
    if ((FSelectMode & 1) != 0)
        FBitmap->FrameRectS(0, 0, FBitmap->Width(), FBitmap->Height(), ColorToColor32(0x0000FF));
    else if ((FSelectMode & 2) != 0)
        FBitmap->FrameRectS(0, 0, FBitmap->Width(), FBitmap->Height(), ColorToColor32(0x800000));
    Draw(nullptr);
}

void TImgShape::SetControlMode(Integer Value)
{
    if (FControlMode == Value) return;
    FControlMode = Value;
    if (!FCreating && !FLoading && FParent) FParent->ShapeStateChanged();
}

void TImgShape::SetSRect(const TRect& Value) { FRect = Value; }

void TImgShape::PrepareMove()
{
    FStartX = FStartY = NoStartPoint;
    FStartRect = FRect;
}

void TImgShape::SetAngleByPoint(Integer X, Integer Y)
{
    TFloatPoint C = RectCenter();
    FAngle = 270 - CalcAngle(X, Y, C.X, C.Y);
}

TRect TImgShape::GetRotateRect() const
{
    if (FAngle == 0) return FRect;
    TArrayOfPoint Corners{{FRect.Left, FRect.Top}, {FRect.Right, FRect.Top},
                          {FRect.Right, FRect.Bottom}, {FRect.Left, FRect.Bottom}};
    for (TPoint& P : Corners) RotatePoint(FCenterPoint, P, P, FAngle);
    TRect R;
    GetPointsRect(Corners, R);
    return R;
}

void TImgShape::ClipRectToBitmap(TRect& R)
{
    R.Left = Max(R.Left, 0);
    R.Top = Max(R.Top, 0);
    R.Right = Min(R.Right, FBitmap->Width());
    R.Bottom = Min(R.Bottom, FBitmap->Height());
}

void TImgShape::PointToView(TPoint& P)
{
    Single S = ViewScale();
    P.X = static_cast<Integer>(Round(static_cast<Extended>(P.X) * S)) + ViewOffsetHorz();
    P.Y = static_cast<Integer>(Round(static_cast<Extended>(P.Y) * S)) + ViewOffsetVert();
}

void TImgShape::PointsToView(TPoint* Points, Integer Count)
{
    for (Integer i = 0; i < Count; ++i) PointToView(Points[i]);
}

void TImgShape::GetViewRect(bool Clip, TRect& R)
{
    R = FRect;
    if (Clip) ClipRectToBitmap(R);
    TPoint A{R.Left, R.Top}, B{R.Right, R.Bottom};
    PointToView(A);
    PointToView(B);
    R = TRect{A.X, A.Y, B.X, B.Y};
}

void TImgShape::ClampSingle(Single& Value, Single AMin, Single AMax)
{
    if (!(Value >= AMin)) Value = AMin;
    if (Value > AMax) Value = AMax;
}
