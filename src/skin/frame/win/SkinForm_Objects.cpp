// The frame-object host of the skinned form component: the object factory of
// a skin change, the caption buttons' states and hints, the morph, animation
// and cursor timers, the objects' events, and the walk over the form's
// skinned controls when the skin changes.
#include <unordered_set>

#include "framework/controls/win/Messages.h"
#include "skin/controls/SkinClock.h"
#include "skin/controls/win/SkinCtrls.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/model/SFMessages.h"
#include "skin/model/SFResStrData.h"
#include "skin/model/SFUtils.h"

namespace {

constexpr Cardinal MorphTimerId = 4;
constexpr Cardinal AnimateTimerId = 5;
constexpr Cardinal StepInterval = 25;

TsfCaptionObjectClass ClassOf(const TsfActiveSkinObject* O)
{
    if (dynamic_cast<const TsfSkinStdButtonObject*>(O)) return TsfCaptionObjectClass::StdButton;
    if (dynamic_cast<const TsfSkinAnimateObject*>(O)) return TsfCaptionObjectClass::AnimateButton;
    if (dynamic_cast<const TsfSkinCaptionObject*>(O)) return TsfCaptionObjectClass::Caption;
    return TsfCaptionObjectClass::Other;
}

} // namespace

// ---------------------------------------------------------------------------
// Hot object, timers, cursor and events

void TsfSkinForm::ResetObjectsState()
{
    for (const auto& O : ObjectList) {
        if (O->Kind == TsfFrameObjectKind::Caption) continue;
        if (auto* A = dynamic_cast<TsfSkinAnimateObject*>(O.get())) {
            A->FMouseIn = A->Active = false;
            A->SetFrame(1);
            continue;
        }
        // A switch's active look is its on state, not the hover: it stays.
        if (dynamic_cast<TsfSkinSwitchObject*>(O.get())) {
            O->FMouseIn = false;
            continue;
        }
        O->Active = false;
        O->FMouseIn = false;
        O->SetMorphKf(0);
    }
}

void TsfSkinForm::UpdateSkinCursor()
{
    Integer Index = 0;
    const bool Hot = ActiveObject >= 0 && ActiveObject < static_cast<Integer>(ObjectList.size());
    if (FSD && Hot && ObjectList[ActiveObject]->CursorIndex != -1)
        Index = ObjectList[ActiveObject]->CursorIndex + FSD->StartCursorIndex;
    else if (FSD && FSD->CursorIndex != -1)
        Index = FSD->CursorIndex + FSD->StartCursorIndex;
    if (FForm->Cursor() != Index) FForm->SetCursor(static_cast<TCursor>(Index));
}

void TsfSkinForm::StartMorphTimer()
{
    if (!MorphTimerRunning())
        SkinClock()->StartTimer(this, MorphTimerId, StepInterval, [this] { MorphTimerProc(); });
}

bool TsfSkinForm::MorphTimerRunning() const { return SkinClock()->TimerRunning(this, MorphTimerId); }

void TsfSkinForm::MorphTimerProc()
{
    bool Stepped = false;
    // An object's step may run the form's code: index, not iterator.
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        TsfActiveSkinObject* O = ObjectList[i].get();
        if (O->EnableMorphing() && O->CanMorphing()) {
            O->DoMorphing();
            Stepped = true;
        }
    }
    if (!Stepped) SkinClock()->StopTimer(this, MorphTimerId);
}

void TsfSkinForm::StartAnimateTimer()
{
    if (!AnimateTimerRunning())
        SkinClock()->StartTimer(this, AnimateTimerId, StepInterval, [this] { AnimateTimerProc(); });
}

bool TsfSkinForm::AnimateTimerRunning() const { return SkinClock()->TimerRunning(this, AnimateTimerId); }

void TsfSkinForm::AnimateTimerProc()
{
    bool Did = false;
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        if (auto* A = dynamic_cast<TsfSkinAnimateObject*>(ObjectList[i].get())) {
            // A pressed object shows its pressed picture until released.
            if (A->Active && !(A->FDown && !IsNullRect(A->DownSkinRect))) {
                A->ChangeFrame();
                Did = true;
            }
            continue;
        }
        auto* C = dynamic_cast<TsfSkinCaptionObject*>(ObjectList[i].get());
        if (!C || !C->EnableAnimation()) continue;
        bool Redraw = false;
        if (CaptionAnimationTick(C->Animation, C->AnimateInterval, C->FrameCount, C->Active, &Redraw)) Did = true;
        if (Redraw) DrawSkinObject(C);
    }
    if (!Did) SkinClock()->StopTimer(this, AnimateTimerId);
}

void TsfSkinForm::LinkMenu(const String& AIDName, TMenu* AMenu, bool APopupUp)
{
    for (const auto& O : ObjectList) {
        if (O->IDName != AIDName) continue;
        if (auto* B = dynamic_cast<TsfSkinButtonObject*>(O.get())) {
            B->MenuItem = AMenu ? AMenu->Items() : nullptr;
            B->FPopupUp = APopupUp;
        } else if (auto* A = dynamic_cast<TsfSkinAnimateObject*>(O.get()); A && A->ButtonStyle) {
            A->MenuItem = AMenu ? AMenu->Items() : nullptr;
            A->FPopupUp = APopupUp;
        }
        return;
    }
}

void TsfSkinForm::DoPaintEvent(const String& IDName, TCanvas* Canvas, const TRect& ObjectRect)
{
    if (OnPaintEvent) OnPaintEvent(IDName, Canvas, ObjectRect);
}

void TsfSkinForm::DoMouseUpEvent(const String& IDName, Integer X, Integer Y, const TRect& ObjectRect,
                                 TMouseButton Button)
{
    if (OnMouseUpEvent) OnMouseUpEvent(IDName, X, Y, ObjectRect, Button);
}

void TsfSkinForm::DoMouseDownEvent(const String& IDName, Integer X, Integer Y, const TRect& ObjectRect,
                                   TMouseButton Button)
{
    if (OnMouseDownEvent) OnMouseDownEvent(IDName, X, Y, ObjectRect, Button);
}

void TsfSkinForm::DoMouseMoveEvent(const String& IDName, Integer X, Integer Y, const TRect& ObjectRect)
{
    if (OnMouseMoveEvent) OnMouseMoveEvent(IDName, X, Y, ObjectRect);
}

void TsfSkinForm::DoMouseEnterEvent(const String& IDName)
{
    if (OnMouseEnterEvent) OnMouseEnterEvent(IDName);
}

void TsfSkinForm::DoMouseLeaveEvent(const String& IDName)
{
    if (OnMouseLeaveEvent) OnMouseLeaveEvent(IDName);
}

const TsfBitmap* TsfSkinForm::ObjectPicture(bool RollUp)
{
    if (!RollUp) return &FGeometry.FramePicture();
    if (!FRollUpBitmap) FRollUpBitmap = FSD ? SkinPictureToBitmap(FSD->FRollUpPicture) : std::make_unique<TsfBitmap>();
    return FRollUpBitmap.get();
}

// ---------------------------------------------------------------------------
// Skin change

void TsfSkinForm::SkinChangeBegins(TMessage& Message)
{
    if (!FSD || Message.WParam != reinterpret_cast<WPARAM>(FSD)) return;
    SaveLayerBorderBounds();
    FStopPainting = true;
    FSkinSupport = false;
    StopMouseTimer();
    SkinClock()->StopTimer(this, MorphTimerId);
    SkinClock()->StopTimer(this, AnimateTimerId);
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
    ClearObjects();
    BeforeChangeSkinDataOfControls(FSD, FForm);
}

void TsfSkinForm::SkinChangeEnds(TMessage& Message)
{
    FStopPainting = false;
    auto* Changed = reinterpret_cast<TsfSkinData*>(Message.WParam);
    if (FSD && Changed == FSD) ChangeSkinData();
    ChangeSkinDataOfControls(Changed, FForm);
}

void TsfSkinForm::ClearObjects()
{
    if (ActiveObject != -1 || MouseCaptureObject != -1) ActiveObject = OldActiveObject = MouseCaptureObject = -1;
    ObjectList.clear();
    FRollUpBitmap.reset();
}

void TsfSkinForm::CreateObjects()
{
    ClearObjects();
    if (!FSD) return;
    for (const auto& D : FSD->ObjectList) {
        const TsfDataSkinObject* Data = D.get();
        std::unique_ptr<TsfActiveSkinObject> O;
        // Menu items and the menu bar's buttons (a kind of standard button) are the menus' own.
        if (dynamic_cast<const TsfDataSkinMainMenuItem*>(Data) || dynamic_cast<const TsfDataSkinMenuItem*>(Data) ||
            dynamic_cast<const TsfDataSkinMainMenuBarButton*>(Data))
            continue;
        if (dynamic_cast<const TsfDataSkinStdButton*>(Data)) O = std::make_unique<TsfSkinStdButtonObject>(this, Data);
        else if (dynamic_cast<const TsfDataSkinButton*>(Data)) O = std::make_unique<TsfSkinButtonObject>(this, Data);
        else if (dynamic_cast<const TsfDataSkinCaption*>(Data)) O = std::make_unique<TsfSkinCaptionObject>(this, Data);
        else if (dynamic_cast<const TsfDataUserObject*>(Data)) O = std::make_unique<TsfUserObject>(this, Data);
        else if (dynamic_cast<const TsfDataSkinTrackBar*>(Data)) O = std::make_unique<TsfSkinTrackBarObject>(this, Data);
        else if (dynamic_cast<const TsfDataSkinSwitch*>(Data)) O = std::make_unique<TsfSkinSwitchObject>(this, Data);
        else if (dynamic_cast<const TsfDataSkinGauge*>(Data)) O = std::make_unique<TsfSkinGaugeObject>(this, Data);
        else if (dynamic_cast<const TsfDataSkinFrameGaugeObject*>(Data))
            O = std::make_unique<TsfSkinFrameGaugeObject>(this, Data);
        else if (dynamic_cast<const TsfDataSkinFrameRegulatorObject*>(Data))
            O = std::make_unique<TsfSkinFrameRegulatorObject>(this, Data);
        else if (dynamic_cast<const TsfDataSkinAnimate*>(Data)) O = std::make_unique<TsfSkinAnimateObject>(this, Data);
        else if (dynamic_cast<const TsfDataSkinLabel*>(Data)) O = std::make_unique<TsfSkinLabelObject>(this, Data);
        else if (dynamic_cast<const TsfDataSkinBitLabel*>(Data)) O = std::make_unique<TsfSkinBitLabelObject>(this, Data);
        if (O) ObjectList.push_back(std::move(O));
    }
    CreateMainMenuItems();
}

void TsfSkinForm::CreateDefaultObjects()
{
    ClearObjects();
    struct { const char16_t* Name; TStdCommand Command; } Buttons[] = {
        {u"closebutton", cmClose},   {u"maxbutton", cmMaximize},    {u"minbutton", cmMinimize},
        {u"rollupbutton", cmRollUp}, {u"sysmenubutton", cmSysMenu}, {u"traybutton", cmMinimizeToTray},
    };
    for (const auto& B : Buttons) {
        auto O = std::make_unique<TsfSkinStdButtonObject>(this, nullptr);
        O->IDName = B.Name;
        O->Command = B.Command;
        O->SkinRectInAPicture = true;
        O->SkinRect = O->ActiveSkinRect = O->DownRect = {0, 0, 1, 1};
        ObjectList.push_back(std::move(O));
    }
    UpdateCaptionButtons();
}

void TsfSkinForm::UpdateCaptionButtons()
{
    if (ObjectList.empty()) return;
    std::vector<TsfCaptionButtonState> States;
    States.reserve(ObjectList.size());
    for (const auto& O : ObjectList)
        States.push_back({ClassOf(O.get()), O->Command, O->IDName, O->SkinRectInAPicture, O->Enabled, O->Visible});
    TsfBorderIconSet Icons;
    Icons.SystemMenu = FBorderIcons & sfbiSystemMenu;
    Icons.Minimize = FBorderIcons & sfbiMinimize;
    Icons.Maximize = FBorderIcons & sfbiMaximize;
    Icons.RollUp = FBorderIcons & sfbiRollUp;
    Icons.MinimizeToTray = FBorderIcons & sfbiMinimizeToTray;
    UpdateCaptionButtonStates(States, Icons, DisableSystemMenu, HideCaptionButtons);
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        TsfActiveSkinObject* O = ObjectList[i].get();
        O->Enabled = States[i].Enabled;
        O->Visible = States[i].Visible;
        if (States[i].AskApplication) {
            bool Visible = false;
            if (OnActivateCustomObject) OnActivateCustomObject(O->IDName, Visible);
            O->Visible = Visible;
        }
    }
    if (!HideCaptionButtons) {
        TsfSkinCaptionObject* First = nullptr;
        bool AnyDefault = false;
        for (const auto& O : ObjectList)
            if (auto* C = dynamic_cast<TsfSkinCaptionObject*>(O.get())) {
                if (!First) First = C;
                if (C->DefaultCaption) {
                    AnyDefault = true;
                    C->SimpleSetTextValue(FForm->Caption());
                }
            }
        if (!AnyDefault && First) {
            First->DefaultCaption = true;
            First->SimpleSetTextValue(FForm->Caption());
        }
    }
    UpdateObjectHints();
}

void TsfSkinForm::UpdateObjectHints()
{
    if (!UseDefaultObjectHint || !FSD || ObjectList.empty()) return;
    const TsfResourceStrData* Strings = FSD->ResourceStrData();
    auto Text = [&](const String& Key, const String& BuiltIn) {
        if (!Strings) return BuiltIn;
        const String S = Strings->GetResStr(Key);
        return S.empty() ? BuiltIn : S;
    };
    for (const auto& O : ObjectList) {
        auto* B = dynamic_cast<TsfSkinStdButtonObject*>(O.get());
        if (!B) continue;
        String Key, BuiltIn;
        if (DefaultObjectHint(B->Command, Key, BuiltIn)) B->Hint = Text(Key, BuiltIn);
        B->FTempHint = B->Hint;
        B->RestoreHint = Text(u"RESTORE_HINT", u"Restore");
    }
}

void TsfSkinForm::BeforeChangeSkinDataOfControls(TsfSkinData* ASkinData, TControl* AControl)
{
    auto* W = dynamic_cast<TWinControl*>(AControl);
    std::vector<IsfSkinnedControl*> List;
    if (IsfSkinnedControl* S = AsSkinnedControl(AControl)) List.push_back(S);
    CollectSkinnedControls(W, List);
    for (IsfSkinnedControl* S : List)
        if (!ASkinData || S->SkinData() == ASkinData) S->BeforeChangeSkinData();
}

void TsfSkinForm::ChangeSkinDataOfControls(TsfSkinData* ASkinData, TControl* AControl)
{
    auto* W = dynamic_cast<TWinControl*>(AControl);
    // A control's skin change may free or make other controls (a panel
    // rebuilding its items), so the list is taken again after each change and
    // only controls still in it are reached; each is changed once.
    std::vector<IsfSkinnedControl*> List;
    std::unordered_set<IsfSkinnedControl*> Done;
    for (;;) {
        List.clear();
        if (IsfSkinnedControl* S = AsSkinnedControl(AControl)) List.push_back(S);
        CollectSkinnedControls(W, List);
        IsfSkinnedControl* Next = nullptr;
        for (IsfSkinnedControl* S : List)
            if (Done.insert(S).second && (!ASkinData || S->SkinData() == ASkinData)) {
                Next = S;
                break;
            }
        if (!Next) break;
        Next->ChangeSkinData();
    }
}

void TsfSkinForm::ChangeSkinData()
{
    if (FUseRibbon) FSkinnableForm = false;
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
    OldActive = false;
    FSkinSupport = FSD && !FSD->Empty;
    FGeometry.SetSkin(FSkinSupport ? FSD : nullptr);
    if (FLayerManager->IsVisible()) FLayerManager->Hide();
    if (FMenuLayerManager->IsVisible()) FMenuLayerManager->Hide();
    // Objects drawn inside the client area come with the client-area skin mode.
    if (FSkinSupport && FSkinnableForm && FSupportNCArea) {
        CreateObjects();
        UpdateCaptionButtons();
    } else if (FSkinSupport && FSkinnableForm) {
        ChangeSkinDataClient();
        LinkControlsToAreas();
    } else {
        // The default frame makes its buttons when it is first painted.
        ClearObjects();
    }
    FForm->SetBorderIcons(FSkinnableForm ? 0 : UpdateFormBorderIcons());
    if (!FForm->HandleAllocated()) return;
    const HWND Wnd = FForm->Handle();
    FInChangeSkinData = true;
    // The client area changes with the frame: the platform asks WM_NCCALCSIZE again.
    SetWindowPos(Wnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!FSkinSupport) {
        FGeometry.FormWidth = FForm->Width();
        FGeometry.FormHeight = FForm->Height();
        SetFormRegion(true);
    }
    if (FSupportNCArea) {
        const Integer MinW = GetMinWidth(), MinH = GetMinHeight();
        const Integer W = FForm->Width(), H = FForm->Height();
        if (W < MinW && H < MinH) FForm->SetBounds(FForm->Left(), FForm->Top(), MinW, MinH);
        else if (H < MinH) FForm->SetHeight(MinH);
        else if (W < MinW) FForm->SetWidth(MinW);
        else NudgeWidth();  // laid out again at its size
        if (FWindowState == wsMinimized || FRollUpState) {
            if (FForm->Height() != GetMinHeight()) FForm->SetHeight(GetMinHeight());
            if (FWindowState == wsMinimized && FForm->Width() != GetMinWidth()) FForm->SetWidth(GetMinWidth());
        }
        const TRect B = [&] {
            RECT R{};
            GetWindowRect(Wnd, &R);
            return TRect{R.left, R.top, R.right, R.bottom};
        }();
        FGeometry.FormWidth = B.Width();
        FGeometry.FormHeight = B.Height();
        if (FSkinSupport) UpdateFrameLayout(true);
        RedrawWindow(Wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        DoActivateEvents();
        StartMouseTimer();
    } else {
        if (FSkinSupport) UpdateFrameLayout(true);
        else SetFormRegion(true);
        if (FSkinSupport) PlaceLinkedControls();
        RedrawWindow(Wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        StartMouseTimer();
    }
    LayerBorderSkinChanged();
    RestoreLayerBorderBounds();
    if (OnChangeSkinData) OnChangeSkinData(this);
    FInChangeSkinData = false;
    if (!FRollUpState && FSupportNCArea) {
        if (ClientWidth > 0) FForm->SetClientWidth(ClientWidth);
        if (ClientHeight > 0) FForm->SetClientHeight(ClientHeight);
    }
}
