// Effect runs: previews recomputed from the pristine copy, the targets
// (raster, selection, lifted pixels, picture object), applying with an undo
// state and an action row, cancelling, the turns, and colour adjustment.
#include <gtest/gtest.h>

#include "DocumentTestView.h"
#include "document/ImageSelection.h"
#include "document/ImageSmall.h"
#include "filters/HyRas32Filters.h"

namespace {
// One preview call of any routine, as a dialog makes it.
struct TPreview {
    TEffectMode Mode;
    Integer Routine;  // 1 EffectDo, 2 EffectDo2, 3 EffectDoDirection, 4 ImageAdjust
    std::vector<Integer> Args;
};

void RunPreview(TImageDraw& Doc, const TPreview& P)
{
    const auto& A = P.Args;
    auto At = [&](size_t i) { return i < A.size() ? A[i] : 0; };
    switch (P.Routine) {
    case 1: Doc.EffectDo(At(0), At(1) != 0); break;
    case 2: Doc.EffectDo2(At(0), At(1), At(2), At(3), At(4), At(5), At(6) != 0); break;
    case 3: Doc.EffectDoDirection(At(0), At(1), At(2) != 0); break;
    default: Doc.ImageAdjust(At(0), At(1), At(2), At(3), At(4), At(5), At(6), At(7), At(8) != 0); break;
    }
}

// Replays an action row on Target as batch processing does: the row's
// routine and arguments through CustomBmp.
void Replay(TImageDraw& Doc, TRow& Row, TCustomBitmap32* Target)
{
    auto Cell = [&](Integer i) { return CellValue(Row, i); };
    auto Flag = [&](Integer i) { return i < Row.ItemCount() && Row.GetItem(i)->AsBool(); };
    const TEffectMode SavedMode = Doc.EffectMode();
    TCustomBitmap32* SavedMask = Doc.EffectMaskBmp();
    Doc.SetEffectMode(static_cast<TEffectMode>(Cell(2)));
    Doc.SetEffectMaskBmp(Row.Data().As<TCustomBitmap32>());
    Doc.SetCustomBmp(Target);
    switch (Cell(1)) {
    case 1: Doc.EffectDo(Cell(3), Flag(4)); break;
    case 2: Doc.EffectDo2(Cell(3), Cell(4), Cell(5), Cell(6), Cell(7), Cell(9), Flag(8)); break;
    case 3: Doc.EffectDoDirection(Cell(3), Cell(4), Flag(5)); break;
    case 4: Doc.ImageAdjust(Cell(3), Cell(4), Cell(5), Cell(6), Cell(7), Cell(8), Cell(9), Cell(10), Flag(11)); break;
    default: break;
    }
    Doc.SetCustomBmp(nullptr);
    Doc.SetEffectMode(SavedMode);
    Doc.SetEffectMaskBmp(SavedMask);
}

class EffectRun : public ::testing::Test, protected TProcessingDocument {
protected:
    void SetUp() override
    {
        Make(48, 36);
        Mask.SetSize(7, 5);
        PaintDistinctPixels(Mask);
        Doc->SetEffectMaskBmp(&Mask);
    }
    TImgSelection* AddSelection(const TRect& R)
    {
        auto* Sel = AddObject<TImgSelection>(*Doc, 9, shSelection);
        Sel->SetRegionHandle(TImageRegion(R));
        Sel->CalcRect();
        Doc->SetCurrentShape(9);
        return Sel;
    }
    // The pixels one preview with P gives on the raster, the run cancelled after.
    std::unique_ptr<TCustomBitmap32> PreviewOnce(const TPreview& P)
    {
        Doc->SetEffectMode(P.Mode);
        Doc->EffectBegin();
        RunPreview(*Doc, P);
        auto R = BitmapCopy(Doc->SrcBmp());
        Doc->EffectEnd(false);
        return R;
    }

    TCustomBitmap32 Mask;
};

// The previews of deterministic effects, with a first and a second value set.
const struct {
    TPreview First, Second;
} Pairs[] = {
    {{emBlur, 1, {3}}, {emBlur, 1, {20}}},
    {{emSharpen, 1, {1}}, {emSharpen, 1, {3}}},
    {{emDenoising, 1, {10}}, {emDenoising, 1, {30}}},
    {{emSoften, 1, {2}}, {emSoften, 1, {5}}},
    {{emIncreaseLight, 1, {30}}, {emIncreaseLight, 1, {50}}},
    {{emColdBlue, 1, {40}}, {emColdBlue, 1, {100}}},
    {{emYellowing, 1, {20}}, {emYellowing, 1, {60}}},
    {{emFreeze, 1, {20}}, {emFreeze, 1, {70}}},
    {{emAttemper, 1, {-30}}, {emAttemper, 1, {45}}},
    {{emStyleStar, 1, {20}}, {emStyleStar, 1, {80}}},
    {{emStyleSnow, 1, {20}}, {emStyleSnow, 1, {80}}},
    {{emMosaic, 1, {3}}, {emMosaic, 1, {6}}},
    {{emMonochrome, 2, {30, 200}}, {emMonochrome, 2, {60, 20}}},
    {{emGlow, 2, {10, 30, 0, 0, 0x00FF00}}, {emGlow, 2, {20, 80, 0, 0, 0x0000FF}}},
    {{emElegant, 2, {30, 40}}, {emElegant, 2, {60, 70}}},
    {{emBlendMode, 2, {30, 0, 0, 0, 0x00FF00, 3}}, {emBlendMode, 2, {50, 0, 0, 0, 0xFF0000, 5}}},
    {{emFade, 3, {5, 1}}, {emFade, 3, {10, 6}}},
    {{emBevel, 3, {10, 15}}, {emBevel, 3, {20, 3}}},
    {{emColorAdjust, 4, {10, 0, 0, 0, 0, 0, 0, 0}}, {emColorAdjust, 4, {-20, 30, 20, 10, 40, 15, -10, 5, 1}}},
};

TEST_F(EffectRun, TwoPreviewsEqualOneWithTheSecondValue)
{
    const auto Original = BitmapCopy(Doc->SrcBmp());
    for (const auto& c : Pairs) {
        const auto Once = PreviewOnce(c.Second);
        EXPECT_FALSE(Once->SameContent(Original.get())) << c.Second.Mode;
        Doc->SetEffectMode(c.First.Mode);
        Doc->EffectBegin();
        RunPreview(*Doc, c.First);
        RunPreview(*Doc, c.Second);
        EXPECT_TRUE(Doc->SrcBmp()->SameContent(Once.get())) << c.Second.Mode;
        Doc->EffectEnd(false);
        // Cancelling puts the raster back.
        EXPECT_TRUE(Doc->SrcBmp()->SameContent(Original.get())) << c.Second.Mode;
        EXPECT_EQ(Doc->SrcBmp_T(), nullptr);
    }
    EXPECT_EQ(ActionDT.ItemCount(), 0);
    EXPECT_EQ(Doc->UndoCount(), 1);
}

// Replaying what was recorded through CustomBmp gives the live result.
TEST_F(EffectRun, ReplayingTheRecordedActionGivesTheLiveResult)
{
    for (const auto& c : Pairs) {
        SetUp();
        const auto Original = BitmapCopy(Doc->SrcBmp());
        Doc->SetEffectMode(c.First.Mode);
        Doc->EffectBegin();
        RunPreview(*Doc, c.First);
        RunPreview(*Doc, c.Second);
        Doc->EffectEnd(true);
        Doc->SetEffectMode(emNone);
        ASSERT_EQ(ActionDT.ItemCount(), 1) << c.Second.Mode;
        TRow& Row = *ActionDT.GetItem(0);
        EXPECT_EQ(StrToIntDef(Row.GetItem(0)->Text(), -1), 1);  // the state it led to
        EXPECT_EQ(Row.GetItem(14)->Text(), u"1");
        TCustomBitmap32 Batch;
        Batch.Assign(Original.get());
        const bool WasChanged = Doc->Changed();
        Doc->SetChangedFlag(false);
        Replay(*Doc, Row, &Batch);
        EXPECT_FALSE(Doc->Changed()) << c.Second.Mode;  // a batch run is no change of the document
        Doc->SetChangedFlag(WasChanged);
        EXPECT_TRUE(Batch.SameContent(Doc->SrcBmp())) << c.Second.Mode;
        ActionDT.Clear();
    }
}

TEST_F(EffectRun, AModeWithoutAnEffectLeavesThePictureAsItIs)
{
    const auto Original = BitmapCopy(Doc->SrcBmp());
    const TPreview None[] = {
        {emNone, 1, {10}},       {emLomo, 1, {10}},          {emRotate, 1, {10}},     {emBlurring, 1, {10}},
        {emFade, 1, {10}},       {emBlur, 2, {10, 10, 10}},  {emColorAdjust, 2, {10}}, {emBlur, 3, {10, 15}},
        {emInvert, 3, {10, 15}},
    };
    for (const auto& p : None) {
        const auto Once = PreviewOnce(p);
        EXPECT_TRUE(Once->SameContent(Original.get())) << p.Mode << " " << p.Routine;
    }
    // Mosaic runs the pixelate filter with the canvas settings.
    TCustomBitmap32 Want;
    Want.Assign(Original.get());
    PixelateBitmap(&Want, 4, false, Doc->CanvasColor());
    EXPECT_TRUE(PreviewOnce({emMosaic, 1, {4}})->SameContent(&Want));
}

TEST_F(EffectRun, TheBlendModeIsRecorded)
{
    Doc->SetEffectMode(emBlendMode);
    Doc->EffectBegin();
    Doc->EffectDo2(50, 0, 0, 0, 0x3060C0, 11, false);
    Doc->EffectEnd(true);
    ASSERT_EQ(ActionDT.ItemCount(), 1);
    EXPECT_EQ(ActionDT.GetItem(0)->GetItem(9)->Text(), u"11");
}

// Only a whole-raster run is logged; a selection confines the change.
TEST_F(EffectRun, TargetsAndWhatEachRunKeeps)
{
    enum TTarget { tRaster, tSelection, tLifted, tPicture };
    const struct {
        TTarget Target;
        Integer Rows;
    } Cases[] = {{tRaster, 1}, {tSelection, 0}, {tLifted, 0}, {tPicture, 0}};
    for (const auto& c : Cases) {
        SetUp();
        const TRect Box{10, 8, 30, 20};
        TImgSelection* Sel = c.Target == tSelection || c.Target == tLifted ? AddSelection(Box) : nullptr;
        TImgSmall* Pic = nullptr;
        if (c.Target == tLifted) {
            auto Lifted = std::make_unique<TCustomBitmap32>();
            Lifted->SetSize(20, 12);
            PaintDistinctPixels(*Lifted);
            Sel->SetSelBitmap(std::move(Lifted));
            Sel->SetBitmapChanged(true);
        }
        if (c.Target == tPicture) {
            Pic = AddObject<TImgSmall>(*Doc, 4, shSmall);
            Pic->SetSRect({2, 2, 12, 10});
            Pic->SrcBmp()->SetSize(10, 8);
            PaintDistinctPixels(*Pic->SrcBmp());
            Doc->SetCurrentShape(4);
            Doc->SetEffectSmall(true);
        }
        Doc->SetChanged(true);
        Doc->SaveUndo();
        const auto Raster = BitmapCopy(Doc->SrcBmp());
        const auto Lifted = Sel && Sel->SelBitmap() ? BitmapCopy(Sel->SelBitmap()) : nullptr;
        const auto Picture = Pic ? BitmapCopy(Pic->SrcBmp()) : nullptr;
        Doc->SetEffectMode(emInvert);
        Doc->EffectBegin();
        EXPECT_EQ(Doc->EffectSelection(), c.Target == tSelection);
        EXPECT_EQ(Doc->EffectSelectionBitmap(), c.Target == tLifted);
        Doc->EffectDo(0, false);
        Doc->EffectEnd(true);
        EXPECT_EQ(ActionDT.ItemCount(), c.Rows) << c.Target;
        EXPECT_EQ(Doc->UndoCount(), 3) << c.Target;
        EXPECT_FALSE(Doc->Modified());
        for (Integer y = 0; y < Raster->Height(); ++y)
            for (Integer x = 0; x < Raster->Width(); ++x) {
                const bool Changes = c.Target == tRaster || (c.Target == tSelection && x >= Box.Left && x < Box.Right && y >= Box.Top && y < Box.Bottom);
                const TColor32 Was = Raster->Pixel(x, y);
                ASSERT_EQ(Doc->SrcBmp()->Pixel(x, y), Changes ? (Was ^ 0x00FFFFFF) : Was) << c.Target << " " << x << "," << y;
            }
        if (Lifted) EXPECT_EQ(Sel->SelBitmap()->Pixel(3, 4), Lifted->Pixel(3, 4) ^ 0x00FFFFFF);
        if (Picture) EXPECT_EQ(Pic->SrcBmp()->Pixel(3, 4), Picture->Pixel(3, 4) ^ 0x00FFFFFF);
        // Undo brings the target back.
        Doc->Undo();
        EXPECT_TRUE(Doc->SrcBmp()->SameContent(Raster.get())) << c.Target;
        if (Picture) {
            auto* P = dynamic_cast<TImgSmall*>(TImageDraw::RowShape(Doc->DT()->GetItem(Doc->IndexOfShapeId(4))));
            ASSERT_NE(P, nullptr);
            EXPECT_TRUE(P->SrcBmp()->SameContent(Picture.get()));
        }
        if (Lifted) {
            TImgSelection* S = Doc->SelectionShape();
            ASSERT_NE(S, nullptr);
            ASSERT_NE(S->SelBitmap(), nullptr);
            EXPECT_TRUE(S->SelBitmap()->SameContent(Lifted.get()));
        }
    }
}

TEST_F(EffectRun, CancellingPutsTheLiftedPixelsAndThePictureBack)
{
    TImgSelection* Sel = AddSelection({4, 4, 14, 12});
    auto Lifted = std::make_unique<TCustomBitmap32>();
    Lifted->SetSize(10, 8);
    PaintDistinctPixels(*Lifted);
    Sel->SetSelBitmap(std::move(Lifted));
    const auto Before = BitmapCopy(Sel->SelBitmap());
    Doc->SetEffectMode(emBlur);
    Doc->EffectBegin();
    Doc->EffectDo(5, false);
    EXPECT_FALSE(Sel->SelBitmap()->SameContent(Before.get()));
    Doc->EffectEnd(false);
    EXPECT_TRUE(Sel->SelBitmap()->SameContent(Before.get()));
    EXPECT_EQ(Doc->UndoCount(), 1);
}

TEST_F(EffectRun, TurnsOfTheRaster)
{
    std::vector<TProcessingMode> Reports;
    Doc->OnProcessingDone = [&](TImageDraw*, TProcessingMode M, bool) { Reports.push_back(M); };
    const auto Original = BitmapCopy(Doc->SrcBmp());
    // A turn grows the raster; cancelling brings its size back and reports it.
    Doc->SetEffectMode(emRotate);
    Doc->EffectBegin();
    Doc->EffectDoRotate(30);
    Doc->EffectDoRotate(45);
    EXPECT_EQ(Doc->SrcBmp()->Width(), 60);  // 48 and 36 at 45 degrees: -5.7 to 53.7
    EXPECT_EQ(Doc->SrcBmp()->Height(), 60);
    EXPECT_EQ(Doc->SrcBmp()->Pixel(0, 0) >> 24, 0u);  // uncovered corners are transparent
    EXPECT_EQ(Doc->Bitmap()->Width(), 60);
    Doc->EffectEnd(false);
    EXPECT_EQ(Doc->SrcBmp()->Width(), 48);
    EXPECT_EQ(Doc->Bitmap()->Width(), 48);
    EXPECT_TRUE(Doc->SrcBmp()->SameContent(Original.get()));
    EXPECT_EQ(Reports.size(), 3u);
    EXPECT_EQ(Reports.back(), TProcessingMode::pmTransform);
    // A skew widens it by the skew of its height.
    Doc->SetEffectMode(emSkew);
    Doc->EffectBegin();
    Doc->EffectDoSkew(50, 0);
    EXPECT_EQ(Doc->SrcBmp()->Width(), 48 + 18);
    EXPECT_EQ(Doc->SrcBmp()->Height(), 36);
    Doc->EffectDoSkew(-50, 0);
    EXPECT_EQ(Doc->SrcBmp()->Width(), 48 + 18);
    Doc->EffectEnd(true);
    EXPECT_EQ(Doc->UndoCount(), 2);
    EXPECT_EQ(ActionDT.ItemCount(), 0);  // turns are not logged
    // An identity perspective keeps the picture; scaling sizes it.
    Doc->Undo();
    Doc->SetEffectMode(emTransform);
    Doc->EffectBegin();
    Doc->EffectDoTransform(0, 0, 1, 0, 1, 1, 0, 1, 100, 100);
    EXPECT_TRUE(Doc->SrcBmp()->SameContent(Original.get()));
    Doc->EffectDoTransform(0, 0, 1, 0, 1, 1, 0, 1, 50, 200);
    EXPECT_EQ(Doc->SrcBmp()->Width(), 24);
    EXPECT_EQ(Doc->SrcBmp()->Height(), 72);
    // Corners moved inwards keep the picture in place.
    Doc->EffectDoTransform(0.25f, 0, 1, 0, 1, 1, 0.25f, 1, 100, 100);
    EXPECT_EQ(Doc->SrcBmp()->Width(), 48);
    EXPECT_EQ(Doc->SrcBmp()->Pixel(5, 10) >> 24, 0u);
    EXPECT_EQ(Doc->SrcBmp()->Pixel(40, 10) >> 24, 255u);
    Doc->EffectEnd(false);
    EXPECT_TRUE(Doc->SrcBmp()->SameContent(Original.get()));
}

TEST_F(EffectRun, ColourAdjustmentSteps)
{
    Doc->SrcBmp()->Clear(0xFF6496C8);  // 100, 150, 200
    const struct {
        std::vector<Integer> Args;
        TColor32 Want;
    } Cases[] = {
        {{0, 0, 0, 0, 0, 0, 0, 0, 0}, 0xFF6496C8},
        {{20, 0, 0, 0, 0, 0, 0, 0, 0}, 0xFF78AADC},  // brightness adds
        {{80, 0, 0, 0, 0, 0, 0, 0, 0}, 0xFFB4E6FF},  // clamped
        {{0, 0, 20, 0, 0, 0, 0, 0, 0}, 0xFF83ABD3},  // lightness: a fifth of the way to white
        {{0, 0, -50, 0, 0, 0, 0, 0, 0}, 0xFF324B64},
    };
    for (const auto& c : Cases) {
        const auto R = PreviewOnce({emColorAdjust, 4, c.Args});
        EXPECT_EQ(R->Pixel(3, 3), c.Want) << c.Args[0] << " " << c.Args[2];
    }
    // All values 0 on the raster records an adjustment of zeros.
    Doc->SetEffectMode(emColorAdjust);
    Doc->EffectBegin();
    Doc->ImageAdjust(0, 0, 0, 0, 0, 0, 0, 0, false);
    Doc->EffectEnd(true);
    ASSERT_EQ(ActionDT.ItemCount(), 1);
    EXPECT_EQ(ActionDT.GetItem(0)->ToString(false), u"1,4,11,0,0,0,0,0,0,0,0,0,,,1");
}

TEST_F(EffectRun, RestoringTheImageAsFirstLoaded)
{
    const auto First = BitmapCopy(Doc->OriBmp());
    Doc->ResizeImage(20, 10);
    ASSERT_TRUE(Doc->ImageRestoreEnabled());
    EXPECT_TRUE(Doc->ImageRestore());
    EXPECT_TRUE(Doc->SrcBmp()->SameContent(First.get()));
    EXPECT_EQ(Doc->Bitmap()->Width(), First->Width());
    EXPECT_TRUE(Doc->SrcBmpChanged());
    EXPECT_TRUE(Doc->Modified());
    // Without an original image there is nothing to restore: no 0 x 0 raster.
    Doc->OriBmp()->SetSize(0, 0);
    EXPECT_FALSE(Doc->ImageRestoreEnabled());
    Doc->SetModified(false);
    EXPECT_FALSE(Doc->ImageRestore());
    EXPECT_EQ(Doc->SrcBmp()->Width(), First->Width());
    EXPECT_FALSE(Doc->Modified());
}
}  // namespace
