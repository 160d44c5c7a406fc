// The free shape painted through GDI+ under Wine: pixels read back from the
// bitmaps it draws on, and a shape placed and edited with the real mouse over
// a real image view, read back from the window's painting. Wine's GDI+ draws
// without anti-aliasing, so edges are hard and the samples keep clear of them.
#include "../FreeShapeTool.h"
#include "../GoldenPicture.h"
#include "DocumentOnView.h"
#include "document/win/ImageFreeShape_Win.h"

using namespace guitest;

namespace {
constexpr TColor Red = 0x0000FF, Blue = 0xFF0000;  // 0xBBGGRR
constexpr TColor32 White = 0xFFFFFFFF, Red32 = 0xFFFF0000, Blue32 = 0xFF0000FF;

// A closed square (40, 40) - (120, 120) of straight segments.
String SquareText()
{
    return u"#2<-1<<<<<<<<-1#40<40<40<40<120<40<120<40<<0<<<0<0<<<<<<<<<<<>"
           u"120<40<120<40<120<120<120<120<<-1<<<0<0<<<<<<<<<<<>"
           u"120<120<120<120<40<120<40<120<<-1<<<0<0<<<<<<<<<<<>"
           u"40<120<40<120<40<40<40<40<<-1<<<0<0<<<<<<<<<<<";
}

class FreeShapeWin : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallImageDrawHooks();
        Bitmap.SetSize(200, 160);
        Bitmap.Clear(White);
    }
    void Style(TImgFreeShape& S, bool Fill, bool Outline, Integer Width)
    {
        SetPlainStyle(S, Blue, Red, Fill, Outline, Width, false);
    }
    void Expect(std::initializer_list<TPixelSample> Samples, const char* What) { ExpectSamples(Bitmap, Samples, What); }

    TCustomBitmap32 Bitmap;
};
}  // namespace

TEST_F(FreeShapeWin, FillAndOutline)
{
    struct Case {
        const char* Name;
        bool Fill, Outline;
        std::initializer_list<TPixelSample> Samples;
    };
    const Case Cases[] = {
        {"filled and outlined", true, true, {{{80, 80}, Red32}, {{80, 40}, Blue32}, {{120, 80}, Blue32}, {{30, 80}, White}}},
        {"filled only", true, false, {{{80, 80}, Red32}, {{80, 41}, Red32}, {{130, 80}, White}}},
        {"outline only", false, true, {{{80, 80}, White}, {{80, 40}, Blue32}, {{40, 80}, Blue32}}},
        // Neither switch: the outline still shows.
        {"neither", false, false, {{{80, 80}, White}, {{80, 40}, Blue32}, {{120, 100}, Blue32}}},
    };
    for (const Case& C : Cases) {
        Bitmap.Clear(White);
        TImgFreeShape F(nullptr, 1, &Bitmap);
        F.SetPoints(SquareText());
        F.SetCreating(false);
        F.CalcRect();
        F.CalcCenterPoint();
        Style(F, C.Fill, C.Outline, 3);
        F.Draw(nullptr);
        Expect(C.Samples, C.Name);
    }
}

TEST_F(FreeShapeWin, TurnedInBoxEditing)
{
    // A flat bar (20, 70) - (180, 90), turned by 90 degrees about (100, 80).
    TImgFreeShape F(nullptr, 1, &Bitmap);
    F.SetPoints(u"#1<-1<<<<<<<<-1#20<70<20<70<180<70<180<70<<0<<<0<0<<<<<<<<<<<>"
                u"180<70<180<70<180<90<180<90<<-1<<<0<0<<<<<<<<<<<>"
                u"180<90<180<90<20<90<20<90<<-1<<<0<0<<<<<<<<<<<>"
                u"20<90<20<90<20<70<20<70<<-1<<<0<0<<<<<<<<<<<");
    F.SetCreating(false);
    F.CalcRect();
    F.CalcCenterPoint();
    Style(F, true, false, 1);
    F.SetAngle(90);
    F.Draw(nullptr);
    Expect({{{100, 20}, Red32}, {{100, 140}, Red32}, {{40, 80}, White}, {{160, 80}, White}}, "turned bar");
    // The hit test turns the same way.
    EXPECT_TRUE(F.PtInShape(100, 30));
    EXPECT_FALSE(F.PtInShape(40, 80));
}

TEST_F(FreeShapeWin, WhilePlacedThePenChainRunsToThePointer)
{
    TImgFreeShape F(nullptr, 1, &Bitmap);
    Style(F, true, true, 3);
    F.AddNewPoint(20, 40);
    F.AddNewPoint(100, 40);
    F.SetPointMoved(TPoint{100, 120});
    F.Draw(nullptr);
    // Straight segments: along the top, then down to the pointer; no fill.
    Expect({{{60, 40}, Blue32}, {{100, 80}, Blue32}, {{80, 60}, White}, {{60, 100}, White}}, "rubber band");
    // One node and the pointer is a segment too.
    Bitmap.Clear(White);
    TImgFreeShape One(nullptr, 2, &Bitmap);
    Style(One, false, true, 3);
    One.AddNewPoint(20, 140);
    One.SetPointMoved(TPoint{180, 140});
    One.Draw(nullptr);
    Expect({{{100, 140}, Blue32}}, "one node");
}

// ---------------------------------------------------------------------------
// The real mouse over a real image view

namespace {
constexpr COLORREF GreyPixel = 0x808080;  // as TDib reads pixels: 0xRRGGBB

class FreeShapeOnView : public DocumentOnView {
protected:
    void SetUp() override
    {
        DocumentOnView::SetUp();
        // Free shapes are filled red and outlined blue; every effect is off.
        TRow* R = DefaultsFor(shFreeShape);
        for (auto [Col, Value] : {std::pair{14, Blue}, {15, Red}, {16, 255}, {18, 1}, {20, -1}, {21, -1}, {27, -1},
                                  {28, -1}, {29, -1}, {98, 15}})
            R->GetItem(Col)->SetValue(Value);
        Doc->SetAntialiasing(false);
        Buffer.SetSize(317, 217);
        Tool = std::make_unique<TFreeShapeTool>(*Doc, Buffer);
        View->OnMouseDown = [this](TObject*, TMouseButton Button, TShiftState Shift, Integer X, Integer Y,
                                   TCustomLayer*) {
            Tool->Press(View->ControlToBitmap(TPoint{X, Y}), Button == mbRight, (Shift & ssCtrl) != 0);
            ++Presses;
            Doc->Draw();
        };
        View->OnMouseMove = [this](TObject*, TShiftState, Integer X, Integer Y, TCustomLayer*) {
            Tool->Move(View->ControlToBitmap(TPoint{X, Y}));
        };
        View->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, Integer, Integer, TCustomLayer*) {
            Tool->Release();
            ++Releases;
            Doc->Draw();
        };
    }
    void TearDown() override
    {
        View->OnMouseDown = nullptr;
        View->OnMouseMove = nullptr;
        View->OnMouseUp = nullptr;
        DocumentOnView::TearDown();
    }
    void PointTo(TPoint P) { MovePointer(View->ClientToScreen(View->BitmapToControl(P))); }
    // A click of the left button at an image point, the pointer moving there first.
    void ClickAt(TPoint P)
    {
        PointTo(P);
        const Integer Before = Releases;
        LeftButton(true);
        LeftButton(false);
        ASSERT_TRUE(PumpUntil([&] { return Releases > Before; }));
    }
    void DragFromTo(TPoint From, TPoint To)
    {
        PointTo(From);
        const Integer Before = Releases;
        LeftButton(true);
        ASSERT_TRUE(PumpUntil([&] { return Presses > Before; }));
        PointTo(TPoint{(From.X + To.X) / 2, (From.Y + To.Y) / 2});
        PointTo(To);
        LeftButton(false);
        ASSERT_TRUE(PumpUntil([&] { return Releases > Before; }));
    }
    TCustomBitmap32 Buffer;
    std::unique_ptr<TFreeShapeTool> Tool;
    Integer Presses = 0, Releases = 0;
};
}  // namespace

TEST_F(FreeShapeOnView, PlaceAClosedShapeAndDragANodeWithTheMouse)
{
    // Three clicks place a triangle; a click beside its first node closes it.
    for (TPoint P : {TPoint{20, 20}, TPoint{120, 20}, TPoint{70, 80}}) ClickAt(P);
    ASSERT_TRUE(Doc->ShapeCreating());
    ClickAt({21, 19});
    ASSERT_FALSE(Doc->ShapeCreating());
    auto* F = dynamic_cast<TImgFreeShape*>(Doc->Shape());
    ASSERT_NE(F, nullptr);
    ASSERT_EQ(F->BezierCount(), 3);
    EXPECT_TRUE(F->Closed());
    EXPECT_EQ(F->BezierPoint(2, 3), (TPoint{20, 20}));
    TDib Dib(317, 217);
    Paint(Dib);
    EXPECT_TRUE(IsRed(PaintedAt(Dib, {70, 40})));
    EXPECT_EQ(PaintedAt(Dib, {125, 35}), GreyPixel);
    EXPECT_EQ(PaintedAt(Dib, {150, 50}), GreyPixel);

    // The node at (120, 20) dragged to (150, 30) takes the edges with it.
    DragFromTo({120, 20}, {150, 30});
    EXPECT_EQ(F->BezierPoint(0, 3), (TPoint{150, 30}));
    EXPECT_EQ(F->BezierPoint(1, 0), (TPoint{150, 30}));
    EXPECT_EQ(F->SelectPointIndex(), 2);
    Paint(Dib);
    EXPECT_TRUE(IsRed(PaintedAt(Dib, {125, 35})));
    EXPECT_EQ(PaintedAt(Dib, {150, 60}), GreyPixel);
}
