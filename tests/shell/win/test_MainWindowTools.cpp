// The main window with real input: tool buttons that select tools for the
// canvas, a press held on a stacked button that opens its menu, the tool
// following the selected objects, the effect brushes' buttons, the effect
// dialog run on the live document, and the preset panel's tiles.
#include <gtest/gtest.h>

#include <optional>

#include "../../dialogs/win/DialogTest.h"

#include "Component/Raster32/win/Ras32_Image.h"
#include "dialogs/win/ImageMosaic.h"
#include "dialogs/win/MakeThumbThread.h"
#include "document/ImageDraw.h"
#include "document/win/ImageDraw_Win.h"
#include "foundation/HyPresets.h"
#include "framework/controls/win/Menus.h"
#include "shell/OpenDocumentsCore.h"
#include "shell/ToolGlyphs.h"
#include "shell/ToolSelection.h"
#include "shell/win/CanvasInput.h"
#include "shell/win/CanvasRulers.h"
#include "shell/win/ColorHandlers.h"
#include "dialogs/win/ShowColorForm.h"
#include "shell/win/MainLayout.h"
#include "framework/controls/win/StdCtrls.h"
#include "shell/win/EffectLauncher.h"
#include "shell/win/OpenDocuments.h"
#include "shell/win/PresetPanel.h"
#include "shell/win/ToolPanels.h"
#include "shell/win/ZezavEzazerForm.h"
#include "skin/controls/SkinClock.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinTabs.h"
#include "skin/controls/win/SkinTrackBars.h"
#include "skin/controls/win/sfColorCtrls.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/frame/win/SkinMenus.h"

namespace {

// The 16 x 16 pixels in the middle of a button on the screen, 0xAARRGGBB.
std::vector<TColor32> GlyphPixels(TControl* Button)
{
    POINT P{Button->Left() + (Button->Width() - ToolGlyphSize) / 2, Button->Top() + (Button->Height() - ToolGlyphSize) / 2};
    ::ClientToScreen(Button->Parent()->Handle(), &P);
    auto Shot = guitest::CaptureScreen(TRect{P.x, P.y, P.x + ToolGlyphSize, P.y + ToolGlyphSize});
    std::vector<TColor32> Out;
    for (Integer y = 0; y < ToolGlyphSize; ++y)
        for (Integer x = 0; x < ToolGlyphSize; ++x) Out.push_back(0xFF000000 | Shot->Pixel(x, y));
    return Out;
}

// The button shows its glyph: one colour wherever the mask has full ink, and
// that colour nowhere the mask has none (an empty box or a blank face fails).
::testing::AssertionResult ShowsItsGlyph(TControl* Button)
{
    const TToolGlyphRows* G = FindToolGlyph(Button->Name());
    if (!G) return ::testing::AssertionFailure() << "no glyph";
    const std::vector<TColor32> Px = GlyphPixels(Button);
    std::optional<TColor32> Ink;
    for (Integer y = 0; y < ToolGlyphSize; ++y)
        for (Integer x = 0; x < ToolGlyphSize; ++x) {
            if (ToolGlyphInk(*G, x, y) != 255) continue;
            const TColor32 C = Px[size_t(y * ToolGlyphSize + x)];
            if (!Ink) Ink = C;
            if (C != *Ink)
                return ::testing::AssertionFailure() << "ink " << std::hex << C << " at " << std::dec << x << "," << y;
        }
    for (Integer y = 0; y < ToolGlyphSize; ++y)
        for (Integer x = 0; x < ToolGlyphSize; ++x)
            if (!ToolGlyphInk(*G, x, y) && Px[size_t(y * ToolGlyphSize + x)] == *Ink)
                return ::testing::AssertionFailure() << "ink where the glyph has none at " << x << "," << y;
    return ::testing::AssertionSuccess();
}

// Whether another control of the left panel (the program menu's button, the
// link) lies over the button: where they go is the window layout's business.
bool CoveredInTheLeftPanel(TControl* Button)
{
    TWinControl* Group = Button->Parent();
    TWinControl* Left = Group ? Group->Parent() : nullptr;
    if (!Left) return false;
    const TRect R{Group->Left() + Button->Left(), Group->Top() + Button->Top(),
                  Group->Left() + Button->Left() + Button->Width(), Group->Top() + Button->Top() + Button->Height()};
    for (Integer i = 0; i < Left->ControlCount(); ++i) {
        TControl* C = Left->Controls(i);
        if (C == Group || !C->Visible()) continue;
        if (C->Left() < R.Right && R.Left < C->Left() + C->Width() && C->Top() < R.Bottom && R.Top < C->Top() + C->Height())
            return true;
    }
    return false;
}

bool SamePixels(TCustomBitmap32& A, TCustomBitmap32& B)
{
    if (A.Width() != B.Width() || A.Height() != B.Height()) return false;
    for (Integer y = 0; y < A.Height(); ++y)
        for (Integer x = 0; x < A.Width(); ++x)
            if (A.Pixel(x, y) != B.Pixel(x, y)) return false;
    return true;
}

class MainWindow : public GlobalsTest {
protected:
    TSkinClockScope Clock;
    TfrmZezavEzazer* Form = nullptr;

    void SetUp() override
    {
        GlobalsTest::SetUp();
        // The objects' drawing, as the program installs it at start-up.
        static const bool Installed = (InstallImageDrawHooks(), true);
        (void)Installed;
        Form = new TfrmZezavEzazer(nullptr);
        Form->SetBounds(0, 0, 1180, 760);
        Form->Show();
        WaitShown(Form);
        ASSERT_NE(Doc(), nullptr);
        // A blank picture of a known size in a known colour.
        ConfigTable->GetItem(1)->GetItem(0)->SetValue(300);
        ConfigTable->GetItem(1)->GetItem(1)->SetValue(200);
        ConfigTable->GetItem(1)->GetItem(2)->SetValue(0xFFFFFF);
        ConfigTable->GetItem(1)->GetItem(3)->SetValue(0);
        ASSERT_TRUE(Form->Documents().LoadDocument(String(), true));
        // Every kind outlined in red, so that what is drawn shows.
        for (Integer k = 0; k < PropertyTable->ItemCount(); ++k)
            for (auto [Col, Value] : {std::pair{14, 0x0000FF}, {16, 255}, {18, 2}, {20, -1}, {21, 0}})
                PropertyTable->GetItem(k)->GetItem(Col)->SetValue(Value);
        Form->Image->SetScale(1);
        Doc()->SetScale(1);
        guitest::Pump();
    }
    void TearDown() override
    {
        Form->Presets().StopWorker();
        delete Form;
        GlobalsTest::TearDown();
    }
    TImageDraw* Doc() { return Form->Documents().Live(); }
    TToolPanels& Tools() { return Form->ToolPanels(); }
    TsfSkinSpeedButton* B(const char16_t* Name) { return Tools().Button(Name); }
    TPoint Screen(TPoint Image) { return Form->Image->ClientToScreen(Form->Image->BitmapToControl(Image)); }
    void ClickButton(TControl* C)
    {
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
    Integer ActionRows() { return Doc()->ActionDT() ? Doc()->ActionDT()->ItemCount() : 0; }
};

}  // namespace

TEST_F(MainWindow, ToolButtonsSelectTheToolTheCanvasDrawsWith)
{
    ClickButton(B(u"sbShape3"));
    EXPECT_EQ(Tools().Tools().ShapeType(), shRectangle);
    EXPECT_EQ(Form->CanvasInput().Tool().Type, shRectangle);
    EXPECT_TRUE(B(u"sbShape3")->Down());
    EXPECT_EQ(Form->Documents().LiveRow()->GetItem(19)->Value(), shRectangle);

    Drag({20, 20}, {120, 80});
    ASSERT_EQ(Doc()->ShapeCount(), 1);
    EXPECT_EQ(Doc()->Shape()->ShapeType(), shRectangle);
    // Its red outline shows on the canvas (along the top edge, clear of the handles).
    const TPoint Edge = Screen({40, 20});
    EXPECT_TRUE(guitest::PumpUntil([&] { return guitest::ScreenPixelNow(Edge.X, Edge.Y) == RGB(255, 0, 0); }))
        << std::hex << guitest::ScreenPixelNow(Edge.X, Edge.Y);

    // The ellipse: the rectangle's button goes up, the new object deselects the old.
    ClickButton(B(u"sbShape15"));
    EXPECT_EQ(Form->CanvasInput().Tool().Type, shEllipse);
    EXPECT_FALSE(B(u"sbShape3")->Down());
    EXPECT_TRUE(B(u"sbShape15")->Down());
    Drag({150, 100}, {250, 160});
    EXPECT_EQ(Doc()->ShapeCount(), 2);

    // A plain click draws nothing.
    guitest::MovePointer(Screen({200, 30}));
    guitest::LeftButton(true);
    guitest::LeftButton(false);
    guitest::Pump();
    EXPECT_EQ(Doc()->ShapeCount(), 2);

    // A selection button: the selection tool with its style; the vector buttons go up.
    ClickButton(B(u"sbSelection1"));
    EXPECT_EQ(Tools().Tools().ShapeType(), shSelection);
    EXPECT_EQ(Form->CanvasInput().Tool().StyleId, 1);
    EXPECT_TRUE(B(u"sbSelection1")->Down());
    EXPECT_FALSE(B(u"sbShape15")->Down());
    EXPECT_EQ(PropertyTable->GetItem(shSelection)->GetItem(24)->Value(), 1);
}

TEST_F(MainWindow, TwoSelectedObjectsSelectTheSelectToolWithEveryVectorButtonUp)
{
    ClickButton(B(u"sbShape3"));
    Drag({20, 20}, {80, 60});
    Drag({150, 100}, {220, 160});
    ASSERT_EQ(Doc()->ShapeCount(), 2);
    Doc()->SelectShape(selAll, -1);
    guitest::Pump();
    EXPECT_EQ(Tools().Tools().ShapeType(), shNone);
    for (const TToolButtonDef& D : ToolButtonDefs())
        if (D.Group == TToolGroup::Shape) EXPECT_FALSE(B(D.Name)->Down()) << UTF8Encode(D.Name);
    // Emptying the selection returns to the rectangle.
    Doc()->SelectShape(selNone, -1);
    guitest::Pump();
    EXPECT_EQ(Tools().Tools().ShapeType(), shRectangle);
    EXPECT_TRUE(B(u"sbShape3")->Down());
}

TEST_F(MainWindow, APressHeldOnThePencilOpensItsMenuTheMenuSwapsTheButtons)
{
    TsfSkinSpeedButton* Pencil = B(u"sbToolPencil");
    guitest::MovePointer(ScreenCentre(Pencil));
    guitest::LeftButton(true);
    guitest::Pump();
    Clock.Clock.Advance(ToolLongPress - 1);
    EXPECT_FALSE(Form->SkinForm()->SkinMenu()->Visible());
    Clock.Clock.Advance(1);
    EXPECT_TRUE(Form->SkinForm()->SkinMenu()->Visible());
    EXPECT_TRUE(Tools().PairItem(2, false)->Checked());
    // The items: the buttons' glyphs, named by the buttons' hints.
    for (bool Second : {false, true}) {
        TMenuItem* Item = Tools().PairItem(2, Second);
        EXPECT_FALSE(Item->Caption().empty());
        EXPECT_EQ(Item->Caption(), B(Second ? u"sbToolBrush" : u"sbToolPencil")->Hint());
        EXPECT_EQ(Item->Bitmap()->Width(), ToolGlyphSize);
    }
    guitest::LeftButton(false);
    guitest::Pump();
    Form->SkinForm()->SkinMenuClose();

    // The brush from the menu: the brush button takes the pencil's place.
    Tools().PairItem(2, true)->Click();
    guitest::Pump();
    EXPECT_EQ(Tools().Tools().ShapeType(), shBrush);
    EXPECT_TRUE(B(u"sbToolBrush")->Visible());
    EXPECT_FALSE(B(u"sbToolPencil")->Visible());
    EXPECT_TRUE(B(u"sbToolBrush")->Down());
    EXPECT_EQ(Doc()->ControlMode(), cmProcess);

    // A short click on the stacked button only selects its tool.
    ClickButton(B(u"sbToolHand"));
    Clock.Clock.Advance(ToolLongPress);
    EXPECT_FALSE(Form->SkinForm()->SkinMenu()->Visible());
    EXPECT_EQ(Tools().Tools().ShapeType(), shHand);
}

TEST_F(MainWindow, EffectBrushButtonsStartSwitchAndEndTheBrush)
{
    ClickButton(B(u"sbShape3"));
    Drag({20, 20}, {80, 60});
    TEffectLauncher& E = Form->Effects();
    ClickButton(B(u"sbToolMosaic"));
    EXPECT_TRUE(E.EffectDrawing());
    EXPECT_EQ(Doc()->EffectMode(), emMosaic);
    EXPECT_EQ(Doc()->ControlMode(), cmEffectDraw);
    EXPECT_TRUE(E.pnlDrawEffect->Visible());
    EXPECT_TRUE(E.pnlDrawEffectValue1->Visible());
    EXPECT_EQ(Tools().Tools().ShapeType(), shNone);

    // Blur replaces mosaic without going back to the rectangle.
    ClickButton(B(u"sbToolBlurring"));
    EXPECT_EQ(Doc()->EffectMode(), emBlurring);
    EXPECT_FALSE(B(u"sbToolMosaic")->Down());
    EXPECT_TRUE(B(u"sbToolBlurring")->Down());
    EXPECT_EQ(Tools().Tools().ShapeType(), shNone);

    // A stroke, then its button again: the brush ends, the rectangle comes back.
    Drag({30, 100}, {200, 120});
    ClickButton(B(u"sbToolBlurring"));
    EXPECT_FALSE(E.EffectDrawing());
    EXPECT_EQ(Doc()->EffectMode(), emNone);
    EXPECT_FALSE(E.pnlDrawEffect->Visible());
    EXPECT_EQ(Tools().Tools().ShapeType(), shRectangle);
    EXPECT_TRUE(B(u"sbShape3")->Down());

    // The highlighter's size stops at 30, red eye's at 50.
    ClickButton(B(u"sbToolHighlighter"));
    EXPECT_EQ(E.sliderDrawEffectBrushSize->MaxValue(), 30);
    ClickButton(B(u"sbToolRedEye"));
    EXPECT_EQ(E.sliderDrawEffectBrushSize->MaxValue(), 50);

    // An undo past the brush's own steps ends it.
    Doc()->Undo();
    guitest::Pump();
    EXPECT_FALSE(E.EffectDrawing());
    EXPECT_FALSE(B(u"sbToolRedEye")->Down());
}

TEST_F(MainWindow, TheBlurDialogPreviewsOnTheDocumentOkKeepsOneActionCancelNothing)
{
    auto Before = std::make_unique<TCustomBitmap32>();
    // Something to blur: a black bar across the white picture.
    Doc()->SrcBmp()->FillRect(0, 90, 300, 110, 0xFF000000);
    Before->Assign(Doc()->SrcBmp());
    const Integer Actions = ActionRows();
    TEffectLauncher& E = Form->Effects();

    bool Previewed = false;
    E.OnDialogShown = [&](TForm& D) {
        auto& M = dynamic_cast<TfrmImageMosaic&>(D);
        WhenModal(&M, [&, P = &M] {
            EXPECT_EQ(P->sliderSize->Value(), 3);
            Clock.Clock.Advance(FirstPreviewDelay);
            Previewed = P->Preview().PreviewCount() == 1 && !SamePixels(*Doc()->SrcBmp(), *Before);
            P->btnCancelClick(nullptr);
        });
    };
    Doc()->SetEffectMode(emBlur);
    EXPECT_FALSE(E.ShowEffectDialog(u"Blur"));
    EXPECT_TRUE(Previewed);
    EXPECT_TRUE(SamePixels(*Doc()->SrcBmp(), *Before)) << "Cancel leaves the picture as it was";
    EXPECT_EQ(ActionRows(), Actions);
    EXPECT_EQ(Doc()->EffectMode(), emNone);

    E.OnDialogShown = [&](TForm& D) {
        auto& M = dynamic_cast<TfrmImageMosaic&>(D);
        WhenModal(&M, [P = &M] { Click(ScreenCentre(P->btnOk)); });
    };
    Doc()->SetEffectMode(emBlur);
    EXPECT_TRUE(E.ShowEffectDialog(u"Blur"));
    EXPECT_FALSE(SamePixels(*Doc()->SrcBmp(), *Before));
    EXPECT_EQ(ActionRows(), Actions + 1) << "OK on the whole picture adds one action row";
    EXPECT_EQ(Doc()->EffectMode(), emNone);
}

TEST_F(MainWindow, PresetTilesGetTheirOwnThumbnailsAndAGrayscaleTileAppliesAtOnce)
{
    TPresetPanel& P = Form->Presets();
    ASSERT_EQ(P.TypeIndex(), 0);
    // A pack may repeat a kind: two grayscale presets on the first page.
    EffectPresetTable->AddItem(u"0,0,灰度,,Grey,5");
    EffectPresetTable->AddItem(u"0,0,灰度,,Grey again,5");
    P.ShowPresetPage();
    ASSERT_FALSE(P.PageRows().empty());
    ASSERT_TRUE(guitest::PumpUntil(
        [&] {
            CheckSynchronize(0);
            for (TRow* R : P.PageRows())
                if (!R->Data().Get()) return false;
            return true;
        },
        20000))
        << [&] {
               std::string S = "work " + std::to_string(P.Worker()->Work()) + " rows:";
               for (TRow* R : P.PageRows())
                   S += " " + std::to_string(R->GetItem(PresetCell::Kind)->Value()) + (R->Data().Get() ? "+" : "-");
               TCustomBitmap32* T = Doc()->OriBmpThumb();
               S += " thumb " + (T ? std::to_string(T->Width()) + "x" + std::to_string(T->Height()) : "none");
               return S;
           }();
    for (Integer i = 0; i < Integer(P.PageRows().size()); ++i) EXPECT_TRUE(P.Tile(i)->Visible()) << i;

    // The grayscale preset: no dialog, no question, one action.
    Doc()->SrcBmp()->FillRect(0, 0, 300, 200, 0xFFFF0000);
    const Integer Actions = ActionRows();
    Integer Grey = -1;
    for (Integer i = 0; i < Integer(P.PageRows().size()); ++i)
        if (P.PageRows()[size_t(i)]->GetItem(PresetCell::Kind)->Value() == emGrayscale) Grey = i;
    ASSERT_GE(Grey, 0);
    P.ScrollPresetThumbs(true);
    guitest::Pump();
    TPaintBox32* Tile = P.Tile(Grey);
    if (Tile->Top() + Tile->Height() < P.boxScroll->Height()) {
        ClickButton(Tile);
    } else {
        P.ApplyThumbnailPreset(Grey);
    }
    EXPECT_EQ(ActionRows(), Actions + 1);
    const TColor32 C = Doc()->SrcBmp()->Pixel(10, 10);
    EXPECT_EQ((C >> 16) & 0xFF, C & 0xFF) << "grey";
}

TEST_F(MainWindow, ASlowPresetOnAPictureOfMoreThanEightMillionPixelsAsksFirst)
{
    TPresetPanel& P = Form->Presets();
    TRow* Blur = nullptr;
    for (Integer i = 0; i < EffectPresetTable->ItemCount() && !Blur; ++i)
        if (EffectPresetTable->GetItem(i)->GetItem(PresetCell::Kind)->Value() == emBlur)
            Blur = EffectPresetTable->GetItem(i);
    ASSERT_NE(Blur, nullptr);
    P.tabThumb->SetTabIndex(Blur->GetItem(PresetCell::SubType)->Value());
    P.tabThumbChange(P.tabThumb);
    Integer Index = -1;
    for (Integer i = 0; i < Integer(P.PageRows().size()); ++i)
        if (P.PageRows()[size_t(i)] == Blur) Index = i;
    ASSERT_GE(Index, 0);

    Integer Asked = 0, Dialogs = 0;
    P.OnAskLarge = [&](const String&) {
        ++Asked;
        return false;
    };
    Form->Effects().OnDialogShown = [&](TForm& D) {
        ++Dialogs;
        WhenModal(&D, [&D] { D.SetModalResult(mrCancel); });
    };
    for (auto [Height, Asks] : {std::pair{2001, true}, {2000, false}}) {
        ConfigTable->GetItem(1)->GetItem(0)->SetValue(4000);
        ConfigTable->GetItem(1)->GetItem(1)->SetValue(Height);
        ASSERT_TRUE(Form->Documents().LoadDocument(String(), true));
        Asked = Dialogs = 0;
        P.ApplyThumbnailPreset(Index);
        EXPECT_EQ(Asked, Asks ? 1 : 0) << Height;
        EXPECT_EQ(Dialogs, Asks ? 0 : 1) << Height << ": No stops before the dialog";
    }
}

TEST_F(MainWindow, TheRightPanelSwitchAndThePointerInTheStatusBar)
{
    const bool Was = Form->pnlRight->Visible();
    EXPECT_EQ(Tools().sbShowRight->Down(), Was);
    ClickButton(Tools().sbShowRight);
    EXPECT_EQ(Form->pnlRight->Visible(), !Was);
    ClickButton(Tools().sbShowRight);
    EXPECT_EQ(Form->pnlRight->Visible(), Was);

    guitest::MovePointer(Screen({40, 30}));
    guitest::PumpUntil([&] { return !Form->Layout().PartAs<TLabel>(u"lblXY")->Caption().empty(); }, 1000);
    // The image point under the pointer, within the view's rounding of its centring.
    const String XY = Form->Layout().PartAs<TLabel>(u"lblXY")->Caption();
    EXPECT_TRUE(XY == u"40, 30" || XY == u"39, 30" || XY == u"40, 29" || XY == u"39, 29") << UTF8Encode(XY);
}

TEST_F(MainWindow, AnOpacityDragChangesTheObjectAsItGoesAndIsOneUndoStep)
{
    ClickButton(B(u"sbShape3"));
    Drag({20, 20}, {120, 80});
    ASSERT_EQ(Doc()->ObjectSelectedCount(), 1);
    TImgShape* Shape = Doc()->Shape();
    const Integer Undos = Doc()->UndoCount();
    TsfSkinSlider* S = Tools().sliderOpacity;
    ASSERT_TRUE(S->Visible());
    const TRect Thumb = S->Core().ThumbRect();
    const TPoint From{(Thumb.Left + Thumb.Right) / 2, (Thumb.Top + Thumb.Bottom) / 2};
    guitest::MovePointer(S->ClientToScreen(From));
    guitest::LeftButton(true);
    guitest::Pump();
    for (Integer x = From.X - 10; x > S->Width() / 3; x -= 10) guitest::MovePointer(S->ClientToScreen(TPoint{x, From.Y}));
    EXPECT_LT(Shape->Opacity(), 255) << "the object follows the slider";
    EXPECT_EQ(Doc()->UndoCount(), Undos) << "no step while dragging";
    guitest::LeftButton(false);
    guitest::PumpUntil([&] { return Doc()->UndoCount() > Undos; }, 1000);
    EXPECT_EQ(Doc()->UndoCount(), Undos + 1);
    EXPECT_EQ(Tools().lblOpacity->Caption(), OpacityText(Shape->Opacity()));

    // The third width button of the first page: width 3.
    ClickButton(Tools().sbWidth[2]);
    EXPECT_EQ(Shape->OutWidth(), 3);
    EXPECT_EQ(Doc()->UndoCount(), Undos + 2);
}

TEST_F(MainWindow, ATransparentPictureShowsACheckerboardBehindIt)
{
    ConfigTable->GetItem(1)->GetItem(3)->SetValue(2);  // a transparent canvas
    ASSERT_TRUE(Form->Documents().LoadDocument(String(), true));
    ASSERT_TRUE(Doc()->CanvasTransparent());
    Form->Image->SetScale(1);
    Doc()->SetScale(1);
    Doc()->Draw();
    Form->Image->Invalidate();
    // The middles of three squares: light, dark (to the right), light (below that).
    const TPoint A = Screen({4, 4}), B = Screen({12, 4}), C = Screen({12, 12});
    EXPECT_TRUE(guitest::PumpUntil([&] {
        return guitest::ScreenPixelNow(A.X, A.Y) == RGB(255, 255, 255) &&
               guitest::ScreenPixelNow(B.X, B.Y) == RGB(0xCC, 0xCC, 0xCC) &&
               guitest::ScreenPixelNow(C.X, C.Y) == RGB(255, 255, 255);
    })) << std::hex << guitest::ScreenPixelNow(A.X, A.Y) << " " << guitest::ScreenPixelNow(B.X, B.Y) << " "
        << guitest::ScreenPixelNow(C.X, C.Y);
}

TEST_F(MainWindow, RestoreBringsBackThePictureAsLoadedAndDropsTheActions)
{
    auto Loaded = std::make_unique<TCustomBitmap32>();
    Loaded->Assign(Doc()->SrcBmp());
    Doc()->SetEffectMode(emInvert);
    Doc()->EffectBegin();
    Doc()->EffectDo(0, false);
    Doc()->EffectEnd(true);
    Doc()->SetEffectMode(emNone);
    Doc()->Draw();
    ASSERT_EQ(ActionRows(), 1);
    ASSERT_FALSE(SamePixels(*Doc()->SrcBmp(), *Loaded));
    const Integer Undos = Doc()->UndoCount();
    ClickButton(Tools().btnRestore);
    EXPECT_TRUE(SamePixels(*Doc()->SrcBmp(), *Loaded));
    EXPECT_EQ(ActionRows(), 0);
    EXPECT_EQ(Doc()->UndoCount(), Undos + 1) << "the restore is a step of its own";
}

TEST_F(MainWindow, ToolButtonsShowTheirOwnGlyphsWhateverTheFonts)
{
    guitest::MovePointer(Screen({290, 190}));  // over the canvas: no button is hot
    guitest::Pump();
    const auto& Defs = ToolButtonDefs();
    std::vector<TsfSkinSpeedButton*> Shown;
    for (const TToolButtonDef& D : Defs)
        if (B(D.Name)->Visible()) Shown.push_back(B(D.Name));
    ASSERT_EQ(Shown.size(), 40u) << "four of the 44 wait behind their partners";
    for (TsfSkinSpeedButton* Button : Shown)
        if (!CoveredInTheLeftPanel(Button)) EXPECT_TRUE(ShowsItsGlyph(Button)) << UTF8Encode(Button->Name());

    // The vector, basic and selection tools' glyphs, as the golden strip has them.
    std::vector<TsfSkinSpeedButton*> Strip1;
    for (const TToolButtonDef& D : Defs)
        if (D.Group != TToolGroup::Magic && B(D.Name)->Visible()) Strip1.push_back(B(D.Name));
    TCustomBitmap32 Strip;
    Strip.SetSize(ToolGlyphSize * Integer(Strip1.size()), ToolGlyphSize);
    for (size_t i = 0; i < Strip1.size(); ++i) {
        const std::vector<TColor32> Px = GlyphPixels(Strip1[i]);
        for (Integer y = 0; y < ToolGlyphSize; ++y)
            for (Integer x = 0; x < ToolGlyphSize; ++x)
                Strip.SetPixel(Integer(i) * ToolGlyphSize + x, y, Px[size_t(y * ToolGlyphSize + x)]);
    }
    const char* Root = std::getenv("LM_TEST_DATA");
    const String File = UTF8ToString(std::string(Root ? Root : "tests/data") + "/shell/tool_glyphs.bmp");
    if (std::getenv("LM_UPDATE_GOLDEN")) Strip.SaveToFile(File, false);
    TCustomBitmap32 Golden;
    ASSERT_NO_THROW(Golden.LoadFromFile(File));
    if (!SamePixels(Strip, Golden)) {
        Strip.SaveToFile(u"actual_tool_glyphs.bmp", false);
        ADD_FAILURE() << "the tool buttons' glyphs differ from tests/data/shell/tool_glyphs.bmp";
    }

    // Down, and the property bar's buttons, disabled ones too.
    ClickButton(B(u"sbShape2"));
    guitest::MovePointer(Screen({290, 190}));
    guitest::Pump();
    EXPECT_TRUE(ShowsItsGlyph(B(u"sbShape2")));
    for (TsfSkinSpeedButton* Button : {Tools().sbArrow[0], Tools().sbArrow[1], Tools().sbArrow[2], Tools().sbSave,
                                       Tools().sbUndo, Tools().sbRedo}) {
        ASSERT_TRUE(Button->Visible()) << UTF8Encode(Button->Name());
        EXPECT_TRUE(ShowsItsGlyph(Button)) << UTF8Encode(Button->Name());
    }
}

TEST_F(MainWindow, ACropShowsTheNewSizeAndRemembersWhetherToRemindOfTheOriginal)
{
    const struct {
        Integer W, H;
        bool Remind;  // less than half kept of more than 2560000 pixels
    } Cases[] = {{2000, 1500, true}, {300, 200, false}};
    auto* Size = Form->Layout().PartAs<TLabel>(u"lblImageSize");
    ASSERT_NE(Size, nullptr);
    for (const auto& C : Cases) {
        ConfigTable->GetItem(1)->GetItem(0)->SetValue(C.W);
        ConfigTable->GetItem(1)->GetItem(1)->SetValue(C.H);
        ASSERT_TRUE(Form->Documents().LoadDocument(String(), true));
        Form->Image->SetScale(1);
        Doc()->SetScale(1);
        guitest::Pump();
        EXPECT_EQ(Size->Caption(), ImageSizeText(C.W, C.H));
        ClickButton(B(u"sbToolCrop"));
        // Around the middle, which the view shows of a large picture too.
        Drag({C.W / 2 - 50, C.H / 2 - 30}, {C.W / 2 + 50, C.H / 2 + 30});
        ASSERT_TRUE(Doc()->CropExists());
        Doc()->Crop();
        EXPECT_EQ(Size->Caption(), ImageSizeText(Doc()->Width(), Doc()->Height())) << C.W;
        EXPECT_LT(Doc()->Width(), C.W);
        EXPECT_EQ(Tools().RemindReplaceOriginal(), C.Remind) << C.W;
    }
    // Restore brings the first size back, and says so.
    ClickButton(Tools().btnRestore);
    EXPECT_EQ(Size->Caption(), ImageSizeText(300, 200));
}

TEST_F(MainWindow, TheIdlePassShowsTheMeasuringPanelWithTheRulerAndHidesAnEmptyTimeText)
{
    TCanvasRulers& Rulers = Form->Rulers();
    ASSERT_NE(Rulers.pnlPropRuler, nullptr);
    Tools().IdleUpdate();
    EXPECT_FALSE(Rulers.pnlPropRuler->Visible());

    // The ruler from the hand's menu: the panel shows at the foot of the canvas, its clear button idle.
    Tools().PairItem(1, true)->Click();
    guitest::Pump();
    ASSERT_EQ(Tools().Tools().ShapeType(), shRuler);
    Tools().IdleUpdate();
    EXPECT_TRUE(Rulers.pnlPropRuler->Visible());
    EXPECT_FALSE(Rulers.btnRulerClear->Enabled());
    const TRect Canvas{Form->pnlLeft->Width(), Form->pnlProp->Height(), Form->pnlLeft->Width() + Form->Image->Width(),
                       Form->pnlProp->Height() + Form->Image->Height()};
    EXPECT_GE(Rulers.pnlPropRuler->Left(), Canvas.Left);
    EXPECT_LE(Rulers.pnlPropRuler->Left() + Rulers.pnlPropRuler->Width(), Canvas.Right);
    EXPECT_LT(Rulers.pnlPropRuler->Top(), Canvas.Bottom);
    EXPECT_GT(Rulers.pnlPropRuler->Top(), Canvas.Top + Form->Image->Height() / 2);

    // A measurement outlives the tool; without one the panel goes with it.
    Doc()->SetRulerEnabled(true);
    ClickButton(B(u"sbShape3"));
    Tools().IdleUpdate();
    EXPECT_TRUE(Rulers.pnlPropRuler->Visible());
    EXPECT_TRUE(Rulers.btnRulerClear->Enabled());
    Doc()->SetRulerEnabled(false);
    Tools().IdleUpdate();
    EXPECT_FALSE(Rulers.pnlPropRuler->Visible());

    auto* Msg1 = Form->Layout().PartAs<TLabel>(u"lblMsg1");
    Msg1->SetCaption(u"12:00");
    Tools().IdleUpdate();
    EXPECT_TRUE(Msg1->Visible());
    Msg1->SetCaption(String());
    Tools().IdleUpdate();
    EXPECT_FALSE(Msg1->Visible());
}

TEST_F(MainWindow, TheOutlineColourWithNoToolChangesTheObjectButNoRowAndOffKeepsTheColour)
{
    ClickButton(B(u"sbShape3"));
    Drag({20, 20}, {120, 80});
    ASSERT_EQ(Doc()->ObjectSelectedCount(), 1);
    TImgShape* Rect = Doc()->Shape();
    Tools().SelectTool(shNone);
    const Integer NoneRow = PropertyTable->GetItem(shNone)->GetItem(14)->Value();
    const Integer RectRow = PropertyTable->GetItem(shRectangle)->GetItem(14)->Value();
    const Integer Undo = Doc()->UndoIndex();

    // A pick sets the colour, which reports the change.
    Tools().clColor->SetDrawColorMarker(true);
    Tools().clColor->SetColorValue(0x00FF00);
    EXPECT_EQ(Rect->Color(), TColor(0x00FF00));
    EXPECT_TRUE(Rect->IsOutline());
    EXPECT_EQ(PropertyTable->GetItem(shNone)->GetItem(14)->Value(), NoneRow);
    EXPECT_EQ(PropertyTable->GetItem(shRectangle)->GetItem(14)->Value(), RectRow);
    EXPECT_EQ(Doc()->UndoIndex(), Undo + 1);

    // The marker off: the outline goes, its colour stays for the next time.
    Tools().clColor->SetDrawColorMarker(false);
    Tools().clColor->SetColorValue(0xFF0000);
    EXPECT_FALSE(Rect->IsOutline());
    EXPECT_EQ(Rect->Color(), TColor(0x00FF00));
}

TEST_F(MainWindow, APickFromTheScreenSetsTheOutlineButtonAndItsMarker)
{
    auto* Button = dynamic_cast<TsfSkinColorButton*>(Form->FindComponent(u"clColor"));
    ASSERT_NE(Button, nullptr);
    ASSERT_TRUE(Button->OnStartPickColor);
    guitest::MovePointer(TPoint{3, 3});
    const COLORREF Want = guitest::ScreenPixel(3, 3);
    Button->OnStartPickColor(Button);
    ASSERT_NE(Form->ColorHandlers().ScreenPick(), nullptr);
    ASSERT_TRUE(Form->ColorHandlers().ScreenPick()->Running());
    guitest::MovePointer(TPoint{4, 3});
    guitest::MovePointer(TPoint{3, 3});
    guitest::LeftButton(false);
    ASSERT_TRUE(guitest::PumpUntil([&] { return !Form->ColorHandlers().ScreenPick()->Running(); }));
    EXPECT_EQ(static_cast<COLORREF>(Button->ColorValue()), Want);
    EXPECT_TRUE(Button->DrawColorMarker());
    EXPECT_FALSE(GetAsyncKeyState(VK_LBUTTON) & 0x8000);
}
