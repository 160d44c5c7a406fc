// The new-image, canvas, image-size and watermark dialogs on real windows,
// with typed sizes, real clicks and the information boxes they show.
#include <gtest/gtest.h>

#include <fstream>

#include "DialogTest.h"
#include "document/DocumentTestView.h"

#include "Component/Raster32/win/Ras32_GDI.h"
#include "Component/Raster32/win/Ras32_Image.h"
#include "dialogs/ImageSizeRules.h"
#include "dialogs/MainWindowServices.h"
#include "dialogs/win/ImageCanvasForm.h"
#include "dialogs/win/ImageNewForm.h"
#include "dialogs/win/ImageSizeForm.h"
#include "dialogs/win/ImageWatermarkForm.h"
#include "document/ImageDraw.h"
#include "foundation/HyDataTable.h"
#include "framework/graphics/win/Clipbrd.h"
#include "framework/graphics/win/Graphics.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/controls/win/SkinTrackBars.h"
#include "skin/controls/win/sfColorCtrls.h"

namespace {

void Keys(std::initializer_list<WORD> Vks)
{
    for (WORD K : Vks) QueueKey(K);
    guitest::Pump();
}

// Clicks into the edit, clears it by keys and types Text.
void TypeInto(TControl* Edit, const String& Text)
{
    Click(ScreenCentre(Edit));
    Keys({VK_END, VK_BACK, VK_BACK, VK_BACK, VK_BACK, VK_BACK, VK_BACK, VK_BACK, VK_BACK, VK_BACK, VK_BACK});
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

String Texts(const guitest::TMessageBoxCatcher& Catcher)
{
    String S;
    for (const auto& B : Catcher.Boxes()) S += FromWStr(B.Text.c_str()) + u"|";
    return S;
}

TCell& Editor(Integer I) { return *ConfigTable->GetItem(1)->GetItem(I); }
TCell& WM(Integer I) { return *ConfigTable->GetItem(3)->GetItem(I); }

// The main window as the watermark dialog sees it: what it was asked to show.
class TRecordingServices : public TMainWindowServices {
public:
    struct TCall {
        bool Enabled;
        String File;
        Integer Type, Place, ED1, ED2, SD1, SD2, Angle, Opacity;
    };
    std::vector<TCall> Calls;
    std::uintptr_t MainWindowHandle() const override { return 0; }
    bool OpenImageFile(const String&) override { return false; }
    void InsertImageFiles(const String&, const String&) override {}
    void AddWatermark(bool IsEnabled, const String& FileName, Integer LocationType, Integer Location,
                      Integer LocationED1, Integer LocationED2, Integer LocationSD1, Integer LocationSD2, Integer Angle,
                      Integer Opacity, bool, TColor) override
    {
        Calls.push_back({IsEnabled, FileName, LocationType, Location, LocationED1, LocationED2, LocationSD1,
                         LocationSD2, Angle, Opacity});
    }
    void AfterModalDialog() override {}
    void clColorShowTrackMenu(TObject*) override {}
    void clColorHideTrackMenu(TObject*) override {}
    void clColorColorDialogClose(TObject*) override {}
    TColor PanelBackColor() const override { return 0xE8E6E3; }
};

class ImageDialogs : public GlobalsTest {
protected:
    void SetUp() override
    {
        GlobalsTest::SetUp();
        InstallRasterPlatform();
        UpgradeConfigDefaults();
    }
    void TearDown() override
    {
        FreeNewImagePattern();
        GlobalsTest::TearDown();
    }
    template <class T>
    void Place(T& Dlg)
    {
        Dlg.SetPosition(poDesigned);
        Dlg.SetLeft(200);
        Dlg.SetTop(150);
    }
    // Writes a W x H picture file (24-bit BMP).
    String PictureFile(const char16_t* Name, Integer W, Integer H)
    {
        TBitmap32 B;
        B.SetSize(W, H);
        B.Clear(0xFF3366CC);
        const String F = Dir / Name;
        B.SaveToFile(F, false);
        return F;
    }
};

TEST_F(ImageDialogs, NewImageConvertsUnitsRefusesTooLargeSizesAndKeepsTheChoice)
{
    TfrmImageNew Dlg(nullptr, nullptr, nullptr);
    Place(Dlg);
    // A fresh installation: 600 x 400 pixels on a white colour background.
    EXPECT_EQ(Dlg.editWidth->Value(), 600);
    EXPECT_EQ(Dlg.editHeight->Value(), 400);
    EXPECT_EQ(Dlg.cbUnit->ItemIndex(), UnitPixels);
    EXPECT_TRUE(Dlg.rbColor->Checked());
    EXPECT_EQ(Dlg.cbNewColor->ColorValue(), 0xFFFFFF);
    EXPECT_EQ(Dlg.Caption(), GetLangText(1, 130));

    guitest::TMessageBoxCatcher Catcher;
    bool Inches = false, Back = false, Presets = false;
    WhenModal(&Dlg, [&] {
        const Char Sep = SkinDecimalSeparator();
        Dlg.cbUnit->SetItemIndex(UnitInches);
        Inches = Dlg.editWidth->Text() == String(u"8") + Sep + u"333" &&
                 Dlg.editHeight->Text() == String(u"5") + Sep + u"556";
        Dlg.cbUnit->SetItemIndex(UnitPixels);
        Back = Dlg.editWidth->Text() == u"600" && Dlg.editHeight->Text() == u"400";
        // A preset while the unit is millimetres switches to pixels.
        Dlg.cbUnit->SetItemIndex(UnitMillimetres);
        Dlg.cbPresets->SetItemIndex(10);
        Presets = Dlg.cbUnit->ItemIndex() == UnitPixels && Dlg.editWidth->Value() == 1366 &&
                  Dlg.editHeight->Value() == 768;
        // 6000 x 5001 is too large: told, and the dialog stays.
        TypeInto(Dlg.editWidth, u"6000");
        TypeInto(Dlg.editHeight, u"5001");
        Click(ScreenCentre(Dlg.btnOk));
        guitest::PumpUntil([&] { return !Catcher.Boxes().empty(); });
        // 100 mm each way is 283 pixels.
        Dlg.cbUnit->SetItemIndex(UnitMillimetres);
        TypeInto(Dlg.editWidth, u"100");
        TypeInto(Dlg.editHeight, u"100");
        Click(ScreenCentre(Dlg.rbTransparent));
        Click(ScreenCentre(Dlg.btnOk));
    });
    EXPECT_EQ(Dlg.ShowModal(), mrOk);
    EXPECT_TRUE(Inches);
    EXPECT_TRUE(Back);
    EXPECT_TRUE(Presets);
    EXPECT_EQ(Texts(Catcher), GetLangText(1, 123) + u"|");
    EXPECT_EQ(Editor(0).Value(), 283);
    EXPECT_EQ(Editor(1).Value(), 283);
    EXPECT_EQ(Editor(4).Value(), UnitMillimetres);
    EXPECT_EQ(Editor(3).Value(), 2);
}

TEST_F(ImageDialogs, NewImageAcceptsSixThousandByFiveThousandAndCancelKeepsNothing)
{
    {
        TfrmImageNew Dlg(nullptr, nullptr, nullptr);
        Place(Dlg);
        WhenModal(&Dlg, [&] {
            TypeInto(Dlg.editWidth, u"6000");
            TypeInto(Dlg.editHeight, u"5000");
            Click(ScreenCentre(Dlg.btnCancel));
        });
        EXPECT_EQ(Dlg.ShowModal(), mrCancel);
    }
    EXPECT_EQ(Editor(0).Value(), 600);
    TfrmImageNew Dlg(nullptr, nullptr, nullptr);
    Place(Dlg);
    WhenModal(&Dlg, [&] {
        TypeInto(Dlg.editWidth, u"6000");
        TypeInto(Dlg.editHeight, u"5000");
        Click(ScreenCentre(Dlg.btnOk));
    });
    EXPECT_EQ(Dlg.ShowModal(), mrOk);
    EXPECT_EQ(Editor(0).Value(), 6000);
    EXPECT_EQ(Editor(1).Value(), 5000);
}

TEST_F(ImageDialogs, NewImagePatternMustBeChosenAndAnEmptyPictureIsRefused)
{
    // A bitmap file of 0 x 0 pixels.
    const String Empty = Dir / u"empty.bmp";
    {
        unsigned char H[54] = {'B', 'M', 54, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0};
        H[26] = 1;   // planes
        H[28] = 24;  // bits
        std::ofstream(UTF8Encode(Empty), std::ios::binary).write(reinterpret_cast<const char*>(H), sizeof H);
    }
    const String Good = PictureFile(u"tile.bmp", 7, 5);
    TfrmImageNew Dlg(nullptr, nullptr, nullptr);
    Place(Dlg);
    String Asked = u"none";
    Dlg.ChooseFile = [&](const String& Start) {
        Asked = Start;
        return Dlg.Tag() == 0 ? Empty : Good;
    };
    guitest::TMessageBoxCatcher Catcher;
    bool PatternShown = false, EmptyKept = false;
    WhenModal(&Dlg, [&] {
        Click(ScreenCentre(Dlg.rbPattern));
        PatternShown = Dlg.mbPattern->Visible() && Dlg.btnSelectPattern->Visible() && !Dlg.cbNewColor->Visible();
        Click(ScreenCentre(Dlg.btnOk));  // no pattern yet
        guitest::PumpUntil([&] { return Catcher.Boxes().size() == 1; });
        Click(ScreenCentre(Dlg.btnSelectPattern));  // the empty picture
        guitest::PumpUntil([&] { return Catcher.Boxes().size() == 2; });
        EmptyKept = NewImagePattern() == nullptr && Editor(42).Text().empty();
        Dlg.SetTag(1);
        Click(ScreenCentre(Dlg.btnSelectPattern));
        guitest::PumpUntil([&] { return NewImagePattern() != nullptr; });
        Click(ScreenCentre(Dlg.btnOk));
    });
    EXPECT_EQ(Dlg.ShowModal(), mrOk);
    EXPECT_TRUE(PatternShown);
    EXPECT_TRUE(EmptyKept);
    EXPECT_EQ(Texts(Catcher), GetLangText(1, 131) + u"|" + GetLangText(1, 395) + u"|");
    ASSERT_NE(NewImagePattern(), nullptr);
    EXPECT_EQ(NewImagePattern()->Width(), 7);
    EXPECT_EQ(UnescapeCellText(Editor(42).Text()), ExtractFilePath(Good));
    EXPECT_EQ(Editor(3).Value(), 1);
    // The preview tiles the pattern from its top-left corner.
    EXPECT_EQ(Dlg.imgPattern->Bitmap()->Pixel(8, 6), 0xFF3366CC);
}

TEST_F(ImageDialogs, NewImageFromTheClipboardTakesItsSizeAndDisablesTheRest)
{
    {
        TfrmImageNew Dlg(nullptr, nullptr, nullptr);
        EXPECT_FALSE(Dlg.chkFromClipboard->Enabled() && !Clipboard()->HasFormat(CF_BITMAP));
    }
    TBitmap B;
    B.SetSize(123, 45);
    Clipboard()->Assign(&B);
    TfrmImageNew Dlg(nullptr, nullptr, nullptr);
    Place(Dlg);
    EXPECT_TRUE(Dlg.chkFromClipboard->Enabled());
    bool Taken = false;
    WhenModal(&Dlg, [&] {
        Click(ScreenCentre(Dlg.chkFromClipboard));
        Taken = Dlg.chkFromClipboard->Checked() && Dlg.cbPresets->ItemIndex() == 1 &&
                Dlg.editWidth->Value() == 123 && Dlg.editHeight->Value() == 45 && !Dlg.editWidth->Enabled() &&
                !Dlg.rbPattern->Enabled() && !Dlg.cbNewColor->Visible();
        Click(ScreenCentre(Dlg.btnOk));
    });
    EXPECT_EQ(Dlg.ShowModal(), mrOk);
    EXPECT_TRUE(Taken);
}

class ImageCanvasDialogs : public ImageDialogs, protected TProcessingDocument {};

TEST_F(ImageCanvasDialogs, MarginsGiveTheCanvasAndAnEmptyOrHugeOneIsRefused)
{
    Make(600, 400);
    TfrmImageCanvas Dlg(nullptr, nullptr, nullptr, *Doc);
    Place(Dlg);
    EXPECT_TRUE(Dlg.chkRelativePosition->Checked());
    EXPECT_TRUE(Dlg.editLeft->Visible());
    EXPECT_FALSE(Dlg.editCanvasWidth->Visible());
    EXPECT_EQ(Dlg.MarginLeft(), 0);
    EXPECT_EQ(Dlg.lblTop->Top(), Dlg.editCanvasWidth->Top() - 10);
    EXPECT_EQ(Dlg.editTop->Top(), Dlg.lblTop->Top() + 21);
    guitest::TMessageBoxCatcher Catcher;
    WhenModal(&Dlg, [&] {
        TypeInto(Dlg.editLeft, u"-300");
        TypeInto(Dlg.editRight, u"-300");
        Click(ScreenCentre(Dlg.btnOk));  // no width left
        guitest::PumpUntil([&] { return Catcher.Boxes().size() == 1; });
        TypeInto(Dlg.editLeft, u"10");
        TypeInto(Dlg.editRight, u"10");
        TypeInto(Dlg.editTop, u"-20");
        Click(ScreenCentre(Dlg.chkCanvasTransparent));
        Click(ScreenCentre(Dlg.btnOk));
    });
    EXPECT_EQ(Dlg.ShowModal(), mrOk);
    EXPECT_EQ(Texts(Catcher), GetLangText(1, 395) + u"|");
    EXPECT_EQ(RelativeCanvas(600, 400, Dlg.MarginLeft(), Dlg.MarginRight(), Dlg.MarginTop(), Dlg.MarginBottom()),
              (TCanvasChange{620, 380, 10, -20}));
    EXPECT_TRUE(Doc->DT()->GetProp(ObjProp::CanvasTransparent)->AsBool());
    EXPECT_FALSE(Dlg.cbCanvasColor->DrawColorMarker());
}

TEST_F(ImageCanvasDialogs, AbsoluteSizeIsCheckedAndAColourUnticksTransparent)
{
    Make(600, 400);
    Doc->DT()->GetProp(ObjProp::CanvasTransparent)->SetAsBool(true);
    TfrmImageCanvas Dlg(nullptr, nullptr, nullptr, *Doc);
    Place(Dlg);
    EXPECT_TRUE(Dlg.chkCanvasTransparent->Checked());
    EXPECT_FALSE(Dlg.cbCanvasColor->DrawColorMarker());
    guitest::TMessageBoxCatcher Catcher;
    bool Absolute = false;
    WhenModal(&Dlg, [&] {
        Click(ScreenCentre(Dlg.chkRelativePosition));
        Absolute = Dlg.editCanvasWidth->Visible() && !Dlg.editLeft->Visible();
        TypeInto(Dlg.editCanvasWidth, u"10000");
        TypeInto(Dlg.editCanvasHeight, u"3001");
        Click(ScreenCentre(Dlg.btnOk));
        guitest::PumpUntil([&] { return Catcher.Boxes().size() == 1; });
        TypeInto(Dlg.editCanvasWidth, u"800");
        TypeInto(Dlg.editCanvasHeight, u"600");
        Dlg.cbCanvasColor->SetColorValue(0x0000FF);
        Click(ScreenCentre(Dlg.btnOk));
    });
    EXPECT_EQ(Dlg.ShowModal(), mrOk);
    EXPECT_TRUE(Absolute);
    EXPECT_EQ(Texts(Catcher), GetLangText(1, 123) + u"|");
    EXPECT_EQ(AbsoluteCanvas(600, 400, Dlg.FCanvasWidth, Dlg.FCanvasHeight), (TCanvasChange{800, 600, 100, 100}));
    EXPECT_FALSE(Dlg.chkCanvasTransparent->Checked());
    EXPECT_TRUE(Dlg.cbCanvasColor->DrawColorMarker());
    EXPECT_EQ(Doc->DT()->GetProp(ObjProp::CanvasColor)->Value(), 0x0000FF);
    EXPECT_FALSE(Doc->DT()->GetProp(ObjProp::CanvasTransparent)->AsBool());
}

TEST_F(ImageDialogs, ImageSizeKeepsTheRatioAndTheExactPixelsAcrossUnits)
{
    TfrmImageSize Dlg(nullptr, nullptr, 600, 400);
    Place(Dlg);
    EXPECT_TRUE(Dlg.chkPreserveRatio->Checked());
    bool Width = false, Height = false, Units = false;
    WhenModal(&Dlg, [&] {
        TypeInto(Dlg.editImageWidth, u"300");
        Width = Dlg.FImageWidth == 300 && Dlg.FImageHeight == 200 && Dlg.editImageHeight->Value() == 200;
        TypeInto(Dlg.editImageHeight, u"101");
        Height = Dlg.FImageHeight == 101 && Dlg.FImageWidth == 152 && Dlg.editImageWidth->Value() == 152;
        // Untick, tick again: back to the raster's size in pixels.
        Click(ScreenCentre(Dlg.chkPreserveRatio));
        Click(ScreenCentre(Dlg.chkPreserveRatio));
        Dlg.cbImageUnit->SetItemIndex(UnitMillimetres);
        Dlg.cbImageUnit->SetItemIndex(UnitPixels);
        Units = Dlg.FImageWidth == 600 && Dlg.FImageHeight == 400 && Dlg.editImageWidth->Text() == u"600";
        Dlg.cbImageUnit->SetItemIndex(UnitInches);
        Click(ScreenCentre(Dlg.btnOk));
    });
    EXPECT_EQ(Dlg.ShowModal(), mrOk);
    EXPECT_TRUE(Width);
    EXPECT_TRUE(Height);
    EXPECT_TRUE(Units);
    EXPECT_EQ(Editor(6).Value(), UnitInches);
}

TEST_F(ImageDialogs, ImageSizeRefusesASideRoundedToNothing)
{
    TfrmImageSize Dlg(nullptr, nullptr, 1000, 1);
    Place(Dlg);
    guitest::TMessageBoxCatcher Catcher;
    WhenModal(&Dlg, [&] {
        TypeInto(Dlg.editImageWidth, u"1");
        Click(ScreenCentre(Dlg.btnOk));
        guitest::PumpUntil([&] { return Catcher.Boxes().size() == 1; });
        Click(ScreenCentre(Dlg.btnCancel));
    });
    EXPECT_EQ(Dlg.ShowModal(), mrCancel);
    EXPECT_EQ(Dlg.FImageHeight, 0);
    EXPECT_EQ(Texts(Catcher), GetLangText(1, 395) + u"|");
}

TEST_F(ImageDialogs, WatermarkStoresTheAngleOnOkAndNothingOnCancel)
{
    const String Picture = PictureFile(u"mark.bmp", 40, 30);
    WM(11).SetText(EscapeCellText(Picture));
    TRecordingServices Main;
    {
        TfrmImageWatermark Dlg(nullptr, nullptr, &Main);
        Place(Dlg);
        EXPECT_FALSE(Dlg.chkEnable->Checked());
        EXPECT_FALSE(Dlg.pnlWMImage->Visible());
        EXPECT_TRUE(Main.Calls.empty());
        bool Shown = false, Tiled = false;
        WhenModal(&Dlg, [&] {
            Click(ScreenCentre(Dlg.chkEnable));
            Shown = Dlg.pnlWMImage->Visible() && !Main.Calls.empty() && Main.Calls.back().Enabled &&
                    Main.Calls.back().Place == 3 && Main.Calls.back().ED1 == 10 && Main.Calls.back().Opacity == 127;
            Click(ScreenCentre(Dlg.rbLocationType2));
            Tiled = Dlg.FLocationType == 1 && Dlg.editDistance1->Value() == 50 && Dlg.editDistance2->Value() == 50 &&
                    Dlg.editDistance1->MaxValue() == 999 && Dlg.editDistance1->MinValue() == 0 &&
                    !Dlg.cbLocation->Visible() && Dlg.lblDistance1->Top() == 105;
            Click(ScreenCentre(Dlg.rbLocationType1));
            Dlg.sliderAngle->SetValue(-30);
            Click(ScreenCentre(Dlg.btnOk));
        });
        EXPECT_EQ(Dlg.ShowModal(), mrOk);
        EXPECT_TRUE(Shown);
        EXPECT_TRUE(Tiled);
        EXPECT_EQ(Dlg.lblAngle->Caption(), u"-30°");
        EXPECT_EQ(Dlg.lblOpacity->Caption(), u"50%");
        EXPECT_EQ(Main.Calls.back().Angle, -30);
    }
    EXPECT_EQ(WM(8).Value(), 330);
    EXPECT_TRUE(WM(0).AsBool());
    EXPECT_EQ(WM(2).Value(), 0);

    // Shown as -30 again; a margin and the place type changed, then Cancel:
    // nothing of it is stored.
    TfrmImageWatermark Dlg(nullptr, nullptr, &Main);
    Place(Dlg);
    EXPECT_EQ(Dlg.sliderAngle->Value(), -30);
    EXPECT_TRUE(Dlg.pnlWMImage->Visible());
    WhenModal(&Dlg, [&] {
        TypeInto(Dlg.editDistance1->Edit(), u"25");
        Click(ScreenCentre(Dlg.rbLocationType2));
        Click(ScreenCentre(Dlg.btnCancel));
    });
    EXPECT_EQ(Dlg.ShowModal(), mrCancel);
    EXPECT_EQ(WM(4).Value(), 10);
    EXPECT_EQ(WM(2).Value(), 0);
}

TEST_F(ImageDialogs, WatermarkRefusesAMissingOrTooLargePicture)
{
    const String Big = PictureFile(u"big.bmp", 1500, 1500);
    const String Small = PictureFile(u"small.bmp", 20, 10);
    WM(11).SetText(EscapeCellText(Dir / u"gone.png"));
    TRecordingServices Main;
    TfrmImageWatermark Dlg(nullptr, nullptr, &Main);
    Place(Dlg);
    Dlg.ChooseFile = [&](const String&) { return Dlg.Tag() == 0 ? Big : Small; };
    guitest::TMessageBoxCatcher Catcher;
    String AfterBig;
    WhenModal(&Dlg, [&] {
        Click(ScreenCentre(Dlg.chkEnable));
        Click(ScreenCentre(Dlg.btnOk));  // the file is gone
        guitest::PumpUntil([&] { return Catcher.Boxes().size() == 1; });
        Click(ScreenCentre(Dlg.btnFile));
        guitest::PumpUntil([&] { return Catcher.Boxes().size() == 2; });
        AfterBig = Dlg.editFile->Text();
        Dlg.SetTag(1);
        Click(ScreenCentre(Dlg.btnFile));
        guitest::PumpUntil([&] { return Dlg.editFile->Text() == Small; });
        Click(ScreenCentre(Dlg.btnOk));
    });
    EXPECT_EQ(Dlg.ShowModal(), mrOk);
    EXPECT_EQ(Texts(Catcher), GetLangText(3, 26) + u"|" + GetLangText(1, 381) + u"|");
    EXPECT_EQ(AfterBig, Dir / u"gone.png");
    EXPECT_EQ(UnescapeCellText(WM(11).Text()), Small);
    EXPECT_EQ(UnescapeCellText(Editor(40).Text()), ExtractFilePath(Small));
    EXPECT_EQ(Main.Calls.back().File, Small);
}

}  // namespace
