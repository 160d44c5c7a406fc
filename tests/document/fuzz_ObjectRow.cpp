// Fuzz target of what an object row of a document gives a rectangle: the
// input is the row's text (cells separated by ","). The fill, shadow and
// reflection settings are read from it, the style points from cell 41, the
// style from cell 24; the rectangle itself from cells 5 to 8 and the angle
// from cell 25 (bounded, so that the effect bitmaps stay small). Then the
// gradient blend, the outline, hit tests, a handle drag and the effect
// routines run on it with a drawing that fills the outline's bounds.
// Then a document rebuilds the row as an object of the kind in cell 1 and
// writes it back twice: the second writing must change nothing.
#include <algorithm>

#include "Component/Raster32/Ras32_Startup.h"
#include "DocumentTestView.h"
#include "FuzzSupport.h"
#include "document/ImageEffects.h"
#include "document/ImageRectangle.h"
#include "filters/FiltersStartup.h"
#include "framework/runtime/SysUtils.h"

namespace {
Integer CellInt(const TRow& Row, Integer Index, Integer Lo, Integer Hi)
{
    if (Index >= Row.ItemCount()) return Lo;
    return std::clamp(StrToIntDef(Trim(Row.GetItem(Index)->Text()), 0), Lo, Hi);
}

void FillBounds(TImgShape& Shape, TCustomBitmap32& Target, const TClosedShapeDraw& Args)
{
    FuzzCheck(!Args.Path.Empty(), "a rectangle without an outline");
    const TShapeBounds& B = Args.Bounds;
    Target.FillRectS(TRect{B.X, B.Y, B.X + B.Width, B.Y + B.Height},
                     ColorToColor32(Shape.DrawMode2() ? Shape.Color() : Shape.FillColor()));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size > 8192) return 0;
    // The program's start-up of what the effects use (the shadow's resampler).
    static const bool Started = (InstallRasterEngine(), InstallFilters(), true);
    (void)Started;
    const String Text = UTF8ToString(UTF8String(reinterpret_cast<const char*>(Data), Size));
    TRow Row;
    Row.Init(Text, u',');
    ImageEffectsHooks.DrawClosedShape = &FillBounds;

    TCustomBitmap32 Target;
    Target.SetSize(64, 64);
    TImgRectangle S(nullptr, 1, &Target);
    S.ReadEffectColumns(Row);
    S.SetStyleId(CellInt(Row, 24, -5, 20));
    const Integer L = CellInt(Row, 5, -100, 100), T = CellInt(Row, 6, -100, 100);
    S.SetSRect({L, T, L + CellInt(Row, 7, -20, 80), T + CellInt(Row, 8, -20, 80)});
    // The bounds on blur and glow are tested on their own; here they only
    // slow the run down.
    S.SetShadowBlurSize(std::min(S.ShadowBlurSize(), 3));
    S.SetReflectBlurSize(std::min(S.ReflectBlurSize(), 3));
    S.SetGradientEdgingWidth(std::min(S.GradientEdgingWidth(), 8));
    S.SetAngle(static_cast<Single>(CellInt(Row, 25, -720, 720)));
    S.CalcCenterPoint();
    S.SetCreating(false);
    S.SetPoints(Row.ItemCount() > 41 ? Row.GetItem(41)->Text() : String());
    FuzzCheck(S.PointsCount() >= TImgRectangle::StylePointCount(S.StyleId()), "too few style points kept");

    // The points text reads back as it was written.
    const String Points = S.GetPoints();
    TImgRectangle Again(nullptr, 2, &Target);
    Again.SetStyleId(S.StyleId());
    Again.SetSRect(S.SRect());
    Again.SetPoints(Points);
    FuzzCheck(Again.GetPoints() == Points, "the points text does not read back");

    TRow C, O, P;
    SplitGradientList(S.GradientColor(), C);
    SplitGradientList(S.GradientOpacity(), O);
    SplitGradientList(S.GradientPosition(), P);
    BuildGradientBlend(C, O, P, S.Opacity(), S.GradientColors(), S.GradientPositions(), 0, 0);
    FuzzCheck(S.GradientColors().size() == S.GradientPositions().size(), "blend lists differ");
    FuzzCheck(S.GradientColors().size() <= static_cast<size_t>(std::min({C.ItemCount(), O.ItemCount(), P.ItemCount()})) + 2,
              "more stops than entries");

    for (const TPoint& Q : {TPoint{L, T}, TPoint{L + 5, T + 5}, TPoint{32, 32}}) S.PtInShape(Q.X, Q.Y);
    S.Select();
    S.CalcControlPoints();
    for (Integer Handle : {3, 9, 10}) {
        S.SetCurrentCtrIndex(Handle);
        S.Click();
        S.SetCurrentCtrIndex(Handle);
        S.AdjustShape(S.StartX(), S.StartY(), S.StartX() + 7, S.StartY() - 3);
    }

    S.PrepareGradientEdging();
    S.PrepareShadow();
    S.DrawShadowReflection(nullptr);
    S.DrawReflection(nullptr);
    S.DrawShadow(nullptr);
    S.Draw(nullptr);
    FuzzCheck(S.DrawMode2() == 0, "the draw mode was left changed");
    ImageEffectsHooks.DrawClosedShape = nullptr;

    TTestView View;
    auto Doc = NewBlankDocument(View, 16, 16, false);
    Doc->DT()->AddItem(Text);
    Doc->CreateShapeObjects(-1);
    Doc->StoreShapeGeometry();
    const String Once = Doc->DT()->GetItem(0)->ToString(true);
    Doc->CreateShapeObjects(0);
    Doc->StoreShapeGeometry();
    FuzzCheck(Doc->DT()->GetItem(0)->ToString(true) == Once, "a row written back again differs");
    return 0;
}
