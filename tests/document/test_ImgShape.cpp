#include <gtest/gtest.h>

#include <cmath>

#include "DocumentTestView.h"

namespace {
class ImgShapeTest : public ::testing::Test {
protected:
    // A selected object of Kind at R, its handles laid out and painted.
    TImgShape& Make(TShapeType Kind, const TRect& R, Single Angle = 0, Integer ControlMode = 3)
    {
        Shape = std::make_unique<TImgShape>(Doc.get(), 7, nullptr);
        Shape->SetShapeType(Kind);
        Shape->SetControlMode(ControlMode);
        Shape->SetSRect(R);
        Shape->CalcCenterPoint();
        Shape->SetAngle(Angle);
        Shape->Select();
        Layout();
        return *Shape;
    }
    void Layout()
    {
        Shape->CalcControlPoints();
        Shape->DrawControlPoint(&Buffer);
    }
    // Presses handle Index and drags it by (DX, DY).
    void Drag(Integer Index, Integer DX, Integer DY)
    {
        Shape->SetCurrentCtrIndex(Index);
        Shape->Click();
        Shape->AdjustShape(0, 0, DX, DY);
    }

    TTestView View;
    std::unique_ptr<TImageDraw> Doc = NewBlankDocument(View, 400, 400, false);
    std::unique_ptr<TImgShape> Shape;
    TCustomBitmap32 Buffer;

    void SetUp() override
    {
        Buffer.SetSize(600, 600);
        Doc->InitBitmap();
    }
};
}  // namespace

TEST_F(ImgShapeTest, HandlesOfAnUnrotatedObject)
{
    Make(shRectangle, {10, 40, 61, 90});
    const TArrayOfPoint Expected{{36, 10}, {10, 40}, {61, 40}, {61, 90}, {10, 90},
                                 {36, 40}, {36, 90}, {10, 65}, {61, 65}};  // 25.5 rounds to 26
    EXPECT_EQ(Shape->PointsA(), Expected);
    // View points follow the zoom and the offsets.
    Doc->SetScale(2);
    View.OffsetX = 5;
    View.OffsetY = -3;
    Layout();
    EXPECT_EQ(Shape->CtrPoints()[1], (TPoint{25, 77}));
    EXPECT_EQ(Shape->CtrRect()[1], (TRect{22, 74, 28, 80}));
}

TEST_F(ImgShapeTest, UnselectedObjectHasNoHandles)
{
    Make(shRectangle, {10, 40, 60, 90});
    Shape->UnSelect();
    EXPECT_EQ(Doc->SelectedIds()->ItemCount(), 0);
    EXPECT_FALSE(Shape->PtInControl(10, 40));
    EXPECT_EQ(Shape->CurrentCtrIndex(), -1);
    TCustomBitmap32 Clean;
    Clean.SetSize(100, 100);
    Clean.Clear(0xFF808080);
    Shape->DrawControlPoint(&Clean);
    for (Integer y = 0; y < 100; ++y)
        for (Integer x = 0; x < 100; ++x) ASSERT_EQ(Clean.Pixel(x, y), 0xFF808080u);
}

TEST_F(ImgShapeTest, SelectKeepsTheDocumentsIdList)
{
    Make(shRectangle, {0, 0, 10, 10});
    EXPECT_TRUE(Shape->Selected());
    Shape->Select();  // twice: listed once
    ASSERT_EQ(Doc->SelectedIds()->ItemCount(), 1);
    EXPECT_EQ(Doc->SelectedIds()->GetItem(0)->Value(), 7);
}

TEST_F(ImgShapeTest, CursorsFollowTheAngle)
{
    struct Case {
        Single Angle;
        Integer Handle;
        TCursor Cursor;
    };
    const Case Cases[] = {
        {0, 0, crRotate},       {0, 1, crSizeNWSE},     {0, 2, crSizeNESW},     {0, 5, crSizeNS},
        {0, 8, crSizeWE},       {45, 1, crSizeWE},      {45, 3, crSizeWE},      {45, 2, crSizeNS},
        {45, 4, crSizeNS},      {0.5f, 1, crSizeNWSE},  {0.5f, 3, crSizeNWSE},  {0.5f, 2, crSizeNESW},
        {0.5f, 4, crSizeNESW},  {90, 5, crSizeWE},      {90, 7, crSizeNS},      {45, 0, crRotate},
    };
    for (const Case& C : Cases) {
        Make(shRectangle, {100, 100, 200, 200}, C.Angle);
        TPoint P = Shape->CtrPoints()[static_cast<size_t>(C.Handle)];
        ASSERT_TRUE(Shape->PtInControl(P.X, P.Y)) << C.Angle << " " << C.Handle;
        EXPECT_EQ(Shape->CurrentCtrIndex(), C.Handle);
        EXPECT_EQ(Shape->CurrentCursor(), C.Cursor) << "angle " << C.Angle << " handle " << C.Handle;
    }
    // The free shape's transform handles: arrows across the edges.
    Make(shFreeShape, {100, 100, 200, 200}, 0, 4);
    TPoint P5 = Shape->CtrPoints()[5], P8 = Shape->CtrPoints()[8];
    EXPECT_EQ(Shape->CtrRect()[5], (TRect{P5.X - 7, P5.Y - 13, P5.X + 8, P5.Y - 6}));
    EXPECT_EQ(Shape->CtrRect()[8], (TRect{P8.X + 7, P8.Y - 7, P8.X + 14, P8.Y + 8}));
    EXPECT_EQ(Shape->CtrRect()[1], TRect{});
    TRect R5 = Shape->CtrRect()[5];
    ASSERT_TRUE(Shape->PtInControl(R5.Left, R5.Top));
    EXPECT_EQ(Shape->CurrentCursor(), crSizeWE);
    TRect R7 = Shape->CtrRect()[7];
    ASSERT_TRUE(Shape->PtInControl(R7.Left, R7.Top));
    EXPECT_EQ(Shape->CurrentCursor(), crSizeNS);
}

// Switched to skewing after box editing, the shape shows handles 5 to 8
// only: the rotation and corner handles of the box layout are gone, not
// pressable where they were painted.
TEST_F(ImgShapeTest, SkewHandlesReplaceTheBoxLayout)
{
    Make(shFreeShape, {100, 100, 200, 200}, 0, 1);
    const TArrayOfPoint Box = Shape->CtrPoints();
    ASSERT_TRUE(Shape->PtInControl(Box[1].X, Box[1].Y));
    Shape->SetControlMode(4);
    Layout();
    for (Integer i = 0; i <= 4; ++i) {
        EXPECT_EQ(Shape->CtrRect()[i], TRect{}) << i;
        EXPECT_FALSE(Shape->PtInControl(Box[i].X, Box[i].Y)) << i;
    }
    for (Integer i = 5; i <= 8; ++i) EXPECT_NE(Shape->CtrRect()[i], TRect{}) << i;
}

TEST_F(ImgShapeTest, HandleDragsKeepTheMinimumSize)
{
    Make(shRectangle, {0, 0, 50, 50});
    Drag(1, 100, 0);  // the top-left handle 100 to the right
    EXPECT_EQ(Shape->SRect().Left, Shape->SRect().Right - 1);
    EXPECT_EQ(Shape->SRect().Right, 50);

    struct Case {
        Integer Handle, DX, DY;
        TRect Expected;
    };
    const Case Cases[] = {
        {3, 10, 20, {0, 0, 60, 70}}, {5, 0, -5, {0, -5, 50, 50}}, {6, 7, 9, {0, 0, 50, 59}},
        {7, 4, 99, {4, 0, 50, 50}},  {8, -80, 0, {0, 0, 10, 50}},   {2, 5, -5, {0, -5, 55, 50}},
        {0, 5, 5, {0, 0, 50, 50}},  // the rotation handle is not a resize handle
    };
    for (const Case& C : Cases) {
        Make(shRectangle, {0, 0, 50, 50});
        Shape->SetMinSize(10);
        Drag(C.Handle, C.DX, C.DY);
        EXPECT_EQ(Shape->SRect(), C.Expected) << "handle " << C.Handle;
    }
}

TEST_F(ImgShapeTest, RotatedDragWorksInTheObjectsFrame)
{
    // Turned by 180 the right-middle handle shows on the left: dragging it
    // left widens the object on its own right side.
    Make(shRectangle, {0, 0, 100, 100}, 180);
    Drag(8, -10, 0);
    EXPECT_EQ(Shape->SRect(), (TRect{0, 0, 110, 100}));
}

TEST_F(ImgShapeTest, AspectLock)
{
    // A picture keeps its ratio while Shift is held.
    Make(shSmall, {0, 0, 100, 50});
    Doc->SetPressSht(true);
    Drag(3, 100, 0);
    EXPECT_EQ(Shape->SRect(), (TRect{0, 0, 200, 100}));
    Doc->SetPressSht(false);
    Make(shSmall, {0, 0, 100, 50});
    Drag(3, 100, 0);
    EXPECT_EQ(Shape->SRect(), (TRect{0, 0, 200, 50}));

    // A crop frame always: with the document's fixed ratio, else its own.
    Doc->SetCropFixedRate(0);
    Make(shCrop, {0, 0, 100, 50});
    Drag(1, -100, 0);
    EXPECT_EQ(Shape->SRect(), (TRect{-100, -50, 100, 50}));
    Doc->SetCropFixedRate(1);
    Make(shCrop, {0, 0, 100, 50});
    Drag(3, 50, 0);
    EXPECT_EQ(Shape->SRect(), (TRect{0, 0, 150, 150}));
    Doc->SetCropFixedRate(-1);  // free
    Make(shCrop, {0, 0, 100, 50});
    Drag(3, 50, 7);
    EXPECT_EQ(Shape->SRect(), (TRect{0, 0, 150, 57}));
}

TEST_F(ImgShapeTest, ZeroHeightGivesRatioZeroAndAFreeDrag)
{
    Doc->SetCropFixedRate(0);
    Make(shCrop, {0, 10, 100, 10});
    Shape->SetCurrentCtrIndex(3);
    Shape->Click();
    EXPECT_EQ(Shape->StartRate(), 0.0f);
    Shape->AdjustShape(0, 0, 20, 30);
    EXPECT_EQ(Shape->SRect(), (TRect{0, 10, 120, 40}));
}

TEST_F(ImgShapeTest, MovesAndOffsets)
{
    Make(shRectangle, {0, 0, 10, 10});
    Shape->SetCurrentCtrIndex(-1);
    Shape->Click();  // a body hit prepares a move
    EXPECT_EQ(Shape->StartX(), NoStartPoint);
    EXPECT_EQ(Shape->StartRect(), (TRect{0, 0, 10, 10}));
    Shape->MoveShape(5, 5, 8, 9);
    EXPECT_EQ(Shape->SRect(), (TRect{3, 4, 13, 14}));
    EXPECT_FLOAT_EQ(Shape->CenterPoint().X, 8);
    EXPECT_EQ(Shape->PointsA()[1], (TPoint{3, 4}));
    Shape->OffsetShape(-3, -4);
    EXPECT_EQ(Shape->SRect(), (TRect{0, 0, 10, 10}));
    EXPECT_TRUE(Shape->PtInShape(0, 0));
    EXPECT_EQ(Shape->CurrentCursor(), crSizeAll);
    EXPECT_FALSE(Shape->PtInShape(10, 5));  // right side exclusive
}

TEST_F(ImgShapeTest, AnglesAndRotatedBounds)
{
    Make(shRectangle, {0, 0, 100, 50});
    EXPECT_EQ(Shape->RotateRect(), Shape->SRect());
    Shape->SetAngleByPoint(50, -100);  // straight above the centre
    EXPECT_FLOAT_EQ(Shape->Angle(), 0);
    Shape->SetAngleByPoint(300, 25);  // straight right
    EXPECT_FLOAT_EQ(Shape->Angle(), 270);
    Shape->SetAngle(90);
    EXPECT_EQ(Shape->RotateRect(), (TRect{25, -25, 75, 75}));
    Single V = -5;
    TImgShape::ClampSingle(V, 0, 1);
    EXPECT_EQ(V, 0);
    V = std::nanf("");
    TImgShape::ClampSingle(V, 0, 1);
    EXPECT_EQ(V, 0);  // NaN is not >= 0
}

TEST_F(ImgShapeTest, ViewRectAndControlModeNotice)
{
    Make(shRectangle, {-10, 5, 500, 50});
    TRect R;
    Shape->GetViewRect(true, R);
    EXPECT_EQ(R, (TRect{0, 5, 400, 50}));
    Integer Notices = 0;
    Doc->OnShapeStateChanged = [&](TImageDraw*) { ++Notices; };
    Shape->SetCreating(false);
    Shape->SetControlMode(2);
    Shape->SetControlMode(2);  // unchanged: no notice
    EXPECT_EQ(Notices, 1);
    EXPECT_TRUE(Doc->Modified());
    Shape->SetLoading(true);
    Shape->SetControlMode(3);
    EXPECT_EQ(Notices, 1);
}

TEST_F(ImgShapeTest, PolylineMiddleHandlesNeedRoom)
{
    Make(shLines, {100, 100, 115, 200});  // 15 view pixels wide
    EXPECT_EQ(Shape->CtrRect()[5], TRect{});
    EXPECT_EQ(Shape->CtrRect()[6], TRect{});
    EXPECT_NE(Shape->CtrRect()[7], TRect{});
    EXPECT_EQ(Shape->CtrRect()[1], (TRect{93, 93, 100, 100}));  // outside the corner
}

TEST(ImgShape, StylePreviewFrames)
{
    TCustomBitmap32 B;
    B.SetSize(20, 10);
    TImgShape S(nullptr, 1, &B);
    S.StartDraw(0xFFFFFF);
    EXPECT_EQ(B.Pixel(0, 0), 0xFFFFFFFFu);
    S.SetSelectMode(2);
    S.StartDraw(0xFFFFFF);
    EXPECT_EQ(B.Pixel(0, 0), 0xFF000080u);  // navy: the current style
    S.SetSelectMode(3);
    S.StartDraw(0xFFFFFF);
    EXPECT_EQ(B.Pixel(19, 9), 0xFFFF0000u);  // red: the pointer wins
    EXPECT_EQ(B.Pixel(5, 5), 0xFFFFFFFFu);
}
