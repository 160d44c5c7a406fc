#include "shell/CanvasKeys.h"

#include <cmath>

namespace K = CanvasKey;
using A = TCanvasKeyAction;

namespace {
A ControlLetter(Word Key, const TCanvasKeyState& S)
{
    switch (Key) {
        case 'A': return A::SelectAll;
        case 'B': return A::CopyMerged;
        case 'C': return A::Copy;
        case 'D': return S.SelectionExists ? A::DropSelection : A::None;
        case 'F': return S.SelectionExists && !S.SelectionCreating ? A::FillSelection : A::None;
        case 'M': return A::Merge;
        case 'V': return A::Paste;
        case 'X': return A::Cut;
        case 'Z': return S.Shift ? A::Redo : A::Undo;
        default: return A::None;
    }
}
}  // namespace

TCanvasKeyAction DecideCanvasKey(Word Key, const TCanvasKeyState& S)
{
    if (Key == K::Shift || Key == K::Ctrl || Key == K::Alt) return S.ModifierHeld ? A::None : A::Modifier;
    const bool MainFree = S.MainIsTarget && !S.ModalUp;
    if (Key == K::F3) return MainFree ? A::ToggleZoom : A::None;
    if (Key == K::F5) return MainFree && S.ClipboardHasBitmap ? A::OpenClipboard : A::None;
    if (S.Ctrl && Key == 'S') return MainFree && S.SaveEnabled ? A::Save : A::None;
    if (!S.Focused) return A::None;
    if (Key == K::Enter) return S.CropExists && S.CropEnabled ? A::Crop : A::None;
    if (Key >= K::Left && Key <= K::Down) return S.ObjectsSelected ? A::MoveObjects : A::None;
    if (Key == K::Delete) return S.SelectionCreating ? A::DeleteLastPoint : A::Delete;
    return S.Ctrl ? ControlLetter(Key, S) : A::None;
}

Integer ToggledZoom(Single Scale) { return std::lround(Scale * 100) == 100 ? 1600 : 100; }
