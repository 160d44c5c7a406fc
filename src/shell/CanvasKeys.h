// CanvasKeys: what a key press does to the canvas, decided without a window.
// The main window's key hook (win/CanvasInput) gathers the state, asks here
// and runs the action. Shortcuts that need no canvas focus (save, the zoom
// toggle, the clipboard picture) act only while no modal window is up and
// the key went to the main window: in a dialog they belong to the dialog, and
// opening the clipboard picture under a running effect preview would free the
// document the preview works on.
#pragma once

#include "framework/runtime/Types.h"

enum class TCanvasKeyAction : Byte {
    None,
    Crop,
    Modifier,         // Shift, Ctrl or Alt went down
    MoveObjects,      // an arrow key
    DeleteLastPoint,  // of the selection being made
    Delete,
    SelectAll,
    CopyMerged,
    Copy,
    DropSelection,    // Ctrl+D
    FillSelection,    // Ctrl+F
    Merge,
    Save,
    Paste,
    Cut,
    Undo,
    Redo,
    ToggleZoom,       // F3
    OpenClipboard,    // F5
};

struct TCanvasKeyState {
    bool Focused = false;        // the canvas has the keyboard focus
    bool MainIsTarget = false;   // the key went to the main window or one of its controls
    bool ModalUp = false;        // a modal window is up
    bool Ctrl = false, Shift = false;
    bool ModifierHeld = false;   // the pressed modifier is recorded as held already
    bool CropExists = false, CropEnabled = false;
    bool ObjectsSelected = false;
    bool SelectionExists = false;
    bool SelectionCreating = false;
    bool SaveEnabled = false;
    bool ClipboardHasBitmap = false;
};

// Virtual-key codes the decision reads.
namespace CanvasKey {
constexpr Word Enter = 0x0D, Shift = 0x10, Ctrl = 0x11, Alt = 0x12, Left = 0x25, Up = 0x26, Right = 0x27,
               Down = 0x28, Delete = 0x2E, F3 = 0x72, F5 = 0x74;
}

// The zoom F3 goes to, in percent: 1600 from 100 %, else 100.
Integer ToggledZoom(Single Scale);

TCanvasKeyAction DecideCanvasKey(Word Key, const TCanvasKeyState& S);
// Whether the key press is swallowed: every key the focused canvas sees.
inline bool CanvasKeyHandled(const TCanvasKeyState& S) { return S.Focused; }
