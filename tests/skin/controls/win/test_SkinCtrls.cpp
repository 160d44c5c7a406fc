#include <gtest/gtest.h>

#include "skin/controls/SkinControlTestEnv.h"
#include "skin/controls/win/SkinCtrls.h"

using namespace skintest;

namespace {

constexpr DWORD BtnFace = 0xF0F0F0;  // clBtnFace on this platform, as 0xRRGGBB

DWORD ScreenRGB(TColor C)
{
    const TColor c = ColorToRGB(C);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

class SkinCtrlsTest : public SkinFormTest {};

}  // namespace

TEST_F(SkinCtrlsTest, NoSkinAndUnknownNameDrawTheBuiltInLook)
{
    (void)BtnFace;
    TForm* form = NewForm(100, 100, 200, 120);
    form->SetColor(clRed);
    auto* plain = new TsfSkinCustomControl(form);
    plain->SetParent(form);
    plain->SetBounds(10, 10, 60, 40);
    auto* unknown = new TsfSkinCustomControl(form);
    unknown->SetParent(form);
    unknown->SetSkinDataName(u"no such description");
    unknown->SetSkinData(Skin(u"Rire"));
    unknown->SetBounds(100, 10, 60, 40);
    ShowAndWait(form);
    for (TControl* c : {static_cast<TControl*>(plain), static_cast<TControl*>(unknown)}) {
        auto px = CaptureControl(c);
        EXPECT_EQ(px->Pixel(0, 0), ScreenRGB(clBtnFace));
        EXPECT_EQ(px->Pixel(59, 39), ScreenRGB(clBtnFace));
    }
    EXPECT_EQ(unknown->SkinIndex(), -1);
}
