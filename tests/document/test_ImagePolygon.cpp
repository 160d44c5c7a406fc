#include <gtest/gtest.h>

#include "DocumentTestView.h"
#include "document/ImagePolygon.h"

namespace {
class PolygonTest : public ::testing::Test {
protected:
    // A generated or diamond shape laid out in R while being created.
    TImgPolygon& Make(Integer Style, const TRect& R)
    {
        Shape = std::make_unique<TImgPolygon>(Doc.get(), 4, nullptr);
        Shape->SetStyleId(Style);
        Shape->SetSRect(R);
        Shape->CalcCenterPoint();
        Shape->CalcPoints(true);
        Shape->CalcRect();
        return *Shape;
    }
    // A free polygon or polyline placed by clicks.
    TImgPolygon& Place(Integer Style, const TArrayOfPoint& Nodes)
    {
        Shape = std::make_unique<TImgPolygon>(Doc.get(), 4, nullptr);
        Shape->SetStyleId(Style);
        for (const TPoint& P : Nodes) Shape->AddNewPoint(P.X, P.Y);
        Shape->CalcRect();
        Shape->CalcCenterPoint();
        Shape->SetCreating(false);
        return *Shape;
    }
    void SelectAndLayOut()
    {
        Shape->Select();
        Shape->CalcControlPoints();
        Shape->DrawControlPoint(&Buffer);
    }
    // Grabs node Index and drags it by (DX, DY), then lays the shape out again.
    void DragNode(Integer Index, Integer DX, Integer DY)
    {
        Shape->SetCurrentCtrIndex(Index);
        Shape->Click();
        Shape->AdjustShape(0, 0, DX, DY);
        Shape->CalcPoints(false);
    }
    static Single Dist(const TFloatPoint& C, const TPoint& P) { return FloatGPPointDistance(C, P); }

    TTestView View;
    std::unique_ptr<TImageDraw> Doc = NewBlankDocument(View, 400, 400, false);
    std::unique_ptr<TImgPolygon> Shape;
    TCustomBitmap32 Buffer;

    void SetUp() override
    {
        Doc->InitBitmap();
        Buffer.SetSize(600, 600);
    }
};
}  // namespace

TEST_F(PolygonTest, GeneratedShapesInA100Square)
{
    struct Case {
        Integer Style, N;
        TPoint Vertex;  // one vertex the layout must hold
        Integer At;     // its index
    } Cases[] = {
        {2, 5, {50, 0}, 4},     // pentagon: the top vertex
        {3, 6, {100, 50}, 0},   // hexagon from 0 degrees
        {4, 10, {50, 100}, 2},  // five-pointed star: an outer vertex straight below
        {8, 3, {93, 75}, 0},    // triangle from 30 degrees
        {9, 4, {85, 85}, 0},    // square from 45 degrees
        {12, 6, {50, 0}, 4},    // three-pointed star: an outer vertex straight above
    };
    for (const Case& C : Cases) {
        Make(C.Style, {0, 0, 100, 100});
        ASSERT_EQ(Shape->PointsCount(), C.N) << C.Style;
        EXPECT_EQ(Shape->Nodes()[C.At], C.Vertex) << C.Style;
    }
    // The star's radii: outer 50, inner Round(50 * 0.4) = 20; three-pointed 0.25.
    Make(4, {0, 0, 100, 100});
    EXPECT_NEAR(Dist(Shape->CenterPoint(), Shape->Nodes()[0]), 50, 0.5);
    EXPECT_NEAR(Dist(Shape->CenterPoint(), Shape->Nodes()[1]), 20, 0.5);
    Make(12, {0, 0, 100, 100});
    EXPECT_NEAR(Dist(Shape->CenterPoint(), Shape->Nodes()[1]), 12, 0.5);  // Round(12.5), halves to even
    // A star too small for its vertices to fall on different pixels keeps
    // all of them, inner ones at the odd places.
    Make(4, {0, 0, 3, 4});
    EXPECT_EQ(Shape->PointsCount(), 10);
    Shape->SetCreating(false);
    DragNode(1, 5, 5);
    EXPECT_EQ(Shape->PointsCount(), 10);
    EXPECT_EQ(Shape->Nodes()[1], Shape->PointAdjusted());
    // The bounding box becomes the rectangle (no +1): the pentagon's top is 0, its bottom short of 100.
    Make(2, {0, 0, 100, 100});
    EXPECT_EQ(Shape->SRect().Top, 0);
    EXPECT_LT(Shape->SRect().Bottom, 100);
}

TEST_F(PolygonTest, DiamondFollowsItsRectangle)
{
    Make(1, {10, 20, 110, 60});
    EXPECT_EQ(Shape->Nodes(), (TArrayOfPoint{{10, 40}, {60, 20}, {110, 40}, {60, 60}}));
    SelectAndLayOut();
    const TRect R = Shape->CtrRects()[0];
    ASSERT_TRUE(Shape->PtInControl(R.Left, R.Top));
    EXPECT_EQ(Shape->CurrentCursor(), crSizeWE);
    const TRect T = Shape->CtrRects()[1];
    ASSERT_TRUE(Shape->PtInControl(T.Left, T.Top));
    EXPECT_EQ(Shape->CurrentCursor(), crSizeNS);
    // The left node moves only the left side.
    Shape->SetCreating(false);
    DragNode(0, -5, 30);
    EXPECT_EQ(Shape->SRect(), (TRect{5, 20, 110, 60}));
    Shape->CalcCenterPoint();
    Shape->CalcPoints(false);
    EXPECT_EQ(Shape->Nodes()[0], (TPoint{5, 40}));
    EXPECT_EQ(Shape->PointIndex(), -1);  // no node selection on a diamond
}

TEST_F(PolygonTest, DraggingNodesOfGeneratedShapes)
{
    // A pentagon turns and scales so that vertex 0 is under the pointer.
    Make(2, {0, 0, 100, 100});
    Shape->SetCreating(false);
    ASSERT_EQ(Shape->Nodes()[4], (TPoint{50, 0}));
    DragNode(4, 0, -30);  // to (50, -30): 80 above the centre
    EXPECT_EQ(Shape->Nodes()[0], (TPoint{50, -30}));
    EXPECT_NEAR(Dist(Shape->CenterPoint(), Shape->Nodes()[3]), 80, 0.75);
    // An inner vertex of a star: only the inner radius changes, vertex 1 under the pointer.
    Make(4, {0, 0, 100, 100});
    Shape->SetCreating(false);
    TPoint In = Shape->Nodes()[1];
    TPoint Target{In.X + (In.X - 50) / 2, In.Y + (In.Y - 50) / 2};  // further out along the same ray
    DragNode(1, Target.X - In.X, Target.Y - In.Y);
    EXPECT_EQ(Shape->Nodes()[1], Target);
    EXPECT_NEAR(Dist(Shape->CenterPoint(), Shape->Nodes()[0]), 50, 0.75);
    EXPECT_NEAR(Dist(Shape->CenterPoint(), Shape->Nodes()[3]), Dist(Shape->CenterPoint(), Target), 0.75);
    EXPECT_EQ(Shape->PointsCount(), 10);
}

TEST_F(PolygonTest, AddingInsertingAndDeletingNodes)
{
    Shape = std::make_unique<TImgPolygon>(Doc.get(), 4, nullptr);
    EXPECT_EQ(Shape->PointsAllocatedCount(), 2);
    for (TPoint P : {TPoint{0, 0}, TPoint{0, 0}, TPoint{10, 0}, TPoint{10, 10}, TPoint{10, 10}, TPoint{0, 10}})
        Shape->AddNewPoint(P.X, P.Y);
    EXPECT_EQ(Shape->PointsCount(), 4);  // repeats stored once
    EXPECT_EQ(Shape->PointsAllocatedCount(), 4);
    Shape->AddNewPoint(5, 20);
    EXPECT_EQ(Shape->PointsAllocatedCount(), 8);
    Shape->CalcRect();
    Shape->SetCreating(false);
    // Insert on the edge (10,0)-(10,10): after node 1.
    ASSERT_TRUE(Shape->PtInPath(11, 5));
    EXPECT_EQ(Shape->PointAddToIndex(), 1);
    Shape->AddNodePoint(11, 5);
    EXPECT_EQ(Shape->Nodes(), (TArrayOfPoint{{0, 0}, {10, 0}, {11, 5}, {10, 10}, {0, 10}, {5, 20}}));
    EXPECT_EQ(Shape->PointsAllocatedCount(), 6);
    EXPECT_EQ(Shape->PointIndex(), 2);
    EXPECT_EQ(Shape->SRect(), (TRect{0, 0, 11, 20}));
    Shape->DeleteNodePoint();
    EXPECT_EQ(Shape->PointsCount(), 5);
    EXPECT_EQ(Shape->PointIndex(), -1);
    EXPECT_EQ(Shape->SRect(), (TRect{0, 0, 10, 20}));
    // Nothing selected: nothing deleted.
    Shape->DeleteNodePoint();
    EXPECT_EQ(Shape->PointsCount(), 5);
    // Far from every edge.
    EXPECT_FALSE(Shape->PtInPath(5, 5));
    EXPECT_FALSE(Shape->PtInPath(300, 300));
}

TEST_F(PolygonTest, OpenPolylineIsNotHitOnItsGap)
{
    const TArrayOfPoint Nodes{{0, 0}, {100, 0}, {100, 100}, {0, 100}};
    struct Case {
        Integer Style;
        bool Fill;
        TPoint P;
        bool Hit;
    } Cases[] = {
        {0, false, {1, 50}, true},    // the closing edge of a closed polygon
        {5, false, {1, 50}, false},   // the gap of the polyline
        {5, false, {50, 1}, true},    // its first edge
        {0, false, {50, 50}, false},  // unfilled centre
        {0, true, {50, 50}, true},    // filled centre
        {0, false, {100, 50}, false}, // the right edge lies on the rectangle's excluded side
    };
    for (const Case& C : Cases) {
        Place(C.Style, Nodes);
        Shape->SetIsFill(C.Fill);
        Shape->SetGradientMode(-1);
        Shape->SetOutWidth(2);
        EXPECT_EQ(Shape->PtInShape(C.P.X, C.P.Y), C.Hit) << C.Style << " " << C.P.X << "," << C.P.Y;
    }
}

TEST_F(PolygonTest, SelectedNodeOfAFreePolygon)
{
    Place(0, {{20, 20}, {120, 20}, {70, 90}});
    SelectAndLayOut();
    const TRect R = Shape->CtrRects()[2];
    ASSERT_TRUE(Shape->PtInControl(R.Left + 1, R.Top + 1));
    EXPECT_EQ(Shape->CurrentCursor(), crHandPoint);
    Integer Notified = 0;
    Doc->OnShapeStateChanged = [&](TImageDraw*) { ++Notified; };
    Shape->Click();
    EXPECT_EQ(Shape->PointIndex(), 2);
    EXPECT_EQ(Notified, 1);
    // Drawn with the other handle picture.
    Buffer.Clear(0);
    Shape->DrawControlPoint(&Buffer);
    TPoint C2 = Shape->Nodes()[2], C0 = Shape->Nodes()[0];
    EXPECT_NE(Buffer.Pixel(C2.X, C2.Y), Buffer.Pixel(C0.X, C0.Y));
    // Dragging it moves only that node.
    Shape->AdjustShape(0, 0, 5, 6);
    EXPECT_EQ(Shape->Nodes()[2], (TPoint{75, 96}));
    EXPECT_EQ(Shape->PointAdjusted(), (TPoint{75, 96}));
    Shape->CalcPoints(false);
    EXPECT_EQ(Shape->Nodes()[2], (TPoint{75, 96}));
    // Unselecting ends node selection and add-node mode.
    Shape->SetPointAdding(true);
    Shape->UnSelect();
    EXPECT_EQ(Shape->PointIndex(), -1);
    EXPECT_FALSE(Shape->PointAdding());
    Doc->OnShapeStateChanged = nullptr;
}

TEST_F(PolygonTest, MovingMovesEveryNode)
{
    Place(0, {{20, 20}, {120, 20}, {70, 90}});
    Shape->PrepareMove();
    Shape->MoveShape(0, 0, 10, 5);
    Shape->MoveShape(0, 0, 12, 5);
    EXPECT_EQ(Shape->Nodes(), (TArrayOfPoint{{32, 25}, {132, 25}, {82, 95}}));
    EXPECT_EQ(Shape->SRect(), (TRect{32, 25, 132, 95}));
    Shape->OffsetShape(-32, -25);
    EXPECT_EQ(Shape->Nodes()[0], (TPoint{0, 0}));
}

TEST_F(PolygonTest, NodeTexts)
{
    Place(0, {{20, 21}, {120, 22}, {70, 90}});
    EXPECT_EQ(Shape->GetPoints(), u"20.120.70.21.22.90");
    Place(0, {});
    Shape->SetPoints(u"1.2.3.4.5.6.7");  // odd item ignored
    EXPECT_EQ(Shape->Nodes(), (TArrayOfPoint{{1, 4}, {2, 5}, {3, 6}}));
    EXPECT_EQ(Shape->PointsAllocatedCount(), 3);
    Shape->SetPoints(u"1.x");
    EXPECT_EQ(Shape->PointsCount(), 0);
    // A generated shape whose text lacks its vertices is laid out in its rectangle.
    Make(2, {0, 0, 100, 100});
    Shape->SetCreating(false);
    Shape->SetPoints(u"50.0");
    EXPECT_EQ(Shape->PointsCount(), 5);
    EXPECT_EQ(Shape->Nodes()[4].X, 50);  // the top vertex, about the rectangle's centre
    EXPECT_NEAR(Shape->Nodes()[4].Y, 0, 1);
    // A drag on it then reads only nodes it has.
    DragNode(1, 3, 3);
    EXPECT_EQ(Shape->PointsCount(), 5);
}

TEST_F(PolygonTest, DocumentDeletesANodeOrTheWholePolygon)
{
    // Two polygons in the document, the current one a free polygon of 4 nodes.
    auto AddPolygon = [&](Integer Id, const TArrayOfPoint& Nodes) {
        TRow* Row = Doc->DT()->AddItem(u",,,,,,,,,,,,,");
        Row->GetItem(ObjCol::Id)->SetValue(Id);
        Row->GetItem(ObjCol::Kind)->SetValue(shPolygon);
        auto S = std::make_unique<TImgPolygon>(Doc.get(), Id, nullptr);
        for (const TPoint& P : Nodes) S->AddNewPoint(P.X, P.Y);
        S->CalcRect();
        S->SetCreating(false);
        TImgPolygon* P = S.get();
        Row->Data().Own(std::move(S));
        return P;
    };
    TImgPolygon* A = AddPolygon(11, {{0, 0}, {50, 0}, {50, 50}, {0, 50}});
    AddPolygon(12, {{100, 100}, {150, 100}, {120, 150}});
    A->Select();
    Doc->SetCurrentShape(11);
    ASSERT_EQ(Doc->Shape(), A);

    // No node selected: nothing happens.
    Doc->PolygonDeleteNode();
    EXPECT_EQ(A->PointsCount(), 4);
    EXPECT_FALSE(Doc->Modified());

    A->SetPointIndex(1);
    Doc->SetModified(false);
    Doc->PolygonDeleteNode();
    EXPECT_EQ(A->Nodes(), (TArrayOfPoint{{0, 0}, {50, 50}, {0, 50}}));
    EXPECT_TRUE(Doc->Modified());
    EXPECT_EQ(Doc->ShapeCount(), 2);

    // Down to 2 nodes: the polygon goes, the other object stays.
    A->SetPointIndex(0);
    Doc->PolygonDeleteNode();
    EXPECT_EQ(Doc->ShapeCount(), 1);
    EXPECT_EQ(Doc->IndexOfShapeId(11), -1);
    EXPECT_EQ(Doc->Shape(), nullptr);
    EXPECT_EQ(Doc->ObjectSelectedCount(), 0);
}
