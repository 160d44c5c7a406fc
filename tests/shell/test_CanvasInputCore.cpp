// The canvas's mouse state machine on a document without a window: creating
// objects by dragging and point by point, clicks that create nothing, moving
// and selecting, selections with modifiers, and the tool selection it works
// with.
#include <gtest/gtest.h>

#include "document/DocumentTestView.h"
#include "document/ImagePolygon.h"
#include "document/ImageSelection.h"
#include "shell/CanvasInputCore.h"
#include "shell/ToolSelection.h"

namespace {

class TFakeHost : public TCanvasInputHost {
public:
    TImageDraw* Doc = nullptr;
    TCanvasViewGeometry Geometry{0, 0, 1, {0, 0, 400, 300}};
    Integer Menus = 0, LoadTools = 0, NoStamp = 0, Gradients = 0, ZoomIns = 0, ZoomOuts = 0;
    bool AutoScroll = false;
    TCursor Cursor = crDefault;
    String XY;

    TImageDraw* Document() override { return Doc; }
    TCanvasViewGeometry ViewGeometry() override { return Geometry; }
    void FocusCanvas() override {}
    void SetAutoScroll(bool Enabled) override { AutoScroll = Enabled; }
    void ShowNoStampSource() override { ++NoStamp; }
    void PopupEditMenu(Integer, Integer) override { ++Menus; }
    void ScrollViewBy(Integer, Integer) override {}
    bool ZoomClickAllowed() override { return true; }
    void ZoomClick(bool In, Integer, Integer) override { ++(In ? ZoomIns : ZoomOuts); }
    void SetCanvasCursor(TCursor C) override { Cursor = C; }
    void ShowPointer(const String& A, const String&) override { XY = A; }
    bool ShowPixelValue() override { return false; }
    void DrawRulers(bool) override {}
    void LoadToolProperties() override { ++LoadTools; }
    bool SelectionAntialiasing() override { return false; }
    void WandOptions(Integer& Tolerance, bool& Continuous) override { Tolerance = 10, Continuous = true; }
    void GradientDo() override { ++Gradients; }
    void ApplyCanvasDrag() override {}
    void FocusTextBox() override {}
    void ReleaseAddNodeButton(TShapeType) override {}
};

class CanvasInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        Doc.reset();
        UndoDT.Clear();
        ActionDT.Clear();
        Doc = NewBlankDocument(View, 400, 300, false);
        Doc->SetUndoDT(&UndoDT);
        Doc->SetActionDT(&ActionDT);
        Doc->InitBitmap();
        Doc->SaveUndoFirst();
        Defaults = std::make_unique<TDataTable>();
        AddEmptyDefaultRows(*Defaults);
        for (Integer k = 0; k < ShapeTypeCount; ++k)
            for (auto [Col, Value] : {std::pair{14, 0xFF0000}, {15, 0x00FF00}, {16, 255}, {18, 2}, {24, 0}})
                Defaults->GetItem(k)->GetItem(Col)->SetValue(Value);
        Doc->SetPropDT(Defaults.get());
        Host.Doc = Doc.get();
    }

    void Use(TShapeType Tool, Integer Style = 0)
    {
        Input.Tool.Type = Tool;
        Input.Tool.StyleId = Style;
        Input.Tool.PolygonType = Style;
        Defaults->GetItem(Tool)->GetItem(24)->SetValue(Style);
        bool AutoColor = true;
        Tools.SelectTool(Doc.get(), Tool, {}, AutoColor);
    }
    // A left-button drag from A to B through the middle.
    void Drag(TPoint A, TPoint B, TShiftState Shift = 0)
    {
        Input.MouseDown(mbLeft, Shift, A.X, A.Y);
        Input.MouseMove(Shift | ssLeft, (A.X + B.X) / 2, (A.Y + B.Y) / 2);
        Input.MouseMove(Shift | ssLeft, B.X, B.Y);
        Input.MouseUp(mbLeft, Shift, B.X, B.Y);
    }
    void Click(TPoint P, TMouseButton Button = mbLeft, TShiftState Shift = 0)
    {
        Input.MouseDown(Button, Shift, P.X, P.Y);
        Input.MouseUp(Button, Shift, P.X, P.Y);
    }
    // What the toolkit delivers for a double click: the double click first,
    // then its press and release.
    void DoubleClick(TPoint P)
    {
        Input.DblClick();
        Click(P);
    }
    Integer Objects() { return Doc->ShapeCount(); }

    TTestView View;
    TDataTable UndoDT, ActionDT;
    std::unique_ptr<TImageDraw> Doc;
    std::unique_ptr<TDataTable> Defaults;
    TFakeHost Host;
    TCanvasInputCore Input{Host};
    TToolSelection Tools;
};

}  // namespace

TEST_F(CanvasInput, ADragCreatesAnObjectAPlainClickNone)
{
    struct Case {
        TShapeType Tool;
        TPoint From, To;
        Integer Created;
    };
    const Case Cases[] = {
        {shRectangle, {50, 50}, {50, 50}, 0},    // a plain click
        {shRectangle, {50, 50}, {52, 52}, 0},    // both distances below 3
        {shRectangle, {50, 50}, {53, 50}, 1},
        {shRectangle, {50, 50}, {150, 120}, 1},
        {shEllipse, {10, 10}, {80, 60}, 1},
        {shRectangle, {398, 10}, {450, 60}, 1},  // pressed inside the picture, dragged out
        {shRectangle, {420, 10}, {480, 60}, 0},  // pressed outside the picture
    };
    for (const Case& C : Cases) {
        SetUp();
        Use(C.Tool);
        Drag(C.From, C.To);
        EXPECT_EQ(Objects(), C.Created) << C.Tool << " " << C.To.X;
        EXPECT_FALSE(Doc->ShapeCreating());
        EXPECT_FALSE(Input.MouseDownLeft());
        EXPECT_FALSE(Host.AutoScroll);
        if (C.Created) {
            EXPECT_EQ(Doc->Shape()->SRect().Left, C.From.X);
            EXPECT_TRUE(Doc->Shape()->Selected());
        }
    }
}

TEST_F(CanvasInput, APolygonEndedByADoubleClickNeedsThreePoints)
{
    for (Integer Points : {2, 3}) {
        SetUp();
        Use(shPolygon, 0);
        const TPoint At[] = {{20, 20}, {120, 20}, {70, 90}};
        for (Integer i = 0; i < Points; ++i) {
            Input.MouseMove(ssLeft, At[i].X, At[i].Y);
            Click(At[i]);
            EXPECT_TRUE(Doc->ShapeCreating()) << "a press adds a point, the release changes nothing";
        }
        DoubleClick(At[Points - 1]);
        EXPECT_FALSE(Doc->ShapeCreating());
        EXPECT_EQ(Objects(), Points == 3 ? 1 : 0) << Points;
        if (Points == 3) {
            auto* P = dynamic_cast<TImgPolygon*>(Doc->Shape());
            ASSERT_NE(P, nullptr);
            EXPECT_EQ(P->PointsCount(), 3);
        }
        EXPECT_FALSE(Input.MouseDownLeft());
    }
}

TEST_F(CanvasInput, ARightPressDropsAnUnfinishedPolygon)
{
    Use(shPolygon, 0);
    for (TPoint P : {TPoint{20, 20}, TPoint{120, 20}, TPoint{70, 90}}) {
        Input.MouseMove(ssLeft, P.X, P.Y);
        Click(P);
    }
    Click({200, 200}, mbRight);
    EXPECT_FALSE(Doc->ShapeCreating());
    EXPECT_EQ(Objects(), 0);
    EXPECT_EQ(Host.Menus, 0) << "the right press only cancelled";
}

TEST_F(CanvasInput, ThePressWhileADragToolCreatesIsIgnored)
{
    Use(shRectangle);
    Input.MouseDown(mbLeft, 0, 10, 10);
    Input.MouseMove(ssLeft, 60, 60);
    Input.MouseDown(mbRight, 0, 60, 60);  // the other button during the drag
    Input.MouseUp(mbLeft, 0, 80, 80);
    EXPECT_EQ(Objects(), 1);
    EXPECT_EQ(Host.Menus, 0);
}

TEST_F(CanvasInput, TheSelectToolMovesObjectsAsOneUndoStep)
{
    Use(shRectangle);
    Drag({10, 10}, {60, 40});
    Drag({100, 100}, {150, 130});
    Use(shNone);
    const Integer Undo = Doc->UndoCount();
    Click({20, 20});
    Input.SetModifierKeyState(17, true);
    Click({110, 110}, mbLeft, ssCtrl);
    Input.SetModifierKeyState(17, false);
    EXPECT_EQ(Doc->ObjectSelectedCount(), 2);
    bool AutoColor = true;
    Tools.FollowSelection(Doc.get(), {}, AutoColor);
    EXPECT_EQ(Tools.ShapeType(), shNone);
    EXPECT_EQ(Tools.ShapeTypeB(), shRectangle);

    const Integer Before = Doc->UndoCount();
    Drag({20, 20}, {40, 30});
    EXPECT_EQ(Doc->UndoCount(), Before + 1);
    EXPECT_GE(Before, Undo);
    for (Integer i = 0; i < 2; ++i) {
        TImgShape* S = TImageDraw::RowShape(Doc->DT()->GetItem(i));
        EXPECT_EQ(S->SRect().Left, i == 0 ? 30 : 120) << i;
    }
}

TEST_F(CanvasInput, APressAwayFromObjectsDeselectsOrReloadsTheToolDefaults)
{
    Use(shRectangle);
    Drag({10, 10}, {60, 40});
    ASSERT_EQ(Doc->ObjectSelectedCount(), 1);
    const Integer Loads = Host.LoadTools;
    Click({200, 200});  // a plain click: deselects, creates nothing
    EXPECT_EQ(Doc->ObjectSelectedCount(), 0);
    EXPECT_EQ(Host.LoadTools, Loads);
    Click({200, 200});
    EXPECT_EQ(Host.LoadTools, Loads + 1);
    EXPECT_EQ(Objects(), 1);
    // The right button away from objects opens the edit menu.
    Click({250, 250}, mbRight);
    EXPECT_EQ(Host.Menus, 1);
}

TEST_F(CanvasInput, SelectionsWithShiftAddAndWithAltSubtract)
{
    Use(shSelection, TSelectionStyle::Rectangle);
    Drag({10, 10}, {60, 60});
    ASSERT_TRUE(Doc->SelectionExists());
    Input.SetModifierKeyState(16, true);
    Input.MouseDown(mbLeft, ssShift, 100, 100);
    EXPECT_EQ(Input.ModifySelection(), 1);
    EXPECT_TRUE(Doc->SelectionExpanding());
    EXPECT_EQ(Host.Cursor, TCursor(CanvasCursor::Cross + 1));
    Input.MouseMove(ssShift | ssLeft, 150, 150);
    Input.MouseUp(mbLeft, ssShift, 150, 150);
    Input.SetModifierKeyState(16, false);
    EXPECT_EQ(Input.ModifySelection(), 0);
    ASSERT_TRUE(Doc->SelectionExists());
    const TImageRegion& R = Doc->SelectionShape()->RegionHandle();
    EXPECT_TRUE(R.Contains(20, 20));
    EXPECT_TRUE(R.Contains(120, 120));

    Input.MouseDown(mbLeft, ssAlt, 5, 5);
    EXPECT_EQ(Input.ModifySelection(), 2);
    Input.MouseUp(mbLeft, ssAlt, 5, 5);

    // A plain click without movement drops the selection.
    Click({300, 250});
    EXPECT_FALSE(Doc->SelectionExists());
}

TEST_F(CanvasInput, TheSelectionCursorShowsTheModifier)
{
    Use(shSelection, TSelectionStyle::FreeLasso);
    Input.MouseMove(0, 200, 200);
    EXPECT_EQ(Host.Cursor, TCursor(CanvasCursor::Lasso));
    Input.SetModifierKeyState(16, true);
    EXPECT_EQ(Host.Cursor, TCursor(CanvasCursor::Lasso + 1));
    Input.SetModifierKeyState(18, true);
    EXPECT_EQ(Host.Cursor, TCursor(CanvasCursor::Lasso + 2));
    Input.SetModifierKeyState(18, false);
    Input.SetModifierKeyState(16, false);
    EXPECT_EQ(Host.Cursor, TCursor(CanvasCursor::Lasso));
    EXPECT_FALSE(Doc->PressAlt());
}

TEST_F(CanvasInput, ZoomClicksInsideThePictureOnly)
{
    Use(shZoom);
    Host.Geometry = {10, 10, 0.5f, {10, 10, 210, 160}};
    Click({100, 100});
    Click({100, 100}, mbRight);
    Click({211, 100});  // beyond the scaled picture
    EXPECT_EQ(Host.ZoomIns, 1);
    EXPECT_EQ(Host.ZoomOuts, 1);
    EXPECT_EQ(Objects(), 0);
}

TEST_F(CanvasInput, ImagePointsTruncateOnTheHorizontalScale)
{
    Host.Geometry = {10.4f, 20.6f, 2, {}};
    EXPECT_EQ(Input.ImagePoint(13, 30), (TPoint{1, 4}));
    EXPECT_EQ(Input.ImagePoint(9, 20), (TPoint{0, 0}));  // -0.5 truncates towards zero
    Input.MouseMove(0, 31, 41);
    EXPECT_EQ(Host.XY, u"10, 10");
}

TEST_F(CanvasInput, TheCloneStampWantsASourceFirst)
{
    StampSourceBitmap.reset();
    Use(shCloneStamp);
    Click({50, 50});
    EXPECT_EQ(Host.NoStamp, 1);
    Click({50, 50}, mbLeft, ssAlt);  // takes the source
    EXPECT_EQ(Host.NoStamp, 1);
    EXPECT_NE(StampSourceBitmap, nullptr);
    Click({60, 60});
    EXPECT_EQ(Host.NoStamp, 1);
    StampSourceBitmap.reset();
}

TEST(ToolSelection, ButtonsFollowTheTool)
{
    TToolSelection T;
    bool AutoColor = true;
    T.SelectTool(nullptr, shRectangle, {}, AutoColor);
    std::vector<TToolButtonState> Shapes{{shArrow}, {shRectangle}, {shEllipse}};
    T.SyncShapeButtons(Shapes);
    EXPECT_TRUE(Shapes[1].Down);
    EXPECT_FALSE(Shapes[1].AllowAllUp);
    EXPECT_FALSE(Shapes[0].Down);

    T.SelectTool(nullptr, shBrush, {}, AutoColor);
    EXPECT_FALSE(AutoColor);
    EXPECT_EQ(T.PencilPair(), TToolSelection::TStacked::Second);
    std::vector<TToolButtonState> Tools{{shPencil, false}, {shBrush, true}, {shEraser}};
    T.SyncToolButtons(Tools);
    EXPECT_TRUE(Tools[1].Down);
    T.SyncShapeButtons(Shapes);
    for (const TToolButtonState& B : Shapes) EXPECT_FALSE(B.Down);

    T.SelectTool(nullptr, shNone, {}, AutoColor);
    EXPECT_EQ(T.ShapeTypeB(), shBrush);
    T.SyncShapeButtons(Shapes);
    for (const TToolButtonState& B : Shapes) EXPECT_TRUE(B.AllowAllUp && !B.Down);

    TDataTable Props;
    AddEmptyDefaultRows(Props);
    TRow OpenRow;
    OpenRow.Init(String(30, u','), u',');
    T.SelectSelectionStyle(nullptr, 4, {&Props, &OpenRow}, AutoColor);
    EXPECT_EQ(Props.GetItem(shSelection)->GetItem(24)->Value(), 4);
    EXPECT_EQ(OpenRow.GetItem(13)->Value(), 4);
    EXPECT_EQ(OpenRow.GetItem(19)->Value(), shSelection);
    std::vector<TToolButtonState> Sel{{0}, {4}, {4, false}};
    T.SyncSelectionButtons(Sel);
    EXPECT_TRUE(Sel[1].Down);
    EXPECT_FALSE(Sel[2].Down);
    EXPECT_FALSE(Sel[1].AllowAllUp);
}

TEST_F(CanvasInput, PaintToolsDropTheSelectionWithAnUndoStep)
{
    Use(shSelection, TSelectionStyle::Rectangle);
    Drag({10, 10}, {60, 60});
    ASSERT_TRUE(Doc->SelectionExists());
    const Integer Before = Doc->UndoCount();
    bool AutoColor = true;
    Tools.SelectTool(Doc.get(), shEraser, {}, AutoColor);
    EXPECT_FALSE(Doc->SelectionExists());
    EXPECT_EQ(Doc->UndoCount(), Before + 1);
    EXPECT_EQ(Doc->ControlMode(), cmProcess);
}
