// Client mode of the skinned form: the skin drawn in the client area of a
// borderless form, controls bound to the skin's areas, the body dragging the
// form and the roll-up picture.
#include <gtest/gtest.h>
#include <windows.h>

#include "SkinControlTestEnv.h"
#include "framework/controls/win/ExtCtrls.h"
#include "skin/controls/win/SkinCtrls.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/model/SFWindowData.h"

using namespace guitest;
using namespace skintest;

namespace {

class SkinFormClientMode : public SkinFormTest {
protected:
    // A borderless form in client mode; the skin is set by the test.
    TsfSkinForm* NewClientForm(int W, int H)
    {
        TForm* F = NewForm(100, 100, W, H);
        F->SetBorderStyle(bsNone);
        F->SetCaption(u"Client");
        auto* C = new TsfSkinForm(F);
        C->SetSupportNCArea(false);
        return C;
    }
    // "Rire" with an area and, when Fixed, no 9-slice geometry.
    TsfSkinData* AreaSkin(bool Fixed)
    {
        TsfSkinData* S = Skin(u"Rire");
        if (Fixed) S->LTPoint = S->RTPoint = S->LBPoint = S->RBPoint = {};
        S->AreaList.push_back(std::make_unique<TsfDataSkinArea>(u"panelarea", TRect{20, 40, 120, 90}, false, false,
                                                                false, false, false));
        S->AreaList.push_back(std::make_unique<TsfDataSkinArea>(u"emptyarea", TRect{5, 5, 5, 30}, false, false,
                                                                false, false, false));
        return S;
    }
};

} // namespace

TEST_F(SkinFormClientMode, AFixedSkinSizesTheFormAndPlacesItsAreas)
{
    TsfSkinForm* C = NewClientForm(100, 100);
    TForm* F = static_cast<TForm*>(C->Form());
    auto* Linked = new TsfSkinControl(F);  // bound by its AreaName at the skin change
    Linked->SetParent(F);
    Linked->SetAreaName(u"panelarea");
    auto* Manual = new TPanel(F);
    Manual->SetParent(F);
    Manual->SetAlign(alBottom);
    TsfSkinData* S = AreaSkin(true);
    C->SetSkinData(S);
    ShowAndWait(F);
    const TsfBitmap& Pic = C->Geometry().FramePicture();
    EXPECT_EQ(F->ClientWidth(), Pic.Width());
    EXPECT_EQ(F->ClientHeight(), Pic.Height());
    EXPECT_FALSE(C->Sizeable);
    EXPECT_EQ(Linked->BoundsRect(), TRect(20, 40, 120, 90));
    // A missing name, or an empty area, binds nothing and leaves the alignment.
    C->LinkControlToArea(u"nosucharea", Manual);
    C->LinkControlToArea(u"emptyarea", Manual);
    EXPECT_EQ(Manual->Align(), alBottom);
    ASSERT_EQ(C->AreaList.size(), 1u);
    // Bound by hand: no alignment any more, placed at the next placing.
    C->LinkControlToArea(u"panelarea", Manual);
    EXPECT_EQ(Manual->Align(), alNone);
    C->PlaceLinkedControls();
    EXPECT_EQ(Manual->BoundsRect(), TRect(20, 40, 120, 90));
    C->UnLinkControlFromArea(Manual);
    EXPECT_EQ(C->AreaList.size(), 1u);
    // A second skin change binds the control once, not twice.
    C->ChangeSkinData();
    EXPECT_EQ(C->AreaList.size(), 1u);
}

TEST_F(SkinFormClientMode, A9SliceSkinOnlyGrowsTheClientArea)
{
    TsfSkinForm* C = NewClientForm(600, 50);
    TForm* F = static_cast<TForm*>(C->Form());
    const Integer W0 = F->ClientWidth();
    C->SetSkinData(AreaSkin(false));
    ShowAndWait(F);
    const TsfBitmap& Pic = C->Geometry().FramePicture();
    ASSERT_GT(W0, Pic.Width());
    EXPECT_EQ(F->ClientWidth(), W0);
    EXPECT_EQ(F->ClientHeight(), Pic.Height());
    EXPECT_TRUE(C->Sizeable);
}

TEST_F(SkinFormClientMode, TheBodyDragsTheForm)
{
    TsfSkinForm* C = NewClientForm(100, 100);
    TForm* F = static_cast<TForm*>(C->Form());
    C->DraggAble = true;
    C->SetSkinData(Skin(u"Rire"));
    F->SetBounds(100, 100, 240, 180);
    ShowAndWait(F);
    const TPoint Start = F->ClientToScreen({120, 100});
    MovePointer(Start);
    LeftButton(true);
    ASSERT_TRUE(PumpUntil([&] { return C->IsDragging(); }));
    MovePointer({Start.X + 15, Start.Y + 10});
    MovePointer({Start.X + 30, Start.Y + 20});
    LeftButton(false);
    ASSERT_TRUE(PumpUntil([&] { return !C->IsDragging(); }));
    EXPECT_EQ(F->Left(), 130);
    EXPECT_EQ(F->Top(), 120);
    // Not draggable: the body stays.
    C->DraggAble = false;
    MovePointer(F->ClientToScreen({120, 100}));
    LeftButton(true);
    Pump();
    EXPECT_FALSE(C->IsDragging());
    LeftButton(false);
    Pump();
}

TEST_F(SkinFormClientMode, RollingUpHidesTheControlsAndShowsTheRollUpPicture)
{
    TsfSkinForm* C = NewClientForm(100, 100);
    TForm* F = static_cast<TForm*>(C->Form());
    TsfSkinData* S = Skin(u"Rire");
    // A roll-up picture 100 x 24, stretchable between 40 and 60, and a mask
    // that is black (inside) everywhere.
    S->FRollUpPicture.Allocate(100, 24, pf24bit);
    S->FRollUpMask.Allocate(100, 24, pf24bit);
    S->RollUpLeftPoint = {40, 0};
    S->RollUpRightPoint = {60, 0};
    auto* Shown = new TPanel(F);
    Shown->SetParent(F);
    auto* Hidden = new TPanel(F);
    Hidden->SetParent(F);
    Hidden->SetVisible(false);
    C->SetSkinData(S);
    F->SetBounds(100, 100, 300, 200);
    ShowAndWait(F);
    C->SetRollUpState(true);
    ASSERT_TRUE(C->RollUpState());
    EXPECT_EQ(F->Width(), 300);  // stretchable: the form keeps its width
    EXPECT_EQ(F->Height(), 24);
    EXPECT_FALSE(Shown->Visible());
    EXPECT_TRUE(C->HasRegion());
    C->SetRollUpState(false);
    EXPECT_FALSE(C->RollUpState());
    EXPECT_EQ(F->Height(), 200);
    EXPECT_TRUE(Shown->Visible());
    EXPECT_FALSE(Hidden->Visible());
    // Equal points: the picture keeps its own width.
    S->RollUpRightPoint = {40, 0};
    C->SetRollUpState(true);
    EXPECT_EQ(F->Width(), 100);
    EXPECT_EQ(F->Height(), 24);
    C->SetRollUpState(false);
}
