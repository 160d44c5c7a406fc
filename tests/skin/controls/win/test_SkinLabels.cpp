#include <gtest/gtest.h>

#include <set>

#include "skin/controls/SkinControlTestEnv.h"
#include "skin/controls/win/SkinLabels.h"
#include "skin/controls/win/SkinPanels.h"

using namespace skintest;

namespace {

class SkinLabelsTest : public SkinFormTest {
protected:
    TForm* Form()
    {
        if (!FForm) {
            FForm = NewForm(100, 100, 400, 300);
            FForm->SetColor(clWhite);
        }
        return FForm;
    }
    std::set<DWORD> Colours(TControl* C)
    {
        auto px = CaptureControl(C);
        std::set<DWORD> s;
        for (int y = 0; y < px->Height(); ++y)
            for (int x = 0; x < px->Width(); ++x) s.insert(px->Pixel(x, y));
        return s;
    }

private:
    TForm* FForm = nullptr;
};

std::unique_ptr<TsfSkinData> LabelSkin()
{
    TTestSkin s;
    auto* l = s.Add<TsfDataSkinStdLabelControl>(u"stdlabel");
    l->FontColor = clBlue;
    auto* b = s.Add<TsfDataSkinBevel>(u"bevel");
    b->LightColor = clLime;
    b->DarkColor = clNavy;
    s.SD->SkinColors()->SetcBtnHighLight(clYellow);
    s.SD->SkinColors()->SetcBtnShadow(clRed);
    return std::move(s.SD);
}

}  // namespace

TEST_F(SkinLabelsTest, LabelTakesTheSkinColourAndDrawsDisabledInTwoTones)
{
    auto skin = LabelSkin();
    auto* l = new TsfSkinStdLabel(Form());
    l->SetParent(Form());
    l->SetBounds(10, 10, 200, 30);
    l->SetCaption(u"MMMM WWWW");
    l->DefaultFont()->SetHeight(-20);
    l->SetSkinData(skin.get());
    ShowAndWait(Form());
    EXPECT_EQ(l->SkinIndex(), 0);
    EXPECT_TRUE(Colours(l).count(0x0000FF));  // the description's blue
    l->SetEnabled(false);
    const auto disabled = Colours(l);
    EXPECT_TRUE(disabled.count(0xFFFF00));  // the skin's highlight, one pixel down-right
    EXPECT_TRUE(disabled.count(0xFF0000));  // the skin's shadow on top
    EXPECT_FALSE(disabled.count(0x0000FF));
    // Without the skin: the system colours.
    l->SetSkinData(nullptr);
    skin.reset();
    l->Invalidate();
    const auto plain = Colours(l);
    EXPECT_TRUE(plain.count(ScreenRGB(clBtnHighlight)));
    EXPECT_TRUE(plain.count(ScreenRGB(clBtnShadow)));
}

TEST_F(SkinLabelsTest, EndEllipsisShortensAToLongCaption)
{
    auto* l = new TsfSkinStdLabel(Form());
    l->SetParent(Form());
    l->SetAutoSize(false);
    l->SetBounds(10, 10, 60, 20);
    l->SetCaption(u"A caption far too long for the label");
    ShowAndWait(Form());
    auto inkRight = [&] {
        auto px = CaptureControl(l);
        int right = -1;
        for (int y = 0; y < px->Height(); ++y)
            for (int x = 0; x < px->Width(); ++x)
                if (px->Pixel(x, y) != 0xFFFFFF) right = std::max(right, x);
        return right;
    };
    l->SetEllipsType(sfetEndEllips);
    const int withEllipsis = inkRight();
    EXPECT_GT(withEllipsis, 40);  // "A capt..." fills the width up to its dots
    EXPECT_LT(withEllipsis, 60);
}

TEST_F(SkinLabelsTest, BevelDividerGroovesThroughTheMiddle)
{
    auto skin = LabelSkin();
    auto* b = new TsfSkinBevel(Form());
    b->SetParent(Form());
    b->SetBounds(10, 10, 100, 20);
    b->SetShape(bsTopLine);
    b->SetSkinData(skin.get());
    ShowAndWait(Form());
    auto px = CaptureControl(b);
    EXPECT_EQ(px->Pixel(50, 0), 0x000080u);  // a top line in the skin's dark colour
    EXPECT_EQ(px->Pixel(50, 1), 0x00FF00u);
    b->SetDividerMode(true);
    px = CaptureControl(b);
    EXPECT_EQ(px->Pixel(50, 0), 0xFFFFFFu);   // nothing at the top
    EXPECT_EQ(px->Pixel(50, 9), 0x000080u);   // the groove at height div 2 - 1 and height div 2
    EXPECT_EQ(px->Pixel(50, 10), 0x00FF00u);
    b->SetSkinData(nullptr);  // back to the system colours
    EXPECT_EQ(b->LightColor, clBtnHighlight);
    EXPECT_EQ(b->DarkColor, clBtnShadow);
}

TEST_F(SkinLabelsTest, SplitterDragResizesAndSnaps)
{
    auto* left = new TsfSkinPanel(Form());
    left->SetParent(Form());
    left->SetAlign(alLeft);
    left->SetWidth(100);
    auto* split = new TsfSkinSplitterEx(Form());
    split->SetParent(Form());
    split->SetLeft(150);
    split->SetAlign(alLeft);
    auto* rest = new TsfSkinPanel(Form());
    rest->SetParent(Form());
    rest->SetAlign(alClient);
    int moved = 0;
    split->OnMoved = [&](TObject*) { ++moved; };
    ShowAndWait(Form());
    ASSERT_EQ(split->Left(), 100);
    auto drag = [&](int Dx) {
        const TPoint start = split->ClientToScreen({1, 50});
        guitest::MovePointer(start);
        guitest::LeftButton(true);
        guitest::Pump();
        guitest::MovePointer({start.X + Dx, start.Y});
        guitest::LeftButton(false);
        guitest::Pump();
    };
    drag(50);
    EXPECT_EQ(left->Width(), 150);
    EXPECT_GE(moved, 2);  // each applied size, and the end of sizing
    drag(-130);           // below MinSize: snaps shut
    EXPECT_EQ(left->Width(), 0);
    EXPECT_EQ(split->Control(), nullptr);
}

TEST_F(SkinLabelsTest, SkinnedSplitterKeepsTheSkinThickness)
{
    auto* split = new TsfSkinSplitterEx(Form());
    split->SetParent(Form());
    split->SetAlign(alLeft);
    EXPECT_EQ(split->Width(), 3);
    for (const char16_t* name : SkinNames) {
        split->SetSkinData(Skin(name));
        TsfSkinData* sd = Skin(name);
        const Integer index = sd->GetControlIndex(u"vsplitter");
        ASSERT_NE(index, -1) << UTF8Encode(name);
        EXPECT_EQ(split->Width(), sd->CtrlList[size_t(index)]->SkinRect.Width()) << UTF8Encode(name);
    }
    split->SetSkinData(nullptr);
    split->ChangeSkinData();
    EXPECT_EQ(split->Width(), split->DefaultSize());
}

TEST_F(SkinLabelsTest, EscapeWhileDraggingKeepsTheLastAppliedSize)
{
    auto* left = new TsfSkinPanel(Form());
    left->SetParent(Form());
    left->SetAlign(alLeft);
    left->SetWidth(100);
    auto* split = new TsfSkinSplitterEx(Form());
    split->SetParent(Form());
    split->SetLeft(150);
    split->SetAlign(alLeft);
    auto* edit = new guitest::TTestButton(Form());
    edit->SetParent(Form());
    edit->SetBounds(250, 10, 80, 25);
    Word seen = 0;
    edit->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { seen = Key; };
    int moved = 0;
    split->OnMoved = [&](TObject*) { ++moved; };
    ShowAndWait(Form());
    Form()->SetActiveControl(edit);
    ASSERT_EQ(Form()->ActiveControl(), edit);
    const TPoint start = split->ClientToScreen({1, 50});
    guitest::MovePointer(start);
    guitest::LeftButton(true);
    guitest::Pump();
    guitest::MovePointer({start.X + 40, start.Y});
    EXPECT_EQ(left->Width(), 140);
    const int movedWhileDragging = moved;
    // The active control's keys pass through the splitter while it sizes.
    Word key = 'A';
    edit->OnKeyDown(edit, key, 0);
    EXPECT_EQ(seen, 'A');
    key = VK_ESCAPE;
    edit->OnKeyDown(edit, key, 0);
    EXPECT_EQ(split->Control(), nullptr);
    EXPECT_EQ(moved, movedWhileDragging + 1);
    guitest::MovePointer({start.X + 80, start.Y});
    guitest::LeftButton(false);
    guitest::Pump();
    EXPECT_EQ(left->Width(), 140);  // the size at Escape
    // The active control has its own handler back.
    key = VK_ESCAPE;
    edit->OnKeyDown(edit, key, 0);
    EXPECT_EQ(seen, VK_ESCAPE);
}
