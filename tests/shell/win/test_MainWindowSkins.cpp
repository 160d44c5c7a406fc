// The main window's skins and languages on a real window: the skin menu
// offers the skins whose files exist (the stored one always) and checks the
// current one; choosing a skin loads it and repaints the program's panels in
// its colours, the window showing again; a skin file that vanished after the
// menu opened leaves the window as it was; the captions, title and label
// places follow the language column. Screenshots of the window in the four
// skins and both languages are kept as test output.
#include <gtest/gtest.h>

#include "ScopedEnv.h"
#include "SkinControlTestEnv.h"
#include "TempFolder.h"

#include "document/win/ImageDraw_Win.h"
#include "foundation/HyDataTable.h"
#include "foundation/win/Global_Win.h"
#include "framework/controls/win/GuiTest.h"
#include "shell/MainTexts.h"
#include "shell/SkinChoice.h"
#include "shell/win/MainLocale.h"
#include "shell/win/MainTray.h"
#include "shell/win/EditorCommands.h"
#include "framework/controls/win/Menus.h"
#include <functional>
#include <map>
#include "shell/win/StylePanel.h"
#include "shell/win/ColorHandlers.h"
#include "shell/win/OpenDocuments.h"
#include "document/ImageDraw.h"
#include "skin/controls/win/sfColorCtrls.h"
#include "shell/win/ToolPanels.h"
#include "shell/win/CanvasInput.h"
#include "Component/Raster32/win/Ras32_Image.h"
#include "foundation/HyPresets.h"
#include "shell/win/ZezavEzazerForm.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/model/SFResStrData.h"
#include "skin/model/SFSkinData.h"

namespace {

class MainWindowSkins : public testing::Test {
protected:
    TTempFolder Data{u"lm_mainskin_"};
    TScopedEnv EnvAppData{u"APPDATA", Data / u"AppData"};
    TfrmZezavEzazer* Form = nullptr;

    static void SetUpTestSuite()
    {
        InstallSkinDataWin();
        InstallImageDrawHooks();
    }

    // The window made as the program makes it, in the language of Column and
    // with the skin named in the settings.
    void Open(Integer Column, const String& Skin = u"Rire")
    {
        ForceDirectories(Data / u"AppData");
        InitGlobals(u"LumatraStd", 5, Data.Path());
        ConfigTable->GetProp(1)->SetValue(Column == 0 ? 936 : 1252);
        ConfigTable->GetProp(2)->SetText(Skin);
        ConfigTable->Save();
        DoneGlobals();
        InitGlobals(u"LumatraStd", 5, Data.Path());
        LoadLangTable();
        ASSERT_EQ(LangColumn, Column);
        Form = new TfrmZezavEzazer(Application);
        Form->Show();
        guitest::Pump();
    }
    void TearDown() override
    {
        delete Form;
        DoneGlobals();
    }
    TMainLocale& Locale() { return Form->Locale(); }
    void PopupProgramMenu()
    {
        // What the menu does as it opens, without holding the test in its loop.
        Locale().pmMenu->OnPopup(Locale().pmMenu);
    }
    String Caption(const String& Name) { return dynamic_cast<TControl*>(Form->FindComponent(Name))->Caption(); }
};

TEST_F(MainWindowSkins, TheSkinMenuOffersTheSkinsWithFilesAndChecksTheCurrentOne)
{
    Open(2);
    EXPECT_EQ(Form->SkinData()->SkinName, u"Rire");
    PopupProgramMenu();
    for (Integer I = 0; I < 4; ++I) EXPECT_TRUE(Locale().muSkinItems[I]->Enabled()) << I;
    EXPECT_TRUE(Locale().muSkinItems[2]->Checked());
    EXPECT_FALSE(Locale().muSkinItems[0]->Checked());
    // The hidden language menu checks the column's item.
    EXPECT_FALSE(Locale().muLanguage->Visible());
    EXPECT_TRUE(Locale().muLangItems[2]->Checked());
    EXPECT_FALSE(Locale().muLangItems[0]->Checked());

    // A program folder without skin files offers the stored skin only.
    const String Saved = ProgramFolder;
    ProgramFolder = Data.Path();
    PopupProgramMenu();
    EXPECT_FALSE(Locale().muSkinItems[0]->Enabled());
    EXPECT_FALSE(Locale().muSkinItems[1]->Enabled());
    EXPECT_TRUE(Locale().muSkinItems[2]->Enabled());
    EXPECT_FALSE(Locale().muSkinItems[3]->Enabled());
    ProgramFolder = Saved;
}

TEST_F(MainWindowSkins, ChoosingASkinLoadsItAndPaintsThePanelsInItsColours)
{
    Open(2);
    TsfSkinPanel* Style = dynamic_cast<TsfSkinPanel*>(Form->FindComponent(u"pnlStyle"));
    ASSERT_NE(Style, nullptr);
    EXPECT_EQ(Style->Color(), SkinChoice::BackColors[2]);
    Integer Changed = 0;
    Locale().OnSkinChanged = [&](TObject*) { ++Changed; };
    PopupProgramMenu();
    Locale().muSkinItems[3]->Click();
    EXPECT_EQ(Form->SkinData()->SkinName, u"Cool");
    EXPECT_EQ(ConfigTable->GetProp(2)->Text(), u"Cool");
    EXPECT_EQ(Locale().SkinIndex(), 3);
    EXPECT_EQ(Style->Color(), SkinChoice::BackColors[3]);
    EXPECT_TRUE(Form->Visible());
    EXPECT_EQ(Changed, 1);

    // Choosing the current skin again neither hides nor reloads.
    PopupProgramMenu();
    EXPECT_TRUE(Locale().muSkinItems[3]->Checked());
    Locale().muSkinItems[3]->Click();
    EXPECT_EQ(Changed, 1);

    // Back to the stored skin.
    Locale().muSkinItems[2]->Click();
    EXPECT_EQ(Form->SkinData()->SkinName, u"Rire");
    EXPECT_EQ(Changed, 2);
}

TEST_F(MainWindowSkins, ASkinFileThatVanishedAfterTheMenuOpenedLeavesTheWindowShown)
{
    // The skins are copied into a program folder of the test's own, so that
    // one can go away.
    const String Saved = ProgramFolder;
    Open(2);
    ForceDirectories(Data / u"Skin");
    for (const char16_t* Name : {u"Charm", u"Laconic", u"Cool"})
        ASSERT_TRUE(CopyFileW(WStr(Saved + u"Skin\\" + Name + u".skn"), WStr(Data / (u"Skin\\" + String(Name) + u".skn")),
                              FALSE));
    ProgramFolder = Data.Path();
    PopupProgramMenu();
    EXPECT_TRUE(Locale().muSkinItems[1]->Enabled());
    DeleteFile(Data / u"Skin\\Laconic.skn");
    Locale().muSkinItems[1]->Click();
    EXPECT_TRUE(Form->Visible());
    EXPECT_EQ(Form->SkinData()->SkinName, u"Rire");
    EXPECT_EQ(ConfigTable->GetProp(2)->Text(), u"Rire");
    EXPECT_FALSE(Locale().muSkinItems[1]->Enabled());
    ProgramFolder = Saved;
}

TEST_F(MainWindowSkins, TheStoredSkinNamedInLowerCaseIsLookedForAsAFile)
{
    const String Saved = ProgramFolder;
    Open(2);
    // A skin file of that lower-case name (another skin's pictures) is what
    // loads; the menu still checks the stored skin's item.
    ForceDirectories(Data / u"Skin");
    ASSERT_TRUE(CopyFileW(WStr(Saved + u"Skin\\Cool.skn"), WStr(Data / u"Skin\\rire.skn"), FALSE));
    ProgramFolder = Data.Path();
    Locale().LoadSkin(u"rire");
    EXPECT_EQ(Form->SkinData()->SkinName, u"Cool");
    EXPECT_EQ(ConfigTable->GetProp(2)->Text(), u"rire");
    EXPECT_EQ(Locale().SkinIndex(), 2);
    PopupProgramMenu();
    EXPECT_TRUE(Locale().muSkinItems[2]->Checked());
    // A name outside the skin table changes nothing.
    Locale().LoadSkin(u"Autumn");
    EXPECT_EQ(ConfigTable->GetProp(2)->Text(), u"rire");
    ProgramFolder = Saved;
}

TEST_F(MainWindowSkins, EnglishCaptionsTitleAndLabelPlaces)
{
    Open(2);
    // The window's title ends with the application title (the document's name comes first).
    EXPECT_EQ(EditionTitle, u"Image Editor - Quorvan Lumatra Standard");
    EXPECT_TRUE(EndsStr(EditionTitle, Form->Caption())) << UTF8Encode(Form->Caption());
    EXPECT_EQ(Caption(u"btnMenu"), u"Menu");
    EXPECT_EQ(Locale().muSkin->Caption(), u"Skins");
    EXPECT_EQ(Locale().muSkinItems[0]->Caption(), u"Charm");
    EXPECT_EQ(Form->Tray().TrayIcon1->Hint(), EditionTitle);
    EXPECT_EQ(Form->Font()->Name(), u"Tahoma");
    EXPECT_TRUE(Form->SkinForm()->UseSkinFontInCaption);
    EXPECT_EQ(Form->SkinForm()->DefCaptionFont()->Name(), u"Arial");
    EXPECT_EQ(Form->SkinData()->ResourceStrData()->GetResStr(u"MI_CLOSECAPTION"), u"&Close");
}

TEST_F(MainWindowSkins, ChineseCaptionsFontsAndSkinTextsWithCodePage936)
{
    Open(0);
    EXPECT_EQ(EditionTitle, u"图像编辑 - 阔文卢玛特拉标准版");
    EXPECT_TRUE(EndsStr(EditionTitle, Form->Caption()));
    EXPECT_EQ(Caption(u"btnMenu"), u"菜单");
    EXPECT_EQ(Locale().muSkin->Caption(), u"皮肤");
    EXPECT_EQ(Form->Font()->Name(), u"微软雅黑");
    EXPECT_FALSE(Form->SkinForm()->UseSkinFontInCaption);
    EXPECT_EQ(Form->SkinForm()->DefCaptionFont()->Size(), 9);
    EXPECT_EQ(Form->SkinData()->ResourceStrData()->GetResStr(u"MI_CLOSECAPTION"), u"关闭(&C)");
    EXPECT_EQ(Form->SkinData()->ResourceStrData()->CharSet(), 134);
    PopupProgramMenu();
    EXPECT_TRUE(Locale().muLangItems[0]->Checked());
}

// Every item of the canvas and tool-button menus reads in both languages
// (separators and the crop sizes, which take their numbers later, aside),
// and the two languages differ.
TEST_F(MainWindowSkins, EveryEditRotatePasteCopyAndMoreItemHasACaptionInBothLanguages)
{
    std::map<String, String> English;
    for (Integer Column : {2, 0}) {
        Open(Column);
        TEditorCommands& Commands = Form->Commands();
        Integer Seen = 0;
        std::function<void(TMenuItem*)> Walk = [&](TMenuItem* Parent) {
            for (Integer I = 0; I < Parent->Count(); ++I) {
                TMenuItem* Item = Parent->Items(I);
                const String Name = Item->Name();
                if (Item->Caption() != u"-" && !StartsStr(u"muCropSize", Name) && !StartsStr(u"muCropRatio", Name) &&
                    Name != u"muShowRulers") {
                    ++Seen;
                    EXPECT_FALSE(Item->Caption().empty()) << UTF8Encode(Name) << " in column " << Column;
                    if (Column == 2)
                        English[Name] = Item->Caption();
                    else if (!Item->Caption().empty())
                        EXPECT_NE(Item->Caption(), English[Name]) << UTF8Encode(Name);
                }
                Walk(Item);
            }
        };
        for (TPopupMenu* Menu : {static_cast<TPopupMenu*>(Commands.pmEdit), static_cast<TPopupMenu*>(Commands.pmRotate),
                                 static_cast<TPopupMenu*>(Commands.pmPaste), static_cast<TPopupMenu*>(Commands.pmCopy),
                                 static_cast<TPopupMenu*>(Commands.pmMore)})
            Walk(Menu->Items());
        EXPECT_GT(Seen, 60);
        delete Form;
        Form = nullptr;
        DoneGlobals();
    }
    EXPECT_EQ(English[u"muAlignLeft"], u"Align Left");
    EXPECT_EQ(English[u"muLockGuides"], u"Lock the Guides");
}

// The window in each skin and language, as test output (not compared).
TEST_F(MainWindowSkins, ScreenshotsInEverySkinAndBothLanguages)
{
    for (Integer Column : {2, 0}) {
        Open(Column);
        for (Integer Row : {2, 0, 1, 3}) {
            Locale().muSkinItems[Row]->Click();
            guitest::Pump();
            const String Name = SkinTable->GetItem(Row)->GetItem(0)->Text();
            EXPECT_EQ(Form->SkinData()->SkinName, Name);
            skintest::SaveScreenshot(TRect{Form->Left(), Form->Top(), Form->Left() + Form->Width(),
                                           Form->Top() + Form->Height()},
                                     u"MainWindow_" + Name + (Column == 0 ? u"_zh" : u"_en"));
        }
        delete Form;
        Form = nullptr;
        DoneGlobals();
    }
}

}  // namespace

namespace {

// The style strip in the window: the polygon tool's fifteen styles, a click
// on one with the real pointer makes it the tool's style (framed navy), the
// hovered one is framed red; a tool without styles hides them all.
TEST_F(MainWindowSkins, TheStyleStripShowsTheToolsStylesAndTakesAClick)
{
    Open(2);
    TStylePanel& Styles = Form->StylePanel();
    Form->ToolPanels().SelectTool(shPolygon);
    guitest::Pump();
    Integer Shown = 0;
    for (Integer I = 0; I < StylePreviews::ImageCount; ++I) Shown += Styles.Image(I)->Visible();
    EXPECT_EQ(Shown, 15);
    EXPECT_EQ(Styles.Image(0)->Tag(), 0);
    EXPECT_EQ(Styles.Image(1)->Tag(), 5);

    // Only the first row shows; click the third image of it.
    TImage32* Third = Styles.Image(2);
    const TPoint Centre = Third->ClientToScreen(TPoint{26, 31});
    guitest::MovePointer(Centre);
    guitest::LeftButton(true);
    guitest::LeftButton(false);
    ASSERT_TRUE(guitest::PumpUntil([&] { return Form->ToolPanels().Tools().ShapeStyleId() == Third->Tag(); }));
    EXPECT_EQ(Form->CanvasInput().Tool().StyleId, Third->Tag());
    EXPECT_EQ(PropertyTable->GetItem(shPolygon)->GetItem(24)->Value(), Third->Tag());
    // The click redraws the strip: the chosen style framed navy.
    const TPoint Corner = Third->ClientToScreen(TPoint{0, 0});
    EXPECT_TRUE(guitest::PumpUntil([&] { return guitest::ScreenPixelNow(Corner.X, Corner.Y) == RGB(0, 0, 0x80); }));
    // The pointer over the first image frames it red; leaving it clears the frame.
    const TPoint First = Styles.Image(0)->ClientToScreen(TPoint{0, 0});
    guitest::MovePointer(Styles.Image(0)->ClientToScreen(TPoint{26, 31}));
    EXPECT_TRUE(guitest::PumpUntil([&] { return guitest::ScreenPixelNow(First.X, First.Y) == RGB(0xFF, 0, 0); }));
    guitest::MovePointer(Form->ClientToScreen(TPoint{Form->ClientWidth() / 2, Form->ClientHeight() / 2}));
    EXPECT_TRUE(guitest::PumpUntil([&] { return guitest::ScreenPixelNow(First.X, First.Y) == RGB(0xE3, 0xE6, 0xE8); }));
    EXPECT_EQ(guitest::ScreenPixel(Corner.X, Corner.Y), RGB(0, 0, 0x80));
    skintest::SaveScreenshot(Form->pnlStyles, u"MainWindow_PolygonStyles");

    Form->ToolPanels().SelectTool(shPencil);
    guitest::Pump();
    for (Integer I = 0; I < StylePreviews::ImageCount; ++I) EXPECT_FALSE(Styles.Image(I)->Visible()) << I;
}

}  // namespace

namespace {

// The colour buttons' shared handlers on the window: the outline button's
// drop-down opens, the grid reports its item 0 under the pointer (message
// 0x40B, as the grid sends it) and the selected rectangle loses its outline;
// the drop-down closing without a choice gives it back with its colour. The
// custom colours one button's dialog keeps are offered by another.
TEST_F(MainWindowSkins, TheColourGridPreviewsOnTheSelectionAndTheCloseRestoresIt)
{
    Open(2);
    TImageDraw* Doc = Form->Documents().Live();
    ASSERT_NE(Doc, nullptr);
    Form->ToolPanels().SelectTool(shRectangle);
    // A rectangle drawn by a drag on the canvas, selected after it.
    auto Screen = [&](TPoint P) { return Form->Image->ClientToScreen(Form->Image->BitmapToControl(P)); };
    guitest::MovePointer(Screen({20, 20}));
    guitest::LeftButton(true);
    guitest::PumpUntil([&] { return Doc->LeftMouseDown(); }, 1000);
    guitest::MovePointer(Screen({70, 50}));
    guitest::MovePointer(Screen({120, 80}));
    guitest::LeftButton(false);
    guitest::PumpUntil([&] { return !Doc->LeftMouseDown(); }, 1000);
    guitest::Pump();
    TImgShape* Rect = Doc->Shape();
    ASSERT_NE(Rect, nullptr);
    Doc->SelectShape(selAll, -1);
    ASSERT_EQ(Doc->ObjectSelectedCount(), 1);
    Rect->SetColor(0x0000FF);
    Rect->SetIsOutline(true);
    Integer Undo = Doc->ActionDT() ? Doc->ActionDT()->ItemCount() : 0;

    auto* Outline = dynamic_cast<TsfSkinColorButton*>(Form->FindComponent(u"clColor"));
    ASSERT_NE(Outline, nullptr);
    Outline->SetDrawColorMarker(true);
    Outline->SetColorValue(0x0000FF);
    Outline->OnShowTrackMenu(Outline);
    EXPECT_EQ(Form->ColorHandlers().ColorButtonName(), u"clColor");
    SendMessageW(Form->Handle(), 0x40B, 0xFFFFFF, 0);  // item 0: no colour
    EXPECT_FALSE(Rect->IsOutline());
    SendMessageW(Form->Handle(), 0x40B, 0x00FF00, 5);
    EXPECT_TRUE(Rect->IsOutline());
    EXPECT_EQ(Rect->Color(), 0x00FF00);
    SendMessageW(Form->Handle(), 0x40B, 0xFFFFFF, 0);
    EXPECT_FALSE(Rect->IsOutline());
    // Escape: the drop-down closes without a choice.
    Outline->SetDialogFormLeft(321);
    Outline->SetDialogFormTop(123);
    Outline->OnHideTrackMenu(Outline);
    EXPECT_TRUE(Rect->IsOutline());
    EXPECT_EQ(Rect->Color(), 0x0000FF);
    EXPECT_EQ(ConfigTable->GetItem(1)->GetItem(9)->Value(), 321);
    EXPECT_EQ(ConfigTable->GetItem(1)->GetItem(10)->Value(), 123);
    // No undo step for previews.
    EXPECT_EQ(Doc->ActionDT() ? Doc->ActionDT()->ItemCount() : 0, Undo);

    // Custom colours kept by the fill button's dialog reach the outline button.
    auto* Fill = dynamic_cast<TsfSkinColorButton*>(Form->FindComponent(u"clFillColor"));
    ASSERT_NE(Fill, nullptr);
    TsfCustomColors Mine;
    Mine.Add(0x112233);
    Mine.Add(0x445566);
    Fill->SetCustomColors(Mine);
    Fill->OnColorDialogClose(Fill);
    EXPECT_EQ(ConfigTable->GetItem(1)->GetItem(11)->Text(), u"1122867.4478310");
    Outline->OnShowTrackMenu(Outline);
    EXPECT_EQ(Outline->CustomColors().Count, 2);
    EXPECT_EQ(Outline->CustomColors().Values[1], 0x445566);
    EXPECT_EQ(Outline->DialogFormLeft(), 321);
    // A choice clears the name: the close then keeps what was chosen.
    Outline->OnChangeColor(Outline);
    EXPECT_TRUE(Form->ColorHandlers().ColorButtonName().empty());
}

}  // namespace
