// Drawing and moving an object with the real mouse over a real image view
// (Wine on an X display): the view's mouse events drive the document as the
// main window does, and the window's painting is read back.
#include "DocumentOnView.h"

using namespace guitest;

namespace {
constexpr TColor Red = 0x0000FF;  // 0xBBGGRR
constexpr COLORREF GreyPixel = 0x808080;  // as TDib reads pixels: 0xRRGGBB

class ShapesOnView : public DocumentOnView {
protected:
    void SetUp() override
    {
        DocumentOnView::SetUp();
        // Rectangles are filled red without an outline; every effect is off.
        TRow* R = DefaultsFor(shRectangle);
        for (auto [Col, Value] : {std::pair{14, Red}, {15, Red}, {16, 255}, {20, 0}, {21, -1}, {27, -1}, {28, -1},
                                  {29, -1}, {98, 15}})
            R->GetItem(Col)->SetValue(Value);
        Doc->SetCropRateIndex(-1);
        WireObjectMouse([this](TShiftState Shift, Integer X, Integer Y) {
            Doc->SetPressSht((Shift & ssShift) != 0);
            if (Doc->LocateShape(X, Y, Press.X, Press.Y)) {
                Doc->ClickShape(selOne, Doc->ShapeId());
                Doc->MovePrepare();
                Moving = Doc->Shape()->CurrentCtrIndex() < 0;
            } else {
                Doc->SelectShape(selNone, 0);
                Doc->CreateShape(shRectangle);
                Moving = false;
            }
        });
    }
};
}  // namespace

TEST_F(ShapesOnView, DrawAndMoveARectangleWithTheMouse)
{
    // Drawn from the bottom-right corner up to the top-left one.
    Drag({80, 60}, {20, 30});
    ASSERT_EQ(Doc->DT()->ItemCount(), 1);
    TImgShape* S = Doc->Shape();
    ASSERT_NE(S, nullptr);
    EXPECT_EQ(S->SRect(), (TRect{20, 30, 81, 61}));
    EXPECT_TRUE(S->Selected());
    TDib Dib(317, 217);
    Paint(Dib);
    EXPECT_TRUE(IsRed(PaintedAt(Dib, {50, 45})));
    EXPECT_EQ(PaintedAt(Dib, {100, 45}), GreyPixel);

    // Pressed on its body, it moves with the pointer.
    Drag({50, 45}, {90, 55});
    EXPECT_EQ(Doc->DT()->ItemCount(), 1);
    EXPECT_EQ(S->SRect(), (TRect{60, 40, 121, 71}));
    Paint(Dib);
    EXPECT_TRUE(IsRed(PaintedAt(Dib, {100, 45})));
    EXPECT_EQ(PaintedAt(Dib, {30, 35}), GreyPixel);
    EXPECT_EQ(Doc->GetShapeCursor(-1, -1, 100, 45), crSizeAll);
}
