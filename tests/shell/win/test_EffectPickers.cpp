// The main window's shadow and reflection pickers with real input: the
// preview images open their dialogs, which edit the selected object live;
// Cancel gives the object back with nothing recorded for undo, OK stores the
// tool's defaults (opacity in 0..255) and records the new mode.
#include <gtest/gtest.h>

#include "MainWindowFixture.h"

#include "../../dialogs/win/DialogTest.h"

#include "Component/Raster32/win/Ras32_Image.h"
#include "dialogs/win/ShadowReflectForms.h"
#include "document/ImageDraw.h"
#include "foundation/HyPresets.h"
#include "shell/win/EffectPickers.h"
#include "shell/win/OpenDocuments.h"
#include "shell/win/PresetPanel.h"
#include "shell/win/ToolPanels.h"
#include "shell/win/ZezavEzazerForm.h"
#include "skin/controls/SkinClock.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/controls/win/SkinTrackBars.h"

namespace {

class Pickers : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        if (HasFatalFailure()) return;
        for (Integer k = 0; k < PropertyTable->ItemCount(); ++k)
            for (auto [Col, Value] : {std::pair{14, 0x0000FF}, {16, 255}, {18, 2}, {20, -1}, {21, 0}, {27, -1},
                                      {28, -1}})
                PropertyTable->GetItem(k)->GetItem(Col)->SetValue(Value);
        ViewAtFullSize();
    }
    TPoint Screen(TPoint Image) { return Form->Image->ClientToScreen(Form->Image->BitmapToControl(Image)); }
    void Drag(TPoint From, TPoint To)
    {
        guitest::MovePointer(Screen(From));
        guitest::LeftButton(true);
        guitest::PumpUntil([&] { return Doc()->LeftMouseDown(); }, 1000);
        guitest::MovePointer(Screen({(From.X + To.X) / 2, (From.Y + To.Y) / 2}));
        guitest::MovePointer(Screen(To));
        guitest::LeftButton(false);
        guitest::Pump();
    }
    // A rectangle drawn by the mouse, selected.
    TImgShape* DrawRectangle()
    {
        Click(ScreenCentre(Form->ToolPanels().Button(u"sbShape3")));
        Drag({40, 40}, {140, 100});
        return Doc()->ShapeCount() == 1 ? Doc()->Shape() : nullptr;
    }
    // Opens Image's dialog by a click and runs Script in it.
    template <class D, class F>
    void WithDialog(TImage32* Image, F Script)
    {
        Form->EffectPickers().OnDialogShown = [Script](TForm& Dialog) {
            auto* Typed = dynamic_cast<D*>(&Dialog);
            ASSERT_NE(Typed, nullptr);
            WhenModal(Typed, [Typed, Script] { Script(*Typed); });
        };
        Click(ScreenCentre(Image));
        guitest::Pump();
        Form->EffectPickers().OnDialogShown = nullptr;
    }
    // The document's picture around the rectangle, where its shadow falls.
    std::vector<TColor32> UnderShadow()
    {
        const TPoint A = Screen({30, 30}), B = Screen({190, 150});
        auto Shot = guitest::CaptureScreen(TRect{A.X, A.Y, B.X, B.Y});
        std::vector<TColor32> Out;
        for (Integer y = 0; y < B.Y - A.Y; ++y)
            for (Integer x = 0; x < B.X - A.X; ++x) Out.push_back(Shot->Pixel(x, y) & 0xFFFFFF);
        return Out;
    }
};

}  // namespace

TEST_F(Pickers, CancelGivesTheObjectBackWithNoUndoStep)
{
    TImgShape* S = DrawRectangle();
    ASSERT_NE(S, nullptr);
    ASSERT_TRUE(Form->EffectPickers().imgShadow->Visible());
    S->SetShadowDistance(4);
    S->SetShadowColor(0x00FF00);
    const Integer Undo = Doc()->UndoCount();
    const std::vector<TColor32> Before = UnderShadow();
    bool SawShadow = false;
    WithDialog<TfrmCustomShadow>(Form->EffectPickers().imgShadow, [&](TfrmCustomShadow& D) {
        EXPECT_FALSE(D.chkEnable->Checked());
        EXPECT_FALSE(D.sliderDistance->Visible());
        Click(ScreenCentre(D.chkEnable));
        guitest::PumpUntil([&] { return S->ShadowMode() == 0; }, 2000);
        EXPECT_TRUE(D.sliderDistance->Visible());
        D.sliderDistance->SetValue(20);
        D.sliderOpacity->SetValue(100);
        D.ApplyShadow(0x0000FF);
        SawShadow = S->ShadowMode() == 0 && S->ShadowDistance() == 20 && S->ShadowColor() == 0x0000FF;
        Click(ScreenCentre(D.btnCancel));
    });
    EXPECT_TRUE(SawShadow);
    EXPECT_EQ(S->ShadowMode(), -1);
    EXPECT_EQ(S->ShadowDistance(), 4);
    EXPECT_EQ(S->ShadowColor(), 0x00FF00);
    EXPECT_EQ(Doc()->UndoCount(), Undo);
    EXPECT_EQ(PropertyTable->GetItem(shRectangle)->GetItem(27)->Value(), -1);
    guitest::PumpUntil([&] { return UnderShadow() == Before; }, 2000);
    EXPECT_EQ(UnderShadow(), Before);
}

TEST_F(Pickers, OkStoresTheToolDefaultsAndRecordsTheNewMode)
{
    TImgShape* S = DrawRectangle();
    ASSERT_NE(S, nullptr);
    const Integer Undo = Doc()->UndoCount();
    WithDialog<TfrmCustomShadow>(Form->EffectPickers().imgShadow, [&](TfrmCustomShadow& D) {
        Click(ScreenCentre(D.chkEnable));
        D.sliderOpacity->SetValue(69);
        Click(ScreenCentre(D.btnOk));
    });
    TRow* Row = PropertyTable->GetItem(shRectangle);
    EXPECT_EQ(Row->GetItem(27)->Value(), 0);
    EXPECT_EQ(Row->GetItem(75)->Value(), 176);
    EXPECT_EQ(S->ShadowMode(), 0);
    EXPECT_EQ(Form->ToolPanels().Props().ShadowMode, 0);
    EXPECT_GT(Doc()->UndoCount(), Undo);

    // The reflection likewise; a second OK with the mode unchanged records nothing.
    WithDialog<TfrmCustomReflect>(Form->EffectPickers().imgReflect, [&](TfrmCustomReflect& D) {
        Click(ScreenCentre(D.chkEnable));
        D.sliderHeight->SetValue(90);
        Click(ScreenCentre(D.btnOk));
    });
    EXPECT_EQ(Row->GetItem(28)->Value(), 0);
    EXPECT_EQ(Row->GetItem(86)->Value(), 90);
    EXPECT_EQ(S->ReflectMode(), 0);
    const Integer After = Doc()->UndoCount();
    WithDialog<TfrmCustomReflect>(Form->EffectPickers().imgReflect,
                                  [&](TfrmCustomReflect& D) { Click(ScreenCentre(D.btnOk)); });
    EXPECT_EQ(Doc()->UndoCount(), After);
}

// With no packs beside the program the previews show the flat bar colour and
// nothing fails.
TEST_F(Pickers, MissingPacksLeaveFlatPreviews)
{
    ASSERT_NE(DrawRectangle(), nullptr);
    EXPECT_EQ(Form->EffectPickers().ShadowThumbs()->ItemCount(), 0);
    Form->EffectPickers().DrawShadowPreview();
    Form->EffectPickers().DrawReflectPreview();
    TBitmap32* B = Form->EffectPickers().imgShadow->Bitmap();
    EXPECT_EQ(B->Pixel(0, 0), B->Pixel(31, 31));
    EXPECT_EQ(B->Pixel(16, 16), B->Pixel(0, 0));
}
