// Controls on real windows (Wine on an X display without a window manager):
// mouse routing to windowed and windowless controls, hover and capture,
// layout, the replaceable window procedure, painting into a caller's context,
// focus and keys, the wheel, notifications and reflected messages.
#include "GuiTest.h"

#include <algorithm>
#include <functional>
#include <string>

using namespace guitest;

namespace {

std::vector<std::string> Events;
bool RecordMoves = false;
bool RecordHover = false;
bool RecordNotifications = false;

std::string Xy(Integer X, Integer Y)
{
    return std::to_string(X) + "," + std::to_string(Y);
}

// Records the mouse events and notifications it receives under its name.
template <class Base>
class TRecorder : public Base {
public:
    explicit TRecorder(TComponent* AOwner) : Base(AOwner) {}
    std::string Id = "?";

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override
    {
        Events.push_back(Id + " down " + Xy(X, Y) + (Shift & ssDouble ? " double" : ""));
        Base::MouseDown(Button, Shift, X, Y);
    }
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override
    {
        if (RecordMoves) Events.push_back(Id + " move " + Xy(X, Y));
        Base::MouseMove(Shift, X, Y);
    }
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override
    {
        Events.push_back(Id + " up " + Xy(X, Y));
        Base::MouseUp(Button, Shift, X, Y);
    }
    void Click() override
    {
        Events.push_back(Id + " click");
        Base::Click();
    }
    void DblClick() override
    {
        Events.push_back(Id + " dblclick");
        Base::DblClick();
    }
    void CMMouseEnter(TMessage& Message) override
    {
        if (RecordHover) Events.push_back(Id + " enter");
        Base::CMMouseEnter(Message);
    }
    void CMMouseLeave(TMessage& Message) override
    {
        if (RecordHover) Events.push_back(Id + " leave");
        Base::CMMouseLeave(Message);
    }
    void WndProc(TMessage& Message) override
    {
        if (RecordNotifications) {
            switch (Message.Msg) {
            case CM_ENABLEDCHANGED: Events.push_back(Id + " enabled"); break;
            case CM_VISIBLECHANGED: Events.push_back(Id + " visible"); break;
            case CM_TEXTCHANGED: Events.push_back(Id + " text"); break;
            case CM_FONTCHANGED: Events.push_back(Id + " font"); break;
            case CM_COLORCHANGED: Events.push_back(Id + " color"); break;
            }
        }
        Base::WndProc(Message);
    }
};

using TWinRecorder = TRecorder<TCustomControl>;
using TGraphicRecorder = TRecorder<TGraphicControl>;
using TFormRecorder = TRecorder<TForm>;

class Controls : public FormTest {
protected:
    void SetUp() override
    {
        Events.clear();
        RecordMoves = RecordHover = RecordNotifications = false;
        // Keep the pointer away from the forms until a test moves it.
        MovePointer(Point(Screen->Width() - 1, Screen->Height() - 1));
    }
    void TearDown() override
    {
        // A failed drag must not leave the button held for the next test.
        if (GetAsyncKeyState(VK_LBUTTON) < 0) LeftButton(false);
        FormTest::TearDown();
    }
    // A form with a windowed child "win" at (10, 10, 100, 60) and a windowless
    // child "gfx" at (150, 20, 80, 40).
    void MakeForm()
    {
        Form = NewForm<TFormRecorder>();
        Form->Id = "form";
        Form->SetFormStyle(fsStayOnTop);
        Win = new TWinRecorder(Form);
        Win->Id = "win";
        Win->SetParent(Form);
        Win->SetBounds(10, 10, 100, 60);
        Gfx = new TGraphicRecorder(Form);
        Gfx->Id = "gfx";
        Gfx->SetParent(Form);
        Gfx->SetBounds(150, 20, 80, 40);
        ShowAndWait(Form);
        Events.clear();
    }
    TFormRecorder* Form = nullptr;
    TWinRecorder* Win = nullptr;
    TGraphicRecorder* Gfx = nullptr;
};

TEST_F(Controls, PostedClicksReachTheControlUnderThePointerInItsCoordinates)
{
    MakeForm();
    HWND form = Form->Handle();
    PostMessageW(form, WM_LBUTTONDOWN, MK_LBUTTON, Pos(160, 30));
    PostMessageW(form, WM_LBUTTONUP, 0, Pos(161, 31));
    PostMessageW(Win->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Pos(5, 6));
    PostMessageW(Win->Handle(), WM_LBUTTONUP, 0, Pos(5, 6));
    PostMessageW(form, WM_LBUTTONDOWN, MK_LBUTTON, Pos(300, 200));
    PostMessageW(form, WM_LBUTTONUP, 0, Pos(300, 200));
    Pump();
    EXPECT_EQ(Events, (std::vector<std::string>{"gfx down 10,10", "gfx click", "gfx up 11,11", "win down 5,6",
                                                "win click", "win up 5,6", "form down 300,200", "form click",
                                                "form up 300,200"}));
}

TEST_F(Controls, RealInputHoversAndClicksWindowedAndWindowlessControls)
{
    MakeForm();
    RecordHover = true;
    MovePointer(Win->ClientToScreen(Point(20, 20)));
    MovePointer(Gfx->ClientToScreen(Point(5, 5)));
    LeftButton(true);
    LeftButton(false);
    ASSERT_TRUE(PumpUntil([] { return !Events.empty() && Events.back() == "gfx up 5,5"; }));
    MovePointer(Form->ClientToScreen(Point(300, 200)));
    ASSERT_TRUE(PumpUntil([] { return Events.back() == "form enter"; }));
    EXPECT_EQ(Events, (std::vector<std::string>{"win enter", "win leave", "gfx enter", "gfx down 5,5", "gfx click",
                                                "gfx up 5,5", "gfx leave", "form enter"}));
    EXPECT_EQ(MouseControl(), Form);
}

TEST_F(Controls, ADragStartedOnAWindowlessControlStaysWithItUntilRelease)
{
    MakeForm();
    RecordMoves = true;
    MovePointer(Gfx->ClientToScreen(Point(10, 10)));
    LeftButton(true);
    ASSERT_TRUE(PumpUntil([] { return !Events.empty() && Events.back() == "gfx down 10,10"; }));
    EXPECT_TRUE(Gfx->MouseCapture());
    // Out of its bounds, and out of the form altogether.
    TPoint outside = Form->ClientToScreen(Point(-40, 250));
    MovePointer(Form->ClientToScreen(Point(20, 250)));
    MovePointer(outside);
    LeftButton(false);
    ASSERT_TRUE(PumpUntil([] { return Events.back().rfind("gfx up", 0) == 0; }));
    EXPECT_FALSE(Gfx->MouseCapture());
    std::vector<std::string> expected{"gfx down 10,10", "gfx move -130,230", "gfx move -190,230", "gfx up -190,230"};
    std::vector<std::string> got;
    for (auto& e : Events)
        if (e != "gfx move 10,10") got.push_back(e);  // the move to the start point
    EXPECT_EQ(got, expected);
    // Released: the next move belongs to the control under the pointer.
    Events.clear();
    MovePointer(Form->ClientToScreen(Point(300, 200)));
    ASSERT_TRUE(PumpUntil([] { return !Events.empty(); }));
    EXPECT_EQ(Events.back(), "form move 300,200");
}

TEST_F(Controls, ADoubleClickFiresDblClickBeforeTheSecondPress)
{
    MakeForm();
    auto* plain = new TGraphicRecorder(Form);  // does not want double clicks
    plain->Id = "plain";
    plain->SetControlStyle(plain->ControlStyle() & ~csDoubleClicks);
    plain->SetParent(Form);
    plain->SetBounds(150, 100, 80, 40);
    HWND form = Form->Handle();
    for (int y : {30, 110}) {
        PostMessageW(form, WM_LBUTTONDOWN, MK_LBUTTON, Pos(160, y));
        PostMessageW(form, WM_LBUTTONUP, 0, Pos(160, y));
        PostMessageW(form, WM_LBUTTONDBLCLK, MK_LBUTTON, Pos(160, y));
        PostMessageW(form, WM_LBUTTONUP, 0, Pos(160, y));
    }
    Pump();
    EXPECT_EQ(Events, (std::vector<std::string>{"gfx down 10,10", "gfx click", "gfx up 10,10", "gfx dblclick",
                                                "gfx down 10,10 double", "gfx up 10,10", "plain down 10,10",
                                                "plain click", "plain up 10,10", "plain down 10,10", "plain click",
                                                "plain up 10,10"}));
}

TEST_F(Controls, AlignLaysOutTheSixKindsAlsoAfterAResize)
{
    TForm* form = NewForm(100, 100, 400, 300);
    auto add = [&](TAlign Align, TRect Bounds) {
        auto* c = new TGraphicControl(form);
        c->SetParent(form);
        c->SetBoundsRect(Bounds);
        c->SetAlign(Align);
        return c;
    };
    TControl* top1 = add(alTop, Rect(0, 0, 10, 30));
    TControl* top2 = add(alTop, Rect(0, 100, 10, 120));  // lower, so placed after top1
    TControl* bottom = add(alBottom, Rect(0, 0, 10, 25));
    TControl* left = add(alLeft, Rect(0, 0, 50, 10));
    TControl* right = add(alRight, Rect(0, 0, 60, 10));
    TControl* client = add(alClient, Rect(0, 0, 5, 5));
    TControl* free = add(alNone, Rect(7, 8, 9, 10));
    struct {
        int W, H;
        std::vector<TRect> Expected;  // top1, top2, bottom, left, right, client
    } cases[] = {
        {400, 300,
         {Rect(0, 0, 400, 30), Rect(0, 30, 400, 50), Rect(0, 275, 400, 300), Rect(0, 50, 50, 275),
          Rect(340, 50, 400, 275), Rect(50, 50, 340, 275)}},
        {500, 400,
         {Rect(0, 0, 500, 30), Rect(0, 30, 500, 50), Rect(0, 375, 500, 400), Rect(0, 50, 50, 375),
          Rect(440, 50, 500, 375), Rect(50, 50, 440, 375)}},
    };
    for (bool shown : {false, true}) {
        if (shown) ShowAndWait(form);
        for (auto& c : cases) {
            form->SetClientWidth(c.W);
            form->SetClientHeight(c.H);
            Pump();
            SCOPED_TRACE(std::to_string(c.W) + (shown ? " shown" : " not shown"));
            TControl* controls[] = {top1, top2, bottom, left, right, client};
            for (int i = 0; i < 6; ++i) EXPECT_EQ(controls[i]->BoundsRect(), c.Expected[i]) << "control " << i;
            EXPECT_EQ(free->BoundsRect(), Rect(7, 8, 9, 10));
        }
    }
    // A hidden control leaves its place to the others.
    right->Hide();
    EXPECT_EQ(client->BoundsRect(), Rect(50, 50, 500, 375));
}

TEST_F(Controls, AnchorsKeepTheirDistancesWhenTheParentResizes)
{
    for (bool shown : {false, true}) {
        SCOPED_TRACE(shown ? "shown" : "not shown");
        TForm* form = NewForm(100, 100, 400, 300);
        auto add = [&](TAnchors Anchors, TRect Bounds) {
            auto* c = new TGraphicControl(form);
            c->SetParent(form);
            c->SetBoundsRect(Bounds);
            c->SetAnchors(Anchors);
            return c;
        };
        TControl* corner = add(akRight | akBottom, Rect(300, 250, 350, 270));
        TControl* wide = add(akLeft | akTop | akRight, Rect(10, 10, 390, 30));
        TControl* centred = add(0, Rect(175, 140, 225, 160));
        TControl* all = add(akLeft | akTop | akRight | akBottom, Rect(20, 40, 380, 240));
        if (shown) ShowAndWait(form);
        form->SetClientWidth(500);
        form->SetClientHeight(400);
        Pump();
        EXPECT_EQ(corner->BoundsRect(), Rect(400, 350, 450, 370));
        EXPECT_EQ(wide->BoundsRect(), Rect(10, 10, 490, 30));
        // The centre keeps its proportion: 200 of 400 becomes 250 of 500, 150 of 300 becomes 200 of 400.
        EXPECT_EQ(centred->BoundsRect(), Rect(225, 190, 275, 210));
        EXPECT_EQ(all->BoundsRect(), Rect(20, 40, 480, 340));
        // Back to the first size: back to the first places.
        form->SetClientWidth(400);
        form->SetClientHeight(300);
        Pump();
        EXPECT_EQ(corner->BoundsRect(), Rect(300, 250, 350, 270));
        EXPECT_EQ(centred->BoundsRect(), Rect(175, 140, 225, 160));
        EXPECT_EQ(all->BoundsRect(), Rect(20, 40, 380, 240));
    }
}

TEST_F(Controls, ConstraintsHoldForSetBoundsAlignmentAndTheWindowFrame)
{
    TForm* form = NewForm(100, 100, 400, 300);
    auto* c = new TGraphicControl(form);
    c->SetParent(form);
    c->Constraints()->SetMinWidth(100);
    c->Constraints()->SetMaxWidth(200);
    c->Constraints()->SetMinHeight(10);
    c->Constraints()->SetMaxHeight(50);
    struct {
        TRect Asked, Got;
    } cases[] = {
        {Rect(0, 0, 50, 5), Rect(0, 0, 100, 10)},
        {Rect(5, 6, 305, 86), Rect(5, 6, 205, 56)},
        {Rect(1, 2, 151, 32), Rect(1, 2, 151, 32)},
    };
    for (auto& k : cases) {
        c->SetBoundsRect(k.Asked);
        EXPECT_EQ(c->BoundsRect(), k.Got);
    }
    // Aligned to the client area, it still keeps its limits.
    c->SetAlign(alClient);
    EXPECT_EQ(c->BoundsRect(), Rect(0, 0, 200, 50));
    // A new limit applies at once.
    c->SetAlign(alNone);
    c->Constraints()->SetMaxWidth(120);
    EXPECT_EQ(c->Width(), 120);

    form->Constraints()->SetMaxWidth(500);
    form->Constraints()->SetMinHeight(150);
    ShowAndWait(form);
    form->SetBounds(form->Left(), form->Top(), 900, 100);
    Pump();
    EXPECT_EQ(form->Width(), 500);
    EXPECT_EQ(form->Height(), 150);
    MINMAXINFO info = {};
    SendMessageW(form->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMaxTrackSize.x, 500);
    EXPECT_EQ(info.ptMinTrackSize.y, 150);
}

TEST_F(Controls, AReplacedWindowProcSeesEveryMessageAndPassesThemOn)
{
    MakeForm();
    std::vector<UINT> seen;
    bool resized = false;
    Form->OnResize = [&](TObject*) { resized = true; };
    TWndMethod old = Form->WindowProc;
    auto hook = [&](TMessage& Message) {
        seen.push_back(Message.Msg);
        if (Message.Msg == WM_USER + 8) return;  // swallowed
        old(Message);
    };
    Form->WindowProc = TWndMethod::OfCallable(hook);
    auto saw = [&](UINT Msg) { return std::find(seen.begin(), seen.end(), Msg) != seen.end(); };

    Form->SetCaption(u"Hooked");
    wchar_t text[32] = {};
    GetWindowTextW(Form->Handle(), text, 32);
    EXPECT_TRUE(saw(WM_SETTEXT));
    EXPECT_EQ(std::wstring(text), L"Hooked");

    PostMessageW(Form->Handle(), WM_USER + 7, 0, 0);
    PostMessageW(Form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Pos(160, 30));
    PostMessageW(Form->Handle(), WM_LBUTTONUP, 0, Pos(160, 30));
    Pump();
    EXPECT_TRUE(saw(WM_USER + 7));
    EXPECT_TRUE(saw(WM_LBUTTONDOWN));
    EXPECT_EQ(Events, (std::vector<std::string>{"gfx down 10,10", "gfx click", "gfx up 10,10"}));

    Form->SetClientWidth(420);
    EXPECT_TRUE(saw(WM_WINDOWPOSCHANGED));
    EXPECT_TRUE(saw(WM_SIZE));
    EXPECT_TRUE(resized);
    EXPECT_EQ(Form->ClientWidth(), 420);

    // What the hook keeps does not reach the form.
    Events.clear();
    Form->Perform(WM_USER + 8, 0, 0);
    EXPECT_TRUE(saw(WM_USER + 8));

    Form->WindowProc = old;
    seen.clear();
    PostMessageW(Form->Handle(), WM_USER + 7, 0, 0);
    Form->SetCaption(u"Free");
    Pump();
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(Form->Caption(), u"Free");
}

// Paints a white field with a red block; its windowless child paints green with a black frame.
class TPainted : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(clWhite);
        Canvas()->FillRect(ClientRect());
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(Rect(10, 10, 40, 30));
    }
};

class TPaintedChild : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(clLime);
        Canvas()->Pen()->SetColor(clBlack);
        Canvas()->Rectangle(ClientRect());
    }
};

TEST_F(Controls, PaintingIntoACallersContextMatchesTheScreen)
{
    TForm* form = NewForm(120, 140, 300, 200);
    form->SetFormStyle(fsStayOnTop);
    auto* painted = new TPainted(form);
    painted->SetParent(form);
    painted->SetBounds(20, 20, 200, 120);
    auto* child = new TPaintedChild(form);
    child->SetParent(painted);
    child->SetBounds(60, 40, 50, 30);
    ShowAndWait(form);
    painted->Repaint();

    // What the control shows, read from its own window: the display's copy
    // of it follows when the platform gets round to it, and another window
    // may cover it there.
    TDib screen(200, 120);
    HDC wdc = GetDC(painted->Handle());
    BitBlt(screen.DC(), 0, 0, 200, 120, wdc, 0, 0, SRCCOPY);
    ReleaseDC(painted->Handle(), wdc);
    TDib memory(200, 120);
    painted->Perform(WM_PAINT, reinterpret_cast<WPARAM>(memory.DC()), 0);

    EXPECT_EQ(memory.Pixel(5, 5), 0xFFFFFFu);
    EXPECT_EQ(memory.Pixel(20, 20), 0xFF0000u);
    EXPECT_EQ(memory.Pixel(60, 40), 0x000000u);  // the child's frame, at its place
    EXPECT_EQ(memory.Pixel(80, 55), 0x00FF00u);
    int differing = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 200; ++x) differing += memory.Pixel(x, y) != screen.Pixel(x, y);
    EXPECT_EQ(differing, 0);
}

TEST_F(Controls, TabMovesTheFocusInTabOrderWithEnterAndExit)
{
    TForm* form = NewForm();
    form->SetFormStyle(fsStayOnTop);
    auto add = [&](const char* Name, TWinControl* Parent, int X) {
        auto* b = new TTestButton(form);
        b->SetParent(Parent);
        b->SetLeft(X);
        b->OnEnter = [Name](TObject*) { Events.push_back(std::string(Name) + " enter"); };
        b->OnExit = [Name](TObject*) { Events.push_back(std::string(Name) + " exit"); };
        return b;
    };
    TTestButton* b1 = add("b1", form, 0);
    TTestButton* b2 = add("b2", form, 80);
    TTestButton* b3 = add("b3", form, 160);
    b3->SetTabOrder(0);  // b3, b1, b2
    EXPECT_EQ(b2->TabOrder(), 2);
    auto* panel = add("panel", form, 240);  // a parent without a tab stop of its own
    panel->SetTabStop(false);
    panel->SetControlStyle(panel->ControlStyle() | csAcceptsControls);
    panel->SetBounds(10, 100, 200, 80);
    TTestButton* inner = add("inner", panel, 10);
    auto tab = [&] {
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0x000F0001);
        PostMessageW(GetFocus(), WM_KEYUP, VK_TAB, static_cast<LPARAM>(0xC00F0001));
        Pump();
    };

    ShowAndWait(form);
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == b3->Handle(); }));
    EXPECT_EQ(form->ActiveControl(), b3);
    tab();
    EXPECT_EQ(GetFocus(), b1->Handle());
    EXPECT_EQ(Screen->ActiveControl(), b1);
    EXPECT_EQ(Screen->ActiveCustomForm(), form);
    b3->SetEnabled(false);
    tab();
    tab();
    EXPECT_EQ(GetFocus(), inner->Handle());
    EXPECT_EQ(Events, (std::vector<std::string>{"b3 enter", "b3 exit", "b1 enter", "b1 exit", "b2 enter", "b2 exit",
                                                "panel enter", "inner enter"}));
    Events.clear();
    tab();  // past the disabled b3, round to b1
    EXPECT_EQ(GetFocus(), b1->Handle());
    EXPECT_EQ(Events, (std::vector<std::string>{"inner exit", "panel exit", "b1 enter"}));
}

TEST_F(Controls, KeysReachTheFocusedControlsEvents)
{
    TForm* form = NewForm();
    auto* b = new TTestButton(form);
    b->SetParent(form);
    b->OnKeyDown = [](TObject*, Word& Key, TShiftState) { Events.push_back("down " + std::to_string(Key)); };
    b->OnKeyPress = [](TObject*, Char& Key) { Events.push_back(std::string("press ") + static_cast<char>(Key)); };
    b->OnKeyUp = [](TObject*, Word& Key, TShiftState) { Events.push_back("up " + std::to_string(Key)); };
    ShowAndWait(form);
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == b->Handle(); }));
    // The loop translates the key into its character.
    PostMessageW(b->Handle(), WM_KEYDOWN, 'A', 0x001E0001);
    Pump();
    PostMessageW(b->Handle(), WM_KEYUP, 'A', static_cast<LPARAM>(0xC01E0001));
    Pump();
    EXPECT_EQ(Events, (std::vector<std::string>{"down 65", "press a", "up 65"}));
}

TEST_F(Controls, TheWheelGoesToTheControlUnderThePointerThenUpItsParents)
{
    MakeForm();
    auto log = [](TControl* C, const char* Name) {
        C->OnMouseWheel = [Name](TObject*, TShiftState, Integer Delta, const TPoint&, bool&) {
            Events.push_back(std::string(Name) + " wheel " + std::to_string(Delta));
        };
        C->OnMouseWheelDown = [Name](TObject*, TShiftState, const TPoint&, bool& Handled) {
            Events.push_back(std::string(Name) + " down");
            Handled = std::string(Name) == "form";
        };
    };
    log(Gfx, "gfx");
    log(Form, "form");
    log(Win, "win");
    TPoint overGfx = Gfx->ClientToScreen(Point(5, 5));
    // The message goes to the focused window; the pointer is over gfx.
    PostMessageW(Win->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                 Pos(overGfx.X, overGfx.Y));
    Pump();
    EXPECT_EQ(Events, (std::vector<std::string>{"gfx wheel -120", "gfx down", "form wheel -120", "form down"}));

    // Away from the program's windows: the window that got it.
    Events.clear();
    PostMessageW(Win->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                 Pos(Screen->Width() - 1, Screen->Height() - 1));
    Pump();
    EXPECT_EQ(Events, (std::vector<std::string>{"win wheel -120", "win down", "form wheel -120", "form down"}));
}

TEST_F(Controls, PropertyChangesSendTheirNotifications)
{
    MakeForm();
    auto* own = new TWinRecorder(Form);
    own->Id = "own";
    own->SetParent(Form);
    own->Font()->SetName(u"Courier New");  // no longer the parent's font
    RecordNotifications = true;

    Win->SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(Win->Handle()));
    Win->SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(Win->Handle()));
    Win->SetVisible(true);
    Win->SetCaption(u"Hi");
    Gfx->SetCaption(u"G");
    EXPECT_EQ(Events, (std::vector<std::string>{"win enabled", "win visible", "win visible", "win text", "gfx text"}));
    wchar_t text[8] = {};
    GetWindowTextW(Win->Handle(), text, 8);
    EXPECT_EQ(std::wstring(text), L"Hi");
    EXPECT_EQ(Win->Caption(), u"Hi");
    EXPECT_EQ(Gfx->Text(), u"G");

    Events.clear();
    Form->Font()->SetHeight(-20);
    EXPECT_EQ(Win->Font()->Height(), -20);
    EXPECT_EQ(Gfx->Font()->Height(), -20);
    EXPECT_NE(own->Font()->Height(), -20);
    EXPECT_TRUE(Win->ParentFont());
    EXPECT_NE(std::find(Events.begin(), Events.end(), "gfx font"), Events.end());

    Form->SetColor(clRed);
    EXPECT_EQ(Gfx->Color(), clRed);
    EXPECT_EQ(Win->Brush()->Color(), clRed);
    Gfx->SetColor(clBlue);
    Form->SetColor(clGreen);
    EXPECT_EQ(Gfx->Color(), clBlue);
    EXPECT_FALSE(Gfx->ParentColor());
    EXPECT_EQ(Win->Color(), clGreen);
}

// A native push button wrapped as a control.
class TNativeButton : public TWinControl {
public:
    using TWinControl::TWinControl;
    String ClassName() const override { return u"TNativeButton"; }
    std::vector<Word> Notifications;

protected:
    void CreateParams(TCreateParams& Params) override
    {
        TWinControl::CreateParams(Params);
        CreateSubClass(Params, L"BUTTON");
        Params.Style |= BS_PUSHBUTTON;
    }
    void CNCommand(TMessage& Message) override
    {
        Notifications.push_back(HIWORD(Message.WParam));
        Messages.push_back(Message.Msg);
    }

public:
    std::vector<UINT> Messages;
};

TEST_F(Controls, ANativeChildGetsItsCommandsReflected)
{
    TForm* form = NewForm();
    auto* button = new TNativeButton(form);
    button->SetParent(form);
    button->SetBounds(10, 10, 90, 30);
    button->SetCaption(u"Native");
    ShowAndWait(form);
    wchar_t cls[32] = {};
    GetClassNameW(button->Handle(), cls, 32);
    EXPECT_EQ(std::wstring(cls), L"TNativeButton");
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(button->Notifications, std::vector<Word>{BN_CLICKED});
    EXPECT_EQ(button->Messages, std::vector<UINT>{0xBD11});  // CN_BASE + WM_COMMAND
    EXPECT_EQ(button->Caption(), u"Native");
}

// A native owner-drawn list box of variable item heights: its parent asks it
// through reflected messages for each item's height and picture.
class TNativeOwnerDrawList : public TWinControl {
public:
    using TWinControl::TWinControl;
    String ClassName() const override { return u"TNativeOwnerDrawList"; }
    std::vector<UINT> Measured;  // item ids asked for
    std::vector<UINT> Drawn;
    std::vector<UINT> Deleted;

protected:
    void CreateParams(TCreateParams& Params) override
    {
        TWinControl::CreateParams(Params);
        CreateSubClass(Params, L"LISTBOX");
        Params.Style |= LBS_OWNERDRAWVARIABLE | LBS_NOTIFY | LBS_HASSTRINGS;
    }
    void CNMeasureItem(TMessage& Message) override
    {
        auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
        Measured.push_back(mi->itemID);
        mi->itemHeight = 10 + 5 * mi->itemID;
        Message.Result = 1;
    }
    void CNDrawItem(TMessage& Message) override
    {
        Drawn.push_back(reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam)->itemID);
        Message.Result = 1;
    }
    void Dispatch(TMessage& Message) override
    {
        switch (Message.Msg) {
        case CN_DELETEITEM:
            Deleted.push_back(reinterpret_cast<DELETEITEMSTRUCT*>(Message.LParam)->itemID);
            Message.Result = 1;
            return;
        }
        TWinControl::Dispatch(Message);
    }
};

TEST_F(Controls, OwnerDrawnItemMessagesReachTheNativeChild)
{
    TForm* form = NewForm();
    auto* list = new TNativeOwnerDrawList(form);
    list->SetParent(form);
    list->SetBounds(10, 10, 150, 120);
    // A sibling made first: the item messages must not go to it.
    auto* other = new TNativeOwnerDrawList(form);
    other->SetParent(form);
    other->SetBounds(200, 10, 150, 120);
    ShowAndWait(form);
    for (const wchar_t* s : {L"a", L"b", L"c"}) SendMessageW(list->Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    EXPECT_EQ(list->Measured, (std::vector<UINT>{0, 1, 2}));
    EXPECT_EQ(SendMessageW(list->Handle(), LB_GETITEMHEIGHT, 2, 0), 20);
    RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    EXPECT_EQ(list->Drawn.size() >= 3u, true);
    EXPECT_TRUE(other->Measured.empty());
    EXPECT_TRUE(other->Drawn.empty());
}

TEST_F(Controls, RecreateWndKeepsTheStateAndTheChildren)
{
    MakeForm();
    Win->SetCaption(u"Child");
    Form->SetCaption(u"Parent");
    HWND oldForm = Form->Handle(), oldChild = Win->Handle();
    TRect bounds = Win->BoundsRect();
    Form->RecreateWnd();
    Pump();
    ASSERT_TRUE(Form->HandleAllocated());
    EXPECT_NE(Form->Handle(), oldForm);
    EXPECT_FALSE(IsWindow(oldForm));
    EXPECT_TRUE(Win->HandleAllocated());
    EXPECT_NE(Win->Handle(), oldChild);
    EXPECT_EQ(GetParent(Win->Handle()), Form->Handle());
    EXPECT_TRUE(IsWindowVisible(Form->Handle()));
    EXPECT_TRUE(IsWindowVisible(Win->Handle()));
    EXPECT_EQ(Win->BoundsRect(), bounds);
    EXPECT_EQ(Win->Caption(), u"Child");
    EXPECT_EQ(Form->Caption(), u"Parent");
}

TEST_F(Controls, ZOrderDecidesWhoIsHitAndWhichWindowIsOnTop)
{
    MakeForm();
    auto* over = new TGraphicRecorder(Form);
    over->SetParent(Form);
    over->SetBounds(160, 30, 80, 40);  // overlaps gfx
    EXPECT_EQ(Form->ControlAtPos(Point(170, 40), false), over);
    Gfx->BringToFront();
    EXPECT_EQ(Form->Controls(Form->ControlCount() - 1), Gfx);
    EXPECT_EQ(Form->ControlAtPos(Point(170, 40), false), Gfx);
    Gfx->SendToBack();
    EXPECT_EQ(Form->Controls(0), Gfx);
    EXPECT_EQ(Form->ControlAtPos(Point(170, 40), false), over);
    EXPECT_EQ(Form->ControlAtPos(Point(20, 20), false), nullptr);
    EXPECT_EQ(Form->ControlAtPos(Point(20, 20), false, true), Win);

    auto* win2 = new TWinRecorder(Form);
    win2->SetParent(Form);
    win2->SetBounds(20, 20, 100, 60);
    EXPECT_EQ(GetWindow(Form->Handle(), GW_CHILD), win2->Handle());  // the top child window
    Win->BringToFront();
    EXPECT_EQ(GetWindow(Form->Handle(), GW_CHILD), Win->Handle());
    Win->SendToBack();
    EXPECT_EQ(GetWindow(Form->Handle(), GW_CHILD), win2->Handle());
}

TEST_F(Controls, CursorsFollowTheControlUnderThePointerAndTheScreen)
{
    MakeForm();
    HCURSOR custom = CopyCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_CROSS)));
    Screen->SetCursors(10, custom);
    EXPECT_EQ(Screen->Cursors(10), custom);
    EXPECT_EQ(Screen->Cursors(12345), Screen->Cursors(crDefault));
    Gfx->SetCursor(10);
    MovePointer(Gfx->ClientToScreen(Point(5, 5)));
    auto setCursor = [&] {
        SendMessageW(Form->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Form->Handle()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    EXPECT_EQ(setCursor(), custom);
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(setCursor(), Screen->Cursors(crHourGlass));
    Screen->SetCursor(crDefault);
    EXPECT_EQ(setCursor(), custom);
    Screen->SetCursors(10, nullptr);
    EXPECT_EQ(Screen->Cursors(10), Screen->Cursors(crDefault));
}

// Sizes itself to a content of its own, as an image control does.
class TContentSized : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    TSize Content{64, 48};

protected:
    bool CanAutoSize(Integer& NewWidth, Integer& NewHeight) override
    {
        NewWidth = Content.cx;
        NewHeight = Content.cy;
        return true;
    }
};

TEST_F(Controls, AutoSizeFitsAParentToItsChildrenAndAControlToItsContent)
{
    TForm* form = NewForm();
    auto* panel = new TCustomControl(form);
    panel->SetParent(form);
    panel->SetBounds(5, 5, 300, 200);
    auto* a = new TGraphicControl(form);
    a->SetParent(panel);
    a->SetBounds(10, 10, 50, 20);
    auto* b = new TGraphicControl(form);
    b->SetParent(panel);
    b->SetBounds(30, 40, 100, 30);
    panel->SetAutoSize(true);
    EXPECT_EQ(panel->BoundsRect(), Rect(5, 5, 135, 75));
    b->SetBounds(30, 40, 150, 30);  // a child that grows takes its parent along
    EXPECT_EQ(panel->BoundsRect(), Rect(5, 5, 185, 75));
    panel->SetBounds(5, 5, 20, 20);  // asked sizes give way to the content
    EXPECT_EQ(panel->BoundsRect(), Rect(5, 5, 185, 75));

    auto* image = new TContentSized(form);
    image->SetParent(form);
    image->SetBounds(0, 100, 10, 10);
    image->SetAutoSize(true);
    EXPECT_EQ(image->BoundsRect(), Rect(0, 100, 64, 148));
    image->SetAutoSize(false);
    image->SetBounds(0, 100, 10, 10);
    EXPECT_EQ(image->Width(), 10);
}

// Takes the Enter key for itself instead of leaving it to the dialog.
class TWantsReturn : public TTestButton {
public:
    using TTestButton::TTestButton;

protected:
    void CMWantSpecialKey(TMessage& Message) override { Message.Result = Message.WParam == VK_RETURN; }
};

TEST_F(Controls, EnterGoesToTheDefaultButtonUnlessTheFocusedControlWantsIt)
{
    TForm* form = NewForm();
    auto* ok = new TTestButton(form);
    ok->SetParent(form);
    ok->Default = true;
    ok->OnClick = [](TObject*) { Events.push_back("ok click"); };
    auto* plain = new TTestButton(form);
    plain->SetParent(form);
    plain->SetLeft(100);
    auto* wants = new TWantsReturn(form);
    wants->SetParent(form);
    wants->SetLeft(200);
    wants->OnKeyDown = [](TObject*, Word& Key, TShiftState) { Events.push_back("key " + std::to_string(Key)); };
    ShowAndWait(form);
    for (TTestButton* focused : {plain, static_cast<TTestButton*>(wants)}) {
        focused->SetFocus();
        PostMessageW(focused->Handle(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
        Pump();
    }
    EXPECT_EQ(Events, (std::vector<std::string>{"ok click", "key 13"}));
}

// Answers its accelerator character, as a captioned button does.
class TAccelerated : public TTestButton {
public:
    using TTestButton::TTestButton;
    Char Accel = u'x';

protected:
    void CMDialogChar(TMessage& Message) override
    {
        if (Message.WParam == Accel) {
            Events.push_back("accel");
            Message.Result = 1;
            return;
        }
        TTestButton::CMDialogChar(Message);
    }
};

TEST_F(Controls, CharactersTheFocusedControlDoesNotWantReachTheFormsAccelerators)
{
    TForm* form = NewForm();
    auto* focused = new TTestButton(form);
    focused->SetParent(form);
    focused->OnKeyPress = [](TObject*, Char& Key) { Events.push_back(std::string("press ") + char(Key)); };
    auto* panel = new TCustomControl(form);  // the accelerator sits one level down
    panel->SetParent(form);
    panel->SetBounds(0, 50, 200, 100);
    auto* accel = new TAccelerated(form);
    accel->SetParent(panel);
    ShowAndWait(form);
    focused->SetFocus();
    PostMessageW(focused->Handle(), WM_CHAR, 'y', 0x00150001);
    PostMessageW(focused->Handle(), WM_CHAR, 'x', 0x002D0001);
    PostMessageW(focused->Handle(), WM_SYSCHAR, 'x', 0x202D0001);  // with Alt
    Pump();
    EXPECT_EQ(Events, (std::vector<std::string>{"press y", "accel", "accel"}));
}

TEST_F(Controls, AControlCanLiveInAWindowOfAnotherKind)
{
    HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 50, 50, 200, 100, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    auto* c = new TCustomControl(nullptr);
    c->SetBounds(10, 10, 50, 30);
    c->SetParentWindow(host);
    ASSERT_TRUE(c->HandleAllocated());
    EXPECT_EQ(GetParent(c->Handle()), host);
    EXPECT_TRUE(IsWindowVisible(c->Handle()));
    EXPECT_EQ(c->ClientOrigin(), Point(60, 60));
    delete c;
    DestroyWindow(host);
}

TEST_F(Controls, ShowHintFollowsTheParentUntilSetOnItsOwn)
{
    MakeForm();
    EXPECT_TRUE(Gfx->ParentShowHint());
    Form->SetShowHint(true);
    EXPECT_TRUE(Gfx->ShowHint());
    EXPECT_TRUE(Win->ShowHint());
    Gfx->SetShowHint(false);
    EXPECT_FALSE(Gfx->ParentShowHint());
    Form->SetShowHint(false);
    Form->SetShowHint(true);
    EXPECT_FALSE(Gfx->ShowHint());
    Gfx->SetHint(u"A tip");
    EXPECT_EQ(Gfx->Hint(), u"A tip");
}

TEST_F(Controls, TheMouseTellsWhereThePointerIs)
{
    MovePointer(Point(321, 123));
    EXPECT_EQ(Mouse->CursorPos(), Point(321, 123));
    Mouse->SetCursorPos(Point(322, 124));
    EXPECT_EQ(Mouse->CursorPos(), Point(322, 124));
    EXPECT_EQ(Mouse->DragThreshold(), 5);
}

TEST_F(Controls, AControlWithoutAParentWindowCannotGetOne)
{
    auto* orphan = new TCustomControl(nullptr);
    EXPECT_THROW(orphan->Handle(), EInvalidOperation);
    delete orphan;
}

// Records each frame, focus, scroll, timer and print handler it receives.
class THandlerRecorder : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<std::string> Seen;

protected:
    void Note(const char* Name) { Seen.push_back(Name); }
    void WMNCCalcSize(TMessage& M) override { Note("NCCalcSize"); TCustomControl::WMNCCalcSize(M); }
    void WMNCPaint(TMessage& M) override { Note("NCPaint"); TCustomControl::WMNCPaint(M); }
    void WMNCHitTest(TMessage& M) override { Note("NCHitTest"); TCustomControl::WMNCHitTest(M); }
    void WMNCActivate(TMessage& M) override { Note("NCActivate"); TCustomControl::WMNCActivate(M); }
    void WMNCMouseMove(TWMMouse& M) override { Note("NCMouseMove"); TCustomControl::WMNCMouseMove(M); }
    void WMNCMouseLeave(TMessage& M) override { Note("NCMouseLeave"); TCustomControl::WMNCMouseLeave(M); }
    void WMNCLButtonDown(TWMMouse& M) override { Note("NCLButtonDown"); TCustomControl::WMNCLButtonDown(M); }
    void WMNCLButtonUp(TWMMouse& M) override { Note("NCLButtonUp"); TCustomControl::WMNCLButtonUp(M); }
    void WMNCLButtonDblClk(TWMMouse& M) override { Note("NCLButtonDblClk"); TCustomControl::WMNCLButtonDblClk(M); }
    void WMNCRButtonDown(TWMMouse& M) override { Note("NCRButtonDown"); TCustomControl::WMNCRButtonDown(M); }
    void WMNCRButtonUp(TWMMouse& M) override { Note("NCRButtonUp"); TCustomControl::WMNCRButtonUp(M); }
    void WMNCRButtonDblClk(TWMMouse& M) override { Note("NCRButtonDblClk"); TCustomControl::WMNCRButtonDblClk(M); }
    void WMNCMButtonDown(TWMMouse& M) override { Note("NCMButtonDown"); TCustomControl::WMNCMButtonDown(M); }
    void WMNCMButtonUp(TWMMouse& M) override { Note("NCMButtonUp"); TCustomControl::WMNCMButtonUp(M); }
    void WMNCMButtonDblClk(TWMMouse& M) override { Note("NCMButtonDblClk"); TCustomControl::WMNCMButtonDblClk(M); }
    void WMNCXButtonDown(TWMMouse& M) override { Note("NCXButtonDown"); TCustomControl::WMNCXButtonDown(M); }
    void WMNCXButtonUp(TWMMouse& M) override { Note("NCXButtonUp"); TCustomControl::WMNCXButtonUp(M); }
    void WMNCXButtonDblClk(TWMMouse& M) override { Note("NCXButtonDblClk"); TCustomControl::WMNCXButtonDblClk(M); }
    void WMSysCommand(TMessage& M) override { Note("SysCommand"); TCustomControl::WMSysCommand(M); }
    void WMSetText(TMessage& M) override { Note("SetText"); TCustomControl::WMSetText(M); }
    void WMWindowPosChanging(TMessage& M) override { Note("WindowPosChanging"); TCustomControl::WMWindowPosChanging(M); }
    void WMWindowPosChanged(TMessage& M) override { Note("WindowPosChanged"); TCustomControl::WMWindowPosChanged(M); }
    void WMGetDlgCode(TMessage& M) override { Note("GetDlgCode"); TCustomControl::WMGetDlgCode(M); }
    void WMSetFocus(TMessage& M) override { Note("SetFocus"); TCustomControl::WMSetFocus(M); }
    void WMKillFocus(TMessage& M) override { Note("KillFocus"); TCustomControl::WMKillFocus(M); }
    void WMHScroll(TMessage& M) override { Note("HScroll"); TCustomControl::WMHScroll(M); }
    void WMVScroll(TMessage& M) override { Note("VScroll"); TCustomControl::WMVScroll(M); }
    void WMTimer(TMessage& M) override { Note("Timer"); TCustomControl::WMTimer(M); }
    void WMContextMenu(TMessage& M) override { Note("ContextMenu"); TCustomControl::WMContextMenu(M); }
    void WMPrintClient(TMessage& M) override { Note("PrintClient"); TCustomControl::WMPrintClient(M); }
    void WMEraseBkgnd(TMessage& M) override { Note("EraseBkgnd"); TCustomControl::WMEraseBkgnd(M); }
    void WMMouseWheel(TMessage& M) override { Note("MouseWheel"); TCustomControl::WMMouseWheel(M); }
    void CMCancelMode(TMessage& M) override { Note("CancelMode"); TCustomControl::CMCancelMode(M); }
    void CMWantSpecialKey(TMessage& M) override { Note("WantSpecialKey"); TCustomControl::CMWantSpecialKey(M); }
    void CMTabStopChanged(TMessage& M) override { Note("TabStopChanged"); TCustomControl::CMTabStopChanged(M); }
};

TEST_F(Controls, EachMessageReachesTheHandlerNamedAfterIt)
{
    TForm* form = NewForm();
    auto* control = new THandlerRecorder(form);
    control->SetParent(form);
    control->SetBounds(10, 10, 100, 50);
    ShowAndWait(form);
    HWND wnd = control->Handle();
    RECT calc{0, 0, 100, 50};
    WINDOWPOS pos{wnd, nullptr, 10, 10, 100, 50, SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE};
    TDib dib(100, 50);
    const wchar_t text[] = L"named";
    const LPARAM screenPos = Pos(20, 20);
    struct {
        UINT Msg;
        WPARAM WParam;
        LPARAM LParam;
        const char* Handler;
    } cases[] = {
        {WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&calc), "NCCalcSize"},
        {WM_NCPAINT, 1, 0, "NCPaint"},
        {WM_NCHITTEST, 0, screenPos, "NCHitTest"},
        {WM_NCACTIVATE, TRUE, 0, "NCActivate"},
        {WM_NCMOUSEMOVE, HTBORDER, screenPos, "NCMouseMove"},
        {WM_NCMOUSELEAVE, 0, 0, "NCMouseLeave"},
        {WM_NCLBUTTONDOWN, HTBORDER, screenPos, "NCLButtonDown"},
        {WM_NCLBUTTONUP, HTBORDER, screenPos, "NCLButtonUp"},
        {WM_NCLBUTTONDBLCLK, HTBORDER, screenPos, "NCLButtonDblClk"},
        {WM_NCRBUTTONDOWN, HTBORDER, screenPos, "NCRButtonDown"},
        {WM_NCRBUTTONUP, HTBORDER, screenPos, "NCRButtonUp"},
        {WM_NCRBUTTONDBLCLK, HTBORDER, screenPos, "NCRButtonDblClk"},
        {WM_NCMBUTTONDOWN, HTBORDER, screenPos, "NCMButtonDown"},
        {WM_NCMBUTTONUP, HTBORDER, screenPos, "NCMButtonUp"},
        {WM_NCMBUTTONDBLCLK, HTBORDER, screenPos, "NCMButtonDblClk"},
        {WM_NCXBUTTONDOWN, MAKEWPARAM(HTBORDER, XBUTTON1), screenPos, "NCXButtonDown"},
        {WM_NCXBUTTONUP, MAKEWPARAM(HTBORDER, XBUTTON1), screenPos, "NCXButtonUp"},
        {WM_NCXBUTTONDBLCLK, MAKEWPARAM(HTBORDER, XBUTTON1), screenPos, "NCXButtonDblClk"},
        {WM_SYSCOMMAND, 0, 0, "SysCommand"},
        {WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), "SetText"},
        {WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos), "WindowPosChanging"},
        {WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos), "WindowPosChanged"},
        {WM_GETDLGCODE, 0, 0, "GetDlgCode"},
        {WM_SETFOCUS, 0, 0, "SetFocus"},
        {WM_KILLFOCUS, 0, 0, "KillFocus"},
        {WM_HSCROLL, SB_LINEDOWN, 0, "HScroll"},
        {WM_VSCROLL, SB_LINEDOWN, 0, "VScroll"},
        {WM_TIMER, 7, 0, "Timer"},
        {WM_CONTEXTMENU, reinterpret_cast<WPARAM>(wnd), screenPos, "ContextMenu"},
        {WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.DC()), PRF_CLIENT, "PrintClient"},
        {WM_ERASEBKGND, reinterpret_cast<WPARAM>(dib.DC()), 0, "EraseBkgnd"},
        {WM_MOUSEWHEEL, 0, screenPos, "MouseWheel"},
        {CM_CANCELMODE, 0, 0, "CancelMode"},
        {CM_WANTSPECIALKEY, VK_RETURN, 0, "WantSpecialKey"},
        {CM_TABSTOPCHANGED, 0, 0, "TabStopChanged"},
    };
    for (const auto& c : cases) {
        control->Seen.clear();
        SendMessageW(wnd, c.Msg, c.WParam, c.LParam);
        EXPECT_NE(std::find(control->Seen.begin(), control->Seen.end(), std::string(c.Handler)), control->Seen.end())
            << "message 0x" << std::hex << c.Msg << " did not reach WM/CM" << c.Handler;
    }
    EXPECT_EQ(control->Caption(), u"named");
}

// A windowless control with a timer of its own and a context menu handler.
class TTimedGraphic : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    std::vector<std::string> Seen;

protected:
    void WMTimer(TMessage& Message) override
    {
        Seen.push_back("timer " + std::to_string(Message.WParam));
        StopTimer(Message.WParam);
    }
    void WMContextMenu(TMessage&) override { Seen.push_back("context menu"); }
};

TEST_F(Controls, AWindowlessControlHasTimersAndHandlersOfItsOwn)
{
    TForm* form = NewForm();
    auto* control = new TTimedGraphic(form);
    control->SetParent(form);
    HWND timerWindow = ThreadTimerWindow();
    Integer timers = ThreadTimerCount();
    control->StartTimer(3, 10);
    control->StartTimer(4, 10);
    EXPECT_EQ(ThreadTimerCount(), timers + 2);
    ASSERT_TRUE(PumpUntil([&] { return control->Seen.size() == 2; }));
    std::sort(control->Seen.begin(), control->Seen.end());
    EXPECT_EQ(control->Seen, (std::vector<std::string>{"timer 3", "timer 4"}));
    EXPECT_EQ(ThreadTimerCount(), timers);
    if (timerWindow) EXPECT_EQ(ThreadTimerWindow(), timerWindow);
    control->Seen.clear();
    control->Perform(WM_CONTEXTMENU, 0, -1);
    EXPECT_EQ(control->Seen, (std::vector<std::string>{"context menu"}));
    // A control that goes stops its timers.
    control->StartTimer(5, 10);
    delete control;
    EXPECT_EQ(ThreadTimerCount(), timers);
}

// Fills itself with one colour and notes the context it painted on.
class TFillControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    using TWinControl::PaintBuffer;
    TColor Fill = clRed;
    std::vector<HDC> PaintedOn;
    DWORD LastKind = 0;  // what the last paint's context was (OBJ_DC, OBJ_MEMDC)

protected:
    void Paint() override
    {
        PaintedOn.push_back(Canvas()->Handle());
        LastKind = GetObjectType(Canvas()->Handle());
        Canvas()->Brush()->SetColor(Fill);
        Canvas()->FillRect(ClientRect());
    }
};

TEST_F(Controls, ADoubleBufferedControlPaintsThroughOneKeptBitmap)
{
    TForm* form = NewForm();
    auto* control = new TFillControl(form);
    control->SetParent(form);
    control->SetBounds(20, 20, 60, 40);
    ShowAndWait(form);
    auto repaint = [&] {
        control->PaintedOn.clear();
        control->Repaint();
        Pump();
        return control->PaintedOn.empty() ? 0 : static_cast<int>(control->LastKind);
    };
    // Straight onto the window...
    EXPECT_EQ(repaint(), OBJ_DC);
    EXPECT_EQ(control->PaintBuffer(), nullptr);
    // ...or into the off-screen bitmap, copied to the screen.
    control->SetDoubleBuffered(true);
    control->Fill = clBlue;
    EXPECT_EQ(repaint(), OBJ_MEMDC);
    HBITMAP buffer = control->PaintBuffer();
    ASSERT_NE(buffer, nullptr);
    TPoint centre = control->ClientToScreen(Point(30, 20));
    EXPECT_EQ(ScreenPixel(centre.X, centre.Y), RGB(0, 0, 255));
    control->Fill = clLime;
    EXPECT_EQ(repaint(), OBJ_MEMDC);
    EXPECT_EQ(control->PaintBuffer(), buffer);  // kept, not made again
    EXPECT_EQ(ScreenPixel(centre.X, centre.Y), RGB(0, 255, 0));
    // A larger control needs a larger bitmap; a smaller one keeps it.
    control->SetBounds(20, 20, 120, 40);
    repaint();
    HBITMAP larger = control->PaintBuffer();
    BITMAP info{};
    GetObjectW(larger, sizeof info, &info);
    EXPECT_GE(info.bmWidth, 120);
    control->SetBounds(20, 20, 50, 30);
    repaint();
    EXPECT_EQ(control->PaintBuffer(), larger);

    // WM_PRINTCLIENT paints straight into the context handed in.
    TDib picture(50, 30);
    control->PaintedOn.clear();
    control->Fill = clYellow;
    SendMessageW(control->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture.DC()), PRF_CLIENT);
    ASSERT_EQ(control->PaintedOn.size(), 1u);
    EXPECT_EQ(control->PaintedOn[0], picture.DC());
    EXPECT_EQ(picture.Pixel(25, 15), 0xFFFF00u);
    control->SetDoubleBuffered(false);
    EXPECT_EQ(control->PaintBuffer(), nullptr);
}

} // namespace

namespace {

// Records which of the property notifications' handlers it receives.
template <class Base>
class TNotificationHandlers : public Base {
public:
    explicit TNotificationHandlers(TComponent* AOwner) : Base(AOwner) {}
    std::vector<std::string> Seen;

protected:
    void CMEnabledChanged(TMessage& M) override { Seen.push_back("EnabledChanged"); Base::CMEnabledChanged(M); }
    void CMVisibleChanged(TMessage& M) override { Seen.push_back("VisibleChanged"); Base::CMVisibleChanged(M); }
    void CMTextChanged(TMessage& M) override { Seen.push_back("TextChanged"); Base::CMTextChanged(M); }
    void CMFontChanged(TMessage& M) override { Seen.push_back("FontChanged"); Base::CMFontChanged(M); }
    void CMColorChanged(TMessage& M) override { Seen.push_back("ColorChanged"); Base::CMColorChanged(M); }
    void CMCursorChanged(TMessage& M) override { Seen.push_back("CursorChanged"); Base::CMCursorChanged(M); }
    void CMParentFontChanged(TMessage& M) override
    {
        Seen.push_back("ParentFontChanged");
        Base::CMParentFontChanged(M);
    }
    void CMParentColorChanged(TMessage& M) override
    {
        Seen.push_back("ParentColorChanged");
        Base::CMParentColorChanged(M);
    }
};

TEST_F(Controls, EachPropertyChangeReachesTheHandlerNamedAfterItsNotification)
{
    TForm* form = NewForm();
    auto* panel = new TCustomControl(form);
    panel->SetControlStyle(panel->ControlStyle() | csAcceptsControls);
    panel->SetParent(form);
    panel->SetBounds(10, 10, 200, 100);
    auto* win = new TNotificationHandlers<TCustomControl>(form);
    win->SetParent(panel);
    auto* gfx = new TNotificationHandlers<TGraphicControl>(form);
    gfx->SetParent(panel);
    ShowAndWait(form);
    struct {
        const char* Change;
        std::function<void(TControl*)> Apply;
        const char* Handler;
    } cases[] = {
        {"Enabled", [](TControl* C) { C->SetEnabled(false); }, "EnabledChanged"},
        {"Visible", [](TControl* C) { C->SetVisible(false); }, "VisibleChanged"},
        {"Text", [](TControl* C) { C->SetText(u"changed"); }, "TextChanged"},
        {"Font", [](TControl* C) { C->Font()->SetName(u"Courier New"); }, "FontChanged"},
        {"Color", [](TControl* C) { C->SetColor(clRed); }, "ColorChanged"},
        {"Cursor", [](TControl* C) { C->SetCursor(crHandPoint); }, "CursorChanged"},
        // The parent's changes reach the children that follow it.
        {"parent's Font", [&](TControl* C) { panel->Font()->SetHeight(C == win ? -18 : -19); }, "ParentFontChanged"},
        {"parent's Color", [&](TControl* C) { panel->SetColor(C == win ? clAqua : clYellow); }, "ParentColorChanged"},
    };
    for (const auto& c : cases)
        for (auto* control : std::initializer_list<TControl*>{win, gfx}) {
            auto& seen = control == win ? win->Seen : gfx->Seen;
            if (std::string(c.Change).rfind("parent", 0) == 0) {
                control->SetParentFont(true);
                control->SetParentColor(true);
            }
            seen.clear();
            c.Apply(control);
            EXPECT_NE(std::find(seen.begin(), seen.end(), c.Handler), seen.end())
                << c.Change << " on the " << (control == win ? "windowed" : "windowless") << " control";
        }
    // Following the parent: its font and colour are theirs; a font of their own stops that.
    EXPECT_EQ(win->Font()->Height(), -19);
    EXPECT_EQ(gfx->Font()->Height(), -19);
    EXPECT_EQ(gfx->Color(), clYellow);
    gfx->Font()->SetHeight(-30);
    EXPECT_FALSE(gfx->ParentFont());
    panel->Font()->SetName(u"Arial");
    EXPECT_EQ(gfx->Font()->Height(), -30);
    EXPECT_EQ(win->Font()->Name(), u"Arial");
    gfx->SetParentFont(true);
    EXPECT_EQ(gfx->Font()->Height(), -19);
}

// A native single-line edit as a control.
class TNativeEdit : public TWinControl {
public:
    explicit TNativeEdit(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }
    String ClassName() const override { return u"TNativeEdit"; }

protected:
    void CreateParams(TCreateParams& Params) override
    {
        TWinControl::CreateParams(Params);
        CreateSubClass(Params, L"EDIT");
        Params.Style |= WS_BORDER | ES_AUTOHSCROLL;
    }
};

void SendKeys(std::initializer_list<std::pair<WORD, bool>> Keys)
{
    std::vector<INPUT> in;
    for (auto [key, up] : Keys) {
        INPUT i = {};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = key;
        i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        in.push_back(i);
    }
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

TEST_F(Controls, TabAndShiftTabVisitNativeAndOwnControlsInTabOrderSkippingDisabledAndHidden)
{
    TForm* form = NewForm();
    form->SetFormStyle(fsStayOnTop);
    auto* b1 = new TTestButton(form);
    auto* edit = new TNativeEdit(form);
    auto* hidden = new TTestButton(form);
    auto* disabled = new TNativeEdit(form);
    auto* b2 = new TTestButton(form);
    auto* noStop = new TTestButton(form);
    noStop->SetTabStop(false);
    int x = 0;
    for (TWinControl* c : std::initializer_list<TWinControl*>{b1, edit, hidden, disabled, b2, noStop}) {
        c->SetParent(form);
        c->SetBounds(x, 10, 60, 24);
        x += 64;
    }
    hidden->SetVisible(false);
    disabled->SetEnabled(false);
    b2->SetTabOrder(0);  // b2, b1, edit, hidden, disabled, noStop
    ShowAndWait(form);
    SetForegroundWindow(form->Handle());
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == b2->Handle(); }));
    auto press = [&](bool Shift, TWinControl* Expected) {
        if (Shift) SendKeys({{VK_SHIFT, false}, {VK_TAB, false}, {VK_TAB, true}, {VK_SHIFT, true}});
        else SendKeys({{VK_TAB, false}, {VK_TAB, true}});
        EXPECT_TRUE(PumpUntil([&] { return GetFocus() == Expected->Handle(); }))
            << "expected the control of tab order " << Expected->TabOrder();
        Pump();
    };
    press(false, b1);
    press(false, edit);
    press(false, b2);  // past the hidden, the disabled and the one without a tab stop, round to the start
    press(true, edit);
    press(true, b1);
    EXPECT_EQ(form->ActiveControl(), b1);
}

// A windowed control that paints nothing: what shows is its erase.
class TBlankControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
};

TEST_F(Controls, AControlWithParentBackgroundShowsItsParentsBackgroundNotItsColour)
{
    for (bool parentBackground : {false, true}) {
        TForm* form = NewForm();
        form->SetColor(clRed);
        auto* square = new TColourSquare(form);
        square->SetParent(form);
        square->SetBounds(40, 40, 20, 20);
        square->SetColor(clLime);
        auto* blank = new TBlankControl(form);
        blank->SetParent(form);
        blank->SetBounds(30, 30, 100, 60);
        blank->SetParentColor(false);
        blank->SetColor(clBlue);
        if (parentBackground) blank->SetControlStyle(blank->ControlStyle() | csParentBackground);
        ShowAndWait(form);
        TPoint edge = blank->ClientToScreen(Point(80, 50));
        TPoint under = blank->ClientToScreen(Point(15, 15));  // the form's windowless square lies there
        EXPECT_EQ(ScreenPixel(edge.X, edge.Y), parentBackground ? RGB(255, 0, 0) : RGB(0, 0, 255));
        EXPECT_EQ(ScreenPixel(under.X, under.Y), parentBackground ? RGB(0, 255, 0) : RGB(0, 0, 255));
        form->Hide();
    }
}

// ---------------------------------------------------------------------------
// Controls freed inside their own messages

// Runs After once it has handled a message, and notes its going.
template <class Base>
class TFreeLogged : public Base {
public:
    using Base::Base;
    ~TFreeLogged() override { Events.push_back(Id + " freed"); }
    std::string Id = "?";
    std::function<void(TMessage&)> After;

protected:
    void WndProc(TMessage& Message) override
    {
        Base::WndProc(Message);
        if (After) After(Message);
    }
};
using TFreeLoggedButton = TFreeLogged<TNativeButton>;
using TFreeLoggedPanel = TFreeLogged<TCustomControl>;

TEST_F(Controls, AControlFreedInsideItsOwnMessageGoesWhenTheOutermostIsDone)
{
    // A native button owned by Owner on a panel of the form; the user clicks
    // it, and what the case arranges frees it.
    struct TScene {
        TComponent* Owner;
        TFreeLoggedPanel* Panel;
        TFreeLoggedButton* Button;
        HWND Wnd;
        std::function<void()> Clicked;
    };
    struct TCase {
        const char* Name;
        std::function<void(TScene&)> Arrange;
        std::vector<std::string> Expected;
    };
    const TCase cases[] = {
        {"the button frees itself in its click",
         [](TScene& S) {
             S.Clicked = [&S] {
                 delete S.Button;
                 // Still whole, but off its parent, its owner and the screen.
                 bool gone = !S.Button->Parent() && !S.Button->Owner() && !IsWindowVisible(S.Wnd) &&
                             GetParent(S.Wnd) != S.Panel->Handle() && S.Panel->ControlCount() == 0;
                 Events.push_back(gone ? "clicked: left at once" : "clicked: still placed");
             };
         },
         {"clicked: left at once", "button up done", "button freed"}},
        {"its parent frees it in its handler of the button's notification",
         [](TScene& S) {
             S.Panel->After = [&S](TMessage& M) {
                 if (M.Msg != WM_COMMAND || HIWORD(M.WParam) != BN_CLICKED) return;
                 delete S.Button;
                 Events.push_back("panel freed it");
             };
         },
         {"panel freed it", "button up done", "button freed"}},
        {"its parent frees itself, and the button with it, in that handler",
         [](TScene& S) {
             S.Panel->After = [&S](TMessage& M) {
                 if (M.Msg != WM_COMMAND || HIWORD(M.WParam) != BN_CLICKED) return;
                 delete S.Panel;
                 Events.push_back("panel freed itself");
             };
         },
         {"panel freed itself", "panel freed", "button up done", "button freed"}},
        {"nested: a message it sends itself frees it, then the click frees it again",
         [](TScene& S) {
             S.Clicked = [&S] {
                 SendMessageW(S.Wnd, WM_APP, 0, 0);
                 Events.push_back(S.Button->Caption() == u"Native" ? "caption still readable" : "caption lost");
                 delete S.Button;  // a second free while the first waits does nothing more
             };
             TFreeLoggedButton* button = S.Button;
             auto logUp = button->After;
             button->After = [button, logUp](TMessage& M) {
                 logUp(M);
                 if (M.Msg != WM_APP) return;
                 delete button;
                 Events.push_back("freed in WM_APP");
             };
         },
         {"freed in WM_APP", "caption still readable", "button up done", "button freed"}},
        {"the platform destroys its parent's window meanwhile",
         [](TScene& S) {
             S.Clicked = [&S] {
                 delete S.Button;
                 DestroyWindow(S.Panel->Handle());
                 // The native procedure still runs on the button's window.
                 Events.push_back(IsWindow(S.Wnd) && !S.Panel->HandleAllocated() ? "button's window kept"
                                                                                 : "button's window lost");
             };
         },
         {"button's window kept", "button up done", "button freed"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TForm* form = NewForm();
        TScene s{};
        s.Owner = new TComponent(nullptr);
        s.Panel = new TFreeLoggedPanel(form);
        s.Panel->Id = "panel";
        s.Panel->SetParent(form);
        s.Panel->SetBounds(0, 0, 300, 200);
        s.Button = new TFreeLoggedButton(s.Owner);
        s.Button->Id = "button";
        s.Button->SetParent(s.Panel);
        s.Button->SetBounds(10, 10, 90, 30);
        s.Button->SetCaption(u"Native");
        s.Button->After = [&s](TMessage& M) {
            if (M.Msg == CN_COMMAND && HIWORD(M.WParam) == BN_CLICKED && s.Clicked) s.Clicked();
            if (M.Msg == WM_LBUTTONUP) Events.push_back("button up done");
        };
        c.Arrange(s);
        ShowAndWait(form);
        s.Wnd = s.Button->Handle();
        TPoint at = s.Button->ClientToScreen(Point(20, 10));
        Events.clear();
        MovePointer(at);
        LeftButton(true);
        LeftButton(false);
        EXPECT_TRUE(PumpUntil([] { return std::find(Events.begin(), Events.end(), "button freed") != Events.end(); }));
        Pump();
        EXPECT_EQ(Events, c.Expected);
        EXPECT_FALSE(IsWindow(s.Wnd));
        delete s.Owner;
        Forget(form);
        delete form;  // with the panel, whose handler knows this scene
        Events.clear();
    }
}

TEST_F(Controls, AControlFreedByItsOwnTimerGoesWhenTheTimerMessageIsDone)
{
    TForm* form = NewForm();
    auto* gfx = new TFreeLogged<TGraphicControl>(form);
    gfx->Id = "gfx";
    gfx->SetParent(form);
    gfx->After = [gfx](TMessage& M) {
        if (M.Msg != WM_TIMER) return;
        delete gfx;
        Events.push_back("timer done");
    };
    Events.clear();
    gfx->StartTimer(1, 10);
    ASSERT_TRUE(PumpUntil([] { return Events.size() == 2; }));
    EXPECT_EQ(Events, (std::vector<std::string>{"timer done", "gfx freed"}));
    EXPECT_EQ(form->ControlCount(), 0);
}

} // namespace
