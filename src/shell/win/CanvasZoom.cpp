#include "shell/win/CanvasZoom.h"

#include <cmath>

#include "Component/Raster32/win/Ras32_Image.h"
#include "document/ImageDraw.h"
#include "foundation/Global.h"
#include "framework/controls/win/ExtCtrls.h"
#include "framework/controls/win/StdCtrls.h"
#include "shell/ZoomSteps.h"
#include "shell/win/CanvasInput.h"
#include "shell/win/CanvasRulers.h"
#include "shell/win/MainLayout.h"
#include "shell/win/OpenDocuments.h"
#include "shell/win/OpenFileStrip.h"
#include "shell/win/PresetPanel.h"
#include "shell/win/PropertyPanels.h"
#include "shell/win/ZezavEzazerForm.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/controls/win/SkinScrollBar.h"
#include "skin/controls/win/SkinTrackBars.h"
#include "skin/frame/win/SkinMenus.h"

namespace {

// The zoom menu's entries; the captions are not translated.
constexpr Integer ZoomMenuPercents[] = {10, 25, 50, 75, 100, 200, 400, 800, 1600};

constexpr Integer StateButton = 22, StateTrack = 100, StateZoomText = 52;

TsfSkinSpeedButton* StateButtonOf(TsfSkinPanel* Parent, TsfSkinData* Skin, const char16_t* Name,
                                  const String& Caption, Integer Left, Integer Width)
{
    auto* B = new TsfSkinSpeedButton(Parent->Owner());
    B->SetName(Name);
    B->SetSkinData(Skin);
    B->SetFlat(true);
    B->SetCaption(Caption);
    B->SetBounds(Left, 1, Width, MainLayoutSize::StatusHeight - 2);
    B->SetParent(Parent);
    return B;
}

}  // namespace

TCanvasZoom::TCanvasZoom(TfrmZezavEzazer& AForm) : FForm(AForm)
{
    auto* Status = FForm.Layout().PartAs<TsfSkinPanel>(u"pnlStatus");
    TsfSkinData* Skin = FForm.SkinData();
    pnlState = new TsfSkinPanel(&FForm);
    pnlState->SetName(u"pnlState");
    pnlState->SetSkinData(Skin);
    pnlState->SetCaption(String());
    pnlState->SetBounds(0, 0, 4 * StateButton + StateTrack + StateZoomText + 6, MainLayoutSize::StatusHeight);
    pnlState->SetAlign(alRight);
    pnlState->SetParent(Status);

    Integer X = 0;
    sbZoomDec = StateButtonOf(pnlState, Skin, u"sbZoomDec", u"-", X, StateButton);
    sbZoomDec->SetHint(GetLangText(1, 25));
    trbZoom = new TsfSkinTrackBar(&FForm);
    trbZoom->SetName(u"trbZoom");
    trbZoom->SetSkinData(Skin);
    trbZoom->SetMinValue(TrackMin);
    trbZoom->SetMaxValue(TrackMax);
    trbZoom->SetValue(100);
    trbZoom->SetBounds(X + StateButton + 1, 2, StateTrack, MainLayoutSize::StatusHeight - 4);
    trbZoom->SetParent(pnlState);
    X = trbZoom->Left() + StateTrack + 1;
    sbZoomInc = StateButtonOf(pnlState, Skin, u"sbZoomInc", u"+", X, StateButton);
    sbZoomInc->SetHint(GetLangText(1, 26));
    X += StateButton + 1;

    pmZoom = new TsfSkinPopupMenu(&FForm);
    pmZoom->SetName(u"pmZoom");
    pmZoom->SetSkinData(Skin);
    for (Integer Percent : ZoomMenuPercents) {
        auto* Item = new TMenuItem(pmZoom);
        Item->SetName(u"muZoom" + IntToStr(Percent));
        Item->SetCaption(IntToStr(Percent) + u"%");
        Item->SetTag(Percent);
        Item->OnClick = [this](TObject* Sender) { muZoom100Click(Sender); };
        pmZoom->Items()->Add(Item);
    }
    pmZoom->OnPopup = [this](TObject* Sender) { pmZoomPopup(Sender); };
    sbZoom = new TsfSkinMenuSpeedButton(&FForm);
    sbZoom->SetName(u"sbZoom");
    sbZoom->SetSkinData(Skin);
    sbZoom->SetFlat(true);
    sbZoom->SetCaption(u"100%");
    sbZoom->SetSkinPopupMenu(pmZoom);
    sbZoom->SetBounds(X, 1, StateZoomText, MainLayoutSize::StatusHeight - 2);
    sbZoom->SetParent(pnlState);
    X += StateZoomText + 1;
    sbFittoWindow = StateButtonOf(pnlState, Skin, u"sbFittoWindow", u"[ ]", X, StateButton);
    sbFittoWindow->SetHint(GetLangText(1, 24));
    X += StateButton + 1;
    sbActualSize = StateButtonOf(pnlState, Skin, u"sbActualSize", u"1:1", X, StateButton);
    sbActualSize->SetHint(GetLangText(1, 29));

    sbZoomDec->OnClick = [this](TObject* Sender) { sbZoomDecClick(Sender); };
    sbZoomInc->OnClick = [this](TObject* Sender) { sbZoomIncClick(Sender); };
    trbZoom->OnChange = [this](TObject* Sender) { trbZoomChange(Sender); };
    sbFittoWindow->OnClick = [this](TObject* Sender) { sbFittoWindowClick(Sender); };
    sbActualSize->OnClick = [this](TObject* Sender) { sbActualSizeClick(Sender); };
    pnlState->OnResize = [this](TObject* Sender) { pnlStateResize(Sender); };

    Timer1 = new TTimer(&FForm);
    Timer1->SetEnabled(false);
    Timer1->SetInterval(100);
    Timer1->OnTimer = [this](TObject* Sender) { Timer1Timer(Sender); };
    TimerZoomCount = new TTimer(&FForm);
    TimerZoomCount->SetEnabled(false);
    TimerZoomCount->SetInterval(300);
    TimerZoomCount->OnTimer = [this](TObject*) { TimerZoomCount->SetEnabled(false); };

    // Whoever changes the view's scale (a document that opens with its own
    // zoom, the F3 toggle), the track bar and the zoom text follow it.
    FForm.Image->OnScaleChange = [this](TObject*) {
        const Integer Percent = CurrentZoom();
        FPending = true;
        trbZoom->SetValue(ZoomToTrack(Percent));
        FPending = false;
        sbZoom->SetCaption(IntToStr(Percent) + u"%");
    };
    FForm.OnMouseWheelDown = [this](TObject*, TShiftState, const TPoint& P, bool& Handled) {
        FormMouseWheel(true, P, Handled);
    };
    FForm.OnMouseWheelUp = [this](TObject*, TShiftState, const TPoint& P, bool& Handled) {
        FormMouseWheel(false, P, Handled);
    };
}

Integer TCanvasZoom::CurrentZoom() const
{
    return static_cast<Integer>(std::nearbyint(FForm.Image->ScaleX() * 100));
}

void TCanvasZoom::ApplyScale(Single Scale)
{
    FForm.Image->SetScale(Scale);
    if (TImageDraw* Doc = FForm.Documents().Live()) Doc->SetScale(Scale);
}

void TCanvasZoom::SetZoom(Integer Percent, bool IsDrawRulers)
{
    FPending = true;
    trbZoom->SetValue(ZoomToTrack(Percent));
    FPending = false;
    ApplyScale(Percent / 100.0f);
    sbZoom->SetCaption(IntToStr(Percent) + u"%");
    if (IsDrawRulers) FForm.Rulers().DrawRulers(true);
}

void TCanvasZoom::sbZoomDecClick(TObject*) { SetZoom(ZoomStepOut(CurrentZoom()), true); }

void TCanvasZoom::sbZoomIncClick(TObject*) { SetZoom(ZoomStepIn(CurrentZoom()), true); }

void TCanvasZoom::trbZoomChange(TObject*)
{
    if (FPending) return;
    SetZoom(TrackToZoom(trbZoom->Value()), true);
}

void TCanvasZoom::muZoom100Click(TObject* Sender)
{
    if (auto* Item = dynamic_cast<TMenuItem*>(Sender)) SetZoom(Item->Tag(), true);
}

void TCanvasZoom::pmZoomPopup(TObject*)
{
    for (Integer I = 0; I < pmZoom->Items()->Count(); ++I) {
        TMenuItem* Item = pmZoom->Items()->Items(I);
        Item->SetChecked(Item->Caption() == sbZoom->Caption());
    }
}

void TCanvasZoom::sbFittoWindowClick(TObject*)
{
    TImageDraw* Doc = FForm.Documents().Live();
    if (!Doc) return;
    SetZoom(FitZoom(FForm.Image->Width(), FForm.Image->Height(), Doc->Width(), Doc->Height()), true);
}

void TCanvasZoom::sbActualSizeClick(TObject*) { SetZoom(100, true); }

void TCanvasZoom::pnlStateResize(TObject*) { trbZoom->SetLeft(sbZoomDec->Left() + sbZoomDec->Width() + 1); }

// ---------------------------------------------------------------------------
// The wheel

void TCanvasZoom::FormMouseWheel(bool Down, const TPoint& ScreenPos, bool& Handled)
{
    if (PanelWheel(Down, ScreenPos, Handled)) return;
    Handled = true;
    TImgView32& View = *FForm.Image;
    const TRect VP = View.GetViewportRect(), BR = View.GetBitmapRect();
    const Integer OverSize = static_cast<Integer>(std::nearbyint(View.OverSize() * View.ScaleX()));
    const Integer Mode = ConfigTable ? ConfigTable->GetItem(1)->GetItem(35)->Value() : 0;
    switch (WheelActionFor(Mode, BR.Height(), VP.Height(), OverSize)) {
        case TWheelAction::Zoom: Down ? sbZoomDecClick(nullptr) : sbZoomIncClick(nullptr); break;
        case TWheelAction::Scroll: View.Scroll(0, Down ? WheelScrollPixels : -WheelScrollPixels); break;
        case TWheelAction::None: break;
    }
}

namespace {

bool Shows(const TControl* C) { return C && C->Visible(); }

bool Over(TControl* C, const TPoint& ScreenPos)
{
    if (!C) return false;
    const TPoint P = C->ScreenToClient(ScreenPos);
    return P.X >= 0 && P.Y >= 0 && P.X < C->ClientWidth() && P.Y < C->ClientHeight();
}

// One small step of a scroll bar (the bar clamps), when it takes input.
void Step(TsfSkinScrollBar* Bar, bool Down)
{
    if (Bar->Enabled()) Bar->SetPosition(Bar->Position() + (Down ? Bar->SmallChange() : -Bar->SmallChange()));
}

}  // namespace

bool TCanvasZoom::PanelWheel(bool Down, const TPoint& ScreenPos, bool& Handled)
{
    TsfSkinScrollBar* Presets = FForm.Presets().ScrollBar1;
    TsfSkinScrollBar* Strip = FForm.Documents().Strip() ? FForm.Documents().Strip()->ScrollBar2 : nullptr;
    TMemo* Memo = FForm.PropertyPanels().txtText;
    TWheelPanels P;
    P.PresetBarVisible = Shows(Presets);
    P.RightVisible = Shows(FForm.pnlRight);
    P.OverRight = P.RightVisible && Over(FForm.pnlRight, ScreenPos);
    P.StripBarVisible = Shows(Strip);
    P.OverStrip = Over(FForm.pnlOpenFile, ScreenPos);
    P.TextVisible = Shows(FForm.pnlText);
    P.MemoFocused = Memo && Memo->Focused();
    P.MemoLines = Memo ? Memo->Lines()->Count() : 0;
    P.OverText = P.TextVisible && Over(FForm.pnlText, ScreenPos);
    switch (WheelTargetFor(P)) {
        case TWheelTarget::PresetPanel: Step(Presets, Down); Handled = true; return true;
        case TWheelTarget::OpenDocuments: Step(Strip, Down); Handled = true; return true;
        // The memo scrolls itself.
        case TWheelTarget::TextMemo: Handled = false; return true;
        case TWheelTarget::Canvas: break;
    }
    return false;
}

// ---------------------------------------------------------------------------
// Automatic scrolling and the zoom tool

void TCanvasZoom::SetAutoScroll(bool Enabled) { Timer1->SetEnabled(Enabled); }

void TCanvasZoom::Timer1Timer(TObject*)
{
    TImgView32& View = *FForm.Image;
    if (!View.HandleAllocated()) return;
    POINT Cursor;
    GetCursorPos(&Cursor);
    POINT Origin{0, 0};
    ClientToScreen(View.Handle(), &Origin);
    const TPoint Step =
        AutoScrollStep({Cursor.x, Cursor.y}, {Origin.x, Origin.y}, View.ClientWidth(), View.ClientHeight());
    if (Step.X == 0 && Step.Y == 0) return;
    View.Scroll(Step.X, Step.Y);
    // The drag goes on at the new scroll position.
    FForm.CanvasInput().ImageMouseMove(&View, TShiftState(), Cursor.x - Origin.x, Cursor.y - Origin.y, nullptr);
}

bool TCanvasZoom::ZoomClickAllowed() const { return !TimerZoomCount->Enabled(); }

void TCanvasZoom::ZoomClick(bool ZoomIn, Integer X, Integer Y)
{
    ZoomIn ? sbZoomIncClick(nullptr) : sbZoomDecClick(nullptr);
    FForm.Image->ScrollToCenter(X, Y);
    TimerZoomCount->SetEnabled(true);
}
