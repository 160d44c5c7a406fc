// The canvas view with real mouse input: objects drawn by dragging, a plain
// click that draws none, a polygon ended by a double click, and an object
// dragged by the select tool.
#include "document/win/DocumentOnView.h"
#include "framework/controls/win/StdCtrls.h"
#include "shell/win/CanvasInput.h"

namespace {

// Real key strokes, with Ctrl held when asked.
void Tap(WORD VK, bool Ctrl = false)
{
    std::vector<INPUT> In;
    auto Key = [&](WORD K, bool Up) {
        INPUT I = {};
        I.type = INPUT_KEYBOARD;
        I.ki.wVk = K;
        I.ki.dwFlags = Up ? KEYEVENTF_KEYUP : 0;
        In.push_back(I);
    };
    if (Ctrl) Key(VK_CONTROL, false);
    Key(VK, false);
    Key(VK, true);
    if (Ctrl) Key(VK_CONTROL, true);
    SendInput(UINT(In.size()), In.data(), sizeof(INPUT));
    guitest::Pump();
}

class CanvasInputWin : public DocumentOnView {
protected:
    void SetUp() override
    {
        DocumentOnView::SetUp();
        // Every kind outlined and filled in red, so that what is drawn shows.
        DefaultsFor(shRectangle);
        for (Integer k = 0; k < ShapeTypeCount; ++k)
            for (auto [Col, Value] : {std::pair{14, 0x0000FF}, {15, 0x0000FF}, {16, 255}, {20, 0}, {21, -1}, {24, 0},
                                      {27, -1}, {28, -1}, {29, -1}, {98, 15}})
                Defaults.GetItem(k)->GetItem(Col)->SetValue(Value);
        Doc->SetCropRateIndex(-1);
        Input = std::make_unique<TCanvasInput>(*View, [this] { return Doc.get(); });
        Show();
    }
    void TearDown() override
    {
        Input.reset();
        DocumentOnView::TearDown();
    }
    TPoint Screen(TPoint Image) { return View->ClientToScreen(View->BitmapToControl(Image)); }
    void Press(bool Down)
    {
        const bool Was = Input->Core().MouseDownLeft() || Doc->LeftMouseDown();
        guitest::LeftButton(Down);
        guitest::PumpUntil([&] { return Doc->LeftMouseDown() == Down || (Was && !Down); }, 1000);
        guitest::Pump();
    }
    void RealDrag(TPoint From, TPoint To)
    {
        guitest::MovePointer(Screen(From));
        Press(true);
        guitest::MovePointer(Screen({(From.X + To.X) / 2, (From.Y + To.Y) / 2}));
        guitest::MovePointer(Screen(To));
        Press(false);
    }
    void RealDoubleClick(TPoint At)
    {
        guitest::MovePointer(Screen(At));
        guitest::LeftButton(true);
        guitest::LeftButton(false);
        guitest::LeftButton(true);
        guitest::LeftButton(false);
        guitest::PumpUntil([&] { return !Doc->ShapeCreating(); }, 1000);
        guitest::Pump();
    }
    std::unique_ptr<TCanvasInput> Input;
};

}  // namespace

TEST_F(CanvasInputWin, ADragDrawsARectangleAPlainClickNone)
{
    Input->Tool().Type = shRectangle;
    guitest::MovePointer(Screen({30, 30}));
    Press(true);
    Press(false);
    EXPECT_EQ(Doc->ShapeCount(), 0);

    RealDrag({20, 20}, {120, 70});
    ASSERT_EQ(Doc->ShapeCount(), 1);
    EXPECT_EQ(Doc->Shape()->SRect(), (TRect{20, 20, 121, 71}));
    guitest::TDib Dib(317, 217);
    Paint(Dib);
    EXPECT_TRUE(IsRed(PaintedAt(Dib, {70, 45})));
    EXPECT_FALSE(IsRed(PaintedAt(Dib, {150, 45})));
}

TEST_F(CanvasInputWin, APolygonEndedByADoubleClickKeepsThreePointsDropsTwo)
{
    for (Integer Points : {2, 3}) {
        Input->Tool().Type = shPolygon;
        Input->Tool().PolygonType = 0;
        const TPoint At[] = {{20, 20}, {150, 20}, {80, 90}};
        for (Integer i = 0; i + 1 < Points; ++i) {
            guitest::MovePointer(Screen(At[i]));
            Press(true);
            Press(false);
        }
        RealDoubleClick(At[Points - 1]);
        EXPECT_FALSE(Doc->ShapeCreating()) << Points;
        EXPECT_EQ(Doc->ShapeCount(), Points == 3 ? 1 : 0) << Points;
    }
}

TEST_F(CanvasInputWin, TheSelectToolDragsAnObject)
{
    Input->Tool().Type = shRectangle;
    RealDrag({20, 20}, {60, 50});
    ASSERT_EQ(Doc->ShapeCount(), 1);
    Input->Tool().Type = shNone;
    RealDrag({40, 40}, {90, 60});
    EXPECT_EQ(Doc->Shape()->SRect(), (TRect{70, 40, 111, 71}));
    EXPECT_FALSE(Input->Core().MouseDownLeft());
}

TEST_F(CanvasInputWin, TheKeyHookKeepsGlobalKeysOutOfModalWindowsAndEditKeysOnTheCanvas)
{
    auto* Edit = new TEdit(Form);
    Edit->SetParent(Form);
    Edit->SetBounds(330, 10, 60, 22);
    std::vector<TCanvasKeyAction> Seen;
    Input->OnKeyCommand = [&](TCanvasKeyAction A) { Seen.push_back(A); };
    // The hook before the canvas's still sees every key.
    Integer KeyDowns = 0;
    Application->OnMessage = [&](MSG& Msg, bool&) { KeyDowns += Msg.message == WM_KEYDOWN; };
    Input->InstallKeyHook(Form->Handle());
    guitest::Pump();
    Edit->SetFocus();
    ASSERT_TRUE(guitest::PumpUntil([&] { return GetFocus() == Edit->Handle(); }));

    Tap('S', true);  // no canvas focus needed
    Tap('C', true);  // the edit box's own copy
    Tap(VK_F3);
    EXPECT_EQ(Seen, (std::vector<TCanvasKeyAction>{TCanvasKeyAction::Save, TCanvasKeyAction::ToggleZoom}));
    EXPECT_FALSE(Input->Core().PressCtl()) << "the key-up of Ctrl was seen";

    Seen.clear();
    View->SetFocus();
    ASSERT_TRUE(guitest::PumpUntil([&] { return GetFocus() == View->Handle(); }));
    Tap('C', true);
    EXPECT_EQ(Seen, (std::vector<TCanvasKeyAction>{TCanvasKeyAction::Copy}));

    // A modal window disables the main one: the global keys are its own.
    Seen.clear();
    EnableWindow(Form->Handle(), FALSE);
    const Integer Before = KeyDowns;
    for (WORD K : {WORD(VK_F3), WORD(VK_F5)}) Tap(K);
    Tap('S', true);
    EXPECT_TRUE(guitest::PumpUntil([&] { return KeyDowns >= Before + 4; }));
    EnableWindow(Form->Handle(), TRUE);
    EXPECT_TRUE(Seen.empty());
    Input.reset();
    Application->OnMessage = nullptr;
}
