// The main window opens the frame dialog from a frame tile of the preset
// panel and the perspective dialog from the "more" menu, each over its run
// on the live document, at its remembered place.
#include <gtest/gtest.h>

#include "MainWindowFixture.h"

#include "../../dialogs/win/DialogTest.h"

#include "Component/Raster32/win/Ras32_Image.h"
#include "dialogs/win/ImageFrames.h"
#include "dialogs/win/ImageTransform.h"
#include "document/ImageDraw.h"
#include "foundation/HyPresets.h"
#include "framework/controls/win/Menus.h"
#include "shell/win/EditorCommands.h"
#include "shell/win/OpenDocuments.h"
#include "shell/win/PresetPanel.h"
#include "shell/win/ZezavEzazerForm.h"
#include "skin/controls/SkinClock.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinTrackBars.h"

namespace {

// Runs Script on the first shown dialog of class T once its modal loop runs.
template <class T, class F>
void WhenDialog(TComponent* Owner, F Script)
{
    auto* Poll = new TTimer(Owner);
    Poll->SetInterval(10);
    Poll->OnTimer = [Poll, Script](TObject*) {
        for (Integer i = 0; i < Screen->FormCount(); ++i)
            if (auto* D = dynamic_cast<T*>(Screen->Forms(i)); D && IsWindowVisible(D->Handle())) {
                Poll->SetEnabled(false);
                WaitShown(D);
                Script(*D);
                return;
            }
    };
}

class MainWindowFrames : public MainWindowFixture {
};

}  // namespace

TEST_F(MainWindowFrames, AFrameTileOpensTheFrameDialogAndOkKeepsThePadFrame)
{
    TPresetPanel& P = Form->Presets();
    FramePresetTable->AddItem(u"1,0,边框,,Pad,2");
    Click(ScreenCentre(P.sbFrames));
    ASSERT_TRUE(guitest::PumpUntil([&] { return P.TypeIndex() == 1; }));
    Integer Tile = -1;
    for (Integer i = 0; i < Integer(P.PageRows().size()); ++i)
        if (P.PageRows()[size_t(i)]->GetItem(4)->Text() == u"Pad") Tile = i;
    ASSERT_GE(Tile, 0);
    P.ScrollPresetThumbs(true);
    guitest::Pump();

    bool Previewed = false;
    WhenDialog<TfrmImageFrames>(Form, [&](TfrmImageFrames& D) {
        EXPECT_EQ(D.Left(), Form->FFramesWindowLeft);
        EXPECT_EQ(D.sliderValue[0]->Value(), 10);
        Clock.Clock.Advance(FirstPreviewDelay);
        Previewed = D.Preview().PreviewCount() == 1 && Doc()->SrcBmp()->Width() == 300 + 32;
        Click(ScreenCentre(D.btnOk));
    });
    Click(ScreenCentre(P.Tile(Tile)));
    ASSERT_TRUE(guitest::PumpUntil([&] { return ConfigTable->GetItem(5)->GetItem(1)->Text() != String(); }, 5000));
    EXPECT_TRUE(Previewed);
    EXPECT_EQ(ConfigTable->GetItem(5)->GetItem(1)->Text(), u"10.13421619.5.16777164.1.16737843");
    EXPECT_EQ(Doc()->SrcBmp()->Width(), 300 + 32) << "OK keeps the frame";
}

TEST_F(MainWindowFrames, TheTransformCommandOpensThePerspectiveDialog)
{
    auto Before = std::make_unique<TCustomBitmap32>();
    Before->Assign(Doc()->SrcBmp());
    bool Same = false;
    WhenDialog<TfrmImageTransform>(Form, [&](TfrmImageTransform& D) {
        EXPECT_EQ(Doc()->EffectMode(), emTransform);
        Clock.Clock.Advance(FirstPreviewDelay);
        Same = D.Preview().PreviewCount() == 1 && Doc()->SrcBmp()->SameContent(Before.get());
        Click(ScreenCentre(D.btnCancel));
    });
    TMenuItem* Item = Form->Commands().Item(u"muImageTransform");
    ASSERT_NE(Item, nullptr);
    Form->Commands().pmMorePopup(nullptr);
    EXPECT_TRUE(Item->Visible()) << "offered once the dialog exists";
    Item->Click();
    EXPECT_TRUE(Same) << "the first preview is the picture itself";
    EXPECT_EQ(Doc()->EffectMode(), emNone);
    EXPECT_TRUE(Doc()->SrcBmp()->SameContent(Before.get()));
}
