// TImageDraw: the control layer, painted in view pixels over the composed
// picture (the members are declared in ImageDraw.h).
#include "document/ImageControlLayer.h"
#include "document/ImageDraw.h"

#include "Component/Raster32/Ras32_Types.h"
#include "framework/runtime/SysUtils.h"

namespace {
// The light yellow box under the canvas size label, and its height.
constexpr TColor CanvasSizeLabelColor = 0x80FFFF;
constexpr Integer CanvasSizeLabelHeight = 15;
constexpr Integer CanvasSizeLabelFontSize = 9;
// Guides are written straight into the buffer in this value (a mid blue).
constexpr TColor32 GuideColor = 0x004A84FF;

Integer RoundToInt(double Value) { return static_cast<Integer>(Round(Value)); }

// The sides of the canvas a handle drags (1 moves, 0 stays): 1 to 4 the
// corners from the top-left clockwise, 5 top, 6 bottom, 7 left, 8 right.
struct TMovedSides {
    Integer Left = 0, Top = 0, Right = 0, Bottom = 0;
};
TMovedSides CanvasHandleSides(Integer Handle)
{
    static const TMovedSides Sides[9] = {{},           {1, 1, 0, 0}, {0, 1, 1, 0}, {0, 0, 1, 1}, {1, 0, 0, 1},
                                         {0, 1, 0, 0}, {0, 0, 0, 1}, {1, 0, 0, 0}, {0, 0, 1, 0}};
    return Handle >= 1 && Handle <= 8 ? Sides[Handle] : TMovedSides{};
}

// The view bitmap as the view shows it, in view pixels.
TRect ShownBitmapRect(const TImageDraw& D)
{
    return TRect{D.OffsetHorz(), D.OffsetVert(), D.ScaleWidth() + D.OffsetHorz(), D.ScaleHeight() + D.OffsetVert()};
}
}  // namespace

TPoint TImageDraw::ImageToView(Integer X, Integer Y) const
{
    return TPoint{RoundToInt(static_cast<double>(FOwner->OffsetHorz()) + X * static_cast<double>(FScale)),
                  RoundToInt(static_cast<double>(FOwner->OffsetVert()) + Y * static_cast<double>(FScale))};
}

void TImageDraw::CalcCanvasCtrRects()
{
    const TRect R = ShownBitmapRect(*this);
    const Integer w = FCtrBmpW->Width();
    auto Square = [w](Integer X, Integer Y) { return TRect{X, Y, X + w, Y + w}; };
    FCanvasCtrRect.fill(TRect{});
    FCanvasCtrRect[0] = Square(R.Left - w, R.Top - w);
    FCanvasCtrRect[1] = Square(R.Right, R.Top - w);
    FCanvasCtrRect[2] = Square(R.Right, R.Bottom);
    FCanvasCtrRect[3] = Square(R.Left - w, R.Bottom);
    // The middle handles only where the side is long enough to tell them
    // from the corners.
    if (R.Right - R.Left > 20) {
        const Integer x = R.Left + (R.Right - R.Left - w) / 2;
        FCanvasCtrRect[4] = Square(x, R.Top - w);
        FCanvasCtrRect[5] = Square(x, R.Bottom);
    }
    if (R.Bottom - R.Top > 20) {
        const Integer y = R.Top + (R.Bottom - R.Top - w) / 2;
        FCanvasCtrRect[6] = Square(R.Left - w, y);
        FCanvasCtrRect[7] = Square(R.Right, y);
    }
}

TSize TImageDraw::CanvasDragSize() const
{
    const TMovedSides M = CanvasHandleSides(FCanvasCtrIndex);
    const Integer W = FBitmap->Width() + (M.Right - M.Left) * FCanvasDx;
    const Integer H = FBitmap->Height() + (M.Bottom - M.Top) * FCanvasDy;
    return TSize{Max(W, 1), Max(H, 1)};
}

void TImageDraw::PaintControlLayer(TObject*, TCustomBitmap32* Buffer)
{
    if (!Buffer || Buffer->Empty()) return;
    switch (FControlMode) {
    case cmObject: PaintObjectHandles(*Buffer); break;
    case cmProcess: PaintProcessOutline(*Buffer); break;
    case cmEffectDraw: PaintEffectDrawOutline(*Buffer); break;
    }
    PaintCanvasHandles(*Buffer);
    PaintCanvasDrag(*Buffer);
    PaintGuides(*Buffer);
    PaintGradientDrag(*Buffer);
    PaintRuler(*Buffer);
    Buffer->Changed();
}

void TImageDraw::PaintObjectHandles(TCustomBitmap32& Buffer)
{
    // While an object is drawn its handles would only flicker; the frames
    // that are drawn to pick something (crop, selection, free shape) keep
    // the others' handles in sight.
    if (FShapeCreating && FObjectType != shCrop && FObjectType != shSelection && FObjectType != shFreeShape) return;
    for (Integer i = 0; i < FDT->ItemCount(); ++i) {
        TImgShape* S = RowShape(FDT->GetItem(i));
        if (!S || S->Hided()) continue;
        S->CalcControlPoints();
        S->DrawControlPoint(&Buffer);
    }
}

void TImageDraw::PaintProcessOutline(TCustomBitmap32& Buffer)
{
    TInvertPen Pen(Buffer);
    const TPoint M = ImageToView(FMovedX, FMovedY);
    const Integer w = Max(RoundToInt(FPaintTools->ProcessWidth() * static_cast<double>(FScale)), 1);
    const bool Centred = FPaintTools->ProcessMode() == pbmBrush || FPaintTools->ProcessMode() == pbmStamp;
    if (FPaintTools->ProcessMode() == pbmStamp && FPressAlt) {
        // Picking the clone source: a sight of 19 x 19 on the mouse point.
        const Integer L = M.X - 9, T = M.Y - 9;
        Pen.Ellipse(L, T, L + 19, T + 19);
        Pen.Line(L + 2, M.Y, L + 17, M.Y);
        Pen.Line(M.X, T + 2, M.X, T + 17);
        return;
    }
    // A 1-pixel tool is marked by a pixel at any zoom (its square would
    // hide the pixel it paints).
    if (w == 1 || FPaintTools->ProcessWidth() <= 1) {
        Pen.Pixel(M.X, M.Y);
        // Zoomed out, a lone pixel is lost on the picture: four marks 6
        // pixels away point at it.
        if (FScale < 3) {
            Pen.Pixel(M.X - 6, M.Y);
            Pen.Pixel(M.X + 6, M.Y);
            Pen.Pixel(M.X, M.Y - 6);
            Pen.Pixel(M.X, M.Y + 6);
        }
    } else if (Centred) {
        const Integer x = M.X - w / 2, y = M.Y - w / 2;
        Pen.Ellipse(x, y, x + w, y + w);
    } else {
        // The pencil's and the eraser's square hangs right and down from the mouse.
        Pen.Rectangle(M.X, M.Y, M.X + w, M.Y + w);
    }
    if (FPaintTools->ProcessMode() == pbmStamp && FPaintTools->ProcessStampStartX() != NoStartPoint) {
        // Where the stamp samples from: the dab whose top-left corner is the
        // mouse point less half the width copies, at its centre, the source
        // point moved as far as that corner is from the series' first dab.
        const Integer Half = FPaintTools->ProcessWidth() / 2;
        const TPoint Source = ImageToView(StampSourcePoint.X + (FMovedX - Half - FPaintTools->ProcessStampStartX()),
                                          StampSourcePoint.Y + (FMovedY - Half - FPaintTools->ProcessStampStartY()));
        Pen.Cross(Source.X, Source.Y, 15);
    }
}

void TImageDraw::PaintEffectDrawOutline(TCustomBitmap32& Buffer)
{
    const double S = FScale;
    const TRect& E = FEffectBrush->EffectDrawRect();
    const TRect R{RoundToInt(E.Left * S) + OffsetHorz(), RoundToInt(E.Top * S) + OffsetVert(),
                  RoundToInt(E.Right * S) + OffsetHorz(), RoundToInt(E.Bottom * S) + OffsetVert()};
    switch (FEffectMode) {
    case emBokeh: FrameRectAntialiased(Buffer, R, 0xFFFFFFFF, 2); break;
    case emHighlighter: FrameRectAntialiased(Buffer, R, ColorToColor32(FEffectBrush->EffectDrawColor()), 2); break;
    default: FrameRectAntialiased(Buffer, R, 0xFFFF0000, 1); break;
    }
}

void TImageDraw::PaintCanvasHandles(TCustomBitmap32& Buffer)
{
    CalcCanvasCtrRects();
    for (const TRect& R : FCanvasCtrRect)
        if (R.Right > R.Left && R.Bottom > R.Top) Buffer.Draw(R.Left, R.Top, FCtrBmpW.get());
}

void TImageDraw::PaintCanvasDrag(TCustomBitmap32& Buffer)
{
    if (FCanvasCtrIndex <= 0 || FCanvasCtrIndex > 8 || !FLeftMouseDown) return;
    TRect R = ShownBitmapRect(*this);
    const TMovedSides M = CanvasHandleSides(FCanvasCtrIndex);
    R.Left += M.Left * FCanvasCtrDx;
    R.Top += M.Top * FCanvasCtrDy;
    R.Right += M.Right * FCanvasCtrDx;
    R.Bottom += M.Bottom * FCanvasCtrDy;
    EnforceMinSize(R, FCanvasCtrIndex, 1);
    if (ControlLayerHooks.FocusRect) ControlLayerHooks.FocusRect(Buffer, R);
    const TSize Size = CanvasDragSize();
    const String Text = IntToStr(Size.cx) + u" \u00D7 " + IntToStr(Size.cy);
    const Integer TextW = ControlLayerHooks.MeasureText
                              ? ControlLayerHooks.MeasureText(Buffer, Text, CanvasSizeLabelFontSize)
                              : 0;
    const TSize Control = FOwner->ControlSize();
    const Integer x = (Control.cx - TextW) / 2, y = (Control.cy - CanvasSizeLabelHeight) / 2;
    Buffer.FillRectS(x - 3, y, x + TextW + 3, y + CanvasSizeLabelHeight, ColorToColor32(CanvasSizeLabelColor));
    if (ControlLayerHooks.WriteText) ControlLayerHooks.WriteText(Buffer, x, y, Text, CanvasSizeLabelFontSize);
}

void TImageDraw::PaintGuides(TCustomBitmap32& Buffer)
{
    const double S = FScale;
    for (Integer i = 0; i < FHorzGuidesRow->ItemCount(); ++i) {
        const Integer y = RoundToInt(FHorzGuidesRow->GetItem(i)->Value() * S + FOwner->OffsetVert());
        if (y >= 0 && y < Buffer.Height()) Buffer.HorzLineS(0, y, Buffer.Width() - 1, GuideColor);
    }
    for (Integer i = 0; i < FVertGuidesRow->ItemCount(); ++i) {
        const Integer x = RoundToInt(FVertGuidesRow->GetItem(i)->Value() * S + FOwner->OffsetHorz());
        if (x >= 0 && x < Buffer.Width()) Buffer.VertLineS(x, 0, Buffer.Height() - 1, GuideColor);
    }
}

void TImageDraw::PaintGradientDrag(TCustomBitmap32& Buffer)
{
    if (FGradientStartX == NoStartPoint) return;
    TInvertPen Pen(Buffer);
    const TPoint Start = ImageToView(FGradientStartX, FGradientStartY), End = ImageToView(FMovedX, FMovedY);
    Pen.Cross(Start.X, Start.Y, 13);
    Pen.Line(Start.X, Start.Y, End.X, End.Y);
}

void TImageDraw::PaintRuler(TCustomBitmap32& Buffer)
{
    if (!FRulerEnabled) return;
    TInvertPen Pen(Buffer);
    TPoint P1 = ImageToView(FRulerP1.X, FRulerP1.Y), P2 = ImageToView(FRulerP2.X, FRulerP2.Y);
    if (FScale > 1) {
        // Zoomed in, the ends sit in the middle of their image pixels.
        const Integer Half = RoundToInt(FScale / 2.0);
        P1 = TPoint{P1.X + Half, P1.Y + Half};
        P2 = TPoint{P2.X + Half, P2.Y + Half};
    }
    Pen.Cross(P1.X, P1.Y, 11);
    if (P2 == P1) return;
    Pen.Cross(P2.X, P2.Y, 7);
    Pen.Line(P1.X, P1.Y, P2.X, P2.Y);
}
