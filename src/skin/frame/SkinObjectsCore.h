// SkinObjectsCore: the arithmetic of the objects a skin draws on a form's
// frame, kept free of the window system: morph progress, the restore meaning of
// caption buttons, which caption buttons a form shows, their default hints, the
// caption's text rectangle, text place, background piece and animation frames.
#pragma once

#include <vector>

#include "framework/runtime/Types.h"
#include "framework/runtime/UITypes.h"
#include "skin/model/SFTypes.h"

// ---- Morph progress between the normal (0) and the hot (1) look.
constexpr double SkinObjectMorphStep = 0.2;
// One step towards 1 while Active, towards 0 otherwise; always within [0, 1].
double SkinObjectMorphStepped(double Kf, bool Active);
// A step is still due.
bool SkinObjectMorphDue(double Kf, bool Active);
// Active at 1, or inactive at 0.
bool SkinObjectMorphSettled(double Kf, bool Active);

// ---- Caption buttons.
enum class TsfRequestedState : Byte { Normal, Minimized, Maximized };
// A standard button shows its restore look: maximise on a maximised form,
// minimise on a minimised form that is not the main one, roll-up while rolled up.
bool StdButtonMeansRestore(TStdCommand Command, TsfRequestedState State, bool IsMainForm, bool RolledUp);

struct TsfBorderIconSet {
    bool SystemMenu = true, Minimize = true, Maximize = true, RollUp = true, MinimizeToTray = false;
    bool Empty() const { return !SystemMenu && !Minimize && !Maximize && !RollUp && !MinimizeToTray; }
};

// What UpdateCaptionButtons needs of one object, and what it decides.
enum class TsfCaptionObjectClass : Byte { Other, StdButton, AnimateButton, Caption };
struct TsfCaptionButtonState {
    TsfCaptionObjectClass Class = TsfCaptionObjectClass::Other;
    TStdCommand Command = cmDefault;
    String IDName;
    bool SkinRectInAPicture = false;
    bool Enabled = true;
    bool Visible = true;
    // Set for a cmDefault standard button: the application decides Visible.
    bool AskApplication = false;
};
// Enabled and Visible of every button by the border icons (the form's own
// close button gives way to "dialogclosebutton" on a dialog with only the
// system menu, and comes back otherwise), or all hidden with HideButtons.
void UpdateCaptionButtonStates(std::vector<TsfCaptionButtonState>& Objects, const TsfBorderIconSet& Icons,
                               bool DisableSystemMenu, bool HideButtons);

// The interface-string key and the built-in text of a command's hint; false
// for cmDefault (which keeps its hint).
bool DefaultObjectHint(TStdCommand Command, String& Key, String& Text);

// ---- Caption object.
struct TsfCaptionLayoutInput {
    TRect ObjectRect;      // its place on the form
    TRect SkinRect;        // its place in the frame picture
    TRect TextRct;         // text rectangle, relative to the object
    TRect FrameRect;       // picture behind the text (empty for none)
    TRect FrameTextRect;   // where the text sits in it
    Integer QuickButtonCount = 0;  // shown quick buttons (0 without an image list)
    Integer QuickImageWidth = 0;
    Integer DividerWidth = 0;      // 0 without a divider
};
// The text rectangle relative to the object (empty when TextRct is empty).
TRect CaptionTextRect(const TsfCaptionLayoutInput& In);
// The text's top-left in the text rectangle's coordinates: centred vertically,
// placed by Alignment (centred with Centre), one pixel up for an odd font height.
TPoint CaptionTextPos(const TRect& TR, TAlignment Alignment, bool Centre, Integer TextWidth, Integer TextHeight,
                      bool OddFontHeight);
// 0: the object's size; 1: top band; 2: bottom band; 3, 4: side pieces.
Integer CaptionPieceKind(const TRect& R0, const TRect& ObjectRect, const TPoint& LT, const TPoint& RT,
                         const TPoint& LB, const TPoint& RB);
// Frame Current (1-based) of Count equal parts of Strip: stacked downwards when
// the strip is taller than ObjectHeight, else side by side; empty when out of range.
TRect CaptionAnimationFrame(const TRect& Strip, Integer ObjectHeight, Integer Count, Integer Current);

// One animation-timer tick of a caption (25 ms): the time gathers up to the
// interval, then the frame moves one step towards FrameCount (form active) or 0.
struct TsfCaptionAnimation {
    Integer IncTime = 0;
    Integer CurrentFrame = 0;
};
constexpr Integer SkinAnimateTick = 25;
// True when the tick did something (counted or stepped); *Redraw when the frame changed.
bool CaptionAnimationTick(TsfCaptionAnimation& A, Integer Interval, Integer FrameCount, bool FormActive, bool* Redraw);
