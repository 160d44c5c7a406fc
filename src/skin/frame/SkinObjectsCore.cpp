#include "skin/frame/SkinObjectsCore.h"

#include <algorithm>

#include "skin/model/SFUtils.h"

double SkinObjectMorphStepped(double Kf, bool Active)
{
    return std::clamp(Kf + (Active ? SkinObjectMorphStep : -SkinObjectMorphStep), 0.0, 1.0);
}

bool SkinObjectMorphDue(double Kf, bool Active) { return Active ? Kf < 1 : Kf > 0; }

bool SkinObjectMorphSettled(double Kf, bool Active) { return Active ? Kf >= 1 : Kf <= 0; }

bool StdButtonMeansRestore(TStdCommand Command, TsfRequestedState State, bool IsMainForm, bool RolledUp)
{
    switch (Command) {
    case cmMaximize: return State == TsfRequestedState::Maximized;
    case cmMinimize: return State == TsfRequestedState::Minimized && !IsMainForm;
    case cmRollUp: return RolledUp;
    default: return false;
    }
}

namespace {

const char16_t* const DialogCloseButton = u"dialogclosebutton";

bool IconFor(TStdCommand Command, const TsfBorderIconSet& Icons, bool DisableSystemMenu, bool& Known)
{
    Known = true;
    switch (Command) {
    case cmMaximize: return Icons.Maximize;
    case cmMinimize: return Icons.Minimize;
    case cmRollUp: return Icons.RollUp;
    case cmMinimizeToTray: return Icons.MinimizeToTray;
    case cmSysMenu: return Icons.SystemMenu && !DisableSystemMenu;
    default: Known = false; return false;
    }
}

} // namespace

void UpdateCaptionButtonStates(std::vector<TsfCaptionButtonState>& Objects, const TsfBorderIconSet& Icons,
                               bool DisableSystemMenu, bool HideButtons)
{
    using C = TsfCaptionObjectClass;
    for (auto& O : Objects) O.AskApplication = false;
    if (HideButtons) {
        for (auto& O : Objects)
            if (O.Class == C::StdButton || O.Class == C::AnimateButton) {
                O.Enabled = false;
                O.Visible = !O.SkinRectInAPicture;
            }
        return;
    }
    const bool OnlySystemMenu = Icons.Empty() || (Icons.SystemMenu && !Icons.Minimize && !Icons.Maximize &&
                                                  !Icons.RollUp && !Icons.MinimizeToTray);
    const bool HasDialogClose = std::any_of(Objects.begin(), Objects.end(), [](const TsfCaptionButtonState& O) {
        return O.IDName == DialogCloseButton;
    });
    for (auto& O : Objects) {
        if (O.Class != C::StdButton && O.Class != C::AnimateButton) continue;
        if (O.Command == cmClose) {
            if (O.Class != C::StdButton) continue;  // an animation's close command is left alone
            if (OnlySystemMenu && HasDialogClose) {
                O.Enabled = O.Visible = O.IDName == DialogCloseButton;
            } else {
                // The form's own close button comes back when the dialog's gives way.
                O.Enabled = O.Visible = O.IDName != DialogCloseButton;
            }
            continue;
        }
        bool Known = false;
        const bool On = IconFor(O.Command, Icons, DisableSystemMenu, Known);
        if (Known) {
            O.Enabled = On;
            O.Visible = O.SkinRectInAPicture ? On : true;
        } else if (O.Class == C::StdButton) {
            O.AskApplication = true;  // cmDefault
        }
    }
}

bool DefaultObjectHint(TStdCommand Command, String& Key, String& Text)
{
    switch (Command) {
    case cmClose: Key = u"CLOSEBUTTON_HINT"; Text = u"Close"; return true;
    case cmMaximize: Key = u"MAXBUTTON_HINT"; Text = u"Maximize"; return true;
    case cmMinimize: Key = u"MINBUTTON_HINT"; Text = u"Minimize"; return true;
    case cmSysMenu: Key = u"MENUBUTTON_HINT"; Text = u"System menu"; return true;
    case cmRollUp: Key = u"ROLLUPBUTTON_HINT"; Text = u"Roll Up"; return true;
    case cmMinimizeToTray: Key = u"TRAYBUTTON_HINT"; Text = u"Minimize to Tray"; return true;
    default: return false;
    }
}

TRect CaptionTextRect(const TsfCaptionLayoutInput& In)
{
    TRect TR = In.TextRct;
    if (IsNullRect(In.TextRct)) return TR;
    if (In.QuickButtonCount > 0) {
        const Integer Row = In.QuickButtonCount * (In.QuickImageWidth + 8);
        TR.Left += In.DividerWidth > 0 ? In.DividerWidth + Row + 6 : Row + 5;
    }
    // The right margin follows the caption's width.
    TR.Right = In.ObjectRect.Width() + In.TextRct.Right - In.SkinRect.Width();
    if (!IsNullRect(In.FrameRect)) {
        TR.Top += In.FrameTextRect.Top;
        TR.Left += In.FrameTextRect.Left;
        TR.Right += In.FrameTextRect.Right - In.FrameRect.Width();
    }
    return TR;
}

TPoint CaptionTextPos(const TRect& TR, TAlignment Alignment, bool Centre, Integer TextWidth, Integer TextHeight,
                      bool OddFontHeight)
{
    Integer Y = TR.Top + TR.Height() / 2 - TextHeight / 2;
    Integer X = TR.Left;
    if (Centre || Alignment == taCenter) X = TR.Left + TR.Width() / 2 - TextWidth / 2;
    else if (Alignment == taRightJustify) X = TR.Right - TextWidth;
    if (OddFontHeight) --Y;
    return {X, Y};
}

Integer CaptionPieceKind(const TRect& R0, const TRect& ObjectRect, const TPoint& LT, const TPoint& RT,
                         const TPoint& LB, const TPoint& RB)
{
    if (R0.Width() == ObjectRect.Width() && R0.Height() == ObjectRect.Height()) return 0;
    if (R0.Top <= LT.Y && R0.Bottom < RT.Y) return 1;
    if (R0.Top >= LB.Y && R0.Bottom > RB.Y) return 2;
    if (R0.Top > LT.Y || LB.Y <= R0.Bottom) return 4;
    return 3;
}

TRect CaptionAnimationFrame(const TRect& Strip, Integer ObjectHeight, Integer Count, Integer Current)
{
    if (Count <= 0 || Current <= 0 || Current > Count) return {};
    if (Strip.Height() > ObjectHeight) {
        const Integer H = Strip.Height() / Count;
        const Integer Top = Strip.Top + (Current - 1) * H;
        return {Strip.Left, Top, Strip.Right, Top + H};
    }
    const Integer W = Strip.Width() / Count;
    const Integer Left = Strip.Left + (Current - 1) * W;
    return {Left, Strip.Top, Left + W, Strip.Bottom};
}

bool CaptionAnimationTick(TsfCaptionAnimation& A, Integer Interval, Integer FrameCount, bool FormActive, bool* Redraw)
{
    if (Redraw) *Redraw = false;
    if (A.IncTime < Interval) {
        A.IncTime += SkinAnimateTick;
        return true;
    }
    if (FormActive && A.CurrentFrame <= FrameCount) {
        ++A.CurrentFrame;
    } else if (!FormActive && A.CurrentFrame > 0) {
        --A.CurrentFrame;
    } else {
        return false;
    }
    A.IncTime = SkinAnimateTick;
    if (Redraw) *Redraw = true;
    return true;
}
