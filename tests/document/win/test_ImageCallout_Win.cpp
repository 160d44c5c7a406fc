// Callout frames painted through GDI+ under Wine: every style against a
// golden picture (Wine's GDI+ draws without anti-aliasing, so the pixels are
// the same on every run), and the points where a frame differs from a plain
// closed shape read back from the bitmap.
#include "DocumentOnView.h"
#include "../GoldenPicture.h"

#include "document/ImageText.h"
#include "document/win/ImageCallout_Win.h"
#include "document/win/ImageDraw_Win.h"

using namespace guitest;

namespace {
constexpr TColor Red = 0x0000FF, Blue = 0xFF0000;  // 0xBBGGRR
constexpr TColor32 White = 0xFFFFFFFF, Red32 = 0xFFFF0000, Blue32 = 0xFF0000FF;

class CalloutWin : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallImageDrawHooks();
        Bitmap.SetSize(600, 390);
        Bitmap.Clear(White);
    }
    // A callout of Style on the frame R, filled red, outlined blue when
    // Outline is above 0.
    void Make(Integer Style, const TRect& R, Integer Outline)
    {
        Shape.SetStyleId(Style);
        Shape.SetSRect(R);
        Shape.CalcCenterPoint();
        Shape.SetCreating(false);
        Shape.SetColor(Blue);
        Shape.SetFillColor(Red);
        Shape.SetOpacity(255);
        Shape.SetIsFill(true);
        Shape.SetIsOutline(Outline > 0);
        Shape.SetOutWidth(Outline);
        Shape.SetGradientMode(-1);
        C = TCalloutPoints{};
        C.InitPoints(Style, false);
        C.CalcPoints(Shape, true);
    }
    void Paint()
    {
        TBitmapGraphics Scope(Bitmap);
        ASSERT_TRUE(Scope);
        PaintCalloutFrame(Shape, C, C.FramePath(Shape), *Scope.Graphics(), Bitmap);
    }
    // A red to blue gradient of Kind.
    void Gradient(Integer Kind)
    {
        Shape.SetGradientMode(0);
        Shape.SetGradientFillMode(Kind);
        Shape.SetGradientColor(u"255/16711680");
        Shape.SetGradientOpacity(u"100/100");
        Shape.SetGradientPosition(u"0/1");
        Shape.SetChanged2(true);
    }
    TColor32 At(Integer X, Integer Y) const { return Bitmap.Pixel(X, Y); }
    static Integer RedOf(TColor32 C) { return (C >> 16) & 0xFF; }
    static Integer BlueOf(TColor32 C) { return C & 0xFF; }

    TCustomBitmap32 Bitmap;
    TImgShape Shape{nullptr, 1, &Bitmap};
    TCalloutPoints C;
};
}  // namespace

TEST_F(CalloutWin, EveryStyleAgainstItsPicture)
{
    // Four columns of three rows, 100 x 90 each, the frame 60 x 36 inside.
    Bitmap.SetSize(400, 270);
    Bitmap.Clear(White);
    for (Integer Style = 0; Style < 12; ++Style) {
        const Integer X = 100 * (Style % 4) + 20, Y = 90 * (Style / 4) + 12;
        Make(Style, {X, Y, X + 60, Y + 36}, 2);
        Paint();
    }
    ExpectGoldenPicture(Bitmap, "callout_frames.bmp");
}

TEST_F(CalloutWin, OvalBalloonFillsWhereItsPointerMeetsTheEllipse)
{
    Make(9, {40, 40, 240, 140}, 0);
    Paint();
    const TPoint P0 = C.FPoints[0], P1 = C.FPoints[1], P2 = C.FPoints[2];
    // Just inside the base, where the pointer and the ellipse overlap.
    const Integer MX = (P0.X + P2.X) / 2, MY = (P0.Y + P2.Y) / 2;
    EXPECT_EQ(At(MX + (P1.X > MX ? 1 : -1), MY + 2), Red32);
    // The pointer outside the ellipse, and the ellipse's middle.
    EXPECT_EQ(At((P0.X + P1.X + P2.X) / 3, (P0.Y + P1.Y + P2.Y) / 3), Red32);
    EXPECT_EQ(At(140, 90), Red32);
    EXPECT_EQ(At(230, 45), White);
}

TEST_F(CalloutWin, NoteFoldIsOutlined)
{
    Make(0, {40, 40, 240, 140}, 2);
    Shape.SetIsFill(false);
    Paint();
    const TPoint P = C.FPoints[0];  // (84, 60)
    EXPECT_EQ(At((40 + P.X) / 2, P.Y), Blue32);
    EXPECT_EQ(At(P.X, (40 + P.Y) / 2), Blue32);
    EXPECT_EQ(At(140, 90), White);
    // Without the outline, no fold either.
    Bitmap.Clear(White);
    Shape.SetIsOutline(false);
    Shape.SetIsFill(true);
    Paint();
    EXPECT_EQ(At((40 + P.X) / 2, P.Y), Red32);
}

TEST_F(CalloutWin, GradientsReachTheTip)
{
    // A balloon pointing right: its linear gradient runs on to the tip, so
    // the frame's right edge is not yet the last colour.
    Make(1, {40, 40, 240, 140}, 0);
    C.FPointsRateX[1] = 1.5f;
    C.FPointsRateY[1] = 0.6f;
    C.CalcPoints(Shape, false);
    ASSERT_EQ(C.FPoints[1], (TPoint{340, 100}));
    Gradient(0);
    Paint();
    const TColor32 Edge = At(238, 70), Tip = At(320, 102);
    EXPECT_GT(RedOf(Edge), 0x30);
    EXPECT_GT(BlueOf(Tip), BlueOf(Edge));
    EXPECT_EQ(At(330, 60), White);

    // The thought bubble's radial fill shades each bubble to its own centre:
    // the centres of the two small bubbles have the last colour.
    Bitmap.Clear(White);
    Make(8, {100, 40, 340, 160}, 0);
    Gradient(1);
    Paint();
    TShapeBounds E[3];
    ASSERT_TRUE(C.BubbleEllipses(Shape, E));
    for (const TShapeBounds& B : {E[1], E[2]}) {
        const TColor32 Mid = At(B.X + B.Width / 2, B.Y + B.Height / 2);
        EXPECT_GT(BlueOf(Mid), 0xC0) << std::hex << Mid;
        EXPECT_LT(RedOf(Mid), 0x40) << std::hex << Mid;
    }
}

namespace {
// A callout drawn out and edited with the mouse on a real image view, the
// view's mouse events wired to the document as the main window wires them.
class CalloutOnView : public DocumentOnView {
protected:
    void SetUp() override
    {
        DocumentOnView::SetUp();
        // Balloons filled red without an outline; every effect off; no text.
        TRow* R = DefaultsFor(shCallout);
        for (auto [Col, Value] : {std::pair{14, Red}, {15, Red}, {16, 255}, {20, 0}, {21, -1}, {24, 1}, {27, -1},
                                  {28, -1}, {29, -1}, {59, -1}, {98, 15}})
            R->GetItem(Col)->SetValue(Value);
        WireObjectMouse([this](TShiftState, Integer X, Integer Y) {
            Moving = false;
            if (Doc->LocateShape(X, Y, Press.X, Press.Y)) {
                Moving = Doc->Shape()->CurrentCtrIndex() < 0;
                Doc->ClickShape(selOne, Doc->ShapeId());
                // A handle's drag starts where its Click put it.
                if (Moving) Doc->MovePrepare();
            } else {
                Doc->SelectShape(selNone, 0);
                Doc->CreateShape(shCallout);
            }
        });
    }
    bool RedAt(TPoint P) { return IsRed(PaintedAt(Dib, P)); }

    TDib Dib{317, 217};
};
}  // namespace

TEST_F(CalloutOnView, DrawABalloonAndDragItsTip)
{
    Drag({40, 20}, {120, 60});
    auto* T = dynamic_cast<TImgText*>(Doc->Shape());
    ASSERT_NE(T, nullptr);
    ASSERT_EQ(T->ShapeType(), shCallout);
    EXPECT_EQ(T->SRect(), (TRect{40, 20, 121, 61}));
    // The pointer hangs from the bottom edge towards (85, 73).
    const TPoint Tip = T->Callout().FPoints[1];
    EXPECT_EQ(Tip, (TPoint{85, 73}));
    Paint(Dib);
    EXPECT_TRUE(RedAt({80, 40}));
    EXPECT_TRUE(RedAt({95, 65}));
    EXPECT_FALSE(RedAt({60, 70}));

    // The tip's handle dragged out beside the left edge's upper half.
    Drag(Tip, {10, 25});
    EXPECT_EQ(T->PointsZone(), 8);
    EXPECT_EQ(T->Callout().FPoints[1], (TPoint{10, 25}));
    EXPECT_EQ(T->SRect(), (TRect{40, 20, 121, 61}));
    Paint(Dib);
    EXPECT_TRUE(RedAt({30, 27}));
    EXPECT_FALSE(RedAt({95, 65}));
    // Pressed on the pointer, the whole callout moves.
    Drag({30, 27}, {40, 37});
    EXPECT_EQ(T->SRect(), (TRect{50, 30, 131, 71}));
    EXPECT_EQ(T->Callout().FPoints[1], (TPoint{20, 35}));
}
