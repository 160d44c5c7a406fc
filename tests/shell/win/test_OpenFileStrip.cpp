// The open-documents strip on a real window: thumbnails arrive from the
// worker and show in the tiles, a click on a tile switches, a click on the
// close glyph closes, a drag reorders the rows; resting on a tile shows its
// preview after the delay (on the manual skin clock) and leaving hides it;
// the worker stops before the rows go.
#include <gtest/gtest.h>

#include "../../framework/controls/win/GuiTest.h"
#include "../../foundation/TempFolder.h"

#include "Component/Raster32/win/Ras32_Image.h"
#include "dialogs/win/MakeThumbThread.h"
#include "foundation/HyDataTable.h"
#include "foundation/win/HyFileUtils_Image.h"
#include "shell/OpenDocumentsCore.h"
#include "shell/OpenFileStripCore.h"
#include "foundation/HySysUtils.h"
#include "framework/controls/win/ExtCtrls.h"
#include "framework/controls/win/StdCtrls.h"
#include "shell/win/OpenFileForm.h"
#include "shell/win/OpenFileStrip.h"
#include "skin/controls/SkinClock.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinScrollBar.h"
#include "skin/model/win/SFKernels_Win.h"

namespace {

namespace S = OpenFileStrip;

class OpenFileStripTest : public guitest::FormTest {
protected:
    TSkinClockScope Clock;
    TTempFolder Dir{u"lm_strip_"};
    TDataTable Table;
    TForm* Form = nullptr;
    TsfSkinScrollBox* Box = nullptr;
    std::unique_ptr<TOpenFileStrip> Strip;
    std::vector<Integer> Switched, Closed;

    void SetUp() override
    {
        static const bool Kernels = (InstallSkinKernelsWin(), true);
        (void)Kernels;
        const TColor32 Colours[] = {0xFFFF0000, 0xFF00A000, 0xFF0000FF};
        for (int I = RowCount() - 1; I >= 0; --I) {
            TBitmap32 B;
            B.SetSize(160, 120);
            B.Clear(Colours[I % 3]);
            const String File = Dir / (u"p" + IntToStr(I) + u".png");
            SaveBitmap32ToFile(&B, File, ifPng, 0);
            RegisterOpenFileRow(Table, File, false, 0, 0);
        }
        Place();
        ShowAndWait(Form);
        Strip = std::make_unique<TOpenFileStrip>(Box, Table);
        Placed();
        Strip->OnSwitch = [this](Integer I) { Switched.push_back(I); };
        Strip->OnClose = [this](Integer I) { Closed.push_back(I); };
        Strip->DrawOpenFileTiles(-1);
        Strip->ResetOpenFileThumb(-1);
    }
    virtual Integer RowCount() { return 3; }
    // The form and the box, before they are shown; then what the strip needs of them.
    virtual void Place()
    {
        Form = NewForm(40, 400, 400, 90);
        Box = new TsfSkinScrollBox(Form);
        Box->SetParent(Form);
        Box->SetBounds(0, 0, 326, 90);
        Box->SetColor(clWhite);
    }
    virtual void Placed() {}
    void TearDown() override
    {
        Strip.reset();
        guitest::FormTest::TearDown();
    }
    // Runs the worker's hand-overs and the messages until Done.
    template <class F>
    bool Until(F Done)
    {
        return guitest::PumpUntil([&] {
            CheckSynchronize(0);
            return Done();
        });
    }
    TPoint TileScreen(Integer I, TPoint At) { return Strip->Tile(I)->ClientToScreen(At); }
    void ClickAt(TPoint P)
    {
        guitest::MovePointer(P);
        guitest::LeftButton(true);
        guitest::LeftButton(false);
        guitest::Pump();
    }
};


// The strip as the main window has it: a panel at the bottom of the form with
// the scroll box and a side panel for the scroll bar and the expand button,
// and more rows than one line of tiles holds.
class OpenFileStripSideTest : public OpenFileStripTest {
protected:
    TPanel* Panel = nullptr;
    TPanel* Side = nullptr;
    Integer RowCount() override { return 8; }
    void Place() override
    {
        Form = NewForm(40, 300, 400, 300);
        Panel = new TPanel(Form);
        Panel->SetParent(Form);
        Panel->SetBevelOuter(bvNone);
        Panel->SetAlign(alBottom);
        Panel->SetHeight(S::CollapsedHeight);
        Side = new TPanel(Panel);
        Side->SetParent(Panel);
        Side->SetBevelOuter(bvNone);
        Side->SetAlign(alRight);
        Side->SetWidth(40);
        Box = new TsfSkinScrollBox(Form);
        Box->SetParent(Panel);
        Box->SetAlign(alClient);
        Box->SetColor(clWhite);
    }
    void Placed() override
    {
        Strip->SetPanel(Panel);
        Strip->SetSidePanel(Side);
        Box->OnResize = [this](TObject*) { Strip->DrawOpenFileTiles(-1); };
    }
};

}  // namespace

TEST_F(OpenFileStripTest, ThumbnailsShowAndAClickSwitchesOrCloses)
{
    ASSERT_TRUE(Until([&] {
        for (Integer I = 0; I < 3; ++I)
            if (!Table.GetItem(I)->Data()) return false;
        return true;
    }));
    EXPECT_EQ(Strip->Columns(), 3);
    EXPECT_EQ(Table.GetItem(0)->GetItem(OpenFileCol::ThumbWidth)->Value(), 80);
    EXPECT_EQ(Table.GetItem(0)->GetItem(OpenFileCol::ThumbHeight)->Value(), 60);
    // Row 0 is p0 (red), then green, then blue: each tile shows its file.
    const COLORREF Want[] = {RGB(255, 0, 0), RGB(0, 160, 0), RGB(0, 0, 255)};
    for (Integer I = 0; I < 3; ++I) {
        const TPoint P = TileScreen(I, TPoint{S::TileWidth / 2, S::TileHeight / 2});
        EXPECT_TRUE(guitest::PumpUntil([&] { return guitest::ScreenPixelNow(P.X, P.Y) == Want[I]; })) << I;
    }
    // The live row is 0 (registered last... first): a click on tile 1 switches to it.
    ClickAt(TileScreen(1, TPoint{20, 40}));
    ASSERT_TRUE(Until([&] { return !Switched.empty(); }));
    EXPECT_EQ(Switched, (std::vector<Integer>{1}));
    // The close glyph's area of tile 2 closes it instead.
    ClickAt(TileScreen(2, TPoint{S::TileWidth - 8, 6}));
    ASSERT_TRUE(Until([&] { return !Closed.empty(); }));
    EXPECT_EQ(Closed, (std::vector<Integer>{2}));
    EXPECT_EQ(Switched.size(), 1u);
}

TEST_F(OpenFileStripTest, ADragOntoTheRightHalfOfTheLastTileMovesTheRowThere)
{
    const String First = Table.GetItem(0)->GetItem(OpenFileCol::FileName)->Text();
    guitest::MovePointer(TileScreen(0, TPoint{40, 30}));
    guitest::LeftButton(true);
    guitest::Pump();
    for (Integer X : {60, 120, 200, 240}) {
        guitest::MovePointer(Strip->Tile(0)->ClientToScreen(TPoint{X, 30}));
        guitest::Pump();
    }
    guitest::MovePointer(TileScreen(2, TPoint{70, 30}));
    guitest::Pump();
    guitest::LeftButton(false);
    ASSERT_TRUE(Until([&] { return Table.GetItem(2)->GetItem(OpenFileCol::FileName)->Text() == First; }));
    EXPECT_EQ(Table.RowIndex(), 2);
}

TEST_F(OpenFileStripTest, ARowClosedWhileItsThumbnailIsMadeDropsThePicture)
{
    // The worker finds rows by name when it hands over: a row gone meanwhile
    // takes nothing, and a stopped worker hands over nothing at all.
    Table.RemoveItemByIndex(0);
    Strip->StopWorker();
    for (int I = 0; I < 20; ++I) CheckSynchronize(5);
    for (Integer I = 0; I < Table.ItemCount(); ++I) {
        TRow& R = *Table.GetItem(I);
        if (R.Data()) EXPECT_EQ(R.GetItem(OpenFileCol::ThumbWidth)->Value(), 80);
    }
    EXPECT_FALSE(Strip->Worker().Started() && !Strip->Worker().Finished());
}

TEST_F(OpenFileStripTest, RestingOnATileShowsItsPreviewAboveTheStripAndLeavingHidesIt)
{
    ASSERT_TRUE(Until([&] { return static_cast<bool>(Table.GetItem(1)->Data()); }));
    // Tile 0 is near the screen's left edge: its preview would start left of
    // it and opens at x 0.
    guitest::MovePointer(TileScreen(0, TPoint{40, 30}));
    ASSERT_TRUE(guitest::PumpUntil([&] { return Table.GetItem(0)->GetItem(OpenFileCol::Hover)->AsBool(); }));
    TfrmOpenFile* P = Strip->Preview();
    ASSERT_NE(P, nullptr);
    EXPECT_FALSE(P->Showing());
    EXPECT_EQ(P->Left(), 0);
    Clock.Clock.Advance(TOpenFileStrip::OpenDelay - 1);
    EXPECT_FALSE(P->Showing());
    Clock.Clock.Advance(1);
    ASSERT_TRUE(P->Showing());
    EXPECT_EQ(P->Top(), Box->ClientToScreen(TPoint{0, 0}).Y - P->Height() - 18);
    EXPECT_NE(GetActiveWindow(), P->Handle());

    // The row keeps what the preview read of its file.
    const String File = Table.GetItem(0)->GetItem(OpenFileCol::FileName)->Text();
    TRow& R = *Table.GetItem(0);
    EXPECT_EQ(R.GetItem(OpenFileCol::TypeText)->Text(), u"PNG");
    EXPECT_EQ(R.GetItem(OpenFileCol::FileSize)->Value(), FileSizeOf(File));
    EXPECT_EQ(R.GetItem(OpenFileCol::Width)->Value(), 160);
    EXPECT_EQ(R.GetItem(OpenFileCol::Height)->Value(), 120);
    EXPECT_NE(R.Data2().As<TBitmap32>(), nullptr);
    EXPECT_EQ(P->lblFileInfo->Caption(), u"PNG    160×120    " + FormatFileSize(FileSizeOf(File)));
    // Its picture is the file's: red in the middle.
    const TPoint Mid = P->imgThumb->ClientToScreen(TPoint{P->imgThumb->Width() / 2, P->imgThumb->Height() / 2});
    EXPECT_TRUE(guitest::PumpUntil([&] { return guitest::ScreenPixelNow(Mid.X, Mid.Y) == RGB(255, 0, 0); }));

    // On to tile 2 while it shows: it follows, centred on that tile.
    guitest::MovePointer(TileScreen(2, TPoint{40, 30}));
    ASSERT_TRUE(guitest::PumpUntil([&] { return Table.GetItem(2)->GetItem(OpenFileCol::Hover)->AsBool(); }));
    EXPECT_FALSE(Table.GetItem(0)->GetItem(OpenFileCol::Hover)->AsBool());
    EXPECT_TRUE(P->Showing());
    EXPECT_EQ(P->Left(), OpenFilePreviewLeft(TileScreen(2, TPoint{0, 0}).X, P->Width()));
    Clock.Clock.Advance(TOpenFileStrip::CloseDelay * 3);
    EXPECT_TRUE(P->Showing());  // the mouse is still on a tile

    // Away from the tiles and the preview: hidden at the next close step.
    guitest::MovePointer(Form->ClientToScreen(TPoint{390, 80}));
    ASSERT_TRUE(guitest::PumpUntil([&] { return !Table.GetItem(2)->GetItem(OpenFileCol::Hover)->AsBool(); }));
    EXPECT_TRUE(P->Showing());
    Clock.Clock.Advance(TOpenFileStrip::CloseDelay);
    EXPECT_FALSE(P->Showing());
}

TEST_F(OpenFileStripSideTest, TheScrollBarMovesTheTilesAndTheExpandButtonShowsThreeRows)
{
    // 8 tiles in 3 columns: 3 rows, of which the collapsed strip shows one.
    ASSERT_EQ(Strip->Columns(), 3);
    ASSERT_TRUE(Strip->ScrollBar2->Visible());
    ASSERT_TRUE(Strip->sbOpenFileExpand->Visible());
    EXPECT_EQ(Strip->Tile(3)->Top(), S::PitchY + 4);

    // The bar's lower arrow scrolls one row: the second row comes to the top.
    TControl* Bar = Strip->ScrollBar2;
    ClickAt(Bar->ClientToScreen(TPoint{Bar->Width() / 2, Bar->Height() - 4}));
    ASSERT_TRUE(guitest::PumpUntil([&] { return Strip->ScrollPos() == S::PitchY; }));
    EXPECT_EQ(Strip->Tile(3)->Top(), 4);
    EXPECT_EQ(Strip->Tile(0)->Top(), 4 - S::PitchY);

    // Expanded: the panel takes three rows; again: one.
    TControl* Expand = Strip->sbOpenFileExpand;
    ClickAt(Expand->ClientToScreen(TPoint{Expand->Width() / 2, Expand->Height() / 2}));
    ASSERT_TRUE(guitest::PumpUntil([&] { return Panel->Height() == 3 * S::PitchY; }));
    EXPECT_TRUE(Strip->Expanded());
    // Every row fits now: tile 6 (the third row) lies inside the box.
    ASSERT_TRUE(guitest::PumpUntil([&] { return Strip->Tile(6)->Top() + S::TileHeight <= Box->ClientHeight(); }));
    EXPECT_TRUE(Strip->sbOpenFileExpand->Visible());
    ClickAt(Expand->ClientToScreen(TPoint{Expand->Width() / 2 - 5, Expand->Height() / 2 - 5}));  // not a double-click
    ASSERT_TRUE(guitest::PumpUntil([&] { return Panel->Height() == S::CollapsedHeight; }));
    EXPECT_FALSE(Strip->Expanded());
}

TEST_F(OpenFileStripSideTest, DraggingATileBelowTheStripScrollsItDown)
{
    ASSERT_EQ(Strip->ScrollPos(), 0);
    guitest::MovePointer(TileScreen(0, TPoint{40, 30}));
    guitest::LeftButton(true);
    guitest::Pump();
    for (Integer Y : {40, 55, 70})
        guitest::MovePointer(Strip->Tile(0)->ClientToScreen(TPoint{40, Y}));
    // Below the box: each step of the drag timer scrolls one row.
    guitest::MovePointer(Box->ClientToScreen(TPoint{40, Box->ClientHeight() + 20}));
    guitest::Pump();
    Clock.Clock.Advance(TOpenFileStrip::DragScrollDelay);
    EXPECT_EQ(Strip->ScrollPos(), S::PitchY);
    Clock.Clock.Advance(TOpenFileStrip::DragScrollDelay);
    EXPECT_EQ(Strip->ScrollPos(), Strip->ScrollRange());
    guitest::LeftButton(false);
    guitest::Pump();
    // Dropped outside every tile: the rows stay as they were.
    EXPECT_EQ(Table.GetItem(0)->GetItem(OpenFileCol::FileName)->Text(), Dir / u"p0.png");
}
