// The tools' option panels on the real main window with real input: the
// text panel shows for a text object, filled from the tool's row, its
// stroke buttons exclude each other and its template buttons replace the
// whole text; the selection panel follows the selection style and feathers
// the selection through its dialog; the free shape's node buttons follow
// node editing; the option panel takes its place on the bar.
#include <gtest/gtest.h>

#include "MainWindowFixture.h"

#include "../../dialogs/win/DialogTest.h"

#include "Component/Raster32/win/Ras32_Image.h"
#include "dialogs/TextTemplates.h"
#include "dialogs/win/FeatherAmountForm.h"
#include "dialogs/win/HyControls.h"
#include "document/ImageDraw.h"
#include "document/ImageFreeShape.h"
#include "document/ImageSelection.h"
#include "document/ImageText.h"
#include "foundation/HyPresets.h"
#include "framework/controls/win/StdCtrls.h"
#include "framework/graphics/win/PngImage.h"
#include "shell/win/CanvasInput.h"
#include "shell/win/MainLayout.h"
#include "shell/win/NoticeForms.h"
#include "shell/win/OpenDocuments.h"
#include "shell/win/PresetPanel.h"
#include "shell/win/PropertyPanels.h"
#include "shell/win/ToolPanels.h"
#include "shell/win/ZezavEzazerForm.h"
#include "skin/controls/SkinClock.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/controls/win/sfColorCtrls.h"
#include "skin/frame/win/SkinMenus.h"
#include "framework/controls/win/Menus.h"

namespace {

// A part of the screen kept as test output (not compared).
void SaveScreenshot(const TRect& R, const String& Name)
{
    CreateDir(u"screenshots");
    TBitmap Bmp;
    Bmp.SetPixelFormat(pf24bit);
    Bmp.SetSize(R.Width(), R.Height());
    guitest::Pump();
    HDC Screen = GetDC(nullptr);
    BitBlt(Bmp.Canvas()->Handle(), 0, 0, R.Width(), R.Height(), Screen, R.Left, R.Top, SRCCOPY);
    ReleaseDC(nullptr, Screen);
    TPngImage Png;
    Png.Assign(&Bmp);
    Png.SaveToFile(u"screenshots/" + Name + u".png");
}

void RightButton(bool Down)
{
    INPUT In = {};
    In.type = INPUT_MOUSE;
    In.mi.dwFlags = Down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    SendInput(1, &In, sizeof(INPUT));
}

class MainWindowPanels : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        if (HasFatalFailure()) return;
        ViewAtFullSize();
    }
    TToolPanels& Tools() { return Form->ToolPanels(); }
    TPropertyPanels& Panels() { return Form->PropertyPanels(); }
    TPoint Screen(TPoint Image) { return Form->Image->ClientToScreen(Form->Image->BitmapToControl(Image)); }
    void ClickButton(TControl* C)
    {
        ASSERT_TRUE(C->Visible()) << UTF8Encode(C->Name());
        Click(ScreenCentre(C));
        guitest::Pump();
    }
    void Drag(TPoint From, TPoint To)
    {
        guitest::MovePointer(Screen(From));
        guitest::LeftButton(true);
        guitest::PumpUntil([&] { return Doc()->LeftMouseDown(); }, 1000);
        guitest::MovePointer(Screen({(From.X + To.X) / 2, (From.Y + To.Y) / 2}));
        guitest::MovePointer(Screen(To));
        guitest::LeftButton(false);
        guitest::PumpUntil([&] { return !Form->CanvasInput().Core().MouseDownLeft(); }, 1000);
        guitest::Pump();
    }
    TRow* Row(TShapeType T) { return PropertyTable->GetItem(T); }
    // A text object drawn with the text tool, the panel showing.
    TImgText* DrawText()
    {
        ClickButton(Tools().Button(u"sbShape8"));
        Drag({30, 30}, {200, 120});
        guitest::PumpUntil([&] { return Panels().pnlText->Visible(); }, 2000);
        return dynamic_cast<TImgText*>(Doc()->Shape());
    }
};

TEST_F(MainWindowPanels, TheTextPanelShowsTheRowAndTheHollowStrokeReleasesTheStroke)
{
    // A stored stroke width 0 shows as 1.
    Row(shText)->GetItem(56)->SetText(u"0");
    Row(shText)->GetItem(49)->SetText(u"0");
    Row(shText)->GetItem(55)->SetText(u"0");
    Row(shText)->GetItem(43)->SetText(u"-1");
    TImgText* Text = DrawText();
    ASSERT_NE(Text, nullptr);
    TPropertyPanels& P = Panels();
    ASSERT_TRUE(P.pnlText->Visible());
    EXPECT_EQ(P.sbFontStrokeWidth->Caption(), u"1");
    EXPECT_TRUE(P.sbFontBold->Down());
    EXPECT_FALSE(P.clFontStrokeColor->Visible());
    EXPECT_FALSE(P.sbFontStrokeWidth->Visible());

    const Integer Undo = Doc()->UndoIndex();
    ClickButton(P.sbFontStroke);
    EXPECT_TRUE(P.sbFontStroke->Down());
    EXPECT_EQ(Row(shText)->GetItem(49)->Text(), u"-1");
    EXPECT_TRUE(Text->FontStroke());
    EXPECT_TRUE(P.clFontStrokeColor->Visible());
    EXPECT_TRUE(P.sbFontStrokeWidth->Visible());
    EXPECT_EQ(Doc()->UndoIndex(), Undo + 1);

    // The hollow stroke: the stroke goes up and its cell is cleared; the
    // colour and width stay.
    ClickButton(P.sbFontStrokeEmpty);
    EXPECT_TRUE(P.sbFontStrokeEmpty->Down());
    EXPECT_FALSE(P.sbFontStroke->Down());
    EXPECT_EQ(Row(shText)->GetItem(49)->Text(), u"0");
    EXPECT_EQ(Row(shText)->GetItem(55)->Text(), u"-1");
    EXPECT_TRUE(Text->FontStrokeEmpty());
    EXPECT_FALSE(Text->FontStroke());
    EXPECT_TRUE(P.clFontStrokeColor->Visible());
    EXPECT_TRUE(P.sbFontStrokeWidth->Visible());

    // A width from the menu: the cell, the object and the caption; the menu
    // checks the width shown.
    P.muStrokeWidth[4]->Click();
    EXPECT_EQ(Row(shText)->GetItem(56)->Text(), u"5");
    EXPECT_EQ(Text->FontStrokeWidth(), 5);
    EXPECT_EQ(P.sbFontStrokeWidth->Caption(), u"5");
    P.pmStrokeWidth->OnPopup(P.pmStrokeWidth);
    EXPECT_TRUE(P.muStrokeWidth[4]->Checked());
    EXPECT_FALSE(P.muStrokeWidth[0]->Checked());

    // Italic by a click: the row and the object.
    ClickButton(P.sbFontItalic);
    EXPECT_EQ(Row(shText)->GetItem(44)->Text(), u"-1");
    EXPECT_TRUE(Text->FontItalic());
    // Alignment: the object only, no cell.
    const String Cell46 = Row(shText)->GetItem(46)->Text();
    ClickButton(P.sbAlign[2]);
    EXPECT_EQ(Text->Alignment(), 2);
    EXPECT_EQ(Tools().ShapeProps().TextAlign, 2);
    EXPECT_EQ(Row(shText)->GetItem(46)->Text(), Cell46);
    ClickButton(P.sbAlignLayout[1]);
    EXPECT_EQ(Text->Layout(), P.sbAlignLayout[1]->Down() ? 1 : 0);

    // The window with the text panel, as test output (not compared).
    SaveScreenshot(TRect{Form->Left(), Form->Top(), Form->Left() + Form->Width(), Form->Top() + Form->Height()},
                             u"MainWindow_TextPanel");
    // Leaving the object hides the panel.
    Doc()->SelectShape(selNone, -1);
    guitest::Pump();
    EXPECT_FALSE(P.pnlText->Visible());
}

TEST_F(MainWindowPanels, ATemplateButtonReplacesTheWholeTextNotTheSelection)
{
    SetTextTemplate(*TextTemplateTable, 0, u"Hello, world|x");
    TImgText* Text = DrawText();
    ASSERT_NE(Text, nullptr);
    TPropertyPanels& P = Panels();
    P.txtText->SetText(u"abc def");
    P.txtText->SetSelStart(2);
    P.txtText->SetSelLength(3);
    ClickButton(P.sbTextTemplate[0]);
    EXPECT_EQ(P.txtText->Text(), u"Hello, world|x");
    EXPECT_EQ(Text->Text(), u"Hello, world|x");
    EXPECT_EQ(Tools().ShapeProps().TextStr, u"Hello, world|x");
    EXPECT_EQ(P.txtText->SelStart(), 14);
    // The date: one line, no part of the template left.
    ClickButton(P.sbTextTemplateDate);
    EXPECT_FALSE(P.txtText->Text().empty());
    EXPECT_EQ(Pos(u"Hello", P.txtText->Text()), 0);
    EXPECT_EQ(Text->Text(), P.txtText->Text());
}

TEST_F(MainWindowPanels, TheSelectionPanelFollowsTheStyleWithoutUndoSteps)
{
    TPropertyPanels& P = Panels();
    ClickButton(Tools().Button(u"sbSelection0"));
    ASSERT_TRUE(P.pnlPropSelection0->Visible());
    EXPECT_FALSE(P.chkSelectionAntialiasing->Enabled()) << "the rectangle";
    EXPECT_FALSE(P.editSelectionTolerance->Visible());
    EXPECT_EQ(P.pnlPropSelection0->Width(), 188);
    // The panel sits between the tool's panel and the styles.
    auto* Shape = Form->Layout().Part(u"pnlShape");
    EXPECT_EQ(P.pnlPropSelection0->Left(), Shape->Left() + Shape->Width() + 3);
    EXPECT_GE(Form->pnlStyles->Left(), P.pnlPropSelection0->Left() + P.pnlPropSelection0->Width());
    EXPECT_LE(Form->pnlShowRight->Left() + Form->pnlShowRight->Width(), Form->pnlProp->ClientWidth());

    ClickButton(Tools().Button(u"sbSelection1"));
    EXPECT_TRUE(P.chkSelectionAntialiasing->Enabled()) << "the ellipse";
    const bool Was = SelectionTable->GetItem(1)->GetItem(0)->AsBool();
    const Integer Undo = Doc()->UndoIndex();
    ClickButton(P.chkSelectionAntialiasing);
    EXPECT_EQ(SelectionTable->GetItem(1)->GetItem(0)->AsBool(), !Was);
    EXPECT_EQ(Doc()->UndoIndex(), Undo);

    // The wand: wider, with its tolerance from row 5.
    SelectionTable->GetItem(5)->GetItem(1)->SetText(u"48");
    ClickButton(Tools().Button(u"sbSelection5"));
    EXPECT_EQ(P.pnlPropSelection0->Width(), 388);
    EXPECT_TRUE(P.editSelectionTolerance->Visible());
    EXPECT_EQ(P.editSelectionTolerance->Value(), 48);
    SaveScreenshot(TRect{Form->Left(), Form->Top(), Form->Left() + Form->Width(), Form->Top() + 160},
                             u"MainWindow_WandOptions");

    // A tool without an option panel gives the styles their place back.
    const Integer StylesLeft = Form->Layout().Part(u"pnlShape")->Left() + Shape->Width() + 3;
    ClickButton(Tools().Button(u"sbShape3"));
    EXPECT_FALSE(P.pnlPropSelection0->Visible());
    EXPECT_EQ(Form->pnlStyles->Left(), StylesLeft);
}

TEST_F(MainWindowPanels, FeatheringProposesTenCancelChangesNothingOkKeepsTheRadius)
{
    TPropertyPanels& P = Panels();
    ClickButton(Tools().Button(u"sbSelection0"));
    Drag({40, 40}, {160, 120});
    ASSERT_TRUE(Doc()->SelectionExists());
    guitest::Pump();
    Tools().RefreshPropertyControls();
    EXPECT_TRUE(P.btnSelectionFeather->Enabled());
    EXPECT_EQ(P.btnSelectionFeather->Caption(), GetLangText(1, 237) + u": 0");
    TImgSelection* S = Doc()->SelectionShape();
    const Integer Undo = Doc()->UndoIndex();

    Integer Proposed = -1;
    P.OnDialogShown = [&](TForm& D) {
        auto* F = &dynamic_cast<TfrmFeatherAmount&>(D);
        WhenModal(F, [&, F] {
            Proposed = static_cast<Integer>(F->editFeatherAmount->Value());
            Click(ScreenCentre(F->btnCancel));
        });
    };
    ClickButton(P.btnSelectionFeather);
    guitest::PumpUntil([&] { return Proposed >= 0; }, 3000);
    EXPECT_EQ(Proposed, 10);
    EXPECT_EQ(S->FeatherAmount(), 0);
    EXPECT_EQ(Doc()->UndoIndex(), Undo);

    P.OnDialogShown = [&](TForm& D) {
        auto* F = &dynamic_cast<TfrmFeatherAmount&>(D);
        WhenModal(F, [F] {
            F->editFeatherAmount->SetValue(7);
            Click(ScreenCentre(F->btnSave));
        });
    };
    ClickButton(P.btnSelectionFeather);
    guitest::PumpUntil([&] { return S->FeatherAmount() == 7; }, 3000);
    EXPECT_EQ(S->FeatherAmount(), 7);
    EXPECT_EQ(Doc()->UndoIndex(), Undo + 1);
    EXPECT_EQ(P.btnSelectionFeather->Caption(), GetLangText(1, 237) + u": 7");
}

TEST_F(MainWindowPanels, FreeShapeNodeButtonsFollowNodeEditing)
{
    TPropertyPanels& P = Panels();
    ClickButton(Tools().Button(u"sbShape16"));
    // Three nodes placed by clicks, a right click ends the shape.
    for (TPoint At : {TPoint{40, 40}, TPoint{160, 50}, TPoint{100, 150}}) {
        guitest::MovePointer(Screen(At));
        guitest::LeftButton(true);
        guitest::Pump();
        guitest::LeftButton(false);
        guitest::Pump();
    }
    guitest::MovePointer(Screen({100, 150}));
    RightButton(true);
    guitest::Pump();
    RightButton(false);
    guitest::Pump();
    auto* Free = dynamic_cast<TImgFreeShape*>(Doc()->Shape());
    ASSERT_NE(Free, nullptr);
    guitest::PumpUntil([&] { return P.pnlPropFreeShape->Visible(); }, 2000);
    ASSERT_TRUE(P.pnlPropFreeShape->Visible());

    // Node editing with a selected node.
    ClickButton(P.sbFreeShapeControlMode[1]);
    EXPECT_EQ(Free->ControlMode(), 2);
    Free->SetSelectPointIndex(0);
    Doc()->ShapeStateChanged();
    EXPECT_TRUE(P.sbFreeShapeAddNode->Enabled());
    EXPECT_TRUE(P.sbFreeShapeDeleteNode->Enabled());
    EXPECT_TRUE(P.sbFreeShapeSetCommonTangent->Enabled());
    EXPECT_TRUE(P.sbFreeShapeSetSingleTangent->Enabled());
    EXPECT_TRUE(P.sbFreeShapeHideTangent->Enabled());
    EXPECT_EQ(P.sbFreeShapeCloseShape->Enabled(), !Free->Closed());

    // Leaving node editing disables them all.
    ClickButton(P.sbFreeShapeControlMode[0]);
    EXPECT_EQ(Free->ControlMode(), 1);
    for (TsfSkinSpeedButton* B : {P.sbFreeShapeAddNode, P.sbFreeShapeDeleteNode, P.sbFreeShapeSetCommonTangent,
                                  P.sbFreeShapeSetSingleTangent, P.sbFreeShapeHideTangent, P.sbFreeShapeCloseShape,
                                  P.sbFreeShapeBreakNode})
        EXPECT_FALSE(B->Enabled()) << UTF8Encode(B->Name());
}

TEST_F(MainWindowPanels, PencilAndFillSettingsReachTheDocumentAndTheSettings)
{
    TPropertyPanels& P = Panels();
    P.editFillTolerance->SetValue(77);
    EXPECT_EQ(ConfigTable->GetItem(1)->GetItem(14)->Value(), 77);
    EXPECT_EQ(Doc()->FillTolerance(), 77);
    const bool Editable = P.chkPencilEditable->Checked();
    P.chkPencilEditable->SetChecked(!Editable);
    P.chkPencilEditable->OnClick(P.chkPencilEditable);
    EXPECT_EQ(Doc()->PencilEditable(), !Editable);
    EXPECT_EQ(ConfigTable->GetItem(1)->GetItem(12)->AsBool(), !Editable);
    const bool Debounce = P.chkPencilDebounce->Checked();
    P.chkPencilDebounce->SetChecked(!Debounce);
    P.chkPencilDebounce->OnClick(P.chkPencilDebounce);
    EXPECT_EQ(Doc()->PencilDebounce(), !Debounce);
    EXPECT_EQ(ConfigTable->GetItem(1)->GetItem(20)->AsBool(), !Debounce);
    // A new document takes them.
    ASSERT_TRUE(Form->Documents().LoadDocument(String(), true));
    EXPECT_EQ(Doc()->FillTolerance(), 77);
    EXPECT_EQ(Doc()->PencilEditable(), !Editable);
}

TEST_F(MainWindowPanels, TheTextPanelDraggedByItsTitleStopsAtTheRightPanel)
{
    ASSERT_NE(DrawText(), nullptr);
    TPropertyPanels& P = Panels();
    Form->pnlRight->SetVisible(true);
    guitest::Pump();
    const Integer Top = P.pnlText->Top();
    const TPoint Grip = ScreenCentre(P.lblText);
    guitest::MovePointer(Grip);
    guitest::LeftButton(true);
    guitest::PumpUntil([&] { return P.MovePanel(); }, 1000);
    ASSERT_TRUE(P.MovePanel());
    // Far to the right (to the screen's edge), in steps as a hand moves.
    const Integer Edge = GetSystemMetrics(SM_CXSCREEN) - 1;
    ASSERT_GT(Edge - Grip.X, Form->pnlRight->Left() - P.pnlText->Left()) << "room to reach the right panel";
    for (Integer X = Grip.X + 40; X < Edge; X += 40) guitest::MovePointer({X, Grip.Y});
    guitest::MovePointer({Edge, Grip.Y});
    guitest::LeftButton(false);
    guitest::PumpUntil([&] { return !P.MovePanel(); }, 1000);
    EXPECT_EQ(P.pnlText->Left(), Form->pnlRight->Left());
    EXPECT_EQ(P.pnlText->Top(), Top);
    EXPECT_FALSE(P.MovePanel());
    // A move without a press moves nothing.
    P.lblTextMouseMove(-500, 0);
    EXPECT_EQ(P.pnlText->Left(), Form->pnlRight->Left());
}

TEST_F(MainWindowPanels, AResizePlacesTheMenuButtonTheLinkAndTheMeasuringPanel)
{
    Form->SetBounds(0, 0, 1100, 700);
    guitest::Pump();
    auto* Menu = dynamic_cast<TControl*>(Form->FindComponent(u"btnMenu"));
    auto* Ruler = dynamic_cast<TControl*>(Form->FindComponent(u"pnlPropRuler"));
    ASSERT_NE(Menu, nullptr);
    ASSERT_NE(Ruler, nullptr);
    auto* Left = Form->Layout().Part(u"pnlLeft");
    auto* Magic = Form->Layout().Part(u"pnlMagicTools");
    const Integer Below = Magic->Top() + Magic->Height() + 10;
    EXPECT_EQ(Menu->Top(), Below < Left->Height() - 50 ? Below : Left->Height() - 48);
    EXPECT_EQ(Form->lblLink->Top(), Menu->Top() + 26);
    EXPECT_EQ(Ruler->Left(), (Form->Image->Width() - Ruler->Width()) / 2 + Left->Width());
    EXPECT_EQ(Ruler->Top(), Form->pnlProp->Height() + Form->Image->Height() - Ruler->Height() - 18);
    // A taller window follows.
    Form->SetBounds(0, 0, 1100, 900);
    guitest::Pump();
    EXPECT_EQ(Ruler->Top(), Form->pnlProp->Height() + Form->Image->Height() - Ruler->Height() - 18);
}

TEST_F(MainWindowPanels, TheWidthPagesReachEveryWidth)
{
    TToolPanels& T = Tools();
    Row(shRectangle)->GetItem(18)->SetValue(2);
    ClickButton(T.Button(u"sbShape3"));
    auto Captions = [&] {
        String S;
        for (auto* B : T.sbWidth) S += B->Caption() + u" ";
        return S;
    };
    auto DownCount = [&] {
        Integer N = 0;
        for (auto* B : T.sbWidth) N += B->Down() ? 1 : 0;
        return N;
    };
    EXPECT_EQ(Captions(), u"1 2 3 4 5 ");
    EXPECT_TRUE(T.sbWidth[1]->Down());
    EXPECT_FALSE(T.sbWidthPageUp->Enabled());
    ClickButton(T.sbWidthPageDown);
    EXPECT_EQ(Captions(), u"6 7 8 9 10 ");
    EXPECT_EQ(DownCount(), 0) << "width 2 is not on this page";
    EXPECT_TRUE(T.sbWidthPageUp->Enabled());
    ClickButton(T.sbWidth[4]);
    EXPECT_EQ(T.Props().OutWidth, 10);
    EXPECT_EQ(Row(shRectangle)->GetItem(18)->Value(), 10);
    EXPECT_TRUE(T.sbWidth[4]->Down());
    // A second click on it keeps it.
    ClickButton(T.sbWidth[4]);
    EXPECT_TRUE(T.sbWidth[4]->Down());
    ClickButton(T.sbWidthPageDown);
    EXPECT_EQ(Captions(), u"11 12 13 14 15 ");
    EXPECT_EQ(DownCount(), 0);
    ClickButton(T.sbWidthPageUp);
    ClickButton(T.sbWidthPageUp);
    EXPECT_EQ(T.WidthPageIndex(), 0);
    EXPECT_FALSE(T.sbWidthPageUp->Enabled());
    // A new tool shows the page of its width.
    ClickButton(T.Button(u"sbShape15"));
    Row(shRectangle)->GetItem(18)->SetValue(12);
    ClickButton(T.Button(u"sbShape3"));
    EXPECT_EQ(T.WidthPageIndex(), 2);
    EXPECT_TRUE(T.sbWidth[1]->Down());
}

TEST_F(MainWindowPanels, TheWindowsTickerTakesCommandsUpgradesAndExtraTexts)
{
    auto* Ticker = dynamic_cast<THyMsgText*>(Form->Layout().Part(u"lblMessage"));
    ASSERT_NE(Ticker, nullptr);
    EXPECT_EQ(Ticker->Caption(), u"");
    Ticker->PointerOver = [] { return false; };
    const Integer Accesses = ConfigTable->GetProp(47)->Value();
    // Commands set the feedback link; the extra text the settings.
    Ticker->MsgDataReceived(u"Trivane{0,3,5,Feedback|0,3,6,http://feedback.invalid/|0,3,7,255}"
                            u"DSSTART0,-1,a,b,back,c,d,eDSEND");
    EXPECT_EQ(Form->lblLink->Caption(), u"Feedback");
    EXPECT_EQ(Form->lblLink->Url(), u"http://feedback.invalid/");
    EXPECT_TRUE(Form->lblLink->Visible());
    EXPECT_EQ(ConfigTable->GetProp(60)->Text(), u"Feedback");
    EXPECT_EQ(ConfigTable->GetProp(47)->Value(), Accesses + 1);
    EXPECT_EQ(Form->Layout().AdvertBackId(), u"back");
    EXPECT_FALSE(Ticker->Rotating()) << "commands only: nothing left to show";
    // An upgrade row is offered only for a newer version than this program's.
    Ticker->MsgDataReceived(u"Trivane{0,5,,old,,,,,0.0.1|0,5,,new,,,,,999.0}");
    EXPECT_TRUE(Ticker->Rotating());
    EXPECT_EQ(Ticker->Caption(), u"new");
    // The status text clears on a click.
    auto* Msg1 = Form->Layout().PartAs<TLabel>(u"lblMsg1");
    Msg1->SetCaption(u"Busy");
    Msg1->OnClick(Msg1);
    EXPECT_EQ(Msg1->Caption(), u"");
}

}  // namespace
