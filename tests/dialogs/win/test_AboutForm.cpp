// The About box in both languages, from the program file's version 5.2.6.0.
#include <gtest/gtest.h>

#include "DialogTest.h"
#include "dialogs/win/AboutForm.h"
#include "framework/controls/win/ExtCtrls.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinLabels.h"

namespace {

class About : public GlobalsTest {
protected:
    void TearDown() override
    {
        LangColumn = 2;
        GlobalsTest::TearDown();
    }
};

}  // namespace

TEST_F(About, EnglishShowsTheNameAndTheVersion)
{
    ASSERT_EQ(ProductVersion, u"5.2.6.0");
    LangColumn = 2;
    TfrmAbout Box(nullptr, nullptr);
    EXPECT_EQ(Box.Caption(), GetLangText(0, 150));
    EXPECT_EQ(Box.lblVersion->Caption(), u"Ver 5.26");
    EXPECT_TRUE(Box.lblName->Visible());
    EXPECT_FALSE(Box.imgName->Visible());
    EXPECT_EQ(Box.lblName->Caption(), AboutDisplayName);
    EXPECT_EQ(Box.lblVersion->Left(), Box.lblName->Left() + Box.lblName->Width() + 20);
    EXPECT_EQ(Box.lblEdition->Caption(), GetLangText(0, 155));
}

TEST_F(About, ChineseShowsTheNamePictureAndTheVersion)
{
    LangColumn = 0;
    TfrmAbout Box(nullptr, nullptr);
    EXPECT_EQ(Box.lblVersion->Caption(), u"版本号 5.26");
    EXPECT_FALSE(Box.lblName->Visible());
    EXPECT_EQ(Box.btnClose->Caption(), u"关闭");
    EXPECT_EQ(Box.lblVersion->Left(), Box.imgName->Left() + Box.imgName->Width() + 20);
    EXPECT_EQ(Box.Caption(), GetLangText(0, 150));
}

TEST_F(About, CloseButtonEndsTheBoxAndItsTextIsOnTheScreen)
{
    LangColumn = 2;
    TfrmAbout Box(nullptr, nullptr);
    Box.SetPosition(poDesigned);  // where the clicks expect it
    Box.SetLeft(200);
    Box.SetTop(150);
    bool TextShown = false;
    HWND WhileShown = nullptr;
    WhenModal(&Box, [&] {
        WhileShown = ActiveFormWindow;
        // The version's letters are darker than the box behind them.
        guitest::PumpUntil([&] {
            const TRect R = Box.lblVersion->BoundsRect();
            for (Integer X = R.Left; X < R.Right && !TextShown; ++X)
                for (Integer Y = R.Top; Y < R.Bottom && !TextShown; ++Y) {
                    POINT P{X, Y};
                    ::ClientToScreen(Box.Handle(), &P);
                    const COLORREF C = guitest::ScreenPixel(P.x, P.y);
                    TextShown = GetRValue(C) + GetGValue(C) + GetBValue(C) < 200;
                }
            return TextShown;
        });
        Click(ScreenCentre(Box.btnClose));
    });
    Box.ShowModal();
    EXPECT_TRUE(TextShown);
    EXPECT_EQ(WhileShown, Box.Handle());
    EXPECT_FALSE(IsWindowVisible(Box.Handle()));
    EXPECT_EQ(ActiveFormWindow, nullptr);
}
