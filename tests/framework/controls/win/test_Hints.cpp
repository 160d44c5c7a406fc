// The application's hints over real controls, timed on a test clock; the
// replaceable hint window class; the balloon hint.
#include "GuiTest.h"
#include "HandleCount.h"

#include <commctrl.h>

#include <string>

#include "framework/controls/win/ExtCtrls.h"
#include "framework/controls/win/Hints.h"

using namespace guitest;

namespace {

COLORREF Colorref(TColor Color) { return static_cast<COLORREF>(ColorToRGB(Color)); }

// A hint window of the program's own, recording what it was asked to show.
class TRecordingHintWindow : public THintWindow {
public:
    using THintWindow::THintWindow;
    String ClassName() const override { return u"TRecordingHintWindow"; }
    TRect CalcHintRect(Integer, const String&, void*) override { return Rect(0, 0, 100, 30); }
    void ActivateHintData(const TRect& Rect, const String& AHint, void* AData) override
    {
        Shown.push_back(AHint);
        LastRect = Rect;
        THintWindow::ActivateHintData(Rect, AHint, AData);
    }
    static inline std::vector<String> Shown;
    static inline TRect LastRect;
};

class Hints : public FormTest {
protected:
    void SetUp() override
    {
        MovePointer(Point(Screen->Width() - 1, Screen->Height() - 1));
        Application->SetHintClock([this] { return Now; });
        Application->SetShowHint(true);
        Application->SetHintPause(500);
        Application->SetHintShortPause(50);
        Application->SetHintHidePause(2500);
        Application->CancelHint();
    }
    void TearDown() override
    {
        if (GetAsyncKeyState(VK_LBUTTON) < 0) LeftButton(false);
        Application->CancelHint();
        Application->SetHintClock(nullptr);
        Application->OnShowHint = nullptr;
        Application->OnHint = nullptr;
        FormTest::TearDown();
    }
    // A form with two panels side by side, each with a hint.
    void MakeForm()
    {
        Form = NewForm();
        Form->SetFormStyle(fsStayOnTop);
        First = AddPanel(10, 10, u"Save the picture|Saves the picture to its file");
        Second = AddPanel(200, 10, u"Open");
        ShowAndWait(Form);
    }
    TPanel* AddPanel(int Left, int Top, const String& Hint)
    {
        auto* P = new TPanel(Form);
        P->SetParent(Form);
        P->SetBounds(Left, Top, 150, 100);
        P->SetHint(Hint);
        P->SetShowHint(true);
        return P;
    }
    // Moves the test clock on and lets the hint timer look at it.
    void Advance(Cardinal Milliseconds)
    {
        Now += Milliseconds;
        if (TTimer* T = Application->HintTimer()) T->OnTimer(T);
        Pump();
    }
    void Rest(TControl* Control) { MovePointer(Control->ClientToScreen(Point(20, 20))); }
    bool HintShowing() const
    {
        THintWindow* W = Application->HintWindow();
        return W && W->HandleAllocated() && IsWindowVisible(W->Handle());
    }
    String HintText() const
    {
        wchar_t Text[256] = {};
        GetWindowTextW(Application->HintWindow()->Handle(), Text, 256);
        return FromWStr(Text);
    }
    Cardinal Now = 100000;
    TForm* Form = nullptr;
    TPanel* First = nullptr;
    TPanel* Second = nullptr;
};

TEST_F(Hints, AHintShowsAfterHintPauseOnTheClockAndHidesAfterHintHidePause)
{
    int HintEvents = 0;
    Application->OnHint = [&](TObject*) { ++HintEvents; };
    MakeForm();
    Rest(First);
    // The status line's part at once.
    EXPECT_EQ(Application->Hint(), u"Saves the picture to its file");
    EXPECT_EQ(HintEvents, 1);
    Advance(499);
    EXPECT_FALSE(HintShowing());
    Advance(1);
    ASSERT_TRUE(HintShowing());
    EXPECT_EQ(HintText(), u"Save the picture");
    // Below the pointer, in the hint colours, with a shadow-coloured border.
    RECT R;
    GetWindowRect(Application->HintWindow()->Handle(), &R);
    const TPoint Pointer = First->ClientToScreen(Point(20, 20));
    EXPECT_GT(R.top, Pointer.Y);
    EXPECT_EQ(R.left, Pointer.X);
    EXPECT_EQ(ScreenPixel(R.left + 1, R.top + 1), Colorref(clInfoBk));
    EXPECT_EQ(ScreenPixel(R.left, R.top), Colorref(clBtnShadow));
    bool Ink = false;
    for (int x = R.left + 2; x < R.right - 2 && !Ink; ++x)
        for (int y = R.top + 2; y < R.bottom - 2 && !Ink; ++y) Ink = ScreenPixel(x, y) != Colorref(clInfoBk);
    EXPECT_TRUE(Ink) << "no text drawn";
    Advance(2499);
    EXPECT_TRUE(HintShowing());
    Advance(1);
    EXPECT_FALSE(HintShowing());
    // Resting on, it does not come back; another control's hint does.
    Advance(5000);
    EXPECT_FALSE(HintShowing());
    Rest(Second);
    EXPECT_EQ(Application->Hint(), u"Open");
    Advance(500);
    ASSERT_TRUE(HintShowing());
    EXPECT_EQ(HintText(), u"Open");
}

TEST_F(Hints, WhetherAHintShowsFollowsShowHintUpTheParents)
{
    const struct {
        bool Application, Parent, Child, ChildParentShowHint;
        const char16_t* ChildHint;
        const char16_t* Expected;  // null: no hint
    } Cases[] = {
        {true, false, true, false, u"child", u"child"},
        {false, false, true, false, u"child", nullptr},
        {true, true, false, false, u"child", nullptr},
        {true, true, false, true, u"child", u"child"},     // taken from the parent
        {true, false, false, true, u"child", nullptr},
        {true, true, true, false, u"", u"parent"},         // no text: the parent's hint
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - Cases));
        MakeForm();
        First->SetHint(u"parent");
        First->SetShowHint(c.Parent);
        auto* Child = new TShape(Form);
        Child->SetParent(First);
        Child->SetBounds(10, 10, 60, 60);
        Child->SetHint(c.ChildHint);
        if (c.ChildParentShowHint) Child->SetParentShowHint(true);
        else Child->SetShowHint(c.Child);
        Application->SetShowHint(c.Application);
        Rest(Child);
        Advance(500);
        EXPECT_EQ(HintShowing(), c.Expected != nullptr);
        if (c.Expected && HintShowing()) EXPECT_EQ(HintText(), c.Expected);
        Application->SetShowHint(true);
        TearDown();
        SetUp();
    }
}

TEST_F(Hints, TheControlAndOnShowHintMayChangeOrRefuseTheHint)
{
    enum TRefuse { NoOne, ByTheControl, ByTheEvent };
    for (TRefuse Refuse : {NoOne, ByTheControl, ByTheEvent}) {
        SCOPED_TRACE(testing::Message() << "refused " << Refuse);
        MakeForm();
        TWindowHook Hook;
        THintInfo Seen;
        auto Proc = [&](TMessage& M) {
            if (M.Msg == CM_HINTSHOW) {
                auto* Info = reinterpret_cast<THintInfo*>(M.LParam);
                Seen = *Info;
                Info->HintStr = u"Changed";
                Info->HintColor = 0x0080FFFF;
                Info->HintPos = Point(Info->HintPos.X + 30, Info->HintPos.Y);
                M.Result = Refuse == ByTheControl;
                return;
            }
            Hook.CallPrevious(M);
        };
        Hook.Hook(First, TWndMethod::OfCallable(Proc));
        Application->OnShowHint = [&](String& HintStr, bool& CanShow, THintInfo& Info) {
            EXPECT_EQ(Info.HintControl, First);
            HintStr += u" twice";
            CanShow = Refuse != ByTheEvent;
        };
        Rest(First);
        Advance(500);
        EXPECT_EQ(Seen.HintControl, First);
        EXPECT_EQ(Seen.HintStr, u"Save the picture");
        EXPECT_EQ(Seen.CursorPos, Point(20, 20));
        EXPECT_EQ(Seen.CursorRect, Rect(0, 0, 150, 100));
        EXPECT_EQ(Seen.HideTimeout, 2500);
        EXPECT_EQ(Seen.HintWindowClass, HintWindowClass);
        EXPECT_EQ(HintShowing(), Refuse == NoOne);
        if (Refuse == NoOne) {
            EXPECT_EQ(HintText(), u"Changed twice");
            RECT R;
            GetWindowRect(Application->HintWindow()->Handle(), &R);
            EXPECT_EQ(R.left, First->ClientToScreen(Point(20, 20)).X + 30);
            EXPECT_EQ(ScreenPixel(R.left + 1, R.top + 1), COLORREF(0x0080FFFF));
        }
        Hook.Unhook();
        Application->OnShowHint = nullptr;
        TearDown();
        SetUp();
    }
}

TEST_F(Hints, AReplacedHintWindowClassMakesTheApplicationsHintWindow)
{
    const THintWindowClass Saved = HintWindowClass;
    auto Restore = ScopeExit([&] {
        HintWindowClass = Saved;
        Application->SetShowHint(false);
        Application->SetShowHint(true);
    });
    HintWindowClass = HintWindowClassOf<TRecordingHintWindow>();
    Application->SetShowHint(false);
    EXPECT_EQ(Application->HintWindow(), nullptr);
    Application->SetShowHint(true);
    ASSERT_NE(dynamic_cast<TRecordingHintWindow*>(Application->HintWindow()), nullptr);
    TRecordingHintWindow::Shown.clear();
    MakeForm();
    Rest(Second);
    Advance(500);
    ASSERT_TRUE(HintShowing());
    EXPECT_EQ(TRecordingHintWindow::Shown, std::vector<String>{u"Open"});
    EXPECT_EQ(TRecordingHintWindow::LastRect.Width(), 100);
    EXPECT_EQ(TRecordingHintWindow::LastRect.Height(), 30);
    RECT R;
    GetWindowRect(Application->HintWindow()->Handle(), &R);
    EXPECT_EQ(R.right - R.left, 100);
}

TEST_F(Hints, MovingOnFromAShownHintTakesTheShortPauseAndAPressCancelsIt)
{
    MakeForm();
    Rest(First);
    Advance(500);
    ASSERT_TRUE(HintShowing());
    Rest(Second);
    EXPECT_FALSE(HintShowing());
    Advance(49);
    EXPECT_FALSE(HintShowing());
    Advance(1);
    ASSERT_TRUE(HintShowing());
    EXPECT_EQ(HintText(), u"Open");
    // A press takes it away; the pointer resting on starts the full pause again.
    LeftButton(true);
    LeftButton(false);
    ASSERT_TRUE(PumpUntil([&] { return !HintShowing(); }));
    MovePointer(Second->ClientToScreen(Point(30, 30)));
    Advance(499);
    EXPECT_FALSE(HintShowing());
    Advance(1);
    EXPECT_TRUE(HintShowing());
    // A freed control takes its hint with it.
    delete Second;
    Second = nullptr;
    Pump();
    EXPECT_FALSE(HintShowing());
    Advance(5000);
    EXPECT_FALSE(HintShowing());
}

TEST_F(Hints, APressWhileTheHintIsPendingCancelsIt)
{
    MakeForm();
    Rest(First);
    Advance(300);
    LeftButton(true);
    LeftButton(false);
    Pump();
    Advance(300);
    EXPECT_FALSE(HintShowing());
}

TEST_F(Hints, HintHidePauseOfZeroKeepsTheHintUntilThePointerMovesOn)
{
    Application->SetHintHidePause(0);
    MakeForm();
    Rest(First);
    Advance(500);
    ASSERT_TRUE(HintShowing());
    Advance(60000);
    EXPECT_TRUE(HintShowing());
    MovePointer(Form->ClientToScreen(Point(180, 250)));  // the form has no hint
    EXPECT_FALSE(HintShowing());
}

TEST_F(Hints, ABalloonShowsItsTextAtAPointUntilHidden)
{
    MakeForm();
    TBalloonHint Balloon(Form);
    Balloon.SetTitle(u"Careful");
    Balloon.SetDescription(u"The picture is not saved");
    Balloon.SetIcon(bhiWarning);
    const TPoint At = First->ClientToScreen(Point(75, 50));
    Balloon.ShowHint(At);
    ASSERT_NE(Balloon.Handle(), nullptr);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(Balloon.Handle()) != 0; }));
    EXPECT_TRUE(Balloon.ShowingHint());
    wchar_t Text[128] = {};
    TTTOOLINFOW Tool = {};
    Tool.cbSize = sizeof(Tool);
    Tool.uId = 1;
    Tool.lpszText = Text;
    SendMessageW(Balloon.Handle(), TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&Tool));
    EXPECT_EQ(FromWStr(Text), u"The picture is not saved");
    // Its stem points at the point: the window lies round it.
    RECT R;
    GetWindowRect(Balloon.Handle(), &R);
    EXPECT_LE(std::abs(R.left - At.X), 400);
    EXPECT_TRUE(R.top >= At.Y - 5 || R.bottom <= At.Y + 5);
    Balloon.HideHint();
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(Balloon.Handle()) == 0; }));
    EXPECT_FALSE(Balloon.ShowingHint());
    // Under a control: below its middle.
    Balloon.ShowHint(Second);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(Balloon.Handle()) != 0; }));
}

TEST_F(Hints, ShowingAndHidingHintsLeavesTheHandleCountsFlat)
{
    MakeForm();
    auto round = [&] {
        Rest(First);
        Advance(500);
        Rest(Second);
        Advance(50);
        Advance(2500);
        MovePointer(Form->ClientToScreen(Point(180, 250)));
    };
    round();
    const int Gdi = LiveGdiObjects(), Windows = ThreadWindowCount();
    for (int i = 0; i < 20; ++i) round();
    EXPECT_EQ(LiveGdiObjects(), Gdi);
    EXPECT_EQ(ThreadWindowCount(), Windows);
}

} // namespace
