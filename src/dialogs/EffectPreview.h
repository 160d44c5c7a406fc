// EffectPreview: the preview protocol every effect dialog follows, without a
// window. The dialog shows; a moment later the first preview is computed; a
// value change recomputes it (during a drag only for the live-preview modes);
// unticking Preview closes the document's effect run, ticking it opens a new
// one; OK ticks Preview first. The pixel work is the dialog's preview
// operation, run through TEffectPreviewTarget.
//
// A recomputation lets pending window messages run first so the labels
// repaint; a slider event handled there must not start a second
// recomputation inside the first: it is noted and run once, with the newest
// values, when the running one ends.
#pragma once

#include <functional>
#include <set>

#include "document/base/ImageDrawTypes.h"
#include "framework/runtime/Types.h"

class TEffectPreviewTarget {
public:
    virtual ~TEffectPreviewTarget() = default;
    // The document's effect run.
    virtual void EffectBegin() = 0;
    virtual void EffectEnd(bool IsApply) = 0;
    // One preview with the dialog's current values (and Draw when needed).
    virtual void PreviewOnce() = 0;
    // Lets the window messages waiting now run (labels repaint).
    virtual void ProcessMessages() = 0;
    // The hourglass while a preview that is not live runs.
    virtual void SetBusyCursor(bool Busy) = 0;
};

// The pause between showing and the first preview.
constexpr Cardinal FirstPreviewDelay = 100;

class TEffectPreview {
public:
    TEffectPreview(TEffectPreviewTarget& ATarget, TEffectMode AMode) : FTarget(ATarget), FMode(AMode) {}
    ~TEffectPreview();

    // Modes whose preview follows a slider while it is still dragged.
    std::set<Integer> FastEffects;
    bool Pending = false;  // the dialog fills its controls: no preview
    // Whether the pause after showing ends in a first preview (a dialog
    // opening at neutral values has nothing to show: no preview, and OK
    // then keeps the picture as it is).
    bool FirstPreview = true;
    // Runs when the pause after showing ends, after the first preview.
    std::function<void()> OnFirstTick;

    bool PreviewChecked() const { return FPreviewChecked; }
    bool Running() const { return FRunning; }
    Integer PreviewCount() const { return FCount; }

    // The dialog has shown: the first preview follows on the skin clock.
    void Shown();
    void UpdatePreview(bool Tracking);
    void DoPreview();
    // A slider's value changed (Tracking: during a drag), its change ended,
    // an option changed.
    void ValueChange();
    void ValueChanged();
    void OptionChanged();
    void SetPreviewChecked(bool Checked);
    // OK: Preview is ticked first (a fresh run computed), and a preview not
    // made yet is made; the caller stores its values and ends with OK.
    void Ok();

private:
    bool IsFast() const { return FastEffects.count(FMode) > 0; }

    TEffectPreviewTarget& FTarget;
    TEffectMode FMode;
    bool FPreviewChecked = true;
    bool FRunning = false;
    bool FAgain = false;
    Integer FCount = 0;
};

// The one-slider dialog's set-up for a mode: its name text, range, initial
// value, the cell of settings row 2 that keeps the value (-1: none) and the
// parts it shows.
struct TMosaicSetup {
    Integer NameGroup = 2, NameIndex = 9;
    Integer Min = 1, Max = 100;
    Integer Initial = 0;    // when KeptCell is -1
    Integer KeptCell = -1;
    bool ShowOption = false;
    bool ShowAttemper = false;
    bool Degrees = false;
};
TMosaicSetup MosaicSetupFor(TEffectMode Mode);
// The slider's first value: the kept cell's (clamped into the range) or the
// mode's own. Kept is the settings row's cell value when KeptCell is not -1.
Integer MosaicInitialValue(const TMosaicSetup& Setup, Integer Kept);
