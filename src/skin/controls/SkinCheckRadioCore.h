// SkinCheckRadioCore: what a check or radio box does apart from its window:
// the checked and grayed state, exclusive groups, the events each change
// fires and in which order, and how a press, a drag off the box and a
// release toggle it. Portable.
#pragma once

#include <functional>
#include <vector>

#include "framework/runtime/Types.h"

// The order of the platform's check-box states.
enum class TsfCheckState : Byte { Unchecked, Checked, Grayed };

class TsfCheckRadioCore {
public:
    virtual ~TsfCheckRadioCore() = default;

    bool Radio = false;
    bool AllowGrayed = false;
    Integer GroupIndex = 0;

    bool Checked() const { return FChecked; }
    TsfCheckState State() const { return FState; }
    bool Down() const { return FDown; }
    bool MouseIn() const { return FMouseIn; }

    // Checked := V. True makes the state checked and unchecks the other
    // checked boxes of the group (each with its own events) first; False turns
    // a checked state into unchecked (grayed stays grayed). Then OnClick:
    // always for a check box, for a radio box only when V is True. The same
    // value fires again.
    void SetChecked(bool Value);
    // State := V: Checked follows (without the group rule); OnClick always.
    void SetState(TsfCheckState Value);
    // The click action: a check box flips (with AllowGrayed: unchecked,
    // grayed, checked, unchecked); a radio box gets checked when it is not.
    virtual void Toggle();

    // The mouse, in the box's terms. A left press starts a click and marks
    // the box hovered; while held, the window moves the hover with the
    // pointer (SetMouseIn); a left release while hovered ends the click.
    void LeftDown();
    void LeftUp();
    void SetMouseIn(bool Value);

    // What the window does for the core.
    std::function<void()> OnClick;
    std::function<void()> OnRepaint;
    // The other boxes of the same group (same parent, same GroupIndex).
    std::function<std::vector<TsfCheckRadioCore*>()> GroupPeers;

private:
    void Repaint()
    {
        if (OnRepaint) OnRepaint();
    }
    void Click()
    {
        if (OnClick) OnClick();
    }
    bool FChecked = false;
    TsfCheckState FState = TsfCheckState::Unchecked;
    bool FDown = false;
    bool FMouseIn = false;
};
