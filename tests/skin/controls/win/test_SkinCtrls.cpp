#include <gtest/gtest.h>

#include "framework/controls/win/HandleCount.h"
#include "skin/controls/SkinControlTestEnv.h"
#include "skin/controls/win/SkinCtrls.h"

using namespace skintest;

namespace {

// A windowed and a windowless control that count their paints and show
// what the tests look at.
class TWinCtrl : public TsfSkinCustomControl {
public:
    using TsfSkinCustomControl::TsfSkinCustomControl;
    int Paints = 0;
    int BackgroundChanges = 0;  // WM_PARENTBGCHANGED received
    void SetForceBackground(bool Value) { FForceBackground = Value; }
    HRGN Region() const { return FRgn; }

protected:
    void CheckParentBackground() override
    {
        ++BackgroundChanges;
        TsfSkinCustomControl::CheckParentBackground();
    }
    void Paint() override
    {
        ++Paints;
        TsfSkinCustomControl::Paint();
    }
};

class TGraphicCtrl : public TsfGraphicSkinCustomControl {
public:
    using TsfGraphicSkinCustomControl::TsfGraphicSkinCustomControl;
    int Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        TsfGraphicSkinCustomControl::Paint();
    }
};

// A skin with one description of each resize mode over a blue picture; the
// nine-slice one has a mask (black, but a white 4 x 4 top-left corner).
// Variant 1 has other sizes and no mask, so switching changes everything.
std::unique_ptr<TsfSkinData> MakeSkin(int Variant = 0)
{
    TTestSkin s;
    const Integer d = Variant ? 6 : 0;
    const Integer pic = s.AddPicture(40 + d, 20 + d, clBlue);
    Integer mask = -1;
    if (Variant == 0) {
        mask = s.AddPicture(40, 20, clBlack);
        s.FillRect(mask, {0, 0, 4, 4}, clWhite);
    }
    auto add = [&](const String& Name, TRect SkinRect, TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect Cl) {
        auto* c = s.Add<TsfDataSkinCustomControl>(Name);
        c->PictureIndex = pic;
        c->SkinRect = SkinRect;
        c->LTPoint = LT;
        c->RTPoint = RT;
        c->LBPoint = LB;
        c->RBPoint = RB;
        c->ClRect = Cl;
        return c;
    };
    add(u"fixed", {0, 0, 30 + d, 16 + d}, {}, {}, {}, {}, {});
    add(u"hbar", {0, 0, 40 + d, 20 + d}, {5, 10}, {35, 10}, {}, {}, {5, 3, 35, 17});
    add(u"vbar", {0, 0, 40 + d, 20 + d}, {10, 5}, {}, {10, 15}, {}, {3, 5, 37, 15});
    add(u"nine", {0, 0, 40, 20}, {5, 5}, {35, 5}, {5, 15}, {35, 15}, {5, 5, 35, 15})->MaskPictureIndex = mask;
    // A nine-slice description whose client rectangle has no area.
    add(u"noclient", {0, 0, 40, 20}, {5, 5}, {35, 5}, {5, 15}, {35, 15}, {5, 5, 5, 15});
    s.Add<TsfDataSkinBevel>(u"other");
    return std::move(s.SD);
}

class SkinCtrlsTest : public SkinFormTest {
protected:
    TForm* Form()
    {
        if (!FForm) {
            FForm = NewForm(100, 100, 300, 200);
            FForm->SetColor(clRed);
        }
        return FForm;
    }
    template <class T>
    T* NewCtrl(const String& Name, TsfSkinData* SD, TRect R = {10, 10, 80, 60})
    {
        auto* c = new T(Form());
        c->SetParent(Form());
        c->SetSkinDataName(Name);
        c->SetBounds(R.Left, R.Top, R.Right, R.Bottom);  // R holds left, top, width, height
        c->SetSkinData(SD);
        return c;
    }

private:
    TForm* FForm = nullptr;
};

template <class T>
void ExpectSolid(T* C, DWORD Colour)
{
    auto px = CaptureControl(C);
    for (TPoint p : {TPoint{0, 0}, TPoint{C->Width() - 1, C->Height() - 1}, TPoint{C->Width() / 2, C->Height() / 2}})
        EXPECT_EQ(px->Pixel(p.X, p.Y), Colour) << UTF8Encode(C->ClassName()) << " at " << p.X << "," << p.Y;
}

}  // namespace

TEST_F(SkinCtrlsTest, NoSkinUnknownNameAndForeignDescriptionDrawTheBuiltInLook)
{
    auto skin = MakeSkin();
    auto* plain = NewCtrl<TWinCtrl>(u"fixed", nullptr, {10, 10, 60, 40});
    auto* unknown = NewCtrl<TWinCtrl>(u"no such description", skin.get(), {80, 10, 60, 40});
    auto* foreign = NewCtrl<TGraphicCtrl>(u"other", skin.get(), {150, 10, 60, 40});
    auto* empty = NewCtrl<TGraphicCtrl>(u"fixed", nullptr, {220, 10, 60, 40});
    TsfSkinData unloaded(nullptr);  // Empty
    empty->SetSkinData(&unloaded);
    ShowAndWait(Form());
    ExpectSolid(plain, ScreenRGB(clBtnFace));
    ExpectSolid(unknown, ScreenRGB(clBtnFace));
    ExpectSolid(foreign, ScreenRGB(clBtnFace));
    ExpectSolid(empty, ScreenRGB(clBtnFace));
    EXPECT_EQ(unknown->SkinIndex(), -1);
    EXPECT_EQ(foreign->SkinIndex(), 5);
    EXPECT_EQ(foreign->ResizeMode, 0);
    EXPECT_EQ(foreign->Width(), 60);  // a foreign description has no skin size to force
    EXPECT_EQ(empty->SkinIndex(), -1);

    // Without DrawDefault no look is drawn: the form shows nowhere, the
    // off-screen bitmap is copied as it is.
    plain->SetDrawDefault(false);
    auto px = CaptureControl(plain);
    EXPECT_NE(px->Pixel(5, 5), ScreenRGB(clBtnFace));
    empty->SetSkinData(nullptr);
}

TEST_F(SkinCtrlsTest, TheDescriptionFixesTheSizeByItsResizeMode)
{
    auto skin = MakeSkin();
    struct TCase {
        const char16_t* Name;
        Integer W, H;
    } cases[] = {
        {u"fixed", 30, 16},  // forced to the skin rectangle
        {u"hbar", 90, 20},   // keeps the skin height, the width follows
        {u"vbar", 40, 70},   // keeps the skin width
        {u"nine", 90, 70},   // any size
    };
    for (const auto& c : cases) {
        // Applied when the skin comes, and on every later size change.
        auto* w = NewCtrl<TWinCtrl>(c.Name, skin.get(), {10, 10, 90, 70});
        auto* g = NewCtrl<TGraphicCtrl>(c.Name, skin.get(), {10, 10, 90, 70});
        EXPECT_EQ(w->Width(), c.W) << UTF8Encode(c.Name);
        EXPECT_EQ(w->Height(), c.H) << UTF8Encode(c.Name);
        EXPECT_EQ(g->Width(), c.W) << UTF8Encode(c.Name);
        EXPECT_EQ(g->Height(), c.H) << UTF8Encode(c.Name);
        w->SetBounds(5, 5, 90, 70);
        g->SetBounds(5, 5, 90, 70);
        EXPECT_EQ(w->BoundsRect(), (TRect{5, 5, 5 + c.W, 5 + c.H})) << UTF8Encode(c.Name);
        EXPECT_EQ(g->BoundsRect(), (TRect{5, 5, 5 + c.W, 5 + c.H})) << UTF8Encode(c.Name);
        delete w;
        delete g;
    }
    // Without a description the default size is taken.
    auto* d = NewCtrl<TWinCtrl>(u"none", skin.get());
    d->SetDefaultWidth(33);
    d->SetDefaultHeight(22);
    EXPECT_EQ(d->BoundsRect(), (TRect{10, 10, 43, 32}));
}

TEST_F(SkinCtrlsTest, AlphaBlendValueMixesTheLookWithWhatLiesBehind)
{
    auto skin = MakeSkin();
    struct TCase {
        Byte Value;
        DWORD Colour;  // blue look over the red form
    } cases[] = {{255, 0x0000FF}, {0, 0xFF0000}};
    auto* w = NewCtrl<TWinCtrl>(u"nine", skin.get(), {10, 10, 60, 40});
    auto* g = NewCtrl<TGraphicCtrl>(u"nine", skin.get(), {100, 10, 60, 40});
    w->SetAlphaBlend(true);
    g->SetAlphaBlend(true);
    ShowAndWait(Form());
    for (const auto& c : cases) {
        w->SetAlphaBlendValue(c.Value);
        g->SetAlphaBlendValue(c.Value);
        auto pw = CaptureControl(w);
        auto pg = CaptureControl(g);
        EXPECT_EQ(pw->Pixel(30, 20), c.Colour) << int(c.Value);
        EXPECT_EQ(pg->Pixel(30, 20), c.Colour) << int(c.Value);
    }
    w->SetAlphaBlendValue(128);
    auto half = CaptureControl(w)->Pixel(30, 20);
    EXPECT_NEAR(int(half >> 16), 127, 2);
    EXPECT_NEAR(int(half & 0xFF), 128, 2);
}

TEST_F(SkinCtrlsTest, MaskRegionFollowsTheSizeAndGoesWithTheMask)
{
    auto skin = MakeSkin();
    auto other = MakeSkin(1);
    auto* c = NewCtrl<TWinCtrl>(u"nine", skin.get(), {10, 10, 80, 50});
    ShowAndWait(Form());
    auto regionAt = [&](POINT P) {
        TRegion r(TRect{0, 0, 1, 1});
        if (GetWindowRgn(c->Handle(), r) == ERROR) return -1;
        return PtInRegion(r, P.x, P.y) ? 1 : 0;
    };
    EXPECT_NE(c->Region(), nullptr);
    EXPECT_EQ(regionAt({1, 1}), 0);    // the mask's white corner
    EXPECT_EQ(regionAt({79, 49}), 1);
    EXPECT_EQ(regionAt({100, 49}), 0);
    c->SetBounds(10, 10, 120, 50);
    EXPECT_EQ(regionAt({110, 40}), 1);
    // The same mask set again (the system frees the region it replaces).
    c->ChangeSkinData();
    EXPECT_EQ(regionAt({110, 40}), 1);
    // A skin without the mask removes the region.
    c->BeforeChangeSkinData();
    c->SetSkinData(other.get());
    EXPECT_EQ(c->Region(), nullptr);
    EXPECT_EQ(regionAt({1, 1}), -1);
}

TEST_F(SkinCtrlsTest, ThousandSkinSwitchesLeaveTheGdiCountFlat)
{
    auto a = MakeSkin(0);
    auto b = MakeSkin(1);
    std::vector<TWinCtrl*> ctrls;
    for (int i = 0; i < 4; ++i) ctrls.push_back(NewCtrl<TWinCtrl>(u"nine", a.get(), {10 + 60 * i, 10, 50, 40}));
    auto* g = NewCtrl<TGraphicCtrl>(u"hbar", a.get(), {10, 100, 60, 20});
    ShowAndWait(Form());
    auto switchTo = [&](TsfSkinData* SD) {
        for (auto* c : ctrls) c->BeforeChangeSkinData();
        g->BeforeChangeSkinData();
        for (auto* c : ctrls) c->SetSkinData(SD);
        g->SetSkinData(SD);
    };
    for (int i = 0; i < 10; ++i) switchTo(i % 2 ? a.get() : b.get());
    guitest::Pump();
    const int before = guitest::LiveGdiObjects();
    for (int i = 0; i < 1000; ++i) {
        switchTo(i % 2 ? a.get() : b.get());
        if (i % 100 == 0) guitest::Pump();
    }
    guitest::Pump();
    EXPECT_LE(guitest::LiveGdiObjects(), before + 2);
    EXPECT_NE(ctrls[0]->Region(), nullptr);  // ends on the masked skin
}

TEST_F(SkinCtrlsTest, BorderStripsPaintWithAnEmptyClientRectangle)
{
    auto skin = MakeSkin();
    auto* full = NewCtrl<TWinCtrl>(u"nine", skin.get(), {10, 10, 80, 50});
    auto* empty = NewCtrl<TWinCtrl>(u"noclient", skin.get(), {100, 10, 80, 50});
    full->SetForceBackground(true);
    empty->SetForceBackground(true);
    ShowAndWait(Form());
    auto pf = CaptureControl(full);
    auto pe = CaptureControl(empty);
    EXPECT_EQ(pf->Pixel(40, 25), 0x0000FFu);  // client piece tiled from the picture
    EXPECT_EQ(pf->Pixel(79, 0), 0x0000FFu);   // a border strip
    EXPECT_EQ(pe->Pixel(79, 0), 0x0000FFu);   // the strips still paint
    EXPECT_GT(empty->Paints, 0);
}

TEST_F(SkinCtrlsTest, BackgroundChangeReachesOnlyBlendingControls)
{
    auto skin = MakeSkin();
    // parent (blends) > child (blends) > grandchild (blends); parent > stop (does not) > behind (blends)
    auto* parent = NewCtrl<TWinCtrl>(u"nine", skin.get(), {10, 10, 200, 150});
    auto make = [&](TWinControl* P, TRect R, bool Blend) {
        auto* c = new TWinCtrl(Form());
        c->SetParent(P);
        c->SetSkinDataName(u"nine");
        c->SetBounds(R.Left, R.Top, R.Right, R.Bottom);
        c->SetSkinData(skin.get());
        c->SetAlphaBlend(Blend);
        return c;
    };
    parent->SetAlphaBlend(true);
    auto* child = make(parent, {5, 5, 80, 60}, true);
    auto* grandchild = make(child, {5, 5, 30, 20}, true);
    auto* stop = make(parent, {100, 5, 80, 60}, false);
    auto* behind = make(stop, {5, 5, 30, 20}, true);
    auto* windowless = new TGraphicCtrl(Form());
    windowless->SetParent(parent);
    windowless->SetBounds(5, 100, 40, 20);
    windowless->SetAlphaBlend(true);
    ShowAndWait(Form());
    windowless->Paints = 0;
    SendMessageW(parent->Handle(), WM_PARENTBGCHANGED, 0, 0);
    EXPECT_EQ(parent->BackgroundChanges, 1);
    EXPECT_EQ(child->BackgroundChanges, 1);
    EXPECT_EQ(grandchild->BackgroundChanges, 1);
    EXPECT_EQ(stop->BackgroundChanges, 1);
    EXPECT_EQ(behind->BackgroundChanges, 0);  // the chain stops at a control that does not blend
    EXPECT_GT(windowless->Paints, 0);         // a blending windowless child repaints
    EXPECT_GT(grandchild->Paints, 0);
}

TEST_F(SkinCtrlsTest, SkinCursorAndRemovedComponents)
{
    auto skin = MakeSkin();
    skin->CtrlList[size_t(skin->GetControlIndex(u"hbar"))]->CursorIndex = 2;
    skin->StartCursorIndex = 10;
    auto* c = NewCtrl<TWinCtrl>(u"nine", nullptr);
    c->SetCursor(crHandPoint);
    c->SetUseSkinCursor(true);
    c->SetSkinData(skin.get());
    EXPECT_EQ(c->Cursor(), crDefault);  // the description has no cursor
    c->SetSkinDataName(u"hbar");
    c->ChangeSkinData();
    EXPECT_EQ(c->Cursor(), TCursor(12));

    // Removing the skin component clears the reference; the next paint shows the built-in look.
    ShowAndWait(Form());
    skin.reset();
    EXPECT_EQ(c->SkinData(), nullptr);
    c->Invalidate();
    ExpectSolid(c, ScreenRGB(clBtnFace));
}

TEST_F(SkinCtrlsTest, CommonInterfaceWalksEveryFormControl)
{
    auto skin = MakeSkin();
    auto* a = NewCtrl<TWinCtrl>(u"nine", skin.get());
    auto* inner = new TGraphicCtrl(Form());
    inner->SetParent(a);
    auto* plain = new guitest::TTestButton(Form());
    plain->SetParent(Form());
    std::vector<IsfSkinnedControl*> list;
    CollectSkinnedControls(Form(), list);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->SkinnedControl(), a);
    EXPECT_EQ(list[1]->SkinnedControl(), inner);
    EXPECT_EQ(list[0]->SkinData(), skin.get());
}
