// Range bars on real windows: geometry of a 200 x 17 bar, positions and
// their events, the wheel, auto-repeat and hot polling (the timer's steps run
// by hand, so nothing waits), thumb dragging, and both looks.
#include "../../../framework/controls/win/GuiTest.h"

#include <string>
#include <vector>

#include "Component/Raster32/win/Ras32_RangeBars.h"
#include "Component/Raster32/win/Ras32_XPThemes.h"

using namespace guitest;

namespace {

DWORD SysRgb(int Index)
{
    COLORREF C = GetSysColor(Index);
    return static_cast<DWORD>(GetRValue(C) << 16 | GetGValue(C) << 8 | GetBValue(C));
}

class RangeBars : public FormTest {
protected:
    TForm* Form = nullptr;
    TRangeBar* Bar = nullptr;
    Integer Changes = 0, UserChanges = 0;

    void SetUp() override
    {
        // Keep the pointer away from the bar until a test moves it.
        MovePointer(Point(Screen->Width() - 1, Screen->Height() - 1));
        Form = NewForm(60, 60, 300, 100);
        Bar = new TRangeBar(Form);
        Bar->SetParent(Form);
        Bar->SetBorderStyle(bsNone);
        Bar->SetBounds(10, 10, 200, 17);
        Bar->OnChange = [this](TObject*) { ++Changes; };
        Bar->OnUserChange = [this](TObject*) { ++UserChanges; };
        ShowAndWait(Form);
    }
    void Press(Integer X, Integer Y)
    {
        PostMessageW(Bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Pos(X, Y));
        Pump();
    }
    void Release(Integer X, Integer Y)
    {
        PostMessageW(Bar->Handle(), WM_LBUTTONUP, 0, Pos(X, Y));
        Pump();
    }
};

}  // namespace

TEST_F(RangeBars, GeometryOfA200By17Bar)
{
    EXPECT_EQ(Bar->ClientRect(), (TRect{0, 0, 200, 17}));
    EXPECT_EQ(Bar->Geometry().ArrowButtonSize(), 17);
    Bar->SetParams(1000, 100);
    EXPECT_EQ(Bar->EffectiveWindow(), 100);
    EXPECT_EQ(Bar->GetThumbRect(), (TRect{17, 0, 34, 17}));
    Bar->SetPosition(900);
    EXPECT_EQ(Bar->GetThumbRect(), (TRect{166, 0, 183, 17}));  // offset round(900 * 166 / 1000) = 149
    Bar->SetParams(10000, 100);
    Bar->SetPosition(9900);
    EXPECT_EQ(Bar->GetThumbRect().Width(), 17);  // round(1.66) is below the minimum
    EXPECT_EQ(Bar->GetThumbRect().Right, 183);
    // The window is the bar's own length unless set.
    Bar->SetParams(1000, 0);
    EXPECT_EQ(Bar->EffectiveWindow(), 200);
}

TEST_F(RangeBars, PositionsAreClampedAndAnnounced)
{
    Bar->SetParams(1000, 100);
    Bar->SetPosition(-5);
    EXPECT_EQ(Bar->Position(), 0.0f);
    EXPECT_EQ(Changes, 0);  // unchanged: nothing announced
    Bar->SetPosition(1000);
    EXPECT_EQ(Bar->Position(), 900.0f);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(UserChanges, 0);  // set by the program, not the user

    // A centred bar keeps its window's centre; SetParams (0, 0) ends at 0.
    Bar->SetCentered(true);
    Bar->SetPosition(200);
    Bar->SetParams(2000, 100);
    EXPECT_EQ(Bar->Position(), 450.0f);
    Bar->SetParams(0, 0);
    EXPECT_EQ(Bar->Position(), 0.0f);
}

TEST_F(RangeBars, WheelStepsByTheIncrement)
{
    Bar->SetParams(1000, 100);
    Bar->SetPosition(500);
    Changes = UserChanges = 0;
    EXPECT_EQ(Bar->Increment(), 8);
    Bar->Perform(CM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(Bar->Position(), 508.0f);
    Bar->Perform(CM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), 0);
    EXPECT_EQ(Bar->Position(), 492.0f);
    EXPECT_EQ(Changes, 2);
    EXPECT_EQ(UserChanges, 2);  // the owner follows the wheel
}

TEST_F(RangeBars, ArrowButtonsRepeatAfter600ThenEvery100Milliseconds)
{
    Bar->SetParams(1000, 100);
    Bar->SetPosition(876);
    UserChanges = 0;
    Press(190, 8);  // the next button
    EXPECT_EQ(Bar->DragZone(), zBtnNext);
    EXPECT_EQ(Bar->Position(), 884.0f);  // one step at once
    EXPECT_EQ(Bar->TimerMode(), 1);
    EXPECT_EQ(Bar->Timer()->Interval(), 600u);
    EXPECT_TRUE(Bar->Timer()->Enabled());
    Bar->HandleTimer();  // the first repeat, after 600 ms
    EXPECT_EQ(Bar->Position(), 892.0f);
    EXPECT_EQ(Bar->TimerMode(), 2);
    EXPECT_EQ(Bar->Timer()->Interval(), 100u);
    Bar->HandleTimer();  // then every 100 ms, up to the end of the range
    EXPECT_EQ(Bar->Position(), 900.0f);
    EXPECT_EQ(UserChanges, 3);
    Bar->HandleTimer();  // at the end: the repeat stops, hot polling every 150 ms
    EXPECT_EQ(Bar->Position(), 900.0f);
    EXPECT_EQ(Bar->TimerMode(), 3);
    EXPECT_EQ(Bar->Timer()->Interval(), 150u);
    Release(190, 8);
    EXPECT_EQ(Bar->DragZone(), zNone);
    EXPECT_EQ(Bar->TimerMode(), 3);
    // The pointer is not over the bar: the poll ends the hot tracking.
    Bar->HandleTimer();
    EXPECT_FALSE(Bar->Timer()->Enabled());
    EXPECT_EQ(Bar->HotZone(), zNone);
}

TEST_F(RangeBars, TrackPagesRepeatOnlyWhileThePointerStaysThere)
{
    Bar->SetParams(1000, 100);
    Bar->SetPosition(500);
    TPoint Screen0 = Bar->ClientToScreen(Point(0, 0));
    MovePointer(Point(Screen0.X + 170, Screen0.Y + 8));  // on the track after the thumb
    Press(170, 8);
    EXPECT_EQ(Bar->DragZone(), zTrackNext);
    EXPECT_EQ(Bar->Position(), 600.0f);
    Bar->HandleTimer();
    EXPECT_EQ(Bar->Position(), 700.0f);
    MovePointer(Point(Screen0.X + 30, Screen0.Y + 8));  // before the thumb now
    Bar->HandleTimer();
    EXPECT_EQ(Bar->Position(), 700.0f);
    Release(30, 8);
}

TEST_F(RangeBars, DraggingTheThumb)
{
    Bar->SetParams(1000, 100);
    Bar->SetPosition(0);
    UserChanges = 0;
    Press(25, 8);  // the thumb at 17 .. 34
    EXPECT_EQ(Bar->DragZone(), zHandle);
    EXPECT_EQ(Bar->TimerMode(), 3);  // hot polling instead of repeating
    EXPECT_EQ(Bar->Position(), 0.0f);
    PostMessageW(Bar->Handle(), WM_MOUSEMOVE, MK_LBUTTON, Pos(25 + 83, 8));
    Pump();
    EXPECT_FLOAT_EQ(Bar->Position(), 500.0f);  // 1000 * 83 / 166
    EXPECT_EQ(UserChanges, 1);
    Release(108, 8);

    // A window covering the range ignores presses.
    Bar->SetParams(50, 100);
    Press(25, 8);
    EXPECT_EQ(Bar->DragZone(), zNone);
    EXPECT_FALSE(Bar->ShowsEnabled());
    Release(25, 8);
}

TEST_F(RangeBars, ClassicAndThemedLooks)
{
    Bar->SetParams(1000, 100);
    Bar->SetPosition(450);  // the thumb at 92 .. 109
    bool Themed = UseVisualStyles;
    EXPECT_EQ(Themed, VisualStylesActive() && ScrollBarTheme != nullptr);

    UseVisualStyles = false;
    TDib Classic(200, 17);
    Bar->Perform(WM_PAINT, reinterpret_cast<WPARAM>(Classic.DC()), 0);
    UseVisualStyles = Themed;
    // The raised thumb is filled with the button face; the track is a
    // checkerboard of the highlight and the bar's colour.
    EXPECT_EQ(Classic.Pixel(100, 8), SysRgb(COLOR_BTNFACE));
    DWORD Track[2] = {Classic.Pixel(60, 8), Classic.Pixel(61, 8)};
    // (Wine's default scheme has both white.)
    if (SysRgb(COLOR_BTNHIGHLIGHT) != SysRgb(COLOR_SCROLLBAR)) EXPECT_NE(Track[0], Track[1]);
    for (DWORD C : Track) EXPECT_TRUE(C == SysRgb(COLOR_BTNHIGHLIGHT) || C == SysRgb(COLOR_SCROLLBAR)) << std::hex << C;
    // The arrow glyph is drawn in the button.
    bool Glyph = false;
    for (Integer X = 2; X < 15; ++X) Glyph = Glyph || Classic.Pixel(X, 8) != Classic.Pixel(1, 1);
    EXPECT_TRUE(Glyph);

    // The flat look: the thumb in its handle colour.
    Bar->SetStyle(rbsMac);
    Bar->SetHandleColor(static_cast<TColor>(0x00336699));
    TDib Flat(200, 17);
    Bar->Perform(WM_PAINT, reinterpret_cast<WPARAM>(Flat.DC()), 0);
    EXPECT_EQ(Flat.Pixel(94, 8), 0x996633u);  // between the grip marks

    if (!Themed) {
        std::printf("visual styles are off here: themed drawing not compared\n");
        return;
    }
    Bar->SetStyle(rbsDefault);
    TDib Theme(200, 17);
    Bar->Perform(WM_PAINT, reinterpret_cast<WPARAM>(Theme.DC()), 0);
    // Drawn by the theme: the thumb and the track differ, and the picture is
    // not the classic one.
    EXPECT_NE(Theme.Pixel(100, 8), Theme.Pixel(60, 8));
    bool Differs = false;
    for (Integer X = 0; X < 200 && !Differs; ++X)
        for (Integer Y = 0; Y < 17 && !Differs; ++Y) Differs = Theme.Pixel(X, Y) != Classic.Pixel(X, Y);
    EXPECT_TRUE(Differs);
}

TEST_F(RangeBars, AccessSetsBothBars)
{
    auto* Other = new TRangeBar(Form);
    TArrowBarAccess Access;
    Access.SetMaster(Bar);
    Access.SetSlave(Other);
    Access.SetButtonSize(12);
    Access.SetStyle(rbsMac);
    Access.SetShowHandleGrip(false);
    EXPECT_EQ(Other->ButtonSize(), 12);
    EXPECT_EQ(Bar->ButtonSize(), 12);
    EXPECT_EQ(Other->Style(), rbsMac);
    EXPECT_FALSE(Access.ShowHandleGrip());
    EXPECT_EQ(Bar->Geometry().ArrowButtonSize(), 11);  // one less in the flat look
}
