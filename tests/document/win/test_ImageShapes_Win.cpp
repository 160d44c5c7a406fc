// The ellipse, polygon, line and highlighter objects painted through GDI+
// under Wine: pixels read back from the bitmaps they draw on, and from a real
// image view's window painting of a composed document. Wine's GDI+ draws
// without anti-aliasing, so edges are hard and the samples keep clear of them.
#include "DocumentOnView.h"
#include "../GoldenPicture.h"
#include "document/ImageEllipse.h"
#include "document/ImageHLRect.h"
#include "document/ImageLine.h"
#include "document/ImagePolygon.h"
#include "document/win/ImageDraw_Win.h"

namespace {
constexpr TColor32 White = 0xFFFFFFFF;
constexpr TColor Red = 0x0000FF, Blue = 0xFF0000;  // 0xBBGGRR
constexpr TColor32 Red32 = 0xFFFF0000, Blue32 = 0xFF0000FF;

class ShapesWin : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallImageDrawHooks();
        Bitmap.SetSize(240, 160);
        Bitmap.Clear(White);
    }
    // Style settings every case starts from: opaque, no gradient, no effects.
    void Style(TImgShape& S, bool Fill, bool Outline, Integer Width)
    {
        SetPlainStyle(S, Blue, Red, Fill, Outline, Width, true);
    }
    void Expect(std::initializer_list<TPixelSample> Samples, const char* What) { ExpectSamples(Bitmap, Samples, What); }

    TCustomBitmap32 Bitmap;
};
}  // namespace

TEST_F(ShapesWin, EllipseStyles)
{
    TImgEllipse E(nullptr, 1, &Bitmap);
    E.SetSRect({20, 20, 220, 140});  // centre (120, 80)
    E.CalcCenterPoint();
    Style(E, true, true, 4);
    E.Draw(nullptr);
    Expect({{{120, 80}, Red32}, {{120, 21}, Blue32}, {{25, 25}, White}, {{219, 80}, Blue32}}, "filled ellipse");

    // Unfilled: the ring only.
    Bitmap.Clear(White);
    Style(E, false, true, 4);
    E.Draw(nullptr);
    Expect({{{120, 80}, White}, {{120, 139}, Blue32}, {{21, 80}, Blue32}}, "ring");

    // A pie from the default points: the slice through the bottom and the
    // left is filled, the upper right quarter is not.
    Bitmap.Clear(White);
    E.SetStyleId(3);
    E.InitPoints(false);
    E.CalcPoints(true);
    Style(E, true, false, 1);
    E.Draw(nullptr);
    Expect({{{120, 120}, Red32}, {{60, 80}, Red32}, {{170, 50}, White}}, "pie");

    // The open arc: the bottom of the ellipse, not its right end.
    Bitmap.Clear(White);
    E.SetStyleId(1);
    E.InitPoints(false);
    E.CalcPoints(true);
    Style(E, false, true, 3);
    E.Draw(nullptr);
    Expect({{{120, 139}, Blue32}, {{20, 80}, Blue32}, {{219, 80}, White}, {{120, 80}, White}}, "arc");
}

TEST_F(ShapesWin, TurnedEllipse)
{
    TImgEllipse E(nullptr, 1, &Bitmap);
    E.SetSRect({40, 70, 200, 90});  // a flat ellipse round (120, 80)
    E.CalcCenterPoint();
    E.SetAngle(90);
    Style(E, true, false, 1);
    E.Draw(nullptr);
    // Upright now: above and below the centre, not to its sides.
    Expect({{{120, 10}, Red32}, {{120, 150}, Red32}, {{60, 80}, White}}, "turned");
}

TEST_F(ShapesWin, PolygonFillRubberBandAndEllipticGradient)
{
    TImgPolygon P(nullptr, 1, &Bitmap);
    P.SetStyleId(2);  // pentagon
    P.SetSRect({20, 20, 140, 140});
    P.CalcCenterPoint();
    P.CalcPoints(true);
    P.CalcRect();
    P.SetCreating(false);
    Style(P, true, false, 1);
    P.Draw(nullptr);
    Expect({{{80, 80}, Red32}, {{22, 22}, White}, {{80, 22}, Red32}}, "pentagon");

    // While a free polygon is placed: only the line to the pointer.
    Bitmap.Clear(White);
    TImgPolygon F(nullptr, 2, &Bitmap);
    F.SetStyleId(0);
    Style(F, true, true, 3);
    F.AddNewPoint(20, 20);
    F.AddNewPoint(200, 20);
    F.SetPointMoved({200, 140});
    F.Draw(nullptr);
    Expect({{{100, 20}, Blue32}, {{200, 80}, Blue32}, {{150, 40}, White}}, "rubber band");

    // The elliptic gradient on the ellipse round the nodes: blue at the
    // centre shading to red outward, the polygon filled and only it.
    const TColor32 Grey = 0xFF808080;
    Bitmap.Clear(Grey);
    P.SetGradientMode(0);
    P.SetGradientFillMode(2);
    P.SetGradientColor(u"255/16711680");  // red, blue
    P.SetGradientOpacity(u"100/100");
    P.SetGradientPosition(u"0/1");
    P.SetChanged2(true);
    P.Draw(nullptr);
    const TColor32 Centre = Bitmap.Pixel(80, 80), Top = Bitmap.Pixel(80, 24);
    EXPECT_GT(Centre & 0xFF, (Centre >> 16) & 0xFF) << std::hex << Centre;
    EXPECT_GT((Top >> 16) & 0xFF, (Centre >> 16) & 0xFF) << std::hex << Top;
    // The top vertex lies inside the gradient's ellipse, short of its red rim.
    EXPECT_GT(Top & 0xFF, 0x10u) << std::hex << Top;
    for (TPoint Inside : {TPoint{30, 60}, TPoint{130, 60}})
        EXPECT_NE(Bitmap.Pixel(Inside.X, Inside.Y), Grey) << Inside.X << "," << Inside.Y;
    for (TPoint Outside : {TPoint{22, 22}, TPoint{138, 22}, TPoint{80, 150}})
        EXPECT_EQ(Bitmap.Pixel(Outside.X, Outside.Y), Grey) << Outside.X << "," << Outside.Y;
}

TEST_F(ShapesWin, ArrowHeadDotAndShaft)
{
    TImgLine L(nullptr, 1, &Bitmap);
    L.SetShapeType(shArrow);
    L.SetStyleId(1);  // head at the end, dot at the start
    Style(L, false, true, 1);
    L.SetPoint(1, {20, 50});
    L.SetPoint(4, {120, 50});
    L.CalcPoints(true);
    L.CalcRect();
    L.SetCreating(false);
    L.Draw(nullptr);
    Expect({{{60, 50}, Blue32},    // the shaft
            {{113, 47}, Blue32},   // inside the 9 x 9 head
            {{113, 44}, White},    // beyond its side
            {{121, 50}, White},    // beyond the tip
            {{18, 48}, Blue32},    // the dot
            {{60, 47}, White}},
           "arrow");
}

TEST_F(ShapesWin, LineFillRules)
{
    TImgLine L(nullptr, 1, &Bitmap);
    L.SetShapeType(shLine);
    L.SetStyleId(0);
    Style(L, false, true, 6);
    L.SetPoint(1, {20, 80});
    L.SetPoint(4, {220, 80});
    L.CalcPoints(true);
    L.CalcRect();
    L.SetCreating(false);
    L.SetGradientMode(0);
    L.SetGradientColor(u"255/16711680");
    L.SetGradientOpacity(u"100/100");
    L.SetGradientPosition(u"0/1");
    struct Case {
        Integer Kind;
        bool Adjusting;
        const char* What;
    } Cases[] = {{1, false, "radial"}, {2, false, "elliptic"}, {3, false, "edging"}, {0, true, "adjusting"},
                 {0, false, "linear"}};
    for (const Case& C : Cases) {
        Bitmap.Clear(White);
        L.SetGradientFillMode(C.Kind);
        L.SetAdjusting(C.Adjusting);
        L.SetChanged2(true);
        L.Draw(nullptr);
        TColor32 Left = Bitmap.Pixel(30, 80), Right = Bitmap.Pixel(210, 80);
        if (C.Kind != 0) {
            EXPECT_EQ(Left, White) << C.What;
            EXPECT_EQ(Right, White) << C.What;
        } else if (C.Adjusting) {
            EXPECT_EQ(Left, Blue32) << C.What;  // a plain fill of its colour
            EXPECT_EQ(Right, Blue32) << C.What;
        } else {
            EXPECT_GT((Left >> 16) & 0xFF, Left & 0xFF) << C.What << std::hex << Left;
            EXPECT_GT(Right & 0xFF, (Right >> 16) & 0xFF) << C.What << std::hex << Right;
        }
    }
    // A dashed line is broken.
    Bitmap.Clear(White);
    L.SetGradientMode(-1);
    L.SetPenStyle(1);  // dash
    L.Draw(nullptr);
    Integer Drawn = 0;
    for (Integer x = 30; x < 210; ++x) Drawn += Bitmap.Pixel(x, 80) == Blue32;
    EXPECT_GT(Drawn, 60);
    EXPECT_LT(Drawn, 170);
}

// ---------------------------------------------------------------------------
// Composition in a real image view

namespace {
// A 200 x 100 grey canvas on a real image view.
class ComposedShapes : public DocumentOnView {
protected:
    template <class T>
    T* Add(Integer Id, TShapeType Kind)
    {
        TRow* Row = Doc->DT()->AddItem(u",,,,,,,,,,,,,");
        Row->GetItem(ObjCol::Id)->SetValue(Id);
        Row->GetItem(ObjCol::Kind)->SetValue(Kind);
        auto S = std::make_unique<T>(Doc.get(), Id, nullptr);
        S->SetShapeType(Kind);
        S->SetOpacity(255);
        T* P = S.get();
        Row->Data().Own(std::move(S));
        return P;
    }
    // The window's painting of the composed document, 0xRRGGBB at image point (X, Y).
    unsigned At(Integer X, Integer Y) const { return Dib->Pixel(Doc->OffsetHorz() + X, Doc->OffsetVert() + Y); }
    void Compose()
    {
        Doc->Draw();
        Dib = std::make_unique<guitest::TDib>(317, 217);
        View->Invalidate();
        View->Perform(WM_PAINT, reinterpret_cast<WPARAM>(Dib->DC()), 0);
    }

    std::unique_ptr<guitest::TDib> Dib;
};
}  // namespace

TEST_F(ComposedShapes, EllipseWithShadowArrowAndHighlighter)
{
    // A red ellipse with a black shadow 20 pixels to the right.
    auto* E = Add<TImgEllipse>(1, shEllipse);
    E->SetSRect({20, 20, 80, 80});
    E->CalcCenterPoint();
    E->SetIsFill(true);
    E->SetFillColor(0x0000FF);
    E->SetShadowMode(0);
    E->SetShadowColor(0);
    E->SetShadowOpacity(255);
    E->SetShadowDistance(20);
    E->SetCreating(false);
    // A blue arrow across the lower part, a yellow highlighter over the ellipse's right side.
    auto* L = Add<TImgLine>(2, shArrow);
    L->SetColor(0xFF0000);
    L->SetOutWidth(3);
    L->SetPoint(1, {10, 90});
    L->SetPoint(4, {190, 90});
    L->CalcPoints(true);
    L->CalcRect();
    L->SetCreating(false);
    auto* H = Add<TImgHLRect>(3, shHLRect);
    H->SetSRect({60, 10, 120, 40});
    H->SetFillColor(0x00FFFF);
    H->SetCreating(false);
    Compose();
    struct Sample {
        const char* Name;
        TPoint P;
        unsigned Colour;
    } Golden[] = {
        {"raster", {5, 5}, 0x808080},
        {"ellipse", {50, 50}, 0xFF0000},
        {"shadow right of it", {92, 50}, 0x000000},
        {"corner of its rectangle", {22, 22}, 0x808080},
        {"arrow shaft", {100, 90}, 0x0000FF},
        {"arrow head", {183, 89}, 0x0000FF},
        {"beyond the tip", {194, 90}, 0x808080},
        {"highlighter on raster", {110, 15}, 0x808000},
        {"highlighter on ellipse", {68, 35}, 0xFF0000},
    };
    for (const Sample& G : Golden) EXPECT_TRUE(NearColour(At(G.P.X, G.P.Y), G.Colour, 3)) << G.Name;
    // The ellipse is hit on its fill after composing, and not at the rectangle's corner.
    EXPECT_TRUE(E->PtInShape(50, 50));
    EXPECT_FALSE(E->PtInShape(22, 22));
}
