// The free shape: placing it node by node with the mouse through the
// document, sampling and hit tests, the stored text, the node and tangent
// handles and their drags, the node commands, the three control modes and
// appending a stroke to an open end.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "DocumentTestView.h"
#include "FreeShapeTool.h"
#include "GoldenPicture.h"
#include "document/ImageFreeShape.h"
#include "framework/runtime/SysUtils.h"

static std::ostream& operator<<(std::ostream& Out, const TPoint& P) { return Out << "(" << P.X << "," << P.Y << ")"; }

namespace {
using TSegments = std::vector<TBezierSegment>;
}  // namespace

// Printed by gtest when segments differ.
void PrintTo(const TBezierSegment& B, std::ostream* Out)
{
    *Out << B.S << B.C1 << B.C2 << B.E;
}

namespace {
// A straight segment from A to B, its handles on its nodes.
TBezierSegment Line(TPoint A, TPoint B) { return TBezierSegment{A, A, B, B}; }

// The stored text of a shape with these segments (control mode 2, nothing
// selected), every start node smooth but the first.
String StoredText(const TSegments& Segs, bool Closed, Integer Mode = 2)
{
    String Text = u"#" + IntToStr(Mode) + u"<-1<<<<<<<<" + (Closed ? u"-1" : u"0") + u"#";
    for (size_t r = 0; r < Segs.size(); ++r) {
        const TBezierSegment& B = Segs[r];
        if (r > 0) Text += u">";
        for (const TPoint& P : {B.S, B.C1, B.C2, B.E}) Text += IntToStr(P.X) + u"<" + IntToStr(P.Y) + u"<";
        Text += r == 0 && !Closed ? u"<0<<<0<0<<<<<<<<<<<" : u"<-1<<<0<0<<<<<<<<<<<";
    }
    return Text;
}

class FreeShapes : public ::testing::Test {
protected:
    void SetUp() override
    {
        Doc = NewBlankDocument(View, 400, 300, false);
        Doc->InitBitmap();
        // The per-kind defaults: a blue outline 1 pixel wide, no fill, every effect off.
        Defaults = std::make_unique<TDataTable>();
        for (Integer k = 0; k < ShapeTypeCount; ++k) {
            TRow* R = Defaults->AddItem(String(99, u','));
            for (auto [Col, Value] : {std::pair{14, 0xFF0000}, {15, 0x00FF00}, {16, 255}, {18, 1}, {20, -1},
                                      {21, 0}, {27, -1}, {28, -1}, {29, -1}, {98, 15}})
                R->GetItem(Col)->SetValue(Value);
        }
        Doc->SetPropDT(Defaults.get());
        Buffer.SetSize(400, 300);
        Tool = std::make_unique<TFreeShapeTool>(*Doc, Buffer);
    }

    // A finished free shape with these segments, selected and current.
    TImgFreeShape* Add(const TSegments& Segs, bool Closed = false, Integer Mode = 2)
    {
        auto* F = AddObject<TImgFreeShape>(*Doc, NextId, shFreeShape);
        F->SetLoading(true);
        F->SetPoints(StoredText(Segs, Closed, Mode));
        F->SetLoading(false);
        F->SetCreating(false);
        F->SetColor(0xFF0000);
        F->SetOpacity(255);
        F->SetOutWidth(1);
        F->CalcRect();
        F->CalcCenterPoint();
        F->CalcPointsRatio();
        F->Select();
        Doc->SetCurrentShape(NextId++);
        Tool->Paint();
        return F;
    }

    TImgFreeShape* Shape() { return Tool->Shape(); }
    // Every object goes.
    void ClearObjects()
    {
        Doc->SelectShape(selNone, -1);
        Doc->SetCurrentShape(-1);
        Doc->DT()->Clear();
    }

    TTestView View;
    std::unique_ptr<TImageDraw> Doc;
    std::unique_ptr<TDataTable> Defaults;
    TCustomBitmap32 Buffer;
    std::unique_ptr<TFreeShapeTool> Tool;
    Integer NextId = 1;
};

// An open shape of three segments through four nodes.
const TSegments ThreeSegments = {
    {{20, 100}, {40, 80}, {80, 80}, {100, 100}},
    {{100, 100}, {120, 120}, {160, 120}, {180, 100}},
    {{180, 100}, {200, 80}, {240, 80}, {260, 100}},
};
// A closed square of four straight segments.
const TSegments Square = {Line({100, 100}, {200, 100}), Line({200, 100}, {200, 200}), Line({200, 200}, {100, 200}),
                          Line({100, 200}, {100, 100})};
}  // namespace

// ---------------------------------------------------------------------------
// Creating with the mouse

TEST_F(FreeShapes, PressesPlaceNodesAndAPressOnTheFirstNodeClosesTheShape)
{
    for (TPoint P : {TPoint{10, 10}, TPoint{50, 10}, TPoint{50, 50}}) {
        Tool->Move(P);
        Tool->Click(P);
        ASSERT_TRUE(Doc->ShapeCreating());
    }
    // The rubber band: the newest node's segment runs to the pointer.
    Tool->Move({30, 70});
    const std::vector<TPoint> Chain = Shape()->CreatingChain();
    ASSERT_EQ(Chain.size(), 10u);
    EXPECT_EQ(Chain[6], (TPoint{50, 50}));
    EXPECT_EQ(Chain[8], (TPoint{30, 70}));
    EXPECT_EQ(Chain[9], (TPoint{30, 70}));

    Tool->Move({11, 9});
    Tool->Click({11, 9});
    ASSERT_FALSE(Doc->ShapeCreating());
    TImgFreeShape* F = Shape();
    ASSERT_NE(F, nullptr);
    EXPECT_EQ(F->Segments(), (TSegments{Line({10, 10}, {50, 10}), Line({50, 10}, {50, 50}), Line({50, 50}, {10, 10})}));
    EXPECT_TRUE(F->Closed());
    EXPECT_TRUE(F->RowFlag(0, 9)) << "the closing node is smooth";
    EXPECT_TRUE(F->Selected());
    EXPECT_EQ(F->ControlMode(), 2);
    EXPECT_EQ(F->SelectPointIndex(), -1);
    EXPECT_EQ(F->SRect(), (TRect{10, 10, 50, 50}));
    EXPECT_TRUE(Doc->Changed());
}

TEST_F(FreeShapes, ARightPressEndsAnOpenShapeAndADoubleClickAddsOneNode)
{
    Tool->PlaceOpen({{10, 10}, {50, 10}, {50, 50}});
    ASSERT_FALSE(Doc->ShapeCreating());
    EXPECT_EQ(Shape()->Segments(), (TSegments{Line({10, 10}, {50, 10}), Line({50, 10}, {50, 50})}));
    EXPECT_FALSE(Shape()->Closed());

    Tool->Click({200, 100});  // deselects only
    Tool->Click({200, 100});
    ASSERT_TRUE(Doc->ShapeCreating());
    Tool->Move({260, 100});
    Tool->Click({260, 100});
    Tool->Move({260, 160});
    Tool->Click({260, 160});
    // The double click's own press on the same spot places nothing.
    Tool->Press({260, 160});
    EXPECT_EQ(Shape()->BezierCount(), 3);
    Tool->DoubleClick();
    ASSERT_FALSE(Doc->ShapeCreating());
    EXPECT_EQ(Shape()->Segments(), (TSegments{Line({200, 100}, {260, 100}), Line({260, 100}, {260, 160})}));
    EXPECT_EQ(Doc->DT()->ItemCount(), 2);

    // A stroke of one node is no shape.
    Tool->Click({300, 250});
    Tool->Click({300, 250});
    Tool->Press({300, 250}, true);
    Tool->Release();
    EXPECT_FALSE(Doc->ShapeCreating());
    EXPECT_EQ(Doc->DT()->ItemCount(), 2);
}

TEST_F(FreeShapes, DraggingAfterAPressSetsBothHandlesOfTheNewNode)
{
    for (TPoint P : {TPoint{10, 10}, TPoint{60, 10}}) {
        Tool->Move(P);
        Tool->Click(P);
    }
    Tool->Move({60, 60});
    Tool->Press({60, 60});
    Tool->Move({70, 65});
    Tool->Move({80, 70});
    TImgFreeShape* F = Shape();
    EXPECT_EQ(F->BezierPoint(2, 1), (TPoint{80, 70}));
    EXPECT_EQ(F->BezierPoint(1, 2), (TPoint{40, 50})) << "the mirror image about the node";
    // While the handle is dragged the curve up to the new node shows.
    const std::vector<TPoint> Chain = F->CreatingChain();
    ASSERT_EQ(Chain.size(), 7u);
    EXPECT_EQ(Chain[5], (TPoint{40, 50}));
    EXPECT_EQ(Chain[6], (TPoint{60, 60}));
    Tool->Release();
    EXPECT_TRUE(Doc->ShapeCreating());
}

// ---------------------------------------------------------------------------
// Sampling and hit tests

TEST_F(FreeShapes, SegmentsAreSampledByTheirSpan)
{
    struct Case {
        TBezierSegment Segment;
        size_t Samples;
    };
    const Case Cases[] = {
        {Line({0, 0}, {300, 0}), 301},
        {Line({0, 0}, {20, 0}), 101},
        {Line({0, 0}, {100, 0}), 101},
        {Line({0, 0}, {101, 0}), 102},
        {{{0, 0}, {0, 200}, {150, 200}, {150, 0}}, 151},  // 150 pixels wide and high
    };
    for (const Case& C : Cases) {
        TImgFreeShape* F = Add({C.Segment});
        ASSERT_EQ(F->PathPoints().size(), 1u);
        EXPECT_EQ(F->PathPoints()[0].size(), C.Samples);
        EXPECT_EQ(F->PathPoints()[0].front(), C.Segment.S);
        EXPECT_EQ(F->PathPoints()[0].back(), C.Segment.E);
        EXPECT_EQ(F->PathTs()[0].back(), 1.0f);
    }
    // A damaged document's segment spanning half a billion pixels does not
    // take gigabytes.
    TImgFreeShape* F = Add({Line({-200000000, 0}, {200000000, 10})});
    EXPECT_LE(F->PathPoints()[0].size(), 65537u);
}

TEST_F(FreeShapes, HitTests)
{
    // An arch from (10, 50) up to y = 20 and down to (110, 50).
    const TSegments Arch = {{{10, 50}, {10, 10}, {110, 10}, {110, 50}}};
    struct Case {
        bool Fill;
        TPoint P;
        bool Hit;
    };
    const Case Cases[] = {
        {false, {60, 20}, true}, {false, {60, 23}, true},  {false, {60, 24}, false}, {false, {60, 40}, false},
        {false, {60, 17}, true}, {false, {60, 16}, false}, {false, {113, 50}, true}, {false, {114, 50}, false},
        {true, {60, 40}, true},  {true, {60, 21}, true},   {true, {5, 40}, false},   {true, {110, 50}, false},
    };
    for (const Case& C : Cases) {
        TImgFreeShape* F = Add(Arch);
        F->SetOutWidth(5);
        F->SetIsFill(C.Fill);
        F->SetCurrentCtrIndex(3);
        EXPECT_EQ(F->PtInShape(C.P.X, C.P.Y), C.Hit) << "fill " << C.Fill << " at " << C.P;
        if (C.Hit) EXPECT_EQ(F->CurrentCursor(), crSizeAll);
        if (C.Hit) EXPECT_EQ(F->CurrentCtrIndex(), -1);
    }
    // In box editing a selected shape is hit anywhere in its rectangle.
    TImgFreeShape* F = Add(Arch, false, 1);
    EXPECT_TRUE(F->PtInShape(60, 40));
    F->UnSelect();
    EXPECT_FALSE(F->PtInShape(60, 40));
    // Turned by 90 degrees about its centre (60, 35), the arch's top lies left.
    F->SetAngle(90);
    EXPECT_TRUE(F->PtInShape(45, 35));
    EXPECT_FALSE(F->PtInShape(60, 20));
}

// A flat shape's rectangle has no height: its line is still its body, and an
// outline is hit within its reach wherever the curve runs.
TEST_F(FreeShapes, AFlatShapeIsHitOnItsLine)
{
    struct Case {
        Integer OutWidth;
        TPoint P;
        bool Hit;
    };
    const Case Cases[] = {
        {1, {150, 150}, true},  {1, {200, 150}, true},  {1, {100, 150}, true}, {1, {150, 151}, true},
        {1, {150, 149}, true},  {1, {201, 150}, true},  {1, {150, 152}, false}, {1, {202, 150}, false},
        {6, {150, 154}, true},  {6, {150, 146}, true},  {6, {150, 155}, false}, {6, {96, 150}, true},
    };
    for (const Case& C : Cases) {
        ClearObjects();
        TImgFreeShape* F = Add({Line({100, 150}, {200, 150})});
        ASSERT_EQ(F->SRect(), (TRect{100, 150, 200, 150}));
        F->SetOutWidth(C.OutWidth);
        EXPECT_EQ(F->PtInShape(C.P.X, C.P.Y), C.Hit) << "width " << C.OutWidth << " at " << C.P;
    }
    // Picked by a press on it, as the user does.
    ClearObjects();
    TImgFreeShape* F = Add({Line({100, 150}, {200, 150})});
    Doc->SelectShape(selNone, -1);
    ASSERT_FALSE(F->Selected());
    Tool->Click({150, 150});
    EXPECT_TRUE(F->Selected());
    EXPECT_EQ(Doc->Shape(), F);
}

TEST_F(FreeShapes, PtInPathFindsTheNearestCurvePointOfTheFirstSegmentNearby)
{
    TImgFreeShape* F = Add({Line({100, 100}, {200, 200}), Line({200, 200}, {300, 100})});
    EXPECT_FALSE(F->PtInPath(150, 100));
    ASSERT_TRUE(F->PtInPath(152, 150));
    EXPECT_EQ(F->PointAddToBeIndex(), 0);
    EXPECT_EQ(F->PointAdded(), (TPoint{151, 151}));
    EXPECT_NEAR(F->T(), 0.51f, 1e-6);
    // Near the shared node the first segment wins.
    ASSERT_TRUE(F->PtInPath(200, 198));
    EXPECT_EQ(F->PointAddToBeIndex(), 0);
    EXPECT_FALSE(F->PtInPath(95, 50)) << "outside the rectangle grown by 10";
}

// ---------------------------------------------------------------------------
// The stored text

TEST_F(FreeShapes, StoredTextHoldsNoSeparatorsAndLoadsBack)
{
    TImgFreeShape* F = Add(ThreeSegments);
    Tool->Click({100, 100});  // selects node 2
    ASSERT_EQ(F->SelectPointIndex(), 2);
    Doc->FreeShapeSetControlMode(4);
    const String Text = F->GetPoints();
    EXPECT_EQ(Text.find(u','), String::npos);
    EXPECT_EQ(Text.find(u'|'), String::npos);
    EXPECT_EQ(Text.substr(0, 7), u"#4<2<<<");

    TImgFreeShape Loaded(nullptr, 9, nullptr);
    Loaded.SetPoints(Text);
    EXPECT_EQ(Loaded.Segments(), ThreeSegments);
    EXPECT_EQ(Loaded.ControlMode(), 4);
    EXPECT_EQ(Loaded.SelectPointIndex(), 2);
    EXPECT_FALSE(Loaded.Closed());
    EXPECT_EQ(Loaded.BeDT()->GetItem(1)->ItemCount(), 25);
    for (Integer k = 16; k < 24; ++k)
        EXPECT_EQ(Loaded.BeDT()->GetItem(2)->GetItem(k)->Text(), F->BeDT()->GetItem(2)->GetItem(k)->Text());

    // Through the document's rows: written to column 42 and rebuilt.
    Doc->StoreShapeGeometry();
    EXPECT_EQ(Doc->DT()->GetItem(0)->GetItem(42)->Text(), Text);
    Doc->CreateShapeObjects(-1);
    auto* Rebuilt = dynamic_cast<TImgFreeShape*>(TImageDraw::RowShape(Doc->DT()->GetItem(0)));
    ASSERT_NE(Rebuilt, nullptr);
    EXPECT_EQ(Rebuilt->Segments(), ThreeSegments);
    EXPECT_EQ(Rebuilt->SRect(), (TRect{20, 85, 260, 115}));
}

TEST_F(FreeShapes, DamagedStoredTextsLoadWhatTheyHold)
{
    struct Case {
        const char16_t* Text;
        Integer Rows;
        Integer Mode;
        Integer Index;
    };
    const Case Cases[] = {
        {u"", 0, 2, -1},
        {u"garbage", 0, 2, -1},
        {u"#7<99#", 0, 2, -1},
        {u"#1<3#1<2<3<4<5<6<7<8", 1, 1, -1},
        {u"#2<1#1<2<3<4<5<6<7<8>1<2<3", 1, 2, 1},
        {u"#4#400000000<-400000000<0<0<0<0<1<1", 1, 4, -1},
        {u"#2<0<<<<<<<<-1#x<y<1<1<2<2<3<3<<q", 1, 2, 0},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(UTF8Encode(C.Text));
        TImgFreeShape F(nullptr, 1, nullptr);
        F.SetLoading(true);
        F.SetPoints(C.Text);
        EXPECT_EQ(F.BezierCount(), C.Rows);
        EXPECT_EQ(F.ControlMode(), C.Mode);
        EXPECT_EQ(F.SelectPointIndex(), C.Index);
        F.SetCreating(false);
        F.CalcRect();
        F.CalcCenterPoint();
        F.CalcPointsRatio();
        F.CalcPoints(false);
        F.PtInShape(1, 1);
        F.PtInPath(1, 1);
        for (Integer r = 0; r < F.BezierCount(); ++r) {
            EXPECT_EQ(F.BeDT()->GetItem(r)->ItemCount(), 25);
            EXPECT_LE(std::abs(F.BezierPoint(r, 0).X), 1 << 28);
        }
    }
}

// ---------------------------------------------------------------------------
// Node and tangent handles

TEST_F(FreeShapes, TangentDragsMirrorSmoothNodes)
{
    struct Case {
        const char* Name;
        bool Smooth;       // node 2 (the start of row 1)
        bool Ctrl;
        TPoint Node;       // clicked to select it
        TPoint From, To;   // the tangent handle dragged
        TSegments Expected;
    };
    const TSegments& T = ThreeSegments;
    auto With = [&](std::initializer_list<std::tuple<Integer, Integer, TPoint>> Changes) {
        TSegments S = T;
        for (auto [Row, K, P] : Changes) (&S[Row].S)[K] = P;
        return S;
    };
    const Case Cases[] = {
        {"smooth node, outgoing handle", true, false, {100, 100}, {120, 120}, {130, 100},
         With({{1, 1, {130, 100}}, {0, 2, {72, 100}}})},
        {"smooth node, incoming handle", true, false, {100, 100}, {80, 80}, {70, 100},
         With({{0, 2, {70, 100}}, {1, 1, {128, 100}}})},
        {"corner node: no mirror", false, false, {100, 100}, {120, 120}, {130, 100}, With({{1, 1, {130, 100}}})},
        {"corner node with Ctrl", false, true, {100, 100}, {120, 120}, {130, 100},
         With({{1, 1, {130, 100}}, {0, 2, {72, 100}}})},
        {"first node of an open shape", true, false, {20, 100}, {40, 80}, {40, 60}, With({{0, 1, {40, 60}}})},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        ClearObjects();
        TImgFreeShape* F = Add(T);
        F->SetRowFlag(1, 9, C.Smooth);
        Tool->Click(C.Node);
        ASSERT_EQ(F->SelectPointCount(), 1);
        Tool->Drag(C.From, C.To, C.Ctrl);
        EXPECT_EQ(F->CurrentCtrTangIndex() >= 0, true);
        EXPECT_EQ(F->Segments(), C.Expected);
    }
}

TEST_F(FreeShapes, TangentHandlesAreSelectedNodeHandlesAndTheNextNodesIncomingOne)
{
    TImgFreeShape* F = Add(ThreeSegments);
    Tool->Click({100, 100});
    ASSERT_EQ(F->SelectPointIndex(), 2);
    const TPoint Expected[4] = {{40, 80}, {80, 80}, {120, 120}, {160, 120}};
    for (Integer t = 0; t < 4; ++t) {
        EXPECT_EQ(F->CtrTangPoints()[t], Expected[t]);
        EXPECT_EQ(F->CtrTangRects()[t], (TRect{Expected[t].X - 3, Expected[t].Y - 3, Expected[t].X + 3, Expected[t].Y + 3}));
    }
    // The inner end nodes have no handle of their own; the free end has one.
    EXPECT_EQ(F->NodeCtrRects()[1], TRect{});
    EXPECT_EQ(F->NodeCtrRects()[5], (TRect{257, 97, 263, 103}));
    // Dragging the next node's incoming handle makes that node a corner.
    ASSERT_TRUE(F->RowFlag(2, 9));
    Tool->Drag({160, 120}, {150, 130});
    EXPECT_EQ(F->BezierPoint(1, 2), (TPoint{150, 130}));
    EXPECT_FALSE(F->RowFlag(2, 9));
    // Dragging the previous node's outgoing handle makes that node a corner.
    F->SetRowFlag(0, 9, true);
    Tool->Drag({40, 80}, {45, 70});
    EXPECT_EQ(F->BezierPoint(0, 1), (TPoint{45, 70}));
    EXPECT_FALSE(F->RowFlag(0, 9));
    // The rectangle follows the end of every drag.
    TRect Box;
    GetPointsRect(F->PathAllPoints(), Box);
    EXPECT_EQ(F->SRect(), Box);
    EXPECT_GT(Box.Bottom, 115);
}

TEST_F(FreeShapes, CtrlClicksSelectSeveralNodesThatMoveTogether)
{
    TImgFreeShape* F = Add(ThreeSegments);
    Tool->Click({100, 100});
    Tool->Click({180, 100}, true);
    EXPECT_EQ(F->SelectPointCount(), 2);
    EXPECT_EQ(F->SelectPointIndex(), 4);
    // Either selected node drags both, each with both of its handles.
    Tool->Drag({180, 100}, {185, 107});
    TSegments Expected = ThreeSegments;
    for (auto [Row, K] : {std::pair{0, 2}, {0, 3}, {1, 0}, {1, 1}, {1, 2}, {1, 3}, {2, 0}, {2, 1}}) {
        (&Expected[Row].S)[K].X += 5;
        (&Expected[Row].S)[K].Y += 7;
    }
    EXPECT_EQ(F->Segments(), Expected);
    // A plain click on the other selected node selects it alone.
    Tool->Click({105, 107});
    EXPECT_EQ(F->SelectPointCount(), 1);
    EXPECT_EQ(F->SelectPointIndex(), 2);
    EXPECT_TRUE(F->RowFlag(1, 12));
    // The free end is selected through its own flag.
    Tool->Click({260, 100});
    EXPECT_EQ(F->SelectPointIndex(), 5);
    EXPECT_TRUE(F->RowFlag(2, 13));
    EXPECT_FALSE(F->RowFlag(1, 12));
    Tool->Drag({260, 100}, {270, 90});
    EXPECT_EQ(F->BezierPoint(2, 2), (TPoint{250, 70}));
    EXPECT_EQ(F->BezierPoint(2, 3), (TPoint{270, 90}));
    // Unselecting the shape clears the node selection.
    Tool->Click({390, 290});
    EXPECT_FALSE(F->Selected());
    EXPECT_EQ(F->SelectPointCount(), 0);
}

TEST_F(FreeShapes, ShiftLetsATangentHandleOnItsNodeWin)
{
    TImgFreeShape* F = Add({Line({20, 100}, {100, 100}), Line({100, 100}, {180, 150})});
    Tool->Click({100, 100});
    ASSERT_EQ(F->SelectPointIndex(), 2);
    ASSERT_TRUE(F->PtInControl(100, 100));
    EXPECT_EQ(F->CurrentCtrTangIndex(), -1);
    Doc->SetPressSht(true);
    ASSERT_TRUE(F->PtInControl(100, 100));
    EXPECT_EQ(F->CurrentCtrTangIndex(), 1);
    EXPECT_EQ(F->CurrentCtrIndex(), 2);
    EXPECT_EQ(F->CurrentCursor(), crHandPoint);
    Doc->SetPressSht(false);
    // Unselected, no handle answers.
    F->UnSelect();
    EXPECT_FALSE(F->PtInControl(100, 100));
}

// ---------------------------------------------------------------------------
// Node commands

TEST_F(FreeShapes, NodeCommands)
{
    struct Case {
        const char* Name;
        TSegments Start;
        bool Closed;
        std::vector<TPoint> Clicks;  // nodes clicked, the later ones with Ctrl
        void (*Command)(TImageDraw&);
        TSegments Expected;
        bool ClosedAfter;
        Integer SelectedAfter = 0;
    };
    const Case Cases[] = {
        {"close: the last handle keeps its offset",
         {Line({0, 0}, {50, 50}), {{50, 50}, {50, 50}, {90, 10}, {100, 0}}}, false, {},
         [](TImageDraw& D) { D.FreeShapeCloseShape(); },
         {Line({0, 0}, {50, 50}), {{50, 50}, {50, 50}, {-10, 10}, {0, 0}}}, true},
        {"break at node 2", Square, true, {{200, 200}},
         [](TImageDraw& D) { D.FreeShapeBreakNode(); },
         {Line({200, 200}, {100, 200}), Line({100, 200}, {100, 100}), Line({100, 100}, {200, 100}),
          {{200, 100}, {200, 100}, {202, 202}, {202, 202}}}, false},
        {"break at node 0 opens without turning", Square, true, {{100, 100}},
         [](TImageDraw& D) { D.FreeShapeBreakNode(); },
         {Square[0], Square[1], Square[2], {{100, 200}, {100, 200}, {102, 102}, {102, 102}}}, false},
        {"delete an inner node", ThreeSegments, false, {{100, 100}},
         [](TImageDraw& D) { D.FreeShapeDeleteNode(); },
         {{{20, 100}, {40, 80}, {160, 120}, {180, 100}}, ThreeSegments[2]}, false},
        {"delete two nodes", ThreeSegments, false, {{100, 100}, {180, 100}},
         [](TImageDraw& D) { D.FreeShapeDeleteNode(); },
         {{{20, 100}, {40, 80}, {240, 80}, {260, 100}}}, false},
        {"delete the first node of a closed shape", Square, true, {{100, 100}},
         [](TImageDraw& D) { D.FreeShapeDeleteNode(); }, {Square[1], Square[2], Square[3]}, false},
        {"delete the free end", ThreeSegments, false, {{260, 100}},
         [](TImageDraw& D) { D.FreeShapeDeleteNode(); }, {ThreeSegments[0], ThreeSegments[1]}, false},
        {"collapse the handles of a node", ThreeSegments, false, {{100, 100}},
         [](TImageDraw& D) { EXPECT_TRUE(D.FreeShapeHideTangent()); },
         {{{20, 100}, {40, 80}, {100, 100}, {100, 100}}, {{100, 100}, {100, 100}, {160, 120}, {180, 100}},
          ThreeSegments[2]}, false, 1},
        {"collapse the first node's handle of an open shape", ThreeSegments, false, {{20, 100}},
         [](TImageDraw& D) { EXPECT_TRUE(D.FreeShapeHideTangent()); },
         {{{20, 100}, {20, 100}, {80, 80}, {100, 100}}, ThreeSegments[1], ThreeSegments[2]}, false, 1},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        ClearObjects();
        TImgFreeShape* F = Add(C.Start, C.Closed);
        bool Ctrl = false;
        for (TPoint P : C.Clicks) {
            Tool->Click(P, Ctrl);
            Ctrl = true;
        }
        ASSERT_EQ(F->SelectPointCount(), static_cast<Integer>(C.Clicks.size()));
        Doc->SetChangedFlag(false);
        C.Command(*Doc);
        EXPECT_EQ(F->Segments(), C.Expected);
        EXPECT_EQ(F->Closed(), C.ClosedAfter);
        EXPECT_EQ(F->SelectPointCount(), C.SelectedAfter);
        if (C.SelectedAfter == 0) EXPECT_EQ(F->SelectPointIndex(), -1);
        EXPECT_EQ(F->NodeCtrRects().size(), 2 * C.Expected.size());
        EXPECT_TRUE(Doc->Changed());
        // The samples follow the nodes at once.
        ASSERT_EQ(F->PathPoints().size(), C.Expected.size());
        EXPECT_EQ(F->PathPoints().back().back(), C.Expected.back().E);
    }
}

TEST_F(FreeShapes, CommandsWithoutASelectedNodeChangeNothing)
{
    TImgFreeShape* F = Add(ThreeSegments);
    Doc->SetChangedFlag(false);
    EXPECT_FALSE(Doc->FreeShapeHideTangent());
    EXPECT_FALSE(Doc->FreeShapeSetCommonTangent(true));
    Doc->FreeShapeDeleteNode();
    EXPECT_EQ(F->Segments(), ThreeSegments);
    EXPECT_FALSE(Doc->Changed());
    // A smooth or corner node; the first node of an open shape stays a corner.
    Tool->Click({20, 100});
    EXPECT_FALSE(Doc->FreeShapeSetCommonTangent(true));
    Tool->Click({100, 100});
    EXPECT_FALSE(Doc->FreeShapeSetCommonTangent(true));
    EXPECT_TRUE(Doc->FreeShapeSetCommonTangent(false));
    EXPECT_FALSE(F->RowFlag(1, 9));
    EXPECT_TRUE(Doc->Changed());
    // Deleting the last segment's nodes deletes the object.
    ClearObjects();
    TImgFreeShape* One = Add({Line({50, 50}, {150, 60})});
    Tool->Click({50, 50});
    Tool->Click({150, 60}, true);
    ASSERT_EQ(One->SelectPointCount(), 2);
    Doc->FreeShapeDeleteNode();
    EXPECT_EQ(Doc->DT()->ItemCount(), 0);
    EXPECT_EQ(Doc->Shape(), nullptr);
}

TEST_F(FreeShapes, AddingANodeSplitsTheSegmentUnderThePointer)
{
    // A straight segment along y = x with its handles on the line.
    TImgFreeShape* F = Add({{{100, 100}, {130, 130}, {170, 170}, {200, 200}}});
    F->SetPointAdding(true);
    EXPECT_EQ(Doc->GetShapeCursor(150, 100, 150, 100), crAddPointOff);
    EXPECT_EQ(Doc->GetShapeCursor(150, 151, 150, 151), crAddPointOn);
    Tool->Click({150, 151});
    EXPECT_FALSE(F->PointAdding());
    ASSERT_EQ(F->BezierCount(), 2);
    EXPECT_EQ(F->SelectPointIndex(), 2);
    EXPECT_TRUE(F->RowFlag(1, 9));
    EXPECT_EQ(F->BezierPoint(0, 3), F->PointAdded());
    EXPECT_EQ(F->BezierPoint(1, 0), F->PointAdded());
    EXPECT_EQ(F->BezierPoint(1, 3), (TPoint{200, 200}));
    // The two new handles and the node lie on the line.
    for (Integer r = 0; r < 2; ++r)
        for (Integer k = 0; k < 4; ++k) EXPECT_EQ(F->BezierPoint(r, k).X, F->BezierPoint(r, k).Y) << r << " " << k;
    EXPECT_LT(F->BezierPoint(0, 2).X, F->PointAdded().X);
    EXPECT_GT(F->BezierPoint(1, 1).X, F->PointAdded().X);
    EXPECT_TRUE(Doc->Changed());
}

// ---------------------------------------------------------------------------
// Control modes

TEST_F(FreeShapes, LeavingBoxEditingTurnsTheNodes)
{
    // A square around (150, 150) turned by 30 degrees in box editing.
    TImgFreeShape* F = Add(Square, true, 1);
    F->SetAngle(30);
    EXPECT_FALSE(Doc->FreeShapeSetControlMode(1));
    F->SetPointAdding(true);
    ASSERT_TRUE(Doc->FreeShapeSetControlMode(2));
    EXPECT_EQ(F->Angle(), 0);
    EXPECT_EQ(F->ControlMode(), 2);
    EXPECT_FALSE(F->PointAdding());
    // (100, 100) turned 30 degrees counter-clockwise about (150, 150).
    EXPECT_EQ(F->BezierPoint(0, 0), (TPoint{82, 132}));
    EXPECT_EQ(F->BezierPoint(1, 0), (TPoint{168, 82}));
    EXPECT_EQ(F->BezierPoint(2, 0), (TPoint{218, 168}));
    EXPECT_EQ(F->BezierPoint(3, 0), (TPoint{132, 218}));
    EXPECT_EQ(F->BezierPoint(3, 3), (TPoint{82, 132}));
    EXPECT_EQ(F->SRect(), (TRect{82, 82, 218, 218}));
    EXPECT_TRUE(Doc->Changed());
}

TEST_F(FreeShapes, BoxEditingScalesTheNodesByTheirFractions)
{
    TImgFreeShape* F = Add({{{100, 100}, {100, 150}, {200, 150}, {200, 200}}}, false, 1);
    Tool->Paint();
    // The bottom-right handle from (200, 200) to (300, 250).
    Tool->Drag({200, 200}, {300, 250});
    EXPECT_EQ(F->SRect(), (TRect{100, 100, 300, 250}));
    EXPECT_EQ(F->Segments(), (TSegments{{{100, 100}, {100, 175}, {300, 175}, {300, 250}}}));
}

TEST_F(FreeShapes, SkewingShearsTheNodesAboutTheMiddleLine)
{
    struct Case {
        const char* Name;
        TSegments Start;
        TPoint From, To;
        TSegments Expected;
    };
    const Case Cases[] = {
        {"handle 5 by 20", Square, {150, 90}, {170, 90},
         {Line({120, 100}, {220, 100}), Line({220, 100}, {180, 200}), Line({180, 200}, {80, 200}),
          Line({80, 200}, {120, 100})}},
        {"handle 8 by 10", Square, {210, 150}, {210, 160},
         {Line({100, 90}, {200, 110}), Line({200, 110}, {200, 210}), Line({200, 210}, {100, 190}),
          Line({100, 190}, {100, 90})}},
        // A flat shape has no height to shear across: it stays.
        {"flat shape", {{{100, 150}, {130, 150}, {170, 150}, {200, 150}}}, {150, 140}, {170, 140},
         {{{100, 150}, {130, 150}, {170, 150}, {200, 150}}}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        ClearObjects();
        TImgFreeShape* F = Add(C.Start, C.Start.size() == 4);
        ASSERT_TRUE(Doc->FreeShapeSetControlMode(4));
        Tool->Paint();
        // The flat shape's rectangle has no body to press on: its handle is.
        Tool->Drag(C.From, C.To);
        EXPECT_EQ(F->Segments(), C.Expected);
        for (Integer r = 0; r < F->BezierCount(); ++r)
            for (Integer k = 16; k < 24; ++k)
                EXPECT_NE(F->BeDT()->GetItem(r)->GetItem(k)->Text().find_first_of(u"0123456789"), String::npos);
    }
}

TEST_F(FreeShapes, FractionsOfAFlatShapeAreZero)
{
    TImgFreeShape* F = Add({Line({100, 150}, {200, 150})});
    ASSERT_EQ(F->SRect(), (TRect{100, 150, 200, 150}));
    const TRow& Row = *F->BeDT()->GetItem(0);
    EXPECT_EQ(Row.GetItem(16)->Text(), u"0");
    EXPECT_EQ(Row.GetItem(17)->Text(), u"0");
    EXPECT_EQ(Row.GetItem(22)->Text(), u"1");
    EXPECT_EQ(Row.GetItem(23)->Text(), u"0");
    // Scaled in box editing, the flat side stays on the rectangle's top.
    Doc->FreeShapeSetControlMode(1);
    F->SetSRect({100, 150, 300, 170});
    F->CalcPoints(false);
    EXPECT_EQ(F->Segments(), (TSegments{Line({100, 150}, {300, 150})}));
}

TEST_F(FreeShapes, MovingTheShapeMovesEveryNodeHandleAndSample)
{
    TImgFreeShape* F = Add(ThreeSegments);
    F->SetIsFill(true);
    TArrayOfPoint Samples = F->PathAllPoints();
    // Pressed on its body (filled: anywhere inside), it follows the pointer.
    Tool->Drag({60, 95}, {90, 75});
    TSegments Expected = ThreeSegments;
    for (TBezierSegment& B : Expected)
        for (TPoint* P : {&B.S, &B.C1, &B.C2, &B.E}) IncPoint(*P, 30, -20);
    EXPECT_EQ(F->Segments(), Expected);
    for (TPoint& P : Samples) IncPoint(P, 30, -20);
    EXPECT_EQ(F->PathAllPoints(), Samples);
    EXPECT_EQ(F->SRect(), (TRect{50, 65, 290, 95}));
    // The arrow keys nudge it a pixel.
    Doc->MoveShapeByArrowKey(40);
    EXPECT_EQ(F->BezierPoint(0, 0), (TPoint{50, 81}));
    EXPECT_EQ(F->PathAllPoints().front(), (TPoint{50, 81}));
}

TEST_F(FreeShapes, UndoBringsBackTheNodes)
{
    TDataTable UndoDT, ActionDT;
    const TImageDrawHooks Saved = ImageDrawHooks;
    auto Restore = ScopeExit([&] {
        ImageDrawHooks = Saved;
        Doc->SetUndoDT(nullptr);
        Doc->SetActionDT(nullptr);
    });
    ImageDrawHooks.AvailPhysMemory = [] { return static_cast<UInt64>(4096) << 20; };
    Doc->SetUndoDT(&UndoDT);
    Doc->SetActionDT(&ActionDT);
    Doc->SaveUndoFirst();
    Tool->PlaceOpen({{20, 100}, {100, 100}, {180, 120}});
    Doc->SaveUndo();
    Tool->Click({100, 100});
    Doc->FreeShapeDeleteNode();
    Doc->SaveUndo();
    ASSERT_EQ(Shape()->Segments(), (TSegments{Line({20, 100}, {180, 120})}));
    Doc->Undo();
    auto* F = dynamic_cast<TImgFreeShape*>(TImageDraw::RowShape(Doc->DT()->GetItem(0)));
    ASSERT_NE(F, nullptr);
    EXPECT_EQ(F->Segments(), (TSegments{Line({20, 100}, {100, 100}), Line({100, 100}, {180, 120})}));
    Doc->Redo();
    F = dynamic_cast<TImgFreeShape*>(TImageDraw::RowShape(Doc->DT()->GetItem(0)));
    ASSERT_NE(F, nullptr);
    EXPECT_EQ(F->Segments(), (TSegments{Line({20, 100}, {180, 120})}));
}

// ---------------------------------------------------------------------------
// Appending a stroke to an open end

TEST_F(FreeShapes, AltOnAnOpenEndAppendsTheNextStroke)
{
    struct Case {
        const char* Name;
        TPoint End;
        TSegments Expected;
    };
    const TSegments Start = {Line({20, 20}, {100, 20}), Line({100, 20}, {100, 100})};
    const Case Cases[] = {
        {"at the last node", {101, 101},
         {Start[0], Start[1], {{100, 100}, {101, 101}, {160, 100}, {160, 100}}, Line({160, 100}, {160, 160})}},
        {"at the first node", {19, 21},
         {{{160, 160}, {160, 160}, {160, 100}, {160, 100}}, {{160, 100}, {160, 100}, {19, 21}, {20, 20}},
          Start[0], Start[1]}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        ClearObjects();
        TImgFreeShape* F = Add(Start);
        Tool->Move(C.End);
        Tool->SetAlt(true);
        EXPECT_TRUE(Tool->Appending);
        EXPECT_TRUE(F->AppendFromStartPoint() || F->AppendFromEndPoint());
        // The yellow square shows where the stroke joins.
        const TPoint Node = C.End.X > 50 ? TPoint{100, 100} : TPoint{20, 20};
        EXPECT_EQ(Buffer.Pixel(Node.X, Node.Y), 0xFFFFFF00u);
        EXPECT_EQ(Buffer.Pixel(Node.X - 3, Node.Y), 0xFFFF0000u);
        // The stroke starts at the end and does not close on its own first node.
        Tool->Click(C.End);
        ASSERT_TRUE(Doc->ShapeCreating());
        EXPECT_TRUE(Shape()->Appending());
        for (TPoint P : {TPoint{160, 100}, TPoint{160, 160}}) {
            Tool->Move(P);
            Tool->Click(P);
        }
        Tool->Press({160, 160}, true);
        Tool->Release();
        Tool->SetAlt(false);
        ASSERT_EQ(Doc->DT()->ItemCount(), 1);
        EXPECT_EQ(Doc->Shape(), F);
        EXPECT_TRUE(F->Selected());
        EXPECT_EQ(F->Segments(), C.Expected);
        EXPECT_FALSE(F->AppendFromStartPoint() || F->AppendFromEndPoint());
    }
}

TEST_F(FreeShapes, AppendStateFollowsThePointer)
{
    TImgFreeShape* Closed = Add(Square, true);
    TImgFreeShape* Open = Add({Line({20, 20}, {60, 20})});
    bool Appending = false;
    auto Point = [&](Integer X, Integer Y) {
        Doc->SetMovedX(X);
        Doc->SetMovedY(Y);
    };
    Point(150, 100);
    EXPECT_FALSE(Doc->FreeShapeCheckAppendState(Appending)) << "a closed shape has no open end";
    Point(62, 20);
    ASSERT_TRUE(Doc->FreeShapeCheckAppendState(Appending));
    EXPECT_TRUE(Appending);
    EXPECT_TRUE(Open->AppendFromEndPoint());
    EXPECT_FALSE(Doc->FreeShapeCheckAppendState(Appending)) << "already armed there";
    Point(70, 20);
    ASSERT_TRUE(Doc->FreeShapeCheckAppendState(Appending));
    EXPECT_FALSE(Appending);
    EXPECT_FALSE(Open->AppendFromEndPoint());
    Open->SetFixed(true);
    Point(60, 20);
    EXPECT_FALSE(Doc->FreeShapeCheckAppendState(Appending)) << "a fixed shape is passed over";
    Open->SetFixed(false);
    Point(20, 20);
    ASSERT_TRUE(Doc->FreeShapeCheckAppendState(Appending));
    EXPECT_TRUE(Open->AppendFromStartPoint());
    EXPECT_FALSE(Closed->AppendFromStartPoint());
    // A stroke dropped as too short leaves nothing armed.
    Doc->CreateShape(shFreeShape);
    Doc->CreateShapeOver(true);
    EXPECT_FALSE(Open->AppendFromStartPoint());
}

// ---------------------------------------------------------------------------
// The handles as the control layer paints them

TEST_F(FreeShapes, HandlePicture)
{
    // A closed shape with a smooth node selected, showing its four tangent
    // handles, and a corner node added with Ctrl; over a ramp of colours so
    // that the inverted lines and squares show.
    TImgFreeShape* F = Add({{{40, 40}, {60, 20}, {100, 20}, {120, 40}},
                            {{120, 40}, {140, 60}, {140, 80}, {120, 100}},
                            {{120, 100}, {90, 110}, {60, 100}, {40, 100}},
                            {{40, 100}, {40, 100}, {40, 40}, {40, 40}}},
                           true);
    Buffer.SetSize(170, 130);
    for (Integer y = 0; y < Buffer.Height(); ++y)
        for (Integer x = 0; x < Buffer.Width(); ++x)
            Buffer.SetPixel(x, y, 0xFF000040 | TColor32(x * 255 / Buffer.Width()) << 16 |
                                      TColor32(y * 255 / Buffer.Height()) << 8);
    TCustomBitmap32 Ramp;
    Ramp.Assign(&Buffer);
    ASSERT_EQ(Ramp.Pixel(30, 30), Buffer.Pixel(30, 30));
    F->SetRowFlag(1, 9, true);
    Doc->SetPressCtl(true);
    F->SetSelectPointIndex(6);
    Doc->SetPressCtl(false);
    F->SetRowFlag(3, 9, false);
    Doc->SetPressCtl(true);
    F->SetSelectPointIndex(2);
    Doc->SetPressCtl(false);
    Buffer.Assign(&Ramp);
    Doc->PaintControlLayer(nullptr, &Buffer);
    ExpectGoldenPicture(Buffer, "free_shape_handles.bmp");
    if (std::getenv("LM_UPDATE_GOLDEN")) return;
    // What the picture shows: the smooth node green, the corner node blue,
    // the other nodes hollow, the tangent handles white.
    EXPECT_EQ(Buffer.Pixel(120, 40), Doc->CtrBmpG()->Pixel(3, 3));
    EXPECT_EQ(Buffer.Pixel(40, 100), Doc->CtrBmpB()->Pixel(3, 3));
    EXPECT_EQ(Buffer.Pixel(120, 100), Ramp.Pixel(120, 100));
    EXPECT_NE(Buffer.Pixel(117, 100), Ramp.Pixel(117, 100));
}

TEST_F(FreeShapes, WhileCreatingAPressOnTheFirstNodeShowsAYellowSquare)
{
    for (TPoint P : {TPoint{10, 10}, TPoint{50, 10}, TPoint{50, 50}}) {
        Tool->Move(P);
        Tool->Click(P);
    }
    Tool->Move({30, 30});
    EXPECT_NE(Buffer.Pixel(10, 10), 0xFFFFFF00u);
    Tool->Move({12, 11});
    EXPECT_EQ(Buffer.Pixel(10, 10), 0xFFFFFF00u);
    EXPECT_EQ(Buffer.Pixel(7, 7), 0xFFFF0000u);
    EXPECT_EQ(Buffer.Pixel(13, 13), 0xFFFF0000u);
}

// ---------------------------------------------------------------------------
// The node-table operations the commands are made of, called directly

TEST_F(FreeShapes, DeleteBezierByIndexIgnoresIndexesOutsideTheRows)
{
    struct Case {
        Integer Index;
        TSegments Expected;
    };
    const Case Cases[] = {
        {-1, ThreeSegments},
        {3, ThreeSegments},
        {1, {ThreeSegments[0], ThreeSegments[2]}},
        {2, {ThreeSegments[0], ThreeSegments[1]}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Index);
        ClearObjects();
        TImgFreeShape* F = Add(ThreeSegments);
        F->DeleteBezierByIndex(C.Index);
        EXPECT_EQ(F->Segments(), C.Expected);
        EXPECT_EQ(F->NodeCtrRects().size(), 2 * C.Expected.size());
    }
}

TEST_F(FreeShapes, CloseShapeClearsTheNodeSelectionOrReportsTheNewState)
{
    Integer StateChanges = 0;
    Doc->OnShapeStateChanged = [&](TObject*) { ++StateChanges; };
    // Nothing selected: the document hears of the closed shape.
    TImgFreeShape* F = Add(ThreeSegments);
    F->CloseShape();
    EXPECT_TRUE(F->Closed());
    EXPECT_EQ(F->BezierPoint(2, 3), (TPoint{20, 100}));
    EXPECT_EQ(F->BezierPoint(2, 2), (TPoint{0, 80}));  // moved with the end by (-240, 0)
    EXPECT_EQ(StateChanges, 1);
    // A node selected: the selection goes (which reports the state itself).
    ClearObjects();
    F = Add(ThreeSegments);
    Tool->Click({100, 100});
    ASSERT_EQ(F->SelectPointCount(), 1);
    StateChanges = 0;
    F->CloseShape();
    EXPECT_TRUE(F->Closed());
    EXPECT_EQ(F->SelectPointIndex(), -1);
    EXPECT_EQ(F->SelectPointCount(), 0);
    EXPECT_EQ(StateChanges, 1);
    // A shape of no rows stays as it is.
    TImgFreeShape Empty(Doc.get(), 99, nullptr);
    Empty.CloseShape();
    EXPECT_FALSE(Empty.Closed());
}

TEST_F(FreeShapes, SetCommonTangentSkipsOnlyTheFirstNodeOfAnOpenShape)
{
    struct Case {
        const char* Name;
        TSegments Start;
        bool Closed;
        TPoint Node;
        bool Value, Changed;
    };
    const Case Cases[] = {
        {"first node, open", ThreeSegments, false, {20, 100}, true, false},
        {"first node, closed, already smooth", Square, true, {100, 100}, true, false},
        {"first node, closed, made a corner", Square, true, {100, 100}, false, true},
        {"inner node made a corner", ThreeSegments, false, {100, 100}, false, true},
        {"free end", ThreeSegments, false, {260, 100}, false, false},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        ClearObjects();
        TImgFreeShape* F = Add(C.Start, C.Closed);
        Tool->Click(C.Node);
        ASSERT_EQ(F->SelectPointCount(), 1);
        const TSegments Before = F->Segments();
        EXPECT_EQ(F->SetCommonTangent(C.Value), C.Changed);
        if (C.Changed) EXPECT_EQ(F->RowFlag(F->SelectPointIndex() / 2, 9), C.Value);
        EXPECT_EQ(F->Segments(), Before);  // no point moves
    }
}

TEST_F(FreeShapes, RotateToCurrentTurnsEveryPointAndKeepsTheAngle)
{
    TImgFreeShape* F = Add(ThreeSegments);
    F->RotateToCurrent();  // no angle: nothing turns
    EXPECT_EQ(F->Segments(), ThreeSegments);
    // Half a turn about the centre: each point mirrored through it.
    const TFloatPoint C = F->CenterPoint();
    F->SetAngle(180);
    F->RotateToCurrent();
    EXPECT_EQ(F->Angle(), 180);
    const TSegments After = F->Segments();
    ASSERT_EQ(After.size(), ThreeSegments.size());
    for (size_t r = 0; r < After.size(); ++r) {
        const TPoint Was[] = {ThreeSegments[r].S, ThreeSegments[r].C1, ThreeSegments[r].C2, ThreeSegments[r].E};
        const TPoint Now[] = {After[r].S, After[r].C1, After[r].C2, After[r].E};
        for (size_t k = 0; k < 4; ++k) {
            EXPECT_NEAR(Now[k].X, 2 * C.X - Was[k].X, 1) << r << "/" << k;
            EXPECT_NEAR(Now[k].Y, 2 * C.Y - Was[k].Y, 1) << r << "/" << k;
        }
    }
}

TEST_F(FreeShapes, AppendShapeJoinsAStrokeAtTheArmedEnd)
{
    const TSegments Start = {Line({20, 20}, {100, 20}), Line({100, 20}, {100, 100})};
    const TSegments Stroke = {Line({105, 105}, {160, 100}), Line({160, 100}, {160, 160})};
    struct Case {
        const char* Name;
        bool FromStart, FromEnd;
        TSegments Expected;
    };
    const Case Cases[] = {
        {"from the end", false, true,
         {Start[0], Start[1], {{100, 100}, {105, 105}, {160, 100}, {160, 100}}, Stroke[1]}},
        {"from the start: the stroke runs reversed into the first node", true, false,
         {{{160, 160}, {160, 160}, {160, 100}, {160, 100}}, {{160, 100}, {160, 100}, {105, 105}, {20, 20}}, Start[0],
          Start[1]}},
        {"not armed: nothing joins", false, false, Start},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        ClearObjects();
        TImgFreeShape* F = Add(Start);
        TImgFreeShape New(Doc.get(), 99, nullptr);
        New.SetLoading(true);
        New.SetPoints(StoredText(Stroke, false));
        New.SetLoading(false);
        F->SetAppendFromStartPoint(C.FromStart);
        F->SetAppendFromEndPoint(C.FromEnd);
        F->SetChanged2(false);
        F->AppendShape(New);
        EXPECT_EQ(F->Segments(), C.Expected);
        EXPECT_FALSE(F->AppendFromStartPoint());
        EXPECT_FALSE(F->AppendFromEndPoint());
        EXPECT_EQ(F->NodeCtrRects().size(), 2 * C.Expected.size());
        EXPECT_TRUE(F->Changed2());
    }
}
