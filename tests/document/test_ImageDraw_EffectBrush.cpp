// The effect brush: where a dab lands and how far apart dabs lie, erasing,
// the raster's alpha, sources rebuilt for a new strength, bokeh and
// colouring runs with their undo states, warp and highlighter strokes
// recorded once, and brush calls that find no run.
#include <gtest/gtest.h>

#include "DocumentTestView.h"
#include "filters/HyRas32Filters.h"
#include "filters/Ras32_Filters.h"
#include "filters/SharpenLib32.h"

namespace {
constexpr TColor32 Red = 0xFFD02010, White = 0xFFFFFFFF;

// A one-pixel checkerboard of red and white: every pixel differs from the
// mean of any cell, and the red ones are what the red-eye brush changes.
void FillChecker(TCustomBitmap32& B)
{
    for (Integer y = 0; y < B.Height(); ++y)
        for (Integer x = 0; x < B.Width(); ++x) B.SetPixel(x, y, (x + y) % 2 ? Red : White);
}

// Colours and alphas that vary from pixel to pixel.
void FillTranslucent(TCustomBitmap32& B)
{
    for (Integer y = 0; y < B.Height(); ++y)
        for (Integer x = 0; x < B.Width(); ++x)
            B.SetPixel(x, y, TColor32(30 + (x * 7 + y * 3) % 220) << 24 | TColor32((x * 37 + y * 11) & 255) << 16 |
                                 TColor32((x * 5 + y * 53) & 255) << 8 | TColor32((x * y * 7 + 40) & 255));
}

std::unique_ptr<TCustomBitmap32> CopyOf(TCustomBitmap32* B)
{
    auto C = std::make_unique<TCustomBitmap32>();
    C->Assign(B);
    return C;
}

bool SamePixels(TCustomBitmap32& A, TCustomBitmap32& B)
{
    if (A.Width() != B.Width() || A.Height() != B.Height()) return false;
    for (Integer y = 0; y < A.Height(); ++y)
        for (Integer x = 0; x < A.Width(); ++x)
            if (A.Pixel(x, y) != B.Pixel(x, y)) return false;
    return true;
}

// Merging at full strength may round each channel by one.
bool Near(TColor32 A, TColor32 B)
{
    for (Integer Shift = 0; Shift < 32; Shift += 8)
        if (std::abs(Integer(A >> Shift & 255) - Integer(B >> Shift & 255)) > 1) return false;
    return true;
}

Integer ChangedPixels(TCustomBitmap32& A, TCustomBitmap32& B)
{
    Integer N = 0;
    for (Integer y = 0; y < A.Height(); ++y)
        for (Integer x = 0; x < A.Width(); ++x) N += A.Pixel(x, y) != B.Pixel(x, y);
    return N;
}

Integer StatesNamed(TDataTable& UndoDT, const String& Name)
{
    Integer N = 0;
    for (Integer i = 0; i < UndoDT.ItemCount(); ++i) {
        TRow& Row = *UndoDT.GetItem(i);
        N += Row.ItemCount() > 4 && Row.GetItem(4)->Text() == Name;
    }
    return N;
}

class EffectBrush : public ::testing::Test {
protected:
    void SetUp() override { Open(FillChecker); }
    void Open(void (*Fill)(TCustomBitmap32&))
    {
        UndoDT.Clear();
        Doc = NewBlankDocument(View, 40, 30, false, 0xFFFFFF);
        Fill(*Doc->SrcBmp());
        Doc->SetUndoDT(&UndoDT);
        Doc->InitBitmap();
        Doc->SaveUndoFirst();
        Doc->SetEffectDrawRadius(6);
        Original = CopyOf(Doc->SrcBmp());
        // The main window closes the run when an undo or redo reaches a
        // state from before it.
        Doc->OnGodoStart = [this](TImageDraw* D, const String& Name) {
            if (D->EffectDrawing() && Name != u"EffectDraw") D->EffectDrawOver(true);
        };
    }
    void Begin(TEffectMode Mode, Cardinal Value)
    {
        Doc->SetEffectMode(Mode);
        Doc->EffectDrawBegin(Value);
    }
    // A stroke as the main window makes it: press, the moves, release, and
    // an undo state when the document reports a change.
    void Stroke(std::initializer_list<TPoint> Points)
    {
        const TPoint First = *Points.begin();
        Doc->EffectDrawPrepare(ssLeft, First.X, First.Y);
        for (const TPoint& P : Points) Doc->EffectDrawDo(true, ssLeft, P.X, P.Y);
        Doc->EffectDrawEnd();
        Doc->SaveUndo();
    }
    // Another state of the picture before the brush is taken up.
    void Edit(TColor32 C)
    {
        Doc->SrcBmp()->SetPixel(0, 0, C);
        Doc->SetSrcBmpChanged(true);
        Doc->SetChanged(true);
        Doc->SaveUndo();
        Original = CopyOf(Doc->SrcBmp());
    }

    TTestView View;
    TDataTable UndoDT;
    std::unique_ptr<TImageDraw> Doc;
    std::unique_ptr<TCustomBitmap32> Original;
};
}  // namespace

TEST_F(EffectBrush, ADabAtTheCornerPaintsTheQuarterInsideAroundTheMouse)
{
    Begin(emMosaic, 4);
    Doc->EffectDrawDo(true, ssLeft, 0, 0);
    EXPECT_EQ(Doc->EffectDrawRect(), (TRect{-6, -6, 6, 6}));
    auto Corner = CopyOf(Doc->SrcBmp());
    // The same dab away from the edges: the corner's quarter is its
    // lower-right quarter (the checkerboard and the mosaic cells repeat).
    Open(FillChecker);
    Begin(emMosaic, 4);
    Doc->EffectDrawDo(true, ssLeft, 20, 14);
    for (Integer y = 0; y < 30; ++y)
        for (Integer x = 0; x < 40; ++x) {
            const TColor32 Want = x < 8 && y < 8 ? Doc->SrcBmp()->Pixel(20 + x, 14 + y) : Original->Pixel(x, y);
            ASSERT_EQ(Corner->Pixel(x, y), Want) << x << "," << y;
        }
    // Full strength at the mouse, none from the radius on.
    EXPECT_PRED2(Near, Corner->Pixel(0, 0), Doc->SrcBmp_T()->Pixel(0, 0));
    EXPECT_NE(Corner->Pixel(5, 0), Original->Pixel(5, 0));
    EXPECT_EQ(Corner->Pixel(6, 0), Original->Pixel(6, 0));
    EXPECT_EQ(Corner->Pixel(5, 5), Original->Pixel(5, 5));  // outside the circle, inside the square
}

TEST_F(EffectBrush, DabsLieTwoPixelsApartForTheMosaicAndFourForTheOthers)
{
    const struct {
        TEffectMode Mode;
        Integer DX, DY;
        bool NewDab;
    } Cases[] = {
        {emMosaic, 1, 0, false}, {emMosaic, 1, -1, false}, {emMosaic, 2, 0, true},  {emMosaic, 0, -2, true},
        {emBlurring, 3, 0, false}, {emBlurring, 3, -3, false}, {emBlurring, 4, 0, true}, {emBlurring, 1, 4, true},
        {emColorDodge, 3, 3, false}, {emColorDodge, -4, 2, true},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.Mode << " " << c.DX << "," << c.DY);
        Open(FillChecker);
        Begin(c.Mode, 40);
        Doc->EffectDrawDo(true, ssLeft, 20, 14);
        auto Before = CopyOf(Doc->SrcBmp());
        Doc->EffectDrawDo(true, ssLeft, 20 + c.DX, 14 + c.DY);
        EXPECT_EQ(ChangedPixels(*Before, *Doc->SrcBmp()) > 0, c.NewDab);
        // The outline follows the mouse whether a dab is laid or not.
        EXPECT_EQ(Doc->EffectDrawRect().Left, 14 + c.DX);
    }
    // A new stroke starts with a dab wherever it is.
    Doc->EffectDrawEnd();
    auto Before = CopyOf(Doc->SrcBmp());
    Doc->EffectDrawDo(true, ssLeft, 16, 16);
    EXPECT_GT(ChangedPixels(*Before, *Doc->SrcBmp()), 0);
}

TEST_F(EffectBrush, AFullStrengthDabPaintsTheSourceAndErasingPaintsTheUnfilteredCopyBack)
{
    const struct {
        TEffectMode Mode;
        Cardinal Value;
        Integer Radius;
    } Cases[] = {
        {emMosaic, 4, 6}, {emBlurring, 5, 6}, {emSharpening, 2, 6}, {emBokeh, 4, 6},
        // The red-eye brush's peak on either side of its six-pixel rim.
        {emRedEye, 0, 6}, {emRedEye, 0, 7},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.Mode << " r " << c.Radius);
        Open(FillChecker);
        Doc->SetEffectDrawRadius(c.Radius);
        Begin(c.Mode, c.Value);
        auto Unfiltered = CopyOf(Doc->SrcBmp_T2());
        const TColor32 Source = Doc->SrcBmp_T()->Pixel(21, 14);
        ASSERT_NE(Source, Unfiltered->Pixel(21, 14));
        Stroke({{21, 14}});
        // Bokeh paints the sharp picture at a lower strength.
        if (c.Mode != emBokeh) EXPECT_PRED2(Near, Doc->SrcBmp()->Pixel(21, 14), Source);
        Doc->SetEffectDrawErase(true);
        Stroke({{21, 14}});
        EXPECT_PRED2(Near, Doc->SrcBmp()->Pixel(21, 14), Unfiltered->Pixel(21, 14));
        Doc->SetEffectDrawErase(false);
        Doc->EffectDrawOver(false);
    }
}

TEST_F(EffectBrush, TheBrushNeverChangesTheRastersAlpha)
{
    const struct {
        TEffectMode Mode;
        Cardinal Value;
    } Cases[] = {
        {emMosaic, 5},      {emBlurring, 8},     {emSharpening, 3}, {emBokeh, 6},         {emColoring, 0},
        {emColorize, 0xFF2060C0}, {emColorDodge, 60}, {emColorBurn, 60}, {emSaturation, 80}, {emRedEye, 0},
    };
    for (bool Erase : {false, true})
        for (const auto& c : Cases) {
            SCOPED_TRACE(testing::Message() << c.Mode << (Erase ? " erasing" : ""));
            Open(FillTranslucent);
            Doc->SetEffectDrawRadius(9);
            Begin(c.Mode, c.Value);
            auto Before = CopyOf(Doc->SrcBmp());  // after bokeh's and colouring's whole-raster change
            Stroke({{0, 0}, {6, 4}, {12, 9}, {20, 15}, {27, 20}, {39, 29}});
            Stroke({{35, 2}, {30, 8}});
            Doc->SetEffectDrawErase(Erase);
            Stroke({{2, 29}, {10, 20}, {16, 14}, {24, 8}, {39, 0}});
            Integer ColourChanged = 0;
            for (Integer y = 0; y < 30; ++y)
                for (Integer x = 0; x < 40; ++x) {
                    const TColor32 A = Doc->SrcBmp()->Pixel(x, y), B = Before->Pixel(x, y);
                    ASSERT_EQ(A >> 24, B >> 24) << x << "," << y;
                    ColourChanged += A != B;
                }
            EXPECT_GT(ColourChanged, 0);
            Doc->EffectDrawOver(false);
        }
}

TEST_F(EffectBrush, ANewStrengthRebuildsTheSourceFromTheUnfilteredCopy)
{
    using TFilter = void (*)(TCustomBitmap32&, Cardinal, TImageDraw&);
    const struct {
        TEffectMode Mode;
        Cardinal First, Second;
        TFilter Filter;
    } Cases[] = {
        {emMosaic, 3, 7,
         [](TCustomBitmap32& B, Cardinal V, TImageDraw& D) {
             PixelateBitmap(&B, V, D.CanvasTransparent(), D.CanvasColor());
         }},
        {emBlurring, 2, 9, [](TCustomBitmap32& B, Cardinal V, TImageDraw&) { ExponentialBlur(&B, V); }},
        {emSharpening, 1, 3,
         [](TCustomBitmap32& B, Cardinal V, TImageDraw&) {
             for (Cardinal i = 0; i < V; ++i) SharpenBitmap(&B, 0);
         }},
        {emColorize, 0xFF3080F0, 0xFFF08030, [](TCustomBitmap32& B, Cardinal V, TImageDraw&) { TintBitmap(&B, V, 100); }},
        {emColorDodge, 20, 90, [](TCustomBitmap32& B, Cardinal V, TImageDraw&) { TintBitmap(&B, 0xFFFFFFFF, V); }},
        {emColorBurn, 20, 90, [](TCustomBitmap32& B, Cardinal V, TImageDraw&) { TintBitmap(&B, 0xFF000000, V); }},
        {emSaturation, static_cast<Cardinal>(-70), 90,
         [](TCustomBitmap32& B, Cardinal V, TImageDraw&) { AdjustSaturation(&B, static_cast<Integer>(V)); }},
    };
    Open(FillTranslucent);
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.Mode);
        Begin(c.Mode, c.First);
        Stroke({{10, 10}, {20, 10}});
        auto Painted = CopyOf(Doc->SrcBmp());
        for (Cardinal V : {c.First, c.Second}) {
            auto Want = CopyOf(Original.get());
            c.Filter(*Want, V, *Doc);
            if (V == c.Second) Doc->EffectDrawReBegin(V, false);
            EXPECT_TRUE(SamePixels(*Doc->SrcBmp_T(), *Want)) << V;
        }
        // What was painted stays.
        EXPECT_TRUE(SamePixels(*Doc->SrcBmp(), *Painted));
        Doc->EffectDrawOver(true);
        Doc->SrcBmp()->Assign(Original.get());
    }
}

TEST_F(EffectBrush, BokehBlursTheRasterAndANewStrengthBlursTheSharpPictureAgain)
{
    auto Blurred = [this](Integer V) {
        auto B = CopyOf(Original.get());
        ExponentialBlur(B.get(), V);
        return B;
    };
    Begin(emBokeh, 3);
    EXPECT_TRUE(SamePixels(*Doc->SrcBmp(), *Blurred(3)));
    EXPECT_TRUE(SamePixels(*Doc->SrcBmp_T(), *Original));
    EXPECT_EQ(Doc->UndoCount(), 2);
    Stroke({{10, 10}, {20, 10}, {30, 10}});
    EXPECT_EQ(Doc->UndoCount(), 3);
    ASSERT_FALSE(SamePixels(*Doc->SrcBmp(), *Blurred(3)));
    Doc->EffectDrawReBegin(10, false);
    EXPECT_TRUE(SamePixels(*Doc->SrcBmp(), *Blurred(10)));  // the sharp strokes are gone
    EXPECT_TRUE(SamePixels(*Doc->SrcBmp_T2(), *Blurred(10)));
    EXPECT_EQ(Doc->UndoCount(), 4);
    EXPECT_EQ(StatesNamed(UndoDT, u"EffectDraw"), 3);
    // Undo between the brush's states keeps the run open.
    Doc->Undo();
    EXPECT_TRUE(Doc->EffectDrawing());
    // Leaving after painting keeps every state, no longer named.
    Doc->EffectDrawOver(false);
    EXPECT_EQ(Doc->UndoCount(), 4);
    EXPECT_EQ(StatesNamed(UndoDT, u"EffectDraw"), 0);
    EXPECT_EQ(Doc->EffectMode(), emNone);
    EXPECT_FALSE(Doc->EffectDrawing());
    EXPECT_EQ(Doc->SrcBmp_T(), nullptr);
    EXPECT_EQ(Doc->SrcBmp_T2(), nullptr);
}

// Leaving a bokeh or colouring run without a stroke puts the picture back
// and removes the states its whole-raster changes took, wherever undo left
// the index; the index once went back by their count, below the list's
// start when it had been undone, and redo could reach the abandoned states.
TEST_F(EffectBrush, LeavingBokehOrColouringUnpaintedRestoresThePictureAndItsUndoList)
{
    const struct {
        TEffectMode Mode;
        Integer EditsBefore, NewStrengths, UndosInside;
    } Cases[] = {
        {emBokeh, 2, 0, 0}, {emBokeh, 2, 3, 0}, {emBokeh, 2, 3, 2}, {emBokeh, 0, 1, 1},
        {emColoring, 1, 0, 0}, {emColoring, 0, 0, 0},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.Mode << " " << c.EditsBefore << " " << c.NewStrengths << " "
                                        << c.UndosInside);
        Open(FillChecker);
        for (Integer i = 0; i < c.EditsBefore; ++i) Edit(0xFF000000 + TColor32(i));
        const Integer Count = Doc->UndoCount(), Index = Doc->UndoIndex();
        Begin(c.Mode, 5);
        ASSERT_FALSE(SamePixels(*Doc->SrcBmp(), *Original));
        for (Integer i = 0; i < c.NewStrengths; ++i) Doc->EffectDrawReBegin(7 + i, false);
        for (Integer i = 0; i < c.UndosInside; ++i) Doc->Undo();
        ASSERT_TRUE(Doc->EffectDrawing());
        Doc->EffectDrawOver(false);
        EXPECT_TRUE(SamePixels(*Doc->SrcBmp(), *Original));
        EXPECT_FALSE(Doc->SrcBmpChanged());
        EXPECT_EQ(Doc->UndoCount(), Count);
        EXPECT_EQ(Doc->UndoIndex(), Index);
        Doc->Redo();
        EXPECT_EQ(Doc->UndoIndex(), Index);
        EXPECT_TRUE(SamePixels(*Doc->SrcBmp(), *Original));
        // The next edit lands after the state from before the run.
        Edit(0xFF123456);
        EXPECT_EQ(Doc->UndoIndex(), Index + 1);
        Doc->Undo();
        Doc->Redo();
        EXPECT_EQ(Doc->SrcBmp()->Pixel(0, 0), 0xFF123456u);
    }
}

TEST_F(EffectBrush, AnUndoToAStateBeforeTheRunClosesItAndLeavesTheRestoredPicture)
{
    Edit(0xFF0000FF);
    Begin(emBokeh, 4);
    Stroke({{10, 10}, {20, 10}});
    auto Painted = CopyOf(Doc->SrcBmp());
    Doc->Undo();  // the blurred state: still the run's
    EXPECT_TRUE(Doc->EffectDrawing());
    Doc->Undo();  // the state from before the run
    EXPECT_FALSE(Doc->EffectDrawing());
    EXPECT_EQ(Doc->SrcBmp_T(), nullptr);
    EXPECT_TRUE(SamePixels(*Doc->SrcBmp(), *Original));
    EXPECT_EQ(StatesNamed(UndoDT, u"EffectDraw"), 0);
    // The run's states stay as ordinary ones.
    Doc->Redo();
    Doc->Redo();
    EXPECT_TRUE(SamePixels(*Doc->SrcBmp(), *Painted));
}

TEST_F(EffectBrush, WarpAndHighlighterStrokesBecomeOneStateWhenTheRunCloses)
{
    for (TEffectMode Mode : {emWarping, emZooming, emTwirling, emHighlighter})
        for (bool Painted : {true, false}) {
            SCOPED_TRACE(testing::Message() << Mode << (Painted ? " painted" : ""));
            Open(FillChecker);
            const Integer Count = Doc->UndoCount();
            Doc->SetEffectDrawRadius(8);
            Doc->SetEffectDrawColor(0x00FFFF);
            Begin(Mode, 60);
            Doc->EffectDrawDo(false, 0, 10, 10);
            if (Painted) {
                Stroke({{10, 10}, {14, 12}, {18, 14}, {24, 15}});
                Stroke({{30, 20}, {26, 20}});
                EXPECT_FALSE(Doc->Modified());
                EXPECT_EQ(Doc->UndoCount(), Count);
                // The warps push the raster's pixels (the highlighter's pen
                // paints through the platform).
                if (Mode != emHighlighter) EXPECT_FALSE(SamePixels(*Doc->SrcBmp(), *Original));
            }
            auto Before = CopyOf(Doc->SrcBmp());
            Doc->EffectDrawOver(false);
            EXPECT_EQ(Doc->UndoCount(), Count + (Painted ? 1 : 0));
            EXPECT_EQ(StatesNamed(UndoDT, u"EffectDraw"), 0);
            EXPECT_TRUE(SamePixels(*Doc->SrcBmp(), *Before));
            EXPECT_EQ(Doc->ImgWarping(), nullptr);
            if (Painted) {
                Doc->Undo();
                EXPECT_TRUE(SamePixels(*Doc->SrcBmp(), *Original));
                Doc->Redo();
                EXPECT_TRUE(SamePixels(*Doc->SrcBmp(), *Before));
            }
        }
}

TEST_F(EffectBrush, ABrushWithoutRadiusPaintsNothing)
{
    for (Integer Radius : {0, -5})
        for (TEffectMode Mode : {emMosaic, emBlurring, emRedEye, emBokeh, emWarping, emHighlighter}) {
            SCOPED_TRACE(testing::Message() << Mode << " r " << Radius);
            Open(FillChecker);
            Doc->SetEffectDrawRadius(Radius);
            Begin(Mode, 4);
            auto Before = CopyOf(Doc->SrcBmp());
            const Integer Count = Doc->UndoCount();
            Stroke({{10, 10}, {15, 10}, {20, 12}});
            EXPECT_TRUE(SamePixels(*Doc->SrcBmp(), *Before));
            EXPECT_EQ(Doc->UndoCount(), Count);
            EXPECT_EQ(Doc->EffectDrawRect(), (TRect{20, 12, 20, 12}));
            Doc->EffectDrawOver(false);
        }
}

TEST_F(EffectBrush, BrushCallsWithoutARunLeaveAnEffectRunAlone)
{
    Doc->SetEffectMode(emBlur);
    Doc->EffectBegin();
    Doc->EffectDo(4, false);
    auto Preview = CopyOf(Doc->SrcBmp());
    const Integer Count = Doc->UndoCount();
    Doc->EffectDrawReBegin(9, false);
    Stroke({{10, 10}, {20, 10}});
    Doc->EffectDrawOver(false);
    EXPECT_EQ(Doc->EffectMode(), emBlur);
    EXPECT_NE(Doc->SrcBmp_T(), nullptr);
    EXPECT_TRUE(SamePixels(*Doc->SrcBmp(), *Preview));
    EXPECT_EQ(Doc->UndoCount(), Count);
    Doc->EffectEnd(false);
    EXPECT_TRUE(SamePixels(*Doc->SrcBmp(), *Original));
}
