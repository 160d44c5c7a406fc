// The main window opens the directional, multi-parameter and colour
// adjustment dialogs: the launcher by the effect mode (each at its remembered
// place), the colour adjustment from its command on the "more" menu; OK keeps
// and records the effect, Cancel restores, the mode goes back to none.
#include <gtest/gtest.h>

#include "MainWindowFixture.h"

#include "../../dialogs/win/DialogTest.h"

#include "dialogs/EffectPreview.h"
#include "dialogs/win/ImageColorAdjust.h"
#include "dialogs/win/ImageDirection.h"
#include "dialogs/win/ImageEffects.h"
#include "document/ImageDraw.h"
#include "foundation/HyDataTable.h"
#include "framework/controls/win/Menus.h"
#include "shell/win/ColorHandlers.h"
#include "shell/win/EditorCommands.h"
#include "shell/win/EffectLauncher.h"
#include "shell/win/OpenDocuments.h"
#include "shell/win/PresetPanel.h"
#include "shell/win/ZezavEzazerForm.h"
#include "skin/controls/SkinClock.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/controls/win/SkinTrackBars.h"
#include "skin/controls/win/sfColorCtrls.h"

namespace {

std::unique_ptr<TCustomBitmap32> BitmapCopy(TCustomBitmap32* B)
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

class MainWindowEffects : public MainWindowFixture {
protected:
    MainWindowEffects() { CanvasColour = 0x3080C0; }
    Integer ActionRows() { return Doc()->ActionDT() ? Doc()->ActionDT()->ItemCount() : 0; }
    TRow& Effects() { return *ConfigTable->GetItem(2); }
};

}  // namespace

TEST_F(MainWindowEffects, FadeOpensTheDirectionDialogAndOkAppliesIt)
{
    auto Before = BitmapCopy(Doc()->SrcBmp());
    const Integer Actions = ActionRows();
    TEffectLauncher& E = Form->Effects();
    Form->FEffectWindowLeft = 140, Form->FEffectWindowTop = 90;
    bool Seen = false;
    E.OnDialogShown = [&](TForm& D) {
        auto* F = dynamic_cast<TfrmImageDirection*>(&D);
        ASSERT_NE(F, nullptr);
        WhenModal(F, [&, F] {
            Seen = true;
            EXPECT_EQ(F->Left(), 140);
            EXPECT_EQ(F->Caption(), u"Fade");
            EXPECT_EQ(F->sliderSize->Value(), 120);
            EXPECT_EQ(F->DirectionMask(), 12);
            Clock.Clock.Advance(FirstPreviewDelay);
            Click(ScreenCentre(F->sbLeft));
            guitest::PumpUntil([&] { return F->DirectionMask() == 13; });
            F->SetLeft(150);
            Click(ScreenCentre(F->btnOk));
        });
    };
    Doc()->SetEffectMode(emFade);
    EXPECT_TRUE(E.ShowEffectDialog(u"Fade"));
    EXPECT_TRUE(Seen);
    EXPECT_EQ(Doc()->EffectMode(), emNone);
    EXPECT_EQ(ActionRows(), Actions + 1);
    EXPECT_FALSE(SamePixels(*Doc()->SrcBmp(), *Before));
    EXPECT_EQ(Effects().GetItem(26)->Value(), 13);
    EXPECT_EQ(Form->FEffectWindowLeft, 150) << "the place is remembered";
}

TEST_F(MainWindowEffects, LomoOpensTheMultiParameterDialogAtItsOwnPlaceAndCancelRestores)
{
    auto Before = BitmapCopy(Doc()->SrcBmp());
    const Integer Actions = ActionRows();
    TEffectLauncher& E = Form->Effects();
    Form->FEffectsWindowLeft = 210, Form->FEffectsWindowTop = 70;
    bool Previewed = false;
    E.OnDialogShown = [&](TForm& D) {
        auto* F = dynamic_cast<TfrmImageEffects*>(&D);
        ASSERT_NE(F, nullptr);
        WhenModal(F, [&, F] {
            EXPECT_EQ(F->Left(), 210);
            EXPECT_TRUE(F->pnlParams[3]->Visible());
            EXPECT_EQ(F->pnlParam->Color(), Form->PanelBackColor());
            Clock.Clock.Advance(FirstPreviewDelay);
            Previewed = F->Preview().PreviewCount() == 1 && !SamePixels(*Doc()->SrcBmp(), *Before);
            Click(ScreenCentre(F->btnCancel));
        });
    };
    Doc()->SetEffectMode(emLomo);
    EXPECT_FALSE(E.ShowEffectDialog(u"Lomo"));
    EXPECT_TRUE(Previewed);
    EXPECT_TRUE(SamePixels(*Doc()->SrcBmp(), *Before));
    EXPECT_EQ(ActionRows(), Actions);
    EXPECT_EQ(Doc()->EffectMode(), emNone);
}

TEST_F(MainWindowEffects, TheColourAdjustCommandRunsItsDialog)
{
    TEditorCommands& C = Form->Commands();
    C.pmMorePopup(nullptr);
    EXPECT_TRUE(C.Item(u"muColorAdjust")->Visible()) << "offered now that the dialog exists";
    auto Before = BitmapCopy(Doc()->SrcBmp());
    const Integer Actions = ActionRows();
    Form->FColorAdjustWindowLeft = 300, Form->FColorAdjustWindowTop = 20;
    TModalResult Result = mrCancel;
    Form->Effects().OnDialogShown = [&](TForm& D) {
        auto* F = dynamic_cast<TfrmImageColorAdjust*>(&D);
        ASSERT_NE(F, nullptr);
        WhenModal(F, [&, F] {
            EXPECT_EQ(F->Left(), 300);
            Clock.Clock.Advance(FirstPreviewDelay);
            EXPECT_TRUE(SamePixels(*Doc()->SrcBmp(), *Before)) << "opening changes nothing";
            F->Sliders[TfrmImageColorAdjust::adBrightness]->SetValue(40);
            EXPECT_FALSE(SamePixels(*Doc()->SrcBmp(), *Before)) << "a small picture follows at once";
            Click(ScreenCentre(Result == mrOk ? F->btnOk : F->btnCancel));
        });
    };
    for (TModalResult R : {mrCancel, mrOk}) {
        Result = R;
        C.Item(u"muColorAdjust")->Click();
        EXPECT_EQ(Doc()->EffectMode(), emNone);
        EXPECT_EQ(SamePixels(*Doc()->SrcBmp(), *Before), R == mrCancel);
        EXPECT_EQ(ActionRows(), Actions + (R == mrOk ? 1 : 0));
    }
    EXPECT_EQ(Form->FColorAdjustWindowLeft, 300);
}

// The glow's colour button shares the main window's colour handlers: its
// drop-down takes the kept dialog place and custom colours and keeps them
// back; a chosen colour recomputes the preview.
TEST_F(MainWindowEffects, TheGlowColourButtonUsesTheSharedColourHandlers)
{
    ConfigTable->GetItem(1)->GetItem(9)->SetValue(222);
    ConfigTable->GetItem(1)->GetItem(11)->SetText(u"1122867.4478310");
    TEffectLauncher& E = Form->Effects();
    bool Checked = false;
    E.OnDialogShown = [&](TForm& D) {
        auto* F = dynamic_cast<TfrmImageEffects*>(&D);
        ASSERT_NE(F, nullptr);
        WhenModal(F, [&, F] {
            ASSERT_TRUE(F->pnlParam5->Visible());
            EXPECT_EQ(F->cbColor->ColorValue(), 0xFFFFFF) << "glow starts white";
            Clock.Clock.Advance(FirstPreviewDelay);
            F->cbColor->OnShowTrackMenu(F->cbColor);
            EXPECT_EQ(Form->ColorHandlers().ColorButtonName(), u"cbColor");
            EXPECT_EQ(F->cbColor->DialogFormLeft(), 222);
            EXPECT_EQ(F->cbColor->CustomColors().Count, 2);
            F->cbColor->SetDialogFormLeft(333);
            F->cbColor->OnHideTrackMenu(F->cbColor);
            EXPECT_EQ(ConfigTable->GetItem(1)->GetItem(9)->Value(), 333);
            const Integer Before = F->Preview().PreviewCount();
            F->cbColor->SetColorValue(0x00FFFF);
            EXPECT_EQ(F->Preview().PreviewCount(), Before + 1);
            Checked = true;
            Click(ScreenCentre(F->btnCancel));
        });
    };
    Doc()->SetEffectMode(emGlow);
    EXPECT_FALSE(E.ShowEffectDialog(u"Glow"));
    EXPECT_TRUE(Checked);
}
