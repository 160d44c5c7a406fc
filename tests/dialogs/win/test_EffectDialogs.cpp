// The directional, multi-parameter and colour adjustment effect dialogs on
// real windows over a document, driven by the system's input: what a fresh
// installation opens with, the toggling edge buttons, the rows and height of
// each multi-parameter effect, the kept values stored only at OK, the colour
// adjustment following a drag live on a small picture and on release on a
// large one, its edits, its contrast and its Default.
#include <gtest/gtest.h>

#include "DialogTest.h"
#include "document/DocumentTestView.h"

#include "Component/Raster32/win/Ras32_Image.h"
#include "dialogs/ColorAdjustCore.h"
#include "dialogs/win/ImageColorAdjust.h"
#include "dialogs/win/ImageDirection.h"
#include "dialogs/win/ImageEffects.h"
#include "document/ImageDraw.h"
#include "foundation/Global.h"
#include "foundation/HyDataTable.h"
#include "framework/controls/win/StdCtrls.h"
#include "skin/controls/SkinClock.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/controls/win/SkinTrackBars.h"
#include "skin/controls/win/sfColorCtrls.h"

namespace {

bool SamePixels(TCustomBitmap32& A, TCustomBitmap32& B)
{
    if (A.Width() != B.Width() || A.Height() != B.Height()) return false;
    for (Integer y = 0; y < A.Height(); ++y)
        for (Integer x = 0; x < A.Width(); ++x)
            if (A.Pixel(x, y) != B.Pixel(x, y)) return false;
    return true;
}

class EffectDialogs : public GlobalsTest, protected TProcessingDocument {
protected:
    TSkinClockScope Clock;
    std::unique_ptr<TCustomBitmap32> Original;

    void SetUp() override
    {
        GlobalsTest::SetUp();
        UpgradeConfigDefaults();  // a fresh installation's settings
        Use(emFade, 120, 80);
    }
    TRow& Settings() { return *ConfigTable->GetItem(2); }
    // A document of W x H in effect mode Mode, its effect run open as the
    // launcher opens it.
    void Use(TEffectMode Mode, Integer W, Integer H)
    {
        if (Doc) Doc->EffectEnd(false);
        Make(W, H);
        Original = BitmapCopy(Doc->SrcBmp());
        Doc->SetEffectMode(Mode);
        Doc->EffectBegin();
    }
    template <class T>
    T* Open(T* F)
    {
        F->SetLeft(60);
        F->SetTop(40);
        ShowAndWait(F);
        WaitShown(F);
        return F;
    }
    void Close(TCustomForm* F)
    {
        delete F;
        Forget(F);
    }
    void Press(TControl* C) { Click(C->ClientToScreen(TPoint{C->Width() / 2, C->Height() / 2})); }
    void Confirm(TCustomForm* F, TControl* Button, TModalResult Want)
    {
        Press(Button);
        ASSERT_TRUE(guitest::PumpUntil([&] { return F->ModalResult() == Want; }));
    }
    // Drags the thumb of S to the right by steps; Between runs after each
    // move with the button still down.
    template <class F>
    void DragRight(TsfSkinSlider* S, Integer Steps, F Between)
    {
        const TRect Thumb = S->Core().ThumbRect();
        const TPoint From{(Thumb.Left + Thumb.Right) / 2, (Thumb.Top + Thumb.Bottom) / 2};
        guitest::MovePointer(S->ClientToScreen(From));
        guitest::LeftButton(true);
        guitest::Pump();
        for (Integer i = 1; i <= Steps; ++i) {
            guitest::MovePointer(S->ClientToScreen(TPoint{From.X + i * 10, From.Y}));
            Between();
        }
        guitest::LeftButton(false);
    }
    Integer LastActionCell(Integer Cell) { return ActionDT.GetItem(ActionDT.ItemCount() - 1)->GetItem(Cell)->Value(); }
};

}  // namespace

// ---------------------------------------------------------------------------
// Directional effects

TEST_F(EffectDialogs, FadeOpensAt120WithTheRightAndBottomEdgesAndTheEdgesToggleOnTheirOwn)
{
    auto* F = Open(new TfrmImageDirection(nullptr, nullptr, *Doc, Settings()));
    EXPECT_EQ(F->sliderSize->Value(), 120);
    EXPECT_EQ(F->sliderSize->MaxValue(), 400);
    EXPECT_EQ(F->lblParamValue->Caption(), u"120");
    EXPECT_EQ(F->DirectionMask(), 12);
    EXPECT_TRUE(F->sbRight->Down() && F->sbBottom->Down() && !F->sbLeft->Down() && !F->sbTop->Down());
    EXPECT_FALSE(F->chkOption1->Visible());
    Clock.Clock.Advance(FirstPreviewDelay);
    ASSERT_EQ(F->Preview().PreviewCount(), 1);
    EXPECT_FALSE(SamePixels(*Doc->SrcBmp(), *Original));

    // Right and bottom released: no edge faded; then left, top, left.
    struct Step {
        TsfSkinSpeedButton* Button;
        Integer Mask;
    };
    const Step Steps[] = {{F->sbRight, 8}, {F->sbBottom, 0}, {F->sbLeft, 1}, {F->sbTop, 3}, {F->sbLeft, 2}};
    Integer Count = 1;
    for (const Step& S : Steps) {
        Press(S.Button);
        ++Count;
        ASSERT_TRUE(guitest::PumpUntil([&] { return F->Preview().PreviewCount() == Count; })) << S.Mask;
        EXPECT_EQ(F->DirectionMask(), S.Mask);
        if (S.Mask == 0) EXPECT_TRUE(SamePixels(*Doc->SrcBmp(), *Original)) << "no edge, no fade";
    }
    Confirm(F, F->btnOk, mrOk);
    EXPECT_EQ(Settings().GetItem(25)->Value(), 120);
    EXPECT_EQ(Settings().GetItem(26)->Value(), 2);
    Close(F);
    Doc->EffectEnd(true);
    ASSERT_EQ(ActionDT.ItemCount(), 1);
    EXPECT_EQ(LastActionCell(4), 2) << "the effect ran with the top edge only";
}

TEST_F(EffectDialogs, TornEdgeShowsItsOptionAndRaisesAStoredValueIntoItsRange)
{
    auto* Fade = Open(new TfrmImageDirection(nullptr, nullptr, *Doc, Settings()));
    const Integer FadeHeight = Fade->Height(), FadeBevel = Fade->Bevel1->Height();
    Close(Fade);

    Use(emTorn, 120, 80);
    Settings().GetItem(27)->SetValue(3);
    auto* F = Open(new TfrmImageDirection(nullptr, nullptr, *Doc, Settings()));
    EXPECT_EQ(F->sliderSize->Value(), 5);
    EXPECT_TRUE(F->chkOption1->Visible());
    EXPECT_TRUE(F->chkOption1->Checked());
    EXPECT_EQ(F->Height(), FadeHeight + 9);
    EXPECT_EQ(F->Bevel1->Height(), FadeBevel + 9);
    Clock.Clock.Advance(FirstPreviewDelay);
    Press(F->chkOption1);
    ASSERT_TRUE(guitest::PumpUntil([&] { return F->Preview().PreviewCount() == 2; }));
    Confirm(F, F->btnCancel, mrCancel);
    Close(F);
    EXPECT_EQ(Settings().GetItem(27)->Value(), 3) << "Cancel stores nothing";
    EXPECT_EQ(Settings().GetItem(29)->Value(), 1);

    Use(emBevel, 120, 80);
    F = Open(new TfrmImageDirection(nullptr, nullptr, *Doc, Settings()));
    EXPECT_EQ(F->sliderSize->Value(), 15);
    EXPECT_EQ(F->DirectionMask(), 15);
    Close(F);
}

// ---------------------------------------------------------------------------
// Multi-parameter effects

TEST_F(EffectDialogs, EachEffectShowsItsRowsAndTheDialogFollows)
{
    struct Case {
        TEffectMode Mode;
        bool Rows[4];
        bool Hue, Color, Blend;
        Integer Box;
    };
    const Case Cases[] = {
        {emLomo, {true, true, true, true}, true, false, false, 172},
        {emGlow, {true, true, false, false}, false, true, false, 145},
        {emOldPhoto, {true, true, false, false}, false, false, false, 145},
        {emElegant, {true, true, false, false}, false, false, false, 145},
        {emMonochrome, {true, true, false, false}, true, false, false, 145},
        {emBlendMode, {true, false, false, false}, false, true, true, 152},
    };
    for (const Case& C : Cases) {
        Use(C.Mode, 120, 80);
        auto* F = Open(new TfrmImageEffects(nullptr, nullptr, *Doc, Settings(), nullptr));
        for (Integer i = 0; i < 4; ++i) EXPECT_EQ(F->pnlParams[i]->Visible(), C.Rows[i]) << C.Mode << " row " << i;
        EXPECT_EQ(F->pnlHue->Visible(), C.Hue) << C.Mode;
        EXPECT_EQ(F->pnlParam5->Visible(), C.Color) << C.Mode;
        EXPECT_EQ(F->pnlParam6->Visible(), C.Blend) << C.Mode;
        EXPECT_FALSE(F->pnlCheck->Visible()) << C.Mode;
        EXPECT_EQ(F->bvBox->Height(), C.Box) << C.Mode;
        EXPECT_EQ(F->Height(), F->bvBox->Top() + C.Box + 32) << C.Mode;
        // The shown rows stack from the top (inside the panel's border) without gaps.
        Integer Y = F->pnlParams[0]->Top();
        EXPECT_LE(Y, 2);
        for (TsfSkinPanel* P : {F->pnlParams[0], F->pnlParams[1], F->pnlParams[2], F->pnlParams[3], F->pnlHue,
                                F->pnlParam5, F->pnlParam6})
            if (P->Visible()) {
                EXPECT_EQ(P->Top(), Y) << C.Mode << " " << P->Name().size();
                Y += P->Height();
            }
        Clock.Clock.Advance(FirstPreviewDelay);
        EXPECT_EQ(F->Preview().PreviewCount(), 1) << C.Mode;
        // Colour blend opens at opacity 0: nothing to see yet.
        if (C.Mode != emBlendMode) EXPECT_FALSE(SamePixels(*Doc->SrcBmp(), *Original)) << C.Mode;
        Close(F);
    }
}

TEST_F(EffectDialogs, LomoDefaultReturnsTheSlidersAndRecomputes)
{
    Use(emLomo, 120, 80);
    auto* F = Open(new TfrmImageEffects(nullptr, nullptr, *Doc, Settings(), nullptr));
    Clock.Clock.Advance(FirstPreviewDelay);
    EXPECT_EQ(F->Values().Values[0], 80);
    DragRight(F->sliderValues[1], 6, [] {});
    ASSERT_TRUE(guitest::PumpUntil([&] { return F->Preview().PreviewCount() == 2; }));
    EXPECT_GT(F->sliderValues[1]->Value(), 15);
    EXPECT_EQ(F->lblValues[1]->Caption(), IntToStr(F->sliderValues[1]->Value()));
    Press(F->btnDefault);
    ASSERT_TRUE(guitest::PumpUntil([&] { return F->Preview().PreviewCount() == 3; }));
    const TEffectsValues V = F->Values();
    EXPECT_EQ(V.Values[0], 80);
    EXPECT_EQ(V.Values[1], 15);
    EXPECT_EQ(V.Values[2], 50);
    EXPECT_EQ(V.Values[3], 25);
    Close(F);
}

// Values changed in the dialog stay out of the settings until OK: Cancel
// keeps what was stored before.
TEST_F(EffectDialogs, MonochromeHueIsStoredOnlyAtOk)
{
    Use(emMonochrome, 120, 80);
    Settings().GetItem(0)->SetValue(30);
    for (const TModalResult Result : {mrCancel, mrOk}) {
        auto* F = Open(new TfrmImageEffects(nullptr, nullptr, *Doc, Settings(), nullptr));
        EXPECT_EQ(F->sliderValues[1]->Value(), 30);
        EXPECT_EQ(F->sliderValues[2]->Value(), UnusedEffectsValue);
        Clock.Clock.Advance(FirstPreviewDelay);
        DragRight(F->sliderValues[1], 5, [] {});
        ASSERT_TRUE(guitest::PumpUntil([&] { return F->Preview().PreviewCount() == 2; }));
        const Integer Hue = F->sliderValues[1]->Value();
        EXPECT_GT(Hue, 30);
        EXPECT_EQ(Settings().GetItem(0)->Value(), 30) << "not while the dialog is open";
        Confirm(F, Result == mrOk ? F->btnOk : F->btnCancel, Result);
        Close(F);
        EXPECT_EQ(Settings().GetItem(0)->Value(), Result == mrOk ? Hue : 30);
    }
}

TEST_F(EffectDialogs, ColourBlendOpensFocusedOnTheListAndStoresItsValuesOnlyAtOk)
{
    Use(emBlendMode, 120, 80);
    for (const TModalResult Result : {mrCancel, mrOk}) {
        auto* F = Open(new TfrmImageEffects(nullptr, nullptr, *Doc, Settings(), nullptr));
        // A fresh installation: opacity 0, black, "Normal".
        EXPECT_EQ(F->sliderValues[0]->Value(), 0);
        EXPECT_EQ(F->cbColor->ColorValue(), 0);
        EXPECT_EQ(F->cbBlendMode->ItemIndex(), 0);
        EXPECT_EQ(F->cbBlendMode->Items()->Count(), 28);
        Clock.Clock.Advance(FirstPreviewDelay);
        ASSERT_TRUE(guitest::PumpUntil([&] { return F->cbBlendMode->Focused(); }));
        QueueKey(VK_DOWN);
        QueueKey(VK_DOWN);
        ASSERT_TRUE(guitest::PumpUntil([&] { return F->cbBlendMode->ItemIndex() == 2; }));
        EXPECT_EQ(F->Preview().PreviewCount(), 3) << "each mode previewed";
        DragRight(F->sliderValues[0], 4, [] {});
        ASSERT_TRUE(guitest::PumpUntil([&] { return F->Preview().PreviewCount() == 4; }));
        EXPECT_TRUE(guitest::PumpUntil([&] { return F->cbBlendMode->Focused(); })) << "back to the list";
        const Integer Opacity = F->sliderValues[0]->Value();
        EXPECT_GT(Opacity, 0);
        EXPECT_EQ(Settings().GetItem(46)->Text(), u"");
        EXPECT_EQ(Settings().GetItem(48)->Text(), u"");
        Confirm(F, Result == mrOk ? F->btnOk : F->btnCancel, Result);
        Close(F);
        if (Result == mrCancel) {
            for (Integer Cell : {46, 47, 48}) EXPECT_EQ(Settings().GetItem(Cell)->Text(), u"") << Cell;
        } else {
            EXPECT_EQ(Settings().GetItem(46)->Value(), Opacity);
            EXPECT_EQ(Settings().GetItem(47)->Value(), 0);
            EXPECT_EQ(Settings().GetItem(48)->Value(), 2);
        }
    }
}

// ---------------------------------------------------------------------------
// Colour adjustment

TEST_F(EffectDialogs, ColourAdjustmentFollowsADragLiveAt1024Squared)
{
    Use(emColorAdjust, 1024, 1024);
    auto* F = Open(new TfrmImageColorAdjust(nullptr, nullptr, *Doc, nullptr));
    Clock.Clock.Advance(FirstPreviewDelay);
    EXPECT_EQ(F->Preview().PreviewCount(), 0) << "opening changes nothing";
    EXPECT_TRUE(SamePixels(*Doc->SrcBmp(), *Original));
    Integer DuringDrag = 0;
    DragRight(F->Sliders[TfrmImageColorAdjust::adHue], 4, [&] { DuringDrag = F->Preview().PreviewCount(); });
    EXPECT_GE(DuringDrag, 3) << "recomputed while the thumb moves";
    guitest::Pump();
    EXPECT_EQ(F->Preview().PreviewCount(), DuringDrag) << "nothing more on release";
    EXPECT_EQ(static_cast<Integer>(F->Edits[TfrmImageColorAdjust::adHue]->Value()),
              F->Sliders[TfrmImageColorAdjust::adHue]->Value());
    EXPECT_FALSE(SamePixels(*Doc->SrcBmp(), *Original));
    Close(F);
}

TEST_F(EffectDialogs, ColourAdjustmentUpdatesOnReleaseAt2000Squared)
{
    Use(emColorAdjust, 2000, 2000);
    auto* F = Open(new TfrmImageColorAdjust(nullptr, nullptr, *Doc, nullptr));
    Clock.Clock.Advance(FirstPreviewDelay);
    Integer DuringDrag = -1;
    DragRight(F->Sliders[TfrmImageColorAdjust::adSaturation], 4,
              [&] { DuringDrag = std::max(DuringDrag, F->Preview().PreviewCount()); });
    EXPECT_EQ(DuringDrag, 0) << "not while the thumb moves";
    ASSERT_TRUE(guitest::PumpUntil([&] { return F->Preview().PreviewCount() == 1; }, 20000));
    EXPECT_GT(F->Sliders[TfrmImageColorAdjust::adSaturation]->Value(), 0);
    Close(F);
}

TEST_F(EffectDialogs, ColourAdjustmentEditsContrastAndDefault)
{
    Use(emColorAdjust, 200, 150);
    auto* F = Open(new TfrmImageColorAdjust(nullptr, nullptr, *Doc, nullptr));
    Clock.Clock.Advance(FirstPreviewDelay);
    using A = TfrmImageColorAdjust;

    // Typing 45 into the hue edit moves the slider and recomputes.
    Press(F->Edits[A::adHue]->Edit());
    for (WORD K : {WORD(VK_END), WORD(VK_BACK), WORD('4'), WORD('5')}) QueueKey(K);
    ASSERT_TRUE(guitest::PumpUntil([&] { return F->Sliders[A::adHue]->Value() == 45; }))
        << F->Sliders[A::adHue]->Value() << " edit " << F->Edits[A::adHue]->Value() << " focus "
        << F->Edits[A::adHue]->Edit()->Focused() << " text " << F->Edits[A::adHue]->Edit()->Text().size();
    EXPECT_GE(F->Preview().PreviewCount(), 1);
    const Integer AfterHue = F->Preview().PreviewCount();

    // Contrast 50 reaches the adjustment as 128.
    F->Sliders[A::adContrast]->SetValue(50);
    EXPECT_EQ(F->Preview().PreviewCount(), AfterHue + 1);
    EXPECT_EQ(static_cast<Integer>(F->Edits[A::adContrast]->Value()), 50);

    // With no saturation the strip is grey.
    F->Sliders[A::adSaturation]->SetValue(-180);
    TBitmap32& Strip = *F->imgHue->Bitmap();
    EXPECT_EQ(Strip.Pixel(0, 0), Strip.Pixel(Strip.Width() / 2, 0));

    // Default: every value 0, Preserve Luminosity ticked, one recomputation.
    Press(F->chkPreserveLuminosity);
    ASSERT_TRUE(guitest::PumpUntil([&] { return !F->chkPreserveLuminosity->Checked(); }));
    const Integer BeforeDefault = F->Preview().PreviewCount();
    Press(F->btnDefault);
    ASSERT_TRUE(guitest::PumpUntil([&] { return F->Preview().PreviewCount() == BeforeDefault + 1; }));
    for (Integer i = 0; i < A::adCount; ++i) {
        EXPECT_EQ(F->Sliders[i]->Value(), 0) << i;
        EXPECT_EQ(static_cast<Integer>(F->Edits[i]->Value()), 0) << i;
    }
    EXPECT_TRUE(F->chkPreserveLuminosity->Checked());
    EXPECT_TRUE(SamePixels(*Doc->SrcBmp(), *Original));

    F->Sliders[A::adContrast]->SetValue(50);
    Confirm(F, F->btnOk, mrOk);
    Close(F);
    Doc->EffectEnd(true);
    ASSERT_EQ(ActionDT.ItemCount(), 1);
    EXPECT_EQ(LastActionCell(4), 128);
}

TEST_F(EffectDialogs, ColourAdjustmentOkWithoutAChangeKeepsThePicture)
{
    Use(emColorAdjust, 120, 80);
    auto* F = Open(new TfrmImageColorAdjust(nullptr, nullptr, *Doc, nullptr));
    Clock.Clock.Advance(FirstPreviewDelay);
    Confirm(F, F->btnOk, mrOk);
    EXPECT_EQ(F->Preview().PreviewCount(), 0);
    Close(F);
    Doc->EffectEnd(true);
    EXPECT_TRUE(SamePixels(*Doc->SrcBmp(), *Original));
    EXPECT_EQ(ActionDT.ItemCount(), 0) << "nothing to replay";
}
