// Undo and redo: states holding only what changed, found again by searching
// back; the redo tail and its logged actions; dropping old states for memory
// without losing what later states need.
#include <gtest/gtest.h>

#include "DocumentTestView.h"
#include "document/ImageSelection.h"
#include "document/ImageSmall.h"

namespace {
constexpr UInt64 MiB = 1 << 20;
UInt64 AvailableMemory = 4096 * MiB;

// An object whose destruction is counted (an action's data).
struct TCounted {
    explicit TCounted(Integer* ACount) : Count(ACount) {}
    TCounted(const TCounted&) = delete;
    ~TCounted() { ++*Count; }
    Integer* Count;
};

class Undo : public ::testing::Test {
protected:
    void SetUp() override
    {
        AvailableMemory = 4096 * MiB;
        ImageDrawHooks.AvailPhysMemory = [] { return AvailableMemory; };
        Doc = NewBlankDocument(View, 40, 30, false, 0xFFFFFF);
        Doc->SetUndoDT(&UndoDT);
        Doc->SetActionDT(&ActionDT);
        Doc->InitBitmap();
        Doc->SaveUndoFirst();
    }
    void TearDown() override
    {
        Doc.reset();
        ImageDrawHooks = SavedHooks;
    }
    // An edit of the raster, then its state.
    void Paint(TColor32 Color)
    {
        Doc->SrcBmp()->Clear(Color);
        Doc->SetSrcBmpChanged(true);
        Doc->SetChanged(true);
        Doc->SaveUndo();
    }
    // A change of an object's place only, then its state.
    void Move(Integer Id, Integer DX)
    {
        Object(Id)->OffsetShape(DX, 0);
        Doc->SetChanged(true);
        Doc->SaveUndo();
    }
    TImgShape* Object(Integer Id) const
    {
        const Integer i = Doc->IndexOfShapeId(Id);
        return i >= 0 ? TImageDraw::RowShape(Doc->DT()->GetItem(i)) : nullptr;
    }
    TImgSmall* Picture(Integer Id) const { return dynamic_cast<TImgSmall*>(Object(Id)); }
    TImgSmall* AddPicture(Integer Id, TColor32 Color)
    {
        auto* P = AddObject<TImgSmall>(*Doc, Id, shSmall);
        P->SetSRect({2, 2, 8, 6});
        P->SrcBmp()->SetSize(6, 4);
        P->SrcBmp()->Clear(Color);
        return P;
    }
    void LogAction(Integer Index)
    {
        TRow* Row = ActionDT.AddItem(u",,,,,,,,,,,,,,1");
        Row->GetItem(0)->SetValue(Index);
        Row->GetItem(1)->SetValue(5);
        Row->Data().Own(std::make_unique<TCounted>(&ActionsFreed));
    }
    std::vector<Integer> ActionIndexes() const
    {
        std::vector<Integer> V;
        for (Integer i = 0; i < ActionDT.ItemCount(); ++i) V.push_back(ActionDT.GetItem(i)->GetItem(0)->Value());
        return V;
    }

    TImageDrawHooks SavedHooks = ImageDrawHooks;
    TTestView View;
    TDataTable UndoDT, ActionDT;
    Integer ActionsFreed = 0;
    std::unique_ptr<TImageDraw> Doc;
};

TEST_F(Undo, AStateOnlyWhenSomethingChanged)
{
    EXPECT_EQ(Doc->UndoCount(), 1);
    EXPECT_EQ(Doc->UndoIndex(), 0);
    EXPECT_TRUE(Doc->SaveUndoDone());
    EXPECT_FALSE(Doc->Modified());
    Doc->SaveUndo();
    EXPECT_EQ(Doc->UndoCount(), 1);
    EXPECT_EQ(Doc->UndoIndex(), 0);
    // The first state holds the raster; one with no raster change holds none.
    Paint(0xFF00FF00);
    Doc->SetChanged(true);
    Doc->SaveUndo();
    ASSERT_EQ(Doc->UndoCount(), 3);
    EXPECT_NE(UndoDT.GetItem(0)->Data().As<TDataTable>()->Data().Get(), nullptr);
    EXPECT_NE(UndoDT.GetItem(1)->Data().As<TDataTable>()->Data().Get(), nullptr);
    EXPECT_EQ(UndoDT.GetItem(2)->Data().As<TDataTable>()->Data().Get(), nullptr);
}

TEST_F(Undo, UndoAndRedoRestoreTheRasterAndItsSize)
{
    Paint(0xFF00FF00);
    Doc->SrcBmp()->SetSize(12, 9);
    Paint(0xFF0000FF);
    Doc->SetChanged(true);  // a state without a raster copy
    Doc->SaveUndo();
    ASSERT_EQ(Doc->UndoIndex(), 3);
    const struct {
        void (TImageDraw::*Step)();
        Integer Index, Width;
        TColor32 Pixel;
    } Steps[] = {
        {&TImageDraw::Undo, 2, 12, 0xFF0000FF}, {&TImageDraw::Undo, 1, 40, 0xFF00FF00},
        {&TImageDraw::Undo, 0, 40, 0xFFFFFFFF}, {&TImageDraw::Undo, 0, 40, 0xFFFFFFFF},  // nothing before the first
        {&TImageDraw::Redo, 1, 40, 0xFF00FF00}, {&TImageDraw::Redo, 2, 12, 0xFF0000FF},
        {&TImageDraw::Redo, 3, 12, 0xFF0000FF}, {&TImageDraw::Redo, 3, 12, 0xFF0000FF},  // nothing after the last
    };
    for (const auto& s : Steps) {
        (Doc.get()->*s.Step)();
        EXPECT_EQ(Doc->UndoIndex(), s.Index);
        EXPECT_EQ(Doc->SrcBmp()->Width(), s.Width);
        EXPECT_EQ(Doc->Bitmap()->Width(), s.Width);  // the view bitmap follows
        EXPECT_EQ(Doc->SrcBmp()->Pixel(1, 1), s.Pixel);
        EXPECT_FALSE(Doc->Modified());
        EXPECT_FALSE(Doc->SrcBmpChanged());
    }
}

TEST_F(Undo, GodoReportsTheStateAndMarksTheDocumentChangedUnlessAsked)
{
    Doc->SetEffectDrawing(true);
    Paint(0xFF00FF00);
    Doc->SetEffectDrawing(false);
    Paint(0xFF0000FF);
    std::vector<String> Names;
    bool RedoingSeen = false;
    Doc->OnGodoStart = [&](TImageDraw* D, const String& Name) {
        Names.push_back(Name);
        RedoingSeen = RedoingSeen || D->UndoRedoing();
    };
    Doc->SetChangedFlag(false);
    Doc->Undo();
    EXPECT_TRUE(Doc->Changed());
    Doc->SetChangedFlag(false);
    Doc->SetUndoIndex(2);
    Doc->Godo(true);  // a stashed document rebuilt
    EXPECT_FALSE(Doc->Changed());
    EXPECT_FALSE(Doc->UndoRedoing());
    EXPECT_EQ(Names, (std::vector<String>{u"EffectDraw", u""}));
}

TEST_F(Undo, ClearUndoStateNameBlanksOnlyExactNames)
{
    const String Named[] = {u"EffectDraw", u"effectdraw", u"EffectDraw2", u"", u"EffectDraw"};
    for (const String& N : Named) {
        Paint(0xFF000000);
        UndoDT.GetItem(UndoDT.ItemCount() - 1)->GetItem(4)->SetText(N);
    }
    Doc->ClearUndoStateName(u"EffectDraw");
    const String Want[] = {u"", u"effectdraw", u"EffectDraw2", u"", u""};
    for (Integer i = 0; i < 5; ++i) EXPECT_EQ(UndoDT.GetItem(i + 1)->GetItem(4)->Text(), Want[i]) << i;
}

TEST_F(Undo, ANewEditCutsTheRedoTailAndItsActions)
{
    for (Integer i = 1; i <= 4; ++i) {
        Paint(0xFF000000 + static_cast<TColor32>(i));
        LogAction(i);
    }
    Doc->Undo();
    Doc->Undo();
    Doc->Undo();
    ASSERT_EQ(Doc->UndoIndex(), 1);
    // Undoing drops no action: a redo brings the state back, and batch
    // processing must still find the action that led to it.
    EXPECT_EQ(ActionIndexes(), (std::vector<Integer>{1, 2, 3, 4}));
    Doc->Redo();
    EXPECT_EQ(ActionIndexes(), (std::vector<Integer>{1, 2, 3, 4}));
    Doc->Undo();
    Paint(0xFFABCDEF);
    EXPECT_EQ(Doc->UndoCount(), 3);
    EXPECT_EQ(Doc->UndoIndex(), 2);
    EXPECT_EQ(ActionIndexes(), (std::vector<Integer>{1}));
    EXPECT_EQ(ActionsFreed, 3);
    Doc->Undo();
    Doc->Redo();
    EXPECT_EQ(Doc->SrcBmp()->Pixel(0, 0), 0xFFABCDEFu);
}

TEST_F(Undo, LowMemoryDropsTheOldestStateOnePerState)
{
    const struct {
        Integer States;
        UInt64 Available;
        Integer WantCount, WantIndex;
    } Cases[] = {
        {10, 300 * MiB, 10, 9},
        {10, 400 * MiB, 11, 10},
        {10, 360 * MiB, 11, 10},   // the limit itself is enough
        {10, 360 * MiB - 1, 10, 9},
        {4, 300 * MiB, 5, 4},      // fewer than five states stay
        {5, 300 * MiB, 5, 4},
    };
    for (const auto& c : Cases) {
        SetUp();
        for (Integer i = 1; i < c.States; ++i) Paint(0xFF000000 + static_cast<TColor32>(i));
        ASSERT_EQ(Doc->UndoCount(), c.States);
        LogAction(0);
        LogAction(c.States - 1);
        AvailableMemory = c.Available;
        Paint(0xFFFFFF00);
        EXPECT_EQ(Doc->UndoCount(), c.WantCount) << c.States << " " << c.Available;
        EXPECT_EQ(Doc->UndoIndex(), c.WantIndex) << c.States << " " << c.Available;
        // The log keeps every action; the indexes follow the states.
        const Integer Shift = c.States + 1 - c.WantCount;
        EXPECT_EQ(ActionIndexes(), (std::vector<Integer>{-Shift, c.States - 1 - Shift}));
        ActionDT.Clear();
        TearDown();
    }
}

// The first state holds the only copies of the raster, the picture and the
// selection's parts; dropping it must not lose them.
TEST_F(Undo, UndoAfterTrimmingShowsTheRightPicture)
{
    AddPicture(1, 0xFF112233);
    TImgSelection* Sel = AddObject<TImgSelection>(*Doc, 2, shSelection);
    Sel->SetRegionHandle(TImageRegion(TRect{1, 1, 5, 5}));
    const TPoint Alias[] = {{1, 1}, {4, 1}, {4, 4}};
    Sel->SetAliasPoints(Alias, 3);
    auto Lifted = std::make_unique<TCustomBitmap32>();
    Lifted->SetSize(4, 4);
    Lifted->Clear(0xFF445566);
    Sel->SetSelBitmap(std::move(Lifted));
    Doc->SrcBmp()->Clear(0xFF00FF00);
    Doc->SaveUndoFirst();
    for (Integer i = 0; i < 4; ++i) Move(1, 1);  // states 1 to 4: places only
    Doc->SrcBmp()->Clear(0xFF0000FF);
    Doc->SetSrcBmpChanged(true);
    Picture(1)->SrcBmp()->Clear(0xFF999999);
    Picture(1)->SetDataChanged(true);
    AvailableMemory = 100 * MiB;
    Move(1, 1);
    ASSERT_EQ(Doc->UndoCount(), 5);
    ASSERT_EQ(Doc->UndoIndex(), 4);
    Doc->SetUndoIndex(0);  // the first move
    Doc->Godo(false);
    EXPECT_EQ(Doc->SrcBmp()->Pixel(3, 3), 0xFF00FF00u);
    ASSERT_NE(Picture(1), nullptr);
    ASSERT_EQ(Picture(1)->SrcBmp()->Width(), 6);
    EXPECT_EQ(Picture(1)->SrcBmp()->Pixel(0, 0), 0xFF112233u);
    EXPECT_EQ(Picture(1)->SRect().Left, 3);
    auto* S = dynamic_cast<TImgSelection*>(Object(2));
    ASSERT_NE(S, nullptr);
    EXPECT_EQ(S->RegionHandle(), TImageRegion(TRect{1, 1, 5, 5}));
    EXPECT_EQ(S->AliasPointsCount(), 3);
    ASSERT_NE(S->SelBitmap(), nullptr);
    EXPECT_EQ(S->SelBitmap()->Pixel(0, 0), 0xFF445566u);
    Doc->Redo();  // a later state still searches back to the moved copies
    EXPECT_EQ(Doc->SrcBmp()->Pixel(3, 3), 0xFF00FF00u);
    EXPECT_EQ(Picture(1)->SrcBmp()->Pixel(0, 0), 0xFF112233u);
}

TEST_F(Undo, TheStatesStayWithinTheirByteLimit)
{
    const Int64 Raster = 40 * 30 * 4;
    Doc->SetUndoByteLimit(3 * Raster);
    for (Integer i = 1; i <= 6; ++i) Paint(0xFF000000 + static_cast<TColor32>(i));
    EXPECT_EQ(Doc->UndoCount(), 3);
    EXPECT_EQ(Doc->UndoIndex(), 2);
    EXPECT_EQ(Doc->UndoBytes(), 3 * Raster);
    Doc->Undo();
    Doc->Undo();
    EXPECT_EQ(Doc->SrcBmp()->Pixel(0, 0), 0xFF000004u);
    // One state always stays, however large.
    Doc->SetUndoByteLimit(1);
    Paint(0xFF00000A);
    EXPECT_EQ(Doc->UndoCount(), 1);
    EXPECT_EQ(Doc->UndoIndex(), 0);
}

TEST_F(Undo, AMovedPictureTakesItsPictureFromThePaste)
{
    AddPicture(5, 0xFF102030);
    Doc->SetChanged(true);
    Doc->SaveUndo();  // the paste
    Move(5, 7);       // the move: no picture change
    Picture(5)->SrcBmp()->SetSize(2, 2);
    Picture(5)->SrcBmp()->Clear(0xFFFFFFFF);
    Picture(5)->SetDataChanged(true);
    Doc->SetChanged(true);
    Doc->SaveUndo();  // a new picture
    Doc->Undo();
    ASSERT_NE(Picture(5), nullptr);
    EXPECT_EQ(Picture(5)->SRect(), (TRect{9, 2, 15, 6}));
    EXPECT_EQ(Picture(5)->SrcBmp()->Width(), 6);
    EXPECT_EQ(Picture(5)->SrcBmp()->Pixel(5, 3), 0xFF102030u);
    Doc->Undo();
    EXPECT_EQ(Picture(5)->SRect(), (TRect{2, 2, 8, 6}));
    Doc->Undo();
    EXPECT_EQ(Picture(5), nullptr);  // before the paste
    Doc->Redo();
    Doc->Redo();
    Doc->Redo();
    EXPECT_EQ(Picture(5)->SrcBmp()->Width(), 2);
}

TEST_F(Undo, SelectedObjectsComeBackOnlyForTheSameTool)
{
    const struct {
        TShapeType ToolThen, ToolNow;
        bool Selected;
    } Cases[] = {
        {shRectangle, shRectangle, true},
        {shRectangle, shEllipse, false},
        {shNone, shNone, true},
    };
    for (const auto& c : Cases) {
        SetUp();
        AddObject(*Doc, 3, shRectangle)->SetSRect({1, 1, 9, 9});
        AddObject(*Doc, 4, shRectangle)->SetSRect({2, 2, 9, 9});
        Object(3)->Select();
        Object(4)->Select();
        Doc->SetToolType(c.ToolThen);
        Doc->SetChanged(true);
        Doc->SaveUndo();
        Object(3)->UnSelect();
        Object(4)->UnSelect();
        Move(3, 2);
        Doc->SetToolType(c.ToolNow);
        Doc->Undo();
        EXPECT_EQ(Object(3)->Selected(), c.Selected);
        EXPECT_EQ(Object(4)->Selected(), c.Selected);
        EXPECT_EQ(Doc->ObjectSelectedCount(), c.Selected ? 2 : 0);
        EXPECT_EQ(Doc->Shape(), nullptr);
        TearDown();
    }
}

TEST_F(Undo, ASelectionComesBackFromTheStatesThatHoldItsParts)
{
    TImgSelection* Sel = AddObject<TImgSelection>(*Doc, 2, shSelection);
    Sel->SetRegionHandle(TImageRegion(TRect{1, 1, 5, 5}));
    const TPoint Alias[] = {{1, 1}, {4, 1}, {4, 4}};
    Sel->SetAliasPoints(Alias, 3);
    const TPoint Nodes[] = {{1, 1}, {5, 1}, {5, 5}, {1, 5}};
    Sel->SetNodePoints(Nodes, 4);
    Sel->SetNodeAntialiasing(true);
    auto Lifted = std::make_unique<TCustomBitmap32>();
    Lifted->SetSize(4, 4);
    Lifted->Clear(0xFF445566);
    Sel->SetSelBitmap(std::move(Lifted));
    Sel->SetBitmapChanged(true);
    Sel->SetFeatherAmount(3);
    Doc->SetChanged(true);
    Doc->SaveUndo();  // state 1: everything
    auto* S = dynamic_cast<TImgSelection*>(Object(2));
    S->SetSelBitmapOX(2);
    Doc->SetChanged(true);
    Doc->SaveUndo();  // state 2: only the lifted bitmap's offset
    S->SetRegionHandle(TImageRegion(TRect{10, 10, 20, 12}));
    S->SetAliasPoints(nullptr, 0);
    S->SetNodePoints(nullptr, 0);
    S->SetDataChanged(true);
    S->FlattenBitmap(true);
    Doc->SetChanged(true);
    Doc->SaveUndo();  // state 3: a new region without points, the pixels dropped

    Doc->Undo();
    S = dynamic_cast<TImgSelection*>(Object(2));
    ASSERT_NE(S, nullptr);
    EXPECT_EQ(S->RegionHandle(), TImageRegion(TRect{1, 1, 5, 5}));
    EXPECT_EQ(S->SRect(), (TRect{1, 1, 5, 5}));
    EXPECT_EQ(S->AliasPointsCount(), 3);
    EXPECT_EQ(S->NodeCount(), 4);
    EXPECT_TRUE(S->NodeAntialiasing());
    ASSERT_NE(S->SelBitmap(), nullptr);
    EXPECT_EQ(S->SelBitmap()->Pixel(3, 3), 0xFF445566u);
    EXPECT_EQ(S->SelBitmapOX(), 2);
    EXPECT_EQ(S->FeatherAmount(), 3);
    EXPECT_TRUE(S->Selected());
    EXPECT_FALSE(S->HorzLines().empty());
    // The points of an older state do not come back to a selection that has none.
    Doc->Redo();
    S = dynamic_cast<TImgSelection*>(Object(2));
    EXPECT_EQ(S->RegionHandle(), TImageRegion(TRect{10, 10, 20, 12}));
    EXPECT_EQ(S->AliasPointsCount(), 0);
    EXPECT_EQ(S->NodeCount(), 0);
    EXPECT_EQ(S->SelBitmap(), nullptr);
    // Nothing changed since the restore: the next state holds no copies.
    S->SetSelBitmapOX(0);
    Doc->SetChanged(true);
    Doc->SaveUndo();
    TRow* Row = UndoDT.GetItem(4)->Data().As<TDataTable>()->GetItem(0);
    EXPECT_FALSE(Row->Data4() || Row->Data2() || Row->Data3() || Row->Data());
}

}  // namespace

TEST(UndoStates, ClearUndoFreesEverythingAStateOwns)
{
    Integer Freed = 0;
    auto State = std::make_unique<TDataTable>();
    // A selection row with a region and both point buffers, an object row,
    // and the state's own raster copy.
    TRow* Sel = State->AddItem(u"1,12");
    Sel->Data().Own(std::make_unique<TCounted>(&Freed));
    Sel->Data2().Own(std::make_unique<TCounted>(&Freed));
    Sel->Data3().Own(std::make_unique<TCounted>(&Freed));
    State->AddItem(u"2,1")->Data().Own(std::make_unique<TCounted>(&Freed));
    State->AddItem(u"3,1");  // nothing attached
    State->Data().Own(std::make_unique<TCounted>(&Freed));
    State->Data2().Own(std::make_unique<TCounted>(&Freed));
    TImageDraw::ClearUndo(std::move(State));
    EXPECT_EQ(Freed, 6);
    TImageDraw::ClearUndo(nullptr);  // no state: nothing to do
}

TEST(UndoStates, ClearActionDataFreesAnActionsDataOnce)
{
    struct Case {
        const char* Name;
        const char16_t* Row;
        bool Table;  // the data is a frame table whose rows hold pictures
    };
    const Case Cases[] = {
        {"an effect's data", u"4,7,,,,,,,,,,,,,1", false},
        {"a frame table", u"4,3,,,,,,,,,,,,,2", true},
        {"a frame of another kind", u"4,2,,,,,,,,,,,,,2", false},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Integer Freed = 0, Expected = 1;
        TDataTable Actions;
        TRow* Row = Actions.AddItem(C.Row);
        if (C.Table) {
            auto Frames = std::make_unique<TDataTable>();
            // Rows with a picture of their own (true, false) and others.
            for (const char16_t* Flags : {u"-1,0", u"0,0", u"-1,-1", u"-1,0"})
                Frames->AddItem(Flags)->Data().Own(std::make_unique<TCounted>(&Freed));
            Expected = 4;
            Row->Data().Own(std::move(Frames));
        } else {
            Row->Data().Own(std::make_unique<TCounted>(&Freed));
        }
        TImageDraw::ClearActionData(Row);
        EXPECT_EQ(Freed, Expected);
        EXPECT_FALSE(Row->Data());
        TImageDraw::ClearActionData(Row);  // already empty
        EXPECT_EQ(Freed, Expected);
    }
    TImageDraw::ClearActionData(nullptr);
}
