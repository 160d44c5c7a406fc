#include <gtest/gtest.h>

#include "skin/controls/SkinControlTestEnv.h"
#include "skin/controls/win/SkinPanels.h"

using namespace skintest;

namespace {

class SkinPanelsTest : public SkinFormTest {
protected:
    TForm* Form()
    {
        if (!FForm) FForm = NewForm(100, 100, 400, 300);
        return FForm;
    }
    template <class T = TsfSkinPanel>
    T* NewPanel(TRect R = {10, 10, 200, 150})  // left, top, width, height
    {
        auto* p = new T(Form());
        p->SetParent(Form());
        p->SetBounds(R.Left, R.Top, R.Right, R.Bottom);
        return p;
    }
    // A press and release of the left button at the control's point P.
    void Click(TControl* C, TPoint P)
    {
        guitest::MovePointer(C->ClientToScreen(P));
        guitest::LeftButton(true);
        guitest::Pump();
        guitest::LeftButton(false);
        guitest::Pump();
    }

private:
    TForm* FForm = nullptr;
};

// A skin with a nine-slice "panel" over a green picture and a second, red
// picture for backgrounds.
std::unique_ptr<TsfSkinData> PanelSkin(Integer BGPictureIndex)
{
    TTestSkin s;
    const Integer pic = s.AddPicture(40, 40, clLime);
    s.AddPicture(16, 16, clRed);
    auto* d = s.Add<TsfDataSkinPanelControl>(u"panel");
    d->PictureIndex = pic;
    d->SkinRect = {0, 0, 40, 40};
    d->LTPoint = {4, 4};
    d->RTPoint = {36, 4};
    d->LBPoint = {4, 36};
    d->RBPoint = {36, 36};
    d->ClRect = {4, 4, 36, 36};
    d->BGPictureIndex = BGPictureIndex;
    return std::move(s.SD);
}

}  // namespace

TEST_F(SkinPanelsTest, RollUpByCaptionClickKeepsHeightAndHiddenChildren)
{
    auto* p = NewPanel();
    p->SetCaption(u"Tools");
    p->SetCaptionMode(true);
    p->SetRollUpMode(true);
    auto* shown = new guitest::TTestButton(Form());
    shown->SetParent(p);
    shown->SetBounds(10, 40, 60, 25);
    auto* hidden = new guitest::TTestButton(Form());
    hidden->SetParent(p);
    hidden->SetBounds(10, 80, 60, 25);
    hidden->Hide();
    int changes = 0;
    p->OnChangeRollUpState = [&](TObject*) { ++changes; };
    ShowAndWait(Form());

    Click(p, {60, 10});  // in the caption bar
    EXPECT_TRUE(p->RollUpState());
    EXPECT_EQ(p->Height(), p->DefaultCaptionHeight() + 1);
    EXPECT_EQ(p->RealHeight(), 150);
    EXPECT_FALSE(shown->Visible());
    Click(p, {60, 10});
    EXPECT_FALSE(p->RollUpState());
    EXPECT_EQ(p->Height(), 150);
    EXPECT_EQ(p->RealHeight(), -1);
    EXPECT_TRUE(shown->Visible());
    EXPECT_FALSE(hidden->Visible());  // hidden before, hidden after
    EXPECT_EQ(changes, 2);

    Click(p, {60, 100});  // below the caption: nothing
    EXPECT_FALSE(p->RollUpState());
}

TEST_F(SkinPanelsTest, RolledUpPanelFollowsTheSkin)
{
    auto* p = NewPanel();
    p->SetCaptionMode(true);
    p->SetRollUpMode(true);
    p->SetSkinData(Skin(u"Rire"));
    p->SetRollUpState(true);
    const Integer frame = p->Height();
    EXPECT_LT(frame, 150);
    EXPECT_GT(frame, 0);
    p->BeforeChangeSkinData();
    p->SetSkinData(Skin(u"Charm"));
    EXPECT_TRUE(p->RollUpState());
    EXPECT_LT(p->Height(), 150);
    p->SetRollUpState(false);
    EXPECT_EQ(p->Height(), 150);
}

TEST_F(SkinPanelsTest, RollUpModeOffRestoresTheSavedConstraints)
{
    auto* p = NewPanel();
    p->SetRollUpMode(true);
    p->Constraints()->SetMinHeight(40);
    p->SetRollUpState(true);  // saves 40 and clears the constraints
    EXPECT_EQ(p->Constraints()->MinHeight(), 0);
    p->SetRollUpMode(false);
    p->SetRollUpState(false);  // writes the saved values back, changes nothing else
    EXPECT_EQ(p->Constraints()->MinHeight(), 40);
    EXPECT_TRUE(p->RollUpState());

    auto* q = NewPanel();
    q->SetRollUpState(true);  // not allowed to roll up
    EXPECT_FALSE(q->RollUpState());
    EXPECT_EQ(q->Height(), 150);
}

TEST_F(SkinPanelsTest, CheckedFiresOnEveryAssignmentAndEnablesChildren)
{
    auto* p = NewPanel();
    p->SetCaptionMode(true);
    p->SetCheckedMode(true);
    auto* child = new guitest::TTestButton(Form());
    child->SetParent(p);
    int fired = 0;
    p->OnChecked = [&](TObject*) { ++fired; };
    struct TStep {
        bool Value;
        int Fired;
    } steps[] = {{true, 1}, {true, 2}, {false, 3}, {false, 4}};
    for (const auto& s : steps) {
        p->SetChecked(s.Value);
        EXPECT_EQ(fired, s.Fired);
        EXPECT_EQ(child->Enabled(), s.Value);
    }
    ShowAndWait(Form());
    Click(p, {60, 10});
    EXPECT_TRUE(p->Checked());
    EXPECT_EQ(fired, 5);
}

TEST_F(SkinPanelsTest, StatusBarGripAnswersBottomRight)
{
    for (const char16_t* skin : {u"", u"Rire"}) {
        auto* bar = new TsfSkinStatusBar(Form());
        bar->SetParent(Form());
        bar->SetSizeGrip(true);
        if (*skin) bar->SetSkinData(Skin(skin));
        ShowAndWait(Form());
        const TRect g = bar->GripRect();
        ASSERT_GT(g.Width(), 0);
        EXPECT_LE(g.Right, bar->Width() + 1);
        auto hit = [&](TPoint P) {
            const TPoint s = bar->ClientToScreen(P);
            return SendMessageW(bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(s.X, s.Y));
        };
        EXPECT_EQ(hit({g.Left + 1, g.Bottom - 1}), HTBOTTOMRIGHT);
        EXPECT_EQ(hit({5, 5}), HTCLIENT);
        bar->SetShowGrip(false);
        EXPECT_EQ(hit({g.Left + 1, g.Bottom - 1}), HTCLIENT);
        delete bar;
    }
}

TEST_F(SkinPanelsTest, BackgroundPictureIndexOutsideTheSkinFallsBack)
{
    struct TCase {
        Integer Index;
        DWORD Centre;
    } cases[] = {{1, 0xFF0000}, {99, 0x00FF00}, {-5, 0x00FF00}};
    for (const auto& c : cases) {
        auto skin = PanelSkin(c.Index);
        auto* p = NewPanel();
        p->SetBorderStyle(TsfSkinBorderStyle::bvNone);
        p->SetCaptionMode(true);  // not the client-piece path
        p->SetSkinData(skin.get());
        ShowAndWait(Form());
        auto px = CaptureControl(p);
        EXPECT_EQ(px->Pixel(100, 100), c.Centre) << c.Index;
        delete p;
    }
}

TEST_F(SkinPanelsTest, TransparentSkinPanelLaysChildrenInsideTwoPixels)
{
    auto skin = PanelSkin(-1);
    auto* p = NewPanel();
    p->SetSkinData(skin.get());
    p->SetTransparentMode(true);
    auto* child = new guitest::TTestButton(Form());
    child->SetParent(p);
    child->SetAlign(alClient);
    p->Realign();
    EXPECT_EQ(child->BoundsRect(), (TRect{2, 2, 198, 148}));
    p->SetTransparentMode(false);
    p->Realign();
    EXPECT_EQ(child->BoundsRect(), (TRect{4, 4, 196, 146}));  // the skin's client area
}

TEST_F(SkinPanelsTest, PaintPanelDrawsIntoItsImageInEveryLook)
{
    auto skin = PanelSkin(-1);
    auto* p = NewPanel<TsfSkinPaintPanel>({10, 10, 120, 80});
    TRect seen;
    p->OnPanelPaint = [&](TObject*, TCanvas* C, TRect R) {
        seen = R;
        C->Brush()->SetColor(clBlue);
        C->FillRect({R.Left, R.Top, R.Left + 20, R.Top + 20});
    };
    ShowAndWait(Form());
    for (TsfSkinData* sd : {static_cast<TsfSkinData*>(nullptr), skin.get()}) {
        p->SetSkinData(sd);
        if (!sd) p->ChangeSkinData();
        auto px = CaptureControl(p);
        EXPECT_EQ(px->Pixel(seen.Left + 5, seen.Top + 5), 0x0000FFu);
        EXPECT_EQ(seen, p->GetSkinClientRect());
    }
    EXPECT_EQ(seen, (TRect{4, 4, 116, 76}));  // the skin's client area
}
