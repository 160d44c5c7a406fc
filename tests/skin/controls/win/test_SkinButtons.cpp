#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/controls/win/StdCtrls.h"
#include "skin/controls/SkinControlTestEnv.h"
#include "skin/controls/win/SkinButtons.h"

using namespace skintest;

namespace {

constexpr TColor Key = 0xFF00FF;  // the glyph strips' transparent colour

// A strip of glyphs of 12 x 12, each a key-coloured frame around a square of its colour.
std::unique_ptr<TBitmap> GlyphStrip(const std::vector<TColor>& Colors)
{
    auto B = std::make_unique<TBitmap>();
    B->SetPixelFormat(pf24bit);
    B->SetSize(12 * Integer(Colors.size()), 12);
    TCanvas* C = B->Canvas();
    C->Brush()->SetColor(Key);
    C->FillRect({0, 0, B->Width(), 12});
    for (size_t i = 0; i < Colors.size(); ++i) {
        C->Brush()->SetColor(Colors[i]);
        C->FillRect({Integer(i) * 12 + 2, 2, Integer(i) * 12 + 10, 10});
    }
    return B;
}

// The centre of a control on the screen.
TPoint Centre(TControl* C)
{
    const TRect R = ScreenRect(C);
    return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
}

void Press(TControl* C)
{
    guitest::MovePointer(Centre(C));
    guitest::LeftButton(true);
    guitest::Pump();
}

// Onto the form's bottom-right corner, where no button is: the form takes the mouse.
void Away(TForm* Form)
{
    guitest::MovePointer(Form->ClientToScreen({Form->ClientWidth() - 3, Form->ClientHeight() - 3}));
}

void Release()
{
    guitest::LeftButton(false);
    guitest::Pump();
}

void Tap(WORD VK)
{
    INPUT In[2] = {};
    In[0].type = In[1].type = INPUT_KEYBOARD;
    In[0].ki.wVk = In[1].ki.wVk = VK;
    In[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, In, sizeof(INPUT));
}

bool SamePixels(const guitest::TDib& A, const guitest::TDib& B)
{
    if (A.Width() != B.Width() || A.Height() != B.Height()) return false;
    for (int y = 0; y < A.Height(); ++y)
        for (int x = 0; x < A.Width(); ++x)
            if (A.Pixel(x, y) != B.Pixel(x, y)) return false;
    return true;
}

class SkinButtonsTest : public SkinFormTest {
protected:
    void SetUp() override
    {
        SkinFormTest::SetUp();
        // Away from every form, so that no control starts hot.
        guitest::MovePointer({1000, 700});
    }
    template <class T>
    T* Add(TWinControl* Parent, Integer L, Integer T_, Integer W, Integer H, TsfSkinData* SD)
    {
        T* B = new T(Parent);
        B->SetParent(Parent);
        B->SetSkinData(SD);
        B->SetBounds(L, T_, W, H);
        return B;
    }
};

}  // namespace

TEST_F(SkinButtonsTest, GroupPressReleasesTheOthersAndClicksAtOnce)
{
    TForm* form = NewForm(100, 100, 200, 60);
    std::vector<TsfSkinSpeedButton*> Buttons;
    std::vector<int> Clicks(3);
    for (int i = 0; i < 3; ++i) {
        auto* B = Add<TsfSkinSpeedButton>(form, 10 + 40 * i, 10, 25, 25, Skin(u"Rire"));
        B->SetGroupIndex(1);
        B->OnClick = [&, i](TObject*) { ++Clicks[size_t(i)]; };
        Buttons.push_back(B);
    }
    Buttons[1]->SetDown(true);
    ShowAndWait(form);
    auto Up = CaptureControl(Buttons[2]);

    Press(Buttons[0]);
    EXPECT_EQ(Clicks[0], 1) << "a grouped button clicks on the press";
    Release();
    EXPECT_TRUE(Buttons[0]->Down());
    EXPECT_FALSE(Buttons[1]->Down());
    EXPECT_TRUE(SamePixels(*CaptureControl(Buttons[1]), *Up)) << "the released one shows the normal look";
    Away(form);
    EXPECT_FALSE(SamePixels(*CaptureControl(Buttons[0]), *Up)) << "the pressed one stays down";

    // A second press on the down button neither releases it nor clicks.
    Press(Buttons[0]);
    Release();
    EXPECT_TRUE(Buttons[0]->Down());
    EXPECT_EQ(Clicks, (std::vector<int>{1, 0, 0}));
}

TEST_F(SkinButtonsTest, RepeatClicksOnTheClockWhileHeld)
{
    TForm* form = NewForm(100, 100, 100, 60);
    auto* B = Add<TsfSkinSpeedButton>(form, 10, 10, 25, 25, Skin(u"Rire"));
    B->SetRepeatMode(true);
    B->SetRepeatInterval(100);
    std::vector<Cardinal> At;
    B->OnClick = [&](TObject*) { At.push_back(FClock.Clock.Now() - Cardinal(0)); };
    ShowAndWait(form);
    const Cardinal Start = FClock.Clock.Now();
    Press(B);
    FClock.Clock.Advance(1000);
    Release();
    for (Cardinal& T : At) T -= Start;
    EXPECT_EQ(At, (std::vector<Cardinal>{600, 700, 800, 900, 1000, 1000}));
}

TEST_F(SkinButtonsTest, MorphReachesTheHotLookInFiveTicksAndGoesBack)
{
    // A test skin: the built-in one with the effects on and a morphing push button.
    TsfSkinData* SD = Skin(u"Rire");
    SD->EnableSkinEffects = true;
    auto* D = dynamic_cast<TsfDataSkinButtonControl*>(SD->CtrlList[size_t(SD->GetControlIndex(u"button"))].get());
    ASSERT_TRUE(D);
    D->Morphing = true;
    TForm* form = NewForm(100, 100, 120, 60);
    auto* B = Add<TsfSkinButton>(form, 10, 10, 75, 25, SD);
    B->SetCaption(u"Morph");
    auto* Other = Add<TsfSkinButton>(form, 10, 40, 75, 10, nullptr);  // takes the focus
    ShowAndWait(form);
    Other->SetFocus();
    FClock.Clock.Advance(200);  // a fade the focus started has ended
    auto Normal = CaptureControl(B);

    guitest::MovePointer(Centre(B));
    std::vector<std::unique_ptr<guitest::TDib>> Steps;
    for (int i = 0; i < 6; ++i) {
        FClock.Clock.Advance(20);
        Steps.push_back(CaptureControl(B));
    }
    EXPECT_FALSE(SamePixels(*Steps[3], *Steps[4])) << "tick 4 is still between the looks";
    EXPECT_TRUE(SamePixels(*Steps[4], *Steps[5])) << "tick 5 shows the hot look";
    EXPECT_FALSE(SamePixels(*Steps[4], *Normal));
    EXPECT_FALSE(B->Core().Morphing());
    auto Hot = std::move(Steps[5]);

    Away(form);
    Steps.clear();
    for (int i = 0; i < 5; ++i) {
        FClock.Clock.Advance(20);
        Steps.push_back(CaptureControl(B));
    }
    EXPECT_FALSE(SamePixels(*Steps[0], *Hot));
    EXPECT_FALSE(SamePixels(*Steps[3], *Normal));
    EXPECT_TRUE(SamePixels(*Steps[4], *Normal)) << "five ticks back to the normal look";
}

TEST_F(SkinButtonsTest, DefaultCancelAndModalResultCloseAModalForm)
{
    // Keys typed once the dialog is active -> its result.
    const struct { const char* Name; std::vector<WORD> Keys; bool FocusOnButton; TModalResult Expected; } Cases[] = {
        {"Enter in the edit clicks the default button", {VK_RETURN}, false, mrOk},
        {"Escape clicks the cancel button", {VK_ESCAPE}, false, mrCancel},
        {"Space on the focused button gives its result", {VK_SPACE}, true, 2},
        {"Enter on the focused button clicks it, not the default", {VK_RETURN}, true, 2},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TForm* dialog = NewForm(100, 100, 300, 80);
        dialog->SetBorderStyle(bsDialog);
        auto* Edit = new TEdit(dialog);
        Edit->SetParent(dialog);
        Edit->SetBounds(10, 10, 80, 22);
        auto* Ok = Add<TsfSkinButton>(dialog, 100, 10, 60, 25, Skin(u"Charm"));
        Ok->SetDefault(true);
        Ok->SetModalResult(mrOk);
        auto* Cancel = Add<TsfSkinButton>(dialog, 170, 10, 60, 25, Skin(u"Charm"));
        Cancel->SetCancel(true);
        Cancel->SetModalResult(mrCancel);
        auto* Two = Add<TsfSkinButton>(dialog, 100, 45, 60, 25, Skin(u"Charm"));
        Two->SetModalResult(2);
        dialog->SetActiveControl(C.FocusOnButton ? static_cast<TWinControl*>(Two) : Edit);
        dialog->OnActivate = [&](TObject*) {
            for (WORD K : C.Keys) Tap(K);
        };
        EXPECT_EQ(dialog->ShowModal(), C.Expected);
    }
}

TEST_F(SkinButtonsTest, OnlyAFocusableButtonSetsTheModalResult)
{
    TForm* form = NewForm(100, 100, 200, 60);
    auto* Plain = Add<TsfSkinButton>(form, 10, 10, 75, 25, Skin(u"Rire"));
    Plain->SetModalResult(2);
    Plain->SetCanFocused(false);
    auto* Focusable = Add<TsfSkinButton>(form, 100, 10, 75, 25, Skin(u"Rire"));
    Focusable->SetModalResult(2);
    int Clicks = 0;
    Plain->OnClick = Focusable->OnClick = [&](TObject*) { ++Clicks; };
    ShowAndWait(form);
    Press(Plain);
    Release();
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(form->ModalResult(), mrNone);
    Press(Focusable);
    Release();
    EXPECT_EQ(Clicks, 2);
    EXPECT_EQ(form->ModalResult(), 2);
    EXPECT_TRUE(Focusable->Focused()) << "the press moved the focus to it";
}

TEST_F(SkinButtonsTest, GlyphOfEachState)
{
    const TColor Normal = 0x0000FF, Disabled = 0x00FF00, DownC = 0xFF0000, Hot = 0x00FFFF;
    TForm* form = NewForm(100, 100, 200, 60);
    auto Strip = GlyphStrip({Normal, Disabled, DownC, Hot});
    Strip->SetTransparentColor(Key);
    auto* Four = Add<TsfSkinSpeedButton>(form, 10, 10, 25, 25, Skin(u"Rire"));
    Four->SetGlyph(Strip.get());
    Four->SetNumGlyphs(4);
    auto Single = GlyphStrip({Normal});
    auto* One = Add<TsfSkinSpeedButton>(form, 50, 10, 25, 25, Skin(u"Rire"));
    One->SetGlyph(Single.get());
    ShowAndWait(form);

    auto CentrePixel = [&](TControl* C) {
        auto Px = CaptureControl(C);
        return Px->Pixel(Px->Width() / 2, Px->Height() / 2);
    };
    EXPECT_EQ(CentrePixel(Four), ScreenRGB(Normal));
    guitest::MovePointer(Centre(Four));
    EXPECT_EQ(CentrePixel(Four), ScreenRGB(Hot));
    guitest::LeftButton(true);
    guitest::Pump();
    EXPECT_EQ(CentrePixel(Four), ScreenRGB(DownC));
    Release();
    Away(form);
    Four->SetEnabled(false);
    EXPECT_EQ(CentrePixel(Four), ScreenRGB(Disabled));
    // A single glyph is drawn as it is when disabled.
    One->SetEnabled(false);
    EXPECT_EQ(CentrePixel(One), ScreenRGB(Normal));

    // A strip narrower than its glyph count draws nothing, and reads nothing outside it.
    auto Narrow = GlyphStrip({Normal});
    Narrow->SetSize(3, 12);
    One->SetEnabled(true);
    One->SetGlyph(Narrow.get());
    One->SetNumGlyphs(4);
    EXPECT_NE(CentrePixel(One), ScreenRGB(Normal));
}

TEST_F(SkinButtonsTest, ImageListOrGlyph)
{
    const TColor GlyphColor = 0x0000FF, ListColor = 0x00FF00;
    TForm* form = NewForm(100, 100, 200, 60);
    auto Strip = GlyphStrip({GlyphColor});
    auto Image = GlyphStrip({ListColor});
    auto* List = new TImageList(form, 12, 12);
    List->Add(Image.get());
    auto* Push = Add<TsfSkinButton>(form, 10, 10, 75, 25, Skin(u"Rire"));
    auto* Tool = Add<TsfSkinSpeedButton>(form, 100, 10, 25, 25, Skin(u"Rire"));
    Push->SetGlyph(Strip.get());
    Push->SetImageList(List);
    Tool->SetGlyph(Strip.get());
    Tool->SetImageList(List);
    ShowAndWait(form);
    auto CentrePixel = [&](TControl* C) {
        auto Px = CaptureControl(C);
        return Px->Pixel(Px->Width() / 2, Px->Height() / 2);
    };
    // The push button: the list's image when it has ImageIndex, else the glyph.
    EXPECT_EQ(CentrePixel(Push), ScreenRGB(GlyphColor)) << "ImageIndex -1";
    Push->SetImageIndex(0);
    EXPECT_EQ(CentrePixel(Push), ScreenRGB(ListColor)) << "ImageIndex 0";
    // The tool button shows the list only without a glyph.
    Tool->SetImageIndex(0);
    EXPECT_EQ(CentrePixel(Tool), ScreenRGB(GlyphColor));
    Tool->SetGlyph(nullptr);
    EXPECT_EQ(CentrePixel(Tool), ScreenRGB(ListColor));
}

TEST_F(SkinButtonsTest, GlowLayerFollowsTheMouse)
{
    TsfSkinData* SD = Skin(u"Rire");
    auto* D = dynamic_cast<TsfDataSkinButtonControl*>(SD->CtrlList[size_t(SD->GetControlIndex(u"button"))].get());
    ASSERT_TRUE(D);
    D->GlowLayerShowOffsetX = 3;
    D->GlowLayerShowOffsetY = 2;
    TForm* form = NewForm(100, 100, 200, 60);
    auto* B = Add<TsfSkinButton>(form, 10, 10, 75, 25, SD);
    ShowAndWait(form);
    // (glow picture, mask) -> shown: a picture or mask number outside the skin's list is no glow / no mask.
    const struct { Integer Picture, Mask; bool Shown; } Cases[] = {
        {0, -1, true}, {0, 100000, true}, {100000, -1, false}, {-5, 0, false}, {-1, -1, false}};
    for (const auto& C : Cases) {
        D->GlowLayerPictureIndex = C.Picture;
        D->GlowLayerMaskPictureIndex = C.Mask;
        guitest::MovePointer(Centre(B));
        EXPECT_EQ(B->LayerManager()->IsVisible(), C.Shown) << C.Picture << ' ' << C.Mask;
        if (C.Shown) {
            // Placed at the button's screen position less the skin's show offsets.
            const TRect R = ScreenRect(B);
            EXPECT_EQ(B->LayerManager()->LayerWindow()->Left(), R.Left - 3);
            EXPECT_EQ(B->LayerManager()->LayerWindow()->Top(), R.Top - 2);
        }
        Away(form);
        EXPECT_FALSE(B->LayerManager()->IsVisible());
    }
}

TEST_F(SkinButtonsTest, FlatIdleButtonShowsItsParent)
{
    TForm* form = NewForm(100, 100, 100, 60);
    form->SetColor(clRed);
    auto* B = Add<TsfSkinSpeedButton>(form, 10, 10, 25, 25, Skin(u"Rire"));
    B->SetFlat(true);
    ShowAndWait(form);
    EXPECT_EQ(CaptureControl(B)->Pixel(1, 1), ScreenRGB(clRed));
    guitest::MovePointer(Centre(B));
    EXPECT_NE(CaptureControl(B)->Pixel(1, 1), ScreenRGB(clRed)) << "hot, it paints its picture";
}

TEST_F(SkinButtonsTest, DescriptionOfAnotherClassDrawsItsOwnPicture)
{
    TForm* form = NewForm(100, 100, 100, 60);
    // Named before the skin comes, so that no button description was ever read.
    auto* B = new TsfSkinSpeedButton(form);
    B->SetParent(form);
    B->SetSkinDataName(u"panel");
    B->SetSkinData(Skin(u"Rire"));
    B->SetBounds(10, 10, 40, 25);
    ShowAndWait(form);
    auto Normal = CaptureControl(B);
    guitest::MovePointer(Centre(B));
    auto Hot = CaptureControl(B);
    EXPECT_NE(Normal->Pixel(20, 12), 0u);
    EXPECT_EQ(Hot->Pixel(20, 12), Normal->Pixel(20, 12)) << "the hot state has no picture of its own";
}

TEST_F(SkinButtonsTest, ScreenshotsInTheFourSkins)
{
    auto Glyph = GlyphStrip({0x2060C0, 0x808080});
    Glyph->SetTransparentColor(Key);
    for (const char16_t* Name : SkinNames) {
        TForm* form = NewForm(100, 100, 330, 80);
        TsfSkinData* SD = Skin(Name);
        auto* Push = Add<TsfSkinButton>(form, 10, 10, 75, 25, SD);
        Push->SetCaption(u"OK");
        Push->SetDefault(true);
        auto* Wide = Add<TsfSkinButton>(form, 95, 10, 110, 25, SD);
        Wide->SetCaption(u"Glyph button");
        Wide->SetGlyph(Glyph.get());
        Wide->SetNumGlyphs(2);
        auto* Off = Add<TsfSkinButton>(form, 215, 10, 75, 25, SD);
        Off->SetCaption(u"Disabled");
        Off->SetEnabled(false);
        auto* Tool = Add<TsfSkinSpeedButton>(form, 10, 45, 25, 25, SD);
        Tool->SetGlyph(Glyph.get());
        Tool->SetNumGlyphs(2);
        auto* DownTool = Add<TsfSkinSpeedButton>(form, 40, 45, 25, 25, SD);
        DownTool->SetGroupIndex(1);
        DownTool->SetDown(true);
        DownTool->SetGlyph(Glyph.get());
        DownTool->SetNumGlyphs(2);
        auto* FlatTool = Add<TsfSkinSpeedButton>(form, 70, 45, 25, 25, SD);
        FlatTool->SetFlat(true);
        FlatTool->SetGlyph(Glyph.get());
        FlatTool->SetNumGlyphs(2);
        auto* Arrow = Add<TsfSkinSpeedButton>(form, 100, 45, 28, 25, SD);
        Arrow->SetArrowMode(2);
        auto* Text = Add<TsfSkinSpeedButton>(form, 135, 45, 80, 25, SD);
        Text->SetUseSkinSize(false);
        Text->SetCaption(u"Tool text");
        Text->SetDrawColorMarker(true);
        ShowAndWait(form);
        const TPoint Origin = form->ClientToScreen({0, 0});
        SaveScreenshot(TRect{Origin.X, Origin.Y, Origin.X + form->ClientWidth(), Origin.Y + form->ClientHeight()},
                       String(u"SkinButtons_") + Name);
        EXPECT_NE(CaptureControl(Push)->Pixel(37, 12), CaptureControl(Off)->Pixel(37, 12)) << "disabled differs";
    }
}

// A push button of a skin with rounded corners takes its region from the
// skin's mask: on a dark and on a light form its corners show the form, never
// the skin's face; square corners (no mask) keep their outline there.
TEST_F(SkinButtonsTest, PushButtonCornersShowTheForm)
{
    for (const char16_t* Name : SkinNames)
        for (TColor Ground : {TColor(0x202020), TColor(0xFFFFFF)}) {
            TForm* form = NewForm(100, 100, 120, 60);
            form->SetColor(Ground);
            TsfSkinData* SD = Skin(Name);
            auto* B = Add<TsfSkinButton>(form, 10, 10, 75, 25, SD);
            ShowAndWait(form);
            const auto* D = SD->CtrlList[size_t(SD->GetControlIndex(u"button"))].get();
            const auto Px = CaptureControl(B);
            const std::string What = UTF8Encode(Name) + (Ground ? " on light" : " on dark");
            const bool Rounded = D->MaskPictureIndex >= 0;
            EXPECT_EQ(Rounded, std::u16string(Name) != u"Laconic") << What;
            for (const TPoint& P : {TPoint{0, 0}, TPoint{74, 0}, TPoint{0, 24}, TPoint{74, 24}})
                EXPECT_EQ(Px->Pixel(P.X, P.Y) == ScreenRGB(Ground), Rounded) << What << " at " << P.X << "," << P.Y;
            // Nothing of the face around the corners, wherever the mask cut.
            const DWORD Face = ScreenRGB(SD->SkinColors()->cBtnFace());
            for (int y : {0, 1, 2, 22, 23, 24})
                for (int x : {0, 1, 2, 72, 73, 74}) EXPECT_NE(Px->Pixel(x, y), Face) << What << " at " << x << "," << y;
            EXPECT_NE(Px->Pixel(0, 12), ScreenRGB(Ground)) << What << ": the outline";
            form->Hide();
        }
}
