// Quick buttons in a skinned form's caption: their places left of the caption
// text, their images, and clicks and menus by real input.
#include <gtest/gtest.h>
#include <windows.h>

#include "SkinControlTestEnv.h"
#include "framework/controls/win/ImgList.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/frame/win/SkinHint.h"
#include "skin/frame/win/SkinMenus.h"
#include "skin/frame/win/SkinQuickButtons.h"

using namespace guitest;
using namespace skintest;

namespace {

class SkinQuickButtons : public SkinFormTest {};

// A 16 x 16 image of one colour.
void AddImage(TCustomImageList* IL, TColor C)
{
    TBitmap B;
    B.SetPixelFormat(pf24bit);
    B.SetSize(16, 16);
    B.Canvas()->Brush()->SetColor(C);
    B.Canvas()->FillRect({0, 0, 16, 16});
    IL->Add(&B);
}

} // namespace

TEST_F(SkinQuickButtons, ButtonsSitInTheCaptionAndRunTheirItems)
{
    TForm* F = NewForm(100, 100, 100, 100);
    F->SetCaption(u"Quick");
    auto* C = new TsfSkinForm(F);
    auto* IL = new TImageList(F);
    IL->SetWidth(16);
    IL->SetHeight(16);
    AddImage(IL, clRed);
    AddImage(IL, clLime);
    int Clicks = 0, Presses = 0;
    TsfQuickButtonItems* Q = C->QuickButtons();
    TsfQuickButtonItem* A = Q->Add();
    A->SetImageIndex(0);
    A->OnClick = [&](TObject*) { ++Clicks; };
    A->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { ++Presses; };
    TsfQuickButtonItem* NoImage = Q->Add();  // takes its place, shows nothing
    TsfQuickButtonItem* Hidden = Q->Add();
    Hidden->SetImageIndex(1);
    Hidden->SetVisible(false);
    TsfQuickButtonItem* WithMenu = Q->Add();
    WithMenu->SetImageIndex(1);
    auto* Menu = new TPopupMenu(F);
    auto* Item = new TMenuItem(Menu);
    Item->SetCaption(u"Item");
    Menu->Items()->Add(Item);
    WithMenu->PopupMenu = Menu;
    C->SetQuickImageList(IL);
    C->SetSkinData(Skin(u"Rire"));
    F->SetBounds(100, 100, 320, 200);
    ShowAndWait(F);
    EXPECT_EQ(C->QuickButtonsShown(), 3);
    TsfSkinCaptionObject* Cap = nullptr;
    for (const auto& O : C->ObjectList)
        if (auto* K = dynamic_cast<TsfSkinCaptionObject*>(O.get())) Cap = K;
    ASSERT_TRUE(Cap);
    C->UpDateFormNC();
    Pump();
    // Laid out from the caption's left: 20 x 20 buttons 24 apart, the hidden one leaving no gap.
    EXPECT_EQ(A->ItemRect.Left, Cap->ObjectRect.Left + 5);
    EXPECT_EQ(A->ItemRect.Width(), 20);
    EXPECT_EQ(A->ItemRect.Height(), 20);
    EXPECT_EQ(NoImage->ItemRect.Left, A->ItemRect.Left + 24);
    EXPECT_EQ(Hidden->ItemRect.Width(), 0);
    EXPECT_EQ(WithMenu->ItemRect.Left, NoImage->ItemRect.Left + 24);
    // The caption text starts after the row.
    EXPECT_GE(Cap->TextRectOnForm().Left, WithMenu->ItemRect.Right);
    RECT W;
    GetWindowRect(F->Handle(), &W);
    auto Centre = [&](const TRect& R) { return TPoint{W.left + (R.Left + R.Right) / 2, W.top + (R.Top + R.Bottom) / 2}; };
    // The image shows at the button's centre.
    const TPoint PA = Centre(A->ItemRect);
    EXPECT_TRUE(PumpUntil([&] { return CaptureScreen({PA.X, PA.Y, PA.X + 1, PA.Y + 1})->Pixel(0, 0) == ScreenRGB(clRed); }));
    // Press and release on it: one press event, one click.
    MovePointer(PA);
    ASSERT_TRUE(PumpUntil([&] { return A->Active; }));
    LeftButton(true);
    ASSERT_TRUE(PumpUntil([&] { return Presses == 1; }));
    EXPECT_TRUE(A->Down);
    LeftButton(false);
    EXPECT_TRUE(PumpUntil([&] { return Clicks == 1; }));
    EXPECT_FALSE(A->Down);
    // The button with a menu opens it instead of a click.
    MovePointer(Centre(WithMenu->ItemRect));
    ASSERT_TRUE(PumpUntil([&] { return WithMenu->Active; }));
    LeftButton(true);
    LeftButton(false);
    EXPECT_TRUE(PumpUntil([&] { return C->SkinMenu()->Visible(); }));
    C->SkinMenuClose();
    Pump();
    EXPECT_EQ(Clicks, 1);
}

TEST_F(SkinQuickButtons, HoveredButtonsShowTheirHintsAndDisabledOnesStayCold)
{
    // The hint component lives on the application's main form, where the hint window looks for it.
    TForm* Main = Application->CreateForm<TForm>();
    struct TCleanUp {
        TForm* F;
        ~TCleanUp()
        {
            delete F;
            HintWindowClass = HintWindowClassOf<THintWindow>();
            Application->OnShowHint = nullptr;
        }
    } CleanUp{Main};
    Main->SetCaption(u"Quick");
    auto* Hint = new TsfSkinHint(Main);
    Hint->SetSkinData(Skin(u"Rire"));
    Application->SetHintPause(500);
    Application->SetHintHidePause(2500);
    auto* C = new TsfSkinForm(Main);
    auto* IL = new TImageList(Main);
    IL->SetWidth(16);
    IL->SetHeight(16);
    AddImage(IL, clRed);
    AddImage(IL, clLime);
    int Clicks = 0;
    TsfQuickButtonItems* Q = C->QuickButtons();
    TsfQuickButtonItem* Open = Q->Add();
    Open->SetImageIndex(0);
    Open->Hint = u"Open";
    TsfQuickButtonItem* Off = Q->Add();
    Off->SetImageIndex(1);
    Off->Hint = u"Off";
    Off->SetEnabled(false);
    Off->OnClick = [&](TObject*) { ++Clicks; };
    TsfQuickButtonItem* Save = Q->Add();
    Save->SetImageIndex(1);
    Save->Hint = u"Save";
    C->SetQuickImageList(IL);
    C->SetSkinHint(Hint);
    C->QuickButtonsShowHint = true;
    C->SetSkinData(Skin(u"Rire"));
    Main->SetBounds(100, 100, 320, 200);
    ShowAndWait(Main);
    C->UpDateFormNC();
    Pump();
    RECT W;
    GetWindowRect(Main->Handle(), &W);
    auto Centre = [&](const TRect& R) { return TPoint{W.left + (R.Left + R.Right) / 2, W.top + (R.Top + R.Bottom) / 2}; };
    MovePointer(Centre(Open->ItemRect));
    ASSERT_TRUE(PumpUntil([&] { return Open->Active; }));
    EXPECT_TRUE(Hint->HintTimerRunning());
    FClock.Clock.Advance(500);
    ASSERT_TRUE(Hint->IsVisible());
    EXPECT_EQ(Hint->Window()->Caption(), u"Open");
    // The disabled button is no button to hover or press: the hint goes.
    MovePointer(Centre(Off->ItemRect));
    ASSERT_TRUE(PumpUntil([&] { return !Open->Active; }));
    EXPECT_FALSE(Off->Active);
    EXPECT_FALSE(Hint->IsVisible());
    EXPECT_FALSE(Hint->HintTimerRunning());
    LeftButton(true);
    LeftButton(false);
    Pump();
    EXPECT_FALSE(Off->Down);
    EXPECT_EQ(Clicks, 0);
    // The next button's own hint; a press takes it away.
    MovePointer(Centre(Save->ItemRect));
    ASSERT_TRUE(PumpUntil([&] { return Save->Active; }));
    FClock.Clock.Advance(500);
    ASSERT_TRUE(Hint->IsVisible());
    EXPECT_EQ(Hint->Window()->Caption(), u"Save");
    LeftButton(true);
    ASSERT_TRUE(PumpUntil([&] { return Save->Down; }));
    EXPECT_FALSE(Hint->IsVisible());
    LeftButton(false);
    ASSERT_TRUE(PumpUntil([&] { return !Save->Down; }));
    // Without the switch no hint is asked for.
    C->QuickButtonsShowHint = false;
    MovePointer(Centre(Open->ItemRect));
    ASSERT_TRUE(PumpUntil([&] { return Open->Active; }));
    EXPECT_FALSE(Hint->HintTimerRunning());
}

TEST_F(SkinQuickButtons, DeactivatingTheFormClearsTheHotButton)
{
    TForm* F = NewForm(100, 100, 100, 100);
    F->SetCaption(u"Quick");
    auto* C = new TsfSkinForm(F);
    auto* IL = new TImageList(F);
    IL->SetWidth(16);
    IL->SetHeight(16);
    AddImage(IL, clRed);
    TsfQuickButtonItem* A = C->QuickButtons()->Add();
    A->SetImageIndex(0);
    C->SetQuickImageList(IL);
    C->SetSkinData(Skin(u"Rire"));
    F->SetBounds(100, 100, 320, 200);
    ShowAndWait(F);
    C->UpDateFormNC();
    Pump();
    RECT W;
    GetWindowRect(F->Handle(), &W);
    MovePointer({W.left + (A->ItemRect.Left + A->ItemRect.Right) / 2, W.top + (A->ItemRect.Top + A->ItemRect.Bottom) / 2});
    ASSERT_TRUE(PumpUntil([&] { return A->Active; }));
    SendMessageW(F->Handle(), WM_NCACTIVATE, FALSE, 0);
    EXPECT_FALSE(A->Active);
    EXPECT_FALSE(A->Down);
}
