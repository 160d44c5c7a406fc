// The frame dialog on a real window over a document: a pad frame on a fresh
// installation opens at its defaults and OK stores them; dragging a slider
// recomputes only on release; a band frame's texture is checked for its size
// (too large, empty, asked about) and its folder is kept only on OK; a
// pattern frame's layers show their stereo widths and reach the preset's
// table only on OK.
#include <gtest/gtest.h>

#include "DialogTest.h"
#include "document/DocumentTestView.h"

#include "Component/Raster32/win/Ras32_GDI.h"
#include "dialogs/win/ImageFrames.h"
#include "framework/controls/win/StdCtrls.h"
#include "skin/controls/SkinClock.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/controls/win/SkinTrackBars.h"
#include "skin/controls/win/sfColorCtrls.h"

namespace {

class ImageFrames : public GlobalsTest, protected TProcessingDocument {
protected:
    TSkinClockScope Clock;
    TDataTable Config;
    TDataTable Pattern;
    std::vector<String> Messages;
    Integer Answer = IDNO;

    void SetUp() override
    {
        GlobalsTest::SetUp();
        for (Integer r = 0; r < 7; ++r) Config.AddItem(String(60, u','));
        for (Integer r = 0; r < 3; ++r) Pattern.AddItem(u"-1,-1,255,0,0,0,1,0,0,0,4,4,4,4");
        Make(60, 40);
    }
    TfrmImageFrames* Open(Integer Type, Integer Mode)
    {
        Doc->SetFrameType(Type);
        Doc->SetFrameMode(Mode);
        Doc->FrameBegin();
        auto* F = new TfrmImageFrames(nullptr, nullptr, *Doc, Config, Type == 2 ? &Pattern : nullptr, nullptr,
                                      0xEEE7E1);
        F->OnMessage = [this](const String& Text, Cardinal) {
            Messages.push_back(Text);
            return Answer;
        };
        F->SetLeft(100);
        F->SetTop(100);
        ShowAndWait(F);
        WaitShown(F);
        return F;
    }
    bool End(TfrmImageFrames* F, TsfSkinButton* B, TModalResult Result)
    {
        Click(ScreenCentre(B));
        const bool Ok = guitest::PumpUntil([&] { return F->ModalResult() == Result; });
        delete F;
        Forget(F);
        Doc->FrameEnd(Result == mrOk);
        return Ok;
    }
    String Cell(Integer Row, Integer Index) { return Config.GetItem(Row)->GetItem(Index)->Text(); }
    String WritePicture(const String& Name, Integer W, Integer H)
    {
        const String File = Dir / Name;
        TCustomBitmap32 B;
        B.SetSize(W, H);
        B.Clear(0xFF808080);
        B.SaveToFile(File, true);
        return File;
    }
};

}  // namespace

TEST_F(ImageFrames, APadFrameOpensAtItsDefaultsAndOkStoresThem)
{
    auto* F = Open(0, 2);
    EXPECT_EQ(F->sliderValue[0]->Value(), 10);
    EXPECT_EQ(F->sliderValue[1]->Value(), 5);
    EXPECT_EQ(F->sliderValue[2]->Value(), 1);
    EXPECT_EQ(F->cbColor[1]->ColorValue(), TColor(16777164));
    EXPECT_FALSE(F->pnlCheck->Visible());
    EXPECT_EQ(F->lblParam[0]->Caption(), GetLangText(5, 1) + u":");
    EXPECT_EQ(F->ClientHeight(), 8 + 3 * 36 + 8 + 33);
    Clock.Clock.Advance(FirstPreviewDelay);
    ASSERT_EQ(F->Preview().PreviewCount(), 1);
    EXPECT_EQ(Doc->SrcBmp()->Width(), 60 + 2 * 16);

    // A real drag of the first slider: the label follows, one recomputation on release.
    const TRect Thumb = F->sliderValue[0]->Core().ThumbRect();
    const TPoint From{Thumb.Left + 3, (Thumb.Top + Thumb.Bottom) / 2};
    guitest::MovePointer(F->sliderValue[0]->ClientToScreen(From));
    guitest::LeftButton(true);
    guitest::Pump();
    for (Integer x = From.X + 10; x <= From.X + 40; x += 10)
        guitest::MovePointer(F->sliderValue[0]->ClientToScreen(TPoint{x, From.Y}));
    EXPECT_GT(F->sliderValue[0]->Value(), 10);
    EXPECT_EQ(F->lblValue[0]->Caption(), IntToStr(F->sliderValue[0]->Value()));
    EXPECT_EQ(F->Preview().PreviewCount(), 1) << "not while dragging";
    guitest::LeftButton(false);
    ASSERT_TRUE(guitest::PumpUntil([&] { return F->Preview().PreviewCount() == 2; }));
    const Integer Moved = F->sliderValue[0]->Value();
    F->sliderValue[0]->SetValue(10);
    F->sliderValueChanged(0);
    EXPECT_TRUE(End(F, F->btnOk, mrOk));
    EXPECT_GT(Moved, 10);
    EXPECT_EQ(Cell(5, 1), u"10.13421619.5.16777164.1.16737843");
    EXPECT_EQ(Doc->SrcBmp()->Width(), 60 + 2 * 16);
}

TEST_F(ImageFrames, CancelStoresNothingAndPercentLabelsFollowTheMode)
{
    auto* F = Open(0, 3);
    EXPECT_EQ(F->lblValue[2]->Caption(), u"20%");
    EXPECT_FALSE(F->cbColor[2]->Visible());
    F->sliderValue[0]->SetValue(7);
    EXPECT_TRUE(End(F, F->btnCancel, mrCancel));
    EXPECT_EQ(Cell(5, 2), String());
    EXPECT_EQ(Doc->SrcBmp()->Width(), 60);
}

TEST_F(ImageFrames, TexturesAreCheckedForTheirSizeAndTheFolderIsKeptOnlyOnOk)
{
    const String Large = WritePicture(u"large.bmp", 2000, 1001);
    const String Big = WritePicture(u"big.bmp", 1000, 700);
    const String Small = WritePicture(u"small.bmp", 20, 20);
    const String Broken = Dir / u"broken.bmp";
    {
        TFileStream S(Broken, fmCreate);
        S.WriteBuffer("BMxx", 4);
    }
    Config.GetItem(1)->GetItem(42)->SetText(u"C:\\Before\\");
    auto* F = Open(1, 1);
    EXPECT_TRUE(F->pnlCheck->Visible());
    EXPECT_FALSE(F->chkOption1->Checked());
    EXPECT_TRUE(F->cbColor[0]->Visible());
    EXPECT_EQ(F->lblValue[1]->Caption(), u"50%");
    Click(ScreenCentre(F->chkOption1));
    ASSERT_TRUE(guitest::PumpUntil([&] { return F->chkOption1->Checked(); }));
    EXPECT_TRUE(F->editFile->Visible());
    EXPECT_FALSE(F->cbColor[0]->Visible());

    String Chosen;
    String StartedIn;
    F->OnChooseFile = [&](const String& Folder) {
        StartedIn = Folder;
        return Chosen;
    };
    const struct {
        const String* File;
        Integer Answer;
        String Message;
        bool Accepted;
    } Cases[] = {
        {&Large, IDYES, GetLangText(1, 382), false},
        {&Broken, IDYES, GetLangText(1, 395), false},
        {&Big, IDNO, GetLangText(1, 383), false},
        {&Big, IDYES, GetLangText(1, 383), true},
        {&Small, IDNO, String(), true},
    };
    for (const auto& c : Cases) {
        Chosen = *c.File;
        Answer = c.Answer;
        Messages.clear();
        F->editFile->SetText(String());
        Click(ScreenCentre(F->btnFile));
        guitest::Pump();
        EXPECT_EQ(Messages.empty() ? String() : Messages[0], c.Message) << AnsiString(c.File->begin(), c.File->end());
        EXPECT_EQ(F->editFile->Text(), c.Accepted ? *c.File : String());
    }
    EXPECT_EQ(StartedIn, IncludeTrailingPathDelimiter(Dir.Path()));
    EXPECT_EQ(Cell(1, 42), u"C:\\Before\\") << "the folder waits for OK";

    // Cancel: the folder and the texture stay as they were.
    EXPECT_TRUE(End(F, F->btnCancel, mrCancel));
    EXPECT_EQ(Cell(1, 42), u"C:\\Before\\");
    EXPECT_EQ(Cell(5, 49), String());

    // The option with no file: OK says so and the dialog stays; with one, OK keeps all.
    F = Open(1, 1);
    F->OnChooseFile = [&](const String&) { return Small; };
    if (!F->chkOption1->Checked()) Click(ScreenCentre(F->chkOption1));
    ASSERT_TRUE(guitest::PumpUntil([&] { return F->chkOption1->Checked(); }));
    Messages.clear();
    Click(ScreenCentre(F->btnOk));
    guitest::Pump();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0], GetLangText(5, 14));
    EXPECT_EQ(F->ModalResult(), mrNone);
    Click(ScreenCentre(F->btnFile));
    ASSERT_TRUE(guitest::PumpUntil([&] { return F->editFile->Text() == Small; }));
    EXPECT_TRUE(End(F, F->btnOk, mrOk));
    EXPECT_EQ(Cell(1, 42), IncludeTrailingPathDelimiter(Dir.Path()));
    EXPECT_EQ(UnescapeCellText(Cell(5, 49)), Small);
    EXPECT_TRUE(Config.GetItem(5)->GetItem(48)->AsBool());
    EXPECT_EQ(Cell(5, 20), u"5.65535.50");
}

TEST_F(ImageFrames, PatternLayersReachThePresetOnlyOnOk)
{
    auto* F = Open(2, 1);
    EXPECT_TRUE(F->chkStereo[0]->Visible());
    EXPECT_FALSE(F->chkStereo[1]->Visible());
    EXPECT_FALSE(F->cbColor[1]->Visible());
    EXPECT_EQ(F->pnlParamRow[0]->Height(), 68);
    EXPECT_EQ(F->pnlParamRow[1]->Height(), 36);
    EXPECT_FALSE(F->cbStereoWidth[0]->Visible());
    Clock.Clock.Advance(FirstPreviewDelay);
    ASSERT_EQ(F->Preview().PreviewCount(), 1);
    EXPECT_EQ(Doc->SrcBmp()->Width(), 60 + 24);

    Click(ScreenCentre(F->chkStereo[0]));
    ASSERT_TRUE(guitest::PumpUntil([&] { return F->chkStereo[0]->Checked(); }));
    EXPECT_TRUE(F->cbStereoWidth[0]->Visible());
    EXPECT_EQ(F->Preview().PreviewCount(), 2);
    F->sliderValue[0]->SetValue(10);
    F->sliderValueChanged(0);
    EXPECT_EQ(Doc->SrcBmp()->Width(), 60 + 2 * (10 + 4 + 4));
    EXPECT_TRUE(F->PreviewTable()->GetItem(2)->GetItem(5)->AsBool());
    EXPECT_FALSE(Pattern.GetItem(2)->GetItem(5)->AsBool()) << "the preset waits for OK";
    EXPECT_TRUE(End(F, F->btnCancel, mrCancel));
    EXPECT_FALSE(Pattern.GetItem(2)->GetItem(5)->AsBool());
    EXPECT_EQ(Pattern.GetItem(2)->GetItem(10)->Value(), 4);
    EXPECT_EQ(Doc->SrcBmp()->Width(), 60);

    F = Open(2, 1);
    Click(ScreenCentre(F->chkStereo[0]));
    ASSERT_TRUE(guitest::PumpUntil([&] { return F->chkStereo[0]->Checked(); }));
    F->sliderValue[0]->SetValue(10);
    F->sliderValueChanged(0);
    EXPECT_TRUE(End(F, F->btnOk, mrOk));
    EXPECT_TRUE(Pattern.GetItem(2)->GetItem(5)->AsBool());
    for (Integer c = 10; c <= 13; ++c) EXPECT_EQ(Pattern.GetItem(2)->GetItem(c)->Value(), 10);
    EXPECT_EQ(Doc->SrcBmp()->Width(), 60 + 2 * (10 + 4 + 4));
}

TEST_F(ImageFrames, AnEdgeFrameStartsAtFullWhiteAndStoresNothing)
{
    Config.GetItem(5)->GetItem(0)->SetText(u"3.0");
    TCustomBitmap32 Mask;
    Mask.SetSize(6, 4);
    Mask.Clear(0xFF000000);
    Doc->SetFrameMaskBmp(&Mask);
    auto* F = Open(3, 1);
    EXPECT_EQ(F->sliderValue[0]->Value(), 100);
    EXPECT_EQ(F->cbColor[0]->ColorValue(), TColor(0xFFFFFF));
    EXPECT_FALSE(F->pnlParamRow[1]->Visible());
    Clock.Clock.Advance(FirstPreviewDelay);
    EXPECT_EQ(F->Preview().PreviewCount(), 1);
    EXPECT_TRUE(End(F, F->btnOk, mrOk));
    EXPECT_EQ(Cell(5, 0), u"3.0");
    Doc->SetFrameMaskBmp(nullptr);
}
