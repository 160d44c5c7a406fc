// The main window's image commands with their own dialogs, by real input:
// the canvas button and the "more" menu open the canvas, image-size and
// watermark dialogs, the new-image button a new document; what is typed and
// clicked there reaches the live document.
#include "../../dialogs/win/DialogTest.h"

#include "dialogs/win/ImageCanvasForm.h"
#include "dialogs/win/ImageNewForm.h"
#include "dialogs/win/ImageSizeForm.h"
#include "dialogs/win/ImageWatermarkForm.h"
#include "document/win/ImageDraw_Win.h"
#include "filters/FiltersStartup.h"
#include "foundation/HyDataTable.h"
#include "foundation/win/HyFileUtils_Image.h"
#include "Component/Raster32/win/Ras32_Image.h"
#include "shell/win/EditorCommands.h"
#include "shell/win/OpenDocuments.h"
#include "shell/win/ZezavEzazerForm.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/controls/win/SkinTrackBars.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/frame/win/SkinMenus.h"

namespace {

class TQuietPrompts : public TDocumentPrompts {
public:
    std::vector<String> Messages;
    void ShowMessage(const String& Text) override { Messages.push_back(Text); }
    Integer Ask(const String&, Cardinal) override { return IDNO; }
    String ChooseOpenFile(const String&, const String&) override { return String(); }
    String ChooseSaveFile(const String&, const String&, Integer, Integer&) override { return String(); }
    bool JpgOptions(TImageDraw&) override { return false; }
    bool BmpOptions(TImageDraw&) override { return false; }
};

void TypeInto(TControl* Edit, const String& Text)
{
    Click(ScreenCentre(Edit));
    for (Integer I = 0; I < 10; ++I) QueueKey(I == 0 ? VK_END : VK_BACK);
    guitest::Pump();
    for (Char C : Text) {
        INPUT In[2] = {};
        In[0].type = In[1].type = INPUT_KEYBOARD;
        In[0].ki.wScan = In[1].ki.wScan = C;
        In[0].ki.dwFlags = KEYEVENTF_UNICODE;
        In[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, In, sizeof(INPUT));
        guitest::Pump();
    }
}

class MainWindowImageDialogs : public GlobalsTest {
protected:
    TfrmZezavEzazer* F = nullptr;
    TQuietPrompts Prompts;

    void SetUp() override
    {
        GlobalsTest::SetUp();
        static const bool Installed = (InstallFilters(), InstallImageControls(), InstallImageDrawHooks(), true);
        (void)Installed;
        TBitmap32 B;
        B.SetSize(200, 100);
        B.Clear(0xFFFF0000);
        const String Picture = Dir / u"red.png";
        SaveBitmap32ToFile(&B, Picture, ifPng, 0);
        F = NewForm<TfrmZezavEzazer>(0, 0, 1100, 700);
        F->Documents().SetPrompts(&Prompts);
        F->SetPosition(poDesigned);
        F->SetBounds(0, 0, 1100, 700);
        ShowAndWait(F);
        WaitShown(F);
        ASSERT_TRUE(F->OpenImageFile(Picture));
    }
    void TearDown() override
    {
        F->Documents().SetPrompts(nullptr);
        FreeNewImagePattern();
        GlobalsTest::TearDown();
    }
    TImageDraw* Doc() { return F->Documents().Live(); }
    // Runs Script on the dialog of class D once the command shows it.
    template <class D, class S>
    void WhenDialog(S Script)
    {
        auto* T = new TTimer(F);
        T->SetInterval(20);
        T->OnTimer = [T, Script](TObject*) {
            auto* Dlg = dynamic_cast<D*>(FindControl(ActiveFormWindow));
            if (!Dlg) return;
            T->SetEnabled(false);
            WaitShown(Dlg);
            Script(*Dlg);
        };
    }
    bool ClickMoreItem(const char16_t* Name)
    {
        Click(ScreenCentre(F->Commands().sbMore));
        TsfSkinMenu* Engine = F->SkinForm()->SkinMenu();
        TMenuItem* Item = F->Commands().Item(Name);
        TPoint At;
        const bool Found = guitest::PumpUntil([&] {
            for (Integer L = 0; Engine->Visible() && L < Engine->LevelCount(); ++L)
                for (auto& I : Engine->Level(L)->ItemList)
                    if (I->MenuItem == Item) {
                        const TRect& R = I->ObjectRect;
                        At = Engine->Level(L)->ClientToScreen(TPoint{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
                        return true;
                    }
            return false;
        });
        if (!Found) return false;
        Click(At);
        return true;
    }
};

TEST_F(MainWindowImageDialogs, CanvasAndImageSizeDialogsChangeTheLiveDocument)
{
    TEditorCommands& C = F->Commands();
    ASSERT_TRUE(C.sbCanvas->Visible());
    ASSERT_TRUE(C.Item(u"muImageSize")->Visible());
    WhenDialog<TfrmImageCanvas>([](TfrmImageCanvas& D) {
        TypeInto(D.editLeft, u"10");
        TypeInto(D.editRight, u"10");
        TypeInto(D.editTop, u"-20");
        Click(ScreenCentre(D.btnOk));
    });
    Click(ScreenCentre(C.sbCanvas));
    ASSERT_TRUE(guitest::PumpUntil([&] { return Doc()->Width() == 220; }));
    EXPECT_EQ(Doc()->Height(), 80);

    WhenDialog<TfrmImageSize>([](TfrmImageSize& D) {
        TypeInto(D.editImageHeight, u"40");
        Click(ScreenCentre(D.btnOk));
    });
    ASSERT_TRUE(ClickMoreItem(u"muImageSize"));
    ASSERT_TRUE(guitest::PumpUntil([&] { return Doc()->Height() == 40; }));
    EXPECT_EQ(Doc()->Width(), 110);
}

TEST_F(MainWindowImageDialogs, WatermarkAndNewImageDialogsReachTheDocuments)
{
    TBitmap32 Mark;
    Mark.SetSize(20, 10);
    Mark.Clear(0xFF00FF00);
    const String MarkFile = Dir / u"mark.png";
    SaveBitmap32ToFile(&Mark, MarkFile, ifPng, 0);
    ConfigTable->GetItem(3)->GetItem(11)->SetText(EscapeCellText(MarkFile));
    WhenDialog<TfrmImageWatermark>([](TfrmImageWatermark& D) {
        Click(ScreenCentre(D.chkEnable));
        D.sliderAngle->SetValue(-30);
        Click(ScreenCentre(D.btnOk));
    });
    ASSERT_TRUE(ClickMoreItem(u"muWatermark"));
    ASSERT_TRUE(guitest::PumpUntil([&] { return ConfigTable->GetItem(3)->GetItem(8)->Value() == 330; }));
    EXPECT_TRUE(Doc()->WatermarkEnabled());
    EXPECT_TRUE(Doc()->Changed());

    TImageDraw* Before = Doc();
    WhenDialog<TfrmImageNew>([](TfrmImageNew& D) {
        TypeInto(D.editWidth, u"300");
        TypeInto(D.editHeight, u"150");
        Click(ScreenCentre(D.btnOk));
    });
    Click(ScreenCentre(F->Commands().sbNew));
    ASSERT_TRUE(guitest::PumpUntil([&] { return Doc() != Before && Doc()->Width() == 300; }));
    EXPECT_EQ(Doc()->Height(), 150);
}

}  // namespace
