// The main window itself with real input: the zoom controls of the status
// bar and the wheel, the rulers beside the canvas with the pointer mark, the
// canvas's edit menu with its rules and commands, the keys of the edit
// commands with undo, the rotation menu, guides and the canvas-edge drag.
// Pixels are read back from the screen.
#include "../../dialogs/win/DialogTest.h"

#include <cmath>

#include "Component/Raster32/win/Ras32_Image.h"
#include "dialogs/win/ImageMosaic.h"
#include "document/ImageClipboard.h"
#include "document/win/ImageDraw_Win.h"
#include "filters/FiltersStartup.h"
#include "foundation/HyDataTable.h"
#include "foundation/win/HyFileUtils_Image.h"
#include "framework/controls/win/StdCtrls.h"
#include "shell/RulerLayout.h"
#include "shell/ZoomSteps.h"
#include "shell/win/CanvasInput.h"
#include "shell/win/CanvasRulers.h"
#include "shell/win/CanvasZoom.h"
#include "shell/win/EditorCommands.h"
#include "shell/win/EffectLauncher.h"
#include "shell/win/MainLayout.h"
#include "shell/win/MainLocale.h"
#include "shell/win/OpenDocuments.h"
#include "shell/win/OpenFileStrip.h"
#include "shell/win/PresetPanel.h"
#include "shell/win/ToolPanels.h"
#include "shell/win/ZezavEzazerForm.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinScrollBar.h"
#include "skin/controls/win/SkinTrackBars.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/frame/win/SkinMenus.h"

namespace {

constexpr COLORREF Red = RGB(255, 0, 0), Blue = RGB(0, 0, 255), Black = RGB(0, 0, 0);

// Answers for the documents' questions: nothing is asked of a person.
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

void Keys(std::initializer_list<WORD> Down)
{
    std::vector<INPUT> In;
    for (WORD K : Down) {
        INPUT I = {};
        I.type = INPUT_KEYBOARD;
        I.ki.wVk = K;
        In.push_back(I);
    }
    for (auto It = std::rbegin(Down); It != std::rend(Down); ++It) {
        INPUT I = {};
        I.type = INPUT_KEYBOARD;
        I.ki.wVk = *It;
        I.ki.dwFlags = KEYEVENTF_KEYUP;
        In.push_back(I);
    }
    SendInput(UINT(In.size()), In.data(), sizeof(INPUT));
    guitest::Pump();
}

void Wheel(Integer Delta)
{
    INPUT I = {};
    I.type = INPUT_MOUSE;
    I.mi.dwFlags = MOUSEEVENTF_WHEEL;
    I.mi.mouseData = DWORD(Delta);
    SendInput(1, &I, sizeof(INPUT));
    guitest::Pump();
}

void Button(DWORD Flag)
{
    INPUT I = {};
    I.type = INPUT_MOUSE;
    I.mi.dwFlags = Flag;
    SendInput(1, &I, sizeof(INPUT));
}

class MainWindowCommands : public GlobalsTest {
protected:
    TfrmZezavEzazer* F = nullptr;
    TQuietPrompts Prompts;
    String Picture;

    void SetUp() override
    {
        GlobalsTest::SetUp();
        static const bool Installed = (InstallFilters(), InstallImageControls(), InstallImageDrawHooks(), true);
        (void)Installed;
        TRow& S = *ConfigTable->GetItem(1);
        S.GetItem(17)->SetAsBool(true);  // rulers shown
        S.GetItem(35)->SetValue(0);      // the wheel zooms while the picture fits
        // A 200 x 100 picture: red on the left half, blue on the right.
        TBitmap32 B;
        B.SetSize(200, 100);
        B.Clear(0xFFFF0000);
        B.FillRect(100, 0, 200, 100, 0xFF0000FF);
        Picture = Dir / u"halves.png";
        SaveBitmap32ToFile(&B, Picture, ifPng, 0);

        F = NewForm<TfrmZezavEzazer>(0, 0, 1100, 700);
        F->Documents().SetPrompts(&Prompts);
        F->SetPosition(poDesigned);
        F->SetBounds(0, 0, 1100, 700);
        ShowAndWait(F);
        WaitShown(F);
        ASSERT_TRUE(F->OpenImageFile(Picture));
        ASSERT_NE(Doc(), nullptr);
        F->Zoom().SetZoom(100, true);
        Settle();
    }
    void TearDown() override
    {
        F->Documents().SetPrompts(nullptr);
        GlobalsTest::TearDown();
    }
    TImageDraw* Doc() { return F->Documents().Live(); }
    // The rectangle of the topmost object that is not a crop or selection.
    TRect LastObjectRect()
    {
        for (Integer I = Doc()->DT()->ItemCount() - 1; I >= 0; --I)
            if (TImgShape* S = TImageDraw::RowShape(Doc()->DT()->GetItem(I))) return S->SRect();
        return TRect{};
    }
    // Lets every part repaint and the screen show it.
    void Settle()
    {
        RedrawWindow(F->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        guitest::Pump();
    }
    // A screen point of an image point of the live document.
    TPoint ScreenOf(TPoint Image) { return F->Image->ClientToScreen(F->Image->BitmapToControl(Image)); }
    COLORREF CanvasPixel(TPoint Image)
    {
        const TPoint P = ScreenOf(Image);
        return guitest::ScreenPixel(P.X, P.Y);
    }
    void ClickControl(TControl* C) { Click(ScreenCentre(C)); }
    // The screen point of an item in the open levels of the skinned menu.
    bool FindMenuItem(TMenuItem* Item, TPoint& At)
    {
        TsfSkinMenu* Engine = F->SkinForm()->SkinMenu();
        for (Integer L = 0; Engine->Visible() && L < Engine->LevelCount(); ++L) {
            TsfSkinPopupWindow* Level = Engine->Level(L);
            for (auto& I : Level->ItemList)
                if (I->MenuItem == Item) {
                    const TRect& R = I->ObjectRect;
                    At = Level->ClientToScreen(TPoint{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
                    return true;
                }
        }
        return false;
    }
    // A real click on a menu item of an open skinned menu; an item of a
    // sub-menu is reached through the item that opens it.
    bool ClickMenuItem(TMenuItem* Item)
    {
        TsfSkinMenu* Engine = F->SkinForm()->SkinMenu();
        TPoint At;
        if (!guitest::PumpUntil([&] { return FindMenuItem(Item, At); }, 1000)) {
            TMenuItem* Parent = Item->Parent();
            if (!Parent || !FindMenuItem(Parent, At)) return false;
            Click(At);
            if (!guitest::PumpUntil([&] { return FindMenuItem(Item, At); })) return false;
        }
        Click(At);
        return guitest::PumpUntil([&] { return !Engine->Visible(); });
    }
    // A right click on the canvas at an image point: the edit menu opens.
    void RightClick(TPoint Image)
    {
        guitest::MovePointer(ScreenOf(Image));
        Button(MOUSEEVENTF_RIGHTDOWN);
        guitest::Pump();
        Button(MOUSEEVENTF_RIGHTUP);
        guitest::Pump();
    }
    // A drag with the left button between two image points by real input.
    void Drag(TPoint From, TPoint To)
    {
        guitest::MovePointer(ScreenOf(From));
        guitest::LeftButton(true);
        guitest::PumpUntil([&] { return F->CanvasInput().Core().MouseDownLeft(); }, 1000);
        guitest::MovePointer(ScreenOf({(From.X + To.X) / 2, (From.Y + To.Y) / 2}));
        guitest::MovePointer(ScreenOf(To));
        guitest::LeftButton(false);
        guitest::PumpUntil([&] { return !F->CanvasInput().Core().MouseDownLeft(); }, 1000);
        guitest::Pump();
    }
    void FocusCanvas()
    {
        F->Image->SetFocus();
        guitest::PumpUntil([&] { return GetFocus() == F->Image->Handle(); });
    }
    // The ruler's pixels in one row, as black or not, over its width.
    std::vector<Integer> BlackColumns(Integer Row)
    {
        TPaintBox32* Box = F->Rulers().FRulerPaintBox[0];
        const TPoint O = Box->ClientToScreen(TPoint{0, 0});
        auto Shot = guitest::CaptureScreen(TRect{O.X, O.Y + Row, O.X + Box->Width(), O.Y + Row + 1});
        std::vector<Integer> Xs;
        for (Integer X = RulerThickness; X < Box->Width(); ++X)
            if (Shot->Pixel(X, 0) == 0) Xs.push_back(X);
        return Xs;
    }
    // Where the labelled ticks of the ruler lie at the view's zoom and scroll.
    std::vector<Integer> LabelledTicks()
    {
        std::vector<Integer> Xs;
        const Integer W = F->Rulers().FRulerPaintBox[0]->Width();
        for (const TRulerTick& T : RulerTicks(CalcRulerSpacing(F->Image->ScaleX()), F->Image->OffsetHorz(), W))
            if (T.Top == 0 && T.X >= RulerThickness && T.X < W) Xs.push_back(T.X);
        std::sort(Xs.begin(), Xs.end());
        return Xs;
    }
};

TEST_F(MainWindowCommands, ZoomButtonsMenuAndWheelChangeTheCanvasScale)
{
    TCanvasZoom& Z = F->Zoom();
    EXPECT_EQ(CanvasPixel({10, 50}), Red);
    EXPECT_EQ(CanvasPixel({150, 50}), Blue);

    ClickControl(Z.sbZoomInc);
    EXPECT_EQ(Z.CurrentZoom(), 400);
    EXPECT_EQ(Z.trbZoom->Value(), 120);
    EXPECT_EQ(Z.sbZoom->Caption(), u"400%");
    EXPECT_EQ(Doc()->Scale(), 4.0f);
    Settle();
    // The picture is four times as large on the screen: a point 30 image
    // pixels in shows the left half, 120 pixels the right.
    EXPECT_EQ(F->Image->BitmapToControl(TPoint{30, 0}).X - F->Image->BitmapToControl(TPoint{0, 0}).X, 120);
    F->Image->ScrollToCenter(100, 50);
    Settle();
    EXPECT_EQ(CanvasPixel({90, 50}), Red);
    EXPECT_EQ(CanvasPixel({110, 50}), Blue);

    ClickControl(Z.sbZoomDec);
    EXPECT_EQ(Z.CurrentZoom(), 100);

    // The wheel over a picture that fits the view zooms: down out, up in.
    guitest::MovePointer(ScreenOf({50, 50}));
    Wheel(-WHEEL_DELTA);
    EXPECT_EQ(Z.CurrentZoom(), 50);
    EXPECT_EQ(Z.sbZoom->Caption(), u"50%");
    Wheel(WHEEL_DELTA);
    EXPECT_EQ(Z.CurrentZoom(), 100);

    // The zoom menu, opened by its button, checks the zoom shown; an item sets it.
    ClickControl(Z.sbZoom);
    TMenuItem* Item800 = nullptr;
    for (Integer I = 0; I < Z.pmZoom->Items()->Count(); ++I) {
        TMenuItem* Item = Z.pmZoom->Items()->Items(I);
        EXPECT_EQ(Item->Checked(), Item->Caption() == u"100%") << UTF8Encode(Item->Caption());
        if (Item->Tag() == 800) Item800 = Item;
    }
    ASSERT_NE(Item800, nullptr);
    ASSERT_TRUE(ClickMenuItem(Item800));
    EXPECT_EQ(Z.CurrentZoom(), 800);
    EXPECT_EQ(Z.trbZoom->Value(), 147);

    // F3 toggles between 100 % and 1600 %.
    FocusCanvas();
    Keys({VK_F3});
    EXPECT_EQ(Z.CurrentZoom(), 100);
    Keys({VK_F3});
    EXPECT_EQ(Z.CurrentZoom(), 1600);
    EXPECT_EQ(Z.sbZoom->Caption(), u"1600%");

    // Fit: a 200 x 100 picture by the view's tighter side.
    ClickControl(Z.sbFittoWindow);
    const Integer Expected = FitZoom(F->Image->Width(), F->Image->Height(), 200, 100);
    EXPECT_EQ(Z.CurrentZoom(), Expected);
    ClickControl(Z.sbActualSize);
    EXPECT_EQ(Z.CurrentZoom(), 100);

    // A zoom between the track bar's steps keeps its value; the track bar
    // moved by its user sets the zoom it stands for.
    Z.SetZoom(150, true);
    EXPECT_EQ(Z.trbZoom->Value(), 103);
    EXPECT_EQ(Z.CurrentZoom(), 150);
    Z.trbZoom->SetValue(120);
    EXPECT_EQ(Z.CurrentZoom(), 400);
}

TEST_F(MainWindowCommands, RulersShowTicksAtTheZoomAndMarkThePointer)
{
    TCanvasRulers& R = F->Rulers();
    ASSERT_TRUE(R.RulersShown());
    Settle();
    // Row 10 is below the labels and above the minor ticks: only labelled
    // ticks are black there.
    std::vector<Integer> Ticks = LabelledTicks();
    ASSERT_GE(Ticks.size(), 3u);
    EXPECT_EQ(Ticks[1] - Ticks[0], 50);
    EXPECT_EQ(BlackColumns(10), Ticks);
    EXPECT_EQ(R.Spacing().Spacing, 50);

    F->Zoom().SetZoom(200, true);
    Settle();
    Ticks = LabelledTicks();
    ASSERT_GE(Ticks.size(), 3u);
    EXPECT_EQ(Ticks[1] - Ticks[0], 40);
    EXPECT_EQ(BlackColumns(10), Ticks);
    EXPECT_EQ(R.Spacing().Value, 20);

    // The pointer over the canvas puts a red mark in the ruler above it.
    F->Zoom().SetZoom(100, true);
    Settle();
    const TPoint View = F->Image->BitmapToControl(TPoint{60, 40});
    guitest::MovePointer(ScreenOf({60, 40}));
    TPaintBox32* Top = R.FRulerPaintBox[0];
    const TPoint O = Top->ClientToScreen(TPoint{View.X + RulerThickness, 10});
    EXPECT_TRUE(guitest::PumpUntil([&] { return guitest::ScreenPixel(O.X, O.Y) == Red; }));
    // Off the canvas the mark goes.
    guitest::MovePointer(ScreenCentre(F->Zoom().sbActualSize));
    EXPECT_TRUE(guitest::PumpUntil([&] { return guitest::ScreenPixel(O.X, O.Y) != Red; }));

    // Millimetres, chosen on the ruler's own menu by a right click: the
    // labelled ticks stand 10 mm (37.8 pixels) apart, rounded from the
    // exact distance.
    F->Image->ScrollToCenter(0, 0);
    Settle();
    const TPoint OnRuler = Top->ClientToScreen(TPoint{200, 8});
    guitest::MovePointer(OnRuler);
    Button(MOUSEEVENTF_RIGHTDOWN);
    guitest::Pump();
    Button(MOUSEEVENTF_RIGHTUP);
    guitest::Pump();
    ASSERT_TRUE(ClickMenuItem(R.muRulerUnit[2]));
    EXPECT_EQ(ConfigTable->GetItem(1)->GetItem(18)->Value(), 2);
    EXPECT_DOUBLE_EQ(R.UnitSpacing().Value, 10);
    EXPECT_EQ(R.Spacing().Spacing, 0) << "no pixel layout is drawn in millimetres";
    Settle();
    std::vector<Integer> Millimetres;
    for (const TRulerTick& T :
         UnitRulerTicks(R.UnitSpacing(), F->Image->OffsetHorz(), Top->Width(), u'.'))
        if (T.Top == 0 && T.X >= RulerThickness) Millimetres.push_back(T.X);
    std::sort(Millimetres.begin(), Millimetres.end());
    ASSERT_GE(Millimetres.size(), 3u);
    EXPECT_NEAR(Millimetres[1] - Millimetres[0], 38, 1);
    EXPECT_EQ(BlackColumns(10), Millimetres);
    // Back to pixels by the same menu.
    guitest::MovePointer(OnRuler);
    Button(MOUSEEVENTF_RIGHTDOWN);
    guitest::Pump();
    Button(MOUSEEVENTF_RIGHTUP);
    guitest::Pump();
    EXPECT_TRUE(R.muRulerUnit[2]->Checked());
    ASSERT_TRUE(ClickMenuItem(R.muRulerUnit[0]));
    EXPECT_EQ(R.Spacing().Spacing, 50);

    // Hidden rulers give their room to the canvas.
    const Integer Left = F->Image->Left();
    R.ShowRulers(false);
    guitest::Pump();
    EXPECT_FALSE(ConfigTable->GetItem(1)->GetItem(17)->AsBool());
    EXPECT_EQ(F->Image->Left(), Left - RulerThickness);
}

TEST_F(MainWindowCommands, TheEditMenuFollowsWhatIsSelectedAndRunsItsCommands)
{
    TEditorCommands& C = F->Commands();
    // Nothing selected: no cut or flip, but the guides.
    RightClick({50, 50});
    EXPECT_TRUE(C.Item(u"muGuides")->Visible());
    EXPECT_FALSE(C.Item(u"muCut")->Enabled());
    EXPECT_FALSE(C.Item(u"muFlip")->Visible());
    EXPECT_FALSE(C.Item(u"muCrop")->Visible());
    // A horizontal guide through the point of the right click.
    ASSERT_TRUE(ClickMenuItem(C.Item(u"muHorzGuides")));
    ASSERT_EQ(Doc()->HorzGuidesRow()->ItemCount(), 1);
    EXPECT_EQ(Doc()->HorzGuidesRow()->GetItem(0)->Value(), 50);

    // The picture copied becomes a bitmap object in the middle of the view.
    C.muCopyImageClick(nullptr);
    ASSERT_NE(ImageClipboard(), nullptr);
    C.muPasteImageClick(nullptr);
    ASSERT_EQ(Doc()->ShapeSelectedCount(), 1);
    const Integer Undo0 = Doc()->UndoIndex();

    RightClick({100, 30});
    EXPECT_TRUE(C.Item(u"muCut")->Enabled());
    EXPECT_TRUE(C.Item(u"muFlip")->Visible());
    EXPECT_TRUE(C.Item(u"muOrder")->Visible());
    EXPECT_FALSE(C.Item(u"muGuides")->Visible());
    // Delete, from the menu.
    ASSERT_TRUE(ClickMenuItem(C.Item(u"muDelete")));
    EXPECT_EQ(Doc()->ShapeEditableCount(), 0);
    EXPECT_EQ(Doc()->UndoIndex(), Undo0 + 1);

    // Ctrl+Z brings it back; Ctrl+Shift+Z takes it away again.
    FocusCanvas();
    Keys({VK_CONTROL, 'Z'});
    EXPECT_EQ(Doc()->ShapeEditableCount(), 1);
    Keys({VK_CONTROL, VK_SHIFT, 'Z'});
    EXPECT_EQ(Doc()->ShapeEditableCount(), 0);
    Keys({VK_CONTROL, 'Z'});
    ASSERT_EQ(Doc()->ShapeEditableCount(), 1);

    // Copy and paste with the pointer inside the picture: the copy's corner
    // goes to the pointer; with the pointer on the left edge (x = 0) it goes
    // to the middle of the view.
    Keys({VK_CONTROL, 'A'});
    ASSERT_EQ(Doc()->ShapeSelectedCount(), 1);
    Keys({VK_CONTROL, 'C'});
    guitest::MovePointer(ScreenOf({20, 30}));
    ASSERT_EQ(F->CanvasInput().Core().LastImagePoint(), (TPoint{20, 30}));
    Keys({VK_CONTROL, 'V'});
    ASSERT_EQ(Doc()->ShapeEditableCount(), 2);
    EXPECT_EQ(Doc()->Shape()->SRect().Left, 20);
    EXPECT_EQ(Doc()->Shape()->SRect().Top, 30);
    guitest::MovePointer(ScreenOf({0, 30}));
    ASSERT_EQ(F->CanvasInput().Core().LastImagePoint().X, 0);
    Keys({VK_CONTROL, 'V'});
    ASSERT_EQ(Doc()->ShapeEditableCount(), 3);
    const TRect Pasted = Doc()->Shape()->SRect();
    const Integer CX = F->Documents().GetViewCenterX(), CY = F->Documents().GetViewCenterY();
    EXPECT_NE(Pasted.Left, 0);
    EXPECT_TRUE(Pasted.Left <= CX && CX <= Pasted.Right && Pasted.Top <= CY && CY <= Pasted.Bottom)
        << Pasted.Left << "," << Pasted.Top << " " << Pasted.Right << "," << Pasted.Bottom << " centre " << CX << ","
        << CY;

    // Select all and merge them into the picture; then nothing is left to cut.
    Keys({VK_CONTROL, 'A'});
    EXPECT_EQ(Doc()->ShapeSelectedCount(), 3);
    Keys({VK_CONTROL, 'M'});
    EXPECT_EQ(Doc()->ShapeEditableCount(), 0);
}

TEST_F(MainWindowCommands, RotationMenuFlipsAndTurnsThePicture)
{
    TEditorCommands& C = F->Commands();
    C.pmRotate->Popup(ScreenCentre(F->Zoom().sbActualSize).X, 300);
    ASSERT_TRUE(ClickMenuItem(C.Item(u"muFlipHorz")));
    Settle();
    EXPECT_EQ(CanvasPixel({10, 50}), Blue);
    EXPECT_EQ(CanvasPixel({190, 50}), Red);

    C.pmRotate->Popup(ScreenCentre(F->Zoom().sbActualSize).X, 300);
    ASSERT_TRUE(ClickMenuItem(C.Item(u"muRotateRight90")));
    EXPECT_EQ(Doc()->Width(), 100);
    EXPECT_EQ(Doc()->Height(), 200);
    Settle();
    // Blue was on the left: a clockwise quarter turn puts it on top.
    EXPECT_EQ(CanvasPixel({50, 10}), Blue);
    EXPECT_EQ(CanvasPixel({50, 190}), Red);

    FocusCanvas();
    Keys({VK_CONTROL, 'Z'});
    Keys({VK_CONTROL, 'Z'});
    Settle();
    EXPECT_EQ(Doc()->Width(), 200);
    EXPECT_EQ(CanvasPixel({10, 50}), Red);
}

TEST_F(MainWindowCommands, DraggingTheTopLeftCanvasHandleGrowsTheCanvasAndMovesTheObjects)
{
    F->Commands().muCopyImageClick(nullptr);
    F->Commands().muPasteImageClick(nullptr);
    ASSERT_EQ(Doc()->ShapeEditableCount(), 1);
    const TRect Before = LastObjectRect();
    F->Commands().DropSelectionShape(false);
    Settle();

    Doc()->CalcCanvasCtrRects();
    const TRect H = Doc()->CanvasCtrRect(1);
    const TPoint From = F->Image->ClientToScreen(TPoint{(H.Left + H.Right) / 2, (H.Top + H.Bottom) / 2});
    guitest::MovePointer(From);
    guitest::MovePointer({From.X + 1, From.Y});
    guitest::MovePointer(From);
    ASSERT_EQ(Doc()->CanvasCtrIndex(), 1);
    guitest::LeftButton(true);
    guitest::Pump();
    guitest::MovePointer({From.X - 5, From.Y - 10});
    guitest::MovePointer({From.X - 10, From.Y - 20});
    guitest::LeftButton(false);
    ASSERT_TRUE(guitest::PumpUntil([&] { return Doc()->Width() != 200; }));
    EXPECT_EQ(Doc()->Width(), 210);
    EXPECT_EQ(Doc()->Height(), 120);
    const TRect After = LastObjectRect();
    EXPECT_EQ(After.Left - Before.Left, 10);
    EXPECT_EQ(After.Top - Before.Top, 20);
    // The picture moved with the new room on its left and top.
    Settle();
    EXPECT_NE(CanvasPixel({5, 50}), Red);
    EXPECT_EQ(CanvasPixel({15, 50}), Red);
}

TEST_F(MainWindowCommands, TheMeasuringToolShowsAngleAndLength)
{
    TCanvasRulers& R = F->Rulers();
    F->ToolPanels().SelectTool(shRuler);
    Drag({10, 10}, {20, 0});
    ASSERT_TRUE(Doc()->RulerEnabled());
    EXPECT_EQ(R.lblRulerX->Caption(), u"X: 10");
    EXPECT_EQ(R.lblRulerY->Caption(), u"Y: 10");
    EXPECT_EQ(R.lblRulerW->Caption(), u"W: 10");
    EXPECT_EQ(R.lblRulerH->Caption(), u"H: -10");
    wchar_t Sep[8] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, Sep, 8);
    EXPECT_EQ(R.lblRulerA->Caption(), u"A: 45" + String(1, char16_t(Sep[0])) + u"0°");
    EXPECT_EQ(R.lblRulerD->Caption(), u"D: 14" + String(1, char16_t(Sep[0])) + u"14");
    // The clear button takes the line away and the read-out back to its captions.
    R.pnlPropRuler->SetVisible(true);
    guitest::Pump();
    ClickControl(R.btnRulerClear);
    EXPECT_FALSE(Doc()->RulerEnabled());
    EXPECT_EQ(R.lblRulerA->Caption(), u"A: ");
}

TEST_F(MainWindowCommands, ACropFrameTakesARatioAndASavedSizeAndEnterCrops)
{
    TEditorCommands& C = F->Commands();
    F->ToolPanels().SelectTool(shCrop);
    Drag({20, 5}, {120, 95});
    ASSERT_TRUE(Doc()->CropExists());
    // The frame covers the pixels dragged over, both ends included.
    const Integer W = Doc()->Shape()->SRect().Width(), H16x9 = static_cast<Integer>(std::nearbyint(W * 9.0 / 16));
    ASSERT_EQ(W, 101);
    ASSERT_EQ(Doc()->Shape()->SRect().Height(), 91);

    // With a crop frame the menu offers cropping and its sizes, not the clipboard.
    RightClick({60, 50});
    EXPECT_TRUE(C.Item(u"muCrop")->Visible());
    EXPECT_TRUE(C.Item(u"muCropRestrainRatio")->Visible());
    EXPECT_TRUE(C.Item(u"muSaveCropSize")->Visible());
    EXPECT_FALSE(C.Item(u"muCut")->Visible());
    EXPECT_FALSE(C.Item(u"muPaste")->Visible());
    EXPECT_TRUE(C.Item(u"muCropNoRestraint")->Checked());
    // 16:9 keeps the width.
    ASSERT_TRUE(ClickMenuItem(C.Item(u"muCropRatio8")));
    EXPECT_EQ(C.CropRatioIndex(), 8);
    EXPECT_EQ(Doc()->Shape()->SRect().Width(), W);
    EXPECT_EQ(Doc()->Shape()->SRect().Height(), H16x9);
    // The size saved goes on top of the list.
    const Integer Before = F->CropSizes().ItemCount();
    RightClick({60, 30});
    ASSERT_TRUE(ClickMenuItem(C.Item(u"muSaveCropSize")));
    EXPECT_EQ(F->CropSizes().ItemCount(), std::min(Before + 1, 8));
    EXPECT_EQ(F->CropSizes().GetItem(0)->GetItem(0)->Value(), W);
    EXPECT_EQ(F->CropSizes().GetItem(0)->GetItem(1)->Value(), H16x9);

    // Enter crops the picture to the frame.
    FocusCanvas();
    Keys({VK_RETURN});
    EXPECT_FALSE(Doc()->CropExists());
    EXPECT_EQ(Doc()->Width(), W);
    EXPECT_EQ(Doc()->Height(), H16x9);
    Settle();
    // The frame lay across both halves: red from 20 to 100, blue beyond.
    EXPECT_EQ(CanvasPixel({5, 30}), Red);
    EXPECT_EQ(CanvasPixel({W - 5, 30}), Blue);
}

}  // namespace

TEST_F(MainWindowCommands, TheCommandButtonsOpenTheirMenusAndTheSliderDialogTurnsAndSkews)
{
    TEditorCommands& C = F->Commands();
    // The four menu buttons sit in the top bar inside the window.
    RECT Window;
    GetWindowRect(F->Handle(), &Window);
    for (TControl* B : {static_cast<TControl*>(C.sbCopy), static_cast<TControl*>(C.sbPaste),
                        static_cast<TControl*>(C.sbRotate), static_cast<TControl*>(C.sbMore)}) {
        ASSERT_TRUE(B->Visible()) << UTF8Encode(B->Name());
        const TPoint P = ScreenCentre(B);
        EXPECT_TRUE(P.X > Window.left && P.X < Window.right && P.Y > Window.top && P.Y < ScreenOf({0, 0}).Y)
            << UTF8Encode(B->Name());
    }

    // Custom rotation by a quarter turn through the slider dialog.
    // The dialog's own buttons are its tests' matter: here it is confirmed
    // with the slider set.
    Integer Slider = 0, Shown = 0;
    F->Effects().OnDialogShown = [&](TForm& D) {
        auto& M = dynamic_cast<TfrmImageMosaic&>(D);
        ++Shown;
        WhenModal(&M, [&, P = &M] {
            // As a slider let go at the value.
            P->sliderSize->SetValue(Slider);
            P->sliderSizeChanged(nullptr);
            P->btnOkClick(nullptr);
        });
    };
    const Integer Undo = Doc()->UndoIndex();
    Slider = 90;
    ClickControl(C.sbRotate);
    ASSERT_TRUE(ClickMenuItem(C.Item(u"muRotateCustom")));
    ASSERT_TRUE(guitest::PumpUntil([&] { return Doc()->Height() > Doc()->Width(); })) << Shown;
    EXPECT_NEAR(Doc()->Width(), 100, 2);
    EXPECT_NEAR(Doc()->Height(), 200, 2);
    EXPECT_EQ(Doc()->UndoIndex(), Undo + 1);
    EXPECT_EQ(Doc()->EffectMode(), emNone);

    // Skew from the "more" menu: the picture leans and grows wider.
    const Integer Wide = Doc()->Width();
    Slider = 50;
    ClickControl(C.sbMore);
    ASSERT_TRUE(ClickMenuItem(C.Item(u"muImageSkew")));
    ASSERT_TRUE(guitest::PumpUntil([&] { return Doc()->Width() > Wide; }))
        << Shown;
    EXPECT_EQ(Doc()->UndoIndex(), Undo + 2);
    F->Effects().OnDialogShown = nullptr;

    // The copy and paste buttons open their menus.
    ClickControl(C.sbCopy);
    ASSERT_TRUE(ClickMenuItem(C.Item(u"muCopyImage")));
    EXPECT_NE(ImageClipboard(), nullptr);
    ClickControl(C.sbPaste);
    ASSERT_TRUE(ClickMenuItem(C.Item(u"muPasteImage")));
    EXPECT_EQ(Doc()->ShapeEditableCount(), 1);
}

TEST_F(MainWindowCommands, ImageCommandsWithoutTheirDialogAreNotOfferedAndWithOneRunThem)
{
    TEditorCommands& C = F->Commands();
    // Without dialogs: hidden items and buttons.
    // The window's own dialogs are set aside for the fixtures of this test.
    struct THooks {
        TEditorCommands& C;
        decltype(C.OnImageSizeDialog) Size = std::move(C.OnImageSizeDialog);
        decltype(C.OnCanvasDialog) Canvas = std::move(C.OnCanvasDialog);
        decltype(C.OnWatermarkDialog) Watermark = std::move(C.OnWatermarkDialog);
        decltype(C.OnTransformDialog) Transform = std::move(C.OnTransformDialog);
        decltype(C.OnNewImageDialog) New = std::move(C.OnNewImageDialog);
        ~THooks()
        {
            C.OnImageSizeDialog = std::move(Size), C.OnCanvasDialog = std::move(Canvas);
            C.OnWatermarkDialog = std::move(Watermark), C.OnTransformDialog = std::move(Transform);
            C.OnNewImageDialog = std::move(New);
        }
    } Saved{C};
    C.OnImageSizeDialog = nullptr, C.OnCanvasDialog = nullptr, C.OnWatermarkDialog = nullptr;
    C.OnTransformDialog = nullptr, C.OnNewImageDialog = nullptr;
    C.ShowOfferedCommands();
    for (const char16_t* Name : {u"muImageSize", u"muImageTransform", u"muWatermark"})
        EXPECT_FALSE(C.Item(Name)->Visible()) << UTF8Encode(String(Name));
    EXPECT_FALSE(C.sbCanvas->Visible());
    EXPECT_FALSE(C.sbNew->Visible());

    // Image size: a new size is applied and recorded; the same size is not.
    Integer AskW = 100, AskH = 50;
    C.OnImageSizeDialog = [&](Integer& W, Integer& H) {
        EXPECT_EQ(W, Doc()->Width());
        W = AskW, H = AskH;
        return true;
    };
    Integer Margin = 0;
    C.OnCanvasDialog = [&](TCanvasRequest& R) {
        R.Relative = Margin >= 0;
        R.Left = R.Top = R.Right = R.Bottom = Margin;
        R.Width = 140, R.Height = 90;
        return true;
    };
    Integer Result = mrCancel;
    C.OnWatermarkDialog = [&](TImageDraw&) { return Result; };
    C.ShowOfferedCommands();
    EXPECT_TRUE(C.sbCanvas->Visible());

    // Watermark Cancel keeps the changed flag; OK sets it.
    ASSERT_FALSE(Doc()->Changed());
    ClickControl(C.sbMore);
    ASSERT_TRUE(ClickMenuItem(C.Item(u"muWatermark")));
    EXPECT_FALSE(Doc()->Changed());
    EXPECT_FALSE(Doc()->WatermarkEnabled());
    Result = mrOk;
    ClickControl(C.sbMore);
    ASSERT_TRUE(ClickMenuItem(C.Item(u"muWatermark")));
    EXPECT_TRUE(Doc()->Changed());

    Integer Undo = Doc()->UndoIndex();
    ClickControl(C.sbMore);
    ASSERT_TRUE(ClickMenuItem(C.Item(u"muImageSize")));
    EXPECT_EQ(Doc()->Width(), 100);
    EXPECT_EQ(Doc()->Height(), 50);
    EXPECT_EQ(Doc()->UndoIndex(), Undo + 1);
    ClickControl(C.sbMore);
    ASSERT_TRUE(ClickMenuItem(C.Item(u"muImageSize")));
    EXPECT_EQ(Doc()->UndoIndex(), Undo + 1) << "the same size changes nothing";

    // Canvas: margins of 0 still record a state; margins of 10 grow every side.
    ClickControl(C.sbCanvas);
    EXPECT_EQ(Doc()->UndoIndex(), Undo + 2);
    Margin = 10;
    ClickControl(C.sbCanvas);
    EXPECT_EQ(Doc()->Width(), 120);
    EXPECT_EQ(Doc()->Height(), 70);
    // A new size keeps the picture centred: 140 x 90 adds 10 on each side.
    Margin = -1;
    ClickControl(C.sbCanvas);
    EXPECT_EQ(Doc()->Width(), 140);
    EXPECT_EQ(Doc()->Height(), 90);
    Settle();
    EXPECT_NE(CanvasPixel({5, 45}), Red);
    EXPECT_EQ(CanvasPixel({25, 45}), Red);
    EXPECT_NE(CanvasPixel({25, 15}), Red);
}

TEST_F(MainWindowCommands, TheWheelScrollsThePanelUnderThePointerBeforeTheCanvas)
{
    TCanvasZoom& Z = F->Zoom();
    const Integer Zoom = Z.CurrentZoom();

    // The preset panel with a scroll bar that has room to move.
    TsfSkinScrollBar* Presets = F->Presets().ScrollBar1;
    F->pnlRight->SetVisible(true);
    Presets->SetVisible(true);
    Presets->SetEnabled(true);
    Presets->SetRange(0, 100, 0, 10);
    Presets->SetSmallChange(7);
    guitest::Pump();
    guitest::MovePointer(ScreenCentre(F->pnlRight));
    Wheel(-WHEEL_DELTA);
    EXPECT_EQ(Presets->Position(), 7);
    Wheel(WHEEL_DELTA);
    Wheel(WHEEL_DELTA);
    EXPECT_EQ(Presets->Position(), 0) << "the bar clamps at its start";
    EXPECT_EQ(Z.CurrentZoom(), Zoom);
    // A disabled bar stays where it is, and the canvas still gets nothing.
    Presets->SetEnabled(false);
    Wheel(-WHEEL_DELTA);
    EXPECT_EQ(Presets->Position(), 0);
    EXPECT_EQ(Z.CurrentZoom(), Zoom);
    Presets->SetEnabled(true);

    // The open-documents strip's scroll bar.
    ASSERT_NE(F->Documents().Strip(), nullptr);
    TsfSkinScrollBar* Strip = F->Documents().Strip()->ScrollBar2;
    Strip->SetVisible(true);
    Strip->SetEnabled(true);
    Strip->SetRange(0, 50, 0, 10);
    Strip->SetSmallChange(3);
    guitest::Pump();
    TPoint OverStrip = ScreenCentre(F->pnlOpenFile);
    guitest::MovePointer(OverStrip);
    Wheel(-WHEEL_DELTA);
    EXPECT_GT(Strip->Position(), 0);
    EXPECT_EQ(Presets->Position(), 0);
    EXPECT_EQ(Z.CurrentZoom(), Zoom);
    Strip->SetVisible(false);

    // With the strip's bar hidden the canvas takes the wheel again.
    guitest::MovePointer(ScreenOf({50, 50}));
    Wheel(-WHEEL_DELTA);
    EXPECT_EQ(Z.CurrentZoom(), ZoomStepOut(Zoom));
}

TEST_F(MainWindowCommands, TheProgramMenuOpensTheWebPagesAndTheOptionsApplyTheirSettings)
{
    TEditorCommands& C = F->Commands();
    TMenuItem* Menu = F->Locale().pmMenu->Items();
    const char16_t* Order[4] = {u"muSettings", u"muHelp", u"muForum", u"muAbout"};
    for (Integer I = 0; I < 4; ++I) EXPECT_EQ(Menu->Items(I), C.Item(Order[I])) << I;

    std::vector<std::pair<String, bool>> Opened;
    C.OnOpenWebPage = [&](const String& Link, bool Help) { Opened.push_back({Link, Help}); };
    C.muHelpClick(nullptr);
    C.muForumClick(nullptr);
    C.OnOpenWebPage = nullptr;
    ASSERT_EQ(Opened.size(), 2u);
    EXPECT_TRUE(Opened[0].second);
    EXPECT_TRUE(Opened[0].first.ends_with(u"&a=faq")) << UTF8Encode(Opened[0].first);
    EXPECT_FALSE(Opened[1].second);
    EXPECT_TRUE(Opened[1].first.ends_with(u"&a=home")) << UTF8Encode(Opened[1].first);

    // No options dialog: no options item. With one, what it stored applies.
    auto Saved = std::move(C.OnOptionsDialog);
    C.OnOptionsDialog = nullptr;
    C.ShowOfferedCommands();
    EXPECT_FALSE(C.Item(u"muSettings")->Visible());
    TRow& S = *ConfigTable->GetItem(1);
    C.OnOptionsDialog = [&] {
        S.GetItem(49)->SetAsBool(true);
        S.GetItem(34)->SetText(EscapeCellText(u"Hello, world"));
        S.GetItem(47)->SetAsBool(false);
    };
    C.ShowOfferedCommands();
    EXPECT_TRUE(C.Item(u"muSettings")->Visible());
    C.muSettingsClick(nullptr);
    EXPECT_TRUE(Doc()->NotSaveDataFile());
    EXPECT_EQ(Doc()->DefaultTextOnCreatingObject(), u"Hello, world");
    EXPECT_FALSE(F->Layout().Part(u"bevelARGB")->Visible());
    C.OnOptionsDialog = std::move(Saved);
    C.ShowOfferedCommands();
}
