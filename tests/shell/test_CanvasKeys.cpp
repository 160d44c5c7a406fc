// What a key press does to the canvas: the shortcuts by focus and state, and
// the global ones kept out of modal windows.
#include <gtest/gtest.h>

#include "shell/CanvasKeys.h"

namespace {
using A = TCanvasKeyAction;
namespace K = CanvasKey;

TCanvasKeyState Canvas()
{
    TCanvasKeyState S;
    S.Focused = S.MainIsTarget = true;
    S.SaveEnabled = S.ClipboardHasBitmap = true;
    return S;
}
TCanvasKeyState Elsewhere()  // another control of the main window has the focus
{
    TCanvasKeyState S = Canvas();
    S.Focused = false;
    return S;
}
TCanvasKeyState InDialog()  // a modal dialog of the program has the key
{
    TCanvasKeyState S = Elsewhere();
    S.MainIsTarget = false;
    S.ModalUp = true;
    return S;
}
template <class F>
TCanvasKeyState With(TCanvasKeyState S, F Change)
{
    Change(S);
    return S;
}
}  // namespace

TEST(CanvasKeys, ShortcutsByFocusAndState)
{
    const auto Ctrl = [](TCanvasKeyState& S) { S.Ctrl = true; };
    const auto CtrlShift = [](TCanvasKeyState& S) { S.Ctrl = S.Shift = true; };
    const auto Sel = [](TCanvasKeyState& S) { S.Ctrl = S.SelectionExists = true; };
    struct Case {
        Word Key;
        TCanvasKeyState State;
        A Action;
    };
    const Case Cases[] = {
        {'S', With(Canvas(), Ctrl), A::Save},
        {'S', With(Elsewhere(), Ctrl), A::Save},  // no canvas focus needed
        {'S', With(With(Canvas(), Ctrl), [](auto& S) { S.SaveEnabled = false; }), A::None},
        {'C', With(Canvas(), Ctrl), A::Copy},
        {'C', With(Elsewhere(), Ctrl), A::None},  // the edit box copies its own text
        {'Z', With(Canvas(), Ctrl), A::Undo},
        {'Z', With(Canvas(), CtrlShift), A::Redo},
        {'D', With(Canvas(), Ctrl), A::None},
        {'D', With(Canvas(), Sel), A::DropSelection},
        {'F', With(Canvas(), Sel), A::FillSelection},
        {'F', With(With(Canvas(), Sel), [](auto& S) { S.SelectionCreating = true; }), A::None},
        {'A', Canvas(), A::None},  // a plain letter
        {K::Delete, Canvas(), A::Delete},
        {K::Delete, With(Canvas(), [](auto& S) { S.SelectionCreating = true; }), A::DeleteLastPoint},
        {K::Left, Canvas(), A::None},
        {K::Left, With(Canvas(), [](auto& S) { S.ObjectsSelected = true; }), A::MoveObjects},
        {K::Enter, With(Canvas(), [](auto& S) { S.CropExists = true; }), A::None},
        {K::Enter, With(Canvas(), [](auto& S) { S.CropExists = S.CropEnabled = true; }), A::Crop},
        {K::Shift, Elsewhere(), A::Modifier},
        {K::Alt, With(Canvas(), [](auto& S) { S.ModifierHeld = true; }), A::None},
        {K::F3, Elsewhere(), A::ToggleZoom},
        {K::F5, Canvas(), A::OpenClipboard},
        {K::F5, With(Canvas(), [](auto& S) { S.ClipboardHasBitmap = false; }), A::None},
        // In a modal dialog (an effect preview among them) the global keys
        // are the dialog's: nothing saves, zooms or replaces the document.
        {'S', With(InDialog(), Ctrl), A::None},
        {K::F3, InDialog(), A::None},
        {K::F5, InDialog(), A::None},
        {K::F5, With(Canvas(), [](auto& S) { S.ModalUp = true; }), A::None},
        {K::Shift, InDialog(), A::Modifier},  // the held keys are still recorded
    };
    for (const Case& C : Cases)
        EXPECT_EQ(DecideCanvasKey(C.Key, C.State), C.Action) << "key " << C.Key << " at case " << (&C - Cases);
    EXPECT_TRUE(CanvasKeyHandled(Canvas()));
    EXPECT_FALSE(CanvasKeyHandled(Elsewhere()));
}

TEST(CanvasKeys, F3TogglesBetweenFullSizeAnd1600)
{
    const std::pair<Single, Integer> Cases[] = {{1.0f, 1600}, {1.004f, 1600}, {16.0f, 100}, {0.5f, 100}, {1.01f, 100}};
    for (auto [Scale, Zoom] : Cases) EXPECT_EQ(ToggledZoom(Scale), Zoom) << Scale;
}
