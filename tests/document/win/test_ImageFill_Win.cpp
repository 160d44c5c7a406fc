// The gradient fill painted through GDI+ under Wine: pixels read back from
// the raster after GradientDo, and from a real image view's own painting
// after a drag made with the system's mouse input, the view's handlers
// driving the gradient tool as the main window does. Wine's GDI+ ignores the
// blend of path brushes (only their centre and outline colours count), so
// the radial and diamond cases check what holds either way.
#include "DocumentOnView.h"

#include "../DocumentTestView.h"
#include "../GoldenPicture.h"

using namespace guitest;

namespace {
constexpr TColor32 Red32 = 0xFFFF0000, Green32 = 0xFF00FF00, Blue32 = 0xFF0000FF, Grey32 = 0xFF808080;
const std::vector<TColor32> RGB = {Red32, Green32, Blue32};
const std::vector<Single> Even = {0, 0.5f, 1};

// The brushes interpolate in floats: a colour is near another within this
// many levels.
constexpr Integer Step = 8;

class GradientWin : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallImageDrawHooks();
        Doc = NewBlankDocument(View, 200, 100, false, 0x808080);
    }
    TColor32 At(Integer X, Integer Y) { return Doc->SrcBmp()->Pixel(X, Y); }
    void Gradient(Integer Type, TPoint S, TPoint E)
    {
        Doc->SetGradientStartX(S.X);
        Doc->SetGradientStartY(S.Y);
        Doc->SetMovedX(E.X);
        Doc->SetMovedY(E.Y);
        Doc->GradientDo(Type, RGB, Even);
    }
    TTestView View;
    std::unique_ptr<TImageDraw> Doc;
};
}  // namespace

TEST_F(GradientWin, LinearFromTheLeftEdgeToTheMiddle)
{
    Gradient(0, {0, 50}, {100, 50});
    for (Integer y = 0; y < 100; ++y)
        for (Integer x = 101; x < 200; ++x) ASSERT_EQ(At(x, y), Blue32) << x << "," << y;
    for (Integer y : {0, 50, 99}) {
        EXPECT_TRUE(NearColour(At(0, y), Red32, Step)) << y;
        EXPECT_TRUE(NearColour(At(50, y), Green32, Step)) << y;
        // Red fades out across the first quarter, blue comes in across the second.
        for (Integer x = 1; x < 50; ++x) ASSERT_LE(RedOf(At(x, y)), RedOf(At(x - 1, y))) << x;
        for (Integer x = 51; x <= 100; ++x) ASSERT_GE(BlueOf(At(x, y)), BlueOf(At(x - 1, y))) << x;
    }
}

TEST_F(GradientWin, ReflectedIsSymmetricAboutTheStart)
{
    Gradient(3, {100, 50}, {150, 50});
    EXPECT_TRUE(NearColour(At(100, 20), Red32, Step));
    EXPECT_TRUE(NearColour(At(125, 20), Green32, Step));
    EXPECT_TRUE(NearColour(At(75, 20), Green32, Step));
    for (Integer d = 1; d < 100; ++d) ASSERT_TRUE(NearColour(At(100 + d, 70), At(100 - d, 70), 6)) << d;
    for (Integer x : {0, 10, 49, 151, 199}) EXPECT_EQ(At(x, 5), Blue32) << x;
}

TEST_F(GradientWin, RadialAndDiamondRunFromTheStartOut)
{
    for (Integer Type : {1, 4}) {
        Doc->SrcBmp()->Clear(Grey32);
        // Longer than the farthest corner: no stretch of the last colour.
        Gradient(Type, {100, 50}, {500, 50});
        EXPECT_TRUE(NearColour(At(100, 50), Red32, 12)) << Type;
        for (Integer x = 101; x < 200; ++x) ASSERT_LE(RedOf(At(x, 50)), RedOf(At(x - 1, 50))) << Type << " " << x;
        for (Integer x = 99; x >= 0; --x) ASSERT_LE(RedOf(At(x, 50)), RedOf(At(x + 1, 50))) << Type << " " << x;
        EXPECT_NE(At(0, 0), Grey32) << Type;  // the whole raster is covered
    }
    // Only the diamond is farther out along a diagonal than along its tip
    // at the same distance from the centre.
    Gradient(4, {100, 50}, {500, 50});
    EXPECT_LT(RedOf(At(142, 92)) + 8, RedOf(At(160, 50)));
    Gradient(1, {100, 50}, {500, 50});
    EXPECT_TRUE(NearColour(At(142, 92), At(160, 50), 6));
}

TEST_F(GradientWin, TypeTwoPaintsNothing)
{
    Gradient(2, {0, 50}, {100, 50});
    for (TPoint P : {TPoint{0, 0}, TPoint{100, 50}, TPoint{199, 99}}) EXPECT_EQ(At(P.X, P.Y), Grey32);
    EXPECT_TRUE(Doc->Changed());
}

TEST_F(GradientWin, SelectionKeepsTheGradientInside)
{
    ASSERT_TRUE(SelectRegion(*Doc, TRect{120, 10, 180, 40}));
    Gradient(0, {0, 50}, {100, 50});
    EXPECT_EQ(At(150, 20), Blue32);
    EXPECT_EQ(At(150, 60), Grey32);
    EXPECT_EQ(At(20, 20), Grey32);
}

namespace {
// The gradient tool on a view: pressed, the drag starts; each move is the
// document's pointer; released, the gradient is laid and the drag ends.
class GradientOnView : public DocumentOnView {
protected:
    void SetUp() override
    {
        DocumentOnView::SetUp();
        View->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, Integer X, Integer Y, TCustomLayer*) {
            Press = View->ControlToBitmap(TPoint{X, Y});
            Doc->SetGradientStartX(Press.X);
            Doc->SetGradientStartY(Press.Y);
            Down = true;
        };
        View->OnMouseMove = [this](TObject*, TShiftState, Integer X, Integer Y, TCustomLayer*) {
            const TPoint P = View->ControlToBitmap(TPoint{X, Y});
            Doc->SetMovedX(P.X);
            Doc->SetMovedY(P.Y);
        };
        View->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, Integer X, Integer Y, TCustomLayer*) {
            const TPoint P = View->ControlToBitmap(TPoint{X, Y});
            Doc->SetMovedX(P.X);
            Doc->SetMovedY(P.Y);
            Doc->GradientDo(0, RGB, Even);
            Doc->SetGradientStartX(NoStartPoint);
            View->Bitmap()->Changed();
            Down = false;
        };
    }
    TDib Dib{317, 217};
};
}  // namespace

TEST_F(GradientOnView, DragFromTheLeftEdgeToTheMiddle)
{
    Drag({0, 50}, {100, 50});
    EXPECT_TRUE(Doc->Changed());
    Paint(Dib);
    for (TPoint P : {TPoint{101, 0}, TPoint{150, 50}, TPoint{199, 99}})
        EXPECT_EQ(PaintedAt(Dib, P), 0x0000FFu) << P.X << "," << P.Y;  // 0xRRGGBB
    const COLORREF Left = PaintedAt(Dib, {0, 50});
    EXPECT_GE(Left >> 16, 0xF0u);
    EXPECT_LE(Left & 0xFF, 0x10u);
}
