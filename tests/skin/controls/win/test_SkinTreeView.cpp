#include <gtest/gtest.h>

#include "skin/controls/SkinControlTestEnv.h"
#include "skin/controls/win/SkinTreeView.h"
#include "skin/model/SFUtils.h"

using namespace skintest;

namespace {

class SkinTreeViewTest : public SkinFormTest {
protected:
    TsfSkinTreeView* NewTree(TForm* Form, Integer Roots, Integer H = 150)
    {
        auto* T = new TsfSkinTreeView(Form);
        T->SetParent(Form);
        T->SetBounds(10, 10, 150, H);
        Bar = new TsfSkinScrollBar(Form);
        Bar->SetParent(Form);
        Bar->SetKind(sbVertical);
        Bar->SetBounds(160, 10, 19, H);
        T->SetVScrollBar(Bar);
        for (Integer I = 0; I < Roots; ++I) T->Items()->Add(nullptr, u"Node " + IntToStr(I));
        return T;
    }
    // A skin with a list description for the rows and, when asked, a tree
    // description whose picture index lies outside the skin.
    void MakeSkin(bool WithTree)
    {
        const Integer Pic = Skin.AddPicture(40, 20, TColor(0x00FF00));
        auto* L = Skin.Add<TsfDataSkinListBox>(u"listbox");
        L->PictureIndex = Pic;
        L->SkinRect = Rect(0, 0, 40, 20);
        L->ActiveItemRect = L->FocusItemRect = Rect(0, 0, 40, 20);
        L->ItemTextRect = Rect(2, 2, 38, 18);
        if (!WithTree) return;
        auto* T = Skin.Add<TsfDataSkinTreeView>(u"treeview");
        T->FontColor = clBlack;
        T->BGColor = clWhite;
        T->PictureIndex = 99;
        T->ExpandImageRect = Rect(0, 0, 9, 9);
        T->NoExpandImageRect = Rect(10, 0, 19, 9);
    }
    TsfSkinScrollBar* Bar = nullptr;
    TTestSkin Skin;
};

}  // namespace

TEST_F(SkinTreeViewTest, ASmallTreeShowsNoBarAndALargeOneIsScrolledByIt)
{
    TForm* Form = NewForm(100, 100, 250, 220);
    auto* T = NewTree(Form, 3);
    ShowAndWait(Form);
    T->UpDateScrollBars();
    EXPECT_FALSE(Bar->Visible());
    for (Integer I = 3; I < 60; ++I) T->Items()->Add(nullptr, u"Node " + IntToStr(I));
    guitest::Pump();
    T->UpDateScrollBars();
    ASSERT_TRUE(Bar->Visible());
    EXPECT_EQ(Bar->Max(), 59);
    EXPECT_GT(Bar->PageSize(), 0);
    Bar->SetPosition(20);
    guitest::Pump();
    EXPECT_EQ(T->TopItem()->AbsoluteIndex(), 20);
    // Hiding the tree hides its bar.
    T->SetVisible(false);
    EXPECT_FALSE(Bar->Visible());
}

TEST_F(SkinTreeViewTest, WithoutATreeDescriptionTheLinesAreGreyAndTheDefaultsApply)
{
    TForm* Form = NewForm(100, 100, 250, 220);
    auto* T = NewTree(Form, 3);
    T->SetDefaultColor(TColor(0xF0F0F0));
    T->SetDrawSkin(true);
    ShowAndWait(Form);
    T->ChangeSkinData();
    EXPECT_EQ(T->LineColor(), TColor(0x808080));
    EXPECT_EQ(T->Color(), TColor(0xF0F0F0));
    EXPECT_EQ(T->Font()->Name(), u"Arial");
    // A skin with only the row pictures: the control paints the rows, lines grey.
    MakeSkin(false);
    T->SetSkinData(Skin.SD.get());
    EXPECT_EQ(T->SkinIndex(), -1);
    EXPECT_EQ(T->LineColor(), TColor(0x808080));
    T->Invalidate();
    auto Shot = CaptureControl(T);
    const TRect Row = T->Items()->Item(1)->DisplayRect(false);
    const Integer M = Row.Top + Row.Height() / 2, C = T->Indent() / 2 - 1;
    EXPECT_EQ(Shot->Pixel(C + 1, M - 1), 0x808080u) << "the opaque half of the connector";
    EXPECT_EQ(Shot->Pixel(C, Row.Top + 1), 0x808080u) << "the vertical line to the node above";
    EXPECT_EQ(Shot->Pixel(Row.Right - 3, M), 0xF0F0F0u);
    // The selected row takes the item picture (green).
    T->SetSelected(T->Items()->Item(1));
    Shot = CaptureControl(T);
    const TRect Text = T->Items()->Item(1)->DisplayRect(true);
    EXPECT_EQ(Shot->Pixel(Text.Right - 2, Text.Top + 1), 0x00FF00u);
}

TEST_F(SkinTreeViewTest, ATreePictureIndexOutsideTheSkinGivesPlainButtons)
{
    TForm* Form = NewForm(100, 100, 250, 220);
    auto* T = NewTree(Form, 2);
    T->Items()->AddChild(T->Items()->Item(0), u"Child");
    T->SetDrawSkin(true);
    MakeSkin(true);
    ShowAndWait(Form);
    T->SetSkinData(Skin.SD.get());
    ASSERT_NE(T->SkinIndex(), -1);
    EXPECT_EQ(T->Color(), clWhite);
    EXPECT_EQ(T->ButtonColor(), MixColors(clBlack, clWhite));
    EXPECT_EQ(T->LineColor(), MixColors(MixColors(clBlack, clWhite), clWhite));
    T->Invalidate();
    auto Shot = CaptureControl(T);
    // A collapsed node: the drawn box (5 pixels each side of the centre) with a plus.
    const TRect Row = T->Items()->Item(0)->DisplayRect(false);
    const Integer M = Row.Top + Row.Height() / 2, B = T->Indent() / 2;
    const DWORD Frame = ScreenRGB(T->ButtonColor());
    EXPECT_EQ(Shot->Pixel(B - 5, M), Frame);
    EXPECT_EQ(Shot->Pixel(B + 4, M), Frame);
    EXPECT_EQ(Shot->Pixel(B - 1, M - 2), 0x000000u) << "the plus's bar";
    T->Items()->Item(0)->Expand(false);
    Shot = CaptureControl(T);
    EXPECT_EQ(Shot->Pixel(B - 1, M - 2), 0xFFFFFFu) << "expanded: a minus only";
    EXPECT_EQ(Shot->Pixel(B - 1, M - 1), 0x000000u);
}
