#include "dialogs/win/HyControls.h"

#include <shellapi.h>

#include "framework/controls/win/ExtCtrls.h"

namespace {

void ShellOpenUrl(const String& Url)
{
    ShellExecuteW(nullptr, L"open", WStr(Url), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

THyOpenUrlProc HyOpenUrl = ShellOpenUrl;

void DrawBevelFrame(TCanvas* Canvas, const TRect& Rect, TColor TopLeftColor, Integer Count, TColor BottomRightColor)
{
    Canvas->Pen()->SetWidth(1);
    // The last column and row inside the rectangle.
    TRect R{Rect.Left, Rect.Top, Rect.Right - 1, Rect.Bottom - 1};
    for (Integer I = 0; I < Count; ++I) {
        Canvas->Pen()->SetColor(TopLeftColor);
        Canvas->Polyline({TPoint{R.Left, R.Bottom}, TPoint{R.Left, R.Top}, TPoint{R.Right, R.Top}});
        Canvas->Pen()->SetColor(BottomRightColor);
        // A polyline leaves its last point out: the bottom edge reaches the left column.
        Canvas->Polyline({TPoint{R.Right, R.Top}, TPoint{R.Right, R.Bottom}, TPoint{R.Left - 1, R.Bottom}});
        R = TRect{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
    }
}

// ---------------------------------------------------------------------------
// THyLabel

THyLabel::THyLabel(TComponent* AOwner) : TCustomLabel(AOwner), FActiveFont(std::make_unique<TFont>()) {}

THyLabel::~THyLabel() = default;

void THyLabel::SetColorHighLight(TColor Value)
{
    if (FColorHighLight == Value) return;
    FColorHighLight = Value;
    Invalidate();
}

void THyLabel::SetColorShadow(TColor Value)
{
    if (FColorShadow == Value) return;
    FColorShadow = Value;
    Invalidate();
}

void THyLabel::SetDrawBorder(bool Value)
{
    if (FDrawBorder == Value) return;
    FDrawBorder = Value;
    Invalidate();
}

void THyLabel::Paint()
{
    if (OnBeforePaint) OnBeforePaint(this);
    TCustomLabel::Paint();
    if (FDrawBorder) DrawBevelFrame(Canvas(), ClientRect(), FColorHighLight, 1, FColorShadow);
}

void THyLabel::DoDrawText(TRect& Rect, UINT Flags)
{
    if (!ShowsActive()) {
        TCustomLabel::DoDrawText(Rect, Flags);
        return;
    }
    // The label's font with the link's look, drawn in place of its own: the
    // label's font itself stays as set (changing it would repaint again).
    FActiveFont->Assign(Font());
    if (FUseActiveColor) FActiveFont->SetColor(FActiveColor);
    FActiveFont->SetStyle(FActiveStyle);
    String Text = GetLabelText();
    if (!ShowAccelChar()) Flags |= DT_NOPREFIX;
    if (!WordWrap() && !(Flags & DT_CALCRECT)) {
        static const UINT Ellipses[] = {0, DT_PATH_ELLIPSIS, DT_END_ELLIPSIS, DT_WORD_ELLIPSIS};
        Flags |= Ellipses[EllipsisPosition()];
    }
    if ((Flags & DT_CALCRECT) && Text.empty()) Text += u' ';
    HDC DC = Canvas()->Handle();
    TSelectedObject Selected(DC, FActiveFont->Handle());
    const int Mode = SetBkMode(DC, TRANSPARENT);
    SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(FActiveFont->Color())));
    RECT R{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
    DrawTextW(DC, WStr(Text), static_cast<int>(Text.size()), &R, Flags);
    if (Flags & DT_CALCRECT) Rect = TRect{R.left, R.top, R.right, R.bottom};
    SetBkMode(DC, Mode);
}

void THyLabel::CMMouseEnter(TMessage& Message)
{
    TCustomLabel::CMMouseEnter(Message);
    if (ComponentState() & csDesigning) return;
    FMouseIn = true;
    if (!FUrl.empty()) Invalidate();
}

void THyLabel::CMMouseLeave(TMessage& Message)
{
    TCustomLabel::CMMouseLeave(Message);
    if (ComponentState() & csDesigning) return;
    FMouseIn = false;
    if (!FUrl.empty()) Invalidate();
}

void THyLabel::Click()
{
    TCustomLabel::Click();
    if (!FUrl.empty() && HyOpenUrl) HyOpenUrl(FUrl);
}

// ---------------------------------------------------------------------------
// THySpeedButton

THySpeedButton::THySpeedButton(TComponent* AOwner) : inherited(AOwner)
{
    SetColor(clBtnFace);
    FTimer = new TTimer(this);
    FTimer->SetEnabled(false);
    FTimer->SetInterval(100);
    FTimer->OnTimer = [this](TObject* Sender) { TimerStep(Sender); };
}

THySpeedButton::~THySpeedButton() = default;

Cardinal THySpeedButton::TimerInterval() const { return FTimer->Interval(); }

void THySpeedButton::SetTimerInterval(Cardinal Value) { FTimer->SetInterval(Value); }

void THySpeedButton::Paint()
{
    if (TransparentStyle() && Flat() && Color() != clBtnFace) {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->Brush()->SetStyle(bsSolid);
        Canvas()->FillRect(ClientRect());
    }
    inherited::Paint();
}

void THySpeedButton::CMMouseEnter(TMessage& Message)
{
    inherited::CMMouseEnter(Message);
    if (FHover.Entered()) return;
    if (OnMouseEnter) OnMouseEnter(this);
    if (ComponentState() & csDesigning) return;
    FHover.Enter(FTriggerCount, [this](bool& IsTrigger) {
        if (OnTriggerStart) OnTriggerStart(this, IsTrigger);
    });
    // Also without trigger steps: the timer is what notices a leave that never came.
    FTimer->SetEnabled(true);
}

void THySpeedButton::CMMouseLeave(TMessage& Message)
{
    inherited::CMMouseLeave(Message);
    FTimer->SetEnabled(false);
    if (OnMouseLeave) OnMouseLeave(this);
    FHover.Leave();
}

void THySpeedButton::TimerStep(TObject*)
{
    const bool Over = FindDragTarget(Mouse->CursorPos(), true) == this;
    const THoverTrigger::TStep S = FHover.Step(Over, Enabled(), FTriggerCount);
    if (S.StopTimer) FTimer->SetEnabled(false);
    if (S.SendLeave) Perform(CM_MOUSELEAVE, 0, 0);
    if (!S.Fire) return;
    if (FSimulateClick) {
        if (GroupIndex() > 0 && AllowAllUp()) SetDown(!Down());
        if (OnClick) OnClick(this);
    }
    if (S.Trigger && OnTimerTrigger) OnTimerTrigger(this);
}
