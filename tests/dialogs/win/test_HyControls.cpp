// The program's own small controls on real windows: the bevel frame's
// pixels, the link label under the real pointer, and the speed button's
// hover steps (its timer stepped by the test, never waited for).
#include <gtest/gtest.h>

#include "DialogTest.h"
#include "dialogs/win/HyControls.h"

namespace {

using guitest::CaptureScreen;
using guitest::MovePointer;
using guitest::Pump;
using guitest::PumpUntil;

constexpr COLORREF Rgb(TColor C) { return static_cast<COLORREF>(C); }

// DIB pixels are 0x00RRGGBB; colours here are 0x00BBGGRR.
DWORD DibOf(TColor C)
{
    const COLORREF V = Rgb(C);
    return (GetRValue(V) << 16) | (GetGValue(V) << 8) | GetBValue(V);
}

TRect ScreenRectOf(TControl* C)
{
    const TPoint P = ScreenCentre(C);
    const Integer L = P.X - C->Width() / 2, T = P.Y - C->Height() / 2;
    return TRect{L, T, L + C->Width(), T + C->Height()};
}

Integer CountPixels(const guitest::TDib& D, Integer W, Integer H, DWORD Pixel)
{
    Integer N = 0;
    for (Integer Y = 0; Y < H; ++Y)
        for (Integer X = 0; X < W; ++X)
            if ((D.Pixel(X, Y) & 0xFFFFFF) == Pixel) ++N;
    return N;
}

class HyControls : public guitest::FormTest {
protected:
    TForm* Form = nullptr;
    void SetUp() override
    {
        Form = NewForm(120, 120, 300, 160);
        Form->SetColor(clWhite);
    }
    void Show()
    {
        ShowAndWait(Form);
        WaitShown(Form);
    }
    // Steps the button's hover timer once, as its interval would.
    static void Step(THySpeedButton* B) { B->Timer()->OnTimer(B->Timer()); }
};

std::vector<String> OpenedUrls;
void RecordUrl(const String& Url) { OpenedUrls.push_back(Url); }

}  // namespace

TEST(BevelFrame, NestedFramesOnTheLastColumnAndRowInside)
{
    const TColor TL = clRed, BR = clBlue, Back = clWhite;
    struct {
        Integer W, H, Count;
    } const Cases[] = {{10, 10, 2}, {5, 3, 1}, {7, 6, 3}, {8, 8, 0}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.W << "x" << C.H << " count " << C.Count);
        TBitmap B;
        B.SetSize(C.W, C.H);
        B.Canvas()->Brush()->SetColor(Back);
        B.Canvas()->FillRect(TRect{0, 0, C.W, C.H});
        DrawBevelFrame(B.Canvas(), TRect{0, 0, C.W, C.H}, TL, C.Count, BR);
        for (Integer Y = 0; Y < C.H; ++Y)
            for (Integer X = 0; X < C.W; ++X) {
                // Ring K has its right column W-1-K and bottom row H-1-K.
                const Integer K = std::min({X, Y, C.W - 1 - X, C.H - 1 - Y});
                TColor Want = Back;
                if (K < C.Count) {
                    const Integer Right = C.W - 1 - K, Bottom = C.H - 1 - K;
                    Want = (Y == Bottom || X == Right) ? BR : TL;
                }
                EXPECT_EQ(GetPixel(B.Canvas()->Handle(), X, Y), Rgb(Want)) << "at " << X << "," << Y;
            }
    }
}

TEST_F(HyControls, ALinkLabelTakesItsLookUnderThePointerAndOpensItsAddress)
{
    const TColor Link = 0xC00000;  // a dark blue, not in the label's own look
    struct {
        const char* Name;
        String Url;
        bool UseActiveColor;
        bool Coloured;  // the hover look shows the active colour
    } const Cases[] = {
        {"a link with its colour", u"https://example.invalid/feedback", true, true},
        {"a link, colour not used", u"https://example.invalid/feedback", false, false},
        {"no address: no link", u"", true, false},
    };
    const THyOpenUrlProc SavedOpen = HyOpenUrl;
    HyOpenUrl = RecordUrl;
    auto Restore = ScopeExit([&] { HyOpenUrl = SavedOpen; });
    THyLabel* L = new THyLabel(Form);
    L->SetAutoSize(false);
    L->SetBounds(20, 20, 200, 30);
    L->SetCaption(u"Tell us what you think");
    L->Font()->SetColor(clBlack);
    L->Font()->SetSize(12);
    L->SetActiveColor(Link);
    L->SetParent(Form);
    Integer Clicks = 0;
    std::vector<String> OpenedAtClick;
    L->OnClick = [&](TObject*) {
        ++Clicks;
        OpenedAtClick = OpenedUrls;
    };
    Show();
    const TRect R = ScreenRectOf(L);
    const TPoint Away{R.Left + 10, R.Bottom + 60};
    Integer At = R.Left + 20;
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        At += 40;  // clicks apart: never a double click
        OpenedUrls.clear();
        Clicks = 0;
        L->SetUrl(C.Url);
        L->SetUseActiveColor(C.UseActiveColor);
        MovePointer(Away);
        ASSERT_TRUE(PumpUntil([&] { return !L->MouseIn(); }));
        L->Repaint();
        const auto Before = CaptureScreen(R);
        EXPECT_EQ(CountPixels(*Before, R.Width(), R.Height(), DibOf(Link)), 0);
        // The frame in its default colour on the label's edges.
        EXPECT_EQ(Before->Pixel(0, 0) & 0xFFFFFF, DibOf(0x8396A0));
        EXPECT_EQ(Before->Pixel(R.Width() - 1, R.Height() - 1) & 0xFFFFFF, DibOf(0x8396A0));

        MovePointer(TPoint{At, R.Top + 15});
        ASSERT_TRUE(PumpUntil([&] { return L->MouseIn(); }));
        L->Repaint();
        const auto Over = CaptureScreen(R);
        const Integer Coloured = CountPixels(*Over, R.Width(), R.Height(), DibOf(Link));
        EXPECT_EQ(Coloured > 0, C.Coloured) << Coloured;
        // The underline adds ink: a link looks different under the pointer.
        const Integer InkBefore = R.Width() * R.Height() - CountPixels(*Before, R.Width(), R.Height(), DibOf(clWhite));
        const Integer InkOver = R.Width() * R.Height() - CountPixels(*Over, R.Width(), R.Height(), DibOf(clWhite));
        if (C.Url.empty())
            EXPECT_EQ(InkOver, InkBefore);
        else
            EXPECT_GT(InkOver, InkBefore);

        Click(TPoint{At, R.Top + 15});
        EXPECT_EQ(Clicks, 1);
        EXPECT_TRUE(OpenedAtClick.empty());  // the click event comes first
        EXPECT_EQ(OpenedUrls, C.Url.empty() ? std::vector<String>{} : std::vector<String>{C.Url});
    }
}

TEST_F(HyControls, ASpeedButtonFiresItsCountOnEachStayOfThePointer)
{
    THySpeedButton* B = new THySpeedButton(Form);
    B->SetBounds(40, 40, 80, 30);
    B->SetCaption(u"Refresh");
    B->SetTriggerCount(3);
    B->SetTimerInterval(60000);  // the test steps the timer itself
    B->SetParent(Form);
    Integer Enters = 0, Leaves = 0, Starts = 0, Triggers = 0;
    B->OnMouseEnter = [&](TObject*) { ++Enters; };
    B->OnMouseLeave = [&](TObject*) { ++Leaves; };
    B->OnTriggerStart = [&](TObject*, bool&) { ++Starts; };
    B->OnTimerTrigger = [&](TObject*) { ++Triggers; };
    Show();
    EXPECT_EQ(B->Timer()->Interval(), 60000u);
    EXPECT_FALSE(B->Timer()->Enabled());
    const TRect R = ScreenRectOf(B);
    for (Integer Stay = 1; Stay <= 2; ++Stay) {
        SCOPED_TRACE(Stay);
        MovePointer(TPoint{R.Left + 10, R.Top + 10});
        ASSERT_TRUE(PumpUntil([&] { return B->Hover().Entered(); }));
        EXPECT_TRUE(B->Timer()->Enabled());
        for (Integer I = 0; I < 6; ++I) Step(B);
        EXPECT_EQ(Triggers, 3 * Stay);
        EXPECT_TRUE(B->Timer()->Enabled());  // it runs on while the pointer rests
        MovePointer(TPoint{R.Left + 10, R.Bottom + 50});
        ASSERT_TRUE(PumpUntil([&] { return !B->Hover().Entered(); }));
        EXPECT_FALSE(B->Timer()->Enabled());
    }
    EXPECT_EQ(Enters, 2);
    EXPECT_EQ(Starts, 2);
    EXPECT_GE(Leaves, 2);
}

TEST_F(HyControls, ASpeedButtonNoticesALeaveItWasNotToldOf)
{
    THySpeedButton* B = new THySpeedButton(Form);
    B->SetBounds(40, 40, 80, 30);
    B->SetTimerInterval(60000);
    B->SetParent(Form);
    Integer Leaves = 0;
    B->OnMouseLeave = [&](TObject*) { ++Leaves; };
    Show();
    const TRect R = ScreenRectOf(B);
    MovePointer(TPoint{R.Left + 10, R.Top + 10});
    ASSERT_TRUE(PumpUntil([&] { return B->Hover().Entered(); }));
    // The pointer goes without the button handling a move: only the next step sees it.
    SetCursorPos(R.Left + 10, R.Bottom + 50);
    while (Mouse->CursorPos().Y != R.Bottom + 50) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, 0);
    ASSERT_TRUE(B->Hover().Entered());
    Step(B);
    EXPECT_FALSE(B->Hover().Entered());
    EXPECT_FALSE(B->Timer()->Enabled());
    EXPECT_EQ(Leaves, 1);
    Pump();
}

TEST_F(HyControls, SimulatedClicksToggleAGroupButtonThatAllowsAllUp)
{
    struct {
        const char* Name;
        Integer GroupIndex;
        bool AllowAllUp;
        Integer TriggerCount;
        bool Down;  // after the steps
    } const Cases[] = {
        {"one step presses it", 1, true, 1, true},
        {"two steps press and release it", 1, true, 2, false},
        {"a group that keeps one down: not toggled", 1, false, 1, false},
        {"no group: not toggled", 0, true, 1, false},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        THySpeedButton* B = new THySpeedButton(Form);
        B->SetBounds(40, 40, 80, 30);
        B->SetTimerInterval(60000);
        B->SetGroupIndex(C.GroupIndex);
        B->SetAllowAllUp(C.AllowAllUp);
        B->SetTriggerCount(C.TriggerCount);
        B->SetSimulateClick(true);
        B->SetParent(Form);
        Integer Clicks = 0;
        B->OnClick = [&](TObject*) { ++Clicks; };
        Show();
        const TRect R = ScreenRectOf(B);
        MovePointer(TPoint{R.Left + 10, R.Top + 10});
        ASSERT_TRUE(PumpUntil([&] { return B->Hover().Entered(); }));
        for (Integer I = 0; I < 4; ++I) Step(B);
        EXPECT_EQ(Clicks, C.TriggerCount);
        EXPECT_EQ(B->Down(), C.Down);
        MovePointer(TPoint{R.Left + 10, R.Bottom + 50});
        ASSERT_TRUE(PumpUntil([&] { return !B->Hover().Entered(); }));
        delete B;
    }
}

TEST_F(HyControls, AFlatTransparentButtonIsFilledWithItsColour)
{
    struct {
        const char* Name;
        TColor Color;
        bool Flat;
        TColor Seen;  // at the button's corner while the pointer is away
    } const Cases[] = {
        {"flat, in its colour", 0x30C030, true, 0x30C030},
        {"flat, the button face: the form shows", clBtnFace, true, clWhite},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        THySpeedButton* B = new THySpeedButton(Form);
        B->SetBounds(40, 40, 80, 30);
        B->SetFlat(C.Flat);
        B->SetParent(Form);
        Show();
        B->SetColor(C.Color);  // repaints at once
        Pump();
        const TRect R = ScreenRectOf(B);
        const auto Seen = CaptureScreen(R);
        EXPECT_EQ(Seen->Pixel(2, 2) & 0xFFFFFF, DibOf(C.Seen));
        delete B;
        Pump();
    }
}
