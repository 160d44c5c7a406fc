// EffectLauncherCore: what the effect launcher decides without a window:
// which dialog an effect mode opens, the fourteen effect brushes with their
// sizes, values and settings cells, and which parts of the brush panel each
// shows. The window side (win/EffectLauncher) runs the dialogs and brushes.
#pragma once

#include "document/base/ImageDrawTypes.h"
#include "framework/runtime/Types.h"

enum class TEffectDialogKind : Byte { OneSlider, Direction, MultiParameter };
TEffectDialogKind EffectDialogFor(TEffectMode Mode);

// An effect brush. Cells are of row 2 of the settings table; -1 is none.
struct TEffectBrushDef {
    Integer Tag;
    TEffectMode Mode;
    Integer SizeMin, SizeMax, SizeCell;
    Integer ValueMin, ValueMax, ValueCell;
    Integer CaptionIndex;  // language group 2; 0 none
    Integer ColorCell;
    bool BrushEraser;      // the paint/erase switch shows
};
// The brush of a button tag; nullptr for a tag that names none.
const TEffectBrushDef* EffectBrushForTag(Integer Tag);
const TEffectBrushDef* EffectBrushForMode(TEffectMode Mode);
// The effect mode of a brush button's tag (emNone for a tag that names none).
TEffectMode EffectModeOfBrushTag(Integer Tag);
// Whether the brush's value slider is used.
inline bool BrushHasValue(const TEffectBrushDef& B) { return B.ValueCell >= 0; }

// The highlighter keeps its style in this cell of row 2.
constexpr Integer HighlighterStyleCell = 24;

// The sub-panels of the brush panel, from the top, and which show.
struct TDrawEffectPanels {
    bool BrushEraser = false, BrushSize = true, Value = false, BrushColor = false, BrushStyle = false,
         ColorizeColor = false;
};
TDrawEffectPanels DrawEffectPanelsFor(TEffectMode Mode);
// The panel's height: the visible sub-panels' heights + 4.
struct TDrawEffectHeights {
    Integer BrushEraser, BrushSize, Value, BrushColor, BrushStyle, ColorizeColor;
};
Integer DrawEffectPanelHeight(const TDrawEffectPanels& P, const TDrawEffectHeights& H);

// A preset of these kinds on a picture of more pixels than this asks first
// (blur, sharpen, denoising, soften and the four tints are slow).
constexpr Int64 PresetLargePixels = 8000000;
bool PresetAsksSize(TEffectMode Kind, bool OnBitmapObject, Int64 Pixels);
