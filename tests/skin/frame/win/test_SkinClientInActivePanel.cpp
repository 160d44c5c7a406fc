// The inactive-client effect of a skinned form: when the form loses its
// activation its client area is covered by a blurred or faded snapshot of
// itself, taken after the paints that were still pending, and uncovered when
// the form is active again.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "SkinControlTestEnv.h"
#include "skin/frame/win/SkinForm.h"

using namespace guitest;
using namespace skintest;

namespace {

class SkinClientInActivePanel : public SkinFormTest {
protected:
    void SetUp() override
    {
        Form = NewForm(100, 100, 200, 150);
        C = new TsfSkinForm(Form);
        C->ClientInActiveEffect = true;
        Square = new TColourSquare(Form);
        Square->SetBounds(40, 40, 40, 40);
        Square->SetColor(clRed);
        Square->SetParent(Form);
        ShowAndWait(Form);
    }
    void Activate(bool Active) { SendMessageW(Form->Handle(), WM_NCACTIVATE, Active, 0); }
    // 0xRRGGBB of the snapshot and of the screen at a client point.
    DWORD Snapshot(int X, int Y) const { return C->InActivePanel()->Buffer()->GetPixel(X, Y) & 0xFFFFFF; }
    DWORD Screen(int X, int Y) const
    {
        const TPoint P = Form->ClientToScreen({X, Y});
        return CaptureScreen({P.X, P.Y, P.X + 1, P.Y + 1})->Pixel(0, 0);
    }
    TForm* Form = nullptr;
    TsfSkinForm* C = nullptr;
    TColourSquare* Square = nullptr;
};

// Each channel of B over A at opacity Alpha, within the rounding of the blend.
bool Blended(DWORD Got, DWORD Under, DWORD Over, int Alpha)
{
    for (int Shift : {0, 8, 16}) {
        const int U = (Under >> Shift) & 0xFF, O = (Over >> Shift) & 0xFF, G = (Got >> Shift) & 0xFF;
        if (std::abs(G - (O * Alpha + U * (255 - Alpha)) / 255) > 2) return false;
    }
    return true;
}

} // namespace

TEST_F(SkinClientInActivePanel, InactiveFormShowsItsBlurredClientUntilActiveAgain)
{
    C->ClientInActiveEffectType = sfieBlur;
    // A repaint still pending when the form loses its activation is in the snapshot.
    Square->SetColor(clLime);
    Activate(false);
    ASSERT_NE(C->InActivePanel(), nullptr);
    ASSERT_NE(C->InActivePanel()->Buffer(), nullptr);
    EXPECT_TRUE(C->InActivePanel()->Visible());
    EXPECT_EQ(C->InActivePanel()->BoundsRect(), (TRect{0, 0, Form->ClientWidth(), Form->ClientHeight()}));
    const DWORD Face = ScreenRGB(clBtnFace), Lime = ScreenRGB(clLime);
    EXPECT_EQ(Snapshot(60, 60), Lime);  // deep inside: the blur keeps the colour
    EXPECT_EQ(Snapshot(10, 10), Face);
    const DWORD Edge = Snapshot(40, 60);  // on the edge: a mix of the two
    EXPECT_NE(Edge, Lime);
    EXPECT_NE(Edge, Face);
    EXPECT_TRUE(PumpUntil([&] { return Screen(40, 60) == Edge; }));
    EXPECT_EQ(Screen(60, 60), Lime);

    // Active again: the panel goes and the client shows through, repainted.
    Activate(true);
    EXPECT_EQ(C->InActivePanel(), nullptr);
    EXPECT_TRUE(PumpUntil([&] { return Screen(40, 60) == Lime && Screen(39, 60) == Face; }));
}

TEST_F(SkinClientInActivePanel, FadedSnapshotIsTheBackgroundOverTheClient)
{
    C->ClientInActiveEffectType = sfieSemiTransparent;
    Activate(false);
    ASSERT_NE(C->InActivePanel(), nullptr);
    const DWORD Face = ScreenRGB(clBtnFace), Red = ScreenRGB(clRed);
    EXPECT_TRUE(Blended(Snapshot(60, 60), Red, Face, 170)) << std::hex << Snapshot(60, 60);
    EXPECT_EQ(Snapshot(10, 10), Face);
    EXPECT_TRUE(PumpUntil([&] { return Screen(60, 60) == Snapshot(60, 60); }));
    // Deactivated twice: one panel, taken anew.
    Activate(false);
    EXPECT_EQ(Form->ControlCount(), 2);
    Activate(true);
    EXPECT_EQ(Form->ControlCount(), 1);
}

TEST_F(SkinClientInActivePanel, NothingForAHiddenFormOrWithTheEffectOff)
{
    C->ClientInActiveEffect = false;
    Activate(false);
    EXPECT_EQ(C->InActivePanel(), nullptr);
    Form->Hide();
    C->ShowClientInActiveEffect();
    ASSERT_NE(C->InActivePanel(), nullptr);
    EXPECT_EQ(C->InActivePanel()->Buffer(), nullptr);
    EXPECT_FALSE(C->InActivePanel()->Visible());
    C->HideClientInActiveEffect();
    EXPECT_EQ(C->InActivePanel(), nullptr);
}
