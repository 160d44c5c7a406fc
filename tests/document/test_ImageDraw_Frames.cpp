// Frames: previews recomputed from the pristine copy with the objects
// following the picture, the band layouts, shaped openings, frame tables,
// mask frames, applying and cancelling, picture objects, and replaying the
// recorded rows through CustomBmp.
#include <gtest/gtest.h>

#include "DocumentTestView.h"
#include "GoldenPicture.h"
#include "document/ImageSmall.h"

namespace {
// Colours as the dialogs pass them (0x00BBGGRR) and as they land in pixels.
constexpr TColor Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000;
constexpr TColor32 Red32 = 0xFFFF0000, Green32 = 0xFF00FF00, Blue32 = 0xFF0000FF;

// One preview, as the frames dialog makes it.
struct TFrameCall {
    Integer Type, Mode;
    std::vector<Integer> Args;
    String Texture{};
};

// A frame table of rows: enabled, solid, colour, along the sides, shaded,
// shade lines, top, left, right, bottom.
struct TLayer {
    bool Enabled, Solid;
    TColor Color;
    bool AlongSides, Shaded;
    Integer Lines, Top, Left, Right, Bottom;
};
void FillTable(TDataTable& DT, std::initializer_list<TLayer> Layers, TCustomBitmap32* Tile)
{
    DT.Clear();
    for (const TLayer& L : Layers) {
        TRow* R = DT.AddItem(u",,,,,,,,,,,,,");
        R->GetItem(0)->SetAsBool(L.Enabled);
        R->GetItem(1)->SetAsBool(L.Solid);
        R->GetItem(2)->SetValue(L.Color);
        R->GetItem(3)->SetAsBool(L.AlongSides);
        R->GetItem(5)->SetAsBool(L.Shaded);
        R->GetItem(6)->SetValue(L.Lines);
        R->GetItem(10)->SetValue(L.Top);
        R->GetItem(11)->SetValue(L.Left);
        R->GetItem(12)->SetValue(L.Right);
        R->GetItem(13)->SetValue(L.Bottom);
        if (!L.Solid) R->Data().Ref(Tile);
    }
}

class Frames : public ::testing::Test, protected TProcessingDocument {
protected:
    void SetUp() override
    {
        Make(40, 30);
        Tile.SetSize(4, 3);
        PaintDistinctPixels(Tile);
        Mask.SetSize(8, 6);
        for (Integer y = 0; y < 6; ++y)
            for (Integer x = 0; x < 8; ++x) Mask.SetPixel(x, y, x < 4 ? 0xFF000000 : 0xFFFFFFFF);
        Doc->SetFrameMaskBmp(&Mask);
        Doc->OnProcessingDone = [this](TImageDraw*, TProcessingMode M, bool) {
            if (M == TProcessingMode::pmResize) ++Resized;
        };
    }
    void Call(const TFrameCall& C)
    {
        const auto& A = C.Args;
        auto At = [&](size_t i) { return i < A.size() ? A[i] : 0; };
        Doc->SetFrameType(C.Type);
        Doc->SetFrameMode(C.Mode);
        switch (C.Type) {
        case 0: Doc->FrameDo0(At(0), At(1), At(2), At(3), At(4), At(5), At(6) != 0); break;
        case 1: Doc->FrameDo1(At(0), At(1), At(2), C.Texture); break;
        case 2: Doc->FrameDo2(&Table); break;
        default: Doc->FrameDo3(At(0), At(1)); break;
        }
    }
    // Replays an action row on Target as batch processing does.
    void Replay(TRow& Row, TCustomBitmap32* Target)
    {
        auto Cell = [&](Integer i) { return CellValue(Row, i); };
        TCustomBitmap32* SavedMask = Doc->FrameMaskBmp();
        Doc->SetCustomBmp(Target);
        switch (Cell(1)) {
        case 1:
            Doc->SetFrameMode(Cell(2));
            Doc->FrameDo0(Cell(3), Cell(4), Cell(5), Cell(6), Cell(7), Cell(8), Row.GetItem(9)->AsBool());
            break;
        case 2:
            Doc->SetFrameMode(Cell(2));
            Doc->FrameDo1(Cell(3), Cell(4), Cell(5), Row.GetItem(6)->Text());
            break;
        case 3: Doc->FrameDo2(Row.Data().As<TDataTable>()); break;
        case 4:
            Doc->SetFrameMaskBmp(Row.Data().As<TCustomBitmap32>());
            Doc->FrameDo3(Cell(2), Cell(3));
            break;
        default: break;
        }
        Doc->SetCustomBmp(nullptr);
        Doc->SetFrameMaskBmp(SavedMask);
    }
    TImgSmall* AddPicture()
    {
        auto* Pic = AddObject<TImgSmall>(*Doc, 4, shSmall);
        Pic->SetSRect({3, 2, 13, 10});
        Pic->SrcBmp()->SetSize(10, 8);
        PaintDistinctPixels(*Pic->SrcBmp());
        return Pic;
    }

    TDataTable Table;
    TCustomBitmap32 Tile, Mask;
    Integer Resized = 0;
};

TEST_F(Frames, ObjectsAndGuidesFollowThePreviewsAndGoBackOnCancel)
{
    TImgSmall* Pic = AddPicture();
    Doc->HorzGuidesRow()->AddItem(5);
    Doc->VertGuidesRow()->AddItem(7);
    const auto Original = BitmapCopy(Doc->SrcBmp());
    Doc->FrameBegin();
    Call({0, 1, {10, Red}});
    EXPECT_EQ(Pic->SRect(), (TRect{13, 12, 23, 20}));
    EXPECT_EQ(Doc->SrcBmp()->Width(), 60);
    Call({0, 1, {20, Red}});
    EXPECT_EQ(Pic->SRect(), (TRect{23, 22, 33, 30}));
    EXPECT_EQ(Doc->HorzGuidesRow()->GetItem(0)->Value(), 25);
    EXPECT_EQ(Doc->VertGuidesRow()->GetItem(0)->Value(), 27);
    EXPECT_EQ(Doc->Bitmap()->Width(), 80);
    Doc->FrameEnd(false);
    EXPECT_EQ(Pic->SRect(), (TRect{3, 2, 13, 10}));
    EXPECT_EQ(Doc->HorzGuidesRow()->GetItem(0)->Value(), 5);
    EXPECT_TRUE(Doc->SrcBmp()->SameContent(Original.get()));
    EXPECT_EQ(Doc->Bitmap()->Width(), 40);
    EXPECT_EQ(Resized, 3);
    EXPECT_EQ(Doc->SrcBmp_T(), nullptr);
    EXPECT_EQ(ActionDT.ItemCount(), 0);
    EXPECT_EQ(Doc->UndoCount(), 1);
}

// A cancelled run moved the objects with its previews and back: it leaves no
// undo state due (the next one would repeat the last), and one due before
// it stays due.
TEST_F(Frames, CancellingLeavesTheDueUndoStateAsItWas)
{
    AddPicture();
    for (bool Due : {false, true}) {
        SCOPED_TRACE(Due);
        Doc->SaveUndo();
        const Integer Count = Doc->UndoCount();
        Doc->SetModified(Due);
        Doc->FrameBegin();
        Call({0, 1, {10, Red}});
        Doc->FrameEnd(false);
        EXPECT_EQ(Doc->Modified(), Due);
        Doc->SaveUndo();
        EXPECT_EQ(Doc->UndoCount(), Count + (Due ? 1 : 0));
    }
}

// The band layouts: the new size, where the picture sits, and the colour
// met going inwards from the left edge along the picture's middle row.
TEST_F(Frames, BandLayouts)
{
    const struct {
        Integer Mode, V1, V2, V3;
        Integer W, H, P, Q;
        std::vector<TColor32> FromLeft;  // one per pixel up to the picture
    } Cases[] = {
        {1, 4, 0, 0, 48, 38, 4, 4, {Red32, Red32, Red32, Red32}},
        {2, 5, 3, 2, 60, 50, 10, 10,
         {Red32, Red32, Red32, Red32, Red32, Green32, Green32, Green32, Blue32, Blue32}},
        {5, 3, 6, 0, 46, 39, 3, 3, {Red32, Red32, Red32}},
        {6, 2, 3, 4, 46, 36, 3, 2, {Green32, Green32, Green32}},
        {4, 2, 3, 0, 50, 40, 5, 5, {Red32, Red32, Green32, Green32, Green32}},
    };
    for (const auto& c : Cases) {
        SetUp();
        const auto Original = BitmapCopy(Doc->SrcBmp());
        Doc->FrameBegin();
        Call({0, c.Mode, {c.V1, Red, c.V2, Green, c.V3, Blue}});
        TCustomBitmap32& B = *Doc->SrcBmp();
        ASSERT_EQ(B.Width(), c.W) << c.Mode;
        ASSERT_EQ(B.Height(), c.H) << c.Mode;
        for (size_t x = 0; x < c.FromLeft.size(); ++x)
            EXPECT_TRUE(NearColour(B.Pixel(Integer(x), c.Q + 15), c.FromLeft[x])) << c.Mode << " x " << x;
        for (Integer y = 0; y < 30; y += 7)
            for (Integer x = 0; x < 40; x += 3)
                EXPECT_EQ(B.Pixel(c.P + x, c.Q + y), Original->Pixel(x, y)) << c.Mode;
        Doc->FrameEnd(false);
    }
    // The bands of a bottom-heavy and a three-band layout.
    SetUp();
    Doc->FrameBegin();
    Call({0, 5, {3, Red, 6, Green}});
    EXPECT_TRUE(NearColour(Doc->SrcBmp()->Pixel(20, 1), Red32));
    EXPECT_TRUE(NearColour(Doc->SrcBmp()->Pixel(20, 35), Green32));
    Call({0, 6, {2, Red, 3, Green, 4, Blue}});
    EXPECT_TRUE(NearColour(Doc->SrcBmp()->Pixel(20, 1), Red32));
    EXPECT_TRUE(NearColour(Doc->SrcBmp()->Pixel(20, 34), Blue32));
    Doc->FrameEnd(false);
}

// Openings that are not rectangles: the picture shows in the middle, the
// frame's colour in the corners of the picture's place.
TEST_F(Frames, RoundedAndOvalOpenings)
{
    const struct {
        Integer Mode, V1, V2, V3, P;
        bool CornerTL, CornerTR;  // framed at the picture's corners
    } Cases[] = {
        {3, 2, 2, 40, 4, true, true},     {9, 2, 2, 40, 4, true, false}, {10, 2, 2, 40, 4, false, true},
        {7, 3, 10, 0, 3, true, true},     {8, 3, 20, 0, 3, true, true},  {3, 2, 2, 0, 4, false, false},
    };
    for (const auto& c : Cases) {
        SetUp();
        const auto Original = BitmapCopy(Doc->SrcBmp());
        Doc->FrameBegin();
        Call({0, c.Mode, {c.V1, Red, c.V2, Green, c.V3, Blue}});
        TCustomBitmap32& B = *Doc->SrcBmp();
        EXPECT_EQ(B.Pixel(c.P + 20, c.P + 15), Original->Pixel(20, 15)) << c.Mode;
        EXPECT_EQ(B.Pixel(c.P, c.P) != Original->Pixel(0, 0), c.CornerTL) << c.Mode;
        EXPECT_EQ(B.Pixel(c.P + 39, c.P) != Original->Pixel(39, 0), c.CornerTR) << c.Mode;
        EXPECT_EQ(B.Pixel(0, 0), Red32) << c.Mode;
        Doc->FrameEnd(false);
    }
}

TEST_F(Frames, ShapedOpeningCutsThePictureToItsShape)
{
    // No frame width on a transparent canvas: only the cut.
    Doc = NewBlankDocument(View, 40, 30, true);
    PaintDistinctPixels(*Doc->SrcBmp());
    const auto Original = BitmapCopy(Doc->SrcBmp());
    for (Integer Mode = 1; Mode <= 16; ++Mode) {
        Doc->FrameBegin();
        Call({1, Mode, {0, Red, 30}});
        TCustomBitmap32& B = *Doc->SrcBmp();
        EXPECT_EQ(B.Width(), 40) << Mode;
        EXPECT_EQ(B.Pixel(20, 16), Original->Pixel(20, 16)) << Mode;
        Doc->FrameEnd(false);
    }
    const struct {
        Integer Mode;
        TPoint Outside;
    } Cuts[] = {{2, {0, 0}}, {3, {1, 1}}, {7, {2, 2}}, {9, {1, 1}}, {13, {2, 2}}, {14, {38, 28}}, {11, {39, 29}}};
    for (const auto& c : Cuts) {
        Doc->FrameBegin();
        Call({1, c.Mode, {0, Red, 30}});
        EXPECT_EQ(Doc->SrcBmp()->Pixel(c.Outside.X, c.Outside.Y), 0x00FFFFFFu) << c.Mode;
        Doc->FrameEnd(false);
    }
    // A frame width grows the picture and shifts it.
    Doc->FrameBegin();
    Call({1, 1, {6, Red, 0}});
    EXPECT_EQ(Doc->SrcBmp()->Width(), 52);
    EXPECT_EQ(Doc->SrcBmp()->Pixel(26, 21), Original->Pixel(20, 15));
    EXPECT_EQ(Doc->LastMoveOffsetX(), 6);
    Doc->FrameEnd(false);
}

TEST_F(Frames, FrameTables)
{
    const auto Original = BitmapCopy(Doc->SrcBmp());
    auto Framed = [&](std::initializer_list<TLayer> Layers) {
        FillTable(Table, Layers, &Tile);
        Doc->FrameBegin();
        Call({2, 0, {}});
        auto R = BitmapCopy(Doc->SrcBmp());
        Doc->FrameEnd(false);
        return R;
    };
    const TLayer Inner{true, true, Red, false, false, 0, 2, 3, 4, 5};
    const TLayer Outer{true, false, 0, true, false, 0, 3, 3, 3, 3};
    const TLayer Off{false, true, Blue, false, false, 0, 9, 9, 9, 9};
    const auto Two = Framed({Inner, Outer});
    EXPECT_EQ(Two->Width(), 40 + 3 + 4 + 6);
    EXPECT_EQ(Two->Height(), 30 + 2 + 5 + 6);
    EXPECT_EQ(Two->Pixel(4, 20), Red32);
    EXPECT_EQ(Two->Pixel(6, 5), Original->Pixel(0, 0));
    // A disabled row between two enabled ones is as if absent.
    EXPECT_TRUE(Framed({Inner, Off, Outer})->SameContent(Two.get()));
    // Widths all 0, or too many rows: the picture stays.
    EXPECT_TRUE(Framed({Off, {true, true, Red, false, false, 0, 0, 0, 0, 0}})->SameContent(Original.get()));
    EXPECT_TRUE(Framed({Inner, Inner, Inner, Inner, Inner, Inner, Inner})->SameContent(Original.get()));
    // A negative width (tables come from files) counts as none.
    const auto Neg = Framed({{true, true, Red, false, false, 0, -50, 2, 2, 2}});
    EXPECT_EQ(Neg->Height(), 32);
    // A shaded edge darkens the band's outer lines.
    const auto Shaded = Framed({{true, true, Red, false, true, 3, 4, 4, 4, 4}});
    Integer Darker = 0;
    for (Integer x = 0; x < 4; ++x) Darker += Shaded->Pixel(x, 15) != Red32;
    EXPECT_GT(Darker, 0);
    EXPECT_EQ(Shaded->Pixel(4, 15), Original->Pixel(0, 11));
}

TEST_F(Frames, MaskFrame)
{
    const auto Original = BitmapCopy(Doc->SrcBmp());
    Doc->FrameBegin();
    Call({3, 0, {0, Red}});
    EXPECT_TRUE(Doc->SrcBmp()->SameContent(Original.get()));
    Call({3, 0, {100, Red}});
    TCustomBitmap32& B = *Doc->SrcBmp();
    EXPECT_EQ(B.Width(), 40);
    EXPECT_TRUE(NearColour(B.Pixel(2, 10), Red32));  // where the mask is dark
    EXPECT_EQ(B.Pixel(37, 10), Original->Pixel(37, 10));  // where it is light
    EXPECT_EQ(Resized, 0);
    Doc->FrameEnd(false);
    EXPECT_TRUE(Doc->SrcBmp()->SameContent(Original.get()));
}

TEST_F(Frames, ApplyingKeepsAnUndoStateAndAnActionRow)
{
    Doc->FrameBegin();
    Call({0, 1, {5, Red}});
    Doc->FrameEnd(true);
    EXPECT_EQ(Doc->SrcBmp()->Width(), 50);
    EXPECT_EQ(Doc->UndoCount(), 2);
    ASSERT_EQ(ActionDT.ItemCount(), 1);
    TRow& Row = *ActionDT.GetItem(0);
    EXPECT_EQ(Row.GetItem(0)->Text(), u"1");
    EXPECT_EQ(Row.GetItem(1)->Text(), u"1");
    EXPECT_EQ(Row.GetItem(14)->Text(), u"2");
    Doc->Undo();
    EXPECT_EQ(Doc->SrcBmp()->Width(), 40);
}

TEST_F(Frames, APictureObjectGrowsAndShrinksBack)
{
    TImgSmall* Pic = AddPicture();
    Doc->SetCurrentShape(4);
    Doc->SetFrameSmall(true);
    const auto Original = BitmapCopy(Pic->SrcBmp());
    Doc->FrameBegin();
    Call({0, 1, {3, Red}});
    EXPECT_EQ(Pic->SRect(), (TRect{3, 2, 19, 16}));
    EXPECT_EQ(Doc->SrcBmp()->Width(), 40);
    Doc->FrameEnd(false);
    EXPECT_EQ(Pic->SRect(), (TRect{3, 2, 13, 10}));
    EXPECT_TRUE(Pic->SrcBmp()->SameContent(Original.get()));
    Doc->FrameBegin();
    Call({2, 0, {}});  // empty table: nothing
    Call({0, 2, {1, Red, 1, Green, 1, Blue}});
    Doc->FrameEnd(true);
    EXPECT_EQ(Pic->SRect(), (TRect{3, 2, 19, 16}));
    EXPECT_EQ(ActionDT.ItemCount(), 0);  // only the raster's frames are replayed
    EXPECT_EQ(Doc->UndoCount(), 2);
    EXPECT_EQ(Resized, 0);
}

// Every routine recorded on the raster, replayed through CustomBmp on the
// picture as it was, gives the live result.
TEST_F(Frames, ReplayingTheRecordedFrameGivesTheLiveResult)
{
    std::vector<TFrameCall> Calls;
    for (Integer Mode = 1; Mode <= 10; ++Mode) Calls.push_back({0, Mode, {3, Red, 2, Green, 30, Blue, 1}});
    for (Integer Mode = 1; Mode <= 16; ++Mode) Calls.push_back({1, Mode, {4, Red, 25}});
    Calls.push_back({2, 0, {}});
    Calls.push_back({3, 0, {60, Green}});
    for (const TFrameCall& C : Calls) {
        SetUp();
        FillTable(Table, {{true, true, Red, false, true, 2, 2, 3, 4, 5}, {true, false, 0, true, false, 0, 3, 3, 3, 3}},
                  &Tile);
        const auto Original = BitmapCopy(Doc->SrcBmp());
        Doc->FrameBegin();
        Call({C.Type, C.Mode, {8, Blue, 1, Red, 0, Green}});
        Call(C);
        Doc->FrameEnd(true);
        ASSERT_EQ(ActionDT.ItemCount(), 1) << C.Type << "/" << C.Mode;
        TCustomBitmap32 Batch;
        Batch.Assign(Original.get());
        Table.Clear();  // the row holds its own copies
        Replay(*ActionDT.GetItem(0), &Batch);
        EXPECT_TRUE(Batch.SameContent(Doc->SrcBmp())) << C.Type << "/" << C.Mode;
        EXPECT_EQ(Doc->SrcBmp()->Width(), Batch.Width());
    }
}
}  // namespace
