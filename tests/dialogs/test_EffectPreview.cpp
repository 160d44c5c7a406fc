// The effect dialogs' preview protocol on a real document without a window:
// the first preview after the pause, one recomputation per finished drag,
// Preview off and on, Cancel and OK with their undo and action rows, nested
// slider events during a preview, and the one-slider dialog's set-up.
#include <gtest/gtest.h>

#include <algorithm>

#include "dialogs/EffectPreview.h"
#include "document/DocumentTestView.h"
#include "skin/controls/SkinClock.h"

namespace {

bool SamePixels(TCustomBitmap32& A, TCustomBitmap32& B)
{
    if (A.Width() != B.Width() || A.Height() != B.Height()) return false;
    for (Integer y = 0; y < A.Height(); ++y)
        for (Integer x = 0; x < A.Width(); ++x)
            if (A.Pixel(x, y) != B.Pixel(x, y)) return false;
    return true;
}

// The blur dialog's side: the slider value, the effect calls it made.
class BlurDialog : public ::testing::Test, protected TProcessingDocument, protected TEffectPreviewTarget {
protected:
    void SetUp() override
    {
        Make(40, 30);
        Original = BitmapCopy(Doc->SrcBmp());
        Doc->SetEffectMode(emBlur);
        Doc->EffectBegin();  // the launcher's step before the dialog shows
        Value = MosaicInitialValue(MosaicSetupFor(emBlur), 3);
    }
    void EffectBegin() override { Doc->EffectBegin(); }
    void EffectEnd(bool IsApply) override { Doc->EffectEnd(IsApply); }
    void PreviewOnce() override
    {
        ++Calls;
        MaxDepth = std::max(MaxDepth, ++Depth);
        Doc->EffectDo(Value, false);
        Doc->Draw();
        // A slider event handled while the pixels were worked on.
        if (NestedEvents > 0) {
            --NestedEvents;
            Value += 5;
            Preview.ValueChange();
            Preview.ValueChanged();
        }
        --Depth;
    }
    void ProcessMessages() override {}
    void SetBusyCursor(bool Busy) override { BusyShown += Busy; }

    TSkinClockScope Clock;
    std::unique_ptr<TCustomBitmap32> Original;
    TEffectPreview Preview{*this, emBlur};
    Integer Value = 0, Calls = 0, NestedEvents = 0, BusyShown = 0, Depth = 0, MaxDepth = 0;
};

}  // namespace

TEST_F(BlurDialog, FirstPreviewAfterThePauseAndOnePerFinishedDrag)
{
    EXPECT_EQ(Value, 3);
    Preview.Shown();
    Clock.Clock.Advance(FirstPreviewDelay - 1);
    EXPECT_EQ(Calls, 0);
    EXPECT_TRUE(SamePixels(*Doc->SrcBmp(), *Original));
    Clock.Clock.Advance(1);
    EXPECT_EQ(Calls, 1);
    EXPECT_FALSE(SamePixels(*Doc->SrcBmp(), *Original));
    Clock.Clock.Advance(1000);
    EXPECT_EQ(Calls, 1) << "the pause runs once";

    for (Value = 4; Value <= 40; ++Value) Preview.ValueChange();  // dragged from 3 to 40
    Value = 40;
    EXPECT_EQ(Calls, 1);
    Preview.ValueChanged();  // released
    EXPECT_EQ(Calls, 2);
    EXPECT_EQ(BusyShown, 2);
}

TEST_F(BlurDialog, PreviewOffRestoresAndCancelLeavesThePictureAsItWas)
{
    Preview.Shown();
    Clock.Clock.Advance(FirstPreviewDelay);
    Preview.SetPreviewChecked(false);
    EXPECT_TRUE(SamePixels(*Doc->SrcBmp(), *Original));
    Value = 20;
    Preview.ValueChanged();
    EXPECT_EQ(Calls, 1) << "no preview while Preview is off";
    const Integer Undo = Doc->UndoCount();
    // Cancel: the launcher ends the run without applying.
    EffectEnd(false);
    EXPECT_TRUE(SamePixels(*Doc->SrcBmp(), *Original));
    EXPECT_EQ(ActionDT.ItemCount(), 0);
    EXPECT_EQ(Doc->UndoCount(), Undo);
}

TEST_F(BlurDialog, OkAfterPreviewOffComputesAndAppliesOnce)
{
    Preview.Shown();
    Clock.Clock.Advance(FirstPreviewDelay);
    Preview.SetPreviewChecked(false);
    Preview.Ok();
    EXPECT_TRUE(Preview.PreviewChecked());
    EXPECT_EQ(Calls, 2);
    EffectEnd(true);
    EXPECT_FALSE(SamePixels(*Doc->SrcBmp(), *Original));
    EXPECT_EQ(ActionDT.ItemCount(), 1) << "the whole raster is replayable";
}

TEST_F(BlurDialog, OkBeforeTheFirstPreviewStillAppliesTheEffectOnce)
{
    Preview.Shown();
    Clock.Clock.Advance(FirstPreviewDelay - 1);
    Preview.Ok();
    EXPECT_EQ(Calls, 1);
    Clock.Clock.Advance(FirstPreviewDelay);
    EXPECT_EQ(Calls, 1) << "the pause's preview no longer comes";
    EffectEnd(true);
    EXPECT_FALSE(SamePixels(*Doc->SrcBmp(), *Original));
    EXPECT_EQ(ActionDT.ItemCount(), 1);
}

TEST_F(BlurDialog, OkOnASelectionAddsNoActionRow)
{
    Doc->EffectEnd(false);
    ASSERT_NE(SelectRegion(*Doc, {5, 5, 20, 20}), nullptr);
    Doc->EffectBegin();
    Preview.Shown();
    Clock.Clock.Advance(FirstPreviewDelay);
    Preview.Ok();
    EffectEnd(true);
    EXPECT_EQ(ActionDT.ItemCount(), 0);
}

TEST_F(BlurDialog, ASliderEventDuringAPreviewRunsOnceAfterIt)
{
    Preview.Shown();
    Clock.Clock.Advance(FirstPreviewDelay);
    NestedEvents = 3;  // each preview lets one more event through
    Value = 10;
    Preview.ValueChanged();
    EXPECT_FALSE(Preview.Running());
    // One preview at a time: the noted event runs after the one it came in.
    EXPECT_EQ(Calls, 1 + 4);
    EXPECT_EQ(MaxDepth, 1);
    EXPECT_EQ(Value, 25);

    // The result is the newest value's, computed from the pristine copy.
    auto Direct = BitmapCopy(Doc->SrcBmp());
    Doc->EffectDo(25, false);
    EXPECT_TRUE(SamePixels(*Doc->SrcBmp(), *Direct));
}

TEST(MosaicSetup, RangesInitialValuesAndKeptCells)
{
    struct Case {
        TEffectMode Mode;
        Integer Kept;  // the settings cell's value
        Integer Min, Max, First, Cell;
        bool Option, Attemper, Degrees;
    };
    const Case Cases[] = {
        {emBlur, 3, 1, 80, 3, 3, false, false, false},
        {emSharpen, 9, 1, 5, 5, 2, false, false, false},     // clamped into the range
        {emAddNoise, 500, 1, 100, 100, 4, true, false, false},
        {emDenoising, 33, 1, 50, 10, -1, false, false, false},  // not kept
        {emSoften, 0, 1, 10, 1, 1, false, false, false},
        {emReduceLight, 0, 0, 100, 50, -1, false, false, false},
        {emWarmYellow, 0, 0, 100, 100, -1, false, false, false},
        {emYellowing, 0, 0, 100, 80, -1, false, false, false},
        {emFreeze, 0, 0, 100, 70, -1, false, false, false},
        {emAttemper, 0, -100, 100, 0, -1, false, true, false},
        {emStyleHeart, 0, 0, 100, 60, -1, false, false, false},
        {emStyleSnow, 0, 0, 100, 100, -1, false, false, false},
        {emRotate, 0, -90, 90, 0, -1, false, false, true},
        {emSkew, 0, -150, 150, 0, -1, false, false, false},
        {emMosaic, 10, 1, 50, 10, 10, true, false, false},
    };
    for (const Case& C : Cases) {
        const TMosaicSetup S = MosaicSetupFor(C.Mode);
        EXPECT_EQ(S.Min, C.Min) << C.Mode;
        EXPECT_EQ(S.Max, C.Max) << C.Mode;
        EXPECT_EQ(S.KeptCell, C.Cell) << C.Mode;
        EXPECT_EQ(MosaicInitialValue(S, C.Kept), C.First) << C.Mode;
        EXPECT_EQ(S.ShowOption, C.Option) << C.Mode;
        EXPECT_EQ(S.ShowAttemper, C.Attemper) << C.Mode;
        EXPECT_EQ(S.Degrees, C.Degrees) << C.Mode;
    }
}
