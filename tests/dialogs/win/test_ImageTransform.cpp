// The perspective dialog on a real window over a document: the first preview
// after the pause is the picture itself, real drags of the top-left handle
// follow the left or the top edge, the percentage shows while dragging, the
// release recomputes once; a slot chosen and OK keep the corners; Cancel
// keeps nothing.
#include <gtest/gtest.h>

#include "DialogTest.h"
#include "document/DocumentTestView.h"

#include "Component/Raster32/win/Ras32_GDI.h"
#include "Component/Raster32/win/Ras32_Image.h"
#include "dialogs/win/ImageTransform.h"
#include "skin/controls/SkinClock.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/controls/win/SkinExCtrls.h"
#include "skin/controls/win/SkinTrackBars.h"

namespace {

constexpr TColor Back = 0xEEE7E1;

class ImageTransform : public GlobalsTest, protected TProcessingDocument {
protected:
    TSkinClockScope Clock;
    TRow Settings;
    std::unique_ptr<TCustomBitmap32> Original;

    void SetUp() override
    {
        GlobalsTest::SetUp();
        Settings.Init(String(40, u','), u',');
        for (Integer Cell : {32, 33, 34}) Settings.GetItem(Cell)->SetText(u"8.140.140.8.8.8.140.140");
        Make(120, 80);
        Original = BitmapCopy(Doc->SrcBmp());
        Doc->SetEffectMode(emTransform);
        Doc->EffectBegin();
    }
    TfrmImageTransform* Open()
    {
        auto* F = new TfrmImageTransform(nullptr, nullptr, *Doc, Settings, Back);
        F->SetLeft(100);
        F->SetTop(100);
        ShowAndWait(F);
        WaitShown(F);
        return F;
    }
    void Close(TfrmImageTransform* F)
    {
        delete F;
        Forget(F);
    }
    TPoint At(TfrmImageTransform* F, Integer X, Integer Y) { return F->imgTransform->ClientToScreen(TPoint{X, Y}); }
    // A real drag of the handle at From by (DX, DY); Check runs before the release.
    template <class C>
    void Drag(TfrmImageTransform* F, TPoint From, Integer DX, Integer DY, C Check)
    {
        guitest::MovePointer(At(F, From.X, From.Y));
        guitest::LeftButton(true);
        ASSERT_TRUE(guitest::PumpUntil([&] { return F->Moving(); }));
        guitest::MovePointer(At(F, From.X + DX / 2, From.Y + DY / 2));
        guitest::MovePointer(At(F, From.X + DX, From.Y + DY));
        Check();
        guitest::LeftButton(false);
        ASSERT_TRUE(guitest::PumpUntil([&] { return !F->Moving(); }));
    }
    // Whether the bitmap holds ink other than the background around (66, 66).
    static bool TextShown(TfrmImageTransform* F)
    {
        TBitmap32* B = F->imgTransform->Bitmap();
        const TColor32 Bg = ColorToColor32(static_cast<Integer>(Back)) | 0xFF000000;
        for (Integer y = 66; y < 82; ++y)
            for (Integer x = 66; x < 100; ++x)
                if ((B->Pixel(x, y) | 0xFF000000) != Bg) return true;
        return false;
    }
};

}  // namespace

TEST_F(ImageTransform, FirstPreviewIsThePictureAndDragsFollowTheEdges)
{
    auto* F = Open();
    EXPECT_EQ(TransformHandles::FormatCorners(F->Points()), u"8.140.140.8.8.8.140.140");
    EXPECT_EQ(F->lstPresets->ItemIndex(), -1);
    EXPECT_FALSE(F->btnResetScale->Enabled());
    // The red square lies on the dashed frame: a red pixel on the top edge.
    EXPECT_EQ(F->imgTransform->Bitmap()->Pixel(70, 8) & 0xFFFFFF, 0xFF0000u);
    Clock.Clock.Advance(FirstPreviewDelay);
    ASSERT_EQ(F->Preview().PreviewCount(), 1);
    EXPECT_TRUE(Doc->SrcBmp()->SameContent(Original.get())) << "the corners at home change nothing";

    bool Shown = false;
    Drag(F, {8, 8}, 10, 10, [&] {
        EXPECT_EQ(F->Points()[0].X, 8);
        EXPECT_EQ(F->Points()[0].Y, 18);
        EXPECT_EQ(F->Preview().PreviewCount(), 1) << "not while dragging";
        Shown = TextShown(F);
    });
    EXPECT_TRUE(Shown) << "the percentage while dragging";
    EXPECT_FALSE(TextShown(F)) << "gone on release";
    ASSERT_TRUE(guitest::PumpUntil([&] { return F->Preview().PreviewCount() == 2; }));
    EXPECT_FALSE(Doc->SrcBmp()->SameContent(Original.get()));

    // Back to the corner (up the left edge), then a wider move: the top edge.
    Drag(F, {8, 18}, 0, -10, [] {});
    EXPECT_EQ(F->Points()[0].Y, 8);
    Drag(F, {8, 8}, 11, 10, [&] {
        EXPECT_EQ(F->Points()[0].X, 19);
        EXPECT_EQ(F->Points()[0].Y, 8);
    });
    // On the top edge a pull downwards is ignored; rightwards it stops 7 before the next corner.
    Drag(F, {19, 8}, 0, 30, [] {});
    EXPECT_EQ(F->Points()[0].Y, 8);
    Drag(F, {19, 8}, 125, 0, [] {});
    EXPECT_EQ(F->Points()[0].X, 133);

    Click(ScreenCentre(F->btnCancel));
    ASSERT_TRUE(guitest::PumpUntil([&] { return F->ModalResult() == mrCancel; }));
    Close(F);
    Doc->EffectEnd(false);
    EXPECT_TRUE(Doc->SrcBmp()->SameContent(Original.get()));
    EXPECT_EQ(Settings.GetItem(32)->Text(), u"8.140.140.8.8.8.140.140") << "Cancel keeps nothing";
}

TEST_F(ImageTransform, ASlotChosenKeepsTheCornersOnOkAndTheNextDialogOpensWithThem)
{
    auto* F = Open();
    Clock.Clock.Advance(FirstPreviewDelay);
    // Item 7 (the first user slot) by a real click.
    Click(F->lstPresets->ClientToScreen(TPoint{(F->lstPresets->ItemRect(7).Left + F->lstPresets->ItemRect(7).Right) / 2,
                                               (F->lstPresets->ItemRect(7).Top + F->lstPresets->ItemRect(7).Bottom) / 2}));
    ASSERT_TRUE(guitest::PumpUntil([&] { return F->lstPresets->ItemIndex() == 7; }));
    Drag(F, {140, 140}, -40, 0, [] {});
    EXPECT_EQ(TransformHandles::FormatCorners(F->Points()), u"8.140.100.8.8.8.140.140");
    Click(ScreenCentre(F->btnOk));
    ASSERT_TRUE(guitest::PumpUntil([&] { return F->ModalResult() == mrOk; }));
    Close(F);
    Doc->EffectEnd(true);
    EXPECT_EQ(Settings.GetItem(32)->Text(), u"8.140.100.8.8.8.140.140");
    EXPECT_EQ(Settings.GetItem(33)->Text(), u"8.140.100.8.8.8.140.140");
    EXPECT_EQ(Settings.GetItem(34)->Text(), u"8.140.140.8.8.8.140.140");

    Doc->EffectBegin();
    F = Open();
    EXPECT_EQ(TransformHandles::FormatCorners(F->Points()), u"8.140.100.8.8.8.140.140");
    // A built-in shape, then the scale: the reset button until it is used.
    F->lstPresets->SetItemIndex(4);
    EXPECT_EQ(TransformHandles::FormatCorners(F->Points()), u"41.107.140.8.8.8.140.140");
    F->sliderScaleHorz->SetValue(150);
    F->sliderScaleChanged(F->sliderScaleHorz);
    EXPECT_EQ(F->lblScaleHorzValue->Caption(), u"150%");
    EXPECT_TRUE(F->btnResetScale->Enabled());
    Click(ScreenCentre(F->btnResetScale));
    ASSERT_TRUE(guitest::PumpUntil([&] { return !F->btnResetScale->Enabled(); }));
    EXPECT_EQ(F->sliderScaleHorz->Value(), 100);
    EXPECT_EQ(F->lblScaleHorzValue->Caption(), u"100%");
    Close(F);
    Doc->EffectEnd(false);
}
