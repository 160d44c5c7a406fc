// The JPEG and BMP option dialogs on real windows: the choice written into
// the file-information row by a real click on Save, nothing on Cancel, and
// the JPEG size estimate run once, 200 ms after the first of quick changes
// (on the manual skin clock).
#include <gtest/gtest.h>

#include "../../framework/controls/win/GuiTest.h"
#include "../../foundation/TempFolder.h"
#include "../../foundation/win/ScopedEnv.h"

#include "dialogs/FileOptions.h"
#include "dialogs/win/BmpOptionForm.h"
#include "dialogs/win/JpgOptionForm.h"
#include "foundation/HySysUtils.h"
#include "foundation/win/Global_Win.h"
#include "skin/controls/SkinClock.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/model/win/SFKernels_Win.h"

namespace {

class OptionDialogs : public guitest::FormTest {
protected:
    TTempFolder Dir{u"lm_dlg_"};
    TScopedEnv EnvAppData{u"APPDATA", Dir / u"AppData"};
    TSkinClockScope Clock;
    TDataTable FileDT;
    TRow* Options = nullptr;

    void SetUp() override
    {
        // The skinned controls draw through the skin kernels (the program installs them at start).
        static const bool Kernels = (InstallSkinKernelsWin(), true);
        (void)Kernels;
        ForceDirectories(Dir / u"AppData");
        InitGlobals(u"LumatraStd", 5);
        LoadLangTable();
        Options = &FileOptionsRow(FileDT);
    }
    void TearDown() override
    {
        guitest::FormTest::TearDown();
        DoneGlobals();
    }
    template <class T>
    T* Track(T* Form)
    {
        Form->SetLeft(100);
        Form->SetTop(100);
        ShowAndWait(Form);
        return Form;
    }
    // A real click in the middle of a control.
    void Click(TControl* C)
    {
        guitest::MovePointer(C->ClientToScreen(TPoint{C->Width() / 2, C->Height() / 2}));
        guitest::LeftButton(true);
        guitest::LeftButton(false);
    }
};

}  // namespace

TEST_F(OptionDialogs, JpegStartsAtNineAndEstimatesOnceAfterQuickChanges)
{
    std::vector<Integer> Asked;
    auto* F = new TfrmJpgOption(nullptr, nullptr, *Options, [&](Integer Q) {
        Asked.push_back(Q);
        return Int64(2048);
    });
    Track(F);
    EXPECT_EQ(F->cbQuality->ItemIndex(), 8);  // never saved as JPEG: step 9
    Clock.Clock.Advance(199);
    EXPECT_TRUE(Asked.empty());
    Clock.Clock.Advance(1);
    EXPECT_EQ(Asked, (std::vector<Integer>{90}));
    EXPECT_EQ(F->lblSize->Caption(), FormatFileSize(2048));

    // Two changes 50 ms apart: one estimate, 200 ms after the first, at the last step.
    F->cbQuality->SetItemIndex(4);
    F->cbQualityChange(F->cbQuality);
    Clock.Clock.Advance(50);
    F->cbQuality->SetItemIndex(2);
    F->cbQualityChange(F->cbQuality);
    Clock.Clock.Advance(149);
    EXPECT_EQ(Asked.size(), 1u);
    Clock.Clock.Advance(1);
    EXPECT_EQ(Asked, (std::vector<Integer>{90, 30}));
    Clock.Clock.Advance(1000);
    EXPECT_EQ(Asked.size(), 2u);
    delete F;
    Forget(F);
}

TEST_F(OptionDialogs, JpegSaveWritesTheStepAndTheFlagCancelWritesNothing)
{
    Options->GetItem(FileOptionCol::JpegStep)->SetText(u"3");
    auto* F = Track(new TfrmJpgOption(nullptr, nullptr, *Options, [](Integer) { return Int64(1); }));
    EXPECT_EQ(F->cbQuality->ItemIndex(), 2);
    F->cbQuality->SetItemIndex(6);
    F->chkSameOnNext->SetChecked(true);
    Click(F->btnCancel);
    ASSERT_TRUE(guitest::PumpUntil([&] { return F->ModalResult() == mrCancel; }));
    EXPECT_EQ(Options->GetItem(FileOptionCol::JpegStep)->Text(), u"3");
    EXPECT_FALSE(Options->GetItem(FileOptionCol::SameOnNext)->AsBool());

    F->SetModalResult(mrNone);
    Click(F->btnSave);
    ASSERT_TRUE(guitest::PumpUntil([&] { return F->ModalResult() == mrOk; }));
    EXPECT_EQ(Options->GetItem(FileOptionCol::JpegStep)->Text(), u"7");
    EXPECT_TRUE(Options->GetItem(FileOptionCol::SameOnNext)->AsBool());
    delete F;
    Forget(F);
}

TEST_F(OptionDialogs, BmpSaveWritesTheCheckedDepth)
{
    auto* F = Track(new TfrmBmpOption(nullptr, nullptr, *Options));
    Click(F->btnSave);
    ASSERT_TRUE(guitest::PumpUntil([&] { return F->ModalResult() == mrOk; }));
    EXPECT_EQ(Options->GetItem(FileOptionCol::BmpDepth)->Value(), 24);

    F->SetModalResult(mrNone);
    Click(F->rb8bit);
    ASSERT_TRUE(guitest::PumpUntil([&] { return F->rb8bit->Checked(); }));
    EXPECT_FALSE(F->rb24bit->Checked());
    Click(F->btnCancel);
    ASSERT_TRUE(guitest::PumpUntil([&] { return F->ModalResult() == mrCancel; }));
    EXPECT_EQ(Options->GetItem(FileOptionCol::BmpDepth)->Value(), 24);
    F->SetModalResult(mrNone);
    Click(F->btnSave);
    ASSERT_TRUE(guitest::PumpUntil([&] { return F->ModalResult() == mrOk; }));
    EXPECT_EQ(Options->GetItem(FileOptionCol::BmpDepth)->Value(), 8);
    delete F;
    Forget(F);
}
