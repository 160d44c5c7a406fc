// The one-slider effect dialog on a real window over a document: it opens at
// the kept blur value, previews after the pause (manual skin clock), a real
// drag of the slider recomputes once on release, unticking Preview restores
// the picture, OK keeps the value, Cancel keeps nothing.
#include <gtest/gtest.h>

#include "../../framework/controls/win/GuiTest.h"
#include "../../foundation/TempFolder.h"
#include "../../foundation/win/ScopedEnv.h"
#include "document/DocumentTestView.h"

#include "dialogs/win/ImageMosaic.h"
#include "foundation/win/Global_Win.h"
#include "foundation/HySysUtils.h"
#include "framework/controls/win/StdCtrls.h"
#include "skin/controls/SkinClock.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/controls/win/SkinTrackBars.h"
#include "skin/model/win/SFKernels_Win.h"

namespace {

bool SamePixels(TCustomBitmap32& A, TCustomBitmap32& B)
{
    for (Integer y = 0; y < A.Height(); ++y)
        for (Integer x = 0; x < A.Width(); ++x)
            if (A.Pixel(x, y) != B.Pixel(x, y)) return false;
    return true;
}

class ImageMosaic : public guitest::FormTest, protected TProcessingDocument {
protected:
    TTempFolder Dir{u"lm_mosaic_"};
    TScopedEnv EnvAppData{u"APPDATA", Dir / u"AppData"};
    TSkinClockScope Clock;
    TRow Settings;
    std::unique_ptr<TCustomBitmap32> Original;
    Integer Calls = 0;

    void SetUp() override
    {
        static const bool Kernels = (InstallSkinKernelsWin(), true);
        (void)Kernels;
        ForceDirectories(Dir / u"AppData");
        InitGlobals(u"LumatraStd", 5);
        LoadLangTable();
        Settings.Init(String(40, u','), u',');
        Settings.GetItem(3)->SetValue(3);  // as a fresh installation keeps blur
        Make(120, 80);
        Original = BitmapCopy(Doc->SrcBmp());
        Doc->SetEffectMode(emBlur);
        Doc->EffectBegin();
    }
    void TearDown() override
    {
        guitest::FormTest::TearDown();
        DoneGlobals();
    }
    TfrmImageMosaic* Open()
    {
        auto* F = new TfrmImageMosaic(nullptr, nullptr, *Doc, Settings);
        F->SetLeft(100);
        F->SetTop(100);
        ShowAndWait(F);
        return F;
    }
    void Close(TfrmImageMosaic* F)
    {
        delete F;
        Forget(F);
    }
    void Click(TControl* C)
    {
        guitest::MovePointer(C->ClientToScreen(TPoint{C->Width() / 2, C->Height() / 2}));
        guitest::LeftButton(true);
        guitest::LeftButton(false);
    }
};

}  // namespace

TEST_F(ImageMosaic, OpensAtTheKeptValueAndPreviewsAfterThePause)
{
    auto* F = Open();
    EXPECT_EQ(F->sliderSize->Value(), 3);
    EXPECT_EQ(F->sliderSize->MinValue(), 1);
    EXPECT_EQ(F->sliderSize->MaxValue(), 80);
    EXPECT_FALSE(F->chkOption1->Visible());
    EXPECT_EQ(F->lblCaption->Caption(), F->lblCaption->Hint() + u"     3");
    Clock.Clock.Advance(FirstPreviewDelay - 1);
    EXPECT_EQ(F->Preview().PreviewCount(), 0);
    EXPECT_TRUE(SamePixels(*Doc->SrcBmp(), *Original));
    Clock.Clock.Advance(1);
    EXPECT_EQ(F->Preview().PreviewCount(), 1);
    EXPECT_FALSE(SamePixels(*Doc->SrcBmp(), *Original));

    // A real drag of the thumb to the right end: the label follows, one
    // recomputation when the button goes up.
    const TRect Thumb = F->sliderSize->Core().ThumbRect();
    const TPoint From{Thumb.Left + 4, (Thumb.Top + Thumb.Bottom) / 2};
    guitest::MovePointer(F->sliderSize->ClientToScreen(From));
    guitest::LeftButton(true);
    guitest::Pump();
    for (Integer x = From.X + 20; x <= F->sliderSize->Width() + 10; x += 20)
        guitest::MovePointer(F->sliderSize->ClientToScreen(TPoint{x, From.Y}));
    EXPECT_GT(F->sliderSize->Value(), 40) << Thumb.Left << "," << Thumb.Top << "," << Thumb.Right << ","
                                          << Thumb.Bottom << " in " << F->sliderSize->Height();
    EXPECT_EQ(F->Preview().PreviewCount(), 1) << "not while dragging";
    guitest::LeftButton(false);
    ASSERT_TRUE(guitest::PumpUntil([&] { return F->Preview().PreviewCount() == 2; }));
    EXPECT_EQ(F->lblCaption->Caption(), F->lblCaption->Hint() + u"     " + IntToStr(F->sliderSize->Value()));

    // Preview off shows the picture as it was at once.
    Click(F->chkPreview);
    ASSERT_TRUE(guitest::PumpUntil([&] { return !F->chkPreview->Checked(); }));
    EXPECT_TRUE(SamePixels(*Doc->SrcBmp(), *Original));

    // OK ticks Preview again (a fresh run) and keeps the value.
    Click(F->btnOk);
    ASSERT_TRUE(guitest::PumpUntil([&] { return F->ModalResult() == mrOk; }));
    EXPECT_TRUE(F->chkPreview->Checked());
    EXPECT_EQ(Settings.GetItem(3)->Value(), F->sliderSize->Value());
    Close(F);
    Doc->EffectEnd(true);
    EXPECT_EQ(ActionDT.ItemCount(), 1);
    EXPECT_FALSE(SamePixels(*Doc->SrcBmp(), *Original));
}

TEST_F(ImageMosaic, CancelLeavesThePictureAndTheSettingsAsTheyWere)
{
    auto* F = Open();
    Clock.Clock.Advance(FirstPreviewDelay);
    F->sliderSize->SetValue(30);
    F->sliderSizeChanged(F->sliderSize);
    EXPECT_EQ(F->Preview().PreviewCount(), 2);
    Click(F->btnCancel);
    ASSERT_TRUE(guitest::PumpUntil([&] { return F->ModalResult() == mrCancel; }));
    Close(F);
    Doc->EffectEnd(false);
    EXPECT_TRUE(SamePixels(*Doc->SrcBmp(), *Original));
    EXPECT_EQ(Settings.GetItem(3)->Value(), 3);
    EXPECT_EQ(ActionDT.ItemCount(), 0);
}

TEST_F(ImageMosaic, RotationShowsDegreesAndNoiseItsOption)
{
    Doc->EffectEnd(false);
    Doc->SetEffectMode(emRotate);
    Doc->EffectBegin();
    auto* F = Open();
    EXPECT_EQ(F->lblCaption->Caption(), F->lblCaption->Hint() + u"     0°");
    EXPECT_EQ(F->sliderSize->MinValue(), -90);
    Close(F);
    Doc->EffectEnd(false);

    Doc->SetEffectMode(emAddNoise);
    Settings.GetItem(4)->SetValue(500);  // out of range: clamped
    Doc->EffectBegin();
    F = Open();
    EXPECT_TRUE(F->chkOption1->Visible());
    EXPECT_EQ(F->sliderSize->Value(), 100);
    Click(F->btnOk);
    ASSERT_TRUE(guitest::PumpUntil([&] { return F->ModalResult() == mrOk; }));
    EXPECT_EQ(Settings.GetItem(4)->Value(), 100);
    Close(F);
    Doc->EffectEnd(false);
}
