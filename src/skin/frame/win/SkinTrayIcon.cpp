#include "skin/frame/win/SkinTrayIcon.h"

#include "framework/controls/win/Forms.h"
#include "skin/controls/SkinClock.h"
#include "skin/model/SFMessages.h"

namespace {

constexpr Cardinal ClickTimerId = 1;
constexpr Cardinal AnimateTimerId = 2;

} // namespace

TsfTrayIcon::TsfTrayIcon(TComponent* AOwner) : TTrayIcon(AOwner)
{
    // The framework's icon reports raw mouse messages; the protocol is built on them.
    TTrayIcon::OnMouseDown = [this](TObject*, TMouseButton B, TShiftState S, Integer X, Integer Y) {
        MouseDown(B, S, X, Y);
    };
    TTrayIcon::OnMouseUp = [this](TObject*, TMouseButton B, TShiftState S, Integer X, Integer Y) {
        MouseUp(B, S, X, Y);
    };
    TTrayIcon::OnDblClick = [this](TObject*) { DblClick(); };
    TTrayIcon::OnMouseMove = [this](TObject*, TShiftState S, Integer X, Integer Y) {
        if (Enabled && OnMouseMove) OnMouseMove(this, S, X, Y);
    };
    TTrayIcon::OnBalloonClick = [this](TObject*) {
        if (Enabled && OnBalloonHintClick) OnBalloonHintClick(this);
    };
    if (ComponentState() & csDesigning) return;
    FOldMinimize = Application->OnMinimize;
    Application->OnMinimize = [this](TObject* Sender) {
        if (FMinimizeToTray) DoMinimizeToTray();
        if (FOldMinimize) FOldMinimize(Sender);
    };
}

TsfTrayIcon::~TsfTrayIcon()
{
    SkinClock()->StopTimers(this);
    if (!(ComponentState() & csDesigning)) Application->OnMinimize = FOldMinimize;
}

void TsfTrayIcon::Loaded()
{
    TTrayIcon::Loaded();
    if (MinimizedOnStart && dynamic_cast<TWinControl*>(Owner()) && !(ComponentState() & csDesigning)) {
        FMinimizeToTray = true;
        SetIconVisible(true);
        Application->SetShowMainForm(false);
        ShowWindow(Application->Handle(), SW_HIDE);
    }
}

void TsfTrayIcon::Notification(TComponent* AComponent, TOperation Operation)
{
    TTrayIcon::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FIconList) FIconList = nullptr;
    if (AComponent == static_cast<TComponent*>(FPopupMenu)) FPopupMenu = nullptr;
}

void TsfTrayIcon::SetIconVisible(bool Value)
{
    try {
        SetVisible(Value);
    } catch (const EOSError&) {
        // A shell that refuses the icon leaves the program as it is.
    }
}

void TsfTrayIcon::ApplyHint() { TTrayIcon::SetHint(FShowHint ? FHint : String()); }

void TsfTrayIcon::SetHint(const String& Value)
{
    FHint = Value;
    ApplyHint();
}

void TsfTrayIcon::SetShowHint(bool Value)
{
    FShowHint = Value;
    ApplyHint();
}

void TsfTrayIcon::SetSkinPopupMenu(TsfSkinPopupMenu* Value)
{
    if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = Value;
    if (FPopupMenu) FPopupMenu->FreeNotification(this);
}

void TsfTrayIcon::SetIconList(TImageList* Value)
{
    if (FIconList) FIconList->RemoveFreeNotification(this);
    FIconList = Value;
    if (FIconList) FIconList->FreeNotification(this);
    SetIconIndex(0);
}

void TsfTrayIcon::SetIconIndex(Integer Value)
{
    if (FIconList && FIconList->Count() > 0) {
        FIconIndex = std::min(Value, FIconList->Count() - 1);
        TIcon Image;
        if (FIconList->GetIcon(FIconIndex, &Image)) SetIcon(&Image);
    } else {
        FIconIndex = 0;
    }
}

void TsfTrayIcon::StartAnimation()
{
    SkinClock()->StopTimer(this, AnimateTimerId);
    if (FCycleIcons && FAnimateTimerInterval > 0)
        SkinClock()->StartTimer(this, AnimateTimerId, FAnimateTimerInterval, [this] { AnimateTimerTick(); });
}

void TsfTrayIcon::SetCycleIcons(bool Value)
{
    FCycleIcons = Value;
    if (Value) SetIconIndex(0);
    StartAnimation();
}

void TsfTrayIcon::SetAnimateTimerInterval(Cardinal Value)
{
    FAnimateTimerInterval = Value;
    StartAnimation();
}

bool TsfTrayIcon::AnimateTimerRunning() const { return SkinClock()->TimerRunning(this, AnimateTimerId); }

void TsfTrayIcon::AnimateTimerTick()
{
    if (!FIconList || FIconList->Count() == 0) return;
    const Integer Count = FIconList->Count();
    SetIconIndex(FIconIndex);
    const Integer Next = FIconIndex < Count - 1 ? FIconIndex + 1 : 0;
    if (OnCycle) OnCycle(this, Next);
    FIconIndex = Next;
}

bool TsfTrayIcon::ShowBalloonHint(const String& Title, const String& Text, TsfBalloonHintIcon IconType)
{
    static const TBalloonFlags Flags[] = {bfNone, bfInfo, bfWarning, bfError};
    SetBalloonTitle(Title);
    SetBalloonHint(Text);
    SetBalloonFlags(Flags[IconType]);
    return TTrayIcon::ShowBalloonHint();
}

bool TsfTrayIcon::HideBalloonHint()
{
    SetBalloonHint(String());
    return TTrayIcon::ShowBalloonHint();
}

void TsfTrayIcon::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (!Enabled) return;
    if (Button == mbLeft) {
        SkinClock()->StartTimer(this, ClickTimerId, GetDoubleClickTime(), [this] { ClickTimerTick(); });
        if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
        FClickStart = true;
        if (PopupByLeftButton) PopupAtCursor();
        return;
    }
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
    if (Button == mbRight) PopupAtCursor();
}

void TsfTrayIcon::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (!Enabled) return;
    if (Button == mbLeft && FClickStart) {
        FClickReady = true;
        // The double-click time is over already: the click counts now.
        if (!SkinClock()->TimerRunning(this, ClickTimerId)) {
            FClickStart = FClickReady = false;
            if (OnClick) OnClick(this);
        }
    }
    if (Button == mbLeft) FClickStart = false;
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TsfTrayIcon::DblClick()
{
    if (!Enabled) return;
    FClickReady = false;
    IsDblClick = true;
    if (OnDblClick) OnDblClick(this);
    if (!FPopupMenu || !FPopupMenu->AutoPopup() || PopupByLeftButton) return;
    TMenuItem* Items = FPopupMenu->Items();
    for (Integer i = 0; i < Items->Count(); ++i)
        if (Items->Items(i)->Default()) {
            Items->Items(i)->Click();
            return;
        }
}

void TsfTrayIcon::ClickTimerTick()
{
    SkinClock()->StopTimer(this, ClickTimerId);
    if (!IsDblClick && FClickReady) {
        FClickReady = false;
        if (OnClick) OnClick(this);
    }
    IsDblClick = false;
}

void TsfTrayIcon::PopupAtCursor()
{
    if (!FPopupMenu || !FPopupMenu->AutoPopup()) return;
    POINT P;
    if (!GetCursorPos(&P)) return;
    Application->ProcessMessages();
    SetForegroundWindow(Handle());
    auto* Owner = dynamic_cast<TWinControl*>(this->Owner());
    if (Owner && Owner->HandleAllocated()) SetForegroundWindow(Owner->Handle());
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(P.x, P.y);
    if (Owner && Owner->HandleAllocated()) PostMessageW(Owner->Handle(), WM_NULL, 0, 0);
}

void TsfTrayIcon::DoMinimizeToTray()
{
    HideMainForm();
    SetIconVisible(true);
}

void TsfTrayIcon::HideMainForm()
{
    TCustomForm* Main = Application->MainForm();
    if (!dynamic_cast<TWinControl*>(Owner()) || !Main) return;
    Main->Hide();
    ShowWindow(Application->Handle(), SW_HIDE);
}

void TsfTrayIcon::ShowMainForm()
{
    TCustomForm* Main = Application->MainForm();
    if (!dynamic_cast<TWinControl*>(Owner()) || !Main) return;
    Main->SetTag(TrayRestoreTag);
    ShowWindow(Application->Handle(), SW_RESTORE);
    Main->Show();
    if (Main->WindowState() == wsMinimized) Main->SetWindowState(wsNormal);
    if (Main->HandleAllocated()) PostMessageW(Main->Handle(), WM_RESTOREFROMTRAY, 0, 0);
}
