// Quick buttons in a skinned form's caption: their places left of the caption
// text, their images, and clicks and menus by real input.
#include <gtest/gtest.h>
#include <windows.h>

#include "SkinControlTestEnv.h"
#include "framework/controls/win/ImgList.h"
#include "skin/frame/win/SkinForm.h"
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
